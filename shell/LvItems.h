// List-view items and where their data comes from: stored items keep it in a
// dynamic data helper, virtual items ask the owner for every value, and
// interfaced items ask the object behind their data interface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/LvCollection.h"

// Per-column values, each array growing on demand; an index past an array's
// end reads as the array's default.
class TLvDynamicDataHelper : public TObject {
  DX_CLASS(TLvDynamicDataHelper, TObject)
public:
  std::string Caption(int32_t index) const;
  int32_t Detail(int32_t index) const { return Get(Details, index, 0); }
  int32_t ImageIndex(int32_t index) const { return Get(ImageIndexes, index, -1); }
  int32_t OverlayIndex(int32_t index) const { return Get(OverlayIndexes, index, -1); }
  void SetCaption(int32_t index, const std::string& value);
  void SetDetail(int32_t index, int32_t value) { Put(Details, index, value, 0); }
  void SetImageIndex(int32_t index, int32_t value) { Put(ImageIndexes, index, value, -1); }
  void SetOverlayIndex(int32_t index, int32_t value) { Put(OverlayIndexes, index, value, -1); }

  // Captions as UTF-16 units; counts and lengths are checked against the bytes left.
  virtual void LoadFromStream(TStream* stream, int32_t version);
  virtual void SaveToStream(TStream* stream, int32_t version);

  std::vector<std::string> Captions;
  std::vector<int32_t> Details, ImageIndexes, OverlayIndexes;

protected:
  static int32_t Get(const std::vector<int32_t>& a, int32_t index, int32_t fallback);
  static void Put(std::vector<int32_t>& a, int32_t index, int32_t value, int32_t fill);
  static void ReadArray(TStream* stream, std::vector<int32_t>& a);
  static void WriteArray(TStream* stream, const std::vector<int32_t>& a);
};

class TLvItemDynamicDataHelper : public TLvDynamicDataHelper {
  DX_CLASS(TLvItemDynamicDataHelper, TLvDynamicDataHelper)
public:
  int32_t GroupKey(int32_t index) const { return Get(GroupKeys, index, 0xFFFF); }
  int32_t StateImageIndex(int32_t index) const { return Get(StateImageIndexes, index, -1); }
  void SetGroupKey(int32_t index, int32_t value) { Put(GroupKeys, index, value, 0xFFFF); }
  void SetStateImageIndex(int32_t index, int32_t value) { Put(StateImageIndexes, index, value, -1); }
  // State image indexes exist from version 3 on; they are always written.
  void LoadFromStream(TStream* stream, int32_t version) override;
  void SaveToStream(TStream* stream, int32_t version) override;

  std::vector<int32_t> GroupKeys, StateImageIndexes;
};

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

  // Owner-answered data, shared by the stored and virtual variants.
  void ImageDraw(int32_t column, TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender) override;
  void ImageDrawGetSize(int32_t column, int32_t& width, int32_t& height) override;
  void ImageDrawIsCustom(int32_t column, bool& isCustom) override;
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

class TLvItemStored : public TLvItem {
  DX_CLASS_WITH_FACTORY(TLvItemStored, TLvItem, &Make)
public:
  explicit TLvItemStored(TLvCollection* collection) : TLvItem(collection) {}
  TLvItemDynamicDataHelper& DataHelper() { return helper_; }

  std::string GetCaptions(int32_t column) override { return helper_.Caption(column); }
  void SetCaptions(int32_t column, const std::string& value) override;
  int32_t GetImageIndexes(int32_t column) override { return helper_.ImageIndex(column); }
  void SetImageIndexes(int32_t column, int32_t value) override;
  int32_t GetImageOverlayIndexes(int32_t column) override { return helper_.OverlayIndex(column); }
  void SetImageOverlayIndexes(int32_t column, int32_t value) override;
  int32_t GetStateImageIndexes(int32_t column) override { return helper_.StateImageIndex(column); }
  void SetStateImageIndexes(int32_t column, int32_t value) override;
  int32_t GetGroupKey(int32_t column) override { return helper_.GroupKey(column); }
  void SetGroupKey(int32_t column, int32_t value) override { helper_.SetGroupKey(column, value); }
  TCustomImageList* GetImageList(int32_t, int32_t imageSize) override { return GetDefaultImageList(imageSize); }
  TCustomImageList* GetStateImageList(int32_t column) override;
  int32_t GetDetailCount() override;
  void SetDetailCount(int32_t value) override;
  int32_t GetDetails(int32_t index) override { return helper_.Detail(index); }
  void SetDetails(int32_t index, int32_t value) override;
  void LoadFromStream(TStream* stream, int32_t& version) override;
  void SaveToStream(TStream* stream, int32_t version) override;

private:
  static TObject* Make(TObject* collection);
  TLvItemDynamicDataHelper helper_;
};

class TLvItemVirtual : public TLvItem {
  DX_CLASS_WITH_FACTORY(TLvItemVirtual, TLvItem, &Make)
public:
  explicit TLvItemVirtual(TLvCollection* collection) : TLvItem(collection) {}

  std::string GetCaptions(int32_t column) override;
  void SetCaptions(int32_t column, const std::string& value) override;
  int32_t GetImageIndexes(int32_t column) override { return AskImage(column, LvImageKindImage); }
  void SetImageIndexes(int32_t column, int32_t value) override { TellImage(column, LvImageKindImage, value); }
  int32_t GetImageOverlayIndexes(int32_t column) override { return AskImage(column, LvImageKindOverlay); }
  void SetImageOverlayIndexes(int32_t column, int32_t value) override {
    TellImage(column, LvImageKindOverlay, value);
  }
  int32_t GetStateImageIndexes(int32_t column) override { return AskImage(column, LvImageKindState); }
  void SetStateImageIndexes(int32_t column, int32_t value) override { TellImage(column, LvImageKindState, value); }
  int32_t GetGroupKey(int32_t column) override;
  void SetGroupKey(int32_t column, int32_t value) override;
  TCustomImageList* GetImageList(int32_t column, int32_t imageSize) override;
  TCustomImageList* GetStateImageList(int32_t column) override;
  int32_t GetDetailCount() override;
  void SetDetailCount(int32_t value) override;
  int32_t GetDetails(int32_t index) override;
  void SetDetails(int32_t index, int32_t value) override;

private:
  static TObject* Make(TObject* collection);
  int32_t AskImage(int32_t column, int32_t kind);
  void TellImage(int32_t column, int32_t kind, int32_t value);
};

class TLvItemInterfaced : public TLvItem {
  DX_CLASS_WITH_FACTORY(TLvItemInterfaced, TLvItem, &Make)
public:
  explicit TLvItemInterfaced(TLvCollection* collection) : TLvItem(collection) {}

  // The check mark lives in the data source: no permission, no notification.
  bool GetChecked() override;
  void SetChecked(bool value) override;
  std::string GetCaptions(int32_t column) override;
  void SetCaptions(int32_t column, const std::string& value) override;
  int32_t GetImageIndexes(int32_t column) override { return AskImage(column, LvImageKindImage); }
  void SetImageIndexes(int32_t column, int32_t value) override { TellImage(column, LvImageKindImage, value); }
  int32_t GetImageOverlayIndexes(int32_t column) override { return AskImage(column, LvImageKindOverlay); }
  void SetImageOverlayIndexes(int32_t column, int32_t value) override {
    TellImage(column, LvImageKindOverlay, value);
  }
  int32_t GetStateImageIndexes(int32_t column) override { return AskImage(column, LvImageKindState); }
  void SetStateImageIndexes(int32_t column, int32_t value) override { TellImage(column, LvImageKindState, value); }
  int32_t GetGroupKey(int32_t column) override;
  void SetGroupKey(int32_t column, int32_t value) override;
  TCustomImageList* GetImageList(int32_t column, int32_t imageSize) override;
  TCustomImageList* GetStateImageList(int32_t column) override;
  int32_t GetDetailCount() override;
  void SetDetailCount(int32_t value) override;
  int32_t GetDetails(int32_t index) override;
  void SetDetails(int32_t index, int32_t value) override;
  void ImageDraw(int32_t column, TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender) override;
  void ImageDrawGetSize(int32_t column, int32_t& width, int32_t& height) override;
  void ImageDrawIsCustom(int32_t column, bool& isCustom) override;
  void ThumbnailDraw(TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender, bool& doDefault) override;

private:
  static TObject* Make(TObject* collection);
  int32_t AskImage(int32_t column, int32_t kind);
  void TellImage(int32_t column, int32_t kind, int32_t value);
};
