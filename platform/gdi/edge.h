// The classic three-dimensional elements: DrawEdge and DrawFrameControl,
// drawn in the system colours of the classic scheme (platform/gdi/syscolors.h).
#pragma once

#include "platform/gdi/gdi.h"

namespace win {

// Edge kinds: one bit per layer and look.
constexpr UINT BDR_RAISEDOUTER = 0x0001, BDR_SUNKENOUTER = 0x0002, BDR_RAISEDINNER = 0x0004,
               BDR_SUNKENINNER = 0x0008, BDR_OUTER = 0x0003, BDR_INNER = 0x000C, BDR_RAISED = 0x0005,
               BDR_SUNKEN = 0x000A;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
               EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr UINT BF_LEFT = 0x0001, BF_TOP = 0x0002, BF_RIGHT = 0x0004, BF_BOTTOM = 0x0008,
               BF_TOPLEFT = BF_TOP | BF_LEFT, BF_TOPRIGHT = BF_TOP | BF_RIGHT,
               BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT, BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
               BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM, BF_DIAGONAL = 0x0010,
               BF_DIAGONAL_ENDTOPRIGHT = BF_DIAGONAL | BF_TOP | BF_RIGHT,
               BF_DIAGONAL_ENDTOPLEFT = BF_DIAGONAL | BF_TOP | BF_LEFT,
               BF_DIAGONAL_ENDBOTTOMLEFT = BF_DIAGONAL | BF_BOTTOM | BF_LEFT,
               BF_DIAGONAL_ENDBOTTOMRIGHT = BF_DIAGONAL | BF_BOTTOM | BF_RIGHT, BF_MIDDLE = 0x0800,
               BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000;

// Frame-control types and states.
constexpr UINT DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4, DFC_POPUPMENU = 5;
constexpr UINT DFCS_CAPTIONCLOSE = 0x0000, DFCS_CAPTIONMIN = 0x0001, DFCS_CAPTIONMAX = 0x0002,
               DFCS_CAPTIONRESTORE = 0x0003, DFCS_CAPTIONHELP = 0x0004;
constexpr UINT DFCS_MENUARROW = 0x0000, DFCS_MENUCHECK = 0x0001, DFCS_MENUBULLET = 0x0002,
               DFCS_MENUARROWRIGHT = 0x0004;
constexpr UINT DFCS_SCROLLUP = 0x0000, DFCS_SCROLLDOWN = 0x0001, DFCS_SCROLLLEFT = 0x0002,
               DFCS_SCROLLRIGHT = 0x0003, DFCS_SCROLLCOMBOBOX = 0x0005, DFCS_SCROLLSIZEGRIP = 0x0008,
               DFCS_SCROLLSIZEGRIPRIGHT = 0x0010;
constexpr UINT DFCS_BUTTONCHECK = 0x0000, DFCS_BUTTONRADIOIMAGE = 0x0001, DFCS_BUTTONRADIOMASK = 0x0002,
               DFCS_BUTTONRADIO = 0x0004, DFCS_BUTTON3STATE = 0x0008, DFCS_BUTTONPUSH = 0x0010;
constexpr UINT DFCS_INACTIVE = 0x0100, DFCS_PUSHED = 0x0200, DFCS_CHECKED = 0x0400, DFCS_TRANSPARENT = 0x0800,
               DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000;

// Draws the edge kinds on the sides in flags; BF_ADJUST shrinks rect to the
// area inside the drawn border. FALSE for a bad DC or a null rect.
BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);
// Draws a classic control piece filling rect (check boxes and radio buttons
// use the largest square centred in it).
BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state);

// The classic system bitmap OBM_CHECKBOXES: a strip of 4 x 3 cells of 13 x 13
// pixels drawn by DrawFrameControl. Columns: plain, checked, pushed, pushed
// and checked; rows: check box, radio button, three-state box. Other ids give
// null; the caller deletes the bitmap.
constexpr int OBM_CHECKBOXES = 32759;
HBITMAP LoadSystemBitmap(int id);

// Draws a glyph of the built-in Marlett table with its em box's top-left at
// (x, y), in colour; monochrome unless antialias.
BOOL DrawMarlettGlyph(HDC dc, int x, int y, int em, char32_t glyph, COLORREF color, bool antialias = false);

}  // namespace win
