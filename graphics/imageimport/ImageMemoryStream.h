#pragma once
// An image stream over a whole file held in memory. Decoders take many small reads, single
// bytes and steps over sub-blocks; served from memory none of them costs a call into the C
// library's locked stream or the system. End-of-file and seeking behave as on a C stream:
// the end is noticed by a read that wanted more, and a seek clears it.
#include "graphics/imageimport/ImageStream.h"

#include <cstdint>
#include <cstdio>
#include <vector>

class ImageMemoryStream : public ImageStream {
public:
    // Files larger than this are decoded from the file itself.
    static constexpr long MaxFileSize = 256L * 1024 * 1024;

    ImageMemoryStream() = default;
    explicit ImageMemoryStream(std::vector<uint8_t> bytes);

    // Takes the rest of the file from its current position. False, with the file where it
    // stood, when its size is unknown or above MaxFileSize.
    bool readFrom(FILE* file);

    const uint8_t* data() const { return m_bytes.data(); }

    bool close() override;
    size_t read(void* buffer, size_t size, size_t count) override;
    // The stream is for reading: writes take nothing.
    size_t write(const void* buffer, size_t size, size_t count) override;
    bool seek(long offset, int origin) override;
    long tell() override { return long(m_position); }
    long size() override { return long(m_bytes.size()); }
    bool flush() override { return true; }
    bool eof() override { return m_atEnd; }
    long error() override { return 0; }
    int getc() override;

private:
    std::vector<uint8_t> m_bytes;
    size_t m_position = 0;
    bool m_atEnd = false;
};
