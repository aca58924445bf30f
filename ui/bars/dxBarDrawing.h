// The small drawing routines that bar windows, items and painters share: clip
// save and restore, tiled fills, polygons, focus and double frames, the
// drop-down arrows, glyph drawing with the item controls' glyph cache, themed
// colours and parts with their fallbacks, and the menu fonts.
//
// DC is a device context; colours are TColor unless a COLORREF is named. The
// routines raise nothing of their own: a missing object draws nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/gdi/gdi.h"
#include "platform/rtl/types.h"
#include "platform/vcl/graphics.h"
#include "platform/win/winuser.h"
#include "ui/lookandfeel/cxDrawImage.h"
#include "ui/lookandfeel/dxUxTheme.h"

class TcxAlphaBitmap;
class TcxCanvas;
class TCustomImageList;
class TdxBarItemControl;

// ---------------------------------------------------------------- process-wide values

// The shared 8 x 8 dither brush; null before the toolbar unit starts and after it stops.
win::HBRUSH DitherBrush();
// Rebuilds the dither brush from the current system colours (nothing while the
// toolbar unit shuts down).
void BuildDitherBrush();

// The optional user32 entry points of layered windows and window animation,
// bound by the toolbar unit's start-up; each null where the platform lacks it.
using TSetLayeredWindowAttributesProc = win::BOOL (*)(win::HWND, win::COLORREF, win::BYTE, win::DWORD);
using TUpdateLayeredWindowProc = win::BOOL (*)(win::HWND, win::HDC, const win::POINT*, const win::SIZE*, win::HDC,
                                               const win::POINT*, win::COLORREF, const win::BLENDFUNCTION*,
                                               win::DWORD);
using TAnimateWindowProc = win::BOOL (*)(win::HWND, win::DWORD, win::DWORD);
extern TSetLayeredWindowAttributesProc dxSetLayeredWindowAttributes;
extern TUpdateLayeredWindowProc dxUpdateLayeredWindow;
extern TAnimateWindowProc dxAnimateWindow;
// Loads user32 and looks the three entry points up by name; releasing frees
// the module and clears them.
void BindBarUser32();
void ReleaseBarUser32();
// Deletes the dither brush; DitherBrush answers null afterwards.
void FreeDitherBrush();

// The drawing part of the toolbar unit's start-up and shutdown: user32 and
// the dither brush.
void dxBarDrawingUnitStart();
void dxBarDrawingUnitStop();

// ---------------------------------------------------------------- GDI helpers

// Window opacity through WS_EX_LAYERED: below 255 the window becomes layered
// with that constant alpha; at 255 it stops being layered and is redrawn.
void SetWindowAlpha(win::HWND AWnd, int32_t AAlpha);
void FreeGdiObject(win::HGDIOBJ& AObject);
// BitBlt of ADestRect from ASourceDC, whose top-left there is ASourceTopLeft.
void BitBltRect(win::HDC ADestDC, const TRect& ADestRect, win::HDC ASourceDC, TPoint ASourceTopLeft, win::DWORD ARop);
// A new bitmap of that size and pixel format.
std::unique_ptr<TBitmap> CreateSizedBitmap(int32_t AWidth, int32_t AHeight, TPixelFormat APixelFormat);
// Deletes the object that APrevious replaces in ADC.
void RestoreAndDeleteGdiObject(win::HDC ADC, win::HGDIOBJ APrevious);
// A polygon of points 0..AHigh, filled in AFillColor and outlined by a 1-pixel pen of APenColor.
void FillPolygonWithColors(win::HDC ADC, const win::POINT* APoints, int32_t AHigh, win::COLORREF AFillColor,
                           win::COLORREF APenColor);
// Removes the ring AFrame minus AContent from the canvas clip region.
void ExcludeFrameFromClip(TcxCanvas* ACanvas, const TRect& AFrame, const TRect& AContent);

void FrameWithHighlight(win::HDC ADC, const TRect& R);
// R and R shrunk by 1, framed with the system colour ASysColor's brush.
void DrawDoubleFrame(win::HDC ADC, const TRect& R, int32_t ASysColor);
// A dotted frame (clBtnText where x + y is even) on R and on R shrunk by 1.
void DrawDoubleFocusRect(win::HDC ADC, const TRect& R);
// R overlaid with the semi-transparent hatch of disabled areas.
void HatchDisabledArea(win::HDC ADC, const TRect& R);
// ABitmap transparently into R, greyed out when not AEnabled.
void DrawBitmapGlyph(win::HDC ADC, const TRect& R, TBitmap* ABitmap, bool AEnabled);

// The clip region of ADC saved into a new region ARgn (AExists: ADC had one);
// answers GetClipRgn's result minus 1. RestoreSavedClip puts it back and deletes ARgn.
int32_t SaveCurrentClip(win::HDC ADC, win::HRGN& ARgn, bool& AExists);
void RestoreSavedClip(win::HDC ADC, win::HRGN ARgn, bool AExists);
void AddRectToClip(win::HDC ADC, const TRect& R);

// ADest covered by the endlessly tiled ABitmap, of which ASource selects the
// part:
//
//   tiles:  |0      |w      |2w     |3w        (bitmap coordinates)
//   source:      [Left ............ Right)
//   dest:        [Left ............ Right)     (same offset into the tiles)
//
// Nothing for an empty bitmap or an empty ASource.
void TileBitmap(win::HDC ADC, const TRect& ADest, const TRect& ASource, TBitmap* ABitmap);
// TileBitmap with a non-empty ABitmap, else a fill with ABrush or, without
// one, with AColor.
void FillRectWithBitmapOrColor(win::HDC ADC, const TRect& ADest, const TRect& ASource, TBitmap* ABitmap, TColor AColor,
                               win::HBRUSH ABrush);

// ---------------------------------------------------------------- arrows

// ADirection 1 points down, anything else right. AColor clDefault picks the
// arrow's colour from the state; a disabled arrow without ANoEmboss gets two
// highlight lines along its lower edge. ASize is the arrow's size S: a down
// arrow is 2S - 1 wide and S high.
void DrawItemArrow(win::HDC ADC, const TRect& R, int32_t ADirection, TColor AColor, bool ANoEmboss, bool AEnabled,
                   bool ASelected, int32_t ASize);
// DrawItemArrow with the size fitted to R, at least 3.
void DrawItemArrowFitted(win::HDC ADC, const TRect& R, int32_t ADirection, TColor AColor, bool ANoEmboss,
                         bool AEnabled, bool ASelected);
// The size DrawItemArrowFitted draws with.
int32_t FittedItemArrowSize(const TRect& R, int32_t ADirection);

// ---------------------------------------------------------------- glyphs

// The draw mode of the eight state flags, as DrawItemGlyph picks it.
TcxImageDrawMode ItemGlyphDrawMode(bool S1, bool S2, bool S3, bool S4, bool S5, bool S6, bool S7, bool S8);

// A glyph (ABitmap when not empty, else image AImageIndex of AImages) drawn in
// the mode of the eight state flags. With an item control whose manager caches
// glyphs, the control's glyph cache is drawn instead (rebuilt when stale).
void DrawItemGlyph(TdxBarItemControl* AItemControl, win::HDC ADC, win::HBRUSH ABrush, const TRect& ABackgroundRect,
                   const TRect& AGlyphRect, TBitmap* ABitmap, TCustomImageList* AImages, int32_t AImageIndex,
                   TColor ABackColor, bool S1, bool S2, bool S3, bool S4, bool S5, bool S6, bool S7, bool S8,
                   bool ASmooth, bool AUseGlyphTransparentColor);
// DrawItemGlyph without an item control.
void DrawGlyphTransparent(win::HDC ADC, win::HBRUSH ABrush, const TRect& ABackgroundRect, const TRect& AGlyphRect,
                          TBitmap* ABitmap, TCustomImageList* AImages, int32_t AImageIndex, TColor ABackColor, bool S1,
                          bool S2, bool S3, bool S4, bool S5, bool S6, bool S7, bool S8, bool ASmooth,
                          bool AUseGlyphTransparentColor);

// An item control's rendering of its glyph in one draw mode, at the size of
// the rectangle it was made for.
class TdxCachedImageOptions {
public:
  TdxCachedImageOptions();
  ~TdxCachedImageOptions();
  TdxCachedImageOptions(const TdxCachedImageOptions&) = delete;
  TdxCachedImageOptions& operator=(const TdxCachedImageOptions&) = delete;

  // Cached in AMode from the same glyph (when one is given) or else the same
  // image list, and not empty.
  bool HasCachedImage(TcxImageDrawMode AMode, TBitmap* AGlyph, TCustomImageList* AImages) const;
  void CacheImage(const TRect& AGlyphRect, TBitmap* AGlyph, bool AUseGlyphTransparentColor, bool ASmooth,
                  TColor ABackColor, TcxImageDrawMode AMode, int32_t AImageIndex, TCustomImageList* AImages);
  void Clear() { cached_ = false; }
  TcxAlphaBitmap* Glyph() const { return glyph_.get(); }

private:
  bool cached_ = false;
  std::unique_ptr<TcxAlphaBitmap> glyph_;
  TcxImageDrawMode mode_ = idmNormal;
  TCustomImageList* images_ = nullptr;  // not owned, compared only
  TBitmap* bitmap_ = nullptr;           // not owned, compared only
};

// ---------------------------------------------------------------- themed colours and parts

// COLOR_WINDOW, or for AState 4 (disabled) the edit theme's fill colour.
win::COLORREF EditBackColorFromTheme(HTHEME ATheme, int32_t AState);
// The edit theme's text colour in AState, else COLOR_GRAYTEXT (state 4) or COLOR_WINDOWTEXT.
win::COLORREF EditTextColorFromTheme(HTHEME ATheme, int32_t AState);
// The toolbar theme's fill colour, else COLOR_BTNFACE.
win::COLORREF ToolbarColorFromTheme();
// The small close button of the window theme; (0, 0) without the theme.
void ThemedCloseButtonSize(TSize& ASize);
// Places the close button in R (at its left for ASide 1 and 3, else at its
// right), fills it with the button face and draws it; nothing without the theme.
void DrawThemedCloseButton(win::HDC ADC, TRect& R, bool AHot, int32_t ASide, bool APressed);
// The scroll-bar theme's size box plus 2 each way; (0, 0) without the theme.
void ThemedSizeGripSize(TSize& ASize);
// Places the size grip in ACorner of R (0 top-left, 1 top-right, 2
// bottom-left, 3 bottom-right) and draws it facing that corner; nothing
// without the theme.
void DrawThemedSizeGrip(win::HDC ADC, TRect& R, int32_t ACorner);
// The system size grip over what is already painted in R.
void DrawGripTransparently(win::HDC ADC, const TRect& R);

// ---------------------------------------------------------------- fonts

// The system's non-client metrics as the 500-byte structure holds them.
win::NONCLIENTMETRICS ReadNonClientMetrics();
// The small caption font; unless AUseSystemFont, at least 11 pixels high and in AFont's face.
win::HFONT CreateSmallCaptionFont(TFont* AFont, bool AUseSystemFont);
// ATarget becomes a copy of AFont, with AUseSystemSize at the icon-title font's height (at least 11 pixels).
void CopyFontWithSystemSize(TFont* AFont, TFont* ATarget, bool AUseSystemSize);
// A new font of AFont's description; null for null.
win::HFONT CloneFontHandle(win::HFONT AFont);
