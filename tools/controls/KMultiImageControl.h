#pragma once
// A control that shows a frame of a list by hilite state: one list of graphic objects
// each for normal, hover, pressed and disabled, and a frame index that picks the entry
// shown from each, drawn whole into the control. A state whose list lacks the entry shows
// the normal list's. It reports clicks only. With all lists empty it shows an outline in
// the colour of its state.
#include "controls/KControl.h"
#include "foundation/KBag.h"
#include "graphics/KGraphicObject.h"

class KMultiImageControl : public KControl {
    K_DECLARE_CLASS(KMultiImageControl)
public:
    KMultiImageControl();
    ~KMultiImageControl() override;

    void draw() override;

    // The frames of a hilite state, 0 to 3; the owner fills them.
    KBag& getFrames(uint8 Hilite) { return m_frames[Hilite > DisabledHilite ? uint8(NormalHilite) : Hilite]; }
    void setFrameIndex(short Index) { m_frameIndex = Index; }
    short getFrameIndex() const { return m_frameIndex; }
    void setRaisedEdge(bool On) { m_raisedEdge = On ? 1 : 0; }

private:
    // The entry at the frame index of a state's list, else of the normal list; null when
    // neither holds one.
    KGraphicObject* frameFor(uint8 State) const;

    KBag m_frames[4];
    short m_frameIndex = 0;
    uint8 m_raisedEdge = 0;
};

K_POINTER_CLASS(KMultiImageControl, KControlPtr);
