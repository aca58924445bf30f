// The bar manager driven headless with recording doubles of its bar windows
// and dock sites: construction and its owner checks, the painter choice, the
// use count, fonts, the bars update lock, streaming, options, category
// visibility, the flat colours and destruction.
#include "ui/bars/dxBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "platform/classes/filer.h"
#include "platform/classes/lists.h"
#include "platform/classes/streams.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/imglist.h"
#include "platform/win/winuser.h"
#include "tests/platform/vcl/controls_test.h"
#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBarHints.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

using namespace bartest;

namespace {

class BarManagerTest : public BarFormTest {};

// ---------------------------------------------------------------- construction

TEST_F(BarManagerTest, RefusedOwnersRaiseAndLeaveTheFirstManagerWorking) {
  TdxBarManager first(form_.get());
  TComponent plain(nullptr);
  struct Case {
    const char* what;
    TComponent* owner;
    const char* message;
  } cases[] = {
      {"a second manager on the form", form_.get(), "A control should contain only a single TdxBarManager"},
      {"a component that is not a windowed control", &plain, "TdxBarManager should have TWinControl as its Owner"},
      {"no owner and no main form", nullptr, "TdxBarManager should have TWinControl as its Owner"},
  };
  ASSERT_EQ(Application->MainForm(), nullptr);
  for (const Case& c : cases) {
    try {
      TdxBarManager second(c.owner);
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const EdxException& e) {
      EXPECT_EQ(e.Message(), c.message) << c.what;
    }
  }
  EXPECT_EQ(form_->ComponentCount(), 1);
  EXPECT_EQ(dxBarManagerList()->Count(), 1);
  // The first one still answers and takes a new bar.
  first.SetStyle(bmsFlat);
  EXPECT_EQ(first.GetDefaultPainterClass(), TdxBarFlatPainter::StaticClass());
  TdxBar* bar = first.AddBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Caption(), "Custom 1");
}

TEST_F(BarManagerTest, NilOwnerTakesTheMainForm) {
  Application->SetMainForm(form_.get());
  {
    TdxBarManager manager(nullptr);
    EXPECT_EQ(manager.Owner(), form_.get());
    EXPECT_EQ(manager.OwnerControl(), form_.get());
    // Deleting the manager takes it out of the form's components.
    form_->RemoveComponent(&manager);
  }
  Application->SetMainForm(nullptr);
  EXPECT_EQ(dxBarManagerList()->Count(), 0);
}

TEST_F(BarManagerTest, DefaultsAfterConstruction) {
  TdxBarManager m(form_.get());
  EXPECT_EQ(m.Style(), bmsEnhanced);
  EXPECT_EQ(m.GetDefaultPainterClass(), TdxBarEnhancedPainter::StaticClass());
  EXPECT_TRUE(m.AllowReset());
  EXPECT_TRUE(m.AutoDockColor());
  EXPECT_EQ(m.ButtonArrowWidth(), 11);
  EXPECT_EQ(m.LargeButtonArrowWidth(), 13);
  EXPECT_EQ(m.MostRecentItemsPercents(), 95);
  EXPECT_EQ(m.WaitForDockingTime(), 21);
  EXPECT_TRUE(m.UseSystemFont());
  EXPECT_TRUE(m.Scaled());
  EXPECT_EQ(m.MenuAnimations(), maNone);
  EXPECT_FALSE(m.CanResetBars());  // never read from a form
  // The four edge docks sit on the owner, in the order left, top, right, bottom.
  ASSERT_EQ(m.GetDockControlCount(), 4);
  const TAlign aligns[4] = {alLeft, alTop, alRight, alBottom};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(m.GetDockControl(i)->Parent(), form_.get());
    EXPECT_EQ(m.GetDockControl(i)->Align(), aligns[i]);
    EXPECT_TRUE(m.GetDockControl(i)->IsEdgeDock());
  }
}

// ---------------------------------------------------------------- painter choice

TEST_F(BarManagerTest, PainterFollowsStyleAndLookAndFeel) {
  TdxBarManager m(form_.get());
  TLog log;
  TdxBar* bar = m.Bars()->Add();
  bar->SetControl(new TRecordingBarControl(&m, "bar", log));
  struct Case {
    TdxBarManagerStyle style;
    TcxLookAndFeelKind kind;
    TClass painter;
    TdxBarManagerStyle effective;
  } cases[] = {
      {bmsStandard, lfUltraFlat, TdxBarStandardPainter::StaticClass(), bmsStandard},
      {bmsEnhanced, lfUltraFlat, TdxBarEnhancedPainter::StaticClass(), bmsEnhanced},
      {bmsFlat, lfUltraFlat, TdxBarFlatPainter::StaticClass(), bmsFlat},
      // No visual styles on this platform: XP is drawn by the enhanced painter.
      {bmsXP, lfUltraFlat, TdxBarEnhancedPainter::StaticClass(), bmsXP},
      {bmsOffice11, lfUltraFlat, TdxBarOffice11Painter::StaticClass(), bmsOffice11},
      {bmsUseLookAndFeel, lfFlat, TdxBarEnhancedPainter::StaticClass(), bmsEnhanced},
      {bmsUseLookAndFeel, lfUltraFlat, TdxBarFlatPainter::StaticClass(), bmsFlat},
      {bmsUseLookAndFeel, lfStandard, TdxBarStandardPainter::StaticClass(), bmsStandard},
      {bmsUseLookAndFeel, lfOffice11, TdxBarOffice11Painter::StaticClass(), bmsOffice11},
  };
  for (const Case& c : cases) {
    m.SetStyle(bmsStandard);
    m.LookAndFeel()->SetKind(c.kind);
    m.SetStyle(c.style);
    log.clear();
    m.StyleChanged();
    EXPECT_FALSE(m.VisualStylesAvailable());
    EXPECT_EQ(m.GetDefaultPainterClass(), c.painter) << c.style << " " << c.kind;
    EXPECT_EQ(m.GetEffectiveStyle(), c.effective) << c.style << " " << c.kind;
    EXPECT_EQ(m.IsNonStandardStyle(), c.effective != bmsStandard);
    EXPECT_EQ(log.front(), "bar painter");
  }
  // A change of the look-and-feel alone chooses the painter again.
  m.SetStyle(bmsUseLookAndFeel);
  m.LookAndFeel()->SetKind(lfUltraFlat);
  EXPECT_EQ(m.GetDefaultPainterClass(), TdxBarFlatPainter::StaticClass());
  m.LookAndFeel()->SetKind(lfStandard);
  EXPECT_EQ(m.GetDefaultPainterClass(), TdxBarStandardPainter::StaticClass());
}

TEST_F(BarManagerTest, AssignLookAndFeelToMapsThePainterStyle) {
  TdxBarManager m(form_.get());
  struct Case {
    TdxBarManagerStyle style;
    TcxLookAndFeelKind kind;
  } cases[] = {
      {bmsStandard, lfFlat}, {bmsEnhanced, lfFlat}, {bmsFlat, lfUltraFlat}, {bmsOffice11, lfOffice11}};
  for (const Case& c : cases) {
    m.SetStyle(c.style);
    TcxLookAndFeel target(nullptr);
    target.SetKind(lfStandard);
    target.SetNativeStyle(true);
    m.AssignLookAndFeelTo(&target);
    EXPECT_EQ(target.Kind(), c.kind) << c.style;
    EXPECT_FALSE(target.NativeStyle()) << c.style;
    EXPECT_EQ(target.SkinName(), "");
  }
}

// ---------------------------------------------------------------- recent items

TEST_F(BarManagerTest, InitialUseCountFollowsThePercentage) {
  TdxBarManager m(form_.get());
  // The smallest n >= 1 with n * (100 - p) div 100 > 0, found by counting; 0 at 100.
  auto expected = [](int p) {
    if (p == 100) return 0;
    for (int n = 1;; ++n)
      if (n * (100 - p) / 100 > 0) return n;
  };
  struct Case {
    int set, stored, count;
  } cases[] = {{95, 95, 20}, {100, 100, 0}, {99, 99, 100}, {50, 50, 2}, {150, 100, 0}, {0, 0, 1}};
  for (const Case& c : cases) {
    m.SetMostRecentItemsPercents(c.set);
    EXPECT_EQ(m.MostRecentItemsPercents(), c.stored) << c.set;
    EXPECT_EQ(m.InitialUseCount(), c.count) << c.set;
    EXPECT_EQ(m.InitialUseCount(), expected(c.stored)) << c.set;
  }
  m.SetMostRecentItemsPercents(95);
  TdxBar* bar = m.Bars()->Add();
  EXPECT_EQ(bar->GetItemLinks()->Add()->UseCount, 20);
}

// ---------------------------------------------------------------- fonts

TEST_F(BarManagerTest, SystemFontIsTheMenuFontUntilAFontIsSet) {
  NonClientFontOverride menu(&win::NONCLIENTMETRICS::lfMenuFont, "DejaVu Sans", -15);
  TdxBarManager m(form_.get());
  EXPECT_TRUE(m.UseSystemFont());
  EXPECT_EQ(m.Font()->Name(), "DejaVu Sans");
  EXPECT_EQ(m.Font()->Height(), -15);

  TFont other;
  other.SetName("Liberation Serif");
  other.SetHeight(-20);
  m.SetScaled(false);
  m.SetFont(&other);
  EXPECT_FALSE(m.UseSystemFont());
  EXPECT_EQ(m.Font()->Name(), "Liberation Serif");
  EXPECT_EQ(m.Font()->Height(), -20);

  m.SetUseSystemFont(true);
  EXPECT_EQ(m.Font()->Name(), "DejaVu Sans");
  EXPECT_EQ(m.Font()->Height(), -15);
}

TEST_F(BarManagerTest, ScaledFontTakesTheMenuFontHeight) {
  NonClientFontOverride menu(&win::NONCLIENTMETRICS::lfMenuFont, "DejaVu Sans", -17);
  TdxBarManager m(form_.get());
  TFont f;
  f.SetName("Liberation Sans");
  f.SetHeight(-12);
  m.SetFont(&f);  // Scaled is on
  EXPECT_FALSE(m.UseSystemFont());
  EXPECT_EQ(m.Font()->Name(), "Liberation Sans");
  EXPECT_EQ(m.Font()->Height(), -17);
  // The edit font has the icon-title font's height, at least 11 pixels.
  win::LOGFONT icon{};
  win::SystemParametersInfoW(win::SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0);
  EXPECT_EQ(m.EditFont()->Height(), icon.lfHeight < -11 ? icon.lfHeight : -11);
  EXPECT_LE(m.EditFont()->Height(), -11);
  EXPECT_EQ(m.EditFont()->Name(), "Liberation Sans");
}

TEST_F(BarManagerTest, UnscaledFontKeepsItsHeightAndBarsFollowIt) {
  TdxBarManager m(form_.get());
  TdxBar* plain = m.Bars()->Add();
  TdxBar* own = m.Bars()->Add();
  own->SetUseOwnFont(true);
  m.SetScaled(false);
  TFont f;
  f.SetName("Liberation Mono");
  f.SetHeight(-9);
  m.SetFont(&f);
  EXPECT_EQ(m.Font()->Height(), -9);
  EXPECT_EQ(m.EditFont()->Height(), -9);  // a copy without the system size
  EXPECT_EQ(plain->Font()->Name(), "Liberation Mono");
  EXPECT_NE(own->Font()->Name(), "Liberation Mono");
  EXPECT_FALSE(plain->InternalFontChange);
}

// ---------------------------------------------------------------- update lock

TEST_F(BarManagerTest, NestedLockTogglesRedrawOnlyAtTheOuterPair) {
  TLog log;
  TdxBarManager m(form_.get());
  form_->Show();
  auto* dock = new TRecordingDock(form_.get(), "dock", log);
  dock->SetBarManager(&m);
  dock->HandleNeeded();
  // Three rows of which the second and third hold no bar.
  TdxBar* docked = m.Bars()->Add();
  dock->AddRow()->Bars.push_back(docked);
  dock->AddRow();
  dock->AddRow();
  TdxBar* floating = m.Bars()->Add();
  floating->SetDockingStyle(dsNone);
  floating->SetControl(new TRecordingBarControl(&m, "floating", log));
  docked->SetDockingStyle(dsTop);
  docked->SetControl(new TRecordingBarControl(&m, "docked", log));
  log.clear();

  m.BeginBarsUpdate();
  m.BeginBarsUpdate();
  EXPECT_EQ(log, TLog{"dock redraw 0"});
  m.EndBarsUpdate();
  EXPECT_EQ(log, TLog{"dock redraw 0"});
  EXPECT_EQ(dock->GetRowCount(), 3);
  m.EndBarsUpdate();
  EXPECT_FALSE(m.IsBarsUpdateLocked());
  EXPECT_EQ(dock->GetRowCount(), 1);
  EXPECT_EQ(dock->GetRow(0)->Bars.front(), docked);
  const TLog expected = {"dock redraw 0",     "dock redraw 1",    "floating size", "floating position",
                         "dock layout",       "dock ncpaint",     "docked nonclient", "docked repaint"};
  EXPECT_EQ(log, expected);
  delete dock;
}

TEST_F(BarManagerTest, MarkedBarsRecalculateAndMarksClearAfterAnException) {
  TLog log;
  TdxBarManager m(form_.get());
  TdxBar* bar = m.Bars()->Add();
  bar->SetDockingStyle(dsTop);
  auto* control = new TRecordingBarControl(&m, "bar", log);
  bar->SetControl(control);
  auto* item = new TdxBarItem(form_.get());
  item->SetBarManager(&m);

  // A bar window that skips its size during the lock marks its bar; the
  // unlock recalculates it with the floating ones.
  m.BeginBarsUpdate();
  control->RecalcSize();
  EXPECT_TRUE(bar->DeferredRecalc);
  log.clear();
  m.EndBarsUpdate(true);
  EXPECT_EQ(log, (TLog{"bar size", "bar position"}));
  EXPECT_FALSE(bar->DeferredRecalc);

  EXPECT_THROW(m.ForEachItem([&](TdxBarManager*, TdxBarItem*) {
    control->RecalcSize();
    throw EdxException("inside the lock");
  }),
               EdxException);
  EXPECT_FALSE(m.IsBarsUpdateLocked());
  EXPECT_FALSE(bar->DeferredRecalc);
}

// ---------------------------------------------------------------- streaming

// The viewer's manager as its form stores it.
constexpr const char* kViewerForm = R"(object Form1: TForm
  object dxBarManager1: TdxBarManager
    Font.Height = -12
    Font.Name = 'MS Shell Dlg 2'
    Categories.Strings = (
      'Default')
    StretchGlyphs = False
    Style = bmsOffice11
    UseSystemFont = False
    Bars = <
      item
        Caption = 'General'
        DockingStyle = dsTop
        DockedLeft = 0
        Row = 0
        Visible = True
      end
      item
        Caption = 'Navigation'
        DockingStyle = dsTop
        DockedLeft = 377
        Row = 0
        Visible = True
      end>
    DockControlHeights = (
      0
      0
      26
      0)
  end
end
)";

TdxBarManager* ManagerOf(TForm& form) {
  for (int32_t i = 0; i < form.ComponentCount(); ++i)
    if (auto* m = dynamic_cast<TdxBarManager*>(form.Components(i))) return m;
  return nullptr;
}

TEST_F(BarManagerTest, ViewerFormReadsAndWritesItsDockHeights) {
  NonClientFontOverride menu(&win::NONCLIENTMETRICS::lfMenuFont, "DejaVu Sans", -16);
  TStringStream in(kViewerForm);
  ReadComponent(in, form_.get());
  TdxBarManager* m = ManagerOf(*form_);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->Style(), bmsOffice11);
  EXPECT_EQ(m->GetDefaultPainterClass(), TdxBarOffice11Painter::StaticClass());
  EXPECT_FALSE(m->UseSystemFont());
  EXPECT_FALSE(m->StretchGlyphs());
  EXPECT_EQ(m->Font()->Name(), "MS Shell Dlg 2");
  EXPECT_EQ(m->Font()->Height(), -16);  // Scaled: the menu font's height
  EXPECT_TRUE(m->CanResetBars());
  ASSERT_EQ(m->Bars()->Count(), 2);
  EXPECT_EQ(m->Bars()->GetItem(1)->Caption(), "Navigation");
  EXPECT_EQ(m->Bars()->GetItem(1)->DockedLeft(), 377);
  EXPECT_EQ(m->Bars()->GetItem(1)->GetDockingStyle(), dsTop);
  EXPECT_TRUE(m->Bars()->GetItem(1)->GetVisible());
  // Once loaded, the top dock is as high as the row its two bars share.
  TCustomdxBarControl* general = m->Bars()->GetItem(0)->GetControl();
  TCustomdxBarControl* navigation = m->Bars()->GetItem(1)->GetControl();
  ASSERT_NE(general, nullptr);
  ASSERT_NE(navigation, nullptr);
  const int32_t rowHeight = std::max(general->Height(), navigation->Height());
  EXPECT_GT(rowHeight, 0);
  EXPECT_EQ(m->Bars()->EdgeDock(dsTop)->Height(), rowHeight);

  // Forms here write only their controls; the manager is written as a root.
  TStringStream out;
  WriteComponent(out, m);
  const std::string text = out.DataString();
  EXPECT_NE(text.find("DockControlHeights = (\n    0\n    0\n    " + std::to_string(rowHeight) + "\n    0)"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("Bars = "), std::string::npos) << text;
  EXPECT_NE(text.find("UseSystemFont = False"), std::string::npos) << text;

  TForm again(nullptr);
  auto* copy = new TdxBarManager(&again);
  TStringStream back(text);
  // A loaded manager arranges its docks; held bars updates keep what was read.
  copy->BeginBarsUpdate();
  ReadComponent(back, copy);
  EXPECT_EQ(copy->Bars()->EdgeDock(dsTop)->Height(), rowHeight);
  EXPECT_EQ(copy->Bars()->EdgeDock(dsLeft)->Width(), 0);
  EXPECT_EQ(copy->Style(), bmsOffice11);
  copy->EndBarsUpdate();
  // Without bars the loaded copy's docks are empty.
  copy->Bars()->EdgeDock(dsTop)->UpdateDock();
  EXPECT_EQ(copy->Bars()->EdgeDock(dsTop)->Height(), 0);
}

TEST_F(BarManagerTest, DockHeightListsReadWhatFits) {
  struct Case {
    const char* list;
    int left, right, top, bottom;
  } cases[] = {
      {"(\n 3\n 4\n 26\n 5)", 3, 4, 26, 5},
      {"(\n 3\n 'x'\n 26)", 3, 0, 26, 0},
      {"(\n 1\n 2\n 3\n 4\n 5\n 6)", 1, 2, 3, 4},
      {"()", 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TForm form(nullptr);
    auto* m = new TdxBarManager(&form);
    const std::string text = std::string("object M: TdxBarManager\n  DockControlHeights = ") + c.list + "\nend\n";
    TStringStream in(text);
    // Held bars updates keep the loaded manager from arranging its docks.
    m->BeginBarsUpdate();
    ReadComponent(in, m);
    TdxBars* bars = m->Bars();
    EXPECT_EQ(bars->EdgeDock(dsLeft)->Width(), c.left) << c.list;
    EXPECT_EQ(bars->EdgeDock(dsRight)->Width(), c.right) << c.list;
    EXPECT_EQ(bars->EdgeDock(dsTop)->Height(), c.top) << c.list;
    EXPECT_EQ(bars->EdgeDock(dsBottom)->Height(), c.bottom) << c.list;
    m->EndBarsUpdate();
  }
}

// ---------------------------------------------------------------- options

TEST_F(BarManagerTest, OptionSettersCorrectBadValues) {
  TdxBarManager m(form_.get());
  struct PathCase {
    const char* in;
    const char* out;
  } paths[] = {{"A", "\\A\\"}, {"", ""}, {"\\A", "\\A\\"}, {"A\\", "\\A\\"}, {"\\Soft\\A\\", "\\Soft\\A\\"}};
  for (const PathCase& c : paths) {
    m.SetRegistryPath(c.in);
    EXPECT_EQ(m.RegistryPath(), c.out) << c.in;
  }
  m.SetButtonArrowWidth(1);
  EXPECT_EQ(m.ButtonArrowWidth(), 11);
  m.SetButtonArrowWidth(2);
  EXPECT_EQ(m.ButtonArrowWidth(), 2);
  m.SetLargeButtonArrowWidth(-3);
  EXPECT_EQ(m.LargeButtonArrowWidth(), 13);
  m.SetWaitForDockingTime(-1);
  EXPECT_EQ(m.WaitForDockingTime(), 21);
  m.SetWaitForDockingTime(0);
  EXPECT_EQ(m.WaitForDockingTime(), 0);
}

TEST_F(BarManagerTest, ArrowWidthAndSunkenBorderReachBarsAndDocks) {
  TLog log;
  TdxBarManager m(form_.get());
  auto* dock = new TRecordingDock(form_.get(), "dock", log);
  dock->SetBarManager(&m);
  m.Bars()->Add()->SetControl(new TRecordingBarControl(&m, "bar", log));
  log.clear();  // joining the manager takes its colour and arranges the dock
  m.SetButtonArrowWidth(9);
  m.SetButtonArrowWidth(9);
  m.SetSunkenBorder(true);
  EXPECT_EQ(log, (TLog{"bar rebuild", "dock border"}));
  log.clear();
  m.SetDockColor(clRed);
  EXPECT_FALSE(m.AutoDockColor());
  EXPECT_EQ(m.DockColor(), clRed);
  EXPECT_EQ(log, TLog{"dock color"});
  delete dock;
}

TEST_F(BarManagerTest, CanDockBarAsksTheBarTheDockSiteAndTheManager) {
  TLog log;
  TdxBarManager m(form_.get());
  TdxBar* bar = m.Bars()->Add();
  auto* site = new TRecordingDock(form_.get(), "site", log);
  site->SetBarManager(&m);
  TdxDockControl* top = m.Bars()->EdgeDock(dsTop);
  m.SetNotDocking(DockingStyleBit(dsTop));
  EXPECT_FALSE(m.CanDockBar(bar, dsTop, top));
  EXPECT_FALSE(m.CanDockBar(bar, dsTop, nullptr));
  EXPECT_TRUE(m.CanDockBar(bar, dsTop, site));  // a form's dock site decides alone
  site->SetAllowDocking(false);
  EXPECT_FALSE(m.CanDockBar(bar, dsLeft, site));
  bar->SetNotDocking(DockingStyleBit(dsLeft));
  EXPECT_FALSE(m.CanDockBar(bar, dsLeft, nullptr));
  m.OnDocking = [](TdxBar*, TdxBarDockingStyle s, TdxDockControl*, bool& can) { can = s == dsBottom; };
  EXPECT_TRUE(m.CanDockBar(bar, dsBottom, nullptr));
  EXPECT_FALSE(m.CanDockBar(bar, dsRight, nullptr));
  delete site;
}

// ---------------------------------------------------------------- categories

TEST_F(BarManagerTest, AutoHideEmptyBarsHidesExactlyTheBarsThatBecameEmpty) {
  TdxBarManager m(form_.get());
  m.Categories()->Add("View");
  auto item = [&](int32_t category) {
    auto* i = new TdxBarItem(form_.get());
    i->SetBarManager(&m);
    i->SetCategory(category);
    return i;
  };
  TdxBarItem* a = item(0);
  TdxBarItem* b = item(0);
  TdxBarItem* v = item(1);
  auto bar = [&](std::initializer_list<TdxBarItem*> items, bool visible) {
    TdxBar* r = m.Bars()->Add();
    for (TdxBarItem* i : items) r->GetItemLinks()->Add()->SetItem(i);
    r->SetVisible(visible);
    return r;
  };
  TdxBar* onlyDefault = bar({a, b}, true);
  TdxBar* mixed = bar({a, v}, true);
  TdxBar* emptyBefore = bar({}, true);
  TdxBar* hiddenByUser = bar({b}, false);
  m.SetAutoHideEmptyBars(true);

  m.SetCategoryItemsVisible(0, ivNever);
  EXPECT_EQ(m.GetCategoryItemsVisible(0), ivNever);
  EXPECT_EQ(a->Visible(), ivNever);
  EXPECT_EQ(v->Visible(), ivAlways);
  EXPECT_FALSE(onlyDefault->GetVisible());
  EXPECT_TRUE(onlyDefault->InternallyHidden);
  EXPECT_TRUE(mixed->GetVisible());
  EXPECT_TRUE(emptyBefore->GetVisible());
  EXPECT_FALSE(emptyBefore->InternallyHidden);
  EXPECT_FALSE(hiddenByUser->InternallyHidden);

  m.SetCategoryItemsVisible(0, ivAlways);
  EXPECT_EQ(b->Visible(), ivAlways);
  EXPECT_TRUE(onlyDefault->GetVisible());
  EXPECT_FALSE(onlyDefault->InternallyHidden);
  EXPECT_FALSE(hiddenByUser->GetVisible());
  EXPECT_TRUE(emptyBefore->GetVisible());

  // Out-of-range indexes answer the values of a category without data.
  m.SetCategoryItemsVisible(5, ivNever);
  EXPECT_EQ(m.GetCategoryItemsVisible(5), ivAlways);
  EXPECT_TRUE(m.GetCategoryVisible(-1));
  m.SetCategoryVisible(0, false);
  EXPECT_EQ(m.GetRealCategoryIndex(0), 1);
  EXPECT_EQ(m.GetRealCategoryIndex(1), -1);
}

TEST_F(BarManagerTest, LookupsAnswerNothingForWhatIsMissing) {
  TdxBarManager m(form_.get());
  auto* first = new TdxBarItem(form_.get());
  first->SetName("dxBarItem1");
  first->SetBarManager(&m);
  first->SetCategory(0);
  auto* other = new TdxBarItem(form_.get());
  other->SetCategory(1);
  other->SetBarManager(&m);
  EXPECT_EQ(m.GetItem(-1), nullptr);
  EXPECT_EQ(m.GetItem(2), nullptr);
  EXPECT_EQ(m.FindItemByName("DXBARITEM1"), first);
  EXPECT_EQ(m.FindItemByName("dxBarItem7"), nullptr);
  std::string name;
  m.MakeItemName(TdxBarItem::StaticClass(), name);
  EXPECT_EQ(name, "dxBarItem2");
  TList list;
  EXPECT_EQ(m.GetItemsOfCategory(0, &list), 1);
  EXPECT_EQ(m.GetItemsOfCategory(1, &list), 0);  // no such category
  EXPECT_EQ(list.Count(), 0);
  first->SetVisible(ivInCustomizing);
  EXPECT_EQ(m.GetShownItemsOfCategory(0, &list), 0);

  TdxBar* bar = m.Bars()->Add();
  bar->SetCaption("Custom 1");
  std::string caption;
  m.MakeBarCaption("Custom ", caption);
  EXPECT_EQ(caption, "Custom 2");
  EXPECT_EQ(m.FindBarByCaption("custom 1"), nullptr);  // captions compare exactly
  EXPECT_EQ(m.FindBarByCaption("Custom 1"), bar);
}

TEST_F(BarManagerTest, TheHintShowsWhileTheSharedHintWindowIsVisible) {
  TdxBarManager m(form_.get());
  FreeBarHintWindow();
  EXPECT_FALSE(m.IsHintShowing());  // no hint window
  CreateBarHintWindow();
  ASSERT_NE(dxBarHintWindow(), nullptr);
  EXPECT_FALSE(m.IsHintShowing());  // made, not shown
  dxBarHintWindow()->ActivateHint(TRect{10, 10, 90, 30}, "Open");
  EXPECT_TRUE(m.IsHintShowing());
  win::ShowWindow(dxBarHintWindow()->Handle(), win::SW_HIDE);
  EXPECT_FALSE(m.IsHintShowing());
  FreeBarHintWindow();
  CreateBarHintWindow();  // as the toolbar unit leaves it
}

TEST_F(BarManagerTest, NoOtherManagerIsActiveWhileNoneCustomizes) {
  TdxBarManager m(form_.get());
  TForm other(nullptr);
  TdxBarManager n(&other);
  EXPECT_FALSE(m.IsCustomizing());
  EXPECT_FALSE(n.IsCustomizing());
  EXPECT_FALSE(m.IsAnotherManagerActive());
  EXPECT_FALSE(n.IsAnotherManagerActive());
}

TEST_F(BarManagerTest, TheMergeItemLinkEventMayChangeKindAndIndex) {
  TdxBarManager m(form_.get());
  TdxBar* dst = m.Bars()->Add();
  TdxBar* src = m.Bars()->Add();
  auto* item = new TdxBarButton(form_.get());
  item->SetBarManager(&m);
  TdxBarItemLink* link = src->GetItemLinks()->Add();
  link->SetItem(item);
  TdxBarItemMergeKind kind = mkAdd;
  int32_t index = 3;
  m.DoMergeItemLink(dst->GetItemLinks(), src->GetItemLinks(), link, kind, index);  // no handler: unchanged
  EXPECT_EQ(kind, mkAdd);
  EXPECT_EQ(index, 3);
  std::string heard;
  m.OnMergeItemLink = [&](TdxBarManager* Sender, TdxBarItemLinks* ADst, TdxBarItemLinks* ASrc, TdxBarItemLink* ALink,
                          TdxBarItemMergeKind& AKind, int32_t& AIndex) {
    heard = std::string(Sender == &m ? "m" : "?") + (ADst == dst->GetItemLinks() ? "d" : "?") +
            (ASrc == src->GetItemLinks() ? "s" : "?") + (ALink == link ? "l" : "?") + std::to_string(AIndex);
    AKind = mkNone;
    AIndex = 0;
  };
  m.DoMergeItemLink(dst->GetItemLinks(), src->GetItemLinks(), link, kind, index);
  EXPECT_EQ(heard, "mdsl3");
  EXPECT_EQ(kind, mkNone);
  EXPECT_EQ(index, 0);
}

TEST_F(BarManagerTest, ImageListChangesReachTheItemsThatUseThem) {
  TLog log;
  TdxBarManager m(form_.get());
  auto item = [&](const char* name, int32_t imageIndex, bool hot, bool large) {
    auto* i = new TGlyphItem(form_.get(), name, log, hot, large);
    i->SetImageIndex(imageIndex);
    i->SetBarManager(&m);
  };
  item("plain", -1, false, false);
  item("indexed", 0, false, false);
  item("hot", -1, true, false);
  item("large", -1, false, true);
  TdxBar* bar = m.Bars()->Add();
  bar->SetDockingStyle(dsTop);
  bar->SetControl(new TRecordingBarControl(&m, "bar", log));
  TImageList images(form_.get());
  struct Case {
    const char* what;
    std::function<void()> change;
    TLog expected;
  } cases[] = {
      {"Images", [&] { m.SetImages(&images); }, {"indexed glyph"}},
      {"DisabledImages", [&] { m.SetDisabledImages(&images); }, {"indexed glyph"}},
      {"HotImages", [&] { m.SetHotImages(&images); }, {"hot hot glyph"}},
      {"LargeImages", [&] { m.SetLargeImages(&images); }, {"large large glyph"}},
      {"ImageListBkColor", [&] { m.SetImageListBkColor(clRed); }, {"bar rebuild"}},
      {"LargeIcons", [&] { m.SetLargeIcons(true); }, {"bar rebuild"}},
      {"a change of a used list", [&] { images.SetWidth(24); }, {"indexed glyph", "indexed glyph", "hot hot glyph",
                                                                "large large glyph"}},
  };
  for (const Case& c : cases) {
    log.clear();
    c.change();
    // Each reaction runs inside one bars update: the bar window is refreshed at its end.
    std::erase_if(log, [](const std::string& e) { return e == "bar nonclient" || e == "bar repaint"; });
    EXPECT_EQ(log, c.expected) << c.what;
  }
  // Freeing a list that is in use clears it from the options.
  auto* hot = new TImageList(form_.get());
  m.SetHotImages(hot);
  delete hot;
  EXPECT_EQ(m.HotImages(), nullptr);
}

// ---------------------------------------------------------------- colours

int MulDivRounded(int a, int b, int c) { return int(std::lround(double(a) * b / c)); }

TColor Nearest(TColor c) {
  win::HDC dc = win::GetDC(nullptr);
  TColor r = TColor(win::GetNearestColor(dc, win::COLORREF(c)));
  win::ReleaseDC(nullptr, dc);
  return r;
}

// Light(a, b, c): each channel MulDiv(face, a) + MulDiv(highlight, b) + MulDiv(window, c) over 100,
// clipped; the highlight itself when the face is black or white.
TColor Light(int a, int b, int c) {
  const uint32_t f = win::GetSysColor(win::COLOR_BTNFACE), h = win::GetSysColor(win::COLOR_HIGHLIGHT),
                 w = win::GetSysColor(win::COLOR_WINDOW);
  if (f == 0 || f == 0xFFFFFF) return TColor(h);
  auto ch = [&](int shift) {
    int v = MulDivRounded((f >> shift) & 0xFF, a, 100) + MulDivRounded((h >> shift) & 0xFF, b, 100) +
            MulDivRounded((w >> shift) & 0xFF, c, 100);
    return uint32_t(std::clamp(v, 0, 255)) << shift;
  };
  return TColor(ch(0) | ch(8) | ch(16));
}

TEST_F(BarManagerTest, FlatColoursAndTheirBrushes) {
  TdxBarManager m(form_.get());
  const uint32_t shadow = win::GetSysColor(win::COLOR_BTNSHADOW), face = win::GetSysColor(win::COLOR_BTNFACE);
  auto map = [](uint32_t c, auto f) {
    return TColor(f(c & 0xFF) | f((c >> 8) & 0xFF) << 8 | f((c >> 16) & 0xFF) << 16);
  };
  const TColor expected[5] = {
      Nearest(map(shadow, [](uint32_t v) { return uint32_t(MulDivRounded(int(v), 8, 10)); })),
      Nearest(map(face, [](uint32_t v) { return v + uint32_t(MulDivRounded(255 - int(v), 16, 100)); })),
      Nearest(Light(11, 9, 73)),
      Nearest(Light(14, 44, 40)),
      Nearest(Light(-2, 30, 72)),
  };
  const TColor actual[5] = {m.FlatBorderColor(), m.FlatFaceColor(), m.FlatPressedColor(), m.FlatPressedHotColor(),
                            m.FlatHotColor()};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(actual[i], expected[i]) << i;
    win::LOGBRUSH lb{};
    ASSERT_NE(win::GetObject(m.FlatBrush(i), sizeof(lb), &lb), 0) << i;
    EXPECT_EQ(TColor(lb.lbColor), expected[i]) << i;
  }
  EXPECT_EQ(m.ThemeToolbarBrush(), nullptr);  // no visual styles
}

// ---------------------------------------------------------------- destruction and notifications

TEST_F(BarManagerTest, DestructionFreesWhatIsStillRegisteredOnce) {
  int items = 0, groups = 0, menus = 0;
  auto m = std::make_unique<TdxBarManager>(form_.get());
  TCountedItem* early = nullptr;
  for (int i = 0; i < 3; ++i) {
    auto* item = new TCountedItem(nullptr, items);
    item->SetBarManager(m.get());
    if (i == 0) early = item;
    (new TCountedGroup(nullptr, groups))->SetBarManager(m.get());
    (new TCountedPopupMenu(nullptr, menus))->SetBarManager(m.get());
  }
  delete early;  // leaves the manager's list on its own
  EXPECT_EQ(m->GetItemCount(), 2);
  EXPECT_EQ(m->GetGroupCount(), 3);
  m.reset();
  EXPECT_EQ(items, 3);
  EXPECT_EQ(groups, 3);
  EXPECT_EQ(menus, 3);
  EXPECT_EQ(dxBarManagerList()->Count(), 0);
}

TEST_F(BarManagerTest, FreedComponentsLeaveThePopupMenuLinks) {
  TdxBarManager m(form_.get());
  auto* panel = new TPanel(form_.get());
  panel->SetParent(form_.get());
  auto* menu = new TdxBarPopupMenu(form_.get());
  menu->SetBarManager(&m);
  TdxBarPopupMenuLink* link = m.PopupMenuLinks()->Add();
  link->SetControl(panel);
  link->SetPopupMenu(menu);
  ASSERT_EQ(link->Control(), panel);
  delete panel;
  EXPECT_EQ(link->Control(), nullptr);
  EXPECT_EQ(link->PopupMenu(), menu);
  delete menu;
  EXPECT_EQ(link->PopupMenu(), nullptr);
}

TEST_F(BarManagerTest, LostDockSiteTakesItsBarsAlong) {
  TLog log;
  TdxBarManager m(form_.get());
  auto* site = new TRecordingDock(form_.get(), "site", log);
  site->SetBarManager(&m);
  TdxBar* bar = m.Bars()->Add();
  bar->SetDockControl(site);
  bar->SetDockedDockControl(site);
  bar->SetControl(new TRecordingBarControl(&m, "bar", log));
  bar->SetVisible(true);
  const int32_t docks = m.GetDockControlCount();
  delete site;
  EXPECT_EQ(m.GetDockControlCount(), docks - 1);
  EXPECT_EQ(bar->GetDockControl(), nullptr);
  EXPECT_EQ(bar->DockedDockControl(), nullptr);
  // The bar goes on at the edge dock of the site's side.
  TdxDockControl* top = m.Bars()->EdgeDock(dsTop);
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_EQ(bar->GetRealDockControl(), top);
  ASSERT_NE(bar->GetControl(), nullptr);
  EXPECT_EQ(bar->GetControl()->DockControl(), top);
  // An edge dock that goes is forgotten by the bars.
  TdxDockControl* left = m.Bars()->EdgeDock(dsLeft);
  delete left;
  EXPECT_EQ(m.Bars()->EdgeDock(dsLeft), nullptr);
  EXPECT_TRUE(bar->GetVisible());
  // A bar left without any dock site is hidden.
  delete top;
  EXPECT_EQ(m.Bars()->EdgeDock(dsTop), nullptr);
  EXPECT_FALSE(bar->GetVisible());
}

}  // namespace
