// The image buffer: construction, storage decision, row access, alpha channel,
// palette and copying. Resizing and relocation are in iebitmapresize.cpp, the
// platform-bitmap location in iebitmapvcl.cpp.
#include "imaging/core/iebitmap.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "imaging/core/iebits.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/iememblock.h"
#include "imaging/core/ievclbitmap.h"
#include "platform/vcl/graphics.h"


namespace {

constexpr TIEPixelFormatInfo kFormats[] = {
    {ieNoFormat, 0, 0, "ieNoFormat"}, {ie1g, 1, 1, "ie1g"},         {ie8p, 8, 1, "ie8p"},
    {ie8g, 8, 1, "ie8g"},             {ie16g, 16, 1, "ie16g"},      {ie24RGB, 24, 3, "ie24RGB"},
    {ie32f, 32, 1, "ie32f"},          {ieCMYK, 32, 4, "ieCMYK"},    {ieRGB48, 48, 3, "ieRGB48"},
    {ieCIELab, 24, 3, "ieCIELab"},    {ie32RGB, 32, 4, "ie32RGB"},
};

constexpr int64_t kAlignSpare = 128;  // room to move the pixels to a 64-byte boundary
constexpr int64_t kMinRowBlock = 10485760;

}  // namespace

const TIEPixelFormatInfo& IEPixelFormatInfo(TIEPixelFormat format) {
  return format <= ie32RGB ? kFormats[format] : kFormats[0];
}

// ---- pixel memory ---------------------------------------------------------------------------

bool TIEBitmap::TPixelMemory::Allocate(int64_t size, uint8_t kind) {
  Free();
  switch (kind) {
    case 0:
      IETryGetMem(raw_, size);
      break;
    case 1:
      raw_ = IEGlobalAllocZero(size);
      break;
    default:
      raw_ = IELargeAlloc(size);
      break;
  }
  if (!raw_) return false;
  kind_ = kind;
  aligned_ = reinterpret_cast<uint8_t*>((reinterpret_cast<uintptr_t>(raw_) + 63) & ~uintptr_t(63));
  return true;
}

void TIEBitmap::TPixelMemory::Free() {
  if (!raw_) return;
  switch (kind_) {
    case 0:
      std::free(raw_);
      raw_ = nullptr;
      break;
    case 1:
      IEGlobalFreeAndNil(raw_);
      break;
    default:
      IELargeFree(raw_);
      break;
  }
  aligned_ = nullptr;
}

void TIEBitmap::TPixelMemory::Swap(TPixelMemory& other) {
  std::swap(raw_, other.raw_);
  std::swap(aligned_, other.aligned_);
  std::swap(kind_, other.kind_);
}

void TIEBitmap::TGlobalDeleter::operator()(void* p) const { IEGlobalFreeAndNil(p); }

// ---- construction ---------------------------------------------------------------------------

TIEBitmap::TIEBitmap() : fileBuffer_(std::make_unique<TIEFileBuffer>()) {
  if (IEDefaultMemoryThreshold != -1) {
    memoryThreshold_ = IEDefaultMemoryThreshold;
  } else {
    const uint64_t total = IEGetPhysicalMemory(false);
    memoryThreshold_ = total ? int64_t(double(total) / 1.3) : 33554432;
  }
}

TIEBitmap::~TIEBitmap() { FreeImage(true); }

std::unique_ptr<TIEBitmap> TIEBitmap::CreateSized(int32_t width, int32_t height, TIEPixelFormat format) {
  auto b = std::make_unique<TIEBitmap>();
  b->Allocate(width, height, format);
  return b;
}

std::unique_ptr<TIEBitmap> TIEBitmap::CreateCopy(TObject* source) {
  auto b = std::make_unique<TIEBitmap>();
  b->Assign(source);
  return b;
}

std::unique_ptr<TIEBitmap> TIEBitmap::CreateAlphaChannel(int32_t width, int32_t height, TIELocation location) {
  auto b = std::make_unique<TIEBitmap>();
  b->isAlpha_ = true;
  b->location_ = location == ieTBitmap ? ieMemory : location;
  b->Allocate(width, height, ie8g);
  b->FillWithByte(255);
  b->fullyOpaque_ = true;
  return b;
}

// ---- queries --------------------------------------------------------------------------------

int32_t TIEBitmap::GetWidth() {
  if (location_ == ieTBitmap) SyncFromVclBitmap();
  return width_;
}

int32_t TIEBitmap::GetHeight() {
  if (location_ == ieTBitmap) SyncFromVclBitmap();
  return height_;
}

int32_t TIEBitmap::GetBitCount() {
  if (location_ == ieTBitmap) SyncFromVclBitmap();
  return bitCount_;
}

TIEPixelFormat TIEBitmap::GetPixelFormat() {
  if (location_ == ieTBitmap) SyncFromVclBitmap();
  return pixelFormat_;
}

int32_t TIEBitmap::GetRowLen() {
  if (location_ == ieTBitmap) SyncFromVclBitmap();
  return rowLen_;
}

int32_t TIEBitmap::GetChannelCount() {
  if (location_ == ieTBitmap) SyncFromVclBitmap();
  return channelCount_;
}

bool TIEBitmap::IsEmpty() {
  if (location_ == ieTBitmap) SyncFromVclBitmap();
  return width_ == 0 || height_ == 0 || rowLen_ == 0 || bitCount_ == 0;
}

// ---- rows -----------------------------------------------------------------------------------

void* TIEBitmap::GetScanline(int32_t row) {
  if (location_ == ieTBitmap) {
    // Asked of the platform bitmap itself: a table entry would dangle once other code resized it.
    if (!vclBitmap_ || row < 0 || row >= vclBitmap_->Height() || vclBitmap_->Width() <= 0) return nullptr;
    return vclBitmap_->ScanLine(row);
  }
  if (row < 0 || row >= height_) return nullptr;
  switch (location_) {
    case ieMemory:
      if (!rowBlocks_.empty())
        return static_cast<uint8_t*>(rowBlocks_[size_t(row / rowsPerBlock_)].get()) +
               int64_t(row % rowsPerBlock_) * rowLen_;
      if (!pixels_.Aligned()) return nullptr;
      return pixels_.Aligned() + int64_t(rowLen_) * (height_ - 1 - row);
    case ieFile:
      if (!fileBuffer_->IsAllocated()) return nullptr;
      ReleaseCurrentView();
      currentView_ = fileBuffer_->GetView(access_, rowLen_, int64_t(row) * rowLen_);
      return currentView_;
    case ieTBitmap:
      break;
  }
  return nullptr;
}

void TIEBitmap::ReleaseCurrentView() {
  if (!currentView_) return;
  void* view = currentView_;
  currentView_ = nullptr;
  fileBuffer_->ReleaseView(view);
}

void* TIEBitmap::LockScanline(int32_t row) {
  if (location_ != ieFile) return GetScanline(row);
  if (row < 0 || row >= height_ || !fileBuffer_->IsAllocated()) return nullptr;
  ReleaseCurrentView();
  void* view = fileBuffer_->GetView(access_, rowLen_, int64_t(row) * rowLen_);
  lockedViews_.push_back(view);
  lockedRows_.push_back(row);
  return view;
}

void TIEBitmap::UnlockScanline(int32_t row) {
  if (location_ != ieFile) return;
  const auto it = std::find(lockedRows_.begin(), lockedRows_.end(), row);
  if (it == lockedRows_.end()) return;
  const auto index = it - lockedRows_.begin();
  void* view = lockedViews_[size_t(index)];
  lockedViews_.erase(lockedViews_.begin() + index);
  lockedRows_.erase(it);
  fileBuffer_->ReleaseView(view);
}

void TIEBitmap::ReleaseRowViews() {
  // Every view goes even when one write-back fails; the first failure is reported.
  std::exception_ptr failure;
  const auto release = [&](void* view) {
    try {
      fileBuffer_->ReleaseView(view);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  };
  void* current = currentView_;
  currentView_ = nullptr;
  if (current) release(current);
  std::vector<void*> locked;
  locked.swap(lockedViews_);
  lockedRows_.clear();
  for (auto it = locked.rbegin(); it != locked.rend(); ++it) release(*it);
  if (failure) std::rethrow_exception(failure);
}

// ---- storage --------------------------------------------------------------------------------

bool TIEBitmap::Allocate(int32_t width, int32_t height, TIEPixelFormat format) {
  if (!needsAllocation_ && width == GetWidth() && height == GetHeight() && format == GetPixelFormat()) return true;
  if (vclNotOwned_)
    alpha_.reset();
  else
    FreeImage(true);
  width_ = width;
  height_ = height;
  pixelFormat_ = format;
  const bool ok = AllocateStorage();
  if (!ok) {
    FreeStorageNoThrow();
    width_ = 0;
    height_ = 0;
  }
  needsAllocation_ = false;
  return ok;
}

void TIEBitmap::ComputeRowLayout() {
  const TIEPixelFormatInfo& info = IEPixelFormatInfo(pixelFormat_);
  bitCount_ = info.BitsPerPixel;
  channelCount_ = info.Channels;
  const int64_t rowLen = IEBitmapRowLen(width_, bitCount_, rowAlignment_);
  rowLen_ = rowLen <= INT32_MAX ? int32_t(rowLen) : 0;
}

bool TIEBitmap::AllocateStorage() {
  if (width_ <= 0 || height_ <= 0 || pixelFormat_ == ieNoFormat || pixelFormat_ > ie32RGB) return false;
  if (pixelFormat_ == ie8p) {
    palette_.reset(new (std::nothrow) TRGB[256]);
    if (!palette_) return false;
    paletteCount_ = 256;
  }
  ComputeRowLayout();
  // A row must fit in 31 bits and the whole image in 63; nothing may wrap around.
  int64_t size;
  if (rowLen_ <= 0 || __builtin_mul_overflow(int64_t(rowLen_), int64_t(height_), &size)) return false;

  if (location_ == ieFile && size <= memoryThreshold_)
    location_ = ieMemory;
  else if (location_ == ieMemory && size > memoryThreshold_)
    location_ = ieFile;

  if (location_ == ieFile && !fileBuffer_->AllocateFile("IMG", true, size)) location_ = ieMemory;
  if (location_ == ieMemory && !AllocatePixelMemory(size) && !AllocateRowBlocks(size)) {
    if (!IEFileStorageFallback) return false;
    location_ = ieFile;
    if (!fileBuffer_->AllocateFile("IMG", true, size)) return false;
  }
  if (location_ == ieTBitmap && !AllocateVclStorage(size, true)) return false;
  fullyOpaque_ = false;
  return true;
}

bool TIEBitmap::AllocatePixelMemory(int64_t size) {
  if (size > INT64_MAX - kAlignSpare) return false;
  return pixels_.Allocate(size + kAlignSpare, allocatorKind_);
}

bool TIEBitmap::AllocateRowBlocks(int64_t size) {
  if (!IERowBlocksFallback) return false;
  // Blocks only help against a fragmented address space, never against too little memory.
  if (uint64_t(size) > IEGetPhysicalMemory(false)) return false;
  for (int64_t n = 4;; n *= 2) {
    const int64_t rowsPerBlock = (height_ + n - 1) / n;
    const int64_t blockSize = rowsPerBlock * rowLen_;
    if (blockSize < kMinRowBlock && n > 4) return false;
    std::vector<std::unique_ptr<void, TGlobalDeleter>> blocks;
    blocks.reserve(size_t(n));
    for (int64_t i = 0; i < n; ++i) {
      void* p = IEGlobalAllocZero(blockSize);
      if (!p) break;
      blocks.emplace_back(p);
    }
    if (int64_t(blocks.size()) == n) {
      rowBlocks_ = std::move(blocks);
      rowsPerBlock_ = int32_t(rowsPerBlock);
      return true;
    }
    if (n * 2 >= height_) return false;
  }
}

void TIEBitmap::FreeImage(bool freeAlphaChannel) {
  if (freeAlphaChannel) alpha_.reset();
  FreeStorageNoThrow();
  width_ = 0;
  height_ = 0;
  bitCount_ = 0;
  channelCount_ = 0;
  rowLen_ = 0;
  fullyOpaque_ = false;
  vclNotOwned_ = false;
}

void TIEBitmap::FreeStorageNoThrow() {
  palette_.reset();
  paletteCount_ = 0;
  // The pixels are being thrown away with their file, so a failed write-back of them loses nothing.
  try {
    ReleaseRowViews();
  } catch (...) {
  }
  try {
    fileBuffer_->Close();
  } catch (...) {
  }
  pixels_.Free();
  // Only an owned platform bitmap sits in ownedVclBitmap_; an encapsulated one is merely let go.
  ownedVclBitmap_.reset();
  vclBitmap_ = nullptr;
  vclNotOwned_ = false;
  FreeRowPointerTable();
  rowBlocks_.clear();
  rowsPerBlock_ = 0;
}

void TIEBitmap::FillWithByte(uint8_t value) {
  TIEAccessScope scope(*this, iedWrite);
  if (location_ == ieMemory && pixels_.Aligned()) {
    std::memset(pixels_.Aligned(), value, size_t(int64_t(rowLen_) * height_));
    return;
  }
  for (int32_t y = 0; y < height_; ++y)
    if (void* row = GetScanline(y)) std::memset(row, value, size_t(rowLen_));
}

// ---- alpha channel --------------------------------------------------------------------------

TIEBitmap* TIEBitmap::GetAlphaChannel() {
  if (isAlpha_) return nullptr;
  if (!alpha_) alpha_ = CreateAlphaChannel(GetWidth(), GetHeight(), location_);
  return alpha_.get();
}

void TIEBitmap::RemoveAlphaChannel(bool merge, TColor background) {
  if (isAlpha_ || !alpha_) return;
  if (merge && GetPixelFormat() == ie24RGB) {
    const TColor rgb = ColorToRGB(background);
    const int32_t bg[3] = {(rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF};
    TIEAccessScope own(*this, iedRead | iedWrite);
    TIEAccessScope alpha(*alpha_, iedRead);
    const int32_t rows = std::min(height_, alpha_->GetHeight());
    const int32_t cols = std::min(width_, alpha_->GetWidth());
    for (int32_t y = 0; y < rows; ++y) {
      auto* p = static_cast<uint8_t*>(GetScanline(y));
      const auto* a = static_cast<const uint8_t*>(alpha_->GetScanline(y));
      if (!p || !a) continue;
      for (int32_t x = 0; x < cols; ++x, p += 3) {
        // bg + floor((c - bg) * a / 256): the shift of a negative product rounds down.
        const int32_t k = int32_t(a[x]) * 1024;
        for (int c = 0; c < 3; ++c) p[c] = uint8_t(bg[c] + (((int32_t(p[c]) - bg[c]) * k) >> 18));
      }
    }
  }
  alpha_.reset();
}

std::unique_ptr<TIEBitmap> TIEBitmap::AttachAlphaChannel(std::unique_ptr<TIEBitmap> channel) {
  if (channel) channel->isAlpha_ = true;
  alpha_.swap(channel);
  return channel;
}

// ---- palette --------------------------------------------------------------------------------

TRGB TIEBitmap::GetPaletteColor(int32_t index) {
  if (index < 0 || index >= paletteCount_ || !palette_) return {};
  return palette_[size_t(index)];
}

void TIEBitmap::SetPaletteColor(int32_t index, const TRGB& color) {
  if (index < 0 || index >= paletteCount_ || !palette_) return;
  palette_[size_t(index)] = color;
  SyncPaletteToVclBitmap();
}

void TIEBitmap::CopyPaletteFrom(const TIEBitmap& source) {
  palette_.reset();
  paletteCount_ = 0;
  if (source.paletteCount_ <= 0 || !source.palette_) return;
  // Never fewer than 256 entries, so that any index byte of an ie8p pixel reads inside the palette.
  const int32_t capacity = std::max(source.paletteCount_, 256);
  palette_ = std::make_unique<TRGB[]>(size_t(capacity));
  std::copy_n(source.palette_.get(), source.paletteCount_, palette_.get());
  paletteCount_ = source.paletteCount_;
}

void TIEBitmap::CopyPaletteTo(TObject* destination) {
  auto* dest = dynamic_cast<TIEBitmap*>(destination);
  if (!dest || dest == this) return;
  dest->quantizerColorCount_ = 256;
  dest->CopyPaletteFrom(*this);
  if (dest->paletteCount_ > 0) {
    dest->quantizerColorCount_ = quantizerColorCount_;
    dest->SyncPaletteToVclBitmap();
  }
}

// ---- copying --------------------------------------------------------------------------------

void TIEBitmap::CopyRowsFrom(TIEBitmap& source) {
  TIEAccessScope from(source, iedRead);
  TIEAccessScope to(*this, iedWrite);
  const int32_t rows = std::min(height_, source.height_);
  if (rows <= 0) return;
  if (location_ == ieFile && source.location_ == ieFile && rowLen_ == source.rowLen_ && height_ == source.height_ &&
      fileBuffer_->IsAllocated() && source.fileBuffer_->IsAllocated()) {
    ReleaseRowViews();
    source.ReleaseRowViews();
    source.fileBuffer_->CopyTo(*fileBuffer_, int64_t(rowLen_) * height_, 0);
    return;
  }
  if (location_ == ieMemory && source.location_ == ieMemory && pixels_.Aligned() && source.pixels_.Aligned() &&
      rowLen_ == source.rowLen_ && height_ == source.height_) {
    std::memcpy(pixels_.Aligned(), source.pixels_.Aligned(), size_t(int64_t(rowLen_) * height_));
    return;
  }
  const auto n = size_t(std::min(rowLen_, source.rowLen_));
  for (int32_t y = 0; y < rows; ++y) {
    const void* src = source.GetScanline(y);
    void* dst = GetScanline(y);
    if (src && dst) std::memcpy(dst, src, n);
  }
}

bool TIEBitmap::CanReuseStorageFor(TIEBitmap& source) {
  // Storage of the very layout a new allocation would make, in the place the threshold would
  // choose, is as good as new: every byte is overwritten by the copy. Saves the page faults of
  // fresh memory and a new temporary file.
  if (source.GetWidth() != width_ || source.GetHeight() != height_ || source.GetPixelFormat() != pixelFormat_ ||
      source.rowAlignment_ != rowAlignment_ || width_ <= 0 || height_ <= 0 || vclNotOwned_)
    return false;
  const int64_t size = int64_t(rowLen_) * height_;
  if (location_ == ieMemory) return pixels_.Aligned() && size <= memoryThreshold_;
  if (location_ == ieFile) return fileBuffer_->IsAllocated() && size > memoryThreshold_;
  return false;
}

void TIEBitmap::Assign(TObject* source) {
  if (!source || source == this) return;
  needsAllocation_ = true;
  auto* src = dynamic_cast<TIEBitmap*>(source);
  if (!src) {
    if (auto* vcl = dynamic_cast<TBitmap*>(source)) IECopyFromTBitmap(*this, *vcl);
    return;
  }
  if (location_ == ieTBitmap) {
    if (src->IsEmpty()) return;
    width_ = src->GetWidth();
    height_ = src->GetHeight();
    pixelFormat_ = src->GetPixelFormat();
    rowAlignment_ = src->rowAlignment_;
    if (!AllocateVclStorage(0, false)) {
      FreeImage(true);
      return;
    }
  } else if (!CanReuseStorageFor(*src)) {
    FreeImage(true);
    width_ = src->GetWidth();
    height_ = src->GetHeight();
    pixelFormat_ = src->GetPixelFormat();
    rowAlignment_ = src->rowAlignment_;
    if (!AllocateStorage()) {
      FreeStorageNoThrow();
      width_ = height_ = 0;
      return;
    }
  }
  fullyOpaque_ = src->fullyOpaque_;
  CopyRowsFrom(*src);
  if (!isAlpha_) {
    if (src->alpha_)
      GetAlphaChannel()->Assign(src->alpha_.get());
    else
      RemoveAlphaChannel(false, 0);
  }
  src->CopyPaletteTo(this);
  bilevelMethod_ = src->bilevelMethod_;
}

void TIEBitmap::AssignImage(TIEBitmap* source) {
  if (!source || source == this || source->IsEmpty()) return;
  needsAllocation_ = true;
  width_ = source->GetWidth();
  height_ = source->GetHeight();
  pixelFormat_ = source->GetPixelFormat();
  rowAlignment_ = source->rowAlignment_;
  if (location_ == ieTBitmap) {
    if (!AllocateVclStorage(0, false)) {
      FreeImage(false);
      return;
    }
  } else {
    FreeStorageNoThrow();
    if (!AllocateStorage()) {
      FreeImage(false);
      return;
    }
  }
  CopyRowsFrom(*source);
  source->CopyPaletteTo(this);
  fullyOpaque_ = false;
}

void TIEBitmap::SetPixelFormat(TIEPixelFormat format) {
  if (format != GetPixelFormat()) ConvertToFormat(format);
}
