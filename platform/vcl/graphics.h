// The framework's graphics classes: fonts, pens and brushes that make GDI
// objects on demand, the canvas that draws with them on a device context, and
// the graphic family (bitmaps, icons, metafiles) held by pictures.
//
// Vocabulary:
//   handle      the GDI object (HFONT, HPEN, HBRUSH, HBITMAP, HICON, HDC) behind
//               a graphics object; made lazily, owned by the object, remade after
//               a change.
//   scan line   one row of a bitmap's pixels in its own format; ScanLine(0) is
//               the top row whatever the row order in memory.
//   colour      a TColor: 0x00BBGGRR, or a system colour (high byte 0xFF),
//               resolved by ColorToRGB when it reaches the GDI.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/persistent.h"
#include "platform/classes/streams.h"
#include "platform/gdi/gdi.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/types.h"

DX_EXCEPTION(EInvalidGraphic, Exception);
DX_EXCEPTION(EInvalidGraphicOperation, Exception);

// ---------------------------------------------------------------- colours

// The RGB value a colour stands for now (system colours looked up).
TColor ColorToRGB(TColor color);
// Names of the colour constants ("clRed", "clBtnFace", ...).
bool ColorToIdent(int64_t color, std::string& ident);
bool IdentToColor(std::string_view ident, int64_t& color);
// A name when the colour has one, else "$00BBGGRR".
std::string ColorToString(TColor color);
// A name or a number ("$FF", "255"); EConvertError otherwise.
TColor StringToColor(std::string_view s);

// A small set type over an enumeration of at most 32 values.
template <class E>
class TSmallSet {
public:
  constexpr TSmallSet() = default;
  constexpr TSmallSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr void Include(E e) { bits_ |= Bit(e); }
  constexpr void Exclude(E e) { bits_ &= ~Bit(e); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint32_t Bits() const { return bits_; }
  static constexpr TSmallSet FromBits(uint64_t b) {
    TSmallSet s;
    s.bits_ = uint32_t(b);
    return s;
  }
  constexpr TSmallSet operator+(TSmallSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSmallSet operator-(TSmallSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSmallSet operator*(TSmallSet o) const { return FromBits(bits_ & o.bits_); }
  friend constexpr bool operator==(TSmallSet, TSmallSet) = default;

private:
  static constexpr uint32_t Bit(E e) { return uint32_t(1) << uint32_t(e); }
  uint32_t bits_ = 0;
};

// ---------------------------------------------------------------- graphics objects

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSmallSet<TFontStyle>;
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum TFontQuality : uint8_t {
  fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural
};
using TFontCharset = uint8_t;
using TFontName = std::string;

enum TPenStyle : uint8_t {
  psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate
};
enum TPenMode : uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
  pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle : uint8_t {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

// The binary raster operation of each pen mode.
int PenModeToRop2(TPenMode mode);
TPenMode Rop2ToPenMode(int rop2);  // pmCopy for an unknown code

class TBitmap;

// Base of fonts, pens and brushes: one change notification.
class TGraphicsObject : public TPersistent {
  DX_CLASS(TGraphicsObject, TPersistent)
public:
  TNotifyEvent OnChange;
  // True while a handle exists.
  virtual bool HandleAllocated() const = 0;

protected:
  virtual void Changed();
};

class TFont : public TGraphicsObject {
  DX_CLASS_WITH_FACTORY(TFont, TGraphicsObject, [](TObject*) -> TObject* { return new TFont; })
public:
  TFont();
  ~TFont() override;
  void Assign(TPersistent* source) override;

  // The logical font; made on first request, owned by this object.
  win::HFONT Handle();
  // Takes over an existing font: its description becomes this font's.
  void SetHandle(win::HFONT font);
  bool HandleAllocated() const override { return handle_ != nullptr; }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Negative: character height (em) in pixels; positive: cell height.
  int32_t Height() const { return height_; }
  void SetHeight(int32_t height);
  // Points at PixelsPerInch: Size = -Height * 72 / PixelsPerInch, rounded.
  int32_t Size() const;
  void SetSize(int32_t points);
  int32_t PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int32_t ppi) { pixelsPerInch_ = ppi > 0 ? ppi : 96; }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  TFontQuality Quality() const { return quality_; }
  void SetQuality(TFontQuality quality);
  // Text angle in tenths of a degree, counter-clockwise.
  int32_t Orientation() const { return orientation_; }
  void SetOrientation(int32_t tenths);

  // The description the handle is made from.
  win::LOGFONT LogFont() const;

protected:
  void Changed() override;

private:
  void FreeHandle();
  win::HFONT handle_ = nullptr;
  std::string name_ = "Tahoma";
  int32_t height_ = -11;
  int32_t pixelsPerInch_ = 96;
  TColor color_ = clWindowText;
  TFontStyles style_;
  TFontCharset charset_ = win::DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  TFontQuality quality_ = fqDefault;
  int32_t orientation_ = 0;
};

class TPen : public TGraphicsObject {
  DX_CLASS_WITH_FACTORY(TPen, TGraphicsObject, [](TObject*) -> TObject* { return new TPen; })
public:
  TPen() = default;
  ~TPen() override;
  void Assign(TPersistent* source) override;

  win::HPEN Handle();
  void SetHandle(win::HPEN pen);
  bool HandleAllocated() const override { return handle_ != nullptr; }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int32_t Width() const { return width_; }
  void SetWidth(int32_t width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  // Applied by the canvas as the DC's binary raster operation.
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);

protected:
  void Changed() override;

private:
  void FreeHandle();
  win::HPEN handle_ = nullptr;
  TColor color_ = clBlack;
  int32_t width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

class TBrush : public TGraphicsObject {
  DX_CLASS_WITH_FACTORY(TBrush, TGraphicsObject, [](TObject*) -> TObject* { return new TBrush; })
public:
  TBrush() = default;
  ~TBrush() override;
  void Assign(TPersistent* source) override;

  win::HBRUSH Handle();
  void SetHandle(win::HBRUSH brush);
  bool HandleAllocated() const override { return handle_ != nullptr; }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  // A pattern brush made from the bitmap; the bitmap stays the caller's and must
  // outlive the brush's use of it (null returns to Style).
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* bitmap);

protected:
  void Changed() override;

private:
  void FreeHandle();
  win::HBRUSH handle_ = nullptr;
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TBitmap* bitmap_ = nullptr;
};

// ---------------------------------------------------------------- canvas

enum TCanvasStates : uint8_t { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSmallSet<TCanvasStates>;

enum TTextFormats : uint8_t {
  tfBottom, tfCalcRect, tfCenter, tfEditControl, tfEndEllipsis, tfPathEllipsis, tfExpandTabs,
  tfExternalLeading, tfLeft, tfModifyString, tfNoClip, tfNoPrefix, tfRight, tfRtlReading, tfSingleLine,
  tfTop, tfVerticalCenter, tfWordBreak, tfHidePrefix, tfNoFullWidthCharBreak, tfPrefixOnly, tfTabStop,
  tfWordEllipsis, tfComposited
};
using TTextFormat = TSmallSet<TTextFormats>;
// The DrawText flags of a format.
win::UINT TextFormatToDrawTextFlags(TTextFormat format);

using TCopyMode = int32_t;
constexpr TCopyMode cmBlackness = TCopyMode(win::BLACKNESS), cmDstInvert = TCopyMode(win::DSTINVERT),
                    cmMergeCopy = TCopyMode(win::MERGECOPY), cmMergePaint = TCopyMode(win::MERGEPAINT),
                    cmNotSrcCopy = TCopyMode(win::NOTSRCCOPY), cmNotSrcErase = TCopyMode(win::NOTSRCERASE),
                    cmPatCopy = TCopyMode(win::PATCOPY), cmPatInvert = TCopyMode(win::PATINVERT),
                    cmPatPaint = TCopyMode(win::PATPAINT), cmSrcAnd = TCopyMode(win::SRCAND),
                    cmSrcCopy = TCopyMode(win::SRCCOPY), cmSrcErase = TCopyMode(win::SRCERASE),
                    cmSrcInvert = TCopyMode(win::SRCINVERT), cmSrcPaint = TCopyMode(win::SRCPAINT),
                    cmWhiteness = TCopyMode(win::WHITENESS);

class TGraphic;

// Drawing on a device context with a font, a pen and a brush, which are
// selected into the DC only when a drawing call needs them. The canvas never
// owns a DC handed to it by SetHandle; descendants that make their own DC
// (CreateHandle) free it themselves.
class TCanvas : public TPersistent {
  DX_CLASS(TCanvas, TPersistent)
public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The DC; a canvas without one asks CreateHandle and raises EInvalidOperation
  // "Canvas does not allow drawing" when that gives none.
  win::HDC Handle();
  void SetHandle(win::HDC dc);
  bool HandleAllocated() const { return handle_ != nullptr; }

  TFont* Font() { return font_.get(); }
  void SetFont(TFont* font) { font_->Assign(font); }
  TPen* Pen() { return pen_.get(); }
  void SetPen(TPen* pen) { pen_->Assign(pen); }
  TBrush* Brush() { return brush_.get(); }
  void SetBrush(TBrush* brush) { brush_->Assign(brush); }
  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }
  // ExtTextOut options added to every TextOut and TextRect.
  int32_t TextFlags() const { return textFlags_; }
  void SetTextFlags(int32_t flags) { textFlags_ = flags; }

  TPoint PenPos();
  void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
  TColor Pixels(int32_t x, int32_t y);
  void SetPixels(int32_t x, int32_t y, TColor color);
  // The clip box in logical coordinates.
  TRect ClipRect();

  void MoveTo(int32_t x, int32_t y);
  void LineTo(int32_t x, int32_t y);
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void DrawFocusRect(const TRect& r);
  void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
  void Polygon(std::span<const TPoint> points);
  void Polyline(std::span<const TPoint> points);
  void Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4);
  void Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4);
  void Chord(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4);

  // Writes at (x, y) and moves the pen position to the end of the text.
  void TextOut(int32_t x, int32_t y, const std::string& text);
  // Writes at (x, y) clipped to r; a non-clear brush fills r first.
  void TextRect(const TRect& r, int32_t x, int32_t y, const std::string& text);
  // DrawText with the format; tfCalcRect updates r, tfModifyString updates text.
  void TextRect(TRect& r, std::string& text, TTextFormat format);
  TSize TextExtent(const std::string& text);
  int32_t TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int32_t TextHeight(const std::string& text) { return TextExtent(text).cy; }

  void Draw(int32_t x, int32_t y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  // Copies source's rectangle into dest (scaled) with CopyMode.
  void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);
  // Copies the bitmap's rectangle, drawing this canvas's brush where the bitmap has color.
  void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);

  // Selects stock objects so that the font, pen and brush are reselected on next use.
  void Refresh();

  // A lock count for threads sharing a canvas; Lock blocks, TryLock does not.
  void Lock();
  void Unlock();
  bool TryLock();
  int32_t LockCount() const { return lockCount_; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // Makes sure the DC and the named objects are selected.
  void RequiredState(TCanvasState req);

protected:
  virtual void CreateHandle() {}
  virtual void Changed();
  virtual void Changing();
  TCanvasState State() const { return state_; }

private:
  void DeselectHandles();
  void FontChanged();
  void PenChanged();
  void BrushChanged();

  win::HDC handle_ = nullptr;
  TCanvasState state_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  TCopyMode copyMode_ = cmSrcCopy;
  int32_t textFlags_ = 0;
  std::recursive_mutex lock_;
  int32_t lockCount_ = 0;
};

// ---------------------------------------------------------------- graphics

class TGraphic : public TPersistent {
  DX_CLASS(TGraphic, TPersistent)
public:
  virtual bool Empty() const = 0;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual void SetWidth(int32_t width) = 0;
  virtual void SetHeight(int32_t height) = 0;
  virtual void SetSize(int32_t width, int32_t height);
  virtual bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  virtual win::HPALETTE Palette() { return nullptr; }
  virtual void SetPalette(win::HPALETTE) {}
  bool Modified() const { return modified_; }
  void SetModified(bool value);

  // Draws the graphic into rect of the canvas (called by TCanvas::Draw and StretchDraw).
  virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;

  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);
  // The graphic as a property value of a form description; the base is the file image.
  virtual void ReadData(TStream& stream) { LoadFromStream(stream); }
  virtual void WriteData(TStream& stream) { SaveToStream(stream); }

  TNotifyEvent OnChange;

  // Raises the change notification and marks the graphic modified.
  virtual void Changed(TObject* sender);

protected:
  void DefineProperties(TFiler* filer) override;
  bool transparent_ = false;

private:
  bool modified_ = false;
};

// A graphic class: the class info of a TGraphic descendant that can be made by name.
using TGraphicClass = TClass;

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType : uint8_t { bmDIB, bmDDB };
enum TTransparentMode : uint8_t { tmAuto, tmFixed };
enum TAlphaFormat : uint8_t { afIgnored, afDefined, afPremultiplied };

class TBitmapCanvas;

// A bitmap held as a DIB section (or a device bitmap for pfDevice). Rows are
// stored bottom-up as the platform does; ScanLine hides that.
class TBitmap : public TGraphic {
  DX_CLASS_WITH_FACTORY(TBitmap, TGraphic, [](TObject*) -> TObject* { return new TBitmap; })
public:
  TBitmap();
  TBitmap(int32_t width, int32_t height);
  ~TBitmap() override;
  void Assign(TPersistent* source) override;

  bool Empty() const override;
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void SetWidth(int32_t width) override { SetSize(width, height_); }
  void SetHeight(int32_t height) override { SetSize(width_, height); }
  // Keeps the pixels that still fit; new areas are white.
  void SetSize(int32_t width, int32_t height) override;

  TPixelFormat PixelFormat();
  void SetPixelFormat(TPixelFormat format);
  TBitmapHandleType HandleType();
  void SetHandleType(TBitmapHandleType type);
  bool Monochrome();
  void SetMonochrome(bool value);

  // Row y (0 = top) in the bitmap's own format. Out of range: EInvalidGraphicOperation.
  void* ScanLine(int32_t row);
  // Bytes from one row to the next in memory (ScanLine(1) - ScanLine(0) may be negative).
  int32_t RowBytes();

  TCanvas* Canvas();
  win::HBITMAP Handle();
  // Takes ownership of a bitmap; its size and format become this bitmap's.
  void SetHandle(win::HBITMAP bitmap);
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Gives the handle to the caller, who owns it from now on; the bitmap is left empty.
  win::HBITMAP ReleaseHandle();

  // 1, 4 and 8-bit bitmaps: a palette of the colour table (owned by the bitmap).
  win::HPALETTE Palette() override;
  // Takes ownership; its entries become the colour table.
  void SetPalette(win::HPALETTE palette) override;
  // The colour table as RGBQUADs (empty above 8 bits).
  std::vector<win::RGBQUAD> ColorTable();
  void SetColorTable(const std::vector<win::RGBQUAD>& colors);

  TAlphaFormat AlphaFormat() const { return alphaFormat_; }
  // Between afDefined and afPremultiplied the pixels of a 32-bit bitmap are converted.
  void SetAlphaFormat(TAlphaFormat format);

  // tmAuto: the bottom-left pixel's colour; tmFixed: TransparentColor as set.
  TColor TransparentColor();
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);

  // Keeps the image as file bytes and frees the GDI objects until the next use.
  void Dormant();
  // Drops any kept file image; the pixels live in the handle.
  void FreeImage();

  void Draw(TCanvas* canvas, const TRect& rect) override;
  // BMP files: reads 1, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8, bottom-up and
  // top-down; a malformed file raises EInvalidGraphic "Bitmap image is not valid".
  void LoadFromStream(TStream& stream) override;
  // Writes an uncompressed BMP file in the bitmap's format.
  void SaveToStream(TStream& stream) override;
  // Form data: a 32-bit byte count, then the BMP file.
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) override;

  void Changed(TObject* sender) override;

private:
  friend class TBitmapCanvas;
  void HandleNeeded();
  void ReadBmp(TStream& stream);
  void FreeContext();
  void FreeHandleAndPalette();
  void NewImage(int32_t width, int32_t height, TPixelFormat format, const std::vector<win::RGBQUAD>* colors,
                bool keepPixels);
  void AdoptHandle(win::HBITMAP bitmap);
  win::DIBSECTION Section();

  win::HBITMAP handle_ = nullptr;
  win::HPALETTE palette_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  TPixelFormat format_ = pfDevice;  // what a new image is made in
  TAlphaFormat alphaFormat_ = afIgnored;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
  std::vector<uint8_t> dormant_;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

// A canvas over a memory DC that holds its bitmap.
class TBitmapCanvas : public TCanvas {
  DX_CLASS(TBitmapCanvas, TCanvas)
public:
  explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override;
  void FreeContext();
  // The memory DC holding the bitmap, or null before the canvas first draws.
  win::HDC OwnDC() const { return ownDC_; }

protected:
  void CreateHandle() override;

private:
  TBitmap* bitmap_;
  win::HDC ownDC_ = nullptr;
  win::HGDIOBJ oldBitmap_ = nullptr;
  win::HPALETTE oldPalette_ = nullptr;
};

class TIcon : public TGraphic {
  DX_CLASS_WITH_FACTORY(TIcon, TGraphic, [](TObject*) -> TObject* { return new TIcon; })
public:
  TIcon();
  ~TIcon() override;
  void Assign(TPersistent* source) override;

  bool Empty() const override { return handle_ == nullptr; }
  int32_t Width() const override;
  int32_t Height() const override;
  // Icons keep their size: EInvalidGraphicOperation "Cannot change the size of an icon".
  void SetWidth(int32_t width) override;
  void SetHeight(int32_t height) override;

  win::HICON Handle() const { return handle_; }
  // Takes ownership.
  void SetHandle(win::HICON icon);
  win::HICON ReleaseHandle();

  void Draw(TCanvas* canvas, const TRect& rect) override;
  // .ico files: the first image whose depth is 32, 24, 8, 4 or 1 bits (PNG-compressed
  // entries are passed over). Malformed: EInvalidGraphic "Icon image is not valid".
  void LoadFromStream(TStream& stream) override;
  // The file read, or a one-image 32-bit .ico made from the handle.
  void SaveToStream(TStream& stream) override;

private:
  win::HICON handle_ = nullptr;
  std::vector<uint8_t> fileImage_;
};

// Metafiles do not exist on this platform: a metafile is always empty, draws
// nothing and cannot be read or written.
class TMetafile : public TGraphic {
  DX_CLASS_WITH_FACTORY(TMetafile, TGraphic, [](TObject*) -> TObject* { return new TMetafile; })
public:
  void Assign(TPersistent* source) override;
  bool Empty() const override { return true; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void SetWidth(int32_t width) override { width_ = width; }
  void SetHeight(int32_t height) override { height_ = height; }
  bool Enhanced() const { return enhanced_; }
  void SetEnhanced(bool value) { enhanced_ = value; }
  void Draw(TCanvas*, const TRect&) override {}
  // EInvalidGraphic "Metafiles are not supported".
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  bool enhanced_ = true;
};

// Holds one graphic of any registered class and chooses the class by file extension.
class TPicture : public TPersistent {
  DX_CLASS_WITH_FACTORY(TPicture, TPersistent, [](TObject*) -> TObject* { return new TPicture; })
public:
  TPicture();
  ~TPicture() override;
  void Assign(TPersistent* source) override;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Keeps a copy of the graphic (null empties the picture).
  void SetGraphic(TGraphic* graphic);
  // The held bitmap, icon or metafile; a graphic of another class is replaced by an empty one.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* bitmap) { SetGraphic(bitmap); }
  TIcon* Icon();
  void SetIcon(TIcon* icon) { SetGraphic(icon); }
  TMetafile* Metafile();
  int32_t Width() const { return graphic_ ? graphic_->Width() : 0; }
  int32_t Height() const { return graphic_ ? graphic_->Height() : 0; }

  // By the file's extension; an unknown one raises EInvalidGraphic
  // "Unknown picture file extension (.ext)". An empty name empties the picture.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);
  // By the data's signature among the built-in formats (BMP, ICO).
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);

  // The registry of graphic classes by extension (without the dot, any case).
  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 TGraphicClass graphicClass);
  static void UnregisterGraphicClass(TGraphicClass graphicClass);
  static TGraphicClass GraphicClassForExtension(std::string_view extension);  // null when unknown
  // "Bitmaps (*.bmp)|*.bmp|..." with an "All" entry first, for open dialogs.
  static std::string GraphicFilter(TGraphicClass graphicClass);
  static std::string GraphicExtension(TGraphicClass graphicClass);  // the first extension, without dot
  static std::string GraphicFileMask(TGraphicClass graphicClass);   // "*.bmp;*.ico"

  TNotifyEvent OnChange;

protected:
  void Changed(TObject* sender);
  void DefineProperties(TFiler* filer) override;

private:
  void ForceType(TGraphicClass cls);
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);
  std::unique_ptr<TGraphic> graphic_;
};

// Published properties of the graphics objects (Font.Name, Pen.Color, ...) and
// the TColor type with its names, for form descriptions. Call once at start-up.
void RegisterGraphicsProperties();
