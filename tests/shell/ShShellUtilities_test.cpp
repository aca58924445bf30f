// The namespace object over real files in a scratch home: the desktop and
// its parent, PIDLs made with a parent, names, cached attributes, sizes and
// their texts, cache resets, and files or folders that change or vanish
// between calls.
#include "shell/ShShellUtilities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/shell/folders/shlobj.h"
#include "platform/shell/pidl.h"
#include "platform/shell/places.h"
#include "platform/shell/shellinfo.h"
#include "platform/shell/shellpaths.h"
#include "platform/win/winuser.h"
#include "platform/rtl/scopeexit.h"
#include "platform/rtl/sysutils.h"
#include "shell/ShCommonObjects.h"
#include "tests/shell/pidl_bytes.h"
#include "tests/support/shell_home.h"

namespace fs = std::filesystem;

namespace {

struct Namespace : ShellHomeFixture {
  fs::path root;

  void SetUp() override {
    ShellHomeFixture::SetUp();
    root = tmp / "tree";
    fs::create_directories(root / "sub");
  }
  fs::path File(const std::string& name, size_t bytes) {
    const fs::path p = root / name;
    testsupport::WriteFileBytes(p, std::string(bytes, 'x'));
    return p;
  }
};

TEST_F(Namespace, TheDesktopIsItsOwnRelativeItemAndHasADesktopParent) {
  // The scratch home's desktop folder stands in for the one made at start-up.
  fs::create_directories(home / "Desktop");
  PIDL desktopDirectory = nullptr;
  ASSERT_EQ(win::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &desktopDirectory), win::S_OK);
  TNamespace desktopFolder(desktopDirectory, nullptr);
  TValueScope<TNamespace*> global(DesktopDirectoryFolder, &desktopFolder);
  TNamespace desktop(nullptr, nullptr);
  ASSERT_NE(desktop.AbsolutePIDL(), nullptr);
  EXPECT_EQ(desktop.RelativePIDL(), desktop.AbsolutePIDL());
  EXPECT_TRUE(desktop.IsDesktop());
  EXPECT_TRUE(desktop.OwnsPIDL());
  ASSERT_NE(DesktopDirectoryFolder, nullptr);
  EXPECT_EQ(desktop.ParsingName(), (home / "Desktop").string());
  EXPECT_EQ(desktop.ParsingName(), DesktopDirectoryFolder->ParsingName());
  TNamespace* parent = desktop.Parent();
  ASSERT_NE(parent, nullptr);
  EXPECT_TRUE(parent->IsDesktop());
  EXPECT_TRUE(desktop.States() & nsOwnsParent);
  EXPECT_FALSE(desktop.IsMyComputer());
}

TEST_F(Namespace, WithTheDesktopAsParentTheGivenPIDLIsBoth) {
  TNamespace desktop(nullptr, nullptr);
  PIDL drives = nullptr;
  ASSERT_EQ(win::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives), win::S_OK);
  TNamespace computer(drives, &desktop);
  EXPECT_EQ(computer.AbsolutePIDL(), drives);
  EXPECT_EQ(computer.RelativePIDL(), drives);
  EXPECT_EQ(computer.Parent(), &desktop);
  EXPECT_FALSE(computer.States() & nsOwnsParent);
  EXPECT_TRUE(computer.IsMyComputer());
  EXPECT_FALSE(computer.IsDesktop());
}

TEST_F(Namespace, AChildMadeWithItsFolderAsParentNamesTheSameFile) {
  const fs::path file = File("photo.jpg", 10);
  auto folder = TNamespace::CreateForPath(root.string());
  auto direct = TNamespace::CreateForPath(file.string());
  TNamespace child(CommonPIDLManager->CopyPIDL(direct->RelativePIDL()), folder.get());
  EXPECT_TRUE(ILIsEqual(child.AbsolutePIDL(), direct->AbsolutePIDL()));
  EXPECT_EQ(child.RelativePIDL(), CommonPIDLManager->LastItemPointer(child.AbsolutePIDL()));
  EXPECT_EQ(child.ParsingName(), file.string());
  EXPECT_EQ(child.ParsingNameInFolder(), "photo.jpg");
  EXPECT_EQ(child.InFolderName(), "photo.jpg");
  EXPECT_EQ(child.Extension(), ".jpg");
  EXPECT_EQ(child.FileName(), "photo.jpg");
  EXPECT_EQ(child.ShortFileName(), "PHOTO.JPG");
  EXPECT_TRUE(child.LiesUnderNamespace(folder.get(), true));
  EXPECT_TRUE(folder->ContainsNamespace(&child, false));
  EXPECT_FALSE(child.ContainsNamespace(folder.get(), false));
  // The clone names the same item over its own copy.
  auto clone = child.Clone(true);
  EXPECT_NE(clone->AbsolutePIDL(), child.AbsolutePIDL());
  EXPECT_TRUE(ILIsEqual(clone->AbsolutePIDL(), child.AbsolutePIDL()));
  EXPECT_EQ(clone->ParsingName(), file.string());
}

TEST_F(Namespace, CreateForPathOfSomethingMissingRaises) {
  fs::create_symlink(root / "nowhere", root / "dangling");
  const std::string cases[] = {(root / "missing.jpg").string(), (root / "gone" / "x.jpg").string(), ""};
  for (const std::string& path : cases) {
    try {
      TNamespace::CreateForPath(path);
      ADD_FAILURE() << "no exception for '" << path << "'";
    } catch (const EVSTInvalidFileName& e) {
      EXPECT_EQ(e.Message(), "Trying to create a TNamespace on a non existant File object") << path;
    }
  }
}

TEST_F(Namespace, FileSizeTexts) {
  struct Case {
    size_t Bytes;
    const char* KB;
    const char* Size;
  };
  const Case cases[] = {
      {0, "1 KB", "0"},          {1, "1 KB", "1"},
      {1536, "2 KB", "1,536"},   {2560, "3 KB", "2,560"},  // 1.5 and 2.5 round away from zero
      {2559, "2 KB", "2,559"},   {1234567, "1,206 KB", "1,234,567"},
  };
  for (const Case& c : cases) {
    const fs::path p = File("f" + std::to_string(c.Bytes), c.Bytes);
    auto ns = TNamespace::CreateForPath(p.string());
    EXPECT_EQ(ns->FileSizeBytes(), int64_t(c.Bytes));
    EXPECT_EQ(ns->FileSizeKBText(), c.KB) << c.Bytes;
    EXPECT_EQ(ns->FileSizeText(), c.Size) << c.Bytes;
  }
  // A folder is no browsable folder: no size texts.
  auto folder = TNamespace::CreateForPath((root / "sub").string());
  EXPECT_TRUE(folder->Folder());
  EXPECT_EQ(folder->FileSizeText(), "");
  EXPECT_EQ(folder->FileSizeKBText(), "");
}

TEST_F(Namespace, DiskUsageRoundsUpToWholeClusters) {
  int status = -1;
  const std::string out = testsupport::RunCommand("stat -f -c %S " + root.string(), &status);
  ASSERT_EQ(status, 0) << out;
  const int64_t cluster = std::stoll(out);
  ASSERT_GT(cluster, 0);
  const int64_t sizes[] = {1, cluster, cluster + 1};
  for (int64_t size : sizes) {
    const fs::path p = File("u" + std::to_string(size), size_t(size));
    auto ns = TNamespace::CreateForPath(p.string());
    const int64_t used = (size + cluster - 1) / cluster * cluster;
    EXPECT_EQ(ns->DiskUsageText(), Format("%0.0n", static_cast<long double>(used))) << size;
  }
  // Once the file is gone the drive query fails: the plain size text stands in.
  const fs::path gone = File("gone.bin", 3);
  auto ns = TNamespace::CreateForPath(gone.string());
  EXPECT_EQ(ns->FileSizeText(), "3");
  fs::remove(gone);
  EXPECT_EQ(ns->DiskUsageText(), "3");
}

TEST_F(Namespace, AttributesAreAskedOnceThenCached) {
  const fs::path p = File("doomed.txt", 5);
  auto ns = TNamespace::CreateForPath(p.string());
  EXPECT_FALSE(ns->Queried(cFileSystem));
  EXPECT_TRUE(ns->FileSystem());
  EXPECT_FALSE(ns->Folder());
  EXPECT_TRUE(ns->CanRename());
  EXPECT_TRUE(ns->Queried(cFileSystem));
  EXPECT_TRUE(ns->Queried(cFolder));
  EXPECT_TRUE(ns->ShellCache().Data.AttributeValues & caFileSystem);
  EXPECT_FALSE(ns->ShellCache().Data.AttributeValues & caFolder);
  EXPECT_TRUE(ns->Valid());
  fs::remove(p);
  // The item is gone: a fresh, validating question says so; the cache still answers.
  EXPECT_FALSE(ns->TestAttributes(SFGAO_CANRENAME, false, true));
  EXPECT_FALSE(ns->Valid());
  EXPECT_TRUE(ns->CanRename());
  EXPECT_TRUE(ns->FileSystem());
}

TEST_F(Namespace, TypesAndAttributeLetters) {
  const fs::path jpg = File("a.jpg", 3);
  const fs::path hidden = File(".hidden", 3);
  auto file = TNamespace::CreateForPath(jpg.string());
  EXPECT_EQ(file->FileType(), ".JPG File");
  // Linux files carry no archive bit.
  EXPECT_EQ(file->AttributeLetters(), "");
  EXPECT_TRUE(file->Normal());
  auto dot = TNamespace::CreateForPath(hidden.string());
  EXPECT_EQ(dot->AttributeLetters(), "H");
  EXPECT_EQ(dot->AttributeLetters(false), "h");
  EXPECT_TRUE(dot->Hidden());
  auto folder = TNamespace::CreateForPath((root / "sub").string());
  EXPECT_EQ(folder->FileType(), "Folder");
  EXPECT_TRUE(folder->Directory());
  EXPECT_FALSE(folder->Archive());
  // Virtual items have no file attributes at all.
  ASSERT_NE(DrivesFolder, nullptr);
  EXPECT_EQ(DrivesFolder->AttributeLetters(), "");
  EXPECT_EQ(DrivesFolder->FileSizeText(), "");
}

TEST_F(Namespace, FileTimesComeFromTheFile) {
  const fs::path p = File("dated.txt", 1);
  fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::hours(24 * 400));
  auto ns = TNamespace::CreateForPath(p.string());
  const auto ft = fs::last_write_time(p);
  const auto unixSeconds = std::chrono::duration_cast<std::chrono::seconds>(
                               std::chrono::file_clock::to_sys(ft).time_since_epoch())
                               .count();
  // File times count 100 ns from 1601: 11644473600 seconds before 1970.
  EXPECT_EQ(ns->LastWriteFileTime() / 10000000 - 11644473600LL, unixSeconds);
  EXPECT_FALSE(ns->LastWriteTimeText().empty());
  EXPECT_NE(ns->LastWriteTime(), 0.0);
}

TEST_F(Namespace, AFileThatGrowsKeepsItsCachedSizeUntilCleared) {
  const fs::path p = File("grows.bin", 100);
  auto ns = TNamespace::CreateForPath(p.string());
  EXPECT_EQ(ns->FileSizeBytes(), 100);
  File("grows.bin", 5000);
  EXPECT_EQ(ns->FileSizeBytes(), 100);
  ns->ClearCachedProperties();
  EXPECT_FALSE(ns->Queried(cFileSize));
  EXPECT_EQ(ns->FileSizeBytes(), 5000);
  EXPECT_EQ(ns->FileSizeKBText(), "5 KB");
}

TEST_F(Namespace, AFolderRemovedBetweenCalls) {
  File("sub/inner.txt", 2048);
  auto folder = TNamespace::CreateForPath((root / "sub").string());
  ASSERT_NE(folder->ShellFolder(), nullptr);
  EXPECT_EQ(folder->FolderSize(false, true), 2048);
  const std::string name = folder->InFolderName();
  fs::remove_all(root / "sub");
  EXPECT_FALSE(folder->Valid());
  EXPECT_EQ(folder->InFolderName(), name);
  EXPECT_EQ(folder->FolderSize(false, true), 2048);  // cached until asked to refresh
  EXPECT_EQ(folder->FolderSize(true, true), 0);
  folder->ResetCaches(true);
  EXPECT_FALSE(folder->Valid());
  EXPECT_EQ(folder->ParsingName(), (root / "sub").string());
}

TEST_F(Namespace, ResetCachesKeepsTheIconIndexesUnlessFull) {
  const fs::path p = File("icon.txt", 1);
  auto ns = TNamespace::CreateForPath(p.string());
  ns->SetIconIndex(7, true);
  EXPECT_TRUE(ns->IconAssigned());
  EXPECT_TRUE(ns->IconChanged());
  ns->NormalName();
  ns->CanCopy();
  ns->ResetCaches(false);
  EXPECT_TRUE(ns->Queried(cIconIndex));
  EXPECT_EQ(ns->ShellCache().Data.IconIndex, 7);
  EXPECT_FALSE(ns->Queried(cNormalName));
  EXPECT_FALSE(ns->Queried(cCanCopy));
  EXPECT_TRUE(ns->IconAssigned());
  ns->ResetCaches(true);
  EXPECT_FALSE(ns->Queried(cIconIndex));
  EXPECT_FALSE(ns->IconAssigned());
  EXPECT_EQ(ns->BaseIconIndex(), 7);
  EXPECT_EQ(ns->ShellCache().Queried, 0u);
}

TEST_F(Namespace, DataIsOwnedAndFreed) {
  auto ns = TNamespace::CreateForPath(root.string());
  ns->SetData(new TObject, false);  // ASan reports a leak unless it is freed
  EXPECT_TRUE(ns->DataAssigned());
  ns->SetDataStale(true);
  ns->ClearCachedProperties();
  EXPECT_FALSE(ns->DataAssigned());
  EXPECT_FALSE(ns->DataStale());
  EXPECT_EQ(ns->GetData(), nullptr);
  ns->SetData(new TObject, true);
}

TEST_F(Namespace, InterfacesOfItemsAndFolders) {
  const fs::path p = File("tip.txt", 4);
  auto file = TNamespace::CreateForPath(p.string());
  auto folder = TNamespace::CreateForPath(root.string());
  // Cached: the same object twice.
  win::IQueryInfo* info = file->QueryInfoInterface();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(file->QueryInfoInterface(), info);
  ASSERT_NE(folder->DropTargetInterface(), nullptr);
  EXPECT_EQ(folder->DropTargetInterface(), folder->DropTargetInterface());
  ASSERT_NE(folder->ShellFolder2(), nullptr);
  EXPECT_TRUE(folder->States() & nsShellFolder2);
  // Not cached: a reference for the caller.
  win::IExtractIconW* icon = file->ExtractIconWInterface();
  ASSERT_NE(icon, nullptr);
  icon->Release();
  // A file's own folder is the one holding it, as is a folder's own.
  for (win::IShellFolder* holder : {file->ShellFolder(), folder->ShellFolder(), file->ParentShellFolder()}) {
    ASSERT_NE(holder, nullptr);
    win::STRRET name;
    ASSERT_EQ(holder->GetDisplayNameOf(file->RelativePIDL(), SHGDN_INFOLDER, &name), win::S_OK);
    EXPECT_EQ(win::StrRetToString(&name, file->RelativePIDL()), "tip.txt");
  }
  EXPECT_EQ(file->DescriptionID(), SHDID_FS_FILE);
  EXPECT_EQ(folder->DescriptionID(), SHDID_FS_DIRECTORY);
  ASSERT_NE(DrivesFolder, nullptr);
  EXPECT_TRUE(DrivesFolder->CLSID() == GUID_PidlComputer);
  EXPECT_TRUE(DrivesFolder->IsMyComputer());
  EXPECT_FALSE(folder->IsMyComputer());
  EXPECT_TRUE(file->LiesUnderNamespace(DrivesFolder, false));
  EXPECT_FALSE(file->LiesUnderNamespace(DrivesFolder, true));
  EXPECT_FALSE(file->OnRemovableDrive());
}

TEST_F(Namespace, MalformedPIDLsAnswerNothing) {
  struct Case {
    const char* What;
    Bytes Pidl;
  };
  const Case cases[] = {
      {"an item running past its block", {0x20, 0x00, 0x31, 0x00}},
      {"an item count of 1", {0x01, 0x00, 0x00, 0x00}},
      {"an unknown kind", List({Item({0x99, 0x00, 0x00, 0x00})})},
      {"two items, the second unknown", List({Item({0x10, 0, 1, 2}), Item({0x77, 0, 0})})},
  };
  for (const Case& c : cases) {
    TaskBlock block(c.Pidl);
    EXPECT_FALSE(IsFolderPIDL(block.get())) << c.What;
    auto* pidl = static_cast<uint8_t*>(TaskMemAlloc(c.Pidl.size()));
    std::copy(c.Pidl.begin(), c.Pidl.end(), pidl);
    TNamespace ns(pidl, nullptr);
    EXPECT_FALSE(ns.IsDesktop()) << c.What;
    EXPECT_EQ(ns.ParsingName(), "") << c.What;
    EXPECT_EQ(ns.NormalName(), "") << c.What;
    EXPECT_FALSE(ns.FileSystem()) << c.What;
    EXPECT_FALSE(ns.Folder()) << c.What;
    EXPECT_EQ(ns.FileSizeText(), "") << c.What;
    EXPECT_EQ(ns.FileSizeBytes(), 0) << c.What;
    EXPECT_EQ(ns.AttributeLetters(), "") << c.What;
    EXPECT_EQ(ns.FileName(), "") << c.What;
    ns.ShellFolder();
    ns.QueryInfoInterface();
    ns.ResetCaches(true);
  }
}

TEST_F(Namespace, CustomNamespacesHaveNoPIDL) {
  auto custom = TNamespace::CreateCustom(42, nullptr);
  EXPECT_EQ(custom->CustomID(), 42);
  EXPECT_EQ(custom->AbsolutePIDL(), nullptr);
  EXPECT_FALSE(custom->OwnsPIDL());
  EXPECT_FALSE(custom->States() & (nsShellDetails | nsShellFolder2));
  EXPECT_EQ(custom->ShellCache().Data.OverlayIndex, 0);
  EXPECT_EQ(custom->ShellFolder(), nullptr);
  EXPECT_EQ(custom->FileType(), " File");
  EXPECT_FALSE(custom->FileSystem());
  EXPECT_EQ(custom->NormalName(), "");
  EXPECT_TRUE(custom->Valid());
}

TEST_F(Namespace, TheDetailsInterfaceIsNotAskedForFromVersion6) {
  auto ns = TNamespace::CreateForPath(root.string());
  EXPECT_EQ(ns->ShellDetailsInterface(), nullptr);
  EXPECT_TRUE(ns->States() & nsShellDetails);
  win::ScopedPlatformVersion xp({win::VER_PLATFORM_WIN32_NT, 5, 1, 2600});
  EXPECT_EQ(ns->ShellDetailsInterface(), nullptr);
  EXPECT_FALSE(ns->States() & nsShellDetails);
}

TEST_F(Namespace, RefreshItemPIDLTakesTheFreshSnapshot) {
  const fs::path p = File("fresh.txt", 10);
  auto ns = TNamespace::CreateForPath(p.string());
  EXPECT_EQ(ns->FileSizeBytes(), 10);
  File("fresh.txt", 3000);
  ns->RefreshItemPIDL(0x7);
  auto items = PidlItems(ns->RelativePIDL());
  ASSERT_TRUE(items && items->size() == 1);
  EXPECT_EQ(items->front().Size, 3000u);
  EXPECT_EQ(ns->FileSizeBytes(), 3000);
}

}  // namespace
