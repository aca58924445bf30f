// The start-up of the toolbar library: its units in their one order, after
// the look-and-feel library's.
#pragma once

#include "ui/lookandfeel/dxUnits.h"

// The units from dxBarStrs to dxStatusBar, in start-up order.
TdxUnitTable& dxBarUnits();
// Starts the look-and-feel library and then these units, once per process;
// each call is matched by dxStopBars, which stops them in reverse.
void dxStartBars();
void dxStopBars();
