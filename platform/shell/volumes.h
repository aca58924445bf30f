// The volumes the Computer folder shows: what /proc/self/mounts lists on a
// real block device, and "/" always; pseudo file systems (proc, sysfs, tmpfs,
// cgroups, ...) are left out. The drive type of a path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TVolume {
  std::string MountPath;  // "/", "/media/usb", ...
  std::string Device;     // "/dev/sdb1", or the source the mount table gives
  std::string FsType;
  bool Removable = false;  // /sys/block/<disk>/removable says 1
};

// The volumes of a mount table's text (the format of /proc/self/mounts, with
// its octal escapes), in its order, "/" first; a mount point listed twice
// keeps its last entry. sysBlock is the folder holding the disks' removable
// flags (/sys/block normally).
std::vector<TVolume> ParseMountTable(std::string_view text, const std::string& sysBlock = "/sys/block");
// The volumes mounted now.
std::vector<TVolume> MountedVolumes();
// The volume among volumes that holds path (the longest mount path that is a
// prefix of it at a folder boundary); null when none does.
const TVolume* VolumeOfPath(const std::vector<TVolume>& volumes, const std::string& path);

// The drive type of a path, as the platform's drive query answers it: 1 (no
// root) when nothing is there, 2 for a volume on a removable disk, else the
// kind of its file system (shell.h's DriveTypeOfPath, the one table the
// viewer shares): 3 fixed, 4 remote (nfs, cifs, sshfs), ...
int32_t GetDriveTypeW(std::string_view root);
