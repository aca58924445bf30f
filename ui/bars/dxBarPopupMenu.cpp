#include "ui/bars/dxBarPopupMenu.h"

#include "platform/rtl/scopeexit.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarStrs.h"
#include "ui/lookandfeel/cxControls.h"

using namespace win;

namespace {

TComponentList* PopupMenusOf(TdxBarManager* m) { return m->PopupMenuList(); }

// The focused window is one of the open menu chain: the current bar window
// or a bar window it was opened from.
bool FocusInMenuChain(TCustomdxBarControl* ACurrent) {
  const HWND focus = GetFocus();
  if (!focus) return false;
  for (TCustomdxBarControl* c = ACurrent; c; c = c->GetParentBarControl())
    if (c->HandleAllocated() && (c->Handle() == focus || IsChild(c->Handle(), focus))) return true;
  return false;
}

// A window that shows a sub-menu or popup menu.
bool IsMenuWindow(HWND AWnd) {
  return dynamic_cast<TdxBarSubMenuControl*>(TWinControl::FindControl(AWnd)) != nullptr;
}

}  // namespace

TdxBarCustomPopupMenu::TdxBarCustomPopupMenu(TComponent* AOwner) : TdxBarComponent(AOwner) {
  if (!dxBarManagerList() || dxBarManagerList()->Count() == 0)
    throw EdxException(GetResourceString(dxSBAR_NOBARMANAGERS));
  backgroundBitmap_ = std::make_unique<TBitmap>();
  TdxBarManager* manager = ManagerOfComponent(AOwner);
  if (!manager) manager = dxBarManagerList()->Items(0);
  MoveToManager(manager, PopupMenusOf);
  editFont_ = std::make_unique<TFont>();
  font_ = std::make_unique<TFont>();
  font_->Assign(manager->Font());
  // Set after the assignment, so UseOwnFont stays False.
  font_->OnChange = [this](TObject*) { FontChanged(); };
  itemLinks_.reset(CreateItemLinks());
}

TdxBarCustomPopupMenu::~TdxBarCustomPopupMenu() {
  // A menu freed while it shows takes its window along, which must not call back.
  if (auto* window = dynamic_cast<TdxBarSubMenuControl*>(itemLinks_ ? itemLinks_->BarControl : nullptr)) {
    window->OnShowMenu = nullptr;
    window->OnCloseMenu = nullptr;
    window->Close();
  }
  LeaveManager(PopupMenusOf);
  itemLinks_.reset();
  font_.reset();
  editFont_.reset();
  backgroundBitmap_.reset();
}

TdxBarItemLinks* TdxBarCustomPopupMenu::CreateItemLinks() { return new TdxBarSubMenuControlItemLinks(BarManager(), this); }

TdxBarSubMenuControl* TdxBarCustomPopupMenu::CreateSubMenuControl() { return new TdxBarSubMenuControl(BarManager()); }

TCustomdxBarControl* TdxBarCustomPopupMenu::CreateBarControl() { return CreateSubMenuControl(); }

void TdxBarCustomPopupMenu::DoPaintBar(TCanvas* ACanvas, const TRect& R) {
  if (OnPaintBar) OnPaintBar(this, ACanvas, R);
}

void TdxBarCustomPopupMenu::Loaded() {
  TdxBarComponent::Loaded();
  DesignController().LockDesignerModified();
  TScopeExit unlock([] { DesignController().UnlockDesignerModified(); });
  itemLinks_->ResolveItemNames();
}

// ---------------------------------------------------------------- properties

void TdxBarCustomPopupMenu::SetBarManager(TdxBarManager* Value) {
  if (!Value || Value == BarManager()) return;
  MoveToManager(Value, PopupMenusOf);
  if (itemLinks_) itemLinks_->SetBarManager(Value);
}

void TdxBarCustomPopupMenu::SetBackgroundBitmap(TBitmap* Value) { backgroundBitmap_->Assign(Value); }

void TdxBarCustomPopupMenu::SetFont(TFont* Value) { font_->Assign(Value); }

void TdxBarCustomPopupMenu::SetItemLinks(TdxBarItemLinks* Value) { itemLinks_->Assign(Value); }

void TdxBarCustomPopupMenu::FontChanged() {
  if (!internalFontChange_) useOwnFont_ = true;
  if (useOwnFont_) CopyFontWithSystemSize(font_.get(), editFont_.get(), false);
}

void TdxBarCustomPopupMenu::SetUseOwnFont(bool Value) {
  if (useOwnFont_ == Value) return;
  useOwnFont_ = Value;
  TValueScope internal(internalFontChange_, true);
  if (Value) FontChanged();
  else SetFont(BarManager()->Font());
}

void TdxBarCustomPopupMenu::BarManagerFontChanged() {
  TValueScope internal(internalFontChange_, true);
  if (useOwnFont_) FontChanged();
  else SetFont(BarManager()->Font());
}

// ---------------------------------------------------------------- notices

void TdxBarCustomPopupMenu::NotifyCloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TdxBarCustomPopupMenu::NotifyPopup() {
  if (OnPopup) OnPopup(this);
}

void TdxBarCustomPopupMenu::MenuClosed() {
  menuShowing_ = false;
  NotifyCloseUp();
}

void TdxBarCustomPopupMenu::MenuShown() {
  menuShowing_ = true;
  NotifyPopup();
}

void TdxBarCustomPopupMenu::NotifyBarDesignerOfChange(TComponent* AComponent) {
  if (!AComponent || !AComponent->Designing()) return;
  if (AComponent->Loading() || AComponent->ComponentState().Contains(csDestroying) ||
      AComponent->ComponentState().Contains(csUpdating))
    return;
  if (TCustomForm* form = FormOfComponent(AComponent)) DesignController().DesignerModified(form);
}

bool TdxBarCustomPopupMenu::ExecuteShortCut(const TMessage& AMessage) {
  const TShortCut s = ShortCutFromKey(uint8_t(AMessage.WParam), int32_t(AMessage.LParam));
  return s != 0 && ExecuteShortCut(s);
}

bool TdxBarCustomPopupMenu::ExecuteShortCut(TShortCut AShortCut) { return itemLinks_->DispatchShortCut(AShortCut); }

bool TdxBarCustomPopupMenu::ValidateLinksOwner(TObject* AObject, std::string& AError) {
  TdxBarItemLinks* own = OwnedItemLinks(AObject);
  if (own && own->ContainsLinksOwner(this)) {
    AError = GetResourceString(dxSBAR_RECURSIVEMENUS);
    return false;
  }
  return true;
}

bool TdxBarCustomPopupMenu::CanContainItem(TdxBarItem* AItem, std::string& AErrorText) {
  return AItem->CanPlaceOn(1, this, &AErrorText) && ValidateLinksOwner(AItem, AErrorText);
}

// ---------------------------------------------------------------- showing

void TdxBarCustomPopupMenu::Popup(int32_t X, int32_t Y) {
  if (itemLinks_->BarControl) return;
  CancelModeOfActiveForm();
  if (!BarManager()->IsCustomizingOrDesigning())
    if (HWND capture = GetCapture()) {
      SendMessage(capture, CM_CANCELMODE, 0, 0);
      ReleaseCapture();
    }
  if (!ownerControl_)
    if (TCustomdxBarControl* current = CurrentBarControl(); current && !FocusInMenuChain(current)) current->CloseUp();

  auto* menu = static_cast<TdxBarSubMenuControl*>(itemLinks_->CreateBarControl());
  if (!menu) return;
  menu->SetLeft(X);
  menu->SetTop(Y);
  if (ownerItemControl_) menu->SetParentBarControl(ownerItemControl_->Parent());
  if (ownerBounds_) menu->OwnerBounds = *ownerBounds_;
  menu->OwnerControl = ownerControl_;
  menu->OwnerWidth = ownerWidth_;
  menu->OwnerHeight = ownerHeight_;
  if (auto* owner = dynamic_cast<TWinControl*>(Owner())) menu->OwnerWindow = owner->Handle();
  menu->OnCloseMenu = [this] { MenuClosed(); };
  menu->OnShowMenu = [this] { MenuShown(); };
  menu->Animated = showAnimation_;
  try {
    menu->ShowAnimated();
  } catch (...) {
    if (itemLinks_->BarControl == menu) menu->Close();
    throw;
  }
  if (useOwnMessageLoop_) RunOwnMessageLoop();
}

void TdxBarCustomPopupMenu::RunOwnMessageLoop() {
  MSG msg;
  while (menuShowing_) {
    const BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (!menuShowing_) {
      // It was read for a window after the menu closed (a click outside, say): it still gets it.
      PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
      break;
    }
    // Commands for the menu windows are dropped while they track; any other
    // window's command is its own business.
    if (msg.message == WM_COMMAND && IsMenuWindow(msg.hwnd)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

void TdxBarCustomPopupMenu::PopupEx(int32_t X, int32_t Y, int32_t AOwnerWidth, int32_t AOwnerHeight,
                                    bool AShowAnimation, const TRect* AOwnerBounds, bool AUseOwnMessageLoop,
                                    TWinControl* AOwnerControl) {
  ownerWidth_ = AOwnerWidth;
  ownerHeight_ = AOwnerHeight;
  showAnimation_ = AShowAnimation;
  if (AOwnerBounds) ownerBounds_ = *AOwnerBounds;
  else ownerBounds_.reset();
  ownerControl_ = AOwnerControl;
  useOwnMessageLoop_ = AUseOwnMessageLoop;
  TScopeExit reset([this] {
    useOwnMessageLoop_ = true;
    ownerControl_ = nullptr;
    ownerWidth_ = 0;
    ownerHeight_ = 0;
    showAnimation_ = true;
  });
  Popup(X, Y);
}

void TdxBarCustomPopupMenu::PopupFromCursorPos() {
  POINT p{0, 0};
  GetCursorPos(&p);
  Popup(p.X, p.Y);
}
