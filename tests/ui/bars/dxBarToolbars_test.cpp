// Toolbars driven headless: a new bar's defaults, what the setters do to the
// window, showing and hiding with the docked position kept, the docking place,
// rows, the main menu, closing and moving rules, refusals, names, fonts,
// loading and assignment.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/typinfo.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "tests/ui/bars/bar_doubles.h"
#include "tests/ui/bars/recording_toolbar_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarToolbarControl.h"

using namespace bartest;

namespace {

constexpr TdxBarDockingStyles kAllStyles = DockingStyleBit(dsNone) | DockingStyleBit(dsLeft) |
                                           DockingStyleBit(dsTop) | DockingStyleBit(dsRight) |
                                           DockingStyleBit(dsBottom);

class ToolbarTest : public BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    manager_ = std::make_unique<TdxBarManager>(form_.get());
    manager_->SetName("dxBarManager1");
    ToolbarWindowLog() = &log_;
  }
  void TearDown() override {
    ToolbarWindowLog() = nullptr;
    manager_.reset();
    BarFormTest::TearDown();
  }
  TdxBarManager& m() { return *manager_; }
  // A bar of the manager whose window records what it is told.
  TdxBar* RecordingBar() {
    auto* bar = new TRecordingToolbar(form_.get());
    bar->SetParentComponent(manager_.get());
    return bar;
  }
  // A dock site on the form, aligned to ASide, working for AManager.
  TdxBarDockControl* FormDock(TdxBarManager* AManager, TAlign AAlign) {
    auto* dock = new TdxBarDockControl(form_.get());
    dock->SetParent(form_.get());
    dock->SetAlign(AAlign);
    dock->SetBarManager(AManager);
    return dock;
  }

  std::unique_ptr<TdxBarManager> manager_;
  TLog log_;
};

// ---------------------------------------------------------------- defaults

TEST_F(ToolbarTest, NewBarHasTheDocumentedDefaults) {
  TdxBar* bar = m().Bars()->Add();
  const struct {
    const char* name;
    int64_t value;
  } ordinals[] = {
      {"AllowClose", 1},        {"AllowCustomizing", 1},   {"AllowQuickCustomizing", 1}, {"AllowReset", 1},
      {"BorderStyle", bbsSingle}, {"Color", 0x20000000},   {"DockedDockingStyle", dsTop}, {"DockedLeft", 0},
      {"DockedTop", 0},         {"DockingStyle", dsNone},  {"FloatLeft", 0},             {"FloatTop", 0},
      {"FloatClientWidth", 0},  {"FloatClientHeight", 0},  {"Hidden", 0},                {"IsMainMenu", 0},
      {"MultiLine", 0},         {"NotDocking", 0},         {"OneOnRow", 0},              {"RotateWhenVertical", 1},
      {"Row", 0},               {"ShowMark", 1},           {"SizeGrip", 1},              {"UseOwnFont", 0},
      {"UseRecentItems", 1},    {"UseRestSpace", 0},       {"Visible", 0},               {"WholeRow", 0},
      {"AlphaBlendValue", 255},
  };
  for (const auto& c : ordinals) {
    PPropInfo prop = GetPropInfo(bar, c.name);
    ASSERT_NE(prop, nullptr) << c.name;
    EXPECT_EQ(GetOrdProp(bar, prop), c.value) << c.name;
    // The writer leaves a value out when it equals the declared default.
    ASSERT_TRUE(prop->Default.has_value()) << c.name;
    EXPECT_EQ(*prop->Default, c.value) << c.name;
  }
  for (const char* name : {"Caption", "KeyTip", "OldName"}) EXPECT_EQ(GetStrProp(bar, name), "") << name;
  EXPECT_EQ(bar->GetDockControl(), nullptr);
  EXPECT_EQ(bar->DockedDockControl(), nullptr);
  EXPECT_TRUE(bar->Glyph()->Empty());
  EXPECT_TRUE(bar->BackgroundBitmap()->Empty());
  EXPECT_EQ(bar->GetItemLinks()->Count(), 0);
  EXPECT_EQ(bar->GetControl(), nullptr);
  // Font starts as the manager's, without making it the bar's own.
  EXPECT_EQ(bar->Font()->Name(), m().Font()->Name());
  EXPECT_EQ(bar->Font()->Size(), m().Font()->Size());
  EXPECT_FALSE(bar->UseOwnFont());
  EXPECT_EQ(m().Bars()->DockingZoneSize, 23);
}

// ---------------------------------------------------------------- setter effects

TEST_F(ToolbarTest, SettersTellADockedWindowWhatTheyChanged) {
  TdxBar* bar = RecordingBar();
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  ASSERT_NE(bar->GetControl(), nullptr);
  const struct {
    const char* what;
    std::function<void()> set;
    TLog expected;
  } cases[] = {
      {"ShowMark", [&] { bar->SetShowMark(false); }, {"rebuild"}},
      {"UseRestSpace", [&] { bar->SetUseRestSpace(true); }, {"rebuild"}},
      {"NotDocking", [&] { bar->SetNotDocking(DockingStyleBit(dsLeft)); }, {"rebuild"}},
      {"UseRecentItems", [&] { bar->SetUseRecentItems(false); }, {"rebuild"}},
      {"MultiLine", [&] { bar->SetMultiLine(true); }, {"rebuild"}},
      {"BorderStyle", [&] { bar->SetBorderStyle(bbsNone); }, {"frame", "rebuild"}},
      {"Color", [&] { bar->SetColor(clRed); }, {"frame", "rebuild"}},
      {"RotateWhenVertical", [&] { bar->SetRotateWhenVertical(false); }, {"font"}},
      // Only a floating window shows the caption.
      {"Caption", [&] { bar->SetCaption("Tools"); }, {}},
      {"AllowCustomizing", [&] { bar->SetAllowCustomizing(false); }, {}},
      {"AllowReset", [&] { bar->SetAllowReset(false); }, {}},
      {"KeyTip", [&] { bar->SetKeyTip("T"); }, {}},
      // Not a status-bar-like bar: the grip is not in its frame.
      {"SizeGrip", [&] { bar->SetSizeGrip(false); }, {}},
  };
  for (const auto& c : cases) {
    log_.clear();
    c.set();
    EXPECT_EQ(log_, c.expected) << c.what;
  }
}

TEST_F(ToolbarTest, FloatingWindowRefreshesItsCaption) {
  TdxBar* bar = RecordingBar();
  bar->SetVisible(true);
  ASSERT_TRUE(bar->IsFloating());
  const struct {
    const char* what;
    std::function<void()> set;
  } cases[] = {
      {"Caption", [&] { bar->SetCaption("Tools"); }},
      {"AllowClose", [&] { bar->SetAllowClose(false); }},
      {"AllowQuickCustomizing", [&] { bar->SetAllowQuickCustomizing(false); }},
  };
  for (const auto& c : cases) {
    log_.clear();
    c.set();
    EXPECT_EQ(log_, TLog{"repaint"}) << c.what;
  }
}

TEST_F(ToolbarTest, FloatingWindowTakesTheStoredBoundsPlusTheFrame) {
  TdxBar* bar = m().Bars()->Add();
  bar->SetFloatLeft(120);
  bar->SetFloatTop(80);
  bar->SetFloatClientWidth(200);
  bar->SetFloatClientHeight(30);
  bar->SetVisible(true);
  TCustomdxBarControl* w = bar->GetControl();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->DockingStyle(), dsNone);
  EXPECT_EQ(w->DockControl(), nullptr);
  // The client is what the layout makes of FloatClientWidth.
  auto* window = dynamic_cast<TdxBarControl*>(w);
  ASSERT_NE(window, nullptr);
  const TSize client = window->CalcSizeForWidth(dsNone, 200);
  EXPECT_EQ(w->BoundsRect(), TRect(120, 80, 120 + client.cx + bar->GetNonClientWidth(dsNone),
                                   80 + client.cy + bar->GetNonClientHeight(dsNone)));
  // A moved float position moves the window at once.
  bar->SetFloatLeft(10);
  EXPECT_EQ(w->Left(), 10);
}

// ---------------------------------------------------------------- showing and hiding

TEST_F(ToolbarTest, HidingAndShowingKeepsTheDockedPlace) {
  TdxBarDockControl* leftDock = FormDock(&m(), alLeft);
  const struct {
    const char* what;
    TdxBarDockControl* dock;
    TdxBarDockingStyle style;
    bool companion;  // another bar shares the row
    TdxDockControl* expectedDockedDock;
    TdxBarDockingStyle expectedSide;
  } cases[] = {
      {"top edge dock, alone", nullptr, dsTop, false, nullptr, dsTop},
      {"bottom edge dock, sharing the row", nullptr, dsBottom, true, nullptr, dsBottom},
      {"form dock site on the left", leftDock, dsNone, false, leftDock, dsLeft},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TdxBar* bar = m().Bars()->Add();
    if (c.dock)
      bar->SetDockControl(c.dock);
    else
      bar->SetDockingStyle(c.style);
    bar->SetVisible(true);
    TdxBar* other = nullptr;
    if (c.companion) {
      other = m().Bars()->Add();
      other->SetDockingStyle(c.style);
      other->SetVisible(true);
      ASSERT_EQ(other->DockRow(), bar->DockRow());
    }
    ASSERT_NE(bar->GetControl(), nullptr);
    EXPECT_EQ(bar->GetControl()->DockingStyle(), c.expectedSide);
    // The dock site places the window 40 along its row; the bar learns
    // its place when it hides.
    TdxDockControl* dock = bar->GetRealDockControl();
    const bool vertical = dock->IsVertical();
    const TPoint place = vertical ? TPoint(0, 40) : TPoint(40, 0);
    auto* window = dynamic_cast<TdxBarControl*>(bar->GetControl());
    ASSERT_NE(window, nullptr);
    dock->MoveBarInDock(window, dock->ClientToScreen(place));
    ASSERT_EQ(window->BoundsRect().TopLeft(), place);
    bar->SetVisible(false);
    EXPECT_EQ(bar->GetControl(), nullptr);
    EXPECT_EQ(bar->DockedLeft(), place.X);
    EXPECT_EQ(bar->DockedTop(), place.Y);
    EXPECT_EQ(bar->GetDockedDockingStyle(), c.expectedSide);
    EXPECT_EQ(bar->DockedDockControl(), c.expectedDockedDock);
    EXPECT_EQ(bar->OneOnRow(), !c.companion);
    bar->SetVisible(true);
    ASSERT_NE(bar->GetControl(), nullptr);
    EXPECT_EQ(bar->GetControl()->BoundsRect().TopLeft(), place);
    EXPECT_EQ(bar->GetControl()->DockingStyle(), c.expectedSide);
    EXPECT_EQ(bar->GetControl()->DockControl(), bar->GetRealDockControl());
    delete other;
    delete bar;
  }
}

TEST_F(ToolbarTest, VisibleChangesAnnounceThemselves) {
  std::vector<std::pair<TdxBar*, bool>> heard;
  m().OnBarVisibleChange = [&](TdxBarManager*, TdxBar* b) { heard.emplace_back(b, b->GetVisible()); };
  TdxBar* bar = m().Bars()->Add();
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  bar->SetVisible(true);
  bar->SetVisible(false);
  using P = std::pair<TdxBar*, bool>;
  EXPECT_EQ(heard, (std::vector<P>{P(bar, true), P(bar, false)}));
  // The emptied row went with the window.
  EXPECT_EQ(bar->DockRow(), nullptr);
  EXPECT_EQ(m().Bars()->EdgeDock(dsTop)->GetRowCount(), 0);
}

TEST_F(ToolbarTest, ShowingIsRefusedWhileTheManagerIsDestroyed) {
  TdxBar* first = m().Bars()->Add();
  TdxBar* second = m().Bars()->Add();
  second->SetDockingStyle(dsTop);
  bool shownDuringDestruction = true;
  bool reached = false;
  // Bars go last first: the second one's notice reaches a live first bar.
  second->OnDestroy = [&](TObject*) {
    reached = true;
    first->SetVisible(true);
    shownDuringDestruction = first->GetVisible() || first->GetControl();
  };
  manager_.reset();
  EXPECT_TRUE(reached);
  EXPECT_FALSE(shownDuringDestruction);
}

// ---------------------------------------------------------------- docking place

TEST_F(ToolbarTest, LeavingAFormDockGoesToTheEdgeDockOfTheSameSide) {
  const struct {
    TAlign align;
    TdxBarDockingStyle side;
  } cases[] = {{alLeft, dsLeft}, {alTop, dsTop}, {alRight, dsRight}, {alBottom, dsBottom}};
  for (const auto& c : cases) {
    TdxBarDockControl* dock = FormDock(&m(), c.align);
    TdxBar* bar = m().Bars()->Add();
    bar->SetDockControl(dock);
    bar->SetVisible(true);
    EXPECT_EQ(bar->GetDockingStyle(), c.side);
    bar->SetDockControl(nullptr);
    EXPECT_EQ(bar->GetDockingStyle(), c.side);
    EXPECT_EQ(bar->GetRealDockControl(), m().Bars()->EdgeDock(c.side));
    ASSERT_NE(bar->GetControl(), nullptr);
    EXPECT_EQ(bar->GetControl()->DockControl(), m().Bars()->EdgeDock(c.side));
    delete bar;
  }
}

TEST_F(ToolbarTest, DockingStyleMovesTheWindowAndAnnouncesTheChange) {
  TdxBar* bar = m().Bars()->Add();
  TdxBarDockControl* dock = FormDock(&m(), alRight);
  int announced = 0;
  m().OnBarDockingStyleChange = [&](TdxBarManager*, TdxBar*) { ++announced; };
  bar->SetDockControl(dock);
  EXPECT_EQ(announced, 1);
  bar->SetVisible(true);
  bar->SetDockingStyle(dsBottom);
  EXPECT_EQ(announced, 2);
  // Choosing a side leaves the form dock site.
  EXPECT_EQ(bar->GetDockControl(), nullptr);
  ASSERT_NE(bar->GetControl(), nullptr);
  EXPECT_EQ(bar->GetControl()->DockingStyle(), dsBottom);
  EXPECT_EQ(bar->GetControl()->DockControl(), m().Bars()->EdgeDock(dsBottom));
  bar->SetDockingStyle(dsBottom);
  EXPECT_EQ(announced, 2);
}

TEST_F(ToolbarTest, DockingStyleAndControlTogether) {
  TdxBarDockControl* dock = FormDock(&m(), alLeft);
  const struct {
    const char* what;
    TdxBarDockingStyle style;
    TdxDockControl* given;
    TdxBarDockControl* expectedDock;
    TdxBarDockingStyle expectedStyle;
  } cases[] = {
      {"a form dock", dsTop, dock, dock, dsLeft},
      {"an edge dock counts as none", dsRight, m().Bars()->EdgeDock(dsRight), nullptr, dsRight},
      {"a style alone", dsBottom, nullptr, nullptr, dsBottom},
      {"floating", dsNone, nullptr, nullptr, dsNone},
  };
  for (const auto& c : cases) {
    TdxBar* bar = m().Bars()->Add();
    bar->SetDockingStyle(dsTop);
    bar->SetDockingStyleAndControl(c.style, c.given);
    EXPECT_EQ(bar->GetDockControl(), c.expectedDock) << c.what;
    EXPECT_EQ(bar->GetDockingStyle(), c.expectedStyle) << c.what;
    delete bar;
  }
}

// ---------------------------------------------------------------- rows

TEST_F(ToolbarTest, RowBeyondTheLastAppends) {
  const struct {
    const char* what;
    bool locked;
    int32_t expectedRow;
    int32_t expectedRows;
  } cases[] = {{"one row normally", false, 2, 3}, {"up to the row while the bars update", true, 5, 6}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TdxBarDockControl* dock = FormDock(&m(), alTop);
    dock->AddRow();
    dock->AddRow();
    TdxBar* bar = m().Bars()->Add();
    bar->SetDockControl(dock);
    if (c.locked) m().BeginBarsUpdate();
    bar->SetRow(5);
    EXPECT_EQ(bar->GetRow(), c.expectedRow);
    EXPECT_EQ(dock->GetRowCount(), c.expectedRows);
    ASSERT_NE(bar->DockRow(), nullptr);
    EXPECT_EQ(bar->DockRow()->DockControl(), dock);
    // Back to an existing row: the emptied one goes.
    bar->SetRow(0);
    EXPECT_EQ(bar->GetRow(), 0);
    EXPECT_EQ(dock->GetRowCount(), c.expectedRows - 1);
    if (c.locked) m().EndBarsUpdate();
    delete bar;
  }
}

// ---------------------------------------------------------------- main menu, closing, moving

TEST_F(ToolbarTest, ASecondMainMenuTakesOverFromTheFirst) {
  TdxBar* first = m().Bars()->Add();
  TdxBar* second = m().Bars()->Add();
  first->SetIsMainMenu(true);
  EXPECT_TRUE(first->WholeRow());
  EXPECT_TRUE(first->MultiLine());
  EXPECT_EQ(m().GetMainMenuBar(), first);
  // A main menu always wraps.
  first->SetMultiLine(false);
  EXPECT_TRUE(first->MultiLine());
  second->SetIsMainMenu(true);
  EXPECT_FALSE(first->IsMainMenu());
  EXPECT_FALSE(first->WholeRow());
  EXPECT_FALSE(first->MultiLine());
  EXPECT_TRUE(second->IsMainMenu());
  EXPECT_EQ(m().GetMainMenuBar(), second);
  delete second;
  EXPECT_EQ(m().GetMainMenuBar(), nullptr);
}

TEST_F(ToolbarTest, CanCloseAndIsMovable) {
  TdxBar* bar = m().Bars()->Add();
  const struct {
    bool allowClose, mainMenu, expected;
  } closing[] = {{true, false, true}, {false, false, false}, {true, true, false}, {false, true, false}};
  for (const auto& c : closing) {
    bar->SetAllowClose(c.allowClose);
    bar->SetIsMainMenu(c.mainMenu);
    EXPECT_EQ(bar->CanClose(), c.expected) << c.allowClose << c.mainMenu;
  }
  const struct {
    TdxBarDockingStyles own, manager;
    bool expected;
  } moving[] = {
      {0, 0, true},
      {kAllStyles, 0, false},
      {0, kAllStyles, false},
      {TdxBarDockingStyles(kAllStyles & ~DockingStyleBit(dsNone)), 0, true},
      {TdxBarDockingStyles(kAllStyles & ~DockingStyleBit(dsBottom)), DockingStyleBit(dsBottom), true},
  };
  for (const auto& c : moving) {
    bar->SetNotDocking(c.own);
    m().SetNotDocking(c.manager);
    EXPECT_EQ(bar->IsMovable(), c.expected) << int(c.own) << " " << int(c.manager);
  }
}

// ---------------------------------------------------------------- refusals

TEST_F(ToolbarTest, BadValuesAreRefusedOrClamped) {
  TdxBar* first = m().Bars()->Add();
  TdxBar* bar = m().Bars()->Add();
  first->SetCaption("General");
  bar->SetCaption("Navigation");
  bar->SetCaption("General");
  EXPECT_EQ(bar->Caption(), "Navigation");
  // Its own caption again is no conflict.
  bar->SetCaption("Navigation");
  EXPECT_EQ(bar->Caption(), "Navigation");

  bar->SetDockedLeft(-5);
  bar->SetDockedTop(-1);
  bar->SetRow(-3);
  EXPECT_EQ(bar->DockedLeft(), 0);
  EXPECT_EQ(bar->DockedTop(), 0);
  EXPECT_EQ(bar->GetRow(), 0);

  TForm otherForm(nullptr);
  TdxBarManager other(&otherForm);
  TdxBarDockControl* foreign = FormDock(&other, alLeft);
  bar->SetDockControl(foreign);
  bar->SetDockedDockControl(foreign);
  EXPECT_EQ(bar->GetDockControl(), nullptr);
  EXPECT_EQ(bar->DockedDockControl(), nullptr);
  delete foreign;
}

// ---------------------------------------------------------------- names

TEST_F(ToolbarTest, NewBarsTakeTheFirstFreeNumber) {
  TdxBar* b1 = m().Bars()->Add();
  TdxBar* b2 = m().Bars()->Add();
  EXPECT_EQ(b1->Name(), "dxBarManager1Bar1");
  EXPECT_EQ(b2->Name(), "dxBarManager1Bar2");
  delete b1;
  EXPECT_EQ(m().Bars()->Add()->Name(), "dxBarManager1Bar1");
  EXPECT_EQ(m().Bars()->Add()->Name(), "dxBarManager1Bar3");
}

TEST_F(ToolbarTest, NamesReadWithABarListGoToOldName) {
  TdxBar* bar = m().Bars()->Add();
  bar->Restoring = true;
  bar->SetName("StoredBar");
  bar->Restoring = false;
  EXPECT_EQ(bar->OldName(), "StoredBar");
  EXPECT_EQ(bar->Name(), "dxBarManager1Bar1");
}

// ---------------------------------------------------------------- fonts

TEST_F(ToolbarTest, FontsFollowTheManagerUntilTheBarHasItsOwn) {
  // The system font and scaling would otherwise override the manager's size.
  m().SetUseSystemFont(false);
  m().SetScaled(false);
  TdxBar* bar = RecordingBar();
  TdxBar* plain = m().Bars()->Add();
  bar->SetVisible(true);
  const int managerSize = m().Font()->Size();
  log_.clear();
  TFont own;
  own.Assign(m().Font());
  own.SetSize(managerSize + 4);
  bar->SetFont(&own);
  EXPECT_TRUE(bar->UseOwnFont());
  EXPECT_EQ(bar->GetControl()->Font()->Size(), managerSize + 4);
  EXPECT_NE(std::find(log_.begin(), log_.end(), "font"), log_.end());
  // The manager's font reaches only bars without their own.
  m().Font()->SetSize(managerSize + 1);
  EXPECT_EQ(bar->Font()->Size(), managerSize + 4);
  EXPECT_EQ(plain->Font()->Size(), managerSize + 1);
  EXPECT_FALSE(plain->UseOwnFont());
  bar->SetUseOwnFont(false);
  EXPECT_EQ(bar->Font()->Size(), managerSize + 1);
  EXPECT_FALSE(bar->UseOwnFont());
}

// ---------------------------------------------------------------- loading

TEST_F(ToolbarTest, LoadedValuesWaitForTheManagersLoaded) {
  TdxBar* bar = m().Bars()->Add();
  m().SetLoading(true);
  bar->SetVisible(true);
  bar->SetDockingStyle(dsLeft);
  EXPECT_FALSE(bar->GetVisible());
  EXPECT_EQ(bar->GetDockingStyle(), dsNone);
  EXPECT_EQ(bar->GetControl(), nullptr);
  EXPECT_TRUE(bar->LoadedVisible());
  EXPECT_EQ(bar->LoadedDockingStyle(), dsLeft);
  m().Loaded();
  EXPECT_TRUE(bar->GetVisible());
  // The side came before Visible: the window was made on the left.
  ASSERT_NE(bar->GetControl(), nullptr);
  EXPECT_EQ(bar->GetControl()->DockingStyle(), dsLeft);
  EXPECT_EQ(bar->GetControl()->DockControl(), m().Bars()->EdgeDock(dsLeft));
  EXPECT_TRUE(bar->Predefined);
  EXPECT_TRUE(bar->CanReset());
}

// ---------------------------------------------------------------- assignment

TEST_F(ToolbarTest, AssignCopiesTheSettingsAndShowsInThePlaceCopied) {
  TdxBar* src = m().Bars()->Add();
  src->SetCaption("Navigation");
  src->SetAllowClose(false);
  src->SetBorderStyle(bbsNone);
  src->SetDockedLeft(377);
  src->SetFloatLeft(15);
  src->SetFloatClientWidth(90);
  src->SetHidden(true);
  src->SetNotDocking(DockingStyleBit(dsRight));
  src->SetOldName("Old");
  src->SetShowMark(false);
  src->SetWholeRow(true);
  src->SetUseRestSpace(true);
  src->SetColor(clBlue);
  src->SetDockingStyle(dsLeft);
  src->SetKeyTip("N");
  src->SetMultiLine(true);
  src->SetAlphaBlendValue(100);
  src->SetVisible(true);

  TForm otherForm(nullptr);
  TdxBarManager other(&otherForm);
  TdxBar* copy = other.Bars()->Add();
  copy->Assign(src);
  EXPECT_EQ(copy->Caption(), "Navigation");
  EXPECT_FALSE(copy->AllowClose());
  EXPECT_EQ(copy->BorderStyle(), bbsNone);
  EXPECT_EQ(copy->DockedLeft(), 377);
  EXPECT_EQ(copy->FloatLeft(), 15);
  EXPECT_EQ(copy->FloatClientWidth(), 90);
  EXPECT_TRUE(copy->Hidden());
  EXPECT_EQ(copy->GetNotDocking(), DockingStyleBit(dsRight));
  EXPECT_EQ(copy->OldName(), "Old");
  EXPECT_FALSE(copy->ShowMark());
  EXPECT_TRUE(copy->WholeRow());
  EXPECT_TRUE(copy->UseRestSpace());
  EXPECT_EQ(copy->Color(), clBlue);
  EXPECT_EQ(copy->GetDockingStyle(), dsLeft);
  EXPECT_TRUE(copy->GetVisible());
  ASSERT_NE(copy->GetControl(), nullptr);
  EXPECT_EQ(copy->GetControl()->DockingStyle(), dsLeft);
  // Not copied.
  EXPECT_EQ(copy->KeyTip(), "");
  EXPECT_FALSE(copy->MultiLine());
  EXPECT_EQ(copy->AlphaBlendValue(), 255);

  // Within one manager the caption stays unique.
  TdxBar* twin = m().Bars()->Add();
  const std::string before = twin->Caption();
  twin->Assign(src);
  EXPECT_EQ(twin->Caption(), before);
}

}  // namespace
