// Device contexts: creation, the state stack, attributes, coordinate spaces
// and clipping.
#include <algorithm>
#include <atomic>
#include <mutex>

#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/syscolors.h"

namespace win {

using detail::AsDC;

namespace {

std::mutex g_screenMutex;
Surface g_screen;

void InitState(DeviceContext* d, bool memory) {
  DCState& s = d->State;
  s.Pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  s.Brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  s.Font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  s.Palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  s.Bitmap = memory ? detail::StockBitmap() : nullptr;
  detail::RefState(s, d);
}

TRect ScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// The whole drawable area in device coordinates: what "no clip region" means.
TRect DeviceArea(DeviceContext* d) {
  Surface s = d->Target();
  if (!s.Valid()) return d->IsMemory() ? TRect{} : ScreenRect();
  TRect r{0, 0, s.Width, s.Height};
  r.Offset(-d->Origin.X, -d->Origin.Y);
  return r;
}

TPoint LogToDev(const DeviceContext* d, TPoint p) {
  const DCState& s = d->State;
  int32_t x = p.X - s.WindowOrg.X + s.ViewportOrg.X, y = p.Y - s.WindowOrg.Y + s.ViewportOrg.Y;
  if (s.GraphicsMode == GM_ADVANCED) {
    x += int32_t(s.WorldTransform.eDx);
    y += int32_t(s.WorldTransform.eDy);
  }
  return {x, y};
}

TRect LogRectToDev(const DeviceContext* d, int l, int t, int r, int b) {
  TPoint a = LogToDev(d, {l, t}), c = LogToDev(d, {r, b});
  return {std::min(a.X, c.X), std::min(a.Y, c.Y), std::max(a.X, c.X), std::max(a.Y, c.Y)};
}

}  // namespace

// ---------------------------------------------------------------- DeviceContext
Surface DeviceContext::Target() {
  if (IsMemory()) return State.Bitmap ? State.Bitmap->GetSurface() : Surface{};
  return External;
}

const Region& DeviceContext::Clip() {
  Surface s = Target();
  if (!clipValid_) {
    clip_.Clear();
    if (s.Valid()) {
      clip_.SetRect({0, 0, s.Width, s.Height});
      if (VisRgn) {
        Region v = *VisRgn;
        v.Offset(Origin.X, Origin.Y);
        clip_ = Region::Combine(clip_, v, Region::Op::And);
      }
      if (State.ClipRgn) {
        Region c = *State.ClipRgn;
        c.Offset(Origin.X, Origin.Y);
        clip_ = Region::Combine(clip_, c, Region::Op::And);
      }
    }
    clipValid_ = true;
  }
  // A surface that changed size under us must never be written past its edge.
  if (!clip_.IsEmpty()) {
    TRect b = clip_.Bounds();
    if (!s.Valid() || b.Left < 0 || b.Top < 0 || b.Right > s.Width || b.Bottom > s.Height)
      clip_ = s.Valid() ? clip_.Intersect({0, 0, s.Width, s.Height}) : Region();
  }
  return clip_;
}

namespace detail {

bool Ctx::Init(HDC dc) {
  Dc = AsDC(dc);
  if (!Dc) return false;
  S = Dc->Target();
  Clip = &Dc->Clip();
  TPoint o = LogToDev(Dc, {0, 0});
  Off = {o.X + Dc->Origin.X, o.Y + Dc->Origin.Y};
  return true;
}

}  // namespace detail

// ---------------------------------------------------------------- creation
HDC CreateCompatibleDC(HDC dc) {
  if (dc && !AsDC(dc)) return nullptr;
  auto* d = new DeviceContext(OBJ_MEMDC);
  InitState(d, true);
  return d;
}

BOOL DeleteDC(HDC dc) {
  DeviceContext* d = AsDC(dc);
  if (!d) return FALSE;
  delete d;
  return TRUE;
}

HDC GetScreenDC() {
  auto* d = new DeviceContext(OBJ_DC);
  InitState(d, false);
  std::lock_guard lock(g_screenMutex);
  d->External = g_screen;
  return d;
}

int ReleaseDC(std::nullptr_t, HDC dc) { return DeleteDC(dc) ? 1 : 0; }

void SetScreenSurface(const Surface* s) {
  std::lock_guard lock(g_screenMutex);
  g_screen = s ? *s : Surface{};
}

HDC CreateSurfaceDC(const Surface& target, TPoint origin, const Region* visRgn) {
  auto* d = new DeviceContext(OBJ_DC);
  InitState(d, false);
  SetDCSurface(d, target, origin, visRgn);
  return d;
}

BOOL SetDCSurface(HDC dc, const Surface& target, TPoint origin, const Region* visRgn) {
  DeviceContext* d = AsDC(dc);
  if (!d || d->IsMemory()) return FALSE;
  d->External = target;
  d->Origin = origin;
  if (visRgn) d->VisRgn = *visRgn;
  else d->VisRgn.reset();
  d->InvalidateClip();
  return TRUE;
}

namespace {
std::atomic<int> g_screenBits{32};
}  // namespace

int SetScreenBitsPerPixel(int bits) {
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return 0;
  return g_screenBits.exchange(bits);
}

int GetDeviceCaps(HDC dc, int index) {
  if (!AsDC(dc)) return 0;
  TRect scr = ScreenRect();
  const int bits = g_screenBits.load();
  const bool palette = bits <= 8;
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return scr.Right * 254 / 960;
    case VERTSIZE: return scr.Bottom * 254 / 960;
    case HORZRES:
    case DESKTOPHORZRES: return scr.Right;
    case VERTRES:
    case DESKTOPVERTRES: return scr.Bottom;
    case BITSPIXEL: return bits;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS: return -1;
    case NUMCOLORS: return palette ? 20 : -1;
    case NUMFONTS: return 0;
    case CURVECAPS: return 511;
    case LINECAPS: return 254;
    case POLYGONALCAPS: return 255;
    case TEXTCAPS: return 0x7E9F;
    case CLIPCAPS: return 1;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT |
             RC_FLOODFILL | RC_STRETCHDIB | (palette ? RC_PALETTE : 0);
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX:
    case LOGPIXELSY: return ScreenLogPixels();
    case SIZEPALETTE: return palette ? 256 : 0;
    case NUMRESERVED: return palette ? 20 : 0;
    case COLORRES: return 24;
    case VREFRESH: return 60;
    case SHADEBLENDCAPS: return SB_CONST_ALPHA | SB_PIXEL_ALPHA | SB_GRAD_RECT | SB_GRAD_TRI;
    default: return 0;
  }
}

const DCState* GetDCState(HDC dc) {
  DeviceContext* d = AsDC(dc);
  return d ? &d->State : nullptr;
}

// ---------------------------------------------------------------- state stack
int SaveDC(HDC dc) {
  DeviceContext* d = AsDC(dc);
  if (!d) return 0;
  d->Saved.push_back(d->State);
  detail::RefState(d->State, d);
  return int(d->Saved.size());
}

BOOL RestoreDC(HDC dc, int saved) {
  DeviceContext* d = AsDC(dc);
  if (!d || saved == 0) return FALSE;
  int count = int(d->Saved.size());
  int level = saved > 0 ? saved : count + saved + 1;
  if (level < 1 || level > count) return FALSE;
  detail::UnrefState(d->State);
  d->State = std::move(d->Saved[size_t(level - 1)]);  // its references move with it
  for (int i = level; i < count; ++i) detail::UnrefState(d->Saved[size_t(i)]);
  d->Saved.resize(size_t(level - 1));
  if (d->State.Bitmap) d->State.Bitmap->SelectedInto = d;
  d->InvalidateClip();
  return TRUE;
}

// ---------------------------------------------------------------- attributes
namespace {

template <class T, class V>
T Swap(HDC dc, T DCState::*field, V value, T failure) {
  DeviceContext* d = AsDC(dc);
  if (!d) return failure;
  T old = d->State.*field;
  d->State.*field = T(value);
  return old;
}
template <class T>
T Get(HDC dc, T DCState::*field, T failure) {
  DeviceContext* d = AsDC(dc);
  return d ? d->State.*field : failure;
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF c) { return Swap(dc, &DCState::TextColor, c, CLR_INVALID); }
COLORREF GetTextColor(HDC dc) { return Get(dc, &DCState::TextColor, CLR_INVALID); }
COLORREF SetBkColor(HDC dc, COLORREF c) { return Swap(dc, &DCState::BkColor, c, CLR_INVALID); }
COLORREF GetBkColor(HDC dc) { return Get(dc, &DCState::BkColor, CLR_INVALID); }
int SetBkMode(HDC dc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return Swap(dc, &DCState::BkMode, mode, 0);
}
int GetBkMode(HDC dc) { return Get(dc, &DCState::BkMode, 0); }
int SetROP2(HDC dc, int rop2) {
  if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
  return Swap(dc, &DCState::Rop2, rop2, 0);
}
int GetROP2(HDC dc) { return Get(dc, &DCState::Rop2, 0); }
UINT SetTextAlign(HDC dc, UINT align) { return Swap(dc, &DCState::TextAlign, align, GDI_ERROR); }
UINT GetTextAlign(HDC dc) { return Get(dc, &DCState::TextAlign, GDI_ERROR); }
int SetTextCharacterExtra(HDC dc, int extra) {
  return Swap(dc, &DCState::TextCharExtra, extra, int(0x80000000u));
}
int GetTextCharacterExtra(HDC dc) { return Get(dc, &DCState::TextCharExtra, int(0x80000000u)); }
int SetPolyFillMode(HDC dc, int mode) {
  if (mode != ALTERNATE && mode != WINDING) return 0;
  return Swap(dc, &DCState::PolyFillMode, mode, 0);
}
int GetPolyFillMode(HDC dc) { return Get(dc, &DCState::PolyFillMode, 0); }
int SetStretchBltMode(HDC dc, int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return Swap(dc, &DCState::StretchMode, mode, 0);
}
int GetStretchBltMode(HDC dc) { return Get(dc, &DCState::StretchMode, 0); }
// Only MM_TEXT is carried out; other modes are accepted and behave like it.
int SetMapMode(HDC dc, int mode) {
  if (mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  return AsDC(dc) ? MM_TEXT : 0;
}
int GetMapMode(HDC dc) { return AsDC(dc) ? MM_TEXT : 0; }
int SetGraphicsMode(HDC dc, int mode) {
  if (mode != GM_COMPATIBLE && mode != GM_ADVANCED) return 0;
  DeviceContext* d = AsDC(dc);
  if (!d) return 0;
  int old = d->State.GraphicsMode;
  d->State.GraphicsMode = mode;
  if (mode == GM_COMPATIBLE) d->State.WorldTransform = XFORM{};
  return old;
}
int GetGraphicsMode(HDC dc) { return Get(dc, &DCState::GraphicsMode, 0); }
BOOL SetWorldTransform(HDC dc, const XFORM* xf) {
  DeviceContext* d = AsDC(dc);
  if (!d || !xf || d->State.GraphicsMode != GM_ADVANCED) return FALSE;
  d->State.WorldTransform = *xf;
  return TRUE;
}
BOOL GetWorldTransform(HDC dc, XFORM* xf) {
  DeviceContext* d = AsDC(dc);
  if (!d || !xf) return FALSE;
  *xf = d->State.WorldTransform;
  return TRUE;
}
BOOL ModifyWorldTransform(HDC dc, const XFORM* xf, DWORD mode) {
  DeviceContext* d = AsDC(dc);
  if (!d || d->State.GraphicsMode != GM_ADVANCED) return FALSE;
  XFORM& w = d->State.WorldTransform;
  if (mode == MWT_IDENTITY) {
    w = XFORM{};
    return TRUE;
  }
  if (!xf || (mode != MWT_LEFTMULTIPLY && mode != MWT_RIGHTMULTIPLY)) return FALSE;
  const XFORM& a = mode == MWT_LEFTMULTIPLY ? *xf : w;
  const XFORM& b = mode == MWT_LEFTMULTIPLY ? w : *xf;
  XFORM r;
  r.eM11 = a.eM11 * b.eM11 + a.eM12 * b.eM21;
  r.eM12 = a.eM11 * b.eM12 + a.eM12 * b.eM22;
  r.eM21 = a.eM21 * b.eM11 + a.eM22 * b.eM21;
  r.eM22 = a.eM21 * b.eM12 + a.eM22 * b.eM22;
  r.eDx = a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx;
  r.eDy = a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy;
  w = r;
  return TRUE;
}
int SetArcDirection(HDC dc, int dir) {
  if (dir != AD_COUNTERCLOCKWISE && dir != AD_CLOCKWISE) return 0;
  return Swap(dc, &DCState::ArcDirection, dir, 0);
}
int GetArcDirection(HDC dc) { return Get(dc, &DCState::ArcDirection, 0); }
COLORREF SetDCBrushColor(HDC dc, COLORREF c) { return Swap(dc, &DCState::DCBrushColor, c, CLR_INVALID); }
COLORREF GetDCBrushColor(HDC dc) { return Get(dc, &DCState::DCBrushColor, CLR_INVALID); }
COLORREF SetDCPenColor(HDC dc, COLORREF c) { return Swap(dc, &DCState::DCPenColor, c, CLR_INVALID); }
COLORREF GetDCPenColor(HDC dc) { return Get(dc, &DCState::DCPenColor, CLR_INVALID); }

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old) {
  DeviceContext* d = AsDC(dc);
  if (!d) return FALSE;
  if (old) *old = d->State.BrushOrg;
  d->State.BrushOrg = {x, y};
  return TRUE;
}
BOOL GetBrushOrgEx(HDC dc, POINT* pt) {
  DeviceContext* d = AsDC(dc);
  if (!d || !pt) return FALSE;
  *pt = d->State.BrushOrg;
  return TRUE;
}

// ---------------------------------------------------------------- coordinates
namespace {

BOOL SetOrg(HDC dc, TPoint DCState::*field, TPoint v, POINT* old) {
  DeviceContext* d = AsDC(dc);
  if (!d) return FALSE;
  if (old) *old = d->State.*field;
  d->State.*field = v;
  return TRUE;
}

}  // namespace

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old) { return SetOrg(dc, &DCState::ViewportOrg, {x, y}, old); }
BOOL GetViewportOrgEx(HDC dc, POINT* pt) {
  DeviceContext* d = AsDC(dc);
  if (!d || !pt) return FALSE;
  *pt = d->State.ViewportOrg;
  return TRUE;
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
  DeviceContext* d = AsDC(dc);
  if (!d) return FALSE;
  TPoint v = d->State.ViewportOrg;
  return SetOrg(dc, &DCState::ViewportOrg, {v.X + dx, v.Y + dy}, old);
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old) { return SetOrg(dc, &DCState::WindowOrg, {x, y}, old); }
BOOL GetWindowOrgEx(HDC dc, POINT* pt) {
  DeviceContext* d = AsDC(dc);
  if (!d || !pt) return FALSE;
  *pt = d->State.WindowOrg;
  return TRUE;
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old) {
  DeviceContext* d = AsDC(dc);
  if (!d) return FALSE;
  TPoint v = d->State.WindowOrg;
  return SetOrg(dc, &DCState::WindowOrg, {v.X + dx, v.Y + dy}, old);
}
BOOL LPtoDP(HDC dc, POINT* pts, int count) {
  DeviceContext* d = AsDC(dc);
  if (!d || (!pts && count > 0) || count < 0) return FALSE;
  for (int i = 0; i < count; ++i) pts[i] = LogToDev(d, pts[i]);
  return TRUE;
}
BOOL DPtoLP(HDC dc, POINT* pts, int count) {
  DeviceContext* d = AsDC(dc);
  if (!d || (!pts && count > 0) || count < 0) return FALSE;
  TPoint o = LogToDev(d, {0, 0});
  for (int i = 0; i < count; ++i) pts[i] = {pts[i].X - o.X, pts[i].Y - o.Y};
  return TRUE;
}
BOOL GetDCOrgEx(HDC dc, POINT* pt) {
  DeviceContext* d = AsDC(dc);
  if (!d || !pt) return FALSE;
  *pt = d->Origin;
  return TRUE;
}

// ---------------------------------------------------------------- clipping
namespace {

int ClipResult(DeviceContext* d) {
  Surface s = d->Target();
  if (!s.Valid()) {
    if (d->State.ClipRgn) return d->State.ClipRgn->Complexity();
    return d->IsMemory() ? NULLREGION : SIMPLEREGION;
  }
  return d->Clip().Complexity();
}

void SetClip(DeviceContext* d, std::optional<Region> r) {
  d->State.ClipRgn = std::move(r);
  d->InvalidateClip();
}

Region CurrentClipOrArea(DeviceContext* d) {
  return d->State.ClipRgn ? *d->State.ClipRgn : Region(DeviceArea(d));
}

}  // namespace

int SelectClipRgn(HDC dc, HRGN rgn) { return ExtSelectClipRgn(dc, rgn, RGN_COPY); }

int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode) {
  DeviceContext* d = AsDC(dc);
  if (!d) return ERROR;
  if (!rgn) {
    if (mode != RGN_COPY) return ERROR;
    SetClip(d, std::nullopt);
    return ClipResult(d);
  }
  RegionObject* r = CheckedHandle<RegionObject>(rgn, OBJ_REGION);
  if (!r) return ERROR;
  switch (mode) {
    case RGN_COPY: SetClip(d, r->Rgn); break;
    case RGN_AND: SetClip(d, Region::Combine(CurrentClipOrArea(d), r->Rgn, Region::Op::And)); break;
    case RGN_OR: SetClip(d, Region::Combine(CurrentClipOrArea(d), r->Rgn, Region::Op::Or)); break;
    case RGN_XOR: SetClip(d, Region::Combine(CurrentClipOrArea(d), r->Rgn, Region::Op::Xor)); break;
    case RGN_DIFF: SetClip(d, Region::Combine(CurrentClipOrArea(d), r->Rgn, Region::Op::Diff)); break;
    default: return ERROR;
  }
  return ClipResult(d);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* d = AsDC(dc);
  if (!d) return ERROR;
  SetClip(d, CurrentClipOrArea(d).Intersect(LogRectToDev(d, left, top, right, bottom)));
  return ClipResult(d);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* d = AsDC(dc);
  if (!d) return ERROR;
  Region cut(LogRectToDev(d, left, top, right, bottom));
  SetClip(d, Region::Combine(CurrentClipOrArea(d), cut, Region::Op::Diff));
  return ClipResult(d);
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
  DeviceContext* d = AsDC(dc);
  if (!d) return ERROR;
  if (d->State.ClipRgn) {
    d->State.ClipRgn->Offset(dx, dy);
    d->InvalidateClip();
  }
  return ClipResult(d);
}

int GetClipBox(HDC dc, RECT* r) {
  DeviceContext* d = AsDC(dc);
  if (!d || !r) return ERROR;
  TRect box;
  Surface s = d->Target();
  if (s.Valid()) {
    box = d->Clip().Bounds();
    box.Offset(-d->Origin.X, -d->Origin.Y);
  } else {
    box = d->State.ClipRgn ? d->State.ClipRgn->Intersect(DeviceArea(d)).Bounds() : DeviceArea(d);
  }
  TPoint o = LogToDev(d, {0, 0});
  if (!box.IsEmpty()) box.Offset(-o.X, -o.Y);
  *r = box;
  return ClipResult(d);
}

int GetClipRgn(HDC dc, HRGN rgn) {
  DeviceContext* d = AsDC(dc);
  RegionObject* r = CheckedHandle<RegionObject>(rgn, OBJ_REGION);
  if (!d || !r) return -1;
  if (!d->State.ClipRgn) return 0;
  r->Rgn = *d->State.ClipRgn;
  return 1;
}

BOOL PtVisible(HDC dc, int x, int y) {
  detail::Ctx c;
  if (!c.Init(dc)) return -1;
  TPoint p = c.ToSurf({x, y});
  return c.Clip->Contains(p.X, p.Y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC dc, const RECT* r) {
  detail::Ctx c;
  if (!c.Init(dc) || !r) return FALSE;
  TRect s = *r;
  if (s.Left > s.Right) std::swap(s.Left, s.Right);
  if (s.Top > s.Bottom) std::swap(s.Top, s.Bottom);
  s.Offset(c.Off.X, c.Off.Y);
  return c.Clip->Intersects(s) ? TRUE : FALSE;
}

}  // namespace win
