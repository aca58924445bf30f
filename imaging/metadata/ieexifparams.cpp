#include "imaging/metadata/ieexifparams.h"

#include <algorithm>
#include <cmath>

#include "imaging/metadata/ieexif.h"

int32_t IEDefaultDpiX = 300;
int32_t IEDefaultDpiY = 300;

namespace {

template <class T, size_t N>
T GetAt(const std::array<T, N>& a, int32_t i) {
  return i >= 0 && size_t(i) < N ? a[size_t(i)] : T(0);
}

template <class T, size_t N>
void SetAt(std::array<T, N>& a, int32_t i, T v) {
  if (i >= 0 && size_t(i) < N) a[size_t(i)] = v;
}

}  // namespace

TIEExifParams::TIEExifParams() = default;
TIEExifParams::~TIEExifParams() = default;

void TIEExifParams::AddExifTag(int32_t tag) {
  if (std::find(ExifTags.begin(), ExifTags.end(), tag) == ExifTags.end()) ExifTags.push_back(tag);
}

void TIEExifParams::RemoveExifTag(int32_t tag) {
  ExifTags.erase(std::remove(ExifTags.begin(), ExifTags.end(), tag), ExifTags.end());
}

template <class T>
void TIEExifParams::SetTracked(T& field, T value, std::type_identity_t<T> absent, int32_t tag) {
  field = value;
  // Exact comparison: the absent values are exact small numbers.
  if (value == absent)
    RemoveExifTag(tag);
  else
    AddExifTag(tag);
}

void TIEExifParams::SetExifOrientation(int32_t v) {
  exifOrientation_ = v;
  tiffOrientation_ = v;
}

void TIEExifParams::SetTIFFOrientation(int32_t v) {
  tiffOrientation_ = v;
  exifOrientation_ = v;
}

int32_t TIEExifParams::GetExifISOSpeedRatings(int32_t i) const { return GetAt(exifISOSpeedRatings_, i); }
void TIEExifParams::SetExifISOSpeedRatings(int32_t i, int32_t v) { SetAt(exifISOSpeedRatings_, i, v); }
double TIEExifParams::GetExifWhitePoint(int32_t i) const { return GetAt(exifWhitePoint_, i); }
void TIEExifParams::SetExifWhitePoint(int32_t i, double v) { SetAt(exifWhitePoint_, i, v); }
double TIEExifParams::GetExifPrimaryChromaticities(int32_t i) const { return GetAt(exifPrimaryChromaticities_, i); }
void TIEExifParams::SetExifPrimaryChromaticities(int32_t i, double v) { SetAt(exifPrimaryChromaticities_, i, v); }
double TIEExifParams::GetExifYCbCrCoefficients(int32_t i) const { return GetAt(exifYCbCrCoefficients_, i); }
void TIEExifParams::SetExifYCbCrCoefficients(int32_t i, double v) { SetAt(exifYCbCrCoefficients_, i, v); }
double TIEExifParams::GetExifReferenceBlackWhite(int32_t i) const { return GetAt(exifReferenceBlackWhite_, i); }
void TIEExifParams::SetExifReferenceBlackWhite(int32_t i, double v) { SetAt(exifReferenceBlackWhite_, i, v); }

void TIEExifParams::SetExifExposureTime(double v) { SetTracked(exifExposureTime_, v, -1, 33434); }
void TIEExifParams::SetExifFNumber(double v) { SetTracked(exifFNumber_, v, -1, 33437); }
void TIEExifParams::SetExifExposureProgram(int32_t v) { SetTracked(exifExposureProgram_, v, -1, 34850); }
void TIEExifParams::SetExifCompressedBitsPerPixel(double v) { SetTracked(exifCompressedBitsPerPixel_, v, 0, 37122); }
void TIEExifParams::SetExifShutterSpeedValue(double v) { SetTracked(exifShutterSpeedValue_, v, -1, 37377); }
void TIEExifParams::SetExifApertureValue(double v) { SetTracked(exifApertureValue_, v, -1, 37378); }
void TIEExifParams::SetExifBrightnessValue(double v) { SetTracked(exifBrightnessValue_, v, -1000, 37379); }
void TIEExifParams::SetExifExposureBiasValue(double v) { SetTracked(exifExposureBiasValue_, v, -1000, 37380); }
void TIEExifParams::SetExifMaxApertureValue(double v) { SetTracked(exifMaxApertureValue_, v, -1000, 37381); }
void TIEExifParams::SetExifSubjectDistance(double v) { SetTracked(exifSubjectDistance_, v, -1, 37382); }
void TIEExifParams::SetExifMeteringMode(int32_t v) { SetTracked(exifMeteringMode_, v, -1, 37383); }
void TIEExifParams::SetExifLightSource(int32_t v) { SetTracked(exifLightSource_, v, -1, 37384); }
void TIEExifParams::SetExifFlash(int32_t v) { SetTracked(exifFlash_, v, -1, 37385); }
void TIEExifParams::SetExifFocalLength(double v) { SetTracked(exifFocalLength_, v, -1, 37386); }
void TIEExifParams::SetExifColorSpace(int32_t v) { SetTracked(exifColorSpace_, v, -1, 40961); }
void TIEExifParams::SetExifImageWidth(int32_t v) { SetTracked(exifImageWidth_, v, 0, 40962); }
void TIEExifParams::SetExifImageHeight(int32_t v) { SetTracked(exifImageHeight_, v, 0, 40963); }
void TIEExifParams::SetExifFocalPlaneXResolution(double v) { SetTracked(exifFocalPlaneXResolution_, v, -1, 41486); }
void TIEExifParams::SetExifFocalPlaneYResolution(double v) { SetTracked(exifFocalPlaneYResolution_, v, -1, 41487); }
void TIEExifParams::SetExifFocalPlaneResolutionUnit(int32_t v) { SetTracked(exifFocalPlaneResolutionUnit_, v, -1, 41488); }
void TIEExifParams::SetExifExposureIndex(double v) { SetTracked(exifExposureIndex_, v, -1, 41493); }
void TIEExifParams::SetExifSensingMethod(int32_t v) { SetTracked(exifSensingMethod_, v, -1, 41495); }
void TIEExifParams::SetExifFileSource(int32_t v) { SetTracked(exifFileSource_, v, -1, 41728); }
void TIEExifParams::SetExifSceneType(int32_t v) { SetTracked(exifSceneType_, v, -1, 41729); }

void TIEExifParams::ResetExifFields() {
  ExifTags.clear();
  HasExif = false;
  ExifThumbnail.reset();
  exifOrientation_ = 0;
  ExifImageDescription.clear();
  ExifMake.clear();
  ExifModel.clear();
  ExifXResolution = 0;
  ExifYResolution = 0;
  ExifResolutionUnit = 0;
  ExifSoftware.clear();
  ExifArtist.clear();
  ExifDateTime.clear();
  exifWhitePoint_.fill(-1);
  exifPrimaryChromaticities_.fill(-1);
  exifYCbCrCoefficients_.fill(-1);
  ExifYCbCrPositioning = -1;
  exifReferenceBlackWhite_.fill(-1);
  ExifRights.clear();
  exifISOSpeedRatings_.fill(0);
  ExifVersion.clear();
  ExifDateTimeOriginal.clear();
  ExifDateTimeDigitized.clear();
  ExifSubsecTime.clear();
  ExifSubsecTimeOriginal.clear();
  ExifSubsecTimeDigitized.clear();
  ExifFlashPixVersion.clear();
  ExifRelatedSoundFile.clear();
  ExifUserComment.clear();
  ExifUserCommentCode.clear();
  ExifMakerNote.Clear();
  ExifRating = -1;
  ExifXPTitle.clear();
  ExifXPComment.clear();
  ExifXPAuthor.clear();
  ExifXPKeywords.clear();
  ExifXPSubject.clear();
  ExifExposureMode = -1;
  ExifWhiteBalance = -1;
  ExifDigitalZoomRatio = -1;
  ExifFocalLengthIn35mmFilm = -1;
  ExifSceneCaptureType = -1;
  ExifGainControl = -1;
  ExifContrast = -1;
  ExifSaturation = -1;
  ExifSharpness = -1;
  ExifSubjectDistanceRange = -1;
  ExifImageUniqueID.clear();
  ExifGPSVersionID.clear();
  ExifGPSLatitudeRef.clear();
  ExifGPSLatitude.fill(0);
  ExifGPSLongitudeRef.clear();
  ExifGPSLongitude.fill(0);
  ExifGPSAltitudeRef.clear();
  ExifGPSAltitude = 0;
  ExifGPSTimeStamp.fill(0);
  ExifGPSSatellites.clear();
  ExifGPSStatus.clear();
  ExifGPSMeasureMode.clear();
  ExifGPSDOP = 0;
  ExifGPSSpeedRef.clear();
  ExifGPSSpeed = 0;
  ExifGPSTrackRef.clear();
  ExifGPSTrack = 0;
  ExifGPSImgDirectionRef.clear();
  ExifGPSImgDirection = 0;
  ExifGPSMapDatum.clear();
  ExifGPSDestLatitudeRef.clear();
  ExifGPSDestLatitude.fill(0);
  ExifGPSDestLongitudeRef.clear();
  ExifGPSDestLongitude.fill(0);
  ExifGPSDestBearingRef.clear();
  ExifGPSDestBearing = 0;
  ExifGPSDestDistanceRef.clear();
  ExifGPSDestDistance = 0;
  ExifGPSDateStamp.clear();
  exifExposureTime_ = -1;
  exifFNumber_ = -1;
  exifExposureProgram_ = -1;
  exifCompressedBitsPerPixel_ = 0;
  exifShutterSpeedValue_ = -1;
  exifApertureValue_ = -1;
  exifBrightnessValue_ = -1000;
  exifExposureBiasValue_ = -1000;
  exifMaxApertureValue_ = -1000;
  exifSubjectDistance_ = -1;
  exifMeteringMode_ = -1;
  exifLightSource_ = -1;
  exifFlash_ = -1;
  exifFocalLength_ = -1;
  exifColorSpace_ = -1;
  exifImageWidth_ = 0;
  exifImageHeight_ = 0;
  exifFocalPlaneXResolution_ = -1;
  exifFocalPlaneYResolution_ = -1;
  exifFocalPlaneResolutionUnit_ = -1;
  exifExposureIndex_ = -1;
  exifSensingMethod_ = -1;
  exifFileSource_ = -1;
  exifSceneType_ = -1;
}

// ---- TIEMetaParams ---------------------------------------------------------------------------

TIEMetaParams::TIEMetaParams() = default;
TIEMetaParams::~TIEMetaParams() = default;

void TIEMetaParams::SetDpiX(int32_t v) {
  dpiX_ = v;
  ExifXResolution = v;
}

void TIEMetaParams::SetDpiY(int32_t v) {
  dpiY_ = v;
  ExifYResolution = v;
}

void TIEMetaParams::SetDpiXFloat(double v) {
  SetDpiX(std::isfinite(v) ? int32_t(std::trunc(std::clamp(v, -2147483648.0, 2147483647.0))) : 0);
  ExifXResolution = v;
}

void TIEMetaParams::SetDpiYFloat(double v) {
  SetDpiY(std::isfinite(v) ? int32_t(std::trunc(std::clamp(v, -2147483648.0, 2147483647.0))) : 0);
  ExifYResolution = v;
}

void TIEMetaParams::SetImageIndex(int32_t v) {
  imageIndex_ = v;
  TIFFImageIndex = v;
}

void TIEMetaParams::SetImageCount(int32_t v) {
  imageCount_ = v;
  TIFFImageCount = v;
}

void TIEMetaParams::LoadInputICCProfile(const uint8_t*, int32_t) {}
void TIEMetaParams::LoadImagingAnnot(const uint8_t*, int32_t) {}

std::unique_ptr<TIEMetaParams> TIEMetaParams::CreateTemporary() const { return std::make_unique<TIEMetaParams>(); }

void TIEMetaParams::ResetEXIF() {
  ResetExifFields();
  for (int32_t i = 0; i < JpegMarkers.GetCount(); ++i)
    if (JpegMarkers.GetMarkerType(i) == 0xE1 && IEIsExifMarkerData(JpegMarkers.GetMarkerData(i), JpegMarkers.GetMarkerLength(i))) {
      JpegMarkers.DeleteMarker(i);
      break;
    }
}
