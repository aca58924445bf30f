#include "imaging/core/ieboundedreader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"

TIEBoundedReader::TIEBoundedReader(TStream& stream)
    : stream_(&stream), size_(std::max<int64_t>(0, stream.Size())), pos_(std::max<int64_t>(0, stream.Position())) {}

void TIEBoundedReader::Skip(int64_t count) {
  // Saturated: a count near the limits lands past the end (or at 0), never wraps.
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  if (count > 0 && pos_ > kMax - count)
    pos_ = kMax;
  else
    Seek(pos_ + count);
}

bool TIEBoundedReader::ReadAt(int64_t pos, void* buffer, int64_t count) {
  if (!Holds(pos, count)) return false;
  if (count == 0) return true;
  if (data_) {
    std::memcpy(buffer, data_ + pos, size_t(count));
    return true;
  }
  if (!stream_ || stream_->Seek(pos, soBeginning) != pos) return false;
  auto* out = static_cast<uint8_t*>(buffer);
  while (count > 0) {
    const int32_t chunk = int32_t(std::min<int64_t>(count, 1 << 30));
    if (stream_->Read(out, chunk) != chunk) return false;
    out += chunk;
    count -= chunk;
  }
  return true;
}

bool TIEBoundedReader::ReadU16(int64_t pos, bool bigEndian, uint16_t& value) {
  uint8_t b[2];
  if (!ReadAt(pos, b, 2)) return false;
  value = Get16(b, bigEndian);
  return true;
}

bool TIEBoundedReader::ReadU32(int64_t pos, bool bigEndian, uint32_t& value) {
  uint8_t b[4];
  if (!ReadAt(pos, b, 4)) return false;
  value = Get32(b, bigEndian);
  return true;
}

void TIEBoundedReader::ReadBytes(void* buffer, int64_t count) {
  if (!TryReadBytes(buffer, count)) ThrowShort();
}

bool TIEBoundedReader::TryReadBytes(void* buffer, int64_t count) {
  if (!ReadAt(pos_, buffer, count)) return false;
  pos_ += count;
  return true;
}

uint8_t TIEBoundedReader::ReadU8() {
  uint8_t b;
  ReadBytes(&b, 1);
  return b;
}

uint16_t TIEBoundedReader::ReadU16(bool bigEndian) {
  uint8_t b[2];
  ReadBytes(b, 2);
  return Get16(b, bigEndian);
}

uint32_t TIEBoundedReader::ReadU32(bool bigEndian) {
  uint8_t b[4];
  ReadBytes(b, 4);
  return Get32(b, bigEndian);
}

void TIEBoundedReader::ThrowShort() { throw EReadError("Stream read error"); }
