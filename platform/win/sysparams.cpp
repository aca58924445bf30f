// Monitors (the backend's list), system parameters, sounds and the version answer.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
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
  std::optional<std::vector<MonitorArea>> Monitors;  // unset: one monitor, the screen
  SoundHook Sound;
  PlatformVersion Version;
};
Params& P() {
  static auto* p = new Params;
  return *p;
}

// Monitor handles count from here in list order; a list change renumbers
// them, so a handle of the old list may name another monitor or none.
constexpr uintptr_t kFirstMonitor = 0x10001;
HMONITOR MonitorHandle(size_t i) { return reinterpret_cast<HMONITOR>(kFirstMonitor + i); }

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

std::vector<MonitorArea> MonitorsNow() {
  Lock lock;
  if (P().Monitors) return *P().Monitors;
  return {{ScreenRect(), WorkAreaNow()}};
}

void SetMonitorsNow(std::optional<std::vector<MonitorArea>> monitors) {
  Lock lock;
  P().Monitors = std::move(monitors);
}

}  // namespace detail

using namespace detail;

namespace {

// Squared distance from a rectangle to a point (0 inside).
int64_t Distance2(const RECT& r, POINT p) {
  const int64_t dx = p.X < r.Left ? int64_t(r.Left) - p.X : p.X >= r.Right ? int64_t(p.X) - (r.Right - 1) : 0;
  const int64_t dy = p.Y < r.Top ? int64_t(r.Top) - p.Y : p.Y >= r.Bottom ? int64_t(p.Y) - (r.Bottom - 1) : 0;
  return dx * dx + dy * dy;
}

// Between two rectangles (0 when they touch or overlap).
int64_t Distance2(const RECT& a, const RECT& b) {
  const int64_t dx = std::max<int64_t>({0, int64_t(a.Left) - b.Right, int64_t(b.Left) - a.Right});
  const int64_t dy = std::max<int64_t>({0, int64_t(a.Top) - b.Bottom, int64_t(b.Top) - a.Bottom});
  return dx * dx + dy * dy;
}

HMONITOR Fallback(const std::vector<MonitorArea>& list, DWORD flags, const std::function<int64_t(const RECT&)>& dist) {
  if (list.empty() || flags == MONITOR_DEFAULTTONULL) return nullptr;
  if (flags != MONITOR_DEFAULTTONEAREST) return MonitorHandle(0);
  size_t best = 0;
  for (size_t i = 1; i < list.size(); ++i)
    if (dist(list[i].Bounds) < dist(list[best].Bounds)) best = i;
  return MonitorHandle(best);
}

}  // namespace

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
  const std::vector<MonitorArea> list = MonitorsNow();
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].Bounds.Contains(pt)) return MonitorHandle(i);
  return Fallback(list, flags, [&](const RECT& r) { return Distance2(r, pt); });
}

HMONITOR MonitorFromRect(const RECT* r, DWORD flags) {
  if (!r) return nullptr;
  const std::vector<MonitorArea> list = MonitorsNow();
  // The monitor with the largest share of the rectangle.
  int64_t bestArea = 0;
  HMONITOR best = nullptr;
  for (size_t i = 0; i < list.size(); ++i) {
    RECT x;
    if (!IntersectRect(x, *r, list[i].Bounds)) continue;
    const int64_t area = int64_t(x.Width()) * x.Height();
    if (area > bestArea) {
      bestArea = area;
      best = MonitorHandle(i);
    }
  }
  if (best) return best;
  return Fallback(list, flags, [&](const RECT& m) { return Distance2(m, *r); });
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  RECT r;
  if (GetWindowRect(hwnd, &r)) {
    if (r.IsEmpty()) r = {r.Left, r.Top, r.Left + 1, r.Top + 1};
    return MonitorFromRect(&r, flags);
  }
  // A stale window lies on no monitor: only the primary can stand for it.
  const std::vector<MonitorArea> list = MonitorsNow();
  return list.empty() || flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorHandle(0);
}

BOOL GetMonitorInfo(HMONITOR mon, MONITORINFO* info) {
  if (!info) return FALSE;
  if (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEX)) return FALSE;
  const uintptr_t h = reinterpret_cast<uintptr_t>(mon);
  const std::vector<MonitorArea> list = MonitorsNow();
  if (h < kFirstMonitor || h - kFirstMonitor >= list.size()) return FALSE;
  const size_t i = h - kFirstMonitor;
  Lock lock;
  info->rcMonitor = list[i].Bounds;
  // The primary's work area answers to SPI_SETWORKAREA.
  info->rcWork = i == 0 && P().WorkArea ? WorkAreaNow() : list[i].Work;
  info->dwFlags = i == 0 ? MONITORINFOF_PRIMARY : 0;
  if (info->cbSize == sizeof(MONITORINFOEX)) {
    auto* ex = static_cast<MONITORINFOEX*>(info);
    std::snprintf(ex->szDevice, sizeof ex->szDevice, "\\\\.\\DISPLAY%zu", i + 1);
  }
  return TRUE;
}

BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC proc, LPARAM data) {
  if (!proc) return FALSE;
  const std::vector<MonitorArea> list = MonitorsNow();
  for (size_t i = 0; i < list.size(); ++i) {
    RECT r = list[i].Bounds, x;
    if (clip) {
      if (!IntersectRect(x, *clip, r)) continue;
      r = x;
    }
    if (!proc(MonitorHandle(i), dc, &r, data)) break;
  }
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

BOOL MessageBeep(UINT type) {
  // The system sound alias the beep stands for, as the sound hook sees it.
  const char* alias = "SystemDefault";
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: alias = "SystemHand"; break;
    case MB_ICONQUESTION: alias = "SystemQuestion"; break;
    case MB_ICONEXCLAMATION: alias = "SystemExclamation"; break;
    case MB_ICONASTERISK: alias = "SystemAsterisk"; break;
  }
  if (type == 0xFFFFFFFFu) alias = "SystemDefault";
  return PlaySound(alias, nullptr, SND_ALIAS | SND_ASYNC);
}

BOOL PlaySound(LPCSTR sound, HMODULE, DWORD flags) {
  SoundHook hook;
  {
    Lock lock;
    hook = P().Sound;
  }
  // Resource ids and memory images carry no name worth reporting.
  std::string name;
  if (sound && !IS_INTRESOURCE(sound) && !(flags & SND_MEMORY)) name = sound;
  if (hook) hook(name, flags);
  return TRUE;
}

void SetSoundHook(SoundHook hook) {
  Lock lock;
  P().Sound = std::move(hook);
}

PlatformVersion GetPlatformVersion() {
  Lock lock;
  return P().Version;
}

BOOL GetVersionEx(OSVERSIONINFO* info) {
  if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFO)) return FALSE;
  const PlatformVersion v = GetPlatformVersion();
  info->dwMajorVersion = v.Major;
  info->dwMinorVersion = v.Minor;
  info->dwBuildNumber = v.Build;
  info->dwPlatformId = v.PlatformId;
  info->szCSDVersion[0] = 0;
  return TRUE;
}

ScopedPlatformVersion::ScopedPlatformVersion(PlatformVersion v) {
  Lock lock;
  saved_ = P().Version;
  P().Version = v;
}

ScopedPlatformVersion::~ScopedPlatformVersion() {
  Lock lock;
  P().Version = saved_;
}

}  // namespace win
