#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/sysutils.h"

namespace {

TEST(DateTest, KnownSerialNumbers) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(1970, 1, 1), 25569.0);  // the Unix epoch
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
}

TEST(DateTest, EncodeDecodeRoundTripOverTheWholeRange) {
  TDateTime previous = EncodeDate(1, 1, 1) - 1;
  for (uint16_t y = 1; y <= 9999; ++y) {
    for (uint16_t m = 1; m <= 12; ++m) {
      for (uint16_t d = 1; d <= 31; ++d) {
        TDateTime dt;
        if (!TryEncodeDate(y, m, d, dt)) break;
        ASSERT_EQ(dt, previous + 1) << y << "-" << m << "-" << d;  // consecutive days, no gaps
        previous = dt;
        uint16_t yy, mm, dd;
        DecodeDate(dt, yy, mm, dd);
        ASSERT_EQ(yy, y);
        ASSERT_EQ(mm, m);
        ASSERT_EQ(dd, d);
      }
    }
  }
}

TEST(DateTest, LeapYearsAndInvalidDates) {
  struct Case {
    uint16_t year;
    bool leap;
  };
  for (const Case& c : {Case{1600, true}, Case{1900, false}, Case{2000, true}, Case{2023, false}, Case{2024, true},
                        Case{2100, false}, Case{4, true}}) {
    EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
    TDateTime dt;
    EXPECT_EQ(TryEncodeDate(c.year, 2, 29, dt), c.leap) << c.year;
  }
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(2023, 13, 1), EConvertError);
  EXPECT_THROW(EncodeDate(2023, 4, 31), EConvertError);
  EXPECT_THROW(EncodeDate(2023, 1, 0), EConvertError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
}

TEST(TimeTest, EncodeDecode) {
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);

  uint16_t h, m, s, ms;
  DecodeTime(EncodeDate(2024, 3, 5) + EncodeTime(23, 59, 59, 999), h, m, s, ms);
  EXPECT_EQ(h * 10000000 + m * 100000 + s * 1000 + ms, 23 * 10000000 + 59 * 100000 + 59 * 1000 + 999);

  // A hair before midnight rounds to the next day's 00:00:00.000.
  const TDateTime late = EncodeDate(2024, 3, 5) + 1 - 0.1 / 86400000;
  uint16_t y, mo, d;
  DecodeDate(late, y, mo, d);
  DecodeTime(late, h, m, s, ms);
  EXPECT_EQ(d, 6);
  EXPECT_EQ(h + m + s + ms, 0);

  // Before 1899-12-30 the fraction still counts forward from midnight.
  DecodeDate(-1.25, y, mo, d);
  DecodeTime(-1.25, h, m, s, ms);
  EXPECT_EQ(y, 1899);
  EXPECT_EQ(mo, 12);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 6);

  EXPECT_THROW(DecodeDate(std::nan(""), y, mo, d), EConvertError);
  EXPECT_THROW(DecodeDate(1e12, y, mo, d), EConvertError);
}

TEST(DateTest, DayOfWeekStartsOnSunday) {
  EXPECT_EQ(DayOfWeek(0), 7);                          // 1899-12-30 was a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1)), 2);     // Monday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5) + 0.9), 3);
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);        // proleptic Gregorian: a Monday
}

TEST(FormatDateTimeTest, Specifiers) {
  const TDateTime dt = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);  // a Tuesday
  TFormatSettings de;
  de.DateSeparator = '.';
  de.TimeSeparator = '-';
  struct Case {
    const char* format;
    const char* expected;
  };
  const Case cases[] = {
      {"yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 14:07:09.045"},
      {"d/m/yy", "5/3/24"},
      {"ddd dddd", "Tue Tuesday"},
      {"mmm mmmm", "Mar March"},
      {"h:mm", "14:07"},  // m right after an hour is the minute
      {"hh:mm am/pm", "02:07 pm"},
      {"h:mm AM/PM", "2:07 PM"},
      {"h a/p", "2 p"},
      {"h ampm", "2 PM"},
      {"'Date:' yyyy", "Date: 2024"},
      {"\"at\" h", "at 14"},
      {"z", "45"},
      {"s ss", "9 09"},
      {"c", "3/5/2024 2:07:09 PM"},
      {"", "3/5/2024 2:07:09 PM"},
      {"ddddd", "3/5/2024"},
      {"dddddd", "Tuesday, March 5, 2024"},
      {"t", "2:07 PM"},
      {"tt", "2:07:09 PM"},
      {"YYYY/MM/DD", "2024/03/05"},
      {"m", "3"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, dt), c.expected) << c.format;
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", dt, de), "05.03.2024 14-07");
  EXPECT_EQ(FormatDateTime("hh am/pm", EncodeTime(0, 30, 0, 0)), "12 am");
  EXPECT_EQ(FormatDateTime("h AMPM", EncodeTime(12, 0, 0, 0)), "12 PM");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "3/5/2024");  // midnight shows no time
  EXPECT_EQ(DateTimeToStr(dt), "3/5/2024 2:07:09 PM");
}

TEST(ClockTest, NowIsTodayAndTicksAdvance) {
  const TDateTime today = Date();
  const TDateTime now = Now();
  EXPECT_EQ(today, std::floor(today));
  EXPECT_GE(now, today);
  EXPECT_LT(now, today + 2);  // the day may roll over between the two calls
  EXPECT_GT(now, EncodeDate(2020, 1, 1));
  const uint64_t a = GetTickCount64();
  EXPECT_GE(GetTickCount64(), a);
}

}  // namespace
