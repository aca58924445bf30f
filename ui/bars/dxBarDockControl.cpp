// Dock sites: rows and columns of docked toolbar windows, the arrangement of
// a row (positions, lengths, the row's thickness), the dock site's own size
// and its window messages.
#include <algorithm>
#include <memory>
#include <utility>

#include "platform/gdi/edge.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarToolbarControl.h"

namespace {

// Keeps the parent's alignment off for the length of a scope.
class TAlignLock {
public:
  explicit TAlignLock(TWinControl* AControl) : control_(AControl) {
    if (control_) control_->DisableAlign();
  }
  ~TAlignLock() {
    if (control_) control_->EnableAlign();
  }
  TAlignLock(const TAlignLock&) = delete;
  TAlignLock& operator=(const TAlignLock&) = delete;

private:
  TWinControl* control_;
};

TdxBarDockingStyle SideOfAlign(TAlign AAlign) {
  switch (AAlign) {
    case alBottom: return dsBottom;
    case alLeft: return dsLeft;
    case alRight: return dsRight;
    default: return dsTop;
  }
}

TAlign AlignOfSide(TdxBarDockingStyle ASide) {
  switch (ASide) {
    case dsLeft: return alLeft;
    case dsRight: return alRight;
    case dsBottom: return alBottom;
    default: return alTop;
  }
}

// The window system works the frame out again.
void RecalcFrame(TWinControl* AControl) {
  constexpr win::UINT flags =
      win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE | win::SWP_FRAMECHANGED;
  if (AControl->HandleAllocated()) win::SetWindowPos(AControl->Handle(), nullptr, 0, 0, 0, 0, flags);
}

// What one column's window asks of its row while the row is arranged. The
// window's own layout fields get the results at the end.
struct TColLayout {
  TdxBarControl* Control = nullptr;
  TdxDockCol* Col = nullptr;
  int32_t MinLength = 0, FullLength = 0;
  int32_t Pos = 0, Length = 0, Thickness = 0;
  bool HiddenLinks = false;
};

}  // namespace

// ---------------------------------------------------------------- columns

TdxDockCol::TdxDockCol(TdxDockRow* ARow, TdxBarControl* ABarControl)
    : row_(ARow), link_(AddObjectLink(ABarControl)) {}

TdxDockCol::~TdxDockCol() { RemoveObjectLink(link_); }

TdxBarControl* TdxDockCol::BarControl() const {
  return link_ ? static_cast<TdxBarControl*>(link_->Target) : nullptr;
}

void TdxDockCol::StorePosition() {
  if (TdxBarControl* c = BarControl()) Pos = TPoint(c->Left(), c->Top());
}

// ---------------------------------------------------------------- rows

TdxDockRow::~TdxDockRow() {
  cols_.clear();
  std::vector<TdxBar*> bars;
  bars.swap(Bars);
  for (TdxBar* bar : bars)
    if (bar->DockRow() == this) bar->SetDockRow(nullptr);
}

TdxDockCol* TdxDockRow::GetCol(int32_t Index) const {
  return Index >= 0 && Index < GetColCount() ? cols_[size_t(Index)].get() : nullptr;
}

int32_t TdxDockRow::IndexOfCol(const TdxBarControl* ABarControl) const {
  for (int32_t i = 0; i < GetColCount(); ++i)
    if (ABarControl && cols_[size_t(i)]->BarControl() == ABarControl) return i;
  return -1;
}

TdxDockCol* TdxDockRow::AddBarControl(TdxBarControl* ABarControl) {
  return InsertBarControl(GetColCount(), ABarControl);
}

TdxDockCol* TdxDockRow::InsertBarControl(int32_t Index, TdxBarControl* ABarControl) {
  Index = std::clamp(Index, 0, GetColCount());
  auto col = std::make_unique<TdxDockCol>(this, ABarControl);
  TdxDockCol* result = col.get();
  cols_.insert(cols_.begin() + Index, std::move(col));
  return result;
}

void TdxDockRow::RemoveBarControl(const TdxBarControl* ABarControl) { DeleteCol(IndexOfCol(ABarControl)); }

void TdxDockRow::DeleteCol(int32_t Index) {
  if (Index >= 0 && Index < GetColCount()) cols_.erase(cols_.begin() + Index);
}

void TdxDockRow::AddBar(TdxBar* ABar) {
  if (!ABar) return;
  if (std::find(Bars.begin(), Bars.end(), ABar) == Bars.end()) Bars.push_back(ABar);
  auto* c = dynamic_cast<TdxBarControl*>(ABar->GetControl());
  if (c && c->DockControl() == dockControl_ && !dockControl_->FindCol(c))
    AddBarControl(c)->Pos = TPoint(ABar->DockedLeft(), ABar->DockedTop());
}

void TdxDockRow::RemoveBar(TdxBar* ABar, bool DeleteWhenEmpty) {
  std::erase(Bars, ABar);
  if (ABar)
    if (auto* c = dynamic_cast<TdxBarControl*>(ABar->GetControl())) RemoveBarControl(c);
  if (Bars.empty() && DeleteWhenEmpty) dockControl_->DeleteRow(dockControl_->IndexOfRow(this));
}

bool TdxDockRow::HasDockedBar() const {
  return std::any_of(cols_.begin(), cols_.end(), [](const auto& col) { return col->BarControl() != nullptr; });
}

void TdxDockRow::UpdateOneOnRow() {
  const bool one = GetColCount() == 1;
  for (const auto& col : cols_)
    if (TdxBarControl* c = col->BarControl())
      if (TdxBar* bar = c->Bar()) {
        bar->SetOneOnRow(one);
        bar->SetRowMateHidden(false);
      }
}

void TdxDockRow::DropDeadCols() {
  std::erase_if(cols_, [](const auto& col) { return col->BarControl() == nullptr; });
}

// ---------------------------------------------------------------- dock site

TdxDockControl::TdxDockControl(TComponent* AOwner)
    : TCustomControl(AOwner),
      backgroundBitmap_(CreateNotifyingBitmap([this](TObject* Sender) { BackgroundChanged(Sender); })),
      backgroundCache_(std::make_unique<TBitmap>()) {
  SetParentColor(true);
}

TdxDockControl::~TdxDockControl() {
  SetBarManager(nullptr);
  rows_.clear();
}

TdxDockControl* TdxDockControl::CreateEdgeDock(TWinControl* AOwner, TdxBarDockingStyle ASide,
                                               TdxBarManager* AManager) {
  auto* dock = new TdxDockControl(nullptr);
  dock->SetAlign(AlignOfSide(ASide));
  TControlStyle style = dock->ControlStyle();
  style.Include(csDoubleClicks);
  style.Include(csNoDesignVisible);
  if (ASide == dsTop) style.Include(csActionClient);
  dock->SetControlStyle(style);
  dock->SetEdgeSide(ASide);
  if (IsVerticalDockingStyle(ASide))
    dock->SetWidth(0);
  else
    dock->SetHeight(0);
  dock->SetParent(AOwner);
  dock->SetBarManager(AManager);
  return dock;
}

void TdxDockControl::SetBarManager(TdxBarManager* Value) {
  if (barManager_ == Value) return;
  if (TdxBarManager* old = barManager_) {
    old->RemoveDockControl(this);
    old->RemoveFreeNotification(this);
  }
  barManager_ = Value;
  if (Value) {
    Value->AddDockControl(this);
    Value->FreeNotification(this);
  }
  ManagerChanged();
}

void TdxDockControl::SetBackgroundBitmap(TBitmap* Value) { backgroundBitmap_->Assign(Value); }

void TdxDockControl::BackgroundChanged(TObject*) {
  ClearBackgroundCache();
  Invalidate();
  UpdateDoubleBuffered();
  RefreshBars();
}

TdxBarDockingStyle TdxDockControl::GetSide() const { return SideOfAlign(Align()); }

TdxDockRow* TdxDockControl::GetRow(int32_t Index) const {
  return Index >= 0 && Index < GetRowCount() ? rows_[size_t(Index)].get() : nullptr;
}

int32_t TdxDockControl::IndexOfRow(const TdxDockRow* ARow) const {
  for (int32_t i = 0; i < GetRowCount(); ++i)
    if (rows_[size_t(i)].get() == ARow) return i;
  return -1;
}

TdxDockRow* TdxDockControl::AddRow() { return InsertRow(GetRowCount()); }

TdxDockRow* TdxDockControl::InsertRow(int32_t Index) {
  Index = std::clamp(Index, 0, GetRowCount());
  auto row = std::make_unique<TdxDockRow>(this);
  TdxDockRow* result = row.get();
  rows_.insert(rows_.begin() + Index, std::move(row));
  return result;
}

void TdxDockControl::DeleteRow(int32_t Index) {
  if (Index < 0 || Index >= GetRowCount()) return;
  // The row leaves the list before it goes, so its bars find no row to leave.
  std::unique_ptr<TdxDockRow> row = std::move(rows_[size_t(Index)]);
  rows_.erase(rows_.begin() + Index);
}

TdxDockCol* TdxDockControl::FindCol(const TdxBarControl* ABarControl) const {
  for (const auto& row : rows_)
    if (TdxDockCol* col = row->GetCol(row->IndexOfCol(ABarControl))) return col;
  return nullptr;
}

// ---------------------------------------------------------------- rows' geometry

int32_t TdxDockControl::GetRowThickness(int32_t Index) {
  TdxDockRow* row = GetRow(Index);
  if (!row || !row->HasDockedBar()) return 0;
  int32_t thickness = 0;
  for (int32_t i = 0; i < row->GetColCount(); ++i)
    if (TdxBarControl* c = row->GetCol(i)->BarControl())
      thickness = std::max(thickness, IsVertical() ? c->Width() : c->Height());
  if (Index < GetRowCount() - 1)
    if (TdxBarPainter* painter = GetPainter()) thickness += painter->DockRowSpacing();
  return thickness;
}

TRect TdxDockControl::GetRowRect(int32_t Index) {
  if (Index < 0 || Index >= GetRowCount()) return TRect();
  const TRect client = ClientRect();
  int32_t start = 0;
  const bool fromFarEdge = (GetSide() == dsRight || GetSide() == dsBottom) && barManager_ &&
                           barManager_->Bars() && barManager_->Bars()->Moving;
  if (fromFarEdge) {
    start = IsVertical() ? client.Width() : client.Height();
    for (int32_t i = Index; i < GetRowCount(); ++i) start -= GetRowThickness(i);
  } else {
    for (int32_t i = 0; i < Index; ++i) start += GetRowThickness(i);
  }
  const int32_t thickness = GetRowThickness(Index);
  return IsVertical() ? Bounds(start, 0, thickness, client.Height()) : Bounds(0, start, client.Width(), thickness);
}

int32_t TdxDockControl::GetRowsSize() {
  int32_t size = 0;
  for (int32_t i = 0; i < GetRowCount(); ++i) size += GetRowThickness(i);
  return size;
}

bool TdxDockControl::GetSunkenBorder() { return barManager_ && barManager_->SunkenBorder(); }

// ---------------------------------------------------------------- arranging

void TdxDockControl::UpdateDock() {
  if (!barManager_ || barManager_->IsBarsUpdateLocked() || barManager_->InDestruction()) return;
  ArrangeAll();
  UpdateSize();
}

void TdxDockControl::ArrangeAll() {
  if (!barManager_ || barManager_->IsRestoringBars() || barManager_->InDestruction()) return;
  if (!IsDesigning() && HandleAllocated())
    win::SetWindowPos(Handle(), win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  {
    TAlignLock lock(this);
    ArrangeRows();
  }
  Invalidate();
}

void TdxDockControl::ArrangeRows() {
  const int32_t length = IsVertical() ? ClientHeight() : ClientWidth();
  // A row may go while an earlier one is arranged (a bar window destroyed
  // by its own move); the index is checked again every time.
  for (int32_t i = 0; i < GetRowCount(); ++i) {
    TdxDockRow* row = GetRow(i);
    row->DropDeadCols();
    if (row->HasDockedBar()) ArrangeRow(i, length);
  }
}

void TdxDockControl::ArrangeRow(int32_t Index, int32_t Length) {
  TdxDockRow* row = GetRow(Index);
  if (!row) return;
  row->DropDeadCols();
  const int32_t count = row->GetColCount();
  if (count == 0) return;
  const TdxBarDockingStyle side = GetSide();
  const bool vertical = IsVertical();
  TRect rowRect = GetRowRect(Index);
  if (vertical) rowRect = TRect(rowRect.Top, rowRect.Left, rowRect.Bottom, rowRect.Right);
  const int32_t origin = rowRect.Left, across = rowRect.Top;
  TdxBarPainter* painter = GetPainter();
  const bool painterShowsMarks = !painter || painter->BarShowsMark();
  const int32_t markSize = painter ? painter->BarMarkSize() : 0;

  std::vector<TColLayout> cols(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    TColLayout& l = cols[size_t(i)];
    l.Col = row->GetCol(i);
    l.Control = l.Col->BarControl();
  }
  auto frameAlong = [&](const TColLayout& l) {
    TdxBar* bar = l.Control->Bar();
    if (!bar) return 0;
    return vertical ? bar->GetNonClientHeight(side) : bar->GetNonClientWidth(side);
  };
  auto frameAcross = [&](const TColLayout& l) {
    TdxBar* bar = l.Control->Bar();
    if (!bar) return 0;
    return vertical ? bar->GetNonClientWidth(side) : bar->GetNonClientHeight(side);
  };
  // The thickness across the row for a length along it.
  auto thicknessFor = [&](const TColLayout& l, int32_t ALength) {
    int32_t client = ALength - frameAlong(l);
    if (!painterShowsMarks) client -= l.Control->GetMarkSize();
    if (vertical) return l.Control->CalcSizeForHeight(side, client).cx;
    return l.Control->CalcSizeForWidth(side, client).cy;
  };
  auto fullThickness = [&](const TColLayout& l) {
    return vertical ? l.Control->GetFullWidth(side) : l.Control->GetFullHeight(side);
  };
  auto isMultiLine = [](const TColLayout& l) { return l.Control->IsMultiLine(); };

  // 1. limits
  int32_t fullSum = 0;
  for (TColLayout& l : cols) {
    l.Control->HiddenLinks = false;
    if (TdxBarItemLinks* links = l.Control->ItemLinks()) links->SetRecentCount(-1);
    l.MinLength = (vertical ? l.Control->GetMinHeight(side) : l.Control->GetMinWidth(side)) + frameAlong(l);
    l.FullLength = (vertical ? l.Control->GetFullHeight(side) : l.Control->GetFullWidth(side)) + frameAlong(l);
    if (!l.Control->HasMark() && l.MinLength != l.FullLength) l.MinLength += markSize;
    fullSum += l.FullLength;
  }
  auto sumBefore = [&](int32_t AIndex, bool AFull) {
    int32_t sum = 0;
    for (int32_t j = 0; j < AIndex; ++j) sum += AFull ? cols[size_t(j)].FullLength : cols[size_t(j)].MinLength;
    return sum;
  };
  auto storedAlong = [&](const TColLayout& l) { return vertical ? l.Col->Pos.Y : l.Col->Pos.X; };
  auto thicknessAtFull = [&](const TColLayout& l) {
    return (isMultiLine(l) ? thicknessFor(l, l.FullLength) : fullThickness(l)) + frameAcross(l);
  };

  TdxBar* firstBar = cols[0].Control->Bar();
  if (firstBar && firstBar->WholeRow()) {
    // 3. whole row: one window alone
    TColLayout& l = cols[0];
    l.Pos = origin;
    l.Length = std::max(Length, l.MinLength);
    l.Thickness = thicknessFor(l, l.Length) + frameAcross(l);
    l.HiddenLinks = !isMultiLine(l) && l.Length < l.FullLength;
    // A row of a whole-row bar holds no other window; one that got there keeps its bounds.
    for (int32_t i = 1; i < count; ++i) cols[size_t(i)].Control = nullptr;
  } else if (Length < fullSum) {
    // 5. shrink: from the last column, each keeps what the ones before leave it
    int32_t limit = Length;
    for (int32_t i = count - 1; i >= 0; --i) {
      TColLayout& l = cols[size_t(i)];
      const int32_t minBefore = sumBefore(i, false), fullBefore = sumBefore(i, true);
      int32_t pos = std::clamp(storedAlong(l), minBefore, std::max(minBefore, fullBefore));
      if (i > 0 && IsDraggedBarControl(cols[size_t(i - 1)].Control)) {
        const TColLayout& prev = cols[size_t(i - 1)];
        const int32_t pulled = std::max(storedAlong(prev), minBefore - prev.MinLength) + prev.FullLength;
        if (pulled < pos) {
          pos = pulled;
          (vertical ? l.Col->Pos.Y : l.Col->Pos.X) = pulled;
        }
      }
      if (limit - pos < l.FullLength) {
        l.Length = std::max(limit - pos, l.MinLength);
        l.HiddenLinks = !isMultiLine(l) && l.MinLength != l.FullLength;
        l.Thickness = thicknessFor(l, l.Length) + frameAcross(l);
      } else {
        l.Length = l.FullLength;
        l.Thickness = thicknessAtFull(l);
      }
      if (i == 0) l.Length = std::max(l.Length, limit - origin);
      l.Pos = std::min(std::max(limit - l.Length, minBefore), std::max(minBefore, fullBefore));
      limit -= l.Length;
    }
  } else {
    // 4. free: every window at full length, as near its stored place as the row allows
    int32_t limit = Length;
    for (int32_t i = count - 1; i >= 0; --i) {
      TColLayout& l = cols[size_t(i)];
      l.Length = l.FullLength;
      l.Thickness = thicknessAtFull(l);
      int32_t pos = storedAlong(l);
      if (pos + l.Length > limit) pos = limit - l.Length;
      l.Pos = std::max(pos, sumBefore(i, true));
      limit = l.Pos;
    }
  }

  // 6. rest space
  const bool autoAlign = barManager_ && barManager_->AutoAlignBars();
  for (int32_t i = 0; i < count; ++i) {
    TColLayout& l = cols[size_t(i)];
    if (!l.Control) continue;
    TdxBar* bar = l.Control->Bar();
    const bool restSpace = bar && bar->UseRestSpace();
    if (!restSpace && !autoAlign) continue;
    l.Pos = i == 0 ? origin : cols[size_t(i - 1)].Pos + cols[size_t(i - 1)].Length;
    if (restSpace) {
      const int32_t end = i + 1 < count ? cols[size_t(i + 1)].Pos : Length;
      l.Length = std::max(end - l.Pos, l.MinLength);
    }
  }

  // 7. bounds
  TColLayout& last = cols[size_t(count - 1)];
  if (last.HiddenLinks) last.Length = std::max(Length - last.Pos, last.MinLength);
  int32_t rowThickness = 0;
  for (const TColLayout& l : cols)
    if (l.Control) rowThickness = std::max(rowThickness, l.Thickness);

  // Moving a window may destroy windows of this row (their handlers run);
  // each is checked before it is touched.
  std::vector<std::unique_ptr<TcxObjectLink, void (*)(TcxObjectLink*)>> links;
  for (const TColLayout& l : cols) links.emplace_back(AddObjectLink(l.Control), RemoveObjectLink);
  for (int32_t i = 0; i < count; ++i) {
    if (!links[size_t(i)] || !links[size_t(i)]->Target) continue;
    TColLayout& l = cols[size_t(i)];
    l.Thickness = rowThickness;
    thicknessFor(l, l.Length);
    TRect target = Bounds(l.Pos, across, l.Length, l.Thickness);
    if (vertical) target = Bounds(across, l.Pos, l.Thickness, l.Length);
    l.Control->MinLength = l.MinLength;
    l.Control->FullLength = l.FullLength;
    l.Control->HiddenLinks = l.HiddenLinks;
    l.Control->TargetLeft = target.Left;
    l.Control->TargetTop = target.Top;
    l.Control->TargetWidth = target.Width();
    l.Control->TargetHeight = target.Height();
    if (target != l.Control->BoundsRect()) {
      if (l.Control->HandleAllocated())
        win::SetWindowPos(l.Control->Handle(), nullptr, target.Left, target.Top, target.Width(), target.Height(),
                          win::SWP_NOACTIVATE | win::SWP_NOZORDER);
      else
        l.Control->SetBounds(target.Left, target.Top, target.Width(), target.Height());
      if (!links[size_t(i)]->Target) continue;
    }
    l.Control->CalcItemPositions();
  }
}

void TdxDockControl::UpdateSize() {
  int32_t size = GetRowsSize();
  if (GetSunkenBorder() && size > 0) size += 2;
  const bool vertical = IsVertical();
  const int32_t old = vertical ? Width() : Height();
  if (size == old) return;
  if (vertical) {
    if (GetSide() == dsRight) {
      TAlignLock lock(Parent());
      SetBounds(Left() + old - size, Top(), size, Height());
    } else {
      SetWidth(size);
    }
  } else if (GetSide() == dsBottom) {
    TAlignLock lock(Parent());
    SetBounds(Left(), Top() + old - size, Width(), size);
  } else {
    SetHeight(size);
  }
  if (Visible()) CloseMenuAfterResize();
}

// A menu dropped from a bar of this dock would hang in the air once the dock
// changed its size.
void TdxDockControl::CloseMenuAfterResize() {
  TCustomdxBarControl* current = CurrentBarControl();
  if (!current || !IsLiveBarControl(current)) return;
  TCustomdxBarControl* root = RootNonMenuBarControl(current);
  if (!root || root->GetBarKind() == 1) return;
  if (current->HandleAllocated() && win::GetCapture() == current->Handle()) return;
  const bool rootOnFormDock =
      dynamic_cast<TdxBarControl*>(root) && root->DockControl() && !root->DockControl()->IsEdgeDock();
  if (dynamic_cast<TdxBarControl*>(root) && !rootOnFormDock && !IsEdgeDock()) return;
  if (root->GetBarManager() != barManager_ && GetParentForm()) return;
  current->Hide();
}

// ---------------------------------------------------------------- docking

bool TdxDockControl::IsDraggedBarControl(TdxBarControl* ABarControl) const {
  if (!ABarControl || !barManager_ || !barManager_->Bars()) return false;
  TdxBars* bars = barManager_->Bars();
  return bars->Moving && bars->MovingBarControl == ABarControl && ABarControl->UpdateCount() == 0;
}

void TdxDockControl::DockBar(TdxBarControl* ABarControl, TPoint AScreenPoint, bool AUpdatePosition) {
  if (!barManager_ || !ABarControl) return;
  TdxBar* bar = ABarControl->Bar();
  const bool programmed = ABarControl->UpdateCount() > 0;
  const bool dragged = IsDraggedBarControl(ABarControl);
  const bool restoring = barManager_->IsRestoringBars() || barManager_->IsRecreatingBarHandles();
  // A window has one column in one dock site.
  UndockBar(ABarControl, nullptr, false);

  // 1. row and new-row flag
  int32_t index = 0;
  bool newRow = false;
  if (programmed || !dragged) {
    index = UsesBarRows() && bar ? bar->GetRow() : 0;
    newRow = bar && bar->OneOnRow();
  } else {
    index = RowIndexAtPoint(AScreenPoint, newRow);
  }
  if (bar && bar->WholeRow()) newRow = true;
  // 2. range
  const bool appendMissing = programmed && restoring;
  if (appendMissing) {
    while (GetRowCount() < index) AddRow();
  } else {
    index = std::clamp(index, 0, newRow ? GetRowCount() : std::max(0, GetRowCount() - 1));
  }
  // 3. a new row at the end; a row of a WholeRow bar is not shared
  if (index >= GetRowCount()) newRow = true;
  if (TdxDockRow* row = GetRow(index); row && !newRow)
    for (int32_t i = 0; i < row->GetColCount(); ++i)
      if (TdxBarControl* c = row->GetCol(i)->BarControl(); c && c != ABarControl && c->Bar() && c->Bar()->WholeRow())
        newRow = true;
  // 4. the column
  TdxDockRow* row;
  TdxDockCol* col;
  if (newRow) {
    // Bars restored in their stored order find the rows that the first of them made.
    row = appendMissing && GetRow(index) ? GetRow(index) : InsertRow(index);
    col = row->AddBarControl(ABarControl);
  } else {
    row = GetRow(index);
    col = row->InsertBarControl(ColIndexAtPoint(index, AScreenPoint), ABarControl);
    row->UpdateOneOnRow();
  }
  // 5. the bar joins the row
  if (bar) bar->SetDockRow(row);
  // 6. the wanted place
  TPoint p = AScreenPoint;
  if (dragged) p = p - TPoint(barManager_->Bars()->MovingOffsetX, barManager_->Bars()->MovingOffsetY);
  p = ScreenToClient(p);
  if (IsHorizontal())
    p.X = std::max(p.X, 0);
  else
    p.Y = std::max(p.Y, 0);
  col->Pos = p;
  // 7. the window follows
  if (!AUpdatePosition) return;
  if (!dragged) ABarControl->SetBounds(p.X, p.Y, ABarControl->Width(), ABarControl->Height());
  UpdateDock();
  if (!restoring)
    if (TdxDockCol* c = FindCol(ABarControl)) c->StorePosition();
}

void TdxDockControl::UndockBar(TdxBarControl* ABarControl, TdxDockCol* ACol, bool AUpdate) {
  if (!ACol) ACol = FindCol(ABarControl);
  if (ACol) {
    TdxDockRow* row = ACol->Row();
    for (int32_t i = 0; i < row->GetColCount(); ++i)
      if (row->GetCol(i) == ACol) {
        row->DeleteCol(i);
        break;
      }
  }
  if (AUpdate) UpdateDock();
}

void TdxDockControl::MoveBarInDock(TdxBarControl* ABarControl, TPoint AScreenPoint) {
  UndockBar(ABarControl, nullptr, false);
  DockBar(ABarControl, AScreenPoint, true);
  if (NeedsBufferedBackground()) RefreshBars();
}

void TdxDockControl::StoreAllPositions() {
  for (const auto& row : rows_)
    for (int32_t i = 0; i < row->GetColCount(); ++i) row->GetCol(i)->StorePosition();
}

// The zones of the drag code come with moving bars between docks; until
// then a point picks the row it lies in, or a new row past the last.
int32_t TdxDockControl::RowIndexAtPoint(TPoint AScreenPoint, bool& ANewRow) {
  const TPoint p = ScreenToClient(AScreenPoint);
  for (int32_t i = 0; i < GetRowCount(); ++i)
    if (GetRowRect(i).Contains(p)) {
      ANewRow = false;
      return i;
    }
  ANewRow = true;
  return (IsVertical() ? p.X : p.Y) < 0 ? 0 : GetRowCount();
}

int32_t TdxDockControl::ColIndexAtPoint(int32_t ARowIndex, TPoint AScreenPoint) {
  TdxDockRow* row = GetRow(ARowIndex);
  if (!row || row->GetColCount() == 0) return 0;
  TPoint p = ScreenToClient(AScreenPoint);
  if (barManager_ && barManager_->Bars() && barManager_->Bars()->Moving)
    if (auto* moving = dynamic_cast<TdxBarControl*>(barManager_->Bars()->MovingBarControl);
        moving && moving->UpdateCount() == 0)
      p = p - TPoint(barManager_->Bars()->MovingOffsetX, barManager_->Bars()->MovingOffsetY);
  const int32_t along = IsVertical() ? p.Y : p.X;
  for (int32_t i = 0; i < row->GetColCount(); ++i) {
    TdxBarControl* c = row->GetCol(i)->BarControl();
    TdxBar* bar = c ? c->Bar() : nullptr;
    if (bar && (IsVertical() ? bar->DockedTop() : bar->DockedLeft()) >= along) return i;
  }
  return row->GetColCount();
}

// ---------------------------------------------------------------- look

void TdxDockControl::RecalcAll() {
  if (HandleAllocated()) {
    RecalcFrame(this);
    for (const auto& row : rows_)
      for (int32_t i = 0; i < row->GetColCount(); ++i)
        if (TdxBarControl* c = row->GetCol(i)->BarControl()) RecalcFrame(c);
  }
  UpdateDock();
}

void TdxDockControl::ManagerChanged() { ClearBackgroundCache(); }

bool TdxDockControl::CanDockBar(TdxBar*) { return allowDocking_; }

void TdxDockControl::UpdateColor() {
  if (!barManager_ || barManager_->AutoDockColor())
    SetParentColor(true);
  else
    SetColor(barManager_->DockColor());
}

TdxBarPainter* TdxDockControl::GetPainter() { return barManager_ ? barManager_->DefaultPainter() : nullptr; }

bool TdxDockControl::HasBackgroundBitmap() { return !backgroundBitmap_->Empty(); }

bool TdxDockControl::IsDesigning() { return InState(csDesigning); }

namespace {
TBitmap* ManagerBarBitmap(TdxBarManager* AManager) {
  return AManager && AManager->Backgrounds() ? AManager->Backgrounds()->Bar() : nullptr;
}
}  // namespace

bool TdxDockControl::NeedsBufferedBackground() {
  TBitmap* managerBitmap = ManagerBarBitmap(barManager_);
  TdxBarPainter* painter = GetPainter();
  return HasBackgroundBitmap() || (painter && painter->HasNativeBackground()) ||
         (managerBitmap && !managerBitmap->Empty());
}

void TdxDockControl::FillBackground(win::HDC DC, const TRect& ADest, TColor AColor, win::HBRUSH ABrush,
                                    const TRect& AClipRect) {
  TBitmap* bitmap = HasBackgroundBitmap() ? backgroundBitmap_.get() : ManagerBarBitmap(barManager_);
  if (bitmap && !bitmap->Empty()) {
    FillRectWithBitmapOrColor(DC, ADest, ADest, bitmap, AColor, ABrush);
    return;
  }
  const TRect client = ClientRect();
  if (client.IsEmpty()) return;
  if (TdxBarPainter* painter = GetPainter())
    painter->DockFillBackground(this, DC, ADest, AClipRect, nullptr, AColor);
  else
    FillRectWithBitmapOrColor(DC, ADest, ADest, nullptr, AColor, ABrush);
}

void TdxDockControl::RefreshBars() {
  for (const auto& row : rows_)
    for (int32_t i = 0; i < row->GetColCount(); ++i)
      if (TdxBarControl* c = row->GetCol(i)->BarControl()) c->RefreshAll();
}

// ---------------------------------------------------------------- framework

void TdxDockControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == barManager_) SetBarManager(nullptr);
}

void TdxDockControl::AlignControls(TControl* AControl, TRect& Rect) {
  if (barManager_ && !barManager_->InLoading()) UpdateDock();
  (void)AControl;
  (void)Rect;
}

void TdxDockControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = win::WS_CHILD | win::WS_CLIPSIBLINGS | win::WS_CLIPCHILDREN;
  Params.ExStyle = 0;
  Params.WindowClassStyle = win::CS_DBLCLKS;
}

void TdxDockControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case win::WM_DESTROY:
      if (barManager_) barManager_->BeginRestoringBars();
      break;
    case win::WM_ERASEBKGND: {
      const TRect client = ClientRect();
      FillBackground(reinterpret_cast<win::HDC>(m.WParam), client, Color(), nullptr, client);
      m.Result = 1;
      return;
    }
    case win::WM_GETOBJECT:
      TWinControl::DefaultHandler(m);
      return;
    case win::WM_NCCALCSIZE:
      TCustomControl::Dispatch(m);
      if (GetSunkenBorder() && m.LParam) {
        win::RECT* r = m.WParam ? &reinterpret_cast<win::NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                                : reinterpret_cast<win::RECT*>(m.LParam);
        r->Left += 1;
        r->Top += 1;
        r->Right -= 1;
        r->Bottom -= 1;
      }
      return;
    case win::WM_NCPAINT:
      TCustomControl::Dispatch(m);
      if (GetSunkenBorder() && HandleAllocated()) {
        const win::HDC dc = win::GetWindowDC(Handle());
        win::RECT r{0, 0, Width(), Height()};
        win::DrawEdge(dc, &r, win::BDR_SUNKENOUTER, win::BF_RECT);
        win::ReleaseDC(Handle(), dc);
      }
      return;
    case win::WM_SIZE:
      HandleSize(m);
      return;
    case win::WM_WINDOWPOSCHANGED:
      HandleWindowPosChanged(m);
      return;
    case win::WM_LBUTTONDBLCLK:
      if (barManager_ && barManager_->CanCustomize()) barManager_->SetCustomizingFlag(true);
      m.Result = 0;
      return;
    case win::WM_MOUSEACTIVATE:
      HandleMouseActivate(m);
      return;
    default:
      break;
  }
  TCustomControl::Dispatch(m);
}

void TdxDockControl::HandleSize(TMessage& m) {
  {
    TAlignLock lock(this);
    ClearBackgroundCache();
    TCustomControl::Dispatch(m);
  }
  Realign();
}

void TdxDockControl::HandleWindowPosChanged(TMessage& m) {
  const auto* pos = reinterpret_cast<const win::WINDOWPOS*>(m.LParam);
  const bool moved = pos && (pos->flags & (win::SWP_NOMOVE | win::SWP_NOSIZE)) != (win::SWP_NOMOVE | win::SWP_NOSIZE);
  if (!barManager_ || !moved) {
    TCustomControl::Dispatch(m);
    return;
  }
  TdxBarManager* manager = barManager_;
  ++manager->SharedState.DockResizeCount;
  {
    TScopeExit lower([manager] { --manager->SharedState.DockResizeCount; });
    TCustomControl::Dispatch(m);
    // A status-bar-like bar's size grip depends on where the dock sits.
    if (GetSide() == dsBottom)
      for (const auto& row : rows_)
        for (int32_t i = 0; i < row->GetColCount(); ++i)
          if (TdxBarControl* c = row->GetCol(i)->BarControl(); c && c->Bar() && c->Bar()->IsStatusBar())
            RecalcFrame(c);
  }
  if (NeedsBufferedBackground()) RefreshBars();
}

void TdxDockControl::HandleMouseActivate(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (!barManager_ || IsDesigning()) return;
  for (TWinControl* p = Parent(); p; p = p->Parent())
    if (dynamic_cast<TCustomdxBarControl*>(p)) return;
  m.Result = win::MA_NOACTIVATE;
  if (TCustomForm* form = barManager_->GetMainForm(); form && form->HandleAllocated()) {
    win::BringWindowToTop(form->Handle());
    win::SetActiveWindow(form->Handle());
  }
}

// ---------------------------------------------------------------- the form's dock site

TdxBarDockControl::TdxBarDockControl(TComponent* AOwner) : TdxDockControl(AOwner) { SetAlign(alTop); }

void TdxBarDockControl::SetAlign(TdxBarDockAlign Value) {
  if (Value == DockAlign()) return;
  TdxBarManager* m = BarManager();
  if (!m) {
    SetAlign(TAlign(Value));
    return;
  }
  const TdxBarDockingStyle side = SideOfAlign(TAlign(Value));
  m->BeginBarsUpdate();
  {
    TScopeExit done([this, m] {
      m->EndBarsUpdate();
      if (m->Bars()) m->Bars()->RebuildBarControls();
      if (Parent()) Parent()->Invalidate();
    });
    for (int32_t r = 0; r < GetRowCount(); ++r)
      for (int32_t i = 0; i < GetRow(r)->GetColCount(); ++i)
        if (TdxBarControl* c = GetRow(r)->GetCol(i)->BarControl()) c->SetDockingStyle(side);
    SetAlign(TAlign(Value));
  }
}

void TdxBarDockControl::SetAllowZeroSizeInDesignTime(bool Value) {
  if (allowZeroSizeInDesignTime_ == Value) return;
  allowZeroSizeInDesignTime_ = Value;
  UpdateSize();
}

void TdxBarDockControl::SetSunkenBorder(bool Value) {
  ownSunkenBorder_ = Value;
  useOwnSunkenBorder_ = true;
  RecalcAll();
}

void TdxBarDockControl::SetUseOwnSunkenBorder(bool Value) {
  if (useOwnSunkenBorder_ == Value) return;
  const bool before = GetSunkenBorder();
  if (Value) ownSunkenBorder_ = before;
  useOwnSunkenBorder_ = Value;
  if (!Value && GetSunkenBorder() != before) RecalcAll();
}

void TdxBarDockControl::SetUseOwnColor(bool Value) {
  if (useOwnColor_ == Value) return;
  useOwnColor_ = Value;
  if (!Value) UpdateColor();
}

void TdxBarDockControl::CMColorChanged(TMessage& m) {
  TdxDockControl::CMColorChanged(m);
  if (!settingColor_ && !InState(csLoading) && !ParentColor()) useOwnColor_ = true;
}

bool TdxBarDockControl::GetSunkenBorder() {
  return useOwnSunkenBorder_ ? ownSunkenBorder_ : TdxDockControl::GetSunkenBorder();
}

int32_t TdxBarDockControl::EmptySize() { return IsDesigning() && !allowZeroSizeInDesignTime_ ? 3 : 0; }

int32_t TdxBarDockControl::GetRowsSize() {
  TdxBarManager* m = BarManager();
  if (InState(csLoading) || (m && m->IsRestoringBars())) {
    int32_t size = IsVertical() ? ClientWidth() : ClientHeight();
    return size;
  }
  const int32_t size = TdxDockControl::GetRowsSize();
  return size == 0 ? EmptySize() : size;
}

void TdxBarDockControl::ManagerChanged() {
  TdxDockControl::ManagerChanged();
  UpdateColor();
  if (!InState(csDestroying)) RecalcAll();
}

bool TdxBarDockControl::CanDockBar(TdxBar* ABar) {
  if (!AllowDocking()) return false;
  TCustomdxBarControl* c = ABar ? ABar->GetControl() : nullptr;
  for (TWinControl* p = this; c && p; p = p->Parent())
    if (p == c) return false;
  return true;
}

void TdxBarDockControl::UpdateColor() {
  if (useOwnColor_) return;
  settingColor_ = true;
  TScopeExit reset([this] { settingColor_ = false; });
  TdxDockControl::UpdateColor();
}

void TdxBarDockControl::CreateParams(TCreateParams& Params) {
  TdxDockControl::CreateParams(Params);
  if (IsDesigning()) Params.WindowClassStyle |= win::CS_VREDRAW | win::CS_HREDRAW;
}

void TdxBarDockControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case win::WM_CREATE:
      TdxDockControl::Dispatch(m);
      if (TdxBarManager* manager = BarManager()) manager->RestoreBarsOfDock(this);
      return;
    case win::WM_SIZE:
      TdxDockControl::Dispatch(m);
      if (GetRowCount() == 0 && !InState(csLoading)) {
        const int32_t empty = EmptySize();
        if (IsVertical() ? Width() != empty : Height() != empty) {
          if (IsVertical())
            SetWidth(empty);
          else
            SetHeight(empty);
        }
      }
      return;
    default:
      break;
  }
  TdxDockControl::Dispatch(m);
}

void TdxBarDockControl::Paint() {
  if (!IsDesigning()) return;
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsClear);
  canvas->Pen()->SetStyle(psDot);
  const TRect r = ClientRect();
  canvas->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
}
