#include "ui/lookandfeel/cxGraphicsBitmaps.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/intmath.h"
#include "platform/vcl/pixelformat.h"
#include "ui/lookandfeel/cxDrawImage.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxCore.h"

using namespace win;

namespace {

uint32_t Pack(RGBQUAD q) {
  return uint32_t(q.rgbBlue) | uint32_t(q.rgbGreen) << 8 | uint32_t(q.rgbRed) << 16 | uint32_t(q.rgbReserved) << 24;
}

RGBQUAD Unpack(uint32_t v) {
  return RGBQUAD{uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

uint8_t ClampByte(long v) { return uint8_t(std::clamp<long>(v, 0, 255)); }

size_t PixelCount(TBitmap* bitmap) { return size_t(bitmap->Width()) * size_t(bitmap->Height()); }

// ---------------------------------------------------------------- XDBM codec

constexpr uint8_t kSignature[4] = {'X', 'D', 'B', 'M'};
constexpr int32_t kMaxRun = 125;
// A repeat run expands its block 125 times: past the largest bitmap file the
// framework reads (plus its length field), a block is refused before it fills memory.
constexpr size_t kMaxExpanded = (size_t(512) << 20) + 4;

[[noreturn]] void BadBlock() { throw EReadError("Stream read error"); }

void PutLE(uint8_t* p, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) p[i] = uint8_t(v >> (8 * i));
}

uint32_t GetLE(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}

}  // namespace

void WriteXDBMBlock(TStream& stream, std::span<const uint8_t> data, uint8_t blockSize) {
  const size_t s = std::max<uint8_t>(blockSize, 1);
  const size_t k = data.size() % s;
  const int64_t start = stream.Position();
  uint8_t head[12] = {};
  stream.WriteBuffer(head, 10);
  head[0] = uint8_t(s);
  head[1] = uint8_t(k);
  stream.WriteBuffer(head, 2);
  if (k) stream.WriteBuffer(data.data(), int64_t(k));

  const size_t len = data.size();
  auto block = [&](size_t at) { return data.subspan(at, s); };
  auto same = [&](size_t a, size_t b) { return std::equal(data.begin() + a, data.begin() + a + s, data.begin() + b); };
  size_t pos = k;
  while (pos + s <= len) {
    int32_t n = 1;
    bool literal = true;
    if (pos + 2 * s <= len) {
      literal = !same(pos, pos + s);
      size_t last = pos;
      for (size_t x = pos + s; n < kMaxRun && x + s <= len; x += s) {
        if (!literal) {
          if (!same(x, last)) break;
          ++n;
        } else if (!same(x, last)) {
          ++n;
          last = x;
        } else {
          // The block before x opens the next, repeating run.
          --n;
          break;
        }
      }
    }
    const uint8_t code = uint8_t(n | (literal ? 0x80 : 0));
    stream.WriteBuffer(&code, 1);
    const auto run = literal ? data.subspan(pos, size_t(n) * s) : block(pos);
    stream.WriteBuffer(run.data(), int64_t(run.size()));
    pos += size_t(n) * s;
  }

  const int64_t end = stream.Position();
  PutLE(head, uint32_t(end - start - 10), 4);
  std::memcpy(head + 4, kSignature, 4);
  PutLE(head + 8, 2, 2);
  stream.SetPosition(start);
  stream.WriteBuffer(head, 10);
  stream.SetPosition(end);
}

bool ReadXDBMBlock(TStream& stream, std::vector<uint8_t>& data) {
  const int64_t start = stream.Position();
  const int64_t available = stream.Size() - start;
  uint8_t head[10];
  if (available < 8) return false;
  stream.ReadBuffer(head, 8);
  if (std::memcmp(head + 4, kSignature, 4) != 0) {
    stream.SetPosition(start);
    return false;
  }
  if (available < 10) BadBlock();
  stream.ReadBuffer(head + 8, 2);
  const uint32_t size = GetLE(head, 4);
  const uint32_t version = GetLE(head + 8, 2);
  if ((version != 1 && version != 2) || int64_t(size) > available - 10) BadBlock();
  std::vector<uint8_t> payload(size);
  if (size) stream.ReadBuffer(payload.data(), size);

  std::vector<uint8_t> out;
  size_t pos = 0, s = 1;
  if (version == 2) {
    if (size < 2) BadBlock();
    s = payload[0];
    const size_t k = payload[1];
    pos = 2;
    if (s == 0 || k >= s || k > size - pos) BadBlock();
    out.assign(payload.begin() + 2, payload.begin() + 2 + ptrdiff_t(k));
    pos += k;
  }
  while (pos < size) {
    const uint8_t q = payload[pos++];
    const size_t n = q & 0x7F;
    if (n == 0 || n > size_t(kMaxRun)) BadBlock();
    const size_t bytes = (q & 0x80) ? n * s : s;
    if (bytes > size - pos || n * s > kMaxExpanded - out.size()) BadBlock();
    const auto from = payload.begin() + ptrdiff_t(pos);
    if (q & 0x80) {
      out.insert(out.end(), from, from + ptrdiff_t(bytes));
    } else {
      for (size_t i = 0; i < n; ++i) out.insert(out.end(), from, from + ptrdiff_t(s));
    }
    pos += bytes;
  }
  data = std::move(out);
  return true;
}

int32_t GetBitsPerPixel(TBitmap* bitmap) {
  const int32_t bits = PixelFormatBits(bitmap->PixelFormat());
  return bits ? bits : GetDeviceCaps(bitmap->Canvas()->Handle(), BITSPIXEL);
}

// ---------------------------------------------------------------- TcxBitmap

TcxBitmap::TcxBitmap() : TcxBitmap(0, 0) {}
TcxBitmap::TcxBitmap(const TRect& r) : TcxBitmap(r.Width(), r.Height()) {}
TcxBitmap::TcxBitmap(int32_t width, int32_t height) : TcxBitmap(width, height, pf24bit) {}
TcxBitmap::TcxBitmap(const TRect& r, TPixelFormat format) : TcxBitmap(r.Width(), r.Height(), format) {}
TcxBitmap::TcxBitmap(int32_t width, int32_t height, TPixelFormat format) { Setup(width, height, format); }
TcxBitmap::TcxBitmap(NoSetup) {}
TcxBitmap::~TcxBitmap() = default;

void TcxBitmap::Setup(int32_t width, int32_t height, TPixelFormat format) {
  cxCanvas_ = std::make_unique<TcxCanvas>(Canvas());
  BeginChange();
  SetPixelFormat(format);
  SetSize(width, height);
  EndChange(true);
}

void TcxBitmap::BeginChange() { ++lockCount_; }

void TcxBitmap::EndChange(bool forceUpdate) {
  if (--lockCount_ == 0 && (forceUpdate || modified_)) Changed(this);
}

void TcxBitmap::Changed(TObject* sender) {
  if (lockCount_ > 0) {
    modified_ = true;
    return;
  }
  TBitmap::Changed(sender);
  AfterChange();
  modified_ = false;
}

void TcxBitmap::SetSize(int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  BeginChange();
  try {
    TBitmap::SetSize(width, height);
  } catch (...) {
    --lockCount_;
    throw;
  }
  EndChange(false);
}

void TcxBitmap::BlitFrom(TBitmap* source, DWORD rop) {
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), source->Canvas()->Handle(), 0, 0, rop);
}

void TcxBitmap::BlitFrom(TBitmap* source, const TRect& destRect, DWORD rop, TPoint sourceTopLeft) {
  BitBlt(Canvas()->Handle(), destRect.Left, destRect.Top, destRect.Width(), destRect.Height(),
         source->Canvas()->Handle(), sourceTopLeft.X, sourceTopLeft.Y, rop);
}

void TcxBitmap::Rotate(int32_t rotation, bool flipVertically) { cxCanvas_->RotateBitmap(this, rotation, flipVertically); }

void TcxBitmap::ReadData(TStream& stream) {
  std::vector<uint8_t> data;
  if (!ReadXDBMBlock(stream, data)) {
    TBitmap::ReadData(stream);
    return;
  }
  TBytesStream expanded(std::move(data));
  TBitmap::ReadData(expanded);
}

void TcxBitmap::WriteData(TStream& stream) {
  if (!compressData_) {
    TBitmap::WriteData(stream);
    return;
  }
  TBytesStream plain;
  TBitmap::WriteData(plain);
  const int32_t bytesPerBlock = std::max(GetBitsPerPixel(this) / 8, 1);
  WriteXDBMBlock(stream, std::span(plain.Bytes().data(), size_t(plain.Size())), uint8_t(bytesPerBlock));
}

// ---------------------------------------------------------------- TcxBitmap32

TcxBitmap32::TcxBitmap32() : TcxBitmap32(0, 0) {}
TcxBitmap32::TcxBitmap32(NoSetup tag) : TcxBitmap(tag) {}

TcxBitmap32::TcxBitmap32(int32_t width, int32_t height, bool clear) : TcxBitmap(NoSetup{}) {
  Setup(width, height, pf32bit);
  if (clear) Clear();
}

TcxBitmap32::TcxBitmap32(const TRect& r, bool clear) : TcxBitmap32(r.Width(), r.Height(), clear) {}

void TcxBitmap32::AfterChange() {
  if (PixelFormat() != pf32bit) throw EdxException("Wrong PixelFormat");
}

void TcxBitmap32::Clear() {
  const RECT r = GetClientRect();
  FillRect(Canvas()->Handle(), &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
}

void TcxBitmap32::GetPixels(TRGBColors& colors) { GetBitmapPixels(this, false, colors); }

void TcxBitmap32::PutPixels(const TRGBColors& colors) {
  if (colors.size() == PixelCount(this)) WriteDIBPixels(this, colors.data(), false);
}

void TcxBitmap32::SetAlpha(uint8_t value) {
  TRGBColors colors;
  GetPixels(colors);
  for (RGBQUAD& c : colors) c.rgbReserved = value;
  PutPixels(colors);
}

bool TcxBitmap32::IsAlphaUsed() {
  TRGBColors colors;
  GetPixels(colors);
  return std::any_of(colors.begin(), colors.end(), [](RGBQUAD c) { return c.rgbReserved != 0; });
}

void TcxBitmap32::MaskOut(TBitmap* mask) {
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), mask->Canvas()->Handle(), 0, 0, 0x00220326);
}

void TcxBitmap32::BlendInto(TBitmap* dest, const TRect& destRect, bool smooth, uint8_t constantAlpha) {
  AlphaBlendRect(dest->Canvas()->Handle(), Canvas()->Handle(), destRect, GetClientRect(), smooth, constantAlpha);
}

void TcxBitmap32::LoadFromStream(TStream& stream) {
  BeginChange();
  try {
    TBitmap::LoadFromStream(stream);
    SetPixelFormat(pf32bit);
  } catch (...) {
    // What changed before the failure is still announced.
    EndChange(false);
    throw;
  }
  EndChange(true);
}

// ---------------------------------------------------------------- TcxAlphaBitmap

TcxAlphaBitmap::TcxAlphaBitmap() : TcxAlphaBitmap(0, 0) {}

TcxAlphaBitmap::TcxAlphaBitmap(int32_t width, int32_t height, bool clear) : TcxBitmap32(NoSetup{}) {
  Setup(width, height, pf32bit);
  if (clear) Clear();
}

TcxAlphaBitmap::TcxAlphaBitmap(int32_t width, int32_t height, uint32_t transparentBkColor)
    : TcxBitmap32(NoSetup{}), transparentBkColor_(transparentBkColor) {
  Setup(width, height, pf32bit);
}

void TcxAlphaBitmap::Clear() {
  if ((transparentBkColor_ >> 24) == 0) {
    TcxBitmap32::Clear();
    return;
  }
  Filter(bfClearColor);
}

void TcxAlphaBitmap::Reset(int32_t width, int32_t height) {
  SetSize(width, height);
  transparentColors_.clear();
  Clear();
}

void TcxAlphaBitmap::AddTransparentColor(TColor color) {
  transparentColors_.push_back(ColorToRGBQuad(color) & 0x00FFFFFF);
}

bool TcxAlphaBitmap::IsTransparentPixel(RGBQUAD pixel) const {
  const uint32_t v = Pack(pixel);
  return v == transparentBkColor_ ||
         std::find(transparentColors_.begin(), transparentColors_.end(), v & 0x00FFFFFF) != transparentColors_.end();
}

namespace {

// The nearest integer, ties to even, of the weighted sum in single precision.
uint8_t Grey(RGBQUAD p, float wR, float wG, float wB) {
  const float v = float(p.rgbRed) * wR + float(p.rgbGreen) * wG + float(p.rgbBlue) * wB;
  return ClampByte(std::lrint(v));
}

void SetGrey(RGBQUAD& p, uint8_t g) { p.rgbRed = p.rgbGreen = p.rgbBlue = g; }

}  // namespace

void TcxAlphaBitmap::FilterPixel(TcxBitmapFilter kind, RGBQUAD& p) const {
  switch (kind) {
    case bfDingy:
      if (IsTransparentPixel(p)) return;
      if (p.rgbReserved == 255) {
        for (uint8_t* c : {&p.rgbBlue, &p.rgbGreen, &p.rgbRed}) *c = ClampByte(*c + MulDiv(255 - *c, 3, 10));
      } else {
        for (uint8_t* c : {&p.rgbBlue, &p.rgbGreen, &p.rgbRed, &p.rgbReserved}) *c = ClampByte(MulDiv(*c, 200, 255));
      }
      return;
    case bfDirty:
      if (IsTransparentPixel(p)) return;
      SetGrey(p, Grey(p, 0.299f, 0.587f, 0.114f));
      BlendPixel(Unpack(ColorToRGBQuad(clBtnShadow, 0xC0)), p, 238);
      return;
    case bfGrayScale:
      if (IsTransparentPixel(p)) return;
      SetGrey(p, uint8_t((p.rgbRed + p.rgbGreen + p.rgbBlue) / 3));
      return;
    case bfOpaque: p.rgbReserved = 255; return;
    case bfMakeMask: p = Unpack(IsTransparentPixel(p) ? 0xFFFFFFFFu : 0u); return;
    case bfFade:
      if (!IsTransparentPixel(p)) SetGrey(p, Grey(p, 0.299f, 0.587f, 0.114f));
      return;
    case bfDisable:
      if (!IsTransparentPixel(p)) SetGrey(p, Grey(p, 0.0729f, 0.7146f, 0.2125f));
      return;
    case bfCorrectAlpha:
      if (!IsTransparentPixel(p) && p.rgbReserved == 0) p.rgbReserved = 255;
      return;
    case bfHatch: {
      const bool odd = ((current_.X / hatch_.Step) + (current_.Y / hatch_.Step)) % 2 != 0;
      BlendPixel(odd ? hatch_.Color2 : hatch_.Color1, p, odd ? hatch_.Alpha2 : hatch_.Alpha1);
      return;
    }
    case bfClearColor: p = Unpack(transparentBkColor_); return;
    case bfResetAlpha: p.rgbReserved = 0; return;
  }
}

void TcxAlphaBitmap::Filter(TcxBitmapFilter kind) {
  TRGBColors colors;
  if (!GetBitmapPixels(this, false, colors)) return;
  const int32_t w = Width(), h = Height();
  // Row by row, the order the pixels lie in: glyph drawing filters several times per glyph.
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      current_ = TPoint(x, y);
      FilterPixel(kind, colors[size_t(y) * size_t(w) + size_t(x)]);
    }
  PutPixels(colors);
  Changed(this);
}

void TcxAlphaBitmap::DrawHatch(TColor color1, TColor color2, uint8_t step, uint8_t alpha1, uint8_t alpha2) {
  hatch_.Color1 = Unpack(ColorToRGBQuad(color1, 255));
  hatch_.Color2 = Unpack(ColorToRGBQuad(color2, 255));
  hatch_.Alpha1 = alpha1;
  hatch_.Alpha2 = alpha2;
  hatch_.Step = std::max<uint8_t>(step, 1);
  Filter(bfHatch);
}

void TcxAlphaBitmap::DrawShadow(TcxAlphaBitmap* mask, int32_t offset, TColor color, bool grow) {
  const int32_t w = Width(), h = Height();
  TcxAlphaBitmap work(w + 2 * offset, h + 2 * offset, 0xFFFFFFFFu);
  work.Clear();
  work.BlitFrom(mask, TRect(offset, offset, offset + mask->Width(), offset + mask->Height()), SRCCOPY, TPoint(0, 0));
  // D and P and not S against the shape moved by offset: color where the moved
  // shape lies over background, 0 everywhere else.
  HDC wdc = work.Canvas()->Handle();
  work.Canvas()->Brush()->SetColor(color);
  work.Canvas()->RequiredState(TCanvasState{csHandleValid, csBrushValid});
  BitBlt(wdc, offset, offset, work.Width(), work.Height(), wdc, 0, 0, 0x00200F09);
  work.SetTransparentBkColor(0);
  work.Filter(bfCorrectAlpha);

  TcxAlphaBitmap merged(w + offset, h + offset, true);
  merged.BlitFrom(this, TRect(0, 0, w, h), SRCCOPY, TPoint(0, 0));
  merged.BlitFrom(&work, merged.GetClientRect(), SRCPAINT, TPoint(offset, offset));
  if (grow) SetSize(w + offset, h + offset);
  BlitFrom(&merged, SRCCOPY);
  Changed(this);
}

// ---------------------------------------------------------------- pixel routines

void InitBitmapInfoHeader32(BITMAPINFOHEADER& header, int32_t width, int32_t height, bool topDown) {
  header = BITMAPINFOHEADER{};
  header.biSize = 40;
  header.biWidth = width;
  header.biHeight = topDown ? -height : height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
}

namespace {

// A memory DC compatible with the screen, for the DIB transfers.
struct MemoryDC {
  HDC dc = CreateCompatibleDC(nullptr);
  ~MemoryDC() { DeleteDC(dc); }
  MemoryDC() = default;
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
};

}  // namespace

bool ReadDIBPixels(TBitmap* bitmap, RGBQUAD* buffer, bool topDown) {
  if (bitmap->Empty()) return false;
  BITMAPINFO256 info;
  InitBitmapInfoHeader32(info.bmiHeader, bitmap->Width(), bitmap->Height(), topDown);
  MemoryDC mem;
  return GetDIBits(mem.dc, bitmap->Handle(), 0, UINT(bitmap->Height()), buffer, info.get(), DIB_RGB_COLORS) != 0;
}

bool WriteDIBPixels(TBitmap* bitmap, const RGBQUAD* buffer, bool topDown) {
  if (bitmap->Empty()) return false;
  BITMAPINFO256 info;
  InitBitmapInfoHeader32(info.bmiHeader, bitmap->Width(), bitmap->Height(), topDown);
  MemoryDC mem;
  return SetDIBits(mem.dc, bitmap->Handle(), 0, UINT(bitmap->Height()), buffer, info.get(), DIB_RGB_COLORS) != 0;
}

bool GetBitmapPixels(TBitmap* bitmap, bool topDown, TRGBColors& colors) {
  colors.assign(PixelCount(bitmap), RGBQUAD{});
  return ReadDIBPixels(bitmap, colors.data(), topDown);
}

bool SetBitmapPixels(TBitmap* bitmap, TRGBColors& colors, bool topDown) {
  const bool done = colors.size() == PixelCount(bitmap) && WriteDIBPixels(bitmap, colors.data(), topDown);
  TRGBColors().swap(colors);
  return done;
}

std::unique_ptr<TBitmap> CreateBitmapOfFormat(int32_t width, int32_t height, TPixelFormat format) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(format);
  b->SetSize(width, height);
  return b;
}

std::unique_ptr<TBitmap> CreateBitmapOfFormat(TSize size, TPixelFormat format) {
  return CreateBitmapOfFormat(size.cx, size.cy, format);
}

std::unique_ptr<TBitmap> CreateBitmapOfFormat(const TRect& r, TPixelFormat format) {
  return CreateBitmapOfFormat(r.Width(), r.Height(), format);
}

std::unique_ptr<TBitmap> CopyDCRectToBitmap32(HDC dc, const TRect& r) {
  std::unique_ptr<TBitmap> b = CreateBitmapOfFormat(r, pf32bit);
  if (b->Empty()) return b;
  const RECT all{0, 0, r.Width(), r.Height()};
  FillRect(b->Canvas()->Handle(), &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
  BitBlt(b->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), dc, r.Left, r.Top, SRCCOPY);
  return b;
}

void StretchBitmap(TBitmap* dest, TBitmap* source) {
  StretchBlt(dest->Canvas()->Handle(), 0, 0, dest->Width(), dest->Height(), source->Canvas()->Handle(), 0, 0,
             source->Width(), source->Height(), SRCCOPY);
}

void BlendPixel(RGBQUAD source, RGBQUAD& dest, uint8_t constantAlpha) {
  const float c = float(constantAlpha) / 255.0f;
  const float e = 1.0f - float(source.rgbReserved) * c / 255.0f;
  auto mix = [&](uint8_t s, uint8_t& d) { d = ClampByte(std::lrint(c * float(s) + e * float(d))); };
  mix(source.rgbBlue, dest.rgbBlue);
  mix(source.rgbGreen, dest.rgbGreen);
  mix(source.rgbRed, dest.rgbRed);
  mix(source.rgbReserved, dest.rgbReserved);
}

void AlphaBlendRect(HDC destDC, HDC sourceDC, const TRect& destRect, const TRect& sourceRect, bool smooth,
                    uint8_t constantAlpha) {
  // The system's AlphaBlend entry is not bound on this platform: always the software road.
  if (destRect.IsEmpty() || sourceRect.IsEmpty()) return;
  std::unique_ptr<TBitmap> source = CopyDCRectToBitmap32(sourceDC, sourceRect);
  std::unique_ptr<TBitmap> dest = CopyDCRectToBitmap32(destDC, destRect);
  std::unique_ptr<TBitmap> scaled = CreateBitmapOfFormat(destRect, pf32bit);
  if (smooth && (destRect.Width() != sourceRect.Width() || destRect.Height() != sourceRect.Height()))
    ResampleBitmapSmooth(source.get(), scaled.get(), true);
  else
    StretchBitmap(scaled.get(), source.get());
  TRGBColors over, under;
  if (!GetBitmapPixels(scaled.get(), false, over) || !GetBitmapPixels(dest.get(), false, under)) return;
  for (size_t i = 0; i < under.size(); ++i) BlendPixel(over[i], under[i], constantAlpha);
  SetBitmapPixels(dest.get(), under, false);
  BitBlt(destDC, destRect.Left, destRect.Top, destRect.Width(), destRect.Height(), dest->Canvas()->Handle(), 0, 0,
         SRCCOPY);
}

void AlphaBlendBitmap(TBitmap* dest, TBitmap* source, const TRect& destRect, const TRect& sourceRect, bool smooth,
                      uint8_t constantAlpha) {
  AlphaBlendRect(dest->Canvas()->Handle(), source->Canvas()->Handle(), destRect, sourceRect, smooth, constantAlpha);
}

namespace {

struct Contributor {
  int32_t Index;
  int32_t Weight;
};

float Sinc(float x) {
  if (x == 0.0f) return 1.0f;
  const float px = std::numbers::pi_v<float> * x;
  return std::sin(px) / px;
}

float Lanczos3(float x) { return std::fabs(x) < 3.0f ? Sinc(x) * Sinc(x / 3.0f) : 0.0f; }

// A filter wider than the source reaches past its far edge too: mirror
// again until the index lies inside (each step shrinks |j|).
int32_t Mirrored(int32_t j, int32_t n) {
  while (j < 0 || j >= n) j = j < 0 ? -j : 2 * n - 1 - j;
  return j;
}

// For each of m destination indices the source indices (mirrored at the
// edges) and their weights scaled by 256.
std::vector<std::vector<Contributor>> Contributors(int32_t n, int32_t m) {
  const float s = (n == 1 || m == 1) ? float(m) / float(n) : float(m - 1) / float(n - 1);
  const float w = s >= 1.0f ? 1.0f : 1.0f / s;
  const float r = 3.0f * w;
  std::vector<std::vector<Contributor>> all(static_cast<size_t>(m));
  for (int32_t i = 0; i < m; ++i) {
    const float c = float(i) / s;
    auto& list = all[size_t(i)];
    list.reserve(size_t(2 * r + 1));
    for (auto j = int32_t(std::floor(c - r)); j <= int32_t(std::ceil(c + r)); ++j) {
      const auto weight = int32_t(std::lrint(Lanczos3((c - float(j)) / w) / w * 256.0f));
      if (weight == 0) continue;
      list.push_back({Mirrored(j, n), weight});
    }
  }
  return all;
}

// One pass over count lines of the array: from n samples spaced by srcStep to m spaced by dstStep.
void Pass(const std::vector<std::vector<Contributor>>& table, const TRGBColors& src, TRGBColors& dst, int32_t lines,
          size_t srcLine, size_t srcStep, size_t dstLine, size_t dstStep) {
  for (int32_t line = 0; line < lines; ++line)
    for (size_t i = 0; i < table.size(); ++i) {
      int32_t sum[4] = {0, 0, 0, 0};
      for (const Contributor& c : table[i]) {
        const RGBQUAD& p = src[size_t(line) * srcLine + size_t(c.Index) * srcStep];
        sum[0] += c.Weight * p.rgbBlue;
        sum[1] += c.Weight * p.rgbGreen;
        sum[2] += c.Weight * p.rgbRed;
        sum[3] += c.Weight * p.rgbReserved;
      }
      auto out = [](int32_t v) { return v < 0 ? uint8_t(0) : uint8_t(std::min<uint32_t>(255, uint32_t(v) / 256)); };
      dst[size_t(line) * dstLine + i * dstStep] = RGBQUAD{out(sum[0]), out(sum[1]), out(sum[2]), out(sum[3])};
    }
}

}  // namespace

void ResampleBitmapSmooth(TBitmap* source, TBitmap* dest, bool forceLanczos) {
  if (source->Empty() || dest->Empty()) return;
  const int32_t ws = source->Width(), hs = source->Height(), wd = dest->Width(), hd = dest->Height();
  source->Canvas()->Lock();
  dest->Canvas()->Lock();
  struct Unlock {
    TBitmap* a;
    TBitmap* b;
    ~Unlock() {
      b->Canvas()->Unlock();
      a->Canvas()->Unlock();
    }
  } unlock{source, dest};
  if (IsWinNTFamily && !forceLanczos) {
    HDC dc = dest->Canvas()->Handle();
    const int previous = SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, wd, hd, source->Canvas()->Handle(), 0, 0, ws, hs, SRCCOPY);
    SetStretchBltMode(dc, previous);
    return;
  }
  TRGBColors src, mid(size_t(wd) * size_t(hs)), out(size_t(wd) * size_t(hd));
  if (!GetBitmapPixels(source, false, src)) return;
  Pass(Contributors(ws, wd), src, mid, hs, size_t(ws), 1, size_t(wd), 1);
  Pass(Contributors(hs, hd), mid, out, wd, 1, size_t(wd), 1, size_t(wd));
  SetBitmapPixels(dest, out, false);
}

void BlitWholeBitmap(TBitmap* dest, TBitmap* source) {
  BlitBitmap(dest->Canvas()->Handle(), source, TRect(0, 0, dest->Width(), dest->Height()), SRCCOPY, TPoint(0, 0));
  dest->Changed(dest);
}

void CopyBitmapAndSize(TBitmap* dest, TBitmap* source) {
  dest->SetSize(source->Width(), source->Height());
  BlitWholeBitmap(dest, source);
}

std::unique_ptr<TBitmap> DuplicateBitmap(TBitmap* bitmap) {
  auto b = std::make_unique<TBitmap>();
  b->Assign(bitmap);
  return b;
}

HBITMAP DuplicateImageHandle(HBITMAP handle) {
  BITMAP bm;
  if (GetObjectType(handle) != OBJ_BITMAP || GetObject(handle, sizeof(bm), &bm) != int(sizeof(bm)) ||
      bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return nullptr;
  // A DIB section of the source's depth: its description (masks and colour
  // table included) comes from reading the pixels once.
  BITMAPINFO256 info;
  info.bmiHeader.biBitCount = 0;
  MemoryDC mem;
  if (!GetDIBits(mem.dc, handle, 0, 0, nullptr, info.get(), DIB_RGB_COLORS)) return nullptr;
  info.bmiHeader.biHeight = std::abs(info.bmiHeader.biHeight);
  const size_t rowBytes = size_t((int64_t(info.bmiHeader.biWidth) * info.bmiHeader.biBitCount + 31) / 32 * 4);
  std::vector<uint8_t> pixels(rowBytes * size_t(info.bmiHeader.biHeight));
  if (!GetDIBits(mem.dc, handle, 0, UINT(bm.bmHeight), pixels.data(), info.get(), DIB_RGB_COLORS)) return nullptr;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(mem.dc, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (copy && bits) std::memcpy(bits, pixels.data(), pixels.size());
  return copy;
}
