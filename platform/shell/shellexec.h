// Opening items the way the desktop does (xdg-open, found on PATH and
// started with posix_spawn) and the shell's file operations: copy, move,
// rename, and delete into the trash.
#pragma once

#include <cstdint>

#include "platform/shell/pidl.h"

constexpr uint32_t SEE_MASK_IDLIST = 0x4, SEE_MASK_INVOKEIDLIST = 0xC, SEE_MASK_NOCLOSEPROCESS = 0x40,
                   SEE_MASK_NOASYNC = 0x100;
// hInstApp's error values; a success leaves a value above 32.
constexpr intptr_t SE_ERR_FNF = 2, SE_ERR_ACCESSDENIED = 5, SE_ERR_NOASSOC = 31;

struct SHELLEXECUTEINFOW {
  uint32_t cbSize = sizeof(SHELLEXECUTEINFOW);
  uint32_t fMask = 0;
  void* hwnd = nullptr;
  const char* lpVerb = nullptr;        // null, "open" or "explore"; other verbs have no handler here
  const char* lpFile = nullptr;        // a path or a URL with a scheme
  const char* lpParameters = nullptr;  // not passed: the desktop's opener takes the item alone
  const char* lpDirectory = nullptr;   // the opener's working folder when it exists
  int32_t nShow = 1;
  intptr_t hInstApp = 0;
  PCIDL lpIDList = nullptr;  // with SEE_MASK_IDLIST: the item to open, in place of lpFile
  intptr_t hProcess = 0;     // the opener's process id; it is reaped by this process
};
// Starts "xdg-open <item>"; false with hInstApp and the error (ShellExecError)
// set when the record is not usable, the item does not exist or the opener
// cannot be started. The opener runs on; nothing waits for it.
bool ShellExecuteExW(SHELLEXECUTEINFOW* info);
// The error of the last failing call of this file on this thread (2 file not
// found, 5 access denied, 87 invalid parameter, 1155 no association, 183
// already exists, 0x71 destination inside the source).
uint32_t ShellExecError();

constexpr uint32_t FO_MOVE = 1, FO_COPY = 2, FO_DELETE = 3, FO_RENAME = 4;
constexpr uint16_t FOF_MULTIDESTFILES = 0x1, FOF_SILENT = 0x4, FOF_RENAMEONCOLLISION = 0x8,
                   FOF_NOCONFIRMATION = 0x10, FOF_ALLOWUNDO = 0x40, FOF_NOERRORUI = 0x400;

struct SHFILEOPSTRUCTW {
  void* hwnd = nullptr;
  uint32_t wFunc = 0;
  const char* pFrom = nullptr;  // names, each NUL-terminated, the list ended by a second NUL
  const char* pTo = nullptr;    // a folder, a new name, or with FOF_MULTIDESTFILES one name per source
  uint16_t fFlags = 0;
  int32_t fAnyOperationsAborted = 0;
  void* hNameMappings = nullptr;
  const char* lpszProgressTitle = nullptr;
};
// 0 when every item was handled, else the error of the first that failed
// with fAnyOperationsAborted set; the items before it stay done. Nothing is
// overwritten (a name taken fails, or gets " (2)" with FOF_RENAMEONCOLLISION),
// a move across file systems removes the source only after its copy is
// complete, and a delete always goes into the trash, so no call destroys a file.
int32_t SHFileOperationW(SHFILEOPSTRUCTW* operation);
