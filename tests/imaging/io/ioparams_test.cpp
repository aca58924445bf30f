#include "imaging/io/ioparams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "imaging/core/ieconvert.h"
#include "imaging/core/ierowconv.h"
#include "imaging/io/voviderio.h"
#include "tests/support/testsupport.h"

namespace {

// Records what the records hand to the view slot, for the tests that watch it;
// the slot start-up filled is put back afterwards.
struct ViewDpiCall {
  TVovidErIO* owner;
  bool vertical;
  int32_t dpi;
  bool operator==(const ViewDpiCall&) const = default;
};
std::vector<ViewDpiCall>& ViewDpiCalls() {
  static std::vector<ViewDpiCall> calls;
  return calls;
}

class IOParams : public testing::Test {
protected:
  void SetUp() override {
    saved_ = IEParamsOwnerHooks;
    IEParamsOwnerHooks.SetViewDpi = [](TVovidErIO* o, bool vertical, int32_t dpi) {
      ViewDpiCalls().push_back({o, vertical, dpi});
    };
    ViewDpiCalls().clear();
  }
  void TearDown() override { IEParamsOwnerHooks = saved_; }

private:
  TIOParamsOwnerHooks saved_;
};

std::vector<uint8_t> IccFixture() {
  const std::string s = testsupport::ReadFileBytes(testsupport::DataFile("gamma22_v2.icc"));
  return {s.begin(), s.end()};
}

std::string AnnotFixture() { return testsupport::ReadFileBytes(testsupport::DataFile("annot_marks.bin")); }

std::string Saved(const TIEImagingAnnot& a) {
  const std::vector<uint8_t> b = a.SaveToBuffer();
  return {b.begin(), b.end()};
}

}  // namespace

TEST_F(IOParams, DefaultsAfterCreate) {
  TIOParamsVals p;
  const struct {
    const char* name;
    double actual, expected;
  } numbers[] = {
      {"BitsPerSample", double(p.BitsPerSample), 8},
      {"SamplesPerPixel", double(p.SamplesPerPixel), 3},
      {"Width (no owner: unchanged)", double(p.Width), 0},
      {"DpiX (no owner: unchanged)", double(p.DpiX()), 0},
      {"FileType", double(p.FileType), 0},
      {"ImageIndex", double(p.ImageIndex()), 0},
      {"ImageCount", double(p.ImageCount()), 0},
      {"LoadThumbnail", double(p.LoadThumbnail()), 0},
      {"TIFFCompression", double(p.TIFFCompression), 0},
      {"TIFFSubIndex", double(p.TIFFSubIndex), -1},
      {"TIFFPhotometric", double(p.TIFFPhotometric), 2},
      {"TIFFPlanarConfig", double(p.TIFFPlanarConfig), 1},
      {"TIFFTileIndex", double(p.TIFFTileIndex), -1},
      {"TIFFPageNumber", double(p.TIFFPageNumber), -1},
      {"TIFFPageCount", double(p.TIFFPageCount), -1},
      {"TIFFOrientation", double(p.TIFFOrientation()), 1},
      {"ExifOrientation", double(p.ExifOrientation()), 0},
      {"TIFFJpegQuality", double(p.TIFFJpegQuality), 80},
      {"TIFFJpegColorSpace", double(p.TIFFJpegColorSpace), 2},
      {"TIFFFillOrder", double(p.TIFFFillOrder), 1},
      {"TIFFLittleEndian", double(p.TIFFLittleEndian), 1},
      {"GIFAction", double(p.GIFAction), 2},
      {"JpegColorSpace", double(p.JpegColorSpace), 2},
      {"JpegQuality", double(p.JpegQuality), 80},
      {"JpegChromaSampling", double(p.JpegChromaSampling), 1},
      {"JpegScale", double(p.JpegScale), 1},
      {"JpegScaleDenominator", double(p.JpegScaleDenominator), 1},
      {"J2000ColorSpace", double(p.J2000ColorSpace), 1},
      {"J2000Rate", p.J2000Rate, 1.0},
      {"PCXVersion", double(p.PCXVersion), 5},
      {"PCXCompression", double(p.PCXCompression), 1},
      {"BMPVersion", double(p.BMPVersion), 1},
      {"PNGCompression", double(p.PNGCompression), 5},
      {"TGACompressed", double(p.TGACompressed), 1},
      {"TGAAspectRatio", p.TGAAspectRatio, 1.0},
      {"TGAGamma", p.TGAGamma, 2.2},
      {"PSPaperWidth", double(p.PSPaperWidth), 595},
      {"PSPaperHeight", double(p.PSPaperHeight), 842},
      {"PSCompression", double(p.PSCompression), 1},
      {"PDFPaperWidth", double(p.PDFPaperWidth), 595},
      {"PDFPaperHeight", double(p.PDFPaperHeight), 842},
      {"PDFCompression", double(p.PDFCompression), 2},
      {"RawGamma", p.RawGamma, 0.6},
      {"RawBrightness", p.RawBrightness, 1.0},
      {"RawRedScale", p.RawRedScale, 1.0},
      {"RawBlueScale", p.RawBlueScale, 1.0},
      {"RawPixelsRowAlign", double(p.RawPixelsRowAlign), 8},
      {"PSDReplaceLayers", double(p.PSDReplaceLayers), 1},
      {"HDPQuality", p.HDPQuality, 0.9},
      {"ColorMapCount", double(p.ColorMapCount()), 0},
      {"ExifBrightnessValue", p.ExifBrightnessValue(), -1000},
      {"ExifExposureTime", p.ExifExposureTime(), -1},
      {"ICOSizes[0]", double(p.ICOSizes[0].Width * 1000 + p.ICOSizes[0].Height), 64064},
      {"ICOSizes[15]", double(p.ICOSizes[15].Width + p.ICOSizes[15].Height), 0},
      {"ICOBitCount[0]", double(p.ICOBitCount[0]), 8},
      {"ICOBitCount[1]", double(p.ICOBitCount[1]), 0},
  };
  for (const auto& n : numbers) EXPECT_EQ(n.actual, n.expected) << n.name;
  EXPECT_EQ(p.GIFVersion, "GIF89a");
  EXPECT_EQ(p.PSTitle, "No Title");
  EXPECT_EQ(p.ICOBackground, (TRGB{255, 255, 255}));
  EXPECT_EQ(p.CURBackground, (TRGB{255, 255, 255}));
  EXPECT_EQ(p.PNGBackground, (TRGB{0, 0, 0}));
  EXPECT_NEAR(p.TGADateTime, Date(), 1.0);
  EXPECT_EQ(p.OwnerIO, nullptr);
  EXPECT_EQ(p.InputICCProfile(), nullptr);
  EXPECT_EQ(p.OutputICCProfile(), nullptr);
  EXPECT_EQ(p.DefaultICCProfile(), nullptr);
  EXPECT_EQ(p.ImagingAnnot(), nullptr);
  EXPECT_EQ(p.ExifThumbnail, nullptr);
  EXPECT_EQ(p.GIFComments->Count() + p.PNGTextKeys->Count() + p.PNGTextValues->Count() + p.PXMComments->Count(), 0);
  EXPECT_TRUE(p.ExifTags.empty());
  // The first record installed the colour-managed row conversion.
  EXPECT_EQ(IEColorRowProfileTransform, &IEParamsColorRowTransform);
}

TEST_F(IOParams, AnOwnerGivesTheTargetSizeAndTheDefaultResolution) {
  auto target = TIEBitmap::CreateSized(640, 480, ie24RGB);
  auto owner = TVovidErIO::CreateFromBitmap(target.get());
  ViewDpiCalls().clear();
  TIOParamsVals p(owner.get());
  EXPECT_EQ(p.OwnerIO, owner.get());
  EXPECT_EQ(p.Width, 640);
  EXPECT_EQ(p.Height, 480);
  EXPECT_EQ(p.DpiX(), 300);
  EXPECT_EQ(p.DpiY(), 300);
  EXPECT_EQ(ViewDpiCalls(), (std::vector<ViewDpiCall>{{owner.get(), false, 300}, {owner.get(), true, 300}}));

  auto noTarget = TVovidErIO::CreateFromBitmap(nullptr);
  TIOParamsVals q(noTarget.get());
  EXPECT_EQ(q.Width, 0);
  EXPECT_EQ(q.DpiX(), 300);

  // A temporary keeps the owner and its defaults but leaves the view alone.
  ViewDpiCalls().clear();
  std::unique_ptr<TIEMetaParams> temp = p.CreateTemporary();
  auto* tempParams = dynamic_cast<TIOParamsVals*>(temp.get());
  ASSERT_NE(tempParams, nullptr);
  EXPECT_EQ(tempParams->OwnerIO, owner.get());
  EXPECT_EQ(tempParams->DpiX(), 300);
  tempParams->SetDpiX(72);
  EXPECT_TRUE(ViewDpiCalls().empty());
}

TEST_F(IOParams, ResolutionSettersKeepTheExifResolutionAndTheViewInStep) {
  auto owner = TVovidErIO::CreateFromBitmap(nullptr);
  TIOParamsVals p(owner.get());
  ViewDpiCalls().clear();
  p.SetDpiXFloat(299.7);
  p.SetDpiYFloat(118.11);
  EXPECT_EQ(p.DpiX(), 299);
  EXPECT_EQ(p.ExifXResolution, 299.7);
  EXPECT_EQ(p.DpiY(), 118);
  EXPECT_EQ(p.ExifYResolution, 118.11);
  p.SetDpiX(72);
  EXPECT_EQ(p.ExifXResolution, 72.0);
  EXPECT_EQ(ViewDpiCalls(),
            (std::vector<ViewDpiCall>{{owner.get(), false, 299}, {owner.get(), true, 118}, {owner.get(), false, 72}}));
}

TEST_F(IOParams, IndexCountThumbnailAndOrientationSettersSetEveryCopy) {
  TIOParamsVals p;
  p.SetImageIndex(3);
  for (int32_t v : {p.ImageIndex(), p.TIFFImageIndex, p.DCXImageIndex, p.GIFImageIndex, p.ICOImageIndex,
                    p.CURImageIndex})
    EXPECT_EQ(v, 3);
  p.SetImageCount(5);
  for (int32_t v : {p.ImageCount(), p.TIFFImageCount, p.AVIFrameCount, p.GIFImageCount, p.MediaFrameCount})
    EXPECT_EQ(v, 5);
  p.SetLoadThumbnail(true);
  EXPECT_TRUE(p.LoadThumbnail());
  EXPECT_TRUE(p.JpegLoadExifThumbnail);
  p.SetRawUseEmbeddedPreview(true);
  EXPECT_TRUE(p.RawUseEmbeddedPreview());
  EXPECT_TRUE(p.LoadThumbnail());  // touches nothing else

  const struct {
    void (TIEExifParams::*setter)(int32_t);
    int32_t value;
  } orientations[] = {{&TIEExifParams::SetExifOrientation, 6}, {&TIEExifParams::SetTIFFOrientation, 8}};
  for (const auto& o : orientations) {
    (p.*o.setter)(o.value);
    EXPECT_EQ(p.ExifOrientation(), o.value);
    EXPECT_EQ(p.TIFFOrientation(), o.value);
  }
}

TEST_F(IOParams, SetDefaultParamsFreesTheOwnedObjectsAndResetsTheOptions) {
  TIOParamsVals p;
  const std::vector<uint8_t> icc = IccFixture();
  p.GetInputICCProfile()->LoadFromBuffer(icc.data(), int32_t(icc.size()));
  p.GetOutputICCProfile();
  p.GetDefaultICCProfile();
  p.GetImagingAnnot()->AddObject();
  p.ColorMap.assign(16, TRGB{1, 2, 3});
  p.IPTCInfoList.AddBufferItem(2, 5, 3, "abc");
  p.PXMComments->Add("comment");
  p.XMPPacket = "<x/>";
  p.SetExifOrientation(6);
  p.SetExifFNumber(2.8);
  p.JpegQuality = 12;
  p.SetImageIndex(4);
  p.FileName = "a.jpg";
  p.SetDefaultParams();
  EXPECT_EQ(p.InputICCProfile(), nullptr);
  EXPECT_EQ(p.OutputICCProfile(), nullptr);
  EXPECT_EQ(p.DefaultICCProfile(), nullptr);
  EXPECT_EQ(p.ImagingAnnot(), nullptr);
  EXPECT_EQ(p.ColorMapCount(), 0);
  EXPECT_EQ(p.IPTCInfoList.GetCount(), 0);
  EXPECT_EQ(p.PXMComments->Count(), 0);
  EXPECT_EQ(p.XMPPacket, "");
  EXPECT_EQ(p.TIFFOrientation(), 1);
  EXPECT_EQ(p.ExifOrientation(), 0);
  EXPECT_TRUE(p.ExifTags.empty());
  EXPECT_EQ(p.JpegQuality, 80);
  EXPECT_EQ(p.GIFImageIndex, 0);
  EXPECT_EQ(p.FileName, "");
}

namespace {

// Changes a field of every kind and group, each away from its default.
void ChangePlainFields(TIOParamsVals& p) {
  p.FileName = "a.jpg";
  p.FileType = 3;
  p.IconResourceData = true;
  p.TIFFLZWDecompress = [](const uint8_t*, int32_t, int32_t, void*&, int32_t) -> uint8_t* { return nullptr; };
  p.TIFFJpegQuality = 1;
  p.DCXImageIndex = 4;
  p.GIFVersion = "GIF87a";
  p.GIFTranspColor = TRGB{1, 2, 3};
  p.GIFLZWCompress = [](TStream&, const uint8_t*, int32_t, int32_t) {};
  p.GIFImageCount = 9;
  p.JpegQuality = 12;
  p.JpegScale = 0;
  p.JpegWarningCount = 2;
  p.JpegLastWarningCode = 1007;
  p.SetLoadThumbnail(true);
  p.J2000Rate = 0.25;
  p.ICOBackground = TRGB{};
  p.CURImageIndex = 5;
  p.TGADateTime = 1.5;
  p.TGAAuthor = "me";
  p.AVIFrameCount = 3;
  p.MediaFrameDelay = 40;
  p.PSTitle = "";
  p.PDFProducer = "x";
  p.SetRawUseEmbeddedPreview(true);
  p.RawGamma = 1.0;
  p.RawPixelsDataFormat = 2;
  p.HDPLossless = true;
  p.NativePixelFormat = true;
  p.ICOSizes[0] = TIOIconSize{16, 16};
  p.ICOBitCount[15] = 32;
}

}  // namespace

TEST_F(IOParams, SetDefaultParamsGivesAFreshRecordsFieldsButKeepsTheLastDecodesWarnings) {
  TIOParamsVals p;
  ChangePlainFields(p);
  ASSERT_FALSE(p.Fields() == TIOParamsVals().Fields());
  p.SetDefaultParams();
  // Not settings: the warnings of the last decode and the media frame delay.
  EXPECT_EQ(p.JpegWarningCount, 2);
  EXPECT_EQ(p.JpegLastWarningCode, 1007);
  EXPECT_EQ(p.MediaFrameDelay, 40);
  EXPECT_NEAR(p.TGADateTime, Date(), 1.0);
  EXPECT_FALSE(p.LoadThumbnail());
  EXPECT_FALSE(p.JpegLoadExifThumbnail);
  EXPECT_FALSE(p.RawUseEmbeddedPreview());
  TIOParamsVals fresh;
  fresh.JpegWarningCount = 2;
  fresh.JpegLastWarningCode = 1007;
  fresh.MediaFrameDelay = 40;
  fresh.TGADateTime = p.TGADateTime;
  EXPECT_TRUE(p.Fields() == fresh.Fields());
  // The image-index and count copies agree with the base's again.
  EXPECT_EQ(p.ImageIndex(), 0);
  EXPECT_EQ(p.TIFFImageCount, 0);
}

TEST_F(IOParams, AssignCopiesEveryPlainFieldEvenCopiesThatDifferFromTheirMaster) {
  TIOParamsVals s;
  s.SetImageIndex(2);
  s.SetImageCount(7);
  ChangePlainFields(s);  // DCX and cursor indexes, GIF and AVI counts now differ from the master values
  TIOParamsVals d;
  d.Assign(&s);
  EXPECT_TRUE(d.Fields() == s.Fields());
  EXPECT_EQ(d.ImageIndex(), 2);
  EXPECT_EQ(d.ImageCount(), 7);
  EXPECT_EQ(d.DCXImageIndex, 4);
  EXPECT_EQ(d.GIFImageIndex, 2);
  EXPECT_EQ(d.GIFImageCount, 9);
  EXPECT_TRUE(d.LoadThumbnail());
  EXPECT_TRUE(d.RawUseEmbeddedPreview());
  // And back: a default source gives the defaults again, the kept fields included.
  TIOParamsVals fresh;
  d.Assign(&fresh);
  EXPECT_TRUE(d.Fields() == fresh.Fields());
}

TEST_F(IOParams, ResetInfoClearsWhatALoadReadAndKeepsTheRequest) {
  TIOParamsVals p;
  p.Width = 1920;
  p.Height = 1080;
  p.JpegScale = 0;
  p.SetDpiX(72);
  p.SetDpiY(96);
  p.FileName = "left.jpg";
  p.FileType = 3;
  p.JpegQuality = 95;
  p.GetInputICCProfile();
  p.GetOutputICCProfile();
  p.GetImagingAnnot();
  p.JpegMarkers.AddMarker(0xFE, "hi", 2);
  p.IPTCInfoList.AddBufferItem(2, 5, 3, "abc");
  p.GIFComments->Add("g");
  p.PNGTextKeys->Add("k");
  p.PNGTextValues->Add("v");
  p.PXMComments->Add("p");
  p.DICOMTags.AddTag(8, 16, "UI", {'1', 0}, 1);
  p.TIFFDocumentName = p.TIFFImageDescription = p.TIFFPageName = "t";
  p.TGADescription = p.TGAAuthor = p.TGAImageName = "g";
  p.XMPPacket = "<x/>";
  p.HasExif = true;
  p.SetExifFlash(1);
  p.ResetInfo();
  EXPECT_EQ(p.Width, 1920);
  EXPECT_EQ(p.Height, 1080);
  EXPECT_EQ(p.JpegScale, 0);
  EXPECT_EQ(p.DpiX(), 72);
  EXPECT_EQ(p.DpiY(), 96);
  EXPECT_EQ(p.FileName, "left.jpg");
  EXPECT_EQ(p.FileType, 3);
  EXPECT_EQ(p.JpegQuality, 95);
  EXPECT_NE(p.OutputICCProfile(), nullptr);
  EXPECT_EQ(p.InputICCProfile(), nullptr);
  EXPECT_EQ(p.ImagingAnnot(), nullptr);
  EXPECT_EQ(p.JpegMarkers.GetCount() + p.IPTCInfoList.GetCount() + p.DICOMTags.Count(), 0);
  EXPECT_EQ(p.GIFComments->Count() + p.PNGTextKeys->Count() + p.PNGTextValues->Count() + p.PXMComments->Count(), 0);
  EXPECT_EQ(p.TIFFDocumentName + p.TIFFImageDescription + p.TIFFPageName + p.TGADescription + p.TGAAuthor +
                p.TGAImageName + p.XMPPacket,
            "");
  EXPECT_FALSE(p.HasExif);
  EXPECT_EQ(p.ExifFlash(), -1);
}

TEST_F(IOParams, AssignCopiesEveryOwnedObjectDeeply) {
  const std::vector<uint8_t> icc = IccFixture();
  const std::string annot = AnnotFixture();
  TIOParamsVals s;
  s.Width = 10;
  s.Height = 20;
  s.SetDpiXFloat(299.7);
  s.SetDpiY(150);
  s.FileName = "x.tif";
  s.SetImageIndex(2);
  s.SetImageCount(7);
  s.SetTIFFOrientation(3);
  s.ColorMap.resize(256);
  for (int i = 0; i < 256; ++i) s.ColorMap[size_t(i)] = TRGB{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)};
  s.JpegMarkers.AddMarker(0xE1, "Exif\0\0II", 8);
  s.IPTCInfoList.AddBufferItem(2, 120, 4, "text");
  s.DICOMTags.AddTag(0x10, 0x10, "PN", {'D', 'o', 'e', 0}, 3);
  s.GIFComments->Add("gif");
  s.PNGTextKeys->Add("key");
  s.PNGTextValues->Add("value");
  s.PXMComments->Add("pxm");
  s.GetImagingAnnot()->LoadFromBuffer(annot.data(), int32_t(annot.size()));
  s.GetInputICCProfile()->LoadFromBuffer(icc.data(), int32_t(icc.size()));
  s.GetOutputICCProfile();
  s.ExifThumbnail = TIEBitmap::CreateSized(4, 3, ie24RGB);
  s.ExifThumbnail->Fill(0x00112233);
  s.ExifMake = "Maker";
  s.SetExifFNumber(5.6);
  s.HasExif = true;
  s.ICOSizes[3] = TIOIconSize{32, 16};
  s.TGADateTime = 12345.5;
  s.RawCameraName = "Cam";
  s.SetRawUseEmbeddedPreview(true);

  TIOParamsVals d;
  d.GetDefaultICCProfile();  // the source has none: freed
  d.Assign(&s);
  EXPECT_EQ(d.Width, 10);
  EXPECT_EQ(d.DpiX(), 299);
  EXPECT_EQ(d.ExifXResolution, 299.7);
  EXPECT_EQ(d.DpiY(), 150);
  EXPECT_EQ(d.FileName, "x.tif");
  EXPECT_EQ(d.GIFImageIndex, 2);
  EXPECT_EQ(d.MediaFrameCount, 7);
  EXPECT_EQ(d.TIFFOrientation(), 3);
  EXPECT_EQ(d.ColorMap, s.ColorMap);
  EXPECT_EQ(d.ColorMapCount(), 256);
  ASSERT_EQ(d.JpegMarkers.GetCount(), 1);
  ASSERT_EQ(d.IPTCInfoList.GetCount(), 1);
  ASSERT_EQ(d.DICOMTags.Count(), 1);
  EXPECT_EQ(d.GIFComments->Strings(0), "gif");
  EXPECT_EQ(d.PNGTextValues->Strings(0), "value");
  ASSERT_NE(d.ImagingAnnot(), nullptr);
  EXPECT_EQ(d.ImagingAnnot()->Parent(), &d);
  EXPECT_EQ(Saved(*d.ImagingAnnot()), annot);
  ASSERT_NE(d.InputICCProfile(), nullptr);
  EXPECT_TRUE(d.InputICCProfile()->IsValid());
  EXPECT_EQ(d.InputICCProfile()->Description(), "Duplexion gamma 2.2 RGB");
  ASSERT_NE(d.OutputICCProfile(), nullptr);
  EXPECT_TRUE(d.OutputICCProfile()->IsValid());  // sRGB stays sRGB
  EXPECT_EQ(d.DefaultICCProfile(), nullptr);
  ASSERT_NE(d.ExifThumbnail, nullptr);
  EXPECT_EQ(d.ExifThumbnail->GetPixel24(2, 1), (TRGB{0x11, 0x22, 0x33}));
  EXPECT_EQ(d.ExifMake, "Maker");
  EXPECT_EQ(d.ExifFNumber(), 5.6);
  EXPECT_EQ(d.ExifTags, s.ExifTags);
  EXPECT_EQ(d.ICOSizes[3], (TIOIconSize{32, 16}));
  EXPECT_EQ(d.TGADateTime, 12345.5);
  EXPECT_EQ(d.RawCameraName, "Cam");
  EXPECT_TRUE(d.RawUseEmbeddedPreview());

  // Changing the copy's objects leaves the source's alone.
  d.ColorMap[5] = TRGB{9, 9, 9};
  d.JpegMarkers.GetMarkerData(0)[0] = 'X';
  d.IPTCInfoList.Clear();
  d.DICOMTags.Clear();
  d.GIFComments->SetStrings(0, "changed");
  d.ImagingAnnot()->Objects(0).Points.clear();
  d.InputICCProfile()->Clear();
  d.ExifThumbnail->Fill(0);
  d.SetExifFNumber(-1);
  EXPECT_EQ(s.ColorMap[5], (TRGB{5, 250, 2}));
  EXPECT_EQ(s.JpegMarkers.GetMarkerData(0)[0], 'E');
  EXPECT_EQ(s.IPTCInfoList.GetCount(), 1);
  EXPECT_EQ(s.DICOMTags.Count(), 1);
  EXPECT_EQ(s.GIFComments->Strings(0), "gif");
  EXPECT_EQ(Saved(*s.ImagingAnnot()), annot);
  EXPECT_TRUE(s.InputICCProfile()->IsValid());
  EXPECT_EQ(s.ExifThumbnail->GetPixel24(2, 1), (TRGB{0x11, 0x22, 0x33}));
  EXPECT_EQ(s.ExifFNumber(), 5.6);

  // A source without annotations or profiles frees the copy's.
  TIOParamsVals empty;
  d.Assign(&empty);
  EXPECT_EQ(d.ImagingAnnot(), nullptr);
  EXPECT_EQ(d.InputICCProfile(), nullptr);
  EXPECT_EQ(d.OutputICCProfile(), nullptr);
  EXPECT_EQ(d.ExifThumbnail, nullptr);
  EXPECT_EQ(d.ColorMapCount(), 0);
}

TEST_F(IOParams, ReadersHandProfilesAndAnnotationsToTheRecordsObjects) {
  const std::vector<uint8_t> icc = IccFixture();
  const std::string annot = AnnotFixture();
  TIOParamsVals p;
  TIEMetaParams& meta = p;
  meta.LoadInputICCProfile(icc.data(), int32_t(icc.size()));
  meta.LoadImagingAnnot(reinterpret_cast<const uint8_t*>(annot.data()), int32_t(annot.size()));
  ASSERT_NE(p.InputICCProfile(), nullptr);
  EXPECT_TRUE(p.InputICCProfile()->IsValid());
  ASSERT_NE(p.ImagingAnnot(), nullptr);
  EXPECT_EQ(p.ImagingAnnot()->ObjectsCount(), 5);
  EXPECT_EQ(p.GetImagingAnnot(), p.ImagingAnnot());
  EXPECT_EQ(p.GetOutputICCProfile(), p.GetOutputICCProfile());
  EXPECT_TRUE(p.GetOutputICCProfile()->IsSRGB());
}

TEST_F(IOParams, RowConversionGoesThroughTheProfilesOnlyWhileTheyAreUsable) {
  const bool savedManagement = IEColorManagement;
  const std::vector<uint8_t> icc = IccFixture();
  TIOParamsVals p;
  p.GetInputICCProfile()->LoadFromBuffer(icc.data(), int32_t(icc.size()));
  const uint8_t row[6] = {40, 80, 120, 200, 10, 0};
  uint8_t expected[6], out[6];
  TIEICC reference, srgb;
  reference.LoadFromBuffer(icc.data(), int32_t(icc.size()));
  srgb.LoadSRGB();
  ASSERT_TRUE(reference.Transform(srgb, iecrBGR, iecrBGR, 0, 0, row, expected, 2));
  ASSERT_NE(std::memcmp(expected, row, 6), 0);

  IEColorManagement = false;  // off: the plain copy, profiles untouched
  uint8_t source[6];
  std::memcpy(source, row, 6);
  IEConvertColorRow(source, iecrBGR, out, iecrBGR, 2, &p);
  EXPECT_EQ(std::memcmp(out, row, 6), 0);
  EXPECT_FALSE(p.GetInputICCProfile()->IsTransformReady());

  IEColorManagement = true;
  IEConvertColorRow(source, iecrBGR, out, iecrBGR, 2, &p);
  EXPECT_EQ(std::memcmp(out, expected, 6), 0);
  EXPECT_TRUE(p.GetInputICCProfile()->IsTransformReady());
  p.GetInputICCProfile()->FreeTransform();  // a reader's last row: now applied
  IEConvertColorRow(source, iecrBGR, out, iecrBGR, 2, &p);
  EXPECT_EQ(std::memcmp(out, row, 6), 0);

  // With an invalid input profile the default profile is the source.
  TIOParamsVals q;
  q.GetInputICCProfile();
  q.GetDefaultICCProfile()->LoadFromBuffer(icc.data(), int32_t(icc.size()));
  IEConvertColorRow(source, iecrBGR, out, iecrBGR, 2, &q);
  EXPECT_EQ(std::memcmp(out, expected, 6), 0);
  IEColorManagement = savedManagement;
}

TEST_F(IOParams, UpdateExifThumbnailResamplesTheTargetTo160Wide) {
  // Left half blue, right half red: the thumbnail keeps the halves apart.
  auto target = TIEBitmap::CreateSized(640, 480, ie24RGB);
  target->Fill(0x00FF0000);
  target->FillRect(320, 0, 639, 479, 0x000000FF);
  auto owner = TVovidErIO::CreateFromBitmap(target.get());
  TIOParamsVals p(owner.get());
  p.UpdateExifThumbnail();
  ASSERT_NE(p.ExifThumbnail, nullptr);
  EXPECT_EQ(p.ExifThumbnail->GetWidth(), 160);
  EXPECT_EQ(p.ExifThumbnail->GetHeight(), 120);
  EXPECT_EQ(p.ExifThumbnail->GetPixel24(10, 60), target->GetPixel24(10, 60));
  EXPECT_EQ(p.ExifThumbnail->GetPixel24(150, 60), target->GetPixel24(630, 60));

  TIOParamsVals alone;
  alone.UpdateExifThumbnail();
  EXPECT_EQ(alone.ExifThumbnail, nullptr);
}
