#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/lookandfeel/cxAccessibility.h"

using namespace win;

namespace {

// A described owner: children are simple unless a helper is given for them;
// every operation the helper asks is written to the journal.
class TDescribedHelper : public TcxAccessibilityHelper {
public:
  using TcxAccessibilityHelper::TcxAccessibilityHelper;

  int32_t children = 0;
  std::map<int32_t, TcxAccessibilityHelper*> childHelpers;
  TcxAccessibilityHelper* parent = nullptr;
  uint32_t mask = 0;
  std::map<int32_t, std::string> names;
  std::string caption;
  uint16_t shortCut = 0;
  TRect bounds;
  TcxAccessibleObjectHitTest hit = aohtNone;
  int32_t hitIndex = -1;
  int32_t navigateTo = -1;
  bool focused = false, focusedIsChild = false;
  int32_t focusedIndex = -1;
  std::vector<std::string> journal;

  std::vector<std::string> TakeJournal() { return std::exchange(journal, {}); }

protected:
  void Ask(const std::string& what) { journal.push_back(what); }
  bool IsSimpleElement(int32_t index) override {
    Ask("IsSimpleElement " + std::to_string(index));
    return !childHelpers.contains(index);
  }
  TcxAccessibilityHelper* ChildAt(int32_t index) override {
    Ask("ChildAt " + std::to_string(index));
    auto it = childHelpers.find(index);
    return it == childHelpers.end() ? nullptr : it->second;
  }
  int32_t ChildTotal() override {
    Ask("ChildTotal");
    return children;
  }
  int32_t IndexOfChild(TcxAccessibilityHelper* child) override {
    for (auto& [index, helper] : childHelpers)
      if (helper == child) return index;
    return -1;
  }
  void NameText(int32_t element, std::string& text) override {
    Ask("NameText " + std::to_string(element));
    text = names.contains(element) ? names[element] : "";
  }
  void ValueText(int32_t element, std::string& text) override { text = "value " + std::to_string(element); }
  void DescriptionText(int32_t element, std::string& text) override { text = element ? "" : "description"; }
  void DefaultActionText(int32_t, std::string& text) override { text = ""; }
  void PerformDefaultAction(int32_t element) override { Ask("PerformDefaultAction " + std::to_string(element)); }
  void AssignValue(int32_t element, const std::string& text) override {
    Ask("AssignValue " + std::to_string(element) + " " + text);
  }
  void KeyboardShortcutInfo(int32_t, uint16_t& sc, std::string& text) override {
    sc = shortCut;
    text = caption;
  }
  uint32_t SupportedPropertiesOf(int32_t) override {
    Ask("SupportedPropertiesOf");
    return mask;
  }
  uint32_t RoleOf(int32_t element) override { return ROLE_SYSTEM_PUSHBUTTON + element; }
  uint32_t StateOf(int32_t element) override {
    Ask("StateOf");
    return element ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_INVISIBLE;
  }
  void ScreenBoundsOf(int32_t element, TRect& r) override {
    r = bounds;
    if (element) r = Rect(bounds.Left + 10 * element, bounds.Top, bounds.Left + 10 * element + 5, bounds.Bottom);
  }
  TcxAccessibleObjectHitTest HitTestElement(int32_t, int32_t, int32_t& index) override {
    index = hitIndex;
    return hit;
  }
  int32_t NavigateFrom(int32_t index, TcxAccessibilityNavigationDirection direction) override {
    Ask("NavigateFrom " + std::to_string(index) + " " + std::to_string(int(direction)));
    return navigateTo;
  }
  bool FocusedElement(bool& isChild, int32_t& index) override {
    isChild = focusedIsChild;
    index = focusedIndex;
    return focused;
  }
  TcxAccessibilityHelper* ParentHelper() override { return parent; }
  HWND OwnerWindow() override {
    Ask("OwnerWindow");
    return reinterpret_cast<HWND>(0x1234);
  }
};

// A descendant that reports children but leaves the throwing base operations alone.
class TIncompleteHelper : public TcxAccessibilityHelper {
public:
  using TcxAccessibilityHelper::TcxAccessibilityHelper;

protected:
  int32_t ChildTotal() override { return 2; }
  uint32_t SupportedPropertiesOf(int32_t) override { return 0x3F; }
};

// Helpers live by their references; the test holds one.
template <class T>
std::shared_ptr<T> Make(TObject* owner) {
  T* helper = new T(owner);
  helper->AddRef();
  return std::shared_ptr<T>(helper, [](T* h) { h->Release(); });
}

VARIANT Child(int32_t id) { return VariantI4(id); }

VARIANT Dispatch(IDispatch* d) {
  VARIANT v;
  v.vt = VT_DISPATCH;
  v.pdispVal = d;
  return v;
}

class AccessibilityHelper : public ::testing::Test {
protected:
  TObject owner;
  std::shared_ptr<TDescribedHelper> helper = Make<TDescribedHelper>(&owner);
  IAccessible* acc = helper->AccessibleIntf();
};

TEST_F(AccessibilityHelper, ChildIdentifiersBecomeElementIds) {
  TObject childOwner;
  auto own = Make<TDescribedHelper>(&childOwner);
  helper->children = 3;
  helper->childHelpers[1] = own.get();  // child identifier 2 has a helper of its own
  helper->names = {{0, "self or first"}};  // element 2 has no name
  VARIANT empty;
  struct Case {
    VARIANT child;
    HRESULT result;
    std::string name;
    int32_t askedElement;  // -1: NameText not asked
  } cases[] = {
      {Child(0), S_OK, "self or first", 0},     {empty, S_OK, "self or first", 0},
      {Child(1), S_OK, "self or first", 0},     {Child(3), S_FALSE, "", 2},
      {Child(4), E_INVALIDARG, "", -1},         {Child(-1), E_INVALIDARG, "", -1},
      {Child(2), E_INVALIDARG, "", -1},         {Dispatch(nullptr), E_INVALIDARG, "", -1},
  };
  for (const Case& c : cases) {
    std::string name = "stale";
    helper->TakeJournal();
    EXPECT_EQ(acc->get_accName(c.child, &name), c.result) << c.child.lVal;
    EXPECT_EQ(name, c.name) << c.child.lVal;
    const auto journal = helper->TakeJournal();
    const bool asked = std::find(journal.begin(), journal.end(), "NameText " + std::to_string(c.askedElement)) !=
                       journal.end();
    EXPECT_EQ(asked, c.askedElement >= 0) << c.child.lVal;
  }
}

TEST_F(AccessibilityHelper, ChildrenAsObjects) {
  TObject childOwner;
  auto own = Make<TDescribedHelper>(&childOwner);
  helper->children = 3;
  helper->childHelpers[2] = own.get();
  struct Case {
    VARIANT child;
    HRESULT result;
    IDispatch* object;
  } cases[] = {
      {Child(2), S_FALSE, nullptr},       {Child(3), S_OK, own->AccessibleIntf()},
      {Child(0), E_INVALIDARG, nullptr},  {Child(4), E_INVALIDARG, nullptr},
      {Child(-2), E_INVALIDARG, nullptr}, {VARIANT(), E_INVALIDARG, nullptr},
  };
  for (const Case& c : cases) {
    IDispatch* object = reinterpret_cast<IDispatch*>(&childOwner);
    EXPECT_EQ(acc->get_accChild(c.child, &object), c.result) << c.child.lVal;
    EXPECT_EQ(object, c.object) << c.child.lVal;
    if (object) object->Release();
  }
  int32_t count = 0;
  EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 3);
  // The object handed out carries its own reference.
  IDispatch* object = nullptr;
  ASSERT_EQ(acc->get_accChild(Child(3), &object), S_OK);
  EXPECT_EQ(own->RefCount(), 2);
  object->Release();
  EXPECT_EQ(own->RefCount(), 1);
}

TEST_F(AccessibilityHelper, PropertiesExistOnlyWithTheirBit) {
  helper->children = 2;
  helper->bounds = Rect(100, 50, 180, 74);
  helper->caption = "Open";
  helper->shortCut = 0x4000 | 'O';
  struct Case {
    uint32_t bit;
    const char* property;
    HRESULT present;
    std::string text;
  } cases[] = {
      {0x20, "value", S_OK, "value 1"},
      {0x02, "description", S_FALSE, ""},  // element 1 has an empty description
      {0x01, "default action", S_OK, ""},
      {0x10, "shortcut", S_OK, "Ctrl+O"},
  };
  for (const Case& c : cases) {
    for (bool on : {false, true}) {
      helper->mask = on ? c.bit : 0x3F & ~c.bit;
      std::string text = "stale";
      const std::string property = c.property;
      HRESULT result = property == "value"         ? acc->get_accValue(Child(2), &text)
                       : property == "description" ? acc->get_accDescription(Child(2), &text)
                       : property == "default action" ? acc->get_accDefaultAction(Child(2), &text)
                                                    : acc->get_accKeyboardShortcut(Child(2), &text);
      EXPECT_EQ(result, on ? c.present : DISP_E_MEMBERNOTFOUND) << c.property;
      EXPECT_EQ(text, on ? c.text : "") << c.property;
    }
  }
  helper->mask = 0x3F & ~0x21;
  helper->TakeJournal();
  EXPECT_EQ(acc->accDoDefaultAction(Child(1)), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(acc->put_accValue(Child(1), "x"), DISP_E_MEMBERNOTFOUND);
  helper->mask = 0x21;
  EXPECT_EQ(acc->accDoDefaultAction(Child(1)), S_OK);
  EXPECT_EQ(acc->put_accValue(Child(2), "new"), S_OK);
  std::vector<std::string> acts;
  for (const std::string& call : helper->TakeJournal())
    if (call.starts_with("PerformDefaultAction") || call.starts_with("AssignValue")) acts.push_back(call);
  EXPECT_EQ(acts, (std::vector<std::string>{"PerformDefaultAction 0", "AssignValue 1 new"}));

  // Location belongs to the object's mask; the bounds are the element's.
  int32_t left = -1, top = -1, width = -1, height = -1;
  helper->mask = 0x37;
  EXPECT_EQ(acc->accLocation(&left, &top, &width, &height, Child(0)), DISP_E_MEMBERNOTFOUND);
  helper->mask = 0x08;
  EXPECT_EQ(acc->accLocation(&left, &top, &width, &height, Child(0)), S_OK);
  EXPECT_EQ((std::vector<int32_t>{left, top, width, height}), (std::vector<int32_t>{100, 50, 80, 24}));
  EXPECT_EQ(acc->accLocation(&left, &top, &width, &height, Child(2)), S_OK);
  EXPECT_EQ((std::vector<int32_t>{left, top, width, height}), (std::vector<int32_t>{110, 50, 5, 24}));

  VARIANT role, state;
  EXPECT_EQ(acc->get_accRole(Child(2), &role), S_OK);
  EXPECT_EQ(role.vt, VT_I4);
  EXPECT_EQ(role.lVal, int32_t(ROLE_SYSTEM_PUSHBUTTON + 1));
  EXPECT_EQ(acc->get_accState(Child(0), &state), S_OK);
  EXPECT_EQ(state.lVal, int32_t(STATE_SYSTEM_INVISIBLE));
  EXPECT_FALSE(helper->IsVisible());
  // Help, selection and naming are not offered at all.
  std::string text;
  int32_t topic = 7;
  VARIANT selection = Child(1);
  EXPECT_EQ(acc->get_accHelp(Child(0), &text), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(acc->get_accHelpTopic(&text, Child(0), &topic), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(topic, 0);
  EXPECT_EQ(acc->get_accSelection(&selection), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(selection.vt, VT_EMPTY);
  EXPECT_EQ(acc->accSelect(1, Child(0)), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(acc->put_accName(Child(0), "x"), DISP_E_MEMBERNOTFOUND);
}

TEST_F(AccessibilityHelper, KeyboardShortcutPrefersTheAccelerator) {
  helper->mask = cxAccessibleObjectKeyboardShortcutProperty;
  const uint16_t ctrlO = 0x4000 | 'O', shiftF5 = 0x2000 | 0x74;
  struct Case {
    const char* caption;
    uint16_t shortCut;
    HRESULT result;
    const char* text;
  } cases[] = {
      {"&Open", ctrlO, S_OK, "O"},        {"Open", ctrlO, S_OK, "Ctrl+O"},
      {"Sa&ve as", shiftF5, S_OK, "V"},   {"Fish && Chips", shiftF5, S_OK, "Shift+F5"},
      {"", 0, S_FALSE, ""},
  };
  for (const Case& c : cases) {
    helper->caption = c.caption;
    helper->shortCut = c.shortCut;
    std::string text;
    EXPECT_EQ(acc->get_accKeyboardShortcut(Child(0), &text), c.result) << c.caption;
    EXPECT_EQ(text, c.text) << c.caption;
  }
}

TEST_F(AccessibilityHelper, DetachedOwnerIsNeverAskedAgain) {
  TObject parentOwner;
  auto parent = Make<TDescribedHelper>(&parentOwner);
  helper->parent = parent.get();
  helper->children = 3;
  helper->mask = 0x3F;
  helper->names[0] = "gone";
  helper->bounds = Rect(0, 0, 10, 10);
  IcxAccessibilityHelper* intf = nullptr;
  ASSERT_EQ(acc->QueryInterface(IID_IcxAccessibilityHelper, reinterpret_cast<void**>(&intf)), S_OK);
  EXPECT_EQ(intf->HelperObject(), helper.get());
  intf->NotifyOwnerDestroyed();
  intf->Release();
  helper->TakeJournal();

  int32_t count = 42;
  EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 42);  // untouched
  for (auto get : {&IAccessible::get_accName, &IAccessible::get_accValue, &IAccessible::get_accDescription,
                   &IAccessible::get_accKeyboardShortcut, &IAccessible::get_accDefaultAction}) {
    std::string text = "stale";
    EXPECT_EQ((acc->*get)(Child(1), &text), S_OK);
    EXPECT_EQ(text, "");
  }
  VARIANT v = Child(5);
  EXPECT_EQ(acc->get_accRole(Child(0), &v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(acc->get_accState(Child(0), &v), S_OK);
  EXPECT_EQ(acc->get_accFocus(&v), S_OK);
  EXPECT_EQ(acc->accHitTest(5, 5, &v), S_OK);
  EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Child(0), &v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);
  IDispatch* d = reinterpret_cast<IDispatch*>(&parentOwner);
  EXPECT_EQ(acc->get_accParent(&d), S_OK);
  EXPECT_EQ(d, nullptr);
  EXPECT_EQ(acc->get_accChild(Child(1), &d), S_OK);
  EXPECT_EQ(d, nullptr);
  int32_t l = 1, t = 1, w = 1, h = 1;
  EXPECT_EQ(acc->accLocation(&l, &t, &w, &h, Child(0)), S_OK);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(acc->accDoDefaultAction(Child(0)), S_OK);
  EXPECT_EQ(acc->put_accValue(Child(0), "x"), S_OK);
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_EQ(helper->GetWindow(&window), S_OK);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(helper->TakeJournal(), std::vector<std::string>{});

  // A parent whose owner is gone ends navigation from its child quietly.
  parent->mask = 0x08;
  helper->parent = nullptr;
  auto child = Make<TDescribedHelper>(&owner);
  child->parent = parent.get();
  parent->childHelpers[0] = child.get();
  parent->NotifyOwnerDestroyed();
  EXPECT_EQ(child->accNavigate(NAVDIR_NEXT, Child(0), &v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);
}

TEST_F(AccessibilityHelper, NavigationAmongChildren) {
  VARIANT end = Child(9);
  helper->mask = 0x08;
  EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Child(2), &end), E_INVALIDARG);
  EXPECT_EQ(end.vt, VT_EMPTY);
  EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Child(0), &end), S_FALSE);
  EXPECT_EQ(end.vt, VT_EMPTY);

  TObject childOwner;
  auto own = Make<TDescribedHelper>(&childOwner);
  helper->children = 3;
  helper->childHelpers[2] = own.get();
  EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Child(0), &end), S_OK);
  EXPECT_EQ(end.vt, VT_I4);
  EXPECT_EQ(end.lVal, 1);
  // The last child has a helper of its own: it comes as its object.
  EXPECT_EQ(acc->accNavigate(NAVDIR_LASTCHILD, Child(0), &end), S_OK);
  ASSERT_EQ(end.vt, VT_DISPATCH);
  EXPECT_EQ(end.pdispVal, own->AccessibleIntf());
  VariantClear(&end);

  // From a child: the platform's direction reaches NavigateFrom in the helper's own terms.
  struct Case {
    int32_t navDir;
    const char* asked;
  } directions[] = {{NAVDIR_LEFT, "NavigateFrom 0 0"},     {NAVDIR_UP, "NavigateFrom 0 1"},
                    {NAVDIR_RIGHT, "NavigateFrom 0 2"},    {NAVDIR_DOWN, "NavigateFrom 0 3"},
                    {NAVDIR_PREVIOUS, "NavigateFrom 0 4"}, {NAVDIR_NEXT, "NavigateFrom 0 5"},
                    {99, "NavigateFrom 0 1"}};
  helper->navigateTo = 1;
  for (const Case& c : directions) {
    helper->TakeJournal();
    EXPECT_EQ(acc->accNavigate(c.navDir, Child(1), &end), S_OK);
    EXPECT_EQ(end.lVal, 2);
    const auto journal = helper->TakeJournal();
    EXPECT_NE(std::find(journal.begin(), journal.end(), c.asked), journal.end()) << c.navDir;
  }
  helper->navigateTo = 0;  // stays where it is
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(1), &end), S_FALSE);
  EXPECT_EQ(end.vt, VT_EMPTY);
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(4), &end), E_INVALIDARG);
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(-1), &end), E_INVALIDARG);
  helper->mask = 0;
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(1), &end), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(acc->accNavigate(NAVDIR_LASTCHILD, Child(0), &end), DISP_E_MEMBERNOTFOUND);
}

TEST_F(AccessibilityHelper, NavigationFromTheObjectAsksItsParent) {
  TObject parentOwner;
  auto parent = Make<TDescribedHelper>(&parentOwner);
  VARIANT end;
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(0), &end), S_FALSE);  // no parent
  helper->parent = parent.get();
  parent->children = 4;
  parent->childHelpers[1] = helper.get();
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(0), &end), S_FALSE);  // the parent cannot navigate
  parent->mask = 0x08;
  parent->navigateTo = 2;
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(0), &end), S_OK);
  EXPECT_EQ(end.vt, VT_I4);
  EXPECT_EQ(end.lVal, 3);  // in the parent's child identifiers
  parent->navigateTo = 1;  // the parent finds nothing beyond this helper
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(0), &end), S_FALSE);
  EXPECT_EQ(end.vt, VT_EMPTY);

  IDispatch* d = nullptr;
  EXPECT_EQ(acc->get_accParent(&d), S_OK);
  EXPECT_EQ(d, parent->AccessibleIntf());
  d->Release();
  EXPECT_EQ(helper->TopmostHelper(), parent.get());
  EXPECT_EQ(parent->get_accParent(&d), S_FALSE);  // no window parent to ask here
  EXPECT_EQ(d, nullptr);
}

TEST_F(AccessibilityHelper, HitTestAndFocus) {
  TObject childOwner;
  auto own = Make<TDescribedHelper>(&childOwner);
  helper->children = 3;
  helper->childHelpers[2] = own.get();
  helper->bounds = Rect(10, 20, 30, 40);
  VARIANT v;
  EXPECT_EQ(acc->accHitTest(15, 25, &v), DISP_E_MEMBERNOTFOUND);
  helper->mask = 0x08;
  struct Case {
    int32_t x, y;
    TcxAccessibleObjectHitTest hit;
    int32_t index;
    HRESULT result;
    VARTYPE vt;
    int32_t id;
  } cases[] = {
      {5, 25, aohtSelf, 0, S_FALSE, VT_EMPTY, 0},   {30, 25, aohtSelf, 0, S_FALSE, VT_EMPTY, 0},
      {15, 40, aohtSelf, 0, S_FALSE, VT_EMPTY, 0},  {10, 20, aohtSelf, 0, S_OK, VT_I4, 0},
      {29, 39, aohtChild, 1, S_OK, VT_I4, 2},       {15, 25, aohtNone, 0, S_FALSE, VT_EMPTY, 0},
      {15, 25, aohtChild, 2, S_OK, VT_DISPATCH, 0},
  };
  for (const Case& c : cases) {
    helper->hit = c.hit;
    helper->hitIndex = c.index;
    EXPECT_EQ(acc->accHitTest(c.x, c.y, &v), c.result) << c.x << "," << c.y;
    EXPECT_EQ(v.vt, c.vt) << c.x << "," << c.y;
    if (v.vt == VT_I4) {
      EXPECT_EQ(v.lVal, c.id);
    }
    if (v.vt == VT_DISPATCH) {
      EXPECT_EQ(v.pdispVal, own->AccessibleIntf());
    }
    VariantClear(&v);
  }

  EXPECT_EQ(acc->get_accFocus(&v), DISP_E_MEMBERNOTFOUND);
  helper->mask = 0x04;
  EXPECT_EQ(acc->get_accFocus(&v), S_FALSE);
  EXPECT_EQ(v.vt, VT_EMPTY);
  helper->focused = true;
  EXPECT_EQ(acc->get_accFocus(&v), S_OK);
  EXPECT_EQ(v.lVal, CHILDID_SELF);
  helper->focusedIsChild = true;
  helper->focusedIndex = 0;
  EXPECT_EQ(acc->get_accFocus(&v), S_OK);
  EXPECT_EQ(v.lVal, 1);
  helper->focusedIndex = 2;
  EXPECT_EQ(acc->get_accFocus(&v), S_OK);
  EXPECT_EQ(v.vt, VT_DISPATCH);
  VariantClear(&v);
}

TEST(AccessibilityHelperBase, UnoverriddenOperationsFailAtTheInterface) {
  TObject owner;
  auto helper = Make<TIncompleteHelper>(&owner);
  IAccessible* acc = helper->AccessibleIntf();
  std::string text;
  IDispatch* d = nullptr;
  VARIANT v;
  EXPECT_EQ(acc->get_accName(Child(1), &text), E_FAIL);            // IsSimpleElement
  EXPECT_EQ(acc->get_accChild(Child(2), &d), E_FAIL);              // IsSimpleElement
  EXPECT_EQ(acc->get_accValue(Child(0), &text), E_FAIL);           // ValueText
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(1), &v), E_FAIL);  // NavigateFrom
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Child(0), &v), E_FAIL);  // the first child's kind
  // Reaching the parent's IndexOfChild from a child fails alike.
  class TChildOf : public TcxAccessibilityHelper {
  public:
    TChildOf(TObject* o, TcxAccessibilityHelper* p) : TcxAccessibilityHelper(o), parent_(p) {}

  protected:
    TcxAccessibilityHelper* ParentHelper() override { return parent_; }
    TcxAccessibilityHelper* parent_;
  };
  auto* child = new TChildOf(&owner, helper.get());
  child->AddRef();
  EXPECT_EQ(child->accNavigate(NAVDIR_NEXT, Child(0), &v), E_FAIL);
  child->Release();
  // What the base describes: no children, no name, empty texts.
  auto plain = Make<TcxAccessibilityHelper>(&owner);
  int32_t count = -1;
  EXPECT_EQ(plain->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(plain->get_accName(Child(0), &text), S_FALSE);
  EXPECT_EQ(plain->get_accValue(Child(0), &text), DISP_E_MEMBERNOTFOUND);
  EXPECT_TRUE(plain->IsVisible());
}

TEST(AccessibilityHelperBase, InterfacesAndLifetime) {
  struct TCounted : TcxAccessibilityHelper {
    using TcxAccessibilityHelper::TcxAccessibilityHelper;
    ~TCounted() override { *freed = true; }
    bool* freed = nullptr;
  };
  bool freed = false;
  TObject owner;
  auto* helper = new TCounted(&owner);
  helper->freed = &freed;
  IUnknown* unknown = nullptr;
  ASSERT_EQ(helper->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  void* out = nullptr;
  for (const IID* iid : {&IID_IDispatch, &IID_IAccessible}) {
    ASSERT_EQ(unknown->QueryInterface(*iid, &out), S_OK);
    EXPECT_EQ(out, helper->AccessibleIntf());
    helper->Release();
  }
  IOleWindow* window = nullptr;
  ASSERT_EQ(unknown->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)), S_OK);
  HWND hwnd = reinterpret_cast<HWND>(1);
  EXPECT_EQ(window->GetWindow(&hwnd), S_OK);
  EXPECT_EQ(hwnd, nullptr);
  EXPECT_EQ(window->ContextSensitiveHelp(1), S_OK);
  window->Release();
  EXPECT_EQ(unknown->QueryInterface(IID_IEnumVARIANT, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  IDispatch* dispatch = helper->AccessibleIntf();
  uint32_t n = 0;
  int32_t id = 0;
  const char* name = "accName";
  EXPECT_EQ(dispatch->GetTypeInfoCount(&n), E_NOTIMPL);
  EXPECT_EQ(dispatch->GetTypeInfo(0, 0, &unknown), E_NOTIMPL);
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_IUnknown, &name, 1, 0, &id), E_NOTIMPL);
  EXPECT_EQ(dispatch->Invoke(0, IID_IUnknown, 0, 0, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
  EXPECT_FALSE(freed);
  helper->Release();
  EXPECT_TRUE(freed);
}

}  // namespace
