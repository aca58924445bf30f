// Monitors (one: the backend's screen), system parameters and sounds.
#include <cstring>
#include <optional>

#include "platform/gdi/syscolors.h"
#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

struct Params {
  BOOL MenuAnimation = FALSE;
  BOOL MenuFade = FALSE;
  BOOL DropShadow = TRUE;
  BOOL KeyboardCues = FALSE;
  BOOL FlatMenu = FALSE;
  BOOL TooltipAnimation = TRUE;
  BOOL TooltipFade = TRUE;
  UINT WheelLines = 3;
  UINT WheelChars = 3;
  std::optional<RECT> WorkArea;
  std::optional<NONCLIENTMETRICS> Metrics;
};
Params& P() {
  static auto* p = new Params;
  return *p;
}

HMONITOR const kMonitor = reinterpret_cast<HMONITOR>(uintptr_t(0x10001));

LOGFONT SegoeUi(LONG weight = FW_NORMAL) {
  LOGFONT lf;
  lf.lfHeight = -12;  // 9 pt at 96 dpi
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  SetFaceName(lf, "Segoe UI");
  return lf;
}

NONCLIENTMETRICS DefaultMetrics() {
  NONCLIENTMETRICS m;
  m.iBorderWidth = 1;
  m.iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  m.iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  m.iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
  m.iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
  m.lfCaptionFont = SegoeUi(FW_BOLD);
  m.iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
  m.iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
  m.lfSmCaptionFont = SegoeUi(FW_BOLD);
  m.iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
  m.iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
  m.lfMenuFont = SegoeUi();
  m.lfStatusFont = SegoeUi();
  m.lfMessageFont = SegoeUi();
  return m;
}

bool GetBool(void* pv, BOOL v) {
  if (!pv) return false;
  *static_cast<BOOL*>(pv) = v;
  return true;
}

RECT ScreenRect() {
  SIZE s = ScreenSizeNow();
  return {0, 0, s.cx, s.cy};
}

}  // namespace

SIZE ScreenSizeNow() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

RECT BackendWorkArea();  // display.cpp

RECT WorkAreaNow() {
  RECT screen = ScreenRect();
  RECT work = P().WorkArea ? *P().WorkArea : BackendWorkArea();
  RECT r;
  if (!IntersectRect(r, work, screen)) return screen;
  return r;
}

}  // namespace detail

using namespace detail;

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
  if (ScreenRect().Contains(pt)) return kMonitor;
  return flags == MONITOR_DEFAULTTONULL ? nullptr : kMonitor;
}

HMONITOR MonitorFromRect(const RECT* r, DWORD flags) {
  RECT x;
  if (r && IntersectRect(x, *r, ScreenRect())) return kMonitor;
  return flags == MONITOR_DEFAULTTONULL ? nullptr : kMonitor;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  RECT r;
  if (GetWindowRect(hwnd, &r)) {
    if (r.IsEmpty()) r = {r.Left, r.Top, r.Left + 1, r.Top + 1};
    return MonitorFromRect(&r, flags);
  }
  return flags == MONITOR_DEFAULTTONULL ? nullptr : kMonitor;
}

BOOL GetMonitorInfo(HMONITOR mon, MONITORINFO* info) {
  if (mon != kMonitor || !info) return FALSE;
  if (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEX)) return FALSE;
  Lock lock;
  info->rcMonitor = ScreenRect();
  info->rcWork = WorkAreaNow();
  info->dwFlags = MONITORINFOF_PRIMARY;
  if (info->cbSize == sizeof(MONITORINFOEX)) {
    auto* ex = static_cast<MONITORINFOEX*>(info);
    std::strncpy(ex->szDevice, "\\\\.\\DISPLAY1", sizeof ex->szDevice - 1);
  }
  return TRUE;
}

BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC proc, LPARAM data) {
  if (!proc) return FALSE;
  RECT r = ScreenRect(), x;
  if (clip && !IntersectRect(x, *clip, r)) return TRUE;
  if (clip) r = x;
  proc(kMonitor, dc, &r, data);
  return TRUE;
}

BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pv, UINT) {
  Lock lock;
  Params& p = P();
  auto setBool = [&](BOOL& field) {
    field = pv ? TRUE : FALSE;
    return TRUE;
  };
  switch (action) {
    case SPI_GETMENUANIMATION: return GetBool(pv, p.MenuAnimation);
    case SPI_SETMENUANIMATION: return setBool(p.MenuAnimation);
    case SPI_GETMENUFADE: return GetBool(pv, p.MenuFade);
    case SPI_SETMENUFADE: return setBool(p.MenuFade);
    case SPI_GETDROPSHADOW: return GetBool(pv, p.DropShadow);
    case SPI_SETDROPSHADOW: return setBool(p.DropShadow);
    case SPI_GETKEYBOARDCUES: return GetBool(pv, p.KeyboardCues);
    case SPI_SETKEYBOARDCUES: return setBool(p.KeyboardCues);
    case SPI_GETFLATMENU: return GetBool(pv, p.FlatMenu);
    case SPI_SETFLATMENU: return setBool(p.FlatMenu);
    case SPI_GETTOOLTIPANIMATION: return GetBool(pv, p.TooltipAnimation);
    case SPI_SETTOOLTIPANIMATION: return setBool(p.TooltipAnimation);
    case SPI_GETTOOLTIPFADE: return GetBool(pv, p.TooltipFade);
    case SPI_SETTOOLTIPFADE: return setBool(p.TooltipFade);
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETSELECTIONFADE:
    case SPI_GETCURSORSHADOW:
    case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETHOTTRACKING:
    case SPI_GETUIEFFECTS:
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETFONTSMOOTHING: return GetBool(pv, TRUE);
    case SPI_GETBEEP:
    case SPI_GETACTIVEWINDOWTRACKING:
    case SPI_GETSCREENSAVERRUNNING:
    case SPI_GETMENUDROPALIGNMENT:
    case SPI_GETSNAPTODEFBUTTON:
    case SPI_GETKEYBOARDPREF:
    case SPI_GETSHOWIMEUI: return GetBool(pv, FALSE);
    case SPI_GETWHEELSCROLLLINES:
      if (!pv) return FALSE;
      *static_cast<UINT*>(pv) = p.WheelLines;
      return TRUE;
    case SPI_SETWHEELSCROLLLINES: p.WheelLines = uiParam; return TRUE;
    case SPI_GETWHEELSCROLLCHARS:
      if (!pv) return FALSE;
      *static_cast<UINT*>(pv) = p.WheelChars;
      return TRUE;
    case SPI_GETMOUSEHOVERTIME:
    case SPI_GETMENUSHOWDELAY:
      if (!pv) return FALSE;
      *static_cast<UINT*>(pv) = 400;
      return TRUE;
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
      if (!pv) return FALSE;
      *static_cast<UINT*>(pv) = 4;
      return TRUE;
    case SPI_GETCARETWIDTH:
    case SPI_GETFOCUSBORDERWIDTH:
    case SPI_GETFOCUSBORDERHEIGHT:
    case SPI_GETBORDER:
      if (!pv) return FALSE;
      *static_cast<UINT*>(pv) = 1;
      return TRUE;
    case SPI_GETFONTSMOOTHINGTYPE:
      if (!pv) return FALSE;
      *static_cast<UINT*>(pv) = 1;  // standard antialiasing
      return TRUE;
    case SPI_GETKEYBOARDDELAY:
    case SPI_GETMOUSESPEED:
      if (!pv) return FALSE;
      *static_cast<int*>(pv) = action == SPI_GETMOUSESPEED ? 10 : 1;
      return TRUE;
    case SPI_GETKEYBOARDSPEED:
      if (!pv) return FALSE;
      *static_cast<DWORD*>(pv) = 31;
      return TRUE;
    case SPI_GETWORKAREA:
      if (!pv) return FALSE;
      *static_cast<RECT*>(pv) = WorkAreaNow();
      return TRUE;
    case SPI_SETWORKAREA:
      if (pv) p.WorkArea = *static_cast<const RECT*>(pv);
      else p.WorkArea.reset();
      return TRUE;
    case SPI_GETHIGHCONTRAST: {
      auto* hc = static_cast<HIGHCONTRAST*>(pv);
      if (!hc || hc->cbSize != sizeof(HIGHCONTRAST)) return FALSE;
      hc->dwFlags = 0;
      hc->lpszDefaultScheme = nullptr;
      return TRUE;
    }
    case SPI_GETNONCLIENTMETRICS: {
      auto* m = static_cast<NONCLIENTMETRICS*>(pv);
      // Also the older layout without iPaddedBorderWidth.
      if (!m || (m->cbSize != sizeof(NONCLIENTMETRICS) && m->cbSize != sizeof(NONCLIENTMETRICS) - sizeof(int)))
        return FALSE;
      const UINT size = m->cbSize;
      NONCLIENTMETRICS v = p.Metrics ? *p.Metrics : DefaultMetrics();
      std::memcpy(static_cast<void*>(m), &v, size);
      m->cbSize = size;
      return TRUE;
    }
    case SPI_SETNONCLIENTMETRICS: {
      auto* m = static_cast<NONCLIENTMETRICS*>(pv);
      if (!m || m->cbSize != sizeof(NONCLIENTMETRICS)) return FALSE;
      p.Metrics = *m;
      return TRUE;
    }
    case SPI_GETICONTITLELOGFONT:
      if (!pv) return FALSE;
      *static_cast<LOGFONT*>(pv) = SegoeUi();
      return TRUE;
    default: return FALSE;
  }
}

BOOL MessageBeep(UINT) { return TRUE; }

}  // namespace win
