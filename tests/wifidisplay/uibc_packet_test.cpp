// Remote-input packets: the bytes the sink builds for every input, the key table both ways,
// and what the source's receiver asks to inject for well-formed and hostile streams.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "wifidisplay/UibcPacket.h"

namespace {

std::string Hex(const uint8_t* data, size_t size)
{
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", data[i]);
        text += byte;
    }
    return text;
}

std::vector<uint8_t> Bytes(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 3)
        bytes.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

TEST(UibcSender, PacketBytesForEveryInput)
{
    struct Case {
        int generic, type, x, y, data1, data2;
        const char* bytes;  // empty: nothing is sent
    };
    const Case cases[] = {
        // Generic kind.
        {1, 0, 100, 50, 0, 0, "00 00 00 0E 00 00 06 01 00 00 64 00 32 00"},
        {1, 1, 1919, 1079, 0, 0, "00 00 00 0E 01 00 06 01 00 07 7F 04 37 00"},
        {1, 2, 100, 50, 0, 0, "00 00 00 0E 02 00 06 01 00 00 64 00 32 00"},
        {1, 3, 0, 0, 0x41, 0, "00 00 00 0C 03 00 05 00 00 41 00 00"},
        {1, 3, 0, 0, 16, 0x41, "00 00 00 0C 03 00 05 00 00 10 00 41"},
        {1, 4, 0, 0, 0x41, 0, "00 00 00 0C 04 00 05 00 00 41 00 00"},
        {1, 5, 300, 200, 2, 0, "00 00 00 0E 05 00 06 01 2C 00 C8 02 00 00"},
        {1, 5, 0, 0, 0x102, 0, "00 00 00 0E 05 00 06 00 00 00 00 02 00 00"},  // low 8 bits of the level
        {1, 6, 0, 0, -120, 0, "00 00 00 0A 06 00 02 FF 88 00"},
        {1, 7, 0, 0, 120, 0, "00 00 00 0A 07 00 02 00 78 00"},
        {1, 8, 0, 0, -3, 0x180, "00 00 00 0A 08 00 02 FD 80 00"},
        {1, 9, 1, 2, 3, 4, ""},
        {1, 12, 1, 2, 3, 4, ""},
        {1, -1, 1, 2, 3, 4, ""},
        // HIDC kind.
        {0, 10, 1, 0x41, 0, 0, "00 01 00 12 01 00 00 00 08 02 00 04 00 00 00 00 00 00"},
        {0, 10, 0, 0x31, 0, 0, "00 01 00 12 01 00 00 00 08 00 00 1E 00 00 00 00 00 00"},
        {0, 10, 0, 32, 0, 0, "00 01 00 12 01 00 00 00 08 00 00 20 00 00 00 00 00 00"},  // space: not in the table
        {0, 10, 0, 0, 0, 0, "00 01 00 12 01 00 00 00 08 00 00 00 00 00 00 00 00 00"},
        {0, 11, 0, 0, 32, 0, "00 01 00 0C 01 01 00 00 03 20 00 00"},
        {0, 11, 0, 0, 128, 0, "00 01 00 0C 01 01 00 00 03 80 00 00"},
        {0, 11, -5, 300, 0, 0, "00 01 00 0C 01 01 00 00 03 00 FB 2C"},  // deltas keep their low 8 bits
        // The category follows the sink's flag, whatever the type.
        {0, 2, 100, 50, 0, 0, "00 01 00 0E 02 00 06 01 00 00 64 00 32 00"},
        {0, 1, 0, 0, 0, 0, "00 01 00 0E 01 00 06 01 00 00 00 00 00 00"},
        {1, 11, 0, 0, 128, 0, "00 00 00 0C 01 01 00 00 03 80 00 00"},
        {0, 9, 0, 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        uint8_t buffer[UIBC_SEND_BUFFER_SIZE];
        std::memset(buffer, 0xEE, sizeof buffer);
        const size_t length = BuildUIBCData(buffer, c.generic, c.type, c.x, c.y, c.data1, c.data2);
        EXPECT_EQ(Hex(buffer, length), c.bytes) << "generic " << c.generic << " type " << c.type;
        EXPECT_EQ(length % 2, 0u);
    }
}

TEST(UibcKeyTable, MapsBothWaysAndPassesUnknownCodes)
{
    struct Case {
        int key, usage;
    };
    const Case pairs[] = {{'0', 39}, {'1', 30}, {'9', 38}, {'A', 4}, {'Z', 29}, {189, 45}, {186, 51},
                          {191, 56}, {20, 57},  {13, 40},  {9, 43},  {8, 42},   {46, 76},  {37, 80},
                          {39, 79}};
    for (const Case& c : pairs) {
        int code = c.key;
        ConvertKeyboardCodeToHIDCode(&code);
        EXPECT_EQ(code, c.usage) << c.key;
        ConvertHIDCodeToKeyboardCode(&code);
        EXPECT_EQ(code, c.key) << c.usage;
    }
    // Every pair maps back to itself: no usage stands for two keys.
    for (const UIBC_KEY_PAIR& pair : UIBC_KEY_TABLE) {
        int code = pair.virtualKey;
        ConvertKeyboardCodeToHIDCode(&code);
        ConvertHIDCodeToKeyboardCode(&code);
        EXPECT_EQ(code, pair.virtualKey);
    }
    for (int unknown : {0, 32, 0x70, 255, 1000}) {
        int code = unknown;
        ConvertKeyboardCodeToHIDCode(&code);
        EXPECT_EQ(code, unknown);
    }
    for (int unknown : {0, 1, 41, 100}) {
        int code = unknown;
        ConvertHIDCodeToKeyboardCode(&code);
        EXPECT_EQ(code, unknown);
    }
}

// Records what the receiver asks for, one text per call.
class Recorder : public UibcInputTarget {
public:
    void DoMouseEvent(int type, const std::vector<UibcPointer>& pointers) override
    {
        std::string text = "mouse " + std::to_string(type);
        for (const UibcPointer& p : pointers)
            text += " " + std::to_string(p.id) + ":" + std::to_string(p.x) + "," + std::to_string(p.y);
        calls.push_back(text);
    }
    void KeyEvent(uint8_t key, bool up) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "key %02X %s", key, up ? "up" : "down");
        calls.push_back(text);
    }
    void MoveCursor(int x, int y) override { calls.push_back("cursor " + std::to_string(x) + "," + std::to_string(y)); }
    void InjectZoom(int mode) override { calls.push_back("zoom " + std::to_string(mode)); }
    void Wheel(int amount) override { calls.push_back("wheel " + std::to_string(amount)); }
    void InjectHorizontalScroll(int right) override { calls.push_back("hscroll " + std::to_string(right)); }
    void InjectRotate(int angle, int fraction) override
    {
        calls.push_back("rotate " + std::to_string(angle) + " " + std::to_string(fraction));
    }
    void HidMouse(int dx, int dy, int buttons) override
    {
        calls.push_back("hid " + std::to_string(dx) + "," + std::to_string(dy) + " " + std::to_string(buttons));
    }
    void Log(int, const std::string&) override {}
    std::vector<std::string> calls;
};

// Feeds reads of the given sizes (0: the rest at once) and reports whether the stream stayed
// trusted.
bool Feed(UibcReceiver& receiver, Recorder& recorder, const std::vector<uint8_t>& stream, size_t step = 0)
{
    size_t offset = 0;
    while (offset < stream.size()) {
        size_t count = step ? std::min(step, stream.size() - offset) : stream.size() - offset;
        count = std::min(count, receiver.FreeSize());
        std::memcpy(receiver.FreeSpace(), stream.data() + offset, count);
        offset += count;
        if (receiver.Received(count, recorder) == UibcResult::Malformed)
            return false;
    }
    return true;
}

const char* kMove = "00 00 00 0E 02 00 06 01 00 00 64 00 32 00";
const char* kKeyDownA = "00 00 00 0C 03 00 05 00 00 41 00 00";

TEST(UibcReceiver, WellFormedPacketsInAnyReads)
{
    struct Case {
        std::string stream;
        size_t step;
        std::vector<std::string> calls;
    };
    const std::string two = std::string(kMove) + " " + kKeyDownA;
    const Case cases[] = {
        {kMove, 0, {"mouse 1 0:100,50"}},
        {two, 0, {"mouse 1 0:100,50", "key 41 down"}},   // two packets in one read
        {two, 9, {"mouse 1 0:100,50", "key 41 down"}},   // split packets
        {two, 1, {"mouse 1 0:100,50", "key 41 down"}},   // byte by byte
        {"00 00 00 0E 00 00 06 01 00 00 0A 00 14 00", 0, {"mouse 2 0:10,20"}},
        {"00 00 00 0E 01 00 06 01 00 00 0A 00 14 00", 0, {"mouse 4 0:10,20"}},
        // Two pointers in list order; an id out of place is used all the same.
        {"00 00 00 12 02 00 0B 02 00 00 01 00 02 05 00 03 00 04", 0, {"mouse 1 0:1,2 5:3,4"}},
        {"00 00 00 0C 04 00 05 00 00 10 00 41", 0, {"key 10 up", "key 41 up"}},
        {"00 00 00 0C 03 00 05 00 01 41 00 00", 0, {"key 41 down"}},  // the low byte of the code
        {"00 00 00 0A 06 00 02 FF 88 00", 0, {"wheel -120"}},
        {"00 00 00 0A 07 00 02 00 78 00", 0, {"hscroll 0"}},
        {"00 00 00 0A 07 00 02 FF 88 00", 0, {"hscroll 1"}},
        {"00 00 00 0A 07 00 02 00 00 00", 0, {}},
        {"00 00 00 0A 08 00 02 FD 80 00", 0, {"rotate -3 128"}},
        // Timestamp flag: the body starts two bytes later.
        {"10 00 00 10 AA BB 02 00 06 01 00 00 01 00 02 00", 0, {"mouse 1 0:1,2"}},
        // HIDC keyboard: all six modifiers pressed or released, then the key.
        {"00 01 00 12 01 00 00 00 08 02 00 04 00 00 00 00 00 00", 0,
         {"key A2 up", "key A0 down", "key A4 up", "key A3 up", "key A1 up", "key A5 up", "key 41 down", "key 41 up"}},
        // Modifier 0 releases all six; usage 44 is in no pair and passes unchanged.
        {"00 01 00 12 01 00 00 00 08 00 00 2C 00 00 00 00 00 00", 0,
         {"key A2 up", "key A0 up", "key A4 up", "key A3 up", "key A1 up", "key A5 up", "key 2C down", "key 2C up"}},
        // The sender's space (usage 32, unchanged) reads back as usage 32, the key "3".
        {"00 01 00 12 01 00 00 00 08 00 00 20 00 00 00 00 00 00", 0,
         {"key A2 up", "key A0 up", "key A4 up", "key A3 up", "key A1 up", "key A5 up", "key 33 down", "key 33 up"}},
        {"00 01 00 0C 01 01 00 00 03 20 FB 05", 0, {"hid -5,5 32"}},
        // Paths 0, 2 to 4 and HID types other than keyboard and mouse are skipped.
        {"00 01 00 0C 02 01 00 00 03 20 00 00", 0, {}},
        {"00 01 00 0C 01 02 00 00 03 00 00 00", 0, {}},
    };
    for (const Case& c : cases) {
        UibcReceiver receiver;
        Recorder recorder;
        EXPECT_TRUE(Feed(receiver, recorder, Bytes(c.stream), c.step)) << c.stream;
        EXPECT_EQ(recorder.calls, c.calls) << c.stream << " step " << c.step;
        EXPECT_EQ(receiver.m_iRedundancyData, 0u) << c.stream;
    }
}

TEST(UibcReceiver, KeepsAnIncompletePacketUntilItsRestArrives)
{
    UibcReceiver receiver;
    Recorder recorder;
    const std::vector<uint8_t> move = Bytes(kMove);
    EXPECT_TRUE(Feed(receiver, recorder, {move.begin(), move.begin() + 11}));
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(receiver.m_iRedundancyData, 11u);
    EXPECT_TRUE(Feed(receiver, recorder, {move.begin() + 11, move.end()}));
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"mouse 1 0:100,50"});
    EXPECT_EQ(receiver.m_iRedundancyData, 0u);
}

TEST(UibcReceiver, ZoomStepsFromTheLastLevel)
{
    UibcReceiver receiver;
    Recorder recorder;
    const std::string zoom0 = "00 00 00 0E 05 00 06 00 0A 00 14 00 00 00";
    const std::string zoom2 = "00 00 00 0E 05 00 06 00 0A 00 14 02 00 00";
    const std::string zoom1 = "00 00 00 0E 05 00 06 00 0A 00 14 01 00 00";
    EXPECT_TRUE(Feed(receiver, recorder, Bytes(zoom0 + " " + zoom2 + " " + zoom1 + " " + zoom0)));
    const std::vector<std::string> want = {"cursor 10,20", "zoom 2",  // level 0: the reset
                                           "cursor 10,20", "zoom 0", "zoom 0",
                                           "cursor 10,20", "zoom 1",
                                           "cursor 10,20", "zoom 1", "zoom 2"};
    EXPECT_EQ(recorder.calls, want);
}

TEST(UibcReceiver, HostileStreamsInjectNothingAndAreRefused)
{
    struct Case {
        const char* what;
        std::string stream;
    };
    const Case cases[] = {
        {"length 0", "00 00 00 00 02 00 06 01 00 00 64 00 32 00"},
        {"length 1", "00 00 00 01 02 00 06 01 00 00 64 00 32 00"},
        {"length 3", "00 00 00 03 02 00 06 01 00 00 64 00 32 00"},
        {"length 9, below every type", "00 00 00 09 06 00 02 00 01 00"},
        {"length above 1024", "00 00 04 01 02 00 06 01 00 00 64 00 32 00"},
        {"length 0xFFFF", "00 00 FF FF 02 00 06 01 00 00 64 00 32 00"},
        {"key packet below its size", "00 00 00 0A 03 00 03 00 00 41"},
        {"zoom describe too short", "00 00 00 0C 05 00 05 00 0A 00 14 02"},
        {"pointer count 255 in a short packet", "00 00 00 0E 02 00 06 FF 00 00 64 00 32 00"},
        {"pointer count 2 in room for 1", "00 00 00 0E 02 00 06 02 00 00 64 00 32 00"},
        {"describe length beyond the packet", "00 00 00 0E 02 00 FF 01 00 00 64 00 32 00"},
        {"describe length short of the packet", "00 00 00 14 02 00 06 01 00 00 64 00 32 00 00 00 00 00 00 00"},
        {"report length beyond the packet", "00 01 00 0C 01 01 00 00 FF 20 00 00"},
        {"keyboard report of 3 bytes", "00 01 00 0C 01 00 00 00 03 02 00 04"},
        {"mouse report of 1 byte", "00 01 00 0A 01 01 00 00 01 80"},
        {"version 1", "20 00 00 0E 02 00 06 01 00 00 64 00 32 00"},
        {"version 7", "E0 00 00 0E 02 00 06 01 00 00 64 00 32 00"},
        {"category 2", "00 02 00 0E 02 00 06 01 00 00 64 00 32 00"},
        {"category 15", "00 0F 00 0E 02 00 06 01 00 00 64 00 32 00"},
        {"generic type 9", "00 00 00 0E 09 00 06 01 00 00 64 00 32 00"},
        {"generic type 255", "00 00 00 0E FF 00 06 01 00 00 64 00 32 00"},
        {"HID path 5", "00 01 00 0C 05 01 00 00 03 80 00 00"},
        {"HID path 255", "00 01 00 0C FF 01 00 00 03 80 00 00"},
    };
    for (const Case& c : cases) {
        for (size_t step : {size_t(0), size_t(1)}) {
            UibcReceiver receiver;
            Recorder recorder;
            EXPECT_FALSE(Feed(receiver, recorder, Bytes(c.stream), step)) << c.what;
            EXPECT_TRUE(recorder.calls.empty()) << c.what;
        }
    }
    // A good packet before a bad one is replayed; nothing after the bad one is.
    UibcReceiver receiver;
    Recorder recorder;
    EXPECT_FALSE(Feed(receiver, recorder, Bytes(std::string(kMove) + " 00 00 00 00 00 00 00 00 00 00 " + kKeyDownA)));
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"mouse 1 0:100,50"});
}

TEST(UibcReceiver, TheLargestPacketFitsTheBuffer)
{
    // 1024 bytes: a move with 203 pointers and the pad byte.
    std::vector<uint8_t> packet(1024, 0);
    packet[2] = 0x04;
    packet[4] = 2;
    const size_t describe = 1 + 5 * 203;
    packet[5] = uint8_t(describe >> 8);
    packet[6] = uint8_t(describe);
    packet[7] = 203;
    for (size_t i = 0; i < 203; ++i)
        packet[8 + 5 * i] = uint8_t(i);
    UibcReceiver receiver;
    Recorder recorder;
    EXPECT_TRUE(Feed(receiver, recorder, packet, 100));
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(receiver.m_iRedundancyData, 0u);
}

} // namespace
