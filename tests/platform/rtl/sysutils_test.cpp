#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/rtl/sysutils.h"
#include "tests/support/testsupport.h"

namespace {

TEST(IntegerTest, StrToIntAcceptsDecimalAndHex) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"123", 123},           {"-123", -123},       {"+7", 7},          {"  42", 42},
      {"$FF", 255},           {"0x1F", 31},         {"0XfF", 255},      {"-$10", -16},
      {"$FFFFFFFF", -1},      {"2147483647", std::numeric_limits<int32_t>::max()},
      {"-2147483648", std::numeric_limits<int32_t>::min()},            {"007", 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
    int32_t v = 0;
    EXPECT_TRUE(TryStrToInt(c.text, v)) << c.text;
  }
}

TEST(IntegerTest, StrToIntRejectsWithTheTextInTheMessage) {
  for (const char* bad : {"12a", "", " ", "42 ", "2147483648", "-2147483649", "$", "0x", "--1", "+-1", "1.0",
                          "$1FFFFFFFF", "- 1", "99999999999999999999999"}) {
    int32_t v = 5;
    EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
    EXPECT_EQ(v, 5) << bad;
    EXPECT_EQ(StrToIntDef(bad, -9), -9) << bad;
    try {
      StrToInt(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(IntegerTest, Int64Range) {
  EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(StrToInt64("4294967296"), 4294967296LL);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  EXPECT_EQ(StrToInt64Def("x", 3), 3);
}

TEST(IntegerTest, IntToHexAndIntToStr) {
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
  EXPECT_EQ(IntToHex(-1, 8), "FFFFFFFF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(0, 0), "0");
  EXPECT_EQ(IntToHex(0x123456789LL, 4), "123456789");
  EXPECT_EQ(IntToHex(-4294967297LL, 1), "FFFFFFFEFFFFFFFF");
  EXPECT_EQ(IntToHex(std::numeric_limits<int64_t>::min(), 1), "8000000000000000");
  EXPECT_EQ(IntToStr(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(UIntToStr(std::numeric_limits<uint64_t>::max()), "18446744073709551615");
  // what IntToHex writes, StrToInt reads back
  for (int32_t v : {0, 1, -1, 0x7FFFFFFF, std::numeric_limits<int32_t>::min(), -123456})
    EXPECT_EQ(StrToInt("$" + IntToHex(v, 8)), v);
}

TEST(BoolTest, TextAndNumbers) {
  EXPECT_TRUE(StrToBool("True"));
  EXPECT_TRUE(StrToBool("true"));
  EXPECT_FALSE(StrToBool("FALSE"));
  EXPECT_FALSE(StrToBool("0"));
  EXPECT_TRUE(StrToBool("-1"));
  EXPECT_TRUE(StrToBool("2.5"));
  EXPECT_THROW(StrToBool("yes"), EConvertError);
  EXPECT_TRUE(StrToBoolDef("maybe", true));
  EXPECT_EQ(BoolToStr(true), "-1");
  EXPECT_EQ(BoolToStr(false), "0");
  EXPECT_EQ(BoolToStr(true, true), "True");
  EXPECT_EQ(BoolToStr(false, true), "False");
}

TEST(StringTest, CaseAndComparison) {
  EXPECT_EQ(UpperCase("\xC3\xA4" "bc"), "\xC3\xA4" "BC");  // ASCII only
  EXPECT_EQ(LowerCase("ABC\xC3\x84"), "abc\xC3\x84");
  EXPECT_EQ(AnsiUpperCase("\xC3\xA4" "bc\xC3\x9F"), "\xC3\x84" "BC\xC3\x9F");
  EXPECT_EQ(AnsiLowerCase("\xC3\x84" "BC"), "\xC3\xA4" "bc");

  EXPECT_LT(CompareStr("abc", "abd"), 0);
  EXPECT_GT(CompareStr("abc", "ab"), 0);
  EXPECT_LT(CompareStr("ABC", "abc"), 0);
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("_", "a"), 0);  // compared in upper case: '_' sorts after the letters
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_FALSE(SameText("\xC3\xA4", "\xC3\x84"));  // not ASCII: not folded
  EXPECT_TRUE(AnsiSameText("\xC3\xA4pfel", "\xC3\x84PFEL"));
  EXPECT_EQ(AnsiCompareText("\xC3\xA4pfel", "\xC3\x84pfel"), 0);
  EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
  EXPECT_LT(AnsiCompareStr("apple", "Apple"), 0);
  EXPECT_LT(AnsiCompareStr("Apple", "banana"), 0);
  EXPECT_GT(AnsiCompareStr("apples", "Apple"), 0);
  EXPECT_FALSE(AnsiSameStr("a", "A"));
}

TEST(StringTest, TrimReplaceQuote) {
  EXPECT_EQ(Trim("\t x y \n"), "x y");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x \r\n"), "  x");
  EXPECT_EQ(Trim(" \x01 "), "");

  EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfReplaceAll | rfIgnoreCase), "a-b-c");
  EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfReplaceAll), "aXb-c");
  EXPECT_EQ(StringReplace("aaa", "a", "b", 0), "baa");
  EXPECT_EQ(StringReplace("aaa", "aa", "a", rfReplaceAll), "aa");
  EXPECT_EQ(StringReplace("\xC3\x84\xC3\x96\xC3\xA4", "\xC3\xA4", "-", rfReplaceAll | rfIgnoreCase), "-\xC3\x96-");
  EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");

  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(AnsiDequotedStr("'it''s'", '\''), "it's");
  EXPECT_EQ(AnsiDequotedStr("''", '\''), "");
  EXPECT_EQ(AnsiDequotedStr("abc", '\''), "abc");
  EXPECT_EQ(AnsiDequotedStr("'abc", '\''), "'abc");      // never closed
  EXPECT_EQ(AnsiDequotedStr("'a'b", '\''), "'a'b");      // text after the closing quote
}

TEST(StringTest, PositionsAndAffixes) {
  EXPECT_EQ(Pos("b", "abcb"), 2);
  EXPECT_EQ(Pos("b", "abcb", 3), 4);
  EXPECT_EQ(Pos("z", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
  EXPECT_EQ(Pos("a", "abc", 0), 0);
  EXPECT_EQ(Copy("hello", 2, 3), "ell");
  EXPECT_EQ(Copy("hello", 0, 2), "he");
  EXPECT_EQ(Copy("hello", 4, 100), "lo");
  EXPECT_EQ(Copy("hi", 5, 1), "");
  EXPECT_EQ(StringOfChar('x', 3), "xxx");
  EXPECT_EQ(StringOfChar('x', -1), "");
  EXPECT_TRUE(StartsText("AB", "abc"));
  EXPECT_FALSE(StartsStr("AB", "abc"));
  EXPECT_TRUE(EndsText("\xC3\x84" "B", "x\xC3\xA4" "b"));
  EXPECT_FALSE(EndsText("abcd", "bcd"));
  EXPECT_TRUE(EndsStr("cd", "abcd"));
}

TEST(FileNameTest, SplitsAcceptBothDelimiters) {
  struct Case {
    const char* name;
    const char* path;
    const char* dir;
    const char* file;
    const char* ext;
  };
  const Case cases[] = {
      {"/a/b/c.txt", "/a/b/", "/a/b", "c.txt", ".txt"},
      {"c:\\dir\\file.tar.gz", "c:\\dir\\", "c:\\dir", "file.tar.gz", ".gz"},
      {"/x", "/", "/", "x", ""},
      {"noext", "", "", "noext", ""},
      {"dir.d/file", "dir.d/", "dir.d", "file", ""},
      {"a/.bashrc", "a/", "a", ".bashrc", ".bashrc"},
      {"a/b/", "a/b/", "a/b", "", ""},
      {"file.", "", "", "file.", "."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
  }
  EXPECT_EQ(ChangeFileExt("a/b.txt", ".bak"), "a/b.bak");
  EXPECT_EQ(ChangeFileExt("a.d/b", ".x"), "a.d/b.x");
  EXPECT_EQ(ChangeFileExt("a.txt", ""), "a");
  EXPECT_EQ(IncludeTrailingPathDelimiter("a"), "a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("a/"), "a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("a/"), "a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("a\\"), "a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("a"), "a");
}

TEST(FileNameTest, ExpandFileNameNormalises) {
  EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
  EXPECT_EQ(ExpandFileName("/../x"), "/x");
  EXPECT_EQ(ExpandFileName("/a//b/"), "/a/b/");
  EXPECT_EQ(ExpandFileName("/a/b/.."), "/a");
  EXPECT_EQ(ExpandFileName("\\a\\b"), "/a/b");
  EXPECT_EQ(ExpandFileName("x/y"), ExpandFileName(GetCurrentDir() + "/x/y"));
  EXPECT_EQ(ExpandFileName("x/y").front(), '/');
}

TEST(FileSystemTest, QueriesAndChanges) {
  testsupport::TempDir tmp;
  const std::string dir = tmp.Path().string();
  const std::string file = dir + "/f.bin";
  testsupport::WriteFileBytes(file, "12345");

  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir));  // a directory is not a file
  EXPECT_TRUE(DirectoryExists(dir));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_EQ(FileSizeOf(file), 5);
  EXPECT_EQ(FileSizeOf(dir + "/missing"), -1);
  EXPECT_FALSE(FileExists(""));

  const std::string deep = dir + "/x/y/z/";
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(dir + "/x/y/z"));
  EXPECT_TRUE(ForceDirectories(deep));  // already there
  EXPECT_FALSE(ForceDirectories(file + "/sub"));
  EXPECT_FALSE(ForceDirectories(""));

  const std::string other = dir + "/g.bin";
  testsupport::WriteFileBytes(other, "other");
  EXPECT_FALSE(RenameFile(file, other));  // never replaces an existing file
  EXPECT_EQ(testsupport::ReadFileBytes(other), "other");
  EXPECT_TRUE(RenameFile(file, dir + "/h.bin"));
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(testsupport::ReadFileBytes(dir + "/h.bin"), "12345");

  EXPECT_TRUE(DeleteFile(other));
  EXPECT_FALSE(FileExists(other));
  const bool deletedTwice = DeleteFile(other);
  const int err = GetLastError();
  EXPECT_FALSE(deletedTwice);
  EXPECT_EQ(err, ENOENT);
}

TEST(SysErrorTest, MessagesComeFromTheSystem) {
  EXPECT_EQ(SysErrorMessage(ENOENT), std::strerror(ENOENT));
  EXPECT_FALSE(SysErrorMessage(-12345).empty());
  try {
    RaiseLastOSError(ENOENT);
  } catch (const EOSError& e) {
    EXPECT_EQ(e.Message(), "System Error.  Code: 2.\n" + std::string(std::strerror(ENOENT)));
  }
  EXPECT_THROW(RaiseLastOSError(0), EOSError);
}

}  // namespace
