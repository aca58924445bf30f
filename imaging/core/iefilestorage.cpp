#include "imaging/core/iefilestorage.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <new>

#include "imaging/core/ietext.h"
#include "platform/rtl/sysutils.h"

std::string IETempDirectory;

std::string IETempPath() {
  if (!IETempDirectory.empty()) return IncludeTrailingPathDelimiter(IETempDirectory);
  return TempFolder();
}

uint64_t IEGetPhysicalMemory(bool available) {
  return available ? AvailablePhysicalMemory() : TotalPhysicalMemory();
}

// ---- TIETemporaryFileStream -----------------------------------------------------------------

TIETemporaryFileStream::TIETemporaryFileStream(const std::string& fileName) : THandleStream(-1) {
  int error = 0;
  // Gone from the folder at once: the open handle alone keeps the space until it closes.
  const int fd = CreateUnlinkedTempFile(fileName, error);
  if (fd < 0) throw EInOutError("Unable to create " + fileName, error);
  handle_ = fd;
}

TIETemporaryFileStream::~TIETemporaryFileStream() { FileClose(handle_); }

void TIETemporaryFileStream::SetSize(int64_t newSize) {
  if (newSize < 0) throw EInOutError("Invalid temporary file size", EINVAL);
  uint64_t room = 0;
  if (FreeDiskSpaceOfHandle(handle_, room) && uint64_t(newSize) > room)
    throw EInOutError("Not enough space for a temporary file", ENOSPC);
  THandleStream::SetSize(newSize);
  // A file system that cannot reserve space still works; only a real shortage fails.
  if (const int error = ReserveFileSpace(handle_, newSize))
    throw EInOutError("Not enough space for a temporary file", error);
}

// ---- TIEFileBuffer --------------------------------------------------------------------------

TIEFileBuffer::~TIEFileBuffer() {
  // The store is about to vanish with its file, so a failed write-back loses nothing that could be kept.
  try {
    Close();
  } catch (...) {
  }
}

bool TIEFileBuffer::AllocateFile(std::string_view prefix, bool useFile, int64_t size) {
  Close();
  if (size < 0) return false;
  const std::string dir = IETempPath();
  try {
    if (useFile) {
      // The name is checked free when drawn; another process may take it first, so draw again then.
      for (int attempt = 0;; ++attempt) {
        fileName_ = IEMakeTempFileName(prefix, dir);
        try {
          stream_ = std::make_unique<TIETemporaryFileStream>(fileName_);
          break;
        } catch (const EInOutError& e) {
          if (e.ErrorCode() != EEXIST || attempt >= 15) throw;
        }
      }
    } else {
      fileName_ = IEMakeTempFileName(prefix, dir);
      if (uint64_t(size) > IEGetPhysicalMemory(false)) return false;
      stream_ = std::make_unique<TMemoryStream>();
    }
    stream_->SetSize(size);
    return true;
  } catch (const std::exception&) {
    // Drop a half-made store at once rather than keep its disk space until the next Close.
    stream_.reset();
    return false;
  }
}

void TIEFileBuffer::Close() {
  if (!stream_) return;
  std::exception_ptr failure;
  try {
    ReleaseAllViews();
  } catch (...) {
    failure = std::current_exception();
  }
  views_.clear();
  stream_.reset();
  if (failure) std::rethrow_exception(failure);
}

void* TIEFileBuffer::GetView(uint8_t access, int64_t size, int64_t position) {
  if (size < 0 || size > INT32_MAX) throw EArgumentOutOfRangeException("Invalid view size");
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[size_t(std::max<int64_t>(size, 1))]);
  if (!block) throw EOutOfMemory("Out of memory");
  if (stream_ && (access & ieViewRead)) {
    if (stream_->Seek(position, soBeginning) != position) throw EReadError("Stream read error");
    stream_->ReadBuffer(block.get(), size);
  }
  void* data = block.get();
  views_.push_back({position, size, std::move(block), access});
  return data;
}

int32_t TIEFileBuffer::FindView(const void* data) const {
  for (size_t i = 0; i < views_.size(); ++i)
    if (views_[i].Data.get() == data) return int32_t(i);
  return -1;
}

void TIEFileBuffer::ReleaseView(void* data) {
  const int32_t index = FindView(data);
  if (index < 0) throw EListError("List index out of bounds (-1)");
  TView view = std::move(views_[size_t(index)]);
  views_.erase(views_.begin() + index);
  if (stream_ && (view.Access & ieViewWrite)) {
    if (stream_->Seek(view.Position, soBeginning) != view.Position) throw EWriteError("Stream write error");
    stream_->WriteBuffer(view.Data.get(), view.Size);
  }
}

void TIEFileBuffer::ReleaseAllViews() {
  if (!stream_) return;
  while (!views_.empty()) ReleaseView(views_.back().Data.get());
}

void TIEFileBuffer::CopyTo(TIEFileBuffer& target, int64_t size, int64_t position) {
  if (!stream_ || !target.stream_ || &target == this) return;
  ReleaseAllViews();
  target.ReleaseAllViews();
  if (stream_->Seek(position, soBeginning) != position) throw EReadError("Stream read error");
  if (target.stream_->Seek(position, soBeginning) != position) throw EWriteError("Stream write error");
  constexpr int64_t kChunk = 1048576;
  if (size <= 0) return;
  std::unique_ptr<uint8_t[]> chunk(new uint8_t[size_t(std::min(size, kChunk))]);
  while (size > 0) {
    const int64_t n = std::min(size, kChunk);
    stream_->ReadBuffer(chunk.get(), n);
    target.stream_->WriteBuffer(chunk.get(), n);
    size -= n;
  }
}
