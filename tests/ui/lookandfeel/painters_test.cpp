// The painter base: its answers, its forwarding, and the unit's resources.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/imglist.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace {

const TcxCustomLookAndFeelPainter& Base() { return *TcxCustomLookAndFeelPainter::Class(); }

// Default colours 10-87 as the list has them; [n] names the forwarded colour.
TEST(TcxCustomLookAndFeelPainter, DefaultColoursMatchTheList) {
  const TcxCustomLookAndFeelPainter& p = Base();
  struct Row {
    int number;
    std::function<TColor()> get;
    TColor expected;
  };
  const TColor kRed = 0x0000FF, kBlue = 0xFF0000, kNavy = 0x800000, kBlack = 0;
  const std::vector<Row> rows = {
      {10, [&] { return p.ContentColor(); }, clWindow},
      {11, [&] { return p.ContentOddColor(3); }, clWindow},
      {12, [&] { return p.ContentEvenColor(3); }, clWindow},
      {13, [&] { return p.ContentTextColor(); }, clWindowText},
      {14, [&] { return p.ContentColorFor(true); }, clDefault},
      {15, [&] { return p.ContentColorOf(false); }, clDefault},
      {16, [&] { return p.ContentTextColorFor(true); }, clDefault},
      {17, [&] { return p.ContentTextColorOf(false); }, clDefault},
      {18, [&] { return p.DefaultColor1(); }, clBtnShadow},
      {19, [&] { return p.DefaultColor2(); }, clBtnHighlight},
      {20, [&] { return p.DefaultColor3(); }, clBtnText},
      {21, [&] { return p.DefaultColor4(); }, clBtnFace},
      {22, [&] { return p.DefaultColor5(1); }, clBtnText},
      {23, [&] { return p.DefaultColor6(); }, clBtnFace},
      {24, [&] { return p.DefaultColor7(); }, clBtnShadow},
      {25, [&] { return p.DefaultColor8(); }, clBtnShadow},
      {26, [&] { return p.DefaultColor9(); }, clBtnFace},
      {27, [&] { return p.DefaultColor10(); }, clBtnFace},
      {28, [&] { return p.DefaultColor11(); }, clBtnText},
      {29, [&] { return p.DefaultColor12(1); }, clBtnShadow},
      {30, [&] { return p.DefaultColor13(1); }, clBtnFace},
      {31, [&] { return p.DefaultColor14(1); }, clBtnFace},
      {32, [&] { return p.DefaultColor15(1); }, clBtnText},
      {33, [&] { return p.DefaultColor16(); }, kBlue},
      {34, [&] { return p.DefaultColor17(); }, clBtnFace},
      {35, [&] { return p.DefaultColor18(); }, clBtnText},
      {36, [&] { return p.DefaultColor19(); }, kBlue},
      {37, [&] { return p.DefaultColor20(1); }, clBtnShadow},
      {38, [&] { return p.DefaultColor21(); }, clBtnFace},
      {39, [&] { return p.DefaultColor22(1); }, kBlack},
      {40, [&] { return p.DefaultColor23(1); }, clBtnFace},
      {41, [&] { return p.DefaultColor24(); }, clDefault},
      {42, [&] { return p.DefaultColor25(1); }, clBtnFace},
      {43, [&] { return p.DefaultColor26(1); }, clBtnText},
      {44, [&] { return p.DefaultColor27(); }, kBlack},
      {45, [&] { return p.DefaultColor28(); }, clWindow},
      {46, [&] { return p.DefaultColor29(); }, clBtnFace},
      {47, [&] { return p.DefaultColor30(true, 1); }, clHighlightText},
      {47, [&] { return p.DefaultColor30(false, 1); }, clBtnText},
      {48, [&] { return p.DefaultColor31(); }, kRed},
      {49, [&] { return p.DefaultColor32(); }, clGrayText},
      {50, [&] { return p.DefaultColor33(); }, clHighlight},
      {51, [&] { return p.DefaultColor34(); }, clHighlightText},
      {52, [&] { return p.DefaultColor35(); }, clBtnShadow},
      {53, [&] { return p.DefaultColor36(); }, clWindow},
      {54, [&] { return p.DefaultColor37(); }, clWindowText},
      {55, [&] { return p.DefaultColor38(); }, TColor(128)},
      {56, [&] { return p.DefaultColor39(); }, kNavy},
      {57, [&] { return p.DefaultColor40(); }, clWindow},
      {58, [&] { return p.DefaultColor41(); }, clWindowText},
      {59, [&] { return p.DefaultColor42(); }, TColor(0xA1 | 0x9D << 8 | 0x9D << 16)},
      {60, [&] { return p.DefaultColor43(); }, clBtnFace},
      {61, [&] { return p.DefaultColor44(); }, clBtnFace},
      {62, [&] { return p.DefaultColor45(1); }, clBtnFace},
      {63, [&] { return p.DefaultColor46(1); }, clBtnText},
      {64, [&] { return p.DefaultColor47(); }, TColor(0xFF | 0xFF << 8 | 0xD5 << 16)},
      {65, [&] { return p.DefaultColor48(1); }, clHighlightText},
      {66, [&] { return p.DefaultColor49(); }, clWindowText},
      {67, [&] { return p.DefaultColor50(); }, clHighlight},
      {68, [&] { return p.DefaultColor51(); }, clHighlightText},
      {69, [&] { return p.DefaultColor52(); }, clBtnFace},
      {70, [&] { return p.DefaultColor53(); }, clBtnFace},
      {71, [&] { return p.DefaultColor54(); }, clBtnText},
      {72, [&] { return p.DefaultColor55(1); }, clBtnFace},
      {73, [&] { return p.DefaultColor56(); }, TColor(0xFFFFFF)},
      {74, [&] { return p.DefaultColor57(); }, kBlack},
      {75, [&] { return p.DefaultColor58(); }, clBtnFace},
      {76, [&] { return p.DefaultColor59(); }, clBtnText},
      {77, [&] { return p.DefaultColor60(1); }, TColor(0xFFFFFF)},
      {78, [&] { return p.DefaultColor61(); }, kBlack},
      {79, [&] { return p.DefaultColor62(); }, kBlack},
      {80, [&] { return p.DefaultColor63(); }, kBlack},
      {81, [&] { return p.DefaultColor64(); }, TColor(0xCFCFCF)},
      {82, [&] { return p.DefaultColor65(); }, TColor(0xFFFFFF)},
      {83, [&] { return p.DefaultColor66(); }, clBtnShadow},
      {84, [&] { return p.DefaultColor67(); }, TColor(0xA6 | 0xCA << 8 | 0xF0 << 16)},
      {85, [&] { return p.DefaultColor68(); }, kNavy},
      {86, [&] { return p.DefaultColor69(); }, clBtnShadow},
      {87, [&] { return p.DefaultColor70(); }, clBtnShadow},
  };
  for (const Row& row : rows) EXPECT_EQ(row.get(), row.expected) << "operation " << row.number;
}

// A descendant that changes only the colours others forward to: the
// forwarders must follow it, not keep copies of the base answers.
class TForwardingProbe : public TcxCustomLookAndFeelPainter {
public:
  static const TForwardingProbe* Get() {
    static const TForwardingProbe probe;
    return &probe;
  }
  TColor ContentColor() const override { return 0x010101; }
  TColor ContentColorOf(bool v) const override { return v ? 0x020202 : clDefault; }
  TColor ContentTextColorOf(bool) const override { return 0x030303; }
  TColor DefaultColor7() const override { return 0x070707; }
  TColor DefaultColor14(uint8_t s) const override { return TColor(0x140000 + s); }
  TColor DefaultColor15(uint8_t s) const override { return TColor(0x150000 + s); }
  TColor DefaultColor27() const override { return 0x272727; }
  TColor DefaultColor51() const override { return 0x515151; }
  TColor DefaultColor12(uint8_t s) const override { return TColor(0x120000 + s); }
  TColor DefaultColor13(uint8_t s) const override { return TColor(0x130000 + s); }
  bool HeaderOptionA() const override { return false; }
  TColor MarkedTextColorFor(bool marked) const override { return marked ? 0x0A0A0A : 0x0B0B0B; }
  int32_t ButtonFrameWidth(TcxButtonPaintState s) const override { return s == bpsNormal ? 3 : 9; }
  int32_t PanelCellFrameWidth() const override { return 2; }
  int32_t HeaderFrameWidth() const override { return 3; }
  TPoint SortArrowSize() const override { return {5, 11}; }

private:
  TForwardingProbe() = default;
};

TEST(TcxCustomLookAndFeelPainter, ForwardersFollowOverrides) {
  const TForwardingProbe& p = *TForwardingProbe::Get();
  struct Row {
    const char* name;
    TColor got, expected;
  };
  const Row rows[] = {
      {"ContentOddColor", p.ContentOddColor(0), 0x010101},
      {"ContentEvenColor", p.ContentEvenColor(0), 0x010101},
      {"ContentColorFor", p.ContentColorFor(true), 0x020202},
      {"ContentTextColorFor", p.ContentTextColorFor(false), 0x030303},
      {"DefaultColor20", p.DefaultColor20(4), 0x070707},
      {"DefaultColor22", p.DefaultColor22(4), 0x272727},
      {"DefaultColor23", p.DefaultColor23(4), 0x140004},
      {"DefaultColor25", p.DefaultColor25(5), 0x140005},
      {"DefaultColor26", p.DefaultColor26(6), 0x150006},
      // ContentColorFor(False) is clDefault here, so ContentColor.
      {"DefaultColor28", p.DefaultColor28(), 0x010101},
      {"DefaultColor30 unselected", p.DefaultColor30(false, 7), 0x150007},
      {"DefaultColor45", p.DefaultColor45(8), 0x140008},
      {"DefaultColor46", p.DefaultColor46(9), 0x150009},
      {"DefaultColor48", p.DefaultColor48(0), 0x515151},
      {"DefaultColor12For", p.DefaultColor12For(2), 0x120002},
      {"DefaultColor13For", p.DefaultColor13For(3), 0x130003},
      {"MarkedTextColor", p.MarkedTextColor(), 0x0B0B0B},
  };
  for (const Row& row : rows) EXPECT_EQ(row.got, row.expected) << row.name;
  EXPECT_FALSE(p.HeaderOptionAFor(1));
  EXPECT_EQ(p.GroupedButtonFrameWidths(3, 1), TRect(3, 3, 3, 3));
  EXPECT_EQ(p.ContentTextRect(TRect(10, 10, 40, 30)), TRect(12, 12, 38, 28));
  EXPECT_EQ(p.ContentTextRectWithPadding(TRect(10, 10, 40, 30)), TRect(14, 14, 36, 26));
  EXPECT_EQ(p.HeaderGlyphAreaWidth(10), 10 + 6 + 4);
  EXPECT_EQ(p.HeaderSortArrowRoom(bpsHot), TPoint(16, 11));
}

TEST(TcxCustomLookAndFeelPainter, BaseAnswers) {
  const TcxCustomLookAndFeelPainter& p = Base();
  EXPECT_EQ(p.StyleId(), 1);
  EXPECT_FALSE(p.UsesNativeDrawing());
  EXPECT_EQ(p.GroupExpandButtonExtent(), 15);
  EXPECT_EQ(p.SmallExpandBoxSize(), 9);
  EXPECT_EQ(p.CheckFrameWidth(), 2);
  EXPECT_EQ(p.EtchedLineWidth(), 2);
  EXPECT_EQ(p.PanelExtent(), 15);
  EXPECT_EQ(p.PanelSeparatorWidth(), 1);
  EXPECT_EQ(p.ActivateButtonExtent(), TPoint(13, 13));
  EXPECT_EQ(p.CloseButtonExtent(), TPoint(16, 14));
  EXPECT_EQ(p.DropDownButtonExtent(), TPoint(15, 0));
  EXPECT_EQ(p.ScrollThumbMinSize(true), 8);
  EXPECT_EQ(p.ProgressBarMargins(), TRect(2, 2, 2, 2));
  EXPECT_EQ(p.StatusMargins(), TRect(2, 2, 4, 4));
  EXPECT_EQ(p.ShadowAlpha(0), 128);
  EXPECT_EQ(p.ShadowAlpha(1), 128);
  EXPECT_EQ(p.HeaderSortArrowRoom(bpsNormal), TPoint(16, 0));
  EXPECT_EQ(p.ScrollBarExtent().cx, win::GetSystemMetrics(win::SM_CXVSCROLL));
  EXPECT_EQ(p.ScrollBarExtent().cy, win::GetSystemMetrics(win::SM_CYHSCROLL));
  EXPECT_EQ(p.GroupBoxCaptionColor(true), clWindowText);
  EXPECT_EQ(p.GroupBoxCaptionColor(false), clBtnShadow);
  EXPECT_EQ(p.MarkedTextColorFor(true), clDefault);
  EXPECT_EQ(p.MarkedTextColor(), clWindowText);
  EXPECT_TRUE(p.HitGroupExpandButton(TRect(0, 0, 15, 15), TPoint(14, 14)));
  EXPECT_FALSE(p.HitGroupExpandButton(TRect(0, 0, 15, 15), TPoint(15, 14)));
  struct Face {
    TcxButtonPaintState state;
    TColor check;
  };
  for (const Face f : {Face{bpsDefault, clWindow}, Face{bpsNormal, clWindow}, Face{bpsHot, clWindow},
                       Face{bpsPressed, clBtnFace}, Face{bpsDisabled, clBtnFace}})
    EXPECT_EQ(p.CheckFaceColor(f.state), f.check) << int(f.state);
}

TEST(TcxCustomLookAndFeelPainter, ButtonGlyphColourAndFocusRect) {
  const TcxCustomLookAndFeelPainter& p = Base();
  struct Row {
    TcxButtonPaintState state;
    TColor given, expected;
  };
  const Row rows[] = {{bpsDisabled, clDefault, clBtnShadow},
                      {bpsDisabled, TColor(0x0000FF), clBtnShadow},
                      {bpsNormal, clDefault, clBtnText},
                      {bpsNormal, TColor(0x0000FF), TColor(0x0000FF)},
                      {bpsPressed, clNone, clNone}};
  for (const Row& r : rows) {
    EXPECT_EQ(p.ButtonGlyphColor(r.state, r.given), r.expected) << int(r.state);
    EXPECT_EQ(p.NavigationGlyphColor(r.state, r.given, true), r.expected) << int(r.state);
  }
  // Deflating by 4 leaves nothing of 8 x 8: the whole rectangle.
  EXPECT_EQ(p.FocusRectOfButton(nullptr, TRect(0, 0, 8, 8)), TRect(0, 0, 8, 8));
  EXPECT_EQ(p.FocusRectOfButton(nullptr, TRect(0, 0, 9, 12)), TRect(4, 4, 5, 8));
}

TEST(TcxCustomLookAndFeelPainter, HeaderRectangles) {
  const TForwardingProbe& p = *TForwardingProbe::Get();  // frame width 3
  const TRect r(10, 10, 50, 30);
  EXPECT_EQ(p.HeaderInnerRect(r, cxBordersAll), TRect(13, 13, 47, 27));
  EXPECT_EQ(p.HeaderInnerRect(r, TcxBorders{bLeft, bBottom}), TRect(13, 10, 50, 27));
  // The base's frame borders are all four: nothing grows.
  EXPECT_EQ(p.HeaderOuterRect(r, 0, cxBordersAll), r);
  EXPECT_EQ(Base().HeaderSectionTextRect(r, bpsPressed), TRect(11, 11, 51, 31));
  EXPECT_EQ(Base().HeaderSectionTextRect(r, bpsHot), r);
  EXPECT_EQ(Base().HeaderSectionContentRect(r, bpsNormal), TRect(11, 11, 49, 29));
}

class TOwnFrameBorders : public TcxCustomLookAndFeelPainter {
public:
  TcxBorders HeaderFrameBorders(uint8_t) const override { return {bLeft, bTop}; }
  int32_t HeaderFrameWidth() const override { return 2; }
};

TEST(TcxCustomLookAndFeelPainter, HeaderOuterRectGrowsOnSidesTheFrameLacks) {
  static const TOwnFrameBorders p;
  EXPECT_EQ(p.HeaderOuterRect(TRect(10, 10, 50, 30), 0, cxBordersAll), TRect(10, 10, 52, 32));
  EXPECT_EQ(p.HeaderOuterRect(TRect(10, 10, 50, 30), 0, TcxBorders{bRight}), TRect(10, 10, 52, 30));
}

TEST(TcxCustomLookAndFeelPainter, HeaderTextWidthByBorderBits) {
  const TForwardingProbe& p = *TForwardingProbe::Get();  // frame width 3
  TBitmap bmp(4, 4);
  TcxCanvas canvas(bmp.Canvas());
  const int32_t text = canvas.MeasureTextWidth("Header");
  ASSERT_GT(text, 0);
  struct Row {
    uint8_t bits;
    int32_t expected;
  };
  for (const Row r : {Row{5, text + 4}, Row{1, text + 7}, Row{4, text + 1}, Row{0, text + 4}})
    EXPECT_EQ(p.HeaderTextWidth(&canvas, r.bits, nullptr, "Header"), r.expected) << int(r.bits);
  EXPECT_EQ(Base().HeaderTextWidth(&canvas, 5, nullptr, "Header"), text + 4);
}

TEST(TcxCustomLookAndFeelPainter, NavigationButtonLayout) {
  const TcxCustomLookAndFeelPainter& p = Base();
  // Glyph 7 x 7, g = 21; previous: borders (0, 6, 2, 6).
  {
    TRect button(0, 0, 30, 100), glyph, text;
    p.NavigationButtonLayout(false, false, button, glyph, text, 10, 12);
    const TRect content(0, 6, 28, 94);
    const int32_t gx = (content.Left + content.Right - 7) / 2, gy = (content.Top + content.Top + 21 - 7) / 2;
    EXPECT_EQ(glyph, TRect(gx, gy, gx + 7, gy + 7));
    EXPECT_EQ(text, TRect(0, 6 + 21 + 5, 28, 94 - 14));
    EXPECT_EQ(button, TRect(0, 0, 30, 100));
  }
  {
    // A caption taller than the text area grows everything by d.
    TRect button(0, 0, 30, 60), glyph, text;
    p.NavigationButtonLayout(true, false, button, glyph, text, 20, 5);
    const int32_t textTop = 6 + 21 + 5, textBottom = 54 - 14, d = 20 + textTop - textBottom;
    ASSERT_GE(d, 1);
    EXPECT_EQ(text, TRect(2, textTop - d, 30, textBottom + d));
    EXPECT_EQ(button, TRect(0, -d, 30, 60 + d));
    const int32_t gx = (2 + 30 - 7) / 2, gy = (6 + 6 + 21 - 7) / 2 - d;
    EXPECT_EQ(glyph, TRect(gx, gy, gx + 7, gy + 7));
  }
  {
    TRect button(0, 0, 30, 100), glyph, text(1, 2, 3, 4);
    p.NavigationButtonLayout(true, true, button, glyph, text, 10, 12);
    EXPECT_TRUE(text.IsEmpty());
    const int32_t top = (0 + 100 - 6 - 6 - 21) / 2;
    EXPECT_EQ(button, TRect(0, top, 30, top + 21 + 12));
    const int32_t gx = (30 - 7) / 2, gy = (button.Top + button.Bottom - 7) / 2;
    EXPECT_EQ(glyph, TRect(gx, gy, gx + 7, gy + 7));
  }
}

TEST(StyleToKind, EveryStyleNumber) {
  struct Row {
    uint8_t style;
    TcxLookAndFeelKind kind;
  };
  for (const Row r : {Row{0, lfFlat}, Row{1, lfStandard}, Row{2, lfUltraFlat}, Row{3, lfStandard},
                      Row{4, lfOffice11}, Row{5, lfStandard}, Row{255, lfStandard}})
    EXPECT_EQ(StyleToKind(r.style), r.kind) << int(r.style);
}

TEST(TcxExtendedStylePainters, EmptyRegistryFindsNothing) {
  TcxExtendedStylePainters* registry = ExtendedStylePainters();
  ASSERT_NE(registry, nullptr);
  EXPECT_EQ(registry->Count(), 0);
  EXPECT_EQ(registry->LocateByName("Office2007"), -1);
  EXPECT_EQ(registry->LocateByName(""), -1);
  TcxLookAndFeelPainterClass painter = TcxCustomLookAndFeelPainter::Class();
  EXPECT_FALSE(registry->PainterByName("Office2007", painter));
  EXPECT_EQ(painter, TcxCustomLookAndFeelPainter::Class());
}

TEST(TcxExtendedStylePainters, LookupIgnoresCaseAndListenersAreUnique) {
  static const TOwnFrameBorders other;
  TcxExtendedStylePainters registry;
  registry.Add(new TcxExtendedStylePainter("Alpha", TcxCustomLookAndFeelPainter::Class()));
  registry.Add(new TcxExtendedStylePainter("Blue Sky", &other));
  registry.Add(new TcxExtendedStylePainter("BLUE SKY", TcxCustomLookAndFeelPainter::Class()));
  TcxExtendedStylePainter* item = nullptr;
  EXPECT_EQ(registry.LocateByName("blue sky", &item), 1);
  EXPECT_EQ(item, registry.Items(1));
  TcxLookAndFeelPainterClass painter = nullptr;
  EXPECT_TRUE(registry.PainterByName("ALPHA", painter));
  EXPECT_EQ(painter, TcxCustomLookAndFeelPainter::Class());
  EXPECT_TRUE(registry.PainterByName("Blue sky", painter));
  EXPECT_EQ(painter, &other);

  auto* a = reinterpret_cast<IcxSkinPainterListener*>(&registry);
  auto* b = reinterpret_cast<IcxSkinPainterListener*>(&item);
  registry.AttachListener(a);
  registry.AttachListener(b);
  registry.AttachListener(a);
  EXPECT_EQ(registry.Listeners(), (std::vector<IcxSkinPainterListener*>{a, b}));
  registry.DetachListener(a);
  EXPECT_EQ(registry.Listeners(), (std::vector<IcxSkinPainterListener*>{b}));
}

// The indicator glyphs by row: the black columns as inclusive ranges.
TEST(IndicatorImages, SixGlyphsOfEightByNine) {
  using Ranges = std::vector<std::pair<int, int>>;
  const std::vector<std::vector<Ranges>> table = {
      {{{2, 2}}, {{2, 3}}, {{2, 4}}, {{2, 5}}, {{2, 6}}, {{2, 5}}, {{2, 4}}, {{2, 3}}, {{2, 2}}},
      {{{1, 2}, {4, 5}}, {{3, 3}}, {{3, 3}}, {{3, 3}}, {{3, 3}}, {{3, 3}}, {{3, 3}}, {{3, 3}}, {{1, 2}, {4, 5}}},
      {{}, {{3, 3}}, {{1, 1}, {3, 3}, {5, 5}}, {{2, 4}}, {{3, 3}}, {{2, 4}}, {{1, 1}, {3, 3}, {5, 5}}, {{3, 3}}, {}},
      {{}, {}, {{3, 3}}, {{2, 4}}, {{2, 4}}, {{2, 4}}, {{3, 3}}, {}, {}},
      {{{2, 2}}, {{2, 3}}, {{4, 4}}, {{2, 2}, {5, 5}}, {{2, 3}, {5, 6}}, {{2, 2}, {5, 5}}, {{4, 4}}, {{2, 3}}, {{2, 2}}},
      {{}, {{0, 7}}, {{0, 0}, {7, 7}}, {{0, 0}, {7, 7}}, {{1, 1}, {6, 6}}, {{2, 5}}, {{2, 2}, {5, 5}}, {{2, 2}, {5, 5}},
       {{2, 5}}},
  };
  TImageList* images = cxIndicatorImages();
  ASSERT_NE(images, nullptr);
  ASSERT_EQ(images->Count(), 6);
  ASSERT_EQ(images->Width(), 8);
  ASSERT_EQ(images->Height(), 9);
  for (int kind = 0; kind < 6; ++kind) {
    const std::vector<uint32_t>& px = images->Pixels(kind);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 8; ++x) {
        bool black = false;
        for (const auto& [from, to] : table[size_t(kind)][size_t(y)]) black |= x >= from && x <= to;
        const uint32_t v = px[size_t(y * 8 + x)];
        // White is transparent; the glyph is opaque black.
        EXPECT_EQ(v, black ? 0xFF000000u : (v & 0x00FFFFFFu)) << "kind " << kind + 1 << " at " << x << "," << y;
        EXPECT_EQ(v >> 24, black ? 0xFFu : 0u) << "kind " << kind + 1 << " at " << x << "," << y;
      }
  }
}

TEST(CheckerBitmaps, ParityAndColours) {
  PaintCheckerBitmaps();
  const TColor odd[2] = {clBtnHighlight, cl3DDkShadow}, even[2] = {clBtnFace, TColor(0)};
  for (int i = 0; i < 2; ++i) {
    TBitmap* b = cxCheckerBitmap(i);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->Width(), 8);
    ASSERT_EQ(b->Height(), 8);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        EXPECT_EQ(TColor(win::GetPixel(b->Canvas()->Handle(), x, y)),
                  ColorToRGB((x % 2 != y % 2) ? odd[i] : even[i]))
            << i << " at " << x << "," << y;
  }
  EXPECT_EQ(cxCheckerBitmap(2), nullptr);
  EXPECT_EQ(cxCheckerBitmap(-1), nullptr);
}

// The check-box size comes from the system strip, whose cells are the
// platform's own check boxes.
TEST(CheckBoxExtent, OneCellOfTheSystemStrip) {
  const TSize size = Base().CheckBoxExtent();
  ASSERT_GT(size.cx, 0);
  ASSERT_GT(size.cy, 0);
  win::HBITMAP strip = win::LoadSystemBitmap(win::OBM_CHECKBOXES);
  ASSERT_NE(strip, nullptr);
  win::BITMAP info;
  ASSERT_NE(win::GetObject(strip, sizeof(info), &info), 0);
  EXPECT_EQ(info.bmWidth, 4 * size.cx);
  EXPECT_EQ(info.bmHeight, 3 * size.cy);
  win::HDC stripDC = win::CreateCompatibleDC(nullptr);
  win::HGDIOBJ old = win::SelectObject(stripDC, strip);
  // Cell (column 1, row 0): the checked check box.
  TBitmap cell(size.cx, size.cy);
  TRect r(0, 0, size.cx, size.cy);
  win::DrawFrameControl(cell.Canvas()->Handle(), &r, win::DFC_BUTTON, win::DFCS_BUTTONCHECK | win::DFCS_CHECKED);
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x)
      EXPECT_EQ(win::GetPixel(stripDC, size.cx + x, y), win::GetPixel(cell.Canvas()->Handle(), x, y))
          << x << "," << y;
  win::SelectObject(stripDC, old);
  win::DeleteDC(stripDC);
  win::DeleteObject(strip);
  EXPECT_EQ(win::LoadSystemBitmap(32760), nullptr);
}

}  // namespace
