#pragma once
// For the tests of the format event, the standard menus and the format dialogs: an
// application and stand-in windows that note the format events reaching them as
// "<name> format <kind> <variable>=<value>...", a scope with the managers, the dialog
// handler and the tools library open, and a user's choice of a menu item.
#include "application/KDialogHandler.h"
#include "application/KMenu.h"
#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/CommonDialogsWin32.h"
#include "graphics/NativeDeviceWin32.h"
#include "application/NativeMenusWin32.h"
#include "application/KCustomMenuItem.h"
#include "foundation/KVariable.h"
#include "graphics/KColor.h"
#include "tests/application/InteractionTestSupport.h"
#include "tools/KToolsLibrary.h"
#include "tools/menus/KFormatEvent.h"

#include <cstdio>
#include <string>

inline std::string colourText(const KColor& C)
{
    char text[24];
    std::snprintf(text, sizeof text, "%04X%04X%04X", C.getRed(), C.getGreen(), C.getBlue());
    return text;
}

inline std::string valueText(const KVariable& V)
{
    if (V.getType() == KVariable::String)
        return V.getString().getText();
    if (V.getType() == KVariable::Object) {
        const auto* colour = dynamic_cast<const KColor*>(V.getObject());
        return colour ? colourText(*colour) : "object";
    }
    return std::to_string(V.getLong());
}

// The kind, then every variable of the event in a fixed order of names, then the class of
// the source when there is one.
inline std::string formatText(const KFormatEvent& E)
{
    std::string text = std::to_string(E.getKind());
    long named = 0;
    for (const char* name : {KFormatEvent::kFontFace, KFormatEvent::kFontSize, KFormatEvent::kFontStyle,
                             KFormatEvent::kFontColor, KFormatEvent::kBackgroundColor, KFormatEvent::kAlignment}) {
        KVariable value;
        if (E.findVariable(name, value)) {
            text += std::string(" ") + name + "=" + valueText(value);
            ++named;
        }
    }
    if (named != E.getVariableCount())
        text += " and others";
    if (E.hasSource())
        text += std::string(" from ") + E.getSource().getClass().getName();
    return text;
}

inline std::string formatNote(KEvent& E)
{
    auto* format = dynamic_cast<KFormatEvent*>(&E);
    return format ? "format " + formatText(*format) : "event " + std::to_string(E.getType());
}

class FormatApplication : public LoggingApplication {
public:
    bool handleEvent(KEvent& E) override { return answers.noted(name, formatNote(E)) != 0; }
};

// A window of a layer that is open and shown without a native window of its own, so that
// the window manager offers it events at no cost.
class StandInWindow : public KWindow {
public:
    StandInWindow(const char* Name, long Layer)
        : name(Name)
    {
        setWindowLayer(Layer);
    }
    void open(uint8 Mode) override { finishOpen(Mode); }
    bool handleEvent(KEvent& E) override { return answers.noted(name, formatNote(E)) != 0; }

    std::string name;
    Answers answers;
};
K_POINTER_CLASS(StandInWindow, KWindowPtr);

// The lines of the log that tell of events (format events without the word "format").
inline Log formatNotes()
{
    Log lines;
    for (const std::string& line : interactionLog()) {
        const size_t at = line.find(" format ");
        if (at != std::string::npos)
            lines.push_back(line.substr(0, at) + " " + line.substr(at + 8));
        else if (line.find(" event ") != std::string::npos)
            lines.push_back(line);
    }
    interactionLog().clear();
    return lines;
}

class FormatScope : public ApplicationScope<FormatApplication> {
public:
    FormatScope()
    {
        interactionLog().clear();
        (*this)->createWindowManager(*KWindowManager::getClassRecord());
        KTimerManager::initManager();
        KCursorManager::initManager();
        KKeyboardManager::initManager();
        KMenuManager::create();
        KDialogHandler::initDialogHandler();
        KToolsLibrary::openToolsLibrary();
    }
    ~FormatScope()
    {
        setCommonDialogAnswersWin32({});
        setPopupMenuTrackerWin32(nullptr);
        KToolsLibrary::closeToolsLibrary();
        KDialogHandler::exitDialogHandler();
        KMenuManager::destroy();
        KKeyboardManager::exitManager();
        KCursorManager::exitManager();
        KTimerManager::exitManager();
        (*this)->destroyWindowManager();
    }
};

// The user chooses the item at the 1-based position, as the platform reports it.
inline void choose(KMenu& Menu, long Position)
{
    KMenuEventPtr choice = new KMenuEvent;
    choice->setType(KMenuEvent::ItemChosen);
    choice->setMenu(Menu);
    choice->setMenuItem(static_cast<KMenuItem&>(Menu.getItems()[Position - 1]));
    KEvent::send(*choice);
}

inline KMenuItem& itemAt(const KMenu& Menu, long Position)
{
    return static_cast<KMenuItem&>(Menu.getItems()[Position - 1]);
}

// The positions of the checked items, as "1 4".
inline std::string checkedItems(const KMenu& Menu)
{
    std::string text;
    for (long i = 1; i <= Menu.getItemCount(); ++i) {
        if (itemAt(Menu, i).isChecked())
            text += (text.empty() ? "" : " ") + std::to_string(i);
    }
    return text;
}

// The items as "title#ID^shortcut|...", the ID only when set, a separator empty.
inline std::string titles(const KMenu& Menu)
{
    std::string text;
    for (long i = 1; i <= Menu.getItemCount(); ++i) {
        const KMenuItem& item = itemAt(Menu, i);
        text += (i > 1 ? "|" : "") + std::string(item.getTitle().getText());
        if (item.getID() >= 0)
            text += "#" + std::to_string(item.getID());
        if (item.hasShortcut())
            text += std::string("^") + item.getShortcutKey();
    }
    return text;
}

// The colour chooser answers with Colour, or is cancelled when there is none.
inline void answerColourChooser(const KColor* Colour)
{
    CommonDialogAnswersWin32 answers;
    const bool pick = Colour != nullptr;
    const uint32 native = pick ? Colour->getNativeColor() : 0;
    answers.chooseColor = [pick, native](void* Record) {
        static_cast<CHOOSECOLORA*>(Record)->rgbResult = native;
        return pick;
    };
    setCommonDialogAnswersWin32(answers);
}

// The platform asks Window (open, hidden) to draw the cell into Pixels at Cell, selected
// or not, as it does for an owner-drawn menu entry.
inline void drawCell(KWindow& Window, KCustomMenuItem& Item, KGraphicDevice& Pixels, RECT Cell, bool Selected)
{
    DRAWITEMSTRUCT request{ODT_MENU, 0, static_cast<UINT>(Item.getNativeID()), ODA_DRAWENTIRE,
                           Selected ? static_cast<UINT>(ODS_SELECTED) : 0u, nullptr, getHDCWin32(Pixels), Cell,
                           reinterpret_cast<ULONG_PTR>(&Item)};
    if (Selected)
        request.itemAction = ODA_SELECT;
    SendMessageA(static_cast<HWND>(Window.getNativeWindow()), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&request));
}

inline COLORREF pixelAt(const KGraphicDevice& D, short H, short V) { return D.getPixel(H, V).getNativeColor(); }
