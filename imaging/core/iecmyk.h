// Single CMYK pixels to RGB and back, for the ieCMYK format's conversion,
// pixel reads, fills and rendering.
//
// A stored CMYK pixel is four bytes cyan, magenta, yellow, black, each
// inverted (255 = no ink), read as one 32-bit value with cyan in the lowest
// byte. A packed RGB value is 0x00RRGGBB.
//
// Two routes: through a CMYK press profile and sRGB (LittleCMS) when a profile
// is available and IECMYKProfileEnabled is set, else by plain formulas. This
// program carries no CMYK profile of its own, so unless one is handed over
// with IESetCMYKProfile the formulas apply.
#pragma once

#include <cstdint>

#include "imaging/core/iebitmap.h"

// Whether the profile route may be used (True at the I/O unit's start-up).
extern bool IECMYKProfileEnabled;

// Builds the profile transforms on the first call; True when they exist.
// The first call must not race with another first call.
bool IECMYKProfileReady();
// Hands over the press profile: ICC bytes compressed in the zlib format and
// their size when inflated; null forgets it. Frees what was built, so the next
// IECMYKProfileReady builds again.
void IESetCMYKProfile(const void* compressed, int32_t compressedSize, int32_t size);
// Frees the built profiles and transforms (the I/O unit's shut-down).
void IEFreeCMYKProfiles();

void IECMYKToRGB(uint32_t cmyk, TRGB& rgb);
uint32_t IERGBToCMYK(uint32_t rgb);

// Row forms of the two, same results: count pixels of 4 stored CMYK bytes to
// blue-green-red triples, and back.
void IECMYKRowToRGB(const uint8_t* cmyk, TRGB* rgb, int32_t count);
void IERGBRowToCMYK(const TRGB* rgb, uint8_t* cmyk, int32_t count);
