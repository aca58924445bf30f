// The standard, flat and ultra-flat painters.
//
// A painter never paints outside the rectangle it is given: frames drawn into
// rectangles that deflating has emptied are skipped, and the pieces that the
// classic drawing moves or grows past the rectangle are clipped to it.
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersInternal.h"

namespace {

constexpr TColor kBlack = TColor(0x000000);
constexpr TColor kActiveDropArrow = TColor(0xFF0000);  // #0000FF

TRect Deflated(const TRect& r, int32_t d) {
  TRect o = r;
  o.Inflate(-d, -d);
  return o;
}

// A two-colour frame of width 1; nothing for an empty rectangle.
void Edges(TcxCanvas* c, const TRect& r, TColor topLeft, TColor bottomRight, TcxBorders borders = cxBordersAll) {
  if (!r.IsEmpty()) c->DrawTwoColorEdges(r, topLeft, bottomRight, borders, 1);
}

void Edge3D(TcxCanvas* c, const TRect& r, bool sunken, bool outer, TcxBorders borders = cxBordersAll) {
  if (!r.IsEmpty()) c->DrawEdge(r, sunken, outer, borders);
}

void Frame(TcxCanvas* c, const TRect& r, TColor color, TcxBorders borders = cxBordersAll) {
  c->FrameRect(r, color, 1, borders);
}

void Fill(TcxCanvas* c, const TRect& r, TColor color) {
  if (!r.IsEmpty()) FillSolid(c, r, color);
}

// The classic raised button frame: two levels.
void RaisedButtonFrame(TcxCanvas* c, const TRect& r) {
  Edges(c, r, clBtnHighlight, cl3DDkShadow);
  Edges(c, Deflated(r, 1), cl3DLight, clBtnShadow);
}

// The checker fill of a scroll bar's page area.
void PaintScrollPage(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) {
  TBitmap* checker = cxCheckerBitmap(state == bpsPressed ? 1 : 0);
  if (checker) c->FillRect(r, checker);
  else FillSolid(c, r, clBtnFace);
  c->Brush()->SetStyle(bsSolid);
}

// Scroll-bar parts drawn with the painter's own buttons (flat and ultra-flat):
// hot is hot only when hotTracks, and the arrow goes in the button's inner
// rectangle unless arrowInFullRect.
void PaintScrollBarPartWithButtons(const TcxCustomLookAndFeelPainter* p, TcxCanvas* c, bool horizontal,
                                   TcxButtonPaintState state, TcxScrollBarPaintPart part, const TRect& r,
                                   bool hotTracks, bool arrowInFullRect) {
  if (r.IsEmpty() || (part == sbpThumbnail && state == bpsDisabled)) return;
  if (state == bpsHot && !hotTracks) state = bpsNormal;
  switch (part) {
    case sbpLineUp:
    case sbpLineDown:
    case sbpThumbnail: {
      p->PaintButton(c, r, {}, state, clDefault, clDefault, true);
      if (part == sbpThumbnail) break;
      const TRect arrow = arrowInFullRect ? r : Deflated(r, p->ButtonFrameWidth(bpsNormal));
      if (!arrow.IsEmpty()) p->PaintScrollArrow(c, arrow, ScrollArrowDirection(horizontal, part), state);
      break;
    }
    case sbpPageUp:
    case sbpPageDown: PaintScrollPage(c, r, state); break;
    default: break;
  }
}

// The strip of one side of a tab, moved off the corners as the classic tabs
// have it, with the two corner pixels it rounds.
void PaintClassicTabSide(TcxCanvas* c, const TRect& r, bool vertical, TcxBorders borders, TcxBorder side) {
  TRect s = r;
  TColor color = clBtnHighlight;
  if (vertical) {
    if (side == bLeft) {
      s.Top += borders.Contains(bTop) ? 2 : 1;
      s.Bottom -= borders.Contains(bBottom) ? 2 : 1;
      if (!s.IsEmpty()) {
        c->SetPixel(s.Left + 1, s.Top - 1, clBtnHighlight);
        c->SetPixel(s.Left + 1, s.Bottom, clBtnHighlight);
      }
    } else if (side == bTop || side == bBottom) {
      if (borders.Contains(bLeft)) ++s.Left;
    }
    if (side == bBottom) color = clBtnShadow;
  } else {
    if (side == bLeft || side == bRight) {
      if (borders.Contains(bTop)) s.Top += 2;
      if (borders.Contains(bBottom)) --s.Bottom;
    } else if (side == bTop) {
      ++s.Left;
      --s.Right;
      if (!s.IsEmpty()) {
        c->SetPixel(s.Left - 1, s.Top + 1, clBtnHighlight);
        c->SetPixel(s.Right, s.Top + 1, clBtnHighlight);
      }
    }
    if (side == bRight) color = clBtnShadow;
  }
  Fill(c, s, color);
}

// The classic header frame: a raised outer edge with the corner pixels that
// let neighbouring sections meet cleanly.
void PaintClassicHeaderFrame(TcxCanvas* c, const TRect& r, TcxBorders borders) {
  if (r.IsEmpty()) return;
  const TClipTo clip(c, r);
  Edge3D(c, r, false, true, borders);
  if (borders.Contains(bLeft)) {
    c->SetPixel(r.Left, r.Top + 1, clBtnFace);
    c->SetPixel(r.Left, r.Bottom - 2, clBtnFace);
  }
  if (borders.Contains(bRight)) {
    c->SetPixel(r.Right - 1, r.Top, clBtnHighlight);
    c->SetPixel(r.Right - 1, r.Top + 1, clBtnFace);
    c->SetPixel(r.Right - 1, r.Bottom - 2, clBtnFace);
  }
}

// Splitter lines: one pair per colour pair, on top and bottom when horizontal
// (left and right when vertical); after each pair the rectangle grows along
// the lines and shrinks across them. The rest is filled from the parameters.
void PaintSplitterLines(TcxCanvas* c, const TRect& r, bool horizontal, const TcxViewParams& params,
                        std::initializer_list<std::pair<TColor, TColor>> pairs) {
  if (r.IsEmpty()) return;
  const TClipTo clip(c, r);
  const TcxBorders sides = horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight};
  TRect w = r;
  for (const auto& [first, second] : pairs) {
    Edges(c, w, first, second, sides);
    if (horizontal) w.Inflate(1, -1);
    else w.Inflate(-1, 1);
  }
  if (!w.IsEmpty()) c->FillRect(w, params);
}

void PaintMarkedHeaderIn(const TcxCustomLookAndFeelPainter* p, TcxCanvas* c, const TRect& r,
                         const TcxCustomDrawBackgroundEvent& customDraw, const TcxViewParams& params,
                         TColor textColor, TFont* font, std::string_view text, TcxBorders frameBorders,
                         int32_t inset, uint8_t markKind) {
  Frame(c, r, kBlack, frameBorders);
  const TRect header = p->HeaderInnerRect(r, frameBorders);
  p->PaintHeader(c, header, 0, 0, MarkedHeaderContent(customDraw, params, textColor, font, text, header), bpsNormal,
                 cxBordersAll, 0);
  PaintHeaderSideMarks(c, r, p->ControlFrameWidth(), inset, markKind);
}

}  // namespace

void PaintSortArrowLines(TcxCanvas* c, const TRect& r, bool ascending, TPoint size, TColor light, TColor dark) {
  if (r.IsEmpty()) return;
  const TClipTo clip(c, r);
  const int32_t w = size.X, h = size.Y, s = ascending ? 1 : -1;
  const bool even = w % 2 == 0;
  const int32_t cx = (r.Left + r.Right) / 2 - (even ? 1 : 0), hr = w / 2, hl = w / 2 - (even ? 1 : 0);
  const int32_t y0 = ascending ? (r.Top + r.Bottom - h) / 2 : (r.Top + r.Bottom + h) / 2 - 1;
  c->Pen()->SetColor(light);
  c->MoveTo(cx + hr, y0 + (h - 2) * s);
  c->LineTo(cx + hr - hl, y0);
  c->LineTo(cx + hr, y0 + (h - 1) * s);
  if (!ascending) c->Pen()->SetColor(dark);
  c->LineTo(cx - hl, y0 + (h - 1) * s);
  if (ascending) c->Pen()->SetColor(dark);
  c->LineTo(cx, y0);
  c->LineTo(cx - hl, y0 + (even ? h : h - 1) * s);
}

// --- Standard

TcxLookAndFeelPainterClass TcxStandardLookAndFeelPainter::Class() {
  static const TcxStandardLookAndFeelPainter instance;
  return &instance;
}

void TcxStandardLookAndFeelPainter::PaintControlFrame(TcxCanvas* c, const TRect& r) const {
  Edges(c, r, clBtnShadow, clBtnHighlight);
  Edges(c, Deflated(r, 1), cl3DDkShadow, cl3DLight);
}

void TcxStandardLookAndFeelPainter::PaintButtonFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const {
  if (r.IsEmpty()) return;
  if (state == bpsPressed || state == bpsDefault) Frame(c, r, kBlack);
  if (state == bpsPressed) Edges(c, Deflated(r, 1), clBtnShadow, clBtnShadow);
  else RaisedButtonFrame(c, state == bpsDefault ? Deflated(r, 1) : r);
}

void TcxStandardLookAndFeelPainter::PaintExpandBox(TcxCanvas* c, const TRect& r, TColor color, bool expanded) const {
  if (r.IsEmpty()) return;
  Edge3D(c, r, false, true, {bLeft, bTop});
  Edge3D(c, r, false, false, {bRight, bBottom});
  TRect in = Deflated(r, 1);
  Edge3D(c, in, false, true, {bRight, bBottom});
  --in.Right;
  --in.Bottom;
  Fill(c, in, color == clDefault ? clBtnFace : color);
  PaintExpandCross(c, r, clBtnText, expanded);
  c->ExcludeClipRect(r);
}

void TcxStandardLookAndFeelPainter::PaintGroupExpandButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                           bool expanded) const {
  TcxFlatLookAndFeelPainter::Class()->TcxCustomLookAndFeelPainter::PaintGroupExpandButton(c, r, state, expanded);
}

void TcxStandardLookAndFeelPainter::PaintCheckFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState) const {
  Edge3D(c, r, true, true);
  Edge3D(c, Deflated(r, 1), true, false);
}

void TcxStandardLookAndFeelPainter::PaintHeaderFrame(TcxCanvas* c, const TRect& r, TcxBorders borders,
                                                     uint8_t) const {
  PaintClassicHeaderFrame(c, r, borders);
}

void TcxStandardLookAndFeelPainter::PaintHeaderSectionFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                            TcxBorders borders) const {
  if (state == bpsPressed) {
    Edges(c, r, clBtnShadow, clBtnShadow, borders);
    return;
  }
  Edges(c, r, clBtnHighlight, cl3DDkShadow, borders);
  Edges(c, Deflated(r, 1), cl3DLight, clBtnShadow, borders);
}

void TcxStandardLookAndFeelPainter::PaintSortArrow(TcxCanvas* c, const TRect& r, bool ascending) const {
  PaintSortArrowLines(c, r, ascending, SortArrowSize(), clBtnHighlight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::PaintPanelFrame(TcxCanvas* c, const TRect& r) const { Edge3D(c, r, false, true); }

void TcxStandardLookAndFeelPainter::PaintPanelCellFrame(TcxCanvas* c, const TRect& r) const {
  Edge3D(c, r, true, false);
}

void TcxStandardLookAndFeelPainter::PaintDropDownButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                        bool active) const {
  if (r.IsEmpty()) return;
  if (state == bpsPressed) Edge3D(c, r, true, false);
  else Edge3D(c, r, false, true);
  const TRect in = Deflated(r, 1);
  if (in.IsEmpty()) return;
  FillSolid(c, in, clBtnFace);
  PaintDropArrow(c, in, active ? kActiveDropArrow : clBtnText);
}

void TcxStandardLookAndFeelPainter::PaintTabFrame(TcxCanvas* c, const TRect& r, bool vertical, TcxBorders borders,
                                                  TcxBorder side) const {
  PaintClassicTabSide(c, r, vertical, borders, side);
}

void TcxStandardLookAndFeelPainter::PaintTabsRoot(TcxCanvas* c, const TRect& r, bool, TcxBorders borders) const {
  Edge3D(c, r, false, true, borders);
}

void TcxStandardLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* c, bool horizontal, TcxButtonPaintState state,
                                                       TcxScrollBarPaintPart part, const TRect& r) const {
  if (r.IsEmpty() || (part == sbpThumbnail && state == bpsDisabled)) return;
  if (state == bpsHot) state = bpsNormal;
  const bool pressed = state == bpsPressed;
  auto buttonFrame = [&](bool asPressed) {
    if (asPressed) {
      Edges(c, r, clBtnShadow, clBtnShadow);
      Edges(c, Deflated(r, 1), clBtnFace, clBtnFace);
    } else {
      Edges(c, r, clBtnFace, cl3DDkShadow);
      Edges(c, Deflated(r, 1), clBtnHighlight, clBtnShadow);
    }
  };
  switch (part) {
    case sbpLineUp:
    case sbpLineDown: {
      // The pressed arrow sits one pixel right and down; what passes the
      // rectangle's edge is clipped away.
      const TClipTo clip(c, r);
      TRect moved = r;
      if (pressed) moved.Offset(1, 1);
      win::RECT rc = moved;
      win::UINT flags = win::DFCS_SCROLLUP + static_cast<win::UINT>(ScrollArrowDirection(horizontal, part));
      if (state == bpsDisabled) flags |= win::DFCS_INACTIVE;
      if (pressed) flags |= win::DFCS_FLAT;
      win::DrawFrameControl(c->Handle(), &rc, win::DFC_SCROLL, flags);
      buttonFrame(pressed);
      break;
    }
    case sbpThumbnail:
      buttonFrame(false);
      Fill(c, Deflated(r, ButtonFrameWidth(bpsNormal)), clBtnFace);
      break;
    case sbpPageUp:
    case sbpPageDown: PaintScrollPage(c, r, state); break;
    default: break;
  }
}

void TcxStandardLookAndFeelPainter::PaintMarkedHeader(TcxCanvas* c, const TRect& r,
                                                      const TcxCustomDrawBackgroundEvent& customDraw,
                                                      const TcxViewParams& params, TColor textColor, TFont* font,
                                                      std::string_view text, uint8_t neighbours, int32_t inset,
                                                      uint8_t markKind) const {
  // A neighbour on a side takes that side's black line.
  static const TcxBorders kBorders[] = {cxBordersAll, TcxBorders{bLeft, bTop, bBottom},
                                        TcxBorders{bTop, bRight, bBottom}, TcxBorders{bTop, bBottom}};
  const int32_t index = ((neighbours & 4) != 0 ? 1 : 0) + ((neighbours & 1) != 0 ? 2 : 0);
  if (r.IsEmpty()) return;
  PaintMarkedHeaderIn(this, c, r, customDraw, params, textColor, font, text, kBorders[index], inset, markKind);
}

void TcxStandardLookAndFeelPainter::PaintSplitterFrame(TcxCanvas* c, const TRect& r, bool horizontal,
                                                       const TcxViewParams& params) const {
  PaintSplitterLines(c, r, horizontal, params, {{clBtnFace, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}});
}

void TcxStandardLookAndFeelPainter::PaintGroupBoxFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t,
                                                       bool) const {
  TRect etched = r;
  --etched.Right;
  --etched.Bottom;
  if (etched.IsEmpty()) return;
  Frame(c, etched, clBtnShadow, borders);
  etched.Offset(1, 1);
  Frame(c, etched, clBtnHighlight, borders);
}

// --- Flat

TcxLookAndFeelPainterClass TcxFlatLookAndFeelPainter::Class() {
  static const TcxFlatLookAndFeelPainter instance;
  return &instance;
}

void TcxFlatLookAndFeelPainter::PaintControlFrame(TcxCanvas* c, const TRect& r) const { Edge3D(c, r, true, false); }

void TcxFlatLookAndFeelPainter::PaintButtonFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const {
  if (r.IsEmpty()) return;
  if (state == bpsPressed) {
    Edges(c, r, clBtnShadow, clBtnHighlight);
  } else if (state == bpsDefault) {
    Frame(c, r, kBlack);
    Edges(c, Deflated(r, 1), clBtnHighlight, clBtnShadow);
  } else {
    Edges(c, r, clBtnHighlight, clBtnShadow);
  }
}

void TcxFlatLookAndFeelPainter::PaintExpandBox(TcxCanvas* c, const TRect& r, TColor color, bool expanded) const {
  if (r.IsEmpty()) return;
  PaintButton(c, r, {}, bpsNormal, color, clDefault, true);
  PaintExpandCross(c, Deflated(r, 1), clBtnText, expanded);
  c->ExcludeClipRect(r);
}

void TcxFlatLookAndFeelPainter::PaintCheckFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const {
  Edge3D(c, r, true, false);
  Frame(c, Deflated(r, 1), CheckFaceColor(state));
}

void TcxFlatLookAndFeelPainter::PaintHeaderFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t) const {
  PaintClassicHeaderFrame(c, r, borders);
}

void TcxFlatLookAndFeelPainter::PaintHeaderSectionFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                        TcxBorders borders) const {
  if (state == bpsPressed) Edges(c, r, clBtnShadow, clBtnHighlight, borders);
  else Edges(c, r, clBtnHighlight, clBtnShadow, borders);
}

void TcxFlatLookAndFeelPainter::PaintSortArrow(TcxCanvas* c, const TRect& r, bool ascending) const {
  PaintSortArrowLines(c, r, ascending, SortArrowSize(), clBtnHighlight, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::PaintPanelFrame(TcxCanvas* c, const TRect& r) const { Edge3D(c, r, false, true); }

void TcxFlatLookAndFeelPainter::PaintPanelCellFrame(TcxCanvas* c, const TRect& r) const { Edge3D(c, r, true, false); }

void TcxFlatLookAndFeelPainter::PaintDropDownButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                    bool active) const {
  TcxStandardLookAndFeelPainter::Class()->PaintDropDownButton(c, r, state, active);
}

void TcxFlatLookAndFeelPainter::PaintTabFrame(TcxCanvas* c, const TRect& r, bool vertical, TcxBorders borders,
                                              TcxBorder side) const {
  PaintClassicTabSide(c, r, vertical, borders, side);
}

void TcxFlatLookAndFeelPainter::PaintTabsRoot(TcxCanvas* c, const TRect& r, bool, TcxBorders borders) const {
  Edge3D(c, r, false, true, borders);
}

void TcxFlatLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* c, bool horizontal, TcxButtonPaintState state,
                                                   TcxScrollBarPaintPart part, const TRect& r) const {
  PaintScrollBarPartWithButtons(this, c, horizontal, state, part, r, false, false);
}

void TcxFlatLookAndFeelPainter::PaintSplitterFrame(TcxCanvas* c, const TRect& r, bool horizontal,
                                                   const TcxViewParams& params) const {
  PaintSplitterLines(c, r, horizontal, params, {{clBtnHighlight, clBtnShadow}});
}

void TcxFlatLookAndFeelPainter::PaintCaptionBar(TcxCanvas* c, TRect& r) const {
  Fill(c, r, DefaultColor29());
  Frame(c, r, clBtnFace, {bBottom});
  if (!r.IsEmpty()) --r.Bottom;
}

void TcxFlatLookAndFeelPainter::PaintGroupBoxFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t,
                                                   bool) const {
  Frame(c, r, clBtnShadow, borders);
  Frame(c, Deflated(r, 1), clBtnHighlight, borders);
}

// --- Ultra-flat

TcxLookAndFeelPainterClass TcxUltraFlatLookAndFeelPainter::Class() {
  static const TcxUltraFlatLookAndFeelPainter instance;
  return &instance;
}

TColor TcxUltraFlatLookAndFeelPainter::FilterFrameColor(TcxButtonPaintState state) const {
  return state == bpsNormal ? clBtnShadow : clHighlight;
}

void TcxUltraFlatLookAndFeelPainter::PaintPanel(TcxCanvas* c, const TRect& r, TcxBorders borders) const {
  c->FrameRect(r, PanelSeparatorColor(), PanelSeparatorWidth(), borders);
}

void TcxUltraFlatLookAndFeelPainter::PaintNavigationButton(TcxCanvas* c, const TRect& r, const TRect& glyphRect,
                                                           bool next, TcxButtonPaintState state) const {
  if (r.IsEmpty()) return;
  FillSolid(c, r, clBtnFace);
  const TcxBorders outer = next ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
  Frame(c, r, state == bpsHot ? TabFrameColor() : TabSelectedColor(), outer);
  PaintNavigationGlyph(c, glyphRect, ButtonGlyphColor(state, clDefault), next);
}

void TcxUltraFlatLookAndFeelPainter::PaintControlFrame(TcxCanvas* c, const TRect& r) const {
  Frame(c, r, clBtnShadow);
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonFaceColor(TcxButtonPaintState state) const {
  if (state == bpsHot) return GetLightHotColor();
  if (state == bpsPressed) return GetLightDownColor();
  return clBtnFace;
}

TRect TcxUltraFlatLookAndFeelPainter::FocusRectOfButton(TcxCanvas*, const TRect& r) const {
  const TRect f = Deflated(r, 3);
  return f.IsEmpty() ? r : f;
}

TRect TcxUltraFlatLookAndFeelPainter::GroupedButtonFrameWidths(int32_t count, int32_t index) const {
  TRect w(1, 2, 1, 2);
  if (index == 0) w.Left = 2;
  if (index == count - 1 && index != 0) w.Right = 2;
  return w;
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonGlyphColor(TcxButtonPaintState state, TColor defaultColor) const {
  if (state == bpsPressed) return clHighlightText;
  return TcxCustomLookAndFeelPainter::ButtonGlyphColor(state, defaultColor);
}

void TcxUltraFlatLookAndFeelPainter::PaintGroupedButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                        int32_t index, int32_t count, TColor frameColor) const {
  TRect area = r;
  area.Inflate(0, -1);
  if (index == 0) ++area.Left;
  if (index == count - 1) --area.Right;
  if (area.IsEmpty()) return;
  if (state == bpsHot || state == bpsPressed) {
    const TColor line = HotFrameColor(c, r);
    if (index > 0) FillSolid(c, TRect(area.Left, area.Top, area.Left + 1, area.Bottom), line), ++area.Left;
    if (index < count - 1 && !area.IsEmpty())
      FillSolid(c, TRect(area.Right - 1, area.Top, area.Right, area.Bottom), line), --area.Right;
  } else {
    Frame(c, area, frameColor == clDefault ? clBtnShadow : frameColor);
    area.Inflate(-1, -1);
  }
  Fill(c, area, ButtonFaceColor(state));
}

void TcxUltraFlatLookAndFeelPainter::PaintButtonFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const {
  switch (state) {
    case bpsDefault:
      Frame(c, r, clWindowFrame);
      Frame(c, Deflated(r, 1), clWindowFrame);
      break;
    case bpsDisabled: Frame(c, r, clBtnShadow); break;
    case bpsHot:
    case bpsPressed: Frame(c, r, clHighlight); break;
    default: Frame(c, r, clBtnText); break;
  }
}

void TcxUltraFlatLookAndFeelPainter::PaintGroupedButtonFrame(TcxCanvas* c, const TRect& r, bool hot,
                                                             bool pressed) const {
  Frame(c, r, pressed ? clBtnText : hot ? HotFrameColor(c, r) : clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::PaintExpandBox(TcxCanvas* c, const TRect& r, TColor color, bool expanded) const {
  if (r.IsEmpty()) return;
  Frame(c, r, clBtnShadow);
  const TRect in = Deflated(r, 1);
  Fill(c, in, color == clDefault ? clBtnFace : color);
  if (!in.IsEmpty()) PaintExpandCross(c, in, clBtnText, expanded);
  c->ExcludeClipRect(r);
}

void TcxUltraFlatLookAndFeelPainter::PaintCheckFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const {
  Frame(c, r, clBtnText);
  Frame(c, Deflated(r, 1), CheckFaceColor(state));
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderPlain(TcxCanvas* c, const TRect& r, const TcxPainterContent& content,
                                                      TcxButtonPaintState state, TcxBorders borders,
                                                      uint8_t frameFlags) const {
  TcxPainterContent plain = content;
  plain.CustomDraw = nullptr;
  plain.TextRect = Deflated(content.TextRect, 1);
  PaintContent(c, r, plain, state, false);
  PaintHeaderFrame(c, Deflated(r, 1), borders, frameFlags);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderFrame(TcxCanvas* c, const TRect& r, TcxBorders borders,
                                                      uint8_t) const {
  TcxBorders lines{bRight, bBottom};
  if (borders.Contains(bLeft)) lines.Include(bLeft);
  if (borders.Contains(bTop)) lines.Include(bTop);
  Frame(c, r, clBtnText, lines);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderSectionFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                             TcxBorders borders) const {
  const TColor color = state == bpsDisabled ? clBtnShadow : kBlack;
  Edges(c, r, color, color, borders);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderSectionContent(TcxCanvas* c, const TRect& r, TColor color,
                                                               const TcxPainterContent& content,
                                                               TcxButtonPaintState state) const {
  if (state == bpsHot || state == bpsPressed || state == bpsDisabled) color = ButtonFaceColor(state);
  TcxCustomLookAndFeelPainter::PaintHeaderSectionContent(c, r, color, content, state);
}

void TcxUltraFlatLookAndFeelPainter::PaintSortArrow(TcxCanvas* c, const TRect& r, bool ascending) const {
  PaintSortArrowLines(c, r, ascending, SortArrowSize(), clBtnShadow, clBtnShadow);
}

TcxBorders TcxUltraFlatLookAndFeelPainter::HeaderFrameBorders(uint8_t neighbours) const {
  TcxBorders b = cxBordersAll;
  if (neighbours & 1) b.Exclude(bLeft);
  if (neighbours & 2) b.Exclude(bTop);
  return b;
}

void TcxUltraFlatLookAndFeelPainter::PaintPanelFrame(TcxCanvas* c, const TRect& r) const {
  PaintPanel(c, r, {bRight, bBottom});
}

void TcxUltraFlatLookAndFeelPainter::PaintPanelCellFrame(TcxCanvas* c, const TRect& r) const {
  Frame(c, r, PanelSeparatorColor());
}

void TcxUltraFlatLookAndFeelPainter::PaintDropDownButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                         bool active) const {
  if (r.IsEmpty()) return;
  Frame(c, r, FilterFrameColor(state));
  const TRect in = Deflated(r, 1);
  if (in.IsEmpty()) return;
  FillSolid(c, in, ButtonFaceColor(state));
  PaintDropArrow(c, in, active ? kActiveDropArrow : ButtonGlyphColor(state, clDefault));
}

void TcxUltraFlatLookAndFeelPainter::PaintTabFrame(TcxCanvas* c, const TRect& r, bool vertical, TcxBorders,
                                                   TcxBorder side) const {
  TRect s = r;
  bool selected = false;
  if (vertical) {
    selected = side == bBottom;
  } else if (side == bRight) {
    selected = true;
    s.Bottom -= TabFrameWidth(vertical);
  }
  Fill(c, s, selected ? TabSelectedColor() : TabFrameColor());
}

void TcxUltraFlatLookAndFeelPainter::PaintTabsRoot(TcxCanvas* c, const TRect& r, bool vertical,
                                                   TcxBorders borders) const {
  if (!r.IsEmpty()) c->DrawTwoColorEdges(r, TabFrameColor(), TabFrameColor(), borders, TabFrameWidth(vertical));
}

void TcxUltraFlatLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* c, bool horizontal, TcxButtonPaintState state,
                                                        TcxScrollBarPaintPart part, const TRect& r) const {
  PaintScrollBarPartWithButtons(this, c, horizontal, state, part, r, true, true);
}

void TcxUltraFlatLookAndFeelPainter::PaintToolButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const {
  PaintButton(c, r, {}, state, clDefault, clDefault, state == bpsHot || state == bpsPressed);
}

void TcxUltraFlatLookAndFeelPainter::PaintSplitterFrame(TcxCanvas* c, const TRect& r, bool horizontal,
                                                        const TcxViewParams& params) const {
  PaintSplitterLines(c, r, horizontal, params, {{DefaultColor42(), DefaultColor42()}});
}

void TcxUltraFlatLookAndFeelPainter::PaintGroupBoxFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t,
                                                        bool enabled) const {
  Frame(c, r, enabled ? clHighlight : clBtnShadow, borders);
}

void TcxUltraFlatLookAndFeelPainter::PaintStatusSeparator(TcxCanvas* c, const TRect& r) const {
  const uint32_t rgb = ColorToRGB(clBtnShadow);
  auto lighten = [](uint32_t v) { return v + (255 - v) / 3; };
  Fill(c, r, RGBColor(uint8_t(lighten(rgb & 0xFF)), uint8_t(lighten((rgb >> 8) & 0xFF)),
                      uint8_t(lighten((rgb >> 16) & 0xFF))));
}
