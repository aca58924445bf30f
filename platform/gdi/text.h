// Text output and measuring on device contexts: TextOut, ExtTextOut,
// DrawText(Ex), text metrics and extents, through the DC's selected font.
//
// Text is UTF-8; counts and per-character arrays are in code points (a count
// of -1 means the whole string). Coordinates are logical; pixels land through
// the DC's origin and clip. Sizes are in pixels (MM_TEXT).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/gdi/fontengine.h"
#include "platform/gdi/gdi.h"

namespace win {

struct TEXTMETRIC {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 96;
  LONG tmDigitizedAspectY = 96;
  char32_t tmFirstChar = 0;
  char32_t tmLastChar = 0;
  char32_t tmDefaultChar = 0;
  char32_t tmBreakChar = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};
using TEXTMETRICW = TEXTMETRIC;

// tmPitchAndFamily bits. TMPF_FIXED_PITCH set means a variable-pitch font, as on the platform.
constexpr BYTE TMPF_FIXED_PITCH = 0x01, TMPF_VECTOR = 0x02, TMPF_TRUETYPE = 0x04, TMPF_DEVICE = 0x08;

struct ABC {
  int abcA = 0;
  UINT abcB = 0;
  int abcC = 0;
};

struct DRAWTEXTPARAMS {
  UINT cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 0;  // in average character widths; 0: 8
  int iLeftMargin = 0;
  int iRightMargin = 0;
  UINT uiLengthDrawn = 0;  // out: characters processed
};

// ExtTextOut options.
constexpr UINT ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004, ETO_GLYPH_INDEX = 0x0010, ETO_RTLREADING = 0x0080,
               ETO_NUMERICSLOCAL = 0x0400, ETO_NUMERICSLATIN = 0x0800, ETO_IGNORELANGUAGE = 0x1000,
               ETO_PDY = 0x2000;

// DrawText formats.
constexpr UINT DT_TOP = 0x00000000, DT_LEFT = 0x00000000, DT_CENTER = 0x00000001, DT_RIGHT = 0x00000002,
               DT_VCENTER = 0x00000004, DT_BOTTOM = 0x00000008, DT_WORDBREAK = 0x00000010,
               DT_SINGLELINE = 0x00000020, DT_EXPANDTABS = 0x00000040, DT_TABSTOP = 0x00000080,
               DT_NOCLIP = 0x00000100, DT_EXTERNALLEADING = 0x00000200, DT_CALCRECT = 0x00000400,
               DT_NOPREFIX = 0x00000800, DT_INTERNAL = 0x00001000, DT_EDITCONTROL = 0x00002000,
               DT_PATH_ELLIPSIS = 0x00004000, DT_END_ELLIPSIS = 0x00008000, DT_MODIFYSTRING = 0x00010000,
               DT_RTLREADING = 0x00020000, DT_WORD_ELLIPSIS = 0x00040000, DT_NOFULLWIDTHCHARBREAK = 0x00080000,
               DT_HIDEPREFIX = 0x00100000, DT_PREFIXONLY = 0x00200000;

// The realised face of a font object, made on first use and kept with it.
std::shared_ptr<fontengine::RealizedFont> RealizeFontObject(HFONT font);
// The realised face of the font selected into dc (a default face when none is).
std::shared_ptr<fontengine::RealizedFont> RealizedFontOf(HDC dc);

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* tm);
inline BOOL GetTextMetricsW(HDC dc, TEXTMETRIC* tm) { return GetTextMetrics(dc, tm); }
// The face name of the selected font as it was asked for; empty for an invalid DC.
std::string GetTextFace(HDC dc);

// Width of the text (advances plus the DC's character extra) and the font's cell height.
BOOL GetTextExtentPoint32(HDC dc, std::string_view text, int count, SIZE* size);
inline BOOL GetTextExtentPoint32(HDC dc, std::string_view text, SIZE* size) {
  return GetTextExtentPoint32(dc, text, -1, size);
}
inline BOOL GetTextExtentPoint32W(HDC dc, std::string_view text, int count, SIZE* size) {
  return GetTextExtentPoint32(dc, text, count, size);
}
// As above; fit (when given) receives how many characters fit in maxExtent, and
// dx (when given, room for count entries) the extent after each character.
BOOL GetTextExtentExPoint(HDC dc, std::string_view text, int count, int maxExtent, int* fit, int* dx, SIZE* size);
inline BOOL GetTextExtentExPointW(HDC dc, std::string_view text, int count, int maxExtent, int* fit, int* dx,
                                  SIZE* size) {
  return GetTextExtentExPoint(dc, text, count, maxExtent, fit, dx, size);
}
BOOL GetCharWidth32(HDC dc, UINT first, UINT last, int* widths);
inline BOOL GetCharWidth32W(HDC dc, UINT first, UINT last, int* widths) { return GetCharWidth32(dc, first, last, widths); }
BOOL GetCharABCWidths(HDC dc, UINT first, UINT last, ABC* abc);
inline BOOL GetCharABCWidthsW(HDC dc, UINT first, UINT last, ABC* abc) { return GetCharABCWidths(dc, first, last, abc); }

// Draws at (x, y) placed by the DC's text alignment, in its text colour; an
// OPAQUE background mode fills the text cell with the background colour first.
BOOL TextOut(HDC dc, int x, int y, std::string_view text, int count = -1);
inline BOOL TextOutW(HDC dc, int x, int y, std::string_view text, int count = -1) {
  return TextOut(dc, x, y, text, count);
}
// ETO_OPAQUE fills rect with the background colour, ETO_CLIPPED clips the text
// to it; dx, when given, holds the advance of each character.
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, std::string_view text, int count = -1,
                const int* dx = nullptr);
inline BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, std::string_view text,
                        int count = -1, const int* dx = nullptr) {
  return ExtTextOut(dc, x, y, options, rect, text, count, dx);
}

// Formats text in rect; returns the height of the text (with DT_VCENTER or
// DT_BOTTOM on a single line: from rect's top to the text's bottom), 0 on
// failure. DT_CALCRECT only measures: rect's right and bottom receive the
// extent. With DT_MODIFYSTRING and a non-null modified, modified receives the
// text as shown (ellipses applied, prefixes resolved, lines joined by '\n').
int DrawText(HDC dc, std::string_view text, int count, RECT* rect, UINT format, std::string* modified = nullptr);
inline int DrawTextW(HDC dc, std::string_view text, int count, RECT* rect, UINT format) {
  return DrawText(dc, text, count, rect, format);
}
int DrawTextEx(HDC dc, std::string_view text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params);
inline int DrawTextExW(HDC dc, std::string_view text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  return DrawTextEx(dc, text, count, rect, format, params);
}

}  // namespace win
