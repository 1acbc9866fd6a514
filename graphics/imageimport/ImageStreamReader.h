#pragma once
// Reads an image stream through a buffer of its own, so that a decoder's innermost loops
// take bytes without a virtual call for each. While a reader is open it owns the stream's
// position; closing it (or its destructor) puts the stream where the reader stands.
#include "graphics/imageimport/ImageStream.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class ImageStreamReader {
public:
    explicit ImageStreamReader(ImageStream& stream);
    ~ImageStreamReader() { close(); }
    ImageStreamReader(const ImageStreamReader&) = delete;
    ImageStreamReader& operator=(const ImageStreamReader&) = delete;

    // The next byte, or -1 at the end of the stream.
    int getc() { return m_next < m_end ? *m_next++ : (fill() ? *m_next++ : -1); }
    // Copies up to `length` bytes; the number copied.
    size_t read(void* buffer, size_t length);
    bool readAll(void* buffer, size_t length) { return read(buffer, length) == length; }
    // Gives the unread bytes back to the stream.
    void close();

private:
    static constexpr size_t BufferSize = 64 * 1024;

    // Reads the next buffer's worth; false at the end of the stream.
    bool fill();

    ImageStream* m_stream;
    std::unique_ptr<uint8_t[]> m_buffer;
    const uint8_t* m_next = nullptr;
    const uint8_t* m_end = nullptr;
};
