#include "tools/menus/KEditMenu.h"

#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "tools/menus/KFormatEvent.h"

namespace {
struct EditItem {
    const char* title;
    char shortcut;
};

// In command order; a null title is a separator, which takes no command.
const EditItem kItems[] = {
    {"Undo", 'Z'}, {"Redo", 0}, {nullptr, 0}, {"Cut", 'X'}, {"Copy", 'C'}, {"Paste", 'V'},
    {"Clear", 0}, {nullptr, 0}, {"Select All", 'A'}, {"Select None", 0},
};
constexpr long kCommandCount = 8;
} // namespace

K_DEFINE_CLASS(KEditMenu, KMenu, 1)

KEditMenu::KEditMenu()
{
    setTitle("Edit");
    long command = kUndoCommand;
    for (const EditItem& item : kItems) {
        if (item.title)
            appendItem(KString(item.title), item.shortcut, command++);
        else
            appendSeparator();
    }
}

KEditMenu::~KEditMenu() = default;

bool KEditMenu::doMenuItem(KMenuEvent& E)
{
    if (!E.hasMenuItem())
        return false;
    const long id = E.getMenuItem().getID();
    if (id >= kUndoCommand && id < kUndoCommand + kCommandCount)
        KFormatEvent::sendEditCommand(static_cast<uint8>(id - kUndoCommand));
    return false;
}
