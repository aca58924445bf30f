// The Office 2003 colour set with its brushes and bitmaps, colour arithmetic,
// gradients, grip dots and arrows. Linux has no visual styles, so no Office
// 2003 scheme is detected and the colours derive from the system colours.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/gdi/gdi.h"
#include "platform/rtl/types.h"

class TBitmap;

// The colours are computed at the unit's start-up, by the first acquire and by
// each refresh (on a system colour or theme change); the brushes and bitmaps
// live from the first acquire to the matching last free, and a refresh remakes
// them while the set is in use. Each owner (look-and-feel, status bar, bar
// manager) holds one use.
void AcquireOffice11Colors();
void FreeOffice11Colors();
void RefreshOffice11Colors();

// The scheme found by the last computation, and whether its table is used:
// visual styles are available and the scheme is not 0.
int32_t CurrentOffice11Scheme();
bool Office11ColorsAvailable();

// The colour set: a scheme's table, or mixes of the system colours without one.
// Values are TColors and may be system colours.
extern const TColor& Office11GradientStartColor;
extern const TColor& Office11GradientEndColor;
extern const TColor& Office11FaceColor;
extern const TColor& Office11LightFaceColor;
// Mark button colours of the normal, hot and pressed states.
extern const TColor (&Office11MarkColors1)[3];
extern const TColor (&Office11MarkColors2)[3];
extern const TColor (&Office11MarkColors3)[3];
extern const TColor (&Office11MarkColors4)[3];
extern const TColor& Office11BarOutlineColor;
extern const TColor& Office11BarOutlineColor2;
extern const TColor& Office11GripDarkColor;
extern const TColor& Office11GripLightColor;
extern const TColor& Office11HeaderShadowColor;
extern const TColor& Office11HeaderLightColor;
extern const TColor& Office11ShadowColor;
extern const TColor& Office11FloatingBorderInnerColor;
extern const TColor& Office11MenuBorderColor;
extern const TColor& Office11MenuColor;
extern const TColor& Office11SelectedColor;
extern const TColor& Office11SelectedFrameColor;
extern const TColor& Office11HotColor;
extern const TColor& Office11HotEndColor;
extern const TColor& Office11PressedColor;
extern const TColor& Office11PressedEndColor;
extern const TColor& Office11ItemFaceColor;
extern const TColor& Office11DownFaceColor;
extern const TColor& Office11DownFaceColor2;
extern const TColor& Office11ItemDetailColor;
extern const TColor& Office11GlyphColor;
extern const TColor& Office11DisabledGlyphColor;
extern const TColor& Office11PanelFaceColor;
extern const TColor& Office11PanelLightColor;
extern const TColor& Office11PanelShadeColor;
extern const TColor& Office11OuterFrameColor;
// Derived from the entries above.
extern const TColor& Office11MarkLineColor;
extern const TColor& Office11ArrowColor;
extern const TColor& Office11ArrowShadowColor;
extern const TColor& Office11HighlightColor;
extern const TColor& Office11MarkArrowHotColor;
extern const TColor& Office11MarkArrowPressedColor;
extern const TColor& Office11SelectedTextColor;
extern const TColor& Office11LinkGradientStartColor;
extern const TColor& Office11LinkGradientEndColor;
extern const TColor& Office11MenuGradientStartColor;
extern const TColor& Office11MenuGradientEndColor;
extern const TColor& Office11MenuGradientDarkStartColor;
extern const TColor& Office11MenuGradientDarkEndColor;
extern const TColor& Office11FloatingBackColor;
extern const TColor& Office11FloatingCaptionColor;
extern const TColor& Office11DateNavigatorHeaderColor;
extern const TColor& Office11FrameColor;

// Solid brushes of the colours they are named after; null while the set is
// not in use. Owned by the set: users never delete them.
extern const win::HBRUSH& Office11GripDarkBrush;
extern const win::HBRUSH& Office11GripLightBrush;
extern const win::HBRUSH& Office11HeaderShadowBrush;
extern const win::HBRUSH& Office11HeaderLightBrush;
extern const win::HBRUSH& Office11MenuBorderBrush;
extern const win::HBRUSH& Office11MenuBrush;
extern const win::HBRUSH& Office11SelectedBrush;
extern const win::HBRUSH& Office11SelectedFrameBrush;
extern const win::HBRUSH& Office11ItemFaceBrush;
extern const win::HBRUSH& Office11DownFaceBrush;
extern const win::HBRUSH& Office11DownFaceBrush2;
extern const win::HBRUSH& Office11ItemDetailBrush;
extern const win::HBRUSH& Office11MarkLineBrush;

// The fixed colours of the Office 2003 expand button's corners.
constexpr TColor Office11ExpandButtonColor1 = RGBColor(0x9E, 0xAE, 0xBF);
constexpr TColor Office11ExpandButtonColor2 = RGBColor(0x2E, 0x46, 0x5F);

// The set's bitmaps, null while it is not in use: the sub-menu expand arrows
// recoloured to the gradient colours, and the 11 x 11 expand buttons.
TBitmap* Office11SubMenuExpandBitmap();
TBitmap* Office11ExpandButtonMinusBitmap();
TBitmap* Office11ExpandButtonPlusBitmap();

// The library's bitmap by resource name ("DXSUBMENUEXPAND",
// "DXEXPANDBUTTON_MINUS", "DXEXPANDBUTTON_PLUS"), newly made; null for another name.
std::unique_ptr<TBitmap> dxLoadOffice11Bitmap(const char* name);
// Pixel (0, 0) is transparent and black stays black; every other pixel becomes
// a mix of color1 (the reddest) and color2 (the least red) by its red value.
// Equal colours are told apart by using black, or white for black, as color2.
void RecolorOffice11Bitmap(TBitmap& bitmap, TColor color1, TColor color2);

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

// The two-phase gradient's pull towards its middle colour: 41, 125 and 40 for
// the blue, olive and silver schemes, 75 without one.
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

// Frames with the selection frame colour, or with clHighlightText on a
// high-contrast black face.
void FrameOffice11Rect(win::HDC dc, const TRect& rect);
// A row or column of dots in 4-unit cells, centred along the axis: each dot is
// a 2 x 2 dark square over a light one a unit right and down. Null brushes are
// the set's grip brushes.
void DrawGripDots(win::HDC dc, const TRect& rect, bool vertical, win::HBRUSH lightBrush = nullptr,
                  win::HBRUSH darkBrush = nullptr);
// Six grip dots in a triangle at the bottom-right corner, color1 dark and
// color2 light; clDefault takes the set's grip colour.
void DrawSizeGripDots(win::HDC dc, const TRect& rect, TColor color1 = clDefault, TColor color2 = clDefault);
// A filled triangle of size s centred in rect, pointing down (2s - 1 wide) or
// right (2s - 1 high), in the glyph or disabled glyph colour (white when
// selected on a high-contrast white face).
void DrawArrowGlyph(win::HDC dc, const TRect& rect, bool down, bool enabled, bool selected, int32_t size);
// DrawArrowGlyph with a size fitted to rect, never below 3.
void DrawArrowInRect(win::HDC dc, const TRect& rect, bool down, bool enabled, bool selected);

// dwmapi is never loaded here.
bool DwmApiAvailable();

// The unit's start-up computes the colours, so any read before the first
// acquire gets them (GradientFill is missing here: nothing to bind, the
// software gradient always runs). Its shutdown frees the objects of a set
// still in use; the set makes no objects after it.
void dxOffice11UnitStart();
void dxOffice11UnitStop();
