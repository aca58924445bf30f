// Layer pixel operations: how a pixel of a layer combines with the pixel
// already in the destination below it.
//
// A pixel here is three bytes in memory order blue, green, red (an ie24RGB
// pixel). S is a channel of the layer pixel, D the same channel of the
// destination before the call. The operation is the layer's operation byte,
// one of TIELayerOperation; any value from IELayerOperationCount on leaves the
// destination unchanged.
//
// For the stereo viewer the destination is the left picture (layer 0) and the
// layer the right one (layer 1). gray() uses IELuminanceWeights; ieloCosine
// reads IECosineBlendTable; the four HSL mixes go through RGBToHSL and
// HSLToRGB (ieprocutils.h).
#pragma once

#include <cstdint>

// The numbers are stored in layer files and in the viewer's settings: never
// renumber. Per channel unless stated; min/max/clamp keep results in 0..255.
enum TIELayerOperation : uint8_t {
  ieloCopy = 0,              // D := S (the viewer's 2D mode: the right picture over the left)
  ieloAdd = 1,               // D + S
  ieloDifference = 2,        // |D - S|
  ieloDivide = 3,            // D / max(S, 1)
  ieloMultiply = 4,          // D * S / 256
  ieloOr = 5,                // bitwise
  ieloAnd = 6,               // bitwise
  ieloXor = 7,               // bitwise
  ieloLighter = 8,           // max(D, S)
  ieloDarker = 9,            // min(D, S)
  ieloAverage = 10,          // (D + S) / 2
  ieloScreen = 11,           // 255 - (255 - D)(255 - S) / 255
  ieloNegation = 12,         // 255 - |255 - S - D|
  ieloExclusion = 13,        // S + D - S * D / 128
  ieloOverlay = 14,          // multiply or screen, chosen by D
  ieloHardLight = 15,        // multiply or screen, chosen by S
  ieloSoftLight = 16,        // in floating point
  ieloSoftLightMix = 17,     // multiply and screen mixed by D
  ieloColorDodge = 18,       // D / (1 - S)
  ieloColorBurn = 19,        // 1 - (1 - D) / S
  ieloInverseDodge = 20,     // S / (1 - D)
  ieloInverseBurn = 21,      // 1 - (1 - S) / D
  ieloSoftDodge = 22,        // dodge or burn at half strength, chosen by S + D
  ieloSoftBurn = 23,         // the same with the roles swapped
  ieloReflect = 24,          // D * D / (255 - S)
  ieloGlow = 25,             // S * S / (255 - D)
  ieloFreeze = 26,           // 255 - (255 - D)^2 / S
  ieloHeat = 27,             // 255 - (255 - S)^2 / D
  ieloSubtract = 28,         // D + S - 256
  ieloCosine = 29,           // T[S] + T[D] with the cosine blend table T
  ieloStamp = 30,            // D + 2S - 256
  ieloRed = 31,              // red from the layer, green and blue kept
  ieloGreen = 32,            // green from the layer
  ieloBlue = 33,             // blue from the layer
  ieloHue = 34,              // hue of the layer, saturation and lightness of the destination
  ieloSaturation = 35,       // saturation of the layer
  ieloHueSaturation = 36,    // hue and saturation of the layer, lightness of the destination
  ieloHueLightness = 37,     // hue and lightness of the layer, saturation of the destination
  ieloAnaglyphGray = 38,     // red = gray(D), green = blue = gray(S)
  ieloAnaglyphColor = 39,    // red kept, green and blue from the layer
  ieloAnaglyphDubois = 40,   // Dubois red/cyan: a 3 x 6 matrix, rounded and clamped
  ieloInterlaceEven = 41,    // D := S on even destination rows only
  ieloInterlaceOdd = 42,     // D := S on odd destination rows only
  ieloAnaglyphRedGreen = 43  // red kept, green from the layer, blue 0
};

// Number of layer operations; values from here on leave the destination unchanged.
constexpr uint8_t IELayerOperationCount = ieloAnaglyphRedGreen + 1;

// Combines one layer pixel into one destination pixel. row is the destination
// row index (row 0 at the top); only the interlace operations read it.
void IEBlendPixel(const uint8_t* layer, uint8_t* dest, uint8_t operation, int32_t row);

// IEBlendPixel over count pixels of two rows, the operation chosen once.
void IEBlendRow(const uint8_t* layer, uint8_t* dest, int32_t count, uint8_t operation, int32_t row);
