#pragma once
// The source's end of the user-input back channel: a TCP listener that serves the session's
// sink, one client at a time, and replays its packets as local mouse and keyboard input.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "wifidisplay/UibcPacket.h"

// The system's input calls that replay remote input; tests and recorded runs replace them.
class TUibcInputCalls {
public:
    virtual ~TUibcInputCalls() = default;
    virtual BOOL SetCursorPos(int x, int y);
    virtual void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo);
    virtual void keybd_event(BYTE virtualKey, BYTE scan, DWORD flags, ULONG_PTR extraInfo);
    virtual BOOL GetCursorPos(POINT* point);
};

// Records every call as a text line instead of injecting; the cursor it reports moves with
// SetCursorPos and relative moves. Optionally appends each line to a file.
class TUibcInputJournal : public TUibcInputCalls {
public:
    explicit TUibcInputJournal(const std::string& file = std::string());
    BOOL SetCursorPos(int x, int y) override;
    void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo) override;
    void keybd_event(BYTE virtualKey, BYTE scan, DWORD flags, ULONG_PTR extraInfo) override;
    BOOL GetCursorPos(POINT* point) override;
    std::vector<std::string> Lines() const;
    void Clear();

private:
    void Add(const std::string& line);
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    std::string file_;
    POINT cursor_ = {0, 0};
};

// The calls in use: the system's, unless set (nullptr restores them). When the environment
// names a file in WEVO_UIBC_INPUT_JOURNAL, the program records to it instead of injecting.
TUibcInputCalls& UibcInputCalls();
void SetUibcInputCalls(TUibcInputCalls* calls);

class UibcSource : private UibcInputTarget {
public:
    UibcSource() = default;
    ~UibcSource();
    UibcSource(const UibcSource&) = delete;
    UibcSource& operator=(const UibcSource&) = delete;

    // Starts the listener unless it runs, and lets the client at clientAddress in. Only when
    // the sink was offered remote input ([WiFiDisplaySo] SupportUIBC 1) or it was enabled.
    int CreateReceiveUIBCDataThread(const std::string& clientAddress);
    void SetEnabled(bool enabled) { m_bEnabled = enabled; }
    // The session ended: listener and client closed, their threads ended, the client's
    // address forgotten and what it held released. Any thread may call it.
    void Close();

    // One receive on the client's socket and the packets it completes: 1 go on, 0 the
    // connection is done (closed by the peer, failed, malformed or told to stop).
    int HandleReceiveUIBCData(SOCKET socket);

    int ListeningPort() const { return m_iListeningPort; }
    bool Listening() const { return m_bListening; }
    bool Serving() const { return m_bServing; }

    int m_iUIBCPort = 10600;  // 0 lets the system choose
    int m_iIdleMs = 60000;    // a client that sends nothing this long is closed
    std::atomic<int> m_bUIBCContinue{0};

    // Input injection the packets ask for.
    void DoMouseEvent(int type, const std::vector<UibcPointer>& pointers) override;
    void InjectHorizontalScroll(int right) override;
    void InjectZoom(int mode) override;
    void InjectRotate(int angle, int fraction) override;

private:
    void KeyEvent(uint8_t virtualKey, bool up) override;
    void MoveCursor(int x, int y) override;
    void Wheel(int amount) override;
    void HidMouse(int dx, int dy, int buttons) override;
    void Log(int level, const std::string& line) override;

    int StartListener();
    void ReceiveUIBCDataThread();
    void ReceiveUIBCClient(SOCKET socket);
    void Accept();
    // Keys and the left button the client pressed and has not released yet.
    void ReleaseHeld();

    std::mutex m_closeMutex;  // one start or close at a time
    std::mutex m_mutex;       // guards the sockets and the client address
    SOCKET m_listenSocket = INVALID_SOCKET;
    SOCKET m_clientSocket = INVALID_SOCKET;
    std::string m_clientAddress;
    std::thread m_listener;
    std::thread m_client;
    std::atomic<bool> m_bListening{false};
    std::atomic<bool> m_bServing{false};
    std::atomic<bool> m_bClosing{false};
    std::atomic<int> m_iListeningPort{0};
    std::atomic<bool> m_bEnabled{false};
    std::atomic<DWORD> m_lastReceived{0};
    UibcReceiver m_receiver;
    std::mutex m_heldMutex;
    std::set<uint8_t> m_heldKeys;
    bool m_bLeftHeld = false;
    POINT m_leftAt = {0, 0};
};
