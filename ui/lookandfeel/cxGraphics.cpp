#include "ui/lookandfeel/cxGraphics.h"

#include <algorithm>
#include <span>

#include "platform/gdi/text.h"

namespace {

// Floor division, so that tiles left of or above the logical origin stay on the grid.
int32_t FloorDiv(int32_t a, int32_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

constexpr int32_t kNoClipExtent = 30000;

}  // namespace

// ---------------------------------------------------------------- TcxRegion

TcxRegion::TcxRegion() : handle_(win::CreateRectRgn(0, 0, 0, 0)) {}

TcxRegion::TcxRegion(int32_t left, int32_t top, int32_t right, int32_t bottom)
    : handle_(win::CreateRectRgn(left, top, right, bottom)) {}

TcxRegion* TcxRegion::CreateFromRect(const TRect& r) { return new TcxRegion(win::CreateRectRgnIndirect(&r)); }

void TcxRegion::ReleaseHandle() {
  if (handle_) win::DeleteObject(handle_);
  handle_ = nullptr;
}

void TcxRegion::CombineWith(TcxRegion* other, TcxRegionCombineMode mode, bool destroyOther) {
  if (!other) return;
  static constexpr int kModes[] = {win::RGN_COPY, win::RGN_OR, win::RGN_DIFF, win::RGN_AND};
  // RGN_COPY copies its first source.
  if (mode == rcmCopy) win::CombineRgn(handle_, other->handle_, nullptr, win::RGN_COPY);
  else win::CombineRgn(handle_, handle_, other->handle_, kModes[mode]);
  if (destroyOther) delete other;
}

void TcxRegion::Offset(int32_t dx, int32_t dy) { win::OffsetRgn(handle_, dx, dy); }

// ---------------------------------------------------------------- TcxCanvas

TcxCanvas::~TcxCanvas() {
  for (TcxRegion* r : clipRegions_) delete r;
  for (TcxCanvasState& s : canvasStates_) {
    delete s.Font;
    delete s.Brush;
    delete s.Pen;
  }
}

void TcxCanvas::Polygon(const TPoint* points, int32_t count) {
  if (points && count > 0) canvas_->Polygon(std::span<const TPoint>(points, size_t(count)));
}

void TcxCanvas::Polyline(const TPoint* points, int32_t count) {
  if (points && count > 0) canvas_->Polyline(std::span<const TPoint>(points, size_t(count)));
}

TPoint TcxCanvas::GetWindowOrigin() const {
  TPoint p;
  win::GetWindowOrgEx(Handle(), &p);
  return p;
}

void TcxCanvas::SetWindowOrg(TPoint p) { win::SetWindowOrgEx(Handle(), p.X, p.Y, nullptr); }

TPoint TcxCanvas::GetViewportOrigin() const {
  TPoint p;
  win::GetViewportOrgEx(Handle(), &p);
  return p;
}

void TcxCanvas::SetViewportOrigin(TPoint p) { win::SetViewportOrgEx(Handle(), p.X, p.Y, nullptr); }

TPoint TcxCanvas::GetDeviceOrigin() const {
  const TPoint w = GetWindowOrigin(), v = GetViewportOrigin();
  return TPoint(v.X - w.X, v.Y - w.Y);
}

void TcxCanvas::PushDC() {
  canvas_->Lock();
  win::HDC dc = Handle();
  dcStates_.push_back({dc, win::SaveDC(dc)});
}

void TcxCanvas::PopDC() {
  if (dcStates_.empty()) return;
  const TcxDCState s = dcStates_.back();
  dcStates_.pop_back();
  canvas_->SetHandle(s.DC);
  // The restored DC holds the objects of the save, which the canvas may have replaced since.
  canvas_->Refresh();
  win::RestoreDC(s.DC, s.SavedDC);
  canvas_->Unlock();
}

void TcxCanvas::PushState() {
  TakeObjectsFromDC(Handle());
  PushDC();
  TcxCanvasState s{new TFont, new TBrush, new TPen};
  s.Font->Assign(Font());
  s.Brush->Assign(Brush());
  s.Pen->Assign(Pen());
  canvasStates_.push_back(s);
}

void TcxCanvas::PopState() {
  if (canvasStates_.empty()) return;
  const TcxCanvasState s = canvasStates_.back();
  canvasStates_.pop_back();
  Font()->Assign(s.Font);
  Brush()->Assign(s.Brush);
  Pen()->Assign(s.Pen);
  delete s.Font;
  delete s.Brush;
  delete s.Pen;
  PopDC();
}

void TcxCanvas::TakeObjectsFromDC(win::HDC dc) {
  win::LOGFONT lf;
  if (win::GetObject(win::GetCurrentObject(dc, win::OBJ_FONT), sizeof(lf), &lf) == int(sizeof(lf)))
    Font()->SetHandle(win::CreateFontIndirectW(&lf));
  Font()->SetColor(TColor(win::GetTextColor(dc)));

  win::LOGBRUSH lb;
  if (win::GetObject(win::GetCurrentObject(dc, win::OBJ_BRUSH), sizeof(lb), &lb) == int(sizeof(lb))) {
    Brush()->SetHandle(win::CreateBrushIndirect(&lb));
    Brush()->SetColor(TColor(lb.lbColor));
    if (lb.lbStyle == win::BS_HOLLOW) Brush()->SetStyle(bsClear);
    else if (lb.lbStyle == win::BS_HATCHED && lb.lbHatch <= uintptr_t(win::HS_DIAGCROSS))
      Brush()->SetStyle(TBrushStyle(bsHorizontal + lb.lbHatch));
    else Brush()->SetStyle(bsSolid);
  }

  win::LOGPEN lp;
  if (win::GetObject(win::GetCurrentObject(dc, win::OBJ_PEN), sizeof(lp), &lp) == int(sizeof(lp))) {
    Pen()->SetHandle(win::CreatePenIndirect(&lp));
    Pen()->SetColor(TColor(lp.lopnColor));
    const uint32_t style = lp.lopnStyle & 0xFF;
    Pen()->SetStyle(style <= psInsideFrame ? TPenStyle(style) : psSolid);
    Pen()->SetWidth(lp.lopnWidth.X);
  }
  Pen()->SetMode(Rop2ToPenMode(win::GetROP2(dc)));
}

void TcxCanvas::SetBrushColor(TColor color) {
  if (Brush()->Color() != color) Brush()->SetColor(color);
}

void TcxCanvas::SetFontAngle(int32_t degrees) {
  win::LOGFONT lf = Font()->LogFont();
  lf.lfEscapement = degrees * 10;
  if (degrees != 0) lf.lfOutPrecision = win::OUT_TT_ONLY_PRECIS;
  Font()->SetHandle(win::CreateFontIndirectW(&lf));
}

void TcxCanvas::ExcludeClipRect(const TRect& r) { win::ExcludeClipRect(Handle(), r.Left, r.Top, r.Right, r.Bottom); }

void TcxCanvas::IntersectClipRect(const TRect& r) {
  win::IntersectClipRect(Handle(), r.Left, r.Top, r.Right, r.Bottom);
}

TcxRegion* TcxCanvas::GetClipRegion(bool considerOrigin) {
  auto* region = new TcxRegion();
  if (win::GetClipRgn(Handle(), region->Handle()) != 1)
    win::SetRectRgn(region->Handle(), 0, 0, kNoClipExtent, kNoClipExtent);
  if (considerOrigin) {
    const TPoint o = GetDeviceOrigin();
    region->Offset(-o.X, -o.Y);
  }
  return region;
}

void TcxCanvas::SetClipRegion(TcxRegion* region, TcxRegionCombineMode mode, bool destroyRegion, bool considerOrigin) {
  if (!region) return;
  if (mode == rcmCopy) {
    const TPoint o = considerOrigin ? GetDeviceOrigin() : TPoint(0, 0);
    region->Offset(o.X, o.Y);
    win::SelectClipRgn(Handle(), region->Handle());
    if (destroyRegion) delete region;
    else region->Offset(-o.X, -o.Y);
    return;
  }
  TcxRegion* clip = GetClipRegion(considerOrigin);
  clip->CombineWith(region, mode, destroyRegion);
  SetClipRegion(clip, rcmCopy, true, considerOrigin);
}

void TcxCanvas::PushClipRegion() { clipRegions_.push_back(GetClipRegion(true)); }

void TcxCanvas::PopClipRegion() {
  if (clipRegions_.empty()) return;
  TcxRegion* region = clipRegions_.back();
  clipRegions_.pop_back();
  SetClipRegion(region, rcmCopy, true, true);
}

void TcxCanvas::FillRect(const TRect& r, TColor color) {
  if (color == clNone) return;
  if (color != clDefault) SetBrushColor(color);
  canvas_->FillRect(r);
}

void TcxCanvas::FillRect(const TRect& r, TBitmap* bitmap, bool excludeRect) {
  if (r.IsEmpty()) return;
  if (bitmap && !bitmap->Empty()) {
    const int32_t w = bitmap->Width(), h = bitmap->Height();
    // The last column (row) is the one holding R.Right - 1 (R.Bottom - 1).
    for (int32_t j = FloorDiv(r.Top, h); j <= FloorDiv(r.Bottom - 1, h); ++j) {
      for (int32_t i = FloorDiv(r.Left, w); i <= FloorDiv(r.Right - 1, w); ++i) {
        const TRect tile(i * w, j * h, i * w + w, j * h + h);
        TRect part;
        if (!IntersectRect(part, tile, r)) continue;
        TRect source = part;
        source.Offset(-tile.Left, -tile.Top);
        canvas_->CopyRect(part, bitmap->Canvas(), source);
      }
    }
  } else {
    canvas_->FillRect(r);
  }
  if (excludeRect) SetClipRegion(TcxRegion::CreateFromRect(r), rcmSubtract);
}

void TcxCanvas::FillRect(const TRect& r, const TcxViewParams& params, TcxBorders borders, TColor borderColor,
                         int32_t lineWidth, bool excludeRect) {
  FrameRect(r, borderColor, lineWidth, borders, excludeRect);
  TRect inner = r;
  if (borders.Contains(bLeft)) inner.Left += lineWidth;
  if (borders.Contains(bTop)) inner.Top += lineWidth;
  if (borders.Contains(bRight)) inner.Right -= lineWidth;
  if (borders.Contains(bBottom)) inner.Bottom -= lineWidth;
  if (params.Color == clNone && !(params.Bitmap && !params.Bitmap->Empty())) return;
  if (params.Color != clNone && params.Color != clDefault) SetBrushColor(params.Color);
  FillRect(inner, params.Bitmap, excludeRect);
}

void TcxCanvas::FrameRect(const TRect& r, TColor color, int32_t lineWidth, TcxBorders borders, bool excludeFrame) {
  if (r.IsEmpty() || color == clNone || lineWidth <= 0) return;
  if (color != clDefault) SetBrushColor(color);
  if (borders.Contains(bLeft))
    FillRect(TRect(r.Left, r.Top, std::min(r.Left + lineWidth, r.Right), r.Bottom), nullptr, excludeFrame);
  if (borders.Contains(bRight))
    FillRect(TRect(std::max(r.Right - lineWidth, r.Left), r.Top, r.Right, r.Bottom), nullptr, excludeFrame);
  if (borders.Contains(bTop))
    FillRect(TRect(r.Left, r.Top, r.Right, std::min(r.Top + lineWidth, r.Bottom)), nullptr, excludeFrame);
  if (borders.Contains(bBottom))
    FillRect(TRect(r.Left, std::max(r.Bottom - lineWidth, r.Top), r.Right, r.Bottom), nullptr, excludeFrame);
}

void TcxCanvas::DrawTwoColorEdges(const TRect& r, TColor topLeftColor, TColor bottomRightColor, TcxBorders borders,
                                  int32_t lineWidth) {
  if (borders.Contains(bLeft)) FillRect(TRect(r.Left, r.Top, r.Left + lineWidth, r.Bottom), topLeftColor);
  if (borders.Contains(bTop)) FillRect(TRect(r.Left, r.Top, r.Right, r.Top + lineWidth), topLeftColor);
  if (borders.Contains(bRight)) FillRect(TRect(r.Right - lineWidth, r.Top, r.Right, r.Bottom), bottomRightColor);
  if (borders.Contains(bBottom)) FillRect(TRect(r.Left, r.Bottom - lineWidth, r.Right, r.Bottom), bottomRightColor);
}

void TcxCanvas::DrawEdge(const TRect& r, bool sunken, bool outer, TcxBorders borders) {
  struct Colors {
    TColor TopLeft, BottomRight;
  };
  // Indexed [outer][sunken].
  static constexpr Colors kColors[2][2] = {{{clBtnHighlight, clBtnShadow}, {cl3DDkShadow, cl3DLight}},
                                           {{cl3DLight, cl3DDkShadow}, {clBtnShadow, clBtnHighlight}}};
  const Colors c = kColors[outer ? 1 : 0][sunken ? 1 : 0];
  DrawTwoColorEdges(r, c.TopLeft, c.BottomRight, borders, 1);
}

void TcxCanvas::InvertRect(const TRect& r) {
  SetCopyMode(cmDstInvert);
  CopyRect(r, canvas_, r);
  SetCopyMode(cmSrcCopy);
}

void TcxCanvas::RotateBitmap(TBitmap* bitmap, int32_t rotation, bool flipVertically) {
  if (!bitmap || (rotation == 0 && !flipVertically) || rotation < 0 || rotation > 3) return;
  const int32_t w = bitmap->Width(), h = bitmap->Height();
  if (w <= 0 || h <= 0) return;
  bitmap->SetPixelFormat(pf32bit);
  std::vector<uint32_t> src(size_t(w) * size_t(h));
  for (int32_t y = 0; y < h; ++y) {
    const auto* row = static_cast<const uint32_t*>(bitmap->ScanLine(y));
    std::copy(row, row + w, src.begin() + ptrdiff_t(y) * w);
  }
  const bool quarter = rotation == 1 || rotation == 2;
  const int32_t dw = quarter ? h : w;
  std::vector<uint32_t> dst(src.size());
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      int32_t dx = 0, dy = 0;
      switch (rotation) {
        case 0: dx = x; dy = h - 1 - y; break;
        case 1: dx = y; dy = flipVertically ? x : w - 1 - x; break;
        case 2: dx = h - 1 - y; dy = flipVertically ? w - 1 - x : x; break;
        default: dx = w - 1 - x; dy = flipVertically ? y : h - 1 - y; break;
      }
      dst[size_t(dy) * size_t(dw) + size_t(dx)] = src[size_t(y) * size_t(w) + size_t(x)];
    }
  }
  if (quarter) {
    bitmap->SetHeight(0);
    bitmap->SetWidth(h);
    bitmap->SetHeight(w);
  }
  const int32_t dh = quarter ? w : h;
  for (int32_t y = 0; y < dh; ++y) {
    auto* row = static_cast<uint32_t*>(bitmap->ScanLine(y));
    std::copy(dst.begin() + ptrdiff_t(y) * dw, dst.begin() + ptrdiff_t(y + 1) * dw, row);
  }
  bitmap->SetModified(true);
}

// ---------------------------------------------------------------- free routines

win::UINT TextFlagsToDrawTextFlags(uint32_t flags) {
  win::UINT r = 0;
  if (flags & cxAlignRight) r |= win::DT_RIGHT;
  if (flags & cxAlignHCenter) r |= win::DT_CENTER;
  if (flags & cxAlignBottom) r |= win::DT_BOTTOM;
  if (flags & cxAlignVCenter) r |= win::DT_VCENTER;
  if (flags & cxSingleLine) r |= win::DT_SINGLELINE;
  if (flags & cxDontClip) r |= win::DT_NOCLIP;
  if (flags & cxExpandTabs) r |= win::DT_EXPANDTABS;
  if (!(flags & cxShowPrefix)) r |= win::DT_NOPREFIX;
  if (flags & cxWordBreak) {
    r |= win::DT_WORDBREAK;
    if (!(flags & cxDontBreakChars)) r |= win::DT_EDITCONTROL;
    else if (flags & cxNoFullWidthCharBreak) r |= win::DT_NOFULLWIDTHCHARBREAK;
  }
  if (flags & cxShowEndEllipsis) r |= win::DT_END_ELLIPSIS;
  if (flags & cxDontPrint) r |= win::DT_CALCRECT;
  if (flags & cxShowPathEllipsis) r |= win::DT_PATH_ELLIPSIS;
  return r;
}

void DeflateRectByMargins(TRect& r, const TRect& margins) {
  r.Left += margins.Left;
  r.Top += margins.Top;
  r.Right -= margins.Right;
  r.Bottom -= margins.Bottom;
}
