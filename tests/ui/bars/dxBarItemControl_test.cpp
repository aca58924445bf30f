// The item control base driven headless inside a test bar window: view
// levels, sizes from the test font's metrics, the hot part, hints, the click
// path and the glyph cache.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/gdi/gdi.h"
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

}  // namespace
