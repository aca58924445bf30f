#include "ui/bars/dxBarStartup.h"

#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarStrs.h"
#include "ui/bars/dxStatusBar.h"
#include "ui/lookandfeel/cxLookAndFeelStartup.h"

namespace {

// The start-up order of the units; shut-down runs it backwards. A unit
// without routines yet keeps its row, so its place in the order is fixed.
constexpr TdxUnitRow kUnits[] = {
    {"dxBarStrs", &dxBarStrsUnitStart, &dxBarStrsUnitStop},  // the texts under "BarSuite"
    {"dxBarCustomCustomizationForm", nullptr, nullptr},
    {"dxBar", &dxBarUnitStart, &dxBarUnitStop},  // the toolbar unit's start-up and shut-down
    {"dxStatusBar", &dxStatusBarUnitStart, &dxStatusBarUnitStop},  // the panel style registry and texts
};

}  // namespace

TdxUnitTable& dxBarUnits() {
  static TdxUnitTable table(kUnits);
  return table;
}

void dxStartBars() {
  cxStartLookAndFeel();
  try {
    dxBarUnits().Start();
  } catch (...) {
    cxStopLookAndFeel();
    throw;
  }
}

void dxStopBars() {
  dxBarUnits().Stop();
  cxStopLookAndFeel();
}
