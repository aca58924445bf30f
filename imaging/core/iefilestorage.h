// File-backed pixel storage: the temporary file that holds an image buffer's
// pixels when they exceed the memory threshold, and the machine's physical
// memory, from which that threshold is derived.
//
// A TIEFileBuffer owns one temporary file (or, on request, a memory stream) of
// a fixed size and hands out views: heap copies of byte ranges that are read
// when made and written back when released. The file is created exclusively
// with owner-only permissions and unlinked at once, so no other process can
// open it by name and it never outlives the process.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"

// An input/output failure with the system's error number.
class EInOutError : public Exception {
  DX_CLASS(EInOutError, Exception)
public:
  explicit EInOutError(std::string message, int errorCode = 0)
      : Exception(std::move(message)), errorCode_(errorCode) {}
  int ErrorCode() const { return errorCode_; }

private:
  int errorCode_;
};

// Folder for temporary pixel files; empty: TMPDIR, else /tmp. Set by the
// input/output unit's start-up (empty) and cleared by its shut-down.
extern std::string IETempDirectory;
// The folder AllocateFile uses now, with a trailing "/".
std::string IETempPath();

// Physical memory in bytes: what is available now, or the machine's total.
uint64_t IEGetPhysicalMemory(bool available);

// The handle stream on a new temporary file. The file is created exclusively
// (an existing file or symbolic link of that name is never opened) with mode
// 0600 and unlinked at once; closing the handle releases its space.
class TIETemporaryFileStream : public THandleStream {
  DX_CLASS(TIETemporaryFileStream, THandleStream)
public:
  // Raises EInOutError "Unable to create <name>" with the system's error number.
  explicit TIETemporaryFileStream(const std::string& fileName);
  ~TIETemporaryFileStream() override;
  TIETemporaryFileStream(const TIETemporaryFileStream&) = delete;
  TIETemporaryFileStream& operator=(const TIETemporaryFileStream&) = delete;

  // Also reserves the space, so that a disk too small fails here and not at a
  // later write; raises EInOutError then.
  void SetSize(int64_t newSize) override;
};

// Access bits of a view.
constexpr uint8_t ieViewRead = 1;   // read the range when the view is made
constexpr uint8_t ieViewWrite = 2;  // write the block back when it is released

class TIEFileBuffer : public TObject {
  DX_CLASS(TIEFileBuffer, TObject)
public:
  TIEFileBuffer() = default;
  // Closes the store; write-back failures are dropped with the store they belonged to.
  ~TIEFileBuffer() override;
  TIEFileBuffer(const TIEFileBuffer&) = delete;
  TIEFileBuffer& operator=(const TIEFileBuffer&) = delete;

  bool IsAllocated() const { return stream_ != nullptr; }
  // A store of `size` bytes: a temporary file named IETempPath() + prefix +
  // "-" + 8 hex digits + ".tmp" (useFile), or a memory stream. Every failure
  // answers False; the previous store is closed first either way.
  bool AllocateFile(std::string_view prefix, bool useFile, int64_t size);
  // Releases all views (writing back the writable ones) and drops the store.
  void Close();

  // A heap block of `size` bytes (at most 2^31 - 1) standing for the range at
  // `position`; filled from the store when access has ieViewRead.
  void* GetView(uint8_t access, int64_t size, int64_t position);
  // Index of the view whose block is `data`, -1 when none.
  int32_t FindView(const void* data) const;
  // Writes the block back when its access has ieViewWrite, then frees it.
  // Raises EListError for a block that is not an outstanding view; a failed
  // write still frees the view before the stream's exception goes on.
  void ReleaseView(void* data);
  // Last made first.
  void ReleaseAllViews();
  // Copies `size` bytes at `position` from this store into the target's at
  // the same position, in 1 MiB chunks; nothing unless both have a store.
  void CopyTo(TIEFileBuffer& target, int64_t size, int64_t position);

  // The name drawn by the last AllocateFile (kept after Close).
  const std::string& FileName() const { return fileName_; }
  int32_t ViewCount() const { return int32_t(views_.size()); }

private:
  struct TView {
    int64_t Position;
    int64_t Size;
    std::unique_ptr<uint8_t[]> Data;
    uint8_t Access;
  };

  std::unique_ptr<TStream> stream_;
  std::string fileName_;
  std::vector<TView> views_;
};
