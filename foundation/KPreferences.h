#pragma once
// A named set of typed values that the application keeps between runs in the registry,
// under HKEY_LOCAL_MACHINE\SOFTWARE\<application name>\<set name>, one registry value per
// variable. The set's name is not kept here: save, load and exists are given it.
//
// Registry layouts (numbers little-endian; a binary value starts with the variable's
// type code): char 00 c, bool 01 b, long 03 + 4 bytes, float 04 + 4 bytes, double
// 05 + 8 bytes, all REG_BINARY; a short is a REG_DWORD sign-extended to 32 bits; a
// string is a REG_SZ with its NUL. Object and sized-integer variables are not stored.
#include "foundation/KNamedBag.h"
#include "foundation/KVariable.h"

struct PreferenceValue;

class KPreferences : public KThing {
    K_DECLARE_CLASS(KPreferences)
public:
    KPreferences() = default;
    KPreferences(const KPreferences&) = delete;
    KPreferences& operator=(const KPreferences&) = delete;

    bool hasVariable(const KString& Name) const;

    // Each replaces any variable of that name, whatever its type.
    void setString(const KString& Name, const KString& Value);
    void setChar(const KString& Name, char Value);
    void setBool(const KString& Name, bool Value);
    void setShort(const KString& Name, short Value);
    void setLong(const KString& Name, long Value);
    void setFloat(const KString& Name, float Value);
    void setDouble(const KString& Name, double Value);

    // The getters read the variable as the type asked for, whatever it holds; an absent
    // name gives an empty string, false or 0.
    void getString(KString& Out, const KString& Name) const;
    bool getBool(const KString& Name) const;
    short getShort(const KString& Name) const;
    long getLong(const KString& Name) const;

    // Registry failures are silent: save and load simply stop.
    void save(const KString& SetName) const;
    // Adds or replaces variables from the set's registry values; variables the registry
    // lacks keep their values.
    void load(const KString& SetName);
    bool exists(const KString& SetName) const;

    const KNamedBag& getVariables() const { return m_variables; }

private:
    // The registry form of a variable; false for a type that has none.
    static bool encodeValue(const KString& Name, const KVariable& Variable, PreferenceValue& Out);
    // Sets the variable a registry value describes; false when it describes none.
    void decodeValue(const PreferenceValue& Value);
    void setVariable(const KString& Name, KVariable& Variable);
    KVariable* findVariable(const KString& Name) const;

    KNamedBag m_variables;
};

K_POINTER_CLASS(KPreferences, KThingPtr);
