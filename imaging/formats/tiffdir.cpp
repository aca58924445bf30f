// TIFF directory reading (TIFF 6.0, section 2): the chain walk, the typed tag
// getters and the content tests. Every read goes through TIEBoundedReader.
#include <algorithm>
#include <set>

#include "imaging/core/iestreams.h"
#include "imaging/formats/tiffilt.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

TTIFFLZWDecodeProc IETIFFLZWDecode = nullptr;

namespace {

constexpr uint32_t kMaxStringCount = 1048575;

bool ReadEntries(TIEBoundedReader& in, int64_t at, uint16_t count, TTIFFDirectory& dir) {
  dir.Entries.clear();
  const bool big = !dir.LittleEndian;
  for (uint32_t i = 0; i < count; ++i) {
    const int64_t p = at + 12 * int64_t(i);
    TTIFFEntry e;
    // Only whole entries are kept: a directory cut short by the end of the file ends there.
    if (!in.ReadU16(p, big, e.Tag) || !in.ReadU16(p + 2, big, e.Type) || !in.ReadU32(p + 4, big, e.Count) ||
        !in.ReadU32(p + 8, big, e.Value))
      break;
    dir.Entries.push_back(e);
  }
  dir.EntryCount = uint16_t(dir.Entries.size());
  return true;
}

const TTIFFEntry* Find(const TTIFFDirectory& dir, uint16_t tag) {
  const int32_t i = TIFFFindTag(dir, tag);
  return i < 0 ? nullptr : &dir.Entries[size_t(i)];
}

// The value field's four bytes as they stood in the file.
void FieldBytes(const TTIFFDirectory& dir, uint32_t value, uint8_t out[4]) {
  for (int k = 0; k < 4; ++k) out[k] = uint8_t(dir.LittleEndian ? value >> (8 * k) : value >> (24 - 8 * k));
}

int64_t ElementSize(uint16_t type) {
  const int32_t s = IETIFFTypeSize(type);
  return s == 0 ? 1 : s;
}

// The bytes of a value: inline from the field, else from Base + offset.
bool ValueBytes(const TTIFFDirectory& dir, const TTIFFEntry& e, int64_t total, std::vector<uint8_t>& out) {
  out.assign(size_t(std::max<int64_t>(total, 0)), 0);
  if (total <= 0) return true;
  if (total <= 4) {
    uint8_t field[4];
    FieldBytes(dir, e.Value, field);
    std::copy(field, field + total, out.begin());
    return true;
  }
  if (!dir.Stream) return false;
  TIEBoundedReader in(*dir.Stream);
  return in.ReadAt(dir.Base + e.Value, out.data(), total);
}

}  // namespace

bool TIFFReadSingleIFD(int64_t offset, TTIFFDirectory& dir) {
  dir.Entries.clear();
  dir.EntryCount = 0;
  if (!dir.Stream) return false;
  TIEBoundedReader in(*dir.Stream);
  uint16_t count;
  if (!in.ReadU16(dir.Base + offset, !dir.LittleEndian, count)) return false;
  return ReadEntries(in, dir.Base + offset + 2, count, dir);
}

bool TIFFReadIFD(int32_t pageIndex, int64_t firstOffset, TTIFFDirectory& dir, int32_t& pageCount) {
  pageCount = 0;
  dir.Entries.clear();
  dir.EntryCount = 0;
  if (!dir.Stream) return false;
  TIEBoundedReader in(*dir.Stream);
  const bool big = !dir.LittleEndian;
  bool found = false;
  std::set<int64_t> visited;
  int64_t offset = firstOffset;
  for (int32_t ordinal = 0;; ++ordinal) {
    const int64_t at = dir.Base + offset;
    uint16_t count;
    if (!visited.insert(at).second || !in.ReadU16(at, big, count) || count == 0) break;
    if (ordinal == pageIndex) found = ReadEntries(in, at + 2, count, dir);
    const int64_t nextField = at + 2 + 12 * int64_t(count);
    if (nextField >= in.Size()) break;
    // A next offset cut short by the end of the file reads as 0: this IFD counts and is the last.
    uint32_t next = 0;
    if (!in.ReadU32(nextField, big, next)) next = 0;
    ++pageCount;
    if (next == 0) break;
    if (next == offset || dir.Base + int64_t(next) < dir.Base + 8 || dir.Base + int64_t(next) >= in.Size()) break;
    offset = next;
  }
  return found && dir.EntryCount > 0;
}

int32_t TIFFFindTag(const TTIFFDirectory& dir, uint16_t tag) {
  for (size_t i = 0; i < dir.Entries.size(); ++i)
    if (dir.Entries[i].Tag == tag) return int32_t(i);
  return -1;
}

int32_t TIFFGetInteger(const TTIFFDirectory& dir, uint16_t tag, int32_t def) {
  const TTIFFEntry* e = Find(dir, tag);
  if (!e) return def;
  const uint32_t v = e->Value;
  switch (e->Type) {
    case tftByte:
    case tftAscii:
    case tftUndefined:
      return int32_t(dir.LittleEndian ? v & 0xFF : v >> 24);
    case tftSByte:
      return int8_t(dir.LittleEndian ? v & 0xFF : v >> 24);
    case tftShort:
      return int32_t(dir.LittleEndian ? v & 0xFFFF : v >> 16);
    case tftSShort:
      return int16_t(dir.LittleEndian ? v & 0xFFFF : v >> 16);
    default:
      return int32_t(v);
  }
}

int32_t TIFFGetIntegerAt(const TTIFFDirectory& dir, uint16_t tag, uint32_t i, int32_t def) {
  const TTIFFEntry* e = Find(dir, tag);
  if (!e || i >= e->Count) return def;
  if (e->Type == tftShort) {
    if (e->Count <= 2) {
      // Inline: element 0 stands first in the file's byte order.
      const bool low = dir.LittleEndian == (i == 0);
      return int32_t(low ? e->Value & 0xFFFF : e->Value >> 16);
    }
    if (!dir.Stream) return def;
    TIEBoundedReader in(*dir.Stream);
    uint16_t v;
    return in.ReadU16(dir.Base + e->Value + 2 * int64_t(i), !dir.LittleEndian, v) ? int32_t(v) : def;
  }
  if (e->Type == tftLong) {
    if (e->Count == 1) return int32_t(e->Value);
    if (!dir.Stream) return def;
    TIEBoundedReader in(*dir.Stream);
    uint32_t v;
    return in.ReadU32(dir.Base + e->Value + 4 * int64_t(i), !dir.LittleEndian, v) ? int32_t(v) : def;
  }
  return def;
}

std::vector<int32_t> TIFFGetIntegerArray(const TTIFFDirectory& dir, uint16_t tag) {
  const TTIFFEntry* e = Find(dir, tag);
  if (!e || !dir.Stream) return {};
  TIEBoundedReader in(*dir.Stream);
  if (int64_t(e->Count) > in.Size()) return {};
  std::vector<int32_t> out(e->Count);
  if (e->Count == 1) {
    out[0] = TIFFGetIntegerAt(dir, tag, 0, 0);
    return out;
  }
  if ((e->Type == tftShort && e->Count > 2) || e->Type == tftLong) {
    // One read for the whole array; elements that lie outside the file keep 0.
    const int64_t size = IETIFFTypeSize(e->Type);
    std::vector<uint8_t> bytes;
    if (ValueBytes(dir, *e, int64_t(e->Count) * size, bytes)) {
      for (uint32_t k = 0; k < e->Count; ++k) {
        const uint8_t* p = bytes.data() + size * k;
        if (size == 2)
          out[k] = dir.LittleEndian ? p[0] | (p[1] << 8) : (p[0] << 8) | p[1];
        else
          out[k] = int32_t(dir.LittleEndian ? uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24)
                                            : (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3]);
      }
      return out;
    }
  }
  for (uint32_t k = 0; k < e->Count; ++k) out[k] = TIFFGetIntegerAt(dir, tag, k, 0);
  return out;
}

namespace {

bool ReadRational(const TTIFFDirectory& dir, const TTIFFEntry& e, uint32_t i, double& value) {
  if (!dir.Stream) return false;
  TIEBoundedReader in(*dir.Stream);
  uint32_t num, den;
  const int64_t at = dir.Base + e.Value + 8 * int64_t(i);
  if (!in.ReadU32(at, !dir.LittleEndian, num) || !in.ReadU32(at + 4, !dir.LittleEndian, den)) return false;
  const int32_t n = int32_t(num), d = int32_t(den);
  value = double(n) / double(d == 0 ? 1 : d);
  return true;
}

}  // namespace

double TIFFGetRationalAt(const TTIFFDirectory& dir, uint16_t tag, uint32_t i, double def) {
  const TTIFFEntry* e = Find(dir, tag);
  double v;
  return e && i < e->Count && ReadRational(dir, *e, i, v) ? v : def;
}

double TIFFGetRational(const TTIFFDirectory& dir, uint16_t tag, double def) {
  const TTIFFEntry* e = Find(dir, tag);
  double v;
  return e && ReadRational(dir, *e, 0, v) ? v : def;
}

AnsiString TIFFGetString(const TTIFFDirectory& dir, uint16_t tag, bool cutAtNul) {
  const TTIFFEntry* e = Find(dir, tag);
  if (!e || e->Count > kMaxStringCount) return {};
  std::vector<uint8_t> bytes;
  if (!ValueBytes(dir, *e, e->Count, bytes)) return {};
  AnsiString s(bytes.begin(), bytes.end());
  if (cutAtNul) {
    const size_t nul = s.find('\0');
    if (nul != AnsiString::npos) s.resize(nul);
  }
  return s;
}

std::string TIFFGetWideString(const TTIFFDirectory& dir, uint16_t tag) {
  const TTIFFEntry* e = Find(dir, tag);
  if (!e || e->Count > kMaxStringCount) return {};
  std::vector<uint8_t> bytes;
  if (!ValueBytes(dir, *e, e->Count, bytes)) return {};
  std::u16string text;
  for (size_t k = 0; k + 1 < bytes.size(); k += 2) {
    const char16_t unit = char16_t(bytes[k] | (bytes[k + 1] << 8));
    if (unit == 0) break;
    text.push_back(unit);
  }
  return Utf16ToUtf8(text);
}

std::vector<uint8_t> TIFFGetRawData(const TTIFFDirectory& dir, uint16_t tag) {
  const TTIFFEntry* e = Find(dir, tag);
  if (!e || !dir.Stream) return {};
  const int64_t total = int64_t(e->Count) * ElementSize(e->Type);
  TIEBoundedReader in(*dir.Stream);
  if (total > in.Size()) return {};
  std::vector<uint8_t> bytes;
  if (!ValueBytes(dir, *e, total, bytes)) return {};
  return bytes;
}

std::string BytesToDottedText(const std::vector<uint8_t>& bytes) {
  std::string s;
  for (size_t k = 0; k < bytes.size(); ++k) {
    if (k) s += '.';
    s += IntToStr(bytes[k]);
  }
  return s;
}

std::vector<uint8_t> DottedTextToBytes(const std::string& text) {
  std::vector<uint8_t> out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t dot = text.find('.', start);
    if (dot == std::string::npos) dot = text.size();
    out.push_back(uint8_t(StrToIntDef(Trim(text.substr(start, dot - start)), 0)));
    start = dot + 1;
  }
  return out;
}

// ---- content tests --------------------------------------------------------------------------

namespace {

class TRestorePosition {
public:
  explicit TRestorePosition(TStream& s) : stream_(s), position_(s.Position()) {}
  ~TRestorePosition() { stream_.Seek(position_, soBeginning); }
  TRestorePosition(const TRestorePosition&) = delete;
  TRestorePosition& operator=(const TRestorePosition&) = delete;
  int64_t Position() const { return position_; }

private:
  TStream& stream_;
  int64_t position_;
};

// Reads the header at the stream's position and IFD 0 (offsets from position 0).
bool ReadFirstIFD(TStream& stream, TTIFFDirectory& dir, uint8_t header[9]) {
  TIEBoundedReader in(stream);
  const int64_t start = stream.Position();
  std::fill(header, header + 9, 0);
  in.ReadAt(start, header, std::min<int64_t>(9, std::max<int64_t>(0, in.Size() - start)));
  const bool little = header[0] == 'I' && header[1] == 'I';
  if (!little && !(header[0] == 'M' && header[1] == 'M')) return false;
  uint32_t first;
  if (!in.ReadU32(start + 4, !little, first)) return false;
  dir.LittleEndian = little;
  dir.Stream = &stream;
  dir.Base = 0;
  return TIFFReadSingleIFD(first, dir) && dir.EntryCount > 0;
}

}  // namespace

bool IsTIFFStream(TStream& stream) {
  TRestorePosition restore(stream);
  TIEBufferedReadStream buffered(stream, 1024);
  buffered.Seek(restore.Position(), soBeginning);
  const int64_t size = buffered.Size();
  if (size <= 8) return false;
  TIEBoundedReader in(buffered);
  uint8_t h[9] = {};
  if (!in.ReadAt(restore.Position(), h, std::min<int64_t>(9, size - restore.Position()))) return false;
  if (h[0] == 'I' && h[1] == 'I') {
    uint32_t first;
    if (!in.ReadU32(restore.Position() + 4, false, first) || int64_t(first) >= size) return false;
  } else if (h[0] == 'M' && h[1] == 'M') {
    uint32_t first;
    if (!in.ReadU32(restore.Position() + 4, true, first) || int64_t(first) >= size || h[8] == 0xBA) return false;
  } else {
    return false;
  }
  TTIFFDirectory dir;
  uint8_t header[9];
  buffered.Seek(restore.Position(), soBeginning);
  if (!ReadFirstIFD(buffered, dir, header)) return false;
  return TIFFFindTag(dir, 256) >= 0 && TIFFFindTag(dir, 257) >= 0;
}

bool IsTIFFCameraRawStream(TStream& stream) {
  TRestorePosition restore(stream);
  TTIFFDirectory dir;
  uint8_t header[9];
  if (!ReadFirstIFD(stream, dir, header)) return false;
  if (const int32_t i = TIFFFindTag(dir, 50706); i >= 0) {
    const TTIFFEntry& e = dir.Entries[size_t(i)];
    if (e.Type == tftByte && e.Count == 4) return true;
  }
  if (const int32_t i = TIFFFindTag(dir, 262); i >= 0) {
    const TTIFFEntry& e = dir.Entries[size_t(i)];
    const int32_t v = TIFFGetInteger(dir, 262, 0);
    if (e.Type == tftShort && e.Count == 1 && (v == 32803 || v == 34892)) return true;
  }
  if (TIFFFindTag(dir, 330) >= 0 && TIFFFindTag(dir, 37398) >= 0) {
    const int32_t w = TIFFGetInteger(dir, 256, 0), h = TIFFGetInteger(dir, 257, 0);
    return w < 200 && h < 200;
  }
  return false;
}

bool IsHDPhotoStream(TStream& stream) {
  TRestorePosition restore(stream);
  if (stream.Size() - restore.Position() <= 8) return false;
  TTIFFDirectory dir;
  uint8_t header[9];
  if (!ReadFirstIFD(stream, dir, header) || header[0] != 'I') return false;
  for (uint16_t tag : {48256, 48257, 48129, 48320, 48321})
    if (TIFFFindTag(dir, tag) < 0) return false;
  return true;
}
