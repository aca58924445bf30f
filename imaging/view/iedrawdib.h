// DrawDib: drawing device-independent bitmaps onto a device context.
//
// The platform this library grew up on had a video-drawing service for this,
// with its own decompressors and palette mapping for 256-colour screens. Our
// displays are 32-bit and our GDI draws any uncompressed DIB itself, so the
// calls are provided over it:
//   - a DrawDib handle is a small object of ours, only checked for validity;
//   - IEDrawDibDraw is StretchDIBits with SRCCOPY (COLORONCOLOR stretching,
//     HALFTONE with DDF_HALFTONE), the DC's stretch mode restored afterwards;
//   - there are no palettes to realize, so IEDrawDibRealize maps no colours.
// Only uncompressed DIBs (BI_RGB, and BI_BITFIELDS at 16 and 32 bits) draw.
#pragma once

#include <cstdint>

#include "platform/gdi/gdi.h"

struct TIEDrawDibHandle;
using HDRAWDIB = TIEDrawDibHandle*;

// Flags of IEDrawDibDraw. The others that callers may pass only tune the
// original service's caching and are accepted and ignored.
constexpr uint32_t DDF_SAME_HDC = 0x0004;
constexpr uint32_t DDF_SAME_DRAW = 0x0008;
constexpr uint32_t DDF_DONTDRAW = 0x0010;  // succeed without drawing
constexpr uint32_t DDF_HALFTONE = 0x1000;  // stretch in HALFTONE mode

// A new handle (never null). Thread-safe.
HDRAWDIB IEDrawDibOpen();
// Frees the handle; False for null or a handle already closed or never opened.
bool IEDrawDibClose(HDRAWDIB handle);

// Draws the source rectangle (xSrc, ySrc, dxSrc, dySrc) of the DIB into the
// destination rectangle of the DC, stretching as needed. Source coordinates
// start at the image's top-left pixel, as the library numbers rows, whichever
// way the DIB stores them. A destination width or height of -1 takes the
// image's. `header` is the BITMAPINFOHEADER followed by its colour table (or
// masks); null `bits` means the rows follow that table, as in a packed DIB.
// False for an invalid handle, a null header or a DIB the platform refuses.
bool IEDrawDibDraw(HDRAWDIB handle, win::HDC dc, int32_t xDst, int32_t yDst, int32_t dxDst, int32_t dyDst,
                   const win::BITMAPINFOHEADER* header, const void* bits, int32_t xSrc, int32_t ySrc, int32_t dxSrc,
                   int32_t dySrc, uint32_t flags);

// Number of palette entries mapped into the DC: always 0 here.
uint32_t IEDrawDibRealize(HDRAWDIB handle, win::HDC dc, bool background);
