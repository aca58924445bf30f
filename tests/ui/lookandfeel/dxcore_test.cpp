#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/classes/resstrings.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/chartype.h"
#include "platform/rtl/text.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/dxCore.h"

namespace {

DX_RESOURCESTRING(sTestBarCaption, 0, "Customize...");
DX_RESOURCESTRING(sTestBarReset, 0, "Reset");

// A repository of the test's own, so products of the program never mix in.
class DxProductRepository : public ::testing::Test {
protected:
  TdxResourceStringsRepository repo;
};

TEST_F(DxProductRepository, ProductNamesCompareExactly) {
  repo.RegisterProduct("BarSuite", nullptr);
  EXPECT_EQ(repo.IndexOfProduct("BarSuite"), 0);
  EXPECT_EQ(repo.IndexOfProduct("barsuite"), -1);
  EXPECT_EQ(repo.Products(0)->ResStringCount(), 0);  // no fill procedure: empty table
}

TEST_F(DxProductRepository, TwoProductsOfOneNameUnregisterTheFirst) {
  repo.RegisterProduct("BarSuite", [](TdxProductResourceStrings* p) { p->AddResString("first", &sTestBarCaption); });
  repo.RegisterProduct("BarSuite", [](TdxProductResourceStrings* p) { p->AddResString("second", &sTestBarReset); });
  ASSERT_EQ(repo.ProductCount(), 2);
  repo.UnregisterProduct("BarSuite");
  ASSERT_EQ(repo.ProductCount(), 1);
  EXPECT_EQ(repo.Products(0)->Names(0), "second");
  repo.UnregisterProduct("NoSuchProduct");
  EXPECT_EQ(repo.ProductCount(), 1);
}

TEST_F(DxProductRepository, FillProcedureRunsOnceAndNamesIgnoreCase) {
  int runs = 0;
  repo.RegisterProduct("BarSuite", [&](TdxProductResourceStrings* p) {
    ++runs;
    p->AddResString("sReset", &sTestBarReset);
    p->AddResString("SRESET", &sTestBarCaption);  // same name: ignored
    p->AddResString("aCustomize", &sTestBarCaption);
  });
  EXPECT_EQ(runs, 1);
  TdxProductResourceStrings* p = repo.Products(0);
  ASSERT_EQ(p->ResStringCount(), 2);
  EXPECT_EQ(p->Names(0), "aCustomize");  // kept sorted
  EXPECT_EQ(p->FindResString("sreset"), &sTestBarReset);
  EXPECT_EQ(p->FindResString("missing"), nullptr);
}

TEST_F(DxProductRepository, ListenersAreKeptOnce) {
  TObject a, b;
  repo.AddListener(&a);
  repo.AddListener(&a);
  repo.AddListener(&b);
  EXPECT_EQ(repo.ListenerCount(), 2);
  repo.RemoveListener(&a);
  repo.RemoveListener(&a);
  EXPECT_EQ(repo.ListenerCount(), 1);
}

TEST(DxResourceStrings, GetResourceStringGoesThroughTheLoader) {
  EXPECT_EQ(GetResourceString(sTestBarReset), "Reset");
  // A translation put into the loader reaches every toolbar text.
  auto translated = [](PResStringRec rec) -> std::string {
    return rec == &sTestBarReset ? std::string("Zurücksetzen") : DefaultLoadResString(rec);
  };
  TResStringLoader previous = SetResStringLoader(+translated);
  EXPECT_EQ(GetResourceString(sTestBarReset), "Zurücksetzen");
  EXPECT_EQ(GetResourceString(&sTestBarCaption), "Customize...");
  SetResStringLoader(previous);
}

TEST(DxPlatformVersion, FlagsAfterStartUp) {
  EXPECT_TRUE(IsWinNTFamily);
  EXPECT_TRUE(IsWindowsMajor6);
  EXPECT_FALSE(IsWin9xFamily);
  EXPECT_FALSE(IsWindows95);
  EXPECT_FALSE(IsWindowsXP);
}

TEST(DxPlatformVersion, FlagRules) {
  struct Case {
    TdxPlatformVersion v;
    bool win9x, win95, nt, xp, major6;
  };
  const Case cases[] = {
      {{1, 4, 0}, true, true, false, false, false},    // Windows 95
      {{1, 4, 10}, true, false, false, false, false},  // Windows 98
      {{2, 5, 0}, false, false, true, false, false},   // Windows 2000
      {{2, 5, 1}, false, false, true, true, false},    // XP
      {{2, 5, 2}, false, false, true, true, false},    // Server 2003
      {{2, 6, 1}, false, false, true, false, true},    // Windows 7
      {{1, 6, 0}, true, true, false, false, false},    // major 6 outside NT is not "major 6"
  };
  for (const Case& c : cases) {
    const TdxVersionFlags f = dxVersionFlagsOf(c.v);
    SCOPED_TRACE(testing::Message() << c.v.PlatformId << "." << c.v.Major << "." << c.v.Minor);
    EXPECT_EQ(f.Win9xFamily, c.win9x);
    EXPECT_EQ(f.Windows95, c.win95);
    EXPECT_EQ(f.WinNTFamily, c.nt);
    EXPECT_EQ(f.WindowsXP, c.xp);
    EXPECT_EQ(f.WindowsMajor6, c.major6);
  }
}

TEST(DxCoreConversions, ColorToRGBQuad) {
  EXPECT_EQ(ColorToRGBQuad(RGBColor(0xFF, 0, 0), 0), 0x00FF0000u);
  EXPECT_EQ(ColorToRGBQuad(RGBColor(0x12, 0x34, 0x56), 0xAB), 0xAB123456u);
  const uint32_t face = win::GetSysColor(win::COLOR_BTNFACE);
  const uint32_t expected = uint32_t(GetBValue(face)) | uint32_t(GetGValue(face)) << 8 | uint32_t(GetRValue(face)) << 16;
  EXPECT_EQ(ColorToRGBQuad(clBtnFace, 0), expected);
}

TEST(DxCoreConversions, CharTypeFlags) {
  struct Case {
    char32_t ch;
    uint16_t mustHave;
    uint16_t mustLack;
  };
  const Case cases[] = {
      {U'A', C1_UPPER | C1_ALPHA | C1_XDIGIT | C1_DEFINED, C1_LOWER | C1_CNTRL},
      {U'z', C1_LOWER | C1_ALPHA | C1_DEFINED, C1_UPPER | C1_XDIGIT},
      {U'7', C1_DIGIT | C1_XDIGIT, C1_ALPHA},
      {U' ', C1_SPACE | C1_BLANK, C1_CNTRL},
      {U'\t', C1_CNTRL | C1_SPACE | C1_BLANK, C1_ALPHA},
      {U'\n', C1_CNTRL | C1_SPACE, C1_BLANK},
      {0x01, C1_CNTRL, C1_ALPHA | C1_PUNCT},
      {0x85, C1_CNTRL, C1_ALPHA},
      {U'!', C1_PUNCT, C1_ALPHA | C1_CNTRL},
      {U'Ä', C1_UPPER | C1_ALPHA, C1_CNTRL},
      {U'ß', C1_LOWER | C1_ALPHA, C1_CNTRL},
      {U'€', C1_PUNCT, C1_ALPHA | C1_CNTRL},
      {0x3000, C1_SPACE, C1_CNTRL},  // ideographic space
  };
  for (const Case& c : cases) {
    const uint16_t f = GetCharTypeFlags(c.ch);
    EXPECT_EQ(f & c.mustHave, c.mustHave) << std::hex << uint32_t(c.ch) << " flags " << f;
    EXPECT_EQ(f & c.mustLack, 0) << std::hex << uint32_t(c.ch) << " flags " << f;
  }
  EXPECT_EQ(GetCharTypeFlags(0xD800), 0);      // a lone surrogate
  EXPECT_EQ(GetCharTypeFlags(0x110000), 0);    // past Unicode
}

TEST(DxCoreConversions, TextToUtf8ShortCutsAtCharacterBoundaries) {
  // 'ä' is two bytes. 127 of them (254 bytes) + 'x' = 255 bytes fit whole.
  std::string fits;
  for (int i = 0; i < 127; ++i) fits += "ä";
  fits += "x";
  EXPECT_EQ(TextToUtf8Short(fits), fits);
  // 128 'ä' need 256 bytes: the last whole character that fits ends at 254.
  std::string tooLong;
  for (int i = 0; i < 128; ++i) tooLong += "ä";
  const std::string cut = TextToUtf8Short(tooLong);
  EXPECT_EQ(cut.size(), 254u);
  EXPECT_TRUE(IsValidUtf8(cut));
  EXPECT_EQ(cut, tooLong.substr(0, 254));
  // A long text is cut, never dropped.
  EXPECT_EQ(TextToUtf8Short(std::string(1000, 'a')), std::string(255, 'a'));
  // Four-byte characters: 63 * 4 = 252 bytes fit, a 64th would need 256.
  std::string emoji;
  for (int i = 0; i < 70; ++i) emoji += "\xF0\x9F\x98\x80";
  EXPECT_EQ(TextToUtf8Short(emoji).size(), 252u);
  EXPECT_EQ(TextToUtf8Short(""), "");
}

TEST(DxCoreConversions, Utf8AndWideText) {
  EXPECT_EQ(Utf8ToText("Gr\xC3\xBC\xC3\x9F"), "Grüß");
  EXPECT_EQ(Utf8ToText("a\xFF" "b"), "a\xEF\xBF\xBD" "b");  // malformed byte becomes U+FFFD
  EXPECT_EQ(UnicodeToWide("Grüß €"), u"Grüß €");
  EXPECT_EQ(WideToUnicode(u"Grüß €"), "Grüß €");
}

TEST(DxCoreConversions, FillZeroAndOverlappingMove) {
  char buf[8] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
  MoveBytes(buf, buf + 2, 5);  // overlapping forward copy
  EXPECT_EQ(std::string(buf, 8), "ababcdeh");
  FillZero(buf + 1, 3);
  EXPECT_EQ(std::memcmp(buf, "a\0\0\0cdeh", 8), 0);
  FillZero(nullptr, 0);
  MoveBytes(nullptr, nullptr, 0);
}

}  // namespace
