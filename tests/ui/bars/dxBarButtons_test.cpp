// Buttons, large buttons, labels and separators driven headless: radio
// groups across the bars of one manager, the click toggle, the style and
// group setters, recursive drop-down menus, accelerators, the large button's
// image indexes, the drop-down request, the viewer's buttons, and the
// separator's placement.
#include "ui/bars/dxBarButtons.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/classes/filer.h"
#include "platform/classes/streams.h"
#include "platform/vcl/forms.h"
#include "tests/ui/bars/item_doubles.h"
#include "ui/bars/dxBar.h"

using namespace bartest;

namespace {

class BarButtonTest : public BarManagerFormTest {
protected:
  template <class T = TdxBarButton>
  T* NewButton(const std::string& AName, TdxBarButtonStyle AStyle = bsChecked, int32_t AGroup = 0) {
    auto* b = new T(form_.get());
    b->SetName(AName);
    b->SetButtonStyle(AStyle);
    b->SetGroupIndex(AGroup);
    b->OnClick = [this, b](TObject*) { ++clicks_[b->Name()]; };
    return b;
  }
  // "1" for each down button, "0" for each up one.
  static std::string DownState(std::initializer_list<TdxBarButton*> AButtons) {
    std::string s;
    for (TdxBarButton* b : AButtons) s += b->Down() ? '1' : '0';
    return s;
  }

  std::map<std::string, int> clicks_;
};

// ---------------------------------------------------------------- radio groups

TEST_F(BarButtonTest, AGroupSpansTheBarsOfOneManager) {
  struct Step {
    const char* op;  // "down", "up" (Down from code) or "click" (PerformClick)
    int button;
    const char* state;
  };
  struct Case {
    bool allowAllUp;
    std::vector<Step> steps;
  } cases[] = {
      {false,
       {{"down", 0, "100"},
        {"down", 1, "010"},
        {"up", 1, "010"},     // the last down button stays down
        {"click", 1, "010"},  // the toggle is refused, OnClick still runs
        {"click", 2, "001"},
        {"down", 0, "100"},
        {"up", 2, "100"}}},
      {true,
       {{"down", 0, "100"},
        {"up", 0, "000"},
        {"click", 1, "010"},
        {"click", 1, "000"},
        {"click", 2, "001"},
        {"down", 0, "100"}}},
  };
  for (const Case& c : cases) {
    TdxBarButton* b[] = {NewButton("first", bsChecked, 1), NewButton("second", bsChecked, 1),
                         NewButton("third", bsChecked, 1)};
    TdxBarButton* outsider = NewButton("outsider", bsChecked, 2);
    outsider->SetDown(true);
    BarWith({b[0], outsider});
    BarWith({b[1], b[2]});
    b[2]->SetAllowAllUp(c.allowAllUp);
    clicks_.clear();
    int expectedClicks = 0;
    for (const Step& s : c.steps) {
      const std::string op = s.op;
      if (op == "click") {
        b[s.button]->PerformClick();
        ++expectedClicks;
      } else {
        b[s.button]->SetDown(op == "down");
      }
      EXPECT_EQ(DownState({b[0], b[1], b[2]}), s.state)
          << "AllowAllUp " << c.allowAllUp << " after " << op << " " << s.button;
    }
    int clicks = 0;
    for (const auto& [name, n] : clicks_) clicks += n;
    EXPECT_EQ(clicks, expectedClicks);
    EXPECT_TRUE(outsider->Down()) << "another group is left alone";
    for (TdxBarButton* x : b) EXPECT_EQ(x->AllowAllUp(), c.allowAllUp);
    EXPECT_FALSE(outsider->AllowAllUp());
    for (TdxBarButton* x : b) delete x;
    delete outsider;
  }
}

TEST_F(BarButtonTest, PerformClickOnTheDownButtonFiresOnceAndLeavesItDown) {
  TdxBarButton* a = NewButton("a", bsChecked, 1);
  TdxBarButton* b = NewButton("b", bsChecked, 1);
  b->SetDown(true);
  b->PerformClick();
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(clicks_["b"], 1);
  EXPECT_EQ(clicks_["a"], 0);
  // A disabled button neither toggles nor clicks.
  a->SetEnabled(false);
  a->PerformClick();
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(clicks_["a"], 0);
}

TEST_F(BarButtonTest, StyleAndGroupSettersFollowTheCheckableBit) {
  TdxBarButton* plain = NewButton("plain", bsDefault);
  plain->SetGroupIndex(1);
  EXPECT_EQ(plain->GroupIndex(), 0);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  plain->PerformClick();
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(clicks_["plain"], 1);

  TdxBarButton* checked = NewButton("checked", bsChecked, 1);
  checked->SetDown(true);
  checked->SetButtonStyle(bsDefault);
  EXPECT_FALSE(checked->Down());

  TdxBarButton* dropDown = NewButton("drop", bsCheckedDropDown);
  EXPECT_TRUE(dropDown->IsCheckable());
  dropDown->SetGroupIndex(3);
  EXPECT_EQ(dropDown->GroupIndex(), 3);
  dropDown->SetDown(true);
  dropDown->SetGroupIndex(4);
  EXPECT_FALSE(dropDown->Down());  // a new group releases it
  EXPECT_FALSE(NewButton("d", bsDropDown)->IsCheckable());
}

TEST_F(BarButtonTest, DownReadWhileLoadingLeavesTheGroupAlone) {
  constexpr const char* kForm = R"(object Form1: TForm
  object dxBarManager1: TdxBarManager
    Categories.Strings = (
      'Default')
    object btn3DGray: TdxBarButton
      Caption = '3D Grayscale'
      Category = 0
      ButtonStyle = bsChecked
      GroupIndex = 1
      Down = True
    end
    object btn3DColor: TdxBarButton
      Caption = '3D Color'
      Category = 0
      ButtonStyle = bsChecked
      GroupIndex = 1
      Down = True
    end
    object btnFit: TdxBarButton
      Caption = 'Fit'
      Category = 0
      GroupIndex = 1
      ShortCut = 16432
    end
  end
end
)";
  TForm form(nullptr);
  TStringStream in(kForm);
  ReadComponent(in, &form);
  auto* gray = dynamic_cast<TdxBarButton*>(form.FindComponent("btn3DGray"));
  auto* color = dynamic_cast<TdxBarButton*>(form.FindComponent("btn3DColor"));
  auto* fit = dynamic_cast<TdxBarButton*>(form.FindComponent("btnFit"));
  ASSERT_TRUE(gray && color && fit);
  EXPECT_TRUE(gray->Down());
  EXPECT_TRUE(color->Down());
  EXPECT_EQ(fit->GroupIndex(), 0);
  EXPECT_EQ(fit->ShortCut(), Ctrl('0'));
  EXPECT_EQ(gray->Category(), 0);
  EXPECT_NE(gray->BarManager(), nullptr);
  // After loading the group rule applies again: pressing releases the first down one.
  TdxBarButton* third = new TdxBarButton(&form);
  third->SetButtonStyle(bsChecked);
  third->SetGroupIndex(1);
  third->SetDown(true);
  EXPECT_EQ(DownState({gray, color, third}), "011");
}

// ---------------------------------------------------------------- drop-down menus

TEST_F(BarButtonTest, ADropDownMenuThatWouldContainTheButtonIsRefused) {
  TdxBarButton* button = NewButton("button", bsDropDown);
  TdxBarButton* nested = NewButton("nested", bsDropDown);
  auto menu = [&](std::initializer_list<TdxBarItem*> items) {
    auto* m = new TdxBarPopupMenu(form_.get());
    m->SetBarManager(manager_);
    for (TdxBarItem* i : items) m->GetItemLinks()->Add()->SetItem(i);
    return m;
  };
  TdxBarPopupMenu* direct = menu({button});
  TdxBarPopupMenu* inner = menu({button});
  TdxBarPopupMenu* outer = menu({nested});
  nested->SetDropDownMenu(inner);
  TdxBarPopupMenu* harmless = menu({NewButton("other", bsDefault)});

  for (TdxBarPopupMenu* m : {direct, outer}) {
    try {
      button->SetDropDownMenu(m);
      ADD_FAILURE() << "no exception";
    } catch (const EdxException& e) {
      EXPECT_EQ(e.Message(), "You cannot create recursive menus");
    }
    EXPECT_EQ(button->DropDownMenu(), nullptr);
  }
  // A menu that leads back through nested drop-downs is refused as an item too.
  std::string message;
  EXPECT_FALSE(inner->CanContainItem(nested, message));
  EXPECT_EQ(message, "You cannot create recursive menus");
  EXPECT_TRUE(inner->CanContainItem(NewButton("fresh"), message));
  EXPECT_EQ(message, "");

  button->SetDropDownMenu(harmless);
  EXPECT_EQ(button->GetItemLinks(), harmless->GetItemLinks());
  delete harmless;
  EXPECT_EQ(button->DropDownMenu(), nullptr);
  EXPECT_EQ(button->GetItemLinks(), nullptr);
  EXPECT_FALSE(button->CanContainItem(nested, message));  // nothing without a menu
}

TEST_F(BarButtonTest, DropDownHandsTheControlsPlaceToThePopupMenu) {
  TLog log;
  TdxBarButton* button = NewButton("button", bsDropDown);
  auto* menu = new TRecordingPopupMenu(form_.get());
  menu->SetBarManager(manager_);
  button->SetDropDownMenu(menu);
  TdxBar* bar = BarWith({button});
  struct Case {
    int32_t kind;
    bool vertical;
    bool shadows;
    int32_t ownerHeight, ownerWidth;
  } cases[] = {
      {0, false, false, 22, 0},  // below a horizontal toolbar
      {0, true, false, 0, 40},   // beside a vertical one
      {2, false, true, 0, 40},   // beside a sub-menu
  };
  for (const Case& c : cases) {
    TKindBarControl window(manager_, "window", log, c.kind, c.vertical);
    window.SetBounds(100, 50, 300, 30);
    auto* control = new TRecordingItemControl(&window, bar->GetItemLinks()->GetItem(0), "button", log);
    control->ItemRect = TRect(10, 4, 50, 26);
    control->ChildShadows = c.shadows;
    control->ShowAnimation = false;
    menu->Popups = 0;
    button->DropDown(control, 120, 80, true);
    ASSERT_EQ(menu->Popups, 1);
    EXPECT_EQ(menu->At, TPoint(120, 80));
    EXPECT_EQ(menu->Owner, control);
    EXPECT_EQ(menu->Options.OwnerWindow, &window);
    EXPECT_FALSE(menu->Options.OwnMessageLoop);
    EXPECT_FALSE(menu->Options.ShowAnimation);
    EXPECT_EQ(menu->Options.OwnerHeight, c.ownerHeight) << c.kind << c.vertical;
    EXPECT_EQ(menu->Options.OwnerWidth, c.ownerWidth) << c.kind << c.vertical;
    const TPoint origin = window.ClientToScreen({10, 4});
    const TRect expected = c.shadows ? TRect(origin.X, origin.Y, origin.X + 40, origin.Y + 22) : TRect();
    EXPECT_EQ(menu->Options.OwnerBounds, expected);
    // Afterwards the menu has its defaults back.
    EXPECT_EQ(menu->OwnerItemControl(), nullptr);
    EXPECT_TRUE(menu->PopupOptions().OwnMessageLoop);
    EXPECT_TRUE(menu->PopupOptions().ShowAnimation);
    EXPECT_EQ(menu->PopupOptions().OwnerWindow, nullptr);
    bar->GetItemLinks()->GetItem(0)->SetControl(nullptr);
    delete control;
  }
}

// ---------------------------------------------------------------- accelerators

TEST_F(BarButtonTest, AcceleratorsOnToolbarsNeedACaptionShown) {
  TdxBarButton* button = NewButton("button", bsDefault);
  auto* large = NewButton<TdxBarLargeButton>("large", bsDefault);
  TdxBar* bar = BarWith({button, large});
  auto* menu = new TdxBarPopupMenu(form_.get());
  menu->GetItemLinks()->Add()->SetItem(button);
  TLog log;
  TKindBarControl window(manager_, "toolbar", log, 0);
  TdxBarItemLink* onBar = bar->GetItemLinks()->GetItem(0);
  TdxBarItemLink* largeOnBar = bar->GetItemLinks()->GetItem(1);
  TdxBarItemLink* inMenu = menu->GetItemLinks()->GetItem(0);
  EXPECT_FALSE(button->CanUseAccelerator(onBar)) << "a toolbar link without a control";
  auto* control = new TRecordingItemControl(&window, onBar, "button", log);
  auto* largeControl = new TRecordingItemControl(&window, largeOnBar, "large", log);
  struct Case {
    TdxBarPaintStyle style;
    bool expected;
  } cases[] = {{psStandard, false}, {psCaptionInMenu, false}, {psCaption, true}, {psCaptionGlyph, true}};
  for (const Case& c : cases) {
    button->SetPaintStyle(c.style);
    large->SetPaintStyle(c.style);
    EXPECT_EQ(button->CanUseAccelerator(onBar), c.expected) << int(c.style);
    EXPECT_EQ(large->CanUseAccelerator(largeOnBar), c.expected) << int(c.style);
    EXPECT_TRUE(button->CanUseAccelerator(inMenu)) << int(c.style);
  }
  // The link's own paint style counts, and a large button without its caption never takes one on a toolbar.
  onBar->SetUserDefine(UserDefineBit(udPaintStyle));
  onBar->SetUserPaintStyle(psStandard);
  EXPECT_FALSE(button->CanUseAccelerator(onBar));
  large->SetShowCaption(false);
  EXPECT_FALSE(large->CanUseAccelerator(largeOnBar));
  button->SetEnabled(false);
  EXPECT_FALSE(button->CanUseAccelerator(inMenu));
  (void)control;
  (void)largeControl;
}

TEST_F(BarButtonTest, PaintStyleNoticesSkipLinksWithTheirOwnStyle) {
  TdxBarButton* button = NewButton("button", bsDefault);
  TdxBar* bar = BarWith({button, button});
  TLog log;
  TKindBarControl window(manager_, "toolbar", log, 0);
  new TRecordingItemControl(&window, bar->GetItemLinks()->GetItem(0), "plain", log);
  new TRecordingItemControl(&window, bar->GetItemLinks()->GetItem(1), "own", log);
  bar->GetItemLinks()->GetItem(1)->SetUserDefine(UserDefineBit(udPaintStyle));
  EXPECT_EQ(log, TLog{"own paint style"});
  log.clear();
  bar->GetItemLinks()->BarControl = &window;
  button->SetPaintStyle(psCaptionGlyph);
  button->SetPaintStyle(psCaptionGlyph);
  button->SetLowered(true);
  button->SetDropDownEnabled(false);
  EXPECT_EQ(log, (TLog{"plain paint style", "toolbar rebuild", "plain invalidate", "own invalidate"}));
  bar->GetItemLinks()->BarControl = nullptr;
}

// ---------------------------------------------------------------- large button

TEST_F(BarButtonTest, TheLargeButtonsImageIndexFollowsItsLargeImageUntilSetFromCode) {
  auto* large = NewButton<TdxBarLargeButton>("large", bsDefault);
  EXPECT_TRUE(large->SyncImageIndex());
  EXPECT_TRUE(large->ShowCaption());
  EXPECT_TRUE(large->AutoGrayScale());
  EXPECT_EQ(large->HotImageIndex(), -1);
  large->SetLargeImageIndex(5);
  EXPECT_EQ(large->ImageIndex(), 5);
  large->SetImageIndex(3);
  EXPECT_FALSE(large->SyncImageIndex());
  EXPECT_EQ(large->LargeImageIndex(), 5);
  large->SetLargeImageIndex(6);
  EXPECT_EQ(large->ImageIndex(), 3);
  large->SetSyncImageIndex(true);
  EXPECT_EQ(large->ImageIndex(), 6);
  EXPECT_EQ(large->GetActionImageIndex(), 6);
  EXPECT_TRUE(large->HasImage());
  EXPECT_FALSE(large->HasHotImage());
  large->SetHotImageIndex(0);
  EXPECT_TRUE(large->HasHotImage());
  EXPECT_FALSE(large->IsHotImageAssigned());  // the manager has no hot images
  large->SetHeight(30);
  large->SetHeight(-2);
  EXPECT_EQ(large->Height(), 30);
}

TEST_F(BarButtonTest, TheLargeButtonsStreamedImageIndexKeepsItsOwnValue) {
  struct Case {
    const char* properties;
    int32_t image, large;
    bool sync;
  } cases[] = {
      {"LargeImageIndex = 4", 4, 4, true},
      {"ImageIndex = 2", 2, 2, true},
      {"SyncImageIndex = False\n      ImageIndex = 2", 2, -1, false},
      {"LargeImageIndex = 4\n      ImageIndex = 1", 1, 4, false},
  };
  for (const Case& c : cases) {
    const std::string text = std::string("object Form1: TForm\n  object M: TdxBarManager\n    object L: TdxBarLargeButton\n"
                                         "      Category = 0\n      ") +
                             c.properties + "\n    end\n  end\nend\n";
    TForm form(nullptr);
    TStringStream in(text);
    ReadComponent(in, &form);
    auto* large = dynamic_cast<TdxBarLargeButton*>(form.FindComponent("L"));
    ASSERT_NE(large, nullptr) << c.properties;
    EXPECT_EQ(large->ImageIndex(), c.image) << c.properties;
    EXPECT_EQ(large->LargeImageIndex(), c.large) << c.properties;
    EXPECT_EQ(large->SyncImageIndex(), c.sync) << c.properties;
    // Loaded cleared the marks: ImageIndex from code ends the synchronisation.
    large->SetImageIndex(9);
    EXPECT_FALSE(large->SyncImageIndex()) << c.properties;
  }
}

// ---------------------------------------------------------------- the viewer's buttons

TEST_F(BarButtonTest, TheViewersModeButtonsFormOneGroupAndTheTogglesStandAlone) {
  const char* modes[] = {"btn2D",          "btn3DGray",     "btn3DColor",   "btn3DDubois",
                         "btn3DInterlace", "btnLeftImage", "btn3DRedGreen"};
  std::vector<TdxBarButton*> group;
  for (int i = 0; i < 7; ++i) {
    TdxBarButton* b = NewButton(modes[i], bsChecked, 1);
    b->SetShortCut(Ctrl(char('1' + i)));
    group.push_back(b);
  }
  group[2]->SetDown(true);  // 3D Color is down at design time
  TdxBarButton* fastMode = NewButton("btnFastMode", bsChecked);
  fastMode->SetDown(true);
  TdxBarButton* fullScreen = NewButton("btnFullScreen", bsChecked);
  TdxBarButton* fit = NewButton("btnFit", bsDefault);
  fit->SetShortCut(Ctrl('0'));
  TdxBar* general = BarWith({fit, fullScreen, group[0], group[1], group[2], group[3], group[4], group[6], fastMode});
  TdxBar* navigation = BarWith({group[5]});  // btnLeftImage sits on no shown toolbar of its own
  (void)navigation;
  auto state = [&] {
    std::string s;
    for (TdxBarButton* b : group) s += b->Down() ? '1' : '0';
    return s;
  };
  for (int i = 0; i < 7; ++i) {
    group[size_t(i)]->PerformClick();
    std::string expected(7, '0');
    expected[size_t(i)] = '1';
    EXPECT_EQ(state(), expected) << "Ctrl+" << i + 1;
    EXPECT_EQ(clicks_[modes[i]], 1) << modes[i];
  }
  // The same keys through the toolbar's shortcut dispatch.
  for (int i = 6; i >= 0; --i) {
    const bool handled = general->GetItemLinks()->DispatchShortCut(Ctrl(char('1' + i))) ||
                         navigation->GetItemLinks()->DispatchShortCut(Ctrl(char('1' + i)));
    EXPECT_TRUE(handled);
    std::string expected(7, '0');
    expected[size_t(i)] = '1';
    EXPECT_EQ(state(), expected) << "dispatched Ctrl+" << i + 1;
  }
  // The toggles change only themselves.
  const std::string before = state();
  fastMode->PerformClick();
  EXPECT_FALSE(fastMode->Down());
  fullScreen->PerformClick();
  EXPECT_TRUE(fullScreen->Down());
  fullScreen->PerformClick();
  EXPECT_FALSE(fullScreen->Down());
  fastMode->PerformClick();
  EXPECT_TRUE(fastMode->Down());
  EXPECT_EQ(state(), before);
  EXPECT_TRUE(general->GetItemLinks()->DispatchShortCut(Ctrl('0')));
  EXPECT_EQ(clicks_["btnFit"], 1);
  EXPECT_EQ(state(), before);
}

// ---------------------------------------------------------------- labels and separators

TEST_F(BarButtonTest, SeparatorsGoOnlyIntoMenus) {
  auto* separator = new TdxBarSeparator(form_.get());
  auto* label = new TdxBarLabel(form_.get());
  EXPECT_TRUE(separator->ShowCaption());
  EXPECT_TRUE(label->ShowCaption());
  EXPECT_EQ(label->GetDefaultCaption(), "New Item");
  struct Case {
    int32_t kind;
    bool placed;
    const char* message;
  } cases[] = {
      {0, false, "A separator item cannot be placed on the specified toolbar"},
      {1, true, ""},
      {2, false, "A separator item cannot be placed on the specified toolbar"},
  };
  for (const Case& c : cases) {
    std::string message = "stale";
    EXPECT_EQ(separator->CanPlaceOn(c.kind, nullptr, &message), c.placed) << c.kind;
    EXPECT_EQ(message, c.message) << c.kind;
    EXPECT_EQ(separator->CanPlaceOn(c.kind, nullptr, nullptr), c.placed) << c.kind;
    std::string labelMessage = "stale";
    EXPECT_TRUE(label->CanPlaceOn(c.kind, nullptr, &labelMessage));
    EXPECT_EQ(labelMessage, "");
  }
  auto* menu = new TdxBarPopupMenu(form_.get());
  std::string message;
  EXPECT_TRUE(menu->CanContainItem(separator, message));

  // ShowCaption relayouts the item's bars unless loading.
  TLog log;
  TdxBar* bar = BarWith({separator});
  TKindBarControl window(manager_, "menu", log, 2);
  bar->GetItemLinks()->BarControl = &window;
  separator->SetShowCaption(false);
  manager_->SetLoading(true);
  separator->SetShowCaption(true);
  manager_->SetLoading(false);
  EXPECT_EQ(log, TLog{"menu rebuild"});
  EXPECT_TRUE(separator->ShowCaption());
  bar->GetItemLinks()->BarControl = nullptr;
}

}  // namespace
