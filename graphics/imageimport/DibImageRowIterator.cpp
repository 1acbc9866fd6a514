#include "graphics/imageimport/DibImageRowIterator.h"

#include "graphics/imageimport/DibImage.h"

#include <algorithm>
#include <cstring>

DibImageRowIterator::DibImageRowIterator(DibImage& image)
    : m_image(image)
{
}

void DibImageRowIterator::toTop()
{
    m_row = m_image.getHeight() - 1;
}

void DibImageRowIterator::seekRow(long row)
{
    if (row >= 0 && row < m_image.getHeight())
        m_row = row;
}

bool DibImageRowIterator::moveDown()
{
    --m_row;
    return isValid();
}

bool DibImageRowIterator::isValid() const
{
    return m_image.isValid() && m_row >= 0 && m_row < m_image.getHeight();
}

uint8_t* DibImageRowIterator::rowPointer() const
{
    if (!isValid())
        return nullptr;
    return m_image.getBits() + size_t(m_row) * m_image.getStride();
}

void DibImageRowIterator::putRow(const uint8_t* bytes, size_t count)
{
    if (uint8_t* row = rowPointer())
        std::memcpy(row, bytes, std::min<size_t>(count, m_image.getStride()));
}

void DibImageRowIterator::copyRowTo(uint8_t* bytes, size_t count) const
{
    if (const uint8_t* row = rowPointer())
        std::memcpy(bytes, row, std::min<size_t>(count, m_image.getStride()));
}
