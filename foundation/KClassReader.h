#pragma once
// Reads one class block and hands out its sections in order. Whatever the reading class
// does not take (later sections of a newer format, a block of another class) is stepped
// over by position, so files of other versions stay readable.
//
// Use one reader per block, as a local object:
//     KClassReader reader;
//     long version = 0, count = 0, id = -1;
//     reader.begin(F, KThing::getClassRecord(), version, count);
//     reader.nextSection(id);
//     if (id == 1) { ... read section 1 completely ... }
//     reader.end();
// or, for a block whose fields all lie in section 1:
//     if (reader.beginAtSection(F, KThing::getClassRecord(), 1)) { ... }
//     reader.end();
//
// Stored lengths are untrusted: a block or section that claims more bytes than the file
// or its block holds sets the file's error code to 40 and reads as having no sections.
// Readers of counted data check the count against getSectionBytesLeft before they
// allocate.
//
// The process-wide load state tells a document loader whether a file matched the
// current class layout: blocks of an unexpected or unknown class that were skipped, and
// blocks closed with sections left unread.
#include "foundation/KClass.h"

class KClassReader : public KThing {
    K_DECLARE_CLASS(KClassReader)
public:
    // What a container does with an element of an unregistered class, and what begin
    // does with a block of another class than expected.
    enum UnknownClassMode : uint8 {
        KeepEmptySlot = 0,
        DropElement = 1,
        RefuseClass = 2,
    };

    KClassReader() = default;
    ~KClassReader() override;

    void begin(KFile& F, KClass* C, long& Version, long& SectionCount);
    // begin, then nextSection: true when the block's first section has the ID expected,
    // the common case of blocks that keep everything in section 1.
    bool beginAtSection(KFile& F, KClass* C, long ID);
    // The next section's ID, or −1 when none is left. The previous section must have
    // been read completely or skipped.
    void nextSection(long& ID);
    void skipSection();
    void end();
    // Steps over one complete block of any class without looking at its class ID.
    void skipBlock(KFile& F);

    // Bytes of the current section not yet read; 0 outside a section.
    long getSectionBytesLeft() const;
    // Whether begin found a sound block of the class it was given (not one of another
    // class that it stepped over, nor damaged lengths).
    bool isOfClass() const { return m_ofClass; }

    static uint8 getUnknownClassMode() { return s_unknownClassMode; }
    static void setUnknownClassMode(uint8 Mode) { s_unknownClassMode = Mode; }
    static long getMismatchedBlockCount() { return s_mismatchedBlocks; }
    static long getUnreadSectionCount() { return s_unreadSections; }
    // Containers count the elements they drop in mode 1 here.
    static void countMismatchedBlock() { ++s_mismatchedBlocks; }
    static void resetLoadCounters();

    // The file error that damaged lengths leave.
    static constexpr uint8 kDamagedDataError = 40;

private:
    void markDamaged();

    static uint8 s_unknownClassMode;
    static long s_mismatchedBlocks;
    static long s_unreadSections;

    KFile* m_file = nullptr;
    long m_blockSize = 0;
    long m_sectionsLeft = 0;
    long m_blockStart = 0;
    long m_sectionsHandedOut = 0;
    long m_sectionStart = 0;
    long m_sectionLength = 0;
    bool m_ofClass = false;
};
