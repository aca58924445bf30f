#include "imaging/core/ietext.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <random>

#include "imaging/core/ieglobals.h"

namespace {

bool IsBlank(char c) { return uint8_t(c) <= 32; }

std::string AsciiLower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return r;
}

}  // namespace

std::string IEAnsiTrim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::string IEAnsiUpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return r;
}

std::string IELowerCaseAnsi(std::string_view s) { return AsciiLower(s); }

std::string IEAnsiIntToStr(int64_t n) { return std::to_string(n); }

int32_t IEAnsiStrToIntDef(std::string_view s, int32_t def) {
  try {
    return StrToIntDef(s, def);
  } catch (...) {
    return def;
  }
}

std::string IEAnsiCopy(std::string_view s, int32_t index, int32_t count) {
  if (index < 1) index = 1;
  if (count <= 0 || size_t(index) > s.size()) return {};
  return std::string(s.substr(size_t(index - 1), size_t(count)));
}

std::string IEIntToHexAnsi(int32_t n, int32_t digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", uint32_t(n));
  std::string r(buf);
  if (int32_t(r.size()) < digits) r.insert(0, size_t(digits) - r.size(), '0');
  return r;
}

int32_t IEAnsiPos(std::string_view subStr, std::string_view s) {
  if (subStr.empty()) return 0;
  const size_t p = s.find(subStr);
  return p == std::string_view::npos ? 0 : int32_t(p + 1);
}

std::string IEExtractFileExtLower(std::string_view name, bool withDot) {
  std::string ext = ExtractFileExt(AnsiLowerCase(name));
  if (!withDot && !ext.empty()) ext.erase(0, 1);
  return ext;
}

std::string IEExtractFileExtLowerAnsi(std::string_view name, bool withDot) {
  std::string ext = ExtractFileExt(AsciiLower(name));
  if (!withDot && !ext.empty()) ext.erase(0, 1);
  return ext;
}

std::string IEExtractFileExtLowerWide(std::string_view name, bool withDot) {
  return IEExtractFileExtLower(name, withDot);
}

std::unique_ptr<char[]> IEAnsiStrNew(const char* p) {
  if (!p) return nullptr;
  const size_t n = std::strlen(p) + 1;
  auto r = std::make_unique<char[]>(n);
  std::memcpy(r.get(), p, n);
  return r;
}

std::string IEFloatToStrF(long double value, TFloatFormat format, int32_t precision, int32_t digits) {
  return FloatToStrF(value, format, precision, digits);
}

char IEGetDecimalSeparator() { return FormatSettings().DecimalSeparator; }

std::string IEFloatToStrDot(long double value) {
  std::string s = FloatToStr(value);
  const char sep = IEGetDecimalSeparator();
  for (char& c : s)
    if (c == ',' || c == sep) c = '.';
  return s;
}

std::string IEFloatToAnsiDot(long double value) { return IEFloatToStrDot(value); }

std::string IEFormatThousands(int64_t n) { return Format("%.0n", (long double)n); }

std::string IEBytesToText(int64_t value, int64_t limit) {
  if (value < limit) return IEFormatThousands(value) + " bytes";
  return IEFormatThousands(value / 1024) + " KB";
}

int32_t IEGetURLTypeAnsi(std::string_view s) {
  const std::string l = AsciiLower(s.substr(0, 8));
  if (l.starts_with("http://")) return 1;
  if (l.starts_with("https://")) return 2;
  if (l.starts_with("ftp://")) return 3;
  return 0;
}

int32_t IEGetURLType(std::string_view s) { return IEGetURLTypeAnsi(s); }

bool IEWideFileExists(const std::string& name) {
  // Both routes ask the same question here; the switch stays for callers that set it.
  return FileExists(name);
}

bool IEFileExistsW(const std::string& name) { return IEWideFileExists(name); }

std::string IEMakeTempFileName(std::string_view prefix, std::string_view directory) {
  static std::mutex lock;
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<uint32_t> below(0, 2147483646u);
  for (;;) {
    uint32_t n;
    {
      std::lock_guard guard(lock);
      n = below(generator);
    }
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", n);
    std::string name = std::string(directory) + std::string(prefix) + "-" + digits + ".tmp";
    if (!IEWideFileExists(name)) return name;
  }
}

void IEEncodeBase64Group(const uint8_t* bytes, int32_t count, char out[4]) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  count = std::clamp(count, 1, 3);
  const uint32_t b0 = bytes[0];
  const uint32_t b1 = count > 1 ? bytes[1] : 0;
  const uint32_t b2 = count > 2 ? bytes[2] : 0;
  out[0] = kAlphabet[b0 >> 2];
  out[1] = kAlphabet[((b0 & 3) << 4) | (b1 >> 4)];
  out[2] = count > 1 ? kAlphabet[((b1 & 0xF) << 2) | (b2 >> 6)] : '=';
  out[3] = count > 2 ? kAlphabet[b2 & 0x3F] : '=';
}

void IEWriteBase64Lines(TStream& stream, TStream& textFile, int32_t lineLength) {
  const double groupsPerLine = lineLength / 4.0;
  uint8_t in[3 * 1024];
  std::string line;
  int32_t groups = 0;
  int32_t have = 0;  // bytes waiting in `in`
  bool ended = false;
  auto flushLine = [&] {
    line += '\n';
    textFile.WriteBuffer(line.data(), int64_t(line.size()));
    line.clear();
    groups = 0;
  };
  while (!ended || have > 0) {
    if (!ended && have < 3) {
      const int32_t got = stream.Read(in + have, int32_t(sizeof in) - have);
      if (got <= 0) ended = true;
      else have += got;
      continue;
    }
    int32_t at = 0;
    // Whole groups while more data may follow; the short last group only at the end.
    while (have - at >= 3 || (ended && have - at > 0)) {
      const int32_t n = std::min(have - at, 3);
      char out[4];
      IEEncodeBase64Group(in + at, n, out);
      line.append(out, 4);
      at += n;
      ++groups;
      if (lineLength > 0 && groups >= groupsPerLine) flushLine();
    }
    std::memmove(in, in + at, size_t(have - at));
    have -= at;
  }
  if (groups > 0) flushLine();
}
