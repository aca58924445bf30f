#include "shell/ShThreadManager.h"

#include <system_error>

#include "platform/com/com.h"
#include "shell/ShCommonObjects.h"
#include "shell/ShCommonUtilities.h"
#include "shell/UnitSupport.h"

TCommonPIDLManager* ThreadManagerPIDLManager = nullptr;

namespace {

std::atomic<int32_t> liveThreads{0};
std::atomic<uint32_t> nextThreadID{1};

}  // namespace

int32_t CommonThreadCount() { return liveThreads.load(); }

TCommonThread::TCommonThread(bool createSuspended) : suspended_(createSuspended) {
  ++liveThreads;
  threadID_ = nextThreadID++;
  thunk_ = CreateMethodThunk(this, &TCommonThread::ThreadProc);
  try {
    // The thread waits at the gate, so it never sees a half-built object.
    thread_ = std::thread([thunk = thunk_] { MethodThunkCall(thunk, 0, 0, 0, 0); });
  } catch (const std::system_error& e) {
    FreeMethodThunk(thunk_);
    --liveThreads;
    throw EThread(std::string("Thread creation error: ") + e.what());
  }
}

TCommonThread::~TCommonThread() {
  // A finished thread may still be leaving its procedure; one that freed
  // itself detached first.
  if (thread_.joinable()) thread_.join();
  FreeMethodThunk(thunk_);
  TList* list = requestList_.LockList();
  for (int32_t i = 0; i < list->Count(); ++i) delete static_cast<TObject*>(list->Items(i));
  list->Clear();
  requestList_.UnlockList();
  --liveThreads;
}

void TCommonThread::Destroy(TCommonThread* thread) {
  if (!thread) return;
  if (!thread->Finished())
    throw EAssertionFailed("The Thread must be terminated before destroying the TCommonThread object");
  delete thread;
}

void TCommonThread::AfterConstruction() {
  if (!suspended_.load()) OpenGate();
}

void TCommonThread::OpenGate() {
  // Notified under the lock: a thread that frees itself may be gone as soon
  // as the lock is let go.
  std::lock_guard<std::mutex> lock(gateMutex_);
  gateOpen_ = true;
  gateCv_.notify_all();
}

TEvent& TCommonThread::Event() {
  std::call_once(eventOnce_, [this] { event_ = std::make_unique<TEvent>(true, false); });
  return *event_;
}

void TCommonThread::SetSuspended(bool value) {
  if (suspended_.exchange(value) == value) return;
  // A running thread cannot be stopped here: suspending only records the flag.
  if (!value) OpenGate();
}

void TCommonThread::Terminate() {
  terminated_.store(true);
  // Signalled before the thread is let go: one that frees itself may be gone
  // right after. The manual-reset event stays signalled for it.
  TriggerEvent();
  Resume();
}

bool TCommonThread::InitializeThread() {
  oleInitialized_.store(win::SUCCEEDED(win::OleInitialize(nullptr)));
  return oleInitialized_.load();
}

void TCommonThread::FinalizeThread() {
  if (!oleInitialized_) return;
  try {
    win::OleUninitialize();
  } catch (...) {
  }
}

uintptr_t TCommonThread::ThreadProc(void* self, uintptr_t, uintptr_t, uintptr_t, uintptr_t) {
  auto* t = static_cast<TCommonThread*>(self);
  {
    std::unique_lock<std::mutex> lock(t->gateMutex_);
    t->gateCv_.wait(lock, [t] { return t->gateOpen_; });
  }
  t->running_.store(true);
  try {
    t->InitializeThread();
    t->Execute();
  } catch (...) {
    // Execute's failures end the thread quietly; it still finalises below.
  }
  try {
    t->FinalizeThread();
  } catch (...) {
  }
  // Read before Finished: once that is set the owner may free the object.
  const bool freeItself = t->freeOnTerminate_.load();
  t->running_.store(false);
  if (freeItself) {
    t->thread_.detach();
    t->finished_.store(true);
    delete t;
  } else {
    t->finished_.store(true);
  }
  return 0;
}

// ---------------------------------------------------------------- shell execute

TCommonShellExecuteThread::TCommonShellExecuteThread(bool createSuspended) : TCommonThread(createSuspended) {
  SetFreeOnTerminate(true);
  ShellExecuteInfoW = SHELLEXECUTEINFOW{};
  ShellExecuteInfoW.cbSize = 0;  // zero-filled: the caller fills it in
  ShellExecuteInfoW.nShow = 0;
}

TCommonShellExecuteThread::~TCommonShellExecuteThread() {
  if (ThreadManagerPIDLManager)
    ThreadManagerPIDLManager->FreePIDL(PIDL);
  else
    win::CoTaskMemFree(PIDL);
}

void TCommonShellExecuteThread::Execute() {
  SHELLEXECUTEINFOW& info = ShellExecuteInfoW;
  if (!lpDirectory.empty()) info.lpDirectory = lpDirectory.c_str();
  if (!lpFile.empty()) info.lpFile = lpFile.c_str();
  if (!lpParameters.empty()) info.lpParameters = lpParameters.c_str();
  if (!lpVerb.empty()) info.lpVerb = lpVerb.c_str();
  info.lpIDList = PIDL;
  ShellExecuteExW(&info);
}

// ---------------------------------------------------------------- unit

namespace {
TUnitCounter threadManagerUnit;
}

void ShThreadManagerInitialize() {
  if (!threadManagerUnit.Starting()) return;
  // Before any worker of the library, so that everything shared takes its locks from the start.
  IsMultiThread = true;
  ThreadManagerPIDLManager = new TCommonPIDLManager;
}

void ShThreadManagerFinalize() {
  if (!threadManagerUnit.Stopping()) return;
  TCommonPIDLManager* manager = ThreadManagerPIDLManager;
  ThreadManagerPIDLManager = nullptr;
  delete manager;
}
