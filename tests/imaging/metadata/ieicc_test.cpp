#include "imaging/metadata/ieicc.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "tests/support/exiftool.h"
#include "tests/support/testsupport.h"

namespace {

std::vector<uint8_t> FileBytes(const std::string& name) {
  const std::string s = testsupport::ReadFileBytes(testsupport::DataFile(name));
  return {s.begin(), s.end()};
}

void PutU32BE(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = uint8_t(v >> 24);
  b[at + 1] = uint8_t(v >> 16);
  b[at + 2] = uint8_t(v >> 8);
  b[at + 3] = uint8_t(v);
}

// A profile skeleton: a 128-byte header with the size field, the tag table and
// the tags' data in order. Enough for the text reader; LittleCMS refuses it.
struct TTag {
  std::string Signature;
  std::vector<uint8_t> Data;
};

std::vector<uint8_t> Skeleton(const std::vector<TTag>& tags) {
  std::vector<uint8_t> b(128 + 4 + 12 * tags.size(), 0);
  PutU32BE(b, 128, uint32_t(tags.size()));
  for (size_t i = 0; i < tags.size(); ++i) {
    const size_t entry = 132 + 12 * i;
    std::memcpy(&b[entry], tags[i].Signature.data(), 4);
    PutU32BE(b, entry + 4, uint32_t(b.size()));
    PutU32BE(b, entry + 8, uint32_t(tags[i].Data.size()));
    b.insert(b.end(), tags[i].Data.begin(), tags[i].Data.end());
  }
  PutU32BE(b, 0, uint32_t(b.size()));
  return b;
}

// textDescriptionType: text 12 bytes in; textType: text 8 bytes in. Padded with zeros to size.
TTag Desc(const std::string& text, size_t size = 0) {
  std::vector<uint8_t> d = {'d', 'e', 's', 'c', 0, 0, 0, 0, 0, 0, 0, uint8_t(text.size() + 1)};
  d.insert(d.end(), text.begin(), text.end());
  d.push_back(0);
  if (size) d.resize(size, 0);
  return {"desc", d};
}

TTag Cprt(const std::string& text, bool terminated = true) {
  std::vector<uint8_t> d = {'t', 'e', 'x', 't', 0, 0, 0, 0};
  d.insert(d.end(), text.begin(), text.end());
  if (terminated) d.push_back(0);
  return {"cprt", d};
}

// Pixels covering ramps of each channel and mixed colours, as blue-green-red bytes.
std::vector<uint8_t> TestPixels(int32_t count) {
  std::vector<uint8_t> p(size_t(count) * 3);
  for (int32_t i = 0; i < count; ++i) {
    p[size_t(i) * 3] = uint8_t(i * 37 % 256);
    p[size_t(i) * 3 + 1] = uint8_t(i * 11 % 256);
    p[size_t(i) * 3 + 2] = uint8_t(255 - i * 5 % 256);
  }
  return p;
}

// LittleCMS's own 16-bit transform of the profile to its built-in sRGB.
std::vector<uint16_t> LcmsTransform(const std::vector<uint8_t>& profile, cmsUInt32Number inFormat,
                                    cmsUInt32Number outFormat, const std::vector<uint16_t>& in, int32_t count,
                                    int32_t outChannels) {
  cmsHPROFILE src = cmsOpenProfileFromMem(profile.data(), cmsUInt32Number(profile.size()));
  cmsHPROFILE srgb = cmsCreate_sRGBProfile();
  cmsHTRANSFORM t = cmsCreateTransform(src, inFormat, srgb, outFormat, INTENT_PERCEPTUAL, cmsFLAGS_HIGHRESPRECALC);
  std::vector<uint16_t> out(size_t(count) * size_t(outChannels));
  if (t) cmsDoTransform(t, in.data(), out.data(), cmsUInt32Number(count));
  if (t) cmsDeleteTransform(t);
  cmsCloseProfile(srgb);
  cmsCloseProfile(src);
  return out;
}

std::vector<uint8_t> SaveProfile(cmsHPROFILE h) {
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(h, nullptr, &size);
  std::vector<uint8_t> out(size);
  cmsSaveProfileToMem(h, out.data(), &size);
  cmsCloseProfile(h);
  return out;
}

double SRGBEncode(double linear) {
  return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

}  // namespace

TEST(IEICC, ReadsTheTextsOfAProfileWrittenByLittleCMS) {
  const std::vector<uint8_t> bytes = FileBytes("gamma22_v2.icc");
  TIEICC icc;
  icc.LoadFromBuffer(bytes.data(), int32_t(bytes.size()));
  EXPECT_TRUE(icc.IsValid());
  EXPECT_FALSE(icc.IsTransformReady());
  EXPECT_FALSE(icc.Applied);
  ASSERT_EQ(icc.RawLength(), int32_t(bytes.size()));
  EXPECT_EQ(std::memcmp(icc.Raw(), bytes.data(), bytes.size()), 0);
  EXPECT_EQ(icc.Description(), "Duplexion gamma 2.2 RGB");
  EXPECT_EQ(icc.Copyright(), "No copyright, test fixture");
  if (!exiftool::Available()) GTEST_SKIP() << "exiftool not installed: independent check skipped";
  const auto path = testsupport::DataFile("gamma22_v2.icc");
  const auto texts = exiftool::RunEach({{{"-s3", "-ProfileDescription"}, path}, {{"-s3", "-ProfileCopyright"}, path}});
  EXPECT_EQ(texts[0], icc.Description() + "\n");
  EXPECT_EQ(texts[1], icc.Copyright() + "\n");
}

TEST(IEICC, ConvertsAnImageAsLittleCMSDoesAndAsTheGammaFormulaSays) {
  const std::vector<uint8_t> bytes = FileBytes("gamma22_v2.icc");
  TIEICC icc, srgb;
  icc.LoadFromBuffer(bytes.data(), int32_t(bytes.size()));
  srgb.LoadSRGB();
  constexpr int32_t kW = 17, kH = 5;
  auto bitmap = TIEBitmap::CreateSized(kW, kH, ie24RGB);
  const std::vector<uint8_t> pixels = TestPixels(kW * kH);
  for (int32_t y = 0; y < kH; ++y) std::memcpy(bitmap->GetScanline(y), &pixels[size_t(y) * kW * 3], kW * 3);
  bitmap->GetAlphaChannel()->Fill(77);

  ASSERT_TRUE(icc.ConvertBitmap(*bitmap, ie24RGB, srgb));
  EXPECT_TRUE(icc.Applied);
  EXPECT_FALSE(icc.IsTransformReady());
  ASSERT_TRUE(bitmap->HasAlphaChannel());
  EXPECT_EQ(bitmap->GetAlphaChannel()->GetPixelByte(3, 2), 77);

  std::vector<uint16_t> in(pixels.size());
  for (size_t i = 0; i < pixels.size(); i += 3) {  // red, green, blue words
    in[i] = uint16_t(pixels[i + 2] * 257);
    in[i + 1] = uint16_t(pixels[i + 1] * 257);
    in[i + 2] = uint16_t(pixels[i] * 257);
  }
  const std::vector<uint16_t> expected = LcmsTransform(bytes, TYPE_RGB_16, TYPE_RGB_16, in, kW * kH, 3);
  for (int32_t y = 0; y < kH; ++y)
    for (int32_t x = 0; x < kW; ++x) {
      const size_t i = size_t(y * kW + x);
      const TRGB got = bitmap->GetPixel24(x, y);
      EXPECT_EQ(got.r, expected[i * 3] >> 8) << x << "," << y;
      EXPECT_EQ(got.g, expected[i * 3 + 1] >> 8);
      EXPECT_EQ(got.b, expected[i * 3 + 2] >> 8);
      // Same primaries and white: only the tone curve changes, from gamma 2.2 to sRGB's.
      const uint8_t original[3] = {pixels[i * 3 + 2], pixels[i * 3 + 1], pixels[i * 3]};
      const uint8_t converted[3] = {got.r, got.g, got.b};
      for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(converted[c], 255 * SRGBEncode(std::pow(original[c] / 255.0, 2.2)), 2.0) << x << "," << y;
    }
}

TEST(IEICC, LayoutCodesPackAndUnpackAsLittleCMSSees) {
  const std::vector<uint8_t> bytes = FileBytes("gamma22_v2.icc");
  TIEICC icc, srgb;
  icc.LoadFromBuffer(bytes.data(), int32_t(bytes.size()));
  srgb.LoadSRGB();
  constexpr int32_t kCount = 9;
  std::vector<uint16_t> words(kCount * 3);
  for (size_t i = 0; i < words.size(); ++i) words[i] = uint16_t(i * 7919 % 65536);
  const std::vector<uint16_t> expected = LcmsTransform(bytes, TYPE_RGB_16, TYPE_RGB_16, words, kCount, 3);

  // Code 6: words as they are; code 7: each word's bytes swapped, in and out.
  std::vector<uint16_t> out6(words.size());
  ASSERT_TRUE(icc.Transform(srgb, 6, 6, 0, 0, words.data(), out6.data(), kCount));
  EXPECT_EQ(out6, expected);
  std::vector<uint8_t> swapped(words.size() * 2), out7(words.size() * 2);
  for (size_t i = 0; i < words.size(); ++i) {
    swapped[i * 2] = uint8_t(words[i] >> 8);
    swapped[i * 2 + 1] = uint8_t(words[i]);
  }
  ASSERT_TRUE(icc.Transform(srgb, 7, 7, 0, 0, swapped.data(), out7.data(), kCount));
  for (size_t i = 0; i < words.size(); ++i) EXPECT_EQ(out7[i * 2] << 8 | out7[i * 2 + 1], expected[i]);

  // Code 0 (red first) and code 1 (blue first) of the same colours agree.
  const std::vector<uint8_t> bgr = TestPixels(kCount);
  std::vector<uint8_t> rgb(bgr.size()), out0(bgr.size()), out1(bgr.size());
  for (size_t i = 0; i < bgr.size(); i += 3) rgb[i] = bgr[i + 2], rgb[i + 1] = bgr[i + 1], rgb[i + 2] = bgr[i];
  ASSERT_TRUE(icc.Transform(srgb, 0, 0, 0, 0, rgb.data(), out0.data(), kCount));
  ASSERT_TRUE(icc.Transform(srgb, 1, 1, 0, 0, bgr.data(), out1.data(), kCount));
  for (size_t i = 0; i < bgr.size(); i += 3) {
    EXPECT_EQ(out0[i], out1[i + 2]);
    EXPECT_EQ(out0[i + 1], out1[i + 1]);
    EXPECT_EQ(out0[i + 2], out1[i]);
  }
}

TEST(IEICC, GrayAndLabSourcesGiveNeutralColoursWhereTheyShould) {
  cmsToneCurve* gamma = cmsBuildGamma(nullptr, 2.2);
  const std::vector<uint8_t> grayBytes = SaveProfile(cmsCreateGrayProfile(cmsD50_xyY(), gamma));
  cmsFreeToneCurve(gamma);
  const std::vector<uint8_t> labBytes = SaveProfile(cmsCreateLab4Profile(nullptr));
  TIEICC gray, lab, srgb;
  gray.LoadFromBuffer(grayBytes.data(), int32_t(grayBytes.size()));
  lab.LoadFromBuffer(labBytes.data(), int32_t(labBytes.size()));
  srgb.LoadSRGB();
  ASSERT_TRUE(gray.IsValid());
  ASSERT_TRUE(lab.IsValid());

  const std::vector<uint8_t> levels = {0, 1, 64, 128, 200, 255};
  std::vector<uint8_t> out(levels.size() * 3);
  ASSERT_TRUE(gray.Transform(srgb, 5, 1, 0, 0, levels.data(), out.data(), int32_t(levels.size())));
  std::vector<uint16_t> words(levels.begin(), levels.end());
  for (uint16_t& w : words) w = uint16_t(w * 257);
  const std::vector<uint16_t> expected =
      LcmsTransform(grayBytes, TYPE_GRAY_16, TYPE_RGB_16, words, int32_t(words.size()), 3);
  for (size_t i = 0; i < levels.size(); ++i) {
    EXPECT_EQ(out[i * 3 + 2], expected[i * 3] >> 8) << int(levels[i]);  // red is the third byte
    EXPECT_EQ(out[i * 3], expected[i * 3 + 2] >> 8);
  }

  // L, a, b bytes with a and b signed as the library stores them: a = b = 0 is neutral.
  struct {
    int8_t a, b;
    uint8_t l;
    int expectR, expectG, expectB;  // -1: only checked against the others
  } rows[] = {{0, 0, 255, 255, 255, 255}, {0, 0, 0, 0, 0, 0}, {0, 0, 128, -1, -1, -1}, {60, 0, 128, -1, -1, -1}};
  for (const auto& r : rows) {
    const uint8_t in[3] = {r.l, uint8_t(r.a), uint8_t(r.b)};
    uint8_t bgr[3] = {};
    ASSERT_TRUE(lab.Transform(srgb, 4, 1, 0, 0, in, bgr, 1));
    if (r.expectR >= 0) {
      EXPECT_NEAR(bgr[2], r.expectR, 1);
      EXPECT_NEAR(bgr[1], r.expectG, 1);
      EXPECT_NEAR(bgr[0], r.expectB, 1);
    } else if (r.a == 0) {
      EXPECT_NEAR(bgr[2], bgr[1], 1);
      EXPECT_NEAR(bgr[1], bgr[0], 1);
      EXPECT_GT(bgr[1], 60);
    } else {
      EXPECT_GT(bgr[2], bgr[1] + 40);  // positive a is red
    }
  }
}

TEST(IEICC, TheTransformIsCachedByCodesAndItsReleaseMarksTheProfileApplied) {
  const std::vector<uint8_t> bytes = FileBytes("gamma22_v2.icc");
  TIEICC icc, srgb;
  icc.LoadFromBuffer(bytes.data(), int32_t(bytes.size()));
  srgb.LoadSRGB();
  const uint8_t in[3] = {10, 20, 30};
  uint8_t out[3];
  ASSERT_TRUE(icc.Transform(srgb, 1, 1, 0, 0, in, out, 1));
  EXPECT_TRUE(icc.IsTransformReady());
  EXPECT_FALSE(icc.Applied);
  ASSERT_TRUE(icc.Transform(srgb, 1, 1, 0, 0, in, out, 1));
  EXPECT_FALSE(icc.Applied);  // same key: kept
  ASSERT_TRUE(icc.Transform(srgb, 0, 1, 0, 0, in, out, 1));
  EXPECT_TRUE(icc.Applied);   // new codes released the old transform
  icc.LoadFromBuffer(bytes.data(), int32_t(bytes.size()));
  EXPECT_FALSE(icc.Applied);
  EXPECT_FALSE(icc.IsTransformReady());
  icc.FreeTransform();
  EXPECT_FALSE(icc.Applied);  // nothing was released
  ASSERT_TRUE(icc.Transform(srgb, 1, 1, 0, 0, in, out, 1));
  icc.Clear();
  EXPECT_FALSE(icc.Applied);
  EXPECT_FALSE(icc.IsValid());
  EXPECT_EQ(icc.RawLength(), 0);
  // Codes outside the table, or a channel count the profile does not have, make no transform.
  icc.LoadFromBuffer(bytes.data(), int32_t(bytes.size()));
  EXPECT_FALSE(icc.Transform(srgb, 9, 1, 0, 0, in, out, 1));
  EXPECT_FALSE(icc.Transform(srgb, 5, 1, 0, 0, in, out, 1));
  EXPECT_FALSE(icc.Transform(srgb, 1, 2, 0, 0, in, out, 1));
}

TEST(IEICC, ConvertBitmapRefusesOtherFormatsAndInvalidProfiles) {
  const std::vector<uint8_t> bytes = FileBytes("gamma22_v2.icc");
  TIEICC icc, srgb, empty;
  icc.LoadFromBuffer(bytes.data(), int32_t(bytes.size()));
  srgb.LoadSRGB();
  for (TIEPixelFormat f : {ie1g, ie32f, ie8p, ie16g, ie32RGB}) {
    auto b = TIEBitmap::CreateSized(4, 2, f);
    b->Fill(0);
    const std::vector<uint8_t> before(static_cast<uint8_t*>(b->GetScanline(0)),
                                      static_cast<uint8_t*>(b->GetScanline(0)) + b->GetRowLen());
    EXPECT_FALSE(icc.ConvertBitmap(*b, ie24RGB, srgb)) << int(f);
    EXPECT_EQ(b->GetPixelFormat(), f);
    EXPECT_EQ(std::memcmp(b->GetScanline(0), before.data(), before.size()), 0);
  }
  auto b = TIEBitmap::CreateSized(4, 2, ie24RGB);
  b->Fill(0x00336699);
  EXPECT_FALSE(icc.ConvertBitmap(*b, ie1g, srgb));
  EXPECT_FALSE(empty.ConvertBitmap(*b, ie24RGB, srgb));
  EXPECT_FALSE(icc.ConvertBitmap(*b, ie24RGB, empty));
  EXPECT_EQ(b->GetPixel24(1, 1), (TRGB{0x33, 0x66, 0x99}));  // 0x00BBGGRR fill
  EXPECT_EQ(b->GetPixelFormat(), ie24RGB);
}

TEST(IEICC, MalformedProfilesAreNeverOpenedNorReadPastTheirEnd) {
  const std::vector<uint8_t> good = FileBytes("gamma22_v2.icc");
  const uint32_t n = uint32_t(good.size());
  struct Row {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  auto patched = [&](size_t at, uint32_t v) {
    std::vector<uint8_t> b = good;
    PutU32BE(b, at, v);
    return b;
  };
  const Row rows[] = {
      {"truncated", std::vector<uint8_t>(good.begin(), good.begin() + 300)},
      {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 128)},
      {"size field larger than the buffer", patched(0, n + 1)},
      {"size field below a tag table", patched(0, 100)},
      {"tag count huge", patched(128, 0x7FFFFFFF)},
      {"tag table past the end", patched(128, (n - 132) / 12 + 1)},
      {"tag offset past the end", patched(132 + 4, n)},
      {"tag size past the end", patched(132 + 8, n)},
      {"tag offset and size wrap 32 bits", [&] {
         std::vector<uint8_t> b = patched(132 + 4, 0xFFFFFFF0);
         PutU32BE(b, 132 + 8, 0x20);
         return b;
       }()},
  };
  TIEICC srgb;
  srgb.LoadSRGB();
  for (const Row& r : rows) {
    // An exact-size heap copy, so that any read past it is caught.
    auto copy = std::make_unique<uint8_t[]>(r.bytes.size());
    std::memcpy(copy.get(), r.bytes.data(), r.bytes.size());
    TIEICC icc;
    icc.LoadFromBuffer(copy.get(), int32_t(r.bytes.size()));
    EXPECT_FALSE(icc.IsValid()) << r.name;
    EXPECT_FALSE(IEICCStructureIsSound(copy.get(), int32_t(r.bytes.size()))) << r.name;
    const uint8_t in[3] = {1, 2, 3};
    uint8_t out[3] = {9, 9, 9};
    EXPECT_FALSE(icc.Transform(srgb, 1, 1, 0, 0, in, out, 1)) << r.name;
    EXPECT_FALSE(icc.IsTransformReady()) << r.name;
    EXPECT_EQ(out[0], 9) << r.name;
    EXPECT_EQ(icc.RawLength(), int32_t(r.bytes.size())) << r.name;  // the bytes are kept
  }
  EXPECT_TRUE(IEICCStructureIsSound(good.data(), int32_t(good.size())));
}

TEST(IEICC, TextRulesOfTheTagTable) {
  struct Row {
    const char* name;
    std::vector<uint8_t> bytes;
    std::string description, copyright;
  };
  std::vector<TTag> many(1000, TTag{"zzzz", {}});
  many.back() = Desc("last");
  std::vector<TTag> tooMany(1001, TTag{"zzzz", {}});
  tooMany.back() = Desc("last");
  std::vector<uint8_t> badEntry = Skeleton({Cprt("before"), Desc("after")});
  PutU32BE(badEntry, 132 + 12 + 4, uint32_t(badEntry.size()) + 1);  // desc offset past the end
  const Row rows[] = {
      {"both texts", Skeleton({Desc("A description"), Cprt("(c) someone")}), "A description", "(c) someone"},
      {"desc tag of 999 bytes is read", Skeleton({Desc("kept", 999)}), "kept", ""},
      {"desc tag of 1000 bytes is ignored", Skeleton({Desc("dropped", 1000)}), "", ""},
      {"a later tag replaces", Skeleton({Desc("first"), Desc("second")}), "second", ""},
      {"1000 tags are read", Skeleton(many), "last", ""},
      {"1001 tags are not", Skeleton(tooMany), "", ""},
      {"texts before a bad entry stay", badEntry, "", "before"},
      {"a text without terminator ends with its tag", Skeleton({Cprt("open", false)}), "", "open"},
      {"128 bytes", std::vector<uint8_t>(128, 0), "", ""},
  };
  for (const Row& r : rows) {
    auto copy = std::make_unique<uint8_t[]>(r.bytes.size());
    std::memcpy(copy.get(), r.bytes.data(), r.bytes.size());
    TIEICC icc;
    icc.LoadFromBuffer(copy.get(), int32_t(r.bytes.size()));
    EXPECT_EQ(icc.Description(), r.description) << r.name;
    EXPECT_EQ(icc.Copyright(), r.copyright) << r.name;
  }
}

TEST(IEICC, SaveToStreamWritesTheLengthUnlessAskedNot) {
  const std::vector<uint8_t> bytes = FileBytes("gamma22_v2.icc");
  TIEICC empty, icc;
  TMemoryStream s1;
  empty.SaveToStream(s1, false);
  ASSERT_EQ(s1.Size(), 4);
  EXPECT_EQ(std::memcmp(s1.Memory(), "\0\0\0\0", 4), 0);
  icc.LoadFromBuffer(bytes.data(), int32_t(bytes.size()));
  TMemoryStream s2, s3;
  icc.SaveToStream(s2, false);
  icc.SaveToStream(s3, true);
  ASSERT_EQ(s2.Size(), int64_t(bytes.size()) + 4);
  const auto* p = static_cast<const uint8_t*>(s2.Memory());
  EXPECT_EQ(uint32_t(p[0] | p[1] << 8 | p[2] << 16 | p[3] << 24), bytes.size());
  EXPECT_EQ(std::memcmp(p + 4, bytes.data(), bytes.size()), 0);
  ASSERT_EQ(s3.Size(), int64_t(bytes.size()));
  EXPECT_EQ(std::memcmp(s3.Memory(), bytes.data(), bytes.size()), 0);
}

TEST(IEICC, AssignCopiesTheBytesAndKeepsSRGBAsSRGB) {
  const std::vector<uint8_t> bytes = FileBytes("gamma22_v2.icc");
  auto source = std::make_unique<TIEICC>();
  source->LoadFromBuffer(bytes.data(), int32_t(bytes.size()));
  TIEICC copy;
  copy.Assign(source.get());
  source.reset();
  EXPECT_TRUE(copy.IsValid());
  EXPECT_EQ(copy.Description(), "Duplexion gamma 2.2 RGB");
  ASSERT_EQ(copy.RawLength(), int32_t(bytes.size()));
  EXPECT_EQ(std::memcmp(copy.Raw(), bytes.data(), bytes.size()), 0);

  TIEICC srgb, srgbCopy;
  srgb.LoadSRGB();
  EXPECT_TRUE(srgb.IsValid());
  EXPECT_EQ(srgb.RawLength(), 0);
  EXPECT_EQ(srgb.Description(), "");
  srgbCopy.Assign(&srgb);
  EXPECT_TRUE(srgbCopy.IsValid());
  EXPECT_TRUE(srgbCopy.IsSRGB());
  copy.Assign(nullptr);
  EXPECT_FALSE(copy.IsValid());
}

TEST(IEICC, RealCameraProfileConvertsAsLittleCMSDoes) {
  REQUIRE_SHARED_TESTDATA();
  if (!exiftool::Available()) GTEST_SKIP() << "exiftool not installed: cannot take the profile out of the file";
  const auto path = testsupport::SharedDataDir() / "real" / "frame_size.mpo";
  const std::string raw = exiftool::Run({"-b", "-icc_profile"}, path);
  ASSERT_GT(raw.size(), 132u) << "no ICC profile in " << path;
  const std::vector<uint8_t> bytes(raw.begin(), raw.end());
  TIEICC icc, srgb;
  icc.LoadFromBuffer(bytes.data(), int32_t(bytes.size()));
  srgb.LoadSRGB();
  ASSERT_TRUE(icc.IsValid());
  // A version 4 profile: its texts are multi-localized records, which this reader does not take.
  EXPECT_EQ(icc.Description(), "");
  constexpr int32_t kCount = 64;
  const std::vector<uint8_t> bgr = TestPixels(kCount);
  std::vector<uint8_t> out(bgr.size());
  ASSERT_TRUE(icc.Transform(srgb, 1, 1, 0, 0, bgr.data(), out.data(), kCount));
  std::vector<uint16_t> in(bgr.size());
  for (size_t i = 0; i < bgr.size(); i += 3)
    in[i] = uint16_t(bgr[i + 2] * 257), in[i + 1] = uint16_t(bgr[i + 1] * 257), in[i + 2] = uint16_t(bgr[i] * 257);
  const std::vector<uint16_t> expected = LcmsTransform(bytes, TYPE_RGB_16, TYPE_RGB_16, in, kCount, 3);
  for (size_t i = 0; i < size_t(kCount); ++i) {
    EXPECT_EQ(out[i * 3 + 2], expected[i * 3] >> 8) << i;
    EXPECT_EQ(out[i * 3 + 1], expected[i * 3 + 1] >> 8) << i;
    EXPECT_EQ(out[i * 3], expected[i * 3 + 2] >> 8) << i;
  }
}
