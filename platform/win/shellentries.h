// The entry points that the shell library binds at run time, beyond those the
// window system already exports: their signatures, and the exports the module
// table adds for them. A name with a meaning on Linux is a thin wrapper; one
// without answers "not implemented" (E_NOTIMPL from an HRESULT call, else the
// call's failure value with ERROR_CALL_NOT_IMPLEMENTED as the last error).
// Structures this platform does not model yet travel as void*.
// Text is UTF-8 as everywhere in the module table: std::string_view in, char
// buffers out, sizes in bytes.
#pragma once

#include <string_view>
#include <vector>

#include "platform/win/winerror.h"
#include "platform/win/winuser.h"

class TCriticalSection;

namespace win {

// kernel32
using PFN_GetDiskFreeSpaceA = BOOL (*)(std::string_view root, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                                       DWORD* freeClusters, DWORD* clusters);
using PFN_GetDriveTypeW = UINT (*)(std::string_view root);
using PFN_CreateFileW = HANDLE (*)(std::string_view name, DWORD access, DWORD share, void* security,
                                   DWORD disposition, DWORD flags, HANDLE templateFile);
// findData is a TWin32FindData of platform/shell/fileapi.h.
using PFN_FindFirstFileW = HANDLE (*)(std::string_view pattern, void* findData);
using PFN_FindNextFileW = BOOL (*)(HANDLE find, void* findData);
using PFN_lstrcmpW = int (*)(std::string_view a, std::string_view b);
using PFN_lstrcpynW = char* (*)(char* dst, std::string_view src, int size);
using PFN_lstrcpyW = char* (*)(char* dst, std::string_view src);
using PFN_CreateDirectoryW = BOOL (*)(std::string_view path, void* security);
using PFN_GetFullPathNameW = DWORD (*)(std::string_view name, DWORD size, char* buffer, char** filePart);
using PFN_FindFirstChangeNotificationW = HANDLE (*)(std::string_view path, BOOL subtree, DWORD filter);
using PFN_GetFileAttributesW = DWORD (*)(std::string_view name);
using PFN_GetFolderW = UINT (*)(char* buffer, UINT size);  // GetSystemDirectoryW, GetWindowsDirectoryW
using PFN_GetDiskFreeSpaceExW = BOOL (*)(std::string_view root, uint64_t* availableToCaller, uint64_t* total,
                                         uint64_t* totalFree);
using PFN_GetNumberFormatW = int (*)(uint32_t locale, DWORD flags, std::string_view value, const void* format,
                                     char* buffer, int size);
using PFN_WritePrivateProfileStringW = BOOL (*)(std::string_view section, std::string_view key,
                                                std::string_view value, std::string_view file);
using PFN_GetPrivateProfileStringW = DWORD (*)(std::string_view section, std::string_view key,
                                               std::string_view fallback, char* buffer, DWORD size,
                                               std::string_view file);
using PFN_TryEnterCriticalSection = BOOL (*)(TCriticalSection* section);
using PFN_SetFileAttributesW = BOOL (*)(std::string_view name, DWORD attributes);
using PFN_GetTempPathW = DWORD (*)(DWORD size, char* buffer);
using PFN_CreateProcessW = BOOL (*)(std::string_view application, char* commandLine, void* processSecurity,
                                    void* threadSecurity, BOOL inherit, DWORD flags, void* environment,
                                    std::string_view folder, void* startupInfo, void* processInfo);
using PFN_ExpandEnvironmentStringsW = DWORD (*)(std::string_view source, char* buffer, DWORD size);
using PFN_VolumeMountPointA = BOOL (*)(std::string_view mountPoint);  // DeleteVolumeMountPointA
using PFN_GetVolumeNameForVolumeMountPointA = BOOL (*)(std::string_view mountPoint, char* name, DWORD size);
using PFN_GetVolumePathNameA = BOOL (*)(std::string_view name, char* path, DWORD size);
using PFN_SetVolumeMountPointA = BOOL (*)(std::string_view mountPoint, std::string_view volume);
using PFN_FindFirstVolumeA = HANDLE (*)(char* name, DWORD size);
using PFN_FindNextVolumeA = BOOL (*)(HANDLE find, char* name, DWORD size);
using PFN_FindClose = BOOL (*)(HANDLE find);  // FindClose, FindVolumeClose, FindVolumeMountPointClose
using PFN_FindFirstVolumeMountPointA = HANDLE (*)(std::string_view volume, char* name, DWORD size);
using PFN_FindFirstFileEx = HANDLE (*)(std::string_view pattern, int infoLevel, void* findData, int searchOp,
                                       void* filter, DWORD flags);
using PFN_CopyFileW = BOOL (*)(std::string_view from, std::string_view to, BOOL failIfExists);
// user32
using PFN_CharBuffW = DWORD (*)(char* text, DWORD length);  // CharLowerBuffW, CharUpperBuffW
using PFN_InsertMenuItemW = BOOL (*)(HMENU menu, UINT item, BOOL byPosition, const void* info);
using PFN_AllowSetForegroundWindow = BOOL (*)(DWORD processId);
// gdi32
using PFN_GetCharABCWidthsW = BOOL (*)(HDC dc, UINT first, UINT last, void* widths);
// advapi32: the registry's calls answer an error code.
using PFN_RegOpenKeyW = int32_t (*)(HANDLE key, std::string_view subKey, HANDLE* result);
using PFN_RegOpenKeyExW = int32_t (*)(HANDLE key, std::string_view subKey, DWORD options, DWORD access,
                                      HANDLE* result);
using PFN_RegQueryValueW = int32_t (*)(HANDLE key, std::string_view subKey, char* value, int32_t* size);
// shlwapi
using PFN_PathMatchSpec = BOOL (*)(std::string_view file, std::string_view patterns);
// userenv
using PFN_ExpandEnvironmentStringsForUser = BOOL (*)(HANDLE token, std::string_view source, char* buffer,
                                                     DWORD size);
// shell32
// path is a NUL-terminated UTF-8 path, or with SHGFI_PIDL an item-ID list;
// info a SHFILEINFOW of platform/shell/shellinfo.h.
using PFN_SHGetFileInfoW = DWORD_PTR (*)(const char* pathOrPidl, DWORD attributes, void* info, UINT infoSize,
                                         UINT flags);
// format 1 fills a TWin32FindData (platform/shell/fileapi.h), 3 a SHDESCRIPTIONID
// (platform/shell/shellinfo.h); folder is not needed, the list's snapshot has it all.
using PFN_SHGetDataFromIDListW = HRESULT (*)(void* folder, const uint8_t* pidl, int format, void* data, int size);
// info is a SHELLEXECUTEINFOW, operation a SHFILEOPSTRUCTW of platform/shell/shellexec.h.
using PFN_ShellExecuteExW = BOOL (*)(void* info);
using PFN_ShellExecuteW = HINSTANCE (*)(HWND wnd, std::string_view verb, std::string_view file,
                                        std::string_view parameters, std::string_view folder, int show);
using PFN_SHGetPathFromIDListW = BOOL (*)(const uint8_t* pidl, char* path);
using PFN_SHFileOperationW = int (*)(void* operation);
using PFN_SHBrowseForFolderW = uint8_t* (*)(void* info);
using PFN_SHDoDragDrop = HRESULT (*)(HWND wnd, void* dataObject, void* dropSource, DWORD effect, DWORD* result);
using PFN_SHGetKnownFolderPath = HRESULT (*)(const void* folderId, DWORD flags, HANDLE token, char** path);
using PFN_ILIsEqual = BOOL (*)(const uint8_t* a, const uint8_t* b);                   // ordinal 21
using PFN_ILIsParent = BOOL (*)(const uint8_t* parent, const uint8_t* child, BOOL immediate);  // ordinal 23
// Ordinals 2 and 4: change notifications for a window (entries are
// SHChangeNotifyEntry records of platform/shell/changenotify.h); the window
// receives msg with a notification handle and the process id.
using PFN_SHChangeNotifyRegister = DWORD (*)(HWND wnd, int sources, int32_t events, UINT msg, int count,
                                             const void* entries);
using PFN_SHChangeNotifyDeregister = BOOL (*)(DWORD id);
// Ordinals 644 and 645: the pair of item lists and the event of a delivered
// notification; unlocking frees it.
using PFN_SHChangeNotification_Lock = HANDLE (*)(HANDLE change, DWORD processId, uint8_t*** pidls, int32_t* event);
using PFN_SHChangeNotification_Unlock = BOOL (*)(HANDLE lock);
using PFN_FileIconInit = BOOL (*)(BOOL restoreCache);  // ordinal 660

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(intptr_t(-1));
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// The exports above, by module: entries for modules the table already has are
// added to them (an entry point it already exports keeps its own), the other
// modules are added whole.
std::vector<ModuleDefinition> ShellModuleExports();

// The file version of a module of the table, high word major, low word minor
// (comctl32: 6.10); 0xFFFFFFFF when it cannot be read.
DWORD GetModuleFileVersion(LPCSTR name);

}  // namespace win
