#pragma once
// The kernel functions: the framework's thin layer over the operating system for
// everything that is not a window, a drawing surface or a file.
#include "foundation/KTypes.h"

class KBag;
class KGraphicSize;
class KString;
class KStringBag;

// Platform codes: 1 Mac, 2 Windows (the running platform); 0 and 3 are known to the
// path-separator table. Character sets: 0 Mac OS Roman, 1 Windows-1252.
constexpr uint8 kPlatformMac = 1;
constexpr uint8 kPlatformWindows = 2;
constexpr uint8 kCharacterSetMacRoman = 0;
constexpr uint8 kCharacterSetWindows = 1;

// Start and end of the framework.
void knsEnterKernel();
void knsExitKernel();
bool knsCanRun();

// Platform.
uint8 knsGetPlatform();
uint8 knsGetCharacterSet(uint8 Platform);
// "/" for 0 and 3, ":" for 1, "\" for 2, "/" for any other.
KString knsGetPathSeparator(uint8 Platform);
uint8 knsGetOSVersion();
uint16 knsRandom(uint16 Min, uint16 Max);
uint32 knsGetTicks();

// Bytes and text.
char knsConvertChar(char C, uint8 From, uint8 To);
void knsConvertText(char* Buffer, long Length, uint8 From, uint8 To);
uint16 knsStringLength(const char* S);
short knsSwapShort(short Value);
long knsSwapLong(long Value);
float knsSwapFloat(float Value);
double knsSwapDouble(double Value);

// Raw memory from the global heap; no reports (KMemory reports).
void* knsAllocGlobal(unsigned long Size, bool ZeroFill);
void knsFreeGlobal(void* P);
void knsCopyMemory(const void* Source, void* Destination, unsigned long Count);
// The native layer's 1024-byte scratch block, freed first on the fatal path so that the
// last message still finds memory.
void knsAllocScratch();
void knsFreeScratch();

// Message boxes: no owner window, task-modal, foreground and topmost.
void knsMessageBox(const char* Caption, const char* Text);
void knsMessageBox(const KString& Caption, const KString& Text);
// 2 when Yes was chosen, 3 otherwise.
uint8 knsQuestionBox(const char* Caption, const char* Text);
uint8 knsQuestionBox(const KString& Caption, const KString& Text);
void knsNotYetImplemented(const char* What);
void knsBeep();

// Screen.
long knsGetScreenWidth();
long knsGetScreenHeight();
long knsGetScreenDepth();
// The display modes of at least this width, height and depth: a direct bag of longs,
// three per mode (width, height, bits per pixel), in the order the system lists them.
KBag knsFindDisplayMode(short Width, short Height, short Depth);
// The first such mode's width and height; (0, 0) when there is none.
KGraphicSize knsChooseDisplayMode(short Width, short Height, short Depth);
void knsRestoreScreenSettings();
// A temporary change of the display mode; error 9 and false without an application that
// has a main window.
bool knsChangeScreenSettings(short Width, short Height, short Depth);

// Input.
bool knsIsKeyDown(uint8 Code);
bool knsIsShiftDown();
bool knsIsControlDown();
bool knsIsMouseButtonDown();
void knsSetNativeCursor(uint8 Shape);
unsigned long knsGetDoubleClickTime();

// The family names of the display's fonts, each once, sorted.
KStringBag knsGetFontNames();
void knsDestroyNativeWindow(void* Handle);
long knsGetDoubleClickWidth();
long knsGetDoubleClickHeight();

// Seams. Every message box of the framework goes through one presenter, and the
// millisecond clock through one tick source; tests install their own so that nothing
// blocks and time moves only when they say. Null restores the system's.
//
// The presenter takes the caption, the text and the Windows MB_ flags, and answers the
// button chosen (IDOK, IDYES, IDNO...).
using KMessageBoxPresenter = int (*)(const char* Caption, const char* Text, unsigned Flags);
void knsSetMessageBoxPresenter(KMessageBoxPresenter Presenter);
// Owner is the native window the box belongs to, null for none; presenters ignore it.
int knsPresentMessageBox(const char* Caption, const char* Text, unsigned Flags, void* Owner = nullptr);

using KTickSource = uint32 (*)();
void knsSetTickSource(KTickSource Source);

// The pure rules behind some of the functions above, for the native layer and for tests.
// knsRandom: Min + Sample × (Max − Min + 1) / 32767, kept within Min and Max.
uint16 knsScaleRandom(uint16 Min, uint16 Max, long Sample);
// knsGetOSVersion: the code for a platform family (VER_PLATFORM_WIN32s = 0,
// VER_PLATFORM_WIN32_WINDOWS = 1, VER_PLATFORM_WIN32_NT = 2) and version.
uint8 knsClassifyOSVersion(unsigned long PlatformId, unsigned long Major, unsigned long Minor);
// knsChooseDisplayMode: the first mode of a bag of (width, height, depth) triples that
// is at least as large in all three, as (width, height); (0, 0) when none is.
KGraphicSize knsFirstModeAtLeast(const KBag& Modes, short Width, short Height, short Depth);
// knsIsKeyDown: the Windows virtual key that a framework key code tests, 0 for none.
int knsVirtualKeyOfKeyCode(uint8 Code);
