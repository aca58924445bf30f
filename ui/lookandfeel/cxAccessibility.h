// The accessible object of a control or of a part of one. A descendant
// describes its owner through the virtual operations (children, texts, role,
// state, bounds, actions); the helper speaks the accessibility protocol on top
// of them: child identifiers, variants, which properties exist and the result
// codes.
//
// Identifiers. A child identifier (the variant's childId) is 0 for the object
// itself and index + 1 for a child. An element id, the input of the per-element
// operations, is 0 for the object itself and the child's index for a child that
// this helper describes itself (a simple element); a child with a helper of its
// own is reached as that helper's object instead.
//
// No exception crosses the interface: an operation that throws answers E_FAIL.
// After NotifyOwnerDestroyed the owner is never touched again.
#pragma once

#include <cstdint>
#include <string>

#include "platform/com/oleacc.h"
#include "platform/rtl/object.h"
#include "platform/rtl/types.h"

class TcxAccessibilityHelper;

extern const win::IID IID_IcxAccessibilityHelper;

// How a control hands out its helper.
struct IcxAccessibilityHelper : win::IUnknown {
  virtual TcxAccessibilityHelper* HelperObject() = 0;
  virtual void NotifyOwnerDestroyed() = 0;

protected:
  ~IcxAccessibilityHelper() = default;
};

// Bits of SupportedPropertiesOf.
constexpr uint32_t cxAccessibleObjectDefaultActionProperty = 0x01, cxAccessibleObjectDescriptionProperty = 0x02,
                   cxAccessibleObjectFocusProperty = 0x04, cxAccessibleObjectLocationAndChildrenProperty = 0x08,
                   cxAccessibleObjectKeyboardShortcutProperty = 0x10, cxAccessibleObjectValueProperty = 0x20;

// What HitTestElement found.
enum TcxAccessibleObjectHitTest : uint8_t { aohtNone, aohtSelf, aohtChild };

// The direction NavigateFrom is asked for.
enum TcxAccessibilityNavigationDirection : uint8_t { andLeft, andUp, andRight, andDown, andPrev, andNext };
TcxAccessibilityNavigationDirection cxNavigationDirectionOf(int32_t navDir);

class TcxAccessibilityHelper : public TObject,
                               public win::TComObject<win::IAccessible, win::IOleWindow, IcxAccessibilityHelper> {
  DX_CLASS(TcxAccessibilityHelper, TObject)
public:
  explicit TcxAccessibilityHelper(TObject* AOwnerObject) : ownerObject_(AOwnerObject) {}

  TObject* OwnerObject() const { return ownerObject_; }
  bool IsOwnerObjectAlive() const { return ownerAlive_; }
  bool IsVisible();
  TcxAccessibilityHelper* TopmostHelper();
  // This helper as the interface clients receive (no reference added).
  win::IAccessible* AccessibleIntf() { return this; }

  // False, with result S_OK, once the owner is gone.
  bool OwnerAlive(win::HRESULT& result) const;
  // The element id of a child identifier; False with the result to answer.
  bool ElementIdOf(const win::VARIANT& childId, int32_t& elementId, win::HRESULT& result);
  // A child identifier of a child with its own helper becomes that helper's object.
  void ChildIdToDispatch(win::VARIANT& v);
  static win::HRESULT ResultFromText(const std::string& text);

  // IUnknown
  win::HRESULT QueryInterface(win::REFIID iid, void** out) override;
  // IcxAccessibilityHelper
  TcxAccessibilityHelper* HelperObject() override { return this; }
  void NotifyOwnerDestroyed() override { DetachOwner(); }
  // IDispatch: no automation here.
  win::HRESULT GetTypeInfoCount(uint32_t* count) override;
  win::HRESULT GetTypeInfo(uint32_t index, uint32_t locale, win::IUnknown** info) override;
  win::HRESULT GetIDsOfNames(win::REFIID iid, const char* const* names, uint32_t count, uint32_t locale,
                             int32_t* ids) override;
  win::HRESULT Invoke(int32_t id, win::REFIID iid, uint32_t locale, uint16_t flags, void* params,
                      win::VARIANT* result, void* exception, uint32_t* argError) override;
  // IAccessible
  win::HRESULT get_accParent(win::IDispatch** parent) override;
  win::HRESULT get_accChildCount(int32_t* count) override;
  win::HRESULT get_accChild(win::VARIANT child, win::IDispatch** out) override;
  win::HRESULT get_accName(win::VARIANT child, std::string* name) override;
  win::HRESULT get_accValue(win::VARIANT child, std::string* value) override;
  win::HRESULT get_accDescription(win::VARIANT child, std::string* text) override;
  win::HRESULT get_accRole(win::VARIANT child, win::VARIANT* role) override;
  win::HRESULT get_accState(win::VARIANT child, win::VARIANT* state) override;
  win::HRESULT get_accHelp(win::VARIANT child, std::string* help) override;
  win::HRESULT get_accHelpTopic(std::string* file, win::VARIANT child, int32_t* topic) override;
  win::HRESULT get_accKeyboardShortcut(win::VARIANT child, std::string* shortcut) override;
  win::HRESULT get_accFocus(win::VARIANT* child) override;
  win::HRESULT get_accSelection(win::VARIANT* children) override;
  win::HRESULT get_accDefaultAction(win::VARIANT child, std::string* action) override;
  win::HRESULT accSelect(int32_t flags, win::VARIANT child) override;
  win::HRESULT accLocation(int32_t* left, int32_t* top, int32_t* width, int32_t* height,
                           win::VARIANT child) override;
  win::HRESULT accNavigate(int32_t direction, win::VARIANT start, win::VARIANT* end) override;
  win::HRESULT accHitTest(int32_t x, int32_t y, win::VARIANT* child) override;
  win::HRESULT accDoDefaultAction(win::VARIANT child) override;
  win::HRESULT put_accName(win::VARIANT child, const std::string& name) override;
  win::HRESULT put_accValue(win::VARIANT child, const std::string& value) override;
  // IOleWindow
  win::HRESULT GetWindow(win::HWND* window) override;
  win::HRESULT ContextSensitiveHelp(win::BOOL enterMode) override;

protected:
  // What a descendant overrides. The ones that throw EdxException must be
  // overridden by any descendant that reports children, values or navigation.
  virtual void DetachOwner() { ownerAlive_ = false; }
  virtual bool IsSimpleElement(int32_t index);  // throws
  virtual void PerformDefaultAction(int32_t) {}
  virtual bool FocusedElement(bool& isChild, int32_t& index);
  virtual TcxAccessibilityHelper* ChildAt(int32_t) { return nullptr; }
  virtual int32_t ChildTotal() { return 0; }
  virtual int32_t IndexOfChild(TcxAccessibilityHelper* child);  // throws
  virtual void DefaultActionText(int32_t, std::string& text) { text.clear(); }
  virtual void DescriptionText(int32_t, std::string& text) { text.clear(); }
  virtual TcxAccessibleObjectHitTest HitTestElement(int32_t screenX, int32_t screenY, int32_t& index);
  virtual void KeyboardShortcutInfo(int32_t elementId, uint16_t& shortCut, std::string& caption);
  virtual void NameText(int32_t, std::string& text) { text.clear(); }
  virtual win::HWND OwnerWindow() { return nullptr; }
  virtual TcxAccessibilityHelper* ParentHelper() { return nullptr; }
  virtual uint32_t RoleOf(int32_t) { return 0; }
  virtual void ScreenBoundsOf(int32_t, TRect& bounds) { bounds = TRect(); }
  virtual bool IsSelectable() { return false; }
  virtual uint32_t StateOf(int32_t) { return 0; }
  virtual uint32_t SupportedPropertiesOf(int32_t) { return 0; }
  virtual void ValueText(int32_t elementId, std::string& text);  // throws
  virtual int32_t NavigateFrom(int32_t index, TcxAccessibilityNavigationDirection direction);  // throws
  virtual void AssignValue(int32_t, const std::string&) {}

private:
  bool HasProperty(int32_t elementId, uint32_t mask) { return (SupportedPropertiesOf(elementId) & mask) != 0; }
  // Guarded: alive and a valid element id, then body(elementId) gives the answer.
  template <class Body>
  win::HRESULT OnElement(const win::VARIANT& child, Body body);
  // A per-element text: OnElement, then the property bit when one is needed.
  template <class Produce>
  win::HRESULT ElementText(const win::VARIANT& child, std::string* out, uint32_t mask, Produce produce);

  TObject* ownerObject_;
  bool ownerAlive_ = true;
};
