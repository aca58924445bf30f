// Doubles for the static and separator control tests: test bar windows that
// answer the separator thickness a toolbar window and a menu window take
// from their painter, and a base painter that records the separator
// operations other painters supply (the toolbar and menu separator lines).
#pragma once

#include <vector>

#include "platform/gdi/gdi.h"
#include "tests/ui/bars/item_control_doubles.h"
#include "ui/bars/dxBarPainters.h"

namespace bartest {

// A toolbar window: separators as thick as the painter's bar separator.
class TSeparatorToolbar : public TTestBarControl {
public:
  using TTestBarControl::TTestBarControl;
  int32_t GetSeparatorSize() override { return Painter()->BarSeparatorSize(); }
};

// A menu window: paint type menu, separators as high as the painter's menu separator.
class TSeparatorMenu : public TTestBarControl {
public:
  using TTestBarControl::TTestBarControl;
  int32_t GetPaintType() override { return ptMenu; }
  int32_t GetBarKind() const override { return 2; }
  bool IsVertical() const override { return true; }
  int32_t GetSeparatorSize() override { return Painter()->SubMenuSeparatorHeight(); }
};

// The base painter, recording the separators it is asked to draw in bars and menus.
class TSeparatorRecordingPainter : public TdxBarPainter {
public:
  TSeparatorRecordingPainter() : TdxBarPainter(nullptr) {}
  struct TBarCall {
    TRect Rect;
    win::HBRUSH Brush;
    bool Horizontal;
  };
  void BarDrawSeparator(TCustomdxBarControl*, win::HDC, TRect R, win::HBRUSH ABrush, bool AHorizontal) override {
    BarCalls.push_back({R, ABrush, AHorizontal});
  }
  void SubMenuDrawSeparatorItem(TdxBarItemControlDrawParams*, const TRect& R) override { MenuCalls.push_back(R); }
  std::vector<TBarCall> BarCalls;
  std::vector<TRect> MenuCalls;
};

}  // namespace bartest
