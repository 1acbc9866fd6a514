#include "controls/KEditFieldControl.h"

#include "application/KClipboardManager.h"
#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "application/KNativeEvent.h"
#include "controls/EditControlActions.h"
#include "controls/NativeControlsWin32.h"
#include "controls/RichEditWin32.h"
#include "graphics/NativeTextWin32.h"

#include <cmath>

namespace {
// The action types of an edit field.
constexpr long kTextChangedAction = KControlActionEvent::TextChanged;
constexpr long kPressedAction = KControlActionEvent::EditPressed;

constexpr long kTwipsPerPoint = 20;
// Without a native window: the defaults of the queries.
constexpr double kDefaultFontSize = 12.0;
} // namespace

K_DEFINE_CLASS(KEditFieldControl, KControl, 1)

KEditFieldControl::KEditFieldControl(uint32 EditFlags)
    : m_editFlags(EditFlags)
    , m_backgroundColor(kWhite)
{
    // The native window draws the field whatever its hilite and selection, and erases its
    // own background.
    clearStateFlags(RedrawOnHiliteFlag | RedrawOnSelectionFlag | EraseBackgroundFlag);
}

KEditFieldControl::~KEditFieldControl() = default;

void KEditFieldControl::disable()
{
    sendEditAction(*this, kEditDisabledAction);
    KControl::disable();
}

bool KEditFieldControl::keyTyped(KKeyEvent& E)
{
    if (E.getKey() == KKeyboardManager::EscapeKey)
        return false;
    return getNativeWindow() != nullptr;
}

void KEditFieldControl::createNativeControl()
{
    unsigned long style = kRichEditFieldStyle;
    const uint32 flags = m_editFlags.getFlags();
    if (flags & BorderFlag)
        style |= kBorderStyle;
    if (flags & HorizontalScrollFlag)
        style |= kHorizontalScrollStyle;
    if (flags & VerticalScrollFlag)
        style |= kVerticalScrollStyle;
    if (!makeNativeWindow(kRichEditClass, m_text.getText(), style))
        return;
    clearSideMarginsWin32(getNativeWindow());
    if (m_backgroundColor != KColor(kWhite))
        setBackgroundColor(m_backgroundColor);
}

void KEditFieldControl::draw()
{
    void* window = getNativeWindow();
    if (window && isVisible() && m_backgroundColor.getTransparency() == 1.0)
        updateNativeChildWin32(window);
}

bool KEditFieldControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    uint8 character = 0;
    switch (message ? classifyEditMessageWin32(*message, character) : EditMessage::Other) {
    case EditMessage::KillFocus:
        // The selection stays in sight while the user works elsewhere (a format menu).
        keepSelectionShownWin32(message->window);
        return true;
    case EditMessage::EraseBackground:
        // The native window erases its own background, in its own colour.
        return true;
    default:
        return KControl::handleNativeEvent(Event);
    }
}

KEventReturn KEditFieldControl::mouseDownEvent(KMouseEvent& E)
{
    sendEditAction(*this, kPressedAction);
    return KControl::mouseDownEvent(E);
}

void KEditFieldControl::selectNone() { setEditSelectionWin32(getNativeWindow(), -1, -1); }

void KEditFieldControl::doUndo() { runTextCommand(EditCommand::Undo); }
void KEditFieldControl::doRedo() { runTextCommand(EditCommand::Redo); }

void KEditFieldControl::doCut()
{
    void* window = getNativeWindow();
    if (!window)
        return;
    // What goes to the clipboard manager is what the cut takes away, as with a copy.
    giveToClipboard(getSelectedRichTextWin32(window));
    runTextCommand(EditCommand::Cut);
}

void KEditFieldControl::doCopy()
{
    void* window = getNativeWindow();
    if (!window)
        return;
    sendEditCommandWin32(window, EditCommand::Copy);
    giveToClipboard(getSelectedRichTextWin32(window));
}

void KEditFieldControl::doPaste() { runTextCommand(EditCommand::Paste); }
void KEditFieldControl::doDelete() { runTextCommand(EditCommand::Clear); }

void KEditFieldControl::setFontName(const KString& Name)
{
    EditCharacterFormat format;
    format.face = Name;
    setCharacterFormat(format, kEditFace);
}

void KEditFieldControl::setFontSize(double Size, uint8 Platform)
{
    EditCharacterFormat format;
    format.twips = std::lround(kksConvertToWindowsFontSize(Size, Platform) * kTwipsPerPoint);
    setCharacterFormat(format, kEditHeight);
}

void KEditFieldControl::setFontStyle(const KFlagSet& Style)
{
    EditCharacterFormat format;
    format.style = Style.getFlags();
    setCharacterFormat(format, kEditStyle);
}

void KEditFieldControl::setAlignment(uint8 Alignment)
{
    if (void* window = getNativeWindow())
        setEditAlignmentWin32(window, Alignment);
}

void KEditFieldControl::setColor(const KColor& Color)
{
    EditCharacterFormat format;
    format.nativeColor = Color.getNativeColor();
    setCharacterFormat(format, kEditColor);
}

KString KEditFieldControl::getFontName()
{
    void* window = getNativeWindow();
    return window ? getEditCharacterFormatWin32(window).face : KString();
}

double KEditFieldControl::getFontSize()
{
    void* window = getNativeWindow();
    return window ? static_cast<double>(getEditCharacterFormatWin32(window).twips) / kTwipsPerPoint : kDefaultFontSize;
}

KFlagSet KEditFieldControl::getFontStyle()
{
    void* window = getNativeWindow();
    return KFlagSet(window ? getEditCharacterFormatWin32(window).style : 0);
}

uint8 KEditFieldControl::getAlignment()
{
    void* window = getNativeWindow();
    return window ? getEditAlignmentWin32(window) : 0;
}

KColor KEditFieldControl::getColor()
{
    void* window = getNativeWindow();
    if (!window)
        return KColor(kBlack);
    KColor color;
    color.setNativeColor(getEditCharacterFormatWin32(window).nativeColor);
    return color;
}

void KEditFieldControl::setBackgroundColor(const KColor& Color)
{
    m_backgroundColor = Color;
    if (void* window = getNativeWindow())
        setEditBackgroundWin32(window, Color.getTransparency() == 1.0, Color.getNativeColor());
}

KString KEditFieldControl::getText() const
{
    void* window = getNativeWindow();
    return window ? getRichTextWin32(window) : KString();
}

void KEditFieldControl::runTextCommand(EditCommand Command)
{
    void* window = getNativeWindow();
    if (!window)
        return;
    sendEditCommandWin32(window, Command);
    sendEditAction(*this, kTextChangedAction);
}

void KEditFieldControl::setCharacterFormat(const EditCharacterFormat& Format, uint32 Parts)
{
    if (void* window = getNativeWindow())
        setEditCharacterFormatWin32(window, Format, Parts);
}

void KEditFieldControl::giveToClipboard(const KString& Text)
{
    if (!KClipboardManager::exists())
        return;
    KStringPtr held = new KString(Text);
    KClipboardManager& clipboard = KClipboardManager::getManager();
    clipboard.setObject(*held);
    clipboard.putObject();
}
