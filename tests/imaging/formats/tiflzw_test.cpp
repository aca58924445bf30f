// TIFF LZW: hand-made code streams, round trips, and libtiff/Pillow as the
// independent codec on both sides.
#include "imaging/formats/tiflzw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "imaging/io/ioparams.h"
#include "platform/classes/streams.h"
#include "tests/imaging/formats/codectest.h"

namespace {

using codectest::Bits;
using codectest::Code;

// Frees a decoder or encoder state that a test leaves behind.
struct DecoderState {
  void* state = nullptr;
  ~DecoderState() {
    if (state) TIFFLZWDecode(nullptr, 0, 0, state, 1);
  }
};

// The rows of a strip as strings; "FAIL" for a null row.
std::vector<std::string> DecodeRows(const std::vector<uint8_t>& strip, int32_t rowBytes, int32_t rows,
                                    int32_t fillOrder = 1) {
  DecoderState s;
  std::vector<std::string> out;
  for (int32_t r = 0; r < rows; ++r) {
    const uint8_t* row = TIFFLZWDecode(strip.data(), int32_t(strip.size()), rowBytes, s.state, fillOrder);
    out.push_back(row ? std::string(reinterpret_cast<const char*>(row), size_t(rowBytes)) : "FAIL");
  }
  return out;
}

std::vector<uint8_t> Encode(const std::vector<uint8_t>& data, size_t rowBytes) {
  TMemoryStream out;
  void* state = nullptr;
  for (size_t at = 0; at < data.size(); at += rowBytes)
    TIFFLZWEncode(data.data() + at, int32_t(std::min(rowBytes, data.size() - at)), out, state);
  TIFFLZWEncode(nullptr, 0, out, state);
  EXPECT_EQ(state, nullptr);
  const uint8_t* p = static_cast<const uint8_t*>(out.Memory());
  return std::vector<uint8_t>(p, p + out.Size());
}

const std::string kClear = Code(256, 9), kEnd = Code(257, 9), kA = Code('A', 9), kB = Code('B', 9);

TEST(TIFFLZW, HandMadeStreams) {
  const std::string z(1, '\0');
  struct Case {
    const char* name;
    std::string bits;
    int32_t fillOrder;
    int32_t rowBytes;
    std::vector<std::string> rows;
  };
  // A B A B A B A: the code 260 arrives when 260 is the next code (KwKwK).
  const std::string abababa = kClear + kA + kB + Code(258, 9) + Code(260, 9) + kEnd;
  const Case cases[] = {
      {"code equal to the next code", abababa, 1, 7, {"ABABABA"}},
      {"surplus carried to the next row", abababa, 1, 3, {"ABA", "BAB", "A" + z + z}},
      {"code beyond the next code ends the row", kClear + kA + Code(300, 9) + kB + kEnd, 1, 3,
       {"A" + z + z, "B" + z + z}},
      {"code after Clear beyond the table", kClear + Code(258, 9), 1, 2, {"FAIL", "FAIL"}},
      {"strip without Clear", kA + kB + kEnd, 1, 2, {"AB"}},
      {"Clear twice", kClear + kClear + kA + kEnd, 1, 1, {"A"}},
      {"strip cut inside a code", kClear + kA + "00100", 1, 2, {"A" + z, z + z}},
      {"nothing after EndOfInformation", kClear + kA + kEnd + kB + kB, 1, 2, {"A" + z, z + z}},
      {"strip shorter than one code", "0000000", 1, 2, {z + z}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeRows(Bits(c.bits), c.rowBytes, int32_t(c.rows.size()), 1), c.rows);
    // FillOrder 2 data is the same data with every byte bit-reversed.
    EXPECT_EQ(DecodeRows(codectest::Reversed(Bits(c.bits)), c.rowBytes, int32_t(c.rows.size()), 2), c.rows);
  }
}

// After Clear the decoder reads 254 codes of 9 bits; the 255th, read when
// its next code has become 511, has 10.
TEST(TIFFLZW, DecoderWidensOneCodeEarly) {
  std::string bits = kClear;
  for (int i = 0; i < 254; ++i) bits += kA;
  bits += Code('B', 10) + Code(257, 10);
  const auto rows = DecodeRows(Bits(bits), 255, 1);
  EXPECT_EQ(rows[0], std::string(254, 'A') + "B");
}

// The bytes 0 to 255 have no pair in common, so each is a code of its own:
// Clear, 254 codes of 9 bits, then 10 bits from the 255th code on.
TEST(TIFFLZW, EncoderWidensOneCodeEarly) {
  std::vector<uint8_t> data(256);
  std::string bits = kClear;
  for (int i = 0; i < 256; ++i) {
    data[size_t(i)] = uint8_t(i);
    bits += Code(uint32_t(i), i < 254 ? 9 : 10);
  }
  bits += Code(257, 10);
  EXPECT_EQ(Encode(data, 100), Bits(bits));
}

// Each code after the first adds an entry: 3838 codes fill slots 258 to 4095,
// and one more has no slot left.
TEST(TIFFLZW, FullTableIsRefusedBeforeItOverflows) {
  auto stream = [](int codes) {
    std::string bits = kClear;
    int next = 258;
    int width = 9;
    for (int i = 0; i < codes; ++i) {
      bits += Code('A', width);
      if (i == 0) continue;
      ++next;
      if (next == 511 || next == 1023 || next == 2047) ++width;
    }
    return Bits(bits + Code(257, width));
  };
  EXPECT_EQ(DecodeRows(stream(3839), 3839, 1)[0], std::string(3839, 'A'));
  EXPECT_EQ(DecodeRows(stream(3840), 3840, 1)[0], "FAIL");
}

TEST(TIFFLZW, RoundTrips) {
  std::mt19937 rng(56);
  // Random bytes fill the table several times over; runs and a small
  // alphabet make long strings.
  std::vector<uint8_t> noise(20000), runs, text;
  for (uint8_t& b : noise) b = uint8_t(rng());
  while (runs.size() < 8000) runs.insert(runs.end(), 1 + rng() % 300, uint8_t(rng() % 3));
  for (int i = 0; i < 6000; ++i) text.push_back(uint8_t("ab "[rng() % 3]));
  for (const auto* data : {&noise, &runs, &text}) {
    for (size_t rowBytes : {size_t(1), size_t(97), size_t(5000)}) {
      SCOPED_TRACE(rowBytes);
      const std::vector<uint8_t> strip = Encode(*data, rowBytes);
      const int32_t rows = int32_t((data->size() + rowBytes - 1) / rowBytes);
      std::string all;
      for (const std::string& r : DecodeRows(strip, int32_t(rowBytes), rows)) all += r;
      all.resize(data->size());
      EXPECT_TRUE(std::equal(all.begin(), all.end(), data->begin(), [](char a, uint8_t b) { return uint8_t(a) == b; }));
    }
  }
}

// Cut anywhere, a strip decodes to a prefix of its data and zeros after it,
// never reading past the cut (ASan) and never failing.
TEST(TIFFLZW, StripCutAnywhere) {
  std::mt19937 rng(9);
  std::vector<uint8_t> data(700);
  for (uint8_t& b : data) b = uint8_t(1 + rng() % (rng() % 2 ? 255 : 3));  // no zero byte
  const std::vector<uint8_t> strip = Encode(data, 70);
  for (size_t n = 0; n <= strip.size(); ++n) {
    SCOPED_TRACE(n);
    const std::vector<uint8_t> cut(strip.begin(), strip.begin() + ptrdiff_t(n));
    const uint8_t none = 0;
    DecoderState s;
    std::vector<uint8_t> out;
    for (int r = 0; r < 10; ++r) {
      const uint8_t* row = TIFFLZWDecode(cut.empty() ? &none : cut.data(), int32_t(n), 70, s.state, 1);
      ASSERT_NE(row, nullptr);
      out.insert(out.end(), row, row + 70);
    }
    size_t k = 0;
    while (k < out.size() && out[k] == data[k]) ++k;
    EXPECT_TRUE(std::all_of(out.begin() + ptrdiff_t(k), out.end(), [](uint8_t b) { return b == 0; }));
  }
}

TEST(TIFFLZW, InstalledAsTheLibraryDefault) {
  EXPECT_EQ(IEDefTIFFLZWDecompress, &TIFFLZWDecode);
  EXPECT_EQ(IEDefTIFFLZWCompress, &TIFFLZWEncode);
  TIOParamsVals params;
  EXPECT_EQ(params.TIFFLZWDecompress, &TIFFLZWDecode);
  EXPECT_EQ(params.TIFFLZWCompress, &TIFFLZWEncode);
}

// An 8-bit grey page of 203 x 90: noise in the top half (several table
// resets), gradients below; libtiff compresses it in strips of 16 rows.
const char* const kMakeLZW = R"(
import sys, os, random, subprocess
from PIL import Image
d = sys.argv[1]
random.seed(7)
w, h = 203, 90
px = [random.randrange(256) if y < 45 else (x * 3 + y) % 256 for y in range(h) for x in range(w)]
im = Image.new('L', (w, h))
im.putdata(px)
im.save(os.path.join(d, 'plain.tif'))
subprocess.check_call(['tiffcp', '-c', 'lzw', '-r', '16', os.path.join(d, 'plain.tif'), os.path.join(d, 'lzw.tif')])
t = Image.open(os.path.join(d, 'lzw.tif'))
assert t.tag_v2[259] == 5
raw = open(os.path.join(d, 'lzw.tif'), 'rb').read()
for i, (o, n) in enumerate(zip(t.tag_v2[273], t.tag_v2[279])):
    open(os.path.join(d, 'strip%d' % i), 'wb').write(raw[o:o + n])
open(os.path.join(d, 'pixels'), 'wb').write(t.tobytes())
)";

TEST(TIFFLZW, DecodesLibtiffStrips) {
  if (!codectest::HaveOracles()) GTEST_SKIP() << "tiffcp or Pillow missing (scripts/setup installs them)";
  testsupport::TempDir dir;
  ASSERT_TRUE(codectest::RunPython(kMakeLZW, dir.Path()));
  const std::vector<uint8_t> pixels = codectest::ReadBytes(dir / "pixels");
  ASSERT_EQ(pixels.size(), 203u * 90u);
  std::vector<uint8_t> decoded;
  for (int strip = 0; strip * 16 < 90; ++strip) {
    const int32_t rows = std::min(16, 90 - strip * 16);
    for (const std::string& r : DecodeRows(codectest::ReadBytes(dir / ("strip" + std::to_string(strip))), 203, rows))
      decoded.insert(decoded.end(), r.begin(), r.end());
  }
  EXPECT_EQ(decoded, pixels);
}

// Our strip in a one-strip page, read back by Pillow and by tiffcp (to an
// uncompressed copy that Pillow reads).
const char* const kReadBack = R"(
import sys, os, subprocess
from PIL import Image
d = sys.argv[1]
src = os.path.join(d, 'ours.tif')
open(os.path.join(d, 'pil'), 'wb').write(Image.open(src).tobytes())
subprocess.check_call(['tiffcp', '-c', 'none', src, os.path.join(d, 'copy.tif')])
open(os.path.join(d, 'tiffcp'), 'wb').write(Image.open(os.path.join(d, 'copy.tif')).tobytes())
)";

TEST(TIFFLZW, LibtiffAndPillowReadOurStrips) {
  if (!codectest::HaveOracles()) GTEST_SKIP() << "tiffcp or Pillow missing (scripts/setup installs them)";
  const int32_t w = 157, h = 120;
  std::mt19937 rng(5);
  std::vector<uint8_t> pixels(size_t(w * h));
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = i < pixels.size() / 2 ? uint8_t(rng()) : uint8_t(i / 7);
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir / "ours.tif", codectest::OneStripTiff(w, h, 8, 5, 1, Encode(pixels, size_t(w))));
  ASSERT_TRUE(codectest::RunPython(kReadBack, dir.Path()));
  EXPECT_EQ(codectest::ReadBytes(dir / "pil"), pixels);
  EXPECT_EQ(codectest::ReadBytes(dir / "tiffcp"), pixels);
}

}  // namespace
