#include "ui/IniFiles.h"
#include <gtest/gtest.h>
#include <cstdio>

namespace {

struct IntCase {
    const char* text;
    bool ok;
    int value;
};

class ParseIntegerTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseIntegerTest, ReadsAsTheIniClassDoes)
{
    int value = -12345;
    EXPECT_EQ(TIniFile::ParseInteger(GetParam().text, value), GetParam().ok) << GetParam().text;
    if (GetParam().ok) {
        EXPECT_EQ(value, GetParam().value) << GetParam().text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseIntegerTest,
    ::testing::Values(IntCase{"255", true, 255}, IntCase{"-7", true, -7}, IntCase{"+3", true, 3},
                      IntCase{" 12", true, 12}, IntCase{"0x1F", true, 31}, IntCase{"$ff", true, 255},
                      IntCase{"0xFFFFFFFF", true, -1}, IntCase{"2147483647", true, 2147483647},
                      IntCase{"-2147483648", true, -2147483647 - 1},
                      IntCase{"2147483648", false, 0}, IntCase{"", false, 0},
                      IntCase{"12a", false, 0}, IntCase{"0x", false, 0},
                      IntCase{"1 ", false, 0}, IntCase{"abc", false, 0},
                      IntCase{"0x100000000", false, 0}));

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, dir);
        path = std::string(dir) + "\\ini_test_" + std::to_string(GetCurrentProcessId()) + ".ini";
        DeleteFileA(path.c_str());
    }
    void TearDown() override { DeleteFileA(path.c_str()); }
    std::string path;
};

TEST_F(IniFileTest, MissingFileGivesDefaults)
{
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "K", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInteger("S", "K", 255), 255);
    EXPECT_TRUE(ini.ReadBool("S", "K", true));
    EXPECT_FALSE(ini.SectionExists("S"));
}

TEST_F(IniFileTest, WrittenValuesReadBack)
{
    TIniFile ini(path);
    ini.WriteString("Main", "Name", "value with spaces");
    ini.WriteInteger("Main", "Count", -42);
    ini.WriteBool("Main", "Flag", false);
    ini.WriteString("Main", "Bad", "12x");
    ini.UpdateFile();
    TIniFile again(path);
    EXPECT_EQ(again.ReadString("Main", "Name", ""), "value with spaces");
    EXPECT_EQ(again.ReadInteger("Main", "Count", 0), -42);
    EXPECT_FALSE(again.ReadBool("Main", "Flag", true));
    EXPECT_EQ(again.ReadInteger("Main", "Bad", 7), 7);
    EXPECT_TRUE(again.ValueExists("Main", "count"));
    EXPECT_EQ(again.ReadSection("Main").size(), 4u);
    again.DeleteKey("Main", "Bad");
    EXPECT_FALSE(again.ValueExists("Main", "Bad"));
    again.EraseSection("Main");
    EXPECT_FALSE(again.SectionExists("Main"));
}

TEST_F(IniFileTest, LongValueIsReadWhole)
{
    TIniFile ini(path);
    std::string longValue(5000, 'x');
    ini.WriteString("S", "Long", longValue);
    EXPECT_EQ(ini.ReadString("S", "Long", ""), longValue);
}

TEST_F(IniFileTest, WriteToUnwritablePlaceThrows)
{
    TIniFile ini(path + "\\missing_folder\\x.ini");
    EXPECT_THROW(ini.WriteString("S", "K", "v"), Exception);
}

}  // namespace
