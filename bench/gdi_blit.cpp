// Blit throughput of the software GDI: whole-frame copies at 1080p and a
// 2x COLORONCOLOR enlargement to 4K. Bytes processed counts destination bytes
// written, so the MB/s column compares with memory bandwidth.
#include <benchmark/benchmark.h>

#include "platform/gdi/gdi.h"

namespace {

using namespace win;

struct Dib {
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  Dib(int w, int h) {
    BITMAPINFO256 bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bmp = CreateDIBSection(dc, bi.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bmp);
    auto* p = static_cast<uint32_t*>(bits);
    for (int64_t i = 0; i < int64_t(w) * h; ++i) p[i] = uint32_t(i * 2654435761u);
  }
  ~Dib() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
};

void BM_BitBltSrcCopy1080p(benchmark::State& state) {
  Dib src(1920, 1080), dst(1920, 1080);
  for (auto _ : state) {
    BitBlt(dst.dc, 0, 0, 1920, 1080, src.dc, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 1920 * 1080 * 4);
}
BENCHMARK(BM_BitBltSrcCopy1080p)->Unit(benchmark::kMillisecond);

void BM_StretchBltColorOnColor1080pTo4K(benchmark::State& state) {
  Dib src(1920, 1080), dst(3840, 2160);
  SetStretchBltMode(dst.dc, COLORONCOLOR);
  for (auto _ : state) {
    StretchBlt(dst.dc, 0, 0, 3840, 2160, src.dc, 0, 0, 1920, 1080, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 3840 * 2160 * 4);
}
BENCHMARK(BM_StretchBltColorOnColor1080pTo4K)->Unit(benchmark::kMillisecond);

}  // namespace
