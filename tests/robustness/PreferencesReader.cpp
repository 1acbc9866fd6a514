// The preference values the program keeps in the registry. Another program, a hand edit or
// a damaged hive can leave any type and any bytes under a value's name, so an input is a
// list of registry values: each a type byte, a name (a length byte and the bytes) and the
// data (a 16-bit big-endian length and the bytes). The seeds are the program's own
// preferences as KPreferences::save leaves them in the registry.
#include "foundation/KPreferences.h"
#include "foundation/ApplicationLink.h"
#include "foundation/PreferenceKeyWin32.h"
#include "tests/robustness/InputReader.h"

#include <windows.h>

namespace {

// The application name the preferences are kept under, as KPreferences asks it.
std::string applicationName() { return ApplicationLink::applicationName("KApplication").getText(); }

Bytes encode(const std::vector<PreferenceValue>& Values)
{
    Bytes data;
    for (const PreferenceValue& value : Values) {
        data.push_back(static_cast<uint8_t>(value.type));
        data.push_back(static_cast<uint8_t>(value.name.size()));
        data.insert(data.end(), value.name.begin(), value.name.end());
        data.push_back(static_cast<uint8_t>(value.data.size() >> 8));
        data.push_back(static_cast<uint8_t>(value.data.size() & 0xFF));
        data.insert(data.end(), value.data.begin(), value.data.end());
    }
    return data;
}

// As many whole values as the input holds.
std::vector<PreferenceValue> decode(const Bytes& Data)
{
    std::vector<PreferenceValue> values;
    size_t at = 0;
    while (at + 2 <= Data.size()) {
        PreferenceValue value;
        value.type = Data[at];
        const size_t nameLength = Data[at + 1];
        at += 2;
        if (at + nameLength + 2 > Data.size())
            break;
        value.name.assign(Data.begin() + static_cast<long>(at), Data.begin() + static_cast<long>(at + nameLength));
        at += nameLength;
        const size_t dataLength = (size_t(Data[at]) << 8) | Data[at + 1];
        at += 2;
        if (at + dataLength > Data.size())
            break;
        value.data.assign(Data.begin() + static_cast<long>(at), Data.begin() + static_cast<long>(at + dataLength));
        at += dataLength;
        values.push_back(value);
    }
    return values;
}

void deleteSet(const std::string& Set)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("SOFTWARE\\" + applicationName() + "\\" + Set).c_str());
}

std::vector<PreferenceValue> storedValues(const std::string& Set)
{
    std::vector<PreferenceValue> values;
    PreferenceKeyWin32 key(applicationName().c_str(), Set.c_str(), PreferenceKeyWin32::ReadOnly);
    PreferenceValue value;
    for (unsigned long i = 0; key.readValue(i, value) != PreferenceKeyWin32::NoMoreValues; ++i)
        values.push_back(value);
    return values;
}

class PreferencesReader : public InputReader {
public:
    std::string name() const override { return "preferences"; }
    DamageProfile profile() const override
    {
        DamageProfile profile;
        profile.bigEndian = false;
        return profile;
    }

    void writeSeeds(const std::string& Folder) override
    {
        removeSetsOfEndedChildren();
        const std::string set = "RobustnessSeed" + std::to_string(GetCurrentProcessId());
        KPreferences preferences;
        preferences.setBool(KString("ChildMode"), true);
        preferences.setString(KString("DefaultColorPalette"), KString("Nuvola Colors"));
        preferences.setString(KString("LastUsedVoice"), KString("Microsoft Anna"));
        preferences.setShort(KString("ApplicationLanguage"), 2);
        preferences.setString(KString("DocFolder"), KString("C:\\Users\\Child\\Stories"));
        preferences.setShort(KString("SpeechSpeed"), 65);
        preferences.setBool(KString("CustomSpeechSpeed"), false);
        preferences.setBool(KString("AllowDuplicatedActors"), true);
        preferences.setLong(KString("EditingWindowModePlayer"), 1);
        preferences.setBool(KString("LimitActorSize"), true);
        preferences.setChar(KString("AutoEdit"), 'Y');
        preferences.setFloat(KString("HighlightElements"), 0.5f);
        preferences.setLong(KString("NewDocW"), 800);
        preferences.setDouble(KString("NewDocH"), 600.0);
        deleteSet(set);
        preferences.save(KString(set.c_str()));
        const std::vector<PreferenceValue> values = storedValues(set);
        deleteSet(set);
        if (values.empty())
            throw std::runtime_error("the program wrote no preferences");
        writeFileBytes(Folder + "/MainPreferences.values", encode(values));
        writeFileBytes(Folder + "/Few.values", encode({values.front(), values.back()}));
    }

    void prepare(const std::string&) override { m_set = "Robustness" + std::to_string(GetCurrentProcessId()); }
    ~PreferencesReader() override
    {
        if (!m_set.empty())
            deleteSet(m_set);
    }

    Outcome open(const Bytes& Input) override
    {
        deleteSet(m_set);
        {
            PreferenceKeyWin32 key(applicationName().c_str(), m_set.c_str(), PreferenceKeyWin32::Create);
            for (const PreferenceValue& value : decode(Input))
                key.writeValue(value);
        }
        KPreferences preferences;
        preferences.load(KString(m_set.c_str()));
        // The program reads each value as the type it expects, whatever the registry held.
        const KNamedBag& variables = preferences.getVariables();
        for (long i = 0; i < variables.getCount(); ++i) {
            const auto* name = dynamic_cast<const KString*>(&variables.getNames().getObjectAt(i));
            if (!name)
                continue;
            KString text;
            preferences.getString(text, *name);
            (void)preferences.getBool(*name);
            (void)preferences.getShort(*name);
            (void)preferences.getLong(*name);
        }
        return variables.getCount() > 0 ? Outcome::Loaded : Outcome::Refused;
    }

private:
    // Children that ended on a failure left their sets behind.
    static void removeSetsOfEndedChildren()
    {
        HKEY application = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string("SOFTWARE\\") + applicationName()).c_str(), 0, KEY_ALL_ACCESS, &application)
            != ERROR_SUCCESS)
            return;
        std::vector<std::string> left;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(application, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            if (std::string(name).rfind("Robustness", 0) == 0)
                left.push_back(name);
        }
        for (const std::string& set : left)
            RegDeleteTreeA(application, set.c_str());
        RegCloseKey(application);
    }

    std::string m_set;
};

} // namespace

std::vector<std::unique_ptr<InputReader>> makePreferencesReaders()
{
    std::vector<std::unique_ptr<InputReader>> readers;
    readers.push_back(std::make_unique<PreferencesReader>());
    return readers;
}
