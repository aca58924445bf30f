// Integers, strings, file names, file-system queries and system errors.
#include "platform/rtl/sysutils.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/rtl/text.h"

namespace {

// ---- integers ----

struct ParsedInt {
  bool negative = false;
  bool hex = false;
  uint64_t magnitude = 0;
};

// Optional leading blanks (as the framework's Val allows), sign, then decimal digits or
// '$'/"0x" hex digits to the very end. False on anything else or past 64 bits.
bool ParseInteger(std::string_view s, ParsedInt& r) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) r.negative = s[i++] == '-';
  if (i < s.size() && s[i] == '$') {
    r.hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    r.hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  const auto res = std::from_chars(s.data() + i, s.data() + s.size(), r.magnitude, r.hex ? 16 : 10);
  // from_chars would take a second sign; the framework does not.
  if (s[i] == '-' || s[i] == '+') return false;
  return res.ec == std::errc() && res.ptr == s.data() + s.size();
}

// Hex spells a bit pattern, so "$FFFFFFFF" is -1 as a 32-bit value; decimal must fit.
bool ToInt32(const ParsedInt& p, int32_t& out) {
  if (p.hex) {
    if (p.magnitude > std::numeric_limits<uint32_t>::max()) return false;
    const uint32_t bits = uint32_t(p.magnitude);
    out = int32_t(p.negative ? 0u - bits : bits);
    return true;
  }
  if (p.negative) {
    if (p.magnitude > uint64_t(std::numeric_limits<int32_t>::max()) + 1) return false;
    out = int32_t(0 - p.magnitude);
  } else {
    if (p.magnitude > uint64_t(std::numeric_limits<int32_t>::max())) return false;
    out = int32_t(p.magnitude);
  }
  return true;
}

bool ToInt64(const ParsedInt& p, int64_t& out) {
  if (p.hex) {
    out = int64_t(p.negative ? 0 - p.magnitude : p.magnitude);
    return true;
  }
  if (p.negative) {
    if (p.magnitude > uint64_t(std::numeric_limits<int64_t>::max()) + 1) return false;
    out = int64_t(0 - p.magnitude);
  } else {
    if (p.magnitude > uint64_t(std::numeric_limits<int64_t>::max())) return false;
    out = int64_t(p.magnitude);
  }
  return true;
}

[[noreturn]] void IntError(std::string_view s) {
  throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

// ---- strings ----

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

// Code points compared after case folding; equal-folding strings order lower case first,
// the way a dictionary would list "apple" before "Apple".
int CompareFolded(std::string_view a, std::string_view b, bool caseSensitive) {
  size_t i = 0, j = 0;
  int tie = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t ca = Utf8NextCodePoint(a, i);
    const char32_t cb = Utf8NextCodePoint(b, j);
    if (ca == cb) continue;
    const char32_t la = CpLowerChar(ca), lb = CpLowerChar(cb);
    if (la != lb) return la < lb ? -1 : 1;
    if (caseSensitive && tie == 0) tie = (ca == la) ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return tie;
}

// Byte length of the prefix of s that matches pattern ignoring case, or npos.
size_t MatchFolded(std::string_view s, size_t at, std::string_view pattern) {
  size_t i = at, j = 0;
  while (j < pattern.size()) {
    if (i >= s.size()) return std::string_view::npos;
    const char32_t a = Utf8NextCodePoint(s, i);
    const char32_t b = Utf8NextCodePoint(pattern, j);
    if (a != b && CpLowerChar(a) != CpLowerChar(b)) return std::string_view::npos;
  }
  return i - at;
}

bool IsDelimiter(char c) { return c == '/' || c == '\\'; }

size_t LastDelimiter(std::string_view s) {
  for (size_t i = s.size(); i-- > 0;)
    if (IsDelimiter(s[i])) return i;
  return std::string_view::npos;
}

// Index of the extension's dot, or npos.
size_t ExtensionDot(std::string_view s) {
  for (size_t i = s.size(); i-- > 0;) {
    if (s[i] == '.') return i;
    if (IsDelimiter(s[i])) break;
  }
  return std::string_view::npos;
}

bool StatPath(std::string_view name, struct stat& st) {
  if (name.empty()) return false;
  return ::stat(std::string(name).c_str(), &st) == 0;
}

}  // namespace

// ---- integers ----

std::string IntToStr(int64_t v) { return std::to_string(v); }
std::string UIntToStr(uint64_t v) { return std::to_string(v); }

std::string IntToHex(int64_t v, int32_t digits) {
  // Negative values in the 32-bit range are Integers to the framework: 32-bit two's complement.
  const uint64_t bits = (v < 0 && v >= std::numeric_limits<int32_t>::min()) ? uint64_t(uint32_t(int32_t(v))) : uint64_t(v);
  char buf[20];
  const auto r = std::to_chars(buf, buf + sizeof buf, bits, 16);
  std::string s(buf, r.ptr);
  for (char& c : s) c = AsciiUpper(c);
  if (digits > int32_t(s.size())) s.insert(0, size_t(digits) - s.size(), '0');
  return s;
}

bool TryStrToInt(std::string_view s, int32_t& out) {
  ParsedInt p;
  return ParseInteger(s, p) && ToInt32(p, out);
}

int32_t StrToInt(std::string_view s) {
  int32_t v;
  if (!TryStrToInt(s, v)) IntError(s);
  return v;
}

int32_t StrToIntDef(std::string_view s, int32_t def) {
  int32_t v;
  return TryStrToInt(s, v) ? v : def;
}

bool TryStrToInt64(std::string_view s, int64_t& out) {
  ParsedInt p;
  return ParseInteger(s, p) && ToInt64(p, out);
}

int64_t StrToInt64(std::string_view s) {
  int64_t v;
  if (!TryStrToInt64(s, v)) IntError(s);
  return v;
}

int64_t StrToInt64Def(std::string_view s, int64_t def) {
  int64_t v;
  return TryStrToInt64(s, v) ? v : def;
}

bool TryStrToBool(std::string_view s, bool& out) {
  if (SameText(s, "True")) {
    out = true;
    return true;
  }
  if (SameText(s, "False")) {
    out = false;
    return true;
  }
  long double v;
  if (!TryStrToFloat(s, v)) return false;
  out = v != 0;
  return true;
}

bool StrToBool(std::string_view s) {
  bool b;
  if (!TryStrToBool(s, b)) throw EConvertError("'" + std::string(s) + "' is not a valid boolean value");
  return b;
}

bool StrToBoolDef(std::string_view s, bool def) {
  bool b;
  return TryStrToBool(s, b) ? b : def;
}

std::string BoolToStr(bool b, bool useBoolStrs) {
  if (useBoolStrs) return b ? "True" : "False";
  return b ? "-1" : "0";
}

// ---- strings ----

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiLower(c);
  return r;
}

std::string AnsiUpperCase(std::string_view s) { return CpUpperCase(s); }
std::string AnsiLowerCase(std::string_view s) { return CpLowerCase(s); }

int32_t CompareStr(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return int32_t(static_cast<unsigned char>(a[i])) - static_cast<unsigned char>(b[i]);
  return int32_t(int64_t(a.size()) - int64_t(b.size()));
}

int32_t CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(AsciiUpper(a[i])), y = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (x != y) return int32_t(x) - int32_t(y);
  }
  return int32_t(int64_t(a.size()) - int64_t(b.size()));
}

bool SameStr(std::string_view a, std::string_view b) { return a == b; }
bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int32_t AnsiCompareStr(std::string_view a, std::string_view b) { return CompareFolded(a, b, true); }
int32_t AnsiCompareText(std::string_view a, std::string_view b) { return CompareFolded(a, b, false); }
bool AnsiSameText(std::string_view a, std::string_view b) { return CompareFolded(a, b, false) == 0; }
bool AnsiSameStr(std::string_view a, std::string_view b) { return a == b; }

std::string Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

std::string TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return std::string(s.substr(0, n));
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          uint8_t flags) {
  if (oldPattern.empty()) return std::string(s);
  const bool all = flags & rfReplaceAll;
  const bool ignoreCase = flags & rfIgnoreCase;
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    size_t matchLen = std::string_view::npos;
    if (ignoreCase) matchLen = MatchFolded(s, i, oldPattern);
    else if (s.substr(i).starts_with(oldPattern)) matchLen = oldPattern.size();
    if (matchLen != std::string_view::npos) {
      out.append(newPattern);
      i += matchLen;
      if (!all) break;
      continue;
    }
    // step one code point, so a match never starts inside a character
    const size_t start = i;
    Utf8NextCodePoint(s, i);
    out.append(s.substr(start, i - start));
  }
  out.append(s.substr(std::min(i, s.size())));
  return out;
}

std::string QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

std::string AnsiQuotedStr(std::string_view s, char quote) {
  std::string out(1, quote);
  for (char c : s) {
    out += c;
    if (c == quote) out += c;
  }
  out += quote;
  return out;
}

std::string AnsiDequotedStr(std::string_view s, char quote) {
  if (s.empty() || s[0] != quote) return std::string(s);
  std::string out;
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i] != quote) {
      out += s[i];
    } else if (i + 1 < s.size() && s[i + 1] == quote) {
      out += quote;
      ++i;
    } else {
      // closing quote: anything after it means S was not one quoted string
      return i + 1 == s.size() ? out : std::string(s);
    }
  }
  return std::string(s);  // never closed
}

bool StartsText(std::string_view sub, std::string_view s) { return MatchFolded(s, 0, sub) != std::string_view::npos; }

bool EndsText(std::string_view sub, std::string_view s) {
  // Folding can change byte lengths, so try each code-point boundary from the end.
  const int32_t subLen = CpLength(sub);
  const int32_t sLen = CpLength(s);
  if (subLen > sLen) return false;
  const std::string tail = CpCopy(s, sLen - subLen + 1, subLen);
  return AnsiSameText(tail, sub);
}

bool StartsStr(std::string_view sub, std::string_view s) { return s.starts_with(sub); }
bool EndsStr(std::string_view sub, std::string_view s) { return s.ends_with(sub); }

std::string StringOfChar(char c, int32_t count) { return count > 0 ? std::string(size_t(count), c) : std::string(); }

int32_t Pos(std::string_view sub, std::string_view s, int32_t offset) {
  if (sub.empty() || offset < 1 || size_t(offset) > s.size()) return 0;
  const size_t at = s.find(sub, size_t(offset - 1));
  return at == std::string_view::npos ? 0 : int32_t(at + 1);
}

std::string Copy(std::string_view s, int32_t index, int32_t count) {
  if (index < 1) index = 1;
  if (count <= 0 || size_t(index) > s.size()) return {};
  return std::string(s.substr(size_t(index - 1), size_t(count)));
}

// ---- file names ----

std::string ExtractFilePath(std::string_view fileName) {
  const size_t d = LastDelimiter(fileName);
  return d == std::string_view::npos ? std::string() : std::string(fileName.substr(0, d + 1));
}

std::string ExtractFileDir(std::string_view fileName) {
  const size_t d = LastDelimiter(fileName);
  if (d == std::string_view::npos) return {};
  // the root keeps its delimiter: the folder of "/x" is "/"
  return std::string(fileName.substr(0, d == 0 ? 1 : d));
}

std::string ExtractFileName(std::string_view fileName) {
  const size_t d = LastDelimiter(fileName);
  return std::string(d == std::string_view::npos ? fileName : fileName.substr(d + 1));
}

std::string ExtractFileExt(std::string_view fileName) {
  const size_t dot = ExtensionDot(fileName);
  return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view ext) {
  const size_t dot = ExtensionDot(fileName);
  std::string out(fileName.substr(0, dot == std::string_view::npos ? fileName.size() : dot));
  out.append(ext);
  return out;
}

std::string IncludeTrailingPathDelimiter(std::string_view s) {
  std::string out(s);
  if (out.empty() || !IsDelimiter(out.back())) out += PathDelim;
  return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view s) {
  if (!s.empty() && IsDelimiter(s.back())) s.remove_suffix(1);
  return std::string(s);
}

std::string ExpandFileName(std::string_view fileName) {
  if (fileName.empty()) return {};
  std::string path(fileName);
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path[0] != '/') path = IncludeTrailingPathDelimiter(GetCurrentDir()) + path;
  const bool trailing = path.back() == '/';
  std::vector<std::string_view> parts;
  const std::string_view view(path);
  for (size_t i = 0; i < view.size();) {
    size_t j = view.find('/', i);
    if (j == std::string_view::npos) j = view.size();
    const std::string_view part = view.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::string out;
  for (std::string_view p : parts) {
    out += '/';
    out.append(p);
  }
  if (out.empty() || trailing) out += '/';
  return out;
}

// ---- file system ----

bool FileExists(std::string_view fileName) {
  struct stat st;
  return StatPath(fileName, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view dir) {
  struct stat st;
  return StatPath(dir, st) && S_ISDIR(st.st_mode);
}

bool ForceDirectories(std::string_view dir) {
  std::string d = ExcludeTrailingPathDelimiter(dir);
  if (d.empty()) return DirectoryExists("/") && !dir.empty();
  if (DirectoryExists(d)) return true;
  const std::string parent = ExtractFileDir(d);
  if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
  if (::mkdir(d.c_str(), 0777) == 0) return true;
  return errno == EEXIST && DirectoryExists(d);  // made by someone else meanwhile
}

bool DeleteFile(std::string_view fileName) {
  if (fileName.empty()) return false;
  return ::unlink(std::string(fileName).c_str()) == 0;
}

bool RenameFile(std::string_view oldName, std::string_view newName) {
  if (oldName.empty() || newName.empty()) return false;
  const std::string from(oldName), to(newName);
  // Never replace an existing target silently (the framework's rename fails then too).
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  struct stat st;
  if (::lstat(to.c_str(), &st) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

int64_t FileSizeOf(std::string_view fileName) {
  struct stat st;
  if (!StatPath(fileName, st) || S_ISDIR(st.st_mode)) return -1;
  return int64_t(st.st_size);
}

std::string GetCurrentDir() {
  std::string buf(256, '\0');
  while (::getcwd(buf.data(), buf.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buf.resize(buf.size() * 2);
  }
  buf.resize(std::strlen(buf.c_str()));
  return buf;
}

// ---- errors ----

namespace {
// strerror_r comes in a GNU flavour (returns the text) and a POSIX one (fills the buffer).
[[maybe_unused]] const char* ErrorText(char* result, const char*) { return result; }
[[maybe_unused]] const char* ErrorText(int result, const char* buf) { return result == 0 ? buf : nullptr; }
}  // namespace

std::string SysErrorMessage(int errorCode) {
  char buf[256] = {};
  const char* text = ErrorText(strerror_r(errorCode, buf, sizeof buf), buf);
  return text ? std::string(text) : "Unknown error " + std::to_string(errorCode);
}

int GetLastError() { return errno; }

void RaiseLastOSError(int errorCode) {
  if (errorCode == 0) throw EOSError("A call to an OS function failed");
  throw EOSError("System Error.  Code: " + std::to_string(errorCode) + ".\n" + SysErrorMessage(errorCode));
}
