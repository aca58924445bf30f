#include "imaging/core/iecmyk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "imaging/core/ieconvert.h"
#include "imaging/core/ielab.h"
#include "imaging/core/ierowconv.h"

namespace {

uint32_t Stored(uint8_t c, uint8_t m, uint8_t y, uint8_t k) {
  return uint32_t(c) | uint32_t(m) << 8 | uint32_t(y) << 16 | uint32_t(k) << 24;
}

TEST(CMYK, FormulasFromStoredInkToRGB) {
  struct Case {
    uint32_t cmyk;
    TRGB rgb;
  };
  const Case cases[] = {
      {Stored(255, 255, 255, 255), {255, 255, 255}},
      {Stored(255, 255, 255, 0), {0, 0, 0}},
      {Stored(10, 200, 30, 0), {0, 0, 0}},
      // red = cyan x black div 255 ...
      {Stored(200, 100, 50, 128), {uint8_t(50 * 128 / 255), uint8_t(100 * 128 / 255), uint8_t(200 * 128 / 255)}},
  };
  for (const Case& c : cases) {
    TRGB rgb;
    IECMYKToRGB(c.cmyk, rgb);
    EXPECT_EQ(rgb, c.rgb) << std::hex << c.cmyk;
  }
}

TEST(CMYK, FormulasFromRGBToStoredInk) {
  struct Case {
    uint32_t rgb;
    uint32_t cmyk;
  };
  const Case cases[] = {
      {0x000000, Stored(255, 255, 255, 0)},
      {0xFF0000, Stored(255, 0, 0, 255)},
      {0xFFFFFF, Stored(255, 255, 255, 255)},
      // black = max channel; each ink = channel x 255 div black.
      {0x804020, Stored(255, 0x40 * 255 / 0x80, 0x20 * 255 / 0x80, 0x80)},
  };
  for (const Case& c : cases) EXPECT_EQ(IERGBToCMYK(c.rgb), c.cmyk) << std::hex << c.rgb;
}

TEST(CMYK, RowFormsGiveThePixelResults) {
  const uint8_t cmyk[12] = {200, 100, 50, 128, 255, 255, 255, 0, 1, 2, 3, 255};
  TRGB row[3];
  IECMYKRowToRGB(cmyk, row, 3);
  for (int i = 0; i < 3; ++i) {
    uint32_t v;
    std::memcpy(&v, cmyk + 4 * i, 4);
    TRGB one;
    IECMYKToRGB(v, one);
    EXPECT_EQ(row[i], one);
  }
}

TEST(ColorRow, FormulaPairs) {
  // RGB bytes to BGR go through the red/blue swap; the others are plain formulas.
  const uint8_t bgr[6] = {10, 20, 30, 0, 255, 0};
  uint8_t gray[2] = {};
  IEConvertColorRow(const_cast<uint8_t*>(bgr), iecrBGR, gray, iecrGray, 2, nullptr);
  EXPECT_EQ(gray[0], (30 * 21 + 20 * 71 + 10 * 8) / 100);
  EXPECT_EQ(gray[1], 255 * 71 / 100);

  uint8_t cmyk[8] = {};
  IEConvertColorRow(const_cast<uint8_t*>(bgr), iecrBGR, cmyk, iecrCMYK, 2, nullptr);
  uint32_t first;
  std::memcpy(&first, cmyk, 4);
  EXPECT_EQ(first, IERGBToCMYK(0x1E140A));

  uint8_t lab[6] = {};
  IEConvertColorRow(const_cast<uint8_t*>(bgr), iecrBGR, lab, iecrCIELab, 2, nullptr);
  TCIELab want;
  IEColorToCIELab(want, 0x00FF00);
  EXPECT_EQ(lab[3], want.l);
  EXPECT_EQ(int8_t(lab[4]), want.a);

  // 16-bit values: the high bytes; swapped: the first, third and fifth bytes.
  const uint16_t rgb48[3] = {0x1234, 0x5678, 0x9ABC};
  TRGB out;
  IEConvertColorRow(const_cast<uint16_t*>(rgb48), iecrRGB48, &out, iecrBGR, 1, nullptr);
  EXPECT_EQ(out, (TRGB{0x9A, 0x56, 0x12}));
  IEConvertColorRow(const_cast<uint16_t*>(rgb48), iecrRGB48Swapped, &out, iecrBGR, 1, nullptr);
  EXPECT_EQ(out, (TRGB{0xBC, 0x78, 0x34}));

  // A pair without a formula leaves the destination alone.
  uint8_t untouched[3] = {7, 7, 7};
  IEConvertColorRow(const_cast<uint8_t*>(bgr), iecrGray, untouched, iecrCMYK, 1, nullptr);
  EXPECT_EQ(untouched[0], 7);
}

TEST(ColorRow, SixBytePixelsInvertTheSourceInkInPlace) {
  uint8_t src[6] = {0, 0, 0, 0, 9, 9};  // ink values: no ink at all
  TRGB out;
  IEConvertColorRow(src, iecrCMYK6, &out, iecrBGR, 1, nullptr);
  EXPECT_EQ(out, (TRGB{255, 255, 255}));
  EXPECT_EQ(src[0], 255);
  EXPECT_EQ(src[3], 255);
  EXPECT_EQ(src[4], 9);
}

TEST(ColorRow, YCbCr) {
  TRGB p;
  IEYCbCrToRGB(p, 255, 128, 255);
  EXPECT_EQ(p, (TRGB{255, 164, 255}));
  uint8_t ycc[3] = {255, 128, 255};
  TRGB out;
  IEConvertColorRow(ycc, iecrYCbCr, &out, iecrBGR, 1, nullptr);
  EXPECT_EQ(out, p);
}

int profileCalls = 0;
bool CountingTransform(TIOParamsVals&, const void*, int32_t, void*, int32_t, int32_t) {
  ++profileCalls;
  return true;
}

TEST(ColorRow, ProfilesAreOnlyAskedWithColourManagementOnAndParameters) {
  const auto savedHook = IEColorRowProfileTransform;
  const bool savedSwitch = IEColorManagement;
  IEColorRowProfileTransform = &CountingTransform;
  auto* params = reinterpret_cast<TIOParamsVals*>(&profileCalls);  // opaque here: only passed on
  uint8_t lab[3] = {255, 0, 0};
  TRGB out{1, 2, 3};
  profileCalls = 0;
  IEColorManagement = false;
  IEConvertColorRow(lab, iecrCIELab, &out, iecrBGR, 1, params);
  EXPECT_EQ(profileCalls, 0);
  EXPECT_NE(out, (TRGB{1, 2, 3}));
  IEColorManagement = true;
  IEConvertColorRow(lab, iecrCIELab, &out, iecrBGR, 1, nullptr);
  EXPECT_EQ(profileCalls, 0);
  out = TRGB{1, 2, 3};
  IEConvertColorRow(lab, iecrCIELab, &out, iecrBGR, 1, params);
  EXPECT_EQ(profileCalls, 1);
  EXPECT_EQ(out, (TRGB{1, 2, 3}));  // the profiles did the row
  IEColorManagement = savedSwitch;
  IEColorRowProfileTransform = savedHook;
}

TEST(ColorRow, TheReadersProcedureIsTheRowConversion) { EXPECT_EQ(IEConvertColorRowProc, &IEConvertColorRow); }

}  // namespace

// ---- the press-profile route ----------------------------------------------------------------

#include <lcms2.h>
#include <zlib.h>

#include <vector>

namespace {

// A small synthetic CMYK output profile: ink -> RGB by the naive formula, then to Lab through
// LittleCMS's sRGB; and back. Enough to see the route's ink convention and byte order.
struct TSamplerTransforms {
  cmsHTRANSFORM rgbToLab;
  cmsHTRANSFORM labToRgb;
};

int CMYKToLab(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
  auto* t = static_cast<TSamplerTransforms*>(cargo);
  const double c = in[0] / 65535.0, m = in[1] / 65535.0, y = in[2] / 65535.0, k = in[3] / 65535.0;
  const double rgb[3] = {(1 - c) * (1 - k), (1 - m) * (1 - k), (1 - y) * (1 - k)};
  cmsCIELab lab;
  cmsDoTransform(t->rgbToLab, rgb, &lab, 1);
  cmsFloat2LabEncodedV2(out, &lab);  // lut16 tags hold version 2 Lab
  return 1;
}

int LabToCMYK(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
  auto* t = static_cast<TSamplerTransforms*>(cargo);
  cmsCIELab lab;
  cmsLabEncoded2FloatV2(&lab, in);
  double rgb[3];
  cmsDoTransform(t->labToRgb, &lab, rgb, 1);
  for (double& v : rgb) v = std::min(1.0, std::max(0.0, v));
  const double k = 1 - std::max({rgb[0], rgb[1], rgb[2]});
  for (int i = 0; i < 3; ++i) out[i] = k >= 1 ? 0 : cmsUInt16Number((1 - rgb[i] - k) / (1 - k) * 65535 + 0.5);
  out[3] = cmsUInt16Number(k * 65535 + 0.5);
  return 1;
}

std::vector<uint8_t> SyntheticCMYKProfile() {
  cmsHPROFILE srgb = cmsCreate_sRGBProfile();
  cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
  TSamplerTransforms t{cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL, INTENT_PERCEPTUAL, 0),
                       cmsCreateTransform(lab, TYPE_Lab_DBL, srgb, TYPE_RGB_DBL, INTENT_PERCEPTUAL, 0)};
  cmsHPROFILE h = cmsCreateProfilePlaceholder(nullptr);
  cmsSetProfileVersion(h, 2.1);
  cmsSetDeviceClass(h, cmsSigOutputClass);
  cmsSetColorSpace(h, cmsSigCmykData);
  cmsSetPCS(h, cmsSigLabData);
  cmsWriteTag(h, cmsSigMediaWhitePointTag, cmsD50_XYZ());
  cmsPipeline* a2b = cmsPipelineAlloc(nullptr, 4, 3);
  cmsStage* clut = cmsStageAllocCLut16bit(nullptr, 9, 4, 3, nullptr);
  cmsStageSampleCLut16bit(clut, CMYKToLab, &t, 0);
  cmsPipelineInsertStage(a2b, cmsAT_BEGIN, clut);
  cmsWriteTag(h, cmsSigAToB0Tag, a2b);
  cmsPipeline* b2a = cmsPipelineAlloc(nullptr, 3, 4);
  cmsStage* clut2 = cmsStageAllocCLut16bit(nullptr, 17, 3, 4, nullptr);
  cmsStageSampleCLut16bit(clut2, LabToCMYK, &t, 0);
  cmsPipelineInsertStage(b2a, cmsAT_BEGIN, clut2);
  cmsWriteTag(h, cmsSigBToA0Tag, b2a);
  cmsUInt32Number size = 0;
  EXPECT_TRUE(cmsSaveProfileToMem(h, nullptr, &size));
  std::vector<uint8_t> icc(size);
  cmsSaveProfileToMem(h, icc.data(), &size);
  cmsPipelineFree(a2b);
  cmsPipelineFree(b2a);
  cmsCloseProfile(h);
  cmsDeleteTransform(t.rgbToLab);
  cmsDeleteTransform(t.labToRgb);
  cmsCloseProfile(srgb);
  cmsCloseProfile(lab);
  return icc;
}

std::vector<uint8_t> Deflated(const std::vector<uint8_t>& bytes) {
  uLongf size = compressBound(uLong(bytes.size()));
  std::vector<uint8_t> out(size);
  compress2(out.data(), &size, bytes.data(), uLong(bytes.size()), 9);
  out.resize(size);
  return out;
}

// Hands a profile over for one test and puts the library back on the formulas afterwards.
class CMYKProfile : public ::testing::Test {
protected:
  void TearDown() override {
    IESetCMYKProfile(nullptr, 0, 0);
    IECMYKProfileEnabled = true;
  }
};

TEST_F(CMYKProfile, NoProfileMeansTheFormulas) {
  IESetCMYKProfile(nullptr, 0, 0);
  EXPECT_FALSE(IECMYKProfileReady());
}

TEST_F(CMYKProfile, APressProfileConvertsThroughLittleCMS) {
  const std::vector<uint8_t> icc = SyntheticCMYKProfile();
  const std::vector<uint8_t> packed = Deflated(icc);
  IESetCMYKProfile(packed.data(), int32_t(packed.size()), int32_t(icc.size()));
  ASSERT_TRUE(IECMYKProfileReady());
  TRGB rgb;
  IECMYKToRGB(Stored(255, 255, 255, 255), rgb);  // no ink
  EXPECT_GE(rgb.r, 250);
  EXPECT_GE(rgb.g, 250);
  EXPECT_GE(rgb.b, 250);
  IECMYKToRGB(Stored(255, 0, 255, 255), rgb);  // magenta ink only
  EXPECT_GE(rgb.r, 240);
  EXPECT_LE(rgb.g, 20);
  EXPECT_GE(rgb.b, 240);
  IECMYKToRGB(Stored(255, 255, 255, 0), rgb);  // full black ink
  EXPECT_LE(std::max({rgb.r, rgb.g, rgb.b}), 10);
  const uint32_t red = IERGBToCMYK(0xFF0000);
  EXPECT_GE(red & 0xFF, 235u);            // hardly any cyan ink
  EXPECT_LE((red >> 8) & 0xFF, 20u);      // full magenta
  EXPECT_LE((red >> 16) & 0xFF, 20u);     // full yellow
  EXPECT_GE(red >> 24, 235u);             // hardly any black
  // Switched off, the formulas apply again.
  IECMYKProfileEnabled = false;
  EXPECT_EQ(IERGBToCMYK(0xFF0000), Stored(255, 0, 0, 255));
}

TEST_F(CMYKProfile, AProfileThatCannotBeOpenedLeavesTheFormulas) {
  const std::vector<uint8_t> junk(300, 0x5A);
  const std::vector<uint8_t> packed = Deflated(junk);
  IESetCMYKProfile(packed.data(), int32_t(packed.size()), int32_t(junk.size()));
  EXPECT_FALSE(IECMYKProfileReady());
  EXPECT_EQ(IERGBToCMYK(0x000000), Stored(255, 255, 255, 0));
}

}  // namespace
