// The window helpers of the container unit and its popup-window hooks, on
// the headless display.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/classes/lists.h"
#include "tests/platform/vcl/controls_test.h"
#include "ui/lookandfeel/cxContainer.h"

namespace {

using vcltest::TProbe;

class ContainerHelpersTest : public vcltest::VclTest {
protected:
  // Counts the queued messages of wnd in [lo, hi] without taking them.
  static int Queued(win::HWND wnd, win::UINT lo, win::UINT hi) {
    std::vector<win::MSG> taken;
    win::MSG m{};
    while (win::PeekMessage(&m, wnd, lo, hi, win::PM_REMOVE) > 0 && m.message != win::WM_QUIT) taken.push_back(m);
    if (m.message == win::WM_QUIT) win::PostQuitMessage(int(m.wParam));
    for (const win::MSG& t : taken) win::PostMessage(t.hwnd, t.message, t.wParam, t.lParam);
    return int(taken.size());
  }
  // Takes the quit request out again, so that later tests keep running; its exit code or -1.
  static int TakeQuit() {
    win::MSG m{};
    while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE) > 0) {}
    return m.message == win::WM_QUIT ? int(m.wParam) : -1;
  }
  // A probe on form at bounds, owned by owner (whose popup it is), listed as an open popup.
  TProbe* ListedPopupOf(TForm* form, TProbe* owner, TRect bounds) {
    auto* popup = new TProbe(owner);
    popup->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    popup->SetParent(form);
    Pump();
    cxPopupWindowList()->Add(popup);
    return popup;
  }
};

TEST_F(ContainerHelpersTest, RemovePendingMessages) {
  TForm* form = ShownForm();
  // Not a child of form: a window's filter takes its children's messages too.
  TForm* other = MakeForm({600, 100, 700, 200});
  other->Show();
  const win::HWND wnd = form->Handle();
  const win::UINT first = win::WM_APP + 1, last = win::WM_APP + 3;
  Pump();

  for (int i = 0; i < 3; ++i) win::PostMessage(wnd, first + i, 0, 0);
  win::PostMessage(other->Handle(), first, 0, 0);
  EXPECT_TRUE(RemovePendingMessages(wnd, first, last, false));
  EXPECT_EQ(Queued(wnd, first, last), 2);
  EXPECT_EQ(Queued(other->Handle(), first, last), 1);  // another window's stays
  EXPECT_TRUE(RemovePendingMessages(wnd, first, last, true));
  EXPECT_EQ(Queued(wnd, first, last), 0);
  EXPECT_FALSE(RemovePendingMessages(wnd, first, last, true));  // nothing left

  // A quit request is put back and ends the removal.
  win::PostQuitMessage(7);
  EXPECT_FALSE(RemovePendingMessages(wnd, first, last, true));
  EXPECT_EQ(TakeQuit(), 7);  // and everything else queued

  // A destroyed window: nothing removed, the others' messages stay.
  TProbe* gone = Add<TProbe>(form, {60, 10, 90, 50});
  const win::HWND goneWnd = gone->Handle();
  delete gone;
  ASSERT_FALSE(win::IsWindow(goneWnd));
  win::PostMessage(other->Handle(), first, 0, 0);
  EXPECT_FALSE(RemovePendingMessages(goneWnd, 0, 0, true));
  EXPECT_EQ(Queued(other->Handle(), first, last), 1);
  RemovePendingMessages(other->Handle(), first, last, true);
}

TEST_F(ContainerHelpersTest, DisableIntoListAndEnableWhatStillExists) {
  TForm* form = ShownForm();
  TProbe* a = Add<TProbe>(form, {0, 0, 20, 20});
  TProbe* b = Add<TProbe>(form, {30, 0, 50, 20});
  TProbe* off = Add<TProbe>(form, {60, 0, 80, 20});
  win::EnableWindow(off->Handle(), win::FALSE);

  TList list;
  for (TProbe* p : {a, b, off}) DisableWindowIntoList(&list, p->Handle());
  ASSERT_EQ(list.Count(), 2);  // the disabled one is not remembered
  EXPECT_FALSE(win::IsWindowEnabled(a->Handle()));
  EXPECT_FALSE(win::IsWindowEnabled(b->Handle()));

  delete b;  // destroyed meanwhile
  EnableWindowsFromList(&list);
  EXPECT_TRUE(win::IsWindowEnabled(a->Handle()));
  EXPECT_FALSE(win::IsWindowEnabled(off->Handle()));  // was never ours to enable
  EnableWindowsFromList(nullptr);
}

TEST_F(ContainerHelpersTest, WindowRelations) {
  TForm* form = ShownForm();
  TProbe* panel = Add<TProbe>(form, {0, 0, 200, 200});
  TProbe* inner = Add<TProbe>(form, {10, 10, 50, 50});
  inner->SetParent(panel);
  TForm* elsewhere = MakeForm({600, 100, 700, 200});
  elsewhere->Show();
  Pump();

  EXPECT_EQ(GetTopLevelWindow(inner->Handle()), form->Handle());
  EXPECT_EQ(GetTopLevelWindow(form->Handle()), form->Handle());
  EXPECT_EQ(GetTopLevelWindow(nullptr), nullptr);

  struct Case {
    TWinControl* control;
    win::HWND wnd;
    bool deep, expected;
  } cases[] = {
      {panel, panel->Handle(), false, true},  {panel, inner->Handle(), false, false},
      {panel, inner->Handle(), true, true},   {inner, panel->Handle(), true, false},
      {form, inner->Handle(), true, true},    {form, elsewhere->Handle(), true, false},
      {panel, nullptr, true, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsWindowOf(c.control, c.wnd, c.deep), c.expected) << c.control->Name();

  EXPECT_TRUE(IsControlWindowVisible(inner));
  panel->Hide();
  EXPECT_FALSE(IsControlWindowVisible(inner));  // hidden with its parent
  TProbe unhandled(nullptr);
  EXPECT_FALSE(IsControlWindowVisible(&unhandled));

  elsewhere->SetFocus();
  Pump();
  EXPECT_TRUE(IsFormActive(elsewhere));
  EXPECT_FALSE(IsFormActive(form));
  form->SetFocus();
  Pump();
  EXPECT_TRUE(IsFormActive(form));
  EXPECT_FALSE(IsFormActive(elsewhere));
}

TEST_F(ContainerHelpersTest, ShiftStateFollowsTheKeyboard) {
  EXPECT_FALSE(GetShiftState().Contains(ssShift));
  backend_->KeyDown(win::VK_LSHIFT);
  backend_->KeyDown(win::VK_LCONTROL);
  Pump();
  const TShiftState held = GetShiftState();
  backend_->KeyUp(win::VK_LCONTROL);
  backend_->KeyUp(win::VK_LSHIFT);
  Pump();
  EXPECT_TRUE(held.Contains(ssShift));
  EXPECT_TRUE(held.Contains(ssCtrl));
  EXPECT_FALSE(held.Contains(ssAlt));
  EXPECT_FALSE(GetShiftState().Contains(ssShift));
}

TEST(ContainerValueNames, FoundIgnoringCase) {
  const struct {
    const char* name;
    int32_t index;
  } cases[] = {{"BorderColor", 0}, {"bordercolor", 0}, {"EDGES", 3}, {"TransparentBorder", 9},
               {"textstyle", 8},   {"Colour", -1},     {"", -1},     {"Color ", -1}};
  for (const auto& c : cases) EXPECT_EQ(FindValueIndex(c.name), c.index) << '"' << c.name << '"';
}

TEST_F(ContainerHelpersTest, HooksPassInputOnAndClosePopupsOnAClickElsewhere) {
  TForm* form = ShownForm();
  TProbe* target = Add<TProbe>(form, {10, 10, 110, 60});
  std::vector<std::string> seen;
  target->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { seen.push_back("click"); };
  target->OnKeyDown = [&](TObject*, win::WORD& key, TShiftState) { seen.push_back("key " + std::to_string(key)); };
  Pump();
  target->SetFocus();
  Pump();

  ASSERT_NE(cxPopupWindowList(), nullptr);
  EXPECT_EQ(cxPopupWindowList()->Count(), 0);
  Click(target, 5, 5);
  Pump();
  Press('A');
  EXPECT_EQ(seen, (std::vector<std::string>{"click", "key 65"}));

  // A popup opened by target: a click inside its owner keeps it, one elsewhere closes it.
  TProbe* owner = Add<TProbe>(form, {150, 10, 250, 60});
  TProbe* popup = ListedPopupOf(form, owner, {150, 100, 250, 150});
  Click(owner, 5, 5);
  Pump();
  EXPECT_EQ(cxPopupWindowList()->Count(), 1);
  EXPECT_TRUE(popup->Visible());
  Click(target, 5, 5);
  Pump();
  EXPECT_EQ(cxPopupWindowList()->Count(), 0);
  EXPECT_FALSE(popup->Visible());
  EXPECT_EQ(seen.back(), "click");  // the click itself still arrives
}

TEST_F(ContainerHelpersTest, PopupsCloseWhenTheirOwnerChanges) {
  TForm* form = ShownForm();
  struct Case {
    const char* what;
    std::function<void(TProbe* owner)> act;
  };
  const Case cases[] = {
      {"owner hidden", [](TProbe* owner) { owner->Hide(); }},
      {"owner moved", [](TProbe* owner) { owner->SetLeft(owner->Left() + 5); }},
      {"owner's form moved", [&](TProbe*) { form->SetLeft(form->Left() + 5); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TProbe* owner = Add<TProbe>(form, {10, 10, 60, 60});
    TProbe* popup = ListedPopupOf(form, owner, {10, 100, 60, 150});
    c.act(owner);
    Pump();
    EXPECT_EQ(cxPopupWindowList()->IndexOf(popup), -1);
    EXPECT_FALSE(popup->Visible());
    cxPopupWindowList()->Clear();
  }
  // A listed popup that is freed leaves the list.
  TProbe* owner = Add<TProbe>(form, {10, 10, 60, 60});
  TProbe* popup = ListedPopupOf(form, owner, {10, 100, 60, 150});
  delete popup;
  EXPECT_EQ(cxPopupWindowList()->Count(), 0);
  Click(owner, 5, 5);  // the hooks find nothing freed
  Pump();
}

TEST_F(ContainerHelpersTest, AltKeysAreNeutralisedWhileAPopupIsOpen) {
  TForm* form = ShownForm();
  TProbe* target = Add<TProbe>(form, {10, 10, 110, 60});
  std::vector<win::WORD> keys;
  target->OnKeyDown = [&](TObject*, win::WORD& key, TShiftState) { keys.push_back(key); };
  Pump();
  target->SetFocus();
  Pump();
  TProbe* popup = Add<TProbe>(form, {150, 100, 250, 150});
  cxPopupWindowList()->Add(popup);
  Press('B', false, false, true);
  Press('C');
  cxPopupWindowList()->Clear();
  Press('D', false, false, true);
  // Alt itself goes down as a system key: neutralised too while the popup is open.
  EXPECT_EQ(keys, (std::vector<win::WORD>{'C', win::VK_MENU, 'D'}));
}

}  // namespace
