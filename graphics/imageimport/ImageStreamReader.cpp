#include "graphics/imageimport/ImageStreamReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

ImageStreamReader::ImageStreamReader(ImageStream& stream)
    : m_stream(&stream)
    , m_buffer(new uint8_t[BufferSize])
{
    m_next = m_end = m_buffer.get();
}

bool ImageStreamReader::fill()
{
    if (!m_stream)
        return false;
    const size_t got = m_stream->read(m_buffer.get(), 1, BufferSize);
    m_next = m_buffer.get();
    m_end = m_next + got;
    return got > 0;
}

size_t ImageStreamReader::read(void* buffer, size_t length)
{
    auto* out = static_cast<uint8_t*>(buffer);
    size_t copied = 0;
    while (copied < length) {
        if (m_next == m_end && !fill())
            break;
        const size_t chunk = std::min<size_t>(length - copied, size_t(m_end - m_next));
        std::memcpy(out + copied, m_next, chunk);
        m_next += chunk;
        copied += chunk;
    }
    return copied;
}

void ImageStreamReader::close()
{
    if (!m_stream)
        return;
    if (m_end > m_next)
        m_stream->seek(-long(m_end - m_next), SEEK_CUR);
    m_next = m_end = m_buffer.get();
    m_stream = nullptr;
}
