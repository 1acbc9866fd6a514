#include "graphics/imageimport/TiffImageStream.h"

#include "graphics/imageimport/ImageStream.h"

#include <climits>
#include <cstdarg>

namespace {

ImageStream* streamOf(thandle_t handle)
{
    return static_cast<ImageStream*>(handle);
}

// libtiff's messages are never shown: its failures reach the decoder as failing results.
void silentHandler(const char*, const char*, va_list)
{
}

} // namespace

TIFF* TiffImageStream::open(ImageStream* stream, const char* mode)
{
    return open(stream, "TIFF IMAGE", mode);
}

TIFF* TiffImageStream::open(ImageStream* stream, const char* name, const char* mode)
{
    TIFFSetWarningHandler(silentHandler);
    TIFFSetErrorHandler(silentHandler);
    if (!stream)
        return nullptr;
    return TIFFClientOpen(name, mode, stream, read, write, seek, close, size, map, unmap);
}

tmsize_t TiffImageStream::read(thandle_t handle, void* buffer, tmsize_t size)
{
    return size <= 0 ? 0 : tmsize_t(streamOf(handle)->read(buffer, 1, size_t(size)));
}

tmsize_t TiffImageStream::write(thandle_t handle, void* buffer, tmsize_t size)
{
    return size <= 0 ? 0 : tmsize_t(streamOf(handle)->write(buffer, 1, size_t(size)));
}

toff_t TiffImageStream::seek(thandle_t handle, toff_t offset, int origin)
{
    // The stream takes signed 32-bit offsets; libtiff's cannot all be expressed there.
    const int64_t signedOffset = int64_t(offset);
    if (signedOffset > LONG_MAX || signedOffset < LONG_MIN)
        return toff_t(-1);
    ImageStream* stream = streamOf(handle);
    if (!stream->seek(long(signedOffset), origin))
        return toff_t(-1);
    switch (origin) {
    case SEEK_SET:
        return offset;
    case SEEK_CUR:
    case SEEK_END:
        return toff_t(stream->tell());
    default:
        return 0;
    }
}

int TiffImageStream::close(thandle_t)
{
    return 0;
}

toff_t TiffImageStream::size(thandle_t handle)
{
    return toff_t(streamOf(handle)->size());
}

int TiffImageStream::map(thandle_t, void**, toff_t*)
{
    return 0;
}

void TiffImageStream::unmap(thandle_t, void*, toff_t)
{
}
