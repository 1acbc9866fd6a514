#pragma once
// An object of an old tape: the old kinds of story object derive from it, and each turns
// itself into the current tape object of its kind.
//
// Record: the kind as 32 bits (of which the low byte counts) and the enabled byte; each
// kind's own record follows.
#include "foundation/KFileReference.h"
#include "graphics/KColor.h"
#include "story/TapeObject.h"
#include "story/oldformat/ZClass.h"

class ZColor;
class ZFile;
class ZRectangle;

class ZTapeObject : public ZThing {
    Z_DECLARE_CLASS(ZTapeObject)
public:
    ZTapeObject() = default;

    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    // A new current tape object of the same kind, with the old settings; empty for a
    // bare tape object, which has no kind to become.
    virtual TapeObjectPtr convertToKTapeObject() const;

    uint8 getKind() const { return m_kind; }
    bool isEnabled() const { return m_enabled != 0; }

protected:
    void setKind(uint8 Kind) { m_kind = Kind; }
    // Each kind's own record follows the tape object's, under its own class record.
    bool readOwnRecord(const ZClass* Own, ZFile& F, long& Version);
    void writeOwnRecord(ZFile& F);

    // The media file an old object names, as a path of the running platform.
    static KFileReference mediaFileReference(const ZFile& File);
    static KColor convertedColor(const ZColor& Color);
    static KGraphicRectangle convertedBounds(const ZRectangle& Bounds);
    // "My Voice Male" and "My Voice Female" were renamed; other voices stay.
    static ZString currentVoiceName(const ZString& Voice);

private:
    uint8 m_enabled = 1;
    uint8 m_kind = 0;
};
