#include "imaging/io/ioparams.h"

#include <algorithm>
#include <climits>

#include "imaging/core/ieconvert.h"
#include "imaging/core/ieexif.h"
#include "imaging/core/iegeometry.h"
#include "imaging/core/ieinit.h"
#include "imaging/core/ieresample.h"
#include "imaging/core/ierowconv.h"
#include "imaging/io/vovideriocomp.h"

TTIFFLZWDecompressProc IEDefTIFFLZWDecompress = nullptr;
TTIFFLZWCompressProc IEDefTIFFLZWCompress = nullptr;
TGIFLZWDecompressProc IEDefGIFLZWDecompress = nullptr;
TGIFLZWCompressProc IEDefGIFLZWCompress = nullptr;
TIOParamsOwnerHooks IEParamsOwnerHooks;

namespace {

constexpr int32_t kExifThumbnailWidth = 160;

// A copy of source's object in target (made when missing), or none when source has none.
template <class T>
void AssignOwned(std::unique_ptr<T>& target, const T* source, T* (TIOParamsVals::*make)(), TIOParamsVals& self) {
  if (!source) {
    target.reset();
    return;
  }
  (self.*make)()->Assign(source);
}

}  // namespace

bool IEParamsColorRowTransform(TIOParamsVals& params, const void* source, int32_t sourceLayout, void* dest,
                               int32_t destLayout, int32_t count) {
  TIEICC* input = params.InputICCProfile();
  TIEICC* profile = !params.DefaultICCProfile() || (input && input->IsValid()) ? input : params.DefaultICCProfile();
  if (!profile || !profile->IsValid() || profile->Applied) return false;
  TIEICC* output = params.GetOutputICCProfile();
  if (!output->IsValid()) return false;
  return profile->Transform(*output, sourceLayout, destLayout, 0, 0, source, dest, count);
}

void IEInstallColorRowProfileTransform() { IEColorRowProfileTransform = &IEParamsColorRowTransform; }

TIOParamsVals::TIOParamsVals(TVovidErIO* owner)
    : OwnerIO(owner),
      GIFComments(std::make_unique<TStringList>()),
      PNGTextKeys(std::make_unique<TStringList>()),
      PNGTextValues(std::make_unique<TStringList>()),
      PXMComments(std::make_unique<TStringList>()) {
  // The row conversion can only reach profiles through a record, so the first record installs it
  // (once: records are also made on worker threads).
  static const bool installed = [] {
    if (!IEColorRowProfileTransform) IEInstallColorRowProfileTransform();
    return true;
  }();
  (void)installed;
  SetDefaultParams();
}

TIOParamsVals::~TIOParamsVals() = default;

void TIOParamsVals::SetDefaultParams() {
  FreeColorMap();
  FileName.clear();
  FileType = 0;
  BitsPerSample = 8;
  SamplesPerPixel = 3;
  NativePixelFormat = false;
  if (OwnerIO) {
    if (TIEBitmap* target = OwnerIO->IEBitmap()) {
      Width = target->GetWidth();
      Height = target->GetHeight();
    }
    SetDpiX(IEDefaultDpiX);
    SetDpiY(IEDefaultDpiY);
  }
  SetLoadThumbnail(false);
  IconResourceData = false;
  FullWidth = 0;
  FullHeight = 0;

  TIFFCompression = 0;
  SetImageIndex(0);
  SetImageCount(0);
  TIFFSubIndex = -1;
  TIFFPhotometric = 2;
  TIFFPlanarConfig = 1;
  TIFFXPos = 0;
  TIFFYPos = 0;
  TIFFTileIndex = -1;
  TIFFDocumentName.clear();
  TIFFImageDescription.clear();
  TIFFPageName.clear();
  TIFFPageNumber = -1;
  TIFFPageCount = -1;
  SetTIFFOrientation(1);
  TIFFLZWDecompress = IEDefTIFFLZWDecompress;
  TIFFLZWCompress = IEDefTIFFLZWCompress;
  TIFFApplyOrientation = false;
  TIFFJpegQuality = 80;
  TIFFJpegColorSpace = 2;
  TIFFFillOrder = 1;
  TIFFLittleEndian = true;

  GIFVersion = "GIF89a";
  GIFXPos = 0;
  GIFYPos = 0;
  GIFDelayTime = 0;
  GIFTransparent = false;
  GIFTranspColor = TRGB{};
  GIFInterlaced = false;
  GIFWinWidth = 0;
  GIFWinHeight = 0;
  GIFBackground = TRGB{};
  GIFAction = 2;
  GIFLZWDecompress = IEDefGIFLZWDecompress;
  GIFLZWCompress = IEDefGIFLZWCompress;

  JpegColorSpace = 2;
  JpegQuality = 80;
  JpegDCTMethod = 0;
  JpegChromaSampling = 1;
  JpegOptimizeHuffman = false;
  JpegSmoothing = 0;
  JpegProgressive = false;
  JpegScale = 1;
  JpegScaleDenominator = 1;
  JpegApplyExifOrientation = false;

  J2000ColorSpace = 1;
  J2000Rate = 1.0;
  J2000ProgressionOrder = 0;
  PCXVersion = 5;
  PCXCompression = 1;
  BMPVersion = 1;
  BMPCompression = 0;
  BMPAlphaOption = false;
  ICOBackground = TRGB{255, 255, 255};
  CURXHotSpot = 0;
  CURYHotSpot = 0;
  CURBackground = TRGB{255, 255, 255};
  PNGInterlaced = false;
  PNGBackground = TRGB{};
  PNGFilter = 0;
  PNGCompression = 5;
  TGAXPos = 0;
  TGAYPos = 0;
  TGACompressed = true;
  TGADescription.clear();
  TGAAuthor.clear();
  TGADateTime = Date();
  TGAImageName.clear();
  TGABackground = TRGB{};
  TGAAspectRatio = 1.0;
  TGAGamma = 2.2;
  TGAGrayLevel = false;

  IPTCInfoList.Clear();
  PXMComments->Clear();
  // After this the EXIF orientation is 0 while the TIFF orientation stays 1.
  ResetEXIF();
  AVIFrameDelay = 0;

  PSPaperWidth = 595;
  PSPaperHeight = 842;
  PSCompression = 1;
  PSTitle = "No Title";
  PDFPaperWidth = 595;
  PDFPaperHeight = 842;
  PDFCompression = 2;
  PDFTitle.clear();
  PDFAuthor.clear();
  PDFSubject.clear();
  PDFKeywords.clear();
  PDFCreator.clear();
  PDFProducer.clear();
  imagingAnnot_.reset();
  inputICCProfile_.reset();
  outputICCProfile_.reset();
  defaultICCProfile_.reset();

  RawDecodeHalfSize = false;
  RawGamma = 0.6;
  RawBrightness = 1.0;
  RawRedScale = 1.0;
  RawBlueScale = 1.0;
  RawAutoWhiteBalance = false;
  RawCameraWhiteBalance = false;
  RawFourColorRGB = false;
  RawCameraName.clear();
  SetRawUseEmbeddedPreview(false);
  RawMatchPreviewColors = false;
  RawPixelsBlueFirst = false;
  RawPixelsPlanar = 0;
  RawPixelsRowAlign = 8;
  RawPixelsHeaderSize = 0;
  RawPixelsDataFormat = 0;
  PSDLoadLayers = false;
  PSDReplaceLayers = true;
  HDPQuality = 0.9;
  HDPLossless = false;
  ICOSizes.fill(TIOIconSize{});
  ICOSizes[0] = TIOIconSize{64, 64};
  ICOBitCount.fill(0);
  ICOBitCount[0] = 8;
  XMPPacket.clear();
}

void TIOParamsVals::ResetInfo() {
  IPTCInfoList.Clear();
  imagingAnnot_.reset();
  JpegMarkers.Clear();
  ResetEXIF();
  GIFComments->Clear();
  DICOMTags.Clear();
  PNGTextKeys->Clear();
  PNGTextValues->Clear();
  TIFFDocumentName.clear();
  TIFFImageDescription.clear();
  TIFFPageName.clear();
  TGADescription.clear();
  TGAAuthor.clear();
  TGAImageName.clear();
  PXMComments->Clear();
  XMPPacket.clear();
  inputICCProfile_.reset();
}

void TIOParamsVals::Assign(const TIOParamsVals* source) {
  if (!source || source == this) return;
  const TIOParamsVals& s = *source;
  BitsPerSample = s.BitsPerSample;
  FileName = s.FileName;
  SamplesPerPixel = s.SamplesPerPixel;
  Width = s.Width;
  Height = s.Height;
  // Through the setters, so that an attached view follows.
  SetDpiX(s.DpiX());
  SetDpiY(s.DpiY());
  FileType = s.FileType;
  SetImageIndex(s.ImageIndex());
  SetImageCount(s.ImageCount());
  SetLoadThumbnail(s.LoadThumbnail());
  IconResourceData = s.IconResourceData;
  FullWidth = s.FullWidth;
  FullHeight = s.FullHeight;

  TIFFCompression = s.TIFFCompression;
  TIFFImageIndex = s.TIFFImageIndex;
  TIFFSubIndex = s.TIFFSubIndex;
  TIFFPhotometric = s.TIFFPhotometric;
  TIFFPlanarConfig = s.TIFFPlanarConfig;
  TIFFXPos = s.TIFFXPos;
  TIFFYPos = s.TIFFYPos;
  TIFFTileIndex = s.TIFFTileIndex;
  TIFFDocumentName = s.TIFFDocumentName;
  TIFFImageDescription = s.TIFFImageDescription;
  TIFFPageName = s.TIFFPageName;
  TIFFPageNumber = s.TIFFPageNumber;
  TIFFPageCount = s.TIFFPageCount;
  SetTIFFOrientation(s.TIFFOrientation());
  TIFFLZWDecompress = s.TIFFLZWDecompress;
  TIFFLZWCompress = s.TIFFLZWCompress;
  TIFFApplyOrientation = s.TIFFApplyOrientation;
  TIFFJpegQuality = s.TIFFJpegQuality;
  TIFFJpegColorSpace = s.TIFFJpegColorSpace;
  TIFFImageCount = s.TIFFImageCount;
  TIFFFillOrder = s.TIFFFillOrder;
  TIFFLittleEndian = s.TIFFLittleEndian;

  DCXImageIndex = s.DCXImageIndex;
  GIFVersion = s.GIFVersion;
  GIFImageIndex = s.GIFImageIndex;
  GIFXPos = s.GIFXPos;
  GIFYPos = s.GIFYPos;
  GIFDelayTime = s.GIFDelayTime;
  GIFTransparent = s.GIFTransparent;
  GIFTranspColor = s.GIFTranspColor;
  GIFInterlaced = s.GIFInterlaced;
  GIFWinWidth = s.GIFWinWidth;
  GIFWinHeight = s.GIFWinHeight;
  GIFBackground = s.GIFBackground;
  GIFComments->Assign(s.GIFComments.get());
  GIFAction = s.GIFAction;
  GIFLZWDecompress = s.GIFLZWDecompress;
  GIFLZWCompress = s.GIFLZWCompress;
  GIFImageCount = s.GIFImageCount;

  JpegColorSpace = s.JpegColorSpace;
  JpegQuality = s.JpegQuality;
  JpegDCTMethod = s.JpegDCTMethod;
  JpegChromaSampling = s.JpegChromaSampling;
  JpegOptimizeHuffman = s.JpegOptimizeHuffman;
  JpegSmoothing = s.JpegSmoothing;
  JpegProgressive = s.JpegProgressive;
  JpegScale = s.JpegScale;
  JpegMarkers.Assign(&s.JpegMarkers);
  JpegScaleDenominator = s.JpegScaleDenominator;
  JpegWarningCount = s.JpegWarningCount;
  JpegLastWarningCode = s.JpegLastWarningCode;
  JpegApplyExifOrientation = s.JpegApplyExifOrientation;
  JpegLoadExifThumbnail = s.JpegLoadExifThumbnail;

  J2000ColorSpace = s.J2000ColorSpace;
  J2000Rate = s.J2000Rate;
  J2000ProgressionOrder = s.J2000ProgressionOrder;
  PCXVersion = s.PCXVersion;
  PCXCompression = s.PCXCompression;
  BMPVersion = s.BMPVersion;
  BMPCompression = s.BMPCompression;
  BMPAlphaOption = s.BMPAlphaOption;
  ICOImageIndex = s.ICOImageIndex;
  ICOBackground = s.ICOBackground;
  CURImageIndex = s.CURImageIndex;
  CURXHotSpot = s.CURXHotSpot;
  CURYHotSpot = s.CURYHotSpot;
  CURBackground = s.CURBackground;
  PNGInterlaced = s.PNGInterlaced;
  PNGBackground = s.PNGBackground;
  PNGFilter = s.PNGFilter;
  PNGCompression = s.PNGCompression;
  PNGTextKeys->Assign(s.PNGTextKeys.get());
  PNGTextValues->Assign(s.PNGTextValues.get());
  DICOMTags.Assign(s.DICOMTags);
  TGAXPos = s.TGAXPos;
  TGAYPos = s.TGAYPos;
  TGACompressed = s.TGACompressed;
  TGADescription = s.TGADescription;
  TGAAuthor = s.TGAAuthor;
  TGADateTime = s.TGADateTime;
  TGAImageName = s.TGAImageName;
  TGABackground = s.TGABackground;
  TGAAspectRatio = s.TGAAspectRatio;
  TGAGamma = s.TGAGamma;
  TGAGrayLevel = s.TGAGrayLevel;
  IPTCInfoList.Assign(&s.IPTCInfoList);
  AssignOwned(imagingAnnot_, s.imagingAnnot_.get(), &TIOParamsVals::GetImagingAnnot, *this);
  PXMComments->Assign(s.PXMComments.get());
  IECopyEXIFParams(s, *this, true);
  // The EXIF copy set the TIFF orientation from the EXIF one.
  SetTIFFOrientation(s.TIFFOrientation());
  AVIFrameCount = s.AVIFrameCount;
  AVIFrameDelay = s.AVIFrameDelay;
  MediaFrameCount = s.MediaFrameCount;
  MediaFrameDelay = s.MediaFrameDelay;
  PSPaperWidth = s.PSPaperWidth;
  PSPaperHeight = s.PSPaperHeight;
  PSCompression = s.PSCompression;
  PSTitle = s.PSTitle;
  PDFPaperWidth = s.PDFPaperWidth;
  PDFPaperHeight = s.PDFPaperHeight;
  PDFCompression = s.PDFCompression;
  PDFTitle = s.PDFTitle;
  PDFAuthor = s.PDFAuthor;
  PDFSubject = s.PDFSubject;
  PDFKeywords = s.PDFKeywords;
  PDFCreator = s.PDFCreator;
  PDFProducer = s.PDFProducer;
  RawDecodeHalfSize = s.RawDecodeHalfSize;
  RawGamma = s.RawGamma;
  RawBrightness = s.RawBrightness;
  RawRedScale = s.RawRedScale;
  RawBlueScale = s.RawBlueScale;
  RawAutoWhiteBalance = s.RawAutoWhiteBalance;
  RawCameraWhiteBalance = s.RawCameraWhiteBalance;
  RawFourColorRGB = s.RawFourColorRGB;
  RawCameraName = s.RawCameraName;
  SetRawUseEmbeddedPreview(s.RawUseEmbeddedPreview());
  RawMatchPreviewColors = s.RawMatchPreviewColors;
  RawPixelsBlueFirst = s.RawPixelsBlueFirst;
  RawPixelsPlanar = s.RawPixelsPlanar;
  RawPixelsRowAlign = s.RawPixelsRowAlign;
  RawPixelsHeaderSize = s.RawPixelsHeaderSize;
  RawPixelsDataFormat = s.RawPixelsDataFormat;
  PSDLoadLayers = s.PSDLoadLayers;
  PSDReplaceLayers = s.PSDReplaceLayers;
  HDPQuality = s.HDPQuality;
  HDPLossless = s.HDPLossless;
  XMPPacket = s.XMPPacket;
  NativePixelFormat = s.NativePixelFormat;
  ColorMap = s.ColorMap;
  ICOSizes = s.ICOSizes;
  ICOBitCount = s.ICOBitCount;
  AssignOwned(inputICCProfile_, s.inputICCProfile_.get(), &TIOParamsVals::GetInputICCProfile, *this);
  AssignOwned(outputICCProfile_, s.outputICCProfile_.get(), &TIOParamsVals::GetOutputICCProfile, *this);
  AssignOwned(defaultICCProfile_, s.defaultICCProfile_.get(), &TIOParamsVals::GetDefaultICCProfile, *this);
}

void IEParamsSetViewDpi(TVovidErIO* owner, bool vertical, int32_t dpi) {
  if (!IEParamsOwnerHooks.SetViewDpi) IERaiseSlotNotInstalled("IEParamsOwnerHooks.SetViewDpi");
  IEParamsOwnerHooks.SetViewDpi(owner, vertical, dpi);
}

void TIOParamsVals::SetDpiX(int32_t v) {
  TIEMetaParams::SetDpiX(v);
  if (OwnerIO && !temporary_) IEParamsSetViewDpi(OwnerIO, false, v);
}

void TIOParamsVals::SetDpiY(int32_t v) {
  TIEMetaParams::SetDpiY(v);
  if (OwnerIO && !temporary_) IEParamsSetViewDpi(OwnerIO, true, v);
}

void TIOParamsVals::SetImageIndex(int32_t v) {
  TIEMetaParams::SetImageIndex(v);  // ImageIndex and TIFFImageIndex
  DCXImageIndex = v;
  GIFImageIndex = v;
  ICOImageIndex = v;
  CURImageIndex = v;
}

void TIOParamsVals::SetImageCount(int32_t v) {
  TIEMetaParams::SetImageCount(v);  // ImageCount and TIFFImageCount
  AVIFrameCount = v;
  GIFImageCount = v;
  MediaFrameCount = v;
}

void TIOParamsVals::SetLoadThumbnail(bool v) {
  loadThumbnail_ = v;
  JpegLoadExifThumbnail = v;
}

TIEICC* TIOParamsVals::GetInputICCProfile() {
  if (!inputICCProfile_) inputICCProfile_ = std::make_unique<TIEICC>();
  return inputICCProfile_.get();
}

TIEICC* TIOParamsVals::GetOutputICCProfile() {
  if (!outputICCProfile_) {
    outputICCProfile_ = std::make_unique<TIEICC>();
    outputICCProfile_->LoadSRGB();
  }
  return outputICCProfile_.get();
}

TIEICC* TIOParamsVals::GetDefaultICCProfile() {
  if (!defaultICCProfile_) defaultICCProfile_ = std::make_unique<TIEICC>();
  return defaultICCProfile_.get();
}

TIEImagingAnnot* TIOParamsVals::GetImagingAnnot() {
  if (!imagingAnnot_) imagingAnnot_ = std::make_unique<TIEImagingAnnot>(this);
  return imagingAnnot_.get();
}

void TIOParamsVals::UpdateExifThumbnail() {
  TIEBitmap* target = OwnerIO ? OwnerIO->IEBitmap() : nullptr;
  if (!target || target->IsEmpty()) return;
  TSize size;
  IEFitSize(target->GetWidth(), target->GetHeight(), kExifThumbnailWidth, INT_MAX, true, false, size);
  if (!ExifThumbnail) ExifThumbnail = std::make_unique<TIEBitmap>();
  if (!ExifThumbnail->Allocate(size.cx, std::max(size.cy, 1), ie24RGB)) return;
  ResampleBitmap(*target, *ExifThumbnail, rfTriangle);
}

void TIOParamsVals::LoadInputICCProfile(const uint8_t* data, int32_t length) {
  GetInputICCProfile()->LoadFromBuffer(data, length);
}

void TIOParamsVals::LoadImagingAnnot(const uint8_t* data, int32_t length) {
  GetImagingAnnot()->LoadFromBuffer(data, length);
}

std::unique_ptr<TIEMetaParams> TIOParamsVals::CreateTemporary() const {
  // Same owner and defaults, but intermediate results must not reach the owner's view.
  auto temp = std::make_unique<TIOParamsVals>(nullptr);
  temp->OwnerIO = OwnerIO;
  temp->temporary_ = true;
  temp->SetDefaultParams();
  return temp;
}
