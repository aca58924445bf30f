// Two light image containers beside TIEBitmap.
//
// TIEDibbitmap keeps its pixels in a DIB section selected into a memory DC of
// its own, so GDI can draw into it (DC()) and blit from it directly. It offers
// 1 and 24 bits per pixel through the TIEBaseBitmap interface (ie1g, ie24RGB);
// AllocateBits also takes the other DIB depths for code that only draws.
//
// TIEWorkBitmap is bare scratch memory for the resampling and filter kernels:
// no palette, format or alpha, just rows of a given bit depth.
//
// Both store rows bottom-up, 32-bit aligned, and number them from the top:
//
//   Bits() -> row h-1
//             ...
//             row 0   <- Bits() + row length * (h-1)
#pragma once

#include <cstdint>

#include "imaging/core/iebitmap.h"
#include "platform/gdi/gdi.h"

class TIEDibbitmap : public TIEBaseBitmap {
  DX_CLASS(TIEDibbitmap, TIEBaseBitmap)
public:
  TIEDibbitmap();
  ~TIEDibbitmap() override;
  TIEDibbitmap(const TIEDibbitmap&) = delete;
  TIEDibbitmap& operator=(const TIEDibbitmap&) = delete;

  // Row y, or null for a row outside the image or without pixels.
  void* GetScanline(int32_t row) override;
  int32_t GetBitCount() override { return bitCount_; }
  int32_t GetHeight() override { return height_; }
  int32_t GetWidth() override { return width_; }
  // ie1g for 1 bit, ie24RGB for 24 bits, otherwise ieNoFormat.
  TIEPixelFormat GetPixelFormat() override;
  int32_t GetRowLen() override { return rowLen_; }
  // No palette: null, black for every index, 0 entries, and nothing is set or copied.
  TRGB* GetPalette() override { return nullptr; }
  TRGB GetPaletteColor(int32_t) override { return TRGB{}; }
  void SetPaletteColor(int32_t, const TRGB&) override {}
  int32_t GetPaletteLen() override { return 0; }
  void CopyPaletteTo(TObject*) override {}
  // ie1g -> 1 bit, ie24RGB -> 24 bits; any other format is refused (False,
  // pixels kept).
  bool Allocate(int32_t width, int32_t height, TIEPixelFormat format) override;
  // Only from another TIEDibbitmap: same size and depth, same bits (an empty
  // source empties this one). Other sources are ignored.
  void Assign(TObject* source) override;

  // A new DIB section of the size and depth (1, 4, 8, 16, 24 or 32 bits),
  // zero-filled, selected into a new memory DC. A zero, negative or too large
  // size or another depth is refused with everything kept. When the DC or the
  // DIB cannot be made the bitmap is left empty. The colour table of 8 bits
  // and fewer starts black, white; further entries are black.
  bool AllocateBits(int32_t width, int32_t height, int32_t bitCount);
  // Deletes the DC and the DIB section; size and depth 0.
  void FreeBits();

  // The memory DC with the DIB section selected (null when empty): draw here.
  win::HDC DC() const { return dc_; }
  win::HBITMAP DibSection() const { return dib_; }
  // The block of rows, owned by the DIB section; rows are bottom-up.
  void* Bits() const { return bits_; }
  // Header and colour table as the DIB section was made from them.
  const win::BITMAPINFO* BitmapInfo() const { return reinterpret_cast<const win::BITMAPINFO*>(&info_); }

private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t bitCount_ = 0;
  int32_t rowLen_ = 0;
  win::HDC dc_ = nullptr;
  win::HBITMAP dib_ = nullptr;
  void* bits_ = nullptr;
  // Room for a full colour table: the platform reads 2^bits entries for a DIB
  // of 8 bits or fewer whose header names no count.
  win::BITMAPINFO256 info_{};
};

class TIEWorkBitmap : public TObject {
  DX_CLASS(TIEWorkBitmap, TObject)
public:
  // Allocated only when width and height are both positive.
  explicit TIEWorkBitmap(int32_t width = 0, int32_t height = 0, int32_t bitsPerPixel = 0);
  ~TIEWorkBitmap() override;
  TIEWorkBitmap(const TIEWorkBitmap&) = delete;
  TIEWorkBitmap& operator=(const TIEWorkBitmap&) = delete;

  // Rows of IEBitmapRowLen(width, bits, 32) bytes, contents not cleared. The
  // same size and depth as now keeps the block as it is. A zero width or
  // height leaves the bitmap empty (True). Negative values, a depth below 1
  // with a size, or a row length beyond 31 bits or a block beyond 63 bits is
  // refused with everything kept (False). When the memory cannot be had the
  // bitmap is left empty (False).
  bool Allocate(int32_t width, int32_t height, int32_t bitsPerPixel);
  // Row y, or null for a row outside the image or without memory.
  void* GetScanline(int32_t row);
  // Releases the memory; every field 0.
  void FreeBits();

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t BitsPerPixel() const { return bitsPerPixel_; }
  int32_t RowLen() const { return rowLen_; }
  void* Bits() const { return bits_; }

private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t bitsPerPixel_ = 0;
  int32_t rowLen_ = 0;
  void* bits_ = nullptr;
};
