// Button items and the large button.
#include "ui/bars/dxBarButtons.h"

#include "platform/classes/filer.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarStrs.h"
#include "ui/lookandfeel/cxDrawImage.h"

namespace {

bool IsCaptionPaintStyle(TdxBarPaintStyle AStyle) { return AStyle == psCaption || AStyle == psCaptionGlyph; }

// Every button of AManager, in its item order.
template <class F>
void ForEachButton(TdxBarManager* AManager, F AFn) {
  for (int32_t i = 0; i < AManager->GetItemCount(); ++i)
    if (auto* b = dynamic_cast<TdxBarButton*>(AManager->GetItem(i))) AFn(b);
}

}  // namespace

// ---------------------------------------------------------------- button

TdxBarButton::TdxBarButton(TComponent* AOwner) : TdxBarItem(AOwner) { SetUnclickAfterDoing(true); }

void TdxBarButton::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarItem::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == static_cast<TComponent*>(dropDownMenu_))
    dropDownMenu_ = nullptr;
}

void TdxBarButton::SetAllowAllUp(bool Value) {
  if (allowAllUp_ == Value) return;
  allowAllUp_ = Value;
  if (groupIndex_ == 0 || !barManager_) return;
  ForEachButton(barManager_, [&](TdxBarButton* b) {
    if (b->groupIndex_ == groupIndex_) b->allowAllUp_ = Value;
  });
}

void TdxBarButton::SetButtonStyle(TdxBarButtonStyle Value) {
  if (buttonStyle_ == Value) return;
  buttonStyle_ = Value;
  down_ = false;
  if (!IsLoading()) UpdateBars();
  NotifyChangeListeners(false);
}

void TdxBarButton::SetDown(bool Value) {
  if (down_ == Value || (Value && !IsCheckable())) return;
  TdxBarButton* released = nullptr;
  if (!IsLoading() && IsCheckable() && groupIndex_ != 0 && barManager_) {
    bool otherDown = false;
    ForEachButton(barManager_, [&](TdxBarButton* b) {
      if (b == this || !b->IsCheckable() || b->groupIndex_ != groupIndex_ || !b->down_) return;
      if (!released) released = b;
      otherDown = true;
    });
    if (!Value) {
      released = nullptr;
      if (!allowAllUp_ && !otherDown) return;
    }
  }
  down_ = Value;
  if (IsLoading()) return;
  RefreshControls();
  if (released) released->SetDown(false);
}

void TdxBarButton::SetDropDownEnabled(bool Value) {
  if (dropDownEnabled_ == Value) return;
  dropDownEnabled_ = Value;
  if (!IsLoading()) RefreshControls();
}

void TdxBarButton::SetDropDownMenu(TdxBarPopupMenu* Value) {
  if (dropDownMenu_ == Value) return;
  if (Value && Value->GetItemLinks() && Value->GetItemLinks()->ContainsLinksOwner(this))
    throw EdxException(GetResourceString(dxSBAR_RECURSIVEMENUS));
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TdxBarButton::SetGroupIndex(int32_t Value) {
  if (groupIndex_ == Value) return;
  groupIndex_ = IsCheckable() ? Value : 0;
  down_ = false;
}

void TdxBarButton::SetLowered(bool Value) {
  if (lowered_ == Value) return;
  lowered_ = Value;
  if (!IsLoading()) UpdateBars();
}

void TdxBarButton::SetPaintStyle(TdxBarPaintStyle Value) {
  if (PaintStyle() == Value) return;
  SetPaintStyleField(Value);
  if (!IsLoading()) PaintStyleChanged();
}

void TdxBarButton::PerformClick() {
  if (GetEnabled() && IsCheckable()) SetDown(!down_);
  TdxBarItem::PerformClick();
}

void TdxBarButton::DropDown(TdxBarItemControl* AControl, int32_t X, int32_t Y, bool AByMouse) {
  TdxBarPopupMenu* menu = dropDownMenu_;
  if (!menu || !AControl) return;
  TCustomdxBarControl* window = AControl->Parent();
  const TRect item = AControl->GetItemRect();
  TRect ownerBounds;
  if (window && AControl->BarHasChildShadows()) {
    const TPoint topLeft = window->ClientToScreen({item.Left, item.Top});
    ownerBounds = TRect(topLeft.X, topLeft.Y, topLeft.X + item.Width(), topLeft.Y + item.Height());
  }
  // A menu beside the control from a sub-menu or a vertical bar, below it otherwise.
  const bool aside = window && (window->GetBarKind() == 2 || window->IsVertical());
  {
    menu->SetOwnerItemControl(AControl);
    TScopeExit clear([menu] { menu->SetOwnerItemControl(nullptr); });
    menu->PopupEx(X, Y, aside ? item.Width() : 0, aside ? 0 : item.Height(), AControl->ShowAnimation, &ownerBounds,
                  false, window);
  }
  (void)AByMouse;  // the menu window selects its first link for the keyboard
  if (TCustomdxBarControl* sub = menu->GetItemLinks()->BarControl; sub && window && window->GetBarKind() == 2)
    sub->SetParentBarControl(window);
}

uint32_t TdxBarButton::GetDesignActions() const {
  uint32_t actions = TdxBarItem::GetDesignActions() | 0x20;
  if (barManager_ && barManager_->InDesigner()) actions |= 0x100;
  return actions;
}

bool TdxBarButton::CanUseAccelerator(TdxBarItemLink* ALink) {
  if (!GetEnabled()) return false;
  TdxBarItemLinks* links = ALink ? ALink->GetOwnerLinks() : nullptr;
  if (!links || !dynamic_cast<TdxBar*>(links->Owner())) return true;
  TdxBarItemControl* control = ALink->Control();
  return control && IsCaptionPaintStyle(control->GetPaintStyle()) && ShowsCaptionOnToolbar();
}

void TdxBarButton::PaintStyleChanged() {
  ForEachControl([](TdxBarItemLink* link, TdxBarItemControl* c) {
    if (!link->HasUserDefine(udPaintStyle)) c->PaintStyleChanged();
  });
}

std::string TdxBarButton::GetDefaultCaption() const { return GetResourceString(dxSBAR_NEWBUTTONCAPTION); }

TdxBarItemLinks* TdxBarButton::GetItemLinks() { return dropDownMenu_ ? dropDownMenu_->GetItemLinks() : nullptr; }

TCustomdxBarControl* TdxBarButton::CreateBarControl() {
  return dropDownMenu_ ? dropDownMenu_->GetItemLinks()->BarControl : nullptr;
}

bool TdxBarButton::CanContainItem(TdxBarItem* AItem, std::string& AErrorText) {
  AErrorText.clear();
  return dropDownMenu_ && dropDownMenu_->CanContainItem(AItem, AErrorText);
}

// ---------------------------------------------------------------- large button

TdxBarLargeButton::TdxBarLargeButton(TComponent* AOwner)
    : TdxBarButton(AOwner), hotGlyph_(std::make_unique<TBitmap>()) {
  hotGlyph_->OnChange = [this](TObject*) { HotGlyphChanged(); };
  SetShowCaption(true);
}

TdxBarLargeButton::~TdxBarLargeButton() = default;

void TdxBarLargeButton::DefineProperties(TFiler* Filer) {
  TdxBarButton::DefineProperties(Filer);
  Filer->DefineProperty(
      "ImageIndex", [this](TReader& reader) { SetImageIndex(reader.ReadInteger()); },
      [this](TWriter& writer) { writer.WriteInteger(ImageIndex()); }, !syncImageIndex_);
}

void TdxBarLargeButton::Loaded() {
  TdxBarButton::Loaded();
  imageIndexLoaded_ = largeImageIndexLoaded_ = syncImageIndexLoaded_ = false;
}

void TdxBarLargeButton::SetAutoGrayScale(bool Value) {
  if (autoGrayScale_ == Value) return;
  autoGrayScale_ = Value;
  RefreshControls();
}

void TdxBarLargeButton::SetHeight(int32_t Value) {
  if (Value < 0 || height_ == Value) return;
  height_ = Value;
  UpdateBars();
}

void TdxBarLargeButton::SetHotImageIndex(int32_t Value) {
  if (hotImageIndex_ == Value) return;
  hotImageIndex_ = Value;
  HotGlyphChanged();
}

void TdxBarLargeButton::SetHotGlyph(TBitmap* Value) { hotGlyph_->Assign(Value); }

void TdxBarLargeButton::SetGlyphLayout(TdxBarGlyphLayout Value) {
  if (GlyphLayout() == Value) return;
  SetGlyphLayoutField(Value);
  if (!IsLoading()) UpdateBars();
}

void TdxBarLargeButton::SetSyncImageIndex(bool Value) {
  if (IsLoading() && !inSync_) syncImageIndexLoaded_ = true;
  if (syncImageIndex_ == Value) return;
  syncImageIndex_ = Value;
  if (Value) LargeGlyphChanged();
}

void TdxBarLargeButton::SetImageIndex(int32_t Value) {
  const bool loading = IsLoading();
  if (loading && !inSync_) imageIndexLoaded_ = true;
  TdxBarButton::SetImageIndex(Value);
  if (inSync_) return;
  if (loading && LargeImageIndex() == -1 && (syncImageIndex_ || !syncImageIndexLoaded_)) {
    TValueScope<bool> sync(inSync_, true);
    SetLargeImageIndex(Value);
  } else if (!syncImageIndexLoaded_) {
    SetSyncImageIndex(false);
  }
}

void TdxBarLargeButton::SetLargeImageIndex(int32_t Value) {
  if (IsLoading() && !inSync_) largeImageIndexLoaded_ = true;
  TdxBarButton::SetLargeImageIndex(Value);
}

void TdxBarLargeButton::LargeGlyphChanged() {
  if (!inSync_ && syncImageIndex_) {
    if (IsLoading() && imageIndexLoaded_) {
      syncImageIndex_ = LargeImageIndex() == ImageIndex();
    } else {
      TValueScope<bool> sync(inSync_, true);
      SetImageIndex(LargeImageIndex());
    }
  }
  TdxBarButton::LargeGlyphChanged();
}

void TdxBarLargeButton::HotGlyphChanged() {
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* c) { c->SecondaryImageChanged(); });
}

void TdxBarLargeButton::WidthChanged() { UpdateBars(); }

bool TdxBarLargeButton::IsHotImageAssigned() const {
  return barManager_ && IsValidImageIndex(barManager_->HotImages(), hotImageIndex_);
}

bool TdxBarLargeButton::IsLargeImageAssigned() const {
  return barManager_ && IsValidImageIndex(barManager_->LargeImages(), LargeImageIndex());
}

uint32_t TdxBarLargeButton::GetDesignActions() const { return TdxBarButton::GetDesignActions() & ~uint32_t(0x20); }
