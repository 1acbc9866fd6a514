#pragma once
// What the compound controls of the tools library share: they draw nothing of their own
// beyond their sub-controls, and the actions of their inner native controls reach the
// window as their own.
class KControl;
class KControlActionEvent;

// The sub-controls of C, when C is visible in a window.
void drawCompoundControl(KControl& C);
// A copy of E with C as its source, handled at once; E itself goes no further.
void resendAsFrom(KControl& C, const KControlActionEvent& E);
