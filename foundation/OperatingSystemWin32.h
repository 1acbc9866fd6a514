#pragma once
// Operating-system start and end of the framework, and the process information handed to
// the program entry.
#include "foundation/KTypes.h"

class KString;


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


// COM and OLE, the window classes, the common controls and the rich edit library. The
// window classes are the application layer's, which hands over their registration before
// it enters the kernel; without them none are registered.
void knsInitOS();
void knsExitOS();
using KWindowClassesProcedure = void (*)();
void knsSetWindowClassProcedures(KWindowClassesProcedure Register, KWindowClassesProcedure Unregister);
bool knsInitCommonControls();
void knsFreeRichEdit();
bool knsHasRichEdit();
void knsSetWindowManagerClassName(const char* Name);
const char* knsGetWindowManagerClassName();

// printf-style text to the debugger, cut to 511 characters; answers the characters sent.
int knsDebugPrint(const char* Format, ...) __attribute__((format(printf, 1, 2)));

