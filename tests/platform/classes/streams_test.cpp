#include "platform/classes/streams.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

std::string ReadAll(TStream& s) {
  s.SetPosition(0);
  std::string out(size_t(s.Size()), '\0');
  s.ReadBuffer(out.data(), int64_t(out.size()));
  return out;
}

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = char((i * 7 + i / 251) & 0xFF);
  return s;
}

// ---- Behaviour every read/write stream shares, run over each kind -------------------------------

struct StreamKind {
  const char* name;
  std::function<std::unique_ptr<TStream>(const TempDir&)> make;
};

void PrintTo(const StreamKind& k, std::ostream* os) { *os << k.name; }

class AnyStream : public ::testing::TestWithParam<StreamKind> {
protected:
  TempDir dir;
  std::unique_ptr<TStream> s = GetParam().make(dir);
};

const StreamKind kKinds[] = {
    {"Memory", [](const TempDir&) { return std::make_unique<TMemoryStream>(); }},
    {"Bytes", [](const TempDir&) { return std::make_unique<TBytesStream>(); }},
    {"String", [](const TempDir&) { return std::make_unique<TStringStream>(); }},
    {"File", [](const TempDir& d) { return std::make_unique<TFileStream>((d / "f.bin").string(), fmCreate); }},
};

INSTANTIATE_TEST_SUITE_P(Kinds, AnyStream, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(AnyStream, WriteSeekReadRoundTrip) {
  s->WriteBuffer("hello world", 11);
  EXPECT_EQ(s->Position(), 11);
  EXPECT_EQ(s->Size(), 11);
  EXPECT_EQ(s->Seek(-5, soEnd), 6);
  char buf[16] = {};
  EXPECT_EQ(s->Read(buf, 16), 5);
  EXPECT_EQ(std::string(buf, 5), "world");
  EXPECT_EQ(s->Seek(-11, soCurrent), 0);
  s->WriteBuffer("J", 1);
  EXPECT_EQ(ReadAll(*s), "Jello world");
}

TEST_P(AnyStream, ZeroLengthAndEndOfStreamReads) {
  char buf[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(s->Read(buf, 0), 0);  // empty stream
  s->WriteBuffer("abc", 3);
  EXPECT_EQ(s->Read(buf, 4), 0);  // at the end
  s->SetPosition(1);
  EXPECT_EQ(s->Read(buf, 0), 0);
  EXPECT_EQ(s->Position(), 1);
  EXPECT_NO_THROW(s->ReadBuffer(buf, 0));
  EXPECT_EQ(s->Read(buf, -1), 0);
  EXPECT_EQ(s->Write(buf, 0), 0);
  EXPECT_EQ(s->Size(), 3);
  EXPECT_EQ(buf[0], 'x');
}

TEST_P(AnyStream, ReadBufferPastEndRaisesReadError) {
  s->WriteBuffer("abcdef", 6);
  s->SetPosition(2);
  char buf[8];
  try {
    s->ReadBuffer(buf, 5);
    FAIL() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
}

TEST_P(AnyStream, SeekPastEndThenWriteFillsZeros) {
  s->WriteBuffer("ab", 2);
  EXPECT_EQ(s->Seek(10, soBeginning), 10);
  EXPECT_EQ(s->Size(), 2);  // seeking alone does not grow
  s->WriteBuffer("Z", 1);
  EXPECT_EQ(ReadAll(*s), std::string("ab") + std::string(8, '\0') + "Z");
}

TEST_P(AnyStream, CopyFromZeroCopiesWholeSourceFromStart) {
  TStringStream src("0123456789");
  src.SetPosition(6);
  EXPECT_EQ(s->CopyFrom(src, 0), 10);
  EXPECT_EQ(ReadAll(*s), "0123456789");
  EXPECT_EQ(src.Position(), 10);
}

// ---- Memory streams ---------------------------------------------------------------------------

TEST(MemoryStream, StaleBytesInsideCapacityAreZeroedWhenTheGapIsWritten) {
  TMemoryStream m;
  const std::string ff(100, '\xFF');
  m.WriteBuffer(ff.data(), 100);
  m.SetSize(10);  // capacity keeps the 0xFF bytes beyond the new end
  m.SetPosition(50);
  m.WriteBuffer("!", 1);
  EXPECT_EQ(ReadAll(m), std::string(10, '\xFF') + std::string(40, '\0') + "!");
}

TEST(MemoryStream, SetSizeGrowsWithZerosAndClampsPosition) {
  TMemoryStream m;
  m.WriteBuffer("abcdef", 6);
  EXPECT_EQ(m.Position(), 6);
  m.SetSize(3);
  EXPECT_EQ(m.Position(), 3);
  m.SetPosition(1);
  m.SetSize(5);
  EXPECT_EQ(m.Position(), 1);  // a position inside the new size stays
  EXPECT_EQ(ReadAll(m), std::string("abc\0\0", 5));
}

TEST(MemoryStream, PositionsAreSixtyFourBit) {
  TMemoryStream m;
  m.WriteBuffer("xy", 2);
  const int64_t fiveGiB = int64_t(5) << 30;
  EXPECT_EQ(m.Seek(fiveGiB, soBeginning), fiveGiB);
  EXPECT_EQ(m.Position(), fiveGiB);
  EXPECT_EQ(m.Size(), 2);
  char c;
  EXPECT_EQ(m.Read(&c, 1), 0);
  EXPECT_EQ(m.Seek(fiveGiB, soCurrent), 2 * fiveGiB);
  EXPECT_EQ(m.Seek(-fiveGiB, soEnd), 2 - fiveGiB);
}

TEST(MemoryStream, NegativePositionMovesNothing) {
  TMemoryStream m;
  m.WriteBuffer("abc", 3);
  m.Seek(-1, soBeginning);
  char c = 'q';
  EXPECT_EQ(m.Read(&c, 1), 0);
  EXPECT_EQ(m.Write("z", 1), 0);
  EXPECT_EQ(c, 'q');
  EXPECT_EQ(ReadAll(m), "abc");
}

TEST(MemoryStream, CapacityGrowsInEightKiBSteps) {
  TMemoryStream m;
  struct Case {
    int64_t size;
    int64_t capacity;
  };
  for (const Case c : {Case{1, 8192}, Case{8192, 8192}, Case{8193, 16384}, Case{100000, 106496}, Case{0, 0}}) {
    m.SetSize(c.size);
    EXPECT_EQ(m.Capacity(), c.capacity) << "size " << c.size;
    EXPECT_EQ(m.Size(), c.size);
  }
  // Writing one byte at a time keeps capacity block-aligned and ahead of the size.
  for (int i = 0; i < 50000; ++i) m.WriteBuffer("x", 1);
  EXPECT_EQ(m.Capacity() % 8192, 0);
  EXPECT_GE(m.Capacity(), 50000);
  m.Clear();
  EXPECT_EQ(m.Capacity(), 0);
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.Memory(), nullptr);
}

TEST(MemoryStream, LoadAndSaveFileRoundTrip) {
  TempDir dir;
  const std::string data = Pattern(70000);
  WriteFileBytes(dir / "in.bin", data);
  TMemoryStream m;
  m.LoadFromFile((dir / "in.bin").string());
  EXPECT_EQ(m.Size(), int64_t(data.size()));
  EXPECT_EQ(m.Position(), 0);
  EXPECT_EQ(std::memcmp(m.Memory(), data.data(), data.size()), 0);
  m.SaveToFile((dir / "out.bin").string());
  EXPECT_EQ(ReadFileBytes(dir / "out.bin"), data);
}

TEST(MemoryStream, LoadFromStreamTakesEverythingAndReplacesOldContents) {
  TStringStream src("new contents");
  src.SetPosition(4);
  TMemoryStream m;
  m.WriteBuffer("old old old old old", 19);
  m.LoadFromStream(src);
  EXPECT_EQ(ReadAll(m), "new contents");
  TStringStream dst;
  m.SaveToStream(dst);
  EXPECT_EQ(dst.DataString(), "new contents");
}

TEST(BytesStream, KeepsItsBytesInTheVector) {
  TBytesStream b(std::vector<uint8_t>{1, 2, 3, 4});
  EXPECT_EQ(b.Size(), 4);
  EXPECT_EQ(b.Position(), 0);
  uint8_t got[4];
  b.ReadBuffer(got, 4);
  EXPECT_EQ(got[3], 4);
  b.WriteBuffer("\x05\x06", 2);
  ASSERT_GE(b.Bytes().size(), 6u);
  EXPECT_EQ(b.Memory(), b.Bytes().data());
  EXPECT_EQ(std::vector<uint8_t>(b.Bytes().begin(), b.Bytes().begin() + 6), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST(StringStream, ReadAndWriteStrings) {
  TStringStream s(std::string("ab\0cd", 5));
  EXPECT_EQ(s.DataString(), std::string("ab\0cd", 5));
  EXPECT_EQ(s.ReadString(2), "ab");
  EXPECT_EQ(s.ReadString(100), std::string("\0cd", 3));  // only what remains
  EXPECT_EQ(s.ReadString(1), "");
  s.SetPosition(1);
  s.WriteString("XYZW");
  EXPECT_EQ(s.DataString(), "aXYZW");
  EXPECT_EQ(s.Position(), 5);
}

// ---- CopyFrom ---------------------------------------------------------------------------------

TEST(CopyFrom, CountCopiesFromCurrentPositionAcrossManyChunks) {
  const std::string data = Pattern(300000);
  TStringStream src(data);
  src.SetPosition(1000);
  TMemoryStream dst;
  EXPECT_EQ(dst.CopyFrom(src, 250000), 250000);
  EXPECT_EQ(ReadAll(dst), data.substr(1000, 250000));
  EXPECT_EQ(src.Position(), 251000);
}

TEST(CopyFrom, ShortSourceRaisesReadError) {
  TStringStream src("short");
  TMemoryStream dst;
  EXPECT_THROW(dst.CopyFrom(src, 6), EReadError);
}

// ---- File streams -----------------------------------------------------------------------------

TEST(FileStream, MissingFileNamesFileAndReason) {
  TempDir dir;
  const std::string name = (dir / "missing.bin").string();
  try {
    TFileStream f(name, fmOpenRead);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + name + "\". No such file or directory");
  }
}

TEST(FileStream, OpenFailures) {
  TempDir dir;
  fs::create_directory(dir / "sub");
  WriteFileBytes(dir / "exists.bin", "data");
  struct Case {
    std::string name;
    uint16_t mode;
    bool create;  // EFCreateError rather than EFOpenError
    std::string reason;
  };
  const Case cases[] = {
      {(dir / "sub").string(), fmOpenRead, false, "Is a directory"},
      {(dir / "sub").string(), fmOpenReadWrite, false, "Is a directory"},
      {(dir / "sub").string(), fmCreate, true, "Is a directory"},
      {(dir / "nodir" / "x.bin").string(), fmCreate, true, "No such file or directory"},
      {(dir / "new.bin").string(), 3, false, "Invalid argument"},
      {(dir / "exists.bin").string(), 3 | fmShareDenyNone, false, "Invalid argument"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + " mode " + std::to_string(c.mode));
    const std::string expected =
        std::string(c.create ? "Cannot create file \"" : "Cannot open file \"") + c.name + "\". " + c.reason;
    try {
      TFileStream f(c.name, c.mode);
      ADD_FAILURE() << "no exception";
    } catch (const EFCreateError& e) {
      EXPECT_TRUE(c.create);
      EXPECT_EQ(e.Message(), expected);
    } catch (const EFOpenError& e) {
      EXPECT_FALSE(c.create);
      EXPECT_EQ(e.Message(), expected);
    }
  }
  // The invalid access mode touched nothing.
  EXPECT_FALSE(fs::exists(dir / "new.bin"));
  EXPECT_EQ(ReadFileBytes(dir / "exists.bin"), "data");
}

TEST(FileStream, CreateTruncatesExistingFile) {
  TempDir dir;
  const auto path = dir / "t.bin";
  WriteFileBytes(path, Pattern(1000));
  {
    TFileStream f(path.string(), fmCreate);
    EXPECT_EQ(f.Size(), 0);
    f.WriteBuffer("new", 3);
  }
  EXPECT_EQ(ReadFileBytes(path), "new");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::owner_all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST(FileStream, AccessModesLimitTransfers) {
  TempDir dir;
  const auto path = (dir / "m.bin").string();
  WriteFileBytes(path, "abcdef");
  struct Case {
    uint16_t mode;
    bool canRead, canWrite;
  };
  for (const Case c : {Case{fmOpenRead | fmShareDenyWrite, true, false}, Case{fmOpenWrite | fmShareExclusive, false, true},
                       Case{fmOpenReadWrite | fmShareDenyNone, true, true}}) {
    SCOPED_TRACE(c.mode);
    TFileStream f(path, c.mode);
    EXPECT_EQ(f.FileName(), path);
    EXPECT_EQ(f.Size(), 6);
    char buf[2];
    EXPECT_EQ(f.Read(buf, 2), c.canRead ? 2 : 0);  // a failed read reports 0, never -1
    f.SetPosition(0);
    EXPECT_EQ(f.Write("A", 1), c.canWrite ? 1 : 0);
    if (!c.canWrite) {
      EXPECT_THROW(f.WriteBuffer("A", 1), EWriteError);
    }
  }
  EXPECT_EQ(ReadFileBytes(path), "Abcdef");
}

TEST(FileStream, SixtyFourBitOffsetsAndSetSize) {
  TempDir dir;
  const auto path = (dir / "big.bin").string();
  const int64_t fiveGiB = int64_t(5) << 30;
  {
    TFileStream f(path, fmCreate);
    EXPECT_EQ(f.Seek(fiveGiB, soBeginning), fiveGiB);
    f.WriteBuffer("!", 1);  // sparse: no 5 GiB of real blocks
    EXPECT_EQ(f.Size(), fiveGiB + 1);
    EXPECT_EQ(f.Position(), fiveGiB + 1);
    f.SetSize(3);
    EXPECT_EQ(f.Position(), 3);
    EXPECT_EQ(f.Size(), 3);
  }
  EXPECT_EQ(fs::file_size(path), 3u);
}

TEST(HandleStream, FailedCallsNeverReportNegativeCounts) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  THandleStream writeEnd(fds[1]);
  THandleStream readEnd(fds[0]);
  char buf[8];
  EXPECT_EQ(writeEnd.Read(buf, 8), 0);     // EBADF on a write-only end
  EXPECT_EQ(readEnd.Write("x", 1), 0);     // and the other way round
  EXPECT_EQ(readEnd.Seek(0, soCurrent), -1);  // pipes cannot seek
  EXPECT_EQ(writeEnd.Write("abc", 3), 3);
  ::close(fds[1]);
  EXPECT_EQ(readEnd.Read(buf, 8), 3);  // end of data after the writer closed
  ::close(fds[0]);
  THandleStream closed(fds[0]);
  EXPECT_EQ(closed.Read(buf, 8), 0);
}

// ---- WriteFileAtomically ----------------------------------------------------------------------

std::vector<std::string> FolderEntries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WriteFileAtomically, ReplacesContentsAndKeepsPermissions) {
  TempDir dir;
  const auto path = dir / "a.ini";
  WriteFileBytes(path, "old contents that are longer");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const std::string data = "new";
  WriteFileAtomically(path.string(), data.data(), data.size());
  EXPECT_EQ(ReadFileBytes(path), "new");
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"a.ini"});
}

TEST(WriteFileAtomically, CreatesNewFileWithUmaskPermissions) {
  TempDir dir;
  const auto path = dir / "n.bin";
  const mode_t mask = ::umask(022);
  WriteFileAtomically(path.string(), "xyz", 3);
  ::umask(mask);
  EXPECT_EQ(ReadFileBytes(path), "xyz");
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0644));
}

TEST(WriteFileAtomically, WritesThroughSymbolicLinks) {
  TempDir dir;
  WriteFileBytes(dir / "real.txt", "old");
  fs::create_symlink("real.txt", dir / "link.txt");
  WriteFileAtomically((dir / "link.txt").string(), "new", 3);
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(ReadFileBytes(dir / "real.txt"), "new");
}

TEST(WriteFileAtomically, FailuresLeaveNoTraceAndRaise) {
  TempDir dir;
  fs::create_directory(dir / "sub");
  WriteFileBytes(dir / "sub" / "keep.txt", "kept");
  EXPECT_THROW(WriteFileAtomically((dir / "missing" / "x.txt").string(), "d", 1), EFCreateError);
  EXPECT_THROW(WriteFileAtomically((dir / "sub").string(), "d", 1), EFCreateError);
  EXPECT_THROW(WriteFileAtomically("", "d", 1), EFCreateError);
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"sub"});
  EXPECT_EQ(FolderEntries(dir / "sub"), std::vector<std::string>{"keep.txt"});
}

// A file-size limit makes the write itself fail after the temporary file exists, even for root.
TEST(WriteFileAtomically, WriteFailureKeepsOldContents) {
  TempDir dir;
  const auto path = dir / "cfg.ini";
  WriteFileBytes(path, "old");
  const std::string big = Pattern(100000);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool raised = false;
  try {
    WriteFileAtomically(path.string(), big.data(), big.size());
  } catch (const EWriteError& e) {
    raised = true;
    EXPECT_NE(e.Message().find("File too large"), std::string::npos) << e.Message();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(raised);
  EXPECT_EQ(ReadFileBytes(path), "old");
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"cfg.ini"});
}

TEST(WriteFileAtomically, UnwritableFolderKeepsOldContents) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempDir dir;
  fs::create_directory(dir / "ro");
  WriteFileBytes(dir / "ro" / "f.txt", "old");
  fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(WriteFileAtomically((dir / "ro" / "f.txt").string(), "new", 3), EFCreateError);
  fs::permissions(dir / "ro", fs::perms::owner_all);
  EXPECT_EQ(ReadFileBytes(dir / "ro" / "f.txt"), "old");
  EXPECT_EQ(FolderEntries(dir / "ro"), std::vector<std::string>{"f.txt"});
}

}  // namespace
