// The control surface for tests: exported functions in-process and a named pipe with
// the same text commands for a running program.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "Certs.h"
#include "EntrySupport.h"
#include "PacList.h"
#include "WifiDirect.h"
#include "WpsRun.h"

namespace sim {

namespace {

std::vector<std::string> Tokens(const std::string& line) {
  std::vector<std::string> out;
  std::string cur;
  bool quoted = false, any = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
      if (any) out.push_back(cur);
      cur.clear();
      any = false;
    } else {
      cur += c;
      any = true;
    }
  }
  if (any) out.push_back(cur);
  return out;
}

bool OnOff(const std::string& s, bool& out) {
  if (EqualNoCase(s, "on") || s == "1") {
    out = true;
    return true;
  }
  if (EqualNoCase(s, "off") || s == "0") {
    out = false;
    return true;
  }
  return false;
}

std::string AddNetwork(const std::vector<std::string>& t) {
  IniDoc doc;
  const std::string section = "Network.control";
  for (size_t i = 1; i < t.size(); ++i) {
    size_t eq = t[i].find('=');
    if (eq == std::string::npos) return "error: expected key=value, got " + t[i] + "\n";
    doc.Set(section, t[i].substr(0, eq), t[i].substr(eq + 1));
  }
  Scenario parsed = ScenarioFromIni(doc);
  if (parsed.networks.empty()) return "error: no network\n";
  Network n = parsed.networks.front();
  if (!doc.Has(section, "BSSID")) {
    n.bssid = {0x02, 0x57, 0x56, 0x00, 0x00, 0x00};
    n.bssid[5] = static_cast<uint8_t>(Sim().WithScenario([](const Scenario& s) { return s.networks.size(); }) + 1);
  }
  Sim().AddNetwork(n);
  std::string reply = "ok\n";
  for (const std::string& w : parsed.warnings) reply += "warning: " + w + "\n";
  return reply;
}

const char* kHelp =
    "status | plug N | unplug N | radio hw|sw on|off | add Key=Value... | remove SSID|BSSID\n"
    "set SSID|BSSID RSSI=n InRange=0|1\n"
    "inject ENTRY CALL|* RESULT | journal [clear] | calls ENTRY | scenario PATH | state PATH\n"
    "callback CODE | event direct|display | notready direct|display N | wait [MS]\n"
    "p2pstatus HEX (queues a Wi-Fi Direct status record)\n"
    "wdptable HEX | wdpstatus HEX | wdppeer IFMAC DEVMAC | wdplease MAC IP [FAILS] | wdptdls RESULT [READS]\n"
    "p2p add NAME MAC [KEY=VALUE...] | p2p remove|leave|return|request MAC | p2p error CODE [VALUE [METHODS]]\n"
    "p2p event CODE | p2p queue | p2p disarm | p2p delay MS | certs (hash buffers outstanding) | pac PROFILE (its stored PAC list)\n"
    "claim profiles N (the next count query of the profile list answers N)\n";

}  // namespace

std::string RunCommand(const std::string& line) {
  Sim().EnsureLoaded();
  std::vector<std::string> t = Tokens(line);
  if (t.empty()) return "error: empty command\n";
  const std::string& cmd = t[0];
  long long a = 0, b = 0;
  bool on = false;
  if (EqualNoCase(cmd, "help")) return kHelp;
  if (EqualNoCase(cmd, "status")) return Sim().StatusText();
  if (EqualNoCase(cmd, "certs")) return CertStatus();
  if (EqualNoCase(cmd, "pac") && t.size() >= 2) return PacListStatus(line.substr(line.find(t[1]))) + "\n";
  if ((EqualNoCase(cmd, "plug") || EqualNoCase(cmd, "unplug")) && t.size() == 2 && ParseInt(t[1], a))
    return Sim().PlugAdapter(static_cast<int>(a), EqualNoCase(cmd, "plug")) ? "ok\n" : "error: no such adapter\n";
  if (EqualNoCase(cmd, "radio") && t.size() == 3 && OnOff(t[2], on)) {
    if (EqualNoCase(t[1], "hw")) Sim().SetHardwareRadio(on);
    else if (EqualNoCase(t[1], "sw")) Sim().SetSoftwareRadio(on);
    else return "error: radio hw|sw on|off\n";
    return "ok\n";
  }
  if (EqualNoCase(cmd, "add")) return AddNetwork(t);
  if (EqualNoCase(cmd, "remove") && t.size() == 2)
    return std::to_string(Sim().RemoveNetwork(t[1])) + " removed\n";
  if (EqualNoCase(cmd, "set") && t.size() >= 3) {
    int rssi = Simulator::kKeep, inRange = Simulator::kKeep;
    for (size_t i = 2; i < t.size(); ++i) {
      size_t eq = t[i].find('=');
      std::string key = t[i].substr(0, eq);
      if (eq == std::string::npos || !ParseInt(t[i].substr(eq + 1), a)) return "error: set NETWORK RSSI=n InRange=0|1\n";
      if (EqualNoCase(key, "RSSI")) rssi = static_cast<int>(a);
      else if (EqualNoCase(key, "InRange")) inRange = static_cast<int>(a);
      else return "error: set NETWORK RSSI=n InRange=0|1\n";
    }
    return std::to_string(Sim().ChangeNetwork(t[1], rssi, inRange)) + " changed\n";
  }
  if (EqualNoCase(cmd, "inject") && t.size() == 4 && (t[2] == "*" || ParseInt(t[2], a)) && ParseInt(t[3], b)) {
    Sim().Inject(t[1], t[2] == "*" ? 0 : a, b);
    return "ok\n";
  }
  if (EqualNoCase(cmd, "journal")) {
    if (t.size() == 2 && EqualNoCase(t[1], "clear")) {
      Sim().ClearJournal();
      return "ok\n";
    }
    return Sim().JournalText();
  }
  if (EqualNoCase(cmd, "calls") && t.size() == 2) return std::to_string(Sim().CallCount(t[1])) + "\n";
  if (EqualNoCase(cmd, "scenario") && t.size() == 2) {
    std::string error;
    return Sim().LoadScenario(t[1], error) ? "ok\n" : "error: " + error + "\n";
  }
  if (EqualNoCase(cmd, "state") && t.size() == 2) {
    Sim().SetStatePath(t[1]);
    return "ok\n";
  }
  if (EqualNoCase(cmd, "callback") && t.size() == 2 && ParseInt(t[1], a)) {
    Sim().FireCallback(static_cast<int>(a));
    return "ok\n";
  }
  if (EqualNoCase(cmd, "event") && t.size() == 2)
    return Sim().SignalEvent(EqualNoCase(t[1], "direct")) ? "ok\n" : "error: no event handed over\n";
  if (EqualNoCase(cmd, "p2pstatus") && t.size() == 2) {
    std::vector<uint8_t> record;
    if (!ParseHex(t[1], record) || record.empty() || record.size() > 1808) return "error: p2pstatus HEX (1 to 1808 bytes)\n";
    P2p::Get().QueueRaw(record);
    return "ok\n";
  }
  if (std::string reply; WdpCommand(t, reply)) return reply;
  if (EqualNoCase(cmd, "p2p")) return P2p::Get().Command(t);
  if (EqualNoCase(cmd, "notready") && t.size() == 3 && ParseInt(t[2], a)) {
    Sim().SetNotReady(EqualNoCase(t[1], "direct"), static_cast<int>(a));
    return "ok\n";
  }
  if (EqualNoCase(cmd, "claim") && t.size() == 3 && EqualNoCase(t[1], "profiles") && ParseInt(t[2], a)) {
    ClaimProfileCount(a);
    return "ok\n";
  }
  if (EqualNoCase(cmd, "wps") && t.size() == 2 && EqualNoCase(t[1], "button")) {
    WpsRun::Get().PressButton();
    return "ok\n";
  }
  if (EqualNoCase(cmd, "wait")) {
    if (t.size() == 2 && !ParseInt(t[1], a)) return "error: wait [MS]\n";
    return Sim().WaitIdle(static_cast<DWORD>(t.size() == 2 ? a : 10000)) ? "ok\n" : "error: still busy\n";
  }
  return "error: unknown command; try help\n";
}

// ---------------------------------------------------------------------------------------------
// The pipe

namespace {

class ControlPipe {
public:
  void Start() {
    std::lock_guard<std::mutex> lock(mu_);
    if (thread_) return;
    name_ = EnvPipeName();
    if (EqualNoCase(name_, "none")) return;
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &ControlPipe::ThreadMain, this, 0, nullptr);
    Sim().Journal("control pipe " + name_);
  }
  void Stop() {
    HANDLE thread;
    {
      std::lock_guard<std::mutex> lock(mu_);
      thread = thread_;
      thread_ = nullptr;
    }
    if (!thread) return;
    SetEvent(stop_);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(stop_);
    stop_ = nullptr;
  }
  std::string Name() {
    std::lock_guard<std::mutex> lock(mu_);
    return name_.empty() ? EnvPipeName() : name_;
  }

private:
  static std::string EnvPipeName() {
    char buf[256] = {};
    DWORD n = GetEnvironmentVariableA("WEVO_SIM_PIPE", buf, sizeof buf);
    if (n > 0 && n < sizeof buf) return buf;
    return "\\\\.\\pipe\\WevoSim." + std::to_string(GetCurrentProcessId());
  }

  static DWORD WINAPI ThreadMain(void* self) {
    HMODULE pinned = nullptr;
    if (OwnModule() != GetModuleHandleA(nullptr))
      GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&OwnModule), &pinned);
    static_cast<ControlPipe*>(self)->Serve();
    if (pinned) FreeLibraryAndExitThread(pinned, 0);
    return 0;
  }

  void Serve() {
    HANDLE connected = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    for (;;) {
      HANDLE pipe = CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                     PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES, 65536,
                                     4096, 0, nullptr);
      if (pipe == INVALID_HANDLE_VALUE) {
        Sim().Journal("control pipe not created: error " + std::to_string(GetLastError()));
        break;
      }
      OVERLAPPED ov = {};
      ov.hEvent = connected;
      ResetEvent(connected);
      BOOL ok = ConnectNamedPipe(pipe, &ov);
      DWORD err = ok ? ERROR_PIPE_CONNECTED : GetLastError();
      if (err == ERROR_IO_PENDING) {
        HANDLE waits[2] = {stop_, connected};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
          CancelIo(pipe);
          CloseHandle(pipe);
          break;
        }
        DWORD unused = 0;
        err = GetOverlappedResult(pipe, &ov, &unused, FALSE) ? ERROR_PIPE_CONNECTED : GetLastError();
      }
      if (err == ERROR_PIPE_CONNECTED) Answer(pipe, connected);
      DisconnectNamedPipe(pipe);
      CloseHandle(pipe);
    }
    CloseHandle(connected);
  }

  // Reads one command line and writes its answer.
  void Answer(HANDLE pipe, HANDLE event) {
    std::string line;
    char buf[512];
    while (line.find('\n') == std::string::npos && line.size() < 8192) {
      OVERLAPPED ov = {};
      ov.hEvent = event;
      ResetEvent(event);
      DWORD got = 0;
      if (!ReadFile(pipe, buf, sizeof buf, &got, &ov)) {
        if (GetLastError() != ERROR_IO_PENDING) break;
        HANDLE waits[2] = {stop_, event};
        if (WaitForMultipleObjects(2, waits, FALSE, 5000) != WAIT_OBJECT_0 + 1) {
          CancelIo(pipe);
          return;
        }
        if (!GetOverlappedResult(pipe, &ov, &got, FALSE)) break;
      }
      if (got == 0) break;
      line.append(buf, got);
    }
    std::string reply = RunCommand(line.substr(0, line.find('\n')));
    OVERLAPPED ov = {};
    ov.hEvent = event;
    ResetEvent(event);
    DWORD written = 0;
    if (!WriteFile(pipe, reply.data(), static_cast<DWORD>(reply.size()), &written, &ov) &&
        GetLastError() == ERROR_IO_PENDING)
      GetOverlappedResult(pipe, &ov, &written, TRUE);
    FlushFileBuffers(pipe);
  }

  std::mutex mu_;
  HANDLE thread_ = nullptr;
  HANDLE stop_ = nullptr;
  std::string name_;
};

ControlPipe& Pipe() {
  static ControlPipe* pipe = new ControlPipe();
  return *pipe;
}

int CopyOut(const std::string& text, char* out, int size) {
  if (out && size > 0) {
    size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(out, text.data(), n);
    out[n] = 0;
  }
  return static_cast<int>(text.size()) + 1;
}

}  // namespace

void StartControlPipe() { Pipe().Start(); }
void StopControlPipe() { Pipe().Stop(); }

}  // namespace sim

using namespace sim;

// Exported control functions (C calling convention).
extern "C" {

__declspec(dllexport) int SimLoadScenario(const char* path) {
  std::string error;
  return Sim().LoadScenario(path ? path : "", error) ? 1 : 0;
}

__declspec(dllexport) int SimSetStateFile(const char* path) {
  Sim().EnsureLoaded();
  Sim().SetStatePath(path ? path : "");
  return 1;
}

// -1 leaves a switch as it is.
__declspec(dllexport) int SimSetRadio(int hardware, int software) {
  Sim().EnsureLoaded();
  if (hardware >= 0) Sim().SetHardwareRadio(hardware != 0);
  if (software >= 0) Sim().SetSoftwareRadio(software != 0);
  return 1;
}

__declspec(dllexport) int SimPlugAdapter(int index, int present) {
  Sim().EnsureLoaded();
  return Sim().PlugAdapter(index, present != 0);
}

// call 0 injects into every call from now on.
__declspec(dllexport) int SimInjectResult(const char* entry, int call, int result) {
  if (!entry) return 0;
  Sim().Inject(entry, call, result);
  return 1;
}

// Copies the journal; returns the size it needs, terminating zero included.
__declspec(dllexport) int SimJournal(char* buffer, int size) { return CopyOut(Sim().JournalText(), buffer, size); }

__declspec(dllexport) void SimJournalClear() { Sim().ClearJournal(); }

__declspec(dllexport) int SimCallCount(const char* entry) {
  return entry ? static_cast<int>(Sim().CallCount(entry)) : 0;
}

__declspec(dllexport) int SimCommand(const char* line, char* out, int size) {
  return CopyOut(RunCommand(line ? line : ""), out, size);
}

__declspec(dllexport) int SimWaitIdle(int timeoutMs) { return Sim().WaitIdle(static_cast<DWORD>(timeoutMs)) ? 1 : 0; }

__declspec(dllexport) int SimPipeName(char* out, int size) { return CopyOut(Pipe().Name(), out, size); }

// Ends the simulator's threads (control pipe, timed work) and writes the state file.
__declspec(dllexport) void SimShutdown() {
  StopControlPipe();
  P2p::Get().Stop();
  Sim().Shutdown();
}

}  // extern "C"
