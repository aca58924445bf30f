// Labels, push buttons, check boxes, radio buttons and group boxes, and the
// helpers every standard control shares (accelerators, the clipboard).
#include "platform/vcl/stdctrls.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/text.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrlspaint.h"

using namespace win;

namespace {

// Binds the control's font to its canvas and returns the DC, ready for text.
HDC CanvasDC(TCanvas* canvas, TFont* font) {
  canvas->Font()->Assign(font);
  HDC dc = canvas->Handle();
  canvas->RequiredState({csHandleValid, csFontValid});
  return dc;
}

}  // namespace

// ---------------------------------------------------------------- helpers
bool IsAccel(WORD key, const std::string& caption) {
  const std::u32string s = Utf8ToUtf32(caption);
  char32_t hot = 0;
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (s[i] != U'&') continue;
    if (s[i + 1] == U'&') {
      ++i;
      continue;
    }
    hot = s[i + 1];
  }
  if (!hot || key == 0) return false;
  return CpUpperChar(hot) == CpUpperChar(char32_t(key));
}

bool ClipboardSetText(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const std::u16string u = Utf8ToUtf16(text);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (u.size() + 1) * sizeof(char16_t));
  bool ok = false;
  if (mem) {
    if (void* p = GlobalLock(mem)) {
      std::memcpy(p, u.data(), u.size() * sizeof(char16_t));
      std::memset(static_cast<char*>(p) + u.size() * sizeof(char16_t), 0, sizeof(char16_t));
      GlobalUnlock(mem);
      ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    }
    if (!ok) GlobalFree(mem);
  }
  CloseClipboard();
  return ok;
}

bool ClipboardGetText(HWND owner, std::string& text) {
  if (!OpenClipboard(owner)) return false;
  bool ok = false;
  if (HANDLE mem = GetClipboardData(CF_UNICODETEXT)) {
    const size_t size = GlobalSize(mem);
    if (const void* p = GlobalLock(mem)) {
      std::u16string u(size / sizeof(char16_t), u'\0');
      std::memcpy(u.data(), p, u.size() * sizeof(char16_t));
      GlobalUnlock(mem);
      const size_t nul = u.find(u'\0');
      if (nul != std::u16string::npos) u.resize(nul);
      text = Utf16ToUtf8(u);
      ok = true;
    }
  }
  CloseClipboard();
  return ok;
}

// ---------------------------------------------------------------- TCustomLabel
TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  controlStyle_.Include(csReplicatable);
  controlStyle_.Include(csOpaque);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (alignment_ == v) return;
  alignment_ = v;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (autoSize_ == v) return;
  autoSize_ = v;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (layout_ == v) return;
  layout_ = v;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (showAccelChar_ == v) return;
  showAccelChar_ = v;
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  if (v) controlStyle_.Exclude(csOpaque);
  else controlStyle_.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (wordWrap_ == v) return;
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* v) {
  SetComponentReference(focusControl_, v);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation operation) {
  TGraphicControl::Notification(AComponent, operation);
  if (operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

UINT TCustomLabel::DrawTextFlags() const {
  UINT f = DT_EXPANDTABS;
  if (wordWrap_) f |= DT_WORDBREAK;
  if (!showAccelChar_) f |= DT_NOPREFIX;
  switch (alignment_) {
    case taLeftJustify: f |= DT_LEFT; break;
    case taRightJustify: f |= DT_RIGHT; break;
    case taCenter: f |= DT_CENTER; break;
  }
  return f;
}

void TCustomLabel::DoDrawText(HDC dc, TRect& rect, UINT flags) {
  std::string text = Caption();
  // An empty caption (or a lone '&') still measures one line.
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += " ";
  if (flags & DT_CALCRECT) {
    DrawText(dc, text, -1, &rect, flags);
    return;
  }
  DrawControlText(dc, text, rect, flags, Font()->Color(), Enabled());
}

void TCustomLabel::Paint() {
  HDC dc = CanvasDC(Canvas(), Font());
  TRect client = ClientRect();
  if (!transparent_) FillColorRect(dc, client, Color());
  TRect r = client;
  const UINT flags = DrawTextFlags();
  if (layout_ != tlTop) {
    TRect calc = client;
    DoDrawText(dc, calc, flags | DT_CALCRECT);
    const int32_t h = calc.Height();
    if (layout_ == tlBottom) r.Top = client.Bottom - h;
    else r.Top = client.Top + (client.Height() - h) / 2;
  }
  DoDrawText(dc, r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (Loading() || !autoSize_) return;
  TMeasureDC m(Font());
  TRect r{0, 0, Width(), 0};
  UINT flags = DrawTextFlags() | DT_CALCRECT;
  if (!wordWrap_) flags &= ~UINT(DT_WORDBREAK);
  DoDrawText(m.Handle(), r, flags);
  int32_t x = Left();
  if (alignment_ == taRightJustify) x += Width() - r.Right;
  else if (alignment_ == taCenter) x += (Width() - r.Right) / 2;
  SetBounds(x, Top(), r.Right, r.Bottom);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& m) {
  TGraphicControl::CMFontChanged(m);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& m) {
  if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(WORD(m.WParam), Caption()) && focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    m.Result = 1;
  }
}

void TCustomLabel::Dispatch(TMessage& message) {
  if (message.Msg == CM_DIALOGCHAR) {
    CMDialogChar(message);
    return;
  }
  TGraphicControl::Dispatch(message);
}

// ---------------------------------------------------------------- TButtonControl
TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
  // Two quick clicks are two clicks; the release decides, not the framework's click event.
  controlStyle_ = {csSetCaption, csCaptureMouse};
  SetTabStop(true);
}

void TButtonControl::SetWordWrap(bool v) {
  if (wordWrap_ == v) return;
  wordWrap_ = v;
  Invalidate();
}

void TButtonControl::SetPressed(bool v) {
  if (pressed_ == v) return;
  pressed_ = v;
  Invalidate();
}

void TButtonControl::DrawCaption(HDC dc, TRect r, UINT format) {
  if (wordWrap_) format = (format & ~UINT(DT_SINGLELINE | DT_VCENTER)) | DT_WORDBREAK;
  DrawControlText(dc, Caption(), r, format, Font()->Color(), Enabled());
}

void TButtonControl::Dispatch(TMessage& message) {
  if (message.Msg == WM_GETDLGCODE) {
    message.Result = DLGC_BUTTON;
    return;
  }
  TCustomControl::Dispatch(message);
}

void TButtonControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft && Enabled()) {
    if (CanFocus() && !Focused()) SetFocus();
    mouseDown_ = true;
    SetPressed(true);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TButtonControl::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (mouseDown_) SetPressed(ClientRect().Contains({X, Y}));
  TCustomControl::MouseMove(Shift, X, Y);
}

void TButtonControl::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  if (Button == mbLeft && mouseDown_) {
    mouseDown_ = false;
    SetPressed(false);
    if (ClientRect().Contains({X, Y})) ButtonPressed();
    if (alive.expired()) return;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TButtonControl::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE && Shift.Empty()) {
    spaceDown_ = true;
    SetPressed(true);
  }
}

void TButtonControl::KeyUp(WORD& Key, TShiftState Shift) {
  auto alive = AliveToken();
  TCustomControl::KeyUp(Key, Shift);
  if (alive.expired()) return;
  if (Key == VK_SPACE && spaceDown_) {
    spaceDown_ = false;
    SetPressed(false);
    ButtonPressed();
  }
}

void TButtonControl::WMSetFocus(TMessage& m) {
  TCustomControl::WMSetFocus(m);
  Invalidate();
}

void TButtonControl::WMKillFocus(TMessage& m) {
  TCustomControl::WMKillFocus(m);
  spaceDown_ = false;
  SetPressed(false);
  Invalidate();
}

void TButtonControl::WMCancelMode(TMessage& m) {
  mouseDown_ = false;
  spaceDown_ = false;
  SetPressed(false);
  TCustomControl::WMCancelMode(m);
}

void TButtonControl::CMDialogChar(TMessage& m) {
  if (IsAccel(WORD(m.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) ButtonPressed();
    m.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(m);
}

void TButtonControl::CMTextChanged(TMessage& m) {
  TCustomControl::CMTextChanged(m);
  Invalidate();
}

void TButtonControl::CMEnabledChanged(TMessage& m) {
  TCustomControl::CMEnabledChanged(m);
  Invalidate();
}

// ---------------------------------------------------------------- TButton
TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TButton::SetDefault(bool v) {
  if (default_ == v) return;
  default_ = v;
  Invalidate();
}

bool TButton::IsActive() {
  TCustomForm* form = GetParentForm();
  TWinControl* focused = form ? form->ActiveControl() : nullptr;
  if (dynamic_cast<TButton*>(focused)) return focused == this;
  return default_;
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm()) form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

void TButton::Paint() {
  HDC dc = CanvasDC(Canvas(), Font());
  DrawPushButton(dc, ClientRect(), "", Pressed(), IsActive(), false, Enabled());
  TRect text = ClientRect();
  text.Inflate(-4, -3);
  if (Pressed()) text.Offset(1, 1);
  DrawCaption(dc, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (Focused()) {
    TRect fr = ClientRect();
    fr.Inflate(-4, -4);
    DrawFocusRectangle(dc, fr);
  }
}

void TButton::CMDialogKey(TMessage& m) {
  const WORD key = WORD(m.WParam);
  if (((key == VK_RETURN && IsActive()) || (key == VK_ESCAPE && cancel_)) &&
      KeyDataToShiftState(int32_t(m.LParam)).Empty() && CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(m);
}

void TButton::CMDialogChar(TMessage& m) {
  // A push button's accelerator clicks it where the focus is.
  if (IsAccel(WORD(m.WParam), Caption()) && CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(m);
}

void TButton::CMFocusChanged(TMessage& m) {
  // The default frame moves to whichever button has the focus.
  Invalidate();
  TButtonControl::CMFocusChanged(m);
}

void TButton::Dispatch(TMessage& message) {
  if (message.Msg == WM_GETDLGCODE) {
    message.Result = DLGC_BUTTON | (IsActive() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    return;
  }
  TButtonControl::Dispatch(message);
}

// ---------------------------------------------------------------- TCustomCheckBox
TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (state_ == v) return;
  state_ = v;
  Invalidate();
  if (!ClicksDisabled() && !Loading()) Click();
}

void TCustomCheckBox::SetAllowGrayed(bool v) {
  allowGrayed_ = v;
  if (!v && state_ == cbGrayed) SetState(cbUnchecked);
}

void TCustomCheckBox::SetAlignment(TLeftRight v) {
  if (alignment_ == v) return;
  alignment_ = v;
  Invalidate();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

namespace {

// A check box or radio button: the glyph on one side, the caption beside it.
void PaintCheckLike(TButtonControl* self, TCanvas* canvas, TFont* font, TColor color, int state, bool radio,
                    bool pressed, TLeftRight alignment, bool focused,
                    const std::function<void(HDC, TRect, UINT)>& drawCaption) {
  HDC dc = CanvasDC(canvas, font);
  const TRect client = self->ClientRect();
  FillColorRect(dc, client, color);
  const int32_t top = (client.Height() - CheckGlyphSize) / 2;
  TRect box, text;
  if (alignment == taRightJustify) {
    box = Bounds(0, top, CheckGlyphSize, CheckGlyphSize);
    text = TRect{CheckGlyphSize + 4, 0, client.Right, client.Bottom};
  } else {
    box = Bounds(client.Right - CheckGlyphSize, top, CheckGlyphSize, CheckGlyphSize);
    text = TRect{0, 0, client.Right - CheckGlyphSize - 4, client.Bottom};
  }
  DrawCheckGlyph(dc, box, state, radio, pressed, self->Enabled());
  drawCaption(dc, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (focused) {
    TRect calc{0, 0, text.Width(), 0};
    DrawText(dc, self->Caption(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    TRect fr{text.Left - 1, (client.Height() - calc.Height()) / 2 - 1, text.Left + calc.Width() + 1,
             (client.Height() + calc.Height()) / 2 + 1};
    IntersectRect(fr, fr, client);
    DrawFocusRectangle(dc, fr);
  }
}

}  // namespace

void TCustomCheckBox::Paint() {
  PaintCheckLike(this, Canvas(), Font(), Color(), int(state_), false, Pressed(), alignment_, Focused(),
                 [this](HDC dc, TRect r, UINT f) { DrawCaption(dc, r, f); });
}

// ---------------------------------------------------------------- TRadioButton
TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  SetTabStop(v);
  Invalidate();
  if (!v) return;
  if (TWinControl* p = Parent()) {
    for (int32_t i = 0; i < p->ControlCount(); ++i)
      if (auto* r = dynamic_cast<TRadioButton*>(p->Controls(i)); r && r != this) r->SetChecked(false);
  }
  if (!ClicksDisabled() && !Loading()) Click();
}

void TRadioButton::SetAlignment(TLeftRight v) {
  if (alignment_ == v) return;
  alignment_ = v;
  Invalidate();
}

void TRadioButton::ButtonPressed() { SetChecked(true); }

void TRadioButton::Paint() {
  PaintCheckLike(this, Canvas(), Font(), Color(), checked_ ? 1 : 0, true, Pressed(), alignment_, Focused(),
                 [this](HDC dc, TRect r, UINT f) { DrawCaption(dc, r, f); });
}

void TRadioButton::KeyDown(WORD& Key, TShiftState Shift) {
  TButtonControl::KeyDown(Key, Shift);
  const bool next = Key == VK_DOWN || Key == VK_RIGHT, prev = Key == VK_UP || Key == VK_LEFT;
  if (!(next || prev) || !Parent()) return;
  // The arrows move the check around the group, in the parent's order.
  std::vector<TRadioButton*> group;
  for (int32_t i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); r && r->Visible() && r->Enabled())
      group.push_back(r);
  auto it = std::find(group.begin(), group.end(), this);
  if (it == group.end() || group.size() < 2) return;
  size_t i = size_t(it - group.begin());
  i = next ? (i + 1) % group.size() : (i + group.size() - 1) % group.size();
  TRadioButton* target = group[i];
  Key = 0;
  if (target->CanFocus()) target->SetFocus();
  target->SetChecked(true);
}

void TRadioButton::Dispatch(TMessage& message) {
  if (message.Msg == WM_GETDLGCODE) {
    message.Result = DLGC_BUTTON | DLGC_RADIOBUTTON | DLGC_WANTARROWS;
    return;
  }
  TButtonControl::Dispatch(message);
}

// ---------------------------------------------------------------- TCustomGroupBox
TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable};
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  TMeasureDC m(Font());
  const int32_t h = m.LineHeight();
  Rect.Top += h;
  Rect.Inflate(-2, -2);
}

void TCustomGroupBox::Paint() {
  HDC dc = CanvasDC(Canvas(), Font());
  TRect client = ClientRect();
  FillColorRect(dc, client, Color());
  const std::string caption = Caption();
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  TRect frame{0, tm.tmHeight / 2, client.Right, client.Bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (!caption.empty()) {
    TRect calc{0, 0, client.Width(), 0};
    DrawText(dc, caption, -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    TRect text = Bounds(8, 0, calc.Width() + 2, tm.tmHeight);
    FillColorRect(dc, text, Color());
    text.Left += 1;
    DrawControlText(dc, caption, text, DT_LEFT | DT_SINGLELINE, Font()->Color(), Enabled());
  }
}

void TCustomGroupBox::CMTextChanged(TMessage& m) {
  TCustomControl::CMTextChanged(m);
  Invalidate();
  Realign();
}

void TCustomGroupBox::CMFontChanged(TMessage& m) {
  TCustomControl::CMFontChanged(m);
  Realign();
}

void TCustomGroupBox::CMDialogChar(TMessage& m) {
  if (IsAccel(WORD(m.WParam), Caption()) && CanFocus()) {
    SelectFirst();
    m.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(m);
}
