#include "graphics/imageimport/JpegStreamManager.h"

#include "graphics/imageimport/ImageStream.h"

#include <jerror.h>

JpegStreamManager::JpegStreamManager(ImageStream* stream)
    : m_source{}
    , m_stream(stream)
    , m_buffer(new JOCTET[BufferSize])
{
    m_source.init_source = initSource;
    m_source.fill_input_buffer = fillInputBuffer;
    m_source.skip_input_data = skipInputData;
    m_source.resync_to_restart = jpeg_resync_to_restart;
    m_source.term_source = termSource;
    m_source.next_input_byte = nullptr;
    m_source.bytes_in_buffer = 0;
}

JpegStreamManager::~JpegStreamManager()
{
    delete[] m_buffer;
}

JpegStreamManager* JpegStreamManager::from(j_decompress_ptr info)
{
    return reinterpret_cast<JpegStreamManager*>(info->src);
}

void JpegStreamManager::initSource(j_decompress_ptr info)
{
    from(info)->m_startOfFile = true;
}

boolean JpegStreamManager::fillInputBuffer(j_decompress_ptr info)
{
    JpegStreamManager* self = from(info);
    size_t count = self->m_stream->read(self->m_buffer, 1, BufferSize);
    if (count == 0) {
        if (self->m_startOfFile)
            ERREXIT(info, JERR_INPUT_EMPTY);
        // A file cut short ends as if its end-of-image marker had come.
        WARNMS(info, JWRN_JPEG_EOF);
        self->m_buffer[0] = 0xFF;
        self->m_buffer[1] = JPEG_EOI;
        count = 2;
    }
    self->m_source.next_input_byte = self->m_buffer;
    self->m_source.bytes_in_buffer = count;
    self->m_startOfFile = false;
    return TRUE;
}

void JpegStreamManager::skipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    JpegStreamManager* self = from(info);
    while (size_t(count) > self->m_source.bytes_in_buffer) {
        count -= long(self->m_source.bytes_in_buffer);
        fillInputBuffer(info);
    }
    self->m_source.next_input_byte += count;
    self->m_source.bytes_in_buffer -= size_t(count);
}

void JpegStreamManager::termSource(j_decompress_ptr)
{
}
