#pragma once
// Reads GIF 87a and 89a images with the system's own LZW decoder: one frame into a 1-, 4-
// or 8-bit image, frames over earlier ones where the disposal method keeps them, and, for
// files whose frames differ from the logical screen, all frames composed at 24 bits.
#include "graphics/imageimport/DibImage.h"

#include <vector>

class DibImageRowIterator;

class DibImageGif : public DibImage {
public:
    DibImageGif();
    bool decode(ImageStream* stream);

    long getLoopCount() const { return m_loopCount; }
    const char* getComment() const { return m_comment; }
    long getDisposal() const { return m_disposal; }

    // Copies the indices of `source` onto `target`, shifted by the offsets, leaving the
    // target as it was where the source is transparent or has no pixel.
    static void pasteFrame(DibImage& target, const DibImage& source, long xOffset, long yOffset);

private:
    struct Descriptor {
        long left, top, width, height;
        uint8_t flags;
    };
    struct ExtensionState {
        uint8_t control[4];
        long transIndex;
        long delay;
        long disposal;
    };
    static constexpr int TableSize = 4096;

    void decodeOrThrow(ImageStream& stream);
    bool readExtension(ImageStream& stream);
    long countFrames(ImageStream& stream);
    static bool readDescriptor(ImageStream& stream, Descriptor& descriptor);
    static void readImageData(ImageStream& stream, int& codeSize, std::vector<uint8_t>& data);
    void setFramePalette(const uint8_t* table, int colours);
    ExtensionState saveExtensions() const;
    void restoreExtensions(const ExtensionState& state);

    // LZW: 0 when done, -20 for a bad initial code size, -1 when a line fell outside the
    // image, -30 for a code chain longer than the table (a corrupt image).
    int decodeLzw(const std::vector<uint8_t>& data, int codeSize, DibImageRowIterator& rows, long lineWidth);
    void initCodeTable(int codeSize);
    int nextCode();
    int putLine(DibImageRowIterator& rows, uint8_t* line, long length);

    uint8_t m_control[4] = {};
    bool m_interlaced = false;
    long m_currentRow = 0;
    long m_rowStep = 8;
    long m_imageHeight = 0;
    long m_pass = 0;

    const std::vector<uint8_t>* m_data = nullptr;
    size_t m_dataPosition = 0;
    uint32_t m_bitBuffer = 0;
    int m_bitsInBuffer = 0;
    int m_codeSize = 0;
    int m_currentSize = 0;
    int m_clearCode = 0;
    int m_endCode = 0;
    int m_firstFree = 0;
    int m_nextSlot = 0;
    int m_topSlot = 0;
    uint8_t m_stack[TableSize] = {};
    uint8_t m_suffix[TableSize] = {};
    uint16_t m_prefix[TableSize] = {};

    char m_comment[256] = {};
    long m_loopCount = 0;
    long m_disposal = 0;
};
