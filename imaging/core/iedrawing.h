// Small platform, drawing and background routines shared by the view and the dialogs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/types.h"

class TBitmap;
class TBrush;
class TCanvas;
class TFont;

// Fills values[0 .. n-1] with a Gaussian bell over x = 2i/n - 1, scaled so
// that its largest value is hi and an infinitely far one would be lo.
void IEGaussianCurve(int32_t n, int32_t lo, int32_t hi, double sigma, std::vector<double>& values);

// Resize the bitmap to width x height, pf24bit, and draw a preview background:
// horizontal gray stripes 240, 251, 255, 251 repeating from the top ...
void IEDrawGrayStripes(TBitmap& bitmap, int32_t width, int32_t height);
// ... or a gray gradient, dark at the edges, with random runs of brightness offsets 0..10.
void IEDrawNoiseGradient(TBitmap& bitmap, int32_t width, int32_t height);

// The run-time pseudo-random generator used by the drawing routines: a
// 32-bit linear congruential sequence; IERandom(n) gives 0 .. n-1 (0 for n <= 0).
extern uint32_t IERandSeed;
int32_t IERandom(int32_t n);

// Opens the clipboard without an owner window: up to 10 tries, 20 ms apart.
bool IEOpenClipboard();

// The view's text box: a box of text size + 12 whose top-left is (x, y),
// kept inside the area (x and y raised to 0, then lowered to area - box - 1,
// and handed back). What lies under the box is first copied into `saved`
// (pf24bit, box size) so that the caller can restore it. The box body is
// (x + 6, y + 6)-(x + box width, y + box height), framed light at the left
// and top and dark at the right and bottom; the text starts at (x + 9, y + 9).
void IEDrawTextBox(TCanvas& canvas, int32_t& x, int32_t& y, const std::string& text, TFont* font, TBrush* brush,
                   TBitmap& saved, int32_t areaWidth, int32_t areaHeight, TColor light, TColor dark);

// The shared default dialog font, made on first use and kept for the process:
// DEFAULT_CHARSET, clWindowText, no style; "Segoe UI" at height -12 when the
// version class is 7, 8 or 9 and the screen lists that font, else "Tahoma" at -11.
TFont* IEGetDefaultUIFont();
// The settings above applied to a font.
void IEApplyDefaultUIFont(TFont& font, int32_t versionClass, bool segoeUIInstalled);
