#include "imaging/core/iestreams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "imaging/core/iezlib.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/streamtestutil.h"
#include "tests/support/testsupport.h"

using imgtest::Fill;
using imgtest::Pattern;
using imgtest::ReadAll;
using imgtest::TRecordingStream;

namespace {

uint8_t ReadByte(TStream& s) {
  uint8_t b = 0;
  EXPECT_EQ(s.Read(&b, 1), 1);
  return b;
}

}  // namespace

// ---- TIEBufferedReadStream ------------------------------------------------------------------

TEST(BufferedReadStream, RelativeStreamCountsFromTheSourcePosition) {
  const std::string data = Pattern(5000);
  TMemoryStream src;
  Fill(src, data);
  src.SetPosition(1000);
  TIEBufferedReadStream s(src, 64, true);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(s.Size(), 4000);
  EXPECT_EQ(ReadByte(s), uint8_t(data[1000]));
  s.Seek(100, soCurrent);
  EXPECT_EQ(ReadByte(s), uint8_t(data[1101]));
  EXPECT_EQ(s.Seek(0, soBeginning), 0);
  EXPECT_EQ(ReadByte(s), uint8_t(data[1000]));
}

TEST(BufferedReadStream, SeeksAreClampedAndSetTheEndFlag) {
  const std::string data = Pattern(100);
  struct Case {
    int64_t start;
    int64_t offset;
    TSeekOrigin origin;
    int64_t position;
    bool end;
  };
  const Case cases[] = {
      {0, 4, soEnd, 96, false},          // a positive offset counts back from the end
      {0, -4, soEnd, 100, true},         // past the end: clamped
      {0, 0, soEnd, 100, true},          // exactly at the end
      {0, -5, soBeginning, 0, false},    // before the start: clamped
      {0, 200, soBeginning, 100, true},  // beyond the end
      {0, 99, soBeginning, 99, false},   // the last byte is not the end
      {50, 10, soCurrent, 60, false},
      {50, -60, soCurrent, 0, false},
      {50, 10, TSeekOrigin(7), 50, false},  // an unknown origin keeps the position
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "start " << c.start << " offset " << c.offset << " origin " << int(c.origin));
    TMemoryStream src;
    Fill(src, data);
    TIEBufferedReadStream s(src, 16);
    s.Seek(c.start, soBeginning);
    EXPECT_EQ(s.Seek(c.offset, c.origin), c.position);
    EXPECT_EQ(s.EndOfStream(), c.end);
    if (c.position < 100) {
      EXPECT_EQ(ReadByte(s), uint8_t(data[size_t(c.position)]));
    }
  }
}

TEST(BufferedReadStream, ReadIsCutAtTheEnd) {
  const std::string data = Pattern(20);
  struct Case {
    int32_t ask;
    int32_t got;
    bool end;
  };
  for (const Case& c : {Case{10, 3, true}, Case{3, 3, false}, Case{1, 1, false}, Case{0, 0, false}}) {
    TMemoryStream src;
    Fill(src, data);
    TIEBufferedReadStream s(src, 8);
    s.Seek(17, soBeginning);
    char buf[16] = {};
    EXPECT_EQ(s.Read(buf, c.ask), c.got) << c.ask;
    EXPECT_EQ(s.EndOfStream(), c.end) << c.ask;
    EXPECT_EQ(std::string(buf, size_t(c.got)), data.substr(17, size_t(c.got)));
  }
  TMemoryStream src;
  Fill(src, data);
  TIEBufferedReadStream s(src, 8);
  s.Seek(0, soEnd);
  char b;
  EXPECT_EQ(s.Read(&b, 1), 0);
  EXPECT_TRUE(s.EndOfStream());
}

TEST(BufferedReadStream, ReadsAcrossManyBuffersMatchTheSource) {
  const std::string data = Pattern(10007);
  TMemoryStream src;
  Fill(src, data);
  TIEBufferedReadStream s(src, 64);
  std::string out;
  const int32_t sizes[] = {1, 63, 64, 65, 1, 1, 500, 3, 129, 7};
  for (size_t i = 0; out.size() < data.size(); ++i) {
    std::string buf(size_t(sizes[i % std::size(sizes)]), '\0');
    const int32_t n = s.Read(buf.data(), int32_t(buf.size()));
    ASSERT_GT(n, 0);
    out.append(buf.data(), size_t(n));
  }
  EXPECT_EQ(out, data);
}

TEST(BufferedReadStream, OneByteAtTheBufferBoundaryRefillsFirst) {
  const std::string data = Pattern(100);
  TRecordingStream src;
  Fill(src, data);
  TIEBufferedReadStream s(src, 8);
  char buf[8];
  ASSERT_EQ(s.Read(buf, 8), 8);
  const size_t fills = src.reads.size();
  EXPECT_EQ(ReadByte(s), uint8_t(data[8]));
  EXPECT_EQ(src.reads.size(), fills + 1);
}

TEST(BufferedReadStream, SeeksInsideTheBufferDoNotTouchTheSource) {
  const std::string data = Pattern(100);
  TRecordingStream src;
  Fill(src, data);
  TIEBufferedReadStream s(src, 16);
  s.Seek(10, soBeginning);
  const size_t fills = src.reads.size();
  s.Seek(-3, soCurrent);
  EXPECT_EQ(ReadByte(s), uint8_t(data[7]));
  s.Seek(15, soBeginning);
  EXPECT_EQ(ReadByte(s), uint8_t(data[15]));
  EXPECT_EQ(src.reads.size(), fills);
  // The first byte after the buffered window reloads the buffer from there.
  s.Seek(16, soBeginning);
  EXPECT_EQ(src.reads.size(), fills + 1);
  EXPECT_EQ(src.Position(), 16 + 16);
  EXPECT_EQ(ReadByte(s), uint8_t(data[16]));
}

TEST(BufferedReadStream, WriteRaises) {
  TMemoryStream src;
  TIEBufferedReadStream s(src, 16);
  try {
    s.Write("x", 1);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TIEBufferedReadStream cannot write!");
  }
}

TEST(BufferedReadStream, AnEmptyBufferSizeStillReads) {
  const std::string data = Pattern(50);
  for (int32_t size : {0, -5}) {
    TMemoryStream src;
    Fill(src, data);
    TIEBufferedReadStream s(src, size);
    EXPECT_EQ(ReadAll(s, 7), data) << size;
  }
}

TEST(BufferedReadStream, ASourceThatShrankHandsOutNoStaleBytes) {
  const std::string data = Pattern(100);
  TMemoryStream src;
  Fill(src, data);
  TIEBufferedReadStream s(src, 16);
  src.SetSize(20);
  char buf[50];
  EXPECT_EQ(s.Read(buf, 50), 20);
  EXPECT_TRUE(s.EndOfStream());
  EXPECT_EQ(std::string(buf, 20), data.substr(0, 20));
  s.Seek(30, soBeginning);
  EXPECT_EQ(s.Read(buf, 1), 0);
}

// ---- TIEBufferedWriteStream -----------------------------------------------------------------

TEST(BufferedWriteStream, FlushesExactlyAtTheBufferSize) {
  const std::string data = Pattern(8192 * 2 + 100);
  TRecordingStream dst;
  {
    TIEBufferedWriteStream s(dst, 8192);
    for (size_t i = 0; i < 8191; ++i) ASSERT_EQ(s.Write(&data[i], 1), 1);
    EXPECT_TRUE(dst.writes.empty());
    EXPECT_EQ(s.Write(&data[8191], 1), 1);
    EXPECT_EQ(dst.writes, std::vector<int32_t>({8192}));
    // A block larger than the buffer still reaches the destination in buffer-sized pieces.
    EXPECT_EQ(s.Write(&data[8192], 8192 + 100), 8192 + 100);
    EXPECT_EQ(dst.writes, std::vector<int32_t>({8192, 8192}));
  }
  EXPECT_EQ(dst.writes, std::vector<int32_t>({8192, 8192, 100}));
  EXPECT_EQ(dst.Bytes(), data);
}

TEST(BufferedWriteStream, SeekFlushesAndMovesTheDestination) {
  TRecordingStream dst;
  TIEBufferedWriteStream s(dst, 64);
  s.Write("abcdef", 6);
  EXPECT_EQ(s.Position(), 6);
  EXPECT_EQ(dst.Bytes(), "abcdef");
  s.Seek(2, soBeginning);
  s.Write("XY", 2);
  s.Flush();
  EXPECT_EQ(dst.Bytes(), "abXYef");
  EXPECT_EQ(s.Write("z", 0), 0);
  EXPECT_EQ(s.Write("z", -3), 0);
}

TEST(BufferedWriteStream, ReadRaisesAndARefusedBlockIsReported) {
  TMemoryStream dst;
  TIEBufferedWriteStream s(dst, 16);
  char b;
  try {
    s.Read(&b, 1);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TIEBufferedWriteStream cannot read!");
  }
  char block[4] = {};
  TIEMemStream full(block, 4);  // takes no bytes
  TIEBufferedWriteStream w(full, 4);
  w.Write("ab", 2);
  EXPECT_THROW(w.Flush(), EWriteError);
  EXPECT_THROW(w.Write("abcd", 4), EWriteError);
}

// ---- TIEWideFileStream ----------------------------------------------------------------------

TEST(WideFileStream, CreatesReadsAndWrites) {
  testsupport::TempDir dir;
  const std::string name = (dir / "Bild \xC3\xA4.bin").string();
  {
    TIEWideFileStream f(name, fmCreate);
    f.WriteBuffer("hello", 5);
  }
  {
    TIEWideFileStream f(name, fmOpenReadWrite | fmShareDenyWrite);
    f.Seek(0, soEnd);
    f.WriteBuffer("!", 1);
  }
  TIEWideFileStream f(name, fmOpenRead | fmShareDenyNone);
  EXPECT_EQ(f.Size(), 6);
  EXPECT_EQ(ReadAll(f), "hello!");
}

TEST(WideFileStream, InvalidModesOpenNothing) {
  testsupport::TempDir dir;
  // A folder that does not exist: any attempt to open would fail with "No such file".
  const std::string name = (dir / "missing" / "x.bin").string();
  for (uint16_t mode : {uint16_t(3), uint16_t(0x50), uint16_t(0x71), uint16_t(0xF2)}) {
    try {
      TIEWideFileStream f(name, mode);
      FAIL() << "no exception for mode " << mode;
    } catch (const EFOpenError& e) {
      EXPECT_EQ(e.Message(), "Cannot open file \"" + name + "\". " + SysErrorMessage(EINVAL)) << mode;
    }
  }
}

TEST(WideFileStream, FailuresNameTheFile) {
  testsupport::TempDir dir;
  const std::string missing = (dir / "none.jpg").string();
  try {
    TIEWideFileStream f(missing, fmOpenRead | fmShareDenyWrite);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". " + SysErrorMessage(ENOENT));
  }
  EXPECT_THROW(TIEWideFileStream(dir.Path().string(), fmOpenRead), EFOpenError);
  const std::string uncreatable = (dir / "no" / "such" / "dir.jpg").string();
  try {
    TIEWideFileStream f(uncreatable, fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"" + uncreatable + "\". " + SysErrorMessage(ENOENT));
  }
}

// ---- IECopyStreamData -----------------------------------------------------------------------

TEST(CopyStreamData, CountsAndPositions) {
  const std::string data = Pattern(1000);
  struct Case {
    int64_t start;
    int64_t count;
    int64_t copied;
    size_t from;
  };
  const Case cases[] = {
      {500, 0, 1000, 0},     // 0: the whole source from its start
      {900, 500, 100, 900},  // more than remains: what remains
      {10, 20, 20, 10},
      {10, -5, 0, 10},
      {1000, 7, 0, 1000},
  };
  for (const Case& c : cases) {
    TMemoryStream src, dst;
    Fill(src, data);
    src.SetPosition(c.start);
    EXPECT_EQ(IECopyStreamData(dst, src, c.count), c.copied) << c.start << " " << c.count;
    EXPECT_EQ(std::string(static_cast<const char*>(dst.Memory()), size_t(dst.Size())),
              data.substr(c.from, size_t(c.copied)));
  }
}

TEST(CopyStreamData, LargeCopiesGoInBoundedChunks) {
  const std::string data = Pattern(500000);
  TMemoryStream src;
  Fill(src, data);
  TRecordingStream dst;
  EXPECT_EQ(IECopyStreamData(dst, src, 0), 500000);
  EXPECT_EQ(dst.Bytes(), data);
  for (int32_t w : dst.writes) EXPECT_LE(w, 0x2FFFF);
  EXPECT_EQ(dst.writes.size(), 3u);
}

TEST(CopyStreamData, DeflateSourcesAreTakenAtTheirWord) {
  const std::string data = Pattern(70000);
  TMemoryStream packed;
  {
    TZCompressionStream z(packed, 2);
    z.WriteBuffer(data.data(), int64_t(data.size()));
  }
  packed.SetPosition(0);
  {
    TZDecompressionStream z(packed);
    TMemoryStream dst;
    EXPECT_EQ(IECopyStreamData(dst, z, 1000), 1000);
    EXPECT_EQ(IECopyStreamData(dst, z, int64_t(data.size()) - 1000), int64_t(data.size()) - 1000);
    EXPECT_EQ(std::string(static_cast<const char*>(dst.Memory()), size_t(dst.Size())), data);
  }
  packed.SetPosition(0);
  TZDecompressionStream z(packed);
  TMemoryStream dst;
  EXPECT_THROW(IECopyStreamData(dst, z, int64_t(data.size()) + 1), EReadError);
}

// ---- TIEMemStream ---------------------------------------------------------------------------

TEST(MemStream, ReadsTheCallersBlockAndNeverChangesIt) {
  char block[10];
  std::memcpy(block, "0123456789", 10);
  TIEMemStream s(block, 10);
  char buf[16];
  EXPECT_EQ(s.Read(buf, 4), 4);
  EXPECT_EQ(s.Seek(8, soBeginning), 8);
  EXPECT_EQ(s.Read(buf, 16), 2);
  EXPECT_EQ(std::string(buf, 2), "89");
  EXPECT_EQ(s.Read(buf, 16), 0);
  s.SetPosition(0);
  EXPECT_EQ(s.Write("abc", 3), 0);
  EXPECT_THROW(s.WriteBuffer("abc", 3), EWriteError);
  s.SetSize(0);
  EXPECT_EQ(s.Size(), 10);
  s.SetSize(100);
  EXPECT_EQ(s.Size(), 10);
  EXPECT_EQ(std::string(block, 10), "0123456789");
  TIEMemStream none(nullptr, 50);
  EXPECT_EQ(none.Size(), 0);
  EXPECT_EQ(none.Read(buf, 1), 0);
}

// ---- TNulStream -----------------------------------------------------------------------------

TEST(NulStream, CountsWithoutStoring) {
  TNulStream s;
  EXPECT_EQ(s.Write(nullptr, 10), 10);
  EXPECT_EQ(s.Seek(4, soBeginning), 4);
  EXPECT_EQ(s.Write(nullptr, 2), 2);
  EXPECT_EQ(s.Position(), 6);
  EXPECT_EQ(s.Size(), 10);
  EXPECT_EQ(s.Seek(0, soEnd), 10);
  EXPECT_EQ(s.Seek(3, soEnd), 7);  // counts back from the end
  EXPECT_EQ(s.Seek(8, soCurrent), 15);
  EXPECT_EQ(s.Seek(0, soEnd), 15);  // a seek forward grows the size
  EXPECT_EQ(s.Read(nullptr, 5), 5);
  EXPECT_EQ(s.Seek(0, soEnd), 20);
  EXPECT_EQ(s.Write(nullptr, -4), 0);
  // A writer measures its output through it.
  TNulStream m;
  m.WriteBuffer("abc", 3);
  m.WriteBuffer("defg", 4);
  EXPECT_EQ(m.Size(), 7);
}

// ---- Length-prefixed 8-bit text -------------------------------------------------------------

TEST(AnsiStringStream, WritesTheCodePageBytesBehindALength) {
  struct Case {
    std::string text;
    std::string bytes;
  };
  const Case cases[] = {
      {"", std::string(4, '\0')},
      {"Layer 1", std::string("\x07\0\0\0Layer 1", 11)},
      {"Caf\xC3\xA9", std::string("\x04\0\0\0Caf\xE9", 8)},  // é is one byte in Windows-1252
  };
  for (const Case& c : cases) {
    TRecordingStream s;
    WriteAnsiStringToStream(s, c.text);
    EXPECT_EQ(s.Bytes(), c.bytes);
    s.SetPosition(0);
    std::string back = "junk";
    ReadAnsiStringFromStream(s, back);
    EXPECT_EQ(back, c.text);
    EXPECT_EQ(s.Position(), s.Size());
  }
}

TEST(AnsiStringStream, RefusesLengthsTheStreamCannotHold) {
  const std::string cases[] = {
      std::string("\xFF\xFF\xFF\xFF", 4),          // negative
      std::string("\x06\0\0\0abc", 7),             // more than remains
      std::string("\xFF\xFF\xFF\x7F" "abc", 7),    // absurd
      std::string("\x01\0", 2),                    // the length itself is cut short
  };
  for (const std::string& bytes : cases) {
    TMemoryStream s;
    Fill(s, bytes);
    std::string text = "junk";
    EXPECT_THROW(ReadAnsiStringFromStream(s, text), EReadError);
    EXPECT_EQ(text, "");
  }
}

TEST(AnsiStringStream, ReadsThroughADeflateStream) {
  TMemoryStream packed;
  {
    TZCompressionStream z(packed, 2);
    WriteAnsiStringToStream(z, "first");
    WriteAnsiStringToStream(z, std::string(100000, 'x'));
    const char bogus[4] = {'\x10', '\x27', 0, 0};  // promises 10000 bytes, none follow
    z.WriteBuffer(bogus, 4);
  }
  packed.SetPosition(0);
  TZDecompressionStream z(packed);
  std::string text;
  ReadAnsiStringFromStream(z, text);
  EXPECT_EQ(text, "first");
  ReadAnsiStringFromStream(z, text);
  EXPECT_EQ(text, std::string(100000, 'x'));
  EXPECT_THROW(ReadAnsiStringFromStream(z, text), EReadError);
}
