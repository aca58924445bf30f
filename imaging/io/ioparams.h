// TIOParamsVals: everything the library knows about one image file beyond its
// pixels: size, resolution, file type and page, the options of every format's
// reader and writer, and the metadata (JPEG markers, IPTC, XMP, DICOM tags,
// ICC profiles, imaging annotations, the EXIF block).
//
// Each load-and-save component owns one; readers fill it and writers read it.
// The EXIF block and the fields the TIFF directory reader fills live in the
// base TIEMetaParams (imaging/metadata/ieexifparams.h) under the same names; this
// record adds the rest and overrides the base's virtual members to keep its
// own copies of the image index and count, reach its owner's view, and hand
// ICC profiles and annotations to its objects.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "imaging/core/iebitmap.h"
#include "imaging/metadata/ieannot.h"
#include "imaging/metadata/iedicomtags.h"
#include "imaging/metadata/ieexifparams.h"
#include "imaging/metadata/ieicc.h"
#include "platform/classes/strings.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/types.h"

class TIOParamsVals;
class TStream;
class TVovidErIO;  // the load-and-save component that owns a record

// Codec procedures of the GIF and TIFF readers and writers. The format units
// install the library's own in the globals below when the I/O unit starts;
// every record takes them as its defaults.
//
// TIFF decoder: returns the next rowBytes decoded bytes of the strip of
// dataSize bytes at data, or null on failure; a null state starts the strip,
// null data releases the state.
using TTIFFLZWDecompressProc = uint8_t* (*)(const uint8_t* data, int32_t dataSize, int32_t rowBytes, void*& state,
                                            int32_t fillOrder);
// TIFF encoder: appends count bytes of one strip to its code stream on the
// stream; a null state starts the strip, null data finishes it and releases the state.
using TTIFFLZWCompressProc = void (*)(const uint8_t* data, int32_t count, TStream& stream, void*& state);
// GIF decoder: the LZW data sub-blocks at the stream's position into count
// palette indexes, starting from the minimum code size; false on bad data.
using TGIFLZWDecompressProc = bool (*)(TStream& stream, int32_t minCodeSize, uint8_t* indexes, int32_t count);
// GIF encoder: count palette indexes of bitsPerPixel as the code-size byte and the LZW data sub-blocks.
using TGIFLZWCompressProc = void (*)(TStream& stream, const uint8_t* indexes, int32_t count, int32_t bitsPerPixel);

extern TTIFFLZWDecompressProc IEDefTIFFLZWDecompress;
extern TTIFFLZWCompressProc IEDefTIFFLZWCompress;
extern TGIFLZWDecompressProc IEDefGIFLZWDecompress;
extern TGIFLZWCompressProc IEDefGIFLZWCompress;

// What a record asks of the view its owning component is attached to; the
// view unit fills it when it starts (the slot table is in ieinit.h).
struct TIOParamsOwnerHooks {
  // When the owner's view is a TVovidErView: lock its updates, set its
  // horizontal (or vertical) resolution, unlock without refresh; else nothing.
  void (*SetViewDpi)(TVovidErIO* owner, bool vertical, int32_t dpi) = nullptr;
};
extern TIOParamsOwnerHooks IEParamsOwnerHooks;
// Calls the slot; raises EIESlotNotInstalled when it is empty.
void IEParamsSetViewDpi(TVovidErIO* owner, bool vertical, int32_t dpi);

// Installs the colour-managed row conversion of this unit as
// IEColorRowProfileTransform (ierowconv.h); records do it when first made.
void IEInstallColorRowProfileTransform();
// Converts a row through the record's source profile (its input profile when
// that is valid or there is no default profile, else the default profile) to
// its output profile, when the source is valid and not yet applied and the
// output profile is valid. True when it did.
bool IEParamsColorRowTransform(TIOParamsVals& params, const void* source, int32_t sourceLayout, void* dest,
                               int32_t destLayout, int32_t count);

// A width and height of an icon image to write.
struct TIOIconSize {
  int32_t Width = 0;
  int32_t Height = 0;
  friend constexpr bool operator==(const TIOIconSize&, const TIOIconSize&) = default;
};

// The plain fields of TIOParamsVals, each with its default: a record built
// with {} is what SetDefaultParams leaves (the LZW procedures are the
// library's installed at that moment, TGADateTime today), and Assign copies it
// whole, so neither can miss a field. Owned objects, the owner and whatever
// TIEMetaParams holds stay outside.
struct TIOParamsFields {
  // ---- General (BitsPerSample, SamplesPerPixel, Width, Height, FullWidth,
  // FullHeight, DpiX, DpiY, ImageIndex, ImageCount in TIEMetaParams) ----
  std::string FileName;  // UTF-8; empty after a stream load
  int32_t FileType = 0;
  // Icon and cursor readers read one bare image entry instead of a file.
  bool IconResourceData = false;

  // ---- TIFF (the rest in the base) ----
  TTIFFLZWDecompressProc TIFFLZWDecompress = IEDefTIFFLZWDecompress;
  TTIFFLZWCompressProc TIFFLZWCompress = IEDefTIFFLZWCompress;
  bool TIFFApplyOrientation = false;
  int32_t TIFFJpegQuality = 80;
  uint8_t TIFFJpegColorSpace = 2;

  // ---- DCX and GIF ----
  int32_t DCXImageIndex = 0;
  AnsiString GIFVersion = "GIF89a";
  int32_t GIFImageIndex = 0;
  int32_t GIFXPos = 0;
  int32_t GIFYPos = 0;
  int32_t GIFDelayTime = 0;  // 1/100 s
  bool GIFTransparent = false;
  TRGB GIFTranspColor{};
  bool GIFInterlaced = false;
  int32_t GIFWinWidth = 0;
  int32_t GIFWinHeight = 0;
  TRGB GIFBackground{};
  uint8_t GIFAction = 2;  // disposal
  TGIFLZWDecompressProc GIFLZWDecompress = IEDefGIFLZWDecompress;
  TGIFLZWCompressProc GIFLZWCompress = IEDefGIFLZWCompress;
  int32_t GIFImageCount = 0;

  // ---- JPEG (JpegMarkers in the base) ----
  uint8_t JpegColorSpace = 2;      // 0 RGB, 1 gray, 2 YCbCr, 3 CMYK, 4 YCCK
  int32_t JpegQuality = 80;
  uint8_t JpegDCTMethod = 0;       // 0 accurate integer, 1 fast integer, 2 float
  uint8_t JpegChromaSampling = 1;  // 0 = 2 x 1, 1 = 2 x 2, 2 = 1 x 1
  bool JpegOptimizeHuffman = false;
  int32_t JpegSmoothing = 0;
  bool JpegProgressive = false;
  uint8_t JpegScale = 1;  // 0 automatic from Width and Height, 1 full, 2 half, 3 quarter, 4 eighth
  int32_t JpegScaleDenominator = 1;
  int32_t JpegWarningCount = 0;  // these two and MediaFrameDelay survive SetDefaultParams
  int32_t JpegLastWarningCode = 0;
  bool JpegApplyExifOrientation = false;
  bool JpegLoadExifThumbnail = false;

  // ---- Other formats ----
  uint8_t J2000ColorSpace = 1;  // 0 gray, 1 RGB, 2 YCbCr
  double J2000Rate = 1.0;
  uint8_t J2000ProgressionOrder = 0;  // 0 " prg=lrcp", 1 " prg=rlcp", other none
  int32_t PCXVersion = 5;
  uint8_t PCXCompression = 1;  // 0 none, 1 RLE
  uint8_t BMPVersion = 1;      // 0, 1 info header, 2 core header, 3 the 64-byte header
  uint8_t BMPCompression = 0;  // 0 none, 1 RLE
  bool BMPAlphaOption = false;
  int32_t ICOImageIndex = 0;
  TRGB ICOBackground{255, 255, 255};
  int32_t CURImageIndex = 0;
  int32_t CURXHotSpot = 0;
  int32_t CURYHotSpot = 0;
  TRGB CURBackground{255, 255, 255};
  bool PNGInterlaced = false;
  TRGB PNGBackground{};
  uint8_t PNGFilter = 0;
  int32_t PNGCompression = 5;
  int32_t TGAXPos = 0;
  int32_t TGAYPos = 0;
  bool TGACompressed = true;
  AnsiString TGADescription;
  AnsiString TGAAuthor;
  TDateTime TGADateTime = Date();
  AnsiString TGAImageName;
  TRGB TGABackground{};
  double TGAAspectRatio = 1.0;
  double TGAGamma = 2.2;
  bool TGAGrayLevel = false;
  int32_t AVIFrameCount = 0;
  int32_t AVIFrameDelay = 0;
  int32_t MediaFrameCount = 0;
  int32_t MediaFrameDelay = 0;
  int32_t PSPaperWidth = 595;
  int32_t PSPaperHeight = 842;
  uint8_t PSCompression = 1;
  AnsiString PSTitle = "No Title";
  int32_t PDFPaperWidth = 595;
  int32_t PDFPaperHeight = 842;
  uint8_t PDFCompression = 2;
  AnsiString PDFTitle;
  AnsiString PDFAuthor;
  AnsiString PDFSubject;
  AnsiString PDFKeywords;
  AnsiString PDFCreator;
  AnsiString PDFProducer;
  bool RawDecodeHalfSize = false;
  double RawGamma = 0.6;
  double RawBrightness = 1.0;
  double RawRedScale = 1.0;
  double RawBlueScale = 1.0;
  bool RawAutoWhiteBalance = false;
  bool RawCameraWhiteBalance = false;
  bool RawFourColorRGB = false;
  AnsiString RawCameraName;
  bool RawMatchPreviewColors = false;
  bool RawPixelsBlueFirst = false;
  uint8_t RawPixelsPlanar = 0;       // 0 interleaved, 1 one plane per channel
  int32_t RawPixelsRowAlign = 8;     // bits
  int32_t RawPixelsHeaderSize = 0;
  uint8_t RawPixelsDataFormat = 0;   // 0 binary, 1 decimal text, 2 hexadecimal text
  bool PSDLoadLayers = false;
  bool PSDReplaceLayers = true;
  double HDPQuality = 0.9;
  bool HDPLossless = false;
  bool NativePixelFormat = false;
  std::array<TIOIconSize, 16> ICOSizes{{{64, 64}}};
  std::array<int32_t, 16> ICOBitCount{8};


  friend bool operator==(const TIOParamsFields&, const TIOParamsFields&) = default;

protected:
  // Behind setters that keep their copies (JpegLoadExifThumbnail) in step.
  bool loadThumbnail_ = false;
  bool rawUseEmbeddedPreview_ = false;
};

class TIOParamsVals final : public TIEMetaParams, public TIOParamsFields {
public:
  explicit TIOParamsVals(TVovidErIO* owner = nullptr);
  ~TIOParamsVals() override;
  TIOParamsVals(const TIOParamsVals&) = delete;
  TIOParamsVals& operator=(const TIOParamsVals&) = delete;

  // Every field to its default (see the .cpp for the order of the side effects).
  void SetDefaultParams();
  // Clears what the last load read (metadata, annotations, the input profile);
  // sizes, resolution, file name and type and every format option stay.
  void ResetInfo();
  // A deep copy of every field of source except OwnerIO. Null: nothing.
  void Assign(const TIOParamsVals* source);

  // The plain fields alone.
  TIOParamsFields& Fields() { return *this; }
  const TIOParamsFields& Fields() const { return *this; }

  // Setters keeping related fields together.
  void SetDpiX(int32_t v) override;
  void SetDpiY(int32_t v) override;
  void SetImageIndex(int32_t v) override;
  void SetImageCount(int32_t v) override;
  bool LoadThumbnail() const { return loadThumbnail_; }
  // Also JpegLoadExifThumbnail.
  void SetLoadThumbnail(bool v);
  bool RawUseEmbeddedPreview() const { return rawUseEmbeddedPreview_; }
  void SetRawUseEmbeddedPreview(bool v) { rawUseEmbeddedPreview_ = v; }

  // Owned objects made on first use. The output profile starts as sRGB.
  TIEICC* InputICCProfile() const { return inputICCProfile_.get(); }
  TIEICC* OutputICCProfile() const { return outputICCProfile_.get(); }
  TIEICC* DefaultICCProfile() const { return defaultICCProfile_.get(); }
  TIEImagingAnnot* ImagingAnnot() const { return imagingAnnot_.get(); }
  TIEICC* GetInputICCProfile();
  TIEICC* GetOutputICCProfile();
  TIEICC* GetDefaultICCProfile();
  TIEImagingAnnot* GetImagingAnnot();

  // ExifThumbnail becomes the owner's target resampled to 160 pixels wide
  // (triangle filter, the aspect kept). Nothing without an owner with a
  // target.
  void UpdateExifThumbnail();

  void LoadInputICCProfile(const uint8_t* data, int32_t length) override;
  void LoadImagingAnnot(const uint8_t* data, int32_t length) override;
  // A record with the same owner and defaults that never touches the owner's view.
  std::unique_ptr<TIEMetaParams> CreateTemporary() const override;

  // ---- Owned objects and the owner ----
  TVovidErIO* OwnerIO = nullptr;
  std::unique_ptr<TStringList> GIFComments;
  std::unique_ptr<TStringList> PNGTextKeys;
  std::unique_ptr<TStringList> PNGTextValues;
  TIEDICOMTags DICOMTags;
  std::unique_ptr<TStringList> PXMComments;

private:
  bool temporary_ = false;
  std::unique_ptr<TIEImagingAnnot> imagingAnnot_;
  std::unique_ptr<TIEICC> inputICCProfile_;
  std::unique_ptr<TIEICC> outputICCProfile_;
  std::unique_ptr<TIEICC> defaultICCProfile_;
};
