// Glyph drawing: every button image of the toolbar library reaches the screen
// through DrawImage, which composes it in a 32-bit buffer over the real
// background, applies a draw mode and copies the result in one blit.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/gdi/gdi.h"
#include "platform/rtl/types.h"
#include "platform/vcl/graphics.h"

class TChangeLink;
class TComponent;
class TCustomImageList;
class TcxAlphaBitmap;

enum TcxImageDrawMode : uint8_t { idmNormal, idmDisabled, idmFaded, idmGrayScale, idmDingy, idmShadowed };

// Offered each glyph before DrawImage draws it; true means the hook drew it on
// canvas (the draw buffer's), with glyphRect in buffer coordinates. It must
// not call DrawImage: the shared buffers are in use. Nothing here sets it.
using TcxGlyphDrawHook = std::function<bool(TCanvas* canvas, TCustomImageList* images, int32_t imageIndex,
                                            TcxImageDrawMode mode, TRect& glyphRect, TBitmap* glyph)>;
extern TcxGlyphDrawHook GlyphDrawHook;

// Draws glyph (when it is a non-empty bitmap, else image imageIndex of images)
// scaled into glyphRect over backgroundRect of dc. brush, when not null, paints
// the background instead of dc's pixels; transparentColor (clNone: none) is a
// colour key, and useGlyphTransparentColor adds the glyph's own. Nothing is
// drawn for an empty glyph with an invalid index.
void DrawImage(win::HDC dc, TRect glyphRect, const TRect& backgroundRect, TBitmap* glyph, TCustomImageList* images,
               int32_t imageIndex, TcxImageDrawMode mode, bool smooth = false, win::HBRUSH brush = nullptr,
               TColor transparentColor = clNone, bool useGlyphTransparentColor = false);

// The draw buffer and the glyph-sized image and mask buffers, ready and
// cleared at that size; null once unit cxGraphics has shut down, which frees
// them.
TcxAlphaBitmap* GetSharedDrawBitmap(int32_t width, int32_t height);
TcxAlphaBitmap* GetSharedImageBitmap(int32_t width, int32_t height);
TcxAlphaBitmap* GetSharedMaskBitmap(int32_t width, int32_t height);

// destRect of dc from sourcePoint of bitmap, realizing the bitmap's palette on
// palette devices.
void BlitBitmap(win::HDC dc, TBitmap* bitmap, const TRect& destRect, win::DWORD rop, TPoint sourcePoint);
// r of dc hatched in squares of step pixels: color2 at alpha2 where the square
// count is odd, color1 at alpha1 elsewhere.
void DrawHatchRect(win::HDC dc, const TRect& r, TColor color1, TColor color2, uint8_t step, uint8_t alpha1,
                   uint8_t alpha2);
bool IsValidImageIndex(TCustomImageList* images, int32_t index);
bool IsBitmapNotEmpty(TBitmap* bitmap);
// Points field at newList: changeLink and owner's free notification move from
// the old list to the new one, then changeLink's Change runs once so that the
// owner redraws. An unchanged list does nothing; changeLink and owner may be null.
void SetImageListReference(TCustomImageList* newList, TCustomImageList*& field, TChangeLink* changeLink,
                           TComponent* owner);
