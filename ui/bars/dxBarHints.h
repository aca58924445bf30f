// Item hints: the delayed tooltips over bar items. One hint window serves
// every manager; one thread timer serves both the delay before a hint shows
// (1,000 ms) and the time after which it hides again (10,000 ms); a second
// timer keeps, for 400 ms after a hint was hidden, the mark that lets the
// next hint show at once.
//
//   idle --SetHintState(show)--> waiting --show timer--> shown --hide timer--> idle
//                                                  shown --mouse to no hint--> just hidden --400 ms--> idle
#pragma once

#include <cstdint>
#include <string>

#include "platform/vcl/forms.h"

class TdxBarManager;

// The shared hint window of the bar system.
class TdxBarHintWindow : public THintWindow {
  DX_COMPONENT_CLASS(TdxBarHintWindow, THintWindow)
public:
  static constexpr uint32_t ShowDelay = 1000;
  static constexpr uint32_t HideDelay = 10000;
  explicit TdxBarHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}
  // Shows AText, with AShortCut in parentheses when given, below the cursor
  // for AManager; False when there is no text.
  virtual bool ShowHintFor(TdxBarManager* AManager, const std::string& AText, const std::string& AShortCut);
  virtual uint32_t HideDelayTime() const { return HideDelay; }
  bool IsShowing() { return HandleAllocated() && win::IsWindowVisible(Handle()); }
};

// The hint window; null while no manager runs outside design time.
TdxBarHintWindow* dxBarHintWindow();
void CreateBarHintWindow();
void FreeBarHintWindow();

enum TdxBarHintTimerKind : uint8_t { htkNone, htkShow, htkHide };

// The hint state shared by all managers (main thread only).
struct TdxBarHintState {
  win::UINT_PTR HintTimer = 0;
  TdxBarHintTimerKind HintTimerKind = htkNone;
  uint32_t HintTimerElapse = 0;
  win::UINT_PTR HiddenHintTimer = 0;
  bool HintJustHidden = false;
  TdxBarManager* HintManager = nullptr;
  bool HintRequested = false;
  std::string HintText;
  bool HintShown = false;
};
const TdxBarHintState& dxBarHintState();

// The timers' procedures (thread timers without a window).
void DxBarHintTimerProc(win::HWND, win::UINT, win::UINT_PTR, win::DWORD);
void DxBarHiddenHintTimerProc(win::HWND, win::UINT, win::UINT_PTR, win::DWORD);
constexpr uint32_t dxBarHiddenHintTime = 400;

// Stops the timers that serve AManager (it is being destroyed).
void ForgetHintManager(TdxBarManager* AManager);
