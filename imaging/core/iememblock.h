// Memory blocks for pixels, and the colour tables of platform bitmaps.
//
// The image buffer takes its pixel memory from three allocators: the heap, a
// zero-filled "global" allocator, and a large-block allocator that uses the
// heap below 1 MiB and the global allocator from 1 MiB on. They report failure
// by null, never by an exception, and refuse a block larger than the machine's
// physical memory, which could never be held anyway. They keep no state, so
// worker threads may call them.
#pragma once

#include <cstdint>

class TBitmap;
class TIEBitmap;

// A zero-filled block; null on failure.
void* IEGlobalAllocZero(int64_t size);
// Frees a block of IEGlobalAllocZero (null is fine) and clears the pointer.
void IEGlobalFreeAndNil(void*& p);

// A block of `size` bytes preceded by a tag that records which allocator made it.
void* IELargeAlloc(int64_t size);
// Frees a block of IELargeAlloc through the allocator that made it and clears the pointer.
void IELargeFree(void*& p);
// True when the block came from the zero-filling allocator (tag 1).
bool IELargeBlockIsGlobal(const void* p);

// p := a heap block of `size` bytes (contents undefined), or null.
void IETryGetMem(void*& p, int64_t size);

// The 256-entry gray ramp as the bitmap's colour table: entry i = (i, i, i).
void IEGrayColorTable(TBitmap* bitmap);
// True when every colour-table entry read (up to 256) is (i, i, i); also for none.
bool IEIsGrayColorTable(TBitmap* bitmap);
// An 8-bit bitmap's colour table into an ie8p image's palette; other pairs are left alone.
void IECopyColorTableToPalette(TBitmap* bitmap, TIEBitmap* image);
