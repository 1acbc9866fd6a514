#pragma once
// A native drop-down list of strings. The control keeps the lines and the 1-based number
// of the chosen one (its value); the native list gets them when it is made and follows
// every later change. A choice the user makes in the list sets the value and is sent at
// once as a done action (type 4), whatever the action mask holds. A list without lines is
// disabled on screen, although the control itself may count as enabled.
#include "controls/KControl.h"
#include "foundation/KBag.h"
#include "foundation/KString.h"

class KPopUpListControl : public KControl {
    K_DECLARE_CLASS(KPopUpListControl)
public:
    KPopUpListControl();
    ~KPopUpListControl() override;

    void setHilite(uint8 H) override;
    void enable(bool On) override;
    void disable() override;
    void createNativeControl() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    // Handled without tracking: the native list takes the click.
    KEventReturn mouseDownEvent(KMouseEvent& E) override;
    bool handleAction(KControlActionEvent& E) override;

    // A heap string is shared with the caller; any other is copied onto the heap.
    void appendItem(KString& S);
    // The strings among Items, in order; other objects are passed over.
    void appendItems(KBag& Items);
    // Index, when given, receives the 1-based number of the first equal line.
    bool hasItem(const KString& S, long* Index) const;
    // The value stays as it was.
    void removeAllItems();
    // The first equal line becomes the value; no match changes nothing.
    void selectItemText(const KString& S);
    // Ignored unless 1 <= Value <= the number of lines.
    void setValue(long Value);
    long getValue() const { return m_value; }
    long getItemCount() const { return m_items.getCount(); }
    const KBag& getItems() const { return m_items; }
    // The line at the value; an empty string when the value names no line.
    const KString& getSelectedItem() const;

private:
    KBag m_items;
    long m_value = 1;
    KString m_emptyItem;
};

K_POINTER_CLASS(KPopUpListControl, KControlPtr);
