#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "mainwindow/ActionQueue.h"
#include "ui/Seams.h"

namespace {

std::vector<BYTE> Profile(BYTE tag)
{
    std::vector<BYTE> p(kActionProfileBytes, 0);
    p[0] = tag;
    p[kActionProfileBytes - 1] = tag;
    return p;
}

std::vector<DWORD> Types(const TActionQueue& q)
{
    std::vector<DWORD> t;
    for (size_t i = 0; i < q.Count(); ++i)
        t.push_back(q.At(i).type);
    return t;
}

BYTE Tag(const TActionQueue::Entry& e) { return static_cast<BYTE*>(e.Data())[0]; }

TEST(ActionQueue, ScanReplacesQueuedScansAndGoesToTheBack)
{
    TActionQueue q;
    auto p = Profile(1);
    q.Insert({actionTypeScan, nullptr});
    q.Insert({actionTypeProfile, p.data()});
    q.Insert({actionTypeScan, nullptr});
    q.Insert({actionTypeScan, nullptr});
    EXPECT_EQ(Types(q), (std::vector<DWORD>{actionTypeProfile, actionTypeScan}));
}

TEST(ActionQueue, ProfileTakesOlderProfilesPlaceWithTheNewData)
{
    TActionQueue q;
    auto a = Profile(1), b = Profile(2), c = Profile(3);
    BYTE ssid[36] = {4, 0, 0, 0, 'n', 'e', 't', '1'};
    q.Insert({actionTypeProfile, a.data()});
    q.Insert({actionTypeSSID, ssid});
    q.Insert({actionTypeProfile, b.data()});
    q.Insert({actionTypeScan, nullptr});
    q.Insert({actionTypeProfile, c.data()});
    EXPECT_EQ(Types(q), (std::vector<DWORD>{actionTypeProfile, actionTypeSSID, actionTypeScan}));
    EXPECT_EQ(Tag(q.At(0)), 3);
    EXPECT_EQ(static_cast<BYTE*>(q.At(0).Data())[kActionProfileBytes - 1], 3);
}

TEST(ActionQueue, QueuedActionsOwnTheirDataWhenTheCallerReusesItsBuffer)
{
    TActionQueue q;
    std::vector<BYTE> shared = Profile(7);
    BYTE bssid[6] = {1, 2, 3, 4, 5, 6};
    q.Insert({actionTypeProfile, shared.data()});
    q.Insert({actionTypeBSSID, bssid});
    std::fill(shared.begin(), shared.end(), 0xEE);
    std::memset(bssid, 0, sizeof bssid);
    EXPECT_EQ(Tag(q.At(0)), 7);
    EXPECT_EQ(static_cast<BYTE*>(q.At(1).Data())[5], 6);
}

TEST(ActionQueue, ReplacedDataGetsANewIdSoTheRunningActionDoesNotRemoveIt)
{
    TActionQueue q;
    auto a = Profile(1), b = Profile(2);
    q.Insert({actionTypeProfile, a.data()});
    TActionQueue::Entry running = q.Front();
    q.Insert({actionTypeProfile, b.data()});
    q.Remove(running.id);
    ASSERT_EQ(q.Count(), 1u);
    EXPECT_EQ(Tag(q.Front()), 2);
    EXPECT_EQ(Tag(running), 1);   // the running copy stays alive
}

TEST(ActionQueue, NullRecordAndUnknownTypesCarryNoData)
{
    TActionQueue q;
    q.Insert({actionTypeProfile, nullptr});
    q.Insert({4, reinterpret_cast<void*>(0x1234)});
    EXPECT_EQ(q.At(0).Data(), nullptr);
    EXPECT_EQ(q.At(1).Data(), nullptr);
}

TEST(ActionQueue, WaitRules)
{
    auto p = Profile(1);
    DWORD now = 50000;
    seams::clockOverride = [&now] { return now; };
    // A scan at the front holds up what is behind it only while another scan runs, and only
    // for a bounded time.
    struct Case { std::vector<DWORD> types; bool asksPassword; bool scanRunning; DWORD age; bool wait; };
    const Case cases[] = {
        {{actionTypeScan}, false, true, 0, false},
        {{actionTypeScan, actionTypeProfile}, false, true, 0, true},
        {{actionTypeScan, actionTypeProfile}, false, true, kScanWaitMs - 1, true},
        {{actionTypeScan, actionTypeProfile}, false, true, kScanWaitMs, false},
        {{actionTypeScan, actionTypeProfile}, false, false, 0, false},
        {{actionTypeProfile, actionTypeScan}, false, true, 0, false},
        {{actionTypeProfile, actionTypeScan}, true, false, 0, true},
        {{actionTypeProfile, actionTypeSSID}, true, true, 0, false},
        {{actionTypeProfile}, true, true, 0, false},
    };
    for (const Case& c : cases) {
        TActionQueue q;
        now = 50000;
        for (DWORD t : c.types)
            q.Insert({t, t == actionTypeProfile ? p.data() : nullptr});
        EXPECT_EQ(q.MustWait(c.asksPassword, c.scanRunning, now + c.age), c.wait)
            << c.types.size() << " " << c.asksPassword << " " << c.scanRunning << " " << c.age;
    }
    seams::clockOverride = nullptr;
}

}  // namespace
