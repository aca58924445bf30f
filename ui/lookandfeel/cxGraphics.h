// The drawing surface of the painters: a canvas wrapper with clip, DC and
// object stacks, an owned region, aligned and disabled text, tiled fills and
// framed edges, plus the text and DC routines the toolbar windows call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/rtl/object.h"
#include "platform/rtl/types.h"
#include "platform/vcl/graphics.h"
#include "platform/win/winuser.h"

class TControl;

enum TcxRegionCombineMode : uint8_t { rcmCopy, rcmUnion, rcmSubtract, rcmIntersect };

enum TcxBorder : uint8_t { bLeft, bTop, bRight, bBottom };
using TcxBorders = TSmallSet<TcxBorder>;
inline constexpr TcxBorders cxBordersAll{bLeft, bTop, bRight, bBottom};

// Text flags of DrawText and MeasureText.
inline constexpr uint16_t cxAlignLeft = 0x0001, cxAlignRight = 0x0002, cxAlignHCenter = 0x0004,
                          cxAlignTop = 0x0008, cxAlignBottom = 0x0010, cxAlignVCenter = 0x0020,
                          cxSingleLine = 0x0040, cxDontClip = 0x0080, cxExpandTabs = 0x0100,
                          cxShowPrefix = 0x0200, cxWordBreak = 0x0400, cxShowEndEllipsis = 0x0800,
                          cxDontPrint = 0x1000, cxShowPathEllipsis = 0x2000, cxDontBreakChars = 0x4000,
                          cxNoFullWidthCharBreak = 0x8000;

class TcxRegion : public TObject {
public:
  explicit TcxRegion(win::HRGN handle) : handle_(handle) {}
  TcxRegion();
  TcxRegion(int32_t left, int32_t top, int32_t right, int32_t bottom);
  static TcxRegion* CreateFromRect(const TRect& r);
  ~TcxRegion() override { ReleaseHandle(); }
  TcxRegion(const TcxRegion&) = delete;
  TcxRegion& operator=(const TcxRegion&) = delete;

  win::HRGN Handle() const { return handle_; }
  void ReleaseHandle();
  void CombineWith(TcxRegion* other, TcxRegionCombineMode mode, bool destroyOther = true);
  void Offset(int32_t dx, int32_t dy);
  void Offset(TPoint p) { Offset(p.X, p.Y); }

private:
  win::HRGN handle_ = nullptr;
};

// The fill part of a view-parameters record.
struct TcxViewParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
};

class TcxCanvas : public TObject {
public:
  // canvas is not owned.
  explicit TcxCanvas(TCanvas* canvas) : canvas_(canvas) {}
  ~TcxCanvas() override;
  TcxCanvas(const TcxCanvas&) = delete;
  TcxCanvas& operator=(const TcxCanvas&) = delete;

  TCanvas* Canvas() const { return canvas_; }
  void SetCanvas(TCanvas* canvas) { canvas_ = canvas; }
  TBrush* Brush() const { return canvas_->Brush(); }
  TFont* Font() const { return canvas_->Font(); }
  TPen* Pen() const { return canvas_->Pen(); }
  win::HDC Handle() const { return canvas_->Handle(); }
  void SetFont(TFont* font) { canvas_->SetFont(font); }
  TCopyMode GetCopyMode() const { return canvas_->CopyMode(); }
  void SetCopyMode(TCopyMode mode) { canvas_->SetCopyMode(mode); }
  void SetPixel(int32_t x, int32_t y, TColor color) { canvas_->SetPixels(x, y, color); }
  void MoveTo(int32_t x, int32_t y) { canvas_->MoveTo(x, y); }
  void LineTo(int32_t x, int32_t y) { canvas_->LineTo(x, y); }
  void Polygon(const TPoint* points, int32_t count);
  void Polyline(const TPoint* points, int32_t count);
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) { canvas_->CopyRect(dest, source, sourceRect); }
  void Draw(int32_t x, int32_t y, TGraphic* graphic) { canvas_->Draw(x, y, graphic); }

  TPoint GetWindowOrigin() const;
  void SetWindowOrg(TPoint p);
  TPoint GetViewportOrigin() const;
  void SetViewportOrigin(TPoint p);
  // Where logical (0, 0) lies on the device.
  TPoint GetDeviceOrigin() const;

  void PushDC();
  void PopDC();
  void PushState();
  void PopState();
  // Makes the wrapped canvas's font, brush and pen describe what dc has selected.
  void TakeObjectsFromDC(win::HDC dc);
  void SetBrushColor(TColor color);
  void SetFontAngle(int32_t degrees);

  void ExcludeClipRect(const TRect& r);
  void IntersectClipRect(const TRect& r);
  // A new region the caller owns; (0, 0, 30000, 30000) when the DC has no clip.
  TcxRegion* GetClipRegion(bool considerOrigin = true);
  void SetClipRegion(TcxRegion* region, TcxRegionCombineMode mode, bool destroyRegion = true,
                     bool considerOrigin = true);
  void PushClipRegion();
  void PopClipRegion();

  void FillRect(const TRect& r, TColor color);
  void FillRect(const TRect& r, TBitmap* bitmap = nullptr, bool excludeRect = false);
  void FillRect(const TRect& r, const TcxViewParams& params, TcxBorders borders = {}, TColor borderColor = clDefault,
                int32_t lineWidth = 1, bool excludeRect = false);
  void FrameRect(const TRect& r, TColor color = clDefault, int32_t lineWidth = 1, TcxBorders borders = cxBordersAll,
                 bool excludeFrame = false);
  void DrawTwoColorEdges(const TRect& r, TColor topLeftColor, TColor bottomRightColor, TcxBorders borders = cxBordersAll,
                         int32_t lineWidth = 1);
  void DrawEdge(const TRect& r, bool sunken, bool outer, TcxBorders borders = cxBordersAll);
  void InvertRect(const TRect& r);
  // rotation: 0 none, 1 a quarter turn counter-clockwise, 2 clockwise, 3 a half turn.
  void RotateBitmap(TBitmap* bitmap, int32_t rotation, bool flipVertically = false);

  void DrawText(std::string_view text, TRect r, uint16_t flags, bool enabled = true);
  // Moves r's top so that a multi-line text block of the flags' vertical alignment ends at r's bottom (less d) or is centred.
  void AdjustTextTopForVerticalAlign(std::string_view text, TRect& r, uint16_t flags, int32_t d);
  TSize MeasureText(std::string_view text);
  int32_t MeasureTextWidth(std::string_view text) { return MeasureText(text).cx; }
  int32_t MeasureTextHeight(std::string_view text) { return MeasureText(text).cy; }
  void MeasureText(std::string_view text, TRect& r, uint16_t flags);

private:
  struct TcxDCState {
    win::HDC DC;
    int SavedDC;
  };
  struct TcxCanvasState {
    TFont* Font;
    TBrush* Brush;
    TPen* Pen;
  };

  TCanvas* canvas_;
  std::vector<TcxDCState> dcStates_;
  std::vector<TcxRegion*> clipRegions_;
  std::vector<TcxCanvasState> canvasStates_;
};

// A canvas on the desktop window's DC, made on demand and released by FreeHandle.
class TScreenCanvas : public TCanvas {
public:
  ~TScreenCanvas() override { FreeHandle(); }
  void FreeHandle();

protected:
  void CreateHandle() override;

private:
  win::HWND window_ = nullptr;
  win::HDC dc_ = nullptr;
};

// A canvas for measuring; callers free the screen DC after every measurement.
class TcxScreenCanvas : public TcxCanvas {
public:
  TcxScreenCanvas() : TcxCanvas(new TScreenCanvas) {}
  ~TcxScreenCanvas() override { delete Canvas(); }
  void FreeHandle() { static_cast<TScreenCanvas*>(Canvas())->FreeHandle(); }
};

// One canvas pointed at foreign DCs or canvases while they paint; begins and ends pair up.
class TcxPaintCanvas : public TcxCanvas {
public:
  TcxPaintCanvas() : TcxCanvas(new TCanvas), owned_(Canvas()) {}
  ~TcxPaintCanvas() override;
  void BeginPaint(win::HDC dc);
  void BeginPaint(TCanvas* canvas);
  void EndPaint();
  int32_t Depth() const { return depth_; }

private:
  struct TcxPaintCanvasState {
    TCanvas* PrevCanvas;
    win::HDC PrevHandle;
    win::HDC DC;
    int SavedDC;
  };
  TCanvas* owned_;
  std::vector<TcxPaintCanvasState> states_;
  int32_t depth_ = 0;
};

// The shared screen and paint canvases; null once the unit has shut down.
TcxScreenCanvas* ScreenCanvas();
TcxPaintCanvas* PaintCanvas();

void InvalidateWindowRect(win::HWND wnd, const TRect& r, bool erase = true);
void InvalidateWindow(win::HWND wnd, bool erase = true);

win::UINT TextFlagsToDrawTextFlags(uint32_t flags);

void DeflateRectByMargins(TRect& r, const TRect& margins);

// Length -1: the whole text.
bool TextExtentOnDC(win::HDC dc, std::string_view text, TSize& size, int32_t length = -1);
int32_t DrawTextOnDC(win::HDC dc, std::string_view text, TRect& r, int32_t length, win::UINT format);
bool ExtTextOutOnDC(win::HDC dc, std::string_view text, TPoint p, int32_t length, win::UINT options, const TRect& r);
TSize GetTextSizeOnDC(win::HDC dc, std::string_view text);
// The narrowest rectangle that holds the text in at most lineCount lines (0: no limit).
void CalcTextRectForLines(win::HDC dc, std::string_view text, int32_t lineCount, TRect& r, bool fixHeight);
void SplitTextIntoLines(std::string_view text, TcxCanvas* canvas, const TRect& r, std::vector<std::string>& lines);

// The hot and pressed shades of ultra-flat controls.
TColor GetLightDownColor();
TColor GetLightHotColor();
TColor GetNearestScreenColor(TColor color);
// LOGPIXELSY when vertical, else LOGPIXELSX.
int32_t GetScreenPixelsPerInch(bool vertical);
TSize GetFontTextExtent(TFont* font, std::string_view text, int32_t fontSize = 0);
int32_t GetFontTextWidth(TFont* font, std::string_view text, int32_t fontSize = 0);

bool QueryBitmapInfo(win::HBITMAP handle, win::BITMAP& info);
bool QueryBrushInfo(win::HBRUSH handle, win::LOGBRUSH& info);
bool QueryLogFont(win::HFONT handle, win::LOGFONT& info);
bool QueryPenInfo(win::HPEN handle, win::LOGPEN& info);

// A windowed control that decides itself whether its non-client border is
// drawn when it is painted as the background of a transparent control.
class IcxTransparentBackgroundBorder {
public:
  virtual ~IcxTransparentBackgroundBorder() = default;
  virtual bool DrawBorderInTransparentBackground() = 0;
};

// Paints what lies under r (control's client coordinates) into canvas: the
// parent and its windowed children below control in z-order.
void DrawTransparentControlBackground(TControl* control, TcxCanvas* canvas, const TRect& r);

// The three bitmaps glyph drawing keeps from call to call (the draw, image and
// mask buffers): DrawImage's getters make them as TcxAlphaBitmaps, the unit's
// shutdown frees them. Null once the unit has shut down.
enum TcxSharedGlyphBuffer : uint8_t { sgbDraw, sgbImage, sgbMask };
TObject** cxSharedGlyphBuffer(TcxSharedGlyphBuffer which);

// msimg32's AlphaBlend as this unit binds it: always null, so that every blend
// takes the software road, whose result is the same pixel for pixel on every
// platform.
using TcxAlphaBlendProc = win::BOOL (*)(win::HDC, int, int, int, int, win::HDC, int, int, int, int,
                                        win::BLENDFUNCTION);
TcxAlphaBlendProc cxAlphaBlendProc();

// The 31 system-colour brushes in colour index order, and the one-pixel checker brush.
TBrush* cxSystemBrush(int32_t index);
TBrush* cxCheckerBrush();

void cxGraphicsUnitStart();
void cxGraphicsUnitStop();
