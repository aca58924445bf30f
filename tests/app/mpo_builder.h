// Builds MPO and JPEG byte strings for the parser's tests: Exif APP1 blocks
// with maker notes, APP2 MPF segments and a stand-in JPEG body. The parser
// only walks markers, so the body is a frame header, a scan header, a few
// entropy bytes and EOI; no image decodes from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mpob {

inline std::string U16(uint32_t v, bool be) {
  std::string s(2, '\0');
  s[be ? 0 : 1] = char(v >> 8);
  s[be ? 1 : 0] = char(v);
  return s;
}
inline std::string U32(uint32_t v, bool be) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[be ? 3 - i : i] = char(v >> (8 * i));
  return s;
}

// One IFD entry; value holds the data in the IFD's byte order (inline when it fits in 4 bytes).
struct Tag {
  uint16_t tag;
  uint16_t type;
  uint32_t count;
  std::string value;
  // Replaces the stored value-or-offset field (for bad offsets).
  std::optional<uint32_t> rawOffset = {};
};

inline Tag Short(uint16_t tag, uint16_t v, bool be = false) { return {tag, 3, 1, U16(v, be)}; }
inline Tag Long(uint16_t tag, uint32_t v, bool be = false) { return {tag, 4, 1, U32(v, be)}; }
inline Tag SRational(uint16_t tag, int32_t n, int32_t d, bool be = false) {
  return {tag, 10, 1, U32(uint32_t(n), be) + U32(uint32_t(d), be)};
}
inline Tag Ascii(uint16_t tag, const std::string& s) { return {tag, 2, uint32_t(s.size() + 1), s + '\0'}; }
inline Tag Undef(uint16_t tag, const std::string& s) { return {tag, 7, uint32_t(s.size()), s}; }

// An IFD that starts at offset start (from its base), data following it.
inline std::string Ifd(const std::vector<Tag>& tags, uint32_t start, uint32_t next, bool be,
                       std::optional<uint16_t> countOverride = {}) {
  std::string head = U16(countOverride.value_or(uint16_t(tags.size())), be), data;
  const uint32_t dataAt = start + 2 + 12 * uint32_t(tags.size()) + 4;
  for (const Tag& t : tags) {
    head += U16(t.tag, be) + U16(t.type, be) + U32(t.count, be);
    if (t.rawOffset) {
      head += U32(*t.rawOffset, be);
      if (t.value.size() > 4) data += t.value;
    } else if (t.value.size() <= 4) {
      head += t.value + std::string(4 - t.value.size(), '\0');
    } else {
      head += U32(dataAt + uint32_t(data.size()), be);
      data += t.value;
      if (data.size() % 2) data += '\0';
    }
  }
  return head + U32(next, be) + data;
}

inline std::string Segment(uint8_t marker, const std::string& payload) {
  return std::string{char(0xFF), char(marker)} + U16(uint32_t(payload.size() + 2), true) + payload;
}

// "FUJIFILM", the IFD offset, the IFD: always little-endian, offsets from the note's start.
inline std::string FujiMakerNote(const std::vector<Tag>& tags) {
  return "FUJIFILM" + U32(12, false) + Ifd(tags, 12, 0, false);
}

struct ExifLayout {
  bool bigEndian = false;
  std::string make = "FUJIFILM";
  bool exifIFD = true;
  std::string makerNote = {};  // empty: none
  std::vector<Tag> moreIfd0 = {};
};

// The TIFF block of an Exif segment: header, IFD0, Exif IFD (with the maker note as its data).
inline std::string ExifTiff(const ExifLayout& s) {
  const bool be = s.bigEndian;
  std::vector<Tag> ifd0 = {Ascii(0x010F, s.make)};
  for (const Tag& t : s.moreIfd0) ifd0.push_back(t);
  if (s.exifIFD) ifd0.push_back(Long(0x8769, 0, be));
  std::string first = Ifd(ifd0, 8, 0, be);
  std::string exif;
  if (s.exifIFD) {
    const uint32_t exifAt = 8 + uint32_t(first.size());
    ifd0.back() = Long(0x8769, exifAt, be);
    first = Ifd(ifd0, 8, 0, be);
    std::vector<Tag> attrs = {Undef(0x9000, "0230")};
    if (!s.makerNote.empty()) attrs.push_back(Undef(0x927C, s.makerNote));
    exif = Ifd(attrs, exifAt, 0, be);
  }
  return (be ? std::string("MM\0*", 4) : std::string("II*\0", 4)) + U32(8, be) + first + exif;
}

inline std::string ExifApp1(const ExifLayout& s) { return Segment(0xE1, std::string("Exif\0\0", 6) + ExifTiff(s)); }

// Quantization table, baseline frame header, scan header, entropy bytes (with a stuffed 0xFF), EOI.
inline std::string JpegBody() {
  std::string dqt = std::string(1, '\0') + std::string(64, char(1));
  std::string sof = std::string{8, 0, 8, 0, 16, 1, 1, 0x11, 0};
  std::string sos = std::string{1, 1, 0, 0, 63, 0};
  return Segment(0xDB, dqt) + Segment(0xC0, sof) + Segment(0xDA, sos) + std::string{0x12, 0x34, char(0xFF), 0, 0x56} +
         std::string{char(0xFF), char(0xD9)};
}

struct PictureLayout {
  std::string app1;          // a whole APP1 segment, or empty
  uint32_t individualNum = 1;
  bool mpf = true;           // APP2 MPF with an attribute IFD (picture 1: with the index)
  std::string body = JpegBody();
  std::string padding;       // bytes after the picture (outside its MP entry)
};

struct MpoLayout {
  bool bigEndian = false;
  std::string version = "0100";
  std::vector<PictureLayout> pictures;
  std::optional<Tag> numberOfImages;       // replaces NumberOfImages (0xB001)
  std::optional<uint32_t> entryCountOverride;  // number of 16-byte entries written
  std::optional<uint32_t> offset2Override;     // image 2's data offset as stored
  std::optional<uint32_t> size2Override;
  bool firstHasAttributeIFD = true;
};

inline std::string MpHeader(bool be) { return (be ? std::string("MM\0*", 4) : std::string("II*\0", 4)) + U32(8, be); }

inline std::string AttributeApp2(bool be, uint32_t individualNum) {
  return Segment(0xE2, std::string("MPF\0", 4) + MpHeader(be) +
                           Ifd({Undef(0xB000, "0100"), Long(0xB101, individualNum, be)}, 8, 0, be));
}

// offsets[i]: image i's data offset as stored; sizes[i]: its size.
inline std::string IndexApp2(const MpoLayout& s, const std::vector<uint32_t>& sizes, const std::vector<uint32_t>& offsets) {
  const bool be = s.bigEndian;
  std::string entries;
  const size_t n = s.entryCountOverride.value_or(uint32_t(sizes.size()));
  for (size_t i = 0; i < n; ++i) {
    const uint32_t size = i < sizes.size() ? sizes[i] : 0, offset = i < offsets.size() ? offsets[i] : 0;
    entries += U32(i == 0 ? 0x20020002u : 0x00020002u, be) + U32(size, be) + U32(offset, be) + U16(0, be) + U16(0, be);
  }
  const Tag count = s.numberOfImages.value_or(Long(0xB001, uint32_t(sizes.size()), be));
  const uint32_t entriesAt = 8 + 2 + 3 * 12 + 4;
  const uint32_t attrAt = entriesAt + uint32_t(entries.size());
  Tag entryTag{0xB002, 7, uint32_t(entries.size()), entries};
  if (entries.size() <= 4) entryTag.rawOffset = entriesAt;
  std::string index = Ifd({Undef(0xB000, s.version), count, entryTag}, 8, s.firstHasAttributeIFD ? attrAt : 0, be);
  if (entries.size() <= 4) index += entries;
  std::string attr = s.firstHasAttributeIFD
                         ? Ifd({Undef(0xB000, "0100"), Long(0xB101, s.pictures[0].individualNum, be)}, attrAt, 0, be)
                         : std::string();
  return Segment(0xE2, std::string("MPF\0", 4) + MpHeader(be) + index + attr);
}

inline std::string BuildMpo(const MpoLayout& s) {
  std::vector<std::string> rest;  // pictures 2.. whole
  for (size_t i = 1; i < s.pictures.size(); ++i) {
    const PictureLayout& p = s.pictures[i];
    rest.push_back("\xFF\xD8" + p.app1 + (p.mpf ? AttributeApp2(s.bigEndian, p.individualNum) : "") + p.body);
  }
  const PictureLayout& first = s.pictures[0];
  const uint32_t header = uint32_t(2 + first.app1.size() + 4 + 4);
  std::vector<uint32_t> sizes(s.pictures.size()), offsets(s.pictures.size());
  // The index segment's length does not depend on the values: measure with zeros, then fill in.
  const size_t size1 = 2 + first.app1.size() + IndexApp2(s, sizes, offsets).size() + first.body.size();
  sizes[0] = uint32_t(size1);
  uint32_t pos = uint32_t(size1 + first.padding.size());
  for (size_t i = 1; i < s.pictures.size(); ++i) {
    sizes[i] = uint32_t(rest[i - 1].size());
    offsets[i] = pos - header;
    pos += uint32_t(rest[i - 1].size() + s.pictures[i].padding.size());
  }
  if (s.offset2Override && offsets.size() > 1) offsets[1] = *s.offset2Override;
  if (s.size2Override && sizes.size() > 1) sizes[1] = *s.size2Override;
  std::string out = "\xFF\xD8" + first.app1 + IndexApp2(s, sizes, offsets) + first.body + first.padding;
  for (size_t i = 1; i < s.pictures.size(); ++i) out += rest[i - 1] + s.pictures[i].padding;
  return out;
}

// Two Fujifilm pictures; parallax per picture in thousandths of a percent (nullopt: no tag).
inline MpoLayout FujiPair(std::optional<int32_t> parallax1, std::optional<int32_t> parallax2) {
  auto note = [](std::optional<int32_t> p) {
    std::vector<Tag> tags = {Undef(0x0000, "0130")};
    if (p) tags.push_back(SRational(0xB211, *p, 1000));
    return FujiMakerNote(tags);
  };
  MpoLayout s;
  s.pictures.resize(2);
  s.pictures[0].app1 = ExifApp1({.makerNote = note(parallax1)});
  s.pictures[1].app1 = ExifApp1({.makerNote = note(parallax2)});
  s.pictures[1].individualNum = 2;
  return s;
}

}  // namespace mpob
