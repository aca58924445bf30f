// Cursors and the caret.
#include <map>

#include "platform/gdi/syscolors.h"
#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

constexpr int kStandardIds[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642,
                                32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};

// The cursor shapes a backend cannot show itself: a small mark at the hot
// spot. Backends with their own standard cursors show those instead.
HCURSOR MakeStandardCursor(int id) {
  const int size = 32;
  std::vector<uint32_t> px(size * size, 0);
  std::vector<uint8_t> mask(size * size, 1);
  const int hx = id == 32512 || id == 32650 || id == 32651 ? 0 : 16, hy = hx;
  for (int i = 0; i < 9; ++i) {
    int x = hx + (hx ? i - 4 : i), y = hy;
    mask[size_t(y * size + x)] = 0;
    x = hx;
    y = hy + (hy ? i - 4 : i);
    mask[size_t(y * size + x)] = 0;
  }
  HCURSOR c = CreateIconFromPixels(size, size, px.data(), mask.data());
  if (c) {
    c->IsIcon = false;
    c->HotX = hx;
    c->HotY = hy;
  }
  return c;
}

struct CursorTables {
  std::map<int, HCURSOR> Standard;
  std::map<std::pair<HINSTANCE, std::string>, HCURSOR> Registered;
};
CursorTables& Cursors() {
  static auto* t = new CursorTables;
  return *t;
}

struct Caret {
  HWND Hwnd = nullptr;
  int Width = 0, Height = 0;
  POINT Pos;
  int HideCount = 1;
  bool OnScreen = false;
  bool PaintHidden = false;
  HBITMAP Bitmap = nullptr;
  UINT_PTR Timer = 0;
};
Caret g_caret;
UINT g_blink = 530;

void InvertCaret() {
  if (!g_caret.Hwnd) return;
  HDC dc = GetDC(g_caret.Hwnd);
  if (!dc) return;
  const RECT r{g_caret.Pos.X, g_caret.Pos.Y, g_caret.Pos.X + g_caret.Width, g_caret.Pos.Y + g_caret.Height};
  if (g_caret.Bitmap && g_caret.Bitmap != reinterpret_cast<HBITMAP>(1) && IsValidGdiObject(g_caret.Bitmap, OBJ_BITMAP)) {
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, g_caret.Bitmap);
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), mem, 0, 0, SRCINVERT);
    SelectObject(mem, old);
    DeleteDC(mem);
  } else if (g_caret.Bitmap == reinterpret_cast<HBITMAP>(1)) {
    HGDIOBJ old = SelectObject(dc, GetSysColorBrush(COLOR_GRAYTEXT));
    PatBlt(dc, r.Left, r.Top, r.Width(), r.Height(), PATINVERT);
    SelectObject(dc, old);
  } else {
    PatBlt(dc, r.Left, r.Top, r.Width(), r.Height(), DSTINVERT);
  }
  ReleaseDC(g_caret.Hwnd, dc);
  g_caret.OnScreen = !g_caret.OnScreen;
}

void EraseCaret() {
  if (g_caret.OnScreen) InvertCaret();
}

void RestartBlink() {
  if (g_caret.Timer) KillInternalTimer(g_caret.Timer);
  g_caret.Timer = 0;
  if (!g_caret.Hwnd) return;
  g_caret.Timer = SetInternalTimer(g_caret.Hwnd, g_blink, [] {
    Lock lock;
    if (g_caret.Hwnd && g_caret.HideCount == 0 && !g_caret.PaintHidden) InvertCaret();
  });
}

}  // namespace

void CaretBeforePaint(HWND hwnd) {
  Window* w = FindRaw(hwnd);
  Window* cw = FindRaw(g_caret.Hwnd);
  if (!w || !cw || !(cw == w || IsDescendant(w, cw) || IsDescendant(cw, w))) return;
  if (g_caret.OnScreen) {
    InvertCaret();
    g_caret.PaintHidden = true;
  }
}

void CaretAfterPaint(HWND) {
  if (!g_caret.PaintHidden) return;
  g_caret.PaintHidden = false;
  if (g_caret.Hwnd && g_caret.HideCount == 0 && !g_caret.OnScreen) InvertCaret();
}

void CaretWindowGone(HWND hwnd) {
  if (g_caret.Hwnd != hwnd) return;
  if (g_caret.Timer) KillInternalTimer(g_caret.Timer);
  g_caret = Caret{};
}

}  // namespace detail

using namespace detail;

HCURSOR LoadCursor(HINSTANCE inst, LPCSTR name) {
  if (!name) return nullptr;
  Lock lock;
  CursorTables& t = Cursors();
  if (!inst && IS_INTRESOURCE(name)) {
    const int id = int(reinterpret_cast<uintptr_t>(name));
    bool known = false;
    for (int s : kStandardIds) known = known || s == id;
    if (!known) return nullptr;
    auto it = t.Standard.find(id);
    if (it != t.Standard.end()) return it->second;
    HCURSOR c = MakeStandardCursor(id);
    if (c) t.Standard[id] = c;
    return c;
  }
  auto it = t.Registered.find({inst, CopyName(name)});
  return it == t.Registered.end() ? nullptr : it->second;
}

BOOL RegisterModuleCursor(HINSTANCE inst, LPCSTR name, HCURSOR cursor) {
  if (!name || !cursor) return FALSE;
  Lock lock;
  Cursors().Registered[{inst, CopyName(name)}] = cursor;
  return TRUE;
}

int StandardCursorId(HCURSOR cursor) {
  if (!cursor) return 0;
  Lock lock;
  for (auto& [id, c] : Cursors().Standard)
    if (c == cursor) return id;
  return 0;
}

HCURSOR SetCursor(HCURSOR cursor) {
  Lock lock;
  InputState& in = Input();
  HCURSOR old = in.CurrentCursor;
  if (cursor && !IsValidGdiObject(cursor)) return old;
  if (old != cursor) {
    in.CurrentCursor = cursor;
    ApplyCursor(cursor);
  }
  return old;
}

HCURSOR GetCursor() {
  Lock lock;
  return Input().CurrentCursor;
}

int ShowCursor(BOOL show) {
  Lock lock;
  InputState& in = Input();
  const bool before = in.CursorCount >= 0;
  in.CursorCount += show ? 1 : -1;
  if (before != (in.CursorCount >= 0)) ApplyCursor(in.CurrentCursor);
  return in.CursorCount;
}

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || w->Thread != TThread::CurrentThreadID()) return FALSE;
  if (g_caret.Hwnd) DestroyCaret();
  if (bitmap && bitmap != reinterpret_cast<HBITMAP>(1)) {
    BITMAP bm;
    if (!GetObject(bitmap, sizeof bm, &bm)) return FALSE;
    width = bm.bmWidth;
    height = bm.bmHeight;
  }
  g_caret = Caret{};
  g_caret.Hwnd = hwnd;
  g_caret.Width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  g_caret.Height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  g_caret.Bitmap = bitmap;
  g_caret.HideCount = 1;
  RestartBlink();
  return TRUE;
}

BOOL DestroyCaret() {
  Lock lock;
  if (!g_caret.Hwnd) return FALSE;
  EraseCaret();
  if (g_caret.Timer) KillInternalTimer(g_caret.Timer);
  g_caret = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  Lock lock;
  if (!g_caret.Hwnd || (hwnd && hwnd != g_caret.Hwnd)) return FALSE;
  if (g_caret.HideCount > 0 && --g_caret.HideCount == 0) {
    if (!g_caret.OnScreen && !g_caret.PaintHidden) InvertCaret();
    RestartBlink();
  }
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  Lock lock;
  if (!g_caret.Hwnd || (hwnd && hwnd != g_caret.Hwnd)) return FALSE;
  EraseCaret();
  ++g_caret.HideCount;
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  Lock lock;
  if (!g_caret.Hwnd) return FALSE;
  const bool was = g_caret.OnScreen;
  EraseCaret();
  g_caret.Pos = {x, y};
  if (was || (g_caret.HideCount == 0 && !g_caret.PaintHidden)) InvertCaret();
  RestartBlink();
  return TRUE;
}

BOOL GetCaretPos(POINT* pt) {
  Lock lock;
  if (!pt || !g_caret.Hwnd) return FALSE;
  *pt = g_caret.Pos;
  return TRUE;
}

UINT GetCaretBlinkTime() {
  Lock lock;
  return g_blink;
}

BOOL SetCaretBlinkTime(UINT ms) {
  Lock lock;
  g_blink = std::max(ms, USER_TIMER_MINIMUM);
  RestartBlink();
  return TRUE;
}

}  // namespace win
