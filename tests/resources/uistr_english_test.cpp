// Checks of the English language file shipped beside the program.
#include "resources/UiStr.h"
#include "ui/Seams.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

class EnglishFile : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path);
        folder_ = folder.substr(0, folder.find_last_of('\\') + 1);
        table_.LoadFrom(folder_, "en", "");
    }

    static std::string folder_;
    static CUISTR table_;
};

std::string EnglishFile::folder_;
CUISTR EnglishFile::table_;

TEST_F(EnglishFile, HoldsEveryKeyWithAText)
{
    const std::string file = folder_ + "Languages\\Wevo_en.ini";
    for (const CUISTR::KeyEntry& entry : CUISTR::Keys()) {
        char value[16] = {};
        GetPrivateProfileStringA("Strings", entry.key, "<missing>", value, sizeof value,
                                 file.c_str());
        EXPECT_STRNE("<missing>", value) << entry.key;
        EXPECT_FALSE((table_.*entry.member).empty()) << entry.key;
    }
}

TEST_F(EnglishFile, TitleFitsTheThirtyOneCharacterBuffer)
{
    EXPECT_LE(table_.STR_TARNWELL_CONFIG_TITLE.size(), 31u);
    EXPECT_NE(std::string::npos, table_.STR_TARNWELL_CONFIG_TITLE.find("Wevo"));
}

TEST_F(EnglishFile, MenuAndBandTextsAreDistinct)
{
    // Optional tray items are found by caption and the band is recognised by its text.
    const std::vector<std::vector<const std::string*>> groups = {
        {&table_.STR_TRAY_LAUNCH, &table_.STR_TRAY_EXIT, &table_.STR_TRAY_ABOUT,
         &table_.STR_TRAY_HELP, &table_.STR_TRAY_SWITCH_AP_MODE,
         &table_.STR_TRAY_SWITCH_DIAGNOSTIC_MODE, &table_.STR_TRAY_SWITCH_ZEROCONFIG,
         &table_.STR_TRAY_SWITCH_WVCONFIG, &table_.STR_TRAY_SWITCH_STA_MODE,
         &table_.STR_TRAY_SWITCH_APCLIENT_MODE, &table_.STR_TRAY_SWITCH_WIFIDIRECT_MODE},
        {&table_.STR_24GHZ, &table_.STR_5GHZ, &table_.STR_24GHZ5GHZ},
        {&table_.STR_WIFIDIRECT_ENABLE_AUTOGO, &table_.STR_WIFIDIRECT_DISABLE_AUTOGO},
        {&table_.STR_WIFIDIRECT_ENABLE_P2PPERSIST, &table_.STR_WIFIDIRECT_DISABLE_P2PPERSIST},
        {&table_.STR_WIFIDIRECT_ENABLE_ICS, &table_.STR_WIFIDIRECT_DISABLE_ICS},
    };
    for (const auto& group : groups) {
        std::set<std::string> texts;
        for (const std::string* text : group)
            texts.insert(*text);
        EXPECT_EQ(group.size(), texts.size()) << *group.front();
    }
}

TEST_F(EnglishFile, PlaceholdersStandWhereCallersFillThem)
{
    struct Filled {
        const char* key;
        const char* placeholder;
    };
    const Filled filled[] = {
        {"STR_PAC_LIST_MAX_ITEM", "%s"},          {"STR_WIFIDIRECT_DISABLE_TEXT", "%s"},
        {"STR_WIFIDIRECT_ON", "%s"},              {"STR_WIFIDIRECT_OFF", "%s"},
        {"STR_WIFIDIRECT_DEVICENUM", "%d"},       {"STR_WIFIDIRECT_MEMBERNUM", "%d"},
        {"STR_TRAY_WIFIDIRECT_CONNECT_REQ", "%s"}, {"STR_MSG_ERRCODE_CHANNELDISMATCH", "%s"},
        {"STR_MSG_ERRCODE_NOCONFIGMETHOD", "%s"}, {"STR_MSG_ERRCODE_CHANNELCONFLICT", "%s"},
        {"STR_MSG_WARNING_CONFIG_GO", "%s"},      {"STR_MSG_ERRCODE_PHYMODECONFLICT", "%s"},
        {"STR_MSG_CONFIRM_DISCONNECT", "%s"},
        {"STR_MSG_ERRCODE_PEER_WITHOUT_PERSISTENT_TABLE", "%s"},
    };
    for (const CUISTR::KeyEntry& entry : CUISTR::Keys()) {
        const std::string& text = table_.*entry.member;
        auto it = std::find_if(std::begin(filled), std::end(filled),
                               [&](const Filled& f) { return entry.key == std::string(f.key); });
        if (it != std::end(filled)) {
            EXPECT_NE(std::string::npos, text.find(it->placeholder)) << entry.key;
            continue;
        }
        EXPECT_EQ(std::string::npos, text.find("%s")) << entry.key;
        EXPECT_EQ(std::string::npos, text.find("%d")) << entry.key;
    }
    EXPECT_NE(std::string::npos, table_.STR_TRAY_WIFIDIRECT_CONNECT_REQ.find("%sn"));
}

TEST_F(EnglishFile, ProfilePrefixMatchesUpperCasedNames)
{
    const std::string& prefix = table_.STR_PROF;
    EXPECT_TRUE(std::none_of(prefix.begin(), prefix.end(),
                             [](unsigned char c) { return std::islower(c); }));
    EXPECT_EQ(0u, table_.STR_PROF_DEFAULT.rfind(prefix, 0));
}

TEST(UiStrLoad, ProgramFolderAndSystemLocaleFindTheEnglishFile)
{
    seams::localeOverride = [] { return std::pair<std::string, std::string>("xx", "YY"); };
    CUISTR table;
    EXPECT_EQ(1, table.Load());
    EXPECT_EQ("OK", table.STR_OK);
    EXPECT_EQ(1, table.nCharSet);
    EXPECT_EQ("Tahoma", table.strFaceName);
    seams::localeOverride = nullptr;
}

TEST(UiStrLoad, LocaleSeamChoosesTheFileBesideTheProgram)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path);
    file = file.substr(0, file.find_last_of('\\') + 1) + "Languages\\Wevo_qq_ZZ.ini";
    WritePrivateProfileStringA("Strings", "STR_OK", "Jawohl", file.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    seams::localeOverride = [] { return std::pair<std::string, std::string>("qq", "ZZ"); };
    CUISTR table;
    table.Load();
    seams::localeOverride = nullptr;
    DeleteFileA(file.c_str());
    EXPECT_EQ("Jawohl", table.STR_OK);
    EXPECT_EQ("", table.STR_CANCEL);
}

}  // namespace

namespace {

TEST_F(EnglishFile, TheOnePassReadingGivesWhatTheProfileReaderGivesForEveryKey)
{
    const std::wstring file = std::wstring(folder_.begin(), folder_.end()) + L"Languages\\Wevo_en.ini";
    for (const CUISTR::KeyEntry& entry : CUISTR::Keys()) {
        const std::wstring key(entry.key, entry.key + std::strlen(entry.key));
        const std::wstring fallback = entry.defaultText ? std::wstring(entry.defaultText, entry.defaultText + std::strlen(entry.defaultText)) : L"";
        EXPECT_EQ(table_.*entry.member, ReadUIStringW(L"Strings", key.c_str(), fallback.c_str(), file.c_str()))
            << entry.key;
    }
}

} // namespace
