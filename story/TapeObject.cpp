#include "story/TapeObject.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KGraphicRectangle.h"
#include "graphics/KAlphaImage.h"
#include "graphics/KGraphicDevice.h"
#include "story/Tape.h"

K_DEFINE_CLASS(TapeObject, KThing, 1)

namespace {
// The kind icon's distance from the device's top and right edges.
constexpr short kIconMargin = 16;
} // namespace

TapeObject::TapeObject() = default;

TapeObject::~TapeObject() = default;

void TapeObject::setTape(Tape& T) { m_tape.setNativePtr(&T); }
void TapeObject::resetTape() { m_tape.reset(); }
Tape& TapeObject::getTape() const { return static_cast<Tape&>(m_tape.getNativePtr()); }

void TapeObject::start() {}
void TapeObject::step() {}
void TapeObject::stop() {}
void TapeObject::drawOnPage() {}
void TapeObject::draw(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}
void TapeObject::drawWithColor(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}
void TapeObject::flip(bool, short) {}
void TapeObject::redraw() { drawOnPage(); }
void TapeObject::scaleFromTo(const KGraphicRectangle&, const KGraphicRectangle&) {}
void TapeObject::scale(double) {}
void TapeObject::scaleXY(double, double) {}
void TapeObject::offset(short, short) {}
void TapeObject::getBounds(KGraphicRectangle& Out) const { Out.set(0, 0, 0, 0); }
bool TapeObject::findMissingMedia(const KPath&, const KPathPtr&) { return false; }
void TapeObject::copyMediaTo(const KDirectory&, const KDirectory&) {}
bool TapeObject::replaceMediaFile(const KFileReference&, const KFileReference&) { return false; }
void TapeObject::collectMediaNames(KStringBag&) {}
bool TapeObject::usesMediaName(const KString&) { return false; }
bool TapeObject::keyDown(KKeyEvent&) { return false; }
bool TapeObject::mouseMoved(KMouseEvent&) { return false; }
uint8 TapeObject::mouseDown(KMouseEvent&) { return 0; }
bool TapeObject::mouseUp(KMouseEvent&) { return false; }
bool TapeObject::mouseKind4(KMouseEvent&) { return false; }

void TapeObject::drawKindIcon(KGraphicDevice& D, const KGraphicRectangle&, const KGraphicRectangle&)
{
    // Objects of no known kind have no icon.
    if (!isKnownKind(m_kind))
        return;
    KAlphaImagePtr icon(new KAlphaImage(static_cast<short>(kFirstKindIcon + m_kind), kKindIconMask));
    if (!icon.hasObject(nullptr) || !icon->hasBitmap())
        return;
    const short left = static_cast<short>(D.getBounds().getWidth() - icon->getSize().getWidth() - kIconMargin);
    icon->drawAt(D, KGraphicPoint(left, kIconMargin));
}

void TapeObject::copyFrom(const TapeObject& Other)
{
    m_kind = Other.m_kind;
    m_enabled = Other.m_enabled;
    m_label = Other.m_label;
}

void TapeObject::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, TapeObject::getClassRecord(), 1)) {
        short kind = 0;
        uint8 enabled = 0;
        F.readShort(kind);
        F.readByte(enabled);
        m_kind = static_cast<uint8>(kind);
        m_enabled = enabled != 0 ? 1 : 0;
        m_label.readFromFile(F);
    }
    reader.end();
}

void TapeObject::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, TapeObject::getClassRecord());
    writer.newSection(1);
    F.writeShort(m_kind);
    F.writeByte(m_enabled);
    m_label.writeToFile(F, 1);
    writer.end();
}
