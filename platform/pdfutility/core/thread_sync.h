// thread_sync.h - the lock and the condition the PDF writer's threads share.
//
//   Mutex       a lock for std::lock_guard and std::unique_lock.
//   Condition   waits on a Mutex held by a std::unique_lock until a
//               predicate holds; notify_one and notify_all wake waiters.
//
// On Windows these are the system's slim reader/writer lock and condition
// variable: they need no kernel object, are made and dropped for nothing,
// and sleep without a round trip to a server where the system is emulated.
// The C++ library's own mutex and condition variable of this tool chain
// are kernel events and semaphores underneath, made lazily and signalled
// through the system, which a conversion does tens of thousands of times.
// Elsewhere (the native builds of the writer) they are the standard ones.
#pragma once

#include <mutex>

#ifdef _WIN32
#include <windows.h>

namespace twpdf {

class Mutex {
 public:
  Mutex() = default;
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;
  void lock() { AcquireSRWLockExclusive(&lock_); }
  bool try_lock() { return TryAcquireSRWLockExclusive(&lock_) != 0; }
  void unlock() { ReleaseSRWLockExclusive(&lock_); }

 private:
  friend class Condition;
  SRWLOCK lock_ = SRWLOCK_INIT;
};

class Condition {
 public:
  Condition() = default;
  Condition(const Condition&) = delete;
  Condition& operator=(const Condition&) = delete;
  template <typename Predicate>
  void wait(std::unique_lock<Mutex>& hold, Predicate done) {
    while (!done()) SleepConditionVariableSRW(&condition_, &hold.mutex()->lock_, INFINITE, 0);
  }
  void notify_one() { WakeConditionVariable(&condition_); }
  void notify_all() { WakeAllConditionVariable(&condition_); }

 private:
  CONDITION_VARIABLE condition_ = CONDITION_VARIABLE_INIT;
};

}  // namespace twpdf

#else
#include <condition_variable>

namespace twpdf {
using Mutex = std::mutex;
using Condition = std::condition_variable;
}  // namespace twpdf
#endif
