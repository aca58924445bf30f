// The view's background: what is painted around (and for some styles under)
// the image — a brush pattern, diagonals, a sunken frame, drop shadows, a
// gradient, a chessboard or a photo-like frame — and an optional wallpaper
// picture on top.
//
// Geometry: the frame is (originX, originY)-(originX + frameWidth,
// originY + frameHeight), right and bottom exclusive; the image rectangle
// (imageLeft, imageTop)-(imageRight, imageBottom) is the area the image will
// cover, right and bottom exclusive, all 0 when there is no image.
//
// Colours are platform colours (a high byte of 0xFF names a system colour).
// The complement used for diagonals and chessboard cells is taken of the
// colour as it shows: the resolved RGB value with every channel inverted, so
// black gives white and a system colour gives the inverse of its current value.
#pragma once

#include <cstdint>

#include "platform/gdi/gdi.h"
#include "platform/rtl/types.h"
#include "platform/vcl/graphics.h"

enum TIEBackgroundStyle : uint8_t {
  iebsSolid,
  iebsHorizontal,
  iebsVertical,
  iebsFDiagonal,
  iebsBDiagonal,
  iebsCross,
  iebsDiagCross,
  iebsChessboard,
  iebsDiagonals,
  iebsCropped,
  iebsCropShadow,
  iebsGradient,
  iebsSoftShadow,
  iebsPhotoLike
};

enum TIEWallPaperStyle : uint8_t { iewoNormal, iewoStretch, iewoTile };

// The colour the background complement styles use against `color`.
TColor IEComplementColor(TColor color);

// Paints the frame in `style`, then the wallpaper when it holds a graphic
// (iewoNormal at (0, 0), iewoStretch over (0, 0)-(frameWidth, frameHeight),
// iewoTile repeated from (0, 0) over that area).
//
// `bitmap` is the 24-bit platform bitmap behind the canvas, or null; with it
// the chessboard (brush style 0) is written straight into its pixels and the
// soft shadow can be drawn; without it iebsSoftShadow paints nothing. At
// design time the shadow and cropped styles only fill the frame with
// `background`. A chessboard cell size below 1 fills the chessboard's area
// with `background` instead of cells.
void PaintViewBackground(TCanvas& canvas, TBitmap* bitmap, TIEWallPaperStyle wallPaperStyle, TPicture* wallPaper,
                         TColor gradientEndColor, TBrushStyle chessboardBrushStyle, int32_t chessboardSize,
                         int32_t imageLeft, int32_t imageTop, int32_t imageRight, int32_t imageBottom,
                         int32_t frameHeight, int32_t frameWidth, int32_t originX, int32_t originY,
                         TColor background, TIEBackgroundStyle style, bool designing);

// True once the gradient-fill entry point is known: looks up "GradientFill"
// in "MSIMG32.DLL" through the platform's module table on first use.
bool LoadGradientFill();
// Forgets the entry point and releases the module (the view unit's shut-down).
void IEFreeGradientFill();

// A two-colour gradient over rect: colour1 at the top (vertical) or left,
// colour2 towards the bottom or right; system colours resolved. Nothing when
// the gradient-fill entry point cannot be had.
void DrawGradient(const TRect& rect, win::HDC dc, TColor color1, bool vertical, TColor color2);
