// The label and separator controls in test toolbar and menu windows drawn by
// the base painter: what they show, their sizes, and their pixels compared
// with the system colours and with captions drawn straight by DrawText.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/edge.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/vcl/graphics.h"
#include "tests/ui/bars/static_control_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarLabels.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarStaticControls.h"
#include "ui/lookandfeel/cxGraphics.h"

using namespace bartest;

namespace {

win::COLORREF Sys(int AIndex) { return win::GetSysColor(AIndex); }
// The surface's own colour, none of the system colours drawn here.
constexpr win::COLORREF kBack = win::RGB(255, 0, 255);

class StaticControlTest : public ItemControlFormTest {
protected:
  void SetUp() override {
    ItemControlFormTest::SetUp();
    bar_ = MakeBar<TSeparatorToolbar>(TRect(0, 60, 300, 100));
    menu_ = MakeBar<TSeparatorMenu>(TRect(0, 110, 300, 250));
    surface_.SetSize(160, 60);
    Clear();
    canvas_ = std::make_unique<TcxCanvas>(surface_.Canvas());
  }

  template <class T>
  T* MakeBar(const TRect& ABounds) {
    auto* bar = new T(manager_);
    bar->SetParent(form_.get());
    bar->SetBounds(ABounds.Left, ABounds.Top, ABounds.Width(), ABounds.Height());
    // The window font, which the bar window's canvas takes.
    bar->Font()->SetName("DejaVu Sans");
    bar->Font()->SetSize(12);
    bar->HandleNeeded();
    bar->SetPainter(&painter_);
    return bar;
  }
  void Clear() {
    surface_.Canvas()->Brush()->SetColor(TColor(kBack));
    surface_.Canvas()->FillRect(TRect(0, 0, surface_.Width(), surface_.Height()));
  }
  win::COLORREF At(int32_t X, int32_t Y) { return win::COLORREF(ColorToRGB(surface_.Canvas()->Pixels(X, Y))); }
  // Every pixel outside R still has the surface's colour.
  bool UntouchedOutside(const TRect& R) {
    for (int32_t y = 0; y < surface_.Height(); ++y)
      for (int32_t x = 0; x < surface_.Width(); ++x)
        if (!R.Contains(TPoint(x, y)) && At(x, y) != kBack) return false;
    return true;
  }
  // ACaption drawn by DrawText into AText on button face in the bar font
  // (bold when asked), in the button text colour, clipped to AText.
  std::unique_ptr<TBitmap> ReferenceCaption(const std::string& ACaption, const TRect& AText, bool ABold) {
    auto reference = std::make_unique<TBitmap>();
    reference->SetSize(surface_.Width(), surface_.Height());
    TCanvas* c = reference->Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, reference->Width(), reference->Height()));
    c->Font()->Assign(bar_->Font());
    c->Font()->SetStyle(ABold ? TFontStyles{fsBold} : TFontStyles{});
    win::HDC dc = c->Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    win::SetTextColor(dc, Sys(win::COLOR_BTNTEXT));
    win::RECT r = AText;
    win::DrawText(dc, ACaption, -1, &r, win::DT_SINGLELINE | win::DT_VCENTER | win::DT_LEFT);
    return reference;
  }
  // The pixels of R that differ from the reference.
  int32_t Differences(TBitmap& AReference, const TRect& R) {
    int32_t n = 0;
    for (int32_t y = R.Top; y < R.Bottom; ++y)
      for (int32_t x = R.Left; x < R.Right; ++x)
        n += At(x, y) != win::COLORREF(ColorToRGB(AReference.Canvas()->Pixels(x, y)));
    return n;
  }
  int32_t CountIn(const TRect& R, win::COLORREF AColor) {
    int32_t n = 0;
    for (int32_t y = R.Top; y < R.Bottom; ++y)
      for (int32_t x = R.Left; x < R.Right; ++x) n += At(x, y) == AColor;
    return n;
  }
  // A row of R is one colour from left to right.
  bool RowIs(const TRect& R, int32_t Y, win::COLORREF AColor) { return CountIn(TRect(R.Left, Y, R.Right, Y + 1), AColor) == R.Width(); }
  // The bar's default item height from the font: "Wg" + 6.
  int32_t DefaultItemHeight() { return Extent("Wg").cy + 6; }
  // The extent of AText in the bar font, bold when asked, measured on a DC of its own.
  TSize Extent(const std::string& AText, bool ABold = false) {
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    TFont font;
    font.Assign(bar_->Font());
    font.SetStyle(ABold ? TFontStyles{fsBold} : TFontStyles{});
    win::HGDIOBJ old = win::SelectObject(dc, font.Handle());
    TSize size;
    win::GetTextExtentPoint32W(dc, AText, -1, &size);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    return size;
  }

  TSeparatorRecordingPainter painter_;
  TSeparatorToolbar* bar_ = nullptr;  // owned by the manager
  TSeparatorMenu* menu_ = nullptr;
  TBitmap surface_;
  std::unique_ptr<TcxCanvas> canvas_;
};

// ---------------------------------------------------------------- what they show and allow

TEST_F(StaticControlTest, NeitherClicksAndBothAreSelectableOnlyWhileCustomizing) {
  auto* label = NewControl<TdxBarCustomStaticControl>(bar_, NewItem<TdxBarLabel>());
  auto* separator = NewControl<TdxBarSeparatorControl>(menu_, NewItem<TdxBarSeparator>());
  for (bool customizing : {false, true}) {
    manager_->SetCustomizingFlag(customizing);
    for (TdxBarItemControl* control : {static_cast<TdxBarItemControl*>(label), static_cast<TdxBarItemControl*>(separator)}) {
      EXPECT_FALSE(control->CanClick());
      EXPECT_EQ(control->CanSelect(), customizing) << control->ClassName();
      EXPECT_EQ(control->CanFocus(), customizing) << control->ClassName();
    }
  }
  manager_->SetCustomizingFlag(false);
}

TEST_F(StaticControlTest, ALabelShowsItsCaptionWhenAskedAndItsImageWhenItHasOne) {
  struct Case {
    bool showCaption;
    int32_t imageIndex;
    TdxBarItemViewStructure expected;
  } cases[] = {
      {true, -1, ivsText}, {false, -1, 0}, {true, 0, ivsText | ivsIcon}, {false, 1, ivsIcon},
  };
  manager_->SetImages(images_);
  for (const Case& c : cases) {
    auto* item = NewItem<TdxBarLabel>();
    item->SetShowCaption(c.showCaption);
    item->SetImageIndex(c.imageIndex);
    auto* label = NewControl<TdxBarCustomStaticControl>(bar_, item);
    EXPECT_EQ(label->GetViewStructure(), c.expected) << c.showCaption << " " << c.imageIndex;
  }
}

TEST_F(StaticControlTest, ASeparatorShowsItsCaptionOnlyInAMenu) {
  struct Case {
    bool inMenu, showCaption;
    TdxBarItemViewStructure expected;
  } cases[] = {{true, true, ivsText}, {true, false, 0}, {false, true, 0}, {false, false, 0}};
  manager_->SetImages(images_);
  for (const Case& c : cases) {
    auto* item = NewItem<TdxBarSeparator>();
    item->SetShowCaption(c.showCaption);
    item->SetImageIndex(0);  // never shown
    auto* separator = NewControl<TdxBarSeparatorControl>(c.inMenu ? static_cast<TCustomdxBarControl*>(menu_) : bar_, item);
    EXPECT_EQ(separator->GetViewStructure(), c.expected) << c.inMenu << " " << c.showCaption;
  }
}

TEST_F(StaticControlTest, LinksOfLabelsAndSeparatorsMakeTheirControlsThroughTheUnitsMaker) {
  links_->BarControl = menu_;
  struct Case {
    TdxBarItem* item;
    TClass control;
  } cases[] = {{NewItem<TdxBarLabel>(), TdxBarCustomStaticControl::StaticClass()},
               {NewItem<TdxBarSeparator>(), TdxBarSeparatorControl::StaticClass()},
               {NewItem<TdxBarLabel>(), TdxBarCustomStaticControl::StaticClass()}};
  for (const Case& c : cases) {
    TdxBarItemLink* link = links_->Add();
    link->SetItem(c.item);
    link->CreateControl();
    ASSERT_NE(link->Control(), nullptr) << c.control->Name;
    EXPECT_EQ(link->Control()->ClassType(), c.control);
    EXPECT_EQ(link->Control()->Parent(), menu_);
    EXPECT_EQ(link->Control()->ItemLink(), link);
  }
  links_->BarControl = nullptr;
}

// ---------------------------------------------------------------- sizes

TEST_F(StaticControlTest, ACaptionedMenuSeparatorIsTwoLinesHigherThanTheEntryUnlessItComesFirst) {
  auto* first = NewControl<TdxBarSeparatorControl>(menu_, NewItem<TdxBarSeparator>());
  NewControl<TdxBarCustomStaticControl>(menu_, NewItem<TdxBarLabel>());
  auto* later = NewControl<TdxBarSeparatorControl>(menu_, NewItem<TdxBarSeparator>());
  NewControl<TdxBarCustomStaticControl>(menu_, NewItem<TdxBarLabel>());
  ASSERT_EQ(first->ItemLink()->GetVisibleIndex(), 0);
  ASSERT_EQ(later->ItemLink()->GetVisibleIndex(), 2);
  const int32_t entry = menu_->GetItemHeight(nullptr), line = painter_.SeparatorSize();
  ASSERT_EQ(line, 2);
  EXPECT_EQ(first->GetHeight(), 1 * line + entry);
  EXPECT_EQ(later->GetHeight(), 2 * line + entry);
  EXPECT_EQ(later->GetHeight() - first->GetHeight(), 2);

  // Without caption: the menu's separator thickness.
  later->GetItem()->SetShowCaption(false);
  EXPECT_EQ(later->GetHeight(), painter_.SubMenuSeparatorHeight());
  EXPECT_EQ(later->GetHeight(), 10);
}

TEST_F(StaticControlTest, ASeparatorInAToolbarIsTheBarSeparatorAlongAndTheTextHeightAcross) {
  auto* separator = NewControl<TdxBarSeparatorControl>(bar_, NewItem<TdxBarSeparator>());
  EXPECT_EQ(separator->GetLength(), 6);  // the base painter's bar separator
  EXPECT_EQ(separator->GetThickness(), DefaultItemHeight());
  EXPECT_EQ(separator->GetWidth(), 6);
  EXPECT_EQ(separator->GetHeight(), DefaultItemHeight());
  EXPECT_EQ(separator->GetMinWidth(), painter_.SeparatorBarMetric(bar_) + bar_->GetRowHeight());
  EXPECT_EQ(separator->GetTextMargins(), TRect(6, 0, 0, 0));
  EXPECT_EQ(separator->GetGlyphPartWidth(), 0);
  // Large menu items are never separators.
  links_->ItemOptions()->SetAssignedValues(ItemOptionBit(ioSize));
  links_->ItemOptions()->SetSize(misLarge);
  auto* plain = NewControl<TdxBarItemControl>(bar_, NewItem<TdxBarItem>());
  ASSERT_EQ(plain->GetMenuItemSize(), misLarge);
  EXPECT_EQ(separator->GetMenuItemSize(), misNormal);
}

TEST_F(StaticControlTest, MeasuringTheSeparatorCaptionGivesTheBarFontBackUnstyled) {
  auto* separator = NewControl<TdxBarSeparatorControl>(menu_, NewItem<TdxBarSeparator>());
  auto* label = NewControl<TdxBarCustomStaticControl>(menu_, NewItem<TdxBarLabel>());
  separator->GetItem()->SetCaption("Group heading");
  label->GetItem()->SetCaption("Group heading");
  EXPECT_EQ(separator->GetCaptionWidth(), Extent("Group heading", true).cx);
  EXPECT_EQ(label->GetCaptionWidth(), Extent("Group heading").cx);
  EXPECT_TRUE(menu_->Canvas()->Font()->Style().Empty());
}

TEST_F(StaticControlTest, ACaptionedMenuSeparatorIsAsWideAsItsBoldCaption) {
  auto* separator = NewControl<TdxBarSeparatorControl>(menu_, NewItem<TdxBarSeparator>());
  separator->GetItem()->SetCaption("Group heading");
  ASSERT_NE(Extent("Group heading", true).cx, Extent("Group heading").cx);
  // No glyph part; the bold caption, the separator's text margins (6, 0)
  // and the painter's separator metric, the menu's font row height.
  const int32_t width = Extent("Group heading", true).cx + 6 + menu_->GetRowHeight();
  EXPECT_EQ(painter_.SeparatorBarMetric(menu_), menu_->GetRowHeight());
  EXPECT_EQ(separator->GetWidth(), width);
  EXPECT_EQ(separator->GetWidthInBar(), width);
  EXPECT_EQ(separator->ViewInfo()->GetWidth(ivlSmallIconWithText), width);
  EXPECT_TRUE(menu_->Canvas()->Font()->Style().Empty());
}

// ---------------------------------------------------------------- pixels

TEST_F(StaticControlTest, ALabelDrawsItsCaptionAQuarterEntryInOnTheBarBackground) {
  struct Case {
    std::string caption;
    TRect rect;
  } cases[] = {
      {"Label", TRect(10, 5, 150, 30)},
      // Far longer than its rectangle: cut at the far edge.
      {"A caption much longer than the room it is given", TRect(20, 20, 90, 45)},
  };
  for (const Case& c : cases) {
    Clear();
    auto* item = NewItem<TdxBarLabel>();
    item->SetCaption(c.caption);
    auto* label = NewControl<TdxBarCustomStaticControl>(bar_, item);
    label->Paint(canvas_.get(), c.rect, ptHorz);
    TRect text = c.rect;
    text.Left += DefaultItemHeight() / 4;
    auto reference = ReferenceCaption(c.caption, text, false);
    EXPECT_EQ(Differences(*reference, c.rect), 0) << c.caption;
    EXPECT_GT(CountIn(c.rect, Sys(win::COLOR_BTNTEXT)), 0) << c.caption;
    EXPECT_TRUE(UntouchedOutside(c.rect)) << c.caption;
  }
}

TEST_F(StaticControlTest, DrawingLeavesTheDeviceContextAsItWasAndAnEmptyRectangleDrawsNothing) {
  auto* item = NewItem<TdxBarSeparator>();
  item->SetCaption("Heading");
  auto* separator = NewControl<TdxBarSeparatorControl>(menu_, item);
  auto* label = NewControl<TdxBarCustomStaticControl>(bar_, NewItem<TdxBarLabel>());
  win::HDC dc = surface_.Canvas()->Handle();
  win::RECT clipBefore{}, clipAfter{};
  win::GetClipBox(dc, &clipBefore);
  const int bkModeBefore = win::GetBkMode(dc);
  const win::COLORREF textBefore = win::GetTextColor(dc);
  const TColor brushBefore = surface_.Canvas()->Brush()->Color();
  for (TdxBarItemControl* control : {static_cast<TdxBarItemControl*>(separator), static_cast<TdxBarItemControl*>(label)}) {
    control->Paint(canvas_.get(), TRect(10, 10, 100, 40), control == separator ? ptMenu : ptHorz);
    win::GetClipBox(dc, &clipAfter);
    EXPECT_EQ(TRect(clipAfter), TRect(clipBefore)) << control->ClassName();
    EXPECT_EQ(win::GetBkMode(dc), bkModeBefore) << control->ClassName();
    EXPECT_EQ(win::GetTextColor(dc), textBefore) << control->ClassName();
    EXPECT_EQ(surface_.Canvas()->Brush()->Color(), brushBefore) << control->ClassName();
  }
  Clear();
  for (const TRect& empty : {TRect(10, 10, 10, 40), TRect(10, 10, 100, 10), TRect(50, 40, 20, 10)}) {
    separator->Paint(canvas_.get(), empty, ptMenu);
    label->Paint(canvas_.get(), empty, ptHorz);
    painter_.StaticDraw(static_cast<TdxBarStaticLikeControlDrawParams*>(label->DrawParams()), empty);
  }
  EXPECT_TRUE(UntouchedOutside(TRect()));
}

TEST_F(StaticControlTest, ACaptionedSeparatorDrawsEtchedLinesAroundItsBoldCaption) {
  for (bool isFirst : {true, false}) {
    Clear();
    links_->Clear();
    if (!isFirst) NewControl<TdxBarCustomStaticControl>(menu_, NewItem<TdxBarLabel>());
    auto* item = NewItem<TdxBarSeparator>();
    item->SetCaption("Heading");
    auto* separator = NewControl<TdxBarSeparatorControl>(menu_, item);
    NewControl<TdxBarCustomStaticControl>(menu_, NewItem<TdxBarLabel>());
    const int32_t height = separator->GetHeight();
    const TRect r(10, 5, 150, 5 + height);
    separator->Paint(canvas_.get(), r, ptMenu);
    // An etched line: the shadow row, then the highlight row.
    EXPECT_TRUE(RowIs(r, r.Bottom - 2, Sys(win::COLOR_BTNSHADOW))) << isFirst;
    EXPECT_TRUE(RowIs(r, r.Bottom - 1, Sys(win::COLOR_BTNHIGHLIGHT))) << isFirst;
    if (isFirst) {
      EXPECT_TRUE(RowIs(r, r.Top, Sys(win::COLOR_BTNFACE)));
    } else {
      EXPECT_TRUE(RowIs(r, r.Top, Sys(win::COLOR_BTNSHADOW)));
      EXPECT_TRUE(RowIs(r, r.Top + 1, Sys(win::COLOR_BTNHIGHLIGHT)));
    }
    TRect caption(r.Left, r.Top + (isFirst ? 0 : 2), r.Right, r.Bottom - 2);
    TRect text = caption;
    text.Left += DefaultItemHeight() / 4;
    auto reference = ReferenceCaption("Heading", text, true);
    EXPECT_EQ(Differences(*reference, caption), 0) << isFirst;
    EXPECT_GT(CountIn(caption, Sys(win::COLOR_BTNTEXT)), 0);
    EXPECT_TRUE(UntouchedOutside(r));
  }
}

TEST_F(StaticControlTest, PlainSeparatorsAreTheBarSeparatorInToolbarsAndTheMenuSeparatorInMenus) {
  auto* item = NewItem<TdxBarSeparator>();
  item->SetShowCaption(false);
  auto* inMenu = NewControl<TdxBarSeparatorControl>(menu_, item);
  auto* inBar = NewControl<TdxBarSeparatorControl>(bar_, NewItem<TdxBarSeparator>());
  inMenu->Paint(canvas_.get(), TRect(0, 0, 120, 10), ptMenu);
  inBar->Paint(canvas_.get(), TRect(30, 2, 36, 28), ptHorz);
  ASSERT_EQ(painter_.MenuCalls.size(), 1u);
  EXPECT_EQ(painter_.MenuCalls[0], TRect(0, 0, 120, 10));
  ASSERT_EQ(painter_.BarCalls.size(), 1u);
  EXPECT_EQ(painter_.BarCalls[0].Rect, TRect(30, 2, 36, 28));
  EXPECT_EQ(painter_.BarCalls[0].Brush, bar_->GetBackgroundBrush());
  EXPECT_TRUE(painter_.BarCalls[0].Horizontal);
}

TEST_F(StaticControlTest, StaticBordersFollowTheirStyleAndShrinkTheRectangle) {
  auto* label = NewControl<TdxBarCustomStaticControl>(bar_, NewItem<TdxBarLabel>());
  auto* params = static_cast<TdxBarStaticLikeControlDrawParams*>(label->DrawParams());
  params->Canvas = canvas_.get();
  using win::COLOR_3DDKSHADOW, win::COLOR_3DLIGHT, win::COLOR_BTNHIGHLIGHT, win::COLOR_BTNSHADOW;
  // Per ring from the outside in: the top-left colour and the bottom-right colour.
  struct Ring {
    int topLeft, bottomRight;
  };
  struct Case {
    TdxBarStaticBorderStyle style;
    std::vector<Ring> rings;
  } cases[] = {
      {sbsNone, {}},
      {sbsLowered, {{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}}},
      {sbsRaised, {{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}}},
      // A raised inner edge, then a sunken outer edge inside it.
      {sbsEtched, {{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}, {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}}},
      // DrawEdge's bump: a raised outer and a sunken inner ring.
      {sbsBump, {{COLOR_3DLIGHT, COLOR_3DDKSHADOW}, {COLOR_3DDKSHADOW, COLOR_3DLIGHT}}},
  };
  const TRect outer(10, 10, 60, 40);
  for (const Case& c : cases) {
    Clear();
    params->BorderStyle = c.style;
    TRect r = outer;
    painter_.StaticDrawBorder(params, r);
    const int32_t n = int32_t(c.rings.size());
    EXPECT_EQ(r, TRect(outer.Left + n, outer.Top + n, outer.Right - n, outer.Bottom - n)) << int(c.style);
    EXPECT_EQ(n, painter_.StaticBorderMargins(c.style));
    for (int32_t i = 0; i < n; ++i) {
      const int32_t mid = (outer.Left + outer.Right) / 2;
      EXPECT_EQ(At(mid, outer.Top + i), Sys(c.rings[size_t(i)].topLeft)) << int(c.style) << " ring " << i;
      EXPECT_EQ(At(outer.Left + i, 25), Sys(c.rings[size_t(i)].topLeft)) << int(c.style) << " ring " << i;
      EXPECT_EQ(At(mid, outer.Bottom - 1 - i), Sys(c.rings[size_t(i)].bottomRight)) << int(c.style) << " ring " << i;
      EXPECT_EQ(At(outer.Right - 1 - i, 25), Sys(c.rings[size_t(i)].bottomRight)) << int(c.style) << " ring " << i;
    }
    EXPECT_EQ(CountIn(r, kBack), r.Width() * r.Height()) << "the inside stays untouched";
    EXPECT_TRUE(UntouchedOutside(outer));
  }
}

// The border's margins, 0, 1, 1, 2, 2 by style, on both edges along the
// paint direction; across it the control's own measure stays.
TEST_F(StaticControlTest, AStaticMeasureAddsTheBorderMarginsOnBothEdgesAlongThePaintDirection) {
  auto* label = NewControl<TdxBarCustomStaticControl>(bar_, NewItem<TdxBarLabel>());
  label->GetItem()->SetCaption("Status");
  auto* params = static_cast<TdxBarStaticLikeControlDrawParams*>(label->DrawParams());
  params->Canvas = canvas_.get();
  const int32_t margins[] = {0, 1, 1, 2, 2};
  const TdxBarStaticBorderStyle styles[] = {sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump};
  const TSize own(label->GetWidth(), label->GetHeight());
  ASSERT_GT(own.cx, 0);
  for (TdxBarPaintType place : {ptHorz, ptVert, ptMenu}) {
    for (size_t i = 0; i < 5; ++i) {
      SCOPED_TRACE(testing::Message() << "place " << int(place) << " style " << int(styles[i]));
      params->PaintType = place;
      params->BorderStyle = styles[i];
      const int32_t grow = 2 * margins[i];
      EXPECT_EQ(painter_.StaticMeasure(params),
                place == ptVert ? TSize(own.cx, own.cy + grow) : TSize(own.cx + grow, own.cy));
    }
  }
  EXPECT_TRUE(UntouchedOutside(TRect())) << "measuring draws nothing";
  EXPECT_EQ(painter_.StaticMeasure(nullptr), TSize());
}

// ---------------------------------------------------------------- item backgrounds and the dots glyph

TEST_F(StaticControlTest, TheBackgroundRingIsFramedByTheBrushOrTakenFromTheParent) {
  auto* label = NewControl<TdxBarCustomStaticControl>(bar_, NewItem<TdxBarLabel>());
  TdxBarItemControlDrawParams* params = label->DrawParams();
  params->Canvas = canvas_.get();
  const TRect r(10, 10, 40, 30);
  struct Case {
    win::HBRUSH brush;
    win::COLORREF ring;
  } cases[] = {{win::GetSysColorBrush(win::COLOR_HIGHLIGHT), Sys(win::COLOR_HIGHLIGHT)},
               {nullptr, Sys(win::COLOR_BTNFACE)}};
  for (const Case& c : cases) {
    Clear();
    painter_.ItemDrawBackgroundBrush(params, r, c.brush);
    const int32_t ringPixels = 2 * r.Width() + 2 * (r.Height() - 2);
    EXPECT_EQ(CountIn(r, c.ring), ringPixels);
    TRect inside = r;
    inside.Inflate(-1, -1);
    EXPECT_EQ(CountIn(inside, kBack), inside.Width() * inside.Height());
    EXPECT_TRUE(UntouchedOutside(r));
  }
}

TEST_F(StaticControlTest, TheDotsAreThreeSquaresOfASeventhOfThePartTwoApartAndCentred) {
  auto* label = NewControl<TdxBarCustomStaticControl>(bar_, NewItem<TdxBarLabel>());
  TdxBarItemControlDrawParams* params = label->DrawParams();
  params->Canvas = canvas_.get();
  struct Case {
    TRect part;
    bool enabled, pressed;
    int color;
  } cases[] = {
      {TRect(0, 0, 21, 20), true, false, win::COLOR_BTNTEXT},
      {TRect(30, 5, 60, 35), true, true, win::COLOR_BTNTEXT},  // w = 4, moved by (1, 1)
      {TRect(70, 0, 84, 12), false, false, win::COLOR_BTNSHADOW},
  };
  for (const Case& c : cases) {
    Clear();
    params->Enabled = c.enabled;
    params->IsPressed = c.pressed;
    painter_.DropDownDrawDots(params, c.part);
    const int32_t w = c.part.Width() / 7, shift = c.pressed ? 1 : 0;
    const int32_t left = c.part.Left + (c.part.Width() - 5 * w) / 2 + shift, top = c.part.Bottom - 2 * w + shift;
    int32_t inDots = 0;
    for (int32_t i = 0; i < 3; ++i) inDots += CountIn(TRect(left + 2 * w * i, top, left + 2 * w * i + w, top + w), Sys(c.color));
    EXPECT_EQ(inDots, 3 * w * w) << c.part.Left;
    EXPECT_EQ(CountIn(TRect(0, 0, surface_.Width(), surface_.Height()), Sys(c.color)), 3 * w * w) << c.part.Left;
  }
  params->Enabled = true;
  params->IsPressed = false;
}

TEST_F(StaticControlTest, FramesShowForDownItems) {
  auto* label = NewControl<TdxBarCustomStaticControl>(bar_, NewItem<TdxBarLabel>());
  TdxBarButtonLikeControlDrawParams params(label);
  struct Case {
    bool down, selected, droppedDown, expected;
  } cases[] = {
      {true, false, false, true}, {false, true, false, false}, {false, false, true, false}, {false, false, false, false},
  };
  for (const Case& c : cases) {
    params.Down = c.down;
    params.DrawSelected = c.selected;
    params.DroppedDown = c.droppedDown;
    EXPECT_EQ(painter_.ItemShowsFrame(&params), c.expected) << c.down << c.selected << c.droppedDown;
  }
}

}  // namespace
