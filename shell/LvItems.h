// List-view items and where their data comes from: stored items keep it in a
// dynamic data helper, virtual items ask the owner for every value, and
// interfaced items ask the object behind their data interface.
#pragma once

#include <cstdint>
#include <string>

#include "shell/LvCollection.h"
#include "shell/LvDataVariants.h"

class TLvItem : public TLvCollectionItem {
  DX_CLASS(TLvItem, TLvCollectionItem)
public:
  explicit TLvItem(TLvCollection* collection);

  TLvItems* OwnerItems() const;
  TLvGroup* OwnerGroup() const;
  int32_t VisibleIndexInGroup = -1;

  int32_t GetIndex() override { return index_; }
  TLvPaintInfoBasic* GetDefaultPaintInfo() override;
  void Invalidate(bool immediateUpdate) override;
  void LoadFromStream(TStream* stream, int32_t& version) override;
  void SaveToStream(TStream* stream, int32_t version) override;
  void MakeVisible(int32_t position) override;

  int32_t StateImageIndex() { return GetStateImageIndexes(0); }
  void SetStateImageIndex(int32_t value) { SetStateImageIndexes(0, value); }
  virtual int32_t GetGroupKey(int32_t column) = 0;
  virtual void SetGroupKey(int32_t column, int32_t value) = 0;
  virtual int32_t GetStateImageIndexes(int32_t column) = 0;
  virtual void SetStateImageIndexes(int32_t column, int32_t value) = 0;
  virtual TCustomImageList* GetStateImageList(int32_t column) = 0;
  TCustomImageList* StateImageList();

  // Drawn by the owner unless the data source draws it.
  void ThumbnailDraw(TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender, bool& doDefault) override;

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
  void GhostedGained() override;
  void GhostedLost() override;
  void CheckGained() override;
  void CheckLost() override;
  void EnableGained() override;
  void EnableLost() override;
  void FocusGained() override;
  void FocusLost() override;
  void HighlightGained() override { Invalidate(true); }
  void HighlightLost() override { Invalidate(true); }
  void HotTrackingGained(TPoint mousePos) override;
  void HotTrackingLost(TPoint mousePos) override;
  void SelectionGained() override;
  void SelectionLost() override;
  void VisibilityGained() override;
  void VisibilityLost() override;
  void Initialize() override;

private:
  void InvalidateSelection();
};

class TLvItemStored : public TLvHelperData<TLvItem, TLvItemDynamicDataHelper> {
  DX_CLASS_WITH_FACTORY(TLvItemStored, TLvItem, &LvMakeElement<TLvItemStored>)
public:
  explicit TLvItemStored(TLvCollection* collection) : TLvHelperData(collection) {}

  int32_t GetStateImageIndexes(int32_t column) override { return helper_.StateImageIndex(column); }
  void SetStateImageIndexes(int32_t column, int32_t value) override;
  int32_t GetGroupKey(int32_t column) override { return helper_.GroupKey(column); }
  void SetGroupKey(int32_t column, int32_t value) override { helper_.SetGroupKey(column, value); }
  TCustomImageList* GetStateImageList(int32_t) override { return StateImageList(); }
};

class TLvItemVirtual : public TLvOwnerData<TLvItem, true> {
  DX_CLASS_WITH_FACTORY(TLvItemVirtual, TLvItem, &LvMakeElement<TLvItemVirtual>)
public:
  explicit TLvItemVirtual(TLvCollection* collection) : TLvOwnerData(collection) {}

  int32_t GetStateImageIndexes(int32_t column) override { return AskImage(column, LvImageKindState); }
  void SetStateImageIndexes(int32_t column, int32_t value) override { TellImage(column, LvImageKindState, value); }
  int32_t GetGroupKey(int32_t column) override;
  void SetGroupKey(int32_t column, int32_t value) override;
  TCustomImageList* GetStateImageList(int32_t column) override;
};

class TLvItemInterfaced : public TLvSourceData<TLvItem, 1, false> {
  DX_CLASS_WITH_FACTORY(TLvItemInterfaced, TLvItem, &LvMakeElement<TLvItemInterfaced>)
public:
  explicit TLvItemInterfaced(TLvCollection* collection) : TLvSourceData(collection) {}

  // The check mark lives in the data source: no permission, no notification.
  bool GetChecked() override;
  void SetChecked(bool value) override;
  int32_t GetStateImageIndexes(int32_t column) override {
    return LvSourceImageIndex(DataInterface(), column, LvImageKindState);
  }
  void SetStateImageIndexes(int32_t column, int32_t value) override { TellImage(column, LvImageKindState, value); }
  int32_t GetGroupKey(int32_t column) override;
  void SetGroupKey(int32_t column, int32_t value) override;
  TCustomImageList* GetStateImageList(int32_t column) override;
  void ThumbnailDraw(TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender, bool& doDefault) override;
};
