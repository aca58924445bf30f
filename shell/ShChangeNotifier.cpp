#include "shell/ShChangeNotifier.h"

#include <mutex>
#include <unordered_set>
#include <vector>

#include "platform/rtl/scopeexit.h"
#include "platform/win/winuser.h"
#include "shell/ShCaptions.h"
#include "shell/ShCommonUtilities.h"
#include "shell/UnitSupport.h"

const win::IID IID_IShellChangeListener{0x86888DA6, 0x8429, 0x4A7F, {0xAC, 0x9C, 0x9A, 0x9E, 0xB1, 0xF0, 0x8E, 0x1A}};

TShellNotifyManager* ShellNotifyManager = nullptr;

namespace {

// Live notifications: a release of a pointer that is not among them is a
// release too many and is ignored.
std::mutex liveMutex;
std::unordered_set<const TShellNotification*>& LiveNotifications() {
  static std::unordered_set<const TShellNotification*> live;
  return live;
}

// Holds a TThreadList's lock for one scope.
class TListLock {
public:
  explicit TListLock(TThreadList& list) : owner_(list), list_(list.LockList()) {}
  ~TListLock() { owner_.UnlockList(); }
  TListLock(const TListLock&) = delete;
  TListLock& operator=(const TListLock&) = delete;
  TList* operator->() const { return list_; }

private:
  TThreadList& owner_;
  TList* list_;
};

}  // namespace

TShellNotification::TShellNotification() {
  std::lock_guard<std::mutex> lock(liveMutex);
  LiveNotifications().insert(this);
}

TShellNotification::~TShellNotification() {
  std::lock_guard<std::mutex> lock(liveMutex);
  LiveNotifications().erase(this);
}

TShellNotifyManager::TShellNotifyManager() {
  timerThunk_ = CreateMethodThunk(this, &TShellNotifyManager::TimerCallback);
}

TShellNotifyManager::~TShellNotifyManager() {
  KillDispatchTimer();
  ReleasePending();
  FreeMethodThunk(timerThunk_);
}

void TShellNotifyManager::ReleaseNotification(TShellNotification* notification) {
  {
    std::lock_guard<std::mutex> lock(liveMutex);
    if (!LiveNotifications().contains(notification)) return;
    if (notification->RefCount.fetch_sub(1) - 1 > 0) return;
    // Out of the set before the lock goes, so that a concurrent release too
    // many finds it gone.
    LiveNotifications().erase(notification);
  }
  delete notification;
}

void TShellNotifyManager::ReleasePending() {
  TListLock pending(pendingList_);
  for (int32_t i = pending->Count() - 1; i >= 0; --i) {
    ReleaseNotification(static_cast<TShellNotification*>(pending->Items(i)));
    pending->Delete(i);
  }
}

bool TShellNotifyManager::AllListenersReady() {
  TListLock listeners(listenerList_);
  if (listeners->Count() == 0) return false;
  for (int32_t i = 0; i < listeners->Count(); ++i) {
    win::TComPtr<IShellChangeListener> listener;
    if (!Supports(static_cast<win::IUnknown*>(listeners->Items(i)), IID_IShellChangeListener, listener.put_void()) ||
        !listener->ReadyForNotification())
      return false;
  }
  return true;
}

void TShellNotifyManager::StartDispatchTimer(uint32_t elapse) {
  KillDispatchTimer();
  timerID_ = win::SetTimerWithContext(nullptr, 0, elapse, &MethodThunkCall, timerThunk_);
}

void TShellNotifyManager::KillDispatchTimer() {
  if (timerID_ == 0) return;
  win::KillTimer(nullptr, timerID_);
  timerID_ = 0;
}

uintptr_t TShellNotifyManager::TimerCallback(void* self, uintptr_t, uintptr_t, uintptr_t, uintptr_t) {
  static_cast<TShellNotifyManager*>(self)->Dispatch();
  return 0;
}

void TShellNotifyManager::Dispatch() {
  if (!AllListenersReady()) return;
  KillDispatchTimer();
  TListLock listeners(listenerList_);
  TListLock pending(pendingList_);
  std::vector<win::TComPtr<IShellChangeListener>> targets;
  for (int32_t i = 0; i < listeners->Count(); ++i) {
    win::TComPtr<IShellChangeListener> listener;
    if (Supports(static_cast<win::IUnknown*>(listeners->Items(i)), IID_IShellChangeListener, listener.put_void()))
      targets.push_back(listener);
  }
  for (int32_t i = pending->Count() - 1; i >= 0; --i) {
    auto* notification = static_cast<TShellNotification*>(pending->Items(i));
    pending->Delete(i);
    // One reference more while delivering: a listener that releases at once
    // cannot free it under the listeners still to come.
    notification->RefCount.store(listeners->Count() + 1);
    TScopeExit ownShare([notification] { ReleaseNotification(notification); });
    for (auto& listener : targets) {
      TShellNotifyMsg msg;
      msg.Msg = ShellNotifyMessage;
      msg.WParam = reinterpret_cast<uintptr_t>(notification);
      listener->Notify(msg);
    }
  }
}

std::array<std::string, 20> ShellNotifyEventNames;
win::IMalloc* ShellNotifyMalloc = nullptr;
win::IUnknown* ShellNotifyInterface = nullptr;

namespace {

TUnitCounter changeNotifierUnit;

constexpr win::WORD kNotifyOrdinals[] = {21, 23, 2, 4, 644, 645};
win::FARPROC notifyOrdinals[std::size(kNotifyOrdinals)] = {};

template <typename T>
void ReleaseAndClear(T*& intf) {
  T* held = intf;
  intf = nullptr;
  if (held) held->Release();
}

}  // namespace

void* ShellNotifyOrdinal(uint16_t ordinal) {
  for (size_t i = 0; i < std::size(kNotifyOrdinals); ++i)
    if (kNotifyOrdinals[i] == ordinal) return notifyOrdinals[i];
  return nullptr;
}

void ShChangeNotifierInitialize() {
  if (!changeNotifierUnit.Starting()) return;
  SetUnitTexts(ShellNotifyEventNames, ChangeEventNameLiterals);
  if (win::HMODULE shell32 = win::GetModuleHandle("shell32.dll"))
    for (size_t i = 0; i < std::size(kNotifyOrdinals); ++i)
      notifyOrdinals[i] = win::GetProcAddress(shell32, win::MAKEINTRESOURCE(kNotifyOrdinals[i]));
  win::SHGetMalloc(&ShellNotifyMalloc);
  ShellNotifyManager = new TShellNotifyManager;
}

void ShChangeNotifierFinalize() {
  if (!changeNotifierUnit.Stopping()) return;
  // Released once and cleared: a second release would drop a reference it never held.
  ReleaseAndClear(ShellNotifyInterface);
  TShellNotifyManager* manager = ShellNotifyManager;
  ShellNotifyManager = nullptr;
  delete manager;
  ReleaseUnitTexts(ShellNotifyEventNames);
  ReleaseAndClear(ShellNotifyMalloc);
  for (win::FARPROC& p : notifyOrdinals) p = nullptr;
}
