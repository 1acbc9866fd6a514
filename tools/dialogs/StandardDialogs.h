#pragma once
// What the small standard dialogs of the tools library (edit string, pop-up list,
// progress, serial port) share.
class KDialog;
class KControl;
class KString;

// Control at 16, 16, 350 wide and its own height on this platform, in the dialog, which
// then fits itself to its controls and stands centred on the screen.
void placeStandardDialogControl(KDialog& Dialog, KControl& Control);
// The dialog fitted to its controls, with room for its buttons, and centred.
void fitAndCenter(KDialog& Dialog);
// Opens the dialog shown and steps the application's loop (or the test's modal step)
// until it has closed.
void runOwnModalLoop(KDialog& Dialog);
// The string variable "NewValue" among the dialog's named elements, replacing one there.
void setNewValue(KDialog& Dialog, const KString& Value);
