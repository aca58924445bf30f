// The two process-wide fill-pattern brushes: a one-pixel checkerboard and a solid one.
#pragma once

#include "platform/gdi/gdi.h"

void MakeFillPatternBrushes();
void FreeFillPatternBrushes();
// Null outside the unit's lifetime.
win::HBRUSH FillPatternBrush(bool bold);
