// The part of an image that its alpha channel leaves visible, and cropping an
// image (with its alpha channel) to a rectangle. The view trims layers with
// these after turning them and when layer rotation is switched on.
//
// Rectangles here include both corners, as everywhere in the library's pixel
// coordinates (row 0 at the top).
#pragma once

#include "imaging/core/iebitmap.h"
#include "platform/rtl/types.h"

// The bounding rectangle of the pixels whose alpha is not 0; the whole image
// when it has no alpha channel. An image with no visible pixel (or none at
// all) gives a rectangle with Right < Left and Bottom < Top.
TRect GetAlphaBounds(TIEBitmap& bitmap);

// Keeps only the pixels of rect (clipped to the image) and the same part of
// the alpha channel; the palette and pixel format stay. False, with the image
// untouched, when the clipped rectangle is empty; true (also when it is the
// whole image, which changes nothing) otherwise.
bool IECropBitmap(TIEBitmap& bitmap, const TRect& rect);
