#pragma once
// libjpeg's source manager over an image stream: libjpeg pulls the compressed bytes through
// it 4096 at a time.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

class ImageStream;

class JpegStreamManager {
public:
    explicit JpegStreamManager(ImageStream* stream);
    ~JpegStreamManager();
    JpegStreamManager(const JpegStreamManager&) = delete;
    JpegStreamManager& operator=(const JpegStreamManager&) = delete;

    // The record to install as the decompressor's source.
    jpeg_source_mgr* source() { return &m_source; }

private:
    static constexpr size_t BufferSize = 4096;

    static JpegStreamManager* from(j_decompress_ptr info);
    static void initSource(j_decompress_ptr info);
    static boolean fillInputBuffer(j_decompress_ptr info);
    static void skipInputData(j_decompress_ptr info, long count);
    static void termSource(j_decompress_ptr info);

    // First, so that the record's address is the object's.
    jpeg_source_mgr m_source;
    ImageStream* m_stream;
    JOCTET* m_buffer;
    bool m_startOfFile = true;
};
