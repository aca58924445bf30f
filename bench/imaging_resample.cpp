// Resampling a 3648 x 2736 picture to 1920 x 1440 through _ResampleEx: the
// fixed-point fast linear path (on the calling thread), and the two-pass
// convolution (rfTriangle, rfLanczos3), whose horizontal pass runs in bands on
// one TResampleHorizThread per core; the core count is set per run through
// the count's cache. MB/s counts the source's bytes per pass.
#include <benchmark/benchmark.h>

#include <memory>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/ieresample.h"

namespace {

constexpr int32_t kWidth = 3648;
constexpr int32_t kHeight = 2736;
constexpr int32_t kOutWidth = 1920;
constexpr int32_t kOutHeight = 1440;

TIEBitmap& Source() {
  static const std::unique_ptr<TIEBitmap> b = [] {
    auto p = TIEBitmap::CreateSized(kWidth, kHeight, ie24RGB);
    for (int32_t y = 0; y < kHeight; ++y) {
      auto* row = static_cast<TRGB*>(p->GetScanline(y));
      for (int32_t x = 0; x < kWidth; ++x)
        row[x] = TRGB{uint8_t(x * 255 / kWidth), uint8_t((x + y) / 28 + (x * y) % 7), uint8_t(y * 255 / kHeight)};
    }
    return p;
  }();
  return *b;
}

void Resample(benchmark::State& state, TResampleFilter filter) {
  const int32_t saved = IEProcessorCoresCache;
  IEProcessorCoresCache = int32_t(state.range(0));
  auto dest = TIEBitmap::CreateSized(kOutWidth, kOutHeight, ie24RGB);
  for (auto _ : state) {
    _ResampleEx(Source(), *dest, nullptr, {}, filter);
    benchmark::DoNotOptimize(dest->GetScanline(0));
  }
  IEProcessorCoresCache = saved;
  state.counters["MB/s"] =
      benchmark::Counter(double(kWidth) * kHeight * 3 / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ResampleFastLinear(benchmark::State& state) { Resample(state, rfFastLinear); }
void BM_ResampleTriangle(benchmark::State& state) { Resample(state, rfTriangle); }
void BM_ResampleLanczos3(benchmark::State& state) { Resample(state, rfLanczos3); }

}  // namespace

BENCHMARK(BM_ResampleFastLinear)->ArgName("cores")->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResampleTriangle)->ArgName("cores")->DenseRange(1, 8, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResampleLanczos3)
    ->ArgName("cores")
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
