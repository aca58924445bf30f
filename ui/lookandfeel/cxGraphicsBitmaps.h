// Bitmaps of the painters: TcxBitmap (batched change notices, the "XDBM"
// run-length block for form data), TcxBitmap32 (always 32 bits per pixel)
// and TcxAlphaBitmap (per-pixel filters that respect transparent colours),
// beside the pixel routines: 32-bit DIB access, blending and resampling.
//
// A pixel is a 32-bit value of the bytes B, G, R, A (an RGBQUAD). Colour
// channels are premultiplied by alpha wherever blending is involved. Pixel
// arrays count rows from the bottom unless a routine is asked for top-down.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/rtl/types.h"
#include "platform/vcl/graphics.h"

class TcxCanvas;
class TStream;

using TRGBColors = std::vector<win::RGBQUAD>;

// 1, 4, 8, 16 (also for pf15bit), 24, 32; pfDevice and pfCustom: the depth of the bitmap canvas's DC.
int32_t GetBitsPerPixel(TBitmap* bitmap);

// ---------------------------------------------------------------- XDBM block
// Form data of a bitmap compressed by runs of blocks of 1 to 4 bytes:
//   UInt32 LE  bytes after this 10-byte header
//   "XDBM"     signature
//   UInt16 LE  version (2; version 1 has no S and K bytes and S = 1)
//   S, K       block size, then K raw bytes (length mod S)
//   codes      Q: N = Q and $7F (1..125); Q and $80: N literal blocks follow,
//              else one block that stands for N copies
// Writes data as one block at the stream's position and leaves the stream after it.
void WriteXDBMBlock(TStream& stream, std::span<const uint8_t> data, uint8_t blockSize);
// False, with the stream where it was, when no "XDBM" signature is there. A
// malformed block (truncated header, Size past the stream, an unknown
// version, a zero block size, K not below S, a code of 0 or above 125, a run
// past the payload, more than 512 MiB expanded) raises EReadError "Stream
// read error". On success data is the expanded bytes and the stream stands
// after the block.
bool ReadXDBMBlock(TStream& stream, std::vector<uint8_t>& data);

// ---------------------------------------------------------------- bitmaps

class TcxBitmap : public TBitmap {
  DX_CLASS_WITH_FACTORY(TcxBitmap, TBitmap, [](TObject*) -> TObject* { return new TcxBitmap; })
public:
  // 0 x 0, pf24bit.
  TcxBitmap();
  explicit TcxBitmap(const TRect& r);
  TcxBitmap(int32_t width, int32_t height);
  TcxBitmap(const TRect& r, TPixelFormat format);
  TcxBitmap(int32_t width, int32_t height, TPixelFormat format);
  ~TcxBitmap() override;

  bool CompressData() const { return compressData_; }
  void SetCompressData(bool value) { compressData_ = value; }
  TcxCanvas* cxCanvas() const { return cxCanvas_.get(); }

  // Nested; the notice held back while locked is delivered by the outermost EndChange.
  void BeginChange();
  void EndChange(bool forceUpdate = false);
  void Changed(TObject* sender) override;
  // Negative sizes become 0; an unchanged size changes nothing.
  void SetSize(int32_t width, int32_t height) override;

  void BlitFrom(TBitmap* source, win::DWORD rop = win::SRCCOPY);
  void BlitFrom(TBitmap* source, const TRect& destRect, win::DWORD rop, TPoint sourceTopLeft);
  // rotation as TcxCanvas::RotateBitmap.
  void Rotate(int32_t rotation, bool flipVertically = false);
  TRect GetClientRect() const { return TRect(0, 0, Width(), Height()); }

  // With CompressData the form data is an XDBM block of the framework's data.
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) override;

protected:
  struct NoSetup {};
  // For descendants, which run Setup themselves once their own part exists.
  explicit TcxBitmap(NoSetup);
  void Setup(int32_t width, int32_t height, TPixelFormat format);
  // Runs after every change notice that was delivered.
  virtual void AfterChange() {}

private:
  bool compressData_ = false;
  std::unique_ptr<TcxCanvas> cxCanvas_;
  int32_t lockCount_ = 0;
  bool modified_ = false;
};

class TcxBitmap32 : public TcxBitmap {
  DX_CLASS_WITH_FACTORY(TcxBitmap32, TcxBitmap, [](TObject*) -> TObject* { return new TcxBitmap32; })
public:
  TcxBitmap32();
  TcxBitmap32(int32_t width, int32_t height, bool clear = false);
  TcxBitmap32(const TRect& r, bool clear = false);

  // All four bytes of every pixel 0.
  virtual void Clear();
  void GetPixels(TRGBColors& colors);
  // An array of another size than Width x Height is ignored.
  void PutPixels(const TRGBColors& colors);
  void SetAlpha(uint8_t value);
  void MakeOpaque() { SetAlpha(255); }
  // Any pixel with a non-zero alpha byte.
  bool IsAlphaUsed();
  // Pixels where mask is white become 0.
  void MaskOut(TBitmap* mask);
  void BlendInto(TBitmap* dest, const TRect& destRect, bool smooth = false, uint8_t constantAlpha = 255);
  // Any bitmap file, converted to 32 bits.
  void LoadFromStream(TStream& stream) override;

protected:
  explicit TcxBitmap32(NoSetup tag);
  // EdxException "Wrong PixelFormat" after a change away from 32 bits (the change stays).
  void AfterChange() override;
};

// The per-pixel filters of TcxAlphaBitmap::Filter.
enum TcxBitmapFilter : uint8_t {
  bfDingy,
  bfDirty,
  bfGrayScale,
  bfOpaque,
  bfMakeMask,
  bfFade,
  bfDisable,
  bfCorrectAlpha,
  bfHatch,
  bfClearColor,
  bfResetAlpha
};

class TcxAlphaBitmap : public TcxBitmap32 {
  DX_CLASS_WITH_FACTORY(TcxAlphaBitmap, TcxBitmap32, [](TObject*) -> TObject* { return new TcxAlphaBitmap; })
public:
  TcxAlphaBitmap();
  TcxAlphaBitmap(int32_t width, int32_t height, bool clear = false);
  // transparentBkColor is a pixel value (B lowest, then G, R, A).
  TcxAlphaBitmap(int32_t width, int32_t height, uint32_t transparentBkColor);

  uint32_t TransparentBkColor() const { return transparentBkColor_; }
  void SetTransparentBkColor(uint32_t value) { transparentBkColor_ = value; }
  // With a non-zero alpha byte the transparent background colour fills the
  // bitmap; otherwise every byte becomes 0.
  void Clear() override;
  void Reset(int32_t width, int32_t height);
  void AddTransparentColor(TColor color);
  const std::vector<uint32_t>& TransparentColors() const { return transparentColors_; }
  bool IsTransparentPixel(win::RGBQUAD pixel) const;
  // X from the left column, Y from the bottom row, of the pixel a filter works on.
  TPoint CurrentPixel() const { return current_; }

  void Filter(TcxBitmapFilter kind);
  // A step of 0 counts as 1.
  void DrawHatch(TColor color1, TColor color2, uint8_t step, uint8_t alpha1, uint8_t alpha2);
  // mask: white where the glyph is transparent, black where it has pixels.
  // Adds a copy of the mask's shape in color, offset right and down, where
  // the glyph is not; grow widens the bitmap by offset to hold it.
  void DrawShadow(TcxAlphaBitmap* mask, int32_t offset, TColor color, bool grow = false);

private:
  void FilterPixel(TcxBitmapFilter kind, win::RGBQUAD& pixel) const;

  uint32_t transparentBkColor_ = 0;
  std::vector<uint32_t> transparentColors_;
  TPoint current_;
  struct Hatch {
    win::RGBQUAD Color1;
    uint8_t Alpha1 = 255;
    win::RGBQUAD Color2;
    uint8_t Alpha2 = 255;
    uint8_t Step = 1;
  } hatch_;
};

// ---------------------------------------------------------------- pixel routines

void InitBitmapInfoHeader32(win::BITMAPINFOHEADER& header, int32_t width, int32_t height, bool topDown);
// 32-bit pixels of the whole bitmap; buffer holds Width * Height. False for an empty bitmap.
bool ReadDIBPixels(TBitmap* bitmap, win::RGBQUAD* buffer, bool topDown);
bool WriteDIBPixels(TBitmap* bitmap, const win::RGBQUAD* buffer, bool topDown);
bool GetBitmapPixels(TBitmap* bitmap, bool topDown, TRGBColors& colors);
// Empties colors.
bool SetBitmapPixels(TBitmap* bitmap, TRGBColors& colors, bool topDown);

std::unique_ptr<TBitmap> CreateBitmapOfFormat(int32_t width, int32_t height, TPixelFormat format = pf24bit);
std::unique_ptr<TBitmap> CreateBitmapOfFormat(TSize size, TPixelFormat format = pf24bit);
std::unique_ptr<TBitmap> CreateBitmapOfFormat(const TRect& r, TPixelFormat format = pf24bit);
// A pf32bit bitmap of r's size holding r of dc.
std::unique_ptr<TBitmap> CopyDCRectToBitmap32(win::HDC dc, const TRect& r);
// The whole source stretched over the whole dest.
void StretchBitmap(TBitmap* dest, TBitmap* source);

// dest := source (premultiplied) over dest, at constantAlpha / 255.
void BlendPixel(win::RGBQUAD source, win::RGBQUAD& dest, uint8_t constantAlpha);
// Blends sourceRect of sourceDC over destRect of destDC, scaling the source
// (Lanczos-3 when smooth). Done in software: copy out, blend, copy back.
void AlphaBlendRect(win::HDC destDC, win::HDC sourceDC, const TRect& destRect, const TRect& sourceRect,
                    bool smooth = false, uint8_t constantAlpha = 255);
void AlphaBlendBitmap(TBitmap* dest, TBitmap* source, const TRect& destRect, const TRect& sourceRect,
                      bool smooth = false, uint8_t constantAlpha = 255);
// The whole source into the whole dest: a halftone stretch on the NT family,
// else (or when forced) two Lanczos-3 passes over all four channels.
void ResampleBitmapSmooth(TBitmap* source, TBitmap* dest, bool forceLanczos = false);

// Source over the whole of dest, then dest's change notice.
void BlitWholeBitmap(TBitmap* dest, TBitmap* source);
// Dest takes source's size first.
void CopyBitmapAndSize(TBitmap* dest, TBitmap* source);
std::unique_ptr<TBitmap> DuplicateBitmap(TBitmap* bitmap);
// A DIB-section copy of the bitmap, owned by the caller; null when handle is no bitmap.
win::HBITMAP DuplicateImageHandle(win::HBITMAP handle);
