#include "platform/classes/filertext.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsIdentStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80; }
bool IsIdentChar(unsigned char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// Length of the UTF-8 sequence at s[i]; a malformed byte counts as a unit of its own,
// so that text in a code page survives a round trip byte for byte.
size_t SequenceLength(std::string_view s, size_t i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 1;
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  return n;
}

}  // namespace

TParser::TParser(std::string_view text) : text_(text) { NextToken(); }

void TParser::Error(std::string_view message) const {
  errorText_ = std::string(message);
  errorLine_ = tokenLine_;
  throw EParserError(std::string(message) + " on line " + std::to_string(tokenLine_));
}

void TParser::SkipBlanks() {
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if (c == '\n') {
      ++line_;
    } else if (c == '\r') {
      if (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '\n') ++line_;
    } else if (c != ' ' && c != '\t' && c != '\f' && c != '\v') {
      return;
    }
    ++pos_;
  }
}

char TParser::NextToken() {
  SkipBlanks();
  tokenLine_ = line_;
  tokenString_.clear();
  floatType_ = 0;
  if (pos_ >= text_.size()) return token_ = toEOF;
  char c = text_[pos_];
  if (IsIdentStart(static_cast<unsigned char>(c))) {
    size_t start = pos_;
    while (pos_ < text_.size() && IsIdentChar(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    tokenString_.assign(text_.substr(start, pos_ - start));
    return token_ = toSymbol;
  }
  if (c == '\'' || c == '#') {
    ReadString();
    return token_ = toString;
  }
  if (IsDigit(c) || c == '$' || (c == '-' && pos_ + 1 < text_.size() && (IsDigit(text_[pos_ + 1]) || text_[pos_ + 1] == '$'))) {
    ReadNumber();
    return token_;
  }
  ++pos_;
  tokenString_.assign(1, c);
  return token_ = c;
}

void TParser::ReadString() {
  char16_t pendingHigh = 0;  // a UTF-16 high surrogate written as #nnnnn waits for its partner
  auto flushHigh = [&] {
    if (pendingHigh) AppendUtf8(tokenString_, 0xFFFD);
    pendingHigh = 0;
  };
  while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
    if (text_[pos_] == '\'') {
      flushHigh();
      ++pos_;
      for (;;) {
        if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') Error("Unterminated string");
        char c = text_[pos_++];
        if (c == '\'') {
          if (pos_ < text_.size() && text_[pos_] == '\'') {
            tokenString_ += '\'';
            ++pos_;
            continue;
          }
          break;
        }
        tokenString_ += c;
      }
    } else {
      ++pos_;
      uint32_t cp = 0;
      size_t digits = 0;
      if (pos_ < text_.size() && text_[pos_] == '$') {
        ++pos_;
        while (pos_ < text_.size() && HexValue(text_[pos_]) >= 0 && cp <= 0x10FFFF) {
          cp = cp * 16 + uint32_t(HexValue(text_[pos_++]));
          ++digits;
        }
      } else {
        while (pos_ < text_.size() && IsDigit(text_[pos_]) && cp <= 0x10FFFF) {
          cp = cp * 10 + uint32_t(text_[pos_++] - '0');
          ++digits;
        }
      }
      if (digits == 0 || cp > 0x10FFFF) Error("Invalid character code in string");
      if (cp >= 0xD800 && cp <= 0xDBFF) {
        flushHigh();
        pendingHigh = char16_t(cp);
      } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
        if (pendingHigh)
          AppendUtf8(tokenString_, 0x10000 + ((char32_t(pendingHigh) - 0xD800) << 10) + (cp - 0xDC00));
        else
          AppendUtf8(tokenString_, 0xFFFD);
        pendingHigh = 0;
      } else {
        flushHigh();
        AppendUtf8(tokenString_, cp);
      }
    }
  }
  flushHigh();
}

void TParser::ReadNumber() {
  size_t start = pos_;
  negative_ = false;
  integral_ = true;
  overflow_ = false;
  magnitude_ = 0;
  if (text_[pos_] == '-') {
    negative_ = true;
    ++pos_;
  }
  auto accumulate = [&](uint64_t base, int digit) {
    if (magnitude_ > (std::numeric_limits<uint64_t>::max() - uint64_t(digit)) / base) overflow_ = true;
    magnitude_ = magnitude_ * base + uint64_t(digit);
  };
  if (text_[pos_] == '$') {
    ++pos_;
    size_t digits = 0;
    while (pos_ < text_.size() && HexValue(text_[pos_]) >= 0) {
      accumulate(16, HexValue(text_[pos_++]));
      ++digits;
    }
    tokenString_.assign(text_.substr(start, pos_ - start));
    if (digits == 0) Error("Invalid number");
    token_ = toInteger;
    return;
  }
  while (pos_ < text_.size() && IsDigit(text_[pos_])) accumulate(10, text_[pos_++] - '0');
  if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsDigit(text_[pos_ + 1])) {
    integral_ = false;
    ++pos_;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
  }
  if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
    size_t p = pos_ + 1;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
    if (p < text_.size() && IsDigit(text_[p])) {
      integral_ = false;
      pos_ = p;
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    }
  }
  tokenString_.assign(text_.substr(start, pos_ - start));
  if (pos_ < text_.size()) {
    char s = text_[pos_];
    if (s == 's' || s == 'S' || s == 'c' || s == 'C' || s == 'd' || s == 'D') {
      floatType_ = char(s | 0x20);
      integral_ = false;
      ++pos_;
    }
  }
  if (pos_ < text_.size() && IsIdentChar(static_cast<unsigned char>(text_[pos_]))) Error("Invalid number");
  token_ = integral_ ? toInteger : toFloat;
}

int64_t TParser::TokenInt() const {
  if (token_ != toInteger) Error("Integer expected");
  if (overflow_ || magnitude_ > uint64_t(std::numeric_limits<int64_t>::max()) + (negative_ ? 1 : 0))
    Error("Integer value out of range");
  return negative_ ? int64_t(0 - magnitude_) : int64_t(magnitude_);
}

uint64_t TParser::TokenUInt64() const {
  if (token_ != toInteger) Error("Integer expected");
  if (overflow_ || (negative_ && magnitude_ > uint64_t(std::numeric_limits<int64_t>::max()) + 1))
    Error("Integer value out of range");
  return negative_ ? uint64_t(0) - magnitude_ : magnitude_;
}

long double TParser::TokenFloat() const {
  if (token_ == toInteger) {
    if (overflow_) Error("Number out of range");
    long double m = static_cast<long double>(magnitude_);
    return negative_ ? -m : m;
  }
  if (token_ != toFloat) Error("Number expected");
  long double v = 0;
  const char* b = tokenString_.data();
  const char* e = b + tokenString_.size();
  auto [p, ec] = std::from_chars(b, e, v);
  if (ec == std::errc::result_out_of_range) Error("Number out of range");
  if (ec != std::errc() || p != e) Error("Invalid number");
  return v;
}

bool TParser::TokenSymbolIs(std::string_view symbol) const {
  if (token_ != toSymbol || tokenString_.size() != symbol.size()) return false;
  for (size_t i = 0; i < symbol.size(); ++i) {
    char a = tokenString_[i], b = symbol[i];
    if (a >= 'A' && a <= 'Z') a = char(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = char(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

void TParser::CheckToken(char token) const {
  if (token_ == token) return;
  switch (token) {
    case toSymbol: Error("Identifier expected");
    case toString: Error("String expected");
    case toInteger: Error("Integer expected");
    case toFloat: Error("Number expected");
    default: Error(std::string("'") + token + "' expected");
  }
}

void TParser::CheckTokenSymbol(std::string_view symbol) const {
  if (!TokenSymbolIs(symbol)) Error("'" + std::string(symbol) + "' expected");
}

std::vector<uint8_t> TParser::HexToBinary() {
  CheckToken('{');
  std::vector<uint8_t> bytes;
  int high = -1;
  for (;;) {
    SkipBlanks();
    tokenLine_ = line_;
    if (pos_ >= text_.size()) Error("'}' expected");
    char c = text_[pos_++];
    if (c == '}') break;
    int v = HexValue(c);
    if (v < 0) Error("Invalid binary value");
    if (high < 0) {
      high = v;
    } else {
      bytes.push_back(uint8_t(high * 16 + v));
      high = -1;
    }
  }
  if (high >= 0) Error("Odd number of hexadecimal digits in binary value");
  token_ = '}';
  tokenString_ = "}";
  return bytes;
}

// ---------------------------------------------------------------------------

std::vector<std::string> SplitFormString(std::string_view value, size_t maxChars) {
  std::vector<std::string> tokens;
  if (maxChars == 0) maxChars = 1;
  size_t i = 0;
  do {
    std::string tok;
    bool quoted = false;
    for (size_t n = 0; n < maxChars && i < value.size(); ++n) {
      size_t len = SequenceLength(value, i);
      unsigned char c = static_cast<unsigned char>(value[i]);
      if (c < 0x20) {
        if (quoted) tok += '\'';
        quoted = false;
        tok += '#';
        tok += std::to_string(int(c));
      } else {
        if (!quoted) tok += '\'';
        quoted = true;
        if (c == '\'') tok += '\'';
        tok.append(value.substr(i, len));
      }
      i += len;
    }
    if (quoted) tok += '\'';
    if (tok.empty()) tok = "''";
    tokens.push_back(std::move(tok));
  } while (i < value.size());
  return tokens;
}

std::string QuoteFormString(std::string_view value) {
  std::vector<std::string> parts = SplitFormString(value, value.size() + 1);
  return parts.front();
}

std::string FormatFormFloat(long double value, int floatWidthBytes) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buf[128];
  std::to_chars_result r;
  if (floatWidthBytes == int(sizeof(float)))
    r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(value));
  else if (floatWidthBytes == int(sizeof(double)))
    r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value));
  else
    r = std::to_chars(buf, buf + sizeof buf, value);
  std::string s(buf, r.ptr);
  if (s.find_first_of(".eE") == std::string::npos) s += ".0";
  return s;
}
