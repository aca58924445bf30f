// The per-format row renderers of TIEBitmap::RenderToTIEBitmap.
//
// Each destination row of the area is made in three steps: the mapped source
// pixels of the row are read into a blue-green-red work row (with the gray
// range of the gray formats, the palette of ie8p, the colour conversions of
// CMYK and Lab); the colour formats then get the display adjustments; the
// work row is finally copied, combined by the layer operation, or alpha-mixed
// into the destination.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/core/ieblend.h"
#include "imaging/core/iecmyk.h"
#include "imaging/core/ielab.h"
#include "imaging/core/iepixels.h"
#include "imaging/core/ierender.h"

int64_t IEContrastFactor(int32_t contrast) {
  if (contrast >= 0) return int64_t((contrast / 10.0 + 1) * 65536);
  return int64_t((1 - std::sqrt(-double(contrast)) / 10) * 65536);
}

namespace {

// Min when value <= min, value when below max, else max: min wins when the bounds cross.
template <class T>
inline T ClampLowFirst(T v, T lo, T hi) {
  return v <= lo ? lo : v < hi ? v : hi;
}
inline uint8_t ClampByte(int64_t v) { return v < 0 ? 0 : v > 255 ? 255 : uint8_t(v); }
// A value that may lie outside 0..255 or be no number, as a byte.
inline uint8_t TruncByte(double v) { return v >= 0 && v < 256 ? uint8_t(v) : v >= 256 ? 255 : 0; }

// The source's display gray range: active when maximum - minimum is not 0.
struct TGrayRange {
  bool active = false;
  double min = 0, max = 0;
  int64_t lo = 0, hi = 0;  // the bounds truncated, for integer samples

  explicit TGrayRange(TIEBitmap& b) : min(b.DisplayGrayMin()), max(b.DisplayGrayMax()) {
    active = max - min != 0;
    if (active) {
      lo = int64_t(std::clamp(min, -1e15, 1e15));
      hi = int64_t(std::clamp(max, -1e15, 1e15));
    }
  }
  // Crossed or fractional bounds can push the formula past 0..255; it is held there.
  uint8_t Map(int64_t v) const { return TruncByte(double(ClampLowFirst(v, lo, hi) - lo) / (max - min) * 255); }
  uint8_t MapFloat(double v) const {
    if (std::isnan(v)) v = min;
    return TruncByte((ClampLowFirst(v, min, max) - min) / (max - min) * 255);
  }
};

// The display adjustments of a colour source: channel offsets red, green,
// blue and the contrast gain.
struct TAdjust {
  int64_t c = 65536;
  double gain = 1;
  int64_t off[3] = {0, 0, 0};  // indexed by byte position: blue, green, red
  bool identity = true;        // 8-bit adjustment changes nothing

  explicit TAdjust(TIEBitmap& b) {
    c = IEContrastFactor(b.DisplayContrast());
    const int32_t contrast = b.DisplayContrast();
    gain = contrast >= 0 ? contrast / 10.0 + 1 : 1 - std::sqrt(-double(contrast)) / 10;
    off[0] = b.ChannelOffset(2);
    off[1] = b.ChannelOffset(1);
    off[2] = b.ChannelOffset(0);
    identity = c == 65536 && off[0] == 0 && off[1] == 0 && off[2] == 0;
  }
  uint8_t Channel8(int32_t v, int i) const { return ClampByte(c * (v + off[i] - 128) / 65536 + 128); }
  uint8_t Channel16(int32_t v, int i) const {
    const double x = double(v + off[i] - 32768) * gain + 32768;
    const int64_t t = int64_t(std::clamp(x, -1e15, 1e15));
    return ClampByte(t / 256);
  }
  void Row8(TRGB* px, int32_t n) const {
    if (identity) return;
    for (int32_t k = 0; k < n; ++k) {
      px[k].b = Channel8(px[k].b, 0);
      px[k].g = Channel8(px[k].g, 1);
      px[k].r = Channel8(px[k].r, 2);
    }
  }
};

enum class TKind { Plain, Alpha };

// Everything a row renderer needs besides its parameters.
class TRowRenderer {
 public:
  TRowRenderer(TIEBitmap& src, const TIEStretchRowsParams& p, TKind kind)
      : src_(src), p_(p), kind_(kind), range_(src), adjust_(src) {
    n_ = p.LastColumn - p.FirstColumn + 1;
  }

  // The area lies in the destination and every mapped column in the source
  // (the renderers are public: a caller's map is not trusted blindly).
  bool Usable() const {
    if (n_ <= 0 || p_.LastRow < p_.FirstRow || !p_.RowTable || !p_.Dest || !p_.RowMap || !p_.ColumnMap) return false;
    if (p_.FirstColumn < 0 || p_.LastColumn >= p_.Dest->GetWidth()) return false;
    if (p_.FirstRow < 0 || p_.LastRow >= p_.Dest->GetHeight()) return false;
    const int32_t sw = src_.GetWidth();
    return std::all_of(p_.ColumnMap, p_.ColumnMap + n_, [sw](int32_t x) { return x >= 0 && x < sw; });
  }

  // Walks the rows: fetch(source row, work row) reads the mapped pixels;
  // put(work row, destination pixels of the area, destination row) writes them.
  template <class Fetch, class Put>
  void Rows(bool reuse, Fetch fetch, Put put) {
    if (!Usable()) return;
    std::vector<TRGB> work(static_cast<size_t>(n_));
    const size_t destRowLen = size_t(p_.Dest->GetRowLen());
    int32_t prevSourceRow = -1;
    bool prevDrawn = false;
    for (int32_t y = p_.FirstRow; y <= p_.LastRow; ++y) {
      const int32_t sy = p_.RowMap[y - p_.FirstRow];
      uint8_t* d = p_.RowTable[y];
      if (!d) {
        prevDrawn = false;
        continue;
      }
      if (reuse && prevDrawn && sy == prevSourceRow && p_.RowTable[y - 1]) {
        std::memcpy(d, p_.RowTable[y - 1], destRowLen);
        continue;
      }
      const auto* s = static_cast<const uint8_t*>(src_.GetScanline(sy));
      if (!s) {
        prevDrawn = false;
        continue;
      }
      fetch(s, work.data());
      put(work.data(), d + size_t(p_.FirstColumn) * 3, y, sy);
      prevSourceRow = sy;
      prevDrawn = true;
    }
  }

  // Alpha of work pixel k of source row sy, already limited by the transparency.
  class TAlphaRow {
   public:
    TAlphaRow(TRowRenderer& r, int32_t sy) : r_(r) {
      const TIEStretchRowsParams& p = r.p_;
      if (p.UseAlpha) {
        TIEBitmap* a = r.src_.GetAlphaChannel();
        if (a && a->GetWidth() == r.src_.GetWidth() && a->GetHeight() == r.src_.GetHeight())
          row_ = static_cast<const uint8_t*>(a->GetScanline(sy));
      } else {
        row_ = p.TransparencyRow;
      }
      t_ = std::clamp(p.Transparency, 0, 255);
    }
    int32_t operator[](int32_t k) const { return row_ ? std::min(t_, int32_t(row_[r_.p_.ColumnMap[k]])) : t_; }

   private:
    TRowRenderer& r_;
    const uint8_t* row_ = nullptr;
    int32_t t_ = 255;
  };

  // Mixes the work row into the destination by the per-pixel alpha.
  void MixRow(const TRGB* px, uint8_t* d, int32_t sy) {
    const TAlphaRow alpha(*this, sy);
    for (int32_t k = 0; k < n_; ++k, d += 3) {
      const int32_t a = alpha[k];
      d[0] = Mix(d[0], px[k].b, a);
      d[1] = Mix(d[1], px[k].g, a);
      d[2] = Mix(d[2], px[k].r, a);
    }
  }
  // Combines each work pixel by the operation with a copy of its destination
  // pixel, then mixes that into the destination by alpha.
  void BlendMixRow(const TRGB* px, uint8_t* d, int32_t y, int32_t sy) {
    const TAlphaRow alpha(*this, sy);
    for (int32_t k = 0; k < n_; ++k, d += 3) {
      uint8_t t[3] = {d[0], d[1], d[2]};
      IEBlendPixel(&px[k].b, t, p_.Operation, y);
      const int32_t a = alpha[k];
      d[0] = Mix(d[0], t[0], a);
      d[1] = Mix(d[1], t[1], a);
      d[2] = Mix(d[2], t[2], a);
    }
  }
  static uint8_t Mix(int32_t d, int32_t v, int32_t a) { return uint8_t(d + ((a * (v - d)) >> 8)); }

  // Destination pixels of the plain variants.
  void CopyRow(const TRGB* px, uint8_t* d) { std::memcpy(d, px, size_t(n_) * 3); }
  void Put(const TRGB* px, uint8_t* d, int32_t sy) {
    if (kind_ == TKind::Plain)
      CopyRow(px, d);
    else
      MixRow(px, d, sy);
  }

  int32_t Columns() const { return n_; }
  const int32_t* ColumnMap() const { return p_.ColumnMap; }
  const TIEStretchRowsParams& Params() const { return p_; }
  TKind Kind() const { return kind_; }
  const TGrayRange& Range() const { return range_; }
  const TAdjust& Adjust() const { return adjust_; }
  TIEBitmap& Source() { return src_; }

 private:
  TIEBitmap& src_;
  const TIEStretchRowsParams& p_;
  TKind kind_;
  TGrayRange range_;
  TAdjust adjust_;
  int32_t n_ = 0;
};

bool AdjustOrOperation(TIEBitmap& b, uint8_t op) {
  return b.DisplayAdjust() || b.DisplayContrast() != 0 || op != ieloCopy;
}

// ---- colour sources: ie24RGB, ie32RGB, ieRGB48 ----

// Reads mapped pixels of bytesPerPixel whose first three bytes are blue, green, red.
auto FetchBGR(TRowRenderer& r, size_t bytesPerPixel) {
  return [&r, bytesPerPixel](const uint8_t* s, TRGB* out) {
    const int32_t* map = r.ColumnMap();
    for (int32_t k = 0; k < r.Columns(); ++k) std::memcpy(&out[k], s + size_t(map[k]) * bytesPerPixel, 3);
  };
}

// The ie24RGB block path: row segments moved as they are.
void BlockRows(TIEBitmap& src, const TIEStretchRowsParams& p) {
  if (!p.RowTable || !p.Dest || p.LastColumn < p.FirstColumn || p.FirstColumn < 0) return;
  if (p.LastColumn >= p.Dest->GetWidth() || p.FirstRow < 0 || p.LastRow >= p.Dest->GetHeight()) return;
  const int32_t sw = src.GetWidth(), sh = src.GetHeight();
  const int32_t sx = p.FirstColumn - p.DestX + p.SourceX;
  if (sx < 0 || sx >= sw) return;
  // The segment is the area's width (not the whole destination rectangle's,
  // which would run past the row when an update area cuts it), and no longer
  // than what the source row holds.
  const int32_t n = std::min(p.LastColumn - p.FirstColumn + 1, sw - sx);
  for (int32_t y = p.FirstRow; y <= p.LastRow; ++y) {
    const int32_t sy = y - p.DestY + p.SourceY;
    uint8_t* d = p.RowTable[y];
    if (!d || sy < 0 || sy >= sh) continue;
    const auto* s = static_cast<const uint8_t*>(src.GetScanline(sy));
    if (!s) continue;
    std::memmove(d + size_t(p.FirstColumn) * 3, s + size_t(sx) * 3, size_t(n) * 3);
  }
}

// Operations that make a row depend on more than its source row: a copied
// previous row would be wrong for them.
bool RowDependentOperation(uint8_t op) { return op == ieloInterlaceEven || op == ieloInterlaceOdd; }

// ie24RGB (bytesPerPixel 3) and ie32RGB (4), plain variant.
void ColourRowsPlain(TIEBitmap& src, const TIEStretchRowsParams& p, size_t bytesPerPixel) {
  TRowRenderer r(src, p, TKind::Plain);
  const bool is24 = bytesPerPixel == 3;
  const bool range = is24 && r.Range().active;
  const bool steps1 = p.XStep == 16384 && p.YStep == 16384;
  const bool adjusted = AdjustOrOperation(src, p.Operation) || range || (!is24 && steps1);
  if (!adjusted) {
    if (is24 && steps1) {
      BlockRows(src, p);
      return;
    }
    r.Rows(p.ReuseRows, FetchBGR(r, bytesPerPixel),
           [&](const TRGB* px, uint8_t* d, int32_t, int32_t) { r.CopyRow(px, d); });
    return;
  }
  const bool reuse = p.ReuseRows && !range && !RowDependentOperation(p.Operation);
  const auto fetch = FetchBGR(r, bytesPerPixel);
  r.Rows(
      reuse,
      [&](const uint8_t* s, TRGB* out) {
        fetch(s, out);
        r.Adjust().Row8(out, r.Columns());
        if (range) {
          for (int32_t k = 0; k < r.Columns(); ++k) {
            out[k].b = r.Range().Map(out[k].b);
            out[k].g = r.Range().Map(out[k].g);
            out[k].r = r.Range().Map(out[k].r);
          }
        }
      },
      [&](const TRGB* px, uint8_t* d, int32_t y, int32_t) { IEBlendRow(&px[0].b, d, r.Columns(), p.Operation, y); });
}

void ColourRowsAlpha(TIEBitmap& src, const TIEStretchRowsParams& p, size_t bytesPerPixel) {
  TRowRenderer r(src, p, TKind::Alpha);
  const auto fetch = FetchBGR(r, bytesPerPixel);
  if (!AdjustOrOperation(src, p.Operation)) {
    r.Rows(false, fetch, [&](const TRGB* px, uint8_t* d, int32_t, int32_t sy) { r.MixRow(px, d, sy); });
    return;
  }
  r.Rows(
      false,
      [&](const uint8_t* s, TRGB* out) {
        fetch(s, out);
        r.Adjust().Row8(out, r.Columns());
      },
      [&](const TRGB* px, uint8_t* d, int32_t y, int32_t sy) { r.BlendMixRow(px, d, y, sy); });
}

// ieRGB48: words red, green, blue; reduced to their high bytes, or through the
// 16-bit adjustment when the pixel goes through the operation.
auto Fetch48(TRowRenderer& r, bool adjusted) {
  return [&r, adjusted](const uint8_t* s, TRGB* out) {
    const int32_t* map = r.ColumnMap();
    for (int32_t k = 0; k < r.Columns(); ++k) {
      uint16_t w[3];
      std::memcpy(w, s + size_t(map[k]) * 6, 6);
      if (adjusted)
        out[k] = TRGB{r.Adjust().Channel16(w[2], 0), r.Adjust().Channel16(w[1], 1), r.Adjust().Channel16(w[0], 2)};
      else
        out[k] = TRGB{uint8_t(w[2] >> 8), uint8_t(w[1] >> 8), uint8_t(w[0] >> 8)};
    }
  };
}

void Rows48(TIEBitmap& src, const TIEStretchRowsParams& p, TKind kind) {
  TRowRenderer r(src, p, kind);
  const bool adjusted = AdjustOrOperation(src, p.Operation);
  r.Rows(false, Fetch48(r, adjusted), [&](const TRGB* px, uint8_t* d, int32_t y, int32_t sy) {
    if (!adjusted)
      r.Put(px, d, sy);
    else if (kind == TKind::Plain)
      IEBlendRow(&px[0].b, d, r.Columns(), p.Operation, y);
    else
      r.BlendMixRow(px, d, y, sy);
  });
}

// ---- the other formats: pixel made, then copied or mixed ----

template <class Pixel>
void SimpleRows(TIEBitmap& src, const TIEStretchRowsParams& p, TKind kind, bool reuse, Pixel pixel) {
  TRowRenderer r(src, p, kind);
  r.Rows(
      reuse && kind == TKind::Plain,
      [&](const uint8_t* s, TRGB* out) {
        const int32_t* map = r.ColumnMap();
        for (int32_t k = 0; k < r.Columns(); ++k) out[k] = pixel(r, s, map[k]);
      },
      [&](const TRGB* px, uint8_t* d, int32_t, int32_t sy) { r.Put(px, d, sy); });
}

TRGB Gray(uint8_t g) { return TRGB{g, g, g}; }

void Rows1g(TIEBitmap& src, const TIEStretchRowsParams& p, TKind kind) {
  SimpleRows(src, p, kind, p.ReuseRows,
             [](TRowRenderer&, const uint8_t* s, int32_t x) { return Gray(IEGetBit1(s, x) ? 255 : 0); });
}

void Rows8g(TIEBitmap& src, const TIEStretchRowsParams& p, TKind kind) {
  SimpleRows(src, p, kind, false, [](TRowRenderer& r, const uint8_t* s, int32_t x) {
    return Gray(r.Range().active ? r.Range().Map(s[x]) : s[x]);
  });
}

void Rows8p(TIEBitmap& src, const TIEStretchRowsParams& p, TKind kind) {
  if (src.GetPaletteLen() <= 0 || !src.GetPalette()) return;
  // 256 entries, so an index past a short palette still reads inside it.
  TRGB palette[256];
  IEPalette256(src, palette);
  SimpleRows(src, p, kind, false, [&palette](TRowRenderer&, const uint8_t* s, int32_t x) { return palette[s[x]]; });
}

void Rows16g(TIEBitmap& src, const TIEStretchRowsParams& p, TKind kind) {
  SimpleRows(src, p, kind, false, [](TRowRenderer& r, const uint8_t* s, int32_t x) {
    uint16_t v;
    std::memcpy(&v, s + size_t(x) * 2, 2);
    return Gray(r.Range().active ? r.Range().Map(v) : uint8_t(v >> 8));
  });
}

void Rows32f(TIEBitmap& src, const TIEStretchRowsParams& p, TKind kind) {
  SimpleRows(src, p, kind, false, [](TRowRenderer& r, const uint8_t* s, int32_t x) {
    float v;
    std::memcpy(&v, s + size_t(x) * 4, 4);
    if (r.Range().active) return Gray(r.Range().MapFloat(v));
    return Gray(TruncByte(std::isnan(v) ? 0.0 : double(v) * 255));
  });
}

void RowsCMYK(TIEBitmap& src, const TIEStretchRowsParams& p, TKind kind) {
  SimpleRows(src, p, kind, false, [](TRowRenderer&, const uint8_t* s, int32_t x) {
    const uint8_t* q = s + size_t(x) * 4;
    TRGB rgb;
    IECMYKToRGB(uint32_t(q[0]) | uint32_t(q[1]) << 8 | uint32_t(q[2]) << 16 | uint32_t(q[3]) << 24, rgb);
    return rgb;
  });
}

void RowsLab(TIEBitmap& src, const TIEStretchRowsParams& p, TKind kind) {
  SimpleRows(src, p, kind, false, [](TRowRenderer&, const uint8_t* s, int32_t x) {
    const uint8_t* q = s + size_t(x) * 3;
    TRGB rgb;
    IECIELabToRGB(rgb, TCIELab{q[0], int8_t(q[1]), int8_t(q[2])});
    return rgb;
  });
}

}  // namespace

// A renderer acts only on a buffer of the format it is named after: any other
// layout would be read past its rows.
#define IE_ROW_RENDERER(name, format, body)             \
  void TIEBitmap::name(const TIEStretchRowsParams& p) { \
    if (GetPixelFormat() != (format)) return;           \
    body;                                               \
  }

IE_ROW_RENDERER(StretchRows_ie24RGB, ie24RGB, ColourRowsPlain(*this, p, 3))
IE_ROW_RENDERER(StretchRowsAlpha_ie24RGB, ie24RGB, ColourRowsAlpha(*this, p, 3))
IE_ROW_RENDERER(StretchRows_ie32RGB, ie32RGB, ColourRowsPlain(*this, p, 4))
IE_ROW_RENDERER(StretchRowsAlpha_ie32RGB, ie32RGB, ColourRowsAlpha(*this, p, 4))
IE_ROW_RENDERER(StretchRows_ie1g, ie1g, Rows1g(*this, p, TKind::Plain))
IE_ROW_RENDERER(StretchRowsAlpha_ie1g, ie1g, Rows1g(*this, p, TKind::Alpha))
IE_ROW_RENDERER(StretchRows_ie8g, ie8g, Rows8g(*this, p, TKind::Plain))
IE_ROW_RENDERER(StretchRowsAlpha_ie8g, ie8g, Rows8g(*this, p, TKind::Alpha))
IE_ROW_RENDERER(StretchRows_ie8p, ie8p, Rows8p(*this, p, TKind::Plain))
IE_ROW_RENDERER(StretchRowsAlpha_ie8p, ie8p, Rows8p(*this, p, TKind::Alpha))
IE_ROW_RENDERER(StretchRows_ie16g, ie16g, Rows16g(*this, p, TKind::Plain))
IE_ROW_RENDERER(StretchRowsAlpha_ie16g, ie16g, Rows16g(*this, p, TKind::Alpha))
IE_ROW_RENDERER(StretchRows_ie32f, ie32f, Rows32f(*this, p, TKind::Plain))
IE_ROW_RENDERER(StretchRowsAlpha_ie32f, ie32f, Rows32f(*this, p, TKind::Alpha))
IE_ROW_RENDERER(StretchRows_ieCMYK, ieCMYK, RowsCMYK(*this, p, TKind::Plain))
IE_ROW_RENDERER(StretchRowsAlpha_ieCMYK, ieCMYK, RowsCMYK(*this, p, TKind::Alpha))
IE_ROW_RENDERER(StretchRows_ieCIELab, ieCIELab, RowsLab(*this, p, TKind::Plain))
IE_ROW_RENDERER(StretchRowsAlpha_ieCIELab, ieCIELab, RowsLab(*this, p, TKind::Alpha))
IE_ROW_RENDERER(StretchRows_ieRGB48, ieRGB48, Rows48(*this, p, TKind::Plain))
IE_ROW_RENDERER(StretchRowsAlpha_ieRGB48, ieRGB48, Rows48(*this, p, TKind::Alpha))

#undef IE_ROW_RENDERER
