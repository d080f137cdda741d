#include "hotspot/HS20StateFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

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
        if (std::strcmp(buffer, kMissing) == 0)
            return std::nullopt;
        return std::string(buffer);
    }

    // The key as a whole decimal number within [low, high]; fallback when missing. False, with
    // error filled, when the text is anything else.
    bool Number(const char* key, int fallback, int low, int high, int& value, std::string& error) const
    {
        const std::optional<std::string> text = Text(key);
        if (!text) {
            value = fallback;
            return true;
        }
        const std::string& t = *text;
        size_t at = (t.size() && t[0] == '-') ? 1 : 0;
        long long number = 0;
        bool digits = at < t.size() && t.size() - at <= 9;
        for (size_t i = at; digits && i < t.size(); ++i) {
            if (t[i] < '0' || t[i] > '9')
                digits = false;
            else
                number = number * 10 + (t[i] - '0');
        }
        if (at)
            number = -number;
        if (!digits || number < low || number > high) {
            error = "[" + m_name + "] " + key + "=\"" + t + "\" is not a number from " + std::to_string(low) +
                    " to " + std::to_string(high);
            return false;
        }
        value = int(number);
        return true;
    }

    bool Has(const char* key) const { return Text(key).has_value(); }

    // The key's text cut to the field; the field's length byte when one is given. A field filled
    // to its end keeps no terminating zero, as the records do.
    template <size_t N>
    void Field(const char* key, char (&field)[N], uint8_t* length = nullptr) const
    {
        const std::string text = Text(key).value_or("");
        const size_t n = std::min(text.size(), N);
        std::memset(field, 0, N);
        std::memcpy(field, text.data(), n);
        if (length)
            *length = uint8_t(n);
    }

private:
    const std::string& m_path;
    std::string m_name;
};

std::string NameOf(const char (&field)[64])
{
    return std::string(field, strnlen(field, sizeof field));
}

// Prefer and Weight, and the entry's name key: a written entry always has them.
bool ReadCommon(const Section& s, HS20_STATE_ENTRY& entry, std::string& error)
{
    for (const char* key : {"Prefer", "Weight", "Name"}) {
        if (!s.Has(key)) {
            error = "[" + s.Name() + "] has no " + key + " (the file is cut short)";
            return false;
        }
    }
    return s.Number("Prefer", kNoEntry, 0, 255, entry.prefer, error) &&
           s.Number("Weight", kNoEntry, 0, 255, entry.weight, error);
}

bool ReadCredential(const Section& s, int type, HS20_STATE_ENTRY& entry, std::string& error)
{
    if (!ReadCommon(s, entry, error))
        return false;
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
    entry.name = NameOf(c.Name);
    return true;
}

bool ReadProfile(const Section& s, int psk, int present, HS20_STATE_ENTRY& entry, std::string& error)
{
    if (!ReadCommon(s, entry, error))
        return false;
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
    entry.name = NameOf(p.Name);
    return true;
}

// One credential section: false on a malformed one; entry kept only when the section holds one.
bool ReadCredentialSection(const std::string& path, int n, std::vector<HS20_STATE_ENTRY>& entries,
                           std::string& error)
{
    const Section s(path, "Credential " + std::to_string(n));
    int type = kNoEntry;
    if (!s.Number("CredenType", kNoEntry, 0, 255, type, error))
        return false;
    if (type == kNoEntry)
        return true;
    if (type > 2) {
        error = "[" + s.Name() + "] CredenType=" + std::to_string(type) + " is no credential type";
        return false;
    }
    HS20_STATE_ENTRY entry;
    entry.section = n;
    if (!ReadCredential(s, type, entry, error))
        return false;
    entries.push_back(entry);
    return true;
}

bool ReadProfileSection(const std::string& path, int n, std::vector<HS20_STATE_ENTRY>& entries, std::string& error)
{
    const Section s(path, "Profile " + std::to_string(n));
    int psk = kNoEntry, present = kNoEntry;
    if (!s.Number("IsPSK", kNoEntry, 0, 255, psk, error))
        return false;
    if (psk == kNoEntry)
        return true;
    if (psk > 1) {
        error = "[" + s.Name() + "] IsPSK=" + std::to_string(psk) + " is neither 0 nor 1";
        return false;
    }
    if (!s.Number("IsPresent", kNoEntry, 0, 255, present, error))
        return false;
    HS20_STATE_ENTRY entry;
    entry.section = n;
    if (!ReadProfile(s, psk, present, entry, error))
        return false;
    entries.push_back(entry);
    return true;
}

// True when the file is empty or names at least one of the twenty sections.
bool HasKnownSection(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return true;
    if (data.nFileSizeLow == 0 && data.nFileSizeHigh == 0)
        return true;
    std::vector<char> names(32768);
    const DWORD n = GetPrivateProfileSectionNamesA(names.data(), DWORD(names.size()), path.c_str());
    for (const char* name = names.data(); name < names.data() + n && *name; name += std::strlen(name) + 1) {
        for (int i = 0; i < kSections; ++i) {
            if (_stricmp(name, ("Credential " + std::to_string(i)).c_str()) == 0 ||
                _stricmp(name, ("Profile " + std::to_string(i)).c_str()) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

bool ReadHS20StateFile(const std::string& path, std::vector<HS20_STATE_ENTRY>& entries, std::string& error)
{
    entries.clear();
    error.clear();
    bool ok = HasKnownSection(path);
    if (!ok)
        error = "holds no Credential or Profile section";
    for (int n = 0; ok && n < kSections; ++n)
        ok = ReadCredentialSection(path, n, entries, error);
    for (int n = 0; ok && n < kSections; ++n)
        ok = ReadProfileSection(path, n, entries, error);
    if (ok && entries.size() > size_t(MAX_HS20_TABLE)) {
        error = std::to_string(entries.size()) + " entries, more than the " + std::to_string(MAX_HS20_TABLE) +
                " rows of the table";
        ok = false;
    }
    if (!ok)
        entries.clear();
    return ok;
}
