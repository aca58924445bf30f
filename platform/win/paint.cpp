// Painting: update regions, WM_PAINT and BeginPaint, window DCs over the
// top-level surface, the default frame, scrolling.
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

struct DcRecord {
  HWND Hwnd = nullptr;
  std::shared_ptr<SurfaceBuffer> Buffer;  // keeps the pixels alive while the DC is out
  RECT Area;                              // what the DC can touch, window coordinates
  bool Paint = false;                     // handed out by BeginPaint
};

std::unordered_map<HDC, DcRecord>& Dcs() {
  static auto* dcs = new std::unordered_map<HDC, DcRecord>;
  return *dcs;
}

bool WantsChildren(const Window* w, UINT flags) {
  return (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->Style & WS_CLIPCHILDREN));
}

void WakeOwner(const Window* w) {
  if (w->Thread == TThread::CurrentThreadID()) return;
  if (QueuePtr q = QueueOf(w->Thread)) q->Wake();
}

// A DC on the window's top-level surface, with device (0,0) at the window's
// (or client area's) top-left and drawing confined to vis (same coordinates).
HDC MakeWindowDC(Window* w, bool client, const Region& vis, bool paint) {
  Window* top = TopLevelOf(w);
  EnsureSurface(top);
  POINT o = OriginInTop(w);
  if (client) {
    o.X += w->Client.Left;
    o.Y += w->Client.Top;
  }
  Surface s = top->Buffer ? top->Buffer->Get() : Surface{};
  HDC dc = CreateSurfaceDC(s, o, &vis);
  if (!dc) return nullptr;
  DcRecord rec;
  rec.Hwnd = w->Handle;
  rec.Buffer = top->Buffer;
  RECT b = vis.Bounds();
  if (client) b.Offset(w->Client.Left, w->Client.Top);
  rec.Area = b;
  rec.Paint = paint;
  Dcs()[dc] = rec;
  return dc;
}

}  // namespace

void EnsureSurface(Window* top) {
  const int32_t w = std::max(top->Rect.Width(), 0), h = std::max(top->Rect.Height(), 0);
  if (top->Buffer && top->Buffer->Width == w && top->Buffer->Height == h) return;
  auto b = std::make_shared<SurfaceBuffer>();
  b->Width = w;
  b->Height = h;
  b->Pixels.assign(size_t(w) * size_t(h), 0);
  if (top->Buffer) {
    const int32_t cw = std::min(w, top->Buffer->Width), ch = std::min(h, top->Buffer->Height);
    for (int32_t y = 0; y < ch; ++y)
      std::memcpy(&b->Pixels[size_t(y) * size_t(w)], &top->Buffer->Pixels[size_t(y) * size_t(top->Buffer->Width)],
                  size_t(cw) * 4);
  }
  top->Buffer = b;
  top->Dirty = {0, 0, w, h};
}

void MarkDirty(Window* w, const RECT& windowRect) {
  Window* top = TopLevelOf(w);
  if (!top || top->IsDesktop) return;
  RECT r = windowRect;
  POINT o = OriginInTop(w);
  r.Offset(o.X, o.Y);
  RECT u;
  UnionRect(u, top->Dirty, r);
  top->Dirty = u;
  if (!IsDisplayThread()) WakeDisplay();
}

void InvalidateWindow(Window* w, const Region& rgn, UINT flags) {
  if (!w || w->Dead) return;
  if (w->IsDesktop) {
    for (Window* c : w->Children) {
      Region r = rgn;
      r.Offset(-c->Rect.Left, -c->Rect.Top);
      InvalidateWindow(c, r, flags | RDW_FRAME);
    }
    return;
  }
  const RECT all{0, 0, w->Rect.Width(), w->Rect.Height()};
  Region area = rgn.Intersect(all);
  Region clientPart = area.Intersect(w->Client);
  if (flags & RDW_INVALIDATE) {
    if ((flags & RDW_FRAME) && !Region::Combine(area, Region(w->Client), Region::Op::Diff).IsEmpty()) {
      w->NcPaint = true;
      w->Update = Region::Combine(w->Update, area, Region::Op::Or);
    }
    if (!clientPart.IsEmpty()) {
      w->Update = Region::Combine(w->Update, clientPart, Region::Op::Or);
      if (flags & RDW_ERASE) w->Erase = true;
    }
    WakeOwner(w);
  }
  if (flags & RDW_INTERNALPAINT) {
    w->InternalPaint = true;
    WakeOwner(w);
  }
  if (!WantsChildren(w, flags)) return;
  for (Window* c : w->Children) {
    if (!(c->Style & WS_VISIBLE)) continue;
    Region cr = clientPart;
    cr.Offset(-(w->Client.Left + c->Rect.Left), -(w->Client.Top + c->Rect.Top));
    if (cr.IsEmpty()) continue;
    InvalidateWindow(c, cr, (flags & ~RDW_INTERNALPAINT) | RDW_FRAME);
  }
}

void ValidateWindow(Window* w, const Region& rgn, UINT flags) {
  if (!w || w->Dead || w->IsDesktop) return;
  w->Update = Region::Combine(w->Update, rgn, Region::Op::Diff);
  if (w->Update.Intersect(w->Client).IsEmpty()) w->Erase = false;
  if (flags & RDW_NOERASE) w->Erase = false;
  if (flags & RDW_NOFRAME) w->NcPaint = false;
  if (flags & RDW_NOINTERNALPAINT) w->InternalPaint = false;
  if (w->Update.IsEmpty()) w->NcPaint = false;
  if (!WantsChildren(w, flags)) return;
  for (Window* c : w->Children) {
    Region cr = rgn.Intersect(w->Client);
    cr.Offset(-(w->Client.Left + c->Rect.Left), -(w->Client.Top + c->Rect.Top));
    ValidateWindow(c, cr, flags);
  }
}

namespace {
Window* FindPaintIn(Window* w, TThreadID thread, Window* filter, bool inFilter) {
  if (!(w->Style & WS_VISIBLE)) return nullptr;
  const bool in = inFilter || !filter || w == filter;
  if (in && w->Thread == thread && (!w->Update.IsEmpty() || w->NcPaint || w->InternalPaint)) return w;
  for (Window* c : w->Children)
    if (Window* r = FindPaintIn(c, thread, filter, in)) return r;
  return nullptr;
}
}  // namespace

Window* FindPaintWindow(TThreadID thread, Window* filter) {
  // Parents before children, topmost windows first: a parent without
  // WS_CLIPCHILDREN never paints over a child that already painted.
  for (Window* top : Desktop()->Children) {
    if (top->MessageOnly) continue;
    if (Window* r = FindPaintIn(top, thread, filter, false)) return r;
  }
  return nullptr;
}

void ForgetWindowDCs(Window* w) {
  for (auto& [dc, rec] : Dcs())
    if (rec.Hwnd == w->Handle) rec.Hwnd = nullptr;
}

void DrawDefaultFrame(HWND hwnd, HDC dc, bool active) {
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w) return;
  const DWORD style = w->Style, ex = w->ExStyle;
  RECT r{0, 0, w->Rect.Width(), w->Rect.Height()};
  const RECT r0 = r;
  const RECT client = w->Client;
  std::string text = w->Text;
  const ScrollBarState hbar = w->HScroll, vbar = w->VScroll;
  const bool flatBars = w->FlatScrollBars;
  CallOut([&] {
    auto fill = [&](RECT x, int color) { FillRect(dc, &x, GetSysColorBrush(color)); };
    auto ring = [&](int width, int color) {
      for (int i = 0; i < width; ++i) {
        fill({r.Left, r.Top, r.Right, r.Top + 1}, color);
        fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
        fill({r.Left, r.Top, r.Left + 1, r.Bottom}, color);
        fill({r.Right - 1, r.Top, r.Right, r.Bottom}, color);
        r.Inflate(-1, -1);
      }
    };
    if (style & WS_THICKFRAME) {
      DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
      ring(GetSystemMetrics(SM_CXFRAME) - 2, active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
    } else if ((style & WS_CAPTION) == WS_DLGFRAME || (style & WS_CAPTION) == WS_CAPTION ||
               (ex & WS_EX_DLGMODALFRAME)) {
      DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
      ring(GetSystemMetrics(SM_CXDLGFRAME) - 2, COLOR_3DFACE);
    } else if (style & WS_BORDER) {
      RECT b = r;
      FrameRect(dc, &b, GetSysColorBrush(COLOR_WINDOWFRAME));
      r.Inflate(-1, -1);
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
      const bool tool = (ex & WS_EX_TOOLWINDOW) != 0;
      const int ch = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
      RECT cap{r.Left, r.Top, r.Right, r.Top + ch - 1};
      COLORREF c1 = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
      COLORREF c2 = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
      TRIVERTEX v[2];
      v[0].x = cap.Left;
      v[0].y = cap.Top;
      v[0].Red = COLOR16(GetRValue(c1) << 8);
      v[0].Green = COLOR16(GetGValue(c1) << 8);
      v[0].Blue = COLOR16(GetBValue(c1) << 8);
      v[1].x = cap.Right;
      v[1].y = cap.Bottom;
      v[1].Red = COLOR16(GetRValue(c2) << 8);
      v[1].Green = COLOR16(GetGValue(c2) << 8);
      v[1].Blue = COLOR16(GetBValue(c2) << 8);
      GRADIENT_RECT gr{0, 1};
      GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_H);
      fill({r.Left, cap.Bottom, r.Right, cap.Bottom + 1}, COLOR_3DFACE);
      RECT textRect = cap;
      textRect.Left += 4;
      if (style & WS_SYSMENU) {
        const int bw = tool ? GetSystemMetrics(SM_CXSMSIZE) : GetSystemMetrics(SM_CXSIZE) / 2;
        RECT btn{cap.Right - 2 - bw, cap.Top + 2, cap.Right - 2, cap.Bottom - 2};
        DrawFrameControl(dc, &btn, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        textRect.Right = btn.Left - 2;
        if (!tool && (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
          btn.Offset(-(bw + 2), 0);
          DrawFrameControl(dc, &btn, DFC_CAPTION,
                           ((style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) |
                               ((style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE));
          btn.Offset(-bw, 0);
          DrawFrameControl(dc, &btn, DFC_CAPTION, DFCS_CAPTIONMIN | ((style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE));
          textRect.Right = btn.Left - 2;
        }
      }
      NONCLIENTMETRICS ncm;
      SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
      LOGFONT lf = tool ? ncm.lfSmCaptionFont : ncm.lfCaptionFont;
      HFONT font = CreateFontIndirect(&lf);
      HGDIOBJ oldFont = SelectObject(dc, font);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
      DrawText(dc, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
      SelectObject(dc, oldFont);
      DeleteObject(font);
    }
    if (ex & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) {
      RECT e = client;
      const int b = ((ex & WS_EX_CLIENTEDGE) ? 2 : 0) + ((ex & WS_EX_STATICEDGE) ? 1 : 0);
      if (style & WS_VSCROLL) e.Right += GetSystemMetrics(SM_CXVSCROLL);
      if (style & WS_HSCROLL) e.Bottom += GetSystemMetrics(SM_CYHSCROLL);
      e.Inflate(b, b);
      if (ex & WS_EX_CLIENTEDGE) DrawEdge(dc, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      if (ex & WS_EX_STATICEDGE) DrawEdge(dc, &e, BDR_SUNKENOUTER, BF_RECT);
    }
    DrawWindowScrollBars(dc, style, client, r0, flatBars, hbar, vbar);
    return 0;
  });
}

void PaintNow(HWND hwnd, bool allChildren, bool eraseOnly) {
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w || !IsVisibleChain(w.get())) return;
  if (w->Thread != TThread::CurrentThreadID()) {
    RunOnWindowThread(hwnd, [=] {
      PaintNow(hwnd, allChildren, eraseOnly);
      return LRESULT(0);
    }, nullptr);
    return;
  }
  if (eraseOnly) {
    if (w->NcPaint) {
      w->NcPaint = false;
      SendMessage(hwnd, WM_NCPAINT, 1, 0);
    }
    if (!w->Dead && w->Erase) {
      w->Erase = false;
      HDC dc = GetDCEx(hwnd, nullptr, DCX_INTERSECTUPDATE | DCX_CACHE);
      SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
      ReleaseDC(hwnd, dc);
    }
  } else if (!w->Update.IsEmpty() || w->NcPaint || w->InternalPaint) {
    w->InternalPaint = false;
    SendMessage(hwnd, WM_PAINT, 0, 0);
  }
  if (!allChildren || w->Dead) return;
  std::vector<HWND> kids;
  for (Window* c : w->Children) kids.push_back(c->Handle);
  for (HWND k : kids) PaintNow(k, true, eraseOnly);
}

}  // namespace detail

using namespace detail;

namespace {

// A region argument in client coordinates turned into window coordinates.
Region ClientArea(Window* w, const RECT* r, HRGN rgn, bool frame) {
  Region area;
  if (rgn) {
    RegionObject* ro = CheckedHandle<RegionObject>(rgn, OBJ_REGION);
    if (ro) area = ro->Rgn;
    area.Offset(w->Client.Left, w->Client.Top);
  } else if (r) {
    RECT x = *r;
    x.Offset(w->Client.Left, w->Client.Top);
    area = Region(x);
  } else if (frame) {
    area = Region(RECT{0, 0, w->Rect.Width(), w->Rect.Height()});
  } else {
    area = Region(w->Client);
  }
  return area;
}

}  // namespace

BOOL RedrawWindow(HWND hwnd, const RECT* r, HRGN rgn, UINT flags) {
  Lock lock;
  Window* w = hwnd ? FindRaw(hwnd) : Desktop();
  if (!w) return FALSE;
  if (w->IsDesktop) {
    if (flags & RDW_INVALIDATE) InvalidateWindow(w, Region(w->Rect), flags | RDW_ALLCHILDREN);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
      std::vector<HWND> tops;
      for (Window* t : w->Children) tops.push_back(t->Handle);
      for (HWND t : tops) PaintNow(t, true, !(flags & RDW_UPDATENOW));
    }
    return TRUE;
  }
  Region area = ClientArea(w, r, rgn, (flags & RDW_FRAME) != 0);
  if (flags & (RDW_INVALIDATE | RDW_INTERNALPAINT)) InvalidateWindow(w, area, flags);
  if (flags & RDW_VALIDATE) ValidateWindow(w, area, flags);
  if (flags & RDW_UPDATENOW)
    PaintNow(hwnd, (flags & RDW_ALLCHILDREN) != 0, false);
  else if (flags & RDW_ERASENOW)
    PaintNow(hwnd, (flags & RDW_ALLCHILDREN) != 0, true);
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* r, BOOL erase) {
  return RedrawWindow(hwnd, r, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  if (rgn && !IsValidGdiObject(rgn, OBJ_REGION)) return FALSE;
  return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* r) {
  return RedrawWindow(hwnd, r, nullptr, RDW_VALIDATE | RDW_NOCHILDREN | (r ? 0 : RDW_NOFRAME));
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn) {
  if (rgn && !IsValidGdiObject(rgn, OBJ_REGION)) return FALSE;
  return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL GetUpdateRect(HWND hwnd, RECT* r, BOOL) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w) return FALSE;
  Region c = w->Update.Intersect(w->Client);
  c.Offset(-w->Client.Left, -w->Client.Top);
  if (r) *r = c.IsEmpty() ? RECT{} : c.Bounds();
  return c.IsEmpty() && !w->NcPaint ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  RegionObject* ro = CheckedHandle<RegionObject>(rgn, OBJ_REGION);
  if (!w || !ro) return ERROR;
  Region c = w->Update.Intersect(w->Client);
  c.Offset(-w->Client.Left, -w->Client.Top);
  ro->Rgn = c;
  return c.Complexity();
}

BOOL UpdateWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return FALSE;
  PaintNow(hwnd, false, false);
  return TRUE;
}

BOOL LockWindowUpdate(HWND) { return TRUE; }

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  if (!ps) return nullptr;
  *ps = PAINTSTRUCT{};
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w || w->IsDesktop) return nullptr;
  CaretBeforePaint(hwnd);
  if (w->NcPaint) {
    w->NcPaint = false;
    SendMessage(hwnd, WM_NCPAINT, 1, 0);
    if (w->Dead) return nullptr;
  }
  Region upd = w->Update.Intersect(w->Client);
  upd.Offset(-w->Client.Left, -w->Client.Top);
  const bool erase = w->Erase;
  w->Update.Clear();
  w->Erase = false;
  w->InternalPaint = false;
  Region vis = VisibleRegion(w.get(), true, (w->Style & WS_CLIPCHILDREN) != 0, true);
  Region clip = Region::Combine(vis, upd, Region::Op::And);
  HDC dc = MakeWindowDC(w.get(), true, clip, true);
  if (!dc) return nullptr;
  ps->hdc = dc;
  RECT bounds = upd.IsEmpty() ? RECT{} : upd.Bounds();
  IntersectRect(ps->rcPaint, bounds, ClientRectLocal(w.get()));
  if (erase) {
    LRESULT handled = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ps->fErase = handled ? FALSE : TRUE;
  }
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps || !ps->hdc) return FALSE;
  ReleaseDC(hwnd, ps->hdc);
  CaretAfterPaint(hwnd);
  return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
  if (!hwnd) return GetScreenDC();
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w) return nullptr;
  if (w->IsDesktop) return GetScreenDC();
  const bool window = (flags & DCX_WINDOW) != 0;
  const bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->Style & WS_CLIPCHILDREN);
  Region vis = VisibleRegion(w.get(), !window, clipChildren, true);
  RegionObject* ro = clip ? CheckedHandle<RegionObject>(clip, OBJ_REGION) : nullptr;
  if (ro && (flags & DCX_INTERSECTRGN)) vis = Region::Combine(vis, ro->Rgn, Region::Op::And);
  if (ro && (flags & DCX_EXCLUDERGN)) vis = Region::Combine(vis, ro->Rgn, Region::Op::Diff);
  if (ro && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) DeleteObject(clip);
  if (flags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE)) {
    Region upd = w->Update;
    if (!window) upd.Offset(-w->Client.Left, -w->Client.Top);
    vis = Region::Combine(vis, upd, (flags & DCX_INTERSECTUPDATE) ? Region::Op::And : Region::Op::Diff);
    if ((flags & DCX_VALIDATE) && (flags & DCX_INTERSECTUPDATE)) {
      w->Update.Clear();
      w->Erase = false;
    }
  }
  return MakeWindowDC(w.get(), !window, vis, false);
}

HDC GetDC(HWND hwnd) { return hwnd ? GetDCEx(hwnd, nullptr, 0) : GetScreenDC(); }
HDC GetWindowDC(HWND hwnd) { return hwnd ? GetDCEx(hwnd, nullptr, DCX_WINDOW) : GetScreenDC(); }

int ReleaseDC(HWND hwnd, HDC dc) {
  Lock lock;
  auto& dcs = Dcs();
  auto it = dcs.find(dc);
  if (it == dcs.end()) {
    if (!hwnd && IsValidGdiObject(dc, OBJ_DC)) return DeleteDC(dc) ? 1 : 0;
    return 0;
  }
  DcRecord rec = it->second;
  dcs.erase(it);
  DeleteDC(dc);
  if (Window* w = FindRaw(rec.Hwnd); w && !rec.Area.IsEmpty()) MarkDirty(w, rec.Area);
  return 1;
}

HWND WindowFromDC(HDC dc) {
  Lock lock;
  auto it = Dcs().find(dc);
  return it == Dcs().end() ? nullptr : it->second.Hwnd;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, RECT* updateRect,
                   UINT flags) {
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w || w->IsDesktop) return ERROR;
  const RECT cr = ClientRectLocal(w.get());
  RECT src = cr, clipR = cr;
  if (scroll) IntersectRect(src, *scroll, cr);
  if (clip) IntersectRect(clipR, *clip, cr);
  const bool children = (flags & SW_SCROLLCHILDREN) != 0;
  Region vis = VisibleRegion(w.get(), true, !children && (w->Style & WS_CLIPCHILDREN), true);
  Region srcVis = Region::Combine(Region(src), vis, Region::Op::And);
  Region moved = srcVis;
  moved.Offset(dx, dy);
  Region dst = Region::Combine(moved, Region::Combine(Region(clipR), vis, Region::Op::And), Region::Op::And);
  CaretBeforePaint(hwnd);
  Window* top = TopLevelOf(w.get());
  EnsureSurface(top);
  if (top->Buffer && !dst.IsEmpty()) {
    SurfaceBuffer& b = *top->Buffer;
    POINT o = OriginInTop(w.get());
    o.X += w->Client.Left;
    o.Y += w->Client.Top;
    const std::vector<uint32_t> copy = b.Pixels;
    for (const Region::Band& band : dst.Bands())
      for (int32_t y = band.Top; y < band.Bottom; ++y)
        for (size_t i = 0; i < band.Xs.size(); i += 2)
          for (int32_t x = band.Xs[i]; x < band.Xs[i + 1]; ++x) {
            const int32_t tx = x + o.X, ty = y + o.Y, sx = tx - dx, sy = ty - dy;
            if (tx < 0 || ty < 0 || tx >= b.Width || ty >= b.Height) continue;
            if (sx < 0 || sy < 0 || sx >= b.Width || sy >= b.Height) continue;
            b.Pixels[size_t(ty) * size_t(b.Width) + size_t(tx)] = copy[size_t(sy) * size_t(b.Width) + size_t(sx)];
          }
    RECT area = dst.Bounds();
    area.Offset(w->Client.Left, w->Client.Top);
    MarkDirty(w.get(), area);
  }
  // What the scroll uncovered, and what it moved in from hidden places.
  Region exposed = Region::Combine(Region(src), Region(clipR), Region::Op::And);
  Region shifted(src);
  shifted.Offset(dx, dy);
  exposed = Region::Combine(exposed, Region::Combine(shifted, Region(clipR), Region::Op::And), Region::Op::Or);
  exposed = Region::Combine(Region::Combine(exposed, vis, Region::Op::And), dst, Region::Op::Diff);
  // The pending update region inside the scrolled area moves along.
  {
    Region srcW(src);
    srcW.Offset(w->Client.Left, w->Client.Top);
    Region inside = Region::Combine(w->Update, srcW, Region::Op::And);
    if (!inside.IsEmpty()) {
      w->Update = Region::Combine(w->Update, inside, Region::Op::Diff);
      inside.Offset(dx, dy);
      Region clipW(clipR);
      clipW.Offset(w->Client.Left, w->Client.Top);
      w->Update = Region::Combine(w->Update, Region::Combine(inside, clipW, Region::Op::And), Region::Op::Or);
    }
  }
  if (children) {
    std::vector<HWND> kids;
    for (Window* c : w->Children)
      if (!scroll || !Region(c->Rect).Intersect(src).IsEmpty()) kids.push_back(c->Handle);
    for (HWND k : kids) {
      RECT kr;
      Window* c = FindRaw(k);
      if (!c) continue;
      kr = c->Rect;
      SetWindowPos(k, nullptr, kr.Left + dx, kr.Top + dy, 0, 0,
                   SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
  }
  if (RegionObject* ro = update ? CheckedHandle<RegionObject>(update, OBJ_REGION) : nullptr) ro->Rgn = exposed;
  if (updateRect) *updateRect = exposed.IsEmpty() ? RECT{} : exposed.Bounds();
  if ((flags & SW_INVALIDATE) && !exposed.IsEmpty()) {
    Region ew = exposed;
    ew.Offset(w->Client.Left, w->Client.Top);
    InvalidateWindow(w.get(), ew,
                     RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) | (children ? RDW_ALLCHILDREN : 0));
  }
  CaretAfterPaint(hwnd);
  return exposed.Complexity();
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
  return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr,
                        SW_INVALIDATE | SW_ERASE | (scroll ? 0u : SW_SCROLLCHILDREN)) != ERROR
             ? TRUE
             : FALSE;
}

BOOL ScrollDC(HDC dc, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, RECT* updateRect) {
  if (!IsValidGdiObject(dc)) return FALSE;
  RECT box;
  if (GetClipBox(dc, &box) == ERROR) return FALSE;
  RECT src = scroll ? *scroll : box;
  RECT clipR = clip ? *clip : src;
  const int w = src.Width(), h = src.Height();
  if (w > 0 && h > 0) {
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, dc, src.Left, src.Top, SRCCOPY);
    int saved = SaveDC(dc);
    POINT pts[2] = {{clipR.Left, clipR.Top}, {clipR.Right, clipR.Bottom}};
    LPtoDP(dc, pts, 2);
    IntersectClipRect(dc, pts[0].X, pts[0].Y, pts[1].X, pts[1].Y);
    BitBlt(dc, src.Left + dx, src.Top + dy, w, h, mem, 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
  }
  Region affected = Region::Combine(Region(src), Region(clipR), Region::Op::And);
  Region moved(src);
  moved.Offset(dx, dy);
  Region dst = Region::Combine(moved, Region(clipR), Region::Op::And);
  Region exposed = Region::Combine(affected, dst, Region::Op::Diff);
  if (RegionObject* ro = update ? CheckedHandle<RegionObject>(update, OBJ_REGION) : nullptr) ro->Rgn = exposed;
  if (updateRect) *updateRect = exposed.IsEmpty() ? RECT{} : exposed.Bounds();
  return TRUE;
}

}  // namespace win
