// Start-up and shut-down of the shell and list-view libraries as the program
// runs them. The test program's environment has started them already.
#include "shell/ShellLibraries.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/com/com.h"
#include "platform/rtl/object.h"
#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "shell/LvAlphaBlender.h"
#include "shell/ShChangeNotifier.h"
#include "shell/ShCommonObjects.h"
#include "shell/ShCommonUtilities.h"
#include "shell/ShShellUtilities.h"

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
  ShellLibrariesFinalize();  // a second stop finds nothing to undo
  EXPECT_EQ(win::OleInitializeCount(), ole - 1);

  ShellLibrariesInitialize();
  EXPECT_EQ(win::CoInitializeCount(), co);
  EXPECT_EQ(win::OleInitializeCount(), ole);
  EXPECT_NE(AlphaBlender, nullptr);
  EXPECT_NE(DesktopFolder, nullptr);
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
