#pragma once
// A set key of the registry for one test of the preferences, removed with the application
// key it made.
#include "foundation/KString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

using Bytes = std::vector<unsigned char>;

// HKEY_LOCAL_MACHINE\SOFTWARE\<application>\<set> for one test.
class RegistrySet {
public:
    RegistrySet(const std::string& Application, const std::string& Set)
        : name(Set.c_str()), m_application("SOFTWARE\\" + Application), m_path(m_application + "\\" + Set)
    {
        HKEY key = nullptr;
        m_applicationExisted = RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_application.c_str(), 0, KEY_READ, &key) == 0;
        RegCloseKey(key);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_path.c_str());
    }
    ~RegistrySet()
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_path.c_str());
        if (!m_applicationExisted)
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_application.c_str());
    }

    void write(const char* Name, DWORD Type, const Bytes& Data)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        ASSERT_EQ(RegSetValueExA(key, Name, 0, Type, Data.data(), static_cast<DWORD>(Data.size())), 0);
        RegCloseKey(key);
    }

    // A value's type, then its bytes; nothing for a missing value.
    Bytes read(const char* Name) const
    {
        HKEY key = nullptr;
        DWORD type = 0, size = 0;
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, KEY_READ, &key);
        Bytes value;
        if (RegQueryValueExA(key, Name, nullptr, &type, nullptr, &size) == 0) {
            value.assign(size + 1, static_cast<unsigned char>(type));
            RegQueryValueExA(key, Name, nullptr, &type, value.data() + 1, &size);
        }
        RegCloseKey(key);
        return value;
    }

    const KString name;

private:
    std::string m_application;
    std::string m_path;
    bool m_applicationExisted = false;
};

inline std::string uniqueName(const char* Stem) { return Stem + std::to_string(GetCurrentProcessId()); }
