#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "ui/Seams.h"

namespace {

std::vector<int> forwardedLevels;
std::vector<std::string> forwardedLines;

int WINAPI RecordWppLog(int level, const char* line)
{
    forwardedLevels.push_back(level);
    forwardedLines.push_back(line);
    return 1;
}

class PrintMessageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        seams::logSink = [this](const char* line) { debugLines.push_back(line); };
        VOZEZIV.nDebugMode = 0;
        VOZEZIV.bDllLoaded = 0;
        VOZEZIV.WVWL_OutPutUIWppLog = RecordWppLog;
        forwardedLevels.clear();
        forwardedLines.clear();
    }
    void TearDown() override
    {
        seams::logSink = nullptr;
        VOZEZIV.bDllLoaded = 0;
        VOZEZIV.WVWL_OutPutUIWppLog = nullptr;
    }
    std::vector<std::string> debugLines;
};

}  // namespace

TEST(GetLogLevelPrefix, GivesThePrefixOfEachLevel)
{
    const struct {
        int level;
        const char* prefix;
    } cases[] = {
        {1, "[Wevo][F] "},    {2, "[Wevo][E] "},    {3, "[Wevo][W] "},    {4, "[Wevo][Normal] "},
        {5, "[Wevo][Func] "}, {6, "[Wevo][Info] "}, {7, "[Wevo][Temp] "}, {8, "[Wevo][Polling] "},
    };
    for (const auto& c : cases) {
        char dest[32] = {};
        int length = -5;
        EXPECT_EQ(GetLogLevelPrefix(c.level, dest, &length), 0) << c.level;
        EXPECT_EQ(std::string(dest, length), c.prefix) << c.level;
    }
}

TEST(GetLogLevelPrefix, OtherLevelsHaveNone)
{
    for (int level : {0, -1, 9, 100}) {
        char dest[32] = "untouched";
        int length = 7;
        EXPECT_EQ(GetLogLevelPrefix(level, dest, &length), -1) << level;
        EXPECT_EQ(length, 0) << level;
        EXPECT_STREQ(dest, "untouched") << level;
    }
}

TEST_F(PrintMessageTest, ThresholdDecidesTheDebuggerOutput)
{
    const struct {
        int threshold;
        int level;
        bool shown;
    } cases[] = {
        {0, 6, false}, {0, 2, false}, {0, 0, true},  {0, -4, true}, {2, 2, true},
        {2, 3, false}, {2, 6, false}, {6, 6, true},  {6, 8, false}, {8, 9, false},
        {9, 9, true},  {-1, 0, false},
    };
    for (const auto& c : cases) {
        debugLines.clear();
        VOZEZIV.nDebugMode = c.threshold;
        PrintMessage(c.level, "x");
        EXPECT_EQ(debugLines.size(), c.shown ? 1u : 0u) << c.threshold << " " << c.level;
    }
}

TEST_F(PrintMessageTest, LineIsPrefixAndFormattedText)
{
    VOZEZIV.nDebugMode = 9;
    PrintMessage(6, " --> %s %d %u %02X %c\n", "Form::Click", -5, 7u, 10, 'z');
    PrintMessage(2, " Load dll fail: %s", "C:\\x\\VoZEZIV.dll");
    PrintMessage(9, "plain");
    PrintMessage(0, "zero");
    ASSERT_EQ(debugLines.size(), 4u);
    EXPECT_EQ(debugLines[0], "[Wevo][Info]  --> Form::Click -5 7 0A z\n");
    EXPECT_EQ(debugLines[1], "[Wevo][E]  Load dll fail: C:\\x\\VoZEZIV.dll");
    EXPECT_EQ(debugLines[2], "plain");
    EXPECT_EQ(debugLines[3], "zero");
}

TEST_F(PrintMessageTest, LongTextIsCutToTheLine)
{
    VOZEZIV.nDebugMode = 9;
    const std::string huge(3000, 'a');
    PrintMessage(8, "%s%s", huge.c_str(), huge.c_str());
    PrintMessage(0, "%s", huge.c_str());
    ASSERT_EQ(debugLines.size(), 2u);
    EXPECT_EQ(debugLines[0].size(), 511u);
    EXPECT_EQ(debugLines[0].rfind("[Wevo][Polling] aaa", 0), 0u);
    EXPECT_EQ(debugLines[1], std::string(511, 'a'));
}

TEST_F(PrintMessageTest, NothingIsForwardedBeforeTheLibraryIsLoaded)
{
    VOZEZIV.nDebugMode = 9;
    PrintMessage(2, "early");
    EXPECT_TRUE(forwardedLines.empty());
    EXPECT_EQ(debugLines.size(), 1u);
}

TEST_F(PrintMessageTest, AfterLoadingEveryLineIsForwardedWithItsLevel)
{
    VOZEZIV.bDllLoaded = 1;
    VOZEZIV.nDebugMode = 0;
    PrintMessage(6, "info %d\n", 1);
    PrintMessage(9, "nine");
    EXPECT_TRUE(debugLines.empty());
    ASSERT_EQ(forwardedLines.size(), 2u);
    EXPECT_EQ(forwardedLevels[0], 6);
    EXPECT_EQ(forwardedLines[0], "[Wevo][Info] info 1\n");
    EXPECT_EQ(forwardedLevels[1], 9);
    EXPECT_EQ(forwardedLines[1], "nine");
}

TEST_F(PrintMessageTest, NullFormatGivesTheBarePrefix)
{
    VOZEZIV.nDebugMode = 9;
    PrintMessage(3, nullptr);
    ASSERT_EQ(debugLines.size(), 1u);
    EXPECT_EQ(debugLines[0], "[Wevo][W] ");
}
