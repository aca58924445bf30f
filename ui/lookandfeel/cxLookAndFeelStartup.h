// The start-up of the look-and-feel library: its units in their one order.
#pragma once

#include "ui/lookandfeel/dxUnits.h"

// The units from dxCore to cxAccessibility, in start-up order.
TdxUnitTable& cxLookAndFeelUnits();
// Starts the units once per process; each call is matched by cxStopLookAndFeel.
void cxStartLookAndFeel();
void cxStopLookAndFeel();
