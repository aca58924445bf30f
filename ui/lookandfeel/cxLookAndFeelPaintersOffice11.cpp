// The Office 2003 painter: the ultra-flat parts in the Office 2003 colour set,
// gradient header backgrounds and bitmap expand buttons. Visual styles never
// exist here, so the parts the native painter would draw take their classic
// roads.
#include <algorithm>
#include <memory>

#include "platform/vcl/controls.h"
#include "platform/vcl/graphics.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersInternal.h"
#include "ui/lookandfeel/dxOffice11.h"

namespace {

void Frame(TcxCanvas* c, const TRect& r, TColor color, TcxBorders borders = cxBordersAll) {
  c->FrameRect(r, color, 1, borders);
}

void Gradient(TcxCanvas* c, const TRect& r, TColor top, TColor bottom) {
  if (!r.IsEmpty()) PaintGradientRect(c->Handle(), r, top, false, bottom);
}

void Column(TcxCanvas* c, int32_t x, int32_t top, int32_t bottom, TColor color) {
  if (top < bottom) c->FillRect(TRect(x, top, x + 1, bottom), color);
}

}  // namespace

TcxLookAndFeelPainterClass TcxOffice11LookAndFeelPainter::Class() {
  static const TcxOffice11LookAndFeelPainter instance;
  return &instance;
}

TColor TcxOffice11LookAndFeelPainter::HeaderBottomColor() const { return Office11GradientEndColor; }
TColor TcxOffice11LookAndFeelPainter::HeaderDarkLineColor() const { return Office11HeaderShadowColor; }
TColor TcxOffice11LookAndFeelPainter::HeaderLightLineColor() const { return Office11HeaderLightColor; }

TColor TcxOffice11LookAndFeelPainter::HeaderBlendColor() const {
  return MixColors(Office11GradientStartColor, Office11GradientEndColor, 50);
}

TColor TcxOffice11LookAndFeelPainter::FilterFrameColor(TcxButtonPaintState state) const {
  return state == bpsNormal ? HeaderDarkLineColor() : Office11SelectedFrameColor;
}

TColor TcxOffice11LookAndFeelPainter::HotFrameColor(TcxCanvas*, const TRect&) const {
  return Office11SelectedFrameColor;
}

// The header background: the blend colour running into the bottom colour
// over the last four rows (the gradient start colour throughout when hot),
// and a hot header's three-row highlight over its bottom edge.
void TcxOffice11LookAndFeelPainter::PaintContent(TcxCanvas* c, const TRect& r, const TcxPainterContent& content,
                                                 TcxButtonPaintState state, bool flatFill) const {
  const bool hot = state == bpsHot;
  if (!(content.CustomDraw && content.CustomDraw(c, r)) && !r.IsEmpty()) {
    const TColor c1 = hot ? Office11GradientStartColor : HeaderBlendColor();
    const TColor c2 = hot ? Office11GradientStartColor : HeaderBottomColor();
    if (flatFill) {
      FillRectWithColor(c->Handle(), r, c1);
    } else {
      const TRect upper(r.Left, r.Top, r.Right, r.Bottom - 3);
      if (!upper.IsEmpty()) FillRectWithColor(c->Handle(), upper, c1);
      Gradient(c, TRect(r.Left, std::max(r.Top, r.Bottom - 4), r.Right, r.Bottom), c1, c2);
    }
  }
  PaintContentText(c, content);
  if (hot && !r.IsEmpty())
    Gradient(c, TRect(r.Left - 1, r.Bottom - 2, r.Right, r.Bottom + 1), Office11HotColor, Office11HotEndColor);
}

void TcxOffice11LookAndFeelPainter::PaintNavigationButton(TcxCanvas* c, const TRect& r, const TRect& glyphRect,
                                                          bool next, TcxButtonPaintState state) const {
  if (r.IsEmpty()) return;
  const TColor face = state == bpsHot       ? Office11HotColor
                      : state == bpsPressed ? Office11PressedColor
                                            : Office11FaceColor;
  FillSolid(c, r, face);
  Frame(c, r, Office11OuterFrameColor, next ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom});
  PaintNavigationGlyph(c, glyphRect, ButtonGlyphColor(state, clDefault), next);
}

TColor TcxOffice11LookAndFeelPainter::DefaultColor1() const { return Office11ShadowColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor2() const { return Office11HighlightColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor4() const { return Office11FaceColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor8() const { return Office11MarkLineColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor9() const { return Office11GradientStartColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor10() const { return Office11PanelFaceColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor29() const { return Office11FaceColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor33() const { return Office11PanelLightColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor42() const { return Office11OuterFrameColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor43() const { return Office11PanelShadeColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor53() const { return Office11LightFaceColor; }
TColor TcxOffice11LookAndFeelPainter::DefaultColor58() const { return Office11FaceColor; }

void TcxOffice11LookAndFeelPainter::PaintControlFrame(TcxCanvas* c, const TRect& r) const {
  Frame(c, r, Office11FrameColor);
}

TColor TcxOffice11LookAndFeelPainter::ButtonFaceColor(TcxButtonPaintState state) const {
  switch (state) {
    case bpsHot: return Office11HotColor;
    case bpsPressed: return Office11PressedColor;
    case bpsDisabled: return clBtnFace;
    default: return Office11FaceColor;
  }
}

TColor TcxOffice11LookAndFeelPainter::ButtonGlyphColor(TcxButtonPaintState state, TColor) const {
  if (state == bpsPressed && !Office11ColorsAvailable()) return clHighlightText;
  return state == bpsDisabled ? Office11DisabledGlyphColor : Office11GlyphColor;
}

void TcxOffice11LookAndFeelPainter::PaintButtonFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const {
  switch (state) {
    case bpsDefault: TcxUltraFlatLookAndFeelPainter::PaintButtonFrame(c, r, state); break;
    case bpsDisabled: Frame(c, r, Office11DisabledGlyphColor); break;
    case bpsHot:
    case bpsPressed: Frame(c, r, Office11SelectedFrameColor); break;
    default: Frame(c, r, clBtnText); break;
  }
}

// The 11 x 11 button bitmap at the rectangle's top-left; its four corners are
// mixed with the canvas beneath so that they take on the background.
void TcxOffice11LookAndFeelPainter::PaintExpandBox(TcxCanvas* c, const TRect& r, TColor, bool expanded) const {
  if (r.IsEmpty()) return;
  // The set's bitmap while the set is in use, so painting does not rebuild it;
  // a fresh one only without the set.
  TBitmap* button = expanded ? Office11ExpandButtonMinusBitmap() : Office11ExpandButtonPlusBitmap();
  std::unique_ptr<TBitmap> made;
  if (!button) {
    made = dxLoadOffice11Bitmap(expanded ? "DXEXPANDBUTTON_MINUS" : "DXEXPANDBUTTON_PLUS");
    button = made.get();
  }
  if (!button) return;
  TCanvas* canvas = c->Canvas();
  const TColor topLeft = MixColors(Office11ExpandButtonColor1, canvas->Pixels(r.Left, r.Top), 25);
  const TColor others = MixColors(Office11ExpandButtonColor2, canvas->Pixels(r.Right - 1, r.Bottom - 1), 25);
  const TClipTo clip(c, r);
  c->Draw(r.Left, r.Top, button);
  // The corners go onto the canvas: the shared bitmap stays untouched.
  c->SetPixel(r.Left, r.Top, topLeft);
  c->SetPixel(r.Left + 10, r.Top + 10, others);
  c->SetPixel(r.Left, r.Top + 10, others);
  c->SetPixel(r.Left + 10, r.Top, others);
}

void TcxOffice11LookAndFeelPainter::PaintSmallExpandBox(TcxCanvas* c, const TRect& r, TColor faceColor, TColor,
                                                        bool expanded) const {
  PaintExpandBox(c, r, faceColor, expanded);
}

TColor TcxOffice11LookAndFeelPainter::CheckFaceColor(TcxButtonPaintState state) const {
  if (state == bpsHot || state == bpsPressed || state == bpsDisabled) return ButtonFaceColor(state);
  return TcxUltraFlatLookAndFeelPainter::CheckFaceColor(state);
}

void TcxOffice11LookAndFeelPainter::PaintHeader(TcxCanvas* c, const TRect& r, int32_t extraA, int32_t extraB,
                                                const TcxPainterContent& content, TcxButtonPaintState state,
                                                TcxBorders borders, uint8_t frameFlags) const {
  // The gradient is always painted: a custom background would hide the look.
  TcxPainterContent own = content;
  own.CustomDraw = nullptr;
  TcxUltraFlatLookAndFeelPainter::PaintHeader(c, r, extraA, extraB, own, state, borders, frameFlags);
}

// Header lines whose corners blend into the gradient. Flag bit 0 (a neighbour
// on the left) and bit 2 (on the right) round the corners on that side.
void TcxOffice11LookAndFeelPainter::PaintHeaderFrame(TcxCanvas* c, const TRect& r, TcxBorders borders,
                                                     uint8_t flags) const {
  if (r.IsEmpty()) return;
  const TColor light = HeaderLightLineColor(), dark = HeaderDarkLineColor(), blend = HeaderBlendColor(),
               bottom = HeaderBottomColor();
  const TClipTo clip(c, r);
  if (borders.Contains(bTop)) Frame(c, r, blend, {bTop});
  if (borders.Contains(bBottom)) Frame(c, r, dark, {bBottom});
  const int32_t left = r.Left, right = r.Right - 1;
  if (borders.Contains(bLeft)) {
    if (flags & 1) {
      Column(c, left, r.Top + 2, r.Bottom - 3, light);
      c->SetPixel(left, r.Top + 2, blend);
      c->SetPixel(left, r.Bottom - 3, MixColors(blend, bottom, 25));
    } else {
      Column(c, left, r.Top + 1, r.Bottom - 2, light);
    }
    c->SetPixel(left, r.Top + 1, blend);
    c->SetPixel(left, r.Bottom - 2, bottom);
  }
  if (borders.Contains(bRight)) {
    if (flags & 4) {
      Column(c, right, r.Top + 2, r.Bottom - 3, dark);
      c->SetPixel(right, r.Top + 1, blend);
      c->SetPixel(right, r.Top + 2, blend);
      c->SetPixel(right, r.Bottom - 3, MixColors(blend, bottom, 25));
      c->SetPixel(right, r.Bottom - 2, bottom);
    } else {
      Column(c, right, r.Top + 1, r.Bottom - 2, dark);
      c->SetPixel(right, r.Top, MixColors(blend, dark, 50));
      c->SetPixel(right, r.Bottom - 2, MixColors(bottom, dark, 50));
    }
  }
}

void TcxOffice11LookAndFeelPainter::PaintHeaderSection(TcxCanvas* c, const TRect& r, const TRect& textRect,
                                                       TcxButtonPaintState state, TcxBorders borders,
                                                       const TcxPainterContent& content) const {
  TcxPainterContent section = content;
  section.TextRect = textRect;
  PaintHeader(c, r, 0, 0, section, state, borders, 0);
  if (state == bpsPressed && !r.IsEmpty()) InvertHeaderRect(c, r);
}

void TcxOffice11LookAndFeelPainter::PaintSortArrow(TcxCanvas* c, const TRect& r, bool ascending) const {
  PaintSortArrowLines(c, r, ascending, SortArrowSize(), HeaderLightLineColor(), HeaderDarkLineColor());
}

void TcxOffice11LookAndFeelPainter::PaintScrollBarPart(TcxCanvas* c, bool horizontal, TcxButtonPaintState state,
                                                       TcxScrollBarPaintPart part, const TRect& r) const {
  TcxStandardLookAndFeelPainter::Class()->PaintScrollBarPart(c, horizontal, state, part, r);
}

void TcxOffice11LookAndFeelPainter::PaintSizeGrip(TcxCanvas* c, const TRect& r, TColor color) const {
  if (r.IsEmpty()) return;
  if (color != clNone) {
    if (color != clDefault) c->Brush()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r, nullptr);
  }
  const TClipTo clip(c, r);
  // The set's grip colours given by value: its brushes exist only while some
  // owner holds the set.
  DrawSizeGripDots(c->Handle(), r, Office11GripDarkColor, Office11GripLightColor);
}

void TcxOffice11LookAndFeelPainter::PaintMarkedHeader(TcxCanvas* c, const TRect& r,
                                                      const TcxCustomDrawBackgroundEvent& customDraw,
                                                      const TcxViewParams& params, TColor textColor, TFont* font,
                                                      std::string_view text, uint8_t, int32_t inset,
                                                      uint8_t markKind) const {
  if (r.IsEmpty()) return;
  TRect area = r;
  area.Inflate(-1, -1);
  if (!area.IsEmpty()) {
    if (!(customDraw && customDraw(c, area))) c->FillRect(area, params);
    TcxPainterContent content = MarkedHeaderContent(nullptr, params, textColor, font, text, area);
    PaintContentText(c, content);
  }
  PaintHeaderSideMarks(c, r, ControlFrameWidth(), inset, markKind);
}

void TcxOffice11LookAndFeelPainter::PaintControlFrameAlias(TcxCanvas* c, const TRect& r) const {
  Frame(c, r, DefaultColor42());
}

void TcxOffice11LookAndFeelPainter::PaintToolButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const {
  // The native tool button without a ToolBar theme: the plain framed button.
  TcxCustomLookAndFeelPainter::PaintToolButton(c, r, state);
}

void TcxOffice11LookAndFeelPainter::PaintCaptionBar(TcxCanvas* c, TRect& r) const {
  if (!r.IsEmpty()) FillSolid(c, r, DefaultColor29());
}

void TcxOffice11LookAndFeelPainter::PaintGroupBoxBackground(TcxCanvas* c, TObject* control, TColor color1,
                                                            TColor color2, TRect& r) const {
  if (r.IsEmpty()) return;
  if (color1 == clDefault) {
    if (auto* ctl = dynamic_cast<TControl*>(control)) DrawTransparentControlBackground(ctl, c, r);
  } else if (color2 == clDefault) {
    FillSolid(c, r, color1);
  } else {
    Gradient(c, r, color1, color2);
  }
}

void TcxOffice11LookAndFeelPainter::PaintStatusFace(TcxCanvas* c, const TRect& r) const {
  Gradient(c, r, Office11GradientStartColor, Office11GradientEndColor);
}
