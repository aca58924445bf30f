// Threads and synchronisation: TThread with calls marshalled onto the main
// thread (Synchronize, Queue, CheckSynchronize), and the lock and event
// objects the libraries share (TCriticalSection, TEvent, the multi-reader lock).
//
// Vocabulary: the main thread is the one that runs the message loop; it was
// the first to touch this module unless SetMainThread re-designated another.
// A worker is any other thread. Thread ids are small numbers handed out per
// thread by this module, 0 meaning "no thread".
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/object.h"

using TThreadID = uint32_t;
using TThreadMethod = std::function<void()>;

// Waits without a limit (milliseconds).
constexpr uint32_t INFINITE = 0xFFFFFFFF;

// The run-time library's multi-thread flag: raised by the first thread that
// starts, or earlier by a unit that will run workers, and never lowered.
extern std::atomic<bool> IsMultiThread;

enum TThreadPriority : uint8_t { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread;

// Frees an owned thread the way the framework's Free does: FreeOnTerminate is
// cleared (the owner frees it), then Terminate, then a wait for the thread to
// end, during which the main thread keeps serving calls a worker is blocked on.
// Waiting here, before any destructor runs, keeps the derived part alive for as
// long as Execute may use it.
struct TThreadDeleter {
  void operator()(TThread* thread) const noexcept;
};
template <class T>
using TThreadPtr = std::unique_ptr<T, TThreadDeleter>;

class TThread : public TObject {
  DX_CLASS(TThread, TObject)
public:
  // A thread created suspended waits for Start; otherwise it starts once fully
  // built, which C++ can only tell from outside: use Create/CreateFreeOnTerminate,
  // or call AfterConstruction after constructing it yourself.
  explicit TThread(bool createSuspended);
  // Terminates and joins a thread still running; prefer TThreadPtr, which does
  // so before the derived part is destroyed.
  ~TThread() override;
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  template <class T, class... Args>
  static TThreadPtr<T> Create(Args&&... args) {
    TThreadPtr<T> t(new T(std::forward<Args>(args)...));
    t->AfterConstruction();
    return t;
  }
  // The thread owns itself and is freed after Execute and OnTerminate. The
  // pointer returned is only good until the thread is started: afterwards the
  // object may be gone at any moment.
  template <class T, class... Args>
  static T* CreateFreeOnTerminate(Args&&... args) {
    std::unique_ptr<T> t(new T(std::forward<Args>(args)...));
    t->SetFreeOnTerminate(true);
    t->AfterConstruction();
    return t.release();
  }

  void AfterConstruction();  // starts the thread unless it was created suspended
  void Start();              // EThread when already started
  void Resume();             // starts a thread not yet started; otherwise nothing
  // Only asks: Execute must poll Terminated(). A thread terminated before it
  // got going skips Execute.
  void Terminate();
  // Waits for the thread to end and returns ReturnValue. On the main thread it
  // keeps running synchronised and queued calls meanwhile (an exception of a
  // queued call propagates out of it). EThread when the thread was never
  // started, is the caller, or frees itself (it would vanish under the wait).
  int32_t WaitFor();

  bool Started() const { return started_.load(); }
  bool Suspended() const { return !started_.load(); }
  bool Terminated() const { return terminated_.load(); }
  bool Finished() const { return finished_.load(); }
  TThreadID ThreadID() const { return threadID_.load(); }
  bool FreeOnTerminate() const { return freeOnTerminate_.load(); }
  void SetFreeOnTerminate(bool v) { freeOnTerminate_.store(v); }
  int32_t ReturnValue() const { return returnValue_.load(); }
  void SetReturnValue(int32_t v) { returnValue_.store(v); }
  TThreadPriority Priority() const { return priority_.load(); }
  void SetPriority(TThreadPriority v) { priority_.store(v); }  // advisory: not passed to the scheduler
  // The exception that escaped Execute (or OnTerminate), null when none.
  std::exception_ptr FatalException() const;

  // Runs on the main thread through Synchronize after Execute ends, before the
  // thread counts as finished.
  std::function<void(TObject* sender)> OnTerminate;

  // Runs method on the main thread and waits for it; re-raises here whatever it
  // raised. On the main thread it simply calls it.
  void Synchronize(TThreadMethod method) { Synchronize(this, std::move(method)); }
  static void Synchronize(TThread* thread, TThreadMethod method);
  // Posts method to the main thread without waiting; FIFO with Synchronize. On
  // the main thread it runs at once. Calls queued with a thread are dropped when
  // that thread object is destroyed.
  void Queue(TThreadMethod method) { Queue(this, std::move(method)); }
  static void Queue(TThread* thread, TThreadMethod method);
  static void RemoveQueuedEvents(TThread* thread);

  static TThreadID CurrentThreadID();
  static TThreadID MainThreadID();
  static bool IsMainThread() { return CurrentThreadID() == MainThreadID(); }
  static void SetMainThread();  // the calling thread becomes the main thread
  // The TThread object running the calling thread, null for other threads.
  static TThread* Current();
  // Terminated() of Current(); false outside a TThread.
  static bool CheckTerminated();

protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();   // calls OnTerminate through Synchronize
  virtual void TerminatedSet() {}  // after Terminate set the flag, on the caller's thread

private:
  friend struct TThreadDeleter;
  bool StartIfNotStarted();
  void Run();
  void Join();
  void StopAndJoin() noexcept;  // the destroy path: never throws, never drops pending work

  mutable std::mutex mutex_;  // Start, the free-or-keep decision, FatalException
  std::mutex joinMutex_;      // apart from mutex_: the thread takes mutex_ on its way out
  std::thread thread_;
  bool createSuspended_;
  std::atomic<bool> started_{false};
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::atomic<bool> freeOnTerminate_{false};
  std::atomic<TThreadID> threadID_{0};
  std::atomic<int32_t> returnValue_{0};
  std::atomic<TThreadPriority> priority_{tpNormal};
  std::exception_ptr fatalException_;
};

// Runs the synchronised and queued calls waiting for the main thread, in the
// order they were posted; returns whether any ran. With a timeout it first
// waits up to that long for one to arrive. EThread off the main thread.
bool CheckSynchronize(int timeoutMs = 0);

// Called, on the posting thread, whenever work is posted for the main thread,
// so that a message loop blocked in its own wait wakes up and calls
// CheckSynchronize. Empty by default.
std::function<void()> WakeMainThread();
void SetWakeMainThread(std::function<void()> handler);

// ---------------------------------------------------------------------------

class TSynchroObject : public TObject {
  DX_CLASS(TSynchroObject, TObject)
public:
  virtual void Acquire() = 0;
  virtual void Release() = 0;
};

// Recursive: the owning thread may enter again; it must leave as often.
class TCriticalSection : public TSynchroObject {
  DX_CLASS(TCriticalSection, TSynchroObject)
public:
  void Acquire() override { mutex_.lock(); }
  void Release() override { mutex_.unlock(); }
  void Enter() { Acquire(); }
  void Leave() { Release(); }
  bool TryEnter() { return mutex_.try_lock(); }

private:
  std::recursive_mutex mutex_;
};

// Holds a lock for one scope.
class TLockGuard {
public:
  explicit TLockGuard(TSynchroObject& lock) : lock_(lock) { lock_.Acquire(); }
  ~TLockGuard() { lock_.Release(); }
  TLockGuard(const TLockGuard&) = delete;
  TLockGuard& operator=(const TLockGuard&) = delete;

private:
  TSynchroObject& lock_;
};

enum TWaitResult : uint8_t { wrSignaled, wrTimeout, wrAbandoned, wrError, wrIOCompletion };

// A manual-reset event stays signalled until ResetEvent and releases every
// waiter; an auto-reset event releases one waiter and resets itself.
class TEvent : public TObject {
  DX_CLASS(TEvent, TObject)
public:
  TEvent() : TEvent(true, false) {}
  TEvent(bool manualReset, bool initialState) : manualReset_(manualReset), signaled_(initialState) {}
  void SetEvent();
  void ResetEvent();
  TWaitResult WaitFor(uint32_t timeoutMs = INFINITE);
  bool ManualReset() const { return manualReset_; }

private:
  const bool manualReset_;
  bool signaled_;
  std::mutex mutex_;
  std::condition_variable cv_;
};

// Manual reset, not signalled at first.
class TSimpleEvent : public TEvent {
  DX_CLASS(TSimpleEvent, TEvent)
public:
  TSimpleEvent() : TEvent(true, false) {}
};

// Many readers or one writer. Both kinds nest per thread; the writer may also
// read. Writers go first: a new reader waits while a writer is waiting. A
// reader that asks to write gives up its reads while it waits (two such
// readers would otherwise block each other), so another writer may get in
// first: BeginWrite then returns false, and what was read must be read again.
class TMultiReadExclusiveWriteSynchronizer : public TObject {
  DX_CLASS(TMultiReadExclusiveWriteSynchronizer, TObject)
public:
  void BeginRead();
  void EndRead();    // EThread when the calling thread holds no read
  bool BeginWrite(); // true when no other thread wrote since the call began
  void EndWrite();   // EThread when the calling thread is not the writer
  // How often the write lock has been granted, for callers that cache data.
  uint32_t RevisionLevel() const;

private:
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  TThreadID writer_ = 0;
  int32_t writeDepth_ = 0;
  int32_t waitingWriters_ = 0;
  uint32_t revision_ = 0;
  std::unordered_map<TThreadID, int32_t> reads_;  // per thread, nesting depth
};
using TMREWSync = TMultiReadExclusiveWriteSynchronizer;
