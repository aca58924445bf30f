// Image buffer throughput: a 6000 x 4000 ie24RGB image (72 MB) allocated,
// filled and copied, with its pixels in memory and in a temporary file.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "imaging/core/iebitmap.h"

namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;

// What a fill of ie24RGB does: one row of the colour, copied into every row.
void FillRows(TIEBitmap& b, TRGB color) {
  TIEAccessScope scope(b, iedWrite);
  std::vector<uint8_t> row(size_t(b.GetRowLen()));
  for (int32_t x = 0; x < b.GetWidth(); ++x) std::memcpy(&row[size_t(x) * 3], &color, 3);
  for (int32_t y = 0; y < b.GetHeight(); ++y) std::memcpy(b.GetScanline(y), row.data(), row.size());
}

// threshold INT64_MAX keeps the pixels in memory, 0 sends them to a temporary file.
void AllocateFillAssign(benchmark::State& state, int64_t threshold) {
  int64_t imageBytes = 0;
  for (auto _ : state) {
    TIEBitmap src;
    src.SetMemoryThreshold(threshold);
    if (!src.Allocate(kWidth, kHeight, ie24RGB)) state.SkipWithError("allocation failed");
    FillRows(src, TRGB{10, 20, 30});
    TIEBitmap dst;
    dst.SetMemoryThreshold(threshold);
    dst.Assign(&src);
    benchmark::DoNotOptimize(dst.GetScanline(kHeight - 1));
    imageBytes = int64_t(src.GetRowLen()) * kHeight;
  }
  // Every byte is written by the fill and moved once by the copy.
  state.SetBytesProcessed(state.iterations() * imageBytes * 2);
}

void AssignOnly(benchmark::State& state, int64_t threshold) {
  TIEBitmap src;
  src.SetMemoryThreshold(threshold);
  if (!src.Allocate(kWidth, kHeight, ie24RGB)) state.SkipWithError("allocation failed");
  FillRows(src, TRGB{1, 2, 3});
  TIEBitmap dst;
  dst.SetMemoryThreshold(threshold);
  for (auto _ : state) {
    dst.Assign(&src);
    benchmark::DoNotOptimize(dst.GetScanline(0));
  }
  state.SetBytesProcessed(state.iterations() * int64_t(src.GetRowLen()) * kHeight);
}

BENCHMARK_CAPTURE(AllocateFillAssign, memory, INT64_MAX)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AllocateFillAssign, temporary_file, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AssignOnly, memory, INT64_MAX)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AssignOnly, temporary_file, 0)->Unit(benchmark::kMillisecond);

}  // namespace
