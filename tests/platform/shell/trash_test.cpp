#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <regex>

#include "platform/shell/trash.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/trash_fixture.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

ino_t InodeOf(const fs::path& p) {
  struct stat st {};
  return lstat(p.c_str(), &st) == 0 ? st.st_ino : 0;
}

dev_t DeviceOf(const fs::path& p) {
  struct stat st {};
  return stat(p.c_str(), &st) == 0 ? st.st_dev : 0;
}

// Checks one .trashinfo record against the path it must name (already escaped by hand).
void ExpectInfo(const fs::path& info, const std::string& escapedPath) {
  const std::string text = testsupport::ReadFileBytes(info);
  const std::regex form("\\[Trash Info\\]\nPath=(.*)\nDeletionDate=(\\d{4})-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(text, m, form)) << text;
  EXPECT_EQ(m[1].str(), escapedPath);
  EXPECT_GE(std::stoi(m[2].str()), 2024);
}

}  // namespace

TEST_F(TrashFixture, FileMovesIntoTheHomeTrashWithItsRecord) {
  const fs::path file = tmp / "docs" / "Bild 1#ä.mpo";
  testsupport::WriteFileBytes(file, "stereo");
  const ino_t inode = InodeOf(file);
  ASSERT_TRUE(MoveToTrash(file.string()));
  EXPECT_FALSE(fs::exists(file));
  const fs::path moved = trash / "files" / "Bild 1#ä.mpo";
  EXPECT_EQ(testsupport::ReadFileBytes(moved), "stereo");
  EXPECT_EQ(InodeOf(moved), inode) << "moved, not copied and deleted";
  ExpectInfo(trash / "info" / "Bild 1#ä.mpo.trashinfo", (tmp / "docs").string() + "/Bild%201%23%C3%A4.mpo");
  EXPECT_EQ(fs::status(trash).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(TrashFixture, NamesAlreadyInTheTrashGetANumber) {
  const fs::path first = tmp / "docs" / "a.jpg", second = tmp / "docs" / "other" / "a.jpg";
  const fs::path third = tmp / "docs" / "a.jpg";
  testsupport::WriteFileBytes(first, "1");
  ASSERT_TRUE(MoveToTrash(first.string()));
  testsupport::WriteFileBytes(second, "2");
  ASSERT_TRUE(MoveToTrash(second.string()));
  testsupport::WriteFileBytes(third, "3");
  std::string trashedAs;
  ASSERT_TRUE(MoveToTrash(third.string(), &trashedAs));
  EXPECT_EQ(trashedAs, (trash / "files" / "a.3.jpg").string());
  EXPECT_EQ(testsupport::ReadFileBytes(trash / "files" / "a.jpg"), "1");
  EXPECT_EQ(testsupport::ReadFileBytes(trash / "files" / "a.2.jpg"), "2");
  EXPECT_EQ(testsupport::ReadFileBytes(trash / "files" / "a.3.jpg"), "3");
  ExpectInfo(trash / "info" / "a.2.jpg.trashinfo", (tmp / "docs" / "other" / "a.jpg").string());
  ExpectInfo(trash / "info" / "a.3.jpg.trashinfo", (tmp / "docs" / "a.jpg").string());
}

TEST_F(TrashFixture, MissingFileFails) {
  EXPECT_FALSE(MoveToTrash((tmp / "docs" / "none.jpg").string()));
  EXPECT_FALSE(fs::exists(trash / "info" / "none.jpg.trashinfo"));
}

TEST_F(TrashFixture, UnusableHomeTrashFailsWithoutDeleting) {
  // The trash folder's place is taken by a file.
  fs::create_directories(tmp / "share");
  testsupport::WriteFileBytes(trash, "not a folder");
  const fs::path file = tmp / "docs" / "keep.jpg";
  testsupport::WriteFileBytes(file, "k");
  EXPECT_FALSE(MoveToTrash(file.string()));
  EXPECT_EQ(testsupport::ReadFileBytes(file), "k");
}

// A file on another file system goes to that file system's top-folder trash.
TEST_F(TrashFixture, OtherFileSystemUsesItsTopFolderTrash) {
  const fs::path shm = "/dev/shm";
  if (!fs::is_directory(shm) || DeviceOf(shm) == DeviceOf(tmp.Path()) || access(shm.c_str(), W_OK) != 0)
    GTEST_SKIP() << "no writable second file system at /dev/shm";
  const fs::path top = shm;
  const fs::path own = top / (".Trash-" + std::to_string(getuid()));
  const bool existed = fs::exists(own) || fs::exists(top / ".Trash");
  if (existed) GTEST_SKIP() << own << " or a shared .Trash exists already; not touching it";
  const fs::path folder = top / ("duplexion-trash-test-" + std::to_string(getpid()));
  fs::create_directory(folder);
  const fs::path file = folder / "r 1.jpg";
  testsupport::WriteFileBytes(file, "right");
  const bool moved = MoveToTrash(file.string());
  const std::string content = testsupport::ReadFileBytes(own / "files" / "r 1.jpg");
  const std::string info = testsupport::ReadFileBytes(own / "info" / "r 1.jpg.trashinfo");
  const bool homeUntouched = !fs::exists(trash / "files");
  // A file sitting where the per-user trash would go makes the trash unusable.
  fs::remove_all(own);
  testsupport::WriteFileBytes(own, "in the way");
  testsupport::WriteFileBytes(file, "again");
  const bool movedAgain = MoveToTrash(file.string());
  const bool stayed = testsupport::ReadFileBytes(file) == "again";
  fs::remove_all(own);
  fs::remove_all(folder);

  EXPECT_TRUE(moved);
  EXPECT_EQ(content, "right");
  // Top-folder records name the file relative to the top folder.
  EXPECT_NE(info.find("\nPath=" + folder.filename().string() + "/r%201.jpg\n"), std::string::npos) << info;
  EXPECT_TRUE(homeUntouched);
  EXPECT_FALSE(movedAgain);
  EXPECT_TRUE(stayed);
}
