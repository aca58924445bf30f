// The button-like item controls: the common base of everything that can be
// pressed, open a drop-down and fade; plain, check and drop-down buttons;
// large buttons; and the button that opens an application menu.
//
// Hover in menu mode opens and closes drop-downs through two process-wide
// one-shot thread timers of 400 ms (the open timer and the close timer), each
// serving one control at a time; a control stops the timers that serve it
// when it closes up or is freed, so a late timer never reaches a freed one.
#pragma once

#include <cstdint>
#include <memory>

#include "ui/bars/dxBarElements.h"

class TdxBarButton;
class TdxBarButtonLikeControlDrawParams;

class TdxBarButtonLikeControl : public TdxBarItemControl {
  DX_CLASS(TdxBarButtonLikeControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  // Stops its timers and closes an open drop-down bar window.
  ~TdxBarButtonLikeControl() override;

  TdxBarButtonLikeControlDrawParams* ButtonDrawParams();

  bool CanFade() override;
  bool CanBeInButtonGroup() override { return true; }
  // See the open/close algorithm in the source.
  void Activate(bool AImmediate, bool AByKey) override;
  void Deactivate(bool AImmediate) override;
  void SelectFromMouse() override;
  bool WantsKey(uint16_t AKey) override;
  void KeyDown(uint16_t& AKey, TShiftState AShift) override;
  void CalcDrawParams(bool AFull = true) override;
  void Draw(const TRect& ARect, TdxBarPaintType AFlag) override;

  // ---- new operations, in slot order
  virtual int32_t GetArrowWidth();
  virtual bool CanDropDown();
  virtual void EnterMenuMode(bool AByKey);
  // The bar window the control opened; null when none is open.
  virtual TCustomdxBarControl* GetDropDownBarControl() { return nullptr; }
  virtual bool UsesPlainFrame();
  virtual bool UsesPressedFrame();
  // Stops the timers serving the control; ACloseBar closes the drop-down bar window.
  virtual void CloseUp(bool ACloseBar);
  virtual void DropDown(bool AByKey) = 0;

protected:
  std::unique_ptr<TdxBarItemControlDrawParams> CreateDrawParams() override;
  // The window is a menu window (its arrows and positions differ).
  bool InSubMenu() const;
};

class TdxBarButtonControl : public TdxBarButtonLikeControl {
  DX_CLASS(TdxBarButtonControl, TdxBarButtonLikeControl)
public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  ~TdxBarButtonControl() override;

  // The item as a button; null for other items.
  TdxBarButton* Button() const;
  bool DroppedDown() const { return droppedDown_; }

  void PaintStyleChanged() override { Rebuild(); }
  void Press(bool AByMouse) override;
  void ControlClick(bool AByMouse) override;
  void SelectFromMouse() override;
  bool IsSelected() override;
  TdxBarItemViewStructure GetViewStructure() override;
  TdxBarItemViewStructure GetDefaultViewStructure() override;
  TdxBarPaintStyle GetPaintStyle() const override;
  int32_t GetPartCount() override { return IsDropDown() ? 2 : 1; }
  void CalcDrawParams(bool AFull = true) override;
  void CalcParts() override;
  TCustomdxBarControl* GetSubMenuControl() override { return GetDropDownBarControl(); }
  int32_t GetHeight() override;
  int32_t GetWidth() override;
  int32_t GetSmallHeight() override;
  bool ClickFromSubMenuCloses() override;
  bool IsDropDown() override;
  bool IsDroppedDown() override;
  bool CapturesMouse() override;
  TCustomdxBarControl* GetDropDownBarControl() override;
  bool UsesPlainFrame() override;
  bool UsesPressedFrame() override;
  void EnterMenuMode(bool AByKey) override;
  void DropDown(bool AByKey) override;
  void CloseUp(bool ACloseBar) override;

  // ---- new operations
  virtual TdxBarPaintStyle AdjustPaintStyle(TdxBarPaintStyle AStyle) const;

  // The pressed look: held down with the mouse over the main part of the
  // selected control in an active window, or pressed and not of checked style.
  bool ShowsPressed();

private:
  bool IsCheckedStyle() const;
  bool droppedDown_ = false;
};

class TdxBarLargeButtonControl : public TdxBarButtonControl {
  DX_CLASS(TdxBarLargeButtonControl, TdxBarButtonControl)
public:
  using TdxBarButtonControl::TdxBarButtonControl;

  void SecondaryImageChanged() override { LargeImageChanged(); }
  void LargeImageChanged() override;
  TdxBarItemViewLevels GetPossibleViewLevels() override;
  TdxBarItemViewStructure GetDefaultViewStructure() override;
  TdxBarItemViewSize GetDefaultViewSize() override;
  bool DrawsGrayScaleGlyph() const override;
  bool GetImage(TdxBarItemViewSize AViewSize, int32_t& AImageIndex, TCustomImageList*& AImageList,
                TBitmap*& AGlyph) const override;
  int32_t GetThickness() override;
  int32_t GetLength() override;
  bool IsVertical() const override;
  int32_t GetArrowWidth() override;
  TdxBarPaintStyle AdjustPaintStyle(TdxBarPaintStyle) const override { return psCaption; }
};

class TdxBarApplicationMenuButtonControl : public TdxBarButtonLikeControl {
  DX_CLASS(TdxBarApplicationMenuButtonControl, TdxBarButtonLikeControl)
public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;

  void CaptionChanged() override { RepaintBar(); }
  void ImageChanged() override { RepaintBar(); }
  void LinkVisibleChanged() override { RepaintBar(); }
  void WidthChanged() override { RepaintBar(); }
  TdxBarItemViewStructure GetDefaultViewStructure() override;
  TdxBarPaintType GetPaintType() const override { return ptHorz; }
  void CalcDrawParams(bool AFull = true) override;
  void Draw(const TRect& ARect, TdxBarPaintType AFlag) override;
  int32_t GetLength() override;
  // The application menu arrives with its own window; nothing to open here.
  void DropDown(bool) override {}

protected:
  std::unique_ptr<TdxBarItemControlDrawParams> CreateDrawParams() override;

private:
  void RepaintBar();
};

// The two process-wide timers and the controls they serve (0 and null when
// not armed). The procedures are what the message loop calls when the time
// has come.
struct TdxBarButtonLikeTimers {
  uintptr_t OpenTimer = 0;
  TdxBarButtonLikeControl* OpenControl = nullptr;
  uintptr_t CloseTimer = 0;
  TdxBarButtonLikeControl* CloseControl = nullptr;
  uint32_t Interval = 0;  // of the last timer armed
};
const TdxBarButtonLikeTimers& dxBarButtonLikeTimers();
constexpr uint32_t dxBarButtonLikeTimerInterval = 400;
// The timers' procedures; a call for a timer that was stopped meanwhile does nothing.
void DxBarButtonLikeOpenTimerProc(win::HWND AWnd, win::UINT AMsg, win::UINT_PTR AId, win::DWORD ATime);
void DxBarButtonLikeCloseTimerProc(win::HWND AWnd, win::UINT AMsg, win::UINT_PTR AId, win::DWORD ATime);
