// The module table's shell entries: which modules are loaded or loadable,
// wrappers and "not implemented" stubs, the name that must stay unfound,
// the PIDL ordinals, and clipboard-format numbers past 16 bits.
#include "platform/win/shellentries.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/classes/threads.h"
#include "platform/rtl/taskmem.h"
#include "platform/shell/changenotify.h"
#include "platform/shell/pidl.h"
#include "platform/shell/shellexec.h"
#include "platform/shell/shellinfo.h"
#include "platform/shell/shellpaths.h"
#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"
#include "tests/platform/win/wintest.h"

using namespace win;

namespace {

template <class F>
F Entry(LPCSTR module, LPCSTR name) {
  HMODULE m = GetModuleHandle(module);
  return m ? reinterpret_cast<F>(GetProcAddress(m, name)) : nullptr;
}

TPidlItem Dir(const std::string& name) {
  TPidlItem it;
  it.Kind = pkDirectory;
  it.Name = name;
  return it;
}

}  // namespace

TEST(ShellModules, PlatformModulesAreLoadedAndOptionalOnesLoadable) {
  for (LPCSTR name : {"shell32.dll", "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll"}) {
    HMODULE m = LoadLibrary(name);
    EXPECT_NE(m, nullptr) << name;
    FreeLibrary(m);
  }
  for (LPCSTR name : {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll"})
    EXPECT_NE(GetModuleHandle(name), nullptr) << name << " is there from the start";
  for (LPCSTR name : {"shlwapi.dll", "Userenv.dll", "comctl32.dll"}) {
    ASSERT_EQ(GetModuleHandle(name), nullptr) << name << " waits for LoadLibrary";
    const int loads = ModuleLoadCount(name);
    HMODULE a = LoadLibrary(name);
    ASSERT_NE(a, nullptr) << name;
    std::string upper = name;
    for (char& c : upper) c = char(std::toupper(uint8_t(c)));
    EXPECT_EQ(LoadLibrary(upper.c_str()), a) << "names ignore case";
    EXPECT_EQ(ModuleLoadCount(name), loads + 1) << "the second load only counts a use";
    EXPECT_TRUE(FreeLibrary(a));
    EXPECT_EQ(GetModuleHandle(name), a) << "one use left";
    EXPECT_TRUE(FreeLibrary(a));
    EXPECT_EQ(GetModuleHandle(name), nullptr);
  }
  EXPECT_EQ(GetModuleFileVersion("COMCTL32.DLL"), DWORD(0x0006000A));
  EXPECT_EQ(GetModuleFileVersion("uxtheme.dll"), 0xFFFFFFFFu);
}

TEST(ShellModules, BoundNamesStubsAndTheNameThatStaysUnfound) {
  // A wrapper.
  auto expand = Entry<PFN_ExpandEnvironmentStringsW>("kernel32", "ExpandEnvironmentStringsW");
  ASSERT_NE(expand, nullptr);
  ScopedEnv env;
  env.Set("DX_PICTURES", "/home/ada/Bilder");
  char buf[64];
  EXPECT_EQ(expand("%DX_PICTURES%/a.mpo %NOT_SET_ANYWHERE% 100%", buf, sizeof buf), 47u);
  EXPECT_STREQ(buf, "/home/ada/Bilder/a.mpo %NOT_SET_ANYWHERE% 100%");
  EXPECT_EQ(expand("%DX_PICTURES%", buf, 4), 17u) << "the size it needs, nothing written past 4";

  // Stubs: the failure value with ERROR_CALL_NOT_IMPLEMENTED, E_NOTIMPL, or the error itself.
  SetLastError(0);
  auto createFile = Entry<PFN_CreateFileW>("kernel32", "CreateFileW");
  ASSERT_NE(createFile, nullptr);
  EXPECT_EQ(createFile("/tmp/x", 0, 0, nullptr, 3, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_CALL_NOT_IMPLEMENTED);
  auto windowsDir = Entry<PFN_GetFolderW>("kernel32", "GetWindowsDirectoryW");
  ASSERT_NE(windowsDir, nullptr);
  EXPECT_EQ(windowsDir(buf, sizeof buf), 0u);
  auto regOpen = Entry<PFN_RegOpenKeyW>("advapi32", "RegOpenKeyW");
  ASSERT_NE(regOpen, nullptr);
  HANDLE key = reinterpret_cast<HANDLE>(1);
  EXPECT_EQ(regOpen(nullptr, "Software", &key), int32_t(ERROR_CALL_NOT_IMPLEMENTED));

  HMODULE shell32 = LoadLibrary("shell32.dll");
  ASSERT_NE(shell32, nullptr);
  auto drag = reinterpret_cast<PFN_SHDoDragDrop>(GetProcAddress(shell32, "SHDoDragDrop"));
  ASSERT_NE(drag, nullptr);
  EXPECT_EQ(drag(nullptr, nullptr, nullptr, 1, nullptr), E_NOTIMPL);
  auto known = reinterpret_cast<PFN_SHGetKnownFolderPath>(GetProcAddress(shell32, "SHGetKnownFolderPath"));
  ASSERT_NE(known, nullptr);
  char* path = buf;
  EXPECT_EQ(known(nullptr, 0, nullptr, &path), E_NOTIMPL);
  EXPECT_EQ(path, nullptr) << "the out value is cleared";
  FreeLibrary(shell32);

  EXPECT_EQ(Entry<void*>("kernel32", "GetCurrentDirW"), nullptr);
  EXPECT_NE(Entry<void*>("kernel32", "GetTempPathW"), nullptr);
}

TEST(ShellModules, FileSearchAttributesAndItemData) {
  testsupport::TempDir t;
  testsupport::WriteFileBytes(t / "a.mpo", "stereo");
  std::filesystem::create_directories(t / "dir");
  auto first = Entry<PFN_FindFirstFileW>("kernel32", "FindFirstFileW");
  auto next = Entry<PFN_FindNextFileW>("kernel32", "FindNextFileW");
  auto close = Entry<PFN_FindClose>("kernel32", "FindClose");
  auto attrs = Entry<PFN_GetFileAttributesW>("kernel32", "GetFileAttributesW");
  auto space = Entry<PFN_GetDiskFreeSpaceExW>("kernel32", "GetDiskFreeSpaceExW");
  HMODULE shell32 = LoadLibrary("shell32.dll");
  auto data = reinterpret_cast<PFN_SHGetDataFromIDListW>(GetProcAddress(shell32, "SHGetDataFromIDListW"));
  auto info = reinterpret_cast<PFN_SHGetFileInfoW>(GetProcAddress(shell32, "SHGetFileInfoW"));
  auto path = reinterpret_cast<PFN_SHGetPathFromIDListW>(GetProcAddress(shell32, "SHGetPathFromIDListW"));
  ASSERT_TRUE(first && next && close && attrs && space && data && info && path);

  TWin32FindData d;
  HANDLE h = first((t / "*.mpo").string(), &d);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(d.cFileName, "a.mpo");
  EXPECT_EQ(d.nFileSize, 6u);
  SetLastError(0);
  EXPECT_FALSE(next(h, &d));
  EXPECT_EQ(GetLastError(), 18u) << "no more files";
  EXPECT_TRUE(close(h));
  EXPECT_EQ(first((t / "none" / "*").string(), &d), INVALID_HANDLE_VALUE);
  EXPECT_NE(GetLastError(), 0u);
  EXPECT_EQ(attrs((t / "dir").string()), 0x10u);
  EXPECT_EQ(attrs((t / "gone").string()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), 2u);
  uint64_t avail = 0, total = 0, free = 0;
  EXPECT_TRUE(space(t.Path().string(), &avail, &total, &free));
  EXPECT_GT(total, 0u);

  // Item data from a list's snapshot, and file information by path and by list.
  const auto items = ItemsOfPath((t / "a.mpo").string());
  ASSERT_TRUE(items);
  PIDL pidl = PidlCreate(*items);
  TWin32FindData fd;
  ASSERT_EQ(data(nullptr, pidl, 1, &fd, sizeof fd), S_OK);
  EXPECT_EQ(fd.cFileName, "a.mpo");
  EXPECT_EQ(fd.nFileSize, 6u);
  EXPECT_EQ(data(nullptr, pidl, 1, &fd, 16), E_INVALIDARG) << "a record too small";
  SHDESCRIPTIONID id;
  ASSERT_EQ(data(nullptr, pidl, 3, &id, sizeof id), S_OK);
  EXPECT_EQ(id.dwDescriptionId, uint32_t(SHDID_FS_FILE));
  char buffer[260];
  ASSERT_TRUE(path(pidl, buffer));
  EXPECT_EQ(std::string(buffer), (t / "a.mpo").string());
  SHFILEINFOW fi;
  EXPECT_NE(info(reinterpret_cast<const char*>(pidl), 0, &fi, sizeof fi, SHGFI_PIDL | SHGFI_TYPENAME), 0u);
  EXPECT_EQ(fi.szTypeName, "") << "files leave the type to the caller's fallback";
  EXPECT_NE(info((t / "dir").c_str(), 0, &fi, sizeof fi, SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX), 0u);
  EXPECT_EQ(fi.szTypeName, "Folder");
  EXPECT_EQ(fi.szDisplayName, "dir");
  EXPECT_EQ(fi.iIcon, SYSICON_FOLDER);
  EXPECT_EQ(info((t / "gone").c_str(), 0, &fi, sizeof fi, SHGFI_TYPENAME), 0u);
  EXPECT_NE(info("/nowhere/x.jpg", 0, &fi, sizeof fi, SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX), 0u);
  EXPECT_EQ(fi.iIcon, SYSICON_FILE);
  TaskMemFree(pidl);

  // Opening and file operations reach the shell's own; nothing is started for a missing file.
  auto exec = reinterpret_cast<PFN_ShellExecuteW>(GetProcAddress(shell32, "ShellExecuteW"));
  auto fileOp = reinterpret_cast<PFN_SHFileOperationW>(GetProcAddress(shell32, "SHFileOperationW"));
  ASSERT_TRUE(exec && fileOp);
  EXPECT_EQ(reinterpret_cast<intptr_t>(exec(nullptr, "open", (t / "gone.jpg").string(), "", "", 1)), SE_ERR_FNF);
  EXPECT_EQ(GetLastError(), 2u);
  const std::string from = (t / "a.mpo").string() + '\0' + '\0', to = (t / "b.mpo").string() + '\0' + '\0';
  SHFILEOPSTRUCTW op;
  op.wFunc = FO_COPY;
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  EXPECT_EQ(fileOp(&op), 0);
  EXPECT_EQ(testsupport::ReadFileBytes(t / "b.mpo"), "stereo");
  FreeLibrary(shell32);
}

TEST(ShellModules, ThePidlOrdinalsAndTheirAbsence) {
  HMODULE shell32 = LoadLibrary("shell32.dll");
  ASSERT_NE(shell32, nullptr);
  auto equal = reinterpret_cast<PFN_ILIsEqual>(GetProcAddress(shell32, MAKEINTRESOURCE(21)));
  auto parent = reinterpret_cast<PFN_ILIsParent>(GetProcAddress(shell32, MAKEINTRESOURCE(23)));
  ASSERT_NE(equal, nullptr);
  ASSERT_NE(parent, nullptr);
  PIDL a = PidlCreate({Dir("home")}), b = PidlCreate({Dir("home"), Dir("ada")});
  EXPECT_TRUE(equal(a, a));
  EXPECT_FALSE(equal(a, b));
  EXPECT_TRUE(parent(a, b, TRUE));
  EXPECT_FALSE(parent(b, a, FALSE));
  TaskMemFree(a);
  TaskMemFree(b);
  for (uintptr_t ordinal : {700, 747, 0xFFFF, 0})
    EXPECT_EQ(GetProcAddress(shell32, MAKEINTRESOURCE(ordinal)), nullptr) << ordinal;
  FreeLibrary(shell32);

  // A platform whose shell lacks ordinal 21: the lookup finds nothing.
  std::vector<ModuleDefinition> reduced = PlatformModules();
  for (ModuleDefinition& m : reduced)
    std::erase_if(m.Exports, [](const ModuleExport& x) { return x.Ordinal == 21; });
  ScopedModuleTable table(std::move(reduced));
  HMODULE lean = LoadLibrary("shell32");
  ASSERT_NE(lean, nullptr);
  EXPECT_EQ(GetProcAddress(lean, MAKEINTRESOURCE(21)), nullptr);
  EXPECT_NE(GetProcAddress(lean, MAKEINTRESOURCE(23)), nullptr);
  FreeLibrary(lean);
}

TEST(ShellModules, TextWrappers) {
  auto cpyn = Entry<PFN_lstrcpynW>("kernel32", "lstrcpynW");
  auto upper = Entry<PFN_CharBuffW>("user32", "CharUpperBuffW");
  auto cmpi = Entry<PFN_lstrcmpW>("kernel32", "lstrcmpiW");
  auto tryEnter = Entry<PFN_TryEnterCriticalSection>("kernel32", "TryEnterCriticalSection");
  HMODULE shlwapi = LoadLibrary("shlwapi.dll");
  auto match = reinterpret_cast<PFN_PathMatchSpec>(GetProcAddress(shlwapi, "PathMatchSpecW"));
  ASSERT_TRUE(cpyn && upper && cmpi && match && tryEnter);

  char buf[8];
  EXPECT_EQ(cpyn(buf, "Bäume", 4), buf);
  EXPECT_STREQ(buf, "B\xC3\xA4") << "three bytes, the ä whole";
  EXPECT_EQ(cpyn(buf, "Bäume", 3), buf);
  EXPECT_STREQ(buf, "B") << "two bytes would split the ä";
  EXPECT_EQ(cpyn(buf, "x", 0), nullptr);

  char text[] = "straße äb";
  EXPECT_EQ(upper(text, DWORD(std::strlen(text))), DWORD(std::strlen(text)));
  EXPECT_STREQ(text, "STRAßE ÄB") << "ß has no upper case of its own length";
  EXPECT_EQ(cmpi("Äpfel", "äPFEL"), 0);
  EXPECT_LT(cmpi("a", "b"), 0);

  const struct {
    const char *File, *Spec;
    BOOL Match;
  } rows[] = {{"IMG_1.MPO", "*.mpo", TRUE}, {"a.jps", "*.mpo;*.jps", TRUE}, {"a.jpg", "*.mpo; *.jps", FALSE},
              {"ab", "a?", TRUE},           {"a", "a?", FALSE},             {"x.tar.gz", "*.gz", TRUE},
              {"anything", "*", TRUE},      {"a", "", FALSE}};
  for (const auto& r : rows) EXPECT_EQ(match(r.File, r.Spec), r.Match) << r.File << " " << r.Spec;
  FreeLibrary(shlwapi);

  TCriticalSection cs;
  EXPECT_TRUE(tryEnter(&cs));
  cs.Leave();
  EXPECT_FALSE(tryEnter(nullptr));
}

UINT Past16Bits(size_t index) { return UINT(0xFFFF + index); }
UINT g_taken = 0;

TEST(ShellModules, ClipboardFormatNumbersComeFromTheInjectedAllocator) {
  const UINT before = RegisterClipboardFormat("Shell IDList Array");
  ASSERT_NE(before, 0u);
  AtomIdAllocator old = SetAtomIdAllocator(&Past16Bits);
  const UINT big = RegisterClipboardFormat("Duplexion Test Format Past 16 Bits");
  EXPECT_GE(big, 0x10000u);
  EXPECT_EQ(RegisterWindowMessage("duplexion test format past 16 bits"), big) << "one table, names ignore case";
  EXPECT_EQ(RegisterClipboardFormat("Shell IDList Array"), before) << "a known name keeps its number";
  char name[64];
  EXPECT_GT(GetClipboardFormatName(big, name, sizeof name), 0);
  EXPECT_STREQ(name, "Duplexion Test Format Past 16 Bits");
  g_taken = before;
  EXPECT_EQ(SetAtomIdAllocator([](size_t) { return g_taken; }), &Past16Bits);
  EXPECT_EQ(RegisterClipboardFormat("Duplexion Test Format Taken Number"), 0u) << "that number names another format";
  SetAtomIdAllocator(old);
  const UINT next = RegisterClipboardFormat("Duplexion Test Format After");
  EXPECT_GE(next, 0xC000u);
  EXPECT_LT(next, 0x10000u);
}

// The change-notification ordinals with a real window: a file created in a
// watched folder reaches the window as its registered message.
class ShellChangeWindow : public wintest::WinTest {};

TEST_F(ShellChangeWindow, FileCreatedInAWatchedFolderReachesTheWindow) {
  HMODULE shell32 = LoadLibrary("shell32.dll");
  auto reg = reinterpret_cast<PFN_SHChangeNotifyRegister>(GetProcAddress(shell32, MAKEINTRESOURCE(2)));
  auto dereg = reinterpret_cast<PFN_SHChangeNotifyDeregister>(GetProcAddress(shell32, MAKEINTRESOURCE(4)));
  auto lock = reinterpret_cast<PFN_SHChangeNotification_Lock>(GetProcAddress(shell32, MAKEINTRESOURCE(644)));
  auto unlock = reinterpret_cast<PFN_SHChangeNotification_Unlock>(GetProcAddress(shell32, MAKEINTRESOURCE(645)));
  auto iconInit = reinterpret_cast<PFN_FileIconInit>(GetProcAddress(shell32, MAKEINTRESOURCE(660)));
  ASSERT_TRUE(reg && dereg && lock && unlock && iconInit);
  EXPECT_TRUE(iconInit(TRUE));

  testsupport::TempDir t;
  constexpr UINT kMsg = 0x8033;
  std::string created;
  int32_t event = 0;
  HWND w = Make(WS_OVERLAPPEDWINDOW, {0, 0, 100, 100}, nullptr, [&](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
    if (m != kMsg) return std::nullopt;
    uint8_t** pidls = nullptr;
    HANDLE l = lock(reinterpret_cast<HANDLE>(wp), DWORD(lp), &pidls, &event);
    if (!l) return 0;
    char path[260];
    if (SHGetPathFromIDListW(pidls[0], path)) created = path;
    unlock(l);
    return 0;
  });
  PIDL folder = PidlCreate(*ItemsOfPath(t.Path().string()));
  SHChangeNotifyEntry entry{folder, 0};
  const DWORD id = reg(w, SHCNRF_ShellLevel | SHCNRF_NewDelivery, SHCNE_CREATE, kMsg, 1, &entry);
  ASSERT_NE(id, 0u);
  EXPECT_EQ(reg(nullptr, SHCNRF_ShellLevel, SHCNE_CREATE, kMsg, 1, &entry), 0u) << "no window, no registration";
  testsupport::WriteFileBytes(t / "new.mpo", "x");
  EXPECT_TRUE(PumpUntil([&] { return !created.empty(); }, 5000));
  EXPECT_EQ(created, (t / "new.mpo").string());
  EXPECT_EQ(event, SHCNE_CREATE);
  EXPECT_TRUE(dereg(id));
  EXPECT_FALSE(dereg(id));
  TaskMemFree(folder);
  FreeLibrary(shell32);
}
