#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/gdi/icon.h"
#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "tests/platform/vcl/controls_test.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarButtonControls.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarComponents.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarHooks.h"
#include "ui/bars/dxBarLabels.h"
#include "ui/bars/dxBarNavigation.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarStartup.h"
#include "ui/bars/dxBarStaticControls.h"
#include "ui/lookandfeel/cxLookAndFeelStartup.h"

namespace {

TEST(BarsStartUp, UnitsInTheirOrder) {
  const char* expected[] = {"dxBarStrs", "dxBarCustomCustomizationForm", "dxBar", "dxStatusBar"};
  const auto rows = dxBarUnits().Rows();
  ASSERT_EQ(rows.size(), std::size(expected));
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_STREQ(rows[i].Name, expected[i]);
}

TEST(BarsStartUp, StartsTheLookAndFeelLibraryFirst) {
  // By the test program's start-up.
  EXPECT_TRUE(cxLookAndFeelUnits().Started());
  EXPECT_TRUE(dxBarUnits().Started());
  dxStartBars();
  EXPECT_EQ(dxBarUnits().StartCount(), 2);
  dxStopBars();  // matches the second start: both libraries keep running
  EXPECT_TRUE(dxBarUnits().Started());
  EXPECT_TRUE(cxLookAndFeelUnits().Started());
}

std::vector<std::string> g_startLog;
void EarlierUnitStart() { g_startLog.push_back("earlier unit"); }

// The toolbar unit runs the start-up procedure it replaced, then stops any
// menu sound; leaving, it gives the chain back to that procedure.
using BarsStartUpChain = vcltest::VclTest;

TEST_F(BarsStartUpChain, JoinsTheApplicationStartUpChain) {
  ASSERT_EQ(InitProc(), &DxBarInitProcHook);
  LeaveBarInitProc();
  const TInitProc before = InitProc();
  InitProc() = &EarlierUnitStart;
  JoinBarInitProc();
  JoinBarInitProc();  // a second join must not make the hook call itself
  win::SetSoundHook([](const std::string& sound, win::DWORD) { g_startLog.push_back("sound '" + sound + "'"); });
  {
    TApplication app(nullptr);
    app.Initialize();
  }
  win::SetSoundHook(nullptr);
  EXPECT_EQ(g_startLog, (std::vector<std::string>{"earlier unit", "sound ''"}));
  LeaveBarInitProc();
  EXPECT_EQ(InitProc(), &EarlierUnitStart);
  InitProc() = before;
  JoinBarInitProc();
}

// ---------------------------------------------------------------- the toolbar unit

TEST(BarsToolbarUnit, TheScreenCursorTableHoldsTheDragAndSizingCursors) {
  struct Row {
    int32_t id;
    const char* name;
  } rows[] = {{1041, "DXBARDRAGCURSOR"},
              {1042, "DXBARDRAGCOPYCURSOR"},
              {1043, "DXBARDRAGNODROPCURSOR"},
              {1044, "DXBAREDITSIZINGCURSOR"}};
  const win::HINSTANCE program = win::GetModuleHandle(nullptr);
  std::set<win::HCURSOR> distinct;
  for (const Row& row : rows) {
    const win::HCURSOR cursor = Screen->Cursors(row.id);
    ASSERT_NE(cursor, nullptr) << row.name;
    EXPECT_NE(cursor, Screen->Cursors(crDefault)) << row.name;
    EXPECT_EQ(cursor, win::LoadCursor(program, row.name)) << row.name;
    EXPECT_FALSE(cursor->IsIcon) << row.name;
    int32_t opaque = 0;
    for (uint8_t transparent : cursor->And) opaque += transparent == 0;
    EXPECT_GT(opaque, 0) << row.name << " shows something";
    distinct.insert(cursor);
  }
  EXPECT_EQ(distinct.size(), std::size(rows));
}

TEST(BarsToolbarUnit, UserEntryPointsAreNullWhereThePlatformLacksThem) {
  auto bound = [] {
    return std::vector<const void*>{reinterpret_cast<const void*>(dxUpdateLayeredWindow),
                                    reinterpret_cast<const void*>(dxAnimateWindow),
                                    reinterpret_cast<const void*>(dxSetLayeredWindowAttributes)};
  };
  const std::vector<const void*> none(3, nullptr);
  // Layered windows with per-pixel alpha depend on the display backend in use.
  auto platform = [] {
    const bool layered = win::GetProcAddress(win::GetModuleHandle("user32"), "UpdateLayeredWindow") != nullptr;
    return std::vector<const void*>{layered ? reinterpret_cast<const void*>(&win::UpdateLayeredWindow) : nullptr,
                                    reinterpret_cast<const void*>(&win::AnimateWindow),
                                    reinterpret_cast<const void*>(&win::SetLayeredWindowAttributes)};
  };
  ReleaseBarUser32();
  EXPECT_EQ(bound(), none);
  {
    // A module table without user32 at all.
    win::ScopedModuleTable table({});
    BindBarUser32();
    EXPECT_EQ(bound(), none);
    ReleaseBarUser32();
  }
  // A user32 without the three entry points.
  for (const char* name : {"UpdateLayeredWindow", "AnimateWindow", "SetLayeredWindowAttributes"})
    win::HideModuleExport("user32.dll", name, win::TRUE);
  BindBarUser32();
  EXPECT_EQ(bound(), none);
  ReleaseBarUser32();
  for (const char* name : {"UpdateLayeredWindow", "AnimateWindow", "SetLayeredWindowAttributes"})
    win::HideModuleExport("user32.dll", name, win::FALSE);
  BindBarUser32();
  EXPECT_EQ(bound(), platform());
}

TEST(BarsToolbarUnit, TheRegistryMapsEachItemClassToItsControlInTheTablesOrder) {
  struct Row {
    TClass item, control;
    bool listed;
  } expected[] = {
      {TdxBarButton::StaticClass(), TdxBarButtonControl::StaticClass(), true},
      {TdxBarLargeButton::StaticClass(), TdxBarLargeButtonControl::StaticClass(), true},
      {TdxBarLabel::StaticClass(), TdxBarCustomStaticControl::StaticClass(), false},
      {TdxBarSeparator::StaticClass(), TdxBarSeparatorControl::StaticClass(), true},
  };
  const auto rows = dxBarItemClassRows();
  ASSERT_EQ(rows.size(), std::size(expected));
  TdxBarItemList* registry = ItemClassRegistry();
  ASSERT_NE(registry, nullptr);
  std::vector<TClass> listed;
  for (int32_t i = 0; i < registry->VisibleItemCount(); ++i) listed.push_back(registry->VisibleItemClass(i));
  int32_t previous = -1;
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].ItemClass, expected[i].item) << i;
    EXPECT_EQ(rows[i].ControlClass, expected[i].control) << i;
    EXPECT_EQ(rows[i].Listed, expected[i].listed) << i;
    EXPECT_EQ(registry->ItemControlClassOf(expected[i].item), expected[i].control) << expected[i].item->Name;
    EXPECT_EQ(std::find(listed.begin(), listed.end(), expected[i].item) != listed.end(), expected[i].listed)
        << expected[i].item->Name;
    // Registered in the table's order, and known to streaming by name.
    int32_t at = -1;
    for (int32_t r = 0; r < registry->Count(); ++r)
      if (registry->ItemClassAt(r) == expected[i].item && at < 0) at = r;
    EXPECT_GT(at, previous) << expected[i].item->Name;
    previous = at;
    EXPECT_EQ(GetClass(expected[i].item->Name), expected[i].item);
  }
}

std::vector<uintptr_t> UnitState() {
  std::vector<uintptr_t> state{reinterpret_cast<uintptr_t>(NavigationControllerInstance()),
                               reinterpret_cast<uintptr_t>(ItemClassRegistry()),
                               uintptr_t(ItemClassRegistry() ? ItemClassRegistry()->Count() : -1),
                               reinterpret_cast<uintptr_t>(DitherBrush()),
                               reinterpret_cast<uintptr_t>(dxBarManagerList()),
                               reinterpret_cast<uintptr_t>(dxUpdateLayeredWindow),
                               reinterpret_cast<uintptr_t>(dxAnimateWindow),
                               reinterpret_cast<uintptr_t>(dxSetLayeredWindowAttributes),
                               reinterpret_cast<uintptr_t>(dxBarCreateItemControlProc()),
                               reinterpret_cast<uintptr_t>(InitProc()),
                               uintptr_t(ScreenColorDepth()),
                               uintptr_t(IsBarUnitFinalizing())};
  for (int32_t id = crdxBarDrag; id <= crdxBarEditSizing; ++id)
    state.push_back(reinterpret_cast<uintptr_t>(Screen->Cursors(id)));
  return state;
}

TEST(BarsToolbarUnit, ASecondStartAndStopChangeNothing) {
  const std::vector<uintptr_t> before = UnitState();
  ASSERT_NE(before[0], 0u);
  dxStartBars();
  EXPECT_EQ(UnitState(), before);
  dxStopBars();
  EXPECT_EQ(UnitState(), before);
}

// The shut-down frees what the start-up made, and a start-up afterwards makes nothing again.
TEST(BarsToolbarUnitDeathTest, ShutDownReleasesTheUnitsStateForGood) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        dxStopBars();
        const bool released = IsBarUnitFinalizing() && !NavigationControllerInstance() && !ItemClassRegistry() &&
                              !DitherBrush() && !dxBarManagerList() && !SharedFlatPainter() &&
                              !dxUpdateLayeredWindow && !dxAnimateWindow && !dxSetLayeredWindowAttributes &&
                              !dxBarCreateItemControlProc() && InitProc() != &DxBarInitProcHook;
        dxStartBars();
        BuildDitherBrush();
        const bool stillReleased = !NavigationControllerInstance() && !ItemClassRegistry() && !DitherBrush() &&
                                   !dxBarManagerList() && !dxBarCreateItemControlProc();
        std::exit((released ? 0 : 1) | (stillReleased ? 0 : 2));
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
