#pragma once
// The native side of the controls: their child windows, the few messages they send them,
// and what the base control does with the messages of its native window.
#include "application/KNativeMessage.h"
#include "foundation/KTypes.h"

class KControl;
class KNativeEvent;

// Styles of the native control classes, added to the child-window style.
constexpr unsigned long kPushButtonStyle = 0x0;   // BS_PUSHBUTTON
constexpr unsigned long kCheckBoxStyle = 0x2;     // BS_CHECKBOX: the framework keeps the mark
constexpr unsigned long kRadioButtonStyle = 0x4;  // BS_RADIOBUTTON: the same
constexpr unsigned long kGroupBoxStyle = 0x7;     // BS_GROUPBOX
constexpr unsigned long kStaticRightStyle = 0x2;  // SS_RIGHT
constexpr unsigned long kStaticCenterStyle = 0x1; // SS_CENTER

// A child window (WS_CHILD, WS_CLIPSIBLINGS, WS_CLIPCHILDREN, WS_VISIBLE when asked)
// of the class with the text; null when the platform refuses.
void* createNativeChildWin32(const char* ClassName, const char* Text, unsigned long OwnStyle, bool Visible,
                             void* Parent, short X, short Y, short Width, short Height);
void showNativeChildWin32(void* Window, bool Show);
void moveNativeChildWin32(void* Window, short X, short Y, short Width, short Height);
void setNativeChildTextWin32(void* Window, const char* Text);
void setNativeCheckMarkWin32(void* Window, bool Checked);
void updateNativeChildWin32(void* Window);

// A button's click notification (WM_COMMAND with BN_CLICKED), and any other command.
bool isButtonClickWin32(const KNativeMessage& M);
bool isCommandWin32(const KNativeMessage& M);
// A typed space (WM_CHAR 0x20).
bool isSpaceTypedWin32(const KNativeMessage& M);
bool isEraseBackgroundWin32(const KNativeMessage& M);
// Fills a rectangle at 0, 0 on the context of a WM_ERASEBKGND with the button face.
void eraseWithButtonFaceWin32(const KNativeMessage& M, short Width, short Height);

// The base control's handling of its native window's messages: painting, the keyboard
// focus, and the mouse and keys turned into framework events.
bool handleControlNativeMessageWin32(KControl& C, KNativeEvent& Event);
