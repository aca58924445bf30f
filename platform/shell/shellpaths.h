// Where the shell's items live on disk: the XDG user folders, the special
// folders by CSIDL, the snapshot item of a file, and the two-way mapping
// between absolute paths and item-ID lists.
//
//   desktop (empty list)        the desktop folder's contents are virtual;
//   [Computer]                  its parsing name is the desktop directory
//   [Computer][volume]          a mount point ("/", "/media/usb")
//   [Computer][volume][a][b]    volume path + "/a/b"
//   [Trash][entry]              $XDG_DATA_HOME/Trash/files/<entry>
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell/pidl.h"

struct TVolume;

// A folder of $XDG_CONFIG_HOME/user-dirs.dirs ("DESKTOP", "DOCUMENTS",
// "TEMPLATES", ...): its value when the line is well-formed ("$HOME/..." or an
// absolute path in double quotes), else "".
std::string XdgUserDir(const std::string& name);
// XDG_DESKTOP_DIR, else ~/Desktop; it need not exist.
std::string DesktopDirectory();
// The home trash's files folder.
std::string TrashFilesDirectory();

// The item of a virtual folder, and of a volume under Computer.
TPidlItem VirtualItem(const TGUID& folder);
TPidlItem VolumeItem(const TVolume& volume);

// The special folders the shell library asks for.
enum : int32_t {
  CSIDL_DESKTOP = 0, CSIDL_PROGRAMS = 2, CSIDL_CONTROLS = 3, CSIDL_PRINTERS = 4, CSIDL_PERSONAL = 5,
  CSIDL_FAVORITES = 6, CSIDL_BITBUCKET = 10, CSIDL_DESKTOPDIRECTORY = 16, CSIDL_DRIVES = 17, CSIDL_NETWORK = 18,
  CSIDL_TEMPLATES = 21, CSIDL_APPDATA = 26, CSIDL_HISTORY = 34
};
// The items of a special folder; nothing when it has no meaning here (history,
// favourites, unknown numbers) or its folder does not exist.
std::optional<std::vector<TPidlItem>> SpecialFolderItems(int32_t csidl);

// A name one folder entry can have: not empty, ".", "..", nor holding "/" or NUL.
bool ValidChildName(std::string_view name);

// The snapshot item of the entry name in folder (lstat, so a link is itself):
// a folder, a file, or a link (a symbolic link, or a .desktop file that reads
// as a link). A dangling link is a link without the folder bit. Nothing when
// the entry cannot be reached.
std::optional<TPidlItem> ItemOfEntry(const std::string& folder, const std::string& name);

// Whether the permission bits of path let this user write it: the owner's,
// group's or others' write bit by who we are. The superuser's exemption does
// not count, so a read-only file shows as read-only to everyone.
bool PermitsWriting(const std::string& path);

// The items of an absolute path, every element checked on disk; nothing for
// a relative path, a missing element or an element that is not a folder on
// the way. "." and ".." are resolved textually, repeated slashes collapse.
std::optional<std::vector<TPidlItem>> ItemsOfPath(const std::string& path);
// The file-system path of items; nothing for virtual folders and malformed
// lists. The desktop gives the desktop directory.
std::optional<std::string> PathOfItems(const std::vector<TPidlItem>& items);

// Shell32's SHGetPathFromIDListW: the path into path (room for 260 bytes
// assumed, as the caller's buffer is that size); false for items without one,
// with path emptied.
bool SHGetPathFromIDListW(PCIDL pidl, char* path);

// A file time from a stat time.
int64_t FileTimeOfUnix(int64_t seconds, int64_t nanoseconds);
