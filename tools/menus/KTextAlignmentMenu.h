#pragma once
// The menu of paragraph alignments: "Left", "Right", "Center" and "Justified". The current
// alignment is checked; each choice goes out at once as a format change.
#include "application/KMenu.h"

class KTextAlignmentMenu : public KMenu {
    K_DECLARE_CLASS(KTextAlignmentMenu)
public:
    // Left, right, centre and justified are 10032 to 10035.
    static constexpr long kLeftCommand = 10032;

    // "Left" starts checked.
    KTextAlignmentMenu();
    ~KTextAlignmentMenu() override;

    bool doMenuItem(KMenuEvent& E) override;

    // 0 left, 1 right, 2 centre, 3 justified: the item at that position is checked, the
    // one of the alignment before unchecked.
    void setAlignment(uint8 Alignment);
    uint8 getAlignment() const { return m_alignment; }

private:
    void checkItemAt(long Index, bool Checked);

    uint8 m_alignment = 0;
};

K_POINTER_CLASS(KTextAlignmentMenu, KMenuPtr);
