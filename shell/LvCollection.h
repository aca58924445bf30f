// The foundation of the list-view model: the persistent bases, the collection
// element with its state flags, the one protocol by which every state change
// is asked for, announced and painted, the element stream record, and the
// collections with their "Items" form-file property.
//
// Flag protocol. A setter with the current value does nothing. While the
// element is being destroyed only a loss acts: it clears the flag and sends
// the lose notification, unasked (a gain there would report a loss the element
// never had, and owners count checked and selected elements by those
// notifications). Otherwise the element asks its permission (MayChange...);
// refused, nothing changes; allowed, the flag changes and the gain or lose
// notification follows. Focus and selection go only to visible, enabled
// elements; losing Enabled or Visible takes them away first.
#pragma once

#include <cstdint>
#include <string>

#include "platform/classes/lists.h"
#include "platform/classes/persistent.h"
#include "platform/com/com.h"
#include "platform/rtl/types.h"
#include "shell/LvDataSources.h"
#include "shell/LvOwner.h"

class TStream;
class TLvCollection;

class TLvPersistent : public TPersistent {
  DX_CLASS(TLvPersistent, TPersistent)
public:
  TLvPersistent() = default;
};

class TLvOwnedPersistent : public TLvPersistent {
  DX_CLASS(TLvOwnedPersistent, TLvPersistent)
public:
  explicit TLvOwnedPersistent(TLvOwnerListview* owner) : owner_(owner) {}
  TLvOwnerListview* OwnerListview() const { return owner_; }

private:
  TLvOwnerListview* owner_;
};

// Bits of the 16-bit element state.
enum TLvStateFlag : uint16_t {
  lsChecked = 1 << 0, lsCheckPressed = 1 << 1, lsCheckHot = 1 << 2, lsPressed = 1 << 3, lsCut = 1 << 4,
  lsDestroying = 1 << 5, lsHighlighted = 1 << 6, lsEnabled = 1 << 7, lsFocused = 1 << 8, lsInitialized = 1 << 9,
  lsSelected = 1 << 10, lsVisible = 1 << 11, lsHotTracking = 1 << 12, lsBold = 1 << 13, lsDropMark = 1 << 14,
  lsGhosted = 1 << 15
};
// The flags an element record stores.
constexpr uint16_t LvStreamStateMask = lsChecked | lsEnabled | lsSelected | lsVisible | lsBold;  // 0x2C81
constexpr uint32_t LvStreamMarker = 0x00CEFEFF;
constexpr int32_t LvStreamVersion = 6;

class TLvCollectionItem : public TLvPersistent, private win::TUncountedObject<IListElementSink> {
  DX_CLASS(TLvCollectionItem, TLvPersistent)
public:
  explicit TLvCollectionItem(TLvCollection* collection);
  ~TLvCollectionItem() override;
  TLvCollectionItem(const TLvCollectionItem&) = delete;
  TLvCollectionItem& operator=(const TLvCollectionItem&) = delete;

  // Ends an element: its kind's tear-down (which may call back into the
  // kind), then the object. Collections free their elements only this way.
  static void Free(TLvCollectionItem* element);

  TLvCollection* Collection() const { return collection_; }
  TLvOwnerListview* OwnerListview() const;
  TObject* Data() const { return data_; }
  virtual void SetData(TObject* value) { data_ = value; }
  win::IUnknown* DataInterface() const { return dataInterface_.get(); }
  void SetDataInterface(win::IUnknown* value);
  IListElementSink* Sink() { return this; }

  TRect DisplayRect;
  int32_t Tag = 0;
  int32_t VisibleIndex = -1;
  uint16_t State() const { return state_; }

  // Own paint info (owned when owns is true); null falls back to the owner's.
  void SetPaintInfo(TLvPaintInfoBasic* info, bool owns);
  TLvPaintInfoBasic* PaintInfo();

  bool Bold() const { return Has(lsBold); }
  bool Cut() const { return Has(lsCut); }
  bool Enabled() const { return Has(lsEnabled); }
  bool Focused() const { return Has(lsFocused); }
  bool Ghosted() const { return Has(lsGhosted); }
  bool Selected() const { return Has(lsSelected); }
  bool Visible() const { return Has(lsVisible); }
  bool Initialized() const { return Has(lsInitialized); }
  bool Destroying() const { return Has(lsDestroying); }
  bool HotTracking() const { return Has(lsHotTracking); }
  bool CheckHot() const { return Has(lsCheckHot); }
  bool CheckPressed() const { return Has(lsCheckPressed); }
  bool Pressed() const { return Has(lsPressed); }
  bool Highlighted() const { return Has(lsHighlighted); }
  bool DropMark() const { return Has(lsDropMark); }
  bool Checked() { return GetChecked(); }

  void SetBold(bool value);
  virtual void SetChecked(bool value);
  void SetEnabled(bool value);
  void SetFocused(bool value);
  void SetGhosted(bool value);
  void SetHotTracking(TPoint mousePos, bool value);
  void SetSelected(bool value);
  void SetVisible(bool value);
  virtual void SetInitialized(bool value);
  void SetCut(bool value);
  void SetCheckHot(bool value);
  // Flags set by the owner's input handling; the model only keeps them.
  void SetCheckPressed(bool value) { Put(lsCheckPressed, value); }
  void SetPressed(bool value) { Put(lsPressed, value); }
  void SetHighlighted(bool value);
  void SetDropMark(bool value) { Put(lsDropMark, value); }

  virtual bool HitTestPoint(TPoint /*viewportPoint*/) { return true; }
  virtual TCustomImageList* GetDefaultImageList(int32_t imageSize);
  virtual bool GetChecked() { return Has(lsChecked); }
  virtual std::string GetDisplayName();
  virtual TLvPaintInfoBasic* GetDefaultPaintInfo() = 0;

  std::string Caption() { return GetCaptions(0); }
  void SetCaption(const std::string& value) { SetCaptions(0, value); }
  int32_t ImageIndex() { return GetImageIndexes(0); }
  void SetImageIndex(int32_t value) { SetImageIndexes(0, value); }
  int32_t ImageOverlayIndex() { return GetImageOverlayIndexes(0); }
  void SetImageOverlayIndex(int32_t value) { SetImageOverlayIndexes(0, value); }
  virtual std::string GetCaptions(int32_t column) = 0;
  virtual void SetCaptions(int32_t column, const std::string& value) = 0;
  virtual int32_t GetImageIndexes(int32_t column) = 0;
  virtual void SetImageIndexes(int32_t column, int32_t value) = 0;
  virtual int32_t GetImageOverlayIndexes(int32_t column) = 0;
  virtual void SetImageOverlayIndexes(int32_t column, int32_t value) = 0;
  virtual TCustomImageList* GetImageList(int32_t column, int32_t imageSize) = 0;
  virtual int32_t GetDetailCount() = 0;
  virtual void SetDetailCount(int32_t value) = 0;
  virtual int32_t GetDetails(int32_t index) = 0;
  virtual void SetDetails(int32_t index, int32_t value) = 0;
  virtual void ImageDraw(int32_t column, TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender) = 0;
  virtual void ImageDrawGetSize(int32_t column, int32_t& width, int32_t& height) = 0;
  virtual void ImageDrawIsCustom(int32_t column, bool& isCustom) = 0;
  virtual void ThumbnailDraw(TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender, bool& doDefault) = 0;

  // Position in the collection (a search here; items keep it cached).
  virtual int32_t GetIndex();
  int32_t Index() { return GetIndex(); }

  virtual void Invalidate(bool immediateUpdate);
  // Reads the base record; version receives the record's version.
  virtual void LoadFromStream(TStream* stream, int32_t& version);
  virtual void SaveToStream(TStream* stream, int32_t version);
  // Scrolls the element into view: 0 top, 1 centre, 2 bottom, 3 fewest moves.
  virtual void MakeVisible(int32_t /*position*/) {}

protected:
  // The kind's tear-down, run by Free before the object goes. Overrides call
  // the inherited one last.
  virtual void BeforeDestruction();

  virtual bool MayChangeBold(bool value) = 0;
  virtual bool MayChangeCheck(bool value) = 0;
  virtual bool MayChangeEnable(bool value) = 0;
  virtual bool MayChangeFocus(bool value) = 0;
  virtual bool MayChangeHotTracking(bool value) = 0;
  virtual bool MayChangeSelection(bool value) = 0;
  virtual bool MayChangeVisibility(bool value) = 0;
  virtual void Freeing() = 0;
  virtual void BoldGained() = 0;
  virtual void BoldLost() = 0;
  virtual void CheckGained() = 0;
  virtual void CheckLost() = 0;
  virtual void EnableGained() = 0;
  virtual void EnableLost() = 0;
  virtual void FocusGained() = 0;
  virtual void FocusLost() = 0;
  virtual void GhostedGained() = 0;
  virtual void GhostedLost() = 0;
  virtual void HighlightGained() = 0;
  virtual void HighlightLost() = 0;
  virtual void HotTrackingGained(TPoint mousePos) = 0;
  virtual void HotTrackingLost(TPoint mousePos) = 0;
  virtual void SelectionGained() = 0;
  virtual void SelectionLost() = 0;
  virtual void VisibilityGained() = 0;
  virtual void VisibilityLost() = 0;
  virtual void Initialize() = 0;

  bool Has(uint16_t flag) const { return (state_ & flag) != 0; }
  // Whether flag may change to value: not to the value it has; while
  // destroying only a loss, unasked; otherwise as ask answers.
  bool MayChange(uint16_t flag, bool value, bool (TLvCollectionItem::*ask)(bool));
  void Put(uint16_t flag, bool on) { state_ = on ? uint16_t(state_ | flag) : uint16_t(state_ & ~flag); }
  // The owner's answer to a Changing notification about this element; with
  // no owner the change is allowed.
  bool AskOwner(TLvNotify n);
  // A notification about this element, when there is an owner.
  void TellOwner(TLvNotify n);
  // Sets Destroying; it is never cleared.
  void MarkDestroying() { Put(lsDestroying, true); }

private:
  friend class TLvCollection;

  // IListElementSink; not counted, and it answers no interface.
  win::HRESULT QueryInterface(const win::IID&, void** out) override;
  void InvalidateItem(bool immediateUpdate) override { Invalidate(immediateUpdate); }
  void ReleaseDataInterface() override { dataInterface_ = {}; }

  TLvCollection* collection_;
  TObject* data_ = nullptr;
  win::TComPtr<win::IUnknown> dataInterface_;
  TLvPaintInfoBasic* paintInfo_ = nullptr;
  bool ownsPaintInfo_ = false;
  uint16_t state_ = lsEnabled | lsVisible;
  bool tornDown_ = false;

protected:
  int32_t index_ = -1;
};

class TLvCollection : public TLvOwnedPersistent {
  DX_CLASS(TLvCollection, TLvOwnedPersistent)
public:
  explicit TLvCollection(TLvOwnerListview* owner);
  ~TLvCollection() override;
  TLvCollection(const TLvCollection&) = delete;
  TLvCollection& operator=(const TLvCollection&) = delete;

  // A new element of the element class; null when the class cannot be made.
  TLvCollectionItem* Add(TObject* data);
  int32_t Count() const { return list_.Count(); }
  TLvCollectionItem* Items(int32_t index) const { return static_cast<TLvCollectionItem*>(list_.Items(index)); }
  int32_t IndexOf(const TLvCollectionItem* element) const { return list_.IndexOf(const_cast<TLvCollectionItem*>(element)); }
  // The visible elements, in the order the owner's layout put them.
  TList& VisibleList() { return visibleList_; }
  int32_t VisibleCount() const { return visibleList_.Count(); }
  void RenumberItems(bool force);

  virtual TLvCollectionItem* FirstVisible();
  virtual TLvCollectionItem* LastVisible();
  virtual TLvCollectionItem* NextVisible(TLvCollectionItem* element);
  virtual TLvCollectionItem* PrevVisible(TLvCollectionItem* element);
  virtual void BeginUpdate();
  virtual void EndUpdate(bool invalidate);
  virtual void Clear(bool freeItems);
  virtual void MakeAllVisible();
  // "Items" record: version, count, then per element its class name and record.
  // Fails with EReadError for a stream that cannot hold what it announces and
  // with EAssertionFailed for an unregistered class; elements read before stay.
  virtual void ReadItems(TStream* stream);
  virtual void WriteItems(TStream* stream);
  void DefineProperties(TFiler* filer) override;

  TClass ElementClass() const { return elementClass_; }
  void SetElementClass(TClass cls) { elementClass_ = cls; }
  bool HideFromFormFile = false;
  int32_t ReIndexLock = 0;
  int32_t Tag = 0;

protected:
  virtual void ItemAdded(TLvCollectionItem* /*element*/, int32_t /*index*/) {}
  virtual void StructureChanged() {}
  // The kind every element of this collection must be.
  virtual TClass ElementBaseClass() const;

private:
  TList list_;
  TList visibleList_;
  TClass elementClass_;
};

// The items of one group.
class TLvItems : public TLvCollection {
  DX_CLASS(TLvItems, TLvCollection)
public:
  TLvItems(TLvOwnerListview* owner, TLvGroup* group);
  ~TLvItems() override;
  TLvGroup* OwnerGroup() const { return group_; }
  TLvItem* Items(int32_t index) const;
  void Clear(bool freeItems) override;

protected:
  void StructureChanged() override;
  TClass ElementBaseClass() const override;

private:
  TLvGroup* group_;
};

// The factory the element classes register: an element of T in the given collection.
template <class T>
TObject* LvMakeElement(TObject* collection) {
  return new T(dynamic_cast<TLvCollection*>(collection));
}

// Maps between view and window coordinates through the owner's scroll
// offsets; below the header when asked.
TRect LvViewRectToClient(TLvOwnerListview* owner, const TRect& rect, bool belowHeader);
TRect LvClientRectToView(TLvOwnerListview* owner, const TRect& rect, bool belowHeader);
// The client area below the header, in view coordinates.
TRect LvClientRectInViewCoordinates(TLvOwnerListview* owner);
