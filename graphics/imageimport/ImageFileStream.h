#pragma once
// An image stream over a C library file. A stream made over a file the caller opened never
// closes it: the opener does.
#include "graphics/imageimport/ImageStream.h"

#include <cstdio>

class ImageFileStream : public ImageStream {
public:
    explicit ImageFileStream(FILE* file);
    ~ImageFileStream() override;
    ImageFileStream(const ImageFileStream&) = delete;
    ImageFileStream& operator=(const ImageFileStream&) = delete;

    bool close() override;
    size_t read(void* buffer, size_t size, size_t count) override;
    size_t write(const void* buffer, size_t size, size_t count) override;
    bool seek(long offset, int origin) override;
    long tell() override;
    long size() override;
    bool flush() override;
    bool eof() override;
    long error() override;
    bool putc(int byte) override;
    int getc() override;

private:
    FILE* m_file;
    bool m_ownsFile;
};
