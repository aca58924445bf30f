// The button-like item controls: view structures by paint style, parts, the
// click, the pressed look, drop-downs with the hover timers, large buttons
// and the application-menu button.
#include "ui/bars/dxBarButtonControls.h"

#include <algorithm>

#include "platform/vcl/controls.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/imglist.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarPopupMenu.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarViewInfo.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/dxFading.h"
#include "ui/lookandfeel/dxOffice11.h"

namespace {

// ---------------------------------------------------------------- the open and close timers

TdxBarButtonLikeTimers g_timers;

void StopOpenTimer() {
  if (g_timers.OpenTimer) win::KillTimer(nullptr, g_timers.OpenTimer);
  g_timers.OpenTimer = 0;
  g_timers.OpenControl = nullptr;
}

void StopCloseTimer() {
  if (g_timers.CloseTimer) win::KillTimer(nullptr, g_timers.CloseTimer);
  g_timers.CloseTimer = 0;
  g_timers.CloseControl = nullptr;
}

void StopTimersOf(TdxBarButtonLikeControl* AControl) {
  if (g_timers.OpenControl == AControl) StopOpenTimer();
  if (g_timers.CloseControl == AControl) StopCloseTimer();
}

void ArmOpenTimer(TdxBarButtonLikeControl* AControl) {
  StopOpenTimer();
  g_timers.OpenTimer = win::SetTimer(nullptr, 0, dxBarButtonLikeTimerInterval, &DxBarButtonLikeOpenTimerProc);
  g_timers.OpenControl = g_timers.OpenTimer ? AControl : nullptr;
  g_timers.Interval = dxBarButtonLikeTimerInterval;
}

void ArmCloseTimer(TdxBarButtonLikeControl* AControl) {
  StopCloseTimer();
  g_timers.CloseTimer = win::SetTimer(nullptr, 0, dxBarButtonLikeTimerInterval, &DxBarButtonLikeCloseTimerProc);
  g_timers.CloseControl = g_timers.CloseTimer ? AControl : nullptr;
  g_timers.Interval = dxBarButtonLikeTimerInterval;
}

// A close still pending for another control happens now, before this one opens.
void FirePendingClose() {
  TdxBarButtonLikeControl* control = g_timers.CloseControl;
  if (!control) return;
  StopCloseTimer();
  control->Deactivate(true);
}

using TWeakLink = TcxScopedObjectLink;

void CloseBarWindow(TCustomdxBarControl* ABar) {
  if (!ABar || !IsLiveBarControl(ABar)) return;
  if (auto* menu = dynamic_cast<TdxBarSubMenuControl*>(ABar)) {
    menu->OpeningItemControl = nullptr;
    menu->Close();
  } else {
    ABar->Hide();
  }
}

bool ListHasImage(TCustomImageList* AList, int32_t AIndex) { return AList && AIndex >= 0 && AIndex < AList->Count(); }

TBitmap* NonEmpty(TBitmap* ABitmap) { return ABitmap && !ABitmap->Empty() ? ABitmap : nullptr; }

// DrawLoweredFrame takes one pixel off each side.
constexpr int32_t LoweredBorderWidth = 1;

}  // namespace

const TdxBarButtonLikeTimers& dxBarButtonLikeTimers() { return g_timers; }

// One-shot: each stops itself before it acts, so the action may arm it again.
void DxBarButtonLikeOpenTimerProc(win::HWND, win::UINT, win::UINT_PTR AId, win::DWORD) {
  if (AId == 0 || AId != g_timers.OpenTimer) return;  // a timer stopped meanwhile
  TdxBarButtonLikeControl* control = g_timers.OpenControl;
  StopOpenTimer();
  if (control) control->Activate(true, true);
}

void DxBarButtonLikeCloseTimerProc(win::HWND, win::UINT, win::UINT_PTR AId, win::DWORD) {
  if (AId == 0 || AId != g_timers.CloseTimer) return;
  TdxBarButtonLikeControl* control = g_timers.CloseControl;
  StopCloseTimer();
  if (control) control->Deactivate(true);
}

// ---------------------------------------------------------------- TdxBarButtonLikeControl

TdxBarButtonLikeControl::~TdxBarButtonLikeControl() { StopTimersOf(this); }

std::unique_ptr<TdxBarItemControlDrawParams> TdxBarButtonLikeControl::CreateDrawParams() {
  return std::make_unique<TdxBarButtonLikeControlDrawParams>(this);
}

TdxBarButtonLikeControlDrawParams* TdxBarButtonLikeControl::ButtonDrawParams() {
  return static_cast<TdxBarButtonLikeControlDrawParams*>(DrawParams());
}

bool TdxBarButtonLikeControl::InSubMenu() const { return Parent() && Parent()->GetBarKind() == 2; }

bool TdxBarButtonLikeControl::CanFade() {
  TdxBarPainter* painter = GetPainter();
  return dxFader() && painter && painter->HasExtendedInterface() && !IsDroppedDown();
}

// Opening:
//  - already dropped down: only the timers stop;
//  - a toolbar opens only while customizing or in navigation, and then at once;
//  - immediate or customizing: a pending close happens first, then DropDown;
//  - else (hover in a menu) the open timer is armed for this control.
void TdxBarButtonLikeControl::Activate(bool AImmediate, bool AByKey) {
  if (IsDroppedDown()) {
    StopTimersOf(this);
    return;
  }
  TdxBarItemControl::Activate(AImmediate, AByKey);
  if (!IsDropDown() || !CanDropDown()) return;
  TCustomdxBarControl* bar = Parent();
  TdxBarManager* manager = GetBarManager();
  const bool customizing = manager && manager->IsCustomizing();
  if (!InSubMenu()) {
    if (!bar || !(bar->IsCustomizing() || bar->NavigationFlag)) return;
    AImmediate = true;
  }
  if (AImmediate || customizing) {
    TWeakLink self(this);
    FirePendingClose();
    if (self.Alive()) DropDown(AByKey);
    return;
  }
  if (g_timers.CloseControl == this) StopCloseTimer();
  ArmOpenTimer(this);
}

void TdxBarButtonLikeControl::Deactivate(bool AImmediate) {
  TCustomdxBarControl* bar = Parent();
  TdxBarManager* manager = GetBarManager();
  const bool barGoing = !bar || !IsLiveBarControl(bar) || bar->IsDestroying() ||
                        bar->HasState(TCustomdxBarControl::bcsDestructionStarted);
  if (!InSubMenu() || AImmediate || barGoing || (manager && manager->IsCustomizing())) {
    TdxBarItemControl::Deactivate(true);
    CloseUp(GetDropDownBarControl() != nullptr);
    return;
  }
  if (g_timers.OpenControl == this) StopOpenTimer();
  if (IsDroppedDown())
    ArmCloseTimer(this);
  else
    TdxBarItemControl::Deactivate(false);
}

void TdxBarButtonLikeControl::SelectFromMouse() {
  TCustomdxBarControl* bar = Parent();
  if (!bar || bar->GetSelectedControl() != this) {
    TdxBarItemControl::SelectFromMouse();
    return;
  }
  TWeakLink barLink(bar);
  bar->NavigationFlag = true;
  TWeakLink self(this);
  DropDown(false);
  if (barLink.Alive()) bar->DeactivateIfFocused();
}

bool TdxBarButtonLikeControl::WantsKey(uint16_t AKey) {
  if (TdxBarItemControl::WantsKey(AKey)) return true;
  if (!IsDropDown()) return false;
  if (InSubMenu()) return AKey == win::VK_RIGHT;
  return AKey == win::VK_UP || AKey == win::VK_DOWN;
}

void TdxBarButtonLikeControl::KeyDown(uint16_t& AKey, TShiftState AShift) {
  TdxBarItemControl::KeyDown(AKey, AShift);
  if (WantsKey(AKey)) EnterMenuMode(false);
}

void TdxBarButtonLikeControl::CalcDrawParams(bool AFull) {
  TdxBarItemControl::CalcDrawParams(AFull);
  TdxBarButtonLikeControlDrawParams* params = ButtonDrawParams();
  if (AFull) {
    params->RealPositionInButtonGroup = ViewInfo()->RealPositionInButtonGroup();
    params->PlainFrame = UsesPlainFrame();
    params->PressedFrame = UsesPressedFrame();
  }
  const int32_t itemHeight = Parent() ? Parent()->GetDefaultItemHeight() : 0;
  params->DropDownArrowSize = TSize(GetArrowWidth(), std::max(itemHeight / 5, 4));
}

void TdxBarButtonLikeControl::Draw(const TRect& ARect, TdxBarPaintType) {
  if (TdxBarPainter* painter = GetPainter()) painter->ButtonDrawContent(ButtonDrawParams(), ARect);
}

int32_t TdxBarButtonLikeControl::GetArrowWidth() {
  TdxBarPainter* painter = GetPainter();
  if (!painter) return 0;
  if (InSubMenu()) return painter->SubMenuExpandButtonSize(Parent()->GetDefaultItemHeight());
  TdxBarManager* manager = GetBarManager();
  return manager ? painter->ButtonArrowWidthOf(manager) : 0;
}

bool TdxBarButtonLikeControl::CanDropDown() {
  TdxBarManager* manager = GetBarManager();
  return GetEnabled() || (manager && manager->InDesigner());
}

void TdxBarButtonLikeControl::EnterMenuMode(bool) {
  if (Parent()) Parent()->NavigationFlag = true;
}

// No painter of this system draws a plain or a pressed frame of its own.
bool TdxBarButtonLikeControl::UsesPlainFrame() { return false; }
bool TdxBarButtonLikeControl::UsesPressedFrame() { return false; }

void TdxBarButtonLikeControl::CloseUp(bool ACloseBar) {
  StopTimersOf(this);
  TWeakLink self(this);
  if (ACloseBar) CloseBarWindow(GetDropDownBarControl());
  if (self.Alive() && Parent() && IsLiveBarControl(Parent())) Invalidate();
}

// ---------------------------------------------------------------- TdxBarButtonControl

TdxBarButtonControl::~TdxBarButtonControl() {
  StopTimersOf(this);
  // Only the flag is left to clear: the bar window may be going too.
  if (droppedDown_) CloseBarWindow(GetDropDownBarControl());
  droppedDown_ = false;
}

TdxBarButton* TdxBarButtonControl::Button() const { return dynamic_cast<TdxBarButton*>(GetItem()); }

bool TdxBarButtonControl::IsCheckedStyle() const {
  TdxBarButton* button = Button();
  return button && (button->ButtonStyle() == bsChecked || button->ButtonStyle() == bsCheckedDropDown);
}

bool TdxBarButtonControl::IsDropDown() {
  TdxBarButton* button = Button();
  return button && (button->ButtonStyle() == bsDropDown || button->ButtonStyle() == bsCheckedDropDown);
}

bool TdxBarButtonControl::IsDroppedDown() { return droppedDown_ && GetDropDownBarControl(); }

TCustomdxBarControl* TdxBarButtonControl::GetDropDownBarControl() {
  TdxBarButton* button = Button();
  TdxBarPopupMenu* menu = button ? button->DropDownMenu() : nullptr;
  return menu && menu->ItemLinks() ? menu->ItemLinks()->BarControl : nullptr;
}

// Toolbars without navigation leave a press to the mouse-up; a press on the
// arrow of a drop-down opens its menu at once.
void TdxBarButtonControl::Press(bool AByMouse) {
  if (IsDropDown() && HotPartIndex() == dxBarArrowHotPart && IsMouseOverAndLeftDown()) {
    EnterMenuMode(AByMouse);
    return;
  }
  if (!InSubMenu() || IsDropDown()) Invalidate();
}

// The arrow part only opens the menu; the main part of a check button
// toggles Down before the item's click runs.
void TdxBarButtonControl::ControlClick(bool AByMouse) {
  if (AByMouse && HotPartIndex() != dxBarMainHotPart) return;
  TWeakLink self(this);
  if (TdxBarButton* button = Button(); button && IsCheckedStyle()) button->SetDown(!button->Down());
  if (!self.Alive()) return;
  Deactivate(true);
  if (!self.Alive()) return;
  TdxBarItemControl::ControlClick(AByMouse);
}

void TdxBarButtonControl::SelectFromMouse() {
  TCustomdxBarControl* bar = Parent();
  if (bar && bar->GetSelectedControl() == this && bar->NavigationFlag && IsDroppedDown() &&
      HotPartIndex() == dxBarMainHotPart) {
    TWeakLink barLink(bar);
    if (bar->GetBehaviorFlags() & 0x200) bar->DeactivateIfFocused();
    if (barLink.Alive()) bar->ActivateKeyboardMode(this);
    return;
  }
  TdxBarButtonLikeControl::SelectFromMouse();
}

bool TdxBarButtonControl::IsSelected() {
  if (Parent() && Parent()->IsCustomizing()) return Pressed();
  return TdxBarButtonLikeControl::IsSelected();
}

TdxBarItemViewStructure TdxBarButtonControl::GetViewStructure() {
  if (ViewInfo()->ViewLevel() == ivlSmallIcon) return ivsIcon;
  return TdxBarButtonLikeControl::GetViewStructure();
}

TdxBarItemViewStructure TdxBarButtonControl::GetDefaultViewStructure() {
  constexpr TdxBarItemViewStructure both = ivsIcon | ivsText;
  const bool menu = IsMenu();
  switch (GetPaintStyle()) {
    case psStandard:
      if (menu) return both;
      return HasImage(GetViewSize()) ? ivsIcon : ivsText;
    case psCaption: return ivsText;
    case psCaptionInMenu: return menu ? ivsText : ivsIcon;
    case psCaptionGlyph: return both;
  }
  return both;
}

TdxBarPaintStyle TdxBarButtonControl::GetPaintStyle() const {
  TdxBarPaintStyle style = TdxBarButtonLikeControl::GetPaintStyle();
  if (style == psStandard && !InSubMenu()) {
    // The view size is worked out by the view info, which GetViewSize may make.
    auto* self = const_cast<TdxBarButtonControl*>(this);
    if (!HasImage(self->GetViewSize())) style = AdjustPaintStyle(style);
  }
  return style;
}

TdxBarPaintStyle TdxBarButtonControl::AdjustPaintStyle(TdxBarPaintStyle AStyle) const {
  return AStyle == psStandard ? psCaption : AStyle;
}

bool TdxBarButtonControl::ShowsPressed() {
  TCustomdxBarControl* bar = Parent();
  const bool held = IsSelected() && bar && bar->IsActive() && HotPartIndex() == dxBarMainHotPart &&
                    IsMouseOverAndLeftDown();
  return held || (Pressed() && !IsCheckedStyle());
}

void TdxBarButtonControl::CalcDrawParams(bool AFull) {
  TdxBarButtonLikeControl::CalcDrawParams(AFull);
  if (!AFull) return;
  TdxBarButtonLikeControlDrawParams* params = ButtonDrawParams();
  TdxBarButton* button = Button();
  const TShortCut shortCut = GetShortCut();
  params->ShortCut = shortCut ? ShortCutToText(shortCut) : std::string();
  params->IsPressed = ShowsPressed();
  params->Down = button && button->Down();
  params->IsPressedCopy = params->IsPressed;
  params->DroppedDown = IsDroppedDown();
  TdxBarPainter* painter = GetPainter();
  params->FlatAndDroppedDown = painter && painter->IsFlatStyle() && params->DroppedDown;
  params->IsButton = true;
  params->DropDownEnabled = !button || button->DropDownEnabled();
  params->GrayScaleGlyph = DrawsGrayScaleGlyph();
  params->Lowered = button && button->Lowered();
}

void TdxBarButtonControl::CalcParts() {
  TdxBarButtonLikeControl::CalcParts();
  TdxBarPainter* painter = GetPainter();
  if (parts_.size() != 2 || !painter) return;
  CalcDrawParams(false);
  painter->ButtonCalcParts(this, GetItemRect(), parts_[0], parts_[1]);
}

int32_t TdxBarButtonControl::GetHeight() {
  int32_t height = TdxBarButtonLikeControl::GetHeight();
  if (TdxBarButton* button = Button(); button && button->Lowered()) height += 2 * LoweredBorderWidth;
  return height;
}

int32_t TdxBarButtonControl::GetWidth() {
  int32_t width = TdxBarButtonLikeControl::GetWidth();
  if (TdxBarPainter* painter = GetPainter()) painter->SubItemAdjustWidth(this, width);
  if (TdxBarButton* button = Button(); button && button->Lowered()) width += 2 * LoweredBorderWidth;
  return width;
}

int32_t TdxBarButtonControl::GetSmallHeight() {
  int32_t height = TdxBarButtonLikeControl::GetSmallHeight();
  TdxBarItemControlDrawParams* params = DrawParams();
  if (params->ShowsText()) height = std::max(height, params->GlyphAreaSize.cy);
  return height;
}

bool TdxBarButtonControl::ClickFromSubMenuCloses() {
  if (!InSubMenu()) return true;
  TdxBarButton* button = Button();
  return button && button->CloseSubMenuOnClick();
}

// No bar window of this system reports the capturing kind.
bool TdxBarButtonControl::CapturesMouse() { return false; }

bool TdxBarButtonControl::UsesPlainFrame() {
  return !UsesPressedFrame() || TdxBarButtonLikeControl::UsesPlainFrame();
}

bool TdxBarButtonControl::UsesPressedFrame() {
  TdxBarPainter* painter = GetPainter();
  if (!painter || !painter->IsFlatStyle()) return false;
  TdxBarButton* button = Button();
  const bool down = button && button->Down();
  const bool selected = IsSelected();
  // No painter of this system has the pressed-frame option.
  constexpr bool pressedFrameOption = false;
  if ((ShowsPressed() || (down && selected)) && pressedFrameOption) return true;
  return (Pressed() || down || selected) &&
         ((IsHighContrastWhite() && !IsDroppedDown()) || TdxBarButtonLikeControl::UsesPressedFrame());
}

void TdxBarButtonControl::EnterMenuMode(bool AByKey) {
  TdxBarButtonLikeControl::EnterMenuMode(AByKey);
  Activate(true, AByKey);
}

// Below the control on a horizontal toolbar, beside it in a menu or a
// vertical bar; what is asked of the button item is the whole request.
void TdxBarButtonControl::DropDown(bool AByKey) {
  TdxBarButton* button = Button();
  if (droppedDown_ || !GetEnabled() || !button || !button->DropDownEnabled() || !button->DropDownMenu()) return;
  TCustomdxBarControl* bar = Parent();
  if (!bar) return;
  droppedDown_ = true;
  Invalidate();
  const TRect r = GetItemRect();
  // The menu window keeps no item offset yet, so the top stays where it is.
  const TPoint client = InSubMenu() || bar->IsVertical() ? TPoint(r.Right, r.Top) : TPoint(r.Left, r.Bottom);
  const TPoint screen = bar->HandleAllocated() ? bar->ClientToScreen(client) : client;
  TWeakLink self(this);
  button->DropDown(this, screen.X, screen.Y, !AByKey);
  if (!self.Alive()) return;
  if (TCustomdxBarControl* menu = GetDropDownBarControl()) {
    menu->OpeningItemControl = this;
  } else {
    // Nothing showed (the menu refused, or closed at once): no arrow stays down.
    droppedDown_ = false;
  }
  TdxBarPainter* painter = GetPainter();
  if (painter && painter->ButtonArrowFlat()) Invalidate();
}

void TdxBarButtonControl::CloseUp(bool ACloseBar) {
  if (ACloseBar)
    if (TCustomdxBarControl* menu = GetDropDownBarControl(); menu && menu->OpeningItemControl == this)
      menu->OpeningItemControl = nullptr;
  droppedDown_ = false;
  TdxBarButtonLikeControl::CloseUp(ACloseBar);
}

// ---------------------------------------------------------------- TdxBarLargeButtonControl

void TdxBarLargeButtonControl::LargeImageChanged() {
  if (GetViewSize() != ivsLarge) return;
  auto* item = dynamic_cast<TdxBarLargeButton*>(GetItem());
  if ((item && item->Width() != 0 && item->Height() != 0) || IsMenu())
    Invalidate();
  else
    Rebuild();
}

TdxBarItemViewLevels TdxBarLargeButtonControl::GetPossibleViewLevels() {
  return TdxBarButtonControl::GetPossibleViewLevels() | ViewLevelBit(ivlLargeIconWithText);
}

TdxBarItemViewStructure TdxBarLargeButtonControl::GetDefaultViewStructure() {
  if (IsMenu()) return TdxBarButtonControl::GetDefaultViewStructure();
  TdxBarItem* item = GetItem();
  return item && item->ShowCaption() ? TdxBarItemViewStructure(ivsIcon | ivsText) : ivsIcon;
}

TdxBarItemViewSize TdxBarLargeButtonControl::GetDefaultViewSize() {
  return IsMenu() ? TdxBarButtonControl::GetDefaultViewSize() : ivsLarge;
}

bool TdxBarLargeButtonControl::DrawsGrayScaleGlyph() const {
  auto* self = const_cast<TdxBarLargeButtonControl*>(this);
  auto* item = dynamic_cast<TdxBarLargeButton*>(GetItem());
  return !self->IsSelected() && GetEnabled() && item && item->AutoGrayScale();
}

// At the large size the hot image stands in for a missing large one and the
// other way round; the control shows the hot one while it is selected.
bool TdxBarLargeButtonControl::GetImage(TdxBarItemViewSize AViewSize, int32_t& AImageIndex,
                                        TCustomImageList*& AImageList, TBitmap*& AGlyph) const {
  if (AViewSize != ivsLarge) return TdxBarButtonControl::GetImage(AViewSize, AImageIndex, AImageList, AGlyph);
  auto* item = dynamic_cast<TdxBarLargeButton*>(GetItem());
  struct Image {
    bool Exists = false;
    int32_t Index = -1;
    TCustomImageList* List = nullptr;
    TBitmap* Glyph = nullptr;
  };
  Image hot, large;
  if (TBitmap* glyph = item ? NonEmpty(item->HotGlyph()) : nullptr) {
    hot = {true, -1, nullptr, glyph};
  } else if (item && ListHasImage(GetHotImages(), item->HotImageIndex())) {
    hot = {true, item->HotImageIndex(), GetHotImages(), nullptr};
  }
  if (TBitmap* glyph = NonEmpty(GetLargeGlyph())) {
    large = {true, -1, nullptr, glyph};
  } else if (ListHasImage(GetLargeImages(), GetLargeImageIndex())) {
    large = {true, GetLargeImageIndex(), GetLargeImages(), nullptr};
  }
  const bool wantsHot = const_cast<TdxBarLargeButtonControl*>(this)->IsSelected();
  const Image& chosen = wantsHot ? (hot.Exists ? hot : large) : (large.Exists ? large : hot);
  if (!chosen.Exists) {
    AImageIndex = -1;
    AGlyph = nullptr;
    AImageList = GetLargeImages() ? GetLargeImages() : GetHotImages();
    return false;
  }
  AImageIndex = chosen.Index;
  AImageList = chosen.List;
  AGlyph = chosen.Glyph;
  return true;
}

int32_t TdxBarLargeButtonControl::GetThickness() {
  auto* item = dynamic_cast<TdxBarLargeButton*>(GetItem());
  return item && item->Height() != 0 ? item->Height() : TdxBarButtonControl::GetThickness();
}

int32_t TdxBarLargeButtonControl::GetLength() {
  TdxBarItem* item = GetItem();
  return item && item->Width() != 0 ? item->Width() : TdxBarButtonControl::GetLength();
}

bool TdxBarLargeButtonControl::IsVertical() const {
  TdxBarItem* item = GetItem();
  return TdxBarButtonControl::IsVertical() && item && item->ShowCaption();
}

int32_t TdxBarLargeButtonControl::GetArrowWidth() {
  TdxBarPainter* painter = GetPainter();
  TdxBarManager* manager = GetBarManager();
  if (!InSubMenu() && painter && manager) return painter->LargeButtonArrowWidthOf(manager);
  return TdxBarButtonControl::GetArrowWidth();
}

// ---------------------------------------------------------------- TdxBarApplicationMenuButtonControl

std::unique_ptr<TdxBarItemControlDrawParams> TdxBarApplicationMenuButtonControl::CreateDrawParams() {
  return std::make_unique<TdxBarApplicationMenuButtonControlDrawParams>(this);
}

void TdxBarApplicationMenuButtonControl::RepaintBar() {
  if (Parent() && Parent()->HandleAllocated()) Parent()->Invalidate();
}

TdxBarItemViewStructure TdxBarApplicationMenuButtonControl::GetDefaultViewStructure() {
  return HasImage(GetViewSize()) ? TdxBarItemViewStructure(ivsIcon | ivsText) : ivsText;
}

void TdxBarApplicationMenuButtonControl::CalcDrawParams(bool AFull) {
  TdxBarButtonLikeControl::CalcDrawParams(AFull);
  if (AFull) static_cast<TdxBarApplicationMenuButtonControlDrawParams*>(DrawParams())->ButtonWidth = GetLength();
}

// The application menu window is not built here; the painter draws the button without it.
void TdxBarApplicationMenuButtonControl::Draw(const TRect& ARect, TdxBarPaintType) {
  TdxBarPainter* painter = GetPainter();
  TcxCanvas* canvas = GetCanvas();
  if (painter && canvas) painter->AppMenuButtonDraw(nullptr, canvas->Handle(), ARect);
}

int32_t TdxBarApplicationMenuButtonControl::GetLength() {
  TdxBarItem* item = GetItem();
  return item && item->Width() != 0 ? item->Width() : TdxBarButtonLikeControl::GetLength();
}
