// Actions: named commands with a caption, hint, shortcut and state that
// controls and menu items link to (they follow the action's state, and a
// click executes it), grouped in action lists that update them while the
// application idles and claim their shortcuts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/classes/component.h"
#include "platform/vcl/controls.h"

class TCustomActionList;

// The client side of an action: told when the action changes or dies.
class TBasicActionLink {
public:
  virtual ~TBasicActionLink() = default;
  virtual void ActionChanged(TBasicAction* action) = 0;
  virtual void ActionFreed(TBasicAction* action) = 0;
};

class TBasicAction : public TComponent {
  DX_COMPONENT_CLASS(TBasicAction, TComponent)
public:
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;

  // OnExecute (or the list's OnExecute); false when nobody handled it.
  virtual bool Execute();
  // OnUpdate (or the list's OnUpdate); false when nobody handled it.
  virtual bool Update();
  // Whether the action acts on this target when a control offers itself in
  // ExecuteAction; ExecuteTarget then does it. No target by default.
  virtual bool HandlesTarget(TObject* /*Target*/) { return false; }
  virtual void ExecuteTarget(TObject* /*Target*/) {}
  TComponent* ActionComponent() const { return actionComponent_; }
  void SetActionComponent(TComponent* c) { actionComponent_ = c; }

  void RegisterLink(TBasicActionLink* link);
  void UnRegisterLink(TBasicActionLink* link);

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

protected:
  // Tells every client.
  void Change();

private:
  std::vector<TBasicActionLink*> links_;
  TComponent* actionComponent_ = nullptr;
};

class TContainedAction : public TBasicAction {
  DX_COMPONENT_CLASS(TContainedAction, TBasicAction)
public:
  using TBasicAction::TBasicAction;
  ~TContainedAction() override;
  TCustomActionList* ActionList() const { return actionList_; }
  void SetActionList(TCustomActionList* list);
  const std::string& Category() const { return category_; }
  void SetCategory(const std::string& v) { category_ = v; }
  int32_t Index() const;
  bool Execute() override;
  bool Update() override;

  bool HasParent() override { return actionList_ != nullptr; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* value) override;

private:
  friend class TCustomActionList;
  TCustomActionList* actionList_ = nullptr;
  std::string category_;
};

class TCustomAction : public TContainedAction {
  DX_COMPONENT_CLASS(TCustomAction, TContainedAction)
public:
  explicit TCustomAction(TComponent* AOwner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Checked() const { return checked_; }
  // Within a group (GroupIndex > 0) checking one unchecks the others.
  void SetChecked(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut v);
  int32_t ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int32_t v);
  int32_t GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int32_t v) { groupIndex_ = v; }
  bool AutoCheck() const { return autoCheck_; }
  void SetAutoCheck(bool v) { autoCheck_ = v; }
  int32_t HelpContext() const { return helpContext_; }
  void SetHelpContext(int32_t v) { helpContext_ = v; }
  // Disabled actions do nothing; AutoCheck toggles Checked first.
  bool Execute() override;
  // OnHint may change the hint text or refuse it; True shows it.
  virtual bool DoHint(std::string& HintStr);
  std::function<void(std::string& HintStr, bool& CanShow)> OnHint;

private:
  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  TShortCut shortCut_ = scNone;
  int32_t imageIndex_ = -1;
  int32_t groupIndex_ = 0;
  bool autoCheck_ = false;
  int32_t helpContext_ = 0;
};

class TAction : public TCustomAction {
  DX_COMPONENT_CLASS(TAction, TCustomAction)
public:
  using TCustomAction::TCustomAction;
};

// Carries the application's new hint to whichever control of the active (or
// main) form takes it, when the application has no OnHint handler.
class THintAction : public TCustomAction {
  DX_COMPONENT_CLASS(THintAction, TCustomAction)
public:
  using TCustomAction::TCustomAction;
};

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

class TCustomActionList : public TComponent {
  DX_COMPONENT_CLASS(TCustomActionList, TComponent)
public:
  explicit TCustomActionList(TComponent* AOwner);
  ~TCustomActionList() override;

  int32_t ActionCount() const { return int32_t(actions_.size()); }
  TContainedAction* Actions(int32_t index) const;
  void AddAction(TContainedAction* action);
  void RemoveAction(TContainedAction* action);
  int32_t IndexOfAction(const TContainedAction* action) const;
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* v);
  // The first enabled action with this shortcut executes; true when one did.
  bool IsShortCut(TWMKey& message);
  // Runs every action's update.
  void UpdateActions();
  // The list's own handlers, asked before the action's.
  bool ExecuteAction(TBasicAction* action);
  bool UpdateAction(TBasicAction* action);

  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int32_t order) override;
  void Notification(TComponent* AComponent, TOperation operation) override;

  TActionEvent OnExecute;
  TActionEvent OnUpdate;
  TNotifyEvent OnChange;

private:
  std::vector<TContainedAction*> actions_;
  TCustomImageList* images_ = nullptr;
};

class TActionList : public TCustomActionList {
  DX_COMPONENT_CLASS(TActionList, TCustomActionList)
public:
  using TCustomActionList::TCustomActionList;
};

void RegisterActionClasses();
