#include "imaging/io/iedefs.h"

#include <array>
#include <atomic>
#include <cstdlib>

#include "imaging/core/ieinit.h"
#include "platform/rtl/text.h"

uint8_t IEPreviewBackgroundStyle = 0;

namespace {

using TMessageRow = std::array<std::string, IEMessageCount>;

std::array<TMessageRow, IELanguageCount>& Messages() {
  static std::array<TMessageRow, IELanguageCount> table;
  return table;
}

constexpr TIELANGUAGECHARINFO kCharInfo[IELanguageCount] = {
    {1, "", 0},          // msSystem
    {1, "", 1252},       // msEnglish
    {1, "", 1252},       // msItalian
    {1, "", 1252},       // msGerman
    {1, "", 1252},       // msSpanish
    {1, "", 1252},       // msFrench
    {1, "", 1252},       // msPortuguese
    {161, "", 1253},     // msGreek
    {204, "", 1251},     // msRussian
    {1, "", 1252},       // msDutch
    {1, "", 1252},       // msSwedish
    {1, "", 1250},       // msPolish
    {1, "", 932},        // msJapanese
    {1, "", 1250},       // msCzech
    {1, "", 1252},       // msFinnish
    {178, "Tahoma", 1256},  // msFarsi
    {1, "", 936},        // msChinese
    {1, "", 950},        // msChineseTraditional
    {1, "", 1252},       // msDanish
    {1, "", 1254},       // msTurkish
    {1, "", 949},        // msKorean
    {1, "", 1250},       // msHungarian
    {1, "", 1252},       // msUser
};

// Windows primary language identifiers of the languages with a row, and English.
struct TLocaleLanguage {
  const char* iso;
  uint16_t primary;
};
constexpr TLocaleLanguage kLocaleLanguages[] = {
    {"en", 9},  {"it", 16}, {"de", 7},  {"es", 10}, {"fr", 12}, {"pt", 22}, {"el", 8},
    {"ru", 25}, {"nl", 19}, {"sv", 29}, {"pl", 21}, {"ja", 17}, {"cs", 5},  {"fi", 11},
    {"fa", 41}, {"zh", 4},  {"da", 6},  {"tr", 31}, {"ko", 18}, {"hu", 14}, {"ar", 1},
};

// The row that a language identifier selects; msSystem when the identifier selects none.
TMsgLanguage RowOfLanguageId(uint16_t id) {
  if (id == 0) return msEnglish;
  const uint16_t primary = id & 0x3FF;
  const uint16_t sub = id >> 10;
  switch (primary) {
    case 16: return msItalian;
    case 7: return msGerman;
    case 10: return msSpanish;
    case 12: return msFrench;
    case 22: return msPortuguese;
    case 8: return msGreek;
    case 25: return msRussian;
    case 19: return msDutch;
    case 29: return msSwedish;
    case 21: return msPolish;
    case 17: return msJapanese;
    case 5: return msCzech;
    case 11: return msFinnish;
    case 41: return msFarsi;
    case 4:
      // Chinese other than Taiwan's traditional or the mainland's simplified is given no row.
      return sub == 1 ? msChineseTraditional : sub == 2 ? msChinese : msSystem;
    case 6: return msDanish;
    case 31: return msTurkish;
    case 18: return msKorean;
    case 14: return msHungarian;
    default: return msEnglish;
  }
}

std::atomic<int32_t> gSystemLanguageId{-1};

uint16_t ReadLocaleLanguageId() {
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* v = std::getenv(var);
    if (v && *v) return IELanguageIdFromLocaleName(v);
  }
  return 0;
}

}  // namespace

const TIELANGUAGECHARINFO& IELanguageCharInfo(TMsgLanguage language) {
  return kCharInfo[language < IELanguageCount ? language : msUser];
}

void IEDefsInitialize() {
  IELuminanceWeights = TIELuminanceWeights{21, 71, 8};
  IEPreviewBackgroundStyle = 0;
}

void IEDefsFinalize() {}

void IEDefsBindLibrary() {
  IEBindLibraryUnit(ieluDefs, &IEDefsInitialize, &IEDefsFinalize);
  IEBindMessageTables(&IEFillMessageTables);
}

void IEDefsUnitFinalize() {
  for (TMessageRow& row : Messages())
    for (std::string& text : row) std::string().swap(text);
}

void IESetMessageText(uint8_t language, uint8_t index, std::string_view text) {
  if (language >= IELanguageCount || index >= IEMessageCount) return;
  Messages()[language][index] = std::string(text);
}

void IESetMessageTextAnsi(uint8_t language, uint8_t index, std::string_view codePageText) {
  language &= 0x7F;
  if (language >= IELanguageCount || index >= IEMessageCount) return;
  Messages()[language][index] = CodePageToUtf8(codePageText, kCharInfo[language].CodePage);
}

std::string IEGetMessageText(uint8_t index, TMsgLanguage language) {
  if (index >= IEMessageCount || language >= IELanguageCount) return {};
  if (language == msSystem) {
    const TMsgLanguage row = RowOfLanguageId(IESystemLanguageId());
    return row == msSystem ? std::string() : Messages()[row][index];
  }
  const std::string& text = Messages()[language][index];
  return text.empty() ? Messages()[msEnglish][index] : text;
}

uint16_t IELanguageIdFromLocaleName(std::string_view locale) {
  // language[_TERRITORY][.codeset][@modifier]
  const size_t langEnd = locale.find_first_of("_.@");
  const std::string_view lang = locale.substr(0, langEnd);
  std::string_view territory;
  if (langEnd != std::string_view::npos && locale[langEnd] == '_') {
    territory = locale.substr(langEnd + 1);
    territory = territory.substr(0, territory.find_first_of(".@"));
  }
  for (const TLocaleLanguage& l : kLocaleLanguages) {
    if (lang != l.iso) continue;
    uint16_t sub = 1;
    if (l.primary == 4) {
      // Windows numbers the Chinese variants: 1 Taiwan, 2 mainland, 3 Hong Kong, 4 Singapore, 5 Macao.
      sub = territory == "TW" ? 1 : territory == "HK" ? 3 : territory == "SG" ? 4 : territory == "MO" ? 5 : 2;
    }
    return uint16_t(l.primary | (sub << 10));
  }
  return 0;
}

uint16_t IESystemLanguageId() {
  int32_t id = gSystemLanguageId.load();
  if (id < 0) {
    id = ReadLocaleLanguageId();
    gSystemLanguageId.store(id);
  }
  return uint16_t(id);
}

void IESetSystemLanguageId(uint16_t languageId) { gSystemLanguageId.store(languageId); }
