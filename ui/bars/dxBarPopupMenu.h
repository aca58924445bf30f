// Popup menus: a manager's list of item links shown as a context menu at a
// screen point, drawn and handled like the manager's sub-menus. By default
// Popup runs a message loop of its own until the menu closes, so the caller
// resumes only after the user chose or cancelled.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/bars/dxBarElements.h"

class TBitmap;
class TCanvas;
class TFont;
class TdxBarSubMenuControl;
using TShortCut = uint16_t;

using TdxBarPaintSubMenuBarEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TdxBarCustomPopupMenu : public TdxBarComponent, public IdxBarLinksOwner {
  DX_COMPONENT_CLASS(TdxBarCustomPopupMenu, TdxBarComponent)
public:
  // EdxException "There are no TdxBarManagers available" when no manager is
  // registered. The manager is AOwner's, else the first registered one.
  explicit TdxBarCustomPopupMenu(TComponent* AOwner);
  // Frees the item links, the fonts and the background bitmap.
  ~TdxBarCustomPopupMenu() override;

  // ---- what descendants may change
  virtual TdxBarItemLinks* CreateItemLinks();
  // A new menu window for the bar manager.
  virtual TdxBarSubMenuControl* CreateSubMenuControl();
  virtual void DoPaintBar(TCanvas* ACanvas, const TRect& R);
  bool GetEnabled() const override { return true; }
  void SetEnabled(bool) override {}
  void SetVisible(TdxBarItemVisible) override {}
  void Loaded() override;

  // ---- showing
  // Shows the menu at a screen point; nothing while it shows. With the own
  // message loop it returns once the menu has closed.
  virtual void Popup(int32_t X, int32_t Y);
  // Popup with an owner area and options for this call only; afterwards the
  // own loop, animation, owner control and owner size are back to their
  // defaults (the owner bounds stay).
  void PopupEx(int32_t X, int32_t Y, int32_t AOwnerWidth, int32_t AOwnerHeight, bool AShowAnimation,
               const TRect* AOwnerBounds, bool AUseOwnMessageLoop, TWinControl* AOwnerControl);
  void PopupFromCursorPos();
  // The menu is on screen now.
  virtual bool IsShowing() { return menuShowing_; }
  // The item control that opens this menu (its bar window becomes the parent), or null.
  void SetOwnerItemControl(TdxBarItemControl* AControl) { ownerItemControl_ = AControl; }
  TdxBarItemControl* OwnerItemControl() const { return ownerItemControl_; }
  // The options the next or running Popup shows the menu with.
  struct TPopupOptions {
    TWinControl* OwnerWindow = nullptr;
    bool OwnMessageLoop = true;
    TRect OwnerBounds;
    bool ShowAnimation = true;
    int32_t OwnerHeight = 0;
    int32_t OwnerWidth = 0;
  };
  TPopupOptions PopupOptions() const {
    return {ownerControl_,  useOwnMessageLoop_, ownerBounds_.value_or(TRect()),
            showAnimation_, ownerHeight_,       ownerWidth_};
  }
  // The menu window calls these.
  void MenuShown();
  void MenuClosed();

  // A key message (character code in WParam, key data in LParam): True when
  // it is the shortcut of an item of the menu, which then runs.
  bool ExecuteShortCut(const TMessage& AMessage);
  // The menu's item links run the enabled item with AShortCut; False when none does.
  virtual bool ExecuteShortCut(TShortCut AShortCut);
  // AObject may join the menu's links; False with "You cannot create
  // recursive menus" when its own links already hold this menu.
  bool ValidateLinksOwner(TObject* AObject, std::string& AError);
  // A change of a component of a form being designed reaches the form's designer.
  void NotifyBarDesignerOfChange(TComponent* AComponent);

  // ---- properties
  TBitmap* BackgroundBitmap() const { return backgroundBitmap_.get(); }
  void SetBackgroundBitmap(TBitmap* Value);
  TFont* Font() const { return font_.get(); }
  // Assigns (and so turns UseOwnFont on).
  void SetFont(TFont* Value);
  // The copy of Font for the menu's edit items.
  TFont* EditFont() const { return editFont_.get(); }
  bool UseOwnFont() const { return useOwnFont_; }
  void SetUseOwnFont(bool Value);
  TdxBarItemLinks* ItemLinks() const { return itemLinks_.get(); }
  void SetItemLinks(TdxBarItemLinks* Value);
  bool UseRecentItems() const { return itemLinks_->UseRecentItems; }
  void SetUseRecentItems(bool Value) { itemLinks_->UseRecentItems = Value; }
  int32_t BarSize() const { return barSize_; }
  void SetBarSize(int32_t Value) { barSize_ = Value < 0 ? 0 : Value; }
  // Moves the menu from the old manager's popup-menu list to the new one's; nothing for null.
  void SetBarManager(TdxBarManager* Value) override;
  // The manager's font changed: a menu with its own font refreshes it, any other takes the manager's.
  void BarManagerFontChanged();

  TNotifyEvent OnCloseUp;
  TNotifyEvent OnPopup;
  TdxBarPaintSubMenuBarEvent OnPaintBar;

  // IdxBarLinksOwner
  TdxBarItemLinks* GetItemLinks() override { return itemLinks_.get(); }
  // The item's placement test for a menu, and no recursion ("You cannot
  // create recursive menus").
  bool CanContainItem(TdxBarItem* AItem, std::string& AErrorText) override;
  TCustomdxBarControl* CreateBarControl() override;

protected:
  // Font's OnChange.
  void FontChanged();
  void NotifyCloseUp();
  void NotifyPopup();

private:
  void RunOwnMessageLoop();

  std::unique_ptr<TBitmap> backgroundBitmap_;
  std::unique_ptr<TFont> editFont_;
  std::unique_ptr<TFont> font_;
  bool internalFontChange_ = false;
  std::unique_ptr<TdxBarItemLinks> itemLinks_;
  // A copy: the caller's rectangle need not outlive PopupEx.
  std::optional<TRect> ownerBounds_;
  TWinControl* ownerControl_ = nullptr;
  int32_t ownerWidth_ = 0, ownerHeight_ = 0;
  TdxBarItemControl* ownerItemControl_ = nullptr;
  bool menuShowing_ = false;
  bool showAnimation_ = true;
  bool useOwnFont_ = false;
  bool useOwnMessageLoop_ = true;
  int32_t barSize_ = 0;
};

class TdxBarPopupMenu : public TdxBarCustomPopupMenu {
  DX_COMPONENT_CLASS(TdxBarPopupMenu, TdxBarCustomPopupMenu)
public:
  using TdxBarCustomPopupMenu::TdxBarCustomPopupMenu;
};
