// TCustomMemo: many lines, word wrapping, scroll bars, and the Lines list
// that reads and writes the memo's own lines (no copy is kept).
//
// Rows are what the window shows: one per line, or several per line when
// WordWrap breaks it at the window's width. Only the rows in view are drawn,
// so a long read-only text costs nothing beyond its rows.
#include <algorithm>

#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/text.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/stdctrlspaint.h"

using namespace win;

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
constexpr int32_t kTextMargin = 2;
}  // namespace

// The memo's lines as a string list. A final empty line (the text ends with
// a line break) is not counted, as the framework's memo does.
class TMemoStrings : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}

  void Clear() override {
    Lines().assign(1, std::string());
    Changed();
  }
  void Delete(int32_t index) override {
    Check(index);
    auto& l = Lines();
    // The line goes with the break after it; the last line only loses its text.
    if (size_t(index) + 1 < l.size()) l.erase(l.begin() + index);
    else l[size_t(index)].clear();
    Changed();
  }
  void Insert(int32_t index, const std::string& s) override {
    if (index < 0 || index > GetCount()) Error("List index out of bounds (%d)", index);
    // Before a final empty line the text keeps ending with a break; after a
    // last line without one, none is added (the framework's memo does the same).
    std::vector<std::string> parts = Split(s);
    auto& l = Lines();
    l.insert(l.begin() + index, parts.begin(), parts.end());
    Changed();
  }

protected:
  std::string Get(int32_t index) const override {
    Check(index);
    return memo_->editor_.Buffer().Line(index);
  }
  int32_t GetCount() const override {
    const auto& l = memo_->editor_.Buffer().Lines();
    return int32_t(l.size()) - (l.back().empty() ? 1 : 0);
  }
  void Put(int32_t index, const std::string& s) override {
    Check(index);
    std::vector<std::string> parts = Split(s);
    auto& l = Lines();
    l[size_t(index)] = parts[0];
    l.insert(l.begin() + index + 1, parts.begin() + 1, parts.end());
    Changed();
  }
  void SetTextStr(const std::string& s) override {
    memo_->editor_.SetText(s);
    Changed();
  }
  std::string GetTextStr() const override { return TStrings::GetTextStr(); }
  void SetUpdateState(bool updating) override {
    if (!updating && dirty_) {
      dirty_ = false;
      memo_->LinesChanged();
    }
  }

private:
  std::vector<std::string>& Lines() { return memo_->editor_.Buffer().Lines(); }
  void Check(int32_t index) const {
    if (index < 0 || index >= GetCount()) Error("List index out of bounds (%d)", index);
  }
  static std::vector<std::string> Split(const std::string& s) {
    TTextBuffer b(true);
    b.SetText(s);
    return b.Lines();
  }
  void Changed() {
    if (UpdateCount() > 0) dirty_ = true;
    else memo_->LinesChanged();
  }

  TCustomMemo* memo_;
  bool dirty_ = false;
};

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner, true) {
  lines_ = std::make_unique<TMemoStrings>(this);
  SetAutoSelect(false);
  SetBounds(Left(), Top(), 185, 89);
  for (TScrollBarPart* bar : {&vbar_, &hbar_}) {
    const bool vertical = bar == &vbar_;
    bar->Vertical = vertical;
    bar->OnScroll = [this, vertical](TScrollCode code, int32_t pos) { ScrollBarScrolled(vertical, code, pos); };
  }
  hbar_.SmallChange = 8;
}

TCustomMemo::~TCustomMemo() = default;

TStrings* TCustomMemo::Lines() { return lines_.get(); }

void TCustomMemo::SetLines(TStrings* v) { lines_->Assign(v); }

void TCustomMemo::SetScrollBars(TScrollStyle v) {
  if (scrollBars_ == v) return;
  scrollBars_ = v;
  InvalidateRows();
  ScrollCaret();
}

void TCustomMemo::SetWordWrap(bool v) {
  if (wordWrap_ == v) return;
  wordWrap_ = v;
  scrollX_ = 0;
  InvalidateRows();
  ScrollCaret();
}

void TCustomMemo::SetAlignment(TAlignment v) {
  if (alignment_ == v) return;
  alignment_ = v;
  Invalidate();
}

void TCustomMemo::SetCaretPos(TPoint p) {
  editor_.SetCaret({p.Y, p.X}, false);
  ScrollCaret();
}

void TCustomMemo::LinesChanged() {
  InvalidateRows();
  maxWidthCache_ = -1;
  editor_.SetCaret(editor_.Caret(), false);
  ScrollCaret();
  if (!Loading()) Change();
}

void TCustomMemo::Change() {
  InvalidateRows();
  maxWidthCache_ = -1;
  TCustomEdit::Change();
}

void TCustomMemo::CMFontChanged(TMessage& m) {
  InvalidateRows();
  maxWidthCache_ = -1;
  TCustomEdit::CMFontChanged(m);
}

void TCustomMemo::Resize() {
  InvalidateRows();
  TCustomEdit::Resize();
}

// ---------------------------------------------------------------- rows
TRect TCustomMemo::TextRect() {
  TRect r = ClientRect();
  const int32_t bw = GetSystemMetrics(SM_CXVSCROLL), bh = GetSystemMetrics(SM_CYHSCROLL);
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) r.Right -= bw;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) r.Bottom -= bh;
  r.Left += kTextMargin;
  r.Right -= kTextMargin;
  r.Top += 1;
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}

void TCustomMemo::BuildRows() {
  const TRect tr = TextRect();
  const int32_t width = tr.Width();
  if (rowsValid_ && (!wordWrap_ || width == rowsWidth_)) return;
  rows_.clear();
  const TTextBuffer& buf = editor_.Buffer();
  rows_.reserve(size_t(buf.LineCount()));
  TMeasureDC m(Font());
  std::vector<int> dx;
  for (int32_t i = 0; i < buf.LineCount(); ++i) {
    const int32_t len = buf.LineLength(i);
    if (!wordWrap_ || len == 0 || width <= 0) {
      rows_.push_back({i, 0, len});
      continue;
    }
    const std::string line = DisplayLine(i);
    const std::u32string cps = Utf8ToUtf32(line);
    dx.assign(size_t(len), 0);
    SIZE sz;
    int fit = 0;
    GetTextExtentExPoint(m.Handle(), line, -1, 0, &fit, dx.data(), &sz);
    int32_t start = 0;
    while (start < len) {
      const int base = start > 0 ? dx[size_t(start - 1)] : 0;
      int32_t end = start;
      while (end < len && dx[size_t(end)] - base <= width) ++end;
      if (end == len) {
        rows_.push_back({i, start, len});
        break;
      }
      if (end == start) end = start + 1;  // a character wider than the window gets a row of its own
      // Break after the last blank in the row; blanks right after the break hang at its end.
      int32_t brk = end;
      while (brk < len && cps[size_t(brk)] == U' ') ++brk;
      if (brk == end) {
        int32_t b = end;
        while (b > start && cps[size_t(b - 1)] != U' ') --b;
        if (b > start) brk = b;
      }
      rows_.push_back({i, start, brk});
      start = brk;
    }
  }
  if (rows_.empty()) rows_.push_back({0, 0, 0});
  rowsValid_ = true;
  rowsWidth_ = width;
}

int32_t TCustomMemo::RowCount() {
  BuildRows();
  return int32_t(rows_.size());
}

int32_t TCustomMemo::VisibleRows() {
  const int32_t lh = std::max(1, LineHeight());
  return std::max(1, TextRect().Height() / lh);
}

int32_t TCustomMemo::RowOf(TTextPos p) {
  BuildRows();
  p = editor_.Buffer().Clamp(p);
  // The last row that starts at or before the position.
  auto it = std::upper_bound(rows_.begin(), rows_.end(), p, [](const TTextPos& pos, const Row& r) {
    return pos.Line < r.Line || (pos.Line == r.Line && pos.Col < r.Start);
  });
  if (it == rows_.begin()) return 0;
  return int32_t(it - rows_.begin()) - 1;
}

int32_t TCustomMemo::MaxLineWidth() {
  if (maxWidthCache_ >= 0) return maxWidthCache_;
  TMeasureDC m(Font());
  int32_t w = 0;
  for (int32_t i = 0; i < editor_.Buffer().LineCount(); ++i) w = std::max(w, ColumnX(m.Handle(), i, INT32_MAX));
  maxWidthCache_ = w;
  return w;
}

void TCustomMemo::SetTopRow(int32_t row) {
  const int32_t top = std::clamp(row, 0, std::max(0, RowCount() - VisibleRows()));
  if (top == topRow_) return;
  topRow_ = top;
  LayoutScrollBars();
  UpdateCaret();
  Invalidate();
}

void TCustomMemo::ScrollLines(int32_t rows) { SetTopRow(topRow_ + rows); }

void TCustomMemo::LayoutScrollBars() {
  const TRect client = ClientRect();
  const int32_t bw = GetSystemMetrics(SM_CXVSCROLL), bh = GetSystemMetrics(SM_CYHSCROLL);
  const bool v = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  const bool h = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  vbar_.Bounds = v ? TRect{client.Right - bw, 0, client.Right, client.Bottom - (h ? bh : 0)} : TRect{};
  hbar_.Bounds = h ? TRect{0, client.Bottom - bh, client.Right - (v ? bw : 0), client.Bottom} : TRect{};
  if (v) {
    vbar_.Min = 0;
    vbar_.Max = std::max(0, RowCount() - 1);
    vbar_.PageSize = VisibleRows();
    vbar_.LargeChange = std::max(1, VisibleRows() - 1);
    vbar_.Position = topRow_;
  }
  if (h) {
    const int32_t page = std::max(1, TextRect().Width());
    hbar_.Min = 0;
    hbar_.Max = wordWrap_ ? 0 : std::max(0, MaxLineWidth());
    hbar_.PageSize = page;
    hbar_.LargeChange = page;
    hbar_.Position = scrollX_;
  }
}

void TCustomMemo::ScrollBarScrolled(bool vertical, TScrollCode code, int32_t pos) {
  if (code == scEndScroll) return;
  if (vertical) {
    SetTopRow(pos);
  } else if (pos != scrollX_) {
    scrollX_ = pos;
    LayoutScrollBars();
    UpdateCaret();
    Invalidate();
  }
}

// ---------------------------------------------------------------- positions
TTextPos TCustomMemo::PosAtPoint(TPoint p) {
  BuildRows();
  const TRect tr = TextRect();
  const int32_t lh = std::max(1, LineHeight());
  const int32_t dy = p.Y - tr.Top;
  int32_t r = topRow_ + (dy < 0 ? -1 - (-dy - 1) / lh : dy / lh);
  r = std::clamp(r, 0, int32_t(rows_.size()) - 1);
  const Row& row = rows_[size_t(r)];
  TMeasureDC m(Font());
  const int32_t x0 = tr.Left - scrollX_ + ColumnX(m.Handle(), row.Line, row.Start);
  int32_t col = ColumnAtX(m.Handle(), row.Line, p.X - x0 + ColumnX(m.Handle(), row.Line, row.Start));
  col = std::clamp(col, row.Start, row.End);
  // The end of a wrapped row is the start of the next; stay on this row.
  if (col == row.End && size_t(r) + 1 < rows_.size() && rows_[size_t(r) + 1].Line == row.Line && row.End > row.Start)
    col = row.End - 1;
  return {row.Line, col};
}

TPoint TCustomMemo::PointOfPos(TTextPos p) {
  const int32_t r = RowOf(p);
  const Row& row = rows_[size_t(r)];
  const TRect tr = TextRect();
  TMeasureDC m(Font());
  const int32_t lh = m.LineHeight();
  const int32_t x = ColumnX(m.Handle(), row.Line, std::min(p.Col, row.End)) - ColumnX(m.Handle(), row.Line, row.Start);
  return {tr.Left - scrollX_ + x, tr.Top + (r - topRow_) * lh};
}

void TCustomMemo::ScrollCaret() {
  BuildRows();
  const int32_t r = RowOf(editor_.Caret());
  const int32_t visible = VisibleRows();
  int32_t top = topRow_;
  if (r < top) top = r;
  else if (r >= top + visible) top = r - visible + 1;
  topRow_ = std::clamp(top, 0, std::max(0, int32_t(rows_.size()) - visible));
  if (!wordWrap_) {
    TMeasureDC m(Font());
    const TTextPos c = editor_.Caret();
    const int32_t x = ColumnX(m.Handle(), c.Line, c.Col);
    const int32_t width = std::max(1, TextRect().Width());
    if (x - scrollX_ < 0) scrollX_ = std::max(0, x - width / 4);
    else if (x - scrollX_ >= width) scrollX_ = x - width + width / 4;
  } else {
    scrollX_ = 0;
  }
  LayoutScrollBars();
  UpdateCaret();
  Invalidate();
}

// ---------------------------------------------------------------- painting
void TCustomMemo::PaintText(HDC dc) {
  BuildRows();
  const TRect tr = TextRect();
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  const int32_t lh = std::max(1, int32_t(tm.tmHeight));
  const bool showSel = editor_.HasSelection() && (Focused() || !HideSelection());
  const TTextPos sa = editor_.SelBegin(), sb = editor_.SelEnd();
  SetBkMode(dc, TRANSPARENT);
  const COLORREF textColor = ColorToColorRef(Enabled() ? Font()->Color() : clGrayText);
  const int32_t last = std::min(int32_t(rows_.size()), topRow_ + tr.Height() / lh + 2);
  std::string lineText;
  int32_t lineOf = -1;
  for (int32_t r = topRow_; r < last; ++r) {
    const Row& row = rows_[size_t(r)];
    if (row.Line != lineOf) {
      lineText = DisplayLine(row.Line);
      lineOf = row.Line;
    }
    const int32_t y = tr.Top + (r - topRow_) * lh;
    auto piece = [&](int32_t from, int32_t to) {
      const size_t bf = CpByteOffset(lineText, from), bt = CpByteOffset(lineText, to);
      return std::string_view(lineText).substr(bf, bt - bf);
    };
    auto xOf = [&](int32_t col) {
      SIZE s;
      GetTextExtentPoint32(dc, piece(row.Start, col), -1, &s);
      return s.cx;
    };
    int32_t x0 = tr.Left - scrollX_;
    if (alignment_ != taLeftJustify && scrollX_ == 0) {
      const int32_t w = xOf(row.End);
      x0 += alignment_ == taRightJustify ? tr.Width() - w : (tr.Width() - w) / 2;
    }
    SetTextColor(dc, textColor);
    TextOut(dc, x0, y, piece(row.Start, row.End));
    if (!showSel) continue;
    // The part of the selection on this row.
    const TTextPos rs{row.Line, row.Start}, re{row.Line, row.End};
    const TTextPos a = sa < rs ? rs : sa, b = re < sb ? re : sb;
    if (!(a < b)) continue;
    const int32_t xa = x0 + xOf(a.Col), xb = x0 + xOf(b.Col);
    TRect sel{xa, y, xb, y + lh};
    FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    TextOut(dc, xa, y, piece(a.Col, b.Col));
  }
  // The scroll bars lie outside the text clip: paint them on a fresh clip.
  if (!vbar_.Bounds.IsEmpty() || !hbar_.Bounds.IsEmpty()) {
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, nullptr);
    LayoutScrollBars();
    vbar_.Paint(dc);
    hbar_.Paint(dc);
    if (!vbar_.Bounds.IsEmpty() && !hbar_.Bounds.IsEmpty()) {
      TRect corner{vbar_.Bounds.Left, hbar_.Bounds.Top, vbar_.Bounds.Right, hbar_.Bounds.Bottom};
      FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    RestoreDC(dc, saved);
  }
}

// ---------------------------------------------------------------- keyboard
bool TCustomMemo::AcceptsChar(char32_t ch) const {
  if (ch == '\r') return WantReturns();
  if (ch == '\t') return WantTabs();
  return TCustomEdit::AcceptsChar(ch);
}

void TCustomMemo::KeyPress(char16_t& Key) {
  // Enter inserts a line break; a lone line feed (Ctrl+Enter) does too.
  if (Key == u'\n') Key = u'\r';
  TCustomEdit::KeyPress(Key);
}

bool TCustomMemo::NavigateKey(WORD key, TShiftState shift) {
  const bool extend = shift.Contains(ssShift);
  int32_t rows = 0;
  switch (key) {
    case VK_UP: rows = -1; break;
    case VK_DOWN: rows = 1; break;
    case VK_PRIOR: rows = -VisibleRows(); break;
    case VK_NEXT: rows = VisibleRows(); break;
    default:
      caretX_ = -1;
      if (shift.Contains(ssCtrl) && (key == VK_HOME || key == VK_END)) return false;
      return false;
  }
  if (shift.Contains(ssCtrl) && (key == VK_UP || key == VK_DOWN)) {
    ScrollLines(rows);
    return true;
  }
  BuildRows();
  TMeasureDC m(Font());
  const TTextPos c = editor_.Caret();
  const int32_t r = RowOf(c);
  const Row& row = rows_[size_t(r)];
  if (caretX_ < 0) caretX_ = ColumnX(m.Handle(), c.Line, c.Col) - ColumnX(m.Handle(), row.Line, row.Start);
  const int32_t target = std::clamp(r + rows, 0, int32_t(rows_.size()) - 1);
  const Row& t = rows_[size_t(target)];
  int32_t col = ColumnAtX(m.Handle(), t.Line, caretX_ + ColumnX(m.Handle(), t.Line, t.Start));
  col = std::clamp(col, t.Start, t.End);
  if (col == t.End && size_t(target) + 1 < rows_.size() && rows_[size_t(target) + 1].Line == t.Line &&
      t.End > t.Start)
    col = t.End - 1;
  if (key == VK_PRIOR || key == VK_NEXT) topRow_ = std::clamp(topRow_ + rows, 0, std::max(0, RowCount() - VisibleRows()));
  const int32_t keepX = caretX_;
  editor_.SetCaret({t.Line, col}, extend);
  ScrollCaret();
  caretX_ = keepX;
  return true;
}

void TCustomMemo::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_SETTEXT:
      // Text set while loading fires no change: the rows must still follow it.
      InvalidateRows();
      maxWidthCache_ = -1;
      break;
    case WM_GETDLGCODE:
      message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
      if (wantReturns_) message.Result |= DLGC_WANTALLKEYS;
      if (wantTabs_) message.Result |= DLGC_WANTTAB;
      return;
    case WM_TIMER:
      if (message.WParam == kRepeatTimer) {
        if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, TScrollBarPart::RepeatInterval, nullptr);
        vbar_.Repeat();
        hbar_.Repeat();
        return;
      }
      break;
  }
  TCustomEdit::Dispatch(message);
}

// ---------------------------------------------------------------- mouse
void TCustomMemo::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft) {
    LayoutScrollBars();
    for (TScrollBarPart* bar : {&vbar_, &hbar_}) {
      if (!bar->Bounds.Contains({X, Y})) continue;
      if (!Focused() && CanFocus()) SetFocus();
      barCaptured_ = true;
      bar->MouseDown({X, Y});
      if (bar->Pressed() && HandleAllocated()) SetTimer(Handle(), kRepeatTimer, TScrollBarPart::RepeatDelay, nullptr);
      Invalidate();
      return;
    }
  }
  TCustomEdit::MouseDown(Button, Shift, X, Y);
}

void TCustomMemo::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (barCaptured_) {
    vbar_.MouseMove({X, Y});
    hbar_.MouseMove({X, Y});
    Invalidate();
    return;
  }
  TCustomEdit::MouseMove(Shift, X, Y);
}

void TCustomMemo::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (barCaptured_ && Button == mbLeft) {
    barCaptured_ = false;
    if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
    vbar_.MouseUp({X, Y});
    hbar_.MouseUp({X, Y});
    Invalidate();
    return;
  }
  TCustomEdit::MouseUp(Button, Shift, X, Y);
}

bool TCustomMemo::DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) {
  if (TCustomEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int32_t notches = WheelDelta / WHEEL_DELTA;
  if (notches == 0) return false;
  if (lines == WHEEL_PAGESCROLL) ScrollLines(-notches * VisibleRows());
  else ScrollLines(-notches * int32_t(lines));
  return true;
}
