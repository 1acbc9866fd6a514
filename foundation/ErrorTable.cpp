#include "foundation/ErrorTable.h"

#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"

namespace {

KErrorRecord* s_head = nullptr;
KErrorRecord* s_tail = nullptr;
uint8 s_currentGroup = 0;
uint8 s_mode = kErrorModeSilent;
KErrorHook s_hook = nullptr;

struct TableEntry {
    uint8 code;
    const char* text;
};

// The texts stand as users have always seen them, misspellings included.
const TableEntry s_table[] = {
    {0, "No Error"}, {1, "Unknown Fatal Error"}, {2, "No Object!"}, {3, "Object Not On Heap!"},
    {4, "Object In Use!"}, {5, "Object Not Open!"}, {6, "Parameter Error!"},
    {7, "Index Out Of Range!"}, {8, "Size Mismatch!"}, {9, "No Main Window!"},
    {10, "Missing Data!"}, {11, "This Methode Should Not Be Called!"},
    {12, "Should Not Call Copy Constructor!"}, {13, "Should Not Call Assignment Operator!"},
    {14, "Read From File Not Implemented For This Class!"},
    {15, "Write To File Not Implemented For This Class!"}, {16, "Negative Reference Counting!"},
    {17, "Delete Referenced Object!"}, {18, "Pointer NULL!"}, {19, "Out Of Memory!"},
    {20, "Dispose Pointer NULL!"}, {21, "Array In Use"}, {22, "Index Out Of Range"},
    {23, "Array Is Direct"}, {24, "Array Is Not Direct"}, {25, "No 'compare' procedure"},
    {26, "Bag Cannot Change Grow Size"}, {27, "Class Already Registered"},
    {28, "Class Not Registered"}, {29, "Class name collision; change class name!"},
    {30, "Create Procedure NULL!"}, {31, "Class ID Mismatch"}, {32, "Unsupported Version Number"},
    {33, "File not Found!"}, {34, "File already open!"}, {35, "File not open!"},
    {36, "Disk Full!"}, {37, "Could not write file!"}, {38, "Could not read file!"},
    {39, "Could not open file!"}, {40, "Error: EOF Reached!"}, {41, "An unknown error occured!"},
    {42, "Directory not found!"}, {43, "File Is Open"}, {44, "Duplicate FileName!"},
    {45, "File Cannot Change Mode While Open"}, {46, "File Wrong Mode"}, {47, "No Filename"},
    {48, "File No Native Object"}, {49, "Unknown File Type"}, {50, "Error Copying File"},
    {51, "Wrong Streaming Mode"}, {52, "Sound Resource Not Loaded"}, {53, "Cannot Start Sound"},
    {54, "Unsupported Streaming Mode"}, {55, "Sound Not Playing"}, {56, "Sound Not Paused"},
    {57, "Unsupported Format!"}, {58, "Unsupported Mode!"}, {59, "Cannot Use Native Object"},
    {60, "Invalid Disk Object"}, {61, "Wrong Disk Object Type"}, {62, "File Type Not Found"},
    {63, "File Type Already Exists"}, {64, "Sprite No Parent Layer"},
    {65, "Sprite No Parent System"}, {66, "Sprite No Target Device"},
    {67, "Menu Item Has No Parent Menu"}, {68, "Menu Item Not A SubMenu"},
    {69, "Menu Item Has No Sub Menu"}, {70, "Menu Item Is Already Attached"},
    {71, "Menu Item Is Not Attached"}, {72, "Menu Item Not Found"}, {73, "No Menu"},
    {74, "Menu Out Of Range"}, {75, "Menu Already Attached"}, {76, "Menu Already Installed"},
    {77, "Menu Not Installed"}, {78, "No Parent Manu"}, {79, "No Parent Menu Bar"},
    {80, "No Parent Menu Item"}, {81, "Menu Has No More Free Item IDs"}, {82, "No Menu Bar"},
    {83, "No Menu"}, {84, "No Menu Title"}, {85, "Menu Bar Already Attached"},
    {86, "No About Menu"}, {87, "No Help Menu"}, {88, "Menu Manager Has No More Free IDs"},
    {89, "ID Not Found"}, {90, "No Native Device"}, {91, "No Window"},
    {92, "Duplicate Main Window"}, {93, "Duplicate Window Manager"},
    {94, "Application Cannot Run"}, {95, "No Window"}, {96, "No Menu"}, {97, "No Menu Item"},
    {98, "No Data"}, {99, "No Disk Object"}, {100, "Wrong Event Class"},
    {101, "Timer Has No Target"}, {102, "No Printer"}, {103, "Printer Not Open"},
    {104, "Page Not Open"}, {105, "Page Already Open"},
};

uint8 severityOf(uint8 code)
{
    if (code == 0)
        return 0;
    if ((code >= 50 && code <= 56) || code == 63)
        return 1;
    if (code == 57)
        return 2;
    return 3;
}

} // namespace

void kksBuildErrorTable()
{
    for (const TableEntry& entry : s_table)
        kksAddErrorRecord(0, entry.code, severityOf(entry.code), entry.text);
    kksSetErrorMode(kErrorModeMessageBox);
}

void kksDisposeErrorTable()
{
    // The records live until the process ends.
}

void kksAddErrorRecord(uint8 Group, uint8 Code, uint8 Severity, const char* Text)
{
    auto* record = static_cast<KErrorRecord*>(KMemory::allocate(sizeof(KErrorRecord), false));
    if (!record)
        return;
    record->text = nullptr;
    record->next = nullptr;
    record->group = Group;
    record->code = Code;
    record->severity = Severity;
    if (Text) {
        unsigned long length = knsStringLength(Text);
        record->text = static_cast<char*>(KMemory::allocate(length + 1, false));
        if (record->text)
            KMemory::copy(Text, record->text, length + 1);
    }
    if (s_tail)
        s_tail->next = record;
    else
        s_head = record;
    s_tail = record;
}

void kksSetErrorMode(uint8 Mode) { s_mode = Mode; }
uint8 kksGetErrorMode() { return s_mode; }
void kksSetErrorHook(KErrorHook Hook) { s_hook = Hook; }
KErrorHook kksGetErrorHook() { return s_hook; }

const KErrorRecord* kksFindErrorRecord(uint8 Code)
{
    const KErrorRecord* last = nullptr;
    for (const KErrorRecord* record = s_head; record; record = record->next) {
        if (record->code != Code)
            continue;
        if (record->group == s_currentGroup)
            return record;
        last = record;
    }
    return last;
}

void kksReportError(uint8 Code, const char* Context)
{
    if (Code == 0)
        return;
    switch (s_mode) {
    case kErrorModeMessageBox: {
        const KErrorRecord* record = kksFindErrorRecord(Code);
        if (!record)
            record = kksFindErrorRecord(1);
        if (!record)
            return;
        kksShowError(record, Context);
        break;
    }
    case kErrorModeHook:
        kksCallErrorHook(Code, Context);
        break;
    default:
        break;
    }
}

void kksShowError(const KErrorRecord* Record, const char* Context)
{
    const char* text = Record->text ? Record->text : "";
    switch (Record->severity) {
    case 1:
    case 2:
        knsMessageBox(Context, text);
        break;
    case 3:
        knsFatalError(Context, text);
    default:
        break;
    }
}

void kksCallErrorHook(uint8 Code, const char* Context)
{
    if (s_hook)
        s_hook(Code, Context);
}

uint8 kksMapNativeError(int16 NativeError)
{
    switch (NativeError) {
    case 0:
        return 0;
    case 2:
    case 3:
    case 55:
    case 267:
        return 33;
    case 29:
        return 37;
    case 30:
        return 38;
    case 38:
        return 40;
    case 39:
    case 112:
        return 36;
    case 110:
        return 39;
    default:
        return 41;
    }
}
