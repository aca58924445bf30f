// DefWindowProc: the default handling the code above relies on, and the
// modal move and size loop behind SC_MOVE and SC_SIZE.
#include <algorithm>
#include <cstring>

#include "platform/gdi/syscolors.h"
#include "platform/win/internal.h"

namespace win {

using namespace detail;

namespace {

WindowPtr Get(HWND hwnd) {
  Lock lock;
  return Find(hwnd);
}

HWND ParentOfChild(HWND hwnd) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  return w && w->IsChildWindow() ? w->Parent->Handle : nullptr;
}

// Converts a screen rectangle to the coordinates SetWindowPos takes.
RECT ToParent(HWND hwnd, RECT r) {
  if (HWND p = ParentOfChild(hwnd)) {
    POINT o{0, 0};
    ClientToScreen(p, &o);
    r.Offset(-o.X, -o.Y);
  }
  return r;
}

void MoveSizeLoop(HWND hwnd, WPARAM cmd, LPARAM pressPt) {
  const bool move = (cmd & 0xFFF0) == SC_MOVE;
  const UINT edge = UINT(cmd & 0x0F);
  // Measured from the press and each move message's own point: the cursor
  // may already be further on when input was queued ahead.
  const POINT start = MAKEPOINT(pressPt);
  RECT orig;
  GetWindowRect(hwnd, &orig);
  SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  SetCapture(hwnd);
  MSG m;
  RECT cur = orig;
  while (IsWindow(hwnd) && GetCapture() == hwnd) {
    if (!GetModalMessage(&m)) break;
    // Input queued before the capture was taken arrives as non-client
    // messages of the frame; it belongs to the drag all the same.
    if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
      const POINT p = m.pt;
      const int dx = p.X - start.X, dy = p.Y - start.Y;
      RECT r = orig;
      if (move) {
        r.Offset(dx, dy);
        SendMessage(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
      } else {
        if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) r.Left = std::min(r.Left + dx, r.Right - 1);
        if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT) r.Right = std::max(r.Right + dx, r.Left + 1);
        if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) r.Top = std::min(r.Top + dy, r.Bottom - 1);
        if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT) r.Bottom = std::max(r.Bottom + dy, r.Top + 1);
        SendMessage(hwnd, WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
      }
      if (r != cur) {
        cur = r;
        RECT pr = ToParent(hwnd, r);
        SetWindowPos(hwnd, nullptr, pr.Left, pr.Top, pr.Width(), pr.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | (move ? SWP_NOSIZE : 0u));
      }
      continue;
    }
    if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) break;
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) {
      RECT pr = ToParent(hwnd, orig);
      SetWindowPos(hwnd, nullptr, pr.Left, pr.Top, pr.Width(), pr.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  if (IsWindow(hwnd)) SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

// Waits for the button to come up over the same caption button.
bool TrackCaptionButton(HWND hwnd, LRESULT hit) {
  SetCapture(hwnd);
  bool inside = true;
  MSG m;
  while (IsWindow(hwnd) && GetCapture() == hwnd) {
    if (!GetModalMessage(&m)) break;
    if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) {
      POINT p;
      GetCursorPos(&p);
      inside = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y)) == hit;
      break;
    }
    if (m.message == WM_MOUSEMOVE) continue;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  return inside && IsWindow(hwnd);
}

LRESULT SysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  switch (wParam & 0xFFF0) {
    case SC_MOVE:
    case SC_SIZE: MoveSizeLoop(hwnd, wParam, lParam); return 0;
    case SC_CLOSE: SendMessage(hwnd, WM_CLOSE, 0, 0); return 0;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
    case SC_HSCROLL:
    case SC_VSCROLL:
      TrackWindowScrollBar(hwnd, (wParam & 0xFFF0) == SC_HSCROLL ? SB_HORZ : SB_VERT, MAKEPOINT(lParam));
      return 0;
    default: return 0;
  }
}

HCURSOR SizeCursor(LRESULT hit) {
  switch (hit) {
    case HTLEFT: case HTRIGHT: return LoadCursor(nullptr, IDC_SIZEWE);
    case HTTOP: case HTBOTTOM: return LoadCursor(nullptr, IDC_SIZENS);
    case HTTOPLEFT: case HTBOTTOMRIGHT: case HTSIZE: return LoadCursor(nullptr, IDC_SIZENWSE);
    case HTTOPRIGHT: case HTBOTTOMLEFT: return LoadCursor(nullptr, IDC_SIZENESW);
    default: return nullptr;
  }
}

WPARAM SizeEdge(LRESULT hit) {
  switch (hit) {
    case HTLEFT: return WMSZ_LEFT;
    case HTRIGHT: return WMSZ_RIGHT;
    case HTTOP: return WMSZ_TOP;
    case HTTOPLEFT: return WMSZ_TOPLEFT;
    case HTTOPRIGHT: return WMSZ_TOPRIGHT;
    case HTBOTTOM: return WMSZ_BOTTOM;
    case HTBOTTOMLEFT: return WMSZ_BOTTOMLEFT;
    case HTBOTTOMRIGHT: case HTSIZE: return WMSZ_BOTTOMRIGHT;
    default: return 0;
  }
}

void PrintWindowInto(HWND hwnd, HDC dc, LPARAM flags) {
  WindowPtr w = Get(hwnd);
  if (!w) return;
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)) return;
  RECT client;
  {
    Lock lock;
    client = w->Client;
  }
  if (flags & PRF_NONCLIENT) DrawDefaultFrame(hwnd, dc, w->NcActive);
  POINT old;
  OffsetViewportOrgEx(dc, client.Left, client.Top, &old);
  if (flags & PRF_ERASEBKGND) SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if (flags & PRF_CLIENT) SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
  if (flags & PRF_CHILDREN) {
    std::vector<std::pair<HWND, POINT>> kids;
    {
      Lock lock;
      for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it)
        if ((*it)->Style & WS_VISIBLE) kids.push_back({(*it)->Handle, (*it)->Rect.TopLeft()});
    }
    for (auto& [k, pos] : kids) {
      POINT o2;
      OffsetViewportOrgEx(dc, pos.X, pos.Y, &o2);
      SendMessage(k, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
      SetViewportOrgEx(dc, o2.X, o2.Y, nullptr);
    }
  }
  SetViewportOrgEx(dc, old.X, old.Y, nullptr);
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowPtr w = Get(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
        Lock lock;
        w->Text = cs->lpszName;
      }
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      Lock lock;
      RECT m = FrameMetrics(w->Style, w->ExStyle);
      RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      if (!r) return 0;
      r->Left += m.Left;
      r->Top += m.Top;
      r->Right = std::max(r->Left, r->Right - m.Right);
      r->Bottom = std::max(r->Top, r->Bottom - m.Bottom);
      return 0;
    }
    case WM_NCHITTEST: {
      Lock lock;
      POINT o = ScreenOrigin(w.get());
      return DefaultHitTest(w.get(), {GET_X_LPARAM(lParam) - o.X, GET_Y_LPARAM(lParam) - o.Y});
    }
    case WM_NCPAINT: {
      HDC dc = GetWindowDC(hwnd);
      DrawDefaultFrame(hwnd, dc, w->NcActive);
      ReleaseDC(hwnd, dc);
      return 0;
    }
    case WM_NCACTIVATE: {
      bool repaint;
      {
        Lock lock;
        repaint = w->NcActive != (wParam != 0) && (w->Style & WS_CAPTION) == WS_CAPTION;
        w->NcActive = wParam != 0;
      }
      if (repaint) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN | RDW_NOERASE);
      return TRUE;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      HBRUSH brush;
      {
        Lock lock;
        brush = w->Class ? w->Class->Background : nullptr;
      }
      if (!brush) return 0;
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
      return 1;
    }
    case WM_PRINT: PrintWindowInto(hwnd, reinterpret_cast<HDC>(wParam), lParam); return 0;
    case WM_SETTEXT: {
      {
        Lock lock;
        w->Text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (w->IsTopLevel()) NativeStateChanged(w.get());
      }
      if ((w->Style & WS_CAPTION) == WS_CAPTION)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN | RDW_NOERASE);
      return TRUE;
    }
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(lParam);
      if (!buf || wParam == 0) return 0;
      std::string t;
      {
        Lock lock;
        t = w->Text;
      }
      size_t n = std::min(t.size(), size_t(wParam) - 1);
      while (n > 0 && n < t.size() && (uint8_t(t[n]) & 0xC0) == 0x80) --n;  // whole characters only
      std::memcpy(buf, t.data(), n);
      buf[n] = 0;
      return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: {
      Lock lock;
      return LRESULT(w->Text.size());
    }
    case WM_SETREDRAW: {
      // As on the platform: drawing is switched off by hiding the window from
      // painting without hiding it from the screen.
      Lock lock;
      if (wParam) w->Style |= WS_VISIBLE;
      else w->Style &= ~WS_VISIBLE;
      return 0;
    }
    case WM_SETCURSOR: {
      const LRESULT hit = LRESULT(SHORT(LOWORD(uintptr_t(lParam))));
      if (HWND p = ParentOfChild(hwnd))
        if (SendMessage(p, WM_SETCURSOR, wParam, lParam)) return TRUE;
      if (hit == HTCLIENT) {
        HCURSOR c;
        {
          Lock lock;
          c = w->Class ? w->Class->Cursor : nullptr;
        }
        if (c) SetCursor(c);
        return c ? TRUE : FALSE;
      }
      if (hit == HTERROR) {
        UINT m = HIWORD(uintptr_t(lParam));
        if (m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN) MessageBeep(0);
        return FALSE;
      }
      if (HCURSOR c = SizeCursor(hit)) {
        SetCursor(c);
        return TRUE;
      }
      SetCursor(LoadCursor(nullptr, IDC_ARROW));
      return TRUE;
    }
    case WM_MOUSEACTIVATE: {
      if (HWND p = ParentOfChild(hwnd)) {
        LRESULT r = SendMessage(p, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return (w->ExStyle & WS_EX_NOACTIVATE) ? MA_NOACTIVATE : MA_ACTIVATE;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_HELP:
    case WM_CONTEXTMENU:
      if (HWND p = ParentOfChild(hwnd)) return SendMessage(p, msg, msg == WM_CONTEXTMENU ? wParam : wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        HWND f = GetFocus();
        if (!f || (f != hwnd && !IsChild(hwnd, f))) SetFocus(hwnd);
      }
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (wp && !(wp->flags & SWP_NOSIZE) && w->IsTopLevel() && (w->Style & WS_THICKFRAME) &&
          !(w->Style & (WS_MAXIMIZE | WS_MINIMIZE))) {
        MINMAXINFO mmi;
        SIZE s = ScreenSizeNow();
        mmi.ptMaxSize = {s.cx, s.cy};
        mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        wp->cx = std::clamp(wp->cx, std::min(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X), mmi.ptMaxTrackSize.X);
        wp->cy = std::clamp(wp->cy, std::min(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y), mmi.ptMaxTrackSize.Y);
      }
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!wp) return 0;
      RECT rect, client;
      DWORD style;
      {
        Lock lock;
        rect = w->Rect;
        client = w->Client;
        style = w->Style;
      }
      if (!(wp->flags & SWP_NOCLIENTMOVE))
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(rect.Left + client.Left, rect.Top + client.Top));
      if (!(wp->flags & SWP_NOCLIENTSIZE)) {
        WPARAM kind = (style & WS_MINIMIZE) ? SIZE_MINIMIZED : (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(client.Width(), client.Height()));
      }
      return 0;
    }
    case WM_NCLBUTTONDOWN: {
      const LRESULT hit = LRESULT(wParam);
      if (hit == HTCAPTION) {
        if (!(w->ExStyle & WS_EX_NOACTIVATE) && w->IsTopLevel()) SetActiveWindow(hwnd);
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      } else if (WPARAM edge = SizeEdge(hit); edge) {
        // The hit code decides, not the style: a frameless floating bar
        // answers the edge codes itself and is sized like a framed window.
        SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | edge, lParam);
      } else if (hit == HTHSCROLL || hit == HTVSCROLL) {
        SendMessage(hwnd, WM_SYSCOMMAND, (hit == HTHSCROLL ? SC_HSCROLL : SC_VSCROLL) | WPARAM(hit), lParam);
      } else if (hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON) {
        if (TrackCaptionButton(hwnd, hit)) {
          WPARAM cmd = hit == HTCLOSE ? SC_CLOSE : hit == HTMINBUTTON ? SC_MINIMIZE
                                                 : (IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE);
          SendMessage(hwnd, WM_SYSCOMMAND, cmd, lParam);
        }
      }
      return 0;
    }
    case WM_NCLBUTTONDBLCLK:
      // A second quick press on a scroll bar is just another press.
      if (wParam == WPARAM(HTHSCROLL) || wParam == WPARAM(HTVSCROLL))
        return DefWindowProc(hwnd, WM_NCLBUTTONDOWN, wParam, lParam);
      if (wParam == HTCAPTION && (w->Style & WS_MAXIMIZEBOX))
        SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      return 0;
    case WM_SYSCOMMAND: return SysCommand(hwnd, wParam, lParam);
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && w->IsTopLevel() && (HIWORD(uintptr_t(lParam)) & 0x2000))
        PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_CANCELMODE:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_3DFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_CTLCOLORSCROLLBAR: return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN: return TRUE;
    case WM_GETDLGCODE:
    case WM_GETICON:
    case WM_GETOBJECT:
    case WM_GETFONT:
    default: return 0;
  }
}

}  // namespace win
