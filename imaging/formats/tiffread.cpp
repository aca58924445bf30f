// The TIFF reader's entry point: header, page selection, the page's fields,
// its metadata blocks and EXIF (EXIF 2.3, 4.6), then the pixels.
#include <algorithm>
#include <cmath>
#include <functional>

#include "imaging/core/iebitmap.h"
#include "imaging/formats/tiffilt.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

constexpr int32_t kThumbnailLimit = 400;

// The BitsPerSample rule: absent 1, one value as it is, several only when all are equal.
bool ReadBitsPerSample(const TTIFFDirectory& dir, int32_t& bits) {
  const int32_t i = TIFFFindTag(dir, 258);
  if (i < 0) {
    bits = 1;
    return true;
  }
  if (dir.Entries[size_t(i)].Count <= 1) {
    bits = TIFFGetInteger(dir, 258, 1);
    return true;
  }
  const std::vector<int32_t> all = TIFFGetIntegerArray(dir, 258);
  if (all.empty()) {
    bits = TIFFGetIntegerAt(dir, 258, 0, 1);
    return true;
  }
  if (std::adjacent_find(all.begin(), all.end(), std::not_equal_to<>()) != all.end()) return false;
  bits = all.back();
  return true;
}

uint8_t CompressionCode(int32_t compression, int32_t t4Options) {
  switch (compression) {
    case 1: return itcNone;
    case 2: return itcCCITT1D;
    case 3: return (t4Options & 1) ? itcG3Fax2D : itcG3Fax1D;
    case 4: return itcG4Fax;
    case 5: return itcLZW;
    case 6: return itcOldJPEG;
    case 7: return itcJPEG;
    case 8: return itcDeflate;
    case 32773: return itcPackBits;
    case 32946: return itcZIP;
    default: return itcUnknown;
  }
}

// The tag's raw bytes from the value field, cut at the first NUL (reference letters of the GPS IFD).
AnsiString InlineLetters(const TTIFFDirectory& dir, uint16_t tag) {
  if (TIFFFindTag(dir, tag) < 0) return {};
  std::vector<uint8_t> raw = TIFFGetRawData(dir, tag);
  if (raw.size() > 4) raw.resize(4);
  AnsiString s(raw.begin(), raw.end());
  const size_t nul = s.find('\0');
  if (nul != AnsiString::npos) s.resize(nul);
  return s;
}

void ReadRationals(const TTIFFDirectory& dir, uint16_t tag, std::array<double, 3>& out, double def) {
  for (uint32_t i = 0; i < 3; ++i) out[i] = TIFFGetRationalAt(dir, tag, i, def);
}

void ReadUserComment(const TTIFFDirectory& dir, TIEMetaParams& p) {
  if (TIFFFindTag(dir, 37510) < 0) return;
  const std::vector<uint8_t> raw = TIFFGetRawData(dir, 37510);
  if (raw.size() < 9) {
    p.ExifUserCommentCode = AnsiString("UNICODE\0", 8);
    p.ExifUserComment.clear();
    return;
  }
  p.ExifUserCommentCode.assign(raw.begin(), raw.begin() + 8);
  // The text ends at its first NUL: writers add one (this library's too), and
  // keeping it would grow the comment by one NUL with every save and load.
  if (p.ExifUserCommentCode == AnsiString("UNICODE\0", 8)) {
    // In the file's byte order; an odd last byte makes one more unit.
    std::u16string text;
    for (size_t k = 8; k < raw.size(); k += 2) {
      const uint8_t a = raw[k], b = k + 1 < raw.size() ? raw[k + 1] : 0;
      const char16_t unit = dir.LittleEndian ? char16_t(a | (b << 8)) : char16_t((a << 8) | b);
      if (unit == 0) break;
      text.push_back(unit);
    }
    p.ExifUserComment = Utf16ToUtf8(text);
  } else {
    const auto nul = std::find(raw.begin() + 8, raw.end(), uint8_t(0));
    p.ExifUserComment.assign(raw.begin() + 8, nul);
  }
}

void ReadExifFields(const TTIFFDirectory& main, const TTIFFDirectory& exif, const TTIFFDirectory& gps,
                    TIEMetaParams& p, int64_t origin) {
  // IFD 0.
  p.ExifImageDescription = TIFFGetString(main, 270, true);
  p.ExifMake = TIFFGetString(main, 271, true);
  p.ExifModel = TIFFGetString(main, 272, true);
  p.ExifDateTime = TIFFGetString(main, 306, true);
  p.ExifSoftware = TIFFGetString(main, 305, true);
  p.ExifArtist = TIFFGetString(main, 315, true);
  p.ExifResolutionUnit = TIFFGetInteger(main, 296, p.ExifResolutionUnit);
  p.ExifRights = TIFFGetString(main, 33432, true);
  p.ExifRating = TIFFGetInteger(main, 18246, -1);
  p.ExifXPTitle = TIFFGetWideString(main, 40091);
  p.ExifXPComment = TIFFGetWideString(main, 40092);
  p.ExifXPAuthor = TIFFGetWideString(main, 40093);
  p.ExifXPKeywords = TIFFGetWideString(main, 40094);
  p.ExifXPSubject = TIFFGetWideString(main, 40095);
  for (uint32_t i = 0; i < 2; ++i) p.SetExifWhitePoint(int32_t(i), TIFFGetRationalAt(main, 318, i, -1));
  p.ExifYCbCrPositioning = TIFFGetInteger(main, 531, -1);
  for (uint32_t i = 0; i < 6; ++i) p.SetExifPrimaryChromaticities(int32_t(i), TIFFGetRationalAt(main, 319, i, -1));
  for (uint32_t i = 0; i < 3; ++i) p.SetExifYCbCrCoefficients(int32_t(i), TIFFGetRationalAt(main, 529, i, -1));
  for (uint32_t i = 0; i < 6; ++i) p.SetExifReferenceBlackWhite(int32_t(i), TIFFGetRationalAt(main, 532, i, -1));

  // Exif IFD.
  p.SetExifExposureTime(TIFFGetRational(exif, 33434, -1));
  p.SetExifFNumber(TIFFGetRational(exif, 33437, -1));
  p.SetExifExposureProgram(TIFFGetInteger(exif, 34850, -1));
  p.SetExifISOSpeedRatings(0, TIFFGetIntegerAt(exif, 34855, 0, 0));
  p.SetExifISOSpeedRatings(1, TIFFGetIntegerAt(exif, 34855, 1, 0));
  if (TIFFFindTag(exif, 36864) >= 0) {
    const std::vector<uint8_t> v = TIFFGetRawData(exif, 36864);
    p.ExifVersion.assign(v.begin(), v.begin() + std::min<size_t>(v.size(), 4));
  }
  p.ExifDateTimeOriginal = TIFFGetString(exif, 36867, true);
  p.ExifDateTimeDigitized = TIFFGetString(exif, 36868, true);
  p.SetExifCompressedBitsPerPixel(TIFFGetRational(exif, 37122, 0));
  p.SetExifShutterSpeedValue(TIFFGetRational(exif, 37377, -1));
  p.SetExifApertureValue(TIFFGetRational(exif, 37378, -1));
  p.SetExifBrightnessValue(TIFFGetRational(exif, 37379, -1000));
  p.SetExifExposureBiasValue(TIFFGetRational(exif, 37380, -1000));
  p.SetExifMaxApertureValue(TIFFGetRational(exif, 37381, -1000));
  p.SetExifSubjectDistance(TIFFGetRational(exif, 37382, -1));
  p.SetExifMeteringMode(TIFFGetInteger(exif, 37383, -1));
  p.SetExifLightSource(TIFFGetInteger(exif, 37384, -1));
  p.SetExifFlash(TIFFGetInteger(exif, 37385, -1));
  p.SetExifFocalLength(TIFFGetRational(exif, 37386, -1));
  p.ExifSubsecTime = TIFFGetString(exif, 37520, true);
  p.ExifSubsecTimeOriginal = TIFFGetString(exif, 37521, true);
  p.ExifSubsecTimeDigitized = TIFFGetString(exif, 37522, true);
  if (TIFFFindTag(exif, 40960) >= 0) {
    const std::vector<uint8_t> v = TIFFGetRawData(exif, 40960);
    p.ExifFlashPixVersion.assign(v.begin(), v.begin() + std::min<size_t>(v.size(), 4));
  }
  p.SetExifColorSpace(TIFFGetInteger(exif, 40961, -1));
  p.SetExifImageWidth(TIFFGetInteger(exif, 40962, 0));
  p.SetExifImageHeight(TIFFGetInteger(exif, 40963, 0));
  p.ExifRelatedSoundFile = TIFFGetString(exif, 40964, true);
  p.SetExifFocalPlaneXResolution(TIFFGetRational(exif, 41486, -1));
  p.SetExifFocalPlaneYResolution(TIFFGetRational(exif, 41487, -1));
  p.SetExifFocalPlaneResolutionUnit(TIFFGetInteger(exif, 41488, -1));
  p.SetExifExposureIndex(TIFFGetRational(exif, 41493, -1));
  p.SetExifSensingMethod(TIFFGetInteger(exif, 41495, -1));
  p.SetExifFileSource(TIFFGetInteger(exif, 41728, -1));
  p.SetExifSceneType(TIFFGetInteger(exif, 41729, -1));
  p.ExifExposureMode = TIFFGetInteger(exif, 41986, -1);
  p.ExifWhiteBalance = TIFFGetInteger(exif, 41987, -1);
  p.ExifDigitalZoomRatio = TIFFGetRational(exif, 41988, -1);
  p.ExifFocalLengthIn35mmFilm = TIFFGetInteger(exif, 41989, -1);
  p.ExifSceneCaptureType = TIFFGetInteger(exif, 41990, -1);
  p.ExifGainControl = TIFFGetInteger(exif, 41991, -1);
  p.ExifContrast = TIFFGetInteger(exif, 41992, -1);
  p.ExifSaturation = TIFFGetInteger(exif, 41993, -1);
  p.ExifSharpness = TIFFGetInteger(exif, 41994, -1);
  p.ExifSubjectDistanceRange = TIFFGetInteger(exif, 41996, -1);
  p.ExifImageUniqueID = TIFFGetString(exif, 42016, true);
  ReadUserComment(exif, p);

  p.ExifMakerNote.Clear();
  if (const int32_t i = TIFFFindTag(exif, 37500); i >= 0 && exif.Stream) {
    const TTIFFEntry& e = exif.Entries[size_t(i)];
    const int64_t at = exif.Base + e.Value;
    // A note of up to 4 bytes would stand in the entry itself: no maker writes one.
    if (e.Count > 4 && e.Count <= uint32_t(INT32_MAX) && at >= 0 && at < exif.Stream->Size()) {
      exif.Stream->Seek(at, soBeginning);
      p.ExifMakerNote.ReadFromStream(*exif.Stream, int32_t(e.Count), exif.LittleEndian, origin);
    }
  }

  // GPS IFD.
  if (TIFFFindTag(gps, 0) >= 0) p.ExifGPSVersionID = BytesToDottedText(TIFFGetRawData(gps, 0));
  p.ExifGPSLatitudeRef = InlineLetters(gps, 1);
  ReadRationals(gps, 2, p.ExifGPSLatitude, 0);
  p.ExifGPSLongitudeRef = InlineLetters(gps, 3);
  ReadRationals(gps, 4, p.ExifGPSLongitude, 0);
  if (TIFFFindTag(gps, 5) >= 0) p.ExifGPSAltitudeRef = IntToStr(TIFFGetInteger(gps, 5, 0));
  p.ExifGPSAltitude = TIFFGetRational(gps, 6, 0);
  ReadRationals(gps, 7, p.ExifGPSTimeStamp, 0);
  p.ExifGPSSatellites = TIFFGetString(gps, 8, true);
  p.ExifGPSStatus = InlineLetters(gps, 9);
  p.ExifGPSMeasureMode = InlineLetters(gps, 10);
  p.ExifGPSDOP = TIFFGetRational(gps, 11, 0);
  p.ExifGPSSpeedRef = InlineLetters(gps, 12);
  p.ExifGPSSpeed = TIFFGetRational(gps, 13, 0);
  p.ExifGPSTrackRef = InlineLetters(gps, 14);
  p.ExifGPSTrack = TIFFGetRational(gps, 15, 0);
  p.ExifGPSImgDirectionRef = InlineLetters(gps, 16);
  p.ExifGPSImgDirection = TIFFGetRational(gps, 17, 0);
  p.ExifGPSMapDatum = TIFFGetString(gps, 18, true);
  p.ExifGPSDestLatitudeRef = InlineLetters(gps, 19);
  ReadRationals(gps, 20, p.ExifGPSDestLatitude, 0);
  p.ExifGPSDestLongitudeRef = InlineLetters(gps, 21);
  ReadRationals(gps, 22, p.ExifGPSDestLongitude, 0);
  p.ExifGPSDestBearingRef = InlineLetters(gps, 23);
  p.ExifGPSDestBearing = TIFFGetRational(gps, 24, 0);
  p.ExifGPSDestDistanceRef = InlineLetters(gps, 25);
  p.ExifGPSDestDistance = TIFFGetRational(gps, 26, 0);
  p.ExifGPSDateStamp = TIFFGetString(gps, 29, true);
}

void ReadFields(const TTIFFDirectory& dir, TTIFFVars& v) {
  v.RowsPerStrip = std::min(TIFFGetInteger(dir, 278, v.ImageLength), v.ImageLength);
  if (v.RowsPerStrip == -1 || v.RowsPerStrip == 0) v.RowsPerStrip = v.ImageLength;
  v.Photometric = uint16_t(TIFFGetInteger(dir, 262, 2));
  v.PlanarConfig = uint16_t(TIFFGetInteger(dir, 284, 1));
  v.Orientation = uint16_t(TIFFGetInteger(dir, 274, 1));
  v.Compression = uint16_t(TIFFGetInteger(dir, 259, 1));
  v.ResolutionUnit = TIFFGetInteger(dir, 296, 2);
  v.XResolution = TIFFGetRational(dir, 282, IEDefaultDpiX);
  v.YResolution = TIFFGetRational(dir, 283, IEDefaultDpiY);
  v.Predictor = TIFFGetInteger(dir, 317, 1);
  v.T4Options = TIFFGetInteger(dir, 292, 0);
  v.T6Options = TIFFGetInteger(dir, 293, 0);
  v.FillOrder = TIFFGetInteger(dir, 266, 1);
  if (v.FillOrder != 1 && v.FillOrder != 2) v.FillOrder = 1;
  v.XPosition = TIFFGetRational(dir, 286, 0);
  v.YPosition = TIFFGetRational(dir, 287, 0);
  v.DocumentName = TIFFGetString(dir, 269, true);
  v.ImageDescription = TIFFGetString(dir, 270, true);
  v.PageName = TIFFGetString(dir, 285, true);
  v.PageNumber = TIFFGetIntegerAt(dir, 297, 0, 0);
  v.PageCount = TIFFGetIntegerAt(dir, 297, 1, 0);
  v.Software = TIFFGetString(dir, 305, true);
  v.InkSet = TIFFGetInteger(dir, 332, 1);
  v.NumberOfInks = TIFFGetInteger(dir, 334, 4);
  for (uint32_t i = 0; i < 8; ++i) v.DotRange[i] = TIFFGetIntegerAt(dir, 336, i, 0);
  v.Artist = TIFFGetString(dir, 315, true);
  v.YCbCrSubsampleHoriz = TIFFGetIntegerAt(dir, 530, 0, 0);
  v.YCbCrSubsampleVert = TIFFGetIntegerAt(dir, 530, 1, 0);
  if (v.YCbCrSubsampleHoriz == 0) v.YCbCrSubsampleHoriz = 2;
  if (v.YCbCrSubsampleVert == 0) v.YCbCrSubsampleVert = 2;
  v.JPEGProc = TIFFGetInteger(dir, 512, 0);
  v.JPEGInterchangeFormat = TIFFGetInteger(dir, 513, 0);
  v.JPEGInterchangeFormatLength = TIFFGetInteger(dir, 514, 0);
  v.JPEGRestartInterval = TIFFGetInteger(dir, 515, 0);
  const uint32_t tables = uint32_t(std::clamp(v.SamplesPerPixel, 0, 7));
  for (uint32_t i = 0; i < tables; ++i) {
    v.JPEGQTables[i] = TIFFGetIntegerAt(dir, 517, i, 0);
    v.JPEGDCTables[i] = TIFFGetIntegerAt(dir, 518, i, 0);
    v.JPEGACTables[i] = TIFFGetIntegerAt(dir, 519, i, 0);
    v.JPEGLosslessPredictors[i] = TIFFGetIntegerAt(dir, 520, i, 0);
    v.JPEGPointTransforms[i] = TIFFGetIntegerAt(dir, 521, i, 0);
  }
  if (v.SamplesPerPixel == 1 && v.BitsPerSample == 1 && v.Compression >= 1 && v.Compression <= 4 && v.Photometric == 2)
    v.Photometric = 0;
}

void ReadArrays(const TTIFFDirectory& dir, TTIFFVars& v) {
  v.StripOffsets = TIFFGetIntegerArray(dir, 273);
  v.StripByteCounts = TIFFGetIntegerArray(dir, 279);
  v.TileOffsets = TIFFGetIntegerArray(dir, 324);
  v.TileByteCounts = TIFFGetIntegerArray(dir, 325);
  v.JPEGTables = TIFFGetRawData(dir, 347);
  v.ExtraSample0 = TIFFGetInteger(dir, 338, 0);
  if (const int32_t i = TIFFFindTag(dir, 338); i >= 0) {
    v.ExtraSamplesCount = int32_t(std::min<uint32_t>(dir.Entries[size_t(i)].Count, 10));
    for (int32_t k = 0; k < v.ExtraSamplesCount; ++k) v.ExtraSamples[k] = TIFFGetIntegerAt(dir, 338, uint32_t(k), 0);
  }
  // Colour map: three runs (red, green, blue) of 2^BitsPerSample 16-bit values.
  if (v.BitsPerSample >= 1 && v.BitsPerSample <= 16) {
    const uint32_t n = 1u << v.BitsPerSample;
    const std::vector<int32_t> map = TIFFGetIntegerArray(dir, 320);
    if (map.size() >= size_t(n) * 3) {
      const bool eightBit = std::all_of(map.begin(), map.begin() + n * 3, [](int32_t x) { return x < 256; });
      auto sample = [&](uint32_t k) { return uint8_t(eightBit ? map[k] : (map[k] >> 8) & 0xFF); };
      v.ColorMap.resize(n);
      for (uint32_t k = 0; k < n; ++k) v.ColorMap[k] = TRGB{sample(2 * n + k), sample(n + k), sample(k)};
    }
    const std::vector<int32_t> transfer = TIFFGetIntegerArray(dir, 301);
    if (!transfer.empty()) {
      v.TransferFunction.assign(size_t(n) * 3, 0);
      for (size_t k = 0; k < v.TransferFunction.size() && k < transfer.size(); ++k)
        v.TransferFunction[k] = uint16_t(transfer[k]);
    }
  }
}

void ReadMetadataBlocks(const TTIFFDirectory& dir, TIEMetaParams& p) {
  if (const int32_t i = TIFFFindTag(dir, 33723); i >= 0) {
    const std::vector<uint8_t> iptc = TIFFGetRawData(dir, 33723);
    p.IPTCInfoList.LoadFromBuffer(iptc.data(), int32_t(iptc.size()));
  } else {
    p.IPTCInfoList.Clear();
  }
  if (const int32_t i = TIFFFindTag(dir, 700); i >= 0) {
    const uint16_t type = dir.Entries[size_t(i)].Type;
    if (type == tftByte || type == tftUndefined) {
      const std::vector<uint8_t> xmp = TIFFGetRawData(dir, 700);
      p.XMPPacket.assign(xmp.begin(), xmp.end());
    }
  }
  if (TIFFFindTag(dir, 32932) >= 0) {
    const std::vector<uint8_t> annot = TIFFGetRawData(dir, 32932);
    p.LoadImagingAnnot(annot.data(), int32_t(annot.size()));
  }
  if (TIFFFindTag(dir, 34675) >= 0) {
    const std::vector<uint8_t> icc = TIFFGetRawData(dir, 34675);
    p.LoadInputICCProfile(icc.data(), int32_t(icc.size()));
  }
}

void FillPageParams(const TTIFFVars& v, int32_t pageCount, TIEMetaParams& p) {
  p.BitsPerSample = v.BitsPerSample;
  p.SamplesPerPixel = v.SamplesPerPixel;
  p.Width = p.FullWidth = v.ImageWidth;
  p.Height = p.FullHeight = v.ImageLength;
  p.SetImageCount(pageCount);
  p.TIFFLittleEndian = v.LittleEndian;
  p.TIFFCompression = CompressionCode(v.Compression, v.T4Options);
  switch (v.Photometric) {
    case 0: p.TIFFPhotometric = itpWhiteIsZero; break;
    case 1: p.TIFFPhotometric = itpBlackIsZero; break;
    case 2: p.TIFFPhotometric = itpRGB; break;
    case 3: p.TIFFPhotometric = itpRGBPalette; break;
    case 4: p.TIFFPhotometric = itpTransparencyMask; break;
    case 5: p.TIFFPhotometric = itpCMYK; break;
    case 6: p.TIFFPhotometric = itpYCbCr; break;
    case 8: p.TIFFPhotometric = itpCIELab; break;
    default: break;
  }
  p.TIFFPlanarConfig = v.PlanarConfig;
  p.TIFFDocumentName = v.DocumentName;
  p.TIFFPageName = v.PageName;
  p.TIFFPageNumber = v.PageNumber;
  p.TIFFPageCount = v.PageCount;
  p.TIFFFillOrder = v.FillOrder;
  p.ColorMap = v.ColorMap;
}

// Resolution in dots per inch; a file that gives none (0) reports the library default.
void FillResolution(const TTIFFVars& v, TIEMetaParams& p, bool exifOnly) {
  const double factor = v.ResolutionUnit == 3 ? 2.54 : 1;
  const double x = v.XResolution * factor, y = v.YResolution * factor;
  if (exifOnly) {
    p.ExifXResolution = x;
    p.ExifYResolution = y;
    return;
  }
  auto rounded = [](double d, int32_t def) {
    const double r = std::isfinite(d) ? std::nearbyint(std::clamp(d, -2147483648.0, 2147483647.0)) : 0;
    return r == 0 ? def : int32_t(r);
  };
  // The exact values stay in the EXIF resolution; the integer ones are rounded (halves to even).
  p.SetDpiXFloat(x);
  p.SetDpiYFloat(y);
  p.SetDpiX(rounded(x, IEDefaultDpiX));
  p.SetDpiY(rounded(y, IEDefaultDpiY));
  p.ExifXResolution = x;
  p.ExifYResolution = y;
  auto truncated = [](double d) {
    return std::isfinite(d) ? int32_t(std::trunc(std::clamp(d, -2147483648.0, 2147483647.0))) : 0;
  };
  p.TIFFXPos = truncated(v.XPosition * factor);
  p.TIFFYPos = truncated(v.YPosition * factor);
}

}  // namespace

void ReadTIFFStream(TIEBitmap* bitmap, TStream& stream, int32_t& pageCount, TIEMetaParams& params,
                    TIECodecProgress& progress, bool preview, TIEMask*& alphaMask, bool translateBase,
                    bool ignoreAlpha, bool isExifThumb, bool isExifData) {
  TTIFFVars v;
  const int64_t start = stream.Position();
  const int64_t base = translateBase ? start : 0;
  pageCount = 0;

  TIEBoundedReader in(stream);
  uint8_t h[8] = {};
  in.ReadAt(start, h, std::min<int64_t>(8, std::max<int64_t>(0, in.Size() - start)));
  const bool little = h[0] == 'I' && h[1] == 'I';
  if (!little && !(h[0] == 'M' && h[1] == 'M')) {
    progress.Abort();
    return;
  }
  uint32_t first = 0;
  in.ReadU32(start + 4, !little, first);
  if (first == 0) return;

  TTIFFDirectory main;
  main.LittleEndian = little;
  main.Stream = &stream;
  main.Base = base;
  if (!TIFFReadIFD(params.TIFFImageIndex, first, main, pageCount)) return;

  if (params.TIFFSubIndex >= 0) {
    const int32_t sub = TIFFGetIntegerAt(main, 330, uint32_t(params.TIFFSubIndex), 0);
    TTIFFDirectory subDir = main;
    int32_t unused;
    if (sub != 0 && TIFFReadIFD(0, uint32_t(sub), subDir, unused)) main = std::move(subDir);
  }

  // The Exif and GPS IFDs count from the same base as the chain they hang off.
  TTIFFDirectory exif, gps;
  exif.LittleEndian = gps.LittleEndian = little;
  exif.Stream = gps.Stream = &stream;
  exif.Base = gps.Base = base;
  if (TIFFFindTag(main, 34665) >= 0) {
    TIFFReadSingleIFD(uint32_t(TIFFGetInteger(main, 34665, 0)), exif);
    params.HasExif = true;
  } else if (isExifData) {
    exif = main;
  }
  if (TIFFFindTag(main, 34853) >= 0) TIFFReadSingleIFD(uint32_t(TIFFGetInteger(main, 34853, 0)), gps);

  if (params.TIFFTileIndex == -1) {
    v.ImageWidth = TIFFGetInteger(main, 256, 0);
    v.ImageLength = TIFFGetInteger(main, 257, 0);
  } else {
    v.ImageWidth = TIFFGetInteger(main, 322, 0);
    v.ImageLength = TIFFGetInteger(main, 323, 0);
  }
  v.TileWidth = TIFFGetInteger(main, 322, -1);
  v.TileLength = TIFFGetInteger(main, 323, -1);
  v.SamplesPerPixel = TIFFGetInteger(main, 277, 1);
  if (!ReadBitsPerSample(main, v.BitsPerSample)) {
    progress.Abort();
    return;
  }
  ReadFields(main, v);
  v.LittleEndian = little;
  v.IOParams = &params;
  v.AlphaMask = alphaMask;
  v.IgnoreAlpha = ignoreAlpha;
  v.LZWDecoder = IETIFFLZWDecode;
  ReadArrays(main, v);

  params.TIFFImageDescription = v.ImageDescription;
  params.SetTIFFOrientation(v.Orientation);
  params.SetExifOrientation(v.Orientation);
  if (!isExifData) {
    ReadMetadataBlocks(main, params);
    FillPageParams(v, pageCount, params);
  }
  ReadExifFields(main, exif, gps, params, base);
  FillResolution(v, params, isExifData);

  if (isExifData) return;
  if ((v.ImageWidth == 0 || v.ImageLength == 0) && !isExifThumb) {
    progress.Abort();
    return;
  }
  if (v.Compression == 5 && !v.LZWDecoder) {
    progress.Abort();
    return;
  }
  if (preview) return;
  if (isExifThumb && (v.ImageWidth > kThumbnailLimit || v.ImageLength > kThumbnailLimit)) {
    progress.Abort();
    return;
  }
  if (!bitmap) {
    progress.Abort();
    return;
  }
  TIFFDecodePage(*bitmap, v, stream, base, progress, isExifThumb);
  alphaMask = v.AlphaMask;
}
