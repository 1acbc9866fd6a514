#include "tools/dialogs/KTextFormatDialog.h"

#include "application/KControlActionEvent.h"
#include "controls/KControlsLayer.h"
#include "controls/KPushButtonControl.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KFont.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextBlockObject.h"
#include "graphics/KTextLine.h"
#include "graphics/NativeTextWin32.h"
#include "tools/controls/KImagePopUpMenuControl.h"
#include "tools/dialogs/KCustomFontSizeDialog.h"
#include "tools/dialogs/NamedVariables.h"
#include "tools/menus/KColorMenu.h"
#include "tools/menus/KFontColorMenu.h"
#include "tools/menus/KFontFaceMenu.h"
#include "tools/menus/KFontSizeMenu.h"
#include "tools/menus/KFontStyleMenu.h"
#include "tools/menus/KFormatEvent.h"

namespace {
// The button row, left to right: face, size, style, colour; each 65 by 24 at the top.
constexpr short kButtonTop = 10;
constexpr short kButtonWidth = 65;
constexpr short kButtonHeight = 24;
constexpr short kFaceLeft = 10;
constexpr short kSizeLeft = 85;
constexpr short kStyleLeft = 160;
constexpr short kColorLeft = 235;
// The pictures of the four buttons, in the program's resources.
constexpr short kFacePicture = 1984;
constexpr short kSizePicture = 1985;
constexpr short kStylePicture = 1986;
constexpr short kColorPicture = 1987;
constexpr short kPreviewInset = 8;

const KGraphicRectangle kPreviewArea(10, 40, 290, 150);

struct StyleName {
    uint32 bit;
    const char* name;
};
const StyleName kStyleNames[] = {{kFontBold, "Bold, "}, {kFontItalic, "Italic, "}, {kFontUnderline, "Underline, "}};

template <typename Menu>
Menu* menuOf(const KThingPtr& Button)
{
    auto* control = static_cast<KImagePopUpMenuControl*>(Button.get());
    return control && control->hasMenu() ? dynamic_cast<Menu*>(&control->getMenu()) : nullptr;
}
} // namespace

K_DEFINE_CLASS(KTextFormatDialog, KDialog, 1)

KTextFormatDialog::KTextFormatDialog()
{
    double size = 0.0;
    kksGetStandardFont(kSystemFont, m_face, &size);
    m_size = static_cast<short>(size);
}

KTextFormatDialog::~KTextFormatDialog() = default;

void KTextFormatDialog::setFaceButton(KImagePopUpMenuControl& Button) { m_faceButton.setObject(Button); }
void KTextFormatDialog::resetFaceButton() { m_faceButton.reset(); }
void KTextFormatDialog::setStyleButton(KImagePopUpMenuControl& Button) { m_styleButton.setObject(Button); }
void KTextFormatDialog::resetStyleButton() { m_styleButton.reset(); }
void KTextFormatDialog::setSizeButton(KImagePopUpMenuControl& Button) { m_sizeButton.setObject(Button); }
void KTextFormatDialog::resetSizeButton() { m_sizeButton.reset(); }
void KTextFormatDialog::setColorButton(KImagePopUpMenuControl& Button) { m_colorButton.setObject(Button); }
void KTextFormatDialog::resetColorButton() { m_colorButton.reset(); }

KImagePopUpMenuControl& KTextFormatDialog::getFaceButton() const
{
    return static_cast<KImagePopUpMenuControl&>(m_faceButton.getObject());
}
KImagePopUpMenuControl& KTextFormatDialog::getStyleButton() const
{
    return static_cast<KImagePopUpMenuControl&>(m_styleButton.getObject());
}
KImagePopUpMenuControl& KTextFormatDialog::getSizeButton() const
{
    return static_cast<KImagePopUpMenuControl&>(m_sizeButton.getObject());
}
KImagePopUpMenuControl& KTextFormatDialog::getColorButton() const
{
    return static_cast<KImagePopUpMenuControl&>(m_colorButton.getObject());
}

void KTextFormatDialog::open(uint8 Mode)
{
    // An open dialog is refused by the dialog's own open, before anything is rebuilt.
    if (isOpen()) {
        KDialog::open(Mode);
        return;
    }
    setTitle(KString("Text Format"));
    setBounds(KGraphicRectangle(0, 0, 310, 250));
    center();
    if (const KVariable* face = findNamedVariable(*this, KFormatEvent::kFontFace))
        m_face = face->getString();
    if (const KVariable* size = findNamedVariable(*this, KFormatEvent::kFontSize))
        m_size = static_cast<short>(size->getLong());
    if (const KVariable* style = findNamedVariable(*this, KFormatEvent::kFontStyle))
        m_style = KFlagSet(static_cast<uint32>(style->getLong()));
    if (const KVariable* color = findNamedVariable(*this, KFormatEvent::kFontColor)) {
        if (const auto* held = dynamic_cast<const KColor*>(color->getObject()))
            m_color = *held;
    }

    KFontFaceMenuPtr faces = new KFontFaceMenu;
    KFontSizeMenuPtr sizes = new KFontSizeMenu;
    KFontStyleMenuPtr styles = new KFontStyleMenu;
    KFontColorMenuPtr colors = new KFontColorMenu(KColorMenu::WebPalette);
    if (faces.hasObject(nullptr)) {
        faces->setFontFace(m_face);
        buildButton(m_faceButton, kFacePicture, *faces, kFaceLeft);
    }
    if (sizes.hasObject(nullptr)) {
        sizes->setSize(m_size);
        buildButton(m_sizeButton, kSizePicture, *sizes, kSizeLeft);
    }
    if (styles.hasObject(nullptr)) {
        styles->setStyle(m_style);
        buildButton(m_styleButton, kStylePicture, *styles, kStyleLeft);
    }
    if (colors.hasObject(nullptr)) {
        colors->setColor(m_color);
        buildButton(m_colorButton, kColorPicture, *colors, kColorLeft);
    }
    KDialog::open(Mode);
}

void KTextFormatDialog::buildButton(KThingPtr& Field, short Picture, KMenu& Menu, short Left)
{
    if (auto* old = static_cast<KImagePopUpMenuControl*>(Field.get()))
        getControlsLayer().removeControl(*old);
    Field.reset();
    KImagePopUpMenuControlPtr button = new KImagePopUpMenuControl;
    if (!button.hasObject(nullptr))
        return;
    Field.setObject(*button);
    button->setImageFromResource(Picture);
    button->setMenu(Menu);
    button->setBounds(KGraphicRectangle(Left, kButtonTop, kButtonWidth, kButtonHeight));
    getControlsLayer().addControl(*button);
}

KString KTextFormatDialog::getSampleText() const
{
    KString text(m_face);
    text += ", ";
    if (m_style.getFlags() == 0)
        text += "Plain, ";
    for (const StyleName& style : kStyleNames) {
        if (m_style.getFlags() & style.bit)
            text += style.name;
    }
    KString size;
    size.setNumber(m_size);
    text += size;
    return text;
}

void KTextFormatDialog::drawPreview(KGraphicDevice& D) const
{
    KTextBlockObjectPtr sample = new KTextBlockObject;
    KTextBlockPtr block = new KTextBlock;
    KTextLinePtr line = new KTextLine;
    if (!sample.hasObject(nullptr) || !block.hasObject(nullptr) || !line.hasObject(nullptr))
        return;
    KFont font(m_face, static_cast<double>(m_size), knsGetPlatform());
    font.setStyle(m_style);
    line->appendStyleRun(getSampleText(), font, m_color);
    block->addLine(line.get());
    sample->setTextBlock(*block);
    D.saveState();
    D.paintRect(kPreviewArea, KColor(kWhite));
    D.drawEtchedEdge(kPreviewArea);
    KGraphicRectangle inside(kPreviewArea);
    inside.inset(kPreviewInset, kPreviewInset);
    sample->draw(D, inside);
    D.restoreState();
}

bool KTextFormatDialog::draw(KWindowEvent&)
{
    drawPreview(*this);
    return false;
}

void KTextFormatDialog::takeValueOf(const KThing& Button)
{
    if (&Button == m_faceButton.get()) {
        if (KFontFaceMenu* faces = menuOf<KFontFaceMenu>(m_faceButton))
            m_face = faces->getFontFace();
    } else if (&Button == m_sizeButton.get()) {
        if (KFontSizeMenu* sizes = menuOf<KFontSizeMenu>(m_sizeButton))
            m_size = sizes->getSize();
    } else if (&Button == m_styleButton.get()) {
        if (KFontStyleMenu* styles = menuOf<KFontStyleMenu>(m_styleButton))
            m_style = styles->getStyle();
    } else if (&Button == m_colorButton.get()) {
        if (KColorMenu* colors = menuOf<KColorMenu>(m_colorButton))
            m_color = colors->getColor();
    }
}

void KTextFormatDialog::takeAllValues()
{
    for (const KThingPtr* button : {&m_faceButton, &m_sizeButton, &m_styleButton, &m_colorButton}) {
        if (button->hasObject(nullptr))
            takeValueOf(**button);
    }
}

void KTextFormatDialog::writeResults() const
{
    if (KVariable* face = findNamedVariable(*this, KFormatEvent::kFontFace))
        face->setString(m_face);
    if (KVariable* size = findNamedVariable(*this, KFormatEvent::kFontSize))
        size->setLong(m_size);
    if (KVariable* style = findNamedVariable(*this, KFormatEvent::kFontStyle))
        style->setLong(static_cast<long>(m_style.getFlags()));
    if (KVariable* color = findNamedVariable(*this, KFormatEvent::kFontColor)) {
        KThingPtr copy = new KColor(m_color);
        if (copy.hasObject(nullptr))
            color->setObject(*copy);
    }
}

bool KTextFormatDialog::handleControlAction(KControlActionEvent& E)
{
    if (E.getType() != KControlActionEvent::Done || !E.hasSource())
        return false;
    KThing& source = E.getSource();
    if (dynamic_cast<KPushButtonControl*>(&source)) {
        // Cancel is finished by the dialog itself: it closes and tells its receivers.
        if (!hasOKButton() || &source != &getOKButton())
            return false;
        takeAllValues();
        writeResults();
        // The click goes on: the receivers hear of the OK, and the dialog closes.
        return false;
    }
    if (dynamic_cast<KImagePopUpMenuControl*>(&source)) {
        takeValueOf(source);
        invalidate();
        return true;
    }
    return false;
}

bool KTextFormatDialog::handleEvent(KEvent& E)
{
    if (!dynamic_cast<KFormatEvent*>(&E))
        return false;
    if (!E.hasSource())
        return true;
    if (&E.getSource() == this)
        return false;
    // A size entered through "Other..." of the size button's menu reaches that menu when
    // the custom size dialog closes; the preview follows it.
    if (dynamic_cast<KCustomFontSizeDialog*>(&E.getSource()) && m_sizeButton.hasObject(nullptr)) {
        takeValueOf(*m_sizeButton);
        invalidate();
    }
    return true;
}
