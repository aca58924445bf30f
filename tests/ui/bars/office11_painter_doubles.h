// What the Office 2003 painter tests compute for themselves: the colour
// formulas of the colour set (mix, light colour, linear gradient) over the
// system colours, and a visual style showing the blue scheme for one scope.
#pragma once

#include <cmath>
#include <cstdint>

#include "platform/gdi/syscolors.h"
#include "platform/rtl/types.h"
#include "tests/ui/lookandfeel/fake_theme_provider.h"
#include "ui/lookandfeel/dxOffice11.h"
#include "ui/lookandfeel/dxThemeManager.h"
#include "ui/lookandfeel/dxUxTheme.h"

namespace office11test {

// a x b / c rounded half away from zero.
inline int32_t MulDivRound(int32_t a, int32_t b, int32_t c) { return int32_t(std::lround(double(a) * b / c)); }

inline TColor Rgb(int32_t r, int32_t g, int32_t b) {
  auto clip = [](int32_t v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); };
  return RGBColor(clip(r), clip(g), clip(b));
}

inline TColor Sys(int index) { return TColor(win::GetSysColor(index)); }

// p per cent of a and the rest of b, channel by channel.
inline TColor Mix(TColor a, TColor b, int32_t p) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  auto ch = [&](uint8_t x, uint8_t y) { return MulDivRound(x, p, 100) + MulDivRound(y, 100 - p, 100); };
  return Rgb(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

// x, y and z per cent of button face, highlight and window.
inline TColor Light(int32_t x, int32_t y, int32_t z) {
  const TColor f = Sys(win::COLOR_BTNFACE), h = Sys(win::COLOR_HIGHLIGHT), w = Sys(win::COLOR_WINDOW);
  auto ch = [&](uint8_t a, uint8_t b, uint8_t c) {
    return MulDivRound(a, x, 100) + MulDivRound(b, y, 100) + MulDivRound(c, z, 100);
  };
  return Rgb(ch(GetRValue(f), GetRValue(h), GetRValue(w)), ch(GetGValue(f), GetGValue(h), GetGValue(w)),
             ch(GetBValue(f), GetBValue(h), GetBValue(w)));
}

// The colour of line i of n of a linear gradient from a to b (n up to 256).
inline TColor Linear(TColor a, TColor b, int32_t i, int32_t n) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  if (n <= 1) return a;
  auto ch = [&](uint8_t x, uint8_t y) { return x + MulDivRound(i, y - x, n - 1); };
  return Rgb(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

// A scheme row entry written as the document gives it, 0xRRGGBB.
constexpr TColor Row(uint32_t rrggbb) {
  return RGBColor(uint8_t(rrggbb >> 16), uint8_t(rrggbb >> 8), uint8_t(rrggbb));
}

// While it lives, a visual style with the blue Office 2003 scheme is active
// and the colour set follows it; afterwards the set falls back again.
class ScopedBlueScheme {
public:
  ScopedBlueScheme() { Bind(&fake_); }
  ~ScopedBlueScheme() { Bind(nullptr); }
  ScopedBlueScheme(const ScopedBlueScheme&) = delete;
  ScopedBlueScheme& operator=(const ScopedBlueScheme&) = delete;

private:
  static void Bind(TdxThemeProvider* provider) {
    dxThemeManagerUnitStop();
    dxBindThemeProvider(provider);
    dxThemeManagerUnitStart();
    RefreshOffice11Colors();
  }
  FakeThemeProvider fake_;  // Luna, NormalColor: the blue scheme
};

}  // namespace office11test
