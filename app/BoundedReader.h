// The one reader through which the MPO parser and the tag lists take bytes
// from an untrusted file. Every read is checked against the end of the
// stream: a short read raises EReadError, never hands back zeros. Offsets and
// counts taken from the file are checked against what the stream holds before
// anything is allocated for them.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"

class TBoundedReader {
public:
  // The stream's size is taken once: the parser never reads a growing file.
  explicit TBoundedReader(TStream& stream) : stream_(stream), size_(stream.Size()) {}

  TStream& Stream() { return stream_; }
  int64_t Size() const { return size_; }
  int64_t Position() { return stream_.Position(); }
  // Bytes left between the position and the end; 0 past the end.
  int64_t Remaining() {
    const int64_t p = Position();
    return p >= size_ ? 0 : size_ - p;
  }
  // True when count bytes starting at pos lie inside the stream.
  bool Holds(int64_t pos, int64_t count) const {
    return pos >= 0 && count >= 0 && pos <= size_ && count <= size_ - pos;
  }

  // A target beyond the end is allowed: the next read there fails (or, for
  // TryReadU8, reports the end), so nothing outside the stream is ever read.
  void Seek(int64_t pos) { stream_.Seek(pos < 0 ? 0 : pos, soBeginning); }
  void Skip(int64_t count) { Seek(Position() + count); }

  void ReadBytes(void* buffer, int64_t count) {
    if (count < 0 || count > Remaining()) ThrowShort();
    auto* p = static_cast<uint8_t*>(buffer);
    while (count > 0) {
      const int32_t chunk = count > 0x40000000 ? 0x40000000 : int32_t(count);
      if (stream_.Read(p, chunk) != chunk) ThrowShort();
      p += chunk;
      count -= chunk;
    }
  }
  // False at the end of the stream instead of raising.
  bool TryReadU8(uint8_t& value) { return Remaining() > 0 && stream_.Read(&value, 1) == 1; }
  uint8_t ReadU8() {
    uint8_t b;
    ReadBytes(&b, 1);
    return b;
  }
  uint16_t ReadU16BE() {
    uint8_t b[2];
    ReadBytes(b, 2);
    return uint16_t(b[0] << 8 | b[1]);
  }
  uint32_t ReadU32LE() {
    uint8_t b[4];
    ReadBytes(b, 4);
    return LE32(b);
  }

  static uint16_t LE16(const uint8_t* b) { return uint16_t(b[0] | b[1] << 8); }
  static uint32_t LE32(const uint8_t* b) { return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24; }
  static uint16_t BE16(const uint8_t* b) { return uint16_t(b[0] << 8 | b[1]); }
  static uint32_t BE32(const uint8_t* b) { return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | uint32_t(b[3]); }

  // The stream's own read error, so that a truncated file reads as one.
  [[noreturn]] static void ThrowShort() { throw EReadError("Stream read error"); }

private:
  TStream& stream_;
  int64_t size_;
};
