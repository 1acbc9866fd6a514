#pragma once
// Writes one class block: class ID, version, block size and section count, then the
// numbered sections, each an ID, a length and its payload. The lengths are not known
// beforehand, so placeholders are written and patched once the block or section is
// done; the file must be able to move its position (direct or memory mode).
//
// Use one writer per block, as a local object:
//     KClassWriter writer;
//     writer.begin(F, KThing::getClassRecord());
//     writer.newSection(1);
//     F.writeLong(...);           // the fields, and complete blocks of contained objects
//     writer.end();
#include "foundation/KClass.h"

class KClassWriter : public KThing {
    K_DECLARE_CLASS(KClassWriter)
public:
    KClassWriter() = default;
    ~KClassWriter() override;

    void begin(KFile& F, KClass* C);
    // Closes the section before, if any, and starts section ID.
    void newSection(long ID);
    // Closes the last section and the block.
    void end();

private:
    void closeSection();

    KFile* m_file = nullptr;
    long m_version = 0;
    long m_sectionCount = 0;
    long m_blockSizePosition = 0;
    long m_sectionLengthPosition = 0;
    long m_sectionStart = 0;
};
