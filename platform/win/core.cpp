// The user lock, the handle table, thread queues and the atom table.
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

struct Globals {
  std::recursive_mutex Mutex;
  std::unordered_map<uintptr_t, WindowPtr> Table;
  uintptr_t NextHandle = 0x10010;
  std::unordered_map<TThreadID, QueuePtr> Queues;
  WindowPtr DesktopWindow;
  std::vector<std::pair<UINT, std::string>> Atoms;  // number and name, in registration order
  AtomIdAllocator AtomIds = nullptr;
  InputState Input;
};

// Never destroyed: threads may still post while statics die at exit.
Globals& G() {
  static Globals* g = new Globals;
  return *g;
}

thread_local int t_lockDepth = 0;

// Ends a thread's queue with the thread: pending senders are released,
// its windows, hooks and timers go.
struct QueueHolder {
  QueuePtr Q;
  ~QueueHolder() {
    if (!Q) return;
    std::deque<std::shared_ptr<SentItem>> pending;
    {
      std::lock_guard lk(Q->M);
      Q->Alive = false;
      pending.swap(Q->Inbox);
    }
    for (auto& item : pending) {
      if (!item->Sender) continue;
      std::lock_guard lk(item->Sender->M);
      item->Done = true;
      item->Sender->Woken = true;
      item->Sender->Cv.notify_all();
    }
    Lock lock;
    DestroyThreadWindows(Q->Id);
    RemoveThreadHooks(Q->Id);
    G().Queues.erase(Q->Id);
  }
};
thread_local QueueHolder t_queue;

}  // namespace

std::recursive_mutex& UserMutex() { return G().Mutex; }
int& LockDepth() { return t_lockDepth; }
InputState& Input() { return G().Input; }

WindowPtr Find(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& t = G().Table;
  auto it = t.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == t.end() ? nullptr : it->second;
}

Window* FindRaw(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& t = G().Table;
  auto it = t.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == t.end() ? nullptr : it->second.get();
}

WindowPtr Ref(Window* w) { return w ? Find(w->Handle) : nullptr; }

HWND NewHandle(const WindowPtr& w) {
  Globals& g = G();
  uintptr_t h = g.NextHandle;
  g.NextHandle += 4;  // never reused: a stale handle stays stale
  w->Handle = reinterpret_cast<HWND>(h);
  g.Table[h] = w;
  return w->Handle;
}

void DropHandle(Window* w) {
  w->Dead = true;
  G().Table.erase(reinterpret_cast<uintptr_t>(w->Handle));
}

Window* Desktop() {
  Globals& g = G();
  if (!g.DesktopWindow) {
    EnsureSystemClasses();
    auto w = std::make_shared<Window>();
    w->IsDesktop = true;
    w->Class = FindClass("#32769");
    w->Style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    w->Proc = DefWindowProc;
    w->Creating = false;
    NewHandle(w);
    g.DesktopWindow = w;
  }
  SIZE s = ScreenSizeNow();
  g.DesktopWindow->Rect = {0, 0, s.cx, s.cy};
  g.DesktopWindow->Client = {0, 0, s.cx, s.cy};
  return g.DesktopWindow.get();
}

void ThreadQueue::Wake() {
  bool display = false;
  {
    std::lock_guard lk(M);
    Woken = true;
    Cv.notify_all();
  }
  display = IsDisplayThreadId(Id);
  if (display) WakeDisplay();
}

QueuePtr CurrentQueue() {
  if (t_queue.Q) return t_queue.Q;
  auto q = std::make_shared<ThreadQueue>();
  q->Id = TThread::CurrentThreadID();
  {
    Lock lock;
    G().Queues[q->Id] = q;
  }
  t_queue.Q = q;
  if (TThread::IsMainThread()) {
    // Synchronised calls from workers must wake a loop blocked in its own wait.
    std::function<void()> previous = WakeMainThread();
    std::weak_ptr<ThreadQueue> weak = q;
    SetWakeMainThread([weak, previous] {
      if (auto mq = weak.lock()) mq->Wake();
      if (previous) previous();
    });
  }
  return q;
}

QueuePtr QueueOf(TThreadID id) {
  Lock lock;
  auto it = G().Queues.find(id);
  return it == G().Queues.end() ? nullptr : it->second;
}

DWORD Now() {
  static const Clock::time_point start = Clock::now();
  return DWORD(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

bool SameNameAscii(const std::string& a, const char* b) {
  size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string CopyName(LPCSTR name) {
  if (!name) return {};
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<uintptr_t>(name));
  return name;
}

UINT RegisterAtomName(LPCSTR name) {
  if (!name || IS_INTRESOURCE(name) || !*name) return 0;
  Lock lock;
  auto& atoms = G().Atoms;
  for (const auto& [id, n] : atoms)
    if (SameNameAscii(n, name)) return id;
  const size_t index = atoms.size();
  UINT id = 0;
  if (G().AtomIds) id = G().AtomIds(index);
  else if (index < 0x4000) id = UINT(0xC000 + index);
  // A number already given to another name would make the two one.
  if (id == 0 || std::any_of(atoms.begin(), atoms.end(), [&](const auto& a) { return a.first == id; })) return 0;
  atoms.emplace_back(id, name);
  return id;
}

std::string AtomName(UINT id) {
  Lock lock;
  for (const auto& [i, n] : G().Atoms)
    if (i == id) return n;
  return {};
}

std::vector<QueuePtr> AllQueues() {
  Lock lock;
  std::vector<QueuePtr> out;
  for (auto& [id, q] : G().Queues) out.push_back(q);
  return out;
}

std::vector<Window*> AllWindowsOfThread(TThreadID thread) {
  std::vector<Window*> out;
  for (auto& [h, w] : G().Table)
    if (w->Thread == thread && !w->IsDesktop) out.push_back(w.get());
  return out;
}

}  // namespace detail

using namespace detail;

UINT RegisterWindowMessage(LPCSTR name) { return RegisterAtomName(name); }

AtomIdAllocator SetAtomIdAllocator(AtomIdAllocator allocator) {
  Lock lock;
  return std::exchange(G().AtomIds, allocator);
}

DWORD GetTickCount() { return Now(); }
void Sleep(DWORD milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
DWORD GetCurrentThreadId() { return TThread::CurrentThreadID(); }
DWORD GetCurrentProcessId() { return DWORD(::getpid()); }

BOOL IsWindow(HWND hwnd) {
  Lock lock;
  return FindRaw(hwnd) ? TRUE : FALSE;
}

HWND GetDesktopWindow() {
  Lock lock;
  return Desktop()->Handle;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w) return 0;
  if (processId) *processId = DWORD(::getpid());
  return w->Thread;
}

}  // namespace win
