// The framework's system utilities: Format, number conversions, string
// comparison and trimming, file names and file-system queries, date and time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/types.h"

struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char ListSeparator = ',';
  std::string CurrencyString = "$";
  uint8_t CurrencyFormat = 0;
  uint8_t NegCurrFormat = 0;
  uint8_t CurrencyDecimals = 2;
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongDateFormat = "dddd, MMMM d, yyyy";
  std::string ShortTimeFormat = "h:mm AMPM";
  std::string LongTimeFormat = "h:mm:ss AMPM";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                             "July",    "August",   "September", "October", "November", "December"};
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  int32_t TwoDigitYearCenturyWindow = 50;
};

// The process-wide settings used when no record is passed: invariant, '.' decimal, ',' thousands.
TFormatSettings& FormatSettings();

// One argument of Format: what the framework's "array of const" carries.
class TVarRec {
public:
  using Value = std::variant<int64_t, uint64_t, long double, std::string, const void*, char32_t>;
  TVarRec(int v) : v_(int64_t(v)) {}
  TVarRec(long v) : v_(int64_t(v)) {}
  TVarRec(long long v) : v_(int64_t(v)) {}
  TVarRec(unsigned v) : v_(uint64_t(v)) {}
  TVarRec(unsigned long v) : v_(uint64_t(v)) {}
  TVarRec(unsigned long long v) : v_(uint64_t(v)) {}
  TVarRec(short v) : v_(int64_t(v)) {}
  TVarRec(unsigned short v) : v_(uint64_t(v)) {}
  TVarRec(signed char v) : v_(int64_t(v)) {}
  TVarRec(unsigned char v) : v_(uint64_t(v)) {}
  TVarRec(bool v) : v_(int64_t(v)) {}
  TVarRec(float v) : v_((long double)v) {}
  TVarRec(double v) : v_((long double)v) {}
  TVarRec(long double v) : v_(v) {}
  TVarRec(char c) : v_(char32_t((unsigned char)c)) {}
  TVarRec(char32_t c) : v_(c) {}
  TVarRec(const char* s) : v_(std::string(s ? s : "")) {}
  TVarRec(const char8_t* s) : v_(s ? std::string(reinterpret_cast<const char*>(s)) : std::string()) {}
  TVarRec(std::nullptr_t) : v_(static_cast<const void*>(nullptr)) {}
  TVarRec(std::string s) : v_(std::move(s)) {}
  TVarRec(std::string_view s) : v_(std::string(s)) {}
  TVarRec(const void* p) : v_(p) {}
  const Value& Get() const { return v_; }

private:
  Value v_;
};

// Format with the framework's rules: %[index:][-][width][.prec]type, types d u e f g n m p s x,
// '*' for width/precision from the arguments, "%%" for '%'. A mismatched or missing
// argument raises EConvertError ("Format '%s' invalid or incompatible with argument").
std::string FormatV(std::string_view fmt, std::span<const TVarRec> args,
                    const TFormatSettings& fs = FormatSettings());
template <typename... Args>
std::string Format(std::string_view fmt, const Args&... args) {
  const TVarRec recs[] = {TVarRec(args)..., TVarRec(0)};
  return FormatV(fmt, std::span<const TVarRec>(recs, sizeof...(Args)));
}
template <typename... Args>
std::string FormatFS(const TFormatSettings& fs, std::string_view fmt, const Args&... args) {
  const TVarRec recs[] = {TVarRec(args)..., TVarRec(0)};
  return FormatV(fmt, std::span<const TVarRec>(recs, sizeof...(Args)), fs);
}

// Integers. StrToInt accepts leading blanks, an optional sign, decimal or '$'/"0x" hex (a hex
// bit pattern may fill the type: "$FFFFFFFF" is -1); trailing blanks are not allowed. Failures
// raise EConvertError "'%s' is not a valid integer value".
std::string IntToStr(int64_t v);
std::string UIntToStr(uint64_t v);
std::string IntToHex(int64_t v, int32_t digits);
int32_t StrToInt(std::string_view s);
int32_t StrToIntDef(std::string_view s, int32_t def);
bool TryStrToInt(std::string_view s, int32_t& out);
int64_t StrToInt64(std::string_view s);
int64_t StrToInt64Def(std::string_view s, int64_t def);
bool TryStrToInt64(std::string_view s, int64_t& out);
bool StrToBool(std::string_view s);
bool StrToBoolDef(std::string_view s, bool def);
bool TryStrToBool(std::string_view s, bool& out);
std::string BoolToStr(bool b, bool useBoolStrs = false);

// Floats, with the framework's shortest 15-digit general format.
enum TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
std::string FloatToStr(long double v, const TFormatSettings& fs = FormatSettings());
std::string FloatToStrF(long double v, TFloatFormat format, int32_t precision, int32_t digits,
                        const TFormatSettings& fs = FormatSettings());
std::string FormatFloat(std::string_view format, long double v, const TFormatSettings& fs = FormatSettings());
long double StrToFloat(std::string_view s, const TFormatSettings& fs = FormatSettings());
long double StrToFloatDef(std::string_view s, long double def, const TFormatSettings& fs = FormatSettings());
bool TryStrToFloat(std::string_view s, long double& out, const TFormatSettings& fs = FormatSettings());
bool TryStrToFloat(std::string_view s, double& out, const TFormatSettings& fs = FormatSettings());

// Strings. Plain versions (UpperCase, CompareText, SameText) touch ASCII only, like the
// framework's; Ansi versions fold full Unicode case.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
int32_t CompareStr(std::string_view a, std::string_view b);
int32_t CompareText(std::string_view a, std::string_view b);
bool SameStr(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
int32_t AnsiCompareStr(std::string_view a, std::string_view b);
int32_t AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
bool AnsiSameStr(std::string_view a, std::string_view b);
std::string Trim(std::string_view s);  // removes characters <= ' ' at both ends
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
enum TReplaceFlag : uint8_t { rfReplaceAll = 1, rfIgnoreCase = 2 };
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          uint8_t flags);
std::string QuotedStr(std::string_view s);  // 'it''s'
std::string AnsiQuotedStr(std::string_view s, char quote);
std::string AnsiDequotedStr(std::string_view s, char quote);
bool StartsText(std::string_view sub, std::string_view s);
bool EndsText(std::string_view sub, std::string_view s);
bool StartsStr(std::string_view sub, std::string_view s);
bool EndsStr(std::string_view sub, std::string_view s);
std::string StringOfChar(char c, int32_t count);
// Byte-indexed, 1-based, like the framework on 8-bit strings.
int32_t Pos(std::string_view sub, std::string_view s, int32_t offset = 1);
std::string Copy(std::string_view s, int32_t index, int32_t count);

// File names: '/' is the path delimiter; '\\' is accepted in input as well.
constexpr char PathDelim = '/';
std::string ExtractFilePath(std::string_view fileName);   // with trailing delimiter
std::string ExtractFileDir(std::string_view fileName);    // without
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);    // with the dot, "" when none
std::string ChangeFileExt(std::string_view fileName, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view s);
std::string ExcludeTrailingPathDelimiter(std::string_view s);
std::string ExpandFileName(std::string_view fileName);

bool FileExists(std::string_view fileName);
bool DirectoryExists(std::string_view dir);
bool ForceDirectories(std::string_view dir);
bool DeleteFile(std::string_view fileName);
bool RenameFile(std::string_view oldName, std::string_view newName);
int64_t FileSizeOf(std::string_view fileName);  // -1 when missing
std::string GetCurrentDir();

// Folder listings: FindFirst opens a listing of the folder named by path's
// folder part whose names match its last part (wildcards '*' and '?'; "*"
// lists everything, "." and ".." included); FindNext moves on, FindClose ends
// it (also done when the record is destroyed or reused). Both return 0 with rec
// filled, else an error number (ENOENT at the end of the listing). Entries
// with faHidden, faSysFile or faDirectory appear only when attr includes that
// bit (faAnyFile: everything). A symbolic link reports faReparsePoint itself
// and its target's folder flag, size and times.
enum : uint32_t {
  faReadOnly = 0x01, faHidden = 0x02, faSysFile = 0x04, faDirectory = 0x10, faArchive = 0x20,
  faReparsePoint = 0x400, faAnyFile = 0x1FF | faReparsePoint
};
// File times are the framework's file times: 100-nanosecond ticks since
// 1601-01-01 UTC. Creation is the birth time where the file system keeps one,
// else the last write.
struct TSearchRec {
  std::string Name;
  int64_t Size = 0;
  uint32_t Attr = 0;
  int64_t CreationTime = 0;
  int64_t LastAccessTime = 0;
  int64_t LastWriteTime = 0;
  std::shared_ptr<void> FindHandle;  // the open listing
  uint32_t ExcludeAttr = 0;
  std::string Pattern;
};
int FindFirst(const std::string& path, uint32_t attr, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);

// What the file system says of one file, read from the file itself, not
// following a final symbolic link when noFollow.
struct TFileIdentity {
  uint64_t FileID = 0;        // the file system's index of the file
  uint64_t Device = 0;        // the file system it lies on
  uint32_t LinkCount = 0;
  int64_t Size = 0;           // 0 for a folder
  bool Directory = false;
  int64_t CreationTime = 0;   // file times as in TSearchRec
  int64_t LastAccessTime = 0;
  int64_t LastWriteTime = 0;
};
// False, with errorCode set, when the file cannot be reached.
bool ReadFileIdentity(const std::string& path, bool noFollow, TFileIdentity& out, int& errorCode);

// The machine and the process.
uint64_t TotalPhysicalMemory();      // bytes; 0 when unknown
uint64_t AvailablePhysicalMemory();  // bytes free now, reclaimable caches counted; 0 when unknown
// Physical processor cores (not hardware threads) that are online; 0 when unknown.
int32_t ProcessorCoreCount();
// The same count over a folder laid out as the kernel's cpu folder (cpuN/online,
// cpuN/topology/{core_id,physical_package_id,core_cpus_list,thread_siblings_list}).
int32_t CountProcessorCores(const std::string& cpuFolder);
// $TMPDIR, else /tmp; with a trailing delimiter.
std::string TempFolder();
// Free bytes for an unprivileged user on the file system of path (or of an open
// file); false when it cannot be told. Saturates at UINT64_MAX.
bool FreeDiskSpace(const std::string& path, uint64_t& bytes);
bool FreeDiskSpaceOfHandle(int handle, uint64_t& bytes);
// Creates fileName exclusively (an existing file or symbolic link there is never
// opened) with owner-only permissions, read-write, and removes its name at
// once: the handle alone keeps the file, until FileClose. -1 with errorCode set
// on failure.
int CreateUnlinkedTempFile(const std::string& fileName, int& errorCode);
// Reserves size bytes for the file, so that a full disk fails now rather than
// at a later write: 0, or the error number. A file system that cannot reserve
// answers 0.
int ReserveFileSpace(int handle, int64_t size);
void FileClose(int handle);
// Open file handles of the process; -1 when unknown.
int32_t OpenHandleCount();
// The exit code of a finished child from std::system / pclose status; -1 when
// it did not run or did not exit normally.
int32_t ExitCodeOfStatus(int status);

// errno (or another system error code) as text.
std::string SysErrorMessage(int errorCode);
int GetLastError();  // errno of the calling thread
[[noreturn]] void RaiseLastOSError(int errorCode);

// Date and time: days since 1899-12-30, fraction = time of day.
using TDateTime = double;
TDateTime Now();
TDateTime Date();
TDateTime EncodeDate(uint16_t year, uint16_t month, uint16_t day);  // EConvertError when invalid
TDateTime EncodeTime(uint16_t hour, uint16_t min, uint16_t sec, uint16_t msec);
bool TryEncodeDate(uint16_t year, uint16_t month, uint16_t day, TDateTime& out);
void DecodeDate(TDateTime dt, uint16_t& year, uint16_t& month, uint16_t& day);
void DecodeTime(TDateTime dt, uint16_t& hour, uint16_t& min, uint16_t& sec, uint16_t& msec);
int32_t DayOfWeek(TDateTime dt);  // 1 = Sunday
bool IsLeapYear(uint16_t year);
std::string FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& fs = FormatSettings());
std::string DateTimeToStr(TDateTime dt, const TFormatSettings& fs = FormatSettings());

// Milliseconds from a monotonic clock.
uint32_t GetTickCount();
uint64_t GetTickCount64();
