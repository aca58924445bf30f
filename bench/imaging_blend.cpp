// The stereo combiner over a 3648 x 2736 pair (a 10-megapixel camera's
// pictures): the Dubois anaglyph (floating point) and the gray anaglyph
// (integer), drawn by RenderToTIEBitmap on one thread,
// and the same rows combined by workers of a TIEThreadPool, one band each.
// MB/s counts the bytes of one picture per pass.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ieblend.h"
#include "imaging/core/ierender.h"
#include "imaging/core/iethreadpool.h"

namespace {

constexpr int32_t kWidth = 3648;
constexpr int32_t kHeight = 2736;
constexpr double kPictureBytes = double(kWidth) * kHeight * 3;

// A photo-like picture: gradients with texture; the right one a shifted copy.
std::unique_ptr<TIEBitmap> Picture(int32_t shift) {
  auto b = TIEBitmap::CreateSized(kWidth, kHeight, ie24RGB);
  for (int32_t y = 0; y < kHeight; ++y) {
    auto* row = static_cast<TRGB*>(b->GetScanline(y));
    for (int32_t x = 0; x < kWidth; ++x) {
      const int32_t sx = x + shift;
      row[x] =
          TRGB{uint8_t(sx * 255 / (kWidth + 64)), uint8_t((sx + y) / 28 + (sx * y) % 7), uint8_t(y * 255 / kHeight)};
    }
  }
  return b;
}
TIEBitmap& Left() {
  static const std::unique_ptr<TIEBitmap> b = Picture(0);
  return *b;
}
TIEBitmap& Right() {
  static const std::unique_ptr<TIEBitmap> b = Picture(40);
  return *b;
}

void Rate(benchmark::State& state) {
  state.counters["MB/s"] = benchmark::Counter(kPictureBytes / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_RenderStereo(benchmark::State& state) {
  const auto op = uint8_t(state.range(0));
  auto dest = TIEBitmap::CreateCopy(&Left());
  for (auto _ : state) {
    Right().RenderToTIEBitmap(*dest, nullptr, nullptr, nullptr, nullptr, 0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight,
                              false, false, 255, rfNone, true, op);
    benchmark::DoNotOptimize(dest->GetScanline(0));
  }
  Rate(state);
}

// One band of rows of the combination.
class TBlendBand : public TThread {
 public:
  TBlendBand(const std::vector<uint8_t*>* layer, const std::vector<uint8_t*>* dest, int32_t first, int32_t count,
             uint8_t op)
      : TThread(true), layer_(layer), dest_(dest), first_(first), count_(count), op_(op) {}

 protected:
  void Execute() override {
    for (int32_t y = first_; y < first_ + count_; ++y)
      IEBlendRow((*layer_)[size_t(y)], (*dest_)[size_t(y)], kWidth, op_, y);
  }

 private:
  const std::vector<uint8_t*>* layer_;
  const std::vector<uint8_t*>* dest_;
  int32_t first_, count_;
  uint8_t op_;
};

void BM_BlendWithPool(benchmark::State& state) {
  const auto op = uint8_t(state.range(0));
  const auto threads = int32_t(state.range(1));
  auto dest = TIEBitmap::CreateCopy(&Left());
  std::vector<uint8_t*> layerRows(kHeight), destRows(kHeight);
  for (int32_t y = 0; y < kHeight; ++y) {
    layerRows[size_t(y)] = static_cast<uint8_t*>(Right().GetScanline(y));
    destRows[size_t(y)] = static_cast<uint8_t*>(dest->GetScanline(y));
  }
  for (auto _ : state) {
    TIEThreadPool pool;
    const int32_t each = kHeight / threads;
    for (int32_t k = 0; k < threads; ++k)
      pool.Add(TThread::Create<TBlendBand>(&layerRows, &destRows, k * each,
                                           k == threads - 1 ? kHeight - k * each : each, op));
    pool.WaitAll();
    benchmark::DoNotOptimize(destRows[0][0]);
  }
  Rate(state);
}

}  // namespace

BENCHMARK(BM_RenderStereo)
    ->ArgName("op")
    ->Arg(ieloAnaglyphDubois)
    ->Arg(ieloAnaglyphGray)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_BlendWithPool)
    ->ArgNames({"op", "threads"})
    ->ArgsProduct({{ieloAnaglyphDubois, ieloAnaglyphGray}, {1, 2, 4, 8}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
