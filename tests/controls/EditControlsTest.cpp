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

using Texts = std::vector<std::string>;

// Notes each action offered to it with what the native window showed at that moment.
template <typename Base>
class Watched : public Base {
public:
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
    std::string text() { return Base::getText().getText(); }
    Texts seen;
};

std::string selectionOf(KRichEditControl& C)
{
    long start = -9, end = -9;
    C.getSelection(start, end);
    return std::to_string(start) + "-" + std::to_string(end);
}

bool typed(KControl& C, uint16 Key)
{
    KKeyEvent event;
    event.setKey(Key);
    return C.keyTyped(event);
}

// A control of the kind placed in the scope's hidden window.
template <typename Control>
class PlacedEdit : public ::testing::Test {
protected:
    ControlScope scope;
    KTypedPtr<Watched<Control>, KControlPtr> edit = new Watched<Control>;
};

class EditField : public PlacedEdit<KEditFieldControl> {
protected:
    EditField()
    {
        edit->setInitialText(KString("one\rtwo\rthree"));
        edit->setBounds(KGraphicRectangle(10, 10, 200, 100));
        scope.window->addElement(*edit);
    }
};

TEST(EditFieldAlone, WithoutANativeWindowCommandsAreSilentAndQueriesGiveTheirDefaults)
{
    InteractionScope scope;
    KTypedPtr<Watched<KEditFieldControl>, KControlPtr> field = new Watched<KEditFieldControl>;
    EXPECT_EQ(selectionOf(*field), "-9--9");
    EXPECT_EQ(field->getSelectionStart(), 0);
    EXPECT_EQ(field->text(), "");
    field->doCut();
    field->doDelete();
    EXPECT_TRUE(field->seen.empty());
    EXPECT_FALSE(typed(*field, 'a'));
}

TEST_F(EditField, TheNativeWindowStartsFromTheInitialTextAndLosesWhatWasTypedWhenItGoes)
{
    const LONG wanted = ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER;
    EXPECT_EQ(GetWindowLongA(nativeOf(*edit), GWL_STYLE) & (wanted | WS_VSCROLL), wanted);
    edit->setInsertionPoint(0);
    SendMessageA(nativeOf(*edit), WM_CHAR, 'X', 0);
    EXPECT_EQ(edit->text(), "Xone\rtwo\rthree");
    scope.window->removeControl(*edit);
    EXPECT_EQ(edit->text(), "");
    scope.window->addElement(*edit);
    EXPECT_EQ(edit->text(), "one\rtwo\rthree");
}

TEST_F(EditField, SelectionsAreCharacterRangesAndFormatsApplyToThem)
{
    edit->setInsertionPoint(5);
    EXPECT_EQ(selectionOf(*edit), "5-5");
    EXPECT_EQ(edit->getSelectionEnd(), 5);
    // Everything, the closing paragraph mark included.
    edit->selectAll();
    EXPECT_EQ(selectionOf(*edit), "0-14");
    edit->selectNone();
    EXPECT_EQ(edit->getSelectionStart(), edit->getSelectionEnd());

    edit->setSelection(4, 7);
    edit->setFontName(KString("Arial"));
    edit->setFontSize(11.5, kPlatformWindows);
    edit->setFontStyle(KFlagSet(0x5));
    KColor red;
    red.setNativeColor(0x0000FF);
    edit->setColor(red);
    EXPECT_STREQ(edit->getFontName().getText(), "Arial");
    EXPECT_EQ(edit->getFontSize(), 11.5);
    EXPECT_EQ(edit->getFontStyle().getFlags(), 0x5u);
    EXPECT_EQ(edit->getColor(), red);
    edit->setSelection(0, 2);
    EXPECT_EQ(edit->getFontStyle().getFlags(), 0u);
    EXPECT_NE(edit->getColor(), red);
    // A name longer than the format holds is cut, not run past its end.
    const std::string longName(40, 'N');
    edit->setFontName(KString(longName.c_str()));
    EXPECT_EQ(std::string(edit->getFontName().getText()), longName.substr(0, 31));
}

TEST_F(EditField, AlignmentCoversEveryParagraphAndKeepsTheSelection)
{
    edit->setSelection(1, 2);
    edit->setAlignment(kAlignCenter);
    EXPECT_EQ(edit->getAlignment(), kAlignCenter);
    EXPECT_EQ(selectionOf(*edit), "1-2");
    // The last paragraph, far from the selection, is centred too.
    edit->setInsertionPoint(10);
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    SendMessageA(nativeOf(*edit), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.wAlignment, PFA_CENTER);
    for (uint8 alignment : {kAlignRight, kAlignJustified, kAlignLeft}) {
        edit->setAlignment(alignment);
        EXPECT_EQ(edit->getAlignment(), alignment);
    }
}

TEST_F(EditField, EditCommandsReportTheChangeOnceAfterItAndCopyReportsNothing)
{
    KClipboardManager::initManager();
    KClipboardManager& clipboard = KClipboardManager::getManager();
    const auto held = [&] { return std::string(static_cast<KString&>(clipboard.getHeldObject()).getText()); };
    edit->setSelection(4, 7);
    edit->doCopy();
    EXPECT_TRUE(edit->seen.empty());
    EXPECT_EQ(held(), "two");
    // The clipboard manager gets what the cut takes away.
    edit->setSelection(0, 4);
    edit->doCut();
    EXPECT_EQ(held(), "one\r");
    edit->setSelection(0, 3);
    edit->doDelete();
    edit->doUndo();
    edit->doRedo();
    edit->setInsertionPoint(0);
    edit->doPaste();
    // Each action arrives at once, with the command already done.
    EXPECT_EQ(edit->seen, (Texts{"5 two\r\nthree", "5 \r\nthree", "5 two\r\nthree", "5 \r\nthree", "5 one\r\n\r\nthree"}));
    KClipboardManager::exitManager();
}

TEST_F(EditField, KeysButEscapeAreTheFieldsAndItsPressAndDisablingAreReportedAtOnce)
{
    for (uint16 key : {uint16(KKeyboardManager::ReturnKey), uint16(KKeyboardManager::TabKey), uint16('a')})
        EXPECT_TRUE(typed(*edit, key)) << key;
    EXPECT_FALSE(typed(*edit, KKeyboardManager::EscapeKey));
    // The press is reported before the field's own press action is queued.
    SendMessageA(nativeOf(*edit), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(nativeOf(*edit), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(edit->seen, (Texts{"6 one\r\ntwo\r\nthree"}));
    KApplicationEvent::flushQueue();
    EXPECT_EQ(edit->seen.size(), 3u);
    // Disabling is heard while the native window is still enabled.
    edit->seen.clear();
    edit->disable();
    EXPECT_EQ(edit->seen, (Texts{"2 one\r\ntwo\r\nthree"}));
    EXPECT_FALSE(IsWindowEnabled(nativeOf(*edit)));
}

TEST_F(EditField, ATransparentBackgroundIsAnExtendedStyleAndAnOpaqueOneItsColour)
{
    const auto transparent = [](const KControl& C) { return (GetWindowLongA(nativeOf(C), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; };
    EXPECT_FALSE(transparent(*edit));
    edit->setBackgroundColor(KColor(kTransparent));
    EXPECT_TRUE(transparent(*edit));
    edit->setBackgroundColor(KColor(kRed));
    EXPECT_FALSE(transparent(*edit));
    // One made with a transparent background is transparent from the start.
    KEditFieldControlPtr clear = new KEditFieldControl;
    clear->setBackgroundColor(KColor(kTransparent));
    scope.window->addElement(*clear);
    EXPECT_TRUE(transparent(*clear));
}

class EditText : public PlacedEdit<KEditTextControl> {
protected:
    EditText()
    {
        edit->setBounds(KGraphicRectangle(10, 10, 200, 22));
        scope.window->addElement(*edit);
    }

    // Whether the native window is kept from seeing the character.
    bool refuses(uint8 Character)
    {
        KNativeEventPtr event = new KNativeEvent;
        const KNativeMessage message{nativeOf(*edit), WM_CHAR, Character, 0, 0, 0, 0};
        event->setNativeMessage(&message);
        edit->handleNativeEvent(*event);
        return event->getResult() == 1;
    }

    void type(const char* Characters)
    {
        for (const char* c = Characters; *c; ++c)
            SendMessageA(nativeOf(*edit), WM_CHAR, static_cast<uint8>(*c), 0);
    }

    void setText(const std::string& Text) { edit->setText(KString(Text.c_str())); }
    std::string shown() const { return edit->nativeText(); }
};

TEST_F(EditText, IsAPlainSingleLineThatSelectsEverythingWithTheFocusAndOffersNoCommands)
{
    EXPECT_EQ(SendMessageA(nativeOf(*edit), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT, TM_PLAINTEXT);
    EXPECT_FALSE(GetWindowLongA(nativeOf(*edit), GWL_STYLE) & ES_MULTILINE);
    setText("abc");
    edit->selectNone();
    EXPECT_EQ(selectionOf(*edit), "0-0");
    SendMessageA(nativeOf(*edit), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(selectionOf(*edit), "0-4");

    ReportCatcher catcher;
    edit->doCopy();
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption + " " + catcher.boxes()[0].text,
              "Not Yet Implemented! void KEditTextControl::doCopy()");
}

TEST_F(EditText, TypingIsFilteredByTheAcceptedCharactersAndStopsAtTheLimit)
{
    edit->setAcceptedCharacters(KString("0123456789+-."));
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
        edit->setAcceptedCharacters(KString(c.accepted));
        setText(std::string(static_cast<size_t>(c.length), '1'));
        EXPECT_EQ(refuses(c.character), c.refused) << c.accepted << " " << c.length << " " << int(c.character);
    }

    // A paste is filtered as typing is, in place of the selection and as far as the limit
    // leaves room; the single line takes the clipboard's first line only.
    auto paste = [&](const char* Clipboard) {
        putClipboardTextWin32(nullptr, Clipboard, static_cast<long>(std::strlen(Clipboard)));
        SendMessageA(nativeOf(*edit), WM_PASTE, 0, 0);
    };
    edit->setAcceptedCharacters(KString("0123456789"));
    setText("9");
    edit->selectAll();
    paste("abc1\t2x3\r\n4");
    EXPECT_EQ(shown(), "123");
    setText(std::string(248, '1'));
    edit->selectNone();
    paste("56789");
    EXPECT_EQ(shown(), "56" + std::string(248, '1'));
    // A text set whole goes past the limit.
    setText(std::string(300, 'x'));
    EXPECT_EQ(edit->getText().getLength(), 300);
    EXPECT_EQ(shown().size(), 300u);
}

TEST_F(EditText, AFirstReturnConfirmsAndSelectsTheSecondIsLeftToTheWindow)
{
    setText("abc");
    edit->setInsertionPoint(1);
    EXPECT_FALSE(typed(*edit, KKeyboardManager::ReturnKey));
    edit->setActionOnReturn(1);
    EXPECT_TRUE(typed(*edit, KKeyboardManager::ReturnKey));
    EXPECT_EQ(selectionOf(*edit), "0-4");
    EXPECT_FALSE(typed(*edit, KKeyboardManager::ReturnKey));
    EXPECT_TRUE(edit->seen.empty());
    KApplicationEvent::flushQueue();
    EXPECT_EQ(edit->seen, (Texts{"5 abc"}));

    setText("");
    EXPECT_FALSE(typed(*edit, KKeyboardManager::ReturnKey));
    EXPECT_FALSE(typed(*edit, 'a'));
}

TEST_F(EditText, KeepsItsTextAcrossNativeWindowsAndReportsDisablingOnlyWithTheFocus)
{
    setText("ab");
    edit->setInsertionPoint(2);
    type("cd");
    scope.window->removeControl(*edit);
    EXPECT_EQ(edit->text(), "abcd");
    scope.window->addElement(*edit);
    EXPECT_EQ(shown(), "abcd");

    edit->disable();
    EXPECT_TRUE(edit->seen.empty());
    edit->enable(true);
    KKeyboardManager::getManager().setFocusElement(*edit);
    edit->disable();
    EXPECT_EQ(edit->seen, (Texts{"2 abcd"}));
}

} // namespace
