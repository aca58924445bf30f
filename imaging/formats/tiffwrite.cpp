// The TIFF writer's metadata and thumbnail modes (TIFF 6.0; EXIF 2.3, 4.6):
// a little-endian TIFF whose IFD 0 carries the parameters' tags, with the Exif
// and GPS IFDs, and a page inserted into such a TIFF as an old-style JPEG
// image. Together they make the TIFF structure of an EXIF block with its
// thumbnail as IFD 1. Every offset is an absolute stream position.
#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <set>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iebits.h"
#include "imaging/core/ieboundedreader.h"
#include "imaging/formats/tiffilt.h"
#include "imaging/io/jpegfilt.h"
#include "platform/classes/streams.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

constexpr double kRationalPrecision = 5e-9;

// One IFD being collected. Out-of-line data goes to the stream at once, at an
// even position; the IFD itself is written when complete.
class TIFDWriter {
public:
  // cursor: where the next data goes; shared by the IFDs of one structure.
  TIFDWriter(TStream& stream, bool& error, const TIEExifParams& params, int64_t& cursor)
      : s_(stream), error_(error), params_(params), cursor_(cursor) {}

  void AddLong(uint16_t tag, uint32_t v) { Add(tag, tftLong, 1, v); }
  void AddShort(uint16_t tag, int32_t v, bool filter) {
    if (Filtered(tag, filter)) Add(tag, tftShort, 1, uint32_t(v) & 0xFFFF);
  }
  void AddByte(uint16_t tag, int32_t v) { Add(tag, tftByte, 1, uint32_t(v) & 0xFF); }
  void AddUndefined(uint16_t tag, int32_t v, bool filter) {
    if (Filtered(tag, filter)) Add(tag, tftUndefined, 1, uint32_t(v) & 0xFF);
  }
  void AddAsciiInline(uint16_t tag, const std::string& s) { AddInline(tag, tftAscii, s); }
  void AddByteInline(uint16_t tag, const std::vector<uint8_t>& b) {
    AddInline(tag, tftByte, std::string(b.begin(), b.end()));
  }
  void AddAscii(uint16_t tag, const std::string& s) {
    if (s.empty()) return;
    if (s.size() <= 4) return AddAsciiInline(tag, s);
    std::vector<uint8_t> bytes(s.begin(), s.end());
    bytes.push_back(0);
    Add(tag, tftAscii, uint32_t(bytes.size()), WriteData(bytes));
  }
  void AddRational(uint16_t tag, double x, bool filter, uint16_t type = tftRational) {
    if (Filtered(tag, filter)) AddRationalArray(tag, {x}, type);
  }
  void AddRationalArray(uint16_t tag, const std::vector<double>& values, uint16_t type = tftRational) {
    std::vector<uint8_t> bytes;
    for (double x : values) {
      int32_t num, den;
      IEFloatToRational(num, den, x, kRationalPrecision);
      PutLE32(bytes, uint32_t(num));
      PutLE32(bytes, uint32_t(den));
    }
    Add(tag, type, uint32_t(values.size()), WriteData(bytes));
  }
  void AddShortArray(uint16_t tag, const std::vector<int32_t>& values) {
    std::vector<uint8_t> bytes;
    for (int32_t v : values) {
      bytes.push_back(uint8_t(v));
      bytes.push_back(uint8_t(v >> 8));
    }
    if (bytes.size() <= 4) {
      bytes.resize(4, 0);
      Add(tag, tftShort, uint32_t(values.size()), uint32_t(bytes[0]) | (uint32_t(bytes[1]) << 8) |
                                                     (uint32_t(bytes[2]) << 16) | (uint32_t(bytes[3]) << 24));
    } else {
      Add(tag, tftShort, uint32_t(values.size()), WriteData(bytes));
    }
  }
  void AddWideText(uint16_t tag, const std::string& utf8) {
    if (utf8.empty()) return;
    const std::u16string text = Utf8ToUtf16(utf8);
    std::vector<uint8_t> bytes;
    for (char16_t c : text) {
      bytes.push_back(uint8_t(c));
      bytes.push_back(uint8_t(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    if (bytes.size() <= 4)
      AddInline(tag, tftByte, std::string(bytes.begin(), bytes.end()));
    else
      Add(tag, tftByte, uint32_t(bytes.size()), WriteData(bytes));
  }
  // Raw bytes of a given type: inline up to 4, else out of line.
  void AddBytes(uint16_t tag, uint16_t type, uint32_t count, const std::vector<uint8_t>& bytes) {
    if (bytes.size() <= 4)
      AddInline(tag, type, std::string(bytes.begin(), bytes.end()), count);
    else
      Add(tag, type, count, WriteData(bytes));
  }

  // The cursor made even, the stream standing there: where out-of-line data or an IFD goes next.
  int64_t EvenEnd() {
    s_.Seek(cursor_, soBeginning);
    if (cursor_ % 2 != 0) {
      const uint8_t zero = 0;
      IEStreamWriteChecked(s_, error_, &zero, 1);
      ++cursor_;
    }
    return cursor_;
  }
  // Moves the cursor past data the caller wrote at it.
  void Advance(int64_t count) { cursor_ += count; }

  // Writes the IFD (entries by ascending tag, then the next-IFD offset); returns its position.
  int64_t Write(uint32_t next = 0) {
    const int64_t at = EvenEnd();
    std::stable_sort(entries_.begin(), entries_.end(), [](const TTIFFEntry& a, const TTIFFEntry& b) { return a.Tag < b.Tag; });
    std::vector<uint8_t> bytes;
    bytes.push_back(uint8_t(entries_.size()));
    bytes.push_back(uint8_t(entries_.size() >> 8));
    for (const TTIFFEntry& e : entries_) {
      bytes.push_back(uint8_t(e.Tag));
      bytes.push_back(uint8_t(e.Tag >> 8));
      bytes.push_back(uint8_t(e.Type));
      bytes.push_back(uint8_t(e.Type >> 8));
      PutLE32(bytes, e.Count);
      PutLE32(bytes, e.Value);
    }
    PutLE32(bytes, next);
    IEStreamWriteChecked(s_, error_, bytes.data(), int32_t(bytes.size()));
    cursor_ += int64_t(bytes.size());
    return at;
  }

  // Out-of-line data of the caller's, at the next even position; returns that position.
  uint32_t AddData(const std::vector<uint8_t>& bytes) { return WriteData(bytes); }
  // An entry whose out-of-line data the caller wrote itself.
  void AddEntry(uint16_t tag, uint16_t type, uint32_t count, uint32_t value) { Add(tag, type, count, value); }

  TStream& Stream() { return s_; }
  bool& Error() { return error_; }

private:
  static void PutLE32(std::vector<uint8_t>& out, uint32_t v) {
    for (int k = 0; k < 4; ++k) out.push_back(uint8_t(v >> (8 * k)));
  }
  bool Filtered(uint16_t tag, bool filter) const {
    return !filter || std::find(params_.ExifTags.begin(), params_.ExifTags.end(), tag) != params_.ExifTags.end();
  }
  void Add(uint16_t tag, uint16_t type, uint32_t count, uint32_t value) { entries_.push_back({tag, type, count, value}); }
  void AddInline(uint16_t tag, uint16_t type, const std::string& s, uint32_t count = UINT32_MAX) {
    uint32_t v = 0;
    for (size_t k = 0; k < std::min<size_t>(s.size(), 4); ++k) v |= uint32_t(uint8_t(s[k])) << (8 * k);
    Add(tag, type, count == UINT32_MAX ? uint32_t(s.size()) : count, v);
  }
  uint32_t WriteData(const std::vector<uint8_t>& bytes) {
    const int64_t at = EvenEnd();
    IEStreamWriteChecked(s_, error_, bytes.data(), int32_t(bytes.size()));
    cursor_ += int64_t(bytes.size());
    return uint32_t(at);
  }

  TStream& s_;
  bool& error_;
  const TIEExifParams& params_;
  int64_t& cursor_;
  std::vector<TTIFFEntry> entries_;
};

const AnsiString kUnicodeCode("UNICODE\0", 8);

void AddUserComment(TIFDWriter& w, const TIEMetaParams& p) {
  AnsiString code = p.ExifUserCommentCode.empty() ? kUnicodeCode : p.ExifUserCommentCode;
  if (p.ExifUserComment.empty() || code.size() != 8) return;
  std::vector<uint8_t> bytes(code.begin(), code.end());
  if (code == kUnicodeCode) {
    for (char16_t c : Utf8ToUtf16(p.ExifUserComment)) {
      bytes.push_back(uint8_t(c));
      bytes.push_back(uint8_t(c >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
  } else {
    // "ASCII" and any other 8-byte code: the text as 8-bit characters and a NUL.
    bytes.insert(bytes.end(), p.ExifUserComment.begin(), p.ExifUserComment.end());
    bytes.push_back(0);
  }
  w.AddBytes(37510, tftUndefined, uint32_t(bytes.size()), bytes);
}

void AddMakerNote(TIFDWriter& w, TIEMetaParams& p) {
  if (p.ExifMakerNote.TagStream().Size() < 13) return;
  const int64_t sizeBefore = w.Stream().Size();
  const int64_t at = w.EvenEnd();
  const int32_t written = IEWriteMakerNoteBlock(p.ExifMakerNote, w.Stream());
  if (written > 0) {
    w.AddEntry(37500, tftUndefined, uint32_t(written), uint32_t(at));
    w.Advance(written);
  } else if (sizeBefore <= at) {
    w.Stream().SetSize(std::max(sizeBefore, at));  // a note too large for its entry leaves nothing behind
  }
}

}  // namespace

namespace {

void AddIFD0ExifTags(TIFDWriter& w, const TIEMetaParams& p) {
  w.AddAscii(270, p.ExifImageDescription);
  if (p.ExifXResolution != 0) w.AddRational(282, p.ExifXResolution, false);
  if (p.ExifYResolution != 0) w.AddRational(283, p.ExifYResolution, false);
  w.AddShort(274, p.TIFFOrientation(), false);
  w.AddShort(296, 2, false);
  w.AddAscii(305, p.ExifSoftware);
  w.AddAscii(315, p.ExifArtist);
  w.AddAscii(271, p.ExifMake);
  w.AddAscii(272, p.ExifModel);
  w.AddAscii(306, p.ExifDateTime);
  if (p.ExifRating >= 0) w.AddShort(18246, p.ExifRating, false);
  w.AddWideText(40091, p.ExifXPTitle);
  w.AddWideText(40092, p.ExifXPComment);
  w.AddWideText(40093, p.ExifXPAuthor);
  w.AddWideText(40094, p.ExifXPKeywords);
  w.AddWideText(40095, p.ExifXPSubject);
  auto values = [](auto get, int32_t n) {
    std::vector<double> v;
    for (int32_t i = 0; i < n; ++i) v.push_back(get(i));
    return v;
  };
  auto anySet = [](const std::vector<double>& v) {
    return std::any_of(v.begin(), v.end(), [](double x) { return x != -1; });
  };
  const auto white = values([&](int32_t i) { return p.GetExifWhitePoint(i); }, 2);
  if (anySet(white)) w.AddRationalArray(318, white);
  // Only the values EXIF defines (1 centred, 2 co-sited): the absent -1 would read as 65535.
  if (p.ExifYCbCrPositioning > 0) w.AddShort(531, p.ExifYCbCrPositioning, false);
  const auto primaries = values([&](int32_t i) { return p.GetExifPrimaryChromaticities(i); }, 6);
  if (anySet(primaries)) w.AddRationalArray(319, primaries);
  const auto coefficients = values([&](int32_t i) { return p.GetExifYCbCrCoefficients(i); }, 3);
  if (anySet(coefficients)) w.AddRationalArray(529, coefficients);
  const auto blackWhite = values([&](int32_t i) { return p.GetExifReferenceBlackWhite(i); }, 6);
  if (anySet(blackWhite)) w.AddRationalArray(532, blackWhite);
  w.AddAscii(33432, p.ExifRights);
}

int64_t WriteExifIFD(TStream& stream, bool& error, TIEMetaParams& p, int64_t& cursor) {
  TIFDWriter w(stream, error, p, cursor);
  w.AddRational(33434, p.ExifExposureTime(), true);
  w.AddRational(33437, p.ExifFNumber(), true);
  w.AddRational(37122, p.ExifCompressedBitsPerPixel(), true);
  // EXIF gives these three as signed rationals: they are negative often enough.
  w.AddRational(37377, p.ExifShutterSpeedValue(), true, tftSRational);
  w.AddRational(37378, p.ExifApertureValue(), true);
  w.AddRational(37379, p.ExifBrightnessValue(), true, tftSRational);
  w.AddRational(37380, p.ExifExposureBiasValue(), true, tftSRational);
  w.AddRational(37381, p.ExifMaxApertureValue(), true);
  w.AddRational(37382, p.ExifSubjectDistance(), true);
  w.AddRational(37386, p.ExifFocalLength(), true);
  w.AddRational(41486, p.ExifFocalPlaneXResolution(), true);
  w.AddRational(41487, p.ExifFocalPlaneYResolution(), true);
  w.AddRational(41493, p.ExifExposureIndex(), true);
  w.AddShort(34850, p.ExifExposureProgram(), true);
  w.AddShort(37383, p.ExifMeteringMode(), true);
  w.AddShort(37384, p.ExifLightSource(), true);
  w.AddShort(37385, p.ExifFlash(), true);
  w.AddShort(40961, p.ExifColorSpace(), true);
  w.AddShort(40962, p.ExifImageWidth(), true);
  w.AddShort(40963, p.ExifImageHeight(), true);
  w.AddShort(41488, p.ExifFocalPlaneResolutionUnit(), true);
  w.AddShort(41495, p.ExifSensingMethod(), true);
  w.AddUndefined(41728, p.ExifFileSource(), true);
  w.AddUndefined(41729, p.ExifSceneType(), true);
  if (p.GetExifISOSpeedRatings(1) != 0)
    w.AddShortArray(34855, {p.GetExifISOSpeedRatings(0), p.GetExifISOSpeedRatings(1)});
  else if (p.GetExifISOSpeedRatings(0) != 0)
    w.AddShort(34855, p.GetExifISOSpeedRatings(0), false);
  w.AddAsciiInline(36864, p.ExifVersion.substr(0, 4));
  if (!p.ExifFlashPixVersion.empty()) w.AddAsciiInline(40960, p.ExifFlashPixVersion.substr(0, 4));
  w.AddAscii(36867, p.ExifDateTimeOriginal);
  w.AddAscii(36868, p.ExifDateTimeDigitized);
  w.AddAscii(37520, p.ExifSubsecTime);
  w.AddAscii(37521, p.ExifSubsecTimeOriginal);
  w.AddAscii(37522, p.ExifSubsecTimeDigitized);
  w.AddAscii(40964, p.ExifRelatedSoundFile);
  w.AddAscii(42016, p.ExifImageUniqueID);
  const std::pair<uint16_t, int32_t> shorts[] = {
      {41986, p.ExifExposureMode},     {41987, p.ExifWhiteBalance}, {41989, p.ExifFocalLengthIn35mmFilm},
      {41990, p.ExifSceneCaptureType}, {41991, p.ExifGainControl},  {41992, p.ExifContrast},
      {41993, p.ExifSaturation},       {41994, p.ExifSharpness},    {41996, p.ExifSubjectDistanceRange}};
  for (const auto& [tag, v] : shorts)
    if (v != -1) w.AddShort(tag, v, false);
  if (p.ExifDigitalZoomRatio != -1) w.AddRational(41988, p.ExifDigitalZoomRatio, false);
  AddUserComment(w, p);
  AddMakerNote(w, p);
  return w.Write();
}

int64_t WriteGPSIFD(TStream& stream, bool& error, const TIEMetaParams& p, int64_t& cursor) {
  TIFDWriter w(stream, error, p, cursor);
  std::vector<uint8_t> version = DottedTextToBytes(p.ExifGPSVersionID);
  version.resize(4, 0);
  w.AddByteInline(0, version);
  const std::pair<uint16_t, const AnsiString*> refs[] = {
      {1, &p.ExifGPSLatitudeRef},      {3, &p.ExifGPSLongitudeRef},      {9, &p.ExifGPSStatus},
      {10, &p.ExifGPSMeasureMode},     {12, &p.ExifGPSSpeedRef},         {14, &p.ExifGPSTrackRef},
      {16, &p.ExifGPSImgDirectionRef}, {19, &p.ExifGPSDestLatitudeRef},  {21, &p.ExifGPSDestLongitudeRef},
      {23, &p.ExifGPSDestBearingRef},  {25, &p.ExifGPSDestDistanceRef}};
  for (const auto& [tag, s] : refs)
    if (!s->empty()) w.AddAsciiInline(tag, s->substr(0, 4));
  if (!p.ExifGPSAltitudeRef.empty()) w.AddByte(5, StrToIntDef(p.ExifGPSAltitudeRef, 0));
  const std::pair<uint16_t, const std::array<double, 3>*> triples[] = {
      {2, &p.ExifGPSLatitude}, {4, &p.ExifGPSLongitude}, {7, &p.ExifGPSTimeStamp},
      {20, &p.ExifGPSDestLatitude}, {22, &p.ExifGPSDestLongitude}};
  for (const auto& [tag, a] : triples) w.AddRationalArray(tag, {(*a)[0], (*a)[1], (*a)[2]});
  const std::pair<uint16_t, double> singles[] = {{6, p.ExifGPSAltitude}, {11, p.ExifGPSDOP}, {13, p.ExifGPSSpeed},
                                                 {15, p.ExifGPSTrack}, {17, p.ExifGPSImgDirection},
                                                 {24, p.ExifGPSDestBearing}, {26, p.ExifGPSDestDistance}};
  for (const auto& [tag, v] : singles) w.AddRational(tag, v, false);
  w.AddAscii(8, p.ExifGPSSatellites);
  w.AddAscii(18, p.ExifGPSMapDatum);
  w.AddAscii(29, p.ExifGPSDateStamp);
  return w.Write();
}

}  // namespace

namespace {

// What a page says about itself before its pixels: the EXIF IFDs with HasExif,
// else the description and the resolution.
void AddPageMetadata(TIFDWriter& ifd, TStream& stream, bool& error, TIEMetaParams& params, int64_t& cursor) {
  if (params.HasExif) {
    AddIFD0ExifTags(ifd, params);
    ifd.AddLong(34665, uint32_t(WriteExifIFD(stream, error, params, cursor)));
    if (!params.ExifGPSVersionID.empty()) ifd.AddLong(34853, uint32_t(WriteGPSIFD(stream, error, params, cursor)));
  } else {
    ifd.AddAscii(270, params.TIFFImageDescription);
    ifd.AddRational(282, params.DpiX(), false);
    ifd.AddRational(283, params.DpiY(), false);
    ifd.AddShort(296, 2, false);
  }
}

int32_t WriteMetadataOnly(TStream& stream, TIEMetaParams& params, TIECodecProgress& progress) {
  bool error = false;
  const int64_t start = stream.Position();
  const uint8_t placeholder[8] = {};
  IEStreamWriteChecked(stream, error, placeholder, 8);
  int64_t cursor = start + 8;
  TIFDWriter ifd0(stream, error, params, cursor);
  AddPageMetadata(ifd0, stream, error, params, cursor);
  if (error) {
    progress.Abort();
    return 0;
  }
  const int64_t at = ifd0.Write();
  const uint8_t header[8] = {'I', 'I', 42, 0, uint8_t(at), uint8_t(at >> 8), uint8_t(at >> 16), uint8_t(at >> 24)};
  stream.Seek(start, soBeginning);
  IEStreamWriteChecked(stream, error, header, 8);
  stream.Seek(cursor, soBeginning);
  if (error) progress.Abort();
  return error ? 0 : 1;
}

// The link field that the inserted page takes over, and the offset it held.
struct TTIFFLink {
  int64_t Field = 0;
  uint32_t Next = 0;
  int32_t Pages = 0;
};

// Walks the chain of the little-endian TIFF at start. The page goes at index,
// or last when the chain is shorter. False for a chain that leaves the stream
// or comes back on itself.
bool FindInsertLink(TStream& stream, int64_t start, int32_t index, TTIFFLink& link) {
  TIEBoundedReader in(stream);
  int64_t field = start + 4;
  if (index < 0) index = INT32_MAX;  // no index before the first: last
  std::set<uint32_t> seen;
  for (int32_t i = 0;; ++i) {
    uint32_t offset = 0;
    if (!in.ReadU32(field, false, offset)) return false;
    if (i == index || (offset == 0 && i < index)) link = {field, offset, 0};
    if (offset == 0) {
      link.Pages = i;
      return true;
    }
    if (!seen.insert(offset).second) return false;
    uint16_t count = 0;
    if (!in.ReadU16(int64_t(offset), false, count)) return false;
    field = int64_t(offset) + 2 + 12 * int64_t(count);
  }
}

// Offset of the start-of-scan marker in a JPEG stream, walking its segments
// (a byte search could stop inside a table); -1 when there is none.
int64_t FindStartOfScan(const uint8_t* data, int64_t size) {
  int64_t at = 2;  // past SOI
  while (at + 4 <= size && data[at] == 0xFF) {
    if (data[at + 1] == 0xDA) return at;
    at += 2 + ((int64_t(data[at + 2]) << 8) | data[at + 3]);
  }
  return -1;
}

// The page of an old-style JPEG image (compression 6, TIFF 6.0 section 22):
// one JPEG interchange stream, its entropy-coded part doubling as the strip.
void AddOldJpegPage(TIFDWriter& ifd, TIEBitmap& bitmap, TIEMetaParams& params, TIECodecProgress& progress) {
  const auto* io = dynamic_cast<const TIOParamsVals*>(&params);
  const TIOParamsFields defaults{};
  const TIOParamsFields& options = io ? io->Fields() : defaults;
  TIOParamsVals jpegParams;
  jpegParams.JpegQuality = options.TIFFJpegQuality;
  // TIFF knows no YCCK: that choice is written as RGB.
  jpegParams.JpegColorSpace = options.TIFFJpegColorSpace == 4 ? 0 : options.TIFFJpegColorSpace;
  jpegParams.SetDpiX(params.DpiX());
  jpegParams.SetDpiY(params.DpiY());
  const uint8_t space = jpegParams.JpegColorSpace;

  std::atomic<bool> aborting{progress.Aborted()};
  TIEProgressRecord record;
  record.fOnProgress = progress.OnProgress;
  record.Sender = progress.Sender;
  record.Aborting = &aborting;
  TMemoryStream jpeg;
  WriteJpegStream(jpeg, bitmap, jpegParams, record);
  const auto* data = static_cast<const uint8_t*>(jpeg.Memory());
  const int64_t sos = aborting.load() ? -1 : FindStartOfScan(data, jpeg.Size());
  if (sos < 0) {
    progress.Abort();
    return;
  }
  const uint32_t at = ifd.AddData(std::vector<uint8_t>(data, data + jpeg.Size()));

  ifd.AddLong(256, uint32_t(bitmap.GetWidth()));
  ifd.AddLong(257, uint32_t(bitmap.GetHeight()));
  const int32_t samples = space == 1 ? 1 : space == 3 ? 4 : 3;
  if (samples == 1)
    ifd.AddShort(258, 8, false);
  else
    ifd.AddShortArray(258, std::vector<int32_t>(size_t(samples), 8));
  ifd.AddShort(259, 6, false);
  ifd.AddShort(262, space == 1 ? 1 : space == 3 ? 5 : space == 2 ? 6 : 2, false);
  ifd.AddAscii(269, params.TIFFDocumentName);
  ifd.AddLong(513, at);
  ifd.AddLong(514, uint32_t(jpeg.Size()));
  ifd.AddLong(278, uint32_t(bitmap.GetHeight()));
  ifd.AddLong(273, at + uint32_t(sos));
  ifd.AddLong(279, uint32_t(jpeg.Size() - sos));
  ifd.AddShort(512, 1, false);
  ifd.AddShortArray(530, {2, 2});
  ifd.AddShort(277, samples, false);
  ifd.AddAscii(285, params.TIFFPageName);
  if (params.TIFFXPos != 0) ifd.AddRational(286, params.TIFFXPos, false);
  if (params.TIFFYPos != 0) ifd.AddRational(287, params.TIFFYPos, false);
  ifd.AddLong(254, 0);
  if (params.TIFFPageNumber >= 0 || params.TIFFPageCount >= 0)
    ifd.AddShortArray(297, {params.TIFFPageNumber, params.TIFFPageCount});
}

// Adds a page to the little-endian TIFF at the stream's position, at
// TIFFImageIndex: how an EXIF block gets its thumbnail as IFD 1.
int32_t InsertPage(TStream& stream, TIEBitmap& bitmap, TIEMetaParams& params, TIECodecProgress& progress) {
  const int64_t start = stream.Position();
  uint8_t order[4] = {};
  TTIFFLink link;
  if (stream.Read(order, 4) != 4 || order[0] != 'I' || order[1] != 'I' ||
      !FindInsertLink(stream, start, params.TIFFImageIndex, link)) {
    progress.Abort();
    return 0;
  }
  bool error = false;
  int64_t cursor = stream.Size();
  TIFDWriter ifd(stream, error, params, cursor);
  AddPageMetadata(ifd, stream, error, params, cursor);
  AddOldJpegPage(ifd, bitmap, params, progress);
  if (error) progress.Abort();
  if (progress.Aborted()) return 0;
  const uint32_t at = uint32_t(ifd.Write(link.Next));
  const uint8_t field[4] = {uint8_t(at), uint8_t(at >> 8), uint8_t(at >> 16), uint8_t(at >> 24)};
  stream.Seek(link.Field, soBeginning);
  IEStreamWriteChecked(stream, error, field, 4);
  stream.Seek(cursor, soBeginning);
  if (error) {
    progress.Abort();
    return 0;
  }
  return link.Pages + 1;
}

}  // namespace

int32_t WriteTIFFStream(TStream& stream, bool insertPage, TIEBitmap* bitmap, TIEMetaParams& params,
                        TIECodecProgress& progress) {
  if (!insertPage && !bitmap) return WriteMetadataOnly(stream, params, progress);
  if (insertPage && bitmap && params.TIFFCompression == itcOldJPEG) return InsertPage(stream, *bitmap, params, progress);
  // Other pages with pixels belong to the image writer, which is not part of these modes.
  progress.Abort();
  return 0;
}

void IEBindTIFFExifBridge() {
  IEExifTIFFBridge.Read = [](TStream& stream, TIEBitmap* bitmap, TIEMetaParams& params, TIEExifTIFFRead mode) {
    bool aborting = false;
    TIECodecProgress progress;
    progress.Aborting = &aborting;
    int32_t pages = 0;
    // Alpha is ignored, so the reader never hands back a mask that would need freeing here.
    TIEMask* mask = nullptr;
    ReadTIFFStream(bitmap, stream, pages, params, progress, false, mask, true, true, mode == ieetrThumbnail,
                   mode == ieetrExifData);
    return !aborting;
  };
  IEExifTIFFBridge.Write = [](TStream& stream, TIEBitmap* bitmap, TIEMetaParams& params) {
    bool aborting = false;
    TIECodecProgress progress;
    progress.Aborting = &aborting;
    WriteTIFFStream(stream, bitmap != nullptr, bitmap, params, progress);
    return !aborting;
  };
}
