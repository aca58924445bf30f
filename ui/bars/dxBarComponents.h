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
#include <utility>
#include <vector>

#include "platform/classes/collection.h"
#include "platform/classes/complist.h"
#include "platform/classes/strings.h"
#include "platform/vcl/imglist.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarPopupMenu.h"

class TBitmap;

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

  // "Items": the members' names, written unless an ancestor group names the
  // same members.
  void DefineProperties(TFiler* Filer) override;
  // Adds the members named while loading that the manager's owner holds.
  void Loaded() override;

private:
  bool Contains(const TdxBarGroup* AGroup) const;
  // Runs ASwitch on every member, inside the manager's bars update unless
  // the group is loading or being destroyed.
  void Switch(const std::function<void(TdxBarComponent*)>& ASwitch);
  // The members' names; while loading, the names read so far.
  std::vector<std::string> MemberNames() const;
  void ReadItems(TReader& Reader);
  void WriteItems(TWriter& Writer);
  // Adds the bar component of that name in the manager's owner; other names are dropped.
  void AddByName(const std::string& AName);

  std::unique_ptr<TdxBarComponentList> members_;
  // Names read while loading, resolved by Loaded.
  std::unique_ptr<std::vector<std::string>> loadedNames_;
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
  // After the names, "ItemsVisibles" and "Visibles": one value per category.
  void DefineProperties(TFiler* Filer) override;

private:
  // Reads one value per category through ASet; a stored list longer than the
  // categories is a read error, and then nothing of it is applied.
  void ReadPerCategory(TReader& Reader, const std::function<int32_t(TReader&)>& ARead,
                       const std::function<void(int32_t, int32_t)>& ASet);
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

// The base of the manager's persistent sub-objects: the manager is their
// owner for name paths and streaming.
class TdxBarPersistent : public TPersistent {
  DX_CLASS(TdxBarPersistent, TPersistent)
public:
  explicit TdxBarPersistent(TdxBarManager* ABarManager) : barManager_(ABarManager) {}
  TdxBarManager* BarManager() const { return barManager_; }
  TPersistent* GetOwner() override;

protected:
  TdxBarManager* barManager_;
};

// The image lists and glyph options of a manager.
class TdxBarImageOptions : public TdxBarPersistent {
  DX_CLASS(TdxBarImageOptions, TdxBarPersistent)
public:
  explicit TdxBarImageOptions(TdxBarManager* AOwner);
  ~TdxBarImageOptions() override;

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

  std::array<TCustomImageList*, 5> lists_{};
  std::array<std::unique_ptr<TChangeLink>, 5> links_;
  std::unique_ptr<TcxFreeNotificator> freeNotificator_;
  TColor imageListBkColor_ = clFuchsia;
  bool largeIcons_ = false, makeDisabledImagesFaded_ = false, useLargeImagesForLargeIcons_ = false;
  bool useLeftBottomPixelAsTransparent_ = true;
};

// Background pictures of bars and sub-menus. A new or changed bar picture
// restyles the manager; the sub-menu picture is read when a menu opens.
class TdxBarBackgrounds : public TdxBarPersistent {
  DX_CLASS(TdxBarBackgrounds, TdxBarPersistent)
public:
  explicit TdxBarBackgrounds(TdxBarManager* AOwner);
  ~TdxBarBackgrounds() override;
  TBitmap* Bar() const { return bar_.get(); }
  // Copies Value (null empties the picture); restyles once unless the
  // picture was and stays empty.
  void SetBar(TBitmap* Value);
  TBitmap* SubMenu() const { return subMenu_.get(); }
  void SetSubMenu(TBitmap* Value);
  // Both pictures of another TdxBarBackgrounds, through the setters.
  void Assign(TPersistent* Source) override;
  // The manager's StyleChanged.
  void NotifyStyleChange();

private:
  std::unique_ptr<TBitmap> bar_, subMenu_;
  bool settingBar_ = false;
};

class TdxBarPopupMenuLink;
// Asked before a linked menu pops up or takes a shortcut: X, Y are client
// coordinates of the control ((-1, -1) for the keyboard) and may be moved.
using TdxBarPopupMenuLinkActionEvent =
    std::function<void(TdxBarPopupMenuLink* Sender, int32_t& X, int32_t& Y, bool ClickedByMouse, bool& AllowPopup)>;

// Binds a control of the manager's owner to one of the manager's popup
// menus: the link takes over the control's window procedure and turns its
// context-menu requests into the menu.
class TdxBarPopupMenuLink : public TCollectionItem {
  DX_CLASS(TdxBarPopupMenuLink, TCollectionItem)
public:
  explicit TdxBarPopupMenuLink(TCollection* ACollection);
  // Gives the control its window procedure back.
  ~TdxBarPopupMenuLink() override;

  TdxBarManager* GetBarManager() const;
  TControl* Control() const { return control_; }
  // A control outside the manager's owner is taken as null.
  void SetControl(TControl* Value);
  // Control when it is windowed, else null.
  TWinControl* GetWindowedControl() const;
  TdxBarPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TdxBarPopupMenu* Value);
  bool ProcessChildren() const { return processChildren_; }
  void SetProcessChildren(bool Value) { processChildren_ = Value; }
  TdxBarPopupMenuLinkActionEvent OnAction;

  // Control, PopupMenu (found by name in this manager's owner) and
  // ProcessChildren of another link; EInvalidCast when a component of that
  // name has the wrong class.
  void Assign(TPersistent* Source) override;
  // Pos: client point of Control, (-1, -1) for the keyboard. Pops the menu up
  // unless OnAction refuses; answers whether it was allowed.
  bool ShowPopup(TPoint Pos);
  // The menu executes AShortCut, unless OnAction refuses.
  bool IsShortCut(TShortCut AShortCut);
  // The component is being freed: forget it without touching it.
  void ComponentFreed(TComponent* AComponent);

private:
  void LinkWndProc(TMessage& Message);
  void ContextPopup(TObject* Sender, TPoint MousePos, bool& Handled);
  void PassOn(TMessage& Message);
  void ReleaseControl();

  TControl* control_ = nullptr;
  TdxBarPopupMenu* popupMenu_ = nullptr;
  std::function<void(TMessage&)> previousWndProc_;
  bool processChildren_ = true;
  TContextPopupEvent previousContextPopup_;
  // Set while the link's own OnContextPopup handler is installed.
  bool inContextMenu_ = false;
  // Expires with the link, so a window procedure running when it dies stops.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The manager's popup-menu links, streamed as its "PopupMenuLinks".
class TdxBarPopupMenuLinks : public TCollection {
  DX_CLASS(TdxBarPopupMenuLinks, TCollection)
public:
  explicit TdxBarPopupMenuLinks(TdxBarManager* ABarManager);
  TPersistent* GetOwner() override;
  TdxBarManager* BarManager() const { return barManager_; }
  TdxBarPopupMenuLink* Add() { return static_cast<TdxBarPopupMenuLink*>(TCollection::Add()); }
  TdxBarPopupMenuLink* GetItem(int32_t Index) const { return static_cast<TdxBarPopupMenuLink*>(Items(Index)); }
  // The links of AControl first, then those of windowed controls holding it
  // that process children; then the parent manager's links.
  bool ProcessShortCut(TWinControl* AControl, TShortCut AShortCut);
  // Links forget a control or menu that is being freed.
  void ComponentFreed(TComponent* AComponent);

private:
  TdxBarManager* barManager_;
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

// A process-wide object of the toolbar unit: made on first use, freed for
// good by the unit's shut-down, after which Get answers null.
template <class T>
class TdxUnitSingleton {
public:
  template <class... A>
  T* Get(A&&... AArgs) {
    if (!object_ && !freed_) object_ = std::make_unique<T>(std::forward<A>(AArgs)...);
    return object_.get();
  }
  void Free() {
    freed_ = true;
    object_.reset();
  }

private:
  std::unique_ptr<T> object_;
  bool freed_ = false;
};

// The process-wide registry; null once the toolbar unit has shut down.
TdxBarItemList* ItemClassRegistry();
// Frees the registry for good (the toolbar unit's shut-down).
void FreeItemClassRegistry();
void RegisterBarItemClass(TClass AItemClass, TClass AItemControlClass, bool AVisible);

// Declares the published properties of the manager's sub-objects, links and
// groups; the toolbar unit's property registration calls it.
void dxBarComponentsRegisterProperties();
