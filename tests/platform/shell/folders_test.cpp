// The namespace's folders over a scratch home with real files: parsing and
// naming, attributes, enumeration, binding, comparing, renaming and columns.
#include "platform/shell/folders/shlobj.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <set>

#include "platform/rtl/sysutils.h"
#include "platform/rtl/taskmem.h"
#include "platform/shell/shellpaths.h"
#include "platform/shell/trash.h"
#include "tests/support/shell_home.h"

namespace fs = std::filesystem;
using namespace win;

namespace {

TComPtr<IShellFolder> Desktop() {
  TComPtr<IShellFolder> d;
  EXPECT_EQ(SHGetDesktopFolder(d.put()), S_OK);
  return d;
}

Pidl Parse(IShellFolder* folder, const std::string& name, HRESULT* hr = nullptr) {
  PIDL p = nullptr;
  const HRESULT r = folder->ParseDisplayName(nullptr, nullptr, name, nullptr, &p, nullptr);
  if (hr) *hr = r;
  return Pidl(p);
}

std::string Name(IShellFolder* folder, PCIDL pidl, uint32_t flags) {
  STRRET s;
  if (folder->GetDisplayNameOf(pidl, flags, &s) != S_OK) return "(failed)";
  return StrRetToString(&s);
}

TComPtr<IShellFolder2> Bind(const std::string& path) {
  TComPtr<IShellFolder> desktop = Desktop();
  const Pidl p = Parse(desktop.get(), path);
  TComPtr<IShellFolder2> f;
  if (p) {
    EXPECT_EQ(desktop->BindToObject(p.get(), nullptr, IID_IShellFolder2, f.put_void()), S_OK) << path;
  }
  return f;
}

// The child's one-item list as the folder hands it out.
Pidl Child(IShellFolder* folder, const std::string& name) { return Parse(folder, name); }

uint32_t Attributes(IShellFolder* folder, PCIDL child, uint32_t asked = 0xFFFFFFFF & ~SFGAO_VALIDATE) {
  ULONG a = asked;
  PCIDL one = child;
  if (folder->GetAttributesOf(1, &one, &a) != S_OK) return 0xDEADBEEF;
  return a;
}

std::set<std::string> Listed(IShellFolder* folder, uint32_t flags, HRESULT* hr = nullptr) {
  std::set<std::string> names;
  TComPtr<IEnumIDList> e;
  const HRESULT r = folder->EnumObjects(nullptr, flags, e.put());
  if (hr) *hr = r;
  if (r != S_OK) return names;
  PIDL p = nullptr;
  ULONG got = 0;
  while (e->Next(1, &p, &got) == S_OK && got == 1) {
    names.insert(Name(folder, p, SHGDN_INFOLDER | SHGDN_FORPARSING));
    TaskMemFree(p);
  }
  return names;
}

}  // namespace

struct FolderFixture : ShellHomeFixture {
  fs::path docs;
  void SetUp() override {
    ShellHomeFixture::SetUp();
    docs = home / "docs";
    fs::create_directories(docs / "sub");
    testsupport::WriteFileBytes(docs / "a.jpg", "12345");
    testsupport::WriteFileBytes(docs / ".hidden", "h");
    fs::create_directories(docs / ".hiddendir");
  }
};

TEST_F(FolderFixture, ParsedPathsGiveTheirPathBack) {
  fs::create_symlink("nowhere", docs / "dangling");
  fs::create_symlink("loop2", docs / "loop1");
  fs::create_symlink("loop1", docs / "loop2");
  const std::string odd = std::string("bad\xff\xfe") + "name", newline = "two\nlines";
  testsupport::WriteFileBytes(docs / odd, "x");
  testsupport::WriteFileBytes(docs / newline, "x");
  TComPtr<IShellFolder> desktop = Desktop();
  for (const std::string name : {"a.jpg", "sub", ".hidden", "dangling", "loop1", odd.c_str(), newline.c_str()}) {
    const std::string path = (docs / name).string();
    const Pidl p = Parse(desktop.get(), path);
    ASSERT_TRUE(p) << path;
    EXPECT_EQ(Name(desktop.get(), p.get(), SHGDN_FORPARSING), path);
    char buffer[260];
    ASSERT_TRUE(SHGetPathFromIDListW(p.get(), buffer));
    EXPECT_EQ(std::string(buffer), path);
    // [Computer][volume][directories...][name]
    const auto items = PidlItems(p.get());
    ASSERT_TRUE(items && items->size() >= 3);
    EXPECT_EQ((*items)[0].Kind, pkVirtualFolder);
    EXPECT_EQ((*items)[0].Folder, GUID_PidlComputer);
    EXPECT_EQ((*items)[1].Kind, pkVolume);
    EXPECT_EQ(items->back().Name, name);
  }
  // Text that is resolved, and text that names nothing.
  const Pidl dotted = Parse(desktop.get(), (docs / "sub" / ".." / "a.jpg").string());
  ASSERT_TRUE(dotted);
  EXPECT_EQ(Name(desktop.get(), dotted.get(), SHGDN_FORPARSING), (docs / "a.jpg").string());
  for (const std::string& bad : {std::string("relative/a.jpg"), (docs / "missing").string(),
                                (docs / "a.jpg" / "below").string(), std::string(), std::string("::{nonsense}")}) {
    HRESULT hr = S_OK;
    EXPECT_FALSE(Parse(desktop.get(), bad, &hr)) << bad;
    EXPECT_LT(hr, 0) << bad;
  }
}

TEST_F(FolderFixture, DisplayNamesByFlags) {
  const std::string odd = std::string("x\xff") + "\n.txt";
  testsupport::WriteFileBytes(docs / odd, "x");
  TComPtr<IShellFolder2> folder = Bind(docs.string());
  ASSERT_TRUE(folder);
  const Pidl a = Child(folder.get(), "a.jpg"), o = Child(folder.get(), odd);
  ASSERT_TRUE(a && o);
  const std::string full = (docs / "a.jpg").string(), oddFull = (docs / odd).string();
  const struct {
    uint32_t Flags;
    std::string Plain, Odd;
  } rows[] = {
      {SHGDN_NORMAL, "a.jpg", "x\uFFFD\uFFFD.txt"},
      {SHGDN_INFOLDER, "a.jpg", "x\uFFFD\uFFFD.txt"},
      {SHGDN_FOREDITING, "a.jpg", "x\uFFFD\uFFFD.txt"},
      {SHGDN_FORPARSING, full, oddFull},
      {SHGDN_FORPARSING | SHGDN_INFOLDER, "a.jpg", odd},
      {SHGDN_FORPARSING | SHGDN_FORADDRESSBAR, full, oddFull},
      {SHGDN_FORPARSING | SHGDN_FOREDITING | SHGDN_INFOLDER, "a.jpg", odd},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(Name(folder.get(), a.get(), r.Flags), r.Plain) << std::hex << r.Flags;
    EXPECT_EQ(Name(folder.get(), o.get(), r.Flags), r.Odd) << std::hex << r.Flags;
  }
}

TEST_F(FolderFixture, DesktopAndItsVirtualChildren) {
  UserDirs("XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
  TComPtr<IShellFolder> desktop = Desktop();
  Pidl empty(PidlCreate({}));
  EXPECT_EQ(Name(desktop.get(), empty.get(), SHGDN_FORPARSING), (home / "Schreibtisch").string());
  EXPECT_EQ(Listed(desktop.get(), SHCONTF_NONFOLDERS), std::set<std::string>{});
  const std::set<std::string> children = Listed(desktop.get(), SHCONTF_FOLDERS);
  ASSERT_EQ(children.size(), 4u);
  // Each child's parsing name parses back to the same item, and binds.
  for (const std::string& child : children) {
    ASSERT_EQ(child.substr(0, 3), "::{") << child;
    const Pidl p = Parse(desktop.get(), child);
    ASSERT_TRUE(p) << child;
    EXPECT_EQ(Name(desktop.get(), p.get(), SHGDN_FORPARSING), child);
    TComPtr<IShellFolder> f;
    EXPECT_EQ(desktop->BindToObject(p.get(), nullptr, IID_IShellFolder, f.put_void()), S_OK) << child;
  }
  std::set<std::string> shown;
  TComPtr<IEnumIDList> e;
  ASSERT_EQ(desktop->EnumObjects(nullptr, SHCONTF_FOLDERS, e.put()), S_OK);
  PIDL p = nullptr;
  while (e->Next(1, &p, nullptr) == S_OK) {
    shown.insert(Name(desktop.get(), p, SHGDN_NORMAL));
    TaskMemFree(p);
  }
  EXPECT_EQ(shown, (std::set<std::string>{"Computer", "Trash", "Network", "Control Panel"}));
}

TEST_F(FolderFixture, ComputerListsTheRootVolume) {
  TComPtr<IShellFolder> desktop = Desktop();
  PIDL computer = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
  const Pidl owned(computer);
  TComPtr<IShellFolder> drives;
  ASSERT_EQ(desktop->BindToObject(computer, nullptr, IID_IShellFolder, drives.put_void()), S_OK);
  const std::set<std::string> volumes = Listed(drives.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
  EXPECT_TRUE(volumes.count("/")) << "the root is always a volume";
  for (const std::string& v : volumes) EXPECT_EQ(v.front(), '/') << v;
  const Pidl root = Parse(drives.get(), "/");
  ASSERT_TRUE(root);
  EXPECT_EQ(Attributes(drives.get(), root.get(), SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_VALIDATE),
            SFGAO_FOLDER | SFGAO_FILESYSTEM);
  // A volume that is no longer mounted fails validation.
  TPidlItem gone;
  gone.Kind = pkVolume;
  gone.Name = (docs / "not-a-mount").string();
  const Pidl stale(PidlCreate({gone}));
  ULONG a = SFGAO_FOLDER | SFGAO_VALIDATE;
  PCIDL one = stale.get();
  EXPECT_LT(drives->GetAttributesOf(1, &one, &a), 0);
}

TEST_F(FolderFixture, AttributesOfEachKindOfEntry) {
  testsupport::WriteFileBytes(docs / "ro.txt", "r");
  fs::permissions(docs / "ro.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_symlink("a.jpg", docs / "link");
  fs::create_symlink("sub", docs / "dirlink");
  fs::create_symlink("nowhere", docs / "dangling");
  testsupport::WriteFileBytes(docs / "app.desktop", "[Desktop Entry]\nType=Application\nName=App\nExec=app\n");
  testsupport::WriteFileBytes(docs / "bad.desktop", "Type=Link\n[Desktop Entry]\n");
  TComPtr<IShellFolder2> folder = Bind(docs.string());
  ASSERT_TRUE(folder);
  constexpr uint32_t kFile = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_CANMOVE | SFGAO_CANRENAME |
                             SFGAO_CANDELETE | SFGAO_STREAM;
  constexpr uint32_t kDir = (kFile & ~SFGAO_STREAM) | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_STORAGEANCESTOR |
                            SFGAO_STORAGE | SFGAO_DROPTARGET;
  constexpr uint32_t kAsked = 0xFFFFFFFF & ~(SFGAO_VALIDATE | SFGAO_HASSUBFOLDER);
  const struct {
    const char* Name;
    uint32_t Expected;
  } rows[] = {
      {"a.jpg", kFile},
      {"sub", kDir},
      {".hidden", kFile | SFGAO_HIDDEN | SFGAO_GHOSTED},
      {".hiddendir", kDir | SFGAO_HIDDEN | SFGAO_GHOSTED},
      {"ro.txt", kFile | SFGAO_READONLY},
      {"link", kFile | SFGAO_LINK},
      {"dirlink", kDir | SFGAO_LINK},
      {"dangling", kFile | SFGAO_LINK},
      {"app.desktop", kFile | SFGAO_LINK},
      {"bad.desktop", kFile},
  };
  for (const auto& r : rows) {
    const Pidl p = Child(folder.get(), r.Name);
    ASSERT_TRUE(p) << r.Name;
    EXPECT_EQ(Attributes(folder.get(), p.get(), kAsked), r.Expected) << r.Name;
  }
  // Several items: the bits they share.
  const Pidl a = Child(folder.get(), "a.jpg"), s = Child(folder.get(), "sub");
  PCIDL both[] = {a.get(), s.get()};
  ULONG shared = kAsked;
  ASSERT_EQ(folder->GetAttributesOf(2, both, &shared), S_OK);
  EXPECT_EQ(shared, kFile & kDir);
  // Only the subfolder test looks inside; validation re-reads the disk.
  EXPECT_EQ(Attributes(folder.get(), s.get(), SFGAO_HASSUBFOLDER), 0u);
  fs::create_directories(docs / "sub" / "deeper");
  EXPECT_EQ(Attributes(folder.get(), s.get(), SFGAO_HASSUBFOLDER), SFGAO_HASSUBFOLDER);
  fs::remove(docs / "a.jpg");
  EXPECT_EQ(Attributes(folder.get(), a.get(), SFGAO_CANCOPY), SFGAO_CANCOPY) << "from the snapshot";
  EXPECT_EQ(Attributes(folder.get(), a.get(), SFGAO_CANCOPY | SFGAO_VALIDATE), 0xDEADBEEF) << "gone";
  // In a folder we may not write, nothing can be renamed, moved or deleted.
  fs::permissions(docs / "sub", fs::perms::owner_read | fs::perms::owner_exec);
  testsupport::WriteFileBytes(docs / "sub" / "locked", "");
  TComPtr<IShellFolder2> sub = Bind((docs / "sub").string());
  const Pidl locked = Child(sub.get(), "locked");
  ASSERT_TRUE(locked);
  EXPECT_EQ(Attributes(sub.get(), locked.get(), SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_CANMOVE | SFGAO_CANCOPY),
            SFGAO_CANCOPY);
  fs::permissions(docs / "sub", fs::perms::owner_all);
}

TEST_F(FolderFixture, EnumerationHonoursEachFlagCombination) {
  fs::create_symlink("sub", docs / "dirlink");
  TComPtr<IShellFolder2> folder = Bind(docs.string());
  ASSERT_TRUE(folder);
  using S = std::set<std::string>;
  const struct {
    uint32_t Flags;
    S Expected;
  } rows[] = {
      {0, {}},
      {SHCONTF_INCLUDEHIDDEN, {}},
      {SHCONTF_FOLDERS, {"sub", "dirlink"}},
      {SHCONTF_NONFOLDERS, {"a.jpg"}},
      {SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, {"sub", "dirlink", "a.jpg"}},
      {SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, {"sub", "dirlink", ".hiddendir"}},
      {SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, {"a.jpg", ".hidden"}},
      {SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, {"sub", "dirlink", "a.jpg", ".hidden", ".hiddendir"}},
  };
  for (const auto& r : rows) {
    HRESULT hr = E_FAIL;
    EXPECT_EQ(Listed(folder.get(), r.Flags, &hr), r.Expected) << std::hex << r.Flags;
    EXPECT_EQ(hr, S_OK);
  }
}

TEST_F(FolderFixture, EnumeratorCountsSkipsAndClones) {
  TComPtr<IShellFolder2> folder = Bind(docs.string());
  TComPtr<IEnumIDList> e;
  ASSERT_EQ(folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, e.put()), S_OK);
  PIDL got[8] = {};
  ULONG n = 0;
  EXPECT_EQ(e->Next(8, got, &n), S_FALSE);
  EXPECT_EQ(n, 4u);
  for (ULONG i = 0; i < n; ++i) TaskMemFree(got[i]);
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Skip(3), S_OK);
  TComPtr<IEnumIDList> copy;
  ASSERT_EQ(e->Clone(copy.put()), S_OK);
  EXPECT_EQ(copy->Next(2, got, &n), S_FALSE);
  EXPECT_EQ(n, 1u);
  TaskMemFree(got[0]);
  EXPECT_EQ(e->Skip(2), S_FALSE);
}

TEST_F(FolderFixture, BindingWalksSeveralLevelsAndRefusesFiles) {
  testsupport::WriteFileBytes(docs / "sub" / "inner.txt", "i");
  TComPtr<IShellFolder> desktop = Desktop();
  const Pidl sub = Parse(desktop.get(), (docs / "sub").string());
  TComPtr<IShellFolder> f;
  ASSERT_EQ(desktop->BindToObject(sub.get(), nullptr, IID_IShellFolder, f.put_void()), S_OK);
  EXPECT_EQ(Listed(f.get(), SHCONTF_NONFOLDERS), std::set<std::string>{"inner.txt"});
  const Pidl file = Parse(desktop.get(), (docs / "a.jpg").string());
  TComPtr<IShellFolder> none;
  EXPECT_LT(desktop->BindToObject(file.get(), nullptr, IID_IShellFolder, none.put_void()), 0);
  EXPECT_FALSE(none);
  // A relative path below a folder gives the items below it, but ".." may not leave it.
  TComPtr<IShellFolder2> docsFolder = Bind(docs.string());
  const Pidl two = Parse(docsFolder.get(), "sub/inner.txt");
  ASSERT_TRUE(two);
  EXPECT_EQ(PidlItems(two.get())->size(), 2u);
  EXPECT_EQ(Name(docsFolder.get(), two.get(), SHGDN_FORPARSING), (docs / "sub" / "inner.txt").string());
  EXPECT_FALSE(Parse(docsFolder.get(), "../cfg"));
  EXPECT_TRUE(Parse(docsFolder.get(), "../docs/a.jpg")) << "a detour that comes back is fine";
  // A folder that vanishes after binding answers its listing with a failure.
  TComPtr<IShellFolder2> doomed = Bind((docs / "sub").string());
  fs::remove_all(docs / "sub");
  HRESULT hr = S_OK;
  EXPECT_TRUE(Listed(doomed.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &hr).empty());
  EXPECT_LT(hr, 0);
}

TEST_F(FolderFixture, UnreadableFolderFailsToList) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser reads every folder";
  fs::permissions(docs / "sub", fs::perms::none);
  TComPtr<IShellFolder2> sub = Bind((docs / "sub").string());
  HRESULT hr = S_OK;
  Listed(sub.get(), SHCONTF_FOLDERS, &hr);
  EXPECT_EQ(hr, HRESULT(0x80070005u));
  fs::permissions(docs / "sub", fs::perms::owner_all);
}

TEST_F(FolderFixture, CompareIDsPutsFoldersFirstAndOrdersByColumn) {
  testsupport::WriteFileBytes(docs / "img10.jpg", std::string(10, 'x'));
  testsupport::WriteFileBytes(docs / "img2.png", std::string(2000, 'x'));
  fs::last_write_time(docs / "img10.jpg", fs::file_time_type::clock::now() - std::chrono::hours(48));
  TComPtr<IShellFolder2> folder = Bind(docs.string());
  const Pidl sub = Child(folder.get(), "sub"), ten = Child(folder.get(), "img10.jpg"),
             two = Child(folder.get(), "img2.png"), a = Child(folder.get(), "a.jpg");
  const auto cmp = [&](int col, const Pidl& x, const Pidl& y) {
    return int16_t(uint16_t(folder->CompareIDs(col, x.get(), y.get()) & 0xFFFF));
  };
  const struct {
    int Column;
    const Pidl *X, *Y;
    int Sign;
  } rows[] = {
      {0, &sub, &a, -1},  {1, &sub, &two, -1}, {3, &ten, &sub, 1},  // folders first whatever the column
      {0, &two, &ten, -1},                                          // digits by value
      {1, &ten, &two, -1}, {1, &two, &ten, 1},                      // size
      {2, &ten, &two, -1},                                          // ".JPG File" before ".PNG File"
      {3, &ten, &two, -1},                                          // older first
      {0, &a, &a, 0},
  };
  for (const auto& r : rows) {
    const int v = cmp(r.Column, *r.X, *r.Y);
    EXPECT_EQ((v > 0) - (v < 0), r.Sign) << "column " << r.Column;
  }
  // A snapshot taken earlier names the same item.
  const Pidl again = Child(folder.get(), "a.jpg");
  testsupport::WriteFileBytes(docs / "a.jpg", "changed size");
  const Pidl fresh = Child(folder.get(), "a.jpg");
  EXPECT_EQ(cmp(1, again, fresh), 0);
  EXPECT_LT(folder->CompareIDs(0, a.get(), reinterpret_cast<PCIDL>("\x03\x00")), 0);
}

TEST_F(FolderFixture, SetNameOfRenamesAndAnswersTheNewItem) {
  TComPtr<IShellFolder2> folder = Bind(docs.string());
  const Pidl a = Child(folder.get(), "a.jpg");
  PIDL renamed = nullptr;
  ASSERT_EQ(folder->SetNameOf(nullptr, a.get(), "b.jpg", SHGDN_INFOLDER, &renamed), S_OK);
  const Pidl owned(renamed);
  EXPECT_FALSE(fs::exists(docs / "a.jpg"));
  EXPECT_EQ(testsupport::ReadFileBytes(docs / "b.jpg"), "12345");
  const Pidl fresh = Child(folder.get(), "b.jpg");
  EXPECT_TRUE(ILIsEqual(renamed, fresh.get()));
  EXPECT_EQ(folder->CompareIDs(0, renamed, fresh.get()), S_OK);
  // Refusals leave every file where it was.
  testsupport::WriteFileBytes(docs / "c.jpg", "other");
  for (const std::string& bad : {std::string("c.jpg"), std::string(""), std::string("x/y"), std::string(".."),
                                std::string("nul\0in", 6)}) {
    PIDL out = reinterpret_cast<PIDL>(1);
    EXPECT_LT(folder->SetNameOf(nullptr, renamed, bad, 0, &out), 0) << bad;
    EXPECT_EQ(out, nullptr);
  }
  EXPECT_EQ(testsupport::ReadFileBytes(docs / "b.jpg"), "12345");
  EXPECT_EQ(testsupport::ReadFileBytes(docs / "c.jpg"), "other");
}

TEST_F(FolderFixture, ColumnsTitlesStatesAndDetails) {
  testsupport::WriteFileBytes(docs / "big.bin", std::string(1536, 'x'));
  TComPtr<IShellFolder2> folder = Bind(docs.string());
  const char* titles[] = {"Name", "Size", "Type", "Date modified", "Attributes"};
  for (UINT c = 0; c < 5; ++c) {
    SHELLDETAILS d;
    ASSERT_EQ(folder->GetDetailsOf(nullptr, c, &d), S_OK);
    EXPECT_EQ(StrRetToString(&d.str), titles[c]);
    uint32_t state = 0;
    EXPECT_EQ(folder->GetDefaultColumnState(c, &state), S_OK);
    EXPECT_EQ((state & SHCOLSTATE_ONBYDEFAULT) != 0, c < 4);
  }
  SHELLDETAILS d;
  uint32_t state = 0;
  EXPECT_EQ(folder->GetDetailsOf(nullptr, 5, &d), E_INVALIDARG);
  EXPECT_EQ(folder->GetDefaultColumnState(5, &state), E_INVALIDARG);
  const Pidl big = Child(folder.get(), "big.bin"), sub = Child(folder.get(), "sub");
  const auto text = [&](const Pidl& p, UINT c) {
    SHELLDETAILS x;
    return folder->GetDetailsOf(p.get(), c, &x) == S_OK ? StrRetToString(&x.str) : "(failed)";
  };
  EXPECT_EQ(text(big, 0), "big.bin");
  EXPECT_EQ(text(big, 1), "2 KB");
  EXPECT_EQ(text(big, 2), ".BIN File");
  EXPECT_EQ(text(sub, 1), "");
  EXPECT_EQ(text(sub, 2), "Folder");
  // The date column is the file's local modification time.
  const time_t now = time(nullptr);
  char expected[32];
  tm local{};
  localtime_r(&now, &local);
  strftime(expected, sizeof expected, "%Y-%m-%d", &local);
  EXPECT_EQ(text(big, 3).substr(0, 10), expected);
  // Values by property key: size and time.
  SHCOLUMNID id;
  ASSERT_EQ(folder->MapColumnToSCID(1, &id), S_OK);
  VARIANT v;
  ASSERT_EQ(folder->GetDetailsEx(big.get(), &id, &v), S_OK);
  EXPECT_EQ(v.vt, VT_UI8);
  EXPECT_EQ(v.ullVal, 1536u);
  ASSERT_EQ(folder->MapColumnToSCID(3, &id), S_OK);
  ASSERT_EQ(folder->GetDetailsEx(big.get(), &id, &v), S_OK);
  EXPECT_EQ(v.vt, VT_DATE);
  EXPECT_NEAR(v.date, Now(), 1.0 / 24);
}

TEST_F(FolderFixture, SpecialFolderLocationsBindOrAreAbsent) {
  fs::create_directories(home / "Desktop");
  fs::create_directories(data / "applications");
  TComPtr<IShellFolder> desktop = Desktop();
  const int32_t present[] = {CSIDL_BITBUCKET, CSIDL_DESKTOPDIRECTORY, CSIDL_DRIVES, CSIDL_PRINTERS,
                             CSIDL_CONTROLS, CSIDL_NETWORK, CSIDL_APPDATA, CSIDL_PROGRAMS};
  for (int32_t csidl : present) {
    PIDL p = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, csidl, &p), S_OK) << csidl;
    const Pidl owned(p);
    TComPtr<IShellFolder> f;
    EXPECT_EQ(desktop->BindToObject(p, nullptr, IID_IShellFolder, f.put_void()), S_OK) << csidl;
  }
  PIDL root = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &root), S_OK);
  EXPECT_EQ(PidlSize(root), 2u) << "the empty list";
  TaskMemFree(root);
  // No templates or documents folder here; history and favourites mean nothing.
  for (int32_t csidl : {CSIDL_TEMPLATES, CSIDL_PERSONAL, CSIDL_HISTORY, CSIDL_FAVORITES}) {
    PIDL p = reinterpret_cast<PIDL>(1);
    EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, csidl, &p), E_INVALIDARG) << csidl;
    EXPECT_EQ(p, nullptr);
  }
}

TEST_F(FolderFixture, TrashFolderShowsTrashedFilesByTheirOriginalNames) {
  const fs::path photo = docs / "urlaub.mpo";
  testsupport::WriteFileBytes(photo, "stereo");
  ASSERT_TRUE(MoveToTrash(photo.string()));
  TComPtr<IShellFolder> desktop = Desktop();
  PIDL trashPidl = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &trashPidl), S_OK);
  const Pidl owned(trashPidl);
  EXPECT_EQ(Name(desktop.get(), trashPidl, SHGDN_NORMAL), "Trash");
  TComPtr<IShellFolder2> trash;
  ASSERT_EQ(desktop->BindToObject(trashPidl, nullptr, IID_IShellFolder2, trash.put_void()), S_OK);
  TComPtr<IEnumIDList> e;
  ASSERT_EQ(trash->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, e.put()), S_OK);
  PIDL item = nullptr;
  ASSERT_EQ(e->Next(1, &item, nullptr), S_OK);
  const Pidl entry(item);
  EXPECT_EQ(Name(trash.get(), item, SHGDN_NORMAL), "urlaub.mpo");
  EXPECT_EQ(Name(trash.get(), item, SHGDN_FORPARSING), (data / "Trash" / "files" / "urlaub.mpo").string());
  EXPECT_EQ(PidlItems(item)->front().OriginalPath, photo.string());
  EXPECT_EQ(e->Next(1, &item, nullptr), S_FALSE);
  EXPECT_EQ(Attributes(trash.get(), entry.get(), SFGAO_CANDELETE | SFGAO_FILESYSTEM | SFGAO_VALIDATE),
            SFGAO_CANDELETE | SFGAO_FILESYSTEM);
  // An empty or missing trash lists nothing and fails nothing.
  fs::remove_all(data / "Trash");
  HRESULT hr = E_FAIL;
  EXPECT_TRUE(Listed(trash.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &hr).empty());
  EXPECT_EQ(hr, S_OK);
  // The other virtual folders are empty.
  for (int32_t csidl : {CSIDL_NETWORK, CSIDL_CONTROLS, CSIDL_PRINTERS}) {
    PIDL p = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, csidl, &p), S_OK);
    const Pidl v(p);
    TComPtr<IShellFolder> f;
    ASSERT_EQ(desktop->BindToObject(p, nullptr, IID_IShellFolder, f.put_void()), S_OK);
    EXPECT_TRUE(Listed(f.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &hr).empty()) << csidl;
    EXPECT_EQ(hr, S_OK);
  }
}
