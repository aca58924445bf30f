#include "app/DUtil.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/DImports.h"
#include "platform/shell/shell.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

TEST(DUtil, IsNumber) {
  for (const char* yes : {"42", "-7", "+0", "$1F", "$ff", "0", "007"}) EXPECT_TRUE(IsNumber(yes)) << yes;
  for (const char* no : {"", "-", "+", "$", "4 2", "$G", "1.5", "+-1", "x1", "$1F ", "1e3"})
    EXPECT_FALSE(IsNumber(no)) << no;
}

TEST(DUtil, FloatToStrTrimmed) {
  struct Row {
    int32_t digits;
    bool trim;
    double value;
    const char* text;
  } rows[] = {
      {8, true, 2.5, "2.5"},          {8, false, 2.5, "2.50000000"}, {8, true, 12.5, "12.5"},
      {8, true, 100, "100"},          {8, true, 1234, "1,234"},      {8, true, -3.125, "-3.125"},
      {8, true, 0, "0"},              {8, true, 0.004, "0.004"},     {2, true, 10.1, "10.1"},
      // Only fractions are trimmed: an integer without decimals and an exponent keep their zeros.
      {0, true, 1000, "1,000"},       {8, true, 1e10, "1E10"},
  };
  for (const Row& r : rows) EXPECT_EQ(FloatToStrTrimmed(8, r.digits, r.trim, r.value), r.text) << r.value;
}

TEST(DUtil, SmallRoutines) {
  EXPECT_EQ(RectToStr(TRect(1, 2, 3, 4)), "1, 2, 3, 4");
  EXPECT_EQ(RectToStr(TRect(-5, 0, 10, -20)), "-5, 0, 10, -20");
  EXPECT_EQ(MakeInt64(1, 2), 0x200000001ll);
  EXPECT_EQ(MakeInt64(0xFFFFFFFF, 0xFFFFFFFF), -1);
  int32_t a = 1, b = -9;
  SwapIntegers(a, b);
  EXPECT_EQ(a, -9);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(RemoveChars("a-b_c-d", "-_"), "abcd");
  EXPECT_EQ(RemoveChars("Grüße aus Köln", "üö "), "GrßeausKln");
  const std::string names[] = {".mpo", ".JPG", "Äpfel"};
  EXPECT_EQ(IndexOfStrInArray(".jpg", names), 1);
  EXPECT_EQ(IndexOfStrInArray("äPFEL", names), 2);
  EXPECT_EQ(IndexOfStrInArray(".png", names), -1);
  EXPECT_TRUE(MatchStrInArray(".MPO", names));
  EXPECT_FALSE(MatchStrInArray("", names));
}

TEST(DUtil, FoldDigits) {
  struct Row {
    const char* in;
    const char* out;
  } rows[] = {
      {"\u0663\u0664", "34"},             // Arabic-Indic
      {"\u06F1\u06F2", "12"},             // Extended Arabic-Indic
      {"\u096F", "9"},                    // Devanagari
      {"\uFF11\uFF12", "12"},             // fullwidth
      {"x\u00B2\u2083", "x23"},           // superscript two, subscript three
      {"a\u206E\u0663b\u206F", "a3b"},    // digit-shape controls dropped
      {"Jahr 2024", "Jahr 2024"},
      {"", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(FoldDigits(r.in), r.out) << r.in;
}

TEST(DUtil, SpeedMeasureReportsTheStep) {
  std::vector<std::string> lines;
  auto old = SetDebugOutputHandler([&](const std::string& s) { lines.push_back(s); });
  SpeedMeasureStart();
  const uint32_t named = SpeedMeasureStop("LoadImage");
  const uint32_t unnamed = SpeedMeasureStop();
  SetDebugOutputHandler(old);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "SpeedMeasure (LoadImage) " + std::to_string(named));
  EXPECT_EQ(lines[1], "SpeedMeasure: " + std::to_string(unnamed));
}

TEST(DUtil, GermanLanguageFromTheLocale) {
  struct Row {
    std::optional<std::string> lcAll, lcMessages, lang, language;
    bool german;
  } rows[] = {
      {{}, {}, "de_DE.UTF-8", {}, true},
      {{}, {}, "de_CH.UTF-8", {}, true},
      {{}, {}, "de_AT", {}, true},
      {{}, {}, "de_LU.UTF-8", {}, true},
      {{}, {}, "de_LI.UTF-8", {}, true},
      {{}, {}, "de", {}, true},
      {{}, {}, "en_US.UTF-8", {}, false},
      {{}, {}, "fr_CH.UTF-8", {}, false},
      {"de_DE.UTF-8", {}, "en_US.UTF-8", {}, true},
      {"en_GB.UTF-8", "de_DE.UTF-8", "de_DE.UTF-8", {}, false},
      {{}, "de_AT.UTF-8", "en_US.UTF-8", {}, true},
      {{}, {}, "en_US.UTF-8", "de:en", true},
      {{}, {}, "de_DE.UTF-8", "en_US:de", false},
      {{}, {}, "C", "de", false},  // message catalogues ignore LANGUAGE under the C locale
      {{}, {}, {}, {}, false},
  };
  for (const Row& r : rows) {
    ScopedEnv env;
    env.Set("LC_ALL", r.lcAll);
    env.Set("LC_MESSAGES", r.lcMessages);
    env.Set("LANG", r.lang);
    env.Set("LANGUAGE", r.language);
    EXPECT_EQ(IsGermanUILanguage(), r.german)
        << r.lcAll.value_or("-") << " " << r.lcMessages.value_or("-") << " " << r.lang.value_or("-") << " "
        << r.language.value_or("-");
  }
}

TEST(DUtil, DriveTypeOfAFolderOnDisk) {
  testsupport::TempDir tmp;
  // coreutils names the file system type independently.
  const std::string kind =
      Trim(testsupport::RunCommand("stat -f -c %T " + testsupport::ShellQuote(tmp.Path().string())));
  int32_t expected;
  if (kind == "ext2/ext3" || kind == "xfs" || kind == "btrfs" || kind == "overlayfs") expected = DRIVE_FIXED;
  else if (kind == "tmpfs" || kind == "ramfs") expected = DRIVE_RAMDISK;
  else if (kind == "nfs" || kind == "smb2" || kind == "cifs" || kind == "fuseblk" || kind == "fuse") expected = DRIVE_REMOTE;
  else GTEST_SKIP() << "temporary folder on a file system of kind " << kind;
  testsupport::WriteFileBytes(tmp / "f.mpo", "x");
  EXPECT_EQ(GetDriveTypeOfPath((tmp / "f.mpo").string()), expected);
  // A path that does not exist yet is judged by the folder that holds it.
  EXPECT_EQ(GetDriveTypeOfPath((tmp / "no" / "such" / "file.mpo").string()), expected);
}

TEST(DUtil, AppDataFolderIsCreatedOnRequest) {
  testsupport::TempDir tmp;
  ScopedEnv env;
  env.Set("XDG_CONFIG_HOME", (tmp / "cfg").string());
  EXPECT_EQ(GetAppDataDir(), (tmp / "cfg").string() + "/");
  EXPECT_TRUE(fs::is_directory(tmp / "cfg"));
  // A relative value is ignored: the home folder's .config serves.
  env.Set("XDG_CONFIG_HOME", "relative/dir");
  env.Set("HOME", tmp.Path().string());
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_APPDATA, false), "");
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_APPDATA, true), (tmp / ".config").string() + "/");
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_APPDATA | CSIDL_FLAG_DONT_VERIFY, false), (tmp / ".config").string() + "/");
  EXPECT_EQ(GetSpecialFolderPath(0x7F, true), "");
}

TEST(DUtil, ApplicationDirHoldsThisProgram) {
  const std::string dir = GetApplicationDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '/');
  EXPECT_TRUE(FileExists(dir + "test_app"));
}
