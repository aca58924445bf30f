// The shell library's own thread object: a virtual Execute run on an
// operating-system thread inside an OLE-initialised apartment, and a
// descendant that opens an item with the desktop's opener on its own thread
// and frees itself afterwards.
//
// Lifecycle: created (suspended or running) -> running -> finished. A thread
// made suspended waits at a start gate until Resume opens it. A running
// thread cannot be stopped from outside here: SetSuspended(true) on it only
// records the flag. A thread object is built through Create<T>(), which opens
// the gate once the whole object exists (a thread started from inside the
// base constructor could reach Execute before the derived part is built).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/classes/lists.h"
#include "platform/classes/threads.h"
#include "platform/rtl/object.h"
#include "platform/shell/shellexec.h"

struct TCommonMethodThunk;
class TCommonPIDLManager;

class TCommonThread : public TObject {
  DX_CLASS(TCommonThread, TObject)
public:
  // The thread object ready to go: started unless createSuspended.
  template <class T, class... Args>
  static T* Create(bool createSuspended, Args&&... args) {
    T* t = new T(createSuspended, std::forward<Args>(args)...);
    static_cast<TCommonThread*>(t)->AfterConstruction();
    return t;
  }

  // Frees the object. EAssertionFailed "The Thread must be terminated before
  // destroying the TCommonThread object" (and the object stays) unless the
  // thread has finished. Null is accepted.
  static void Destroy(TCommonThread* thread);

  // The manual-reset wake-up event, made on first use, not signalled.
  TEvent& Event();
  // The thread exists from construction on, so there is always one to resume.
  void SetSuspended(bool value);
  void Resume() { SetSuspended(false); }
  void TriggerEvent() { Event().SetEvent(); }
  // Sets Terminated, signals the event, then lets a suspended thread go, so
  // that Execute never starts without seeing the request.
  virtual void Terminate();

  bool FreeOnTerminate() const { return freeOnTerminate_.load(); }
  void SetFreeOnTerminate(bool v) { freeOnTerminate_.store(v); }
  uint32_t ThreadID() const { return threadID_; }
  bool Terminated() const { return terminated_.load(); }
  bool Suspended() const { return suspended_.load(); }
  bool Running() const { return running_.load(); }
  bool OleInitialized() const { return oleInitialized_.load(); }
  bool Finished() const { return finished_.load(); }
  // Objects the thread owns and frees when it is destroyed.
  TThreadList& RequestList() { return requestList_; }
  TCriticalSection& CriticalSection() { return criticalSection_; }

protected:
  explicit TCommonThread(bool createSuspended);
  ~TCommonThread() override;
  TCommonThread(const TCommonThread&) = delete;
  TCommonThread& operator=(const TCommonThread&) = delete;

  virtual void Execute() = 0;
  virtual void FinalizeThread();
  virtual bool InitializeThread();

private:
  static uintptr_t ThreadProc(void* self, uintptr_t, uintptr_t, uintptr_t, uintptr_t);
  void AfterConstruction();
  void OpenGate();

  std::atomic<bool> freeOnTerminate_{false};
  std::thread thread_;
  uint32_t threadID_ = 0;
  TCommonMethodThunk* thunk_ = nullptr;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> suspended_{false};
  std::once_flag eventOnce_;
  std::unique_ptr<TEvent> event_;
  TCriticalSection criticalSection_;
  TThreadList requestList_;
  std::atomic<bool> running_{false};
  std::atomic<bool> oleInitialized_{false};
  std::atomic<bool> finished_{false};

  std::mutex gateMutex_;
  std::condition_variable gateCv_;
  bool gateOpen_ = false;
};

// Live TCommonThread objects.
int32_t CommonThreadCount();

// Opens its item (the owned PIDL, else the file) with ShellExecuteExW on its
// own thread, then frees itself with the PIDL. Fill ShellExecuteInfoW's
// mask, window and show state before the thread runs.
class TCommonShellExecuteThread : public TCommonThread {
  DX_CLASS(TCommonShellExecuteThread, TCommonThread)
public:
  // This platform's record has no class field: the opener decides by itself.
  std::string lpDirectory, lpFile, lpParameters, lpVerb;
  // Owned; freed with the thread.
  uint8_t* PIDL = nullptr;
  SHELLEXECUTEINFOW ShellExecuteInfoW;

protected:
  friend class TCommonThread;
  explicit TCommonShellExecuteThread(bool createSuspended);
  ~TCommonShellExecuteThread() override;
  void Execute() override;
};

// The unit's private PIDL manager, between start-up and shut-down.
extern TCommonPIDLManager* ThreadManagerPIDLManager;
void ShThreadManagerInitialize();
void ShThreadManagerFinalize();
