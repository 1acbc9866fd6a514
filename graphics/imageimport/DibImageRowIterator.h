#pragma once
// Walks the pixel rows of a DibImage. Rows are stored bottom-up, so "down" in the picture
// means towards stored row 0. Every access is checked against the image.
#include <cstddef>
#include <cstdint>

class DibImage;

class DibImageRowIterator {
public:
    explicit DibImageRowIterator(DibImage& image);

    // Stands on the top picture row, the last stored row.
    void toTop();
    // Stands on a stored row; rows outside the image leave the iterator where it was.
    void seekRow(long row);
    // One picture row down; false once past the bottom.
    bool moveDown();
    bool isValid() const;
    long row() const { return m_row; }
    // The current row, or null when the iterator stands outside the image.
    uint8_t* rowPointer() const;
    // Copies at most one row's stride into, or out of, the current row.
    void putRow(const uint8_t* bytes, size_t count);
    void copyRowTo(uint8_t* bytes, size_t count) const;

private:
    DibImage& m_image;
    long m_row = 0;
};
