// TControl: bounds, alignment bookkeeping, anchors, visual properties,
// mouse handling and the message dispatcher shared by every control.
#include "platform/vcl/controls.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/classes/resstrings.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/controls_internal.h"
#include "platform/vcl/forms.h"

DX_RESOURCESTRING(SNotAnAncestor, 0, "Control '%s' is not an ancestor of '%s'");

using vcl_detail::CaptureControl;

namespace {

// Links a control to its action: the action's changes reach ActionChange.
class TControlActionLink : public TBasicActionLink {
public:
  explicit TControlActionLink(TControl* c) : control_(c) {}
  void ActionChanged(TBasicAction* action) override { control_->ActionChange(action, false); }
  // Called from the action's destructor while its lists still work.
  void ActionFreed(TBasicAction*) override { control_->SetAction(nullptr); }

private:
  TControl* control_;
};

}  // namespace

// ---------------------------------------------------------------- TSizeConstraints
void TSizeConstraints::Assign(TPersistent* source) {
  if (auto* s = dynamic_cast<TSizeConstraints*>(source)) {
    maxHeight_ = s->maxHeight_;
    maxWidth_ = s->maxWidth_;
    minHeight_ = s->minHeight_;
    minWidth_ = s->minWidth_;
    Change();
    return;
  }
  TPersistent::Assign(source);
}

void TSizeConstraints::SetMaxHeight(int32_t v) {
  v = std::max(v, 0);
  if (v == maxHeight_) return;
  maxHeight_ = v;
  if (v > 0 && v < minHeight_) minHeight_ = v;
  Change();
}
void TSizeConstraints::SetMaxWidth(int32_t v) {
  v = std::max(v, 0);
  if (v == maxWidth_) return;
  maxWidth_ = v;
  if (v > 0 && v < minWidth_) minWidth_ = v;
  Change();
}
void TSizeConstraints::SetMinHeight(int32_t v) {
  v = std::max(v, 0);
  if (v == minHeight_) return;
  minHeight_ = v;
  if (maxHeight_ > 0 && v > maxHeight_) maxHeight_ = v;
  Change();
}
void TSizeConstraints::SetMinWidth(int32_t v) {
  v = std::max(v, 0);
  if (v == minWidth_) return;
  minWidth_ = v;
  if (maxWidth_ > 0 && v > maxWidth_) maxWidth_ = v;
  Change();
}
void TSizeConstraints::Change() {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- construction
TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  font_ = std::make_unique<TFont>();
  font_->OnChange = [this](TObject* s) { FontChanged(s); };
  constraints_ = std::make_unique<TSizeConstraints>(this);
  constraints_->OnChange = [this](TObject* s) { DoConstraintsChange(s); };
}

TControl::~TControl() {
  *alive_ = false;
  if (Application) Application->ControlDestroyed(this);
  if (CaptureControl == this) CaptureControl = nullptr;
  SetAction(nullptr);
  if (parent_) parent_->RemoveControl(this);
}

// ---------------------------------------------------------------- parent
void TControl::SetParent(TWinControl* AParent) {
  if (parent_ == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  for (TWinControl* p = AParent; p; p = p->Parent())
    if (p == this) throw EInvalidOperation("A control cannot have one of its children as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() { return parent_; }

void TControl::SetParentComponent(TComponent* value) {
  if (auto* w = dynamic_cast<TWinControl*>(value)) SetParent(w);
}

TCustomForm* TControl::GetParentForm() const { return ::GetParentForm(const_cast<TControl*>(this)); }

TCustomForm* GetParentForm(TControl* control, bool topForm) {
  if (!control) return nullptr;
  TCustomForm* found = nullptr;
  for (TControl* c = control; c; c = c->Parent()) {
    if (auto* f = dynamic_cast<TCustomForm*>(c)) {
      found = f;
      if (!topForm) return f;
    }
  }
  return found;
}

// ---------------------------------------------------------------- bounds
TRect TControl::ClientRect() { return {0, 0, width_, height_}; }

TPoint TControl::ClientOrigin() {
  if (!parent_) return {left_, top_};
  TPoint p = parent_->ClientOrigin();
  return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToParent(TPoint p, TWinControl* AParent) {
  if (!AParent) AParent = parent_;
  TControl* c = this;
  while (c && c != AParent) {
    p = p + TPoint{c->Left(), c->Top()};
    c = c->Parent();
  }
  if (!c || !AParent)
    throw EInvalidOperation(Format(LoadResString(SNotAnAncestor), AParent ? AParent->Name() : "", Name()));
  return p;
}

TPoint TControl::ParentToClient(TPoint p, TWinControl* AParent) {
  TPoint zero = ClientToParent({0, 0}, AParent);
  return p - zero;
}

void TControl::SetClientWidth(int32_t v) { SetClientSize(v, ClientHeight()); }
void TControl::SetClientHeight(int32_t v) { SetClientSize(ClientWidth(), v); }
void TControl::SetClientSize(int32_t w, int32_t h) {
  TRect c = ClientRect();
  SetBounds(left_, top_, width_ - c.Width() + w, height_ - c.Height() + h);
}

void TControl::ApplyConstraints(int32_t& w, int32_t& h) {
  int32_t minW = constraints_->MinWidth(), minH = constraints_->MinHeight();
  int32_t maxW = constraints_->MaxWidth(), maxH = constraints_->MaxHeight();
  ConstrainedResize(minW, minH, maxW, maxH);
  if (maxW > 0 && w > maxW) w = maxW;
  if (maxH > 0 && h > maxH) h = maxH;
  if (w < minW) w = minW;
  if (h < minH) h = minH;
}

bool TControl::CanResize(int32_t& NewWidth, int32_t& NewHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
  return resize;
}

void TControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (!Loading()) ApplyConstraints(AWidth, AHeight);
  if ((AWidth != width_ || AHeight != height_) && !CanResize(AWidth, AHeight)) {
    AWidth = width_;
    AHeight = height_;
  }
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  const bool sized = AWidth != width_ || AHeight != height_;
  InvalidateControl(visible_, false);
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  if (!anchoring_) UpdateAnchorRules();
  Invalidate();
  Perform(win::WM_WINDOWPOSCHANGED, 0, 0);
  RequestAlign();
  if (sized && !Loading()) Resize();
}

// For windowed controls: the window moved; takes the new bounds without side effects.
void TControl::UpdateBoundsRect(const TRect& r) {
  left_ = r.Left;
  top_ = r.Top;
  width_ = r.Width();
  height_ = r.Height();
  if (!anchoring_) UpdateAnchorRules();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<win::LPARAM>(this)); }

void TControl::RequestAlign() {
  if (parent_) parent_->AlignControl(this);
}

bool TControl::AlignDisabled() const { return parent_ && parent_->AlignDisabledHere(); }

void TControl::SetAlign(TAlign v) {
  if (align_ == v) return;
  TAlign old = align_;
  align_ = v;
  // Docking to a side resets the anchors that alignment owns.
  if (!Loading()) {
    switch (v) {
      case alTop: anchors_ = {akLeft, akTop, akRight}; break;
      case alBottom: anchors_ = {akLeft, akRight, akBottom}; break;
      case alLeft: anchors_ = {akLeft, akTop, akBottom}; break;
      case alRight: anchors_ = {akRight, akTop, akBottom}; break;
      case alClient: anchors_ = {akLeft, akTop, akRight, akBottom}; break;
      default: if (old != alNone && old != alCustom) anchors_ = {akLeft, akTop}; break;
    }
  }
  RequestAlign();
}

void TControl::SetAnchors(TAnchors v) {
  if (anchors_ == v) return;
  anchors_ = v;
  if (!Loading()) UpdateAnchorRules();
}

// The rules remember the control's bounds and its parent's client size; an
// anchored control is placed from them, so repeated resizes do not drift.
void TControl::UpdateAnchorRules() {
  if (!parent_) {
    anchorRulesValid_ = false;
    return;
  }
  TRect pc = parent_->ClientRect();
  anchorRules_ = BoundsRect();
  anchorParentSize_ = {pc.Width(), pc.Height()};
  anchorRulesValid_ = true;
}

void TControl::AnchorToParent(const TSize& origParent, const TSize& newParent) {
  if (!anchorRulesValid_) return;
  const TRect& o = anchorRules_;
  int32_t l = o.Left, t = o.Top, w = o.Width(), h = o.Height();
  const int32_t dx = newParent.cx - origParent.cx, dy = newParent.cy - origParent.cy;
  const bool aL = anchors_.Contains(akLeft), aR = anchors_.Contains(akRight);
  const bool aT = anchors_.Contains(akTop), aB = anchors_.Contains(akBottom);
  if (aL && aR) w = o.Width() + dx;
  else if (aR) l = o.Left + dx;
  else if (!aL && origParent.cx > 0)
    l = int32_t(std::lround((o.Left + o.Width() / 2.0) * newParent.cx / origParent.cx - o.Width() / 2.0));
  if (aT && aB) h = o.Height() + dy;
  else if (aB) t = o.Top + dy;
  else if (!aT && origParent.cy > 0)
    t = int32_t(std::lround((o.Top + o.Height() / 2.0) * newParent.cy / origParent.cy - o.Height() / 2.0));
  anchoring_ = true;
  try {
    SetBounds(l, t, std::max(w, 0), std::max(h, 0));
  } catch (...) {
    anchoring_ = false;
    throw;
  }
  anchoring_ = false;
}

void TControl::DoConstraintsChange(TObject*) {
  if (Loading()) return;
  SetBounds(left_, top_, width_, height_);
}

// ---------------------------------------------------------------- visibility and state
bool TControl::Showing() { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetVisible(bool v) {
  if (visible_ == v) return;
  VisibleChanging();
  visible_ = v;
  Perform(CM_VISIBLECHANGED, v ? 1 : 0, 0);
  RequestAlign();
}

void TControl::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetShowHint(bool v) {
  if (showHint_ == v && !parentShowHint_) return;
  showHint_ = v;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool v) {
  if (parentShowHint_ == v) return;
  parentShowHint_ = v;
  if (v && parent_) {
    showHint_ = parent_->ShowHint();
    Perform(CM_SHOWHINTCHANGED, 0, 0);
  }
}

void TControl::SetBiDiMode(TBiDiMode v) {
  if (biDiMode_ == v) return;
  biDiMode_ = v;
  parentBiDiMode_ = false;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool v) {
  if (parentBiDiMode_ == v) return;
  parentBiDiMode_ = v;
  if (parent_ && !Loading()) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TControl::SetCursor(TCursor v) {
  if (cursor_ == v) return;
  cursor_ = v;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TComponent* v) {
  SetComponentReference(popupMenu_, v);
}

void TControl::Notification(TComponent* AComponent, TOperation operation) {
  TComponent::Notification(AComponent, operation);
  if (operation == opRemove) {
    if (AComponent == popupMenu_) popupMenu_ = nullptr;
    if (AComponent == action_) SetAction(nullptr);
  }
}

// ---------------------------------------------------------------- text
std::string TControl::GetText() { return text_; }

void TControl::SetTextValue(const std::string& value) {
  if (text_ == value) return;
  SetTextBuf(value.c_str());
}

int32_t TControl::GetTextBuf(char* buffer, int32_t bufSize) {
  return int32_t(Perform(win::WM_GETTEXT, win::WPARAM(bufSize), reinterpret_cast<win::LPARAM>(buffer)));
}

int32_t TControl::GetTextLen() { return int32_t(Perform(win::WM_GETTEXTLENGTH, 0, 0)); }

void TControl::SetTextBuf(const char* buffer) {
  Perform(win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(buffer ? buffer : ""));
  Perform(CM_TEXTCHANGED, 0, 0);
}

// Text messages on the stored text; TWinControl passes them on to its window too.
void TControl::TextMessage(TMessage& m) {
  TControl* c = this;
  switch (m.Msg) {
    case win::WM_SETTEXT: c->text_ = m.LParam ? reinterpret_cast<const char*>(m.LParam) : ""; m.Result = 1; break;
    case win::WM_GETTEXTLENGTH: m.Result = win::LRESULT(c->text_.size()); break;
    case win::WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(m.LParam);
      if (!buf || m.WParam == 0) {
        m.Result = 0;
        break;
      }
      size_t n = std::min(c->text_.size(), size_t(m.WParam) - 1);
      while (n > 0 && n < c->text_.size() && (uint8_t(c->text_[n]) & 0xC0) == 0x80) --n;
      std::memcpy(buf, c->text_.data(), n);
      buf[n] = 0;
      m.Result = win::LRESULT(n);
      break;
    }
  }
}

// ---------------------------------------------------------------- font and colour
void TControl::FontChanged(TObject*) {
  if (!parentFontUpdate_) parentFont_ = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool v) {
  if (parentFont_ == v) return;
  parentFont_ = v;
  if (parent_ && v && !Loading()) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor v) {
  if (color_ == v) return;
  color_ = v;
  parentColor_ = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool v) {
  if (parentColor_ == v) return;
  parentColor_ = v;
  if (parent_ && v && !Loading()) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage& m) {
  if (!parentFont_ || !parent_) return;
  TFont* src = m.WParam ? reinterpret_cast<TFont*>(m.LParam) : parent_->Font();
  if (!src) return;
  parentFontUpdate_ = true;
  try {
    font_->Assign(src);
  } catch (...) {
    parentFontUpdate_ = false;
    throw;
  }
  parentFontUpdate_ = false;
}

void TControl::CMParentColorChanged(TMessage& m) {
  if (!parentColor_ || !parent_) return;
  TColor c = m.WParam ? TColor(m.LParam) : parent_->Color();
  if (c == color_) return;
  color_ = c;
  Perform(CM_COLORCHANGED, 0, 0);
  parentColor_ = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (parentShowHint_ && parent_) {
    if (showHint_ == parent_->ShowHint()) return;
    showHint_ = parent_->ShowHint();
    Perform(CM_SHOWHINTCHANGED, 0, 0);
  }
}

void TControl::CMSysColorChange(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, visible_ && controlStyle_.Contains(csOpaque)); }

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMHitTest(TMessage& m) { m.Result = win::HTCLIENT; }

void TControl::CMMouseEnter(TMessage& m) {
  if (parent_) parent_->Perform(CM_MOUSEENTER, 0, m.LParam ? m.LParam : reinterpret_cast<win::LPARAM>(this));
  if (m.LParam == 0 && OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& m) {
  if (parent_) parent_->Perform(CM_MOUSELEAVE, 0, m.LParam ? m.LParam : reinterpret_cast<win::LPARAM>(this));
  if (m.LParam == 0 && OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMHintShow(TMessage& m) {
  // Action hints are already in Hint; nothing more to do by default.
  (void)m;
}

void TControl::CMMouseWheel(TMessage& m) {
  TShiftState shift = KeysToShiftState(m.WParamLo());
  TPoint pos{win::GET_X_LPARAM(m.LParam), win::GET_Y_LPARAM(m.LParam)};
  if (DoMouseWheel(shift, int32_t(int16_t(m.WParamHi())), pos)) m.Result = 1;
}

// ---------------------------------------------------------------- painting
void TControl::Invalidate() { InvalidateControl(visible_, controlStyle_.Contains(csOpaque)); }

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
  (void)isOpaque;
  if (!isVisible || !parent_ || !parent_->HandleAllocated()) return;
  TRect r = BoundsRect();
  win::InvalidateRect(parent_->Handle(), &r, win::TRUE);
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  if (!visible_ || !parent_ || !parent_->HandleAllocated()) return;
  Invalidate();
  parent_->Update();
}

void TControl::BringToFront() { SetZOrder(true); }
void TControl::SendToBack() { SetZOrder(false); }

void TControl::SetZOrder(bool topMost) {
  if (!parent_) return;
  SetZOrderPosition(topMost ? INT32_MAX : 0);
}

void TControl::SetZOrderPosition(int32_t position) {
  if (parent_) parent_->MoveControl(this, position);
  Invalidate();
}

// ---------------------------------------------------------------- mouse
bool TControl::MouseCapture() { return vcl_detail::GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool v) {
  if (MouseCapture() == v) return;
  vcl_detail::SetCaptureControl(v ? this : nullptr);
}

// Each form up the chain tells its active control to end what it was
// doing (a dropped-down list closes when the user clicks elsewhere).
void TControl::SendCancelMode(TControl* sender) {
  for (TControl* c = this; c; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) f->SendCancelMode(sender);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
  else if (action_ && !Designing()) action_->Execute();
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::DoMouseDown(TMessage& m, TMouseButton button, TShiftState shift) {
  if (controlStyle_.Contains(csNoStdEvents)) return;
  TWMMouse w = TWMMouse::From(m);
  MouseDown(button, KeysToShiftState(w.Keys) + shift, w.XPos, w.YPos);
}

void TControl::DoMouseUp(TMessage& m, TMouseButton button) {
  if (controlStyle_.Contains(csNoStdEvents)) return;
  TWMMouse w = TWMMouse::From(m);
  MouseUp(button, KeysToShiftState(w.Keys), w.XPos, w.YPos);
}

void TControl::WMLButtonDown(TMessage& m) {
  SendCancelMode(this);
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
  DoMouseDown(m, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& m) {
  SendCancelMode(this);
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
  auto alive = AliveToken();
  if (controlStyle_.Contains(csClickEvents)) DblClick();
  if (alive.expired()) return;
  DoMouseDown(m, mbLeft, {ssDouble});
}

void TControl::WMRButtonDown(TMessage& m) { DoMouseDown(m, mbRight, {}); }
void TControl::WMMButtonDown(TMessage& m) { DoMouseDown(m, mbMiddle, {}); }
void TControl::WMRButtonDblClk(TMessage& m) { DoMouseDown(m, mbRight, {ssDouble}); }
void TControl::WMMButtonDblClk(TMessage& m) { DoMouseDown(m, mbMiddle, {ssDouble}); }

void TControl::WMMouseMove(TMessage& m) {
  if (controlStyle_.Contains(csNoStdEvents)) return;
  TWMMouse w = TWMMouse::From(m);
  MouseMove(KeysToShiftState(w.Keys), w.XPos, w.YPos);
}

void TControl::WMLButtonUp(TMessage& m) {
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
  auto alive = AliveToken();
  if (controlState_.Contains(csClicked)) {
    controlState_.Exclude(csClicked);
    TWMMouse w = TWMMouse::From(m);
    if (ClientRect().Contains(w.Pos())) Click();
    // A click handler may free the control (closing a form, for one).
    if (alive.expired()) return;
  }
  DoMouseUp(m, mbLeft);
}

void TControl::WMRButtonUp(TMessage& m) {
  auto alive = AliveToken();
  DoMouseUp(m, mbRight);
  if (alive.expired() || m.Result != 0) return;
  // The context menu request, as the platform sends it after the button comes up.
  TWMMouse w = TWMMouse::From(m);
  TPoint s = ClientToScreen(w.Pos());
  if (auto* wc = dynamic_cast<TWinControl*>(this); wc && wc->HandleAllocated())
    win::SendMessage(wc->Handle(), win::WM_CONTEXTMENU, reinterpret_cast<win::WPARAM>(wc->Handle()),
                     win::MAKELPARAM(s.X, s.Y));
  else
    Perform(win::WM_CONTEXTMENU, 0, win::MAKELPARAM(s.X, s.Y));
}

void TControl::WMMButtonUp(TMessage& m) { DoMouseUp(m, mbMiddle); }

void TControl::WMMouseWheel(TMessage& m) {
  if (controlStyle_.Contains(csNoStdEvents)) return;
  TShiftState shift = KeysToShiftState(m.WParamLo());
  TPoint pos{win::GET_X_LPARAM(m.LParam), win::GET_Y_LPARAM(m.LParam)};
  if (DoMouseWheel(shift, int32_t(int16_t(m.WParamHi())), pos)) m.Result = 1;
  else if (parent_) m.Result = parent_->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled) {
    if (WheelDelta < 0) handled = DoMouseWheelDown(Shift, MousePos);
    else if (WheelDelta > 0) handled = DoMouseWheelUp(Shift, MousePos);
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::WMCancelMode(TMessage&) {
  if (MouseCapture()) {
    SetMouseCapture(false);
    controlState_.Exclude(csClicked);
  }
}

void TControl::WMWindowPosChanged(TMessage&) {}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

// LParam: screen point, or (-1, -1) for the keyboard; the menu then opens at
// the control's centre.
void TControl::WMContextMenu(TMessage& m) {
  if (m.Result != 0) return;
  TPoint screen{win::GET_X_LPARAM(m.LParam), win::GET_Y_LPARAM(m.LParam)};
  TPoint client = screen.X == -1 && screen.Y == -1 ? TPoint{-1, -1} : ScreenToClient(screen);
  bool handled = false;
  auto alive = AliveToken();
  DoContextPopup(client, handled);
  if (alive.expired()) return;
  m.Result = handled ? 1 : 0;
  if (handled) return;
  if (auto* menu = dynamic_cast<IControlPopupMenu*>(GetPopupMenu()); menu && menu->AutoPopup()) {
    if (client.X == -1 && client.Y == -1) screen = ClientToScreen({width_ / 2, height_ / 2});
    menu->PopupFor(this, screen.X, screen.Y);
    m.Result = 1;
    return;
  }
  // Up the chain: a graphic control asks its parent directly.
  if (!dynamic_cast<TWinControl*>(this) && parent_) m.Result = parent_->Perform(win::WM_CONTEXTMENU, 0, m.LParam);
}

// ---------------------------------------------------------------- actions
void TControl::SetAction(TBasicAction* v) {
  if (action_ == v) return;
  if (action_) {
    action_->UnRegisterLink(actionLink_.get());
    action_->RemoveFreeNotification(this);
  }
  action_ = v;
  if (v) {
    if (!actionLink_) actionLink_ = std::make_unique<TControlActionLink>(this);
    v->FreeNotification(this);
    v->RegisterLink(actionLink_.get());
    ActionChange(v, Loading());
  }
}

void TControl::ActionChange(TBasicAction* sender, bool checkDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(sender);
  if (!a) return;
  if (!checkDefaults || Caption().empty()) SetCaption(a->Caption());
  if (!checkDefaults || enabled_) SetEnabled(a->Enabled());
  if (!checkDefaults || hint_.empty()) SetHint(a->Hint());
  if (!checkDefaults || visible_) SetVisible(a->Visible());
}

bool TControl::ExecuteAction(TBasicAction* Action) {
  if (!Action || !Action->HandlesTarget(this)) return false;
  Action->ExecuteTarget(this);
  return true;
}

// ---------------------------------------------------------------- messages
win::LRESULT TControl::Perform(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  if (WindowProc) WindowProc(m);
  else WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  if (m.Msg >= win::WM_MOUSEFIRST && m.Msg <= win::WM_MOUSELAST) {
    if (!controlStyle_.Contains(csDoubleClicks)) {
      switch (m.Msg) {
        case win::WM_LBUTTONDBLCLK: case win::WM_RBUTTONDBLCLK: case win::WM_MBUTTONDBLCLK:
          m.Msg -= win::WM_LBUTTONDBLCLK - win::WM_LBUTTONDOWN;
          break;
      }
    }
    switch (m.Msg) {
      case win::WM_LBUTTONDOWN: case win::WM_LBUTTONDBLCLK: controlState_.Include(csLButtonDown); break;
      case win::WM_LBUTTONUP: controlState_.Exclude(csLButtonDown); break;
    }
  }
  Dispatch(m);
}

void TControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case win::WM_LBUTTONDOWN: WMLButtonDown(m); return;
    case win::WM_RBUTTONDOWN: WMRButtonDown(m); return;
    case win::WM_MBUTTONDOWN: WMMButtonDown(m); return;
    case win::WM_LBUTTONDBLCLK: WMLButtonDblClk(m); return;
    case win::WM_RBUTTONDBLCLK: WMRButtonDblClk(m); return;
    case win::WM_MBUTTONDBLCLK: WMMButtonDblClk(m); return;
    case win::WM_MOUSEMOVE: WMMouseMove(m); return;
    case win::WM_LBUTTONUP: WMLButtonUp(m); return;
    case win::WM_RBUTTONUP: WMRButtonUp(m); return;
    case win::WM_MBUTTONUP: WMMButtonUp(m); return;
    case win::WM_MOUSEWHEEL: WMMouseWheel(m); return;
    case win::WM_CANCELMODE: WMCancelMode(m); return;
    case win::WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); return;
    case win::WM_CONTEXTMENU: WMContextMenu(m); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
    case CM_FONTCHANGED: CMFontChanged(m); return;
    case CM_COLORCHANGED: CMColorChanged(m); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(m); return;
    case CM_PARENTBIDIMODECHANGED:
      if (parentBiDiMode_ && parent_) {
        SetBiDiMode(parent_->BiDiMode());
        parentBiDiMode_ = true;
      }
      return;
    case CM_SYSCOLORCHANGE: CMSysColorChange(m); return;
    case CM_HITTEST: CMHitTest(m); return;
    case CM_MOUSEENTER: CMMouseEnter(m); return;
    case CM_MOUSELEAVE: CMMouseLeave(m); return;
    case CM_HINTSHOW: CMHintShow(m); return;
    case CM_TEXTCHANGED: CMTextChanged(m); return;
    case CM_CURSORCHANGED: CMCursorChanged(m); return;
    case CM_MOUSEWHEEL: CMMouseWheel(m); return;
    case CM_CANCELMODE: CMCancelMode(m); return;
    case CM_ACTIONUPDATE: CMActionUpdate(m); return;
    case win::WM_SETTEXT: case win::WM_GETTEXT: case win::WM_GETTEXTLENGTH:
      TextMessage(m);
      return;
  }
  DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage&) {}

// ---------------------------------------------------------------- streaming
void TControl::Loaded() {
  TComponent::Loaded();
  if (parent_) {
    if (parentColor_) {
      TColor c = parent_->Color();
      if (c != color_) {
        color_ = c;
        Perform(CM_COLORCHANGED, 0, 0);
      }
    }
    if (parentFont_) {
      parentFontUpdate_ = true;
      font_->Assign(parent_->Font());
      parentFontUpdate_ = false;
    }
    if (parentShowHint_) showHint_ = parent_->ShowHint();
    if (parentBiDiMode_) biDiMode_ = parent_->BiDiMode();
  }
  UpdateAnchorRules();
  RequestAlign();
}
