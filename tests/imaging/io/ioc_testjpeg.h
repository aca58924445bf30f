// Test pictures for the load-and-save component: a JPEG made with cjpeg from a
// known gradient, and djpeg's decoding of it as the independent reference.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <string>

#include "imaging/io/ieioset.h"
#include "imaging/io/ieregistry.h"
#include "tests/support/jpeg_oracle.h"
#include "tests/support/testsupport.h"

namespace ioctest {

// A width x height gradient compressed with cjpeg, and djpeg's decoding of it.
// Empty jpeg when the tools are missing.
struct MadeJpeg {
  std::filesystem::path path;
  std::string jpeg;
  testsupport::Raster reference;
};

inline MadeJpeg MakeJpeg(const testsupport::TempDir& dir, int32_t width, int32_t height, const std::string& name = "p.jpg") {
  testsupport::Raster gradient{width, height, 3, {}};
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      gradient.pixels.insert(gradient.pixels.end(), {uint8_t(x * 255 / std::max(1, width - 1)),
                                                     uint8_t(y * 255 / std::max(1, height - 1)),
                                                     uint8_t((x + y) % 256)});
  MadeJpeg m;
  m.jpeg = testsupport::Cjpeg(gradient, {"-quality", "95"});
  if (m.jpeg.empty()) return {};
  m.reference = testsupport::DjpegBytes(m.jpeg);
  if (m.reference.Empty()) return {};
  m.path = dir / name;
  testsupport::WriteFileBytes(m.path, m.jpeg);
  return m;
}

// The registry as the library start-up leaves it, for one test, and again after it.
class RegistryScope {
public:
  RegistryScope() { IERegisterBuiltinFormats(); }
  ~RegistryScope() { IERegisterBuiltinFormats(); }
  RegistryScope(const RegistryScope&) = delete;
  RegistryScope& operator=(const RegistryScope&) = delete;
};

}  // namespace ioctest
