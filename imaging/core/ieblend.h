// Layer pixel operations: how a pixel of a layer combines with the pixel
// already in the destination below it.
//
// A pixel here is three bytes in memory order blue, green, red (an ie24RGB
// pixel). S is a channel of the layer pixel, D the same channel of the
// destination before the call. The operation is the layer's operation byte:
//
//   0      copy (the viewer's 2D mode: the right picture over the left)
//   1..37  arithmetic, bitwise, light/dark, dodge/burn and HSL mixes
//   38     gray anaglyph: red = gray(D), green = blue = gray(S)
//   39     colour anaglyph: red kept, green and blue from the layer
//   40     Dubois red/cyan anaglyph (a 3 x 6 matrix, rounded and clamped)
//   41/42  row interlace: D := S on even / odd destination rows only
//   43     red/green anaglyph: red kept, green from the layer, blue 0
//   44+    nothing
//
// For the stereo viewer the destination is the left picture (layer 0) and the
// layer the right one (layer 1). gray() uses IELuminanceWeights; 29 reads
// IECosineBlendTable; 34..37 go through RGBToHSL and HSLToRGB (ieprocutils.h).
#pragma once

#include <cstdint>

// Number of layer operations; values from here on leave the destination unchanged.
constexpr uint8_t IELayerOperationCount = 44;

// Combines one layer pixel into one destination pixel. row is the destination
// row index (row 0 at the top); only operations 41 and 42 read it.
void IEBlendPixel(const uint8_t* layer, uint8_t* dest, uint8_t operation, int32_t row);

// IEBlendPixel over count pixels of two rows, the operation chosen once.
void IEBlendRow(const uint8_t* layer, uint8_t* dest, int32_t count, uint8_t operation, int32_t row);
