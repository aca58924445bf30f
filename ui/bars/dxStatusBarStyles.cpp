// The state indicator and keyboard state panel styles.
#include <algorithm>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/sysutils.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxStatusBar.h"
#include "ui/lookandfeel/cxGraphics.h"

namespace {

// Our own lamps, 17 x 8: a rounded bar in the type's colour with a dark
// outline and a lighter top row, so lit lamps read as lit at a glance.
constexpr TColor kLampColors[] = {clSilver, clYellow, clBlue, clLime, clRed, clTeal, clPurple};

void PaintLamp(TBitmap& lamp, TdxStatusBarStateIndicatorType type) {
  lamp.SetSize(17, 8);
  TCanvas* c = lamp.Canvas();
  c->Brush()->SetColor(clBtnFace);
  c->FillRect({0, 0, 17, 8});
  c->Brush()->SetColor(clGray);
  c->FillRect({1, 0, 16, 8});
  c->FillRect({0, 1, 17, 7});
  c->Brush()->SetColor(kLampColors[type]);
  c->FillRect({1, 1, 16, 7});
  c->Brush()->SetColor(clWhite);
  c->FillRect({3, 2, 14, 3});
}

}  // namespace

// ---- state indicators

TdxStatusBarStateIndicatorItem::TdxStatusBarStateIndicatorItem(TCollection* Collection)
    : TCollectionItem(Collection), lamp_(std::make_unique<TBitmap>()) {
  PaintLamp(*lamp_, indicatorType_);
}

TdxStatusBarStateIndicatorItem::~TdxStatusBarStateIndicatorItem() = default;

void TdxStatusBarStateIndicatorItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TdxStatusBarStateIndicatorItem*>(Source)) {
    SetIndicatorType(item->IndicatorType());
    SetVisible(item->Visible());
  } else {
    TCollectionItem::Assign(Source);
  }
}

void TdxStatusBarStateIndicatorItem::SetIndicatorType(TdxStatusBarStateIndicatorType V) {
  if (indicatorType_ == V) return;
  indicatorType_ = V;
  PaintLamp(*lamp_, V);
  Changed(false);
}

void TdxStatusBarStateIndicatorItem::SetVisible(bool V) {
  if (visible_ == V) return;
  visible_ = V;
  Changed(false);
}

TObject* TdxStatusBarStateIndicatorPanelStyle::Make(TObject* owner) {
  return new TdxStatusBarStateIndicatorPanelStyle(dynamic_cast<TdxStatusBarPanel*>(owner));
}

TdxStatusBarStateIndicatorPanelStyle::TdxStatusBarStateIndicatorPanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner), indicators_(std::make_unique<TdxStatusBarStateIndicators>()) {
  indicators_->OnChange = [this](TObject*) {
    if (Owner()) Owner()->PanelChanged(false);
  };
}

void TdxStatusBarStateIndicatorPanelStyle::SetSpacing(int32_t V) {
  if (spacing_ == V) return;
  spacing_ = V;
  Changed();
}

int32_t TdxStatusBarStateIndicatorPanelStyle::ContentWidth() {
  if (indicators_->Count() == 0) return 20;
  int64_t width = spacing_;
  for (int32_t i = 0; i < indicators_->Count(); ++i) {
    TdxStatusBarStateIndicatorItem* item = indicators_->GetItem(i);
    if (item->Visible() && !item->Lamp()->Empty()) width += item->Lamp()->Width() + spacing_;
  }
  return int32_t(std::clamp<int64_t>(width, 0, INT32_MAX));
}

void TdxStatusBarStateIndicatorPanelStyle::PaintContent(TcxCanvas* ACanvas, const TRect& R,
                                                        TdxStatusBarPainterClass APainter) {
  TdxStatusBarPanelStyle::PaintContent(ACanvas, R, APainter);
  int32_t x = R.Left + spacing_;
  for (int32_t i = 0; i < indicators_->Count(); ++i) {
    TdxStatusBarStateIndicatorItem* item = indicators_->GetItem(i);
    TBitmap* lamp = item->Lamp();
    if (!item->Visible() || lamp->Empty()) continue;
    ACanvas->Draw(x, (R.Top + R.Bottom) / 2 - lamp->Height() / 2, lamp);
    x += lamp->Width() + spacing_;
  }
}

void TdxStatusBarStateIndicatorPanelStyle::RestoreDefaults() {
  spacing_ = 4;
  TdxStatusBarPanelStyle::RestoreDefaults();
}

void TdxStatusBarStateIndicatorPanelStyle::DoAssign(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::DoAssign(Source);
  if (auto* source = dynamic_cast<TdxStatusBarStateIndicatorPanelStyle*>(Source)) {
    SetSpacing(source->Spacing());
    indicators_->Assign(source->Indicators());
  }
}

// ---- keyboard states

TdxStatusBarKeyStateAppearance::TdxStatusBarKeyStateAppearance(TdxStatusBarKeyboardState AState, int32_t ACode,
                                                               TColor AActiveFontColor,
                                                               const std::string& AActiveCaption,
                                                               const std::string& AInactiveCaption,
                                                               TNotifyEvent AOnChange)
    : keyState_(AState),
      keyCode_(ACode),
      activeFontColor_(AActiveFontColor),
      activeCaption_(AActiveCaption),
      inactiveCaption_(AInactiveCaption),
      onChange_(std::move(AOnChange)) {}

void TdxStatusBarKeyStateAppearance::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TdxStatusBarKeyStateAppearance*>(Source)) {
    SetActiveFontColor(source->ActiveFontColor());
    SetInactiveFontColor(source->InactiveFontColor());
    SetActiveCaption(source->ActiveCaption());
    SetInactiveCaption(source->InactiveCaption());
  } else {
    TPersistent::Assign(Source);
  }
}

void TdxStatusBarKeyStateAppearance::SetActiveFontColor(TColor V) {
  activeFontColor_ = V;
  Changed();
}

void TdxStatusBarKeyStateAppearance::SetInactiveFontColor(TColor V) {
  inactiveFontColor_ = V;
  Changed();
}

void TdxStatusBarKeyStateAppearance::SetActiveCaption(const std::string& V) {
  activeCaption_ = V;
  Changed();
}

void TdxStatusBarKeyStateAppearance::SetInactiveCaption(const std::string& V) {
  inactiveCaption_ = V;
  Changed();
}

int32_t TdxStatusBarKeyStateAppearance::MaxCaptionWidth(TcxCanvas* ACanvas) const {
  return std::max(ACanvas->MeasureTextWidth(activeCaption_), ACanvas->MeasureTextWidth(inactiveCaption_)) + 4;
}

TdxStatusBarKeyboardStateNotifier::TdxStatusBarKeyboardStateNotifier(TdxCustomStatusBar* AStatusBar)
    : statusBar_(AStatusBar), timer_(std::make_unique<TTimer>(nullptr)) {
  timer_->SetInterval(100);
  timer_->SetOnTimer([this](TObject*) { Poll(); });
  timer_->SetEnabled(true);
}

TdxStatusBarKeyboardStateNotifier::~TdxStatusBarKeyboardStateNotifier() = default;

void TdxStatusBarKeyboardStateNotifier::AddKey(int32_t ACode) {
  RemoveKey(ACode);
  keys_.push_back({ACode, win::GetKeyState(ACode) & 0xFF});
}

void TdxStatusBarKeyboardStateNotifier::RemoveKey(int32_t ACode) {
  auto it = std::find_if(keys_.begin(), keys_.end(), [&](const TWatchedKey& k) { return k.Code == ACode; });
  if (it != keys_.end()) keys_.erase(it);
}

void TdxStatusBarKeyboardStateNotifier::Poll() {
  bool changed = false;
  for (TWatchedKey& key : keys_) {
    const int32_t state = win::GetKeyState(key.Code) & 0xFF;
    if (state == key.State) continue;
    key.State = state;
    changed = true;
  }
  if (changed && statusBar_) statusBar_->RefreshPanels();
}

namespace {

struct TKeyRow {
  TdxStatusBarKeyboardState state;
  int32_t code;
  const char* active;
  const char* inactive;
};
constexpr TKeyRow kKeys[] = {{dxksCapsLock, win::VK_CAPITAL, "CAPS", "CAPS"},
                             {dxksNumLock, win::VK_NUMLOCK, "NUM", "NUM"},
                             {dxksScrollLock, win::VK_SCROLL, "SCRL", "SCRL"},
                             {dxksInsert, win::VK_INSERT, "OVR", "INS"}};

}  // namespace

TObject* TdxStatusBarKeyboardStatePanelStyle::Make(TObject* owner) {
  return new TdxStatusBarKeyboardStatePanelStyle(dynamic_cast<TdxStatusBarPanel*>(owner));
}

TdxStatusBarKeyboardStatePanelStyle::TdxStatusBarKeyboardStatePanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner) {
  auto changed = [this](TObject*) {
    if (Owner()) Owner()->PanelChanged(false);
  };
  for (const TKeyRow& row : kKeys)
    appearances_[row.state] = std::make_unique<TdxStatusBarKeyStateAppearance>(row.state, row.code, Font()->Color(),
                                                                               row.active, row.inactive, changed);
  notifier_ = std::make_unique<TdxStatusBarKeyboardStateNotifier>(GetStatusBar());
  for (const TKeyRow& row : kKeys) notifier_->AddKey(row.code);
}

// The notifier goes first (the last member) and takes its timer and keys along.
TdxStatusBarKeyboardStatePanelStyle::~TdxStatusBarKeyboardStatePanelStyle() = default;

void TdxStatusBarKeyboardStatePanelStyle::SetFullRect(bool V) {
  if (fullRect_ == V) return;
  fullRect_ = V;
  if (Owner()) Owner()->PanelChanged(true);
}

void TdxStatusBarKeyboardStatePanelStyle::SetKeyboardStates(TdxStatusBarKeyboardStates V) {
  if (keyboardStates_ == V) return;
  keyboardStates_ = V;
  Changed();
}

bool TdxStatusBarKeyboardStatePanelStyle::IsActive(TdxStatusBarKeyboardState AState) const {
  TdxCustomStatusBar* bar = GetStatusBar();
  if (bar && bar->ComponentState().Contains(csDesigning)) return false;
  return (win::GetKeyState(appearances_[AState]->KeyCode()) & 0xFF) == 1;
}

std::vector<std::string> TdxStatusBarKeyboardStatePanelStyle::Captions() const {
  std::vector<std::string> out;
  for (const TKeyRow& row : kKeys) {
    if (!keyboardStates_.Contains(row.state)) continue;
    const TdxStatusBarKeyStateAppearance* a = appearances_[row.state].get();
    out.push_back(IsActive(row.state) ? a->ActiveCaption() : a->InactiveCaption());
  }
  return out;
}

int32_t TdxStatusBarKeyboardStatePanelStyle::ContentWidth() {
  if (keyboardStates_.Empty()) return 50;
  TdxCustomStatusBar* bar = GetStatusBar();
  if (!bar || !bar->HandleAllocated()) return 50;
  TcxCanvas* canvas = bar->cxCanvas();
  canvas->Font()->Assign(Font());
  const int32_t separator = bar->Painter()->GetSeparatorWidth(bar);
  int32_t width = 0;
  bool first = true;
  for (const TKeyRow& row : kKeys) {
    if (!keyboardStates_.Contains(row.state)) continue;
    if (!first) width += separator;
    first = false;
    width += appearances_[row.state]->MaxCaptionWidth(canvas) + (fullRect_ ? 0 : 2);
  }
  return width;
}

void TdxStatusBarKeyboardStatePanelStyle::PaintContent(TcxCanvas* ACanvas, const TRect& R,
                                                       TdxStatusBarPainterClass APainter) {
  TdxStatusBarPanelStyle::PaintContent(ACanvas, R, APainter);
  TdxCustomStatusBar* bar = GetStatusBar();
  if (!bar) return;
  ACanvas->Font()->Assign(Font());
  int32_t left = R.Left;
  for (const TKeyRow& row : kKeys) {
    if (!keyboardStates_.Contains(row.state)) continue;
    const TdxStatusBarKeyStateAppearance* a = appearances_[row.state].get();
    const bool active = IsActive(row.state);
    TColor color = active ? a->ActiveFontColor() : a->InactiveFontColor();
    APainter->CorrectTextColor(bar, color, active);
    CorrectTextColor(color, active);
    ACanvas->Font()->SetColor(color);
    TRect cell{left, R.Top, left + a->MaxCaptionWidth(ACanvas) + (fullRect_ ? 0 : 2), R.Bottom};
    const int32_t right = cell.Right;
    if (!fullRect_) APainter->PaintBevel(bar, Owner()->Bevel(), cell, ACanvas);
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->DrawText(active ? a->ActiveCaption() : a->InactiveCaption(), cell,
                      cxAlignHCenter | cxAlignVCenter | cxSingleLine, bar->Enabled());
    ACanvas->Brush()->SetStyle(bsSolid);
    left = right + APainter->GetSeparatorWidth(bar);
  }
}

void TdxStatusBarKeyboardStatePanelStyle::RestoreDefaults() {
  keyboardStates_ = dxAllKeyboardStates;
  TdxStatusBarPanelStyle::RestoreDefaults();
}

void TdxStatusBarKeyboardStatePanelStyle::DoAssign(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::DoAssign(Source);
  if (auto* source = dynamic_cast<TdxStatusBarKeyboardStatePanelStyle*>(Source)) {
    SetKeyboardStates(source->KeyboardStates());
    SetFullRect(source->FullRect());
    for (const TKeyRow& row : kKeys) appearances_[row.state]->Assign(source->Appearance(row.state));
  }
}

// ---- container

TdxStatusBarContainerControl::TdxStatusBarContainerControl(TComponent* AOwner) : TcxControl(AOwner) {
  TControlStyle style = ControlStyle();
  style.Include(csAcceptsControls);
  style.Include(csNoDesignVisible);
  SetControlStyle(style);
}

TdxStatusBarContainerControl::~TdxStatusBarContainerControl() {
  if (TdxStatusBarContainerPanelStyle* style = style_) {
    style->container_ = nullptr;
    style_ = nullptr;
    if (TdxStatusBarPanel* panel = style->Owner()) panel->SetPanelStyleClass(nullptr);
  }
}

void TdxStatusBarContainerControl::Paint() {
  TcxControl::Paint();
  const TRect R = ClientRect();
  TdxCustomStatusBar* bar = style_ ? style_->GetStatusBar() : nullptr;
  if (bar) {
    bar->Painter()->PaintContainerBackground(style_);
  } else {
    cxCanvas()->FillRect(R, clBtnFace);
  }
  if (IsDesigning()) {
    TCanvas* c = cxCanvas()->Canvas();
    c->Pen()->SetColor(clBtnShadow);
    c->Brush()->SetColor(clBtnShadow);
    c->Brush()->SetStyle(bsBDiagonal);
    c->Rectangle(R);
    c->Brush()->SetStyle(bsSolid);
  }
}

TObject* TdxStatusBarContainerPanelStyle::Make(TObject* owner) {
  return new TdxStatusBarContainerPanelStyle(dynamic_cast<TdxStatusBarPanel*>(owner));
}

TdxStatusBarContainerPanelStyle::TdxStatusBarContainerPanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner) {
  TdxCustomStatusBar* bar = GetStatusBar();
  if (!bar || bar->IsLoadingOrUpdating(false)) return;
  // Without an owner of its own the bar owns it, so it never outlives both.
  auto* container = new TdxStatusBarContainerControl(bar->Owner() ? bar->Owner() : bar);
  container->style_ = this;
  container_ = container;
  container->SetParent(bar);
  if (bar->ComponentState().Contains(csDesigning)) {
    for (int32_t n = AOwner->ID();; ++n) {
      try {
        container->SetName(bar->Name() + "Container" + std::to_string(n));
        break;
      } catch (const EComponentError&) {
      }
    }
  }
}

TdxStatusBarContainerPanelStyle::~TdxStatusBarContainerPanelStyle() { SetContainer(nullptr); }

bool TdxStatusBarContainerPanelStyle::MayBeDeleted() const {
  return !(container_ && container_->ComponentState().Contains(csAncestor));
}

void TdxStatusBarContainerPanelStyle::SetAlignControl(bool V) {
  if (alignControl_ == V) return;
  alignControl_ = V;
  Changed();
}

void TdxStatusBarContainerPanelStyle::SetContainer(TdxStatusBarContainerControl* V) {
  if (V == container_) return;
  if (V) {
    container_ = V;
    V->style_ = this;
    return;
  }
  TdxStatusBarContainerControl* old = container_;
  container_ = nullptr;
  old->style_ = nullptr;
  TdxCustomStatusBar* bar = GetStatusBar();
  if (bar && !bar->IsLoadingOrUpdating(true)) delete old;
  PanelVisibleChanged();
}

void TdxStatusBarContainerPanelStyle::PanelVisibleChanged() {
  if (container_ && Owner()) container_->SetVisible(Owner()->Visible());
}

void TdxStatusBarContainerPanelStyle::PaintContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TdxStatusBarPainterClass APainter) {
  TdxStatusBarPanelStyle::PaintContent(ACanvas, ARect, APainter);
  if (!container_) return;
  TRect R = ARect;
  TrimForSizeGrip(R);
  container_->SetBoundsRect(R);
  if (!alignControl_ || container_->IsDesigning()) return;
  for (int32_t i = 0; i < container_->ControlCount(); ++i)
    container_->Controls(i)->SetBounds(0, 0, container_->Width(), container_->Height());
}

void TdxStatusBarContainerPanelStyle::RestoreDefaults() {
  alignControl_ = true;
  TdxStatusBarPanelStyle::RestoreDefaults();
}

void TdxStatusBarContainerPanelStyle::DoAssign(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::DoAssign(Source);
  auto* source = dynamic_cast<TdxStatusBarContainerPanelStyle*>(Source);
  if (!source) return;
  SetAlignControl(source->AlignControl());
  if (!source->Container()) return;
  TdxCustomStatusBar* bar = GetStatusBar();
  TdxStatusBarContainerControl* found = nullptr;
  for (int32_t i = 0; bar && i < bar->ControlCount() && !found; ++i) {
    auto* c = dynamic_cast<TdxStatusBarContainerControl*>(bar->Controls(i));
    if (c && SameText(c->Name(), source->Container()->Name())) found = c;
  }
  SetContainer(found);
}
