#pragma once
// The framework's fixed-width names. A `long` is 32 bits on the one platform the framework
// runs on, and file formats and class IDs rely on that.
#include <cstddef>
#include <cstdint>

using uint8 = std::uint8_t;
using int8 = std::int8_t;
using uint16 = std::uint16_t;
using int16 = std::int16_t;
using uint32 = std::uint32_t;
using int32 = std::int32_t;

static_assert(sizeof(long) == 4, "the framework's long is 32 bits");
