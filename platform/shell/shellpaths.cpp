#include "platform/shell/shellpaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "platform/rtl/sysutils.h"
#include "platform/shell/desktopentry.h"
#include "platform/shell/shell.h"
#include "platform/shell/volumes.h"

namespace {

constexpr size_t kMaxPath = 260;

// Splits an absolute path into its elements, resolving "." and ".." as text.
std::optional<std::vector<std::string>> Elements(const std::string& path) {
  if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos) return std::nullopt;
  std::vector<std::string> out;
  size_t pos = 1;
  while (pos <= path.size()) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    const std::string e = path.substr(pos, end - pos);
    pos = end + 1;
    if (e.empty() || e == ".") continue;
    if (e == "..") {
      if (!out.empty()) out.pop_back();
      continue;
    }
    out.push_back(e);
  }
  return out;
}

std::string Join(const std::vector<std::string>& elements, size_t count) {
  std::string p;
  for (size_t i = 0; i < count; ++i) p += "/" + elements[i];
  return p.empty() ? "/" : p;
}

bool ModePermitsWriting(const struct stat& st) {
  if (st.st_uid == geteuid()) return st.st_mode & S_IWUSR;
  if (st.st_gid == getegid()) return st.st_mode & S_IWGRP;
  return st.st_mode & S_IWOTH;
}

}  // namespace

TPidlItem VirtualItem(const TGUID& folder) {
  TPidlItem it;
  it.Kind = pkVirtualFolder;
  it.Folder = folder;
  return it;
}

TPidlItem VolumeItem(const TVolume& volume) {
  TPidlItem it;
  it.Kind = pkVolume;
  it.Name = volume.MountPath;
  it.Attributes = volume.Removable ? 1 : 0;
  return it;
}

bool ValidChildName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

bool PermitsWriting(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && ModePermitsWriting(st);
}

int64_t FileTimeOfUnix(int64_t seconds, int64_t nanoseconds) {
  return (seconds + 11644473600LL) * 10000000LL + nanoseconds / 100;
}

std::string XdgUserDir(const std::string& name) {
  std::ifstream in(XdgConfigHome() + "/user-dirs.dirs");
  const std::string key = "XDG_" + name + "_DIR=";
  std::string line;
  while (std::getline(in, line)) {
    const std::string t = Trim(line);
    if (t.rfind(key, 0) != 0) continue;
    std::string v = t.substr(key.size());
    if (v.size() < 2 || v.front() != '"' || v.back() != '"') return {};
    v = v.substr(1, v.size() - 2);
    if (v.rfind("$HOME", 0) == 0 && (v.size() == 5 || v[5] == '/')) v = UserHomeDir() + v.substr(5);
    else if (v.empty() || v[0] != '/') return {};
    while (v.size() > 1 && v.back() == '/') v.pop_back();
    return v;
  }
  return {};
}

std::string DesktopDirectory() {
  const std::string d = XdgUserDir("DESKTOP");
  return d.empty() ? UserHomeDir() + "/Desktop" : d;
}

std::string TrashFilesDirectory() { return XdgDataHome() + "/Trash/files"; }

std::optional<TPidlItem> ItemOfEntry(const std::string& folder, const std::string& name) {
  if (!ValidChildName(name)) return std::nullopt;
  const std::string path = (folder == "/" ? "" : folder) + "/" + name;
  struct stat own {};
  if (lstat(path.c_str(), &own) != 0) return std::nullopt;
  TPidlItem it;
  it.Name = name;
  struct stat target = own;
  bool reachable = true;
  if (S_ISLNK(own.st_mode)) {
    it.Kind = pkLink;
    it.Attributes |= PIDL_ATTR_REPARSE;
    reachable = stat(path.c_str(), &target) == 0;  // dangling or a loop: the link alone
    if (!reachable) target = own;
  } else if (S_ISDIR(own.st_mode)) {
    it.Kind = pkDirectory;
  } else {
    it.Kind = pkFile;
    if (S_ISREG(own.st_mode) && EndsStr(".desktop", name)) {
      const auto entry = ReadDesktopEntryFile(path);
      if (entry && entry->IsLink()) it.Kind = pkLink;
    }
  }
  if (reachable && S_ISDIR(target.st_mode)) it.Attributes |= PIDL_ATTR_DIRECTORY;
  else if (S_ISREG(target.st_mode)) it.Attributes |= PIDL_ATTR_NORMAL;
  if (name[0] == '.') it.Attributes |= PIDL_ATTR_HIDDEN;
  if (!ModePermitsWriting(target)) it.Attributes |= PIDL_ATTR_READONLY;
  it.Size = S_ISREG(target.st_mode) ? uint64_t(target.st_size) : 0;
  it.Time = FileTimeOfUnix(target.st_mtim.tv_sec, target.st_mtim.tv_nsec);
  return it;
}

std::optional<std::vector<TPidlItem>> ItemsOfPath(const std::string& path) {
  const auto elements = Elements(path);
  if (!elements) return std::nullopt;
  const std::string normal = Join(*elements, elements->size());
  const std::vector<TVolume> volumes = MountedVolumes();
  const TVolume* volume = VolumeOfPath(volumes, normal);
  if (!volume) return std::nullopt;
  std::vector<TPidlItem> items{VirtualItem(GUID_PidlComputer), VolumeItem(*volume)};
  const auto volElements = Elements(volume->MountPath);
  for (size_t i = volElements->size(); i < elements->size(); ++i) {
    const std::string folder = Join(*elements, i);
    if (i > volElements->size() && !DirectoryExists(folder)) return std::nullopt;
    auto item = ItemOfEntry(folder, (*elements)[i]);
    if (!item) return std::nullopt;
    items.push_back(std::move(*item));
  }
  return items;
}

std::optional<std::string> PathOfItems(const std::vector<TPidlItem>& items) {
  if (items.empty()) return DesktopDirectory();
  const TPidlItem& first = items[0];
  if (first.Kind != pkVirtualFolder) return std::nullopt;
  if (first.Folder == GUID_PidlTrash) {
    if (items.size() != 2 || items[1].Kind != pkTrashEntry) return std::nullopt;
    return TrashFilesDirectory() + "/" + items[1].Name;
  }
  if (first.Folder != GUID_PidlComputer || items.size() < 2 || items[1].Kind != pkVolume) return std::nullopt;
  std::string path = items[1].Name;
  if (path.empty() || path[0] != '/') return std::nullopt;
  for (size_t i = 2; i < items.size(); ++i) {
    const TPidlItem& it = items[i];
    if (it.Kind != pkDirectory && it.Kind != pkFile && it.Kind != pkLink) return std::nullopt;
    if (!ValidChildName(it.Name)) return std::nullopt;
    if (path.back() != '/') path += '/';
    path += it.Name;
  }
  return path;
}

bool SHGetPathFromIDListW(PCIDL pidl, char* path) {
  if (!path) return false;
  path[0] = 0;
  const auto items = PidlItems(pidl);
  if (!items) return false;
  const auto p = PathOfItems(*items);
  if (!p || p->size() + 1 > kMaxPath) return false;
  std::memcpy(path, p->c_str(), p->size() + 1);
  return true;
}

std::optional<std::vector<TPidlItem>> SpecialFolderItems(int32_t csidl) {
  const auto folder = [](const std::string& p) -> std::optional<std::vector<TPidlItem>> {
    if (p.empty() || !DirectoryExists(p)) return std::nullopt;
    return ItemsOfPath(p);
  };
  switch (csidl) {
    case CSIDL_DESKTOP: return std::vector<TPidlItem>{};
    case CSIDL_BITBUCKET: return std::vector<TPidlItem>{VirtualItem(GUID_PidlTrash)};
    case CSIDL_DRIVES: return std::vector<TPidlItem>{VirtualItem(GUID_PidlComputer)};
    case CSIDL_CONTROLS: return std::vector<TPidlItem>{VirtualItem(GUID_PidlControlPanel)};
    case CSIDL_PRINTERS:
      return std::vector<TPidlItem>{VirtualItem(GUID_PidlControlPanel), VirtualItem(GUID_PidlPrinters)};
    case CSIDL_NETWORK: return std::vector<TPidlItem>{VirtualItem(GUID_PidlNetwork)};
    case CSIDL_DESKTOPDIRECTORY: return folder(DesktopDirectory());
    case CSIDL_TEMPLATES: return folder(XdgUserDir("TEMPLATES"));
    case CSIDL_PERSONAL: {
      const std::string d = XdgUserDir("DOCUMENTS");
      return folder(d.empty() ? UserHomeDir() + "/Documents" : d);
    }
    case CSIDL_APPDATA: return folder(XdgConfigHome());
    case CSIDL_PROGRAMS: return folder(XdgDataHome() + "/applications");
    default: return std::nullopt;  // history, favourites and the rest have no meaning here
  }
}
