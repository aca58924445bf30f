// The change-notification dispatcher: delivery through a real thread timer
// once every listener is ready, shared reference counts, releases too many,
// and pending notifications released at destruction.
#include "shell/ShChangeNotifier.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "platform/win/winuser.h"
#include "tests/shell/message_pump.h"

namespace {

using namespace std::chrono_literals;

// Counts its own destruction.
class CountedNotification : public TShellNotification {
public:
  explicit CountedNotification(std::atomic<int>& freed) : freed_(freed) {}
  ~CountedNotification() override { ++freed_; }

private:
  std::atomic<int>& freed_;
};

class Listener : public win::TComObject<IShellChangeListener> {
public:
  bool Ready = true;
  bool ReleaseOnNotify = false;
  std::vector<TShellNotification*> Received;
  std::vector<TShellNotifyMsg> Messages;

  win::HRESULT QueryInterface(win::REFIID iid, void** out) override {
    if (iid == IID_IShellChangeListener || iid == win::IID_IUnknown) return win::AnswerInterface(this, out);
    *out = nullptr;
    return win::E_NOINTERFACE;
  }
  bool ReadyForNotification() override { return Ready; }
  void Notify(TShellNotifyMsg& msg) override {
    Messages.push_back(msg);
    auto* n = reinterpret_cast<TShellNotification*>(msg.WParam);
    Received.push_back(n);
    if (ReleaseOnNotify) TShellNotifyManager::ReleaseNotification(n);
  }
};

// An object that is no listener.
class Stranger : public win::TComObject<win::IUnknown> {
public:
  win::HRESULT QueryInterface(win::REFIID iid, void** out) override {
    if (iid == win::IID_IUnknown) return win::AnswerInterface(this, out);
    *out = nullptr;
    return win::E_NOINTERFACE;
  }
};

int PendingCount(TShellNotifyManager& manager) {
  const int n = manager.PendingList().LockList()->Count();
  manager.PendingList().UnlockList();
  return n;
}

TEST(ShellNotifyManager, TwoListenersShareANotificationUntilBothReleaseIt) {
  std::atomic<int> freed{0};
  TShellNotifyManager manager;
  Listener a, b;
  a.AddRef();
  b.AddRef();
  manager.ListenerList().Add(static_cast<win::IUnknown*>(&a));
  manager.ListenerList().Add(static_cast<win::IUnknown*>(&b));
  auto* first = new CountedNotification(freed);
  auto* second = new CountedNotification(freed);
  manager.PendingList().Add(first);
  manager.PendingList().Add(second);
  manager.StartDispatchTimer(10);
  ASSERT_NE(manager.TimerID(), 0u);
  ASSERT_TRUE(PumpUntil([&] { return b.Received.size() == 2; }));
  EXPECT_EQ(manager.TimerID(), 0u);
  EXPECT_EQ(PendingCount(manager), 0);
  // Last recorded first, the same object to each listener, as the message record says.
  const std::vector<TShellNotification*> order{second, first};
  EXPECT_EQ(a.Received, order);
  EXPECT_EQ(b.Received, order);
  for (const TShellNotifyMsg& m : a.Messages) {
    EXPECT_EQ(m.Msg, 0x8033u);
    EXPECT_EQ(m.LParam, 0);
  }
  EXPECT_EQ(first->RefCount.load(), 2);
  TShellNotifyManager::ReleaseNotification(first);
  EXPECT_EQ(freed.load(), 0);
  TShellNotifyManager::ReleaseNotification(first);
  EXPECT_EQ(freed.load(), 1);
  TShellNotifyManager::ReleaseNotification(second);
  TShellNotifyManager::ReleaseNotification(second);
  EXPECT_EQ(freed.load(), 2);
  manager.ListenerList().Clear();
}

TEST(ShellNotifyManager, NothingIsDeliveredUntilEveryListenerIsReady) {
  struct Case {
    const char* What;
    int Listeners;  // 0 none, 1 one not ready, 2 a ready one and a stranger
  };
  const Case cases[] = {{"no listeners", 0}, {"a listener not ready", 1}, {"a stranger among them", 2}};
  for (const Case& c : cases) {
    std::atomic<int> freed{0};
    auto manager = std::make_unique<TShellNotifyManager>();
    Listener listener;
    Stranger stranger;
    listener.AddRef();
    stranger.AddRef();
    if (c.Listeners >= 1) manager->ListenerList().Add(static_cast<win::IUnknown*>(&listener));
    listener.Ready = c.Listeners != 1;
    if (c.Listeners == 2) manager->ListenerList().Add(static_cast<win::IUnknown*>(&stranger));
    manager->PendingList().Add(new CountedNotification(freed));
    EXPECT_FALSE(manager->AllListenersReady()) << c.What;
    manager->StartDispatchTimer(10);
    const uintptr_t timer = manager->TimerID();
    ASSERT_NE(timer, 0u) << c.What;
    // Several ticks go by.
    PumpUntil([] { return false; }, 80ms);
    EXPECT_TRUE(listener.Received.empty()) << c.What;
    EXPECT_EQ(PendingCount(*manager), 1) << c.What;
    EXPECT_EQ(manager->TimerID(), timer) << c.What;
    manager->ListenerList().Clear();
    manager.reset();
    EXPECT_EQ(freed.load(), 1) << c.What;
  }
}

TEST(ShellNotifyManager, DestructionReleasesEachPendingNotificationOnce) {
  std::atomic<int> freed{0};
  auto* kept = new CountedNotification(freed);
  kept->RefCount = 2;  // somebody else still holds a share
  {
    TShellNotifyManager manager;
    manager.PendingList().Add(new CountedNotification(freed));
    manager.PendingList().Add(kept);
    manager.PendingList().Add(new CountedNotification(freed));
  }
  EXPECT_EQ(freed.load(), 2);
  EXPECT_EQ(kept->RefCount.load(), 1);
  TShellNotifyManager::ReleaseNotification(kept);
  EXPECT_EQ(freed.load(), 3);
}

TEST(ShellNotifyManager, AListenerThatReleasesTwiceFreesNothingTwice) {
  std::atomic<int> freed{0};
  TShellNotifyManager manager;
  Listener greedy, polite;
  greedy.AddRef();
  polite.AddRef();
  greedy.ReleaseOnNotify = true;
  manager.ListenerList().Add(static_cast<win::IUnknown*>(&greedy));
  manager.ListenerList().Add(static_cast<win::IUnknown*>(&polite));
  auto* n = new CountedNotification(freed);
  manager.PendingList().Add(n);
  manager.StartDispatchTimer(10);
  ASSERT_TRUE(PumpUntil([&] { return polite.Received.size() == 1; }));
  // Delivery survived the early release: the second listener got it alive.
  EXPECT_EQ(freed.load(), 0);
  TShellNotifyManager::ReleaseNotification(n);  // the greedy listener's second release
  EXPECT_EQ(freed.load(), 1);
  TShellNotifyManager::ReleaseNotification(n);  // the polite one's, now too late: ignored
  EXPECT_EQ(freed.load(), 1);
  manager.ListenerList().Clear();
}

TEST(ShellNotifyManager, ListenersOnSeveralThreadsReleaseConcurrently) {
  constexpr int kThreads = 4, kNotifications = 200;
  std::atomic<int> freed{0};
  std::vector<TShellNotification*> notes;
  for (int i = 0; i < kNotifications; ++i) {
    notes.push_back(new CountedNotification(freed));
    notes.back()->RefCount = kThreads;
  }
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&notes] {
      for (TShellNotification* n : notes) TShellNotifyManager::ReleaseNotification(n);
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(freed.load(), kNotifications);
}

TEST(ShellNotifyManager, TheUnitMakesAndFreesTheGlobalManager) {
  ASSERT_NE(ShellNotifyManager, nullptr);
  EXPECT_EQ(ShellNotifyManager->TimerID(), 0u);
  EXPECT_FALSE(ShellNotifyManager->AllListenersReady());
}

}  // namespace
