// Thread hooks. A hook's handle encodes its install sequence and type, so
// CallNextHookEx finds the rest of the chain even when the hook it names was
// removed inside its own callback.
#include <algorithm>

#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

struct Hook {
  uint64_t Seq = 0;
  int Type = 0;
  TThreadID Thread = 0;
  HOOKPROC Proc = nullptr;
};

std::vector<Hook>& Hooks() {
  static auto* hooks = new std::vector<Hook>;
  return *hooks;
}
uint64_t g_nextSeq = 1;
// The hooks running on this thread, innermost last: a null handle given to
// CallNextHookEx means the one running now.
thread_local std::vector<uint64_t> t_running;

constexpr int kTypeBias = 16;

HHOOK Encode(uint64_t seq, int type) { return reinterpret_cast<HHOOK>(uintptr_t((seq << 8) | uint64_t(type + kTypeBias))); }
void Decode(HHOOK h, uint64_t& seq, int& type) {
  auto v = uint64_t(reinterpret_cast<uintptr_t>(h));
  seq = v >> 8;
  type = int(v & 0xFF) - kTypeBias;
}

bool Supported(int type) {
  switch (type) {
    case WH_KEYBOARD: case WH_MOUSE: case WH_CALLWNDPROC: case WH_CALLWNDPROCRET: case WH_GETMESSAGE:
    case WH_CBT: case WH_MSGFILTER: case WH_SYSMSGFILTER: case WH_FOREGROUNDIDLE: case WH_SHELL:
    case WH_DEBUG:
      return true;
    default: return false;
  }
}

// The newest live hook of a type for the calling thread installed before seq.
const Hook* NextBelow(int type, uint64_t seq) {
  const TThreadID me = TThread::CurrentThreadID();
  const Hook* best = nullptr;
  for (const Hook& h : Hooks())
    if (h.Type == type && h.Thread == me && h.Seq < seq && (!best || h.Seq > best->Seq)) best = &h;
  return best;
}

LRESULT RunHook(const Hook* h, int code, WPARAM wParam, LPARAM lParam) {
  const uint64_t seq = h->Seq;
  HOOKPROC proc = h->Proc;
  t_running.push_back(seq);
  struct Pop {
    ~Pop() { t_running.pop_back(); }
  } pop;
  return CallOut([&] { return proc(code, wParam, lParam); });
}

}  // namespace

LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam) {
  Lock lock;
  const Hook* h = NextBelow(type, UINT64_MAX);
  return h ? RunHook(h, code, wParam, lParam) : 0;
}

bool HasHooks(int type) {
  Lock lock;
  return NextBelow(type, UINT64_MAX) != nullptr;
}

void RemoveThreadHooks(TThreadID thread) {
  std::erase_if(Hooks(), [&](const Hook& h) { return h.Thread == thread; });
}

}  // namespace detail

using namespace detail;

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if (!proc || !Supported(idHook)) return nullptr;
  Lock lock;
  Hook h;
  h.Seq = g_nextSeq++;
  h.Type = idHook;
  h.Thread = threadId ? threadId : TThread::CurrentThreadID();
  h.Proc = proc;
  Hooks().push_back(h);
  return Encode(h.Seq, idHook);
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  if (!hook) return FALSE;
  uint64_t seq;
  int type;
  Decode(hook, seq, type);
  Lock lock;
  auto& v = Hooks();
  auto it = std::find_if(v.begin(), v.end(), [&](const Hook& h) { return h.Seq == seq && h.Type == type; });
  if (it == v.end()) return FALSE;
  v.erase(it);
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  uint64_t seq = 0;
  int type = 0;
  if (hook) {
    Decode(hook, seq, type);
  } else {
    if (t_running.empty()) return 0;
    seq = t_running.back();
    Lock lock;
    auto it = std::find_if(Hooks().begin(), Hooks().end(), [&](const Hook& h) { return h.Seq == seq; });
    if (it == Hooks().end()) return 0;
    type = it->Type;
  }
  Lock lock;
  const Hook* next = NextBelow(type, seq);
  return next ? RunHook(next, code, wParam, lParam) : 0;
}

}  // namespace win
