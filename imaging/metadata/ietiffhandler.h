// TIFF image file directories without image decoding (TIFF 6.0, section 2;
// EXIF 2.3 for the sub-IFDs and the maker note):
//
//   header   "II" (little-endian) or "MM" (big-endian), version (42), offset of IFD 0
//   IFD      16-bit entry count, entries of 12 bytes (tag, type, count,
//            value-or-offset), 32-bit offset of the next IFD (0: last)
//
// A value of count x type size <= 4 bytes stands left-aligned in the entry;
// a longer one stands elsewhere and the entry holds its offset.
//
// TIETIFFHandler loads a whole TIFF structure into memory (pages, sub-IFDs,
// out-of-line values and the strip, tile and JPEG data they point to), lets
// tags be looked up, copied and replaced, and writes it back with fresh offsets.
// TIETagsHandler holds an EXIF maker note, normalised into a self-contained
// little-endian IFD.
//
// Every byte read from a file goes through TIEBoundedReader: an offset or a
// count that leaves the data is a failed read, never a read outside it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "imaging/core/ieboundedreader.h"
#include "platform/classes/streams.h"
#include "platform/rtl/object.h"

// Field types of TIFF 6.0 (1 BYTE .. 12 DOUBLE).
enum TIETIFFFieldType : uint16_t {
  tftByte = 1,
  tftAscii = 2,
  tftShort = 3,
  tftLong = 4,
  tftRational = 5,
  tftSByte = 6,
  tftUndefined = 7,
  tftSShort = 8,
  tftSLong = 9,
  tftSRational = 10,
  tftFloat = 11,
  tftDouble = 12
};
// Bytes per element of a field type; 0 for a type outside 1..12.
int32_t IETIFFTypeSize(uint16_t type);

// One IFD entry as the TIFF reader keeps it: every field in host order.
struct TTIFFEntry {
  uint16_t Tag = 0;
  uint16_t Type = 0;
  uint32_t Count = 0;
  // The value-or-offset field converted as one 32-bit number: an inline BYTE
  // sits in its low 8 bits in a little-endian file and in its high 8 bits in a
  // big-endian one, a SHORT in the low or high 16 bits likewise.
  uint32_t Value = 0;
};

// The view of one IFD that the TIFF reader's typed tag getters take
// (imaging/formats/tiffilt.h).
struct TTIFFDirectory {
  bool LittleEndian = true;
  TStream* Stream = nullptr;  // not owned
  std::vector<TTIFFEntry> Entries;
  uint16_t EntryCount = 0;
  // Added to every offset of this IFD.
  int64_t Base = 0;
};

// ---------------------------------------------------------------------------------------------
// TIETIFFHandler

struct TIETIFFEntry;
using TIETIFFTagList = std::vector<TIETIFFEntry>;

// One entry in memory. Tag, type and count are in host order; the value bytes
// (inline or out of line) stay in the file's byte order.
struct TIETIFFEntry {
  uint16_t Tag = 0;
  uint16_t Type = 0;
  uint32_t Count = 0;
  // The value when count x type size <= 4 (or the type is unknown), as in the file.
  uint8_t Value[4] = {0, 0, 0, 0};
  // The out-of-line value.
  std::vector<uint8_t> Data;
  // The IFD of an Exif, GPS or Interoperability pointer that could be followed.
  std::unique_ptr<TIETIFFTagList> SubIFD;
  // Offsets tags after loading: the strip's, tile's or JPEG stream's bytes,
  // one block per element; the type is then LONG.
  bool Loaded = false;
  std::vector<std::vector<uint8_t>> Blocks;
};

// A value for SetTag: integer types take an integer, RATIONAL, FLOAT and DOUBLE
// a number, ASCII a text (code-page bytes).
using TIETIFFTagValue = std::variant<int64_t, double, std::string>;

class TIETIFFHandler : public TObject {
  DX_CLASS(TIETIFFHandler, TObject)
public:
  // Empty: no pages, little-endian, version 42.
  TIETIFFHandler() = default;
  explicit TIETIFFHandler(TStream& stream);
  explicit TIETIFFHandler(const std::string& fileName);
  TIETIFFHandler(const TIETIFFHandler&) = delete;
  TIETIFFHandler& operator=(const TIETIFFHandler&) = delete;

  // False when the file does not exist or its header is not TIFF.
  bool LoadFromFile(const std::string& fileName);
  // Replaces the pages with those of the structure at the stream's position.
  // Offsets count from the start of the stream. False for a bad header.
  bool LoadFromStream(TStream& stream);
  // Reads the 8-byte header at the stream's position; True only for "II" or
  // "MM", and then the stream stands at the first IFD (an offset outside the
  // stream leaves it at the end).
  bool ReadHeader(TStream& stream);
  void FreePages() { pages_.clear(); }

  bool BigEndian() const { return bigEndian_; }
  uint16_t Version() const { return version_; }
  int32_t PageCount() const { return int32_t(pages_.size()); }
  // An index outside 0..PageCount-1 raises EListError.
  TIETIFFTagList& Page(int32_t page);
  const TIETIFFTagList& Page(int32_t page) const;

  static int32_t FindTag(const TIETIFFTagList& list, uint16_t tag);
  // -1 when page >= PageCount or the tag is absent.
  int32_t GetTagIndex(int32_t page, uint16_t tag) const;
  // Element i of the value in file byte order; null past the value's end.
  static const uint8_t* GetElementAddress(const TIETIFFEntry& entry, uint32_t i);
  // Element i as an integer: BYTE, ASCII, UNDEFINED unsigned 8 bits, SHORT and
  // SSHORT unsigned 16, LONG and SLONG 32, SBYTE sign-extended; other types,
  // elements past the end and the loaded blocks of an offsets tag give 0.
  int32_t GetIntegerTag(const TIETIFFTagList& list, int32_t index, uint32_t i) const;
  int32_t GetIntegerTagByTag(const TIETIFFTagList& list, uint16_t tag, uint32_t i) const;
  // The (offsets, byte counts) pair the tag belongs to; both -1 for other tags.
  void GetOffsetTags(uint16_t tag, int32_t& offsetsTag, int32_t& byteCountsTag) const;
  static bool IsSubIFDTag(uint16_t tag) { return tag == 34665 || tag == 34853 || tag == 40965; }

  // Frees the entry with everything it references; nothing for a bad index.
  void DeleteTag(TIETIFFTagList& list, int32_t index);
  // Replaces any entry of that tag by a new one at the end of the list, in this
  // handler's byte order: count 1 (ASCII: length + 1 with its NUL); RATIONAL as
  // Trunc(value x 10000) / 10000. Types outside 1..12 do nothing.
  void SetTag(TIETIFFTagList& list, uint16_t tag, const TIETIFFTagValue& value, uint16_t type);
  static void SortTags(TIETIFFTagList& list);
  void SortPageTags(int32_t page);

  // Nothing unless both pages exist and the source index is not negative.
  void CopyTag(int32_t sourcePage, int32_t sourceIndex, int32_t targetPage, const TIETIFFHandler& source);
  // Nothing for a negative index or handlers of different byte order; otherwise
  // replaces the target's entry of that tag by a deep copy (blocks and sub-IFD included).
  void CopyTagEntry(const TIETIFFTagList& sourceList, int32_t index, TIETIFFTagList& targetList,
                    const TIETIFFHandler& source);

  void SaveToFile(const std::string& fileName, int32_t page);
  // Writes the header and page `page`, or every page when it is negative or
  // not below PageCount, at the stream's position; offsets count from the
  // stream's start. The stream is left after the last byte written.
  void SaveToStream(TStream& stream, int32_t page);

private:
  struct TLoadState;
  bool ReadIFD(TLoadState& state, int64_t offset, TIETIFFTagList& list, int32_t depth, int64_t& next);
  void LoadBlocks(TLoadState& state, TIETIFFTagList& list);
  // Writes the IFD at the stream's position and its data after it; returns the
  // end of the data and where the next-IFD offset belongs.
  int64_t WritePage(TStream& stream, TIETIFFTagList& list, int64_t& nextSlot);
  int32_t EntryInteger(const TIETIFFEntry& entry, uint32_t i) const;
  void PutU16(uint8_t* p, uint32_t v) const;
  void PutU32(uint8_t* p, uint32_t v) const;
  uint32_t GetU16(const uint8_t* p) const;
  uint32_t GetU32(const uint8_t* p) const;

  bool bigEndian_ = false;
  uint16_t version_ = 42;
  std::vector<TIETIFFTagList> pages_;
};

// ---------------------------------------------------------------------------------------------
// TIETagsHandler: the EXIF MakerNote (tag 37500)

// How one camera maker lays out its maker note.
struct TIEEXIFMakerNoteDeviceInfo {
  // The bytes that open the note.
  std::string Header;
  // 0: out-of-line offsets count from the enclosing TIFF header; 1: from the
  // start of the note (from the embedded TIFF header when HeaderKind is 1).
  uint8_t OffsetsKind = 0;
  // 0: the IFD follows the header; 1: an 8-byte TIFF header follows it and the
  // IFD follows that; 2: a 32-bit little-endian offset of the IFD follows it.
  uint8_t HeaderKind = 0;
  // HeaderKind 1: the embedded TIFF header as read.
  uint8_t TIFFHeader[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  // 0: the EXIF block's; 1: the embedded header's; 2: little-endian; 3: big-endian.
  uint8_t ByteOrderKind = 0;
};

class TIETagsHandler : public TObject {
  DX_CLASS(TIETagsHandler, TObject)
public:
  TIETagsHandler();
  TIETagsHandler(const TIETagsHandler&) = delete;
  TIETagsHandler& operator=(const TIETagsHandler&) = delete;

  void Clear();
  void Assign(const TIETagsHandler& source);
  // Takes the raw note bytes.
  void SetData(std::vector<uint8_t> data) { data_ = std::move(data); }
  // The first known maker whose header opens the raw data, else the default.
  void IdentifyMaker();
  // Reads the entry array from the tag stream.
  void ReadEntries();
  // Reads a note of `size` bytes at the stream's position (clipped to the
  // stream) and normalises its IFD. `origin` is the stream position that the
  // enclosing block's offsets count from. Empty on any malformed note.
  void ReadFromStream(TStream& stream, int32_t size, bool exifLittleEndian, int64_t origin = 0);

  const std::vector<uint8_t>& Data() const { return data_; }
  int32_t DataSize() const { return int32_t(data_.size()); }
  const TIEEXIFMakerNoteDeviceInfo& DeviceInfo() const { return deviceInfo_; }
  // The normalised IFD: 16-bit count, the entries (12 bytes each, little-endian),
  // then the out-of-line data; an out-of-line value is its position in here.
  TMemoryStream& TagStream() const { return tagStream_; }
  // The IFD view over the tag stream (little-endian, base 0).
  const TTIFFDirectory& IFD() const { return view_; }
  TTIFFDirectory& IFD() { return view_; }

private:
  std::vector<uint8_t> data_;
  TIEEXIFMakerNoteDeviceInfo deviceInfo_;
  // Mutable: the framework's streams answer their size only through non-const calls.
  mutable TMemoryStream tagStream_;
  TTIFFDirectory view_;
};

// The known maker-note layouts, in the order they are tried.
const std::vector<TIEEXIFMakerNoteDeviceInfo>& IEKnownMakerNotes();

// Writes the note at the stream's position in the layout of its maker, with
// offsets for that position. Returns the bytes written, or 0 (and the stream
// back at its start) when the note would reach 65,001 bytes.
int32_t IEWriteMakerNoteBlock(TIETagsHandler& handler, TStream& stream);
