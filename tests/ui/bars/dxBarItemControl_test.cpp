// The item control base driven headless inside a test bar window: view
// levels, sizes from the test font's metrics, the hot part, hints, the click
// path and the glyph cache.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/imglist.h"
#include "tests/ui/bars/item_control_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarViewInfo.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxCore.h"

using namespace bartest;

namespace {

class ItemControlTest : public ItemControlFormTest {};

// ---------------------------------------------------------------- view levels

TEST_F(ItemControlTest, AClassWithoutPossibleLevelsNamesItselfInTheError) {
  TdxBarItem* item = NewItem<TdxBarItem>();
  auto* control = NewControl<TNoLevelsControl>(toolbar_, item);
  try {
    control->GetAllowedViewLevels();
    FAIL() << "no error";
  } catch (const EdxException& e) {
    EXPECT_EQ(std::string(e.Message()), "TNoLevelsControl.GetPossibleViewLevels = []");
  }
}

TEST_F(ItemControlTest, AWidthAtALevelThatIsNotAllowedIsRefused) {
  // Without an image only the small level with text is possible.
  auto* control = NewControl<TdxBarItemControl>(toolbar_, NewItem<TdxBarItem>());
  EXPECT_EQ(control->GetAllowedViewLevels(), ViewLevelBit(ivlSmallIconWithText));
  for (TdxBarItemViewLevel level : {ivlLargeIconWithText, ivlSmallIcon, ivlControlOnly}) {
    try {
      control->ViewInfo()->GetWidth(level);
      ADD_FAILURE() << "level " << int(level) << " was measured";
    } catch (const EdxException& e) {
      EXPECT_EQ(std::string(e.Message()), "Testing! The level is not allowed");
    }
  }
  EXPECT_GT(control->ViewInfo()->GetWidth(ivlSmallIconWithText), 0);
  // The measuring leaves the control at its own level.
  EXPECT_EQ(control->ViewInfo()->ViewLevel(), ivlDefault);
}

TEST_F(ItemControlTest, AnImageAddsTheIconOnlyLevelAndTheIconToTheStructure) {
  TdxBarItem* item = NewItem<TdxBarItem>();
  item->SetImageIndex(1);
  auto* control = NewControl<TdxBarItemControl>(toolbar_, item);
  EXPECT_EQ(control->GetPossibleViewLevels(), ViewLevelBit(ivlSmallIconWithText));  // no image list yet
  manager_->SetImages(images_);
  EXPECT_EQ(control->GetPossibleViewLevels(), ViewLevelBit(ivlSmallIconWithText) | ViewLevelBit(ivlSmallIcon));

  struct Case {
    TdxBarItemViewLevel level;
    TdxBarItemViewSize size;
    TdxBarItemViewStructure structure;
  } cases[] = {
      {ivlLargeIconWithText, ivsLarge, ivsText | ivsIcon},  // drawn from the small list
      {ivlSmallIconWithText, ivsSmall, ivsText | ivsIcon},
      {ivlSmallIcon, ivsSmall, ivsIcon},
      {ivlControlOnly, ivsSmall, 0},
      {ivlDefault, ivsSmall, 0},
  };
  for (const Case& c : cases) {
    control->ViewInfo()->SetViewLevel(c.level);
    EXPECT_EQ(control->GetViewSize(), c.size) << int(c.level);
    EXPECT_EQ(control->GetViewStructure(), c.structure) << int(c.level);
  }
}

// ---------------------------------------------------------------- sizes

TEST_F(ItemControlTest, TheGlyphAreaIsTheGlyphWithTheButtonBorders) {
  auto* item = NewItem<TdxBarItem>();
  item->SetImageIndex(0);
  manager_->SetImages(images_);
  auto* control = NewControl<TdxBarItemControl>(toolbar_, item);
  control->CalcDrawParams(true);
  EXPECT_EQ(control->DrawParams()->GlyphAreaSize, (TSize{23, 22}));
  // The text height enters the small height separately.
  control->ViewInfo()->SetViewLevel(ivlSmallIconWithText);
  control->CalcDrawParams(true);
  EXPECT_EQ(control->GetSmallHeight(), std::max(22, TextHeight("Wg") + 6));
}

TEST_F(ItemControlTest, LargeSizesFollowTheGlyphLayout) {
  auto* item = NewItem<TdxBarLargeButton>();
  item->SetCaption("Caption wide");
  auto* control = NewControl<TStructureControl>(toolbar_, item);
  control->ViewInfo()->SetViewLevel(ivlLargeIconWithText);
  // No image at all: a 20 x 20 glyph.
  EXPECT_EQ(control->GetGlyphSize(ivsLarge), (TSize{20, 20}));
  const int32_t a = 20, w = TextWidth("Caption wide"), h = TextHeight("Qq");

  struct Case {
    TdxBarGlyphLayout layout;
    bool text;
    int32_t width, height;
  } cases[] = {
      {glTop, false, a + 10, a + 6},
      {glLeft, false, a + 10, a + 6},
      {glTop, true, std::max(a, w + 6) + 10, a + h + 7},
      {glBottom, true, std::max(a, w + 6) + 10, a + h + 7},
      {glLeft, true, a + w + 16, std::max(a, h) + 6},
      {glRight, true, a + w + 16, std::max(a, h) + 6},
  };
  for (const Case& c : cases) {
    item->SetGlyphLayout(c.layout);
    control->Structure = c.text ? ivsText : 0;
    control->CalcDrawParams(true);
    EXPECT_EQ(control->GetLargeWidth(), c.width) << int(c.layout) << " " << c.text;
    EXPECT_EQ(control->GetLargeHeight(), c.height) << int(c.layout) << " " << c.text;
  }
}

TEST_F(ItemControlTest, ASmallButtonMeasuresGlyphAreaAndCaptionWithTheCaptionMargin) {
  auto* item = NewItem<TdxBarItem>();
  item->SetCaption("Open");
  item->SetImageIndex(0);
  manager_->SetImages(images_);
  auto* control = NewControl<TdxBarItemControl>(toolbar_, item);
  control->ViewInfo()->SetViewLevel(ivlSmallIconWithText);
  // Glyph area 23 wide, then the caption after the left caption margin (4).
  EXPECT_EQ(control->GetWidth(), 23 + TextWidth("Open") + 4);
  control->ViewInfo()->SetViewLevel(ivlSmallIcon);
  EXPECT_EQ(control->GetWidth(), 23);
  EXPECT_EQ(control->GetHeight(), 22);
}

// ---------------------------------------------------------------- hot part

TEST_F(ItemControlTest, TheHotPartFollowsTheParts) {
  auto* control = NewControl<TTwoPartControl>(toolbar_, NewItem<TdxBarItem>());
  control->SetItemRect(TRect(10, 0, 50, 22));
  control->CalcParts();
  struct Case {
    TPoint at;
    int32_t part;
  } cases[] = {
      {{5, 5}, dxBarNoHotPart},         // outside
      {{12, 5}, dxBarMainHotPart},      // the main part
      {{45, 5}, dxBarArrowHotPart},     // the arrow part
      {{39, 5}, dxBarNonePartInside},   // the gap between them
      {{50, 5}, dxBarNoHotPart},        // the right edge is outside
  };
  for (const Case& c : cases) {
    control->MouseMove(TShiftState(), c.at.X, c.at.Y);
    EXPECT_EQ(control->HotPartIndex(), c.part) << c.at.X;
  }
  control->MouseLeave();
  EXPECT_EQ(control->HotPartIndex(), dxBarNoHotPart);
  // A disabled control is never hot.
  control->GetItem()->SetEnabled(false);
  control->MouseMove(TShiftState(), 12, 5);
  EXPECT_EQ(control->HotPartIndex(), dxBarNoHotPart);
}

// ---------------------------------------------------------------- hint

TEST_F(ItemControlTest, TheHintIsTheShortHintAndTheShortCut) {
  auto* item = NewItem<TdxBarItem>();
  item->SetHint("Open|Opens a file");
  item->SetShortCut(Ctrl('O'));
  auto* control = NewControl<TdxBarItemControl>(toolbar_, item);
  toolbar_->UnderMouse = control;

  bool cancel = true;
  std::string hint, shortcut;
  ASSERT_TRUE(control->GetHintTexts(cancel, hint, shortcut));
  EXPECT_FALSE(cancel);
  EXPECT_EQ(hint + shortcut, "Open (Ctrl+O)");

  // Not over the control, or while the bar is active: nothing.
  toolbar_->UnderMouse = nullptr;
  EXPECT_FALSE(control->GetHintTexts(cancel, hint, shortcut));
  EXPECT_EQ(hint + shortcut, "");
  toolbar_->UnderMouse = control;
  toolbar_->Active = true;
  EXPECT_FALSE(control->GetHintTexts(cancel, hint, shortcut));
  EXPECT_FALSE(cancel);
  toolbar_->Active = false;

  // An action's hint handler may refuse it.
  auto* action = new TAction(form_.get());
  item->SetAction(action);
  action->SetHint("Open|Opens a file");
  action->OnHint = [](std::string&, bool& CanShow) { CanShow = false; };
  EXPECT_FALSE(control->GetHintTexts(cancel, hint, shortcut));
  EXPECT_TRUE(cancel);
  action->OnHint = [](std::string& HintStr, bool&) { HintStr = "Open now"; };
  ASSERT_TRUE(control->GetHintTexts(cancel, hint, shortcut));
  EXPECT_EQ(hint, "Open now");
}

// ---------------------------------------------------------------- click

TEST_F(ItemControlTest, AClickReachesTheItemWithTheClickLinkSetAroundIt) {
  auto* item = NewItem<TdxBarButton>();
  TdxBarItemLink* seen = nullptr;
  bool pressedDuringClick = false;
  TdxBarItemControl* control = nullptr;
  item->OnClick = [&](TObject*) {
    seen = item->ClickItemLink;
    pressedDuringClick = control->Pressed();
  };
  item->SetUnclickAfterDoing(true);
  control = NewControl<TdxBarItemControl>(toolbar_, item);
  control->ControlClick(true);
  EXPECT_EQ(seen, control->ItemLink());
  EXPECT_EQ(item->ClickItemLink, nullptr);
  // A toolbar that does not keep the pressed look shows it only for a click that leaves it open.
  EXPECT_FALSE(pressedDuringClick);
  EXPECT_FALSE(control->Pressed());
}

TEST_F(ItemControlTest, AnItemFreedByItsOwnClickIsNotTouchedAgain) {
  auto* item = NewItem<TdxBarButton>();
  auto* control = NewControl<TdxBarItemControl>(toolbar_, item);
  item->OnClick = [&](TObject*) { delete item; };
  control->ControlClick(true);  // the control went with the item's link
  SUCCEED();
}

// ---------------------------------------------------------------- glyph cache

TEST_F(ItemControlTest, TheGlyphCacheIsClearedByTheItemAndByAViewSizeChange) {
  auto* item = NewItem<TdxBarItem>();
  item->SetImageIndex(0);
  manager_->SetImages(images_);
  auto* control = NewControl<TdxBarItemControl>(toolbar_, item);
  control->ViewInfo()->SetViewLevel(ivlSmallIconWithText);
  control->CalcDrawParams(true);
  TdxCachedImageOptions* cache = control->CachedImageOptions();
  auto fill = [&] { cache->CacheImage(TRect(0, 0, 16, 16), nullptr, false, false, clNone, idmNormal, 0, images_); };

  fill();
  ASSERT_TRUE(cache->HasCachedImage(idmNormal, nullptr, images_));
  const int32_t width = control->ViewInfo()->GetWidth(ivlSmallIconWithText);
  item->SetEnabled(false);  // the item clears the glyph, not the widths
  EXPECT_FALSE(cache->HasCachedImage(idmNormal, nullptr, images_));
  item->SetEnabled(true);
  item->SetCaption("A much longer caption than before");
  item->SetImageIndex(1);  // glyph and widths
  EXPECT_GT(control->ViewInfo()->GetWidth(ivlSmallIconWithText), width);

  fill();
  control->ViewInfo()->SetViewLevel(ivlLargeIconWithText);
  control->CalcDrawParams(false);  // the view size changes to large
  EXPECT_FALSE(cache->HasCachedImage(idmNormal, nullptr, images_));
}

TEST_F(ItemControlTest, LinkViewLevelsNarrowThePossibleOnesButNeverToNothing) {
  TdxBarItem* item = NewItem<TdxBarItem>();
  item->SetImageIndex(0);
  manager_->SetImages(images_);
  auto* control = NewControl<TdxBarItemControl>(toolbar_, item);
  const TdxBarItemViewLevels possible = ViewLevelBit(ivlSmallIconWithText) | ViewLevelBit(ivlSmallIcon);
  struct Case {
    TdxBarItemViewLevels link, allowed;
  } cases[] = {
      {AllViewLevels, possible},
      {ViewLevelBit(ivlSmallIcon), ViewLevelBit(ivlSmallIcon)},
      {ViewLevelBit(ivlLargeIconWithText) | ViewLevelBit(ivlControlOnly), possible},  // none possible
  };
  for (const Case& c : cases) {
    control->ItemLink()->SetViewLevels(c.link);
    EXPECT_EQ(control->GetAllowedViewLevels(), c.allowed) << int(c.link);
  }
}

// ---------------------------------------------------------------- drawing

// A painter that records where the check mark goes.
class TCheckRecordingPainter : public TdxBarPainter {
public:
  TCheckRecordingPainter() : TdxBarPainter(nullptr) {}
  void ItemDrawCheckAt(TdxBarItemControlDrawParams*, const TRect& R, int32_t ASize) override {
    CheckRect = R;
    CheckSize = ASize;
  }
  TRect CheckRect;
  int32_t CheckSize = 0;
};

class ItemDrawingTest : public ItemControlTest {
protected:
  void SetUp() override {
    ItemControlTest::SetUp();
    surface_.SetSize(120, 40);
    surface_.Canvas()->Brush()->SetColor(clBlack);
    surface_.Canvas()->FillRect(TRect(0, 0, 120, 40));
    canvas_ = std::make_unique<TcxCanvas>(surface_.Canvas());
  }
  TColor Pixel(int32_t X, int32_t Y) { return surface_.Canvas()->Pixels(X, Y); }
  // Pixels of AColor inside R, and whether any lies outside it.
  int32_t CountIn(const TRect& R, TColor AColor) {
    int32_t n = 0;
    for (int32_t y = R.Top; y < R.Bottom; ++y)
      for (int32_t x = R.Left; x < R.Right; ++x) n += Pixel(x, y) == AColor;
    return n;
  }
  TBitmap surface_;
  std::unique_ptr<TcxCanvas> canvas_;
};

TEST_F(ItemDrawingTest, TheGlyphIsCentredInItsAreaAndNeverLeavesIt) {
  TdxBarItem* item = NewItem<TdxBarItem>();
  item->SetImageIndex(0);  // plain red
  manager_->SetImages(images_);
  manager_->ImageOptions()->CacheGlyphs = false;
  auto* control = NewControl<TdxBarItemControl>(toolbar_, item);
  control->ViewInfo()->SetViewLevel(ivlSmallIcon);
  TdxBarItemControlDrawParams* params = control->DrawParams();
  control->CalcDrawParams(true);
  params->Canvas = canvas_.get();
  TdxBarPainter painter(nullptr);

  struct Case {
    TRect area;
  } cases[] = {{TRect(10, 5, 33, 27)}, {TRect(40, 10, 50, 20)}};  // 23 x 22, and smaller than the glyph
  for (const Case& c : cases) {
    painter.ItemDrawGlyph(params, c.area);
    // Halves rounded down: the glyph's left and top from the formula.
    const int32_t left = c.area.Left + (c.area.Width() - 16 >= 0 ? (c.area.Width() - 16) / 2 : -((16 - c.area.Width() + 1) / 2));
    const int32_t top = c.area.Top + (c.area.Height() - 16 >= 0 ? (c.area.Height() - 16) / 2 : -((16 - c.area.Height() + 1) / 2));
    EXPECT_EQ(control->ImageBounds, TRect(left, top, left + 16, top + 16));
    const TRect visible(std::max(left, c.area.Left), std::max(top, c.area.Top), std::min(left + 16, c.area.Right),
                        std::min(top + 16, c.area.Bottom));
    EXPECT_EQ(CountIn(visible, clRed), visible.Width() * visible.Height());
  }
  // Nothing red outside the two areas.
  EXPECT_EQ(CountIn(TRect(0, 0, 120, 40), clRed),
            CountIn(TRect(10, 5, 33, 27), clRed) + CountIn(TRect(40, 10, 50, 20), clRed));

  // An index outside the list draws nothing and raises nothing.
  item->SetImageIndex(7);
  surface_.Canvas()->FillRect(TRect(0, 0, 120, 40));
  EXPECT_NO_THROW(painter.ItemDrawGlyph(params, TRect(10, 5, 33, 27)));
  EXPECT_EQ(CountIn(TRect(0, 0, 120, 40), clRed), 0);
}

TEST_F(ItemDrawingTest, ADisabledCaptionIsEmbossedUnlessSelected) {
  TdxBarPainter painter(nullptr);
  win::HDC dc = surface_.Canvas()->Handle();
  surface_.Canvas()->Font()->SetName("DejaVu Sans");
  surface_.Canvas()->Font()->SetSize(12);
  const win::COLORREF light = win::GetSysColor(win::COLOR_BTNHIGHLIGHT), dark = win::GetSysColor(win::COLOR_BTNSHADOW),
                 gray = win::GetSysColor(win::COLOR_GRAYTEXT);
  ASSERT_NE(light, dark);
  // One vertical stroke: "l" centred in its rectangle.
  auto strokeColumns = [&](win::COLORREF AColor) {
    std::vector<int32_t> xs;
    for (int32_t x = 0; x < 120; ++x)
      for (int32_t y = 0; y < 40; ++y)
        if (win::COLORREF(ColorToRGB(Pixel(x, y))) == AColor) {
          xs.push_back(x);
          break;
        }
    return xs;
  };
  painter.ItemDrawCaption(nullptr, dc, "l", TRect(0, 0, 120, 40), win::DT_SINGLELINE, false, false, false, false, 1,
                          false);
  const std::vector<int32_t> darkCols = strokeColumns(dark), lightCols = strokeColumns(light);
  ASSERT_FALSE(darkCols.empty());
  ASSERT_FALSE(lightCols.empty());
  // The light pass lies one pixel right of the dark one.
  EXPECT_EQ(lightCols.back(), darkCols.back() + 1);

  surface_.Canvas()->FillRect(TRect(0, 0, 120, 40));
  painter.ItemDrawCaption(nullptr, dc, "l", TRect(0, 0, 120, 40), win::DT_SINGLELINE, false, true, false, false, 1,
                          false);
  EXPECT_FALSE(strokeColumns(gray).empty());
  if (gray != light) {
    EXPECT_TRUE(strokeColumns(light).empty());
  }
}

TEST_F(ItemDrawingTest, AMenuCheckMarkIsCentredAndDoublesWithALargeFont) {
  auto* item = NewItem<TdxBarButton>();
  auto* control = NewControl<TdxBarItemControl>(toolbar_, item);
  TdxBarButtonLikeControlDrawParams params(control);
  params.PaintType = ptMenu;
  params.Down = true;
  params.Canvas = canvas_.get();
  TCheckRecordingPainter painter;
  struct Case {
    int32_t fontSize, size;
    TRect expected;
  } cases[] = {
      {9, 1, TRect(10 + (22 - 7) / 2, 0 + (22 - 9) / 2, 10 + (22 - 7) / 2 + 7, (22 - 9) / 2 + 9)},
      {16, 2, TRect(10 + (22 - 14) / 2, (22 - 18) / 2, 10 + (22 - 14) / 2 + 14, (22 - 18) / 2 + 18)},
  };
  for (const Case& c : cases) {
    toolbar_->Font()->SetSize(c.fontSize);
    painter.ItemDrawCheck(&params, TRect(10, 0, 32, 22));
    EXPECT_EQ(painter.CheckSize, c.size);
    EXPECT_EQ(painter.CheckRect, c.expected);
  }
  // Outside menus, or not checked: no mark.
  painter.CheckSize = 0;
  params.Down = false;
  painter.ItemDrawCheck(&params, TRect(10, 0, 32, 22));
  EXPECT_EQ(painter.CheckSize, 0);
}

}  // namespace
