// The entry points the common utilities bind at start-up, by name and by
// ordinal, from the modules of the platform's module table.
#include <array>
#include <string_view>

#include "shell/ShCommonObjects.h"
#include "shell/ShCommonUtilities.h"
#include "shell/UnitSupport.h"

using namespace win;

namespace {

enum TModuleRole : uint8_t { mKernel32, mUser32, mGdi32, mAdvapi32, mShell32, mShlwapi, mUserenv, mCount };

struct TNamedEntry {
  TModuleRole Module;
  const char* Name;
};

// The wide entry points, bound on the NT family only, in binding order.
constexpr TNamedEntry kWideEntries[] = {
    {mKernel32, "GetDriveTypeW"}, {mUser32, "DrawTextW"}, {mShell32, "SHGetFileInfoW"},
    {mKernel32, "CreateFileW"}, {mShell32, "SHGetDataFromIDListW"}, {mKernel32, "FindFirstFileW"},
    {mKernel32, "FindNextFileW"}, {mKernel32, "lstrcmpiW"}, {mKernel32, "lstrcmpW"}, {mKernel32, "lstrcpynW"},
    {mKernel32, "lstrcpyW"}, {mUser32, "CharLowerBuffW"}, {mUser32, "CharUpperBuffW"},
    {mKernel32, "CreateDirectoryW"}, {mKernel32, "GetFullPathNameW"}, {mShell32, "ShellExecuteExW"},
    {mShell32, "ShellExecuteW"}, {mKernel32, "FindFirstChangeNotificationW"}, {mGdi32, "GetCharABCWidthsW"},
    {mKernel32, "GetFileAttributesW"}, {mKernel32, "GetSystemDirectoryW"}, {mKernel32, "GetWindowsDirectoryW"},
    {mKernel32, "GetDiskFreeSpaceExW"}, {mUser32, "SetWindowTextW"}, {mKernel32, "GetNumberFormatW"},
    {mAdvapi32, "RegOpenKeyW"}, {mAdvapi32, "RegOpenKeyExW"}, {mAdvapi32, "RegQueryValueW"},
    {mKernel32, "WritePrivateProfileStringW"}, {mKernel32, "GetPrivateProfileStringW"},
    {mKernel32, "TryEnterCriticalSection"}, {mUser32, "InsertMenuItemW"}, {mUser32, "SendMessageW"},
    {mKernel32, "SetFileAttributesW"}, {mGdi32, "CreateFontIndirectW"}, {mUser32, "SystemParametersInfoW"},
    {mShell32, "SHGetPathFromIDListW"}, {mShell32, "SHFileOperationW"}, {mShell32, "SHBrowseForFolderW"},
    {mKernel32, "GetDiskFreeSpaceW"},
    // kernel32 has no such export; the name is looked up as it stands and stays nil.
    {mKernel32, "GetCurrentDirW"}, {mKernel32, "GetTempPathW"}, {mUser32, "AllowSetForegroundWindow"},
    {mShlwapi, "PathMatchSpecA"}, {mShlwapi, "PathMatchSpecW"}, {mKernel32, "CreateProcessW"},
    {mShell32, "SHDoDragDrop"}, {mShell32, "SHGetKnownFolderPath"}, {mKernel32, "ExpandEnvironmentStringsW"},
    {mUserenv, "ExpandEnvironmentStringsForUserW"}, {mUserenv, "ExpandEnvironmentStringsForUserA"},
    {mKernel32, "DeleteVolumeMountPointA"}, {mKernel32, "GetVolumeNameForVolumeMountPointA"},
    {mKernel32, "GetVolumePathNameA"}, {mKernel32, "SetVolumeMountPointA"}, {mKernel32, "FindFirstVolumeA"},
    {mKernel32, "FindNextVolumeA"}, {mKernel32, "FindVolumeClose"}, {mKernel32, "FindFirstVolumeMountPointA"},
    {mKernel32, "FindNextVolumeMountPointA"}, {mKernel32, "FindVolumeMountPointClose"},
    {mKernel32, "FindFirstFileExW"}, {mKernel32, "CopyFileW"},
};
// Bound on every platform.
constexpr TNamedEntry kAlwaysEntries[] = {
    {mKernel32, "GetDiskFreeSpaceA"}, {mUser32, "TrackMouseEvent"}, {mKernel32, "FindFirstFileExA"}};
constexpr WORD kShellOrdinals[] = {716, 701, 700};

std::array<FARPROC, std::size(kWideEntries)> wideBound{};
std::array<FARPROC, std::size(kAlwaysEntries)> alwaysBound{};
std::array<FARPROC, std::size(kShellOrdinals)> ordinalBound{};
TUnitCounter commonUtilitiesUnit;
constexpr const char* kShellExtensionTexts[6] = {
    "Shell extension registration", "Cannot register shell extension.", "Cannot unregister shell extension.",
    "Unable to find RegSvr32.exe executable.", "Unable to find extension DLL.", "RegSvr32.exe"};
TCommonPIDLManager* commonUtilitiesPIDLManager = nullptr;

FARPROC Bind(const std::array<HMODULE, mCount>& modules, const TNamedEntry& e) {
  return modules[e.Module] ? GetProcAddress(modules[e.Module], e.Name) : nullptr;
}

}  // namespace

std::array<std::string, 6> ShellExtensionTexts;
HMODULE GDI32Handle = nullptr, Advapi32Handle = nullptr, ShlwapiHandle = nullptr, UserenvHandle = nullptr;

void ShCommonUtilitiesInitialize() {
  if (!commonUtilitiesUnit.Starting()) return;
  SetUnitTexts(ShellExtensionTexts, kShellExtensionTexts);
  commonUtilitiesPIDLManager = new TCommonPIDLManager;
  std::array<HMODULE, mCount> modules{};
  modules[mShell32] = GetModuleHandle("shell32.dll");
  // The program imports shell32 where it comes from; here it loads on request.
  if (!modules[mShell32]) modules[mShell32] = LoadSharedLibrary("shell32.dll");
  modules[mKernel32] = GetModuleHandle("kernel32.dll");
  modules[mUser32] = GetModuleHandle("user32.dll");
  modules[mGdi32] = GDI32Handle = GetModuleHandle("gdi32.dll");
  modules[mAdvapi32] = Advapi32Handle = GetModuleHandle("advapi32.dll");
  modules[mShlwapi] = ShlwapiHandle = LoadSharedLibrary("shlwapi.dll");
  modules[mUserenv] = UserenvHandle = LoadSharedLibrary("Userenv.dll");
  alwaysBound[0] = Bind(modules, kAlwaysEntries[0]);
  alwaysBound[1] = Bind(modules, kAlwaysEntries[1]);
  if (IsUnicodePlatform())
    for (size_t i = 0; i < std::size(kWideEntries); ++i) wideBound[i] = Bind(modules, kWideEntries[i]);
  alwaysBound[2] = Bind(modules, kAlwaysEntries[2]);
  for (size_t i = 0; i < std::size(kShellOrdinals); ++i)
    ordinalBound[i] = modules[mShell32] ? GetProcAddress(modules[mShell32], MAKEINTRESOURCE(kShellOrdinals[i])) : nullptr;
}

void ShCommonUtilitiesFinalize() {
  if (!commonUtilitiesUnit.Stopping()) return;
  TCommonPIDLManager* manager = commonUtilitiesPIDLManager;
  commonUtilitiesPIDLManager = nullptr;
  delete manager;
  wideBound.fill(nullptr);
  alwaysBound.fill(nullptr);
  ordinalBound.fill(nullptr);
  GDI32Handle = Advapi32Handle = ShlwapiHandle = UserenvHandle = nullptr;
  FreeLoadedLibraries();
  ReleaseUnitTexts(ShellExtensionTexts);
}

FARPROC BoundEntryPoint(std::string_view name) {
  for (size_t i = 0; i < std::size(kAlwaysEntries); ++i)
    if (name == kAlwaysEntries[i].Name) return alwaysBound[i];
  for (size_t i = 0; i < std::size(kWideEntries); ++i)
    if (name == kWideEntries[i].Name) return wideBound[i];
  return nullptr;
}

FARPROC BoundShellOrdinal(WORD ordinal) {
  for (size_t i = 0; i < std::size(kShellOrdinals); ++i)
    if (kShellOrdinals[i] == ordinal) return ordinalBound[i];
  return nullptr;
}
