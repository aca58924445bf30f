#include "imaging/core/neurquant.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "imaging/core/ieconvert.h"
#include "imaging/core/ieprocutils.h"

// ---- NeuQuant ---------------------------------------------------------------------------------

namespace {

constexpr int32_t kNetBiasShift = 4;  // channel values are pixel values x 16 while learning
constexpr int32_t kInitAlpha = 1024;
constexpr int32_t kRadBias = 256;
constexpr int32_t kAlphaRadBias = 262144;  // 1024 x 256
constexpr int32_t kRadiusBiasShift = 6;
constexpr int32_t kRadiusDec = 30;
constexpr int32_t kBetaShift = 10;
constexpr int32_t kGammaShift = 10;
constexpr int32_t kBeta = 64;               // 65536 shr 10
constexpr int32_t kBetaGamma = 65536;       // 64 shl 10
constexpr int32_t kIntBiasShift = 16;

struct TNeuron {
  int32_t b, g, r, index;
};

}  // namespace

struct TNeuQuantState {
  int32_t netsize = 0;
  int32_t maxnetpos = 0;
  int32_t initrad = 0;
  int32_t initradius = 0;
  int32_t alphadec = 0;
  TIEBitmap* source = nullptr;
  int64_t lengthcount = 0;
  int32_t samplefac = 1;
  std::vector<TNeuron> network;
  int32_t netindex[256] = {};
  std::vector<int32_t> bias;
  std::vector<int32_t> freq;
  std::vector<int32_t> radpower;
  int32_t width = 0;
  int32_t height = 0;

  void RadPowers(int32_t alpha, int32_t rad) {
    // 64-bit: rad squared times 256 outgrows 32 bits for networks of many thousand colours.
    const int64_t rr = int64_t(rad) * rad;
    for (int32_t k = 0; k < rad; ++k)
      radpower[size_t(k)] = int32_t(alpha * (((rr - int64_t(k) * k) * kRadBias) / rr));
  }

  int32_t Contest(int32_t b, int32_t g, int32_t r) {
    int32_t bestd = INT32_MAX, bestbiasd = INT32_MAX, bestpos = -1, bestbiaspos = -1;
    for (int32_t i = 0; i < netsize; ++i) {
      const TNeuron& n = network[size_t(i)];
      const int32_t dist = std::abs(n.b - b) + std::abs(n.g - g) + std::abs(n.r - r);
      if (dist < bestd) {
        bestd = dist;
        bestpos = i;
      }
      const int32_t biasdist = dist - (bias[size_t(i)] >> (kIntBiasShift - kNetBiasShift));
      if (biasdist < bestbiasd) {
        bestbiasd = biasdist;
        bestbiaspos = i;
      }
      const int32_t betafreq = freq[size_t(i)] >> kBetaShift;
      freq[size_t(i)] -= betafreq;
      bias[size_t(i)] += betafreq << kGammaShift;
    }
    freq[size_t(bestpos)] += kBeta;
    bias[size_t(bestpos)] -= kBetaGamma;
    return bestbiaspos;
  }

  void AlterSingle(int32_t alpha, int32_t i, int32_t b, int32_t g, int32_t r) {
    TNeuron& n = network[size_t(i)];
    n.b -= (n.b - b) * alpha / kInitAlpha;
    n.g -= (n.g - g) * alpha / kInitAlpha;
    n.r -= (n.r - r) * alpha / kInitAlpha;
  }

  void AlterNeighbours(int32_t rad, int32_t i, int32_t b, int32_t g, int32_t r) {
    const int32_t lo = std::max(i - rad, -1);
    const int32_t hi = std::min(i + rad, netsize);
    int32_t j = i + 1, k = i - 1, m = 1;
    const auto move = [&](TNeuron& n, int64_t a) {
      n.b -= int32_t((n.b - b) * a / kAlphaRadBias);
      n.g -= int32_t((n.g - g) * a / kAlphaRadBias);
      n.r -= int32_t((n.r - r) * a / kAlphaRadBias);
    };
    while (j < hi || k > lo) {
      const int32_t a = radpower[size_t(m++)];
      if (j < hi) move(network[size_t(j++)], a);
      if (k > lo) move(network[size_t(k--)], a);
    }
  }

  void Learn() {
    alphadec = 30 + (samplefac - 1) / 3;
    const int64_t pixels = lengthcount / 3;
    const int64_t samplepixels = lengthcount / (3 * int64_t(samplefac));
    int64_t delta = samplepixels / 100;
    if (delta == 0) delta = 1;
    int32_t alpha = kInitAlpha;
    int32_t radius = initradius;
    int32_t rad = radius >> kRadiusBiasShift;
    if (rad <= 1) rad = 0;
    RadPowers(alpha, rad);
    int64_t step;
    if (lengthcount % 499 != 0)
      step = 499;
    else if (lengthcount % 491 != 0)
      step = 491;
    else if (lengthcount % 487 != 0)
      step = 487;
    else
      step = 503;
    int64_t pos = 0;
    int32_t cachedRow = -1;
    const uint8_t* row = nullptr;
    TIEAccessScope scope(*source, iedRead);
    for (int64_t i = 0; i < samplepixels;) {
      int64_t y = pos / width;
      if (y >= height) y %= height;
      const int64_t x = pos % width;
      if (int32_t(y) != cachedRow) {
        row = static_cast<const uint8_t*>(source->GetScanline(int32_t(y)));
        cachedRow = int32_t(y);
      }
      if (row) {
        const uint8_t* p = row + x * 3;
        const int32_t b = p[0] << kNetBiasShift, g = p[1] << kNetBiasShift, r = p[2] << kNetBiasShift;
        const int32_t j = Contest(b, g, r);
        AlterSingle(alpha, j, b, g, r);
        if (rad != 0) AlterNeighbours(rad, j, b, g, r);
      }
      pos += step;
      if (pos >= pixels) pos -= pixels;
      ++i;
      if (i % delta == 0) {
        alpha -= alpha / alphadec;
        radius -= radius / kRadiusDec;
        rad = radius >> kRadiusBiasShift;
        if (rad <= 1) rad = 0;
        RadPowers(alpha, rad);
      }
    }
  }

  void Unbias() {
    for (int32_t i = 0; i < netsize; ++i) {
      TNeuron& n = network[size_t(i)];
      for (int32_t* v : {&n.b, &n.g, &n.r}) *v = std::clamp((*v + (1 << (kNetBiasShift - 1))) >> kNetBiasShift, 0, 255);
      n.index = i;
    }
  }

  void BuildIndex() {
    int32_t previous = 0, start = 0;
    for (int32_t i = 0; i < netsize; ++i) {
      int32_t smallpos = i;
      int32_t smallval = network[size_t(i)].g;
      for (int32_t j = i + 1; j < netsize; ++j)
        if (network[size_t(j)].g < smallval) {
          smallpos = j;
          smallval = network[size_t(j)].g;
        }
      if (i != smallpos) std::swap(network[size_t(i)], network[size_t(smallpos)]);
      if (smallval != previous) {
        netindex[previous] = (start + i) >> 1;
        for (int32_t c = previous + 1; c < smallval; ++c) netindex[c] = i;
        previous = smallval;
        start = i;
      }
    }
    netindex[previous] = (start + maxnetpos) >> 1;
    for (int32_t c = previous + 1; c < 256; ++c) netindex[c] = maxnetpos;
  }

  int32_t Search(int32_t b, int32_t g, int32_t r) const {
    int32_t bestd = 1000, best = -1;
    int32_t i = netindex[g], j = i - 1;
    const auto consider = [&](const TNeuron& n, int32_t d) {
      d += std::abs(n.b - b);
      if (d < bestd) {
        d += std::abs(n.r - r);
        if (d < bestd) {
          bestd = d;
          best = n.index;
        }
      }
    };
    while (i < netsize || j >= 0) {
      if (i < netsize) {
        const TNeuron& n = network[size_t(i)];
        const int32_t d = n.g - g;
        if (d >= bestd) {
          i = netsize;
        } else {
          ++i;
          consider(n, std::abs(d));
        }
      }
      if (j >= 0) {
        const TNeuron& n = network[size_t(j)];
        const int32_t d = g - n.g;
        if (d >= bestd) {
          j = -1;
        } else {
          --j;
          consider(n, std::abs(d));
        }
      }
    }
    return best;
  }
};

void TNeuQuantDeleter::operator()(TNeuQuantState* state) const { NeuQuantFree(state); }

int32_t NeuQuantSamplingFactor(int64_t pixels, int32_t quality) {
  int64_t f;
  if (quality == -1) {
    f = pixels < 2000 ? 1 : int64_t(std::nearbyint(double(pixels - 2000) * 13 / 148000 + 2));
  } else {
    f = int64_t((100 - double(quality)) / 100 * 29) + 1;
  }
  return int32_t(std::clamp<int64_t>(f, 1, 30));
}

TNeuQuantPtr NeuQuantCreate(TIEBitmap& bitmap, TRGB* palette, int32_t quality, int32_t colors) {
  TNeuQuantPtr state(new TNeuQuantState);
  TNeuQuantState& s = *state;
  s.netsize = std::max(colors, 1);
  s.maxnetpos = s.netsize - 1;
  s.initrad = s.netsize / 8;
  s.initradius = s.initrad * (1 << kRadiusBiasShift);
  s.source = &bitmap;
  s.width = std::max(bitmap.GetWidth(), 0);
  s.height = std::max(bitmap.GetHeight(), 0);
  s.lengthcount = int64_t(s.width) * s.height * 3;
  s.samplefac = NeuQuantSamplingFactor(int64_t(s.width) * s.height, quality);
  s.network.resize(size_t(s.netsize));
  s.bias.assign(size_t(s.netsize), 0);
  s.freq.resize(size_t(s.netsize));
  s.radpower.assign(size_t(std::max(s.initrad, 1)), 0);
  for (int32_t i = 0; i < s.netsize; ++i) {
    const int32_t v = int32_t(int64_t(i) * (256 << kNetBiasShift) / s.netsize);
    s.network[size_t(i)] = TNeuron{v, v, v, 0};
    s.freq[size_t(i)] = 65536 / s.netsize;
  }
  if (s.lengthcount > 0 && bitmap.GetPixelFormat() == ie24RGB) s.Learn();
  s.Unbias();
  for (int32_t i = 0; i < s.netsize; ++i) {
    const TNeuron& n = s.network[size_t(i)];
    palette[i] = TRGB{uint8_t(n.b), uint8_t(n.g), uint8_t(n.r)};
  }
  s.BuildIndex();
  return state;
}

int32_t NeuQuantColorIndex(const TNeuQuantState& state, uint32_t color) {
  return state.Search(int32_t(color & 0xFF), int32_t((color >> 8) & 0xFF), int32_t((color >> 16) & 0xFF));
}

void NeuQuantFree(TNeuQuantState* state) { delete state; }

// ---- TIEQuantizer -----------------------------------------------------------------------------

namespace {
inline uint32_t Packed(const TRGB& c) { return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; }
inline size_t SlotOf(uint32_t key, size_t mask) { return size_t((key * 2654435761u) >> 7) & mask; }
}  // namespace

TIEQuantizer::TIEQuantizer(TIEBitmap& bitmap, TRGB* palette, int32_t colors)
    : colors_(std::max(colors, 1)), source_(bitmap) {
  gray_ = bitmap.IsGrayScale();
  const TIEPixelFormat format = bitmap.GetPixelFormat();
  if (!gray_ && format == ie24RGB) {
    if (BuildExactPalette()) {
      std::copy(exact_.begin(), exact_.end(), palette);
      return;
    }
    const int32_t m = IEQuantizerMethod;
    method_ = (m == -1 && colors_ < 128) || m == 1 ? 1 : 0;
    if (method_ == 1)
      stdQuant_ = StdQuantCreate(bitmap, palette, colors_);
    else
      neuQuant_ = NeuQuantCreate(bitmap, palette, IEQuantizerQuality, colors_);
    return;
  }
  if (format == ie8p) {
    for (int32_t i = 0; i < colors_; ++i) palette[i] = bitmap.GetPaletteColor(i);
  } else if (gray_) {
    for (int32_t i = 0; i < colors_; ++i) {
      const auto g = uint8_t(std::min(255.0, std::trunc(256.0 / colors_ * i)));
      palette[i] = TRGB{g, g, g};
    }
  }
}

TIEQuantizer::~TIEQuantizer() = default;

bool TIEQuantizer::BuildExactPalette() {
  size_t slots = 16;
  while (slots < size_t(colors_) * 2 + 2) slots *= 2;
  exactSlots_.assign(slots, -1);
  const size_t mask = slots - 1;
  TIEAccessScope scope(source_, iedRead);
  const int32_t width = source_.GetWidth();
  for (int32_t y = 0; y < source_.GetHeight(); ++y) {
    const auto* row = static_cast<const TRGB*>(source_.GetScanline(y));
    if (!row) continue;
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t key = Packed(row[x]);
      size_t s = SlotOf(key, mask);
      while (exactSlots_[s] >= 0 && Packed(exact_[size_t(exactSlots_[s])]) != key) s = (s + 1) & mask;
      if (exactSlots_[s] >= 0) continue;
      if (int32_t(exact_.size()) == colors_) {
        exact_.clear();
        exactSlots_.clear();
        return false;
      }
      exactSlots_[s] = int32_t(exact_.size());
      exact_.push_back(row[x]);
    }
  }
  return true;
}

int32_t TIEQuantizer::ExactIndex(const TRGB& c) const {
  const uint32_t key = Packed(c);
  const size_t mask = exactSlots_.size() - 1;
  for (size_t s = SlotOf(key, mask); exactSlots_[s] >= 0; s = (s + 1) & mask)
    if (Packed(exact_[size_t(exactSlots_[s])]) == key) return exactSlots_[s];
  return -1;
}

int32_t TIEQuantizer::ColorToIndex(const TRGB& c) {
  if (!exact_.empty()) return ExactIndex(c);
  if (gray_) return int32_t(c.r) * colors_ / 256;
  if (neuQuant_) return NeuQuantColorIndex(*neuQuant_, Packed(c));
  if (stdQuant_) return StdQuantColorIndex(*stdQuant_, Packed(c));
  if (source_.GetPixelFormat() == ie8p) {
    const int32_t n = source_.GetPaletteLen();
    const TRGB* pal = source_.GetPalette();
    if (!pal || n <= 0) return 0;
    for (int32_t i = 0; i < n; ++i)
      if (pal[i] == c) return i;
    // Not in the palette: the nearest entry, never an index past the palette.
    return NearestPaletteIndex(pal, n, Packed(c));
  }
  return 0;
}

void TIEQuantizer::ColorsToIndexes(const TRGB* pixels, uint8_t* indexes, int32_t count) {
  const auto put = [&](auto index) {
    for (int32_t i = 0; i < count; ++i) {
      const int32_t v = index(pixels[i]);
      indexes[i] = v >= 0 && v <= 255 ? uint8_t(v) : 0;
    }
  };
  // One rule per row, chosen as ColorToIndex would choose it for every pixel.
  if (!exact_.empty())
    put([this](const TRGB& c) { return ExactIndex(c); });
  else if (gray_)
    put([this](const TRGB& c) { return int32_t(c.r) * colors_ / 256; });
  else if (neuQuant_) {
    constexpr size_t kMemo = 65536;
    if (memoKeys_.empty()) {
      memoKeys_.assign(kMemo, 0xFFFFFFFFu);  // no packed colour has a high byte
      memoIndexes_.assign(kMemo, 0);
    }
    put([this](const TRGB& c) {
      const uint32_t key = Packed(c);
      const size_t slot = size_t((key * 2654435761u) >> 16) & (kMemo - 1);
      if (memoKeys_[slot] != key) {
        memoKeys_[slot] = key;
        memoIndexes_[slot] = NeuQuantColorIndex(*neuQuant_, key);
      }
      return memoIndexes_[slot];
    });
  }
  else if (stdQuant_)
    put([this](const TRGB& c) { return StdQuantColorIndex(*stdQuant_, Packed(c)); });
  else
    put([this](const TRGB& c) { return ColorToIndex(c); });
}
