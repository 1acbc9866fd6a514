#include "graphics/imageimport/ImageFileStream.h"

ImageFileStream::ImageFileStream(FILE* file)
    : m_file(file)
    , m_ownsFile(file == nullptr)
{
}

ImageFileStream::~ImageFileStream()
{
    close();
}

bool ImageFileStream::close()
{
    if (!m_file || !m_ownsFile)
        return true;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return closed;
}

size_t ImageFileStream::read(void* buffer, size_t size, size_t count)
{
    return m_file ? std::fread(buffer, size, count, m_file) : 0;
}

size_t ImageFileStream::write(const void* buffer, size_t size, size_t count)
{
    return m_file ? std::fwrite(buffer, size, count, m_file) : 0;
}

bool ImageFileStream::seek(long offset, int origin)
{
    return m_file && std::fseek(m_file, offset, origin) == 0;
}

long ImageFileStream::tell()
{
    return m_file ? std::ftell(m_file) : 0;
}

long ImageFileStream::size()
{
    if (!m_file)
        return -1;
    const long position = std::ftell(m_file);
    std::fseek(m_file, 0, SEEK_END);
    const long length = std::ftell(m_file);
    std::fseek(m_file, position, SEEK_SET);
    return length;
}

bool ImageFileStream::flush()
{
    return m_file && std::fflush(m_file) == 0;
}

bool ImageFileStream::eof()
{
    return !m_file || std::feof(m_file) != 0;
}

long ImageFileStream::error()
{
    return m_file ? std::ferror(m_file) : -1;
}

bool ImageFileStream::putc(int byte)
{
    return m_file && std::fputc(byte, m_file) == (byte & 0xFF);
}

int ImageFileStream::getc()
{
    return m_file ? std::fgetc(m_file) : -1;
}
