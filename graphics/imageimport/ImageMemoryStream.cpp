#include "graphics/imageimport/ImageMemoryStream.h"

#include <algorithm>
#include <cstring>

ImageMemoryStream::ImageMemoryStream(std::vector<uint8_t> bytes)
    : m_bytes(std::move(bytes))
{
}

bool ImageMemoryStream::readFrom(FILE* file)
{
    if (!file)
        return false;
    const long start = std::ftell(file);
    if (start < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return false;
    const long end = std::ftell(file);
    std::fseek(file, start, SEEK_SET);
    if (end < start || end - start > MaxFileSize)
        return false;
    m_bytes.resize(size_t(end - start));
    // A file that shrank meanwhile gives what it still has.
    m_bytes.resize(std::fread(m_bytes.data(), 1, m_bytes.size(), file));
    m_position = 0;
    m_atEnd = false;
    return true;
}

bool ImageMemoryStream::close()
{
    m_bytes.clear();
    m_position = 0;
    return true;
}

size_t ImageMemoryStream::read(void* buffer, size_t size, size_t count)
{
    if (size == 0 || count == 0)
        return 0;
    const size_t left = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
    const size_t wanted = count <= left / size + 1 ? size * count : left + 1;
    const size_t taken = std::min(wanted, left);
    if (taken < wanted)
        m_atEnd = true;
    if (taken > 0)
        std::memcpy(buffer, m_bytes.data() + m_position, taken);
    m_position += taken;
    return taken / size;
}

size_t ImageMemoryStream::write(const void*, size_t, size_t)
{
    return 0;
}

bool ImageMemoryStream::seek(long offset, int origin)
{
    long base = 0;
    if (origin == SEEK_CUR)
        base = long(m_position);
    else if (origin == SEEK_END)
        base = long(m_bytes.size());
    else if (origin != SEEK_SET)
        return false;
    // Positions past the end are allowed, as on a C stream; reads there find the end.
    if ((offset < 0 && base < -offset) || (offset > 0 && base > 0x7FFFFFFFL - offset))
        return false;
    m_position = size_t(base + offset);
    m_atEnd = false;
    return true;
}

int ImageMemoryStream::getc()
{
    if (m_position < m_bytes.size())
        return m_bytes[m_position++];
    m_atEnd = true;
    return -1;
}
