#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "tests/platform/vcl/controls_test.h"
#include "ui/bars/dxBarHooks.h"
#include "ui/bars/dxBarStartup.h"
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

}  // namespace
