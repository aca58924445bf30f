#include "imaging/core/iefilestorage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <regex>

#include "platform/rtl/sysutils.h"
#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

// Points TMPDIR at a fresh folder for the test's lifetime.
class TempFolderTest : public ::testing::Test {
protected:
  void SetUp() override { env_.Set("TMPDIR", dir_.Path().string()); }
  void TearDown() override { IETempDirectory.clear(); }
  size_t FilesInFolder() const { return size_t(std::distance(fs::directory_iterator(dir_.Path()), {})); }

  testsupport::TempDir dir_;
  ScopedEnv env_;
};

size_t OpenDescriptors() { return size_t(OpenHandleCount()); }

std::string Bytes(const void* p, size_t n) { return std::string(static_cast<const char*>(p), n); }

using TIEFileBufferTest = TempFolderTest;

TEST_F(TIEFileBufferTest, TheFileIsNamedInTheTemporaryFolderAndNeverLeftThere) {
  TIEFileBuffer buffer;
  ASSERT_TRUE(buffer.AllocateFile("IMG", true, 30000));
  EXPECT_TRUE(buffer.IsAllocated());
  const std::regex name(std::regex_replace(dir_.Path().string(), std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
                        "/IMG-[0-9A-F]{8}\\.tmp");
  EXPECT_TRUE(std::regex_match(buffer.FileName(), name)) << buffer.FileName();
  // Unlinked at once: the open handle alone holds the space.
  EXPECT_EQ(FilesInFolder(), 0u);

  testsupport::TempDir other;
  IETempDirectory = other.Path().string();
  ASSERT_TRUE(buffer.AllocateFile("IMG", true, 100));
  EXPECT_EQ(fs::path(buffer.FileName()).parent_path(), other.Path());
  buffer.Close();
  EXPECT_FALSE(buffer.IsAllocated());
  EXPECT_FALSE(buffer.FileName().empty());
}

TEST_F(TIEFileBufferTest, AllocatingAgainClosesTheFirstFile) {
  TIEFileBuffer buffer;
  ASSERT_TRUE(buffer.AllocateFile("IMG", true, 4096));
  const size_t once = OpenDescriptors();
  const std::string first = buffer.FileName();
  ASSERT_TRUE(buffer.AllocateFile("IMG", true, 4096));
  EXPECT_EQ(OpenDescriptors(), once);
  EXPECT_NE(buffer.FileName(), first);
  buffer.Close();
  EXPECT_EQ(OpenDescriptors(), once - 1);
}

TEST_F(TIEFileBufferTest, FailuresAnswerFalse) {
  TIEFileBuffer buffer;
  IETempDirectory = (dir_.Path() / "missing").string();
  EXPECT_FALSE(buffer.AllocateFile("IMG", true, 100));
  EXPECT_FALSE(buffer.IsAllocated());
  IETempDirectory.clear();
  // Far more than any disk holds: refused, nothing kept open.
  const size_t before = OpenDescriptors();
  EXPECT_FALSE(buffer.AllocateFile("IMG", true, INT64_MAX / 2));
  EXPECT_FALSE(buffer.IsAllocated());
  EXPECT_EQ(OpenDescriptors(), before);
  EXPECT_FALSE(buffer.AllocateFile("IMG", false, INT64_MAX / 2));
  EXPECT_FALSE(buffer.AllocateFile("IMG", true, -1));
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(TIEFileBufferTest, APlantedLinkIsNeverFollowed) {
  const fs::path target = dir_ / "victim";
  testsupport::WriteFileBytes(target, "keep");
  const fs::path link = dir_ / "IMG-00000001.tmp";
  fs::create_symlink(target, link);
  try {
    TIETemporaryFileStream s(link.string());
    FAIL() << "opened through a planted link";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Unable to create " + link.string());
    EXPECT_EQ(e.ErrorCode(), EEXIST);
  }
  EXPECT_EQ(testsupport::ReadFileBytes(target), "keep");
  EXPECT_TRUE(fs::is_symlink(link));
}

// Views behave alike over a temporary file and over a memory stream.
class TIEFileBufferViews : public TempFolderTest, public ::testing::WithParamInterface<bool> {};

TEST_P(TIEFileBufferViews, AccessBitsDecideReadAndWriteBack) {
  TIEFileBuffer buffer;
  ASSERT_TRUE(buffer.AllocateFile("IMG", GetParam(), 64));
  // Write-only: overwrites its range on release.
  auto* w = static_cast<uint8_t*>(buffer.GetView(ieViewWrite, 8, 16));
  std::memcpy(w, "ABCDEFGH", 8);
  buffer.ReleaseView(w);
  // Read-only: sees the file, its changes are never written back.
  auto* r = static_cast<uint8_t*>(buffer.GetView(ieViewRead, 8, 16));
  EXPECT_EQ(Bytes(r, 8), "ABCDEFGH");
  std::memcpy(r, "xxxxxxxx", 8);
  buffer.ReleaseView(r);
  // Read and write, overlapping: the view released last wins.
  auto* a = static_cast<uint8_t*>(buffer.GetView(ieViewRead | ieViewWrite, 8, 12));
  auto* b = static_cast<uint8_t*>(buffer.GetView(ieViewRead | ieViewWrite, 8, 16));
  EXPECT_EQ(Bytes(a, 8), std::string(4, '\0') + "ABCD");
  std::memcpy(a, "11111111", 8);
  std::memcpy(b, "22222222", 8);
  EXPECT_EQ(buffer.ViewCount(), 2);
  buffer.ReleaseView(a);
  buffer.ReleaseView(b);
  auto* check = static_cast<uint8_t*>(buffer.GetView(ieViewRead, 16, 12));
  EXPECT_EQ(Bytes(check, 16), "1111" + std::string(8, '2') + std::string(4, '\0'));
  EXPECT_EQ(buffer.FindView(check), 0);
  buffer.ReleaseView(check);
  EXPECT_EQ(buffer.ViewCount(), 0);
  EXPECT_THROW(buffer.ReleaseView(check), EListError);
}

INSTANTIATE_TEST_SUITE_P(FileAndMemory, TIEFileBufferViews, ::testing::Bool());

TEST_F(TIEFileBufferTest, CopyToMovesTheRangeBetweenStores) {
  constexpr int64_t kSize = 2 * 1048576 + 123;  // more than one chunk, and a short last one
  TIEFileBuffer a, b, empty;
  ASSERT_TRUE(a.AllocateFile("IMG", true, kSize));
  ASSERT_TRUE(b.AllocateFile("IMG", true, kSize));
  auto* v = static_cast<uint8_t*>(a.GetView(ieViewWrite, kSize, 0));
  for (int64_t i = 0; i < kSize; ++i) v[i] = uint8_t(i * 7 + i / 1000);
  const std::string expected = Bytes(v, size_t(kSize));
  // An outstanding writable view is written back before the copy.
  a.CopyTo(b, kSize - 10, 10);
  EXPECT_EQ(a.ViewCount(), 0);
  auto* r = static_cast<uint8_t*>(b.GetView(ieViewRead, kSize, 0));
  EXPECT_EQ(Bytes(r, 10), std::string(10, '\0'));
  EXPECT_EQ(Bytes(r + 10, size_t(kSize - 10)), expected.substr(10));
  b.ReleaseView(r);

  // With an empty side, or nothing to move, the target stays as it was.
  a.CopyTo(empty, kSize, 0);
  empty.CopyTo(b, kSize, 0);
  TIEFileBuffer c;
  ASSERT_TRUE(c.AllocateFile("IMG", true, 16));
  a.CopyTo(c, 0, 0);
  auto* z = static_cast<uint8_t*>(c.GetView(ieViewRead, 16, 0));
  EXPECT_EQ(Bytes(z, 16), std::string(16, '\0'));
  c.ReleaseView(z);
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST(IEGetPhysicalMemory, TotalAndAvailable) {
  const uint64_t total = IEGetPhysicalMemory(false);
  const uint64_t available = IEGetPhysicalMemory(true);
  EXPECT_EQ(total, TotalPhysicalMemory());
  EXPECT_GT(available, 0u);
  EXPECT_LE(available, total);
}

}  // namespace
