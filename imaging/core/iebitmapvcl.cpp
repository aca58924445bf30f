// The ieTBitmap location: pixels kept in a platform TBitmap (the view's legacy
// mode), which other code may change behind the buffer's back, so every query
// first picks up its current size, format and row addresses.
#include <algorithm>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iefilestorage.h"
#include "imaging/core/iememblock.h"
#include "platform/vcl/graphics.h"

void TIEBitmap::TVclBitmapDeleter::operator()(TBitmap* bitmap) const { delete bitmap; }

bool TIEBitmap::AllocateVclStorage(int64_t size, bool checkMemory) {
  if (checkMemory && uint64_t(size) > IEGetPhysicalMemory(false)) return false;
  try {
    if (!vclBitmap_) {
      ownedVclBitmap_.reset(new TBitmap);
      vclBitmap_ = ownedVclBitmap_.get();
      vclNotOwned_ = false;
    }
    TBitmap& bmp = *vclBitmap_;
    bmp.SetSize(1, 1);
    bmp.SetPixelFormat(pfDevice);
    switch (pixelFormat_) {
      case ie1g:
        bmp.SetPixelFormat(pf1bit);
        break;
      case ie8p:
      case ie8g:
        bmp.SetPixelFormat(pf8bit);
        break;
      case ie16g:
        // The platform has no 16-bit gray bitmap: the buffer becomes 8-bit gray.
        bmp.SetPixelFormat(pf8bit);
        pixelFormat_ = ie8g;
        break;
      case ie24RGB:
        bmp.SetPixelFormat(pf24bit);
        break;
      case ie32RGB:
        bmp.SetPixelFormat(pf32bit);
        break;
      case ie32f:
        throw Exception("ie32f pixel format not allowed when Location=ieTBitmap Please set TVovidErView.LegacyBitmap=false.");
      case ieCMYK:
        throw Exception("ieCMYK pixel format not allowed when Location=ieTBitmap. Please set TVovidErView.LegacyBitmap=false.");
      case ieRGB48:
        throw Exception("ieRGB48 pixel format not allowed when Location=ieTBitmap Please set TVovidErView.LegacyBitmap=false.");
      case ieCIELab:
        throw Exception("ieCIELab pixel format not allowed when Location=ieTBitmap Please set TVovidErView.LegacyBitmap=false.");
      default:
        return false;
    }
    bmp.SetSize(width_, height_);
    ComputeRowLayout();
    if (pixelFormat_ == ie8g) IEGrayColorTable(&bmp);
    if (pixelFormat_ == ie8p) SyncPaletteToVclBitmap();
    BuildRowPointerTable();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TIEBitmap::FreeRowPointerTable() {
  rowPointers_.clear();
  rowPointers_.shrink_to_fit();
}

void TIEBitmap::BuildRowPointerTable() {
  FreeRowPointerTable();
  if (!vclBitmap_) return;
  TBitmap& bmp = *vclBitmap_;
  const int32_t h = bmp.Height();
  if (h <= 0 || bmp.Width() <= 0) return;
  rowPointers_.resize(size_t(h));
  for (int32_t y = 0; y < h; ++y) rowPointers_[size_t(y)] = static_cast<uint8_t*>(bmp.ScanLine(y));
  // The platform's rows are what the buffer hands out, so its stride is the row length.
  const int32_t stride = bmp.RowBytes();
  rowLen_ = stride < 0 ? -stride : stride;
}

void TIEBitmap::SyncFromVclBitmap() {
  if (!vclBitmap_) return;
  TBitmap& bmp = *vclBitmap_;
  TIEPixelFormat format;
  switch (bmp.PixelFormat()) {
    case pf1bit:
      format = ie1g;
      break;
    case pf8bit:
      format = isAlpha_ || IEIsGrayColorTable(&bmp) ? ie8g : ie8p;
      break;
    case pf24bit:
      format = ie24RGB;
      break;
    case pf32bit:
      format = ie32RGB;
      break;
    default:
      // Rows of 4, 15 or 16 bits read as 24-bit rows would run past their end: make them 24-bit.
      if (bmp.Width() > 0 && bmp.Height() > 0) bmp.SetPixelFormat(pf24bit);
      format = ie24RGB;
      break;
  }
  if (bmp.Width() != width_ || bmp.Height() != height_ || format != pixelFormat_) {
    width_ = bmp.Width();
    height_ = bmp.Height();
    pixelFormat_ = format;
    ComputeRowLayout();
    if (alpha_) alpha_->Allocate(width_, height_, ie8g);
    BuildRowPointerTable();
  } else if (height_ > 0 && width_ > 0 && (rowPointers_.empty() || rowPointers_[0] != bmp.ScanLine(0))) {
    BuildRowPointerTable();
  }
  if (format == ie8p) {
    if (!palette_ || paletteCount_ < 256) {
      palette_ = std::make_unique<TRGB[]>(256);
      paletteCount_ = 256;
    }
    const std::vector<win::RGBQUAD> table = bmp.ColorTable();
    for (size_t i = 0; i < std::min<size_t>(table.size(), 256); ++i)
      palette_[i] = TRGB{table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed};
  }
}

void TIEBitmap::SyncPaletteToVclBitmap() {
  if (location_ != ieTBitmap || !vclBitmap_ || !palette_ || paletteCount_ <= 0) return;
  TBitmap& bmp = *vclBitmap_;
  const TPixelFormat pf = bmp.PixelFormat();
  if (pf != pf1bit && pf != pf4bit && pf != pf8bit) return;
  std::vector<win::RGBQUAD> table(size_t(std::min(paletteCount_, 256)));
  for (size_t i = 0; i < table.size(); ++i) {
    const TRGB& c = palette_[i];
    table[i] = win::RGBQUAD{c.b, c.g, c.r, 0};
  }
  bmp.SetColorTable(table);
}

void TIEBitmap::ResizeVclBitmap(int32_t width, int32_t height) {
  if (!vclBitmap_) {
    ownedVclBitmap_.reset(new TBitmap);
    vclBitmap_ = ownedVclBitmap_.get();
    vclNotOwned_ = false;
  }
  // The platform bitmap keeps the pixels that still fit, 1-bit ones included.
  vclBitmap_->SetSize(std::max(width, 0), std::max(height, 0));
  width_ = vclBitmap_->Width();
  height_ = vclBitmap_->Height();
  ComputeRowLayout();
  BuildRowPointerTable();
}

void TIEBitmap::EncapsulateTBitmap(TBitmap* bitmap, bool freeFirst) {
  if (freeFirst) FreeImage(true);
  if (!bitmap) return;
  const TPixelFormat pf = bitmap->PixelFormat();
  const TIEPixelFormat mapped = pf == pf1bit ? ie1g : (pf == pf4bit || pf == pf8bit) ? ie8p : ie24RGB;
  if (bitmap == vclBitmap_ && bitmap->Width() == width_ && bitmap->Height() == height_ && mapped == pixelFormat_)
    return;
  if (bitmap != vclBitmap_) {
    // The pixels move into the caller's bitmap; any storage of our own goes, the alpha channel stays.
    FreeStorageNoThrow();
    vclBitmap_ = bitmap;
    vclNotOwned_ = true;
  }
  width_ = bitmap->Width();
  height_ = bitmap->Height();
  if (pf == pf1bit)
    pixelFormat_ = ie1g;
  else if (pf == pf24bit)
    pixelFormat_ = ie24RGB;
  else if (pf == pf32bit)
    pixelFormat_ = ie32RGB;
  ComputeRowLayout();
  location_ = ieTBitmap;
  BuildRowPointerTable();
}
