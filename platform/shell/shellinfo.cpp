#include "platform/shell/shellinfo.h"

#include <optional>
#include <vector>

#include "platform/rtl/sysutils.h"
#include "platform/shell/places.h"
#include "platform/shell/shellpaths.h"
#include "platform/shell/sysicons.h"

namespace {

uint32_t FileAttributesOfItem(const TPidlItem& it) {
  uint32_t a = 0;
  if (it.Attributes & PIDL_ATTR_READONLY) a |= FILE_ATTRIBUTE_READONLY;
  if (it.Attributes & PIDL_ATTR_HIDDEN) a |= FILE_ATTRIBUTE_HIDDEN;
  if (it.Attributes & PIDL_ATTR_DIRECTORY) a |= FILE_ATTRIBUTE_DIRECTORY;
  if (it.Attributes & PIDL_ATTR_REPARSE) a |= FILE_ATTRIBUTE_REPARSE_POINT;
  return a ? a : FILE_ATTRIBUTE_NORMAL;
}

int32_t IconOf(const TPidlItem* it, bool open) {
  if (!it) return SYSICON_DESKTOP;
  switch (it->Kind) {
    case pkVirtualFolder:
      if (it->Folder == GUID_PidlComputer) return SYSICON_COMPUTER;
      if (it->Folder == GUID_PidlTrash) return SYSICON_TRASH;
      if (it->Folder == GUID_PidlNetwork) return SYSICON_NETWORK;
      if (it->Folder == GUID_PidlPrinters) return SYSICON_PRINTERS;
      return SYSICON_CONTROLPANEL;
    case pkVolume: return it->Attributes & 1 ? SYSICON_REMOVABLE : SYSICON_VOLUME;
    case pkLink:
      if (!(it->Attributes & PIDL_ATTR_DIRECTORY)) return SYSICON_LINK;
      [[fallthrough]];
    default:
      if (IsFolderItem(*it)) return open ? SYSICON_FOLDER_OPEN : SYSICON_FOLDER;
      return SYSICON_FILE;
  }
}

std::optional<std::vector<TPidlItem>> LastItemList(PCIDL pidl) {
  auto items = PidlItems(pidl);
  if (!items || items->empty()) return std::nullopt;
  return items;
}

}  // namespace

bool ItemFindData(PCIDL pidl, TWin32FindData* data) {
  const auto items = LastItemList(pidl);
  if (!items || !data) return false;
  const TPidlItem& it = items->back();
  if (!IsFileItem(it) && it.Kind != pkTrashEntry) return false;
  *data = TWin32FindData();
  data->dwFileAttributes = FileAttributesOfItem(it);
  data->ftCreationTime = data->ftLastAccessTime = data->ftLastWriteTime = it.Time;
  data->nFileSize = it.Size;
  data->cFileName = it.Name;
  return true;
}

bool ItemDescriptionId(PCIDL pidl, SHDESCRIPTIONID* id) {
  const auto items = LastItemList(pidl);
  if (!items || !id) return false;
  const TPidlItem& it = items->back();
  *id = SHDESCRIPTIONID();
  switch (it.Kind) {
    case pkVirtualFolder:
      id->dwDescriptionId = SHDID_ROOT_REGITEM;
      id->clsid = it.Folder;
      break;
    case pkVolume: id->dwDescriptionId = it.Attributes & 1 ? SHDID_COMPUTER_REMOVABLE : SHDID_COMPUTER_FIXED; break;
    default: id->dwDescriptionId = IsFolderItem(it) ? SHDID_FS_DIRECTORY : SHDID_FS_FILE; break;
  }
  return true;
}

uintptr_t SHGetFileInfoW(const char* pathOrPidl, uint32_t fileAttributes, SHFILEINFOW* info, uint32_t size,
                         uint32_t flags) {
  if (!pathOrPidl || (info && size < sizeof(SHFILEINFOW))) return 0;
  std::vector<TPidlItem> items;
  if (flags & SHGFI_PIDL) {
    auto parsed = PidlItems(reinterpret_cast<PCIDL>(pathOrPidl));
    if (!parsed) return 0;
    items = std::move(*parsed);
  } else if (flags & SHGFI_USEFILEATTRIBUTES) {
    // Nothing is read from the disk: the name and the attributes say it all.
    TPidlItem it;
    const std::string path = pathOrPidl;
    it.Name = ExtractFileName(path).empty() ? path : ExtractFileName(path);
    const bool dir = fileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    it.Kind = dir ? pkDirectory : pkFile;
    if (dir) it.Attributes |= PIDL_ATTR_DIRECTORY;
    items = {it};
  } else {
    auto parsed = ItemsOfPath(pathOrPidl);
    if (!parsed) return 0;
    items = std::move(*parsed);
  }
  const TPidlItem* last = items.empty() ? nullptr : &items.back();
  const bool small = flags & SHGFI_SMALLICON;
  const uintptr_t answer =
      (flags & SHGFI_SYSICONINDEX) ? reinterpret_cast<uintptr_t>(SystemImageList(small)) : uintptr_t(1);
  if (!info) return answer;
  const bool fromDisk = !(flags & SHGFI_USEFILEATTRIBUTES) || (flags & SHGFI_PIDL);
  if (flags & (SHGFI_SYSICONINDEX | SHGFI_ICON)) info->iIcon = IconOf(last, flags & SHGFI_OPENICON);
  if (flags & SHGFI_TYPENAME) info->szTypeName = last && IsFolderItem(*last) ? "Folder" : "";
  if (flags & SHGFI_DISPLAYNAME) info->szDisplayName = last ? ItemDisplayName(*last) : "Desktop";
  if (flags & SHGFI_ATTRIBUTES) {
    const uint32_t asked = info->dwAttributes ? info->dwAttributes : 0xFFFFFFFF & ~SFGAO_VALIDATE;
    if (!last) {
      info->dwAttributes = (SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR) & asked;
    } else if (fromDisk) {
      const std::optional<TFolderPlace> parent =
          PlaceOfItems(std::vector<TPidlItem>(items.begin(), items.end() - 1));
      const std::optional<uint32_t> a = parent ? AttributesOfChild(*parent, *last, asked, false) : std::nullopt;
      if (!a) return 0;
      info->dwAttributes = *a;
    } else {
      info->dwAttributes = (IsFolderItem(*last) ? SFGAO_FOLDER : SFGAO_STREAM) & asked;
    }
  }
  // Last, so that no failure above leaves the caller an icon to destroy.
  if (flags & SHGFI_ICON) info->hIcon = SystemIcon(info->iIcon, small);
  return answer;
}
