// TCustomComboBox: an edit (or a fixed text) with a button that drops a
// list of items in a popup window. The edit part is a child edit control, as
// on the platform; the list window never takes the focus, so the keys stay
// with the combo while the mouse is captured by the list.
#include <algorithm>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/stdctrlspaint.h"

using namespace win;

namespace {
constexpr int32_t kTextMargin = 3;
constexpr UINT_PTR kRepeatTimer = 1;
}  // namespace

// The edit part: keys that belong to the combo go to it first.
class TComboEdit : public TCustomEdit {
public:
  TComboEdit(TCustomComboBox* combo) : TCustomEdit(combo), combo_(combo) {
    SetBorderStyle(bsNone);
    SetTabStop(false);
    SetParentFont(true);
    SetAutoSize(false);
  }

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override {
    if (combo_->OnKeyDown) {
      combo_->OnKeyDown(combo_, Key, Shift);
      if (Key == 0) return;
    }
    if (combo_->ComboKey(Key, Shift)) {
      Key = 0;
      return;
    }
    TCustomEdit::KeyDown(Key, Shift);
  }
  void KeyPress(char16_t& Key) override {
    if (combo_->OnKeyPress) {
      combo_->OnKeyPress(combo_, Key);
      if (Key == 0) return;
    }
    if (Key == u'\r' || Key == 27) return;
    TCustomEdit::KeyPress(Key);
  }
  void Change() override {
    TCustomEdit::Change();
    if (!combo_->settingEdit_) combo_->EditChanged();
  }
  void Dispatch(TMessage& message) override {
    if (message.Msg == WM_GETDLGCODE) {
      TCustomEdit::Dispatch(message);
      if (combo_->DroppedDown()) message.Result |= DLGC_WANTALLKEYS;
      return;
    }
    TCustomEdit::Dispatch(message);
  }
  void WMKillFocus(TMessage& m) override {
    TCustomEdit::WMKillFocus(m);
    combo_->SetDroppedDown(false);
  }

private:
  TCustomComboBox* combo_;
};

// The dropped list: a popup window below the combo that holds the mouse
// while it is shown.
class TComboListWindow : public TCustomControl {
public:
  explicit TComboListWindow(TCustomComboBox* combo) : TCustomControl(combo), combo_(combo) {
    controlStyle_ = {csCaptureMouse};
    SetVisible(false);
    bar_.Vertical = true;
    bar_.OnScroll = [this](TScrollCode code, int32_t pos) {
      if (code != scEndScroll) SetTop(pos);
    };
  }

  int32_t Highlight() const { return highlight_; }
  bool Shown() const { return shown_; }

  void ShowBelow(TRect comboScreen) {
    const int32_t count = combo_->Items()->Count();
    const int32_t rows = std::clamp(count, 1, combo_->DropDownCount());
    const int32_t h = rows * combo_->ItemHeight() + 2;
    TRect work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    int32_t y = comboScreen.Bottom;
    if (y + h > work.Bottom && comboScreen.Top - h >= work.Top) y = comboScreen.Top - h;
    SetBounds(comboScreen.Left, y, comboScreen.Width(), h);
    highlight_ = combo_->ItemIndex();
    top_ = 0;
    Layout();
    EnsureVisible(highlight_);
    SetWindowPos(Handle(), HWND_TOPMOST, Left(), Top(), Width(), Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    shown_ = true;
    SetMouseCapture(true);
    Invalidate();
  }

  void HideList() {
    if (!shown_) return;
    shown_ = false;
    if (MouseCapture()) SetMouseCapture(false);
    if (HandleAllocated()) {
      KillTimer(Handle(), kRepeatTimer);
      ShowWindow(Handle(), SW_HIDE);
    }
  }

  void MoveHighlight(int32_t index) {
    const int32_t count = combo_->Items()->Count();
    if (count == 0) return;
    highlight_ = std::clamp(index, 0, count - 1);
    EnsureVisible(highlight_);
    Invalidate();
  }
  int32_t PageRows() const { return std::max(1, combo_->DropDownCount()); }

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    TCustomForm* form = combo_->GetParentForm();
    Params.WndParent = form && form->HandleAllocated() ? form->Handle() : nullptr;
    Params.WinClassName = "TComboListWindow";
  }

  void Paint() override {
    TCanvas* c = Canvas();
    c->Font()->Assign(combo_->Font());
    const TRect client = ClientRect();
    Layout();
    TRect list = client;
    if (!bar_.Bounds.IsEmpty()) list.Right = bar_.Bounds.Left;
    FillColorRect(c->Handle(), list, combo_->Color());
    const int32_t h = combo_->ItemHeight();
    TStrings* items = combo_->Items();
    for (int32_t i = top_; i < items->Count() && (i - top_) * h < list.Bottom; ++i) {
      const TRect r{list.Left, (i - top_) * h, list.Right, (i - top_ + 1) * h};
      const bool sel = i == highlight_;
      TOwnerDrawState state;
      if (sel) state.Include(odSelected);
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(sel ? clHighlight : combo_->Color());
      c->Font()->SetColor(sel ? clHighlightText : combo_->Font()->Color());
      const int saved = SaveDC(c->Handle());
      IntersectClipRect(c->Handle(), r.Left, r.Top, r.Right, r.Bottom);
      combo_->DrawItem(c, i, r, state);
      RestoreDC(c->Handle(), saved);
    }
    bar_.Paint(c->Handle());
  }

  void Dispatch(TMessage& message) override {
    switch (message.Msg) {
      case WM_MOUSEACTIVATE: message.Result = MA_NOACTIVATE; return;
      case WM_CANCELMODE:
        if (shown_) combo_->ListClosed(-1, false);
        return;
      case WM_TIMER:
        if (message.WParam == kRepeatTimer) {
          SetTimer(Handle(), kRepeatTimer, TScrollBarPart::RepeatInterval, nullptr);
          bar_.Repeat();
          Invalidate();
          return;
        }
        break;
    }
    TCustomControl::Dispatch(message);
  }

  // The capture stays with the list: a press outside it closes the list.
  void WMLButtonDown(TMessage& m) override {
    const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (!ClientRect().Contains(p)) {
      // A press on the combo's own button just closes the list (it is a toggle).
      combo_->ListClosed(-1, false);
      return;
    }
    Layout();
    if (bar_.Bounds.Contains(p)) {
      barCaptured_ = true;
      bar_.MouseDown(p);
      if (bar_.Pressed()) SetTimer(Handle(), kRepeatTimer, TScrollBarPart::RepeatDelay, nullptr);
      Invalidate();
    }
  }
  void WMMouseMove(TMessage& m) override {
    const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (barCaptured_) {
      bar_.MouseMove(p);
      Invalidate();
      return;
    }
    const int32_t i = ItemAt(p);
    if (i >= 0 && i != highlight_) {
      highlight_ = i;
      Invalidate();
    }
  }
  void WMLButtonUp(TMessage& m) override {
    const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (barCaptured_) {
      barCaptured_ = false;
      KillTimer(Handle(), kRepeatTimer);
      bar_.MouseUp(p);
      Invalidate();
      return;
    }
    const int32_t i = ItemAt(p);
    if (i >= 0) combo_->ListClosed(i, true);
  }

private:
  int32_t ItemAt(TPoint p) {
    TRect list = ClientRect();
    Layout();
    if (!bar_.Bounds.IsEmpty()) list.Right = bar_.Bounds.Left;
    if (!list.Contains(p)) return -1;
    const int32_t i = top_ + p.Y / std::max(1, combo_->ItemHeight());
    return i < combo_->Items()->Count() ? i : -1;
  }
  void Layout() {
    const TRect client = ClientRect();
    const int32_t count = combo_->Items()->Count();
    const int32_t rows = std::max(1, client.Height() / std::max(1, combo_->ItemHeight()));
    if (count > rows) {
      bar_.Bounds = {client.Right - GetSystemMetrics(SM_CXVSCROLL), 0, client.Right, client.Bottom};
      bar_.Min = 0;
      bar_.Max = count - 1;
      bar_.PageSize = rows;
      bar_.LargeChange = std::max(1, rows - 1);
      bar_.Position = top_;
    } else {
      bar_.Bounds = {};
    }
  }
  void SetTop(int32_t v) {
    const int32_t rows = std::max(1, ClientRect().Height() / std::max(1, combo_->ItemHeight()));
    top_ = std::clamp(v, 0, std::max(0, combo_->Items()->Count() - rows));
    Layout();
    Invalidate();
  }
  void EnsureVisible(int32_t i) {
    if (i < 0) return;
    const int32_t rows = std::clamp(combo_->Items()->Count(), 1, combo_->DropDownCount());
    if (i < top_) SetTop(i);
    else if (i >= top_ + rows) SetTop(i - rows + 1);
  }

  TCustomComboBox* combo_;
  int32_t highlight_ = -1;
  int32_t top_ = 0;
  bool shown_ = false;
  bool barCaptured_ = false;
  TScrollBarPart bar_;
};

// ---------------------------------------------------------------- TCustomComboBox
TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = {csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
  items_ = std::make_unique<TStringList>();
  items_->OnChange = [this](TObject*) { ItemsChanged(); };
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  edit_ = new TComboEdit(this);
  edit_->SetParent(this);
  list_ = new TComboListWindow(this);
  LayoutEdit();
}

TCustomComboBox::~TCustomComboBox() {
  // The list and the edit are owned; they go first, each forgotten before it
  // dies so that nothing they do while dying reaches back into the other.
  if (TComboListWindow* l = list_) {
    l->HideList();
    list_ = nullptr;
    delete l;
  }
  if (TComboEdit* e = edit_) {
    edit_ = nullptr;
    delete e;
  }
}

TCustomEdit* TCustomComboBox::EditControl() const {
  return (style_ == csDropDown || style_ == csSimple) ? edit_ : nullptr;
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (style_ == v) return;
  style_ = v;
  if (edit_) edit_->SetVisible(EditControl() != nullptr);
  if (style_ == csDropDownList) {
    itemIndex_ = items_->IndexOf(edit_ ? edit_->Text() : std::string());
  }
  ShowText(itemIndex_ >= 0 ? items_->Strings(itemIndex_) : std::string());
  LayoutEdit();
  Invalidate();
}

TStrings* TCustomComboBox::Items() { return items_.get(); }
void TCustomComboBox::SetItems(TStrings* v) { items_->Assign(v); }

void TCustomComboBox::ItemsChanged() {
  if (itemIndex_ >= items_->Count()) {
    itemIndex_ = -1;
    if (style_ == csDropDownList) ShowText({});
  }
  if (list_ && list_->Shown()) list_->Invalidate();
  Invalidate();
}

void TCustomComboBox::SetSorted(bool v) {
  if (sorted_ == v) return;
  sorted_ = v;
  const std::string current = itemIndex_ >= 0 ? items_->Strings(itemIndex_) : std::string();
  items_->SetSorted(v);
  if (itemIndex_ >= 0) itemIndex_ = items_->IndexOf(current);
}

void TCustomComboBox::SetMaxLength(int32_t v) {
  maxLength_ = v;
  if (edit_) edit_->SetMaxLength(v);
}

int32_t TCustomComboBox::ItemHeight() {
  if (itemHeight_ > 0) return itemHeight_;
  TMeasureDC m(Font());
  return std::max(1, m.LineHeight() + 2);
}

void TCustomComboBox::ShowText(const std::string& text) {
  text_ = text;
  if (edit_) {
    settingEdit_ = true;
    try {
      edit_->SetText(text);
      edit_->SelectAll();
    } catch (...) {
      settingEdit_ = false;
      throw;
    }
    settingEdit_ = false;
  }
  Invalidate();
}

void TCustomComboBox::SetItemIndex(int32_t v) {
  if (Loading()) {
    pendingIndex_ = v;
    return;
  }
  if (v < -1 || v >= items_->Count()) v = -1;
  if (v == itemIndex_) return;
  itemIndex_ = v;
  ShowText(v >= 0 ? items_->Strings(v) : std::string());
}

std::string TCustomComboBox::GetText() {
  if (EditControl()) return edit_->Text();
  return itemIndex_ >= 0 ? items_->Strings(itemIndex_) : std::string();
}

void TCustomComboBox::SetTextValue(const std::string& value) {
  const int32_t match = items_->IndexOf(value);
  if (style_ == csDropDownList) {
    if (match >= 0) SetItemIndex(match);
    return;
  }
  itemIndex_ = match >= 0 && items_->Strings(match) == value ? match : -1;
  ShowText(value);
}

void TCustomComboBox::SelectAll() {
  if (edit_ && EditControl()) edit_->SelectAll();
}

void TCustomComboBox::Clear() {
  items_->Clear();
  itemIndex_ = -1;
  ShowText({});
}

bool TCustomComboBox::DroppedDown() const { return list_ && list_->Shown(); }

void TCustomComboBox::SetDroppedDown(bool v) {
  if (v == DroppedDown() || !list_) return;
  if (v) {
    if (!HandleAllocated()) return;
    DropDown();
    RECT r;
    GetWindowRect(Handle(), &r);
    list_->ShowBelow(r);
  } else {
    list_->HideList();
    CloseUp();
  }
  Invalidate();
}

void TCustomComboBox::ListClosed(int32_t index, bool chosen) {
  auto alive = AliveToken();
  SetDroppedDown(false);
  if (alive.expired()) return;
  if (chosen && index >= 0 && index != itemIndex_) ChooseItem(index);
}

void TCustomComboBox::ChooseItem(int32_t index) {
  if (index < 0 || index >= items_->Count()) return;
  itemIndex_ = index;
  ShowText(items_->Strings(index));
  auto alive = AliveToken();
  Click();
  if (alive.expired()) return;
  Select();
}

void TCustomComboBox::EditChanged() {
  const std::string text = edit_->Text();
  const int32_t match = items_->IndexOf(text);
  itemIndex_ = match >= 0 && items_->Strings(match) == text ? match : -1;
  Change();
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

// ---------------------------------------------------------------- layout and painting
void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomComboBox::CreateWnd() {
  TCustomControl::CreateWnd();
  LayoutEdit();
}

TRect TCustomComboBox::ButtonRect() {
  const TRect c = ClientRect();
  return {c.Right - GetSystemMetrics(SM_CXVSCROLL), c.Top, c.Right, c.Bottom};
}

void TCustomComboBox::LayoutEdit() {
  // The height follows the font, as on the platform.
  if (!Loading()) {
    TMeasureDC m(Font());
    const int32_t want = m.LineHeight() + 2 * kTextMargin + 2 * GetSystemMetrics(SM_CXEDGE);
    if (Height() != want) SetHeight(want);
  }
  if (!edit_) return;
  const TRect c = ClientRect();
  const TRect b = ButtonRect();
  edit_->SetVisible(EditControl() != nullptr);
  edit_->SetBounds(c.Left + 1, c.Top + 1, std::max(0, b.Left - c.Left - 1), std::max(0, c.Height() - 2));
}

void TCustomComboBox::Resize() {
  TCustomControl::Resize();
  LayoutEdit();
}

void TCustomComboBox::Loaded() {
  TCustomControl::Loaded();
  if (edit_) edit_->SetMaxLength(maxLength_);
  if (pendingIndex_ >= 0) SetItemIndex(pendingIndex_);
  pendingIndex_ = -1;
  LayoutEdit();
}

void TCustomComboBox::CMFontChanged(TMessage& m) {
  TCustomControl::CMFontChanged(m);
  LayoutEdit();
}

void TCustomComboBox::CMEnabledChanged(TMessage& m) {
  TCustomControl::CMEnabledChanged(m);
  if (edit_) edit_->SetEnabled(Enabled());
  Invalidate();
}

void TCustomComboBox::DrawItem(TCanvas* canvas, int32_t index, TRect rect, TOwnerDrawState state) {
  if (OnDrawItem && (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable)) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  canvas->FillRect(rect);
  if (index >= 0 && index < items_->Count()) canvas->TextOut(rect.Left + 2, rect.Top + 1, items_->Strings(index));
}

void TCustomComboBox::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  HDC dc = c->Handle();
  const TRect client = ClientRect();
  FillColorRect(dc, client, Enabled() ? Color() : clBtnFace);
  if (!EditControl()) {
    TRect text{client.Left + 1, client.Top + 1, ButtonRect().Left - 1, client.Bottom - 1};
    const bool focused = Focused() && !DroppedDown();
    TOwnerDrawState state;
    if (focused) state.Include(odSelected), state.Include(odFocused);
    state.Include(odComboBoxEdit);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(focused ? clHighlight : (Enabled() ? Color() : clBtnFace));
    c->Font()->SetColor(focused ? clHighlightText : (Enabled() ? Font()->Color() : clGrayText));
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, text.Left, text.Top, text.Right, text.Bottom);
    if (itemIndex_ >= 0) {
      DrawItem(c, itemIndex_, text, state);
    } else {
      c->FillRect(text);
    }
    RestoreDC(dc, saved);
    if (focused) DrawFocusRectangle(dc, text);
  }
  TRect b = ButtonRect();
  DrawFrameControl(dc, &b, DFC_SCROLL,
                   DFCS_SCROLLCOMBOBOX | (buttonDown_ ? DFCS_PUSHED | DFCS_FLAT : 0) | (Enabled() ? 0 : DFCS_INACTIVE));
}

// ---------------------------------------------------------------- input
bool TCustomComboBox::Focused() {
  if (TCustomControl::Focused()) return true;
  return edit_ && EditControl() && edit_->Focused();
}

void TCustomComboBox::SetFocus() {
  if (edit_ && EditControl() && edit_->CanFocus()) edit_->SetFocus();
  else TCustomControl::SetFocus();
}

void TCustomComboBox::WMSetFocus(TMessage& m) {
  TCustomControl::WMSetFocus(m);
  // The edit part takes the keys.
  if (edit_ && EditControl() && edit_->HandleAllocated() && edit_->CanFocus()) {
    win::SetFocus(edit_->Handle());
    return;
  }
  Invalidate();
}

void TCustomComboBox::WMKillFocus(TMessage& m) {
  TCustomControl::WMKillFocus(m);
  if (!EditControl()) SetDroppedDown(false);
  Invalidate();
}

bool TCustomComboBox::ComboKey(WORD key, TShiftState shift) {
  const bool alt = shift.Contains(ssAlt);
  const int32_t count = items_->Count();
  if (DroppedDown()) {
    switch (key) {
      case VK_UP: list_->MoveHighlight(list_->Highlight() - 1); return true;
      case VK_DOWN: list_->MoveHighlight(alt ? list_->Highlight() : list_->Highlight() + 1);
        if (alt) ListClosed(list_->Highlight(), true);
        return true;
      case VK_PRIOR: list_->MoveHighlight(list_->Highlight() - list_->PageRows() + 1); return true;
      case VK_NEXT: list_->MoveHighlight(list_->Highlight() + list_->PageRows() - 1); return true;
      case VK_HOME: if (!EditControl()) { list_->MoveHighlight(0); return true; } return false;
      case VK_END: if (!EditControl()) { list_->MoveHighlight(count - 1); return true; } return false;
      case VK_RETURN: case VK_F4: ListClosed(list_->Highlight(), true); return true;
      case VK_ESCAPE: ListClosed(-1, false); return true;
      default: return false;
    }
  }
  if (key == VK_F4 || (alt && key == VK_DOWN)) {
    SetDroppedDown(true);
    return true;
  }
  if (count == 0) return false;
  int32_t target;
  switch (key) {
    case VK_UP: target = itemIndex_ < 0 ? 0 : itemIndex_ - 1; break;
    case VK_DOWN: target = itemIndex_ + 1; break;
    case VK_PRIOR: target = itemIndex_ - dropDownCount_ + 1; break;
    case VK_NEXT: target = itemIndex_ + dropDownCount_ - 1; break;
    case VK_HOME: if (EditControl()) return false; target = 0; break;
    case VK_END: if (EditControl()) return false; target = count - 1; break;
    default: return false;
  }
  target = std::clamp(target, 0, count - 1);
  if (target != itemIndex_) ChooseItem(target);
  return true;
}

void TCustomComboBox::Dispatch(TMessage& message) {
  if (message.Msg == WM_GETDLGCODE) {
    message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (DroppedDown() ? DLGC_WANTALLKEYS : 0);
    return;
  }
  TCustomControl::Dispatch(message);
}

void TCustomComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key != 0 && ComboKey(Key, Shift)) Key = 0;
}

void TCustomComboBox::KeyPress(char16_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key < 32 || EditControl()) return;
  // A drop-down list jumps to the next item starting with the character.
  const char32_t want = CpUpperChar(char32_t(Key));
  const int32_t n = items_->Count();
  for (int32_t step = 1; step <= n; ++step) {
    const int32_t i = (std::max(itemIndex_, -1) + step + n) % n;
    if (CpUpperChar(CpAt(items_->Strings(i), 1)) == want) {
      if (DroppedDown()) list_->MoveHighlight(i);
      else if (i != itemIndex_) ChooseItem(i);
      break;
    }
  }
  Key = 0;
}

void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  if (Button == mbLeft && Enabled()) {
    if (!Focused() && CanFocus()) SetFocus();
    if (alive.expired()) return;
    if (!EditControl() || ButtonRect().Contains({X, Y})) {
      SetDroppedDown(!DroppedDown());
      if (alive.expired()) return;
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

bool TCustomComboBox::DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (DroppedDown() || items_->Count() == 0 || WheelDelta == 0) return false;
  ComboKey(WheelDelta > 0 ? VK_UP : VK_DOWN, {});
  return true;
}
