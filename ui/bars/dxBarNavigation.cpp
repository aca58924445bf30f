#include "ui/bars/dxBarNavigation.h"

#include "platform/rtl/scopeexit.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/lookandfeel/cxControls.h"

using namespace win;

namespace {

// The Alt-pressed-alone mark of the keyboard hook.
bool& AltPressedAlone() { return dxBarHookState().MenuKeyPending; }

bool StartsWith(const std::string& AText, const std::string& APrefix) {
  return AText.compare(0, APrefix.size(), APrefix) == 0;
}

// 0 left, 1 up, 2 right, 3 down; any other key 0.
int32_t DirectionOfKey(WORD AKey) { return AKey >= VK_LEFT && AKey <= VK_DOWN ? int32_t(AKey - VK_LEFT) : 0; }

TdxBarKeyTipData* KeyTipAt(TdxObjectList* AList, int32_t AIndex) {
  return static_cast<TdxBarKeyTipData*>(AList->Items(AIndex));
}

std::unique_ptr<TdxObjectList> NewKeyTipList() {
  auto list = std::make_unique<TdxObjectList>();
  list->SetOwnsObjects(true);
  return list;
}

std::unique_ptr<TdxBarNavigationController>& ControllerSlot() {
  static std::unique_ptr<TdxBarNavigationController> controller;
  return controller;
}

}  // namespace

TdxBarNavigationController* NavigationControllerInstance() { return ControllerSlot().get(); }

void CreateNavigationController() {
  if (ControllerSlot()) return;
  ControllerSlot() = std::make_unique<TdxBarNavigationController>();
  dxBarHookPartners().Navigation = ControllerSlot().get();
}

void FreeNavigationController() {
  if (dxBarHookPartners().Navigation == ControllerSlot().get()) dxBarHookPartners().Navigation = nullptr;
  ControllerSlot().reset();
}

std::string KeyCharText(WORD AKey) {
  const char16_t c = KeyCodeToChar(AKey);
  if (c == 0) return {};
  return Utf16ToUtf8(std::u16string(1, c));
}

IdxBarAccessibilityHelper* BarHelperOf(IdxBarAccessibilityHelper* AHelper) {
  return AHelper ? AHelper->GetBarHelper() : nullptr;
}

// ---------------------------------------------------------------- key-tip data

std::string TdxBarKeyTipData::NormalizedKeyTipText() const { return AnsiUpperCase(Info.KeyTip); }

void TdxBarKeyTipData::ShowKeyTipLabel(TdxBarKeyTipWindows* AWindows) {
  if (window_ || !AWindows) return;
  window_ = AWindows->Add(NormalizedKeyTipText(), Info.BasePoint, Info.Enabled, Info.VertAlign, Info.HorzAlign);
}

void TdxBarKeyTipData::HideKeyTipLabel(TdxBarKeyTipWindows* AWindows) {
  if (!window_) return;
  if (AWindows) AWindows->Remove(window_);
  window_ = nullptr;
}

// ---------------------------------------------------------------- waiting for key tips

TdxBarNavigationController::TdxBarNavigationController() = default;

TdxBarNavigationController::~TdxBarNavigationController() {
  keyTips_.reset();
  scope_ = nullptr;
  EndAltHoldWait(false);
}

void TdxBarNavigationController::FreeWaitingTimer() { waitingTimer_.reset(); }

void TdxBarNavigationController::BeginAltHoldWait(IdxBarAccessibilityHelper* ARoot) {
  // Called from the keyboard hook, which must not raise: a missing root is
  // ignored and a new root replaces the one waited for.
  if (!ARoot) return;
  if (waitingRoot_ && waitingRoot_ != ARoot) {
    FreeWaitingTimer();
    waitingRoot_ = nullptr;
  }
  if (scope_ || waitingRoot_) return;
  waitingRoot_ = ARoot;
  waitingTimer_ = std::make_unique<TcxTimer>(nullptr);
  waitingTimer_->SetInterval(AltHoldInterval);
  waitingTimer_->SetOnTimer([this](TObject*) { AltHoldTimerTick(); });
}

void TdxBarNavigationController::AltHoldTimerTick() {
  if (AltPressedAlone()) EndAltHoldWait(true);
  else FreeWaitingTimer();  // the root stays until the wait ends
}

void TdxBarNavigationController::EndAltHoldWait(bool AShowKeyTips) {
  AltPressedAlone() = false;
  if (!waitingRoot_) return;
  FreeWaitingTimer();
  IdxBarAccessibilityHelper* root = waitingRoot_;
  waitingRoot_ = nullptr;
  if (AShowKeyTips) SetKeyTipScope(root, {});
}

// ---------------------------------------------------------------- key tips

void TdxBarNavigationController::SetKeyTipScope(IdxBarAccessibilityHelper* AScope, const std::string& AText) {
  if (AScope != scope_) {
    if (scope_ && keyTips_) {
      TdxBarKeyTipWindows* windows = scope_->GetKeyTipWindowsManager();
      for (int32_t i = 0; i < keyTips_->Count(); ++i) KeyTipAt(keyTips_.get(), i)->HideKeyTipLabel(windows);
    }
    keyTips_.reset();
    scope_ = AScope;
    typedText_.clear();
    if (AScope) {
      typedText_ = AnsiUpperCase(AText);
      keyTips_ = NewKeyTipList();
      if (IdxBarAccessibilityHelper* bar = BarHelperOf(AScope)) bar->CollectKeyTips(keyTips_.get());
      UpdateKeyTipLabels();
    }
  } else if (AScope && AnsiUpperCase(AText) != typedText_) {
    typedText_ = AnsiUpperCase(AText);
    UpdateKeyTipLabels();
  }
}

void TdxBarNavigationController::UpdateKeyTipLabels() {
  if (!scope_ || !keyTips_) return;
  TdxBarKeyTipWindows* windows = scope_->GetKeyTipWindowsManager();
  if (!windows) return;
  for (int32_t i = 0; i < keyTips_->Count(); ++i) {
    TdxBarKeyTipData* tip = KeyTipAt(keyTips_.get(), i);
    if (!tip->Info.Visible) continue;
    if (!typedText_.empty() && !StartsWith(tip->NormalizedKeyTipText(), typedText_)) tip->HideKeyTipLabel(windows);
    else tip->ShowKeyTipLabel(windows);
  }
  windows->EndUpdate();
}

bool TdxBarNavigationController::MatchKeyTipChar(WORD AKey, TShiftState AShift, std::function<void(bool)>& AHandler,
                                                 bool& AFound) {
  AFound = false;
  AHandler = nullptr;
  if (scope_ && AKey == VK_ESCAPE) return true;
  bool handled = IsKeyTipTextKey(AKey);
  if (!handled) return false;
  // With Alt the key counts only when some key tip goes on with it.
  if (AShift.Contains(ssAlt)) handled = false;

  TdxObjectList* list = keyTips_.get();
  std::string prefix = typedText_;
  std::unique_ptr<TdxObjectList> temporary;
  if (!scope_) {
    temporary = NewKeyTipList();
    if (IdxBarAccessibilityHelper* bar = BarHelperOf(waitingRoot_)) bar->CollectKeyTips(temporary.get());
    list = temporary.get();
    prefix.clear();
  }
  const std::string text = prefix + AnsiUpperCase(KeyCharText(AKey));
  for (int32_t i = 0; list && i < list->Count(); ++i) {
    TdxBarKeyTipData* tip = KeyTipAt(list, i);
    const std::string tipText = tip->NormalizedKeyTipText();
    if (!StartsWith(tipText, text)) continue;
    AFound = true;
    handled = true;
    if (tipText == text && tip->Info.Enabled) AHandler = tip->Info.ExecuteProc;
    break;
  }
  if (handlingKey_ && !AFound) MessageBeep(0);
  return handled;
}

bool TdxBarNavigationController::IsKeyTipChar(WORD AKey, TShiftState AShift) {
  std::function<void(bool)> handler;
  bool found = false;
  return MatchKeyTipChar(AKey, AShift, handler, found);
}

void TdxBarNavigationController::ApplyKeyTipChar(WORD AKey, TShiftState AShift) {
  std::function<void(bool)> handler;
  bool found = false;
  MatchKeyTipChar(AKey, AShift, handler, found);
  if (handler) {
    waitingRoot_ = nullptr;
    FreeWaitingTimer();
    handler(false);
    return;
  }
  IdxBarAccessibilityHelper* scope = scope_;
  if (!scope) {
    scope = waitingRoot_;
    waitingRoot_ = nullptr;
    FreeWaitingTimer();
  }
  SetKeyTipScope(scope, typedText_ + AnsiUpperCase(KeyCharText(AKey)));
}

void TdxBarNavigationController::EscapeKeyTipScope() { EscapeFromKeyTipScope(scope_); }

void TdxBarNavigationController::EndKeyTips() {
  EndAltHoldWait(false);
  SetKeyTipScope(nullptr, {});
}

// ---------------------------------------------------------------- keys

bool TdxBarNavigationController::IsSelectionMoveKey(WORD AKey) {
  if (AKey >= VK_LEFT && AKey <= VK_DOWN) return true;
  return AKey == VK_TAB && GetKeyState(VK_CONTROL) >= 0;
}

bool TdxBarNavigationController::WantsNavigationKey(WORD AKey) {
  bool wants = true;
  if (!IsSelectionMoveKey(AKey)) {
    IdxBarHookDesigner* designer = dxBarHookPartners().Designer;
    if (CurrentBarControl() || (designer && designer->QuickControl())) {
      wants = false;
    } else if (AKey == VK_MENU) {
      wants = true;
    } else if (AKey == VK_F10) {
      IdxBarAccessibilityHelper* parent = GetSelectedParent();
      TdxBarManager* manager = parent ? parent->GetBarManager() : nullptr;
      wants = manager && manager->UseF10ForMenu();
    } else {
      wants = false;
    }
  }
  if (IdxBarAccessibilityHelper* selected = GetSelectedObject()) wants = wants || selected->AcceptsNavKey(AKey);
  else if (IdxBarAccessibilityHelper* parent = GetSelectedParent()) wants = wants || parent->AcceptsNavKey(AKey);
  return wants;
}

bool TdxBarNavigationController::ClaimsKey(WORD AKey, TShiftState AShift) {
  if (WantsNavigationKey(AKey))
    if (IdxBarAccessibilityHelper* parent = GetSelectedParent(); parent && parent->CanNavigateToChildren(AKey))
      return true;
  if (waitingRoot_ || scope_) return IsKeyTipChar(AKey, AShift);
  return false;
}

void TdxBarNavigationController::ProcessNavigationKey(WORD AKey, TShiftState AShift,
                                                      IdxBarAccessibilityHelper* ASelected,
                                                      IdxBarAccessibilityHelper* AParent) {
  TValueScope handling(handlingKey_, true);
  std::function<void(bool)> handler;
  bool found = false;
  if (waitingRoot_) {
    AltPressedAlone() = false;
    if (MatchKeyTipChar(AKey, AShift, handler, found)) {
      if (found) {
        ApplyKeyTipChar(AKey, AShift);
        EndAltHoldWait(false);
      }
      return;
    }
  }
  if (scope_ && AKey != VK_ESCAPE) {
    if (MatchKeyTipChar(AKey, AShift, handler, found)) {
      if (found) ApplyKeyTipChar(AKey, AShift);
      return;
    }
    EndKeyTips();
  }
  IdxBarAccessibilityHelper* parent = AParent ? AParent : GetSelectedParent();
  IdxBarAccessibilityHelper* selected = ASelected ? ASelected : GetSelectedObject();
  IdxBarAccessibilityHelper* target = selected ? selected : parent;
  if (AKey == VK_ESCAPE && scope_) {
    EscapeKeyTipScope();
    return;
  }
  WORD key = AKey;
  if (AKey == VK_MENU || AKey == VK_ESCAPE || AKey == VK_F10) {
    if (AKey == VK_ESCAPE && target && target->ProcessNavKey(key)) return;
    if (target) target->Unselect(nullptr);
    return;
  }
  if (target && target->ProcessNavKey(key)) return;
  IdxBarAccessibilityHelper* next = nullptr;
  if (!selected) {
    if (IdxBarAccessibilityHelper* bar = BarHelperOf(parent)) next = bar->FirstSelectableElement();
  } else if (AKey == VK_TAB) {
    next = selected->GetNextTabObject(AShift.Contains(ssShift));
  } else {
    next = selected->GetNextAccessibleObject(DirectionOfKey(AKey));
  }
  MoveSelection(AKey == VK_TAB, next, selected);
}

void TdxBarNavigationController::MoveSelection(bool AByTab, IdxBarAccessibilityHelper* ANew,
                                               IdxBarAccessibilityHelper* AOld) {
  if (!AOld) AOld = GetSelectedObject();
  if (!ANew || ANew == AOld) return;
  TCustomdxBarControl* bar = nullptr;
  if (AOld && ANew->GetBarControl() && ANew->GetBarControl() == AOld->GetBarControl()) bar = ANew->GetBarControl();
  // One repaint for the unselect and the select.
  if (bar) bar->BeginUpdate();
  TScopeExit done([bar] {
    if (bar) bar->EndUpdate();
  });
  if (AOld) AOld->Unselect(ANew);
  ANew->Select(AByTab);
}

void TdxBarNavigationController::SelectRootDefault(IdxBarAccessibilityHelper* ARoot) {
  IdxBarAccessibilityHelper* child = ARoot ? ARoot->GetDefaultSelectableChild() : nullptr;
  if (!child) return;
  navigationMode_ = true;
  child->Select(false);
}

// ---------------------------------------------------------------- navigation mode and selection

void TdxBarNavigationController::EndKeyboardMode() {
  AltPressedAlone() = false;
  if (IdxBarAccessibilityHelper* selected = GetSelectedObject())
    if (TdxBarManager* manager = selected->GetBarManager()) manager->CancelHint();
  UnselectStoredObject();
  if (IdxBarAccessibilityHelper* selected = GetSelectedObject()) selected->Unselect(nullptr);
  EndKeyTips();
}

void TdxBarNavigationController::UnselectStoredObject() {
  if (IdxBarAccessibilityHelper* stored = selectedObject_) {
    stored->Unselect(nullptr);
    if (selectedObject_ == stored) selectedObject_ = nullptr;
  }
}

void TdxBarNavigationController::DropElementReferences(IdxBarAccessibilityHelper* AObject) {
  if (!AObject) return;
  if (selectedObject_ && BarHelperOf(selectedObject_) == AObject) selectedObject_ = nullptr;
  if (selectedParent_ && BarHelperOf(selectedParent_) == AObject) {
    selectedObject_ = nullptr;
    selectedParent_ = nullptr;
  }
  // A root that goes away while Alt is held must not be shown later.
  if (waitingRoot_ && BarHelperOf(waitingRoot_) == AObject) {
    waitingRoot_ = nullptr;
    FreeWaitingTimer();
  }
  if (scope_ && BarHelperOf(scope_) == AObject) SetKeyTipScope(nullptr, {});
}

TCustomdxBarControl* TdxBarNavigationController::NavigatedBar() {
  TCustomdxBarControl* current = CurrentBarControl();
  if (!current) {
    IdxBarHookDesigner* designer = dxBarHookPartners().Designer;
    return designer ? designer->QuickControl() : nullptr;
  }
  if (!IsCurrentBarControlUsable()) return nullptr;
  if (TdxBarManager* m = current->GetBarManager(); m && m->IsCustomizingOrDesigning()) return nullptr;
  return current;
}

bool TdxBarNavigationController::IsNavigatedBar(TCustomdxBarControl* ABar) {
  return navigationMode_ && ABar && ABar == NavigatedBar();
}

IdxBarAccessibilityHelper* TdxBarNavigationController::GetSelectedObject() {
  if (TCustomdxBarControl* bar = NavigatedBar())
    if (TdxBarItemControl* control = bar->GetSelectedControl()) {
      IdxBarAccessibilityHelper* helper = nullptr;
      QueryBarAccessibilityHelper(control, helper);
      return helper;
    }
  return selectedObject_;
}

IdxBarAccessibilityHelper* TdxBarNavigationController::GetSelectedParent() {
  if (TCustomdxBarControl* bar = NavigatedBar()) {
    IdxBarAccessibilityHelper* helper = nullptr;
    QueryBarAccessibilityHelper(bar, helper);
    return helper;
  }
  return selectedParent_;
}
