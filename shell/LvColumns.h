// List-view columns, their drop-down button, and the header that holds them.
//
// Positions. Each column has a display position among the columns; a new
// column is shown last. Positions read from a stream are kept as they are:
// the header orders columns by position and then by index, so no value can
// break the order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/classes/persistent.h"
#include "shell/LvCollection.h"
#include "shell/LvDataVariants.h"

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TLvSortDirection : uint8_t { esdNone, esdAscending, esdDescending };

class TLvColumn;
class TLvColumns;

class TLvColumnDropDownButton : public TPersistent {
  DX_CLASS(TLvColumnDropDownButton, TPersistent)
public:
  explicit TLvColumnDropDownButton(TLvColumn* owner) : owner_(owner) {}
  bool AlwaysShow() const { return alwaysShow_; }
  bool Enabled() const { return enabled_; }
  bool Visible() const { return visible_; }
  void SetAlwaysShow(bool value);
  void SetEnabled(bool value);
  void SetVisible(bool value);
  TObject* Menu = nullptr;  // the popup menu, not owned
  // Bit 0: the mouse is over the button; bits 1 and 2: pressed states of the header.
  uint8_t State = 0;
  TLvColumn* OwnerColumn() const { return owner_; }

  void LoadFromStream(TStream* stream);
  void SaveToStream(TStream* stream);

private:
  TLvColumn* owner_;
  bool alwaysShow_ = false, enabled_ = true, visible_ = false;
};

class TLvColumn : public TLvCollectionItem {
  DX_CLASS(TLvColumn, TLvCollectionItem)
public:
  explicit TLvColumn(TLvCollection* collection);
  ~TLvColumn() override;

  TLvColumns* OwnerColumns() const;
  TLvHeader* OwnerHeader() const;
  TLvColumnDropDownButton& DropDownButton() { return dropDown_; }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSizeOnDblClk = true, AutoSortOnClick = true, AutoToggleSortGlyph = true;
  bool AutoSpring() const { return autoSpring_; }
  void SetAutoSpring(bool value) { autoSpring_ = value; }
  TColor BkGndColor() const { return bkGndColor_; }
  void SetBkGndColor(TColor value);
  bool Clickable = true;
  TColor Color() { return PaintInfo() ? PaintInfo()->Color : TColor(0x1FFFFFFF); }
  void SetColor(TColor value) {
    if (PaintInfo()) PaintInfo()->Color = value;
  }
  int32_t Position() const { return position_; }
  void SetPosition(int32_t value);
  TLvSortDirection SortDirection() const { return sortDirection_; }
  void SetSortDirection(TLvSortDirection value);
  int32_t Width() const { return width_; }
  void SetWidth(int32_t value);
  // Kept only for the stream.
  uint8_t StreamByte = 0;

  TLvPaintInfoBasic* GetDefaultPaintInfo() override;
  TCustomImageList* GetDefaultImageList(int32_t imageSize) override;
  void Invalidate(bool immediateUpdate) override;
  void LoadFromStream(TStream* stream, int32_t& version) override;
  void SaveToStream(TStream* stream, int32_t version) override;
  void MakeVisible(int32_t position) override;
  void ThumbnailDraw(TCanvas*, const TRect&, TLvAlphaBlender*, bool&) override {}

protected:
  void BeforeDestruction() override;
  bool MayChangeBold(bool) override { return true; }
  bool MayChangeHotTracking(bool) override { return true; }
  bool MayChangeCheck(bool value) override;
  bool MayChangeEnable(bool value) override;
  bool MayChangeFocus(bool value) override;
  bool MayChangeSelection(bool value) override;
  bool MayChangeVisibility(bool value) override;
  void Freeing() override;
  void BoldGained() override { Invalidate(false); }
  void BoldLost() override { Invalidate(false); }
  void GhostedGained() override { Invalidate(false); }
  void GhostedLost() override { Invalidate(false); }
  void CheckGained() override;
  void CheckLost() override;
  void EnableGained() override;
  void EnableLost() override;
  void FocusGained() override;
  void FocusLost() override;
  void HighlightGained() override {}
  void HighlightLost() override {}
  void HotTrackingGained(TPoint) override {}
  void HotTrackingLost(TPoint) override {}
  void SelectionGained() override;
  void SelectionLost() override;
  void VisibilityGained() override;
  void VisibilityLost() override;
  void Initialize() override;

private:
  void TellVisibility();

  TAlignment alignment_ = taLeftJustify;
  bool autoSpring_ = false;
  TColor bkGndColor_ = 0x1FFFFFFF;
  TLvColumnDropDownButton dropDown_{this};
  int32_t position_ = 0;
  TLvSortDirection sortDirection_ = esdNone;
  int32_t width_ = 50;
};

class TLvColumnStored : public TLvHelperData<TLvColumn> {
  DX_CLASS_WITH_FACTORY(TLvColumnStored, TLvColumn, &LvMakeElement<TLvColumnStored>)
public:
  explicit TLvColumnStored(TLvCollection* collection) : TLvHelperData(collection) {}
  void SetDetailCount(int32_t value) override;
  // The helper's detail at the column's own index, whatever index is asked.
  int32_t GetDetails(int32_t) override { return helper_.Detail(Index()); }
};

class TLvColumnVirtual : public TLvOwnerData<TLvColumn, false> {
  DX_CLASS_WITH_FACTORY(TLvColumnVirtual, TLvColumn, &LvMakeElement<TLvColumnVirtual>)
public:
  explicit TLvColumnVirtual(TLvCollection* collection) : TLvOwnerData(collection) {}
};

class TLvColumnInterfaced : public TLvSourceData<TLvColumn, 0, true> {
  DX_CLASS_WITH_FACTORY(TLvColumnInterfaced, TLvColumn, &LvMakeElement<TLvColumnInterfaced>)
public:
  explicit TLvColumnInterfaced(TLvCollection* collection) : TLvSourceData(collection) {}
};

class TLvColumns : public TLvCollection {
  DX_CLASS(TLvColumns, TLvCollection)
public:
  TLvColumns(TLvOwnerListview* owner, TLvHeader* header);
  TLvColumn* Columns(int32_t index) const { return static_cast<TLvColumn*>(Items(index)); }
  TLvHeader* Header() const { return header_; }
  // Public so that a column's move can announce it.
  void StructureChanged() override {}

protected:
  TClass ElementBaseClass() const override;

private:
  TLvHeader* header_;
};

// The owner's column header, as far as the model uses it.
class TLvHeader : public TObject {
  DX_CLASS(TLvHeader, TObject)
public:
  explicit TLvHeader(TLvOwnerListview* owner) : owner_(owner), columns_(owner, this) {}
  // The columns go first: their tear-down clears the header's references to them.
  ~TLvHeader() override { columns_.Clear(true); }
  TLvHeader(const TLvHeader&) = delete;
  TLvHeader& operator=(const TLvHeader&) = delete;
  TLvOwnerListview* OwnerListview() const { return owner_; }
  TLvColumns& Columns() { return columns_; }

  TLvColumn* FirstColumn() const;
  TLvColumn* FirstVisibleColumn() const;
  TLvColumn* NextColumn(TLvColumn* column) const;
  // The columns in display order (position, then index).
  std::vector<TLvColumn*> PositionList() const;
  TLvColumn* LastColumnByPosition() const;

  int32_t Height = 20;
  // When set, the header is at least the font's text height plus SizeMargin.
  bool AutoSizeHeight = false;
  int32_t FontTextHeight = 0;
  int32_t SizeMargin = 8;
  int32_t CalculatedHeight() const;
  // CalculatedHeight while the owner's view shows a visible header, else 0.
  int32_t LiveHeight() const;
  TRect ViewRect() const;
  // The sum of the visible columns' widths.
  int32_t TotalWidth() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  // Reading it as true also makes the header visible.
  bool ShowInAllViews();
  void SetShowInAllViews(bool value) { showInAllViews_ = value; }

  TLvColumn* HotTrackColumn() const { return hotTrack_; }
  void SetHotTrackColumn(TLvColumn* column);
  TLvColumn* DropDownHoverColumn() const { return dropDownHover_; }
  void SetDropDownHoverColumn(TLvColumn* column);
  TLvColumn* PressedColumn = nullptr;
  TCustomImageList* Images = nullptr;  // not owned
  // The header strip: every column paints there.
  void Invalidate(bool immediateUpdate = false);

private:
  TLvOwnerListview* owner_;
  TLvColumns columns_;
  bool visible_ = true;
  bool showInAllViews_ = false;
  TLvColumn* hotTrack_ = nullptr;
  TLvColumn* dropDownHover_ = nullptr;
};
