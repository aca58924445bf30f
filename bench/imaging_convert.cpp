// Pixel-format conversion of a 4000 x 3000 photo-sized image: to 8-bit gray
// (one row loop) and to a 256-colour palette (quantizer over the image, then
// one index lookup per pixel).
#include <benchmark/benchmark.h>

#include <memory>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iecolorconv.h"
#include "imaging/core/ieconvert.h"

namespace {

constexpr int32_t kWidth = 4000;
constexpr int32_t kHeight = 3000;

// Smooth gradients with some texture: far more than 256 colours, like a photo.
const TIEBitmap& Source() {
  static const std::unique_ptr<TIEBitmap> image = [] {
    auto b = TIEBitmap::CreateSized(kWidth, kHeight, ie24RGB);
    for (int32_t y = 0; y < kHeight; ++y) {
      auto* row = static_cast<TRGB*>(b->GetScanline(y));
      for (int32_t x = 0; x < kWidth; ++x)
        row[x] = TRGB{uint8_t(x * 255 / kWidth), uint8_t((x + y) / 28 + (x * y) % 7), uint8_t(y * 255 / kHeight)};
    }
    return b;
  }();
  return *image;
}

void Convert(benchmark::State& state, TIEPixelFormat format) {
  TIEBitmap& source = const_cast<TIEBitmap&>(Source());
  for (auto _ : state) {
    state.PauseTiming();
    auto b = TIEBitmap::CreateCopy(&source);
    state.ResumeTiming();
    b->ConvertToFormat(format);
    benchmark::DoNotOptimize(b->GetScanline(0));
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}

void BM_ConvertRGBToGray8(benchmark::State& state) { Convert(state, ie8g); }
void BM_ConvertRGBToPalette256(benchmark::State& state) { Convert(state, ie8p); }

}  // namespace

BENCHMARK(BM_ConvertRGBToGray8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertRGBToPalette256)->Unit(benchmark::kMillisecond);
