// Doubles for the toolbar window's frame tests: an item whose control may
// refuse the mouse, and two painters that differ where the Standard and the
// flat painters differ for the floating caption's close button.
#pragma once

#include "tests/ui/bars/toolbar_doubles.h"
#include "ui/bars/dxBarPainters.h"

namespace bartest {

// A sized item whose control accepts the mouse only while Accepts is set.
class TFrameItem : public TSizedItem {
  DX_COMPONENT_CLASS(TFrameItem, TSizedItem)
public:
  explicit TFrameItem(TComponent* AOwner) : TSizedItem(AOwner) {}
  bool Accepts = true;
};

class TFrameControl : public TSizedControl {
  DX_CLASS(TFrameControl, TSizedControl)
public:
  using TSizedControl::TSizedControl;
  bool AcceptsMouse() override {
    auto* item = dynamic_cast<TFrameItem*>(GetItem());
    return item && item->Accepts;
  }
};

// The Standard look: the window system tracks the close button (HTCLOSE).
class TStandardLikePainter : public TdxBarPainter {
public:
  using TdxBarPainter::TdxBarPainter;
  bool StandardFloatingQuery() override { return true; }
};

// The flat look: the bar tracks the close button itself, which is smaller
// than the caption's square and centred in it.
class TFlatLikePainter : public TdxBarPainter {
public:
  using TdxBarPainter::TdxBarPainter;
  bool StandardFloatingQuery() override { return false; }
  TSize CloseButtonSize() override { return TSize(SmallCaptionHeight() - 6, SmallCaptionHeight() - 4); }
};

}  // namespace bartest
