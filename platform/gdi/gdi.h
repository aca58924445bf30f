// Software graphics device interface: device contexts over pixel surfaces,
// pens, brushes, fonts (as logical descriptions), palettes, regions, DIB
// sections and blits with raster operations, alpha blending and gradients,
// shaped after gdi32/msimg32 because the code above speaks in those terms.
//
// Vocabulary used throughout this folder:
// - pixel: one addressable dot of a surface; (0,0) is the top-left pixel.
// - raw value: a pixel's bits in the surface's own format (a palette index,
//   a 5-6-5 word, 0xAARRGGBB for 32 bits). Raster operations work on raw
//   values, bit by bit, over the whole pixel (the alpha byte of a 32-bit
//   surface included); colours written by pens, brushes and text carry alpha 0.
// - row: one horizontal line of pixels; a surface's rows are addressed
//   through its stride, which is negative for bottom-up storage.
// - logical coordinates: what callers pass. Device coordinates: logical minus
//   window origin plus viewport origin (MM_TEXT only). Surface coordinates:
//   device plus the DC's origin on its surface (non-zero for a window DC).
// - clip: surface bounds ∩ the DC's visible region (set by whoever hands out
//   the DC) ∩ the clip region selected by the caller (device coordinates).
// Rectangles are half-open: right and bottom are one past the last pixel.
//
// Handles are pointers to objects derived from GdiObject. Every object is
// registered while alive, so a stale or foreign handle is refused with the
// call's failure value instead of being dereferenced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/rtl/types.h"

namespace win {

// ---------------------------------------------------------------- basic types
using BOOL = int32_t;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using INT = int32_t;
using COLORREF = uint32_t;  // 0x00BBGGRR
using COLOR16 = uint16_t;
using POINT = TPoint;
using RECT = TRect;
using SIZE = TSize;

#ifndef TRUE
constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
constexpr BOOL FALSE = 0;
#endif

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b) {
  return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr COLORREF PALETTEINDEX(uint16_t i) { return 0x01000000u | i; }
constexpr COLORREF PALETTERGB(uint8_t r, uint8_t g, uint8_t b) { return 0x02000000u | RGB(r, g, b); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;
constexpr COLORREF CLR_NONE = 0xFFFFFFFFu;
constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

// ---------------------------------------------------------------- objects
constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_PAL = 5;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_REGION = 8;
constexpr DWORD OBJ_MEMDC = 10;
constexpr DWORD OBJ_EXTPEN = 11;
// Icons and cursors are user32 objects; they share the handle registry but
// GetObjectType reports 0 for them and DeleteObject refuses them.
constexpr DWORD OBJ_ICON_INTERNAL = 0x100;

struct GdiObject {
  explicit GdiObject(DWORD type);  // registers the handle
  virtual ~GdiObject();            // unregisters it
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  const DWORD Type;
  bool Stock = false;     // never deleted; DeleteObject reports success and does nothing
  int32_t SelectRefs = 0; // DC states (current and saved) that hold this object
};

struct PenObject;
struct BrushObject;
struct FontObject;
struct BitmapObject;
struct RegionObject;
struct PaletteObject;
struct DeviceContext;
struct IconObject;  // defined by the icon code

using HGDIOBJ = GdiObject*;
using HPEN = PenObject*;
using HBRUSH = BrushObject*;
using HFONT = FontObject*;
using HBITMAP = BitmapObject*;
using HRGN = RegionObject*;
using HPALETTE = PaletteObject*;
using HDC = DeviceContext*;
using HICON = IconObject*;
using HCURSOR = IconObject*;

// True when h is a live object of the given type (0: any type).
bool IsValidGdiObject(const void* h, DWORD type = 0);
// Looks a handle up and returns it typed, or null when stale or of another type.
template <class T>
T* CheckedHandle(const void* h, DWORD type) {
  return IsValidGdiObject(h, type) ? static_cast<T*>(const_cast<GdiObject*>(static_cast<const GdiObject*>(h))) : nullptr;
}

// ---------------------------------------------------------------- constants
// Stock objects.
constexpr int WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4,
              NULL_BRUSH = 5, HOLLOW_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8,
              OEM_FIXED_FONT = 10, ANSI_FIXED_FONT = 11, ANSI_VAR_FONT = 12, SYSTEM_FONT = 13,
              DEVICE_DEFAULT_FONT = 14, DEFAULT_PALETTE = 15, SYSTEM_FIXED_FONT = 16,
              DEFAULT_GUI_FONT = 17, DC_BRUSH = 18, DC_PEN = 19;

// Binary raster operations (SetROP2). (code - 1) is a truth table indexed by (pen << 1) | dest.
constexpr int R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4, R2_MASKPENNOT = 5,
              R2_NOT = 6, R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9, R2_NOTXORPEN = 10, R2_NOP = 11,
              R2_MERGENOTPEN = 12, R2_COPYPEN = 13, R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16;

// Ternary raster operations. Bits 16..23 are the truth table indexed by
// (pattern << 2) | (source << 1) | dest; the low word is the historical encoding.
constexpr DWORD SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
                SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6,
                MERGECOPY = 0x00C000CA, MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021,
                PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049, DSTINVERT = 0x00550009,
                BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062, NOMIRRORBITMAP = 0x80000000,
                CAPTUREBLT = 0x40000000;
constexpr DWORD MAKEROP4(DWORD fore, DWORD back) { return ((back << 8) & 0xFF000000u) | fore; }

// Pens.
constexpr UINT PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
               PS_INSIDEFRAME = 6, PS_USERSTYLE = 7, PS_ALTERNATE = 8, PS_STYLE_MASK = 0x0000000F,
               PS_ENDCAP_ROUND = 0x000, PS_ENDCAP_SQUARE = 0x100, PS_ENDCAP_FLAT = 0x200,
               PS_ENDCAP_MASK = 0xF00, PS_JOIN_ROUND = 0x0000, PS_JOIN_BEVEL = 0x1000,
               PS_JOIN_MITER = 0x2000, PS_JOIN_MASK = 0xF000, PS_COSMETIC = 0x00000,
               PS_GEOMETRIC = 0x10000, PS_TYPE_MASK = 0xF0000;

// Brushes.
constexpr UINT BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = 1, BS_HATCHED = 2, BS_PATTERN = 3, BS_DIBPATTERN = 5,
               BS_DIBPATTERNPT = 6, BS_PATTERN8X8 = 7, BS_DIBPATTERN8X8 = 8;
constexpr int HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4,
              HS_DIAGCROSS = 5;

// DC modes.
constexpr int TRANSPARENT = 1, OPAQUE = 2;
constexpr int ALTERNATE = 1, WINDING = 2;
constexpr int BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4,
              STRETCH_ANDSCANS = 1, STRETCH_ORSCANS = 2, STRETCH_DELETESCANS = 3, STRETCH_HALFTONE = 4;
constexpr int MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4, MM_HIENGLISH = 5,
              MM_TWIPS = 6, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8;
constexpr int GM_COMPATIBLE = 1, GM_ADVANCED = 2;
constexpr int AD_COUNTERCLOCKWISE = 1, AD_CLOCKWISE = 2;
constexpr DWORD MWT_IDENTITY = 1, MWT_LEFTMULTIPLY = 2, MWT_RIGHTMULTIPLY = 3;
// Text alignment (the text code draws; the DC only stores it).
constexpr UINT TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_TOP = 0,
               TA_BOTTOM = 8, TA_BASELINE = 24, TA_RTLREADING = 256;
constexpr UINT GDI_ERROR = 0xFFFFFFFFu;

// Regions.
constexpr int ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3, RGN_ERROR = ERROR;
constexpr int RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;
// SelectObject of a region returns its complexity cast to a handle; on failure this.
inline HGDIOBJ const HGDI_ERROR = reinterpret_cast<HGDIOBJ>(~uintptr_t(0));

// Bitmaps.
constexpr DWORD BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0, DIB_PAL_COLORS = 1;

// Blending.
constexpr BYTE AC_SRC_OVER = 0, AC_SRC_ALPHA = 1;
constexpr ULONG GRADIENT_FILL_RECT_H = 0, GRADIENT_FILL_RECT_V = 1, GRADIENT_FILL_TRIANGLE = 2;

// Device capabilities.
constexpr int DRIVERVERSION = 0, TECHNOLOGY = 2, HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10,
              BITSPIXEL = 12, PLANES = 14, NUMBRUSHES = 16, NUMPENS = 18, NUMMARKERS = 20, NUMFONTS = 22,
              NUMCOLORS = 24, PDEVICESIZE = 26, CURVECAPS = 28, LINECAPS = 30, POLYGONALCAPS = 32,
              TEXTCAPS = 34, CLIPCAPS = 36, RASTERCAPS = 38, ASPECTX = 40, ASPECTY = 42, ASPECTXY = 44,
              LOGPIXELSX = 88, LOGPIXELSY = 90, SIZEPALETTE = 104, NUMRESERVED = 106, COLORRES = 108,
              PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111, PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113,
              VREFRESH = 116, DESKTOPVERTRES = 117, DESKTOPHORZRES = 118, BLTALIGNMENT = 119,
              SHADEBLENDCAPS = 120;
constexpr int DT_PLOTTER = 0, DT_RASDISPLAY = 1, DT_RASPRINTER = 2;
constexpr int RC_BITBLT = 1, RC_BANDING = 2, RC_SCALING = 4, RC_BITMAP64 = 8, RC_GDI20_OUTPUT = 0x10,
              RC_DI_BITMAP = 0x80, RC_PALETTE = 0x100, RC_DIBTODEV = 0x200, RC_STRETCHBLT = 0x800,
              RC_FLOODFILL = 0x1000, RC_STRETCHDIB = 0x2000;
constexpr int SB_CONST_ALPHA = 1, SB_PIXEL_ALPHA = 2, SB_GRAD_RECT = 0x10, SB_GRAD_TRI = 0x20;

// Fonts.
constexpr int LF_FACESIZE = 32;  // characters, as on the platform
constexpr LONG FW_DONTCARE = 0, FW_THIN = 100, FW_EXTRALIGHT = 200, FW_LIGHT = 300, FW_NORMAL = 400,
               FW_REGULAR = 400, FW_MEDIUM = 500, FW_SEMIBOLD = 600, FW_DEMIBOLD = 600, FW_BOLD = 700,
               FW_EXTRABOLD = 800, FW_ULTRABOLD = 800, FW_HEAVY = 900, FW_BLACK = 900;
constexpr BYTE ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, SHIFTJIS_CHARSET = 128,
               HANGEUL_CHARSET = 129, GB2312_CHARSET = 134, CHINESEBIG5_CHARSET = 136,
               GREEK_CHARSET = 161, TURKISH_CHARSET = 162, HEBREW_CHARSET = 177, ARABIC_CHARSET = 178,
               BALTIC_CHARSET = 186, RUSSIAN_CHARSET = 204, THAI_CHARSET = 222,
               EASTEUROPE_CHARSET = 238, OEM_CHARSET = 255;
constexpr BYTE OUT_DEFAULT_PRECIS = 0, OUT_STRING_PRECIS = 1, OUT_CHARACTER_PRECIS = 2,
               OUT_STROKE_PRECIS = 3, OUT_TT_PRECIS = 4, OUT_DEVICE_PRECIS = 5, OUT_RASTER_PRECIS = 6,
               OUT_TT_ONLY_PRECIS = 7, OUT_OUTLINE_PRECIS = 8;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0, CLIP_CHARACTER_PRECIS = 1, CLIP_STROKE_PRECIS = 2;
constexpr BYTE DEFAULT_QUALITY = 0, DRAFT_QUALITY = 1, PROOF_QUALITY = 2, NONANTIALIASED_QUALITY = 3,
               ANTIALIASED_QUALITY = 4, CLEARTYPE_QUALITY = 5;
constexpr BYTE DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2, FF_DONTCARE = 0x00,
               FF_ROMAN = 0x10, FF_SWISS = 0x20, FF_MODERN = 0x30, FF_SCRIPT = 0x40, FF_DECORATIVE = 0x50;

// ---------------------------------------------------------------- structures
struct RGBQUAD {
  BYTE rgbBlue = 0, rgbGreen = 0, rgbRed = 0, rgbReserved = 0;
  friend bool operator==(const RGBQUAD&, const RGBQUAD&) = default;
};
struct PALETTEENTRY {
  BYTE peRed = 0, peGreen = 0, peBlue = 0, peFlags = 0;
};
struct LOGPALETTE {
  WORD palVersion = 0x300;
  WORD palNumEntries = 0;
  PALETTEENTRY palPalEntry[1];  // palNumEntries entries follow in the caller's allocation
};
struct BITMAP {
  LONG bmType = 0;
  LONG bmWidth = 0;
  LONG bmHeight = 0;
  LONG bmWidthBytes = 0;
  WORD bmPlanes = 0;
  WORD bmBitsPixel = 0;
  void* bmBits = nullptr;  // DIB sections only
};
struct BITMAPINFOHEADER {
  DWORD biSize = 40;
  LONG biWidth = 0;
  LONG biHeight = 0;  // negative: top-down rows
  WORD biPlanes = 1;
  WORD biBitCount = 0;
  DWORD biCompression = BI_RGB;
  DWORD biSizeImage = 0;
  LONG biXPelsPerMeter = 0;
  LONG biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);
// The colour table (or, for BI_BITFIELDS, three DWORD masks) follows the
// header at biSize bytes from its start; callers allocate room for it.
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};
// A BITMAPINFO with room for a full 256-entry colour table.
struct BITMAPINFO256 {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[256];
  BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};
struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3] = {0, 0, 0};
  void* dshSection = nullptr;
  DWORD dsOffset = 0;
};
struct LOGPEN {
  UINT lopnStyle = PS_SOLID;
  POINT lopnWidth;  // x is the width; y unused
  COLORREF lopnColor = 0;
};
struct LOGBRUSH {
  UINT lbStyle = BS_SOLID;
  COLORREF lbColor = 0;
  uintptr_t lbHatch = 0;  // hatch style, or the pattern HBITMAP / packed DIB pointer
};
struct EXTLOGPEN {
  DWORD elpPenStyle = 0;
  DWORD elpWidth = 0;
  UINT elpBrushStyle = BS_SOLID;
  COLORREF elpColor = 0;
  uintptr_t elpHatch = 0;
  DWORD elpNumEntries = 0;
  DWORD elpStyleEntry[16] = {};
};
// Logical font. The face name is UTF-8 and NUL-terminated; up to LF_FACESIZE - 1
// characters fit. lfHeight < 0 asks for that character height in pixels, > 0
// for that cell height (ascent + descent), 0 for the default size.
struct LOGFONT {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;   // tenths of a degree, counter-clockwise
  LONG lfOrientation = 0;
  LONG lfWeight = FW_NORMAL;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = DEFAULT_CHARSET;
  BYTE lfOutPrecision = OUT_DEFAULT_PRECIS;
  BYTE lfClipPrecision = CLIP_DEFAULT_PRECIS;
  BYTE lfQuality = DEFAULT_QUALITY;
  BYTE lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  char lfFaceName[LF_FACESIZE * 4] = {};
};
using LOGFONTW = LOGFONT;
// Copies a UTF-8 name into lfFaceName, cut at a character boundary.
void SetFaceName(LOGFONT& lf, const std::string& name);

struct BLENDFUNCTION {
  BYTE BlendOp = AC_SRC_OVER;
  BYTE BlendFlags = 0;
  BYTE SourceConstantAlpha = 255;
  BYTE AlphaFormat = 0;
};
struct TRIVERTEX {
  LONG x = 0, y = 0;
  COLOR16 Red = 0, Green = 0, Blue = 0, Alpha = 0;  // 0..0xFF00 in practice; the high byte counts
};
struct GRADIENT_RECT {
  ULONG UpperLeft = 0, LowerRight = 0;
};
struct GRADIENT_TRIANGLE {
  ULONG Vertex1 = 0, Vertex2 = 0, Vertex3 = 0;
};
struct XFORM {
  float eM11 = 1, eM12 = 0, eM21 = 0, eM22 = 1, eDx = 0, eDy = 0;
};

// ---------------------------------------------------------------- surfaces
// A rectangle of pixels in memory in one of the DIB formats.
struct Surface {
  uint8_t* Bits = nullptr;  // address of row 0, the top row
  int32_t Width = 0;
  int32_t Height = 0;
  ptrdiff_t Stride = 0;     // bytes from a row to the one below it
  uint16_t BitCount = 32;   // 1, 4, 8, 16, 24 or 32
  // 16 and 32 bits: where the channels lie in the little-endian pixel word.
  uint32_t RedMask = 0x00FF0000, GreenMask = 0x0000FF00, BlueMask = 0x000000FF;
  // 1, 4, 8 bits: the colour table.
  const RGBQUAD* Colors = nullptr;
  int32_t ColorCount = 0;
  // A 1-bit device-dependent bitmap: bit 0 stands for the DC's text colour,
  // bit 1 for its background colour when blitted to or from colour surfaces.
  bool Monochrome = false;

  uint8_t* Row(int32_t y) const { return Bits + ptrdiff_t(y) * Stride; }
  bool Valid() const { return Bits && Width > 0 && Height > 0; }
  bool IsBGRA32() const {
    return BitCount == 32 && RedMask == 0x00FF0000 && GreenMask == 0x0000FF00 && BlueMask == 0x000000FF;
  }
};

// Bytes per row of a DIB: rows are padded to 4 bytes.
constexpr int32_t DibRowBytes(int32_t width, int32_t bitCount) {
  return int32_t(((int64_t(width) * bitCount + 31) / 32) * 4);
}
// Bytes per row of a device-dependent bitmap: rows are padded to 2 bytes.
constexpr int32_t DdbRowBytes(int32_t width, int32_t bitCount) {
  return int32_t(((int64_t(width) * bitCount + 15) / 16) * 2);
}

// Raw pixel access and colour conversion for any surface format.
uint32_t ReadRaw(const Surface& s, int32_t x, int32_t y);
void WriteRaw(const Surface& s, int32_t x, int32_t y, uint32_t raw);
// Nearest raw value of a colour (alpha byte 0 on 32-bit surfaces).
uint32_t ColorToRaw(const Surface& s, COLORREF c);
COLORREF RawToColor(const Surface& s, uint32_t raw);

// ---------------------------------------------------------------- object structs
struct PenObject : GdiObject {
  PenObject() : GdiObject(OBJ_PEN) {}
  UINT Style = PS_SOLID;  // full style incl. type, end cap and join bits
  int32_t Width = 1;
  COLORREF Color = 0;
  bool Extended = false;   // made by ExtCreatePen
  std::vector<DWORD> UserStyle;
  UINT StyleKind() const { return Style & PS_STYLE_MASK; }
};

struct BrushObject : GdiObject {
  BrushObject() : GdiObject(OBJ_BRUSH) {}
  UINT Style = BS_SOLID;
  COLORREF Color = 0;
  int32_t Hatch = 0;
  // Pattern brushes keep their own copy of the pattern.
  int32_t PatternWidth = 0, PatternHeight = 0;
  bool PatternMono = false;              // 0 → text colour, 1 → background colour
  std::vector<uint8_t> PatternBits;      // mono: one 0/1 byte per pixel
  std::vector<COLORREF> PatternColors;   // colour: one COLORREF per pixel, top row first
  uintptr_t PatternHandle = 0;           // what LOGBRUSH.lbHatch reports
};

struct FontObject : GdiObject {
  FontObject() : GdiObject(OBJ_FONT) {}
  LOGFONT LogFont;
  // The realised face, made and owned by the text code on first use.
  std::shared_ptr<void> Realized;
};

struct BitmapObject : GdiObject {
  BitmapObject() : GdiObject(OBJ_BITMAP) {}
  int32_t Width = 0, Height = 0;
  uint16_t BitCount = 1;
  bool IsDib = false;          // made by CreateDIBSection
  bool TopDown = false;        // DIB rows stored top row first
  DWORD Compression = BI_RGB;  // BI_RGB or BI_BITFIELDS
  uint32_t Masks[3] = {0, 0, 0};
  int32_t RowBytes = 0;        // DWORD-aligned for DIBs, WORD-aligned for device bitmaps
  std::vector<uint8_t> Storage;
  std::vector<RGBQUAD> ColorTable;
  DeviceContext* SelectedInto = nullptr;

  uint8_t* Data() { return Storage.data(); }
  Surface GetSurface();
};

struct RegionObject : GdiObject {
  RegionObject() : GdiObject(OBJ_REGION) {}
  Region Rgn;
};

struct PaletteObject : GdiObject {
  PaletteObject() : GdiObject(OBJ_PAL) {}
  std::vector<PALETTEENTRY> Entries;
};

// Everything SaveDC saves.
struct DCState {
  HPEN Pen = nullptr;
  HBRUSH Brush = nullptr;
  HFONT Font = nullptr;
  HBITMAP Bitmap = nullptr;
  HPALETTE Palette = nullptr;
  COLORREF TextColor = RGB(0, 0, 0);
  COLORREF BkColor = RGB(255, 255, 255);
  COLORREF DCBrushColor = RGB(255, 255, 255);
  COLORREF DCPenColor = RGB(0, 0, 0);
  int BkMode = OPAQUE;
  int Rop2 = R2_COPYPEN;
  UINT TextAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  int TextCharExtra = 0;
  int PolyFillMode = ALTERNATE;
  int StretchMode = BLACKONWHITE;
  int MapMode = MM_TEXT;
  int GraphicsMode = GM_COMPATIBLE;
  int ArcDirection = AD_COUNTERCLOCKWISE;
  XFORM WorldTransform;          // stored for GM_ADVANCED callers; only eDx/eDy are honoured
  TPoint BrushOrg;               // device coordinates
  TPoint CurrentPos;             // logical coordinates
  TPoint ViewportOrg;
  TPoint WindowOrg;
  std::optional<Region> ClipRgn; // device coordinates; none = no clip region
};

struct DeviceContext : GdiObject {
  explicit DeviceContext(DWORD type) : GdiObject(type) {}
  ~DeviceContext() override;

  DCState State;
  std::vector<DCState> Saved;
  bool IsMemory() const { return Type == OBJ_MEMDC; }

  // Target of a DC that draws on a surface owned elsewhere (a window's back
  // buffer). A memory DC draws on its selected bitmap instead.
  Surface External;
  TPoint Origin;                 // device (0,0) in surface coordinates
  std::optional<Region> VisRgn;  // device coordinates; none = the whole surface

  // The surface drawn on (invalid when there is nothing to draw on).
  Surface Target();
  // Effective clip in surface coordinates; rebuilt when the inputs change.
  const Region& Clip();
  void InvalidateClip() { clipValid_ = false; }
  // Pen style position carried from one line segment to the next.
  int32_t StylePos = 0;

private:
  Region clip_;
  bool clipValid_ = false;
};

// ---------------------------------------------------------------- API
// Objects.
HGDIOBJ GetStockObject(int index);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj);
BOOL DeleteObject(HGDIOBJ obj);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
DWORD GetObjectType(HGDIOBJ obj);
// Copies the object's description into buf (BITMAP or DIBSECTION, LOGPEN or
// EXTLOGPEN, LOGBRUSH, LOGFONT, WORD entry count); returns bytes written, or the
// size needed when buf is null; 0 on failure.
int GetObject(HGDIOBJ obj, int size, void* buf);
inline int GetObjectW(HGDIOBJ obj, int size, void* buf) { return GetObject(obj, size, buf); }

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* lp);
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* lb, DWORD styleCount, const DWORD* styles);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP bmp);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb);
HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage);
HFONT CreateFontIndirect(const LOGFONT* lf);
inline HFONT CreateFontIndirectW(const LOGFONT* lf) { return CreateFontIndirect(lf); }
HPALETTE CreatePalette(const LOGPALETTE* lp);
UINT GetPaletteEntries(HPALETTE pal, UINT start, UINT count, PALETTEENTRY* out);
UINT SetPaletteEntries(HPALETTE pal, UINT start, UINT count, const PALETTEENTRY* in);
UINT GetNearestPaletteIndex(HPALETTE pal, COLORREF color);
HPALETTE SelectPalette(HDC dc, HPALETTE pal, BOOL forceBackground);
UINT RealizePalette(HDC dc);
COLORREF GetNearestColor(HDC dc, COLORREF color);

// Device contexts.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
// The screen DC: 96 dpi, 32 bits, the configured screen size. Each call makes
// a new DC; release it with ReleaseDC(nullptr, dc) or DeleteDC.
HDC GetScreenDC();
inline HDC GetDC(std::nullptr_t) { return GetScreenDC(); }
int ReleaseDC(std::nullptr_t, HDC dc);
// A DC drawing on a 32-bit surface owned by the caller, with device (0,0) at
// origin on the surface and drawing confined to visRgn (device coordinates)
// when given. The surface must outlive the DC.
HDC CreateSurfaceDC(const Surface& target, TPoint origin, const Region* visRgn);
// Points an existing surface DC at another surface, origin and visible region.
BOOL SetDCSurface(HDC dc, const Surface& target, TPoint origin, const Region* visRgn);
// The screen surface that screen DCs draw on (none by default: drawing on
// the screen DC is clipped away and reading gives CLR_INVALID).
void SetScreenSurface(const Surface* s);
int GetDeviceCaps(HDC dc, int index);
// The colour depth the screen reports (GetDeviceCaps BITSPIXEL of every DC):
// 32 unless forced, for one, to 8 to play a palette display, which also
// reports RC_PALETTE, a 256-entry palette and 20 reserved colours. Returns
// the previous depth; values other than 1, 4, 8, 16, 24 and 32 are refused
// (the depth stays, and the answer is 0).
int SetScreenBitsPerPixel(int bits);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int saved);
// Read-only view of the state of a DC; null for an invalid handle.
const DCState* GetDCState(HDC dc);

COLORREF SetTextColor(HDC dc, COLORREF c);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF c);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int rop2);
int GetROP2(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
int SetGraphicsMode(HDC dc, int mode);
int GetGraphicsMode(HDC dc);
BOOL SetWorldTransform(HDC dc, const XFORM* xf);
BOOL GetWorldTransform(HDC dc, XFORM* xf);
BOOL ModifyWorldTransform(HDC dc, const XFORM* xf, DWORD mode);
int SetArcDirection(HDC dc, int dir);
int GetArcDirection(HDC dc);
COLORREF SetDCBrushColor(HDC dc, COLORREF c);
COLORREF GetDCBrushColor(HDC dc);
COLORREF SetDCPenColor(HDC dc, COLORREF c);
COLORREF GetDCPenColor(HDC dc);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetBrushOrgEx(HDC dc, POINT* pt);

// Coordinates.
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetViewportOrgEx(HDC dc, POINT* pt);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetWindowOrgEx(HDC dc, POINT* pt);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL LPtoDP(HDC dc, POINT* pts, int count);
BOOL DPtoLP(HDC dc, POINT* pts, int count);
// Device (0,0) in surface coordinates (the DC origin).
BOOL GetDCOrgEx(HDC dc, POINT* pt);

// Clipping (regions passed here are in device coordinates and are copied).
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
int GetClipBox(HDC dc, RECT* r);          // logical coordinates
int GetClipRgn(HDC dc, HRGN rgn);         // 1 copied, 0 no clip region, -1 error
BOOL PtVisible(HDC dc, int x, int y);
BOOL RectVisible(HDC dc, const RECT* r);

// Regions.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* r);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const RECT* r);
HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode);
HRGN CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polyCount, int fillMode);
int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* r);
int GetRgnBox(HRGN rgn, RECT* r);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// Regions below are in logical coordinates.
BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int w, int h);
BOOL PaintRgn(HDC dc, HRGN rgn);
BOOL InvertRgn(HDC dc, HRGN rgn);

// Lines and figures.
BOOL MoveToEx(HDC dc, int x, int y, POINT* old);
BOOL GetCurrentPositionEx(HDC dc, POINT* pt);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* pts, int count);
BOOL PolylineTo(HDC dc, const POINT* pts, DWORD count);
BOOL PolyPolyline(HDC dc, const POINT* pts, const DWORD* counts, DWORD polyCount);
BOOL Polygon(HDC dc, const POINT* pts, int count);
BOOL PolyPolygon(HDC dc, const POINT* pts, const INT* counts, int polyCount);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int w, int h);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL Arc(HDC dc, int l, int t, int r, int b, int xStart, int yStart, int xEnd, int yEnd);
BOOL Pie(HDC dc, int l, int t, int r, int b, int xStart, int yStart, int xEnd, int yEnd);
BOOL Chord(HDC dc, int l, int t, int r, int b, int xStart, int yStart, int xEnd, int yEnd);
// A brush handle may also be a system colour index + 1, as on the platform.
int FillRect(HDC dc, const RECT* r, HBRUSH brush);
int FrameRect(HDC dc, const RECT* r, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* r);
BOOL DrawFocusRect(HDC dc, const RECT* r);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC dc, int x, int y);

// Blits.
BOOL PatBlt(HDC dc, int x, int y, int w, int h, DWORD rop);
BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop);
BOOL MaskBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, HBITMAP mask, int mx, int my,
             DWORD rop4);
BOOL TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                    UINT transparent);
BOOL AlphaBlend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                BLENDFUNCTION blend);
BOOL GradientFill(HDC dc, const TRIVERTEX* v, ULONG nv, const void* mesh, ULONG nm, ULONG mode);

// Bitmaps and DIBs.
HBITMAP CreateBitmap(int w, int h, UINT planes, UINT bitCount, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int w, int h);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* bmi, UINT usage, void** bits, void* section,
                         DWORD offset);
int GetDIBits(HDC dc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* bmi, UINT usage);
int SetDIBits(HDC dc, HBITMAP bmp, UINT start, UINT lines, const void* bits, const BITMAPINFO* bmi,
              UINT usage);
int StretchDIBits(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* bmi, UINT usage, DWORD rop);
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD w, DWORD h, int sx, int sy, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* bmi, UINT usage);
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* out);
UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* in);
BOOL GetBitmapDimensionEx(HBITMAP bmp, SIZE* size);

// ---------------------------------------------------------------- helpers for the text code
// Coordinates below are device coordinates (after LPtoDP); every write is
// clipped to the DC's clip and, when given, to extraClip (device coordinates).
//
// Writes one pixel combined by the DC's binary raster operation.
BOOL DCPutPixel(HDC dc, int x, int y, COLORREF color, const RECT* extraClip = nullptr);
// Fills a rectangle with a solid colour, ignoring the raster operation (opaque text background).
BOOL DCFillSolid(HDC dc, const RECT& r, COLORREF color, const RECT* extraClip = nullptr);
// Blends colour over count pixels of row y starting at x by coverage 0..255:
// out = dst + (colour - dst) * coverage / 255 per channel (alpha byte set to 0
// where coverage > 0). Non-32-bit targets take the blended colour's nearest
// raw value; a coverage below 128 on a 1-bit target leaves the pixel.
BOOL DCBlendSpan(HDC dc, int x, int y, const uint8_t* coverage, int count, COLORREF color,
                 const RECT* extraClip = nullptr);
// DCBlendSpan over h rows of a coverage mask, pitch bytes apart.
BOOL DCBlendMask(HDC dc, int x, int y, const uint8_t* mask, int w, int h, ptrdiff_t pitch, COLORREF color,
                 const RECT* extraClip = nullptr);

}  // namespace win
