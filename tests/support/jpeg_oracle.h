// libjpeg-turbo's command-line tools as the independent JPEG codec that the
// library's decoding is checked against, and the binary PNM pictures they
// exchange with the tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// A picture as PNM holds it: rows top first, each pixel R G B (channels 3) or gray (channels 1).
struct Raster {
  int32_t width = 0;
  int32_t height = 0;
  int32_t channels = 0;
  std::vector<uint8_t> pixels;

  bool Empty() const { return pixels.empty(); }
  size_t Index(int32_t x, int32_t y) const { return (size_t(y) * size_t(width) + size_t(x)) * size_t(channels); }
  const uint8_t* At(int32_t x, int32_t y) const { return &pixels[Index(x, y)]; }
  uint8_t* At(int32_t x, int32_t y) { return &pixels[Index(x, y)]; }
};

// A binary PGM (P5) or PPM (P6) with maxval 255; comments and any white space
// may stand between the header's fields. An empty raster for anything else,
// a truncated picture included.
Raster ParsePnm(const std::string& bytes);
Raster ReadPnmFile(const std::filesystem::path& file);
// The raster as P5 (one channel) or P6 (three).
std::string EncodePnm(const Raster& picture);

// Both djpeg and cjpeg are on the path.
bool HaveJpegTools();

// djpeg's decoding. Options are further djpeg arguments, each its own
// element: {"-scale", "1/4"}, {"-grayscale"}, {"-dct", "int"}. An empty raster
// when djpeg fails or warns.
Raster DjpegFile(const std::filesystem::path& jpeg, const std::vector<std::string>& options = {});
Raster DjpegBytes(const std::string& jpeg, const std::vector<std::string>& options = {});
// The JPEG stream that fills size bytes from offset of a file (one picture of an MPO).
Raster DjpegRange(const std::filesystem::path& file, uint64_t offset, uint64_t size,
                  const std::vector<std::string>& options = {});

// cjpeg's encoding of a raster, with further cjpeg arguments such as {"-quality", "95"}.
// Empty when cjpeg fails.
std::string Cjpeg(const Raster& picture, const std::vector<std::string>& options = {});

}  // namespace testsupport
