#include "ui/bars/dxBarDropDownListBox.h"

#include "platform/gdi/gdi.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/lookandfeel/cxControls.h"
#include "ui/lookandfeel/cxGraphics.h"

using namespace win;

// ---------------------------------------------------------------- combo

TCustomdxBarCombo::TCustomdxBarCombo(TComponent* AOwner) : TdxBarItem(AOwner) {
  listBox_ = new TdxBarDropDownListBox(this);
  listBox_->SetCombo(this);
}

void TCustomdxBarCombo::SetItemIndex(int32_t AIndex) {
  if (AIndex < 0 || AIndex >= listBox_->Items()->Count()) AIndex = -1;
  if (AIndex == itemIndex_) return;
  itemIndex_ = AIndex;
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- list box

TdxBarDropDownListBox::TdxBarDropDownListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
  SetBorderStyle(bsNone);
  SetStyle(lbOwnerDrawVariable);
  SetVisible(false);
}

void TdxBarDropDownListBox::CreateParams(TCreateParams& Params) {
  TCustomListBox::CreateParams(Params);
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClassStyle |= CS_SAVEBITS;
}

void TdxBarDropDownListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  // Top-level, so the bar window that holds the combo does not clip it.
  win::SetParent(Handle(), nullptr);
  TMessage m{WM_SETFOCUS, 0, 0};
  DefaultHandler(m);
}

TdxBarPainter* TdxBarDropDownListBox::Painter() const {
  auto* bar = dynamic_cast<TCustomdxBarControl*>(Parent());
  return bar ? bar->Painter() : nullptr;
}

int32_t TdxBarDropDownListBox::BorderSize() const {
  TdxBarPainter* p = Painter();
  return p ? p->DropDownBorderSize() : 0;
}

void TdxBarDropDownListBox::Click() {
  if (ItemIndex() < 0 || !combo_) return;
  if (TdxBarItemLink* link = combo_->GetActiveLink())
    if (auto* control = dynamic_cast<TdxBarComboControl*>(link->Control())) control->SetLocalItemIndex(ItemIndex());
}

void TdxBarDropDownListBox::KeyDown(WORD& Key, TShiftState Shift) {
  // The first arrow key moves on from the first visible entry.
  if (ItemIndex() == -1 && Items()->Count() > 0) SetItemIndex(TopIndex());
  TCustomListBox::KeyDown(Key, Shift);
}

void TdxBarDropDownListBox::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (waitingForCapture_ && HandleAllocated() && GetCapture() == Handle() && ClientRect().Contains({X, Y})) {
    waitingForCapture_ = false;
    // The list's own button-down handling starts its drag selection as if
    // the button had gone down here.
    TMessage down{WM_LBUTTONDOWN, 0, MAKELPARAM(WORD(X), WORD(Y))};
    auto alive = AliveToken();
    TCustomListBox::Dispatch(down);
    if (alive.expired()) return;
  }
  TCustomListBox::MouseMove(Shift, X, Y);
  const int32_t i = ItemAtPos({X, Y}, true);
  if (i >= 0 && i < Items()->Count()) SetItemIndex(i);
}

void TdxBarDropDownListBox::WMLButtonUpHandler(TMessage& m) {
  // The inherited handling gives the capture up, which ends the wait; what
  // counts is whether the button went down on the combo.
  const bool waiting = waitingForCapture_;
  auto alive = AliveToken();
  TCustomListBox::Dispatch(m);
  if (alive.expired()) return;
  if (waiting) {
    waitingForCapture_ = false;
    ReleaseCapture();
    return;
  }
  if (!combo_) return;
  const int32_t i = ItemIndex();
  if (TdxBarItemLink* link = combo_->GetActiveLink()) {
    TdxBarItemLink* source = link->GetSourceLink();
    source->MarkUsed();
    if (TdxBarManager* manager = source->GetBarManager()) manager->CloseActiveBarWindow();
  }
  if (i >= 0) combo_->SetItemIndex(i);
}

void TdxBarDropDownListBox::WMNCPaintHandler(TMessage& m) {
  TCustomListBox::Dispatch(m);
  TdxBarPainter* painter = Painter();
  if (!painter || !HandleAllocated()) return;
  TRect r = GetControlWindowRect(this);
  r = {0, 0, r.Width(), r.Height()};
  const int32_t b = painter->DropDownBorderSize();
  HDC dc = GetWindowDC(Handle());
  TcxPaintCanvas* canvas = PaintCanvas();
  canvas->BeginPaint(dc);
  try {
    canvas->ExcludeClipRect({r.Left + b, r.Top + b, r.Right - b, r.Bottom - b});
    painter->DropDownDrawBorder(dc, Color(), r);
  } catch (...) {
    canvas->EndPaint();
    ReleaseDC(Handle(), dc);
    throw;
  }
  canvas->EndPaint();
  ReleaseDC(Handle(), dc);
}

void TdxBarDropDownListBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_CAPTURECHANGED:
      TCustomListBox::Dispatch(message);
      waitingForCapture_ = false;
      return;
    case WM_ERASEBKGND:
      // The owner-drawn entries cover the client area.
      message.Result = 1;
      return;
    case WM_LBUTTONUP: WMLButtonUpHandler(message); return;
    case WM_NCCALCSIZE: {
      TCustomListBox::Dispatch(message);
      RECT* r = message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                               : reinterpret_cast<RECT*>(message.LParam);
      if (r) {
        const int32_t b = BorderSize();
        *r = {r->Left + b, r->Top + b, r->Right - b, r->Bottom - b};
      }
      return;
    }
    case WM_NCPAINT: WMNCPaintHandler(message); return;
  }
  TCustomListBox::Dispatch(message);
}
