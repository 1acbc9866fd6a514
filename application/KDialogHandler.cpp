#include "application/KDialogHandler.h"

#include "application/CommonDialogsWin32.h"
#include "application/KApplication.h"
#include "application/KMenuManager.h"
#include "application/KWindowManager.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileType.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KColor.h"

#include <cstring>
#include <string>
#include <vector>

namespace {
KDialogHandlerPtr s_handler;

using FileTypes = std::vector<const KFileType*>;

// The file types in the bag, in order; anything else in it is passed over.
FileTypes typesIn(const KBag& Types)
{
    FileTypes types;
    for (long i = 0; i < Types.getCount(); ++i) {
        if (const auto* type = dynamic_cast<const KFileType*>(&Types[i]))
            types.push_back(type);
    }
    return types;
}

std::string extensionOf(const KFileType& Type) { return Type.getExtension().getText(); }

// The filter texts of the file dialogs: a name and a pattern per entry, each ended by a
// zero byte, and one more zero at the end. Several types are first offered together, under
// their pattern list as the name.
std::string filterFor(const FileTypes& Types)
{
    std::string filter;
    if (Types.size() > 1) {
        std::string patterns;
        for (const KFileType* type : Types)
            patterns += (patterns.empty() ? "*." : ";*.") + extensionOf(*type);
        filter += patterns + '\0' + patterns + '\0';
    }
    for (const KFileType* type : Types) {
        KString description;
        type->getDescription(description);
        filter += std::string(description.getText()) + " (*." + extensionOf(*type) + ")" + '\0';
        filter += "*." + extensionOf(*type) + '\0';
    }
    filter += '\0';
    return filter;
}

KString pathTextOf(const KDiskObjectReference& Ref)
{
    KString text;
    Ref.getPath().getPathText(text, kPlatformWindows, KPath::AsStored);
    return text;
}

const char* orNull(const KString& Text) { return Text.isEmpty() ? nullptr : Text.getText(); }

// The native window of the window manager's front window; null when there is none.
void* nativeFrontWindow()
{
    KWindowPtr front;
    if (KWindowManager::exists() && KWindowManager::get().findFrontWindow(front))
        return front->getNativeWindow();
    return nullptr;
}

// The owner of the open-file and colour dialogs: the front window, else the main window,
// else the active window.
void* frontOrMainWindow()
{
    if (void* front = nativeFrontWindow())
        return front;
    KApplication* application = KApplication::getApplication();
    if (application && application->hasMainWindow() && application->getMainWindow().getNativeWindow())
        return application->getMainWindow().getNativeWindow();
    return getActiveWindowWin32();
}

// The owner of the save-file dialog: the front window, else the active window.
void* frontWindow()
{
    if (void* front = nativeFrontWindow())
        return front;
    return getActiveWindowWin32();
}

// The menu bar is disabled while a common dialog is up, and enabled again afterwards
// unless a framework dialog still holds it disabled.
class MenuBarPause {
public:
    MenuBarPause()
    {
        if (KMenuManager::exists())
            KMenuManager::getMenuManager().disableMenuBar();
    }
    ~MenuBarPause()
    {
        const bool dialogOpen = KWindowManager::exists() && KWindowManager::get().getDialogCount() > 0;
        if (KMenuManager::exists() && !dialogOpen)
            KMenuManager::getMenuManager().enableMenuBar(true);
    }
    MenuBarPause(const MenuBarPause&) = delete;
    MenuBarPause& operator=(const MenuBarPause&) = delete;
};

// What a file dialog starts from: the filter of the types, the name in its field (the
// pattern of a single type, at first) and the default extension.
class FileDialogStart {
public:
    explicit FileDialogStart(const KBag& Bag)
        : types(typesIn(Bag))
        , m_filter(filterFor(types))
    {
        if (types.size() == 1)
            setName(("*." + extensionOf(*types[0])).c_str());
    }

    // Cut to what the field holds.
    void setName(const char* Text)
    {
        std::strncpy(m_fileName, Text, kFileNameBufferSize - 1);
        m_fileName[kFileNameBufferSize - 1] = 0;
    }
    void setNameToLeafOf(const KFileReference& Ref)
    {
        KString leaf;
        Ref.getPath().getLeafName(leaf);
        setName(leaf.getText());
    }

    // The chosen path, parsed, when the user confirmed one; the menu bar is disabled
    // meanwhile.
    bool run(bool Save, void* Owner, const KDirectory& Folder, const KString& Title, KPath& Chosen)
    {
        const KString initialDirectory = pathTextOf(Folder);
        FileDialogRequestWin32 request;
        request.owner = Owner;
        request.filter = m_filter.data();
        request.fileName = m_fileName;
        // Left out when empty: the platform's own start and caption then apply.
        request.initialDirectory = orNull(initialDirectory);
        request.title = orNull(Title);
        request.defaultExtension = orNull(defaultExtension);
        MenuBarPause pause;
        if (!(Save ? runSaveFileDialogWin32(request) : runOpenFileDialogWin32(request)))
            return false;
        Chosen.setPathText(KString(m_fileName), kPlatformWindows);
        return true;
    }

    const FileTypes types;
    KString defaultExtension;

private:
    const std::string m_filter;
    char m_fileName[kFileNameBufferSize] = {};
};

// A bag of a copy of the type: the bag counts its references.
void putOnlyType(KBag& Types, const KFileType& Type) { Types.add(*new KFileType(Type)); }
} // namespace

K_DEFINE_CLASS(KDialogHandler, KThing, 1)

KDialogHandler::KDialogHandler() = default;
KDialogHandler::~KDialogHandler() = default;

void KDialogHandler::initDialogHandler() { s_handler = new KDialogHandler; }
void KDialogHandler::exitDialogHandler() { s_handler.reset(); }
KDialogHandler& KDialogHandler::getDialogHandler() { return s_handler.getObject(); }
bool KDialogHandler::exists() { return s_handler.hasObject(nullptr); }

void KDialogHandler::setDefaultDirectory(const KDirectory& Directory) { m_defaultDirectory = Directory; }

bool KDialogHandler::getOpenFile(KFileReference& Ref, const KBag& Types, const KString& Title)
{
    FileDialogStart start(Types);
    if (start.types.size() > 1)
        start.defaultExtension = start.types[0]->getExtension();
    if (Ref.exists()) {
        m_defaultDirectory = Ref.getDirectory();
        start.setNameToLeafOf(Ref);
        start.defaultExtension = Ref.getPath().getExtension();
    }
    KPath chosen;
    if (!start.run(false, frontOrMainWindow(), m_defaultDirectory, Title, chosen))
        return false;
    Ref.setPath(chosen);
    return true;
}

bool KDialogHandler::getOpenFileOfType(KFileReference& Ref, const KFileType& Type, const KString& Title)
{
    KBag types;
    putOnlyType(types, Type);
    return getOpenFile(Ref, types, Title);
}

bool KDialogHandler::getOpenFileForExtension(KFileReference& Ref, const KString& Title)
{
    const KFileTypeID type = Ref.getFileTypeHandle();
    if (KFileTypeHandler::hasAssociation(type))
        return getOpenFileOfType(Ref, KFileTypeHandler::getAssociation(type), Title);
    return getOpenFile(Ref, KBag(), Title);
}

bool KDialogHandler::getSaveFile(KFileReference& Ref, const KBag& Types, const KString& Title)
{
    FileDialogStart start(Types);
    start.defaultExtension = Ref.getPath().getExtension();
    if (start.defaultExtension.isEmpty() && !start.types.empty())
        start.defaultExtension = start.types[0]->getExtension();
    m_defaultDirectory = Ref.getDirectory();
    if (m_defaultDirectory.exists())
        start.setNameToLeafOf(Ref);
    KPath path;
    if (!start.run(true, frontWindow(), m_defaultDirectory, Title, path))
        return false;
    const KString& defaultExtension = start.defaultExtension;
    if (path.getExtension().isEmpty() && !defaultExtension.isEmpty())
        path.setExtension(defaultExtension);
    Ref.setPath(path);
    if (KFileTypeHandler::hasExtension(path.getExtension()))
        Ref.setFileTypeHandle(KFileTypeHandler::getTypeIDOfExtension(path.getExtension()));
    return true;
}

bool KDialogHandler::getSaveFileOfType(KFileReference& Ref, const KFileType& Type, const KString& Title)
{
    KBag types;
    putOnlyType(types, Type);
    return getSaveFile(Ref, types, Title);
}

bool KDialogHandler::chooseColor(KColor& Color)
{
    uint32 native = Color.getNativeColor();
    bool chosen = false;
    {
        MenuBarPause pause;
        chosen = runColorDialogWin32(frontOrMainWindow(), native);
    }
    if (chosen)
        Color.setNativeColor(native);
    return chosen;
}

bool KDialogHandler::chooseFolder(KDirectory& Directory, const KString& Title)
{
    std::string chosen;
    if (!runFolderDialogWin32(Title.getText(), chosen))
        return false;
    if (chosen.empty() || chosen.back() != '\\')
        chosen += '\\';
    KPath path;
    path.setPathText(KString(chosen.c_str()), kPlatformWindows);
    Directory.setPath(path);
    return true;
}
