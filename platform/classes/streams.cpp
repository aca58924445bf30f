#include "platform/classes/streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr const char* kReadError = "Stream read error";
constexpr const char* kWriteError = "Stream write error";
constexpr const char* kMemoryStreamError = "Out of memory while expanding memory stream";

// Capacity grows in whole blocks of this size (a power of two).
constexpr int64_t kMemoryDelta = 0x2000;

// Largest transfer handed to Read/Write at once; keeps every count within int32_t.
constexpr int64_t kMaxChunk = int64_t(1) << 30;
// Bounded buffer for CopyFrom, so copying a huge stream never allocates its size.
constexpr int32_t kCopyBufferSize = 0x10000;

std::string ErrorText(int err) {
  char buf[256];
  // GNU strerror_r may return a static string instead of filling buf.
  const char* s = strerror_r(err, buf, sizeof buf);
  return s ? std::string(s) : std::string("Unknown error ") + std::to_string(err);
}

[[noreturn]] void RaiseFileError(bool create, const std::string& fileName, int err) {
  std::string msg = std::string(create ? "Cannot create file \"" : "Cannot open file \"") +
                    (fileName.empty() ? fileName : ExpandFileName(fileName)) + "\". " + ErrorText(err);
  if (create) throw EFCreateError(msg);
  throw EFOpenError(msg);
}

int OpenNoIntr(const char* path, int flags, mode_t mode) {
  int fd;
  do fd = ::open(path, flags, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

// Moves up to count bytes, retrying interrupted and partial transfers. Stops at end of file
// or on an error; the bytes moved before that are still reported.
template <typename Op>
int64_t TransferAll(Op op, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    ssize_t n = op(done, size_t(std::min<int64_t>(count - done, kMaxChunk)));
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

int64_t RoundCapacity(int64_t newCapacity) {
  if (newCapacity > INT64_MAX - (kMemoryDelta - 1)) throw EStreamError(kMemoryStreamError);
  return (newCapacity + (kMemoryDelta - 1)) & ~(kMemoryDelta - 1);
}

}  // namespace

// ---- TStream ---------------------------------------------------------------------------------

int64_t TStream::Position() { return Seek(0, soCurrent); }

int64_t TStream::Size() {
  const int64_t pos = Seek(0, soCurrent);
  const int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

// The base stream has no storage whose length it could change; descendants that can, override.
void TStream::SetSize(int64_t /*newSize*/) {}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count < 0) throw EReadError(kReadError);
  auto* p = static_cast<uint8_t*>(buffer);
  while (count > 0) {
    const auto chunk = int32_t(std::min(count, kMaxChunk));
    if (Read(p, chunk) != chunk) throw EReadError(kReadError);
    p += chunk;
    count -= chunk;
  }
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count < 0) throw EWriteError(kWriteError);
  const auto* p = static_cast<const uint8_t*>(buffer);
  while (count > 0) {
    const auto chunk = int32_t(std::min(count, kMaxChunk));
    if (Write(p, chunk) != chunk) throw EWriteError(kWriteError);
    p += chunk;
    count -= chunk;
  }
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count <= 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  const int64_t total = count;
  std::unique_ptr<uint8_t[]> buf(new uint8_t[size_t(std::min<int64_t>(std::max<int64_t>(count, 1), kCopyBufferSize))]);
  while (count > 0) {
    const auto n = int32_t(std::min<int64_t>(count, kCopyBufferSize));
    source.ReadBuffer(buf.get(), n);
    WriteBuffer(buf.get(), n);
    count -= n;
  }
  return std::max<int64_t>(total, 0);
}

// ---- THandleStream ---------------------------------------------------------------------------

THandleStream::THandleStream(int handle) : handle_(handle) {}

int32_t THandleStream::Read(void* buffer, int32_t count) {
  if (count <= 0 || handle_ < 0) return 0;
  auto* p = static_cast<uint8_t*>(buffer);
  return int32_t(TransferAll([&](int64_t off, size_t n) { return ::read(handle_, p + off, n); }, count));
}

int32_t THandleStream::Write(const void* buffer, int32_t count) {
  if (count <= 0 || handle_ < 0) return 0;
  const auto* p = static_cast<const uint8_t*>(buffer);
  return int32_t(TransferAll([&](int64_t off, size_t n) { return ::write(handle_, p + off, n); }, count));
}

// Like the framework, a failed seek (a pipe, a negative position) answers -1 and moves nothing.
int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  return int64_t(::lseek64(handle_, off64_t(offset), whence));
}

void THandleStream::SetSize(int64_t newSize) {
  if (newSize < 0) throw EStreamError("Invalid stream size");
  int rc;
  do rc = ::ftruncate64(handle_, off64_t(newSize));
  while (rc < 0 && errno == EINTR);
  if (rc < 0) RaiseLastOSError(errno);
  // The framework moves the position to the new end, growing or shrinking.
  Seek(newSize, soBeginning);
}

// ---- TFileStream -----------------------------------------------------------------------------

int FileOpenHandle(const std::string& fileName, uint16_t mode) {
  int fd;
  if (mode == fmCreate) {
    fd = OpenNoIntr(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) RaiseFileError(true, fileName, errno);
    return fd;
  }
  // An access or sharing value outside the framework's encoding opens nothing.
  if ((mode & 3) > fmOpenReadWrite || (mode & 0xF0) > fmShareDenyNone) RaiseFileError(false, fileName, EINVAL);
  static constexpr int kAccess[3] = {O_RDONLY, O_WRONLY, O_RDWR};
  // Share bits (fmShareXxx) have no POSIX counterpart; they are advisory and ignored.
  fd = OpenNoIntr(fileName.c_str(), kAccess[mode & 3] | O_CLOEXEC, 0);
  if (fd < 0) RaiseFileError(false, fileName, errno);
  // A directory opens read-only on POSIX but is no stream of bytes.
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    RaiseFileError(false, fileName, EISDIR);
  }
  return fd;
}

TFileStream::TFileStream(const std::string& fileName, uint16_t mode)
    : THandleStream(FileOpenHandle(fileName, mode)), fileName_(fileName) {}

TFileStream::~TFileStream() {
  if (handle_ >= 0) ::close(handle_);
}

// ---- TCustomMemoryStream ---------------------------------------------------------------------

int32_t TCustomMemoryStream::Read(void* buffer, int32_t count) {
  if (position_ < 0 || count <= 0) return 0;
  const int64_t avail = size_ - position_;
  if (avail <= 0) return 0;
  const auto n = int32_t(std::min<int64_t>(avail, count));
  std::memcpy(buffer, static_cast<const uint8_t*>(memory_) + position_, size_t(n));
  position_ += n;
  return n;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : size_;
  int64_t pos;
  if (__builtin_add_overflow(base, offset, &pos)) return -1;
  position_ = pos;
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) {
  if (size_ != 0) stream.WriteBuffer(memory_, size_);
}

void TCustomMemoryStream::SaveToFile(const std::string& fileName) {
  TFileStream fs(fileName, fmCreate);
  SaveToStream(fs);
}

void TCustomMemoryStream::SetPointer(void* ptr, int64_t size) {
  memory_ = ptr;
  size_ = size;
}

// ---- TMemoryStream ---------------------------------------------------------------------------

TMemoryStream::~TMemoryStream() {
  // Virtual calls no longer reach a derived Realloc here; a derived class owning the
  // buffer clears memory_ in its own destructor.
  std::free(memory_);
  memory_ = nullptr;
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (position_ < 0 || count <= 0) return 0;
  int64_t end;
  if (__builtin_add_overflow(position_, int64_t(count), &end)) return 0;
  if (end > size_) {
    if (end > capacity_) {
      // Grow by at least a quarter so that a run of small writes stays linear.
      const int64_t grown = capacity_ + capacity_ / 4;
      SetCapacity(std::max(end, grown));
    }
    // Bytes between the old end and a position set beyond it read as zeros.
    if (position_ > size_) std::memset(static_cast<uint8_t*>(memory_) + size_, 0, size_t(position_ - size_));
    size_ = end;
  }
  std::memcpy(static_cast<uint8_t*>(memory_) + position_, buffer, size_t(count));
  position_ = end;
  return count;
}

void TMemoryStream::SetSize(int64_t newSize) {
  if (newSize < 0) throw EStreamError("Invalid stream size");
  const int64_t oldSize = size_;
  const int64_t oldPosition = position_;
  SetCapacity(newSize);
  size_ = newSize;
  if (newSize > oldSize) std::memset(static_cast<uint8_t*>(memory_) + oldSize, 0, size_t(newSize - oldSize));
  if (oldPosition > newSize) position_ = newSize;
}

void TMemoryStream::Clear() {
  SetCapacity(0);
  size_ = 0;
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  const int64_t count = stream.Size();
  if (count < 0) throw EReadError(kReadError);
  SetSize(count);
  if (count != 0) stream.ReadBuffer(memory_, count);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream fs(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(fs);
}

void* TMemoryStream::Realloc(int64_t& newCapacity) {
  if (newCapacity > 0 && newCapacity != size_) newCapacity = RoundCapacity(newCapacity);
  if (newCapacity == capacity_) return memory_;
  if (newCapacity == 0) {
    std::free(memory_);
    return nullptr;
  }
  if (uint64_t(newCapacity) > SIZE_MAX) throw EStreamError(kMemoryStreamError);
  void* p = std::realloc(memory_, size_t(newCapacity));
  if (!p) throw EStreamError(kMemoryStreamError);
  return p;
}

void TMemoryStream::SetCapacity(int64_t newCapacity) {
  void* p = Realloc(newCapacity);
  SetPointer(p, size_);
  capacity_ = newCapacity;
}

// ---- TBytesStream ----------------------------------------------------------------------------

TBytesStream::TBytesStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
  const auto n = int64_t(bytes_.size());
  SetPointer(bytes_.data(), n);
  // Capacity equal to the size: Realloc keeps the vector as it is.
  SetSize(n);
}

// The vector's length is the capacity, as in the framework; only the first Size() bytes count.
TBytesStream::~TBytesStream() { memory_ = nullptr; }  // the vector frees itself

void* TBytesStream::Realloc(int64_t& newCapacity) {
  if (newCapacity > 0 && newCapacity != size_) newCapacity = RoundCapacity(newCapacity);
  if (uint64_t(newCapacity) != bytes_.size()) {
    if (uint64_t(newCapacity) > bytes_.max_size()) throw EStreamError(kMemoryStreamError);
    try {
      bytes_.resize(size_t(newCapacity));
      if (newCapacity == 0) bytes_.shrink_to_fit();
    } catch (const std::bad_alloc&) {
      throw EStreamError(kMemoryStreamError);
    }
  }
  return bytes_.empty() ? nullptr : bytes_.data();
}

// ---- TStringStream ---------------------------------------------------------------------------

TStringStream::TStringStream(const std::string& s) : TBytesStream(std::vector<uint8_t>(s.begin(), s.end())) {}

std::string TStringStream::DataString() const {
  return size_ > 0 ? std::string(static_cast<const char*>(memory_), size_t(size_)) : std::string();
}

std::string TStringStream::ReadString(int32_t count) {
  const int64_t avail = position_ >= 0 ? size_ - position_ : 0;
  const auto n = int32_t(std::clamp<int64_t>(avail, 0, std::max(count, 0)));
  std::string s(size_t(n), '\0');
  if (n > 0) ReadBuffer(s.data(), n);
  return s;
}

void TStringStream::WriteString(const std::string& s) { WriteBuffer(s.data(), int64_t(s.size())); }

// ---- WriteFileAtomically ---------------------------------------------------------------------

namespace {

// A temporary file that disappears unless committed.
struct TempFile {
  std::string path;
  int fd = -1;
  bool committed = false;
  ~TempFile() {
    if (fd >= 0) ::close(fd);
    if (!committed && !path.empty()) ::unlink(path.c_str());
  }
};

// The process's umask without changing it (umask(2) cannot be read without writing, which races
// with other threads creating files).
mode_t CurrentUmask() {
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen("/proc/self/status", "re"), &std::fclose);
  if (f) {
    char line[256];
    while (std::fgets(line, sizeof line, f.get())) {
      unsigned mask;
      if (std::sscanf(line, "Umask: %o", &mask) == 1) return mode_t(mask);
    }
  }
  return 022;
}

[[noreturn]] void RaiseWriteFailure(const std::string& fileName, int err) {
  throw EWriteError("Cannot write file \"" + ExpandFileName(fileName) + "\". " + ErrorText(err));
}

}  // namespace

void WriteFileAtomically(const std::string& fileName, const void* data, size_t size) {
  if (fileName.empty()) RaiseFileError(true, fileName, ENOENT);

  // Replace what a symbolic link points to, not the link itself.
  std::string target = fileName;
  struct stat lst {};
  if (::lstat(fileName.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
    std::unique_ptr<char, void (*)(void*)> real(::realpath(fileName.c_str(), nullptr), &std::free);
    if (real) target = real.get();
  }
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) RaiseFileError(true, fileName, EISDIR);

  const std::string::size_type slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);

  TempFile tmp;
  std::string pattern = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + "." + base +
                        ".XXXXXX";
  tmp.fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (tmp.fd < 0) RaiseFileError(true, fileName, errno);
  tmp.path = pattern;

  const auto* p = static_cast<const uint8_t*>(data);
  if (uint64_t(size) > uint64_t(INT64_MAX)) RaiseWriteFailure(fileName, EFBIG);
  const int64_t written =
      TransferAll([&](int64_t off, size_t n) { return ::write(tmp.fd, p + off, n); }, int64_t(size));
  if (written != int64_t(size)) RaiseWriteFailure(fileName, errno ? errno : ENOSPC);

  const mode_t perms = exists ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
  if (::fchmod(tmp.fd, perms) != 0) RaiseWriteFailure(fileName, errno);
  // Keeping the owner only works for a privileged process or an unchanged owner; otherwise the
  // file belongs to whoever rewrote it, as with any editor's save.
  if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
    if (::fchown(tmp.fd, old.st_uid, old.st_gid) != 0) {
      // Not permitted: the new owner stands.
    }
  }

  if (::fsync(tmp.fd) != 0) RaiseWriteFailure(fileName, errno);
  const int fd = tmp.fd;
  tmp.fd = -1;
  if (::close(fd) != 0) RaiseWriteFailure(fileName, errno);

  if (::rename(tmp.path.c_str(), target.c_str()) != 0) RaiseFileError(true, fileName, errno);
  tmp.committed = true;

  // Make the rename itself durable. The new contents are already in place, so a folder that
  // cannot be synced (some file systems refuse) is not reported as a failed write.
  const int dfd = OpenNoIntr(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
}
