// Item-ID lists (PIDLs) as this platform's shell writes them.
//
// A list is a run of items, each
//     cb:u16 (counting itself) | kind:u8 | flags:u8 | payload (cb - 4 bytes)
// ended by a u16 0; the desktop is the empty list. All numbers little-endian.
// Payload by kind:
//     0x10 virtual folder   GUID (16 bytes)
//     0x20 volume           attrs:u32, mount path (UTF-8, NUL-terminated)
//     0x30 directory, 0x31 file, 0x32 link
//                           attrs:u32, size:u64, mtime:i64 (FILETIME units),
//                           name (UTF-8, NUL-terminated)
//     0x40 trash entry      attrs:u32, size:u64, deletion time:i64, name in
//                           the trash (UTF-8, NUL) and original path (UTF-8, NUL)
// An item's identity is its kind with its GUID, mount path or name; sizes and
// times are snapshots and never take part in comparisons.
//
// Every list handed out comes from the task allocator (platform/rtl/taskmem.h),
// whose recorded block sizes bound every read of a list's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/rtl/guid.h"

enum TPidlKind : uint8_t {
  pkVirtualFolder = 0x10,
  pkVolume = 0x20,
  pkDirectory = 0x30,
  pkFile = 0x31,
  pkLink = 0x32,
  pkTrashEntry = 0x40,
};

// The attribute bits of directory, file and link items.
enum : uint32_t {
  PIDL_ATTR_READONLY = 0x01,    // not writable
  PIDL_ATTR_HIDDEN = 0x02,      // dot-name
  PIDL_ATTR_DIRECTORY = 0x10,
  PIDL_ATTR_NORMAL = 0x20,      // regular file
  PIDL_ATTR_REPARSE = 0x400,    // symbolic link or mount point
};

// Our own GUIDs of the virtual folders.
extern const TGUID GUID_PidlComputer, GUID_PidlTrash, GUID_PidlNetwork, GUID_PidlControlPanel, GUID_PidlPrinters;

struct TPidlItem {
  TPidlKind Kind = pkDirectory;
  uint8_t Flags = 0;
  TGUID Folder;             // virtual folder
  uint32_t Attributes = 0;  // volume, directory, file, link, trash entry
  uint64_t Size = 0;
  int64_t Time = 0;         // modification (deletion for trash entries), FILETIME units
  std::string Name;         // mount path of a volume, name of the rest
  std::string OriginalPath; // trash entry

  bool SameIdentity(const TPidlItem& o) const;
};

// The items of the list at data, which must end within the available bytes;
// used receives its size, terminator included. Nothing when the list is
// malformed: a cb below 4 or past the bytes, no terminator, an unknown kind,
// a payload of the wrong length, a text without its NUL.
std::optional<std::vector<TPidlItem>> DecodePidl(const uint8_t* data, size_t available, size_t* used = nullptr);
// The bytes of a list, terminator included; nothing when an item cannot be
// written (a text holding a NUL, an item longer than 65535 bytes).
std::optional<std::vector<uint8_t>> EncodePidl(const std::vector<TPidlItem>& items);

// A PIDL as handed between components: bytes in a task-allocator block.
using PIDL = uint8_t*;
using PCIDL = const uint8_t*;

// A new list from the task allocator; null when it cannot be encoded or allocated.
PIDL PidlCreate(const std::vector<TPidlItem>& items);
// The items of a list that lies in a task-allocator block (it may start inside
// one, as a child list does); nothing when it is malformed or not such a block.
std::optional<std::vector<TPidlItem>> PidlItems(PCIDL pidl);
// Byte size of a well-formed list, terminator included; 0 otherwise.
size_t PidlSize(PCIDL pidl);

// Shell32 ordinal 21: both lists well-formed and naming the same item, item by item.
int32_t ILIsEqual(PCIDL a, PCIDL b);
// Shell32 ordinal 23: parent's items are a prefix of child's; with immediate
// the child has exactly one item more. Malformed lists are no parents.
int32_t ILIsParent(PCIDL parent, PCIDL child, int32_t immediate);
