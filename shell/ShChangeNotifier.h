// The dispatcher of shell change notifications: notifications recorded by
// any thread wait in a pending list until a thread timer (no window) finds
// every registered listener ready; then each listener is told of each
// notification, last recorded first, and the notification lives until every
// listener has released it.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/classes/lists.h"
#include "platform/com/com.h"
#include "platform/rtl/object.h"

struct TCommonMethodThunk;

constexpr uint32_t ShellNotifyMessage = 0x8033;

// What a listener receives: WParam is the TShellNotification, LParam 0.
struct TShellNotifyMsg {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

extern const win::IID IID_IShellChangeListener;

struct IShellChangeListener : win::IUnknown {
  virtual bool ReadyForNotification() = 0;
  virtual void Notify(TShellNotifyMsg& msg) = 0;

protected:
  ~IShellChangeListener() = default;
};

// One recorded change. Its reference count is shared by the listeners it was
// delivered to; ReleaseNotification frees it when the count falls to 0.
class TShellNotification : public TObject {
  DX_CLASS(TShellNotification, TObject)
public:
  TShellNotification();
  ~TShellNotification() override;
  TShellNotification(const TShellNotification&) = delete;
  TShellNotification& operator=(const TShellNotification&) = delete;

  std::atomic<int32_t> RefCount{0};
};

class TShellNotifyManager : public TObject {
  DX_CLASS(TShellNotifyManager, TObject)
public:
  TShellNotifyManager();
  ~TShellNotifyManager() override;
  TShellNotifyManager(const TShellNotifyManager&) = delete;
  TShellNotifyManager& operator=(const TShellNotifyManager&) = delete;

  // Notifications waiting for delivery (TShellNotification*, owned).
  TThreadList& PendingList() { return pendingList_; }
  // Listeners (win::IUnknown*, borrowed: a listener removes itself before it goes).
  TThreadList& ListenerList() { return listenerList_; }
  uintptr_t TimerID() const { return timerID_; }

  // Takes one reference off; frees the notification at 0 or below. A pointer
  // to no live notification is ignored, so a listener that releases once too
  // often cannot free it twice.
  static void ReleaseNotification(TShellNotification* notification);
  void ReleasePending();
  bool AllListenersReady();
  // A thread timer on the calling thread whose callback dispatches; the
  // running one is replaced.
  void StartDispatchTimer(uint32_t elapse);
  void KillDispatchTimer();

private:
  static uintptr_t TimerCallback(void* self, uintptr_t wnd, uintptr_t msg, uintptr_t id, uintptr_t time);
  void Dispatch();

  TThreadList pendingList_;
  TCommonMethodThunk* timerThunk_ = nullptr;
  uintptr_t timerID_ = 0;
  TThreadList listenerList_;
};

extern TShellNotifyManager* ShellNotifyManager;
// The change events' names, by event bit from 0 (texts as the original has
// them), set at start-up and empty after shut-down.
extern std::array<std::string, 20> ShellNotifyEventNames;
// The shell allocator and the unit's interface slot (nothing here fills it),
// between start-up and shut-down.
extern win::IMalloc* ShellNotifyMalloc;
extern win::IUnknown* ShellNotifyInterface;
// shell32's PIDL tests, change registration and PIDL locking as found at
// start-up (ordinals 21, 23, 2, 4, 644, 645); nil where shell32 lacks them.
void* ShellNotifyOrdinal(uint16_t ordinal);
void ShChangeNotifierInitialize();
void ShChangeNotifierFinalize();
