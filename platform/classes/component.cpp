#include "platform/classes/component.h"

#include <algorithm>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/sysutils.h"

namespace {

void EraseFirst(std::vector<TComponent*>& v, TComponent* c) {
  auto it = std::find(v.begin(), v.end(), c);
  if (it != v.end()) v.erase(it);
}

}  // namespace

bool IsValidIdent(std::string_view ident) {
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (ident.empty() || !alpha(ident[0])) return false;
  return std::all_of(ident.begin() + 1, ident.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Unlink both ways before telling the partner, so that a partner whose
  // Notification does not reach the base cannot keep a dangling pointer.
  // Partners sharing our owner hear about us from the owner below.
  while (!freeNotifies_.empty()) {
    TComponent* partner = freeNotifies_.back();
    freeNotifies_.pop_back();
    partner->RemoveNotificationLink(this);
    if (!owner_ || partner->owner_ != owner_) partner->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int32_t index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return components_[size_t(index)];
}

int32_t TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int32_t(it - list.begin());
}

void TComponent::SetComponentIndex(int32_t value) {
  const int32_t current = ComponentIndex();
  if (current < 0) return;
  auto& list = owner_->components_;
  value = std::clamp(value, 0, int32_t(list.size()) - 1);
  if (value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + value, this);
}

void TComponent::SetName(const std::string& newName) {
  if (name_ == newName) return;
  if (!newName.empty() && !IsValidIdent(newName))
    throw EComponentError("'" + newName + "' is not a valid component name");
  if (owner_) owner_->ValidateRename(this, name_, newName);
  else ValidateRename(nullptr, name_, newName);
  ChangeName(newName);
}

void TComponent::ChangeName(const std::string& newName) { name_ = newName; }

void TComponent::ValidateRename(TComponent* AComponent, const std::string& curName, const std::string& newName) {
  if (AComponent && !SameText(curName, newName) && AComponent->owner_ == this) {
    TComponent* other = FindComponent(newName);
    if (other && other != AComponent)
      throw EComponentError("A component named " + newName + " already exists");
  }
  if (Designing() && owner_) owner_->ValidateRename(AComponent, curName, newName);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertQuietly(TComponent* AComponent) {
  components_.push_back(AComponent);
  AComponent->owner_ = this;
}

void TComponent::RemoveQuietly(TComponent* AComponent) {
  EraseFirst(components_, AComponent);
  AComponent->owner_ = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->owner_ == this) return;
  if (FindComponent(AComponent->name_))
    throw EComponentError("A component named " + AComponent->name_ + " already exists");
  ValidateRename(AComponent, "", AComponent->name_);
  // Belonging to two owners would mean two deletes.
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  InsertQuietly(AComponent);
  if (Designing()) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->owner_ != this) return;
  ValidateRename(AComponent, AComponent->name_, "");
  Notification(AComponent, opRemove);
  RemoveQuietly(AComponent);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* instance = components_.back();
    // Only a component others watch needs the owner's broadcast on the way out.
    if (instance->InState(csFreeNotification) || (Designing() && InState(csInline)))
      RemoveComponent(instance);
    else
      RemoveQuietly(instance);
    delete instance;
  }
}

void TComponent::Destroying() {
  if (InState(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
    freeNotifies_.push_back(AComponent);
    AComponent->FreeNotification(this);
  }
  state_.Include(csFreeNotification);
}

void TComponent::RemoveNotificationLink(TComponent* AComponent) { EraseFirst(freeNotifies_, AComponent); }

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  RemoveNotificationLink(AComponent);
  AComponent->RemoveNotificationLink(this);
}

void TComponent::Notification(TComponent* AComponent, TOperation operation) {
  if (operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // Receivers may remove components from our list while we walk it.
  for (size_t i = components_.size(); i > 0;) {
    --i;
    components_[i]->Notification(AComponent, operation);
    if (i > components_.size()) i = components_.size();
  }
}

void TComponent::SetDesigning(bool on, bool setChildren) {
  state_.Set(csDesigning, on);
  if (setChildren)
    for (TComponent* c : components_) c->SetDesigning(on, true);
}

void TComponent::SetAncestor(bool on) {
  state_.Set(csAncestor, on);
  for (TComponent* c : components_) c->SetAncestor(on);
}

void TComponent::SetInline(bool on) { state_.Set(csInline, on); }

void TComponent::SetDesignInstance(bool on) { state_.Set(csDesignInstance, on); }

void TComponent::Updating() { state_.Include(csUpdating); }

void TComponent::Updated() { state_.Exclude(csUpdating); }

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::SetSubComponent(bool on) {
  if (on) style_ = uint8_t(style_ | (1u << csSubComponent));
  else style_ = uint8_t(style_ & ~(1u << csSubComponent));
}

void TComponent::ReadState(TReader* reader) {
  if (ComponentReadStateHook) ComponentReadStateHook(this, reader);
}

void TComponent::WriteState(TWriter* writer) {
  if (ComponentWriteStateHook) ComponentWriteStateHook(this, writer);
}

void TComponent::GetChildren(const TGetChildProc&, TComponent*) {}

void TComponent::SetChildOrder(TComponent*, int32_t) {}

void TComponent::SetParentComponent(TComponent*) {}
