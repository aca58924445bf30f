#include "platform/shell/volumes.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "platform/shell/shell.h"

namespace {

// The mount table escapes blanks, tabs, new lines and backslashes as \ooo.
std::string Unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && s.size() - i >= 4) {
      const char a = s[i + 1], b = s[i + 2], c = s[i + 3];
      if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
        out += char((a - '0') * 64 + (b - '0') * 8 + (c - '0'));
        i += 3;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> f;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) f.push_back(line.substr(start, i - start));
  }
  return f;
}

// "/dev/sdb1" -> "sdb", "/dev/nvme0n1p2" -> "nvme0n1", "/dev/mmcblk0p1" -> "mmcblk0".
std::string DiskOfDevice(const std::string& device) {
  if (device.rfind("/dev/", 0) != 0) return {};
  std::string name = device.substr(5);
  if (name.find('/') != std::string::npos) return {};
  const bool partitionP = name.rfind("nvme", 0) == 0 || name.rfind("mmcblk", 0) == 0 || name.rfind("loop", 0) == 0;
  size_t end = name.size();
  while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
  if (partitionP) {
    if (end > 0 && end < name.size() && name[end - 1] == 'p') return name.substr(0, end - 1);
    return name;
  }
  return name.substr(0, end);
}

bool ReadsOne(const std::string& file) {
  std::ifstream in(file);
  char c = 0;
  return in.get(c) && c == '1';
}

}  // namespace

std::vector<TVolume> ParseMountTable(std::string_view text, const std::string& sysBlock) {
  std::vector<TVolume> out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::vector<std::string_view> f = Fields(text.substr(pos, end - pos));
    pos = end + 1;
    if (f.size() < 3) continue;
    TVolume v;
    v.Device = Unescape(f[0]);
    v.MountPath = Unescape(f[1]);
    v.FsType = std::string(f[2]);
    if (v.MountPath.empty() || v.MountPath[0] != '/') continue;
    const bool root = v.MountPath == "/";
    if (!root && v.Device.rfind("/dev/", 0) != 0) continue;  // pseudo and network-less sources
    if (!root && v.Device.rfind("/dev/loop", 0) == 0) continue;  // snaps and images, not volumes
    const std::string disk = DiskOfDevice(v.Device);
    if (!disk.empty()) v.Removable = ReadsOne(sysBlock + "/" + disk + "/removable");
    std::erase_if(out, [&](const TVolume& o) { return o.MountPath == v.MountPath; });
    if (root) out.insert(out.begin(), std::move(v));
    else out.push_back(std::move(v));
  }
  if (out.empty() || out.front().MountPath != "/") out.insert(out.begin(), TVolume{"/", "", "", false});
  return out;
}

std::vector<TVolume> MountedVolumes() {
  std::ifstream in("/proc/self/mounts");
  std::stringstream ss;
  ss << in.rdbuf();
  return ParseMountTable(ss.str());
}

const TVolume* VolumeOfPath(const std::vector<TVolume>& volumes, const std::string& path) {
  const TVolume* best = nullptr;
  for (const TVolume& v : volumes) {
    const std::string& m = v.MountPath;
    const bool under = m == "/" ? !path.empty() && path[0] == '/'
                                : path.rfind(m, 0) == 0 && (path.size() == m.size() || path[m.size()] == '/');
    if (under && (!best || m.size() > best->MountPath.size())) best = &v;
  }
  return best;
}

int32_t GetDriveTypeW(std::string_view root) {
  const std::string path(root);
  struct stat st {};
  if (path.empty() || path.find('\0') != std::string::npos || stat(path.c_str(), &st) != 0) return DRIVE_NO_ROOT_DIR;
  const std::vector<TVolume> volumes = MountedVolumes();
  const TVolume* v = VolumeOfPath(volumes, path);
  if (v && v->Removable) return DRIVE_REMOVABLE;
  return DriveTypeOfPath(path);
}
