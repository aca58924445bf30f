// TPageControl and TTabSheet: one row of tabs above a raised frame; the
// active page fills the frame.
//
//    _____ ______
//   / One \ Two  \__________
//   |                       |   tabs: the active one is 2 pixels larger
//   |   active page         |   and joins the frame below it
//   |_______________________|
#include "platform/vcl/comctrls.h"

#include <algorithm>
#include <mutex>

#include "platform/classes/typinfo.h"

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrlspaint.h"

using namespace win;

namespace {
constexpr int32_t kTabPad = 6;     // left and right of a caption
constexpr int32_t kPageInset = 4;  // from the frame to the page
}  // namespace

// ---------------------------------------------------------------- TTabSheet
TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = {csAcceptsControls, csNoDesignVisible, csParentBackground};
  SetVisible(false);
  SetAlign(alClient);
}

TTabSheet::~TTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* v) {
  if (pageControl_ == v) return;
  SetParent(v);
}

void TTabSheet::SetParent(TWinControl* AParent) {
  TPageControl* old = pageControl_;
  auto* pc = dynamic_cast<TPageControl*>(AParent);
  if (old && old != pc) old->RemovePage(this);
  TCustomControl::SetParent(AParent);
  if (pc && pageControl_ != pc) pc->InsertPage(this);
}

int32_t TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& p = pageControl_->pages_;
  return int32_t(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(int32_t v) {
  if (pageControl_) pageControl_->MovePage(this, v);
}

int32_t TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  int32_t n = 0;
  for (TTabSheet* p : pageControl_->pages_) {
    if (p == this) return n;
    if (p->tabVisible_) ++n;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool v) {
  if (tabVisible_ == v) return;
  tabVisible_ = v;
  if (pageControl_) pageControl_->PageTabChanged();
}

void TTabSheet::SetImageIndex(int32_t v) {
  if (imageIndex_ == v) return;
  imageIndex_ = v;
  if (pageControl_) pageControl_->Invalidate();
}

void TTabSheet::SetHighlighted(bool v) {
  if (highlighted_ == v) return;
  highlighted_ = v;
  if (pageControl_) pageControl_->Invalidate();
}

void TTabSheet::Paint() { FillColorRect(Canvas()->Handle(), ClientRect(), Color()); }

void TTabSheet::CMTextChanged(TMessage& m) {
  TCustomControl::CMTextChanged(m);
  if (pageControl_) pageControl_->Invalidate();
}

void TTabSheet::CMShowingChanged(TMessage& m) {
  TCustomControl::CMShowingChanged(m);
  if (Showing()) {
    if (OnShow) OnShow(this);
  } else if (OnHide) {
    OnHide(this);
  }
}

// ---------------------------------------------------------------- TPageControl
TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
  pages_.clear();
  activePage_ = nullptr;
}

TTabSheet* TPageControl::Pages(int32_t index) const {
  if (index < 0 || index >= PageCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return pages_[size_t(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  if (std::find(pages_.begin(), pages_.end(), page) != pages_.end()) return;
  pages_.push_back(page);
  page->pageControl_ = this;
  Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  TTabSheet* next = nullptr;
  if (page == activePage_) {
    next = FindNextPage(page, true, !Designing());
    if (next == page) next = nullptr;
  }
  pages_.erase(std::find(pages_.begin(), pages_.end(), page));
  page->pageControl_ = nullptr;
  if (page == activePage_) {
    activePage_ = nullptr;
    if (!InState(csDestroying)) SetActivePage(next);
  }
  Invalidate();
}

void TPageControl::MovePage(TTabSheet* page, int32_t index) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  pages_.erase(it);
  index = std::clamp(index, 0, int32_t(pages_.size()));
  pages_.insert(pages_.begin() + index, page);
  Invalidate();
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> v;
  for (TTabSheet* p : pages_)
    if (p->TabVisible()) v.push_back(p);
  return v;
}

void TPageControl::PageTabChanged() {
  if (activePage_ && !activePage_->TabVisible()) {
    TTabSheet* next = FindNextPage(activePage_, true, true);
    SetActivePage(next != activePage_ ? next : nullptr);
  }
  Realign();
  Invalidate();
}

int32_t TPageControl::ActivePageIndex() const {
  if (!activePage_) return -1;
  return activePage_->PageIndex();
}

void TPageControl::SetActivePageIndex(int32_t v) {
  SetActivePage(v >= 0 && v < PageCount() ? pages_[size_t(v)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this) return;
  if (page == activePage_) {
    UpdateActivePage();
    return;
  }
  TCustomForm* form = GetParentForm();
  const bool hadFocus = form && activePage_ && form->ActiveControl() && activePage_->ContainsControl(form->ActiveControl());
  activePage_ = page;
  UpdateActivePage();
  // The focus must not stay on a page that went away.
  if (hadFocus && form) {
    if (CanFocus()) SetFocus();
  }
  Invalidate();
}

void TPageControl::UpdateActivePage() {
  for (TTabSheet* p : pages_)
    if (p != activePage_) p->SetVisible(false);
  if (activePage_) {
    activePage_->BringToFront();
    activePage_->SetVisible(true);
  }
  Realign();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
  const int32_t n = PageCount();
  if (n == 0) return nullptr;
  auto it = std::find(pages_.begin(), pages_.end(), current);
  int32_t start = it == pages_.end() ? (goForward ? n - 1 : 0) : int32_t(it - pages_.begin());
  int32_t i = start;
  do {
    if (goForward) {
      if (++i == n) i = 0;
    } else {
      if (i == 0) i = n;
      --i;
    }
    TTabSheet* p = pages_[size_t(i)];
    if (!checkTabVisible || p->TabVisible()) return p;
  } while (i != start);
  return nullptr;
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

bool TPageControl::ChangeActivePage(TTabSheet* page) {
  if (!page || page == activePage_) return false;
  auto alive = AliveToken();
  if (!CanChange() || alive.expired()) return false;
  SetActivePage(page);
  Change();
  return true;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
  TTabSheet* page = FindNextPage(activePage_, goForward, checkTabVisible);
  if (page && page != activePage_) ChangeActivePage(page);
}

void TPageControl::SetImages(TCustomImageList* v) {
  if (images_ == v) return;
  SetComponentReference(images_, v);
  Invalidate();
}

void TPageControl::Notification(TComponent* AComponent, TOperation operation) {
  TCustomControl::Notification(AComponent, operation);
  if (operation == opRemove && AComponent == images_) images_ = nullptr;
}

void TPageControl::SetTabPosition(TTabPosition v) {
  // Tabs are drawn on top only; the setting is kept for descriptions.
  tabPosition_ = v;
}

void TPageControl::SetTabHeight(int32_t v) {
  tabHeight_ = std::max(v, 0);
  Realign();
  Invalidate();
}

void TPageControl::SetTabWidth(int32_t v) {
  tabWidth_ = std::max(v, 0);
  Invalidate();
}

void TPageControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
  for (TTabSheet* p : pages_)
    if (p->Owner() == root) proc(p);
}

void TPageControl::Loaded() {
  TCustomControl::Loaded();
  // A description without ActivePage shows the first page.
  if (!activePage_) SetActivePage(FindNextPage(nullptr, true, true));
  else UpdateActivePage();
}

void TPageControl::CMFontChanged(TMessage& m) {
  TCustomControl::CMFontChanged(m);
  Realign();
}

// ---------------------------------------------------------------- geometry
int32_t TPageControl::RowHeight() {
  if (tabHeight_ > 0) return tabHeight_;
  TMeasureDC m(Font());
  int32_t h = m.LineHeight() + kTabPad;
  if (images_) h = std::max(h, images_->Height() + 4);
  return h;
}

TRect TPageControl::TabRect(int32_t tabIndex) {
  const std::vector<TTabSheet*> tabs = VisibleTabs();
  if (tabIndex < 0 || tabIndex >= int32_t(tabs.size())) return {};
  TMeasureDC m(Font());
  const int32_t h = RowHeight();
  int32_t x = 2;
  for (int32_t i = 0; i <= tabIndex; ++i) {
    int32_t w = tabWidth_;
    if (w <= 0) {
      TRect calc{0, 0, 0, 0};
      DrawText(m.Handle(), tabs[size_t(i)]->Caption(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
      w = calc.Width() + 2 * kTabPad;
      if (images_ && tabs[size_t(i)]->ImageIndex() >= 0) w += images_->Width() + 3;
    }
    if (i == tabIndex) return {x, 2, x + w, 2 + h};
    x += w;
  }
  return {};
}

int32_t TPageControl::IndexOfTabAt(int32_t X, int32_t Y) {
  const int32_t n = int32_t(VisibleTabs().size());
  // The active tab stands out over its neighbours: test it first.
  const int32_t active = TabIndex();
  if (active >= 0) {
    TRect r = TabRect(active);
    r.Inflate(2, 2);
    r.Bottom -= 2;
    if (r.Contains({X, Y})) return active;
  }
  for (int32_t i = 0; i < n; ++i)
    if (TabRect(i).Contains({X, Y})) return i;
  return -1;
}

TRect TPageControl::DisplayRect() {
  TRect r = ClientRect();
  r.Top = VisibleTabs().empty() ? 0 : RowHeight() + 2;
  return r;
}

void TPageControl::AdjustClientRect(TRect& Rect) {
  Rect = DisplayRect();
  Rect.Inflate(-kPageInset, -kPageInset);
  if (Rect.Right < Rect.Left) Rect.Right = Rect.Left;
  if (Rect.Bottom < Rect.Top) Rect.Bottom = Rect.Top;
}

// ---------------------------------------------------------------- painting
void TPageControl::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  HDC dc = c->Handle();
  c->RequiredState({csHandleValid, csFontValid});
  const TRect client = ClientRect();
  FillColorRect(dc, client, Color());
  TRect frame = DisplayRect();
  DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT | BF_SOFT);
  const std::vector<TTabSheet*> tabs = VisibleTabs();
  const int32_t active = TabIndex();
  auto drawTab = [&](int32_t i) {
    TRect r = TabRect(i);
    const bool isActive = i == active;
    if (isActive) {
      r.Inflate(2, 2);
      r.Bottom += 1;  // joins the frame below
    }
    FillColorRect(dc, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom}, Color());
    TRect edge = r;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
    TTabSheet* page = tabs[size_t(i)];
    TRect text = r;
    if (images_ && page->ImageIndex() >= 0) {
      images_->Draw(c, text.Left + kTabPad, text.Top + (text.Height() - images_->Height()) / 2, page->ImageIndex(),
                    page->Enabled());
      text.Left += images_->Width() + 3;
    }
    DrawControlText(dc, page->Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                    page->Highlighted() ? clHighlight : Font()->Color(), Enabled() && page->Enabled());
    if (isActive && Focused()) {
      TRect fr = TabRect(i);
      fr.Inflate(-2, -2);
      DrawFocusRectangle(dc, fr);
    }
  };
  for (int32_t i = 0; i < int32_t(tabs.size()); ++i)
    if (i != active) drawTab(i);
  if (active >= 0) drawTab(active);
}

// ---------------------------------------------------------------- input
void TPageControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case WM_SETFOCUS: case WM_KILLFOCUS:
      TCustomControl::Dispatch(message);
      Invalidate();
      return;
  }
  TCustomControl::Dispatch(message);
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  if (Button == mbLeft) {
    const int32_t i = IndexOfTabAt(X, Y);
    if (i >= 0) {
      if (CanFocus() && !Focused()) SetFocus();
      if (alive.expired()) return;
      const std::vector<TTabSheet*> tabs = VisibleTabs();
      ChangeActivePage(tabs[size_t(i)]);
      if (alive.expired()) return;
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TPageControl::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_LEFT || Key == VK_UP) SelectNextPage(false);
  else if (Key == VK_RIGHT || Key == VK_DOWN) SelectNextPage(true);
  else if (Key == VK_HOME && !VisibleTabs().empty()) ChangeActivePage(VisibleTabs().front());
  else if (Key == VK_END && !VisibleTabs().empty()) ChangeActivePage(VisibleTabs().back());
  else return;
  Key = 0;
}

void TPageControl::CMDialogKey(TMessage& m) {
  const bool inside = Focused() || (HandleAllocated() && IsChild(Handle(), GetFocus()));
  if (inside && m.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
    m.Result = 1;
    return;
  }
  TCustomControl::CMDialogKey(m);
}

// ---------------------------------------------------------------- registration
void RegisterComCtrlsClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterStdCtrlsClasses();
    DefineEnumType<TTabPosition>("TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"});
    DefineEnumType<TTabStyle>("TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"});
    DefineEnumType<TTrackBarOrientation>("TTrackBarOrientation", {"trHorizontal", "trVertical"});
    DefineEnumType<TTickMark>("TTickMark", {"tmBottomRight", "tmTopLeft", "tmBoth"});
    DefineEnumType<TTickStyle>("TTickStyle", {"tsNone", "tsAuto", "tsManual"});
    DefineEnumType<TUDAlignButton>("TUDAlignButton", {"udLeft", "udRight"});
    DefineEnumType<TUDOrientation>("TUDOrientation", {"udHorizontal", "udVertical"});
    DefineEnumType<TUDBtnType>("TUDBtnType", {"btNext", "btPrev"});
    DefineEnumType<TProgressBarOrientation>("TProgressBarOrientation", {"pbHorizontal", "pbVertical"});

    Published<TTabSheet>()
        .Bool("Highlighted", &TTabSheet::Highlighted, &TTabSheet::SetHighlighted, false)
        .Int("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex, -1)
        .Int("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
        .Stored(false)
        .Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible, true)
        .Event("OnShow", &TTabSheet::OnShow)
        .Event("OnHide", &TTabSheet::OnHide);
    Published<TPageControl>()
        .Obj("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
        .Bool("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack, false)
        .Obj("Images", &TPageControl::Images, &TPageControl::SetImages)
        .Bool("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine, false)
        .Enum("Style", &TPageControl::Style, &TPageControl::SetStyle, tsTabs)
        .Int("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight, 0)
        .Enum("TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition, tpTop)
        .Int("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth, 0)
        .Event("OnChange", &TPageControl::OnChange)
        .Event("OnChanging", &TPageControl::OnChanging, "TTabChangingEvent");
    Published<TTrackBar>()
        .Int("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize, 1)
        .Int("Max", &TTrackBar::Max, &TTrackBar::SetMax, 10)
        .Int("Min", &TTrackBar::Min, &TTrackBar::SetMin, 0)
        .Enum("Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation, trHorizontal)
        .Int("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize, 2)
        .Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency, 1)
        .Int("Position", &TTrackBar::Position, &TTrackBar::SetPosition, 0)
        .Bool("SliderVisible", &TTrackBar::SliderVisible, &TTrackBar::SetSliderVisible, true)
        .Int("ThumbLength", &TTrackBar::ThumbLength, &TTrackBar::SetThumbLength, 20)
        .Enum("TickMarks", &TTrackBar::TickMarks, &TTrackBar::SetTickMarks, tmBottomRight)
        .Enum("TickStyle", &TTrackBar::TickStyle, &TTrackBar::SetTickStyle, tsAuto)
        .Event("OnChange", &TTrackBar::OnChange);
    Published<TUpDown>()
        .Enum("AlignButton", &TUpDown::AlignButton, &TUpDown::SetAlignButton, udRight)
        .Obj("Associate", &TUpDown::Associate, &TUpDown::SetAssociate)
        .Bool("ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys, true)
        .Int("Increment", &TUpDown::Increment, &TUpDown::SetIncrement, 1)
        .Int("Max", &TUpDown::Max, &TUpDown::SetMax, 100)
        .Int("Min", &TUpDown::Min, &TUpDown::SetMin, 0)
        .Enum("Orientation", &TUpDown::Orientation, &TUpDown::SetOrientation, udVertical)
        .Int("Position", &TUpDown::Position, &TUpDown::SetPosition, 0)
        .Bool("Thousands", &TUpDown::Thousands, &TUpDown::SetThousands, true)
        .Bool("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap, false)
        .Event("OnChanging", &TUpDown::OnChanging, "TUDChangingEvent")
        .Event("OnChangingEx", &TUpDown::OnChangingEx, "TUDChangingEventEx")
        .Event("OnClick", &TUpDown::OnClick, "TUDClickEvent");
    Published<TProgressBar>()
        .Int("Max", &TProgressBar::Max, &TProgressBar::SetMax, 100)
        .Int("Min", &TProgressBar::Min, &TProgressBar::SetMin, 0)
        .Enum("Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation, pbHorizontal)
        .Int("Position", &TProgressBar::Position, &TProgressBar::SetPosition, 0)
        .Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth, false)
        .Int("Step", &TProgressBar::Step, &TProgressBar::SetStep, 10);
    for (TClass c : {TTabSheet::StaticClass(), TPageControl::StaticClass(), TTrackBar::StaticClass(),
                     TUpDown::StaticClass(), TProgressBar::StaticClass()})
      RegisterClass(c);
  });
}
