// Item hints: the shared hint window, the hint requests of the bar windows
// and the two thread timers that delay, end and chain the hints.
#include "ui/bars/dxBarHints.h"

#include <memory>

#include "ui/bars/dxBar.h"

namespace {

TdxBarHintState g_hint;
std::unique_ptr<TdxBarHintWindow> g_hintWindow;

void StopHintTimer() {
  if (g_hint.HintTimer) win::KillTimer(nullptr, g_hint.HintTimer);
  g_hint.HintTimer = 0;
  g_hint.HintTimerKind = htkNone;
  g_hint.HintTimerElapse = 0;
}

void StartHintTimer(TdxBarHintTimerKind AKind, uint32_t AElapse) {
  StopHintTimer();
  g_hint.HintTimer = win::SetTimer(nullptr, 0, AElapse, &DxBarHintTimerProc);
  g_hint.HintTimerKind = AKind;
  g_hint.HintTimerElapse = AElapse;
}

void StopHiddenHintTimer() {
  if (g_hint.HiddenHintTimer) win::KillTimer(nullptr, g_hint.HiddenHintTimer);
  g_hint.HiddenHintTimer = 0;
}

bool HintWindowShowing() { return g_hintWindow && g_hintWindow->IsShowing(); }

// The hint manager, when it still exists and is not being destroyed.
TdxBarManager* LiveHintManager() {
  TdxBarManager* m = g_hint.HintManager;
  if (!m) return nullptr;
  TdxBarManagerList* list = dxBarManagerList();
  for (int32_t i = 0; i < list->Count(); ++i)
    if (list->Items(i) == m) return m->InDestruction() ? nullptr : m;
  return nullptr;
}

}  // namespace

bool TdxBarHintWindow::ShowHintFor(TdxBarManager* /*AManager*/, const std::string& AText, const std::string& AShortCut) {
  if (AText.empty()) return false;
  const std::string text = AShortCut.empty() ? AText : AText + " (" + AShortCut + ")";
  TRect r = CalcHintRect(Screen->Width(), text, nullptr);
  win::POINT p{};
  win::GetCursorPos(&p);
  // Below the cursor, clear of the arrow.
  r.Offset(p.X, p.Y + 20);
  ActivateHint(r, text);
  return true;
}

TdxBarHintWindow* dxBarHintWindow() { return g_hintWindow.get(); }

void CreateBarHintWindow() {
  if (!g_hintWindow) g_hintWindow = std::make_unique<TdxBarHintWindow>(nullptr);
}

void FreeBarHintWindow() {
  StopHintTimer();
  StopHiddenHintTimer();
  g_hint = TdxBarHintState();
  g_hintWindow.reset();
}

const TdxBarHintState& dxBarHintState() { return g_hint; }

void DxBarHintTimerProc(win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {
  const TdxBarHintTimerKind kind = g_hint.HintTimerKind;
  StopHintTimer();
  TdxBarManager* m = LiveHintManager();
  if (!m) return;
  if (kind == htkShow)
    m->ShowHintNow();
  else
    m->CancelHint();
}

void DxBarHiddenHintTimerProc(win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {
  StopHiddenHintTimer();
  g_hint.HintJustHidden = false;
}

void ForgetHintManager(TdxBarManager* AManager) {
  if (g_hint.HintManager != AManager) return;
  StopHintTimer();
  StopHiddenHintTimer();
  g_hint.HintJustHidden = false;
  if (HintWindowShowing()) win::ShowWindow(g_hintWindow->Handle(), win::SW_HIDE);
  g_hint.HintRequested = g_hint.HintShown = false;
  g_hint.HintText.clear();
  g_hint.HintManager = nullptr;
}

// ---------------------------------------------------------------- manager

void TdxBarManager::SetHintState(bool AShow, const std::string& AText, TObject* AObject) {
  if (IsCustomizingOrDesigning() || !ShowHint()) return;
  if (!AShow && !g_hint.HintRequested) return;
  g_hint.HintRequested = AShow;
  g_hint.HintText = AText;
  g_hint.HintShown = false;
  StopHintTimer();
  hintObject_ = AObject;
  const bool something = (selectedItemControl_ && selectedItemControl_->Parent() &&
                          !selectedItemControl_->Parent()->ItemHintsSuppressed) ||
                         !AText.empty() || AObject;
  if (AShow && something) {
    if (HintWindowShowing() || g_hint.HintJustHidden) {
      ShowHintNow();
    } else {
      g_hint.HintManager = this;
      StartHintTimer(htkShow, TdxBarHintWindow::ShowDelay);
    }
  } else if (HintWindowShowing()) {
    win::ShowWindow(g_hintWindow->Handle(), win::SW_HIDE);
    if (AShow) {
      StopHiddenHintTimer();
      g_hint.HintJustHidden = true;
      g_hint.HiddenHintTimer = win::SetTimer(nullptr, 0, dxBarHiddenHintTime, &DxBarHiddenHintTimerProc);
    }
  }
}

void TdxBarManager::ShowHintNow() {
  if (!g_hint.HintText.empty()) {
    ShowHintText(g_hint.HintText, "");
    return;
  }
  auto* hint = dynamic_cast<IdxBarItemHint*>(hintObject_);
  std::string text, shortCut;
  if (hint && hint->GetHintText(text, shortCut) && (hint->IsHintEnabled() || ShowHintForDisabledItems())) {
    if (!ShowShortCutInHint() && !(Application && Application->HintShortCuts())) shortCut.clear();
    ShowHintText(text, shortCut);
    return;
  }
  CancelHint();
}

void TdxBarManager::ShowHintText(const std::string& AText, const std::string& AShortCut) {
  if (g_hintWindow && g_hintWindow->ShowHintFor(this, AText, AShortCut)) {
    g_hint.HintShown = true;
    g_hint.HintManager = this;
    StartHintTimer(htkHide, g_hintWindow->HideDelayTime());
    return;
  }
  CancelHint();
}
