// Helpers of the TIFF compression tests: code streams written as '0'/'1'
// text, bit reversal done here rather than by the code under test, a
// one-strip TIFF around a strip, and the Pillow/tiffcp oracles.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/imaging/formats/tiffbuilder.h"
#include "tests/support/testsupport.h"

namespace codectest {

// "0001 1..." as bytes, first bit in the most significant position, the last
// byte padded with zero bits; characters other than '0' and '1' are ignored.
inline std::vector<uint8_t> Bits(std::string_view text) {
  std::vector<uint8_t> out;
  int n = 0;
  for (char c : text) {
    if (c != '0' && c != '1') continue;
    if (n % 8 == 0) out.push_back(0);
    if (c == '1') out.back() |= uint8_t(0x80 >> (n % 8));
    ++n;
  }
  return out;
}

// Every byte with its bit order reversed (FillOrder 2).
// value as width bits of '0'/'1' text, most significant first.
inline std::string Code(uint32_t value, int width) {
  std::string s;
  for (int k = width - 1; k >= 0; --k) s += char('0' + ((value >> k) & 1));
  return s;
}

inline std::vector<uint8_t> Reversed(std::vector<uint8_t> bytes) {
  for (uint8_t& b : bytes) {
    uint8_t r = 0;
    for (int k = 0; k < 8; ++k)
      if (b & (1 << k)) r |= uint8_t(0x80 >> k);
    b = r;
  }
  return bytes;
}

// One little-endian page of one strip: extra entries (tag, value) as SHORTs.
inline std::string OneStripTiff(uint32_t width, uint32_t height, uint32_t bits, uint32_t compression,
                                uint32_t photometric, const std::vector<uint8_t>& strip,
                                const std::vector<std::pair<uint16_t, uint32_t>>& extra = {}) {
  tiffbuild::Builder b(false);
  const uint32_t at = b.Append(std::string(strip.begin(), strip.end()));
  std::vector<tiffbuild::Entry> entries = {b.Long(256, {width}),        b.Long(257, {height}),
                                           b.Short(258, {bits}),        b.Short(259, {compression}),
                                           b.Short(262, {photometric}), b.Long(273, {at}),
                                           b.Short(277, {1}),           b.Long(278, {height}),
                                           b.Long(279, {uint32_t(strip.size())})};
  for (auto [tag, value] : extra) entries.push_back(b.Short(tag, {value}));
  std::sort(entries.begin(), entries.end(), [](const auto& x, const auto& y) { return x.tag < y.tag; });
  b.SetFirstIFD(b.AddIFD(entries));
  return b.Bytes();
}

inline bool HaveOracles() {
  return testsupport::HaveTool("tiffcp") && testsupport::RunSucceeds("/usr/bin/python3 -c 'import PIL' 2>/dev/null");
}

// Runs a Python script (with Pillow) with the folder as its argument.
inline bool RunPython(const std::string& script, const std::filesystem::path& dir) {
  return testsupport::RunSucceeds("/usr/bin/python3 -c " + testsupport::ShellQuote(script) + " " +
                                  testsupport::ShellQuote(dir.string()));
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& p) {
  const std::string s = testsupport::ReadFileBytes(p);
  return std::vector<uint8_t>(s.begin(), s.end());
}

}  // namespace codectest
