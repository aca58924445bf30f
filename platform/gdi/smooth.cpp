// The smooth engine's lifetime, paths, and the drawing calls: shapes are built
// in logical coordinates, moved onto the surface through the DC's offsets,
// scan-converted within the DC's clip box and composited through its clip.
#include "platform/gdi/smooth.h"

#include <cmath>
#include <mutex>
#include <set>

#include "platform/gdi/raster.h"
#include "platform/gdi/smoothraster.h"

namespace win {

using smooth::Contour;
using smooth::Pt;

// ---------------------------------------------------------------- lifetime
namespace {

struct EngineState {
  std::mutex mutex;
  std::set<SmoothToken> live;
  SmoothToken next = 1;
  bool failStartup = false;
};

EngineState& Engine() {
  static EngineState state;
  return state;
}

}  // namespace

SmoothStatus SmoothStartup(SmoothToken& token) {
  EngineState& e = Engine();
  std::lock_guard lock(e.mutex);
  token = 0;
  if (e.failStartup) return SmoothGenericError;
  token = e.next++;
  e.live.insert(token);
  return SmoothOk;
}

void SmoothShutdown(SmoothToken token) {
  EngineState& e = Engine();
  std::lock_guard lock(e.mutex);
  e.live.erase(token);
}

bool SmoothRunning() { return SmoothStartupCount() > 0; }

int32_t SmoothStartupCount() {
  EngineState& e = Engine();
  std::lock_guard lock(e.mutex);
  return int32_t(e.live.size());
}

void SmoothSetStartupFailure(bool fail) {
  EngineState& e = Engine();
  std::lock_guard lock(e.mutex);
  e.failStartup = fail;
}

std::optional<SmoothPen> SmoothCreatePen(ARGB color, float width) {
  if (!SmoothRunning() || !std::isfinite(width) || width < 0) return std::nullopt;
  SmoothPen p;
  p.Color = color;
  p.Width = width;
  return p;
}

std::optional<SmoothBrush> SmoothCreateSolidBrush(ARGB color) {
  if (!SmoothRunning()) return std::nullopt;
  SmoothBrush b;
  b.ForeColor = color;
  return b;
}

std::optional<SmoothBrush> SmoothCreateHatchBrush(int32_t hatchStyle, ARGB fore, ARGB back) {
  if (!SmoothRunning() || hatchStyle < 0 || hatchStyle >= SmoothHatchCount) return std::nullopt;
  SmoothBrush b;
  b.Hatched = true;
  b.HatchStyle = hatchStyle;
  b.ForeColor = fore;
  b.BackColor = back;
  return b;
}

// ---------------------------------------------------------------- paths
SmoothPath::Figure& SmoothPath::Current() {
  if (newFigure_ || figures_.empty()) {
    figures_.emplace_back();
    newFigure_ = false;
  }
  return figures_.back();
}

void SmoothPath::AddLine(float x1, float y1, float x2, float y2) {
  Figure& f = Current();
  f.Points.push_back({x1, y1});
  f.Points.push_back({x2, y2});
}

void SmoothPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  std::vector<Pt> pts;
  smooth::AppendArc(pts, double(x) + double(width) / 2, double(y) + double(height) / 2, double(width) / 2,
                    double(height) / 2, startAngle, sweepAngle);
  Figure& f = Current();
  for (const Pt& p : pts) f.Points.push_back({float(p.x), float(p.y)});
}

void SmoothPath::CloseFigure() {
  if (!figures_.empty() && !newFigure_) figures_.back().Closed = true;
  newFigure_ = true;
}

void SmoothPath::StartFigure() { newFigure_ = true; }

// ---------------------------------------------------------------- drawing
namespace {

struct Figure {
  std::vector<Pt> points;
  bool closed = false;
};

// What a fill puts on each pixel before coverage: one colour, or a hatch cell.
struct Paint {
  ARGB fore = 0;
  ARGB back = 0;
  bool hatched = false;
  int32_t hatch = 0;
  TPoint org;  // surface coordinates of hatch cell pixel (0, 0)

  bool Invisible() const { return (fore >> 24) == 0 && (!hatched || (back >> 24) == 0); }
};

uint32_t Mix(uint32_t dst, uint32_t src, uint32_t a) { return (src * a + dst * (255 - a) + 127) / 255; }

void BlendPixel(const Surface& s, int32_t x, int32_t y, ARGB src, uint32_t a) {
  const uint32_t sr = (src >> 16) & 0xFF, sg = (src >> 8) & 0xFF, sb = src & 0xFF;
  if (s.IsBGRA32()) {
    auto* row = reinterpret_cast<uint32_t*>(s.Row(y));
    const uint32_t d = row[x];
    row[x] = Mix(d & 0xFF, sb, a) | Mix((d >> 8) & 0xFF, sg, a) << 8 | Mix((d >> 16) & 0xFF, sr, a) << 16;
    return;
  }
  if (s.BitCount == 1) {
    if (a >= 128) WriteRaw(s, x, y, ColorToRaw(s, RGB(uint8_t(sr), uint8_t(sg), uint8_t(sb))));
    return;
  }
  const COLORREF d = RawToColor(s, ReadRaw(s, x, y));
  const COLORREF m = RGB(uint8_t(Mix(GetRValue(d), sr, a)), uint8_t(Mix(GetGValue(d), sg, a)),
                         uint8_t(Mix(GetBValue(d), sb, a)));
  WriteRaw(s, x, y, ColorToRaw(s, m));
}

void Composite(const detail::Ctx& c, const Paint& paint, int32_t y, int32_t x0, const float* cov, int32_t n) {
  c.Clip->ClipSpan(y, x0, x0 + n, [&](int32_t a, int32_t b) {
    for (int32_t x = a; x < b; ++x) {
      const float k = cov[x - x0];
      if (k <= 0) continue;
      ARGB src = paint.fore;
      if (paint.hatched) {
        const int32_t hx = ((x - paint.org.X) % 8 + 8) % 8, hy = ((y - paint.org.Y) % 8 + 8) % 8;
        if (!detail::HatchBit(paint.hatch, hx, hy)) src = paint.back;
      }
      const auto alpha = uint32_t(std::lround(double(src >> 24) * double(k)));
      if (alpha) BlendPixel(c.S, x, y, src, alpha);
    }
  });
}

bool Finite(float v) { return std::isfinite(v); }

SmoothStatus CheckPen(const SmoothPen& pen) {
  if (!Finite(pen.Width) || pen.Width < 0 || !Finite(pen.MiterLimit) || pen.DashStyle > SmoothDashDashDotDot ||
      pen.LineJoin > SmoothJoinMiterClipped)
    return SmoothInvalidParameter;
  return SmoothOk;
}

SmoothStatus CheckBrush(const SmoothBrush& brush) {
  return brush.Hatched && (brush.HatchStyle < 0 || brush.HatchStyle >= SmoothHatchCount) ? SmoothInvalidParameter
                                                                                          : SmoothOk;
}

SmoothStatus Begin(HDC dc, detail::Ctx& c) {
  if (!SmoothRunning()) return SmoothNotStarted;
  if (!c.Init(dc)) return SmoothGenericError;
  return SmoothOk;
}

// Fills contours given in logical coordinates.
SmoothStatus FillContours(const SmoothGraphics& g, Paint paint, std::vector<Contour>& contours, bool evenOdd) {
  detail::Ctx c;
  if (SmoothStatus s = Begin(g.Dc(), c)) return s;
  if (!c.Drawable() || paint.Invisible() || contours.empty()) return SmoothOk;
  paint.org = c.DevToSurf(c.Dc->State.BrushOrg);
  for (Contour& ct : contours)
    for (Pt& p : ct) {
      p.x += c.Off.X;
      p.y += c.Off.Y;
    }
  smooth::Rasterize(contours, evenOdd, g.Antialiased(), c.Clip->Bounds(),
                    [&](int32_t y, int32_t x0, const float* cov, int32_t n) { Composite(c, paint, y, x0, cov, n); });
  return SmoothOk;
}

SmoothStatus StrokeFigures(const SmoothGraphics& g, const SmoothPen& pen, const std::vector<Figure>& figures) {
  if (!SmoothRunning()) return SmoothNotStarted;
  if (SmoothStatus s = CheckPen(pen)) return s;
  if ((pen.Color >> 24) == 0) {
    detail::Ctx c;
    return Begin(g.Dc(), c);
  }
  smooth::StrokeStyle style;
  style.width = pen.Width;
  style.join = pen.LineJoin;
  style.miterLimit = pen.MiterLimit;
  style.dash = pen.DashStyle;
  std::vector<Contour> contours;
  for (const Figure& f : figures) smooth::StrokeFigure(f.points, f.closed, style, contours);
  Paint paint;
  paint.fore = pen.Color;
  return FillContours(g, paint, contours, false);
}

SmoothStatus FillFigures(const SmoothGraphics& g, const SmoothBrush& brush, std::vector<Figure>&& figures,
                         bool evenOdd) {
  if (!SmoothRunning()) return SmoothNotStarted;
  if (SmoothStatus s = CheckBrush(brush)) return s;
  std::vector<Contour> contours;
  for (Figure& f : figures) contours.push_back(std::move(f.points));
  Paint paint;
  paint.fore = brush.ForeColor;
  paint.back = brush.BackColor;
  paint.hatched = brush.Hatched;
  paint.hatch = brush.HatchStyle;
  return FillContours(g, paint, contours, evenOdd);
}

Figure RectFigure(float x, float y, float w, float h) {
  return {{{x, y}, {double(x) + w, y}, {double(x) + w, double(y) + h}, {x, double(y) + h}}, true};
}

Figure EllipseFigure(float x, float y, float w, float h) {
  Figure f;
  smooth::AppendArc(f.points, double(x) + double(w) / 2, double(y) + double(h) / 2, double(w) / 2, double(h) / 2, 0,
                    360);
  f.closed = true;
  return f;
}

Figure PointsFigure(const SmoothPointF* points, int32_t count, bool closed) {
  Figure f;
  f.closed = closed;
  for (int32_t i = 0; i < count; ++i) f.points.push_back({points[i].X, points[i].Y});
  return f;
}

bool FinitePoints(const SmoothPointF* points, int32_t count) {
  for (int32_t i = 0; i < count; ++i)
    if (!Finite(points[i].X) || !Finite(points[i].Y)) return false;
  return true;
}

bool AllFinite(std::initializer_list<float> values) {
  for (float v : values)
    if (!Finite(v)) return false;
  return true;
}

std::vector<Figure> PathFigures(const SmoothPath& path, bool* finite) {
  std::vector<Figure> out;
  *finite = true;
  for (const SmoothPath::Figure& f : path.Figures()) {
    if (!FinitePoints(f.Points.data(), int32_t(f.Points.size()))) *finite = false;
    out.push_back(PointsFigure(f.Points.data(), int32_t(f.Points.size()), f.Closed));
  }
  return out;
}

}  // namespace

std::unique_ptr<SmoothGraphics> SmoothGraphics::FromHDC(HDC dc) {
  if (!SmoothRunning() || !detail::AsDC(dc)) return nullptr;
  return std::unique_ptr<SmoothGraphics>(new SmoothGraphics(dc));
}

SmoothStatus SmoothGraphics::SetMode(SmoothMode mode) {
  if (mode > SmoothModeAntialiased) return SmoothInvalidParameter;
  mode_ = mode;
  return SmoothOk;
}

SmoothStatus SmoothGraphics::DrawLine(const SmoothPen& pen, float x1, float y1, float x2, float y2) {
  if (!AllFinite({x1, y1, x2, y2})) return SmoothInvalidParameter;
  return StrokeFigures(*this, pen, {Figure{{{x1, y1}, {x2, y2}}, false}});
}

SmoothStatus SmoothGraphics::DrawLines(const SmoothPen& pen, const SmoothPointF* points, int32_t count) {
  if (!points || count < 2 || !FinitePoints(points, count)) return SmoothInvalidParameter;
  return StrokeFigures(*this, pen, {PointsFigure(points, count, false)});
}

SmoothStatus SmoothGraphics::DrawRectangle(const SmoothPen& pen, float x, float y, float width, float height) {
  if (!AllFinite({x, y, width, height})) return SmoothInvalidParameter;
  if (width < 0 || height < 0) return SmoothRunning() ? SmoothOk : SmoothNotStarted;
  return StrokeFigures(*this, pen, {RectFigure(x, y, width, height)});
}

SmoothStatus SmoothGraphics::FillRectangle(const SmoothBrush& brush, float x, float y, float width, float height) {
  if (!AllFinite({x, y, width, height})) return SmoothInvalidParameter;
  if (width <= 0 || height <= 0) return SmoothRunning() ? SmoothOk : SmoothNotStarted;
  return FillFigures(*this, brush, {RectFigure(x, y, width, height)}, true);
}

SmoothStatus SmoothGraphics::DrawEllipse(const SmoothPen& pen, float x, float y, float width, float height) {
  if (!AllFinite({x, y, width, height})) return SmoothInvalidParameter;
  return StrokeFigures(*this, pen, {EllipseFigure(x, y, width, height)});
}

SmoothStatus SmoothGraphics::FillEllipse(const SmoothBrush& brush, float x, float y, float width, float height) {
  if (!AllFinite({x, y, width, height})) return SmoothInvalidParameter;
  return FillFigures(*this, brush, {EllipseFigure(x, y, width, height)}, true);
}

SmoothStatus SmoothGraphics::DrawPolygon(const SmoothPen& pen, const SmoothPointF* points, int32_t count) {
  if (!points || count < 2 || !FinitePoints(points, count)) return SmoothInvalidParameter;
  return StrokeFigures(*this, pen, {PointsFigure(points, count, true)});
}

SmoothStatus SmoothGraphics::FillPolygon(const SmoothBrush& brush, const SmoothPointF* points, int32_t count,
                                         SmoothFillMode mode) {
  if (!points || count < 2 || !FinitePoints(points, count) || mode > SmoothFillWinding)
    return SmoothInvalidParameter;
  return FillFigures(*this, brush, {PointsFigure(points, count, true)}, mode == SmoothFillAlternate);
}

SmoothStatus SmoothGraphics::DrawArc(const SmoothPen& pen, float x, float y, float width, float height,
                                     float startAngle, float sweepAngle) {
  if (!AllFinite({x, y, width, height, startAngle, sweepAngle})) return SmoothInvalidParameter;
  Figure f;
  smooth::AppendArc(f.points, double(x) + double(width) / 2, double(y) + double(height) / 2, double(width) / 2,
                    double(height) / 2, startAngle, sweepAngle);
  return StrokeFigures(*this, pen, {std::move(f)});
}

SmoothStatus SmoothGraphics::DrawPath(const SmoothPen& pen, const SmoothPath& path) {
  bool finite;
  std::vector<Figure> figures = PathFigures(path, &finite);
  if (!finite) return SmoothInvalidParameter;
  return StrokeFigures(*this, pen, figures);
}

SmoothStatus SmoothGraphics::FillPath(const SmoothBrush& brush, const SmoothPath& path) {
  bool finite;
  std::vector<Figure> figures = PathFigures(path, &finite);
  if (!finite || path.FillMode() > SmoothFillWinding) return SmoothInvalidParameter;
  return FillFigures(*this, brush, std::move(figures), path.FillMode() == SmoothFillAlternate);
}

}  // namespace win
