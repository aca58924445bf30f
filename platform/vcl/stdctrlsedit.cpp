// TCustomEdit: the single-line edit (typing, selection by keys and mouse,
// the caret, the clipboard), drawn and hit-tested through virtual steps that
// the memo replaces for many lines.
#include <algorithm>

#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/text.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/stdctrlspaint.h"

using namespace win;

namespace {

constexpr int32_t kTextMargin = 2;

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }

}  // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner, false) {}

TCustomEdit::TCustomEdit(TComponent* AOwner, bool multiLine) : TCustomControl(AOwner), editor_(multiLine) {
  controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  if (!multiLine) controlStyle_.Include(csFixedHeight);
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  SetCursor(crIBeam);
  AdjustHeight();
}

TCustomEdit::~TCustomEdit() {
  if (caretShown_) HideCaretNow();
}

// ---------------------------------------------------------------- properties
void TCustomEdit::SetReadOnly(bool v) {
  if (readOnly_ == v) return;
  readOnly_ = v;
  Invalidate();
}

void TCustomEdit::SetPasswordChar(char16_t v) {
  if (passwordChar_ == v) return;
  passwordChar_ = v;
  ScrollCaret();
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
  if (charCase_ == v) return;
  charCase_ = v;
  if (v != ecNormal) {
    const TTextPos caret = editor_.Caret(), anchor = editor_.Anchor();
    editor_.SetText(ApplyCase(editor_.Text()));
    editor_.SetCaret(anchor, false);
    editor_.SetCaret(caret, true);
    Change();
  }
  Invalidate();
}

std::string TCustomEdit::ApplyCase(const std::string& s) const {
  switch (charCase_) {
    case ecUpperCase: return CpUpperCase(s);
    case ecLowerCase: return CpLowerCase(s);
    default: return s;
  }
}

void TCustomEdit::SetAutoSize(bool v) {
  if (autoSize_ == v) return;
  autoSize_ = v;
  AdjustHeight();
}

void TCustomEdit::SetHideSelection(bool v) {
  if (hideSelection_ == v) return;
  hideSelection_ = v;
  Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  if (borderStyle_ == v) return;
  borderStyle_ = v;
  RecreateWnd();
  AdjustHeight();
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

int32_t TCustomEdit::LineHeight() {
  if (lineHeight_ <= 0) {
    TMeasureDC m(Font());
    lineHeight_ = m.LineHeight();
  }
  return lineHeight_;
}

void TCustomEdit::AdjustHeight() {
  if (!autoSize_ || editor_.Buffer().MultiLine() || Loading()) return;
  const int32_t frame = borderStyle_ == bsSingle ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
  SetHeight(LineHeight() + 2 * kTextMargin + frame);
}

void TCustomEdit::Loaded() {
  TCustomControl::Loaded();
  AdjustHeight();
}

// ---------------------------------------------------------------- text and selection
std::string TCustomEdit::GetText() { return editor_.Text(); }

void TCustomEdit::SetTextValue(const std::string& value) {
  if (value == editor_.Text()) return;
  SetTextBuf(value.c_str());
}

void TCustomEdit::WMSetText(TMessage& m) {
  const char* s = m.LParam ? reinterpret_cast<const char*>(m.LParam) : "";
  editor_.SetText(ApplyCase(s));
  scrollX_ = 0;
  TCustomControl::WMSetText(m);
}

void TCustomEdit::WMGetText(TMessage& m) {
  auto* buf = reinterpret_cast<char*>(m.LParam);
  if (!buf || m.WParam == 0) {
    m.Result = 0;
    return;
  }
  const std::string text = editor_.Text();
  size_t n = std::min(text.size(), size_t(m.WParam) - 1);
  while (n > 0 && n < text.size() && (uint8_t(text[n]) & 0xC0) == 0x80) --n;
  std::copy_n(text.data(), n, buf);
  buf[n] = 0;
  m.Result = LRESULT(n);
}

void TCustomEdit::WMGetTextLength(TMessage& m) { m.Result = LRESULT(editor_.Text().size()); }

void TCustomEdit::CMTextChanged(TMessage& m) {
  TCustomControl::CMTextChanged(m);
  modified_ = false;
  ScrollCaret();
  if (!Loading()) Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::UserChanged() {
  modified_ = true;
  ScrollCaret();
  Change();
}

void TCustomEdit::SetSelStart(int32_t v) {
  editor_.SetSelection(v, 0);
  ScrollCaret();
}

void TCustomEdit::SetSelLength(int32_t v) {
  editor_.SetSelection(editor_.SelStart(), v);
  ScrollCaret();
}

void TCustomEdit::SetSelText(const std::string& v) {
  if (editor_.ReplaceSelection(ApplyCase(v))) UserChanged();
}

void TCustomEdit::SelectAll() {
  editor_.SelectAll();
  ScrollCaret();
}

void TCustomEdit::ClearSelection() {
  if (editor_.HasSelection() && editor_.ReplaceSelection({})) UserChanged();
}

void TCustomEdit::Clear() { SetText(""); }

void TCustomEdit::CopyToClipboard() {
  // A password is never copied out.
  if (passwordChar_ || !editor_.HasSelection()) return;
  ClipboardSetText(HandleAllocated() ? Handle() : nullptr, editor_.SelText());
}

void TCustomEdit::CutToClipboard() {
  if (readOnly_ || passwordChar_ || !editor_.HasSelection()) return;
  CopyToClipboard();
  ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
  if (readOnly_) return;
  std::string text;
  if (!ClipboardGetText(HandleAllocated() ? Handle() : nullptr, text)) return;
  if (numbersOnly_) {
    for (char c : text)
      if (!IsDigit(char32_t(c))) return;
  }
  if (editor_.ReplaceSelection(ApplyCase(text))) UserChanged();
}

// ---------------------------------------------------------------- geometry
TRect TCustomEdit::TextRect() {
  TRect r = ClientRect();
  r.Left += kTextMargin;
  r.Right -= kTextMargin;
  return r;
}

std::string TCustomEdit::DisplayLine(int32_t line) const {
  const std::string& s = editor_.Buffer().Line(line);
  if (!passwordChar_) return s;
  std::string one = CodePointToUtf8(char32_t(passwordChar_));
  std::string out;
  const int32_t n = CpLength(s);
  out.reserve(size_t(n) * one.size());
  for (int32_t i = 0; i < n; ++i) out += one;
  return out;
}

int32_t TCustomEdit::ColumnX(HDC dc, int32_t line, int32_t col) const {
  if (col <= 0) return 0;
  const std::string s = DisplayLine(line);
  SIZE sz;
  GetTextExtentPoint32(dc, std::string_view(s).substr(0, CpByteOffset(s, col)), -1, &sz);
  return sz.cx;
}

int32_t TCustomEdit::ColumnAtX(HDC dc, int32_t line, int32_t x) const {
  const std::string s = DisplayLine(line);
  const int32_t n = CpLength(s);
  if (n == 0 || x <= 0) return 0;
  std::vector<int> dx(static_cast<size_t>(n));
  SIZE sz;
  int fit = 0;
  GetTextExtentExPoint(dc, s, -1, 0, &fit, dx.data(), &sz);
  // The nearest boundary between characters.
  int prev = 0;
  for (int32_t i = 0; i < n; ++i) {
    if (x < dx[size_t(i)]) return (x - prev < dx[size_t(i)] - x) ? i : i + 1;
    prev = dx[size_t(i)];
  }
  return n;
}

TTextPos TCustomEdit::PosAtPoint(TPoint p) {
  TMeasureDC m(Font());
  const TRect tr = TextRect();
  return {0, ColumnAtX(m.Handle(), 0, p.X - tr.Left + scrollX_)};
}

TPoint TCustomEdit::PointOfPos(TTextPos p) {
  TMeasureDC m(Font());
  const TRect tr = TextRect();
  const int32_t lh = m.LineHeight();
  return {tr.Left - scrollX_ + ColumnX(m.Handle(), 0, p.Col), tr.Top + (tr.Height() - lh) / 2};
}

void TCustomEdit::ScrollCaret() {
  if (!editor_.Buffer().MultiLine()) {
    TMeasureDC m(Font());
    const TRect tr = TextRect();
    const int32_t x = ColumnX(m.Handle(), 0, editor_.Caret().Col);
    const int32_t full = ColumnX(m.Handle(), 0, editor_.Buffer().LineLength(0));
    const int32_t width = std::max(1, tr.Width());
    if (x - scrollX_ < 0) scrollX_ = x;
    else if (x - scrollX_ >= width) scrollX_ = x - width + 1;
    // Do not leave empty room on the right when the text got shorter.
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, full - width + 1));
  }
  UpdateCaret();
  Invalidate();
}

// ---------------------------------------------------------------- caret
void TCustomEdit::ShowCaretNow() {
  if (!HandleAllocated()) return;
  CreateCaret(Handle(), nullptr, 1, LineHeight());
  caretShown_ = true;
  UpdateCaret();
  ShowCaret(Handle());
}

void TCustomEdit::HideCaretNow() {
  caretShown_ = false;
  DestroyCaret();
}

void TCustomEdit::UpdateCaret() {
  if (!caretShown_ || !HandleAllocated()) return;
  const TPoint p = PointOfPos(editor_.Caret());
  SetCaretPos(p.X, p.Y);
}

void TCustomEdit::WMSetFocus(TMessage& m) {
  TCustomControl::WMSetFocus(m);
  ShowCaretNow();
  if (autoSelect_ && !mouseFocus_ && !editor_.Buffer().MultiLine()) editor_.SelectAll();
  ScrollCaret();
}

void TCustomEdit::WMKillFocus(TMessage& m) {
  TCustomControl::WMKillFocus(m);
  HideCaretNow();
  Invalidate();
}

void TCustomEdit::CMFontChanged(TMessage& m) {
  lineHeight_ = 0;
  TCustomControl::CMFontChanged(m);
  AdjustHeight();
  if (caretShown_) ShowCaretNow();
  ScrollCaret();
}

void TCustomEdit::CMEnabledChanged(TMessage& m) {
  TCustomControl::CMEnabledChanged(m);
  Invalidate();
}

void TCustomEdit::Resize() {
  TCustomControl::Resize();
  ScrollCaret();
}

// ---------------------------------------------------------------- painting
void TCustomEdit::Paint() {
  Canvas()->Font()->Assign(Font());
  HDC dc = Canvas()->Handle();
  Canvas()->RequiredState({csHandleValid, csFontValid});
  FillColorRect(dc, ClientRect(), Enabled() ? Color() : clBtnFace);
  const int saved = SaveDC(dc);
  const TRect tr = TextRect();
  IntersectClipRect(dc, tr.Left, tr.Top, tr.Right, tr.Bottom);
  PaintText(dc);
  RestoreDC(dc, saved);
}

void TCustomEdit::PaintText(HDC dc) {
  const TRect tr = TextRect();
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  const int32_t y = tr.Top + (tr.Height() - tm.tmHeight) / 2;
  const std::string line = DisplayLine(0);
  const int32_t len = CpLength(line);
  const bool showSel = editor_.HasSelection() && (Focused() || !hideSelection_);
  const int32_t a = showSel ? editor_.SelBegin().Col : len, b = showSel ? editor_.SelEnd().Col : len;
  const int32_t x0 = tr.Left - scrollX_;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToColorRef(Enabled() ? Font()->Color() : clGrayText));
  auto piece = [&](int32_t from, int32_t to) {
    const size_t bf = CpByteOffset(line, from), bt = CpByteOffset(line, to);
    return std::string_view(line).substr(bf, bt - bf);
  };
  TextOut(dc, x0, y, piece(0, a));
  TextOut(dc, x0 + ColumnX(dc, 0, b), y, piece(b, len));
  if (a < b) {
    const int32_t xa = x0 + ColumnX(dc, 0, a), xb = x0 + ColumnX(dc, 0, b);
    TRect sel{xa, y, xb, y + tm.tmHeight};
    FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    TextOut(dc, xa, y, piece(a, b));
  }
}

// ---------------------------------------------------------------- keyboard
bool TCustomEdit::AcceptsChar(char32_t ch) const {
  if (ch < 32 || ch == 127) return false;
  if (numbersOnly_ && !IsDigit(ch)) return false;
  return true;
}

void TCustomEdit::Dispatch(TMessage& message) {
  if (message.Msg == WM_GETDLGCODE) {
    message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    return;
  }
  TCustomControl::Dispatch(message);
}

void TCustomEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool shift = Shift.Contains(ssShift), ctrl = Shift.Contains(ssCtrl);
  if (NavigateKey(Key, Shift)) {
    Key = 0;
    return;
  }
  bool handled = true;
  switch (Key) {
    case VK_LEFT: editor_.Move(ctrl ? cmWordLeft : cmCharLeft, shift); break;
    case VK_RIGHT: editor_.Move(ctrl ? cmWordRight : cmCharRight, shift); break;
    case VK_HOME: editor_.Move(ctrl ? cmTextStart : cmLineStart, shift); break;
    case VK_END: editor_.Move(ctrl ? cmTextEnd : cmLineEnd, shift); break;
    case VK_DELETE:
      if (shift) CutToClipboard();
      else if (!readOnly_ && editor_.DeleteForward(ctrl)) UserChanged();
      break;
    case VK_INSERT:
      if (ctrl) CopyToClipboard();
      else if (shift) PasteFromClipboard();
      else handled = false;
      break;
    default:
      handled = false;
      if (ctrl && !Shift.Contains(ssAlt)) {
        handled = true;
        switch (Key) {
          case 'A': editor_.SelectAll(); break;
          case 'C': CopyToClipboard(); break;
          case 'X': CutToClipboard(); break;
          case 'V': PasteFromClipboard(); break;
          default: handled = false;
        }
      }
  }
  if (handled) {
    ScrollCaret();
    Key = 0;
  }
}

void TCustomEdit::KeyPress(char16_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  char32_t ch = Key;
  // A character beyond the first plane arrives as two halves.
  if (Key >= 0xD800 && Key < 0xDC00) {
    pendingHigh_ = Key;
    return;
  }
  if (Key >= 0xDC00 && Key < 0xE000) {
    if (!pendingHigh_) return;
    ch = 0x10000 + ((char32_t(pendingHigh_) - 0xD800) << 10) + (char32_t(Key) - 0xDC00);
    pendingHigh_ = 0;
  }
  if (ch == 8 || ch == 127) {
    // Backspace; Ctrl+Backspace (127) takes the word.
    if (!readOnly_ && editor_.Backspace(ch == 127)) UserChanged();
    return;
  }
  if (readOnly_ || !AcceptsChar(ch)) return;
  std::string text = ch == '\r' ? std::string("\r\n") : CodePointToUtf8(ch);
  if (editor_.ReplaceSelection(ApplyCase(text))) UserChanged();
}

// ---------------------------------------------------------------- mouse
void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft) {
    if (!Focused() && CanFocus()) {
      mouseFocus_ = true;
      SetFocus();
      mouseFocus_ = false;
    }
    if (!Shift.Contains(ssDouble)) {
      editor_.SetCaret(PosAtPoint({X, Y}), Shift.Contains(ssShift));
      selecting_ = true;
      ScrollCaret();
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomEdit::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (selecting_ && MouseCapture()) {
    const TTextPos p = PosAtPoint({X, Y});
    if (!(p == editor_.Caret())) {
      editor_.SetCaret(p, true);
      ScrollCaret();
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft) selecting_ = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomEdit::DblClick() {
  // A double click selects the word under the caret.
  auto alive = AliveToken();
  TCustomControl::DblClick();
  if (alive.expired()) return;
  editor_.SelectWordAt(editor_.Caret());
  selecting_ = false;
  ScrollCaret();
}
