// The framework's byte streams: an abstract TStream with 64-bit positions and
// the handle, file, memory, string and bytes streams over it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/object.h"

enum TSeekOrigin : uint8_t { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// File modes in the framework's encoding: access in the low two bits, sharing in bits 4..6.
constexpr uint16_t fmCreate = 0xFFFF;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

class TStream : public TObject {
  DX_CLASS(TStream, TObject)
public:
  // Both return the number of bytes actually moved; they never raise for a short transfer.
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position();
  void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
  // Base: current position, end, back again. Descendants may answer directly.
  virtual int64_t Size();
  virtual void SetSize(int64_t newSize);

  // Raise EReadError / EWriteError when fewer than count bytes move.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source's current position (0: the whole source from its start); returns bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over an operating-system file descriptor it does not own.
class THandleStream : public TStream {
  DX_CLASS(THandleStream, TStream)
public:
  explicit THandleStream(int handle);
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t newSize) override;
  int Handle() const { return handle_; }

protected:
  int handle_;
};

// Opens a file in the framework's mode encoding and returns its descriptor; raises
// EFOpenError / EFCreateError naming the file and the system's reason. An access or
// share value outside the encoding raises without touching the file system.
int FileOpenHandle(const std::string& fileName, uint16_t mode);

// Opens (or with fmCreate creates/truncates) a file; raises EFOpenError / EFCreateError naming
// the file and the system's reason. Share modes are accepted and treated as advisory.
class TFileStream : public THandleStream {
  DX_CLASS(TFileStream, THandleStream)
public:
  TFileStream(const std::string& fileName, uint16_t mode);
  ~TFileStream() override;
  const std::string& FileName() const { return fileName_; }

private:
  std::string fileName_;
};

// A growable block of memory. Positions may lie past the end; a write there zero-fills the gap.
class TCustomMemoryStream : public TStream {
  DX_CLASS(TCustomMemoryStream, TStream)
public:
  int32_t Read(void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return size_; }
  void* Memory() const { return memory_; }
  void SaveToStream(TStream& stream);
  void SaveToFile(const std::string& fileName);

protected:
  void SetPointer(void* ptr, int64_t size);
  void* memory_ = nullptr;
  int64_t size_ = 0;
  int64_t position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  DX_CLASS(TMemoryStream, TCustomMemoryStream)
public:
  TMemoryStream() = default;
  ~TMemoryStream() override;
  int32_t Write(const void* buffer, int32_t count) override;
  void SetSize(int64_t newSize) override;
  void Clear();
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  int64_t Capacity() const { return capacity_; }

protected:
  virtual void* Realloc(int64_t& newCapacity);

private:
  void SetCapacity(int64_t newCapacity);
  int64_t capacity_ = 0;
};

// Bytes in a std::vector, which the caller can take over.
class TBytesStream : public TMemoryStream {
  DX_CLASS(TBytesStream, TMemoryStream)
public:
  TBytesStream() = default;
  explicit TBytesStream(std::vector<uint8_t> bytes);
  ~TBytesStream() override;
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

protected:
  void* Realloc(int64_t& newCapacity) override;

private:
  std::vector<uint8_t> bytes_;
};

// A stream over a string's bytes (UTF-8 or code-page bytes, untouched).
class TStringStream : public TBytesStream {
  DX_CLASS(TStringStream, TBytesStream)
public:
  explicit TStringStream(const std::string& s = {});
  std::string DataString() const;
  std::string ReadString(int32_t count);
  void WriteString(const std::string& s);
};

// Writes a file so that a reader never sees it half-written and a failure never
// destroys the old contents: bytes go to a temporary file in the same folder,
// which is flushed and renamed over the target. Raises EFCreateError / EWriteError.
void WriteFileAtomically(const std::string& fileName, const void* data, size_t size);
