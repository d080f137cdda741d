#pragma once
#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace sim {

// Runs timed tasks on a worker thread of its own. The worker starts when work arrives and
// ends after a spell without work. Inside a DLL the worker keeps the DLL loaded while it
// runs, so that unloading the DLL never pulls the code from under it.
class Engine {
public:
  ~Engine();
  void Schedule(DWORD delayMs, std::function<void()> task);
  // Waits until no task is queued or running; false on time-out.
  bool WaitIdle(DWORD timeoutMs);
  // Drops queued tasks, waits for a running one and for the worker to end.
  void Stop();
  bool OnWorkerThread() const { return GetCurrentThreadId() == workerId_; }

private:
  static DWORD WINAPI ThreadMain(void* self);
  void Run();

  std::mutex mu_;
  std::condition_variable cv_;
  std::multimap<ULONGLONG, std::function<void()>> tasks_;
  bool running_ = false;     // a worker exists
  bool busy_ = false;        // a task is running
  bool stopping_ = false;
  HANDLE thread_ = nullptr;
  DWORD workerId_ = 0;
};

// Module handle of the code this lives in (the DLL when built as one).
HMODULE OwnModule();

}  // namespace sim
