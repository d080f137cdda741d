#include "wifidisplay/UibcPacket.h"

#include <cstdio>
#include <cstring>

const UIBC_KEY_PAIR UIBC_KEY_TABLE[UIBC_KEY_TABLE_SIZE] = {
    {0x30, 39}, {0x31, 30}, {0x32, 31}, {0x33, 32}, {0x34, 33}, {0x35, 34}, {0x36, 35}, {0x37, 36},
    {0x38, 37}, {0x39, 38},
    {0x41, 4},  {0x42, 5},  {0x43, 6},  {0x44, 7},  {0x45, 8},  {0x46, 9},  {0x47, 10}, {0x48, 11},
    {0x49, 12}, {0x4A, 13}, {0x4B, 14}, {0x4C, 15}, {0x4D, 16}, {0x4E, 17}, {0x4F, 18}, {0x50, 19},
    {0x51, 20}, {0x52, 21}, {0x53, 22}, {0x54, 23}, {0x55, 24}, {0x56, 25}, {0x57, 26}, {0x58, 27},
    {0x59, 28}, {0x5A, 29},
    {189, 45},  {187, 46},  {219, 47},  {221, 48},  {220, 49},  {186, 51},  {188, 54},  {190, 55},
    {191, 56},  {20, 57},   {13, 40},   {9, 43},    {8, 42},    {46, 76},   {36, 74},   {33, 75},
    {34, 78},   {35, 77},   {38, 82},   {40, 81},   {37, 80},   {39, 79},
};

void ConvertKeyboardCodeToHIDCode(int* code)
{
    for (const UIBC_KEY_PAIR& pair : UIBC_KEY_TABLE) {
        if (pair.virtualKey == *code) {
            *code = pair.usage;
            return;
        }
    }
}

void ConvertHIDCodeToKeyboardCode(int* code)
{
    for (const UIBC_KEY_PAIR& pair : UIBC_KEY_TABLE) {
        if (pair.usage == *code) {
            *code = pair.virtualKey;
            return;
        }
    }
}

namespace {

void Put16(uint8_t* p, int value)
{
    p[0] = uint8_t(value >> 8);
    p[1] = uint8_t(value);
}

int Get16(const uint8_t* p)
{
    return (p[0] << 8) | p[1];
}

std::string Format(const char* format, int a, int b = 0)
{
    char line[160];
    std::snprintf(line, sizeof line, format, a, b);
    return line;
}

// Generic describe field sizes by type 0 to 8.
constexpr size_t kDescribeSize[9] = {6, 6, 6, 5, 5, 6, 2, 2, 2};
// HIDC report sizes by HID type: keyboard, mouse.
constexpr size_t kKeyboardReport = 8;
constexpr size_t kMouseReport = 3;

// A body's inner length must account for the rest of the packet, one pad byte allowed.
bool InnerLengthFits(size_t header, size_t inner, size_t body)
{
    return header + inner == body || header + inner + 1 == body;
}

// Modifier bits of a HID keyboard report and the keys they stand for.
struct Modifier {
    uint8_t bit;
    uint8_t virtualKey;
};
constexpr Modifier kModifiers[6] = {
    {1, 0xA2}, {2, 0xA0}, {4, 0xA4}, {16, 0xA3}, {32, 0xA1}, {64, 0xA5},
};

} // namespace

void PrepareUIBCHeader(uint8_t* buffer, int generic)
{
    buffer[0] = 0;
    buffer[1] = generic ? 0 : 1;
}

size_t BuildUIBCData(uint8_t* buffer, int generic, int type, int x, int y, int data1, int data2)
{
    std::memset(buffer, 0, UIBC_SEND_BUFFER_SIZE);
    PrepareUIBCHeader(buffer, generic);
    buffer[4] = uint8_t(type);
    size_t describe = 0;
    size_t length = 0;
    switch (type) {
    case UIBC_LEFT_DOWN:
    case UIBC_LEFT_UP:
    case UIBC_MOVE:
        buffer[7] = 1;
        buffer[8] = 0;
        Put16(buffer + 9, x);
        Put16(buffer + 11, y);
        describe = 6;
        break;
    case UIBC_KEY_DOWN:
    case UIBC_KEY_UP:
        buffer[7] = 0;
        Put16(buffer + 8, data1);
        Put16(buffer + 10, data2);
        describe = 5;
        break;
    case UIBC_ZOOM:
        Put16(buffer + 7, x);
        Put16(buffer + 9, y);
        buffer[11] = uint8_t(data1);
        buffer[12] = 0;
        describe = 6;
        break;
    case UIBC_VERTICAL_SCROLL:
    case UIBC_HORIZONTAL_SCROLL:
        Put16(buffer + 7, data1);
        describe = 2;
        break;
    case UIBC_ROTATE:
        buffer[7] = uint8_t(data1);
        buffer[8] = uint8_t(data2);
        describe = 2;
        break;
    case UIBC_HID_KEY: {
        const uint8_t head[5] = {1, 0, 0, 0, 8};
        std::memcpy(buffer + 4, head, sizeof head);
        buffer[9] = uint8_t(x == 1 ? 2 : x);
        int code = y;
        ConvertKeyboardCodeToHIDCode(&code);
        buffer[11] = uint8_t(code);
        length = 4 + 13;
        break;
    }
    case UIBC_HID_MOUSE: {
        const uint8_t head[5] = {1, 1, 0, 0, 3};
        std::memcpy(buffer + 4, head, sizeof head);
        buffer[9] = uint8_t(data1);
        buffer[10] = uint8_t(x);
        buffer[11] = uint8_t(y);
        length = 4 + 8;
        break;
    }
    default:
        return 0;
    }
    if (describe) {
        Put16(buffer + 5, int(describe));
        length = 7 + describe;
    }
    if (length % 2)
        ++length;
    Put16(buffer + 2, int(length));
    return length;
}

bool IsAtLeastOnePacket(const uint8_t* p, size_t size)
{
    return size >= UIBC_MIN_PACKET && size >= size_t(Get16(p + 2));
}

bool IsUIBCDataCorrect(const uint8_t* p, size_t size)
{
    return size >= 5 && (p[0] & 0xE0) == 0;
}

UibcResult UibcReceiver::Received(size_t count, UibcInputTarget& target)
{
    m_iRedundancyData += count;
    size_t offset = 0;
    while (m_iRedundancyData - offset >= 4) {
        const uint8_t* p = m_buffer + offset;
        const size_t rest = m_iRedundancyData - offset;
        const size_t length = Get16(p + 2);
        if ((p[0] & 0xE0) != 0 || (p[1] & 0x0F) > 1) {
            target.Log(2, Format("[UIBC] bad header %02X %02X, connection dropped\n", p[0], p[1]));
            return UibcResult::Malformed;
        }
        if (length < UIBC_MIN_PACKET || length > UIBC_MAX_PACKET) {
            target.Log(2, Format("[UIBC] packet length %d out of range, connection dropped\n", int(length)));
            return UibcResult::Malformed;
        }
        if (!IsAtLeastOnePacket(p, rest))
            break;
        if (HandlePacket(p, length, target) == UibcResult::Malformed)
            return UibcResult::Malformed;
        offset += length;
    }
    m_iRedundancyData -= offset;
    if (m_iRedundancyData) {
        std::memmove(m_buffer, m_buffer + offset, m_iRedundancyData);
        target.Log(6, Format("[WDP][So] there are redundancy data but not an entire UIBC packet (%d bytes)\n",
                             int(m_iRedundancyData)));
    }
    return UibcResult::Handled;
}

UibcResult UibcReceiver::HandlePacket(const uint8_t* p, size_t length, UibcInputTarget& target)
{
    if (!IsUIBCDataCorrect(p, length))
        return UibcResult::Malformed;
    const size_t bodyStart = (p[0] & 0x10) ? 6 : 4;
    const uint8_t* body = p + bodyStart;
    const size_t size = length - bodyStart;
    if ((p[1] & 0x0F) == 0)
        return HandleGeneric(body, size, target);
    return HandleHIDC(body, size, target);
}

UibcResult UibcReceiver::HandleGeneric(const uint8_t* body, size_t size, UibcInputTarget& target)
{
    const int type = body[0];
    if (type > UIBC_ROTATE) {
        target.Log(2, Format("[WDP][So] Generic IE ID error type=%d\n", type));
        return UibcResult::Malformed;
    }
    const size_t describe = size_t(Get16(body + 1));
    if (!InnerLengthFits(3, describe, size) || describe < kDescribeSize[type]) {
        target.Log(2, Format("[UIBC] describe length %d does not fit the packet (type %d)\n", int(describe), type));
        return UibcResult::Malformed;
    }
    const uint8_t* d = body + 3;
    switch (type) {
    case UIBC_LEFT_DOWN:
    case UIBC_LEFT_UP:
    case UIBC_MOVE: {
        const size_t count = d[0];
        if (1 + 5 * count > describe) {
            target.Log(2, Format("[UIBC] pointer count %d does not fit %d bytes\n", int(count), int(describe)));
            return UibcResult::Malformed;
        }
        std::vector<UibcPointer> pointers;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* q = d + 1 + 5 * i;
            pointers.push_back({q[0], Get16(q + 1), Get16(q + 3)});
        }
        const int mouse = type == UIBC_LEFT_DOWN ? 2 : type == UIBC_LEFT_UP ? 4 : 1;
        target.DoMouseEvent(mouse, pointers);
        break;
    }
    case UIBC_KEY_DOWN:
    case UIBC_KEY_UP: {
        const bool up = type == UIBC_KEY_UP;
        const int key1 = Get16(d + 1);
        const int key2 = Get16(d + 3);
        target.KeyEvent(uint8_t(key1), up);
        if (key2)
            target.KeyEvent(uint8_t(key2), up);
        break;
    }
    case UIBC_ZOOM:
        HandleZoom(Get16(d), Get16(d + 2), d[4], target);
        break;
    case UIBC_VERTICAL_SCROLL:
        target.Wheel(int16_t(Get16(d)));
        break;
    case UIBC_HORIZONTAL_SCROLL: {
        const int amount = int16_t(Get16(d));
        if (amount > 0)
            target.InjectHorizontalScroll(0);
        else if (amount < 0)
            target.InjectHorizontalScroll(1);
        break;
    }
    case UIBC_ROTATE:
        target.InjectRotate(int8_t(d[0]), d[1]);
        break;
    }
    return UibcResult::Handled;
}

void UibcReceiver::HandleZoom(int x, int y, int zoom, UibcInputTarget& target)
{
    target.MoveCursor(x, y);
    for (int level = m_iLastZoom; level < zoom; ++level)
        target.InjectZoom(0);
    for (int level = m_iLastZoom; level > zoom; --level)
        target.InjectZoom(1);
    m_iLastZoom = zoom;
    if (zoom == 0)
        target.InjectZoom(2);
}

UibcResult UibcReceiver::HandleHIDC(const uint8_t* body, size_t size, UibcInputTarget& target)
{
    const int path = body[0];
    if (path > 4) {
        target.Log(2, Format("[WDP][So] Generic HIDC IE ID error path=%d\n", path));
        return UibcResult::Malformed;
    }
    if (size < 5) {
        target.Log(2, Format("[UIBC] HIDC body of %d bytes\n", int(size)));
        return UibcResult::Malformed;
    }
    const size_t report = size_t(Get16(body + 3));
    if (!InnerLengthFits(5, report, size)) {
        target.Log(2, Format("[UIBC] report length %d does not fit the packet\n", int(report)));
        return UibcResult::Malformed;
    }
    if (path != 1) {
        target.Log(6, Format("[WDP][So] HIDC input path %d not supported\n", path));
        return UibcResult::Handled;
    }
    const int hidType = body[1];
    const uint8_t* r = body + 5;
    if (hidType == 0) {
        if (report < kKeyboardReport) {
            target.Log(2, Format("[UIBC] keyboard report of %d bytes\n", int(report)));
            return UibcResult::Malformed;
        }
        for (const Modifier& m : kModifiers)
            target.KeyEvent(m.virtualKey, (r[0] & m.bit) == 0);
        int code = r[2];
        ConvertHIDCodeToKeyboardCode(&code);
        target.KeyEvent(uint8_t(code), false);
        target.KeyEvent(uint8_t(code), true);
    } else if (hidType == 1) {
        if (report < kMouseReport) {
            target.Log(2, Format("[UIBC] mouse report of %d bytes\n", int(report)));
            return UibcResult::Malformed;
        }
        target.HidMouse(int8_t(r[1]), int8_t(r[2]), r[0]);
    } else {
        target.Log(6, Format("[WDP][So] HID type %d not supported\n", hidType));
    }
    return UibcResult::Handled;
}
