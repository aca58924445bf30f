#include "imaging/core/ieglobals.h"

#include <cmath>
#include <numbers>

TIELuminanceWeights IELuminanceWeights;
int32_t IEProcessorCoresCache = -1;
int32_t IEWindowsVersionClass = 9;
bool IEUseWideFileAPI = true;
TResampleFilter IEPreviewZoomFilter = rfFastLinear;
int64_t IEDefaultMemoryThreshold = -1;
bool IEFileStorageFallback = true;
bool IERowBlocksFallback = true;
bool IEUseFrameworkFileExists = false;
std::array<int32_t, 256> IECosineBlendTable{};

void IEFillCosineBlendTable() {
  // std::nearbyint rounds halves to even under the default rounding mode.
  for (int i = 0; i < 256; ++i)
    IECosineBlendTable[size_t(i)] = int32_t(std::nearbyint(64.0 - 64.0 * std::cos(i * std::numbers::pi / 255.0)));
}
