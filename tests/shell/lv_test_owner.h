// A stand-in for the list-view control: it records what the model tells it
// and answers permission requests from a table.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shell/LvListview.h"

struct LvEvent {
  std::string Name;
  TLvCollectionItem* Element;
};

class TLvTestOwner : public TLvOwnerListview {
public:
  TLvTestOwner() : groups(this), header(this) {}
  ~TLvTestOwner() override {
    // The model calls back while it is torn down; keep the owner whole until then.
    groups.Clear(true);
    header.Columns().Clear(true);
  }

  // ---- what the test sets
  std::map<TLvNotify, bool> answers;  // missing: allowed
  bool handle = false;
  TRect client{0, 0, 200, 100};
  bool updating = false, keepChecks = false, drawsGroupSelections = false, autoSort = false;
  int32_t viewKind = lvkReport;
  TLvPaintInfoBasic itemPaintInfo, columnPaintInfo;
  TLvPaintInfoBaseGroup groupPaintInfo;
  int32_t maxOffsetX = 1 << 20, maxOffsetY = 1 << 20;
  bool focusedOwner = false;
  int32_t inactiveAlpha = 64, selectionAlpha = 128;
  TColor disabledColor = 0x808080, focusedColor = 0xFF0000, unfocusedColor = 0x00FF00;

  // ---- what the model did
  std::vector<LvEvent> events;
  std::vector<TRect> invalidated;
  int32_t windowInvalidations = 0, checkedCount = 0, selectedCount = 0, rebuilds = 0, sorts = 0;
  int32_t updateDepth = 0, selectionUpdateDepth = 0;
  int32_t offsetX = 0, offsetY = 0;
  TLvItem* focused = nullptr;
  TLvItem* anchor = nullptr;
  TLvColumn* focusedColumn = nullptr;
  TLvCollectionItem* hotCheck = nullptr;
  TLvCollectionItem* hot = nullptr;

  TLvGroups groups;
  TLvHeader header;

  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const LvEvent& e : events) out.push_back(e.Name);
    return out;
  }
  bool Saw(const std::string& name) const {
    return std::any_of(events.begin(), events.end(), [&](const LvEvent& e) { return e.Name == name; });
  }

  bool HandleAllocated() override { return handle; }
  win::HWND Handle() override { return handle ? reinterpret_cast<win::HWND>(0x1234) : nullptr; }
  TRect ClientRect() override { return client; }
  bool Designing() override { return false; }
  bool Loading() override { return false; }
  bool AccessibilityEnabled() override { return false; }
  bool Updating() override { return updating; }
  void BeginUpdate() override { ++updateDepth; }
  void EndUpdate(bool) override { --updateDepth; }
  void InvalidateRect(const TRect& rect, bool) override { invalidated.push_back(rect); }
  void InvalidateWindow() override { ++windowInvalidations; }
  TCanvas* Canvas() override { return nullptr; }

  bool Focused() override { return focusedOwner; }
  TRect ViewToClientRect(const TRect& r) override { return {r.Left - offsetX, r.Top - offsetY, r.Right - offsetX, r.Bottom - offsetY}; }
  TRect ClientToViewRect(const TRect& r) override { return {r.Left + offsetX, r.Top + offsetY, r.Right + offsetX, r.Bottom + offsetY}; }
  int32_t ImagesInactiveBlendAlpha() override { return inactiveAlpha; }
  TColor ImagesDisabledBlendColor() override { return disabledColor; }
  int32_t SelectionImageBlendAlpha() override { return selectionAlpha; }
  TColor SelectionFocusedColor() override { return focusedColor; }
  TColor SelectionUnfocusedColor() override { return unfocusedColor; }

  bool KeepHiddenItemsChecked() override { return keepChecks; }
  int32_t ViewKind() override { return viewKind; }
  TLvPaintInfoBasic* ItemPaintInfo() override { return &itemPaintInfo; }
  TLvPaintInfoBaseGroup* GroupPaintInfo() override { return &groupPaintInfo; }
  TLvPaintInfoBasic* ColumnPaintInfo() override { return &columnPaintInfo; }
  TCustomImageList* ItemImageList(int32_t) override { return nullptr; }
  TCustomImageList* GroupImageList() override { return nullptr; }
  TCustomImageList* StateImageList() override { return nullptr; }
  TLvGroups* Groups() override { return &groups; }
  TLvHeader* Header() override { return &header; }

  TLvItem* FocusedItem() override { return focused; }
  void SetFocusedItem(TLvItem* item) override { focused = item; }
  TLvItem* AnchorItem() override { return anchor; }
  void SetAnchorItem(TLvItem* item) override { anchor = item; }
  TLvColumn* FocusedColumn() override { return focusedColumn; }
  void SetFocusedColumn(TLvColumn* column) override { focusedColumn = column; }
  void CountSelection(TLvItem*, bool selected) override { selectedCount += selected ? 1 : -1; }
  void LeaveSelectionGroup(TLvItem*) override {}
  bool DrawsGroupSelections() override { return drawsGroupSelections; }
  void RebuildGroupSelections() override {}
  void BeginSelectionUpdate() override { ++selectionUpdateDepth; }
  void EndSelectionUpdate() override { --selectionUpdateDepth; }

  int32_t OffsetX() override { return offsetX; }
  int32_t OffsetY() override { return offsetY; }
  void SetOffsetX(int32_t v) override { offsetX = std::clamp(v, 0, maxOffsetX); }
  void SetOffsetY(int32_t v) override { offsetY = std::clamp(v, 0, maxOffsetY); }
  void SetViewRight(int32_t) override {}

  void ChangeCheckedCount(int32_t delta) override { checkedCount += delta; }
  TLvCollectionItem* HotTrackCheckElement() override { return hotCheck; }
  void ClearHotTrackCheckElement() override { hotCheck = nullptr; }
  TLvCollectionItem* HotTrackElement() override { return hot; }
  void ClearHotTrackElement() override { hot = nullptr; }
  void ResetIncrementalSearch() override {}
  bool AutoSort() override { return autoSort; }
  void SortItems(bool) override { ++sorts; }
  void RebuildGroups(bool) override { ++rebuilds; }
  void MarkItemStructureChanged() override {}
  void ReleaseReferences(TLvCollectionItem*) override {}

  bool NotifyChanging(TLvNotify n, TLvCollectionItem* e) override {
    events.push_back({LvNotifyName(n), e});
    auto it = answers.find(n);
    return it == answers.end() || it->second;
  }
  void Notify(TLvNotify n, TLvCollectionItem* e) override { events.push_back({LvNotifyName(n), e}); }
  void NotifyHotTrack(TLvNotify n, TLvCollectionItem* e, bool, TPoint) override {
    events.push_back({LvNotifyName(n), e});
  }
  void NotifyStream(TLvNotify n, TLvCollectionItem* e, TStream*, int32_t) override {
    events.push_back({LvNotifyName(n), e});
  }
  void CustomClass(TLvNotify, TLvCollectionItem*, TClass&) override {}
  bool ItemFilter(TLvItem*) override { return true; }

  // Virtual elements get no answers: every value stays at its preset.
  void DataGetCaption(TLvCollectionItem*, int32_t, std::string&) override {}
  void DataSetCaption(TLvCollectionItem*, int32_t, const std::string&) override {}
  void DataGetImageIndex(TLvCollectionItem*, int32_t, int32_t, int32_t&) override {}
  void DataSetImageIndex(TLvCollectionItem*, int32_t, int32_t, int32_t) override {}
  void DataGetImageList(TLvCollectionItem*, int32_t, int32_t, TCustomImageList*&) override {}
  void DataGetStateImageList(TLvCollectionItem*, int32_t, TCustomImageList*&) override {}
  void DataGetGroupKey(TLvCollectionItem*, int32_t, int32_t&) override {}
  void DataSetGroupKey(TLvCollectionItem*, int32_t, int32_t) override {}
  void DataGetDetailCount(TLvCollectionItem*, int32_t&) override {}
  void DataSetDetailCount(TLvCollectionItem*, int32_t) override {}
  void DataGetDetail(TLvCollectionItem*, int32_t, int32_t&) override {}
  void DataSetDetail(TLvCollectionItem*, int32_t, int32_t) override {}
  void DataImageIsCustom(TLvCollectionItem*, int32_t, bool&) override {}
  void DataImageGetSize(TLvCollectionItem*, int32_t, int32_t&, int32_t&) override {}
  void DataImageDraw(TLvCollectionItem*, int32_t, TCanvas*, const TRect&, TLvAlphaBlender*) override {}
  void DataThumbnailDraw(TLvCollectionItem*, TCanvas*, const TRect&, TLvAlphaBlender*, bool&) override {}
};
