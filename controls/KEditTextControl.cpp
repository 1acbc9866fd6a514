#include "controls/KEditTextControl.h"

#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "application/ClipboardWin32.h"
#include "application/KNativeEvent.h"
#include "controls/EditControlActions.h"
#include "controls/RichEditWin32.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KFont.h"

#include <cstring>
#include <string>

namespace {
constexpr short kWidth = 80;
// The Mac's field is a little lower.
constexpr short kMacHeight = 20;
constexpr short kHeight = 22;
constexpr uint8 kTab = 9;
constexpr uint8 kBackspace = 8;
constexpr char kReturn = '\r';
constexpr char kLineFeed = '\n';
} // namespace

K_DEFINE_CLASS(KEditTextControl, KControl, 1)

KEditTextControl::KEditTextControl()
{
    setVariantSize(kPlatformMac, KGraphicSize(kWidth, kMacHeight));
    setVariantSize(kPlatformWindows, KGraphicSize(kWidth, kHeight));
    setVariantSize(kPlatformLinux, KGraphicSize(kWidth, kHeight));
    applyVariantSize();
}

KEditTextControl::~KEditTextControl() = default;

void KEditTextControl::disable()
{
    if (KKeyboardManager::exists()) {
        KKeyboardManager& keyboard = KKeyboardManager::getManager();
        if (keyboard.hasFocusElement() && &keyboard.getFocusElement() == this)
            sendEditAction(*this, kEditDisabledAction);
    }
    KControl::disable();
}

bool KEditTextControl::keyTyped(KKeyEvent& E)
{
    if (!getNativeWindow() || !isEnabled() || m_actionOnReturn != 1 || E.getKey() != KKeyboardManager::ReturnKey)
        return false;
    long start = 0, end = 0;
    getSelection(start, end);
    // Everything selected: the entry was confirmed already, and this Return is the window's.
    if (start <= 0 && end >= getText().getLength())
        return false;
    postActionAlways(KControlActionEvent::TextChanged);
    selectAll();
    return true;
}

bool KEditTextControl::focusLost(KKeyEvent&) { return true; }

void KEditTextControl::createNativeControl()
{
    // Only an empty window takes the plain-text mode, so the text comes after it.
    if (!makeNativeWindow(kRichEditClass, "", kRichEditLineStyle))
        return;
    setPlainTextModeWin32(getNativeWindow());
    setNativeText(m_text);
}

void KEditTextControl::destroyNativeControl()
{
    if (getNativeWindow())
        getText();
    KControl::destroyNativeControl();
}

bool KEditTextControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    uint8 character = 0;
    switch (message ? classifyEditMessageWin32(*message, character) : EditMessage::Other) {
    case EditMessage::SetFocus:
        // Whatever is typed on arrival replaces the old entry.
        if (acceptsFocus())
            selectAll();
        break;
    case EditMessage::EraseBackground:
        return true;
    case EditMessage::Paste:
        pasteFiltered();
        Event.setResult(1);
        return true;
    case EditMessage::Character:
        if (!acceptsTyped(character))
            Event.setResult(1);
        break;
    default:
        break;
    }
    return KControl::handleNativeEvent(Event);
}

bool KEditTextControl::acceptsTyped(uint8 Character) const
{
    // Backspace adds nothing, so neither the accepted characters nor the limit hold it
    // back: a full field or a numeric one can still be corrected.
    if (Character == kBackspace)
        return true;
    return acceptsCharacter(Character) && getPlainTextLengthWin32(getNativeWindow()) < m_maximumLength;
}

bool KEditTextControl::acceptsCharacter(uint8 Character) const
{
    if (Character == kTab)
        return false;
    const auto accepted = static_cast<size_t>(m_acceptedCharacters.getLength());
    return accepted == 0 || std::memchr(m_acceptedCharacters.getText(), Character, accepted);
}

void KEditTextControl::pasteFiltered()
{
    void* window = getNativeWindow();
    if (!window)
        return;
    long start = 0, end = 0;
    getEditSelectionWin32(window, start, end);
    // The pasted text takes the selection's place, so the selection's room counts.
    long room = m_maximumLength - (getPlainTextLengthWin32(window) - (end - start));
    const KString pasted = readClipboardTextWin32();
    std::string kept;
    // A single line: the text ends at its first line break, as the native field ends it.
    for (const char* c = pasted.getText(); *c && *c != kReturn && *c != kLineFeed && room > 0; ++c) {
        if (acceptsCharacter(static_cast<uint8>(*c))) {
            kept += *c;
            --room;
        }
    }
    if (!kept.empty())
        replaceEditSelectionWin32(window, KString(kept.c_str()));
}

void KEditTextControl::selectNone() { setEditSelectionWin32(getNativeWindow(), 0, 0); }

void KEditTextControl::doUndo() { knsNotYetImplemented("void KEditTextControl::doUndo()"); }
void KEditTextControl::doRedo() { knsNotYetImplemented("void KEditTextControl::doRedo()"); }
void KEditTextControl::doCut() { knsNotYetImplemented("void KEditTextControl::doCut()"); }
void KEditTextControl::doCopy() { knsNotYetImplemented("void KEditTextControl::doCopy()"); }
void KEditTextControl::doPaste() { knsNotYetImplemented("void KEditTextControl::doPaste()"); }
void KEditTextControl::doDelete() { knsNotYetImplemented("void KEditTextControl::doDelete()"); }

void KEditTextControl::setText(const KString& Text)
{
    m_text = Text;
    setNativeText(m_text);
}

const KString& KEditTextControl::getText()
{
    if (void* window = getNativeWindow())
        m_text = getPlainTextWin32(window);
    return m_text;
}
