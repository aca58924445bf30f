#include "platform/rtl/charset.h"

namespace {

struct CharsetCodePage {
  uint8_t charset;
  uint32_t codePage;
};

constexpr CharsetCodePage kCharsetCodePages[] = {
    {0, 1252},    // ANSI_CHARSET
    {238, 1250},  // EASTEUROPE_CHARSET
    {204, 1251},  // RUSSIAN_CHARSET
    {161, 1253},  // GREEK_CHARSET
    {162, 1254},  // TURKISH_CHARSET
    {177, 1255},  // HEBREW_CHARSET
    {178, 1256},  // ARABIC_CHARSET
    {186, 1257},  // BALTIC_CHARSET
    {163, 1258},  // VIETNAMESE_CHARSET
    {222, 874},   // THAI_CHARSET
    {128, 932},   // SHIFTJIS_CHARSET
    {134, 936},   // GB2312_CHARSET
    {129, 949},   // HANGEUL_CHARSET
    {136, 950},   // CHINESEBIG5_CHARSET
    {130, 1361},  // JOHAB_CHARSET
    {2, 42},      // SYMBOL_CHARSET
};

}  // namespace

bool TranslateCharsetInfo(uint8_t charset, uint32_t& codePage) {
  for (const CharsetCodePage& e : kCharsetCodePages)
    if (e.charset == charset) {
      codePage = e.codePage;
      return true;
    }
  return false;
}
