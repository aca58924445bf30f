// Look-and-feel settings: what a control wants to look like (Kind,
// NativeStyle, SkinName), which of those values it sets itself and which it
// inherits, and the painter class that draws it.
//
// Vocabulary:
//   own value        a value set on this object; it counts once its bit is in
//                    AssignedValues.
//   effective value  the own value when assigned, else the parent's effective
//                    value (ParentLookAndFeel when set, else the root).
//   root             the process-wide look-and-feel made at the unit's start-up;
//                    it inherits the defaults (lfUltraFlat, not native, no skin).
//   listener         an object told of changes of the effective values; a child
//                    look-and-feel listens to its parent, a control to its own.
//
// Everything runs on the main thread and takes no lock.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/component.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/dxThemeManager.h"

// The window type of platform/win/winuser.h, declared alike so that this
// header stays free of the window system's.
namespace win {
struct HWND__;
using HWND = HWND__*;
}  // namespace win

enum TcxLookAndFeelValue : uint8_t { lfvKind, lfvNativeStyle, lfvSkinName };
using TcxLookAndFeelValues = TSmallSet<TcxLookAndFeelValue>;
inline constexpr TcxLookAndFeelValues cxLookAndFeelAllValues{lfvKind, lfvNativeStyle, lfvSkinName};
using TdxSkinName = std::string;

// What the root inherits, and what everything inherits without a root.
inline constexpr TcxLookAndFeelKind cxDefaultLookAndFeelKind = lfUltraFlat;
inline constexpr bool cxDefaultLookAndFeelNativeStyle = false;

struct TcxLookAndFeelData {
  TcxLookAndFeelKind Kind = cxDefaultLookAndFeelKind;
  bool NativeStyle = cxDefaultLookAndFeelNativeStyle;
  TdxSkinName SkinName;
  TcxLookAndFeelPainterClass Painter = nullptr;  // null: not chosen
  bool SkinsEnabled = false;  // the process-wide flag when the record was filled
};

class TcxLookAndFeel;

// {205538BF-F19E-4285-B11F-B182D9635881}
class IcxLookAndFeelChangeListener {
public:
  virtual ~IcxLookAndFeelChangeListener() = default;
  virtual TObject* GetListenerObject() = 0;
  virtual void MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) = 0;
  virtual void MasterDestroying(TcxLookAndFeel* Sender) = 0;
};

// {7665B7CA-2C4B-48B9-ABA2-FA530E7EA468}: told when the registry of extended
// (skin) painters changes.
class IcxSkinPainterListener {
public:
  virtual ~IcxSkinPainterListener() = default;
  virtual void SkinPaintersChanged() = 0;
};

// Told of every system colour change while it exists. Primary notifiers (the
// library's own caches) hear of a change before ordinary ones.
class TcxSystemPaletteChangedNotifier : public TObject {
  DX_CLASS(TcxSystemPaletteChangedNotifier, TObject)
public:
  explicit TcxSystemPaletteChangedNotifier(bool IsPrimary = false);
  ~TcxSystemPaletteChangedNotifier() override;
  TcxSystemPaletteChangedNotifier(const TcxSystemPaletteChangedNotifier&) = delete;
  TcxSystemPaletteChangedNotifier& operator=(const TcxSystemPaletteChangedNotifier&) = delete;

  bool IsPrimary() const { return isPrimary_; }
  // Calls OnSystemPaletteChanged when assigned.
  virtual void NotifyChange();
  std::function<void()> OnSystemPaletteChanged;

private:
  bool isPrimary_;
};

// The hidden window that hears WM_SYSCOLORCHANGE, shared by every notifier.
// On a change it refreshes the Office 2003 colours, then tells the primary
// notifiers from the last to the first, then the ordinary ones likewise.
// It holds one use of the Office 2003 colours while it exists.
class TcxSystemPaletteChangedListener : public TObject {
  DX_CLASS(TcxSystemPaletteChangedListener, TObject)
public:
  TcxSystemPaletteChangedListener();
  ~TcxSystemPaletteChangedListener() override;
  TcxSystemPaletteChangedListener(const TcxSystemPaletteChangedListener&) = delete;
  TcxSystemPaletteChangedListener& operator=(const TcxSystemPaletteChangedListener&) = delete;

  win::HWND WindowHandle() const { return wnd_; }
  void AddNotifier(TcxSystemPaletteChangedNotifier* notifier);
  void RemoveNotifier(TcxSystemPaletteChangedNotifier* notifier);
  void NotifyAll();

private:
  win::HWND wnd_ = nullptr;
  std::vector<TcxSystemPaletteChangedNotifier*> notifiers_, primaryNotifiers_;
};

// Reference-counted: the first acquire makes the listener, the release that
// brings the count to 0 frees it.
TcxSystemPaletteChangedListener* AcquirePaletteListener();
void ReleasePaletteListener();
// The listener while it exists, else null.
TcxSystemPaletteChangedListener* PaletteListener();

class TcxLookAndFeel : public TcxInterfacedPersistent,
                       public IcxLookAndFeelChangeListener,
                       public IcxSkinPainterListener {
  DX_CLASS(TcxLookAndFeel, TcxInterfacedPersistent)
public:
  // Registers with the root when there is one.
  explicit TcxLookAndFeel(TPersistent* AOwner);
  // Tells its listeners (a child falls back to the root), then unregisters
  // from its parent; the root leaves the process-wide slot empty.
  ~TcxLookAndFeel() override;
  TcxLookAndFeel(const TcxLookAndFeel&) = delete;
  TcxLookAndFeel& operator=(const TcxLookAndFeel&) = delete;

  // A TcxLookAndFeel source: its own values, AssignedValues and parent.
  void Assign(TPersistent* Source) override;

  // Published. Reading gives the effective value; writing sets the own value
  // and assigns it.
  TcxLookAndFeelValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TcxLookAndFeelValues Value);
  TcxLookAndFeelKind Kind() const { return currentState_.Kind; }
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const { return currentState_.NativeStyle; }
  void SetNativeStyle(bool Value);
  const TdxSkinName& SkinName() const { return currentState_.SkinName; }
  void SetSkinName(const TdxSkinName& Value);

  // Null: inherit from the root (setting the root stores null). Setting a
  // look-and-feel whose parent chain reaches this one raises EdxException;
  // the root has no parent.
  TcxLookAndFeel* ParentLookAndFeel() const { return parentLookAndFeel_; }
  void SetParentLookAndFeel(TcxLookAndFeel* Value);
  bool IsRoot() const { return isRoot_; }
  bool Destroying() const { return destroying_; }

  // The native painter needs visual styles, which this platform never has;
  // then the skin painter, else the painter of the effective Kind.
  TcxLookAndFeelPainterClass GetPainterClass(TdxThemedObjectTypes ObjectTypes = 0) const;
  TcxLookAndFeelPainterClass GetPainterClassForType(TdxThemedObjectType ObjectType) const;
  // The painter controls draw with: the one chosen at the last change.
  TcxLookAndFeelPainterClass GetPainter() const { return currentState_.Painter; }
  TcxLookAndFeelPainterClass Painter() const { return GetPainter(); }
  TcxLookAndFeelPainterClass SkinPainter() const { return skinPainter_; }
  const TcxLookAndFeelData& CurrentState() const { return currentState_; }

  // The style number of a painter: 3 makes it native (Kind stays), the others
  // clear NativeStyle and set their Kind. Other numbers only clear NativeStyle.
  void SetStyle(uint8_t StyleId);
  // Nothing assigned any more.
  void Reset();

  // Objects that do not support IcxLookAndFeelChangeListener are ignored, and
  // a controller only joins the root.
  void AddChangeListener(TObject* Listener);
  void RemoveChangeListener(TObject* Listener);
  int32_t ChangeListenerCount() const { return int32_t(changeListeners_.size()); }

  std::function<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues)> OnChanged;

  // IcxLookAndFeelChangeListener: the parent's side.
  TObject* GetListenerObject() override { return this; }
  void MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TcxLookAndFeel* Sender) override;
  // IcxSkinPainterListener.
  void SkinPaintersChanged() override;

  // The "SkinName" filer property carries an explicitly assigned empty skin name.
  void DefineProperties(TFiler* Filer) override;

protected:
  virtual void UpdateCurrentState();
  virtual TcxLookAndFeelKind CalcKind() const;
  virtual bool CalcNativeStyle() const;
  virtual TdxSkinName CalcSkinName() const;
  virtual TcxLookAndFeelPainterClass CalcSkinPainter() const;
  // True when Name is not empty and a skin painter of that name (ignoring
  // case) is registered; Painter is that class, null when skins are disabled.
  virtual bool FindSkinPainter(const TdxSkinName& Name, TcxLookAndFeelPainterClass& Painter) const;
  virtual void SystemPaletteChanged();

  // Re-chooses the painter and tells the listeners, then OnChanged.
  void Changed(TcxLookAndFeelValues ChangedValues);

private:
  friend void cxLookAndFeelsUnitStart();
  // The parent to inherit from: ParentLookAndFeel, else the root; null for the root.
  TcxLookAndFeel* InheritFrom() const;
  // False for a value ignored without a word (this object, the current
  // parent, any value for the root); raises for one that would close a cycle.
  // The root becomes null.
  bool AcceptsParent(TcxLookAndFeel*& Value) const;
  // Moves the registration from the current parent-or-root to Value's.
  void MoveTo(TcxLookAndFeel* Value);
  // Tells the listeners of the effective values that now differ.
  void CheckChanges();

  TcxLookAndFeelValues assignedValues_;
  std::vector<IcxLookAndFeelChangeListener*> changeListeners_;
  TcxLookAndFeelData currentState_, data_;
  bool destroying_ = false, isRoot_ = false;
  TcxLookAndFeel* parentLookAndFeel_ = nullptr;
  TcxLookAndFeelPainterClass skinPainter_ = nullptr;
  std::unique_ptr<TcxSystemPaletteChangedNotifier> notifier_;
  // Cleared by the destructor, so a notification walk stops when a listener frees this object.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Sets the root look-and-feel from a form: each property reads and writes the
// root's (the defaults, and nothing written, without a root).
class TcxLookAndFeelController : public TComponent, public IcxLookAndFeelChangeListener {
  DX_COMPONENT_CLASS(TcxLookAndFeelController, TComponent)
public:
  explicit TcxLookAndFeelController(TComponent* AOwner);
  ~TcxLookAndFeelController() override;

  TcxLookAndFeelKind Kind() const;
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const;
  void SetNativeStyle(bool Value);
  TdxSkinName SkinName() const;
  void SetSkinName(const TdxSkinName& Value);

  TObject* GetListenerObject() override { return this; }
  void MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TcxLookAndFeel* Sender) override;

protected:
  // Called on a change of the root while the component is being designed.
  virtual void DesignChanged() {}
};

// The root, or null before the unit's start-up and after its shutdown.
TcxLookAndFeel* GetRootLookAndFeel();
// The number of controllers registered with the root.
int32_t cxLookAndFeelControllerCount();
// Whether skin painters may be used; True unless changed.
bool cxIsSkinsEnabled();
void cxSetSkinsEnabled(bool Value);

// Start-up: the property metadata, the painters' primary palette notifier
// and the root. Shutdown frees the root, then that notifier.
void cxLookAndFeelsUnitStart();
void cxLookAndFeelsUnitStop();
