// TIFF LZW (TIFF 6.0, section 13). The encoder uses the open-addressing hash
// of the UNIX compress program; the decoder keeps each table string as its
// prefix code plus one byte and writes strings back to front.
#include "imaging/formats/tiflzw.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "imaging/core/iebits.h"
#include "platform/classes/streams.h"

namespace {

constexpr int32_t kClear = 256;
constexpr int32_t kEndOfInformation = 257;
constexpr int32_t kFirstFree = 258;
constexpr int32_t kTableSize = 4096;
constexpr int32_t kMaxString = kTableSize;  // a string grows by one byte per entry

// ---- decoder --------------------------------------------------------------------------------

struct TLZWDecoder {
  const uint8_t* data = nullptr;
  int64_t dataBits = 0;
  int64_t bitPos = 0;
  bool reversed = false;
  std::vector<uint8_t> row;  // the row, then what the last code produced beyond it
  int32_t held = 0;          // bytes of row decoded so far, the surplus included
  int32_t rowBytes = 0;
  // Entry c is the string of entry prefix[c] followed by suffix[c]; first[c]
  // is its first byte and length[c] its length. Entries 0 to 255 are the bytes.
  std::array<int16_t, kTableSize> prefix{};
  std::array<uint8_t, kTableSize> suffix{};
  std::array<uint8_t, kTableSize> first{};
  std::array<int16_t, kTableSize> length{};
  int32_t nextCode = kFirstFree;
  int32_t width = 9;
  int32_t previous = -1;
  bool ended = false;  // EndOfInformation, or the strip's bytes are used up
  bool failed = false;

  TLZWDecoder() {
    for (int32_t c = 0; c < 256; ++c) {
      prefix[size_t(c)] = -1;
      suffix[size_t(c)] = first[size_t(c)] = uint8_t(c);
      length[size_t(c)] = 1;
    }
  }

  void Reset() {
    nextCode = kFirstFree;
    width = 9;
    previous = -1;
  }

  // The next code, or -1 when fewer than width bits are left.
  int32_t ReadCode() {
    if (bitPos + width > dataBits) return -1;
    const int64_t at = bitPos >> 3;
    uint32_t window = 0;
    for (int64_t k = 0; k < 3; ++k) {
      // A 12-bit code at most 7 bits into a byte spans three bytes.
      uint8_t b = (at + k) * 8 < dataBits ? data[at + k] : 0;
      if (reversed) IEReverseBitsInByte(b);
      window = window << 8 | b;
    }
    const int32_t code = int32_t((window << (8 + (bitPos & 7))) >> (32 - width));
    bitPos += width;
    return code;
  }

  bool Known(int32_t c) const { return c < 256 || (c >= kFirstFree && c < nextCode); }

  // Appends the string of a known code at held; the row has room for any string.
  void Append(int32_t c) {
    const int32_t n = length[size_t(c)];
    uint8_t* out = row.data() + held + n;
    for (int32_t k = c; k >= 0; k = prefix[size_t(k)]) *--out = suffix[size_t(k)];
    held += n;
  }

  // Adds previous string + byte; false when the table is full. The entry is
  // refused before it is written: the table has no slot 4096.
  bool Add(uint8_t byte) {
    if (nextCode >= kTableSize) return false;
    const size_t e = size_t(nextCode);
    prefix[e] = int16_t(previous);
    suffix[e] = byte;
    first[e] = first[size_t(previous)];
    length[e] = int16_t(length[size_t(previous)] + 1);
    ++nextCode;
    if (nextCode == 511) width = 10;
    else if (nextCode == 1023) width = 11;
    else if (nextCode == 2047) width = 12;
    return true;
  }

  // Decodes until the row is full; false on a broken strip.
  bool DecodeRow() {
    while (held < rowBytes && !ended) {
      int32_t c = ReadCode();
      if (c == kClear) {
        // Several Clears in a row reset once.
        do {
          Reset();
          c = ReadCode();
        } while (c == kClear);
        if (c < 0 || c == kEndOfInformation) {
          ended = true;
          break;
        }
        if (c >= nextCode) return false;
        Append(c);
        previous = c;
        continue;
      }
      if (c < 0 || c == kEndOfInformation) {
        ended = true;
        break;
      }
      if (previous < 0) {
        // A strip that does not begin with Clear: its first code has no entry to extend.
        if (!Known(c)) break;
        Append(c);
      } else if (Known(c)) {
        Append(c);
        if (!Add(first[size_t(c)])) return false;
      } else if (c == nextCode) {
        if (!Add(first[size_t(previous)])) return false;
        Append(c);
      } else {
        break;  // a code beyond the table ends this row as it stands
      }
      previous = c;
    }
    return true;
  }
};

// ---- encoder --------------------------------------------------------------------------------

constexpr int32_t kHashSize = 5003;  // prime, about 122% of the table
constexpr int32_t kHashShift = 4;    // 8 minus the doublings of 5003 that reach 65536
constexpr int32_t kMaxStored = 4093;
constexpr int32_t kBlockBytes = 254;

struct TLZWEncoder {
  TStream* dest = nullptr;
  uint32_t bits = 0;  // the pending bits, in the low bitCount bits
  int32_t bitCount = 0;
  std::array<uint8_t, kBlockBytes> block{};
  int32_t blockBytes = 0;
  std::array<int32_t, kHashSize> hashKey{};
  std::array<uint16_t, kHashSize> hashCode{};
  int32_t ent = -1;  // -1 until the first byte
  int32_t freeEnt = kFirstFree;
  int32_t width = 9;
  int32_t maxCode = 511;
  bool clearPending = false;

  void ClearHash() { hashKey.fill(-1); }

  void FlushBlock() {
    if (blockBytes) dest->WriteBuffer(block.data(), blockBytes);
    blockBytes = 0;
  }

  void PutByte(uint8_t b) {
    block[size_t(blockBytes++)] = b;
    if (blockBytes == kBlockBytes) FlushBlock();
  }

  void Emit(int32_t code) {
    bits = bits << width | uint32_t(code);
    bitCount += width;
    while (bitCount >= 8) {
      bitCount -= 8;
      PutByte(uint8_t(bits >> bitCount));
    }
    bits &= (1u << bitCount) - 1;
    if (clearPending) {
      width = 9;
      maxCode = 511;
      clearPending = false;
    } else if (freeEnt >= maxCode && width < 12) {
      ++width;
      maxCode = (1 << width) - 1;
    }
  }

  void Encode(const uint8_t* data, int32_t count) {
    int32_t k = 0;
    if (ent < 0 && count > 0) ent = data[k++];
    for (; k < count; ++k) {
      const int32_t c = data[k];
      const int32_t key = (c << 12) + ent;
      int32_t i = (c << kHashShift) ^ ent;
      if (hashKey[size_t(i)] == key) {
        ent = hashCode[size_t(i)];
        continue;
      }
      if (hashKey[size_t(i)] >= 0) {
        const int32_t displacement = i == 0 ? 1 : kHashSize - i;
        bool found = false;
        do {
          i -= displacement;
          if (i < 0) i += kHashSize;
          if (hashKey[size_t(i)] == key) {
            found = true;
            break;
          }
        } while (hashKey[size_t(i)] > 0);
        if (found) {
          ent = hashCode[size_t(i)];
          continue;
        }
      }
      Emit(ent);
      ent = c;
      if (freeEnt > kMaxStored) {
        ClearHash();
        freeEnt = kFirstFree;
        clearPending = true;
        Emit(kClear);
      } else {
        hashCode[size_t(i)] = uint16_t(freeEnt++);
        hashKey[size_t(i)] = key;
      }
    }
  }

  void Finish() {
    if (ent >= 0) Emit(ent);
    Emit(kEndOfInformation);
    if (bitCount > 0) PutByte(uint8_t(bits << (8 - bitCount)));
    bitCount = 0;
    FlushBlock();
  }
};

}  // namespace

uint8_t* TIFFLZWDecode(const uint8_t* data, int32_t dataSize, int32_t rowBytes, void*& state, int32_t fillOrder) {
  if (!data) {
    delete static_cast<TLZWDecoder*>(state);
    state = nullptr;
    return nullptr;
  }
  if (rowBytes < 0) return nullptr;
  if (!state) {
    auto fresh = std::make_unique<TLZWDecoder>();
    fresh->data = data;
    fresh->dataBits = int64_t(std::max(dataSize, 0)) * 8;
    fresh->reversed = fillOrder == 2;
    state = fresh.release();
  }
  TLZWDecoder& d = *static_cast<TLZWDecoder*>(state);
  if (d.failed) return nullptr;

  // Move the surplus of the previous row to the front.
  const int32_t surplus = std::max(d.held - d.rowBytes, 0);
  if (surplus) std::memmove(d.row.data(), d.row.data() + d.rowBytes, size_t(surplus));
  d.held = surplus;
  d.rowBytes = rowBytes;
  const size_t room = size_t(rowBytes) + kMaxString;
  if (d.row.size() < room) d.row.resize(room);

  if (!d.DecodeRow()) {
    d.failed = true;
    return nullptr;
  }
  // A row the strip did not fill is zero beyond what was decoded.
  if (d.held < rowBytes) {
    std::memset(d.row.data() + d.held, 0, size_t(rowBytes - d.held));
    d.held = rowBytes;
  }
  return d.row.data();
}

void TIFFLZWEncode(const uint8_t* data, int32_t count, TStream& dest, void*& state) {
  if (!state) {
    auto fresh = std::make_unique<TLZWEncoder>();
    fresh->dest = &dest;
    fresh->ClearHash();
    state = fresh.release();
    static_cast<TLZWEncoder*>(state)->Emit(kClear);
  }
  if (!data) {
    // Released whatever the stream does with the last bytes.
    const std::unique_ptr<TLZWEncoder> e(static_cast<TLZWEncoder*>(state));
    state = nullptr;
    e->dest = &dest;
    e->Finish();
    return;
  }
  TLZWEncoder& e = *static_cast<TLZWEncoder*>(state);
  e.dest = &dest;
  e.Encode(data, std::max(count, 0));
}
