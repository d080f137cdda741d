// Fuzz target for the user-input back channel's receiver: arbitrary bytes arrive in reads of
// varying sizes, as from a hostile sink. Built natively with clang's libFuzzer by scripts/fuzz.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <vector>
#include "wifidisplay/UibcPacket.h"

namespace {

// Checks what a parsed packet may ask: bounded values only.
class Target : public UibcInputTarget {
public:
    void DoMouseEvent(int type, const std::vector<UibcPointer>& pointers) override
    {
        if ((type != 1 && type != 2 && type != 4) || pointers.size() > 255)
            std::abort();
        for (const UibcPointer& p : pointers)
            if (p.x < 0 || p.x > 0xFFFF || p.y < 0 || p.y > 0xFFFF)
                std::abort();
    }
    void KeyEvent(uint8_t, bool) override { ++calls; }
    void MoveCursor(int x, int y) override
    {
        if (x < 0 || x > 0xFFFF || y < 0 || y > 0xFFFF)
            std::abort();
    }
    void InjectZoom(int mode) override
    {
        if (mode < 0 || mode > 2)
            std::abort();
        ++calls;
    }
    void Wheel(int amount) override
    {
        if (amount < -32768 || amount > 32767)
            std::abort();
    }
    void InjectHorizontalScroll(int right) override
    {
        if (right != 0 && right != 1)
            std::abort();
    }
    void InjectRotate(int angle, int fraction) override
    {
        if (angle < -128 || angle > 127 || fraction < 0 || fraction > 255)
            std::abort();
    }
    void HidMouse(int dx, int dy, int buttons) override
    {
        if (dx < -128 || dx > 127 || dy < -128 || dy > 127 || buttons < 0 || buttons > 255)
            std::abort();
    }
    void Log(int, const std::string& line) override
    {
        if (line.empty())
            std::abort();
    }
    size_t calls = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Input: one byte choosing the read size (0: all that fits at once), then the stream.
    if (size < 1)
        return 0;
    const size_t step = data[0];
    ++data;
    --size;
    UibcReceiver receiver;
    Target target;
    while (size > 0) {
        if (receiver.FreeSize() == 0)
            std::abort();  // a whole packet always fits after the held bytes
        size_t count = step ? step : size;
        count = std::min({count, size, receiver.FreeSize()});
        std::memcpy(receiver.FreeSpace(), data, count);
        data += count;
        size -= count;
        if (receiver.Received(count, target) == UibcResult::Malformed)
            break;
        if (receiver.m_iRedundancyData >= UIBC_MAX_PACKET)
            std::abort();
    }
    // Every zoom step needs a packet: 255 levels at most per packet.
    if (target.calls > 300 * 1024)
        std::abort();
    return 0;
}
