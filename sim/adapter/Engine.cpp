#include "Engine.h"

#include <chrono>

namespace sim {

namespace {
constexpr DWORD kIdleExitMs = 500;
}

HMODULE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&OwnModule), &module);
  return module;
}

Engine::~Engine() {
  if (thread_) CloseHandle(thread_);
}

void Engine::Schedule(DWORD delayMs, std::function<void()> task) {
  std::lock_guard<std::mutex> lock(mu_);
  tasks_.emplace(GetTickCount64() + delayMs, std::move(task));
  cv_.notify_all();
  if (running_) return;
  if (thread_) CloseHandle(thread_);
  running_ = true;
  stopping_ = false;
  thread_ = CreateThread(nullptr, 0, &Engine::ThreadMain, this, 0, &workerId_);
  if (!thread_) running_ = false;
}

DWORD WINAPI Engine::ThreadMain(void* self) {
  // Inside a DLL, hold a reference for as long as this thread runs.
  HMODULE pinned = nullptr;
  if (OwnModule() != GetModuleHandleA(nullptr))
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&OwnModule), &pinned);
  static_cast<Engine*>(self)->Run();
  if (pinned) FreeLibraryAndExitThread(pinned, 0);
  return 0;
}

void Engine::Run() {
  std::unique_lock<std::mutex> lock(mu_);
  for (;;) {
    if (stopping_) break;
    if (tasks_.empty()) {
      cv_.notify_all();
      if (!cv_.wait_for(lock, std::chrono::milliseconds(kIdleExitMs), [this] { return stopping_ || !tasks_.empty(); }))
        break;
      continue;
    }
    ULONGLONG now = GetTickCount64();
    auto first = tasks_.begin();
    if (first->first > now) {
      cv_.wait_for(lock, std::chrono::milliseconds(first->first - now));
      continue;
    }
    std::function<void()> task = std::move(first->second);
    tasks_.erase(first);
    busy_ = true;
    lock.unlock();
    task();
    lock.lock();
    busy_ = false;
  }
  running_ = false;
  workerId_ = 0;
  cv_.notify_all();
}

bool Engine::WaitIdle(DWORD timeoutMs) {
  std::unique_lock<std::mutex> lock(mu_);
  if (OnWorkerThread()) return tasks_.empty();
  return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return tasks_.empty() && !busy_; });
}

void Engine::Stop() {
  HANDLE thread = nullptr;
  {
    std::lock_guard<std::mutex> lock(mu_);
    tasks_.clear();
    if (!running_ || OnWorkerThread()) return;
    stopping_ = true;
    cv_.notify_all();
    DuplicateHandle(GetCurrentProcess(), thread_, GetCurrentProcess(), &thread, 0, FALSE, DUPLICATE_SAME_ACCESS);
  }
  if (thread) {
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
  }
}

}  // namespace sim
