#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/DUtil.h"
#include "platform/classes/streams.h"

namespace {

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = char((i * 7 + i / 256) & 0xFF);
  return s;
}

}  // namespace

TEST(ClippedStream, SeeksAreClampedToTheWindow) {
  TStringStream source(Pattern(5000));
  TClippedStream w(source, 1000, 200);
  struct Row {
    int64_t offset;
    TSeekOrigin origin;
    int64_t expected;
  } rows[] = {{0, soEnd, 200},        {-10, soEnd, 190},     {500, soBeginning, 200}, {-5, soBeginning, 0},
              {50, soBeginning, 50},  {25, soCurrent, 75},   {-100, soCurrent, 0},    {10, soEnd, 200},
              {INT64_MAX, soCurrent, 200}, {INT64_MIN, soCurrent, 0}};
  for (const Row& r : rows) {
    EXPECT_EQ(w.Seek(r.offset, r.origin), r.expected) << r.offset << " from " << int(r.origin);
    EXPECT_EQ(source.Position(), 1000 + r.expected);
  }
  EXPECT_EQ(w.Size(), 200);
}

TEST(ClippedStream, ReadsStopAtTheWindowsEnd) {
  const std::string bytes = Pattern(5000);
  TStringStream source(bytes);
  TClippedStream w(source, 1000, 200);
  char buf[64];
  w.Seek(190, soBeginning);
  ASSERT_EQ(w.Read(buf, 50), 10);
  EXPECT_EQ(std::string(buf, 10), bytes.substr(1190, 10));
  EXPECT_EQ(w.Read(buf, 50), 0);
  EXPECT_EQ(w.Read(buf, -1), 0);

  w.Seek(0, soBeginning);
  std::string all;
  int32_t n;
  while ((n = w.Read(buf, 37)) > 0) all.append(buf, size_t(n));
  EXPECT_EQ(all, bytes.substr(1000, 200));
  EXPECT_EQ(w.Write("x", 1), 0);
}

TEST(ClippedStream, EmptyWindowAndShortSource) {
  TStringStream source(Pattern(100));
  char buf[16];
  TClippedStream empty(source, 40, 0);
  EXPECT_EQ(empty.Seek(0, soBeginning), 0);
  EXPECT_EQ(empty.Read(buf, 16), 0);
  EXPECT_EQ(empty.Size(), 0);
  // A window reaching past its source gives what the source has.
  TClippedStream tail(source, 90, 50);
  tail.Seek(0, soBeginning);
  EXPECT_EQ(tail.Read(buf, 16), 10);
}
