// Exchange between TIEBitmap and the platform's TBitmap, packed DIBs and canvas output.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/core/iebitmap.h"

class TCanvas;
class TIEMask;
enum TPixelFormat : uint8_t;  // platform/vcl/graphics.h

// Copies the image into the platform bitmap: ie1g -> pf1bit black/white,
// ie8p -> pf8bit with the palette, ie8g/ie16g/ie32f -> pf8bit gray (ie16g
// keeps each sample's high byte, ie32f trunc(v * 255), clamped to 0..255),
// ie24RGB -> pf24bit, ie32RGB -> pf32bit. Throws Exception for ieCMYK, ieRGB48
// and ieCIELab.
void IECopyToTBitmap(TIEBitmap& source, TBitmap& dest);

// Fills the image from the platform bitmap (see the conversions in the .cpp).
// In location ieTBitmap the pixels go to the image's own platform bitmap.
// Clears the fully-opaque flag.
void IECopyFromTBitmap(TIEBitmap& dest, TBitmap& source);

// A packed DIB: 40-byte BITMAPINFOHEADER, colour table for bit counts up to
// 8, bottom-up rows padded to 32 bits. The rectangle (x, y, w, h) of the image
// is clipped to it; ie1g, ie8p, ie8g and ie24RGB keep their depth, ie32RGB
// becomes 32 bits, other formats are converted to 24 bits. Empty when nothing is left.
std::vector<uint8_t> IEBitmapToPackedDIB(TIEBitmap& bitmap, int32_t x, int32_t y, int32_t w, int32_t h,
                                         int32_t xPelsPerInch, int32_t yPelsPerInch);

// Draws the source rectangle of a packed DIB (coordinates from the top-left,
// as rows are numbered in the library) onto the canvas, stretched by
// StretchDIBits in COLORONCOLOR mode with SRCCOPY. Nothing for a malformed block.
void IEDIBDrawTo(TCanvas& canvas, const std::vector<uint8_t>& dib, int32_t xSrc, int32_t ySrc, int32_t wSrc,
                 int32_t hSrc, int32_t xDst, int32_t yDst, int32_t wDst, int32_t hDst);

// The rectangle (xSrc, ySrc, w, h) of the image 1:1 at (xDst, yDst), as a packed DIB at 200 ppi.
void IEPrintPict(TCanvas& canvas, int32_t xDst, int32_t yDst, TIEBitmap& bitmap, int32_t xSrc, int32_t ySrc,
                 int32_t w, int32_t h);

// The gamma table: clamp(round((i / 255)^(1 / gamma) * 255)), ties to even.
std::vector<uint8_t> IEGammaTable(double gamma);

// Draws the whole image onto the canvas stretched to (x, y, w, h); nothing
// when any size is zero. Gamma (not 0 or 1) goes through IEGammaTable.
// With a filter, the image is resampled once into a w x h temporary
// (_ResampleEx for ie24RGB, _Resample1BitEx for ie1g, _IEBmpStretchEx
// otherwise) and sent in strips of IECanvasStripHeight rows.
void IERenderToCanvas(TIEBitmap& bitmap, TCanvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                      TResampleFilter filter, double gamma);

// Rows per strip of filtered canvas output, for a w-pixel-wide 24-bit
// temporary of h rows: at most a quarter of the memory threshold and 40 MiB.
int32_t IECanvasStripHeight(int32_t w, int32_t h, int64_t memoryThreshold);

// The selection mask as an image: null -> the image filled with 255 and fully
// opaque; a 1-bit mask -> ie1g, an 8-bit one -> ie8g, rows copied, fully
// opaque as the mask's Full flag; other depths: nothing.
void IECopyFromTIEMask(TIEBitmap& dest, TIEMask* mask);
// The image as a mask: ie1g -> 1-bit, ie8g -> 8-bit (Full from the fully-opaque
// flag); ie24RGB -> 8-bit gray >> 2 (0..63), Full untouched; other formats: nothing.
void IECopyBitmapToMask(TIEBitmap& bitmap, TIEMask& mask);

// Bits per pixel of a platform pixel format (0 for pfDevice and pfCustom).
int32_t IEVclPixelFormatBitCount(TPixelFormat format);
// pf1bit -> ie1g; pf4bit, pf8bit -> ie8p; any other -> ie24RGB.
TIEPixelFormat IEVclPixelFormatToIE(TPixelFormat format);
// Row length of a platform bitmap of that width and format (32-bit rows).
int64_t IEVclRowLen(int32_t width, TPixelFormat format);
