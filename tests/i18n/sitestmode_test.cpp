#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18n/siComp.h"
#include "i18n_test.h"

namespace {

TEST(TestMode, FlipCaseAndExpandChars) {
  EXPECT_EQ(FlipCase("Open"), "oPEN");
  EXPECT_EQ(FlipCase("Öffnen 2x"), "öFFNEN 2X");
  struct Case {
    std::string text;
    int32_t percent;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"abc", 100, "a*b*c*"}, {"abc", 50, "abc*"}, {"abc", 0, "abc"},
      {"100 %", 100, "100 %"}, {"Größe", 40, "Größ*e*"}, {"", 100, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandChars(c.text, '*', c.percent), c.expected) << c.text;
}

// Five units per character; the padding character's width is the case's.
int32_t FixedWidth(const std::string& text, int32_t paddingWidth) {
  int32_t w = 0;
  for (char c : text) w += c == '*' ? paddingWidth : 5;
  return w;
}

TEST(TestMode, ExpandWidth) {
  struct Case {
    std::string text;
    int32_t percent;
    int32_t paddingWidth;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"OPEN", 0, 5, "OPEN"},      // already upper case: nothing to widen
      {"abc", 0, 5, "ABC"},
      {"abc", 100, 5, "AB***C"},   // 15 wide, padded to 30
      {"abc", 100, 0, "AB*C"},     // padding without width ends at once
      {"", 100, 5, ""},
  };
  for (const Case& c : cases) {
    auto measure = [&c](const std::string& t) { return FixedWidth(t, c.paddingWidth); };
    EXPECT_EQ(ExpandWidth(c.text, '*', c.percent, measure), c.expected) << c.text << " " << c.percent;
  }
}

TEST(TestMode, EmptyTextsOfLanguagesAboveOneArePseudoTranslated) {
  TViewerMain form(nullptr);
  TsiLangDispatcher dispatcher(nullptr);
  dispatcher.SetNumOfLanguages(2);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  lang.SetLangDispatcher(&dispatcher);
  lang.SetActiveLanguage(2);
  const std::string line = "btnOpen" + D + "Open" + D + D;
  EXPECT_EQ(lang.ActiveText(line, stCaptions), "");
  dispatcher.TestModeInfo()->SetActive(true);
  dispatcher.TestModeInfo()->SetKind(tmkFlipCase);
  EXPECT_EQ(lang.ActiveText(line, stCaptions), "oPEN");
  EXPECT_EQ(lang.ActiveText(line, stFonts), "");  // fonts, locales and charsets stay untouched
  dispatcher.TestModeInfo()->SetKind(tmkExpandChars);
  EXPECT_EQ(lang.TestModeLineText(line), "O*p*e*n*");
  EXPECT_EQ(lang.TestModeLineText("x" + D + D + D), "");
  lang.SetLangDispatcher(nullptr);
}

TEST(TestMode, TheDefaultsOfTheTestModeSettings) {
  TTestModeInfo info;
  EXPECT_FALSE(info.Active());
  EXPECT_EQ(info.Kind(), tmkExpandWidth);
  EXPECT_EQ(info.ExpandWidthPercent(), 100);
  EXPECT_EQ(info.ExpandCharsPercent(), 100);
  EXPECT_EQ(info.PaddingChar(), '*');
}

TEST(Encodings, TextsByCharacterSet) {
  struct Case {
    uint8_t charset;
    std::string bytes;
    std::string text;
  };
  const std::vector<Case> cases = {
      {204, "\xC0\xE1", "Аб"},    // RUSSIAN_CHARSET, Windows-1251
      {238, "\xA3\xF3", "Łó"},    // EASTEUROPE_CHARSET, Windows-1250
      {1, "\xE4", "ä"},           // DEFAULT_CHARSET: the ANSI code page
      {0, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AnsiToWideByCharset(c.bytes, c.charset), c.text) << int(c.charset);
    EXPECT_EQ(WideToAnsiByCharset(c.text, c.charset), c.bytes) << int(c.charset);
  }
  EXPECT_EQ(Utf8ToWide("Aä€"), u"Aä€");
  EXPECT_EQ(WideToUtf8(u"Aä€"), "Aä€");
}

}  // namespace

namespace {

TEST(LanguageText, TheDefaultLanguageFillsAnEmptyField) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(3);
  const std::string line = "x" + D + "one" + D + D + "three" + D;
  EXPECT_EQ(lang.GetLanguageText(line, 2), "");
  lang.SetUseDefaultLanguage(true);
  lang.SetDefaultLanguage(3);
  lang.SetDefaultLanguage(0);  // out of range: ignored
  lang.SetDefaultLanguage(4);
  EXPECT_EQ(lang.DefaultLanguage(), 3);
  EXPECT_EQ(lang.GetLanguageText(line, 2), "three");
  EXPECT_EQ(lang.GetLanguageText(line, 1), "one");
}

TEST(LanguageText, ChangeLocalesKeepsLinesItFinds) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.Locales()->Add("Decimal Separator" + D + "," + D);
  lang.SetChangeLocales(true);
  EXPECT_EQ(lang.Locales()->Count(), 1);
  EXPECT_FALSE(TsiCustomLang::TakesTextFromAction(&lang, stCaptions));  // no "Action" property
}

}  // namespace
