// The shell's flat information calls over items and paths: an item's find
// data and description id, and file information (type name, display name,
// attributes and the index of its icon among the system icons).
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/rtl/guid.h"
#include "platform/shell/fileapi.h"
#include "platform/shell/pidl.h"

// The find data of a list's last item from its snapshot: attributes, size,
// and the modification time in all three times (the list keeps no others).
// False for the desktop, virtual folders, volumes and malformed lists.
bool ItemFindData(PCIDL pidl, TWin32FindData* data);

// What kind of item a list's last item is.
enum : uint32_t {
  SHDID_ROOT_REGITEM = 1, SHDID_FS_FILE = 2, SHDID_FS_DIRECTORY = 3, SHDID_COMPUTER_REMOVABLE = 7,
  SHDID_COMPUTER_FIXED = 8
};
struct SHDESCRIPTIONID {
  uint32_t dwDescriptionId = 0;
  TGUID clsid;  // the virtual folder's own id; null for the rest
};
bool ItemDescriptionId(PCIDL pidl, SHDESCRIPTIONID* id);

// The system icons, by index.
enum : int32_t {
  SYSICON_FILE = 0, SYSICON_FOLDER, SYSICON_FOLDER_OPEN, SYSICON_LINK, SYSICON_DESKTOP, SYSICON_COMPUTER,
  SYSICON_VOLUME, SYSICON_REMOVABLE, SYSICON_TRASH, SYSICON_NETWORK, SYSICON_CONTROLPANEL, SYSICON_PRINTERS,
  SYSICON_COUNT
};

constexpr uint32_t SHGFI_LARGEICON = 0x0, SHGFI_SMALLICON = 0x1, SHGFI_OPENICON = 0x2, SHGFI_SHELLICONSIZE = 0x4,
                   SHGFI_PIDL = 0x8, SHGFI_USEFILEATTRIBUTES = 0x10, SHGFI_ICON = 0x100, SHGFI_DISPLAYNAME = 0x200,
                   SHGFI_TYPENAME = 0x400, SHGFI_ATTRIBUTES = 0x800, SHGFI_SYSICONINDEX = 0x4000;
struct SHFILEINFOW {
  win::HICON hIcon = nullptr;  // SHGFI_ICON: a new icon the caller destroys
  int32_t iIcon = 0;           // SHGFI_SYSICONINDEX or SHGFI_ICON: the index in the system image list
  uint32_t dwAttributes = 0;   // SFGAO bits; in: those asked for with SHGFI_ATTRIBUTES
  std::string szDisplayName;
  std::string szTypeName;      // "Folder" for folders, empty for files
};
// File information of a path (UTF-8, NUL-terminated) or, with SHGFI_PIDL, of
// an absolute list. With SHGFI_USEFILEATTRIBUTES the path need not exist:
// fileAttributes (FILE_ATTRIBUTE_DIRECTORY or not) says what it is. Returns
// 0 on failure, else nonzero: with SHGFI_SYSICONINDEX the system image list
// (sysicons.h) of the size asked for, small with SHGFI_SMALLICON, else large.
// size must be at least sizeof(SHFILEINFOW).
uintptr_t SHGetFileInfoW(const char* pathOrPidl, uint32_t fileAttributes, SHFILEINFOW* info, uint32_t size,
                         uint32_t flags);
