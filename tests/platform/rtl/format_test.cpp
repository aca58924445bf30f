#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/sysutils.h"

namespace {

TFormatSettings German() {
  TFormatSettings fs;
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  fs.CurrencyString = "€";
  fs.CurrencyFormat = 3;
  fs.NegCurrFormat = 8;
  return fs;
}

struct FormatCase {
  std::string expected;
  std::string actual;
};

TEST(FormatTest, FollowsTheSpecifierRules) {
  const void* ptr = reinterpret_cast<const void*>(uintptr_t(0x1234));
  const std::string ptrText = std::string(sizeof(void*) * 2 - 4, '0') + "1234";
  const FormatCase cases[] = {
      {" 3.14|7   |FF|ab", Format("%5.2f|%-4d|%x|%s", 3.14159, 7, 255, "ab")},
      {"007", Format("%.3d", 7)},
      {"-007", Format("%.3d", -7)},
      {"123", Format("%.2d", 123)},
      {"b a", Format("%1:s %0:s", "a", "b")},
      {"b c", Format("%1:s %s", "a", "b", "c")},  // an index moves the following arguments too
      {"   42", Format("%*d", 5, 42)},
      {"1   |", Format("%-*d|", 4, 1)},
      {"2.000", Format("%.*f", 3, 2.0)},
      {"   3.142", Format("%*.*f", 8, 3, 3.14159)},
      {"-9223372036854775808", Format("%d", std::numeric_limits<int64_t>::min())},
      {"18446744073709551615", Format("%d", std::numeric_limits<uint64_t>::max())},
      {"4294967295", Format("%u", -1)},
      {"FFFFFFFF", Format("%x", -1)},
      {"FFFFFFFF00000000", Format("%x", int64_t(-4294967296LL))},
      {"00FF", Format("%.4x", 255)},
      {"1.23450000000000E+003", Format("%e", 1234.5)},
      {"-1.23E-004", Format("%.3e", -0.000123456)},
      {"0.00000000000000E+000", Format("%e", 0.0)},
      {"0.1", Format("%g", 0.1)},
      {"1E20", Format("%g", 1e20)},
      {"1.23E3", Format("%.3g", 1234.5)},
      {"2.50", Format("%f", 2.5)},
      {"3", Format("%.0f", 2.5)},      // halves round away from zero
      {"0.13", Format("%.2f", 0.125)},
      {"-0.13", Format("%.2f", -0.125)},
      {"0.0", Format("%.1f", -0.04)},  // no sign on a value that shows as zero
      {"1,234,567.89", Format("%n", 1234567.891)},
      {"1,000", Format("%.0n", 999.5)},
      {"-123.00", Format("%n", -123.0)},
      {"$1,234.50", Format("%m", 1234.5)},
      {"($1,234.50)", Format("%m", -1234.5)},
      {"$1.5", Format("%.1m", 1.5)},
      {ptrText, Format("%p", ptr)},
      {"äö", Format("%.2s", "äöü")},
      {"   ä", Format("%4s", "ä")},  // width counts code points, not bytes
      {"é  |", Format("%-3s|", "é")},
      {"x€", Format("%s%s", 'x', U'€')},
      {"100%", Format("100%%")},
      {"a%b", Format("a%%%s", "b")},
      {"NAN INF -INF", Format("%g %f %e", std::nan(""), HUGE_VAL, -HUGE_VAL)},
      {"no args", Format("no args")},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(FormatTest, UsesTheSeparatorsOfTheSettingsPassed) {
  const TFormatSettings de = German();
  EXPECT_EQ(FormatFS(de, "%n", 1234567.891), "1.234.567,89");
  EXPECT_EQ(FormatFS(de, "%.1f", 2.25), "2,3");
  EXPECT_EQ(FormatFS(de, "%m", 1234.5), "1.234,50 €");
  EXPECT_EQ(FormatFS(de, "%m", -1234.5), "-1.234,50 €");
  EXPECT_EQ(FormatFS(de, "%g", 0.5), "0,5");
  EXPECT_EQ(FormatFS(de, "%.3e", 1500.0), "1,50E+003");  // precision counts all digits
}

TEST(FormatTest, CurrencyPatternsPlaceSymbolSpaceAndSign) {
  TFormatSettings fs;
  fs.CurrencyString = "$";
  const char* positive[] = {"$1.00", "1.00$", "$ 1.00", "1.00 $"};
  for (uint8_t f = 0; f < 4; ++f) {
    fs.CurrencyFormat = f;
    EXPECT_EQ(FormatFS(fs, "%m", 1.0), positive[f]) << int(f);
  }
  const char* negative[] = {"($1.00)", "-$1.00",  "$-1.00",  "$1.00-",  "(1.00$)",  "-1.00$",  "1.00-$",   "1.00$-",
                            "-1.00 $", "-$ 1.00", "1.00 $-", "$ 1.00-", "$ -1.00", "1.00- $", "($ 1.00)", "(1.00 $)"};
  for (uint8_t f = 0; f < 16; ++f) {
    fs.NegCurrFormat = f;
    EXPECT_EQ(FormatFS(fs, "%m", -1.0), negative[f]) << int(f);
  }
}

TEST(FormatTest, MismatchedOrMissingArgumentsRaise) {
  auto raises = [](auto make, const std::string& fmt) {
    try {
      make();
      ADD_FAILURE() << fmt << " did not raise";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "Format '" + fmt + "' invalid or incompatible with argument");
    }
  };
  raises([] { return Format("%d", "x"); }, "%d");
  raises([] { return Format("%s", 1); }, "%s");
  raises([] { return Format("%f", 1); }, "%f");  // integers are not floats to Format
  raises([] { return Format("%x", 1.5); }, "%x");
  raises([] { return Format("%p", 1); }, "%p");
  raises([] { return Format("%d %d", 1); }, "%d %d");
  raises([] { return Format("%2:d", 1, 2); }, "%2:d");
  raises([] { return Format("50%"); }, "50%");
  raises([] { return Format("%y", 1); }, "%y");
  raises([] { return Format("%*d", "w", 1); }, "%*d");
  raises([] { return Format("%99999999d", 1); }, "%99999999d");
}

TEST(FloatToStrTest, GeneralFormWithFifteenDigits) {
  const FormatCase cases[] = {
      {"1E20", FloatToStr(1e20)},
      {"0.1", FloatToStr(0.1)},
      {"0.333333333333333", FloatToStr(1.0 / 3)},
      {"0.666666666666667", FloatToStr(2.0 / 3)},
      {"0", FloatToStr(-0.0)},
      {"1.23456789012346E17", FloatToStr(123456789012345678.0)},
      {"999999999999999", FloatToStr(999999999999999.0)},
      {"1E15", FloatToStr(1e15)},
      {"0.00001", FloatToStr(0.00001)},
      {"1E-6", FloatToStr(0.000001)},
      {"-1.5E-7", FloatToStr(-1.5e-7)},
      {"12.5", FloatToStr(12.5)},
      {"100", FloatToStr(100.0)},
      {"1.005", FloatToStr(1.005)},
      {"-273.15", FloatToStr(-273.15)},
      {"NAN", FloatToStr(std::nan(""))},
      {"-INF", FloatToStr(-HUGE_VAL)},
      {"0,25", FloatToStr(0.25, German())},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(FloatToStrTest, FloatToStrFFormats) {
  const FormatCase cases[] = {
      {"1234.57", FloatToStrF(1234.5678, ffFixed, 15, 2)},
      {"1235", FloatToStrF(1234.5678, ffFixed, 15, 0)},
      {"1,234.57", FloatToStrF(1234.5678, ffNumber, 15, 2)},
      {"1.2346E+03", FloatToStrF(1234.5678, ffExponent, 5, 2)},
      {"1.500E+0", FloatToStrF(1.5, ffExponent, 4, 0)},
      {"-2.50E-0003", FloatToStrF(-0.0025, ffExponent, 3, 4)},
      {"1234.57", FloatToStrF(1234.5678, ffGeneral, 6, 0)},
      {"1.235E06", FloatToStrF(1234567.0, ffGeneral, 4, 2)},
      {"1E20", FloatToStrF(1e20, ffFixed, 15, 2)},  // too many integer digits for the precision
      {"($5.00)", FloatToStrF(-5.0, ffCurrency, 15, 2)},
      {"$0.50", FloatToStrF(0.5, ffCurrency, 15, 2)},
      {"1.234.567,9", FloatToStrF(1234567.891, ffNumber, 15, 1, German())},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(FormatFloatTest, PlaceholdersSectionsAndLiterals) {
  const FormatCase cases[] = {
      {"3.14", FormatFloat("0.00", 3.14159)},
      {".5", FormatFloat("#.##", 0.5)},
      {"1", FormatFloat("#.##", 1.0)},  // no point without fraction digits
      {"1,234,567.89", FormatFloat("#,##0.00", 1234567.891)},
      {"-1,234.50", FormatFloat("#,##0.00", -1234.5)},
      {"0", FormatFloat("0", -0.4)},
      {"(12.38)", FormatFloat("0.00;(0.00)", -12.375)},
      {"zero", FormatFloat("0.00;(0.00);zero", 0.0)},
      {"zero", FormatFloat("0.00;;zero", 0.001)},  // rounds to zero
      {"-5.00", FormatFloat("0.00;;zero", -5.0)},  // empty negative section falls back to the first
      {"007", FormatFloat("000", 7.0)},
      {"", FormatFloat("#", 0.0)},
      {"1.5", FormatFloat("0.0##", 1.5)},
      {"1.235", FormatFloat("0.0##", 1.23456)},
      {"12345", FormatFloat("0", 12345.0)},
      {"123.5", FormatFloat("#0.0", 123.45)},
      {"12.35E+02", FormatFloat("00.00E+00", 1234.5)},
      {"1.23E-4", FormatFloat("0.00E-0", 0.00012345)},
      {"5.0e+10", FormatFloat("0.0e+00", 5e10)},
      {"1.0E3", FormatFloat("0.0E-0", 1000.0)},
      {"$1,234.50", FormatFloat("\"$\"#,##0.00", 1234.5)},
      {"12 kg", FormatFloat("0 'kg'", 12.0)},
      {"a;b 3", FormatFloat("'a;b' 0", 3.0)},  // a quoted ';' does not split sections
      {"123-4567", FormatFloat("000-0000", 1234567.0)},
      {"1E20", FormatFloat("0.00", 1e20)},
      {"2.5", FormatFloat("", 2.5)},
      {"1.234,50", FormatFloat("#,##0.00", 1234.5, German())},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(StrToFloatTest, ParsesWithTheDecimalSeparatorOnly) {
  EXPECT_EQ(StrToFloat("1.5"), 1.5L);
  EXPECT_EQ(StrToFloat(" -2.5e3 "), -2500.0L);
  EXPECT_EQ(StrToFloat(".5"), 0.5L);
  EXPECT_EQ(StrToFloat("5."), 5.0L);
  EXPECT_EQ(StrToFloat("1E+2"), 100.0L);
  EXPECT_EQ(StrToFloat("1e-5000"), 0.0L);
  EXPECT_EQ(StrToFloat("0.1"), 0.1L);  // correctly rounded, not accumulated
  EXPECT_TRUE(std::isinf(StrToFloat("-INF")));
  EXPECT_EQ(StrToFloat("1,5", German()), 1.5L);
  EXPECT_EQ(StrToFloatDef("1.5", -1, German()), -1.0L);

  for (const char* bad : {"", " ", "abc", "1e", "1.5x", "1,5", "1e5000", "--1", "1.2.3", "e5"}) {
    long double v = 7;
    EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    EXPECT_EQ(v, 7.0L) << bad;
  }
  try {
    StrToFloat("abc");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
  }
  double d = 0;
  EXPECT_FALSE(TryStrToFloat("1e400", d));  // fits a long double, not a double
  EXPECT_TRUE(TryStrToFloat("1e300", d));
  EXPECT_EQ(d, 1e300);
}

TEST(StrToFloatTest, RoundTripsThroughFloatToStr) {
  for (double v : {0.1, 1.0 / 3, 123456.789, -9.87654321e-12, 6.02214076e23, 1e-300}) {
    const long double back = StrToFloat(FloatToStr(v));
    EXPECT_NEAR(double(back), v, std::fabs(v) * 1e-14) << v;
  }
}

}  // namespace
