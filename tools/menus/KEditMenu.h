#pragma once
// The ready-made "Edit" menu. Its eight commands go out as format events of kinds 0 to 7,
// so that whatever shows the text being edited carries them out; the menu itself never
// enables, disables or checks anything.
#include "application/KMenu.h"

class KEditMenu : public KMenu {
    K_DECLARE_CLASS(KEditMenu)
public:
    // "Undo" to "Select None" are 128 to 135, in the order of the format event's kinds.
    static constexpr long kUndoCommand = 128;

    KEditMenu();
    ~KEditMenu() override;

    bool doMenuItem(KMenuEvent& E) override;
};

K_POINTER_CLASS(KEditMenu, KMenuPtr);
