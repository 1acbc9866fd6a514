#pragma once
// An image stream over bytes a test builds in memory.
#include "graphics/imageimport/ImageStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

class MemoryStream : public ImageStream {
public:
    explicit MemoryStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    bool close() override { return true; }
    size_t read(void* buffer, size_t size, size_t count) override
    {
        if (size == 0)
            return 0;
        const size_t available = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
        const size_t items = std::min(count, available / size);
        std::memcpy(buffer, m_bytes.data() + m_position, items * size);
        m_position += items * size;
        if (items < count)
            m_atEnd = true;
        return items;
    }
    size_t write(const void*, size_t, size_t) override { return 0; }
    bool seek(long offset, int origin) override
    {
        const long base = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? long(m_position) : long(m_bytes.size());
        if (base + offset < 0)
            return false;
        m_position = size_t(base + offset);
        m_atEnd = false;
        return true;
    }
    long tell() override { return long(m_position); }
    long size() override { return long(m_bytes.size()); }
    bool flush() override { return true; }
    bool eof() override { return m_atEnd; }
    long error() override { return 0; }
    int getc() override
    {
        uint8_t byte;
        return read(&byte, 1, 1) == 1 ? byte : -1;
    }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_position = 0;
    bool m_atEnd = false;
};
