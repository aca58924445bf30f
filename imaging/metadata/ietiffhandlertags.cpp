// The EXIF maker note: recognising the camera maker's layout, normalising the
// note's IFD into a little-endian tag stream, and writing it back. The layouts
// are those that makers publish or that camera files show; each opens with a
// fixed header.
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "imaging/metadata/ietiffhandler.h"

namespace {

TIEEXIFMakerNoteDeviceInfo Maker(std::string_view header, uint8_t offsetsKind, uint8_t headerKind,
                                 uint8_t byteOrderKind) {
  TIEEXIFMakerNoteDeviceInfo info;
  info.Header.assign(header.begin(), header.end());
  info.OffsetsKind = offsetsKind;
  info.HeaderKind = headerKind;
  info.ByteOrderKind = byteOrderKind;
  return info;
}

// Type sizes of the maker note: an unknown type counts as one byte per element.
int64_t NoteTypeSize(uint16_t type) {
  const int32_t size = IETIFFTypeSize(type);
  return size == 0 ? 1 : size;
}

// Reverses the byte order of every element of a value in place.
void SwapElements(uint8_t* p, int64_t total, uint16_t type) {
  int64_t unit;
  switch (type) {
    case tftShort:
    case tftSShort:
      unit = 2;
      break;
    case tftLong:
    case tftSLong:
    case tftFloat:
    case tftRational:
    case tftSRational:
      unit = 4;  // a rational is two LONGs
      break;
    case tftDouble:
      unit = 8;
      break;
    default:
      return;
  }
  for (int64_t k = 0; k + unit <= total; k += unit) std::reverse(p + k, p + k + unit);
}

void PutU16(uint8_t* p, uint32_t v, bool big) {
  p[big ? 0 : 1] = uint8_t(v >> 8);
  p[big ? 1 : 0] = uint8_t(v);
}

void PutU32(uint8_t* p, uint32_t v, bool big) {
  for (int k = 0; k < 4; ++k) p[k] = uint8_t(big ? v >> (24 - 8 * k) : v >> (8 * k));
}


}  // namespace

const std::vector<TIEEXIFMakerNoteDeviceInfo>& IEKnownMakerNotes() {
  using namespace std::string_view_literals;
  static const std::vector<TIEEXIFMakerNoteDeviceInfo> kMakers = {
      Maker("SONY CAM \0\0\0"sv, 0, 0, 0),
      Maker("SONY DSC \0\0\0"sv, 0, 0, 0),
      Maker("Nikon\0\x02\x10\0\0"sv, 1, 1, 1),
      Maker("QVC\0\0\0"sv, 0, 0, 3),
      Maker("EPSON\0\x01\0"sv, 0, 0, 0),
      Maker("Nikon\0\x01\0"sv, 0, 0, 0),
      Maker("Panasonic\0\0\0"sv, 0, 0, 0),
      Maker("FUJIFILM"sv, 1, 2, 2),
      Maker("LEICA\0\0\0"sv, 1, 0, 0),
  };
  return kMakers;
}

TIETagsHandler::TIETagsHandler() { Clear(); }

void TIETagsHandler::Clear() {
  data_.clear();
  deviceInfo_ = TIEEXIFMakerNoteDeviceInfo();
  tagStream_.Clear();
  view_ = TTIFFDirectory();
  view_.Stream = &tagStream_;
}

void TIETagsHandler::Assign(const TIETagsHandler& source) {
  if (&source == this) return;
  Clear();
  if (source.tagStream_.Size() > 0) tagStream_.WriteBuffer(source.tagStream_.Memory(), source.tagStream_.Size());
  ReadEntries();
  data_ = source.data_;
  deviceInfo_ = source.deviceInfo_;
}

void TIETagsHandler::IdentifyMaker() {
  deviceInfo_ = TIEEXIFMakerNoteDeviceInfo();
  for (const TIEEXIFMakerNoteDeviceInfo& m : IEKnownMakerNotes()) {
    const size_t n = std::min(data_.size(), m.Header.size());
    if (std::memcmp(data_.data(), m.Header.data(), n) == 0) {
      deviceInfo_ = m;
      return;
    }
  }
}

void TIETagsHandler::ReadEntries() {
  view_.Entries.clear();
  view_.EntryCount = 0;
  view_.LittleEndian = true;
  view_.Base = 0;
  view_.Stream = &tagStream_;
  const int64_t size = tagStream_.Size();
  if (size < 2) return;
  TIEBoundedReader in(static_cast<const uint8_t*>(tagStream_.Memory()), size_t(size));
  uint16_t count;
  in.ReadU16(0, false, count);
  for (uint32_t j = 0; j < count; ++j) {
    const int64_t at = 2 + 12 * int64_t(j);
    uint16_t tag, type;
    uint32_t n, value;
    if (!in.ReadU16(at, false, tag) || !in.ReadU16(at + 2, false, type) || !in.ReadU32(at + 4, false, n) ||
        !in.ReadU32(at + 8, false, value))
      break;
    view_.Entries.push_back({tag, type, n, value});
  }
  view_.EntryCount = uint16_t(view_.Entries.size());
}

void TIETagsHandler::ReadFromStream(TStream& stream, int32_t size, bool exifLittleEndian, int64_t origin) {
  Clear();
  if (size <= 1) return;
  try {
    TIEBoundedReader in(stream);
    const int64_t s = in.Position();
    const int64_t n = std::min<int64_t>(size, in.Size() - s);
    if (n <= 1) return;
    std::vector<uint8_t> raw(static_cast<size_t>(n));
    if (!in.ReadAt(s, raw.data(), n)) return;
    SetData(std::move(raw));
    IdentifyMaker();

    TIEBoundedReader note(data_.data(), data_.size());
    int64_t k = int64_t(deviceInfo_.Header.size());
    int64_t base = 0;
    if (deviceInfo_.HeaderKind == 1) {
      if (!note.ReadAt(k, deviceInfo_.TIFFHeader, 8)) return Clear();
      base = k;
      k += 8;
    } else if (deviceInfo_.HeaderKind == 2) {
      uint32_t at;
      if (!note.ReadU32(k, false, at)) return Clear();
      k = at;
    }
    if (k >= n) return Clear();

    bool big;
    switch (deviceInfo_.ByteOrderKind) {
      case 1:
        big = !(deviceInfo_.TIFFHeader[0] == 'I' && deviceInfo_.TIFFHeader[1] == 'I');
        break;
      case 2:
        big = false;
        break;
      case 3:
        big = true;
        break;
      default:
        big = !exifLittleEndian;
        break;
    }
    uint16_t count;
    if (!note.ReadU16(k, big, count) || count > 256 || n < int64_t(count) * 12) return Clear();

    // Entries first, the out-of-line values after all the slots the note announced.
    std::vector<uint8_t> out(2 + size_t(count) * 12, 0);
    uint16_t kept = 0;
    for (uint32_t j = 0; j < count; ++j) {
      const int64_t at = k + 2 + 12 * int64_t(j);
      if (!(at + 12 < n)) break;
      uint16_t tag, type;
      uint32_t elements, value;
      uint8_t raw[4];
      if (!note.ReadU16(at, big, tag) || !note.ReadU16(at + 2, big, type) || !note.ReadU32(at + 4, big, elements) ||
          !note.ReadAt(at + 8, raw, 4))
        break;
      value = TIEBoundedReader::Get32(raw, big);
      const int64_t total = int64_t(elements) * NoteTypeSize(type);
      uint8_t field[4];
      if (total > 4) {
        const int64_t from = deviceInfo_.OffsetsKind == 0 ? int64_t(value) - (s - origin) : int64_t(value) + base;
        const size_t position = out.size();
        if (from < 0 || !note.Holds(from, total)) {
          elements = 0;
          PutU32(field, 0, false);
        } else {
          out.resize(position + size_t(total));
          note.ReadAt(from, out.data() + position, total);
          // The tag stream is little-endian through and through, values included.
          if (big) SwapElements(out.data() + position, total, type);
          PutU32(field, uint32_t(position), false);
        }
      } else {
        std::memcpy(field, raw, 4);
        if (big) SwapElements(field, total, type);
      }
      uint8_t* slot = out.data() + 2 + 12 * size_t(j);
      PutU16(slot, tag, false);
      PutU16(slot + 2, type, false);
      PutU32(slot + 4, elements, false);
      std::memcpy(slot + 8, field, 4);
      ++kept;
    }
    PutU16(out.data(), kept, false);
    tagStream_.WriteBuffer(out.data(), int64_t(out.size()));
    ReadEntries();
  } catch (const std::exception&) {
    // The note is optional metadata: one that cannot be read leaves no trace, the picture still loads.
    Clear();
  }
}

int32_t IEWriteMakerNoteBlock(TIETagsHandler& handler, TStream& stream) {
  const TIEEXIFMakerNoteDeviceInfo& info = handler.DeviceInfo();
  const int64_t s = stream.Position();
  const int64_t headerLength = int64_t(info.Header.size());
  if (headerLength > 0) stream.WriteBuffer(info.Header.data(), headerLength);

  // The order a reader of this maker will use: the embedded header's, the
  // maker's own fixed one, or little-endian like the EXIF blocks this library writes.
  bool big = info.ByteOrderKind == 3;
  int64_t base = 0;
  if (info.HeaderKind == 1) {
    uint8_t header[8];
    std::memcpy(header, info.TIFFHeader, 8);
    big = !(header[0] == 'I' && header[1] == 'I');
    PutU32(header + 4, 8, big);
    stream.WriteBuffer(header, 8);
    base = headerLength;
  } else if (info.HeaderKind == 2) {
    uint8_t at[4];
    PutU32(at, uint32_t(headerLength + 4), false);
    stream.WriteBuffer(at, 4);
    big = false;
  }

  const TTIFFDirectory& ifd = handler.IFD();
  TMemoryStream& tags = handler.TagStream();
  TIEBoundedReader tagReader(static_cast<const uint8_t*>(tags.Memory()), size_t(tags.Size()));
  const int64_t ifdStart = stream.Position();
  const int64_t count = ifd.EntryCount;
  uint8_t buf[12];
  PutU16(buf, uint32_t(count), big);
  stream.WriteBuffer(buf, 2);
  int64_t dataPos = ifdStart + 2 + 12 * count + 4;
  int64_t end = dataPos;
  for (int64_t j = 0; j < count; ++j) {
    const TTIFFEntry& e = ifd.Entries[size_t(j)];
    const int64_t total = int64_t(e.Count) * NoteTypeSize(e.Type);
    uint8_t field[4];
    if (total > 4) {
      // Offsets count from where a reader of this layout counts them: the enclosing
      // stream's origin, or the note (its embedded TIFF header when it has one).
      const int64_t offset = info.OffsetsKind == 0 ? dataPos : dataPos - s - base;
      PutU32(field, uint32_t(offset), big);
      // A value the tag stream does not hold is written as zeros.
      std::vector<uint8_t> value(static_cast<size_t>(total), 0);
      if (!tagReader.ReadAt(e.Value, value.data(), total)) std::fill(value.begin(), value.end(), 0);
      if (big) SwapElements(value.data(), total, e.Type);
      stream.Seek(dataPos, soBeginning);
      stream.WriteBuffer(value.data(), total);
      dataPos += total;
      end = dataPos;
      dataPos += dataPos & 1;  // the next value starts even; the gap byte is not written
    } else {
      PutU32(field, e.Value, false);
      if (big) SwapElements(field, total, e.Type);
    }
    PutU16(buf, e.Tag, big);
    PutU16(buf + 2, e.Type, big);
    PutU32(buf + 4, e.Count, big);
    std::memcpy(buf + 8, field, 4);
    stream.Seek(ifdStart + 2 + 12 * j, soBeginning);
    stream.WriteBuffer(buf, 12);
  }
  const uint8_t zero[4] = {0, 0, 0, 0};
  stream.Seek(ifdStart + 2 + 12 * count, soBeginning);
  stream.WriteBuffer(zero, 4);
  const int64_t written = end - s;
  if (written >= 65001) {
    stream.Seek(s, soBeginning);
    return 0;
  }
  stream.Seek(end, soBeginning);
  return int32_t(written);
}
