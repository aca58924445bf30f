#include "imaging/core/iememblock.h"

#include <cstddef>
#include <cstdlib>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iefilestorage.h"
#include "platform/vcl/graphics.h"

namespace {

constexpr int64_t kHeapLimit = 0x100000;  // 1 MiB: smaller blocks come from the heap
// The tag sits in the first byte of a header that keeps the caller's block as aligned as malloc's.
constexpr int64_t kHeader = alignof(std::max_align_t);
constexpr uint8_t kTagHeap = 0;
constexpr uint8_t kTagGlobal = 1;

bool Holdable(int64_t size) {
  return size >= 0 && uint64_t(size) <= IEGetPhysicalMemory(false) && uint64_t(size) <= SIZE_MAX - 64;
}

}  // namespace

void* IEGlobalAllocZero(int64_t size) {
  if (!Holdable(size)) return nullptr;
  return std::calloc(1, size_t(size > 0 ? size : 1));
}

void IEGlobalFreeAndNil(void*& p) {
  std::free(p);
  p = nullptr;
}

void IETryGetMem(void*& p, int64_t size) {
  p = Holdable(size) ? std::malloc(size_t(size > 0 ? size : 1)) : nullptr;
}

void* IELargeAlloc(int64_t size) {
  if (!Holdable(size) || size > INT64_MAX - kHeader) return nullptr;
  uint8_t* block = nullptr;
  uint8_t tag = kTagHeap;
  if (size < kHeapLimit) block = static_cast<uint8_t*>(std::malloc(size_t(size + kHeader)));
  if (!block) {
    block = static_cast<uint8_t*>(IEGlobalAllocZero(size + kHeader));
    tag = kTagGlobal;
  }
  if (!block) return nullptr;
  block[0] = tag;
  return block + kHeader;
}

void IELargeFree(void*& p) {
  if (!p) return;
  uint8_t* block = static_cast<uint8_t*>(p) - kHeader;
  if (block[0] == kTagGlobal) {
    void* g = block;
    IEGlobalFreeAndNil(g);
  } else {
    std::free(block);
  }
  p = nullptr;
}

bool IELargeBlockIsGlobal(const void* p) {
  return p && static_cast<const uint8_t*>(p)[-kHeader] == kTagGlobal;
}

// ---- colour tables of platform bitmaps -------------------------------------------------------

void IEGrayColorTable(TBitmap* bitmap) {
  if (!bitmap) return;
  std::vector<win::RGBQUAD> table(256);
  for (int i = 0; i < 256; ++i) table[size_t(i)] = win::RGBQUAD{uint8_t(i), uint8_t(i), uint8_t(i), 0};
  bitmap->SetColorTable(table);
}

bool IEIsGrayColorTable(TBitmap* bitmap) {
  if (!bitmap) return true;
  const std::vector<win::RGBQUAD> table = bitmap->ColorTable();
  for (size_t i = 0; i < std::min<size_t>(table.size(), 256); ++i)
    if (table[i].rgbRed != i || table[i].rgbGreen != i || table[i].rgbBlue != i) return false;
  return true;
}

void IECopyColorTableToPalette(TBitmap* bitmap, TIEBitmap* image) {
  if (!bitmap || !image || bitmap->PixelFormat() != pf8bit || image->GetPixelFormat() != ie8p) return;
  const std::vector<win::RGBQUAD> table = bitmap->ColorTable();
  for (size_t i = 0; i < std::min<size_t>(table.size(), 256); ++i)
    image->SetPaletteColor(int32_t(i), TRGB{table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed});
}
