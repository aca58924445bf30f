// JPEG decoding speed: ReadJpegStream against a plain libjpeg decode of the
// same bytes, for both pictures of a stereo camera file at full size and at
// 1/2, 1/4, 1/8. Each iteration runs both decoders back to back; the reported
// time is ours and the counter "vs_plain" is our time over the plain one.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>

#include "app/MPOFileFormat.h"
#include "imaging/core/iebitmap.h"
#include "imaging/core/iestreams.h"
#include "imaging/io/jpegfilt.h"
#include "platform/classes/streams.h"

namespace {

struct TPictures {
  std::vector<uint8_t> File;
  std::vector<std::pair<int64_t, int64_t>> Ranges;  // offset, size
};

const TPictures& Pictures() {
  static const TPictures pictures = [] {
    TPictures p;
    // The shared sample folder beside the checkout, unless the environment names another.
    const char* env = std::getenv("DUPLEXION_SHARED_TESTDATA");
    const std::filesystem::path root =
        env && *env ? std::filesystem::path(env)
                    : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "shared" / "testdata";
    const std::filesystem::path path = root / "real" / "Panasonic-DMC-GX8.mpo";
    std::ifstream in(path, std::ios::binary);
    p.File.assign(std::istreambuf_iterator<char>(in), {});
    if (p.File.empty()) return p;
    TIEMemStream stream(p.File.data(), int64_t(p.File.size()));
    TMPOInfo info;
    info.LoadFromStream(stream);
    for (int32_t i = 0; i < info.GetNumberOfImages(); ++i)
      p.Ranges.emplace_back(info.GetImageOffset(i), info.GetImageSize(i));
    return p;
  }();
  return pictures;
}

struct TPlainError {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void PlainErrorExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<TPlainError*>(cinfo->err)->jump, 1); }

// The plain decode: memory source, the same scale and pixel order, rows into one buffer.
bool PlainDecode(const uint8_t* data, size_t size, unsigned denom, std::vector<uint8_t>& pixels) {
  jpeg_decompress_struct ci;
  TPlainError err;
  ci.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = PlainErrorExit;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&ci);
    return false;
  }
  jpeg_create_decompress(&ci);
  jpeg_mem_src(&ci, data, (unsigned long)size);
  jpeg_read_header(&ci, TRUE);
  ci.scale_num = 1;
  ci.scale_denom = denom;
  ci.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&ci);
  const size_t stride = size_t(ci.output_width) * 3;
  pixels.resize(stride * ci.output_height);
  while (ci.output_scanline < ci.output_height) {
    JSAMPROW row = pixels.data() + stride * ci.output_scanline;
    jpeg_read_scanlines(&ci, &row, 1);
  }
  jpeg_finish_decompress(&ci);
  jpeg_destroy_decompress(&ci);
  return true;
}

void BM_JpegDecode(benchmark::State& state) {
  const TPictures& p = Pictures();
  const auto picture = size_t(state.range(0));
  const auto scale = int32_t(state.range(1));  // 1 full .. 4 eighth
  if (picture >= p.Ranges.size()) {
    state.SkipWithError("stereo sample file not found");
    return;
  }
  const uint8_t* data = p.File.data() + p.Ranges[picture].first;
  const auto size = size_t(p.Ranges[picture].second);
  TIEBitmap bitmap;
  std::vector<uint8_t> plain;
  double ours = 0, reference = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    TIEMemStream stream(data, int64_t(size));
    TIOParamsVals params;
    params.JpegScale = uint8_t(scale);
    std::atomic<bool> aborting{false};
    TIEProgressRecord progress;
    progress.Aborting = &aborting;
    const int32_t rows =
        ReadJpegStream(stream, bitmap, params, progress);
    const auto t1 = std::chrono::steady_clock::now();
    const bool ok = PlainDecode(data, size, 1u << (scale - 1), plain);
    const auto t2 = std::chrono::steady_clock::now();
    if (aborting.load() || rows <= 0 || !ok) {
      state.SkipWithError("decode failed");
      return;
    }
    benchmark::DoNotOptimize(bitmap.GetScanline(0));
    benchmark::DoNotOptimize(plain.data());
    const double a = std::chrono::duration<double>(t1 - t0).count();
    ours += a;
    reference += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(a);
  }
  state.counters["vs_plain"] = reference > 0 ? ours / reference : 0;
  state.counters["width"] = bitmap.GetWidth();
}

}  // namespace

BENCHMARK(BM_JpegDecode)
    ->ArgNames({"picture", "scale"})
    ->ArgsProduct({{0, 1}, {1, 2, 3, 4}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
