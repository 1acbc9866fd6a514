#include "graphics/imageimport/DibImageWbmp.h"

#include "graphics/imageimport/DibImageRowIterator.h"
#include "graphics/imageimport/ImageStream.h"

#include <vector>

namespace {

constexpr const char* Corrupted = "Corrupted WBMP";

// The format's multi-byte integers: seven bits a byte, most significant first, the top bit
// set on every byte but the last. Sides beyond what an image may have are refused later.
long readInteger(ImageStream& stream, const char* failure)
{
    long value = 0;
    for (int i = 0; i < 4; ++i) {
        const int byte = stream.getc();
        if (byte < 0)
            throw failure;
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80))
            return value;
    }
    throw Corrupted;
}

} // namespace

bool DibImageWbmp::decode(ImageStream* stream)
{
    if (!stream)
        return false;
    return guardedDecode([&] { decodeOrThrow(*stream); });
}

void DibImageWbmp::decodeOrThrow(ImageStream& stream)
{
    const int type = stream.getc();
    const int fixedHeader = stream.getc();
    if (type < 0 || fixedHeader < 0)
        throw "Not a WBMP";
    if (type != 0)
        throw "Unsupported WBMP type";
    const long width = readInteger(stream, "Not a WBMP");
    const long height = readInteger(stream, "Not a WBMP");
    if (width == 0 || height == 0)
        throw Corrupted;
    if (!create(width, height, 1, FormatWbmp))
        throw "WBMP Create failed";
    setGrayPalette();

    const size_t rowBytes = size_t(width + 7) / 8;
    std::vector<uint8_t> row(rowBytes);
    DibImageRowIterator rows(*this);
    rows.toTop();
    for (long y = 0; y < height; ++y, rows.moveDown()) {
        if (!stream.readAll(row.data(), rowBytes))
            throw Corrupted;
        rows.putRow(row.data(), rowBytes);
    }
}
