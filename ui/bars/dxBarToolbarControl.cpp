// Sizing and item layout of the toolbar window, and its view info's
// separators. Every size is asked of the item controls and the painter.
#include "ui/bars/dxBarToolbarControl.h"

#include <algorithm>
#include <cstdint>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarPainters.h"

namespace {

// A floating bar is never narrower than this.
constexpr int32_t kMinFloatingWidth = 51;
// Behaviour flag: the window sizes itself as a floating bar whatever its side.
constexpr uint16_t kSizesAsFloating = 0x80;

bool IsVerticalSide(TdxBarDockingStyle ASide) { return ASide == dsLeft || ASide == dsRight; }
bool IsHorizontalSide(TdxBarDockingStyle ASide) { return ASide == dsTop || ASide == dsBottom; }

// Holds the links' fitting limit for a scope and puts the old one back.
class TFittingLimitScope {
public:
  explicit TFittingLimitScope(TdxBarItemLinks* ALinks) : links_(ALinks), saved_(ALinks ? ALinks->RecentCount() : -1) {}
  ~TFittingLimitScope() {
    if (links_ && links_->RecentCount() != saved_) links_->SetRecentCount(saved_);
  }
  TFittingLimitScope(const TFittingLimitScope&) = delete;
  TFittingLimitScope& operator=(const TFittingLimitScope&) = delete;
  int32_t Saved() const { return saved_; }

private:
  TdxBarItemLinks* links_;
  int32_t saved_;
};

}  // namespace

TdxBarControl* TdxBarControl::CreateForBar(TComponent* AOwner, TdxBar* ABar) {
  auto* window = new TdxBarControl(AOwner);
  window->SetBar(ABar);
  if (ABar) window->SetItemLinks(ABar->GetItemLinks());
  return window;
}

// ---------------------------------------------------------------- orientation

bool TdxBarControl::IsVertical() const { return IsVerticalSide(DockingStyle()); }
bool TdxBarControl::IsHorizontal() const { return IsHorizontalSide(DockingStyle()); }
bool TdxBarControl::IsRotated() const { return IsVertical() && Bar() && Bar()->RotateWhenVertical(); }
bool TdxBarControl::IsMultiLine() const { return DockingStyle() == dsNone || (Bar() && Bar()->MultiLine()); }

void TdxBarControl::SetOrientation(uint8_t Value) {
  if (Value != Orientation()) HiddenLinks = false;
  TCustomdxBarControl::SetOrientation(Value);
}

// ---------------------------------------------------------------- metrics

int32_t TdxBarControl::GetSeparatorSize() { return Painter()->BarSeparatorSize(); }

void TdxBarControl::UpdateMetrics() {
  TCustomdxBarControl::CalcMetrics();
  SetMenuMetrics(Painter()->BarMarkSize(), MenuMetric());
  mdiButtonWidth_ = win::GetSystemMetrics(win::SM_CXMENUSIZE) - 2;
  mdiButtonHeight_ = win::GetSystemMetrics(win::SM_CYMENUSIZE) - 4;
}

int32_t TdxBarControl::GetMarkSize() { return HasMark() ? Painter()->BarMarkSize() : 0; }

bool TdxBarControl::HasMark() {
  TdxBar* bar = Bar();
  if (!bar || !bar->ShowMark()) return false;
  return HiddenLinks || (Painter()->BarShowsMark() && bar->AllowQuickCustomizing());
}

bool TdxBarControl::AreMDIButtonsVisible() {
  TdxBar* bar = Bar();
  if (!bar || !bar->IsMainMenu()) return false;
  const TdxBarManagerSlots& slots = dxBarManagerSlots();
  const win::HWND child = slots.ActiveMdiChildHandle ? slots.ActiveMdiChildHandle() : nullptr;
  return child && win::IsZoomed(child);
}

bool TdxBarControl::HasMDIButtons() {
  if (AreMDIButtonsVisible()) return true;
  TdxBarManager* m = GetBarManager();
  return Bar() && Bar()->IsMainMenu() && m && m->ShowCloseButton();
}

int32_t TdxBarControl::GetMDIButtonsWidth() {
  return AreMDIButtonsVisible() && !IsVertical() ? 3 * mdiButtonWidth_ + 2 : mdiButtonWidth_;
}

int32_t TdxBarControl::GetMDIButtonsHeight() {
  return AreMDIButtonsVisible() && IsVertical() ? 3 * mdiButtonHeight_ + 2 : mdiButtonHeight_;
}

bool TdxBarControl::HasCloseButton() { return DockingStyle() == dsNone && Bar() && Bar()->CanClose(); }

int32_t TdxBarControl::DefaultButtonWidth() {
  TdxBarManager* m = GetBarManager();
  return Painter()->ButtonWidthWithBorder(m ? m->GetGlyphSize() : 0);
}

int32_t TdxBarControl::DefaultButtonHeight() {
  TdxBarManager* m = GetBarManager();
  return Painter()->ButtonHeightWithBorder(m ? m->GetGlyphSize() : 0);
}

// ---------------------------------------------------------------- measuring controls

TdxBarItemControl* TdxBarControl::ControlOf(TdxBarItemLink* ALink) {
  if (!ALink) return nullptr;
  if (!ALink->Control()) ALink->CreateControl();
  return ALink->Control();
}

int32_t TdxBarControl::LengthOf(TdxBarItemControl* AControl) const {
  return IsVertical() ? AControl->GetHeightInBar() : AControl->GetWidthInBar();
}

int32_t TdxBarControl::ThicknessOf(TdxBarItemControl* AControl) const {
  return IsVertical() ? AControl->GetWidthInBar() : AControl->GetHeightInBar();
}

int32_t TdxBarControl::LargestControlSize(bool AHeights) {
  TdxBarItemLinks* links = ItemLinks();
  int32_t result = -1;
  for (int32_t i = 0; links && i < links->GetVisibleItemCount(); ++i)
    if (TdxBarItemControl* c = ControlOf(links->VisibleItems(i)))
      result = std::max(result, AHeights ? c->GetHeightInBar() : c->GetWidthInBar());
  return result;
}

int32_t TdxBarControl::SumOfControlSizes(bool AHeights) {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return 0;
  TFittingLimitScope limit(links);
  links->SetRecentCount(-1);
  const int32_t s = GetSeparatorSize();
  int32_t sum = 0;
  for (int32_t i = 0; i < links->GetVisibleItemCount(); ++i) {
    TdxBarItemLink* link = links->VisibleItems(i);
    TdxBarItemControl* c = ControlOf(link);
    if (!c) continue;
    if (link->GetBeginGroup()) sum += s;
    sum += AHeights ? c->GetHeightInBar() : c->GetWidthInBar();
  }
  return sum;
}

int32_t TdxBarControl::FirstControlSize(bool AHeights) {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return -1;
  TFittingLimitScope limit(links);
  links->SetRecentCount(1);
  if (links->GetVisibleItemCount() == 0) return -1;
  TdxBarItemControl* c = ControlOf(links->VisibleItems(0));
  return c ? (AHeights ? c->GetHeightInBar() : c->GetWidthInBar()) : -1;
}

// ---------------------------------------------------------------- minimum and full sizes

int32_t TdxBarControl::GetMinWidth(TdxBarDockingStyle ASide) {
  int32_t result;
  if (IsVerticalSide(ASide) || IsMultiLineFor(ASide)) {
    result = LargestControlSize(false);
    if (result < 0) result = ASide != dsNone ? DefaultButtonWidth() : 0;
    if (HasMDIButtons()) result = std::max(result, GetMDIButtonsWidth());
    if (ASide == dsNone) {
      const int32_t caption = GetMarkSpace() + (HasCloseButton() ? Painter()->CloseButtonSize().cx : 0);
      result = std::max(result, std::max(caption, kMinFloatingWidth));
    }
  } else {
    result = FirstControlSize(false);
    if (result < 0) result = DefaultButtonWidth();
    if (HasMDIButtons()) result += GetMDIButtonsWidth();
  }
  if (IsHorizontal()) result += GetMarkSpace();
  return result;
}

int32_t TdxBarControl::GetMinHeight(TdxBarDockingStyle ASide) {
  int32_t result;
  if (IsHorizontalSide(ASide) || IsMultiLineFor(ASide)) {
    result = LargestControlSize(true);
    if (result < 0) result = DefaultButtonHeight();
    if (HasMDIButtons()) result = std::max(result, GetMDIButtonsHeight());
  } else {
    result = FirstControlSize(true);
    if (result < 0) result = DefaultButtonHeight();
    if (HasMDIButtons()) result += GetMDIButtonsHeight();
  }
  if (IsVertical()) result += GetMarkSpace();
  return result;
}

int32_t TdxBarControl::GetFullWidth(TdxBarDockingStyle ASide) {
  int32_t full;
  if (IsHorizontalSide(ASide) || IsMultiLineFor(ASide)) {
    full = SumOfControlSizes(false);
    if (HasMDIButtons()) full += GetMDIButtonsWidth();
    if (IsHorizontal()) full += GetMarkSpace();
  } else {
    full = std::max(LargestControlSize(false), 0);
    if (HasMDIButtons()) full = std::max(full, GetMDIButtonsWidth());
  }
  return std::max(GetMinWidth(ASide), full);
}

int32_t TdxBarControl::GetFullHeight(TdxBarDockingStyle ASide) {
  int32_t full;
  if (IsVerticalSide(ASide) || IsMultiLineFor(ASide)) {
    full = SumOfControlSizes(true);
    if (HasMDIButtons()) full += GetMDIButtonsHeight();
    if (IsVertical()) full += GetMarkSpace();
  } else {
    full = std::max(LargestControlSize(true), 0);
    if (HasMDIButtons()) full = std::max(full, GetMDIButtonsHeight());
  }
  return std::max(GetMinHeight(ASide), full);
}

// ---------------------------------------------------------------- sizes for a length

bool TdxBarControl::MeasureRow(bool AVertical, int32_t AAvailable, int32_t& ALength, int32_t& AThickness) {
  ALength = 0;
  AThickness = 0;
  TdxBarItemLinks* links = ItemLinks();
  const int32_t s = GetSeparatorSize();
  for (int32_t i = 0; links && i < links->GetVisibleItemCount(); ++i) {
    TdxBarItemLink* link = links->VisibleItems(i);
    TdxBarItemControl* c = ControlOf(link);
    if (!c) continue;
    const int32_t along = AVertical ? c->GetHeightInBar() : c->GetWidthInBar();
    const int32_t across = AVertical ? c->GetWidthInBar() : c->GetHeightInBar();
    const int32_t end = ALength + (link->GetBeginGroup() ? s : 0) + along;
    if (i > 0 && end > AAvailable) return false;
    ALength = end;
    AThickness = std::max(AThickness, across);
  }
  return true;
}

TSize TdxBarControl::CalcTruncatedSize(TdxBarDockingStyle ASide, bool AVertical, int32_t ALength) {
  const int32_t minWidth = GetMinWidth(ASide), minHeight = GetMinHeight(ASide);
  TSize size(minWidth, minHeight);
  const int32_t minAlong = AVertical ? minHeight : minWidth;
  const bool mdi = HasMDIButtons();
  const int32_t mdiAlong = AVertical ? GetMDIButtonsHeight() : GetMDIButtonsWidth();
  const int32_t mdiAcross = AVertical ? GetMDIButtonsWidth() : GetMDIButtonsHeight();
  int32_t available = std::max(ALength, minAlong) - (mdi ? mdiAlong : 0);
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return size;
  links->SetRecentCount(-1);
  const int32_t count = links->GetVisibleItemCount();
  if (count == 0) return size;
  const int32_t markSpace = GetMarkSpace();
  available -= markSpace;
  TdxBarManager* m = GetBarManager();
  int32_t length = 0, thickness = 0;
  if (!links->UsesRecentItems() || (m && m->InDesigner())) {
    MeasureRow(AVertical, INT32_MAX, length, thickness);
  } else {
    // The first link always shows, so the limit never falls below 1.
    for (int32_t limit = 1;; ++limit) {
      links->SetRecentCount(limit);
      int32_t l = 0, t = 0;
      if (!MeasureRow(AVertical, available, l, t)) {
        links->SetRecentCount(limit - 1);
        break;
      }
      length = l;
      thickness = t;
      if (limit >= count) {
        links->SetRecentCount(-1);
        break;
      }
    }
  }
  int32_t along = std::max(minAlong, length + markSpace);
  int32_t across = thickness;
  if (mdi) {
    along += mdiAlong;
    across = std::max(across, mdiAcross);
  }
  return AVertical ? TSize(across, along) : TSize(along, across);
}

// Shared by CalcSizeForWidth (AVertical False: ALength is a width) and
// CalcSizeForHeight (AVertical True).
TSize TdxBarControl::CalcSizeByLength(TdxBarDockingStyle ASide, bool AVertical, int32_t ALength) {
  const bool multi = IsMultiLineFor(ASide);
  if (multi && IsVertical() != AVertical) {
    // Give the other length and shrink it until this one is reached; each
    // step shrinks the answer, so the loop ends.
    TSize size = AVertical ? CalcSizeForWidth(ASide, GetFullWidth(ASide))
                           : CalcSizeForHeight(ASide, GetFullHeight(ASide));
    for (;;) {
      const int32_t reached = AVertical ? size.cy : size.cx;
      const int32_t other = AVertical ? size.cx : size.cy;
      if (reached >= ALength || other <= 1) break;
      const TSize next = AVertical ? CalcSizeForWidth(ASide, other - 1) : CalcSizeForHeight(ASide, other - 1);
      if ((AVertical ? next.cx : next.cy) == other) break;
      size = next;
    }
    return size;
  }
  if (multi) {
    TSize size(GetMinWidth(ASide), GetMinHeight(ASide));
    CalcWrappedSize(ASide, ALength, size);
    return size;
  }
  if (AVertical ? IsHorizontalSide(ASide) : IsVerticalSide(ASide))
    return AVertical ? TSize(GetFullWidth(ASide), GetMinHeight(ASide)) : TSize(GetMinWidth(ASide), GetFullHeight(ASide));
  return CalcTruncatedSize(ASide, AVertical, ALength);
}

TSize TdxBarControl::CalcSizeForWidth(TdxBarDockingStyle ASide, int32_t AWidth) {
  if (TdxBarItemLinks* links = ItemLinks()) {
    const int32_t saved = links->RecentCount();
    links->SetRecentCount(-1);
    CalcItemPositions();
    links->SetRecentCount(saved);
  }
  return CalcSizeByLength(ASide, false, AWidth);
}

TSize TdxBarControl::CalcSizeForHeight(TdxBarDockingStyle ASide, int32_t AHeight) {
  TdxBarItemLinks* links = ItemLinks();
  if (links && links->RecentCount() != -1) {
    const int32_t saved = links->RecentCount();
    links->SetRecentCount(-1);
    CalcItemPositions();
    links->SetRecentCount(saved);
  }
  return CalcSizeByLength(ASide, true, AHeight);
}

// ---------------------------------------------------------------- the wrap pass

void TdxBarControl::CalcWrappedSize(TdxBarDockingStyle ASide, int32_t ALength, TSize& ASize) {
  const bool vertical = IsVertical();
  int32_t& sizeAlong = vertical ? ASize.cy : ASize.cx;
  int32_t& sizeAcross = vertical ? ASize.cx : ASize.cy;
  int32_t length = std::max(ALength, sizeAlong);
  if (ASide != dsNone) length -= GetMarkSpace();
  rowStarts_.clear();

  struct TEntry {
    TdxBarItemControl* Control;
    int32_t Along, Across;
    bool BeginGroup;
  };
  std::vector<TEntry> entries;
  if (TdxBarItemLinks* links = ItemLinks())
    for (int32_t i = 0; i < links->GetVisibleItemCount(); ++i) {
      TdxBarItemLink* link = links->VisibleItems(i);
      if (TdxBarItemControl* c = ControlOf(link))
        entries.push_back({c, LengthOf(c), ThicknessOf(c), link->GetBeginGroup()});
    }

  const int32_t s = GetSeparatorSize();
  int32_t pos = 0, rowThickness = 0, finished = 0, longest = 0;
  int32_t groupStart = -1, groupPos = 0, groupThickness = 0;
  bool mayContinue = true, restarting = false;
  for (int32_t i = 0; i < int32_t(entries.size()); ++i) {
    const TEntry& e = entries[size_t(i)];
    int32_t separator = 0;
    bool isGroupStart = false;
    if (e.BeginGroup && pos > 0) {
      separator = s;
      isGroupStart = true;
      groupStart = i;
      groupPos = pos;
      groupThickness = rowThickness;
    }
    const int32_t end = pos + separator + e.Along;
    const bool newRow = (pos > 0 && end > length) || restarting || (isGroupStart && !mayContinue);
    if (!newRow) {
      pos = end;
      rowThickness = std::max(rowThickness, e.Across);
      continue;
    }
    mayContinue = false;
    if (groupStart >= 0 && !restarting) {
      // The whole group moves to the next row: walk again from its start.
      i = groupStart - 1;
      pos = groupPos;
      rowThickness = groupThickness;
      mayContinue = true;
      restarting = true;
      continue;
    }
    if (restarting) {
      mayContinue = true;
      restarting = false;
    }
    longest = std::max(longest, pos);
    finished += separator + rowThickness;
    rowStarts_.push_back(e.Control);
    groupStart = -1;
    pos = e.Along;
    rowThickness = e.Across;
  }
  if (HasMDIButtons()) {
    const int32_t mdiAlong = vertical ? GetMDIButtonsHeight() : GetMDIButtonsWidth();
    const int32_t mdiAcross = vertical ? GetMDIButtonsWidth() : GetMDIButtonsHeight();
    if (pos + mdiAlong <= length) {
      pos += mdiAlong;
    } else {
      finished += rowThickness;
      rowThickness = mdiAcross;
    }
  }
  longest = std::max(longest, pos);
  sizeAcross = std::max(sizeAcross, finished + rowThickness);
  sizeAlong = std::max(sizeAlong, longest);
  CalcItemPositions();
}

bool TdxBarControl::StartsRow(TdxBarItemControl* AControl) const {
  return AControl && std::find(rowStarts_.begin(), rowStarts_.end(), AControl) != rowStarts_.end();
}

void TdxBarControl::DoDestroyControls() {
  rowStarts_.clear();
  TCustomdxBarControl::DoDestroyControls();
}

// ---------------------------------------------------------------- the window size

TSize TdxBarControl::CalcBarSize(TdxBarDockingStyle ASide) {
  TdxBar* bar = Bar();
  if (!bar) return {};
  TdxBarItemLinks* links = ItemLinks();
  const int32_t saved = links ? links->RecentCount() : -1;
  if ((GetBehaviorFlags() & kSizesAsFloating) != 0) ASide = dsNone;
  const int32_t frameWidth = bar->GetNonClientWidth(ASide), frameHeight = bar->GetNonClientHeight(ASide);
  TdxDockControl* dock = DockControl() ? DockControl() : bar->GetRealDockControl();
  const bool wholeRow = bar->WholeRow() && dock;
  TSize result;
  if (ASide == dsNone) {
    const TSize client = CalcSizeForWidth(dsNone, bar->FloatClientWidth());
    result = TSize(client.cx + frameWidth, client.cy + frameHeight);
  } else if (IsVerticalSide(ASide)) {
    const int32_t height = wholeRow ? dock->ClientHeight() - frameHeight : GetFullHeight(ASide);
    const TSize client = CalcSizeForHeight(ASide, height);
    result = TSize(client.cx + frameWidth, wholeRow ? dock->ClientHeight() : client.cy + frameHeight);
  } else {
    const int32_t width = wholeRow ? dock->ClientWidth() - frameWidth : GetFullWidth(ASide);
    const TSize client = CalcSizeForWidth(ASide, width);
    result = TSize(wholeRow ? dock->ClientWidth() : client.cx + frameWidth, client.cy + frameHeight);
  }
  if (links && links->RecentCount() != saved) {
    links->SetRecentCount(saved);
    CalcItemPositions();
  }
  return result;
}

// ---------------------------------------------------------------- item positions

bool TdxBarControl::CanAlignItem(TdxBarItemControl* AControl) {
  TdxBarItemLinks* links = ItemLinks();
  if (!Bar() || !Bar()->UseRestSpace() || !AControl || !links) return false;
  const int32_t count = links->GetVisibleItemCount();
  return count > 0 && links->VisibleItems(count - 1) == AControl->ItemLink();
}

void TdxBarControl::FinishRow(const std::vector<TdxBarItemControl*>& ARow, int32_t AThickness) {
  const bool vertical = IsVertical();
  for (TdxBarItemControl* c : ARow) {
    TdxBarItemLink* link = c->ItemLink();
    TRect r = link->ItemRect();
    const int32_t shift = (AThickness - (vertical ? r.Width() : r.Height())) / 2;
    if (vertical)
      r.Offset(-shift, 0);
    else
      r.Offset(0, shift);
    link->SetItemRect(r);
    link->RowSize = AThickness;
  }
}

void TdxBarControl::CalcItemPositions() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return;
  links->ClearItemRects();
  const bool multi = IsMultiLine();
  const bool vertical = IsVertical();
  const TRect client = ClientRect();
  const int32_t clientWidth = client.Width();
  const int32_t clientLength = vertical ? client.Height() : client.Width();
  const int32_t clientThickness = vertical ? client.Width() : client.Height();
  const bool mdi = HasMDIButtons();
  const int32_t mdiAlong = mdi ? (vertical ? GetMDIButtonsHeight() : GetMDIButtonsWidth()) : 0;
  int32_t available = clientLength - (DockingStyle() != dsNone ? GetMarkSpace() : 0);
  int32_t rowThickness = multi ? 0 : clientThickness;
  if (!multi) available -= mdiAlong;
  const int32_t s = GetSeparatorSize();

  int32_t pos = 0, rowPos = 0;
  std::vector<TdxBarItemControl*> row;
  TdxBarItemControl* last = nullptr;
  const int32_t count = links->GetVisibleItemCount();
  for (int32_t i = 0; i < count; ++i) {
    TdxBarItemLink* link = links->VisibleItems(i);
    TdxBarItemControl* c = ControlOf(link);
    if (!c) continue;
    c->LastInRow = false;
    int32_t length = LengthOf(c);
    const int32_t thickness = ThicknessOf(c);
    int32_t separator = link->GetBeginGroup() && pos > 0 ? s : 0;
    if (((pos > 0 || WrapsAtRowStart()) && pos + separator + length > available) || (multi && StartsRow(c))) {
      if (!multi) break;
      if (last) last->LastInRow = true;
      FinishRow(row, rowThickness);
      row.clear();
      rowPos += rowThickness + separator;
      pos = 0;
      separator = 0;
      rowThickness = 0;
    }
    int32_t offset = 0;
    const TdxBarItemAlign align = CanAlignItem(c) ? c->GetAlign() : iaLeft;
    if (align != iaLeft) {
      if (multi && mdi && pos + separator + length <= available - mdiAlong) available -= mdiAlong;
      const int32_t space = std::max(available - (pos + separator + length), 0);
      if (align == iaCenter) offset = space / 2;
      if (align == iaRight) offset = space;
      if (align == iaClient) {
        const int32_t minLength = vertical ? c->GetMinHeight() : c->GetMinWidth();
        length = std::max(available - (pos + separator), minLength);
      }
    }
    const int32_t start = pos + separator + offset;
    TRect r;
    if (multi && !vertical) {
      r = TRect(start, rowPos, start + length, rowPos + thickness);
    } else if (multi) {
      const int32_t left = clientWidth - rowPos - thickness;
      r = TRect(left, start, left + thickness, start + length);
    } else {
      const int32_t across = (clientThickness - thickness) / 2;
      r = vertical ? TRect(across, start, across + thickness, start + length)
                   : TRect(start, across, start + length, across + thickness);
    }
    if (align != iaLeft) {
      pos = available;
      if (i < count - 1) HiddenLinks = true;
    } else {
      pos += separator + length;
    }
    rowThickness = std::max(rowThickness, thickness);
    link->SetItemRect(r);
    link->RowSize = rowThickness;
    row.push_back(c);
    last = c;
  }
  if (last) last->LastInRow = true;
  if (multi) FinishRow(row, rowThickness);
}

// ---------------------------------------------------------------- paint rectangle and region

TRect TdxBarControl::GetItemPaintRect(TdxBarItemControl* AControl) {
  if (!AControl || !AControl->ItemLink()) return {};
  TdxBarItemLink* link = AControl->ItemLink();
  TRect r = link->ItemRect();
  if (r.IsEmpty()) return r;
  const int32_t rowThickness = link->RowSize;
  if (IsVertical()) {
    if (rowThickness <= r.Width()) return r;
    r.Left -= (rowThickness - r.Width()) / 2;
    r.Right = r.Left + rowThickness;
  } else {
    if (rowThickness <= r.Height()) return r;
    r.Top -= (rowThickness - r.Height()) / 2;
    r.Bottom = r.Top + rowThickness;
  }
  return r;
}

win::HRGN TdxBarControl::GetItemRegion(TdxBarItemControl* AControl) {
  const TRect r = GetItemPaintRect(AControl);
  win::HRGN region = win::CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
  int32_t index = 0;
  if (region && ViewInfo()->FindSeparatorOfControl(AControl, index)) {
    TdxBarSeparatorInfo info;
    ViewInfo()->SeparatorAt(index, info);
    win::HRGN separator = win::CreateRectRgn(info.Bounds.Left, info.Bounds.Top, info.Bounds.Right, info.Bounds.Bottom);
    win::CombineRgn(region, region, separator, win::RGN_DIFF);
    win::DeleteObject(separator);
  }
  return region;
}

TClass TdxBarControl::GetViewInfoClass() { return TdxBarControlViewInfo::StaticClass(); }

// ---------------------------------------------------------------- re-layout

void TdxBarControl::Resize() {
  TCustomdxBarControl::Resize();
  if (HasState(bcsDestructionStarted) || IsDestroying()) return;
  CalcItemPositions();
  CalcViewInfo();
}

void TdxBarControl::Rebuild(bool ARecreate) {
  TCustomdxBarControl::Rebuild(ARecreate);
  if (DockingStyle() != dsNone) {
    if (TdxDockControl* dock = DockControl()) dock->UpdateDock();
  } else if (HandleAllocated()) {
    const TSize size = CalcSizeForWidth(dsNone, ClientWidth());
    SetClientSize(size.cx, size.cy);
  }
  CalcItemPositions();
  CalcViewInfo();
  if (Visible()) Invalidate();
}

// ---------------------------------------------------------------- view info

TObject* TdxBarControlViewInfo::Make(TObject* ABarControl) {
  return new TdxBarControlViewInfo(dynamic_cast<TCustomdxBarControl*>(ABarControl));
}

void TdxBarControlViewInfo::Calculate() {
  TCustomdxBarControl* window = BarControl();
  if (!window) return;
  window->Recalculate();
  TCustomdxBarControlViewInfo::Calculate();
  TdxBarItemLinks* links = window->ItemLinks();
  for (int32_t i = 0; links && i < links->GetVisibleItemCount(); ++i) {
    TdxBarItemLink* link = links->VisibleItems(i);
    TdxBarItemControl* c = link->Control();
    if (!c) continue;
    TdxBarItemControlViewInfo* info = c->ViewInfo();
    AppendItemControlInfo(info);
    info->SetBounds(link->ItemRect());
    AddSeparatorForLink(link);
  }
}

void TdxBarControlViewInfo::AddSeparatorForLink(TdxBarItemLink* ALink) {
  if (CanShowSeparators() && ALink->GetBeginGroup() && !ALink->ItemRect().IsEmpty()) CalcSeparator(ALink);
}

void TdxBarControlViewInfo::CalcSeparator(TdxBarItemLink* ALink) {
  auto* window = dynamic_cast<TdxBarControl*>(BarControl());
  if (!window) return;
  const TRect r = ALink->ItemRect();
  const int32_t s = window->GetSeparatorSize();
  const int32_t m = window->DockingStyle() != dsNone ? window->GetMarkSpace() : 0;
  const int32_t rowThickness = ALink->RowSize, w = r.Width(), h = r.Height();
  const TRect client = window->ClientRect();
  const bool vertical = window->IsVertical();
  TRect bounds;
  uint8_t kind;
  if (!vertical && window->IsMultiLine() && r.Left == 0 && r.Top > 0) {
    kind = 0;
    const int32_t top = r.Top - (rowThickness - h) / 2 - s;
    bounds = TRect(0, top, client.Width() - m, top + s);
  } else if (vertical && r.Top > 0) {
    kind = 0;
    const int32_t left = r.Left - (rowThickness - w) / 2;
    bounds = TRect(left, r.Top - s, left + rowThickness, r.Top);
  } else if (vertical) {
    kind = 1;
    const int32_t left = r.Right + (rowThickness - w) / 2;
    bounds = TRect(left, 0, left + s, client.Height() - m);
  } else {
    kind = 1;
    const int32_t top = r.Top - (rowThickness - h) / 2;
    bounds = TRect(r.Left - s, top, r.Left, top + rowThickness);
  }
  AppendSeparator(bounds, kind, ALink->Control());
}
