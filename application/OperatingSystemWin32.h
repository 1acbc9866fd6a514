#pragma once
// Operating-system start and end of the framework, the process information handed to
// the program entry, and the display-mode helpers.
#include "foundation/KTypes.h"

class KString;

// The player's main function, run between entering and leaving the framework's kernel:
// it makes the application object, runs it and releases it.
using KProgramMain = void (*)();
void programMain();

// The process information, written once by the program entry.
void knsSetProcessInfo(void* Instance, void* PreviousInstance, const char* CommandLine, int ShowCommand,
                       long IconResourceID);
void* knsGetInstance();
void* knsGetPreviousInstance();
const char* knsGetCommandLine();
KString knsGetCommandLineString();
int knsGetShowCommand();
long knsGetIconResourceID();
void knsSetExitCode(long Code);
long knsGetExitCode();

// What the program entry does once the process information is stored: enters the kernel,
// runs the main function, leaves the kernel, prints the live-object counters and answers
// the exit code that the quit message carried.
int kksRunProgram(KProgramMain Main);

void knsInitOS();
void knsExitOS();
bool knsInitCommonControls();
void knsFreeRichEdit();
bool knsHasRichEdit();
void knsSetWindowManagerClassName(const char* Name);
const char* knsGetWindowManagerClassName();

// printf-style text to the debugger, cut to 511 characters; answers the characters sent.
int knsDebugPrint(const char* Format, ...) __attribute__((format(printf, 1, 2)));

