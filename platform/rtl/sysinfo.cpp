// The machine and the process as the kernel reports them: memory, processor
// cores, free disk space, temporary files, open handles.
#include <fcntl.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <tuple>

#include "platform/rtl/sysutils.h"

namespace {

// A "Name:   123 kB" line of the kernel's memory report in bytes, 0 when absent.
uint64_t MemInfoBytes(std::string_view key) {
  std::ifstream in("/proc/meminfo");
  std::string name;
  uint64_t kb;
  std::string unit;
  while (in >> name >> kb) {
    std::getline(in, unit);
    if (name == key) return kb * 1024;
  }
  return 0;
}

uint64_t Pages(int which) {
  const long pageSize = sysconf(_SC_PAGESIZE);
  const long pages = sysconf(which);
  return pages > 0 && pageSize > 0 ? uint64_t(pages) * uint64_t(pageSize) : 0;
}

bool ReadFirstLine(const std::filesystem::path& file, std::string& line) {
  std::ifstream in(file);
  if (!in || !std::getline(in, line)) return false;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return !line.empty();
}

bool IsCpuFolderName(const std::string& name) {
  if (name.size() < 4 || name.compare(0, 3, "cpu") != 0) return false;
  for (size_t i = 3; i < name.size(); ++i)
    if (name[i] < '0' || name[i] > '9') return false;
  return true;
}

uint64_t RoomOf(const struct statvfs& fs) {
  const unsigned __int128 room = (unsigned __int128)fs.f_bavail * fs.f_frsize;
  return room > UINT64_MAX ? UINT64_MAX : uint64_t(room);
}

}  // namespace

uint64_t TotalPhysicalMemory() {
  if (const uint64_t bytes = Pages(_SC_PHYS_PAGES)) return bytes;
  return MemInfoBytes("MemTotal:");
}

uint64_t AvailablePhysicalMemory() {
  // MemAvailable counts reclaimable caches as well; free pages alone would understate it.
  if (const uint64_t bytes = MemInfoBytes("MemAvailable:")) return bytes;
  return Pages(_SC_AVPHYS_PAGES);
}

int32_t CountProcessorCores(const std::string& cpuFolder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::directory_iterator it(cpuFolder, ec);
  if (ec) return 0;
  // (0, package, core id), or (1, "", the list of CPUs sharing the core).
  std::set<std::tuple<int, std::string, std::string>> cores;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (!IsCpuFolderName(name)) continue;
    std::string line;
    // The boot CPU has no "online" file; others say 0 while switched off.
    if (ReadFirstLine(it->path() / "online", line) && line == "0") continue;
    const fs::path topology = it->path() / "topology";
    std::string package, core;
    if (ReadFirstLine(topology / "core_id", core)) {
      if (!ReadFirstLine(topology / "physical_package_id", package)) package.clear();
      cores.emplace(0, package, core);
    } else if (ReadFirstLine(topology / "core_cpus_list", line) ||
               ReadFirstLine(topology / "thread_siblings_list", line)) {
      cores.emplace(1, std::string(), line);
    }
  }
  return int32_t(cores.size());
}

int32_t ProcessorCoreCount() { return CountProcessorCores("/sys/devices/system/cpu"); }

std::string TempFolder() {
  const char* env = std::getenv("TMPDIR");
  if (env && *env) return IncludeTrailingPathDelimiter(env);
  return "/tmp/";
}

bool FreeDiskSpace(const std::string& path, uint64_t& bytes) {
  struct statvfs fs {};
  if (::statvfs(path.c_str(), &fs) != 0) return false;
  bytes = RoomOf(fs);
  return true;
}

bool FreeDiskSpaceOfHandle(int handle, uint64_t& bytes) {
  struct statvfs fs {};
  if (::fstatvfs(handle, &fs) != 0) return false;
  bytes = RoomOf(fs);
  return true;
}

int CreateUnlinkedTempFile(const std::string& fileName, int& errorCode) {
  // O_EXCL with O_NOFOLLOW: a file or link planted at the name makes this fail instead of being opened.
  int fd;
  do fd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    errorCode = errno;
    return -1;
  }
  ::unlink(fileName.c_str());
  return fd;
}

int ReserveFileSpace(int handle, int64_t size) {
  if (size <= 0) return 0;
  int rc;
  do rc = ::fallocate(handle, 0, 0, off_t(size));
  while (rc < 0 && errno == EINTR);
  if (rc == 0 || errno == EOPNOTSUPP || errno == ENOSYS) return 0;
  return errno;
}

void FileClose(int handle) {
  if (handle >= 0) ::close(handle);
}

int32_t OpenHandleCount() {
  std::error_code ec;
  std::filesystem::directory_iterator it("/proc/self/fd", ec);
  if (ec) return -1;
  int32_t n = 0;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) return -1;
    ++n;
  }
  return n;
}

int32_t ExitCodeOfStatus(int status) {
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}
