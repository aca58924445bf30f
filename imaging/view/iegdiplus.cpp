// The engine binding's use count, and the canvas, pen and brush that draw
// through the smooth engine or, without it, through the platform canvas.
#include "imaging/view/iegdiplus.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "imaging/core/ieinit.h"
#include "imaging/core/iepoints.h"
#include "imaging/core/ieprocutils.h"
#include "platform/gdi/text.h"
#include "platform/rtl/exceptions.h"

// ---------------------------------------------------------------- the engine binding
namespace {

struct TGDIPlusUnit {
  bool allowed = false;  // until the library-init routine runs
  bool loaded = false;
  int32_t userCount = 0;
  win::SmoothToken token = 0;
};

TGDIPlusUnit& Unit() {
  static TGDIPlusUnit unit;
  return unit;
}

uint8_t AlphaOf(int32_t transparency) { return uint8_t(std::clamp(transparency, 0, 255)); }

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

}  // namespace

void IEGDIPlusAddRef() {
  TGDIPlusUnit& u = Unit();
  ++u.userCount;
  if (!u.allowed || u.loaded) return;
  win::SmoothToken token = 0;
  if (win::SmoothStartup(token) != win::SmoothOk) return;
  u.token = token;
  u.loaded = true;
}

void IEGDIPlusRelease() {
  TGDIPlusUnit& u = Unit();
  if (u.userCount <= 0) return;
  if (--u.userCount == 0 && u.loaded) {
    win::SmoothShutdown(u.token);
    u.token = 0;
    u.loaded = false;
  }
}

bool IEGDIPlusLoaded() { return Unit().loaded; }
bool IEGDIPlusEnabled() { return Unit().allowed && Unit().loaded; }
bool IEGDIPlusAllowed() { return Unit().allowed; }
void SetIEGDIPlusAllowed(bool allowed) { Unit().allowed = allowed; }
int32_t IEGDIPlusUserCount() { return Unit().userCount; }

void IEGDIPlusInitialize() {
  TGDIPlusUnit& u = Unit();
  if (u.loaded) win::SmoothShutdown(u.token);
  u.allowed = true;
  u.loaded = false;
  u.token = 0;
  u.userCount = 0;
}

void IEGDIPlusFinalize() {}

void IEGDIPlusBindLibrary() { IEBindLibraryUnit(ieluGDIPlus, &IEGDIPlusInitialize, &IEGDIPlusFinalize); }

// ---------------------------------------------------------------- TIEPen
TIEPen::TIEPen(TPen* pen)
    : pen_(pen), color_(pen->Color()), width_(float(pen->Width())), style_(pen->Style()) {
  if (IEGDIPlusEnabled()) Recreate();
}

win::ARGB TIEPen::GetARGB() const { return ColorToARGB(color_, style_ == psClear ? 0 : AlphaOf(transparency_)); }

void TIEPen::Recreate() {
  gpen_ = win::SmoothCreatePen(GetARGB(), width_);
  if (!gpen_) throw Exception("Cannot create TIEPen. GdipCreatePen1 failed.");
  ApplyStyle();
  SetLineJoin(lineJoin_);
}

// Clear and inside-frame pens draw solid (a clear one with alpha 0); the
// dashed styles take the engine's dash style of the same number. Styles the
// engine has no dash for leave the dash as it was.
void TIEPen::ApplyStyle() {
  if (!gpen_) return;
  gpen_->Color = GetARGB();
  if (style_ == psClear || style_ == psInsideFrame) gpen_->DashStyle = win::SmoothDashSolid;
  else if (style_ <= psDashDotDot) gpen_->DashStyle = win::SmoothDashStyle(style_);
}

void TIEPen::SetColor(TColor color) {
  color_ = color;
  if (IEGDIPlusEnabled() && gpen_) gpen_->Color = GetARGB();
  pen_->SetColor(color);
}

void TIEPen::SetTransparency(int32_t transparency) {
  transparency_ = transparency;
  if (IEGDIPlusEnabled() && gpen_) gpen_->Color = GetARGB();
}

void TIEPen::SetWidth(float width) {
  width_ = width;
  if (IEGDIPlusEnabled() && gpen_) gpen_->Width = width;
  pen_->SetWidth(int32_t(std::trunc(width)));
}

void TIEPen::SetStyle(TPenStyle style) {
  style_ = style;
  if (IEGDIPlusEnabled()) ApplyStyle();
  pen_->SetStyle(style);
}

TPenMode TIEPen::Mode() const { return pen_->Mode(); }
void TIEPen::SetMode(TPenMode mode) { pen_->SetMode(mode); }

void TIEPen::SetLineJoin(uint8_t join) {
  lineJoin_ = join;
  // A join the engine does not know leaves its pen as it was.
  if (IEGDIPlusEnabled() && gpen_ && join <= win::SmoothJoinMiterClipped)
    gpen_->LineJoin = win::SmoothLineJoin(join);
}

win::HPEN TIEPen::Handle() const { return pen_->Handle(); }
void TIEPen::SetHandle(win::HPEN pen) { pen_->SetHandle(pen); }

// ---------------------------------------------------------------- TIEBrush
TIEBrush::TIEBrush(TBrush* brush) : brush_(brush), color_(brush->Color()), style_(brush->Style()) {
  if (IEGDIPlusEnabled()) Recreate();
}

win::ARGB TIEBrush::GetARGB() const { return ColorToARGB(color_, style_ == bsClear ? 0 : AlphaOf(transparency_)); }

void TIEBrush::Recreate() {
  gbrush_.reset();
  if (style_ == bsSolid || style_ == bsClear) {
    gbrush_ = win::SmoothCreateSolidBrush(GetARGB());
    if (!gbrush_) throw Exception("Cannot create TIEBrush. GdipCreateSolidFill failed.");
    return;
  }
  gbrush_ = win::SmoothCreateHatchBrush(int32_t(style_) - int32_t(bsHorizontal), GetARGB(),
                                        ColorToARGB(backColor_, AlphaOf(backTransparency_)));
  if (!gbrush_) throw Exception("Cannot create TIEBrush. GdipCreateHatchBrush failed.");
}

void TIEBrush::SetColor(TColor color) {
  color_ = color;
  if (IEGDIPlusEnabled()) Recreate();
  brush_->SetColor(color);
}

void TIEBrush::SetTransparency(int32_t transparency) {
  transparency_ = transparency;
  if (IEGDIPlusEnabled()) Recreate();
}

void TIEBrush::SetStyle(TBrushStyle style) {
  style_ = style;
  if (IEGDIPlusEnabled()) Recreate();
  brush_->SetStyle(style);
}

// ---------------------------------------------------------------- TIECanvas
namespace {

// (x1, y1)-(x2, y2) with x1 <= x2 and y1 <= y2.
TRect Ordered(const TRect& r) {
  return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
          std::max(r.Top, r.Bottom)};
}

// The engine's box of a platform figure: its last column and row are where
// the outline runs, one less than the figure's right and bottom.
struct TBoxF {
  float x, y, w, h;
};
TBoxF FigureBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return {float(x1), float(y1), float(int64_t(x2) - x1 - 1), float(int64_t(y2) - y1 - 1)};
}

std::vector<win::SmoothPointF> ToPointsF(std::span<const TPoint> points) {
  std::vector<win::SmoothPointF> out;
  out.reserve(points.size());
  for (const TPoint& p : points) out.push_back({float(p.X), float(p.Y)});
  return out;
}

}  // namespace

TIECanvas::TIECanvas(TCanvas& canvas, bool antialias, bool useGDIPlus)
    : canvas_(canvas),
      pen_(std::make_unique<TIEPen>(canvas.Pen())),
      brush_(std::make_unique<TIEBrush>(canvas.Brush())),
      useGDIPlus_(useGDIPlus && IEGDIPlusEnabled()) {
  if (useGDIPlus_) {
    graphics_ = win::SmoothGraphics::FromHDC(canvas_.Handle());
    if (!graphics_) throw Exception("Cannot create TIECanvas. GdipCreateFromHDC failed.");
  }
  SetSmoothingMode(antialias ? 5 : 2);
}

TIECanvas::~TIECanvas() = default;

void TIECanvas::SetSmoothingMode(uint8_t mode) {
  if (useGDIPlus_ && mode >= 1) graphics_->SetMode(win::SmoothMode(mode - 1));
}

win::HDC TIECanvas::Handle() { return canvas_.Handle(); }
TFont* TIECanvas::Font() { return canvas_.Font(); }

void TIECanvas::MoveTo(int32_t x, int32_t y) {
  pos_ = {x, y};
  if (!useGDIPlus_) canvas_.MoveTo(x, y);
}

void TIECanvas::LineTo(int32_t x, int32_t y) {
  if (!useGDIPlus_) {
    canvas_.LineTo(x, y);
    return;
  }
  if (pen_->GdiPlusPen()) graphics_->DrawLine(*pen_->GdiPlusPen(), float(pos_.X), float(pos_.Y), float(x), float(y));
  pos_ = {x, y};
}

void TIECanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!useGDIPlus_) {
    const TPoint pts[2] = {{x1, y1}, {x2, y2}};
    canvas_.Polygon(pts);
    return;
  }
  if (pen_->GdiPlusPen()) graphics_->DrawLine(*pen_->GdiPlusPen(), float(x1), float(y1), float(x2), float(y2));
}

void TIECanvas::FillRect(const TRect& rect) {
  if (!useGDIPlus_) {
    canvas_.FillRect(rect);
    return;
  }
  const TRect r = Ordered(rect);
  const TBoxF b = FigureBox(r.Left, r.Top, r.Right, r.Bottom);
  if (brush_->GdiPlusBrush()) graphics_->FillRectangle(*brush_->GdiPlusBrush(), b.x, b.y, b.w, b.h);
}

void TIECanvas::RectangleRect(const TRect& rect) {
  if (!useGDIPlus_) {
    canvas_.Rectangle(rect);
    return;
  }
  const TRect r = Ordered(rect);
  const TBoxF b = FigureBox(r.Left, r.Top, r.Right, r.Bottom);
  if (brush_->GdiPlusBrush()) graphics_->FillRectangle(*brush_->GdiPlusBrush(), b.x, b.y, b.w, b.h);
  if (pen_->GdiPlusPen()) graphics_->DrawRectangle(*pen_->GdiPlusPen(), b.x, b.y, b.w, b.h);
}

void IEAdjustEllipseBox(float penWidth, int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
  if (penWidth == 1) return;
  const auto e = int32_t(std::nearbyint(double(penWidth) / 2));  // half to even
  auto axis = [e](int32_t& a1, int32_t& a2) {
    if (a1 > a2) a1 += e;
    if (a1 <= a2 && e >= a2 - a1 - 1) a2 = a1 + e;
    if (a1 > a2 && e >= a1 - a2 - 1) a2 = a1 - e;
  };
  axis(x1, x2);
  axis(y1, y2);
  if (x1 == x2 - e) x1 -= e;
  if (y1 == y2 - e) y1 -= e;
  // Only pens under one pixel (e = 0) get here with an empty side.
  if (x1 == x2) x2 = x1 + 1;
  if (y1 == y2) y2 = y1 + 1;
  if (x1 > x2) {
    x1 -= e;
    x2 -= e - 1;
  }
}

void TIECanvas::EllipseRect(const TRect& rect) {
  if (!useGDIPlus_) {
    canvas_.Ellipse(rect);
    return;
  }
  int32_t x1 = rect.Left, y1 = rect.Top, x2 = rect.Right, y2 = rect.Bottom;
  IEAdjustEllipseBox(pen_->Width(), x1, y1, x2, y2);
  const TBoxF b = FigureBox(x1, y1, x2, y2);
  if (brush_->GdiPlusBrush()) graphics_->FillEllipse(*brush_->GdiPlusBrush(), b.x, b.y, b.w, b.h);
  if (pen_->GdiPlusPen()) graphics_->DrawEllipse(*pen_->GdiPlusPen(), b.x, b.y, b.w, b.h);
}

void TIECanvas::Polygon(std::span<const TPoint> points) {
  const std::vector<TPoint> copy(points.begin(), points.end());
  if (!useGDIPlus_) {
    canvas_.Polygon(copy);
    return;
  }
  const std::vector<win::SmoothPointF> pts = ToPointsF(copy);
  if (pen_->GdiPlusPen()) graphics_->DrawPolygon(*pen_->GdiPlusPen(), pts.data(), int32_t(pts.size()));
  if (brush_->GdiPlusBrush())
    graphics_->FillPolygon(*brush_->GdiPlusBrush(), pts.data(), int32_t(pts.size()), win::SmoothFillAlternate);
}

void TIECanvas::Polyline(std::span<const TPoint> points) {
  if (!useGDIPlus_) {
    canvas_.Polyline(points);
    return;
  }
  const std::vector<win::SmoothPointF> pts = ToPointsF(points);
  if (pen_->GdiPlusPen()) graphics_->DrawLines(*pen_->GdiPlusPen(), pts.data(), int32_t(pts.size()));
}

void TIECanvas::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                    int32_t y4) {
  if (!useGDIPlus_) {
    canvas_.Arc(x1, y1, x2, y2, x3, y3, x4, y4);
    return;
  }
  const auto cx = int32_t((int64_t(x1) + x2) / 2), cy = int32_t((int64_t(y1) + y2) / 2);
  const double start = -double(IELineAngle(cx, cy, x4, y4)) * kDegreesPerRadian;
  const double sweep = double(IEVertexAngle(x3, y3, cx, cy, x4, y4)) * kDegreesPerRadian;
  if (pen_->GdiPlusPen())
    graphics_->DrawArc(*pen_->GdiPlusPen(), float(x1), float(y1), float(int64_t(x2) - x1 + 1),
                       float(int64_t(y2) - y1 + 1), float(start), float(sweep));
}

void TIECanvas::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  if (!useGDIPlus_) {
    canvas_.RoundRect(x1, y1, x2, y2, x3, y3);
    return;
  }
  const TRect r = Ordered(TRect{x1, y1, x2, y2});
  const float l = float(r.Left), t = float(r.Top), w = float(int64_t(r.Right) - r.Left),
              h = float(int64_t(r.Bottom) - r.Top);
  const float cw = std::min(float(x3), w), ch = std::min(float(y3), h);
  win::SmoothPath path(win::SmoothFillAlternate);
  path.AddArc(l, t, cw, ch, 180, 90);
  path.AddArc(l + w - cw, t, cw, ch, 270, 90);
  path.AddArc(l + w - cw, t + h - ch, cw, ch, 0, 90);
  path.AddArc(l, t + h - ch, cw, ch, 90, 90);
  path.AddLine(l, t + h - ch, l, t + ch / 2);
  if (brush_->GdiPlusBrush()) graphics_->FillPath(*brush_->GdiPlusBrush(), path);
  if (pen_->GdiPlusPen()) graphics_->DrawPath(*pen_->GdiPlusPen(), path);
}

int32_t TIECanvas::TextWidth(const std::string& text) { return canvas_.TextWidth(text); }
int32_t TIECanvas::TextHeight(const std::string& text) { return canvas_.TextHeight(text); }
void TIECanvas::TextOut(int32_t x, int32_t y, const std::string& text) { canvas_.TextOut(x, y, text); }

void TIECanvas::TextRect(const TRect& rect, int32_t x, int32_t y, const std::string& text) {
  canvas_.TextRect(rect, x, y, text);
}

void TIECanvas::ClippedTextOut(const TRect& rect, int32_t x, int32_t y, const std::string& text) {
  const auto flags = win::UINT(canvas_.TextFlags());
  win::HDC dc = canvas_.Handle();
  // A canvas reads right to left when its device context aligns text that way.
  if ((flags & win::ETO_RTLREADING) && (win::GetTextAlign(dc) & win::TA_RTLREADING)) x += TextWidth(text) + 1;
  win::ExtTextOutW(dc, x, y, flags | win::ETO_CLIPPED, &rect, text);
}
