// Special folders, volumes and file searches over a scratch home.
#include "platform/shell/shellpaths.h"

#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <map>

#include "platform/rtl/taskmem.h"
#include "platform/shell/fileapi.h"
#include "platform/shell/shell.h"
#include "platform/shell/volumes.h"
#include "tests/support/shell_home.h"

namespace fs = std::filesystem;

TEST_F(ShellHomeFixture, SpecialFoldersExistOrYieldNothing) {
  // Desktop and templates from user-dirs.dirs; no documents folder anywhere.
  UserDirs("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Arbeitsfl\xC3\xA4" "che\"\n"
           "XDG_TEMPLATES_DIR=\"" + (home / "tpl").string() + "\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  fs::create_directories(home / "Arbeitsfl\xC3\xA4" "che");
  fs::create_directories(home / "tpl");
  fs::create_directories(data / "applications");
  const auto path = [](int32_t csidl) -> std::string {
    const auto items = SpecialFolderItems(csidl);
    if (!items) return "(none)";
    const auto p = PathOfItems(*items);
    return p ? *p : "(virtual)";
  };
  const struct {
    int32_t Csidl;
    std::string Expected;
  } rows[] = {
      {CSIDL_DESKTOP, (home / "Arbeitsfl\xC3\xA4" "che").string()},  // the desktop's parsing name
      {CSIDL_BITBUCKET, "(virtual)"},
      {CSIDL_DESKTOPDIRECTORY, (home / "Arbeitsfl\xC3\xA4" "che").string()},
      {CSIDL_DRIVES, "(virtual)"},
      {CSIDL_PRINTERS, "(virtual)"},
      {CSIDL_HISTORY, "(none)"},
      {CSIDL_CONTROLS, "(virtual)"},
      {CSIDL_NETWORK, "(virtual)"},
      {CSIDL_TEMPLATES, (home / "tpl").string()},
      {CSIDL_PERSONAL, "(none)"},  // named but missing
      {CSIDL_FAVORITES, "(none)"},
      {CSIDL_APPDATA, config.string()},
      {CSIDL_PROGRAMS, (data / "applications").string()},
      {99, "(none)"},
  };
  for (const auto& r : rows) EXPECT_EQ(path(r.Csidl), r.Expected) << r.Csidl;
  EXPECT_EQ(SpecialFolderItems(CSIDL_PRINTERS)->size(), 2u);
  // Without user-dirs.dirs the folders fall back to the home's defaults, when present.
  fs::remove(config / "user-dirs.dirs");
  EXPECT_EQ(path(CSIDL_DESKTOPDIRECTORY), "(none)");
  EXPECT_EQ(path(CSIDL_TEMPLATES), "(none)");
  fs::create_directories(home / "Desktop");
  fs::create_directories(home / "Documents");
  EXPECT_EQ(path(CSIDL_DESKTOPDIRECTORY), (home / "Desktop").string());
  EXPECT_EQ(path(CSIDL_PERSONAL), (home / "Documents").string());
  // Lines that are not well-formed are ignored.
  UserDirs("XDG_DESKTOP_DIR=relative/path\nXDG_TEMPLATES_DIR=\"not/absolute\"\n");
  EXPECT_EQ(XdgUserDir("DESKTOP"), "");
  EXPECT_EQ(XdgUserDir("TEMPLATES"), "");
}

TEST(Volumes, MountTableKeepsRealDevicesAndTheRoot) {
  testsupport::TempDir sys;
  fs::create_directories(sys / "sdb");
  fs::create_directories(sys / "nvme0n1");
  testsupport::WriteFileBytes(sys / "sdb" / "removable", "1\n");
  testsupport::WriteFileBytes(sys / "nvme0n1" / "removable", "0\n");
  const std::string table =
      "overlay / overlay rw 0 0\n"
      "proc /proc proc rw 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n"
      "/dev/nvme0n1p2 /home ext4 rw 0 0\n"
      "/dev/sdb1 /media/ada/USB\\040Stick vfat rw 0 0\n"
      "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
      "server:/export /mnt/nfs nfs rw 0 0\n"
      "garbage\n";
  const std::vector<TVolume> v = ParseMountTable(table, sys.Path().string());
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0].MountPath, "/");
  EXPECT_EQ(v[1].MountPath, "/home");
  EXPECT_FALSE(v[1].Removable);
  EXPECT_EQ(v[2].MountPath, "/media/ada/USB Stick");
  EXPECT_TRUE(v[2].Removable);
  EXPECT_EQ(VolumeOfPath(v, "/media/ada/USB Stick/DCIM/a.mpo"), &v[2]);
  EXPECT_EQ(VolumeOfPath(v, "/homework/a"), &v[0]) << "a prefix counts at folder boundaries only";
  EXPECT_EQ(VolumeOfPath(v, "/home"), &v[1]);
  // A table without the root still has it.
  EXPECT_EQ(ParseMountTable("").at(0).MountPath, "/");
}

TEST(DriveType, MissingRootsAndTheSharedTable) {
  EXPECT_EQ(GetDriveTypeW("/no/such/folder/anywhere"), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeW(""), DRIVE_NO_ROOT_DIR);
  // An existing folder gets the kind of its file system, as the viewer's own query does.
  testsupport::TempDir t;
  EXPECT_EQ(GetDriveTypeW(t.Path().string()), DriveTypeOfPath(t.Path().string()));
}

TEST(FileSearch, FindsEntriesWithTheirAttributes) {
  testsupport::TempDir t;
  testsupport::WriteFileBytes(t / "a.jpg", "12345");
  testsupport::WriteFileBytes(t / ".dot", "");
  fs::create_directories(t / "dir");
  fs::create_symlink("nowhere", t / "dangling");
  fs::create_symlink("self", t / "self");  // a loop of one
  struct Seen {
    uint32_t Attributes;
    uint64_t Size;
  };
  std::map<std::string, Seen> seen;
  TWin32FindData d;
  const TFindHandle h = FindFirstFileW((t / "*").string(), &d);
  ASSERT_NE(h, kInvalidFindHandle);
  do seen[d.cFileName] = {d.dwFileAttributes, d.nFileSize};
  while (FindNextFileW(h, &d));
  EXPECT_EQ(ShellFileError(), 18u);
  EXPECT_TRUE(FindClose(h));
  EXPECT_FALSE(FindClose(h));
  EXPECT_EQ(OpenFindHandleCount(), 0u);
  EXPECT_EQ(seen.size(), 7u) << "., .., and five entries";
  EXPECT_EQ(seen["a.jpg"].Attributes, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(seen["a.jpg"].Size, 5u);
  EXPECT_EQ(seen[".dot"].Attributes, FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(seen["dir"].Attributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(seen["dangling"].Attributes & FILE_ATTRIBUTE_REPARSE_POINT, FILE_ATTRIBUTE_REPARSE_POINT);
  EXPECT_EQ(seen["self"].Attributes & FILE_ATTRIBUTE_REPARSE_POINT, FILE_ATTRIBUTE_REPARSE_POINT);
  // A pattern, one named entry, and names that are not there.
  ASSERT_NE(FindFirstFileW((t / "*.JPG").string(), &d), kInvalidFindHandle - 1);
  const TFindHandle one = FindFirstFileW((t / "a.jpg").string(), &d);
  ASSERT_NE(one, kInvalidFindHandle);
  EXPECT_EQ(d.cFileName, "a.jpg");
  EXPECT_FALSE(FindNextFileW(one, &d));
  FindClose(one);
  EXPECT_EQ(FindFirstFileW((t / "missing.txt").string(), &d), kInvalidFindHandle);
  EXPECT_EQ(ShellFileError(), 2u);
  EXPECT_EQ(FindFirstFileW((t / "nodir" / "*").string(), &d), kInvalidFindHandle);
  EXPECT_EQ(FindFirstFileW("", &d), kInvalidFindHandle);
  EXPECT_FALSE(FindNextFileW(12345, &d));
  EXPECT_EQ(OpenFindHandleCount(), 0u);
}

TEST(FileAttributes, ByKindOfEntry) {
  testsupport::TempDir t;
  testsupport::WriteFileBytes(t / "a.jpg", "1");
  testsupport::WriteFileBytes(t / "ro", "1");
  fs::permissions(t / "ro", fs::perms::owner_read);
  fs::create_directories(t / ".cfg");
  fs::create_symlink("a.jpg", t / "link");
  fs::create_symlink("nowhere", t / "dangling");
  const struct {
    const char* Name;
    uint32_t Expected;
  } rows[] = {
      {"a.jpg", FILE_ATTRIBUTE_NORMAL},
      {"ro", FILE_ATTRIBUTE_READONLY},
      {".cfg", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN},
      {"link", FILE_ATTRIBUTE_REPARSE_POINT},
      {"dangling", FILE_ATTRIBUTE_REPARSE_POINT},
      {"missing", INVALID_FILE_ATTRIBUTES_VALUE},
  };
  for (const auto& r : rows) EXPECT_EQ(GetFileAttributesW((t / r.Name).string()), r.Expected) << r.Name;
  EXPECT_EQ(GetFileAttributesW(""), INVALID_FILE_ATTRIBUTES_VALUE);
}

TEST(EntryItems, OnlyNamesOfOneEntryInTheFolder) {
  testsupport::TempDir t;
  testsupport::WriteFileBytes(t / "a.jpg", "1");
  fs::create_directories(t / "sub");
  testsupport::WriteFileBytes(t / "sub" / "b.jpg", "1");
  ASSERT_TRUE(ItemOfEntry(t.Path().string(), "a.jpg"));
  // A NUL would cut the path short and give an item for another entry.
  for (const std::string& name : {std::string(), std::string("."), std::string(".."), std::string("sub/b.jpg"),
                                  std::string("a.jpg\0x", 7)}) {
    EXPECT_FALSE(ValidChildName(name)) << name;
    EXPECT_FALSE(ItemOfEntry(t.Path().string(), name)) << name;
  }
  EXPECT_TRUE(ValidChildName("..."));
  EXPECT_TRUE(ValidChildName(".hidden"));
}

TEST(DiskSpace, AgreesWithStatvfs) {
  testsupport::TempDir t;
  struct statvfs st {};
  ASSERT_EQ(statvfs(t.Path().c_str(), &st), 0);
  uint64_t avail = 0, total = 0, free = 0;
  ASSERT_TRUE(GetDiskFreeSpaceExW(t.Path().string(), &avail, &total, &free));
  EXPECT_EQ(total, uint64_t(st.f_blocks) * st.f_frsize);
  EXPECT_LE(avail, free);
  uint32_t spc = 0, bps = 0, freeClusters = 0, clusters = 0;
  ASSERT_TRUE(GetDiskFreeSpaceW(t.Path().string(), &spc, &bps, &freeClusters, &clusters));
  EXPECT_EQ(uint64_t(spc) * bps, st.f_frsize);
  EXPECT_FALSE(GetDiskFreeSpaceExW("/no/such/root", &avail, &total, &free));
}

TEST(ErrorModeAndDriveLetters, StoredAndAnswered) {
  const uint32_t before = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  EXPECT_EQ(SetErrorMode(before), SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  testsupport::TempDir t;
  EXPECT_FALSE(DriveIsReady('c'));
  ASSERT_TRUE(MapDriveLetter('c', t.Path().string()));
  EXPECT_TRUE(DriveIsReady('C'));
  EXPECT_EQ(DriveLetterFolder('C'), t.Path().string());
  ASSERT_TRUE(MapDriveLetter('C', (t / "gone").string()));
  EXPECT_FALSE(DriveIsReady('c'));
  MapDriveLetter('C', "");
  EXPECT_EQ(DriveLetterFolder('c'), "");
  EXPECT_FALSE(MapDriveLetter('1', "/"));
}
