#include "ui/lookandfeel/cxLookAndFeels.h"

#include <algorithm>
#include <mutex>

#include "platform/classes/filer.h"
#include "platform/classes/typinfo.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "ui/lookandfeel/cxControls.h"
#include "ui/lookandfeel/dxCore.h"
#include "ui/lookandfeel/dxOffice11.h"

namespace {

TcxLookAndFeel* root = nullptr;
int32_t controllerCount = 0;
bool skinsEnabled = true;
TcxSystemPaletteChangedListener* paletteListener = nullptr;
int32_t paletteListenerRefCount = 0;
// The painters unit's primary notifier: it lives here with its class.
TcxSystemPaletteChangedNotifier* paintersNotifier = nullptr;

bool IsController(IcxLookAndFeelChangeListener* listener) {
  return dynamic_cast<TcxLookAndFeelController*>(listener->GetListenerObject()) != nullptr;
}

// Last to first. A notifier freed or made by an earlier one's handler is
// skipped rather than reached through a stale entry.
void NotifyBackwards(const std::vector<TcxSystemPaletteChangedNotifier*>& list) {
  const std::vector<TcxSystemPaletteChangedNotifier*> snapshot = list;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
    if (std::find(list.begin(), list.end(), *it) != list.end()) (*it)->NotifyChange();
}

void RegisterLookAndFeelsProperties() {
  static std::once_flag once;
  std::call_once(once, [] {
    DefineEnumType<TcxLookAndFeelKind>("TcxLookAndFeelKind", {"lfFlat", "lfStandard", "lfUltraFlat", "lfOffice11"});
    PTypeInfo value = DefineEnumType<TcxLookAndFeelValue>("TcxLookAndFeelValue",
                                                          {"lfvKind", "lfvNativeStyle", "lfvSkinName"});
    PTypeInfo values = DefineSetType("TcxLookAndFeelValues", value);
    auto assigned = [](TcxLookAndFeelValue v) {
      return [v](TcxLookAndFeel& l) { return l.AssignedValues().Contains(v); };
    };
    Published<TcxLookAndFeel>()
        .Set("AssignedValues", &TcxLookAndFeel::AssignedValues, &TcxLookAndFeel::SetAssignedValues, values)
        .Stored(false)
        .Enum("Kind", &TcxLookAndFeel::Kind, &TcxLookAndFeel::SetKind)
        .Stored(assigned(lfvKind))
        .Bool("NativeStyle", &TcxLookAndFeel::NativeStyle, &TcxLookAndFeel::SetNativeStyle)
        .Stored(assigned(lfvNativeStyle))
        .Str("SkinName", &TcxLookAndFeel::SkinName, &TcxLookAndFeel::SetSkinName)
        .Stored(assigned(lfvSkinName));
    Published<TcxLookAndFeelController>()
        .Enum("Kind", &TcxLookAndFeelController::Kind, &TcxLookAndFeelController::SetKind, lfUltraFlat)
        .Bool("NativeStyle", &TcxLookAndFeelController::NativeStyle, &TcxLookAndFeelController::SetNativeStyle,
              false)
        .Str("SkinName", &TcxLookAndFeelController::SkinName, &TcxLookAndFeelController::SetSkinName);
  });
}

}  // namespace

// ---------------------------------------------------------------- system colour changes

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool IsPrimary) : isPrimary_(IsPrimary) {
  AcquirePaletteListener()->AddNotifier(this);
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier() {
  if (paletteListener) paletteListener->RemoveNotifier(this);
  ReleasePaletteListener();
}

void TcxSystemPaletteChangedNotifier::NotifyChange() {
  if (OnSystemPaletteChanged) OnSystemPaletteChanged();
}

TcxSystemPaletteChangedListener::TcxSystemPaletteChangedListener() {
  AcquireOffice11Colors();
  wnd_ = AllocateHWnd([this](TMessage& m) {
    // The result is taken first, so it stands even when a notifier raises.
    m.Result = win::DefWindowProc(wnd_, m.Msg, m.WParam, m.LParam);
    if (m.Msg == win::WM_SYSCOLORCHANGE) NotifyAll();
  });
}

TcxSystemPaletteChangedListener::~TcxSystemPaletteChangedListener() {
  DeallocateHWnd(wnd_);
  FreeOffice11Colors();
}

void TcxSystemPaletteChangedListener::AddNotifier(TcxSystemPaletteChangedNotifier* notifier) {
  (notifier->IsPrimary() ? primaryNotifiers_ : notifiers_).push_back(notifier);
}

void TcxSystemPaletteChangedListener::RemoveNotifier(TcxSystemPaletteChangedNotifier* notifier) {
  std::erase(primaryNotifiers_, notifier);
  std::erase(notifiers_, notifier);
}

void TcxSystemPaletteChangedListener::NotifyAll() {
  // A handler may free the last notifier; the extra use keeps this object
  // alive until the walk is over.
  AcquirePaletteListener();
  struct Release {
    ~Release() { ReleasePaletteListener(); }
  } release;
  RefreshOffice11Colors();
  NotifyBackwards(primaryNotifiers_);
  NotifyBackwards(notifiers_);
}

TcxSystemPaletteChangedListener* AcquirePaletteListener() {
  if (paletteListenerRefCount++ == 0) paletteListener = new TcxSystemPaletteChangedListener;
  return paletteListener;
}

void ReleasePaletteListener() {
  if (paletteListenerRefCount == 0) return;
  if (--paletteListenerRefCount == 0) {
    TcxSystemPaletteChangedListener* listener = paletteListener;
    paletteListener = nullptr;
    delete listener;
  }
}

TcxSystemPaletteChangedListener* PaletteListener() { return paletteListener; }

// ---------------------------------------------------------------- TcxLookAndFeel

TcxLookAndFeel::TcxLookAndFeel(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {
  currentState_ = data_;
  notifier_ = std::make_unique<TcxSystemPaletteChangedNotifier>(false);
  notifier_->OnSystemPaletteChanged = [this] { SystemPaletteChanged(); };
  if (root) {
    root->AddChangeListener(this);
    UpdateCurrentState();
  }
  currentState_.Painter = GetPainterClass();
}

TcxLookAndFeel::~TcxLookAndFeel() {
  *alive_ = false;
  if (TcxExtendedStylePainters* registry = ExtendedStylePainters()) registry->DetachListener(this);
  notifier_.reset();
  destroying_ = true;
  // The list stays as it is while destroying: a child moving to the root
  // cannot shift the walk.
  for (size_t i = 0; i < changeListeners_.size(); ++i) changeListeners_[i]->MasterDestroying(this);
  destroying_ = false;
  changeListeners_.clear();
  if (TcxLookAndFeel* parent = InheritFrom()) parent->RemoveChangeListener(this);
  if (isRoot_ && root == this) root = nullptr;
}

void TcxLookAndFeel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxLookAndFeel*>(Source);
  if (!source) {
    TcxInterfacedPersistent::Assign(Source);
    return;
  }
  TcxLookAndFeel* parent = source->InheritFrom();
  const bool move = AcceptsParent(parent);  // may raise before anything changed
  data_.Kind = source->data_.Kind;
  data_.NativeStyle = source->data_.NativeStyle;
  data_.SkinName = source->data_.SkinName;
  assignedValues_ = source->assignedValues_;
  if (move) MoveTo(parent);
  CheckChanges();
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues Value) {
  if (Value == assignedValues_) return;
  assignedValues_ = Value;
  CheckChanges();
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind Value) {
  const TcxLookAndFeelKind old = Kind();
  assignedValues_.Include(lfvKind);
  data_.Kind = Value;
  if (CalcKind() != old) Changed({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool Value) {
  const bool old = NativeStyle();
  assignedValues_.Include(lfvNativeStyle);
  data_.NativeStyle = Value;
  if (CalcNativeStyle() != old) Changed({lfvNativeStyle});
}

void TcxLookAndFeel::SetSkinName(const TdxSkinName& Value) {
  const TdxSkinName old = SkinName();
  assignedValues_.Include(lfvSkinName);
  data_.SkinName = Value;
  if (CalcSkinName() != old) Changed({lfvSkinName});
}

bool TcxLookAndFeel::AcceptsParent(TcxLookAndFeel*& Value) const {
  // The root is kept as null, so nothing holds it when it goes.
  if (Value && Value == root) Value = nullptr;
  if (isRoot_ || Value == this || Value == parentLookAndFeel_) return false;
  for (const TcxLookAndFeel* p = Value; p; p = p->parentLookAndFeel_)
    if (p == this) throw EdxException("A look-and-feel cannot inherit from itself through its parents");
  return true;
}

void TcxLookAndFeel::MoveTo(TcxLookAndFeel* Value) {
  if (TcxLookAndFeel* old = InheritFrom()) old->RemoveChangeListener(this);
  parentLookAndFeel_ = Value;
  if (TcxLookAndFeel* now = InheritFrom()) now->AddChangeListener(this);
}

void TcxLookAndFeel::SetParentLookAndFeel(TcxLookAndFeel* Value) {
  if (!AcceptsParent(Value)) return;
  MoveTo(Value);
  CheckChanges();
}

TcxLookAndFeel* TcxLookAndFeel::InheritFrom() const {
  if (isRoot_) return nullptr;
  return parentLookAndFeel_ ? parentLookAndFeel_ : root;
}

TcxLookAndFeelPainterClass TcxLookAndFeel::GetPainterClass(TdxThemedObjectTypes) const {
  // The native painter would answer first when NativeStyle is set and visual
  // styles are available; this platform has none, so the Kind's painter draws.
  if (skinPainter_) return skinPainter_;
  switch (Kind()) {
    case lfFlat: return TcxFlatLookAndFeelPainter::Class();
    case lfStandard: return TcxStandardLookAndFeelPainter::Class();
    case lfOffice11: return TcxOffice11LookAndFeelPainter::Class();
    case lfUltraFlat:
    default: return TcxUltraFlatLookAndFeelPainter::Class();
  }
}

TcxLookAndFeelPainterClass TcxLookAndFeel::GetPainterClassForType(TdxThemedObjectType ObjectType) const {
  return GetPainterClass(ThemedTypes({ObjectType}));
}

void TcxLookAndFeel::SetStyle(uint8_t StyleId) {
  SetNativeStyle(StyleId == cxStyleNative);
  if (NativeStyle()) return;
  switch (StyleId) {
    case cxStyleFlat: SetKind(lfFlat); break;
    case cxStyleStandard: SetKind(lfStandard); break;
    case cxStyleUltraFlat: SetKind(lfUltraFlat); break;
    case cxStyleOffice11: SetKind(lfOffice11); break;
    default: break;  // no such style: the Kind stays
  }
}

void TcxLookAndFeel::Reset() { SetAssignedValues({}); }

void TcxLookAndFeel::AddChangeListener(TObject* Listener) {
  auto* listener = dynamic_cast<IcxLookAndFeelChangeListener*>(Listener);
  if (!listener) return;
  const bool controller = IsController(listener);
  if (controller && !isRoot_) return;
  if (std::find(changeListeners_.begin(), changeListeners_.end(), listener) != changeListeners_.end()) return;
  changeListeners_.push_back(listener);
  if (controller) ++controllerCount;
}

void TcxLookAndFeel::RemoveChangeListener(TObject* Listener) {
  auto* listener = dynamic_cast<IcxLookAndFeelChangeListener*>(Listener);
  if (!listener) return;
  auto it = std::find(changeListeners_.begin(), changeListeners_.end(), listener);
  if (it == changeListeners_.end()) return;
  if (!destroying_) changeListeners_.erase(it);
  if (isRoot_ && IsController(listener) && controllerCount > 0 && --controllerCount == 0) Reset();
}

void TcxLookAndFeel::MasterChanged(TcxLookAndFeel*, TcxLookAndFeelValues ChangedValues) {
  Changed(ChangedValues - assignedValues_);
}

void TcxLookAndFeel::MasterDestroying(TcxLookAndFeel* Sender) {
  // Only the parent's going matters; the root is never held.
  if (Sender == parentLookAndFeel_) SetParentLookAndFeel(nullptr);
}

void TcxLookAndFeel::SkinPaintersChanged() { Changed(cxLookAndFeelAllValues); }

void TcxLookAndFeel::DefineProperties(TFiler* Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  Filer->DefineProperty(
      "SkinName", [this](TReader& reader) { SetSkinName(reader.ReadString()); },
      [this](TWriter& writer) { writer.WriteString(SkinName()); },
      assignedValues_.Contains(lfvSkinName) && SkinName().empty());
}

void TcxLookAndFeel::UpdateCurrentState() {
  currentState_.Kind = CalcKind();
  currentState_.NativeStyle = CalcNativeStyle();
  currentState_.SkinName = CalcSkinName();
  currentState_.SkinsEnabled = skinsEnabled;
  skinPainter_ = currentState_.NativeStyle ? nullptr : CalcSkinPainter();
}

TcxLookAndFeelKind TcxLookAndFeel::CalcKind() const {
  if (assignedValues_.Contains(lfvKind)) return data_.Kind;
  const TcxLookAndFeel* parent = InheritFrom();
  return parent ? parent->Kind() : cxDefaultLookAndFeelKind;
}

bool TcxLookAndFeel::CalcNativeStyle() const {
  if (assignedValues_.Contains(lfvNativeStyle)) return data_.NativeStyle;
  const TcxLookAndFeel* parent = InheritFrom();
  return parent ? parent->NativeStyle() : cxDefaultLookAndFeelNativeStyle;
}

TdxSkinName TcxLookAndFeel::CalcSkinName() const {
  if (assignedValues_.Contains(lfvSkinName)) return data_.SkinName;
  const TcxLookAndFeel* parent = InheritFrom();
  return parent ? parent->SkinName() : TdxSkinName();
}

TcxLookAndFeelPainterClass TcxLookAndFeel::CalcSkinPainter() const {
  TcxLookAndFeelPainterClass painter = nullptr;
  if (assignedValues_.Contains(lfvSkinName))
    FindSkinPainter(data_.SkinName, painter);
  else if (const TcxLookAndFeel* parent = InheritFrom())
    parent->FindSkinPainter(parent->SkinName(), painter);
  return painter;
}

bool TcxLookAndFeel::FindSkinPainter(const TdxSkinName& Name, TcxLookAndFeelPainterClass& Painter) const {
  const TcxExtendedStylePainters* registry = ExtendedStylePainters();
  const bool found = !Name.empty() && registry && registry->PainterByName(Name, Painter);
  if (!found || !skinsEnabled) Painter = nullptr;
  return found;
}

void TcxLookAndFeel::SystemPaletteChanged() { Changed({lfvNativeStyle}); }

// The effective values are recomputed only by Changed, so until then they
// still hold what they were before the change.
void TcxLookAndFeel::CheckChanges() {
  TcxLookAndFeelValues changed;
  if (CalcKind() != Kind()) changed.Include(lfvKind);
  if (CalcNativeStyle() != NativeStyle()) changed.Include(lfvNativeStyle);
  if (CalcSkinName() != SkinName()) changed.Include(lfvSkinName);
  Changed(changed);
}

void TcxLookAndFeel::Changed(TcxLookAndFeelValues ChangedValues) {
  if (ChangedValues.Empty() && currentState_.SkinsEnabled == skinsEnabled) return;
  if (destroying_) return;
  UpdateCurrentState();
  currentState_.Painter = GetPainterClass();
  if (TcxExtendedStylePainters* registry = ExtendedStylePainters()) {
    if (skinPainter_)
      registry->AttachListener(this);
    else
      registry->DetachListener(this);
  }
  // A listener may remove itself, or free this object: the walk moves on only
  // when the listener it called still stands at its index.
  const std::shared_ptr<bool> alive = alive_;
  for (size_t i = 0; i < changeListeners_.size();) {
    IcxLookAndFeelChangeListener* listener = changeListeners_[i];
    listener->MasterChanged(this, ChangedValues);
    if (!*alive) return;
    if (i < changeListeners_.size() && changeListeners_[i] == listener) ++i;
  }
  if (OnChanged) OnChanged(this, ChangedValues);
}

// ---------------------------------------------------------------- TcxLookAndFeelController

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* AOwner) : TComponent(AOwner) {
  if (root) root->AddChangeListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
  if (root) root->RemoveChangeListener(this);
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const { return root ? root->Kind() : cxDefaultLookAndFeelKind; }
void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind Value) {
  if (root) root->SetKind(Value);
}

bool TcxLookAndFeelController::NativeStyle() const {
  return root ? root->NativeStyle() : cxDefaultLookAndFeelNativeStyle;
}
void TcxLookAndFeelController::SetNativeStyle(bool Value) {
  if (root) root->SetNativeStyle(Value);
}

TdxSkinName TcxLookAndFeelController::SkinName() const { return root ? root->SkinName() : TdxSkinName(); }
void TcxLookAndFeelController::SetSkinName(const TdxSkinName& Value) {
  if (root) root->SetSkinName(Value);
}

void TcxLookAndFeelController::MasterChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  if (Designing()) DesignChanged();
}

void TcxLookAndFeelController::MasterDestroying(TcxLookAndFeel*) {
  if (auto* form = dynamic_cast<TForm*>(Owner()))
    if (auto* designer = dynamic_cast<IcxFormDesigner*>(form)) designer->DesignerModified();
}

// ---------------------------------------------------------------- process-wide

TcxLookAndFeel* GetRootLookAndFeel() { return root; }
int32_t cxLookAndFeelControllerCount() { return controllerCount; }
bool cxIsSkinsEnabled() { return skinsEnabled; }
void cxSetSkinsEnabled(bool Value) { skinsEnabled = Value; }

void cxLookAndFeelsUnitStart() {
  RegisterLookAndFeelsProperties();
  RegisterClass(TcxLookAndFeelController::StaticClass());
  paintersNotifier = new TcxSystemPaletteChangedNotifier(true);
  paintersNotifier->OnSystemPaletteChanged = &cxLookAndFeelPaintersSystemColorsChanged;
  auto* made = new TcxLookAndFeel(nullptr);
  made->isRoot_ = true;
  root = made;
}

void cxLookAndFeelsUnitStop() {
  delete root;  // clears the slot itself
  root = nullptr;
  controllerCount = 0;
  delete paintersNotifier;
  paintersNotifier = nullptr;
  UnRegisterClass(TcxLookAndFeelController::StaticClass());
}
