// A window's own scroll bars: their state and the calls that set it, their
// drawing in the non-client area, and the modal loop of a press on one.
//
// A bar laid out along its length (horizontal shown; vertical the same
// downwards):
//
//   |<-arrow->|<----------------- track ----------------->|<-arrow->|
//   |   <     |  page up  |  thumb  |       page down      |    >    |
//
// The thumb's length is the track's share of page / (max - min + 1), at
// least kMinThumb; without a page it is the system's thumb size. Its place
// maps min .. max - max(page - 1, 0) onto the track less the thumb.
#include <algorithm>
#include <chrono>
#include <cstdint>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

constexpr int kMinThumb = 8;
constexpr DWORD kRepeatDelayMs = 400, kRepeatIntervalMs = 50;

enum Part : int { kNone = 0, kLineUp, kPageUp, kThumb, kPageDown, kLineDown };

int64_t MaxPos(const ScrollBarState& s) { return int64_t(s.Max) - std::max<int64_t>(int64_t(s.Page) - 1, 0); }

// Clamps page and position after a change; a reversed range is closed first.
void Normalize(ScrollBarState& s) {
  if (s.Max < s.Min) s.Max = s.Min;
  const int64_t range = int64_t(s.Max) - s.Min + 1;
  if (int64_t(s.Page) > range) s.Page = UINT(range);
  s.Pos = int(std::clamp<int64_t>(s.Pos, s.Min, std::max<int64_t>(MaxPos(s), s.Min)));
}

// Something to scroll, and not switched off as a whole.
bool Live(const ScrollBarState& s) { return MaxPos(s) > s.Min && s.Arrows != ESB_DISABLE_BOTH; }

ScrollBarState* BarOf(Window* w, int bar) {
  if (!w || w->IsDesktop) return nullptr;
  if (bar == SB_HORZ) return &w->HScroll;
  if (bar == SB_VERT) return &w->VScroll;
  return nullptr;
}

struct Layout {
  RECT Rect;  // window coordinates; empty when the bar is not there
  bool Vertical = false;
  int Length = 0;
  int Arrow = 0;                      // each arrow's length
  int TrackBegin = 0, TrackEnd = 0;   // along the bar
  int ThumbBegin = 0, ThumbSize = 0;  // no thumb while ThumbSize is 0

  int Along(POINT p) const { return Vertical ? p.Y - Rect.Top : p.X - Rect.Left; }
  RECT Span(int begin, int end) const {
    if (end <= begin) return {};
    return Vertical ? RECT{Rect.Left, Rect.Top + begin, Rect.Right, Rect.Top + end}
                    : RECT{Rect.Left + begin, Rect.Top, Rect.Left + end, Rect.Bottom};
  }
  RECT PartRect(int part) const {
    switch (part) {
      case kLineUp: return Span(0, Arrow);
      case kLineDown: return Span(Length - Arrow, Length);
      case kPageUp: return ThumbSize ? Span(TrackBegin, ThumbBegin) : RECT{};
      case kThumb: return ThumbSize ? Span(ThumbBegin, ThumbBegin + ThumbSize) : RECT{};
      case kPageDown: return ThumbSize ? Span(ThumbBegin + ThumbSize, TrackEnd) : Span(TrackBegin, TrackEnd);
      default: return {};
    }
  }
  int HitPart(POINT p) const {
    if (!Rect.Contains(p)) return kNone;
    const int a = Along(p);
    if (a < Arrow) return kLineUp;
    if (a >= Length - Arrow) return kLineDown;
    if (!ThumbSize) return kNone;
    if (a < ThumbBegin) return kPageUp;
    if (a < ThumbBegin + ThumbSize) return kThumb;
    return kPageDown;
  }
  // The position for the thumb's leading edge at offset off into the track.
  int PosAt(const ScrollBarState& s, int off) const {
    const int room = TrackEnd - TrackBegin - ThumbSize;
    if (room <= 0) return s.Min;
    off = std::clamp(off, 0, room);
    const int64_t span = MaxPos(s) - s.Min;
    return int(s.Min + (int64_t(off) * span + room / 2) / room);
  }
};

RECT BarRect(DWORD style, const RECT& client, const RECT& window, int bar) {
  RECT r;
  if (bar == SB_HORZ && (style & WS_HSCROLL))
    r = {client.Left, client.Bottom, client.Right, client.Bottom + GetSystemMetrics(SM_CYHSCROLL)};
  else if (bar == SB_VERT && (style & WS_VSCROLL))
    r = {client.Right, client.Top, client.Right + GetSystemMetrics(SM_CXVSCROLL), client.Bottom};
  else
    return {};
  RECT out;
  IntersectRect(out, r, window);
  return out;
}

Layout MakeLayout(DWORD style, const RECT& client, const RECT& window, int bar, const ScrollBarState& s) {
  Layout l;
  l.Rect = BarRect(style, client, window, bar);
  if (l.Rect.IsEmpty()) return l;
  l.Vertical = bar == SB_VERT;
  l.Length = l.Vertical ? l.Rect.Height() : l.Rect.Width();
  l.Arrow = GetSystemMetrics(l.Vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
  if (2 * l.Arrow > l.Length) l.Arrow = l.Length / 2;
  l.TrackBegin = l.Arrow;
  l.TrackEnd = l.Length - l.Arrow;
  const int track = l.TrackEnd - l.TrackBegin;
  if (!Live(s) || track <= 0) return l;
  const int64_t range = int64_t(s.Max) - s.Min + 1;
  int size = s.Page ? int(std::max<int64_t>(int64_t(track) * s.Page / range, kMinThumb))
                    : GetSystemMetrics(l.Vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
  if (size > track) return l;
  const int pos = s.Tracking ? s.TrackPos : s.Pos;
  const int64_t span = MaxPos(s) - s.Min;
  const int64_t room = track - size;
  l.ThumbSize = size;
  l.ThumbBegin = l.TrackBegin + int((room * (std::clamp<int64_t>(pos, s.Min, MaxPos(s)) - s.Min) + span / 2) / span);
  return l;
}

void DrawBar(HDC dc, const Layout& l, const ScrollBarState& s, bool flat) {
  if (l.Rect.IsEmpty()) return;
  const bool live = Live(s);
  auto arrow = [&](int part, UINT kind, UINT disabledBit) {
    RECT r = l.PartRect(part);
    if (r.IsEmpty()) return;
    UINT state = kind;
    if (!live || (s.Arrows & disabledBit)) state |= DFCS_INACTIVE;
    if (s.Pressed == part && s.PressedInside) state |= DFCS_PUSHED | DFCS_FLAT;
    if (flat) state |= DFCS_FLAT;
    DrawFrameControl(dc, &r, DFC_SCROLL, state);
  };
  arrow(kLineUp, l.Vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, ESB_DISABLE_LTUP);
  arrow(kLineDown, l.Vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, ESB_DISABLE_RTDN);
  for (int part : {kPageUp, kPageDown}) {
    RECT r = l.PartRect(part);
    if (r.IsEmpty()) continue;
    const bool down = s.Pressed == part && s.PressedInside;
    FillRect(dc, &r, GetSysColorBrush(down ? COLOR_3DDKSHADOW : COLOR_SCROLLBAR));
  }
  RECT thumb = l.PartRect(kThumb);
  if (!thumb.IsEmpty()) DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE | (flat ? BF_FLAT : 0u));
}

// What drawing and tracking need of a window, copied under the user lock.
struct Snapshot {
  DWORD Style = 0;
  RECT Client, Window;  // window coordinates
  POINT Origin;         // the window rectangle's top-left on the screen
  bool Flat = false;
  bool Visible = false;
  ScrollBarState H, V;

  const ScrollBarState& Bar(int bar) const { return bar == SB_HORZ ? H : V; }
  Layout LayoutOf(int bar) const { return MakeLayout(Style, Client, Window, bar, Bar(bar)); }
};

bool TakeSnapshot(HWND hwnd, Snapshot& out) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || w->IsDesktop) return false;
  out.Style = w->Style;
  out.Client = w->Client;
  out.Window = {0, 0, w->Rect.Width(), w->Rect.Height()};
  out.Origin = ScreenOrigin(w);
  out.Flat = w->FlatScrollBars;
  out.Visible = IsVisibleChain(w);
  out.H = w->HScroll;
  out.V = w->VScroll;
  return true;
}

// Draws the bars again at once, as the platform does after a change.
void RedrawBars(HWND hwnd) {
  Snapshot s;
  if (!TakeSnapshot(hwnd, s) || !s.Visible || !(s.Style & (WS_HSCROLL | WS_VSCROLL))) return;
  HDC dc = GetWindowDC(hwnd);
  if (!dc) return;
  DrawWindowScrollBars(dc, s.Style, s.Client, s.Window, s.Flat, s.H, s.V);
  ReleaseDC(hwnd, dc);
}

// Runs f on the bar's state under the user lock; false when there is no such bar.
template <class F>
bool WithBar(HWND hwnd, int bar, F&& f) {
  Lock lock;
  ScrollBarState* s = BarOf(FindRaw(hwnd), bar);
  if (!s) return false;
  f(*s);
  return true;
}

bool GoodSize(UINT cb) { return cb == sizeof(SCROLLINFO) || cb == sizeof(SCROLLINFO) - sizeof(int); }

}  // namespace

void DrawWindowScrollBars(HDC dc, DWORD style, const RECT& client, const RECT& window, bool flat,
                          const ScrollBarState& h, const ScrollBarState& v) {
  DrawBar(dc, MakeLayout(style, client, window, SB_HORZ, h), h, flat);
  DrawBar(dc, MakeLayout(style, client, window, SB_VERT, v), v, flat);
  if ((style & WS_HSCROLL) && (style & WS_VSCROLL)) {
    RECT box{client.Right, client.Bottom, client.Right + GetSystemMetrics(SM_CXVSCROLL),
             client.Bottom + GetSystemMetrics(SM_CYHSCROLL)};
    RECT clipped;
    if (IntersectRect(clipped, box, window)) FillRect(dc, &clipped, GetSysColorBrush(COLOR_3DFACE));
  }
}

void TrackWindowScrollBar(HWND hwnd, int bar, POINT screen) {
  const UINT msg = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
  Snapshot snap;
  if (!TakeSnapshot(hwnd, snap)) return;
  const ScrollBarState& state = snap.Bar(bar);
  Layout layout = snap.LayoutOf(bar);
  auto toWindow = [&](POINT p) { return POINT{p.X - snap.Origin.X, p.Y - snap.Origin.Y}; };
  POINT p = toWindow(screen);
  const int part = layout.HitPart(p);
  if (part == kNone || !Live(state)) return;
  if ((part == kLineUp && (state.Arrows & ESB_DISABLE_LTUP)) ||
      (part == kLineDown && (state.Arrows & ESB_DISABLE_RTDN)))
    return;
  const int grab = layout.Along(p) - layout.ThumbBegin;
  const WORD code = part == kLineUp     ? SB_LINEUP
                    : part == kLineDown ? SB_LINEDOWN
                    : part == kPageUp   ? SB_PAGEUP
                                        : SB_PAGEDOWN;
  auto send = [&](WORD c, int pos) { SendMessage(hwnd, msg, MAKEWPARAM(c, WORD(pos)), 0); };

  SetCapture(hwnd);
  WithBar(hwnd, bar, [&](ScrollBarState& s) {
    s.Pressed = part;
    s.PressedInside = true;
    s.Tracking = part == kThumb;
    s.TrackPos = s.Pos;
  });
  RedrawBars(hwnd);
  if (part != kThumb) send(code, 0);

  using Clock = std::chrono::steady_clock;
  auto due = Clock::now() + std::chrono::milliseconds(kRepeatDelayMs);
  bool inside = true;
  bool released = false;
  for (;;) {
    if (!IsWindow(hwnd) || GetCapture() != hwnd) break;
    if (!TakeSnapshot(hwnd, snap) || !(snap.Style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL))) break;
    layout = snap.LayoutOf(bar);
    MSG m;
    if (!PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (part == kThumb) {
        WaitMessage();
        continue;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now()).count();
      if (left > 0 && MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(left), QS_ALLINPUT) != WAIT_TIMEOUT) continue;
      // Held long enough: repeat while the mouse stays on the part (for the
      // track: until the thumb has come to the mouse).
      POINT cur;
      GetCursorPos(&cur);
      if (layout.HitPart(toWindow(cur)) == part) send(code, 0);
      due = Clock::now() + std::chrono::milliseconds(kRepeatIntervalMs);
      continue;
    }
    if (m.message == WM_QUIT) {
      RepostQuitMessage(m);
      break;
    }
    if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
      p = toWindow(m.pt);
      if (part == kThumb) {
        const int pos = layout.PosAt(snap.Bar(bar), layout.Along(p) - grab - layout.TrackBegin);
        if (pos != snap.Bar(bar).TrackPos) {
          WithBar(hwnd, bar, [&](ScrollBarState& s) { s.TrackPos = pos; });
          RedrawBars(hwnd);
          send(SB_THUMBTRACK, pos);
        }
      } else if (const bool now = layout.HitPart(p) == part; now != inside) {
        inside = now;
        WithBar(hwnd, bar, [&](ScrollBarState& s) { s.PressedInside = now; });
        RedrawBars(hwnd);
      }
      continue;
    }
    if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) {
      released = true;
      break;
    }
    // Other mouse input belongs to the press; everything else goes on as usual.
    if ((m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
        (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCXBUTTONDBLCLK))
      continue;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }

  int trackPos = 0;
  const bool alive = WithBar(hwnd, bar, [&](ScrollBarState& s) {
    trackPos = s.TrackPos;
    s.Pressed = 0;
    s.PressedInside = false;
    s.Tracking = false;
  });
  if (GetCapture() == hwnd) ReleaseCapture();
  if (!alive || !IsWindow(hwnd)) return;
  RedrawBars(hwnd);
  if (part == kThumb && released) send(SB_THUMBPOSITION, trackPos);
  send(SB_ENDSCROLL, 0);
}

}  // namespace detail

using namespace detail;

// ---------------------------------------------------------------- state

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  if (!info || !GoodSize(info->cbSize)) return 0;
  int pos = 0;
  const bool ok = WithBar(hwnd, bar, [&](ScrollBarState& s) {
    if (info->fMask & SIF_RANGE) {
      s.Min = info->nMin;
      s.Max = info->nMax;
    }
    if (info->fMask & SIF_PAGE) s.Page = info->nPage;
    if (info->fMask & SIF_POS) s.Pos = info->nPos;
    Normalize(s);
    pos = s.Pos;
  });
  if (!ok) return 0;
  if (redraw) RedrawBars(hwnd);
  return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  if (!info || !GoodSize(info->cbSize) || !(info->fMask & SIF_ALL)) return FALSE;
  return WithBar(hwnd, bar, [&](ScrollBarState& s) {
           if (info->fMask & SIF_RANGE) {
             info->nMin = s.Min;
             info->nMax = s.Max;
           }
           if (info->fMask & SIF_PAGE) info->nPage = s.Page;
           if (info->fMask & SIF_POS) info->nPos = s.Pos;
           if ((info->fMask & SIF_TRACKPOS) && info->cbSize == sizeof(SCROLLINFO))
             info->nTrackPos = s.Tracking ? s.TrackPos : s.Pos;
         })
             ? TRUE
             : FALSE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  int old = 0;
  if (!WithBar(hwnd, bar, [&](ScrollBarState& s) {
        old = s.Pos;
        s.Pos = pos;
        Normalize(s);
      }))
    return 0;
  if (redraw) RedrawBars(hwnd);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  int pos = 0;
  WithBar(hwnd, bar, [&](ScrollBarState& s) { pos = s.Pos; });
  return pos;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  if (!WithBar(hwnd, bar, [&](ScrollBarState& s) {
        s.Min = minPos;
        s.Max = maxPos;
        Normalize(s);
      }))
    return FALSE;
  if (redraw) RedrawBars(hwnd);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
  if (!minPos || !maxPos) return FALSE;
  return WithBar(hwnd, bar, [&](ScrollBarState& s) {
           *minPos = s.Min;
           *maxPos = s.Max;
         })
             ? TRUE
             : FALSE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  const DWORD bits = bar == SB_HORZ ? WS_HSCROLL
                     : bar == SB_VERT ? WS_VSCROLL
                     : bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL)
                                      : 0;
  if (!bits) return FALSE;
  bool changed;
  {
    Lock lock;
    Window* w = FindRaw(hwnd);
    if (!w || w->IsDesktop) return FALSE;
    const DWORD style = show ? (w->Style | bits) : (w->Style & ~bits);
    changed = style != w->Style;
    w->Style = style;
  }
  if (changed)
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  arrows &= ESB_DISABLE_BOTH;
  bool changed = false, any = false;
  for (int b : {SB_HORZ, SB_VERT}) {
    if (bar != UINT(b) && bar != UINT(SB_BOTH)) continue;
    any |= WithBar(hwnd, b, [&](ScrollBarState& s) {
      changed |= s.Arrows != arrows;
      s.Arrows = arrows;
    });
  }
  if (!any) return FALSE;
  if (changed) RedrawBars(hwnd);
  return changed ? TRUE : FALSE;
}

// ---------------------------------------------------------------- flat bars

BOOL InitializeFlatSB(HWND hwnd) {
  {
    Lock lock;
    Window* w = FindRaw(hwnd);
    if (!w || w->IsDesktop) return FALSE;
    w->FlatScrollBars = true;
  }
  RedrawBars(hwnd);
  return TRUE;
}

LONG UninitializeFlatSB(HWND hwnd) {
  {
    Lock lock;
    Window* w = FindRaw(hwnd);
    if (!w || w->IsDesktop) return 0;
    w->FlatScrollBars = false;
  }
  RedrawBars(hwnd);
  return 0;
}

int FlatSB_SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  return SetScrollInfo(hwnd, bar, info, redraw);
}
BOOL FlatSB_GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) { return GetScrollInfo(hwnd, bar, info); }
int FlatSB_SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) { return SetScrollPos(hwnd, bar, pos, redraw); }
BOOL FlatSB_SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  return SetScrollRange(hwnd, bar, minPos, maxPos, redraw);
}
BOOL FlatSB_EnableScrollBar(HWND hwnd, int bar, UINT arrows) { return EnableScrollBar(hwnd, UINT(bar), arrows); }
BOOL FlatSB_ShowScrollBar(HWND hwnd, int bar, BOOL show) { return ShowScrollBar(hwnd, bar, show); }

}  // namespace win
