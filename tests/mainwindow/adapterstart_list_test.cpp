#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "mainwindow/AdapterList.h"
#include "wlapi/result.h"

namespace {

// A library stand-in that lists `n` adapters named A, B, C...
struct FakeLibrary {
    int n;
    std::vector<int> capacities;
    int operator()(BYTE* buf, int capacity)
    {
        capacities.push_back(capacity);
        std::memcpy(buf, &n, 4);
        if (capacity < n)
            return WVWL_ERROR_BUFFER_TOO_SMALL;
        for (int i = 0; i < n; ++i)
            buf[4 + i * kAdapterRecordBytes] = BYTE('A' + i);
        return WVWL_ERROR_SUCCESS;
    }
};

TEST(AdapterList, GrowsTheBufferToTheCountTheLibraryAsksFor)
{
    FakeLibrary lib{3, {}};
    TAdapterList list;
    ASSERT_TRUE(list.Fetch(std::ref(lib)));
    EXPECT_EQ(lib.capacities, (std::vector<int>{1, 3}));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Record(2)[0], 'C');
    EXPECT_EQ(list.Record(3), nullptr);
    EXPECT_EQ(list.Record(-1), nullptr);
}

TEST(AdapterList, OneAdapterNeedsOneCall)
{
    FakeLibrary lib{1, {}};
    TAdapterList list;
    ASSERT_TRUE(list.Fetch(std::ref(lib)));
    EXPECT_EQ(lib.capacities.size(), 1u);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Record(0)[0], 'A');
}

TEST(AdapterList, ALibraryThatWritesNothingLeavesNoAdapter)
{
    TAdapterList list;
    ASSERT_TRUE(list.Fetch([](BYTE*, int) { return WVWL_ERROR_FAILURE; }));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Record(0), nullptr);
}

TEST(AdapterList, ACountLargerThanTheBufferIsCutToWhatItHolds)
{
    TAdapterList list;
    // claims 5 adapters but returns success into room for one
    ASSERT_TRUE(list.Fetch([](BYTE* b, int) { int n = 5; std::memcpy(b, &n, 4); return WVWL_ERROR_SUCCESS; }));
    EXPECT_EQ(list.ReportedCount(), 1);
    EXPECT_EQ(list.Count(), 1);
    // asks for more room than any machine needs, then claims more than it got
    TAdapterList huge;
    ASSERT_TRUE(huge.Fetch([](BYTE* b, int cap) {
        int n = cap == 1 ? 0x7FFFFFFF : 0x7FFFFFFF;
        std::memcpy(b, &n, 4);
        return cap == 1 ? WVWL_ERROR_BUFFER_TOO_SMALL : WVWL_ERROR_SUCCESS;
    }));
    EXPECT_EQ(huge.Count(), 256);
}

TEST(AdapterList, NegativeCountMeansNone)
{
    TAdapterList list;
    ASSERT_TRUE(list.Fetch([](BYTE* b, int) { int n = -4; std::memcpy(b, &n, 4); return WVWL_ERROR_SUCCESS; }));
    EXPECT_EQ(list.Count(), -4);
    EXPECT_EQ(list.Record(0), nullptr);
}

}  // namespace
