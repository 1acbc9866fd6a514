#pragma once
// A point of three coordinates: a label and three decimal value editors side by side,
// labelled " x:", " y:" and " z:". The values are read and written through the editors;
// their actions reach the window with this control as their source.
#include "controls/KControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "tools/controls/KEditValueControl.h"

class K3DEditValueControl : public KControl {
    K_DECLARE_CLASS(K3DEditValueControl)
public:
    K3DEditValueControl();
    ~K3DEditValueControl() override;

    void layoutSubControls() override;
    void draw() override;
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    virtual void setLabelControl(KStaticTextNativeControl& Label);
    virtual void resetLabelControl();
    virtual void setXEditor(KEditValueControl& Editor);
    virtual void resetXEditor();
    virtual void setYEditor(KEditValueControl& Editor);
    virtual void resetYEditor();
    virtual void setZEditor(KEditValueControl& Editor);
    virtual void resetZEditor();
    // E goes on with this control as its source.
    virtual bool passEvent(KEvent& E);

    // Error 18 when empty.
    KStaticTextNativeControl& getLabelControl() const { return m_label.getObject(); }
    KEditValueControl& getXEditor() const { return m_xEditor.getObject(); }
    KEditValueControl& getYEditor() const { return m_yEditor.getObject(); }
    KEditValueControl& getZEditor() const { return m_zEditor.getObject(); }

private:
    KStaticTextNativeControlPtr m_label;
    KEditValueControlPtr m_xEditor;
    KEditValueControlPtr m_yEditor;
    KEditValueControlPtr m_zEditor;
    short m_labelWidth = 64;
};

K_POINTER_CLASS(K3DEditValueControl, KControlPtr);
