// The item control base: the on-screen object of one item link in one bar
// window, its view levels, sizes, hot part, hint, click and painting frame.
#include <algorithm>
#include <utility>

#include "platform/gdi/gdi.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/imglist.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarToolbarControl.h"
#include "ui/bars/dxBarViewInfo.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxCore.h"

using namespace win;

namespace {

bool IsBitmapEmpty(TBitmap* ABitmap) { return !ABitmap || ABitmap->Empty(); }

bool ListHasImage(TCustomImageList* AList, int32_t AIndex) {
  return AList && AIndex >= 0 && AIndex < AList->Count();
}

TdxBarItemViewLevel HighestLevelOf(TdxBarItemViewLevels ALevels) {
  for (int32_t l = ivlControlOnly; l >= ivlLargeIconWithText; --l)
    if (ALevels & ViewLevelBit(TdxBarItemViewLevel(l))) return TdxBarItemViewLevel(l);
  return ivlLargeIconWithText;
}

}  // namespace

// What the item control asks its link, its bar window and the painter.
namespace bridge {

bool IsSubMenu(TCustomdxBarControl* ABar) { return ABar && ABar->GetPaintType() == ptMenu; }

TcxCanvas* BarCanvas(TCustomdxBarControl* ABar) { return ABar ? ABar->GetCanvas() : nullptr; }
void ForgetViewInfo(TCustomdxBarControl* ABar, TdxBarItemControlViewInfo* AInfo) {
  if (ABar && IsLiveBarControl(ABar) && !ABar->HasState(TCustomdxBarControl::bcsDestructionStarted))
    ABar->ViewInfo()->RemoveItemControlInfo(AInfo);
}
// The base bar window lets each control show its default level.
TdxBarItemViewLevel InitialViewLevel(TCustomdxBarControl*) { return ivlDefault; }
bool BarRotatesItems(TCustomdxBarControl* ABar) { return ABar && ABar->IsTextRotated(); }
TdxBarPaintType BarPaintType(TCustomdxBarControl* ABar) { return ABar ? TdxBarPaintType(ABar->GetPaintType()) : ptHorz; }
bool BarIsToolbar(TCustomdxBarControl* ABar) { return ABar && ABar->GetBarKind() != 2; }
// Only a toolbar window aligns its last item and gives a client-aligned one the rest of the row.
bool BarStretchesClientItems(TCustomdxBarControl* ABar) { return dynamic_cast<TdxBarControl*>(ABar) != nullptr; }
bool BarAllowsAlignedItems(TCustomdxBarControl* ABar, TdxBarItemControl* AControl) {
  return ABar && ABar->CanAlignItem(AControl);
}
bool BarIsCustomizing(TCustomdxBarControl* ABar) { return ABar && ABar->IsCustomizing(); }
bool BarShowsLink(TCustomdxBarControl* ABar, TdxBarItemLink* ALink) {
  return ABar && ABar->ItemLinks() && ABar->ItemLinks()->IndexOf(ALink) >= 0;
}
void ClearNavigationFlag(TCustomdxBarControl* ABar) { ABar->NavigationFlag = false; }
// Behaviour flag 0x200: the button keeps its pressed look while its click closes the bar.
bool BarKeepsPressedLook(TCustomdxBarControl* ABar) { return ABar && (ABar->GetBehaviorFlags() & 0x200) != 0; }
void BarHide(TCustomdxBarControl* ABar) {
  if (IsLiveBarControl(ABar)) ABar->Hide();
}
bool BarShowsItemHints(TCustomdxBarControl* ABar) { return ABar && ABar->ShowsItemHints() && !ABar->ItemHintsSuppressed; }
TdxBarItemControl* BarControlUnderMouse(TCustomdxBarControl* ABar) {
  return ABar && ABar->HandleAllocated() ? ABar->GetControlUnderMouse() : nullptr;
}
TBitmap* BarDefaultGlyph(TCustomdxBarControl*) { return nullptr; }
int32_t BarFontPointSize(TCustomdxBarControl* ABar) { return ABar && ABar->GetFont() ? ABar->GetFont()->Size() : 0; }
int32_t CaptionHeightOf(TCustomdxBarControl* ABar) {
  TcxCanvas* canvas = BarCanvas(ABar);
  return canvas && ABar->Painter() ? ABar->Painter()->CaptionHeightOf(canvas) : 0;
}
int32_t BarTextHeight(TCustomdxBarControl* ABar) { return CaptionHeightOf(ABar); }
int32_t BarDefaultItemHeight(TCustomdxBarControl* ABar) { return ABar ? ABar->GetDefaultItemHeight() : 0; }
int32_t BarGlyphColumnWidth(TCustomdxBarControl* ABar) { return ABar ? ABar->GetRowHeight() : 0; }
int32_t BarItemHeight(TCustomdxBarControl* ABar, TdxBarItemControl* AControl) {
  return ABar ? ABar->GetItemHeight(AControl) : 0;
}

TdxBarItemViewLevels LinkViewLevels(TdxBarItemLink* ALink) { return ALink ? ALink->ViewLevels() : AllViewLevels; }
TdxBarButtonGroupPosition LinkButtonGroup(TdxBarItemLink* ALink) { return ALink ? ALink->ButtonGroup() : bgpNone; }
TRect LinkItemRect(TdxBarItemLink* ALink) { return ALink ? ALink->ItemRect() : TRect(); }
TdxBarMenuItemSize LinksItemSize(TdxBarItemLink* ALink) {
  return ALink && ALink->GetOwnerLinks() ? ALink->GetOwnerLinks()->GetItemSize() : misNormal;
}
bool LinksShowShortCuts(TdxBarItemLink* ALink) { return ALink && ALink->GetOwnerLinks() && ALink->GetOwnerLinks()->GetShowShortCuts(); }
bool LinksShowDescriptions(TdxBarItemLink* ALink) {
  return ALink && ALink->GetOwnerLinks() && ALink->GetOwnerLinks()->GetShowDescriptions();
}
std::string LinkCaption(TdxBarItemLink* ALink) { return ALink ? ALink->GetCaption() : std::string(); }
TBitmap* LinkGlyph(TdxBarItemLink* ALink) { return ALink ? ALink->GetGlyph() : nullptr; }
// Items carry no style: no own font, no own colour.
bool ItemHasOwnFont(TdxBarItemControl*) { return false; }
TColor ItemStyleColor(TdxBarItemControl*) { return clDefault; }

TdxBarPainter* PainterOf(TCustomdxBarControl* ABar) { return ABar ? ABar->Painter() : nullptr; }
bool PainterBarChildShadows(TCustomdxBarControl* ABar) {
  TdxBarPainter* p = PainterOf(ABar);
  return p && p->BarChildShadows();
}
bool PainterAllowsLargeIcons(TCustomdxBarControl* ABar) {
  TdxBarPainter* p = PainterOf(ABar);
  return p && p->AllowsLargeIcons();
}
TRect PainterItemTextMargins(TCustomdxBarControl* ABar) {
  TdxBarPainter* p = PainterOf(ABar);
  return p ? p->ItemTextMargins() : TRect();
}
TRect PainterItemCaptionMargins(TCustomdxBarControl* ABar) {
  TdxBarPainter* p = PainterOf(ABar);
  return p ? p->ItemCaptionMargins() : TRect();
}
int32_t PainterItemBandIndent(TCustomdxBarControl* ABar, TdxBarItemControl*) {
  TdxBarPainter* p = PainterOf(ABar);
  return p ? p->ItemBandIndent(IsSubMenu(ABar), BarDefaultItemHeight(ABar)) : 0;
}
int32_t PainterSeparatorBarMetric(TCustomdxBarControl* ABar) {
  TdxBarPainter* p = PainterOf(ABar);
  return p ? p->SeparatorBarMetric(ABar) : 0;
}
void PainterAdjustGlyphAreaWidth(TCustomdxBarControl* ABar, int32_t& AValue) {
  if (TdxBarPainter* p = PainterOf(ABar)) p->AdjustGlyphAreaWidth(ABar, AValue);
}
void PainterAdjustBackgroundOffset(TCustomdxBarControl* ABar, TdxBarItemControlDrawParams* AParams, int32_t& AValue) {
  TPoint offset(AValue, 0);
  if (TdxBarPainter* p = PainterOf(ABar)) p->AdjustBackgroundOffset(AParams, offset);
  AValue = offset.X;
}
TSize PainterButtonSizeWithBorders(TCustomdxBarControl* ABar, int32_t AGlyphSize) {
  TdxBarPainter* p = PainterOf(ABar);
  return p ? p->ButtonSizeWithBorders(TSize(AGlyphSize, AGlyphSize)) : TSize(AGlyphSize, AGlyphSize);
}
int32_t PainterCaptionHeightOf(TCustomdxBarControl* ABar, TcxCanvas* ACanvas) {
  TdxBarPainter* p = PainterOf(ABar);
  return p && ACanvas ? p->CaptionHeightOf(ACanvas) : 0;
}

}  // namespace bridge

// ---------------------------------------------------------------- draw params and view info

void TdxBarItemControlDrawParams::SetViewSize(TdxBarItemViewSize Value) {
  if (viewSize_ == Value) return;
  viewSize_ = Value;
  if (itemControl_) itemControl_->ClearGlyphCache(false);
}

TdxBarItemControlViewInfo::TdxBarItemControlViewInfo(TdxBarItemControl* AControl) : control_(AControl) {
  if (!control_) return;
  allowedViewLevels_ = control_->GetAllowedViewLevels();
  minPossibleViewLevel_ = HighestLevelOf(control_->GetPossibleViewLevels());
  viewLevelForButtonGroup_ = HighestLevelOf(allowedViewLevels_);
  if (viewLevelForButtonGroup_ == ivlLargeIconWithText) viewLevelForButtonGroup_ = minPossibleViewLevel_;
}

TdxBarItemControlViewInfo::~TdxBarItemControlViewInfo() {
  if (control_) bridge::ForgetViewInfo(control_->Parent(), this);
}

TdxBarItemAlign TdxBarItemControlViewInfo::Align() const {
  return control_ ? control_->GetAlign() : iaLeft;
}

TdxBarButtonGroupPosition TdxBarItemControlViewInfo::ButtonGroupPosition() const {
  if (!control_ || !control_->CanBeInButtonGroup()) return bgpNone;
  return bridge::LinkButtonGroup(control_->ItemLink());
}

int32_t TdxBarItemControlViewInfo::GetWidth(TdxBarItemViewLevel AViewLevel) {
  if (AViewLevel > ivlControlOnly || !(allowedViewLevels_ & ViewLevelBit(AViewLevel)))
    throw EdxException("Testing! The level is not allowed");
  TWidthCacheEntry& entry = widthCache_[AViewLevel];
  if (!entry.Valid && control_) {
    const TdxBarItemViewLevel saved = viewLevel_;
    TScopeExit restore([&] { viewLevel_ = saved; });
    viewLevel_ = AViewLevel;
    entry.Width = control_->GetWidthInBar();
    entry.Valid = true;
  }
  return entry.Width;
}

void TdxBarItemControlViewInfo::ClearWidthCache() {
  for (TWidthCacheEntry& entry : widthCache_) entry = TWidthCacheEntry();
}

// ---------------------------------------------------------------- life

TdxBarItemControl::TdxBarItemControl(TCustomdxBarControl* AParent, TdxBarItemLink* ALink)
    : parent_(AParent), link_(ALink), cachedImageOptions_(std::make_unique<TdxCachedImageOptions>()) {}

TdxBarItemControl::~TdxBarItemControl() {
  ClearObjectLinks(this);
  // The link may be half destroyed itself: only the bar window is asked.
  TdxBarManager* manager = parent_ && IsLiveBarControl(parent_) ? parent_->GetBarManager() : nullptr;
  if (TdxFader* fader = dxFader()) fader->RemoveObject(this, true);
  if (link_ && link_->Control() == this) link_->SetControl(nullptr);
  if (parent_ && IsLiveBarControl(parent_) && parent_->GetSelectedControl() == this) {
    const bool managerGoing = manager && manager->InDestruction();
    if (!managerGoing && !(manager && manager->IsCustomizing())) parent_->SetSelectedControl(nullptr);
  }
  if (manager && manager->SelectedItemControl() == this) manager->StoreSelectedItemControl(nullptr);
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
  viewInfo_.reset();
  drawParams_.reset();
}

void TdxBarItemControl::EnsureCreated() {
  if (viewInfo_ || creating_) return;
  creating_ = true;
  TScopeExit done([&] { creating_ = false; });
  viewInfo_ = CreateViewInfo();
  drawParams_ = CreateDrawParams();
  CalcStyleWithFont();
  hotPartIndex_ = dxBarNoHotPart;
  CalcDrawParams(true);
  viewInfo_->SetViewLevel(bridge::InitialViewLevel(parent_));
}

std::unique_ptr<TdxBarItemControlDrawParams> TdxBarItemControl::CreateDrawParams() {
  return std::make_unique<TdxBarItemControlDrawParams>(this);
}

std::unique_ptr<TdxBarItemControlViewInfo> TdxBarItemControl::CreateViewInfo() {
  return std::make_unique<TdxBarItemControlViewInfo>(this);
}

TdxBarItemControlViewInfo* TdxBarItemControl::ViewInfo() {
  EnsureCreated();
  return viewInfo_.get();
}

TdxBarItemControlDrawParams* TdxBarItemControl::DrawParams() {
  EnsureCreated();
  return drawParams_.get();
}

// ---------------------------------------------------------------- related objects

TdxBarItem* TdxBarItemControl::GetItem() const { return link_ ? link_->GetItem() : nullptr; }

TdxBarManager* TdxBarItemControl::GetBarManager() const {
  if (link_ && link_->GetBarManager()) return link_->GetBarManager();
  return parent_ ? parent_->GetBarManager() : nullptr;
}

TdxBarManager* TdxBarItemControl::GetItemManager() const {
  TdxBarItem* item = GetItem();
  return item ? item->BarManager() : nullptr;
}

TcxCanvas* TdxBarItemControl::GetCanvas() const {
  if (activeCanvas_) return activeCanvas_;
  return bridge::BarCanvas(parent_);
}

TdxBarPainter* TdxBarItemControl::GetPainter() const { return parent_ ? parent_->Painter() : nullptr; }

TdxBarPaintStyle TdxBarItemControl::GetPaintStyle() const { return link_ ? link_->GetPaintStyle() : psStandard; }

TRect TdxBarItemControl::GetItemRect() const { return bridge::LinkItemRect(link_); }

TRect TdxBarItemControl::GetBounds() { return ViewInfo()->Bounds(); }

bool TdxBarItemControl::ClaimsWindow(HWND AWnd) {
  return parent_ && parent_->HandleAllocated() && AWnd && IsChild(parent_->Handle(), AWnd);
}

bool TdxBarItemControl::BarHasChildShadows() const { return bridge::PainterBarChildShadows(parent_); }

bool TdxBarItemControl::IsMenu() const { return GetPaintType() == ptMenu; }

bool TdxBarItemControl::IsVertical() const { return bridge::BarRotatesItems(parent_); }

TdxBarPaintType TdxBarItemControl::GetPaintType() const { return bridge::BarPaintType(parent_); }

bool TdxBarItemControl::UnclickAfterDoing() const {
  TdxBarItem* item = GetItem();
  return !dynamic_cast<TdxBarButton*>(item) || item->UnclickAfterDoing();
}

// ---------------------------------------------------------------- notices

void TdxBarItemControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated()) parent_->InvalidateItemControl(this);
}

void TdxBarItemControl::Rebuild() {
  if (parent_) parent_->RebuildBar();
}

void TdxBarItemControl::CaptionChanged() {
  TdxBarItem* item = GetItem();
  if (item && item->Align() == iaClient && bridge::BarStretchesClientItems(parent_))
    Invalidate();
  else
    Rebuild();
}

void TdxBarItemControl::EnabledChanged() {
  if (!GetEnabled() && parent_ && parent_->GetSelectedControl() == this) parent_->SetSelectedControl(nullptr);
  Invalidate();
}

void TdxBarItemControl::ImageChanged() {
  TdxBarItemControlViewInfo* info = ViewInfo();
  const TdxBarItemViewStructure oldStructure = DrawParams()->ViewStructure;
  if (info->AllowedViewLevels() != GetAllowedViewLevels() || (oldStructure & ivsIcon) != (GetViewStructure() & ivsIcon))
    Rebuild();
  else
    Invalidate();
}

void TdxBarItemControl::LargeImageChanged() {
  if (GetViewSize() == ivsSmall) return;
  if (IsMenu())
    Invalidate();
  else
    Rebuild();
}

void TdxBarItemControl::PressedChanged() {
  if (!pressed_) Invalidate();
}

void TdxBarItemControl::WidthChanged() {
  if (bridge::BarIsToolbar(parent_)) Rebuild();
}

void TdxBarItemControl::Refresh() {
  CalcDrawParams(false);
  CalcParts();
  Invalidate();
}

void TdxBarItemControl::ClearGlyphCache(bool AResetWidths) {
  cachedImageOptions_->Clear();
  if (AResetWidths && viewInfo_) viewInfo_->ClearWidthCache();
}

// ---------------------------------------------------------------- abilities

bool TdxBarItemControl::GetEnabled() const {
  TdxBarItem* item = GetItem();
  return item && item->Enabled();
}

bool TdxBarItemControl::BelongsToManager() const {
  TdxBarManager* linkManager = link_ ? link_->GetBarManager() : nullptr;
  TdxBarManager* itemManager = GetItemManager();
  return linkManager == itemManager || (itemManager && itemManager->InState(csInline));
}

bool TdxBarItemControl::CanSelect() { return !(bridge::BarIsCustomizing(parent_) && !BelongsToManager()); }

bool TdxBarItemControl::HasDoubleClickHandling() {
  TdxBarManager* m = GetBarManager();
  return (m && m->InDesigner()) || OpensSubMenu();
}

// ---------------------------------------------------------------- state

void TdxBarItemControl::SetPressed(bool Value) {
  if (pressed_ == Value) return;
  pressed_ = Value;
  PressedChanged();
}

void TdxBarItemControl::PressAndClick() {
  if (GetEnabled()) Press(false);
  TCustomdxBarControl* parent = parent_;
  TdxBarItemLink* link = link_;
  if (IsLiveBarControl(parent) && bridge::BarShowsLink(parent, link)) ControlClick(false);
}

void TdxBarItemControl::SelectFromMouse() {
  if (!parent_) return;
  bridge::ClearNavigationFlag(parent_);
  selectedByMouse_ = true;
  parent_->SetSelectedControl(this);
}

bool TdxBarItemControl::IsSelected() {
  return parent_ && parent_->GetSelectedControl() == this && (GetEnabled() || !selectedByMouse_);
}

int32_t TdxBarItemControl::PartAtPos(TPoint APoint) {
  if (!GetItemRect().Contains(APoint)) return dxBarNoHotPart;
  for (size_t i = 0; i < parts_.size(); ++i)
    if (parts_[i].Contains(APoint)) return int32_t(i);
  return dxBarNonePartInside;
}

void TdxBarItemControl::UpdateHotPart(TPoint APoint) {
  int32_t part = GetEnabled() ? PartAtPos(APoint) : dxBarNoHotPart;
  if (part == hotPartIndex_) return;
  const int32_t old = hotPartIndex_;
  hotPartIndex_ = part;
  if (CanFade()) {
    if (TdxFader* fader = dxFader()) {
      if (old == dxBarNoHotPart)
        fader->FadeIn(this);
      else if (part == dxBarNoHotPart)
        fader->FadeOut(this);
    }
  }
  Invalidate();
}

void TdxBarItemControl::MouseDown(TMouseButton, TShiftState, int32_t, int32_t) {}
void TdxBarItemControl::MouseUp(TMouseButton, TShiftState, int32_t, int32_t) {}
void TdxBarItemControl::MouseEnter(TShiftState, int32_t X, int32_t Y) { UpdateHotPart(TPoint(X, Y)); }
void TdxBarItemControl::MouseMove(TShiftState, int32_t X, int32_t Y) { UpdateHotPart(TPoint(X, Y)); }
void TdxBarItemControl::MouseLeave() { UpdateHotPart(TPoint(-1, -1)); }

bool TdxBarItemControl::IsMouseOverAndLeftDown() {
  if (!GetEnabled() || !parent_ || !parent_->HandleAllocated()) return false;
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(parent_->Handle(), &p);
  if (!GetItemRect().Contains(p)) return false;
  return IsPrimaryButtonDown();
}

// ---------------------------------------------------------------- click

void TdxBarItemControl::ControlClick(bool AByMouse) {
  (void)AByMouse;
  if (!link_) return;
  if (IsMenu() && dynamic_cast<TdxBarButton*>(GetItem())) PlayMenuSound(1);
  TdxBarItemLink* shownLink = link_;
  TdxBarItemLink* reportLink = link_->GetSourceLink();
  TdxBarItem* item = shownLink->GetItem();
  if (!item) return;
  const bool canClick = CanClick();
  const bool closes = ClickFromSubMenuCloses();
  if (closes) {
    try {
      reportLink->MarkUsed();
      if (shownLink != reportLink) shownLink->MarkUsed();
    } catch (const Exception&) {
      // A recent-items list that cannot count a use does not stop the click.
    }
  }
  TcxObjectLink* self = AddObjectLink(this);
  TcxObjectLink* itemLink = AddObjectLink(item);
  TScopeExit release([&] {
    if (self->Target) SetPressed(false);
    RemoveObjectLink(self);
    RemoveObjectLink(itemLink);
  });
  TCustomdxBarControl* parent = parent_;
  if (UnclickAfterDoing() && (!closes || bridge::BarKeepsPressedLook(parent))) SetPressed(true);
  if (closes)
    bridge::BarHide(parent);
  else
    reportLink = shownLink;
  if (!canClick || !itemLink->Target) return;
  item->ClickItemLink = reportLink;
  TScopeExit clearLink([&] {
    if (itemLink->Target) item->ClickItemLink = nullptr;
  });
  item->Click();
}

// ---------------------------------------------------------------- hint

bool TdxBarItemControl::HasHint() { return !GetHint().empty() && bridge::BarIsToolbar(parent_); }

bool TdxBarItemControl::GetHintTexts(bool& ACancel, std::string& AHint, std::string& AShortCut) {
  ACancel = false;
  AHint.clear();
  AShortCut.clear();
  if (!parent_ || !bridge::BarShowsItemHints(parent_) || bridge::BarControlUnderMouse(parent_) != this) return false;
  const std::string hint = GetHint();
  AHint = hint.substr(0, hint.find('|'));
  AShortCut = ShortCutHintSuffix(GetShortCut());
  TdxBarItem* item = GetItem();
  if (auto* action = item ? dynamic_cast<TCustomAction*>(item->Action()) : nullptr) {
    if (!action->DoHint(AHint)) {
      ACancel = true;
      return false;
    }
  }
  return true;
}

// ---------------------------------------------------------------- view levels

TdxBarItemViewLevels TdxBarItemControl::GetPossibleViewLevels() {
  TdxBarItemViewLevels levels = ViewLevelBit(ivlSmallIconWithText);
  if (HasImage(ivsSmall)) levels |= ViewLevelBit(ivlSmallIcon);
  return levels;
}

TdxBarItemViewLevels TdxBarItemControl::GetAllowedViewLevels() {
  const TdxBarItemViewLevels possible = GetPossibleViewLevels();
  if (possible == 0) throw EdxException(ClassName() + ".GetPossibleViewLevels = []");
  const TdxBarItemViewLevels allowed = possible & bridge::LinkViewLevels(link_);
  return allowed ? allowed : possible;
}

TdxBarItemViewSize TdxBarItemControl::GetViewSize() {
  switch (ViewInfo()->ViewLevel()) {
    case ivlLargeIconWithText: return ivsLarge;
    case ivlSmallIconWithText:
    case ivlSmallIcon: return ivsSmall;
    default: return GetDefaultViewSize();
  }
}

TdxBarItemViewStructure TdxBarItemControl::GetViewStructure() {
  const TdxBarItemViewLevel level = ViewInfo()->ViewLevel();
  const bool image = HasImage(GetViewSize());
  switch (level) {
    case ivlSmallIcon: return image ? ivsIcon : 0;
    case ivlDefault: return GetDefaultViewStructure();
    case ivlLargeIconWithText:
    case ivlSmallIconWithText: return TdxBarItemViewStructure(ivsText | (image ? ivsIcon : 0));
    default: return 0;
  }
}

TdxBarItemViewSize TdxBarItemControl::GetDefaultViewSize() {
  if (GetMenuItemSize() == misLarge) return ivsLarge;
  TdxBarManager* m = GetBarManager();
  if (m && m->LargeIcons() && !IsMenu() && bridge::PainterAllowsLargeIcons(parent_)) return ivsLargeIcon;
  return ivsSmall;
}

TdxBarMenuItemSize TdxBarItemControl::GetMenuItemSize() const { return bridge::LinksItemSize(link_); }

// ---------------------------------------------------------------- texts and images

std::string TdxBarItemControl::GetCaption() const { return link_ ? bridge::LinkCaption(link_) : std::string(); }

std::string TdxBarItemControl::GetHint() const {
  TdxBarItem* item = GetItem();
  return item ? item->Hint() : std::string();
}

TShortCut TdxBarItemControl::GetShortCut() const {
  TdxBarItem* item = GetItem();
  return item ? item->ShortCut() : scNone;
}

TBitmap* TdxBarItemControl::GetGlyph() const { return bridge::LinkGlyph(link_); }

TBitmap* TdxBarItemControl::GetLargeGlyph() const {
  TdxBarItem* item = GetItem();
  return item ? item->LargeGlyph() : nullptr;
}

int32_t TdxBarItemControl::GetImageIndex() const {
  TdxBarItem* item = GetItem();
  return item ? item->ImageIndex() : -1;
}

int32_t TdxBarItemControl::GetLargeImageIndex() const {
  TdxBarItem* item = GetItem();
  return item ? item->LargeImageIndex() : -1;
}

TCustomImageList* TdxBarItemControl::GetSmallImages() const {
  TdxBarManager* m = GetBarManager();
  if (!m) return nullptr;
  if (!GetEnabled() && m->DisabledImages()) return m->DisabledImages();
  return m->Images();
}

TCustomImageList* TdxBarItemControl::GetLargeImages() const {
  TdxBarManager* m = GetBarManager();
  if (!m) return nullptr;
  if (!GetEnabled() && m->DisabledLargeImages()) return m->DisabledLargeImages();
  return m->LargeImages();
}

TCustomImageList* TdxBarItemControl::GetHotImages() const {
  TdxBarManager* m = GetBarManager();
  return m ? m->HotImages() : nullptr;
}

bool TdxBarItemControl::IsLargeImageWanted(TdxBarItemViewSize AViewSize) const {
  if (AViewSize == ivsLarge) return true;
  TdxBarManager* m = GetBarManager();
  return m && GetPaintType() != ptMenu && m->LargeIcons() && bridge::PainterAllowsLargeIcons(parent_) &&
         m->UseLargeImagesForLargeIcons();
}

int32_t TdxBarItemControl::GetRealImageIndex(TdxBarItemViewSize AViewSize) const {
  if (IsLargeImageWanted(AViewSize) && GetLargeImages() && GetLargeImageIndex() != -1) return GetLargeImageIndex();
  return GetImageIndex();
}

TCustomImageList* TdxBarItemControl::GetImageListFor(TdxBarItemViewSize AViewSize) const {
  if (IsLargeImageWanted(AViewSize) && ListHasImage(GetLargeImages(), GetRealImageIndex(AViewSize)))
    return GetLargeImages();
  return GetSmallImages();
}

bool TdxBarItemControl::GetImage(TdxBarItemViewSize AViewSize, int32_t& AImageIndex, TCustomImageList*& AImageList,
                                 TBitmap*& AGlyph) const {
  const bool large = IsLargeImageWanted(AViewSize);
  AImageIndex = GetRealImageIndex(AViewSize);
  const bool largeListInUse = large && ListHasImage(GetLargeImages(), AImageIndex);
  AImageList = largeListInUse ? GetLargeImages() : GetSmallImages();
  TBitmap* largeGlyph = GetLargeGlyph();
  if (large && !IsBitmapEmpty(largeGlyph))
    AGlyph = largeGlyph;
  else
    AGlyph = largeListInUse ? nullptr : GetGlyph();
  if (IsBitmapEmpty(AGlyph)) AGlyph = nullptr;
  if (AGlyph || ListHasImage(AImageList, AImageIndex)) return true;
  AGlyph = bridge::BarDefaultGlyph(parent_);
  if (IsBitmapEmpty(AGlyph)) AGlyph = nullptr;
  return AGlyph != nullptr;
}

bool TdxBarItemControl::HasImage(TdxBarItemViewSize AViewSize) const {
  int32_t index;
  TCustomImageList* list;
  TBitmap* glyph;
  return GetImage(AViewSize, index, list, glyph);
}

TSize TdxBarItemControl::GetGlyphSize(TdxBarItemViewSize AViewSize) const {
  int32_t index;
  TCustomImageList* list;
  TBitmap* glyph;
  if (GetImage(AViewSize, index, list, glyph)) {
    if (glyph) return TSize{glyph->Width(), glyph->Height()};
    if (list) return TSize{list->Width(), list->Height()};
  }
  if (AViewSize == ivsLarge) return TSize{20, 20};
  TdxBarManager* m = GetBarManager();
  const int32_t size = m ? m->GetGlyphSize() : 16;
  return TSize{size, size};
}

bool TdxBarItemControl::DrawsDisabledImageAsIs() const {
  if (GetEnabled()) return true;
  const TdxBarItemViewSize size = drawParams_ ? drawParams_->ViewSize() : ivsSmall;
  int32_t index;
  TCustomImageList* list;
  TBitmap* glyph;
  if (!GetImage(size, index, list, glyph) || glyph || !list) return false;
  TdxBarManager* m = GetBarManager();
  if (!m) return false;
  return (list == m->DisabledImages() && m->DisabledImages()) ||
         (list == m->DisabledLargeImages() && m->DisabledLargeImages());
}

// ---------------------------------------------------------------- sizes

int32_t TdxBarItemControl::GetCaptionWidth() {
  TcxCanvas* canvas = GetCanvas();
  if (!canvas) return 0;
  BeginItemFont();
  TScopeExit end([&] { EndItemFont(); });
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->ItemCalcTextRect(DrawParams(), GetCaption()).Width() : 0;
}

TRect TdxBarItemControl::GetTextMargins() { return bridge::PainterItemTextMargins(parent_); }

int32_t TdxBarItemControl::GetTextIndentByFont() { return bridge::BarFontPointSize(parent_) / 2; }

int32_t TdxBarItemControl::GetItemIndent() { return bridge::PainterItemBandIndent(parent_, this); }

int32_t TdxBarItemControl::GetTextHeight() { return bridge::ItemHasOwnFont(this) ? textSize_ : bridge::BarTextHeight(parent_); }

int32_t TdxBarItemControl::GetGlyphPartWidth() {
  if (IsMenu()) return bridge::BarGlyphColumnWidth(parent_);
  if (DrawParams()->ShowsIcon()) return DrawParams()->GlyphAreaSize.cx;
  return 0;
}

int32_t TdxBarItemControl::GetTextPartWidth() {
  TdxBarItemControlDrawParams* params = DrawParams();
  if (!params->ShowsText()) return 0;
  const int32_t caption = GetCaptionWidth();
  if (!IsMenu()) {
    if (params->ShowsIcon()) return caption + bridge::PainterItemCaptionMargins(parent_).Left;
    return caption + 2 * GetTextIndentByFont();
  }
  int32_t text = caption;
  TcxCanvas* canvas = GetCanvas();
  if (canvas && bridge::LinksShowShortCuts(link_) && GetShortCut() != scNone)
    text += canvas->MeasureTextWidth(ShortCutToText(GetShortCut())) + bridge::BarTextHeight(parent_) - 6;
  if (canvas && GetMenuItemSize() == misLarge && bridge::LinksShowDescriptions(link_)) {
    TdxBarItem* item = GetItem();
    const int32_t description = item ? canvas->MeasureTextWidth(item->Description()) : 0;
    text = std::max(text, description);
  }
  const TRect margins = GetTextMargins();
  return text + margins.Left + margins.Right + bridge::PainterSeparatorBarMetric(parent_);
}

int32_t TdxBarItemControl::GetSmallWidth() { return GetGlyphPartWidth() + GetTextPartWidth() + GetExtraWidth(); }

int32_t TdxBarItemControl::GetSmallHeight() {
  TdxBarItemControlDrawParams* params = DrawParams();
  int32_t height = 0;
  if (params->ShowsText()) height = std::max(height, GetTextHeight());
  if (params->ShowsIcon()) height = std::max(height, params->GlyphAreaSize.cy);
  return height;
}

// The large glyph's extent along the layout direction (AAlong: width) or
// across it, with rotated bars turning the glyph.
int32_t TdxBarItemControl::LargeGlyphExtent(bool AAlong) {
  const TSize glyph = GetGlyphSize(ivsLarge);
  const bool width = AAlong != IsVertical();
  return width ? glyph.cx : glyph.cy;
}

int32_t TdxBarItemControl::GetLargeHeight() {
  const int32_t a = LargeGlyphExtent(false);
  if (!DrawParams()->ShowsText()) return a + 6;
  int32_t h = 0;
  if (TcxCanvas* canvas = GetCanvas()) {
    BeginItemFont();
    TScopeExit end([&] { EndItemFont(); });
    h = canvas->MeasureTextHeight("Qq");
  }
  TdxBarItem* item = GetItem();
  const TdxBarGlyphLayout layout = item ? item->GlyphLayout() : glTop;
  if (layout == glLeft || layout == glRight) return std::max(a, h) + 6;
  return a + h + 7;
}

int32_t TdxBarItemControl::GetLargeWidth() {
  const int32_t a = LargeGlyphExtent(true);
  if (!DrawParams()->ShowsText()) return a + 10;
  const int32_t w = GetCaptionWidth();
  TdxBarItem* item = GetItem();
  const TdxBarGlyphLayout layout = item ? item->GlyphLayout() : glTop;
  if (layout == glTop || layout == glBottom) return std::max(a, w + 6) + 10;
  return a + w + 16;
}

int32_t TdxBarItemControl::GetMenuHeight() {
  int32_t height = bridge::BarItemHeight(parent_, this);
  bridge::PainterAdjustGlyphAreaWidth(parent_, height);
  return height;
}

int32_t TdxBarItemControl::GetMenuWidth() {
  int32_t width = GetSmallWidth();
  bridge::PainterAdjustBackgroundOffset(parent_, DrawParams(), width);
  return width;
}

int32_t TdxBarItemControl::GetThickness() { return GetViewSize() == ivsLarge ? GetLargeHeight() : GetSmallHeight(); }

int32_t TdxBarItemControl::GetLength() { return GetViewSize() == ivsLarge ? GetLargeWidth() : GetSmallWidth(); }

int32_t TdxBarItemControl::GetHeight() {
  CalcDrawParams(false);
  if (IsMenu()) return GetMenuHeight();
  return IsVertical() ? GetLength() : GetThickness();
}

int32_t TdxBarItemControl::GetWidth() {
  CalcDrawParams(false);
  if (IsMenu()) return GetMenuWidth();
  return IsVertical() ? GetThickness() : GetLength();
}

TdxBarItemAlign TdxBarItemControl::GetAlign() {
  TdxBarItem* item = GetItem();
  if (!item || !bridge::BarAllowsAlignedItems(parent_, this)) return iaLeft;
  return item->Align();
}

int32_t TdxBarItemControl::GetHeightInBar() {
  if (GetAlign() == iaClient && parent_ && parent_->IsVertical()) return IsVertical() ? GetMinWidth() : GetMinHeight();
  BeginItemFont();
  TScopeExit end([&] { EndItemFont(); });
  return GetHeight();
}

int32_t TdxBarItemControl::GetWidthInBar() {
  const bool stretched =
      GetAlign() == iaClient && bridge::BarStretchesClientItems(parent_) && !(parent_ && parent_->IsVertical());
  if (stretched) return GetMinWidth();
  BeginItemFont();
  TScopeExit end([&] { EndItemFont(); });
  return std::max(GetWidth(), GetMinWidth());
}

// ---------------------------------------------------------------- drawing

void TdxBarItemControl::CalcDrawParams(bool AFull) {
  EnsureCreated();
  TdxBarItemControlDrawParams* params = drawParams_.get();
  if (!params) return;
  if (AFull) {
    params->Caption = GetCaption();
    TdxBarItem* item = GetItem();
    params->Description = item ? item->Description() : std::string();
    params->ShortCut.clear();
    params->PaintType = GetPaintType();
    params->Enabled = GetEnabled();
    params->CanSelect = CanFocus();
    params->DrawSelected = IsSelected();
    params->IsDropDown = IsDropDown();
    params->HotPartIndex = hotPartIndex_;
    params->IsCustomizing = bridge::BarIsCustomizing(parent_);
    params->SelectedByKey = params->DrawSelected && !selectedByMouse_;
  }
  params->Canvas = GetCanvas();
  params->SetViewSize(GetViewSize());
  params->ViewStructure = GetViewStructure();
  TdxBarManager* m = GetBarManager();
  params->GlyphAreaSize = bridge::PainterButtonSizeWithBorders(parent_, m ? m->GetGlyphSize() : 16);
}

void TdxBarItemControl::CalcParts() {
  parts_.assign(size_t(std::max(GetPartCount(), 0)), GetItemRect());
}

void TdxBarItemControl::CalcStyle() {
  if (backgroundBrush_) {
    DeleteObject(backgroundBrush_);
    backgroundBrush_ = nullptr;
  }
  const TColor color = bridge::ItemStyleColor(this);
  if (color != clDefault) backgroundBrush_ = CreateSolidBrush(ColorToRGB(color));
  if (TcxCanvas* canvas = GetCanvas()) textSize_ = bridge::PainterCaptionHeightOf(parent_, canvas);
}

void TdxBarItemControl::CalcStyleWithFont() {
  BeginItemFont();
  TScopeExit end([&] { EndItemFont(); });
  CalcStyle();
}

// Items carry no style of their own here, so the item font is the bar window's.
void TdxBarItemControl::BeginItemFont() {}
void TdxBarItemControl::EndItemFont() {}

void TdxBarItemControl::Paint(TcxCanvas* ACanvas, const TRect& ARect, TdxBarPaintType AFlag) {
  if (!ACanvas || ARect.IsEmpty()) return;
  ACanvas->PushState();
  TcxCanvas* own = bridge::BarCanvas(parent_);
  TcxCanvas* savedActive = activeCanvas_;
  TScopeExit restore([&] {
    activeCanvas_ = savedActive;
    CalcDrawParams(false);
    ACanvas->PopState();
  });
  if (own && own != ACanvas) ACanvas->Font()->Assign(own->Font());
  activeCanvas_ = ACanvas;
  BeginItemFont();
  TScopeExit end([&] { EndItemFont(); });
  CalcDrawParams(true);
  Draw(ARect, AFlag);
}
