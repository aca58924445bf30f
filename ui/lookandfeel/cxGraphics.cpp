#include "ui/lookandfeel/cxGraphics.h"

#include <algorithm>
#include <span>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/intmath.h"
#include "platform/vcl/controls.h"

namespace {

// Floor division, so that tiles left of or above the logical origin stay on the grid.
int32_t FloorDiv(int32_t a, int32_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

constexpr int32_t kNoClipExtent = 30000;

bool finalized = false;
TcxScreenCanvas* screenCanvas = nullptr;
TcxPaintCanvas* paintCanvas = nullptr;
std::vector<TBrush*> systemBrushes;
TBrush* checkerBrush = nullptr;
win::HMODULE msimg32 = nullptr;
TObject* glyphBuffers[3] = {};
constexpr int32_t kSystemBrushCount = 31;

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

TSize TcxCanvas::MeasureText(std::string_view text) {
  canvas_->RequiredState({csHandleValid, csFontValid});
  TSize size;
  if (!win::GetTextExtentPoint32W(canvas_->Handle(), text, -1, &size)) return TSize();
  return size;
}

void TcxCanvas::MeasureText(std::string_view text, TRect& r, uint16_t flags) {
  const int32_t w = r.Width(), h = r.Height();
  win::UINT format = TextFlagsToDrawTextFlags(flags);
  if (w <= 0 && !text.empty()) r.Right = r.Left + 1;
  canvas_->RequiredState({csHandleValid, csFontValid});
  if (win::DrawText(canvas_->Handle(), text, -1, &r, (format | win::DT_CALCRECT) & ~win::DT_VCENTER) == 0) {
    r.Right = r.Left;
    r.Bottom = r.Top;
  }
  const int32_t cw = r.Width(), ch = r.Height();
  if (format & win::DT_CENTER) r.Offset((w - cw) / 2, 0);
  else if (format & win::DT_RIGHT) r.Offset(w - cw, 0);
  if (format & win::DT_VCENTER) r.Offset(0, (h - ch) / 2);
  else if (format & win::DT_BOTTOM) r.Offset(0, h - ch);
}

void TcxCanvas::AdjustTextTopForVerticalAlign(std::string_view text, TRect& r, uint16_t flags, int32_t d) {
  if (!(flags & (cxAlignBottom | cxAlignVCenter))) return;
  int32_t height;
  if ((flags & cxShowEndEllipsis) && (flags & cxWordBreak)) {
    const int32_t lineHeight = MeasureTextHeight("Wg");
    height = lineHeight > 0 ? std::max(lineHeight, lineHeight * ((r.Height() - d) / lineHeight)) : 0;
  } else {
    TRect m(0, 0, r.Width() - d, 0);
    MeasureText(text, m, uint16_t(cxAlignLeft | cxAlignTop | (flags & (cxWordBreak | cxShowPrefix | cxDontBreakChars))));
    height = m.Height();
  }
  if (flags & cxAlignBottom) r.Top = r.Bottom - height - d;
  else r.Top = (r.Top + r.Bottom - height) / 2;
}

void TcxCanvas::DrawText(std::string_view text, TRect r, uint16_t flags, bool enabled) {
  if (text.empty()) return;
  const bool drawTextRoad =
      !(flags & cxSingleLine) || (flags & (cxShowPrefix | cxShowEndEllipsis | cxShowPathEllipsis)) != 0;
  const TSize extent = MeasureText(text);
  if (extent.cx <= r.Width() && extent.cy <= r.Height()) flags |= cxDontClip;
  const int32_t d = enabled ? 0 : 1;
  win::UINT format = 0;
  win::UINT options = 0;
  if (drawTextRoad) {
    if (!(flags & cxSingleLine)) AdjustTextTopForVerticalAlign(text, r, flags, d);
    format = TextFlagsToDrawTextFlags(flags);
  } else {
    const uint16_t h = flags & (cxAlignLeft | cxAlignRight | cxAlignHCenter);
    const uint16_t v = flags & (cxAlignTop | cxAlignBottom | cxAlignVCenter);
    if (extent.cx < r.Width()) {
      if (h == cxAlignRight) r.Left = r.Right - extent.cx - d;
      else if (h == cxAlignHCenter) r.Left = (r.Left + r.Right - extent.cx) / 2;
    }
    if (extent.cy < r.Height()) {
      if (v == cxAlignBottom) r.Top = r.Bottom - extent.cy - d;
      else if (v == cxAlignVCenter) r.Top = (r.Top + r.Bottom - extent.cy) / 2;
    }
    options = (flags & cxDontClip) ? 0 : win::ETO_CLIPPED;
  }
  auto output = [&](TRect at) {
    canvas_->RequiredState({csHandleValid, csFontValid, csBrushValid});
    if (drawTextRoad) DrawTextOnDC(canvas_->Handle(), text, at, -1, format);
    else ExtTextOutOnDC(canvas_->Handle(), text, TPoint(at.Left, at.Top), -1, options, at);
  };
  const TBrushStyle brushStyle = Brush()->Style();
  const TColor fontColor = Font()->Color();
  if (enabled) {
    output(r);
  } else {
    TRect shifted = r;
    shifted.Offset(1, 1);
    Brush()->SetStyle(bsClear);
    Font()->SetColor(clBtnHighlight);
    output(shifted);
    Font()->SetColor(clBtnShadow);
    output(r);
  }
  if (Brush()->Style() != brushStyle) Brush()->SetStyle(brushStyle);
  Font()->SetColor(fontColor);
}

// ---------------------------------------------------------------- free routines

bool TextExtentOnDC(win::HDC dc, std::string_view text, TSize& size, int32_t length) {
  return win::GetTextExtentPoint32W(dc, text, length, &size) != 0;
}

int32_t DrawTextOnDC(win::HDC dc, std::string_view text, TRect& r, int32_t length, win::UINT format) {
  return win::DrawTextW(dc, text, length, &r, format);
}

bool ExtTextOutOnDC(win::HDC dc, std::string_view text, TPoint p, int32_t length, win::UINT options, const TRect& r) {
  return win::ExtTextOutW(dc, p.X, p.Y, options, &r, text, length, nullptr) != 0;
}

TSize GetTextSizeOnDC(win::HDC dc, std::string_view text) {
  TRect r;
  CalcTextRectForLines(dc, text, 1, r, false);
  return TSize(r.Right, r.Bottom);
}

void CalcTextRectForLines(win::HDC dc, std::string_view text, int32_t lineCount, TRect& r, bool fixHeight) {
  r = TRect(0, 0, 0, 0);
  if (lineCount == 1) {
    win::DrawTextW(dc, text, -1, &r, win::DT_CALCRECT | win::DT_SINGLELINE);
    return;
  }
  const int32_t target = lineCount > 0 ? lineCount * GetTextSizeOnDC(dc, "Wg").cy : 32000;
  constexpr win::UINT kBreak = win::DT_CALCRECT | win::DT_WORDBREAK | win::DT_NOFULLWIDTHCHARBREAK;
  auto at = [&](int32_t width) {
    TRect m(0, 0, width, 1);
    win::DrawTextW(dc, text, -1, &m, kBreak);
    return m;
  };
  int32_t minWidth = at(1).Width();
  TRect single;
  win::DrawTextW(dc, text, -1, &single, win::DT_CALCRECT | win::DT_SINGLELINE);
  int32_t maxWidth = std::max(single.Width(), minWidth);
  while (maxWidth - minWidth > 1) {
    const int32_t mid = (minWidth + maxWidth) / 2;
    if (at(mid).Height() > target) minWidth = mid;
    else maxWidth = mid;
  }
  r = at(minWidth);
  if (r.Height() > target) r = at(maxWidth);
  if (fixHeight) r.Bottom = target;
}

void SplitTextIntoLines(std::string_view text, TcxCanvas* canvas, const TRect& r, std::vector<std::string>& lines) {
  auto isDelimiter = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
  const win::HDC dc = canvas->Handle();
  canvas->Canvas()->RequiredState({csHandleValid, csFontValid});
  const int32_t width = r.Width();
  size_t lineStart = 0, prevWordEnd = std::string_view::npos, pos = 0;
  while (pos < text.size()) {
    size_t wordEnd = pos;
    while (wordEnd < text.size() && !isDelimiter(text[wordEnd])) ++wordEnd;
    if (wordEnd < text.size() && isBreak(text[wordEnd])) {
      lines.emplace_back(text.substr(lineStart, wordEnd - lineStart));
      while (wordEnd < text.size() && isBreak(text[wordEnd])) ++wordEnd;
      lineStart = pos = wordEnd;
      prevWordEnd = std::string_view::npos;
      continue;
    }
    if (GetTextSizeOnDC(dc, text.substr(lineStart, wordEnd - lineStart)).cx > width &&
        prevWordEnd != std::string_view::npos) {
      lines.emplace_back(text.substr(lineStart, prevWordEnd - lineStart));
      lineStart = pos;
    }
    prevWordEnd = wordEnd;
    pos = wordEnd < text.size() ? wordEnd + 1 : wordEnd;
  }
  if (lineStart < text.size()) lines.emplace_back(text.substr(lineStart));
}

TColor GetNearestScreenColor(TColor color) {
  win::HDC dc = win::GetDC(nullptr);
  const TColor result = TColor(win::GetNearestColor(dc, win::COLORREF(ColorToRGB(color))));
  win::ReleaseDC(nullptr, dc);
  return result;
}

namespace {

TColor LightColor(int32_t pFace, int32_t pHighlight, int32_t pWindow) {
  const win::COLORREF face = win::GetSysColor(win::COLOR_BTNFACE), hl = win::GetSysColor(win::COLOR_HIGHLIGHT),
                      wn = win::GetSysColor(win::COLOR_WINDOW);
  win::COLORREF mix = hl;
  if (face != 0 && face != 0xFFFFFF) {
    mix = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      auto c = [shift](win::COLORREF v) { return int32_t((v >> shift) & 0xFF); };
      const int32_t v = MulDiv(c(face), pFace, 100) + MulDiv(c(hl), pHighlight, 100) + MulDiv(c(wn), pWindow, 100);
      mix |= win::COLORREF(std::clamp(v, 0, 255)) << shift;
    }
  }
  return GetNearestScreenColor(TColor(mix));
}

}  // namespace

TColor GetLightDownColor() { return LightColor(14, 44, 40); }
TColor GetLightHotColor() { return LightColor(-2, 30, 72); }

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

// ---------------------------------------------------------------- screen canvas

void TScreenCanvas::CreateHandle() {
  window_ = win::GetDesktopWindow();
  dc_ = win::GetDCEx(window_, nullptr, win::DCX_CACHE | win::DCX_LOCKWINDOWUPDATE);
  SetHandle(dc_);
}

void TScreenCanvas::FreeHandle() {
  if (!dc_) return;
  SetHandle(nullptr);
  win::ReleaseDC(window_, dc_);
  dc_ = nullptr;
}

TcxScreenCanvas* ScreenCanvas() {
  if (finalized) return nullptr;
  if (!screenCanvas) screenCanvas = new TcxScreenCanvas;
  return screenCanvas;
}

TcxPaintCanvas* PaintCanvas() {
  if (finalized) return nullptr;
  if (!paintCanvas) paintCanvas = new TcxPaintCanvas;
  return paintCanvas;
}

// ---------------------------------------------------------------- paint canvas

TcxPaintCanvas::~TcxPaintCanvas() {
  while (depth_ > 0) EndPaint();
  owned_->SetHandle(nullptr);
  delete owned_;
}

void TcxPaintCanvas::BeginPaint(win::HDC dc) {
  TcxPaintCanvasState s{nullptr, nullptr, dc, 0};
  if (Canvas()->HandleAllocated()) {
    PushState();
    s.PrevHandle = Canvas()->Handle();
  }
  s.SavedDC = win::SaveDC(dc);
  states_.push_back(s);
  TakeObjectsFromDC(dc);
  Canvas()->SetHandle(dc);
  ++depth_;
}

void TcxPaintCanvas::BeginPaint(TCanvas* canvas) {
  states_.push_back({Canvas(), nullptr, nullptr, 0});
  SetCanvas(canvas);
  PushState();
  ++depth_;
}

void TcxPaintCanvas::EndPaint() {
  if (depth_ == 0 || states_.empty()) return;
  --depth_;
  const TcxPaintCanvasState s = states_.back();
  states_.pop_back();
  if (s.PrevCanvas) {
    PopState();
    SetCanvas(s.PrevCanvas);
    return;
  }
  Canvas()->SetHandle(s.PrevHandle);
  win::RestoreDC(s.DC, s.SavedDC);
  if (Canvas()->HandleAllocated()) PopState();
}

void InvalidateWindowRect(win::HWND wnd, const TRect& r, bool erase) { win::InvalidateRect(wnd, &r, erase); }
void InvalidateWindow(win::HWND wnd, bool erase) { win::InvalidateRect(wnd, nullptr, erase); }

int32_t GetScreenPixelsPerInch(bool vertical) {
  TcxScreenCanvas* canvas = ScreenCanvas();
  if (!canvas) return 96;
  const int32_t ppi = win::GetDeviceCaps(canvas->Handle(), vertical ? win::LOGPIXELSY : win::LOGPIXELSX);
  canvas->FreeHandle();
  return ppi;
}

TSize GetFontTextExtent(TFont* font, std::string_view text, int32_t fontSize) {
  TcxScreenCanvas* canvas = ScreenCanvas();
  if (!canvas) return TSize();
  canvas->SetFont(font);
  if (fontSize != 0) canvas->Font()->SetSize(fontSize);
  const TSize size = canvas->MeasureText(text);
  canvas->FreeHandle();
  return size;
}

int32_t GetFontTextWidth(TFont* font, std::string_view text, int32_t fontSize) {
  return GetFontTextExtent(font, text, fontSize).cx;
}

// The platform's structures are 64-bit and hold UTF-8 face names, so their own sizes are asked for.
bool QueryBitmapInfo(win::HBITMAP handle, win::BITMAP& info) { return win::GetObjectW(handle, sizeof(info), &info) != 0; }
bool QueryBrushInfo(win::HBRUSH handle, win::LOGBRUSH& info) { return win::GetObjectW(handle, sizeof(info), &info) != 0; }
bool QueryLogFont(win::HFONT handle, win::LOGFONT& info) { return win::GetObjectW(handle, sizeof(info), &info) != 0; }
bool QueryPenInfo(win::HPEN handle, win::LOGPEN& info) { return win::GetObjectW(handle, sizeof(info), &info) != 0; }

// ---------------------------------------------------------------- process-wide brushes

TBrush* cxSystemBrush(int32_t index) {
  return index >= 0 && size_t(index) < systemBrushes.size() ? systemBrushes[size_t(index)] : nullptr;
}

TBrush* cxCheckerBrush() { return checkerBrush; }

// ---------------------------------------------------------------- transparent background

namespace {

// Paints w into canvas, whose logical origin lies at offset in w's coordinates
// (its window's for a child, its client area's for the top call); r is in
// those coordinates. Children are visited from the bottom up to stop.
void PaintWindowBackground(TWinControl* w, TcxCanvas* canvas, TRect r, TPoint offset, bool top, TControl* stop) {
  if (w->ComponentState().Contains(csDestroying)) return;
  canvas->PushState();
  const TPoint org = canvas->GetWindowOrigin();
  canvas->SetWindowOrg(TPoint(org.X - offset.X, org.Y - offset.Y));
  win::HDC dc = canvas->Handle();
  if (win::RectVisible(dc, &r)) {
    TControlState state = w->ControlState();
    const bool hadPaintCopy = state.Contains(csPaintCopy);
    state.Include(csPaintCopy);
    w->SetControlState(state);
    const win::HWND wnd = w->HandleAllocated() ? w->Handle() : nullptr;
    // The window region is in window coordinates: those of a child before its
    // border is drawn; the top window's client area lies inside its frame.
    auto clipToWindowRegion = [&](TPoint windowAt) {
      if (!wnd) return;
      auto* region = new TcxRegion();
      const int kind = win::GetWindowRgn(wnd, region->Handle());
      if (kind != win::SIMPLEREGION && kind != win::COMPLEXREGION) {
        delete region;
        return;
      }
      region->Offset(windowAt);
      canvas->SetClipRegion(region, rcmIntersect);
    };
    if (top) {
      win::RECT bounds{};
      if (wnd && win::GetWindowRect(wnd, &bounds)) {
        const TPoint client = w->ClientOrigin();
        clipToWindowRegion(TPoint(bounds.Left - client.X, bounds.Top - client.Y));
      }
    } else {
      clipToWindowRegion(TPoint(0, 0));
      const uint32_t exStyle = wnd ? uint32_t(win::GetWindowLong(wnd, win::GWL_EXSTYLE)) : 0;
      const uint32_t style = wnd ? uint32_t(win::GetWindowLong(wnd, win::GWL_STYLE)) : 0;
      auto* custom = dynamic_cast<IcxTransparentBackgroundBorder*>(w);
      if ((exStyle & win::WS_EX_CLIENTEDGE || style & win::WS_BORDER) &&
          (!custom || custom->DrawBorderInTransparentBackground())) {
        TRect inner(0, 0, w->Width(), w->Height());
        if (exStyle & win::WS_EX_CLIENTEDGE)
          win::DrawEdge(dc, &inner, win::EDGE_SUNKEN, win::BF_RECT | win::BF_ADJUST);
        else
          win::DrawEdge(dc, &inner, win::BDR_RAISEDOUTER | win::BDR_SUNKENOUTER,
                        win::BF_RECT | win::BF_ADJUST | win::BF_MONO);
        canvas->IntersectClipRect(inner);
        const TPoint o = canvas->GetWindowOrigin();
        canvas->SetWindowOrg(TPoint(o.X - inner.Left, o.Y - inner.Top));
        r.Offset(-inner.Left, -inner.Top);
      }
    }
    canvas->IntersectClipRect(r);
    canvas->PushState();
    const auto dcParam = reinterpret_cast<win::WPARAM>(canvas->Handle());
    w->Perform(win::WM_ERASEBKGND, dcParam, 0);
    w->Perform(win::WM_PAINT, dcParam, 0);
    canvas->PopState();
    for (int32_t i = 0; i < w->ControlCount(); ++i) {
      TControl* child = w->Controls(i);
      if (child == stop) break;
      auto* windowed = dynamic_cast<TWinControl*>(child);
      if (!windowed || !windowed->Visible()) continue;
      const TRect bounds = windowed->BoundsRect();
      TRect part;
      if (!IntersectRect(part, r, bounds)) continue;
      part.Offset(-bounds.Left, -bounds.Top);
      PaintWindowBackground(windowed, canvas, part, TPoint(bounds.Left, bounds.Top), false, stop);
    }
    state = w->ControlState();
    if (!hadPaintCopy) state.Exclude(csPaintCopy);
    w->SetControlState(state);
  }
  canvas->PopState();
}

}  // namespace

void DrawTransparentControlBackground(TControl* control, TcxCanvas* canvas, const TRect& r) {
  if (!control || !canvas || !control->Parent()) return;
  const TPoint at(control->Left(), control->Top());
  TRect inParent = r;
  inParent.Offset(at.X, at.Y);
  PaintWindowBackground(control->Parent(), canvas, inParent, TPoint(-at.X, -at.Y), true, control);
}

// ---------------------------------------------------------------- unit

TObject** cxSharedGlyphBuffer(TcxSharedGlyphBuffer which) {
  return finalized || which > sgbMask ? nullptr : &glyphBuffers[which];
}

TcxAlphaBlendProc cxAlphaBlendProc() { return nullptr; }

void cxGraphicsUnitStart() {
  finalized = false;
  // The library stays loaded for the unit's lifetime; its AlphaBlend is left
  // unbound (cxAlphaBlendProc).
  msimg32 = win::LoadLibrary("msimg32.dll");
  // Word-aligned scan lines: each row byte is followed by a zero byte.
  static constexpr uint8_t kChecker[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
  win::HBITMAP bits = win::CreateBitmap(8, 8, 1, 1, kChecker);
  checkerBrush = new TBrush;
  checkerBrush->SetHandle(win::CreatePatternBrush(bits));
  win::DeleteObject(bits);
  for (int32_t i = 0; i < kSystemBrushCount; ++i) {
    auto* brush = new TBrush;
    brush->SetHandle(win::GetSysColorBrush(i));
    systemBrushes.push_back(brush);
  }
}

void cxGraphicsUnitStop() {
  finalized = true;
  if (msimg32) win::FreeLibrary(msimg32);
  msimg32 = nullptr;
  for (TBrush* b : systemBrushes) delete b;
  systemBrushes.clear();
  delete checkerBrush;
  checkerBrush = nullptr;
  delete screenCanvas;
  screenCanvas = nullptr;
  delete paintCanvas;
  paintCanvas = nullptr;
  for (TObject*& buffer : glyphBuffers) {
    delete buffer;
    buffer = nullptr;
  }
}
