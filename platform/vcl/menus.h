// Menus: the item tree (TMenuItem), the menu that holds it (TMenu) and the
// popup menu that shows it as a classic popup window (TPopupMenu).
//
// Vocabulary:
//   item        one entry of a menu; its sub-items make a sub-menu. A caption
//               of "-" makes a separator line.
//   accelerator the character after '&' in a caption; typing it while the
//               menu is open picks the item.
//   shortcut    a key with modifiers (TShortCut, see controls.h) that clicks
//               the item while the menu's control or form has the focus,
//               without opening the menu.
//   tracking    the modal loop that runs while a popup menu is open: it takes
//               every key and mouse message of the thread until an item is
//               chosen or the menu is cancelled.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/component.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/imglist.h"

class TMenu;
class TMenuItemActionLink;

// The caption without its accelerator marks ("&&" stays one '&').
std::string StripHotkey(const std::string& text);
// The accelerator character of a caption, 0 when it has none.
char32_t GetHotkey(const std::string& text);

class TMenuItem : public TComponent {
  DX_COMPONENT_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* AOwner);
  // Frees the sub-items, then leaves the parent item.
  ~TMenuItem() override;

  // ---- the tree
  int32_t Count() const { return int32_t(items_.size()); }
  // Bad index: EMenuError.
  TMenuItem* Items(int32_t index) const;
  TMenuItem* Parent() const { return parent_; }
  // Appends; an item that has a parent already raises EMenuError.
  void Add(TMenuItem* item);
  void Insert(int32_t index, TMenuItem* item);
  // Takes the item out of this one without freeing it.
  void Delete(int32_t index);
  void Remove(TMenuItem* item);
  // Frees every sub-item.
  void Clear();
  int32_t IndexOf(const TMenuItem* item) const;
  // The sub-item whose caption, without accelerator marks, equals caption
  // ignoring case; null when none.
  TMenuItem* Find(const std::string& caption) const;
  int32_t MenuIndex() const;
  void SetMenuIndex(int32_t v);
  // The menu at the top of the tree (null for a loose item).
  TMenu* GetParentMenu() const;
  bool IsLine() const { return caption_ == "-"; }

  // ---- properties
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut v) { shortCut_ = v; }
  bool Checked() const { return checked_; }
  // A checked radio item unchecks the radio items of its group beside it.
  void SetChecked(bool v);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool v);
  uint8_t GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(uint8_t v) { groupIndex_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  // Drawn bold; a popup's default item.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  int32_t ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int32_t v) { imageIndex_ = v; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  // Click toggles Checked first.
  bool AutoCheck() const { return autoCheck_; }
  void SetAutoCheck(bool v) { autoCheck_ = v; }
  int32_t HelpContext() const { return helpContext_; }
  void SetHelpContext(int32_t v) { helpContext_ = v; }
  // The linked action: its caption, state and shortcut follow; a click without OnClick executes it.
  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* v);

  // OnClick, else the action; nothing when disabled.
  virtual void Click();
  TNotifyEvent OnClick;

  // ---- streaming: a sub-item is a child of its item, a top item of its menu
  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* value) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int32_t order) override;
  void Notification(TComponent* AComponent, TOperation operation) override;

private:
  friend class TMenu;
  friend class TMenuItemActionLink;
  void ActionChanged();
  void TurnSiblingsOff();

  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on a menu's root item
  std::string caption_;
  TShortCut shortCut_ = scNone;
  bool checked_ = false;
  bool radioItem_ = false;
  uint8_t groupIndex_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  int32_t imageIndex_ = -1;
  std::string hint_;
  bool autoCheck_ = false;
  int32_t helpContext_ = 0;
  TBasicAction* action_ = nullptr;
  std::unique_ptr<TMenuItemActionLink> actionLink_;
};

DX_EXCEPTION(EMenuError, Exception);

class TMenu : public TComponent {
  DX_COMPONENT_CLASS(TMenu, TComponent)
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The root item; its sub-items are the menu's entries.
  TMenuItem* Items() const { return items_; }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* v);

  // The item with this shortcut, depth first; null when none.
  TMenuItem* FindItemByShortCut(TShortCut shortCut) const;
  // Clicks the enabled item whose shortcut the key message makes; true when one did.
  bool IsShortCut(TWMKey& message);

  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int32_t order) override;
  void Notification(TComponent* AComponent, TOperation operation) override;

private:
  TMenuItem* items_;  // owned as a component
  TCustomImageList* images_ = nullptr;
};

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };

// The tracking of a classic popup menu at a screen point: returns the item
// the user chose, or null when the menu was cancelled. X is the menu's left
// edge (paLeft), right edge (paRight) or centre (paCenter).
TMenuItem* TrackMenuPopup(TMenuItem* root, int32_t X, int32_t Y, TCustomImageList* images,
                          TPopupAlignment alignment);

class TPopupMenu : public TMenu, public IControlPopupMenu {
  DX_COMPONENT_CLASS(TPopupMenu, TMenu)
public:
  explicit TPopupMenu(TComponent* AOwner);

  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment v) { alignment_ = v; }
  bool AutoPopup() const override { return autoPopup_; }
  void SetAutoPopup(bool v) { autoPopup_ = v; }
  // The control the menu was last shown for.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* v);
  // Where the menu was last shown (screen).
  TPoint PopupPoint() const { return popupPoint_; }

  // Fires OnPopup, then shows the menu at a screen point and clicks the item
  // the user chooses once the menu is gone. Other libraries draw their own
  // menus by overriding it (or by answering OnPopup and emptying the items).
  virtual void Popup(int32_t X, int32_t Y);

  // IControlPopupMenu.
  void PopupFor(TControl* control, int32_t X, int32_t Y) override;
  bool IsShortCut(TWMKey& message) override { return TMenu::IsShortCut(message); }

  void Notification(TComponent* AComponent, TOperation operation) override;

  TNotifyEvent OnPopup;
  TNotifyEvent OnClose;

protected:
  virtual void DoPopup(TObject* Sender);
  virtual void DoClose();

private:
  TPopupAlignment alignment_ = paLeft;
  bool autoPopup_ = true;
  TComponent* popupComponent_ = nullptr;
  TPoint popupPoint_;
};

// Items made in code (the owner is the caller's; Add them to a menu).
TMenuItem* NewItem(TComponent* owner, const std::string& caption, TShortCut shortCut, bool checked, bool enabled,
                   TNotifyEvent onClick, const std::string& name = {});
TMenuItem* NewLine(TComponent* owner);

void RegisterMenusClasses();
