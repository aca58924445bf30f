// TComponent: a named persistent object that may own other components and
// free them when it dies, and that can ask to be told when another component
// is freed (free notification).
//
// Ownership: an owner deletes the components it owns, last created first. A
// component without owner is freed by whoever made it (std::unique_ptr or
// delete); never hold an owned component in a unique_ptr as well.
//
// C++ destroys the most derived part of an object first. A derived class whose
// owned components use its own members while they die should call
// Destroying() and DestroyComponents() at the start of its destructor.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/persistent.h"

enum TOperation : uint8_t { opInsert, opRemove };

enum TComponentStateFlag : uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance,
};

// A set of TComponentStateFlag.
class TComponentState {
public:
  constexpr TComponentState() = default;
  constexpr TComponentState(std::initializer_list<TComponentStateFlag> flags) {
    for (TComponentStateFlag f : flags) bits_ |= Bit(f);
  }
  constexpr bool Contains(TComponentStateFlag f) const { return (bits_ & Bit(f)) != 0; }
  constexpr void Include(TComponentStateFlag f) { bits_ |= Bit(f); }
  constexpr void Exclude(TComponentStateFlag f) { bits_ &= uint16_t(~Bit(f)); }
  constexpr void Set(TComponentStateFlag f, bool on) { on ? Include(f) : Exclude(f); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint16_t Bits() const { return bits_; }
  constexpr TComponentState operator+(TComponentState o) const { return FromBits(bits_ | o.bits_); }
  constexpr TComponentState operator-(TComponentState o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TComponentState operator*(TComponentState o) const { return FromBits(bits_ & o.bits_); }
  friend constexpr bool operator==(TComponentState, TComponentState) = default;

private:
  static constexpr uint16_t Bit(TComponentStateFlag f) { return uint16_t(1u << f); }
  static constexpr TComponentState FromBits(unsigned b) {
    TComponentState s;
    s.bits_ = uint16_t(b);
    return s;
  }
  uint16_t bits_ = 0;
};

enum TComponentStyleFlag : uint8_t { csInheritable, csCheckPropAvail, csSubComponent, csTransient };

// Like DX_CLASS, and lets the streaming system make the class by name:
// the class info's Create builds `new Self(owner)`.
#define DX_COMPONENT_CLASS(Self, ParentClass)                                      \
  DX_CLASS_WITH_FACTORY(Self, ParentClass, [](TObject* owner) -> TObject* {         \
    return new Self(dynamic_cast<TComponent*>(owner));                              \
  })

class TComponent;
using TGetChildProc = std::function<void(TComponent* child)>;

class TComponent : public TPersistent {
  DX_COMPONENT_CLASS(TComponent, TPersistent)
public:
  // A non-null owner inserts the new component into its list (and hears opInsert).
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  TPersistent* GetOwner() override { return owner_; }
  std::string GetNamePath() override { return name_; }

  // Owned components, in order of insertion. Bad index: EListError.
  TComponent* Components(int32_t index) const;
  int32_t ComponentCount() const { return int32_t(components_.size()); }
  // Position in the owner's list; -1 without owner.
  int32_t ComponentIndex() const;
  // Moves this component within its owner's list; the index is clamped.
  void SetComponentIndex(int32_t value);

  const std::string& Name() const { return name_; }
  // Empty or an identifier, unique among the owner's components ignoring case;
  // else EComponentError.
  virtual void SetName(const std::string& newName);
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t v) { tag_ = v; }
  // Designer position, kept for the streaming system.
  int32_t DesignInfo() const { return designInfo_; }
  void SetDesignInfo(int32_t v) { designInfo_ = v; }

  // An owned component by name, ignoring ASCII case; null when absent or name empty.
  TComponent* FindComponent(std::string_view name) const;
  // Takes ownership of AComponent (taking it away from a previous owner first).
  void InsertComponent(TComponent* AComponent);
  // Gives up ownership; the component lives on without owner. Ignored for a
  // component this one does not own.
  void RemoveComponent(TComponent* AComponent);
  // Deletes every owned component, last first.
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  // Asks that AComponent receive Notification(this, opRemove) when this
  // component dies. The link is two-way: whichever dies first unlinks both.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  // Points field at target and moves the free notification along, so that
  // Notification can clear the field when the target dies.
  template <class T>
  void SetComponentReference(T*& field, T* target) {
    if (field == target) return;
    if (field) field->RemoveFreeNotification(this);
    field = target;
    if (target) target->FreeNotification(this);
  }

  // Received for inserts and removals of owned components and for free
  // notifications; the base drops a dying component's link and forwards the
  // message to every owned component. Overrides must call the base.
  virtual void Notification(TComponent* AComponent, TOperation operation);

  TComponentState ComponentState() const { return state_; }
  void SetComponentState(TComponentState s) { state_ = s; }
  bool InState(TComponentStateFlag f) const { return state_.Contains(f); }
  bool Loading() const { return state_.Contains(csLoading); }
  void SetLoading(bool on) { state_.Set(csLoading, on); }
  bool Reading() const { return state_.Contains(csReading); }
  void SetReading(bool on) { state_.Set(csReading, on); }
  bool Writing() const { return state_.Contains(csWriting); }
  void SetWriting(bool on) { state_.Set(csWriting, on); }
  bool Designing() const { return state_.Contains(csDesigning); }
  void SetDesigning(bool on, bool setChildren = true);
  void SetAncestor(bool on);
  void SetInline(bool on);
  void SetDesignInstance(bool on);
  // csUpdating on (Updating) and off (Updated), around a change the streaming system makes.
  virtual void Updating();
  virtual void Updated();
  // Called once the streaming system has read this component; clears csLoading.
  virtual void Loaded();

  bool HasComponentStyle(TComponentStyleFlag f) const { return (style_ & (1u << f)) != 0; }
  void SetSubComponent(bool on);

  // Streaming hooks. The base ReadState / WriteState hand the work to
  // ComponentReadStateHook / ComponentWriteStateHook, which the streaming
  // system installs; without them they do nothing.
  virtual void ReadState(TReader* reader);
  virtual void WriteState(TWriter* writer);
  // Calls proc for each child that is stored with this component; none at the base.
  virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual void SetChildOrder(TComponent* child, int32_t order);
  virtual bool HasParent() { return false; }
  virtual TComponent* GetParentComponent() { return nullptr; }
  virtual void SetParentComponent(TComponent* value);

  // Raises EComponentError when AComponent, owned by this component, cannot
  // take newName because another owned component has it.
  virtual void ValidateRename(TComponent* AComponent, const std::string& curName, const std::string& newName);
  // Stores the new name without checks; SetName calls it after validating.
  virtual void ChangeName(const std::string& newName);

private:
  void InsertQuietly(TComponent* AComponent);
  void RemoveQuietly(TComponent* AComponent);
  void RemoveNotificationLink(TComponent* AComponent);

  TComponent* owner_ = nullptr;
  std::string name_;
  intptr_t tag_ = 0;
  int32_t designInfo_ = 0;
  TComponentState state_;
  uint8_t style_ = 1u << csInheritable;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

// Installed by the streaming system (see ReadState / WriteState).
inline void (*ComponentReadStateHook)(TComponent* component, TReader* reader) = nullptr;
inline void (*ComponentWriteStateHook)(TComponent* component, TWriter* writer) = nullptr;

// True for [A-Za-z_][A-Za-z0-9_]*.
bool IsValidIdent(std::string_view ident);

using TComponentClass = TClass;
