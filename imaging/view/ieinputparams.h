// Settings of the view's scroll bars and mouse wheel.
#pragma once

#include <cstdint>

#include "platform/rtl/object.h"

// Settings of one scroll bar of the view.
class TIEScrollBarParams : public TObject {
  DX_CLASS(TIEScrollBarParams, TObject)
public:
  int32_t LineStep() const { return lineStep_; }
  void SetLineStep(int32_t v) { lineStep_ = v; }
  int32_t PageStep() const { return pageStep_; }
  void SetPageStep(int32_t v) { pageStep_ = v; }
  bool Tracking() const { return tracking_; }
  void SetTracking(bool v) { tracking_ = v; }

private:
  int32_t lineStep_ = -1;  // -1: one row or column
  int32_t pageStep_ = -1;  // -1: the view's extent
  bool tracking_ = true;
};

// Settings of the view's mouse wheel.
class TIEMouseWheelParams : public TObject {
  DX_CLASS(TIEMouseWheelParams, TObject)
public:
  bool WheelInvertDirection() const { return wheelInvertDirection_; }
  void SetWheelInvertDirection(bool v) { wheelInvertDirection_ = v; }
  // 0 nothing, 1 scroll, 2 zoom.
  uint8_t WheelAction() const { return wheelAction_; }
  void SetWheelAction(uint8_t v) { wheelAction_ = v; }
  // 0 absolute, 1 percentage.
  uint8_t WheelVariation() const { return wheelVariation_; }
  void SetWheelVariation(uint8_t v) { wheelVariation_ = v; }
  int32_t WheelValue() const { return wheelValue_; }
  void SetWheelValue(int32_t v) { wheelValue_ = v; }
  bool WheelZoomAtCursor() const { return wheelZoomAtCursor_; }
  void SetWheelZoomAtCursor(bool v) { wheelZoomAtCursor_ = v; }

private:
  bool wheelInvertDirection_ = false;
  uint8_t wheelAction_ = 2;
  uint8_t wheelVariation_ = 1;
  int32_t wheelValue_ = 8;
  bool wheelZoomAtCursor_ = false;
};
