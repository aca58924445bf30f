#include "app/YKDirectories.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "app/DImports.h"
#include "platform/classes/filer.h"
#include "platform/rtl/sysutils.h"

namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr int64_t kEpochDelta = 11644473600LL;

int64_t FileTimeOf(int64_t sec, int64_t nsec) { return (sec + kEpochDelta) * 10000000LL + nsec / 100; }

struct TStatTimes {
  int64_t Creation, Access, Write;
};

// Creation is the birth time when the file system keeps one, else the last write.
TStatTimes TimesOf(int dirFd, const char* name, int flags, const struct stat& st) {
  TStatTimes t{FileTimeOf(st.st_mtim.tv_sec, st.st_mtim.tv_nsec), FileTimeOf(st.st_atim.tv_sec, st.st_atim.tv_nsec),
               FileTimeOf(st.st_mtim.tv_sec, st.st_mtim.tv_nsec)};
  struct statx sx {};
  if (statx(dirFd, name, flags, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME))
    t.Creation = FileTimeOf(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec);
  return t;
}

class TDirHandle {
public:
  explicit TDirHandle(const std::string& path) : dir_(opendir(path.c_str())) {}
  ~TDirHandle() {
    if (dir_) closedir(dir_);
  }
  TDirHandle(const TDirHandle&) = delete;
  TDirHandle& operator=(const TDirHandle&) = delete;
  DIR* Get() const { return dir_; }

private:
  DIR* dir_;
};

class TFdHandle {
public:
  explicit TFdHandle(int fd) : fd_(fd) {}
  ~TFdHandle() {
    if (fd_ >= 0) close(fd_);
  }
  TFdHandle(const TFdHandle&) = delete;
  TFdHandle& operator=(const TFdHandle&) = delete;
  int Get() const { return fd_; }

private:
  int fd_;
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

bool HasAll(uint32_t attr, uint32_t bits) { return (attr & bits) == bits; }

}  // namespace

void TγFileInfo::AssignFromSearchRec(const std::string& path, const TSearchRec& rec) {
  FileName = path;
  FileSize = rec.Size;
  Directory = (rec.Attr & faDirectory) != 0;
  CreationTime = rec.CreationTime;
  LastAccessTime = rec.LastAccessTime;
  LastWriteTime = rec.LastWriteTime;
  FileID = 0;
  VolumeSerialNumber = 0;
  LinkCount = 0;
}

void TγFileInfo::ReadFromFile(const std::string& path) {
  FileName = path;
  TFdHandle fd(open(path.c_str(), O_PATH | O_CLOEXEC));
  if (fd.Get() < 0) RaiseLastOSError(errno);
  struct stat st {};
  if (fstat(fd.Get(), &st) != 0) RaiseLastOSError(errno);
  FileID = uint64_t(st.st_ino);
  FileSize = S_ISDIR(st.st_mode) ? 0 : int64_t(st.st_size);
  VolumeSerialNumber = uint32_t(st.st_dev);
  LinkCount = uint32_t(st.st_nlink);
  Directory = S_ISDIR(st.st_mode);
  const TStatTimes t = TimesOf(fd.Get(), "", AT_EMPTY_PATH, st);
  CreationTime = t.Creation;
  LastAccessTime = t.Access;
  LastWriteTime = t.Write;
}

void TγFileInfo::DefineProperties(TFiler* filer) {
  filer->DefineProperty(
      "FileName", [this](TReader& r) { FileName = r.ReadWideString(); },
      [this](TWriter& w) { w.WriteWideString(FileName); }, true);
  filer->DefineProperty(
      "Directory", [this](TReader& r) { Directory = r.ReadBoolean(); },
      [this](TWriter& w) { w.WriteBoolean(Directory); }, Directory);
  filer->DefineProperty(
      "FileDates",
      [this](TReader& r) {
        r.ReadListBegin();
        CreationTime = r.ReadInt64();
        LastWriteTime = r.ReadInt64();
        LastAccessTime = r.ReadInt64();
        r.ReadListEnd();
      },
      [this](TWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(CreationTime);
        w.WriteInteger(LastWriteTime);
        w.WriteInteger(LastAccessTime);
        w.WriteListEnd();
      },
      true);
  filer->DefineProperty(
      "FileID", [this](TReader& r) { FileID = uint64_t(r.ReadInt64()); },
      [this](TWriter& w) { w.WriteInteger(int64_t(FileID)); }, true);
  filer->DefineProperty(
      "VolumeSerial", [this](TReader& r) { VolumeSerialNumber = uint32_t(r.ReadInt64()); },
      [this](TWriter& w) { w.WriteInteger(int64_t(VolumeSerialNumber)); }, true);
  filer->DefineProperty(
      "FileSize", [this](TReader& r) { FileSize = r.ReadInt64(); }, [this](TWriter& w) { w.WriteInteger(FileSize); },
      true);
  TCollectionItem::DefineProperties(filer);
}

TDirectoryScan::TDirectoryScan()
    : TCollection(CollectionItemClassOf<TγFileInfo>()), diffList_(std::make_unique<TγDiffList>()) {}

TDirectoryScan::~TDirectoryScan() = default;

void TDirectoryScan::Scan(const std::string& folder, const std::vector<std::string>& extensions, int32_t depth,
                          uint32_t options) {
  const std::string base = IncludeTrailingPathDelimiter(folder);
  visited_.clear();
  try {
    ScanFolder(base, {}, depth, extensions, options);
  } catch (...) {
    visited_.clear();
    throw;
  }
  visited_.clear();
}

void TDirectoryScan::ScanFolder(const std::string& base, std::string relative, int32_t depth,
                                const std::vector<std::string>& extensions, uint32_t options) {
  if (!relative.empty()) relative = IncludeTrailingPathDelimiter(relative);
  TDirHandle dir(base + relative);
  if (!dir.Get()) return;
  const int dirFd = dirfd(dir.Get());
  const bool anyExtension = std::find(extensions.begin(), extensions.end(), ".*") != extensions.end();
  constexpr uint32_t kHiddenLinkedFolder = faHidden | faDirectory | faReparsePoint;

  while (dirent* d = readdir(dir.Get())) {
    const std::string name = d->d_name;
    if (name == "." || name == "..") continue;
    TSearchRec rec;
    if (!ListingEntry(dirFd, d->d_name, rec)) continue;
    const uint32_t a = rec.Attr;
    if (a & faDirectory) {
      if (HasAll(a, kHiddenLinkedFolder)) continue;
      if (a & faReparsePoint) {
        const uint64_t id = GetFileID(base + relative + name);
        if (std::find(visited_.begin(), visited_.end(), id) != visited_.end()) continue;
        visited_.push_back(id);
      }
      if ((options & soRecurse) && depth > 0) ScanFolder(base, relative + name, depth - 1, extensions, options);
    }
    if (((a & faDirectory) && !(options & soListFolders)) || HasAll(a, kHiddenLinkedFolder)) continue;
    if (!anyExtension) {
      const std::string ext = ExtractFileExt(name);
      bool match = false;
      for (const std::string& e : extensions) match = match || AnsiSameText(ext, e);
      if (!match) continue;
    }
    const std::string entryName = (options & soRelativeNames) ? relative + name : base + relative + name;
    TγFileInfo* item = AddItem();
    if (options & soReadFromFile) {
      item->ReadFromFile(base + relative + name);
      item->FileName = entryName;
    } else {
      item->AssignFromSearchRec(entryName, rec);
    }
  }
}

int32_t TDirectoryScan::CompareEntries(int32_t a, int32_t b) const {
  return CompareStrLogical(GetItem(a)->FileName, GetItem(b)->FileName);
}

void TDirectoryScan::Sort() {
  if (Count() > 1) QuickSort(0, Count() - 1);
}

void TDirectoryScan::QuickSort(int32_t left, int32_t right) {
  int32_t i;
  do {
    i = left;
    int32_t j = right;
    int32_t p = left + (right - left) / 2;
    do {
      while (CompareEntries(i, p) < 0) ++i;
      while (CompareEntries(j, p) > 0) --j;
      if (i <= j) {
        Exchange(i, j);
        // The pivot travels with its entry.
        if (p == i) p = j;
        else if (p == j) p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j) QuickSort(left, j);
    left = i;
  } while (i < right);
}

TγFileInfo* TDirectoryScan::FindByName(const std::string& name) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (AnsiSameText(GetItem(i)->FileName, name)) return GetItem(i);
  return nullptr;
}

void TDirectoryScan::Exchange(int32_t i, int32_t j) {
  if (i == j) return;
  if (i > j) std::swap(i, j);
  Items(i)->SetIndex(j);
  Items(j - 1)->SetIndex(i);
}

uint64_t TDirectoryScan::GetFileID(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 ? uint64_t(st.st_ino) : 0;
}
