// The two edit controls on their RichEdit windows: the multi-line field with its
// selection, formats, edit commands and their actions, and the single-line text with its
// filter, length limit, Return action and the text it keeps across native windows.
#include "application/ClipboardWin32.h"
#include "application/KClipboardManager.h"
#include "application/KNativeEvent.h"
#include "controls/KEditFieldControl.h"
#include "controls/KEditTextControl.h"
#include "graphics/KTextLine.h"
#include "graphics/NativeTextWin32.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <cstring>

#include <richedit.h>

namespace {

// Notes each action offered to it with what the native window showed at that moment.
template <typename Base>
class Watched : public Base {
public:
    using Base::Base;
    bool handleAction(KControlActionEvent& E) override
    {
        const HWND native = nativeOf(*this);
        seen.push_back(std::to_string(E.getType()) + (native && !IsWindowEnabled(native) ? " grey" : "") + " "
                       + nativeText());
        return true;
    }
    std::string nativeText() const
    {
        char text[512] = "";
        if (nativeOf(*this))
            GetWindowTextA(nativeOf(*this), text, sizeof text);
        return text;
    }
    std::vector<std::string> seen;
};
using WatchedField = Watched<KEditFieldControl>;
using WatchedText = Watched<KEditTextControl>;

std::string heldClipboardText()
{
    KClipboardManager& clipboard = KClipboardManager::getManager();
    return clipboard.holdsObject() ? static_cast<KString&>(clipboard.getHeldObject()).getText() : "";
}

std::string selectionOf(KRichEditControl& C)
{
    long start = -9, end = -9;
    C.getSelection(start, end);
    return std::to_string(start) + "-" + std::to_string(end);
}

class EditField : public ::testing::Test {
protected:
    EditField()
    {
        field->setInitialText(KString("one\rtwo\rthree"));
        field->setBounds(KGraphicRectangle(10, 10, 200, 100));
        scope.window->addElement(*field);
    }

    ControlScope scope;
    KTypedPtr<WatchedField, KControlPtr> field = new WatchedField;
};

TEST(EditFieldAlone, WithoutANativeWindowCommandsAreSilentAndQueriesGiveTheirDefaults)
{
    InteractionScope scope;
    KTypedPtr<WatchedField, KControlPtr> field = new WatchedField;
    EXPECT_EQ(field->getStateFlags(), 0xc394u);
    EXPECT_EQ(selectionOf(*field), "-9--9");
    EXPECT_EQ(field->getSelectionStart(), 0);
    EXPECT_STREQ(field->getFontName().getText(), "");
    EXPECT_EQ(field->getFontSize(), 12.0);
    EXPECT_EQ(field->getFontStyle().getFlags(), 0u);
    EXPECT_EQ(field->getColor(), KColor(kBlack));
    EXPECT_EQ(field->getAlignment(), 0);
    EXPECT_STREQ(field->getText().getText(), "");
    field->doCut();
    field->doDelete();
    EXPECT_TRUE(field->seen.empty());
    KKeyEvent key;
    key.setKey('a');
    EXPECT_FALSE(field->keyTyped(key));
}

TEST_F(EditField, TheNativeWindowStartsFromTheInitialTextAndLosesWhatWasTypedWhenItGoes)
{
    char className[32] = "";
    GetClassNameA(nativeOf(*field), className, sizeof className);
    EXPECT_STREQ(className, "RichEdit20A");
    const LONG wanted = ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER;
    EXPECT_EQ(GetWindowLongA(nativeOf(*field), GWL_STYLE) & (wanted | WS_VSCROLL), wanted);
    EXPECT_STREQ(field->getText().getText(), "one\rtwo\rthree");

    field->setInsertionPoint(0);
    SendMessageA(nativeOf(*field), WM_CHAR, 'X', 0);
    EXPECT_STREQ(field->getText().getText(), "Xone\rtwo\rthree");
    scope.window->removeControl(*field);
    EXPECT_STREQ(field->getText().getText(), "");
    scope.window->addElement(*field);
    EXPECT_STREQ(field->getText().getText(), "one\rtwo\rthree");
}

TEST_F(EditField, SelectionsAreCharacterRangesAndFormatsApplyToThem)
{
    field->setInsertionPoint(5);
    EXPECT_EQ(selectionOf(*field), "5-5");
    EXPECT_EQ(field->getSelectionEnd(), 5);
    // Everything, the closing paragraph mark included.
    field->selectAll();
    EXPECT_EQ(selectionOf(*field), "0-14");
    field->selectNone();
    EXPECT_EQ(field->getSelectionStart(), field->getSelectionEnd());

    field->setSelection(4, 7);
    field->setFontName(KString("Arial"));
    field->setFontSize(11.5, kPlatformWindows);
    field->setFontStyle(KFlagSet(0x5));
    KColor red;
    red.setNativeColor(0x0000FF);
    field->setColor(red);
    EXPECT_STREQ(field->getFontName().getText(), "Arial");
    EXPECT_EQ(field->getFontSize(), 11.5);
    EXPECT_EQ(field->getFontStyle().getFlags(), 0x5u);
    EXPECT_EQ(field->getColor(), red);
    field->setSelection(0, 2);
    EXPECT_EQ(field->getFontStyle().getFlags(), 0u);
    EXPECT_NE(field->getColor(), red);

    // A name longer than the format holds is cut, not run past its end.
    const std::string longName(40, 'N');
    field->setFontName(KString(longName.c_str()));
    EXPECT_EQ(std::string(field->getFontName().getText()), longName.substr(0, 31));
}

TEST_F(EditField, AlignmentCoversEveryParagraphAndKeepsTheSelection)
{
    field->setSelection(1, 2);
    field->setAlignment(kAlignCenter);
    EXPECT_EQ(selectionOf(*field), "1-2");
    EXPECT_EQ(field->getAlignment(), kAlignCenter);
    EXPECT_EQ(selectionOf(*field), "1-2");
    // The last paragraph, far from the selection, is centred too.
    field->setInsertionPoint(10);
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    SendMessageA(nativeOf(*field), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.wAlignment, PFA_CENTER);
    for (uint8 alignment : {kAlignRight, kAlignJustified, kAlignLeft}) {
        field->setAlignment(alignment);
        EXPECT_EQ(field->getAlignment(), alignment);
    }
}

TEST_F(EditField, EditCommandsReportTheChangeOnceAfterItAndCopyReportsNothing)
{
    KClipboardManager::initManager();
    field->setSelection(4, 7);
    field->doCopy();
    EXPECT_TRUE(field->seen.empty());
    EXPECT_EQ(heldClipboardText(), "two");

    // The clipboard manager gets what the cut takes away.
    field->setSelection(0, 4);
    field->doCut();
    EXPECT_EQ(heldClipboardText(), "one\r");
    field->setSelection(0, 3);
    field->doDelete();
    field->doUndo();
    field->doRedo();
    field->setInsertionPoint(0);
    field->doPaste();
    // Each action arrives at once, with the command already done.
    EXPECT_EQ(field->seen, (std::vector<std::string>{"5 two\r\nthree", "5 \r\nthree", "5 two\r\nthree",
                                                     "5 \r\nthree", "5 one\r\n\r\nthree"}));
    KClipboardManager::exitManager();
}

TEST_F(EditField, KeysButEscapeAreTheFieldsAndItsPressAndDisablingAreReportedAtOnce)
{
    for (uint16 key : {uint16(KKeyboardManager::ReturnKey), uint16(KKeyboardManager::TabKey), uint16('a')}) {
        KKeyEvent typed;
        typed.setKey(key);
        EXPECT_TRUE(field->keyTyped(typed)) << key;
    }
    KKeyEvent escape;
    escape.setKey(KKeyboardManager::EscapeKey);
    EXPECT_FALSE(field->keyTyped(escape));

    // The press is reported before the field's own press action is queued.
    SendMessageA(nativeOf(*field), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(nativeOf(*field), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(field->seen, (std::vector<std::string>{"6 one\r\ntwo\r\nthree"}));
    KApplicationEvent::flushQueue();
    EXPECT_EQ(field->seen.size(), 3u);

    // Disabling is heard while the native window is still enabled.
    field->seen.clear();
    field->disable();
    EXPECT_EQ(field->seen, (std::vector<std::string>{"2 one\r\ntwo\r\nthree"}));
    EXPECT_FALSE(IsWindowEnabled(nativeOf(*field)));
}

TEST_F(EditField, ATransparentBackgroundIsAnExtendedStyleAndAnOpaqueOneItsColour)
{
    const auto transparent = [&] { return (GetWindowLongA(nativeOf(*field), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; };
    EXPECT_FALSE(transparent());
    field->setBackgroundColor(KColor(kTransparent));
    EXPECT_TRUE(transparent());
    field->setBackgroundColor(KColor(kRed));
    EXPECT_FALSE(transparent());

    // One made with a transparent background is transparent from the start.
    KEditFieldControlPtr clear = new KEditFieldControl;
    clear->setBackgroundColor(KColor(kTransparent));
    scope.window->addElement(*clear);
    EXPECT_TRUE(GetWindowLongA(nativeOf(*clear), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

class EditText : public ::testing::Test {
protected:
    EditText()
    {
        text->setBounds(KGraphicRectangle(10, 10, 200, 22));
        scope.window->addElement(*text);
    }

    // Whether the native window is kept from seeing the character.
    bool refuses(uint8 Character)
    {
        KNativeEventPtr event = new KNativeEvent;
        const KNativeMessage message{nativeOf(*text), WM_CHAR, Character, 0, 0, 0, 0};
        event->setNativeMessage(&message);
        text->handleNativeEvent(*event);
        return event->getResult() == 1;
    }

    void type(const char* Characters)
    {
        for (const char* c = Characters; *c; ++c)
            SendMessageA(nativeOf(*text), WM_CHAR, static_cast<uint8>(*c), 0);
    }

    std::string shown() const { return text->nativeText(); }

    ControlScope scope;
    KTypedPtr<WatchedText, KControlPtr> text = new WatchedText;
};

TEST_F(EditText, StartsAsAPlainSingleLineFieldOfItsPlatformsSize)
{
    EXPECT_EQ(KEditTextControlPtr(new KEditTextControl)->getSize(), KGraphicSize(80, 22));
    EXPECT_EQ(text->getStateFlags(), 0x1f394u);
    EXPECT_EQ(SendMessageA(nativeOf(*text), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT, TM_PLAINTEXT);
    EXPECT_FALSE(GetWindowLongA(nativeOf(*text), GWL_STYLE) & ES_MULTILINE);
    text->setText(KString("abc"));
    text->selectNone();
    EXPECT_EQ(selectionOf(*text), "0-0");
    // Gaining the native focus selects the whole text.
    SendMessageA(nativeOf(*text), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(selectionOf(*text), "0-4");

    // Its edit commands are not offered.
    ReportCatcher catcher;
    text->doCopy();
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Not Yet Implemented!");
    EXPECT_EQ(catcher.boxes()[0].text, "void KEditTextControl::doCopy()");
}

TEST_F(EditText, TypingIsFilteredByTheAcceptedCharactersAndStopsAtTheLimit)
{
    text->setAcceptedCharacters(KString("0123456789+-."));
    type("a5");
    EXPECT_EQ(shown(), "5");
    struct Case {
        const char* accepted;
        long length;
        uint8 character;
        bool refused;
    };
    // Tab never goes through; Backspace always does, so any field can be corrected.
    const Case cases[] = {
        {"", 0, 'a', false},    {"", 0, '\t', true},    {"", 249, 'a', false},   {"", 250, 'a', true},
        {"", 250, '\b', false}, {"0123", 0, 'a', true}, {"0123", 0, '3', false}, {"0123", 0, '\b', false},
    };
    for (const Case& c : cases) {
        text->setAcceptedCharacters(KString(c.accepted));
        text->setText(KString(std::string(static_cast<size_t>(c.length), '1').c_str()));
        EXPECT_EQ(refuses(c.character), c.refused) << c.accepted << " " << c.length << " " << int(c.character);
    }
    // A paste is filtered as typing is, in place of the selection and as far as the limit
    // leaves room; the single line takes the clipboard's first line only.
    auto paste = [&](const char* Clipboard) {
        putClipboardTextWin32(nullptr, Clipboard, static_cast<long>(std::strlen(Clipboard)));
        SendMessageA(nativeOf(*text), WM_PASTE, 0, 0);
    };
    text->setAcceptedCharacters(KString("0123456789"));
    text->setText(KString("9"));
    text->selectAll();
    paste("abc1\t2x3\r\n4");
    EXPECT_EQ(shown(), "123");
    text->setText(KString(std::string(248, '1').c_str()));
    text->selectNone();
    paste("56789");
    EXPECT_EQ(shown(), "56" + std::string(248, '1'));

    // A text set whole goes past the limit.
    text->setText(KString(std::string(300, 'x').c_str()));
    EXPECT_EQ(text->getText().getLength(), 300);
    EXPECT_EQ(shown().size(), 300u);
}

TEST_F(EditText, AFirstReturnConfirmsAndSelectsTheSecondIsLeftToTheWindow)
{
    KKeyEvent enter;
    enter.setKey(KKeyboardManager::ReturnKey);
    text->setText(KString("abc"));
    text->setInsertionPoint(1);
    EXPECT_FALSE(text->keyTyped(enter));
    text->setActionOnReturn(1);
    EXPECT_TRUE(text->keyTyped(enter));
    EXPECT_EQ(selectionOf(*text), "0-4");
    EXPECT_FALSE(text->keyTyped(enter));
    EXPECT_TRUE(text->seen.empty());
    KApplicationEvent::flushQueue();
    EXPECT_EQ(text->seen, (std::vector<std::string>{"5 abc"}));

    text->setText(KString(""));
    EXPECT_FALSE(text->keyTyped(enter));
    KKeyEvent other;
    other.setKey('a');
    EXPECT_FALSE(text->keyTyped(other));
}

TEST_F(EditText, KeepsItsTextAcrossNativeWindowsAndReportsDisablingOnlyWithTheFocus)
{
    text->setText(KString("ab"));
    text->setInsertionPoint(2);
    type("cd");
    scope.window->removeControl(*text);
    EXPECT_STREQ(text->getText().getText(), "abcd");
    scope.window->addElement(*text);
    EXPECT_EQ(shown(), "abcd");

    text->disable();
    EXPECT_TRUE(text->seen.empty());
    text->enable(true);
    KKeyboardManager::getManager().setFocusElement(*text);
    text->disable();
    EXPECT_EQ(text->seen, (std::vector<std::string>{"2 abcd"}));
}

} // namespace
