// The source's I2C back channel to the sink and the session's test operations.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include "core/Log.h"
#include "wifidisplay/WDPResolutionTables.h"
#include "wifidisplay/WDPSource.h"

std::atomic<int> WDPSource::i2cReplyWaitMs{1500};

namespace {

constexpr int kConnectWaitSec = 3;
constexpr int kConnectWaitUsec = 3000;
constexpr uint8_t kI2CRefused = 0x80;
constexpr uint8_t kI2CWriteDone = 1;

template <size_t N>
int RowOf(const WDPResolution (&table)[N], int width, int height, int frameRate)
{
    for (size_t n = 0; n < N; ++n)
        if (table[n].width == width && table[n].height == height && table[n].frameRate == frameRate)
            return int(n);
    return -1;
}

int Judge(const char* name, int row, int width, int height, int frameRate)
{
    if (row >= 0)
        return row;
    PrintMessage(2, "[WDP][%s] no row for %dx%d at %d\n", name, width, height, frameRate);
    return 0;
}

// The row a format code of the driver's video array names, or nullptr outside the three ranges.
const WDPResolution* RowOfCode(int code)
{
    if (code >= 2 && code <= 18)
        return &kCEAResolutions[code - 2];
    if (code >= 20 && code <= 49)
        return &kVESAResolutions[code - 20];
    if (code >= 51 && code <= 62)
        return &kHHResolutions[code - 51];
    return nullptr;
}

// Connects a non-blocking socket, waiting at most 3 s for it; true when connected.
bool ConnectWithin(SOCKET s, const sockaddr_in& to)
{
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    bool connected = connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
    const int error = connected ? 0 : WSAGetLastError();
    if (!connected && error == WSAEWOULDBLOCK) {
        fd_set readable, writable, failed;
        FD_ZERO(&readable);
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &readable);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        timeval wait = {kConnectWaitSec, kConnectWaitUsec};
        const int ready = select(0, &readable, &writable, &failed, &wait);
        int pending = 0;
        int size = sizeof pending;
        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&pending), &size);
        if (ready <= 0)
            PrintMessage(2, "[WDP][InitI2CSocket] connect timed out\n");
        else if (pending != 0 || FD_ISSET(s, &failed))
            PrintMessage(2, "[WDP][InitI2CSocket] connect failed, pending error=%d\n", pending);
        else
            connected = true;
    } else if (!connected) {
        PrintMessage(2, "[WDP][InitI2CSocket] connect error=%d\n", error);
    }
    nonBlocking = 0;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    return connected;
}

// Waits up to ms for the socket to become readable.
bool Readable(SOCKET s, int ms)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    timeval wait = {ms / 1000, (ms % 1000) * 1000};
    return select(0, &readable, nullptr, nullptr, &wait) > 0;
}

// Discards what a peer sent beyond an earlier reply, so that it is not read as the next one.
void DrainStale(SOCKET s)
{
    char scratch[512];
    for (int round = 0; round < 128 && Readable(s, 0); ++round)
        if (recv(s, scratch, sizeof scratch, 0) <= 0)
            return;
}

} // namespace

int JudgeCEAResolationBit(int width, int height, int frameRate)
{
    return Judge("JudgeCEAResolationBit", RowOf(kCEAResolutions, width, height, frameRate), width, height, frameRate);
}

int JudgeVESAResolationBit(int width, int height, int frameRate)
{
    return Judge("JudgeVESAResolationBit", RowOf(kVESAResolutions, width, height, frameRate), width, height, frameRate);
}

int JudgeHHResolationBit(int width, int height, int frameRate)
{
    return Judge("JudgeHHResolationBit", RowOf(kHHResolutions, width, height, frameRate), width, height, frameRate);
}

int DecideVideoFormatBit(int width, int height, int frameRate, int table)
{
    switch (table) {
    case 0: return JudgeCEAResolationBit(width, height, frameRate);
    case 1: return JudgeVESAResolationBit(width, height, frameRate);
    case 2: return JudgeHHResolationBit(width, height, frameRate);
    default: return -1;
    }
}

int GetTimeOfDay(long* seconds, long* microseconds)
{
    static std::mutex mu;
    static bool started = false;
    static long long offsetUsec = 0;  // wall clock minus the performance counter
    static LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    std::lock_guard<std::mutex> lock(mu);
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    const long long counterUsec =
        counter.QuadPart / frequency.QuadPart * 1000000 + counter.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
    if (!started) {
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
        const long long unixMs = (ticks - 116444736000000000LL) / 10000;  // 100 ns ticks since 1601
        offsetUsec = unixMs * 1000 - counterUsec;
        started = true;
    }
    const long long usec = counterUsec + offsetUsec;
    *seconds = long(usec / 1000000);
    *microseconds = long(usec % 1000000);
    return 0;
}

// ---- I2C client

void WDPSource::InitI2CSocket()
{
    if (m_SI2C_SO) {
        closesocket(m_SI2C_SO);
        m_SI2C_SO = 0;
    }
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        PrintMessage(2, "[WDP][InitI2CSocket] socket error=%d\n", WSAGetLastError());
        return;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        PrintMessage(2, "[WDP][InitI2CSocket] bind error=%d\n", WSAGetLastError());
        closesocket(s);
        return;
    }
    m_SI2C_SO = s;
    const WDPSourceSessionState state = SessionState();
    if (state.sinkI2CPort <= 0) {
        PrintMessage(2, "[WDP][InitI2CSocket] m_iSinkI2CPort=%d, not connected\n", state.sinkI2CPort);
        return;
    }
    sockaddr_in sink{};
    sink.sin_family = AF_INET;
    sink.sin_port = htons(u_short(state.sinkI2CPort));
    if (state.sinkI2CPort > 65535 || inet_pton(AF_INET, state.priSinkIP.c_str(), &sink.sin_addr) != 1) {
        PrintMessage(2, "[WDP][InitI2CSocket] no sink at \"%s\" port %d\n", state.priSinkIP.c_str(), state.sinkI2CPort);
        closesocket(s);
        m_SI2C_SO = 0;
        return;
    }
    if (!ConnectWithin(s, sink)) {
        closesocket(s);
        m_SI2C_SO = 0;
        return;
    }
    PrintMessage(6, "[WDP][InitI2CSocket] connected to %s:%d\n", state.priSinkIP.c_str(), state.sinkI2CPort);
}

int WDPSource::SendI2CRequest(const char* name, const uint8_t* request, int length, int replyLength)
{
    if (!m_SI2C_SO)
        InitI2CSocket();
    if (!m_SI2C_SO) {
        PrintMessage(2, "[WDP][%s] no I2C socket\n", name);
        return 0;
    }
    DrainStale(m_SI2C_SO);
    const int result = send(m_SI2C_SO, reinterpret_cast<const char*>(request), length, 0);
    if (result < 0) {
        PrintMessage(2, "[WDP][%s] send %s error nResult=%d\n", name, request[0] == 0 ? "Readrequest" : "Writerequest",
                     result);
        return 0;
    }
    ReadI2CReply(name, replyLength, request[length - 1]);
    return 1;
}

// Reads at most replyLength bytes of the sink's answer and checks them; a read answer is
// 0, the count and count bytes, a write answer the single byte 1; a first byte with bit 7
// set is a refusal.
void WDPSource::ReadI2CReply(const char* name, int replyLength, int count)
{
    std::vector<uint8_t> reply(size_t(replyLength), 0);
    int got = 0;
    const DWORD start = GetTickCount();
    while (got < replyLength) {
        const int left = i2cReplyWaitMs - int(GetTickCount() - start);
        if (left < 0 || !Readable(m_SI2C_SO, left))
            break;
        const int n = recv(m_SI2C_SO, reinterpret_cast<char*>(reply.data()) + got, replyLength - got, 0);
        if (n <= 0)
            break;
        got += n;
        if (reply[0] & kI2CRefused)
            break;
    }
    if (got == 0) {
        PrintMessage(2, "[WDP][%s] no reply\n", name);
        return;
    }
    if (reply[0] & kI2CRefused) {
        PrintMessage(2, "[WDP][%s] refused by the sink\n", name);
        return;
    }
    const bool read = replyLength > 1;
    const bool good = read ? got == replyLength && reply[0] == 0 && reply[1] == count
                           : reply[0] == kI2CWriteDone;
    if (!good) {
        PrintMessage(2, "[WDP][%s] malformed reply of %d bytes (first %02X)\n", name, got, reply[0]);
        return;
    }
    PrintMessage(6, "[WDP][%s] reply of %d bytes\n", name, got);
}

int WDPSource::SendReadRequest(int deviceAddress, int count)
{
    const uint8_t device = uint8_t(deviceAddress), bytes = uint8_t(count);
    const uint8_t request[9] = {0, 1, device, 1, 0, 1, 0, device, bytes};
    return SendI2CRequest("SendReadRequest", request, sizeof request, 2 + bytes);
}

int WDPSource::SendWriteRequest(int deviceAddress, int)
{
    const uint8_t request[4] = {1, uint8_t(deviceAddress), 1, 0};
    return SendI2CRequest("SendWriteRequest", request, sizeof request, 1);
}

// ---- Test operations

void WDPSource::SigmaFrameskip(int frameRate)
{
    PrintMessage(6, "[WDP][SigmaFrameskip] %d\n", frameRate);
    StopCapture();
    if (WFD_SetFPS)
        WFD_SetFPS(frameRate);
    StartCapture(0, 0);
}

void WDPSource::SigmaI2C(int item)
{
    int value = item;
    SendDoWork(SessionState().connectingClientIP.c_str(), WORK_I2C_TEST, &value);
}

void WDPSource::SigmaAVFormatChange(int code)
{
    long seconds = 0, microseconds = 0;
    GetTimeOfDay(&m_lSessionStartSec, &m_lSessionStartUsec);
    GetTimeOfDay(&seconds, &microseconds);
    const unsigned dts =
        unsigned((long long)(seconds - m_lSessionStartSec) * 1000000 + (microseconds - m_lSessionStartUsec));
    WDP_FORMAT_CHANGE_TIMING timing{};
    std::snprintf(timing.PTS, sizeof timing.PTS, "%010u", dts + 100);
    std::snprintf(timing.DTS, sizeof timing.DTS, "%010u", dts);
    timing.Table = code > 50 ? 2 : code >= 20 ? 1 : 0;
    if (const WDPResolution* row = RowOfCode(code)) {
        if (row->width < 0)
            PrintMessage(2, "[WDP][SigmaAVFormatChange] code %d is an interlaced format, resolution kept\n", code);
        else {
            m_iTestWidth = row->width;
            m_iTestHeight = row->height;
            m_iTestFrameRate = row->frameRate;
        }
    } else {
        PrintMessage(2, "[WDP][SigmaAVFormatChange] code %d names no row, resolution kept\n", code);
    }
    timing.FormatBit = DecideVideoFormatBit(m_iTestWidth, m_iTestHeight, m_iTestFrameRate, timing.Table);
    PrintMessage(6, "[WDP][SigmaAVFormatChange] code %d: %dx%d at %d, table %d bit %d PTS %s DTS %s\n", code,
                 m_iTestWidth, m_iTestHeight, m_iTestFrameRate, timing.Table, timing.FormatBit, timing.PTS, timing.DTS);
    StopCapture();
    if (WFD_SetFPS)
        WFD_SetFPS(m_iTestFrameRate);
    else
        PrintMessage(2, "[WDP][SigmaAVFormatChange] WFD_SetFPS=NULL\n");
    if (WFD_SetCaptureResolution)
        WFD_SetCaptureResolution(m_iTestWidth, m_iTestHeight);
    else
        PrintMessage(2, "[WDP][SigmaAVFormatChange] WFD_SetCaptureResolution=NULL\n");
    SendDoWork(SessionState().priSinkIP.c_str(), WORK_FORMAT_CHANGE, &timing);
    StartCapture(0, 0);
}
