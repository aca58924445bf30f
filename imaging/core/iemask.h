// The selection and transparency mask TIEMask: a 1-bit (selected or not) or
// 8-bit (degree of selection 0..255) bitmap the size of an image, with the
// bounding box of its set pixels and a flag telling that every pixel is set.
//
// Storage follows the library's buffers: rows bottom-up, padded to 32 bits;
// pixel x of a 1-bit row is bit 0x80 >> (x % 8) of byte x / 8. Coordinates are
// columns from the left and rows from the top (GetScanline's numbering).
//
// The bounding box (X1, Y1)-(X2, Y2) is inclusive; the empty box is
// X1 = Y1 = 2147483647, X2 = Y2 = 0, and only X1 tells emptiness.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "platform/gdi/gdi.h"
#include "platform/rtl/object.h"
#include "platform/rtl/types.h"

class TBitmap;
class TCanvas;

// Separates polygons in the point list of TIEMask::AddPolygons.
constexpr int32_t IEPolygonSeparator = 0xFFFFF;

class TIEMask : public TObject {
public:
  static constexpr int32_t EmptyBox = 2147483647;
  // Largest pixel block a mask allocates; beyond it AllocateBits and Resize refuse.
  static constexpr int64_t MaxBytes = 2147483647;

  TIEMask();
  ~TIEMask() override;
  TIEMask(const TIEMask&) = delete;
  TIEMask& operator=(const TIEMask&) = delete;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t BitsPerPixel() const { return bitsPerPixel_; }
  int32_t RowLen() const { return rowLen_; }
  uint8_t* Bits() { return bits_.get(); }

  int32_t X1() const { return x1_; }
  int32_t Y1() const { return y1_; }
  int32_t X2() const { return x2_; }
  int32_t Y2() const { return y2_; }
  void SetX1(int32_t v) { x1_ = v; }
  void SetY1(int32_t v) { y1_ = v; }
  void SetX2(int32_t v) { x2_ = v; }
  void SetY2(int32_t v) { y2_ = v; }
  bool Full() const { return full_; }
  void SetFull(bool v) { full_ = v; }

  // Zeroed bits of that size and depth (1 or 8), empty box, Full false.
  // Negative sizes, other depths and blocks above MaxBytes raise EOutOfMemory
  // and leave the mask unallocated.
  void AllocateBits(int32_t width, int32_t height, int32_t bitsPerPixel);
  // Frees bits and drawing cache; the box and Full stay.
  void FreeBits();
  // Keeps the top-left content that still fits (rows as GetScanline numbers
  // them, so that the clamped box still covers it); new areas are clear.
  void Resize(int32_t newWidth, int32_t newHeight);
  // Row y; null outside the mask.
  uint8_t* GetScanline(int32_t y);

  void SetPixel(int32_t x, int32_t y, uint32_t value);
  // 1-bit: the pixel's bit mask when set (0x80 >> x % 8), not 1.
  uint32_t GetPixel(int32_t x, int32_t y) const;
  bool IsPointInside(int32_t x, int32_t y) const { return GetPixel(x, y) != 0; }
  // Writes pixels x1..x2 of row y (columns clamped into the mask, a row
  // outside it ignored); returns how many pixels were written. Box untouched.
  int32_t FillRowSpan(uint32_t value, int32_t x1, int32_t x2, int32_t y);
  // Every byte of Bits becomes the value. Box untouched.
  void Fill(uint8_t value);
  void Clear();
  bool IsEmpty() const { return x1_ == EmptyBox; }

  void RecalcBoundingBox();
  void CheckFull();

  // Runs separated by a point whose x is IEPolygonSeparator go to AddPolygon.
  void AddPolygons(uint32_t value, const TPoint* points, int32_t count);
  // Even-odd scan-line fill: a pixel (x, y) is written when its top-left
  // corner lies inside; the right edge's own pixel and the bottom row stay out.
  void AddPolygon(uint32_t value, const TPoint* points, int32_t count);

  // Moves the content by (dx, dy). With cut, what leaves the mask is lost;
  // without, the offsets shrink so that the box stays inside.
  void Translate(int32_t& dx, int32_t& dy, bool cut);

  // Selected pixels invert the canvas (1-bit masks only).
  void DrawInverted(TCanvas* canvas, int32_t xDst, int32_t yDst, int32_t dw, int32_t dh, int32_t sx, int32_t sy,
                    int32_t sw, int32_t sh);
  // The selection's boundary in two colours alternating in runs of four along
  // the diagonals; advancing phase makes them crawl. rect, when given,
  // receives the inner extent of the scanned range.
  void DrawOutline(TCanvas* canvas, int32_t xDst, int32_t yDst, int32_t dw, int32_t dh, int32_t sx, int32_t sy,
                   int32_t sw, int32_t sh, int32_t phase, TColor colorA, TColor colorB, TRect* rect);
  // Tints the pixels of a 24-bit bitmap that show unselected mask pixels;
  // opacity -1 paints a gray (97) one-pixel checkerboard instead.
  void DrawOnBitmap(TBitmap* bitmap, int32_t xDst, int32_t yDst, int32_t dw, int32_t dh, int32_t sx, int32_t sy,
                    int32_t sw, int32_t sh, int32_t opacity, TColor color);

  // Copies the selected pixels of the box from source to destination; either
  // may be the size of the box instead of the mask's.
  void CopyBitmapArea(TIEBitmap& dst, TIEBitmap& src, bool dstIsBoxSized, bool srcIsBoxSized, bool withAlpha);

  // The drawing cache of the last drawing (rows top-down), for inspection.
  int32_t CacheWidth() const { return cacheWidth_; }
  int32_t CacheHeight() const { return cacheHeight_; }
  const uint8_t* CacheRow(int32_t r) const { return cacheRows_[size_t(r)]; }

private:
  void EmptyTheBox();
  void ClampBox();
  void NoteWritten(uint32_t value);
  void RefreshCache(int32_t dw, int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh);
  bool CachePixel(int32_t c, int32_t r) const;
  void FreeCache();

  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t bitsPerPixel_ = 0;
  int32_t rowLen_ = 0;
  std::unique_ptr<uint8_t[]> bits_;
  int32_t x1_ = EmptyBox;
  int32_t y1_ = EmptyBox;
  int32_t x2_ = 0;
  int32_t y2_ = 0;
  bool full_ = false;
  struct {
    win::BITMAPINFOHEADER header;
    win::RGBQUAD colors[2];
  } outlineInfo_;
  std::unique_ptr<uint8_t[]> cache_;
  int32_t cacheWidth_ = 0;
  int32_t cacheHeight_ = 0;
  int64_t cacheRowLen_ = 0;
  std::vector<uint8_t*> cacheRows_;
};
