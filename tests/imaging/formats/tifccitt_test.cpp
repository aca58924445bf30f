// CCITT fax codes: hand-made bit strings read against ITU-T T.4, round trips
// in every mode, and libtiff/Pillow as the independent codec on both sides.
#include "imaging/formats/tifccitt.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "tests/imaging/formats/codectest.h"

namespace {

using codectest::Bits;
using codectest::Reversed;

enum Mode { MH, G3_1D, G3_2D, G4 };
const char* const kModeNames[] = {"MH", "G3 1D", "G3 2D", "G4"};

// A packed row as '0'/'1' text of its first width pixels.
std::string RowText(const std::vector<uint8_t>& row, int32_t width) {
  std::string s;
  for (int32_t p = 0; p < width; ++p) s += char('0' + ((row[size_t(p / 8)] >> (7 - p % 8)) & 1));
  return s;
}

std::vector<uint8_t> PackedRow(const std::string& text) { return Bits(text.empty() ? "0" : text); }

std::string Inverted(std::string text) {
  for (char& c : text) c = c == '1' ? '0' : '1';
  return text;
}

// Decodes rows the way the TIFF reader walks a strip: modified Huffman rows
// start on byte boundaries, Group 3 and 4 rows follow each other bit by bit,
// and the two-dimensional ones start from an all-white reference line.
class StripDecoder {
public:
  StripDecoder(Mode mode, const std::vector<uint8_t>& data, int32_t fillOrder, int32_t width, bool eolExpected = true)
      : mode_(mode), data_(data), fillOrder_(fillOrder), width_(width), eol_(eolExpected),
        reference_(size_t((width + 7) / 8) + 1, 0xFF) {}

  // The next row as text; with text false only the position moves.
  std::string Next(bool text = true) {
    std::vector<uint8_t> row(size_t((width_ + 7) / 8) + 1, 0xAA);
    const int32_t length = int32_t(data_.size());
    switch (mode_) {
      case MH: {
        const int32_t used = CCITTDecodeMH(row.data(), data_.data() + bytePos_, length - bytePos_, fillOrder_, width_);
        EXPECT_LE(used, length - bytePos_);
        bytePos_ += used;
        bitPos_ = int64_t(bytePos_) * 8;
        break;
      }
      case G3_1D: bitPos_ = CCITTDecode1D(row.data(), data_.data(), length, fillOrder_, bitPos_, width_); break;
      case G3_2D:
      case G4:
        bitPos_ = CCITTDecode2D(row.data(), data_.data(), length, mode_ == G3_2D || eol_, fillOrder_, bitPos_,
                                reference_.data(), width_);
        if (text) {
          EXPECT_EQ(RowText(reference_, width_), RowText(row, width_)) << "the row becomes the reference line";
        }
        break;
    }
    EXPECT_LE(bitPos_, int64_t(length) * 8);
    return text ? RowText(row, width_) : std::string();
  }
  int64_t BitPos() const { return bitPos_; }
  void SetReference(const std::string& text) {
    const std::vector<uint8_t> r = PackedRow(text);
    std::copy(r.begin(), r.end(), reference_.begin());
  }

private:
  Mode mode_;
  const std::vector<uint8_t>& data_;
  int32_t fillOrder_, width_;
  bool eol_;
  std::vector<uint8_t> reference_;
  int32_t bytePos_ = 0;
  int64_t bitPos_ = 0;
};

// Rows given as '0'/'1' text with 1 for black, encoded as one strip.
std::vector<uint8_t> EncodeStrip(Mode mode, const std::vector<std::string>& rows, int32_t fillOrder) {
  TMemoryStream out;
  bool abort = false;
  std::vector<uint8_t> reference;
  int32_t pendingBits = 0;
  uint8_t pendingByte = 0;
  for (const std::string& text : rows) {
    const std::vector<uint8_t> row = PackedRow(text);
    const int32_t w = int32_t(text.size());
    switch (mode) {
      case MH: CCITTEncodeMH(row.data(), w, out, fillOrder, abort); break;
      case G3_1D: CCITTEncodeG3_1D(row.data(), w, out, fillOrder, abort, pendingBits, pendingByte); break;
      case G3_2D:
        CCITTEncodeG3_2D(row.data(), w, out, fillOrder, abort, reference, pendingBits, pendingByte);
        break;
      case G4: CCITTEncodeG4(row.data(), w, out, fillOrder, abort, reference, pendingBits, pendingByte); break;
    }
  }
  switch (mode) {
    case MH: break;
    case G3_1D: CCITTEncodeG3_1D(nullptr, 0, out, fillOrder, abort, pendingBits, pendingByte); break;
    case G3_2D: CCITTEncodeG3_2D(nullptr, 0, out, fillOrder, abort, reference, pendingBits, pendingByte); break;
    case G4: CCITTEncodeG4(nullptr, 0, out, fillOrder, abort, reference, pendingBits, pendingByte); break;
  }
  EXPECT_FALSE(abort);
  EXPECT_EQ(pendingBits, 0) << "a strip ends on a byte boundary";
  EXPECT_TRUE(reference.empty()) << "the finishing call frees the reference line";
  const uint8_t* p = static_cast<const uint8_t*>(out.Memory());
  return std::vector<uint8_t>(p, p + out.Size());
}

// T.4 codes used below: white 3 1000, white 2 0111, white 0 00110101,
// black 2 11, black 3 10, end of line 000000000001; two-dimensional modes:
// pass 0001, horizontal 001, V0 1, VR1 011, VL1 010, uncompressed 0000001111.
TEST(CCITTDecode, HandMadeRows) {
  struct Case {
    const char* name;
    Mode mode;
    int32_t width;
    const char* reference;  // decoded polarity, 1 white; empty: all white
    const char* bits;
    std::string row;        // 1 white, 0 black
    int64_t end;            // bit position after the row
  };
  const Case cases[] = {
      {"white 3, black 2, white 3", G3_1D, 8, "", "1000 11 1000", "11100111", 10},
      {"fill and an end of line before the row", G3_1D, 8, "", "0000 000000000001 1000 11 1000", "11100111", 26},
      {"end of line after a black run ends the row, unconsumed", G3_1D, 8, "", "1000 11 000000000001", "11100111", 6},
      {"end of line inside a black run blackens the rest", G3_1D, 8, "", "1000 000000000001", "11100000", 4},
      {"data ending inside the row leaves it white", G3_1D, 8, "", "1000", "11111111", 8},
      {"make-up 64, terminating 2, black 4", G3_1D, 70, "", "11011 0111 011", std::string(66, '1') + "0000", 12},
      {"modified Huffman row of one white pixel", MH, 1, "", "000111", "1", 8},
      {"row starting black: white run 0", MH, 4, "", "00110101 11 0111", "0011", 16},
      {"horizontal white 2 black 3, then V0", G4, 8, "", "001 0111 10 1", "11000111", 10},
      {"pass to b2, then V0", G4, 8, "11000111", "0001 1", "11111111", 5},
      {"V0 three times copies the reference line", G4, 8, "11000111", "1 1 1", "11000111", 3},
      {"VR1, VL1, V0", G4, 8, "11000111", "011 010 1", "11101111", 7},
      {"twelve zeros are skipped without end-of-line codes", G4, 8, "", "000000000000 1", "11111111", 13},
      {"uncompressed mode: 1, 01, exit with white", G4, 8, "", "0000001111 1 01 0000001 0 1", "01011111", 22},
      {"Group 3 row after end of line and 1: one-dimensional", G3_2D, 8, "", "000000000001 1 1000 11 1000",
       "11100111", 23},
      {"Group 3 row after fill, end of line and 0: two-dimensional", G3_2D, 8, "",
       "0000 000000000001 0 001 0111 10 1", "11000111", 27},
  };
  for (const Case& c : cases) {
    for (int32_t fillOrder : {1, 2}) {
      SCOPED_TRACE(std::string(c.name) + (fillOrder == 2 ? ", FillOrder 2" : ""));
      const std::vector<uint8_t> data = fillOrder == 2 ? Reversed(Bits(c.bits)) : Bits(c.bits);
      StripDecoder d(c.mode, data, fillOrder, c.width, false);
      if (*c.reference) d.SetReference(c.reference);
      EXPECT_EQ(d.Next(), c.row);
      EXPECT_EQ(d.BitPos(), c.mode == MH ? (c.end + 7) / 8 * 8 : c.end);
    }
  }
}

// Every code of the table, alone in a buffer, decodes to its own entry.
TEST(CCITTDecode, TreesFindEveryCode) {
  for (int32_t colour : {0, 1})
    for (int32_t e = 0; e < kCCITTEntries; ++e) {
      const TCCITTRunCode& c = CCITTRunCode(colour, e);
      std::vector<uint8_t> buf(8, 0);
      for (int32_t k = 0; k < c.Length; ++k)
        if ((c.Code >> (c.Length - 1 - k)) & 1) buf[size_t(k / 8)] |= uint8_t(0x80 >> (k % 8));
      buf[5] = 0xFF;  // stops the zeros of a longer end of line from matching
      EXPECT_EQ(CCITTDecodeRunCode(buf.data(), 8, 0, 1, colour), e) << "colour " << colour << ", entry " << e;
    }
  const std::vector<uint8_t> zeros(8, 0);
  EXPECT_EQ(CCITTDecodeRunCode(zeros.data(), 8, 0, 1, 0), kCCITTNoCode);
  EXPECT_EQ(CCITTDecodeRunCode(zeros.data(), 8, 64, 1, 0), kCCITTPastEnd);
}

TEST(CCITTEncode, HandMadeStrips) {
  struct Case {
    const char* name;
    Mode mode;
    std::vector<std::string> rows;  // 1 black
    std::string bits;
  };
  const std::string eol = "000000000001";
  const Case cases[] = {
      {"white 2561: make-up 2560, terminating 1", MH, {std::string(2561, '0')}, "000000011111 000111"},
      {"white 1728: make-up 1728, terminating 0", MH, {std::string(1728, '0')}, "010011011 00110101"},
      {"one white pixel takes one byte", MH, {"0"}, "000111"},
      {"black 2600: white 0, make-up 2560, black 40", MH, {std::string(2600, '1')},
       "00110101 000000011111 000001101100"},
      {"Group 3 row ends on a byte boundary", G3_1D, {"00011000"}, eol + "1000 11 1000"},
      {"Group 3 two-dimensional: 1D row, 2D row, end of line", G3_2D, {"00011000", "00011000"},
       eol + "1 1000 11 1000" + eol + "0 1 1 1" + eol},
      {"Group 4 ends with two ends of line", G4, {"00000000"}, "1" + eol + eol},
      {"Group 4 horizontal mode", G4, {"00111000"}, "001 0111 10 1" + eol + eol},
  };
  for (const Case& c : cases) {
    for (int32_t fillOrder : {1, 2}) {
      SCOPED_TRACE(std::string(c.name) + (fillOrder == 2 ? ", FillOrder 2" : ""));
      const std::vector<uint8_t> expected = fillOrder == 2 ? Reversed(Bits(c.bits)) : Bits(c.bits);
      EXPECT_EQ(EncodeStrip(c.mode, c.rows, fillOrder), expected);
    }
  }
}

// Rows that exercise every code: noise, long runs (make-up and extended
// make-up codes, runs past 2560), and rows close to the one before (pass and
// vertical modes).
std::vector<std::string> RandomRows(std::mt19937& rng, int32_t width, int32_t count) {
  std::vector<std::string> rows;
  for (int32_t r = 0; r < count; ++r) {
    std::string row;
    switch (rng() % 3) {
      case 0:
        for (int32_t p = 0; p < width; ++p) row += char('0' + rng() % 2);
        break;
      case 1:
        for (char c = char('0' + rng() % 2); int32_t(row.size()) < width; c = c == '0' ? '1' : '0')
          row.append(rng() % 4 ? rng() % 40 + 1 : rng() % 6000 + 1, c);
        row.resize(size_t(width));
        break;
      default:
        row = rows.empty() ? std::string(size_t(width), '0') : rows.back();
        for (int32_t k = 0; k < 1 + width / 16; ++k) {
          const size_t p = rng() % size_t(width);
          row[p] = row[p] == '0' ? '1' : '0';
        }
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(CCITTCodec, RoundTripsInEveryModeAndFillOrder) {
  std::mt19937 rng(60);
  std::vector<int32_t> widths;
  for (int32_t w = 1; w <= 70; ++w) widths.push_back(w);
  for (int32_t w : {1728, 2561, 5003, 65535}) widths.push_back(w);
  for (int32_t width : widths) {
    const std::vector<std::string> rows = RandomRows(rng, width, width > 5000 ? 4 : 12);
    for (Mode mode : {MH, G3_1D, G3_2D, G4})
      for (int32_t fillOrder : {1, 2}) {
        SCOPED_TRACE(std::string(kModeNames[mode]) + ", width " + std::to_string(width) + ", FillOrder " +
                     std::to_string(fillOrder));
        const std::vector<uint8_t> strip = EncodeStrip(mode, rows, fillOrder);
        StripDecoder d(mode, strip, fillOrder, width);
        for (const std::string& row : rows) ASSERT_EQ(d.Next(), Inverted(row));
      }
  }
}

// A Group 3 strip with fill bits before every end of line decodes like the
// same strip without them.
TEST(CCITTDecode, FillBitsBeforeEndOfLine) {
  const std::string eol = "000000000001", row = "1000 11 1000";
  for (Mode mode : {G3_1D, G3_2D}) {
    const std::string tag = mode == G3_2D ? "1" : "";
    const std::vector<uint8_t> plain = Bits(eol + tag + row + eol + tag + row);
    const std::vector<uint8_t> filled = Bits("000000" + eol + tag + row + "0000000000000" + eol + tag + row);
    StripDecoder a(mode, plain, 1, 8), b(mode, filled, 1, 8);
    for (int r = 0; r < 2; ++r) EXPECT_EQ(a.Next(), b.Next()) << kModeNames[mode] << ", row " << r;
  }
}

// Random, all-zero, all-one and endless end-of-line data, and a valid strip
// cut at every length, at widths 1 to 7 and 65535: every decoder stays inside
// its buffers (ASan), its position only moves forward, and it stops.
TEST(CCITTDecode, BadInputStaysInside) {
  std::mt19937 rng(3);
  std::vector<std::vector<uint8_t>> inputs = {std::vector<uint8_t>(61, 0x00), std::vector<uint8_t>(61, 0xFF),
                                              Bits(std::string(40, '0') + [] {
                                                std::string s;
                                                for (int i = 0; i < 50; ++i) s += "000000000001";
                                                return s;
                                              }())};
  for (int i = 0; i < 20; ++i) {
    std::vector<uint8_t> noise(size_t(1 + rng() % 80));
    for (uint8_t& b : noise) b = uint8_t(rng());
    inputs.push_back(noise);
  }
  const std::vector<uint8_t> valid = EncodeStrip(G3_2D, RandomRows(rng, 37, 6), 1);
  for (size_t n = 0; n <= valid.size(); ++n) inputs.emplace_back(valid.begin(), valid.begin() + ptrdiff_t(n));
  for (int32_t width : {1, 2, 3, 4, 5, 6, 7, 65535})
    for (Mode mode : {MH, G3_1D, G3_2D, G4})
      for (const auto& input : inputs) {
        // An exact-size copy, so that ASan sees any read past the end.
        const std::vector<uint8_t> exact(input.begin(), input.end());
        StripDecoder d(mode, exact, 1 + int32_t(input.size() % 2), width, input.size() % 3 == 0);
        int64_t last = 0;
        for (int r = 0; r < 40; ++r) {
          d.Next(false);
          ASSERT_GE(d.BitPos(), last);
          last = d.BitPos();
        }
      }
}

// A 211 x 67 page of text-like shapes and noise, compressed by libtiff in
// every fax scheme; Pillow's pixels as the truth. Writes one line per variant
// (name, width, height, compression, FillOrder, T4Options) and, per variant,
// the strip and the rows as text, 1 where the code is white.
const char* const kMakeFax = R"(
import sys, os, random, subprocess
from PIL import Image, ImageDraw
d = sys.argv[1]
random.seed(11)
w, h = 211, 67
im = Image.new('1', (w, h), 1)
dr = ImageDraw.Draw(im)
for i in range(25):
    x, y = random.randrange(w), random.randrange(h)
    dr.rectangle([x, y, x + random.randrange(1, 60), y + random.randrange(1, 9)], fill=0)
for i in range(400):
    im.putpixel((random.randrange(w), random.randrange(h)), random.randrange(2))
im.save(os.path.join(d, 'plain.tif'))
meta = []
for name, args in [('g31d', ['-c', 'g3:1d']), ('g31dfill', ['-c', 'g3:1d:fill']), ('g32d', ['-c', 'g3:2d']),
                   ('g4', ['-c', 'g4']), ('g4lsb', ['-c', 'g4', '-f', 'lsb2msb'])]:
    out = os.path.join(d, name + '.tif')
    subprocess.check_call(['tiffcp'] + args + ['-r', str(h), os.path.join(d, 'plain.tif'), out])
    t = Image.open(out)
    tags = t.tag_v2
    photometric = tags.get(262, 0)
    raw = open(out, 'rb').read()
    o, n = tags[273][0], tags[279][0]
    open(os.path.join(d, name + '.strip'), 'wb').write(raw[o:o + n])
    px = t.convert('L').load()
    with open(os.path.join(d, name + '.rows'), 'w') as f:
        for y in range(h):
            f.write(''.join('1' if (px[x, y] != 0) == (photometric == 0) else '0' for x in range(w)) + '\n')
    meta.append('%s %d %d %d %d %d' % (name, w, h, tags[259], tags.get(266, 1), tags.get(292, 0)))
open(os.path.join(d, 'meta'), 'w').write('\n'.join(meta) + '\n')
)";

std::vector<std::string> Lines(const std::filesystem::path& p) {
  std::ifstream in(p);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CCITTDecode, DecodesLibtiffStrips) {
  if (!codectest::HaveOracles()) GTEST_SKIP() << "tiffcp or Pillow missing (scripts/setup installs them)";
  testsupport::TempDir dir;
  ASSERT_TRUE(codectest::RunPython(kMakeFax, dir.Path()));
  const std::vector<std::string> meta = Lines(dir / "meta");
  ASSERT_EQ(meta.size(), 5u);
  for (const std::string& line : meta) {
    std::istringstream fields(line);
    std::string name;
    int32_t w, h, compression, fillOrder, t4;
    fields >> name >> w >> h >> compression >> fillOrder >> t4;
    SCOPED_TRACE(line);
    const std::vector<uint8_t> strip = codectest::ReadBytes(dir / (name + ".strip"));
    const std::vector<std::string> expected = Lines(dir / (name + ".rows"));
    ASSERT_EQ(int32_t(expected.size()), h);
    const Mode mode = compression == 4 ? G4 : (t4 & 1) ? G3_2D : G3_1D;
    StripDecoder d(mode, strip, fillOrder, w, compression == 3);
    for (int32_t y = 0; y < h; ++y) ASSERT_EQ(d.Next(), expected[size_t(y)]) << "row " << y;
  }
}

// Our strips, each in a one-strip WhiteIsZero page, read by Pillow and by
// tiffcp (to an uncompressed copy that Pillow reads); rows as text, 1 black.
const char* const kReadFax = R"(
import sys, os, subprocess
from PIL import Image
d = sys.argv[1]
def rows(path):
    t = Image.open(path).convert('L')
    px = t.load()
    return '\n'.join(''.join('1' if px[x, y] == 0 else '0' for x in range(t.size[0])) for y in range(t.size[1])) + '\n'
for name in open(os.path.join(d, 'names')).read().split():
    src = os.path.join(d, name + '.tif')
    open(os.path.join(d, name + '.pil'), 'w').write(rows(src))
    subprocess.check_call(['tiffcp', '-c', 'none', src, os.path.join(d, name + '.copy.tif')])
    open(os.path.join(d, name + '.tiffcp'), 'w').write(rows(os.path.join(d, name + '.copy.tif')))
)";

TEST(CCITTEncode, LibtiffAndPillowReadOurStrips) {
  if (!codectest::HaveOracles()) GTEST_SKIP() << "tiffcp or Pillow missing (scripts/setup installs them)";
  std::mt19937 rng(44);
  const int32_t w = 83, h = 40;
  const std::vector<std::string> rows = RandomRows(rng, w, h);
  testsupport::TempDir dir;
  std::string names;
  for (Mode mode : {MH, G3_1D, G3_2D, G4})
    for (int32_t fillOrder : {1, 2}) {
      const std::string name = "m" + std::to_string(int(mode)) + "f" + std::to_string(fillOrder);
      std::vector<std::pair<uint16_t, uint32_t>> tags = {{266, uint32_t(fillOrder)}};
      if (mode == G3_1D || mode == G3_2D) tags.push_back({292, mode == G3_2D ? 1u : 0u});
      if (mode == G4) tags.push_back({293, 0});
      const uint32_t compression = mode == MH ? 2 : mode == G4 ? 4 : 3;
      testsupport::WriteFileBytes(dir / (name + ".tif"), codectest::OneStripTiff(w, h, 1, compression, 0,
                                                                                 EncodeStrip(mode, rows, fillOrder), tags));
      names += name + "\n";
    }
  testsupport::WriteFileBytes(dir / "names", names);
  ASSERT_TRUE(codectest::RunPython(kReadFax, dir.Path()));
  for (const std::string& name : Lines(dir / "names")) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Lines(dir / (name + ".pil")), rows);
    EXPECT_EQ(Lines(dir / (name + ".tiffcp")), rows);
  }
}

}  // namespace
