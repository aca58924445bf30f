// The painter base: its constant answers, system colours and brushes, the
// drop-down part, the mark glyphs drawn on small bitmaps and compared with
// the pixels their geometry gives, the DC left as found, and the painter a
// manager makes for each style.
#include "ui/bars/dxBarPainters.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/vcl/forms.h"
#include "tests/ui/bars/bar_doubles.h"
#include "tests/ui/bars/bar_painter_doubles.h"
#include "tests/ui/lookandfeel/fake_theme_provider.h"
#include "tests/ui/lookandfeel/painter_surface.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxThemeManager.h"

using namespace bartest;
using painter_surface::kPaper;
using painter_surface::Surface;

namespace {

// ---------------------------------------------------------------- constants

TEST(BarPainterBase, ConstantAnswers) {
  TdxBarPainter p(nullptr);
  struct Case {
    const char* What;
    int32_t Got, Want;
  } cases[] = {
      {"BarMarkSize", p.BarMarkSize(), 11},
      {"BarSeparatorSize", p.BarSeparatorSize(), 6},
      {"BarSeparatorIndent", p.BarSeparatorIndent(), 2},
      {"BarContentMargin", p.BarContentMargin(), 1},
      {"BarGripWidth", p.BarGripWidth(), 3},
      {"ButtonBorderWidth", p.ButtonBorderWidth(), 7},
      {"ButtonBorderHeight", p.ButtonBorderHeight(), 6},
      {"ButtonWidthWithBorder(20)", p.ButtonWidthWithBorder(20), 27},
      {"ButtonHeightWithBorder(20)", p.ButtonHeightWithBorder(20), 26},
      {"SizeGripIndent", p.SizeGripIndent(), 2},
      {"PopupBorderWidth", p.PopupBorderWidth(), 2},
      {"DropDownBorderSize", p.DropDownBorderSize(), 2},
      {"DropDownArrowIndent", p.DropDownArrowIndent(), 1},
      {"SubMenuItemHeightSum", p.SubMenuItemHeightSum(), 2},
      {"SubMenuSeparatorHeight", p.SubMenuSeparatorHeight(), 10},
      {"SubMenuItemMinHeight", p.SubMenuItemMinHeight(), 19},
      {"SubMenuScrollArrowsOffset", p.SubMenuScrollArrowsOffset(), 2},
      {"SeparatorSize", p.SeparatorSize(), 2},
      {"SeparatorSpacing", p.SeparatorSpacing(), 3},
      {"InPlaceSubItemIndent", p.InPlaceSubItemIndent(), 5},
      {"ProgressBarHeight", p.ProgressBarHeight(), 12},
      {"EditIndent", p.EditIndent(), 2},
      {"EditIndentInMenu", p.EditIndentInMenu(), 2},
      {"EditGlyphIndent", p.EditGlyphIndent(), 4},
      {"ComboDropDownButtonWidth(7)", p.ComboDropDownButtonWidth(7), 13},
      {"SubMenuExpandButtonSize(19)", p.SubMenuExpandButtonSize(19), 4 * 3 + 1},
      {"SubMenuExpandButtonSize(24)", p.SubMenuExpandButtonSize(24), 6 * 3 + 1},
      {"SubMenuArrowBase(17)", p.SubMenuArrowBase(17), 5},
      {"SubMenuTextIndent(20)", p.SubMenuTextIndent(20), 23},
      {"ItemBandIndent(menu, 19)", p.ItemBandIndent(true, 19), 20},
      {"ItemBandIndent(bar, 19)", p.ItemBandIndent(false, 19), 0},
      {"BarRowHeightFull(16)", p.BarRowHeightFull(16), 16 + 2 + 2 + 2 + 3},
      {"Office11EndMargin", TdxBarOffice11Painter(nullptr).Office11EndMargin(), 2},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Got, c.Want) << c.What;

  struct RectCase {
    const char* What;
    TRect Got, Want;
  } rects[] = {
      {"BarMargins", p.BarMargins(nullptr, dsTop), TRect(2, 2, 2, 2)},
      {"BarContentMargins", p.BarContentMargins(), TRect(1, 1, 1, 1)},
      {"ItemCaptionMargins", p.ItemCaptionMargins(), TRect(4, 0, 0, 0)},
      {"CaptionOffsets", p.CaptionOffsets(), TRect(2, 2, 2, 3)},
      {"ItemTextMargins", p.ItemTextMargins(), TRect(3, 0, 3, 0)},
      {"SeparatorMargins", p.SeparatorMargins(), TRect(6, 0, 0, 0)},
      {"EditBorderRect", p.EditBorderRect(), TRect(2, 2, 2, 2)},
      {"ComboBorderRect", p.ComboBorderRect(), TRect(2, 2, 2, 2)},
      {"EditTextOffset", p.EditTextOffset(), TRect(4, 0, 0, 0)},
      {"DropDownButtonIndents", p.DropDownButtonIndents(), TRect(1, 2, 1, 2)},
      {"SpinButtonIndents", p.SpinButtonIndents(), TRect(1, 0, 1, 0)},
      {"SubMenuClientMargins", p.SubMenuClientMargins(), TRect(1, 1, 1, 1)},
      {"AppMenuMargins", p.AppMenuMargins(), TRect()},
      {"SubMenuInnerRect", p.SubMenuInnerRect({10, 10, 50, 40}), TRect(13, 13, 47, 37)},
      {"SubMenuIconRect", p.SubMenuIconRect({0, 30, 120, 52}, 22), TRect(0, 30, 22, 52)},
      {"SubMenuTextRect", p.SubMenuTextRect({0, 30, 120, 52}, 22), TRect(25, 30, 120, 52)},
      {"SubMenuSeparatorRect", p.SubMenuSeparatorRect({0, 30, 120, 52}, false, 10), TRect(0, 20, 120, 30)},
      {"SubMenuSeparatorRect first non-recent", p.SubMenuSeparatorRect({0, 30, 120, 52}, true, 10),
       TRect(0, 20, 120, 29)},
      {"EditTextMargins", p.EditTextMargins(nullptr, {0, 0, 100, 22}), TRect(4, 4, 96, 17)},
  };
  for (const RectCase& c : rects) EXPECT_EQ(c.Got, c.Want) << c.What;

  EXPECT_EQ(p.ArrowSize(), TSize(5, 3));
  EXPECT_EQ(p.ButtonSizeWithBorders({23, 22}), TSize(30, 28));
}

TEST(BarPainterBase, SmallComputations) {
  TdxBarPainter p(nullptr);
  struct Div3 {
    int32_t A, Quotient, Remainder;
  } divs[] = {{0, -1, 0}, {2, -1, 2}, {3, 0, 0}, {17, 4, 2}, {18, 5, 0}};
  for (const Div3& d : divs) {
    int32_t q = 0, r = 0;
    p.DivideByThree(d.A, q, r);
    EXPECT_EQ(std::make_pair(q, r), std::make_pair(d.Quotient, d.Remainder)) << d.A;
  }
  // Expand button d div 4 x 3 + 1; arrow part "0" height + 1, or 2b + 4 when
  // b = (h - 6) div 2 is odd.
  struct Metrics {
    int32_t ItemHeight, ZeroHeight, Expand, ArrowPart;
  } metrics[] = {
      {19, 13, 13, 14},  // h 14, b 4: kept
      {19, 12, 13, 10},  // h 13, b 3: 2 x 3 + 4
      {22, 15, 16, 14},  // h 16, b 5: 2 x 5 + 4
      {24, 16, 19, 14},  // h 17, b 5: 2 x 5 + 4
      {24, 19, 19, 18},  // h 20, b 7: 2 x 7 + 4
  };
  for (const Metrics& m : metrics) {
    int32_t expand = 0, arrow = 0;
    p.SubMenuCalcItemMetrics(m.ItemHeight, m.ZeroHeight, expand, arrow);
    EXPECT_EQ(expand, m.Expand) << m.ItemHeight;
    EXPECT_EQ(arrow, m.ArrowPart) << m.ZeroHeight;
  }
  // 40 x the scale factor, rounded half to even, only with an item size option.
  EXPECT_EQ(p.BarRowHeightByFont(0, 2.0, 22), 22);
  EXPECT_EQ(p.BarRowHeightByFont(1, 1.0, 22), 40);
  EXPECT_EQ(p.BarRowHeightByFont(1, 1.5, 22), 60);
  EXPECT_EQ(p.BarRowHeightByFont(1, 1.0125, 22), 40) << "40.5 rounds to the even 40";
  EXPECT_EQ(p.BarRowHeightByFont(1, 1.0375, 22), 42) << "41.5 rounds to the even 42";
  EXPECT_EQ(p.SpinButtonState(false, true, true), 4);
  EXPECT_EQ(p.SpinButtonState(true, true, true), 3);
  EXPECT_EQ(p.SpinButtonState(true, false, true), 2);
  EXPECT_EQ(p.SpinButtonState(true, false, false), 1);
  // Spin arrows: rows (h div 2 - 2) div 2, width 2 x rows - 1; 20 pixels high gives 4 rows, 7 wide.
  int32_t half = 0, rows = 0, width = 0;
  p.SpinArrowSize(20, half, rows, width);
  EXPECT_EQ(std::make_pair(rows, width), std::make_pair(4, 7));
  p.SpinArrowSize(27, half, rows, width);
  EXPECT_EQ(std::make_pair(rows, width), std::make_pair(5, 9));
  TRect row(5, 40, 200, 58);
  EXPECT_EQ(p.QuickCustButtonRect(row), 23);
  EXPECT_EQ(row, TRect(5, 40, 23, 58)) << "the check-box part is made square";
}

TEST(BarPainterBase, QueriesOfTheBasePainter) {
  TdxBarPainter p(nullptr);
  const struct {
    const char* What;
    bool Got, Want;
  } cases[] = {
      {"PaintsOwnFrames", p.PaintsOwnFrames(), false},
      {"NeedsDoubleBuffer", p.NeedsDoubleBuffer(), false},
      {"AllowsLargeIcons", p.AllowsLargeIcons(), true},
      {"IsFlatStyle", p.IsFlatStyle(), false},
      {"IsFlatNotThemed", p.IsFlatNotThemed(), false},
      {"ButtonArrowFlat", p.ButtonArrowFlat(), false},
      {"HasNativeBackground", p.HasNativeBackground(), false},
      {"HasFlatLook", p.HasFlatLook(), true},
      {"BarShowsMark", p.BarShowsMark(), true},
      {"ButtonClassicLook", p.ButtonClassicLook(), true},
      {"BarHasShadow floating", p.BarHasShadow(false), false},
      {"BarShadowJoinsOwner", p.BarShadowJoinsOwner(false, true), false},
      {"EditAllowsFrame", p.EditAllowsFrame(), true},
      {"InPlaceFlag", p.InPlaceFlag(), true},
      {"BarIsNarrow 16 high", p.BarIsNarrow({0, 0, 11, 16}), true},
      {"BarIsNarrow 17 high", p.BarIsNarrow({0, 0, 11, 17}), false},
      {"EditSelectedInMenu selected", p.EditSelectedInMenu(true, true, false), true},
      {"EditSelectedInMenu down", p.EditSelectedInMenu(true, false, true), true},
      {"EditSelectedInMenu in a bar", p.EditSelectedInMenu(false, true, true), false},
      {"EditActiveInMenu selected only", p.EditActiveInMenu(true, false), false},
      {"ColorComboHasColorRect empty", p.ColorComboHasColorRect({5, 0, 5, 10}), false},
      {"ColorComboHasColorRect", p.ColorComboHasColorRect({5, 0, 6, 10}), true},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Got, c.Want) << c.What;
}

// ---------------------------------------------------------------- colours and brushes

TEST(BarPainterBase, ColoursAreSystemColours) {
  TdxBarPainter p(nullptr);
  struct Case {
    const char* What;
    TColor Got, Want;
  } cases[] = {
      {"ItemTextColor", p.ItemTextColor(false, true), clBtnText},
      {"ItemTextColor selected", p.ItemTextColor(true, true), clHighlightText},
      {"ItemTextColor selected, flat colour asked", p.ItemTextColor(true, false), clBtnText},
      {"ItemCaptionTextColor selected", p.ItemCaptionTextColor(true, true), clHighlightText},
      {"ItemStyleTextColor", p.ItemStyleTextColor(nullptr), clDefault},
      {"BarCaptionBackColor active", p.BarCaptionBackColor(true), clActiveCaption},
      {"BarCaptionBackColor inactive", p.BarCaptionBackColor(false), clInactiveCaption},
      {"BarCaptionTextColor", p.BarCaptionTextColor(true), clCaptionText},
      {"BarMarkArrowColorOf 0", p.BarMarkArrowColorOf(0), clCaptionText},
      {"BarMarkArrowColorOf 2", p.BarMarkArrowColorOf(2), clCaptionText},
      {"ButtonFrameColor", p.ButtonFrameColor(), clBtnText},
      {"EditBackColor", p.EditBackColor(), clWindow},
      {"EditTextColorEnabled", p.EditTextColorEnabled(), clWindowText},
      {"EditTextColorDisabled", p.EditTextColorDisabled(), clGrayText},
      {"EditBackColorFor disabled", p.EditBackColorFor(false, clRed, clBtnFace), clBtnFace},
      {"EditBackColorFor style colour", p.EditBackColorFor(true, clRed, clBtnFace), clRed},
      {"EditBackColorFor no style colour", p.EditBackColorFor(true, clDefault, clBtnFace), clWindow},
      {"EditTextColorFor disabled", p.EditTextColorFor(false, clRed), clGrayText},
      {"EditTextColorFor style colour", p.EditTextColorFor(true, clRed), clRed},
      {"DateHeaderColor", p.DateHeaderColor(), clBtnFace},
      {"ProgressBarColor", p.ProgressBarColor(), clHighlight},
      {"SeparatorColor1", p.SeparatorColor1(), TColor(0x20000000)},
      {"SeparatorColor2", p.SeparatorColor2(), TColor(0x20000000)},
      {"FlatSeparatorColor", TdxBarFlatPainter(nullptr).FlatSeparatorColor(), clBtnShadow},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Got, c.Want) << c.What;
  EXPECT_EQ(p.BarMarkElementColor(), win::COLOR_BTNTEXT);

  // Disabled text: embossed in a classic look, grey text when selected or flat.
  struct Disabled {
    bool Selected, Flat;
    TColor Light, Dark;
  } disabled[] = {{false, false, clBtnHighlight, clBtnShadow},
                  {true, false, clGrayText, clGrayText},
                  {false, true, clGrayText, clGrayText}};
  for (const Disabled& d : disabled) {
    TColor light = clNone, dark = clNone;
    p.ItemDisabledTextColors(d.Selected, d.Flat, light, dark);
    EXPECT_EQ(std::make_pair(light, dark), std::make_pair(d.Light, d.Dark)) << d.Selected << d.Flat;
  }
}

TEST(BarPainterBase, SystemBrushesAreIndexPlusOneAndFillInTheirColour) {
  TdxBarPainter p(nullptr);
  struct Case {
    const char* What;
    win::HBRUSH Brush;
    uintptr_t Value;
    int Index;
  } cases[] = {
      {"ToolbarBrush", p.ToolbarBrush(), 16, win::COLOR_BTNFACE},
      {"ToolbarBrushFor", p.ToolbarBrushFor(nullptr), 16, win::COLOR_BTNFACE},
      {"ToolbarBrushEx", p.ToolbarBrushEx(nullptr), 16, win::COLOR_BTNFACE},
      {"DownSelectedItemBrush", p.DownSelectedItemBrush(), 16, win::COLOR_BTNFACE},
      {"SubMenuItemBrush", p.SubMenuItemBrush(), 16, win::COLOR_BTNFACE},
      {"SelectedItemBrush", p.SelectedItemBrush(), 14, win::COLOR_HIGHLIGHT},
      {"InPlaceSubItemBrush", p.InPlaceSubItemBrush(), 17, win::COLOR_BTNSHADOW},
      {"FlatStaticBorderBrush", TdxBarFlatPainter(nullptr).FlatStaticBorderBrush(), 17, win::COLOR_BTNSHADOW},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(reinterpret_cast<uintptr_t>(c.Brush), c.Value) << c.What;
    Surface s(4, 4);
    const TRect r(0, 0, 4, 4);
    win::FillRect(s.bmp.Canvas()->Handle(), &r, c.Brush);
    EXPECT_EQ(s.At(2, 2), SysColor(c.Index)) << c.What;
  }
  // The menu's item brush is handed out because the base has the flat look.
  win::HBRUSH brush = nullptr;
  p.SubMenuItemBrushQuery(nullptr, brush);
  EXPECT_EQ(brush, p.SubMenuItemBrush());
}

TEST(BarPainterBase, DownItemBrushIsTheSharedDitherBrush) {
  TdxBarPainter p(nullptr);
  BuildDitherBrush();
  ASSERT_NE(DitherBrush(), nullptr);
  EXPECT_EQ(p.DownItemBrush(), DitherBrush());
  // COLOR_BTNFACE where row and column have the same parity, else COLOR_BTNHIGHLIGHT.
  Surface s(8, 8);
  const TRect r(0, 0, 8, 8);
  win::FillRect(s.bmp.Canvas()->Handle(), &r, p.DownItemBrush());
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x)
      ASSERT_EQ(s.At(x, y), SysColor((x + y) % 2 == 0 ? win::COLOR_BTNFACE : win::COLOR_BTNHIGHLIGHT)) << x << "," << y;
}

// ---------------------------------------------------------------- metrics of the system and the font

TEST(BarPainterBase, SystemMetricAnswers) {
  TdxBarPainter p(nullptr);
  win::NONCLIENTMETRICS ncm;
  ASSERT_TRUE(win::SystemParametersInfo(win::SPI_GETNONCLIENTMETRICS, 500, &ncm, 0));
  const int32_t caption = ncm.iSmCaptionHeight, fx = win::GetSystemMetrics(win::SM_CXFRAME),
                fy = win::GetSystemMetrics(win::SM_CYFRAME);
  EXPECT_EQ(p.SmallCaptionHeight(), caption);
  EXPECT_EQ(p.FloatingCaptionHeightPlus1(), caption + 1);
  EXPECT_EQ(p.CloseButtonSize(), TSize(caption, caption));
  EXPECT_EQ(p.FrameWidth(), fx);
  EXPECT_EQ(p.FrameHeight(), fy);
  EXPECT_EQ(p.FloatingBarClientRect({100, 50, 300, 120}), TRect(100 + fx, 50 + fy, 300 - fx, 50 + fy + caption));
  EXPECT_EQ(p.SizeGripSize(),
            TSize(win::GetSystemMetrics(win::SM_CXHSCROLL), win::GetSystemMetrics(win::SM_CYHSCROLL)));
  const int32_t size = win::GetSystemMetrics(win::SM_CYSIZE), scroll = win::GetSystemMetrics(win::SM_CYHSCROLL);
  EXPECT_EQ(p.DropDownBottomPanelHeight(), scroll + 2 < size ? size + 1 : scroll + 3);
  EXPECT_EQ(p.FloatingCaptionTextOffset({2, 1, 14, 13}), 17);
}

TEST(BarPainterBase, CaptionHeightIsTheHeightOfWgPlusSix) {
  TdxBarPainter p(nullptr);
  for (int32_t points : {8, 11, 16}) {
    Surface s(10, 10);
    s.bmp.Canvas()->Font()->SetName("DejaVu Sans");
    s.bmp.Canvas()->Font()->SetSize(points);
    win::HDC dc = s.bmp.Canvas()->Handle();
    win::SIZE extent{};
    ASSERT_TRUE(win::GetTextExtentPoint32(dc, "Wg", 2, &extent));
    EXPECT_EQ(p.CaptionHeightOf(&s.canvas), extent.cy + 6) << points;
    EXPECT_EQ(p.SubMenuCaptionHeight(&s.canvas), extent.cy + 6) << points;
    EXPECT_EQ(p.HalfFontHeight(&s.canvas), extent.cy / 2) << points;
  }
}

// ---------------------------------------------------------------- drop-down part

TEST(BarPainterBase, DropDownPartSitsAtTheRightInsideItsIndents) {
  TdxBarPainter p(nullptr);
  // Width (h - 4) div 7 x 7 - 1 - 1 + 4: 16 for h 22, 30 for h 36, 2 for h 10.
  EXPECT_EQ(p.DropDownButtonWidth(22), 16);
  EXPECT_EQ(p.DropDownButtonWidth(36), 30);
  EXPECT_EQ(p.DropDownButtonWidth(10), 2);
  struct Case {
    const char* What;
    TRect Item;
    bool HasPart;
    TRect Want;
  } cases[] = {
      {"wide item", {0, 0, 100, 22}, true, {83, 2, 99, 20}},
      {"offset item", {10, 5, 110, 27}, true, {93, 7, 109, 25}},
      {"tall item", {0, 0, 100, 36}, true, {69, 2, 99, 34}},
      {"just wider than twice the part", {0, 0, 34, 22}, true, {17, 2, 33, 20}},
      {"half the item collapses", {0, 0, 32, 22}, true, {31, 2, 31, 20}},
      {"more than half collapses", {0, 0, 20, 22}, true, {19, 2, 19, 20}},
      {"no drop-down part", {0, 0, 100, 22}, false, {99, 2, 99, 20}},
  };
  for (const Case& c : cases) EXPECT_EQ(p.DropDownButtonRect(c.Item, c.HasPart), c.Want) << c.What;
}

// ---------------------------------------------------------------- arrow widths

class PainterManagerTest : public bartest::BarFormTest {};

TEST_F(PainterManagerTest, ButtonArrowWidthsFollowTheManager) {
  TdxBarManager m(form_.get());
  TdxBarPainter p(nullptr);
  struct Case {
    int32_t ArrowWidth;
    bool LargeIcons;
    int32_t Want;
  } cases[] = {
      {11, false, 11},
      {11, true, 23},  // 22 made odd
      {10, false, 11},
      {10, true, 21},
      {7, true, 15},
  };
  for (const Case& c : cases) {
    m.SetButtonArrowWidth(c.ArrowWidth);
    m.SetLargeIcons(c.LargeIcons);
    EXPECT_EQ(p.ButtonArrowWidthOf(&m), c.Want) << c.ArrowWidth << " " << c.LargeIcons;
  }
  EXPECT_EQ(p.LargeButtonArrowWidthOf(&m), 13);
  m.SetLargeButtonArrowWidth(17);
  EXPECT_EQ(p.LargeButtonArrowWidthOf(&m), 17);
}

// ---------------------------------------------------------------- mark glyphs

TEST(BarPainterMark, ArrowIsASevenByFourTriangleCentred) {
  TdxBarPainter p(nullptr);
  const struct {
    TRect R;
    int32_t X, Y;  // (left + right - 7) div 2, (top + bottom - 4) div 2 rounded up
  } cases[] = {{{0, 0, 11, 11}, 2, 4}, {{3, 2, 16, 15}, 6, 7}, {{10, 0, 21, 22}, 12, 9}, {{0, 5, 12, 18}, 2, 10}};
  for (const auto& c : cases) {
    ClippedSurface s(40, 40);
    const DcState before = StateOf(s.DC());
    p.BarDrawMarkArrow(s.DC(), c.R, 1);
    EXPECT_EQ(StateOf(s.DC()), before);
    PixelSet want;
    for (int32_t dy = 0; dy <= 3; ++dy)
      for (int32_t dx = dy; dx <= 6 - dy; ++dx) want.insert({c.X + dx, c.Y + dy});
    EXPECT_EQ(PaintedPixels(s), want) << Describe(PaintedPixels(s));
    EXPECT_EQ(s.At(c.X + 3, c.Y + 3), ColorToRGB(clCaptionText));
  }
}

PixelSet ChevronPixels(int32_t X, bool vertical, bool narrow, int32_t w) {
  PixelSet set;
  for (int32_t d = 0; d < 2; ++d)
    for (int32_t i = 0; i < 5; ++i) {
      const int32_t bend = 2 - std::abs(i - 2);
      if (vertical)
        set.insert({w - 8 + i, X + d + bend});
      else
        set.insert({X + d + bend, (narrow ? 3 : 4) + i});
    }
  return set;
}

TEST(BarPainterMark, ChevronIsTwoPixelsThick) {
  TdxBarPainter p(nullptr);
  const struct {
    int32_t X;
    bool Vertical, Narrow;
    int32_t ClientWidth;
  } cases[] = {{10, false, false, 0}, {10, false, true, 0}, {4, true, false, 22}, {20, true, false, 30}};
  for (const auto& c : cases) {
    ClippedSurface s(40, 40);
    const DcState before = StateOf(s.DC());
    p.BarDrawMarkChevron(s.DC(), c.X, c.Vertical, c.Narrow, c.ClientWidth);
    EXPECT_EQ(StateOf(s.DC()), before);
    const PixelSet got = PaintedPixels(s);
    EXPECT_EQ(got, ChevronPixels(c.X, c.Vertical, c.Narrow, c.ClientWidth)) << Describe(got);
    for (const auto& [x, y] : got) EXPECT_EQ(s.At(x, y), SysColor(win::COLOR_BTNTEXT));
  }
}

TEST(BarPainterMark, MarkShowsItsTriangleAndTheChevronsOfHiddenItems) {
  TdxBarPainter p(nullptr);
  const struct {
    const char* What;
    TRect Mark;
    bool Vertical, HidesItems;
    int32_t ClientWidth;
  } cases[] = {
      {"horizontal", {20, 0, 31, 22}, false, false, 31},
      {"horizontal, hidden items", {20, 0, 31, 22}, false, true, 31},
      {"narrow, hidden items", {20, 0, 31, 16}, false, true, 31},
      {"vertical, hidden items", {0, 25, 22, 36}, true, true, 22},
  };
  for (const auto& c : cases) {
    ClippedSurface s(40, 40);
    const DcState before = StateOf(s.DC());
    p.BarDrawMark(s.DC(), c.Mark, c.Vertical, c.HidesItems, c.ClientWidth);
    EXPECT_EQ(StateOf(s.DC()), before) << c.What;
    PixelSet want;
    const bool narrow = c.Mark.Height() < 17;
    if (c.Vertical) {
      // (left + 5, top + 3), (left + 5, top + 7), (left + 7, top + 5)
      for (int32_t dx = 0; dx <= 2; ++dx)
        for (int32_t dy = dx; dy <= 4 - dx; ++dy) want.insert({c.Mark.Left + 5 + dx, c.Mark.Top + 3 + dy});
    } else {
      // (x, y), (x + 4, y), (x + 2, y + 2) at x = left + 3, y = bottom - 7, a pixel lower when narrow
      const int32_t y = c.Mark.Bottom - 7 + (narrow ? 1 : 0);
      for (int32_t dy = 0; dy <= 2; ++dy)
        for (int32_t dx = dy; dx <= 4 - dy; ++dx) want.insert({c.Mark.Left + 3 + dx, y + dy});
    }
    if (c.HidesItems) {
      const int32_t lead = c.Vertical ? c.Mark.Top : c.Mark.Left;
      for (int32_t in : {2, 6}) want.merge(ChevronPixels(lead + in, c.Vertical, narrow, c.ClientWidth));
    }
    const PixelSet got = PaintedPixels(s);
    EXPECT_EQ(got, want) << c.What << ": " << Describe(got);
    for (const auto& [x, y] : got) EXPECT_EQ(s.At(x, y), SysColor(win::COLOR_BTNTEXT)) << c.What;
  }
}

TEST(BarPainterMark, CaptionMarkIsTheMarkArrow) {
  TdxBarPainter p(nullptr);
  ClippedSurface a(30, 30), b(30, 30);
  p.BarDrawCaptionMark(nullptr, a.DC(), {3, 3, 17, 17}, 2);
  p.BarDrawMarkArrow(b.DC(), {3, 3, 17, 17}, 2);
  EXPECT_FALSE(PaintedPixels(a).empty());
  EXPECT_TRUE(a.SameAs(b));
}

// ---------------------------------------------------------------- small drawing

TEST(BarPainterDrawing, SmallOperationsPaintTheirRectangleAndLeaveTheDcAsFound) {
  TdxBarPainter p(nullptr);
  const TRect r(5, 6, 25, 20);
  struct Case {
    const char* What;
    std::function<void(win::HDC)> Draw;
    TRect Painted;
  } cases[] = {
      {"ItemDrawDisabledShadow", [&](win::HDC dc) { p.ItemDrawDisabledShadow(dc, r); }, r},
      {"BarFillCaption", [&](win::HDC dc) { p.BarFillCaption(dc, r); }, r},
      {"DrawLoweredFrame", [&](win::HDC dc) { TRect q = r; p.DrawLoweredFrame(dc, q); }, r},
      {"SubMenuDrawSeparator", [&](win::HDC dc) { p.SubMenuDrawSeparator(dc, r); },
       {r.Left, r.Top, r.Right, r.Top + 2}},
      {"DrawCenteredText", [&](win::HDC dc) { p.DrawCenteredText(dc, "Ab", r, {1, 1}, false); }, {6, 7, 26, 21}},
      {"DrawEmbossedArrow disabled", [&](win::HDC dc) { p.DrawEmbossedArrow(dc, r, 1, false); }, {5, 6, 26, 21}},
  };
  for (const Case& c : cases) {
    ClippedSurface s(40, 40);
    s.bmp.Canvas()->Font()->SetName("DejaVu Sans");
    win::HDC dc = s.DC();
    win::SetBkColor(dc, win::RGB(1, 2, 3));
    const DcState before = StateOf(dc);
    c.Draw(dc);
    EXPECT_EQ(StateOf(dc), before) << c.What;
    EXPECT_EQ(win::GetBkColor(dc), win::RGB(1, 2, 3)) << c.What;
    EXPECT_FALSE(PaintedPixels(s).empty()) << c.What;
    EXPECT_EQ(s.FirstOutside(c.Painted), "") << c.What;
  }
  // The two fills are solid in their system colour; the lowered frame shrinks its rectangle by 1.
  ClippedSurface s(40, 40);
  p.ItemDrawDisabledShadow(s.DC(), r);
  EXPECT_EQ(s.Where(SysColor(win::COLOR_BTNSHADOW)).size(), size_t(r.Width() * r.Height()));
  TRect q = r;
  p.DrawLoweredFrame(s.DC(), q);
  EXPECT_EQ(q, TRect(6, 7, 24, 19));
}

// ---------------------------------------------------------------- the painter family

TEST(BarPainterFamily, PaintersHoldNoStateAndOfferNoExtendedInterface) {
  const struct {
    TClass Class, Parent;
  } classes[] = {
      {TdxBarPainter::StaticClass(), TcxIUnknownObject::StaticClass()},
      {TdxBarStandardPainter::StaticClass(), TdxBarPainter::StaticClass()},
      {TdxBarEnhancedPainter::StaticClass(), TdxBarStandardPainter::StaticClass()},
      {TdxBarFlatPainter::StaticClass(), TdxBarPainter::StaticClass()},
      {TdxBarOffice11Painter::StaticClass(), TdxBarFlatPainter::StaticClass()},
      {TdxBarXPPainter::StaticClass(), TdxBarPainter::StaticClass()},
  };
  TObject skin;
  for (const auto& c : classes) {
    EXPECT_EQ(c.Class->Parent, c.Parent) << c.Class->Name;
    ASSERT_NE(c.Class->Create, nullptr) << c.Class->Name;
    std::unique_ptr<TObject> made(c.Class->Create(&skin));
    auto* painter = dynamic_cast<TdxBarPainter*>(made.get());
    ASSERT_NE(painter, nullptr) << c.Class->Name;
    EXPECT_EQ(painter->ClassType(), c.Class);
    EXPECT_FALSE(painter->HasExtendedInterface()) << c.Class->Name;
  }
  // No painter class adds a field to the interface object it derives from.
  EXPECT_EQ(sizeof(TdxBarPainter), sizeof(TcxIUnknownObject));
  EXPECT_EQ(sizeof(TdxBarOffice11Painter), sizeof(TcxIUnknownObject));
  EXPECT_EQ(sizeof(TdxBarEnhancedPainter), sizeof(TcxIUnknownObject));
  EXPECT_EQ(sizeof(TdxBarXPPainter), sizeof(TcxIUnknownObject));
}

// The manager's painter for each style, with and without visual styles.
class PainterChoiceTest : public bartest::BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    Bind(&fake_);
  }
  void TearDown() override {
    Bind(nullptr);
    BarFormTest::TearDown();
  }
  static void Bind(TdxThemeProvider* provider) {
    dxThemeManagerUnitStop();
    dxBindThemeProvider(provider);
    dxThemeManagerUnitStart();
  }
  FakeThemeProvider fake_;
};

TEST_F(PainterChoiceTest, ManagerMakesThePainterOfItsEffectiveStyle) {
  TdxBarManager m(form_.get());
  struct Case {
    bool Themes;
    TdxBarManagerStyle Style;
    TcxLookAndFeelKind Kind;
    bool Native;
    TClass Painter;
  } cases[] = {
      {true, bmsStandard, lfFlat, false, TdxBarStandardPainter::StaticClass()},
      {true, bmsEnhanced, lfFlat, false, TdxBarEnhancedPainter::StaticClass()},
      {true, bmsFlat, lfFlat, false, TdxBarFlatPainter::StaticClass()},
      {true, bmsXP, lfFlat, false, TdxBarXPPainter::StaticClass()},
      {true, bmsOffice11, lfFlat, false, TdxBarOffice11Painter::StaticClass()},
      {true, bmsUseLookAndFeel, lfOffice11, true, TdxBarXPPainter::StaticClass()},
      {true, bmsUseLookAndFeel, lfOffice11, false, TdxBarOffice11Painter::StaticClass()},
      {true, bmsUseLookAndFeel, lfUltraFlat, false, TdxBarFlatPainter::StaticClass()},
      // Without visual styles XP is drawn by the enhanced painter, a native look by its kind's.
      {false, bmsXP, lfFlat, false, TdxBarEnhancedPainter::StaticClass()},
      {false, bmsUseLookAndFeel, lfOffice11, true, TdxBarOffice11Painter::StaticClass()},
      {false, bmsUseLookAndFeel, lfStandard, true, TdxBarStandardPainter::StaticClass()},
      {false, TdxBarManagerStyle(9), lfFlat, false, TdxBarStandardPainter::StaticClass()},
  };
  for (const Case& c : cases) {
    Bind(c.Themes ? &fake_ : nullptr);
    m.LookAndFeel()->SetKind(c.Kind);
    m.LookAndFeel()->SetNativeStyle(c.Native);
    m.SetStyle(c.Style);
    m.StyleChanged();
    ASSERT_NE(m.DefaultPainter(), nullptr);
    EXPECT_EQ(m.DefaultPainter()->ClassType(), c.Painter)
        << "themes " << c.Themes << " style " << int(c.Style) << " kind " << int(c.Kind) << " native " << c.Native;
  }
}

TEST_F(PainterChoiceTest, SwappingThePainterLeavesNoBrushOfTheOldOneInUse) {
  TdxBarManager m(form_.get());
  m.SetStyle(bmsStandard);
  TdxBarPainter* before = m.DefaultPainter();
  const win::HBRUSH toolbar = before->ToolbarBrush();
  m.SetStyle(bmsFlat);
  TdxBarPainter* after = m.DefaultPainter();
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->ClassType(), TdxBarFlatPainter::StaticClass());
  // Brushes the painters hand out are shared: the swap deleted none of them.
  Surface s(4, 4);
  const TRect r(0, 0, 4, 4);
  win::FillRect(s.bmp.Canvas()->Handle(), &r, toolbar);
  EXPECT_EQ(s.At(1, 1), SysColor(win::COLOR_BTNFACE));
}

}  // namespace
