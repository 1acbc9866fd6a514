#pragma once
// The registry key of one preference set, HKEY_LOCAL_MACHINE\SOFTWARE\<application>\<set>,
// open for the life of the object. Every key opened on the way is closed when the object
// goes, on every path, and only those.
#include "foundation/KTypes.h"

#include <string>
#include <vector>

// One registry value as the system stores it.
struct PreferenceValue {
    // The registry's type numbers.
    enum Type : unsigned long {
        String = 1,  // REG_SZ
        Binary = 3,  // REG_BINARY
        Dword = 4,   // REG_DWORD
    };

    std::string name;
    unsigned long type = 0;
    std::vector<unsigned char> data;
};

class PreferenceKeyWin32 {
public:
    enum Access : uint8 {
        // Opens the three keys for reading; nothing is created.
        ReadOnly,
        // Opens SOFTWARE for reading, then creates or opens the application's key and
        // the set's key with full access.
        Create,
    };

    enum ReadResult : uint8 {
        Read,
        NoMoreValues,
        // This value could not be read; the ones after it may be.
        Unreadable,
    };

    PreferenceKeyWin32(const char* Application, const char* Set, Access Mode);
    ~PreferenceKeyWin32();
    PreferenceKeyWin32(const PreferenceKeyWin32&) = delete;
    PreferenceKeyWin32& operator=(const PreferenceKeyWin32&) = delete;

    bool isOpen() const { return m_keys[2] != nullptr; }

    // The result of the write is the caller's to ignore.
    bool writeValue(const PreferenceValue& Value);
    // The value at Index of the enumeration, whatever the length of its name and data.
    // A key whose sizes cannot be asked has no more values to give.
    ReadResult readValue(unsigned long Index, PreferenceValue& Out);

private:
    // SOFTWARE, the application's key, the set's key; null where not open.
    void* m_keys[3] = {nullptr, nullptr, nullptr};
};
