// Library-wide values of the image library that the core's routines read.
//
// Library start-up (ieinit.h) gives them their defaults; the I/O unit's
// defaults routine sets the gray weights. They live here, in the core, because
// the pixel operations and conversions of the core read them while the
// routines that set them belong partly to higher units.
#pragma once

#include <array>
#include <cstdint>

// Resampling filters, by value.
enum TResampleFilter : uint8_t {
  rfNone,
  rfTriangle,
  rfHermite,
  rfBell,
  rfBSpline,
  rfLanczos3,
  rfMitchell,
  rfNearest,
  rfLinear,
  rfFastLinear,
  rfBilinear,
  rfBicubic,
  rfProjectBW,
  rfProjectWB
};

// Percentage weights of a gray value: gray = (R * Red + G * Green + B * Blue) div 100.
struct TIELuminanceWeights {
  int32_t Red = 21;
  int32_t Green = 71;
  int32_t Blue = 8;
};
extern TIELuminanceWeights IELuminanceWeights;

// Gray value of one pixel with the library's weights.
inline int32_t IEGrayOf(int32_t r, int32_t g, int32_t b) {
  return (r * IELuminanceWeights.Red + g * IELuminanceWeights.Green + b * IELuminanceWeights.Blue) / 100;
}

// Number of processor cores, -1 while not yet counted.
extern int32_t IEProcessorCoresCache;

// Class of the operating-system version: 0..8 name historic Windows releases,
// 9 is anything else (and what this platform always reports).
extern int32_t IEWindowsVersionClass;
// Whether file names go to the system as wide text (always so on this platform).
extern bool IEUseWideFileAPI;

// Filter of the zoomed image views in the parameters preview dialog.
extern TResampleFilter IEPreviewZoomFilter;

// Image storage: bytes above which a buffer is held in a temporary file
// (-1: decided from the machine's memory).
extern int64_t IEDefaultMemoryThreshold;
// When memory cannot be had, whether a buffer may fall back to a temporary file.
extern bool IEFileStorageFallback;
// When one block cannot be had, whether a buffer may fall back to blocks of rows.
extern bool IERowBlocksFallback;

// Set by the I/O unit: file-existence tests use the framework's FileExists
// instead of the file attributes.
extern bool IEUseFrameworkFileExists;

// Blend weights of the smooth layer operations: entry i = round-half-even(64 - 64 cos(i pi / 255)).
extern std::array<int32_t, 256> IECosineBlendTable;
void IEFillCosineBlendTable();
