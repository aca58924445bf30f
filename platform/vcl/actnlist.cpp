// Actions and action lists.
#include "platform/vcl/actnlist.h"

#include <algorithm>
#include <mutex>

#include "platform/classes/typinfo.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"

// ---------------------------------------------------------------- TBasicAction
TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
  // Clients forget the action; copy first, a client may unregister itself.
  std::vector<TBasicActionLink*> links = links_;
  links_.clear();
  for (TBasicActionLink* l : links) l->ActionFreed(this);
}

// A copy runs: the handler may free the action and its OnExecute with it.
bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  const TNotifyEvent handler = OnExecute;
  handler(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterLink(TBasicActionLink* link) {
  if (link && std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TBasicAction::UnRegisterLink(TBasicActionLink* link) {
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TBasicAction::Change() {
  std::vector<TBasicActionLink*> links = links_;
  for (TBasicActionLink* l : links)
    if (std::find(links_.begin(), links_.end(), l) != links_.end()) l->ActionChanged(this);
}

// ---------------------------------------------------------------- TContainedAction
TContainedAction::~TContainedAction() {
  if (actionList_) actionList_->RemoveAction(this);
}

void TContainedAction::SetActionList(TCustomActionList* list) {
  if (actionList_ == list) return;
  if (actionList_) actionList_->RemoveAction(this);
  if (list) list->AddAction(this);
}

int32_t TContainedAction::Index() const { return actionList_ ? actionList_->IndexOfAction(this) : -1; }

TComponent* TContainedAction::GetParentComponent() { return actionList_; }

void TContainedAction::SetParentComponent(TComponent* value) {
  if (auto* list = dynamic_cast<TCustomActionList*>(value)) SetActionList(list);
}

// The list's handlers come first, then OnExecute, then the controls of the
// active or main form; a handled call stops there.
bool TContainedAction::Execute() {
  if (actionList_ && actionList_->ExecuteAction(this)) return true;
  if (TBasicAction::Execute()) return true;
  return Application && Application->DispatchAction(this);
}

bool TContainedAction::Update() {
  if (actionList_ && actionList_->UpdateAction(this)) return true;
  return TBasicAction::Update();
}

// ---------------------------------------------------------------- TCustomAction
TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

void TCustomAction::SetCaption(const std::string& v) {
  if (caption_ == v) return;
  caption_ = v;
  Change();
}
void TCustomAction::SetHint(const std::string& v) {
  if (hint_ == v) return;
  hint_ = v;
  Change();
}
void TCustomAction::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  Change();
}
void TCustomAction::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  Change();
}
void TCustomAction::SetShortCut(TShortCut v) {
  if (shortCut_ == v) return;
  shortCut_ = v;
  Change();
}
void TCustomAction::SetImageIndex(int32_t v) {
  if (imageIndex_ == v) return;
  imageIndex_ = v;
  Change();
}

void TCustomAction::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  if (v && groupIndex_ > 0 && ActionList()) {
    for (int32_t i = 0; i < ActionList()->ActionCount(); ++i) {
      auto* other = dynamic_cast<TCustomAction*>(ActionList()->Actions(i));
      if (other && other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
    }
  }
  Change();
}

bool TCustomAction::DoHint(std::string& HintStr) {
  bool canShow = true;
  if (OnHint) OnHint(HintStr, canShow);
  return canShow;
}

bool TCustomAction::Execute() {
  if (!enabled_) return false;
  if (autoCheck_ && !(checked_ && groupIndex_ > 0)) SetChecked(!checked_);
  return TContainedAction::Execute();
}

// ---------------------------------------------------------------- TCustomActionList
TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomActionList::~TCustomActionList() {
  std::vector<TContainedAction*> actions = actions_;
  for (TContainedAction* a : actions) RemoveAction(a);
  SetImages(nullptr);
}

TContainedAction* TCustomActionList::Actions(int32_t index) const {
  if (index < 0 || index >= ActionCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return actions_[size_t(index)];
}

void TCustomActionList::AddAction(TContainedAction* action) {
  if (!action || action->ActionList() == this) return;
  if (action->ActionList()) action->ActionList()->RemoveAction(action);
  actions_.push_back(action);
  action->actionList_ = this;
  action->FreeNotification(this);
  if (OnChange) OnChange(this);
}

void TCustomActionList::RemoveAction(TContainedAction* action) {
  auto it = std::find(actions_.begin(), actions_.end(), action);
  if (it == actions_.end()) return;
  actions_.erase(it);
  action->actionList_ = nullptr;
  action->RemoveFreeNotification(this);
  if (OnChange && !InState(csDestroying)) OnChange(this);
}

int32_t TCustomActionList::IndexOfAction(const TContainedAction* action) const {
  auto it = std::find(actions_.begin(), actions_.end(), action);
  return it == actions_.end() ? -1 : int32_t(it - actions_.begin());
}

void TCustomActionList::SetImages(TCustomImageList* v) {
  SetComponentReference(images_, v);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation operation) {
  TComponent::Notification(AComponent, operation);
  if (operation != opRemove) return;
  if (AComponent == images_) images_ = nullptr;
  if (auto* a = dynamic_cast<TContainedAction*>(AComponent)) RemoveAction(a);
}

bool TCustomActionList::ExecuteAction(TBasicAction* action) {
  bool handled = false;
  if (OnExecute) OnExecute(action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* action) {
  bool handled = false;
  if (OnUpdate) OnUpdate(action, handled);
  return handled;
}

// An action's state is brought up to date before its shortcut is honoured.
bool TCustomActionList::IsShortCut(TWMKey& message) {
  const TShortCut sc = ShortCut(message.CharCode, KeyDataToShiftState(message.KeyData));
  if (sc == scNone) return false;
  std::vector<TContainedAction*> actions = actions_;
  for (TContainedAction* a : actions) {
    auto* ca = dynamic_cast<TCustomAction*>(a);
    if (!ca || ca->ShortCut() != sc) continue;
    auto alive = std::find(actions_.begin(), actions_.end(), a) != actions_.end();
    if (!alive) continue;
    ca->Update();
    if (ca->Enabled() && ca->Visible()) {
      ca->Execute();
      return true;
    }
  }
  return false;
}

void TCustomActionList::UpdateActions() {
  std::vector<TContainedAction*> actions = actions_;
  for (TContainedAction* a : actions)
    if (std::find(actions_.begin(), actions_.end(), a) != actions_.end()) a->Update();
}

void TCustomActionList::GetChildren(const TGetChildProc& proc, TComponent* root) {
  for (TContainedAction* a : actions_)
    if (a->Owner() == root) proc(a);
}

void TCustomActionList::SetChildOrder(TComponent* child, int32_t order) {
  auto* a = dynamic_cast<TContainedAction*>(child);
  auto it = std::find(actions_.begin(), actions_.end(), a);
  if (it == actions_.end()) return;
  actions_.erase(it);
  order = std::clamp(order, 0, int32_t(actions_.size()));
  actions_.insert(actions_.begin() + order, a);
}

void RegisterActionClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    PTypeInfo shortCut = DefineIntegerType("TShortCut", otUWord);
    Published<TBasicAction>()
        .Event("OnExecute", &TBasicAction::OnExecute)
        .Event("OnUpdate", &TBasicAction::OnUpdate);
    Published<TContainedAction>().Str("Category", &TContainedAction::Category, &TContainedAction::SetCategory);
    Published<TCustomAction>()
        .Bool("AutoCheck", &TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck, false)
        .Str("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption)
        .Bool("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked, false)
        .Bool("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled, true)
        .Int("GroupIndex", &TCustomAction::GroupIndex, &TCustomAction::SetGroupIndex, 0)
        .Int("HelpContext", &TCustomAction::HelpContext, &TCustomAction::SetHelpContext, 0)
        .Str("Hint", &TCustomAction::Hint, &TCustomAction::SetHint)
        .Int("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex, -1)
        .Int("ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut, 0)
        .Type(shortCut)
        .Bool("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible, true);
    Published<TCustomActionList>()
        .Obj("Images", &TCustomActionList::Images, &TCustomActionList::SetImages)
        .Event("OnExecute", &TCustomActionList::OnExecute, "TActionEvent")
        .Event("OnUpdate", &TCustomActionList::OnUpdate, "TActionEvent")
        .Event("OnChange", &TCustomActionList::OnChange);
    RegisterClass(TAction::StaticClass());
    RegisterClass(TActionList::StaticClass());
  });
}
