#pragma once
// The tools tests run inside an application with its managers, the dialog handler and the
// open tools library; modal dialogs are answered step by step as a user would answer them.
#include "application/KDialogHandler.h"
#include "controls/KControl.h"
#include "controls/KDialog.h"
#include "foundation/KDiskObjectReference.h"
#include "foundation/KFileSystem.h"
#include "tests/application/InteractionTestSupport.h"
#include "tools/KToolsLibrary.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

class ToolsScope : public InteractionScope {
public:
    ToolsScope()
    {
        KDialogHandler::initDialogHandler();
        KFileSystem::initFileSystem();
        KToolsLibrary::openToolsLibrary();
    }
    ~ToolsScope()
    {
        KToolsLibrary::closeToolsLibrary();
        KFileSystem::exitFileSystem();
        KDialogHandler::exitDialogHandler();
    }
};

// Each step of a modal loop runs the next of the actions, then lets the loop run once; a
// dialog still open when the actions have run out fails the test and is closed.
class ModalScript {
public:
    using Action = std::function<void(KDialog&)>;
    explicit ModalScript(std::vector<Action> Actions)
        : m_actions(std::move(Actions))
    {
        KDialog::setModalStep([this](KDialog& Dialog) { step(Dialog); });
    }
    ~ModalScript() { KDialog::setModalStep(nullptr); }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

private:
    void step(KDialog& Dialog)
    {
        if (m_next < m_actions.size()) {
            m_actions[m_next++](Dialog);
        } else {
            ADD_FAILURE() << "the dialog is still open after the script";
            Dialog.close();
        }
        if (Dialog.isOpen())
            KApplication::getApplication()->processIdleOnce();
    }

    std::vector<Action> m_actions;
    size_t m_next = 0;
};

// A dialog whose own modal loop opens it hidden: a shown window takes seconds to close
// under Wine.
template <typename Dialog>
class OpenedHidden : public Dialog {
public:
    using Dialog::Dialog;
    void open(uint8) override { Dialog::open(KWindow::OpenHidden); }
};

// A click on a native push button (or check box), and its action handled from the queue.
inline void click(const KThing& Button)
{
    const auto& control = static_cast<const KControl&>(Button);
    SendMessageA(static_cast<HWND>(control.getNativeWindow()), BM_CLICK, 0, 0);
    KApplicationEvent::flushQueue();
}

inline std::string textOf(const KString& S) { return std::string(S.getText(), S.getLength()); }

inline std::string pathOf(const KDiskObjectReference& Ref)
{
    KString text;
    Ref.getPath().getPathText(text, kPlatformWindows, KPath::AsStored);
    return textOf(text);
}

inline KPath pathAt(const std::string& Text)
{
    KPath path;
    path.setPathText(KString(Text.c_str()), kPlatformWindows);
    return path;
}

// Notes the source and type of the control actions (-1 for keys) that reach it.
class SourceWindow : public KWindow {
public:
    bool handleControlAction(KControlActionEvent& E) override { return noted(E, E.getType()); }
    bool keyTyped(KKeyEvent& E) override { return noted(E, -1); }
    std::vector<const KThing*> sources;
    std::vector<long> types;

private:
    bool noted(const KEvent& E, long Type)
    {
        sources.push_back(E.hasSource() ? &E.getSource() : nullptr);
        types.push_back(Type);
        return true;
    }
};
K_POINTER_CLASS(SourceWindow, KWindowPtr);
