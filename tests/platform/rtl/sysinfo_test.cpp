// Folder listings, file identities and the machine's figures, each checked
// against the kernel's own answer.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "platform/rtl/sysutils.h"
#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

int64_t FileTime(const timespec& t) { return (t.tv_sec + 11644473600LL) * 10000000LL + t.tv_nsec / 100; }

std::map<std::string, TSearchRec> List(const std::string& path, uint32_t attr) {
  std::map<std::string, TSearchRec> out;
  TSearchRec rec;
  for (int r = FindFirst(path, attr, rec); r == 0; r = FindNext(rec)) out[rec.Name] = rec;
  FindClose(rec);
  return out;
}

}  // namespace

TEST(FindFirst, ReportsEachKindOfEntry) {
  testsupport::TempDir tmp;
  testsupport::WriteFileBytes(tmp / "plain.jpg", "12345");
  testsupport::WriteFileBytes(tmp / ".hidden.jpg", "1");
  testsupport::WriteFileBytes(tmp / "locked.jpg", "12");
  fs::permissions(tmp / "locked.jpg", fs::perms::owner_write, fs::perm_options::remove);
  fs::create_directory(tmp / "folder");
  fs::create_directory_symlink(tmp / "folder", tmp / "linked");
  fs::create_symlink(tmp / "plain.jpg", tmp / "alias.jpg");
  const timespec times[2] = {{990297401, 0}, {990297402, 500}};
  ASSERT_EQ(utimensat(AT_FDCWD, (tmp / "plain.jpg").c_str(), times, 0), 0);

  const auto all = List((tmp / "*").string(), faAnyFile);
  struct Row {
    const char* Name;
    uint32_t Attr;
    int64_t Size;
  } rows[] = {
      {"plain.jpg", 0, 5},
      {".hidden.jpg", faHidden, 1},
      {"locked.jpg", faReadOnly, 2},
      {"folder", faDirectory, 0},
      {"linked", faDirectory | faReparsePoint, 0},
      {"alias.jpg", faReparsePoint, 5},
      {".", faDirectory | faHidden, 0},
      {"..", faDirectory | faHidden, 0},
  };
  ASSERT_EQ(all.size(), std::size(rows));
  for (const Row& r : rows) {
    ASSERT_TRUE(all.count(r.Name)) << r.Name;
    EXPECT_EQ(all.at(r.Name).Attr, r.Attr) << r.Name;
    EXPECT_EQ(all.at(r.Name).Size, r.Size) << r.Name;
  }
  // A link reports its target's times.
  for (const char* name : {"plain.jpg", "alias.jpg"}) {
    EXPECT_EQ(all.at(name).LastWriteTime, FileTime(times[1])) << name;
    EXPECT_EQ(all.at(name).LastAccessTime, FileTime(times[0])) << name;
  }

  // Hidden entries and folders only when asked for; the pattern picks names.
  const auto plain = List((tmp / "*").string(), 0);
  EXPECT_EQ(plain.size(), 3u);  // plain.jpg, locked.jpg, alias.jpg
  EXPECT_FALSE(plain.count(".hidden.jpg") || plain.count("folder"));
  const auto jpgs = List((tmp / "*.jpg").string(), faHidden);
  EXPECT_EQ(jpgs.size(), 4u);
  EXPECT_EQ(List((tmp / "pl?in.jpg").string(), 0).size(), 1u);

  TSearchRec rec;
  EXPECT_EQ(FindFirst((tmp / "none" / "*").string(), faAnyFile, rec), ENOENT);
  EXPECT_EQ(FindFirst((tmp / "*.png").string(), faAnyFile, rec), ENOENT);
  EXPECT_EQ(FindNext(rec), EBADF) << "a failed FindFirst leaves nothing open";
  fs::permissions(tmp / "locked.jpg", fs::perms::owner_write, fs::perm_options::add);
}

TEST(ReadFileIdentity, MatchesTheKernelsRecord) {
  testsupport::TempDir tmp;
  testsupport::WriteFileBytes(tmp / "one.jpg", "12345");
  ASSERT_EQ(link((tmp / "one.jpg").c_str(), (tmp / "two.jpg").c_str()), 0);
  fs::create_symlink(tmp / "one.jpg", tmp / "link.jpg");
  const timespec times[2] = {{990297401, 0}, {990297401, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, (tmp / "one.jpg").c_str(), times, 0), 0);
  struct stat st {}, lst {};
  ASSERT_EQ(stat((tmp / "one.jpg").c_str(), &st), 0);
  ASSERT_EQ(lstat((tmp / "link.jpg").c_str(), &lst), 0);

  TFileIdentity id;
  int error = 0;
  ASSERT_TRUE(ReadFileIdentity((tmp / "link.jpg").string(), false, id, error));
  EXPECT_EQ(id.FileID, uint64_t(st.st_ino));
  EXPECT_EQ(id.Device, uint64_t(st.st_dev));
  EXPECT_EQ(id.LinkCount, 2u);
  EXPECT_EQ(id.Size, 5);
  EXPECT_FALSE(id.Directory);
  EXPECT_EQ(id.LastWriteTime, 126347710010000000ll);
  EXPECT_EQ(id.LastAccessTime, 126347710010000000ll);
  ASSERT_TRUE(ReadFileIdentity((tmp / "link.jpg").string(), true, id, error));
  EXPECT_EQ(id.FileID, uint64_t(lst.st_ino)) << "the link itself";
  ASSERT_TRUE(ReadFileIdentity(tmp.Path().string(), false, id, error));
  EXPECT_TRUE(id.Directory);
  EXPECT_EQ(id.Size, 0);
  EXPECT_FALSE(ReadFileIdentity((tmp / "none").string(), false, id, error));
  EXPECT_EQ(error, ENOENT);
}

TEST(SystemFigures, AgreeWithTheKernel) {
  EXPECT_EQ(TotalPhysicalMemory(), uint64_t(sysconf(_SC_PHYS_PAGES)) * uint64_t(sysconf(_SC_PAGESIZE)));
  EXPECT_GT(AvailablePhysicalMemory(), 0u);
  EXPECT_LE(AvailablePhysicalMemory(), TotalPhysicalMemory());
  EXPECT_GE(ProcessorCoreCount(), 1);
  EXPECT_LE(ProcessorCoreCount(), int32_t(sysconf(_SC_NPROCESSORS_CONF)));

  testsupport::TempDir tmp;
  struct statvfs fs {};
  ASSERT_EQ(statvfs(tmp.Path().c_str(), &fs), 0);
  uint64_t free = 0;
  ASSERT_TRUE(FreeDiskSpace(tmp.Path().string(), free));
  // Other processes write too: near the kernel's figure, not equal to it.
  const double expected = double(fs.f_bavail) * double(fs.f_frsize);
  EXPECT_NEAR(double(free), expected, 64.0 * 1048576.0);
  EXPECT_FALSE(FreeDiskSpace((tmp / "none").string(), free));

  const int before = OpenHandleCount();
  const int fd = open(tmp.Path().c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(OpenHandleCount(), before + 1);
  FileClose(fd);
  EXPECT_EQ(OpenHandleCount(), before);
}

TEST(TempFolder, FollowsTmpdir) {
  const struct {
    std::optional<std::string> Tmpdir;
    const char* Expected;
  } rows[] = {{"/var/scratch", "/var/scratch/"}, {"/var/scratch/", "/var/scratch/"}, {"", "/tmp/"}, {{}, "/tmp/"}};
  for (const auto& r : rows) {
    ScopedEnv env;
    env.Set("TMPDIR", r.Tmpdir);
    EXPECT_EQ(TempFolder(), r.Expected) << r.Tmpdir.value_or("(unset)");
  }
}

TEST(CreateUnlinkedTempFile, LeavesNoNameAndRefusesWhatIsThere) {
  testsupport::TempDir tmp;
  const std::string name = (tmp / "pixels.tmp").string();
  int error = 0;
  const int fd = CreateUnlinkedTempFile(name, error);
  ASSERT_GE(fd, 0) << SysErrorMessage(error);
  EXPECT_FALSE(fs::exists(name)) << "the name goes at once";
  struct stat st {};
  ASSERT_EQ(fstat(fd, &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(st.st_nlink, 0u);
  EXPECT_EQ(ReserveFileSpace(fd, 1 << 20), 0);
  ASSERT_EQ(fstat(fd, &st), 0);
  EXPECT_GE(int64_t(st.st_blocks) * 512, 1 << 20) << "the space is reserved, not sparse";
  FileClose(fd);

  // A file, or a link to one, already at the name is never opened.
  testsupport::WriteFileBytes(tmp / "taken", "keep");
  fs::create_symlink(tmp / "target", tmp / "trap");
  for (const char* n : {"taken", "trap"}) {
    error = 0;
    EXPECT_EQ(CreateUnlinkedTempFile((tmp / n).string(), error), -1) << n;
    EXPECT_EQ(error, EEXIST) << n;
  }
  EXPECT_EQ(testsupport::ReadFileBytes(tmp / "taken"), "keep");
  EXPECT_FALSE(fs::exists(tmp / "target"));
  EXPECT_EQ(CreateUnlinkedTempFile((tmp / "none" / "x").string(), error), -1);
  EXPECT_EQ(error, ENOENT);
}

TEST(ExitCodeOfStatus, ReadsHowAChildEnded) {
  EXPECT_EQ(ExitCodeOfStatus(std::system("exit 0")), 0);
  EXPECT_EQ(ExitCodeOfStatus(std::system("exit 3")), 3);
  EXPECT_EQ(ExitCodeOfStatus(std::system("kill -9 $$")), -1) << "killed, not exited";
  EXPECT_EQ(ExitCodeOfStatus(-1), -1);
}
