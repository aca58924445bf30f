// The library's antialiased canvas. TIECanvas draws lines and figures on a
// platform canvas through the smooth engine (platform/gdi/smooth.h), with
// antialiasing and alpha, or through the platform canvas itself when the
// engine is not running or not allowed. TIEPen and TIEBrush mirror the
// platform canvas's pen and brush and keep the engine's pen and brush in
// step, adding a transparency (alpha) that the platform cannot draw.
//
// The engine is shared by a use count: the view and the vector objects take
// a reference while they live (IEGDIPlusAddRef / IEGDIPlusRelease); the first
// reference starts the engine, the last one stops it. Everything here runs on
// the GUI thread.
//
// Figures follow the platform canvas's conventions for what the caller
// passes: a figure of (x1, y1, x2, y2) spans x1 .. x2 - 1 and y1 .. y2 - 1.
// Through the engine a one-pixel outline is centred on those pixel edges (see
// smooth.h), so antialiased it spreads over two half pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/gdi/smooth.h"
#include "platform/rtl/object.h"
#include "platform/rtl/types.h"
#include "platform/vcl/graphics.h"

// ---------------------------------------------------------------- the engine binding

// One more user; the first one while allowed starts the engine. A start-up
// that fails leaves the engine unavailable (the next reference tries again);
// the user is counted all the same, so that its release stays paired.
void IEGDIPlusAddRef();
// One user less; the last one stops the engine. A release without a
// reference does nothing.
void IEGDIPlusRelease();
// The engine has been started by this binding.
bool IEGDIPlusLoaded();
// Allowed and started: new canvases, pens and brushes use the engine.
bool IEGDIPlusEnabled();
// Whether the engine may be used; False makes every canvas draw through the
// platform canvas (callers and tests switch it).
bool IEGDIPlusAllowed();
void SetIEGDIPlusAllowed(bool allowed);
// References taken and not yet released.
int32_t IEGDIPlusUserCount();

// Library-init routine: allowed, not started, no users (an engine still
// running from before is stopped). The library-fini routine does nothing.
void IEGDIPlusInitialize();
void IEGDIPlusFinalize();
// Puts the two routines in their place in the library's start-up (the first unit).
void IEGDIPlusBindLibrary();

// ---------------------------------------------------------------- pen and brush

// The canvas's pen: colour, width and style go to the platform pen as well,
// transparency only to the engine's pen.
class TIEPen : public TObject {
  DX_CLASS(TIEPen, TObject)
public:
  // Copies colour, width and style from the platform pen (not owned); makes
  // the engine's pen when the engine is enabled.
  explicit TIEPen(TPen* pen);
  TIEPen(const TIEPen&) = delete;
  TIEPen& operator=(const TIEPen&) = delete;

  // The colour with alpha = transparency; alpha 0 for psClear.
  win::ARGB GetARGB() const;
  // Makes the engine's pen anew from colour, transparency, width, style and
  // line join; raises Exception "Cannot create TIEPen. GdipCreatePen1 failed."
  // when the engine gives none.
  void Recreate();

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // 0 (invisible) .. 255 (opaque).
  int32_t Transparency() const { return transparency_; }
  void SetTransparency(int32_t transparency);
  float Width() const { return width_; }
  void SetWidth(float width);  // the platform pen gets Trunc(width)
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  // The platform pen's mode; the engine draws in copy mode.
  TPenMode Mode() const;
  void SetMode(TPenMode mode);
  // The engine's line join, 2 (round) by default.
  uint8_t LineJoin() const { return lineJoin_; }
  void SetLineJoin(uint8_t join);
  win::HPEN Handle() const;
  void SetHandle(win::HPEN pen);

  TPen* PlatformPen() const { return pen_; }
  // The engine's pen; none while the engine was not enabled at creation.
  const std::optional<win::SmoothPen>& GdiPlusPen() const { return gpen_; }

private:
  void ApplyStyle();
  std::optional<win::SmoothPen> gpen_;
  TPen* pen_;
  TColor color_;
  int32_t transparency_ = 255;
  float width_;
  TPenStyle style_;
  uint8_t lineJoin_ = win::SmoothJoinRound;
};

// The canvas's brush: colour and style go to the platform brush as well,
// transparency only to the engine's brush. Hatch styles draw their gaps in
// the background colour (black, fully transparent).
class TIEBrush : public TObject {
  DX_CLASS(TIEBrush, TObject)
public:
  explicit TIEBrush(TBrush* brush);
  TIEBrush(const TIEBrush&) = delete;
  TIEBrush& operator=(const TIEBrush&) = delete;

  // The colour with alpha = transparency; alpha 0 for bsClear.
  win::ARGB GetARGB() const;
  // Makes the engine's brush anew; raises Exception "Cannot create TIEBrush.
  // GdipCreateSolidFill failed." or "... GdipCreateHatchBrush failed." when the
  // engine gives none.
  void Recreate();

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int32_t Transparency() const { return transparency_; }
  void SetTransparency(int32_t transparency);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  TColor BackColor() const { return backColor_; }
  int32_t BackTransparency() const { return backTransparency_; }

  TBrush* PlatformBrush() const { return brush_; }
  const std::optional<win::SmoothBrush>& GdiPlusBrush() const { return gbrush_; }

private:
  std::optional<win::SmoothBrush> gbrush_;
  TBrush* brush_;
  TColor color_;
  int32_t transparency_ = 255;
  TColor backColor_ = 0;
  int32_t backTransparency_ = 0;
  TBrushStyle style_;
};

// ---------------------------------------------------------------- canvas

// A drawing surface for one drawing pass over a platform canvas (not owned).
// Whether it draws through the engine is fixed when it is made.
class TIECanvas : public TObject {
  DX_CLASS(TIECanvas, TObject)
public:
  // Through the engine when useGDIPlus and IEGDIPlusEnabled(); raises
  // Exception "Cannot create TIECanvas. GdipCreateFromHDC failed." when the
  // engine refuses the canvas's device context. Smoothing mode 5 when
  // antialias, else 2.
  explicit TIECanvas(TCanvas& canvas, bool antialias = true, bool useGDIPlus = true);
  ~TIECanvas() override;
  TIECanvas(const TIECanvas&) = delete;
  TIECanvas& operator=(const TIECanvas&) = delete;

  // 1 .. 5: the engine's smoothing mode mode - 1 (5 antialiased, 2 fast).
  void SetSmoothingMode(uint8_t mode);
  bool UsesGDIPlus() const { return useGDIPlus_; }

  win::HDC Handle();  // the platform canvas's device context
  TFont* Font();      // the platform canvas's font
  TIEPen* Pen() { return pen_.get(); }
  TIEBrush* Brush() { return brush_.get(); }
  TCanvas& Canvas() { return canvas_; }

  void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
  void MoveTo(int32_t x, int32_t y);
  void LineTo(int32_t x, int32_t y);
  // Both end points drawn.
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // Through the engine the rectangle less one pixel at the right and bottom.
  void FillRect(const TRect& rect);
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { RectangleRect(TRect{x1, y1, x2, y2}); }
  void RectangleRect(const TRect& rect);
  void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { EllipseRect(TRect{x1, y1, x2, y2}); }
  void EllipseRect(const TRect& rect);
  // Outline, then the inside filled by the alternate rule.
  void Polygon(std::span<const TPoint> points);
  void Polyline(std::span<const TPoint> points);
  // Counter-clockwise from the radial line through (x3, y3) to the one through (x4, y4).
  void Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4);
  // Corners of x3 x y3 (at most the box's size).
  void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);

  int32_t TextWidth(const std::string& text);
  int32_t TextHeight(const std::string& text);
  void TextOut(int32_t x, int32_t y, const std::string& text);
  void TextRect(const TRect& rect, int32_t x, int32_t y, const std::string& text);
  // The text clipped to rect with the canvas's text flags; right-to-left
  // reading on a right-to-left canvas starts at x + text width + 1.
  void ClippedTextOut(const TRect& rect, int32_t x, int32_t y, const std::string& text);

private:
  std::unique_ptr<win::SmoothGraphics> graphics_;
  TCanvas& canvas_;
  std::unique_ptr<TIEPen> pen_;
  TPoint pos_;
  std::unique_ptr<TIEBrush> brush_;
  bool useGDIPlus_ = false;
};

// How an ellipse's box (x1, y1, x2, y2) is adjusted for a pen wider or
// thinner than one pixel before the engine draws it: with e = pen width / 2
// rounded half to even, a box thinner than the pen becomes 2e wide, centred
// where it was; a box wider and higher than e + 1 keeps its size. A box that
// would be left without width or height (pens under one pixel) gets one
// pixel. A one-pixel pen changes nothing.
void IEAdjustEllipseBox(float penWidth, int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2);
