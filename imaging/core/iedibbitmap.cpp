// DIB-section and scratch bitmaps, and the image buffer's copy from a DIB bitmap.
#include "imaging/core/iedibbitmap.h"

#include <algorithm>
#include <cstring>

#include "imaging/core/iebits.h"
#include "imaging/core/iememblock.h"

namespace {

// A DIB's image size lives in a 32-bit header field, and the platform refuses
// sections beyond 2 GiB; asking for more would only free the old pixels.
constexpr int64_t kMaxDibBytes = int64_t(1) << 31;

bool IsDibBitCount(int32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

// ---- TIEDibbitmap ---------------------------------------------------------------------------

TIEDibbitmap::TIEDibbitmap() {
  info_.bmiHeader.biSize = 40;
  info_.bmiHeader.biPlanes = 1;
  info_.bmiHeader.biCompression = win::BI_RGB;
  info_.bmiColors[0] = win::RGBQUAD{0, 0, 0, 0};
  info_.bmiColors[1] = win::RGBQUAD{255, 255, 255, 0};
}

TIEDibbitmap::~TIEDibbitmap() { FreeBits(); }

void* TIEDibbitmap::GetScanline(int32_t row) {
  if (!bits_ || row < 0 || row >= height_) return nullptr;
  return static_cast<uint8_t*>(bits_) + int64_t(rowLen_) * (height_ - row - 1);
}

TIEPixelFormat TIEDibbitmap::GetPixelFormat() {
  if (bitCount_ == 1) return ie1g;
  if (bitCount_ == 24) return ie24RGB;
  return ieNoFormat;
}

bool TIEDibbitmap::Allocate(int32_t width, int32_t height, TIEPixelFormat format) {
  if (format == ie1g) return AllocateBits(width, height, 1);
  if (format == ie24RGB) return AllocateBits(width, height, 24);
  return false;
}

void TIEDibbitmap::Assign(TObject* source) {
  if (!source || source == this || !source->Is<TIEDibbitmap>()) return;
  auto& src = static_cast<TIEDibbitmap&>(*source);
  if (!src.bits_) {
    FreeBits();
    return;
  }
  if (AllocateBits(src.width_, src.height_, src.bitCount_))
    std::memcpy(bits_, src.bits_, size_t(rowLen_) * size_t(height_));
}

bool TIEDibbitmap::AllocateBits(int32_t width, int32_t height, int32_t bitCount) {
  if (width <= 0 || height <= 0 || !IsDibBitCount(bitCount)) return false;
  const int64_t rowLen = IEBitmapRowLen(width, bitCount, 32);
  if (rowLen <= 0 || rowLen > kMaxDibBytes / height) return false;

  FreeBits();
  width_ = width;
  height_ = height;
  bitCount_ = bitCount;
  rowLen_ = int32_t(rowLen);
  dc_ = win::CreateCompatibleDC(nullptr);
  if (!dc_) {
    FreeBits();
    return false;
  }
  win::BITMAPINFOHEADER& h = info_.bmiHeader;
  h.biBitCount = uint16_t(bitCount);
  h.biWidth = width;
  h.biHeight = height;  // positive: bottom-up
  h.biSizeImage = uint32_t(rowLen * height);
  void* bits = nullptr;
  dib_ = win::CreateDIBSection(dc_, info_.get(), win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib_ || !bits) {
    // A size with no pixels behind it would hand out rows that do not exist.
    FreeBits();
    return false;
  }
  bits_ = bits;
  win::SelectObject(dc_, dib_);
  return true;
}

void TIEDibbitmap::FreeBits() {
  // The DC goes first: a bitmap still selected into a DC cannot be deleted.
  if (dc_) win::DeleteDC(dc_);
  if (dib_) win::DeleteObject(dib_);
  dc_ = nullptr;
  dib_ = nullptr;
  bits_ = nullptr;
  width_ = 0;
  height_ = 0;
  bitCount_ = 0;
  rowLen_ = 0;
}

// ---- TIEWorkBitmap --------------------------------------------------------------------------

TIEWorkBitmap::TIEWorkBitmap(int32_t width, int32_t height, int32_t bitsPerPixel) {
  if (width > 0 && height > 0) Allocate(width, height, bitsPerPixel);
}

TIEWorkBitmap::~TIEWorkBitmap() { FreeBits(); }

bool TIEWorkBitmap::Allocate(int32_t width, int32_t height, int32_t bitsPerPixel) {
  if (width == width_ && height == height_ && bitsPerPixel == bitsPerPixel_ && (bits_ || width == 0 || height == 0))
    return true;
  if (width < 0 || height < 0 || bitsPerPixel < 0) return false;
  if (width == 0 || height == 0) {
    FreeBits();
    return true;
  }
  const int64_t rowLen = IEBitmapRowLen(width, bitsPerPixel, 32);
  int64_t size;
  if (rowLen <= 0 || rowLen > INT32_MAX || __builtin_mul_overflow(rowLen, int64_t(height), &size)) return false;

  FreeBits();
  bits_ = IELargeAlloc(size);
  if (!bits_) return false;  // FreeBits left every field 0
  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  rowLen_ = int32_t(rowLen);
  return true;
}

void* TIEWorkBitmap::GetScanline(int32_t row) {
  if (!bits_ || row < 0 || row >= height_) return nullptr;
  return static_cast<uint8_t*>(bits_) + int64_t(rowLen_) * (height_ - row - 1);
}

void TIEWorkBitmap::FreeBits() {
  if (bits_) IELargeFree(bits_);
  bits_ = nullptr;
  width_ = 0;
  height_ = 0;
  bitsPerPixel_ = 0;
  rowLen_ = 0;
}

// ---- TIEBitmap::CopyFromTDibBitmap ----------------------------------------------------------

void TIEBitmap::CopyFromTDibBitmap(TIEDibbitmap* dib) {
  if (!dib) return;
  // A platform bitmap holds 1-bit and 24-bit DIB rows as they are; in memory
  // and in a file 8-bit rows are kept as gray. Other depths have no layout
  // here whose rows could take theirs.
  TIEPixelFormat format = ieNoFormat;
  switch (dib->GetBitCount()) {
    case 1:
      format = ie1g;
      break;
    case 8:
      if (location_ != ieTBitmap) format = ie8g;
      break;
    case 24:
      format = ie24RGB;
      break;
    default:
      break;
  }
  if (format == ieNoFormat || !Allocate(dib->GetWidth(), dib->GetHeight(), format)) return;
  // Every row is overwritten: a file-backed buffer need not read them first.
  TIEAccessScope access(*this, iedWrite);
  const int32_t n = std::min(GetRowLen(), dib->GetRowLen());
  for (int32_t y = 0; y < GetHeight(); ++y) {
    void* dst = GetScanline(y);
    const void* src = dib->GetScanline(y);
    if (dst && src) std::memcpy(dst, src, size_t(n));
  }
}
