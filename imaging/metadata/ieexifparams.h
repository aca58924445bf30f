// The metadata part of the image parameter record, as plain structures: the
// EXIF block (TIEExifParams) and the fields that the TIFF directory reader and
// the EXIF routines fill besides it (TIEMetaParams).
//
// The image parameter record of the I/O component derives from TIEMetaParams:
// it takes these fields as its own and overrides the virtual members to reach
// what only it knows (its owner's view for the resolution, its other copies of
// the image index and count, its ICC and annotation objects, temporaries owned
// by the same component).
//
// Field names are the record's. Texts are 8-bit (code-page bytes) unless
// marked UTF-8; those are the record's UTF-16 texts, converted at the file's boundary.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/metadata/ieiptc.h"
#include "imaging/metadata/iemarkers.h"
#include "imaging/metadata/ietiffhandler.h"
#include "platform/rtl/types.h"

// The resolution a reader reports when the file gives none. The view unit's
// print resolution; it belongs with the library-wide values once that unit sets it.
extern int32_t IEDefaultDpiX;
extern int32_t IEDefaultDpiY;

// The EXIF block: tags of IFD 0, the Exif and GPS IFDs, the thumbnail and the
// maker note. The tag column of each field is its EXIF or TIFF tag number.
class TIEExifParams {
public:
  TIEExifParams();
  virtual ~TIEExifParams();
  TIEExifParams(const TIEExifParams&) = delete;
  TIEExifParams& operator=(const TIEExifParams&) = delete;

  // Tags present, kept by the setters below: a value other than its field's
  // absent value adds the tag once, the absent value removes it.
  std::vector<int32_t> ExifTags;
  void AddExifTag(int32_t tag);
  void RemoveExifTag(int32_t tag);
  // An EXIF block was read; written back on saving when set.
  bool HasExif = false;

  // Orientation (274) and its TIFF twin: each setter sets both.
  int32_t ExifOrientation() const { return exifOrientation_; }
  void SetExifOrientation(int32_t v);
  int32_t TIFFOrientation() const { return tiffOrientation_; }
  void SetTIFFOrientation(int32_t v);

  std::unique_ptr<TIEBitmap> ExifThumbnail;
  AnsiString ExifImageDescription;  // 270
  AnsiString ExifMake;              // 271
  AnsiString ExifModel;             // 272
  double ExifXResolution = 0;       // 282, also written by the DPI setters
  double ExifYResolution = 0;       // 283
  int32_t ExifResolutionUnit = 0;   // 296: 2 inch, 3 centimetre
  AnsiString ExifSoftware;          // 305
  AnsiString ExifArtist;            // 315
  AnsiString ExifDateTime;          // 306
  AnsiString ExifRights;            // 33432
  int32_t ExifYCbCrPositioning = -1;  // 531
  AnsiString ExifVersion;             // 36864
  AnsiString ExifDateTimeOriginal;    // 36867
  AnsiString ExifDateTimeDigitized;   // 36868
  AnsiString ExifSubsecTime;          // 37520
  AnsiString ExifSubsecTimeOriginal;  // 37521
  AnsiString ExifSubsecTimeDigitized; // 37522
  AnsiString ExifFlashPixVersion;     // 40960
  AnsiString ExifRelatedSoundFile;    // 40964
  std::string ExifUserComment;        // 37510, UTF-8
  AnsiString ExifUserCommentCode;     // its 8-byte character-code prefix
  TIETagsHandler ExifMakerNote;       // 37500
  int32_t ExifRating = -1;            // 18246
  std::string ExifXPTitle;            // 40091, UTF-8
  std::string ExifXPComment;          // 40092, UTF-8
  std::string ExifXPAuthor;           // 40093, UTF-8
  std::string ExifXPKeywords;         // 40094, UTF-8
  std::string ExifXPSubject;          // 40095, UTF-8
  int32_t ExifExposureMode = -1;      // 41986
  int32_t ExifWhiteBalance = -1;      // 41987
  double ExifDigitalZoomRatio = -1;   // 41988
  int32_t ExifFocalLengthIn35mmFilm = -1;  // 41989
  int32_t ExifSceneCaptureType = -1;  // 41990
  int32_t ExifGainControl = -1;       // 41991
  int32_t ExifContrast = -1;          // 41992
  int32_t ExifSaturation = -1;        // 41993
  int32_t ExifSharpness = -1;         // 41994
  int32_t ExifSubjectDistanceRange = -1;  // 41996
  AnsiString ExifImageUniqueID;       // 42016

  // GPS IFD.
  AnsiString ExifGPSVersionID;        // 0, the version bytes as dotted text
  AnsiString ExifGPSLatitudeRef;      // 1
  std::array<double, 3> ExifGPSLatitude{0, 0, 0};  // 2: degrees, minutes, seconds
  AnsiString ExifGPSLongitudeRef;     // 3
  std::array<double, 3> ExifGPSLongitude{0, 0, 0};  // 4
  AnsiString ExifGPSAltitudeRef;      // 5, the reference byte as decimal text
  double ExifGPSAltitude = 0;         // 6
  std::array<double, 3> ExifGPSTimeStamp{0, 0, 0};  // 7: hours, minutes, seconds
  AnsiString ExifGPSSatellites;       // 8
  AnsiString ExifGPSStatus;           // 9
  AnsiString ExifGPSMeasureMode;      // 10
  double ExifGPSDOP = 0;              // 11
  AnsiString ExifGPSSpeedRef;         // 12
  double ExifGPSSpeed = 0;            // 13
  AnsiString ExifGPSTrackRef;         // 14
  double ExifGPSTrack = 0;            // 15
  AnsiString ExifGPSImgDirectionRef;  // 16
  double ExifGPSImgDirection = 0;     // 17
  AnsiString ExifGPSMapDatum;         // 18
  AnsiString ExifGPSDestLatitudeRef;  // 19
  std::array<double, 3> ExifGPSDestLatitude{0, 0, 0};   // 20
  AnsiString ExifGPSDestLongitudeRef; // 21
  std::array<double, 3> ExifGPSDestLongitude{0, 0, 0};  // 22
  AnsiString ExifGPSDestBearingRef;   // 23
  double ExifGPSDestBearing = 0;      // 24
  AnsiString ExifGPSDestDistanceRef;  // 25
  double ExifGPSDestDistance = 0;     // 26
  AnsiString ExifGPSDateStamp;        // 29

  // Element accessors (store and return only; ExifTags stays). An index out of range is ignored and reads 0.
  int32_t GetExifISOSpeedRatings(int32_t i) const;  // 34855, 0..1
  void SetExifISOSpeedRatings(int32_t i, int32_t v);
  double GetExifWhitePoint(int32_t i) const;  // 318, 0..1
  void SetExifWhitePoint(int32_t i, double v);
  double GetExifPrimaryChromaticities(int32_t i) const;  // 319, 0..5
  void SetExifPrimaryChromaticities(int32_t i, double v);
  double GetExifYCbCrCoefficients(int32_t i) const;  // 529, 0..2
  void SetExifYCbCrCoefficients(int32_t i, double v);
  double GetExifReferenceBlackWhite(int32_t i) const;  // 532, 0..5
  void SetExifReferenceBlackWhite(int32_t i, double v);

  // Values whose setters keep ExifTags (the tag and the absent value are in the .cpp).
  double ExifExposureTime() const { return exifExposureTime_; }
  void SetExifExposureTime(double v);
  double ExifFNumber() const { return exifFNumber_; }
  void SetExifFNumber(double v);
  int32_t ExifExposureProgram() const { return exifExposureProgram_; }
  void SetExifExposureProgram(int32_t v);
  double ExifCompressedBitsPerPixel() const { return exifCompressedBitsPerPixel_; }
  void SetExifCompressedBitsPerPixel(double v);
  double ExifShutterSpeedValue() const { return exifShutterSpeedValue_; }
  void SetExifShutterSpeedValue(double v);
  double ExifApertureValue() const { return exifApertureValue_; }
  void SetExifApertureValue(double v);
  double ExifBrightnessValue() const { return exifBrightnessValue_; }
  void SetExifBrightnessValue(double v);
  double ExifExposureBiasValue() const { return exifExposureBiasValue_; }
  void SetExifExposureBiasValue(double v);
  double ExifMaxApertureValue() const { return exifMaxApertureValue_; }
  void SetExifMaxApertureValue(double v);
  double ExifSubjectDistance() const { return exifSubjectDistance_; }
  void SetExifSubjectDistance(double v);
  int32_t ExifMeteringMode() const { return exifMeteringMode_; }
  void SetExifMeteringMode(int32_t v);
  int32_t ExifLightSource() const { return exifLightSource_; }
  void SetExifLightSource(int32_t v);
  int32_t ExifFlash() const { return exifFlash_; }
  void SetExifFlash(int32_t v);
  double ExifFocalLength() const { return exifFocalLength_; }
  void SetExifFocalLength(double v);
  int32_t ExifColorSpace() const { return exifColorSpace_; }
  void SetExifColorSpace(int32_t v);
  int32_t ExifImageWidth() const { return exifImageWidth_; }
  void SetExifImageWidth(int32_t v);
  int32_t ExifImageHeight() const { return exifImageHeight_; }
  void SetExifImageHeight(int32_t v);
  double ExifFocalPlaneXResolution() const { return exifFocalPlaneXResolution_; }
  void SetExifFocalPlaneXResolution(double v);
  double ExifFocalPlaneYResolution() const { return exifFocalPlaneYResolution_; }
  void SetExifFocalPlaneYResolution(double v);
  int32_t ExifFocalPlaneResolutionUnit() const { return exifFocalPlaneResolutionUnit_; }
  void SetExifFocalPlaneResolutionUnit(int32_t v);
  double ExifExposureIndex() const { return exifExposureIndex_; }
  void SetExifExposureIndex(double v);
  int32_t ExifSensingMethod() const { return exifSensingMethod_; }
  void SetExifSensingMethod(int32_t v);
  int32_t ExifFileSource() const { return exifFileSource_; }
  void SetExifFileSource(int32_t v);
  int32_t ExifSceneType() const { return exifSceneType_; }
  void SetExifSceneType(int32_t v);

  // Every field of the block back to its absent value, the thumbnail freed and
  // the maker note cleared (the TIFF orientation stays).
  void ResetExifFields();

private:
  template <class T>
  void SetTracked(T& field, T value, std::type_identity_t<T> absent, int32_t tag);

  int32_t exifOrientation_ = 0;
  int32_t tiffOrientation_ = 1;
  std::array<int32_t, 2> exifISOSpeedRatings_{0, 0};
  std::array<double, 2> exifWhitePoint_{-1, -1};
  std::array<double, 6> exifPrimaryChromaticities_{-1, -1, -1, -1, -1, -1};
  std::array<double, 3> exifYCbCrCoefficients_{-1, -1, -1};
  std::array<double, 6> exifReferenceBlackWhite_{-1, -1, -1, -1, -1, -1};
  double exifExposureTime_ = -1;
  double exifFNumber_ = -1;
  int32_t exifExposureProgram_ = -1;
  double exifCompressedBitsPerPixel_ = 0;
  double exifShutterSpeedValue_ = -1;
  double exifApertureValue_ = -1;
  double exifBrightnessValue_ = -1000;
  double exifExposureBiasValue_ = -1000;
  double exifMaxApertureValue_ = -1000;
  double exifSubjectDistance_ = -1;
  int32_t exifMeteringMode_ = -1;
  int32_t exifLightSource_ = -1;
  int32_t exifFlash_ = -1;
  double exifFocalLength_ = -1;
  int32_t exifColorSpace_ = -1;
  int32_t exifImageWidth_ = 0;
  int32_t exifImageHeight_ = 0;
  double exifFocalPlaneXResolution_ = -1;
  double exifFocalPlaneYResolution_ = -1;
  int32_t exifFocalPlaneResolutionUnit_ = -1;
  double exifExposureIndex_ = -1;
  int32_t exifSensingMethod_ = -1;
  int32_t exifFileSource_ = -1;
  int32_t exifSceneType_ = -1;
};

// The fields of the record that the TIFF directory reader fills besides the
// EXIF block, and the metadata containers the EXIF routines touch.
class TIEMetaParams : public TIEExifParams {
public:
  TIEMetaParams();
  ~TIEMetaParams() override;

  // General.
  int32_t BitsPerSample = 8;
  int32_t SamplesPerPixel = 3;
  int32_t Width = 0;
  int32_t Height = 0;
  // Size in the file before decode-time scaling (the readers' "original" size).
  int32_t FullWidth = 0;
  int32_t FullHeight = 0;
  int32_t DpiX() const { return dpiX_; }
  int32_t DpiY() const { return dpiY_; }
  // Also the EXIF resolution.
  virtual void SetDpiX(int32_t v);
  virtual void SetDpiY(int32_t v);
  // SetDpiX(Trunc(v)), then the EXIF resolution exactly v.
  virtual void SetDpiXFloat(double v);
  virtual void SetDpiYFloat(double v);
  int32_t ImageIndex() const { return imageIndex_; }
  int32_t ImageCount() const { return imageCount_; }
  // Also every per-format copy (here the TIFF one).
  virtual void SetImageIndex(int32_t v);
  virtual void SetImageCount(int32_t v);

  // TIFF.
  uint8_t TIFFCompression = 0;       // TIETIFFCompression
  int32_t TIFFImageIndex = 0;        // copy of ImageIndex
  int32_t TIFFSubIndex = -1;         // sub-image (tag 330) to load, -1 the page itself
  uint8_t TIFFPhotometric = 2;       // TIETIFFPhotometric
  int32_t TIFFPlanarConfig = 1;
  int32_t TIFFXPos = 0;
  int32_t TIFFYPos = 0;
  int32_t TIFFTileIndex = -1;        // tile to load, -1 the whole image
  AnsiString TIFFDocumentName;       // 269
  AnsiString TIFFImageDescription;   // 270
  AnsiString TIFFPageName;           // 285
  int32_t TIFFPageNumber = -1;
  int32_t TIFFPageCount = -1;
  int32_t TIFFImageCount = 0;        // copy of ImageCount
  int32_t TIFFFillOrder = 1;
  bool TIFFLittleEndian = true;

  // Palette as read (blue, green, red entries).
  std::vector<TRGB> ColorMap;
  int32_t ColorMapCount() const { return int32_t(ColorMap.size()); }
  void FreeColorMap() { ColorMap.clear(); }

  TIEMarkerList JpegMarkers;
  TIEIPTCInfoList IPTCInfoList;
  AnsiString XMPPacket;

  // Metadata blocks handed over by readers to objects of the record that this
  // structure does not hold; here they are dropped.
  virtual void LoadInputICCProfile(const uint8_t* data, int32_t length);
  virtual void LoadImagingAnnot(const uint8_t* data, int32_t length);

  // A record for one call's intermediate results (same owner as this one).
  virtual std::unique_ptr<TIEMetaParams> CreateTemporary() const;

  // ResetExifFields, then the first APP1 marker holding EXIF data is deleted.
  void ResetEXIF();

private:
  int32_t dpiX_ = 0;
  int32_t dpiY_ = 0;
  int32_t imageIndex_ = 0;
  int32_t imageCount_ = 0;
};
