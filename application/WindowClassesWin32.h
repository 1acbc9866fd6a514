#pragma once
// The window classes of the framework's own windows and their procedures. A procedure
// wraps each message into a native message record, has it translated into a framework
// event and sends that at once; the answer decides whether the platform's default
// procedure still runs.

// "KWindowClass", "KPaletteClass", "KOverlayWindowClass" and "KDialogClass", in that
// order; a class the platform refuses ends the program. Answers the last class's atom.
unsigned short registerKWindowClassesWin32();
// The classes stay registered until the process ends.
void unregisterKWindowClassesWin32();
