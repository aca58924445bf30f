#include "ui/bars/dxBarRoutines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/classes/lists.h"
#include "platform/classes/typinfo.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarElements.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxContainer.h"
#include "ui/lookandfeel/cxControls.h"

namespace {

bool IsChildWindow(win::HWND AWnd) { return (win::GetWindowLong(AWnd, win::GWL_STYLE) & win::WS_CHILD) != 0; }

}  // namespace

// ---------------------------------------------------------------- keyboard navigation and key tips

void DetachAccessibilityHelper(IdxBarAccessibilityHelper*& AHelper) {
  if (!AHelper) return;
  IdxBarAccessibilityHelper* helper = AHelper;
  AHelper = nullptr;
  helper->NotifyOwnerDestroyed();
}

void QueryBarAccessibilityHelper(TObject* AObject, IdxBarAccessibilityHelper*& AHelper) {
  AHelper = dynamic_cast<IdxBarAccessibilityHelper*>(AObject);
}

void FindKeyTipScopeHelper(IdxBarAccessibilityHelper* AHelper, IdxBarAccessibilityHelper*& AScope) {
  AScope = nullptr;
  if (!AHelper) return;
  IdxBarAccessibilityHelper* scope = AHelper->GetKeyTipParent();
  if (!scope) return;
  // A cycle of key-tip parents must not hang the keyboard: stop where the climb meets itself.
  std::vector<IdxBarAccessibilityHelper*> seen{AHelper};
  while (!scope->IsKeyTipContainer()) {
    IdxBarAccessibilityHelper* next = scope->GetKeyTipParent();
    if (!next) break;
    seen.push_back(scope);
    if (std::find(seen.begin(), seen.end(), next) != seen.end()) break;
    scope = next;
  }
  AScope = scope;
}

namespace {

// How far B's centre turns from ADirection as seen from S's centre, in degrees (0..180).
double DeviationFrom(const TRect& S, const TRect& B, int32_t ADirection) {
  const double sx = S.Left + S.Width() / 2.0, sy = S.Top + S.Height() / 2.0;
  const double bx = B.Left + B.Width() / 2.0, by = B.Top + B.Height() / 2.0;
  double a = std::atan2(by - sy, bx - sx) * 180.0 / std::numbers::pi;
  if (a < 0) a += 360;
  static constexpr double kDirectionAngle[4] = {180, 270, 0, 90};
  a -= kDirectionAngle[ADirection];
  const double other = a >= 0 ? a - 360 : a + 360;
  return std::min(std::fabs(a), std::fabs(other));
}

int64_t DistanceTo(const TRect& S, const TRect& B, int32_t ADirection) {
  switch (ADirection) {
    case dxNavLeft: return int64_t(S.Left) - B.Right;
    case dxNavUp: return int64_t(S.Top) - B.Bottom;
    case dxNavRight: return int64_t(B.Left) - S.Right;
    default: return int64_t(B.Top) - S.Bottom;
  }
}

IdxBarAccessibilityHelper* NearestFrom(const TRect& S, TList* AList, int32_t ADirection) {
  IdxBarAccessibilityHelper* found = nullptr;
  int64_t bestDistance = 0;
  double bestDeviation = 0;
  for (int32_t i = 0; i < AList->Count(); ++i) {
    auto* h = static_cast<IdxBarAccessibilityHelper*>(AList->Items(i));
    if (!h) continue;
    const TRect b = h->GetScreenBounds();
    const int64_t distance = DistanceTo(S, b, ADirection);
    if (distance < 0) continue;
    const double deviation = DeviationFrom(S, b, ADirection);
    if (!found || distance < bestDistance || (distance == bestDistance && deviation < bestDeviation)) {
      found = h;
      bestDistance = distance;
      bestDeviation = deviation;
    }
  }
  return found;
}

}  // namespace

IdxBarAccessibilityHelper* FindNearestInDirection(IdxBarAccessibilityHelper* ASource, TList* AList,
                                                  int32_t ADirection, bool AWrap) {
  if (!ASource || !AList || ADirection < dxNavLeft || ADirection > dxNavDown) return nullptr;
  TRect s = ASource->GetScreenBounds();
  IdxBarAccessibilityHelper* found = NearestFrom(s, AList, ADirection);
  if (!found && AWrap && (ADirection == dxNavLeft || ADirection == dxNavRight)) {
    // Move the source beyond the far edge so the search comes round from the other side.
    constexpr int32_t kFar = 1073741823;
    const int32_t width = s.Width();
    if (ADirection == dxNavLeft) {
      s.Right = kFar;
      s.Left = kFar - width;
    } else {
      s.Left = -kFar;
      s.Right = -kFar + width;
    }
    found = NearestFrom(s, AList, ADirection);
  }
  return found;
}

void RootAccessibleOfWindow(win::HWND AWnd, IdxBarAccessibilityHelper*& AHelper) {
  AHelper = nullptr;
  TdxBarManager* manager = BarManagerOfWindow(AWnd);
  if (!manager) return;
  if (TCustomdxBarControl* bar = manager->GetMainMenuBarControl()) AHelper = bar->GetIAccessibilityHelper();
}

void EscapeFromKeyTipScope(IdxBarAccessibilityHelper* AScope) {
  if (!AScope) return;
  if (IdxBarAccessibilityHelper* bar = AScope->GetBarHelper()) bar->EscapeKeyTipScope();
}

void QueryLinksOwner(TObject* AObject, IdxBarLinksOwner*& AOwner) {
  AOwner = dynamic_cast<IdxBarLinksOwner*>(AObject);
}

TdxBarItemLinks* OwnedItemLinks(TObject* AObject) {
  IdxBarLinksOwner* owner = nullptr;
  QueryLinksOwner(AObject, owner);
  return owner ? owner->GetItemLinks() : nullptr;
}

bool IsKeyTipTextKey(win::WORD AKey) {
  const win::UINT ch = win::MapVirtualKeyW(AKey, win::MAPVK_VK_TO_CHAR);
  return ch < 0x10000 && ch > 0x20 && ch != 0x7F && !(ch >= 0x80 && ch < 0xA0);
}

bool SupportsSelectableItem(TObject* AObject) { return dynamic_cast<IdxBarSelectableItem*>(AObject) != nullptr; }

bool QuerySelectable(TObject* AObject, IdxBarSelectableItem*& AItem) {
  AItem = dynamic_cast<IdxBarSelectableItem*>(AObject);
  return AItem != nullptr;
}

void QuerySelectableItem(TObject* AObject, IdxBarSelectableItem*& AItem) { QuerySelectable(AObject, AItem); }

TPersistent* InstanceOfSelectableItem(IdxBarSelectableItem* AItem) {
  return AItem ? AItem->ImplementingObject() : nullptr;
}

void RemoveUnselectableItems(TdxObjectList* AList) {
  if (!AList) return;
  for (int32_t i = AList->Count() - 1; i >= 0; --i)
    if (!SupportsSelectableItem(AList->Items(i))) AList->Delete(i);
}

// ---------------------------------------------------------------- windows, forms and owners

void PlaceWindowInZOrder(win::HWND AWnd, win::HWND AInsertAfter, bool AActivate, win::UINT AFlags) {
  win::UINT flags = win::SWP_NOMOVE | win::SWP_NOSIZE | AFlags;
  if (!AActivate) flags |= win::SWP_NOACTIVATE;
  win::SetWindowPos(AWnd, AInsertAfter, 0, 0, 0, 0, flags);
}

TWinControl* NearestVclParentOfChild(win::HWND AWnd) {
  TWinControl* control = nullptr;
  while (!control && AWnd && IsChildWindow(AWnd)) {
    AWnd = win::GetParent(AWnd);
    control = FindControl(AWnd);
  }
  return control;
}

bool IsComparingWithAncestor(TComponent* AComponent) {
  return AComponent && AComponent->InState(csLoading) && AComponent->InState(csAncestor) &&
         !AComponent->InState(csReading);
}

bool IsWindowOrParentFocused(win::HWND AWnd) {
  const win::HWND focus = win::GetFocus();
  for (; AWnd; AWnd = win::GetParent(AWnd)) {
    if (AWnd == focus) return true;
    if (!IsChildWindow(AWnd)) break;
  }
  return false;
}

bool IsWindowControlShowing(TComponent* AComponent) {
  auto* control = dynamic_cast<TWinControl*>(AComponent);
  return control && control->HandleAllocated() && win::IsWindowVisible(control->Handle());
}

void CancelModeOfActiveForm() {
  if (auto* form = dynamic_cast<TCustomForm*>(FindControl(win::GetActiveWindow()))) form->SendCancelMode(nullptr);
}

void ActivateTopLevelWindow(win::HWND AWnd) {
  if (const win::HWND top = GetTopLevelWindow(AWnd)) win::SetActiveWindow(top);
}

TWinControl* ActiveFormOrMDIChild() {
  const win::HWND active = win::GetActiveWindow();
  auto* form = dynamic_cast<TCustomForm*>(FindControl(active));
  if (!form || !win::IsWindowEnabled(active)) return nullptr;
  if (form->FormStyle() == fsMDIForm && dxBarManagerSlots().ActiveMdiChildHandle)
    if (auto* child = dynamic_cast<TCustomForm*>(FindControl(dxBarManagerSlots().ActiveMdiChildHandle())))
      return child;
  return form;
}

TWinControl* WinControlOwnerOf(TComponent* AComponent) {
  for (; AComponent; AComponent = AComponent->Owner())
    if (auto* control = dynamic_cast<TWinControl*>(AComponent)) return control;
  return nullptr;
}

TdxBarManager* ManagerOfComponent(TComponent* AComponent) {
  if (!AComponent) return nullptr;
  if (auto* manager = dynamic_cast<TdxBarManager*>(AComponent)) return manager;
  return dxBarManagerList()->FindManagerOfOwner(AComponent);
}

TdxBarManager* BarManagerForComponent(TComponent* AComponent) {
  TWinControl* control = WinControlOwnerOf(AComponent);
  if (!control || !control->HandleAllocated()) return nullptr;
  TdxBarManager* manager = nullptr;
  while (!manager && control) {
    manager = ManagerOfComponent(control);
    control = control->HandleAllocated() ? NearestVclParentOfChild(control->Handle()) : nullptr;
  }
  return manager;
}

TdxBarManager* BarManagerOfWindow(win::HWND AWnd) { return AWnd ? ManagerOfComponent(FindControl(AWnd)) : nullptr; }

TCustomForm* FindFormOfWindowControl(TWinControl* AControl, int32_t AKind) {
  if (!AControl || !AControl->HandleAllocated()) return nullptr;
  TCustomForm* result = nullptr;
  for (win::HWND wnd = AControl->Handle(); wnd; wnd = win::GetParent(wnd)) {
    auto* form = dynamic_cast<TCustomForm*>(FindControl(wnd));
    if (form) result = form;
    if (!IsChildWindow(wnd)) break;
    if (form && (AKind == dxFormNearest || (AKind == dxFormMDIChild && IsMDIChildForm(form)))) break;
  }
  return result;
}

TCustomForm* FormOfComponent(TComponent* AComponent) {
  TWinControl* owner = WinControlOwnerOf(AComponent);
  return owner ? FindFormOfWindowControl(owner, dxFormNearest) : nullptr;
}

TCustomForm* FormOfBarManager(TdxBarManager* AManager, int32_t AKind) {
  return AManager ? FindFormOfWindowControl(AManager->OwnerControl(), AKind) : nullptr;
}

TWinControl* WindowedSelfOrParent(TControl* AControl) {
  if (!AControl) return nullptr;
  if (auto* windowed = dynamic_cast<TWinControl*>(AControl)) return windowed;
  return AControl->Parent();
}

bool IsControlWithin(TWinControl* AParent, TControl* AControl) {
  TWinControl* w = WindowedSelfOrParent(AControl);
  if (!AParent || !w) return false;
  if (AParent->HandleAllocated() && w->HandleAllocated())
    return w->Handle() == AParent->Handle() || win::IsChild(AParent->Handle(), w->Handle());
  for (; w; w = w->Parent())
    if (w == AParent) return true;
  return false;
}

bool IsControlWithinManagerOwner(TdxBarManager* AManager, TControl* AControl) {
  return AManager && IsControlWithin(AManager->OwnerControl(), AControl);
}

TWinControl* FindTopHostControl(TCustomdxBarControl*, bool) { return nullptr; }

bool IsOtherProcessWindow(win::HWND AWnd) {
  if (!AWnd) return true;
  win::DWORD process = 0;
  win::GetWindowThreadProcessId(AWnd, &process);
  return process != win::GetCurrentProcessId();
}

TWinControl* FindVclControlUpwards(win::HWND AWnd) {
  for (; AWnd; AWnd = win::GetParent(AWnd))
    if (TWinControl* control = FindControl(AWnd)) return control;
  return nullptr;
}

bool IsWindowOwnedBy(win::HWND AWnd, win::HWND AOwnerWnd) { return IsAncestorWindow(AOwnerWnd, AWnd); }

void ReleaseWindowHandle(win::HWND& AWnd, bool ADestroy) {
  if (!AWnd) return;
  const win::HWND wnd = AWnd;
  AWnd = nullptr;
  if (ADestroy) win::DestroyWindow(wnd);
}

bool StopWindowTimer(win::HWND AWnd, win::UINT_PTR& ATimerId) {
  if (ATimerId == 0 || !win::KillTimer(AWnd, ATimerId)) return false;
  ATimerId = 0;
  return true;
}

// ---------------------------------------------------------------- items, links and bar windows

TdxBarItemControl* ControlOfItemLink(TdxBarItemLink* ALink) { return ALink ? ALink->Control() : nullptr; }
TdxBarItemLink* ItemLinkOfControl(TdxBarItemControl* AControl) { return AControl ? AControl->ItemLink() : nullptr; }
TdxBarItem* ItemOfControl(TdxBarItemControl* AControl) { return AControl ? AControl->GetItem() : nullptr; }
TdxBarItem* ItemOfItemLink(TdxBarItemLink* ALink) { return ALink ? ALink->GetItem() : nullptr; }
TObject* ObjectOfLink(TcxObjectLink* ALink) { return ALink ? ALink->Target : nullptr; }

void ReleaseObjectLink(TcxObjectLink*& ALink) {
  if (!ALink) return;
  TcxObjectLink* link = ALink;
  ALink = nullptr;
  RemoveObjectLink(link);
}

void RepaintItemControl(TdxBarItemControl* AControl) {
  TCustomdxBarControl* bar = AControl ? AControl->Parent() : nullptr;
  if (bar && bar->HandleAllocated()) bar->InvalidateItemControl(AControl);
}

int32_t EditThemeStateOfControl(TdxBarItemControl* AControl) {
  TdxBarItem* item = ItemOfControl(AControl);
  return item && item->Enabled() ? 1 : 4;
}

namespace {

struct TBarWindows {
  std::vector<TCustomdxBarControl*> live;  // not owned
  TCustomdxBarControl* current = nullptr;
};

TBarWindows& BarWindows() {
  static TBarWindows windows;
  return windows;
}

}  // namespace

void RegisterBarControl(TCustomdxBarControl* ABar) {
  if (ABar && !IsLiveBarControl(ABar)) BarWindows().live.push_back(ABar);
}

void UnregisterBarControl(TCustomdxBarControl* ABar) {
  TBarWindows& w = BarWindows();
  w.live.erase(std::remove(w.live.begin(), w.live.end(), ABar), w.live.end());
  // A destroyed window must not stay the current one.
  if (w.current == ABar) w.current = nullptr;
}

bool IsLiveBarControl(TCustomdxBarControl* ABar) {
  const auto& live = BarWindows().live;
  return ABar && std::find(live.begin(), live.end(), ABar) != live.end();
}

TCustomdxBarControl* CurrentBarControl() { return BarWindows().current; }
void SetCurrentBarControl(TCustomdxBarControl* ABar) { BarWindows().current = ABar; }

TdxBarManager* CurrentBarManager() {
  TCustomdxBarControl* bar = CurrentBarControl();
  return bar ? bar->GetBarManager() : nullptr;
}

bool IsCurrentBarControlUsable() {
  TCustomdxBarControl* bar = CurrentBarControl();
  return bar && bar->HandleAllocated() && win::IsWindowEnabled(bar->Handle());
}

TdxBarItemVisible BooleanToItemVisible(bool AVisible) { return AVisible ? ivAlways : ivNever; }

TCustomdxBarControl* RootBarControl(TCustomdxBarControl* ABar) {
  // Bounded by the number of live windows, so a parent cycle cannot hang the climb.
  size_t steps = BarWindows().live.size() + 1;
  while (ABar && !ABar->InState(csDestroying) && steps-- > 0) {
    TCustomdxBarControl* parent = ABar->GetParentBarControl();
    if (!parent || (ABar->IsInQuickChain() && !parent->IsInQuickChain())) break;
    ABar = parent;
  }
  return ABar;
}

TCustomdxBarControl* RootNonMenuBarControl(TCustomdxBarControl* ABar) {
  TCustomdxBarControl* root = RootBarControl(ABar);
  return dynamic_cast<TdxBarSubMenuControl*>(root) ? nullptr : root;
}

TCustomdxBarControl* RootBarOfItemControl(TdxBarItemControl* AControl) {
  return AControl ? RootBarControl(AControl->Parent()) : nullptr;
}

TCustomdxBarControl* ParentNonMenuBarOfItemControl(TdxBarItemControl* AControl) {
  TCustomdxBarControl* root = RootBarOfItemControl(AControl);
  return dynamic_cast<TdxBarSubMenuControl*>(root) ? nullptr : root;
}

std::unique_ptr<TBitmap> CreateNotifyingBitmap(TNotifyEvent AOnChange) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->OnChange = std::move(AOnChange);
  return bitmap;
}

// ---------------------------------------------------------------- process-wide values

TdxBarAppActivation& dxBarAppActivation() {
  static TdxBarAppActivation activation;
  return activation;
}

namespace {

struct TBarUnitState {
  bool finalizing = false;
  TdxUnitSingleton<TdxBarFlatPainter> flatPainter;
  int32_t colorDepth = 0;
};

TBarUnitState& BarUnitState() {
  static TBarUnitState state;
  return state;
}

}  // namespace

bool IsBarUnitFinalizing() { return BarUnitState().finalizing; }

void MarkBarUnitFinalizing() { BarUnitState().finalizing = true; }

void FreeSharedFlatPainter() { BarUnitState().flatPainter.Free(); }

TdxBarFlatPainter* SharedFlatPainter() { return BarUnitState().flatPainter.Get(nullptr); }

bool AnyPopupMenuShowing() {
  TdxBarManagerList* managers = dxBarManagerList();
  for (int32_t i = 0; i < managers->Count(); ++i) {
    TdxBarManager* manager = managers->Items(i);
    if (manager->InDestruction()) continue;
    TComponentList* menus = manager->PopupMenuList();
    for (int32_t j = 0; j < menus->Count(); ++j)
      if (auto* menu = dynamic_cast<TdxBarPopupMenu*>(menus->Items(j)); menu && menu->IsShowing()) return true;
  }
  return false;
}

// ---------------------------------------------------------------- strings and shortcuts

void EnumNamesToStringArray(const TTypeInfo* ATypeInfo, std::vector<std::string>& AArray) {
  AArray.clear();
  if (!ATypeInfo) return;
  for (int64_t v = ATypeInfo->MinValue; v <= ATypeInfo->MaxValue; ++v) AArray.push_back(GetEnumName(ATypeInfo, v));
}

void SetTypeNamesToStringArray(const TTypeInfo* ATypeInfo, std::vector<std::string>& AArray) {
  EnumNamesToStringArray(ATypeInfo ? ATypeInfo->CompType : nullptr, AArray);
}

std::string SectionDelimiter(bool ARegistry) { return ARegistry ? "\\" : "."; }

TShortCut ShortCutFromKey(uint8_t AKey, int32_t AKeyData) {
  if (AKey == 0) return 0;
  TShortCut result = AKey;
  if (win::GetKeyState(win::VK_SHIFT) < 0) result |= scShift;
  if (win::GetKeyState(win::VK_CONTROL) < 0) result |= scCtrl;
  if (AKeyData & (1 << 29)) result |= scAlt;
  return result;
}

int32_t FindAcceleratorPos(std::string& ACaption, bool ADelete) {
  // Walks bytes (the mark is ASCII, so UTF-8 never splits) but answers in
  // characters: the bytes before the position are counted as code points.
  const auto characterPos = [&ACaption](size_t byteIndex) {
    int32_t n = 0;
    for (size_t k = 0; k <= byteIndex; ++k)
      if ((uint8_t(ACaption[k]) & 0xC0) != 0x80) ++n;
    return n;
  };
  int32_t result = 0;
  size_t i = 0;
  while (i + 1 < ACaption.size()) {
    if (ACaption[i] == '&') {
      if (ADelete)
        ACaption.erase(i, 1);
      else
        ++i;
      if (ACaption[i] != '&') result = characterPos(i);
    }
    ++i;
  }
  return result;
}

std::string ShortCutHintSuffix(TShortCut AShortCut) {
  const std::string text = ShortCutToText(AShortCut);
  return text.empty() ? std::string() : " (" + text + ")";
}

std::string StripAccelerators(const std::string& AText) { return RemoveAccelChars(AText, false); }

// ---------------------------------------------------------------- input state and the message queue

bool IsButtonDownMessage(win::UINT AMsg) {
  switch (AMsg) {
    case win::WM_NCLBUTTONDOWN:
    case win::WM_NCLBUTTONDBLCLK:
    case win::WM_NCRBUTTONDOWN:
    case win::WM_NCRBUTTONDBLCLK:
    case win::WM_NCMBUTTONDOWN:
    case win::WM_NCMBUTTONDBLCLK:
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONDBLCLK:
    case win::WM_MBUTTONDOWN:
    case win::WM_MBUTTONDBLCLK: return true;
    default: return false;
  }
}

bool DiscardPendingChars(win::HWND AWnd) { return RemovePendingMessages(AWnd, win::WM_CHAR, win::WM_CHAR, true); }

namespace {

// A paint that its window does not validate would come back for ever: a
// window met a second time ends the pump.
void DispatchPending(win::UINT AMin, win::UINT AMax) {
  win::MSG msg{};
  std::vector<win::HWND> painted;
  while (win::PeekMessage(&msg, nullptr, AMin, AMax, win::PM_NOREMOVE)) {
    if (msg.message == win::WM_PAINT) {
      if (std::find(painted.begin(), painted.end(), msg.hwnd) != painted.end()) break;
      painted.push_back(msg.hwnd);
    }
    const win::BOOL got = win::GetMessage(&msg, nullptr, AMin, AMax);
    if (got == -1) break;
    if (got == 0) {
      win::PostQuitMessage(int(msg.wParam));
      break;
    }
    win::DispatchMessage(&msg);
  }
}

}  // namespace

void DispatchPendingMouseMessages() { DispatchPending(win::WM_MOUSEFIRST, win::WM_MOUSEWHEEL); }
void DispatchPendingPaints() { DispatchPending(win::WM_PAINT, win::WM_PAINT); }

void PlayMenuSound(int32_t ASound) {
  static constexpr const char* kAliases[] = {"MenuPopup", "MenuCommand"};
  const char* alias = ASound >= 0 && ASound < 2 ? kAliases[ASound] : nullptr;
  win::PlaySoundW(alias, nullptr, win::SND_ALIAS | win::SND_ASYNC | win::SND_NODEFAULT | win::SND_NOWAIT);
}

void StopMenuSound() { PlayMenuSound(dxMenuSoundStop); }

bool IsMouseButtonDown(int32_t AButton, int32_t ASwappedButton) {
  const int32_t button = win::GetSystemMetrics(win::SM_SWAPBUTTON) ? ASwappedButton : AButton;
  return (win::GetAsyncKeyState(button) & 0x8000) != 0;
}

bool IsPrimaryButtonDown() { return IsMouseButtonDown(win::VK_LBUTTON, win::VK_RBUTTON); }
bool IsSecondaryButtonDown() { return IsMouseButtonDown(win::VK_RBUTTON, win::VK_LBUTTON); }

bool ApplicationHasFocus() {
  const TdxBarAppActivation& a = dxBarAppActivation();
  return a.Active && !a.DeactivatedByOtherApp && win::GetActiveWindow() != nullptr;
}

// ---------------------------------------------------------------- other

void WorkAreaAtPoint(TPoint APoint, TRect& R) { R = MonitorWorkAreaAt(APoint); }

void EnsureMinWidth(int32_t& AWidth, int32_t AMinWidth) {
  if (AWidth < AMinWidth) AWidth = AMinWidth;
}

void ReadScreenColorDepth() {
  const win::HDC dc = win::GetDC(nullptr);
  BarUnitState().colorDepth = win::GetDeviceCaps(dc, win::BITSPIXEL);
  win::ReleaseDC(nullptr, dc);
}

int32_t ScreenColorDepth() { return BarUnitState().colorDepth; }

int32_t ShowBarMessageBox(const std::string& AText, win::UINT AFlags) {
  return Application ? Application->MessageBox(AText, Application->Title(), AFlags) : 0;
}

uint8_t HighestStateBelowFour(uint8_t ASet) {
  for (int32_t state = 3; state >= 0; --state)
    if (ASet & (1u << state)) return uint8_t(state);
  return 255;
}

int32_t ScaleToScreenDpi(int32_t AValue, int32_t ABaseDpi) {
  if (ABaseDpi == 0) return AValue;
  const int32_t dpi = Screen ? Screen->PixelsPerInch() : 96;
  // The default rounding mode takes halves to the even neighbour.
  const double rounded = std::nearbyint(double(AValue) * dpi / ABaseDpi);
  constexpr double kMax = std::numeric_limits<int32_t>::max(), kMin = std::numeric_limits<int32_t>::min();
  return int32_t(std::clamp(rounded, kMin, kMax));
}
