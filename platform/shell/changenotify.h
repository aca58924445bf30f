// Shell change notifications over inotify. A registration watches the
// folders of some item lists (with their subfolders when recursive) and posts
// its message for every change whose event it asked for. The message carries
// a notification handle (wParam) and the process id (lParam); the receiver
// locks the handle to read the event and the pair of item lists (the item,
// and its new name for renames), then unlocks it, which frees it.
//
// Posting goes through the poster given at registration (the window system
// passes its PostMessage), so this layer knows no windows. Notifications a
// receiver never unlocks are freed when their registration ends, and a
// registration keeps at most 1024 of them (the oldest go first).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/shell/pidl.h"

// Events.
constexpr int32_t SHCNE_RENAMEITEM = 0x1, SHCNE_CREATE = 0x2, SHCNE_DELETE = 0x4, SHCNE_MKDIR = 0x8,
                  SHCNE_RMDIR = 0x10, SHCNE_ATTRIBUTES = 0x800, SHCNE_UPDATEDIR = 0x1000, SHCNE_UPDATEITEM = 0x2000,
                  SHCNE_RENAMEFOLDER = 0x20000, SHCNE_ALLEVENTS = 0x7FFFFFFF;
// Sources; every change here comes from the file system, so any of the two
// levels hears it.
constexpr int32_t SHCNRF_InterruptLevel = 0x1, SHCNRF_ShellLevel = 0x2, SHCNRF_RecursiveInterrupt = 0x1000,
                  SHCNRF_NewDelivery = 0x8000;

struct SHChangeNotifyEntry {
  PCIDL pidl = nullptr;
  int32_t fRecursive = 0;
};

// Posts message with wParam and lParam to window; false when the window is gone.
using TChangePoster = bool (*)(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// The registration's id, 0 when nothing could be watched (no entry names an
// existing folder, a malformed list, no poster, or inotify is unavailable).
uint32_t ShellChangeNotifyRegister(void* window, int32_t sources, int32_t events, uint32_t message, int32_t count,
                                   const SHChangeNotifyEntry* entries, TChangePoster post);
bool ShellChangeNotifyDeregister(uint32_t id);
// The lock of a delivered notification: pidls receives its two lists (the
// second may be null), event its event. Null for an unknown handle.
void* ShellChangeNotificationLock(void* change, uint32_t processId, PIDL** pidls, int32_t* event);
// Frees the notification and its lists.
bool ShellChangeNotificationUnlock(void* lock);
// Registrations and undelivered notifications alive (for leak checks).
size_t ShellChangeRegistrationCount();
size_t ShellChangeNotificationCount();
