#include "platform/classes/threads.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <string>
#include <system_error>

namespace {

// A Synchronize caller blocks on this until the main thread has run its call.
struct SyncWaiter {
  std::condition_variable cv;
  bool done = false;
  std::exception_ptr error;
};

struct SyncRequest {
  TThreadMethod method;
  TThread* thread;     // token for RemoveQueuedEvents; may be null
  SyncWaiter* waiter;  // null for Queue
};

struct SyncState {
  std::mutex mutex;
  std::condition_variable cv;  // the main thread's wake-up: work posted, or a thread finished
  std::deque<SyncRequest> queue;
  int32_t synchronous = 0;  // requests in the queue whose poster is blocked
  std::function<void()> wake;
};

// Never destroyed: detached self-freeing threads may still post while statics die.
SyncState& Sync() {
  static SyncState* state = new SyncState;
  return *state;
}

std::atomic<TThreadID> g_nextThreadID{1};
std::atomic<TThreadID> g_mainThreadID{0};
thread_local TThreadID t_threadID = 0;
thread_local TThread* t_current = nullptr;

TThreadID AllocateThreadID() { return g_nextThreadID.fetch_add(1); }

[[maybe_unused]] const bool g_mainThreadRecorded = (TThread::MainThreadID(), true);

// Runs what is queued at the moment of the call (calls posted meanwhile wait for
// the next round, so a busy worker cannot keep the main thread here). A
// synchronous call's exception goes back to its poster; a queued call's
// exception propagates, leaving the rest queued.
bool RunPending(bool synchronousOnly) {
  SyncState& s = Sync();
  std::unique_lock lk(s.mutex);
  bool ran = false;
  for (size_t budget = s.queue.size(); budget > 0; --budget) {
    auto it = synchronousOnly
                  ? std::find_if(s.queue.begin(), s.queue.end(), [](const SyncRequest& r) { return r.waiter; })
                  : s.queue.begin();
    if (it == s.queue.end()) break;
    SyncRequest r = std::move(*it);
    s.queue.erase(it);
    if (r.waiter) --s.synchronous;
    lk.unlock();
    ran = true;
    if (r.waiter) {
      std::exception_ptr error;
      try {
        if (r.method) r.method();
      } catch (...) {
        error = std::current_exception();
      }
      lk.lock();
      r.waiter->error = error;
      r.waiter->done = true;
      r.waiter->cv.notify_one();  // under the lock: the waiter lives on its thread's stack
    } else {
      r.method();
      lk.lock();
    }
  }
  return ran;
}

// Queues a request and returns the wake-up hook, to be called outside the lock.
std::function<void()> Enqueue(SyncRequest request) {
  SyncState& s = Sync();
  std::lock_guard lk(s.mutex);
  s.queue.push_back(std::move(request));
  if (s.queue.back().waiter) ++s.synchronous;
  s.cv.notify_all();
  return s.wake;
}

}  // namespace

// --- TThread ---------------------------------------------------------------

std::atomic<bool> IsMultiThread{false};

TThread::TThread(bool createSuspended) : createSuspended_(createSuspended) {}

TThread::~TThread() {
  StopAndJoin();
  // Only a thread freeing itself gets here still joinable: it cannot join itself.
  if (thread_.joinable()) thread_.detach();
  RemoveQueuedEvents(this);
}

void TThreadDeleter::operator()(TThread* thread) const noexcept {
  if (!thread) return;
  thread->SetFreeOnTerminate(false);  // the owner frees it, not the thread
  thread->StopAndJoin();
  delete thread;
}

void TThread::AfterConstruction() {
  if (!createSuspended_) StartIfNotStarted();
}

bool TThread::StartIfNotStarted() {
  std::lock_guard lk(mutex_);
  if (started_) return false;
  const TThreadID id = AllocateThreadID();
  try {
    // Run waits for mutex_, so thread_ is stored before anything can free the object.
    IsMultiThread = true;
    thread_ = std::thread([this, id] {
      t_threadID = id;
      Run();
    });
  } catch (const std::system_error& e) {
    throw EThread(std::string("Thread creation error: ") + e.what());
  }
  threadID_ = id;
  started_ = true;
  return true;
}

void TThread::Start() {
  if (!StartIfNotStarted()) throw EThread("Cannot call Start on a running or suspended thread");
}

void TThread::Resume() { StartIfNotStarted(); }

void TThread::Terminate() {
  terminated_ = true;
  TerminatedSet();
}

void TThread::Run() {
  { std::lock_guard lk(mutex_); }
  t_current = this;
  // A thread terminated before it got going skips Execute but still ends normally.
  if (!terminated_) {
    try {
      Execute();
    } catch (...) {
      std::lock_guard lk(mutex_);
      fatalException_ = std::current_exception();
    }
  }
  try {
    DoTerminate();
  } catch (...) {
    std::lock_guard lk(mutex_);
    if (!fatalException_) fatalException_ = std::current_exception();
  }
  // FreeOnTerminate is read only now: an owner may clear it while OnTerminate
  // is pending and then wait for the thread and free it itself.
  bool freeSelf;
  {
    std::lock_guard lk(mutex_);
    freeSelf = freeOnTerminate_;
    finished_ = true;
  }
  {
    SyncState& s = Sync();
    std::lock_guard lk(s.mutex);
    s.cv.notify_all();
  }
  if (freeSelf) delete this;  // the destructor sees it runs on this thread and detaches
  t_current = nullptr;
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Join() {
  std::lock_guard lk(joinMutex_);
  if (thread_.joinable()) thread_.join();
}

int32_t TThread::WaitFor() {
  if (!started_) throw EThread("Cannot call WaitFor on a thread that was never started");
  if (t_current == this) throw EThread("A thread cannot wait for itself");
  if (freeOnTerminate_) throw EThread("Cannot call WaitFor on a thread that frees itself");
  if (IsMainThread()) {
    // The thread may need the main thread (Synchronize, OnTerminate) to end.
    SyncState& s = Sync();
    for (;;) {
      {
        std::unique_lock lk(s.mutex);
        s.cv.wait(lk, [&] { return finished_ || !s.queue.empty(); });
        if (finished_) break;
      }
      RunPending(false);
    }
  }
  Join();
  return returnValue_;
}

void TThread::StopAndJoin() noexcept {
  if (!started_ || t_current == this) return;
  Terminate();
  if (IsMainThread()) {
    // Serve only the calls a worker is blocked on; queued calls stay for the
    // next CheckSynchronize, where their exceptions have somewhere to go.
    SyncState& s = Sync();
    for (;;) {
      {
        std::unique_lock lk(s.mutex);
        s.cv.wait(lk, [&] { return finished_ || s.synchronous > 0; });
        if (finished_) break;
      }
      RunPending(true);
    }
  }
  Join();
}

std::exception_ptr TThread::FatalException() const {
  std::lock_guard lk(mutex_);
  return fatalException_;
}

void TThread::Synchronize(TThread* thread, TThreadMethod method) {
  if (!method) return;
  if (IsMainThread()) {
    method();
    return;
  }
  SyncWaiter waiter;
  SyncState& s = Sync();
  if (auto wake = Enqueue({std::move(method), thread, &waiter})) {
    try {
      wake();
    } catch (...) {
      // Take the request back unless the main thread already has it: the
      // waiter must outlive any use of it.
      std::unique_lock lk(s.mutex);
      auto it = std::find_if(s.queue.begin(), s.queue.end(), [&](const SyncRequest& r) { return r.waiter == &waiter; });
      if (it != s.queue.end()) {
        s.queue.erase(it);
        --s.synchronous;
      } else {
        waiter.cv.wait(lk, [&] { return waiter.done; });
      }
      throw;
    }
  }
  std::unique_lock lk(s.mutex);
  waiter.cv.wait(lk, [&] { return waiter.done; });
  if (waiter.error) std::rethrow_exception(waiter.error);
}

void TThread::Queue(TThread* thread, TThreadMethod method) {
  if (!method) return;
  if (IsMainThread()) {
    method();
    return;
  }
  if (auto wake = Enqueue({std::move(method), thread, nullptr})) wake();
}

void TThread::RemoveQueuedEvents(TThread* thread) {
  SyncState& s = Sync();
  std::lock_guard lk(s.mutex);
  std::erase_if(s.queue, [&](const SyncRequest& r) { return !r.waiter && r.thread == thread; });
}

TThreadID TThread::CurrentThreadID() {
  if (t_threadID == 0) t_threadID = AllocateThreadID();
  return t_threadID;
}

TThreadID TThread::MainThreadID() {
  TThreadID id = g_mainThreadID.load();
  if (id == 0) {
    const TThreadID mine = CurrentThreadID();
    if (g_mainThreadID.compare_exchange_strong(id, mine)) return mine;
  }
  return id;
}

void TThread::SetMainThread() { g_mainThreadID = CurrentThreadID(); }

TThread* TThread::Current() { return t_current; }

bool TThread::CheckTerminated() { return t_current && t_current->Terminated(); }

bool CheckSynchronize(int timeoutMs) {
  if (!TThread::IsMainThread())
    throw EThread("CheckSynchronize called from thread " + std::to_string(TThread::CurrentThreadID()) +
                  ", which is NOT the main thread");
  if (timeoutMs > 0) {
    SyncState& s = Sync();
    std::unique_lock lk(s.mutex);
    s.cv.wait_for(lk, std::chrono::milliseconds(timeoutMs), [&] { return !s.queue.empty(); });
  }
  return RunPending(false);
}

std::function<void()> WakeMainThread() {
  SyncState& s = Sync();
  std::lock_guard lk(s.mutex);
  return s.wake;
}

void SetWakeMainThread(std::function<void()> handler) {
  SyncState& s = Sync();
  std::lock_guard lk(s.mutex);
  s.wake = std::move(handler);
}

// --- TEvent ----------------------------------------------------------------

void TEvent::SetEvent() {
  std::lock_guard lk(mutex_);
  signaled_ = true;
  if (manualReset_)
    cv_.notify_all();
  else
    cv_.notify_one();
}

void TEvent::ResetEvent() {
  std::lock_guard lk(mutex_);
  signaled_ = false;
}

TWaitResult TEvent::WaitFor(uint32_t timeoutMs) {
  std::unique_lock lk(mutex_);
  auto ready = [this] { return signaled_; };
  if (timeoutMs == INFINITE)
    cv_.wait(lk, ready);
  else if (!cv_.wait_for(lk, std::chrono::milliseconds(timeoutMs), ready))
    return wrTimeout;
  if (!manualReset_) signaled_ = false;
  return wrSignaled;
}

// --- TMultiReadExclusiveWriteSynchronizer ------------------------------------

void TMultiReadExclusiveWriteSynchronizer::BeginRead() {
  const TThreadID me = TThread::CurrentThreadID();
  std::unique_lock lk(mutex_);
  // Nested reads, and reads by the writer, never wait: waiting behind a queued
  // writer that waits for us would deadlock.
  if (auto it = reads_.find(me); it != reads_.end()) {
    ++it->second;
    return;
  }
  if (writer_ != me) cv_.wait(lk, [&] { return writer_ == 0 && waitingWriters_ == 0; });
  reads_[me] = 1;
}

void TMultiReadExclusiveWriteSynchronizer::EndRead() {
  const TThreadID me = TThread::CurrentThreadID();
  std::lock_guard lk(mutex_);
  auto it = reads_.find(me);
  if (it == reads_.end()) throw EThread("EndRead without a matching BeginRead");
  if (--it->second == 0) {
    reads_.erase(it);
    cv_.notify_all();
  }
}

bool TMultiReadExclusiveWriteSynchronizer::BeginWrite() {
  const TThreadID me = TThread::CurrentThreadID();
  std::unique_lock lk(mutex_);
  if (writer_ == me) {
    ++writeDepth_;
    return true;
  }
  const uint32_t seen = revision_;
  int32_t heldReads = 0;
  if (auto it = reads_.find(me); it != reads_.end()) {
    heldReads = it->second;
    reads_.erase(it);
    cv_.notify_all();
  }
  ++waitingWriters_;
  cv_.wait(lk, [&] { return writer_ == 0 && reads_.empty(); });
  --waitingWriters_;
  writer_ = me;
  writeDepth_ = 1;
  const bool untouched = revision_ == seen;
  ++revision_;
  if (heldReads) reads_[me] = heldReads;
  return untouched;
}

void TMultiReadExclusiveWriteSynchronizer::EndWrite() {
  const TThreadID me = TThread::CurrentThreadID();
  std::lock_guard lk(mutex_);
  if (writer_ != me) throw EThread("EndWrite without a matching BeginWrite");
  if (--writeDepth_ == 0) {
    writer_ = 0;
    cv_.notify_all();
  }
}

uint32_t TMultiReadExclusiveWriteSynchronizer::RevisionLevel() const {
  std::lock_guard lk(mutex_);
  return revision_;
}
