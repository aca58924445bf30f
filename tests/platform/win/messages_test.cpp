// Queues across threads, the quit request, timers and thread hooks.
#include <atomic>
#include <thread>

#include "platform/classes/threads.h"
#include "platform/win/timeperiod.h"
#include "tests/platform/win/wintest.h"

namespace wintest {
namespace {

using MessagesTest = WinTest;

TEST_F(MessagesTest, PostsFromAWorkerArriveInOrderOnTheUiThread) {
  std::vector<WPARAM> got;
  std::vector<DWORD> threads;
  HWND w = Make(WS_POPUP, {0, 0, 10, 10}, nullptr, [&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_APP) return std::nullopt;
    got.push_back(wp);
    threads.push_back(GetCurrentThreadId());
    return 0;
  });
  constexpr int kCount = 2000;
  std::thread worker([&] {
    for (int i = 0; i < kCount; ++i)
      while (!PostMessage(w, WM_APP, WPARAM(i), 0)) std::this_thread::yield();  // queue full: wait and retry
  });
  const bool done = PumpUntil([&] { return got.size() == size_t(kCount); });
  worker.join();
  ASSERT_TRUE(done);
  for (int i = 0; i < kCount; ++i) ASSERT_EQ(got[size_t(i)], WPARAM(i));
  for (DWORD t : threads) ASSERT_EQ(t, GetCurrentThreadId());
}

TEST_F(MessagesTest, AFullQueueRefusesPostingAndRecovers) {
  const DWORD me = GetCurrentThreadId();
  size_t accepted = 0;
  while (PostThreadMessage(me, WM_APP + 1, accepted, 0)) ++accepted;
  EXPECT_EQ(accepted, MESSAGE_QUEUE_LIMIT);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_APP + 1, WM_APP + 1, PM_REMOVE));
  EXPECT_EQ(m.wParam, 0u);
  EXPECT_TRUE(PostThreadMessage(me, WM_APP + 1, 99, 0));
  size_t drained = 0;
  WPARAM last = 0;
  while (PeekMessage(&m, reinterpret_cast<HWND>(intptr_t(-1)), WM_APP + 1, WM_APP + 1, PM_REMOVE)) {
    ++drained;
    last = m.wParam;
  }
  EXPECT_EQ(drained, MESSAGE_QUEUE_LIMIT);
  EXPECT_EQ(last, 99u);
}

TEST_F(MessagesTest, SendMessageFromAWorkerRunsOnTheOwningThread) {
  DWORD handledOn = 0;
  HWND w = Make(WS_POPUP, {0, 0, 10, 10}, nullptr, [&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_APP) return std::nullopt;
    handledOn = GetCurrentThreadId();
    return LRESULT(wp + 1);
  });
  std::atomic<LRESULT> result{-1};
  std::thread worker([&] { result = SendMessage(w, WM_APP, 41, 0); });
  const bool done = PumpUntil([&] { return result.load() != -1; });
  worker.join();
  ASSERT_TRUE(done);
  EXPECT_EQ(result.load(), 42);
  EXPECT_EQ(handledOn, GetCurrentThreadId());
}

TEST_F(MessagesTest, SendMessageToAWorkersWindowWaitsForThatThread) {
  std::atomic<HWND> w{nullptr};
  std::atomic<bool> stop{false};
  std::atomic<DWORD> handledOn{0};
  std::thread worker([&] {
    HWND h = CreateWindowEx(0, kClass, "worker", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    On(h, [&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
      if (m != WM_APP) return std::nullopt;
      handledOn = GetCurrentThreadId();
      return LRESULT(wp * 2);
    });
    w = h;
    MSG m;
    while (!stop) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
    }
    DestroyWindow(h);
  });
  ASSERT_TRUE(PumpUntil([&] { return w.load() != nullptr; }));
  EXPECT_EQ(SendMessage(w, WM_APP, 21, 0), 42);
  EXPECT_NE(handledOn.load(), GetCurrentThreadId());
  EXPECT_NE(handledOn.load(), 0u);
  // Destroying another thread's window is refused, as on the platform.
  EXPECT_FALSE(DestroyWindow(w));
  stop = true;
  worker.join();
  EXPECT_FALSE(IsWindow(w));
}

// A worker moving a UI window while the UI thread waits for it to end: the
// wait must serve the marshalled call (the menu animation thread does this).
class MoverThread : public TThread {
public:
  MoverThread(HWND w) : TThread(false), w_(w) {}
  BOOL Result = FALSE;

protected:
  void Execute() override { Result = SetWindowPos(w_, nullptr, 30, 40, 50, 60, SWP_NOZORDER | SWP_NOACTIVATE); }

private:
  HWND w_;
};

TEST_F(MessagesTest, AWorkersSetWindowPosCompletesWhileTheUiThreadWaitsForIt) {
  DWORD changedOn = 0;
  HWND w = Make(WS_POPUP, {0, 0, 10, 10}, nullptr, [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_WINDOWPOSCHANGED) changedOn = GetCurrentThreadId();
    return std::nullopt;
  });
  auto t = TThread::Create<MoverThread>(w);
  t->WaitFor();
  EXPECT_TRUE(t->Result);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, RECT(30, 40, 80, 100));
  EXPECT_EQ(changedOn, GetCurrentThreadId());
}

class SyncThread : public TThread {
public:
  SyncThread() : TThread(false) {}
  DWORD RanOn = 0;

protected:
  void Execute() override {
    Synchronize([this] {
      RanOn = GetCurrentThreadId();
      PostQuitMessage(3);
    });
  }
};

TEST_F(MessagesTest, TheLoopWakesForAndRunsSynchronisedCalls) {
  auto t = TThread::Create<SyncThread>();
  MSG m;
  BOOL r;
  while ((r = GetMessage(&m, nullptr, 0, 0)) > 0) DispatchMessage(&m);  // blocks until the call ran
  EXPECT_EQ(r, 0);
  EXPECT_EQ(m.wParam, 3u);
  t->WaitFor();
  EXPECT_EQ(t->RanOn, GetCurrentThreadId());
}

TEST_F(MessagesTest, ANestedLoopHandsWmQuitToTheOuterLoop) {
  bool nestedEnded = false;
  HWND w = Make(WS_POPUP, {0, 0, 10, 10}, nullptr, [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_APP) return std::nullopt;
    PostQuitMessage(5);
    MSG inner;
    while (GetModalMessage(&inner)) DispatchMessage(&inner);
    nestedEnded = true;
    return 0;
  });
  PostMessage(w, WM_APP, 0, 0);
  PostMessage(w, WM_APP + 2, 0, 0);  // still queued when the nested loop quits
  MSG m;
  int outer = 0;
  BOOL r;
  while ((r = GetMessage(&m, nullptr, 0, 0)) > 0 && ++outer < 100) DispatchMessage(&m);
  EXPECT_TRUE(nestedEnded);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 5u);
}

TEST_F(MessagesTest, RetrievalOrderIsSentPostedInputQuitPaintTimer) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {0, 0, 20, 20}, nullptr, {}, WS_EX_NOACTIVATE);
  Pump();
  ASSERT_TRUE(SetTimer(w, 1, 10, nullptr));
  ASSERT_TRUE(PumpUntil([&] { return Count(w, WM_TIMER) > 0; }));  // the timer is due again afterwards
  Sleep(15);
  InvalidateRect(w, nullptr, FALSE);
  PostQuitMessage(0);
  InputMouseMove({5, 5});
  PostMessage(w, WM_APP, 0, 0);
  std::vector<UINT> order;
  MSG m;
  for (int i = 0; i < 5 && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
    order.push_back(m.message);
    if (m.message != WM_QUIT) DispatchMessage(&m);
  }
  KillTimer(w, 1);
  EXPECT_EQ(order, (std::vector<UINT>{WM_APP, WM_MOUSEMOVE, WM_QUIT, WM_PAINT, WM_TIMER}));
}

TEST_F(MessagesTest, AWindowTimerFiresOnTheUiThreadAndStopsWhenKilled) {
  int fired = 0;
  DWORD firedOn = 0;
  HWND w = Make(WS_POPUP, {0, 0, 10, 10}, nullptr, [&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_TIMER && wp == 7) {
      ++fired;
      firedOn = GetCurrentThreadId();
      return 0;
    }
    return std::nullopt;
  });
  ASSERT_EQ(SetTimer(w, 7, 30, nullptr), 7u);
  ASSERT_TRUE(PumpUntil([&] { return fired >= 3; }));
  EXPECT_EQ(firedOn, GetCurrentThreadId());
  ASSERT_TRUE(KillTimer(w, 7));
  EXPECT_FALSE(KillTimer(w, 7));
  const int before = fired;
  PumpUntil([] { return false; }, 200);  // long enough for several more periods
  EXPECT_EQ(fired, before);
}

int g_threadTimerCalls = 0;
DWORD g_threadTimerThread = 0;
void CALLBACKTimer(HWND hwnd, UINT msg, UINT_PTR, DWORD) {
  if (!hwnd && msg == WM_TIMER) ++g_threadTimerCalls;
  g_threadTimerThread = GetCurrentThreadId();
}

TEST_F(MessagesTest, AThreadTimerCallsItsProcOnTheThreadThatSetIt) {
  g_threadTimerCalls = 0;
  UINT_PTR id = SetTimer(nullptr, 0, 30, CALLBACKTimer);
  ASSERT_NE(id, 0u);
  ASSERT_TRUE(PumpUntil([] { return g_threadTimerCalls >= 2; }));
  EXPECT_EQ(g_threadTimerThread, GetCurrentThreadId());
  EXPECT_TRUE(KillTimer(nullptr, id));
  // A forged WM_TIMER naming a proc that is no timer's is not called.
  const int before = g_threadTimerCalls;
  MSG forged;
  forged.message = WM_TIMER;
  forged.wParam = id;
  forged.lParam = reinterpret_cast<LPARAM>(&CALLBACKTimer);
  DispatchMessage(&forged);
  EXPECT_EQ(g_threadTimerCalls, before);
}

// Each timer's context reaches its own callback, with the timer's arguments.
struct TContextTicks {
  int Calls = 0;
  uintptr_t Hwnd = 1, Msg = 0, Id = 0;
  static uintptr_t Tick(void* context, uintptr_t hwnd, uintptr_t msg, uintptr_t id, uintptr_t) {
    auto* self = static_cast<TContextTicks*>(context);
    ++self->Calls;
    self->Hwnd = hwnd, self->Msg = msg, self->Id = id;
    return 0;
  }
};

TEST_F(MessagesTest, TimersWithContextReachTheirOwnObject) {
  TContextTicks a, b;
  const UINT_PTR ida = SetTimerWithContext(nullptr, 0, 20, &TContextTicks::Tick, &a);
  const UINT_PTR idb = SetTimerWithContext(nullptr, 0, 20, &TContextTicks::Tick, &b);
  ASSERT_NE(ida, 0u);
  ASSERT_NE(idb, ida);
  ASSERT_TRUE(PumpUntil([&] { return a.Calls >= 2 && b.Calls >= 2; }));
  EXPECT_EQ(a.Hwnd, 0u);
  EXPECT_EQ(a.Msg, uintptr_t(WM_TIMER));
  EXPECT_EQ(a.Id, ida);
  EXPECT_EQ(b.Id, idb);
  EXPECT_TRUE(KillTimer(nullptr, ida));
  EXPECT_TRUE(KillTimer(nullptr, idb));
  EXPECT_EQ(SetTimerWithContext(nullptr, 0, 20, nullptr, &a), 0u);
  // A forged WM_TIMER naming the callback is not called.
  const int before = a.Calls;
  MSG forged;
  forged.message = WM_TIMER;
  forged.wParam = ida;
  forged.lParam = reinterpret_cast<LPARAM>(&TContextTicks::Tick);
  DispatchMessage(&forged);
  EXPECT_EQ(a.Calls, before);
}

TEST_F(MessagesTest, TimerPeriodEndsTakeBackTheirOwnBegins) {
  EXPECT_EQ(timeBeginPeriod(0), TIMERR_NOCANDO);
  EXPECT_EQ(timeEndPeriod(3), TIMERR_NOCANDO);  // never begun
  ASSERT_EQ(timeBeginPeriod(3), TIMERR_NOERROR);
  ASSERT_EQ(timeBeginPeriod(3), TIMERR_NOERROR);
  EXPECT_EQ(timeEndPeriod(4), TIMERR_NOCANDO);  // another period
  EXPECT_EQ(timeEndPeriod(3), TIMERR_NOERROR);
  EXPECT_EQ(timeEndPeriod(3), TIMERR_NOERROR);
  EXPECT_EQ(timeEndPeriod(3), TIMERR_NOCANDO);
}

// ---------------------------------------------------------------- hooks
struct MouseHookRecord {
  HWND Hwnd = nullptr;
  UINT HitTest = 0;
  UINT Msg = 0;
  int Calls = 0;
};
MouseHookRecord g_mouse;
bool g_swallow = false;
HHOOK g_mouseHook = nullptr;

LRESULT MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && (wParam == WM_LBUTTONDOWN || wParam == WM_LBUTTONUP)) {
    auto* mh = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
    g_mouse.Hwnd = mh->hwnd;
    g_mouse.HitTest = mh->wHitTestCode;
    g_mouse.Msg = UINT(wParam);
    ++g_mouse.Calls;
    if (g_swallow) return 1;
  }
  return CallNextHookEx(g_mouseHook, code, wParam, lParam);
}

TEST_F(MessagesTest, AMouseHookSeesAClickOnAChildAndCanSwallowIt) {
  for (bool swallow : {false, true}) {
    SCOPED_TRACE(swallow ? "swallowing" : "passing");
    HWND parent = Make(WS_POPUP | WS_VISIBLE, {100, 100, 200, 200}, nullptr, {}, WS_EX_NOACTIVATE);
    HWND child = Make(WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, parent);
    Pump();
    ClearLog();
    g_mouse = {};
    g_swallow = swallow;
    g_mouseHook = SetWindowsHookEx(WH_MOUSE, MouseHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_mouseHook, nullptr);
    InputMouseButton(0, true, {120, 120});
    InputMouseButton(0, false, {120, 120});
    Pump();
    EXPECT_TRUE(UnhookWindowsHookEx(g_mouseHook));
    EXPECT_EQ(g_mouse.Hwnd, child);
    EXPECT_EQ(g_mouse.HitTest, UINT(HTCLIENT));
    EXPECT_EQ(g_mouse.Calls, 2);
    EXPECT_EQ(Count(child, WM_LBUTTONDOWN), swallow ? 0 : 1);
    EXPECT_EQ(Count(parent, WM_LBUTTONDOWN), 0);
    DestroyWindow(parent);
  }
}

HHOOK g_selfRemoving = nullptr;
int g_selfCalls = 0, g_belowCalls = 0;
HHOOK g_below = nullptr;
LRESULT BelowHook(int code, WPARAM w, LPARAM l) {
  ++g_belowCalls;
  return CallNextHookEx(g_below, code, w, l);
}
LRESULT SelfRemovingHook(int code, WPARAM w, LPARAM l) {
  ++g_selfCalls;
  UnhookWindowsHookEx(g_selfRemoving);
  return CallNextHookEx(g_selfRemoving, code, w, l);  // its own, now stale handle
}

TEST_F(MessagesTest, AHookRemovedInsideItsCallbackStillPassesOn) {
  HWND w = Make(WS_POPUP, {0, 0, 10, 10});
  g_selfCalls = g_belowCalls = 0;
  g_below = SetWindowsHookEx(WH_CALLWNDPROC, BelowHook, nullptr, 0);
  g_selfRemoving = SetWindowsHookEx(WH_CALLWNDPROC, SelfRemovingHook, nullptr, 0);
  SendMessage(w, WM_APP, 0, 0);
  SendMessage(w, WM_APP, 0, 0);
  UnhookWindowsHookEx(g_below);
  EXPECT_EQ(g_selfCalls, 1);
  EXPECT_EQ(g_belowCalls, 2);
  EXPECT_FALSE(UnhookWindowsHookEx(g_selfRemoving));
}

int g_cbtVeto = -1;
std::vector<int> g_cbtCodes;
LRESULT CbtHook(int code, WPARAM w, LPARAM l) {
  g_cbtCodes.push_back(code);
  if (code == g_cbtVeto) return 1;
  return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(MessagesTest, CbtHookVetoes) {
  struct Row {
    int Code;
    const char* What;
  };
  for (Row row : {Row{HCBT_CREATEWND, "create"}, Row{HCBT_DESTROYWND, "destroy"}, Row{HCBT_SETFOCUS, "focus"},
                  Row{HCBT_ACTIVATE, "activate"}}) {
    SCOPED_TRACE(row.What);
    HWND keep = Make(WS_POPUP | WS_VISIBLE, {0, 0, 20, 20});
    HWND other = Make(WS_POPUP | WS_VISIBLE, {0, 0, 20, 20});
    ASSERT_EQ(GetActiveWindow(), other);
    ASSERT_EQ(GetFocus(), other);
    g_cbtVeto = row.Code;
    g_cbtCodes.clear();
    HHOOK h = SetWindowsHookEx(WH_CBT, CbtHook, nullptr, 0);
    switch (row.Code) {
      case HCBT_CREATEWND: EXPECT_EQ(Make(WS_POPUP, {0, 0, 5, 5}), nullptr); break;
      case HCBT_DESTROYWND:
        EXPECT_FALSE(DestroyWindow(keep));
        EXPECT_TRUE(IsWindow(keep));
        break;
      case HCBT_SETFOCUS:
        EXPECT_EQ(SetFocus(keep), nullptr);
        EXPECT_EQ(GetFocus(), other);
        break;
      case HCBT_ACTIVATE:
        SetActiveWindow(keep);
        EXPECT_EQ(GetActiveWindow(), other);
        break;
    }
    UnhookWindowsHookEx(h);
    EXPECT_NE(std::find(g_cbtCodes.begin(), g_cbtCodes.end(), row.Code), g_cbtCodes.end());
    g_cbtVeto = -1;
    for (HWND x : made_)
      if (IsWindow(x)) DestroyWindow(x);
  }
}

UINT g_rewriteTo = 0;
LRESULT GetMessageHook(int code, WPARAM w, LPARAM l) {
  auto* m = reinterpret_cast<MSG*>(l);
  if (code == HC_ACTION && w == PM_REMOVE && m->message == WM_APP + 5) m->message = g_rewriteTo;
  return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(MessagesTest, GetMessageHookMayRewriteTheMessage) {
  HWND w = Make(WS_POPUP, {0, 0, 10, 10});
  g_rewriteTo = WM_APP + 6;
  HHOOK h = SetWindowsHookEx(WH_GETMESSAGE, GetMessageHook, nullptr, 0);
  PostMessage(w, WM_APP + 5, 0, 0);
  Pump();
  UnhookWindowsHookEx(h);
  EXPECT_EQ(Count(w, WM_APP + 5), 0);
  EXPECT_EQ(Count(w, WM_APP + 6), 1);
}

}  // namespace
}  // namespace wintest
