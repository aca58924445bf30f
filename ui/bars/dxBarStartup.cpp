#include "ui/bars/dxBarStartup.h"

#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarHooks.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarStrs.h"
#include "ui/bars/dxStatusBar.h"
#include "ui/lookandfeel/cxLookAndFeelStartup.h"

namespace {

// The toolbar unit: its classes and properties, then the user32 entry
// points, the screen colour depth and the dither brush.
void dxBarStart() {
  dxBarUnitStart();
  dxBarDrawingUnitStart();
  JoinBarInitProc();
}

// The unit's finalizing flag is raised first, so nothing it guards (the
// dither brush among them) is made again while the rest is freed.
void dxBarStop() {
  LeaveBarInitProc();
  dxBarUnitStop();
  dxBarDrawingUnitStop();
}

// The start-up order of the units; shut-down runs it backwards. A unit
// without routines yet keeps its row, so its place in the order is fixed.
constexpr TdxUnitRow kUnits[] = {
    {"dxBarStrs", &dxBarStrsUnitStart, &dxBarStrsUnitStop},  // the texts under "BarSuite"
    {"dxBarCustomCustomizationForm", nullptr, nullptr},
    {"dxBar", &dxBarStart, &dxBarStop},  // the toolbar unit's start-up and shut-down
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
