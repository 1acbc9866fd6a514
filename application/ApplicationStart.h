#pragma once
// The application layer's start: what it installs in the layers below it, which reach the
// application only through hooks of their own (the foundation's application link, the
// kernel's window classes), and the run of the program between entering and leaving the
// kernel.
#include "foundation/KTypes.h"

// Installs the application layer's hooks in the layers below. Called before the kernel
// is entered (it registers the window classes then); calling it again changes nothing.
void kksInstallApplicationLayer();

// A program's main function, run between entering and leaving the framework's kernel.
using KProgramMain = void (*)();

// What the program entry does once the process information is stored: installs the
// application layer, enters the kernel, runs the main function, leaves the kernel, prints
// the live-object counters and answers the exit code that the quit message carried.
int kksRunProgram(KProgramMain Main);
