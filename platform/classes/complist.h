// TComponentList: a TObjectList of components that forgets a component the
// moment it is freed elsewhere, so the list never holds a dangling pointer.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/classes/lists.h"

class TComponent;

class TComponentList : public TObjectList {
  DX_CLASS(TComponentList, TObjectList)
public:
  explicit TComponentList(bool ownsObjects = true);
  ~TComponentList() override;

  int32_t Add(TComponent* c);
  void Insert(int32_t index, TComponent* c);
  int32_t Remove(TComponent* c);
  TComponent* Extract(TComponent* c);
  int32_t IndexOf(TComponent* c) const;
  TComponent* Items(int32_t index) const;
  TComponent* First() const { return Items(0); }
  TComponent* Last() const { return Items(Count() - 1); }

protected:
  // Asks the added component for a free notification and drops it for one
  // that left; a freed component is extracted (lnExtracted).
  void Notify(void* ptr, TListNotification action) override;

private:
  class TFreeListener;
  void HandleFreeNotify(TComponent* c);
  std::unique_ptr<TFreeListener> listener_;
};
