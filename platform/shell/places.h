// The places of the shell's namespace and what is known of their children,
// without COM: the folders of platform/shell/folders answer through these,
// and the shell's flat calls (file information, item data) use them too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell/pidl.h"

// What EnumObjects lists.
constexpr uint32_t SHCONTF_FOLDERS = 0x20, SHCONTF_NONFOLDERS = 0x40, SHCONTF_INCLUDEHIDDEN = 0x80;

// Item attributes (GetAttributesOf).
constexpr uint32_t SFGAO_CANCOPY = 0x1, SFGAO_CANMOVE = 0x2, SFGAO_CANLINK = 0x4, SFGAO_STORAGE = 0x8,
                   SFGAO_CANRENAME = 0x10, SFGAO_CANDELETE = 0x20, SFGAO_HASPROPSHEET = 0x40,
                   SFGAO_DROPTARGET = 0x100, SFGAO_GHOSTED = 0x8000, SFGAO_LINK = 0x10000,
                   SFGAO_READONLY = 0x40000, SFGAO_HIDDEN = 0x80000, SFGAO_STREAM = 0x400000,
                   SFGAO_STORAGEANCESTOR = 0x800000, SFGAO_VALIDATE = 0x1000000, SFGAO_REMOVABLE = 0x2000000,
                   SFGAO_BROWSABLE = 0x8000000, SFGAO_FILESYSANCESTOR = 0x10000000, SFGAO_FOLDER = 0x20000000,
                   SFGAO_FILESYSTEM = 0x40000000, SFGAO_HASSUBFOLDER = 0x80000000;

// Display-name flags (GetDisplayNameOf, SetNameOf).
constexpr uint32_t SHGDN_NORMAL = 0, SHGDN_INFOLDER = 0x1, SHGDN_FOREDITING = 0x1000,
                   SHGDN_FORADDRESSBAR = 0x4000, SHGDN_FORPARSING = 0x8000;

// Column state (GetDefaultColumnState).
constexpr uint32_t SHCOLSTATE_TYPE_STR = 0x1, SHCOLSTATE_TYPE_INT = 0x2, SHCOLSTATE_TYPE_DATE = 0x3,
                   SHCOLSTATE_ONBYDEFAULT = 0x10;
constexpr int32_t LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1;
constexpr uint32_t PID_STG_STORAGETYPE = 4, PID_STG_NAME = 10, PID_STG_SIZE = 12, PID_STG_ATTRIBUTES = 13,
                   PID_STG_WRITETIME = 14;

enum TFolderKind : uint8_t { fkDesktop, fkComputer, fkDirectory, fkTrash, fkVirtual };

// A folder: its absolute items and, for file-system folders, its path.
struct TFolderPlace {
  TFolderKind Kind = fkDesktop;
  std::vector<TPidlItem> Items;
  std::string Path;  // directory; the desktop directory for the desktop
};

// The place of an absolute list that names a folder; nothing for a file, a
// missing folder or a malformed list.
std::optional<TFolderPlace> PlaceOfItems(const std::vector<TPidlItem>& items);

// The children of a folder, freshly read; an errno value when the folder
// cannot be listed (0 otherwise). Entries that vanish meanwhile are left out.
int ListChildren(const TFolderPlace& place, std::vector<TPidlItem>& children);

bool IsFolderItem(const TPidlItem& it);  // it can be opened as a folder
bool IsFileItem(const TPidlItem& it);    // a directory, file or link entry
std::string ChildPath(const TFolderPlace& place, const std::string& name);

// A relative name parsed in place: an absolute path or "::{GUID}" on the
// desktop, a path below the folder elsewhere.
std::optional<std::vector<TPidlItem>> ParseRelative(const TFolderPlace& place, std::string_view name);

// Compares two relative lists by column (0 name, 1 size, 2 type, 3 modified),
// folders first; below 0, 0 or above 0.
int CompareItemLists(const TFolderPlace& place, int32_t column, const std::vector<TPidlItem>& a,
                     const std::vector<TPidlItem>& b);

// The SFGAO bits of child in parent, restricted to those asked for; with
// validate, nothing when the child no longer exists.
std::optional<uint32_t> AttributesOfChild(const TFolderPlace& parent, const TPidlItem& child, uint32_t asked,
                                          bool validate);

// The display name of a relative list with SHGDN flags.
std::optional<std::string> DisplayNameOf(const TFolderPlace& place, const std::vector<TPidlItem>& rel,
                                         uint32_t flags);

// The five detail columns.
struct TColumn {
  const char* Title;
  uint32_t State;
  int32_t Format;
  int32_t Width;
  uint32_t PropertyId;
};
const TColumn* ColumnOf(uint32_t column);
std::optional<std::string> DetailText(const TFolderPlace& place, const std::vector<TPidlItem>& rel, uint32_t column);
// The type text of an item: "Folder", or the upper-cased extension with " File".
std::string TypeTextOf(const TPidlItem& item);

// The name a person reads for an item: unreadable bytes and control characters as U+FFFD.
std::string ItemDisplayName(const TPidlItem& item);
// A file time as the framework's local date and time; nothing for 0 or out of range.
std::optional<double> LocalDateTime(int64_t fileTime);
