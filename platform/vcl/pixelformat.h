// Bits per pixel of a bitmap pixel format, apart from graphics.h so that a
// caller needing only this rebuilds little.
#pragma once

#include <cstdint>

enum TPixelFormat : uint8_t;

// 1, 4, 8, 16 (also for pf15bit), 24, 32; 0 for pfDevice and pfCustom, whose
// depth is the device's.
int32_t PixelFormatBits(TPixelFormat format);
