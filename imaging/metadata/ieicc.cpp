#include "imaging/metadata/ieicc.h"

#include <lcms2.h>

#include <algorithm>
#include <cstring>

#include "platform/classes/streams.h"

namespace {

constexpr int64_t kHeaderSize = 128;
constexpr int64_t kTagEntrySize = 12;
// Text tags at least this long, and tables with more tags than this, are not read for texts.
constexpr int64_t kMaxTextTag = 1000;
constexpr int64_t kMaxTextTags = 1000;

uint32_t U32BE(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

cmsHPROFILE Profile(void* p) { return static_cast<cmsHPROFILE>(p); }
cmsHTRANSFORM Xform(void* p) { return static_cast<cmsHTRANSFORM>(p); }

// Channels of a layout code, and bytes per pixel in the caller's buffer.
struct TLayout {
  int32_t Channels;
  int32_t PixelBytes;
  cmsUInt32Number Format;
};

bool LayoutOf(int32_t code, TLayout& layout) {
  // Any colour space for code 8, but it must have three channels.
  static const cmsUInt32Number kThreeChannel = COLORSPACE_SH(PT_ANY) | CHANNELS_SH(3) | BYTES_SH(2);
  switch (code) {
    case 0: case 1: layout = {3, 3, TYPE_RGB_16}; return true;
    case 2: layout = {4, 4, TYPE_CMYK_16}; return true;
    case 3: layout = {4, 6, TYPE_CMYK_16}; return true;
    case 4: layout = {3, 3, TYPE_Lab_16}; return true;
    case 5: layout = {1, 1, TYPE_GRAY_16}; return true;
    case 6: case 7: layout = {3, 6, TYPE_RGB_16}; return true;
    case 8: layout = {3, 3, kThreeChannel}; return true;
    default: return false;
  }
}

uint16_t Widen(uint8_t b) { return uint16_t(b * 257); }
uint8_t High(uint16_t w) { return uint8_t(w >> 8); }

void Pack(int32_t code, const uint8_t* in, uint16_t* out, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    switch (code) {
      case 1:
        out[i * 3] = Widen(in[i * 3 + 2]);
        out[i * 3 + 1] = Widen(in[i * 3 + 1]);
        out[i * 3 + 2] = Widen(in[i * 3]);
        break;
      case 2:
        for (size_t c = 0; c < 4; ++c) out[i * 4 + c] = Widen(uint8_t(255 - in[i * 4 + c]));
        break;
      case 3:
        for (size_t c = 0; c < 4; ++c) out[i * 4 + c] = Widen(in[i * 6 + c]);
        break;
      case 4:
        // a and b are signed bytes in this library; the 16-bit encoding puts 0 at 0x8080.
        out[i * 3] = Widen(in[i * 3]);
        out[i * 3 + 1] = Widen(uint8_t(in[i * 3 + 1] ^ 0x80));
        out[i * 3 + 2] = Widen(uint8_t(in[i * 3 + 2] ^ 0x80));
        break;
      case 5:
        out[i] = Widen(in[i]);
        break;
      case 6:
        std::memcpy(&out[i * 3], in + i * 6, 6);
        break;
      case 7:
        for (size_t c = 0; c < 3; ++c) out[i * 3 + c] = uint16_t(in[i * 6 + c * 2] << 8 | in[i * 6 + c * 2 + 1]);
        break;
      default:  // 0, 8: three bytes in channel order
        for (size_t c = 0; c < 3; ++c) out[i * 3 + c] = Widen(in[i * 3 + c]);
        break;
    }
  }
}

void Unpack(int32_t code, const uint16_t* in, uint8_t* out, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    switch (code) {
      case 1:
        out[i * 3] = High(in[i * 3 + 2]);
        out[i * 3 + 1] = High(in[i * 3 + 1]);
        out[i * 3 + 2] = High(in[i * 3]);
        break;
      case 2:
        for (size_t c = 0; c < 4; ++c) out[i * 4 + c] = uint8_t(255 - High(in[i * 4 + c]));
        break;
      case 3:
        // The two bytes after the inks belong to the caller.
        for (size_t c = 0; c < 4; ++c) out[i * 6 + c] = High(in[i * 4 + c]);
        break;
      case 4:
        out[i * 3] = High(in[i * 3]);
        out[i * 3 + 1] = uint8_t(High(in[i * 3 + 1]) ^ 0x80);
        out[i * 3 + 2] = uint8_t(High(in[i * 3 + 2]) ^ 0x80);
        break;
      case 5:
        out[i] = High(in[i]);
        break;
      case 6:
        std::memcpy(out + i * 6, &in[i * 3], 6);
        break;
      case 7:
        for (size_t c = 0; c < 3; ++c) {
          out[i * 6 + c * 2] = uint8_t(in[i * 3 + c] >> 8);
          out[i * 6 + c * 2 + 1] = uint8_t(in[i * 3 + c]);
        }
        break;
      default:
        for (size_t c = 0; c < 3; ++c) out[i * 3 + c] = High(in[i * 3 + c]);
        break;
    }
  }
}

// The zero-terminated text at [from, end), cut at end when it has no terminator.
AnsiString TextAt(const uint8_t* data, int64_t from, int64_t end) {
  if (from >= end) return {};
  const uint8_t* begin = data + from;
  const uint8_t* stop = std::find(begin, data + end, uint8_t(0));
  return AnsiString(reinterpret_cast<const char*>(begin), size_t(stop - begin));
}

}  // namespace

bool IELoadMSCMS() { return true; }

bool IEICCStructureIsSound(const uint8_t* data, int32_t size) {
  if (!data || size < kHeaderSize + 4) return false;
  const int64_t declared = U32BE(data);
  if (declared < kHeaderSize + 4 || declared > size) return false;
  const int64_t count = U32BE(data + kHeaderSize);
  if (kHeaderSize + 4 + count * kTagEntrySize > declared) return false;
  for (int64_t i = 0; i < count; ++i) {
    const uint8_t* entry = data + kHeaderSize + 4 + i * kTagEntrySize;
    const int64_t offset = U32BE(entry + 4);
    const int64_t length = U32BE(entry + 8);
    if (offset + length > declared) return false;
  }
  return true;
}

TIEICC::TIEICC() = default;

TIEICC::~TIEICC() { Clear(); }

void TIEICC::Clear() {
  FreeTransform();
  if (profile_) cmsCloseProfile(Profile(profile_));
  profile_ = nullptr;
  isSRGB_ = false;
  keyInput_ = keyOutput_ = keyMode1_ = keyMode2_ = 0;
  raw_.clear();
  raw_.shrink_to_fit();
  copyright_.clear();
  description_.clear();
  Applied = false;
}

void TIEICC::LoadFromBuffer(const void* buffer, int32_t size) {
  Clear();
  if (!buffer || size <= 0) return;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  raw_.assign(bytes, bytes + size);
  OpenAndParse();
}

void TIEICC::Assign(const TIEICC* source) {
  if (source == this) return;
  Clear();
  if (!source) return;
  if (source->isSRGB_) {
    LoadSRGB();
    return;
  }
  raw_ = source->raw_;
  OpenAndParse();
}

void TIEICC::LoadSRGB() {
  Clear();
  profile_ = cmsCreate_sRGBProfile();
  isSRGB_ = profile_ != nullptr;
}

void TIEICC::SaveToStream(TStream& stream, bool noLength) const {
  if (!noLength) {
    const uint32_t n = uint32_t(raw_.size());
    const uint8_t length[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
    stream.WriteBuffer(length, 4);
  }
  if (!raw_.empty()) stream.WriteBuffer(raw_.data(), int64_t(raw_.size()));
}

void TIEICC::OpenAndParse() {
  if (IELoadMSCMS() && IEICCStructureIsSound(raw_.data(), int32_t(raw_.size())))
    profile_ = cmsOpenProfileFromMem(raw_.data(), cmsUInt32Number(raw_.size()));
  ParseTexts();
}

void TIEICC::ParseTexts() {
  copyright_.clear();
  description_.clear();
  const int64_t length = int64_t(raw_.size());
  if (length <= kHeaderSize + 4) return;
  const uint8_t* data = raw_.data();
  const int32_t count = int32_t(U32BE(data + kHeaderSize));
  if (count < 0 || count > kMaxTextTags) return;
  for (int64_t i = 0; i < count; ++i) {
    const int64_t at = kHeaderSize + 4 + i * kTagEntrySize;
    if (at + kTagEntrySize > length) return;
    const uint8_t* entry = data + at;
    const int32_t offset = int32_t(U32BE(entry + 4));
    const int32_t size = int32_t(U32BE(entry + 8));
    // The tag's data must lie inside the profile, not just its start.
    if (offset < 0 || size < 0 || int64_t(offset) + size > length) return;
    if (size >= kMaxTextTag) continue;
    const int64_t end = int64_t(offset) + size;
    if (std::memcmp(entry, "cprt", 4) == 0)
      copyright_ = TextAt(data, int64_t(offset) + 8, end);
    else if (std::memcmp(entry, "desc", 4) == 0)
      description_ = TextAt(data, int64_t(offset) + 12, end);
  }
}

void TIEICC::FreeTransform() {
  if (transform_) {
    cmsDeleteTransform(Xform(transform_));
    Applied = true;
  }
  transform_ = nullptr;
}

bool TIEICC::Transform(TIEICC& dest, int32_t inputCode, int32_t outputCode, int32_t mode1, int32_t mode2,
                       const void* inBuffer, void* outBuffer, int32_t count) {
  if (!transform_ || inputCode != keyInput_ || outputCode != keyOutput_ || mode1 != keyMode1_ ||
      mode2 != keyMode2_) {
    FreeTransform();
    TLayout in{}, out{};
    if (profile_ && dest.profile_ && LayoutOf(inputCode, in) && LayoutOf(outputCode, out) &&
        cmsChannelsOf(cmsGetColorSpace(Profile(profile_))) == cmsUInt32Number(in.Channels) &&
        cmsChannelsOf(cmsGetColorSpace(Profile(dest.profile_))) == cmsUInt32Number(out.Channels))
      transform_ = cmsCreateTransform(Profile(profile_), in.Format, Profile(dest.profile_), out.Format,
                                      INTENT_PERCEPTUAL, cmsFLAGS_HIGHRESPRECALC);
    keyInput_ = inputCode;
    keyOutput_ = outputCode;
    keyMode1_ = mode1;
    keyMode2_ = mode2;
  }
  if (!transform_) return false;
  if (count <= 0 || !inBuffer || !outBuffer) return true;
  TLayout in{}, out{};
  LayoutOf(inputCode, in);
  LayoutOf(outputCode, out);
  const size_t n = size_t(count);
  std::vector<uint16_t> source(n * size_t(in.Channels)), target(n * size_t(out.Channels));
  Pack(inputCode, static_cast<const uint8_t*>(inBuffer), source.data(), n);
  cmsDoTransform(Xform(transform_), source.data(), target.data(), cmsUInt32Number(count));
  Unpack(outputCode, target.data(), static_cast<uint8_t*>(outBuffer), n);
  return true;
}

bool TIEICC::ConvertBitmap(TIEBitmap& bitmap, TIEPixelFormat targetFormat, TIEICC& dest) {
  auto codeOf = [](TIEPixelFormat f) -> int32_t {
    switch (f) {
      case ie8g: return 5;
      case ie24RGB: return 1;
      case ieCMYK: return 2;
      case ieRGB48: return 6;
      case ieCIELab: return 4;
      default: return -1;
    }
  };
  const int32_t sourceCode = codeOf(bitmap.GetPixelFormat());
  const int32_t targetCode = codeOf(targetFormat);
  if (sourceCode < 0 || targetCode < 0) return false;
  const int32_t width = bitmap.GetWidth(), height = bitmap.GetHeight();
  // Only a transform that exists may replace the image: without one the new rows would be garbage.
  if (!Transform(dest, sourceCode, targetCode, 0, 0, nullptr, nullptr, 0)) return false;
  std::unique_ptr<TIEBitmap> converted = TIEBitmap::CreateSized(width, height, targetFormat);
  if (!converted || converted->GetWidth() != width || converted->GetHeight() != height) {
    FreeTransform();
    return false;
  }
  for (int32_t row = 0; row < height; ++row)
    Transform(dest, sourceCode, targetCode, 0, 0, bitmap.GetScanline(row), converted->GetScanline(row), width);
  FreeTransform();
  bitmap.AssignImage(converted.get());
  return true;
}
