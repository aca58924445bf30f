// UTF-8/16/32 conversion, code pages through glibc's iconv, and code-point helpers.
//
// Decoding follows the Unicode recommendation for malformed input: each maximal
// prefix of a would-be sequence becomes one U+FFFD, so bad bytes never swallow
// the good text after them.
#include "platform/rtl/text.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <memory>

#include "platform/rtl/chartype.h"
#include "platform/rtl/exceptions.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || IsSurrogate(c)) c = kReplacement;
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// Length of the sequence at pos and whether it is well formed (pos < s.size()).
size_t SequenceAt(std::string_view s, size_t pos, char32_t& cp) {
  const auto c = static_cast<unsigned char>(s[pos]);
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  int need;
  char32_t v;
  unsigned char lo = 0x80, hi = 0xBF;  // the second byte's range excludes overlongs and surrogates
  if (c >= 0xC2 && c <= 0xDF) {
    need = 1;
    v = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    need = 2;
    v = c & 0x0F;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    need = 3;
    v = c & 0x07;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    cp = kReplacement;
    return 1;
  }
  size_t j = pos + 1;
  for (int k = 0; k < need; ++k, ++j) {
    if (j >= s.size()) {
      cp = kReplacement;
      return j - pos;
    }
    const auto b = static_cast<unsigned char>(s[j]);
    if (b < lo || b > hi) {
      cp = kReplacement;
      return j - pos;
    }
    lo = 0x80;
    hi = 0xBF;
    v = (v << 6) | (b & 0x3F);
  }
  cp = v;
  return j - pos;
}

bool WellFormedAt(std::string_view s, size_t pos, size_t len, char32_t cp) {
  return cp != kReplacement || (len == 3 && s.substr(pos, 3) == "\xEF\xBF\xBD");
}

// ---- case mapping ----

// glibc's C.UTF-8 carries the full Unicode simple case tables. It is a locale object of
// our own, so the process's global locale is never touched.
class CaseLocale {
public:
  CaseLocale() : loc_(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr))) {}
  ~CaseLocale() {
    if (loc_) freelocale(loc_);
  }
  CaseLocale(const CaseLocale&) = delete;
  CaseLocale& operator=(const CaseLocale&) = delete;
  locale_t Get() const { return loc_; }

private:
  locale_t loc_;
};

locale_t TheCaseLocale() {
  static CaseLocale l;
  return l.Get();
}

// Used only where the C.UTF-8 locale is missing: Latin-1, Latin Extended-A, Greek, Cyrillic.
char32_t FallbackUpper(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
  if (c == 0xFF) return 0x178;
  if (c == 0xB5) return 0x39C;
  if (c == 0x131) return 'I';
  if (c == 0x17F) return 'S';
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~1u;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
  if (c >= 0x3B1 && c <= 0x3CB) return c == 0x3C2 ? 0x3A3 : c - 32;
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 37;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 63;
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) return c & ~1u;
  if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c : c - 1;
  if (c == 0x4CF) return 0x4C0;
  return c;
}

char32_t FallbackLower(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  if (c == 0x178) return 0xFF;
  if (c == 0x130) return 'i';
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1u;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) return c | 1u;
  if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c + 1 : c;
  if (c == 0x4C0) return 0x4CF;
  return c;
}

template <typename Map>
std::string MapCase(std::string_view s, Map map) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    char32_t cp;
    const size_t len = SequenceAt(s, i, cp);
    if (cp < 0x80) {
      out += char(map(cp));
    } else if (!WellFormedAt(s, i, len, cp)) {
      out.append(s.substr(i, len));  // malformed bytes pass through untouched
    } else {
      AppendUtf8(out, map(cp));
    }
    i += len;
  }
  return out;
}

// ---- code pages ----

struct CodePageName {
  uint32_t cp;
  const char* name;
};

// Windows code page numbers and the names glibc's iconv knows them by.
constexpr CodePageName kCodePages[] = {
    {437, "CP437"},        {737, "CP737"},         {775, "CP775"},        {850, "CP850"},
    {852, "CP852"},        {855, "CP855"},         {857, "CP857"},        {858, "CP858"},
    {860, "CP860"},        {861, "CP861"},         {862, "CP862"},        {863, "CP863"},
    {864, "CP864"},        {865, "CP865"},         {866, "CP866"},        {869, "CP869"},
    {874, "CP874"},        {932, "CP932"},         {936, "CP936"},        {949, "CP949"},
    {950, "CP950"},        {1250, "CP1250"},       {1251, "CP1251"},      {1252, "CP1252"},
    {1253, "CP1253"},      {1254, "CP1254"},       {1255, "CP1255"},      {1256, "CP1256"},
    {1257, "CP1257"},      {1258, "CP1258"},       {1361, "JOHAB"},       {10000, "MACINTOSH"},
    {10007, "MAC-CYRILLIC"}, {20127, "ANSI_X3.4-1968"}, {20866, "KOI8-R"}, {20932, "EUC-JP"},
    {21866, "KOI8-U"},     {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"}, {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"}, {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"}, {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"}, {28599, "ISO-8859-9"},  {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
    {50220, "ISO-2022-JP"}, {51932, "EUC-JP"},     {51936, "EUC-CN"},     {51949, "EUC-KR"},
    {54936, "GB18030"},    {65000, "UTF-7"},
};

const char* IconvName(uint32_t cp) {
  if (cp == CP_ACP) cp = 1252;
  for (const auto& e : kCodePages)
    if (e.cp == cp) return e.name;
  return nullptr;
}

// Bytes Windows-1252 leaves undefined; Windows maps them to the C1 controls of the same
// value, which keeps every byte string round-tripping. glibc refuses them.
bool Is1252Hole(uint32_t c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

// A handle is not safe to share between threads; each thread keeps its own, opened once.
iconv_t Converter(const char* to, const char* from) {
  thread_local std::map<std::pair<std::string, std::string>, IconvHandle> cache;
  auto key = std::make_pair(std::string(to), std::string(from));
  auto it = cache.find(key);
  if (it == cache.end()) {
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return cd;
    it = cache.emplace(std::move(key), IconvHandle(cd)).first;
  }
  iconv_t cd = static_cast<iconv_t>(it->second.get());
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // fresh shift state
  return cd;
}

iconv_t RequireConverter(const char* to, const char* from, uint32_t cp) {
  iconv_t cd = (to && from) ? Converter(to, from) : iconv_t(-1);
  if (cd == iconv_t(-1)) throw EEncodingError("No mapping for the code page " + std::to_string(cp));
  return cd;
}

// Runs iconv over the input; onError handles the bytes at the failing position
// (invalid or unmappable) and returns how many input bytes to skip.
template <typename OnError>
std::string RunIconv(iconv_t cd, std::string_view input, OnError onError) {
  std::string out;
  char buf[4096];
  char* in = const_cast<char*>(input.data());  // iconv's signature is not const-correct
  size_t inLeft = input.size();
  auto flushBuf = [&](char* end) { out.append(buf, size_t(end - buf)); };
  while (true) {
    char* o = buf;
    size_t oLeft = sizeof buf;
    const size_t r = inLeft ? iconv(cd, &in, &inLeft, &o, &oLeft) : iconv(cd, nullptr, nullptr, &o, &oLeft);
    const int err = errno;
    flushBuf(o);
    if (r != size_t(-1)) {
      if (inLeft == 0 && o == buf) break;  // flushed and nothing left
      continue;
    }
    if (err == E2BIG) continue;
    if (err == EILSEQ || err == EINVAL) {
      const size_t skip = std::min(inLeft, onError(std::string_view(in, inLeft), out));
      in += skip;
      inLeft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      continue;
    }
    break;  // any other failure: keep what was converted
  }
  return out;
}

std::string Utf8ToUtf16Bytes(std::string_view s, bool bigEndian) {
  const std::u16string u = Utf8ToUtf16(s);
  std::string out;
  out.reserve(u.size() * 2);
  for (char16_t c : u) {
    const char hi = char(c >> 8), lo = char(c & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}

std::string SanitizeUtf8(std::string_view s) {
  if (IsValidUtf8(s)) return std::string(s);
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) AppendUtf8(out, Utf8NextCodePoint(s, i));
  return out;
}

}  // namespace

std::string Utf16BytesToUtf8(std::string_view b, bool bigEndian) {
  std::u16string u;
  u.reserve(b.size() / 2);
  for (size_t i = 0; i + 1 < b.size(); i += 2) {
    const auto b0 = static_cast<unsigned char>(b[i]), b1 = static_cast<unsigned char>(b[i + 1]);
    u += char16_t(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
  }
  return Utf16ToUtf8(u);
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

char32_t Utf8NextCodePoint(std::string_view s, size_t& pos) {
  if (pos >= s.size()) return 0;
  char32_t cp;
  pos += SequenceAt(s, pos, cp);
  return cp;
}

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const char32_t c = Utf8NextCodePoint(s, i);
    if (c >= 0x10000) {
      out += char16_t(0xD800 + ((c - 0x10000) >> 10));
      out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += char16_t(c);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size() * 3 / 2);
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(out, c);  // a lone surrogate becomes U+FFFD there
  }
  return out;
}

std::u32string Utf8ToUtf32(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) out += Utf8NextCodePoint(s, i);
  return out;
}

std::string Utf32ToUtf8(std::u32string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t c : s) AppendUtf8(out, c);
  return out;
}

std::string CodePointToUtf8(char32_t cp) {
  std::string out;
  AppendUtf8(out, cp);
  return out;
}

bool IsValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    char32_t cp;
    const size_t len = SequenceAt(s, i, cp);
    if (!WellFormedAt(s, i, len, cp)) return false;
    i += len;
  }
  return true;
}

bool IsCodePageSupported(uint32_t codePage) {
  switch (codePage) {
    case CP_UTF8:
    case CP_UTF16LE:
    case CP_UTF16BE:
      return true;
    default:
      break;
  }
  const char* name = IconvName(codePage);
  return name && Converter("UTF-8", name) != iconv_t(-1);
}

std::string CodePageToUtf8(std::string_view bytes, uint32_t codePage) {
  if (codePage == CP_UTF8) return SanitizeUtf8(bytes);
  if (codePage == CP_UTF16LE || codePage == CP_UTF16BE) {
    std::string out = Utf16BytesToUtf8(bytes, codePage == CP_UTF16BE);
    if (bytes.size() % 2) AppendUtf8(out, kReplacement);  // the dangling byte stays visible
    return out;
  }
  const uint32_t cp = codePage == CP_ACP ? 1252 : codePage;
  iconv_t cd = RequireConverter("UTF-8", IconvName(cp), codePage);
  return RunIconv(cd, bytes, [cp](std::string_view rest, std::string& out) -> size_t {
    if (rest.empty()) return 0;
    const auto b = static_cast<unsigned char>(rest[0]);
    AppendUtf8(out, (cp == 1252 && Is1252Hole(b)) ? char32_t(b) : kReplacement);
    return 1;
  });
}

std::string Utf8ToCodePage(std::string_view text, uint32_t codePage) {
  if (codePage == CP_UTF8) return SanitizeUtf8(text);
  if (codePage == CP_UTF16LE || codePage == CP_UTF16BE) return Utf8ToUtf16Bytes(text, codePage == CP_UTF16BE);
  const uint32_t cp = codePage == CP_ACP ? 1252 : codePage;
  iconv_t cd = RequireConverter(IconvName(cp), "UTF-8", codePage);
  const std::string clean = SanitizeUtf8(text);
  return RunIconv(cd, clean, [cp](std::string_view rest, std::string& out) -> size_t {
    if (rest.empty()) return 0;
    size_t pos = 0;
    const char32_t c = Utf8NextCodePoint(rest, pos);
    out += (cp == 1252 && Is1252Hole(c)) ? char(c) : '?';
    return pos;
  });
}

int32_t CpLength(std::string_view s) {
  int32_t n = 0;
  for (size_t i = 0; i < s.size(); ++n) Utf8NextCodePoint(s, i);
  return n;
}

namespace {
// Byte offset of the code point with the 1-based index (s.size() when past the end).
size_t ByteOffsetOf(std::string_view s, int32_t index) {
  size_t i = 0;
  for (int32_t k = 1; k < index && i < s.size(); ++k) Utf8NextCodePoint(s, i);
  return i;
}
}  // namespace

std::string CpCopy(std::string_view s, int32_t index, int32_t count) {
  if (count <= 0) return {};
  if (index < 1) index = 1;
  const size_t start = ByteOffsetOf(s, index);
  size_t end = start;
  for (int32_t k = 0; k < count && end < s.size(); ++k) Utf8NextCodePoint(s, end);
  return std::string(s.substr(start, end - start));
}

int32_t CpPos(std::string_view sub, std::string_view s, int32_t offset) {
  if (sub.empty() || offset < 1) return 0;
  size_t i = ByteOffsetOf(s, offset);
  for (int32_t index = offset; i < s.size(); ++index) {
    if (s.substr(i).starts_with(sub)) return index;
    Utf8NextCodePoint(s, i);
  }
  return 0;
}

char32_t CpAt(std::string_view s, int32_t index) {
  if (index < 1) return 0;
  size_t i = ByteOffsetOf(s, index);
  return i < s.size() ? Utf8NextCodePoint(s, i) : 0;
}

char32_t CpUpperChar(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
  if (locale_t l = TheCaseLocale()) return char32_t(towupper_l(wint_t(c), l));
  return FallbackUpper(c);
}

char32_t CpLowerChar(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  if (locale_t l = TheCaseLocale()) return char32_t(towlower_l(wint_t(c), l));
  return FallbackLower(c);
}

std::string CpUpperCase(std::string_view s) { return MapCase(s, CpUpperChar); }
std::string CpLowerCase(std::string_view s) { return MapCase(s, CpLowerChar); }

// ---- character classes ----

uint16_t CpCharType1(char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  uint16_t flags = 0;
  if (locale_t l = TheCaseLocale()) {
    const wint_t w = wint_t(c);
    if (iswupper_l(w, l)) flags |= C1_UPPER;
    if (iswlower_l(w, l)) flags |= C1_LOWER;
    if (iswdigit_l(w, l)) flags |= C1_DIGIT;
    if (iswspace_l(w, l)) flags |= C1_SPACE;
    if (iswpunct_l(w, l)) flags |= C1_PUNCT;
    if (iswcntrl_l(w, l)) flags |= C1_CNTRL;
    if (iswblank_l(w, l)) flags |= C1_BLANK;
    if (iswxdigit_l(w, l)) flags |= C1_XDIGIT;
    if (iswalpha_l(w, l)) flags |= C1_ALPHA;
    if (flags || iswprint_l(w, l)) flags |= C1_DEFINED;
    return flags;
  }
  // Without the locale only ASCII and the C1 controls are known.
  if (c < 0x20 || (c >= 0x7F && c < 0xA0)) flags |= C1_CNTRL;
  if (c == ' ' || c == '\t') flags |= C1_SPACE | C1_BLANK;
  if (c >= '\n' && c <= '\r') flags |= C1_SPACE;
  if (c >= 'A' && c <= 'Z') flags |= C1_UPPER | C1_ALPHA;
  if (c >= 'a' && c <= 'z') flags |= C1_LOWER | C1_ALPHA;
  if (c >= '0' && c <= '9') flags |= C1_DIGIT | C1_XDIGIT;
  if ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) flags |= C1_XDIGIT;
  if (c > ' ' && c < 0x7F && !(flags & (C1_ALPHA | C1_DIGIT))) flags |= C1_PUNCT;
  if (flags) flags |= C1_DEFINED;
  return flags;
}
