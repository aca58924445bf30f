// Classic-style drawing shared by the standard controls, menus and dialogs:
// each routine draws one element in a rectangle from a state, in the system
// colours, so that every look can be drawn and checked without a window.
#pragma once

#include <string>

#include "platform/gdi/gdi.h"
#include "platform/vcl/graphics.h"

// A screen DC with a font selected, for measuring text outside painting.
class TMeasureDC {
public:
  explicit TMeasureDC(TFont* font);
  explicit TMeasureDC(win::HFONT font);
  ~TMeasureDC();
  TMeasureDC(const TMeasureDC&) = delete;
  TMeasureDC& operator=(const TMeasureDC&) = delete;
  win::HDC Handle() const { return dc_; }
  // The extent of one line of text (no prefix processing).
  TSize TextExtent(const std::string& text) const;
  // The height of a line of the font.
  int32_t LineHeight() const;

private:
  win::HDC dc_ = nullptr;
  win::HGDIOBJ old_ = nullptr;
};

// Text through DrawText in colour on a transparent background. Disabled
// text is embossed: the highlight colour one pixel down and right, the
// shadow colour on top.
void DrawControlText(win::HDC dc, const std::string& text, TRect r, win::UINT format, TColor color, bool enabled);

// A push button: raised face (sunken while pressed), the default button's
// dark frame, the caption centred, and the focus rectangle inside.
void DrawPushButton(win::HDC dc, TRect r, const std::string& caption, bool pressed, bool isDefault, bool focused,
                    bool enabled);

// A check box (state 0 unchecked, 1 checked, 2 grayed) or radio button
// glyph in the square box.
void DrawCheckGlyph(win::HDC dc, TRect box, int state, bool radio, bool pressed, bool enabled);

// The size of a check box or radio glyph.
constexpr int32_t CheckGlyphSize = 13;

// The dotted focus rectangle in the current text colours.
void DrawFocusRectangle(win::HDC dc, const TRect& r);

// Fills a rectangle with a TColor (system colours resolved).
void FillColorRect(win::HDC dc, const TRect& r, TColor color);
