// TCustomListBox: a scrolling list of items with single or multiple
// selection, the keyboard and the mouse, and owner drawing.
#include <algorithm>

#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/stdctrlspaint.h"

using namespace win;

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
}

// The items of a list box with their selection marks, so that a selection
// stays with its item when others are inserted or deleted.
class TListBoxItems : public TStrings {
public:
  explicit TListBoxItems(TCustomListBox* owner) : lb_(owner) {}

  struct Item {
    std::string S;
    TObject* O = nullptr;
    bool Selected = false;
  };
  std::vector<Item> items;

  int32_t Add(const std::string& s) override { return AddObject(s, nullptr); }
  int32_t AddObject(const std::string& s, TObject* obj) override {
    int32_t at = int32_t(items.size());
    if (lb_->Sorted()) {
      auto it = std::upper_bound(items.begin(), items.end(), s,
                                 [this](const std::string& v, const Item& i) { return CompareStrings(v, i.S) < 0; });
      at = int32_t(it - items.begin());
    }
    InsertObject(at, s, obj);
    return at;
  }
  void Clear() override {
    items.clear();
    lb_->itemIndex_ = -1;
    lb_->anchor_ = -1;
    lb_->topIndex_ = 0;
    Changed();
  }
  void Delete(int32_t index) override {
    Check(index, false);
    items.erase(items.begin() + index);
    auto shift = [index](int32_t& i) {
      if (i == index) i = -1;
      else if (i > index) --i;
    };
    shift(lb_->itemIndex_);
    shift(lb_->anchor_);
    Changed();
  }
  void Insert(int32_t index, const std::string& s) override { InsertObject(index, s, nullptr); }
  void InsertObject(int32_t index, const std::string& s, TObject* obj) override {
    Check(index, true);
    items.insert(items.begin() + index, Item{s, obj, false});
    auto shift = [index](int32_t& i) {
      if (i >= index) ++i;
    };
    shift(lb_->itemIndex_);
    shift(lb_->anchor_);
    Changed();
  }
  void Exchange(int32_t a, int32_t b) override {
    Check(a, false);
    Check(b, false);
    std::swap(items[size_t(a)], items[size_t(b)]);
    Changed();
  }
  void SortItems() {
    std::stable_sort(items.begin(), items.end(), [this](const Item& a, const Item& b) { return CompareStrings(a.S, b.S) < 0; });
    Changed();
  }

protected:
  std::string Get(int32_t index) const override {
    Check(index, false);
    return items[size_t(index)].S;
  }
  int32_t GetCount() const override { return int32_t(items.size()); }
  TObject* GetObject(int32_t index) const override {
    Check(index, false);
    return items[size_t(index)].O;
  }
  void Put(int32_t index, const std::string& s) override {
    Check(index, false);
    items[size_t(index)].S = s;
    Changed();
  }
  void PutObject(int32_t index, TObject* obj) override {
    Check(index, false);
    items[size_t(index)].O = obj;
  }
  void SetUpdateState(bool updating) override {
    if (!updating && dirty_) {
      dirty_ = false;
      lb_->ItemsChanged();
    }
  }

private:
  void Check(int32_t index, bool allowEnd) const {
    if (index < 0 || index > int32_t(items.size()) - (allowEnd ? 0 : 1)) Error("List index out of bounds (%d)", index);
  }
  void Changed() {
    if (UpdateCount() > 0) dirty_ = true;
    else lb_->ItemsChanged();
  }
  TCustomListBox* lb_;
  bool dirty_ = false;
};

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomControl(AOwner) {
  // Clicks come from selection changes, not from every mouse release.
  controlStyle_ = {csSetCaption, csDoubleClicks, csCaptureMouse};
  items_ = std::make_unique<TListBoxItems>(this);
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  vbar_.Vertical = true;
  vbar_.OnScroll = [this](TScrollCode code, int32_t pos) {
    if (code != scEndScroll) SetTopIndex(pos);
  };
}

TCustomListBox::~TCustomListBox() = default;

TStrings* TCustomListBox::Items() { return items_.get(); }
void TCustomListBox::SetItems(TStrings* v) { items_->Assign(v); }
int32_t TCustomListBox::Count() { return items_->Count(); }
void TCustomListBox::Clear() { items_->Clear(); }

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::SetBorderStyle(TBorderStyle v) {
  if (borderStyle_ == v) return;
  borderStyle_ = v;
  RecreateWnd();
}

void TCustomListBox::ItemsChanged() {
  const int32_t n = Count();
  if (itemIndex_ >= n) itemIndex_ = -1;
  if (anchor_ >= n) anchor_ = -1;
  topIndex_ = std::clamp(topIndex_, 0, std::max(0, n - VisibleCount()));
  LayoutScrollBar();
  Invalidate();
}

// ---------------------------------------------------------------- selection
void TCustomListBox::SetItemIndex(int32_t v) {
  if (Loading()) {
    pendingIndex_ = v;
    return;
  }
  if (v < -1 || v >= Count()) v = -1;
  if (multiSelect_) {
    itemIndex_ = v;
  } else {
    if (v == itemIndex_) return;
    itemIndex_ = v;
  }
  if (v >= 0) MakeVisible(v);
  Invalidate();
}

void TCustomListBox::SetMultiSelect(bool v) {
  if (multiSelect_ == v) return;
  multiSelect_ = v;
  for (auto& it : items_->items) it.Selected = false;
  if (multiSelect_ && itemIndex_ >= 0) items_->items[size_t(itemIndex_)].Selected = true;
  Invalidate();
}

bool TCustomListBox::Selected(int32_t index) const {
  if (index < 0 || index >= int32_t(items_->items.size())) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return multiSelect_ ? items_->items[size_t(index)].Selected : index == itemIndex_;
}

void TCustomListBox::SetSelected(int32_t index, bool v) {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  if (multiSelect_) items_->items[size_t(index)].Selected = v;
  else if (v) itemIndex_ = index;
  else if (itemIndex_ == index) itemIndex_ = -1;
  Invalidate();
}

int32_t TCustomListBox::SelCount() const {
  if (!multiSelect_) return -1;
  return int32_t(std::count_if(items_->items.begin(), items_->items.end(), [](const auto& i) { return i.Selected; }));
}

void TCustomListBox::ClearSelection() {
  if (multiSelect_)
    for (auto& it : items_->items) it.Selected = false;
  else
    itemIndex_ = -1;
  Invalidate();
}

void TCustomListBox::SelectAll() {
  if (!multiSelect_) return;
  for (auto& it : items_->items) it.Selected = true;
  Invalidate();
}

void TCustomListBox::SelectRange(int32_t from, int32_t to, bool clearOthers) {
  if (from > to) std::swap(from, to);
  for (int32_t i = 0; i < Count(); ++i) {
    const bool in = i >= from && i <= to;
    if (in) items_->items[size_t(i)].Selected = true;
    else if (clearOthers) items_->items[size_t(i)].Selected = false;
  }
}

void TCustomListBox::SetSorted(bool v) {
  if (sorted_ == v) return;
  sorted_ = v;
  if (v) items_->SortItems();
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
  if (style_ == v) return;
  style_ = v;
  ItemsChanged();
}

int32_t TCustomListBox::ItemHeight() {
  if (itemHeight_ > 0 && style_ != lbStandard) return itemHeight_;
  if (style_ != lbStandard) return 16;
  if (fontHeight_ <= 0) {
    TMeasureDC m(Font());
    fontHeight_ = std::max(1, m.LineHeight());
  }
  return fontHeight_;
}

void TCustomListBox::SetItemHeight(int32_t v) {
  if (itemHeight_ == v) return;
  itemHeight_ = v;
  ItemsChanged();
}

// ---------------------------------------------------------------- geometry
TRect TCustomListBox::ListRect() {
  TRect r = ClientRect();
  if (!vbar_.Bounds.IsEmpty()) r.Right = vbar_.Bounds.Left;
  return r;
}

int32_t TCustomListBox::VisibleCount() {
  return std::max(1, ClientRect().Height() / ItemHeight());
}

void TCustomListBox::LayoutScrollBar() {
  const TRect client = ClientRect();
  const int32_t visible = VisibleCount();
  if (Count() > visible) {
    vbar_.Bounds = {client.Right - GetSystemMetrics(SM_CXVSCROLL), 0, client.Right, client.Bottom};
    vbar_.Min = 0;
    vbar_.Max = Count() - 1;
    vbar_.PageSize = visible;
    vbar_.LargeChange = std::max(1, visible - 1);
    vbar_.Position = topIndex_;
  } else {
    vbar_.Bounds = {};
  }
}

void TCustomListBox::SetTopIndex(int32_t v) {
  v = std::clamp(v, 0, std::max(0, Count() - VisibleCount()));
  if (v == topIndex_) return;
  topIndex_ = v;
  LayoutScrollBar();
  Invalidate();
}

void TCustomListBox::MakeVisible(int32_t index) {
  if (index < 0) return;
  const int32_t visible = VisibleCount();
  if (index < topIndex_) SetTopIndex(index);
  else if (index >= topIndex_ + visible) SetTopIndex(index - visible + 1);
}

TRect TCustomListBox::ItemRect(int32_t index) {
  const int32_t h = ItemHeight();
  const TRect list = ListRect();
  return {list.Left, (index - topIndex_) * h, list.Right, (index - topIndex_ + 1) * h};
}

int32_t TCustomListBox::ItemAtPos(TPoint pos, bool existing) {
  const TRect list = ListRect();
  if (!list.Contains(pos)) return -1;
  const int32_t i = topIndex_ + pos.Y / ItemHeight();
  if (i < Count()) return i;
  return existing ? -1 : Count();
}

void TCustomListBox::Loaded() {
  TCustomControl::Loaded();
  if (pendingIndex_ >= 0) SetItemIndex(pendingIndex_);
  pendingIndex_ = -1;
}

void TCustomListBox::Resize() {
  TCustomControl::Resize();
  ItemsChanged();
}

void TCustomListBox::CMFontChanged(TMessage& m) {
  fontHeight_ = 0;
  TCustomControl::CMFontChanged(m);
  ItemsChanged();
}

// ---------------------------------------------------------------- painting
void TCustomListBox::DrawItem(int32_t index, TRect rect, TOwnerDrawState state) {
  if (OnDrawItem && style_ != lbStandard) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  TCanvas* c = Canvas();
  c->FillRect(rect);
  if (index < Count()) c->TextOut(rect.Left + 2, rect.Top, items_->items[size_t(index)].S);
}

void TCustomListBox::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  HDC dc = c->Handle();
  LayoutScrollBar();
  const TRect list = ListRect();
  FillColorRect(dc, list, Enabled() ? Color() : clBtnFace);
  const int32_t h = ItemHeight();
  const bool focused = Focused();
  for (int32_t i = topIndex_; i < Count() && (i - topIndex_) * h < list.Bottom; ++i) {
    const TRect r = ItemRect(i);
    TOwnerDrawState state;
    const bool sel = multiSelect_ ? items_->items[size_t(i)].Selected : i == itemIndex_;
    if (sel) state.Include(odSelected);
    if (!Enabled()) state.Include(odDisabled);
    if (focused && i == itemIndex_) state.Include(odFocused);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(sel ? clHighlight : Color());
    c->Font()->Assign(Font());
    c->Font()->SetColor(sel ? clHighlightText : (Enabled() ? Font()->Color() : clGrayText));
    const int saved = SaveDC(c->Handle());
    IntersectClipRect(c->Handle(), r.Left, r.Top, r.Right, r.Bottom);
    DrawItem(i, r, state);
    RestoreDC(c->Handle(), saved);
    if (state.Contains(odFocused)) DrawFocusRectangle(c->Handle(), r);
  }
  // An empty focused list still shows where the focus is.
  if (focused && Count() == 0) DrawFocusRectangle(c->Handle(), TRect{list.Left, 0, list.Right, h});
  vbar_.Paint(c->Handle());
}

// ---------------------------------------------------------------- keyboard and mouse
void TCustomListBox::MoveTo(int32_t index, TShiftState shift, bool fromMouse) {
  if (Count() == 0) return;
  index = std::clamp(index, 0, Count() - 1);
  const int32_t before = itemIndex_;
  std::vector<bool> selBefore;
  for (const auto& it : items_->items) selBefore.push_back(it.Selected);
  if (!multiSelect_) {
    itemIndex_ = index;
  } else if (extendedSelect_) {
    const bool ctrl = shift.Contains(ssCtrl), shf = shift.Contains(ssShift);
    if (shf && anchor_ >= 0) {
      SelectRange(anchor_, index, !ctrl);
    } else if (ctrl) {
      // The mouse toggles with Ctrl; the keys only move the focus.
      if (fromMouse) items_->items[size_t(index)].Selected = !items_->items[size_t(index)].Selected;
      anchor_ = index;
    } else {
      SelectRange(index, index, true);
      anchor_ = index;
    }
    itemIndex_ = index;
  } else {
    if (fromMouse) items_->items[size_t(index)].Selected = !items_->items[size_t(index)].Selected;
    itemIndex_ = index;
  }
  MakeVisible(index);
  Invalidate();
  bool changed = itemIndex_ != before;
  for (size_t i = 0; i < selBefore.size() && !changed; ++i) changed = selBefore[i] != items_->items[i].Selected;
  if (changed) Click();
}

void TCustomListBox::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0 || Count() == 0) return;
  const int32_t cur = itemIndex_ < 0 ? -1 : itemIndex_;
  int32_t target;
  switch (Key) {
    case VK_UP: target = cur - 1; break;
    case VK_DOWN: target = cur + 1; break;
    case VK_PRIOR: target = cur - (VisibleCount() - 1); break;
    case VK_NEXT: target = cur + (VisibleCount() - 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = Count() - 1; break;
    case VK_SPACE:
      if (multiSelect_ && itemIndex_ >= 0) {
        auto& it = items_->items[size_t(itemIndex_)];
        it.Selected = !it.Selected;
        anchor_ = itemIndex_;
        Invalidate();
        Click();
        Key = 0;
      }
      return;
    default: return;
  }
  if (cur < 0 && (Key == VK_UP || Key == VK_DOWN)) target = 0;
  MoveTo(target, Shift, false);
  Key = 0;
}

void TCustomListBox::KeyPress(char16_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key < 32 || Count() == 0) return;
  // Type-ahead: the next item starting with the character.
  const char32_t want = CpUpperChar(char32_t(Key));
  const int32_t n = Count();
  for (int32_t step = 1; step <= n; ++step) {
    const int32_t i = (std::max(itemIndex_, -1) + step + n) % n;
    if (CpUpperChar(CpAt(items_->items[size_t(i)].S, 1)) == want) {
      MoveTo(i, {}, false);
      break;
    }
  }
  Key = 0;
}

void TCustomListBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_TIMER:
      if (message.WParam == kRepeatTimer) {
        if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, TScrollBarPart::RepeatInterval, nullptr);
        vbar_.Repeat();
        Invalidate();
        return;
      }
      break;
  }
  TCustomControl::Dispatch(message);
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  if (Button == mbLeft) {
    if (!Focused() && CanFocus()) SetFocus();
    LayoutScrollBar();
    if (vbar_.Bounds.Contains({X, Y})) {
      barCaptured_ = true;
      vbar_.MouseDown({X, Y});
      if (vbar_.Pressed() && HandleAllocated()) SetTimer(Handle(), kRepeatTimer, TScrollBarPart::RepeatDelay, nullptr);
      Invalidate();
      return;
    }
    if (Shift.Contains(ssDouble)) {
      DblClick();
      if (alive.expired()) return;
    } else {
      const int32_t i = ItemAtPos({X, Y}, true);
      if (i >= 0) {
        MoveTo(i, Shift, true);
        if (alive.expired()) return;
        tracking_ = true;
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (barCaptured_) {
    vbar_.MouseMove({X, Y});
    Invalidate();
    return;
  }
  if (tracking_ && MouseCapture() && !multiSelect_) {
    // Dragging moves the selection, scrolling when the mouse leaves the list.
    int32_t i;
    if (Y < 0) i = topIndex_ - 1;
    else if (Y >= ClientRect().Height()) i = topIndex_ + VisibleCount();
    else i = topIndex_ + Y / ItemHeight();
    if (i != itemIndex_ && Count() > 0) MoveTo(std::clamp(i, 0, Count() - 1), {}, true);
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (barCaptured_ && Button == mbLeft) {
    barCaptured_ = false;
    if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
    vbar_.MouseUp({X, Y});
    Invalidate();
    return;
  }
  if (Button == mbLeft) tracking_ = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TCustomListBox::DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int32_t notches = WheelDelta / WHEEL_DELTA;
  if (notches == 0) return false;
  SetTopIndex(topIndex_ - notches * (lines == WHEEL_PAGESCROLL ? VisibleCount() : int32_t(lines)));
  return true;
}

void TCustomListBox::WMSetFocus(TMessage& m) {
  TCustomControl::WMSetFocus(m);
  Invalidate();
}

void TCustomListBox::WMKillFocus(TMessage& m) {
  TCustomControl::WMKillFocus(m);
  Invalidate();
}
