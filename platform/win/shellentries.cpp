// The shell library's run-time entry points: thin wrappers where Linux has
// the thing, "not implemented" answers where it has not.
#include "platform/win/shellentries.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "platform/classes/threads.h"
#include "platform/gdi/text.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/shell/changenotify.h"
#include "platform/shell/pidl.h"
#include "platform/shell/shell.h"
#include "platform/shell/shellexec.h"
#include "platform/shell/shellinfo.h"
#include "platform/shell/shellpaths.h"
#include "platform/shell/volumes.h"

namespace win {

namespace {

thread_local uint32_t t_lastError = ERROR_SUCCESS;

template <class F>
FARPROC Addr(F f) {
  return reinterpret_cast<FARPROC>(f);
}

// A stub with the entry point's exact signature answering V.
template <class F, intptr_t V, bool SetsLastError>
struct StubOf;
template <class R, class... A, intptr_t V, bool SetsLastError>
struct StubOf<R (*)(A...), V, SetsLastError> {
  static R Call(A...) {
    if (SetsLastError) SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    if constexpr (std::is_pointer_v<R>) return reinterpret_cast<R>(V);
    else return R(V);
  }
};
template <class F, intptr_t Failure>
FARPROC Fails() {
  return Addr(&StubOf<F, Failure, true>::Call);
}
template <class F>
FARPROC NotImpl() {
  return Addr(&StubOf<F, E_NOTIMPL, false>::Call);
}
// The registry's calls answer the error itself.
template <class F>
FARPROC RegistryNotImpl() {
  return Addr(&StubOf<F, ERROR_CALL_NOT_IMPLEMENTED, true>::Call);
}

constexpr intptr_t kInvalidHandle = -1;

// Copies text with its NUL into buffer of size bytes; the length without the
// NUL, or the size it needs (NUL included) when it does not fit.
DWORD CopyOut(const std::string& text, char* buffer, DWORD size) {
  if (!buffer || text.size() + 1 > size) return DWORD(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return DWORD(text.size());
}

std::u32string Folded(std::string_view s, bool ignoreCase) {
  std::u32string u = Utf8ToUtf32(s);
  if (ignoreCase)
    for (char32_t& c : u) c = CpUpperChar(c);
  return u;
}
int Compare(std::string_view a, std::string_view b, bool ignoreCase) {
  const std::u32string x = Folded(a, ignoreCase), y = Folded(b, ignoreCase);
  return x < y ? -1 : x == y ? 0 : 1;
}

// Kernel32's text calls compare code point by code point.
int LinuxLstrcmpW(std::string_view a, std::string_view b) { return Compare(a, b, false); }
int LinuxLstrcmpiW(std::string_view a, std::string_view b) { return Compare(a, b, true); }

// At most size - 1 bytes and never half a character, then the NUL.
char* LinuxLstrcpynW(char* dst, std::string_view src, int size) {
  if (!dst || size <= 0) return nullptr;
  size_t n = std::min(src.size(), size_t(size - 1));
  while (n > 0 && n < src.size() && (uint8_t(src[n]) & 0xC0) == 0x80) --n;
  std::memcpy(dst, src.data(), n);
  dst[n] = 0;
  return dst;
}
char* LinuxLstrcpyW(char* dst, std::string_view src) {
  if (!dst) return nullptr;
  std::memcpy(dst, src.data(), src.size());
  dst[src.size()] = 0;
  return dst;
}

UINT LinuxGetDriveTypeW(std::string_view root) { return UINT(::GetDriveTypeW(root)); }

// File searches, attributes and disk space: the calls of platform/shell/fileapi.h
// with their error as the thread's last error.
template <class T>
T WithLastError(T result, bool failed) {
  if (failed) SetLastError(ShellFileError());
  return result;
}
HANDLE LinuxFindFirstFileW(std::string_view pattern, void* findData) {
  const TFindHandle h = ::FindFirstFileW(pattern, static_cast<TWin32FindData*>(findData));
  return WithLastError(h == kInvalidFindHandle ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(h),
                       h == kInvalidFindHandle);
}
BOOL LinuxFindNextFileW(HANDLE find, void* findData) {
  const bool ok = ::FindNextFileW(reinterpret_cast<TFindHandle>(find), static_cast<TWin32FindData*>(findData));
  return WithLastError(ok ? TRUE : FALSE, !ok);
}
BOOL LinuxFindClose(HANDLE find) {
  const bool ok = ::FindClose(reinterpret_cast<TFindHandle>(find));
  return WithLastError(ok ? TRUE : FALSE, !ok);
}
DWORD LinuxGetFileAttributesW(std::string_view name) {
  const uint32_t a = ::GetFileAttributesW(name);
  return WithLastError(DWORD(a), a == INVALID_FILE_ATTRIBUTES);
}
BOOL LinuxGetDiskFreeSpaceExW(std::string_view root, uint64_t* available, uint64_t* total, uint64_t* totalFree) {
  const bool ok = ::GetDiskFreeSpaceExW(root, available, total, totalFree);
  return WithLastError(ok ? TRUE : FALSE, !ok);
}
BOOL LinuxGetDiskFreeSpaceW(std::string_view root, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                            DWORD* freeClusters, DWORD* clusters) {
  const bool ok = ::GetDiskFreeSpaceW(root, sectorsPerCluster, bytesPerSector, freeClusters, clusters);
  return WithLastError(ok ? TRUE : FALSE, !ok);
}

BOOL LinuxSHGetPathFromIDListW(const uint8_t* pidl, char* path) { return ::SHGetPathFromIDListW(pidl, path); }

constexpr int SHGDFIL_FINDDATA = 1, SHGDFIL_DESCRIPTIONID = 3;
HRESULT LinuxSHGetDataFromIDListW(void*, const uint8_t* pidl, int format, void* data, int size) {
  if (!data) return E_INVALIDARG;
  switch (format) {
    case SHGDFIL_FINDDATA:
      if (size < int(sizeof(TWin32FindData))) return E_INVALIDARG;
      return ItemFindData(pidl, static_cast<TWin32FindData*>(data)) ? S_OK : E_FAIL;
    case SHGDFIL_DESCRIPTIONID:
      if (size < int(sizeof(SHDESCRIPTIONID))) return E_INVALIDARG;
      return ItemDescriptionId(pidl, static_cast<SHDESCRIPTIONID*>(data)) ? S_OK : E_FAIL;
    default:
      return E_INVALIDARG;  // no network resources here
  }
}
DWORD_PTR LinuxSHGetFileInfoW(const char* pathOrPidl, DWORD attributes, void* info, UINT infoSize, UINT flags) {
  return ::SHGetFileInfoW(pathOrPidl, attributes, static_cast<SHFILEINFOW*>(info), infoSize, flags);
}

BOOL LinuxTryEnterCriticalSection(TCriticalSection* section) {
  return section && section->TryEnter() ? TRUE : FALSE;
}

DWORD LinuxGetTempPathW(DWORD size, char* buffer) { return CopyOut(TempFolder(), buffer, size); }

// %NAME% becomes the variable's value; an unknown name stays as written.
std::string Expand(std::string_view s) {
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    const size_t open = s.find('%', i);
    const size_t close = open == std::string_view::npos ? open : s.find('%', open + 1);
    if (close == std::string_view::npos) break;
    out.append(s.substr(i, open - i));
    const std::string name(s.substr(open + 1, close - open - 1));
    const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
    if (value) {
      out += value;
      i = close + 1;
    } else {
      out += '%';  // the closing % may open the next name
      out.append(name);
      i = close;
    }
  }
  out.append(s.substr(std::min(i, s.size())));
  return out;
}
// The size the expansion needs, NUL included; the buffer holds it when it fits.
DWORD LinuxExpandEnvironmentStringsW(std::string_view source, char* buffer, DWORD size) {
  const std::string text = Expand(source);
  if (buffer && text.size() + 1 <= size) std::memcpy(buffer, text.c_str(), text.size() + 1);
  return DWORD(text.size() + 1);
}
// Only the running user exists here, whatever the token.
BOOL LinuxExpandEnvironmentStringsForUser(HANDLE, std::string_view source, char* buffer, DWORD size) {
  const std::string text = Expand(source);
  if (!buffer || text.size() + 1 > size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return TRUE;
}

// Maps each character in place where its mapping keeps its byte length.
DWORD MapCase(char* text, DWORD length, bool upper) {
  if (!text) return 0;
  size_t i = 0;
  while (i < length) {
    size_t n = 1;
    const uint8_t lead = uint8_t(text[i]);
    if (lead >= 0xF0) n = 4;
    else if (lead >= 0xE0) n = 3;
    else if (lead >= 0xC0) n = 2;
    if (i + n > length) break;
    const std::u32string u = Utf8ToUtf32(std::string_view(text + i, n));
    if (u.size() == 1) {
      const std::string mapped = Utf32ToUtf8(std::u32string(1, upper ? CpUpperChar(u[0]) : CpLowerChar(u[0])));
      if (mapped.size() == n) std::memcpy(text + i, mapped.data(), n);
    }
    i += n;
  }
  return length;
}
DWORD LinuxCharLowerBuffW(char* text, DWORD length) { return MapCase(text, length, false); }
DWORD LinuxCharUpperBuffW(char* text, DWORD length) { return MapCase(text, length, true); }

// * and ? ignoring case, against each of the ';'-separated patterns.
bool Matches(const std::u32string& s, size_t si, const std::u32string& p, size_t pi) {
  size_t star = std::u32string::npos, mark = 0;
  while (si < s.size()) {
    if (pi < p.size() && (p[pi] == U'?' || p[pi] == s[si])) {
      ++si, ++pi;
    } else if (pi < p.size() && p[pi] == U'*') {
      star = pi++, mark = si;
    } else if (star != std::u32string::npos) {
      pi = star + 1, si = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == U'*') ++pi;
  return pi == p.size();
}
BOOL MatchPathPatterns(std::string_view file, std::string_view patterns) {
  const std::u32string name = Folded(file, true);
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(';', start);
    if (end == std::string_view::npos) end = patterns.size();
    std::string_view one = patterns.substr(start, end - start);
    while (!one.empty() && one.front() == ' ') one.remove_prefix(1);
    if (!one.empty() && Matches(name, 0, Folded(one, true), 0)) return TRUE;
    start = end + 1;
  }
  return FALSE;
}

HRESULT NoSHGetKnownFolderPath(const void*, DWORD, HANDLE, char** path) {
  if (path) *path = nullptr;
  return E_NOTIMPL;
}

BOOL ShellILIsEqual(const uint8_t* a, const uint8_t* b) { return ILIsEqual(a, b); }
BOOL ShellILIsParent(const uint8_t* parent, const uint8_t* child, BOOL immediate) {
  return ILIsParent(parent, child, immediate);
}

bool PostToWindow(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return PostMessage(static_cast<HWND>(window), message, wParam, lParam);
}
DWORD ShellChangeNotifyRegister(HWND wnd, int sources, int32_t events, UINT msg, int count, const void* entries) {
  if (!IsWindow(wnd)) return 0;
  return ::ShellChangeNotifyRegister(wnd, sources, events, msg, count,
                                     static_cast<const SHChangeNotifyEntry*>(entries), &PostToWindow);
}
BOOL ShellChangeNotifyDeregister(DWORD id) { return ::ShellChangeNotifyDeregister(id); }
HANDLE ShellChangeNotificationLock(HANDLE change, DWORD processId, uint8_t*** pidls, int32_t* event) {
  int32_t e = 0;
  HANDLE lock = ::ShellChangeNotificationLock(change, processId, pidls, &e);
  if (lock && event) *event = e;
  return lock;
}
BOOL ShellChangeNotificationUnlock(HANDLE lock) { return ::ShellChangeNotificationUnlock(lock); }
BOOL LinuxShellExecuteExW(void* info) {
  if (::ShellExecuteExW(static_cast<SHELLEXECUTEINFOW*>(info))) return TRUE;
  SetLastError(ShellExecError());
  return FALSE;
}
// Its answer is the record's instance value: above 32 on success, else the error.
HINSTANCE LinuxShellExecuteW(HWND wnd, std::string_view verb, std::string_view file, std::string_view parameters,
                             std::string_view folder, int show) {
  const std::string v(verb), f(file), p(parameters), d(folder);
  SHELLEXECUTEINFOW info;
  info.hwnd = wnd;
  info.lpVerb = v.empty() ? nullptr : v.c_str();
  info.lpFile = f.c_str();
  info.lpParameters = p.c_str();
  info.lpDirectory = d.c_str();
  info.nShow = show;
  LinuxShellExecuteExW(&info);
  return reinterpret_cast<HINSTANCE>(info.hInstApp);
}
int LinuxSHFileOperationW(void* operation) {
  return ::SHFileOperationW(static_cast<SHFILEOPSTRUCTW*>(operation));
}

// The system icons are this platform's own and always ready.
BOOL ShellFileIconInit(BOOL) { return TRUE; }

}  // namespace

void SetLastError(uint32_t code) { t_lastError = code; }
uint32_t GetLastError() { return t_lastError; }

std::vector<ModuleDefinition> ShellModuleExports() {
  ModuleDefinition kernel32{
      "kernel32.dll",
      {
          {"GetDiskFreeSpaceA", 0, Fails<PFN_GetDiskFreeSpaceA, FALSE>()},
          {"GetDriveTypeW", 0, Addr(static_cast<PFN_GetDriveTypeW>(&LinuxGetDriveTypeW))},
          {"CreateFileW", 0, Fails<PFN_CreateFileW, kInvalidHandle>()},
          {"FindFirstFileW", 0, Addr(static_cast<PFN_FindFirstFileW>(&LinuxFindFirstFileW))},
          {"FindNextFileW", 0, Addr(static_cast<PFN_FindNextFileW>(&LinuxFindNextFileW))},
          {"FindClose", 0, Addr(static_cast<PFN_FindClose>(&LinuxFindClose))},
          {"lstrcmpiW", 0, Addr(static_cast<PFN_lstrcmpW>(&LinuxLstrcmpiW))},
          {"lstrcmpW", 0, Addr(static_cast<PFN_lstrcmpW>(&LinuxLstrcmpW))},
          {"lstrcpynW", 0, Addr(static_cast<PFN_lstrcpynW>(&LinuxLstrcpynW))},
          {"lstrcpyW", 0, Addr(static_cast<PFN_lstrcpyW>(&LinuxLstrcpyW))},
          {"CreateDirectoryW", 0, Fails<PFN_CreateDirectoryW, FALSE>()},
          {"GetFullPathNameW", 0, Fails<PFN_GetFullPathNameW, 0>()},
          {"FindFirstChangeNotificationW", 0, Fails<PFN_FindFirstChangeNotificationW, kInvalidHandle>()},
          {"GetFileAttributesW", 0, Addr(static_cast<PFN_GetFileAttributesW>(&LinuxGetFileAttributesW))},
          {"GetSystemDirectoryW", 0, Fails<PFN_GetFolderW, 0>()},
          {"GetWindowsDirectoryW", 0, Fails<PFN_GetFolderW, 0>()},
          {"GetDiskFreeSpaceExW", 0, Addr(static_cast<PFN_GetDiskFreeSpaceExW>(&LinuxGetDiskFreeSpaceExW))},
          {"GetNumberFormatW", 0, Fails<PFN_GetNumberFormatW, 0>()},
          {"WritePrivateProfileStringW", 0, Fails<PFN_WritePrivateProfileStringW, FALSE>()},
          {"GetPrivateProfileStringW", 0, Fails<PFN_GetPrivateProfileStringW, 0>()},
          {"TryEnterCriticalSection", 0,
           Addr(static_cast<PFN_TryEnterCriticalSection>(&LinuxTryEnterCriticalSection))},
          {"SetFileAttributesW", 0, Fails<PFN_SetFileAttributesW, FALSE>()},
          {"GetDiskFreeSpaceW", 0, Addr(static_cast<PFN_GetDiskFreeSpaceA>(&LinuxGetDiskFreeSpaceW))},
          // No "GetCurrentDirW": the shell library looks that misspelt name up
          // and relies on finding nothing.
          {"GetTempPathW", 0, Addr(static_cast<PFN_GetTempPathW>(&LinuxGetTempPathW))},
          {"CreateProcessW", 0, Fails<PFN_CreateProcessW, FALSE>()},
          {"ExpandEnvironmentStringsW", 0,
           Addr(static_cast<PFN_ExpandEnvironmentStringsW>(&LinuxExpandEnvironmentStringsW))},
          {"DeleteVolumeMountPointA", 0, Fails<PFN_VolumeMountPointA, FALSE>()},
          {"GetVolumeNameForVolumeMountPointA", 0, Fails<PFN_GetVolumeNameForVolumeMountPointA, FALSE>()},
          {"GetVolumePathNameA", 0, Fails<PFN_GetVolumePathNameA, FALSE>()},
          {"SetVolumeMountPointA", 0, Fails<PFN_SetVolumeMountPointA, FALSE>()},
          {"FindFirstVolumeA", 0, Fails<PFN_FindFirstVolumeA, kInvalidHandle>()},
          {"FindNextVolumeA", 0, Fails<PFN_FindNextVolumeA, FALSE>()},
          {"FindVolumeClose", 0, Fails<PFN_FindClose, FALSE>()},
          {"FindFirstVolumeMountPointA", 0, Fails<PFN_FindFirstVolumeMountPointA, kInvalidHandle>()},
          {"FindNextVolumeMountPointA", 0, Fails<PFN_FindNextVolumeA, FALSE>()},
          {"FindVolumeMountPointClose", 0, Fails<PFN_FindClose, FALSE>()},
          {"FindFirstFileExW", 0, Fails<PFN_FindFirstFileEx, kInvalidHandle>()},
          {"CopyFileW", 0, Fails<PFN_CopyFileW, FALSE>()},
          {"FindFirstFileExA", 0, Fails<PFN_FindFirstFileEx, kInvalidHandle>()},
      }};
  ModuleDefinition user32{
      "user32.dll",
      {
          {"DrawTextW", 0, Addr(&DrawTextW)},
          {"CharLowerBuffW", 0, Addr(static_cast<PFN_CharBuffW>(&LinuxCharLowerBuffW))},
          {"CharUpperBuffW", 0, Addr(static_cast<PFN_CharBuffW>(&LinuxCharUpperBuffW))},
          {"SetWindowTextW", 0, Addr(&SetWindowText)},
          {"InsertMenuItemW", 0, Fails<PFN_InsertMenuItemW, FALSE>()},
          {"SendMessageW", 0, Addr(&SendMessage)},
          {"AllowSetForegroundWindow", 0, Fails<PFN_AllowSetForegroundWindow, FALSE>()},
      }};
  ModuleDefinition gdi32{"gdi32.dll",
                         {
                             {"GetCharABCWidthsW", 0, Fails<PFN_GetCharABCWidthsW, FALSE>()},
                             {"CreateFontIndirectW", 0, Addr(&CreateFontIndirectW)},
                         }};
  ModuleDefinition advapi32{"advapi32.dll",
                            {
                                {"RegOpenKeyW", 0, RegistryNotImpl<PFN_RegOpenKeyW>()},
                                {"RegOpenKeyExW", 0, RegistryNotImpl<PFN_RegOpenKeyExW>()},
                                {"RegQueryValueW", 0, RegistryNotImpl<PFN_RegQueryValueW>()},
                            }};
  ModuleDefinition shlwapi{"shlwapi.dll",
                           {
                               {"PathMatchSpecA", 0, Addr(static_cast<PFN_PathMatchSpec>(&MatchPathPatterns))},
                               {"PathMatchSpecW", 0, Addr(static_cast<PFN_PathMatchSpec>(&MatchPathPatterns))},
                           },
                           true};
  ModuleDefinition userenv{
      "Userenv.dll",
      {
          {"ExpandEnvironmentStringsForUserW", 0,
           Addr(static_cast<PFN_ExpandEnvironmentStringsForUser>(&LinuxExpandEnvironmentStringsForUser))},
          {"ExpandEnvironmentStringsForUserA", 0,
           Addr(static_cast<PFN_ExpandEnvironmentStringsForUser>(&LinuxExpandEnvironmentStringsForUser))},
      },
      true};
  // Ordinals 701 and 716 come with the context menus; 700 and 747 have no meaning here.
  ModuleDefinition shell32{
      "shell32.dll",
      {
          {"ILIsEqual", 21, Addr(static_cast<PFN_ILIsEqual>(&ShellILIsEqual))},
          {"ILIsParent", 23, Addr(static_cast<PFN_ILIsParent>(&ShellILIsParent))},
          {"SHChangeNotifyRegister", 2, Addr(static_cast<PFN_SHChangeNotifyRegister>(&ShellChangeNotifyRegister))},
          {"SHChangeNotifyDeregister", 4,
           Addr(static_cast<PFN_SHChangeNotifyDeregister>(&ShellChangeNotifyDeregister))},
          {"SHChangeNotification_Lock", 644,
           Addr(static_cast<PFN_SHChangeNotification_Lock>(&ShellChangeNotificationLock))},
          {"SHChangeNotification_Unlock", 645,
           Addr(static_cast<PFN_SHChangeNotification_Unlock>(&ShellChangeNotificationUnlock))},
          {"FileIconInit", 660, Addr(static_cast<PFN_FileIconInit>(&ShellFileIconInit))},
          {"SHGetFileInfoW", 0, Addr(static_cast<PFN_SHGetFileInfoW>(&LinuxSHGetFileInfoW))},
          {"SHGetDataFromIDListW", 0, Addr(static_cast<PFN_SHGetDataFromIDListW>(&LinuxSHGetDataFromIDListW))},
          {"ShellExecuteExW", 0, Addr(static_cast<PFN_ShellExecuteExW>(&LinuxShellExecuteExW))},
          {"ShellExecuteW", 0, Addr(static_cast<PFN_ShellExecuteW>(&LinuxShellExecuteW))},
          {"SHGetPathFromIDListW", 0, Addr(static_cast<PFN_SHGetPathFromIDListW>(&LinuxSHGetPathFromIDListW))},
          {"SHFileOperationW", 0, Addr(static_cast<PFN_SHFileOperationW>(&LinuxSHFileOperationW))},
          {"SHBrowseForFolderW", 0, Fails<PFN_SHBrowseForFolderW, 0>()},
          {"SHDoDragDrop", 0, NotImpl<PFN_SHDoDragDrop>()},
          {"SHGetKnownFolderPath", 0, Addr(static_cast<PFN_SHGetKnownFolderPath>(&NoSHGetKnownFolderPath))},
      },
      true};
  // Loaded on request like the other optional libraries; its only use here is its version.
  ModuleDefinition comctl32{"comctl32.dll", {}, true};
  return {kernel32, user32, gdi32, advapi32, shlwapi, userenv, shell32, comctl32};
}

DWORD GetModuleFileVersion(LPCSTR name) {
  if (!name || IS_INTRESOURCE(name)) return 0xFFFFFFFF;
  std::string n = name;
  for (char& c : n) c = char(std::tolower(uint8_t(c)));
  if (n == "comctl32" || n == "comctl32.dll") return DWORD(6) << 16 | 10;
  return 0xFFFFFFFF;
}

}  // namespace win
