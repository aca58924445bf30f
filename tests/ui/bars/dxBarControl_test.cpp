// The bar window base: construction, metrics from the window font, the
// vertical item stack, hit tests, the messages it answers itself, the
// active-bar stack, and windows freed from inside their own calls. Sizes
// are worked out here from the font's measured text, never written down.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "tests/ui/bars/bar_doubles.h"
#include "tests/ui/bars/item_doubles.h"
#include "tests/ui/lookandfeel/painter_surface.h"
#include "ui/bars/dxBarComponents.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarShadow.h"
#include "ui/bars/dxBarViewInfo.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxGraphics.h"

namespace bartest {
namespace {

using namespace win;

// An item kind of its own, so that the registry gives it the control below.
class TStackItem : public TdxBarItem {
  DX_COMPONENT_CLASS(TStackItem, TdxBarItem)
public:
  explicit TStackItem(TComponent* AOwner) : TdxBarItem(AOwner) {}
};

// The least item control: laid out where its bar window puts its link.
class TStackItemControl : public TdxBarItemControl {
  DX_CLASS(TStackItemControl, TdxBarItemControl)
public:
  TStackItemControl(TCustomdxBarControl* AParent, TdxBarItemLink* ALink) : TdxBarItemControl(AParent, ALink) {}
  ~TStackItemControl() override { ++Freed; }
  TRect GetBounds() override { return ItemLink()->ItemRect(); }
  static inline int Freed = 0;
  bool IsActive() const override { return Editing; }
  void BeforeParentHandleDestroyed() override { FreedWhenWarned.push_back(Freed); }
  static inline std::vector<int> FreedWhenWarned;
  bool CanVisit() override { return Visitable; }
  bool CanVisitDefault() override { return VisitableByDefault; }
  // Records the paint type; with a Fill colour it floods everything the canvas lets it reach.
  void Draw(const TRect&, TdxBarPaintType AFlag) override {
    PaintTypes.push_back(AFlag);
    if (Fill == clNone) return;
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(Fill)));
    const RECT everything{-1000, -1000, 1000, 1000};
    FillRect(GetCanvas()->Handle(), &everything, brush);
    DeleteObject(brush);
  }
  bool Editing = false;
  bool Visitable = true;
  bool VisitableByDefault = true;
  TColor Fill = clNone;
  std::vector<TdxBarPaintType> PaintTypes;
};

// A control with an edit window of its own, whose colour inputs the test picks.
class TEditStackControl : public TStackItemControl, public IdxBarEditWindowControl {
public:
  using TStackItemControl::TStackItemControl;
  HWND GetEditWindow() override { return Wnd; }
  void GetEditColorInputs(bool& AEnabled, TColor& AStyleTextColor, TColor& AStyleColor, TColor& ABarBrushColor) override {
    AEnabled = Enabled;
    AStyleTextColor = StyleText;
    AStyleColor = StyleColor;
    ABarBrushColor = BarColor;
  }
  HBRUSH GetEditBackgroundBrush() override { return Brush; }
  HWND Wnd = nullptr;
  bool Enabled = true;
  TColor StyleText = clDefault, StyleColor = clDefault, BarColor = clBtnFace;
  HBRUSH Brush = nullptr;
};

// A navigation helper that logs when its window lets go of it and when it is freed.
class TLoggingHelper : public TObject, public IdxBarAccessibilityHelper {
  DX_CLASS_WITH_FACTORY(TLoggingHelper, TObject,
                        [](TObject* AOwner) -> TObject* { return new TLoggingHelper(AOwner); })
public:
  explicit TLoggingHelper(TObject* AOwner) : owner_(dynamic_cast<TCustomdxBarControl*>(AOwner)) {}
  ~TLoggingHelper() override {
    if (Log) Log->push_back("helper freed");
  }
  TCustomdxBarControl* GetBarControl() override { return owner_; }
  TdxBarManager* GetBarManager() override { return owner_ ? owner_->GetBarManager() : nullptr; }
  IdxBarAccessibilityHelper* GetDefaultSelectableChild() override { return nullptr; }
  TRect GetScreenBounds() override { return {}; }
  void NotifyOwnerDestroyed() override {
    owner_ = nullptr;
    if (Log) Log->push_back("helper detached");
  }
  IdxBarAccessibilityHelper* GetKeyTipParent() override { return nullptr; }
  bool IsKeyTipContainer() override { return false; }
  IdxBarAccessibilityHelper* GetBarHelper() override { return this; }
  void EscapeKeyTipScope() override {}
  static inline TLog* Log = nullptr;

private:
  TCustomdxBarControl* owner_;
};

// A painter whose toolbar brush the test picks.
class TBrushPainter : public TdxBarPainter {
public:
  TBrushPainter(win::HBRUSH ABrush) : TdxBarPainter(nullptr), brush_(ABrush) {}
  win::HBRUSH ToolbarBrush() override { return brush_; }

private:
  win::HBRUSH brush_;
};

// A bar window that answers what the window kinds answer, lays out its
// controls as a vertical stack and logs what the base asks of it.
class TStackBar : public TCustomdxBarControl {
public:
  TStackBar(TdxBarManager* AManager, std::string AName, TLog& ALog)
      : TCustomdxBarControl(AManager), name_(std::move(AName)), log_(ALog) {}
  ~TStackBar() override { log_.push_back(name_ + " freed"); }

  void CalcViewInfo() override {
    TCustomdxBarControl::CalcViewInfo();
    infos_.clear();
    for (int32_t i = 0; ItemLinks() && i < ItemLinks()->Count(); ++i)
      if (TdxBarItemControl* c = ItemLinks()->GetItem(i)->Control(); c && !ItemLinks()->GetItem(i)->ItemRect().IsEmpty()) {
        infos_.push_back(std::make_unique<TdxBarItemControlViewInfo>(c));
        ViewInfo()->AppendItemControlInfo(infos_.back().get());
      }
  }
  void Recalculate() override {
    TCustomdxBarControl::Recalculate();
    CalcLayout(1, 0);
    CalcViewInfo();
  }
  int32_t GetSeparatorSize() override { return SeparatorSize; }
  bool ShowsPartialItem(const TRect&) override { return PartialItem; }
  bool IsTextRotated() override { return Rotated; }
  void Rebuild(bool ARecreate) override {
    log_.push_back(name_ + " rebuild " + (ARecreate ? "recreate" : "keep"));
    if (OnRebuild && !RunFreeing(OnRebuild)) return;
    TCustomdxBarControl::Rebuild(ARecreate);
  }
  void HandleMouseMove(TShiftState AShift, TPoint P) override {
    log_.push_back(name_ + " mouse move");
    TCustomdxBarControl::HandleMouseMove(AShift, P);
  }
  void DoMouseDown(TMouseButton AButton, TShiftState AShift, bool AInside, TdxBarItemControl* AControl,
                   TPoint P) override {
    log_.push_back(name_ + " down " + std::to_string(CurrentMessage.Msg) + (AShift.Contains(ssDouble) ? " double" : ""));
    if (OnDown) OnDown();
    else TCustomdxBarControl::DoMouseDown(AButton, AShift, AInside, AControl, P);
  }
  void DoHide() override {
    log_.push_back(name_ + " hide");
    if (OnHide) OnHide();
    else TCustomdxBarControl::DoHide();
  }
  bool IsInternal() override { return Internal; }
  bool IsVertical() const override { return true; }
  // Runs AHandler; False when it freed the window.
  bool RunFreeing(const std::function<void()>& AHandler) {
    TcxObjectLink* self = AddObjectLink(this);
    AHandler();
    const bool alive = self->Target != nullptr;
    RemoveObjectLink(self);
    return alive;
  }
  bool AllowsCustomizing() override { return AllowCustomizing; }
  bool IsOnGlass() override { return Glass; }
  TClass GetAccessibilityHelperClass() override { return HelperClass; }

  bool Glass = false;
  TClass HelperClass = nullptr;
  int32_t SeparatorSize = 0;
  bool PartialItem = false;
  bool Rotated = false;
  bool Internal = false;
  bool AllowCustomizing = false;
  std::function<void()> OnRebuild, OnDown, OnHide;

protected:
  void DefaultHandler(TMessage& m) override {
    if (m.Msg == WM_NCACTIVATE) log_.push_back(name_ + " ncactivate " + std::to_string(m.WParam));
    TCustomdxBarControl::DefaultHandler(m);
  }

private:
  std::string name_;
  TLog& log_;
  std::vector<std::unique_ptr<TdxBarItemControlViewInfo>> infos_;
};

// A parent window that logs the WM_NCACTIVATE it is sent.
class TLoggingParent : public TCustomControl {
public:
  TLoggingParent(TComponent* AOwner, TLog& ALog) : TCustomControl(AOwner), log_(ALog) {}

protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_NCACTIVATE) log_.push_back("parent ncactivate " + std::to_string(m.WParam));
    TCustomControl::WndProc(m);
  }

private:
  TLog& log_;
};

// Text height of AText in AFont, measured on a DC of its own.
TSize TextExtent(TFont* AFont, const char* AText) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, AFont->Handle());
  SIZE s{};
  GetTextExtentPoint32(dc, AText, &s);
  SelectObject(dc, old);
  DeleteDC(dc);
  return {s.cx, s.cy};
}

class BarControlTest : public BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    form = ShownForm();
    manager = new TdxBarManager(form);
    RegisterBarItemClass(TStackItem::StaticClass(), TStackItemControl::StaticClass(), false);
    // The test's own item controls are made by a maker of its own; the unit's comes back afterwards.
    installedMaker = dxBarCreateItemControlProc();
    SetdxBarCreateItemControlProc([](TClass, TCustomdxBarControl* AWindow, TdxBarItemLink* ALink) -> TdxBarItemControl* {
      return new TStackItemControl(AWindow, ALink);
    });
    links = std::make_unique<TdxBarItemLinks>(manager, nullptr);
  }
  void TearDown() override {
    for (TStackBar* b : bars)
      if (IsLiveBarControl(b)) delete b;
    links.reset();
    SetdxBarCreateItemControlProc(installedMaker);
    TdxBarItemList* registry = ItemClassRegistry();
    for (int32_t i = registry->Count() - 1; i >= 0; --i)
      if (registry->ItemClassAt(i) == TStackItem::StaticClass()) registry->RemoveRegistration(i);
    delete manager;
    BarFormTest::TearDown();
  }
  TStackBar* MakeBar(const std::string& AName, bool AWithHandle = true) {
    auto* bar = new TStackBar(manager, AName, log);
    bars.push_back(bar);
    bar->SetItemLinks(links.get());
    bar->SetParent(form);
    bar->SetBounds(10, 10, 120, 200);
    if (AWithHandle) {
      bar->SetVisible(true);
      bar->HandleNeeded();
    }
    return bar;
  }
  TdxBarItemLink* AddLink(TdxBarItemVisible AVisible = ivAlways, bool ABeginGroup = false) {
    auto* item = new TStackItem(form);
    item->SetBarManager(manager);
    item->SetVisible(AVisible);
    TdxBarItemLink* link = links->Add();
    link->SetItem(item);
    link->SetBeginGroup(ABeginGroup);
    return link;
  }

  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  std::unique_ptr<TdxBarItemLinks> links;
  TdxBarCreateItemControlProc installedMaker = nullptr;
  std::vector<TStackBar*> bars;
  TLog log;
};

TEST_F(BarControlTest, ANewWindowIsHiddenAtItsDefaultBoundsAndLive) {
  auto* bar = new TStackBar(manager, "bar", log);
  bars.push_back(bar);
  EXPECT_EQ(bar->BoundsRect(), TRect(100, 100, 150, 130));
  EXPECT_EQ(bar->Color(), clBtnFace);
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(bar->LastMousePos(), TPoint(-1, -1));
  EXPECT_FALSE(bar->ControlStyle().Contains(csCaptureMouse));
  EXPECT_TRUE(IsLiveBarControl(bar));
  EXPECT_NE(bar->Shadow(), nullptr);
  EXPECT_EQ(bar->GetBarManager(), manager);
  delete bar;
  EXPECT_FALSE(IsLiveBarControl(bar));
}

// Item height, small step and scale factor follow the window font, with
// their floors: fonts small and large.
TEST_F(BarControlTest, MetricsFollowTheWindowFont) {
  TStackBar* bar = MakeBar("bar", false);
  for (int32_t height : {-6, -11, -16, -30, -48}) {
    SCOPED_TRACE(height);
    bar->Font()->SetName("DejaVu Sans");
    bar->Font()->SetHeight(height);
    bar->CalcMetrics();
    const int32_t itemHeight = TextExtent(bar->Font(), "Wg").cy + 6;
    EXPECT_EQ(bar->ItemHeight(), itemHeight);
    EXPECT_EQ(bar->SmallStep(), std::max(itemHeight / 5, 4));
    EXPECT_DOUBLE_EQ(bar->ScaleFactor(), std::max(itemHeight / 19.0, 1.0));
    const TSize zero = TextExtent(bar->Font(), "0");
    EXPECT_EQ(bar->ComboButtonWidth(), 2 * zero.cx - 1);
    EXPECT_EQ(bar->RowHeight(), bar->Painter()->BarRowHeightFull(zero.cy));
    EXPECT_EQ(bar->FontRowHeight(), itemHeight);
  }
}

TEST_F(BarControlTest, RotatedTextTurnsTheCanvasFontClockwise) {
  TStackBar* bar = MakeBar("bar", false);
  for (bool rotated : {true, false}) {
    SCOPED_TRACE(rotated);
    bar->Rotated = rotated;
    bar->UpdateCanvasFont();
    LOGFONT lf{};
    ASSERT_EQ(GetObject(bar->GetCanvas()->Font()->Handle(), sizeof(lf), &lf), int(sizeof(lf)));
    EXPECT_EQ(lf.lfEscapement, rotated ? -900 : 0);
    EXPECT_EQ(lf.lfOrientation, rotated ? -900 : 0);
    if (rotated) {
      EXPECT_EQ(lf.lfOutPrecision, OUT_TT_ONLY_PRECIS);
    }
  }
}

// The handle brings the item controls of the showable links, the handle's
// end takes them away.
TEST_F(BarControlTest, ItemControlsLiveWithTheWindowHandle) {
  TdxBarItemLink* shown = AddLink();
  TdxBarItemLink* never = AddLink(ivNever);
  TStackBar* bar = MakeBar("bar", false);
  EXPECT_EQ(shown->Control(), nullptr);
  bar->HandleNeeded();
  ASSERT_NE(shown->Control(), nullptr);
  EXPECT_EQ(shown->Control()->Parent(), bar);
  EXPECT_EQ(never->Control(), nullptr);
  const int freed = TStackItemControl::Freed;
  TStackItemControl::FreedWhenWarned.clear();
  bar->SetVisible(false);
  bar->DestroyHandle();
  EXPECT_EQ(TStackItemControl::Freed, freed + 1);
  // The control heard that its window goes before it was freed.
  EXPECT_EQ(TStackItemControl::FreedWhenWarned, std::vector<int>{freed});
  EXPECT_FALSE(bar->HandleAllocated());
  EXPECT_EQ(shown->Control(), nullptr);
}

TEST_F(BarControlTest, ABarWithoutShowableLinksHasNoControlsAndHitsNothing) {
  TdxBarItemLink* hidden = AddLink(ivNever);
  TdxBarItemLink* empty = links->Add();  // a link without an item
  TStackBar* bar = MakeBar("bar");
  bar->Recalculate();
  EXPECT_EQ(hidden->Control(), nullptr);
  EXPECT_EQ(empty->Control(), nullptr);
  EXPECT_EQ(bar->ViewInfo()->ItemControlInfoCount(), 0);
  for (TPoint p : {TPoint{0, 0}, TPoint{60, 10}, TPoint{119, 199}}) {
    EXPECT_EQ(bar->ItemControlAtPos(p), nullptr);
    TdxBarItemLink* target = hidden;
    bool vertical = false, before = false, onSeparator = false;
    bar->GetDropTarget(p, target, vertical, before, onSeparator);
    EXPECT_EQ(target, nullptr);
  }
}

// The stack: links one under the other, a separator above each group but
// the first, and a last item that does not fit cut off only where allowed.
TEST_F(BarControlTest, VerticalStackPlacesWholeItemsAndAPartialOneWhereAllowed) {
  TdxBarItemLink* a = AddLink(ivAlways, true);  // the first link's group needs no separator
  TdxBarItemLink* b = AddLink(ivAlways, true);
  AddLink(ivNever);
  TdxBarItemLink* c = AddLink();
  TStackBar* bar = MakeBar("bar");
  bar->SeparatorSize = 5;
  const int32_t h = bar->ItemHeight();
  ASSERT_GT(h, 0);
  const TRect ra(0, 0, 120, h), rb(0, h + 5, 120, 2 * h + 5), rc(0, 2 * h + 5, 120, 3 * h + 5);
  struct Case {
    const char* what;
    int32_t height;
    bool partial;
    TRect a, b, c;
    int32_t bottom;
  } cases[] = {
      {"all fit", 3 * h + 5, false, ra, rb, rc, 3 * h + 5},
      {"the last one cut", 3 * h, false, ra, rb, {}, 2 * h + 5},
      {"the last one shown cut", 3 * h, true, ra, rb, rc, 3 * h},
      {"not even the first", h - 1, false, {}, {}, {}, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    bar->PartialItem = k.partial;
    bar->SetLayoutRect(TRect(0, 0, 120, k.height));
    bar->CalcLayout(1, 0);
    EXPECT_EQ(a->ItemRect(), k.a);
    EXPECT_EQ(b->ItemRect(), k.b);
    EXPECT_EQ(c->ItemRect(), k.c);
    int32_t bottom = -1;
    bar->CalcItemRectsVertical(0, bottom);
    EXPECT_EQ(bottom, k.bottom);
  }
}

TEST_F(BarControlTest, HitTestsFindTheLaidOutControl) {
  TdxBarItemLink* a = AddLink();
  TdxBarItemLink* b = AddLink();
  TStackBar* bar = MakeBar("bar");
  bar->Recalculate();
  const int32_t h = bar->ItemHeight();
  EXPECT_EQ(bar->ItemControlAtPos({5, h / 2}), a->Control());
  EXPECT_EQ(bar->ItemControlAtPos({5, h + h / 2}), b->Control());
  EXPECT_EQ(bar->ItemControlAtPos({5, 2 * h + 1}), nullptr);
  // Dropping in the upper half of b goes before it, in the lower half after it.
  TdxBarItemLink* target = nullptr;
  bool vertical = false, before = false, onSeparator = false;
  bar->GetDropTarget({5, h + 1}, target, vertical, before, onSeparator);
  EXPECT_EQ(target, b);
  EXPECT_TRUE(before);
  bar->GetDropTarget({5, 2 * h - 1}, target, vertical, before, onSeparator);
  EXPECT_EQ(target, b);
  EXPECT_FALSE(before);
  // While customizing, a bar that does not allow it reports nothing, and a
  // control being edited ends the search.
  manager->SetDesigning(true, false);
  EXPECT_EQ(bar->ItemControlAtPos({5, h / 2}), nullptr);
  bar->AllowCustomizing = true;
  EXPECT_EQ(bar->ItemControlAtPos({5, h / 2}), a->Control());
  static_cast<TStackItemControl*>(a->Control())->Editing = true;
  EXPECT_EQ(bar->ItemControlAtPos({5, h / 2}), nullptr);
  EXPECT_EQ(bar->ItemControlAtPos({5, h + h / 2}), b->Control());
  manager->SetDesigning(false, false);
}

// The line that joins a popup to the item it opened from, for owners on each side.
TEST_F(BarControlTest, OwnerJoinRectLiesOnTheEdgeTouchingTheOwner) {
  TStackBar* bar = MakeBar("bar", false);
  bar->SetParent(nullptr);
  bar->SetBounds(100, 100, 80, 60);  // (100, 100)-(180, 160)
  struct Case {
    const char* what;
    TRect owner, local, screen;
  } cases[] = {
      {"above", {90, 80, 150, 100}, {1, 0, 49, 1}, {101, 99, 149, 100}},
      {"below", {120, 160, 200, 170}, {21, 59, 79, 60}, {121, 160, 179, 161}},
      {"left", {60, 110, 100, 130}, {0, 11, 1, 29}, {99, 111, 100, 129}},
      {"right", {180, 90, 200, 120}, {79, 1, 80, 19}, {180, 101, 181, 119}},
      {"apart", {0, 0, 20, 20}, {}, {}},
      {"none", {}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bar->SetOwnerRect(c.owner);
    EXPECT_EQ(bar->GetOwnerJoinRect(false), c.local);
    EXPECT_EQ(bar->GetOwnerJoinRect(true), c.screen);
  }
}

// A click on a bar leaves the active window as it was.
TEST_F(BarControlTest, AClickNeverActivatesTheBar) {
  TStackBar* bar = MakeBar("bar", false);
  bar->SetParent(nullptr);
  bar->SetParentWindow(form->Handle());
  bar->SetBounds(300, 300, 80, 40);
  bar->HandleNeeded();
  ShowWindow(bar->Handle(), SW_SHOWNOACTIVATE);
  form->SetFocus();
  Pump();
  const HWND active = GetActiveWindow();
  ASSERT_EQ(active, form->Handle());
  EXPECT_EQ(SendMessage(bar->Handle(), WM_MOUSEACTIVATE, WPARAM(form->Handle()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  backend_->MouseMove(320, 320);
  backend_->MouseDown(0, 320, 320);
  backend_->MouseUp(0, 320, 320);
  Pump();
  EXPECT_EQ(GetActiveWindow(), active);
}

// Activation keeps the owner's caption active: the parent hears of it first.
TEST_F(BarControlTest, ActivationReachesTheParentFirstAndTheBarAlwaysDrawsActive) {
  auto* parent = new TLoggingParent(form, log);
  parent->SetParent(form);
  parent->SetBounds(0, 0, 300, 300);
  TStackBar* bar = MakeBar("bar", false);
  bar->SetParent(parent);
  bar->HandleNeeded();
  struct Case {
    WPARAM wParam;
    bool customizing;
    TLog expected;
  } cases[] = {
      {1, false, {"parent ncactivate 1", "bar ncactivate 1"}},
      {0, false, {"bar ncactivate 1"}},
      {1, true, {"bar ncactivate 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.wParam << " customizing " << c.customizing);
    manager->SetDesigning(c.customizing, false);
    log.clear();
    SendMessage(bar->Handle(), WM_NCACTIVATE, c.wParam, 0);
    EXPECT_EQ(log, c.expected);
  }
  manager->SetDesigning(false, false);
}

TEST_F(BarControlTest, APostedRebuildMessageRecreatesTheControls) {
  TdxBarItemLink* link = AddLink();
  TStackBar* bar = MakeBar("bar");
  TdxBarItemControl* before = link->Control();
  ASSERT_NE(before, nullptr);
  log.clear();
  PostMessage(bar->Handle(), TCustomdxBarControl::BarRebuildMessage, 0, 0);
  EXPECT_TRUE(log.empty()) << "posted, not sent";
  Pump();
  EXPECT_EQ(log, TLog{"bar rebuild recreate"});
  EXPECT_NE(link->Control(), nullptr);
  // While the manager's bars update is locked nothing is rebuilt.
  log.clear();
  manager->BeginBarsUpdate();
  PostMessage(bar->Handle(), TCustomdxBarControl::BarRebuildMessage, 0, 0);
  Pump();
  manager->EndBarsUpdate();
  EXPECT_TRUE(log.empty());
}

// Each button's stored double click reaches mouse-down processing as its single click.
TEST_F(BarControlTest, AStoredDoubleClickIsHandledAsASingleClick) {
  TStackBar* bar = MakeBar("bar");
  TControlStyle style = bar->ControlStyle();
  style.Include(csDoubleClicks);
  bar->SetControlStyle(style);
  const struct {
    UINT dbl, down;
  } cases[] = {{WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}, {WM_RBUTTONDBLCLK, WM_RBUTTONDOWN}, {WM_MBUTTONDBLCLK, WM_MBUTTONDOWN}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dbl);
    log.clear();
    SendMessage(bar->Handle(), c.dbl, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(log, TLog{"bar down " + std::to_string(c.down)});
    SendMessage(bar->Handle(), c.down + 1, 0, MAKELPARAM(5, 5));  // the button goes up
  }
}

// With a chain of menus open, bars outside it get no mouse messages; the
// chain's own bars and, with no active bar, every bar get them.
TEST_F(BarControlTest, OutsideAnActiveChainMouseMessagesAreDropped) {
  TStackBar* toolbar = MakeBar("toolbar");
  TStackBar* menu = MakeBar("menu");
  TStackBar* other = MakeBar("other");
  menu->SetParentBarControl(toolbar);
  menu->SetActive(true);
  for (TStackBar* b : {toolbar, menu, other}) {
    log.clear();
    SendMessage(b->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(log.size(), b == other ? 0u : 1u) << (log.empty() ? "" : log.front());
  }
  // An internal popup's chain ends below an application bar.
  menu->Internal = true;
  log.clear();
  SendMessage(toolbar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(log.empty());
  menu->SetActive(false);
  log.clear();
  SendMessage(other->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
  EXPECT_EQ(log, TLog{"other mouse move"});
}

// Push and pop sequences, pops out of order, and windows destroyed while on the stack.
TEST_F(BarControlTest, TheActiveBarStackFollowsPushesPopsAndDestruction) {
  TStackBar* a = MakeBar("a", false);
  TStackBar* b = MakeBar("b", false);
  TStackBar* c = MakeBar("c", false);
  auto top = [] { return CurrentBarControl(); };
  a->SetActive(true);
  b->SetActive(true);
  c->SetActive(true);
  EXPECT_EQ(top(), c);
  EXPECT_EQ(c->PrevActiveBar(), b);
  c->SetActive(false);
  EXPECT_EQ(top(), b);
  // b leaves out of order: it stays beneath c until c pops, then the stale rest goes.
  c->SetActive(true);
  b->SetActive(false);
  EXPECT_EQ(top(), c);
  c->SetActive(false);
  EXPECT_EQ(top(), nullptr);
  EXPECT_EQ(a->PrevActiveBar(), nullptr);
  a->SetActive(false);
  // A window destroyed in the middle: the one above it skips it.
  a->SetActive(true);
  b->SetActive(true);
  c->SetActive(true);
  delete b;
  EXPECT_EQ(top(), c);
  EXPECT_EQ(c->PrevActiveBar(), a);
  c->SetActive(false);
  EXPECT_EQ(top(), a);
  // The top destroyed: the one beneath becomes the top.
  c->SetActive(true);
  delete c;
  EXPECT_EQ(top(), a);
  a->SetActive(false);
  EXPECT_EQ(top(), nullptr);
  // Whether customizing was on when the stack began is remembered.
  manager->SetDesigning(true, false);
  a->SetActive(true);
  EXPECT_TRUE(TCustomdxBarControl::ActiveStackBeganInCustomizing());
  a->SetActive(false);
  manager->SetDesigning(false, false);
}

TEST_F(BarControlTest, BehaviourFlagsAndRootsFollowTheParentChain) {
  TStackBar* toolbar = MakeBar("toolbar", false);
  TStackBar* menu = MakeBar("menu", false);
  TStackBar* sub = MakeBar("sub", false);
  menu->SetParentBarControl(toolbar);
  sub->SetParentBarControl(menu);
  EXPECT_EQ(toolbar->ChildBar(), menu);
  EXPECT_EQ(menu->ChildBar(), sub);
  EXPECT_EQ(sub->GetBehaviorFlags(), 0x13);
  EXPECT_EQ(RootBarControl(sub), toolbar);
  EXPECT_TRUE(toolbar->IsAncestorOf(sub));
  EXPECT_FALSE(sub->IsAncestorOf(toolbar));
  EXPECT_EQ(sub->NextInActiveChain(), menu);
  sub->Internal = true;
  EXPECT_EQ(sub->NextInActiveChain(), nullptr);
  // A parent freed frees its child, which leaves the chain.
  delete toolbar;
  EXPECT_FALSE(IsLiveBarControl(menu));
  EXPECT_FALSE(IsLiveBarControl(sub));
}

// Windows freed from inside their own calls: nothing of them is used afterwards.
TEST_F(BarControlTest, AWindowFreedInsideItsOwnHandlersIsLeftAlone) {
  TStackBar* clicked = MakeBar("clicked");
  clicked->OnDown = [clicked] { delete clicked; };
  SendMessage(clicked->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(IsLiveBarControl(clicked));

  TStackBar* hidden = MakeBar("hidden");
  hidden->OnHide = [hidden] { delete hidden; };
  hidden->Hide();
  EXPECT_FALSE(IsLiveBarControl(hidden));

  TStackBar* rebuilt = MakeBar("rebuilt");
  rebuilt->OnRebuild = [rebuilt] { delete rebuilt; };
  rebuilt->RebuildNow();
  EXPECT_FALSE(IsLiveBarControl(rebuilt));
}

TEST_F(BarControlTest, RebuildingIsNotReentered) {
  AddLink();
  TStackBar* bar = MakeBar("bar");
  int depth = 0;
  bar->OnRebuild = [&] {
    ++depth;
    bar->RebuildItems(true);
    bar->CreateControls();
    bar->DestroyControls();
  };
  log.clear();
  bar->RebuildItems(true);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(log, TLog{"bar rebuild recreate"});
  EXPECT_FALSE(bar->HasState(TCustomdxBarControl::bcsRebuilding));
}

// A painter swapped while the bar shows: the next item is painted with the
// new painter's brush, and none of the old one is kept meanwhile.
TEST_F(BarControlTest, APainterSwappedWhileVisibleLeavesNoOldBrush) {
  TdxBarItemLink* link = AddLink();
  TStackBar* bar = MakeBar("bar");
  bar->Recalculate();
  HBRUSH first = CreateSolidBrush(RGB(1, 2, 3)), second = CreateSolidBrush(RGB(4, 5, 6));
  TBrushPainter p1(first), p2(second);
  bar->SetPainter(&p1);
  bar->PaintItemControl(bar->GetCanvas(), link->Control());
  EXPECT_EQ(bar->ItemBrush(), first);
  bar->SetPainter(&p2);
  EXPECT_EQ(bar->ItemBrush(), nullptr);
  bar->PaintItemControl(bar->GetCanvas(), link->Control());
  EXPECT_EQ(bar->ItemBrush(), second);
  bar->SetPainter(nullptr);
  DeleteObject(first);
  DeleteObject(second);
}

// ---------------------------------------------------------------- drawing an item

TStackItemControl* StackControlOf(TdxBarItemLink* ALink) { return static_cast<TStackItemControl*>(ALink->Control()); }

// An item is painted by its own control with the window's paint type, only
// inside its bounds; the clip is whole again afterwards.
TEST_F(BarControlTest, DrawItemLetsTheControlPaintInsideItsBoundsOnly) {
  AddLink();
  TdxBarItemLink* link = AddLink();
  TStackBar* bar = MakeBar("bar");
  bar->Recalculate();
  TStackItemControl* control = StackControlOf(link);
  ASSERT_NE(control, nullptr);
  control->Fill = clRed;
  const TRect r = control->GetBounds();
  ASSERT_FALSE(r.IsEmpty());
  for (bool rotated : {false, true}) {
    SCOPED_TRACE(rotated);
    bar->Rotated = rotated;
    control->PaintTypes.clear();
    painter_surface::Surface s(120, 200);
    bar->DrawItem(control, &s.canvas, r);
    EXPECT_EQ(control->PaintTypes, std::vector<TdxBarPaintType>{TdxBarPaintType(rotated ? ptVert : ptHorz)});
    EXPECT_EQ(s.FirstOutside(r), "");
    EXPECT_EQ(s.Where(clRed).size(), size_t(r.Width()) * size_t(r.Height()));
    // The clip is restored: a fill afterwards reaches the whole surface.
    s.bmp.Canvas()->Brush()->SetColor(clBlue);
    s.bmp.Canvas()->FillRect(TRect(0, 0, 120, 200));
    EXPECT_EQ(s.Where(clBlue).size(), size_t(120 * 200));
  }
  bar->Rotated = false;
}

// The design controller's selected link is framed: twice in the window text
// colour by default, else with two focus rectangles (a dotted inversion).
TEST_F(BarControlTest, TheDesignSelectedLinkGetsADoubleFrame) {
  TdxBarItemLink* other = AddLink();
  TdxBarItemLink* link = AddLink();
  TStackBar* bar = MakeBar("bar");
  bar->Recalculate();
  for (TdxBarItemLink* l : {other, link}) StackControlOf(l)->Fill = clRed;
  TFakeDesigner designer;
  designer.LastSelected = link;
  EXPECT_EQ(bar->GetDesignSelectedControl(), link->Control());
  const TRect r = link->Control()->GetBounds();
  const TColor inverted = ColorToRGB(clRed) ^ 0xFFFFFF;
  // The colour of a pixel on ring k (0 outermost) at offset (dx, dy) from r's corner.
  struct Look {
    const char* what;
    bool byDefault;
    std::function<TColor(int32_t ring, int32_t dx, int32_t dy)> expected;
  } looks[] = {
      {"default", true, [](int32_t ring, int32_t, int32_t) { return ring < 2 ? ColorToRGB(clWindowText) : ColorToRGB(clRed); }},
      {"focus", false,
       [&](int32_t ring, int32_t dx, int32_t dy) {
         return ring < 2 && (dx + dy) % 2 == 0 ? inverted : ColorToRGB(clRed);
       }},
  };
  for (const Look& look : looks) {
    SCOPED_TRACE(look.what);
    designer.SelectByDefault = look.byDefault;
    painter_surface::Surface s(120, 200);
    bar->DrawItem(link->Control(), &s.canvas, r);
    for (int32_t ring = 0; ring < 3; ++ring) {
      const TRect f(r.Left + ring, r.Top + ring, r.Right - ring, r.Bottom - ring);
      for (int32_t x = f.Left; x < f.Right; ++x)
        for (int32_t y : {f.Top, f.Bottom - 1}) {
          EXPECT_EQ(s.At(x, y), look.expected(ring, x - r.Left, y - r.Top)) << ring << " at " << x << "," << y;
        }
      for (int32_t y = f.Top + 1; y < f.Bottom - 1; ++y)
        for (int32_t x : {f.Left, f.Right - 1}) {
          EXPECT_EQ(s.At(x, y), look.expected(ring, x - r.Left, y - r.Top)) << ring << " at " << x << "," << y;
        }
    }
    // The other link is not framed.
    painter_surface::Surface o(120, 200);
    const TRect ro = other->Control()->GetBounds();
    bar->DrawItem(other->Control(), &o.canvas, ro);
    EXPECT_EQ(o.At(ro.Left, ro.Top), ColorToRGB(clRed));
  }
  // A link of another collection, or none, selects nothing here.
  TdxBarItemLinks foreign(manager, nullptr);
  designer.LastSelected = foreign.Add();
  EXPECT_EQ(bar->GetDesignSelectedControl(), nullptr);
  designer.LastSelected = nullptr;
  EXPECT_EQ(bar->GetDesignSelectedControl(), nullptr);
}

// ---------------------------------------------------------------- edit colours

// An item edit's colour request is answered with the painter's edit colours
// and the edit's own brush; a window that no control owns gets the default.
TEST_F(BarControlTest, AnItemEditsColourRequestGetsThePaintersEditColours) {
  TdxBarItemLink* link = AddLink();
  TStackBar* bar = MakeBar("bar");
  link->DestroyControl();
  auto* edit = new TEditStackControl(bar, link);
  link->SetControl(edit);
  auto* editWindow = new TLoggingParent(form, log);
  editWindow->SetParent(bar);
  editWindow->HandleNeeded();
  edit->Wnd = editWindow->Handle();
  edit->Brush = CreateSolidBrush(RGB(9, 8, 7));
  HDC dc = CreateCompatibleDC(nullptr);
  struct Case {
    const char* what;
    bool enabled;
    TColor styleText, styleColor, barColor;
    TColor text, back;  // the base painter's edit colours
  } cases[] = {
      {"enabled without style", true, clDefault, clDefault, clBtnFace, clWindowText, clWindow},
      {"enabled with style colours", true, clRed, clYellow, clBtnFace, clRed, clYellow},
      {"disabled", false, clRed, clYellow, clLime, clGrayText, clLime},
  };
  for (UINT msg : {UINT(WM_CTLCOLOREDIT), UINT(WM_CTLCOLORSTATIC)})
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + " " + std::to_string(msg));
      edit->Enabled = c.enabled;
      edit->StyleText = c.styleText;
      edit->StyleColor = c.styleColor;
      edit->BarColor = c.barColor;
      SetBkColor(dc, RGB(1, 1, 1));
      SetTextColor(dc, RGB(2, 2, 2));
      const LRESULT result = SendMessage(bar->Handle(), msg, WPARAM(dc), LPARAM(editWindow->Handle()));
      EXPECT_EQ(result, LRESULT(edit->Brush));
      EXPECT_EQ(TColor(GetTextColor(dc)), ColorToRGB(c.text));
      EXPECT_EQ(TColor(GetBkColor(dc)), ColorToRGB(c.back));
    }
  // Not an item's edit window: the default answer, the system's window colour and brush.
  SetBkColor(dc, RGB(1, 1, 1));
  const LRESULT other = SendMessage(bar->Handle(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(form->Handle()));
  EXPECT_EQ(other, LRESULT(GetSysColorBrush(COLOR_WINDOW)));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
  // On glass the edit window is asked once to repaint.
  MSG m{};
  while (PeekMessage(&m, editWindow->Handle(), 0, 0, PM_REMOVE)) {
  }
  bar->Glass = true;
  SendMessage(bar->Handle(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(editWindow->Handle()));
  EXPECT_TRUE(edit->GlassRepaintPosted);
  SendMessage(bar->Handle(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(editWindow->Handle()));
  int posted = 0;
  while (PeekMessage(&m, editWindow->Handle(), TCustomdxBarControl::EditGlassRepaintMessage,
                     TCustomdxBarControl::EditGlassRepaintMessage, PM_REMOVE))
    ++posted;
  EXPECT_EQ(posted, 1);
  bar->Glass = false;
  DeleteDC(dc);
  DeleteObject(edit->Brush);
}

// ---------------------------------------------------------------- keeping active

TEST_F(BarControlTest, ABarStaysActiveOnlyWhileItsSelectedControlsMayBeVisited) {
  TdxBarItemLink* link = AddLink();
  TStackBar* bar = MakeBar("bar");
  TStackItemControl* control = StackControlOf(link);
  ASSERT_NE(control, nullptr);
  EXPECT_TRUE(bar->CanKeepActive(manager, nullptr));  // nothing selected
  // A sub-menu with its own selected control.
  TdxBarItemLinks childLinks(manager, nullptr);
  auto* childItem = new TStackItem(form);
  childItem->SetBarManager(manager);
  TdxBarItemLink* childLink = childLinks.Add();
  childLink->SetItem(childItem);
  auto* child = new TStackBar(manager, "child", log);
  bars.push_back(child);
  child->SetItemLinks(&childLinks);
  child->SetParent(form);
  child->SetVisible(true);
  child->HandleNeeded();
  bar->SetChildBar(child);
  bar->SelectControl(control);
  child->SelectControl(childLink->Control());
  TStackItemControl* childControl = StackControlOf(childLink);
  struct Case {
    const char* what;
    bool visitable, byDefault, childByDefault;
    bool keepActive, keepChain;
  } cases[] = {
      {"all may be visited", true, true, true, true, true},
      {"the selected control may not be visited", false, true, true, false, true},
      {"not by default", true, false, true, true, false},
      {"the sub-menu's control not by default", true, true, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    control->Visitable = c.visitable;
    control->VisitableByDefault = c.byDefault;
    childControl->VisitableByDefault = c.childByDefault;
    EXPECT_EQ(bar->CanKeepActive(manager, nullptr), c.keepActive);
    EXPECT_EQ(bar->CanKeepActiveChain(), c.keepChain);
  }
  bar->SetChildBar(nullptr);
  delete child;
}

// ---------------------------------------------------------------- navigation helper

TEST_F(BarControlTest, TheNavigationHelperIsMadeOnceAndLetGoWithTheWindow) {
  TStackBar* plain = MakeBar("plain", false);
  EXPECT_EQ(plain->GetIAccessibilityHelper(), nullptr);  // no helper class
  TStackBar* bar = MakeBar("bar", false);
  bar->HelperClass = TLoggingHelper::StaticClass();
  TLoggingHelper::Log = &log;
  IdxBarAccessibilityHelper* helper = bar->GetIAccessibilityHelper();
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(bar->GetIAccessibilityHelper(), helper);
  EXPECT_EQ(helper->GetBarControl(), bar);
  log.clear();
  delete bar;
  EXPECT_EQ(log, (TLog{"bar freed", "helper detached", "helper freed"}));
  TLoggingHelper::Log = nullptr;
}

}  // namespace
}  // namespace bartest
