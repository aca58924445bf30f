#include "imaging/core/ietext.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "imaging/core/ieglobals.h"
#include "tests/support/streamtestutil.h"

using imgtest::Fill;

TEST(AnsiRoutines, AsciiOnlyAndOneBased) {
  EXPECT_EQ(IEAnsiTrim(" \t\x01 abc \r\n"), "abc");
  EXPECT_EQ(IEAnsiTrim("\xC3\xA9 "), "\xC3\xA9");  // bytes above 127 are not blanks
  EXPECT_EQ(IEAnsiUpperCase("abz\xE9{"), "ABZ\xE9{");
  EXPECT_EQ(IELowerCaseAnsi("ABZ\xC9@"), "abz\xC9@");
  EXPECT_EQ(IEAnsiIntToStr(-42), "-42");
  EXPECT_EQ(IEAnsiStrToIntDef("123", 7), 123);
  EXPECT_EQ(IEAnsiStrToIntDef("12x", 7), 7);
  EXPECT_EQ(IEAnsiStrToIntDef("", 7), 7);
  EXPECT_EQ(IEAnsiCopy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(IEAnsiCopy("abcdef", 5, 100), "ef");
  EXPECT_EQ(IEAnsiCopy("abcdef", 0, 2), "ab");
  EXPECT_EQ(IEAnsiCopy("abcdef", 7, 1), "");
  EXPECT_EQ(IEIntToHexAnsi(255, 4), "00FF");
  EXPECT_EQ(IEIntToHexAnsi(0x12345, 2), "12345");
  EXPECT_EQ(IEIntToHexAnsi(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IEAnsiPos("cd", "abcdcd"), 3);
  EXPECT_EQ(IEAnsiPos("x", "abc"), 0);
}

TEST(ExtractFileExtLower, Cases) {
  const struct {
    const char* name;
    bool withDot;
    const char* ext;
  } cases[] = {
      {"Photo.JPG", false, "jpg"}, {"Photo.JPG", true, ".jpg"}, {"Photo", false, ""},
      {"Photo", true, ""},         {"/a.b/Photo", true, ""},    {"x/Pair.Left.MPO", false, "mpo"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IEExtractFileExtLowerWide(c.name, c.withDot), c.ext) << c.name;
    EXPECT_EQ(IEExtractFileExtLowerAnsi(c.name, c.withDot), c.ext) << c.name;
    EXPECT_EQ(IEExtractFileExtLower(c.name, c.withDot), c.ext) << c.name;
  }
}

TEST(NumberTexts, PointAsSeparatorOnEveryLocale) {
  TFormatSettings saved = FormatSettings();
  EXPECT_EQ(IEFloatToStrDot(0.5), "0.5");
  EXPECT_EQ(IEFloatToAnsiDot(1234.25), "1234.25");
  FormatSettings().DecimalSeparator = ',';
  FormatSettings().ThousandSeparator = '.';
  EXPECT_EQ(IEGetDecimalSeparator(), ',');
  EXPECT_EQ(IEFloatToStrDot(0.5), "0.5");
  EXPECT_EQ(IEFloatToStrDot(-1234.25), "-1234.25");
  FormatSettings() = saved;
}

TEST(NumberTexts, BytesToText) {
  EXPECT_EQ(IEFormatThousands(1234567), "1,234,567");
  EXPECT_EQ(IEBytesToText(102399, 102400), "102,399 bytes");
  EXPECT_EQ(IEBytesToText(102400, 102400), "100 KB");
  EXPECT_EQ(IEBytesToText(5000000, 102400), "4,882 KB");
  EXPECT_EQ(IEBytesToText(0, 102400), "0 bytes");
}

TEST(URLType, Schemes) {
  const std::pair<const char*, int32_t> cases[] = {
      {"HTTP://example.org/a.jpg", 1}, {"http://x", 1},  {"https://x/y", 2}, {"HtTpS://x", 2},
      {"ftp://host/f.png", 3},        {"c:\\a.jpg", 0}, {"/home/a.jpg", 0}, {"http:/x", 0},
      {"", 0},
  };
  for (auto [name, type] : cases) {
    EXPECT_EQ(IEGetURLType(name), type) << name;
    EXPECT_EQ(IEGetURLTypeAnsi(name), type) << name;
  }
}

TEST(FileExists, FilesOnlyNotFolders) {
  testsupport::TempDir dir;
  const std::string file = (dir / "a.bin").string();
  testsupport::WriteFileBytes(file, "x");
  EXPECT_TRUE(IEWideFileExists(file));
  EXPECT_TRUE(IEFileExistsW(file));
  EXPECT_FALSE(IEWideFileExists(dir.Path().string()));
  EXPECT_FALSE(IEWideFileExists((dir / "none").string()));
}

TEST(TempFileName, PrefixHexDigitsAndAFreeName) {
  testsupport::TempDir dir;
  const std::string folder = dir.Path().string() + "/";
  const std::regex shape(std::regex_replace(folder, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
                         "IMG-[0-9A-F]{8}\\.tmp");
  for (int i = 0; i < 20; ++i) {
    const std::string name = IEMakeTempFileName("IMG", folder);
    EXPECT_TRUE(std::regex_match(name, shape)) << name;
    EXPECT_FALSE(std::filesystem::exists(name));
    EXPECT_LE(std::stoul(name.substr(folder.size() + 4, 8), nullptr, 16), 2147483646ul);
    testsupport::WriteFileBytes(name, "");  // taken: the next call must find another
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 20);
}

TEST(Selectors, IfThenAndByteSwaps) {
  EXPECT_EQ(IEIfThenInt(true, 1, 2), 1);
  EXPECT_EQ(IEIfThenInt(false, 1, 2), 2);
  EXPECT_DOUBLE_EQ(IEIfThenFloat(false, 1.5, 2.5), 2.5);
  int x, y;
  EXPECT_EQ(IEIfThenPointer(true, &x, &y), &x);
  EXPECT_EQ(IEIfThenByte(false, 3, 4), 4);
  EXPECT_EQ(IEByteSwap16If(0x1234, true), 0x3412);
  EXPECT_EQ(IEByteSwap16If(0x1234, false), 0x1234);
  EXPECT_EQ(IEByteSwap32If(0x12345678u, true), 0x78563412u);
  EXPECT_EQ(IEByteSwap32If(0x12345678u, false), 0x12345678u);
}

TEST(AnsiStrNew, CopiesOrGivesNull) {
  EXPECT_EQ(IEAnsiStrNew(nullptr), nullptr);
  auto p = IEAnsiStrNew("abc");
  EXPECT_STREQ(p.get(), "abc");
}

namespace {

std::string Base64Lines(const std::string& data, int32_t lineLength, int64_t start = 0) {
  TMemoryStream src, out;
  Fill(src, data);
  src.SetPosition(start);
  IEWriteBase64Lines(src, out, lineLength);
  return std::string(static_cast<const char*>(out.Memory()), size_t(out.Size()));
}

}  // namespace

TEST(Base64, GroupsAndLines) {
  char g[4];
  IEEncodeBase64Group(reinterpret_cast<const uint8_t*>("M"), 1, g);
  EXPECT_EQ(std::string(g, 4), "TQ==");
  IEEncodeBase64Group(reinterpret_cast<const uint8_t*>("Ma"), 2, g);
  EXPECT_EQ(std::string(g, 4), "TWE=");
  EXPECT_EQ(Base64Lines("abc", 76), "YWJj\n");
  EXPECT_EQ(Base64Lines("abcd", 76), "YWJjZA==\n");
  EXPECT_EQ(Base64Lines("", 76), "");
  EXPECT_EQ(Base64Lines("xxabcd", 76, 2), "YWJjZA==\n");  // from the stream's position
  const std::string b57 = imgtest::Pattern(57), b58 = imgtest::Pattern(58);
  const std::string one = Base64Lines(b57, 76);
  ASSERT_EQ(one.size(), 77u);
  EXPECT_EQ(one.back(), '\n');
  const std::string two = Base64Lines(b58, 76);
  EXPECT_EQ(two.substr(0, 77), one);
  EXPECT_EQ(two.size(), 77u + 5u);
  EXPECT_EQ(two.substr(77 + 2, 3), "==\n");
}

TEST(Base64, MatchesPythonsEncoderLineByLine) {
  const std::string data = imgtest::Pattern(10000);
  const std::string expected = imgtest::RunPython(
      "import base64\n"
      "def run(data, arg):\n"
      "    b = base64.b64encode(data).decode()\n"
      "    return ''.join(b[i:i + 76] + '\\n' for i in range(0, len(b), 76))\n",
      data);
  EXPECT_EQ(Base64Lines(data, 76), expected);
}
