#include "imaging/core/iestreams.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

#include "imaging/core/iezlib.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

constexpr const char* kReadError = "Stream read error";
constexpr const char* kWriteError = "Stream write error";

int64_t SaturatingAdd(int64_t a, int64_t b) {
  int64_t r;
  if (__builtin_add_overflow(a, b, &r)) return b > 0 ? INT64_MAX : INT64_MIN;
  return r;
}

int64_t SaturatingSub(int64_t a, int64_t b) {
  int64_t r;
  if (__builtin_sub_overflow(a, b, &r)) return b < 0 ? INT64_MAX : INT64_MIN;
  return r;
}

// Bytes left after the position, or -1 when the stream cannot tell (deflate
// streams, pipes).
int64_t Remaining(TStream& stream) {
  if (IEIsDeflateStream(stream)) return -1;
  const int64_t size = stream.Size();
  const int64_t pos = stream.Position();
  if (size < 0 || pos < 0) return -1;
  return std::max<int64_t>(size - pos, 0);
}

}  // namespace

// ---- TIEBufferedReadStream -----------------------------------------------------------------

TIEBufferedReadStream::TIEBufferedReadStream(TStream& source, int32_t bufferSize, bool relative)
    : source_(source) {
  const int64_t pos = std::max<int64_t>(source.Position(), 0);
  origin_ = relative ? pos : 0;
  size_ = std::max<int64_t>(source.Size(), 0);
  position_ = pos;
  SetBufferSize(bufferSize);
}

TIEBufferedReadStream::~TIEBufferedReadStream() = default;

void TIEBufferedReadStream::SetBufferSize(int32_t bufferSize) {
  // An empty buffer could never make progress.
  bufferSize_ = std::max(bufferSize, 1);
  buffer_ = std::make_unique<uint8_t[]>(size_t(bufferSize_));
  FillBuffer();
}

void TIEBufferedReadStream::FillBuffer() {
  source_.SetPosition(position_);
  bufferFill_ = std::max(source_.Read(buffer_.get(), bufferSize_), 0);
  bufferIndex_ = 0;
}

int32_t TIEBufferedReadStream::Read(void* buffer, int32_t count) {
  endOfStream_ = false;
  const int64_t remaining = size_ - position_;
  if (remaining < count) {
    count = int32_t(std::max<int64_t>(remaining, 0));
    endOfStream_ = true;
  }
  if (count == 1) {
    // Marker and tag scanners read single bytes: no loop, no block copy.
    if (bufferIndex_ >= bufferFill_) {
      FillBuffer();
      if (bufferFill_ == 0) {
        endOfStream_ = true;
        return 0;
      }
    }
    *static_cast<uint8_t*>(buffer) = buffer_[size_t(bufferIndex_++)];
    ++position_;
    return 1;
  }
  if (count < 1) return 0;
  auto* dst = static_cast<uint8_t*>(buffer);
  int32_t total = 0;
  while (count > 0) {
    if (bufferIndex_ >= bufferFill_) {
      FillBuffer();
      // The source delivered less than it claimed to hold: stop rather than hand out stale bytes.
      if (bufferFill_ == 0) {
        endOfStream_ = true;
        break;
      }
    }
    const int32_t n = std::min(count, bufferFill_ - bufferIndex_);
    std::memcpy(dst, buffer_.get() + bufferIndex_, size_t(n));
    bufferIndex_ += n;
    position_ += n;
    total += n;
    dst += n;
    count -= n;
  }
  return total;
}

int32_t TIEBufferedReadStream::Write(const void* /*buffer*/, int32_t /*count*/) {
  throw Exception("TIEBufferedReadStream cannot write!");
}

int64_t TIEBufferedReadStream::Seek(int64_t offset, TSeekOrigin origin) {
  endOfStream_ = false;
  int64_t target;
  switch (origin) {
    case soBeginning: target = SaturatingAdd(origin_, offset); break;
    case soCurrent: target = SaturatingAdd(position_, offset); break;
    case soEnd: target = SaturatingSub(size_, offset); break;
    default: target = position_; break;
  }
  if (target < 0) target = 0;
  if (target >= size_) {
    target = size_;
    endOfStream_ = true;
  }
  const int64_t newIndex = bufferIndex_ + (target - position_);
  position_ = target;
  if (newIndex >= 0 && newIndex < bufferSize_)
    bufferIndex_ = int32_t(newIndex);
  else
    FillBuffer();
  return position_ - origin_;
}

// ---- TIEBufferedWriteStream ----------------------------------------------------------------

TIEBufferedWriteStream::TIEBufferedWriteStream(TStream& destination, int32_t bufferSize)
    : destination_(destination), bufferSize_(std::max(bufferSize, 1)) {
  buffer_ = std::make_unique<uint8_t[]>(size_t(bufferSize_));
}

TIEBufferedWriteStream::~TIEBufferedWriteStream() {
  try {
    Flush();
  } catch (...) {
    // A destructor cannot pass the failure on; Flush is there for callers who must see it.
  }
}

int32_t TIEBufferedWriteStream::Read(void* /*buffer*/, int32_t /*count*/) {
  throw Exception("TIEBufferedWriteStream cannot read!");
}

int32_t TIEBufferedWriteStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const auto* src = static_cast<const uint8_t*>(buffer);
  int32_t left = count;
  while (left > 0) {
    const int32_t n = std::min(left, bufferSize_ - fillCount_);
    std::memcpy(buffer_.get() + fillCount_, src, size_t(n));
    fillCount_ += n;
    src += n;
    left -= n;
    if (fillCount_ == bufferSize_) Flush();
  }
  return count;
}

void TIEBufferedWriteStream::Flush() {
  if (fillCount_ <= 0) return;
  const int32_t n = fillCount_;
  fillCount_ = 0;
  if (destination_.Write(buffer_.get(), n) != n) throw EWriteError(kWriteError);
}

int64_t TIEBufferedWriteStream::Seek(int64_t offset, TSeekOrigin origin) {
  Flush();
  return destination_.Seek(offset, origin);
}

// ---- TIEWideFileStream ---------------------------------------------------------------------

TIEWideFileStream::TIEWideFileStream(const std::string& fileName, uint16_t mode)
    : THandleStream(FileOpenHandle(fileName, mode)) {}

TIEWideFileStream::~TIEWideFileStream() { FileClose(handle_); }

// ---- IECopyStreamData ----------------------------------------------------------------------

int64_t IECopyStreamData(TStream& destination, TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (!IEIsDeflateStream(source))
    count = std::max<int64_t>(0, std::min(count, source.Size() - source.Position()));
  else if (count < 0)
    count = 0;
  const int64_t chunk = count < 0x30000 ? count : 0x2FFFF;
  std::vector<uint8_t> buffer(size_t(std::max<int64_t>(chunk, 1)));
  for (int64_t left = count; left != 0;) {
    const int64_t n = std::min(chunk, left);
    source.ReadBuffer(buffer.data(), n);
    destination.WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return count;
}

// ---- TIEMemStream --------------------------------------------------------------------------

TIEMemStream::TIEMemStream(const void* memory, int64_t size) {
  // The block is only ever read through this stream.
  SetPointer(const_cast<void*>(memory), memory && size > 0 ? size : 0);
}

int32_t TIEMemStream::Write(const void* /*buffer*/, int32_t /*count*/) { return 0; }

void TIEMemStream::SetSize(int64_t /*newSize*/) {}

// ---- TNulStream ----------------------------------------------------------------------------

int32_t TNulStream::Read(void* /*buffer*/, int32_t count) {
  if (count <= 0) return 0;
  position_ = SaturatingAdd(position_, count);
  size_ = std::max(size_, position_);
  return count;
}

int32_t TNulStream::Write(const void* /*buffer*/, int32_t count) {
  if (count <= 0) return 0;
  position_ = SaturatingAdd(position_, count);
  size_ = std::max(size_, position_);
  return count;
}

int64_t TNulStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning:
      position_ = offset;
      size_ = std::max(size_, position_);
      break;
    case soCurrent:
      position_ = SaturatingAdd(position_, offset);
      size_ = std::max(size_, position_);
      break;
    case soEnd: position_ = SaturatingSub(size_, offset); break;
    default: break;
  }
  return position_;
}

// ---- Length-prefixed 8-bit text ------------------------------------------------------------

void WriteAnsiStringToStream(TStream& stream, const std::string& text) {
  const std::string bytes = Utf8ToCodePage(text, CP_ACP);
  if (bytes.size() > size_t(INT32_MAX)) throw EWriteError(kWriteError);
  const auto len = uint32_t(bytes.size());
  const uint8_t prefix[4] = {uint8_t(len), uint8_t(len >> 8), uint8_t(len >> 16), uint8_t(len >> 24)};
  stream.WriteBuffer(prefix, 4);
  if (len) stream.WriteBuffer(bytes.data(), len);
}

void ReadAnsiStringFromStream(TStream& stream, std::string& text) {
  text.clear();
  uint8_t prefix[4];
  stream.ReadBuffer(prefix, 4);
  const auto len = int32_t(uint32_t(prefix[0]) | uint32_t(prefix[1]) << 8 | uint32_t(prefix[2]) << 16 |
                           uint32_t(prefix[3]) << 24);
  if (len < 0) throw EReadError(kReadError);
  if (len == 0) return;
  std::string bytes;
  const int64_t remaining = Remaining(stream);
  if (remaining >= 0) {
    // Refuse a count the stream cannot hold before allocating for it.
    if (len > remaining) throw EReadError(kReadError);
    bytes.resize(size_t(len));
    stream.ReadBuffer(bytes.data(), len);
  } else {
    // The stream cannot tell what it holds: grow with what really arrives.
    constexpr int32_t kChunk = 65536;
    for (int32_t left = len; left > 0;) {
      const int32_t n = std::min(left, kChunk);
      const size_t at = bytes.size();
      bytes.resize(at + size_t(n));
      stream.ReadBuffer(bytes.data() + at, n);
      left -= n;
    }
  }
  text = CodePageToUtf8(bytes, CP_ACP);
}
