// The simulated WAPI certificate library: the ten entries over the certificate model, each
// counted and journalled with its arguments and result, and a control surface for tests.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <type_traits>
#include <mutex>
#include <string>
#include <vector>

#include "CertModel.h"
#include "common/CallInjections.h"
#include "wlapi/entries.h"

namespace {

struct State {
    std::recursive_mutex lock;
    bool opened = false;
    certsim::CertModel model;
    simcommon::CallInjections injections;
    std::string journal;
    int extraUsers = 0;
    int extraAS = 0;
};

HMODULE g_module = nullptr;

// The store file: WEVO_CERT_STATE names it ("none": memory only); unset, it follows the
// adapter simulator's WEVO_SIM_STATE "none", else it lies beside the library.
std::string StoreFile()
{
    char value[MAX_PATH] = {};
    if (GetEnvironmentVariableA("WEVO_CERT_STATE", value, sizeof value) > 0 && value[0])
        return _stricmp(value, "none") == 0 ? std::string() : std::string(value);
    if (GetEnvironmentVariableA("WEVO_SIM_STATE", value, sizeof value) > 0 && _stricmp(value, "none") == 0)
        return std::string();
    char path[MAX_PATH] = {};
    GetModuleFileNameA(g_module, path, MAX_PATH);
    std::string file(path);
    const size_t slash = file.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : file.substr(0, slash + 1)) + "ZeZuveZud.state.ini";
}

State& S()
{
    static State state;
    if (!state.opened) {
        state.opened = true;
        state.model.Open(StoreFile());
    }
    return state;
}

// Counts the call; true and the injected result when one is due.
bool Injected(const char* entry, int& result)
{
    return S().injections.Due(entry, result);
}

int Journal(const std::string& line, int result, bool injected)
{
    S().journal += line + " -> " + std::to_string(result) + (injected ? " injected" : "") + "\n";
    return result;
}

// A path argument: at most its 256-byte buffer, never read past it.
std::string PathArg(const char* path)
{
    if (!path)
        return std::string();
    size_t n = 0;
    while (n < 256 && path[n])
        ++n;
    return std::string(path, n);
}

std::string Ptr(const void* p)
{
    return p ? "store" : "null";
}

template <class Body>
int Run(const char* entry, const std::string& args, Body body)
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    int result = 0;
    if (Injected(entry, result))
        return Journal(std::string(entry) + "(" + args + ")", result, true);
    result = body();
    return Journal(std::string(entry) + "(" + args + ")", result, false);
}

void Refill(WAPI_CERT_STORE* store)
{
    if (store)
        S().model.Fill(*store, S().extraUsers, S().extraAS);
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = instance;
    return TRUE;
}

extern "C" {

__declspec(dllexport) int ZeZuveZud_IsLegal(const char* path)
{
    const std::string file = PathArg(path);
    return Run("ZeZuveZud_IsLegal", file, [&] {
        certsim::Cert cert;
        return !file.empty() && certsim::ReadCert(file, "Certificate", "", cert) ? 1 : 0;
    });
}

__declspec(dllexport) int ZeZuveZud_GetCert(WAPI_CERT_STORE* store)
{
    return Run("ZeZuveZud_GetCert", Ptr(store), [&] {
        if (!store)
            return 0;
        Refill(store);
        return 1;
    });
}

__declspec(dllexport) int ZeZuveZud_ClearCert(WAPI_CERT_STORE* store)
{
    return Run("ZeZuveZud_ClearCert", Ptr(store), [&] {
        if (!store)
            return 0;
        std::memset(store, 0, sizeof *store);
        return 1;
    });
}

__declspec(dllexport) int ZeZuveZud_WriteUserASCert(WAPI_CERT_STORE* store, const char* userCertPath,
                                                     const char* asCertPath)
{
    const std::string user = PathArg(userCertPath), as = PathArg(asCertPath);
    return Run("ZeZuveZud_WriteUserASCert", Ptr(store) + ", " + user + ", " + as, [&] {
        const int result = S().model.InstallUserAS(user, as);
        Refill(store);
        return result;
    });
}

__declspec(dllexport) int ZeZuveZud_WriteExtraASCertByIndex(WAPI_CERT_STORE* store, const char* asCertPath,
                                                             int userIndex)
{
    const std::string as = PathArg(asCertPath);
    return Run("ZeZuveZud_WriteExtraASCertByIndex", Ptr(store) + ", " + as + ", " + std::to_string(userIndex), [&] {
        const int result = S().model.InstallExtraAS(as, userIndex);
        Refill(store);
        return result;
    });
}

__declspec(dllexport) int ZeZuveZud_DeleteUserASCertByIndex(WAPI_CERT_STORE* store, int index)
{
    return Run("ZeZuveZud_DeleteUserASCertByIndex", Ptr(store) + ", " + std::to_string(index), [&] {
        const bool done = S().model.DeleteUser(index);
        Refill(store);
        return done ? 1 : 0;
    });
}

__declspec(dllexport) int ZeZuveZud_DeleteExtraASCertByIndex(WAPI_CERT_STORE* store, int userIndex, int asIndex)
{
    return Run("ZeZuveZud_DeleteExtraASCertByIndex",
               Ptr(store) + ", " + std::to_string(userIndex) + ", " + std::to_string(asIndex), [&] {
                   const bool done = S().model.DeleteExtra(userIndex, asIndex);
                   Refill(store);
                   return done ? 1 : 0;
               });
}

__declspec(dllexport) int ZeZuveZud_MoveCert(WAPI_CERT_STORE* store, int index, int direction)
{
    return Run("ZeZuveZud_MoveCert", Ptr(store) + ", " + std::to_string(index) + ", " + std::to_string(direction), [&] {
        const bool done = S().model.Move(index, direction);
        Refill(store);
        return done ? 1 : 0;
    });
}

__declspec(dllexport) int ZeZuveZud_GetIdentity(int kind, uint32_t value1, uint32_t value2, WAPI_ID_BUFFER* identity)
{
    return Run("ZeZuveZud_GetIdentity",
               std::to_string(kind) + ", " + std::to_string(value1) + ", " + std::to_string(value2), [&] {
                   if (!identity)
                       return 0;
                   return S().model.Identity(kind, value1, value2, *identity) ? 1 : 0;
               });
}

__declspec(dllexport) int ZeZuveZud_GetCertIndex(WAPI_CERT_STORE* store, const WAPI_ID_BUFFER* identity)
{
    return Run("ZeZuveZud_GetCertIndex", Ptr(store), [&] {
        if (!identity)
            return -1;
        const size_t length = identity->Length;
        if (length > sizeof identity->Data)
            return -1;
        return S().model.IndexOfIdentity(identity->Data, length);
    });
}

// Control surface.
__declspec(dllexport) void SimCertInject(const char* entry, int call, int result)
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    S().injections.Add(entry, call, result);
}

__declspec(dllexport) int SimCertCallCount(const char* entry)
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    return S().injections.Count(entry);
}

// Copies the journal (terminated, cut to size); returns the size it needs.
__declspec(dllexport) int SimCertJournal(char* out, int size)
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    const std::string& text = S().journal;
    if (out && size > 0) {
        const size_t n = std::min(text.size(), size_t(size - 1));
        std::memcpy(out, text.data(), n);
        out[n] = 0;
    }
    return int(text.size() + 1);
}

__declspec(dllexport) void SimCertJournalClear()
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    S().journal.clear();
}

// Stores that claim more certificates than they hold.
__declspec(dllexport) void SimCertSetClaims(int extraUsers, int extraAS)
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    S().extraUsers = extraUsers;
    S().extraAS = extraAS;
}

// Forgets every certificate, injection and count.
__declspec(dllexport) void SimCertReset()
{
    std::lock_guard<std::recursive_mutex> hold(S().lock);
    S().model.Reset();
    S().injections.Clear();
    S().journal.clear();
    S().extraUsers = S().extraAS = 0;
}

} // extern "C"

static_assert(std::is_same_v<decltype(&ZeZuveZud_IsLegal), PFN_ZeZuveZud_IsLegal>);
static_assert(std::is_same_v<decltype(&ZeZuveZud_GetCert), PFN_ZeZuveZud_GetCert>);
static_assert(std::is_same_v<decltype(&ZeZuveZud_ClearCert), PFN_ZeZuveZud_ClearCert>);
static_assert(std::is_same_v<decltype(&ZeZuveZud_WriteUserASCert), PFN_ZeZuveZud_WriteUserASCert>);
static_assert(std::is_same_v<decltype(&ZeZuveZud_WriteExtraASCertByIndex), PFN_ZeZuveZud_WriteExtraASCertByIndex>);
static_assert(std::is_same_v<decltype(&ZeZuveZud_DeleteUserASCertByIndex), PFN_ZeZuveZud_DeleteUserASCertByIndex>);
static_assert(std::is_same_v<decltype(&ZeZuveZud_DeleteExtraASCertByIndex), PFN_ZeZuveZud_DeleteExtraASCertByIndex>);
static_assert(std::is_same_v<decltype(&ZeZuveZud_MoveCert), PFN_ZeZuveZud_MoveCert>);
static_assert(std::is_same_v<decltype(&ZeZuveZud_GetIdentity), PFN_ZeZuveZud_GetIdentity>);
static_assert(std::is_same_v<decltype(&ZeZuveZud_GetCertIndex), PFN_ZeZuveZud_GetCertIndex>);
