#include "platform/classes/complist.h"

#include "platform/classes/component.h"

// Items are stored as TObject*, the way TObjectList deletes them.
class TComponentList::TFreeListener : public TComponent {
public:
  explicit TFreeListener(TComponentList* list) : TComponent(nullptr), list_(list) {}
  void Notification(TComponent* AComponent, TOperation operation) override {
    TComponent::Notification(AComponent, operation);
    if (operation == opRemove && AComponent != this) list_->HandleFreeNotify(AComponent);
  }

private:
  TComponentList* list_;
};

TComponentList::TComponentList(bool ownsObjects)
    : TObjectList(ownsObjects), listener_(std::make_unique<TFreeListener>(this)) {}

// The listener dies first, which unlinks it from every component still held;
// owned components are then deleted by TObjectList.
TComponentList::~TComponentList() { listener_.reset(); }

int32_t TComponentList::Add(TComponent* c) { return TObjectList::Add(c); }
void TComponentList::Insert(int32_t index, TComponent* c) { TObjectList::Insert(index, c); }
int32_t TComponentList::Remove(TComponent* c) { return TObjectList::Remove(c); }
TComponent* TComponentList::Extract(TComponent* c) {
  return static_cast<TComponent*>(TObjectList::Extract(c));
}
int32_t TComponentList::IndexOf(TComponent* c) const { return TObjectList::IndexOf(c); }
TComponent* TComponentList::Items(int32_t index) const { return static_cast<TComponent*>(TObjectList::Items(index)); }

void TComponentList::Notify(void* ptr, TListNotification action) {
  if (listener_) {
    auto* c = static_cast<TComponent*>(static_cast<TObject*>(ptr));
    if (action == lnAdded) c->FreeNotification(listener_.get());
    else if (IndexOf(c) < 0) c->RemoveFreeNotification(listener_.get());
  }
  TObjectList::Notify(ptr, action);
}

void TComponentList::HandleFreeNotify(TComponent* c) {
  while (IndexOf(c) >= 0) Extract(c);
}
