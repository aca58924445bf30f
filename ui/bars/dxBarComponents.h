// The manager's own lists and option objects, with what the manager itself
// relies on: the component lists, groups and popup menus that register with
// it, the categories with their data, the image options with their change
// reactions, the background pictures, the popup-menu links, and the
// process-wide registry of the kinds of toolbar item.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/complist.h"
#include "platform/classes/strings.h"
#include "platform/vcl/imglist.h"
#include "ui/bars/dxBarElements.h"

// A list of bar components that keeps itself among each member's change
// listeners. The manager switches its lists to owning before it frees them,
// so that the components still in them die with them.
class TdxBarComponentList : public TcxComponentList {
  DX_CLASS(TdxBarComponentList, TcxComponentList)
public:
  TdxBarComponentList() = default;
  // Empties itself first, so every member forgets the list (and an owning
  // list frees its members) while the list is still whole; no notice goes out.
  ~TdxBarComponentList() override;
  // Announces inChanged for AComponent (null: the list as a whole).
  void ComponentChanged(TComponent* AComponent) { ListChanged(AComponent, inChanged); }

protected:
  TClass AcceptedItemClass() const override { return TdxBarComponent::StaticClass(); }
  void HandleNotification(TComponent* AComponent, TListNotification Action) override;
};

// A group of items and groups, switched visible and enabled together.
class TdxBarGroup : public TdxBarComponent {
  DX_COMPONENT_CLASS(TdxBarGroup, TdxBarComponent)
public:
  explicit TdxBarGroup(TComponent* AOwner);
  ~TdxBarGroup() override;
  // Joins the new manager's group list.
  void SetBarManager(TdxBarManager* Value) override;

  int32_t GetCount() const { return members_->Count(); }
  TdxBarComponent* GetItem(int32_t Index) const { return static_cast<TdxBarComponent*>(members_->Items(Index)); }
  // Nothing for null or a member; EdxException "You cannot create recursive
  // groups" for this group or a group that holds it at any depth.
  void Add(TdxBarComponent* AComponent);
  int32_t IndexOf(TdxBarComponent* AComponent) const { return members_->IndexOf(AComponent); }
  void Remove(TdxBarComponent* AComponent) { members_->Remove(AComponent); }
  // The position in the manager's group list; -1 without a manager.
  int32_t GetIndex() const;
  void SetIndex(int32_t NewIndex);

  // Store the value and pass it to every member, inside one bars update.
  void SetEnabled(bool Value) override;
  void SetVisible(TdxBarItemVisible Value) override;

  void SetName(const std::string& NewName) override;
  TComponent* GetParentComponent() override;
  bool HasParent() override { return barManager_ != nullptr; }
  void SetParentComponent(TComponent* Value) override;

private:
  bool Contains(const TdxBarGroup* AGroup) const;
  // Runs ASwitch on every member, inside the manager's bars update unless
  // the group is loading or being destroyed.
  void Switch(const std::function<void(TdxBarComponent*)>& ASwitch);

  std::unique_ptr<TdxBarComponentList> members_;
};

// A popup menu of a manager.
class TdxBarPopupMenu : public TdxBarComponent {
  DX_COMPONENT_CLASS(TdxBarPopupMenu, TdxBarComponent)
public:
  explicit TdxBarPopupMenu(TComponent* AOwner) : TdxBarComponent(AOwner) {}
  ~TdxBarPopupMenu() override;
  // Joins the new manager's popup-menu list.
  void SetBarManager(TdxBarManager* Value) override;
  // Takes the manager's font (the internal-font-change case of bars alike).
  virtual void FontChanged() {}
  // The menu is on screen now; the menu windows answer it.
  virtual bool IsShowing() { return false; }
};

// The data a category carries once it is needed.
class TdxBarCategoryData : public TObject {
  DX_CLASS(TdxBarCategoryData, TObject)
public:
  TdxBarItemVisible ItemsVisible = ivAlways;
  bool Visible = true;
  // The items-visible value read from a form, applied by the manager's Loaded.
  TdxBarItemVisible LoadedItemsVisible = ivAlways;
};

// The category names; each may own a TdxBarCategoryData. Items refer to a
// category by its position, so the list renumbers them whenever categories
// are inserted, deleted, exchanged or moved. A manager always keeps at least
// one category.
class TdxBarManagerCategories : public TStringList {
  DX_CLASS(TdxBarManagerCategories, TStringList)
public:
  // Starts with "Default" unless the manager is being loaded from a form.
  explicit TdxBarManagerCategories(TdxBarManager* ABarManager);
  TdxBarManager* BarManager() const { return barManager_; }
  // Null when the category has no data (or Index is out of range).
  TdxBarCategoryData* Data(int32_t Index) const;
  // Creates the data when missing; Index must be valid.
  TdxBarCategoryData* NeedData(int32_t Index);
  bool IsValidCategory(int32_t AIndex) const { return AIndex >= 0 && AIndex < Count(); }

  // Destroys the category's items; later categories move one number down.
  void Delete(int32_t Index) override;
  // Categories from Index on move one number up (nothing for Index = Count).
  void InsertObject(int32_t Index, const std::string& S, TObject* AObject) override;
  void Exchange(int32_t Index1, int32_t Index2) override;
  // The items and the category data travel with the name.
  void Move(int32_t CurIndex, int32_t NewIndex) override;

private:
  // Items of category AFrom get ATo, without change notices.
  void SetCategoryOfItems(int32_t AFrom, int32_t ATo);
  void ItemsOf(int32_t ACategory, TList* AList) const;
  void AddDefault();

  TdxBarManager* barManager_;
  bool moving_ = false;
};

// What changed in the image options; the manager reacts to each.
enum TdxBarImageOptionsChange : uint8_t {
  icImages, icDisabledImages, icHotImages, icLargeImages, icDisabledLargeImages,
  icImageListBkColor, icMakeDisabledImagesFaded, icUseLargeImagesForLargeIcons, icUseLeftBottomPixelAsTransparent,
  icLargeIcons
};

// The image lists and glyph options of a manager.
class TdxBarImageOptions : public TPersistent {
  DX_CLASS(TdxBarImageOptions, TPersistent)
public:
  explicit TdxBarImageOptions(TdxBarManager* AOwner);
  ~TdxBarImageOptions() override;
  TPersistent* GetOwner() override;

  TCustomImageList* Images() const { return lists_[0]; }
  void SetImages(TCustomImageList* Value) { SetList(icImages, Value); }
  TCustomImageList* DisabledImages() const { return lists_[1]; }
  void SetDisabledImages(TCustomImageList* Value) { SetList(icDisabledImages, Value); }
  TCustomImageList* HotImages() const { return lists_[2]; }
  void SetHotImages(TCustomImageList* Value) { SetList(icHotImages, Value); }
  TCustomImageList* LargeImages() const { return lists_[3]; }
  void SetLargeImages(TCustomImageList* Value) { SetList(icLargeImages, Value); }
  TCustomImageList* DisabledLargeImages() const { return lists_[4]; }
  void SetDisabledLargeImages(TCustomImageList* Value) { SetList(icDisabledLargeImages, Value); }

  TColor ImageListBkColor() const { return imageListBkColor_; }
  void SetImageListBkColor(TColor Value);
  bool LargeIcons() const { return largeIcons_; }
  void SetLargeIcons(bool Value) { SetFlag(largeIcons_, Value, icLargeIcons); }
  bool MakeDisabledImagesFaded() const { return makeDisabledImagesFaded_; }
  void SetMakeDisabledImagesFaded(bool Value) {
    SetFlag(makeDisabledImagesFaded_, Value, icMakeDisabledImagesFaded);
  }
  bool UseLargeImagesForLargeIcons() const { return useLargeImagesForLargeIcons_; }
  void SetUseLargeImagesForLargeIcons(bool Value) {
    SetFlag(useLargeImagesForLargeIcons_, Value, icUseLargeImagesForLargeIcons);
  }
  bool UseLeftBottomPixelAsTransparent() const { return useLeftBottomPixelAsTransparent_; }
  void SetUseLeftBottomPixelAsTransparent(bool Value) {
    SetFlag(useLeftBottomPixelAsTransparent_, Value, icUseLeftBottomPixelAsTransparent);
  }
  // Stored without a change notice.
  bool CacheGlyphs = true;
  bool SmoothGlyphs = false;
  bool StretchGlyphs = true;

  // Copies everything but CacheGlyphs from another TdxBarImageOptions,
  // through the setters.
  void Assign(TPersistent* Source) override;
  // An image list in use is still being loaded.
  bool IsLoading() const;
  // Every image-list property that refers to AComponent becomes null, with
  // the notice of a list change.
  void ImageListFreed(TComponent* AComponent);

  // Large icons drawn from LargeImages.
  bool UsesLargeImages() const { return largeIcons_ && useLargeImagesForLargeIcons_ && lists_[3]; }
  // 16, 32 with large icons, or the width of LargeImages when large icons use them.
  int32_t GlyphSize() const;

private:
  void SetList(TdxBarImageOptionsChange Which, TCustomImageList* Value);
  void SetFlag(bool& Field, bool Value, TdxBarImageOptionsChange Which);
  void Notify(TdxBarImageOptionsChange Which);

  TdxBarManager* owner_;
  std::array<TCustomImageList*, 5> lists_{};
  std::array<std::unique_ptr<TChangeLink>, 5> links_;
  std::unique_ptr<TcxFreeNotificator> freeNotificator_;
  TColor imageListBkColor_ = clFuchsia;
  bool largeIcons_ = false, makeDisabledImagesFaded_ = false, useLargeImagesForLargeIcons_ = false;
  bool useLeftBottomPixelAsTransparent_ = true;
};

// Background pictures of bars and menus; a change restyles the manager.
class TdxBarBackgrounds : public TPersistent {
  DX_CLASS(TdxBarBackgrounds, TPersistent)
public:
  explicit TdxBarBackgrounds(TdxBarManager* AOwner) : owner_(AOwner) {}
  TPersistent* GetOwner() override;
  void Changed();

private:
  TdxBarManager* owner_;
};

// Binds a control to a popup menu of the manager.
class TdxBarPopupMenuLink : public TObject {
  DX_CLASS(TdxBarPopupMenuLink, TObject)
public:
  TControl* Control = nullptr;
  TdxBarPopupMenu* PopupMenu = nullptr;
};

class TdxBarPopupMenuLinks : public TPersistent {
  DX_CLASS(TdxBarPopupMenuLinks, TPersistent)
public:
  explicit TdxBarPopupMenuLinks(TdxBarManager* AOwner) : owner_(AOwner) {}
  TPersistent* GetOwner() override;
  TdxBarPopupMenuLink* Add();
  int32_t Count() const { return int32_t(links_.size()); }
  TdxBarPopupMenuLink* Items(int32_t Index) const { return links_.at(size_t(Index)).get(); }

private:
  TdxBarManager* owner_;
  std::vector<std::unique_ptr<TdxBarPopupMenuLink>> links_;
};

// ---------------------------------------------------------------- item-class registry

// One kind of toolbar item: its class, the class of the on-screen control
// that shows it, and whether the Customize dialog offers it.
class TRegItemRecord : public TObject {
  DX_CLASS(TRegItemRecord, TObject)
public:
  TRegItemRecord(TClass AItemClass, TClass AItemControlClass, bool AVisible)
      : ItemClass(AItemClass), ItemControlClass(AItemControlClass), Visible(AVisible) {}
  TClass ItemClass;
  TClass ItemControlClass;
  bool Visible;
};

// The registered kinds of toolbar item in registration order; owns its
// records and registers each item class for streaming while it holds it.
class TdxBarItemList : public TList {
  DX_CLASS(TdxBarItemList, TList)
public:
  TdxBarItemList() = default;
  // Unregisters every entry, last first.
  ~TdxBarItemList() override;
  void AddRegistration(TClass AItemClass, TClass AItemControlClass, bool AVisible);
  // Bad index: EListError.
  void RemoveRegistration(int32_t AIndex);
  TRegItemRecord* RecordAt(int32_t AIndex) const { return static_cast<TRegItemRecord*>(Items(AIndex)); }
  TClass ItemClassAt(int32_t AIndex) const { return RecordAt(AIndex)->ItemClass; }
  int32_t VisibleItemCount() const;
  // The AIndex-th visible item class; null outside 0..VisibleItemCount-1.
  TClass VisibleItemClass(int32_t AIndex) const;
  // The control class of the first record for exactly AItemClass (a
  // descendant of a registered class finds nothing); null when none.
  TClass ItemControlClassOf(TClass AItemClass) const;
};

// The process-wide registry; null once the toolbar unit has shut down.
TdxBarItemList* ItemClassRegistry();
// Frees the registry for good (the toolbar unit's shut-down).
void FreeItemClassRegistry();
void RegisterBarItemClass(TClass AItemClass, TClass AItemControlClass, bool AVisible);
