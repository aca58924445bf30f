#include "platform/shell/fileapi.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <map>
#include <memory>
#include <mutex>

#include "platform/rtl/sysutils.h"
#include "platform/shell/shellpaths.h"

namespace {

thread_local uint32_t t_error = 0;

constexpr uint32_t kFileNotFound = 2, kPathNotFound = 3, kAccessDenied = 5, kInvalidHandle = 6,
                   kNoMoreFiles = 18, kNotReady = 21, kBadName = 123;

bool Fail(uint32_t code) {
  t_error = code;
  return false;
}

uint32_t ErrorOfErrno(int e) {
  switch (e) {
    case ENOENT: return kFileNotFound;
    case ENOTDIR: return kPathNotFound;
    case EACCES:
    case EPERM: return kAccessDenied;
    case ENAMETOOLONG:
    case ELOOP: return kBadName;
    default: return kNotReady;
  }
}

uint32_t AttributesOfRec(const TSearchRec& rec) {
  uint32_t a = rec.Attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY |
                           FILE_ATTRIBUTE_REPARSE_POINT);
  return a ? a : FILE_ATTRIBUTE_NORMAL;
}

void FillFindData(const TSearchRec& rec, TWin32FindData* data) {
  if (!data) return;
  *data = TWin32FindData();
  data->dwFileAttributes = AttributesOfRec(rec);
  data->ftCreationTime = rec.CreationTime;
  data->ftLastAccessTime = rec.LastAccessTime;
  data->ftLastWriteTime = rec.LastWriteTime;
  data->nFileSize = rec.Size > 0 ? uint64_t(rec.Size) : 0;
  data->cFileName = rec.Name;
}

struct TSearches {
  std::mutex Lock;
  std::map<TFindHandle, std::unique_ptr<TSearchRec>> Open;
  TFindHandle Next = 1;
};
TSearches& Searches() {
  static TSearches s;
  return s;
}

bool HasWildcard(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

std::atomic<uint32_t> g_errorMode{0};

struct TDriveLetters {
  std::mutex Lock;
  std::map<char, std::string> Folders;
};
TDriveLetters& DriveLetters() {
  static TDriveLetters d;
  return d;
}
char LetterKey(char letter) {
  if (letter >= 'a' && letter <= 'z') return char(letter - 'a' + 'A');
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

}  // namespace

uint32_t ShellFileError() { return t_error; }

TFindHandle FindFirstFileW(std::string_view pattern, TWin32FindData* data) {
  if (pattern.empty() || pattern.find('\0') != std::string_view::npos) {
    t_error = kBadName;
    return kInvalidFindHandle;
  }
  auto rec = std::make_unique<TSearchRec>();
  const std::string path(pattern);
  const size_t slash = path.find_last_of('/');
  const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  if (!HasWildcard(last)) {
    // One named entry: it must exist (a dangling link counts).
    struct stat st {};
    if (last.empty() || lstat(path.c_str(), &st) != 0) {
      t_error = last.empty() ? kBadName : ErrorOfErrno(errno);
      return kInvalidFindHandle;
    }
  }
  const int result = FindFirst(path, faAnyFile, *rec);
  if (result != 0) {
    t_error = result == ENOENT ? kFileNotFound : ErrorOfErrno(result);
    return kInvalidFindHandle;
  }
  FillFindData(*rec, data);
  TSearches& s = Searches();
  std::lock_guard lk(s.Lock);
  const TFindHandle h = s.Next++;
  s.Open.emplace(h, std::move(rec));
  return h;
}

bool FindNextFileW(TFindHandle find, TWin32FindData* data) {
  TSearches& s = Searches();
  std::unique_lock lk(s.Lock);
  const auto it = s.Open.find(find);
  if (it == s.Open.end()) return Fail(kInvalidHandle);
  TSearchRec& rec = *it->second;
  lk.unlock();  // one handle belongs to one caller; the table may change meanwhile
  const int result = FindNext(rec);
  if (result != 0) return Fail(result == ENOENT ? kNoMoreFiles : ErrorOfErrno(result));
  FillFindData(rec, data);
  return true;
}

bool FindClose(TFindHandle find) {
  TSearches& s = Searches();
  std::lock_guard lk(s.Lock);
  return s.Open.erase(find) ? true : Fail(kInvalidHandle);
}

size_t OpenFindHandleCount() {
  TSearches& s = Searches();
  std::lock_guard lk(s.Lock);
  return s.Open.size();
}

uint32_t GetFileAttributesW(std::string_view name) {
  if (name.empty() || name.find('\0') != std::string_view::npos) {
    t_error = kBadName;
    return INVALID_FILE_ATTRIBUTES_VALUE;
  }
  const std::string path(name);
  struct stat own {};
  if (lstat(path.c_str(), &own) != 0) {
    t_error = ErrorOfErrno(errno);
    return INVALID_FILE_ATTRIBUTES_VALUE;
  }
  struct stat target = own;
  uint32_t a = 0;
  bool reachable = true;
  if (S_ISLNK(own.st_mode)) {
    a |= FILE_ATTRIBUTE_REPARSE_POINT;
    reachable = stat(path.c_str(), &target) == 0;  // dangling or a loop: the link alone
  }
  if (reachable && S_ISDIR(target.st_mode)) a |= FILE_ATTRIBUTE_DIRECTORY;
  std::string base = path;
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  const std::string fileName = ExtractFileName(base);
  if (fileName.size() > 1 && fileName[0] == '.' && fileName != "..") a |= FILE_ATTRIBUTE_HIDDEN;
  if (reachable && !PermitsWriting(path)) a |= FILE_ATTRIBUTE_READONLY;
  return a ? a : FILE_ATTRIBUTE_NORMAL;
}

namespace {

// The file system holding root (the current folder when empty) and its block size.
bool StatVolume(std::string_view root, struct statvfs& st, uint64_t& unit) {
  const std::string path(root.empty() ? std::string_view(".") : root);
  if (path.find('\0') != std::string::npos) return Fail(kBadName);
  if (statvfs(path.c_str(), &st) != 0) return Fail(ErrorOfErrno(errno));
  unit = st.f_frsize ? st.f_frsize : st.f_bsize;
  return true;
}

}  // namespace

bool GetDiskFreeSpaceExW(std::string_view root, uint64_t* availableToCaller, uint64_t* total,
                         uint64_t* totalFree) {
  struct statvfs st {};
  uint64_t unit = 0;
  if (!StatVolume(root, st, unit)) return false;
  if (availableToCaller) *availableToCaller = uint64_t(st.f_bavail) * unit;
  if (total) *total = uint64_t(st.f_blocks) * unit;
  if (totalFree) *totalFree = uint64_t(st.f_bfree) * unit;
  return true;
}

bool GetDiskFreeSpaceW(std::string_view root, uint32_t* sectorsPerCluster, uint32_t* bytesPerSector,
                       uint32_t* freeClusters, uint32_t* clusters) {
  struct statvfs st {};
  uint64_t unit = 0;
  if (!StatVolume(root, st, unit)) return false;
  const auto clamp = [](uint64_t v) { return uint32_t(std::min<uint64_t>(v, 0xFFFFFFFFu)); };
  if (sectorsPerCluster) *sectorsPerCluster = 1;
  if (bytesPerSector) *bytesPerSector = clamp(unit);
  if (freeClusters) *freeClusters = clamp(st.f_bavail);
  if (clusters) *clusters = clamp(st.f_blocks);
  return true;
}

uint32_t SetErrorMode(uint32_t mode) { return g_errorMode.exchange(mode); }

bool MapDriveLetter(char letter, const std::string& folder) {
  const char key = LetterKey(letter);
  if (!key) return false;
  TDriveLetters& d = DriveLetters();
  std::lock_guard lk(d.Lock);
  if (folder.empty()) d.Folders.erase(key);
  else d.Folders[key] = folder;
  return true;
}

std::string DriveLetterFolder(char letter) {
  TDriveLetters& d = DriveLetters();
  std::lock_guard lk(d.Lock);
  const auto it = d.Folders.find(LetterKey(letter));
  return it == d.Folders.end() ? std::string() : it->second;
}

bool DriveIsReady(char letter) {
  const std::string folder = DriveLetterFolder(letter);
  return !folder.empty() && access(folder.c_str(), R_OK | X_OK) == 0 && DirectoryExists(folder);
}
