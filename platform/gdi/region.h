// Region: an exact set of pixels kept as y-bands of x-spans.
//
// A band covers rows [Top, Bottom) and holds sorted, disjoint, non-touching
// half-open spans [x0, x1). Bands are sorted, never overlap, and two adjacent
// bands with equal spans are always merged, so equal pixel sets have equal
// representations (EqualRgn is a plain comparison) and a single rectangle is
// exactly one band with one span.
//
//     y=2 +----+      +--+     band 1: rows 2..4, spans [0,4) [10,13)
//         |    |      |  |
//     y=5 +----+------+  |     band 2: rows 5..6, spans [0,13)
//         |              |
//     y=7 +--------------+
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rtl/types.h"

namespace win {

class Region {
public:
  struct Band {
    int32_t Top = 0;
    int32_t Bottom = 0;
    std::vector<int32_t> Xs;  // x0, x1, x0, x1, ...
    friend bool operator==(const Band&, const Band&) = default;
  };
  // Row span used to build regions: [X0, X1) on row Y.
  struct Span {
    int32_t Y, X0, X1;
  };
  enum class Op { And, Or, Xor, Diff };

  Region() = default;
  explicit Region(const TRect& r);

  static Region FromSpans(std::vector<Span> spans);  // spans may overlap and come in any order

  bool IsEmpty() const { return bands_.empty(); }
  bool IsRect() const { return bands_.size() == 1 && bands_[0].Xs.size() == 2; }
  TRect Bounds() const;
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int Complexity() const;
  const std::vector<Band>& Bands() const { return bands_; }

  bool Contains(int32_t x, int32_t y) const;
  bool Intersects(const TRect& r) const;
  void Offset(int32_t dx, int32_t dy);
  void SetRect(const TRect& r);
  void Clear() { bands_.clear(); }

  static Region Combine(const Region& a, const Region& b, Op op);
  Region Intersect(const TRect& r) const;
  // Pixels of this region whose 4-neighbours lie inside it, repeated dx times
  // horizontally and dy times vertically: what remains inside a frame.
  Region Erode(int32_t dx, int32_t dy) const;

  // Calls f(x0, x1) for each visible piece of [x0, x1) on row y, left to right.
  template <class F>
  void ClipSpan(int32_t y, int32_t x0, int32_t x1, F&& f) const {
    const Band* b = FindBand(y);
    if (!b) return;
    for (size_t i = 0; i < b->Xs.size(); i += 2) {
      int32_t a = std::max(x0, b->Xs[i]), e = std::min(x1, b->Xs[i + 1]);
      if (b->Xs[i] >= x1) break;
      if (a < e) f(a, e);
    }
  }
  // The band holding row y, or null.
  const Band* FindBand(int32_t y) const;

  friend bool operator==(const Region&, const Region&) = default;

private:
  std::vector<Band> bands_;
  void Normalize();  // merges equal adjacent bands, drops empty ones
};

}  // namespace win
