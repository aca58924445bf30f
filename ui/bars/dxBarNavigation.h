// Keyboard navigation of the toolbars and menus, and key tips. One
// process-wide controller: pressing and releasing Alt (or F10) selects the
// default element of the main bar, arrows and Tab move the selection, Esc
// steps back, and holding Alt alone for half a second shows key tips, small
// labels whose letters activate an element when typed. The controller knows
// nothing of the bars' geometry; every element's navigation helper
// (IdxBarAccessibilityHelper) answers for it. The keyboard hook feeds it.
//
//   root       the element whose key tips Alt held alone shows (the main bar)
//   scope      the key-tip container whose labels are on screen
//   typed text what was typed in the scope so far, upper case
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/vcl/controls.h"
#include "ui/bars/dxBarHooks.h"
#include "ui/bars/dxBarTypes.h"

class TcxTimer;
class TdxObjectList;

// The key-tip label windows of a container.
class TdxBarKeyTipWindows {
public:
  virtual ~TdxBarKeyTipWindows() = default;
  // A new label (base point in screen coordinates); the object stands for it.
  virtual TObject* Add(const std::string& AText, TPoint ABasePoint, bool AEnabled, uint8_t AVertAlign,
                       uint8_t AHorzAlign) = 0;
  virtual void Remove(TObject* ALabel) = 0;
  // A round of adds and removes is complete: the windows show or repaint.
  virtual void EndUpdate() = 0;
};

// One key tip of a scope and its label while shown.
class TdxBarKeyTipData : public TObject {
  DX_CLASS(TdxBarKeyTipData, TObject)
public:
  explicit TdxBarKeyTipData(const TdxBarKeyTipInfo& AInfo) : Info(AInfo) {}
  std::string NormalizedKeyTipText() const;
  // Asks for a label unless it has one.
  void ShowKeyTipLabel(TdxBarKeyTipWindows* AWindows);
  // Hands its label back, if any.
  void HideKeyTipLabel(TdxBarKeyTipWindows* AWindows);
  TObject* KeyTipWindow() const { return window_; }

  TdxBarKeyTipInfo Info;

private:
  TObject* window_ = nullptr;
};

class TdxBarNavigationController : public TObject, public IdxBarHookNavigation {
  DX_CLASS(TdxBarNavigationController, TObject)
public:
  static constexpr uint32_t AltHoldInterval = 500;

  TdxBarNavigationController();
  // Frees the key-tip list, then ends any wait.
  ~TdxBarNavigationController() override;

  // ---- waiting for key tips
  // Starts the half-second wait after Alt went down. Null does nothing; a
  // second root ends the old wait and starts its own (the hook must not raise).
  void BeginAltHoldWait(IdxBarAccessibilityHelper* ARoot) override;
  // Clears the Alt-alone mark; ends a wait, showing the root's key tips when asked.
  void EndAltHoldWait(bool AShowKeyTips) override;
  void AltHoldTimerTick();
  bool IsAltHoldWaiting() override { return waitingRoot_ != nullptr; }
  // The wait's timer, null when none runs.
  TcxTimer* AltHoldTimer() const { return waitingTimer_.get(); }

  // ---- keys
  // The root's default child selects itself and navigation mode begins.
  void SelectRootDefault(IdxBarAccessibilityHelper* ARoot) override;
  // The hook must hand the key to ProcessNavigationKey.
  bool ClaimsKey(win::WORD AKey, TShiftState AShift) override;
  bool WantsNavigationKey(win::WORD AKey);
  // Arrows, or Tab while Ctrl is up.
  static bool IsSelectionMoveKey(win::WORD AKey);
  void ProcessNavigationKey(win::WORD AKey, TShiftState AShift) override {
    ProcessNavigationKey(AKey, AShift, nullptr, nullptr);
  }
  void ProcessNavigationKey(win::WORD AKey, TShiftState AShift, IdxBarAccessibilityHelper* ASelected,
                            IdxBarAccessibilityHelper* AParent);
  // AOld (default: the selected object) unselects naming ANew, which selects
  // itself; within one bar window that window repaints once.
  void MoveSelection(bool AByTab, IdxBarAccessibilityHelper* ANew, IdxBarAccessibilityHelper* AOld = nullptr);

  // ---- key tips
  // Shows the key tips of AScope narrowed by AText; null hides them all.
  void SetKeyTipScope(IdxBarAccessibilityHelper* AScope, const std::string& AText);
  void UpdateKeyTipLabels();
  // Whether the key counts as a key-tip character; AFound: a key tip begins
  // with the typed text plus the key's character, AHandler: the one typed
  // completely when enabled. Inside ProcessNavigationKey a miss beeps.
  bool MatchKeyTipChar(win::WORD AKey, TShiftState AShift, std::function<void(bool)>& AHandler, bool& AFound);
  bool IsKeyTipChar(win::WORD AKey, TShiftState AShift);
  void ApplyKeyTipChar(win::WORD AKey, TShiftState AShift);
  void EscapeKeyTipScope();
  void EndKeyTips();
  bool IsKeyTipScopeActive() override { return scope_ != nullptr; }
  IdxBarAccessibilityHelper* KeyTipScope() const { return scope_; }
  const std::string& TypedKeyTipText() const { return typedText_; }
  // The key tips of the scope, null when none are shown.
  TdxObjectList* KeyTips() const { return keyTips_.get(); }

  // ---- navigation mode and selection
  void EndKeyboardMode() override;
  // An element is going away: every reference to it (its bar helper) is dropped.
  void DropElementReferences(IdxBarAccessibilityHelper* AObject);
  void ClearNavigationMode() override { navigationMode_ = false; }
  bool NavigationMode() const { return navigationMode_; }
  TCustomdxBarControl* NavigatedBar();
  bool IsNavigatedBar(TCustomdxBarControl* ABar);
  IdxBarAccessibilityHelper* GetSelectedObject();
  IdxBarAccessibilityHelper* GetSelectedParent();
  bool HasSelectedElement() override { return GetSelectedObject() != nullptr; }
  // The selection kept while no bar window holds it.
  void SetStoredSelection(IdxBarAccessibilityHelper* AObject, IdxBarAccessibilityHelper* AParent) {
    selectedObject_ = AObject;
    selectedParent_ = AParent;
  }
  void UnselectStoredObject();

private:
  void FreeWaitingTimer();

  bool handlingKey_ = false;
  IdxBarAccessibilityHelper* scope_ = nullptr;
  std::unique_ptr<TdxObjectList> keyTips_;
  std::string typedText_;
  IdxBarAccessibilityHelper* waitingRoot_ = nullptr;
  std::unique_ptr<TcxTimer> waitingTimer_;
  bool navigationMode_ = false;
  IdxBarAccessibilityHelper* selectedObject_ = nullptr;
  IdxBarAccessibilityHelper* selectedParent_ = nullptr;
};

// The character the key types, as a string; empty when it types none.
std::string KeyCharText(win::WORD AKey);
// The helper's bar helper; null for null.
IdxBarAccessibilityHelper* BarHelperOf(IdxBarAccessibilityHelper* AHelper);

// The process-wide controller: made by the toolbar unit's start-up, which
// hands it to the keyboard hook, and freed by its shut-down; null outside.
TdxBarNavigationController* NavigationControllerInstance();
void CreateNavigationController();
void FreeNavigationController();
