#include "ui/lookandfeel/cxLookAndFeelPainters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/intmath.h"
#include "platform/vcl/imglist.h"
#include "ui/lookandfeel/cxGraphicsBitmaps.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersInternal.h"

namespace {

void PaintTriangle(TcxCanvas* c, const TRect& r, bool proportional, TcxArrowPaintDirection dir, TColor color) {
  const TClipTo clip(c, r);
  const TcxArrowPoints p = TcxCustomLookAndFeelPainter::ArrowTrianglePoints(r, 0, proportional, dir);
  SolidPolygon(c, p.data(), 3, color);
}

// An indicator's background: no text.
TcxPainterContent IndicatorContent(const TcxCustomDrawBackgroundEvent& customDraw, TColor bkColor, const TRect& r) {
  TcxPainterContent content;
  content.CustomDraw = customDraw;
  content.BkColor = bkColor;
  content.TextColor = clNone;
  content.TextRect = r;
  return content;
}

}  // namespace

void FillSolid(TcxCanvas* c, const TRect& r, TColor color) {
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r, color);
}

void SolidPolygon(TcxCanvas* c, const TPoint* points, int32_t count, TColor color) {
  if (color == clNone) return;
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(color);
  c->Pen()->SetColor(color);
  c->Polygon(points, count);
}

void PaintExpandCross(TcxCanvas* c, const TRect& r, TColor color, bool expanded) {
  const int32_t cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2, half = (r.Right - r.Left - 4) / 2;
  if (half < 0 || color == clNone) return;
  const TClipTo clip(c, r);
  FillSolid(c, TRect(cx - half, cy, cx + half + 1, cy + 1), color);
  if (!expanded) FillSolid(c, TRect(cx, cy - half, cx + 1, cy + half + 1), color);
}

void PaintHeaderSideMarks(TcxCanvas* c, const TRect& r, int32_t frameWidth, int32_t inset, uint8_t markKind) {
  TRect area = r;
  area.Top += frameWidth;
  area.Inflate(0, -1);
  if (area.IsEmpty()) return;
  int32_t d = area.Height() / 2;
  if (d % 2 == 0) ++d;
  const int32_t top = (area.Top + area.Bottom - (d + 1)) / 2, bottom = top + d, mid = (top + bottom) / 2;
  const TClipTo clip(c, r);
  if (markKind == 1 || markKind == 3) {
    const int32_t x = area.Left + inset - 1;
    const TPoint p[] = {{x, top}, {x, bottom}, {x - (d / 2 + 1), mid}};
    SolidPolygon(c, p, 3, clWindowText);
  }
  if (markKind == 2 || markKind == 3) {
    const int32_t x = area.Right - inset + 1;
    const TPoint p[] = {{x, top}, {x, bottom}, {x + (d / 2 + 1), mid}};
    SolidPolygon(c, p, 3, clWindowText);
  }
}

TcxPainterContent MarkedHeaderContent(const TcxCustomDrawBackgroundEvent& customDraw, const TcxViewParams& params,
                                      TColor textColor, TFont* font, std::string_view text, const TRect& textRect) {
  TcxPainterContent content;
  content.CustomDraw = customDraw;
  content.BkColor = params.Color;
  content.TextColor = textColor;
  content.Font = font;
  content.Text = std::string(text);
  content.AlignHorz = TAlignment(2);
  content.AlignVert = vaCenter;
  content.TextRect = textRect;
  return content;
}

TcxArrowPaintDirection ScrollArrowDirection(bool horizontal, TcxScrollBarPaintPart part) {
  static constexpr TcxArrowPaintDirection kDirections[] = {adUp, adDown, adLeft, adRight};
  return kDirections[(horizontal ? 2 : 0) + (part == sbpLineUp ? 0 : 1)];
}

uint16_t cxPainterTextFlags(TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine, bool endEllipsis) {
  static constexpr uint16_t kHorz[] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};
  static constexpr uint16_t kVert[] = {cxAlignTop, cxAlignBottom, cxAlignVCenter};
  uint16_t flags = kHorz[std::min<int>(alignHorz, 2)] | kVert[std::min<int>(alignVert, 2)];
  flags |= multiLine ? cxWordBreak : cxSingleLine;
  if (endEllipsis) flags |= cxShowEndEllipsis;
  return flags;
}

TcxLookAndFeelPainterClass TcxCustomLookAndFeelPainter::Class() {
  static const TcxCustomLookAndFeelPainter instance;
  return &instance;
}

TcxArrowPoints TcxCustomLookAndFeelPainter::ArrowTrianglePoints(TRect r, int32_t size, bool proportional,
                                                                TcxArrowPaintDirection dir) {
  if (proportional) {
    const int32_t d = r.Width() - r.Height();
    if (d > 0) {
      r.Left += d / 2;
      r.Right -= d - d / 2;
    } else if (d < 0) {
      r.Top += -d / 2;
      r.Bottom -= -d - -d / 2;
    }
  }
  const bool vertical = dir == adUp || dir == adDown;
  if (size == 0) size = ((vertical ? r.Width() : r.Height()) - 1) / 4 + 1;
  const int32_t w = vertical ? 2 * size - 1 : size, h = vertical ? size : 2 * size - 1;
  const int32_t x = (r.Left + r.Right - w) / 2, y = MulDiv(r.Top + r.Bottom - h, 1, 2);
  const int32_t right = x + w - 1, bottom = y + h - 1;
  switch (dir) {
    case adUp: return {TPoint{x, bottom}, TPoint{right, bottom}, TPoint{x + w / 2, y}};
    case adDown: return {TPoint{x, y}, TPoint{right, y}, TPoint{x + w / 2, bottom}};
    case adLeft: return {TPoint{right, y}, TPoint{right, bottom}, TPoint{x, y + h / 2}};
    default: return {TPoint{x, y}, TPoint{x, bottom}, TPoint{right, y + h / 2}};
  }
}

// --- Background, content and panels

void TcxCustomLookAndFeelPainter::PaintBackground(TcxCanvas* c, const TRect& r, TBitmap* bitmap, TColor color,
                                                  bool transparent) const {
  if (!transparent) {
    c->Brush()->SetColor(color);
    c->FillRect(r, nullptr);
  } else if (bitmap) {
    c->FillRect(r, bitmap);
  }
}

void TcxCustomLookAndFeelPainter::PaintDropArrow(TcxCanvas* c, const TRect& r, TColor color) const {
  if (r.IsEmpty()) return;
  int32_t w = (r.Right - r.Left) / 2;
  if (w % 2 == 0) ++w;
  const int32_t h = w / 2 + 1;
  const int32_t x0 = (r.Left + r.Right - w) / 2, y0 = MulDiv(r.Top + r.Bottom - h, 1, 2);
  const TPoint p[] = {{x0, y0}, {x0 + w - 1, y0}, {x0 + w / 2, y0 + h - 1}};
  const TClipTo clip(c, r);
  SolidPolygon(c, p, 3, color);
}

void TcxCustomLookAndFeelPainter::PaintContent(TcxCanvas* c, const TRect& r, const TcxPainterContent& content,
                                               TcxButtonPaintState, bool) const {
  if (!(content.CustomDraw && content.CustomDraw(c, r))) FillSolid(c, r, content.BkColor);
  PaintContentText(c, content);
}

void PaintContentText(TcxCanvas* c, const TcxPainterContent& content) {
  if (content.Text.empty()) return;
  c->Brush()->SetStyle(bsClear);
  if (content.Font) c->SetFont(content.Font);
  c->Font()->SetColor(content.TextColor);
  c->DrawText(content.Text, content.TextRect,
              cxPainterTextFlags(content.AlignHorz, content.AlignVert, content.MultiLine, content.ShowEndEllipsis));
  c->Brush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::PaintPanel(TcxCanvas* c, const TRect& r, TcxBorders) const {
  TRect strip = r;
  strip.Bottom = std::min(r.Bottom, r.Top + PanelSeparatorWidth());
  PaintPanelSeparator(c, strip);
  TRect rest = r;
  rest.Top = strip.Bottom;
  PaintPanelFrame(c, rest);
}

void TcxCustomLookAndFeelPainter::PaintNavigationButton(TcxCanvas* c, const TRect& r, const TRect& glyphRect,
                                                        bool next, TcxButtonPaintState state) const {
  FillSolid(c, r, clBtnFace);
  const TcxBorders outer = next ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
  c->FrameRect(r, clBtnShadow, 1, outer);
  TRect in = r;
  in.Inflate(0, -1);
  if (next) ++in.Left;
  else --in.Right;
  const bool pressed = state == bpsPressed;
  c->DrawTwoColorEdges(in, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnFace, outer);
  PaintNavigationGlyph(c, glyphRect, ButtonGlyphColor(state, clDefault), next);
}

TRect TcxCustomLookAndFeelPainter::ContentTextRect(const TRect& r) const {
  TRect t = r;
  t.Inflate(-PanelCellFrameWidth(), -PanelCellFrameWidth());
  return t;
}

TRect TcxCustomLookAndFeelPainter::ContentTextRectWithPadding(const TRect& r) const {
  TRect t = ContentTextRect(r);
  t.Inflate(-2, -2);
  return t;
}

TColor TcxCustomLookAndFeelPainter::DefaultColor28() const {
  const TColor c = ContentColorFor(false);
  return c == clDefault ? ContentColor() : c;
}

// --- Arrows, frames and buttons

void TcxCustomLookAndFeelPainter::PaintArrow(TcxCanvas* c, const TRect& r, TColor color,
                                             TcxArrowPaintDirection dir) const {
  PaintTriangle(c, r, true, dir, color);
}

void TcxCustomLookAndFeelPainter::PaintArrowButton(TcxCanvas* c, const TRect& r, bool withFrame,
                                                   TcxArrowPaintDirection dir, TcxButtonPaintState state) const {
  if (withFrame) PaintArrowButtonFace(c, r, state);
  else FillSolid(c, r, ButtonFaceColor(state));
  PaintTriangle(c, r, false, dir, ButtonGlyphColor(state, clDefault));
}

void TcxCustomLookAndFeelPainter::PaintArrowButtonFace(TcxCanvas* c, const TRect& r,
                                                       TcxButtonPaintState state) const {
  FillSolid(c, r, ButtonFaceColor(state));
  PaintButtonFrame(c, r, state);
}

void TcxCustomLookAndFeelPainter::PaintScrollArrow(TcxCanvas* c, const TRect& r, TcxArrowPaintDirection dir,
                                                   TcxButtonPaintState state) const {
  const TClipTo clip(c, r);
  TRect a = r;
  if (state == bpsPressed) a.Offset(PressedContentShift(), PressedContentShift());
  if (state == bpsDisabled) {
    TRect light = a;
    light.Offset(1, 1);
    PaintTriangle(c, light, true, dir, clBtnHighlight);
    PaintTriangle(c, a, true, dir, clBtnShadow);
  } else {
    PaintTriangle(c, a, true, dir, ButtonGlyphColor(state, clDefault));
  }
}

TRect TcxCustomLookAndFeelPainter::FocusRectOfButton(TcxCanvas*, const TRect& r) const {
  TRect f = r;
  f.Inflate(-4, -4);
  return f.IsEmpty() ? r : f;
}

TRect TcxCustomLookAndFeelPainter::GroupedButtonFrameWidths(int32_t, int32_t) const {
  const int32_t w = ButtonFrameWidth(bpsNormal);
  return {w, w, w, w};
}

TColor TcxCustomLookAndFeelPainter::ButtonGlyphColor(TcxButtonPaintState state, TColor defaultColor) const {
  if (state == bpsDisabled) return clBtnShadow;
  return defaultColor == clDefault ? clBtnText : defaultColor;
}

void TcxCustomLookAndFeelPainter::PaintButton(TcxCanvas* c, const TRect& r, std::string_view caption,
                                              TcxButtonPaintState state, TColor faceColor, TColor textColor,
                                              bool withFrame, bool wordWrap, bool) const {
  TRect b = r;
  if (withFrame) {
    PaintButtonFrame(c, b, state);
    b.Inflate(-ButtonFrameWidth(state), -ButtonFrameWidth(state));
  }
  FillSolid(c, b, faceColor == clDefault ? ButtonFaceColor(state) : faceColor);
  c->Font()->SetColor(textColor == clDefault ? ButtonGlyphColor(state, clDefault) : textColor);
  c->Brush()->SetStyle(bsClear);
  if (b.Height() % 2 != 0) --b.Bottom;
  if (b.Height() < 18) --b.Top;
  if (state == bpsPressed) b.Offset(PressedContentShift(), PressedContentShift());
  if (!caption.empty())
    c->DrawText(caption, b, wordWrap ? 0x0624 : 0x0264, state != bpsDisabled);
  c->Brush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::PaintGroupedButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                     int32_t, int32_t, TColor) const {
  PaintButton(c, r, {}, state);
}

void TcxCustomLookAndFeelPainter::PaintGroupExpandButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                         bool expanded) const {
  PaintButton(c, r, {}, state);
  const TClipTo clip(c, r);
  c->Pen()->SetColor(ButtonGlyphColor(state, clDefault));
  // Four rows, two per chevron with a two-row gap, plus the 3-pixel arms:
  // nine rows in all, centred.
  const int32_t x = (r.Left + r.Right - 7) / 2;
  const int32_t y0 = (r.Top + r.Bottom - 9) / 2 + (expanded ? 3 : 0);
  const int32_t arm = expanded ? -3 : 3;
  for (int32_t i = 0; i < 4; ++i) {
    const int32_t y = y0 + i + (i >= 2 ? 2 : 0);
    const TPoint p[] = {{x, y}, {x + 3, y + arm}, {x + 6, y}};
    c->Polyline(p, 3);
  }
}

void TcxCustomLookAndFeelPainter::PaintSmallExpandBox(TcxCanvas* c, const TRect& r, TColor faceColor,
                                                      TColor frameColor, bool expanded) const {
  c->FrameRect(r, frameColor);
  if (faceColor != clDefault) {
    TRect in = r;
    in.Inflate(-1, -1);
    FillSolid(c, in, faceColor);
  }
  PaintExpandCross(c, r, clBtnText, expanded);
}

TColor TcxCustomLookAndFeelPainter::CheckFaceColor(TcxButtonPaintState state) const {
  return state == bpsPressed || state == bpsDisabled ? clBtnFace : clWindow;
}

void TcxCustomLookAndFeelPainter::PaintCheckMark(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                 bool checked, TColor color) const {
  if (c->Brush()->Style() == bsSolid) FillSolid(c, r, CheckFaceColor(state));
  if (!checked || r.IsEmpty() || color == clNone) return;
  const int32_t w = r.Width() - 2, h = r.Height() - 4, x = (r.Left + r.Right) / 2 - 1;
  if (w <= 0 || h <= 0) return;
  const TClipTo clip(c, r);
  c->Pen()->SetColor(color);
  for (int32_t delta = 0; delta < 3; ++delta) {
    const int32_t y = (r.Top + r.Bottom + h) / 2 - 2 + delta;
    const TPoint p[] = {{x - w / 2 + 1, y - h / 2}, {x, y}, {x + w / 2 + 2, y - h}};
    c->Polyline(p, 3);
  }
}

void TcxCustomLookAndFeelPainter::PaintCheckBoxChecked(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                       bool checked) const {
  PaintCheckBox(c, r, state, checked ? cbsChecked : cbsUnchecked);
}

void TcxCustomLookAndFeelPainter::PaintCheckBox(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                                                TcxCheckPaintState checkState) const {
  PaintCheckFrame(c, r, state);
  TRect in = r;
  in.Inflate(-CheckFrameWidth(), -CheckFrameWidth());
  const bool gray = state == bpsDisabled || checkState == cbsGrayed;
  PaintCheckMark(c, in, state, checkState == cbsChecked, gray ? clGrayText : clBtnText);
}

void TcxCustomLookAndFeelPainter::PaintEtchedLine(TcxCanvas* c, const TRect& r, bool vertical, TColor lightColor,
                                                  TColor darkColor) const {
  c->DrawTwoColorEdges(r, darkColor == clDefault ? clBtnShadow : darkColor,
                       lightColor == clDefault ? clBtnHighlight : lightColor,
                       vertical ? TcxBorders{bLeft, bRight} : TcxBorders{bTop, bBottom});
}

// --- Header cells and sections

void TcxCustomLookAndFeelPainter::PaintHeader(TcxCanvas* c, const TRect& r, int32_t, int32_t,
                                              const TcxPainterContent& content, TcxButtonPaintState state,
                                              TcxBorders borders, uint8_t frameFlags) const {
  PaintHeaderFrame(c, r, borders, frameFlags);
  PaintContent(c, HeaderInnerRect(r, borders), content, state, false);
}

void TcxCustomLookAndFeelPainter::PaintHeaderPlain(TcxCanvas* c, const TRect& r, const TcxPainterContent& content,
                                                   TcxButtonPaintState state, TcxBorders borders,
                                                   uint8_t frameFlags) const {
  PaintHeader(c, r, 0, 0, content, state, borders, frameFlags);
}

void TcxCustomLookAndFeelPainter::InvertHeaderRect(TcxCanvas* c, const TRect& r) const { c->InvertRect(r); }

void TcxCustomLookAndFeelPainter::PaintHeaderSection(TcxCanvas* c, const TRect& r, const TRect&,
                                                     TcxButtonPaintState state, TcxBorders borders,
                                                     const TcxPainterContent& content) const {
  PaintHeaderSectionFrame(c, r, state, borders);
  PaintHeaderSectionContent(c, HeaderSectionContentRect(r, state), content.BkColor, content, state);
}

void TcxCustomLookAndFeelPainter::PaintHeaderSectionContent(TcxCanvas* c, const TRect& r, TColor color,
                                                            const TcxPainterContent& content,
                                                            TcxButtonPaintState state) const {
  FillSolid(c, r, color);
  PaintHeaderSectionText(c, HeaderSectionTextRect(r, state), content, state);
}

void TcxCustomLookAndFeelPainter::PaintHeaderSectionText(TcxCanvas* c, const TRect& r,
                                                         const TcxPainterContent& content,
                                                         TcxButtonPaintState state) const {
  if (content.Text.empty()) return;
  const uint16_t flags =
      cxPainterTextFlags(content.AlignHorz, content.AlignVert, content.MultiLine, content.ShowEndEllipsis);
  c->Brush()->SetStyle(bsClear);
  if (content.Font) c->SetFont(content.Font);
  if (state == bpsDisabled) {
    TRect shifted = r;
    shifted.Offset(1, 1);
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(content.Text, shifted, flags);
    c->Font()->SetColor(clBtnShadow);
  } else {
    c->Font()->SetColor(content.TextColor);
  }
  c->DrawText(content.Text, r, flags);
  c->Brush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::PaintInsetBand(TcxCanvas* c, const TRect& r, const TcxViewParams& params,
                                                 TColor color, int32_t sideWidth) const {
  const int32_t side = std::clamp(sideWidth, 0, std::max(r.Width(), 0) / 2);
  c->FillRect(TRect(r.Left, r.Top, r.Left + side, r.Bottom), params);
  c->FillRect(TRect(r.Right - side, r.Top, r.Right, r.Bottom), params);
  FillSolid(c, TRect(r.Left + side, r.Top, r.Right - side, r.Bottom), color);
}

TRect TcxCustomLookAndFeelPainter::HeaderOuterRect(const TRect& r, uint8_t neighbours, TcxBorders borders) const {
  const TcxBorders own = HeaderFrameBorders(neighbours);
  const int32_t w = HeaderFrameWidth();
  TRect o = r;
  auto grows = [&](TcxBorder b) { return borders.Contains(b) && !own.Contains(b); };
  if (grows(bLeft)) o.Left -= w;
  if (grows(bTop)) o.Top -= w;
  if (grows(bRight)) o.Right += w;
  if (grows(bBottom)) o.Bottom += w;
  return o;
}

TRect TcxCustomLookAndFeelPainter::HeaderInnerRect(const TRect& r, TcxBorders borders) const {
  const int32_t w = HeaderFrameWidth();
  TRect i = r;
  if (borders.Contains(bLeft)) i.Left += w;
  if (borders.Contains(bTop)) i.Top += w;
  if (borders.Contains(bRight)) i.Right -= w;
  if (borders.Contains(bBottom)) i.Bottom -= w;
  return i;
}

TRect TcxCustomLookAndFeelPainter::HeaderSectionTextRect(const TRect& r, TcxButtonPaintState state) const {
  TRect t = r;
  if (state == bpsPressed) t.Offset(1, 1);
  return t;
}

TRect TcxCustomLookAndFeelPainter::HeaderSectionContentRect(const TRect& r, TcxButtonPaintState state) const {
  TRect t = r;
  t.Inflate(-HeaderSectionFrameWidth(state), -HeaderSectionFrameWidth(state));
  return t;
}

int32_t TcxCustomLookAndFeelPainter::HeaderTextWidth(TcxCanvas* c, uint8_t borderBits, TFont* font,
                                                     std::string_view text) const {
  if (font) c->SetFont(font);
  int32_t w = c->MeasureTextWidth(text) + 4;
  if (borderBits & 1) w += HeaderFrameWidth();
  if (borderBits & 4) w -= HeaderFrameWidth();
  return w;
}

// --- Panels and small buttons

void TcxCustomLookAndFeelPainter::PaintPanelCell(TcxCanvas* c, const TRect& r,
                                                 const TcxPainterContent& content) const {
  PaintPanelCellFrame(c, r);
  PaintPanelCellContent(c, r, content);
}

void TcxCustomLookAndFeelPainter::PaintPanelCellContent(TcxCanvas* c, const TRect& r,
                                                        const TcxPainterContent& content) const {
  TcxPainterContent inner = content;
  inner.TextRect = ContentTextRectWithPadding(r);
  PaintContent(c, ContentTextRect(r), inner, bpsNormal, true);
}

void TcxCustomLookAndFeelPainter::PaintPanelArea(TcxCanvas* c, const TRect& r, const TcxViewParams& params) const {
  if (!r.IsEmpty()) c->FillRect(r, params);
}

void TcxCustomLookAndFeelPainter::PaintPanelSeparator(TcxCanvas* c, const TRect& r) const {
  FillSolid(c, r, PanelSeparatorColor());
}

void TcxCustomLookAndFeelPainter::PaintCloseButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const {
  PaintButtonFrame(c, r, state);
  TRect b = r;
  b.Inflate(-ButtonFrameWidth(bpsNormal), -ButtonFrameWidth(bpsNormal));
  FillSolid(c, b, ButtonFaceColor(state));
  int32_t n = CloseButtonExtent().X / 2;
  if (n % 2 == 0) --n;
  if (n <= 0 || b.IsEmpty()) return;
  int32_t x = b.Left + (b.Width() - n) / 2, y = b.Top + (b.Height() - n) / 2;
  if (ButtonGlyphState(state) == bpsPressed) {
    ++x;
    ++y;
  }
  const TClipTo clip(c, b);
  c->Pen()->SetColor(ButtonGlyphColor(state, clDefault));
  for (int32_t dx = 0; dx < 2; ++dx) {
    // LineTo leaves out its end point: one past the n-th pixel.
    c->MoveTo(x + dx, y);
    c->LineTo(x + dx + n, y + n);
    c->MoveTo(x + dx, y + n - 1);
    c->LineTo(x + dx + n, y - 1);
  }
}

void TcxCustomLookAndFeelPainter::PaintWindowFace(TcxCanvas* c, const TRect& r) const { FillSolid(c, r, clBtnFace); }

// --- Indicators, scroll bars, navigation and progress

void TcxCustomLookAndFeelPainter::PaintListGlyph(TcxCanvas* c, const TRect& r, TColor color) const {
  if (color == clNone) return;
  const TClipTo clip(c, r);
  const int32_t top = (r.Top + r.Bottom - 9) / 2;
  for (int32_t i = 0; i < 5; ++i) {
    const int32_t y = top + 2 * i;
    FillSolid(c, TRect(r.Left + 5, y, r.Right - 3, y + 1), color);
    if (i % 2 == 0) FillSolid(c, TRect(r.Left + 3, y, r.Left + 4, y + 1), color);
  }
}

void TcxCustomLookAndFeelPainter::PaintIndicatorImage(TcxCanvas* c, const TRect& r, int32_t kind) const {
  TImageList* images = cxIndicatorImages();
  if (kind < 1 || !images || kind > images->Count()) return;
  const TClipTo clip(c, r);
  images->Draw(c->Canvas(), (r.Left + r.Right - images->Width()) / 2, (r.Top + r.Bottom - images->Height()) / 2,
               kind - 1);
}

void TcxCustomLookAndFeelPainter::PaintIndicatorHeader(TcxCanvas* c, const TRect& r,
                                                       const TcxCustomDrawBackgroundEvent& customDraw,
                                                       TColor bkColor, int32_t kind) const {
  PaintHeader(c, r, 0, 0, IndicatorContent(customDraw, bkColor, r), bpsNormal, HeaderFrameBorders(10), 0);
  PaintIndicatorImage(c, r, kind);
}

void TcxCustomLookAndFeelPainter::PaintIndicatorPlain(TcxCanvas* c, const TRect& r,
                                                      const TcxCustomDrawBackgroundEvent& customDraw, TColor bkColor,
                                                      int32_t kind) const {
  PaintHeaderPlain(c, r, IndicatorContent(customDraw, bkColor, r), bpsNormal, cxBordersAll, 0);
  PaintIndicatorImage(c, r, kind);
}

TSize TcxCustomLookAndFeelPainter::ScrollBarExtent() const {
  return {win::GetSystemMetrics(win::SM_CXVSCROLL), win::GetSystemMetrics(win::SM_CYHSCROLL)};
}

void TcxCustomLookAndFeelPainter::PaintSizeGrip(TcxCanvas* c, const TRect& r, TColor color) const {
  if (r.IsEmpty()) return;
  if (color != clNone) {
    if (color != clDefault) c->Brush()->SetColor(color);
    c->FillRect(r, nullptr);
  }
  win::RECT rc = r;
  win::DrawFrameControl(c->Handle(), &rc, win::DFC_SCROLL, win::DFCS_SCROLLSIZEGRIP);
}

TcxNavigationButtonMetrics TcxCustomLookAndFeelPainter::NavigationButtonMetrics(bool next) const {
  return {next ? TRect(2, 6, 0, 6) : TRect(0, 6, 2, 6), true, TSize{7, 7}};
}

void TcxCustomLookAndFeelPainter::NavigationButtonLayout(bool next, bool rotated, TRect& buttonRect,
                                                         TRect& glyphRect, TRect& textRect, int32_t textHeight1,
                                                         int32_t textHeight2) const {
  const TcxNavigationButtonMetrics m = NavigationButtonMetrics(next);
  const TRect& bd = m.Borders;
  const int32_t w = m.GlyphSize.cx, h = m.GlyphSize.cy, g = 3 * h;
  auto centred = [&](const TRect& area) {
    const int32_t x = (area.Left + area.Right - w) / 2, y = (area.Top + area.Bottom - h) / 2;
    return TRect(x, y, x + w, y + h);
  };
  if (rotated || !m.HasTextArea) {
    textRect = {};
    buttonRect.Top = (buttonRect.Top + buttonRect.Bottom - bd.Top - bd.Bottom - g) / 2;
    buttonRect.Bottom = buttonRect.Top + g + bd.Bottom + bd.Top;
    glyphRect = centred(buttonRect);
    return;
  }
  const TRect content(buttonRect.Left + bd.Left, buttonRect.Top + bd.Top, buttonRect.Right - bd.Right,
                      buttonRect.Bottom - bd.Bottom);
  glyphRect = centred(TRect(content.Left, content.Top, content.Right, content.Top + g));
  textRect = TRect(content.Left, content.Top + g + 5, content.Right, content.Bottom - 2 * h);
  const int32_t d = std::max(textHeight1, textHeight2) + textRect.Top - textRect.Bottom;
  if (d >= 1) {
    glyphRect.Offset(0, -d);
    textRect.Inflate(0, d);
    buttonRect.Inflate(0, d);
  }
}

void TcxCustomLookAndFeelPainter::PaintMarkedHeader(TcxCanvas* c, const TRect& r,
                                                    const TcxCustomDrawBackgroundEvent& customDraw,
                                                    const TcxViewParams& params, TColor textColor, TFont* font,
                                                    std::string_view text, uint8_t neighbours, int32_t inset,
                                                    uint8_t markKind) const {
  PaintHeader(c, r, 0, 0, MarkedHeaderContent(customDraw, params, textColor, font, text, r), bpsNormal,
              HeaderFrameBorders(neighbours), 0);
  PaintHeaderSideMarks(c, r, ControlFrameWidth(), inset, markKind);
}

void TcxCustomLookAndFeelPainter::PaintProgressBar(TcxCanvas* c, const TRect& r, bool plain,
                                                   const TcxViewParams& params, const TRect& barRect) const {
  c->FrameRect(r, TColor(0x808080));
  if (!plain) {
    TRect in = r;
    in.Inflate(-1, -1);
    if (!in.IsEmpty()) c->FillRect(in, params);
  }
  FillSolid(c, barRect, TColor(0x800000));
}

void TcxCustomLookAndFeelPainter::PaintNavigationGlyph(TcxCanvas* c, const TRect& r, TColor color, bool next) const {
  if (r.IsEmpty() || color == clNone) return;
  const int32_t n = r.Height() / 2 + r.Height() % 2, dx = next ? 1 : -1;
  const int32_t x0 = next ? r.Left : r.Right - 2;
  const TClipTo clip(c, r);
  TRect upper(x0, r.Top, x0 + 2, r.Top + 1), lower(x0, r.Bottom - 1, x0 + 2, r.Bottom);
  for (int32_t i = 0; i < n; ++i) {
    FillSolid(c, upper, color);
    FillSolid(c, lower, color);
    upper.Offset(dx, 1);
    lower.Offset(dx, -1);
  }
  FillSolid(c, next ? TRect(r.Right - 1, r.Top, r.Right, r.Bottom) : TRect(r.Left, r.Top, r.Left + 1, r.Bottom),
            color);
}

void TcxCustomLookAndFeelPainter::PaintNavigationButtonRotated(TcxCanvas* c, const TRect& r, const TRect& glyphRect,
                                                               const TRect& textRect, std::string_view caption,
                                                               TcxButtonPaintState state, bool next) const {
  const TColor glyphColor = NavigationGlyphColor(state, c->Font()->Color(), next);
  if (textRect.IsEmpty() || glyphColor == clNone || r.IsEmpty()) {
    PaintNavigationButton(c, r, glyphRect, next, state);
    return;
  }
  TcxBitmap32 bitmap(r.Width(), r.Height());
  TcxCanvas* bc = bitmap.cxCanvas();
  bc->CopyRect(TRect(0, 0, r.Width(), r.Height()), c->Canvas(), r);
  TRect glyph = glyphRect;
  glyph.Offset(-r.Left, -r.Top);
  PaintNavigationButton(bc, TRect(0, 0, r.Width(), r.Height()), glyph, next, state);
  bitmap.Rotate(2);  // a quarter turn clockwise: the text runs top to bottom
  bc = bitmap.cxCanvas();
  bc->SetFont(c->Font());
  bc->Font()->SetColor(glyphColor);
  bc->Brush()->SetStyle(bsClear);
  const int32_t x = r.Height() - (textRect.Bottom - r.Top), y = textRect.Left - r.Left;
  bc->DrawText(caption, TRect(x, y, x + textRect.Height(), y + textRect.Width()),
               cxAlignHCenter | cxAlignVCenter | cxSingleLine);
  bc->Brush()->SetStyle(bsSolid);
  bitmap.Rotate(1);
  c->Draw(r.Left, r.Top, &bitmap);
}

void TcxCustomLookAndFeelPainter::PaintClock(TcxCanvas* c, const TRect& r, TDateTime time, TColor bkColor) const {
  constexpr double pi = std::numbers::pi;
  const int32_t cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  const double rx = r.Width() / 2.0 - 2, ry = r.Height() / 2.0 - 2;
  const TClipTo clip(c, r);
  c->PushClipRegion();
  for (int32_t i = 0; i < 60; i += 5) {
    const double a = i * 2 * pi / 60;
    const int32_t x = int32_t(std::lround(rx * std::cos(a) + cx)), y = int32_t(std::lround(ry * std::sin(a) + cy));
    c->SetPixel(x, y, TColor(0x808000));
    c->Pen()->SetColor(TColor(0xFFFF00));
    const TPoint light[] = {{x - 1, y + 1}, {x - 1, y - 1}, {x, y - 1}};
    c->Polyline(light, 3);
    c->Pen()->SetColor(clBtnText);
    const TPoint dark[] = {{x, y + 1}, {x + 1, y + 1}, {x + 1, y - 1}};
    c->Polyline(dark, 3);
    c->ExcludeClipRect(TRect(x - 1, y - 1, x + 2, y + 2));
  }
  FillSolid(c, r, bkColor);
  c->PopClipRegion();
  // NaN, infinite and negative times keep the marks and show no hands.
  if (!std::isfinite(time) || time < 0) return;
  uint16_t hour, minute, second, msec;
  DecodeTime(time, hour, minute, second, msec);
  auto hand = [&](double a, double halfWidth, double tip, double tail) {
    auto at = [](double v) { return int32_t(std::lround(v)); };
    const TPoint p[] = {
        {at(cx + tip * rx * std::cos(a)), at(cy + tip * ry * std::sin(a))},
        {at(cx + halfWidth * std::cos(a + pi / 2)), at(cy + halfWidth * std::sin(a + pi / 2))},
        {at(cx + tail * rx * std::cos(a + pi)), at(cy + tail * ry * std::sin(a + pi))},
        {at(cx + halfWidth * std::cos(a + 3 * pi / 2)), at(cy + halfWidth * std::sin(a + 3 * pi / 2))},
    };
    SolidPolygon(c, p, 4, TColor(0x808000));
  };
  hand((double(hour % 12) * 3600 + minute * 60 + second - 10800) * 2 * pi / (12 * 3600), 4.5, 0.75, 0.15);
  hand((double(minute) * 60 + second - 900) * 2 * pi / 3600, 3.5, 0.85, 0.2);
  const double a = (double(second) - 15) * 2 * pi / 60;
  c->Pen()->SetColor(TColor(0x0000FF));
  c->MoveTo(cx, cy);
  c->LineTo(int32_t(std::lround(cx + 0.9 * rx * std::cos(a))), int32_t(std::lround(cy + 0.9 * ry * std::sin(a))));
}

// --- Editors, text, group boxes and the rest

void TcxCustomLookAndFeelPainter::PaintCaptionBar(TcxCanvas* c, TRect& r) const {
  FillSolid(c, r, DefaultColor29());
  c->DrawEdge(r, false, true);
  r.Inflate(-1, -1);
}

void TcxCustomLookAndFeelPainter::PaintImage(TcxCanvas* c, TCustomImageList* images, int32_t index, const TRect& r,
                                             bool enabled) const {
  if (images) images->Draw(c->Canvas(), r.Left, r.Top, index, enabled);
}

void TcxCustomLookAndFeelPainter::PaintMarkedText(TcxCanvas* c, const TRect& r, const TRect& clipRect,
                                                  std::string_view text, bool vertical, TColor color,
                                                  bool plain) const {
  const std::string s(text);
  c->PushState();
  c->PushClipRegion();
  if (vertical) c->SetFontAngle(270);
  c->Font()->SetColor(color == clDefault || !plain ? MarkedTextColor() : color);
  c->Brush()->SetStyle(bsClear);
  const TPoint at = vertical ? TPoint{r.Right, r.Top} : TPoint{r.Left, r.Top};
  TRect visible;
  if (plain || r.IsEmpty()) {
    c->Canvas()->TextOut(at.X, at.Y, s);
  } else if (MarkedTextColorFor(true) == clDefault) {
    // Inversion: the glyph pixels show the background's colours inverted.
    TBitmap mask(r.Width(), r.Height());
    TCanvas* mc = mask.Canvas();
    mc->Brush()->SetColor(clWhite);
    mc->FillRect(TRect(0, 0, r.Width(), r.Height()));
    mc->SetFont(c->Font());
    mc->Font()->SetColor(TColor(0));
    mc->Brush()->SetStyle(bsClear);
    if (vertical) mc->Font()->SetOrientation(2700);
    mc->TextOut(at.X - r.Left, 0, s);
    win::BitBlt(mc->Handle(), 0, 0, r.Width(), r.Height(), nullptr, 0, 0, win::DSTINVERT);
    win::BitBlt(c->Handle(), r.Left, r.Top, r.Width(), r.Height(), mc->Handle(), 0, 0, win::SRCINVERT);
  } else if (!IntersectRect(visible, r, clipRect)) {
    c->Canvas()->TextOut(at.X, at.Y, s);
  } else {
    TBitmap saved(visible.Width(), visible.Height());
    const TRect local(0, 0, visible.Width(), visible.Height());
    saved.Canvas()->CopyRect(local, c->Canvas(), visible);
    c->Font()->SetColor(MarkedTextColorFor(false));
    c->Canvas()->TextOut(at.X, at.Y, s);
    c->Canvas()->CopyRect(visible, saved.Canvas(), local);
    c->IntersectClipRect(visible);
    c->Font()->SetColor(MarkedTextColorFor(true));
    c->Canvas()->TextOut(at.X, at.Y, s);
  }
  c->PopClipRegion();
  c->PopState();
}

void TcxCustomLookAndFeelPainter::PaintSheetFace(TcxCanvas* c, const TRect& r) const { FillSolid(c, r, clBtnFace); }

void TcxCustomLookAndFeelPainter::PaintStatusFace(TcxCanvas* c, const TRect& r) const {
  FillSolid(c, r, StatusFaceColor());
}

void TcxCustomLookAndFeelPainter::PaintStatusSeparator(TcxCanvas* c, const TRect& r) const {
  FillSolid(c, r, clBtnShadow);
}

void TcxCustomLookAndFeelPainter::PaintShadowedFrame(TcxCanvas* c, const TRect& frameRect, bool fillContent,
                                                     uint8_t kind, const TRect& contentRect) const {
  c->PushClipRegion();
  TRect work = frameRect;
  work.Right -= 2;
  work.Bottom -= 2;
  if (fillContent) FillSolid(c, contentRect, clWindow);
  if (kind == 0) work.Inflate(-1, -1);
  c->ExcludeClipRect(contentRect);
  FillSolid(c, work, kind == 0 ? clWindowText : clHighlight);
  c->ExcludeClipRect(work);
  work.Offset(2, 2);
  FillSolid(c, work, clWindowText);
  c->PopClipRegion();
}
