#pragma once
// The byte stream every image decoder reads through, so that a decoder never needs to
// know where its bytes come from.
#include <cstddef>

class ImageStream {
public:
    virtual ~ImageStream() = default;

    virtual bool close() = 0;
    // Both return the number of whole items transferred.
    virtual size_t read(void* buffer, size_t size, size_t count) = 0;
    virtual size_t write(const void* buffer, size_t size, size_t count) = 0;
    // origin: 0 from the start, 1 from the current position, 2 from the end.
    virtual bool seek(long offset, int origin) = 0;
    virtual long tell() = 0;
    virtual long size() = 0;
    virtual bool flush() = 0;
    virtual bool eof() = 0;
    virtual long error() = 0;
    virtual bool putc(int byte);
    // The next byte, or -1 at the end.
    virtual int getc() = 0;

    // True when exactly `length` bytes arrived: decoders treat anything less as a
    // truncated file.
    bool readAll(void* buffer, size_t length) { return read(buffer, 1, length) == length; }
};
