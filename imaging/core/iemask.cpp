// TIEMask storage, pixels, fullness, polygons and moving.
#include "imaging/core/iemask.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "imaging/core/iebits.h"
#include "imaging/core/iepixels.h"
#include "platform/rtl/exceptions.h"

namespace {

// Zeroed block of rows × row length; sizes in checked 64-bit arithmetic.
std::unique_ptr<uint8_t[]> AllocateRows(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t& rowLen) {
  if (width < 0 || height < 0 || (bitsPerPixel != 1 && bitsPerPixel != 8))
    throw EOutOfMemory("Out of memory");
  const int64_t len = width == 0 ? 0 : IEBitmapRowLen(width, bitsPerPixel, 32);
  if (len > TIEMask::MaxBytes || (height > 0 && len > TIEMask::MaxBytes / height))
    throw EOutOfMemory("Out of memory");
  rowLen = int32_t(len);
  const int64_t size = len * height;
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[size_t(std::max<int64_t>(size, 1))]());
  if (!block) throw EOutOfMemory("Out of memory");
  return block;
}

struct TEdge {
  int64_t x;       // at the current row
  int64_t xTop;    // at its upper end
  int64_t yTop;    // the row where the edge joins
  int64_t yLower;  // the row where the edge leaves
  int64_t dx, dy;  // dy > 0
};

// The edge's x on row y: its top x plus (y - top) * dx / dy to the nearest
// integer, halves toward zero. 128-bit product: both factors may reach 2^32.
int64_t EdgeXAt(const TEdge& e, int64_t y) {
  const __int128 num = static_cast<__int128>(y - e.yTop) * e.dx;
  __int128 q = num / e.dy;
  const __int128 rem = num - q * e.dy;
  if (2 * (rem < 0 ? -rem : rem) > e.dy) q += num < 0 ? -1 : 1;
  return int64_t(e.xTop + q);
}

}  // namespace

TIEMask::TIEMask() {
  outlineInfo_.header.biBitCount = 1;
  outlineInfo_.header.biPlanes = 1;
  outlineInfo_.header.biCompression = win::BI_RGB;
  outlineInfo_.colors[0] = win::RGBQUAD{0, 0, 0, 0};
  outlineInfo_.colors[1] = win::RGBQUAD{255, 255, 255, 0};
}

TIEMask::~TIEMask() { FreeBits(); }

void TIEMask::EmptyTheBox() {
  x1_ = y1_ = EmptyBox;
  x2_ = y2_ = 0;
}

void TIEMask::ClampBox() {
  const auto cl = [](int32_t v, int32_t hi) { return std::max(0, std::min(v, hi - 1)); };
  x1_ = cl(x1_, width_);
  x2_ = cl(x2_, width_);
  y1_ = cl(y1_, height_);
  y2_ = cl(y2_, height_);
}

void TIEMask::NoteWritten(uint32_t value) {
  if (full_ && bitsPerPixel_ == 8 && (value & 0xFF) != 255) full_ = false;
}

void TIEMask::AllocateBits(int32_t width, int32_t height, int32_t bitsPerPixel) {
  FreeBits();
  int32_t len = 0;
  bits_ = AllocateRows(width, height, bitsPerPixel, len);
  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  rowLen_ = len;
  EmptyTheBox();
  full_ = false;
}

void TIEMask::FreeBits() {
  FreeCache();
  bits_.reset();
  width_ = height_ = bitsPerPixel_ = rowLen_ = 0;
}

void TIEMask::FreeCache() {
  cache_.reset();
  cacheRows_.clear();
  cacheWidth_ = cacheHeight_ = 0;
  cacheRowLen_ = 0;
}

void TIEMask::Resize(int32_t newWidth, int32_t newHeight) {
  const int32_t depth = bitsPerPixel_ == 0 ? 1 : bitsPerPixel_;
  int32_t newLen = 0;
  auto block = AllocateRows(newWidth, newHeight, depth, newLen);
  const int32_t rows = std::min(height_, newHeight);
  const int32_t bytes = std::min(rowLen_, newLen);
  for (int32_t y = 0; y < rows; ++y)
    std::memcpy(block.get() + int64_t(newLen) * (newHeight - y - 1), GetScanline(y), size_t(bytes));
  FreeCache();
  bits_ = std::move(block);
  width_ = newWidth;
  height_ = newHeight;
  bitsPerPixel_ = depth;
  rowLen_ = newLen;
  if (x1_ < x2_) {
    x1_ = std::min(x1_, newWidth - 1);
    x2_ = std::min(x2_, newWidth - 1);
    y1_ = std::min(y1_, newHeight - 1);
    y2_ = std::min(y2_, newHeight - 1);
  }
}

uint8_t* TIEMask::GetScanline(int32_t y) {
  if (!bits_ || y < 0 || y >= height_) return nullptr;
  return bits_.get() + int64_t(rowLen_) * (height_ - y - 1);
}

void TIEMask::SetPixel(int32_t x, int32_t y, uint32_t value) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || !bits_) return;
  uint8_t* row = GetScanline(y);
  if (bitsPerPixel_ == 1)
    IESetBit1(row, x, value != 0);
  else if (bitsPerPixel_ == 8)
    row[x] = uint8_t(value);
  if (value != 0) {
    x1_ = std::min(x1_, x);
    y1_ = std::min(y1_, y);
    x2_ = std::max(x2_, x);
    y2_ = std::max(y2_, y);
    ClampBox();
  }
  NoteWritten(value);
}

uint32_t TIEMask::GetPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || !bits_) return 0;
  const uint8_t* row = bits_.get() + int64_t(rowLen_) * (height_ - y - 1);
  if (bitsPerPixel_ == 1) return row[x >> 3] & uint8_t(0x80 >> (x & 7));
  if (bitsPerPixel_ == 8) return row[x];
  return 0;
}

int32_t TIEMask::FillRowSpan(uint32_t value, int32_t x1, int32_t x2, int32_t y) {
  // A row outside the mask is ignored rather than folded onto the first or last row.
  uint8_t* row = GetScanline(y);
  if (!row) return 0;
  x1 = std::max(x1, 0);
  x2 = std::min(x2, width_ - 1);
  if (x2 < x1) return 0;
  NoteWritten(value);
  if (bitsPerPixel_ == 1) {
    for (int32_t x = x1; x <= x2; ++x) IESetBit1(row, x, value == 1);
  } else if (bitsPerPixel_ == 8) {
    std::memset(row + x1, int(value & 0xFF), size_t(x2 - x1 + 1));
  } else {
    return 0;
  }
  return x2 - x1 + 1;
}

void TIEMask::Fill(uint8_t value) {
  if (bits_) std::memset(bits_.get(), value, size_t(int64_t(rowLen_) * height_));
  full_ = !(bitsPerPixel_ == 8 && value != 255);
}

void TIEMask::Clear() {
  Fill(0);
  EmptyTheBox();
}

void TIEMask::RecalcBoundingBox() {
  EmptyTheBox();
  if (bitsPerPixel_ != 1 && bitsPerPixel_ != 8) return;
  for (int32_t y = 0; y < height_; ++y) {
    const uint8_t* row = GetScanline(y);
    for (int32_t x = 0; x < width_; ++x) {
      const bool set = bitsPerPixel_ == 1 ? IEGetBit1(row, x) : row[x] != 0;
      if (!set) continue;
      x1_ = std::min(x1_, x);
      y1_ = std::min(y1_, y);
      x2_ = std::max(x2_, x);
      y2_ = std::max(y2_, y);
    }
  }
  y2_ = std::min(y2_, height_ - 1);
}

void TIEMask::CheckFull() {
  if (bitsPerPixel_ == 1 || bitsPerPixel_ == 8) {
    for (int32_t y = 0; y < height_; ++y) {
      const uint8_t* row = GetScanline(y);
      if (bitsPerPixel_ == 1) {
        const int32_t whole = width_ / 8;
        for (int32_t i = 0; i < whole; ++i)
          if (row[i] != 255) {
            full_ = false;
            return;
          }
        // Only the pixels inside the width count; the padding bits are never read.
        for (int32_t x = whole * 8; x < width_; ++x)
          if (!IEGetBit1(row, x)) {
            full_ = false;
            return;
          }
      } else {
        for (int32_t x = 0; x < width_; ++x)
          if (row[x] != 255) {
            full_ = false;
            return;
          }
      }
    }
  }
  full_ = true;
}

void TIEMask::AddPolygons(uint32_t value, const TPoint* points, int32_t count) {
  int32_t start = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (points[i].X != IEPolygonSeparator) continue;
    AddPolygon(value, points + start, i - start);
    start = i + 1;
  }
  if (start < count) AddPolygon(value, points + start, count - start);
  CheckFull();
}

void TIEMask::AddPolygon(uint32_t value, const TPoint* points, int32_t n) {
  if (n < 1 || !points) {
    EmptyTheBox();
    return;
  }
  if (value != 0) {
    for (int32_t i = 0; i < n; ++i) {
      const int32_t x = points[i].X, y = points[i].Y;
      if (x < x1_) x1_ = x;
      if (x > x2_) x2_ = x - 1;
      if (y < y1_) y1_ = y;
      if (y > y2_) y2_ = y - 1;
    }
    ClampBox();
  }

  // Edges sorted by their upper row stand in for per-row buckets, so that a
  // polygon reaching far outside the mask costs no giant table.
  std::vector<TEdge> edges;
  int64_t minY = points[0].Y, maxY = points[0].Y;
  for (int32_t i = 0; i < n; ++i) {
    const TPoint& a = points[i];
    const TPoint& b = points[(i + 1) % n];
    minY = std::min<int64_t>(minY, a.Y);
    maxY = std::max<int64_t>(maxY, a.Y);
    if (a.Y == b.Y) continue;
    const TPoint& up = a.Y < b.Y ? a : b;
    const TPoint& low = a.Y < b.Y ? b : a;
    edges.push_back(TEdge{up.X, up.X, up.Y, low.Y, int64_t(low.X) - up.X, int64_t(low.Y) - up.Y});
  }
  std::stable_sort(edges.begin(), edges.end(), [](const TEdge& l, const TEdge& r) { return l.yTop < r.yTop; });

  // Rows above the mask write nothing, so the scan starts at row 0 with the
  // edges already under way; the edge's x comes from its closed form (the
  // value the incremental stepping reaches), which makes the jump exact.
  const int64_t startY = std::max<int64_t>(minY, 0);
  const int64_t endY = std::min<int64_t>(maxY, height_);
  std::vector<TEdge> active;
  size_t next = 0;
  const auto join = [&active](const TEdge& ne) {
    auto pos = std::find_if(active.begin(), active.end(), [&ne](const TEdge& e) {
      return e.x > ne.x || (e.x == ne.x && static_cast<__int128>(e.dx) * ne.dy >= static_cast<__int128>(ne.dx) * e.dy);
    });
    active.insert(pos, ne);
  };
  for (; next < edges.size() && edges[next].yTop < startY; ++next) {
    TEdge e = edges[next];
    if (e.yLower <= startY) continue;
    e.x = EdgeXAt(e, startY);
    join(e);
  }
  int64_t written = 0;
  for (int64_t y = startY; y <= endY; ++y) {
    if (active.empty()) {
      if (next == edges.size()) break;
      y = std::max(y, edges[next].yTop);  // nothing to do on rows without edges
      if (y > endY) break;
    }
    std::erase_if(active, [y](const TEdge& e) { return e.yLower == y; });
    for (TEdge& e : active) e.x = EdgeXAt(e, y);
    for (; next < edges.size() && edges[next].yTop == y; ++next) join(edges[next]);
    if (y >= height_) break;
    for (size_t i = 0; i + 1 < active.size(); i += 2) {
      const int64_t left = active[i].x, right = active[i + 1].x - 1;
      if (right < left || right < 0 || left >= width_) continue;
      written += FillRowSpan(value, int32_t(std::max<int64_t>(left, 0)), int32_t(std::min<int64_t>(right, width_ - 1)),
                             int32_t(y));
    }
  }
  if (written == 0) EmptyTheBox();
}

void TIEMask::Translate(int32_t& dx, int32_t& dy, bool cut) {
  if (IsEmpty()) RecalcBoundingBox();
  if (IsEmpty()) return;
  if (cut) {
    if (int64_t(x1_) + dx < 0) x1_ = -dx;
    if (int64_t(y1_) + dy < 0) y1_ = -dy;
    if (int64_t(x2_) + dx >= width_) x2_ = width_ - 1 - dx;
    if (int64_t(y2_) + dy >= height_) y2_ = height_ - 1 - dy;
  } else {
    if (int64_t(x1_) + dx < 0) dx = -x1_;
    if (int64_t(x2_) + dx >= width_) dx = width_ - x2_ - 1;
    if (int64_t(y1_) + dy < 0) dy = -y1_;
    if (int64_t(y2_) + dy >= height_) dy = height_ - y2_ - 1;
  }
  if (dx == 0 && dy == 0) return;
  if (bitsPerPixel_ == 1) {
    if (x2_ < x1_ || y2_ < y1_) {
      Clear();
      return;
    }
    const int64_t boxW = int64_t(x2_) - x1_ + 1, boxH = int64_t(y2_) - y1_ + 1;
    const int64_t saveLen = (boxW + 7) / 8;
    std::vector<uint8_t> saved(size_t(saveLen * boxH), 0);
    for (int64_t r = 0; r < boxH; ++r) {
      const uint8_t* row = GetScanline(int32_t(y1_ + r));
      for (int64_t i = 0; i < boxW; ++i)
        if (row && IEGetBit1(row, x1_ + i)) IESetBit1(saved.data() + r * saveLen, i, true);
    }
    Fill(0);
    for (int64_t r = 0; r < boxH; ++r) {
      const int64_t ty = y1_ + r + dy;
      if (ty < 0 || ty >= height_) continue;
      uint8_t* row = GetScanline(int32_t(ty));
      for (int64_t i = 0; i < boxW; ++i) {
        const int64_t tx = x1_ + i + dx;
        if (tx >= 0 && tx < width_ && IEGetBit1(saved.data() + r * saveLen, i)) IESetBit1(row, tx, true);
      }
    }
  } else if (bitsPerPixel_ == 8) {
    const size_t size = size_t(int64_t(rowLen_) * height_);
    std::vector<uint8_t> copy(bits_.get(), bits_.get() + size);
    Fill(0);
    for (int64_t y = y1_; y <= y2_; ++y) {
      const int64_t ty = y + dy;
      if (y < 0 || y >= height_ || ty < 0 || ty >= height_) continue;
      const uint8_t* from = copy.data() + int64_t(rowLen_) * (height_ - y - 1);
      uint8_t* to = GetScanline(int32_t(ty));
      for (int64_t x = x1_; x <= x2_; ++x) {
        const int64_t tx = x + dx;
        if (x >= 0 && x < width_ && tx >= 0 && tx < width_) to[tx] = from[x];
      }
    }
  }
  x1_ = int32_t(std::clamp<int64_t>(int64_t(x1_) + dx, 0, std::max(width_ - 1, 0)));
  x2_ = int32_t(std::clamp<int64_t>(int64_t(x2_) + dx, 0, std::max(width_ - 1, 0)));
  y1_ = int32_t(std::clamp<int64_t>(int64_t(y1_) + dy, 0, std::max(height_ - 1, 0)));
  y2_ = int32_t(std::clamp<int64_t>(int64_t(y2_) + dy, 0, std::max(height_ - 1, 0)));
}
