// TBitmap and its BMP file reader and writer.
//
// The BMP format as Microsoft documents it (BITMAPFILEHEADER, then a
// BITMAPCOREHEADER, BITMAPINFOHEADER or its V4/V5 extensions, an optional
// colour table or channel masks, then the rows, bottom-up unless the height is
// negative; RLE8 and RLE4 code runs, escapes for end of line, end of bitmap,
// delta and absolute runs). Every offset, count and size a file gives is
// checked against the bytes the stream holds before it is used.
#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#include "platform/gdi/gdi.h"
#include "platform/gdi/imagegate.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/pixelformat.h"

namespace {

using namespace win;

constexpr const char* kInvalidBitmap = "Bitmap image is not valid";
constexpr int32_t kMaxDimension = 1 << 16;
// The reader's own cap on one image, well below the gate's absurd size.
constexpr int64_t kMaxImageBytes = int64_t(256) << 20;

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic(kInvalidBitmap); }

// A device-format image is held as 32 bits.
int BitsOf(TPixelFormat f) {
  const int32_t bits = PixelFormatBits(f);
  return bits ? bits : 32;
}

// The colour tables a new palette image starts with: black and white; the
// sixteen VGA colours; those followed by a 6 x 6 x 6 colour cube and 24 greys.
std::vector<RGBQUAD> DefaultColors(int bits) {
  auto q = [](uint8_t r, uint8_t g, uint8_t b) { return RGBQUAD{b, g, r, 0}; };
  std::vector<RGBQUAD> c;
  if (bits == 1) return {q(0, 0, 0), q(255, 255, 255)};
  static const uint8_t vga[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                     {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                     {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                     {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  for (const auto& v : vga) c.push_back(q(v[0], v[1], v[2]));
  if (bits == 4) return c;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) c.push_back(q(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)));
  for (int i = 0; i < 24; ++i) {
    const uint8_t v = uint8_t(8 + i * 10);
    c.push_back(q(v, v, v));
  }
  return c;
}

struct DCHolder {
  HDC dc = nullptr;
  HGDIOBJ old = nullptr;
  explicit DCHolder(HBITMAP bmp) {
    dc = CreateCompatibleDC(nullptr);
    if (dc && bmp) old = SelectObject(dc, bmp);
  }
  ~DCHolder() {
    if (!dc) return;
    if (old) SelectObject(dc, old);
    DeleteDC(dc);
  }
  DCHolder(const DCHolder&) = delete;
  DCHolder& operator=(const DCHolder&) = delete;
};

HBITMAP CreateImage(int32_t w, int32_t h, TPixelFormat f, const std::vector<RGBQUAD>& colors, void** bitsOut = nullptr) {
  if (f == pfDevice) {
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    return b;
  }
  BITMAPINFO256 bi;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up, as the platform makes them
  bi.bmiHeader.biBitCount = WORD(BitsOf(f));
  bi.bmiHeader.biCompression = BI_RGB;
  if (f == pf16bit) {
    bi.bmiHeader.biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(bi.bmiColors, masks, sizeof(masks));
  } else if (BitsOf(f) <= 8) {
    const size_t max = size_t(1) << BitsOf(f);
    std::vector<RGBQUAD> table = colors.empty() || colors.size() > max ? DefaultColors(BitsOf(f)) : colors;
    std::copy(table.begin(), table.end(), bi.bmiColors);
    bi.bmiHeader.biClrUsed = DWORD(table.size());
  }
  void* bits = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, bi.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitsOut) *bitsOut = bits;
  return b;
}

// ---------------------------------------------------------------- reading

// Reads from a byte span; every read fails instead of passing the end.
class Reader {
public:
  explicit Reader(std::span<const uint8_t> d) : d_(d) {}
  size_t Pos() const { return pos_; }
  size_t Size() const { return d_.size(); }
  bool Seek(size_t p) {
    if (p > d_.size()) return false;
    pos_ = p;
    return true;
  }
  bool U8(uint8_t& v) {
    if (d_.size() - pos_ < 1) return false;
    v = d_[pos_++];
    return true;
  }
  bool U16(uint16_t& v) {
    if (d_.size() - pos_ < 2) return false;
    v = uint16_t(d_[pos_] | (d_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
  bool U32(uint32_t& v) {
    if (d_.size() - pos_ < 4) return false;
    v = uint32_t(d_[pos_]) | (uint32_t(d_[pos_ + 1]) << 8) | (uint32_t(d_[pos_ + 2]) << 16) |
        (uint32_t(d_[pos_ + 3]) << 24);
    pos_ += 4;
    return true;
  }
  bool I32(int32_t& v) {
    uint32_t u;
    if (!U32(u)) return false;
    v = int32_t(u);
    return true;
  }

private:
  std::span<const uint8_t> d_;
  size_t pos_ = 0;
};

// What the header says and where the rows lie; the pixels are decoded later,
// straight into the image made for them.
struct BmpLayout {
  int32_t width = 0;
  int32_t height = 0;  // always positive; topDown says which row comes first
  bool topDown = false;
  int bits = 0;
  uint32_t compression = BI_RGB;
  uint32_t masks[4] = {0, 0, 0, 0};
  bool convert = false;  // channel masks the image formats do not keep: unpacked to 32 bits
  TPixelFormat format = pf24bit;
  std::vector<RGBQUAD> colors;
  int32_t rowBytes = 0;  // of the image made, not of the file
  std::span<const uint8_t> data;
};

uint32_t LoadLE(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}

uint8_t Channel(uint32_t v, uint32_t mask) {
  if (!mask) return 0;
  const int shift = std::countr_zero(mask);
  const uint32_t max = mask >> shift;
  return uint8_t(((uint64_t(v & mask) >> shift) * 255 + max / 2) / max);
}

// The most pixels one byte of run-length codes can account for. An encoded run
// paints at most 255 pixels for 2 bytes; a delta escape moves at most 255
// columns and 255 rows for 4 bytes, which we count as 255 x 255 pixels, so
// a picture cannot be bought with skips alone; an end-of-line escape counts
// nothing. The delta is the richest code: about 16,257 pixels per byte.
constexpr int64_t kRlePixelsPerByte = (255 * 255 + 3) / 4;

// RLE8 and RLE4 codes straight into bottom-up rows of the image (row 0 is the
// bottom one, as the codes count), which start zeroed.
void DecodeRle(std::span<const uint8_t> data, bool four, int32_t w, int32_t h, uint8_t* rows, int32_t rowBytes) {
  int64_t x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](uint8_t* row, int64_t px, uint8_t v) {
    if (!four) {
      row[px] = v;
      return;
    }
    uint8_t& b = row[px / 2];
    b = (px & 1) ? uint8_t((b & 0xF0) | v) : uint8_t((b & 0x0F) | (v << 4));
  };
  size_t pos = 0;
  while (pos + 2 <= data.size() && y < h) {
    const uint8_t count = data[pos], value = data[pos + 1];
    pos += 2;
    uint8_t* row = rows + size_t(y) * size_t(rowBytes);
    if (count > 0) {
      const int64_t n = std::min<int64_t>(count, std::max<int64_t>(0, w - x));
      for (int64_t k = 0; k < n; ++k) put(row, x + k, four ? ((k & 1) ? value & 0x0F : value >> 4) : value);
      x += count;
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (pos + 2 > data.size()) break;
      x += data[pos];
      y += data[pos + 1];
      pos += 2;
    } else {  // absolute run, padded to a 16-bit boundary
      const size_t bytes = four ? (size_t(value) + 1) / 2 : value;
      if (pos + bytes > data.size()) InvalidBitmap();
      const int64_t n = std::min<int64_t>(value, std::max<int64_t>(0, w - x));
      for (int64_t k = 0; k < n; ++k) {
        const uint8_t b = data[pos + (four ? size_t(k) / 2 : size_t(k))];
        put(row, x + k, four ? ((k & 1) ? b & 0x0F : b >> 4) : b);
      }
      x += value;
      pos += bytes + (bytes & 1);
    }
  }
}

// Uncompressed rows (and channel masks unpacked) into bottom-up image rows.
void DecodePlain(const BmpLayout& l, uint8_t* rows) {
  const int32_t srcRow = DibRowBytes(l.width, l.bits);
  for (int32_t i = 0; i < l.height; ++i) {
    const int32_t y = l.topDown ? l.height - 1 - i : i;  // from the bottom
    const uint8_t* src = &l.data[size_t(i) * size_t(srcRow)];
    uint8_t* dst = rows + size_t(y) * size_t(l.rowBytes);
    if (!l.convert) {
      std::memcpy(dst, src, size_t(std::min(srcRow, l.rowBytes)));
      continue;
    }
    const int bytes = l.bits / 8;
    for (int32_t x = 0; x < l.width; ++x) {
      const uint32_t v = LoadLE(src + size_t(x) * size_t(bytes), bytes);
      dst[4 * x + 0] = Channel(v, l.masks[2]);
      dst[4 * x + 1] = Channel(v, l.masks[1]);
      dst[4 * x + 2] = Channel(v, l.masks[0]);
      dst[4 * x + 3] = Channel(v, l.masks[3]);
    }
  }
}

BmpLayout ParseBmp(std::span<const uint8_t> file) {
  Reader r(file);
  uint8_t b0, b1;
  uint32_t fileSize, reserved, offBits, headerSize;
  if (!r.U8(b0) || !r.U8(b1) || b0 != 'B' || b1 != 'M') InvalidBitmap();
  if (!r.U32(fileSize) || !r.U32(reserved) || !r.U32(offBits) || !r.U32(headerSize)) InvalidBitmap();

  int32_t width = 0, height = 0;
  uint16_t planes = 1, bits = 0;
  uint32_t compression = BI_RGB, sizeImage = 0, clrUsed = 0;
  uint32_t masks[4] = {0, 0, 0, 0};
  const bool core = headerSize == 12;
  if (core) {
    uint16_t w16, h16;
    if (!r.U16(w16) || !r.U16(h16) || !r.U16(planes) || !r.U16(bits)) InvalidBitmap();
    width = w16;
    height = h16;
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 || headerSize == 108 ||
             headerSize == 124) {
    int32_t xppm, yppm;
    uint32_t important;
    if (!r.I32(width) || !r.I32(height) || !r.U16(planes) || !r.U16(bits) || !r.U32(compression) ||
        !r.U32(sizeImage) || !r.I32(xppm) || !r.I32(yppm) || !r.U32(clrUsed) || !r.U32(important))
      InvalidBitmap();
    // Masks inside the longer headers; a plain header with BI_BITFIELDS has them after it.
    const int inHeader = headerSize >= 56 ? 4 : (headerSize >= 52 ? 3 : 0);
    const int count = inHeader ? inHeader : (compression == BI_BITFIELDS ? 3 : 0);
    for (int i = 0; i < count; ++i)
      if (!r.U32(masks[i])) InvalidBitmap();
  } else {
    InvalidBitmap();
  }
  if (!r.Seek(14 + size_t(headerSize) + (headerSize == 40 && compression == BI_BITFIELDS ? 12 : 0))) InvalidBitmap();

  if (width <= 0 || height == 0 || height == INT32_MIN) InvalidBitmap();
  const bool topDown = height < 0;
  const int32_t h = topDown ? -height : height;
  if (width > kMaxDimension || h > kMaxDimension) InvalidBitmap();

  bool ok = false;
  switch (compression) {
    case BI_RGB: ok = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; break;
    case BI_RLE8: ok = bits == 8 && !topDown && !core; break;
    case BI_RLE4: ok = bits == 4 && !topDown && !core; break;
    case BI_BITFIELDS: ok = (bits == 16 || bits == 32) && (masks[0] | masks[1] | masks[2]) != 0; break;
    default: ok = false;
  }
  if (!ok) InvalidBitmap();

  BmpLayout l;
  l.width = width;
  l.height = h;
  l.topDown = topDown;
  l.bits = bits;
  l.compression = compression;
  std::copy(masks, masks + 4, l.masks);
  if (bits <= 8) {
    const uint32_t max = 1u << bits;
    const uint32_t entries = std::min(clrUsed ? clrUsed : max, max);
    for (uint32_t i = 0; i < entries; ++i) {
      RGBQUAD q;
      if (!r.U8(q.rgbBlue) || !r.U8(q.rgbGreen) || !r.U8(q.rgbRed)) InvalidBitmap();
      if (!core && !r.U8(q.rgbReserved)) InvalidBitmap();
      q.rgbReserved = 0;
      l.colors.push_back(q);
    }
    l.colors.resize(max);
  }

  // Where the rows start: the file says so, or they follow the colour table.
  size_t dataStart = offBits ? size_t(offBits) : r.Pos();
  if (dataStart < 14 + size_t(headerSize) || dataStart >= file.size()) InvalidBitmap();

  if (bits == 1) l.format = pf1bit;
  else if (bits == 4) l.format = pf4bit;
  else if (bits == 8) l.format = pf8bit;
  else if (bits == 24) l.format = pf24bit;
  else if (bits == 16) {
    if (compression == BI_RGB || (masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F)) l.format = pf15bit;
    else if (masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F) l.format = pf16bit;
    else l.format = pf32bit;
  } else {
    l.format = pf32bit;
  }
  l.convert = (bits == 16 && l.format == pf32bit) ||
              (bits == 32 && compression == BI_BITFIELDS &&
               !(masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF));

  // The gate: the image's size, then what the data can fill, before anything is made.
  l.rowBytes = DibRowBytes(width, BitsOf(l.format));
  int64_t imageBytes = 0;
  if (!ImageBufferBytes(l.rowBytes, h, 1, imageBytes, kMaxImageBytes)) InvalidBitmap();
  l.data = file.subspan(dataStart);
  int64_t plausible = 0;
  if (compression == BI_RLE8 || compression == BI_RLE4) {
    if (sizeImage && sizeImage <= l.data.size()) l.data = l.data.first(sizeImage);
    plausible = SaturatingProduct(int64_t(l.data.size()), kRlePixelsPerByte);
  } else {
    int64_t rowsBytes = 0;
    if (!ImageBufferBytes(DibRowBytes(width, bits), h, 1, rowsBytes, kMaxImageBytes) ||
        !ImageDataFits(0, rowsBytes, int64_t(l.data.size())))
      InvalidBitmap();
    plausible = int64_t(width) * h;
  }
  if (!ImagePixelsAllowed(width, h, plausible)) InvalidBitmap();
  return l;
}

// Frees an image made for a read that failed before the bitmap took it.
struct ImageGuard {
  HBITMAP image;
  ~ImageGuard() {
    if (image) DeleteObject(image);
  }
};

// ---------------------------------------------------------------- writing

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

// ---------------------------------------------------------------- TBitmapCanvas

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  bitmap_->HandleNeeded();
  ownDC_ = CreateCompatibleDC(nullptr);
  if (!ownDC_) return;
  if (bitmap_->handle_) oldBitmap_ = SelectObject(ownDC_, bitmap_->handle_);
  if (bitmap_->palette_) oldPalette_ = SelectPalette(ownDC_, bitmap_->palette_, TRUE);
  SetHandle(ownDC_);
}

void TBitmapCanvas::FreeContext() {
  if (!ownDC_) return;
  HDC dc = ownDC_;
  SetHandle(nullptr);
  if (oldBitmap_) SelectObject(dc, oldBitmap_);
  if (oldPalette_) SelectPalette(dc, oldPalette_, TRUE);
  DeleteDC(dc);
  ownDC_ = nullptr;
  oldBitmap_ = nullptr;
  oldPalette_ = nullptr;
}

// ---------------------------------------------------------------- TBitmap

TBitmap::TBitmap() = default;

// The image itself is made on first use, white, in the device format.
TBitmap::TBitmap(int32_t width, int32_t height) : width_(std::max(width, 0)), height_(std::max(height, 0)) {}

TBitmap::~TBitmap() {
  canvas_.reset();
  FreeHandleAndPalette();
}

void TBitmap::FreeContext() {
  if (canvas_) canvas_->FreeContext();
}

void TBitmap::FreeHandleAndPalette() {
  if (handle_) DeleteObject(handle_);
  if (palette_) DeleteObject(palette_);
  handle_ = nullptr;
  palette_ = nullptr;
}

bool TBitmap::Empty() const { return width_ <= 0 || height_ <= 0; }

DIBSECTION TBitmap::Section() {
  DIBSECTION ds{};
  if (handle_ && GetObject(handle_, sizeof(ds), &ds) != int(sizeof(ds))) ds.dsBm.bmBits = nullptr;
  return ds;
}

void TBitmap::HandleNeeded() {
  if (handle_) return;
  if (!dormant_.empty()) {
    // Waking up is no change: the image is read back without notifying anyone.
    TBytesStream s(std::move(dormant_));
    dormant_.clear();
    ReadBmp(s);
    return;
  }
  if (width_ > 0 && height_ > 0) NewImage(width_, height_, format_, nullptr, false);
}

void TBitmap::NewImage(int32_t width, int32_t height, TPixelFormat format, const std::vector<RGBQUAD>* colors,
                       bool keepPixels) {
  FreeContext();
  HBITMAP nb = nullptr;
  if (width > 0 && height > 0) {
    nb = CreateImage(width, height, format, colors ? *colors : std::vector<RGBQUAD>{});
    if (!nb) throw EOutOfMemory("Out of system resources");
    DCHolder to(nb);
    const RECT all{0, 0, width, height};
    FillRect(to.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (keepPixels && handle_) {
      DCHolder from(handle_);
      BitBlt(to.dc, 0, 0, std::min(width, width_), std::min(height, height_), from.dc, 0, 0, SRCCOPY);
    }
  }
  FreeHandleAndPalette();  // a palette is made anew from the new colour table on request
  handle_ = nb;
  width_ = width;
  height_ = height;
  format_ = format;
  dormant_.clear();
}

void TBitmap::AdoptHandle(HBITMAP bitmap) {
  FreeContext();
  FreeHandleAndPalette();
  dormant_.clear();
  handle_ = bitmap;
  BITMAP bm;
  if (bitmap && GetObject(bitmap, sizeof(bm), &bm) == int(sizeof(bm))) {
    width_ = bm.bmWidth;
    height_ = bm.bmHeight;
  } else {
    width_ = height_ = 0;
  }
  if (handle_) format_ = PixelFormat();
}

void TBitmap::Changed(TObject* sender) { TGraphic::Changed(sender); }

void TBitmap::Assign(TPersistent* source) {
  if (source == this) return;
  if (!source) {
    FreeContext();
    FreeHandleAndPalette();
    dormant_.clear();
    width_ = height_ = 0;
    Changed(this);
    return;
  }
  if (auto* src = dynamic_cast<TBitmap*>(source)) {
    HBITMAP copy = nullptr;
    if (!src->Empty()) {
      src->HandleNeeded();
      const TPixelFormat f = src->PixelFormat();
      if (f == pfDevice || f == pfCustom) {
        copy = CreateImage(src->width_, src->height_, f == pfCustom ? pf32bit : pfDevice, {});
        if (!copy) throw EOutOfMemory("Out of system resources");
        // A bitmap selected into its canvas's DC cannot be selected anywhere
        // else; the canvas takes it back on its next use.
        src->FreeContext();
        DCHolder to(copy), from(src->handle_);
        BitBlt(to.dc, 0, 0, src->width_, src->height_, from.dc, 0, 0, SRCCOPY);
      } else {
        void* bits = nullptr;
        copy = CreateImage(src->width_, src->height_, f, src->ColorTable(), &bits);
        if (!copy || !bits) throw EOutOfMemory("Out of system resources");
        // Same format, same geometry: the rows copy byte for byte.
        const int32_t stride = src->RowBytes();
        const int32_t rowBytes = DibRowBytes(src->width_, BitsOf(f));
        auto* dst = static_cast<uint8_t*>(bits);
        for (int32_t y = 0; y < src->height_; ++y)
          std::memcpy(dst + size_t(src->height_ - 1 - y) * size_t(rowBytes),
                      static_cast<uint8_t*>(src->ScanLine(0)) + ptrdiff_t(y) * stride, size_t(rowBytes));
      }
    }
    FreeContext();
    FreeHandleAndPalette();
    dormant_.clear();
    handle_ = copy;
    width_ = src->width_;
    height_ = src->height_;
    format_ = copy ? PixelFormat() : src->format_;
    alphaFormat_ = src->alphaFormat_;
    transparent_ = src->transparent_;
    transparentMode_ = src->transparentMode_;
    transparentColor_ = src->transparentColor_;
    Changed(this);
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(source)) {
    // Another kind of graphic: drawn onto a white bitmap of its size.
    NewImage(g->Width(), g->Height(), pf32bit, nullptr, false);
    if (!Empty()) Canvas()->Draw(0, 0, g);
    Changed(this);
    return;
  }
  TGraphic::Assign(source);
}

void TBitmap::SetSize(int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  HandleNeeded();
  const TPixelFormat f = PixelFormat();
  const std::vector<RGBQUAD> colors = handle_ ? ColorTable() : std::vector<RGBQUAD>{};
  NewImage(width, height, f == pfCustom ? pf32bit : f, &colors, true);
  Changed(this);
}

TPixelFormat TBitmap::PixelFormat() {
  HandleNeeded();
  if (!handle_) return format_;
  const DIBSECTION ds = Section();
  if (!ds.dsBm.bmBits) return pfDevice;
  const DWORD* m = ds.dsBitfields;
  switch (ds.dsBmih.biBitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16:
      if (ds.dsBmih.biCompression != BI_BITFIELDS || (m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F)) return pf15bit;
      if (m[0] == 0xF800 && m[1] == 0x07E0 && m[2] == 0x001F) return pf16bit;
      return pfCustom;
    case 24: return pf24bit;
    case 32:
      if (ds.dsBmih.biCompression != BI_BITFIELDS || (m[0] == 0xFF0000 && m[1] == 0xFF00 && m[2] == 0xFF)) return pf32bit;
      return pfCustom;
    default: return pfCustom;
  }
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == pfCustom) throw EInvalidGraphic("Invalid pixel format");
  if (format == PixelFormat()) return;
  if (Empty()) {
    format_ = format;
    return;
  }
  NewImage(width_, height_, format, nullptr, true);
  Changed(this);
}

TBitmapHandleType TBitmap::HandleType() { return PixelFormat() == pfDevice ? bmDDB : bmDIB; }

void TBitmap::SetHandleType(TBitmapHandleType type) {
  if (type == HandleType()) return;
  if (type == bmDDB) {
    SetPixelFormat(pfDevice);
    return;
  }
  // A device bitmap becomes a DIB of the device's depth (one bit for monochrome ones).
  const BITMAP bm = [&] {
    BITMAP b;
    if (!handle_ || GetObject(handle_, sizeof(b), &b) != int(sizeof(b))) b.bmBitsPixel = 32;
    return b;
  }();
  const TPixelFormat f = bm.bmBitsPixel == 1 ? pf1bit : (bm.bmBitsPixel == 24 ? pf24bit : pf32bit);
  if (Empty()) {
    format_ = f;
    return;
  }
  NewImage(width_, height_, f, nullptr, true);
  Changed(this);
}

bool TBitmap::Monochrome() {
  HandleNeeded();
  if (!handle_) return format_ == pf1bit;
  const DIBSECTION ds = Section();
  if (!ds.dsBm.bmBits) return ds.dsBm.bmBitsPixel == 1;
  if (ds.dsBmih.biBitCount != 1) return false;
  const std::vector<RGBQUAD> t = ColorTable();
  return t.size() >= 2 && t[0] == RGBQUAD{0, 0, 0, 0} && t[1] == RGBQUAD{255, 255, 255, 0};
}

void TBitmap::SetMonochrome(bool value) {
  if (value == Monochrome()) return;
  const std::vector<RGBQUAD> bw = DefaultColors(1);
  if (Empty()) {
    format_ = value ? pf1bit : pfDevice;
    return;
  }
  NewImage(width_, height_, value ? pf1bit : pfDevice, value ? &bw : nullptr, true);
  Changed(this);
}

void* TBitmap::ScanLine(int32_t row) {
  HandleNeeded();
  if (HandleType() == bmDDB) SetHandleType(bmDIB);
  if (row < 0 || row >= height_ || !handle_) throw EInvalidGraphicOperation("Scan line index out of range");
  const DIBSECTION ds = Section();
  auto* bits = static_cast<uint8_t*>(ds.dsBm.bmBits);
  const int32_t memRow = ds.dsBmih.biHeight > 0 ? height_ - 1 - row : row;
  return bits + ptrdiff_t(memRow) * ds.dsBm.bmWidthBytes;
}

int32_t TBitmap::RowBytes() {
  HandleNeeded();
  if (HandleType() == bmDDB) SetHandleType(bmDIB);
  const DIBSECTION ds = Section();
  return ds.dsBmih.biHeight > 0 ? -ds.dsBm.bmWidthBytes : ds.dsBm.bmWidthBytes;
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(this);
    canvas_->OnChange = [this](TObject*) { Changed(this); };
  }
  return canvas_.get();
}

HBITMAP TBitmap::Handle() {
  HandleNeeded();
  return handle_;
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  if (bitmap == handle_) return;
  AdoptHandle(bitmap);
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  HandleNeeded();
  FreeContext();
  HBITMAP h = handle_;
  handle_ = nullptr;
  if (palette_) DeleteObject(palette_);
  palette_ = nullptr;
  width_ = height_ = 0;
  dormant_.clear();
  Changed(this);
  return h;
}

std::vector<RGBQUAD> TBitmap::ColorTable() {
  HandleNeeded();
  const DIBSECTION ds = Section();
  if (!ds.dsBm.bmBits || ds.dsBmih.biBitCount > 8) return {};
  // The bitmap can be selected into one DC only: its canvas's when that exists.
  std::optional<DCHolder> tmp;
  HDC dc = canvas_ ? canvas_->OwnDC() : nullptr;
  if (!dc) dc = tmp.emplace(handle_).dc;
  std::vector<RGBQUAD> t(256);
  const UINT n = GetDIBColorTable(dc, 0, 256, t.data());
  t.resize(n);
  return t;
}

void TBitmap::SetColorTable(const std::vector<RGBQUAD>& colors) {
  HandleNeeded();
  const DIBSECTION ds = Section();
  if (!ds.dsBm.bmBits || ds.dsBmih.biBitCount > 8 || colors.empty()) return;
  FreeContext();
  {
    DCHolder tmp(handle_);
    SetDIBColorTable(tmp.dc, 0, UINT(std::min<size_t>(colors.size(), size_t(1) << ds.dsBmih.biBitCount)), colors.data());
  }
  if (palette_) DeleteObject(palette_);
  palette_ = nullptr;
  Changed(this);
}

HPALETTE TBitmap::Palette() {
  if (palette_) return palette_;
  const std::vector<RGBQUAD> t = ColorTable();
  if (t.empty()) return nullptr;
  std::vector<uint8_t> mem(sizeof(LOGPALETTE) + t.size() * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(mem.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = WORD(t.size());
  for (size_t i = 0; i < t.size(); ++i) lp->palPalEntry[i] = PALETTEENTRY{t[i].rgbRed, t[i].rgbGreen, t[i].rgbBlue, 0};
  palette_ = CreatePalette(lp);
  return palette_;
}

void TBitmap::SetPalette(HPALETTE palette) {
  if (palette == palette_) return;
  std::vector<RGBQUAD> t;
  if (palette) {
    PALETTEENTRY e[256];
    const UINT n = GetPaletteEntries(palette, 0, 256, e);
    for (UINT i = 0; i < n; ++i) t.push_back(RGBQUAD{e[i].peBlue, e[i].peGreen, e[i].peRed, 0});
  }
  SetColorTable(t);  // drops the old palette object
  FreeContext();
  if (palette_) DeleteObject(palette_);
  palette_ = palette;
  Changed(this);
}

void TBitmap::SetAlphaFormat(TAlphaFormat format) {
  if (format == alphaFormat_) return;
  const TAlphaFormat from = alphaFormat_;
  alphaFormat_ = format;
  if (Empty() || PixelFormat() != pf32bit) return;
  const bool premultiply = from == afDefined && format == afPremultiplied;
  const bool unpremultiply = from == afPremultiplied && format == afDefined;
  if (premultiply || unpremultiply) {
    for (int32_t y = 0; y < height_; ++y) {
      auto* p = static_cast<uint8_t*>(ScanLine(y));
      for (int32_t x = 0; x < width_; ++x, p += 4) {
        const uint32_t a = p[3];
        for (int c = 0; c < 3; ++c)
          p[c] = premultiply ? uint8_t((p[c] * a + 127) / 255)
                             : uint8_t(a ? std::min<uint32_t>(255, (p[c] * 255 + a / 2) / a) : 0);
      }
    }
  }
  Changed(this);
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
  if (Empty()) return clDefault;
  return Canvas()->Pixels(0, height_ - 1) | 0x02000000;
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparentColor_ && (transparentMode_ == tmFixed) == (color != clDefault)) return;
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? tmAuto : tmFixed;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  if (mode == tmAuto) {
    SetTransparentColor(clDefault);
  } else {
    SetTransparentColor(TransparentColor() & 0x00FFFFFF);
  }
}

void TBitmap::Dormant() {
  if (!handle_ || Empty()) return;
  TBytesStream s;
  SaveToStream(s);
  std::vector<uint8_t> bytes(s.Bytes().begin(), s.Bytes().begin() + ptrdiff_t(s.Size()));
  FreeContext();
  FreeHandleAndPalette();
  dormant_ = std::move(bytes);
}

void TBitmap::FreeImage() {
  HandleNeeded();
  dormant_.clear();
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty() || !canvas) return;
  Canvas()->RequiredState({csHandleValid});
  HDC src = canvas_->OwnDC();
  HDC dst = canvas->Handle();
  if (alphaFormat_ != afIgnored && PixelFormat() == pf32bit) {
    BLENDFUNCTION bf;
    bf.BlendOp = AC_SRC_OVER;
    bf.SourceConstantAlpha = 255;
    bf.AlphaFormat = AC_SRC_ALPHA;
    if (alphaFormat_ == afPremultiplied) {
      AlphaBlend(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_, bf);
    } else {
      TBitmap pre;
      pre.Assign(this);
      pre.SetAlphaFormat(afPremultiplied);
      pre.Canvas()->RequiredState({csHandleValid});
      AlphaBlend(dst, r.Left, r.Top, r.Width(), r.Height(), pre.canvas_->OwnDC(), 0, 0, width_, height_, bf);
    }
  } else if (Transparent()) {
    const UINT key = UINT(ColorToRGB(TransparentColor() & 0x00FFFFFF)) & 0x00FFFFFFu;
    TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_, key);
  } else {
    StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_, DWORD(canvas->CopyMode()));
  }
}

void TBitmap::LoadFromStream(TStream& stream) {
  ReadBmp(stream);
  Changed(this);
}

void TBitmap::ReadBmp(TStream& stream) {
  // As the framework does, the file is the rest of the stream; the header's
  // own file size is not trusted (writers get it wrong).
  const int64_t available = stream.Size() - stream.Position();
  if (available < 14 + 12) InvalidBitmap();
  constexpr int64_t kMaxFile = int64_t(512) << 20;
  std::vector<uint8_t> file(static_cast<size_t>(std::min(available, kMaxFile)));
  stream.ReadBuffer(file.data(), int64_t(file.size()));

  const BmpLayout l = ParseBmp(file);
  void* bits = nullptr;
  ImageGuard made{CreateImage(l.width, l.height, l.format, l.colors, &bits)};
  if (!made.image || !bits) throw EOutOfMemory("Out of system resources");
  // The image is bottom-up in memory, as the codes and most files count rows.
  auto* rows = static_cast<uint8_t*>(bits);
  if (l.compression == BI_RLE8 || l.compression == BI_RLE4)
    DecodeRle(l.data, l.compression == BI_RLE4, l.width, l.height, rows, l.rowBytes);
  else
    DecodePlain(l, rows);
  HBITMAP nb = made.image;
  made.image = nullptr;
  AdoptHandle(nb);
  alphaFormat_ = afIgnored;
}

void TBitmap::SaveToStream(TStream& stream) {
  if (Empty()) return;
  HandleNeeded();
  const DIBSECTION ds = Section();
  int bits = 32;
  DWORD compression = BI_RGB;
  DWORD masks[3] = {0, 0, 0};
  std::vector<RGBQUAD> colors;
  std::vector<uint8_t> pixels;  // bottom row first, as the file stores them
  int32_t rowBytes = 0;
  if (ds.dsBm.bmBits) {
    bits = ds.dsBmih.biBitCount;
    compression = ds.dsBmih.biCompression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB;
    std::copy(ds.dsBitfields, ds.dsBitfields + 3, masks);
    if (bits <= 8) colors = ColorTable();
    rowBytes = DibRowBytes(width_, bits);
    pixels.resize(size_t(rowBytes) * size_t(height_));
    for (int32_t y = 0; y < height_; ++y)
      std::memcpy(&pixels[size_t(height_ - 1 - y) * size_t(rowBytes)], ScanLine(y), size_t(rowBytes));
  } else {
    // A device bitmap is written as 32-bit pixels.
    rowBytes = DibRowBytes(width_, 32);
    pixels.resize(size_t(rowBytes) * size_t(height_));
    BITMAPINFO256 bi;
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = height_;
    bi.bmiHeader.biBitCount = 32;
    FreeContext();
    DCHolder tmp(nullptr);
    GetDIBits(tmp.dc, handle_, 0, UINT(height_), pixels.data(), bi.get(), DIB_RGB_COLORS);
  }
  const uint32_t extra = (compression == BI_BITFIELDS ? 12 : 0) + uint32_t(colors.size()) * 4;
  const uint32_t offBits = 14 + 40 + extra;
  const uint32_t imageSize = uint32_t(pixels.size());
  std::vector<uint8_t> out;
  out.reserve(offBits + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, offBits + imageSize);
  PutU32(out, 0);
  PutU32(out, offBits);
  PutU32(out, 40);
  PutU32(out, uint32_t(width_));
  PutU32(out, uint32_t(height_));
  PutU16(out, 1);
  PutU16(out, uint16_t(bits));
  PutU32(out, compression);
  PutU32(out, imageSize);
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, uint32_t(colors.size()));
  PutU32(out, 0);
  if (compression == BI_BITFIELDS)
    for (DWORD m : masks) PutU32(out, m);
  for (const RGBQUAD& q : colors) {
    out.push_back(q.rgbBlue);
    out.push_back(q.rgbGreen);
    out.push_back(q.rgbRed);
    out.push_back(0);
  }
  out.insert(out.end(), pixels.begin(), pixels.end());
  stream.WriteBuffer(out.data(), int64_t(out.size()));
}

void TBitmap::ReadData(TStream& stream) {
  uint8_t b[4];
  stream.ReadBuffer(b, 4);
  const uint32_t size = LoadLE(b, 4);
  if (size == 0) {
    Assign(nullptr);
    return;
  }
  if (int64_t(size) > stream.Size() - stream.Position()) InvalidBitmap();
  std::vector<uint8_t> bytes(size);
  stream.ReadBuffer(bytes.data(), size);
  TBytesStream s(std::move(bytes));
  LoadFromStream(s);
}

void TBitmap::WriteData(TStream& stream) {
  TBytesStream s;
  SaveToStream(s);
  const uint32_t size = uint32_t(s.Size());
  std::vector<uint8_t> head;
  PutU32(head, size);
  stream.WriteBuffer(head.data(), 4);
  if (size) stream.WriteBuffer(s.Memory(), size);
}

int32_t PixelFormatBits(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
  }
}
