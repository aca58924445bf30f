#include "ui/lookandfeel/dxOffice11.h"

#include <algorithm>
#include <memory>

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

namespace {

constexpr int kEntryCount = 36;

// Entries 0-35 of the blue, olive and silver schemes as RRGGBB.
constexpr uint32_t kSchemeEntries[3][kEntryCount] = {
    {0xDDECFE, 0x81A9E2, 0x9EBEF5, 0xC3DAF9, 0x003591, 0x75A6F1, 0xFFC176, 0xFFF8D3, 0xFFDD98,
     0xFE9552, 0x3B619C, 0x7BA4E0, 0x274176, 0xFFFFFF, 0x6A8CCB, 0xF1F9FF, 0x2A66C9, 0xC4DBF9,
     0x002D96, 0xF6F6F6, 0xFFEEC2, 0x000080, 0xFFF4CC, 0xFFD091, 0xFFD38E, 0xFE914E, 0xCBE1FC,
     0xFFC06F, 0xFE803E, 0xA9C7F0, 0x000000, 0x8D8D8D, 0xBEDAFB, 0xFBE694, 0xC4DAFA, 0x002D96},
    {0xF4F7DE, 0xB7C691, 0xD9D9A7, 0xF2F0E4, 0x60776B, 0xB0C28C, 0xFFC176, 0xFFF8D3, 0xFFDD98,
     0xFE9552, 0x608058, 0xB5C48F, 0x515E33, 0xFFFFFF, 0x608058, 0xF4F7DE, 0x74865E, 0xE1DEAD,
     0x758D5E, 0xF4F4EE, 0xFFEEC2, 0x3F5D38, 0xFFF4CC, 0xFFD091, 0xFFD38E, 0xFE914E, 0xD8E3B6,
     0xFFC06F, 0xFE803E, 0xC5D49F, 0x000000, 0x8D8D8D, 0xAFBA91, 0xFBE694, 0xF2F1E4, 0x608058},
    {0xF3F4FA, 0x9997B5, 0xD7D7E5, 0xF3F3F7, 0x767492, 0xB3B2C8, 0xFFC176, 0xFFF8D3, 0xFFDD98,
     0xFE9552, 0x7C7C94, 0x9391B0, 0x545475, 0xFFFFFF, 0x6E6D8F, 0xFFFFFF, 0x7A7999, 0xDBDAE4,
     0x7C7C94, 0xFDFAFF, 0xFFEEC2, 0x4B4B6F, 0xFFF4CC, 0xFFD091, 0xFFD38E, 0xFE914E, 0xD6D3E7,
     0xFFC06F, 0xFE803E, 0xC0C0D3, 0x000000, 0x8D8D8D, 0xE5E5EB, 0xFBE694, 0xF3F3F7, 0x7C7C94},
};
constexpr int32_t kSchemeGradientPercents[3] = {41, 125, 40};

int32_t scheme = 0;
bool colorsAvailable = false;
int32_t gradientPercent = 75;
int32_t useCount = 0;
bool unitStopped = false;

TColor entries[kEntryCount];
TColor markColors[4][3];  // Office11MarkColors1 to 4
TColor arrowColor, arrowShadowColor, highlightColor, markArrowHotColor, markArrowPressedColor, menuDarkStartColor,
    menuDarkEndColor;

enum Office11Brush {
  kGripDarkBrush, kGripLightBrush, kHeaderShadowBrush, kHeaderLightBrush, kMenuBorderBrush, kMenuBrush,
  kSelectedBrush, kSelectedFrameBrush, kItemFaceBrush, kDownFaceBrush, kDownFaceBrush2, kItemDetailBrush,
  kMarkLineBrush, kBrushCount
};
// The colour each brush is made of.
const TColor* const kBrushColors[kBrushCount] = {&entries[12], &entries[13], &entries[14], &entries[15],
                                                 &entries[18], &entries[19], &entries[20], &entries[21],
                                                 &entries[26], &entries[27], &entries[28], &entries[29],
                                                 &markColors[3][0]};
win::HBRUSH brushes[kBrushCount];
std::unique_ptr<TBitmap> subMenuExpandBitmap, expandButtonMinusBitmap, expandButtonPlusBitmap;

TColor FromRrggbb(uint32_t v) { return RGBColor(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)); }

// A solid brush of the colour; only its low 24 bits count once resolved.
win::HBRUSH SolidBrushOf(TColor color) { return win::CreateSolidBrush(win::COLORREF(ColorToRGB(color)) & 0xFFFFFF); }

// The column without a scheme: mixes of the system colours.
void ComputeSystemEntries(TColor* e) {
  e[0] = MixColors(clBtnFace, clWindow, 22);
  e[1] = MixColors(clBtnFace, clWindow, 96);
  e[2] = clBtnFace;
  e[3] = MixColors(clBtnFace, clWindow, 20);
  e[4] = clBtnShadow;
  e[5] = MixColors(e[4], clWindow, 74);
  e[6] = e[7] = NearestScreenColor(CalcLightColor(-15, 29, 86));
  e[8] = e[9] = NearestScreenColor(CalcLightColor(42, 11, 47));
  e[10] = MixColors(clBtnFace, clWindow, 85);
  e[11] = clBtnFace;
  e[12] = MixColors(clBtnShadow, clWindow, 76);
  e[13] = clWindow;
  e[14] = MixColors(clBtnShadow, clWindow, 70);
  e[15] = clWhite;
  e[16] = clBtnShadow;
  e[17] = e[1];
  e[18] = clBtnShadow;
  e[19] = clWindow;
  e[20] = NearestScreenColor(CalcLightColor(-2, 30, 72));
  e[21] = clHighlight;
  e[22] = e[23] = e[20];
  e[28] = NearestScreenColor(CalcLightColor(14, 44, 40));
  e[24] = e[25] = e[28];
  e[26] = e[1];
  e[27] = CalcLightColor(41, 11, 48);
  e[29] = e[26];
  e[30] = clBtnText;
  e[31] = clGrayText;
  e[32] = clBtnFace;
  e[33] = e[27];
  e[34] = e[2];
  e[35] = e[18];
}

void ComputeOffice11Colors() {
  scheme = DetectOffice11Scheme();
  colorsAvailable = AreVisualStylesAvailable() && scheme != 0;
  if (colorsAvailable) {
    for (int i = 0; i < kEntryCount; ++i) entries[i] = FromRrggbb(kSchemeEntries[scheme - 1][i]);
    gradientPercent = kSchemeGradientPercents[scheme - 1];
  } else {
    ComputeSystemEntries(entries);
    gradientPercent = 75;
  }
  for (int state = 0; state < 3; ++state) {
    const TColor mark2 = entries[4 + 2 * state], mark1 = entries[5 + 2 * state];
    markColors[0][state] = mark1;
    markColors[1][state] = mark2;
    markColors[2][state] = colorsAvailable ? MixColors(mark1, entries[0], 90) : MixColors(mark2, clWindow, 50);
    markColors[3][state] = MixColors(mark2, entries[11], 50);
  }
  arrowColor = colorsAvailable ? clBlack : clBtnText;
  arrowShadowColor = colorsAvailable ? clWhite : clWindow;
  highlightColor = colorsAvailable ? clWhite : clBtnHighlight;
  markArrowHotColor = markArrowPressedColor = colorsAvailable ? clBlack : clBtnText;
  menuDarkStartColor = MixColors(entries[0], clBlack, 92);
  menuDarkEndColor = MixColors(entries[1], clBlack, 92);
}

void CreateOffice11Objects() {
  if (unitStopped) return;
  for (int i = 0; i < kBrushCount; ++i) brushes[i] = SolidBrushOf(*kBrushColors[i]);
  subMenuExpandBitmap = dxLoadOffice11Bitmap("DXSUBMENUEXPAND");
  RecolorOffice11Bitmap(*subMenuExpandBitmap, entries[0], entries[1]);
  expandButtonMinusBitmap = dxLoadOffice11Bitmap("DXEXPANDBUTTON_MINUS");
  expandButtonPlusBitmap = dxLoadOffice11Bitmap("DXEXPANDBUTTON_PLUS");
}

void DestroyOffice11Objects() {
  subMenuExpandBitmap.reset();
  expandButtonMinusBitmap.reset();
  expandButtonPlusBitmap.reset();
  for (win::HBRUSH& brush : brushes) {
    if (brush != nullptr) win::DeleteObject(brush);
    brush = nullptr;
  }
}

}  // namespace

const TColor& Office11GradientStartColor = entries[0];
const TColor& Office11GradientEndColor = entries[1];
const TColor& Office11FaceColor = entries[2];
const TColor& Office11LightFaceColor = entries[3];
const TColor (&Office11MarkColors1)[3] = markColors[0];
const TColor (&Office11MarkColors2)[3] = markColors[1];
const TColor (&Office11MarkColors3)[3] = markColors[2];
const TColor (&Office11MarkColors4)[3] = markColors[3];
const TColor& Office11BarOutlineColor = entries[10];
const TColor& Office11BarOutlineColor2 = entries[11];
const TColor& Office11GripDarkColor = entries[12];
const TColor& Office11GripLightColor = entries[13];
const TColor& Office11HeaderShadowColor = entries[14];
const TColor& Office11HeaderLightColor = entries[15];
const TColor& Office11ShadowColor = entries[16];
const TColor& Office11FloatingBorderInnerColor = entries[17];
const TColor& Office11MenuBorderColor = entries[18];
const TColor& Office11MenuColor = entries[19];
const TColor& Office11SelectedColor = entries[20];
const TColor& Office11SelectedFrameColor = entries[21];
const TColor& Office11HotColor = entries[22];
const TColor& Office11HotEndColor = entries[23];
const TColor& Office11PressedColor = entries[24];
const TColor& Office11PressedEndColor = entries[25];
const TColor& Office11ItemFaceColor = entries[26];
const TColor& Office11DownFaceColor = entries[27];
const TColor& Office11DownFaceColor2 = entries[28];
const TColor& Office11ItemDetailColor = entries[29];
const TColor& Office11GlyphColor = entries[30];
const TColor& Office11DisabledGlyphColor = entries[31];
const TColor& Office11PanelFaceColor = entries[32];
const TColor& Office11PanelLightColor = entries[33];
const TColor& Office11PanelShadeColor = entries[34];
const TColor& Office11OuterFrameColor = entries[35];
const TColor& Office11MarkLineColor = markColors[3][0];
const TColor& Office11ArrowColor = arrowColor;
const TColor& Office11ArrowShadowColor = arrowShadowColor;
const TColor& Office11HighlightColor = highlightColor;
const TColor& Office11MarkArrowHotColor = markArrowHotColor;
const TColor& Office11MarkArrowPressedColor = markArrowPressedColor;
const TColor& Office11SelectedTextColor = highlightColor;
const TColor& Office11LinkGradientStartColor = entries[0];
const TColor& Office11LinkGradientEndColor = entries[1];
const TColor& Office11MenuGradientStartColor = entries[0];
const TColor& Office11MenuGradientEndColor = entries[1];
const TColor& Office11MenuGradientDarkStartColor = menuDarkStartColor;
const TColor& Office11MenuGradientDarkEndColor = menuDarkEndColor;
const TColor& Office11FloatingBackColor = entries[0];
const TColor& Office11FloatingCaptionColor = entries[16];
const TColor& Office11DateNavigatorHeaderColor = entries[2];
const TColor& Office11FrameColor = entries[18];

const win::HBRUSH& Office11GripDarkBrush = brushes[kGripDarkBrush];
const win::HBRUSH& Office11GripLightBrush = brushes[kGripLightBrush];
const win::HBRUSH& Office11HeaderShadowBrush = brushes[kHeaderShadowBrush];
const win::HBRUSH& Office11HeaderLightBrush = brushes[kHeaderLightBrush];
const win::HBRUSH& Office11MenuBorderBrush = brushes[kMenuBorderBrush];
const win::HBRUSH& Office11MenuBrush = brushes[kMenuBrush];
const win::HBRUSH& Office11SelectedBrush = brushes[kSelectedBrush];
const win::HBRUSH& Office11SelectedFrameBrush = brushes[kSelectedFrameBrush];
const win::HBRUSH& Office11ItemFaceBrush = brushes[kItemFaceBrush];
const win::HBRUSH& Office11DownFaceBrush = brushes[kDownFaceBrush];
const win::HBRUSH& Office11DownFaceBrush2 = brushes[kDownFaceBrush2];
const win::HBRUSH& Office11ItemDetailBrush = brushes[kItemDetailBrush];
const win::HBRUSH& Office11MarkLineBrush = brushes[kMarkLineBrush];

TBitmap* Office11SubMenuExpandBitmap() { return subMenuExpandBitmap.get(); }
TBitmap* Office11ExpandButtonMinusBitmap() { return expandButtonMinusBitmap.get(); }
TBitmap* Office11ExpandButtonPlusBitmap() { return expandButtonPlusBitmap.get(); }

void AcquireOffice11Colors() {
  if (useCount++ > 0) return;
  ComputeOffice11Colors();
  CreateOffice11Objects();
}

void FreeOffice11Colors() {
  // A free without its acquire is ignored rather than unbalancing the count.
  if (useCount == 0) return;
  if (--useCount == 0) DestroyOffice11Objects();
}

void RefreshOffice11Colors() {
  ComputeOffice11Colors();
  if (useCount == 0) return;
  DestroyOffice11Objects();
  CreateOffice11Objects();
}

int32_t CurrentOffice11Scheme() { return scheme; }
bool Office11ColorsAvailable() { return colorsAvailable; }

int32_t Office11GradientPercent() { return gradientPercent; }

void FillRectWithColor(win::HDC dc, const TRect& rect, TColor color) {
  win::HBRUSH brush = SolidBrushOf(color);
  win::FillRect(dc, &rect, brush);
  win::DeleteObject(brush);
}

void FrameRectWithColor(win::HDC dc, const TRect& rect, TColor color) {
  win::HBRUSH brush = SolidBrushOf(color);
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

void FrameOffice11Rect(win::HDC dc, const TRect& rect) {
  if (IsHighContrastBlackFace() || IsHighContrastColoredText())
    FrameRectWithColor(dc, rect, clHighlightText);
  else if (brushes[kSelectedFrameBrush] != nullptr)
    win::FrameRect(dc, &rect, brushes[kSelectedFrameBrush]);
  else  // the set is not in use: its colour still frames
    FrameRectWithColor(dc, rect, Office11SelectedFrameColor);
}

void DrawGripDots(win::HDC dc, const TRect& rect, bool vertical, win::HBRUSH lightBrush, win::HBRUSH darkBrush) {
  if (lightBrush == nullptr) lightBrush = brushes[kGripLightBrush];
  if (darkBrush == nullptr) darkBrush = brushes[kGripDarkBrush];
  const int32_t start = vertical ? rect.Top : rect.Left;
  const int32_t end = vertical ? rect.Bottom : rect.Right;
  const int32_t rest = (end - start) % 4;
  // Only whole cells are drawn, so a rectangle under 4 units gets none.
  for (int32_t p = start + (rest < 2 ? rest : rest / 2); p <= end - 4; p += 4) {
    TRect dot = vertical ? TRect(rect.Left + 1, p + 1, rect.Left + 3, p + 3)
                         : TRect(p + 1, rect.Top + 1, p + 3, rect.Top + 3);
    win::FillRect(dc, &dot, lightBrush);
    dot.Offset(-1, -1);
    win::FillRect(dc, &dot, darkBrush);
  }
}

void DrawSizeGripDots(win::HDC dc, const TRect& rect, TColor color1, TColor color2) {
  win::HBRUSH dark = color1 == clDefault ? nullptr : SolidBrushOf(color1);
  win::HBRUSH light = color2 == clDefault ? nullptr : SolidBrushOf(color2);
  TRect row(rect.Right - 12, rect.Bottom - 3, rect.Right, rect.Bottom);
  for (int i = 0; i < 3; ++i) {
    DrawGripDots(dc, row, false, light, dark);
    row.Left += 4;
    row.Offset(0, -4);
  }
  if (dark != nullptr) win::DeleteObject(dark);
  if (light != nullptr) win::DeleteObject(light);
}

void DrawArrowGlyph(win::HDC dc, const TRect& rect, bool down, bool enabled, bool selected, int32_t size) {
  if (size < 1) return;
  TColor color = Office11DisabledGlyphColor;
  if (enabled) color = selected && IsHighContrastWhite() ? clWhite : Office11GlyphColor;
  const int32_t s = size;
  win::POINT points[3];
  if (down) {
    const int32_t x = (rect.Left + rect.Right - (2 * s - 1)) / 2, y = (rect.Top + rect.Bottom - s) / 2;
    points[0] = {x, y};
    points[1] = {x + 2 * s - 2, y};
  } else {
    const int32_t x = (rect.Left + rect.Right - s) / 2, y = (rect.Top + rect.Bottom - (2 * s - 1)) / 2;
    points[0] = {x, y};
    points[1] = {x, y + 2 * s - 2};
  }
  points[2] = {points[0].X + s - 1, points[0].Y + s - 1};
  const win::COLORREF rgb = win::COLORREF(ColorToRGB(color)) & 0xFFFFFF;
  win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, rgb);
  win::HBRUSH brush = win::CreateSolidBrush(rgb);
  win::HGDIOBJ oldPen = win::SelectObject(dc, pen);
  win::HGDIOBJ oldBrush = win::SelectObject(dc, brush);
  win::Polygon(dc, points, 3);
  win::SelectObject(dc, oldBrush);
  win::SelectObject(dc, oldPen);
  win::DeleteObject(brush);
  win::DeleteObject(pen);
}

void DrawArrowInRect(win::HDC dc, const TRect& rect, bool down, bool enabled, bool selected) {
  const int32_t n = down ? rect.Width() - 8 : rect.Height() - 6;
  const int32_t size = (n - 1) / 2 + (n % 2 != 0 ? 1 : 0);
  DrawArrowGlyph(dc, rect, down, enabled, selected, std::max(size, 3));
}

bool DwmApiAvailable() { return false; }

void dxOffice11UnitStart() { ComputeOffice11Colors(); }

void dxOffice11UnitStop() {
  DestroyOffice11Objects();
  unitStopped = true;
}
