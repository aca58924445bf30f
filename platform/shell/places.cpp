#include "platform/shell/places.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>

#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/shell/shell.h"
#include "platform/shell/shellpaths.h"
#include "platform/shell/volumes.h"

namespace {

struct TVirtualName {
  const TGUID* Guid;
  const char* Name;
};
const TVirtualName kVirtualNames[] = {
    {&GUID_PidlComputer, "Computer"},     {&GUID_PidlTrash, "Trash"},       {&GUID_PidlNetwork, "Network"},
    {&GUID_PidlControlPanel, "Control Panel"}, {&GUID_PidlPrinters, "Printers"},
};

const char* VirtualName(const TGUID& g) {
  for (const TVirtualName& v : kVirtualNames)
    if (*v.Guid == g) return v.Name;
  return nullptr;
}

std::string GuidText(const TGUID& g) {
  const uint8_t* b = g.D4;
  char s[40];
  std::snprintf(s, sizeof s, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(g.D1), unsigned(g.D2),
                unsigned(g.D3), b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
  return s;
}

// A name as a person reads it: bytes that are not UTF-8 and control
// characters (a new line in a file name) show as U+FFFD.
std::string Readable(std::string_view s) {
  std::string out;
  size_t pos = 0;
  while (pos < s.size()) {
    const char32_t c = Utf8NextCodePoint(s, pos);
    out += CodePointToUtf8(c < 0x20 || c == 0x7F ? char32_t(0xFFFD) : c);
  }
  return out;
}

// Percent-escapes of a .trashinfo path.
std::string UrlDecode(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && s.size() - i > 2 && std::isxdigit(uint8_t(s[i + 1])) && std::isxdigit(uint8_t(s[i + 2]))) {
      out += char(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string TrashOriginalPath(const std::string& name) {
  const std::string info = XdgDataHome() + "/Trash/info/" + name + ".trashinfo";
  struct stat st {};
  if (stat(info.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};  // a FIFO would never end
  std::ifstream in(info);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("Path=", 0) == 0) return UrlDecode(line.substr(5));
  return {};
}

int ListDirectory(const std::string& path, std::vector<TPidlItem>& out, bool trash) {
  DIR* dir = opendir(path.c_str());
  if (!dir) return errno ? errno : ENOENT;
  for (;;) {
    errno = 0;
    const dirent* d = readdir(dir);
    if (!d) break;
    const std::string name = d->d_name;
    if (name == "." || name == "..") continue;
    std::optional<TPidlItem> it = ItemOfEntry(path, name);
    if (!it) continue;
    if (trash) {
      it->Kind = pkTrashEntry;
      it->OriginalPath = TrashOriginalPath(name);
      if (it->OriginalPath.find('\0') != std::string::npos) it->OriginalPath.clear();
    }
    out.push_back(std::move(*it));
  }
  const int error = errno;
  closedir(dir);
  return error;
}

bool HasSubfolder(const std::string& path) {
  DIR* dir = opendir(path.c_str());
  if (!dir) return false;
  bool found = false;
  const int fd = dirfd(dir);
  while (const dirent* d = readdir(dir)) {
    if (d->d_name[0] == '.' && (!d->d_name[1] || (d->d_name[1] == '.' && !d->d_name[2]))) continue;
    struct stat st {};
    if (fstatat(fd, d->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
      found = true;
      break;
    }
  }
  closedir(dir);
  return found;
}

std::optional<TGUID> ParseGuid(std::string_view s) {
  if (s.size() != 38 || s.front() != '{' || s.back() != '}') return std::nullopt;
  for (const TVirtualName& v : kVirtualNames)
    if (SameText(GuidText(*v.Guid), s)) return *v.Guid;
  return std::nullopt;
}

int64_t FileTimeToUnix(int64_t ft) { return ft / 10000000LL - 11644473600LL; }

}  // namespace

// The framework's date values count days since 1899-12-30.
std::optional<double> LocalDateTime(int64_t ft) {
  if (ft <= 0) return std::nullopt;
  const time_t t = time_t(FileTimeToUnix(ft));
  tm local{};
  if (!localtime_r(&t, &local)) return std::nullopt;
  TDateTime date = 0;
  if (!TryEncodeDate(uint16_t(local.tm_year + 1900), uint16_t(local.tm_mon + 1), uint16_t(local.tm_mday), date))
    return std::nullopt;
  return date + EncodeTime(uint16_t(local.tm_hour), uint16_t(local.tm_min), uint16_t(std::min(local.tm_sec, 59)), 0);
}

std::string ItemDisplayName(const TPidlItem& it) {
  switch (it.Kind) {
    case pkVirtualFolder: {
      const char* n = VirtualName(it.Folder);
      return n ? n : GuidText(it.Folder);
    }
    case pkVolume: return it.Name == "/" ? "/" : Readable(ExtractFileName(it.Name));
    case pkTrashEntry: return Readable(it.OriginalPath.empty() ? it.Name : ExtractFileName(it.OriginalPath));
    default: return Readable(it.Name);
  }
}

namespace {

int Sign(int64_t v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

int CompareItems(const TPidlItem& a, const TPidlItem& b, int32_t column) {
  const bool fa = IsFolderItem(a), fb = IsFolderItem(b);
  if (fa != fb) return fa ? -1 : 1;
  int r = 0;
  switch (column) {
    case 1: r = a.Size < b.Size ? -1 : a.Size > b.Size ? 1 : 0; break;
    case 2: r = Sign(CompareText(TypeTextOf(a), TypeTextOf(b))); break;
    case 3: r = Sign(a.Time - b.Time); break;
    default: break;
  }
  if (r) return r;
  r = Sign(NaturalCompare(ItemDisplayName(a), ItemDisplayName(b)));
  if (r) return r;
  // Distinct items never compare equal: by their identity's bytes.
  if (a.Kind != b.Kind) return a.Kind < b.Kind ? -1 : 1;
  if (a.Kind == pkVirtualFolder) {
    uint8_t x[16], y[16];
    GuidToBytes(a.Folder, x);
    GuidToBytes(b.Folder, y);
    return Sign(std::memcmp(x, y, 16));
  }
  return Sign(a.Name.compare(b.Name));
}

std::string SizeText(uint64_t bytes) {
  const uint64_t kb = (bytes + 1023) / 1024;
  return Format("%.0n KB", static_cast<long double>(kb));
}

}  // namespace

bool IsFolderItem(const TPidlItem& it) {
  switch (it.Kind) {
    case pkVirtualFolder:
    case pkVolume:
    case pkDirectory: return true;
    case pkLink: return it.Attributes & PIDL_ATTR_DIRECTORY;
    default: return false;
  }
}

bool IsFileItem(const TPidlItem& it) { return it.Kind == pkDirectory || it.Kind == pkFile || it.Kind == pkLink; }

std::string ChildPath(const TFolderPlace& place, const std::string& name) {
  return (place.Path == "/" ? std::string() : place.Path) + "/" + name;
}

std::optional<TFolderPlace> PlaceOfItems(const std::vector<TPidlItem>& items) {
  TFolderPlace p;
  p.Items = items;
  if (items.empty()) {
    p.Kind = fkDesktop;
    p.Path = DesktopDirectory();
    return p;
  }
  if (items[0].Kind != pkVirtualFolder) return std::nullopt;
  const TGUID& g = items[0].Folder;
  if (g == GUID_PidlComputer) {
    if (items.size() == 1) {
      p.Kind = fkComputer;
      return p;
    }
    const std::optional<std::string> path = PathOfItems(items);
    if (!path || !DirectoryExists(*path)) return std::nullopt;
    p.Kind = fkDirectory;
    p.Path = *path;
    return p;
  }
  if (g == GUID_PidlTrash && items.size() == 1) {
    p.Kind = fkTrash;
    p.Path = TrashFilesDirectory();
    return p;
  }
  const bool printers = items.size() == 2 && g == GUID_PidlControlPanel && items[1].Kind == pkVirtualFolder &&
                        items[1].Folder == GUID_PidlPrinters;
  if ((items.size() == 1 && (g == GUID_PidlNetwork || g == GUID_PidlControlPanel)) || printers) {
    p.Kind = fkVirtual;
    return p;
  }
  return std::nullopt;
}

int ListChildren(const TFolderPlace& place, std::vector<TPidlItem>& children) {
  children.clear();
  switch (place.Kind) {
    case fkDesktop:
      children = {VirtualItem(GUID_PidlComputer), VirtualItem(GUID_PidlTrash), VirtualItem(GUID_PidlNetwork),
                  VirtualItem(GUID_PidlControlPanel)};
      return 0;
    case fkComputer:
      // A mount point that is no folder was unmounted meanwhile, or is not ours to see.
      for (const TVolume& v : MountedVolumes())
        if (DirectoryExists(v.MountPath)) children.push_back(VolumeItem(v));
      return 0;
    case fkDirectory: return ListDirectory(place.Path, children, false);
    case fkTrash: {
      const int error = ListDirectory(place.Path, children, true);
      return error == ENOENT ? 0 : error;  // no trash yet: an empty one
    }
    case fkVirtual: return 0;
  }
  return 0;
}

std::optional<std::vector<TPidlItem>> ParseRelative(const TFolderPlace& place, std::string_view name) {
  if (name.empty() || name.find('\0') != std::string_view::npos) return std::nullopt;
  switch (place.Kind) {
    case fkDesktop: {
      if (name.substr(0, 2) == "::") {
        const std::optional<TGUID> g = ParseGuid(name.substr(2));
        if (!g) return std::nullopt;
        if (*g == GUID_PidlPrinters)
          return std::vector<TPidlItem>{VirtualItem(GUID_PidlControlPanel), VirtualItem(GUID_PidlPrinters)};
        return std::vector<TPidlItem>{VirtualItem(*g)};
      }
      return ItemsOfPath(std::string(name));
    }
    case fkComputer: {
      if (name[0] != '/') return std::nullopt;
      auto items = ItemsOfPath(std::string(name));
      if (!items || items->size() < 2) return std::nullopt;
      items->erase(items->begin());
      return items;
    }
    case fkDirectory: {
      if (name[0] == '/') return std::nullopt;
      auto items = ItemsOfPath(ChildPath(place, std::string(name)));
      if (!items || items->size() <= place.Items.size()) return std::nullopt;
      for (size_t i = 0; i < place.Items.size(); ++i)
        if (!(*items)[i].SameIdentity(place.Items[i])) return std::nullopt;  // ".." left the folder
      items->erase(items->begin(), items->begin() + ptrdiff_t(place.Items.size()));
      return items;
    }
    case fkTrash: {
      std::vector<TPidlItem> all;
      if (ListChildren(place, all) != 0) return std::nullopt;
      for (TPidlItem& it : all)
        if (it.Name == name) return std::vector<TPidlItem>{std::move(it)};
      return std::nullopt;
    }
    case fkVirtual: return std::nullopt;
  }
  return std::nullopt;
}

int CompareItemLists(const TFolderPlace&, int32_t column, const std::vector<TPidlItem>& a,
                     const std::vector<TPidlItem>& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i].SameIdentity(b[i])) ++i;
  if (i == a.size() && i == b.size()) return 0;
  if (i == a.size()) return -1;  // a parent before its children
  if (i == b.size()) return 1;
  const bool last = i + 1 == a.size() && i + 1 == b.size();
  return CompareItems(a[i], b[i], last ? column : 0);
}

std::optional<uint32_t> AttributesOfChild(const TFolderPlace& parent, const TPidlItem& child, uint32_t asked,
                                          bool validate) {
  uint32_t a = 0;
  switch (child.Kind) {
    case pkVirtualFolder:
      if (child.Folder == GUID_PidlComputer) a = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR;
      else if (child.Folder == GUID_PidlTrash) a = SFGAO_FOLDER | SFGAO_DROPTARGET;
      else a = SFGAO_FOLDER;
      return a & asked;
    case pkVolume: {
      if (validate) {
        const std::vector<TVolume> volumes = MountedVolumes();
        if (std::none_of(volumes.begin(), volumes.end(), [&](const TVolume& v) { return v.MountPath == child.Name; }))
          return std::nullopt;
      }
      a = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_STORAGEANCESTOR | SFGAO_HASSUBFOLDER |
          SFGAO_DROPTARGET | SFGAO_CANLINK;
      if (child.Attributes & 1) a |= SFGAO_REMOVABLE;
      return a & asked;
    }
    case pkTrashEntry: {
      struct stat st {};
      if (validate && lstat(ChildPath(parent, child.Name).c_str(), &st) != 0) return std::nullopt;
      return (SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANDELETE) & asked;
    }
    default: break;
  }
  if (parent.Kind != fkDirectory) return std::nullopt;
  TPidlItem it = child;
  if (validate) {
    std::optional<TPidlItem> fresh = ItemOfEntry(parent.Path, child.Name);
    if (!fresh) return std::nullopt;
    it = std::move(*fresh);
  }
  a = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK;
  if (PermitsWriting(parent.Path)) a |= SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE;
  if (IsFolderItem(it)) {
    a |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_STORAGEANCESTOR | SFGAO_STORAGE | SFGAO_DROPTARGET;
    if ((asked & SFGAO_HASSUBFOLDER) && HasSubfolder(ChildPath(parent, it.Name))) a |= SFGAO_HASSUBFOLDER;
  } else {
    a |= SFGAO_STREAM;
  }
  if (it.Kind == pkLink) a |= SFGAO_LINK;
  if (it.Attributes & PIDL_ATTR_HIDDEN) a |= SFGAO_HIDDEN | SFGAO_GHOSTED;
  if (it.Attributes & PIDL_ATTR_READONLY) a |= SFGAO_READONLY;
  return a & asked;
}

std::optional<std::string> DisplayNameOf(const TFolderPlace& place, const std::vector<TPidlItem>& rel,
                                         uint32_t flags) {
  const bool parsing = flags & SHGDN_FORPARSING, inFolder = flags & SHGDN_INFOLDER;
  if (rel.empty()) {
    if (place.Kind == fkDesktop) return parsing ? DesktopDirectory() : std::string("Desktop");
    std::vector<TPidlItem> up(place.Items.begin(), place.Items.end() - 1);
    const std::optional<TFolderPlace> parent = PlaceOfItems(up);
    if (!parent) return std::nullopt;
    return DisplayNameOf(*parent, {place.Items.back()}, flags);
  }
  if (rel.size() > 1) {
    std::vector<TPidlItem> abs = place.Items;
    abs.insert(abs.end(), rel.begin(), rel.end() - 1);
    const std::optional<TFolderPlace> parent = PlaceOfItems(abs);
    if (!parent) return std::nullopt;
    return DisplayNameOf(*parent, {rel.back()}, flags);
  }
  const TPidlItem& it = rel.front();
  switch (it.Kind) {
    case pkVirtualFolder:
      if (!VirtualName(it.Folder)) return std::nullopt;
      return parsing ? "::" + GuidText(it.Folder) : ItemDisplayName(it);
    case pkVolume:
      if (place.Kind != fkComputer) return std::nullopt;
      return parsing ? it.Name : ItemDisplayName(it);
    case pkTrashEntry:
      if (place.Kind != fkTrash) return std::nullopt;
      if (parsing) return inFolder ? it.Name : ChildPath(place, it.Name);
      return ItemDisplayName(it);
    default:
      if (place.Kind != fkDirectory) return std::nullopt;
      if (parsing) return inFolder ? it.Name : ChildPath(place, it.Name);
      return ItemDisplayName(it);
  }
}

namespace {
const TColumn kColumns[] = {
    {"Name", SHCOLSTATE_TYPE_STR | SHCOLSTATE_ONBYDEFAULT, LVCFMT_LEFT, 30, PID_STG_NAME},
    {"Size", SHCOLSTATE_TYPE_INT | SHCOLSTATE_ONBYDEFAULT, LVCFMT_RIGHT, 10, PID_STG_SIZE},
    {"Type", SHCOLSTATE_TYPE_STR | SHCOLSTATE_ONBYDEFAULT, LVCFMT_LEFT, 20, PID_STG_STORAGETYPE},
    {"Date modified", SHCOLSTATE_TYPE_DATE | SHCOLSTATE_ONBYDEFAULT, LVCFMT_LEFT, 18, PID_STG_WRITETIME},
    {"Attributes", SHCOLSTATE_TYPE_STR, LVCFMT_LEFT, 6, PID_STG_ATTRIBUTES},
};
}  // namespace

const TColumn* ColumnOf(uint32_t column) { return column < std::size(kColumns) ? &kColumns[column] : nullptr; }

std::string TypeTextOf(const TPidlItem& item) {
  if (IsFolderItem(item)) return "Folder";
  const std::string name = item.Kind == pkTrashEntry && !item.OriginalPath.empty() ? ExtractFileName(item.OriginalPath)
                                                                                   : item.Name;
  const std::string ext = ExtractFileExt(name);
  return ext.empty() || ext == name ? std::string("File") : Readable(UpperCase(ext)) + " File";
}

std::optional<std::string> DetailText(const TFolderPlace& place, const std::vector<TPidlItem>& rel, uint32_t column) {
  if (column == 0) return DisplayNameOf(place, rel, SHGDN_INFOLDER);
  const TPidlItem& it = rel.back();
  const bool file = IsFileItem(it) || it.Kind == pkTrashEntry;
  switch (column) {
    case 1: return file && !IsFolderItem(it) ? SizeText(it.Size) : std::string();
    case 2: return file ? TypeTextOf(it) : std::string(it.Kind == pkVolume ? "Volume" : "System Folder");
    case 3: {
      const std::optional<double> t = file ? LocalDateTime(it.Time) : std::nullopt;
      return t ? FormatDateTime("yyyy-mm-dd hh:nn", *t) : std::string();
    }
    case 4: {
      std::string letters;
      if (file && (it.Attributes & PIDL_ATTR_READONLY)) letters += 'R';
      if (file && (it.Attributes & PIDL_ATTR_HIDDEN)) letters += 'H';
      return letters;
    }
    default: return std::nullopt;
  }
}
