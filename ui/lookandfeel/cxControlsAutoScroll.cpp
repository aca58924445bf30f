// The middle-button auto-scroll loop: a marker at the point where it began,
// a neutral zone around it, and a scroll speed that grows with the distance
// of the mouse from it.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "ui/lookandfeel/cxControls.h"

namespace {

// The markers are our own pictures: a grey disc with a black dot at its
// centre and black arrowheads pointing where the loop can scroll.
//   CX_FULLSCROLLBITMAP  arrowheads up, down, left and right
//   CX_HORSCROLLBITMAP   arrowheads left and right
//   CX_VERSCROLLBITMAP   arrowheads up and down
constexpr int kMarkerSize = 27;

struct TMarkerRow {
  const char* Name;
  bool Horizontal, Vertical;
};
constexpr TMarkerRow kMarkers[] = {
    {"CX_FULLSCROLLBITMAP", true, true},
    {"CX_HORSCROLLBITMAP", true, false},
    {"CX_VERSCROLLBITMAP", false, true},
};

}  // namespace

win::HBITMAP cxLoadAutoScrollBitmap(const char* Name) {
  const TMarkerRow* row = nullptr;
  for (const TMarkerRow& r : kMarkers)
    if (Name && std::strcmp(Name, r.Name) == 0) row = &r;
  if (!row) return nullptr;
  win::BITMAPINFO info{};
  info.bmiHeader.biWidth = kMarkerSize;
  info.bmiHeader.biHeight = -kMarkerSize;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const win::HBITMAP bitmap = win::CreateDIBSection(nullptr, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  auto* px = static_cast<uint32_t*>(bits);
  constexpr int c = kMarkerSize / 2;
  auto set = [&](int x, int y, uint32_t colour) { px[y * kMarkerSize + x] = colour; };
  for (int y = 0; y < kMarkerSize; ++y)
    for (int x = 0; x < kMarkerSize; ++x) set(x, y, 0xE0E0E0);
  for (int y = c - 1; y <= c + 1; ++y)
    for (int x = c - 1; x <= c + 1; ++x) set(x, y, 0);
  // Arrowhead rows: a tip 3 pixels from the edge, 4 rows widening towards the centre.
  for (int row4 = 0; row4 < 4; ++row4)
    for (int w = -row4; w <= row4; ++w) {
      const int near = 3 + row4, far = kMarkerSize - 1 - near;
      if (row->Vertical) {
        set(c + w, near, 0);
        set(c + w, far, 0);
      }
      if (row->Horizontal) {
        set(near, c + w, 0);
        set(far, c + w, 0);
      }
    }
  return bitmap;
}

namespace {

// The marker window: an ellipse showing the bitmap, centred at the start
// point; gone with this object.
class TAutoScrollMarker {
public:
  TAutoScrollMarker(const char* name, TPoint centre, win::HWND owner) : bitmap_(cxLoadAutoScrollBitmap(name)) {
    win::BITMAP info;
    if (bitmap_) win::GetObject(bitmap_, sizeof(info), &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    window_ = win::CreateWindowEx(win::WS_EX_TOPMOST, "STATIC", "", win::WS_POPUP, centre.X - width_ / 2,
                                  centre.Y - height_ / 2, width_, height_, owner, nullptr, nullptr, nullptr);
    if (!window_) return;
    win::SetWindowRgn(window_, win::CreateEllipticRgn(0, 0, width_ + 1, height_ + 1), win::FALSE);
    win::ShowWindow(window_, win::SW_SHOWNOACTIVATE);
    Paint();
  }
  ~TAutoScrollMarker() {
    if (window_) win::DestroyWindow(window_);
    if (bitmap_) win::DeleteObject(bitmap_);
  }
  TAutoScrollMarker(const TAutoScrollMarker&) = delete;
  TAutoScrollMarker& operator=(const TAutoScrollMarker&) = delete;

  win::HWND Window() const { return window_; }
  int Width() const { return width_; }

private:
  void Paint() {
    const win::HDC dc = win::GetWindowDC(window_);
    if (!dc) return;
    if (const win::HDC source = win::CreateCompatibleDC(dc)) {
      const win::HGDIOBJ old = win::SelectObject(source, bitmap_);
      win::BitBlt(dc, 0, 0, width_, height_, source, 0, 0, win::SRCCOPY);
      win::SelectObject(source, old);
      win::DeleteDC(source);
    }
    const win::HRGN outline = win::CreateEllipticRgn(0, 0, width_ + 1, height_ + 1);
    win::FrameRgn(dc, outline, win::GetSysColorBrush(win::COLOR_WINDOWTEXT), 1, 1);
    win::DeleteObject(outline);
    win::ReleaseDC(window_, dc);
  }

  win::HBITMAP bitmap_;
  win::HWND window_ = nullptr;
  int width_ = 0, height_ = 0;
};

// Direction 1 left, 2 right, 3 up, 4 down, 0 none; a line every (13 - speed) ticks.
struct TAutoScrollState {
  uint8_t Direction = 0;
  int32_t Speed = 1;
  bool LeftNeutralZone = false;
};

void UpdateDirection(TAutoScrollState& state, TPoint p, TPoint start, const TRect& neutral, int width, bool horz,
                     bool vert) {
  if (neutral.Contains(p)) {
    state.Direction = 0;
    state.Speed = 0;
    return;
  }
  state.LeftNeutralZone = true;
  const int32_t dx = p.X - start.X, dy = p.Y - start.Y;
  int32_t distance;
  if (!horz || (vert && std::abs(dy) >= std::abs(dx))) {
    state.Direction = dy < 0 ? 3 : 4;
    distance = std::abs(dy);
  } else {
    state.Direction = dx < 0 ? 1 : 2;
    distance = std::abs(dx);
  }
  state.Speed = std::clamp((distance - width / 2) / 5 + 1, 1, cxAutoScrollMaxSpeed);
}

void ShowAutoScrollCursor(uint8_t direction, int32_t restCursor) {
  static constexpr int32_t kMoving[] = {0, crcxLeftScroll, crcxRightScroll, crcxUpScroll, crcxDownScroll};
  win::SetCursor(Screen->Cursors(direction ? kMoving[direction] : restCursor));
}

bool IsEndingMouseMessage(win::UINT msg) {
  return (msg >= win::WM_LBUTTONDOWN && msg <= win::WM_MBUTTONDOWN) || msg == win::WM_MBUTTONDBLCLK ||
         msg == win::WM_MOUSEWHEEL;
}

}  // namespace

void cxRunAutoScroll(IcxAutoScrollControl& Control) {
  const bool horz = Control.IsAutoScrollBarVisible(true), vert = Control.IsAutoScrollBarVisible(false);
  if (!horz && !vert) return;
  TWinControl* control = Control.AutoScrollWindow();
  if (!control) return;
  const win::HWND wnd = control->Handle();

  // Undone on every way out, an exception from the scrolling included.
  // A control freed by a message the loop dispatched is not touched again.
  struct TCleanUp {
    IcxAutoScrollControl& Control;
    win::HWND Wnd;
    std::weak_ptr<bool> Alive;
    win::UINT_PTR Timer = 0;
    ~TCleanUp() {
      if (win::GetCapture() == Wnd) win::ReleaseCapture();
      if (Timer) win::KillTimer(nullptr, Timer);
      if (!Alive.expired()) Control.SetScrollingContent(false);
    }
  } cleanUp{Control, wnd, control->AliveToken()};
  Control.SetScrollingContent(true);

  const TPoint start = SafeCursorPos();
  const TAutoScrollMarker marker(horz && vert ? "CX_FULLSCROLLBITMAP"
                                 : vert       ? "CX_VERSCROLLBITMAP"
                                              : "CX_HORSCROLLBITMAP",
                                 start, wnd);
  const int width = marker.Width();
  TRect neutral(start.X - width / 2, start.Y - width / 2, start.X - width / 2 + width, start.Y - width / 2 + width);
  if (!horz) {
    neutral.Left = 0;
    neutral.Right = win::GetSystemMetrics(win::SM_CXSCREEN);
  }
  if (!vert) {
    neutral.Top = 0;
    neutral.Bottom = win::GetSystemMetrics(win::SM_CYSCREEN);
  }
  const int32_t restCursor = horz && vert ? crcxFullScroll : horz ? crcxHorScroll : crcxVerScroll;

  TAutoScrollState state;
  ShowAutoScrollCursor(state.Direction, restCursor);
  cleanUp.Timer = win::SetTimer(nullptr, 0, cxAutoScrollTickInterval, nullptr);
  win::SetCapture(wnd);
  TPoint last = start;
  uint32_t ticks = 0;
  while (win::GetCapture() == wnd) {
    win::MSG msg;
    if (!win::GetModalMessage(&msg)) break;  // WM_QUIT is posted again for the outer loop
    if (msg.message == win::WM_PAINT && msg.hwnd && msg.hwnd == marker.Window()) {
      win::ValidateRect(msg.hwnd, nullptr);
    } else if ((msg.message == win::WM_KEYDOWN || msg.message == win::WM_KEYUP) && msg.wParam == win::VK_ESCAPE) {
      win::DispatchMessage(&msg);
      break;
    } else if (msg.message == win::WM_TIMER && !msg.hwnd && msg.wParam == cleanUp.Timer) {
      ++ticks;
      if (state.Direction != 0 && ticks % uint32_t(13 - state.Speed) == 0 && !cleanUp.Alive.expired())
        Control.ScrollInDirection(state.Direction);
    } else if (msg.message == win::WM_MOUSEMOVE) {
      const TPoint p = win::MAKEPOINT(win::LPARAM(win::GetMessagePos()));
      if (p != last) {
        last = p;
        UpdateDirection(state, p, start, neutral, width, horz, vert);
        ShowAutoScrollCursor(state.Direction, restCursor);
      }
    } else if (IsEndingMouseMessage(msg.message)) {
      break;
    } else if (msg.message == win::WM_MBUTTONUP) {
      win::DispatchMessage(&msg);
      // A middle click without moving leaves auto-scrolling on.
      if (state.LeftNeutralZone) break;
    } else {
      win::TranslateMessage(&msg);
      win::DispatchMessage(&msg);
    }
  }
}
