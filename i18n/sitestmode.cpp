// Test mode, text encodings by character set and the dispatcher-backed text
// transformations of the translation component.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "i18n/siComp.h"
#include "platform/rtl/charset.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"
#include "platform/vcl/graphics.h"
#include "platform/win/winuser.h"

std::string FlipCase(std::string_view text) {
  std::u16string w = Utf8ToUtf16(text);
  for (char16_t& c : w) {
    const char32_t lower = CpLowerChar(c);
    const bool upperLetter = lower != c && CpUpperChar(c) == c;
    const char32_t flipped = upperLetter ? lower : CpUpperChar(c);
    if (flipped <= 0xFFFF) c = char16_t(flipped);
  }
  return Utf16ToUtf8(w);
}

std::string ExpandChars(std::string_view text, char padding, int32_t percent) {
  if (text.find('%') != std::string_view::npos) return std::string(text);
  const std::u16string w = Utf8ToUtf16(text);
  const int64_t length = int64_t(w.size());
  int64_t n = length * percent / 100;
  std::u16string out;
  for (int64_t p = 1; p <= length; ++p) {
    const int64_t k = n / (length - p + 1);
    out += w[size_t(p - 1)];
    if (k > 0) out.append(size_t(k), char16_t(static_cast<unsigned char>(padding)));
    n -= k;
  }
  return Utf16ToUtf8(out);
}

std::string ExpandWidth(std::string_view text, char padding, int32_t percent,
                        const std::function<int32_t(const std::string&)>& measure) {
  if (text.empty()) return {};
  std::u16string r = Utf8ToUtf16(CpUpperCase(text));
  const int64_t w = measure(std::string(text));
  const int64_t target = w + w * percent / 100;
  const int64_t length = int64_t(r.size());
  // A padding character that adds no width would never reach the target.
  const int64_t maxInsertions = length * (percent > 0 ? percent : 0);
  int64_t p = int64_t(r.size());
  int64_t width = measure(Utf16ToUtf8(r));
  for (int64_t inserted = 0; width < target && inserted < maxInsertions; ++inserted) {
    r.insert(size_t(p - 1), 1, char16_t(static_cast<unsigned char>(padding)));
    const int64_t widened = measure(Utf16ToUtf8(r));
    if (widened <= width) break;
    width = widened;
    p -= 2;
    if (p <= 1) p = int64_t(r.size()) - 1;
    if (p < 1) p = 1;
  }
  return Utf16ToUtf8(r);
}

int32_t ScreenTextWidth(const std::string& text) {
  win::HDC dc = win::GetDC(nullptr);
  int32_t width = 0;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font()->SetName("Tahoma");
    canvas.Font()->SetSize(8);
    try {
      width = canvas.TextWidth(text);
    } catch (...) {
      canvas.SetHandle(nullptr);
      win::ReleaseDC(nullptr, dc);
      throw;
    }
    canvas.SetHandle(nullptr);
  }
  win::ReleaseDC(nullptr, dc);
  return width;
}

namespace {

uint32_t CodePageOfCharset(uint8_t charset) {
  uint32_t cp = CP_ACP;
  TranslateCharsetInfo(charset, cp);
  if (!IsCodePageSupported(cp)) throw EAbort("");
  return cp;
}

}  // namespace

std::string AnsiToWideByCharset(std::string_view s, uint8_t charset) {
  if (s.empty()) return {};
  return CodePageToUtf8(s, CodePageOfCharset(charset));
}

std::string WideToAnsiByCharset(std::string_view w, uint8_t charset) {
  if (w.empty()) return {};
  return Utf8ToCodePage(w, CodePageOfCharset(charset));
}

std::u16string Utf8ToWide(std::string_view s) { return Utf8ToUtf16(s); }
std::string WideToUtf8(std::u16string_view w) { return Utf16ToUtf8(w); }

std::string TsiCustomLang::PseudoTranslate(const std::string& text) {
  TsiLangDispatcher* d = LangDispatcher();
  if (!d) return text;
  const TTestModeInfo& info = *d->TestModeInfo();
  switch (info.Kind()) {
    case tmkFlipCase: return FlipCase(text);
    case tmkExpandChars: return ExpandChars(text, info.PaddingChar(), info.ExpandCharsPercent());
    default: return ExpandWidth(text, info.PaddingChar(), info.ExpandWidthPercent(), ScreenTextWidth);
  }
}

std::string TsiCustomLang::TestModeLineText(const std::string& line) {
  const std::string text = FieldOfLine(line, 1);
  return text.empty() ? text : PseudoTranslate(text);
}

std::string TsiCustomLang::TestModeText(const std::string& text) {
  TsiLangDispatcher* d = LangDispatcher();
  if (!d || !d->TestModeInfo()->Active() || text.empty()) return {};
  return PseudoTranslate(text);
}

std::string TsiCustomLang::GetLanguageText(const std::string& line, int32_t fieldIndex) {
  std::string text = FieldOfLine(line, fieldIndex);
  if (text.empty() && useDefaultLanguage_ && fieldIndex != defaultLanguage_) text = FieldOfLine(line, defaultLanguage_);
  return text;
}

void TsiCustomLang::SetAutoSkipEmpties(bool v) {
  if (v == autoSkipEmpties_) return;
  autoSkipEmpties_ = v;
  if (v && !Loading()) ScanComponentTexts();
}
