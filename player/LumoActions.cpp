#include "player/LumoActions.h"

#include "application/KDialogHandler.h"
#include "application/KMenuBar.h"
#include "application/KMenuManager.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KernelFunctions.h"
#include "player/LumoApplication.h"
#include "player/LumoWindow.h"
#include "story/StoryWaitCursor.h"

namespace {
LumoActionsPtr s_actions;

KString numberText(long Value)
{
    KString text;
    text.setNumber(Value);
    return text;
}

// "This document's resolution (800x600) exceeds screen resolution (640x480); this
// document cannot be opened.", in the interface language.
KString tooLargeMessage(const KGraphicSize& Page, const KGraphicSize& Screen)
{
    KString text = LumoApplication::localize("This document's resolution (");
    text += numberText(Page.getWidth()) + "x" + numberText(Page.getHeight());
    text += LumoApplication::localize(") exceeds screen resolution (");
    text += numberText(Screen.getWidth()) + "x" + numberText(Screen.getHeight());
    text += LumoApplication::localize("); this document cannot be opened.");
    return text;
}

// The screen the page must fit: the display as it is, or, where the window mode changes
// the resolution, the display mode that would be chosen for the page (0 x 0 for none).
KGraphicSize screenFor(const KGraphicSize& Page)
{
    if (LumoApplication::getApplication().getWindowMode() == LumoApplication::ResolutionChangeMode)
        return knsChooseDisplayMode(Page.getWidth(), Page.getHeight(), 0);
    return KGraphicSize(static_cast<short>(knsGetScreenWidth()), static_cast<short>(knsGetScreenHeight()));
}

void updateMenus()
{
    if (KMenuManager::exists() && KMenuManager::getMenuManager().hasMenuBar())
        KMenuManager::getMenuManager().getMenuBar().sendUpdateEvents();
}
} // namespace

void LumoActions::create() { s_actions = new LumoActions; }
void LumoActions::destroy() { s_actions.reset(); }
LumoActions& LumoActions::getInstance() { return s_actions.getObject(); }
bool LumoActions::exists() { return s_actions.hasObject(nullptr); }

void LumoActions::openProject()
{
    LumoApplication& application = LumoApplication::getApplication();
    KBag types;
    types.add(KFileTypeHandler::getAssociation(application.getProjectFileType()));
    types.add(KFileTypeHandler::getAssociation(application.getOldProjectFileType()));
    KDialogHandler& dialogs = KDialogHandler::getDialogHandler();
    dialogs.setDefaultDirectory(application.getDocumentFolder());
    KFileReference chosen;
    if (!dialogs.getOpenFile(chosen, types, LumoApplication::localize("Open Project") + ":"))
        return;
    if (openDocument(chosen) && LumoWindow::hasMainWindow())
        LumoWindow::getMainWindow().stopTapeAndReset();
}

bool LumoActions::openDocument(const KFileReference& File)
{
    if (!File.exists())
        return false;
    StoryWaitCursor wait;
    LumoApplication& application = LumoApplication::getApplication();
    LumoProjectPtr previous;
    if (application.hasProject())
        previous = application.getProject();
    // The project is current while it reads, so that its objects find their media.
    LumoProjectPtr project(new LumoProject);
    application.setProject(*project);
    auto refuse = [&]() {
        application.resetProject();
        if (previous.hasObject(nullptr))
            application.setProject(*previous);
        return false;
    };
    if (!project->load(File))
        return refuse();

    TapePtr tape(project->getTape());
    const KGraphicSize page = tape->getPageSize();
    const KGraphicSize screen = screenFor(page);
    if (page.getWidth() > screen.getWidth() || page.getHeight() > screen.getHeight()) {
        knsMessageBox(LumoApplication::localize("Narrabo"), tooLargeMessage(page, screen));
        return refuse();
    }

    application.setProject(*project);
    tape->setFrameTape(false);
    bool searchMedia = true;
    tape->loadCastFromProject(searchMedia);
    if (!LumoWindow::hasMainWindow())
        return true;
    LumoWindow& window = LumoWindow::getMainWindow();
    window.stopTapeAndReset();
    window.setTape(*tape);
    if (window.hasSpriteSystem())
        tape->setSpriteSystem(window.getSpriteSystem());
    application.applyWindowMode();
    window.invalidate();
    window.showProjectTitle();
    tape->goToIndex(-1);
    // The shortcuts follow the new story's state at once, not only once a menu was opened.
    updateMenus();
    return true;
}

void LumoActions::play(bool FromCurrentObject, bool FillScreen, bool QuitOnStop)
{
    m_quitOnStop = QuitOnStop;
    if (!LumoWindow::hasMainWindow())
        return;
    LumoWindow& window = LumoWindow::getMainWindow();
    if (!window.hasTape() || window.getTape().getCount() == 0)
        return;
    if (window.getPlayState() != LumoWindow::Stopped && window.getPlayState() != LumoWindow::Paused)
        return;
    TapePtr tape(window.getTape());
    KMenuManager* menus = KMenuManager::exists() ? &KMenuManager::getMenuManager() : nullptr;
    if (FillScreen) {
        LumoApplication::getApplication().layoutMainWindow(true);
        if (menus)
            menus->hideMenuBar();
        const KGraphicRectangle screen(0, 0, static_cast<short>(knsGetScreenWidth()),
                                       static_cast<short>(knsGetScreenHeight()));
        window.resize(screen);
        if (window.hasSpriteSystem())
            window.getSpriteSystem().getSpriteSystem().setTargetRect(screen);
    } else if (tape->isFlagSet(Tape::HideMenuBarFlag) && menus) {
        menus->hideMenuBar();
    }
    long start = 0;
    if (FromCurrentObject && tape->getCurrentPosition() > 1)
        start = tape->getCurrentPosition() - 1;
    tape->start(start);
    updateMenus();
    window.enterPlayState();
}

void LumoActions::stop()
{
    if (LumoWindow::hasMainWindow()) {
        LumoWindow& window = LumoWindow::getMainWindow();
        if (window.hasTape())
            window.getTape().stop();
        window.hideOverlays();
        window.enterStopState();
        LumoApplication::getApplication().applyWindowMode();
        if (window.hasSpriteSystem())
            window.invalidateRect(window.getSpriteSystem().getSpriteSystem().getTargetRect());
        window.redrawTape(true);
    }
    if (KMenuManager::exists() && KMenuManager::getMenuManager().hasMenuBar()) {
        if (!LumoApplication::getApplication().isMenuBarHidden())
            KMenuManager::getMenuManager().showMenuBar(true);
        updateMenus();
    }
    if (m_quitOnStop)
        LumoApplication::getApplication().quit();
}
