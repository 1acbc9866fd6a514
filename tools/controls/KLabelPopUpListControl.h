#pragma once
// A label and a pop-up list managed as one control. A choice in the list reaches the
// window with this control as its source. Widening the control widens only the list.
#include "controls/KControl.h"
#include "controls/KPopUpListControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "foundation/KStringBag.h"

class KLabelPopUpListControl : public KControl {
    K_DECLARE_CLASS(KLabelPopUpListControl)
public:
    KLabelPopUpListControl();
    ~KLabelPopUpListControl() override;

    void layoutSubControls() override;
    void draw() override;
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    void appendItem(const KString& Item);
    void appendItems(const KStringBag& Items);
    void removeAllItems();
    // Position, when given, receives the 1-based number of the first equal item.
    bool hasItem(const KString& Item, long* Position = nullptr) const;
    void selectItemText(const KString& Item);
    // Empty for an empty list.
    KString getSelectedItem() const;
    long getItemCount() const;
    void setLabel(const KString& Text);
    void setLabelWidth(short Width);
    short getLabelWidth() const { return m_labelWidth; }

    KPopUpListControl& getList() const { return *m_list; }
    KStaticTextNativeControl& getLabel() const { return *m_label; }

private:
    KPopUpListControlPtr m_list;
    KStaticTextNativeControlPtr m_label;
    short m_labelWidth;
};

K_POINTER_CLASS(KLabelPopUpListControl, KControlPtr);
