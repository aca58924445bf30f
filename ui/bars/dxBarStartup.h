// The start-up of the toolbar library: its units in their one order, after
// the look-and-feel library's.
#pragma once

#include <cstdint>
#include <span>

#include "platform/rtl/object.h"
#include "ui/lookandfeel/dxUnits.h"

class TCustomdxBarControl;
class TdxBarItemControl;
class TdxBarItemLink;

// The units from dxBarStrs to dxStatusBar, in start-up order.
TdxUnitTable& dxBarUnits();
// Starts the look-and-feel library and then these units, once per process;
// each call is matched by dxStopBars, which stops them in reverse.
void dxStartBars();
void dxStopBars();

// ---------------------------------------------------------------- the toolbar unit (dxBar)
// Its start-up, in this order: the streaming classes with their published
// properties; user32's optional entry points (dxBarDrawing.h); the bar-manager
// list; the screen colour depth; the dither brush; the navigation controller
// (the live bar-window list needs no making); the item-class registry from
// dxBarItemClassRows() and the item-control maker that reads the same rows;
// the drag and sizing cursors; the application start-up hook.
// Its shut-down: the finalizing flag first; then the navigation controller,
// the live bar-window list, the registry, the flat painter, the dither brush
// and the manager list; user32; the maker and the start-up hook.

// One item class: the control that shows it, whether the customization and
// design lists offer it to users, and how that control is made.
struct TdxBarItemClassRow {
  TClass ItemClass;
  TClass ControlClass;
  bool Listed;
  TdxBarItemControl* (*Make)(TCustomdxBarControl* ABar, TdxBarItemLink* ALink);
};
// The item classes of this system, in registration order.
std::span<const TdxBarItemClassRow> dxBarItemClassRows();

// The screen cursors of item dragging and of sizing an edit, drawn at start-up.
constexpr int32_t crdxBarDrag = 1041, crdxBarDragCopy = 1042, crdxBarDragNoDrop = 1043, crdxBarEditSizing = 1044;
