// The view's window messages (other than mouse and keys), its cursor, the
// version text and the per-paint pass that drives the delayed zoom filter.
#include <array>
#include <cmath>

#include "imaging/view/voviderview.h"
#include "platform/gdi/icon.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/timers.h"

namespace {

// A magnifying glass with a plus (zoom in) or a minus (zoom out), hot spot
// at the lens centre. The program has no cursor resources of its own.
win::HCURSOR MakeZoomCursor(bool plus) {
  constexpr int size = 32, cx = 12, cy = 12;
  constexpr uint32_t black = 0xFF000000u, white = 0xFFFFFFFFu;
  std::array<uint32_t, size * size> px{};
  auto put = [&px](int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < size && y < size) px[size_t(y * size + x)] = c;
  };
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x - cx, y - cy);
      if (d >= 7.0 && d < 9.5) put(x, y, d < 8.0 || d >= 9.0 ? white : black);
      else if (d < 7.0) put(x, y, white);
    }
  for (int i = 0; i < 9; ++i)
    for (int t = -1; t <= 1; ++t) put(cx + 7 + i + t, cy + 7 + i, black);
  for (int i = -3; i <= 3; ++i) {
    put(cx + i, cy, black);
    if (plus) put(cx, cy + i, black);
  }
  win::HCURSOR cursor = win::CreateIconFromPixels(size, size, px.data(), nullptr);
  if (cursor) {
    cursor->IsIcon = false;
    cursor->HotX = cx;
    cursor->HotY = cy;
  }
  return cursor;
}

// The cursors 1778 ... 1814 by role: magnifiers for zooming, the hand for
// dragging, the sizing arrows over layer grips, crosses for selecting, the
// four-way arrows while a layer is moved or rotated.
struct TViewCursorTable {
  std::array<win::HCURSOR, 37> Handles{};
  TViewCursorTable() {
    using namespace win;
    auto standard = [](LPCSTR id) { return LoadCursor(nullptr, id); };
    for (auto& h : Handles) h = standard(IDC_CROSS);
    Handles[0] = MakeZoomCursor(false);      // 1778 zoom out
    Handles[1] = MakeZoomCursor(true);       // 1779 zoom in
    Handles[3] = standard(IDC_ARROW);        // 1781 eraser
    Handles[4] = standard(IDC_HAND);         // 1782 hand, dragging to scroll
    Handles[8] = standard(IDC_SIZENWSE);     // 1786
    Handles[9] = standard(IDC_SIZENS);       // 1787
    Handles[10] = standard(IDC_SIZENESW);    // 1788
    Handles[11] = standard(IDC_SIZEWE);      // 1789
    Handles[12] = standard(IDC_SIZEALL);     // 1790 moving a layer
    for (int i = 33; i < 37; ++i) Handles[size_t(i)] = standard(IDC_SIZEALL);  // 1811 ... 1814 rotation
  }
};

}  // namespace

void TVovidErView::LoadViewCursors() {
  static const TViewCursorTable table;
  for (size_t i = 0; i < table.Handles.size(); ++i) Screen->SetCursors(int32_t(crIEZoomOut + i), table.Handles[i]);
}

// ---------------------------------------------------------------- cursor

TCursor TVovidErView::ApplyCursorHandler(TCursor value) {
  if (OnSetCursor) OnSetCursor(this, value);
  return value;
}

void TVovidErView::SetCursor(TCursor value) {
  value = ApplyCursorHandler(value);
  storedCursor_ = value;
  TControl::SetCursor(value);
  shownCursor_ = value;
  win::SetCursor(Screen->Cursors(value));
}

void TVovidErView::ApplyCursor(TCursor value) {
  value = ApplyCursorHandler(value);
  if (!hasOwner_) return;
  TControl::SetCursor(value);
  shownCursor_ = value;
  win::SetCursor(Screen->Cursors(value));
}

void TVovidErView::RestoreCursor() { ApplyCursor(storedCursor_); }

// ---------------------------------------------------------------- messages

void TVovidErView::WndProc(TMessage& m) {
  switch (m.Msg) {
    case win::WM_ERASEBKGND:
      m.Result = 0;
      return;
    case win::WM_SIZE:
      TIEView::WndProc(m);
      if (!insideUpdate_) StopTransitionAndUpdate();
      return;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
      TIEView::WndProc(m);
      Invalidate();
      return;
    case win::WM_HSCROLL:
      TIEView::WndProc(m);
      HandleScrollMessage(m, false);
      return;
    case win::WM_VSCROLL:
      TIEView::WndProc(m);
      HandleScrollMessage(m, true);
      return;
    case IEM_VIEWUPDATE:
      Update();
      return;
    case IEM_VIEWPROGRESS:
      if (onProgress_) onProgress_(this, int32_t(m.WParam));
      return;
    case IEM_VIEWFINISHWORK:
      if (onFinishWork_) onFinishWork_(this);
      return;
    case IEM_DSHOWNEWFRAME:
    case IEM_DSHOWEVENT:
      // DirectShow does not exist on this platform: nothing ever sends these.
      return;
    default:
      break;
  }
  TIEView::WndProc(m);
}

void TVovidErView::HandleScrollMessage(TMessage& m, bool vertical) {
  const win::WORD request = m.WParamLo();
  const int32_t thumb = m.WParamHi();
  const double scale = vertical ? vScrollScale_ : hScrollScale_;
  int32_t code = 0, position = 0;
  switch (request) {
    case win::SB_LINEUP: code = 4; break;
    case win::SB_LINEDOWN: code = 3; break;
    case win::SB_PAGEUP: code = 6; break;
    case win::SB_PAGEDOWN: code = 5; break;
    case win::SB_TOP: code = 2; break;
    case win::SB_BOTTOM: code = 1; break;
    case win::SB_THUMBTRACK:
      if (!(vertical ? vScrollParams_ : hScrollParams_)->Tracking()) return;
      position = IERoundEven(thumb * scale);
      break;
    case win::SB_THUMBPOSITION:
      position = IERoundEven(thumb * scale);
      break;
    default:
      // SB_ENDSCROLL and anything later: stay where the view is.
      position = vertical ? ScrollOriginY() : ScrollOriginX();
      break;
  }
  if (vertical)
    ScrollVertically(code, position);
  else
    ScrollHorizontally(code, position);
}

// ---------------------------------------------------------------- drawing extras

void TVovidErView::DrawVersionText() {
  TCanvas* c = Canvas();
  c->Font()->SetName("Arial");
  c->Font()->SetHeight(13);
  c->Font()->SetColor(clBlack);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clWhite);
  const std::string text = "VovidEr Version " + VovidErVersion() + " - " + std::to_string(29) + "/" +
                           std::to_string(9) + "/" + std::to_string(2011);
  const TSize extent = c->TextExtent(text);
  c->TextOut(GetViewWidth() - extent.cx, GetViewHeight() - extent.cy, text);
}

void TVovidErView::SelectionPass(bool /*fromTimer*/) {
  if (!HasParentWindow()) return;
  // No selection records exist in this build; what remains is the timer and
  // the counters of the delayed zoom filter.
  if (hasOwner_ || Parent()) {
    if (!animationTimer_) {
      animationTimer_ = std::make_unique<TTimer>(nullptr);
      animationTimer_->SetEnabled(false);
      animationTimer_->SetInterval(210);
      animationTimer_->OnTimer = [this](TObject*) { SelectionPass(true); };
    }
    animationTimer_->SetEnabled(filterDelayCounter_ > 0 || settleCounter_ > 0);
  }
  if (filterDelayCounter_ > 0 && --filterDelayCounter_ == 0) Update();
  if (settleCounter_ > 0) --settleCounter_;
}
