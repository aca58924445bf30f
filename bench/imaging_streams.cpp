// One-byte reads through the buffered read stream, the access pattern of the
// marker and tag scanners, and the same reads straight from the memory stream
// for comparison; plus inflating through the decompression stream.
#include <benchmark/benchmark.h>

#include <string>

#include "imaging/core/iezlib.h"
#include "imaging/core/iestreams.h"

namespace {

constexpr int64_t kSize = 16 << 20;

TMemoryStream& Source() {
  static TMemoryStream s = [] {
    TMemoryStream m;
    std::string block(1 << 20, '\0');
    for (size_t i = 0; i < block.size(); ++i) block[i] = char(i * 31 + (i >> 9));
    for (int64_t i = 0; i < kSize / int64_t(block.size()); ++i) m.WriteBuffer(block.data(), int64_t(block.size()));
    return m;
  }();
  return s;
}

void BM_BufferedOneByteReads(benchmark::State& state) {
  TMemoryStream& src = Source();
  for (auto _ : state) {
    src.SetPosition(0);
    TIEBufferedReadStream s(src, int32_t(state.range(0)));
    uint8_t b = 0;
    uint32_t sum = 0;
    while (s.Read(&b, 1) == 1) sum += b;
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_BufferedOneByteReads)->Arg(1024)->Arg(8192)->Arg(65536)->Unit(benchmark::kMillisecond);

void BM_MemoryStreamOneByteReads(benchmark::State& state) {
  TMemoryStream& src = Source();
  for (auto _ : state) {
    src.SetPosition(0);
    uint8_t b = 0;
    uint32_t sum = 0;
    while (src.Read(&b, 1) == 1) sum += b;
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_MemoryStreamOneByteReads)->Unit(benchmark::kMillisecond);

void BM_Inflate(benchmark::State& state) {
  TMemoryStream packed;
  {
    TZCompressionStream z(packed, 2);
    z.WriteBuffer(Source().Memory(), kSize);
  }
  std::string buf(65536, '\0');
  for (auto _ : state) {
    packed.SetPosition(0);
    TZDecompressionStream z(packed);
    while (z.Read(buf.data(), int32_t(buf.size())) > 0) {
    }
  }
  state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_Inflate)->Unit(benchmark::kMillisecond);

}  // namespace
