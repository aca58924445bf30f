// TWinControl: alignment and anchors of the children, tab order, focus and
// the keyboard path (CN_ keys from the application's loop, CM_DIALOGKEY to
// the form, WM_ keys to the focused control with the form's KeyPreview).
#include <algorithm>

#include "platform/classes/resstrings.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/controls_internal.h"
#include "platform/vcl/forms.h"

// ---------------------------------------------------------------- alignment
void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
  if (alignLevel_ > 0) --alignLevel_;
  if (alignLevel_ == 0 && controlState_.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (InState(csDestroying)) return;
  if (alignLevel_ != 0) {
    controlState_.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  try {
    TRect r = ClientRect();
    AlignControls(AControl, r);
  } catch (...) {
    controlState_.Exclude(csAlignmentNeeded);
    EnableAlign();
    throw;
  }
  controlState_.Exclude(csAlignmentNeeded);
  EnableAlign();
}

void TWinControl::AdjustClientRect(TRect& Rect) { Rect = ClientRect(); }

// Docked children take the edges in the framework's order (top, bottom,
// left, right, then client and custom), each group sorted by position so that
// a control keeps its place in the stack; the control being moved wins a tie.
// Then the undocked children follow their anchors.
void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  const TAnchors defaultAnchors{akLeft, akTop};
  bool work = false;
  for (int32_t i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() != alNone || c->Anchors() != defaultAnchors) {
      work = true;
      break;
    }
  }
  if (!work) {
    ControlsAligned();
    return;
  }
  AdjustClientRect(Rect);
  const TSize parentSize{ClientRect().Width(), ClientRect().Height()};

  auto key = [](TControl* c, TAlign a) -> int32_t {
    switch (a) {
      case alTop: return c->Top();
      case alBottom: return -(c->Top() + c->Height());
      case alLeft: return c->Left();
      case alRight: return -(c->Left() + c->Width());
      default: return 0;
    }
  };

  auto doAlign = [&](TAlign a) {
    std::vector<TControl*> list;
    for (int32_t i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c->Align() != a || !c->Visible()) continue;
      // Before the first one it precedes; the control being moved wins a tie.
      const int32_t kc = key(c, a);
      auto pos = std::find_if(list.begin(), list.end(), [&](TControl* o) {
        const int32_t ko = key(o, a);
        return kc < ko || (kc == ko && c == AControl);
      });
      list.insert(pos, c);
    }
    for (TControl* c : list) {
      int32_t l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
      switch (a) {
        case alTop: l = Rect.Left; t = Rect.Top; w = Rect.Width(); break;
        case alBottom: l = Rect.Left; t = Rect.Bottom - h; w = Rect.Width(); break;
        case alLeft: l = Rect.Left; t = Rect.Top; h = Rect.Height(); break;
        case alRight: l = Rect.Right - w; t = Rect.Top; h = Rect.Height(); break;
        case alClient: l = Rect.Left; t = Rect.Top; w = Rect.Width(); h = Rect.Height(); break;
        case alCustom: {
          TRect ar = Rect;
          CustomAlignPosition(c, l, t, w, h, ar);
          if (OnAlignPosition) OnAlignPosition(this, c, l, t, w, h, ar);
          break;
        }
        default: break;
      }
      c->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
      // What the control took (constraints may refuse) is what it uses up.
      switch (a) {
        case alTop: Rect.Top = std::min(Rect.Top + c->Height(), Rect.Bottom); break;
        case alBottom: Rect.Bottom = std::max(Rect.Bottom - c->Height(), Rect.Top); break;
        case alLeft: Rect.Left = std::min(Rect.Left + c->Width(), Rect.Right); break;
        case alRight: Rect.Right = std::max(Rect.Right - c->Width(), Rect.Left); break;
        default: break;
      }
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient, alCustom}) doAlign(a);

  for (int32_t i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() != alNone || c->Anchors() == defaultAnchors || !c->anchorRulesValid_) continue;
    c->AnchorToParent(c->anchorParentSize_, parentSize);
  }
  ControlsAligned();
}

// ---------------------------------------------------------------- tab order
int32_t TWinControl::TabOrder() {
  if (!Parent()) return pendingTabOrder_;
  auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int32_t(it - list.begin());
}

void TWinControl::SetTabOrder(int32_t v) {
  if (controlState_.Contains(csReadingState) || Loading() || !Parent()) {
    pendingTabOrder_ = v;
    return;
  }
  UpdateTabOrder(v);
}

void TWinControl::UpdateTabOrder(int32_t value) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  const int32_t cur = int32_t(it - list.begin());
  const int32_t count = int32_t(list.size());
  if (value < 0 || value >= count) value = count - 1;
  if (value == cur) return;
  list.erase(it);
  list.insert(list.begin() + value, this);
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::SetTabStop(bool v) {
  if (tabStop_ == v) return;
  tabStop_ = v;
  if (handle_) {
    win::LONG style = win::GetWindowLong(handle_, win::GWL_STYLE);
    win::SetWindowLong(handle_, win::GWL_STYLE, v ? (style | win::WS_TABSTOP) : (style & ~win::LONG(win::WS_TABSTOP)));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int32_t count = int32_t(list.size());
  auto it = std::find(list.begin(), list.end(), current);
  int32_t start = it == list.end() ? (goForward ? count - 1 : 0) : int32_t(it - list.begin());
  int32_t i = start;
  do {
    if (goForward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl* c = list[size_t(i)];
    if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* c = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) c->SetFocus();
}

void TWinControl::SelectFirst() {
  TCustomForm* form = GetParentForm();
  if (!form) return;
  TWinControl* c = form->FindNextControl(nullptr, true, true, false);
  if (!c) c = form->FindNextControl(nullptr, true, false, false);
  if (c) c->SetFocus();
}

// The tab orders read from a description apply once the siblings are all there.
void TWinControl::ReadState(TReader* reader) {
  DisableAlign();
  controlState_.Include(csReadingState);
  try {
    TControl::ReadState(reader);
  } catch (...) {
    controlState_.Exclude(csReadingState);
    EnableAlign();
    throw;
  }
  controlState_.Exclude(csReadingState);
  std::vector<TWinControl*> pending;
  for (TWinControl* c : tabList_)
    if (c->pendingTabOrder_ >= 0) pending.push_back(c);
  std::stable_sort(pending.begin(), pending.end(),
                   [](TWinControl* a, TWinControl* b) { return a->pendingTabOrder_ < b->pendingTabOrder_; });
  for (TWinControl* c : pending) {
    int32_t order = c->pendingTabOrder_;
    c->pendingTabOrder_ = -1;
    c->UpdateTabOrder(order);
  }
  EnableAlign();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (pendingTabOrder_ >= 0 && Parent()) {
    int32_t order = pendingTabOrder_;
    pendingTabOrder_ = -1;
    UpdateTabOrder(order);
  }
  for (TControl* c : controls_) c->UpdateAnchorRules();
  for (TWinControl* c : winControls_) c->UpdateAnchorRules();
  UpdateControlState();
}

void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
  for (int32_t i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Owner() == root) proc(c);
  }
}

void TWinControl::SetChildOrder(TComponent* child, int32_t order) {
  if (auto* c = dynamic_cast<TControl*>(child)) c->SetZOrderPosition(order);
}

// ---------------------------------------------------------------- focus
bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm();
  if (!form) return false;
  for (TControl* c = this; c && c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() { return handle_ && win::GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm()) {
    form->FocusControl(this);
  } else if (parentWindow_ || !Parent()) {
    win::SetFocus(Handle());
  } else {
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  }
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::CMFocusChanged(TMessage& m) { Broadcast(m); m.Result = 0; }

void TWinControl::WMSetFocus(TMessage& m) { DefaultHandler(m); }
void TWinControl::WMKillFocus(TMessage& m) { DefaultHandler(m); }

void TWinControl::WMMouseWheel(TMessage& m) {
  TShiftState shift = KeysToShiftState(m.WParamLo());
  TPoint pos{win::GET_X_LPARAM(m.LParam), win::GET_Y_LPARAM(m.LParam)};
  if (!controlStyle_.Contains(csNoStdEvents) && DoMouseWheel(shift, int32_t(int16_t(m.WParamHi())), pos)) {
    m.Result = 1;
    return;
  }
  DefaultHandler(m);
}

// ---------------------------------------------------------------- keys
bool TWinControl::DoKeyDown(TWMKey& message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyDown(message)) return true;
  if (!controlStyle_.Contains(csNoStdEvents)) {
    TShiftState shift = KeyDataToShiftState(message.KeyData);
    KeyDown(message.CharCode, shift);
    if (message.CharCode == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TWMKey& message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyPress(message)) return true;
  if (!controlStyle_.Contains(csNoStdEvents)) {
    char16_t ch = char16_t(message.CharCode);
    KeyPress(ch);
    message.CharCode = win::WORD(ch);
    if (ch == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TWMKey& message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyUp(message)) return true;
  if (!controlStyle_.Contains(csNoStdEvents)) {
    TShiftState shift = KeyDataToShiftState(message.KeyData);
    KeyUp(message.CharCode, shift);
    if (message.CharCode == 0) return true;
  }
  return false;
}

void TWinControl::KeyDown(win::WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyPress(char16_t& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}
void TWinControl::KeyUp(win::WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

// A handler that zeroes CharCode has eaten the key: the window's default handling is skipped.
void TWinControl::WMKeyDown(TMessage& m) {
  TWMKey k = TWMKey::From(m);
  auto alive = AliveToken();
  if (DoKeyDown(k)) {
    if (!alive.expired()) k.To(m);
    return;
  }
  if (alive.expired()) return;
  k.To(m);
  DefaultHandler(m);
}

void TWinControl::WMSysKeyDown(TMessage& m) { WMKeyDown(m); }

void TWinControl::WMKeyUp(TMessage& m) {
  TWMKey k = TWMKey::From(m);
  auto alive = AliveToken();
  if (DoKeyUp(k)) return;
  if (alive.expired()) return;
  k.To(m);
  DefaultHandler(m);
}

void TWinControl::WMSysKeyUp(TMessage& m) { WMKeyUp(m); }

void TWinControl::WMChar(TMessage& m) {
  TWMKey k = TWMKey::From(m);
  auto alive = AliveToken();
  if (DoKeyPress(k)) return;
  if (alive.expired()) return;
  k.To(m);
  DefaultHandler(m);
}

void TWinControl::WMSysChar(TMessage& m) {
  // Alt+letter: the form's accelerators (CM_DIALOGCHAR) first.
  TCustomForm* form = GetParentForm();
  if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) {
    m.Result = 0;
    return;
  }
  DefaultHandler(m);
}

bool TWinControl::IsMenuKey(TWMKey& message) {
  if (Designing()) return false;
  auto alive = AliveToken();
  for (TControl* c = this; c; c = c->Parent()) {
    if (auto* menu = dynamic_cast<IControlPopupMenu*>(c->GetPopupMenu()))
      if (menu->IsShortCut(message)) return true;
    if (alive.expired()) return true;
  }
  TCustomForm* form = GetParentForm();
  return form && form->IsShortCut(message);
}

// Keys from the application's loop before the control sees WM_KEYDOWN: the
// shortcuts of menus and the form, then the dialog keys (Tab, arrows, Enter,
// Escape) unless the control wants them itself. Result 1: handled.
void TWinControl::CNKeyDown(TMessage& m) {
  TWMKey k = TWMKey::From(m);
  m.Result = 1;
  auto alive = AliveToken();
  if (IsMenuKey(k)) return;
  if (alive.expired()) return;
  if (!Designing()) {
    if (Perform(CM_CHILDKEY, k.CharCode, reinterpret_cast<win::LPARAM>(this)) != 0) return;
    win::LRESULT mask = 0;
    switch (k.CharCode) {
      case win::VK_TAB: mask = win::DLGC_WANTTAB; break;
      case win::VK_LEFT: case win::VK_RIGHT: case win::VK_UP: case win::VK_DOWN: mask = win::DLGC_WANTARROWS; break;
      case win::VK_RETURN: case win::VK_EXECUTE: case win::VK_ESCAPE: case win::VK_CANCEL:
        mask = win::DLGC_WANTALLKEYS;
        break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, k.CharCode, k.KeyData) == 0 &&
        (Perform(win::WM_GETDLGCODE, 0, 0) & mask) == 0) {
      TCustomForm* form = GetParentForm();
      if (form && form->Perform(CM_DIALOGKEY, k.CharCode, k.KeyData) != 0) return;
    }
  }
  if (!alive.expired()) m.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& m) { m.Result = 0; }

void TWinControl::CNSysKeyDown(TMessage& m) {
  TWMKey k = TWMKey::From(m);
  m.Result = 1;
  auto alive = AliveToken();
  if (IsMenuKey(k)) return;
  if (alive.expired()) return;
  m.Result = 0;
}

void TWinControl::CNChar(TMessage& m) {
  m.Result = 0;
  if (Designing()) return;
  if ((Perform(win::WM_GETDLGCODE, 0, 0) & win::DLGC_WANTCHARS) == 0) {
    TCustomForm* form = GetParentForm();
    if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) m.Result = 1;
  }
}

void TWinControl::CNSysChar(TMessage& m) { m.Result = 0; }

void TWinControl::CMDialogKey(TMessage& m) { Broadcast(m); }
void TWinControl::CMDialogChar(TMessage& m) { Broadcast(m); }
