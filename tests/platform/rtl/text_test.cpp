#include <gtest/gtest.h>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"

namespace {

// "a", "ä" (2 bytes), "€" (3 bytes), U+1F600 (4 bytes, a surrogate pair in UTF-16)
const std::string kMixed = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";

TEST(TextTest, Utf8Utf16RoundTripIncludingSurrogatePairs) {
  const std::u16string u16 = Utf8ToUtf16(kMixed);
  EXPECT_EQ(u16, (std::u16string{u'a', 0x00E4, 0x20AC, 0xD83D, 0xDE00}));
  EXPECT_EQ(Utf16ToUtf8(u16), kMixed);
  EXPECT_EQ(Utf8ToUtf32(kMixed), (std::u32string{U'a', 0xE4, 0x20AC, 0x1F600}));
  EXPECT_EQ(Utf32ToUtf8(Utf8ToUtf32(kMixed)), kMixed);
  EXPECT_TRUE(IsValidUtf8(kMixed));
}

TEST(TextTest, MalformedUtf8BecomesOneReplacementPerMaximalPrefix) {
  struct Case {
    std::string bytes;
    std::u32string expected;
  };
  const char32_t R = 0xFFFD;
  const Case cases[] = {
      {"a\xC3", {U'a', R}},                     // truncated at the end
      {"\xE2\x82" "b", {R, U'b'}},              // truncated before an ASCII byte
      {"\xC0\xAF", {R, R}},                     // overlong '/'
      {"\xE0\x80\xAF", {R, R, R}},              // overlong three-byte form
      {"\xED\xA0\x80", {R, R, R}},              // UTF-16 surrogate encoded in UTF-8
      {"\xF4\x90\x80\x80", {R, R, R, R}},       // above U+10FFFF
      {"\xFF" "x\x80", {R, U'x', R}},           // bytes that never start a sequence
      {"\xEF\xBF\xBD", {R}},                    // a real U+FFFD stays one
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToUtf32(c.bytes), c.expected);
    EXPECT_EQ(Utf8ToUtf16(c.bytes).size(), c.expected.size());
  }
  for (size_t i = 0; i + 1 < std::size(cases); ++i) EXPECT_FALSE(IsValidUtf8(cases[i].bytes)) << i;
  EXPECT_TRUE(IsValidUtf8(cases[std::size(cases) - 1].bytes));
}

TEST(TextTest, UnpairedSurrogatesAndInvalidCodePointsBecomeReplacement) {
  const std::string R = "\xEF\xBF\xBD";
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', 0xD800, u'b'}), "a" + R + "b");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00, 0xD83D}), R + R);
  EXPECT_EQ(CodePointToUtf8(0x1F600), "\xF0\x9F\x98\x80");
  EXPECT_EQ(CodePointToUtf8(0x7FF), "\xDF\xBF");
  EXPECT_EQ(CodePointToUtf8(0xD800), R);
  EXPECT_EQ(CodePointToUtf8(0x110000), R);
}

TEST(TextTest, Windows1252EuroAndUmlaut) {
  const std::string euroA = "\xE2\x82\xAC\xC3\xA4";  // "€ä"
  EXPECT_EQ(CodePageToUtf8("\x80\xE4", 1252), euroA);
  EXPECT_EQ(Utf8ToCodePage(euroA, 1252), "\x80\xE4");
  EXPECT_EQ(Utf8ToCodePage(euroA, CP_ACP), "\x80\xE4");
  // Bytes 1252 leaves undefined round-trip through the C1 controls of the same value.
  EXPECT_EQ(CodePageToUtf8("\x81", 1252), "\xC2\x81");
  EXPECT_EQ(Utf8ToCodePage("\xC2\x81", 1252), "\x81");
  // Unmappable characters (and malformed input) become '?'.
  EXPECT_EQ(Utf8ToCodePage("a\xF0\x9F\x98\x80\xD0\xB6\xFF", 1252), "a???");
}

TEST(TextTest, OtherCodePages) {
  EXPECT_EQ(Utf8ToCodePage("\xD0\xB6", 1251), "\xE6");         // Cyrillic zhe
  EXPECT_EQ(CodePageToUtf8("\xE1", 1253), "\xCE\xB1");          // Greek alpha
  EXPECT_EQ(Utf8ToCodePage("\xE6\x97\xA5\xE6\x9C\xAC", 932), "\x93\xFA\x96\x7B");  // 日本 in Shift-JIS
  EXPECT_EQ(CodePageToUtf8("\x93\xFA\x96\x7B", 932), "\xE6\x97\xA5\xE6\x9C\xAC");
  EXPECT_EQ(CodePageToUtf8("a\x93", 932), "a\xEF\xBF\xBD");     // lead byte cut off
  EXPECT_EQ(CodePageToUtf8("\x84", 437), "\xC3\xA4");           // ä in the PC code page
  EXPECT_EQ(CodePageToUtf8("\xA4", 28605), "\xE2\x82\xAC");     // € in ISO-8859-15
  EXPECT_EQ(Utf8ToCodePage("a\xE2\x82\xAC", CP_UTF16LE), std::string("a\0\xAC\x20", 4));
  EXPECT_EQ(Utf8ToCodePage("a", CP_UTF16BE), std::string("\0a", 2));
  EXPECT_EQ(CodePageToUtf8(std::string("a\0\xAC\x20", 4), CP_UTF16LE), "a\xE2\x82\xAC");
  EXPECT_EQ(CodePageToUtf8("a\xFF", CP_UTF8), "a\xEF\xBF\xBD");

  for (uint32_t cp : {437u, 850u, 874u, 932u, 936u, 949u, 950u, 1250u, 1251u, 1252u, 1253u, 1254u, 1255u, 1256u,
                      1257u, 1258u, 28591u, 28592u, 28605u, CP_UTF8, CP_UTF16LE, CP_ACP})
    EXPECT_TRUE(IsCodePageSupported(cp)) << cp;
  EXPECT_FALSE(IsCodePageSupported(12345));
  EXPECT_THROW(CodePageToUtf8("x", 12345), EEncodingError);
  EXPECT_THROW(Utf8ToCodePage("x", 12345), EEncodingError);
}

TEST(TextTest, Utf16BytesDropAnOddLastByteThatCodePageConversionShows) {
  const std::string le("a\0\xAC\x20\x3D\xD8\x00\xDE", 8), be("\0a\x20\xAC\xD8\x3D\xDE\x00", 8);
  const std::string text = "a\xE2\x82\xAC\xF0\x9F\x98\x80";
  EXPECT_EQ(Utf16BytesToUtf8(le, false), text);
  EXPECT_EQ(Utf16BytesToUtf8(be, true), text);
  EXPECT_EQ(Utf16BytesToUtf8(le + "x", false), text);
  EXPECT_EQ(Utf16BytesToUtf8("", false), "");
  EXPECT_EQ(CodePageToUtf8(le + "x", CP_UTF16LE), text + "\xEF\xBF\xBD");
}

TEST(TextTest, SplitTextLinesAcceptsEveryLineBreak) {
  using L = std::vector<std::string_view>;
  const struct {
    std::string_view Text;
    L Lines;
  } rows[] = {
      {"", L{}},
      {"a", L{"a"}},
      {"a\r\nb\rc\nd", L{"a", "b", "c", "d"}},
      {"a\n", L{"a"}},
      {"a\r\n\r\n", L{"a", ""}},
      {"\n\r\n\r", L{"", "", ""}},
      {"a\n\rb", L{"a", "", "b"}},
  };
  for (const auto& r : rows) EXPECT_EQ(SplitTextLines(r.Text), r.Lines) << r.Text;
}

TEST(TextTest, CodePointHelpersAreOneBased) {
  EXPECT_EQ(CpLength(kMixed), 4);
  EXPECT_EQ(CpLength(""), 0);
  EXPECT_EQ(CpCopy(kMixed, 2, 2), "\xC3\xA4\xE2\x82\xAC");
  EXPECT_EQ(CpCopy(kMixed, 0, 1), "a");
  EXPECT_EQ(CpCopy(kMixed, 4, 10), "\xF0\x9F\x98\x80");
  EXPECT_EQ(CpCopy(kMixed, 5, 1), "");
  EXPECT_EQ(CpCopy(kMixed, 1, -1), "");
  EXPECT_EQ(CpPos("\xE2\x82\xAC", kMixed), 3);
  EXPECT_EQ(CpPos("\xC3\xA4", "\xC3\xA4" "a\xC3\xA4", 2), 3);
  EXPECT_EQ(CpPos("z", kMixed), 0);
  EXPECT_EQ(CpPos("", kMixed), 0);
  EXPECT_EQ(CpAt(kMixed, 4), char32_t(0x1F600));
  EXPECT_EQ(CpAt(kMixed, 5), char32_t(0));
  EXPECT_EQ(CpAt(kMixed, 0), char32_t(0));
}

TEST(TextTest, CaseMappingCoversLatinGreekCyrillic) {
  // "äöü ß αβγ ς жщ ё" upper-cased: ß has no single-character capital
  EXPECT_EQ(CpUpperCase("ab \xC3\xA4\xC3\xB6\xC3\xBC \xC3\x9F \xCE\xB1\xCE\xB2\xCE\xB3 \xCF\x82 \xD0\xB6\xD1\x89 \xD1\x91"),
            "AB \xC3\x84\xC3\x96\xC3\x9C \xC3\x9F \xCE\x91\xCE\x92\xCE\x93 \xCE\xA3 \xD0\x96\xD0\xA9 \xD0\x81");
  // "ÀÉÎ Ł Σ ЖЩ İ" lower-cased
  EXPECT_EQ(CpLowerCase("\xC3\x80\xC3\x89\xC3\x8E \xC5\x81 \xCE\xA3 \xD0\x96\xD0\xA9 \xC4\xB0"),
            "\xC3\xA0\xC3\xA9\xC3\xAE \xC5\x82 \xCF\x83 \xD0\xB6\xD1\x89 i");
  EXPECT_EQ(CpUpperChar(0xFF), char32_t(0x178));
  EXPECT_EQ(CpLowerChar(U'1'), U'1');
  EXPECT_EQ(CpUpperCase("a\xFF" "b"), "A\xFF" "B");  // malformed bytes pass through untouched
}

}  // namespace
