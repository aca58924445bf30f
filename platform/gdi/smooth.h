// The smooth drawing engine: antialiased lines, rectangles, ellipses, arcs,
// polygons and paths in float coordinates on device contexts, with pens of
// any width and colours that carry an alpha. The image view's canvas draws
// its grips, hints and vector shapes with it.
//
// Coordinates are the DC's logical coordinates as floats; they reach the
// surface through the DC's window/viewport origins and its DC origin, and
// every pixel written lies inside the DC's clip, as for every other drawing
// routine of this folder.
//
// Pixel model:
//   pixel (x, y) is the square [x, x+1) x [y, y+1). A filled rectangle
//   (0, 0, 9, 9) covers exactly the 81 pixels (0..8, 0..8). A stroke is
//   centred on its path, so a one-pixel line along y = 5 covers half of
//   rows 4 and 5, and one along y = 5.5 covers row 5 exactly.
//   Antialiased (SmoothModeAntialiased, SmoothModeQuality): each
//   pixel takes the exact area of its square that the shape covers. Where
//   parts of one shape overlap inside a pixel (self-crossing outlines, the
//   inside of a sharp stroke join), the areas add up and are capped at a
//   full pixel.
//   Aliased (the other modes): a pixel is painted whole when its centre
//   (x + 0.5, y + 0.5) lies inside the shape. A centre exactly on the
//   shape's right or bottom edge counts as inside, one on the left or top
//   edge as outside, so that a one-pixel line at integer coordinates paints
//   the pixel row or column at that coordinate, as the platform's own lines
//   do, and a one-pixel outline of (0, 0, 9, 9) paints the frame of pixels
//   0..9.
//
// Shapes:
//   fills use the alternate (even-odd) or winding (non-zero) rule; strokes
//   become outlines (offset sides, the pen's joins, flat ends) filled with
//   the non-zero rule. Curves are flattened to within 1/20 of a pixel.
//   Pens narrower than one pixel draw one pixel wide. Dash patterns are
//   measured in pen widths: dash 3 on 1 off, dot 1 on 1 off, dash-dot
//   3 1 1 1, dash-dot-dot 3 1 1 1 1 1, starting at each figure's first point.
//   Angles are degrees, clockwise on the screen from the positive x axis, and
//   name the direction from the ellipse's centre (not the curve parameter).
//   Rectangles and ellipses are given as x, y, width, height; a rectangle of
//   negative width or height is empty, an ellipse's box is taken normalised.
//
// Colours: 0xAARRGGBB. Compositing is source over: each channel becomes
// dst + (src - dst) * a / 255 with a = alpha * coverage, rounded; pixels
// written get the alpha byte 0 on 32-bit surfaces, as pens, brushes and
// text of this folder write them. Other surface formats take the nearest
// raw value of the blended colour; a 1-bit surface is set where a >= 128.
//
// The engine must be started (SmoothStartup) before graphics, pens and
// brushes can be made; each start-up returns a token that its shut-down
// hands back, and the engine runs while any token is outstanding.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/gdi.h"

namespace win {

using ARGB = uint32_t;  // 0xAARRGGBB

enum SmoothStatus : int32_t {
  SmoothOk = 0,
  SmoothGenericError = 1,      // the DC is gone
  SmoothInvalidParameter = 2,  // bad argument (count, width, style, not finite)
  SmoothNotStarted = 3,        // the engine is not running
};

// Drawing quality; Quality and Antialiased antialias, the others do not.
enum SmoothMode : uint8_t {
  SmoothModeDefault = 0,
  SmoothModeFast = 1,
  SmoothModeQuality = 2,
  SmoothModeAliased = 3,
  SmoothModeAntialiased = 4,
};

enum SmoothDashStyle : uint8_t {
  SmoothDashSolid = 0, SmoothDashDash = 1, SmoothDashDot = 2, SmoothDashDashDot = 3, SmoothDashDashDotDot = 4
};

enum SmoothLineJoin : uint8_t {
  SmoothJoinMiter = 0,         // bevelled where the miter exceeds the limit
  SmoothJoinBevel = 1,
  SmoothJoinRound = 2,
  SmoothJoinMiterClipped = 3,  // cut off at the limit instead
};

enum SmoothFillMode : uint8_t { SmoothFillAlternate = 0, SmoothFillWinding = 1 };

// Hatch styles: the platform brushes' six 8 x 8 cells (HS_HORIZONTAL ..
// HS_DIAGCROSS), aligned with the DC's brush origin.
constexpr int32_t SmoothHatchCount = 6;

struct SmoothPointF {
  float X = 0;
  float Y = 0;
};

struct SmoothPen {
  ARGB Color = 0xFF000000u;
  float Width = 1;
  SmoothDashStyle DashStyle = SmoothDashSolid;
  SmoothLineJoin LineJoin = SmoothJoinMiter;
  float MiterLimit = 10;  // miter length over half the width
};

struct SmoothBrush {
  bool Hatched = false;
  int32_t HatchStyle = 0;
  ARGB ForeColor = 0xFF000000u;  // the solid colour, or the hatch lines
  ARGB BackColor = 0;            // between the hatch lines
};

// Engine lifetime. A start-up fails only while the test hook asks it to.
using SmoothToken = uint64_t;
SmoothStatus SmoothStartup(SmoothToken& token);
// Ends the start-up that gave token; unknown tokens are ignored.
void SmoothShutdown(SmoothToken token);
bool SmoothRunning();
// Start-ups not yet shut down.
int32_t SmoothStartupCount();
// Test hook: while set, SmoothStartup fails with SmoothGenericError.
void SmoothSetStartupFailure(bool fail);

// Pens and brushes; none while the engine is not running, or for a width
// that is negative or not finite, or an unknown hatch style.
std::optional<SmoothPen> SmoothCreatePen(ARGB color, float width);
std::optional<SmoothBrush> SmoothCreateSolidBrush(ARGB color);
std::optional<SmoothBrush> SmoothCreateHatchBrush(int32_t hatchStyle, ARGB fore, ARGB back);

// Figures of lines and arcs. Each added piece joins the current figure,
// connected by a straight line to its last point.
class SmoothPath {
public:
  struct Figure {
    std::vector<SmoothPointF> Points;
    bool Closed = false;
  };

  explicit SmoothPath(SmoothFillMode mode = SmoothFillAlternate) : mode_(mode) {}
  SmoothFillMode FillMode() const { return mode_; }
  void SetFillMode(SmoothFillMode mode) { mode_ = mode; }

  void AddLine(float x1, float y1, float x2, float y2);
  // The arc of the ellipse in the box (x, y, width, height).
  void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  // Closes the current figure; the next piece starts a new one.
  void CloseFigure();
  // The next piece starts a new figure, leaving the current one open.
  void StartFigure();
  const std::vector<Figure>& Figures() const { return figures_; }

private:
  Figure& Current();
  std::vector<Figure> figures_;
  bool newFigure_ = true;
  SmoothFillMode mode_;
};

// Draws on a DC. The DC's origins and clip are read at each call, so a
// graphics object follows the DC's changes; it must not outlive the DC.
class SmoothGraphics {
public:
  // None while the engine is not running or for an invalid DC.
  static std::unique_ptr<SmoothGraphics> FromHDC(HDC dc);

  HDC Dc() const { return dc_; }
  SmoothMode Mode() const { return mode_; }
  SmoothStatus SetMode(SmoothMode mode);
  bool Antialiased() const { return mode_ == SmoothModeAntialiased || mode_ == SmoothModeQuality; }

  SmoothStatus DrawLine(const SmoothPen& pen, float x1, float y1, float x2, float y2);
  // An open polyline through count >= 2 points.
  SmoothStatus DrawLines(const SmoothPen& pen, const SmoothPointF* points, int32_t count);
  SmoothStatus DrawRectangle(const SmoothPen& pen, float x, float y, float width, float height);
  SmoothStatus FillRectangle(const SmoothBrush& brush, float x, float y, float width, float height);
  SmoothStatus DrawEllipse(const SmoothPen& pen, float x, float y, float width, float height);
  SmoothStatus FillEllipse(const SmoothBrush& brush, float x, float y, float width, float height);
  // A closed outline through count >= 2 points.
  SmoothStatus DrawPolygon(const SmoothPen& pen, const SmoothPointF* points, int32_t count);
  SmoothStatus FillPolygon(const SmoothBrush& brush, const SmoothPointF* points, int32_t count,
                           SmoothFillMode mode = SmoothFillAlternate);
  SmoothStatus DrawArc(const SmoothPen& pen, float x, float y, float width, float height, float startAngle,
                       float sweepAngle);
  // Open figures are stroked open, closed ones closed; fills close every figure.
  SmoothStatus DrawPath(const SmoothPen& pen, const SmoothPath& path);
  SmoothStatus FillPath(const SmoothBrush& brush, const SmoothPath& path);

private:
  explicit SmoothGraphics(HDC dc) : dc_(dc) {}
  HDC dc_;
  SmoothMode mode_ = SmoothModeDefault;
};

}  // namespace win
