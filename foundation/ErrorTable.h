#pragma once
// The framework reports errors and never throws them. Every failure calls
// kksReportError with a code from one table of 106 errors and a context text, as a rule
// the signature of the operation that failed. The table gives each code a text and a
// severity: 1 and 2 show a message and go on, 3 is fatal.
#include "foundation/KTypes.h"

struct KErrorRecord {
    char* text;
    KErrorRecord* next;
    uint8 group;
    uint8 code;
    uint8 severity;
};

enum KErrorMode : uint8 {
    kErrorModeSilent = 0,
    kErrorModeMessageBox = 1,
    kErrorModeHook = 2,
};

using KErrorHook = void (*)(uint8 Code, const char* Context);

void kksBuildErrorTable();
void kksDisposeErrorTable();
void kksAddErrorRecord(uint8 Group, uint8 Code, uint8 Severity, const char* Text);
void kksSetErrorMode(uint8 Mode);
uint8 kksGetErrorMode();
void kksSetErrorHook(KErrorHook Hook);
KErrorHook kksGetErrorHook();
const KErrorRecord* kksFindErrorRecord(uint8 Code);
void kksReportError(uint8 Code, const char* Context);
void kksShowError(const KErrorRecord* Record, const char* Context);
void kksCallErrorHook(uint8 Code, const char* Context);
uint8 kksMapNativeError(int16 NativeError);

// The fatal path: tells the application, or the user through a stop box, restores the
// display mode and ends the process. It does not return.
[[noreturn]] void knsFatalError(const char* Caption, const char* Text);

// The exit code of a process ended by a fatal error: a failure, never success.
constexpr int kFatalExitCode = 1;
