#include "ui/lookandfeel/dxOffice11.h"

#include <algorithm>

#include "platform/gdi/syscolors.h"
#include "platform/rtl/intmath.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/vcl/graphics.h"
#include "ui/lookandfeel/dxCore.h"
#include "ui/lookandfeel/dxThemeManager.h"

namespace {

struct Rgb {
  int32_t R, G, B;
};

Rgb Channels(TColor color) {
  const uint32_t c = uint32_t(ColorToRGB(color));
  return {int32_t(c & 0xFF), int32_t(c >> 8 & 0xFF), int32_t(c >> 16 & 0xFF)};
}

TColor Clamped(int32_t r, int32_t g, int32_t b) {
  auto clamp = [](int32_t v) { return uint8_t(std::clamp(v, 0, 255)); };
  return RGBColor(clamp(r), clamp(g), clamp(b));
}

TColor SysColor(int index) { return TColor(win::GetSysColor(index)); }

}  // namespace

int32_t DetectOffice11Scheme(uint32_t majorVersion) {
  if (!AreVisualStylesAvailable()) return 0;
  std::u16string file, color, size;
  if (GetCurrentThemeName(file, color, size) != win::S_OK) return 0;
  // Theme files are Windows paths: either separator ends the folder part.
  const size_t slash = file.find_last_of(u"\\/");
  const std::string name = AnsiUpperCase(Utf16ToUtf8(slash == std::u16string::npos ? file : file.substr(slash + 1)));
  if (name != "LUNA.MSSTYLES" && majorVersion < 6) return 0;
  const std::string colorName = AnsiUpperCase(Utf16ToUtf8(color));
  if (colorName == "NORMALCOLOR") return 1;
  if (colorName == "HOMESTEAD") return 2;
  if (colorName == "METALLIC") return 3;
  return 0;
}

int32_t DetectOffice11Scheme() { return DetectOffice11Scheme(dxGetPlatformVersion().Major); }

TColor NearestScreenColor(TColor color) {
  win::HDC dc = win::GetDC(nullptr);
  const TColor result = TColor(win::GetNearestColor(dc, win::COLORREF(color)));
  win::ReleaseDC(nullptr, dc);
  return result;
}

TColor MixColors(TColor color1, TColor color2, int32_t percent) {
  const Rgb a = Channels(color1), b = Channels(color2);
  auto mix = [&](int32_t x, int32_t y) { return MulDiv(x, percent, 100) + MulDiv(y, 100 - percent, 100); };
  return NearestScreenColor(Clamped(mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B)));
}

bool IsHighContrastBlackFace() { return SysColor(win::COLOR_BTNFACE) == clBlack; }
bool IsHighContrastWhite() { return SysColor(win::COLOR_BTNFACE) == clWhite; }
bool IsHighContrastColoredText() { return IsHighContrastBlackFace() && SysColor(win::COLOR_BTNTEXT) != clWhite; }

TColor CalcLightColor(int32_t facePercent, int32_t highlightPercent, int32_t windowPercent) {
  const TColor face = SysColor(win::COLOR_BTNFACE), highlight = SysColor(win::COLOR_HIGHLIGHT);
  if (face == clBlack || face == clWhite) return highlight;
  const Rgb f = Channels(face), h = Channels(highlight), w = Channels(SysColor(win::COLOR_WINDOW));
  auto light = [&](int32_t x, int32_t y, int32_t z) {
    return MulDiv(x, facePercent, 100) + MulDiv(y, highlightPercent, 100) + MulDiv(z, windowPercent, 100);
  };
  return Clamped(light(f.R, h.R, w.R), light(f.G, h.G, w.G), light(f.B, h.B, w.B));
}

int32_t Office11GradientPercent() { return 75; }

void FillRectWithColor(win::HDC dc, const TRect& rect, TColor color) {
  win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(ColorToRGB(color)) & 0xFFFFFF);
  win::FillRect(dc, &rect, brush);
  win::DeleteObject(brush);
}

void FrameRectWithColor(win::HDC dc, const TRect& rect, TColor color) {
  win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(ColorToRGB(color)) & 0xFFFFFF);
  win::FrameRect(dc, &rect, brush);
  win::DeleteObject(brush);
}

namespace {

// Equal colours need no gradient: the rectangle is filled with color.
bool SolidFill(win::HDC dc, const TRect& rect, TColor color, const Rgb& a, const Rgb& b) {
  if (a.R != b.R || a.G != b.G || a.B != b.B) return false;
  FillRectWithColor(dc, rect, color);
  return true;
}

// The part of rect from..to along the gradient's direction.
TRect Slice(const TRect& rect, bool horizontal, int32_t from, int32_t to) {
  return horizontal ? TRect(from, rect.Top, to, rect.Bottom) : TRect(rect.Left, from, rect.Right, to);
}

}  // namespace

void PaintGradientRect(win::HDC dc, const TRect& rect, TColor color1, bool horizontal, TColor color2) {
  const Rgb a = Channels(color1), b = Channels(color2);
  if (SolidFill(dc, rect, color1, a, b)) return;
  const int32_t start = horizontal ? rect.Left : rect.Top;
  const int32_t end = horizontal ? rect.Right : rect.Bottom;
  const int32_t extent = end - start;
  if (extent <= 0) return;
  const int32_t bands = std::min(extent, 256);
  int32_t from = start;
  for (int32_t i = 0; i < bands && from < end; ++i) {
    const int32_t to = start + MulDiv(i + 1, extent, bands);
    if (to > from) {
      auto at = [&](int32_t x, int32_t y) { return bands == 1 ? x : x + MulDiv(i, y - x, bands - 1); };
      const TColor c = Clamped(at(a.R, b.R), at(a.G, b.G), at(a.B, b.B));
      FillRectWithColor(dc, Slice(rect, horizontal, from, to), c);
    }
    from = to;
  }
}

TColor GetGradientColorAt(const TRect& rect, int32_t position, TColor color1, bool horizontal, TColor color2) {
  const Rgb a = Channels(color1), b = Channels(color2);
  const int32_t start = horizontal ? rect.Left : rect.Top;
  const int32_t extent = (horizontal ? rect.Right : rect.Bottom) - start;
  // An empty extent has no bands: its one colour is Color1.
  if (extent <= 0) return Clamped(a.R, a.G, a.B);
  const int32_t bands = std::min(extent, 256);
  if (bands == 1) return Clamped(a.R, a.G, a.B);
  const int32_t step = std::max(MulDiv(position - start + 1, bands, extent) - 1, 0);
  auto at = [&](int32_t x, int32_t y) { return x + MulDiv(step, y - x, bands - 1); };
  return Clamped(at(a.R, b.R), at(a.G, b.G), at(a.B, b.B));
}

void FillTwoPhaseGradientRect(win::HDC dc, const TRect& rect, TColor color1, bool horizontal, TColor color2) {
  const Rgb c1 = Channels(color1), c2 = Channels(color2);
  if (SolidFill(dc, rect, color1, c1, c2)) return;
  const int32_t start = horizontal ? rect.Left : rect.Top;
  const int32_t end = horizontal ? rect.Right : rect.Bottom;
  const int32_t extent = end - start;
  if (extent <= 0) return;
  const int32_t half = extent / 2, percent = Office11GradientPercent();
  auto middle = [&](int32_t x, int32_t y) { return x - MulDiv(x - y, percent, 200); };
  const Rgb m{middle(c1.R, c2.R), middle(c1.G, c2.G), middle(c1.B, c2.B)};
  for (int32_t i = 0; i < extent && start + i < end; ++i) {
    // The divisions by half and extent - 1 only happen on lines that exist
    // beside the middle one, so neither is 0 there.
    auto line = [&](int32_t x1, int32_t xm, int32_t x2) {
      if (i < half) return x1 + MulDiv(i, (x1 - MulDiv(x1 - xm, extent, half)) - x1, extent - 1);
      if (i == half) return xm;
      const int32_t t = x2 + MulDiv(xm - x2, extent, half);
      return t + MulDiv(i, x2 - t, extent - 1);
    };
    const TColor c = Clamped(line(c1.R, m.R, c2.R), line(c1.G, m.G, c2.G), line(c1.B, m.B, c2.B));
    const int32_t p = start + i;
    FillRectWithColor(dc, Slice(rect, horizontal, p, p + 1), c);
  }
}

bool DwmApiAvailable() { return false; }
