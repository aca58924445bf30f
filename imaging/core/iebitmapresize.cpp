// Changing an allocated image buffer's width, height, row alignment or
// location while keeping its pixels, and handing its storage to another buffer.
#include <algorithm>

#include "imaging/core/iebitmap.h"

void TIEBitmap::MoveContentTo(TIEBitmap& destination) {
  if (&destination == this) return;
  if (location_ == ieTBitmap) SyncFromVclBitmap();
  destination.FreeImage(true);

  destination.fileBuffer_ = std::move(fileBuffer_);
  fileBuffer_ = std::make_unique<TIEFileBuffer>();
  destination.currentView_ = currentView_;
  currentView_ = nullptr;
  destination.lockedViews_ = std::move(lockedViews_);
  destination.lockedRows_ = std::move(lockedRows_);
  lockedViews_.clear();
  lockedRows_.clear();

  destination.palette_ = std::move(palette_);
  destination.paletteCount_ = paletteCount_;
  paletteCount_ = 0;
  destination.alpha_ = std::move(alpha_);
  destination.isAlpha_ = isAlpha_;
  destination.pixels_.Swap(pixels_);
  destination.ownedVclBitmap_ = std::move(ownedVclBitmap_);
  destination.vclBitmap_ = vclBitmap_;
  destination.vclNotOwned_ = vclNotOwned_;
  vclBitmap_ = nullptr;
  vclNotOwned_ = false;
  destination.rowPointers_ = std::move(rowPointers_);
  rowPointers_.clear();
  destination.rowBlocks_ = std::move(rowBlocks_);
  rowBlocks_.clear();
  destination.rowsPerBlock_ = rowsPerBlock_;
  rowsPerBlock_ = 0;

  destination.width_ = width_;
  destination.height_ = height_;
  destination.bitCount_ = bitCount_;
  destination.channelCount_ = channelCount_;
  destination.rowLen_ = rowLen_;
  destination.pixelFormat_ = pixelFormat_;
  destination.location_ = location_;
  destination.fullyOpaque_ = fullyOpaque_;
  destination.bilevelMethod_ = bilevelMethod_;
  destination.rowAlignment_ = rowAlignment_;
  destination.allocatorKind_ = allocatorKind_;
  destination.needsAllocation_ = needsAllocation_;

  width_ = height_ = bitCount_ = channelCount_ = rowLen_ = 0;
  pixelFormat_ = ieNoFormat;
  fullyOpaque_ = false;
  needsAllocation_ = true;
}

void TIEBitmap::SetRowAlignment(int32_t bits) {
  // Other alignments would give rows shorter than their pixels.
  if (bits == rowAlignment_ || bits <= 0 || bits % 8 != 0) return;
  needsAllocation_ = true;
  if (location_ == ieTBitmap) SyncFromVclBitmap();
  if (width_ <= 0 || height_ <= 0 || pixelFormat_ == ieNoFormat) {
    // Nothing to re-lay: the next allocation uses the new alignment wherever it lands.
    rowAlignment_ = bits;
    return;
  }
  if (location_ != ieMemory) return;
  TIEBitmap old;
  MoveContentTo(old);
  rowAlignment_ = bits;
  if (Allocate(old.width_, old.height_, old.pixelFormat_)) {
    CopyRowsFrom(old);
    CopyPaletteFrom(old);
    // Same pixels, new padding: an opaque alpha channel stays known as opaque.
    fullyOpaque_ = old.fullyOpaque_;
  }
  alpha_ = std::move(old.alpha_);
  needsAllocation_ = true;
}

void TIEBitmap::ResizeStorage(int32_t width, int32_t height) {
  TIEBitmap old;
  MoveContentTo(old);
  if (Allocate(width, height, old.pixelFormat_)) {
    CopyRowsFrom(old);
    CopyPaletteFrom(old);
  }
  alpha_ = std::move(old.alpha_);
  fullyOpaque_ = false;
  needsAllocation_ = true;
}

void TIEBitmap::SetWidth(int32_t width) {
  if (width == GetWidth()) return;
  if (alpha_) alpha_->SetWidth(width);
  if (location_ == ieTBitmap) {
    ResizeVclBitmap(width, height_);
  } else if (pixelFormat_ != ieNoFormat && height_ > 0) {
    ResizeStorage(width, height_);
  } else {
    width_ = width;
  }
}

void TIEBitmap::SetHeight(int32_t height) {
  if (height == GetHeight()) return;
  if (alpha_) alpha_->SetHeight(height);
  if (location_ == ieTBitmap) {
    ResizeVclBitmap(width_, height);
  } else if (pixelFormat_ != ieNoFormat && width_ > 0) {
    ResizeStorage(width_, height);
  } else {
    height_ = height;
  }
}

void TIEBitmap::SetLocation(TIELocation location) {
  if (location == location_) return;
  needsAllocation_ = true;
  TIEBitmap old;
  MoveContentTo(old);
  location_ = location;
  Allocate(old.width_, old.height_, old.pixelFormat_);
  if (location_ == old.location_) {
    // The threshold sent the pixels back where they were: keep them as they are.
    old.MoveContentTo(*this);
  } else {
    CopyRowsFrom(old);
    if (old.paletteCount_ > 0) CopyPaletteFrom(old);
    SyncPaletteToVclBitmap();
    isAlpha_ = old.isAlpha_;
    alpha_ = std::move(old.alpha_);
  }
  needsAllocation_ = true;
}
