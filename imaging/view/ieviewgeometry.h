// The geometry of the image view: how much the image is magnified, which part
// of it is visible and where it lies in the client area, and the conversions
// between client and bitmap coordinates.
//
// Vocabulary:
//   bitmap coordinates  columns and rows of the image (layer 0's bitmap),
//                       row 0 at the top;
//   zoomed coordinates  bitmap coordinates times the zoom factor: the image as
//                       if it were drawn whole at the current zoom;
//   origin              the zoomed column and row shown at the left and top
//                       edge of the image area (ScrollOriginX, ScrollOriginY);
//   client coordinates  pixels of the view's client area; the image area
//                       starts at (ImageOffsetX, ImageOffsetY), non-zero only
//                       when a smaller image is centred.
//
//      client area
//   +------------------------------------+
//   |  ImageOffsetX                      |
//   |  <---->+-------------------+       |
//   |        | DrawnWidth x      |       |
//   |        | DrawnHeight       |       |
//   |        +-------------------+       |
//   +------------------------------------+
//
// Everything here is computation over the view's state; the view supplies its
// sizes through the virtual hooks below and does the events and repainting.
// Zoom is a percentage held as a double; pixel extents truncate toward zero,
// points kept in place round halves to even.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/vcl/controls.h"

// Largest zoomed extent (pixels) the view lets an image reach on either axis.
// The coordinate tables grow with the zoomed size and client coordinates are
// 32-bit, so zooms beyond this are lowered to it.
constexpr int32_t IEMaxZoomedExtent = 1 << 24;

class TIEViewGeometry {
public:
  TIEViewGeometry();
  virtual ~TIEViewGeometry();
  TIEViewGeometry(const TIEViewGeometry&) = delete;
  TIEViewGeometry& operator=(const TIEViewGeometry&) = delete;

  // --- what the owning control supplies -----------------------------------
  // Client size (the view's GetViewWidth/GetViewHeight).
  virtual int32_t GetViewWidth() = 0;
  virtual int32_t GetViewHeight() = 0;
  // The control's outer size (Width, Height), borders included.
  virtual int32_t GeometryControlWidth() = 0;
  virtual int32_t GeometryControlHeight() = 0;
  virtual TScrollStyle GeometryScrollBars() = 0;
  virtual bool GeometryCenter() = 0;
  virtual bool GeometryDesigning() = 0;
  // The current layer's bitmap has no pixels (width or height 0).
  virtual bool GeometryBitmapEmpty() = 0;
  // Fit margins: with border mode on an axis, the border's size; otherwise
  // half of (control extent - view extent). Background styles with a frame
  // replace both.
  virtual void GetFitMargins(bool borderModeX, bool borderModeY, int32_t& mx, int32_t& my) = 0;

  // --- state ---------------------------------------------------------------
  int32_t ExtentWidth() const { return extentWidth_; }
  int32_t ExtentHeight() const { return extentHeight_; }
  double ZoomPercentX() const { return zoomX_; }
  double ZoomPercentY() const { return zoomY_; }
  double ZoomFactorX() const { return fx_; }  // zoom / 100
  double ZoomFactorY() const { return fy_; }
  double ZoomInverseX() const { return ix_; }  // 100 / zoom
  double ZoomInverseY() const { return iy_; }
  int32_t ScrollOriginX() const { return originX_; }
  int32_t ScrollOriginY() const { return originY_; }
  int32_t ImageOffsetX() const { return offsetX_; }
  int32_t ImageOffsetY() const { return offsetY_; }
  int32_t ZoomedWidth() const { return zoomedWidth_; }
  int32_t ZoomedHeight() const { return zoomedHeight_; }
  int32_t DrawnWidth() const { return drawnWidth_; }
  int32_t DrawnHeight() const { return drawnHeight_; }

  // Visible area, from CalcVisibleArea. Above 100 % the visible columns
  // (rows) are whole ones, the last possibly cut by the edge; the painted
  // extent never passes DrawnWidth (DrawnHeight).
  int32_t VisibleFirstColumn() const { return firstColumn_; }
  int32_t VisibleFirstRow() const { return firstRow_; }
  int32_t VisibleColumns() const { return visibleColumns_; }
  int32_t VisibleRows() const { return visibleRows_; }
  int32_t PaintedWidth() const { return paintedWidth_; }
  int32_t PaintedHeight() const { return paintedHeight_; }

  // The client-to-bitmap tables from the current origin: entry u is the bitmap
  // column (row) shown at client column (row) ImageOffset + u, for u below the
  // painted width (height). Empty until UpdateCoordTables built them. The
  // renderer takes them as column and row maps.
  std::vector<int32_t>& ClientToBitmapMapX() { return clientToBitmapX_; }
  std::vector<int32_t>& ClientToBitmapMapY() { return clientToBitmapY_; }

  // --- zoom ------------------------------------------------------------------
  // Stores both zooms and recomputes the derived factors; values are lowered
  // to the largest zoom that keeps that axis's zoomed extent within
  // IEMaxZoomedExtent and raised to at least 1e-6 %. A zoom that is not a
  // number or not above 0 leaves its axis unchanged. No event, no repaint.
  void StoreZoom(double zoomX, double zoomY);
  // The largest zoom for the current extent (see IEMaxZoomedExtent).
  double MaxZoom() const;
  // Keeps the bitmap point at the view centre in place while the zoom changes
  // (both axes, or one); the origin is clamped to 0 .. GetMaxScroll. A zoom
  // not above 0 changes nothing.
  virtual void ApplyZoom(double zoom);
  virtual void ApplyZoomX(double zoom);
  virtual void ApplyZoomY(double zoom);

  // min(control height / (H / 100), control width / (W / 100)); 100 for an
  // image with no width or height, which has nothing to fit.
  double GetFitZoomOfControl();
  // Per axis: (control extent - 2 margins) / (extent / 100), margins in
  // border mode; 100 on an axis whose extent is 0.
  void GetFitZoomXY(double& fitX, double& fitY);
  double GetFitZoom();
  // The zoom the auto-fit modes use; 100 when any size is 0 or below.
  double GetAutoFitZoom(int32_t width, int32_t height, int32_t availableWidth, int32_t availableHeight,
                        bool mayStretch, bool mayShrink);

  // --- scrolling ---------------------------------------------------------------
  void GetMaxScroll(int32_t& maxX, int32_t& maxY);
  // Stores an origin clamped to 0 .. GetMaxScroll; true when it changed.
  bool ClampAndStoreOrigin(int32_t x, int32_t y);
  bool ClampAndStoreOriginX(int32_t x);
  bool ClampAndStoreOriginY(int32_t y);
  bool CanScroll();
  // The origin a scroll code asks for on one axis, not yet clamped (the view
  // hands it to ScrollToX/ScrollToY): 0 position, 1 the maximum, 2 the start,
  // 3 / 4 one line forward / back, 5 / 6 one page forward / back, any other
  // code 0. A line is one bitmap column (row) in zoomed pixels,
  // max(Trunc(factor), 1), times lineStep unless it is -1; a page is the view
  // extent when pageStep is -1, else pageStep lines.
  int32_t ScrollCodeTarget(bool horizontal, int32_t code, int32_t position, int32_t lineStep, int32_t pageStep);
  // The mouse wheel's scroll (direction -1 or +1): the horizontal axis when
  // horizontal is set or only it can scroll, else the vertical one; variation
  // 0 moves direction x value x max(Trunc(ZoomFactorX), 1) pixels, 1 moves
  // direction x max(Round(view extent x value / 100), 1). False (nothing to
  // do) for other variations; otherwise onX and the new, unclamped origin.
  bool WheelScrollTarget(int32_t direction, bool horizontal, int32_t variation, int32_t value, bool& onX,
                         int32_t& origin);

  // --- coordinates ---------------------------------------------------------------
  virtual void CalcImageRect();
  // The first zoomed position of the bitmap column (row) that holds v (below
  // 0: 0); v itself from the zoomed extent on. Tables of another zoom are
  // never consulted.
  int32_t SnapX(int32_t v) const;
  int32_t SnapY(int32_t v) const;
  virtual void CalcVisibleArea();
  // Rebuilds the tables when the zoom, painted size or image size changed,
  // then sets the client-to-bitmap maps for the current origin.
  virtual void UpdateCoordTables();
  int32_t ClientToBitmapX(int32_t x) const;
  int32_t ClientToBitmapY(int32_t y) const;
  int32_t BitmapToClientX(int32_t bx) const;
  int32_t BitmapToClientY(int32_t by) const;

protected:
  void SetExtent(int32_t width, int32_t height) {
    extentWidth_ = width;
    extentHeight_ = height;
  }
  void SetOriginRaw(int32_t x, int32_t y) {
    originX_ = x;
    originY_ = y;
  }
  void SetImageOffset(int32_t x, int32_t y) {
    offsetX_ = x;
    offsetY_ = y;
  }
  void SetZoomedSize(int32_t w, int32_t h) {
    zoomedWidth_ = w;
    zoomedHeight_ = h;
  }
  void SetDrawnSize(int32_t w, int32_t h) {
    drawnWidth_ = w;
    drawnHeight_ = h;
  }
  // Frees the tables and clears their cache, so the next UpdateCoordTables rebuilds.
  void FreeCoordTables();

private:
  void RecalcFactors();

  int32_t extentWidth_ = 0, extentHeight_ = 0;
  double zoomX_ = 100, zoomY_ = 100;
  double fx_ = 1, fy_ = 1, ix_ = 1, iy_ = 1;
  int32_t originX_ = 0, originY_ = 0;
  int32_t offsetX_ = 0, offsetY_ = 0;
  int32_t zoomedWidth_ = 0, zoomedHeight_ = 0;
  int32_t drawnWidth_ = 0, drawnHeight_ = 0;

  int32_t firstColumn_ = 0, firstRow_ = 0;
  int32_t visibleColumns_ = 0, visibleRows_ = 0;
  int32_t paintedWidth_ = 0, paintedHeight_ = 0;

  // Lengths of the last table build: client-to-bitmap (the painted extent)
  // and bitmap-to-client, and how many leading entries of each whole-image
  // table the build filled (the rest is answered by formula).
  int32_t clientToBitmapLenX_ = 0, clientToBitmapLenY_ = 0;
  int32_t bitmapToClientLenX_ = 0, bitmapToClientLenY_ = 0;
  size_t zoomedToBitmapFilledX_ = 0, zoomedToBitmapFilledY_ = 0;
  size_t bitmapToZoomedFilledX_ = 0, bitmapToZoomedFilledY_ = 0;
  // Whole-image tables: zoomed position -> bitmap index and back.
  std::vector<int32_t> zoomedToBitmapX_, bitmapToZoomedX_;
  std::vector<int32_t> zoomedToBitmapY_, bitmapToZoomedY_;
  // The same from the current origin (the "cursors"), copied out so they can
  // be handed to the renderer as maps.
  std::vector<int32_t> clientToBitmapX_, clientToBitmapY_;
  std::vector<int32_t> bitmapToClientX_, bitmapToClientY_;
  // What the tables were built for.
  double cacheZoomX_ = -1, cacheZoomY_ = -1;
  int32_t cachePaintedWidth_ = -1, cachePaintedHeight_ = -1;
  int32_t cacheExtentWidth_ = -1, cacheExtentHeight_ = -1;
};

// Saturating conversions of the view's arithmetic (NaN gives 0): toward zero,
// and to nearest with halves to even.
int32_t IETrunc(double v);
int32_t IERoundEven(double v);

// Proposed zooms of the mouse (wheel and clicks); the view fires OnZoomIn /
// OnZoomOut with them before applying.
// Wheel: direction d is -1 or +1; variation 0 adds d * value percent points,
// 1 adds d * max(Round(value * zoom / 100), 1); other variations keep zoom.
double IEWheelZoom(double zoom, int32_t direction, int32_t variation, int32_t value);
// Click: one step in (zoom + 100 from 100 %, else the next of 2, 5, 10, 25,
// 33, 50, 75, 100) or out (zoom - 100 from 200 %, else the previous step, 2
// at the bottom).
double IEClickZoomIn(double zoom);
double IEClickZoomOut(double zoom);

// A window scroll bar spans 0 .. 65535 whatever the image: scale converts
// between bar units and zoomed pixels, (view extent + maximum origin) /
// 65536; the page is Trunc(view extent / scale) and the thumb position
// Trunc(origin / scale). A scale of 0 or below (nothing to scroll) gives a
// page and position of 0.
struct TIEScrollBarSetup {
  double Scale = 0;
  int32_t Page = 0;
  int32_t Position = 0;
};
TIEScrollBarSetup IEScrollBarSetup(int32_t viewExtent, int32_t maxScroll, int32_t origin);
// A thumb position from the bar back to an origin: Round(thumb x scale).
int32_t IEScrollThumbToOrigin(int32_t thumb, double scale);
