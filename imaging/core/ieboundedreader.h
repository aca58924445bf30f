// The one reader through which bytes of an untrusted file are taken: TIFF
// structures and maker notes, the segments of a JPEG stream, the MPO index.
// It reads from a stream, whose size is taken once, or from bytes in memory,
// and checks every range against that size before touching the data: an
// offset or a count taken from the file that leaves the data makes the read
// fail, and a short read is a failure, never zeros. Ranges are compared in
// 64-bit arithmetic arranged so that no sum can overflow, whatever the file says.
//
// Two failure conventions, one for each kind of caller:
//   - at the cursor (ReadU8, ReadU16BE, ..., ReadBytes) a short read raises
//     EReadError, for parsers that fail by exception;
//   - at a given position (ReadAt, ReadU16(at, ...), ReadU32(at, ...)) and at
//     the cursor through TryRead.. the result is false, for readers that return bool.
// Multi-byte values come in either byte order, fixed (..BE, ..LE) or chosen at
// run time (bigEndian), as TIFF-style structures need.
#pragma once

#include <cstddef>
#include <cstdint>

class TStream;

class TIEBoundedReader {
public:
  // The cursor starts at the stream's position. Reads move the stream; it
  // stands after the last byte read, and nothing else should move it while
  // the reader is in use.
  explicit TIEBoundedReader(TStream& stream);
  // The cursor starts at 0. A null data reads as empty.
  TIEBoundedReader(const uint8_t* data, size_t size) : data_(data), size_(data ? int64_t(size) : 0) {}

  int64_t Size() const { return size_; }
  int64_t Position() const { return pos_; }
  // Bytes between the cursor and the end; 0 past the end.
  int64_t Remaining() const { return pos_ >= size_ ? 0 : size_ - pos_; }
  // True when count bytes starting at pos lie inside the data.
  bool Holds(int64_t pos, int64_t count) const {
    return pos >= 0 && count >= 0 && pos <= size_ && count <= size_ - pos;
  }

  // A target past the end is allowed: the next read there fails, so nothing
  // outside the data is ever read. A negative one stops at 0.
  void Seek(int64_t pos) { pos_ = pos < 0 ? 0 : pos; }
  void Skip(int64_t count);

  // ---- at the cursor; a short read raises EReadError and leaves the cursor where it was
  void ReadBytes(void* buffer, int64_t count);
  uint8_t ReadU8();
  uint16_t ReadU16BE() { return ReadU16(true); }
  uint16_t ReadU16LE() { return ReadU16(false); }
  uint32_t ReadU32BE() { return ReadU32(true); }
  uint32_t ReadU32LE() { return ReadU32(false); }
  uint16_t ReadU16(bool bigEndian);
  uint32_t ReadU32(bool bigEndian);
  // False instead of raising, the cursor then unmoved.
  bool TryReadBytes(void* buffer, int64_t count);
  bool TryReadU8(uint8_t& value) { return TryReadBytes(&value, 1); }

  // ---- at a position; false for a range outside the data or a short read. The cursor stays.
  bool ReadAt(int64_t pos, void* buffer, int64_t count);
  bool ReadU16(int64_t pos, bool bigEndian, uint16_t& value);
  bool ReadU32(int64_t pos, bool bigEndian, uint32_t& value);

  // ---- decoding bytes already read
  static uint16_t LE16(const uint8_t* b) { return uint16_t(b[0] | b[1] << 8); }
  static uint16_t BE16(const uint8_t* b) { return uint16_t(b[0] << 8 | b[1]); }
  static uint32_t LE32(const uint8_t* b) {
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  }
  static uint32_t BE32(const uint8_t* b) {
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | uint32_t(b[3]);
  }
  static uint16_t Get16(const uint8_t* b, bool bigEndian) { return bigEndian ? BE16(b) : LE16(b); }
  static uint32_t Get32(const uint8_t* b, bool bigEndian) { return bigEndian ? BE32(b) : LE32(b); }

  // The stream's own read error, so that a truncated file reads as one.
  [[noreturn]] static void ThrowShort();

private:
  TStream* stream_ = nullptr;
  const uint8_t* data_ = nullptr;
  int64_t size_ = 0;
  int64_t pos_ = 0;
};
