// Bar window input: keyboard navigation among the links (wrap-around, the
// turned arrows of vertical bars), the menu keys, Enter and accelerators,
// windows freed by the click that a key runs, and the threshold of the
// customizing drag under the headless mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "tests/ui/bars/bar_doubles.h"
#include "tests/ui/bars/input_doubles.h"
#include "ui/bars/dxBarComponents.h"
#include "ui/bars/dxBarRoutines.h"

namespace bartest {
namespace {

using namespace win;

class BarInputTest : public BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    form = ShownForm();
    manager = new TdxBarManager(form);
    RegisterBarItemClass(TInputItem::StaticClass(), TInputItemControl::StaticClass(), false);
    installedMaker = dxBarCreateItemControlProc();
    SetdxBarCreateItemControlProc([](TClass, TCustomdxBarControl* AWindow, TdxBarItemLink* ALink) -> TdxBarItemControl* {
      return new TInputItemControl(AWindow, ALink);
    });
    // The links of a toolbar: they find accelerators among the laid-out links.
    links = std::make_unique<TdxBarControlItemLinks>(manager, nullptr);
  }
  void TearDown() override {
    if (bar && IsLiveBarControl(bar)) delete bar;
    links.reset();
    SetdxBarCreateItemControlProc(installedMaker);
    TdxBarItemList* registry = ItemClassRegistry();
    for (int32_t i = registry->Count() - 1; i >= 0; --i)
      if (registry->ItemClassAt(i) == TInputItem::StaticClass()) registry->RemoveRegistration(i);
    delete manager;
    BarFormTest::TearDown();
  }
  TdxBarItemLink* AddLink(const std::string& ACaption) {
    auto* item = new TInputItem(form);
    item->SetBarManager(manager);
    item->SetCaption(ACaption);
    item->OnClick = [this, ACaption](TObject*) { clicks.push_back(ACaption); };
    TdxBarItemLink* link = links->Add();
    link->SetItem(item);
    return link;
  }
  void MakeBar(bool AVertical) {
    bar = new TInputBar(manager);
    bar->Vertical = AVertical;
    bar->SetItemLinks(links.get());
    bar->SetParent(form);
    bar->SetBounds(10, 10, 120, 200);
    bar->SetVisible(true);
    bar->HandleNeeded();
    bar->SetActive(true);
  }
  void Key(WORD AKey) { SendMessage(bar->Handle(), WM_KEYDOWN, AKey, 0); }
  int SelectedIndex() {
    TdxBarItemControl* c = bar->GetSelectedControl();
    return c ? links->IndexOf(c->ItemLink()) : -1;
  }

  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TdxBarCreateItemControlProc installedMaker = nullptr;
  std::unique_ptr<TdxBarItemLinks> links;
  TInputBar* bar = nullptr;
  std::vector<std::string> clicks;
};

// Each row: the bar's orientation, the selection before, the key, the
// selection after (-1 none). Left and Right wrap; with nothing selected
// both start at the first link; a vertical bar turns Down into Right.
TEST_F(BarInputTest, ArrowsMoveAmongTheLinksAndWrapAround) {
  AddLink("One");
  AddLink("Two");
  AddLink("Three");
  const struct {
    bool vertical;
    int before;
    WORD key;
    int after;
  } cases[] = {
      {false, -1, VK_LEFT, 0},  {false, -1, VK_RIGHT, 0}, {false, 0, VK_RIGHT, 1}, {false, 2, VK_RIGHT, 0},
      {false, 0, VK_LEFT, 2},   {false, 1, VK_HOME, 0},   {false, 0, VK_END, 2},   {true, 0, VK_DOWN, 1},
      {true, 2, VK_DOWN, 0},    {true, 1, VK_UP, 0},      {true, 0, VK_RIGHT, 0},  {true, 1, VK_LEFT, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "vertical " << c.vertical << " from " << c.before << " key " << c.key);
    if (bar) delete bar;
    MakeBar(c.vertical);
    ASSERT_TRUE(bar->IsActive());
    if (c.before >= 0) bar->SelectControl(links->GetItem(c.before)->Control());
    ASSERT_EQ(SelectedIndex(), c.before);
    Key(c.key);
    EXPECT_EQ(SelectedIndex(), c.after);
    EXPECT_TRUE(clicks.empty());
  }
}

TEST_F(BarInputTest, F10HidesOnlyWithUseF10ForMenuAndAltAlways) {
  AddLink("One");
  const struct {
    bool useF10;
    WORD key;
    int hides;
  } cases[] = {{false, VK_F10, 0}, {true, VK_F10, 1}, {false, VK_MENU, 1}, {true, VK_MENU, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "UseF10ForMenu " << c.useF10 << " key " << c.key);
    if (bar) delete bar;
    manager->SetUseF10ForMenu(c.useF10);
    MakeBar(false);
    Key(c.key);
    EXPECT_EQ(bar->Hides, c.hides);
    EXPECT_EQ(bar->IsActive(), c.hides == 0);
  }
}

TEST_F(BarInputTest, EnterClicksTheSelectedItemOnce) {
  AddLink("One");
  AddLink("Two");
  MakeBar(false);
  Key(VK_RETURN);
  EXPECT_TRUE(clicks.empty()) << "nothing selected";
  bar->SelectControl(links->GetItem(1)->Control());
  Key(VK_RETURN);
  EXPECT_EQ(clicks, std::vector<std::string>{"Two"});
}

// Two items share the accelerator A: the key selects the next of them
// without clicking. B belongs to one item: the key clicks it.
TEST_F(BarInputTest, ASharedAcceleratorSelectsTheNextAndASingleOneClicks) {
  AddLink("&Apple");
  AddLink("&Banana");
  AddLink("&Avocado");
  MakeBar(false);
  // A toolbar searches after the selected link, from the first with none.
  Key('A');
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(SelectedIndex(), 0);
  Key('A');
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(SelectedIndex(), 2);
  Key('A');
  EXPECT_EQ(SelectedIndex(), 0) << "wraps around";
  Key('B');
  EXPECT_EQ(clicks, std::vector<std::string>{"&Banana"});
  EXPECT_EQ(SelectedIndex(), 1);
}

// A click that frees the window: the key handling stops without touching it.
TEST_F(BarInputTest, AClickThatFreesTheWindowEndsTheKeyHandling) {
  TdxBarItemLink* link = AddLink("One");
  MakeBar(false);
  link->GetItem()->OnClick = [this](TObject*) {
    delete bar;
    bar = nullptr;
  };
  bar->SelectControl(link->Control());
  TInputBar* freed = bar;
  Key(VK_RETURN);
  EXPECT_FALSE(IsLiveBarControl(freed));
}


// The design controller as the customizing drag asks it: the link being
// dragged, and the drags begun.
class TDragDesigner : public IdxBarControlDesigner {
public:
  explicit TDragDesigner(TdxBarItemLink* ALink) : link_(ALink) { dxBarControlDesigner() = this; }
  ~TDragDesigner() override { dxBarControlDesigner() = nullptr; }
  TDragDesigner(const TDragDesigner&) = delete;
  TDragDesigner& operator=(const TDragDesigner&) = delete;
  void SelectItem(IdxBarSelectableItem*, int32_t) override {}
  bool IsItemSelected(IdxBarSelectableItem*) override { return false; }
  bool IsSelectionComplex(TdxBarManager*) override { return false; }
  TdxBarItemLink* DesignSelectedLink(TdxBarManager*) override { return nullptr; }
  void SetDraggedItem(TdxBarManager*, TdxBarItem*, TdxBarItemLink*) override {}
  TdxBarItemLink* DraggedItemLink(TdxBarManager*) override { return link_; }
  void BeginItemDrag(TdxBarManager*, TdxBarItem* AItem, TdxBarItemLink* ALink) override {
    if (AItem == link_->GetItem() && ALink == link_) ++Drags;
  }
  bool CanDropInto(TdxBarManager*, TdxBarItemLink*) override { return false; }
  bool IsDragging(TdxBarManager*) override { return false; }
  void ShowCustomizingPopupFor(TCustomdxBarControl*, TdxBarItemLink*) override {}
  TCustomdxBarControl* QuickControl() override { return nullptr; }
  TCustomdxBarControl* CreateQuickPopup(TCustomdxBarControl*) override { return nullptr; }
  void StartQuickControlClosingTimer() override {}
  int Drags = 0;

private:
  TdxBarItemLink* link_;
};

// A pending drag begins once the mouse leaves the SM_CXDRAG x SM_CYDRAG
// rectangle centred on the press point (half sizes rounded toward zero);
// releasing inside it only lets the capture go.
TEST_F(BarInputTest, ACustomizingDragBeginsOnlyOutsideTheSystemDragRectangle) {
  TdxBarItemLink* link = AddLink("One");
  MakeBar(false);
  TDragDesigner designer(link);
  const int32_t cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
  ASSERT_GT(cx, 1);
  ASSERT_GT(cy, 1);
  const TPoint start(40, 9);
  // The last offsets inside the rectangle on each side, and the first outside.
  const int32_t left = -(cx / 2), right = cx - cx / 2 - 1, top = -(cy / 2), bottom = cy - cy / 2 - 1;
  const struct {
    int32_t dx, dy;
    bool drags;
  } cases[] = {{left, 0, false},  {right, 0, false},  {0, top, false},      {0, bottom, false}, {right, bottom, false},
               {left - 1, 0, true}, {right + 1, 0, true}, {0, top - 1, true}, {0, bottom + 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "offset " << c.dx << "," << c.dy);
    MoveTo(bar, start.X, start.Y);
    Pump();
    designer.Drags = 0;
    bar->DragPending = true;
    bar->DragStart = start;
    SetCapture(bar->Handle());
    MoveTo(bar, start.X + c.dx, start.Y + c.dy);
    Pump();
    EXPECT_EQ(designer.Drags, c.drags ? 1 : 0);
    EXPECT_EQ(bar->DragPending, !c.drags);
    EXPECT_EQ(GetCapture() == bar->Handle(), !c.drags);
    ReleaseCapture();
    bar->DragPending = false;
  }
  // Released inside: no drag and no click, the capture goes.
  MoveTo(bar, start.X, start.Y);
  Pump();
  designer.Drags = 0;
  bar->DragPending = true;
  bar->DragStart = start;
  SetCapture(bar->Handle());
  const TPoint p = At(bar, start.X + right, start.Y);
  backend_->MouseUp(0, p.X, p.Y);
  Pump();
  EXPECT_EQ(designer.Drags, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(clicks.empty());
}

}  // namespace
}  // namespace bartest
