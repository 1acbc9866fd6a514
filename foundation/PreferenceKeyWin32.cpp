#include "foundation/PreferenceKeyWin32.h"

#include <windows.h>

namespace {
HKEY openKey(HKEY Parent, const char* Name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(Parent, Name, 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY createKey(HKEY Parent, const char* Name)
{
    HKEY key = nullptr;
    char noClass[] = "";
    if (RegCreateKeyExA(Parent, Name, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY asKey(void* Key) { return static_cast<HKEY>(Key); }
} // namespace

PreferenceKeyWin32::PreferenceKeyWin32(const char* Application, const char* Set, Access Mode)
{
    m_keys[0] = openKey(HKEY_LOCAL_MACHINE, "SOFTWARE");
    if (!m_keys[0])
        return;
    auto next = Mode == Create ? createKey : openKey;
    m_keys[1] = next(asKey(m_keys[0]), Application);
    if (!m_keys[1])
        return;
    m_keys[2] = next(asKey(m_keys[1]), Set);
}

PreferenceKeyWin32::~PreferenceKeyWin32()
{
    for (int i = 2; i >= 0; --i) {
        if (m_keys[i])
            RegCloseKey(asKey(m_keys[i]));
    }
}

bool PreferenceKeyWin32::writeValue(const PreferenceValue& Value)
{
    if (!isOpen())
        return false;
    return RegSetValueExA(asKey(m_keys[2]), Value.name.c_str(), 0, Value.type, Value.data.data(),
                          static_cast<DWORD>(Value.data.size()))
        == ERROR_SUCCESS;
}

PreferenceKeyWin32::ReadResult PreferenceKeyWin32::readValue(unsigned long Index, PreferenceValue& Out)
{
    if (!isOpen())
        return NoMoreValues;
    // The key tells the longest name and data among its values; a value that grows
    // between that question and the read is asked for again with the new sizes.
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD longestName = 0;
        DWORD longestData = 0;
        if (RegQueryInfoKeyA(asKey(m_keys[2]), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &longestName, &longestData, nullptr, nullptr)
            != ERROR_SUCCESS)
            return NoMoreValues;
        std::vector<char> name(longestName + 1, '\0');
        std::vector<unsigned char> data(longestData + 1, 0);
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG result =
            RegEnumValueA(asKey(m_keys[2]), Index, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
        if (result == ERROR_NO_MORE_ITEMS)
            return NoMoreValues;
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return Unreadable;
        Out.name.assign(name.data(), nameSize);
        Out.type = type;
        Out.data.assign(data.begin(), data.begin() + dataSize);
        return Read;
    }
    return Unreadable;
}
