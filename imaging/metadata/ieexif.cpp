#include "imaging/metadata/ieexif.h"

#include <cstring>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iegeometry.h"
#include "imaging/core/ieinit.h"

TIEExifTIFFBridge IEExifTIFFBridge;

namespace {

// The bridge is filled when the formats unit starts; a call before that is a
// start-up fault, never a file without EXIF.
void RequireRead() {
  if (!IEExifTIFFBridge.Read) IERaiseSlotNotInstalled("IEExifTIFFBridge.Read");
}

constexpr uint8_t kExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
constexpr int64_t kHeaderSearch = 131072;

// Puts the stream back where it was on every way out.
class TPositionGuard {
public:
  explicit TPositionGuard(TStream& s) : stream_(s), position_(s.Position()) {}
  ~TPositionGuard() { stream_.Seek(position_, soBeginning); }
  TPositionGuard(const TPositionGuard&) = delete;
  TPositionGuard& operator=(const TPositionGuard&) = delete;
  int64_t Position() const { return position_; }

private:
  TStream& stream_;
  int64_t position_;
};

// The record's thumbnail, made when missing, emptied.
TIEBitmap& EmptyThumbnail(TIEMetaParams& params) {
  if (!params.ExifThumbnail) params.ExifThumbnail = std::make_unique<TIEBitmap>();
  params.ExifThumbnail->FreeImage(true);
  return *params.ExifThumbnail;
}

bool AllBytesZero(TIEBitmap& b) {
  const size_t len = size_t(b.GetRowLen());
  for (int32_t y = 0; y < b.GetHeight(); ++y) {
    const auto* row = static_cast<const uint8_t*>(b.GetScanline(y));
    if (!row) continue;
    for (size_t k = 0; k < len; ++k)
      if (row[k] != 0) return false;
  }
  return true;
}

}  // namespace

void IECopyEXIFParams(const TIEMetaParams& s, TIEMetaParams& d, bool withThumbnail) {
  if (&s == &d) return;
  d.ExifTags = s.ExifTags;
  if (withThumbnail) {
    d.ExifThumbnail.reset();
    if (s.ExifThumbnail) {
      d.ExifThumbnail = std::make_unique<TIEBitmap>();
      d.ExifThumbnail->Assign(s.ExifThumbnail.get());
    }
  }
  d.HasExif = s.HasExif;
  d.SetExifOrientation(s.ExifOrientation());
  d.ExifImageDescription = s.TIFFImageDescription;
  d.ExifMake = s.ExifMake;
  d.ExifModel = s.ExifModel;
  d.ExifXResolution = s.ExifXResolution;
  d.ExifYResolution = s.ExifYResolution;
  d.ExifResolutionUnit = s.ExifResolutionUnit;
  d.ExifSoftware = s.ExifSoftware;
  d.ExifArtist = s.ExifArtist;
  d.ExifDateTime = s.ExifDateTime;
  for (int32_t i = 0; i < 2; ++i) d.SetExifWhitePoint(i, s.GetExifWhitePoint(i));
  for (int32_t i = 0; i < 6; ++i) d.SetExifPrimaryChromaticities(i, s.GetExifPrimaryChromaticities(i));
  for (int32_t i = 0; i < 3; ++i) d.SetExifYCbCrCoefficients(i, s.GetExifYCbCrCoefficients(i));
  d.ExifYCbCrPositioning = s.ExifYCbCrPositioning;
  for (int32_t i = 0; i < 6; ++i) d.SetExifReferenceBlackWhite(i, s.GetExifReferenceBlackWhite(i));
  d.ExifRights = s.ExifRights;
  for (int32_t i = 0; i < 2; ++i) d.SetExifISOSpeedRatings(i, s.GetExifISOSpeedRatings(i));
  d.ExifVersion = s.ExifVersion;
  d.ExifDateTimeOriginal = s.ExifDateTimeOriginal;
  d.ExifDateTimeDigitized = s.ExifDateTimeDigitized;
  d.ExifSubsecTime = s.ExifSubsecTime;
  d.ExifSubsecTimeOriginal = s.ExifSubsecTimeOriginal;
  d.ExifSubsecTimeDigitized = s.ExifSubsecTimeDigitized;
  d.ExifFlashPixVersion = s.ExifFlashPixVersion;
  d.ExifRelatedSoundFile = s.ExifRelatedSoundFile;
  d.ExifUserComment = s.ExifUserComment;
  d.ExifUserCommentCode = s.ExifUserCommentCode;
  d.ExifRating = s.ExifRating;
  d.ExifXPTitle = s.ExifXPTitle;
  d.ExifXPComment = s.ExifXPComment;
  d.ExifXPAuthor = s.ExifXPAuthor;
  d.ExifXPKeywords = s.ExifXPKeywords;
  d.ExifXPSubject = s.ExifXPSubject;
  d.ExifExposureMode = s.ExifExposureMode;
  d.ExifWhiteBalance = s.ExifWhiteBalance;
  d.ExifDigitalZoomRatio = s.ExifDigitalZoomRatio;
  d.ExifFocalLengthIn35mmFilm = s.ExifFocalLengthIn35mmFilm;
  d.ExifSceneCaptureType = s.ExifSceneCaptureType;
  d.ExifGainControl = s.ExifGainControl;
  d.ExifContrast = s.ExifContrast;
  d.ExifSaturation = s.ExifSaturation;
  d.ExifSharpness = s.ExifSharpness;
  d.ExifSubjectDistanceRange = s.ExifSubjectDistanceRange;
  d.ExifImageUniqueID = s.ExifImageUniqueID;
  d.ExifGPSVersionID = s.ExifGPSVersionID;
  d.ExifGPSLatitudeRef = s.ExifGPSLatitudeRef;
  d.ExifGPSLatitude = s.ExifGPSLatitude;
  d.ExifGPSLongitudeRef = s.ExifGPSLongitudeRef;
  d.ExifGPSLongitude = s.ExifGPSLongitude;
  d.ExifGPSAltitudeRef = s.ExifGPSAltitudeRef;
  d.ExifGPSAltitude = s.ExifGPSAltitude;
  d.ExifGPSTimeStamp = s.ExifGPSTimeStamp;
  d.ExifGPSSatellites = s.ExifGPSSatellites;
  d.ExifGPSStatus = s.ExifGPSStatus;
  d.ExifGPSMeasureMode = s.ExifGPSMeasureMode;
  d.ExifGPSDOP = s.ExifGPSDOP;
  d.ExifGPSSpeedRef = s.ExifGPSSpeedRef;
  d.ExifGPSSpeed = s.ExifGPSSpeed;
  d.ExifGPSTrackRef = s.ExifGPSTrackRef;
  d.ExifGPSTrack = s.ExifGPSTrack;
  d.ExifGPSImgDirectionRef = s.ExifGPSImgDirectionRef;
  d.ExifGPSImgDirection = s.ExifGPSImgDirection;
  d.ExifGPSMapDatum = s.ExifGPSMapDatum;
  d.ExifGPSDestLatitudeRef = s.ExifGPSDestLatitudeRef;
  d.ExifGPSDestLatitude = s.ExifGPSDestLatitude;
  d.ExifGPSDestLongitudeRef = s.ExifGPSDestLongitudeRef;
  d.ExifGPSDestLongitude = s.ExifGPSDestLongitude;
  d.ExifGPSDestBearingRef = s.ExifGPSDestBearingRef;
  d.ExifGPSDestBearing = s.ExifGPSDestBearing;
  d.ExifGPSDestDistanceRef = s.ExifGPSDestDistanceRef;
  d.ExifGPSDestDistance = s.ExifGPSDestDistance;
  d.ExifGPSDateStamp = s.ExifGPSDateStamp;
  d.SetExifExposureTime(s.ExifExposureTime());
  d.SetExifFNumber(s.ExifFNumber());
  d.SetExifExposureProgram(s.ExifExposureProgram());
  d.SetExifCompressedBitsPerPixel(s.ExifCompressedBitsPerPixel());
  d.SetExifShutterSpeedValue(s.ExifShutterSpeedValue());
  d.SetExifApertureValue(s.ExifApertureValue());
  d.SetExifBrightnessValue(s.ExifBrightnessValue());
  d.SetExifExposureBiasValue(s.ExifExposureBiasValue());
  d.SetExifMaxApertureValue(s.ExifMaxApertureValue());
  d.SetExifSubjectDistance(s.ExifSubjectDistance());
  d.SetExifMeteringMode(s.ExifMeteringMode());
  d.SetExifLightSource(s.ExifLightSource());
  d.SetExifFlash(s.ExifFlash());
  d.SetExifFocalLength(s.ExifFocalLength());
  d.SetExifColorSpace(s.ExifColorSpace());
  d.SetExifImageWidth(s.ExifImageWidth());
  d.SetExifImageHeight(s.ExifImageHeight());
  d.SetExifFocalPlaneXResolution(s.ExifFocalPlaneXResolution());
  d.SetExifFocalPlaneYResolution(s.ExifFocalPlaneYResolution());
  d.SetExifFocalPlaneResolutionUnit(s.ExifFocalPlaneResolutionUnit());
  d.SetExifExposureIndex(s.ExifExposureIndex());
  d.SetExifSensingMethod(s.ExifSensingMethod());
  d.SetExifFileSource(s.ExifFileSource());
  d.SetExifSceneType(s.ExifSceneType());
  d.ExifMakerNote.Assign(s.ExifMakerNote);
}

std::vector<uint8_t> IESaveEXIFToBuffer(TIEMetaParams& params, bool withHeader) {
  if (!IEExifTIFFBridge.Write) IERaiseSlotNotInstalled("IEExifTIFFBridge.Write");
  TMemoryStream stream;
  IEExifTIFFBridge.Write(stream, nullptr, params);
  if (params.ExifThumbnail && !params.ExifThumbnail->IsEmpty()) {
    std::unique_ptr<TIEMetaParams> thumbParams = params.CreateTemporary();
    thumbParams->SetImageIndex(1);
    thumbParams->TIFFCompression = 6;  // old-style JPEG in TIFF, what EXIF thumbnails use
    stream.SetPosition(0);
    IEExifTIFFBridge.Write(stream, params.ExifThumbnail.get(), *thumbParams);
  }
  std::vector<uint8_t> out;
  out.reserve(size_t(stream.Size()) + 6);
  if (withHeader) out.assign(kExifHeader, kExifHeader + 6);
  const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
  out.insert(out.end(), bytes, bytes + stream.Size());
  return out;
}

bool IEIsExifMarkerData(const uint8_t* data, int32_t length) {
  // Exactly "Exif" as a zero-terminated text, looked at only inside the payload.
  return data && length >= 5 && std::memcmp(data, kExifHeader, 5) == 0;
}

int32_t IELoadEXIFFromAPP1(const uint8_t* data, int32_t length, TIEMetaParams& params) {
  // Six bytes of "Exif" 00 00 and at least a TIFF header behind them.
  if (!IEIsExifMarkerData(data, length) || length < 6 + 8) return 0;
  RequireRead();
  std::unique_ptr<TIEMetaParams> temp = params.CreateTemporary();
  TIEMemStream stream(data + 6, length - 6);
  TIEBitmap& thumbnail = EmptyThumbnail(params);
  IEExifTIFFBridge.Read(stream, nullptr, *temp, ieetrExifData);
  IECopyEXIFParams(*temp, params, false);
  params.HasExif = true;
  temp->SetImageIndex(1);
  stream.SetPosition(0);
  if (!IEExifTIFFBridge.Read(stream, &thumbnail, *temp, ieetrThumbnail)) thumbnail.FreeImage(true);
  IEApplyExifOrientation(thumbnail, params.TIFFOrientation());
  return 1;
}

int64_t IEFindTIFFHeaderInStream(TIEBufferedReadStream& stream) {
  TPositionGuard guard(stream);
  const int64_t total = stream.Size();
  std::vector<uint8_t> bytes(static_cast<size_t>(kHeaderSearch));
  const int32_t got = stream.Read(bytes.data(), int32_t(kHeaderSearch));
  for (int32_t i = 0; i + 8 <= got; ++i) {
    const uint8_t* h = bytes.data() + i;
    const bool little = h[0] == 'I' && h[1] == 'I';
    if (!little && !(h[0] == 'M' && h[1] == 'M')) continue;
    const uint32_t version = little ? uint32_t(h[2] | (h[3] << 8)) : uint32_t((h[2] << 8) | h[3]);
    const uint32_t first = little ? uint32_t(h[4]) | (uint32_t(h[5]) << 8) | (uint32_t(h[6]) << 16) | (uint32_t(h[7]) << 24)
                                  : (uint32_t(h[4]) << 24) | (uint32_t(h[5]) << 16) | (uint32_t(h[6]) << 8) | h[7];
    if (int64_t(first) < total && (version == 42 || version == 0x4F52 || version == 0x5352)) return i;
  }
  return -1;
}

TIEBitmap* IEChooseRawThumbnail(TIEBitmap& image0, TIEBitmap& image1) {
  const bool use0 = !image0.IsEmpty() && !AllBytesZero(image0);
  const bool use1 = !image1.IsEmpty() && !AllBytesZero(image1);
  if (use0 && use1) return image1.GetWidth() < image0.GetWidth() ? &image1 : &image0;
  if (use0) return &image0;
  if (use1) return &image1;
  return nullptr;
}

int32_t IELoadEXIFFromTIFFStream(TIEBufferedReadStream& stream, TIEMetaParams& params) {
  RequireRead();
  TPositionGuard guard(stream);
  std::unique_ptr<TIEMetaParams> temp = params.CreateTemporary();
  TIEBitmap image0, image1;
  TIEBitmap& thumbnail = EmptyThumbnail(params);
  IEExifTIFFBridge.Read(stream, nullptr, *temp, ieetrExifData);
  IECopyEXIFParams(*temp, params, false);
  params.HasExif = true;
  TIEBitmap* images[2] = {&image0, &image1};
  for (int32_t k = 0; k < 2; ++k) {
    temp->SetImageIndex(k);
    stream.Seek(guard.Position(), soBeginning);
    if (!IEExifTIFFBridge.Read(stream, images[k], *temp, ieetrThumbnail)) images[k]->FreeImage(true);
  }
  if (TIEBitmap* chosen = IEChooseRawThumbnail(image0, image1)) thumbnail.Assign(chosen);
  return 1;
}

int32_t IEReadTIFFIntoParams(TStream& stream, TIEMetaParams& params) {
  RequireRead();
  TPositionGuard guard(stream);
  TIEBitmap& thumbnail = EmptyThumbnail(params);
  IEExifTIFFBridge.Read(stream, &thumbnail, params, ieetrNormal);
  return 1;
}
