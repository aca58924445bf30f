// Classic 3-D borders and control pieces.
//
// The colour rules of the classic scheme, per layer of a border:
//
//   layer          top and left      bottom and right
//   raised outer   3DLIGHT           3DDKSHADOW
//   raised inner   BTNHIGHLIGHT      BTNSHADOW
//   sunken outer   BTNSHADOW         BTNHIGHLIGHT
//   sunken inner   3DDKSHADOW        3DLIGHT
//
// BF_SOFT swaps the top-left colours of the two layers (raised: outer
// BTNHIGHLIGHT, inner 3DLIGHT; sunken: outer 3DDKSHADOW, inner BTNSHADOW), the
// look of push buttons. BF_FLAT draws the outer layer in BTNSHADOW and the
// inner one in BTNFACE; BF_MONO draws the outer layer in WINDOWFRAME and the
// inner one in WINDOW. BF_MIDDLE fills what lies inside with BTNFACE (WINDOW
// with BF_MONO).
//
// Geometry of one layer, one pixel wide: the top-left lines stop one pixel
// short of the far corners, which belong to the bottom-right lines:
//
//     T T T T B        T: top-left colour
//     T . . . B        B: bottom-right colour
//     T . . . B
//     B B B B B
//
// The outer layer lies on the rectangle's edge, the inner one just inside it.
#include "platform/gdi/edge.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/fontengine.h"
#include "platform/gdi/syscolors.h"

namespace win {

namespace {

void FillSys(HDC dc, const RECT& r, int colorIndex) {
  if (r.IsEmpty()) return;
  FillRect(dc, &r, GetSysColorBrush(colorIndex));
}

void FillColor(HDC dc, const RECT& r, COLORREF color) {
  if (r.IsEmpty()) return;
  HBRUSH b = CreateSolidBrush(color);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

struct LayerColors {
  int topLeft;
  int bottomRight;
};

// Draws one layer on the given sides and moves those sides inwards.
void DrawLayer(HDC dc, RECT& r, UINT sides, LayerColors c) {
  if (sides & BF_LEFT) FillSys(dc, RECT{r.Left, r.Top, r.Left + 1, r.Bottom - ((sides & BF_BOTTOM) ? 1 : 0)}, c.topLeft);
  if (sides & BF_TOP) FillSys(dc, RECT{r.Left, r.Top, r.Right - ((sides & BF_RIGHT) ? 1 : 0), r.Top + 1}, c.topLeft);
  if (sides & BF_RIGHT) FillSys(dc, RECT{r.Right - 1, r.Top, r.Right, r.Bottom}, c.bottomRight);
  if (sides & BF_BOTTOM) FillSys(dc, RECT{r.Left, r.Bottom - 1, r.Right, r.Bottom}, c.bottomRight);
  if (sides & BF_LEFT) ++r.Left;
  if (sides & BF_TOP) ++r.Top;
  if (sides & BF_RIGHT) --r.Right;
  if (sides & BF_BOTTOM) --r.Bottom;
}

LayerColors OuterColors(UINT edge, UINT flags) {
  if (flags & BF_MONO) return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
  if (flags & BF_FLAT) return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
  if (edge & BDR_RAISEDOUTER) return {(flags & BF_SOFT) ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
  return {(flags & BF_SOFT) ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
}

LayerColors InnerColors(UINT edge, UINT flags) {
  if (flags & BF_MONO) return {COLOR_WINDOW, COLOR_WINDOW};
  if (flags & BF_FLAT) return {COLOR_BTNFACE, COLOR_BTNFACE};
  if (edge & BDR_RAISEDINNER) return {(flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
  return {(flags & BF_SOFT) ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// A diagonal runs corner to corner over the largest square in the rectangle
// anchored at its start corner. "/" diagonals (ending top-right or bottom-left)
// face the light and take the top-left colours, "\" ones the bottom-right.
BOOL DrawDiagonal(HDC dc, RECT* rc, UINT edge, UINT flags) {
  RECT r = *rc;
  const int w = r.Width(), h = r.Height();
  const int n = std::min(w, h);
  if (n <= 0) return TRUE;
  const UINT dir = flags & BF_RECT;
  const bool slash = dir == (BF_TOP | BF_RIGHT) || dir == (BF_BOTTOM | BF_LEFT);
  // Start corner and unit steps along the diagonal.
  int sx, sy, dx, dy;
  switch (dir) {
    case BF_TOP | BF_RIGHT: sx = r.Left; sy = r.Bottom - 1; dx = 1; dy = -1; break;
    case BF_BOTTOM | BF_LEFT: sx = r.Right - 1; sy = r.Top; dx = -1; dy = 1; break;
    case BF_TOP | BF_LEFT: sx = r.Right - 1; sy = r.Bottom - 1; dx = -1; dy = -1; break;
    default: sx = r.Left; sy = r.Top; dx = 1; dy = 1; break;
  }
  auto line = [&](int offset, int color) {
    // Inner lines lie one pixel towards the inside of the rectangle.
    const int ox = slash ? (dx > 0 ? offset : -offset) : 0;
    const int oy = slash ? 0 : (dy > 0 ? -offset : offset);
    for (int i = 0; i < n; ++i) {
      const int x = sx + i * dx + ox, y = sy + i * dy + oy;
      if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) continue;
      FillSys(dc, RECT{x, y, x + 1, y + 1}, color);
    }
  };
  if (flags & BF_MIDDLE) {
    // The triangle on the side the inner line lies on.
    for (int i = 1; i < n; ++i) {
      const int y = sy + i * dy;
      int x0 = sx + i * dx, x1 = sx + (dx > 0 ? n : -n);
      if (x0 > x1) std::swap(x0, x1);
      FillSys(dc, RECT{std::max(x0 + (dx > 0 ? 1 : 0), r.Left), y, std::min(x1 + (dx > 0 ? 0 : 1), r.Right), y + 1},
              (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    }
  }
  if (edge & BDR_OUTER) {
    const LayerColors c = OuterColors(edge, flags);
    line(0, slash ? c.topLeft : c.bottomRight);
  }
  if (edge & BDR_INNER) {
    const LayerColors c = InnerColors(edge, flags);
    line(1, slash ? c.topLeft : c.bottomRight);
  }
  return TRUE;
}

// Centres the largest square inside r.
RECT Square(const RECT& r) {
  const int s = std::min(r.Width(), r.Height());
  const int x = r.Left + (r.Width() - s) / 2, y = r.Top + (r.Height() - s) / 2;
  return RECT{x, y, x + s, y + s};
}

void Glyph(HDC dc, int x, int y, int em, char32_t cp, COLORREF color) { DrawMarlettGlyph(dc, x, y, em, cp, color, false); }

// A glyph in button text, or embossed (highlight one pixel down-right, shadow on top) when inactive.
void ButtonGlyph(HDC dc, int x, int y, int em, char32_t cp, UINT state) {
  if (state & DFCS_INACTIVE) {
    Glyph(dc, x + 1, y + 1, em, cp, GetSysColor(COLOR_BTNHIGHLIGHT));
    Glyph(dc, x, y, em, cp, GetSysColor(COLOR_BTNSHADOW));
  } else {
    Glyph(dc, x, y, em, cp, GetSysColor(COLOR_BTNTEXT));
  }
}

// Face of a raised button that is pressed, flat or plain.
void ButtonFace(HDC dc, RECT& r, UINT state, bool soft) {
  UINT flags = BF_RECT | BF_MIDDLE;
  if (state & DFCS_FLAT) flags |= BF_FLAT;
  if (state & DFCS_MONO) flags |= BF_MONO;
  if (soft) flags |= BF_SOFT;
  const bool down = (state & (DFCS_PUSHED | DFCS_CHECKED)) != 0;
  DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, flags | BF_ADJUST);
}

void DrawPushButton(HDC dc, RECT* rc, UINT state) {
  RECT r = *rc;
  ButtonFace(dc, r, state, true);
  if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED)) {
    // A latched button shows a checkerboard of highlight and face.
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left + ((y + r.Left) & 1); x < r.Right; x += 2) FillSys(dc, RECT{x, y, x + 1, y + 1}, COLOR_BTNHIGHLIGHT);
  }
  if (state & DFCS_ADJUSTRECT) *rc = r;
}

void DrawCheckBox(HDC dc, const RECT& rc, UINT state) {
  const RECT box = Square(rc);
  if (box.IsEmpty()) return;
  RECT in = box;
  if (state & (DFCS_FLAT | DFCS_MONO)) {
    DrawEdge(dc, &in, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | ((state & DFCS_MONO) ? BF_MONO : BF_FLAT));
  } else {
    DrawEdge(dc, &in, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  const bool indeterminate = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
  const bool grey = (state & (DFCS_INACTIVE | DFCS_PUSHED)) || indeterminate;
  if (!(state & DFCS_TRANSPARENT)) FillSys(dc, in, grey ? COLOR_BTNFACE : COLOR_WINDOW);
  if (state & DFCS_CHECKED) {
    const COLORREF mark =
        (state & DFCS_INACTIVE) || indeterminate ? GetSysColor(COLOR_BTNSHADOW) : GetSysColor(COLOR_WINDOWTEXT);
    Glyph(dc, box.Left, box.Top, box.Width(), U'b', mark);
  }
}

// The radio button fills 12/13 of the square's top-left, as the check box's grid has it.
void DrawRadio(HDC dc, const RECT& rc, UINT state) {
  const RECT box = Square(rc);
  if (box.IsEmpty()) return;
  const int em = box.Width();
  const int x = box.Left, y = box.Top;
  const UINT kind = state & 0x1F;
  if (kind & DFCS_BUTTONRADIOMASK) {
    FillColor(dc, rc, RGB(255, 255, 255));
    Glyph(dc, x, y, em, U'n', RGB(0, 0, 0));
    return;
  }
  const bool grey = (state & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
  const COLORREF face = GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW);
  Glyph(dc, x, y, em, U'n', face);
  if (state & DFCS_MONO) {
    Glyph(dc, x, y, em, U'j', GetSysColor(COLOR_WINDOWFRAME));
    Glyph(dc, x, y, em, U'k', GetSysColor(COLOR_WINDOWFRAME));
  } else if (state & DFCS_FLAT) {
    Glyph(dc, x, y, em, U'j', GetSysColor(COLOR_BTNSHADOW));
    Glyph(dc, x, y, em, U'k', GetSysColor(COLOR_BTNSHADOW));
  } else {
    Glyph(dc, x, y, em, U'j', GetSysColor(COLOR_BTNSHADOW));
    Glyph(dc, x, y, em, U'k', GetSysColor(COLOR_BTNHIGHLIGHT));
    Glyph(dc, x, y, em, U'l', GetSysColor(COLOR_3DDKSHADOW));
    Glyph(dc, x, y, em, U'm', GetSysColor(COLOR_3DLIGHT));
  }
  if (state & DFCS_CHECKED)
    Glyph(dc, x, y, em, U'i', GetSysColor((state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
}

// Arrow and caption glyphs are centred in the face; a pressed face moves them one pixel down-right.
void CenteredGlyph(HDC dc, const RECT& face, int em, char32_t cp, UINT state) {
  if (em <= 0) return;
  int x = face.Left + (face.Width() - em) / 2, y = face.Top + (face.Height() - em) / 2;
  if (state & DFCS_PUSHED) ++x, ++y;
  ButtonGlyph(dc, x, y, em, cp, state);
}

BOOL DrawScroll(HDC dc, RECT* rc, UINT state) {
  const UINT kind = state & 0xFF;
  if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
    // Three grooves along the anti-diagonal from the bottom-right corner, each a
    // highlight line over two shadow lines, one pixel of face between them.
    FillSys(dc, *rc, COLOR_BTNFACE);
    const int n = std::min(rc->Width(), rc->Height());
    const int reach = std::min(12, n - 1);
    for (int y = rc->Bottom - n; y < rc->Bottom; ++y)
      for (int x = rc->Right - n; x < rc->Right; ++x) {
        const int k = (rc->Right - 1 - x) + (rc->Bottom - 1 - y);
        if (k < 1 || k >= reach || k % 4 == 0) continue;
        FillSys(dc, RECT{x, y, x + 1, y + 1}, k % 4 == 1 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
      }
    return TRUE;
  }
  char32_t cp;
  switch (kind) {
    case DFCS_SCROLLUP: cp = U'5'; break;
    case DFCS_SCROLLDOWN: cp = U'6'; break;
    case DFCS_SCROLLLEFT: cp = U'3'; break;
    case DFCS_SCROLLRIGHT: cp = U'4'; break;
    case DFCS_SCROLLCOMBOBOX: cp = U't'; break;
    default: return FALSE;
  }
  RECT face = *rc;
  // A pressed scroll button goes flat rather than sunken.
  UINT flags = BF_RECT | BF_MIDDLE | BF_ADJUST;
  if (state & (DFCS_FLAT | DFCS_PUSHED)) flags |= BF_FLAT;
  if (state & DFCS_MONO) flags |= BF_MONO;
  DrawEdge(dc, &face, EDGE_RAISED, flags);
  // The arrows are drawn for a 16-pixel button on the 13-cell grid.
  const int em = int(std::lround(std::min(rc->Width(), rc->Height()) * 13.0 / 16.0));
  CenteredGlyph(dc, *rc, em, cp, state);
  if (state & DFCS_ADJUSTRECT) *rc = face;
  return TRUE;
}

BOOL DrawCaption(HDC dc, RECT* rc, UINT state) {
  char32_t cp;
  switch (state & 0xFF) {
    case DFCS_CAPTIONCLOSE: cp = U'r'; break;
    case DFCS_CAPTIONMIN: cp = U'0'; break;
    case DFCS_CAPTIONMAX: cp = U'1'; break;
    case DFCS_CAPTIONRESTORE: cp = U'2'; break;
    case DFCS_CAPTIONHELP: cp = U's'; break;
    default: return FALSE;
  }
  RECT face = *rc;
  ButtonFace(dc, face, state & ~DFCS_CHECKED, true);
  const int em = std::max(1, std::min(rc->Width(), rc->Height()) - 1);
  CenteredGlyph(dc, *rc, em, cp, state);
  if (state & DFCS_ADJUSTRECT) *rc = face;
  return TRUE;
}

// Menu glyphs are masks: black on white, for callers to combine with their colours.
BOOL DrawMenu(HDC dc, RECT* rc, UINT state) {
  char32_t cp;
  switch (state & 0xFF) {
    case DFCS_MENUARROW: cp = U'8'; break;
    case DFCS_MENUCHECK: cp = U'a'; break;
    case DFCS_MENUBULLET: cp = U'h'; break;
    case DFCS_MENUARROWRIGHT: cp = U'7'; break;
    default: return FALSE;
  }
  FillColor(dc, *rc, RGB(255, 255, 255));
  const RECT sq = Square(*rc);
  Glyph(dc, sq.Left, sq.Top, sq.Width(), cp, RGB(0, 0, 0));
  return TRUE;
}

}  // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags) {
  if (!rect || !GetDCState(dc)) return FALSE;
  if (flags & BF_DIAGONAL) return DrawDiagonal(dc, rect, edge, flags);
  RECT r = *rect;
  const UINT sides = flags & BF_RECT;
  if (edge & BDR_OUTER) DrawLayer(dc, r, sides, OuterColors(edge, flags));
  if (edge & BDR_INNER) DrawLayer(dc, r, sides, InnerColors(edge, flags));
  if (flags & BF_MIDDLE) FillSys(dc, r, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
  if (flags & BF_ADJUST) *rect = r;
  return TRUE;
}

BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state) {
  if (!rect || !GetDCState(dc)) return FALSE;
  switch (type) {
    case DFC_BUTTON: {
      const UINT kind = state & 0x1F;
      if (kind & DFCS_BUTTONPUSH) {
        DrawPushButton(dc, rect, state);
      } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
        DrawRadio(dc, *rect, state);
      } else {
        DrawCheckBox(dc, *rect, state);
      }
      return TRUE;
    }
    case DFC_SCROLL: return DrawScroll(dc, rect, state);
    case DFC_CAPTION: return DrawCaption(dc, rect, state);
    case DFC_MENU:
    case DFC_POPUPMENU: return DrawMenu(dc, rect, state);
    default: return FALSE;
  }
}

BOOL DrawMarlettGlyph(HDC dc, int x, int y, int em, char32_t glyph, COLORREF color, bool antialias) {
  if (!GetDCState(dc)) return FALSE;
  if (em <= 0) return TRUE;
  std::vector<std::vector<fontengine::PointF>> contours;
  bool evenOdd = false;
  if (!fontengine::MarlettGlyphContours(glyph, em, contours, evenOdd)) return TRUE;
  POINT o{x, y};
  LPtoDP(dc, &o, 1);
  for (auto& c : contours)
    for (auto& p : c) {
      p.x += o.X;
      p.y += o.Y;
    }
  const fontengine::Coverage cov = fontengine::RasterizePolygons(contours, evenOdd, antialias);
  if (cov.Empty()) return TRUE;
  return DCBlendMask(dc, cov.left, cov.top, cov.data.data(), cov.width, cov.height, cov.width, color);
}

}  // namespace win
