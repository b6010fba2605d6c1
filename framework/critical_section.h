#pragma once

#include <windows.h>

// A lock for the framework's process-wide tables. The program has one UI thread, but the
// tables are shared state and stay guarded.
class CCriticalSection {
 public:
  CCriticalSection() { InitializeCriticalSection(&section); }
  ~CCriticalSection() { DeleteCriticalSection(&section); }
  CCriticalSection(const CCriticalSection&) = delete;
  CCriticalSection& operator=(const CCriticalSection&) = delete;

  void Lock() { EnterCriticalSection(&section); }
  void Unlock() { LeaveCriticalSection(&section); }

 private:
  CRITICAL_SECTION section;
};

class CLockGuard {
 public:
  explicit CLockGuard(CCriticalSection& lock) : lock(lock) { lock.Lock(); }
  ~CLockGuard() { lock.Unlock(); }
  CLockGuard(const CLockGuard&) = delete;
  CLockGuard& operator=(const CLockGuard&) = delete;

 private:
  CCriticalSection& lock;
};
