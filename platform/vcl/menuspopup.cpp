// The classic popup menu window and the modal tracking loop behind
// TrackMenuPopup.
//
// One window per open level: the menu itself, then each open sub-menu to
// the right of its item (left when the screen ends). The loop owns the
// mouse (capture on the first level) and reads every key of the thread, so
// the focus never moves while the menu is open.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/text.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/stdctrlspaint.h"

using namespace win;

namespace {

constexpr int32_t kFrame = 3;         // the raised border
constexpr int32_t kSeparatorHeight = 9;
constexpr int32_t kArrowWidth = 16;

TFont* MenuFont() {
  static TFont fallback;
  return Screen ? Screen->MenuFont() : &fallback;
}

// One level of an open menu.
class TMenuPopupWindow : public TCustomControl {
public:
  TMenuPopupWindow(TMenuItem* parentItem, TCustomImageList* images)
      : TCustomControl(nullptr), parentItem_(parentItem), images_(images) {
    controlStyle_ = {};
    SetVisible(false);
    for (int32_t i = 0; i < parentItem->Count(); ++i)
      if (parentItem->Items(i)->Visible()) items_.push_back(parentItem->Items(i));
    Measure();
  }

  TMenuItem* ParentItem() const { return parentItem_; }
  const std::vector<TMenuItem*>& Entries() const { return items_; }
  int32_t Highlight() const { return highlight_; }

  void SetHighlight(int32_t i) {
    if (i == highlight_) return;
    highlight_ = i;
    Invalidate();
    if (HandleAllocated()) UpdateWindow(Handle());
  }

  bool Selectable(int32_t i) const { return i >= 0 && i < int32_t(items_.size()) && !items_[size_t(i)]->IsLine(); }
  bool HasSub(int32_t i) const { return Selectable(i) && items_[size_t(i)]->Count() > 0; }

  // The next selectable entry after from, cycling.
  int32_t Next(int32_t from, int32_t dir) const {
    const int32_t n = int32_t(items_.size());
    if (n == 0) return -1;
    int32_t i = from;
    for (int32_t step = 0; step < n; ++step) {
      i = from < 0 && step == 0 ? (dir > 0 ? 0 : n - 1) : (i + dir + n) % n;
      if (Selectable(i)) return i;
    }
    return -1;
  }

  TRect ItemRect(int32_t i) const {
    int32_t y = kFrame;
    for (int32_t k = 0; k < i; ++k) y += RowHeight(k);
    return {kFrame, y, width_ - kFrame, y + RowHeight(i)};
  }

  int32_t ItemAt(TPoint client) const {
    for (int32_t i = 0; i < int32_t(items_.size()); ++i)
      if (ItemRect(i).Contains(client)) return i;
    return -1;
  }

  TSize Extent() const { return {width_, height_}; }

  // Shows the window with its top-left at p (screen), kept on the work area.
  void ShowAt(TPoint p, const TRect* avoid) {
    TRect work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    if (p.X + width_ > work.Right) p.X = avoid ? avoid->Left - width_ + kFrame : work.Right - width_;
    if (p.Y + height_ > work.Bottom) p.Y = work.Bottom - height_;
    p.X = std::max(p.X, work.Left);
    p.Y = std::max(p.Y, work.Top);
    SetBounds(p.X, p.Y, width_, height_);
    SetWindowPos(Handle(), HWND_TOPMOST, p.X, p.Y, width_, height_, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
    Params.WndParent = active && active->HandleAllocated() ? active->Handle() : nullptr;
    Params.WinClassName = "TMenuPopupWindow";
  }

  void Dispatch(TMessage& message) override {
    if (message.Msg == WM_MOUSEACTIVATE) {
      message.Result = MA_NOACTIVATE;
      return;
    }
    TCustomControl::Dispatch(message);
  }

  void Paint() override {
    TCanvas* c = Canvas();
    HDC dc = c->Handle();
    TRect client = ClientRect();
    FillColorRect(dc, client, clMenu);
    TRect edge = client;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    for (int32_t i = 0; i < int32_t(items_.size()); ++i) PaintItem(c, i);
  }

private:
  int32_t RowHeight(int32_t i) const { return items_[size_t(i)]->IsLine() ? kSeparatorHeight : itemHeight_; }

  void Measure() {
    TFont bold;
    bold.Assign(MenuFont());
    bold.SetStyle(TFontStyles{fsBold});
    TMeasureDC m(MenuFont());
    TMeasureDC mb(&bold);
    itemHeight_ = std::max(m.LineHeight() + 6, GetSystemMetrics(SM_CYMENU));
    gutter_ = 20;
    if (images_) {
      itemHeight_ = std::max(itemHeight_, images_->Height() + 4);
      gutter_ = std::max(gutter_, images_->Width() + 6);
    }
    int32_t text = 0, keys = 0;
    bool sub = false;
    height_ = 2 * kFrame;
    for (TMenuItem* it : items_) {
      height_ += it->IsLine() ? kSeparatorHeight : itemHeight_;
      if (it->IsLine()) continue;
      TRect calc{0, 0, 0, 0};
      DrawText((it->Default() ? mb : m).Handle(), it->Caption(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
      text = std::max(text, calc.Width());
      const std::string sc = ShortCutToText(it->ShortCut());
      if (!sc.empty()) keys = std::max(keys, m.TextExtent(sc).cx);
      sub = sub || it->Count() > 0;
    }
    keysX_ = gutter_ + text + (keys ? 24 : 0);
    width_ = 2 * kFrame + keysX_ + keys + kArrowWidth;
    (void)sub;
  }

  void PaintItem(TCanvas* c, int32_t i) {
    HDC dc = c->Handle();
    TMenuItem* it = items_[size_t(i)];
    const TRect r = ItemRect(i);
    if (it->IsLine()) {
      TRect line{r.Left + 1, r.Top + kSeparatorHeight / 2 - 1, r.Right - 1, r.Top + kSeparatorHeight / 2 + 1};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
      return;
    }
    const bool hot = i == highlight_;
    const bool enabled = it->Enabled();
    if (hot) FillColorRect(dc, r, clHighlight);
    TFont font;
    font.Assign(MenuFont());
    if (it->Default()) font.SetStyle(TFontStyles{fsBold});
    c->Font()->Assign(&font);
    c->RequiredState({csHandleValid, csFontValid});
    const TColor textColor = hot ? (enabled ? clHighlightText : clGrayText) : clMenuText;
    // The gutter: the image, or the check mark or radio bullet.
    const TRect gutter{r.Left, r.Top, r.Left + gutter_, r.Bottom};
    if (images_ && it->ImageIndex() >= 0) {
      const int32_t x = gutter.Left + (gutter.Width() - images_->Width()) / 2;
      const int32_t y = gutter.Top + (gutter.Height() - images_->Height()) / 2;
      if (it->Checked()) {
        TRect f{x - 2, y - 2, x + images_->Width() + 2, y + images_->Height() + 2};
        DrawEdge(dc, &f, BDR_SUNKENOUTER, BF_RECT);
      }
      images_->Draw(c, x, y, it->ImageIndex(), enabled);
    } else if (it->Checked()) {
      const int32_t em = std::min(gutter.Width(), gutter.Height()) - 4;
      DrawMarlettGlyph(dc, gutter.Left + (gutter.Width() - em) / 2, gutter.Top + (gutter.Height() - em) / 2, em,
                       it->RadioItem() ? U'h' : U'a',
                       ColorToColorRef(enabled ? textColor : (hot ? clGrayText : clBtnShadow)));
    }
    const bool embossed = !enabled && !hot;
    TRect text{r.Left + gutter_, r.Top, r.Left + keysX_, r.Bottom};
    DrawControlText(dc, it->Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, textColor, !embossed);
    const std::string sc = ShortCutToText(it->ShortCut());
    if (!sc.empty()) {
      TRect keys{r.Left + keysX_, r.Top, r.Right - kArrowWidth, r.Bottom};
      DrawControlText(dc, sc, keys, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, textColor, !embossed);
    }
    if (it->Count() > 0) {
      const int32_t em = std::min(kArrowWidth, r.Height()) - 4;
      DrawMarlettGlyph(dc, r.Right - kArrowWidth + 2, r.Top + (r.Height() - em) / 2, em, U'8',
                       ColorToColorRef(embossed ? clBtnShadow : textColor));
    }
  }

  TMenuItem* parentItem_;
  TCustomImageList* images_;
  std::vector<TMenuItem*> items_;
  int32_t highlight_ = -1;
  int32_t itemHeight_ = 19;
  int32_t gutter_ = 20;
  int32_t keysX_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

class TMenuTracker {
public:
  TMenuTracker(TCustomImageList* images) : images_(images) {}
  ~TMenuTracker() {
    if (captured_ && GetCapture() == captured_) ReleaseCapture();
    while (!levels_.empty()) levels_.pop_back();
  }

  TMenuItem* Run(TMenuItem* root, int32_t X, int32_t Y, TPopupAlignment alignment) {
    auto first = std::make_unique<TMenuPopupWindow>(root, images_);
    if (first->Entries().empty()) return nullptr;
    const TSize ext = first->Extent();
    if (alignment == paRight) X -= ext.cx;
    else if (alignment == paCenter) X -= ext.cx / 2;
    first->ShowAt({X, Y}, nullptr);
    levels_.push_back(std::move(first));
    captured_ = levels_.front()->Handle();
    SetCapture(captured_);
    while (!done_) {
      if (GetCapture() != captured_) break;  // someone else took the mouse: the menu goes
      MSG msg;
      if (!GetModalMessage(&msg)) break;
      switch (msg.message) {
        case WM_KEYDOWN: case WM_SYSKEYDOWN:
          Key(UINT(msg.wParam));
          TranslateMessage(&msg);
          break;
        case WM_CHAR: case WM_SYSCHAR: Char(char32_t(msg.wParam)); break;
        case WM_KEYUP: case WM_SYSKEYUP: break;
        case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_LBUTTONUP: case WM_RBUTTONUP: {
          POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
          if (msg.hwnd) ClientToScreen(msg.hwnd, &p);
          Mouse(msg.message, p);
          break;
        }
        case WM_MOUSEWHEEL: case WM_MBUTTONUP: break;
        default:
          TranslateMessage(&msg);
          DispatchMessage(&msg);
      }
    }
    return chosen_;
  }

private:
  TMenuPopupWindow* Top() { return levels_.back().get(); }

  void CloseAbove(size_t level) {
    while (levels_.size() > level + 1) levels_.pop_back();
  }

  void OpenSub(size_t level, bool selectFirst) {
    TMenuPopupWindow* w = levels_[level].get();
    const int32_t i = w->Highlight();
    if (!w->HasSub(i) || !w->Entries()[size_t(i)]->Enabled()) return;
    CloseAbove(level);
    auto sub = std::make_unique<TMenuPopupWindow>(w->Entries()[size_t(i)], images_);
    if (sub->Entries().empty()) return;
    const TRect ir = w->ItemRect(i);
    const TRect wr = w->BoundsRect();
    const TRect avoid{wr.Left, wr.Top, wr.Right, wr.Bottom};
    sub->ShowAt({wr.Left + ir.Right - kFrame, wr.Top + ir.Top - kFrame}, &avoid);
    if (selectFirst) sub->SetHighlight(sub->Next(-1, 1));
    levels_.push_back(std::move(sub));
  }

  void Choose(TMenuPopupWindow* w, int32_t i) {
    if (!w->Selectable(i)) return;
    TMenuItem* item = w->Entries()[size_t(i)];
    if (item->Count() > 0) return;
    if (!item->Enabled()) return;
    chosen_ = item;
    done_ = true;
  }

  void Key(UINT vk) {
    TMenuPopupWindow* w = Top();
    const size_t level = levels_.size() - 1;
    switch (vk) {
      case VK_UP: w->SetHighlight(w->Next(w->Highlight(), -1)); break;
      case VK_DOWN: w->SetHighlight(w->Next(w->Highlight(), 1)); break;
      case VK_HOME: w->SetHighlight(w->Next(-1, 1)); break;
      case VK_END: w->SetHighlight(w->Next(-1, -1)); break;
      case VK_RIGHT: OpenSub(level, true); break;
      case VK_LEFT:
        if (level > 0) CloseAbove(level - 1);
        break;
      case VK_RETURN: case VK_SPACE:
        if (w->HasSub(w->Highlight())) OpenSub(level, true);
        else Choose(w, w->Highlight());
        break;
      case VK_ESCAPE:
        if (level > 0) CloseAbove(level - 1);
        else done_ = true;
        break;
      case VK_MENU: case VK_F10: done_ = true; break;
    }
  }

  void Char(char32_t ch) {
    if (ch < 32) return;
    TMenuPopupWindow* w = Top();
    const char32_t want = CpUpperChar(ch);
    std::vector<int32_t> matches;
    for (int32_t i = 0; i < int32_t(w->Entries().size()); ++i)
      if (w->Selectable(i) && CpUpperChar(GetHotkey(w->Entries()[size_t(i)]->Caption())) == want) matches.push_back(i);
    if (matches.empty()) return;
    if (matches.size() > 1) {
      // Several items share the letter: each press moves to the next of them.
      auto it = std::upper_bound(matches.begin(), matches.end(), w->Highlight());
      w->SetHighlight(it == matches.end() ? matches.front() : *it);
      return;
    }
    w->SetHighlight(matches.front());
    if (w->HasSub(matches.front())) OpenSub(levels_.size() - 1, true);
    else Choose(w, matches.front());
  }

  // The deepest level under a screen point, -1 for none.
  int32_t LevelAt(TPoint p) {
    for (int32_t l = int32_t(levels_.size()) - 1; l >= 0; --l)
      if (levels_[size_t(l)]->BoundsRect().Contains(p)) return l;
    return -1;
  }

  void Mouse(UINT message, TPoint p) {
    const int32_t level = LevelAt(p);
    TMenuPopupWindow* w = level >= 0 ? levels_[size_t(level)].get() : nullptr;
    const int32_t i = w ? w->ItemAt(p - w->BoundsRect().TopLeft()) : -1;
    switch (message) {
      case WM_MOUSEMOVE:
        if (!w || i < 0 || (p == lastMove_)) break;
        lastMove_ = p;
        moved_ = true;
        if (i != w->Highlight() || size_t(level) + 1 < levels_.size()) {
          w->SetHighlight(w->Selectable(i) ? i : -1);
          CloseAbove(size_t(level));
          if (w->HasSub(i)) OpenSub(size_t(level), false);
        }
        break;
      case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK:
        // A press outside every level cancels the menu (and is not passed on).
        if (!w) done_ = true;
        else pressedInside_ = true;
        break;
      case WM_LBUTTONUP: case WM_RBUTTONUP:
        // The release of the press that opened the menu does not choose.
        if (!w || i < 0 || !(pressedInside_ || moved_)) break;
        w->SetHighlight(w->Selectable(i) ? i : -1);
        if (w->HasSub(i)) OpenSub(size_t(level), false);
        else Choose(w, i);
        break;
    }
  }

  TCustomImageList* images_;
  std::vector<std::unique_ptr<TMenuPopupWindow>> levels_;
  HWND captured_ = nullptr;
  TMenuItem* chosen_ = nullptr;
  bool done_ = false;
  bool pressedInside_ = false;
  bool moved_ = false;
  TPoint lastMove_{INT32_MIN, INT32_MIN};
};

}  // namespace

TMenuItem* TrackMenuPopup(TMenuItem* root, int32_t X, int32_t Y, TCustomImageList* images, TPopupAlignment alignment) {
  if (!root || root->Count() == 0) return nullptr;
  TMenuTracker tracker(images);
  return tracker.Run(root, X, Y, alignment);
}
