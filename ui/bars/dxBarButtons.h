// Button items: a plain button, a check button that stays down, and either
// with a drop-down menu; and the large button with its own large, hot and
// small images. Check buttons with one GroupIndex form a radio group across
// the whole bar manager, whatever bars they are on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/bars/dxBarItems.h"

class TdxBarPopupMenu;

class TdxBarButton : public TdxBarItem, public IdxBarLinksOwner {
  DX_COMPONENT_CLASS(TdxBarButton, TdxBarItem)
public:
  explicit TdxBarButton(TComponent* AOwner);

  void Notification(TComponent* AComponent, TOperation Operation) override;

  bool AllowAllUp() const { return allowAllUp_; }
  // In a group, every button of the manager with that GroupIndex takes the value.
  void SetAllowAllUp(bool Value);
  TdxBarButtonStyle ButtonStyle() const { return GetButtonStyle(); }
  TdxBarButtonStyle GetButtonStyle() const { return buttonStyle_; }
  // Releases the button; unless loading its bar windows lay themselves out again.
  void SetButtonStyle(TdxBarButtonStyle Value);
  bool CloseSubMenuOnClick() const { return closeSubMenuOnClick_; }
  void SetCloseSubMenuOnClick(bool Value) { closeSubMenuOnClick_ = Value; }
  bool Down() const { return down_; }
  // True on a button that cannot be checked, and releasing the last down
  // button of a group without AllowAllUp, are ignored. Pressing releases the
  // group's other down button.
  void SetDown(bool Value);
  bool DropDownEnabled() const { return dropDownEnabled_; }
  void SetDropDownEnabled(bool Value);
  TdxBarPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  // EdxException "You cannot create recursive menus" when the menu would
  // contain this button, directly or through nested menus.
  void SetDropDownMenu(TdxBarPopupMenu* Value);
  int32_t GroupIndex() const { return groupIndex_; }
  // 0 for a button that cannot be checked; releases the button.
  void SetGroupIndex(int32_t Value);
  bool Lowered() const { return lowered_; }
  void SetLowered(bool Value);
  void SetPaintStyle(TdxBarPaintStyle Value);
  bool IsCheckable() const { return (buttonStyle_ & 1) != 0; }

  // Toggles Down first when enabled and checkable.
  void PerformClick() override;
  // Shows the drop-down menu for AControl at a screen point.
  virtual void DropDown(TdxBarItemControl* AControl, int32_t X, int32_t Y, bool AByMouse);

  uint32_t GetDesignActions() const override;
  bool SupportsPaintStyle() const override { return true; }
  bool CanUseAccelerator(TdxBarItemLink* ALink) override;
  void PaintStyleChanged() override;
  std::string GetDefaultCaption() const override;

  // IdxBarLinksOwner, through the drop-down menu.
  TdxBarItemLinks* GetItemLinks() override;
  TCustomdxBarControl* CreateBarControl() override;
  bool CanContainItem(TdxBarItem* AItem, std::string& AErrorText) override;

protected:
  // What CanUseAccelerator answers on a toolbar beyond the paint style.
  virtual bool ShowsCaptionOnToolbar() const { return true; }

private:
  bool allowAllUp_ = false;
  bool closeSubMenuOnClick_ = true;
  bool down_ = false;
  bool dropDownEnabled_ = true;
  TdxBarPopupMenu* dropDownMenu_ = nullptr;
  int32_t groupIndex_ = 0;
  TdxBarButtonStyle buttonStyle_ = bsDefault;
  bool lowered_ = false;
};

class TdxBarLargeButton : public TdxBarButton {
  DX_COMPONENT_CLASS(TdxBarLargeButton, TdxBarButton)
public:
  explicit TdxBarLargeButton(TComponent* AOwner);
  ~TdxBarLargeButton() override;

  // The stream property "ImageIndex", written only while SyncImageIndex is off.
  void DefineProperties(TFiler* Filer) override;
  // Clears the loaded marks.
  void Loaded() override;

  bool AutoGrayScale() const { return autoGrayScale_; }
  void SetAutoGrayScale(bool Value);
  int32_t Height() const { return height_; }
  // Negative values are ignored.
  void SetHeight(int32_t Value);
  int32_t HotImageIndex() const { return hotImageIndex_; }
  void SetHotImageIndex(int32_t Value);
  TBitmap* HotGlyph() const { return hotGlyph_.get(); }
  void SetHotGlyph(TBitmap* Value);
  void SetGlyphLayout(TdxBarGlyphLayout Value);
  bool SyncImageIndex() const { return syncImageIndex_; }
  // Turning it on makes ImageIndex follow LargeImageIndex at once.
  void SetSyncImageIndex(bool Value);

  // With SyncImageIndex, ImageIndex follows LargeImageIndex; an ImageIndex
  // set from code after loading ends the synchronisation.
  void SetImageIndex(int32_t Value) override;
  void SetLargeImageIndex(int32_t Value) override;
  void LargeGlyphChanged() override;
  void HotGlyphChanged() override;
  void WidthChanged() override;

  // The manager's HotImages and LargeImages hold the image.
  bool IsHotImageAssigned() const;
  bool IsLargeImageAssigned() const;
  bool HasHotImage() const override { return hotImageIndex_ >= 0; }
  bool HasImage() const override { return LargeImageIndex() >= 0; }
  int32_t GetActionImageIndex() const override { return LargeImageIndex(); }
  void SetActionImageIndex(int32_t Value) override { SetLargeImageIndex(Value); }
  uint32_t GetDesignActions() const override;

protected:
  bool ShowsCaptionOnToolbar() const override { return ShowCaption(); }

private:
  bool autoGrayScale_ = true;
  int32_t height_ = 0;
  int32_t hotImageIndex_ = -1;
  bool inSync_ = false;
  std::unique_ptr<TBitmap> hotGlyph_;
  bool syncImageIndex_ = true;
  bool imageIndexLoaded_ = false, largeImageIndexLoaded_ = false, syncImageIndexLoaded_ = false;
};
