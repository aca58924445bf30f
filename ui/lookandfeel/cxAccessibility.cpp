#include "ui/lookandfeel/cxAccessibility.h"

#include "platform/rtl/text.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/menus.h"
#include "ui/lookandfeel/dxCore.h"

using namespace win;

const IID IID_IcxAccessibilityHelper{0xD4890860, 0x09B2, 0x4648, {0xBD, 0x9E, 0xDF, 0xFB, 0xD1, 0x40, 0xE5, 0xF1}};

namespace {

// Descendants may throw (the base operations do when not overridden); the
// client gets E_FAIL instead of an exception crossing the interface.
template <class Body>
HRESULT Guarded(Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return E_FAIL;
  }
}

// The child identifier a variant holds: empty means the object itself.
bool ChildIdValue(const VARIANT& v, int32_t& id) {
  if (v.vt == VT_EMPTY) {
    id = CHILDID_SELF;
    return true;
  }
  if (v.vt != VT_I4) return false;
  id = v.lVal;
  return true;
}

void SetI4(VARIANT* v, int32_t value) {
  VariantClear(v);
  *v = VariantI4(value);
}

}  // namespace

TcxAccessibilityNavigationDirection cxNavigationDirectionOf(int32_t navDir) {
  switch (navDir) {
    case NAVDIR_LEFT: return andLeft;
    case NAVDIR_RIGHT: return andRight;
    case NAVDIR_DOWN: return andDown;
    case NAVDIR_PREVIOUS: return andPrev;
    case NAVDIR_NEXT: return andNext;
    default: return andUp;
  }
}

// ---------------------------------------------------------------- base operations

bool TcxAccessibilityHelper::IsSimpleElement(int32_t) { throw EdxException(""); }
int32_t TcxAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper*) { throw EdxException(""); }
void TcxAccessibilityHelper::ValueText(int32_t, std::string&) { throw EdxException(""); }
int32_t TcxAccessibilityHelper::NavigateFrom(int32_t, TcxAccessibilityNavigationDirection) {
  throw EdxException("");
}

bool TcxAccessibilityHelper::FocusedElement(bool& isChild, int32_t& index) {
  isChild = false;
  index = -1;
  return false;
}

TcxAccessibleObjectHitTest TcxAccessibilityHelper::HitTestElement(int32_t, int32_t, int32_t& index) {
  index = -1;
  return aohtNone;
}

void TcxAccessibilityHelper::KeyboardShortcutInfo(int32_t, uint16_t& shortCut, std::string& caption) {
  shortCut = 0;
  caption.clear();
}

// ---------------------------------------------------------------- protocol routines

bool TcxAccessibilityHelper::IsVisible() { return (StateOf(0) & STATE_SYSTEM_INVISIBLE) == 0; }

TcxAccessibilityHelper* TcxAccessibilityHelper::TopmostHelper() {
  TcxAccessibilityHelper* helper = this;
  while (TcxAccessibilityHelper* parent = helper->ParentHelper()) helper = parent;
  return helper;
}

bool TcxAccessibilityHelper::OwnerAlive(HRESULT& result) const {
  result = S_OK;
  return ownerAlive_;
}

bool TcxAccessibilityHelper::ElementIdOf(const VARIANT& childId, int32_t& elementId, HRESULT& result) {
  if (!OwnerAlive(result)) return false;
  int32_t id;
  if (!ChildIdValue(childId, id)) {
    result = E_INVALIDARG;
    return false;
  }
  if (id == CHILDID_SELF) {
    elementId = 0;
    return true;
  }
  // A negative identifier is checked here so that IsSimpleElement never sees a bad index.
  if (id < 0 || id > ChildTotal() || !IsSimpleElement(id - 1)) {
    result = E_INVALIDARG;
    return false;
  }
  elementId = id - 1;
  return true;
}

void TcxAccessibilityHelper::ChildIdToDispatch(VARIANT& v) {
  if (v.vt != VT_I4 || v.lVal <= 0 || IsSimpleElement(v.lVal - 1)) return;
  TcxAccessibilityHelper* child = ChildAt(v.lVal - 1);
  VariantClear(&v);
  if (!child) return;
  v.vt = VT_DISPATCH;
  v.pdispVal = child->AccessibleIntf();
  v.pdispVal->AddRef();
}

HRESULT TcxAccessibilityHelper::ResultFromText(const std::string& text) { return text.empty() ? S_FALSE : S_OK; }

template <class Body>
HRESULT TcxAccessibilityHelper::OnElement(const VARIANT& child, Body body) {
  return Guarded([&] {
    int32_t element = 0;
    HRESULT result = S_OK;
    if (!ElementIdOf(child, element, result)) return result;
    return body(element);
  });
}

template <class Produce>
HRESULT TcxAccessibilityHelper::ElementText(const VARIANT& child, std::string* out, uint32_t mask, Produce produce) {
  if (!out) return E_POINTER;
  out->clear();
  return OnElement(child, [&](int32_t element) {
    if (mask != 0 && !HasProperty(element, mask)) return DISP_E_MEMBERNOTFOUND;
    return produce(element, *out);
  });
}

// ---------------------------------------------------------------- IUnknown, IDispatch

HRESULT TcxAccessibilityHelper::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible)
    return AnswerInterface<IAccessible>(this, out);
  if (iid == IID_IOleWindow) return AnswerInterface<IOleWindow>(this, out);
  if (iid == IID_IcxAccessibilityHelper) return AnswerInterface<IcxAccessibilityHelper>(this, out);
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT TcxAccessibilityHelper::GetTypeInfoCount(uint32_t*) { return E_NOTIMPL; }
HRESULT TcxAccessibilityHelper::GetTypeInfo(uint32_t, uint32_t, IUnknown**) { return E_NOTIMPL; }
HRESULT TcxAccessibilityHelper::GetIDsOfNames(REFIID, const char* const*, uint32_t, uint32_t, int32_t*) {
  return E_NOTIMPL;
}
HRESULT TcxAccessibilityHelper::Invoke(int32_t, REFIID, uint32_t, uint16_t, void*, VARIANT*, void*, uint32_t*) {
  return E_NOTIMPL;
}

// ---------------------------------------------------------------- IAccessible

HRESULT TcxAccessibilityHelper::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAlive(result)) return result;
    // Without the accessibility runtime there is no window parent to ask.
    TcxAccessibilityHelper* helper = ParentHelper();
    if (!helper) return S_FALSE;
    *parent = helper->AccessibleIntf();
    (*parent)->AddRef();
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accChildCount(int32_t* count) {
  if (!count) return E_POINTER;
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAlive(result)) return result;
    *count = ChildTotal();
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accChild(VARIANT child, IDispatch** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAlive(result)) return result;
    int32_t id;
    if (child.vt != VT_I4 || !ChildIdValue(child, id) || id < 1 || id > ChildTotal()) return E_INVALIDARG;
    if (IsSimpleElement(id - 1)) return S_FALSE;
    if (TcxAccessibilityHelper* helper = ChildAt(id - 1)) {
      *out = helper->AccessibleIntf();
      (*out)->AddRef();
    }
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accName(VARIANT child, std::string* name) {
  return ElementText(child, name, 0, [&](int32_t element, std::string& text) {
    NameText(element, text);
    return ResultFromText(text);
  });
}

HRESULT TcxAccessibilityHelper::get_accValue(VARIANT child, std::string* value) {
  return ElementText(child, value, cxAccessibleObjectValueProperty, [&](int32_t element, std::string& text) {
    ValueText(element, text);
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accDescription(VARIANT child, std::string* text) {
  return ElementText(child, text, cxAccessibleObjectDescriptionProperty, [&](int32_t element, std::string& t) {
    DescriptionText(element, t);
    return ResultFromText(t);
  });
}

HRESULT TcxAccessibilityHelper::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  VariantInit(role);
  return OnElement(child, [&](int32_t element) {
    SetI4(role, int32_t(RoleOf(element)));
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accState(VARIANT child, VARIANT* state) {
  if (!state) return E_POINTER;
  VariantInit(state);
  return OnElement(child, [&](int32_t element) {
    SetI4(state, int32_t(StateOf(element)));
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accHelp(VARIANT, std::string* help) {
  if (help) help->clear();
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TcxAccessibilityHelper::get_accHelpTopic(std::string* file, VARIANT, int32_t* topic) {
  if (file) file->clear();
  if (topic) *topic = 0;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TcxAccessibilityHelper::get_accKeyboardShortcut(VARIANT child, std::string* shortcut) {
  return ElementText(child, shortcut, cxAccessibleObjectKeyboardShortcutProperty,
                     [&](int32_t element, std::string& text) {
                       uint16_t shortCut = 0;
                       std::string caption;
                       KeyboardShortcutInfo(element, shortCut, caption);
                       if (char32_t key = GetHotkey(caption))
                         text = CodePointToUtf8(CpUpperChar(key));
                       else
                         text = ShortCutToText(shortCut);
                       return ResultFromText(text);
                     });
}

HRESULT TcxAccessibilityHelper::get_accFocus(VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAlive(result)) return result;
    if (!HasProperty(0, cxAccessibleObjectFocusProperty)) return DISP_E_MEMBERNOTFOUND;
    bool isChild = false;
    int32_t index = -1;
    if (!FocusedElement(isChild, index)) return S_FALSE;
    SetI4(child, isChild ? index + 1 : CHILDID_SELF);
    ChildIdToDispatch(*child);
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accSelection(VARIANT* children) {
  if (children) VariantClear(children);
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TcxAccessibilityHelper::get_accDefaultAction(VARIANT child, std::string* action) {
  return ElementText(child, action, cxAccessibleObjectDefaultActionProperty, [&](int32_t element, std::string& t) {
    DefaultActionText(element, t);
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::accSelect(int32_t, VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT TcxAccessibilityHelper::accLocation(int32_t* left, int32_t* top, int32_t* width, int32_t* height,
                                            VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  return OnElement(child, [&](int32_t element) {
    if (!HasProperty(0, cxAccessibleObjectLocationAndChildrenProperty)) return DISP_E_MEMBERNOTFOUND;
    TRect bounds;
    ScreenBoundsOf(element, bounds);
    *left = bounds.Left;
    *top = bounds.Top;
    *width = bounds.Width();
    *height = bounds.Height();
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::accNavigate(int32_t direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  VariantInit(end);
  HRESULT answer = Guarded([&] {
    HRESULT result;
    if (!OwnerAlive(result)) return result;
    int32_t from;
    if (!ChildIdValue(start, from)) return E_INVALIDARG;
    const bool canNavigate = HasProperty(0, cxAccessibleObjectLocationAndChildrenProperty);
    if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
      if (from != CHILDID_SELF) return E_INVALIDARG;
      if (!canNavigate) return DISP_E_MEMBERNOTFOUND;
      const int32_t n = ChildTotal();
      if (n <= 0) return S_FALSE;
      SetI4(end, direction == NAVDIR_FIRSTCHILD ? 1 : n);
      ChildIdToDispatch(*end);
      return S_OK;
    }
    if (from != CHILDID_SELF) {
      if (from < 0 || from > ChildTotal()) return E_INVALIDARG;
      if (!canNavigate) return DISP_E_MEMBERNOTFOUND;
      const int32_t to = NavigateFrom(from - 1, cxNavigationDirectionOf(direction));
      if (to == from - 1) return S_FALSE;
      SetI4(end, to + 1);
      ChildIdToDispatch(*end);
      return S_OK;
    }
    // From the object itself the parent answers, in its own child identifiers.
    // A parent whose owner is gone is not asked anything.
    TcxAccessibilityHelper* parent = ParentHelper();
    if (!parent) return S_FALSE;
    if (!parent->IsOwnerObjectAlive()) return S_OK;
    if (!parent->HasProperty(0, cxAccessibleObjectLocationAndChildrenProperty)) return S_FALSE;
    const HRESULT parentAnswer = parent->accNavigate(direction, VariantI4(parent->IndexOfChild(this) + 1), end);
    return parentAnswer == S_OK ? S_OK : S_FALSE;
  });
  if (answer != S_OK) VariantClear(end);
  return answer;
}

HRESULT TcxAccessibilityHelper::accHitTest(int32_t x, int32_t y, VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  HRESULT answer = Guarded([&] {
    HRESULT result;
    if (!OwnerAlive(result)) return result;
    if (!HasProperty(0, cxAccessibleObjectLocationAndChildrenProperty)) return DISP_E_MEMBERNOTFOUND;
    TRect bounds;
    ScreenBoundsOf(0, bounds);
    if (bounds.Contains(TPoint(x, y))) {
      int32_t index = -1;
      switch (HitTestElement(x, y, index)) {
        case aohtSelf: SetI4(child, CHILDID_SELF); break;
        case aohtChild:
          SetI4(child, index + 1);
          ChildIdToDispatch(*child);
          break;
        case aohtNone: break;
      }
    }
    return child->vt != VT_EMPTY ? S_OK : S_FALSE;
  });
  if (answer != S_OK && answer != S_FALSE) VariantClear(child);
  return answer;
}

HRESULT TcxAccessibilityHelper::accDoDefaultAction(VARIANT child) {
  return OnElement(child, [&](int32_t element) {
    if (!HasProperty(element, cxAccessibleObjectDefaultActionProperty)) return DISP_E_MEMBERNOTFOUND;
    PerformDefaultAction(element);
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::put_accName(VARIANT, const std::string&) { return DISP_E_MEMBERNOTFOUND; }

HRESULT TcxAccessibilityHelper::put_accValue(VARIANT child, const std::string& value) {
  return OnElement(child, [&](int32_t element) {
    if (!HasProperty(element, cxAccessibleObjectValueProperty)) return DISP_E_MEMBERNOTFOUND;
    AssignValue(element, value);
    return S_OK;
  });
}

// ---------------------------------------------------------------- IOleWindow

HRESULT TcxAccessibilityHelper::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = nullptr;
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAlive(result)) return result;
    *window = OwnerWindow();
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::ContextSensitiveHelp(BOOL) { return S_OK; }
