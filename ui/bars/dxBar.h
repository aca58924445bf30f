// The bar manager: the non-visual component a form holds to get toolbars and
// menus. It owns the bars, keeps the lists of the items, groups and popup
// menus that belong to it, the categories, the image options and the dock
// sites, picks the painter that draws every bar window, and batches changes
// of many bars in a nestable update lock.
//
// Vocabulary: see dxBarTypes.h. Everything runs on the main thread.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/inifiles.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBarComponents.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarLabels.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/lookandfeel/dxCore.h"

class TcxLookAndFeel;
class TdxThemeChangedNotificator;
class TWinControl;
class TCustomForm;

using TdxBarEvent = std::function<void(TdxBarManager* Sender, TdxBar* ABar)>;
using TdxBarVisibleChangeEvent = TdxBarEvent;
using TdxBarItemLinkEvent = std::function<void(TdxBarManager* Sender, TdxBarItemLink* AItemLink)>;
using TdxBarCanDockingEvent = std::function<void(TdxBar* Sender, TdxBarDockingStyle Style,
                                                 TdxDockControl* DockControl, bool& CanDocking)>;
using TdxBarMergeItemLinkEvent =
    std::function<void(TdxBarManager* Sender, TdxBarItemLinks* ADstItemLinks, TdxBarItemLinks* ASrcItemLinks,
                       TdxBarItemLink* ASrcItemLink, TdxBarItemMergeKind& AMergeKind, int32_t& AMergeIndex)>;
using TdxBarShowPopupEvent = std::function<void(TdxBarManager* Sender, TdxBarItemLinks* PopupItemLinks)>;
using TdxBarClickItemEvent = std::function<void(TdxBarManager* Sender, TdxBarItem* ClickedItem)>;
using TdxBarMergeEvent = std::function<void(TdxBarManager* Sender, TdxBarManager* ChildBarManager, bool AddItems)>;

// The flags of the manager's state word. The construction guard stays clear
// here: the owner checks run before the component exists, so no destructor
// ever meets a half-made manager.
enum TdxBarManagerStateFlag : uint8_t {
  bmsfLoadedProcessing, bmsfRestoringBars, bmsfConstructionGuard, bmsfRecreatingHandles, bmsfCancelMode,
  bmsfActivating, bmsfApplyingActivation, bmsfDeactivatedWhileDisabled, bmsfStoringInitialLayout
};

// The process-wide list of managers, in registration order. It lives from its
// first use to the toolbar unit's shut-down.
class TdxBarManagerList : public TObject {
  DX_CLASS(TdxBarManagerList, TObject)
public:
  TdxBarManagerList() = default;
  // Takes the thread hooks with it.
  ~TdxBarManagerList() override;
  int32_t Count() const { return int32_t(managers_.size()); }
  TdxBarManager* Items(int32_t Index) const { return managers_.at(size_t(Index)); }
  void Add(TdxBarManager* AManager);
  void Remove(TdxBarManager* AManager);
  // The registered manager whose owner is AOwner; null when none.
  TdxBarManager* FindManagerOfOwner(const TComponent* AOwner) const;
  // The first manager, in list order, that is customizing; null when none.
  TdxBarManager* CustomizingManager() const;
  // The manager (from AManager, cyclically forward or backward) that belongs
  // to AManager's main form; AManager itself when no other one does.
  TdxBarManager* NextManagerOfForm(TdxBarManager* AManager, bool AForward) const;

private:
  std::vector<TdxBarManager*> managers_;
};
// Null once the toolbar unit has shut down.
TdxBarManagerList* dxBarManagerList();
// Frees the list for good (the toolbar unit's shut-down).
void FreeBarManagerList();

// The owner control's window leads up through child windows to AWnd.
bool IsBarManagerOwnerWindow(TdxBarManager* AManager, win::HWND AWnd);
// AManager's owner window lies in AForm (whose handle is created if need
// be) and, for a manager on an MDI child form, that child is the active one.
bool IsManagerOfForm(TdxBarManager* AManager, TCustomForm* AForm);

// Work that later parts of the toolbar library do for the manager: the
// toolbar name dialog and the stored layout. Their units fill the slots at
// start-up. ShowNameDialog is needed by AddBar(AskName), the layout savers by
// the owner window's WM_DESTROY while StoreInRegistry or StoreInIniFile is
// set; an empty slot that is needed raises EdxException naming it.
struct TdxBarManagerSlots {
  void (*SaveToRegistry)(TdxBarManager* AManager, const std::string& APath) = nullptr;
  void (*SaveToIniFile)(TdxBarManager* AManager, const std::string& AFileName) = nullptr;
  // Shows the toolbar name dialog; False when cancelled. Mode 0 "Add Toolbar", 1 "Rename Toolbar".
  bool (*ShowNameDialog)(std::string& AName, int32_t AMode, TdxBar* ABar, TdxBarManager* AManager) = nullptr;
  // The MDI-child form that holds the manager's owner, null when none; and
  // the application's active MDI child. Empty while no MDI support exists.
  win::HWND (*MdiChildFormOfManager)(TdxBarManager* AManager) = nullptr;
  win::HWND (*ActiveMdiChildHandle)() = nullptr;
};
TdxBarManagerSlots& dxBarManagerSlots();

class TdxBarManager : public TComponent {
  DX_COMPONENT_CLASS(TdxBarManager, TComponent)
public:
  explicit TdxBarManager(TComponent* AOwner);
  ~TdxBarManager() override;

  // ---- framework overrides
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ReadState(TReader* Reader) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  TComponent* GetChildOwner() override { return Owner(); }
  void SetChildOrder(TComponent* Child, int32_t Order) override;

  // ---- virtual operations
  virtual void DoClickItem(TdxBarItem* AItem);
  virtual bool CanDockBar(TdxBar* ABar, TdxBarDockingStyle AStyle, TdxDockControl* ADockControl);
  virtual TdxBarPainterClass GetPainterClass();

  // ---- event dispatchers
  virtual void DoBarAfterReset(TdxBar* ABar);
  virtual void DoBarBeforeReset(TdxBar* ABar);
  virtual void DoBarClose(TdxBar* ABar);
  virtual void DoBarDockingStyleChange(TdxBar* ABar);
  virtual void DoCloseButtonClick();
  virtual void DoHelpButtonClick();
  virtual void DoShowCustomizingPopup(TdxBarItemLinks* PopupItemLinks);
  virtual void DoShowToolbarsPopup(TdxBarItemLinks* PopupItemLinks);
  void DoItemLinkChange(TdxBarItemLink* AItemLink);
  // OnMergeItemLink may change where and how a link merges.
  void DoMergeItemLink(TdxBarItemLinks* ADstItemLinks, TdxBarItemLinks* ASrcItemLinks, TdxBarItemLink* ASrcItemLink,
                       TdxBarItemMergeKind& AMergeKind, int32_t& AMergeIndex);

  // ---- state
  bool InLoading() const { return InState(csLoading); }
  bool InDesigner() const { return InState(csDesigning); }
  bool InDestruction() const { return InState(csDestroying); }
  bool IsCustomizingOrDesigning() const { return customizing_ || InDesigner(); }
  bool IsCustomizing() const { return customizing_; }
  // Some other registered manager is customizing.
  bool IsAnotherManagerActive() const;
  // The flag alone; the switch that also opens and closes the Customize dialog comes with the dialog.
  void SetCustomizingFlag(bool AValue) { customizing_ = AValue; }
  bool IsRestoringBars() const { return HasState(bmsfRestoringBars); }
  bool IsRecreatingBarHandles() const { return HasState(bmsfRecreatingHandles); }
  bool IsLoadedProcessing() const { return InLoading() || HasState(bmsfLoadedProcessing); }
  bool IsBarsUpdateLocked() const { return barsUpdateLock_ > 0; }
  bool HasFocusedBarControl() const { return focusedBarControl_ != nullptr; }
  bool IsFlatStyle() const { return style_ == bmsFlat; }
  bool IsStoringInitialLayout() const { return HasState(bmsfStoringInitialLayout); }
  bool CanResetBars() const { return streamedCount_ > 0 && allowReset_; }
  bool UsesLargeImages() const { return imageOptions_->UsesLargeImages(); }
  int32_t GetGlyphSize() const { return imageOptions_->GlyphSize(); }
  bool HasState(TdxBarManagerStateFlag f) const { return (state_ & (1u << f)) != 0; }

  // ---- lists and lookups
  int32_t GetItemCount() const { return items_->Count(); }
  // Null outside 0..count-1.
  TdxBarItem* GetItem(int32_t Index) const;
  TdxBarItem* FindItemByName(const std::string& AName) const;
  void MoveItem(int32_t CurIndex, int32_t NewIndex);
  int32_t GetItemsOfCategory(int32_t ACategory, TList* AList) const;
  int32_t GetShownItemsOfCategory(int32_t ACategory, TList* AList) const;
  int32_t GetGroupCount() const { return groups_->Count(); }
  TdxBarGroup* GetGroup(int32_t Index) const { return static_cast<TdxBarGroup*>(groups_->Items(Index)); }
  TdxBarGroup* AddGroup();
  int32_t GetDockControlCount() const { return int32_t(dockControls_.size()); }
  TdxDockControl* GetDockControl(int32_t Index) const { return dockControls_.at(size_t(Index)); }
  void AddDockControl(TdxDockControl* ADock);
  void RemoveDockControl(TdxDockControl* ADock);
  TdxBar* FindBarByName(const std::string& AName) const;
  TdxBar* FindBarByCaption(const std::string& ACaption) const;
  void MakeBarCaption(const std::string& APrefix, std::string& ACaption) const;
  void MakeBarName(const std::string& APrefix, std::string& AName) const;
  void MakeItemName(TClass AItemClass, std::string& AName) const;
  // The new bar; null when its name dialog is cancelled.
  TdxBar* AddBar(bool AsMainMenu = false, bool AskName = false);
  TdxBar* GetMainMenuBar() const { return mainMenuBar_; }
  void SetMainMenuBar(TdxBar* ABar) { mainMenuBar_ = ABar; }
  TCustomdxBarControl* GetMainMenuBarControl() const;
  TWinControl* OwnerControl() const;
  // The outermost form that holds the owner control; null when none.
  TCustomForm* GetMainForm() const;
  TdxBarPainterClass GetDefaultPainterClass() const { return painter_ ? painter_->ClassType() : nullptr; }
  TdxBarPainter* DefaultPainter() const { return painter_.get(); }
  // Lists other parts register with.
  TdxBarComponentList* ItemList() const { return items_.get(); }
  TdxBarComponentList* GroupList() const { return groups_.get(); }
  TComponentList* PopupMenuList() const { return popupMenus_.get(); }

  // ---- categories
  TdxBarItemVisible GetCategoryItemsVisible(int32_t Index) const;
  bool GetCategoryVisible(int32_t Index) const;
  void SetCategoryItemsVisible(int32_t Index, TdxBarItemVisible Value);
  void SetCategoryVisible(int32_t Index, bool Value);
  int32_t GetRealCategoryIndex(int32_t VisibleIndex) const;

  // ---- update lock
  void BeginBarsUpdate() { LockBarsUpdate(true); }
  void EndBarsUpdate(bool RecalcMarked = true) { UnlockBarsUpdateAndRecalc(RecalcMarked, true); }
  void LockBarsUpdate(bool ToggleRedraw);
  void UnlockBarsUpdate(bool ToggleRedraw);
  void UnlockBarsUpdateAndRecalc(bool RecalcMarked, bool ToggleRedraw);
  void UpdateBars(bool Locking, bool RecalcMarked, bool SkipRecalc, bool ToggleRedraw);
  // A sub-menu window rebuilt at the end of the current lock.
  void SetPendingSubMenu(TdxBarSubMenuControl* AControl) { pendingSubMenu_ = AControl; }

  // ---- look, fonts and colours
  void StyleChanged();
  void RecreateDefaultPainter();
  void RefreshBarWindows();
  int32_t GetPainterStyle() const;
  TdxBarManagerStyle GetEffectiveStyle() const;
  bool IsNonStandardStyle() const { return GetEffectiveStyle() != bmsStandard; }
  bool UsesRecentItemsFirst() const { return IsNonStandardStyle() && menusShowRecentItemsFirst_; }
  void AssignLookAndFeelTo(TcxLookAndFeel* ALookAndFeel);
  bool VisualStylesAvailable() const { return visualStyles_; }
  void FontChanged();
  void ApplySystemFont();
  TColor FlatBorderColor() const;
  TColor FlatFaceColor() const;
  TColor FlatPressedColor() const;
  TColor FlatPressedHotColor() const;
  TColor FlatHotColor() const;
  // Border, face, pressed, pressed-hot, hot.
  win::HBRUSH FlatBrush(int32_t Index) const { return flatBrushes_.at(size_t(Index)); }
  win::HBRUSH ThemeToolbarBrush() const { return themeToolbarBrush_; }
  void CreateColorResources();
  void RefreshColorResources();
  void ReleaseColorResources();
  TFont* EditFont() const { return editFont_.get(); }
  TFont* BarCaptionFont() const { return barCaptionFont_.get(); }
  // The use count a new most-recently-used item link starts with.
  int32_t InitialUseCount() const { return initialUseCount_; }
  // While a stored layout is read: the manager's items that it does not list; null otherwise.
  const std::vector<TdxBarItem*>* ItemsMissingFromLayout = nullptr;

  // ---- selection and tracking
  TdxBarItemControl* SelectedItemControl() const { return selectedItemControl_; }
  void StoreSelectedItemControl(TdxBarItemControl* AControl) { selectedItemControl_ = AControl; }
  void ChangeSelectedItemControl(TdxBarItemControl* AControl);
  void StartMouseTracking(TCustomdxBarControl* ABarControl);
  void StopMouseTracking(TCustomdxBarControl* ABarControl);
  bool IsTrackedBarControl(TCustomdxBarControl* ABarControl) const { return trackedBarControl_ == ABarControl; }
  // Makes the bar window under the cursor (ABarControl only, when given) work out its hot item again.
  void RefreshHotTrackAtCursor(TCustomdxBarControl* ABarControl = nullptr);
  // Closes the bar window that holds the toolbar system's focus.
  void CloseActiveBarWindow();
  // The window that takes the mouse capture for a drag.
  win::HWND GetCaptureWindow() const;
  TCustomdxBarControl* FocusedBarControl() const { return focusedBarControl_; }
  void SetFocusedBarControl(TCustomdxBarControl* Value) { focusedBarControl_ = Value; }
  // What bar windows, hosted windows and layout readers keep on their manager
  // between calls; each owner sets and clears its own entry.
  struct TdxBarSharedState {
    TdxBarItemControl* ControlUnderMouse = nullptr;  // a control clears it when destroyed
    TdxBarSubMenuControl* ChangedMenu = nullptr;      // a menu window clears it when destroyed
    int32_t SelectionChangeCount = 0;                 // raised and lowered around a selection change
    int32_t DockResizeCount = 0;
    win::HWND RememberedFocus = nullptr;              // hosted windows give the focus back to it
    bool SuppressFocusRestore = false;
    bool LayoutUpdating = false;
    std::vector<std::string> UnknownItemNames;        // filled only while a layout is read
  } SharedState;

  // Runs Callback for every item inside one bars update; nothing while loading or being destroyed.
  void ForEachItem(const std::function<void(TdxBarManager*, TdxBarItem*)>& Callback);

  // Marks the designer modified (the designer itself comes later; at run time nothing).
  void NotifyDesignerModified();
  // Counts designer-notification locks; the last unlock sends a due
  // notification when ANotify.
  void LockDesignerNotifications(bool ALock, bool ANotify = true);
  // The form designer's answers; a running program has none, so these are
  // the answers without one.
  bool MayDeleteComponent(TComponent*) const { return true; }
  int32_t GetDesignSelectionState(TPersistent*) const { return 0; }
  bool IsDesignSelected(TPersistent* APersistent) const { return GetDesignSelectionState(APersistent) == 1; }
  void DesignSelect(TPersistent*, int32_t) {}

  // ---- registration, keys and hints (dxBarHooks.cpp, dxBarShortCuts.cpp, dxBarHints.cpp)
  // The first registration installs the thread hooks; outside design time
  // the shared hint window is made. The last one out removes both.
  static void RegisterManager(TdxBarManager* AManager);
  static void UnregisterManager(TdxBarManager* AManager);
  // Bar windows report the item under the mouse (AShow) or its absence.
  void SetHintState(bool AShow, const std::string& AText, TObject* AObject);
  void CancelHint() { SetHintState(false, "", nullptr); }
  void ShowHintNow();
  void ShowHintText(const std::string& AText, const std::string& AShortCut);
  TObject* HintObject() const { return hintObject_; }
  // AObject is going away: a waiting hint finds nothing to show.
  void ForgetHintObject(TObject* AObject) {
    if (hintObject_ == AObject) hintObject_ = nullptr;
  }
  // Runs the item with AShortCut of the focused control's popup links, of
  // the managers from this one's owner window up, then of the other
  // managers of the form; True when one ran.
  bool IsShortCut(TShortCut AShortCut);
  bool ManagerShortCut(TdxBarManager* M, TShortCut AShortCut);
  // The first link whose caption's accelerator is AKey, searched the same way; null when none.
  TdxBarItemLink* FindLinkByAccelerator(win::WORD AKey, TShiftState AShift);

  // ---- the owner window's messages (dxBarOwnerMessages.cpp)
  void HandleOwnerMessage(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
  void HandleActivate(win::WORD State, win::WORD Minimized, win::HWND Wnd, win::HWND OtherWnd);
  void HandleActivateApp(bool AActive);
  void SetActive(bool AActive, bool AForce, win::HWND AOtherWnd);
  void ApplyActivation(bool AActive, bool AForce, win::HWND AOtherWnd);
  bool IsActive() const { return active_; }
  bool IsOwnerShowing() const;
  // The shared item-hint window exists and shows.
  bool IsHintShowing() const;
  bool IsOwnerInMdiChild(bool AFormLevel) const;
  void KeepFloatingBarsInWorkArea();
  // F1 over bar items; the help context used (0 when none). There is no
  // help system, so the help calls themselves do nothing.
  int32_t ShowItemHelp(const win::HELPINFO& AInfo);
  void HandleCancelMode();
  void HandleOwnerCreated();
  // Bars whose windows went with a dock site's window wait here for it.
  void BeginRestoringBars();
  void EndRestoringBars() { restoringBars_.reset(); }
  bool IsRestoringListed() const { return restoringBars_ != nullptr; }
  void AddRestoringBar(TdxBar* ABar);
  void ForgetRestoringBar(TdxBar* ABar);
  int32_t IndexOfRestoringBar(TdxBar* ABar) const;
  void RestoreBarsOfDock(TdxDockControl* ADock);
  // MDI: the main form's manager hears that the active MDI child or its
  // maximized state changed. Kind 0 activated, 1 deactivated, 2 maximized
  // state changed.
  void ActiveMdiChildChanged();
  void MdiStateChanged(int32_t Kind, win::HWND ChildWnd);
  TcxEventHandlerCollection* MdiStateHandlers() const { return mdiStateHandlers_.get(); }

  // ---- published properties
  bool AllowCallFromAnotherForm() const { return allowCallFromAnotherForm_; }
  void SetAllowCallFromAnotherForm(bool v) { allowCallFromAnotherForm_ = v; }
  bool AllowReset() const { return allowReset_; }
  void SetAllowReset(bool v) { allowReset_ = v; }
  bool AlwaysMerge() const { return alwaysMerge_; }
  void SetAlwaysMerge(bool v) { alwaysMerge_ = v; }
  bool AlwaysSaveText() const { return alwaysSaveText_; }
  void SetAlwaysSaveText(bool v) { alwaysSaveText_ = v; }
  bool AutoAlignBars() const { return autoAlignBars_; }
  void SetAutoAlignBars(bool v);
  bool AutoDockColor() const { return autoDockColor_; }
  void SetAutoDockColor(bool v);
  bool AutoHideEmptyBars() const { return autoHideEmptyBars_; }
  void SetAutoHideEmptyBars(bool v);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool v);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* v) { font_->Assign(v); }
  TdxBarBackgrounds* Backgrounds() const { return backgrounds_.get(); }
  int32_t ButtonArrowWidth() const { return buttonArrowWidth_; }
  void SetButtonArrowWidth(int32_t v);
  bool CanCustomize() const { return canCustomize_; }
  void SetCanCustomize(bool v) { canCustomize_ = v; }
  TdxBarManagerCategories* Categories() const { return categories_.get(); }
  void SetCategories(TStrings* v) { categories_->Assign(v); }
  TColor DockColor() const;
  void SetDockColor(TColor v);
  bool FlatCloseButton() const { return flatCloseButton_; }
  void SetFlatCloseButton(bool v);
  TBitmap* HelpButtonGlyph() const { return helpButtonGlyph_.get(); }
  void SetHelpButtonGlyph(TBitmap* v);
  int32_t HelpContext() const { return helpContext_; }
  void SetHelpContext(int32_t v) { helpContext_ = v; }
  bool HideFloatingBarsWhenInactive() const { return hideFloatingBarsWhenInactive_; }
  void SetHideFloatingBarsWhenInactive(bool v);
  TdxBarImageOptions* ImageOptions() const { return imageOptions_.get(); }
  const std::string& IniFileName() const { return iniFileName_; }
  void SetIniFileName(const std::string& v) { iniFileName_ = v; }
  int32_t LargeButtonArrowWidth() const { return largeButtonArrowWidth_; }
  void SetLargeButtonArrowWidth(int32_t v);
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* v);
  TdxBarMenuAnimations MenuAnimations() const { return menuAnimations_; }
  void SetMenuAnimations(TdxBarMenuAnimations v);
  bool MenusShowRecentItemsFirst() const { return menusShowRecentItemsFirst_; }
  void SetMenusShowRecentItemsFirst(bool v);
  uint8_t MostRecentItemsPercents() const { return mostRecentItemsPercents_; }
  void SetMostRecentItemsPercents(int32_t v);
  TdxBarDockingStyles NotDocking() const { return notDocking_; }
  void SetNotDocking(TdxBarDockingStyles v);
  TdxBarPopupMenuLinks* PopupMenuLinks() const { return popupMenuLinks_.get(); }
  const std::string& RegistryPath() const { return registryPath_; }
  void SetRegistryPath(const std::string& v);
  bool ShowCloseButton() const { return showCloseButton_; }
  void SetShowCloseButton(bool v);
  bool ShowFullMenusAfterDelay() const { return showFullMenusAfterDelay_; }
  void SetShowFullMenusAfterDelay(bool v);
  bool ShowHelpButton() const { return showHelpButton_; }
  void SetShowHelpButton(bool v);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  bool ShowHintForDisabledItems() const { return showHintForDisabledItems_; }
  void SetShowHintForDisabledItems(bool v) { showHintForDisabledItems_ = v; }
  bool ShowShortCutInHint() const { return showShortCutInHint_; }
  void SetShowShortCutInHint(bool v);
  bool StoreInIniFile() const { return storeInIniFile_; }
  void SetStoreInIniFile(bool v) { storeInIniFile_ = v; }
  bool StoreInRegistry() const { return storeInRegistry_; }
  void SetStoreInRegistry(bool v) { storeInRegistry_ = v; }
  TdxBarManagerStyle Style() const { return style_; }
  void SetStyle(TdxBarManagerStyle v);
  bool SunkenBorder() const { return sunkenBorder_; }
  void SetSunkenBorder(bool v);
  bool UseF10ForMenu() const { return useF10ForMenu_; }
  void SetUseF10ForMenu(bool v) { useF10ForMenu_ = v; }
  bool UseFullReset() const { return useFullReset_; }
  void SetUseFullReset(bool v) { useFullReset_ = v; }
  bool UseSystemFont() const { return useSystemFont_; }
  void SetUseSystemFont(bool v);
  int32_t WaitForDockingTime() const { return waitForDockingTime_; }
  void SetWaitForDockingTime(int32_t v);

  // Forwarded to ImageOptions (not stored).
  TCustomImageList* Images() const { return imageOptions_->Images(); }
  void SetImages(TCustomImageList* v) { imageOptions_->SetImages(v); }
  TCustomImageList* HotImages() const { return imageOptions_->HotImages(); }
  void SetHotImages(TCustomImageList* v) { imageOptions_->SetHotImages(v); }
  TCustomImageList* DisabledImages() const { return imageOptions_->DisabledImages(); }
  void SetDisabledImages(TCustomImageList* v) { imageOptions_->SetDisabledImages(v); }
  TCustomImageList* LargeImages() const { return imageOptions_->LargeImages(); }
  void SetLargeImages(TCustomImageList* v) { imageOptions_->SetLargeImages(v); }
  TCustomImageList* DisabledLargeImages() const { return imageOptions_->DisabledLargeImages(); }
  void SetDisabledLargeImages(TCustomImageList* v) { imageOptions_->SetDisabledLargeImages(v); }
  TColor ImageListBkColor() const { return imageOptions_->ImageListBkColor(); }
  void SetImageListBkColor(TColor v) { imageOptions_->SetImageListBkColor(v); }
  bool LargeIcons() const { return imageOptions_->LargeIcons(); }
  void SetLargeIcons(bool v) { imageOptions_->SetLargeIcons(v); }
  bool MakeDisabledImagesFaded() const { return imageOptions_->MakeDisabledImagesFaded(); }
  void SetMakeDisabledImagesFaded(bool v) { imageOptions_->SetMakeDisabledImagesFaded(v); }
  bool StretchGlyphs() const { return imageOptions_->StretchGlyphs; }
  void SetStretchGlyphs(bool v) { imageOptions_->StretchGlyphs = v; }
  bool UseLargeImagesForLargeIcons() const { return imageOptions_->UseLargeImagesForLargeIcons(); }
  void SetUseLargeImagesForLargeIcons(bool v) { imageOptions_->SetUseLargeImagesForLargeIcons(v); }

  TdxBars* Bars() const { return bars_.get(); }

  // Handlers the manager only calls.
  TcxEventHandlerCollection* SystemFontHandlers() const { return systemFontHandlers_.get(); }

  // ---- events
  TdxBarEvent OnBarAdd, OnBarAfterReset, OnBarBeforeReset, OnBarClose, OnBarDelete, OnBarDockingStyleChange;
  TdxBarVisibleChangeEvent OnBarVisibleChange;
  TdxBarItemLinkEvent OnItemLinkAdd, OnItemLinkChange, OnItemLinkDelete;
  TdxBarMergeItemLinkEvent OnMergeItemLink;
  TNotifyEvent OnCloseButtonClick, OnHelpButtonClick, OnHideCustomizingForm, OnShowCustomizingForm;
  TdxBarCanDockingEvent OnDocking;
  TdxBarMergeEvent OnMenuMerge, OnMerge;
  TdxBarShowPopupEvent OnShowCustomizingPopup, OnShowToolbarsPopup;
  TdxBarClickItemEvent OnClickItem;

  // The reactions to a change of ImageOptions.
  void ImageOptionsChanged(TdxBarImageOptionsChange AChange);

private:
  void SetState(TdxBarManagerStateFlag f, bool on) {
    state_ = on ? uint16_t(state_ | (1u << f)) : uint16_t(state_ & ~(1u << f));
  }
  void CalcInitialUseCount();
  void RemakeColorBrushes();
  void ReadBars(TReader& Reader);
  void ReadDockControlHeights(TReader& Reader);
  void WriteDockControlHeights(TWriter& Writer);
  void ApplyCategoryItemsVisible(int32_t Index, TdxBarItemVisible Old, TdxBarItemVisible Value);
  void NotifyDockColorChanged();
  void MainMenuOptionChanged();
  void OptionChangedForDialog();
  void HandleOwnerNotice(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
  void HandleOtherMessage(win::UINT Msg, win::LPARAM LParam);

  std::unique_ptr<TFont> barCaptionFont_, editFont_;
  std::unique_ptr<TdxBars> bars_;
  TdxBarSubMenuControl* pendingSubMenu_ = nullptr;
  bool changingStyle_ = false;
  std::unique_ptr<TdxBarPainter> painter_;
  bool designerChangePending_ = false;
  std::vector<TdxDockControl*> dockControls_;
  std::array<win::HBRUSH, 5> flatBrushes_{};
  TCustomdxBarControl* focusedBarControl_ = nullptr;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TdxBarComponentList> groups_;
  std::unique_ptr<TBitmap> helpButtonGlyph_;
  bool applyingSystemFont_ = false;
  uint16_t state_ = 0;
  bool customizing_ = false;
  std::unique_ptr<TComponentList> mdiSystemMenuItems_;
  std::unique_ptr<TdxBarComponentList> items_;
  int32_t designerNotificationLock_ = 0;
  int32_t barsUpdateLock_ = 0;
  TdxBar* mainMenuBar_ = nullptr;
  int32_t initialUseCount_ = 0;
  TCustomdxBarControl* trackedBarControl_ = nullptr;
  std::unique_ptr<TComponentList> popupMenus_;
  int32_t streamedCount_ = 0;
  TdxBarItemControl* selectedItemControl_ = nullptr;
  bool visualStyles_ = false;
  std::unique_ptr<TdxThemeChangedNotificator> themeNotificator_;
  win::HBRUSH themeToolbarBrush_ = nullptr;
  std::unique_ptr<TMemIniFile> initialLayout_;
  std::unique_ptr<TcxEventHandlerCollection> iniReadHandlers_, iniWriteHandlers_, mdiStateHandlers_,
      systemFontHandlers_;

  std::unique_ptr<TdxBarBackgrounds> backgrounds_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  std::unique_ptr<TdxBarImageOptions> imageOptions_;
  std::unique_ptr<TdxBarManagerCategories> categories_;
  std::unique_ptr<TdxBarPopupMenuLinks> popupMenuLinks_;

  bool allowCallFromAnotherForm_ = false, allowReset_ = false, alwaysMerge_ = false, alwaysSaveText_ = false;
  bool autoAlignBars_ = false, autoDockColor_ = false, autoHideEmptyBars_ = false, scaled_ = false;
  int32_t buttonArrowWidth_ = 0, largeButtonArrowWidth_ = 0, helpContext_ = 0, waitForDockingTime_ = 0;
  bool canCustomize_ = false, flatCloseButton_ = false, hideFloatingBarsWhenInactive_ = false;
  TColor dockColor_ = clBtnFace;
  std::string iniFileName_, registryPath_;
  TdxBarMenuAnimations menuAnimations_ = maNone;
  bool menusShowRecentItemsFirst_ = false;
  uint8_t mostRecentItemsPercents_ = 0;
  TdxBarDockingStyles notDocking_ = 0;
  bool showCloseButton_ = false, showFullMenusAfterDelay_ = false, showHelpButton_ = false, showHint_ = false;
  bool showHintForDisabledItems_ = false, showShortCutInHint_ = false, storeInIniFile_ = false;
  bool storeInRegistry_ = false, sunkenBorder_ = false, useF10ForMenu_ = false, useFullReset_ = false;
  bool useSystemFont_ = false;
  TdxBarManagerStyle style_ = bmsEnhanced;
  // The activation state last applied to the bars.
  bool active_ = false;
  TObject* hintObject_ = nullptr;
  win::HWND lastActiveMdiChild_ = nullptr;
  bool activeMdiChildMaximized_ = false;
  std::unique_ptr<std::vector<TdxBar*>> restoringBars_;
};

// Declares the manager's and the bar's published properties; the toolbar
// unit's start-up calls it once.
void dxBarRegisterProperties();

// The toolbar unit's start-up and shut-down (dxBarUnit.cpp; dxBarStartup.h
// tells the steps). Its row sits in the toolbar library's unit table.
void dxBarUnitStart();
void dxBarUnitStop();
