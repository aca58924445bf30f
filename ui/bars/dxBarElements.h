// The toolbar elements the bar manager works with: bars and their
// collection, dock sites with their rows, bar windows, items, item links,
// item controls and the shared hint window. The manager only sends these
// objects notices and reads a few fields; the toolbar windows, items and
// painters give them their full behaviour by overriding the virtual
// operations declared here, which do the least that the manager relies on.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/complist.h"
#include "platform/vcl/controls.h"
#include "ui/bars/dxBarTypes.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxControls.h"
#include "ui/lookandfeel/dxFading.h"

class TBitmap;
class TcxCanvas;
class TCustomImageList;
class TFont;
class TdxBar;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarItemControl;
class TdxBarItemControlViewInfo;
class TdxBarItemControlDrawParams;
class TdxBarDockControl;
class TdxCachedImageOptions;
class TdxDockControl;
class TdxBarPainter;

// ---------------------------------------------------------------- components

// A list of objects it does not own, with lookups that answer null.
class TdxObjectList : public TObjectList {
  DX_CLASS(TdxObjectList, TObjectList)
public:
  TdxObjectList() : TObjectList(false) {}
  // Adds AObject unless it is null or already in AList.
  static void AddToListOnce(TList* AList, TObject* AObject);
  // Null outside 0..Count-1.
  TObject* GetItem(int32_t Index) const;
  TObject* Last() const { return GetItem(Count() - 1); }
  // ADest gets this list's entries in order; a TdxObjectList takes each
  // once and no null, any other list takes them as they are.
  void CopyTo(TList* ADest) const;
};

// The base of the manager's items, groups and popup menus: a component that
// belongs to one bar manager. As a selectable element it asks the manager's
// designer; the items override the defaults it gives a plain component.
class TdxBarComponent : public TcxComponent, public IdxBarSelectableItem {
  DX_COMPONENT_CLASS(TdxBarComponent, TcxComponent)
public:
  explicit TdxBarComponent(TComponent* AOwner);
  // Leaves every component list that still holds it while it is still a
  // TdxBarComponent, so no list meets it half destroyed.
  ~TdxBarComponent() override;
  TdxBarManager* BarManager() const { return barManager_; }
  virtual void SetBarManager(TdxBarManager* Value) { barManager_ = Value; }

  // Every list holding the component hears inChanged: with the component,
  // or with null when ADestroying.
  virtual void NotifyChangeListeners(bool ADestroying);
  bool Enabled() const { return GetEnabled(); }
  virtual bool GetEnabled() const { return enabled_; }
  virtual void SetEnabled(bool Value) { enabled_ = Value; }
  TdxBarItemVisible Visible() const { return visible_; }
  virtual void SetVisible(TdxBarItemVisible Value) { visible_ = Value; }
  // The Owner enters AList once.
  void CollectOwners(TdxObjectList* AList) override;

  // ---- selectable element
  // What the manager's designer allows (without a designer: True).
  bool CanBeDeleted(bool Destruction) override;
  // Frees the component when it may be deleted; AReference is cleared first.
  void DeleteIfAllowed(IdxBarSelectableItem*& AReference, bool Destruction) override;
  void CopyActionSetting(TdxBarCustomizationAction) override {}
  TdxBarManager* GetBarManager() override { return barManager_; }
  TPersistent* ImplementingObject() override { return this; }
  void NextSelectable(IdxBarSelectableItem*& AElement) override { GetParentSelectable(AElement); }
  TPersistent* SelectableParentObject() override { return GetOwnerComponent(); }
  int32_t GetDesignSelectionState() override;
  // {1}: a plain component offers only deletion.
  TdxBarCustomizationActions ElementActions() override { return 2; }
  bool IsComplexElement() override { return false; }
  bool IsDesignSelected() override;
  void DesignSelect(int32_t AOperation) override;
  bool SelectOwnParent() override { return false; }
  void RefreshSelectionMark() override {}
  // A plain component has no selectable parent.
  virtual void GetParentSelectable(IdxBarSelectableItem*& ASelectable) { ASelectable = nullptr; }
  virtual TComponent* GetOwnerComponent() { return Owner(); }
  // The lists (TdxBarComponentList) that hold the component; not owned.
  TObjectList* ChangeListeners() const { return changeListeners_.get(); }

protected:
  // The manager list a kind of component belongs to (null while the manager frees it).
  using TManagerListOf = TComponentList* (*)(TdxBarManager*);
  // Leaves the old manager's list and joins the new one's.
  void MoveToManager(TdxBarManager* Value, TManagerListOf ListOf);
  // For destructors: leaves the manager's list.
  void LeaveManager(TManagerListOf ListOf);

  TdxBarManager* barManager_ = nullptr;
  bool enabled_ = true;
  TdxBarItemVisible visible_ = ivAlways;

private:
  std::unique_ptr<TObjectList> changeListeners_;
};

// ---------------------------------------------------------------- item links

class TBitmap;
class TCustomIniFile;
class TdxBarItemLinks;

enum TdxBarButtonGroupPosition : uint8_t { bgpNone, bgpStart, bgpMember };
enum TdxBarItemPosition : uint8_t { ipBeginsNewRow, ipBeginsNewColumn, ipContinuesRow };
// The four real view levels; a set of them has bit n for level n.
enum TdxBarItemViewLevel : uint8_t { ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly, ivlDefault };
using TdxBarItemViewLevels = uint8_t;
constexpr TdxBarItemViewLevels AllViewLevels = 15;
// Every UserDefine bit the set knows; stored values outside it are masked.
constexpr TdxBarUserDefines AllUserDefines = 15;
enum TdxBarMenuItemSize : uint8_t { misNormal, misLarge };
enum TdxBarItemOptionValue : uint8_t { ioShowDescriptions, ioShowShortCuts, ioSize };
using TdxBarItemOptionValues = uint8_t;
constexpr TdxBarItemOptionValues ItemOptionBit(TdxBarItemOptionValue v) { return TdxBarItemOptionValues(1u << v); }
// Where a layout is kept: an INI file (sections joined by ".") or the registry ("\").
enum TdxBarStoringKind : uint8_t { skIni, skRegistry };
std::string LayoutSectionDelimiter(TdxBarStoringKind AKind);

// Makes the item control of AControlClass that shows ALink in ABarControl.
// The item-control unit's start-up installs it; a link needing it while it is
// empty raises EdxException naming it.
using TdxBarCreateItemControlProc = TdxBarItemControl* (*)(TClass AControlClass, TCustomdxBarControl* ABarControl,
                                                           TdxBarItemLink* ALink);
void SetdxBarCreateItemControlProc(TdxBarCreateItemControlProc AProc);
TdxBarCreateItemControlProc dxBarCreateItemControlProc();
TdxBarItemControl* dxBarCreateItemControl(TClass AControlClass, TCustomdxBarControl* ABarControl, TdxBarItemLink* ALink);

// The bar whose links are being merged into another bar, null otherwise;
// the bar merge sets it around TdxBarItemLinks::Merge.
TdxBar* dxBarMergingBar();
void SetdxBarMergingBar(TdxBar* ABar);

// One placement of an item in a bar, sub-menu or popup menu: the values that
// may differ between the places of one item, and the recent-use data of
// menus that show recently used commands first.
class TdxBarItemLink : public TcxInterfacedCollectionItem, public IdxBarSelectableItem {
  DX_CLASS(TdxBarItemLink, TcxInterfacedCollectionItem)
public:
  // Joins the end of the collection's recent list; the manager hears of it
  // unless it is loading.
  explicit TdxBarItemLink(TCollection* ACollection);
  ~TdxBarItemLink() override;

  // Copies another link's user values, item and placement.
  void Assign(TPersistent* Source) override;
  // "ItemName": the item's name, resolved after loading.
  void DefineProperties(TFiler* Filer) override;
  // Moves the link to another collection's recent list as well.
  void SetCollection(TCollection* Value) override;

  TdxBarItemLinks* GetOwnerLinks() const;
  TdxBarManager* GetBarManager() const;
  // The collection's bar window; null when none.
  TCustomdxBarControl* GetBarControl() const;
  // While the owner compares itself with an ancestor form, the manager's
  // item of a pending loaded name.
  TdxBarItem* GetItem() const;
  // Attaches the link to AItem (EdxException with the owner's refusal); null frees the link.
  virtual void SetItem(TdxBarItem* AItem);
  // Index among the collection's visible or candidate links; -1 when not there.
  int32_t GetVisibleIndex() const;
  int32_t GetCandidateIndex() const;
  // The item is available and the link's own Visible is set.
  bool IsVisibleAndAvailable() const;

  // ---- effective values: the user value when its flag is set or there is no item
  std::string GetCaption() const;
  TBitmap* GetGlyph() const;
  TdxBarPaintStyle GetPaintStyle() const;
  // UserWidth with udWidth; the width of an edit item; else 0.
  int32_t GetWidth() const;

  // ---- stored values
  // The effective group start (separators, hidden links before it).
  bool GetBeginGroup() const;
  virtual void SetBeginGroup(bool Value);
  // The flag as set, before the separator and carry-over rules.
  bool StoredBeginGroup() const { return beginGroup_; }
  TdxBarButtonGroupPosition ButtonGroup() const { return buttonGroup_; }
  void SetButtonGroup(TdxBarButtonGroupPosition Value);
  bool Distributed() const { return distributed_; }
  void SetDistributed(bool Value);
  TdxBarItemPosition Position() const { return position_; }
  void SetPosition(TdxBarItemPosition Value);
  TdxBarItemViewLevels ViewLevels() const { return viewLevels_; }
  void SetViewLevels(TdxBarItemViewLevels Value);
  bool Visible() const { return visible_; }
  // Held back in LoadedVisible while the manager loads or the collection is assigned.
  virtual void SetVisible(bool Value);
  bool MostRecentlyUsed() const { return mostRecentlyUsed_; }
  void SetMostRecentlyUsed(bool Value);

  // ---- user values (UserDefine says which the link shows)
  TdxBarUserDefines UserDefine() const { return userDefine_; }
  // Flags going off reset their values; each changed flag notifies the control.
  void SetUserDefine(TdxBarUserDefines Value);
  bool HasUserDefine(TdxBarUserDefine AValue) const { return (userDefine_ & UserDefineBit(AValue)) != 0; }
  const std::string& UserCaption() const { return userCaption_; }
  void SetUserCaption(const std::string& Value);
  TBitmap* UserGlyph() const { return userGlyph_.get(); }
  void SetUserGlyph(TBitmap* Value);
  TdxBarPaintStyle UserPaintStyle() const { return userPaintStyle_; }
  void SetUserPaintStyle(TdxBarPaintStyle Value);
  int32_t UserWidth() const { return userWidth_; }
  void SetUserWidth(int32_t Value);

  // ---- the on-screen control
  // The control that shows the link while its collection is on screen; owned.
  TdxBarItemControl* Control() const { return control_; }
  void SetControl(TdxBarItemControl* Value) { control_ = Value; }
  void CreateControl();
  void DestroyControl();
  // Not while the manager's bar updates are locked.
  void RecreateControl();
  const TRect& ItemRect() const { return itemRect_; }
  // Stores the rectangle and tells the control.
  void SetItemRect(const TRect& Value);
  TPoint ScreenToItemPoint(const TPoint& P) const;
  // Re-evaluates whether the link shows (also after its item's Visible changed).
  virtual void VisibleChanged();

  // ---- recent use
  int32_t GetRecentIndex() const;
  // Clamped to the recent list; without a collection only remembered.
  void SetRecentIndex(int32_t Value);
  // To the front of the recent list, one more use with ACount.
  void BringToFront(bool ACount);
  // Moves to the front and passes the use up to the owning sub-item's link.
  void MarkUsed(bool ACount = true);
  void MoveToRecentEnd();
  void ApplyMostRecentlyUsed();
  void CopyRecentData(TdxBarItemLink* ASource);
  void SaveRecentIndex() { SavedRecentIndex = GetRecentIndex(); }
  void RestoreRecentIndex() { SetRecentIndex(SavedRecentIndex); }

  // Before a dragged link leaves: its group start goes to the next candidate.
  void PassBeginGroupToNext();
  // Its caption's accelerator is the character of AKey (never with Ctrl).
  bool MatchesAccelerator(win::WORD AKey, TShiftState AShift);
  // Copies one value of the design controller's customizing link.
  virtual void ApplyCustomizingValue(int32_t AKind);
  // The link a stand-in link (list and container items) stands for; the link itself otherwise.
  TdxBarItemLink* GetSourceLink() { return RepresentedLink ? RepresentedLink : this; }

  // ---- layout: section ABaseSection + delimiter + "ItemLink" + AIndex
  // Reads the link's keys; False when the item is unknown and the link freed itself.
  bool ReadFromIni(TCustomIniFile* AIniFile, const std::string& ABaseSection, int32_t AIndex,
                   TdxBarStoringKind AStoringKind);
  void WriteToIni(TCustomIniFile* AIniFile, const std::string& ABaseSection, int32_t AIndex,
                  TdxBarStoringKind AStoringKind);
  // Reads only "MostRecentlyUsed" of an INI layout.
  void ReadRecentUseFromIni(TCustomIniFile* AIniFile, const std::string& ABaseSection, int32_t AIndex);

  // ---- IdxBarSelectableItem
  bool CanBeDeleted(bool) override { return true; }
  void DeleteIfAllowed(IdxBarSelectableItem*& AReference, bool Destruction) override;
  void CopyActionSetting(TdxBarCustomizationAction) override {}
  TdxBarManager* GetBarManager() override;
  TPersistent* ImplementingObject() override { return this; }
  void CollectOwners(TdxObjectList* AList) override;
  void NextSelectable(IdxBarSelectableItem*& AElement) override;
  TPersistent* SelectableParentObject() override;
  int32_t GetDesignSelectionState() override;
  TdxBarCustomizationActions ElementActions() override;
  bool IsComplexElement() override { return false; }
  bool IsDesignSelected() override;
  void DesignSelect(int32_t AOperation) override;
  bool SelectOwnParent() override;
  void RefreshSelectionMark() override {}

  // ---- plain fields
  void* Data = nullptr;
  // Uses for the recent-items lists; starts with the manager's initial use count.
  int32_t UseCount = 0;
  // The bar whose merge made the link; such links are not written to a layout.
  TdxBar* CreatedByMerging = nullptr;
  // Set by a drag on the link being moved while its copy is made.
  bool MarkedForDeletion = false;
  TdxBarItemLink* RepresentedLink = nullptr;
  // Thickness of the toolbar row that holds the link.
  int32_t RowSize = 0;
  int32_t SavedRecentIndex = -1;
  // Values read from a form or layout, applied by the collection afterwards.
  std::string LoadedItemName;
  int32_t LoadedRecentIndex = -1;
  int32_t LoadedUseCount = 0;
  bool LoadedVisible = true;
  // While a layout is read: the name of the item of the link before this one.
  std::string PredecessorItemName;

private:
  friend class TdxBarItemLinks;
  void UserGlyphChanged();
  // The item control gets one notice per changed UserDefine flag.
  void NotifyUserDefineChanged(TdxBarUserDefines AChanged);
  void SwitchUserDefineOn(TdxBarUserDefine AFlag);
  // The Visible setter outside loading and assigning.
  void ApplyVisible(bool Value);
  // The collection's update for this link.
  void ItemChanged();

  TdxBarItem* item_ = nullptr;
  TdxBarItemControl* control_ = nullptr;
  TRect itemRect_;
  bool beginGroup_ = false;
  TdxBarButtonGroupPosition buttonGroup_ = bgpNone;
  bool distributed_ = true;
  TdxBarItemPosition position_ = ipBeginsNewRow;
  TdxBarItemViewLevels viewLevels_ = AllViewLevels;
  bool visible_ = true;
  bool mostRecentlyUsed_ = true;
  TdxBarUserDefines userDefine_ = 0;
  std::string userCaption_;
  std::unique_ptr<TBitmap> userGlyph_;
  TdxBarPaintStyle userPaintStyle_ = psStandard;
  int32_t userWidth_ = 0;
  TdxBarItemLinks* recentOwner_ = nullptr;
};

// The menu options of one collection; each may be left to the parent menu's collection.
class TdxBarItemOptions : public TPersistent {
  DX_CLASS(TdxBarItemOptions, TPersistent)
public:
  explicit TdxBarItemOptions(TdxBarItemLinks* AOwner) : owner_(AOwner) {}
  void Assign(TPersistent* Source) override;
  TdxBarItemLinks* Owner() const { return owner_; }
  TdxBarItemOptionValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TdxBarItemOptionValues Value) { assignedValues_ = Value & 7; }
  bool IsAssigned(TdxBarItemOptionValue AValue) const { return (assignedValues_ & ItemOptionBit(AValue)) != 0; }
  bool ShowDescriptions() const { return showDescriptions_; }
  void SetShowDescriptions(bool Value);
  bool ShowShortCuts() const { return showShortCuts_; }
  void SetShowShortCuts(bool Value);
  TdxBarMenuItemSize Size() const { return size_; }
  void SetSize(TdxBarMenuItemSize Value);

private:
  TdxBarItemLinks* owner_;
  TdxBarItemOptionValues assignedValues_ = 0;
  bool showDescriptions_ = false;
  bool showShortCuts_ = true;
  TdxBarMenuItemSize size_ = misNormal;
};

// The ordered links one owner shows (a toolbar, a popup menu, a sub-item's or
// a button's menu); owns its links. It keeps three derived lists: available
// (the item is available), candidate (and the link's Visible is set) and
// visible (the candidates shown now: all, or in a recent-items menu that is
// not expanded the most recently used ones), and the recent list of every
// link, most recently used first.
class TdxBarItemLinks : public TCollection {
  DX_CLASS(TdxBarItemLinks, TCollection)
public:
  TdxBarItemLinks(TdxBarManager* ABarManager, IdxBarLinksOwner* AOwner);
  // Frees the bar window unless it is being destroyed itself.
  ~TdxBarItemLinks() override;

  // Copies the links; a system-menu item at the front stays.
  void Assign(TPersistent* Source) override;
  TdxBarManager* BarManager() const { return barManager_; }
  void SetBarManager(TdxBarManager* Value) { barManager_ = Value; }
  IdxBarLinksOwner* Owner() const { return owner_; }
  // The component behind the owner; null when it is none.
  TComponent* OwnerComponent() const;

  // ---- links
  TdxBarItemLink* Add();
  TdxBarItemLink* Insert(int32_t Index);
  // A new link with a new item of AItemClass owned by AOwner (the manager when null).
  TdxBarItemLink* AddItem(TClass AItemClass, TComponent* AOwner = nullptr);
  TdxBarItemLink* AddExistingItem(TdxBarItem* AItem);
  // Null outside 0..Count-1.
  TdxBarItemLink* GetItem(int32_t Index) const;
  // -1 for a link of another collection.
  int32_t IndexOf(const TdxBarItemLink* ALink) const;
  // The first link whose item's Name is AName (case-sensitive); -1.
  int32_t IndexOfItemName(const std::string& AName) const;
  // Bad indexes are ignored.
  void Move(int32_t ACurIndex, int32_t ANewIndex);

  // ---- derived lists
  int32_t GetAvailableCount() const { return int32_t(availableLinks_.size()); }
  TdxBarItemLink* AvailableItems(int32_t Index) const;
  int32_t CandidateItemCount() const { return int32_t(candidateLinks_.size()); }
  TdxBarItemLink* CandidateItems(int32_t Index) const;
  int32_t GetVisibleItemCount() const { return int32_t(visibleLinks_.size()); }
  TdxBarItemLink* VisibleItems(int32_t Index) const;
  int32_t CandidateIndexOf(const TdxBarItemLink* ALink) const;
  int32_t VisibleIndexOf(const TdxBarItemLink* ALink) const;
  int32_t RecentItemCount() const { return int32_t(recentLinks_.size()); }
  TdxBarItemLink* RecentItems(int32_t Index) const;
  int32_t RecentIndexOf(const TdxBarItemLink* ALink) const;
  // Visible links that fit the bar window (all of them in a menu).
  int32_t GetFittingCount();
  // Rebuilds the three lists.
  void Refresh();

  // ---- recent items
  // Not with the standard style, without MayUseRecentItems, or under a parent window that does not.
  bool UsesRecentItems() const;
  int32_t RecentCount() const { return recentCount_; }
  void SetRecentCount(int32_t Value);
  void RestoreRecentCount();
  // How many recent links a menu shows when it opens; -1 for all.
  int32_t ComputeRecentCount() const;
  // Candidates first in the recent list, in their present order.
  void CompactRecentList();
  // The collection may count uses for the recent-items lists.
  bool UseRecentItems = true;

  // ---- keyboard
  // Offers AShortCut to the items of the available links; False for 0.
  virtual bool DispatchShortCut(TShortCut AShortCut);
  // Alt is dropped from AShift; the descendants search.
  TdxBarItemLink* FindLinkByAccelerator(win::WORD AKey, TShiftState AShift, TdxBarItemLink* AStartLink);
  TdxBarItemLink* GetFirstSelectableLink();
  TdxBarItemLink* GetLastSelectableLink();
  // The next fitting link after ALink, with wrap-around: any with AAny, else
  // one whose control can be selected; null when none.
  TdxBarItemLink* GetNextSelectableLink(TdxBarItemLink* ALink, bool AAny);
  TdxBarItemLink* GetPrevSelectableLink(TdxBarItemLink* ALink, bool AAny);

  // ---- bar window
  // The window that shows the links, made by the owner (BarControl from then on).
  TCustomdxBarControl* CreateBarControl();
  void FreeBarControl();
  bool HasControl(TdxBarItemControl* AControl) const;
  void ClearItemRects();
  // The window that shows the links, null when none.
  TCustomdxBarControl* BarControl = nullptr;

  // These are AOwner's own links, or an item of them is AOwner or owns links
  // that contain AOwner, at any depth.
  bool ContainsLinksOwner(IdxBarLinksOwner* AOwner);
  // False with the owner's refusal text.
  virtual bool CanContainItem(TdxBarItem* AItem, std::string& AErrorText);
  virtual void CustomizingChanged() {}

  // ---- loading
  // Links with a loaded item name find their item, then ApplyLoadedData(True).
  virtual void ResolveItemNames();
  void ApplyLoadedData(bool AApplyVisible);

  // ---- layout
  void ReadFromIni(TCustomIniFile* AIniFile, const std::string& ASection, TdxBarStoringKind AStoringKind);
  void WriteToIni(TCustomIniFile* AIniFile, const std::string& ASection, TdxBarStoringKind AStoringKind);
  void ReadRecentUseFromIni(TCustomIniFile* AIniFile, const std::string& ASection);
  void RestoreItemLayouts(TCustomIniFile* AIniFile, const std::string& ASection);

  // ---- merging
  void Merge(TdxBarItemLinks* ASourceItemLinks);
  // Frees the links merged from ABar (from any bar when null).
  void Unmerge(TdxBar* ABar);

  // ---- menu options
  TdxBarItemOptions* ItemOptions() const { return itemOptions_.get(); }
  void AssignItemOptions(TdxBarItemOptions* AValue) { itemOptions_->Assign(AValue); }
  bool GetShowDescriptions() { return GetOptionValue(ioShowDescriptions) != 0; }
  bool GetShowShortCuts() { return GetOptionValue(ioShowShortCuts) != 0; }
  TdxBarMenuItemSize GetItemSize() { return TdxBarMenuItemSize(GetOptionValue(ioSize)); }
  // The option's value as an integer (booleans 0 and 1), inherited from the parent menu's links.
  virtual int32_t GetOptionValue(TdxBarItemOptionValue AOption);
  virtual int32_t GetDefaultOptionValue(TdxBarItemOptionValue AOption);

  // The bar window shows every visible link (menus); toolbars show what fits.
  virtual bool ShowsAllVisibleLinks();
  // Copying another collection: link Visible values are held back meanwhile.
  bool Assigning() const { return assigning_; }
  // Suppresses the designer-modified notice of updates.
  bool Internal = false;
  // Links whose Distributed changed since the bar last took the value.
  std::vector<TdxBarItemLink*> DistributedChangedLinks;
  TNotifyEvent OnChange;

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
  virtual TdxBarItemLink* DoFindLinkByAccelerator(win::WORD AKey, TShiftState AShift, TdxBarItemLink* AStartLink);

private:
  friend class TdxBarItemLink;
  void RemoveFromLists(TdxBarItemLink* ALink);

  TdxBarManager* barManager_;
  IdxBarLinksOwner* owner_;
  std::vector<TdxBarItemLink*> availableLinks_, candidateLinks_, visibleLinks_, recentLinks_;
  std::unique_ptr<TdxBarItemOptions> itemOptions_;
  int32_t recentCount_ = -1;
  int32_t prevRecentCount_ = -1;
  bool assigning_ = false;
  bool destroying_ = false;
};

// The links of a toolbar window: accelerators walk the selectable links.
class TdxBarControlItemLinks : public TdxBarItemLinks {
  DX_CLASS(TdxBarControlItemLinks, TdxBarItemLinks)
public:
  using TdxBarItemLinks::TdxBarItemLinks;

protected:
  TdxBarItemLink* DoFindLinkByAccelerator(win::WORD AKey, TShiftState AShift, TdxBarItemLink* AStartLink) override;
};

// Publishes the link and menu-option properties; the bar unit's start-up calls it.
void dxBarItemLinksRegisterProperties();

// The links of a sub-menu window: accelerators walk the candidate links.
class TdxBarSubMenuControlItemLinks : public TdxBarItemLinks {
  DX_CLASS(TdxBarSubMenuControlItemLinks, TdxBarItemLinks)
public:
  using TdxBarItemLinks::TdxBarItemLinks;
  bool ShowsAllVisibleLinks() override { return true; }

protected:
  TdxBarItemLink* DoFindLinkByAccelerator(win::WORD AKey, TShiftState AShift, TdxBarItemLink* AStartLink) override;
};

// ---------------------------------------------------------------- windows

// The bit of a real view level in a set of levels.
constexpr TdxBarItemViewLevels ViewLevelBit(TdxBarItemViewLevel ALevel) { return TdxBarItemViewLevels(1u << ALevel); }

// Where an item control is drawn: 0 a horizontal toolbar, 1 a menu, 2 a
// toolbar that turns its items (captions drawn rotated).
using TdxBarPaintType = uint8_t;
constexpr TdxBarPaintType ptHorz = 0, ptMenu = 1, ptVert = 2;
// How large an item control shows its image: 0 small, 1 a small slot with a
// large icon, 2 large.
using TdxBarItemViewSize = uint8_t;
constexpr TdxBarItemViewSize ivsSmall = 0, ivsLargeIcon = 1, ivsLarge = 2;
// What an item control shows, a bit set: bit 0 the icon, bit 1 the text.
using TdxBarItemViewStructure = uint8_t;
constexpr TdxBarItemViewStructure ivsIcon = 1, ivsText = 2;

// The hot part: none, the main part, the second part (a drop-down arrow), and
// inside the control but in no part.
constexpr int32_t dxBarNoHotPart = -1, dxBarMainHotPart = 0, dxBarArrowHotPart = 1, dxBarNonePartInside = 100;

// The on-screen object of one item link inside one bar window: no window of
// its own. The bar window creates it, asks its size, gives it a rectangle,
// forwards mouse and keys and lets it paint through the bar window's painter.
// Draw params and view info are made on first use, by the classes the
// descendant names, since a constructor cannot ask its descendant.
class TdxBarItemControl : public TcxIUnknownObject, public IdxFadingObject {
  DX_CLASS(TdxBarItemControl, TcxIUnknownObject)
public:
  TdxBarItemControl(TCustomdxBarControl* AParent, TdxBarItemLink* ALink);
  ~TdxBarItemControl() override;
  TCustomdxBarControl* Parent() const { return parent_; }
  TdxBarItemLink* ItemLink() const { return link_; }
  TdxBarItem* GetItem() const;
  // The manager of the control's link; null without one.
  TdxBarManager* GetBarManager() const;
  // The manager of the item itself (another one while customizing).
  TdxBarManager* GetItemManager() const;
  TdxBarItemControlViewInfo* ViewInfo();
  // The view info when it has been made; never makes it.
  TdxBarItemControlViewInfo* ExistingViewInfo() const { return viewInfo_.get(); }
  TdxBarItemControlDrawParams* DrawParams();
  // The glyph cache that DrawItemGlyph draws from.
  TdxCachedImageOptions* CachedImageOptions() const { return cachedImageOptions_.get(); }
  // The active canvas while one is set, else the bar window's.
  TcxCanvas* GetCanvas() const;
  TdxBarPainter* GetPainter() const;

  // ---- fading (IdxFadingObject)
  bool CanFade() override { return false; }
  void FadeFrameChanged() override { Invalidate(); }
  void BeginFade(IdxFadingElementData* AData) override { fadingData_ = AData; }
  void EndFade() override { fadingData_ = nullptr; }
  void GetFadeBitmaps(std::unique_ptr<TBitmap>&, std::unique_ptr<TBitmap>&, int32_t&, int32_t&, int32_t&,
                      int32_t&) override {}

  // ---- hint
  // The short hint and " (shortcut)"; False (with ACancel set when an action
  // refused it) when nothing is to be shown.
  virtual bool GetHintTexts(bool& ACancel, std::string& AHint, std::string& AShortCut);
  virtual bool GetEnabled() const;
  virtual bool HasHint();

  // ---- notices of the item and link
  virtual void ItemChanged() { Rebuild(); }
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void ImageChanged();
  virtual void SecondaryImageChanged() {}
  virtual void LargeImageChanged();
  virtual void PaintStyleChanged() {}
  virtual void ParentShownChanged(bool AShown) { (void)AShown; }
  virtual void PressedChanged();
  virtual void VisibleInViewChanged(bool AVisible) { (void)AVisible; }
  virtual void LinkVisibleChanged() { Rebuild(); }
  virtual void WidthChanged();
  virtual void BeforeParentHandleDestroyed() {}
  // Recalculates the light draw params and the parts, invalidates.
  virtual void Refresh();
  virtual void RefreshDesignState() {}
  // Asks the bar window to repaint the control's rectangle.
  virtual void Invalidate();
  // Drops the cached glyph, and the view info's width cache when AResetWidths.
  virtual void ClearGlyphCache(bool AResetWidths);

  // ---- abilities
  virtual bool CanBeInButtonGroup() { return false; }
  virtual bool CanClick() { return true; }
  bool BelongsToManager() const;
  virtual bool CanVisit() { return CanVisitDefault(); }
  virtual bool CanVisitDefault() { return true; }
  virtual bool CanFocus() { return CanSelect(); }
  virtual bool CanSelect();
  virtual bool WantsKey(uint16_t AKey) { (void)AKey; return false; }
  virtual bool AcceptsFocus() { return false; }
  virtual bool AcceptsMouse() { return CanFocus() || CanClick(); }
  virtual bool ClickFromSubMenuCloses() { return true; }
  virtual bool IsDropDown() { return false; }
  virtual bool IsDroppedDown() { return false; }
  // The bar window the control has open (a sub-menu, a drop-down menu).
  virtual TCustomdxBarControl* GetSubMenuControl() { return nullptr; }
  virtual bool IsExpandable() { return false; }
  virtual bool IgnoredWhileCustomizing() { return false; }
  virtual bool IsGroupHeader() { return false; }
  virtual bool IsInMainMenu() { return false; }
  virtual bool IsTransparent() { return true; }
  virtual bool CapturesMouse() { return false; }
  virtual bool ActivatesOnKeyboardSelect() { return false; }
  virtual bool HasDoubleClickHandling();
  // The bar window rotates its items.
  virtual bool IsVertical() const;
  bool UnclickAfterDoing() const;

  // ---- state
  // Between activation and deactivation (an open drop-down, a focused edit).
  virtual bool IsActive() const { return active_; }
  // AImmediate: no hover delay; AByKey: the keyboard asked.
  virtual void Activate(bool AImmediate = false, bool AByKey = false) {
    (void)AImmediate;
    (void)AByKey;
    active_ = true;
  }
  virtual void Deactivate(bool AImmediate = false) {
    (void)AImmediate;
    active_ = false;
  }
  bool Pressed() const { return pressed_; }
  void SetPressed(bool Value);
  virtual void Press(bool AByMouse = true) { (void)AByMouse; }
  // Press when enabled, then ControlClick while the bar window still shows the link.
  virtual void PressAndClick();
  virtual void ControlClick(bool AByMouse);
  virtual void SelectFromMouse();
  virtual bool IsSelected();
  bool SelectedByMouse() const { return selectedByMouse_; }
  void SetSelectedByMouse(bool Value) { selectedByMouse_ = Value; }
  int32_t HotPartIndex() const { return hotPartIndex_; }
  // -1 outside the link's rectangle, the first part containing APoint, 100 inside but in no part.
  int32_t PartAtPos(TPoint APoint);
  virtual void UpdateHotPart(TPoint APoint);
  const std::vector<TRect>& Parts() const { return parts_; }
  bool LastInRow = false;
  bool NonRecent = false;
  bool ChangeRecentGroup = false;

  // ---- mouse and keys
  virtual void DoubleClick() {}
  virtual void KeyDown(uint16_t& AKey, TShiftState AShift) { (void)AKey; (void)AShift; }
  virtual void KeyUp(uint16_t& AKey, TShiftState AShift) { (void)AKey; (void)AShift; }
  virtual void KeyPress(char32_t& AKey) { (void)AKey; }
  virtual void MouseDown(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y);
  virtual void MouseEnter(TShiftState AShift, int32_t X, int32_t Y);
  virtual void MouseMove(TShiftState AShift, int32_t X, int32_t Y);
  virtual void MouseLeave();
  virtual void MouseUp(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y);
  bool IsMouseOverAndLeftDown();
  virtual void BeginSizing(TPoint APoint) { (void)APoint; }
  virtual bool CanSizeAt(TPoint APoint) { (void)APoint; return false; }
  virtual void EndSizing(bool AAccept) { (void)AAccept; }
  virtual void SizeTo(TPoint APoint) { (void)APoint; }

  // ---- view levels
  // The levels this class can show; a class that offers none raises.
  virtual TdxBarItemViewLevels GetPossibleViewLevels();
  // Possible ∩ the link's ViewLevels, or the possible levels when that is empty.
  TdxBarItemViewLevels GetAllowedViewLevels();
  TdxBarItemViewSize GetViewSize();
  virtual TdxBarItemViewStructure GetViewStructure();
  virtual TdxBarItemViewStructure GetDefaultViewStructure() { return 0; }
  virtual TdxBarItemViewSize GetDefaultViewSize();
  virtual TdxBarPaintType GetPaintType() const;
  bool IsMenu() const;
  virtual TdxBarMenuItemSize GetMenuItemSize() const;

  // ---- texts and images
  virtual std::string GetCaption() const;
  virtual std::string GetHint() const;
  virtual TShortCut GetShortCut() const;
  virtual TBitmap* GetGlyph() const;
  virtual TBitmap* GetLargeGlyph() const;
  virtual int32_t GetImageIndex() const;
  virtual int32_t GetLargeImageIndex() const;
  virtual TCustomImageList* GetSmallImages() const;
  virtual TCustomImageList* GetLargeImages() const;
  virtual TCustomImageList* GetHotImages() const;
  // Large wanted at AViewSize: large, or large icons outside menus from the large list.
  bool IsLargeImageWanted(TdxBarItemViewSize AViewSize) const;
  virtual TCustomImageList* GetImageListFor(TdxBarItemViewSize AViewSize) const;
  virtual int32_t GetRealImageIndex(TdxBarItemViewSize AViewSize) const;
  // What to draw at AViewSize; False when the control has no image there.
  virtual bool GetImage(TdxBarItemViewSize AViewSize, int32_t& AImageIndex, TCustomImageList*& AImageList,
                        TBitmap*& AGlyph) const;
  bool HasImage(TdxBarItemViewSize AViewSize) const;
  virtual TSize GetGlyphSize(TdxBarItemViewSize AViewSize) const;
  virtual bool DrawsDisabledImageAsIs() const;
  virtual bool DrawsGrayScaleGlyph() const { return false; }
  virtual TRect GetDefaultGlyphRect() const { return TRect(); }
  // Where the painter drew the glyph last.
  TRect ImageBounds;

  // ---- sizes
  virtual int32_t GetCaptionWidth();
  virtual TRect GetTextMargins();
  virtual int32_t GetTextPartWidth();
  virtual int32_t GetExtraWidth() { return 0; }
  virtual int32_t GetGlyphPartWidth();
  virtual int32_t GetTextIndentByFont();
  int32_t GetTextHeight();
  virtual int32_t GetItemIndent();
  virtual int32_t GetHeight();
  virtual int32_t GetWidth();
  virtual int32_t GetSmallWidth();
  virtual int32_t GetSmallHeight();
  virtual int32_t GetLargeWidth();
  virtual int32_t GetLargeHeight();
  virtual int32_t GetMenuWidth();
  virtual int32_t GetMenuHeight();
  virtual int32_t GetMinWidth() { return 1; }
  virtual int32_t GetMinHeight() { return 1; }
  virtual int32_t GetThickness();
  virtual int32_t GetLength();
  // The size the bar window's layout uses.
  int32_t GetHeightInBar();
  int32_t GetWidthInBar();
  TdxBarItemAlign GetAlign();

  // ---- drawing
  virtual void CalcDrawParams(bool AFull = true);
  virtual int32_t GetPartCount() { return 1; }
  virtual void CalcParts();
  virtual void CalcStyle();
  void CalcStyleWithFont();
  bool HasStyleBrush() const { return backgroundBrush_ != nullptr; }
  win::HBRUSH BackgroundBrush() const { return backgroundBrush_; }
  // Paints into ACanvas at ARect with the paint type AFlag (nothing for an empty rectangle).
  void Paint(TcxCanvas* ACanvas, const TRect& ARect, TdxBarPaintType AFlag);
  virtual void Draw(const TRect& ARect, TdxBarPaintType AFlag) { (void)ARect; (void)AFlag; }
  virtual bool BarHasChildShadows() const;
  // The link's rectangle in the bar window's client coordinates.
  virtual TRect GetItemRect() const;
  // The paint style the control shows.
  virtual TdxBarPaintStyle GetPaintStyle() const;
  // What the control opens is shown with the menu animation.
  bool ShowAnimation = true;

  // ---- what keyboard and mouse routing asks
  // AWnd belongs to the control (its drop-down window, for example).
  virtual bool ClaimsWindow(win::HWND AWnd);
  // Its accelerator may click it at once (an edit must be entered instead).
  virtual bool CanTriggerByAccelerator() { return true; }
  // The control opens a sub-menu when clicked.
  virtual bool OpensSubMenu() { return false; }
  // An in-place editor whose edit window is active takes the keys itself.
  virtual bool IsEditWindowActive() { return false; }
  // A click as by the keyboard: clicks the item.
  virtual void ClickByKeyboard();
  // Its view-info bounds in the bar window's client coordinates.
  virtual TRect GetBounds();

protected:
  // The classes of the draw params and view info.
  virtual std::unique_ptr<TdxBarItemControlDrawParams> CreateDrawParams();
  virtual std::unique_ptr<TdxBarItemControlViewInfo> CreateViewInfo();
  // Asks the bar window to lay itself out again and repaint.
  void Rebuild();
  // Selects the item style's font into the canvas (nothing without one).
  virtual void BeginItemFont();
  virtual void EndItemFont();

  // One rectangle per part, in the bar window's client coordinates.
  std::vector<TRect> parts_;

private:
  void EnsureCreated();
  int32_t LargeGlyphExtent(bool AAlong);

  TCustomdxBarControl* parent_;
  TdxBarItemLink* link_;
  TcxCanvas* activeCanvas_ = nullptr;
  win::HBRUSH backgroundBrush_ = nullptr;
  std::unique_ptr<TdxCachedImageOptions> cachedImageOptions_;
  IdxFadingElementData* fadingData_ = nullptr;
  bool active_ = false;
  bool pressed_ = false;
  bool selectedByMouse_ = false;
  bool creating_ = false;
  int32_t textSize_ = 0;
  std::unique_ptr<TdxBarItemControlDrawParams> drawParams_;
  int32_t hotPartIndex_ = dxBarNoHotPart;
  std::unique_ptr<TdxBarItemControlViewInfo> viewInfo_;
};

class TBitmap;
class TcxCanvas;
class TcxScreenCanvas;
class TdxBarShadow;
class TdxFader;
class TCustomdxBarControlViewInfo;

// An item control with an edit window of its own (edits and combos): the bar
// window answers that window's colour requests (WM_CTLCOLOREDIT and
// WM_CTLCOLORSTATIC) from it.
class IdxBarEditWindowControl {
public:
  virtual ~IdxBarEditWindowControl() = default;
  // Null while the control has no edit window.
  virtual win::HWND GetEditWindow() = 0;
  // What the painter's EditColors needs: whether the control is enabled,
  // the style's text and background colours (clDefault for none) and the
  // colour of the bar window's brush.
  virtual void GetEditColorInputs(bool& AEnabled, TColor& AStyleTextColor, TColor& AStyleColor,
                                  TColor& ABarBrushColor) = 0;
  // The brush the edit window's background is painted with; not deleted by the bar.
  virtual win::HBRUSH GetEditBackgroundBrush() = 0;
  // Set once EditGlassRepaintMessage was posted to the edit window on a glass frame.
  bool GlassRepaintPosted = false;
};

// What bar windows ask of the design controller while customizing. Its unit
// installs the object in dxBarControlDesigner(); as with the hooks'
// partners, while none is installed these steps are skipped (no customizing
// session can select or drag then).
class IdxBarControlDesigner {
public:
  virtual ~IdxBarControlDesigner() = default;
  // Selects AItem: operation 0, 1 or 2 as the design controller defines them.
  virtual void SelectItem(IdxBarSelectableItem* AItem, int32_t AOperation) = 0;
  virtual bool IsItemSelected(IdxBarSelectableItem* AItem) = 0;
  virtual bool IsSelectionComplex(TdxBarManager* AManager) = 0;
  // The last selected element when it is a link of AManager; null otherwise.
  virtual TdxBarItemLink* DesignSelectedLink(TdxBarManager* AManager) = 0;
  // The dragged item and link of AManager's customizing drag, then the drag
  // itself (its own loop; over before the call returns).
  virtual void SetDraggedItem(TdxBarManager* AManager, TdxBarItem* AItem, TdxBarItemLink* ALink) = 0;
  virtual TdxBarItemLink* DraggedItemLink(TdxBarManager* AManager) = 0;
  virtual void BeginItemDrag(TdxBarManager* AManager, TdxBarItem* AItem, TdxBarItemLink* ALink) = 0;
  // The item being dragged may be dropped into ALink's item.
  virtual bool CanDropInto(TdxBarManager* AManager, TdxBarItemLink* ALink) = 0;
  virtual bool IsDragging(TdxBarManager* AManager) = 0;
  // The customizing popup for ALink at the cursor.
  virtual void ShowCustomizingPopupFor(TCustomdxBarControl* ABar, TdxBarItemLink* ALink) = 0;
  // The open quick-customizing toolbar (null when none) and its closing timer.
  virtual TCustomdxBarControl* QuickControl() = 0;
  virtual void StartQuickControlClosingTimer() = 0;
  // A new quick-customization popup window for the toolbar window ABar: its
  // quick-control class with ABar's painter, empty and hidden; null when none.
  virtual TCustomdxBarControl* CreateQuickPopup(TCustomdxBarControl* ABar) = 0;
};
IdxBarControlDesigner*& dxBarControlDesigner();

// The base of bar windows (toolbar windows and menu windows): a custom-drawn
// window that shows one link collection through item controls, asks the
// painter for every size, brush and drawing step, and takes part in its
// manager's menu mode (the active-bar stack, the selected item, tracking).
class TCustomdxBarControl : public TCustomControl, public IcxMouseTrackingCaller {
  DX_COMPONENT_CLASS(TCustomdxBarControl, TCustomControl)
public:
  // Hidden at (100, 100, 50, 30) in clBtnFace; enters the live bar-window list.
  explicit TCustomdxBarControl(TComponent* AOwner);
  // Leaves the manager's tracking and selection, its links, the active-bar
  // stack and the live bar-window list; weak links to it are cleared.
  ~TCustomdxBarControl() override;
  void BeforeDestruction();

  // FState bits.
  enum : uint16_t {
    bcsCreatingControls = 0x1, bcsDestroyingControls = 0x2, bcsMenuDestroying = 0x4,
    bcsDestructionStarted = 0x8, bcsDestroyed = 0x10, bcsHiding = 0x20, bcsPaintingItem = 0x40,
    bcsRebuilding = 0x80, bcsUpdatingCanvasFont = 0x100
  };
  // Posted by the manager and the toolbar windows to rebuild a bar later.
  static constexpr win::UINT BarRebuildMessage = 0x8065;
  // Posted to an item edit on a glass frame so that it repaints.
  static constexpr win::UINT EditGlassRepaintMessage = 0x8081;

  // The manager is the window's owner.
  TdxBarManager* GetBarManager() const;
  // GetPainter.
  TdxBarPainter* Painter() { return GetPainter(); }
  // A painter for this window only; null lets GetPainter resolve it.
  void SetPainter(TdxBarPainter* Value);
  TdxBar* Bar() const { return bar_; }
  void SetBar(TdxBar* Value) { bar_ = Value; }
  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  TCustomdxBarControl* GetParentBarControl() const { return parentBar_; }
  // Both windows point at each other afterwards; the old partners forget them.
  void SetParentBarControl(TCustomdxBarControl* Value);
  TCustomdxBarControl* ChildBar() const { return childBar_; }
  void SetChildBar(TCustomdxBarControl* Value);
  TdxBarItemControl* GetSelectedControl() const { return selected_; }
  TdxBarDockingStyle DockingStyle() const { return dockingStyle_; }
  void SetDockingStyle(TdxBarDockingStyle Value) { dockingStyle_ = Value; }
  TdxDockControl* DockControl() const { return dockControl_; }
  // Recomputes double buffering.
  void SetDockControl(TdxDockControl* Value);
  // The window's keyboard-navigation helper, made on first request from
  // GetAccessibilityHelperClass; null when that names none.
  virtual IdxBarAccessibilityHelper* GetIAccessibilityHelper();
  // The window belongs to a quick-customization chain (False in the base).
  virtual bool IsInQuickChain() { return false; }
  // Repaints one of its item controls (RepaintItemControl).
  virtual void InvalidateItemControl(TdxBarItemControl* AControl) { RepaintItemControl(AControl); }
  // In menu mode: keyboard and mouse belong to the window.
  virtual bool IsActive() const { return active_; }
  void SetActive(bool Value);
  uint16_t State() const { return state_; }
  bool HasState(uint16_t AMask) const { return (state_ & AMask) != 0; }

  // Remembered mouse position; (-1, -1) forces hot-tracking to be worked out again.
  TPoint MousePos{-1, -1};

  // Notices of the manager.
  virtual void CloseUp() {}
  // Rebuilds the item controls and recalculates.
  virtual void RebuildBar() {}
  virtual void CustomizingChanged() {}
  // Recalculates the window's size; during a bars update lock it only marks its bar.
  virtual void RecalcSize();
  virtual void RecalcNonClient() {}
  // Updates the window's position without moving it.
  virtual void UpdateWithoutMoving() {}
  // Repaints frame and client after a refresh.
  virtual void RepaintBar() { Invalidate(); }
  // Another painter draws the window from now on: sizes and brushes are taken afresh.
  virtual void PainterChanged();
  // Resets the last mouse position; stops the manager's tracking and runs
  // DoMouseLeave unless IgnoresMouseLeave.
  void MouseLeave() override;
  // Clears the selection.
  void HideAll() { SetSelectedControl(nullptr); }
  // Changes between BeginUpdate and the last EndUpdate repaint once, then.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int32_t UpdateCount() const { return updateCount_; }

  // ---- what keyboard and mouse routing and activation ask
  // Keys of the keyboard hook go past the window (it lets the form have them).
  virtual bool IgnoresHookKeys() { return false; }
  // The window scrolls with the mouse wheel (AllowsMouseWheel).
  virtual bool WantsMouseWheel() { return AllowsMouseWheel(); }
  virtual bool AcceptsShortCuts() { return true; }
  // Activating AOtherWnd makes the window close.
  virtual bool ClosesOnActivationOf(win::HWND /*AOtherWnd*/) { return true; }
  // A click on AWnd belongs to the window's menu chain.
  virtual bool TakesClickOn(win::HWND /*AWnd*/) { return false; }
  // A click outside the menu chain closes the window.
  virtual bool ClosedByOutsideClicks() { return true; }
  virtual bool ClosesOnCancelMode() { return true; }
  // AWnd is the window itself or one of its child windows.
  virtual bool OwnsWindow(win::HWND AWnd);
  // Handles a mouse message that the mouse hook took from another window.
  virtual void HandleOutsideMouseMessage(win::UINT /*AMsg*/, TPoint /*AScreenPoint*/) {}
  // Its WM_MOUSEMOVE handling at a client point.
  virtual void MouseMoveMessage(TPoint /*AClientPoint*/) {}
  // The first laid-out item control whose bounds hold the client point;
  // null while customizing a bar that does not allow it, or when the
  // control found is being edited then.
  virtual TdxBarItemControl* ItemControlAtPos(TPoint AClientPoint);
  TdxBarItemControl* GetControlUnderMouse();
  // Makes the window the focused bar window with AItemControl selected.
  virtual void ActivateKeyboardMode(TdxBarItemControl* AItemControl);
  // The floating window: whether it shows, show it again, hide it, its drop shadow.
  virtual bool IsWindowShowing() { return HandleAllocated() && win::IsWindowVisible(Handle()); }
  virtual void ShowFloating() {}
  virtual void HideFloating() {}
  virtual void RefreshShadow() { UpdateShadow(); }
  // The item control that opened this window (a sub-menu's), null for a toolbar.
  TdxBarItemControl* OpeningItemControl = nullptr;
  // Opened by the keyboard (a sub-menu then selects its first item).
  bool KeyboardOpened = false;
  // No item hints over this window while set.
  bool ItemHintsSuppressed = false;
  int32_t HelpContext = 0;

  // ---- the extension points, in slot order
  // APoint moved 20 px (at 96 dpi) down, or above the window when the hint
  // would leave the work area.
  virtual TPoint CalcHintWindowPosition(TPoint APoint, int32_t AHintHeight);
  virtual void SelectOrCloseLevel(TdxBarItemControl* AControl);
  // Leaves when the mouse is ignored, else remembers the screen point.
  virtual void HandleMouseMove(TShiftState AShift, TPoint AClientPoint);
  virtual bool IgnoresMouseLeave() { return false; }
  virtual bool AllowsMouseWheel() { return false; }
  virtual void OwnerWindowMouseDown(win::HWND /*AWnd*/) {}
  // After a move or resize: the shadow follows, the cached background goes.
  virtual void WindowPosChanged(const win::WINDOWPOS& AWindowPos);
  virtual bool GetPopupPlacementRect(TRect& /*R*/) { return false; }
  virtual void Recalculate();
  // The link under a client point while items are dragged in customizing.
  virtual void GetDropTarget(TPoint APoint, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                             bool& AOnSeparator);
  virtual void CalcMetrics();
  virtual void CalcClientBounds();
  // Stacks the visible links from AStartIndex downward; ABottom is where the stack ends.
  virtual void CalcItemRectsVertical(int32_t AStartIndex, int32_t& ABottom);
  virtual void CalcItemRects() {}
  // AKind 1 stacks vertically, 0 and 2 run CalcItemRects.
  virtual void CalcLayout(int32_t AKind, int32_t AStartIndex);
  virtual void CalcViewInfo();
  // Re-entry (while either runs) does nothing.
  virtual void CreateControls();
  virtual void DestroyControls();
  virtual void CheckMaximizedState() {}
  using TWinControl::DoKeyDown;
  // Key handling after navigation: Enter clicks the selected item control.
  virtual bool DoKeyDown(win::WORD& AKey, TShiftState AShift);
  // An enabled selected control that wants AKey gets it (empty shift); whether it did.
  virtual bool SendKeyToSelectedControl(win::WORD& AKey);
  virtual bool CanActivate();
  virtual bool IsDockedHorizontally() { return false; }
  virtual bool CanShowMark() { return true; }
  virtual bool CanPaintItemControl(TdxBarItemControl* AControl);
  virtual bool AllowsCustomizing();
  // Whether the window stays active while the focus goes to AFocusWnd: not
  // when its selected control may not be visited.
  virtual bool CanKeepActive(TdxBarManager* AManager, win::HWND AFocusWnd);
  // The selected controls of this window and its open sub-menus may all be visited.
  bool CanKeepActiveChain();
  virtual bool ShowsPartialItem(const TRect& /*AItemRect*/) { return false; }
  // No bar is active, or this one is in the active chain.
  virtual bool IsInActiveChain();
  virtual bool CustomizingPopupOnButton(bool ADown);
  virtual bool ShowsItemHints() { return !IsActive(); }
  virtual bool IsPaintLocked();
  virtual bool ChildrenHaveShadows();
  virtual void BeforeCalcLayout() {}
  virtual void AfterCalcLayout() {}
  // Customizing: the design-selected control of this bar becomes the dragged
  // one; the drag starts once the mouse leaves the system drag rectangle.
  virtual void PrepareItemDrag(TPoint AClientPoint, bool AUnchanged);
  virtual void ActivateKeyboard(TdxBarItemControl* AControl);
  virtual void Deactivate();
  // Starts the manager's mouse-leave tracking, feeds the item handlers, marks the mouse inside.
  virtual void MouseEnter(TShiftState AShift, TPoint AClientPoint, TdxBarItemControl* AControl);
  virtual void DoMouseDown(TMouseButton AButton, TShiftState AShift, bool AInside, TdxBarItemControl* AControl,
                           TPoint AClientPoint);
  virtual void DoMouseLeave();
  virtual void DoMouseMove(TShiftState AShift, TPoint AClientPoint, TdxBarItemControl* AControl);
  virtual void DoMouseUp(TMouseButton AButton, TShiftState AShift, bool AInside, TdxBarItemControl* AControl,
                         TPoint AClientPoint);
  // The link under the mouse changes: leave and enter events, then the move event.
  void ItemMouseMove(TdxBarItemLink* ALink, TPoint AClientPoint, TShiftState AShift);
  // A double click on the selected control that handles double clicks.
  virtual void ItemDblClick(TdxBarItemControl* AControl);
  virtual void DoCreateControls();
  virtual void DoDestroyEvent();
  virtual void DoDestroyControls();
  virtual void RestoreFocus();
  virtual void DoHide();
  // Paints one item control clipped to its bounds, then its design frame.
  virtual void DrawItem(TdxBarItemControl* AControl, TcxCanvas* ACanvas, const TRect& R);
  virtual void Rebuild(bool ARecreate);
  // Sets Active and pushes onto or pops off the process-wide active-bar stack.
  virtual void DoSetActive(bool Value);
  virtual void PaintItems();
  virtual void ScrollMouseMove() {}
  // The link whose accelerator AKey is, searched after AAfter.
  virtual TdxBarItemLink* FindAccelLink(win::WORD AKey, TShiftState AShift, TdxBarItemLink* AAfter);
  // As FindAccelLink, but null for a disabled item; AAnother: a further
  // search finds a different link (the accelerator is shared).
  virtual TdxBarItemLink* FindAccelLinkEx(win::WORD AKey, TShiftState AShift, bool& AAnother, TdxBarItemLink* AAfter);
  // Left button outside customizing: selects and presses an enabled control that wants the mouse.
  virtual void PressItemControl(TdxBarItemControl* AControl);
  // The window kinds answer these; the base gives neutral answers.
  virtual TClass GetAccessibilityHelperClass() { return nullptr; }
  virtual TBitmap* GetBackgroundBitmap() { return nullptr; }
  virtual int32_t GetSeparatorSize() { return 0; }
  // Inherited from the parent bar; 0x13 for a root.
  virtual uint16_t GetBehaviorFlags();
  // The control's own height when it has one, else the default item height.
  virtual int32_t GetItemHeight(TdxBarItemControl* AControl);
  virtual TBitmap* GetItemBackgroundBitmap() { return nullptr; }
  virtual TFont* GetFont() { return Font(); }
  virtual TdxFader* GetFader();
  virtual TRect GetItemRect(TdxBarItemControl* AControl);
  virtual bool IsCustomizing();
  virtual bool IsMainMenuBar() { return false; }
  virtual bool HasShadow();
  virtual bool IsBorderlessBottomBar() { return false; }
  virtual int32_t GetItemIndent() { return 4; }
  virtual int32_t GetSeparatorSizeBefore(TdxBarItemLink* ALink);
  virtual TRect GetItemRectEx(TdxBarItemControl* AControl, bool AWithSeparator);
  // A new region the caller deletes.
  virtual win::HRGN CreateItemRegion(const TRect& R);
  virtual uint8_t GetMarkState() { return markState_; }
  virtual int32_t GetMarkSize() { return HasMark() ? markSize_ : 0; }
  virtual int32_t GetMinItemHeight();
  virtual TWinControl* GetOwnerControl();
  // Own painter, then the parent bar's, the dock site's, the manager's default.
  virtual TdxBarPainter* GetPainter();
  virtual int32_t GetPaintType() { return IsTextRotated() ? 2 : 0; }
  virtual IdxBarSelectableItem* GetSelectableObject() { return nullptr; }
  virtual win::HBRUSH GetBackgroundBrush();
  virtual win::HBRUSH GetDownItemBrush();
  virtual win::HBRUSH GetDownSelectedItemBrush();
  virtual win::HBRUSH GetSelectedItemBrush();
  virtual TClass GetViewInfoClass();
  virtual void MakeItemVisible(TdxBarItemControl* /*AControl*/) {}
  // The links know the window that shows them.
  virtual void SetItemLinks(TdxBarItemLinks* Value);
  virtual win::HDC GetNonClientDC();
  virtual void ReleaseNonClientDC(win::HDC DC);
  virtual int32_t GetItemBorderSize();
  virtual int32_t GetRowHeight();
  virtual int32_t GetDefaultItemHeight();
  virtual TRect GetScreenBounds();
  virtual bool PainterGivesShadow();
  virtual void CloseThisLevel();
  virtual bool IsMenuLike() { return false; }
  virtual bool IsAncestorOf(TCustomdxBarControl* ABar);
  virtual bool OwnsItemControl(TdxBarItemControl* AControl);
  virtual bool IsOwnerRectAdjacent();
  virtual bool IsOwnerWindow(win::HWND /*AWnd*/) { return false; }
  virtual bool IsPopupWindow() { return false; }
  virtual bool IsVerticalLayout() { return IsVertical(); }
  virtual bool IsEnabledWindow();
  virtual void SelectedControlChanged(TdxBarItemControl* /*AControl*/) {}
  virtual bool HasMark() { return false; }
  virtual TRect GetMarkRect() { return {}; }
  virtual void SetMarkState(uint8_t Value) { markState_ = Value; }
  virtual bool HidesItemArrows() { return false; }
  // Whether AControl may take its item's alignment: never in the base (a
  // toolbar window allows it for its last visible link with UseRestSpace).
  virtual bool CanAlignItem(TdxBarItemControl* /*AControl*/) { return false; }
  // Customizing or the cursor outside the window; with ACheckLastPos also
  // when the cursor is still where the window last saw it.
  virtual bool IgnoresMouse(bool ACheckLastPos);
  // With the background brush, FState 0x40 held meanwhile.
  virtual void PaintItemControl(TcxCanvas* ACanvas, TdxBarItemControl* AControl);
  virtual void SetOrientation(uint8_t Value);
  // Takes the font from the owner.
  virtual void UpdateFont() {}
  virtual void AfterCreateHandle() {}
  // Customizing: the designer selects the control's link (or the bar) with
  // the operation number that the button and shift give.
  virtual void DesignSelect(TdxBarItemControl* AControl, TMouseButton AButton, TShiftState AShift);
  // SelectControl, then unless ASelectOnly an Enter key-down that clicks it.
  virtual void SelectAndClick(TdxBarItemControl* AControl, bool ASelectOnly);
  // Keyboard selection.
  virtual void SelectControl(TdxBarItemControl* AControl);
  // Mouse selection: the new control is activated as from the mouse.
  virtual void HotTrackControl(TdxBarItemControl* AControl);
  // The common core: manager's selection, repaint, hint state and Hint.
  virtual void SetSelectedControl(TdxBarItemControl* AControl);
  virtual void RepaintItemControl(TdxBarItemControl* /*AControl*/) { Invalidate(); }
  virtual void MouseInsideChanged(bool /*AOldValue*/) {}
  virtual void ItemClicked(TdxBarItemControl* /*AControl*/) {}
  // The customizing popup for the control's link (the design controller's).
  virtual void ShowCustomizingPopup(TdxBarItemControl* AControl);
  virtual bool PaintsNonClient() { return true; }
  virtual void DrawBackground(win::HDC /*DC*/, const TRect& /*R*/, bool /*AFlag*/, TColor /*AColor*/,
                              win::HBRUSH /*ABrush*/) {}
  void DrawBackgroundClipped(win::HDC DC, win::HRGN ARegion, bool AFlag, win::HBRUSH ABrush);
  virtual bool IsInternal() { return false; }
  virtual bool DockHasBackground() { return false; }
  virtual bool NeedsDoubleBuffer() { return false; }
  virtual TPoint GetCaptionOffset() { return {}; }
  virtual void DrawNonClient(win::HDC /*DC*/) {}
  virtual void ResetCachedBackground();
  virtual void UpdateDoubleBuffered();
  // Frees the window object (the base deletes it).
  virtual void FreeWindow();
  // Re-entry guarded; the window may be gone afterwards.
  virtual void Hide();
  virtual bool IsOnGlass() { return false; }
  virtual bool IsVertical() const { return false; }
  virtual bool IsTextRotated() { return false; }
  // 0 toolbar, 1 quick-customizing toolbar, 2 menu.
  virtual int32_t GetBarKind() const { return 0; }
  // Answer to BarRebuildMessage.
  virtual void RebuildNow() { RebuildItems(true); }

  // ---- chains, layout and painting that callers use
  // The next bar of the active chain: the parent, unless this bar is
  // internal and the parent is not.
  TCustomdxBarControl* NextInActiveChain();
  // The item controls are destroyed and created again; hot tracking refreshed.
  void RecreateControls();
  // Nothing during destruction, without a handle, while controls are made,
  // freed or rebuilt, or while painting is locked.
  void RebuildItems(bool ARecreate);
  // Inserts and removes the links of container items expanded into this bar.
  void ExpandContainerItems();
  void CollapseContainerItems();
  // The line that joins the window to the item that opened it, relative to
  // the window (screen: moved one pixel outward and in screen coordinates);
  // empty when the owner rectangle does not touch the window.
  TRect GetOwnerJoinRect(bool AScreen);
  win::HBRUSH GetOwnerBrush();
  void UpdateShadow();
  TdxBarShadow* Shadow() const { return shadow_.get(); }
  // The canvas: the window's with a handle, a screen canvas without one.
  TcxCanvas* GetCanvas();
  // Re-entry guarded; rotated text turns the window font 90 degrees clockwise.
  void UpdateCanvasFont();
  void SetCursorKind(bool ASizing) { SetCursor(ASizing ? crSizeAll : crDefault); }
  void UpdateControlStyle();
  void ShowNoActivate();
  void RefreshFrame();
  void RefreshAll();
  bool ContainsWindow(win::HWND AWnd);
  bool IsUnderMouse();
  bool IsDestroying() const { return InState(csDestroying); }
  bool IsFocusedBar();
  void DeactivateIfFocused();
  bool IsPointInMark(TPoint AClientPoint) { return GetMarkRect().Contains(AClientPoint); }
  bool IsMouseInMark();
  void SetHintState(bool AShow, const std::string& AText, TObject* AObject);
  // The control of the design controller's selected link when this window shows it.
  TdxBarItemControl* GetDesignSelectedControl();
  // The top of the process-wide active-bar stack was pushed while customizing.
  static bool ActiveStackBeganInCustomizing();

  // ---- the layout and metrics of the last pass
  // Made on first use from GetViewInfoClass.
  TCustomdxBarControlViewInfo* ViewInfo();
  const TRect& LayoutRect() const { return layoutRect_; }
  void SetLayoutRect(const TRect& R) { layoutRect_ = R; }
  const TRect& LayoutBounds() const { return layoutBounds_; }
  int32_t ItemHeight() const { return itemHeight_; }
  int32_t RowHeight() const { return rowHeight_; }
  int32_t SmallStep() const { return smallStep_; }
  int32_t MenuMetric() const { return menuMetric_; }
  int32_t ComboButtonWidth() const { return comboButtonWidth_; }
  int32_t FontRowHeight() const { return fontRowHeight_; }
  double ScaleFactor() const { return scaleFactor_; }
  TPoint LastMousePos() const { return lastMousePos_; }
  bool MouseInside() const { return mouseInside_; }
  TBitmap* BackgroundCache() const { return backgroundCache_.get(); }
  win::HBRUSH ItemBrush() const { return itemBrush_; }
  uint8_t Orientation() const { return orientation_; }
  TWinControl* OwnerControl() const { return ownerControl_; }
  void SetOwnerControl(TWinControl* Value) { ownerControl_ = Value; }
  const TRect& OwnerRect() const { return ownerRect_; }
  void SetOwnerRect(const TRect& Value) { ownerRect_ = Value; }
  TCustomdxBarControl* PrevActiveBar() const { return prevActiveBar_; }
  bool CloseThisLevelOnly = false;
  bool IgnoreNextButton = false;
  bool NavigationFlag = false;
  bool DragPending = false;
  TPoint DragStart;
  TdxBarItemControl* CapturedControl = nullptr;
  TdxBarItemLink* MouseLink = nullptr;
  // The last message of the toolbar window's procedure; a double click
  // stored here is handled as the single click of the same button.
  TMessage CurrentMessage;
  std::function<void(TObject*)> OnDestroy;

protected:
  void CreateWnd() override;
  void CreateHandle() override;
  void DestroyWindowHandle() override;
  void WndProc(TMessage& m) override;
  void Dispatch(TMessage& m) override;
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  // After the default handling: releases, clicks the selected control under
  // the point, and ends menu mode after a press on a capturing control.
  void WMLButtonUp(TMessage& m) override;
  // The default handling, navigation among the links, accelerators, then
  // the selected control and DoKeyDown.
  void WMKeyDown(TMessage& m) override;
  // Each showable link's control hears that the bar window goes away.
  void LeaveItems();
  void SetMouseInside(bool Value);
  void SetLastMousePos(TPoint Value) { lastMousePos_ = Value; }
  void SetMenuMetrics(int32_t AMarkSize, int32_t AMenuMetric) {
    markSize_ = AMarkSize;
    menuMetric_ = AMenuMetric;
  }

private:
  void SetState(uint16_t AMask, bool AOn) { state_ = AOn ? uint16_t(state_ | AMask) : uint16_t(state_ & ~AMask); }
  // The navigation keys of WM_KEYDOWN; False when the window died.
  bool NavigateByKey(win::WORD& AKey, TShiftState AShift);
  // Ctrl+Tab: the next (or previous) bar of the form's managers with a selectable link.
  void ActivateOtherBar(bool AForward);
  void RemoveFromActiveStack();
  // Onto and off the process-wide active-bar stack.
  void PushActive();
  void PopActive();
  void DetachItemLinks();
  // Answers an edit window's colour request; False when no item control owns AEditWnd.
  bool AnswerEditColors(win::HDC DC, win::HWND AEditWnd, win::LRESULT& AResult);

  std::unique_ptr<TcxScreenCanvas> screenCanvas_;
  std::unique_ptr<TBitmap> backgroundCache_;
  win::HBRUSH itemBrush_ = nullptr;
  std::unique_ptr<TcxCanvas> canvasWrapper_;
  TCustomdxBarControl* childBar_ = nullptr;
  TdxDockControl* dockControl_ = nullptr;
  uint8_t orientation_ = 0;
  std::vector<TdxBarItemLink*> expandedContainerLinks_;
  IdxBarAccessibilityHelper* accessibilityHelper_ = nullptr;
  std::unique_ptr<TObject> accessibilityHelperObject_;
  bool active_ = false;
  TdxBarItemLinks* itemLinks_ = nullptr;
  TRect ownerRect_;
  TWinControl* ownerControl_ = nullptr;
  TCustomdxBarControl* parentBar_ = nullptr;
  TCustomdxBarControl* prevActiveBar_ = nullptr;
  TdxBarItemControl* selected_ = nullptr;
  std::unique_ptr<TdxBarShadow> shadow_;
  int32_t itemHeight_ = 0, rowHeight_ = 0, markSize_ = 0, smallStep_ = 4, menuMetric_ = 0;
  int32_t comboButtonWidth_ = 0, fontRowHeight_ = 0;
  double scaleFactor_ = 1.0;
  TRect layoutRect_;
  TPoint lastMousePos_{-1, -1};
  uint8_t markState_ = 0;
  TdxBarPainter* painter_ = nullptr;
  uint16_t state_ = 0;
  std::unique_ptr<TCustomdxBarControlViewInfo> viewInfo_;
  bool mouseInside_ = false;
  TRect layoutBounds_;
  TdxBar* bar_ = nullptr;
  TdxBarDockingStyle dockingStyle_ = dsNone;
  int32_t updateCount_ = 0;
};

// The window of a sub-menu or popup menu.
class TdxBarSubMenuControl : public TCustomdxBarControl {
  DX_COMPONENT_CLASS(TdxBarSubMenuControl, TCustomdxBarControl)
public:
  explicit TdxBarSubMenuControl(TComponent* ABarManager) : TCustomdxBarControl(ABarManager) {}
  int32_t GetBarKind() const override { return 2; }
  bool IsVertical() const override { return true; }
  // Its links forget it.
  ~TdxBarSubMenuControl() override;

  // The screen rectangle the menu drops from (empty for none), the control
  // and size of what opened it, and the window that owns the menu window.
  TRect OwnerBounds;
  TWinControl* OwnerControl = nullptr;
  int32_t OwnerWidth = 0, OwnerHeight = 0;
  win::HWND OwnerWindow = nullptr;
  // Called after the window has shown, and when it closes.
  std::function<void()> OnShowMenu;
  std::function<void()> OnCloseMenu;
  bool Animated = true;
  // Shows the window with the manager's MenuAnimations, then OnShowMenu.
  virtual void ShowAnimated();
  // Hides and frees the window; OnCloseMenu runs.
  virtual void Close();

  // ---- what the painter reads to draw the menu; the answers here are neutral
  // The icon column's width: the painter's field metric of the font row height.
  virtual int32_t GetGlyphAreaWidth();
  // Where the menu meets the item that opened it, in window coordinates; empty for none.
  virtual TRect GetOwnerGapRect() { return GetOwnerJoinRect(false); }
  virtual bool IsDetachable() { return false; }
  virtual bool IsDetachBandHot() { return false; }
  // Half the height of "Qq" in the menu font, made odd.
  virtual int32_t GetDetachCaptionHeight() { return 0; }
  virtual bool ShowsNonRecentItems() { return false; }
  virtual int32_t GetSideBarWidth() { return 0; }
  virtual TdxBarItemControl* GetFirstVisibleItemControl() { return nullptr; }
  virtual TdxBarItemControl* GetLastVisibleItemControl() { return nullptr; }
  // An entry that is not recent, and one that begins a run of such entries.
  virtual bool IsNonRecentItemControl(TdxBarItemControl* /*AControl*/) { return false; }
  virtual bool BeginsNonRecentRun(TdxBarItemControl* /*AControl*/) { return false; }
  // The area the scroll buttons sit at the top and bottom of, and whether each is shown.
  virtual TRect GetScrollAreaRect() { return {}; }
  virtual bool IsScrollButtonVisible(bool /*AUp*/) { return false; }
};

// ---------------------------------------------------------------- dock sites
//
// A dock site lays its toolbar windows out in rows. "Along" is a row's
// direction (x on top and bottom docks, y on left and right docks),
// "across" the direction in which rows stack:
//
//   top dock   +-----------------------------------------+
//   row 0      | [col 0 ...... ]   [col 1 ....]          |  thickness of row 0
//   row 1      | [col 0 ..........................]      |  thickness of row 1
//              +-----------------------------------------+
//
// A column is one bar window in its row with its wanted place (Pos, client
// coordinates); arranging a row decides the real places and lengths.

class TdxBarControl;
class TdxDockRow;

// One bar window placed in a row. The window is held weakly: a window that
// is destroyed without leaving its row reads as null.
class TdxDockCol : public TObject {
  DX_CLASS(TdxDockCol, TObject)
public:
  TdxDockCol(TdxDockRow* ARow, TdxBarControl* ABarControl);
  ~TdxDockCol() override;
  TdxDockCol(const TdxDockCol&) = delete;
  TdxDockCol& operator=(const TdxDockCol&) = delete;
  TdxDockRow* Row() const { return row_; }
  // Null once the window is gone.
  TdxBarControl* BarControl() const;
  // Pos := the window's current left and top.
  void StorePosition();
  TPoint Pos;

private:
  TdxDockRow* row_;
  TcxObjectLink* link_;
};

// One row of a dock site: the bars that belong to it (a bar may belong to a
// row before its window exists) and one column per bar window placed in it.
class TdxDockRow : public TObject {
  DX_CLASS(TdxDockRow, TObject)
public:
  explicit TdxDockRow(TdxDockControl* ADockControl) : dockControl_(ADockControl) {}
  // Frees the columns; every bar in it leaves (no row is deleted).
  ~TdxDockRow() override;
  TdxDockControl* DockControl() const { return dockControl_; }

  int32_t GetColCount() const { return int32_t(cols_.size()); }
  // Null outside 0..count-1.
  TdxDockCol* GetCol(int32_t Index) const;
  int32_t IndexOfCol(const TdxBarControl* ABarControl) const;
  // Appends a column for the window.
  TdxDockCol* AddBarControl(TdxBarControl* ABarControl);
  // Index is clamped to 0..count.
  TdxDockCol* InsertBarControl(int32_t Index, TdxBarControl* ABarControl);
  void RemoveBarControl(const TdxBarControl* ABarControl);
  void DeleteCol(int32_t Index);
  // The bar joins; a window of it on this dock site without a column gets
  // one at (DockedLeft, DockedTop).
  void AddBar(TdxBar* ABar);
  // The bar and its window's column leave; an emptied row is removed from
  // its dock site and freed when DeleteWhenEmpty (this object is then gone).
  void RemoveBar(TdxBar* ABar, bool DeleteWhenEmpty);
  // Some column holds a live window.
  bool HasDockedBar() const;
  // Every bar of a column is OneOnRow exactly when the row has one column.
  void UpdateOneOnRow();
  // Columns whose window is gone leave.
  void DropDeadCols();

  std::vector<TdxBar*> Bars;  // not owned

private:
  TdxDockControl* dockControl_;
  std::vector<std::unique_ptr<TdxDockCol>> cols_;
};

// A dock site: the four edge docks the manager makes on its owner, and the
// dock sites placed on forms. It announces itself to its manager.
class TdxDockControl : public TCustomControl {
  DX_COMPONENT_CLASS(TdxDockControl, TCustomControl)
public:
  explicit TdxDockControl(TComponent* AOwner);
  // Leaves the manager, then frees the rows and their columns.
  ~TdxDockControl() override;
  // An edge dock of AManager on AOwner's side ASide.
  static TdxDockControl* CreateEdgeDock(TWinControl* AOwner, TdxBarDockingStyle ASide, TdxBarManager* AManager);

  TdxBarManager* BarManager() const { return barManager_; }
  // Leaves the old manager (its bars go to the edge docks) and joins the new one.
  virtual void SetBarManager(TdxBarManager* Value);
  bool AllowDocking() const { return allowDocking_; }
  void SetAllowDocking(bool Value) { allowDocking_ = Value; }
  TBitmap* BackgroundBitmap() const { return backgroundBitmap_.get(); }
  void SetBackgroundBitmap(TBitmap* Value);
  // dsLeft..dsBottom for an edge dock, dsNone for a dock site on a form.
  TdxBarDockingStyle EdgeSide() const { return edgeSide_; }
  void SetEdgeSide(TdxBarDockingStyle Value) { edgeSide_ = Value; }
  bool IsEdgeDock() const { return edgeSide_ != dsNone; }
  // Set while one of its bar windows handles WM_DESTROY.
  bool BarDestroying = false;

  // The side from Align: alLeft, alRight, alBottom as named, anything else dsTop.
  TdxBarDockingStyle GetSide() const;
  bool IsHorizontal() const { return !IsVerticalDockingStyle(GetSide()); }
  bool IsVertical() const { return IsVerticalDockingStyle(GetSide()); }
  // Rows grow away from the form edge at 0 (left and top docks).
  bool IsNearSide() const { return GetSide() == dsLeft || GetSide() == dsTop; }

  int32_t GetRowCount() const { return int32_t(rows_.size()); }
  // Null outside 0..count-1.
  TdxDockRow* GetRow(int32_t Index) const;
  int32_t IndexOfRow(const TdxDockRow* ARow) const;
  TdxDockRow* AddRow();
  // Index clamped to 0..count.
  TdxDockRow* InsertRow(int32_t Index);
  // Frees the row; nothing outside 0..count-1.
  void DeleteRow(int32_t Index);
  // The column of the window in any row, null when none.
  TdxDockCol* FindCol(const TdxBarControl* ABarControl) const;

  // Client coordinates; empty outside the rows.
  TRect GetRowRect(int32_t Index);
  int32_t GetRowThickness(int32_t Index);

  // Inserts the window at ScreenPoint (see the row choice in the source).
  void DockBar(TdxBarControl* ABarControl, TPoint AScreenPoint, bool AUpdatePosition);
  // Removes the window's column (or ACol) from its row; the dock updates when AUpdate.
  void UndockBar(TdxBarControl* ABarControl, TdxDockCol* ACol, bool AUpdate);
  // Docks the window again at ScreenPoint (dragging inside the dock site).
  void MoveBarInDock(TdxBarControl* ABarControl, TPoint AScreenPoint);
  // Every column takes its window's current left and top.
  void StoreAllPositions();
  // The row under a dragged window's point; ANewRow when none fits.
  virtual int32_t RowIndexAtPoint(TPoint AScreenPoint, bool& ANewRow);
  // The first column of the row whose bar's stored place along is at or
  // beyond the point along, else the column count.
  int32_t ColIndexAtPoint(int32_t ARowIndex, TPoint AScreenPoint);

  // Arranges all rows and takes the rows' size; nothing while the bars
  // update is locked or the manager is going.
  virtual void UpdateDock();
  void ArrangeAll();
  // The frame of the dock site and of every bar window, then UpdateDock.
  void RecalcAll();
  // What the manager asks when the sunken border changes.
  virtual void RecreateBorder() { RecalcAll(); }
  virtual void RepaintDock() { Invalidate(); }

  virtual void ManagerChanged();
  virtual void ArrangeRows();
  virtual void ArrangeRow(int32_t Index, int32_t Length);
  virtual bool CanDockBar(TdxBar* ABar);
  // Takes the manager's dock colour, or the parent's while it docks automatically.
  virtual void UpdateColor();
  // Sum of the row thicknesses.
  virtual int32_t GetRowsSize();
  virtual bool GetSunkenBorder();
  virtual bool UsesBarRows() { return true; }
  // Width (left, right) or height (top, bottom) := the rows' size, plus 2 for
  // a sunken border around a non-empty dock; right and bottom docks keep their far edge.
  virtual void UpdateSize();
  virtual TdxBarPainter* GetPainter();
  virtual void FillBackground(win::HDC DC, const TRect& ADest, TColor AColor, win::HBRUSH ABrush,
                              const TRect& AClipRect);
  virtual bool HasBackgroundBitmap();
  virtual bool IsDesigning();
  virtual bool NeedsBufferedBackground();
  // Every bar window repaints frame and client.
  virtual void RefreshBars();
  virtual void ClearBackgroundCache() { backgroundCache_.reset(); }
  virtual void UpdateDoubleBuffered() { SetDoubleBuffered(NeedsBufferedBackground()); }

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& m) override;
  // The window is being dragged by the user (not under program control).
  bool IsDraggedBarControl(TdxBarControl* ABarControl) const;

private:
  void HandleSize(TMessage& m);
  void HandleWindowPosChanged(TMessage& m);
  void HandleMouseActivate(TMessage& m);
  void CloseMenuAfterResize();
  void BackgroundChanged(TObject* Sender);

  TdxBarManager* barManager_ = nullptr;
  bool allowDocking_ = true;
  std::unique_ptr<TBitmap> backgroundBitmap_;
  std::unique_ptr<TBitmap> backgroundCache_;
  TdxBarDockingStyle edgeSide_ = dsNone;
  std::vector<std::unique_ptr<TdxDockRow>> rows_;
};

// The dock-site component placed on forms.
enum TdxBarDockAlign : uint8_t { dalNone, dalTop, dalBottom, dalLeft, dalRight };

class TdxBarDockControl : public TdxDockControl {
  DX_COMPONENT_CLASS(TdxBarDockControl, TdxDockControl)
public:
  explicit TdxBarDockControl(TComponent* AOwner);

  using TControl::SetAlign;
  TdxBarDockAlign DockAlign() const { return TdxBarDockAlign(Align()); }
  // Docked bar windows take the new side inside one bars update.
  void SetAlign(TdxBarDockAlign Value);
  bool AllowZeroSizeInDesignTime() const { return allowZeroSizeInDesignTime_; }
  void SetAllowZeroSizeInDesignTime(bool Value);
  // Own value with UseOwnSunkenBorder, else the manager's.
  bool SunkenBorder() { return GetSunkenBorder(); }
  void SetSunkenBorder(bool Value);
  bool UseOwnColor() const { return useOwnColor_; }
  void SetUseOwnColor(bool Value);
  bool UseOwnSunkenBorder() const { return useOwnSunkenBorder_; }
  void SetUseOwnSunkenBorder(bool Value);
  // 0; 3 at design time unless AllowZeroSizeInDesignTime.
  int32_t EmptySize();
  virtual bool IsResettable() { return true; }

  void ManagerChanged() override;
  bool CanDockBar(TdxBar* ABar) override;
  void UpdateColor() override;
  int32_t GetRowsSize() override;
  bool GetSunkenBorder() override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& m) override;
  void Paint() override;
  // Outside loading, a colour set from outside becomes the dock site's own.
  void CMColorChanged(TMessage& m) override;

private:
  bool settingColor_ = false;
  bool allowZeroSizeInDesignTime_ = false;
  bool ownSunkenBorder_ = false;
  bool useOwnColor_ = false;
  bool useOwnSunkenBorder_ = false;
};

// ---------------------------------------------------------------- bars

class TdxBars;

enum TdxBarBorderStyle : uint8_t { bbsNone, bbsSingle };

// A toolbar or the main menu: the persistent description of one bar of a
// manager, a component collection item of its TdxBars owned by the manager's
// owner. It owns no window while hidden; showing it makes the window through
// its item links and docks it or lets it float.
class TdxBar : public TcxComponentCollectionItem, public IdxBarLinksOwner, public IdxBarSelectableItem {
  DX_COMPONENT_CLASS(TdxBar, TcxComponentCollectionItem)
public:
  explicit TdxBar(TComponent* AOwner);
  // Hides the bar, leaves its dock row, tells the sub-items waiting for it and
  // drops the manager's main-menu reference; OnDestroy fires first.
  ~TdxBar() override;

  // Copies another bar's settings in the order the setters rely on (the
  // docking place before Visible); anything else is the inherited assignment.
  void Assign(TPersistent* Source) override;
  // While the manager reads a bar list, a name read for the bar goes to OldName.
  void SetName(const std::string& Value) override;

  TdxBarManager* GetBarManager() override;
  TdxBars* GetBars() const;

  // ---- published properties
  bool AllowClose() const { return allowClose_; }
  void SetAllowClose(bool Value);
  bool AllowCustomizing() const { return allowCustomizing_; }
  void SetAllowCustomizing(bool Value) { allowCustomizing_ = Value; }
  bool AllowQuickCustomizing() const { return allowQuickCustomizing_; }
  void SetAllowQuickCustomizing(bool Value);
  bool AllowReset() const { return allowReset_; }
  void SetAllowReset(bool Value) { allowReset_ = Value; }
  uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(uint8_t Value);
  TBitmap* BackgroundBitmap() const { return backgroundBitmap_.get(); }
  // Null clears it; the window's frame is recalculated unless nothing changed.
  void SetBackgroundBitmap(TBitmap* Value);
  TdxBarBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TdxBarBorderStyle Value);
  const std::string& Caption() const { return caption_; }
  // Refused silently when another bar of the manager has the caption.
  virtual void SetCaption(const std::string& Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TdxBarDockControl* GetDockControl() const;
  // A dock site of another manager is refused; while the manager loads only
  // the value is kept. A bar leaving a form dock site goes to the edge dock
  // of the same side.
  virtual void SetDockControl(TdxBarDockControl* Value);
  TdxDockControl* DockedDockControl() const { return dockedDockControl_; }
  // A dock site of another manager is refused.
  virtual void SetDockedDockControl(TdxDockControl* Value);
  // The side of DockedDockControl when there is one, else the stored value.
  TdxBarDockingStyle GetDockedDockingStyle() const;
  void SetDockedDockingStyle(TdxBarDockingStyle Value) { dockedDockingStyle_ = Value; }
  int32_t DockedLeft() const { return dockedLeft_; }
  void SetDockedLeft(int32_t Value) { SetDockedValue(1, Value); }
  int32_t DockedTop() const { return dockedTop_; }
  void SetDockedTop(int32_t Value) { SetDockedValue(2, Value); }
  // Index 1 DockedLeft, 2 DockedTop; negative becomes 0.
  void SetDockedValue(int32_t Index, int32_t Value);
  // The side of DockControl when there is one, else the stored style.
  TdxBarDockingStyle GetDockingStyle() const;
  // While the manager loads only the value is kept.
  virtual void SetDockingStyle(TdxBarDockingStyle Value);
  int32_t FloatLeft() const { return floatLeft_; }
  void SetFloatLeft(int32_t Value) { SetFloatValue(1, Value); }
  int32_t FloatTop() const { return floatTop_; }
  void SetFloatTop(int32_t Value) { SetFloatValue(2, Value); }
  int32_t FloatClientWidth() const { return floatClientWidth_; }
  void SetFloatClientWidth(int32_t Value) { SetFloatValue(3, Value); }
  int32_t FloatClientHeight() const { return floatClientHeight_; }
  void SetFloatClientHeight(int32_t Value) { SetFloatValue(4, Value); }
  // Index 1 FloatLeft, 2 FloatTop, 3 FloatClientWidth, 4 FloatClientHeight.
  void SetFloatValue(int32_t Index, int32_t Value);
  TFont* Font() const { return font_.get(); }
  // Assigning a font makes it the bar's own unless the manager passes its font on.
  virtual void SetFont(TFont* Value);
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value);
  bool Hidden() const { return hidden_; }
  void SetHidden(bool Value);
  bool IsMainMenu() const { return isMainMenu_; }
  // At most one main-menu bar per manager; a main menu is whole-row and multi-line.
  virtual void SetIsMainMenu(bool Value);
  const std::string& KeyTip() const { return keyTip_; }
  void SetKeyTip(const std::string& Value) { keyTip_ = Value; }
  bool MultiLine() const { return multiLine_; }
  // False is refused on the main menu.
  void SetMultiLine(bool Value);
  TdxBarDockingStyles GetNotDocking() const { return notDocking_; }
  void SetNotDocking(TdxBarDockingStyles Value);
  const std::string& OldName() const { return oldName_; }
  void SetOldName(const std::string& Value) { oldName_ = Value; }
  bool OneOnRow() const { return oneOnRow_; }
  // Refused while a bar window of the bar's dock site is being destroyed.
  virtual void SetOneOnRow(bool Value);
  bool RotateWhenVertical() const { return rotateWhenVertical_; }
  void SetRotateWhenVertical(bool Value);
  // The index of the bar's dock row in its dock site, else the stored Row.
  int32_t GetRow() const;
  // Negative becomes 0; a row beyond the last is appended.
  virtual void SetRow(int32_t Value);
  bool ShowMark() const { return showMark_; }
  void SetShowMark(bool Value);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool Value);
  bool UseOwnFont() const { return useOwnFont_; }
  // True keeps Font as the bar's own; False takes the manager's font back.
  void SetUseOwnFont(bool Value);
  bool UseRecentItems() const;
  void SetUseRecentItems(bool Value);
  bool UseRestSpace() const { return useRestSpace_; }
  void SetUseRestSpace(bool Value);
  bool GetVisible() const;
  // Hiding stores the window's position first, then frees the window;
  // showing makes and places it. Showing while the manager is destroyed is refused.
  virtual void SetVisible(bool Value);
  bool WholeRow() const { return wholeRow_; }
  // A docked bar with a window is hidden and shown again.
  void SetWholeRow(bool Value);
  // Style when Dock is null or an edge dock and Style differs from the present one, else Dock.
  void SetDockingStyleAndControl(TdxBarDockingStyle Style, TdxDockControl* Dock);

  // ---- values recorded while the manager loads; its Loaded applies them
  bool LoadedVisible() const { return loadedVisible_; }
  TdxBarDockingStyle LoadedDockingStyle() const { return loadedDockingStyle_; }
  TdxBarDockControl* LoadedDockControl() const { return loadedDockControl_; }

  // ---- derived state
  // The bar's window, null while the bar is hidden.
  TCustomdxBarControl* GetControl() const { return control_; }
  // The window shows this bar from now on.
  void SetControl(TCustomdxBarControl* Value);
  // DockControl; else the manager's edge dock of DockingStyle; else null.
  TdxDockControl* GetRealDockControl() const;
  TdxDockRow* DockRow() const { return dockRow_; }
  // Leaves the old row (freed when emptied) and joins ARow.
  void SetDockRow(TdxDockRow* ARow);
  bool IsFloating() const;
  // AllowClose and not the main menu.
  bool CanClose() const;
  // False when the bar's or the manager's NotDocking holds all five styles.
  bool IsMovable() const;
  // No border, docked at the bottom, whole row.
  bool IsStatusBar() const;
  // A status-bar-like bar with SizeGrip whose window reaches the bottom-right
  // of the owner, which is not maximized.
  bool HasSizeGrip() const;
  TdxBarPainter* GetPainter() const;
  // Left+right and top+bottom of the frame the painter gives for the side.
  int32_t GetNonClientWidth(TdxBarDockingStyle Style) const;
  int32_t GetNonClientHeight(TdxBarDockingStyle Style) const;
  // The frame a floating window adds to its client size.
  TSize FloatingNonClientSize() const;
  // AllowReset and the bar came from the form.
  bool CanReset() const { return allowReset_ && Predefined; }
  bool IsShortCut(TShortCut AKey);
  // The class the window is made of: TdxBarControl until the dock sites name theirs.
  virtual TClass GetBarControlClass();
  // Copies the window's docked or floating position into the bar's properties.
  void StoreBarPosition();
  bool StoringPosition() const { return storingPosition_; }
  void SetRowMateHidden(bool Value) { rowMateHidden_ = Value; }
  // Places a freshly made window in its dock site or as a floating window.
  void ShowBarControl();
  // Re-places the window after a position property changed.
  void UpdateBarControlPosition();
  // Rebuilds the window now, when there is one.
  void RebuildBarControl();
  // Recalculates the window's frame, when there is one.
  void RebuildFrame();
  // Sub-items that want to hear when the bar goes; not owned.
  void AddFreeNotification(TdxBarItem* AItem);
  void RemoveFreeNotification(TdxBarItem* AItem);
  // The manager's font changed: an own font derives the edit font again.
  virtual void RefreshOwnFont();
  TFont* EditFont() const { return editFont_.get(); }
  // The whole collection hears that this bar changed.
  void MarkChanged();

  // ---- IdxBarLinksOwner
  TdxBarItemLinks* GetItemLinks() override { return itemLinks_.get(); }
  // A window of GetBarControlClass owned by the manager, with the bar's font.
  TCustomdxBarControl* CreateBarControl() override;

  // ---- IdxBarSelectableItem
  bool CanBeDeleted(bool Destruction) override;
  void DeleteIfAllowed(IdxBarSelectableItem*& AReference, bool Destruction) override;
  void CopyActionSetting(TdxBarCustomizationAction) override {}
  TPersistent* ImplementingObject() override { return this; }
  void CollectOwners(TdxObjectList* AList) override;
  // The next bar; after the last the first, unless this is the first.
  void NextSelectable(IdxBarSelectableItem*& AElement) override;
  TPersistent* SelectableParentObject() override;
  int32_t GetDesignSelectionState() override;
  TdxBarCustomizationActions ElementActions() override { return 2; }
  bool IsComplexElement() override { return false; }
  bool IsDesignSelected() override;
  void DesignSelect(int32_t AOperation) override;
  bool SelectOwnParent() override;
  void RefreshSelectionMark() override;

  // Marks the manager and the bar windows set and clear.
  // Set around reading a bar list and applying loaded values: names go to OldName.
  bool Restoring = false;
  bool InternallyHidden = false;
  // The window wanted to re-layout while the bars update was locked.
  bool DeferredRecalc = false;
  bool InternalFontChange = false;
  // Came from the form (set by the manager's Loaded).
  bool Predefined = false;
  bool RestoredWhileMerged = false;
  TNotifyEvent OnDestroy;

  // Makes the bar's item links with the collection's manager.
  void SetCollection(TcxComponentCollection* Value) override;

protected:
  bool IsLoading() const;
  TcxComponentCollection* CollectionForParent(TComponent* AParent) override;
  void Updating() override;
  void Updated() override;
  void FontChanged();

private:
  TdxBarManager* Manager() const;
  bool ManagerDestroying() const;
  bool SameManager(TdxDockControl* ADock) const;
  bool DockWindowBeingDestroyed() const;
  void DockWindow();
  void FloatWindow();
  void RefreshCaption();
  void ApplyFontToControl();

  bool allowClose_ = true, allowCustomizing_ = true, allowQuickCustomizing_ = true, allowReset_ = true;
  uint8_t alphaBlendValue_ = 255;
  std::unique_ptr<TBitmap> backgroundBitmap_;
  TdxBarBorderStyle borderStyle_ = bbsSingle;
  std::string caption_;
  TColor color_ = clDefault;
  TdxBarDockControl* dockControl_ = nullptr;
  TdxDockControl* dockedDockControl_ = nullptr;
  TdxBarDockingStyle dockedDockingStyle_ = dsTop;
  int32_t dockedLeft_ = 0, dockedTop_ = 0;
  TdxBarDockingStyle dockingStyle_ = dsNone;
  int32_t floatLeft_ = 0, floatTop_ = 0, floatClientWidth_ = 0, floatClientHeight_ = 0;
  std::unique_ptr<TFont> editFont_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TBitmap> glyph_;
  bool hidden_ = false, isMainMenu_ = false;
  std::string keyTip_;
  bool multiLine_ = false;
  TdxBarDockingStyles notDocking_ = 0;
  std::string oldName_;
  bool oneOnRow_ = false, rotateWhenVertical_ = true;
  int32_t row_ = 0;
  bool showMark_ = true, sizeGrip_ = true, useOwnFont_ = false, useRestSpace_ = false;
  bool visible_ = false, wholeRow_ = false;

  TdxDockRow* dockRow_ = nullptr;
  std::vector<TdxBarItem*> freeNotifications_;
  bool changingDockingStyle_ = false;
  bool loadedVisible_ = false;
  TdxBarDockingStyle loadedDockingStyle_ = dsNone;
  TdxBarDockControl* loadedDockControl_ = nullptr;
  bool positionPending_ = false;
  bool storingPosition_ = false;
  // A row-mate left this bar's row by being hidden: the bar is alone there
  // only until that bar comes back, so hiding it must not claim a row of its own.
  bool rowMateHidden_ = false;
  TCustomdxBarControl* control_ = nullptr;
  std::unique_ptr<TdxBarItemLinks> itemLinks_;
};

// The manager's bars, the four edge dock sites it makes on the owner control
// (left, top, right, bottom) and the state of a bar being dragged.
class TdxBars : public TcxComponentCollection {
  DX_CLASS(TdxBars, TcxComponentCollection)
public:
  explicit TdxBars(TdxBarManager* ABarManager);
  // Frees the bars, then the edge docks.
  ~TdxBars() override;

  TdxBarManager* BarManager() const { return barManager_; }
  TdxBar* GetItem(int32_t Index) const { return static_cast<TdxBar*>(Items(Index)); }
  // A bar owned by the manager's owner, named by SetItemName.
  TdxBar* Add() { return static_cast<TdxBar*>(TcxComponentCollection::Add()); }
  // Null once that dock site is gone.
  TdxDockControl* EdgeDock(TdxBarDockingStyle Side) const;
  // Forgets ADock when it is one of the edge docks.
  void ForgetEdgeDock(TdxDockControl* ADock);
  // Every existing bar window rebuilds its item controls.
  void RebuildBarControls();

  // Pixels of the docking zone around a dock site.
  int32_t DockingZoneSize = 23;
  // Set while the delayed-docking timer re-runs a drag step.
  bool TimerMoving = false;
  // A bar window being dragged by the user.
  bool Moving = false;
  TCustomdxBarControl* MovingBarControl = nullptr;
  TdxBarDockingStyle MovingOriginalDockingStyle = dsNone;
  int32_t MovingOffsetX = 0, MovingOffsetY = 0;
  TPoint MovingGrabPoint;

protected:
  // The manager's Name + "Bar" + the first free number.
  void AssignItemName(TcxComponentCollectionItem* AItem) override;
  // A change report tells the manager that the design changed.
  void Update(TcxComponentCollectionItem* AItem, TcxItemNotification AAction) override;

private:
  TdxBarManager* barManager_;
  TdxDockControl* edgeDocks_[4] = {};
};
