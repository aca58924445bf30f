#include "imaging/io/ioparams.h"

#include <algorithm>
#include <climits>

#include "imaging/core/ieconvert.h"
#include "imaging/metadata/ieexif.h"
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
  // The plain fields in one step; the warnings of the last decode and the
  // media frame delay are not settings and stay as they are.
  const int32_t warnings = JpegWarningCount, lastWarning = JpegLastWarningCode, mediaDelay = MediaFrameDelay;
  Fields() = TIOParamsFields{};
  JpegWarningCount = warnings;
  JpegLastWarningCode = lastWarning;
  MediaFrameDelay = mediaDelay;

  // What remains keeps the order of its side effects: the view follows the
  // resolution, and ResetEXIF drops the EXIF marker and the orientation copy.
  FreeColorMap();
  BitsPerSample = 8;
  SamplesPerPixel = 3;
  if (OwnerIO) {
    if (TIEBitmap* target = OwnerIO->IEBitmap()) {
      Width = target->GetWidth();
      Height = target->GetHeight();
    }
    SetDpiX(IEDefaultDpiX);
    SetDpiY(IEDefaultDpiY);
  }
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
  TIFFFillOrder = 1;
  TIFFLittleEndian = true;

  IPTCInfoList.Clear();
  PXMComments->Clear();
  // After this the EXIF orientation is 0 while the TIFF orientation stays 1.
  ResetEXIF();

  imagingAnnot_.reset();
  inputICCProfile_.reset();
  outputICCProfile_.reset();
  defaultICCProfile_.reset();
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
  SamplesPerPixel = s.SamplesPerPixel;
  Width = s.Width;
  Height = s.Height;
  // Through the setters, so that an attached view follows.
  SetDpiX(s.DpiX());
  SetDpiY(s.DpiY());
  SetImageIndex(s.ImageIndex());
  SetImageCount(s.ImageCount());
  FullWidth = s.FullWidth;
  FullHeight = s.FullHeight;
  // After the setters above: their copies (the per-format image indexes and
  // counts) take the source's own values, which may differ.
  Fields() = s.Fields();

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
  TIFFImageCount = s.TIFFImageCount;
  TIFFFillOrder = s.TIFFFillOrder;
  TIFFLittleEndian = s.TIFFLittleEndian;

  GIFComments->Assign(s.GIFComments.get());
  JpegMarkers.Assign(&s.JpegMarkers);
  PNGTextKeys->Assign(s.PNGTextKeys.get());
  PNGTextValues->Assign(s.PNGTextValues.get());
  DICOMTags.Assign(s.DICOMTags);
  IPTCInfoList.Assign(&s.IPTCInfoList);
  AssignOwned(imagingAnnot_, s.imagingAnnot_.get(), &TIOParamsVals::GetImagingAnnot, *this);
  PXMComments->Assign(s.PXMComments.get());
  IECopyEXIFParams(s, *this, true);
  // The EXIF copy set the TIFF orientation from the EXIF one.
  SetTIFFOrientation(s.TIFFOrientation());
  XMPPacket = s.XMPPacket;
  ColorMap = s.ColorMap;
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
