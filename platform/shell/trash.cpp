// Follows the freedesktop.org Trash standard, version 1.0: home trash, top-folder
// trashes ($topdir/.Trash/$uid, $topdir/.Trash-$uid), info files created
// with O_EXCL before the file moves, Path escaped as in RFC 2396.
#include "platform/shell/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "platform/shell/shell.h"

namespace fs = std::filesystem;

namespace {

// Creates dir and its missing parents, each private to the user.
bool MakePrivateDirs(const fs::path& dir) {
  struct stat st {};
  if (lstat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const fs::path parent = dir.parent_path();
  if (parent != dir && !parent.empty() && !MakePrivateDirs(parent)) return false;
  return mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

// The device of path or of its nearest existing parent.
bool DeviceOfNearest(fs::path p, dev_t& dev) {
  for (;;) {
    struct stat st {};
    if (stat(p.c_str(), &st) == 0) {
      dev = st.st_dev;
      return true;
    }
    const fs::path parent = p.parent_path();
    if (parent == p || parent.empty()) return false;
    p = parent;
  }
}

// The top folder of the file system that holds dir (a folder on device dev).
fs::path TopDirOf(fs::path dir, dev_t dev) {
  for (;;) {
    const fs::path parent = dir.parent_path();
    struct stat st {};
    if (parent == dir || parent.empty() || stat(parent.c_str(), &st) != 0 || st.st_dev != dev) return dir;
    dir = parent;
  }
}

bool IsOwnPrivateDir(const fs::path& dir) {
  struct stat st {};
  return lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid();
}

bool MakeTrashSubdirs(const fs::path& trash) {
  return MakePrivateDirs(trash / "files") && MakePrivateDirs(trash / "info");
}

// The trash of a top folder, or an empty path when it has none usable.
fs::path TopDirTrash(const fs::path& top) {
  const std::string uid = std::to_string(getuid());
  // An administrator's shared .Trash counts only as a real, sticky folder:
  // anything else could be a trap laid by another user.
  struct stat st {};
  const fs::path shared = top / ".Trash";
  if (lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
    const fs::path own = shared / uid;
    if ((mkdir(own.c_str(), 0700) == 0 || errno == EEXIST) && IsOwnPrivateDir(own) && MakeTrashSubdirs(own))
      return own;
  }
  const fs::path own = top / (".Trash-" + uid);
  if ((mkdir(own.c_str(), 0700) == 0 || errno == EEXIST) && IsOwnPrivateDir(own) && MakeTrashSubdirs(own))
    return own;
  return {};
}

std::string EscapePath(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '/' || c == '-' || c == '_' || c == '.' || c == '!' || c == '~' || c == '*' ||
                      c == '\'' || c == '(' || c == ')';
    if (keep) {
      out += char(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string LocalTimeNow() {
  const time_t now = time(nullptr);
  struct tm t {};
  localtime_r(&now, &t);
  char buf[32];
  strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &t);
  return buf;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

}  // namespace

bool MoveToTrash(const std::string& path, std::string* trashedAs) {
  std::error_code ec;
  const fs::path given = fs::absolute(fs::path(path), ec).lexically_normal();
  if (ec || !given.has_filename()) return false;
  // The folder is resolved (it decides the file system); the name itself is
  // not followed, so a symbolic link goes to the trash as a link.
  const fs::path folder = fs::canonical(given.parent_path(), ec);
  if (ec) return false;
  const fs::path file = folder / given.filename();
  struct stat fst {};
  if (lstat(file.c_str(), &fst) != 0) return false;

  fs::path trash;
  std::string recordedPath;
  const fs::path home = fs::path(XdgDataHome()) / "Trash";
  dev_t homeDev{};
  if (DeviceOfNearest(home, homeDev) && homeDev == fst.st_dev) {
    if (!MakeTrashSubdirs(home)) return false;
    trash = home;
    recordedPath = file.string();
  } else {
    // Moving across file systems would copy and delete; the top folder's trash keeps it a rename.
    const fs::path top = TopDirOf(folder, fst.st_dev);
    trash = TopDirTrash(top);
    if (trash.empty()) return false;
    recordedPath = file.lexically_relative(top).string();
  }
  struct stat tst {};
  if (stat((trash / "files").c_str(), &tst) != 0 || tst.st_dev != fst.st_dev) return false;

  const std::string name = file.filename().string();
  const size_t dot = name.rfind('.');
  const bool hasExt = dot != std::string::npos && dot > 0;
  const std::string stem = hasExt ? name.substr(0, dot) : name;
  const std::string ext = hasExt ? name.substr(dot) : std::string();
  const std::string record =
      "[Trash Info]\nPath=" + EscapePath(recordedPath) + "\nDeletionDate=" + LocalTimeNow() + "\n";

  for (int n = 1; n < 100000; ++n) {
    const std::string candidate = n == 1 ? name : stem + "." + std::to_string(n) + ext;
    const fs::path info = trash / "info" / (candidate + ".trashinfo");
    const fs::path target = trash / "files" / candidate;
    // The info file is made first and exclusively: it reserves the name against other trashers.
    const int fd = open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    struct stat existing {};
    if (lstat(target.c_str(), &existing) == 0) {
      close(fd);
      unlink(info.c_str());
      continue;
    }
    const bool written = WriteAll(fd, record);
    if (close(fd) != 0 || !written || rename(file.c_str(), target.c_str()) != 0) {
      unlink(info.c_str());
      return false;
    }
    if (trashedAs) *trashedAs = target.string();
    return true;
  }
  return false;
}
