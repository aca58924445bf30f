// List-view groups: each owns the items shown under it, expands and collapses,
// and hands check, enable and visibility changes down to its items. The
// owner's group collection finds and walks groups and items.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "shell/LvCollection.h"
#include "shell/LvDataVariants.h"
#include "shell/LvItems.h"

class TControl;

class TLvGroup : public TLvCollectionItem {
  DX_CLASS(TLvGroup, TLvCollectionItem)
public:
  // Starts expanded and checked, with no items.
  explicit TLvGroup(TLvCollection* collection);
  ~TLvGroup() override;

  TLvGroups* OwnerGroups() const;
  TLvItems* Items() const { return items_.get(); }
  bool Expanded() const { return expanded_; }
  virtual void SetExpanded(bool value);
  TLvPaintInfoBaseGroup* GroupPaintInfo();
  TList& VisibleItems() { return visibleItems_; }
  int32_t VisibleCount() const { return visibleItems_.Count(); }
  TLvItem* VisibleItem(int32_t index) const;
  // The first item, in collection order, whose display rectangle holds the point.
  TLvItem* ItemByPoint(TPoint viewPoint) const;

  TLvPaintInfoBasic* GetDefaultPaintInfo() override;
  TCustomImageList* GetDefaultImageList(int32_t imageSize) override;
  void LoadFromStream(TStream* stream, int32_t& version) override;
  void SaveToStream(TStream* stream, int32_t version) override;
  void ThumbnailDraw(TCanvas*, const TRect&, TLvAlphaBlender*, bool&) override {}

protected:
  void BeforeDestruction() override;
  bool MayChangeBold(bool) override { return true; }
  bool MayChangeEnable(bool) override { return true; }
  bool MayChangeHotTracking(bool) override { return true; }
  bool MayChangeCheck(bool) override { return Enabled(); }
  bool MayChangeFocus(bool) override { return false; }
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
  void FocusGained() override {}
  void FocusLost() override {}
  void HighlightGained() override {}
  void HighlightLost() override {}
  void HotTrackingGained(TPoint mousePos) override;
  void HotTrackingLost(TPoint mousePos) override;
  void SelectionGained() override;
  void SelectionLost() override;
  void VisibilityGained() override;
  void VisibilityLost() override;
  void Initialize() override;

private:
  bool expanded_ = true;
  std::unique_ptr<TLvItems> items_;
  TList visibleItems_;
};

class TLvBaseGroupStored : public TLvHelperData<TLvGroup> {
  DX_CLASS(TLvBaseGroupStored, TLvGroup)
public:
  explicit TLvBaseGroupStored(TLvCollection* collection) : TLvHelperData(collection) {}
};

class TLvGroupStored : public TLvBaseGroupStored {
  DX_CLASS_WITH_FACTORY(TLvGroupStored, TLvBaseGroupStored, &LvMakeElement<TLvGroupStored>)
public:
  using TLvBaseGroupStored::TLvBaseGroupStored;
};

// A stored group hosting a child control as high as Height while expanded.
class TLvGroupTaskPanel : public TLvBaseGroupStored {
  DX_CLASS_WITH_FACTORY(TLvGroupTaskPanel, TLvBaseGroupStored, &LvMakeElement<TLvGroupTaskPanel>)
public:
  using TLvBaseGroupStored::TLvBaseGroupStored;
  int32_t Height() const { return height_; }
  void SetHeight(int32_t value);
  void SetExpanded(bool value) override;
  // The hosted control, not owned by the model (the owner makes and frees it).
  TControl* TaskPanel = nullptr;
  // Applies a height to the hosted control.
  std::function<void(TControl*, int32_t)> OnSizeControl;
  bool TaskWindowCreated() const { return TaskPanel != nullptr; }
  void LoadFromStream(TStream* stream, int32_t& version) override;
  void SaveToStream(TStream* stream, int32_t version) override;

private:
  int32_t height_ = 200;
};

class TLvGroupVirtual : public TLvOwnerData<TLvGroup, false> {
  DX_CLASS_WITH_FACTORY(TLvGroupVirtual, TLvGroup, &LvMakeElement<TLvGroupVirtual>)
public:
  explicit TLvGroupVirtual(TLvCollection* collection) : TLvOwnerData(collection) {}
};

class TLvGroupInterfaced : public TLvSourceData<TLvGroup, 0, true> {
  DX_CLASS_WITH_FACTORY(TLvGroupInterfaced, TLvGroup, &LvMakeElement<TLvGroupInterfaced>)
public:
  explicit TLvGroupInterfaced(TLvCollection* collection) : TLvSourceData(collection) {}
};

// Search types of the item walks.
constexpr int32_t LvSearchAny = 0, LvSearchVisible = 1, LvSearchInitialized = 2, LvSearchFiltered = 4;

// The owner's groups.
class TLvGroups : public TLvCollection {
  DX_CLASS(TLvGroups, TLvCollection)
public:
  explicit TLvGroups(TLvOwnerListview* owner);
  TLvGroup* Groups(int32_t index) const { return static_cast<TLvGroup*>(Items(index)); }

  TLvGroup* FirstGroup(bool visibleOnly) const;
  TLvGroup* FirstVisibleGroup() const { return FirstGroup(true); }
  TLvGroup* LastGroup(bool visibleOnly) const;
  TLvGroup* LastVisibleGroup() const { return LastGroup(true); }
  TLvItem* FirstItem(int32_t searchType) const;
  TLvItem* FirstVisibleItem() const { return FirstItem(LvSearchVisible); }
  TLvItem* LastItem(int32_t searchType) const;
  TLvItem* NavigateItem(TLvItem* item, int32_t searchType, bool backwards) const;
  TLvItem* NextVisibleItem(TLvItem* item) const { return NavigateItem(item, LvSearchVisible, false); }
  TLvItem* PrevVisibleItem(TLvItem* item) const { return NavigateItem(item, LvSearchVisible, true); }
  TLvGroup* GroupByPoint(TPoint viewPoint) const;
  TLvGroup* GroupAtPoint(TPoint viewPoint) const;
  TLvItem* ItemByPoint(TPoint viewPoint) const;
  int32_t ItemCount() const;
  TRect ViewRect();
  TLvGroup* VisibleGroups(int32_t index);

protected:
  TClass ElementBaseClass() const override;

private:
  bool Matches(TLvItem* item, int32_t searchType) const;
};
