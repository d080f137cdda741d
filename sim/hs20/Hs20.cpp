// The simulated Hotspot 2.0 library: credentials and profiles in memory, their weights and
// preferred mark, the state file written on request, and a control surface for tests.
#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "common/CallInjections.h"
#include "wlapi/records.h"

namespace {

constexpr size_t kMaxPerKind = 10;

struct State {
    std::mutex lock;
    std::vector<HS20_CREDENTIAL> credentials;
    std::vector<HS20_PROFILE> profiles;
    HS20_CONNECTED_INFO connected{};
    simcommon::CallInjections injections;
    std::string journal;
};

State& S()
{
    static State state;
    return state;
}

template <size_t N>
std::string Field(const char (&text)[N])
{
    return std::string(text, strnlen(text, N));
}

// Counts the call; true and the injected result when one is due.
bool Injected(const char* entry, int& result)
{
    return S().injections.Due(entry, result);
}

int Journal(const std::string& line, int result)
{
    S().journal += line + " -> " + std::to_string(result) + "\n";
    return result;
}

std::string WeightText(const HS20_WEIGHT_TABLE& table)
{
    std::string text;
    for (const HS20_WEIGHT_ENTRY& e : table.Entry) {
        char one[32];
        std::snprintf(one, sizeof one, " %u/%u/%u/%u", e.Present, e.Kind, e.Index, e.Weight);
        text += one;
    }
    return text;
}

// Every folder on the way to the file, made when missing.
void MakeFolders(const std::string& path)
{
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

bool Put(const std::string& file, const std::string& section, const char* key, const std::string& value)
{
    return WritePrivateProfileStringA(section.c_str(), key, value.c_str(), file.c_str()) != 0;
}

bool WriteCredential(const std::string& file, int n, const HS20_CREDENTIAL& c)
{
    const std::string section = "Credential " + std::to_string(n);
    return Put(file, section, "CredenType", std::to_string(c.CredenType)) &&
           Put(file, section, "UserName", Field(c.UserName)) && Put(file, section, "Password", Field(c.Password)) &&
           Put(file, section, "RootCa", Field(c.RootCa)) && Put(file, section, "Realm", Field(c.Realm)) &&
           Put(file, section, "IMSI", Field(c.IMSI)) && Put(file, section, "MNC", Field(c.MNC)) &&
           Put(file, section, "MCC", Field(c.MCC)) && Put(file, section, "Prefer", std::to_string(c.Prefer)) &&
           Put(file, section, "Weight", std::to_string(c.Weight)) && Put(file, section, "Name", Field(c.Name));
}

bool WriteProfile(const std::string& file, int n, const HS20_PROFILE& p)
{
    const std::string section = "Profile " + std::to_string(n);
    return Put(file, section, "IsPresent", std::to_string(p.IsPresent)) &&
           Put(file, section, "IsPSK", std::to_string(p.IsPSK)) &&
           Put(file, section, "UserName", Field(p.UserName)) && Put(file, section, "Password", Field(p.Password)) &&
           Put(file, section, "RootCa", Field(p.RootCa)) && Put(file, section, "Ssid", Field(p.Ssid)) &&
           Put(file, section, "PassPhrase", Field(p.PassPhrase)) &&
           Put(file, section, "EncpType", Field(p.EncpType)) &&
           Put(file, section, "KeyMgmtType", Field(p.KeyMgmtType)) &&
           Put(file, section, "Prefer", std::to_string(p.Prefer)) &&
           Put(file, section, "Weight", std::to_string(p.Weight)) && Put(file, section, "Name", Field(p.Name));
}

// A length-counted text as "<text>/<length>"; the text never read past its field.
template <size_t N>
std::string Counted(const char (&text)[N], unsigned length)
{
    return std::string(text, strnlen(text, std::min<size_t>(length, N))) + "/" + std::to_string(length);
}

std::string Masked(unsigned length)
{
    return std::string(std::min(length, 64u), '*') + "/" + std::to_string(length);
}

std::string CredentialLine(size_t i, const HS20_CREDENTIAL& c)
{
    return "credential " + std::to_string(i) + " " + Field(c.Name) + " weight=" + std::to_string(c.Weight) +
           " prefer=" + std::to_string(c.Prefer) + " type=" + std::to_string(c.CredenType) +
           " user=" + Counted(c.UserName, c.UserNameLen) + " password=" + Masked(c.PasswordLen) +
           " imsi=" + Field(c.IMSI) + " mnc=" + Field(c.MNC) + " mcc=" + Field(c.MCC) + " rootca=" + Field(c.RootCa) +
           " realm=" + Field(c.Realm) + "\n";
}

std::string ProfileLine(size_t i, const HS20_PROFILE& p)
{
    return "profile " + std::to_string(i) + " " + Field(p.Name) + " weight=" + std::to_string(p.Weight) +
           " prefer=" + std::to_string(p.Prefer) + " present=" + std::to_string(p.IsPresent) +
           " psk=" + std::to_string(p.IsPSK) + " ssid=" + Counted(p.Ssid, p.SsidLen) +
           " user=" + Counted(p.UserName, p.UserNameLen) + " password=" + Masked(p.PasswordLen) +
           " passphrase=" + Masked(p.PassPhraseLen) + " encp=" + Field(p.EncpType) +
           " keymgmt=" + Field(p.KeyMgmtType) + " rootca=" + Field(p.RootCa) + "\n";
}

template <class T>
T* At(std::vector<T>& list, int index)
{
    return index >= 0 && size_t(index) < list.size() ? &list[size_t(index)] : nullptr;
}

template <class T>
int Remove(std::vector<T>& list, int index)
{
    if (!At(list, index))
        return 0;
    list.erase(list.begin() + index);
    return 1;
}

void ClearEntries()
{
    S().credentials.clear();
    S().profiles.clear();
}

} // namespace

extern "C" {

__declspec(dllexport) int HS20_Init(HS20_INIT_PARAM param)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 1;
    if (!Injected("HS20_Init", result))
        ClearEntries();
    std::string guid;
    for (wchar_t c : param.AdapterGuid) {
        if (!c)
            break;
        guid += c < 128 ? char(c) : '?';
    }
    return Journal("HS20_Init " + std::to_string(param.GuidLength) + " " + guid, result);
}

__declspec(dllexport) int HS20_Deinit()
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 1;
    if (!Injected("HS20_Deinit", result))
        ClearEntries();
    return Journal("HS20_Deinit", result);
}

__declspec(dllexport) int HS20_Add_Credential(HS20_CREDENTIAL credential)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 0;
    if (!Injected("HS20_Add_Credential", result) && S().credentials.size() < kMaxPerKind) {
        S().credentials.push_back(credential);
        result = 1;
    }
    return Journal("HS20_Add_Credential " + Field(credential.Name), result);
}

__declspec(dllexport) int HS20_Add_Profile(HS20_PROFILE profile)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 0;
    if (!Injected("HS20_Add_Profile", result) && S().profiles.size() < kMaxPerKind) {
        S().profiles.push_back(profile);
        result = 1;
    }
    return Journal("HS20_Add_Profile " + Field(profile.Name), result);
}

__declspec(dllexport) int HS20_Del_Credential(int index)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 0;
    if (!Injected("HS20_Del_Credential", result))
        result = Remove(S().credentials, index);
    return Journal("HS20_Del_Credential " + std::to_string(index), result);
}

__declspec(dllexport) int HS20_Del_Profile(int index)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 0;
    if (!Injected("HS20_Del_Profile", result))
        result = Remove(S().profiles, index);
    return Journal("HS20_Del_Profile " + std::to_string(index), result);
}

__declspec(dllexport) int HS20_Reset_Default()
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 1;
    if (!Injected("HS20_Reset_Default", result))
        ClearEntries();
    return Journal("HS20_Reset_Default", result);
}

__declspec(dllexport) int HS20_Set_Domain_Name(const char* domain)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 1;
    Injected("HS20_Set_Domain_Name", result);
    return Journal(std::string("HS20_Set_Domain_Name ") + (domain ? domain : ""), result);
}

__declspec(dllexport) int HS20_Set_Weight(HS20_WEIGHT_TABLE table)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 1;
    if (!Injected("HS20_Set_Weight", result)) {
        for (const HS20_WEIGHT_ENTRY& e : table.Entry) {
            if (!e.Present)
                continue;
            if (e.Kind == 0) {
                if (HS20_CREDENTIAL* c = At(S().credentials, e.Index))
                    c->Weight = e.Weight;
            } else if (HS20_PROFILE* p = At(S().profiles, e.Index)) {
                p->Weight = e.Weight;
            }
        }
    }
    return Journal("HS20_Set_Weight" + WeightText(table), result);
}

__declspec(dllexport) int HS20_Write_IniFile(HS20_INI_PATH path)
{
    std::lock_guard<std::mutex> hold(S().lock);
    const size_t length = strnlen(path.Path, sizeof path.Path);
    const std::string file(path.Path, length);
    int result = 0;
    if (!Injected("HS20_Write_IniFile", result) && length < sizeof path.Path && length == path.Length &&
        length > 0) {
        MakeFolders(file);
        result = 1;
        for (size_t i = 0; i < S().credentials.size() && result; ++i)
            result = WriteCredential(file, int(i), S().credentials[i]) ? 1 : 0;
        for (size_t i = 0; i < S().profiles.size() && result; ++i)
            result = WriteProfile(file, int(i), S().profiles[i]) ? 1 : 0;
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    }
    return Journal("HS20_Write_IniFile " + std::to_string(path.Length) + " " + file, result);
}

__declspec(dllexport) int HS20_Set_Prefer(HS20_PREFER prefer)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 0;
    if (!Injected("HS20_Set_Prefer", result)) {
        uint8_t* mark = nullptr;
        if (prefer.Kind == 0) {
            if (HS20_CREDENTIAL* c = At(S().credentials, prefer.Index))
                mark = &c->Prefer;
        } else if (HS20_PROFILE* p = At(S().profiles, prefer.Index)) {
            mark = &p->Prefer;
        }
        if (mark) {
            *mark = prefer.bPrefer ? 1 : 0;
            result = 1;
        }
    }
    return Journal("HS20_Set_Prefer " + std::to_string(prefer.Kind) + " " + std::to_string(prefer.Index) + " " +
                       std::to_string(prefer.bPrefer),
                   result);
}

__declspec(dllexport) int HS20_Modify_Credential(HS20_CREDENTIAL credential, int index)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 0;
    if (!Injected("HS20_Modify_Credential", result)) {
        if (HS20_CREDENTIAL* c = At(S().credentials, index)) {
            *c = credential;
            result = 1;
        }
    }
    return Journal("HS20_Modify_Credential " + std::to_string(index) + " " + Field(credential.Name), result);
}

__declspec(dllexport) int HS20_Modify_Profile(HS20_PROFILE profile, int index)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 0;
    if (!Injected("HS20_Modify_Profile", result)) {
        if (HS20_PROFILE* p = At(S().profiles, index)) {
            *p = profile;
            result = 1;
        }
    }
    return Journal("HS20_Modify_Profile " + std::to_string(index) + " " + Field(profile.Name), result);
}

__declspec(dllexport) int HS20_Get_Credential(HS20_CREDENTIAL* credential, int index)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 0;
    if (!Injected("HS20_Get_Credential", result)) {
        const HS20_CREDENTIAL* c = At(S().credentials, index);
        if (c && credential) {
            *credential = *c;
            result = 1;
        }
    }
    return Journal("HS20_Get_Credential " + std::to_string(index), result);
}

__declspec(dllexport) int HS20_Get_Profile(HS20_PROFILE* profile, int index)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 0;
    if (!Injected("HS20_Get_Profile", result)) {
        const HS20_PROFILE* p = At(S().profiles, index);
        if (p && profile) {
            *profile = *p;
            result = 1;
        }
    }
    return Journal("HS20_Get_Profile " + std::to_string(index), result);
}

__declspec(dllexport) int HS20_Get_Connected_Parameters(HS20_CONNECTED_INFO* info)
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 0;
    if (!Injected("HS20_Get_Connected_Parameters", result) && info) {
        *info = S().connected;
        result = 1;
    }
    return Journal("HS20_Get_Connected_Parameters", result);
}

__declspec(dllexport) int HS20_Del_Connected_Parameters()
{
    std::lock_guard<std::mutex> hold(S().lock);
    int result = 1;
    if (!Injected("HS20_Del_Connected_Parameters", result))
        S().connected = HS20_CONNECTED_INFO{};
    return Journal("HS20_Del_Connected_Parameters", result);
}

// ---- control surface

__declspec(dllexport) void SimHs20Inject(const char* entry, int call, int result)
{
    std::lock_guard<std::mutex> hold(S().lock);
    if (entry)
        S().injections.Add(entry, call, result);
}

__declspec(dllexport) int SimHs20CallCount(const char* entry)
{
    std::lock_guard<std::mutex> hold(S().lock);
    return entry ? S().injections.Count(entry) : 0;
}

static int CopyOut(const std::string& text, char* out, int size)
{
    const int needed = int(text.size()) + 1;
    if (out && size > 0) {
        const size_t n = std::min(text.size(), size_t(size - 1));
        std::memcpy(out, text.data(), n);
        out[n] = '\0';
    }
    return needed;
}

__declspec(dllexport) int SimHs20Journal(char* out, int size)
{
    std::lock_guard<std::mutex> hold(S().lock);
    return CopyOut(S().journal, out, size);
}

__declspec(dllexport) void SimHs20JournalClear()
{
    std::lock_guard<std::mutex> hold(S().lock);
    S().journal.clear();
}

// One line per entry with every field of its record: "credential <index> <name> weight=<w>
// prefer=<p> type=<t> user=<text>/<length> password=<stars>/<length> ..." or "profile ...".
// Secrets show as one star per character.
__declspec(dllexport) int SimHs20Entries(char* out, int size)
{
    std::lock_guard<std::mutex> hold(S().lock);
    std::string text;
    for (size_t i = 0; i < S().credentials.size(); ++i)
        text += CredentialLine(i, S().credentials[i]);
    for (size_t i = 0; i < S().profiles.size(); ++i)
        text += ProfileLine(i, S().profiles[i]);
    return CopyOut(text, out, size);
}

// The stored record of an entry (kind 0 credential, 1 profile) copied whole into out; returns
// its size, or 0 when there is no such entry or out is too small.
__declspec(dllexport) int SimHs20Record(int kind, int index, void* out, int size)
{
    std::lock_guard<std::mutex> hold(S().lock);
    const void* record = nullptr;
    int length = 0;
    if (kind == 0 && At(S().credentials, index)) {
        record = At(S().credentials, index);
        length = int(sizeof(HS20_CREDENTIAL));
    } else if (kind == 1 && At(S().profiles, index)) {
        record = At(S().profiles, index);
        length = int(sizeof(HS20_PROFILE));
    }
    if (!record || !out || size < length)
        return 0;
    std::memcpy(out, record, size_t(length));
    return length;
}

__declspec(dllexport) void SimHs20SetConnected(int connected, const char* name, const unsigned char* bssid,
                                               int method)
{
    std::lock_guard<std::mutex> hold(S().lock);
    HS20_CONNECTED_INFO& info = S().connected;
    info = HS20_CONNECTED_INFO{};
    info.bConnected = uint8_t(connected);
    if (name)
        std::snprintf(info.Name, sizeof info.Name, "%s", name);
    if (bssid)
        std::memcpy(info.Bssid, bssid, sizeof info.Bssid);
    info.Method = uint8_t(method);
}

__declspec(dllexport) void SimHs20Reset()
{
    std::lock_guard<std::mutex> hold(S().lock);
    ClearEntries();
    S().connected = HS20_CONNECTED_INFO{};
    S().injections.Clear();
    S().journal.clear();
}

} // extern "C"
