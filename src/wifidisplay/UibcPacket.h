#pragma once
// User-input back channel packets: the sink's builder, the key table both directions use and
// the source's parser. Standard C++ only, so that the parser also builds natively for fuzzing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Input types of WDPSink::SendMouseMoveUIBC: 0 to 8 generic, 10 and 11 HIDC.
enum UibcInputType {
    UIBC_LEFT_DOWN = 0,
    UIBC_LEFT_UP = 1,
    UIBC_MOVE = 2,
    UIBC_KEY_DOWN = 3,
    UIBC_KEY_UP = 4,
    UIBC_ZOOM = 5,
    UIBC_VERTICAL_SCROLL = 6,
    UIBC_HORIZONTAL_SCROLL = 7,
    UIBC_ROTATE = 8,
    UIBC_HID_KEY = 10,
    UIBC_HID_MOUSE = 11,
};

constexpr size_t UIBC_SEND_BUFFER_SIZE = 128;
constexpr size_t UIBC_RECEIVE_BUFFER_SIZE = 1024;
// The smallest packet the format has (a scroll or rotate with its pad byte) and the largest
// the receive buffer can hold.
constexpr size_t UIBC_MIN_PACKET = 10;
constexpr size_t UIBC_MAX_PACKET = 1024;

struct UIBC_KEY_PAIR {
    uint8_t virtualKey;
    uint8_t usage;
};
constexpr size_t UIBC_KEY_TABLE_SIZE = 58;
extern const UIBC_KEY_PAIR UIBC_KEY_TABLE[UIBC_KEY_TABLE_SIZE];

// Replace the code in place; a code in no pair stays as it is.
void ConvertKeyboardCodeToHIDCode(int* code);
void ConvertHIDCodeToKeyboardCode(int* code);

// Version 0 without timestamp, and the input category: 0 when generic is non-zero, else 1.
void PrepareUIBCHeader(uint8_t* buffer, int generic);
// Fills buffer (UIBC_SEND_BUFFER_SIZE bytes) with the packet for one input and returns its
// length, pad byte included; 0 for a type that sends nothing.
size_t BuildUIBCData(uint8_t* buffer, int generic, int type, int x, int y, int data1, int data2);

struct UibcPointer {
    int id;
    int x;
    int y;
};

// What parsed packets ask of this computer; the source implements it with the system's input.
class UibcInputTarget {
public:
    virtual ~UibcInputTarget() = default;
    // type 1 move, 2 left press, 4 left release, for each pointer in list order.
    virtual void DoMouseEvent(int type, const std::vector<UibcPointer>& pointers) = 0;
    virtual void KeyEvent(uint8_t virtualKey, bool up) = 0;
    virtual void MoveCursor(int x, int y) = 0;
    virtual void InjectZoom(int mode) = 0;
    virtual void Wheel(int amount) = 0;
    virtual void InjectHorizontalScroll(int right) = 0;
    virtual void InjectRotate(int angle, int fraction) = 0;
    virtual void HidMouse(int dx, int dy, int buttons) = 0;
    virtual void Log(int level, const std::string& line) = 0;
};

// A whole packet at p: at least UIBC_MIN_PACKET bytes and at least its length field.
bool IsAtLeastOnePacket(const uint8_t* p, size_t size);
// A header this parser can read: at least 5 bytes and version 0.
bool IsUIBCDataCorrect(const uint8_t* p, size_t size);

enum class UibcResult { Handled, Malformed };

// The source's receive state: bytes arrive into FreeSpace, Received walks the whole packets
// and keeps an incomplete one at the buffer's start. A stream whose framing or contents
// cannot be trusted is reported Malformed and nothing of the bad packet is injected.
class UibcReceiver {
public:
    uint8_t* FreeSpace() { return m_buffer + m_iRedundancyData; }
    size_t FreeSize() const { return sizeof m_buffer - m_iRedundancyData; }
    UibcResult Received(size_t count, UibcInputTarget& target);
    // A new connection: nothing held.
    void Reset() { m_iRedundancyData = 0; }

    size_t m_iRedundancyData = 0;
    int m_iLastZoom = 0;

private:
    UibcResult HandlePacket(const uint8_t* p, size_t length, UibcInputTarget& target);
    UibcResult HandleGeneric(const uint8_t* body, size_t size, UibcInputTarget& target);
    UibcResult HandleHIDC(const uint8_t* body, size_t size, UibcInputTarget& target);
    void HandleZoom(int x, int y, int zoom, UibcInputTarget& target);

    uint8_t m_buffer[UIBC_RECEIVE_BUFFER_SIZE] = {};
};
