// Window classes, creation and destruction, window data, properties, text,
// relations and enumeration.
#include <algorithm>
#include <cstring>

#include "platform/gdi/syscolors.h"
#include "platform/rtl/text.h"
#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

std::vector<std::shared_ptr<WndClass>>& Classes() {
  static auto* classes = new std::vector<std::shared_ptr<WndClass>>;
  return *classes;
}

ATOM RegisterClassCommon(const WNDCLASSEX& wc, bool system) {
  if (!wc.lpszClassName || !wc.lpfnWndProc || wc.cbClsExtra < 0 || wc.cbWndExtra < 0) return 0;
  Lock lock;
  std::string name = CopyName(wc.lpszClassName);
  for (auto& c : Classes())
    if (SameNameAscii(c->Name, name.c_str())) return 0;
  auto c = std::make_shared<WndClass>();
  c->Name = name;
  c->Atom = ATOM(IS_INTRESOURCE(wc.lpszClassName) ? reinterpret_cast<uintptr_t>(wc.lpszClassName)
                                                   : RegisterAtomName(wc.lpszClassName));
  c->Style = wc.style;
  c->Proc = wc.lpfnWndProc;
  c->ClsExtra = wc.cbClsExtra;
  c->WndExtra = wc.cbWndExtra;
  c->Instance = wc.hInstance;
  c->Icon = wc.hIcon;
  c->IconSm = wc.hIconSm;
  c->Cursor = wc.hCursor;
  c->Background = wc.hbrBackground;
  c->MenuName = CopyName(wc.lpszMenuName);
  c->Extra.assign(size_t(wc.cbClsExtra), 0);
  c->System = system;
  Classes().push_back(c);
  return c->Atom;
}

LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

// Keeps top-level windows with WS_EX_TOPMOST above the others.
void LinkChild(Window* parent, Window* w, HWND insertAfter) {
  // A re-parented window leaves its old parent's list, or that parent would
  // still reach it (and, once it is destroyed, reach freed memory).
  if (w->Parent && w->Parent != parent) std::erase(w->Parent->Children, w);
  auto& v = parent->Children;
  std::erase(v, w);
  w->Parent = parent;
  size_t pos = 0;
  if (parent->IsDesktop && !(w->ExStyle & WS_EX_TOPMOST)) {
    while (pos < v.size() && (v[pos]->ExStyle & WS_EX_TOPMOST)) ++pos;
  }
  if (insertAfter == HWND_BOTTOM) {
    pos = v.size();
    if (parent->IsDesktop && (w->ExStyle & WS_EX_TOPMOST)) {
      pos = 0;
      while (pos < v.size() && (v[pos]->ExStyle & WS_EX_TOPMOST)) ++pos;
    }
  } else if (insertAfter && insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST &&
             insertAfter != HWND_NOTOPMOST) {
    for (size_t i = 0; i < v.size(); ++i)
      if (v[i]->Handle == insertAfter) {
        pos = std::max(pos, i + 1);
        break;
      }
  }
  v.insert(v.begin() + ptrdiff_t(std::min(pos, v.size())), w);
}

// Takes a window and its descendants out of everything, without messages.
void Unlink(Window* w) {
  for (Window* c : std::vector<Window*>(w->Children)) Unlink(c);
  if (w->Parent) std::erase(w->Parent->Children, w);
  if (w->IsTopLevel() && !w->MessageOnly) NativeWindowGone(w);
  OnWindowGone(w, false);
  KillWindowTimers(w->Handle);
  DestroySystemMenu(w->Handle);
  PurgeWindowMessages(w);
  ForgetWindowDCs(w);
  CaretWindowGone(w->Handle);
  for (Window* d : Desktop()->Children)
    if (d->Owner == w) d->Owner = nullptr;
  if (w->Class) --w->Class->Windows;
  w->Props.clear();
  w->Buffer.reset();
  w->Parent = nullptr;
  w->Owner = nullptr;
  w->Children.clear();
  DropHandle(w);
}

void SendDestroyTree(const WindowPtr& w) {
  w->Destroying = true;
  SendMessage(w->Handle, WM_DESTROY, 0, 0);
  std::vector<WindowPtr> kids;
  for (Window* c : w->Children) kids.push_back(Ref(c));
  for (auto& c : kids)
    if (c && !c->Dead) SendDestroyTree(c);
}

void FreeTree(const WindowPtr& w) {
  std::vector<WindowPtr> kids;
  for (Window* c : w->Children) kids.push_back(Ref(c));
  for (auto& c : kids)
    if (c && !c->Dead) FreeTree(c);
  if (w->Dead) return;
  SendMessage(w->Handle, WM_NCDESTROY, 0, 0);
  if (!w->Dead) Unlink(w.get());
}

std::string PropKey(LPCSTR name) {
  if (name && IS_INTRESOURCE(name)) {
    auto id = UINT(reinterpret_cast<uintptr_t>(name));
    std::string atom = AtomName(id);
    return atom.empty() ? CopyName(name) : atom;
  }
  return CopyName(name);
}

}  // namespace

std::shared_ptr<WndClass> FindClass(LPCSTR name) {
  if (!name) return nullptr;
  for (auto& c : Classes()) {
    if (IS_INTRESOURCE(name)) {
      if (c->Atom == ATOM(reinterpret_cast<uintptr_t>(name))) return c;
    } else if (SameNameAscii(c->Name, name)) {
      return c;
    }
  }
  return nullptr;
}

void EnsureSystemClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSEX wc;
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "#32769";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(COLOR_DESKTOP + 1));
  RegisterClassCommon(wc, true);
  wc.lpszClassName = "Message";
  wc.hbrBackground = nullptr;
  RegisterClassCommon(wc, true);
  wc.lpfnWndProc = StaticProc;
  wc.lpszClassName = "STATIC";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(COLOR_BTNFACE + 1));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassCommon(wc, true);
}

void DestroyThreadWindows(TThreadID thread) {
  for (;;) {
    Window* victim = nullptr;
    for (Window* w : AllWindowsOfThread(thread))
      if (w->IsTopLevel() || !w->Parent || w->Parent->Thread != thread) {
        victim = w;
        break;
      }
    if (!victim) break;
    Unlink(victim);
  }
}

}  // namespace detail

using namespace detail;

// ---------------------------------------------------------------- classes
ATOM RegisterClassEx(const WNDCLASSEX* wc) {
  if (!wc) return 0;
  Lock lock;
  EnsureSystemClasses();
  return RegisterClassCommon(*wc, false);
}

ATOM RegisterClass(const WNDCLASS* wc) {
  if (!wc) return 0;
  WNDCLASSEX ex;
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return RegisterClassEx(&ex);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
  Lock lock;
  auto c = FindClass(className);
  if (!c || c->System || c->Windows > 0) return FALSE;
  std::erase(Classes(), c);
  return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCSTR className, WNDCLASSEX* out) {
  Lock lock;
  EnsureSystemClasses();
  auto c = FindClass(className);
  if (!c || !out) return FALSE;
  out->style = c->Style;
  out->lpfnWndProc = c->Proc;
  out->cbClsExtra = c->ClsExtra;
  out->cbWndExtra = c->WndExtra;
  out->hInstance = c->Instance;
  out->hIcon = c->Icon;
  out->hIconSm = c->IconSm;
  out->hCursor = c->Cursor;
  out->hbrBackground = c->Background;
  out->lpszMenuName = nullptr;
  out->lpszClassName = className;
  return TRUE;
}

BOOL GetClassInfo(HINSTANCE inst, LPCSTR className, WNDCLASS* out) {
  WNDCLASSEX ex;
  if (!out || !GetClassInfoEx(inst, className, &ex)) return FALSE;
  out->style = ex.style;
  out->lpfnWndProc = ex.lpfnWndProc;
  out->cbClsExtra = ex.cbClsExtra;
  out->cbWndExtra = ex.cbWndExtra;
  out->hInstance = ex.hInstance;
  out->hIcon = ex.hIcon;
  out->hCursor = ex.hCursor;
  out->hbrBackground = ex.hbrBackground;
  out->lpszMenuName = nullptr;
  out->lpszClassName = className;
  return TRUE;
}

std::string GetClassNameStr(HWND hwnd) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  return w && w->Class ? w->Class->Name : std::string();
}

int GetClassName(HWND hwnd, char* buf, int size) {
  if (!buf || size <= 0) return 0;
  std::string n = GetClassNameStr(hwnd);
  if (n.empty()) {
    buf[0] = 0;
    return 0;
  }
  size_t len = std::min(n.size(), size_t(size - 1));
  std::memcpy(buf, n.data(), len);
  buf[len] = 0;
  return int(len);
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !w->Class) return 0;
  WndClass& c = *w->Class;
  switch (index) {
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.Background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.Cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.Icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c.IconSm);
    case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(c.Instance);
    case GCL_CBWNDEXTRA: return ULONG_PTR(c.WndExtra);
    case GCL_CBCLSEXTRA: return ULONG_PTR(c.ClsExtra);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.Proc);
    case GCL_STYLE: return c.Style;
    case GCW_ATOM: return c.Atom;
    default:
      if (index >= 0 && size_t(index) + sizeof(ULONG_PTR) <= c.Extra.size()) {
        ULONG_PTR v;
        std::memcpy(&v, c.Extra.data() + index, sizeof v);
        return v;
      }
      return 0;
  }
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !w->Class) return 0;
  WndClass& c = *w->Class;
  ULONG_PTR old = GetClassLongPtr(hwnd, index);
  switch (index) {
    case GCLP_HBRBACKGROUND: c.Background = reinterpret_cast<HBRUSH>(value); break;
    case GCLP_HCURSOR: c.Cursor = reinterpret_cast<HCURSOR>(value); break;
    case GCLP_HICON: c.Icon = reinterpret_cast<HICON>(value); break;
    case GCLP_HICONSM: c.IconSm = reinterpret_cast<HICON>(value); break;
    case GCLP_WNDPROC: c.Proc = reinterpret_cast<WNDPROC>(value); break;
    case GCL_STYLE: c.Style = UINT(value); break;
    default:
      if (index >= 0 && size_t(index) + sizeof(LONG_PTR) <= c.Extra.size()) {
        std::memcpy(c.Extra.data() + index, &value, sizeof value);
        break;
      }
      return 0;
  }
  return old;
}

// ---------------------------------------------------------------- creation
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, HINSTANCE inst, void* param) {
  Lock lock;
  EnsureSystemClasses();
  auto cls = FindClass(className);
  if (!cls) return nullptr;
  Window* parentW = Desktop();
  Window* ownerW = nullptr;
  bool messageOnly = false;
  if (parent == HWND_MESSAGE) {
    messageOnly = true;
    style &= ~(WS_CHILD | WS_VISIBLE);
  } else if (style & WS_CHILD) {
    parentW = FindRaw(parent);
    if (!parentW || parentW->Destroying) return nullptr;
  } else if (parent) {
    Window* p = FindRaw(parent);
    if (!p) return nullptr;
    if (!p->IsDesktop) ownerW = TopLevelOf(p);
  }
  const bool child = (style & WS_CHILD) && !parentW->IsDesktop;
  const bool overlapped = !child && !(style & WS_POPUP);
  if (overlapped) {
    style |= WS_CAPTION | WS_CLIPSIBLINGS;
    SIZE s = ScreenSizeNow();
    if (x == CW_USEDEFAULT) x = y = 40;
    if (width == CW_USEDEFAULT) {
      width = s.cx * 3 / 4;
      height = s.cy * 3 / 4;
    }
  } else {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
  }
  if (!child) style |= WS_CLIPSIBLINGS;
  if (!child) exStyle &= ~WS_EX_MDICHILD;
  if (child) exStyle &= ~WS_EX_TOPMOST;
  width = std::max(width, 0);
  height = std::max(height, 0);

  auto w = std::make_shared<Window>();
  w->Class = cls;
  w->Thread = TThread::CurrentThreadID();
  w->Style = style & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
  w->ExStyle = exStyle;
  w->Proc = cls->Proc;
  w->Instance = inst;
  w->Id = child ? reinterpret_cast<LONG_PTR>(menuOrId) : 0;
  w->Extra.assign(size_t(cls->WndExtra), 0);
  w->MessageOnly = messageOnly;
  w->Owner = ownerW;
  w->Rect = {x, y, x + width, y + height};
  w->Client = {0, 0, width, height};
  w->RestoreRect = w->Rect;
  NewHandle(w);
  HWND hwnd = w->Handle;
  LinkChild(parentW, w.get(), HWND_TOP);
  ++cls->Windows;
  CurrentQueue();
  if (w->IsTopLevel()) EnsureSurface(w.get());

  std::string nameCopy = windowName && !IS_INTRESOURCE(windowName) ? windowName : "";
  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hInstance = inst;
  cs.hMenu = menuOrId;
  cs.hwndParent = messageOnly ? HWND_MESSAGE : parent;
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.style = LONG(style);
  cs.lpszName = nameCopy.c_str();
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;

  CBT_CREATEWND cbt{&cs, HWND_TOP};
  if (CallHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt)) != 0) {
    if (!w->Dead) Unlink(w.get());
    return nullptr;
  }
  if (w->Dead) return nullptr;

  if (w->IsTopLevel() && (style & WS_THICKFRAME)) {
    MINMAXINFO mmi;
    SIZE s = ScreenSizeNow();
    mmi.ptMaxSize = {s.cx, s.cy};
    mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    if (w->Dead) return nullptr;
    cs.cx = std::clamp(cs.cx, std::min(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X), mmi.ptMaxTrackSize.X);
    cs.cy = std::clamp(cs.cy, std::min(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y), mmi.ptMaxTrackSize.Y);
    w->Rect = {x, y, x + cs.cx, y + cs.cy};
    w->Client = {0, 0, cs.cx, cs.cy};
    if (w->IsTopLevel()) EnsureSurface(w.get());
  }

  if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (!w->Dead) {
      SendMessage(hwnd, WM_NCDESTROY, 0, 0);
      if (!w->Dead) Unlink(w.get());
    }
    return nullptr;
  }
  if (w->Dead) return nullptr;

  RECT rc = w->Rect;
  SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rc));
  if (w->Dead) return nullptr;
  {
    RECT c = rc;
    c.Offset(-w->Rect.Left, -w->Rect.Top);
    c.Left = std::clamp(c.Left, 0, w->Rect.Width());
    c.Top = std::clamp(c.Top, 0, w->Rect.Height());
    c.Right = std::clamp(c.Right, c.Left, w->Rect.Width());
    c.Bottom = std::clamp(c.Bottom, c.Top, w->Rect.Height());
    w->Client = c;
  }

  if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (!w->Dead) DestroyWindow(hwnd);
    return nullptr;
  }
  if (w->Dead) return nullptr;
  w->Creating = false;

  SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->Client.Width(), w->Client.Height()));
  if (w->Dead) return nullptr;
  SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(w->Rect.Left + w->Client.Left, w->Rect.Top + w->Client.Top));
  if (w->Dead) return nullptr;

  if (w->IsTopLevel() && !messageOnly) NativeStateChanged(w.get());
  if (style & WS_VISIBLE) {
    int cmd = (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW;
    ShowWindow(hwnd, cmd);
  }
  return w->Dead ? nullptr : hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w || w->IsDesktop) return FALSE;
  if (w->Thread != TThread::CurrentThreadID()) return FALSE;
  if (w->Destroying) return TRUE;
  if (CallHooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hwnd), 0) != 0) return FALSE;
  if (w->Dead || w->Destroying) return TRUE;
  w->Destroying = true;

  if (w->Style & WS_VISIBLE) {
    if (w->IsChildWindow())
      ShowWindow(hwnd, SW_HIDE);
    else
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    if (w->Dead) return TRUE;
  }
  // Owned windows go before their owner.
  for (;;) {
    WindowPtr owned;
    for (Window* d : Desktop()->Children)
      if (d->Owner == w.get() && !d->Destroying) {
        owned = Ref(d);
        break;
      }
    if (!owned) break;
    if (owned->Thread == TThread::CurrentThreadID())
      DestroyWindow(owned->Handle);
    else
      owned->Owner = nullptr;
  }
  if (w->Dead) return TRUE;
  OnWindowGone(w.get());
  SendDestroyTree(w);
  FreeTree(w);
  return TRUE;
}

// ---------------------------------------------------------------- state
BOOL IsWindowVisible(HWND hwnd) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  return w && IsVisibleChain(w) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  return w && !(w->Style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  return w && (w->Style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  return w && (w->Style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND hwnd) {
  Lock lock;
  Window* p = FindRaw(parent);
  Window* w = FindRaw(hwnd);
  if (!p || !w || p == w) return FALSE;
  for (Window* c = w; c && c->IsChildWindow(); c = c->Parent)
    if (c->Parent == p) return TRUE;
  return FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w) return FALSE;
  const BOOL wasDisabled = (w->Style & WS_DISABLED) ? TRUE : FALSE;
  if (bool(enable) == !wasDisabled) return wasDisabled;
  if (!enable) {
    SendMessage(hwnd, WM_CANCELMODE, 0, 0);
    if (w->Dead) return wasDisabled;
    w->Style |= WS_DISABLED;
    InputState& in = Input();
    if (Window* f = FindRaw(in.Focus); f && (f == w.get() || IsDescendant(w.get(), f))) SetFocus(nullptr);
    if (in.Capture == hwnd) ReleaseCapture();
  } else {
    w->Style &= ~WS_DISABLED;
  }
  SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  if (!w->Dead && w->IsTopLevel()) NativeStateChanged(w.get());
  return wasDisabled;
}

// ---------------------------------------------------------------- window data
LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->Proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->Instance);
    case GWLP_HWNDPARENT: {
      Window* p = w->IsChildWindow() ? w->Parent : w->Owner;
      return p ? reinterpret_cast<LONG_PTR>(p->Handle) : 0;
    }
    case GWLP_ID: return w->Id;
    case GWL_STYLE: return LONG_PTR(int32_t(w->Style));
    case GWL_EXSTYLE: return LONG_PTR(int32_t(w->ExStyle));
    case GWLP_USERDATA: return w->UserData;
    default:
      if (index >= 0 && size_t(index) + sizeof(LONG_PTR) <= w->Extra.size()) {
        LONG_PTR v;
        std::memcpy(&v, w->Extra.data() + index, sizeof v);
        return v;
      }
      return 0;
  }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w || w->IsDesktop) return 0;
  LONG_PTR old = GetWindowLongPtr(hwnd, index);
  switch (index) {
    case GWLP_WNDPROC: w->Proc = reinterpret_cast<WNDPROC>(value); break;
    case GWLP_HINSTANCE: w->Instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWLP_ID: w->Id = value; break;
    case GWLP_USERDATA: w->UserData = value; break;
    case GWLP_HWNDPARENT:
      if (w->IsTopLevel()) {
        Window* o = FindRaw(reinterpret_cast<HWND>(value));
        w->Owner = o && !o->IsDesktop && o != w.get() ? TopLevelOf(o) : nullptr;
        NativeStateChanged(w.get());
      }
      break;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      STYLESTRUCT ss;
      ss.styleOld = DWORD(old);
      ss.styleNew = DWORD(value);
      SendMessage(hwnd, WM_STYLECHANGING, WPARAM(index), reinterpret_cast<LPARAM>(&ss));
      if (w->Dead) return 0;
      if (index == GWL_STYLE) {
        w->Style = ss.styleNew;
      } else {
        // Topmost changes only through SetWindowPos, as on the platform.
        w->ExStyle = (ss.styleNew & ~WS_EX_TOPMOST) | (w->ExStyle & WS_EX_TOPMOST);
        if (!(w->ExStyle & WS_EX_LAYERED)) {
          w->LayeredAlpha = 255;
          w->LayeredPerPixel = false;
        }
      }
      SendMessage(hwnd, WM_STYLECHANGED, WPARAM(index), reinterpret_cast<LPARAM>(&ss));
      if (!w->Dead && w->IsTopLevel()) NativeStateChanged(w.get());
      break;
    }
    default:
      if (index >= 0 && size_t(index) + sizeof(LONG_PTR) <= w->Extra.size()) {
        std::memcpy(w->Extra.data() + index, &value, sizeof value);
        break;
      }
      return 0;
  }
  return old;
}

// ---------------------------------------------------------------- properties
BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !name) return FALSE;
  std::string key = PropKey(name);
  for (auto& [k, v] : w->Props)
    if (SameNameAscii(k, key.c_str())) {
      v = data;
      return TRUE;
    }
  w->Props.emplace_back(key, data);
  return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCSTR name) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !name) return nullptr;
  std::string key = PropKey(name);
  for (auto& [k, v] : w->Props)
    if (SameNameAscii(k, key.c_str())) return v;
  return nullptr;
}

HANDLE RemoveProp(HWND hwnd, LPCSTR name) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !name) return nullptr;
  std::string key = PropKey(name);
  for (auto it = w->Props.begin(); it != w->Props.end(); ++it)
    if (SameNameAscii(it->first, key.c_str())) {
      HANDLE v = it->second;
      w->Props.erase(it);
      return v;
    }
  return nullptr;
}

// ---------------------------------------------------------------- text
BOOL SetWindowText(HWND hwnd, LPCSTR text) {
  if (!IsWindow(hwnd)) return FALSE;
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, char* buf, int size) {
  if (!buf || size <= 0) return 0;
  buf[0] = 0;
  if (!IsWindow(hwnd)) return 0;
  return int(SendMessage(hwnd, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buf)));
}

int GetWindowTextLength(HWND hwnd) {
  if (!IsWindow(hwnd)) return 0;
  return int(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

std::string GetWindowTextStr(HWND hwnd) {
  int n = GetWindowTextLength(hwnd);
  if (n <= 0) return {};
  std::string s(size_t(n) + 1, '\0');
  int got = GetWindowText(hwnd, s.data(), n + 1);
  s.resize(size_t(std::max(got, 0)));
  return s;
}

// ---------------------------------------------------------------- relations
HWND GetParent(HWND hwnd) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w) return nullptr;
  if (w->IsChildWindow()) return w->Parent->Handle;
  if ((w->Style & WS_POPUP) && w->Owner) return w->Owner->Handle;
  return nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w || w->IsDesktop) return nullptr;
  Window* p = newParent ? FindRaw(newParent) : Desktop();
  if (!p || p == w.get() || IsDescendant(w.get(), p)) return nullptr;
  Window* oldParent = w->Parent;
  HWND oldHandle = oldParent ? oldParent->Handle : nullptr;
  const bool wasTop = w->IsTopLevel();
  const bool visible = (w->Style & WS_VISIBLE) != 0;
  if (visible && oldParent && !wasTop) {
    Region old(w->Rect);
    old.Offset(oldParent->Client.Left, oldParent->Client.Top);
    InvalidateWindow(oldParent, old, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  LinkChild(p, w.get(), HWND_TOP);
  const bool isTop = w->IsTopLevel();
  if (wasTop && !isTop) {
    NativeWindowGone(w.get());
    w->Buffer.reset();
  } else if (!wasTop && isTop) {
    w->Owner = nullptr;
    EnsureSurface(w.get());
    NativeStateChanged(w.get());
  }
  if (visible) InvalidateWindow(w.get(), Region(RECT{0, 0, w->Rect.Width(), w->Rect.Height()}),
                                RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return oldHandle && oldParent->IsDesktop ? GetDesktopWindow() : oldHandle;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->Children.empty() ? nullptr : w->Children.front()->Handle;
  if (cmd == GW_OWNER) return w->Owner ? w->Owner->Handle : nullptr;
  if (cmd == GW_ENABLEDPOPUP) return nullptr;
  if (!w->Parent) return nullptr;
  auto& v = w->Parent->Children;
  auto it = std::find(v.begin(), v.end(), w);
  if (it == v.end()) return nullptr;
  switch (cmd) {
    case GW_HWNDFIRST: return v.front()->Handle;
    case GW_HWNDLAST: return v.back()->Handle;
    case GW_HWNDNEXT: return it + 1 == v.end() ? nullptr : (*(it + 1))->Handle;
    case GW_HWNDPREV: return it == v.begin() ? nullptr : (*(it - 1))->Handle;
    default: return nullptr;
  }
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || w->IsDesktop) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->Parent ? w->Parent->Handle : nullptr;
    case GA_ROOT: return TopLevelOf(w)->Handle;
    case GA_ROOTOWNER: {
      Window* r = TopLevelOf(w);
      while (r->Owner && (r->Style & WS_POPUP)) r = TopLevelOf(r->Owner);
      return r->Handle;
    }
    default: return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  Lock lock;
  Window* w = hwnd ? FindRaw(hwnd) : Desktop();
  if (!w || w->Children.empty()) return nullptr;
  return w->Children.front()->Handle;
}

namespace {
void CollectDescendants(Window* w, std::vector<HWND>& out) {
  for (Window* c : w->Children) {
    out.push_back(c->Handle);
    CollectDescendants(c, out);
  }
}
BOOL CallEnum(const std::vector<HWND>& list, WNDENUMPROC proc, LPARAM lParam) {
  for (HWND h : list) {
    if (!IsWindow(h)) continue;
    if (!proc(h, lParam)) return FALSE;
  }
  return TRUE;
}
}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  std::vector<HWND> list;
  {
    Lock lock;
    Window* w = parent ? FindRaw(parent) : Desktop();
    if (!w) return FALSE;
    if (w->IsDesktop) {
      for (Window* c : w->Children)
        if (!c->MessageOnly) {
          list.push_back(c->Handle);
          CollectDescendants(c, list);
        }
    } else {
      CollectDescendants(w, list);
    }
  }
  CallEnum(list, proc, lParam);
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  std::vector<HWND> list;
  {
    Lock lock;
    for (Window* c : Desktop()->Children)
      if (!c->MessageOnly) list.push_back(c->Handle);
  }
  CallEnum(list, proc, lParam);
  return TRUE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  std::vector<HWND> list;
  {
    Lock lock;
    for (Window* c : Desktop()->Children)
      if (!c->MessageOnly && c->Thread == threadId) list.push_back(c->Handle);
  }
  if (list.empty()) return FALSE;
  CallEnum(list, proc, lParam);
  return TRUE;
}

HWND FindWindowEx(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
  Lock lock;
  const bool messageOnly = parent == HWND_MESSAGE;
  Window* p = (parent && !messageOnly) ? FindRaw(parent) : Desktop();
  if (!p) return nullptr;
  auto cls = className ? FindClass(className) : nullptr;
  if (className && !cls) return nullptr;
  bool started = childAfter == nullptr;
  for (Window* c : p->Children) {
    if (!started) {
      started = c->Handle == childAfter;
      continue;
    }
    if (p->IsDesktop && c->MessageOnly != messageOnly) continue;
    if (cls && c->Class != cls) continue;
    if (windowName && c->Text != windowName) continue;
    return c->Handle;
  }
  return nullptr;
}

HWND FindWindow(LPCSTR className, LPCSTR windowName) { return FindWindowEx(nullptr, nullptr, className, windowName); }

}  // namespace win
