// The simulated EAP-FAST credential lists: copies kept per profile name across a state file,
// the two-call read with the count as capacity, refused hostile lists, the journal.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "wlapi/entries.h"
#include "wlapi/records.h"
#include "wlapi/result.h"

namespace {

class SimPac : public ::testing::Test {
protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string base = std::string(tmp) + "wevo_sim_pac_" + std::to_string(GetCurrentProcessId());
    scene_ = base + ".ini";
    state_ = base + ".state";
    DeleteFileA(state_.c_str());
    std::ofstream(scene_) << "[Adapter.1]\nDevDesc=Test Adapter\n";
    Load();
  }

  void TearDown() override {
    Unload();
    DeleteFileA(scene_.c_str());
    DeleteFileA(state_.c_str());
  }

  void Load() {
    dll_ = LoadLibraryA("VoZEZIV.dll");
    ASSERT_NE(nullptr, dll_);
    Fn<int (*)(const char*)>("SimSetStateFile")(state_.c_str());
    ASSERT_EQ(1, Fn<int (*)(const char*)>("SimLoadScenario")(scene_.c_str()));
    read_ = Fn<PFN_WVWL_ReadPACList>("WVWL_ReadPACList");
    write_ = Fn<PFN_WVWL_WritePACList>("WVWL_WritePACList");
  }

  void Unload() {
    if (!dll_) return;
    Fn<void (*)()>("SimShutdown")();
    FreeLibrary(dll_);
    dll_ = nullptr;
  }

  template <typename T>
  T Fn(const char* name) {
    auto f = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
    EXPECT_NE(nullptr, reinterpret_cast<void*>(f)) << name;
    return f;
  }

  std::string Journal() {
    std::vector<char> text(1 << 20);
    Fn<int (*)(char*, int)>("SimJournal")(text.data(), static_cast<int>(text.size()));
    return text.data();
  }

  static std::vector<PAC_FILE_ENTRY> Entries(int count) {
    std::vector<PAC_FILE_ENTRY> entries(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      entries[i].nMark = i == 0 ? 1 : 0;
      std::snprintf(entries[i].chFileName, sizeof entries[i].chFileName, "P%d.PAC", i);
      std::snprintf(entries[i].chFilePath, sizeof entries[i].chFilePath, "C:\\pac\\P%d.pac", i);
    }
    return entries;
  }

  int Write(const char* profile, uint32_t count, const void* entries) {
    PAC_FILE_LIST list{count, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(entries))};
    return write_(&list, profile);
  }

  HMODULE dll_ = nullptr;
  std::string scene_, state_;
  PFN_WVWL_ReadPACList read_ = nullptr;
  PFN_WVWL_WritePACList write_ = nullptr;
};

TEST_F(SimPac, ListsAreCopiesKeptPerProfileAcrossARestart) {
  std::vector<PAC_FILE_ENTRY> corp = Entries(3);
  ASSERT_EQ(WVWL_ERROR_SUCCESS, Write("Corp", 3, corp.data()));
  ASSERT_EQ(WVWL_ERROR_SUCCESS, Write("Lab", 1, Entries(1).data()));
  std::strcpy(corp[0].chFileName, "changed");  // the library keeps its own copy
  Unload();
  Load();

  unsigned long count = 0;
  ASSERT_EQ(WVWL_ERROR_SUCCESS, read_(nullptr, &count, "corp"));
  EXPECT_EQ(3u, count) << "names compare ignoring case";
  std::vector<PAC_FILE_ENTRY> back(4);
  std::memset(back.data(), 0xEE, back.size() * sizeof(PAC_FILE_ENTRY));
  unsigned long capacity = 2;
  ASSERT_EQ(WVWL_ERROR_SUCCESS, read_(back.data(), &capacity, "Corp"));
  EXPECT_EQ(2u, capacity);
  EXPECT_EQ(1u, back[0].nMark);
  EXPECT_STREQ("P0.PAC", back[0].chFileName);
  EXPECT_STREQ("C:\\pac\\P1.pac", back[1].chFilePath);
  EXPECT_EQ(0xEEEEEEEEu, back[2].nMark) << "nothing past the capacity is written";

  ASSERT_EQ(WVWL_ERROR_SUCCESS, read_(nullptr, &count, "Lab"));
  EXPECT_EQ(1u, count);
  ASSERT_EQ(WVWL_ERROR_SUCCESS, read_(nullptr, &count, "Nobody"));
  EXPECT_EQ(0u, count);

  // A count of 0 removes the list; deleting the profile would too.
  ASSERT_EQ(WVWL_ERROR_SUCCESS, Write("Lab", 0, nullptr));
  ASSERT_EQ(WVWL_ERROR_SUCCESS, read_(nullptr, &count, "Lab"));
  EXPECT_EQ(0u, count);
}

TEST_F(SimPac, HostileListsAreRefusedAndCallsAreJournalled) {
  std::vector<PAC_FILE_ENTRY> one = Entries(1);
  EXPECT_EQ(WVWL_ERROR_FAILURE, Write("Corp", 2, nullptr));
  EXPECT_EQ(WVWL_ERROR_FAILURE, Write("Corp", 0x7FFFFFFF, one.data()));
  EXPECT_EQ(WVWL_ERROR_FAILURE, write_(nullptr, "Corp"));
  EXPECT_EQ(WVWL_ERROR_FAILURE, Write("", 1, one.data()));
  EXPECT_EQ(WVWL_ERROR_FAILURE, read_(nullptr, nullptr, "Corp"));
  unsigned long count = 9;
  ASSERT_EQ(WVWL_ERROR_SUCCESS, read_(nullptr, &count, "Corp"));
  EXPECT_EQ(0u, count) << "nothing was stored";

  ASSERT_EQ(WVWL_ERROR_SUCCESS, Write("Corp", 1, one.data()));
  const std::string journal = Journal();
  EXPECT_NE(std::string::npos, journal.find("WVWL_WritePACList(Corp count 1 [V P0.PAC]) -> 1")) << journal;
  EXPECT_NE(std::string::npos, journal.find("WVWL_ReadPACList(Corp count -> 0) -> 1")) << journal;
  char reply[256] = {};
  Fn<int (*)(const char*, char*, int)>("SimCommand")("pac Corp", reply, sizeof reply);
  EXPECT_STREQ("1: V P0.PAC\n", reply);
}

}  // namespace
