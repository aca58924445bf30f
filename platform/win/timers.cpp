// Timers. WM_TIMER is never queued: a due timer produces it when its thread
// finds nothing else to retrieve, so timers coalesce and come last, as on
// the platform.
#include <algorithm>
#include <map>
#include <mutex>

#include "platform/win/internal.h"
#include "platform/win/timeperiod.h"

namespace win {
namespace detail {

namespace {
UINT_PTR g_nextThreadTimer = 0x8000;
UINT_PTR g_nextInternal = 1;
}  // namespace

void KillWindowTimers(HWND hwnd) {
  for (const QueuePtr& q : AllQueues()) std::erase_if(q->Timers, [&](const Timer& t) { return t.Hwnd == hwnd; });
}

bool NextTimerMessage(const QueuePtr& q, HWND filter, bool remove, MSG* out) {
  const bool threadOnly = filter == reinterpret_cast<HWND>(intptr_t(-1));
  // Bounded: each internal timer runs at most once per call.
  for (size_t guard = 0; guard <= q->Timers.size() + 1; ++guard) {
    const auto now = Clock::now();
    bool ranInternal = false;
    for (Timer& t : q->Timers) {
      if (t.Due > now) continue;
      if (t.Internal) {
        t.Due = now + std::chrono::milliseconds(t.Elapse);
        auto f = t.Internal;
        CallOut([&] {
          f();
          return 0;
        });
        ranInternal = true;
        break;  // the list may have changed
      }
      if (threadOnly && t.Hwnd) continue;
      if (!threadOnly && filter && t.Hwnd != filter) {
        Window* fw = FindRaw(filter);
        Window* tw = FindRaw(t.Hwnd);
        if (!fw || !tw || !IsDescendant(fw, tw)) continue;
      }
      MSG m;
      m.hwnd = t.Hwnd;
      m.message = WM_TIMER;
      m.wParam = t.Id;
      m.lParam = t.ContextProc ? reinterpret_cast<LPARAM>(t.ContextProc) : reinterpret_cast<LPARAM>(t.Proc);
      m.time = Now();
      m.pt = Input().Cursor;
      if (remove) t.Due = now + std::chrono::milliseconds(t.Elapse);
      *out = m;
      return true;
    }
    if (!ranInternal) return false;
  }
  return false;
}

int MillisToNextTimer(const QueuePtr& q) {
  if (q->Timers.empty()) return -1;
  const auto now = Clock::now();
  long long best = -1;
  for (const Timer& t : q->Timers) {
    long long ms = t.Due <= now ? 0 : std::chrono::duration_cast<std::chrono::milliseconds>(t.Due - now).count() + 1;
    if (best < 0 || ms < best) best = ms;
  }
  return int(std::min<long long>(best, 0x7FFFFFFF));
}

UINT_PTR SetInternalTimer(HWND hwnd, UINT elapse, std::function<void()> f) {
  Lock lock;
  QueuePtr q;
  if (Window* w = FindRaw(hwnd)) q = QueueOf(w->Thread);
  if (!q) q = CurrentQueue();
  Timer t;
  t.Hwnd = hwnd;
  t.Id = g_nextInternal++;
  t.Elapse = std::max(elapse, USER_TIMER_MINIMUM);
  t.Due = Clock::now() + std::chrono::milliseconds(t.Elapse);
  t.Internal = std::move(f);
  q->Timers.push_back(t);
  q->Wake();
  return t.Id;
}

void KillInternalTimer(UINT_PTR id) {
  Lock lock;
  for (const QueuePtr& q : AllQueues())
    std::erase_if(q->Timers, [&](const Timer& t) { return t.Internal && t.Id == id; });
}

}  // namespace detail

using namespace detail;

namespace {

UINT_PTR SetAnyTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, CONTEXTPROC contextProc, void* context) {
  Lock lock;
  QueuePtr q = CurrentQueue();
  if (hwnd) {
    Window* w = FindRaw(hwnd);
    if (!w || w->IsDesktop || w->Thread != q->Id) return 0;
  }
  elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  const auto due = Clock::now() + std::chrono::milliseconds(elapse);
  for (Timer& t : q->Timers) {
    if (t.Internal || t.Hwnd != hwnd) continue;
    if (t.Id == id && (hwnd || id != 0)) {
      t.Elapse = elapse;
      t.Proc = proc;
      t.ContextProc = contextProc;
      t.Context = context;
      t.Due = due;
      q->Wake();
      return hwnd ? (id ? id : 1) : id;
    }
  }
  Timer t;
  t.Hwnd = hwnd;
  t.Id = hwnd ? id : g_nextThreadTimer++;
  t.Elapse = elapse;
  t.Proc = proc;
  t.ContextProc = contextProc;
  t.Context = context;
  t.Due = due;
  q->Timers.push_back(t);
  q->Wake();
  return hwnd ? (id ? id : 1) : t.Id;
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  return SetAnyTimer(hwnd, id, elapse, proc, nullptr, nullptr);
}

UINT_PTR SetTimerWithContext(HWND hwnd, UINT_PTR id, UINT elapse, CONTEXTPROC proc, void* context) {
  if (!proc) return 0;
  return SetAnyTimer(hwnd, id, elapse, nullptr, proc, context);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  Lock lock;
  QueuePtr q;
  if (hwnd) {
    Window* w = FindRaw(hwnd);
    if (!w) return FALSE;
    q = QueueOf(w->Thread);
  } else {
    q = CurrentQueue();
  }
  if (!q) return FALSE;
  auto before = q->Timers.size();
  std::erase_if(q->Timers, [&](const Timer& t) { return !t.Internal && t.Hwnd == hwnd && t.Id == id; });
  return q->Timers.size() != before ? TRUE : FALSE;
}

namespace {
std::mutex g_periodMutex;
std::map<uint32_t, int32_t> g_periods;
}  // namespace

uint32_t timeBeginPeriod(uint32_t period) {
  if (period == 0) return TIMERR_NOCANDO;
  std::lock_guard lk(g_periodMutex);
  ++g_periods[period];
  return TIMERR_NOERROR;
}

uint32_t timeEndPeriod(uint32_t period) {
  std::lock_guard lk(g_periodMutex);
  const auto it = g_periods.find(period);
  if (it == g_periods.end()) return TIMERR_NOCANDO;
  if (--it->second == 0) g_periods.erase(it);
  return TIMERR_NOERROR;
}

}  // namespace win
