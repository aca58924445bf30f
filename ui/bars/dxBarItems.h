// The toolbar item: one command component, shown through the item links of
// the bars and menus it is placed on. The item holds what all its places
// share (caption, hint, images, shortcut, category, enabled and visible
// state, the click event, an optional action) and tells the item control of
// each link what changed.
//
// A click runs in three layers: PerformClick (shortcuts, code) → Click (the
// item controls after a mouse or keyboard press) → DoClick (OnClick or the
// action). An item or action freed during a click is never touched again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/actnlist.h"
#include "ui/bars/dxBarElements.h"

class TBitmap;
class TCustomImageList;
class TcxStyle;
struct TcxStyleViewParams;
class TdxBarScreenTip;
class TdxBarItemStylesData;

// The design controller and form designer as the items see them. The
// design-time unit installs one; at run time there is none, and the items
// answer as outside a designer.
class IdxBarItemDesigner {
public:
  virtual ~IdxBarItemDesigner() = default;
  // A customization popup is open for an item link.
  virtual bool IsItemLinkCustomized() = 0;
  // The element the design controller selected last; null when none.
  virtual TObject* LastSelectedElement() = 0;
  virtual void DropStaleLastSelection() = 0;
  // Selects a bar window in the form designer.
  virtual void SelectBarControl(TCustomdxBarControl* ABarControl) = 0;
  // Opens the item's default event handler in the designer.
  virtual void ShowDefaultEventHandler(TdxBarItem* AItem) = 0;
  // A design-selected link is framed twice in the window text colour; else
  // with a double focus rectangle.
  virtual bool ShouldSelectByDefault() { return true; }
};
IdxBarItemDesigner* dxBarItemDesigner();
void SetdxBarItemDesigner(IdxBarItemDesigner* ADesigner);

// Ties an item to an action: the item follows the action's caption, checked
// and enabled state, help context, hint, image, shortcut, visibility and
// execute handler while it still holds the action's values.
class TdxBarItemActionLink : public TObject, public TBasicActionLink {
  DX_CLASS(TdxBarItemActionLink, TObject)
public:
  explicit TdxBarItemActionLink(TdxBarItem* AClient) : client_(AClient) {}
  ~TdxBarItemActionLink() override;

  TBasicAction* Action() const { return action_; }
  // Leaves the old action's clients and joins the new one's.
  void SetAction(TBasicAction* Value);
  // Called with the changed action whenever it changes.
  TNotifyEvent OnChange;

  // Runs the action with AComponent as its target; false without an action.
  bool Execute(TComponent* AComponent);

  // Linked: the action is a TCustomAction and the item still holds its value.
  bool IsCaptionLinked() const;
  bool IsCheckedLinked() const;
  bool IsEnabledLinked() const;
  bool IsHelpContextLinked() const;
  bool IsHintLinked() const;
  bool IsImageIndexLinked() const;
  bool IsShortCutLinked() const;
  bool IsVisibleLinked() const;
  bool IsOnExecuteLinked() const;

  void ActionChanged(TBasicAction* AAction) override;
  void ActionFreed(TBasicAction* AAction) override;

private:
  TCustomAction* CustomAction() const;

  TdxBarItem* client_;
  TBasicAction* action_ = nullptr;
};

// The same handler code: the same published method of objects of one class,
// or the same function or lambda (whatever it captured).
bool SameEventCode(const TNotifyEvent& A, const TNotifyEvent& B);

class TdxBarItem : public TdxBarComponent {
  DX_COMPONENT_CLASS(TdxBarItem, TdxBarComponent)
public:
  // Bar manager: the owner when it is one, else the manager of the owner
  // control, else the first registered manager.
  explicit TdxBarItem(TComponent* AOwner);
  // OnDestroy, then every link goes (inside a bars update when one lies on
  // a toolbar window).
  ~TdxBarItem() override;
  void SetBarManager(TdxBarManager* Value) override;

  // ---- framework overrides
  void AssignTo(TPersistent* Dest) override;
  void Assign(TPersistent* Source) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ReadState(TReader* Reader) override;
  void SetName(const std::string& NewName) override;
  TComponent* GetParentComponent() override;
  bool HasParent() override { return barManager_ != nullptr && category_ >= 0; }
  void SetParentComponent(TComponent* Value) override;

  // ---- properties
  TBasicAction* Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }
  void SetAction(TBasicAction* Value);
  TdxBarItemActionLink* ActionLink() const { return actionLink_.get(); }
  TdxBarItemAlign Align() const { return align_; }
  void SetAlign(TdxBarItemAlign Value);
  std::string Caption() const { return GetCaption(); }
  virtual std::string GetCaption() const { return caption_; }
  virtual void SetCaption(const std::string& Value);
  virtual bool IsCaptionStored() const;
  int32_t Category() const { return category_; }
  // Ignored outside the manager's categories; moves the item behind the last
  // item of the new category.
  virtual void SetCategory(int32_t Value);
  // Renumbering by the category list: no checks, no notice.
  void WriteCategory(int32_t Value) { category_ = Value; }
  void* Data = nullptr;
  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& Value) { description_ = Value; }
  bool GetEnabled() const override;
  void SetEnabled(bool Value) override;
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value);
  TdxBarGlyphLayout GlyphLayout() const { return glyphLayout_; }
  int32_t HelpContext() const { return helpContext_; }
  void SetHelpContext(int32_t Value) { helpContext_ = Value; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& Value) { hint_ = Value; }
  int32_t ImageIndex() const { return imageIndex_; }
  virtual void SetImageIndex(int32_t Value);
  const std::string& KeyTip() const { return keyTip_; }
  void SetKeyTip(const std::string& Value) { keyTip_ = Value; }
  TBitmap* LargeGlyph() const { return largeGlyph_.get(); }
  void SetLargeGlyph(TBitmap* Value);
  int32_t LargeImageIndex() const { return largeImageIndex_; }
  virtual void SetLargeImageIndex(int32_t Value);
  TdxBarItemMergeKind MergeKind() const { return mergeKind_; }
  void SetMergeKind(TdxBarItemMergeKind Value) { mergeKind_ = Value; }
  int32_t MergeOrder() const { return mergeOrder_; }
  // Never below 0.
  void SetMergeOrder(int32_t Value) { mergeOrder_ = Value < 0 ? 0 : Value; }
  TdxBarPaintStyle PaintStyle() const { return paintStyle_; }
  TdxBarScreenTip* ScreenTip() const { return screenTip_; }
  // Watched for destruction: a freed screen tip leaves the item.
  void SetScreenTip(TdxBarScreenTip* Value);
  TShortCut ShortCut() const { return shortCut_; }
  // Unless loading, tells the sub-menu windows and the change listeners.
  void SetShortCut(TShortCut Value);
  bool ShowCaption() const { return showCaption_; }
  // Unless loading, every bar window of the item lays itself out again.
  void SetShowCaption(bool Value);
  // The style of the item's first style slot; a freed style leaves the item.
  TcxStyle* Style() const;
  void SetStyle(TcxStyle* Value);
  // The item's GetStyleCount style slots, made on first use (a constructor
  // cannot ask its descendant for the count).
  TdxBarItemStylesData* StylesData() const;
  // The values of the style in slot AIndex that it has assigned; none for an
  // empty slot.
  TcxStyleViewParams GetStyleViewParams(int32_t AIndex) const;
  bool UnclickAfterDoing() const { return unclickAfterDoing_; }
  void SetUnclickAfterDoing(bool Value) { unclickAfterDoing_ = Value; }
  int32_t Width() const { return GetWidth(); }
  virtual int32_t GetWidth() const { return width_; }
  // Negative values are ignored.
  virtual void SetWidth(int32_t Value);
  // While loading only the value read from the form is kept; Loaded of the
  // manager applies it.
  void SetVisible(TdxBarItemVisible Value) override;
  TdxBarItemVisible LoadedVisible() const { return loadedVisible_; }
  bool CanSelect = true;
  // The link through which the current click arrived; set by the item control around the click.
  TdxBarItemLink* ClickItemLink = nullptr;

  TNotifyEvent OnClick, OnCreate, OnDestroy;

  // ---- links
  int32_t GetLinkCount() const { return int32_t(links_.size()); }
  // Null outside 0..GetLinkCount()-1.
  TdxBarItemLink* GetLink(int32_t Index) const;
  // The first link whose item control is active (dropped down, editing).
  virtual TdxBarItemLink* GetActiveLink() const;
  bool HasSeveralLinks() const { return links_.size() > 1; }
  // Frees every link, last first.
  void DeleteAllLinks();
  // The link joins or leaves the list (TdxBarItemLink::SetItem and its destructor).
  void AddLink(TdxBarItemLink* ALink) { links_.push_back(ALink); }
  void RemoveLink(TdxBarItemLink* ALink);

  // ---- clicks
  // CanClick: Click. Buttons toggle Down first.
  virtual void PerformClick();
  // When enabled: the manager's click notice, then DoClick; what either
  // raises goes to the application's exception handler.
  virtual void Click();
  // OnClick, unless it is the action's own handler: then the action.
  virtual void DoClick();
  virtual bool CanClick() const { return true; }
  // Whether the item or one of its sub-links handled the shortcut.
  virtual bool DispatchShortCut(TShortCut AShortCut);

  // ---- availability
  // Its links may show: ivAlways (IsAvailable, or customizing or designing),
  // or ivInCustomizing while customizing or designing.
  bool IsItemAvailable() const;
  virtual bool IsAvailable() const { return true; }
  // Kept out of the manager's per-category command lists.
  virtual bool IsHiddenFromCustomization() const { return false; }

  // ---- texts
  // The caption without its first "&" and its first "...".
  std::string GetCleanCaption() const;
  // The short part of Hint is the clean caption.
  bool IsHintFromCaption() const;
  virtual std::string GetDefaultCaption() const;
  virtual std::string GetExtraText() const { return {}; }

  // ---- images
  TCustomImageList* GetImages() const;
  // The manager's Images hold an image at ImageIndex.
  bool IsImageAssigned() const;
  virtual bool HasImage() const { return imageIndex_ >= 0 || largeImageIndex_ >= 0; }
  virtual bool HasHotImage() const { return false; }
  virtual int32_t GetActionImageIndex() const { return imageIndex_; }
  virtual void SetActionImageIndex(int32_t Value) { SetImageIndex(Value); }
  // What the manager's image-list reactions ask.
  virtual bool UsesHotImages() { return HasHotImage(); }
  virtual bool UsesLargeImages() { return largeImageIndex_ >= 0; }

  // ---- placement and controls
  // Kind 0 a toolbar (ATarget the TdxBar), 1 a popup or sub-menu.
  virtual bool CanPlaceOn(int32_t AContainerKind, TObject* ATarget, std::string* AMessage);
  virtual bool SupportsPaintStyle() const { return false; }
  virtual bool CanUseAccelerator(TdxBarItemLink* ALink) { (void)ALink; return GetEnabled(); }
  virtual bool IsMergeCompatible(TdxBarItem* AItem) const { (void)AItem; return false; }
  virtual bool UsesStyleColors() const { return false; }
  virtual bool WantsLinkHiddenNotify() const { return false; }
  virtual void LinkHiddenNotify(TdxBarItemControl* AControl) { (void)AControl; }
  virtual void BarChanged(int32_t AOperation, TdxBar* ABar) { (void)AOperation; (void)ABar; }
  virtual void BarManagerChanged() {}
  virtual int32_t GetStyleCount() const { return 1; }
  // The sub-links of the item (sub-items, buttons with a drop-down menu); null for a plain item.
  virtual TdxBarItemLinks* GetItemLinks() { return nullptr; }
  // The control class registered for the item's class; null when none.
  // AIsRotated: a vertical toolbar that turns its controls.
  virtual TClass GetControlClass(bool AIsRotated);

  // ---- notices to the item controls
  // Kinds of bar window, for UpdateBars: 0 toolbar, 1 other bar windows, 2 sub-menu.
  using TdxBarKinds = uint8_t;
  static constexpr TdxBarKinds bkAll = 7;
  static constexpr TdxBarKinds BarKindBit(int32_t AKind) { return TdxBarKinds(1u << AKind); }
  // The bar windows of the links whose kind is in AKinds lay themselves out
  // again (not one whose selected control is the link's while it is active).
  void UpdateBars(TdxBarKinds AKinds = bkAll);
  void RefreshControls();
  void RefreshControlLayouts();
  void RefreshDesignState() { RefreshControls(); }
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged();
  virtual void LargeGlyphChanged();
  virtual void PaintStyleChanged() {}
  virtual void ShortCutChanged();
  virtual void WidthChanged();

  // ---- design time
  // The designer's bit set of actions for the item.
  virtual uint32_t GetDesignActions() const;
  // With the flag clear and links present, deleting removes only the links.
  bool CanBeDeleted(bool ADestruction) override;
  // Frees the item when allowed (or removes only its links); true when the item is gone.
  bool DeleteIfAllowed(bool ADestruction);
  using TdxBarComponent::DeleteIfAllowed;
  // The owner control of the manager enters AList once.
  void CollectOwners(TdxObjectList* AList) override;
  bool SelectDesignLink();
  void SynchronizeDesignSelection();
  void ApplyCustomizingValue(int32_t AKind);
  void ShowDefaultEventHandler();

  // Copies the action's values; with ACheckDefaults only where the item still has its default.
  virtual void ActionChange(TObject* Sender, bool ACheckDefaults);

protected:
  bool IsLoading() const;
  // Applies a visibility change outside loading.
  virtual void VisibleChanged();
  // Whether a caption change may carry the hint along (never for sub-items).
  virtual bool CaptionSetsHint() const { return true; }
  // While an action fills the caption.
  bool CheckingDefaults() const { return checkDefaults_; }
  void SetPaintStyleField(TdxBarPaintStyle Value) { paintStyle_ = Value; }
  void SetGlyphLayoutField(TdxBarGlyphLayout Value) { glyphLayout_ = Value; }
  // Runs Proc for the item control of every link (links without one are skipped).
  template <class F>
  void ForEachControl(F&& Proc) const {
    for (TdxBarItemLink* link : std::vector<TdxBarItemLink*>(links_))
      if (TdxBarItemControl* c = link->Control()) Proc(link, c);
  }

private:
  void ActionChanged(TBasicAction* AAction);
  // A font change gives every link a new control and lays the bars out
  // again; a colour change repaints.
  void StylesChanged(uint8_t AKind);

  std::unique_ptr<TdxBarItemActionLink> actionLink_;
  TdxBarItemAlign align_ = iaLeft;
  std::string caption_;
  int32_t category_ = -1;
  bool checkDefaults_ = false;
  std::string description_;
  std::unique_ptr<TBitmap> glyph_;
  int32_t helpContext_ = 0;
  std::string hint_;
  int32_t imageIndex_ = -1;
  std::string keyTip_;
  std::unique_ptr<TBitmap> largeGlyph_;
  int32_t largeImageIndex_ = -1;
  std::vector<TdxBarItemLink*> links_;  // not owned
  TdxBarItemVisible loadedVisible_ = ivAlways;
  TdxBarItemMergeKind mergeKind_ = mkAdd;
  int32_t mergeOrder_ = 0;
  TdxBarPaintStyle paintStyle_ = psStandard;
  TdxBarScreenTip* screenTip_ = nullptr;  // not owned
  TShortCut shortCut_ = scNone;
  mutable std::unique_ptr<TdxBarItemStylesData> stylesData_;
  bool unclickAfterDoing_ = false;
  int32_t width_ = 0;
  TdxBarGlyphLayout glyphLayout_ = glTop;
  bool showCaption_ = false;
};

// Declares the published properties of the item classes; the toolbar unit's start-up calls it once.
void dxBarItemsRegisterProperties();
