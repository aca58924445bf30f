// The display backend seam: registration, native window state, presenting.
// Changes are collected on any thread and handed to the backend by
// FlushDisplay on the display thread, so a backend sees one thread only.
#include <algorithm>
#include <set>

#include "platform/gdi/syscolors.h"
#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

struct DisplayState {
  DisplayBackend* Backend = nullptr;
  std::set<HWND> Pending;         // top-level windows whose native state may have changed
  std::vector<HWND> Gone;         // native windows to destroy
  HWND ActivatePending = nullptr;
  bool CursorPending = false;
  RECT Work;
};
DisplayState& D() {
  static auto* d = new DisplayState;
  return *d;
}

NativeWindowState Compute(Window* w) {
  NativeWindowState st;
  st.Visible = (w->Style & WS_VISIBLE) && !w->MessageOnly && !w->Rect.IsEmpty();
  st.Decorated = (w->Style & WS_CAPTION) == WS_CAPTION;
  st.Popup = (w->Style & WS_POPUP) && !st.Decorated;
  st.Resizable = st.Decorated && (w->Style & WS_THICKFRAME);
  st.Topmost = (w->ExStyle & WS_EX_TOPMOST) != 0;
  st.NoActivate = (w->ExStyle & WS_EX_NOACTIVATE) != 0;
  st.Minimized = (w->Style & WS_MINIMIZE) != 0;
  st.Alpha = (w->ExStyle & WS_EX_LAYERED) ? w->LayeredAlpha : 255;
  st.PerPixelAlpha = (w->ExStyle & WS_EX_LAYERED) && w->LayeredPerPixel;
  const RECT wr = w->Rect;
  if (st.Decorated) {
    st.Source = w->Client;
    st.Bounds = w->Client;
    st.Bounds.Offset(wr.Left, wr.Top);
  } else {
    st.Source = {0, 0, wr.Width(), wr.Height()};
    st.Bounds = wr;
  }
  SIZE s = ScreenSizeNow();
  st.FullScreen = st.Visible && !st.Decorated && wr == RECT{0, 0, s.cx, s.cy};
  st.Owner = w->Owner ? w->Owner->Handle : nullptr;
  st.Title = w->Text;
  return st;
}

void WakeDisplayQueue() {
  TThreadID t = 0;
  for (const QueuePtr& q : AllQueues())
    if (IsDisplayThreadId(q->Id)) {
      std::lock_guard lk(q->M);
      q->Woken = true;
      q->Cv.notify_all();
      t = q->Id;
    }
  (void)t;
}

}  // namespace

RECT BackendWorkArea() {
  Lock lock;
  DisplayState& d = D();
  if (d.Backend && !d.Work.IsEmpty()) return d.Work;
  SIZE s = ScreenSizeNow();
  return {0, 0, s.cx, s.cy};
}

void SetBackendWorkArea(const RECT& work) {
  Lock lock;
  D().Work = work;
}

void WakeDisplay() {
  DisplayBackend* b;
  {
    Lock lock;
    b = D().Backend;
    WakeDisplayQueue();
  }
  if (b) b->Wake();
}

bool BackendOffersExport(const std::string& module, const std::string& name) {
  if (module != "user32" || name != "UpdateLayeredWindow") return true;
  Lock lock;
  DisplayBackend* b = D().Backend;
  return b && b->ShowsPerPixelAlpha();
}

void NativeStateChanged(Window* top) {
  if (!top || !top->IsTopLevel() || top->MessageOnly) return;
  D().Pending.insert(top->Handle);
  if (D().Backend && !IsDisplayThread()) WakeDisplay();
}

void NativeWindowGone(Window* top) {
  DisplayState& d = D();
  d.Pending.erase(top->Handle);
  if (d.ActivatePending == top->Handle) d.ActivatePending = nullptr;
  if (top->NativeKnown) {
    d.Gone.push_back(top->Handle);
    top->NativeKnown = false;
    if (d.Backend && !IsDisplayThread()) WakeDisplay();
  }
}

void ActivateNative(HWND hwnd) { D().ActivatePending = hwnd; }

void ApplyCursor(HCURSOR) {
  D().CursorPending = true;
  if (D().Backend && !IsDisplayThread()) WakeDisplay();
}

}  // namespace detail

using namespace detail;

void SetDisplayBackend(DisplayBackend* backend) {
  Lock lock;
  DisplayState& d = D();
  if (d.Backend) {
    DisplayBackend* old = d.Backend;
    std::vector<HWND> known;
    for (Window* t : Desktop()->Children)
      if (t->NativeKnown) {
        known.push_back(t->Handle);
        t->NativeKnown = false;
      }
    for (HWND h : d.Gone) known.push_back(h);
    d.Gone.clear();
    CallOut([&] {
      for (HWND h : known) old->WindowDestroyed(h);
      return 0;
    });
  }
  d.Backend = backend;
  d.Pending.clear();
  d.ActivatePending = nullptr;
  SetDisplayThread(backend ? TThread::CurrentThreadID() : 0);
  SetMonitorsNow(std::nullopt);
  if (!backend) return;
  CurrentQueue();
  SIZE s = CallOut([&] { return backend->ScreenSize(); });
  RECT work = CallOut([&] { return backend->WorkArea(); });
  std::vector<MonitorArea> monitors = CallOut([&] { return backend->Monitors(); });
  SetScreenSize(s.cx, s.cy);
  d.Work = work;
  SetMonitorsNow(std::move(monitors));
  for (Window* t : Desktop()->Children)
    if (!t->MessageOnly) d.Pending.insert(t->Handle);
  d.CursorPending = true;
}

void InputMonitorsChanged(std::vector<MonitorArea> monitors) {
  Lock lock;
  if (!monitors.empty()) D().Work = monitors.front().Work;
  SetMonitorsNow(std::move(monitors));
}

DisplayBackend* GetDisplayBackend() {
  Lock lock;
  return D().Backend;
}

void FlushDisplay() {
  Lock lock;
  DisplayState& d = D();
  DisplayBackend* b = d.Backend;
  if (!b || !IsDisplayThread()) return;
  std::vector<HWND> gone;
  gone.swap(d.Gone);
  for (HWND h : gone) CallOut([&] {
    b->WindowDestroyed(h);
    return 0;
  });
  std::vector<HWND> pending(d.Pending.begin(), d.Pending.end());
  d.Pending.clear();
  // Bottom of the z-order first, so that the backend stacks them as we do.
  auto& tops = Desktop()->Children;
  std::sort(pending.begin(), pending.end(), [&](HWND a, HWND c) {
    auto ia = std::find_if(tops.begin(), tops.end(), [&](Window* w) { return w->Handle == a; });
    auto ic = std::find_if(tops.begin(), tops.end(), [&](Window* w) { return w->Handle == c; });
    return ia > ic;
  });
  for (HWND h : pending) {
    WindowPtr w = Find(h);
    if (!w || !w->IsTopLevel() || w->MessageOnly) continue;
    NativeWindowState st = Compute(w.get());
    if (!w->NativeKnown) {
      w->NativeKnown = true;
      w->NativeApplied = st;
      w->Dirty = {0, 0, w->Rect.Width(), w->Rect.Height()};
      CallOut([&] {
        b->WindowCreated(h, st);
        return 0;
      });
    } else if (!(st == w->NativeApplied)) {
      w->NativeApplied = st;
      CallOut([&] {
        b->WindowChanged(h, st);
        return 0;
      });
    }
  }
  if (HWND a = d.ActivatePending) {
    d.ActivatePending = nullptr;
    if (Window* w = FindRaw(a); w && w->NativeKnown) CallOut([&] {
      b->Activate(a);
      return 0;
    });
  }
  if (d.CursorPending) {
    d.CursorPending = false;
    HCURSOR c = Input().CurrentCursor;
    const bool show = Input().CursorCount >= 0;
    const int id = StandardCursorId(c);
    CallOut([&] {
      b->SetCursorShape(c, id);
      b->ShowCursor(show);
      return 0;
    });
  }
  std::vector<std::pair<WindowPtr, RECT>> present;
  for (Window* t : Desktop()->Children) {
    if (!t->NativeKnown || t->Dirty.IsEmpty() || !t->Buffer || !(t->Style & WS_VISIBLE)) continue;
    RECT r;
    if (IntersectRect(r, t->Dirty, RECT{0, 0, t->Buffer->Width, t->Buffer->Height})) present.push_back({Ref(t), r});
    t->Dirty = {};
  }
  for (auto& [w, r] : present) {
    std::shared_ptr<SurfaceBuffer> buf = w->Buffer;
    if (!buf) continue;
    Surface s = buf->Get();
    HWND h = w->Handle;
    RECT dirty = r;
    CallOut([&] {
      b->Present(h, s, dirty);
      return 0;
    });
  }
}

bool CopyWindowSurface(HWND topLevel, SurfacePixels& out) {
  Lock lock;
  Window* w = FindRaw(topLevel);
  if (!w || !w->IsTopLevel() || !w->Buffer) return false;
  out.Width = w->Buffer->Width;
  out.Height = w->Buffer->Height;
  out.Pixels = w->Buffer->Pixels;
  return true;
}

std::vector<HWND> TopLevelWindows() {
  Lock lock;
  std::vector<HWND> out;
  for (Window* t : Desktop()->Children)
    if (!t->MessageOnly) out.push_back(t->Handle);
  return out;
}

bool GetNativeWindowState(HWND topLevel, NativeWindowState& out) {
  Lock lock;
  Window* w = FindRaw(topLevel);
  if (!w || !w->IsTopLevel()) return false;
  out = Compute(w);
  return true;
}

}  // namespace win
