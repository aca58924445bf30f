// The menu model: items, menus, shortcuts and the popup menu component.
#include "platform/vcl/menus.h"

#include <algorithm>
#include <mutex>

#include "platform/classes/typinfo.h"

#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/vcl/actnlist.h"

std::string StripHotkey(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      // "&&" stands for one '&'; a lone '&' marks the accelerator and goes.
      if (i + 1 < text.size() && text[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += text[i];
  }
  return out;
}

char32_t GetHotkey(const std::string& text) {
  const std::u32string s = Utf8ToUtf32(text);
  char32_t hot = 0;
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (s[i] != U'&') continue;
    if (s[i + 1] == U'&') {
      ++i;
      continue;
    }
    hot = s[i + 1];
  }
  return hot;
}

// ---------------------------------------------------------------- action link
class TMenuItemActionLink : public TBasicActionLink {
public:
  explicit TMenuItemActionLink(TMenuItem* item) : item_(item) {}
  void ActionChanged(TBasicAction*) override { item_->ActionChanged(); }
  void ActionFreed(TBasicAction*) override {}

private:
  TMenuItem* item_;
};

// ---------------------------------------------------------------- TMenuItem
TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  SetAction(nullptr);
  // Sub-items die with their item (each leaves this list as it goes).
  while (!items_.empty()) {
    TMenuItem* last = items_.back();
    items_.pop_back();
    last->parent_ = nullptr;
    delete last;
  }
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int32_t index) const {
  if (index < 0 || index >= Count()) throw EMenuError("Menu index out of range");
  return items_[size_t(index)];
}

void TMenuItem::Insert(int32_t index, TMenuItem* item) {
  if (!item) return;
  if (item->parent_) throw EMenuError("Menu inserted twice");
  for (TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw EMenuError("Sub-menu is not in menu");
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (item->checked_ && item->radioItem_) item->TurnSiblingsOff();
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Delete(int32_t index) {
  if (index < 0 || index >= Count()) throw EMenuError("Menu index out of range");
  TMenuItem* item = items_[size_t(index)];
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
}

void TMenuItem::Remove(TMenuItem* item) {
  const int32_t i = IndexOf(item);
  if (i < 0) throw EMenuError("Sub-menu is not in menu");
  Delete(i);
}

void TMenuItem::Clear() {
  while (!items_.empty()) {
    TMenuItem* last = items_.back();
    items_.pop_back();
    last->parent_ = nullptr;
    delete last;
  }
}

int32_t TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : int32_t(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  const std::string want = StripHotkey(caption);
  for (TMenuItem* i : items_)
    if (AnsiSameText(StripHotkey(i->caption_), want)) return i;
  return nullptr;
}

int32_t TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int32_t v) {
  if (!parent_) return;
  TMenuItem* p = parent_;
  const int32_t cur = p->IndexOf(this);
  v = std::clamp(v, 0, p->Count() - 1);
  if (v == cur) return;
  p->items_.erase(p->items_.begin() + cur);
  p->items_.insert(p->items_.begin() + v, this);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->menu_;
}

void TMenuItem::SetCaption(const std::string& v) { caption_ = v; }

void TMenuItem::TurnSiblingsOff() {
  if (!parent_) return;
  for (TMenuItem* s : parent_->items_)
    if (s != this && s->radioItem_ && s->groupIndex_ == groupIndex_) s->checked_ = false;
}

void TMenuItem::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  if (v && radioItem_) TurnSiblingsOff();
}

void TMenuItem::SetRadioItem(bool v) {
  if (radioItem_ == v) return;
  radioItem_ = v;
  if (checked_ && v) TurnSiblingsOff();
}

void TMenuItem::SetDefault(bool v) {
  if (default_ == v) return;
  // One default item per sub-menu.
  if (v && parent_)
    for (TMenuItem* s : parent_->items_) s->default_ = false;
  default_ = v;
}

void TMenuItem::SetAction(TBasicAction* v) {
  if (action_ == v) return;
  if (action_) {
    action_->UnRegisterLink(actionLink_.get());
    action_->RemoveFreeNotification(this);
  }
  action_ = v;
  if (v) {
    if (!actionLink_) actionLink_ = std::make_unique<TMenuItemActionLink>(this);
    v->FreeNotification(this);
    v->RegisterLink(actionLink_.get());
    ActionChanged();
  }
}

void TMenuItem::ActionChanged() {
  auto* a = dynamic_cast<TCustomAction*>(action_);
  if (!a) return;
  caption_ = a->Caption();
  checked_ = a->Checked();
  enabled_ = a->Enabled();
  visible_ = a->Visible();
  shortCut_ = a->ShortCut();
  imageIndex_ = a->ImageIndex();
  hint_ = a->Hint();
  autoCheck_ = a->AutoCheck();
  if (checked_ && radioItem_) TurnSiblingsOff();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation operation) {
  TComponent::Notification(AComponent, operation);
  if (operation == opRemove && AComponent == action_) {
    action_ = nullptr;
  }
}

void TMenuItem::Click() {
  if (!enabled_) return;
  // An action checks itself; an item without one does it here.
  if (autoCheck_ && !action_) SetChecked(!checked_);
  if (OnClick) OnClick(this);
  else if (action_ && !Designing()) action_->Execute();
}

TComponent* TMenuItem::GetParentComponent() {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(TComponent* value) {
  if (parent_) parent_->Remove(this);
  if (!value) return;
  if (auto* m = dynamic_cast<TMenu*>(value)) m->Items()->Add(this);
  else if (auto* i = dynamic_cast<TMenuItem*>(value)) i->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& proc, TComponent* root) {
  for (TMenuItem* i : items_)
    if (i->Owner() == root) proc(i);
}

void TMenuItem::SetChildOrder(TComponent* child, int32_t order) {
  if (auto* i = dynamic_cast<TMenuItem*>(child); i && i->parent_ == this) i->SetMenuIndex(order);
}

// ---------------------------------------------------------------- TMenu
TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {
  items_ = new TMenuItem(this);
  items_->menu_ = this;
}

TMenu::~TMenu() {
  // The root item (and with it every item) goes before the menu's other state.
  Destroying();
  DestroyComponents();
}

void TMenu::SetImages(TCustomImageList* v) {
  SetComponentReference(images_, v);
}

void TMenu::Notification(TComponent* AComponent, TOperation operation) {
  TComponent::Notification(AComponent, operation);
  if (operation == opRemove && AComponent == images_) images_ = nullptr;
}

void TMenu::GetChildren(const TGetChildProc& proc, TComponent* root) { items_->GetChildren(proc, root); }

void TMenu::SetChildOrder(TComponent* child, int32_t order) { items_->SetChildOrder(child, order); }

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortCut) const {
  if (shortCut == scNone) return nullptr;
  std::function<TMenuItem*(TMenuItem*)> find = [&](TMenuItem* parent) -> TMenuItem* {
    for (int32_t i = 0; i < parent->Count(); ++i) {
      TMenuItem* item = parent->Items(i);
      if (item->ShortCut() == shortCut) return item;
      if (TMenuItem* sub = find(item)) return sub;
    }
    return nullptr;
  };
  return find(items_);
}

bool TMenu::IsShortCut(TWMKey& message) {
  const TShortCut sc = ::ShortCut(message.CharCode, KeyDataToShiftState(message.KeyData));
  TMenuItem* item = FindItemByShortCut(sc);
  if (!item) return false;
  // The item and its sub-menus must all be enabled.
  for (TMenuItem* p = item; p && p != items_; p = p->Parent())
    if (!p->Enabled()) return false;
  item->Click();
  return true;
}

// ---------------------------------------------------------------- TPopupMenu
TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::SetPopupComponent(TComponent* v) {
  SetComponentReference(popupComponent_, v);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation operation) {
  TMenu::Notification(AComponent, operation);
  if (operation == opRemove && AComponent == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::DoClose() {
  if (OnClose) OnClose(this);
}

void TPopupMenu::Popup(int32_t X, int32_t Y) {
  popupPoint_ = {X, Y};
  DoPopup(this);
  if (Items()->Count() == 0) return;
  TMenuItem* chosen = TrackMenuPopup(Items(), X, Y, Images(), alignment_);
  DoClose();
  // The menu is gone before the item runs, so a handler may open another one.
  if (chosen) chosen->Click();
}

void TPopupMenu::PopupFor(TControl* control, int32_t X, int32_t Y) {
  SetPopupComponent(control);
  Popup(X, Y);
}

// ---------------------------------------------------------------- helpers
TMenuItem* NewItem(TComponent* owner, const std::string& caption, TShortCut shortCut, bool checked, bool enabled,
                   TNotifyEvent onClick, const std::string& name) {
  auto* item = new TMenuItem(owner);
  try {
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->SetChecked(checked);
    item->SetEnabled(enabled);
    item->OnClick = std::move(onClick);
    if (!name.empty()) item->SetName(name);
  } catch (...) {
    delete item;
    throw;
  }
  return item;
}

TMenuItem* NewLine(TComponent* owner) {
  auto* item = new TMenuItem(owner);
  item->SetCaption("-");
  return item;
}

// ---------------------------------------------------------------- registration
void RegisterMenusClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterControlsClasses();
    PTypeInfo shortCut = DefineIntegerType("TShortCut", otUWord);
    DefineEnumType<TPopupAlignment>("TPopupAlignment", {"paLeft", "paRight", "paCenter"});
    Published<TMenuItem>()
        .Obj("Action", &TMenuItem::Action, &TMenuItem::SetAction)
        .Bool("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck, false)
        .Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
        .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false)
        .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
        .Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0)
        .Int("HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext, 0)
        .Str("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
        .Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1)
        .Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false)
        .Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0)
        .Type(shortCut)
        .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
        .Event("OnClick", &TMenuItem::OnClick);
    Published<TMenu>().Obj("Images", &TMenu::Images, &TMenu::SetImages);
    Published<TPopupMenu>()
        .Enum("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment, paLeft)
        .Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
        .Event("OnPopup", &TPopupMenu::OnPopup)
        .Event("OnClose", &TPopupMenu::OnClose);
    for (TClass c : {TMenuItem::StaticClass(), TMenu::StaticClass(), TPopupMenu::StaticClass()}) RegisterClass(c);
  });
}
