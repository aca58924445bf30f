// Test pictures for the load-and-save component: a JPEG made with cjpeg from a
// known gradient, and djpeg's decoding of it as the independent reference.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "imaging/io/ieioset.h"
#include "imaging/io/ieregistry.h"
#include "tests/support/testsupport.h"

namespace ioctest {

struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::string rgb;  // djpeg's rows, top first, R G B
};

// Reads a binary PPM (P6, maxval 255) as djpeg writes it.
inline Picture ReadPPM(const std::string& bytes) {
  Picture p;
  size_t pos = 0;
  auto token = [&]() {
    while (pos < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[pos]))) ++pos;
    size_t start = pos;
    while (pos < bytes.size() && !std::isspace(static_cast<unsigned char>(bytes[pos]))) ++pos;
    return bytes.substr(start, pos - start);
  };
  if (token() != "P6") return p;
  p.width = std::stoi(token());
  p.height = std::stoi(token());
  token();  // maxval
  ++pos;
  p.rgb = bytes.substr(pos);
  return p;
}

// Writes a width x height gradient as a PPM, compresses it with cjpeg and
// decodes that with djpeg. Empty jpeg when the tools are missing.
struct MadeJpeg {
  std::filesystem::path path;
  std::string jpeg;
  Picture reference;
};

inline MadeJpeg MakeJpeg(const testsupport::TempDir& dir, int32_t width, int32_t height, const std::string& name = "p.jpg") {
  std::string ppm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      ppm += char(x * 255 / std::max(1, width - 1));
      ppm += char(y * 255 / std::max(1, height - 1));
      ppm += char((x + y) % 256);
    }
  MadeJpeg m;
  testsupport::WriteFileBytes(dir / "src.ppm", ppm);
  m.path = dir / name;
  std::string cmd = "cjpeg -quality 95 -outfile '" + m.path.string() + "' '" + (dir / "src.ppm").string() + "'";
  if (std::system(cmd.c_str()) != 0) return {};
  cmd = "djpeg -pnm -outfile '" + (dir / "ref.ppm").string() + "' '" + m.path.string() + "'";
  if (std::system(cmd.c_str()) != 0) return {};
  m.jpeg = testsupport::ReadFileBytes(m.path);
  m.reference = ReadPPM(testsupport::ReadFileBytes(dir / "ref.ppm"));
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
