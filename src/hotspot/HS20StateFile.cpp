#include "hotspot/HS20StateFile.h"

#include <optional>

#include "hotspot/HotSpotControls.h"

using hotspot::FieldText;
using hotspot::PutField;

namespace {

constexpr int kSections = 10;
constexpr int kNoEntry = 99;
constexpr DWORD kTextBuffer = 512;
// Default that no written value equals: tells a missing key from an empty one.
constexpr const char kMissing[] = "\x7f<missing>";

class Section {
public:
    Section(const std::string& path, std::string name) : m_path(path), m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }

    // The key's text (at most 511 characters), or nothing when the key is missing.
    std::optional<std::string> Text(const char* key) const
    {
        char buffer[kTextBuffer] = {};
        GetPrivateProfileStringA(m_name.c_str(), key, kMissing, buffer, kTextBuffer, m_path.c_str());
        if (std::string(buffer) == kMissing)
            return std::nullopt;
        return std::string(buffer);
    }

    // The key as a whole decimal number within [low, high]; 99 when missing. False, with
    // error filled, when the text is anything else.
    bool Number(const char* key, int low, int high, int& value, std::string& error) const
    {
        const std::optional<std::string> text = Text(key);
        if (!text) {
            value = kNoEntry;
            return true;
        }
        const std::string& t = *text;
        const size_t at = (!t.empty() && t[0] == '-') ? 1 : 0;
        long long number = 0;
        bool digits = at < t.size() && t.size() - at <= 9;
        for (size_t i = at; digits && i < t.size(); ++i) {
            digits = t[i] >= '0' && t[i] <= '9';
            number = number * 10 + (t[i] - '0');
        }
        if (at)
            number = -number;
        if (!digits || number < low || number > high) {
            error = key + std::string("=\"") + t + "\" is not a number from " + std::to_string(low) + " to " +
                    std::to_string(high);
            return false;
        }
        value = int(number);
        return true;
    }

    // The key's text cut to the field; its length into the length byte when one is given.
    template <size_t N>
    void Field(const char* key, char (&field)[N], uint8_t* length = nullptr) const
    {
        const uint8_t n = PutField(field, Text(key).value_or(""));
        if (length)
            *length = n;
    }

private:
    const std::string& m_path;
    std::string m_name;
};

bool ReadCommon(const Section& s, HS20_STATE_ENTRY& entry, std::string& error)
{
    entry.section = s.Name();
    return s.Number("Prefer", 0, 255, entry.prefer, error) && s.Number("Weight", 0, 255, entry.weight, error);
}

// One credential section: nothing when it holds no entry, else the entry or the reason it is
// malformed.
std::optional<HS20_STATE_ENTRY> ReadCredential(const Section& s, std::string& error)
{
    int type = kNoEntry;
    if (!s.Number("CredenType", 0, 255, type, error) || type == kNoEntry)
        return std::nullopt;
    HS20_STATE_ENTRY entry;
    if (type > 2) {
        error = "CredenType=" + std::to_string(type) + " is no credential type";
        return std::nullopt;
    }
    if (!ReadCommon(s, entry, error))
        return std::nullopt;
    HS20_CREDENTIAL& c = entry.credential;
    c.CredenType = uint8_t(type);
    c.Prefer = uint8_t(entry.prefer == 1 ? 1 : 0);
    c.Weight = uint8_t(entry.weight);
    s.Field("UserName", c.UserName, &c.UserNameLen);
    s.Field("Password", c.Password, &c.PasswordLen);
    s.Field("RootCa", c.RootCa);
    s.Field("Realm", c.Realm);
    s.Field("IMSI", c.IMSI);
    s.Field("MNC", c.MNC);
    s.Field("MCC", c.MCC);
    s.Field("Name", c.Name);
    entry.kind = 0;
    entry.name = FieldText(c.Name);
    return entry;
}

std::optional<HS20_STATE_ENTRY> ReadProfile(const Section& s, std::string& error)
{
    int psk = kNoEntry, present = kNoEntry;
    if (!s.Number("IsPSK", 0, 255, psk, error) || psk == kNoEntry)
        return std::nullopt;
    HS20_STATE_ENTRY entry;
    if (psk > 1) {
        error = "IsPSK=" + std::to_string(psk) + " is neither 0 nor 1";
        return std::nullopt;
    }
    if (!s.Number("IsPresent", 0, 255, present, error) || !ReadCommon(s, entry, error))
        return std::nullopt;
    HS20_PROFILE& p = entry.profile;
    p.IsPresent = uint8_t(present);
    p.IsPSK = uint8_t(psk);
    p.Prefer = uint8_t(entry.prefer == 1 ? 1 : 0);
    p.Weight = uint8_t(entry.weight);
    s.Field("UserName", p.UserName, &p.UserNameLen);
    s.Field("Password", p.Password, &p.PasswordLen);
    s.Field("RootCa", p.RootCa);
    s.Field("Ssid", p.Ssid, &p.SsidLen);
    s.Field("PassPhrase", p.PassPhrase, &p.PassPhraseLen);
    s.Field("EncpType", p.EncpType);
    s.Field("KeyMgmtType", p.KeyMgmtType);
    s.Field("Name", p.Name);
    entry.kind = 1;
    entry.name = FieldText(p.Name);
    return entry;
}

} // namespace

void ReadHS20StateFile(const std::string& path, std::vector<HS20_STATE_ENTRY>& entries,
                       std::vector<std::string>& skipped)
{
    entries.clear();
    skipped.clear();
    using Reader = std::optional<HS20_STATE_ENTRY> (*)(const Section&, std::string&);
    const std::pair<const char*, Reader> kinds[] = {{"Credential ", ReadCredential}, {"Profile ", ReadProfile}};
    for (const auto& [prefix, read] : kinds) {
        for (int n = 0; n < kSections; ++n) {
            const Section s(path, prefix + std::to_string(n));
            std::string error;
            if (std::optional<HS20_STATE_ENTRY> entry = read(s, error))
                entries.push_back(*entry);
            else if (!error.empty())
                skipped.push_back("[" + s.Name() + "] " + error);
        }
    }
}
