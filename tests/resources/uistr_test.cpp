#include "resources/UiStr.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

// A throw-away program folder with a Languages subfolder.
class LanguageFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "uistr_" + std::to_string(GetCurrentProcessId()) + "_" +
                  std::to_string(GetTickCount()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        CreateDirectoryA((folder_ + "Languages").c_str(), nullptr);
    }

    void TearDown() override
    {
        for (const std::string& file : written_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA((folder_ + "Languages").c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    void WriteBytes(const std::string& name, const std::string& bytes)
    {
        std::string path = folder_ + "Languages\\" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        written_.push_back(path);
    }

    // A UTF-16 little-endian file with byte-order mark.
    void WriteUtf16(const std::string& name, const std::wstring& text)
    {
        std::string bytes = "\xFF\xFE";
        for (wchar_t c : text) {
            bytes.push_back(static_cast<char>(c & 0xFF));
            bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
        }
        WriteBytes(name, bytes);
    }

    CUISTR LoadFor(const std::string& language, const std::string& country)
    {
        CUISTR table;
        EXPECT_EQ(1, table.LoadFrom(folder_, language, country));
        return table;
    }

    std::string folder_;
    std::vector<std::string> written_;
};

std::string Ansi(const std::wstring& text)
{
    return WideToCodePageBounded(text, CP_ACP, std::string::npos);
}

void ExpectDefaults(const CUISTR& table)
{
    EXPECT_EQ(1, table.nCharSet);
    EXPECT_EQ("Arial", table.strFaceName);
    for (const CUISTR::KeyEntry& entry : CUISTR::Keys()) {
        std::string expected = entry.defaultText ? entry.defaultText : "";
        EXPECT_EQ(expected, table.*entry.member) << entry.key;
    }
}

struct ChoiceCase {
    std::vector<std::string> present;  // language files that exist
    const char* language;
    const char* country;
    const char* expectedSource;        // the file the texts come from; null: none
};

std::ostream& operator<<(std::ostream& os, const ChoiceCase& c)
{
    return os << c.language << "_" << c.country << " -> " << (c.expectedSource ? c.expectedSource : "none");
}

class LanguageChoice : public LanguageFolder,
                       public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(LanguageChoice, TextsComeFromTheFirstFileFound)
{
    for (const std::string& name : GetParam().present) {
        WriteBytes(name, "[Font]\r\nCharSet=CHINESEBIG5_CHARSET\r\nFaceName=Face " + name +
                             "\r\n[Strings]\r\nSTR_OK=" + name + "\r\n");
    }
    CUISTR table = LoadFor(GetParam().language, GetParam().country);
    if (!GetParam().expectedSource) {
        ExpectDefaults(table);
        return;
    }
    EXPECT_EQ(GetParam().expectedSource, table.STR_OK);
    EXPECT_EQ(std::string("Face ") + GetParam().expectedSource, table.strFaceName);
    EXPECT_EQ(136, table.nCharSet);
}

INSTANTIATE_TEST_SUITE_P(
    Fallbacks, LanguageChoice,
    ::testing::Values(
        ChoiceCase{{"Wevo_zh_TW.ini", "Wevo_zh.ini", "Wevo_en.ini"}, "zh", "TW", "Wevo_zh_TW.ini"},
        ChoiceCase{{"Wevo_zh.ini", "Wevo_en.ini"}, "zh", "TW", "Wevo_zh.ini"},
        ChoiceCase{{"Wevo_zh_TW.ini", "Wevo_en.ini"}, "zh", "CN", "Wevo_en.ini"},
        ChoiceCase{{"Wevo_de.ini", "Wevo_en.ini"}, "zh", "TW", "Wevo_en.ini"},
        ChoiceCase{{"Wevo_zh.ini"}, "fr", "FR", nullptr},
        ChoiceCase{{}, "zh", "TW", nullptr},
        ChoiceCase{{"Wevo_en.ini"}, "", "", "Wevo_en.ini"}));

TEST_F(LanguageFolder, OverLongLocaleNamesAreCutToEightCharacters)
{
    WriteBytes("Wevo_abcdefgh_ABCDEFGH.ini", "[Strings]\r\nSTR_OK=long\r\n");
    EXPECT_EQ("long", LoadFor("abcdefghij", "ABCDEFGHIJ").STR_OK);
}

TEST_F(LanguageFolder, Utf16AndAnsiFilesReadAlike)
{
    const std::wstring text = L"Zur\u00FCck \u00E9t\u00E9 \u4E2D";
    WriteUtf16("Wevo_de.ini", L"[Font]\r\nCharSet=ANSI_CHARSET\r\nFaceName=Tahoma\r\n"
                              L"[Strings]\r\nSTR_OK=" + text + L"\r\n");
    CUISTR wide = LoadFor("de", "DE");
    EXPECT_EQ(Ansi(text), wide.STR_OK);
    EXPECT_EQ(0, wide.nCharSet);
    EXPECT_EQ("Tahoma", wide.strFaceName);

    const std::string ansiText = Ansi(L"Zur\u00FCck \u00E9t\u00E9");
    WriteBytes("Wevo_fr.ini", "[Strings]\r\nSTR_OK=" + ansiText + "\r\n");
    EXPECT_EQ(ansiText, LoadFor("fr", "FR").STR_OK);
}

TEST_F(LanguageFolder, OverLongTextKeepsItsFirst511Characters)
{
    const std::wstring longText(600, L'\u00E9');
    WriteUtf16("Wevo_en.ini", L"[Font]\r\nFaceName=" + std::wstring(600, L'f') +
                                  L"\r\n[Strings]\r\nSTR_OK=" + longText + L"\r\nSTR_YES=" +
                                  std::wstring(600, L'y') + L"\r\n");
    CUISTR table = LoadFor("en", "US");
    EXPECT_EQ(Ansi(longText.substr(0, 511)), table.STR_OK);
    EXPECT_EQ(std::string(511, 'y'), table.STR_YES);
    EXPECT_EQ(std::string(511, 'f'), table.strFaceName);
}

struct CutCase {
    unsigned codePage;
    std::wstring character;
    std::size_t repeat;
    std::size_t expectedBytes;
};

std::ostream& operator<<(std::ostream& os, const CutCase& c)
{
    return os << "code page " << c.codePage << ", " << c.repeat << " x U+" << std::hex
              << static_cast<unsigned>(c.character.back());
}

class BoundedConversion : public ::testing::TestWithParam<CutCase> {};

TEST_P(BoundedConversion, CutsOnACharacterBoundary)
{
    const CutCase& c = GetParam();
    std::wstring text;
    for (std::size_t i = 0; i < c.repeat; ++i)
        text += c.character;
    std::string out = WideToCodePageBounded(text, c.codePage, 511);
    EXPECT_EQ(c.expectedBytes, out.size());
    // What was kept converts back to whole characters only.
    int n = MultiByteToWideChar(c.codePage, MB_ERR_INVALID_CHARS, out.data(),
                                static_cast<int>(out.size()), nullptr, 0);
    ASSERT_GT(n, 0);
    std::wstring back(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(c.codePage, 0, out.data(), static_cast<int>(out.size()), back.data(), n);
    EXPECT_EQ(text.substr(0, back.size()), back);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, BoundedConversion,
    ::testing::Values(CutCase{CP_UTF8, L"\u3042", 300, 510},            // 3 bytes each
                      CutCase{CP_UTF8, L"\U0001F600", 200, 508},        // 4 bytes, surrogate pair
                      CutCase{932, L"\u3042", 300, 510},                // double-byte code page
                      CutCase{CP_UTF8, L"a", 511, 511},
                      CutCase{CP_UTF8, L"a\u00E9", 300, 511}));

struct BadFileCase {
    const char* name;
    std::string bytes;
};

class BadLanguageFile : public LanguageFolder, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadLanguageFile, GivesTheDefaults)
{
    WriteBytes("Wevo_en.ini", GetParam().bytes);
    ExpectDefaults(LoadFor("en", "US"));
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, BadLanguageFile,
    ::testing::Values(BadFileCase{"Empty", ""},
                      BadFileCase{"NoSections", "STR_OK=floating\r\nCharSet=ANSI_CHARSET\r\n"},
                      BadFileCase{"BrokenHeaders", "[Strings\r\nSTR_OK\r\n=x\r\n[]\r\n"},
                      BadFileCase{"Binary", std::string("\x00\x01\xFF\xFE[\x00=\x80\x9F", 10) +
                                                std::string(4000, '\xC3')},
                      BadFileCase{"OddUtf16", std::string("\xFF\xFE[\x00S\x00", 7)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UiStrLoadFrom, FolderBeyondThePathLimitGivesTheDefaults)
{
    CUISTR table;
    EXPECT_EQ(1, table.LoadFrom("C:\\" + std::string(300, 'a') + "\\", "en", "US"));
    ExpectDefaults(table);
}

TEST_F(LanguageFolder, MissingKeysKeepTheirDefaultsWithTrailingBlank)
{
    WriteBytes("Wevo_en.ini", "[Strings]\r\nSTR_OK=OK\r\nSTR_ICS=\r\n");
    CUISTR table = LoadFor("en", "US");
    EXPECT_EQ("OK", table.STR_OK);
    EXPECT_EQ("Manage Profile ", table.STR_WIFIDIRECT_OPEN_PROFILE);
    EXPECT_EQ("Diable Autonomous GO", table.STR_WIFIDIRECT_DISABLE_AUTOGO);
    EXPECT_EQ("", table.STR_ICS);  // present but empty: the file wins
    EXPECT_EQ("", table.STR_CANCEL);
}

TEST_F(LanguageFolder, SpecialKeys)
{
    WriteBytes("Wevo_en.ini",
               "[Strings]\r\nSTR_WDP_WIFI_DISPLAY=Display\r\n"
               "STR_WPS_MSGBOX_NO_PROF_LIST=No profile\r\nSTR_HotSpot_AES-CCMP=CCMP\r\n");
    CUISTR table = LoadFor("en", "US");
    EXPECT_EQ("Display", table.STR_WDP_WIFI_DISPLAY);
    EXPECT_EQ("Display", table.STR_BtnHintWiFiDisplay);
    EXPECT_EQ("No profile", table.STR_WPS_MSGBOX_NO_PROF_LIST);
    EXPECT_EQ("CCMP", table.STR_HotSpot_AES_CCMP);
}

struct CharSetCase {
    const char* name;
    int number;
};

std::ostream& operator<<(std::ostream& os, const CharSetCase& c)
{
    return os << '"' << c.name << '"';
}

class CharSetNames : public ::testing::TestWithParam<CharSetCase> {};

TEST_P(CharSetNames, MapToTheirNumbers)
{
    EXPECT_EQ(GetParam().number, CharSetFromName(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(
    All, CharSetNames,
    ::testing::Values(
        CharSetCase{"ANSI_CHARSET", 0}, CharSetCase{"BALTIC_CHARSET", 186},
        CharSetCase{"CHINESEBIG5_CHARSET", 136}, CharSetCase{"DEFAULT_CHARSET", 1},
        CharSetCase{"EASTEUROPE_CHARSET", 238}, CharSetCase{"GB2312_CHARSET", 134},
        CharSetCase{"GREEK_CHARSET", 161}, CharSetCase{"HANGUL_CHARSET", 129},
        CharSetCase{"HANGEUL_CHARSET", 129}, CharSetCase{"MAC_CHARSET", 77},
        CharSetCase{"OEM_CHARSET", 255}, CharSetCase{"RUSSIAN_CHARSET", 204},
        CharSetCase{"SHIFTJIS_CHARSET", 128}, CharSetCase{"SYMBOL_CHARSET", 2},
        CharSetCase{"TURKISH_CHARSET", 162}, CharSetCase{"VIETNAMESE_CHARSET", 163},
        CharSetCase{"JOHAB_CHARSET", 130}, CharSetCase{"ARABIC_CHARSET", 178},
        CharSetCase{"HEBREW_CHARSET", 177}, CharSetCase{"THAI_CHARSET", 222},
        CharSetCase{"ansi_charset", 1}, CharSetCase{"", 1}, CharSetCase{"ANSI_CHARSET ", 1},
        CharSetCase{"0", 1}));

TEST_F(LanguageFolder, CharSetIsReadFromTheFile)
{
    WriteBytes("Wevo_ko.ini", "[Font]\r\nCharSet=HANGEUL_CHARSET\r\n");
    EXPECT_EQ(129, LoadFor("ko", "KR").nCharSet);
}

TEST(UiStrKeys, OneMemberPerKeyInMemberOrder)
{
    auto keys = CUISTR::Keys();
    ASSERT_EQ(699u, keys.size());
    std::set<std::string> names;
    std::set<const std::string*> members;
    CUISTR table;
    for (const CUISTR::KeyEntry& entry : keys) {
        names.insert(entry.key);
        members.insert(&(table.*entry.member));
    }
    EXPECT_EQ(698u, names.size());
    EXPECT_EQ(699u, members.size());
    EXPECT_STREQ("STR_TARNWELL_CONFIG_TITLE", keys.front().key);
    EXPECT_STREQ("STR_HotSpot_AP", keys.back().key);
    // Members lie in table order.
    for (std::size_t i = 1; i < keys.size(); ++i)
        EXPECT_LT(&(table.*keys[i - 1].member), &(table.*keys[i].member)) << keys[i].key;
}

}  // namespace

namespace {

// Odd lines of a language file: the one-pass reading answers as the profile reader does.
class LanguageStringsOddFile : public LanguageFolder {
protected:
    static std::wstring OddSection()
    {
        const std::wstring longText(600, L'x');
        return L"[Font]\r\nFaceName=Arial\r\n"
               L"[Strings]\r\n"
               L"KEY_PLAIN=plain text\r\n"
               L"   KEY_BLANKS   =   spaced value   \r\n"
               L"KEY_TABS=\tin tabs\t\r\n"
               L"key_lower=lower case key\r\n"
               L"KEY_DQ=\"double quoted\"\r\n"
               L"KEY_SQ='single quoted'\r\n"
               L"KEY_MIXED=\"mixed'\r\n"
               L"KEY_ONEQ=\"\r\n"
               L"KEY_EMPTYQ=\"\"\r\n"
               L"KEY_INNER=a \"b\" c\r\n"
               L"KEY_QBLANKS=\"  padded  \"\r\n"
               L"KEY_DUP=first\r\n"
               L"KEY_DUP=second\r\n"
               L"KEY_EMPTY=\r\n"
               L"KEY_NOEQUALS\r\n"
               L"KEY_EQUALS=a=b=c\r\n"
               L"KEY_UNICODE=gr\u00FC\u00DFe \u00E9t\u00E9\r\n"
               L"KEY_LONG=" + longText + L"\r\n"
               L"KEY_LONGQ=\"" + longText + L"\"\r\n"
               L"KEY_Q510=\"" + std::wstring(510, L'y') + L"\"\r\n"
               L"KEY_Q511=\"" + std::wstring(511, L'y') + L"\"\r\n"
               L"KEY_Q509=\"" + std::wstring(509, L'y') + L"\"\r\n"
               L"KEY_511=" + std::wstring(511, L'z') + L"\r\n"
               L"\r\n"
               L"; a comment\r\n"
               L"KEY_AFTER_BLANK=after\r\n"
               L"[Other]\r\nKEY_OTHER=other section\r\n"
               L"[Strings]\r\nKEY_SECOND=second section\r\nKEY_PLAIN=again\r\n";
    }

    void ExpectSameAsProfileReader(const std::string& name)
    {
        const std::wstring file = std::wstring(folder_.begin(), folder_.end()) + L"Languages\\" +
                                  std::wstring(name.begin(), name.end());
        const auto strings = TLanguageStrings::Of(file);
        const wchar_t* keys[] = {L"KEY_PLAIN", L"KEY_BLANKS", L"KEY_TABS", L"KEY_LOWER", L"KEY_DQ", L"KEY_SQ",
                                 L"KEY_MIXED", L"KEY_ONEQ", L"KEY_EMPTYQ", L"KEY_INNER", L"KEY_QBLANKS", L"KEY_DUP",
                                 L"KEY_EMPTY", L"KEY_NOEQUALS", L"KEY_EQUALS", L"KEY_UNICODE", L"KEY_LONG",
                                 L"KEY_LONGQ", L"KEY_Q510", L"KEY_Q511", L"KEY_Q509", L"KEY_511",
                                 L"KEY_AFTER_BLANK", L"KEY_OTHER", L"KEY_SECOND", L"KEY_MISSING", L"KEY_PLAIN  ",
                                 L"  key_plain"};
        for (const wchar_t* key : keys) {
            SCOPED_TRACE(Ansi(key));
            wchar_t buffer[512] = {};
            const DWORD n = GetPrivateProfileStringW(L"Strings", key, L"\x01missing", buffer, 512, file.c_str());
            const std::wstring platform(buffer, n);
            const std::wstring* ours = strings->Find(key);
            if (platform == L"\x01missing") {
                EXPECT_EQ(ours, nullptr);
                continue;
            }
            ASSERT_NE(ours, nullptr);
            EXPECT_EQ(*ours, platform);
        }
    }
};

TEST_F(LanguageStringsOddFile, Utf16File)
{
    WriteUtf16("Wevo_odd16.ini", OddSection());
    ExpectSameAsProfileReader("Wevo_odd16.ini");
}

TEST_F(LanguageStringsOddFile, AnsiFile)
{
    WriteBytes("Wevo_odd8.ini", Ansi(OddSection()));
    ExpectSameAsProfileReader("Wevo_odd8.ini");
}

TEST_F(LanguageStringsOddFile, ARewrittenFileIsReadAgainAndAMissingOneHasNoKeys)
{
    WriteBytes("Wevo_re.ini", "[Strings]\r\nKEY_PLAIN=one\r\n");
    const std::wstring file = std::wstring(folder_.begin(), folder_.end()) + L"Languages\\Wevo_re.ini";
    ASSERT_NE(TLanguageStrings::Of(file)->Find(L"KEY_PLAIN"), nullptr);
    EXPECT_EQ(*TLanguageStrings::Of(file)->Find(L"KEY_PLAIN"), L"one");
    WriteBytes("Wevo_re.ini", "[Strings]\r\nKEY_PLAIN=a longer two\r\n");
    EXPECT_EQ(*TLanguageStrings::Of(file)->Find(L"KEY_PLAIN"), L"a longer two");
    EXPECT_EQ(TLanguageStrings::Of(file + L".none")->Count(), 0u);
}

} // namespace
