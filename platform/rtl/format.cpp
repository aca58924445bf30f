// Format and the float conversions (FloatToStr, FloatToStrF, FormatFloat, StrToFloat).
//
// Digits come from std::to_chars and our own rounding, never from printf, so the C
// locale cannot change a separator. A value is first taken to 18 significant digits
// (an extended's worth) and then rounded half away from zero to what the format asks,
// as the framework does: Format('%.2f', 0.125) is "0.13".
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

namespace {

constexpr int kMaxPrecision = 18;
constexpr int kUnlimited = 9999;
// Widths and precisions past this are refused rather than allocated.
constexpr int kMaxFieldWidth = 1 << 20;

// value = 0.d1d2d3... * 10^exponent
struct Decimal {
  enum Kind : uint8_t { kFinite, kNaN, kInf };
  Kind kind = kFinite;
  bool negative = false;
  int exponent = 0;
  std::string digits;  // no leading or trailing zeros; empty means zero
  bool IsZero() const { return kind == kFinite && digits.empty(); }
};

// Rounds to `precision` significant digits and at most `decimals` digits after the point.
// A result that rounds to zero is unsigned, so -0.001 never prints as "-0.00".
Decimal ToDecimal(long double v, int precision, int decimals = kUnlimited) {
  Decimal d;
  if (std::isnan(v)) {
    d.kind = Decimal::kNaN;
    return d;
  }
  if (std::isinf(v)) {
    d.kind = Decimal::kInf;
    d.negative = v < 0;
    return d;
  }
  if (v == 0) return d;
  precision = std::clamp(precision, 1, kMaxPrecision);
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, kMaxPrecision - 1);
  const std::string_view text(buf, size_t(res.ptr - buf));  // d.ddddde[+-]xx
  const size_t ePos = text.find('e');
  std::string all(1, text[0]);
  all.append(text.substr(2, ePos - 2));
  int e10 = 0;
  std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1), text.data() + text.size(), e10);
  int exponent = e10 + 1;

  int n = precision;
  if (decimals != kUnlimited) n = std::min(n, exponent + decimals);
  std::string digits;
  if (n < 0) return d;
  if (n == 0) {
    if (all[0] < '5') return d;
    digits = "1";
    ++exponent;
  } else {
    digits = all.substr(0, size_t(n));
    if (size_t(n) < all.size() && all[size_t(n)] >= '5') {
      int i = n - 1;
      while (i >= 0 && digits[size_t(i)] == '9') digits[size_t(i--)] = '0';
      if (i < 0) {
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        ++exponent;
      } else {
        ++digits[size_t(i)];
      }
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return d;
  d.negative = std::signbit(v);
  d.exponent = exponent;
  d.digits = std::move(digits);
  return d;
}

std::string SpecialText(const Decimal& d) {
  if (d.kind == Decimal::kNaN) return "NAN";
  return d.negative ? "-INF" : "INF";
}

char DigitAt(const Decimal& d, int i) { return (i >= 0 && size_t(i) < d.digits.size()) ? d.digits[size_t(i)] : '0'; }

std::string ExponentText(char letter, int e, bool forceSign, int minDigits) {
  std::string s(1, letter);
  if (e < 0) s += '-';
  else if (forceSign) s += '+';
  std::string num = std::to_string(std::abs(e));
  if (int(num.size()) < minDigits) num.insert(0, size_t(minDigits) - num.size(), '0');
  return s + num;
}

void InsertThousands(std::string& intPart, char sep) {
  if (!sep) return;
  for (int i = int(intPart.size()) - 3; i > 0; i -= 3) intPart.insert(size_t(i), 1, sep);
}

// Integer and fraction digits of a rounded decimal, unsigned.
std::string PlainDigits(const Decimal& d, int decimals, char decSep, char thousandSep) {
  std::string intPart;
  if (d.exponent <= 0) intPart = "0";
  for (int i = 0; i < d.exponent; ++i) intPart += DigitAt(d, i);
  InsertThousands(intPart, thousandSep);
  if (decimals > 0) {
    intPart += decSep;
    for (int i = 0; i < decimals; ++i) intPart += DigitAt(d, d.exponent + i);
  }
  return intPart;
}

std::string GeneralText(long double v, int precision, int expDigits, char decSep) {
  precision = std::clamp(precision, 1, kMaxPrecision);
  const Decimal d = ToDecimal(v, precision);
  if (d.kind != Decimal::kFinite) return SpecialText(d);
  if (d.IsZero()) return "0";
  std::string s = d.negative ? "-" : "";
  const int n = int(d.digits.size());
  if (d.exponent <= precision && d.exponent >= -4) {
    if (d.exponent <= 0) {
      s += '0';
      s += decSep;
      s.append(size_t(-d.exponent), '0');
      s += d.digits;
    } else {
      for (int i = 0; i < d.exponent; ++i) s += DigitAt(d, i);
      if (n > d.exponent) {
        s += decSep;
        s.append(d.digits, size_t(d.exponent));
      }
    }
    return s;
  }
  s += d.digits[0];
  if (n > 1) {
    s += decSep;
    s.append(d.digits, 1);
  }
  return s + ExponentText('E', d.exponent - 1, false, std::clamp(expDigits, 0, 4));
}

std::string ExponentFormText(long double v, int precision, int expDigits, char decSep) {
  precision = std::clamp(precision, 1, kMaxPrecision);
  const Decimal d = ToDecimal(v, precision);
  if (d.kind != Decimal::kFinite) return SpecialText(d);
  std::string s = d.negative ? "-" : "";
  s += DigitAt(d, 0);
  if (precision > 1) {
    s += decSep;
    for (int i = 1; i < precision; ++i) s += DigitAt(d, i);
  }
  return s + ExponentText('E', d.IsZero() ? 0 : d.exponent - 1, true, std::clamp(expDigits, 0, 4));
}

std::string CurrencyText(const std::string& number, bool negative, const TFormatSettings& fs) {
  static constexpr const char* kPositive[] = {"$1", "1$", "$ 1", "1 $"};
  static constexpr const char* kNegative[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)",  "-1$",  "1-$",   "1$-",
                                              "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
  const char* pattern = negative ? kNegative[fs.NegCurrFormat % 16] : kPositive[fs.CurrencyFormat % 4];
  std::string s;
  for (const char* p = pattern; *p; ++p) {
    if (*p == '$') s += fs.CurrencyString;
    else if (*p == '1') s += number;
    else s += *p;
  }
  return s;
}

std::string FloatText(long double v, TFloatFormat format, int precision, int digits, const TFormatSettings& fs) {
  precision = std::clamp(precision, 1, kMaxPrecision);
  switch (format) {
    case ffGeneral:
      return GeneralText(v, precision, digits, fs.DecimalSeparator);
    case ffExponent:
      return ExponentFormText(v, precision, digits, fs.DecimalSeparator);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      digits = std::clamp(digits, 0, kMaxPrecision);
      const Decimal d = ToDecimal(v, precision, digits);
      if (d.kind != Decimal::kFinite) return SpecialText(d);
      // More integer digits than the precision can carry: the general form instead.
      if (d.exponent > precision) return GeneralText(v, precision, 0, fs.DecimalSeparator);
      const std::string number =
          PlainDigits(d, digits, fs.DecimalSeparator, format == ffFixed ? '\0' : fs.ThousandSeparator);
      if (format == ffCurrency) return CurrencyText(number, d.negative, fs);
      return d.negative ? "-" + number : number;
    }
  }
  return GeneralText(v, precision, digits, fs.DecimalSeparator);
}

// ---- FormatFloat ----

std::vector<std::string_view> SplitSections(std::string_view f) {
  std::vector<std::string_view> out;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < f.size(); ++i) {
    const char c = f[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      out.push_back(f.substr(start, i - start));
      start = i + 1;
      if (out.size() == 3) return out;  // anything past the third section is ignored
    }
  }
  out.push_back(f.substr(start));
  return out;
}

struct Layout {
  int intPlaceholders = 0;
  int forcedInt = 0;  // '0' placeholders from the first one up to the point
  int fracPlaceholders = 0;
  int forcedFrac = 0;  // fraction digits up to the last '0'
  bool hasPoint = false;
  bool thousands = false;
  bool scientific = false;
  bool expForceSign = false;
  int expDigits = 0;
};

// Position of an "E+"/"E-" exponent marker at i, if there is one.
bool IsExponentAt(std::string_view sec, size_t i) {
  return (sec[i] == 'E' || sec[i] == 'e') && i + 1 < sec.size() && (sec[i + 1] == '+' || sec[i + 1] == '-');
}

Layout Analyse(std::string_view sec) {
  Layout l;
  int firstZero = -1;
  for (size_t i = 0; i < sec.size(); ++i) {
    const char c = sec[i];
    if (c == '"' || c == '\'') {
      const size_t close = sec.find(c, i + 1);
      i = close == std::string_view::npos ? sec.size() : close;
    } else if (l.scientific) {
      continue;  // everything after the exponent is literal
    } else if (c == '0' || c == '#') {
      if (!l.hasPoint) {
        if (c == '0' && firstZero < 0) firstZero = l.intPlaceholders;
        ++l.intPlaceholders;
      } else {
        ++l.fracPlaceholders;
        if (c == '0') l.forcedFrac = l.fracPlaceholders;
      }
    } else if (c == '.') {
      l.hasPoint = true;
    } else if (c == ',') {
      l.thousands = true;
    } else if (IsExponentAt(sec, i)) {
      l.scientific = true;
      l.expForceSign = sec[i + 1] == '+';
      i += 2;
      while (i < sec.size() && sec[i] == '0') {
        l.expDigits = std::min(l.expDigits + 1, 4);
        ++i;
      }
      --i;
    }
  }
  if (firstZero >= 0) l.forcedInt = l.intPlaceholders - firstZero;
  return l;
}

struct Rendered {
  std::string intDigits;
  std::string fracDigits;
  std::string exponent;
  bool zero = true;
};

std::string Emit(std::string_view sec, const Layout& l, const Rendered& r, const TFormatSettings& fs) {
  std::string out;
  const int m = int(r.intDigits.size());
  const int offset = m - l.intPlaceholders;  // digits beyond the placeholders go at the first one
  const char sep = l.thousands ? fs.ThousandSeparator : '\0';
  auto putInt = [&](int idx) {
    out += r.intDigits[size_t(idx)];
    const int fromRight = m - 1 - idx;
    if (sep && fromRight > 0 && fromRight % 3 == 0) out += sep;
  };
  // A section with no integer placeholders still shows the integer part, before the point.
  bool intPending = l.intPlaceholders == 0 && (l.hasPoint || l.fracPlaceholders > 0 || l.scientific);
  auto flushPending = [&] {
    if (!intPending) return;
    for (int i = 0; i < m; ++i) putInt(i);
    intPending = false;
  };
  int intSeen = 0, fracSeen = 0;
  bool pointSeen = false, expDone = false;
  for (size_t i = 0; i < sec.size(); ++i) {
    const char c = sec[i];
    if (c == '"' || c == '\'') {
      const size_t close = sec.find(c, i + 1);
      const size_t end = close == std::string_view::npos ? sec.size() : close;
      out.append(sec.substr(i + 1, end - i - 1));
      i = end;
    } else if (expDone) {
      out += c;
    } else if ((c == '0' || c == '#') && !pointSeen) {
      const int j = intSeen++;
      if (j == 0)
        for (int idx = 0; idx <= offset && idx < m; ++idx) putInt(idx);
      else if (offset + j >= 0 && offset + j < m)
        putInt(offset + j);
    } else if (c == '0' || c == '#') {
      flushPending();
      if (fracSeen < int(r.fracDigits.size())) out += r.fracDigits[size_t(fracSeen)];
      ++fracSeen;
    } else if (c == '.' && !pointSeen) {
      flushPending();
      pointSeen = true;
      if (!r.fracDigits.empty()) out += fs.DecimalSeparator;
    } else if (c == ',') {
      // grouping is decided for the whole section
    } else if (l.scientific && IsExponentAt(sec, i)) {
      flushPending();
      out += r.exponent;
      i += 1;
      while (i + 1 < sec.size() && sec[i + 1] == '0') ++i;
      expDone = true;
    } else {
      out += c;
    }
  }
  flushPending();
  return out;
}

Rendered RenderFixed(long double a, const Layout& l, bool& tooLarge) {
  Rendered r;
  const Decimal d = ToDecimal(a, 15, l.fracPlaceholders);
  tooLarge = d.exponent > kMaxPrecision;
  r.zero = d.IsZero();
  for (int i = 0; i < d.exponent; ++i) r.intDigits += DigitAt(d, i);
  if (int(r.intDigits.size()) < l.forcedInt) r.intDigits.insert(0, size_t(l.forcedInt) - r.intDigits.size(), '0');
  for (int i = 0; i < l.fracPlaceholders; ++i) r.fracDigits += DigitAt(d, d.exponent + i);
  while (int(r.fracDigits.size()) > l.forcedFrac && r.fracDigits.back() == '0') r.fracDigits.pop_back();
  return r;
}

Rendered RenderScientific(long double a, const Layout& l, char expLetter) {
  Rendered r;
  const int k = l.intPlaceholders;
  const Decimal d = ToDecimal(a, std::max(1, k + l.fracPlaceholders));
  r.zero = d.IsZero();
  // Integer part shown with k digits; a format without any shows the value as .ddd
  for (int i = 0; i < k; ++i) r.intDigits += DigitAt(d, i);
  for (int i = 0; i < l.fracPlaceholders; ++i) r.fracDigits += DigitAt(d, k + i);
  while (int(r.fracDigits.size()) > l.forcedFrac && r.fracDigits.back() == '0') r.fracDigits.pop_back();
  r.exponent = ExponentText(expLetter, r.zero ? 0 : d.exponent - k, l.expForceSign, l.expDigits);
  return r;
}

char ExponentLetter(std::string_view sec) {
  for (size_t i = 0; i < sec.size(); ++i) {
    if (sec[i] == '"' || sec[i] == '\'') {
      const size_t close = sec.find(sec[i], i + 1);
      if (close == std::string_view::npos) break;
      i = close;
    } else if (IsExponentAt(sec, i)) {
      return sec[i];
    }
  }
  return 'E';
}

// Formats |v| with one section; nullopt when the section cannot show the value.
std::optional<std::string> FormatSection(std::string_view sec, long double a, bool minus, bool& roundedToZero,
                                         const TFormatSettings& fs) {
  const Layout l = Analyse(sec);
  Rendered r;
  if (l.scientific) {
    r = RenderScientific(a, l, ExponentLetter(sec));
  } else {
    bool tooLarge = false;
    r = RenderFixed(a, l, tooLarge);
    if (tooLarge) return std::nullopt;
  }
  roundedToZero = r.zero;
  std::string out = Emit(sec, l, r, fs);
  if (minus && !r.zero) out.insert(0, 1, '-');
  return out;
}

// ---- StrToFloat ----

bool ParseFloat(std::string_view s, char decSep, long double& out) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  size_t end = s.size();
  while (end > i && s[end - 1] == ' ') --end;
  s = s.substr(i, end - i);
  if (s.empty()) return false;

  bool negative = false;
  size_t p = 0;
  if (s[p] == '+' || s[p] == '-') negative = s[p++] == '-';
  auto sameText = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return (x >= 'a' && x <= 'z' ? x - 32 : x) == y;
           });
  };
  const std::string_view rest = s.substr(p);
  if (sameText(rest, "INF") || sameText(rest, "INFINITY")) {
    out = negative ? -std::numeric_limits<long double>::infinity() : std::numeric_limits<long double>::infinity();
    return true;
  }
  if (sameText(rest, "NAN")) {
    out = std::numeric_limits<long double>::quiet_NaN();
    return true;
  }

  std::string norm = negative ? "-" : "";
  int digitCount = 0;
  int intDigits = 0;  // significant digits before the point, for telling overflow from underflow
  bool leading = true;
  while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
    if (s[p] != '0') leading = false;
    if (!leading) ++intDigits;
    norm += s[p++];
    ++digitCount;
  }
  if (p < s.size() && s[p] == decSep) {
    norm += '.';
    ++p;
    while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
      norm += s[p++];
      ++digitCount;
    }
  }
  if (digitCount == 0) return false;
  long long exp10 = 0;
  if (p < s.size() && (s[p] == 'E' || s[p] == 'e')) {
    norm += 'e';
    ++p;
    bool expNegative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) {
      expNegative = s[p] == '-';
      norm += s[p++];
    }
    const size_t expStart = p;
    while (p < s.size() && s[p] >= '0' && s[p] <= '9') norm += s[p++];
    if (p == expStart) return false;
    if (std::from_chars(s.data() + expStart, s.data() + p, exp10).ec != std::errc())
      exp10 = std::numeric_limits<int32_t>::max();
    if (expNegative) exp10 = -exp10;
  }
  if (p != s.size()) return false;

  long double v = 0;
  const auto res = std::from_chars(norm.data(), norm.data() + norm.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    if (intDigits + exp10 > 0) return false;  // overflow
    v = negative ? -0.0L : 0.0L;              // underflow
  } else if (res.ec != std::errc() || res.ptr != norm.data() + norm.size()) {
    return false;
  }
  out = v;
  return true;
}

[[noreturn]] void FormatError(std::string_view fmt) {
  throw EConvertError("Format '" + std::string(fmt) + "' invalid or incompatible with argument");
}

}  // namespace

std::string FloatToStr(long double v, const TFormatSettings& fs) { return GeneralText(v, 15, 0, fs.DecimalSeparator); }

std::string FloatToStrF(long double v, TFloatFormat format, int32_t precision, int32_t digits,
                        const TFormatSettings& fs) {
  return FloatText(v, format, precision, digits, fs);
}

std::string FormatFloat(std::string_view format, long double v, const TFormatSettings& fs) {
  const Decimal special = ToDecimal(v, 1);
  if (special.kind != Decimal::kFinite) return SpecialText(special);
  const std::vector<std::string_view> sections = SplitSections(format);
  auto has = [&](size_t k) { return sections.size() > k && !sections[k].empty(); };
  size_t pick = 0;
  if (v < 0 && has(1)) pick = 1;
  else if (v == 0 && has(2)) pick = 2;
  if (sections[pick].empty()) return FloatToStr(v, fs);

  const long double a = std::fabs(v);
  bool zero = false;
  std::optional<std::string> out = FormatSection(sections[pick], a, v < 0 && pick == 0, zero, fs);
  if (!out) return FloatToStr(v, fs);
  if (zero && pick != 2 && has(2)) out = FormatSection(sections[2], 0, false, zero, fs);
  return out ? *out : FloatToStr(v, fs);
}

long double StrToFloat(std::string_view s, const TFormatSettings& fs) {
  long double v;
  if (!ParseFloat(s, fs.DecimalSeparator, v))
    throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
  return v;
}

long double StrToFloatDef(std::string_view s, long double def, const TFormatSettings& fs) {
  long double v;
  return ParseFloat(s, fs.DecimalSeparator, v) ? v : def;
}

bool TryStrToFloat(std::string_view s, long double& out, const TFormatSettings& fs) {
  return ParseFloat(s, fs.DecimalSeparator, out);
}

bool TryStrToFloat(std::string_view s, double& out, const TFormatSettings& fs) {
  long double v;
  if (!ParseFloat(s, fs.DecimalSeparator, v)) return false;
  if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<double>::max()) return false;
  out = double(v);
  return true;
}

// ---- Format ----

namespace {

std::string PadDigits(std::string digits, int precision) {
  if (precision > int(digits.size())) digits.insert(0, size_t(precision) - digits.size(), '0');
  return digits;
}

// Negative values in the 32-bit range show as their 32-bit two's complement, as the
// framework's Integer arguments do; wider ones as 64-bit.
uint64_t UnsignedView(int64_t v) {
  if (v < 0 && v >= std::numeric_limits<int32_t>::min()) return uint32_t(int32_t(v));
  return uint64_t(v);
}

std::string ToBase(uint64_t v, int base) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, base);
  std::string s(buf, r.ptr);
  for (char& c : s)
    if (c >= 'a' && c <= 'f') c = char(c - 32);
  return s;
}

}  // namespace

std::string FormatV(std::string_view fmt, std::span<const TVarRec> args, const TFormatSettings& fs) {
  std::string out;
  out.reserve(fmt.size() + 16);
  size_t argIndex = 0;
  size_t i = 0;
  const size_t n = fmt.size();

  auto nextArg = [&]() -> const TVarRec::Value& {
    if (argIndex >= args.size()) FormatError(fmt);
    return args[argIndex++].Get();
  };
  // A decimal number or '*' (taken from the next argument); nullopt when neither is there.
  auto number = [&]() -> std::optional<int64_t> {
    if (i < n && fmt[i] == '*') {
      ++i;
      const auto& a = nextArg();
      if (const auto* v = std::get_if<int64_t>(&a)) return *v;
      if (const auto* u = std::get_if<uint64_t>(&a)) return int64_t(std::min<uint64_t>(*u, kMaxFieldWidth + 1ull));
      FormatError(fmt);
    }
    if (i >= n || fmt[i] < '0' || fmt[i] > '9') return std::nullopt;
    int64_t v = 0;
    while (i < n && fmt[i] >= '0' && fmt[i] <= '9') {
      v = v * 10 + (fmt[i++] - '0');
      if (v > kMaxFieldWidth) FormatError(fmt);
    }
    return v;
  };

  while (i < n) {
    const size_t pct = fmt.find('%', i);
    if (pct == std::string_view::npos) {
      out.append(fmt.substr(i));
      break;
    }
    out.append(fmt.substr(i, pct - i));
    i = pct + 1;
    if (i >= n) FormatError(fmt);
    if (fmt[i] == '%') {
      out += '%';
      ++i;
      continue;
    }

    std::optional<int64_t> first = number();
    if (i < n && fmt[i] == ':') {
      const int64_t index = first.value_or(0);
      if (index < 0) FormatError(fmt);
      argIndex = size_t(index);
      ++i;
      first.reset();
    }
    bool left = false;
    if (!first) {
      if (i < n && fmt[i] == '-') {
        left = true;
        ++i;
      }
      first = number();
    }
    int64_t width = first.value_or(0);
    if (width < 0) {  // from '*': a negative width justifies left, as in C
      left = true;
      width = -width;
    }
    if (width > kMaxFieldWidth) FormatError(fmt);
    int64_t precision = -1;
    if (i < n && fmt[i] == '.') {
      ++i;
      precision = number().value_or(0);
      if (precision > kMaxFieldWidth) FormatError(fmt);
    }
    if (i >= n) FormatError(fmt);
    char type = fmt[i++];
    if (type >= 'A' && type <= 'Z') type = char(type + 32);

    const TVarRec::Value& arg = nextArg();
    std::string text;
    const auto* i64 = std::get_if<int64_t>(&arg);
    const auto* u64 = std::get_if<uint64_t>(&arg);
    const auto* flt = std::get_if<long double>(&arg);
    const int prec = int(precision);
    switch (type) {
      case 'd':
        if (i64) {
          text = PadDigits(ToBase(*i64 < 0 ? 0 - uint64_t(*i64) : uint64_t(*i64), 10), prec);
          if (*i64 < 0) text.insert(0, 1, '-');
        } else if (u64) {
          text = PadDigits(ToBase(*u64, 10), prec);
        } else {
          FormatError(fmt);
        }
        break;
      case 'u':
      case 'x':
        if (!i64 && !u64) FormatError(fmt);
        text = PadDigits(ToBase(i64 ? UnsignedView(*i64) : *u64, type == 'u' ? 10 : 16), prec);
        break;
      case 'e':
        if (!flt) FormatError(fmt);
        text = ExponentFormText(*flt, precision < 0 ? 15 : prec, 3, fs.DecimalSeparator);
        break;
      case 'f':
      case 'n':
      case 'm':
        if (!flt) FormatError(fmt);
        text = FloatText(*flt, type == 'f' ? ffFixed : type == 'n' ? ffNumber : ffCurrency, kMaxPrecision,
                         precision >= 0 ? prec : type == 'm' ? fs.CurrencyDecimals : 2, fs);
        break;
      case 'g':
        if (!flt) FormatError(fmt);
        text = GeneralText(*flt, precision < 0 ? 15 : prec, 0, fs.DecimalSeparator);
        break;
      case 'p':
        if (const auto* p = std::get_if<const void*>(&arg))
          text = PadDigits(ToBase(uint64_t(reinterpret_cast<uintptr_t>(*p)), 16), int(sizeof(void*) * 2));
        else
          FormatError(fmt);
        break;
      case 's':
        if (const auto* s = std::get_if<std::string>(&arg))
          text = *s;
        else if (const auto* c = std::get_if<char32_t>(&arg))
          text = CodePointToUtf8(*c);
        else
          FormatError(fmt);
        if (precision >= 0 && CpLength(text) > prec) text = CpCopy(text, 1, prec);
        break;
      default:
        FormatError(fmt);
    }
    const int64_t len = CpLength(text);
    if (len < width) {
      if (left) text.append(size_t(width - len), ' ');
      else text.insert(0, size_t(width - len), ' ');
    }
    out += text;
  }
  return out;
}
