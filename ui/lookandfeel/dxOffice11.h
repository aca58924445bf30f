// Office 2003 colour arithmetic and gradients. Linux has no visual styles, so
// no Office 2003 scheme is detected and colours derive from the system colours.
#pragma once

#include <cstdint>

#include "platform/gdi/gdi.h"
#include "platform/rtl/types.h"

// The Office 2003 scheme of the current visual style: 1 blue, 2 olive,
// 3 silver, 0 none. Before major version 6 only the Luna theme file counts.
int32_t DetectOffice11Scheme(uint32_t majorVersion);
int32_t DetectOffice11Scheme();

// Percent of Color1 and the rest of Color2 per channel, each clamped to 0..255.
TColor MixColors(TColor color1, TColor color2, int32_t percent);
// The screen's nearest colour: the colour itself on a 32-bit screen.
TColor NearestScreenColor(TColor color);
// Percentages of button face, highlight and window; the highlight itself
// under a high-contrast (black or white) button face.
TColor CalcLightColor(int32_t facePercent, int32_t highlightPercent, int32_t windowPercent);
bool IsHighContrastBlackFace();
bool IsHighContrastWhite();
bool IsHighContrastColoredText();

// The two-phase gradient's pull towards its middle colour: 75 without a scheme.
int32_t Office11GradientPercent();

// Colours go through ColorToRGB; of the rest only the low 24 bits count, so
// clNone reads as white and clDefault as black.
void FillRectWithColor(win::HDC dc, const TRect& rect, TColor color);
void FrameRectWithColor(win::HDC dc, const TRect& rect, TColor color);
// Color1 to Color2 in at most 256 bands across the extent.
void PaintGradientRect(win::HDC dc, const TRect& rect, TColor color1, bool horizontal, TColor color2);
// The colour PaintGradientRect gives at position (an X or a Y).
TColor GetGradientColorAt(const TRect& rect, int32_t position, TColor color1, bool horizontal, TColor color2);
// Color1 to a middle colour over the first half, then on to Color2, line by line.
void FillTwoPhaseGradientRect(win::HDC dc, const TRect& rect, TColor color1, bool horizontal, TColor color2);

// dwmapi is never loaded here.
bool DwmApiAvailable();
