// The kernel functions that need no operating-system call.
#include "foundation/KernelFunctions.h"

#include "foundation/CharacterSetTables.h"
#include "foundation/DisplayModesWin32.h"
#include "foundation/KBag.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KString.h"
#include "foundation/OperatingSystemWin32.h"

#include <cstring>

uint8 knsGetPlatform() { return kPlatformWindows; }

uint8 knsGetCharacterSet(uint8 Platform)
{
    return Platform == kPlatformWindows ? kCharacterSetWindows : kCharacterSetMacRoman;
}

KString knsGetPathSeparator(uint8 Platform)
{
    switch (Platform) {
    case 1: return KString(":");
    case 2: return KString("\\");
    default: return KString("/");
    }
}

bool knsCanRun() { return true; }

void knsMessageBox(const KString& Caption, const KString& Text)
{
    knsMessageBox(Caption.getText(), Text.getText());
}

uint8 knsQuestionBox(const KString& Caption, const KString& Text)
{
    return knsQuestionBox(Caption.getText(), Text.getText());
}

KBag knsFindDisplayMode(short Width, short Height, short Depth)
{
    return enumDisplayModesWin32(Width, Height, Depth);
}

KGraphicSize knsChooseDisplayMode(short Width, short Height, short Depth)
{
    return knsFirstModeAtLeast(knsFindDisplayMode(Width, Height, Depth), Width, Height, Depth);
}

KGraphicSize knsFirstModeAtLeast(const KBag& Modes, short Width, short Height, short Depth)
{
    for (long i = 0; i + 2 < Modes.getCount(); i += 3) {
        const long width = Modes.getDirectDataAt(i);
        const long height = Modes.getDirectDataAt(i + 1);
        const long depth = Modes.getDirectDataAt(i + 2);
        if (width >= Width && height >= Height && depth >= Depth)
            return KGraphicSize(static_cast<short>(width), static_cast<short>(height));
    }
    return KGraphicSize(0, 0);
}

uint16 knsScaleRandom(uint16 Min, uint16 Max, long Sample)
{
    long long value = Min + static_cast<long long>(Sample) * (static_cast<long long>(Max) - Min + 1) / 32767;
    if (value < Min)
        value = Min;
    if (value > Max)
        value = Max;
    return static_cast<uint16>(value);
}

uint8 knsClassifyOSVersion(unsigned long PlatformId, unsigned long Major, unsigned long Minor)
{
    switch (PlatformId) {
    case 0: // Win32s
        return 11;
    case 1: // the 9x family
        if (Minor == 0)
            return 12;
        if (Major == 4 && Minor == 10)
            return 13;
        if (Major == 4 && Minor == 90)
            return 14;
        return 21;
    case 2: // the NT family
        if (Major < 4)
            return 15;
        if (Major == 4)
            return 16;
        if (Major == 5)
            return Minor == 0 ? 17 : Minor == 1 ? 18 : Minor == 2 ? 19 : 21;
        if (Major == 6)
            return 20;
        return 21;
    default:
        return 21;
    }
}

int knsVirtualKeyOfKeyCode(uint8 Code)
{
    // Windows virtual keys, written out so that this table needs no system header.
    enum : int {
        Back = 0x08, Tab = 0x09, Return = 0x0D, Control = 0x11, Menu = 0x12, Capital = 0x14,
        Escape = 0x1B, Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24,
        Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28, Delete = 0x2E, Help = 0x2F,
        Numpad0 = 0x60, Multiply = 0x6A, Add = 0x6B, Subtract = 0x6D, Decimal = 0x6E,
        Divide = 0x6F, F1 = 0x70, NumLock = 0x90, LShift = 0xA0, RShift = 0xA1, Oem1 = 0xBA,
        OemComma = 0xBC, OemMinus = 0xBD, OemPeriod = 0xBE, Oem2 = 0xBF, Oem3 = 0xC0,
        Oem4 = 0xDB, Oem6 = 0xDD, Oem7 = 0xDE,
    };
    static const char topRow[] = "QWERTYUIOP";
    static const char homeRow[] = "ASDFGHJKL";
    static const char bottomRow[] = "ZXCVBNM";

    if (Code == 1)
        return Escape;
    if (Code >= 2 && Code <= 16)
        return F1 + (Code - 2);
    if (Code >= 18 && Code <= 26)
        return '1' + (Code - 18);
    if (Code >= 32 && Code <= 41)
        return topRow[Code - 32];
    if (Code >= 45 && Code <= 53)
        return homeRow[Code - 45];
    if (Code >= 60 && Code <= 66)
        return bottomRow[Code - 60];
    if (Code >= 85 && Code <= 93)
        return Numpad0 + 1 + (Code - 85);
    switch (Code) {
    case 17: return Oem3;
    case 27: return '0';
    case 28: return OemMinus;
    case 30: return Back;
    case 31: return Tab;
    case 42: return Oem4;
    case 43: return Oem6;
    case 44: return Capital;
    case 54: return Oem1;
    case 55: return Oem7;
    case 56: return Oem2;
    case 57: return Return;
    case 58: return LShift;
    case 67: return OemComma;
    case 68: return OemPeriod;
    case 69: return Oem2;
    case 70: return RShift;
    case 71: return Control;
    case 72: return Menu;
    case 74: return Space;
    case 75: return Up;
    case 76: return Down;
    case 77: return Left;
    case 78: return Right;
    case 79: return Home;
    case 80: return End;
    case 81: return Prior;
    case 82: return Next;
    case 83: return Help;
    case 84: return Delete;
    case 94: return Numpad0;
    case 95: return Decimal;
    case 97: return Divide;
    case 98: return Multiply;
    case 99: return Subtract;
    case 100: return Add;
    case 102: return NumLock;
    default: return 0; // 29, 59, 73, 96, 101 and everything outside 1 to 102
    }
}

char knsConvertChar(char C, uint8 From, uint8 To)
{
    if (From == To)
        return C;
    const auto byte = static_cast<unsigned char>(C);
    if (From == kCharacterSetMacRoman)
        return static_cast<char>(kMacRomanToWindows[byte]);
    if (From == kCharacterSetWindows)
        return static_cast<char>(kWindowsToMacRoman[byte]);
    return C;
}

void knsConvertText(char* Buffer, long Length, uint8 From, uint8 To)
{
    for (long i = 0; i < Length; ++i)
        Buffer[i] = knsConvertChar(Buffer[i], From, To);
}

uint16 knsStringLength(const char* S)
{
    return static_cast<uint16>(std::strlen(S));
}

namespace {
template <typename T>
T reverseBytes(T Value)
{
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &Value, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T) / 2; ++i) {
        unsigned char b = bytes[i];
        bytes[i] = bytes[sizeof(T) - 1 - i];
        bytes[sizeof(T) - 1 - i] = b;
    }
    std::memcpy(&Value, bytes, sizeof(T));
    return Value;
}
} // namespace

short knsSwapShort(short Value) { return reverseBytes(Value); }
long knsSwapLong(long Value) { return reverseBytes(Value); }
float knsSwapFloat(float Value) { return reverseBytes(Value); }
double knsSwapDouble(double Value) { return reverseBytes(Value); }

void knsCopyMemory(const void* Source, void* Destination, unsigned long Count)
{
    if (Count > 0)
        std::memcpy(Destination, Source, Count);
}
