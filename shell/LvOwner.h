// What the list-view model needs of the list-view control that owns it. The
// control itself is not part of this library; it implements TLvOwnerListview,
// and every model object reaches it through its collection.
//
// Vocabulary. An element is an item, a group or a column. View coordinates
// place elements in the laid-out content; window (client) coordinates are the
// control's, with the header strip at the top.
#pragma once

#include <cstdint>
#include <string>

#include "platform/rtl/object.h"
#include "platform/rtl/types.h"
#include "platform/win/winuser.h"

class TStream;
class TCanvas;
class TCustomImageList;
class TLvCollectionItem;
class TLvItem;
class TLvGroup;
class TLvColumn;
class TLvGroups;
class TLvHeader;
class TLvAlphaBlender;

// The paint settings the model reads; the views and layouts own the rest.
class TLvPaintInfoBasic : public TObject {
  DX_CLASS(TLvPaintInfoBasic, TObject)
public:
  TColor Color = 0x1FFFFFFF;
  int32_t DetailCount = 0;
  int32_t CheckType = 0;  // 0: no check box
  int32_t CheckSize = 0;
  int32_t CheckIndent = 2;
  int32_t ImageIndent = 2;
  int32_t CaptionIndent = 4;
};

class TLvPaintInfoBaseGroup : public TLvPaintInfoBasic {
  DX_CLASS(TLvPaintInfoBaseGroup, TLvPaintInfoBasic)
public:
  bool Expandable = true;
};

// The owner's notifications. Those ending in Changing decide a change; the
// owner answers through NotifyChanging.
enum TLvNotify : uint8_t {
  lvnItemCheckChanging, lvnItemCheckChanged, lvnItemEnableChanging, lvnItemEnableChanged,
  lvnItemFocusChanging, lvnItemFocusChanged, lvnItemSelectionChanging, lvnItemSelectionChanged,
  lvnItemVisibilityChanging, lvnItemVisibilityChanged, lvnItemFreeing, lvnItemInitialize, lvnItemHotTrack,
  lvnItemLoadFromStream, lvnItemSaveToStream, lvnItemCustomView, lvnItemStructureChange, lvnItemMeasure,
  lvnItemFilter,
  lvnGroupSelectionChanging, lvnGroupSelectionChanged, lvnGroupVisibilityChanging, lvnGroupVisibilityChanged,
  lvnGroupFreeing, lvnGroupInitialize, lvnGroupHotTrack, lvnGroupLoadFromStream, lvnGroupSaveToStream,
  lvnGroupCustomView, lvnGroupCustomGrid, lvnGroupExpand, lvnGroupCollapse,
  lvnColumnCheckChanging, lvnColumnCheckChanged, lvnColumnEnableChanging, lvnColumnEnableChanged,
  lvnColumnFocusChanging, lvnColumnFocusChanged, lvnColumnSelectionChanging, lvnColumnSelectionChanged,
  lvnColumnVisibilityChanging, lvnColumnVisibilityChanged, lvnColumnFreeing, lvnColumnInitialize,
  lvnColumnLoadFromStream, lvnColumnSaveToStream, lvnColumnCustomView,
  lvnSelectionChanged
};
constexpr int32_t LvNotifyCount = int32_t(lvnSelectionChanged) + 1;
// "ItemCheckChanging" for lvnItemCheckChanging, and so on.
const char* LvNotifyName(TLvNotify n);

// Image kinds of the image requests.
constexpr int32_t LvImageKindImage = 0, LvImageKindOverlay = 1, LvImageKindState = 2;

// View kinds.
enum TLvViewKind : uint8_t { lvkIcon, lvkSmallIcon, lvkList, lvkReport, lvkThumbnail, lvkTile, lvkFilmStrip, lvkGrid };

class TLvOwnerListview {
public:
  virtual ~TLvOwnerListview() = default;

  // ---- window
  virtual bool HandleAllocated() = 0;
  virtual win::HWND Handle() = 0;
  virtual TRect ClientRect() = 0;
  int32_t ClientWidth() { return ClientRect().Width(); }
  int32_t ClientHeight() { return ClientRect().Height(); }
  virtual bool Designing() = 0;
  virtual bool Loading() = 0;
  virtual bool AccessibilityEnabled() = 0;
  virtual bool Updating() = 0;
  // Whether an invalidation would reach a window now.
  bool CanInvalidate() { return !Updating() && HandleAllocated(); }
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate(bool invalidate) = 0;
  // A window rectangle to repaint; at once when immediate.
  virtual void InvalidateRect(const TRect& rect, bool immediate) = 0;
  virtual void InvalidateWindow() = 0;
  // The canvas of the window; null while there is no window.
  virtual TCanvas* Canvas() = 0;

  // ---- image blending (the alpha blender reads these)
  virtual bool Focused() = 0;
  // Between view coordinates (the whole scrolled area) and client coordinates.
  virtual TRect ViewToClientRect(const TRect& rect) = 0;
  virtual TRect ClientToViewRect(const TRect& rect) = 0;
  // Alpha 0..255 and colour of images in an inactive list view or of disabled items.
  virtual int32_t ImagesInactiveBlendAlpha() = 0;
  virtual TColor ImagesDisabledBlendColor() = 0;
  // The selection's image alpha and its colours with and without the focus.
  virtual int32_t SelectionImageBlendAlpha() = 0;
  virtual TColor SelectionFocusedColor() = 0;
  virtual TColor SelectionUnfocusedColor() = 0;

  // ---- options and shared settings
  virtual bool KeepHiddenItemsChecked() = 0;
  virtual int32_t ViewKind() = 0;
  virtual TLvPaintInfoBasic* ItemPaintInfo() = 0;
  virtual TLvPaintInfoBaseGroup* GroupPaintInfo() = 0;
  virtual TLvPaintInfoBasic* ColumnPaintInfo() = 0;
  // imageSize 0, 1 or 2.
  virtual TCustomImageList* ItemImageList(int32_t imageSize) = 0;
  virtual TCustomImageList* GroupImageList() = 0;
  virtual TCustomImageList* StateImageList() = 0;
  virtual TLvGroups* Groups() = 0;
  virtual TLvHeader* Header() = 0;

  // ---- selection manager
  virtual TLvItem* FocusedItem() = 0;
  virtual void SetFocusedItem(TLvItem* item) = 0;
  virtual TLvItem* AnchorItem() = 0;
  virtual void SetAnchorItem(TLvItem* item) = 0;
  virtual TLvColumn* FocusedColumn() = 0;
  virtual void SetFocusedColumn(TLvColumn* column) = 0;
  // The item joins (counted in) or leaves the count of selected items.
  virtual void CountSelection(TLvItem* item, bool selected) = 0;
  virtual void LeaveSelectionGroup(TLvItem* item) = 0;
  virtual bool DrawsGroupSelections() = 0;
  virtual void RebuildGroupSelections() = 0;
  // Both update counters of the selection manager.
  virtual void BeginSelectionUpdate() = 0;
  virtual void EndSelectionUpdate() = 0;

  // ---- scroll manager: offsets are view coordinates of the window's
  // top-left below the header; setting them clamps and scrolls.
  virtual int32_t OffsetX() = 0;
  virtual int32_t OffsetY() = 0;
  virtual void SetOffsetX(int32_t value) = 0;
  virtual void SetOffsetY(int32_t value) = 0;
  // Report view: the view rectangle takes this right edge, the bars update with a repaint.
  virtual void SetViewRight(int32_t right) = 0;

  // ---- other managers
  virtual void ChangeCheckedCount(int32_t delta) = 0;
  virtual TLvCollectionItem* HotTrackCheckElement() = 0;
  virtual void ClearHotTrackCheckElement() = 0;
  virtual TLvCollectionItem* HotTrackElement() = 0;
  virtual void ClearHotTrackElement() = 0;
  virtual void ResetIncrementalSearch() = 0;
  virtual bool AutoSort() = 0;
  virtual void SortItems(bool force) = 0;
  virtual void RebuildGroups(bool force) = 0;
  // Records the item structure change (state bit 0x40000) for after the update.
  virtual void MarkItemStructureChanged() = 0;
  // The drag, edit and incremental-search references to an item or column that dies.
  virtual void ReleaseReferences(TLvCollectionItem* element) = 0;

  // ---- notifications (element first)
  virtual bool NotifyChanging(TLvNotify n, TLvCollectionItem* element) = 0;
  virtual void Notify(TLvNotify n, TLvCollectionItem* element) = 0;
  virtual void NotifyHotTrack(TLvNotify n, TLvCollectionItem* element, bool enter, TPoint mouse) = 0;
  virtual void NotifyStream(TLvNotify n, TLvCollectionItem* element, TStream* stream, int32_t version) = 0;
  // The class to use instead of the default; preset null.
  virtual void CustomClass(TLvNotify n, TLvCollectionItem* element, TClass& cls) = 0;
  virtual bool ItemFilter(TLvItem* item) = 0;

  // ---- data requests of the virtual variants. Items pass their column;
  // groups and columns pass -1. The value arrives preset with the default.
  virtual void DataGetCaption(TLvCollectionItem* element, int32_t column, std::string& caption) = 0;
  virtual void DataSetCaption(TLvCollectionItem* element, int32_t column, const std::string& caption) = 0;
  virtual void DataGetImageIndex(TLvCollectionItem* element, int32_t column, int32_t kind, int32_t& index) = 0;
  virtual void DataSetImageIndex(TLvCollectionItem* element, int32_t column, int32_t kind, int32_t index) = 0;
  virtual void DataGetImageList(TLvCollectionItem* element, int32_t column, int32_t imageSize,
                                TCustomImageList*& list) = 0;
  virtual void DataGetStateImageList(TLvCollectionItem* element, int32_t column, TCustomImageList*& list) = 0;
  virtual void DataGetGroupKey(TLvCollectionItem* element, int32_t column, int32_t& key) = 0;
  virtual void DataSetGroupKey(TLvCollectionItem* element, int32_t column, int32_t key) = 0;
  virtual void DataGetDetailCount(TLvCollectionItem* element, int32_t& count) = 0;
  virtual void DataSetDetailCount(TLvCollectionItem* element, int32_t count) = 0;
  virtual void DataGetDetail(TLvCollectionItem* element, int32_t index, int32_t& value) = 0;
  virtual void DataSetDetail(TLvCollectionItem* element, int32_t index, int32_t value) = 0;
  virtual void DataImageIsCustom(TLvCollectionItem* element, int32_t column, bool& isCustom) = 0;
  virtual void DataImageGetSize(TLvCollectionItem* element, int32_t column, int32_t& width, int32_t& height) = 0;
  virtual void DataImageDraw(TLvCollectionItem* element, int32_t column, TCanvas* canvas, const TRect& rect,
                             TLvAlphaBlender* blender) = 0;
  virtual void DataThumbnailDraw(TLvCollectionItem* element, TCanvas* canvas, const TRect& rect,
                                 TLvAlphaBlender* blender, bool& doDefault) = 0;
};
