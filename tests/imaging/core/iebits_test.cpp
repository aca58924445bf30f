#include "imaging/core/iebits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/classes/streams.h"
#include "platform/gdi/gdi.h"
#include "platform/rtl/sysutils.h"

namespace {

TEST(IEBitmapRowLen, PadsToTheAlignment) {
  struct Case {
    int32_t width, bits, alignment;
    int64_t expected;
  };
  const Case cases[] = {
      {1, 1, 32, 4},  {33, 1, 32, 8}, {3, 24, 32, 12}, {3, 24, 8, 9}, {5, 4, 16, 4}, {10, 8, 8, 10},
      {3, 48, 32, 20},
      // Wider than 32 bits can count: 2147483647 * 48 bits, rounded up to whole 32-bit words.
      {INT32_MAX, 48, 32, (int64_t(INT32_MAX) * 48 + 31) / 32 * 4},
      // Sizes and alignments that describe no row.
      {0, 24, 32, 0}, {-5, 24, 32, 0}, {3, 24, 0, 0}, {3, 24, 12, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IEBitmapRowLen(c.width, c.bits, c.alignment), c.expected)
        << c.width << " x " << c.bits << " bits, alignment " << c.alignment;
}

TEST(IEMaskBitWidth, CountsTheLowestRunOfSetBits) {
  const std::pair<uint32_t, int32_t> cases[] = {
      {0xFF0000, 8}, {0xFFFFFFFF, 32}, {0, 0}, {0x07E0, 6}, {0x80000000, 1}, {0xF0F000, 4}, {0x1F, 5},
  };
  for (auto [mask, width] : cases) EXPECT_EQ(IEMaskBitWidth(mask), width) << std::hex << mask;
}

TEST(IEBitsForColorCount, IsTheBitsNeededForThatManyColours) {
  const std::pair<uint32_t, int32_t> cases[] = {
      {256, 8}, {255, 8}, {17, 5}, {16, 4}, {2, 1}, {3, 2}, {1, 0}, {0, -1}, {0x80000000, 31}, {0x80000001, 32},
  };
  for (auto [n, bits] : cases) EXPECT_EQ(IEBitsForColorCount(n), bits) << n;
}

// Mirror computed bit by bit, independently of the table the routines use.
uint32_t Mirror(uint32_t v, int bits) {
  uint32_t r = 0;
  for (int i = 0; i < bits; ++i)
    if (v & (1u << i)) r |= 1u << (bits - 1 - i);
  return r;
}

TEST(IEReverseBits, MirrorsBytesAndWords) {
  for (uint32_t i = 0; i < 256; ++i) {
    uint8_t b = uint8_t(i);
    IEReverseBitsInByte(b);
    EXPECT_EQ(b, Mirror(i, 8)) << i;
  }
  for (uint32_t v : {1u, 0x80000000u, 0x12345678u, 0xF00000FFu}) {
    uint32_t w = v;
    IEReverseBits32(w);
    EXPECT_EQ(w, Mirror(v, 32)) << std::hex << v;
  }
}

TEST(IEByteSwap, ReversesByteOrder) {
  EXPECT_EQ(IEByteSwap16(0xABCD1234u), 0xABCD3412u);
  EXPECT_EQ(IEByteSwap32(0x11223344u), 0x44332211u);
  uint16_t words[] = {0x0102, 0xA0B0, 0x00FF};
  IEByteSwap16Array(words, 2);
  EXPECT_EQ(words[0], 0x0201);
  EXPECT_EQ(words[1], 0xB0A0);
  EXPECT_EQ(words[2], 0x00FF);  // past n: untouched
}

TEST(IEPower, FollowsIntegerAndRealRules) {
  struct Case {
    double base, exponent;
    long double expected;
  };
  const Case cases[] = {
      {2, 10, 1024}, {2, -2, 0.25}, {0, 5, 0}, {9, 0.5, 3}, {0, 0, 1}, {5, 0, 1}, {0, -1, 0},
      {3, 3, 27},    {-2, 3, -8},   {10, -1, 0.1}, {1.5, 2, 2.25}, {0, 3e9, 0}, {4, 0.25, std::sqrt(2.0L)},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(double(IEPower(c.base, c.exponent)), double(c.expected), 1e-12) << c.base << " ** " << c.exponent;
}

class DecimalSeparatorTest : public ::testing::TestWithParam<char> {
protected:
  void SetUp() override {
    saved_ = FormatSettings().DecimalSeparator;
    savedThousands_ = FormatSettings().ThousandSeparator;
    FormatSettings().DecimalSeparator = GetParam();
    FormatSettings().ThousandSeparator = GetParam() == ',' ? '.' : ',';
  }
  void TearDown() override {
    FormatSettings().DecimalSeparator = saved_;
    FormatSettings().ThousandSeparator = savedThousands_;
  }
  char saved_ = '.';
  char savedThousands_ = ',';
};

TEST_P(DecimalSeparatorTest, ReadsEitherSeparator) {
  EXPECT_DOUBLE_EQ(double(IEStrToFloatDefAnySeparator("1,5", 0)), 1.5);
  EXPECT_DOUBLE_EQ(double(IEStrToFloatDefAnySeparator("2.25", 0)), 2.25);
  EXPECT_DOUBLE_EQ(double(IEStrToFloatDefAnySeparator("-7", 0)), -7.0);
  EXPECT_DOUBLE_EQ(double(IEStrToFloatDefAnySeparator("abc", 7)), 7.0);
  EXPECT_DOUBLE_EQ(double(IEStrToFloatDefAnySeparator("", 3)), 3.0);
}

INSTANTIATE_TEST_SUITE_P(Separators, DecimalSeparatorTest, ::testing::Values('.', ','));

TEST(IEFloatToRational, ApproximatesWithinThePrecision) {
  struct Case {
    double value, precision;
    int32_t numerator, denominator;
  };
  const Case cases[] = {
      {0.5, 5e-9, 1, 2},           {0.333333, 1e-5, 1, 3},  {-2.0, 5e-9, -2, 1}, {1e-20, 5e-9, 1, 999999999},
      {-0.75, 5e-9, -3, 4},        {1e10, 5e-9, 999999999, 1}, {-1e30, 5e-9, -999999999, 1},
      {std::nan(""), 5e-9, 0, 1},
  };
  for (const Case& c : cases) {
    int32_t n = 0, d = 0;
    IEFloatToRational(n, d, c.value, c.precision);
    EXPECT_EQ(n, c.numerator) << c.value;
    EXPECT_EQ(d, c.denominator) << c.value;
  }
  // Irrational values: the quotient lies within the precision and both terms fit in 32 bits.
  for (double v : {3.14159265358979, 0.1234567891, 2.718281828459045}) {
    int32_t n = 0, d = 0;
    IEFloatToRational(n, d, v, 5e-9);
    ASSERT_GT(d, 0);
    EXPECT_LT(std::fabs(double(n) / d - v), 5e-9) << v;
  }
}

TEST(IEFontStyleBits, MapsTheLogicalFont) {
  EXPECT_EQ(IEFontStyleBits(nullptr), 0);
  win::LOGFONT lf;
  lf.lfWeight = 699;
  EXPECT_EQ(IEFontStyleBits(&lf), 0);
  lf.lfWeight = 700;
  EXPECT_EQ(IEFontStyleBits(&lf), 1);
  lf.lfItalic = 1;
  lf.lfUnderline = 1;
  lf.lfStrikeOut = 1;
  EXPECT_EQ(IEFontStyleBits(&lf), 15);
}

TEST(IEEqualGUID, ComparesAllSixteenBytes) {
  uint8_t a[16], b[16];
  for (int i = 0; i < 16; ++i) a[i] = b[i] = uint8_t(i * 17);
  EXPECT_TRUE(IEEqualGUID(a, b));
  b[15] ^= 1;
  EXPECT_FALSE(IEEqualGUID(a, b));
}

// A stream that takes at most `room` bytes in all.
class TFullStream : public TMemoryStream {
public:
  explicit TFullStream(int32_t room) : room_(room) {}
  int32_t Write(const void* buffer, int32_t count) override {
    const int32_t n = std::min(count, room_);
    room_ -= n;
    return TMemoryStream::Write(buffer, n);
  }
  int32_t room_;
};

TEST(IEStreamWriteChecked, AShortWriteSetsTheFlagForGood) {
  TFullStream s(6);
  bool error = false;
  const char data[4] = {1, 2, 3, 4};
  IEStreamWriteChecked(s, error, data, 4);
  EXPECT_FALSE(error);
  IEStreamWriteChecked(s, error, data, 4);  // only 2 fit
  EXPECT_TRUE(error);
  s.room_ = 100;
  IEStreamWriteChecked(s, error, data, 4);
  EXPECT_TRUE(error);
  EXPECT_EQ(s.Size(), 10);
}

}  // namespace
