#include "imaging/core/ieboundedreader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "imaging/core/iestreams.h"
#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
const std::vector<uint8_t> kBytes = {0x01, 0x02, 0x03, 0x04, 0xA5, 0xFF};

// A stream that claims more bytes than it can deliver, as a file truncated
// while being read would: the reader must take the short read as a failure.
class TShortStream : public TIEMemStream {
public:
  TShortStream(const void* memory, int64_t size, int64_t claimed) : TIEMemStream(memory, size), claimed_(claimed) {}
  int64_t Size() override { return claimed_; }

private:
  int64_t claimed_;
};

// The same reader over both sources: the bytes in memory, and a stream of them.
struct TSource {
  const char* name;
  std::function<std::unique_ptr<TIEBoundedReader>(std::unique_ptr<TStream>&)> make;
};

const std::vector<TSource>& Sources() {
  static const std::vector<TSource> sources = {
      {"memory",
       [](std::unique_ptr<TStream>&) { return std::make_unique<TIEBoundedReader>(kBytes.data(), kBytes.size()); }},
      {"stream",
       [](std::unique_ptr<TStream>& keep) {
         keep = std::make_unique<TIEMemStream>(kBytes.data(), int64_t(kBytes.size()));
         return std::make_unique<TIEBoundedReader>(*keep);
       }},
  };
  return sources;
}

}  // namespace

TEST(IEBoundedReader, BothByteOrdersAtTheCursorAndAtAPosition) {
  for (const TSource& src : Sources()) {
    SCOPED_TRACE(src.name);
    std::unique_ptr<TStream> keep;
    auto r = src.make(keep);
    EXPECT_EQ(r->ReadU16BE(), 0x0102);
    EXPECT_EQ(r->ReadU16LE(), 0x0403);
    r->Seek(0);
    EXPECT_EQ(r->ReadU32BE(), 0x01020304u);
    r->Seek(1);
    EXPECT_EQ(r->ReadU32LE(), 0xA5040302u);
    EXPECT_EQ(r->Position(), 5);
    r->Seek(2);
    EXPECT_EQ(r->ReadU16(true), 0x0304);
    EXPECT_EQ(r->ReadU16(false), 0xFFA5);

    uint16_t w = 0;
    uint32_t d = 0;
    ASSERT_TRUE(r->ReadU16(4, true, w));
    EXPECT_EQ(w, 0xA5FF);
    ASSERT_TRUE(r->ReadU32(2, false, d));
    EXPECT_EQ(d, 0xFFA50403u);
    ASSERT_TRUE(r->ReadU32(2, true, d));
    EXPECT_EQ(d, 0x0304A5FFu);
    // Reads at a position leave the cursor alone.
    EXPECT_EQ(r->Position(), 6);
  }
}

TEST(IEBoundedReader, ReadsAtAndPastTheEndFail) {
  struct Case {
    const char* name;
    int64_t seek;
    int64_t count;  // bytes asked at the cursor
    bool ok;
  };
  const Case cases[] = {
      {"last two bytes", 4, 2, true},
      {"one byte short", 5, 2, false},
      {"nothing at the end", 6, 0, true},
      {"one byte at the end", 6, 1, false},
      {"seek far past the end", 1000, 1, false},
      {"seek to the largest position", kMax, 1, false},
      {"the whole data", 0, 6, true},
      {"one more than the whole data", 0, 7, false},
      {"a negative count", 0, -1, false},
  };
  for (const TSource& src : Sources()) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(src.name) + ": " + c.name);
      std::unique_ptr<TStream> keep;
      auto r = src.make(keep);
      r->Seek(c.seek);
      std::vector<uint8_t> buf(8, 0xEE);
      const int64_t n = c.count < 0 ? 1 : c.count;
      if (c.ok) {
        EXPECT_NO_THROW(r->ReadBytes(buf.data(), c.count));
        EXPECT_EQ(0, std::memcmp(buf.data(), kBytes.data() + c.seek, size_t(n)));
        EXPECT_EQ(r->Position(), c.seek + c.count);
      } else {
        EXPECT_THROW(r->ReadBytes(buf.data(), c.count), EReadError);
        EXPECT_EQ(r->Position(), c.seek) << "a failed read moves nothing";
        EXPECT_FALSE(r->TryReadBytes(buf.data(), c.count));
        EXPECT_FALSE(r->ReadAt(c.seek, buf.data(), c.count));
        // Nothing was handed out as if read: the buffer still holds what it held.
        EXPECT_EQ(buf, std::vector<uint8_t>(8, 0xEE));
      }
    }
  }
}

TEST(IEBoundedReader, TryReadU8WalksToTheEndAndStops) {
  for (const TSource& src : Sources()) {
    SCOPED_TRACE(src.name);
    std::unique_ptr<TStream> keep;
    auto r = src.make(keep);
    std::vector<uint8_t> got;
    uint8_t b;
    while (r->TryReadU8(b)) got.push_back(b);
    EXPECT_EQ(got, kBytes);
    EXPECT_EQ(r->Remaining(), 0);
    EXPECT_THROW(r->ReadU8(), EReadError);
  }
}

TEST(IEBoundedReader, HoldsNeverOverflows) {
  struct Case {
    int64_t pos, count;
    bool holds;
  };
  const Case cases[] = {
      {0, 6, true},        {6, 0, true},       {0, 0, true},        {5, 1, true},
      {5, 2, false},       {7, 0, false},      {-1, 1, false},      {2, -1, false},
      {kMax, 1, false},    {1, kMax, false},   {kMax, kMax, false}, {std::numeric_limits<int64_t>::min(), 7, false},
      // A 32-bit count times an 8-byte element, as a directory entry can ask for.
      {0, int64_t(0xFFFFFFFFu) * 8, false},
  };
  TIEBoundedReader r(kBytes.data(), kBytes.size());
  for (const Case& c : cases) EXPECT_EQ(r.Holds(c.pos, c.count), c.holds) << c.pos << " + " << c.count;
}

TEST(IEBoundedReader, SkipAndSeekStayInRange) {
  struct Case {
    const char* name;
    int64_t from, skip, expected;
  };
  const Case cases[] = {
      {"forward", 1, 3, 4},
      {"back", 4, -2, 2},
      {"back before the start stops at 0", 2, -100, 0},
      {"the largest skip saturates", 3, kMax, kMax},
      {"the smallest skip stops at 0", 3, std::numeric_limits<int64_t>::min(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TIEBoundedReader r(kBytes.data(), kBytes.size());
    r.Seek(c.from);
    r.Skip(c.skip);
    EXPECT_EQ(r.Position(), c.expected);
    uint8_t b;
    EXPECT_EQ(r.TryReadU8(b), c.expected < 6);
  }
  TIEBoundedReader r(kBytes.data(), kBytes.size());
  r.Seek(-5);
  EXPECT_EQ(r.Position(), 0);
}

TEST(IEBoundedReader, StreamStartsAtItsPositionAndAShortReadFails) {
  TIEMemStream s(kBytes.data(), int64_t(kBytes.size()));
  s.SetPosition(4);
  TIEBoundedReader r(s);
  EXPECT_EQ(r.Position(), 4);
  EXPECT_EQ(r.Size(), 6);
  EXPECT_EQ(r.ReadU16BE(), 0xA5FF);
  EXPECT_EQ(s.Position(), 6) << "the stream stands after the last byte read";

  // The size promises ten bytes, the stream delivers six.
  TShortStream lying(kBytes.data(), int64_t(kBytes.size()), 10);
  TIEBoundedReader l(lying);
  ASSERT_EQ(l.Size(), 10);
  uint8_t buf[4];
  EXPECT_TRUE(l.ReadAt(2, buf, 4));
  EXPECT_FALSE(l.ReadAt(4, buf, 4));
  l.Seek(5);
  EXPECT_THROW(l.ReadU16LE(), EReadError);
  EXPECT_EQ(l.Position(), 5);
}

TEST(IEBoundedReader, NullMemoryReadsAsEmpty) {
  TIEBoundedReader r(nullptr, 100);
  EXPECT_EQ(r.Size(), 0);
  uint8_t b;
  EXPECT_FALSE(r.TryReadU8(b));
  EXPECT_TRUE(r.ReadAt(0, &b, 0));
}
