#include "imaging/io/ieencoders.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/streamtestutil.h"

namespace {

std::string Group(const std::vector<uint8_t>& bytes) {
  char out[5];
  const uint8_t* src = bytes.data();
  char* dst = out;
  const int32_t n = IEASCII85Group(src, int32_t(bytes.size()), dst);
  EXPECT_EQ(dst - out, n);
  EXPECT_EQ(src - bytes.data(), int64_t(bytes.size()));
  return std::string(out, size_t(n));
}

std::string Encode85(const std::string& data, int32_t* counter = nullptr) {
  std::string out(size_t(IEASCII85EncodeBound(int32_t(data.size()))), '\0');
  const auto* src = reinterpret_cast<const uint8_t*>(data.data());
  char* dst = out.data();
  int32_t count = 0;
  const int32_t n = IEASCII85Encode(src, int32_t(data.size()), dst, count);
  EXPECT_EQ(dst - out.data(), n);
  if (counter) *counter = count;
  return out.substr(0, size_t(n));
}

std::vector<uint8_t> PackBits(const std::vector<uint8_t>& in) {
  std::vector<uint8_t> out(size_t(IEPackBitsEncodeBound(int32_t(in.size()))));
  out.resize(size_t(IEPackBitsEncode(in.data(), int32_t(in.size()), out.data())));
  return out;
}

// Decoding by the RunLengthDecode rules: 0..127 literal of n+1 bytes, 129..255
// the next byte 257-n times, 128 the end.
std::vector<uint8_t> UnpackBits(const std::vector<uint8_t>& in) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < in.size();) {
    const uint8_t n = in[i++];
    if (n == 128) {
      EXPECT_EQ(i, in.size()) << "end-of-data byte before the end";
      break;
    }
    if (n < 128) {
      out.insert(out.end(), in.begin() + long(i), in.begin() + long(i + n + 1u));
      i += n + 1u;
    } else {
      out.insert(out.end(), size_t(257 - n), in[i++]);
    }
  }
  return out;
}

}  // namespace

TEST(ASCII85, Groups) {
  EXPECT_EQ(Group({0, 0, 0, 0}), "z");
  EXPECT_EQ(Group({0}), "!!");
  EXPECT_EQ(Group({0x4D, 0x61, 0x6E, 0x20}), "9jqo^");
  EXPECT_EQ(Group({0xFF, 0xFF, 0xFF, 0xFF}), "s8W-!");
  EXPECT_EQ(Group({}), "!");
  EXPECT_EQ(Group({0, 0, 0}), "!!!!");  // a short group of zeros is not "z"
}

TEST(ASCII85, LinesAndTrailer) {
  std::string data(60, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = char(i + 1);
  int32_t counter = 0;
  const std::string out = Encode85(data, &counter);
  EXPECT_EQ(out.size(), 81u);
  EXPECT_EQ(counter, 75);
  EXPECT_EQ(out.substr(75), "\r\n~>\r\n");
  EXPECT_EQ(Encode85(""), "!~>\r\n");
}

TEST(ASCII85, MatchesPythonsEncoder) {
  std::string data = imgtest::Pattern(1003);
  data.replace(100, 8, std::string(8, '\0'));  // two all-zero groups
  int32_t counter = 0;
  std::string ours = Encode85(data, &counter);
  ASSERT_EQ(ours.substr(ours.size() - 4), "~>\r\n");
  ours.resize(ours.size() - 4);
  // Breaks come only after a group took the line past 74 characters, so a line holds 75..79.
  size_t start = 0;
  std::string joined;
  for (size_t p; (p = ours.find("\r\n", start)) != std::string::npos; start = p + 2) {
    EXPECT_GT(p - start, 74u);
    EXPECT_LE(p - start, 79u);
    joined += ours.substr(start, p - start);
  }
  joined += ours.substr(start);
  EXPECT_EQ(int32_t(joined.size()), counter);
  const std::string expected =
      imgtest::RunPython("import base64\ndef run(data, arg): return base64.a85encode(data)\n", data);
  EXPECT_EQ(joined, expected);
}

TEST(PackBits, DocumentedLayouts) {
  const struct {
    std::vector<uint8_t> in, out;
  } cases[] = {
      {{0x41, 0x41, 0x41, 0x41, 0x42}, {0xFD, 0x41, 0x00, 0x42, 0x80}},
      {{0x41, 0x42, 0x43, 0x43, 0x44}, {0x02, 0x41, 0x42, 0x43, 0x01, 0x43, 0x44, 0x80}},
      {std::vector<uint8_t>(200, 0x78), {0x81, 0x78, 0xB9, 0x78, 0x80}},
      {{}, {0x80}},
      {{0x07}, {0x00, 0x07, 0x80}},
      {{0x07, 0x07}, {0xFF, 0x07, 0x80}},
  };
  for (const auto& c : cases) EXPECT_EQ(PackBits(c.in), c.out);
}

TEST(PackBits, LongLiteralsSplitAt128AndEverythingDecodesBack) {
  std::vector<uint8_t> rising(300);
  for (size_t i = 0; i < rising.size(); ++i) rising[i] = uint8_t(i * 3);
  const std::vector<uint8_t> out = PackBits(rising);
  EXPECT_EQ(out[0], 127);
  EXPECT_EQ(out[129], 127);
  EXPECT_EQ(out[258], 300 - 256 - 1);
  EXPECT_EQ(UnpackBits(out), rising);
  uint32_t x = 7;
  for (int round = 0; round < 50; ++round) {
    std::vector<uint8_t> in(size_t(x % 700));
    for (uint8_t& b : in) {
      x = x * 1664525u + 1013904223u;
      b = uint8_t((x >> 29) & 3);  // few values: runs and literals mixed
    }
    const std::vector<uint8_t> packed = PackBits(in);
    EXPECT_LE(int64_t(packed.size()), IEPackBitsEncodeBound(int32_t(in.size())));
    EXPECT_EQ(UnpackBits(packed), in);
  }
}

TEST(StreamWriteLine, CodePageTextAndCRLF) {
  TMemoryStream s;
  IEStreamWriteLine(s, "%!PS-Adobe-3.0");
  IEStreamWriteLine(s, "(\xC3\xA9t\xC3\xA9) show");
  IEStreamWriteLine(s, "");
  EXPECT_EQ(std::string(static_cast<const char*>(s.Memory()), size_t(s.Size())),
            "%!PS-Adobe-3.0\r\n(\xE9t\xE9) show\r\n\r\n");
}
