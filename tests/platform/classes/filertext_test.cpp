#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "platform/classes/filertext.h"
#include "platform/rtl/text.h"

namespace {

std::string StringValue(const std::string& token) {
  TParser p(token);
  EXPECT_EQ(p.Token(), TParser::toString) << token;
  std::string v = p.TokenString();
  EXPECT_EQ(p.NextToken(), TParser::toEOF) << token;
  return v;
}

TEST(FilerTextTest, StringTokensDecode) {
  struct Row {
    const char* token;
    std::string value;
  };
  const Row rows[] = {
      {"''", ""},
      {"'it''s'", "it's"},
      {"#13#10", "\r\n"},
      {"'a'#9'b'", "a\tb"},
      {"#$41#66", "AB"},
      {"#252", "\xC3\xBC"},
      {"'日本'", "日本"},
      {"#55357#56832", "\xF0\x9F\x98\x80"},  // a UTF-16 pair, as other writers spell it
      {"#55357'x'", "\xEF\xBF\xBDx"},        // a lone half of a pair
      {"#0", std::string(1, '\0')},
  };
  for (const Row& r : rows) EXPECT_EQ(StringValue(r.token), r.value) << r.token;
}

TEST(FilerTextTest, MalformedTokensRaiseWithTheirLine) {
  struct Row {
    const char* text;
    const char* message;
  };
  const Row rows[] = {
      {"\n\n'open", "Unterminated string on line 3"},
      {"\n\n'a\nb'", "Unterminated string on line 3"},
      {"\n\n#", "Invalid character code in string on line 3"},
      {"\n\n#1114112", "Invalid character code in string on line 3"},
      {"\n\n12abc", "Invalid number on line 3"},
  };
  for (const Row& r : rows) {
    try {
      TParser p(r.text);
      ADD_FAILURE() << "no error for " << r.text;
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Message(), r.message);
    }
  }
  TParser p("\r\n\r{0A 0G}");
  EXPECT_EQ(p.SourceLine(), 3);
  EXPECT_THROW(p.HexToBinary(), EReadError);
}

TEST(FilerTextTest, NumbersAndLines) {
  TParser p("-9223372036854775808 9223372036854775808 $FF 1.5s 2e3\r\nx\ry\nz");
  EXPECT_EQ(p.TokenInt(), INT64_MIN);
  p.NextToken();
  EXPECT_THROW(p.TokenInt(), EParserError);
  EXPECT_EQ(p.TokenUInt64(), 9223372036854775808ull);
  p.NextToken();
  EXPECT_EQ(p.TokenInt(), 255);
  p.NextToken();
  EXPECT_EQ(p.Token(), TParser::toFloat);
  EXPECT_EQ(p.FloatType(), 's');
  EXPECT_EQ(p.TokenFloat(), 1.5L);
  p.NextToken();
  EXPECT_EQ(p.TokenFloat(), 2000.0L);
  std::vector<int> lines;
  while (p.NextToken() != TParser::toEOF) lines.push_back(p.SourceLine());
  EXPECT_EQ(lines, (std::vector<int>{2, 3, 4}));  // CR LF, lone CR and LF each end one line
}

TEST(FilerTextTest, SplitStringsReadBackWholeAndKeepCharactersIntact) {
  const std::vector<std::string> values = {
      "",
      "plain",
      "quote ' and '' twice",
      std::string("ctl\x01\x1F\r\n") + std::string(1, '\0') + "end",
      "mixed 日本語 text ü ß € 😀 and more and more and more",
      "\xFF\xFE raw code-page bytes \xE9",  // not UTF-8: must come back byte for byte
      std::string(150, 'x'),
  };
  for (const std::string& v : values) {
    SCOPED_TRACE(v);
    std::vector<std::string> chunks = SplitFormString(v, 5);
    std::string joined;
    for (const std::string& c : chunks) {
      std::string part = StringValue(c);
      if (IsValidUtf8(v)) {
        EXPECT_TRUE(IsValidUtf8(part));
        EXPECT_LE(CpLength(part), 5);
      }
      joined += part;
    }
    EXPECT_EQ(joined, v);
    EXPECT_EQ(StringValue(QuoteFormString(v)), v);
  }
}

TEST(FilerTextTest, FloatsReadBackExactly) {
  for (double v : {0.1, 1e300, -2.5e-7, 1.0 / 3, DBL_MIN, DBL_MAX, 123456789.0, 4.0, -0.5}) {
    std::string s = FormatFormFloat(v, 8);
    TParser p(s);
    EXPECT_EQ(p.Token(), TParser::toFloat) << s;  // always a float token, so it reads as one
    EXPECT_EQ(static_cast<double>(p.TokenFloat()), v) << s;
  }
  for (float v : {0.1f, 3.4e38f, 1.0f / 3}) {
    std::string s = FormatFormFloat(v, 4);
    EXPECT_EQ(static_cast<float>(TParser(s).TokenFloat()), v) << s;
  }
  long double third = 1.0L / 3;
  EXPECT_EQ(TParser(FormatFormFloat(third, sizeof(long double))).TokenFloat(), third);
  EXPECT_EQ(FormatFormFloat(4.0, 8), "4.0");
  EXPECT_EQ(FormatFormFloat(HUGE_VALL, 8), "INF");
  EXPECT_EQ(FormatFormFloat(-HUGE_VALL, 8), "-INF");
  EXPECT_EQ(FormatFormFloat(std::nanl(""), 8), "NAN");
}

}  // namespace
