// Folder listings and file identities over the kernel's directory streams and
// stat calls.
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/rtl/sysutils.h"

namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr int64_t kEpochDelta = 11644473600LL;

int64_t FileTimeOf(int64_t sec, int64_t nsec) { return (sec + kEpochDelta) * 10000000LL + nsec / 100; }

struct TStatTimes {
  int64_t Creation, Access, Write;
};

TStatTimes TimesOf(int dirFd, const char* name, int flags, const struct stat& st) {
  TStatTimes t{FileTimeOf(st.st_mtim.tv_sec, st.st_mtim.tv_nsec), FileTimeOf(st.st_atim.tv_sec, st.st_atim.tv_nsec),
               FileTimeOf(st.st_mtim.tv_sec, st.st_mtim.tv_nsec)};
  struct statx sx {};
  if (statx(dirFd, name, flags, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME))
    t.Creation = FileTimeOf(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec);
  return t;
}

struct TListing {
  DIR* Dir = nullptr;
  ~TListing() {
    if (Dir) closedir(Dir);
  }
};

// The listing's view of one entry: the link itself decides the reparse-point
// flag, its target the folder flag, size and times.
bool ListingEntry(int dirFd, const char* name, TSearchRec& rec) {
  struct stat own {};
  if (fstatat(dirFd, name, &own, AT_SYMLINK_NOFOLLOW) != 0) return false;
  struct stat target = own;
  int flags = AT_SYMLINK_NOFOLLOW;
  if (S_ISLNK(own.st_mode) && fstatat(dirFd, name, &target, 0) == 0) flags = 0;
  rec.Name = name;
  rec.Attr = 0;
  if (S_ISLNK(own.st_mode)) rec.Attr |= faReparsePoint;
  if (S_ISDIR(target.st_mode)) rec.Attr |= faDirectory;
  if (name[0] == '.') rec.Attr |= faHidden;
  if (!(target.st_mode & S_IWUSR)) rec.Attr |= faReadOnly;
  rec.Size = S_ISDIR(target.st_mode) ? 0 : int64_t(target.st_size);
  const TStatTimes t = TimesOf(dirFd, name, flags, target);
  rec.CreationTime = t.Creation;
  rec.LastAccessTime = t.Access;
  rec.LastWriteTime = t.Write;
  return true;
}

}  // namespace

int FindFirst(const std::string& path, uint32_t attr, TSearchRec& rec) {
  FindClose(rec);
  const size_t slash = path.find_last_of("/\\");
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  auto listing = std::make_shared<TListing>();
  listing->Dir = opendir(folder.c_str());
  if (!listing->Dir) return errno ? errno : ENOENT;
  rec.FindHandle = listing;
  rec.Pattern = slash == std::string::npos ? path : path.substr(slash + 1);
  rec.ExcludeAttr = ~attr & (faHidden | faSysFile | faDirectory);
  const int result = FindNext(rec);
  if (result != 0) FindClose(rec);
  return result;
}

int FindNext(TSearchRec& rec) {
  auto* listing = static_cast<TListing*>(rec.FindHandle.get());
  if (!listing || !listing->Dir) return EBADF;
  const int dirFd = dirfd(listing->Dir);
  for (;;) {
    errno = 0;
    const dirent* d = readdir(listing->Dir);
    if (!d) return errno ? errno : ENOENT;
    if (fnmatch(rec.Pattern.c_str(), d->d_name, 0) != 0) continue;
    if (!ListingEntry(dirFd, d->d_name, rec)) continue;
    if (rec.Attr & rec.ExcludeAttr) continue;
    return 0;
  }
}

void FindClose(TSearchRec& rec) {
  rec.FindHandle.reset();
  rec.Pattern.clear();
}

bool ReadFileIdentity(const std::string& path, bool noFollow, TFileIdentity& out, int& errorCode) {
  int fd;
  do fd = open(path.c_str(), O_PATH | O_CLOEXEC | (noFollow ? O_NOFOLLOW : 0));
  while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    errorCode = errno;
    return false;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    errorCode = errno;
    close(fd);
    return false;
  }
  out.FileID = uint64_t(st.st_ino);
  out.Device = uint64_t(st.st_dev);
  out.LinkCount = uint32_t(st.st_nlink);
  out.Directory = S_ISDIR(st.st_mode);
  out.Size = out.Directory ? 0 : int64_t(st.st_size);
  const TStatTimes t = TimesOf(fd, "", AT_EMPTY_PATH, st);
  out.CreationTime = t.Creation;
  out.LastAccessTime = t.Access;
  out.LastWriteTime = t.Write;
  close(fd);
  return true;
}
