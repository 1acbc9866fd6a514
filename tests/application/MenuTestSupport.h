#pragma once
// Menus, items, a menu bar and an application whose menu hooks write what reaches them
// into the interaction log ("<name> <what>") and answer what a test told them, with a
// window manager and the menu manager for the length of a test.
#include "application/KCustomMenu.h"
#include "application/KCustomMenuItem.h"
#include "application/KMenu.h"
#include "application/KMenuBar.h"
#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/NativeMenusWin32.h"
#include "tests/application/InteractionTestSupport.h"

#include <string>

class MenuApplication : public LoggingApplication {
public:
    KEventReturn doAbout(KMenuEvent&) override { return answers.noted(name, "about"); }
    KEventReturn doHelp(KMenuEvent&) override { return answers.noted(name, "help"); }
    KEventReturn doMenuRequest(KMenuEvent&) override { return answers.noted(name, "request"); }
    KEventReturn doMenuItem(KMenuEvent& E) override { return answers.noted(name, "item" + itemNote(E)); }
    KEventReturn doMenuOpening(KMenuEvent&) override { return answers.noted(name, "opening"); }
    KEventReturn doCustomMenuItem(KMenuEvent&) override { return answers.noted(name, "draw"); }

    // The chosen item's title, when the event names one.
    static std::string itemNote(const KMenuEvent& E)
    {
        return E.hasMenuItem() ? " " + std::string(E.getMenuItem().getTitle().getText()) : "";
    }
};

class LoggingMenuItem : public KMenuItem {
public:
    explicit LoggingMenuItem(const char* Name) : name(Name) { setTitle(Name); }
    bool doMenuItem(KMenuEvent&) override { return answers.noted(name, "item") != 0; }

    std::string name;
    Answers answers;
};
K_POINTER_CLASS(LoggingMenuItem, KMenuItemPtr);

class LoggingMenu : public KMenu {
public:
    explicit LoggingMenu(const char* Name) : name(Name) { setTitle(Name); }
    bool doMenuOpening(KMenuEvent&) override { return answers.noted(name, "opening") != 0; }
    bool doMenuItem(KMenuEvent& E) override { return answers.noted(name, "item" + MenuApplication::itemNote(E)) != 0; }

    std::string name;
    Answers answers;
};
K_POINTER_CLASS(LoggingMenu, KMenuPtr);

class LoggingMenuBar : public KMenuBar {
public:
    bool doMenuOpening(KMenuEvent&) override { return answers.noted(name, "opening") != 0; }
    bool doMenuItem(KMenuEvent&) override { return answers.noted(name, "item") != 0; }
    bool doHelp(KMenuEvent&) override { return answers.noted(name, "help") != 0; }
    bool doAbout(KMenuEvent&) override { return answers.noted(name, "about") != 0; }
    bool doMenuRequest(KMenuEvent&) override { return answers.noted(name, "request") != 0; }
    bool doCustomMenuItem(KMenuEvent&) override { return answers.noted(name, "draw") != 0; }

    std::string name = "bar";
    Answers answers;
};
K_POINTER_CLASS(LoggingMenuBar, KMenuBarPtr);

// An application with a window manager and the menu manager; pop-ups answer at once.
class MenuScope : public ApplicationScope<MenuApplication> {
public:
    MenuScope()
    {
        interactionLog().clear();
        (*this)->createWindowManager(*KWindowManager::getClassRecord());
        KMenuManager::create();
    }
    ~MenuScope()
    {
        setPopupMenuTrackerWin32(nullptr);
        KMenuManager::destroy();
        (*this)->closeMainWindow();
        (*this)->destroyWindowManager();
    }
};

// The native entries of a menu, by 0-based position.
inline std::string entryText(void* Menu, long Position)
{
    char text[256] = {};
    GetMenuStringA(static_cast<HMENU>(Menu), static_cast<UINT>(Position), text, sizeof text, MF_BYPOSITION);
    return text;
}
// The texts of the native entries at the positions, joined by "|".
inline std::string entryTexts(void* Menu, std::initializer_list<long> Positions)
{
    std::string texts;
    for (long position : Positions)
        texts += (texts.empty() ? "" : "|") + entryText(Menu, position);
    return texts;
}
inline KMenuItem& menuItem(const KMenu& Menu, long Index) { return static_cast<KMenuItem&>(Menu.getItems()[Index]); }
inline UINT entryState(void* Menu, long Position) { return GetMenuState(static_cast<HMENU>(Menu), Position, MF_BYPOSITION); }
inline void* entrySubMenu(void* Menu, long Position) { return GetSubMenu(static_cast<HMENU>(Menu), Position); }
