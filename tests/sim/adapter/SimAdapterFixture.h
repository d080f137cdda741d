#pragma once
// The simulated adapter loaded as the program loads it, with its control surface, for the
// tests of the library's entries.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "wlapi/constants.h"
#include "wlapi/entries.h"
#include "wlapi/result.h"

namespace simtest {

inline std::atomic<int> g_scanDone{0};
inline std::atomic<DWORD> g_scanThread{0};
inline std::vector<int> g_callbacks;
inline CRITICAL_SECTION g_callbackLock;
inline std::vector<WPARAM> g_deviceEvents;

inline void __stdcall ScanFinished() {
  g_scanThread = GetCurrentThreadId();
  ++g_scanDone;
}

inline void __stdcall Callback(int code, const void*, int) {
  EnterCriticalSection(&g_callbackLock);
  g_callbacks.push_back(code);
  LeaveCriticalSection(&g_callbackLock);
}

inline LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DEVICECHANGE) g_deviceEvents.push_back(wp);
  return DefWindowProcA(hwnd, msg, wp, lp);
}

// The section of a scene for a WPA2-personal access point that offers WPS; lines of its own
// may follow.
inline std::string WpsAccessPoint(const std::string& name, const std::string& ssid, const std::string& bssid,
                                  int channel, const std::string& passphrase) {
  return "[Network." + name + "]\nSSID=" + ssid + "\nBSSID=" + bssid + "\nChannel=" + std::to_string(channel) +
         "\nSecurity=wpa2-psk\nCipher=aes\nPassphrase=" + passphrase + "\nWPS=1\n";
}

inline const std::string kScene = R"(
[System]
WinOS=41
ScanTimeMs=100
ConnectTimeMs=100
[Adapter.1]
DevDesc=Test Adapter
[Network.Open]
SSID=OpenNet
BSSID=02:00:00:00:00:01
Channel=1
RSSI=-50
)" + WpsAccessPoint("Home", "HomeNet", "02:00:00:00:00:02", 6, "correct horse") + R"(HT=1
ClientIP=192.168.1.23
[Network.Office]
SSID=Office
BSSID=02:00:00:00:00:03
Channel=11
Security=wpa2
Cipher=aes
Identity=alice
Password=s3cret
[Network.Far5]
SSID=Far5
BSSID=02:00:00:00:00:04
Channel=36
Security=wpa2-psk
Passphrase=fivegigahertz
VHT=1
)";

class SimAdapter : public ::testing::Test {
protected:
  void SetUp() override {
    InitializeCriticalSection(&g_callbackLock);
    g_callbacks.clear();
    g_scanDone = 0;
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir_ = std::string(tmp) + "wevo_sim_" + name + "_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir_.c_str(), nullptr);
    DeleteFileA(StatePath().c_str());
    Open();
  }

  void TearDown() override {
    Close();
    DeleteFileA(StatePath().c_str());
    DeleteFileA((dir_ + "\\scene.ini").c_str());
    RemoveDirectoryA(dir_.c_str());
    DeleteCriticalSection(&g_callbackLock);
  }

  void Open() {
    dll_ = LoadLibraryA("VoZEZIV.dll");
    ASSERT_NE(nullptr, dll_);
    Control<int (*)(const char*)>("SimSetStateFile")(StatePath().c_str());
  }

  void Close() {
    if (!dll_) return;
    Control<void (*)()>("SimShutdown")();
    FreeLibrary(dll_);
    dll_ = nullptr;
  }

  std::string StatePath() const { return dir_ + "\\state.ini"; }

  template <typename T>
  T Control(const char* name) {
    auto f = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
    EXPECT_NE(nullptr, reinterpret_cast<void*>(f)) << name;
    return f;
  }
  template <typename T>
  T Entry(const char* name) { return Control<T>(name); }

  void Load(const std::string& scene = kScene) {
    std::string path = dir_ + "\\scene.ini";
    std::ofstream(path) << scene;
    ASSERT_EQ(1, Control<int (*)(const char*)>("SimLoadScenario")(path.c_str()));
    SelectAdapter();
  }

  void SelectAdapter() {
    std::vector<uint8_t> buf(4 + sizeof(WLAN_ADAPTER));
    ASSERT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_GetAvailableAdapters>("WVWL_GetAvailableAdapters")(buf.data(), 1));
    WLAN_ADAPTER rec;
    std::memcpy(&rec, buf.data() + 4, sizeof rec);
    ASSERT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_AdapterSelect>("WVWL_AdapterSelect")(&rec, &Callback, nullptr));
    adapter_ = rec;
  }

  bool WaitFor(const std::function<bool()>& done, DWORD ms = 5000) {
    ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      if (done()) return true;
      Sleep(10);
    }
    return done();
  }

  std::vector<uint8_t> ScanAndQuery() {
    int before = g_scanDone;
    EXPECT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_SiteSurveyScan>("WVWL_SiteSurveyScan")(&ScanFinished));
    EXPECT_TRUE(WaitFor([&] { return g_scanDone > before; }));
    std::vector<uint8_t> list(65536);
    unsigned long size = static_cast<unsigned long>(list.size());
    EXPECT_EQ(WVWL_ERROR_SUCCESS,
              Entry<PFN_WVWL_SiteSurveyQuery>("WVWL_SiteSurveyQuery")(
                  reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(list.data()), &size));
    list.resize(size);
    return list;
  }

  WLAN_STATUS Status() {
    WLAN_STATUS s = {};
    WLAN_STATUS_QUERY q = {{1, 1, 1, 1, 1}};
    Entry<PFN_WVWL_QueryWLANStatus>("WVWL_QueryWLANStatus")(&s, q);
    return s;
  }

  static WLANPROFILE Profile(const char* ssid, uint32_t auth, uint32_t encryption) {
    WLANPROFILE p = {};
    p.SSID.SsidLength = static_cast<ULONG>(std::strlen(ssid));
    std::memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
    p.enumNetworkType = 1;
    p.enumAuthenMode = auth;
    p.enumEncryStatus = encryption;
    p.wepDefaultKey = 1;
    return p;
  }

  static void SetPsk(WLANPROFILE& p, const char* key) {
    std::strcpy(p.chPskKey, key);
    p.nPskKeyLen = static_cast<uint32_t>(std::strlen(key));
  }

  void Connect(const WLANPROFILE& p) {
    ASSERT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_SetWLANProfile>("WVWL_SetWLANProfile")(&p));
    ASSERT_TRUE(WaitFor([&] { return Control<int (*)(int)>("SimWaitIdle")(0) == 1; }));
  }

  bool CallbackSeen(int code) {
    EnterCriticalSection(&g_callbackLock);
    bool seen = std::find(g_callbacks.begin(), g_callbacks.end(), code) != g_callbacks.end();
    LeaveCriticalSection(&g_callbackLock);
    return seen;
  }

  std::string Journal() {
    auto journal = Control<int (*)(char*, int)>("SimJournal");
    std::string text(static_cast<size_t>(journal(nullptr, 0)), '\0');
    journal(text.data(), static_cast<int>(text.size()));
    text.pop_back();   // the terminating zero
    return text;
  }

  std::string dir_;
  HMODULE dll_ = nullptr;
  WLAN_ADAPTER adapter_ = {};
};

inline uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, &b[at], 4);
  return v;
}

}  // namespace simtest
