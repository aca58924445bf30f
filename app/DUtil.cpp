#include "app/DUtil.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "app/DImports.h"
#include "platform/shell/trash.h"
#include "platform/shell/shell.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

int32_t GetDriveTypeOfPath(const std::string& path) {
  const int32_t type = DriveTypeOfPath(path);
  return type >= DRIVE_NO_ROOT_DIR && type <= DRIVE_RAMDISK ? type : DRIVE_UNKNOWN;
}

namespace {

// The folder behind a special-folder id, without a trailing delimiter; empty when this platform has none.
std::string SpecialFolderOf(int32_t id) {
  switch (id) {
    case CSIDL_APPDATA: return XdgConfigHome();
    case CSIDL_LOCAL_APPDATA: return XdgDataHome();
    case CSIDL_PROFILE: return UserHomeDir();
    case CSIDL_DESKTOP: return UserHomeDir() + "/Desktop";
    case CSIDL_PERSONAL: return UserHomeDir() + "/Documents";
    case CSIDL_MYPICTURES: return UserHomeDir() + "/Pictures";
    default: return {};
  }
}

}  // namespace

std::string GetSpecialFolderPath(int32_t folderId, bool create) {
  const std::string dir = SpecialFolderOf(folderId & ~(CSIDL_FLAG_CREATE | CSIDL_FLAG_DONT_VERIFY));
  if (!dir.empty() && dir[0] == '/') {
    if ((folderId & CSIDL_FLAG_DONT_VERIFY) || DirectoryExists(dir)) return IncludeTrailingPathDelimiter(dir);
    if ((folderId & CSIDL_FLAG_CREATE) && ForceDirectories(dir)) return IncludeTrailingPathDelimiter(dir);
  }
  if (create && !(folderId & (CSIDL_FLAG_CREATE | CSIDL_FLAG_DONT_VERIFY)))
    return GetSpecialFolderPath(folderId | CSIDL_FLAG_CREATE, false);
  return {};
}

std::string GetAppDataDir() { return GetSpecialFolderPath(CSIDL_APPDATA, true); }

std::string GetApplicationDir() { return ExtractFilePath(ExecutablePath()); }

bool IsNumber(const std::string& text) {
  if (text.empty() || text == "-" || text == "+" || text == "$") return false;
  const char first = text[0];
  if (first != '$' && first != '+' && first != '-' && !(first >= '0' && first <= '9')) return false;
  for (size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    const bool dec = c >= '0' && c <= '9';
    const bool hex = dec || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    if (first == '$' ? !hex : !dec) return false;
  }
  return true;
}

namespace {

// The zero of every block of ten decimal digits (Unicode general category Nd).
constexpr char32_t kDigitZeros[] = {
    0x0660,  0x06F0,  0x07C0,  0x0966,  0x09E6,  0x0A66,  0x0AE6,  0x0B66,  0x0BE6,  0x0C66,  0x0CE6,
    0x0D66,  0x0DE6,  0x0E50,  0x0ED0,  0x0F20,  0x1040,  0x1090,  0x17E0,  0x1810,  0x1946,  0x19D0,
    0x1A80,  0x1A90,  0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,  0xA8D0,  0xA900,  0xA9D0,  0xA9F0,
    0xAA50,  0xABF0,  0xFF10,  0x104A0, 0x10D30, 0x11066, 0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450,
    0x114D0, 0x11650, 0x116C0, 0x11730, 0x118E0, 0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x16A60, 0x16AC0,
    0x16B50, 0x1D7CE, 0x1D7D8, 0x1D7E2, 0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E950, 0x1FBF0,
};

// The ASCII digit of c, or 0 when c is no digit.
char DigitOf(char32_t c) {
  for (char32_t zero : kDigitZeros)
    if (c >= zero && c < zero + 10) return char('0' + (c - zero));
  switch (c) {
    case 0x2070: return '0';
    case 0x00B9: return '1';
    case 0x00B2: return '2';
    case 0x00B3: return '3';
    default: break;
  }
  if (c >= 0x2074 && c <= 0x2079) return char('4' + (c - 0x2074));
  if (c >= 0x2080 && c <= 0x2089) return char('0' + (c - 0x2080));
  return 0;
}

}  // namespace

std::string FoldDigits(const std::string& text) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = pos;
    const char32_t c = Utf8NextCodePoint(text, pos);
    if (c == 0x206E || c == 0x206F) continue;  // national and nominal digit shapes
    if (const char d = DigitOf(c)) out += d;
    else out.append(text, start, pos - start);
  }
  return out;
}

std::string FloatValueToStr(double value) { return FloatToStr(value); }

std::string FloatToStrTrimmed(int32_t precision, int32_t digits, bool trim, double value) {
  std::string s = FloatToStrF(value, ffNumber, precision, digits);
  // Only a fraction is trimmed: without decimals (digits 0) or in exponent
  // form ("1E10") a trailing zero belongs to the number itself.
  if (!trim || digits <= 0 || s.find_first_of("Ee") != std::string::npos) return s;
  const char decimal = FormatSettings().DecimalSeparator;
  for (int32_t n = 0; n <= digits && !s.empty(); ++n) {
    const char c = s.back();
    if (c != '0' && c != '.' && c != ',' && c != decimal) break;
    s.pop_back();
  }
  return s;
}

int64_t MakeInt64(uint32_t low, uint32_t high) { return int64_t(uint64_t(high) << 32 | low); }

int32_t IndexOfStrInArray(const std::string& text, std::span<const std::string> array) {
  for (size_t i = 0; i < array.size(); ++i)
    if (AnsiSameText(text, array[i])) return int32_t(i);
  return -1;
}

bool MatchStrInArray(const std::string& text, std::span<const std::string> array) {
  return IndexOfStrInArray(text, array) != -1;
}

std::string RectToStr(const TRect& r) {
  return Format("%d, %d, %d, %d", r.Left, r.Top, r.Right, r.Bottom);
}

void SwapIntegers(int32_t& a, int32_t& b) { std::swap(a, b); }

std::string RemoveChars(const std::string& text, const std::string& chars) {
  const std::u32string drop = Utf8ToUtf32(chars);
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = pos;
    const char32_t c = Utf8NextCodePoint(text, pos);
    if (drop.find(c) == std::u32string::npos) out.append(text, start, pos - start);
  }
  return out;
}

namespace {

std::mutex gDebugLock;
TDebugOutputHandler gDebugHandler;

std::mutex gConfirmLock;
TRecycleConfirmHandler gConfirmHandler;

uint32_t gSpeedMeasureStart = 0;

}  // namespace

TDebugOutputHandler SetDebugOutputHandler(TDebugOutputHandler handler) {
  std::lock_guard<std::mutex> guard(gDebugLock);
  std::swap(gDebugHandler, handler);
  return handler;
}

void DebugOutput(const std::string& text) {
  TDebugOutputHandler handler;
  {
    std::lock_guard<std::mutex> guard(gDebugLock);
    handler = gDebugHandler;
  }
  if (handler) {
    handler(text);
    return;
  }
  // Like the platform's debug string: nobody sees it unless a debugger listens.
  if (IsDebuggerPresent()) std::fprintf(stderr, "%s\n", text.c_str());
}

void DebugLog(const std::string& text) { DebugOutput(text); }

bool IsGermanUILanguage() {
  uint32_t lang = DImports::GetUserDefaultUILanguage();
  if (lang == 0) lang = GetUserDefaultLCID();
  switch (lang) {
    case 1031: case 2055: case 3079: case 4103: case 5127: return true;
    default: return false;
  }
}

void SpeedMeasureStart() { gSpeedMeasureStart = GetTickCount(); }

uint32_t SpeedMeasureStop(const std::string& name) {
  const uint32_t now = GetTickCount();
  const uint32_t elapsed = now - gSpeedMeasureStart;  // wraps like the 32-bit timer
  DebugLog(name.empty() ? "SpeedMeasure: " + UIntToStr(elapsed)
                        : "SpeedMeasure (" + name + ") " + UIntToStr(elapsed));
  gSpeedMeasureStart = now;
  return elapsed;
}

void NoOperation() {}

TRecycleConfirmHandler SetRecycleConfirmHandler(TRecycleConfirmHandler handler) {
  std::lock_guard<std::mutex> guard(gConfirmLock);
  std::swap(gConfirmHandler, handler);
  return handler;
}

bool DeleteFileToRecycleBin(void* /*window*/, const std::string& path, bool noConfirmation, bool /*silent*/) {
  if (!FileExists(path)) return false;
  if (!noConfirmation) {
    TRecycleConfirmHandler confirm;
    {
      std::lock_guard<std::mutex> guard(gConfirmLock);
      confirm = gConfirmHandler;
    }
    if (confirm && !confirm(path)) return false;
  }
  return MoveToTrash(path);
}

TClippedStream::TClippedStream(TStream& source, int64_t start, int64_t size)
    : start_(start < 0 ? 0 : start),
      size_(std::clamp<int64_t>(size, 0, INT64_MAX - start_)),
      position_(start_),
      source_(source) {}

int32_t TClippedStream::Read(void* buffer, int32_t count) {
  if (count < 0) return 0;
  const int64_t remaining = start_ + size_ - position_;
  if (remaining <= 0) return 0;
  const int32_t n = source_.Read(buffer, int32_t(std::min<int64_t>(count, remaining)));
  if (n > 0) position_ += n;
  return n;
}

int32_t TClippedStream::Write(const void*, int32_t) { return 0; }

int64_t TClippedStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t from = origin == soBeginning ? start_ : origin == soCurrent ? position_ : start_ + size_;
  int64_t target;
  // Any offset a caller passes is clamped, also one that would overflow.
  if (__builtin_add_overflow(from, offset, &target)) target = offset < 0 ? start_ : start_ + size_;
  target = std::clamp(target, start_, start_ + size_);
  position_ = target;
  return source_.Seek(target, soBeginning) - start_;
}
