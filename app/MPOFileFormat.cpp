// CIPA DC-007 (Multi-Picture Format) 2009, sections 5.2 (MP extensions in
// APP2), 5.2.3 (MP index IFD and MP entries); JPEG markers per ITU-T T.81
// table B.1; Exif 2.3 section 4.5 (APP1).
#include "app/MPOFileFormat.h"

#include <cstring>
#include <string>

#include "imaging/core/ieboundedreader.h"
#include "imaging/core/iestreams.h"
#include "platform/classes/strings.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

constexpr int32_t kReadBufferSize = 8192;

// The bytes up to the first NUL, as the identifier strings of JPEG segments are compared.
std::string UpToNul(const uint8_t* bytes, size_t count) {
  const void* nul = std::memchr(bytes, 0, count);
  const size_t n = nul ? size_t(static_cast<const uint8_t*>(nul) - bytes) : count;
  return std::string(reinterpret_cast<const char*>(bytes), n);
}

// 8-bit file text inside a UTF-8 message.
std::string AsText(const uint8_t* bytes, size_t count) {
  return CodePageToUtf8(std::string_view(reinterpret_cast<const char*>(bytes), count), CP_ACP);
}

bool IsSOF(uint8_t m) {
  return (m >= 0xC0 && m <= 0xC3) || (m >= 0xC5 && m <= 0xC7) || (m >= 0xC9 && m <= 0xCB) ||
         (m >= 0xCD && m <= 0xCF);
}

}  // namespace

const TMPEntry& TMPEntryList::Items(int32_t index) const {
  if (index < 0 || index >= Count()) TList::Error("List index out of bounds (%d)", index);
  return items_[size_t(index)];
}

void TMPOInfo::Clear() {
  entries_.Clear();
  mpIndex_.Clear();
  attributeIFDs_.Clear();
  headerPositions_.clear();
  pictures_.Clear();
  current_ = nullptr;
  latestHeader_ = 0;
}

int32_t TMPOInfo::GetNumberOfImages() const { return mpIndex_.GetNumberOfImages(); }

int64_t TMPOInfo::GetImageOffset(int32_t i) const {
  const TMPEntry& e = entries_.Items(i);
  if (i == 0) return 0;
  return int64_t(e.IndividualImageDataOffset) + headerPositions_.front();
}

int64_t TMPOInfo::GetImageSize(int32_t i) const { return entries_.Items(i).IndividualImageSize; }

double TMPOInfo::GetParallax() const {
  double parallax = 0;
  for (int32_t i = 0; i < pictures_.Count(); ++i) {
    const TFujiMakerNotes& fuji = pictures_.Items(i)->FujiMakerNotes();
    if (fuji.HasParallax()) parallax = SRationalToFloat(fuji.GetParallax());
  }
  return parallax;
}

void TMPOInfo::AddPicture() {
  auto picture = std::make_unique<TMPOIndividualPicture>();
  current_ = picture.get();
  pictures_.Add(picture.release());
}

void TMPOInfo::LoadFromStream(TStream& stream) {
  Clear();
  TIEBufferedReadStream buffered(stream, kReadBufferSize, true);
  TIEBoundedReader r(buffered);
  // Real files keep each IFD's bytes apart, so together they hold at most
  // the file; twice that leaves room and still bounds what a hostile file,
  // pointing many directories at one large block, can make us allocate.
  budget_ = 2 * r.Size() + 65536;

  uint8_t b = 0;
  while (r.TryReadU8(b)) {
    if (b != 0xFF) continue;
    uint8_t m = r.ReadU8();
    while (m == 0xFF) m = r.ReadU8();  // fill bytes before a marker
    if (m <= 0x01) continue;
    if (m <= 0xBF) throw EMPOFormatException(Format("Unknown TIFF Tag %x", m));
    if (IsSOF(m)) {
      // At an image's frame header its own segments are done: go on at the
      // next image, or stop once every image has given its attribute IFD.
      const int32_t n = attributeIFDs_.Count();
      if (mpIndex_.HasTag(0xB001) && n < GetNumberOfImages()) {
        const int64_t next = GetImageOffset(n);
        if (r.Position() < next) {
          r.Seek(next);
          continue;
        }
      }
      break;
    }
    if (m >= 0xD0 && m <= 0xD7) {
      const int32_t n = m - 0xD0;
      if (n < GetNumberOfImages()) {
        const int64_t next = GetImageOffset(n);
        if (r.Position() >= next) break;
        r.Seek(next);
      }
      continue;
    }
    switch (m) {
      case 0xD8: AddPicture(); break;
      case 0xD9: break;
      case 0xE1: HandleAPP1(r); break;
      case 0xE2: HandleAPP2(r); break;
      default: SkipSegment(r); break;
    }
  }
}

void TMPOInfo::SkipSegment(TIEBoundedReader& r) {
  const uint16_t length = r.ReadU16BE();
  r.Skip(int64_t(length) - 2);
}

void TMPOInfo::HandleAPP1(TIEBoundedReader& r) {
  const int64_t p = r.Position();
  r.ReadU16BE();
  uint8_t id[4];
  r.ReadBytes(id, 4);
  r.Seek(p);
  // An Exif block before the first SOI belongs to no picture and is passed over.
  if (UpToNul(id, 4) == "Exif" && current_) ReadExif(r);
  r.Seek(p);
  SkipSegment(r);
}

void TMPOInfo::HandleAPP2(TIEBoundedReader& r) {
  const int64_t p = r.Position();
  r.ReadU16BE();
  uint8_t id[4];
  r.ReadBytes(id, 4);
  r.Seek(p);
  if (UpToNul(id, 4) == "MPF") ReadMPF(r);
  r.Seek(p);
  SkipSegment(r);
}

void TMPOInfo::ReadExif(TIEBoundedReader& r) {
  r.ReadU16BE();
  uint8_t id[5];
  r.ReadBytes(id, 5);
  if (UpToNul(id, 5) != "Exif")
    throw EMPOFormatException(Format("Exif expected, but %s found.", AsText(id, 5)));
  // "Exif" is followed by two NULs; the second is padding before the TIFF
  // header. It is recognised by its value, not by the parity of the position,
  // so that an image starting at an odd offset keeps its Exif data.
  if (r.Remaining() > 0) {
    const int64_t pad = r.Position();
    if (r.ReadU8() != 0) r.Seek(pad);
  }

  const int64_t base = r.Position();
  uint8_t header[8];
  r.ReadBytes(header, 8);
  const bool ii = header[0] == 'I' && header[1] == 'I';
  const bool mm = header[0] == 'M' && header[1] == 'M';
  if (!ii && !mm) return;

  TExifTiffTagList& ifd0 = current_->ExifIFD0();
  ifd0.SetBigEndian(mm);
  r.Seek(base + TIEBoundedReader::Get32(header + 4, mm));
  ifd0.ReadIFD(r, base, budget_);
  if (!ifd0.HasExifIFD()) return;

  TExifAttributesList& exif = current_->ExifIFD();
  exif.SetBigEndian(ifd0.BigEndian());
  r.Seek(base + ifd0.GetExifIFD().Offset);
  exif.ReadIFD(r, base, budget_);
  if (!exif.HasMakerNote()) return;
  r.Seek(base + exif.GetMakerNote().Offset);
  ReadMakerNotes(r, base);
}

void TMPOInfo::ReadMakerNotes(TIEBoundedReader& r, int64_t base) {
  const int64_t start = r.Position();
  uint8_t id[8];
  r.ReadBytes(id, 8);
  if (std::memcmp(id, "FUJIFILM", 8) == 0) {
    // Fujifilm notes are little-endian whatever the Exif block says, and
    // their offsets count from the maker note itself.
    const uint32_t offset = r.ReadU32LE();
    TFujiMakerNotes& fuji = current_->FujiMakerNotes();
    fuji.Clear();
    fuji.SetBigEndian(false);
    r.Seek(start + offset);
    fuji.ReadIFD(r, start, budget_);
  } else if (current_->ExifIFD0().GetMake() == "Canon") {
    r.Seek(start);
    TCanonMakerNotes& canon = current_->CanonMakerNotes();
    canon.Clear();
    canon.SetBigEndian(current_->ExifIFD0().BigEndian());
    canon.ReadIFD(r, base, budget_);
  }
}

void TMPOInfo::ReadMPF(TIEBoundedReader& r) {
  r.ReadU16BE();
  uint8_t id[4];
  r.ReadBytes(id, 4);
  if (UpToNul(id, 4) != "MPF") throw EMPOFormatException(Format("MPF expected, but %s found.", AsText(id, 4)));

  const int64_t header = r.Position();
  latestHeader_ = header;
  headerPositions_.push_back(header);

  uint8_t h[8];
  r.ReadBytes(h, 8);
  bool bigEndian;
  if (h[0] == 0x4D && h[1] == 0x4D && h[2] == 0x00 && h[3] == 0x2A) bigEndian = true;
  else if (h[0] == 0x49 && h[1] == 0x49 && h[2] == 0x2A && h[3] == 0x00) bigEndian = false;
  else throw EMPOFormatException("Header.MPEndian has unknown format.");
  // Big-endian MP data (as Nintendo 3DS and iPhone cameras write it) is read
  // like little-endian data: every field goes through the lists' byte order.
  const uint32_t firstIFD = TIEBoundedReader::Get32(h + 4, bigEndian);
  r.Seek(header + firstIFD);

  if (mpIndex_.Count() == 0) {
    mpIndex_.SetBigEndian(bigEndian);
    mpIndex_.ReadIFD(r, header, budget_);
    const AnsiString version = mpIndex_.GetMPFVersion();
    if (version != "0100")
      throw EMPOFormatException("MPO: Unknown version \"" + AsText(reinterpret_cast<const uint8_t*>(version.data()),
                                                                 version.size()) + "\"");
    const uint32_t nextIFD = mpIndex_.GetNextIFDOffset();
    const int32_t count = mpIndex_.GetNumberOfImages();
    r.Seek(header + mpIndex_.GetMPEntry().Offset);
    entries_.Clear();
    // A count the file cannot hold fails here, before anything is allocated for it.
    if (count > 0 && int64_t(count) * 16 > r.Remaining()) TIEBoundedReader::ThrowShort();
    for (int32_t i = 0; i < count; ++i) {
      uint8_t raw[16];
      r.ReadBytes(raw, 16);
      auto u32 = [&](int at) { return mpIndex_.FixLong(TIEBoundedReader::LE32(raw + at)); };
      auto u16 = [&](int at) { return mpIndex_.FixWord(TIEBoundedReader::LE16(raw + at)); };
      entries_.Add({u32(0), u32(4), u32(8), u16(12), u16(14)});
    }
    if (nextIFD == 0) return;
    r.Seek(header + nextIFD);
  }

  auto attributes = std::make_unique<TMPOTiffTagList>();
  attributes->SetBigEndian(bigEndian);
  TMPOTiffTagList& list = *attributes;
  attributeIFDs_.Add(attributes.release());
  list.ReadIFD(r, header, budget_);
}

void MergeMakerNoteLines(const TMPOInfo& info, TStrings* lines) {
  lines->Clear();
  const TMPOIndividualPictureList& pictures = info.Pictures();
  TStringList merged, second;  // compares ignoring case, as the panel does
  if (pictures.Count() >= 1) {
    pictures.Items(0)->FujiMakerNotes().DumpToStrings(&merged);
    pictures.Items(0)->CanonMakerNotes().DumpToStrings(&merged);
  }
  if (pictures.Count() >= 2) pictures.Items(1)->FujiMakerNotes().DumpToStrings(&second);
  merged.Add(" ");
  for (int32_t i = 0; i < second.Count(); ++i)
    if (merged.IndexOf(second.Strings(i)) < 0) merged.Add(second.Strings(i));
  lines->AddStrings(&merged);
}
