// What the folders know of the places they show and of their children; the
// folder object (folders.cpp) and the UI objects (uiobjects.cpp) share it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell/folders/shlobj.h"
#include "platform/shell/pidl.h"

namespace win {

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
bool ValidChildName(std::string_view name);
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
const TColumn* ColumnOf(UINT column);
std::optional<std::string> DetailText(const TFolderPlace& place, const std::vector<TPidlItem>& rel, UINT column);
HRESULT DetailValue(const SHCOLUMNID& id, const TPidlItem& item, VARIANT* value);
// The type text of an item: "Folder", or the upper-cased extension with " File".
std::string TypeTextOf(const TPidlItem& item);

// GetUIObjectOf's objects for items of place.
HRESULT UIObjectOf(const TFolderPlace& place, HWND owner, UINT count, PCIDL* pidls, REFIID iid, void** out);

}  // namespace win
