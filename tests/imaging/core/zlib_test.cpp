#include "imaging/core/iezlib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <vector>

#include "tests/support/streamtestutil.h"

using imgtest::Fill;
using imgtest::Pattern;
using imgtest::ReadAll;
using imgtest::PythonJob;
using imgtest::TRecordingStream;

namespace {

// Python's zlib: every test hands all its jobs to one process.
std::vector<std::string> Python(const std::vector<PythonJob>& jobs) {
  return imgtest::RunPythonEach(
      "import zlib\n"
      "def run(data, arg):\n"
      "    if arg == 'inflate':\n"
      "        return zlib.decompress(data)\n"
      "    if arg.startswith('zdict '):\n"
      "        c = zlib.compressobj(6, zlib.DEFLATED, 15, 8, zlib.Z_DEFAULT_STRATEGY, arg[6:].encode())\n"
      "        return c.compress(data) + c.flush()\n"
      "    return zlib.compress(data, int(arg))\n",
      jobs);
}
PythonJob Inflated(const std::string& packed) { return {packed, "inflate"}; }
PythonJob Deflated(const std::string& data, int level) { return {data, std::to_string(level)}; }
// Compressed against a preset dictionary that a reader cannot give.
PythonJob DeflatedWithDictionary(const std::string& data, const std::string& dictionary) {
  return {data, "zdict " + dictionary};
}

// Compressible but not trivial: text-like runs with a slow drift.
std::string Sample(size_t n) {
  std::string s(n, '\0');
  uint32_t x = 12345;
  for (size_t i = 0; i < n; ++i) {
    x = x * 1103515245u + 12345u;
    s[i] = (x >> 28) < 11 ? char('a' + (i / 97) % 26) : char(x >> 16);
  }
  return s;
}

std::string Compress(const std::string& data, uint8_t level) {
  TRecordingStream dst;
  {
    TZCompressionStream z(dst, level);
    z.WriteBuffer(data.data(), int64_t(data.size()));
  }
  return dst.Bytes();
}

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.ClassName() + ": " + e.Message();
  }
  return "no exception";
}

}  // namespace

TEST(ZCompressionStream, PythonInflatesWhatEveryLevelWrites) {
  const std::string data = Sample(300000);  // several exchange buffers
  // Level and the zlib level it stands for; zlib's header records the level class.
  const std::pair<uint8_t, int> levels[] = {{0, 0}, {1, 1}, {2, -1}, {3, 9}};
  std::vector<std::string> packed;
  std::vector<PythonJob> jobs;
  for (auto [level, zlibLevel] : levels) {
    packed.push_back(Compress(data, level));
    jobs.push_back(Inflated(packed.back()));
    jobs.push_back(Deflated(data, zlibLevel));
  }
  const std::vector<std::string> python = Python(jobs);
  for (size_t i = 0; i < std::size(levels); ++i) {
    const auto [level, zlibLevel] = levels[i];
    SCOPED_TRACE(int(level));
    EXPECT_EQ(python[2 * i], data);
    EXPECT_EQ(packed[i].substr(0, 2), python[2 * i + 1].substr(0, 2));
    EXPECT_EQ(IEZLibLevel(level), zlibLevel);
  }
  // Store-only output holds the data verbatim, so it is larger than the data.
  EXPECT_GT(Compress(data, 0).size(), data.size());
  EXPECT_LT(Compress(data, 3).size(), data.size());
}

TEST(ZCompressionStream, LevelsOutsideTheTableAreRefused) {
  for (int level : {4, 9, 255}) {
    TRecordingStream dst;
    EXPECT_EQ(Message([&] { TZCompressionStream z(dst, uint8_t(level)); }), "EZCompressionError: stream error");
    EXPECT_TRUE(dst.writes.empty());
  }
}

TEST(ZCompressionStream, WithoutWritesItStillWritesAnEmptyZlibStream) {
  TRecordingStream dst;
  { TZCompressionStream z(dst, 2); }
  const std::vector<std::string> python = Python({Deflated("", -1), Inflated(dst.Bytes())});
  EXPECT_EQ(dst.Bytes(), python[0]);
  EXPECT_EQ(python[1], "");
}

TEST(ZCompressionStream, OutputStaysContiguousWhenTheDestinationMoves) {
  const std::string a = Sample(100000), b = Sample(90000).substr(1000);
  TRecordingStream dst;
  dst.WriteBuffer("0123456789", 10);
  {
    TZCompressionStream z(dst, 1);
    z.WriteBuffer(a.data(), int64_t(a.size()));
    dst.SetPosition(0);
    z.WriteBuffer(b.data(), int64_t(b.size()));
    dst.SetPosition(3);
  }
  const std::string all = dst.Bytes();
  EXPECT_EQ(all.substr(0, 10), "0123456789");
  EXPECT_EQ(Python({Inflated(all.substr(10))})[0], a + b);
}

TEST(ZCompressionStream, PositionIsTheCountWrittenAndOnlyStayingPutIsAllowed) {
  TRecordingStream dst;
  TZCompressionStream z(dst, 2);
  z.WriteBuffer("abcdefgh", 8);
  EXPECT_EQ(z.Position(), 8);
  EXPECT_EQ(z.Size(), 8);
  EXPECT_EQ(z.Seek(8, soBeginning), 8);
  EXPECT_EQ(z.Seek(0, soEnd), 8);
  const std::pair<int64_t, TSeekOrigin> moves[] = {{0, soBeginning}, {-1, soCurrent}, {-8, soEnd}, {9, soBeginning}};
  for (const auto& m : moves)
    EXPECT_EQ(Message([&] { z.Seek(m.first, m.second); }), "EZCompressionError: Invalid ZStream operation!");
  char c;
  EXPECT_EQ(Message([&] { z.Read(&c, 1); }), "EZCompressionError: Invalid ZStream operation!");
  z.Finish();
  EXPECT_EQ(Python({Inflated(dst.Bytes())})[0], "abcdefgh");
  EXPECT_EQ(Message([&] { z.Write("x", 1); }), "EZCompressionError: Invalid ZStream operation!");
}

TEST(ZDecompressionStream, InflatesWhatPythonDeflated) {
  const std::string data = Sample(200000);
  const int levels[] = {0, 6, 9};
  std::vector<PythonJob> jobs;
  for (int level : levels) jobs.push_back(Deflated(data, level));
  const std::vector<std::string> packed = Python(jobs);
  for (size_t i = 0; i < std::size(levels); ++i) {
    TMemoryStream src;
    Fill(src, packed[i]);
    TZDecompressionStream z(src);
    EXPECT_EQ(ReadAll(z, 1237), data) << levels[i];
    char c;
    EXPECT_EQ(z.Read(&c, 1), 0);
  }
}

TEST(ZDecompressionStream, LeavesTheSourceOnTheByteAfterTheData) {
  const std::string data = Sample(5000);
  const std::string packed = Python({Deflated(data, 6)})[0];
  TMemoryStream src;
  Fill(src, "PREFIX!" + packed + "TAIL");
  src.SetPosition(7);
  TZDecompressionStream z(src);
  EXPECT_EQ(ReadAll(z), data);
  EXPECT_EQ(src.Position(), int64_t(7 + packed.size()));
  char tail[4];
  src.ReadBuffer(tail, 4);
  EXPECT_EQ(std::string(tail, 4), "TAIL");
}

TEST(ZDecompressionStream, SeekRules) {
  const std::string data = Pattern(100000);
  TMemoryStream src;
  Fill(src, "xyz" + Compress(data, 2));
  src.SetPosition(3);
  TZDecompressionStream z(src);
  char buf[16];
  EXPECT_EQ(z.Seek(0, soCurrent), 0);
  EXPECT_EQ(z.Seek(1000, soBeginning), 1000);
  ASSERT_EQ(z.Read(buf, 16), 16);
  EXPECT_EQ(std::string(buf, 16), data.substr(1000, 16));
  EXPECT_EQ(z.Seek(20000, soCurrent), 21016);  // forward by more than one scratch piece
  ASSERT_EQ(z.Read(buf, 4), 4);
  EXPECT_EQ(std::string(buf, 4), data.substr(21016, 4));
  const std::pair<int64_t, TSeekOrigin> refused[] = {{-1, soCurrent}, {5, soBeginning}, {21020, soBeginning},
                                                      {-3, soEnd}, {1, soEnd}};
  for (const auto& r : refused)
    EXPECT_EQ(Message([&] { z.Seek(r.first, r.second); }), "EZDecompressionError: Invalid ZStream operation!");
  EXPECT_EQ(Message([&] { (void)z.Size(); }), "EZDecompressionError: Invalid ZStream operation!");
  EXPECT_EQ(Message([&] { z.Write("a", 1); }), "EZDecompressionError: Invalid ZStream operation!");
  EXPECT_EQ(z.Seek(0, soEnd), 100000);
  // Rewinding goes back to where the compressed data began.
  EXPECT_EQ(z.Seek(0, soBeginning), 0);
  EXPECT_EQ(src.Position(), 3);
  EXPECT_EQ(z.Size(), 100000);  // asked at position 0 it leaves the stream rewound
  EXPECT_EQ(z.Position(), 0);
  EXPECT_EQ(ReadAll(z), data);
  // Skipping past the end is a short read.
  z.SetPosition(0);
  EXPECT_THROW(z.Seek(100001, soBeginning), EReadError);
}

TEST(ZDecompressionStream, CorruptDataRaisesTheLibrarysReason) {
  const std::string good = Compress(Sample(20000), 2);
  // A preset dictionary that nobody can give: Python's compressobj(zdict=...).
  const std::string withDictionary = Python({DeflatedWithDictionary("dictionary words again", "dictionary words")})[0];
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  };
  std::string badHeader = good, badBody = good, badChecksum = good;
  badHeader[1] = char(badHeader[1] ^ 1);
  badBody[good.size() / 2] = char(~badBody[good.size() / 2]);
  badChecksum[good.size() - 1] = char(badChecksum[good.size() - 1] ^ 0x55);
  const Case cases[] = {
      {"header", badHeader, "EZDecompressionError: data error"},
      {"body", badBody, "EZDecompressionError: data error"},
      {"checksum", badChecksum, "EZDecompressionError: data error"},
      {"not zlib at all", "this is plain text, not zlib data", "EZDecompressionError: data error"},
      {"dictionary", withDictionary, "EZDecompressionError: need dictionary"},
  };
  for (const Case& c : cases) {
    TMemoryStream src;
    Fill(src, c.bytes);
    TZDecompressionStream z(src);
    EXPECT_EQ(Message([&] { ReadAll(z); }), c.message) << c.what;
  }
}

TEST(ZDecompressionStream, ATruncatedSourceEndsTheDataQuietly) {
  const std::string data = Sample(50000);
  const std::string packed = Compress(data, 2);
  TMemoryStream src;
  Fill(src, packed.substr(0, packed.size() / 2));
  TZDecompressionStream z(src);
  const std::string got = ReadAll(z);
  EXPECT_GT(got.size(), 0u);
  EXPECT_LT(got.size(), data.size());
  EXPECT_EQ(got, data.substr(0, got.size()));
}

namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

std::string Inflate(const std::string& in, int32_t estimate) {
  void* out = reinterpret_cast<void*>(1);
  int32_t outSize = -1;
  ZDecompressBuffer(in.data(), int32_t(in.size()), out, estimate, outSize);
  std::unique_ptr<void, FreeDeleter> hold(out);
  return std::string(static_cast<const char*>(out), size_t(outSize));
}

}  // namespace

TEST(ZDecompressBuffer, InflatesWithAndWithoutAnEstimate) {
  const std::string data = Sample(123457);
  const std::vector<std::string> packed = Python({Deflated(data, 9), Deflated("", 6)});
  for (int32_t estimate : {0, 1, 1000, 123457, 500000}) EXPECT_EQ(Inflate(packed[0], estimate), data) << estimate;
  EXPECT_EQ(Inflate(packed[1], 0), "");
}

TEST(ZDecompressBuffer, FailuresLeaveNothingAllocated) {
  const std::string packed = Compress(Sample(40000), 2);
  std::string corrupt = packed;
  corrupt[10] = char(~corrupt[10]);
  const std::string withDictionary = Python({DeflatedWithDictionary("abcabc", "abc")})[0];
  struct Case {
    std::string in;
    int32_t size;
    int32_t estimate;
    const char* message;
  };
  const Case cases[] = {
      {packed.substr(0, 100), 100, 0, "EZDecompressionError: buffer error"},  // ends early
      {corrupt, int32_t(corrupt.size()), 0, "EZDecompressionError: data error"},
      {withDictionary, int32_t(withDictionary.size()), 0, "EZDecompressionError: need dictionary"},
      {"", 0, 0, "EZDecompressionError: buffer error"},
      {packed, -1, 0, "EZDecompressionError: stream error"},
      {packed, int32_t(packed.size()), -5, "EZDecompressionError: stream error"},
  };
  for (const Case& c : cases) {
    void* out = reinterpret_cast<void*>(1);
    int32_t outSize = -1;
    EXPECT_EQ(Message([&] { ZDecompressBuffer(c.in.data(), c.size, out, c.estimate, outSize); }), c.message);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(outSize, 0);
  }
}

TEST(ZLibErrorText, TableOfResultCodes) {
  const std::pair<int, const char*> texts[] = {
      {2, "need dictionary"}, {1, "stream end"},   {0, ""},
      {-1, "file error"},     {-2, "stream error"}, {-3, "data error"},
      {-4, "insufficient memory"}, {-5, "buffer error"}, {-6, "incompatible version"},
      {-7, ""},               {3, ""},              {-100, ""}};
  for (auto [code, text] : texts) EXPECT_STREQ(IEZLibErrorText(code), text) << code;
}
