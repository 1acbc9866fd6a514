#include "foundation/KPreferences.h"

#include "foundation/ApplicationLink.h"
#include "foundation/KernelFunctions.h"
#include "foundation/PreferenceKeyWin32.h"

#include <cstring>

K_DEFINE_CLASS(KPreferences, KThing, 1)

namespace {
// Until an application names itself it is "KApplication", and preferences saved with no
// application object at all go under the same name.
KString applicationName()
{
    return ApplicationLink::applicationName("KApplication");
}

template <typename T>
void appendBytes(std::vector<unsigned char>& Data, T Value)
{
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &Value, sizeof(T));
    Data.insert(Data.end(), bytes, bytes + sizeof(T));
}

// The value of a binary layout, which starts after the type byte; the caller has
// checked the length.
template <typename T>
T binaryField(const std::vector<unsigned char>& Data)
{
    T value;
    std::memcpy(&value, Data.data() + 1, sizeof(T));
    return value;
}

// The bytes each binary type needs, the type byte included; 0 for types with no layout.
std::size_t binaryLayoutSize(unsigned char Type)
{
    switch (Type) {
    case KVariable::Char:
    case KVariable::Bool: return 2;
    case KVariable::Long:
    case KVariable::Float: return 5;
    case KVariable::Double: return 9;
    default: return 0;
    }
}
} // namespace

bool KPreferences::hasVariable(const KString& Name) const { return m_variables.findName(Name); }

void KPreferences::setVariable(const KString& Name, KVariable& Variable)
{
    m_variables.addNamedObject(Name, Variable, true);
}

KVariable* KPreferences::findVariable(const KString& Name) const
{
    long pos = -1;
    if (!m_variables.findName(Name, &pos))
        return nullptr;
    return dynamic_cast<KVariable*>(&m_variables.getObjects().getObjectAt(pos));
}

#define K_PREFERENCE_SETTER(Operation, Type)                           \
    void KPreferences::Operation(const KString& Name, Type Value)      \
    {                                                                  \
        KVariablePtr variable(new KVariable);                          \
        if (!variable.hasObject(nullptr))                              \
            return;                                                    \
        variable->Operation(Value);                                    \
        setVariable(Name, *variable);                                  \
    }

K_PREFERENCE_SETTER(setChar, char)
K_PREFERENCE_SETTER(setBool, bool)
K_PREFERENCE_SETTER(setShort, short)
K_PREFERENCE_SETTER(setLong, long)
K_PREFERENCE_SETTER(setFloat, float)
K_PREFERENCE_SETTER(setDouble, double)

#undef K_PREFERENCE_SETTER

void KPreferences::setString(const KString& Name, const KString& Value)
{
    KVariablePtr variable(new KVariable);
    if (!variable.hasObject(nullptr))
        return;
    // A variable holds a heap string itself; the set keeps a copy of its own, so that
    // later changes to the caller's string do not reach the preferences.
    variable->setString(KString(Value));
    setVariable(Name, *variable);
}

void KPreferences::getString(KString& Out, const KString& Name) const
{
    Out.clear();
    if (const KVariable* variable = findVariable(Name))
        Out = variable->getString();
}

bool KPreferences::getBool(const KString& Name) const
{
    const KVariable* variable = findVariable(Name);
    return variable ? variable->getBool() : false;
}

short KPreferences::getShort(const KString& Name) const
{
    const KVariable* variable = findVariable(Name);
    return variable ? variable->getShort() : 0;
}

long KPreferences::getLong(const KString& Name) const
{
    const KVariable* variable = findVariable(Name);
    return variable ? variable->getLong() : 0;
}

bool KPreferences::encodeValue(const KString& Name, const KVariable& Variable, PreferenceValue& Out)
{
    Out.name = Name.getText();
    Out.data.clear();
    const uint8 type = Variable.getType();
    switch (type) {
    case KVariable::Short:
        Out.type = PreferenceValue::Dword;
        appendBytes<int32>(Out.data, Variable.getShort());
        return true;
    case KVariable::String: {
        const KString text = Variable.getString();
        Out.type = PreferenceValue::String;
        Out.data.assign(text.getText(), text.getText() + text.getLength());
        Out.data.push_back(0);
        return true;
    }
    case KVariable::Char:
    case KVariable::Bool:
    case KVariable::Long:
    case KVariable::Float:
    case KVariable::Double:
        Out.type = PreferenceValue::Binary;
        Out.data.push_back(type);
        break;
    default:
        return false;
    }
    switch (type) {
    case KVariable::Char: appendBytes(Out.data, Variable.getChar()); break;
    case KVariable::Bool: appendBytes<uint8>(Out.data, Variable.getBool() ? 1 : 0); break;
    case KVariable::Long: appendBytes<int32>(Out.data, Variable.getLong()); break;
    case KVariable::Float: appendBytes(Out.data, Variable.getFloat()); break;
    default: appendBytes(Out.data, Variable.getDouble()); break;
    }
    return true;
}

void KPreferences::decodeValue(const PreferenceValue& Value)
{
    const KString name(Value.name.c_str());
    const std::vector<unsigned char>& data = Value.data;
    switch (Value.type) {
    case PreferenceValue::String: {
        // The text ends at its NUL, or at the end of the data when it has none.
        const auto* text = reinterpret_cast<const char*>(data.data());
        std::size_t length = 0;
        while (length < data.size() && text[length] != '\0')
            ++length;
        setString(name, KString(std::string(text, length).c_str()));
        return;
    }
    case PreferenceValue::Dword:
        // Only the low 16 bits make the short: 65537 reads as 1, 65535 as -1.
        if (data.size() >= 4) {
            uint16 low = 0;
            std::memcpy(&low, data.data(), sizeof(low));
            setShort(name, static_cast<short>(low));
        }
        return;
    case PreferenceValue::Binary:
        break;
    default:
        knsNotYetImplemented("KPreferences::load unimplemented register format");
        return;
    }
    if (data.empty())
        return;
    const unsigned char type = data[0];
    const std::size_t needed = binaryLayoutSize(type);
    if (needed == 0) {
        knsNotYetImplemented("KPreferences::load unimplemented data format");
        return;
    }
    // A value cut short by hand or by another program is passed over rather than read
    // past its end.
    if (data.size() < needed)
        return;
    switch (type) {
    case KVariable::Char: setChar(name, binaryField<char>(data)); break;
    case KVariable::Bool: setBool(name, binaryField<uint8>(data) != 0); break;
    case KVariable::Long: setLong(name, binaryField<int32>(data)); break;
    case KVariable::Float: setFloat(name, binaryField<float>(data)); break;
    default: setDouble(name, binaryField<double>(data)); break;
    }
}

void KPreferences::save(const KString& SetName) const
{
    PreferenceKeyWin32 key(applicationName().getText(), SetName.getText(), PreferenceKeyWin32::Create);
    if (!key.isOpen())
        return;
    const KBag& names = m_variables.getNames();
    const KBag& variables = m_variables.getObjects();
    for (long i = 0; i < m_variables.getCount(); ++i) {
        const auto* name = dynamic_cast<const KString*>(&names.getObjectAt(i));
        const auto* variable = dynamic_cast<const KVariable*>(&variables.getObjectAt(i));
        if (!name || !variable)
            continue;
        PreferenceValue value;
        if (encodeValue(*name, *variable, value))
            key.writeValue(value);
        else
            knsNotYetImplemented("KPreferences::save - unimplemented data format");
    }
}

void KPreferences::load(const KString& SetName)
{
    PreferenceKeyWin32 key(applicationName().getText(), SetName.getText(), PreferenceKeyWin32::ReadOnly);
    if (!key.isOpen())
        return;
    PreferenceValue value;
    for (unsigned long index = 0;; ++index) {
        const PreferenceKeyWin32::ReadResult result = key.readValue(index, value);
        if (result == PreferenceKeyWin32::NoMoreValues)
            break;
        if (result == PreferenceKeyWin32::Read)
            decodeValue(value);
    }
}

bool KPreferences::exists(const KString& SetName) const
{
    return PreferenceKeyWin32(applicationName().getText(), SetName.getText(), PreferenceKeyWin32::ReadOnly).isOpen();
}
