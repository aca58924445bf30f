#include "imaging/core/stdquant.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr int32_t kCells = 32768;
constexpr int32_t kMaxBoxes = 256;
// The score of an axis that cannot be split.
constexpr double kNoSplit = 17523.6;

struct TBox {
  double score = 0;
  double mean[3] = {0, 0, 0};  // red, green, blue, in cell units
  int32_t count = 0;
  int32_t marginal[3][32] = {};
  int32_t lo[3] = {0, 0, 0};  // inclusive
  int32_t hi[3] = {0, 0, 0};  // exclusive
};

inline int32_t Cell(int32_t r5, int32_t g5, int32_t b5) { return r5 << 10 | g5 << 5 | b5; }

}  // namespace

struct TStdQuantState {
  std::vector<int32_t> histogram = std::vector<int32_t>(kCells, 0);
  std::vector<TBox> boxes = std::vector<TBox>(kMaxBoxes);
  std::vector<uint8_t> lookup = std::vector<uint8_t>(kCells, 0);
  int32_t pixelCount = 0;
  int32_t wanted = 0;
  int32_t made = 0;

  void Statistics(TBox& b) const {
    b.score = 0;
    if (b.count == 0) return;
    for (int a = 0; a < 3; ++a) {
      double s1 = 0, s2 = 0;
      for (int32_t j = b.lo[a]; j < b.hi[a]; ++j) {
        s1 += double(j) * b.marginal[a][j];
        s2 += double(j) * j * b.marginal[a][j];
      }
      b.mean[a] = s1 / b.count;
      b.score += s2 - b.mean[a] * b.mean[a] * b.count;
    }
    b.score /= pixelCount;
  }

  // Splits the box along one axis into first and second; false when it cannot.
  bool SplitAxis(const TBox& box, int a, TBox& first, TBox& second) const {
    const int32_t lo = box.lo[a], hi = box.hi[a];
    if (lo + 1 == hi) return false;
    const double mu = box.mean[a];
    const int32_t n = box.count;
    const auto start = int32_t(std::nearbyint((lo + mu) * 0.5));
    const auto stop = int32_t(std::nearbyint((hi + mu) * 0.5));
    const int32_t* m = box.marginal[a];
    int64_t cum = 0;
    for (int32_t j = lo; j < start && j < 32; ++j) cum += m[j];
    double t = 0, best = -1;
    int32_t cut = start;
    int64_t nfirst = n;
    // The box's cells end at hi - 1, where the count is complete and the loop leaves.
    for (int32_t e = std::max(start, 0); e <= stop && e < 32; ++e) {
      cum += m[e];
      if (cum == n) break;
      t += double(e) * m[e] / n;
      const double h = double(cum) / double(n - cum) * (mu - t) * (mu - t);
      if (h > best) {
        best = h;
        cut = e;
        nfirst = cum;
      }
    }
    first = box;
    second = box;
    first.count = int32_t(nfirst);
    first.hi[a] = cut + 1;
    second.count = int32_t(n - nfirst);
    second.lo[a] = cut + 1;
    if (first.count <= 0 || second.count <= 0) return false;
    std::memset(first.marginal, 0, sizeof first.marginal);
    for (int32_t r = first.lo[0]; r < first.hi[0]; ++r)
      for (int32_t g = first.lo[1]; g < first.hi[1]; ++g)
        for (int32_t b = first.lo[2]; b < first.hi[2]; ++b) {
          const int32_t h = histogram[size_t(Cell(r, g, b))];
          if (h == 0) continue;
          const int32_t v[3] = {r, g, b};
          for (int k = 0; k < 3; ++k) {
            first.marginal[k][v[k]] += h;
            second.marginal[k][v[k]] -= h;
          }
        }
    Shrink(first);
    Shrink(second);
    Statistics(first);
    Statistics(second);
    return true;
  }

  static void Shrink(TBox& b) {
    for (int a = 0; a < 3; ++a) {
      int32_t lo = 32, hi = 1;
      for (int32_t j = 0; j < 32; ++j)
        if (b.marginal[a][j] != 0) {
          if (lo == 32) lo = j;
          hi = j + 1;
        }
      b.lo[a] = lo;
      b.hi[a] = hi;
    }
  }

  bool Split(TBox& box, TBox& second) const {
    if (box.score == 0 || box.count == 0) {
      box.score = 0;
      return false;
    }
    TBox halves[3][2];
    double score[3];
    for (int a = 0; a < 3; ++a)
      score[a] = SplitAxis(box, a, halves[a][0], halves[a][1]) ? halves[a][0].score + halves[a][1].score : kNoSplit;
    int axis;
    if (score[0] < kNoSplit && score[0] <= score[1] && score[0] <= score[2])
      axis = 0;
    else if (score[1] < kNoSplit && score[1] <= score[0] && score[1] <= score[2])
      axis = 1;
    else if (score[2] < kNoSplit)
      axis = 2;
    else {
      box.score = 0;
      return false;
    }
    box = halves[axis][0];
    second = halves[axis][1];
    return true;
  }
};

void TStdQuantDeleter::operator()(TStdQuantState* state) const { StdQuantFree(state); }

TStdQuantPtr StdQuantCreate(TIEBitmap& bitmap, TRGB* palette, int32_t colors) {
  TStdQuantPtr state(new TStdQuantState);
  TStdQuantState& s = *state;
  s.wanted = std::clamp(colors, 1, kMaxBoxes);
  const int32_t width = std::min(bitmap.GetWidth(), 65535);
  const int32_t height = std::min(bitmap.GetHeight(), 65535);
  s.pixelCount = int32_t(std::min<int64_t>(int64_t(std::max(width, 0)) * std::max(height, 0), INT32_MAX));
  TBox& box0 = s.boxes[0];
  if (bitmap.GetPixelFormat() == ie24RGB && s.pixelCount > 0) {
    TIEAccessScope scope(bitmap, iedRead);
    for (int32_t y = 0; y < height; ++y) {
      const auto* row = static_cast<const uint8_t*>(bitmap.GetScanline(y));
      if (!row) continue;
      for (int32_t x = 0; x < width; ++x, row += 3) {
        const int32_t r5 = row[2] >> 3, g5 = row[1] >> 3, b5 = row[0] >> 3;
        ++box0.marginal[0][r5];
        ++box0.marginal[1][g5];
        ++box0.marginal[2][b5];
        ++s.histogram[size_t(Cell(r5, g5, b5))];
      }
    }
  }
  for (int a = 0; a < 3; ++a) {
    box0.lo[a] = 0;
    box0.hi[a] = 32;
  }
  box0.count = s.pixelCount;
  if (s.pixelCount > 0) s.Statistics(box0);

  int32_t m = 1;
  while (m < s.wanted) {
    int32_t pick = -1;
    double best = 0;
    for (int32_t i = 0; i < m; ++i)
      if (s.boxes[size_t(i)].score > best) {
        best = s.boxes[size_t(i)].score;
        pick = i;
      }
    if (pick < 0) break;
    if (s.Split(s.boxes[size_t(pick)], s.boxes[size_t(m)])) ++m;
  }
  s.made = m;

  for (int32_t i = 0; i < m; ++i) {
    const TBox& b = s.boxes[size_t(i)];
    const auto level = [](double mean) { return uint8_t(std::clamp(int32_t(std::nearbyint(mean)), 0, 31) * 8); };
    palette[i] = TRGB{level(b.mean[2]), level(b.mean[1]), level(b.mean[0])};
    for (int32_t r = b.lo[0]; r < b.hi[0]; ++r)
      for (int32_t g = b.lo[1]; g < b.hi[1]; ++g)
        for (int32_t bl = b.lo[2]; bl < b.hi[2]; ++bl) s.lookup[size_t(Cell(r, g, bl))] = uint8_t(i);
  }
  return state;
}

int32_t StdQuantColorIndex(const TStdQuantState& state, uint32_t color) {
  const uint32_t r = (color >> 16) & 0xFF, g = (color >> 8) & 0xFF, b = color & 0xFF;
  return state.lookup[(r >> 3) << 10 | (g >> 3) << 5 | (b >> 3)];
}

int32_t StdQuantColorCount(const TStdQuantState& state) { return state.made; }

void StdQuantFree(TStdQuantState* state) { delete state; }
