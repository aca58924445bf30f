// Sending, posting, retrieving and dispatching messages; waiting for them.
#include <algorithm>

#include "platform/rtl/text.h"
#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

bool MatchRange(UINT m, UINT lo, UINT hi) {
  if (lo == 0 && hi == 0) return true;
  if (lo > hi) return true;
  return m >= lo && m <= hi;
}

struct Filter {
  HWND Hwnd = nullptr;
  Window* W = nullptr;
  bool ThreadOnly = false;
  UINT Min = 0, Max = 0;
  bool Matches(HWND msgHwnd) const {
    if (ThreadOnly) return msgHwnd == nullptr;
    if (!W) return true;
    if (msgHwnd == Hwnd) return true;
    Window* mw = FindRaw(msgHwnd);
    return mw && IsDescendant(W, mw);
  }
};

void Complete(const std::shared_ptr<SentItem>& item) {
  if (!item->Sender) return;
  {
    std::lock_guard lk(item->Sender->M);
    item->Done = true;
  }
  item->Sender->Wake();
}

// Polls the backend for new input so that PeekMessage sees it.
void PollBackend() {
  if (!IsDisplayThread()) return;
  DisplayBackend* b = GetDisplayBackend();
  if (b && b->WaitsForEvents()) CallOut([&] { b->WaitEvents(0); });
}

// Finds and (with PM_REMOVE) takes the next message; false when there is none.
bool Retrieve(const QueuePtr& q, MSG* out, const Filter& f, UINT remove) {
  PollBackend();
  ServeIncoming(q);
  Lock lock;
  const bool take = (remove & PM_REMOVE) != 0;
  MSG m;
  bool found = false;
  // Routing input may post (mouse leave), so it comes before the look at posted messages.
  const auto wanted = [&](const MSG& c) { return MatchRange(c.message, f.Min, f.Max) && f.Matches(c.hwnd); };
  if (!f.ThreadOnly) CookRawInput(q, wanted);
  {
    std::lock_guard lk(q->M);
    for (auto it = q->Posted.begin(); it != q->Posted.end(); ++it) {
      if (!MatchRange(it->message, f.Min, f.Max) || !f.Matches(it->hwnd)) continue;
      m = *it;
      if (take) q->Posted.erase(it);
      found = true;
      break;
    }
  }
  // Input a hook swallowed makes room for the events behind it.
  for (bool more = !found && !f.ThreadOnly; more; more = !found && CookRawInput(q, wanted)) {
    for (size_t i = 0; i < q->Cooked.size();) {
      MSG c = q->Cooked[i];
      if (!wanted(c)) {
        ++i;
        continue;
      }
      if (take) q->Cooked.erase(q->Cooked.begin() + ptrdiff_t(i));
      if (!PrepareInputMessage(c, take)) {
        if (!take) ++i;
        continue;
      }
      m = c;
      found = true;
      break;
    }
  }
  if (!found && q->Quit) {
    m = MSG{};
    m.message = WM_QUIT;
    m.wParam = WPARAM(q->QuitCode);
    m.time = Now();
    m.pt = Input().Cursor;
    if (take) q->Quit = false;
    found = true;
  }
  if (!found && !f.ThreadOnly && MatchRange(WM_PAINT, f.Min, f.Max)) {
    if (Window* pw = FindPaintWindow(q->Id, f.W)) {
      m = MSG{};
      m.hwnd = pw->Handle;
      m.message = WM_PAINT;
      m.time = Now();
      m.pt = Input().Cursor;
      found = true;
    }
  }
  if (!found && MatchRange(WM_TIMER, f.Min, f.Max)) {
    found = NextTimerMessage(q, f.ThreadOnly ? reinterpret_cast<HWND>(intptr_t(-1)) : f.Hwnd, take, &m);
    if (found && !f.ThreadOnly && !f.Matches(m.hwnd)) found = false;
  }
  if (!found) return false;
  if (take) q->Last = m;
  if (HasHooks(WH_GETMESSAGE)) CallHooks(WH_GETMESSAGE, HC_ACTION, take ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&m));
  *out = m;
  return true;
}

// Resolves the hwnd filter; false for a window that is stale or another thread's.
bool MakeFilter(HWND hwnd, UINT lo, UINT hi, Filter& f) {
  f.Min = lo;
  f.Max = hi;
  if (hwnd == reinterpret_cast<HWND>(intptr_t(-1))) {
    f.ThreadOnly = true;
    return true;
  }
  if (!hwnd) return true;
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || w->Thread != TThread::CurrentThreadID()) return false;
  f.Hwnd = hwnd;
  f.W = w;
  return true;
}

bool HasWork(const QueuePtr& q, DWORD mask) {
  Lock lock;
  {
    std::lock_guard lk(q->M);
    if ((mask & (QS_POSTMESSAGE | QS_ALLPOSTMESSAGE)) && !q->Posted.empty()) return true;
    if ((mask & QS_INPUT) && !q->Raw.empty()) return true;
    if ((mask & QS_SENDMESSAGE) && !q->Inbox.empty()) return true;
  }
  if ((mask & QS_INPUT) && !q->Cooked.empty()) return true;
  if ((mask & QS_POSTMESSAGE) && q->Quit) return true;
  if ((mask & QS_PAINT) && FindPaintWindow(q->Id, nullptr)) return true;
  if ((mask & QS_TIMER) && MillisToNextTimer(q) == 0) return true;
  return false;
}

int NextWaitMs(const QueuePtr& q, int cap) {
  Lock lock;
  int t = MillisToNextTimer(q);
  if (cap >= 0 && (t < 0 || t > cap)) t = cap;
  return t;
}

}  // namespace

bool ServeIncoming(const QueuePtr& q) {
  bool ran = false;
  for (;;) {
    std::shared_ptr<SentItem> item;
    {
      std::lock_guard lk(q->M);
      if (q->Inbox.empty()) break;
      item = q->Inbox.front();
      q->Inbox.pop_front();
    }
    ran = true;
    ++q->SendDepth;
    try {
      if (item->Call) {
        item->Result = item->Call();
      } else {
        Lock lock;
        WindowPtr w = Find(item->Hwnd);
        item->Result = w ? CallWindow(w, item->Msg, item->WParam, item->LParam, false) : 0;
      }
    } catch (...) {
      item->Error = std::current_exception();
    }
    --q->SendDepth;
    Complete(item);
  }
  if (TThread::IsMainThread()) ran = CallOut([] { return CheckSynchronize(0); }) || ran;
  return ran;
}

void WaitQueue(const QueuePtr& q, int timeoutMs, bool idle) {
  if (idle && IsDisplayThread()) {
    DisplayBackend* b = GetDisplayBackend();
    if (b && b->WaitsForEvents()) {
      {
        std::lock_guard lk(q->M);
        if (q->Woken) {
          q->Woken = false;
          return;
        }
      }
      CallOut([&] { b->WaitEvents(timeoutMs < 0 ? 1000 : timeoutMs); });
      std::lock_guard lk(q->M);
      q->Woken = false;
      return;
    }
  }
  CallOut([&] {
    std::unique_lock lk(q->M);
    if (timeoutMs < 0)
      q->Cv.wait(lk, [&] { return q->Woken; });
    else
      q->Cv.wait_for(lk, std::chrono::milliseconds(timeoutMs), [&] { return q->Woken; });
    q->Woken = false;
    return 0;
  });
}

bool PostToQueue(const QueuePtr& q, const MSG& m) {
  if (!q) return false;
  {
    std::lock_guard lk(q->M);
    if (!q->Alive || q->Posted.size() >= MESSAGE_QUEUE_LIMIT) return false;
    q->Posted.push_back(m);
  }
  q->Wake();
  return true;
}

void PurgeWindowMessages(Window* w) {
  QueuePtr q = QueueOf(w->Thread);
  if (!q) return;
  {
    std::lock_guard lk(q->M);
    std::erase_if(q->Posted, [&](const MSG& m) { return m.hwnd == w->Handle; });
  }
  if (TThread::CurrentThreadID() == w->Thread)
    std::erase_if(q->Cooked, [&](const MSG& m) { return m.hwnd == w->Handle; });
}

LRESULT CallWindow(const WindowPtr& w, UINT msg, WPARAM wParam, LPARAM lParam, bool fromThisThread) {
  if (!w || w->Dead) return 0;
  const HWND h = w->Handle;
  if (HasHooks(WH_CALLWNDPROC)) {
    CWPSTRUCT cwp{lParam, wParam, msg, h};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, fromThisThread ? 1 : 0, reinterpret_cast<LPARAM>(&cwp));
    if (w->Dead) return 0;
  }
  WNDPROC proc = w->Proc;
  LRESULT r = proc ? CallOut([&] { return proc(h, msg, wParam, lParam); }) : 0;
  if (HasHooks(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{r, lParam, wParam, msg, h};
    CallHooks(WH_CALLWNDPROCRET, HC_ACTION, fromThisThread ? 1 : 0, reinterpret_cast<LPARAM>(&ret));
  }
  return r;
}

bool RunOnWindowThread(HWND hwnd, const std::function<LRESULT()>& f, LRESULT* result) {
  TThreadID tid;
  {
    Lock lock;
    Window* w = FindRaw(hwnd);
    if (!w) return false;
    tid = w->Thread;
  }
  if (tid == TThread::CurrentThreadID()) {
    LRESULT r = f();
    if (result) *result = r;
    return true;
  }
  if (tid == TThread::MainThreadID()) {
    // Through the framework's synchronisation, which the main thread serves
    // in its message loop and also while it waits for a worker to end.
    LRESULT r = 0;
    CallOut([&] {
      TThread::Synchronize(nullptr, [&] {
        Lock lock;
        if (FindRaw(hwnd)) r = f();
      });
      return 0;
    });
    if (result) *result = r;
    return true;
  }
  QueuePtr target = QueueOf(tid);
  if (!target) return false;
  auto item = std::make_shared<SentItem>();
  item->Hwnd = hwnd;
  item->Call = [hwnd, &f] {
    Lock lock;
    return FindRaw(hwnd) ? f() : LRESULT(0);
  };
  QueuePtr me = CurrentQueue();
  item->Sender = me;
  {
    std::lock_guard lk(target->M);
    if (!target->Alive) return false;
    target->Inbox.push_back(item);
  }
  target->Wake();
  for (;;) {
    {
      std::lock_guard lk(me->M);
      if (item->Done) break;
    }
    ServeIncoming(me);
    {
      std::lock_guard lk(me->M);
      if (item->Done) break;
    }
    WaitQueue(me, -1, false);
  }
  if (item->Error) std::rethrow_exception(item->Error);
  if (result) *result = item->Result;
  return true;
}

}  // namespace detail

using namespace detail;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    for (HWND h : TopLevelWindows()) SendMessage(h, msg, wParam, lParam);
    return 0;
  }
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w) return 0;
  if (w->Thread == TThread::CurrentThreadID() || w->IsDesktop) return CallWindow(w, msg, wParam, lParam, true);
  LRESULT r = 0;
  RunOnWindowThread(hwnd, [=] {
    WindowPtr t = Find(hwnd);
    if (!t) return LRESULT(0);
    QueuePtr q = CurrentQueue();
    ++q->SendDepth;
    LRESULT res = 0;
    try {
      res = CallWindow(t, msg, wParam, lParam, false);
    } catch (...) {
      --q->SendDepth;
      throw;
    }
    --q->SendDepth;
    return res;
  }, &r);
  return r;
}

BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TThreadID tid;
  {
    Lock lock;
    Window* w = FindRaw(hwnd);
    if (!w) return FALSE;
    tid = w->Thread;
  }
  if (tid == TThread::CurrentThreadID()) {
    SendMessage(hwnd, msg, wParam, lParam);
    return TRUE;
  }
  if (tid == TThread::MainThreadID()) {
    TThread::Queue(nullptr, [=] { SendMessage(hwnd, msg, wParam, lParam); });
    return TRUE;
  }
  QueuePtr target = QueueOf(tid);
  if (!target) return FALSE;
  auto item = std::make_shared<SentItem>();
  item->Hwnd = hwnd;
  item->Msg = msg;
  item->WParam = wParam;
  item->LParam = lParam;
  item->NoReply = true;
  {
    std::lock_guard lk(target->M);
    if (!target->Alive) return FALSE;
    target->Inbox.push_back(item);
  }
  target->Wake();
  return TRUE;
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!hwnd) return PostThreadMessage(GetCurrentThreadId(), msg, wParam, lParam);
  if (hwnd == HWND_BROADCAST) {
    for (HWND h : TopLevelWindows()) PostMessage(h, msg, wParam, lParam);
    return TRUE;
  }
  QueuePtr q;
  MSG m;
  {
    Lock lock;
    Window* w = FindRaw(hwnd);
    if (!w || w->IsDesktop) return FALSE;
    q = QueueOf(w->Thread);
    m.pt = Input().Cursor;
  }
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = Now();
  return PostToQueue(q, m) ? TRUE : FALSE;
}

BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  QueuePtr q = threadId == GetCurrentThreadId() ? CurrentQueue() : QueueOf(threadId);
  if (!q) return FALSE;
  MSG m;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = Now();
  {
    Lock lock;
    m.pt = Input().Cursor;
  }
  return PostToQueue(q, m) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode) {
  QueuePtr q = CurrentQueue();
  q->Quit = true;
  q->QuitCode = exitCode;
  q->Wake();
}

void RepostQuitMessage(const MSG& quit) { PostQuitMessage(int(quit.wParam)); }

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) return -1;
  Filter f;
  if (!MakeFilter(hwnd, filterMin, filterMax, f)) return -1;
  QueuePtr q = CurrentQueue();
  for (;;) {
    if (Retrieve(q, msg, f, PM_REMOVE)) return msg->message == WM_QUIT ? 0 : 1;
    if (hwnd && hwnd != reinterpret_cast<HWND>(intptr_t(-1)) && !IsWindow(hwnd)) return -1;
    if (IsDisplayThread()) FlushDisplay();
    WaitQueue(q, NextWaitMs(q, -1), true);
  }
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg) return FALSE;
  Filter f;
  if (!MakeFilter(hwnd, filterMin, filterMax, f)) return FALSE;
  QueuePtr q = CurrentQueue();
  if (Retrieve(q, msg, f, removeFlags)) return TRUE;
  if (IsDisplayThread()) FlushDisplay();
  return FALSE;
}

BOOL GetModalMessage(MSG* msg) {
  BOOL r = GetMessage(msg, nullptr, 0, 0);
  if (r == 0) {
    RepostQuitMessage(*msg);
    return FALSE;
  }
  return r > 0 ? TRUE : FALSE;
}

BOOL WaitMessage() {
  QueuePtr q = CurrentQueue();
  for (;;) {
    PollBackend();
    ServeIncoming(q);
    if (HasWork(q, QS_ALLINPUT)) return TRUE;
    if (IsDisplayThread()) FlushDisplay();
    WaitQueue(q, NextWaitMs(q, -1), true);
  }
}

DWORD MsgWaitForMultipleObjects(DWORD count, TEvent* const* events, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask) {
  if (count > 0 && !events) return WAIT_FAILED;
  QueuePtr q = CurrentQueue();
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    PollBackend();
    ServeIncoming(q);
    if (count > 0) {
      if (waitAll) {
        bool all = true;
        for (DWORD i = 0; i < count && all; ++i) all = events[i] && events[i]->WaitFor(0) == wrSignaled;
        if (all) return WAIT_OBJECT_0;
      } else {
        for (DWORD i = 0; i < count; ++i)
          if (events[i] && events[i]->WaitFor(0) == wrSignaled) return WAIT_OBJECT_0 + i;
      }
    }
    if (HasWork(q, wakeMask)) return WAIT_OBJECT_0 + count;
    int remaining = -1;
    if (milliseconds != INFINITE) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return WAIT_TIMEOUT;
      remaining = int(left);
    }
    // Events have no way to wake the queue: look at them every few milliseconds.
    int slice = count > 0 ? (remaining < 0 ? 5 : std::min(remaining, 5)) : remaining;
    if (IsDisplayThread()) FlushDisplay();
    WaitQueue(q, NextWaitMs(q, slice), true);
  }
}

DWORD GetQueueStatus(UINT flags) {
  QueuePtr q = CurrentQueue();
  DWORD have = 0;
  for (DWORD bit : {QS_POSTMESSAGE, QS_INPUT, QS_PAINT, QS_TIMER, QS_SENDMESSAGE})
    if (HasWork(q, bit)) have |= bit;
  have &= flags;
  return (have << 16) | have;
}

BOOL InSendMessage() { return CurrentQueue()->SendDepth > 0 ? TRUE : FALSE; }
BOOL ReplyMessage(LRESULT) { return FALSE; }
LPARAM GetMessageExtraInfo() { return 0; }
DWORD GetMessageTime() { return CurrentQueue()->Last.time; }
DWORD GetMessagePos() {
  const MSG& m = CurrentQueue()->Last;
  return DWORD(MAKELPARAM(m.pt.X, m.pt.Y));
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  BYTE keys[256];
  GetKeyboardState(keys);
  const bool ctrl = keys[VK_CONTROL] & 0x80, alt = keys[VK_MENU] & 0x80;
  char32_t ch = 0;
  if (msg->lPrivate && !(ctrl && !alt)) {
    ch = char32_t(msg->lPrivate);
  } else {
    char16_t buf[2] = {};
    if (ToUnicode(UINT(msg->wParam), (UINT(msg->lParam) >> 16) & 0xFF, keys, buf, 2, 0) == 1) ch = buf[0];
  }
  if (!ch) return FALSE;
  const UINT charMsg = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  const std::u16string units = Utf8ToUtf16(CodePointToUtf8(ch));
  QueuePtr q = CurrentQueue();
  {
    std::lock_guard lk(q->M);
    // The character comes next, before anything posted earlier.
    for (auto it = units.rbegin(); it != units.rend(); ++it) {
      MSG c = *msg;
      c.message = charMsg;
      c.wParam = WPARAM(*it);
      c.lPrivate = 0;
      q->Posted.push_front(c);
    }
  }
  q->Wake();
  return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  Lock lock;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    // Only a proc registered for that timer is called: lParam is not trusted.
    for (const Timer& t : CurrentQueue()->Timers) {
      if (t.Hwnd != msg->hwnd || t.Id != msg->wParam) continue;
      const HWND h = msg->hwnd;
      const UINT_PTR id = t.Id;
      if (t.ContextProc && reinterpret_cast<LPARAM>(t.ContextProc) == msg->lParam) {
        const CONTEXTPROC proc = t.ContextProc;
        void* const context = t.Context;
        CallOut([&] {
          proc(context, uintptr_t(h), WM_TIMER, id, Now());
          return 0;
        });
        return 0;
      }
      if (t.Proc && reinterpret_cast<LPARAM>(t.Proc) == msg->lParam) {
        const TIMERPROC proc = t.Proc;
        CallOut([&] {
          proc(h, WM_TIMER, id, Now());
          return 0;
        });
        return 0;
      }
    }
    return 0;
  }
  WindowPtr w = Find(msg->hwnd);
  if (!w || w->Thread != TThread::CurrentThreadID()) return 0;
  if (msg->message == WM_PAINT) w->InternalPaint = false;
  WNDPROC proc = w->Proc;
  if (!proc) return 0;
  const HWND h = w->Handle;
  return CallOut([&] { return proc(h, msg->message, msg->wParam, msg->lParam); });
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

}  // namespace win
