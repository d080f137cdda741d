#include "wifidisplay/UibcSource.h"

#include <ws2tcpip.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "core/Log.h"
#include "core/Settings.h"
#include "ui/Seams.h"
#include "wifidisplay/WDPSource.h"

namespace {

// How long the listener and the client wait for the network before looking at their flags.
constexpr long kPollMicroseconds = 100000;

std::string Text(const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    return line;
}

TUibcInputCalls* g_inputCalls = nullptr;

TUibcInputCalls& DefaultInputCalls()
{
    static TUibcInputCalls system;
    static TUibcInputJournal* journal = [] {
        const char* file = std::getenv("WEVO_UIBC_INPUT_JOURNAL");
        return file && *file ? new TUibcInputJournal(file) : nullptr;
    }();
    if (journal)
        return *journal;
    return system;
}

// Readable within the poll time: 1 readable, 0 not yet, -1 failed.
int WaitReadable(SOCKET socket)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval wait = {0, kPollMicroseconds};
    const int result = select(0, &set, nullptr, nullptr, &wait);
    return result > 0 ? 1 : result == 0 ? 0 : -1;
}

} // namespace

// ---- Input calls

BOOL TUibcInputCalls::SetCursorPos(int x, int y)
{
    return ::SetCursorPos(x, y);
}

void TUibcInputCalls::mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo)
{
    ::mouse_event(flags, dx, dy, data, extraInfo);
}

void TUibcInputCalls::keybd_event(BYTE virtualKey, BYTE scan, DWORD flags, ULONG_PTR extraInfo)
{
    ::keybd_event(virtualKey, scan, flags, extraInfo);
}

BOOL TUibcInputCalls::GetCursorPos(POINT* point)
{
    return ::GetCursorPos(point);
}

TUibcInputJournal::TUibcInputJournal(const std::string& file) : file_(file) {}

BOOL TUibcInputJournal::SetCursorPos(int x, int y)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        cursor_ = {x, y};
    }
    Add(Text("SetCursorPos %d %d", x, y));
    return TRUE;
}

void TUibcInputJournal::mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo)
{
    if (flags & MOUSEEVENTF_MOVE) {
        std::lock_guard<std::mutex> lock(mutex_);
        cursor_.x += LONG(dx);
        cursor_.y += LONG(dy);
    }
    Add(Text("mouse_event 0x%04lX %ld %ld %ld", flags, long(dx), long(dy), long(data)));
}

void TUibcInputJournal::keybd_event(BYTE virtualKey, BYTE scan, DWORD flags, ULONG_PTR extraInfo)
{
    Add(Text("keybd_event 0x%02X %s", virtualKey, (flags & KEYEVENTF_KEYUP) ? "up" : "down"));
}

BOOL TUibcInputJournal::GetCursorPos(POINT* point)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        *point = cursor_;
    }
    Add(Text("GetCursorPos %ld %ld", point->x, point->y));
    return TRUE;
}

std::vector<std::string> TUibcInputJournal::Lines() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

void TUibcInputJournal::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.clear();
}

void TUibcInputJournal::Add(const std::string& line)
{
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(line);
    if (file_.empty())
        return;
    std::ofstream out(file_, std::ios::app);
    out << line << '\n';
}

TUibcInputCalls& UibcInputCalls()
{
    return g_inputCalls ? *g_inputCalls : DefaultInputCalls();
}

void SetUibcInputCalls(TUibcInputCalls* calls)
{
    g_inputCalls = calls;
}

// ---- Listener and client

UibcSource::~UibcSource()
{
    Close();
}

int UibcSource::CreateReceiveUIBCDataThread(const std::string& clientAddress)
{
    std::lock_guard<std::mutex> serial(m_closeMutex);
    const bool offered = ReadINIStr("WiFiDisplaySo", "SupportUIBC", "0", "ini") == "1";
    if (!offered && !m_bEnabled) {
        PrintMessage(6, "[WDP][So] UIBC neither offered nor enabled, no listener\n");
        return 0;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_clientAddress = clientAddress;
    }
    m_bUIBCContinue = 1;
    if (m_bListening) {
        PrintMessage(6, "[WDP][So] ReceiveUIBCDataThread was created before\n");
        return 1;
    }
    if (m_listener.joinable())
        m_listener.join();
    return StartListener();
}

int UibcSource::StartListener()
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        PrintMessage(2, "[WDP][So] UIBC socket failed err=%d\n", WSAGetLastError());
        return 0;
    }
    const BOOL reuse = TRUE;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(u_short(m_iUIBCPort));
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == SOCKET_ERROR ||
        listen(s, 2) == SOCKET_ERROR) {
        PrintMessage(2, "[WDP][So] UIBC bind or listen failed err=%d\n", WSAGetLastError());
        closesocket(s);
        return 0;
    }
    int length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    m_iListeningPort = ntohs(address.sin_port);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_listenSocket = s;
    }
    m_bClosing = false;
    m_bListening = true;
    m_listener = std::thread(&UibcSource::ReceiveUIBCDataThread, this);
    PrintMessage(6, "[WDP][So] UIBC listening on port %d\n", int(m_iListeningPort));
    return 1;
}

void UibcSource::ReceiveUIBCDataThread()
{
    while (!m_bClosing) {
        const int ready = WaitReadable(m_listenSocket);
        if (ready < 0) {
            PrintMessage(2, "[WDP][So] UIBC listener wait failed err=%d\n", WSAGetLastError());
            break;
        }
        if (ready == 0)
            continue;
        Accept();
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    closesocket(m_listenSocket);
    m_listenSocket = INVALID_SOCKET;
    m_iListeningPort = 0;
    m_bListening = false;
}

void UibcSource::Accept()
{
    sockaddr_in peer{};
    int length = sizeof peer;
    SOCKET s = accept(m_listenSocket, reinterpret_cast<sockaddr*>(&peer), &length);
    if (s == INVALID_SOCKET) {
        PrintMessage(2, "[WDP][So] UIBC accept failed err=%d\n", WSAGetLastError());
        seams::Sleep(100);
        return;
    }
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
    PrintMessage(6, "[WDP][So] UIBC connection from %s:%d\n", text, int(ntohs(peer.sin_port)));
    std::string allowed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        allowed = m_clientAddress;
    }
    if (allowed != text) {
        PrintMessage(2, "[WDP][So] UIBC refused %s: the session's client is %s\n", text, allowed.c_str());
        closesocket(s);
        return;
    }
    if (m_bServing) {
        PrintMessage(2, "[WDP][So] UIBC refused a second connection from %s\n", text);
        closesocket(s);
        return;
    }
    if (m_client.joinable())
        m_client.join();
    m_receiver.Reset();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_clientSocket = s;
    }
    m_lastReceived = GetTickCount();
    m_bServing = true;
    m_client = std::thread(&UibcSource::ReceiveUIBCClient, this, s);
}

void UibcSource::ReceiveUIBCClient(SOCKET socket)
{
    while (m_bUIBCContinue && !m_bClosing) {
        if (!HandleReceiveUIBCData(socket))
            break;
        if (GetTickCount() - m_lastReceived >= DWORD(m_iIdleMs)) {
            PrintMessage(2, "[WDP][So] UIBC client sent nothing for %d ms, closed\n", m_iIdleMs);
            break;
        }
    }
    ReleaseHeld();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_clientSocket = INVALID_SOCKET;
        closesocket(socket);
    }
    PrintMessage(6, "[WDP][So] UIBC client closed\n");
    m_bServing = false;
}

int UibcSource::HandleReceiveUIBCData(SOCKET socket)
{
    const int ready = WaitReadable(socket);
    if (ready == 0)
        return 1;
    int received = SOCKET_ERROR;
    if (ready > 0)
        received = recv(socket, reinterpret_cast<char*>(m_receiver.FreeSpace()), int(m_receiver.FreeSize()), 0);
    if (received <= 0) {
        PrintMessage(2, "[WDP][So][HandleReceiveUIBCData] recv=%d err=%d\n", received, WSAGetLastError());
        ReleaseHeld();
        if (!m_bClosing)
            seams::Sleep(1000);
        return 0;
    }
    m_lastReceived = GetTickCount();
    if (m_receiver.Received(size_t(received), *this) == UibcResult::Malformed) {
        PrintMessage(2, "[WDP][So][HandleReceiveUIBCData] malformed stream, connection closed\n");
        ReleaseHeld();
        return 0;
    }
    return 1;
}

void UibcSource::Close()
{
    std::lock_guard<std::mutex> serial(m_closeMutex);
    m_bClosing = true;
    m_bUIBCContinue = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_clientAddress.clear();
        if (m_clientSocket != INVALID_SOCKET)
            shutdown(m_clientSocket, SD_BOTH);
    }
    const bool was = m_listener.joinable() || m_client.joinable();
    if (m_listener.joinable())
        m_listener.join();
    if (m_client.joinable())
        m_client.join();
    ReleaseHeld();
    m_bEnabled = false;
    if (was)
        PrintMessage(6, "[WDP][So] UIBC closed\n");
}

void UibcSource::ReleaseHeld()
{
    std::set<uint8_t> keys;
    bool left;
    POINT at;
    {
        std::lock_guard<std::mutex> lock(m_heldMutex);
        keys.swap(m_heldKeys);
        left = m_bLeftHeld;
        at = m_leftAt;
        m_bLeftHeld = false;
    }
    TUibcInputCalls& input = UibcInputCalls();
    for (uint8_t key : keys)
        input.keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    if (left)
        input.mouse_event(MOUSEEVENTF_LEFTUP, DWORD(at.x), DWORD(at.y), 0, 0);
    if (!keys.empty() || left)
        PrintMessage(6, "[WDP][So] UIBC released %d keys%s\n", int(keys.size()), left ? " and the left button" : "");
}

// ---- Injection

void UibcSource::DoMouseEvent(int type, const std::vector<UibcPointer>& pointers)
{
    TUibcInputCalls& input = UibcInputCalls();
    for (size_t i = 0; i < pointers.size(); ++i) {
        const UibcPointer& p = pointers[i];
        if (p.id != int(i))
            PrintMessage(2, "[WDP][So][DoMouseEvent] pointer id %d at place %d\n", p.id, int(i));
        switch (type) {
        case 1:
            input.SetCursorPos(p.x, p.y);
            break;
        case 2:
        case 4: {
            const bool down = type == 2;
            {
                std::lock_guard<std::mutex> lock(m_heldMutex);
                m_bLeftHeld = down;
                m_leftAt = {p.x, p.y};
            }
            input.mouse_event(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, DWORD(p.x), DWORD(p.y), 0, 0);
            break;
        }
        default:
            PrintMessage(2, "[WDP][So][DoMouseEvent] type %d\n", type);
        }
    }
}

void UibcSource::InjectHorizontalScroll(int right)
{
    TUibcInputCalls& input = UibcInputCalls();
    const BYTE arrow = right ? VK_RIGHT : VK_LEFT;
    input.keybd_event(VK_CONTROL, 0, 0, 0);
    input.keybd_event(arrow, 0, 0, 0);
    input.keybd_event(arrow, 0, KEYEVENTF_KEYUP, 0);
    input.keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

void UibcSource::InjectZoom(int mode)
{
    BYTE key = 0;
    switch (mode) {
    case 0:
        key = VK_ADD;
        break;
    case 1:
        key = VK_SUBTRACT;
        break;
    case 2:
        key = VK_ESCAPE;
        break;
    default:
        PrintMessage(2, "[WDP][So][InjectZoom] mode %d\n", mode);
        return;
    }
    TUibcInputCalls& input = UibcInputCalls();
    input.keybd_event(VK_LWIN, 0, 0, 0);
    input.keybd_event(key, 0, 0, 0);
    input.keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    input.keybd_event(VK_LWIN, 0, KEYEVENTF_KEYUP, 0);
}

void UibcSource::InjectRotate(int angle, int fraction)
{
    const int degrees = int((angle + fraction * 0.0039) * 57.29564553093965) % 360;
    const bool up = (degrees > -170 && degrees < 170) || degrees <= -350 || degrees >= 350;
    PrintMessage(6, "[WDP][So][InjectRotate] %d degrees\n", degrees);
    const BYTE arrow = up ? VK_UP : VK_DOWN;
    TUibcInputCalls& input = UibcInputCalls();
    input.keybd_event(VK_CONTROL, 0, 0, 0);
    input.keybd_event(VK_MENU, 0, 0, 0);
    input.keybd_event(arrow, 0, 0, 0);
    input.keybd_event(arrow, 0, KEYEVENTF_KEYUP, 0);
    input.keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    input.keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

void UibcSource::KeyEvent(uint8_t virtualKey, bool up)
{
    {
        std::lock_guard<std::mutex> lock(m_heldMutex);
        if (up)
            m_heldKeys.erase(virtualKey);
        else if (virtualKey)
            m_heldKeys.insert(virtualKey);
    }
    UibcInputCalls().keybd_event(virtualKey, 0, up ? KEYEVENTF_KEYUP : 0, 0);
}

void UibcSource::MoveCursor(int x, int y)
{
    UibcInputCalls().SetCursorPos(x, y);
}

void UibcSource::Wheel(int amount)
{
    UibcInputCalls().mouse_event(MOUSEEVENTF_WHEEL, 0, 0, DWORD(amount), 0);
}

void UibcSource::HidMouse(int dx, int dy, int buttons)
{
    TUibcInputCalls& input = UibcInputCalls();
    input.mouse_event(MOUSEEVENTF_MOVE, DWORD(dx * 10), DWORD(dy * 10), 0, 0);
    POINT cursor = {0, 0};
    input.GetCursorPos(&cursor);
    if (buttons & 128)
        input.mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, DWORD(cursor.x), DWORD(cursor.y), 0, 0);
    if (buttons & 32) {
        input.mouse_event(MOUSEEVENTF_RIGHTDOWN, DWORD(cursor.x), DWORD(cursor.y), 0, 0);
        input.mouse_event(MOUSEEVENTF_RIGHTUP, DWORD(cursor.x), DWORD(cursor.y), 0, 0);
    }
}

void UibcSource::Log(int level, const std::string& line)
{
    PrintMessage(level, "%s", line.c_str());
}

// ---- The source session's operations

int WDPSource::CreateReceiveUIBCDataThread(const std::string& clientAddress)
{
    return m_UIBC.CreateReceiveUIBCDataThread(clientAddress);
}

void WDPSource::SoUIBCEnable(const std::string& clientAddress)
{
    m_UIBC.SetEnabled(true);
    CreateReceiveUIBCDataThread(clientAddress);
    SendDoWork(clientAddress.c_str(), WORK_UIBC_ENABLE, nullptr);
}

void WDPSource::SoUIBCDisable(const std::string& clientAddress)
{
    m_UIBC.m_bUIBCContinue = 0;
    SendDoWork(clientAddress.c_str(), WORK_UIBC_DISABLE, nullptr);
}
