#include "imaging/core/iecmyk.h"

#include <lcms2.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "imaging/core/iezlib.h"

bool IECMYKProfileEnabled = true;

namespace {

struct TCMYKProfiles {
  std::mutex lock;
  std::vector<uint8_t> compressed;
  int32_t size = 0;
  bool built = false;
  bool ready = false;
  cmsHPROFILE cmyk = nullptr;
  cmsHPROFILE srgb = nullptr;
  cmsHTRANSFORM toRGB = nullptr;
  cmsHTRANSFORM toCMYK = nullptr;

  void Free() {
    if (toRGB) cmsDeleteTransform(toRGB);
    if (toCMYK) cmsDeleteTransform(toCMYK);
    if (cmyk) cmsCloseProfile(cmyk);
    if (srgb) cmsCloseProfile(srgb);
    toRGB = toCMYK = nullptr;
    cmyk = srgb = nullptr;
    built = ready = false;
  }
  ~TCMYKProfiles() { Free(); }

  // Inflates the profile, opens it beside sRGB and makes both 16-bit transforms
  // (perceptual, best precision; no pixel cache, so that threads may share them).
  bool Build() {
    if (compressed.empty() || size <= 0) return false;
    void* icc = nullptr;
    int32_t iccSize = 0;
    try {
      ZDecompressBuffer(compressed.data(), int32_t(compressed.size()), icc, size, iccSize);
    } catch (...) {
      return false;
    }
    cmyk = cmsOpenProfileFromMem(icc, cmsUInt32Number(iccSize));
    std::free(icc);
    if (!cmyk || cmsGetColorSpace(cmyk) != cmsSigCmykData) return false;
    srgb = cmsCreate_sRGBProfile();
    if (!srgb) return false;
    const cmsUInt32Number flags = cmsFLAGS_HIGHRESPRECALC | cmsFLAGS_NOCACHE;
    toRGB = cmsCreateTransform(cmyk, TYPE_CMYK_16, srgb, TYPE_RGB_16, INTENT_PERCEPTUAL, flags);
    toCMYK = cmsCreateTransform(srgb, TYPE_RGB_16, cmyk, TYPE_CMYK_16, INTENT_PERCEPTUAL, flags);
    return toRGB && toCMYK;
  }
};

TCMYKProfiles& Profiles() {
  static TCMYKProfiles p;
  return p;
}

bool UseProfile() { return IECMYKProfileEnabled && IECMYKProfileReady(); }

void FormulaToRGB(const uint8_t* c, TRGB& rgb) {
  // The stored bytes are already "no ink" values: each channel is its ink times black.
  rgb.r = uint8_t(c[0] * c[3] / 255);
  rgb.g = uint8_t(c[1] * c[3] / 255);
  rgb.b = uint8_t(c[2] * c[3] / 255);
}

void FormulaToCMYK(const TRGB& rgb, uint8_t* c) {
  const int32_t k = std::max({rgb.r, rgb.g, rgb.b});
  if (k == 0) {
    c[0] = c[1] = c[2] = 255;
    c[3] = 0;
    return;
  }
  c[0] = uint8_t(rgb.r * 255 / k);
  c[1] = uint8_t(rgb.g * 255 / k);
  c[2] = uint8_t(rgb.b * 255 / k);
  c[3] = uint8_t(k);
}

// Through the profile, in chunks so that any row length fits a small buffer.
constexpr int32_t kChunk = 256;

void ProfileToRGB(const uint8_t* cmyk, TRGB* rgb, int32_t count) {
  cmsUInt16Number in[kChunk * 4], out[kChunk * 3];
  for (int32_t done = 0; done < count; done += kChunk) {
    const int32_t n = std::min(kChunk, count - done);
    const uint8_t* c = cmyk + size_t(done) * 4;
    for (int32_t i = 0; i < n * 4; ++i) in[i] = cmsUInt16Number((255 - c[i]) * 257);
    cmsDoTransform(Profiles().toRGB, in, out, cmsUInt32Number(n));
    for (int32_t i = 0; i < n; ++i) {
      TRGB& p = rgb[done + i];
      p.r = uint8_t(out[i * 3] >> 8);
      p.g = uint8_t(out[i * 3 + 1] >> 8);
      p.b = uint8_t(out[i * 3 + 2] >> 8);
    }
  }
}

void ProfileToCMYK(const TRGB* rgb, uint8_t* cmyk, int32_t count) {
  cmsUInt16Number in[kChunk * 3], out[kChunk * 4];
  for (int32_t done = 0; done < count; done += kChunk) {
    const int32_t n = std::min(kChunk, count - done);
    for (int32_t i = 0; i < n; ++i) {
      const TRGB& p = rgb[done + i];
      in[i * 3] = cmsUInt16Number(p.r * 257);
      in[i * 3 + 1] = cmsUInt16Number(p.g * 257);
      in[i * 3 + 2] = cmsUInt16Number(p.b * 257);
    }
    cmsDoTransform(Profiles().toCMYK, in, out, cmsUInt32Number(n));
    uint8_t* c = cmyk + size_t(done) * 4;
    for (int32_t i = 0; i < n * 4; ++i) c[i] = uint8_t(255 - (out[i] >> 8));
  }
}

}  // namespace

bool IECMYKProfileReady() {
  TCMYKProfiles& p = Profiles();
  std::lock_guard<std::mutex> guard(p.lock);
  if (!p.built) {
    p.built = true;
    p.ready = p.Build();
    if (!p.ready) {
      // A profile that cannot be used leaves the formulas in charge for good.
      p.Free();
      p.built = true;
    }
  }
  return p.ready;
}

void IESetCMYKProfile(const void* compressed, int32_t compressedSize, int32_t size) {
  TCMYKProfiles& p = Profiles();
  std::lock_guard<std::mutex> guard(p.lock);
  p.Free();
  p.compressed.clear();
  p.size = 0;
  if (compressed && compressedSize > 0 && size > 0) {
    const auto* bytes = static_cast<const uint8_t*>(compressed);
    p.compressed.assign(bytes, bytes + compressedSize);
    p.size = size;
  }
}

void IEFreeCMYKProfiles() {
  TCMYKProfiles& p = Profiles();
  std::lock_guard<std::mutex> guard(p.lock);
  p.Free();
}

void IECMYKToRGB(uint32_t cmyk, TRGB& rgb) {
  const uint8_t c[4] = {uint8_t(cmyk), uint8_t(cmyk >> 8), uint8_t(cmyk >> 16), uint8_t(cmyk >> 24)};
  IECMYKRowToRGB(c, &rgb, 1);
}

uint32_t IERGBToCMYK(uint32_t rgb) {
  const TRGB p{uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)};
  uint8_t c[4];
  IERGBRowToCMYK(&p, c, 1);
  return uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16 | uint32_t(c[3]) << 24;
}

void IECMYKRowToRGB(const uint8_t* cmyk, TRGB* rgb, int32_t count) {
  if (count <= 0) return;
  if (UseProfile()) return ProfileToRGB(cmyk, rgb, count);
  for (int32_t i = 0; i < count; ++i) FormulaToRGB(cmyk + size_t(i) * 4, rgb[i]);
}

void IERGBRowToCMYK(const TRGB* rgb, uint8_t* cmyk, int32_t count) {
  if (count <= 0) return;
  if (UseProfile()) return ProfileToCMYK(rgb, cmyk, count);
  for (int32_t i = 0; i < count; ++i) FormulaToCMYK(rgb[i], cmyk + size_t(i) * 4);
}
