// Start-up and shut-down of the shell and list-view libraries as the program
// runs them. The test program's environment has started them already.
#include "shell/ShellLibraries.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/com/com.h"
#include "platform/rtl/object.h"
#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "shell/LvAlphaBlender.h"
#include "shell/ShChangeNotifier.h"
#include "shell/ShCommonObjects.h"
#include "shell/ShCommonUtilities.h"
#include "shell/ShCaptions.h"
#include "shell/ShDataObject.h"
#include "shell/ShShellUtilities.h"
#include "shell/TreeViewBase.h"
#include "tests/support/shell_home.h"

namespace {

TEST(ShellLibraries, StopAndStartAgainBalanceComAndOle) {
  const int32_t co = win::CoInitializeCount(), ole = win::OleInitializeCount();
  ASSERT_GE(co, 1);
  ASSERT_GE(ole, 1);
  // Started twice, stopped once: the counters keep everything in place.
  ShellLibrariesInitialize();
  EXPECT_EQ(win::CoInitializeCount(), co);
  EXPECT_EQ(win::OleInitializeCount(), ole);
  ShellLibrariesFinalize();
  EXPECT_NE(AlphaBlender, nullptr);

  ShellLibrariesFinalize();
  EXPECT_EQ(win::OleInitializeCount(), ole - 1);
  EXPECT_LT(win::CoInitializeCount(), co);
  EXPECT_EQ(AlphaBlender, nullptr);
  EXPECT_EQ(ShellPIDLManager, nullptr);
  EXPECT_EQ(DesktopFolder, nullptr);
  EXPECT_EQ(TreeViewCriticalSection, nullptr);
  EXPECT_EQ(CommonILIsEqual, nullptr);
  EXPECT_EQ(ShellAnimateWindow, nullptr);
  EXPECT_EQ(ShellNotifyManager, nullptr);
  EXPECT_EQ(ShellCaptions[scError], "");
  EXPECT_EQ(ShellToolsCaptions[0], "");
  ShellLibrariesFinalize();  // a second stop finds nothing to undo
  EXPECT_EQ(win::OleInitializeCount(), ole - 1);

  ShellLibrariesInitialize();
  EXPECT_EQ(win::CoInitializeCount(), co);
  EXPECT_EQ(win::OleInitializeCount(), ole);
  EXPECT_NE(AlphaBlender, nullptr);
  EXPECT_NE(DesktopFolder, nullptr);
  EXPECT_NE(TreeViewCriticalSection, nullptr);
  EXPECT_NE(TreeViewInvalidFormatMessage, nullptr);
  EXPECT_NE(CommonILIsEqual, nullptr);
  EXPECT_NE(ShellAnimateWindow, nullptr);
  EXPECT_EQ(ShellCaptions[scError], "Error");
  EXPECT_EQ(ShellToolsCaptions[0], "Warning");
}

TEST(ShellLibraries, ListViewUnitRegistersItsClassesCursorAndHeaderFormat) {
  for (const char* name :
       {"TLvGroup", "TLvGroupVirtual", "TLvGroupInterfaced", "TLvGroupStored", "TLvGroupTaskPanel", "TLvItem",
        "TLvItemVirtual", "TLvItemInterfaced", "TLvItemStored", "TLvColumn", "TLvColumnVirtual",
        "TLvColumnInterfaced", "TLvColumnStored"})
    EXPECT_NE(GetClass(name), nullptr) << name;
  const win::HCURSOR split = win::LoadCursor(win::GetModuleHandle(nullptr), "VEASYHEADERSPLIT");
  ASSERT_NE(split, nullptr);
  EXPECT_EQ(Screen->Cursors(crVEasyHeaderSplit), split);
  EXPECT_EQ(CF_LVHEADER, win::RegisterClipboardFormat("LvListview.Header"));
  EXPECT_NE(CF_LVHEADER, 0);
  // Registered by the last unit, after the data object's formats.
  EXPECT_GT(CF_LVHEADER, CF_FILEGROUPDESCRIPTORW);
}

// A sample of the wide entry points with their modules.
struct WideEntry {
  const char* Module;
  const char* Name;
};
constexpr WideEntry kWideSample[] = {
    {"kernel32.dll", "GetDriveTypeW"}, {"user32.dll", "DrawTextW"},       {"shell32.dll", "SHGetFileInfoW"},
    {"gdi32.dll", "GetCharABCWidthsW"}, {"advapi32.dll", "RegOpenKeyExW"}, {"shlwapi.dll", "PathMatchSpecW"},
    {"Userenv.dll", "ExpandEnvironmentStringsForUserW"}, {"kernel32.dll", "CopyFileW"},
    {"shell32.dll", "SHGetKnownFolderPath"}, {"kernel32.dll", "FindFirstFileExW"},
};
constexpr WideEntry kAlways[] = {
    {"kernel32.dll", "GetDiskFreeSpaceA"}, {"user32.dll", "TrackMouseEvent"}, {"kernel32.dll", "FindFirstFileExA"}};
constexpr win::WORD kOrdinals[] = {716, 701, 700};

win::FARPROC Exported(const char* module, const char* nameOrOrdinal) {
  win::HMODULE m = win::GetModuleHandle(module);
  return m ? win::GetProcAddress(m, nameOrOrdinal) : nullptr;
}

// Restarts the common utilities' unit alone under the given conditions.
struct RestartedCommonUtilities {
  RestartedCommonUtilities() {
    ShCommonUtilitiesFinalize();
    ShCommonUtilitiesInitialize();
  }
  ~RestartedCommonUtilities() {
    ShCommonUtilitiesFinalize();
    ShCommonUtilitiesInitialize();
  }
};

TEST(ShellLibraries, NtFamilyBindsTheWideEntryPointsByName) {
  for (const WideEntry& e : kWideSample) EXPECT_EQ(BoundEntryPoint(e.Name), Exported(e.Module, e.Name)) << e.Name;
  for (const WideEntry& e : kAlways) {
    EXPECT_NE(BoundEntryPoint(e.Name), nullptr) << e.Name;
    EXPECT_EQ(BoundEntryPoint(e.Name), Exported(e.Module, e.Name)) << e.Name;
  }
  // This platform's shell32 has none of them; they stay nil like any missing entry.
  for (win::WORD o : kOrdinals)
    EXPECT_EQ(BoundShellOrdinal(o), Exported("shell32.dll", win::MAKEINTRESOURCE(o))) << o;
  EXPECT_NE(BoundEntryPoint("DrawTextW"), nullptr);
  // Looked up under a name kernel32 does not export.
  EXPECT_EQ(BoundEntryPoint("GetCurrentDirW"), nullptr);
}

TEST(ShellLibraries, OutsideTheNtFamilyOnlyTheSixEntriesAreBound) {
  win::ScopedPlatformVersion nine({win::VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222});
  RestartedCommonUtilities restarted;
  for (const WideEntry& e : kWideSample) EXPECT_EQ(BoundEntryPoint(e.Name), nullptr) << e.Name;
  for (const WideEntry& e : kAlways) EXPECT_NE(BoundEntryPoint(e.Name), nullptr) << e.Name;
  for (win::WORD o : kOrdinals)
    EXPECT_EQ(BoundShellOrdinal(o), Exported("shell32.dll", win::MAKEINTRESOURCE(o))) << o;
}

TEST(ShellLibraries, MissingShlwapiAndUserenvLeaveTheirHandlesZero) {
  std::vector<win::ModuleDefinition> modules;
  for (win::ModuleDefinition& m : win::PlatformModules())
    if (m.Name != "shlwapi.dll" && m.Name != "Userenv.dll" && m.Name != "userenv.dll") modules.push_back(m);
  ASSERT_LT(modules.size(), win::PlatformModules().size());
  win::ScopedModuleTable table(std::move(modules));
  RestartedCommonUtilities restarted;
  EXPECT_EQ(ShlwapiHandle, nullptr);
  EXPECT_EQ(UserenvHandle, nullptr);
  EXPECT_EQ(BoundEntryPoint("PathMatchSpecW"), nullptr);
  EXPECT_EQ(BoundEntryPoint("ExpandEnvironmentStringsForUserW"), nullptr);
}

// Counts its releases; never freed, so an extra release shows as a count.
struct CountingInterface : win::IUnknown {
  int32_t refs = 1, releases = 0;
  win::HRESULT QueryInterface(win::REFIID, void** out) override {
    *out = nullptr;
    return win::E_NOINTERFACE;
  }
  win::ULONG AddRef() override { return win::ULONG(++refs); }
  win::ULONG Release() override {
    ++releases;
    return win::ULONG(--refs);
  }
};

TEST(ShellLibraries, ChangeNotifierReleasesItsInterfaceOnceAndClearsIt) {
  EXPECT_NE(ShellNotifyMalloc, nullptr);
  EXPECT_EQ(ShellNotifyOrdinal(21), Exported("shell32.dll", win::MAKEINTRESOURCE(21)));
  EXPECT_NE(ShellNotifyOrdinal(21), nullptr);
  CountingInterface held;
  ShellNotifyInterface = &held;
  ShChangeNotifierFinalize();
  EXPECT_EQ(held.releases, 1);
  EXPECT_EQ(ShellNotifyInterface, nullptr);
  EXPECT_EQ(ShellNotifyMalloc, nullptr);
  EXPECT_EQ(ShellNotifyManager, nullptr);
  ShChangeNotifierInitialize();
  EXPECT_NE(ShellNotifyManager, nullptr);
}

// Stops the shell utilities' unit for a test that starts it under its own
// conditions, and afterwards starts it again the way the environment did.
struct RestartedShellUtilities {
  RestartedShellUtilities() { ShShellUtilitiesFinalize(); }
  ~RestartedShellUtilities() {
    ShShellUtilitiesFinalize();
    ShShellUtilitiesInitialize();
  }
};

// The platform's modules with shell32 changed by edit.
template <class Edit>
std::vector<win::ModuleDefinition> ModulesWithShell32(Edit edit) {
  std::vector<win::ModuleDefinition> modules = win::PlatformModules();
  for (win::ModuleDefinition& m : modules)
    if (m.Name == "shell32.dll") edit(m);
  return modules;
}

std::vector<win::BOOL> fileIconInitCalls;
win::BOOL RecordFileIconInit(win::BOOL restoreCache) {
  fileIconInitCalls.push_back(restoreCache);
  return win::TRUE;
}
win::BOOL Ordinal747() { return win::TRUE; }

TEST(ShellLibraries, ShellCheckBindsItsEntriesAndRestoresTheImageCacheOnNt) {
  const struct {
    win::DWORD PlatformId;
    std::vector<win::BOOL> Calls;
  } cases[] = {{win::VER_PLATFORM_WIN32_NT, {-1}}, {win::VER_PLATFORM_WIN32_WINDOWS, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.PlatformId);
    RestartedShellUtilities restarted;
    win::ScopedPlatformVersion version({c.PlatformId, 5, 1, 2600});
    win::ScopedModuleTable table(ModulesWithShell32([](win::ModuleDefinition& shell32) {
      for (win::ModuleExport& e : shell32.Exports)
        if (e.Ordinal == 660) e.Address = reinterpret_cast<win::FARPROC>(&RecordFileIconInit);
      shell32.Exports.push_back({"Ordinal747", 747, reinterpret_cast<win::FARPROC>(&Ordinal747)});
    }));
    // A table of its own starts with nothing loaded.
    ASSERT_NE(win::LoadLibrary("shell32.dll"), nullptr);
    ASSERT_NE(win::LoadLibrary("user32.dll"), nullptr);
    fileIconInitCalls.clear();
    ASSERT_TRUE(ShShellUtilitiesInitialize());
    EXPECT_EQ(fileIconInitCalls, c.Calls);
    EXPECT_EQ(ShellOrdinal747, reinterpret_cast<win::FARPROC>(&Ordinal747));
    EXPECT_NE(ShellAnimateWindow, nullptr);
    EXPECT_EQ(ShellAnimateWindow, Exported("user32.dll", "AnimateWindow"));
    EXPECT_EQ(reinterpret_cast<win::FARPROC>(ShellILIsEqual), Exported("shell32.dll", win::MAKEINTRESOURCE(21)));
    EXPECT_EQ(reinterpret_cast<win::FARPROC>(ShellILIsParent), Exported("shell32.dll", win::MAKEINTRESOURCE(23)));
  }
  // This platform's shell32 has no ordinal 747.
  EXPECT_EQ(ShellOrdinal747, nullptr);
  EXPECT_NE(ShellILIsEqual, nullptr);
}

TEST(ShellLibraries, CommonObjectsLoadShell32WhenMissingAndFreeItAgain) {
  ShCommonObjectsFinalize();
  {
    win::ScopedModuleTable table(win::PlatformModules());
    ASSERT_EQ(win::GetModuleHandle("shell32.dll"), nullptr);
    ShCommonObjectsInitialize();
    const win::HMODULE shell32 = win::GetModuleHandle("shell32.dll");
    ASSERT_NE(shell32, nullptr);
    EXPECT_EQ(reinterpret_cast<win::FARPROC>(CommonILIsEqual), win::GetProcAddress(shell32, win::MAKEINTRESOURCE(21)));
    EXPECT_EQ(reinterpret_cast<win::FARPROC>(CommonILIsParent),
              win::GetProcAddress(shell32, win::MAKEINTRESOURCE(23)));
    EXPECT_NE(CommonILIsEqual, nullptr);
    ShCommonObjectsFinalize();
    EXPECT_EQ(win::GetModuleHandle("shell32.dll"), nullptr);
    EXPECT_EQ(CommonILIsEqual, nullptr);
  }
  // With shell32 already there the unit neither loads nor frees it.
  const win::HMODULE before = win::GetModuleHandle("shell32.dll");
  ASSERT_NE(before, nullptr);
  ShCommonObjectsInitialize();
  ShCommonObjectsFinalize();
  EXPECT_EQ(win::GetModuleHandle("shell32.dll"), before);
  ShCommonObjectsInitialize();
  EXPECT_NE(MarlettFont, nullptr);
}

// The special folders over a scratch home where the templates and documents
// folders that user-dirs.dirs names do not exist.
struct SpecialFolders : RestartedShellUtilities, ShellHomeFixture {};

TEST_F(SpecialFolders, MissingFoldersLeaveOnlyTheirGlobalsNil) {
  namespace fs = std::filesystem;
  fs::create_directories(home / "Desktop");
  fs::create_directories(data / "applications");
  UserDirs("XDG_TEMPLATES_DIR=\"$HOME/Templates\"\nXDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n");
  ASSERT_TRUE(ShShellUtilitiesInitialize());
  EXPECT_EQ(TemplatesFolder, nullptr);
  EXPECT_EQ(PersonalFolder, nullptr);
  // Nothing on this platform stands for these two.
  EXPECT_EQ(HistoryFolder, nullptr);
  EXPECT_EQ(FavoritesFolder, nullptr);
  const struct {
    TNamespace* Folder;
    const char* Name;
  } made[] = {{DesktopFolder, "desktop"},         {RecycleBinFolder, "recycle bin"},
              {DesktopDirectoryFolder, "desktop directory"}, {DrivesFolder, "drives"},
              {PrintersFolder, "printers"},       {ControlPanelFolder, "control panel"},
              {NetworkFolder, "network"},         {AppDataFolder, "application data"},
              {ProgramsFolder, "programs"}};
  for (const auto& m : made) {
    ASSERT_NE(m.Folder, nullptr) << m.Name;
    // Start-up made the parent and had it bind its folder.
    EXPECT_TRUE(m.Folder->States() & nsOwnsParent) << m.Name;
    EXPECT_NE(m.Folder->Parent()->ShellFolder(), nullptr) << m.Name;
  }
  EXPECT_EQ(DesktopDirectoryFolder->ParsingName(), (home / "Desktop").string());
  EXPECT_EQ(AppDataFolder->ParsingName(), config.string());
  EXPECT_EQ(ProgramsFolder->ParsingName(), (data / "applications").string());

  // Once the two folders exist, a new start makes them too.
  ShShellUtilitiesFinalize();
  fs::create_directories(home / "Templates");
  fs::create_directories(home / "Documents");
  ASSERT_TRUE(ShShellUtilitiesInitialize());
  ASSERT_NE(TemplatesFolder, nullptr);
  ASSERT_NE(PersonalFolder, nullptr);
  EXPECT_EQ(TemplatesFolder->ParsingName(), (home / "Templates").string());
  EXPECT_EQ(PersonalFolder->ParsingName(), (home / "Documents").string());
}

// shell32 without ordinal 21: reachable by name only, as on a platform lacking it.
std::vector<win::ModuleDefinition> ModulesWithoutPidlEquality() {
  std::vector<win::ModuleDefinition> modules = win::PlatformModules();
  for (win::ModuleDefinition& m : modules)
    for (win::ModuleExport& e : m.Exports)
      if (e.Ordinal == 21 && (m.Name == "shell32.dll" || m.Name == "shell32")) e.Ordinal = 0;
  return modules;
}

void ReportApartmentAtExit() {
  std::fprintf(stderr, "at exit: COM %d OLE %d\n", int(win::CoInitializeCount()), int(win::OleInitializeCount()));
}

TEST(ShellLibrariesDeathTest, MissingPidlTestStopsWithAnErrorAfterShuttingDown) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        ShellLibrariesFinalize();
        win::ScopedModuleTable table(ModulesWithoutPidlEquality());
        std::atexit(ReportApartmentAtExit);
        ShellLibrariesInitialize();
        std::fputs("went on\n", stderr);
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(1), "ordinals 21 and 23[^\n]*\nat exit: COM 0 OLE 0");
}

}  // namespace
