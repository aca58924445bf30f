// The bar manager's working rules: the painter choice, the nestable bars
// update lock, the manager font, the flat colours and their brushes, the
// option setters, category visibility, the image-list reactions, adding a bar
// and losing a dock site.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/intmath.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarStrs.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxOffice11.h"
#include "ui/lookandfeel/dxThemeManager.h"

// ---------------------------------------------------------------- painter choice

namespace {

// Style numbers of GetPainterStyle by look-and-feel kind, and the manager
// styles they stand for.
int32_t KindPainterStyle(TcxLookAndFeelKind kind) {
  switch (kind) {
    case lfFlat: return 1;
    case lfStandard: return 0;
    case lfUltraFlat: return 2;
    case lfOffice11: return 4;
  }
  return 0;
}

}  // namespace

int32_t TdxBarManager::GetPainterStyle() const {
  switch (style_) {
    case bmsXP:
      return visualStyles_ ? 3 : 1;
    case bmsUseLookAndFeel:
      if (lookAndFeel_->NativeStyle() && visualStyles_) return 3;
      if (lookAndFeel_->SkinPainter()) return 5;
      return KindPainterStyle(lookAndFeel_->Kind());
    default:
      return style_;
  }
}

TdxBarPainterClass TdxBarManager::GetPainterClass() {
  switch (GetPainterStyle()) {
    case 1: return TdxBarEnhancedPainter::StaticClass();
    case 2: return TdxBarFlatPainter::StaticClass();
    case 3: return TdxBarXPPainter::StaticClass();
    case 4: return TdxBarOffice11Painter::StaticClass();
    case 5: return dxBarSkinPainterClass;
    default: return TdxBarStandardPainter::StaticClass();
  }
}

TdxBarManagerStyle TdxBarManager::GetEffectiveStyle() const {
  if (style_ != bmsUseLookAndFeel) return style_;
  if (lookAndFeel_->NativeStyle() && visualStyles_) return bmsXP;
  return TdxBarManagerStyle(KindPainterStyle(lookAndFeel_->Kind()));
}

void TdxBarManager::RecreateDefaultPainter() {
  visualStyles_ = AreVisualStylesAvailable(ThemedTypes(
      {totComboBox, totEdit, totProgress, totRebar, totScrollBar, totSpin, totStatus, totToolBar, totWindow}));
  painter_.reset();
  TObject* skin = nullptr;  // the look-and-feel's skin painter: no skins in this system
  painter_.reset(static_cast<TdxBarPainter*>(GetPainterClass()->Create(skin)));
}

void TdxBarManager::StyleChanged() {
  changingStyle_ = true;
  TScopeExit clear([this] { changingStyle_ = false; });
  RecreateDefaultPainter();
  if (!bars_) return;
  for (int32_t i = 0; i < bars_->Count(); ++i)
    if (TCustomdxBarControl* c = bars_->GetItem(i)->GetControl()) c->PainterChanged();
  RefreshBarWindows();
}

void TdxBarManager::RefreshBarWindows() {
  for (TdxDockControl* dock : std::vector<TdxDockControl*>(dockControls_)) {
    dock->UpdateColor();
    dock->UpdateDock();
    dock->RepaintDock();
  }
  if (!bars_) return;
  for (int32_t i = 0; i < bars_->Count(); ++i)
    if (TCustomdxBarControl* c = bars_->GetItem(i)->GetControl()) {
      c->RecalcSize();
      c->RecalcNonClient();
      c->RepaintBar();
    }
}

void TdxBarManager::AssignLookAndFeelTo(TcxLookAndFeel* ALookAndFeel) {
  ALookAndFeel->Reset();
  ALookAndFeel->SetSkinName("");
  switch (GetPainterStyle()) {
    case 2: ALookAndFeel->SetStyle(2); break;
    case 3: ALookAndFeel->SetStyle(3); break;
    case 4: ALookAndFeel->SetStyle(4); break;
    case 5: ALookAndFeel->Assign(lookAndFeel_.get()); break;
    default: ALookAndFeel->SetStyle(0); break;
  }
}

bool TdxBarManager::CanDockBar(TdxBar* ABar, TdxBarDockingStyle AStyle, TdxDockControl* ADockControl) {
  bool can = !InDockingStyles(ABar->GetNotDocking(), AStyle);
  if (ADockControl && !ADockControl->IsEdgeDock()) {
    if (!ADockControl->CanDockBar(ABar)) can = false;
  } else if (InDockingStyles(notDocking_, AStyle)) {
    can = false;
  }
  if (OnDocking) OnDocking(ABar, AStyle, ADockControl, can);
  return can;
}

// ---------------------------------------------------------------- update lock

void TdxBarManager::LockBarsUpdate(bool ToggleRedraw) {
  if (++barsUpdateLock_ == 1) UpdateBars(true, false, false, ToggleRedraw);
}

void TdxBarManager::UnlockBarsUpdate(bool ToggleRedraw) {
  if (--barsUpdateLock_ == 0 && !InDestruction()) UpdateBars(false, false, true, ToggleRedraw);
}

void TdxBarManager::UnlockBarsUpdateAndRecalc(bool RecalcMarked, bool ToggleRedraw) {
  if (--barsUpdateLock_ == 0 && !InDestruction()) UpdateBars(false, RecalcMarked, false, ToggleRedraw);
}

void TdxBarManager::UpdateBars(bool Locking, bool RecalcMarked, bool SkipRecalc, bool ToggleRedraw) {
  TScopeExit clearMarks([this] {
    if (bars_)
      for (int32_t i = 0; i < bars_->Count(); ++i) bars_->GetItem(i)->DeferredRecalc = false;
  });
  const std::vector<TdxDockControl*> docks(dockControls_);
  if (ToggleRedraw)
    for (TdxDockControl* dock : docks)
      if (dock->Visible() && dock->HandleAllocated())
        win::SendMessage(dock->Handle(), win::WM_SETREDRAW, Locking ? 0 : 1, 0);
  if (Locking || SkipRecalc || !bars_) return;

  if (TdxBarSubMenuControl* pending = pendingSubMenu_) {
    pendingSubMenu_ = nullptr;
    pending->RebuildBar();
  }
  std::vector<TCustomdxBarControl*> recalc, others;
  for (int32_t i = 0; i < bars_->Count(); ++i) {
    TdxBar* bar = bars_->GetItem(i);
    TCustomdxBarControl* c = bar->GetControl();
    if (!c) continue;
    if (bar->GetDockingStyle() == dsNone || (RecalcMarked && bar->DeferredRecalc))
      recalc.push_back(c);
    else
      others.push_back(c);
  }
  for (TCustomdxBarControl* c : recalc) c->RecalcSize();
  for (TCustomdxBarControl* c : recalc) c->UpdateWithoutMoving();
  for (TdxDockControl* dock : docks) {
    for (int32_t r = dock->GetRowCount() - 1; r >= 0; --r)
      if (dock->GetRow(r)->Bars.empty()) dock->DeleteRow(r);
    if (dock->Visible() && dock->HandleAllocated()) {
      dock->UpdateDock();
      win::SendMessage(dock->Handle(), win::WM_NCPAINT, 0, 0);
    }
  }
  for (TCustomdxBarControl* c : others) {
    c->RecalcNonClient();
    c->RepaintBar();
  }
}

// ---------------------------------------------------------------- fonts

void TdxBarManager::FontChanged() {
  if (!applyingSystemFont_) useSystemFont_ = false;
  if (scaled_) {
    TNotifyEvent saved = std::move(font_->OnChange);
    font_->OnChange = nullptr;
    TScopeExit reattach([&] { font_->OnChange = std::move(saved); });
    ApplySystemFont();
  }
  CopyFontWithSystemSize(font_.get(), editFont_.get(), scaled_);
  barCaptionFont_->SetHandle(CreateSmallCaptionFont(font_.get(), useSystemFont_));
  systemFontHandlers_->InvokeHandlers(this, nullptr);
  for (int32_t i = 0; i < bars_->Count(); ++i) {
    TdxBar* bar = bars_->GetItem(i);
    bar->InternalFontChange = true;
    TScopeExit clear([bar] { bar->InternalFontChange = false; });
    if (bar->UseOwnFont())
      bar->RefreshOwnFont();
    else
      bar->SetFont(font_.get());
  }
  for (int32_t i = 0; i < popupMenus_->Count(); ++i)
    static_cast<TdxBarCustomPopupMenu*>(popupMenus_->Items(i))->BarManagerFontChanged();
}

void TdxBarManager::ApplySystemFont() {
  win::NONCLIENTMETRICS m = ReadNonClientMetrics();
  if (useSystemFont_) {
    applyingSystemFont_ = true;
    TScopeExit clear([this] { applyingSystemFont_ = false; });
    font_->SetHandle(win::CreateFontIndirectW(&m.lfMenuFont));
  } else if (scaled_) {
    font_->SetHeight(m.lfMenuFont.lfHeight);
  }
}

void TdxBarManager::SetUseSystemFont(bool v) {
  if (useSystemFont_ == v) return;
  useSystemFont_ = v;
  // What the owner window does on a change of the non-client metrics.
  if (v) ApplySystemFont();
}

void TdxBarManager::SetScaled(bool v) {
  if (scaled_ == v) return;
  scaled_ = v;
  if (v && !useSystemFont_) ApplySystemFont();
}

// ---------------------------------------------------------------- colours

TColor TdxBarManager::DockColor() const {
  if (autoDockColor_ && Owner()) return OwnerControl()->Color();
  return dockColor_;
}

void TdxBarManager::SetDockColor(TColor v) {
  if (dockColor_ == v && !autoDockColor_) return;
  dockColor_ = v;
  autoDockColor_ = false;
  NotifyDockColorChanged();
}

void TdxBarManager::SetAutoDockColor(bool v) {
  if (autoDockColor_ == v) return;
  autoDockColor_ = v;
  NotifyDockColorChanged();
}

void TdxBarManager::NotifyDockColorChanged() {
  for (TdxDockControl* dock : std::vector<TdxDockControl*>(dockControls_)) dock->UpdateColor();
}

namespace {

TColor SysRGB(int index) { return TColor(win::GetSysColor(index)); }

}  // namespace

TColor TdxBarManager::FlatBorderColor() const {
  TColor c = SysRGB(win::COLOR_BTNSHADOW);
  auto f = [](uint8_t v) { return uint8_t(MulDiv(v, 8, 10)); };
  return NearestScreenColor(RGBColor(f(GetRValue(c)), f(GetGValue(c)), f(GetBValue(c))));
}

TColor TdxBarManager::FlatFaceColor() const {
  TColor c = SysRGB(win::COLOR_BTNFACE);
  auto f = [](uint8_t v) { return uint8_t(v + MulDiv(255 - v, 16, 100)); };
  return NearestScreenColor(RGBColor(f(GetRValue(c)), f(GetGValue(c)), f(GetBValue(c))));
}

TColor TdxBarManager::FlatPressedColor() const { return NearestScreenColor(CalcLightColor(11, 9, 73)); }
TColor TdxBarManager::FlatPressedHotColor() const { return NearestScreenColor(CalcLightColor(14, 44, 40)); }
TColor TdxBarManager::FlatHotColor() const { return NearestScreenColor(CalcLightColor(-2, 30, 72)); }

namespace {

void DeleteBrush(win::HBRUSH& brush) {
  if (brush) win::DeleteObject(brush);
  brush = nullptr;
}

}  // namespace

// The five flat brushes made anew from the current colours; the themed
// toolbar brush needs visual styles, which this platform never has.
void TdxBarManager::RemakeColorBrushes() {
  const TColor colors[5] = {FlatBorderColor(), FlatFaceColor(), FlatPressedColor(), FlatPressedHotColor(),
                            FlatHotColor()};
  for (size_t i = 0; i < flatBrushes_.size(); ++i) {
    DeleteBrush(flatBrushes_[i]);
    flatBrushes_[i] = win::CreateSolidBrush(colors[i]);
  }
  DeleteBrush(themeToolbarBrush_);
}

void TdxBarManager::CreateColorResources() {
  RemakeColorBrushes();
  AcquireOffice11Colors();
  RefreshBarWindows();
}

void TdxBarManager::RefreshColorResources() {
  RemakeColorBrushes();
  RefreshOffice11Colors();
  RefreshBarWindows();
}

void TdxBarManager::ReleaseColorResources() {
  DeleteBrush(themeToolbarBrush_);
  for (win::HBRUSH& b : flatBrushes_) DeleteBrush(b);
  FreeOffice11Colors();
}

// ---------------------------------------------------------------- option setters

void TdxBarManager::OptionChangedForDialog() {
  NotifyDesignerModified();
  // An open Customize dialog refreshes its option controls; the dialog comes later.
}

void TdxBarManager::SetAutoAlignBars(bool v) {
  if (autoAlignBars_ == v) return;
  autoAlignBars_ = v;
  UpdateBars(false, false, false, true);
}

void TdxBarManager::SetAutoHideEmptyBars(bool v) {
  if (autoHideEmptyBars_ == v) return;
  autoHideEmptyBars_ = v;
  if (!v)
    for (int32_t i = 0; i < bars_->Count(); ++i) bars_->GetItem(i)->InternallyHidden = false;
}

void TdxBarManager::SetButtonArrowWidth(int32_t v) {
  if (v < 2 || buttonArrowWidth_ == v) return;
  buttonArrowWidth_ = v;
  bars_->RebuildBarControls();
}

void TdxBarManager::SetLargeButtonArrowWidth(int32_t v) {
  if (v < 2 || largeButtonArrowWidth_ == v) return;
  largeButtonArrowWidth_ = v;
  for (int32_t i = 0; i < bars_->Count(); ++i)
    if (TCustomdxBarControl* c = bars_->GetItem(i)->GetControl()) c->RecalcSize();
}

void TdxBarManager::MainMenuOptionChanged() {
  TCustomdxBarControl* c = GetMainMenuBarControl();
  if (!c) return;
  if (selectedItemControl_ && selectedItemControl_->Parent() == c) ChangeSelectedItemControl(nullptr);
  c->RecalcSize();
}

void TdxBarManager::SetFlatCloseButton(bool v) {
  if (flatCloseButton_ == v) return;
  flatCloseButton_ = v;
  MainMenuOptionChanged();
}

void TdxBarManager::SetShowCloseButton(bool v) {
  if (showCloseButton_ == v) return;
  showCloseButton_ = v;
  MainMenuOptionChanged();
}

void TdxBarManager::SetHideFloatingBarsWhenInactive(bool v) {
  if (hideFloatingBarsWhenInactive_ == v) return;
  hideFloatingBarsWhenInactive_ = v;
  // Applying the activation (active_ || !v) to the floating bars belongs to
  // the owner-window handling; floating bars are not shown by this system yet.
}

void TdxBarManager::SetMenuAnimations(TdxBarMenuAnimations v) {
  if (menuAnimations_ == v) return;
  menuAnimations_ = v;
  OptionChangedForDialog();
}

void TdxBarManager::SetMenusShowRecentItemsFirst(bool v) {
  if (menusShowRecentItemsFirst_ == v) return;
  menusShowRecentItemsFirst_ = v;
  OptionChangedForDialog();
}

void TdxBarManager::SetShowFullMenusAfterDelay(bool v) {
  if (showFullMenusAfterDelay_ == v) return;
  showFullMenusAfterDelay_ = v;
  OptionChangedForDialog();
}

void TdxBarManager::SetShowHint(bool v) {
  if (showHint_ == v) return;
  showHint_ = v;
  OptionChangedForDialog();
}

void TdxBarManager::SetShowShortCutInHint(bool v) {
  if (showShortCutInHint_ == v) return;
  showShortCutInHint_ = v;
  OptionChangedForDialog();
}

void TdxBarManager::SetShowHelpButton(bool v) { showHelpButton_ = v; }

void TdxBarManager::SetHelpButtonGlyph(TBitmap* v) { helpButtonGlyph_->Assign(v); }

void TdxBarManager::SetLookAndFeel(TcxLookAndFeel* v) { lookAndFeel_->Assign(v); }

// The percentage is taken as a byte, so 300 arrives as 44.
void TdxBarManager::SetMostRecentItemsPercents(int32_t v) {
  mostRecentItemsPercents_ = std::min<uint8_t>(uint8_t(v), 100);
  CalcInitialUseCount();
}

// 0 at 100 percent; else the smallest n >= 1 with n * (100 - p) div 100 > 0.
void TdxBarManager::CalcInitialUseCount() {
  const int32_t rest = 100 - mostRecentItemsPercents_;
  if (rest == 0) {
    initialUseCount_ = 0;
    return;
  }
  initialUseCount_ = (100 + rest - 1) / rest;
}

void TdxBarManager::SetNotDocking(TdxBarDockingStyles v) {
  if (notDocking_ == v) return;
  notDocking_ = v;
  StyleChanged();
}

void TdxBarManager::SetStyle(TdxBarManagerStyle v) {
  if (style_ == v) return;
  style_ = v;
  StyleChanged();
}

void TdxBarManager::SetRegistryPath(const std::string& v) {
  if (registryPath_ == v) return;
  registryPath_ = v;
  if (registryPath_.empty()) return;
  if (registryPath_.front() != '\\') registryPath_.insert(0, "\\");
  if (registryPath_.back() != '\\') registryPath_ += '\\';
}

void TdxBarManager::SetSunkenBorder(bool v) {
  if (sunkenBorder_ == v) return;
  sunkenBorder_ = v;
  for (TdxDockControl* dock : std::vector<TdxDockControl*>(dockControls_)) dock->RecreateBorder();
}

void TdxBarManager::SetWaitForDockingTime(int32_t v) {
  if (v >= 0) waitForDockingTime_ = v;
}

// ---------------------------------------------------------------- categories

void TdxBarManager::SetCategoryItemsVisible(int32_t Index, TdxBarItemVisible Value) {
  if (Index < 0 || Index >= categories_->Count()) return;
  const TdxBarItemVisible old = GetCategoryItemsVisible(Index);
  TdxBarCategoryData* data = categories_->NeedData(Index);
  if (InLoading()) {
    data->LoadedItemsVisible = Value;
    return;
  }
  data->ItemsVisible = Value;
  if (!InDesigner()) ApplyCategoryItemsVisible(Index, old, Value);
  if (Value != old) NotifyDesignerModified();
}

void TdxBarManager::ApplyCategoryItemsVisible(int32_t Index, TdxBarItemVisible Old, TdxBarItemVisible Value) {
  // A hidden bar shows nothing either: a bar the user closed is left alone,
  // and is not shown again when the items come back.
  std::vector<TdxBar*> emptyBefore;
  if (autoHideEmptyBars_)
    for (int32_t i = 0; i < bars_->Count(); ++i) {
      TdxBar* bar = bars_->GetItem(i);
      if (!bar->GetVisible() || bar->GetItemLinks()->GetAvailableCount() == 0) emptyBefore.push_back(bar);
    }
  LockBarsUpdate(true);
  TScopeExit finish([&] {
    if (autoHideEmptyBars_)
      for (int32_t i = 0; i < bars_->Count(); ++i) {
        TdxBar* bar = bars_->GetItem(i);
        const bool shows = bar->GetItemLinks()->GetAvailableCount() > 0;
        if (Value == ivNever && !shows &&
            std::find(emptyBefore.begin(), emptyBefore.end(), bar) == emptyBefore.end()) {
          bar->SetVisible(false);
          bar->InternallyHidden = true;
        } else if (Value == ivAlways && shows && bar->InternallyHidden) {
          bar->SetVisible(true);
          bar->InternallyHidden = false;
        }
      }
    UnlockBarsUpdateAndRecalc(true, true);
  });
  const int32_t n = GetItemCount();
  auto apply = [&](int32_t i) {
    TdxBarItem* item = GetItem(i);
    if (item && item->Category() == Index && item->Visible() == Old) item->SetVisible(Value);
  };
  if (Value == ivAlways)
    for (int32_t i = n - 1; i >= 0; --i) apply(i);
  else
    for (int32_t i = 0; i < n; ++i) apply(i);
}

// ---------------------------------------------------------------- image lists

void TdxBarManager::ImageOptionsChanged(TdxBarImageOptionsChange AChange) {
  switch (AChange) {
    case icImages:
    case icDisabledImages:
      ForEachItem([](TdxBarManager*, TdxBarItem* item) {
        if (item->ImageIndex() >= 0) item->GlyphChanged();
      });
      break;
    case icHotImages:
      ForEachItem([](TdxBarManager*, TdxBarItem* item) {
        if (item->UsesHotImages()) item->HotGlyphChanged();
      });
      break;
    case icLargeImages:
    case icDisabledLargeImages:
      ForEachItem([](TdxBarManager*, TdxBarItem* item) {
        if (item->UsesLargeImages()) item->LargeGlyphChanged();
      });
      if (AChange == icLargeImages && imageOptions_->LargeIcons() && imageOptions_->UseLargeImagesForLargeIcons()) {
        NotifyDesignerModified();
        bars_->RebuildBarControls();
      }
      break;
    case icImageListBkColor:
    case icMakeDisabledImagesFaded:
    case icUseLargeImagesForLargeIcons:
    case icUseLeftBottomPixelAsTransparent:
      bars_->RebuildBarControls();
      break;
    case icLargeIcons:
      // The glyph size follows from the options each time it is asked.
      NotifyDesignerModified();
      bars_->RebuildBarControls();
      break;
  }
}

// ---------------------------------------------------------------- bars and dock sites

TdxBar* TdxBarManager::AddBar(bool AsMainMenu, bool AskName) {
  std::string caption;
  MakeBarCaption(GetResourceString(dxSBAR_TOOLBARNEWNAME), caption);
  if (AskName) {
    if (!dxBarManagerSlots().ShowNameDialog) throw EdxException("TdxBarManager: the slot ShowNameDialog is empty");
    if (!dxBarManagerSlots().ShowNameDialog(caption, 0, nullptr, this)) return nullptr;
  }
  TdxBar* bar = nullptr;
  BeginBarsUpdate();
  bars_->BeginUpdate();
  TScopeExit end([this] {
    bars_->EndUpdate(true);
    EndBarsUpdate(true);
  });
  bar = bars_->Add();
  bar->SetCaption(caption);
  TWinControl* owner = OwnerControl();
  const TRect work = Screen ? Screen->WorkAreaRect() : TRect{};
  bar->SetFloatLeft(owner->Left() - 50);
  if (bar->FloatLeft() < work.Left) bar->SetFloatLeft(owner->Left() + owner->Width() + 10);
  bar->SetFloatTop(owner->Top());
  if (bar->FloatTop() < work.Top) bar->SetFloatTop(work.Top + 10);
  bar->SetDockingStyle(dsTop);
  if (AsMainMenu) {
    bar->SetRow(0);
    bar->SetIsMainMenu(true);
    bar->SetVisible(true);
  } else {
    TdxDockControl* dock = bar->GetRealDockControl();
    bar->SetRow(dock ? dock->GetRowCount() : 0);
    bar->SetOneOnRow(true);
    bar->SetVisible(true);
    bar->SetOneOnRow(false);
  }
  // The design controller selects the new bar; it comes with design-time support.
  return bar;
}

void TdxBarManager::RemoveDockControl(TdxDockControl* ADock) {
  if (bars_) {
    std::vector<TdxBar*> bars;
    for (int32_t i = 0; i < bars_->Count(); ++i) bars.push_back(bars_->GetItem(i));
    for (TdxBar* bar : bars) {
      // A bar placed there moves to the edge dock of its side; only one
      // left without a dock site is hidden.
      if (bar->GetDockControl() == ADock) bar->SetDockControl(nullptr);
      if (bar->DockedDockControl() == ADock) bar->SetDockedDockControl(nullptr);
      if (bar->GetControl() && bar->GetRealDockControl() == ADock) bar->SetVisible(false);
    }
  }
  dockControls_.erase(std::remove(dockControls_.begin(), dockControls_.end(), ADock), dockControls_.end());
  if (bars_) bars_->ForgetEdgeDock(ADock);
  ADock->SetParentColor(true);
}
