// Definitions the whole image library shares: library-wide defaults, the
// library's version, the message languages and the localized message tables
// that the library's dialogs read their captions from.
//
// Messages are numbered 0..150 and kept per language slot (TMsgLanguage). The
// English row is always filled; another row may leave a message empty, and a
// lookup for an explicit language then gives the English text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/core/ieglobals.h"  // TResampleFilter, IELuminanceWeights

constexpr const char* IEVERSION = "4.0.2";

enum TMsgLanguage : uint8_t {
  msSystem,
  msEnglish,
  msItalian,
  msGerman,
  msSpanish,
  msFrench,
  msPortuguese,
  msGreek,
  msRussian,
  msDutch,
  msSwedish,
  msPolish,
  msJapanese,
  msCzech,
  msFinnish,
  msFarsi,
  msChinese,  // simplified
  msChineseTraditional,
  msDanish,
  msTurkish,
  msKorean,
  msHungarian,
  msUser
};

constexpr int32_t IELanguageCount = 23;
constexpr int32_t IEMessageCount = 151;

// Font character set, font name and code page of a language slot.
struct TIELANGUAGECHARINFO {
  uint8_t CharSet;
  const char* FontName;
  uint32_t CodePage;
};
const TIELANGUAGECHARINFO& IELanguageCharInfo(TMsgLanguage language);

// Background picture of the parameters preview dialog: 0 none, 1 gray stripes, 2 noise gradient.
extern uint8_t IEPreviewBackgroundStyle;

// The unit's library-init routine (gray weights 21, 71, 8; background style 0) and its empty fini routine.
void IEDefsInitialize();
void IEDefsFinalize();
// Puts this unit's routines into the library start-up: its init and fini
// routines in their slot, and the message-table fill into the core's init.
void IEDefsBindLibrary();
// The unit's own finalization, after the library's shut-down: empties the message tables.
void IEDefsUnitFinalize();

// Fills the rows msEnglish to msHungarian that this library has texts for.
void IEFillMessageTables();

// Language 0..22 and index 0..150; anything else is ignored.
void IESetMessageText(uint8_t language, uint8_t index, std::string_view text);
// Text in the code page of the language's slot (language taken modulo 128),
// converted to UTF-8 before it is stored.
void IESetMessageTextAnsi(uint8_t language, uint8_t index, std::string_view codePageText);
// The text of a message. An explicit language falls back to English when its
// entry is empty; msSystem picks the row of the user's locale and does not
// fall back. Out-of-range arguments give an empty text.
std::string IEGetMessageText(uint8_t index, TMsgLanguage language);

// The user's language as a Windows language identifier (primary language in
// the low 10 bits, sub-language above), read once from the locale environment
// (LC_ALL, LC_MESSAGES, LANG). 0 when none is set.
uint16_t IESystemLanguageId();
// The identifier of a POSIX locale name such as "de_DE.UTF-8" or "zh_TW"; 0 for
// "C", "POSIX", an empty name or a language without an identifier here.
uint16_t IELanguageIdFromLocaleName(std::string_view locale);
// Replaces what IESystemLanguageId reports (for tests and for callers that know better).
void IESetSystemLanguageId(uint16_t languageId);
