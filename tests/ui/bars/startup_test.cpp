#include <gtest/gtest.h>

#include <iterator>

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

}  // namespace
