#include "imaging/io/iedefs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/core/ieinit.h"

namespace {

// The library is started (the test environment); afterwards the message
// tables are as start-up fills them and the system language is none (English).
class Defs : public testing::Test {
protected:
  void TearDown() override {
    IEDefsUnitFinalize();
    IEFillMessageTables();
    IESetSystemLanguageId(IELanguageIdFromLocaleName(""));
  }
};

}  // namespace

TEST_F(Defs, StartUpSetsTheDefaultsAndFillsTheTables) {
  EXPECT_EQ(IELuminanceWeights.Red, 21);
  EXPECT_EQ(IELuminanceWeights.Green, 71);
  EXPECT_EQ(IELuminanceWeights.Blue, 8);
  EXPECT_EQ(IEGrayOf(255, 255, 255), 255);
  EXPECT_EQ(IEGrayOf(100, 0, 0), 21);
  EXPECT_EQ(IEPreviewBackgroundStyle, 0);
  EXPECT_EQ(IEGetMessageText(0, msEnglish), "Preview");
  EXPECT_EQ(IEGetMessageText(37, msEnglish), "Parameters Preview");
  EXPECT_EQ(IEGetMessageText(128, msEnglish), "Automatically updates your preview with the changes you have selected");
  EXPECT_EQ(IEGetMessageText(150, msEnglish), "Spacing");
  EXPECT_EQ(IEGetMessageText(4, msGerman), "Abbrechen");
  EXPECT_EQ(IEGetMessageText(43, msGerman), "Originalgr\xC3\xB6\xC3\x9F" "e");
  for (int n = 0; n < IEMessageCount; ++n) {
    EXPECT_FALSE(IEGetMessageText(uint8_t(n), msEnglish).empty()) << n;
    EXPECT_FALSE(IEGetMessageText(uint8_t(n), msGerman).empty()) << n;
  }
}

TEST_F(Defs, StartUpRestoresWeightsChangedBefore) {
  IEFinalize();
  IELuminanceWeights = {1, 2, 3};
  IEPreviewBackgroundStyle = 2;
  std::vector<std::string> calls;
  IESetLibraryTrace([&](std::string_view n) { calls.emplace_back(n); });
  IEInitialize();
  IESetLibraryTrace({});
  EXPECT_EQ(IELuminanceWeights.Green, 71);
  EXPECT_EQ(IEPreviewBackgroundStyle, 0);
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[1], "IEDefsInitialize");
  EXPECT_EQ(calls[2], "IEUtilsInitialize");
}

TEST_F(Defs, ExplicitLanguagesFallBackToEnglish) {
  EXPECT_EQ(IEGetMessageText(123, msPolish), "Rate");
  EXPECT_EQ(IEGetMessageText(5, msUser), "Lock preview");
  IESetMessageText(msPolish, 123, "Szybko\xC5\x9B\xC4\x87");
  EXPECT_EQ(IEGetMessageText(123, msPolish), "Szybko\xC5\x9B\xC4\x87");
}

TEST_F(Defs, SystemLanguageFollowsTheLocaleWithoutFallBack) {
  IESetMessageText(msPolish, 1, "Orygina\xC5\x82");
  const struct {
    const char* locale;
    uint8_t index;
    std::string text;
  } cases[] = {
      {"pl_PL.UTF-8", 1, "Orygina\xC5\x82"},
      {"pl_PL.UTF-8", 123, ""},  // empty Polish entry: no English on this path
      {"en_US.UTF-8", 123, "Rate"},
      {"ar_EG", 123, "Rate"},
      {"xx_YY", 123, "Rate"},
      {"C", 123, "Rate"},
      {"", 0, "Preview"},
      {"de_AT.UTF-8@euro", 4, "Abbrechen"},
      {"zh_HK.UTF-8", 0, ""},  // a Chinese variant without a row
  };
  for (const auto& c : cases) {
    IESetSystemLanguageId(IELanguageIdFromLocaleName(c.locale));
    EXPECT_EQ(IEGetMessageText(c.index, msSystem), c.text) << c.locale;
  }
}

TEST(LanguageIds, FromLocaleNames) {
  const std::pair<const char*, uint16_t> cases[] = {
      {"de_DE.UTF-8", 7 | 1 << 10}, {"pl", 21 | 1 << 10},  {"zh_TW.Big5", 4 | 1 << 10}, {"zh_CN", 4 | 2 << 10},
      {"zh_HK", 4 | 3 << 10},       {"ja_JP.eucJP", 17 | 1 << 10}, {"POSIX", 0},          {"", 0}};
  for (auto [name, id] : cases) EXPECT_EQ(IELanguageIdFromLocaleName(name), id) << name;
}

TEST_F(Defs, AnsiTextsAreReadInTheirLanguagesCodePage) {
  IESetMessageTextAnsi(msJapanese, 10, "\x83\x4A\x83\x81\x83\x89");
  EXPECT_EQ(IEGetMessageText(10, msJapanese), "\xE3\x82\xAB\xE3\x83\xA1\xE3\x83\xA9");  // katakana "kamera"
  IESetMessageTextAnsi(msGreek | 0x80, 11, "\xC5\xEB\xEB\xDC\xE4\xE1");  // the high bit is ignored
  EXPECT_EQ(IEGetMessageText(11, msGreek), "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1");
  IESetMessageTextAnsi(msFrench, 12, "Couleur de base \xE9");
  EXPECT_EQ(IEGetMessageText(12, msFrench), "Couleur de base \xC3\xA9");
}

TEST_F(Defs, MessagesElevenAndOneHundredThreeAreSeparate) {
  EXPECT_EQ(IEGetMessageText(11, msEnglish), "Value");
  EXPECT_EQ(IEGetMessageText(103, msEnglish), "Value");
  IESetMessageText(msEnglish, 11, "Wert-11");
  EXPECT_EQ(IEGetMessageText(11, msEnglish), "Wert-11");
  EXPECT_EQ(IEGetMessageText(103, msEnglish), "Value");
}

TEST_F(Defs, ArgumentsOutsideTheTableAreHarmless) {
  IESetMessageText(23, 0, "x");
  IESetMessageText(msEnglish, 151, "x");
  IESetMessageTextAnsi(200, 0, "x");  // 200 and 127 is 72: no such row
  EXPECT_EQ(IEGetMessageText(151, msEnglish), "");
  EXPECT_EQ(IEGetMessageText(255, msGerman), "");
  EXPECT_EQ(IEGetMessageText(0, TMsgLanguage(23)), "");
  EXPECT_EQ(IEGetMessageText(0, msEnglish), "Preview");
}

TEST(LanguageRecords, CodePagesAndFonts) {
  EXPECT_EQ(IELanguageCharInfo(msSystem).CodePage, 0u);
  EXPECT_EQ(IELanguageCharInfo(msJapanese).CodePage, 932u);
  EXPECT_EQ(IELanguageCharInfo(msRussian).CharSet, 204);
  EXPECT_STREQ(IELanguageCharInfo(msFarsi).FontName, "Tahoma");
  EXPECT_EQ(IELanguageCharInfo(msFarsi).CodePage, 1256u);
  EXPECT_EQ(IELanguageCharInfo(msChineseTraditional).CodePage, 950u);
  EXPECT_EQ(IELanguageCharInfo(msUser).CodePage, 1252u);
  EXPECT_STREQ(IEVERSION, "4.0.2");
}
