// TDateTime: days since 1899-12-30 in the integer part, the time of day in the
// fraction. Before that day the integer part counts back while the fraction still
// runs forward: -1.25 is 1899-12-29 06:00.
#include <time.h>

#include <chrono>
#include <cmath>

#include "platform/rtl/sysutils.h"

namespace {

constexpr int64_t kMSecsPerDay = 86400000;
constexpr int64_t kUnixEpochDelta = 25569;  // 1970-01-01 as a TDateTime
constexpr int64_t kMinDay = -693593;        // 0001-01-01
constexpr int64_t kMaxDay = 2958465;        // 9999-12-31

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + int64_t(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = int64_t(yoe) + era * 400 + (m <= 2);
}

unsigned DaysInMonth(unsigned year, unsigned month) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(uint16_t(year)) ? 29 : kDays[month - 1];
}

// Whole days and milliseconds of the day, rounded to the millisecond as a whole so
// 23:59:59.9996 carries into the next day.
void Split(TDateTime dt, int64_t& day, int64_t& msOfDay) {
  if (!std::isfinite(dt) || dt < double(kMinDay) - 1 || dt > double(kMaxDay) + 1)
    throw EConvertError("Invalid date/time value");
  const int64_t total = std::llround(dt * double(kMSecsPerDay));
  day = total / kMSecsPerDay;
  msOfDay = total % kMSecsPerDay;
  if (msOfDay < 0) msOfDay = -msOfDay;
}

struct Parts {
  uint16_t year, month, day, hour, min, sec, msec;
  int dayOfWeek;  // 1 = Sunday
};

Parts Decode(TDateTime dt) {
  Parts p{};
  DecodeDate(dt, p.year, p.month, p.day);
  DecodeTime(dt, p.hour, p.min, p.sec, p.msec);
  p.dayOfWeek = DayOfWeek(dt);
  return p;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool StartsTextAscii(std::string_view s, size_t at, std::string_view what) {
  if (s.size() - at < what.size()) return false;
  for (size_t k = 0; k < what.size(); ++k)
    if (Upper(s[at + k]) != what[k]) return false;
  return true;
}

// Length of an AM/PM marker at i ("am/pm", "a/p", "ampm"), 0 when there is none.
size_t AmPmAt(std::string_view f, size_t i) {
  if (StartsTextAscii(f, i, "AM/PM")) return 5;
  if (StartsTextAscii(f, i, "A/P")) return 3;
  if (StartsTextAscii(f, i, "AMPM")) return 4;
  return 0;
}

// An hour shows on the 12-hour clock when an AM/PM marker follows before the next hour.
bool TwelveHourAfter(std::string_view f, size_t i) {
  char quote = 0;
  for (; i < f.size(); ++i) {
    const char c = f[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == 'h' || c == 'H') {
      return false;
    } else if ((c == 'a' || c == 'A') && AmPmAt(f, i)) {
      return true;
    }
  }
  return false;
}

std::string Pad(unsigned v, size_t width) {
  std::string s = std::to_string(v);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

void AppendFormatted(std::string& out, std::string_view f, const Parts& p, const TFormatSettings& fs, int level) {
  if (level >= 3) return;  // settings that name themselves stop here
  char lastToken = ' ';
  size_t i = 0;
  while (i < f.size()) {
    const char c = f[i];
    char token = Upper(c);
    if (IsLetter(c)) {
      if (token == 'M' && lastToken == 'H') token = 'N';
      lastToken = token;
    }
    size_t count = 1;
    if (IsLetter(c))
      while (i + count < f.size() && Upper(f[i + count]) == Upper(c)) ++count;
    switch (token) {
      case 'Y':
        out += count <= 2 ? Pad(p.year % 100u, 2) : Pad(p.year, 4);
        break;
      case 'M':
        if (count == 1) out += std::to_string(p.month);
        else if (count == 2) out += Pad(p.month, 2);
        else if (count == 3) out += fs.ShortMonthNames[p.month - 1u];
        else out += fs.LongMonthNames[p.month - 1u];
        break;
      case 'D':
        if (count == 1) out += std::to_string(p.day);
        else if (count == 2) out += Pad(p.day, 2);
        else if (count == 3) out += fs.ShortDayNames[size_t(p.dayOfWeek - 1)];
        else if (count == 4) out += fs.LongDayNames[size_t(p.dayOfWeek - 1)];
        else if (count == 5) AppendFormatted(out, fs.ShortDateFormat, p, fs, level + 1);
        else AppendFormatted(out, fs.LongDateFormat, p, fs, level + 1);
        break;
      case 'H': {
        unsigned h = p.hour;
        if (TwelveHourAfter(f, i + count)) {
          h %= 12;
          if (h == 0) h = 12;
        }
        out += count == 1 ? std::to_string(h) : Pad(h, 2);
        break;
      }
      case 'N':
        out += count == 1 ? std::to_string(p.min) : Pad(p.min, 2);
        break;
      case 'S':
        out += count == 1 ? std::to_string(p.sec) : Pad(p.sec, 2);
        break;
      case 'Z':
        out += count == 1 ? std::to_string(p.msec) : Pad(p.msec, 3);
        break;
      case 'T':
        AppendFormatted(out, count == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, p, fs, level + 1);
        break;
      case 'C':
        count = 1;
        AppendFormatted(out, fs.ShortDateFormat, p, fs, level + 1);
        if (p.hour || p.min || p.sec || p.msec) {
          out += ' ';
          AppendFormatted(out, fs.LongTimeFormat, p, fs, level + 1);
        }
        break;
      case 'A': {
        const size_t len = AmPmAt(f, i);
        const bool pm = p.hour >= 12;
        if (len == 5) out.append(f.substr(pm ? i + 3 : i, 2));  // in the case the format wrote it
        else if (len == 3) out += f[pm ? i + 2 : i];
        else if (len == 4) out += pm ? fs.TimePMString : fs.TimeAMString;
        else out += c;
        count = len ? len : 1;
        break;
      }
      case '/':
        if (fs.DateSeparator) out += fs.DateSeparator;
        break;
      case ':':
        if (fs.TimeSeparator) out += fs.TimeSeparator;
        break;
      case '\'':
      case '"': {
        const size_t close = f.find(c, i + 1);
        const size_t end = close == std::string_view::npos ? f.size() : close;
        out.append(f.substr(i + 1, end - i - 1));
        count = end - i + (close == std::string_view::npos ? 0 : 1);
        break;
      }
      default:
        out.append(f.substr(i, count));
        break;
    }
    i += count;
  }
}

}  // namespace

bool IsLeapYear(uint16_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

bool TryEncodeDate(uint16_t year, uint16_t month, uint16_t day, TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  out = TDateTime(DaysFromCivil(year, month, day) + kUnixEpochDelta);
  return true;
}

TDateTime EncodeDate(uint16_t year, uint16_t month, uint16_t day) {
  TDateTime dt;
  if (!TryEncodeDate(year, month, day, dt)) throw EConvertError("Invalid argument to date encode");
  return dt;
}

TDateTime EncodeTime(uint16_t hour, uint16_t min, uint16_t sec, uint16_t msec) {
  if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) throw EConvertError("Invalid argument to time encode");
  return TDateTime(((hour * 60 + min) * 60 + sec) * 1000 + msec) / double(kMSecsPerDay);
}

void DecodeDate(TDateTime dt, uint16_t& year, uint16_t& month, uint16_t& day) {
  int64_t days, ms;
  Split(dt, days, ms);
  int64_t y;
  unsigned m, d;
  CivilFromDays(days - kUnixEpochDelta, y, m, d);
  year = uint16_t(y);
  month = uint16_t(m);
  day = uint16_t(d);
}

void DecodeTime(TDateTime dt, uint16_t& hour, uint16_t& min, uint16_t& sec, uint16_t& msec) {
  int64_t days, ms;
  Split(dt, days, ms);
  hour = uint16_t(ms / 3600000);
  min = uint16_t(ms / 60000 % 60);
  sec = uint16_t(ms / 1000 % 60);
  msec = uint16_t(ms % 1000);
}

int32_t DayOfWeek(TDateTime dt) {
  int64_t days, ms;
  Split(dt, days, ms);
  // day 0 (1899-12-30) was a Saturday
  return int32_t(((days - 1) % 7 + 7) % 7 + 1);
}

TDateTime Now() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  TDateTime d = EncodeDate(uint16_t(local.tm_year + 1900), uint16_t(local.tm_mon + 1), uint16_t(local.tm_mday));
  // a leap second shows as :59
  const TDateTime t = EncodeTime(uint16_t(local.tm_hour), uint16_t(local.tm_min), uint16_t(std::min(local.tm_sec, 59)),
                                 uint16_t(ts.tv_nsec / 1000000));
  return d + t;
}

TDateTime Date() { return std::floor(Now()); }

std::string FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& fs) {
  const Parts p = Decode(dt);
  std::string out;
  AppendFormatted(out, format.empty() ? std::string_view("c") : format, p, fs, 0);
  return out;
}

std::string DateTimeToStr(TDateTime dt, const TFormatSettings& fs) { return FormatDateTime("c", dt, fs); }

uint64_t GetTickCount64() {
  using namespace std::chrono;
  return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint32_t GetTickCount() { return uint32_t(GetTickCount64()); }
