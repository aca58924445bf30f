// TIFF 6.0 IFD entries (section 2, "Image File Directory") as Exif 2.3 and
// the CIPA DC-007 Multi-Picture Format store them inside JPEG segments.
#include "app/TiffTagList.h"

#include <bit>
#include <cstring>
#include <memory>

#include "app/DUtil.h"
#include "imaging/core/ieboundedreader.h"
#include "platform/classes/strings.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

constexpr int32_t kMaxEntries = 4096;
constexpr int64_t kEntrySize = 12;

uint16_t Swap16(uint16_t v) { return uint16_t(v << 8 | v >> 8); }
uint32_t Swap32(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

// Each byte one character, as the file's 8-bit text is shown.
std::string BytesAsText(const AnsiString& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char c : bytes) out += CodePointToUtf8(char32_t(c));
  return out;
}

[[noreturn]] void WrongType(uint16_t tag, uint16_t type, bool withPrefix) {
  // The typed getters report with the resource text, the integer getters with a plain literal.
  throw EMPOFormatException(Format(withPrefix ? "MPO: Tag %x has wrong datatype %d" : "Tag %x has wrong datatype %d",
                                   tag, type));
}

}  // namespace

uint32_t TiffDataTypeSize(uint16_t dataType) {
  switch (dataType) {
    case ttByte: case ttAscii: case ttSByte: case ttUndefined: return 1;
    case ttShort: case ttSShort: return 2;
    case ttLong: case ttSLong: case ttFloat: return 4;
    case ttRational: case ttSRational: case ttDouble: return 8;
    default: return 0;
  }
}

uint16_t TTiffTagList::FixWord(uint16_t value) const { return bigEndian_ ? Swap16(value) : value; }
uint32_t TTiffTagList::FixLong(uint32_t value) const { return bigEndian_ ? Swap32(value) : value; }

void TTiffTagList::ReadIFD(TStream& stream, int64_t base) {
  int64_t budget = stream.Size();
  ReadIFD(stream, base, budget);
}

void TTiffTagList::ReadIFD(TStream& stream, int64_t base, int64_t& budget) {
  TIEBoundedReader r(stream);
  ReadIFD(r, base, budget);
}

void TTiffTagList::ReadIFD(TIEBoundedReader& r, int64_t base, int64_t& budget) {
  Clear();
  nextIFDOffset_ = 0;
  const int32_t count = r.ReadU16(bigEndian_);
  if (count > kMaxEntries) return;

  auto spend = [&budget](int64_t bytes) {
    budget -= bytes;
    if (budget < 0) throw EMPOFormatException("MPO: Tag data exceeds the file size");
  };
  for (int32_t i = 0; i < count; ++i) {
    spend(kEntrySize);
    auto e = std::make_unique<TTiffTagEx>();
    uint8_t raw[12];
    r.ReadBytes(raw, sizeof raw);
    e->Tag = TIEBoundedReader::LE16(raw);
    e->DataType = TIEBoundedReader::LE16(raw + 2);
    e->Count = TIEBoundedReader::LE32(raw + 4);
    std::memcpy(e->ValueOrOffset, raw + 8, 4);
    // Computed wide and saturated: a count near 2^32 must not wrap into a
    // small inline size; a block that large is refused below as unreadable.
    const uint64_t size = uint64_t(FixLong(e->Count)) * TiffDataTypeSize(FixWord(e->DataType));
    e->DataSize = size > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(size);
    Add(e.release());
  }
  // Kept in file order, like the entries' fields; GetNextIFDOffset puts it in host order.
  nextIFDOffset_ = r.ReadU32LE();

  for (int32_t i = 0; i < Count(); ++i) {
    TTiffTagEx& e = *Items(i);
    if (e.DataSize <= 4) continue;
    const int64_t at = base + FixLong(TIEBoundedReader::LE32(e.ValueOrOffset));
    // Refused before allocating: the block must lie inside the stream.
    if (!r.Holds(at, e.DataSize)) TIEBoundedReader::ThrowShort();
    spend(e.DataSize);
    e.Data.resize(e.DataSize);
    r.Seek(at);
    r.ReadBytes(e.Data.data(), e.DataSize);
  }
}

TTiffTagEx* TTiffTagList::FindTag(uint16_t tag) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (FixWord(Items(i)->Tag) == tag) return Items(i);
  return nullptr;
}

TTiffTagEx* TTiffTagList::RequireTag(uint16_t tag) const {
  TTiffTagEx* e = FindTag(tag);
  if (!e) throw EMPOFormatException(Format("Tag %x does not exist", tag));
  return e;
}

uint32_t TTiffTagList::ElementU8(const TTiffTagEx& e, int32_t i) const {
  if (i < 0) return 0;
  if (e.DataSize <= 4) return i <= 3 ? e.ValueOrOffset[i] : 0;
  return size_t(i) < e.Data.size() ? e.Data[size_t(i)] : 0;
}

uint32_t TTiffTagList::ElementU16(const TTiffTagEx& e, int32_t i) const {
  if (i < 0) return 0;
  if (e.DataSize <= 4) return i <= 1 ? FixWord(TIEBoundedReader::LE16(e.ValueOrOffset + 2 * i)) : 0;
  const size_t at = size_t(i) * 2;
  return at + 2 <= e.Data.size() ? FixWord(TIEBoundedReader::LE16(e.Data.data() + at)) : 0;
}

uint32_t TTiffTagList::ElementU32(const TTiffTagEx& e, int32_t i) const {
  if (i < 0) return 0;
  if (e.DataSize <= 4) return i == 0 ? FixLong(TIEBoundedReader::LE32(e.ValueOrOffset)) : 0;
  const size_t at = size_t(i) * 4;
  return at + 4 <= e.Data.size() ? FixLong(TIEBoundedReader::LE32(e.Data.data() + at)) : 0;
}

int32_t TTiffTagList::ElementS32(const TTiffTagEx& e, int32_t i) const {
  if (i < 0) return 0;
  const size_t at = size_t(i) * 4;
  return at + 4 <= e.Data.size() ? int32_t(FixLong(TIEBoundedReader::LE32(e.Data.data() + at))) : 0;
}

double TTiffTagList::ElementDouble(const TTiffTagEx& e, int32_t i) const {
  if (i < 0) return 0;
  const size_t at = size_t(i) * 8;
  if (at + 8 > e.Data.size()) return 0;
  const uint8_t* p = e.Data.data() + at;
  uint64_t bits = 0;
  for (int k = 0; k < 8; ++k) bits |= uint64_t(p[bigEndian_ ? 7 - k : k]) << (8 * k);
  return std::bit_cast<double>(bits);
}

AnsiString TTiffTagList::GetString(uint16_t tag) const {
  const TTiffTagEx& e = *RequireTag(tag);
  const uint16_t type = FixWord(e.DataType);
  if (type != ttAscii && type != ttUndefined) WrongType(tag, type, true);
  const uint32_t count = FixLong(e.Count);
  if (count == 0) return {};
  AnsiString s = e.DataSize <= 4 ? AnsiString(reinterpret_cast<const char*>(e.ValueOrOffset), count)
                                 : AnsiString(e.Data.begin(), e.Data.end());
  if (type == ttAscii) {
    // The terminating NUL and trailing blanks go; bytes above 0x7F are text, not blanks.
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.pop_back();
  }
  return s;
}

TCountAndOffset TTiffTagList::GetCountAndOffset(uint16_t tag) const {
  const TTiffTagEx& e = *RequireTag(tag);
  return {FixLong(e.Count), FixLong(TIEBoundedReader::LE32(e.ValueOrOffset))};
}

double TTiffTagList::GetFloat(uint16_t tag) const {
  const TTiffTagEx& e = *RequireTag(tag);
  const uint16_t type = FixWord(e.DataType);
  switch (type) {
    case ttRational: {
      const uint32_t num = ElementU32(e, 0), den = ElementU32(e, 1);
      return double(num) / double(den == 0 ? 1 : den);
    }
    case ttSRational: {
      const int32_t num = ElementS32(e, 0), den = ElementS32(e, 1);
      return double(num) / double(den == 0 ? 1 : den);
    }
    case ttFloat: return double(std::bit_cast<float>(FixLong(TIEBoundedReader::LE32(e.ValueOrOffset))));
    case ttDouble: return ElementDouble(e, 0);
    default: WrongType(tag, type, true);
  }
}

int32_t TTiffTagList::GetInteger(uint16_t tag) const {
  const TTiffTagEx& e = *RequireTag(tag);
  const uint16_t type = FixWord(e.DataType);
  switch (type) {
    case ttByte: return e.ValueOrOffset[0];
    case ttShort: return FixWord(TIEBoundedReader::LE16(e.ValueOrOffset));
    case ttLong: return int32_t(FixLong(TIEBoundedReader::LE32(e.ValueOrOffset)));
    default: WrongType(tag, type, false);
  }
}

int32_t TTiffTagList::GetIntegerAt(uint16_t tag, int32_t index) const {
  const TTiffTagEx& e = *RequireTag(tag);
  const uint16_t type = FixWord(e.DataType);
  switch (type) {
    case ttByte: return int32_t(ElementU8(e, index));
    case ttShort: return int32_t(ElementU16(e, index));
    case ttLong: return int32_t(ElementU32(e, index));
    default: WrongType(tag, type, false);
  }
}

TRationalValue TTiffTagList::GetRational(uint16_t tag) const {
  const TTiffTagEx& e = *RequireTag(tag);
  const uint16_t type = FixWord(e.DataType);
  if (type != ttRational) WrongType(tag, type, true);
  return {ElementU32(e, 0), ElementU32(e, 1)};
}

TSRationalValue TTiffTagList::GetSRational(uint16_t tag) const {
  const TTiffTagEx& e = *RequireTag(tag);
  const uint16_t type = FixWord(e.DataType);
  if (type != ttSRational) WrongType(tag, type, true);
  return {ElementS32(e, 0), ElementS32(e, 1)};
}

std::string TTiffTagList::GetValueText(uint16_t tag) const {
  const TTiffTagEx& e = *RequireTag(tag);
  const uint16_t type = FixWord(e.DataType);
  switch (type) {
    case ttByte:
    case ttShort:
    case ttLong: {
      const uint32_t count = FixLong(e.Count);
      if (count == 0) return {};
      if (count == 1) return IntToStr(GetInteger(tag));
      // Only the elements the entry holds: a block the read never reached
      // (the IFD or the block ran past the stream) leaves its stored count,
      // up to 2^32, behind with no data. Read from the entry itself, each
      // element costs the same whatever the list's length.
      const uint32_t held = e.DataSize <= 4 ? count : uint32_t(e.Data.size() / TiffDataTypeSize(type));
      std::string s = "(";
      for (uint32_t i = 0; i < held; ++i) {
        if (i) s += ", ";
        const int32_t at = int32_t(i);
        s += IntToStr(int32_t(type == ttByte ? ElementU8(e, at) : type == ttShort ? ElementU16(e, at) : ElementU32(e, at)));
      }
      return s + ")";
    }
    case ttAscii:
    case ttUndefined: return BytesAsText(GetString(tag));
    case ttRational: return RationalToText(GetRational(tag));
    case ttSRational: return SRationalToText(GetSRational(tag));
    default: return "?? DataType = " + IntToStr(type);
  }
}

void TTiffTagList::DumpToStrings(TStrings* strings) const {
  for (int32_t i = 0; i < Count(); ++i) {
    const uint16_t tag = FixWord(Items(i)->Tag);
    strings->Add(IntToStr(tag) + "=" + GetValueText(tag));
  }
}

std::string TExifTiffTagList::GetMake() const {
  return HasTag(0x010F) ? CodePageToUtf8(GetString(0x010F), CP_ACP) : std::string();
}

std::string TExifTiffTagList::GetModel() const {
  return HasTag(0x0110) ? CodePageToUtf8(GetString(0x0110), CP_ACP) : std::string();
}

std::string TExifAttributesList::GetExifVersion() const { return CodePageToUtf8(GetString(0x9000), CP_ACP); }

double SRationalToFloat(TSRationalValue v) {
  if (v.Denominator == 0 || (v.Numerator == -1 && v.Denominator == -1)) return 0;
  return double(v.Numerator) / double(v.Denominator);
}

double RationalToFloat(TRationalValue v) {
  return SRationalToFloat({int32_t(v.Numerator), int32_t(v.Denominator)});
}

std::string SRationalToText(TSRationalValue v) {
  if (v.Numerator == -1 && v.Denominator == -1) return "N/A";
  return FloatToStrTrimmed(8, 8, true, SRationalToFloat(v));
}

std::string RationalToText(TRationalValue v) {
  if (v.Numerator == 0xFFFFFFFFu && v.Denominator == 0xFFFFFFFFu) return "N/A";
  return FloatToStrTrimmed(8, 8, true, RationalToFloat(v));
}

std::string RationalToFraction(TRationalValue v) {
  return IntToStr(int32_t(v.Numerator)) + "/" + IntToStr(int32_t(v.Denominator));
}
