// The standard controls: the editing model, scroll bar geometry, and the
// controls driven by injected mouse and keyboard input on the headless screen.
#include "platform/vcl/stdctrls.h"

#include <gtest/gtest.h>

#include "tests/platform/vcl/controls_test.h"

namespace stdctrlstest {
namespace {

using namespace vcltest;
using win::UINT;

// ---------------------------------------------------------------- the editing model
struct EditCase {
  const char* Name;
  bool MultiLine;
  const char* Text;
  int32_t SelStart, SelLength;
  std::function<void(TTextEditor&)> Act;
  const char* Expected;
  int32_t ExpStart, ExpLength;
};

TEST(TextEditorTest, EditsSelectionsAndLimits) {
  const EditCase cases[] = {
      {"typing replaces the selection", false, "hello world", 6, 5, [](TTextEditor& e) { e.ReplaceSelection("there"); },
       "hello there", 11, 0},
      {"backspace at the start does nothing", false, "abc", 0, 0, [](TTextEditor& e) { EXPECT_FALSE(e.Backspace()); },
       "abc", 0, 0},
      {"backspace takes one code point", false, "a\xC3\xA9z", 2, 0, [](TTextEditor& e) { e.Backspace(); }, "az", 1, 0},
      {"delete takes the selection only", false, "abcdef", 1, 3, [](TTextEditor& e) { e.DeleteForward(); }, "aef", 1,
       0},
      {"word backspace takes the word before the caret", false, "one two  ", 9, 0,
       [](TTextEditor& e) { e.Backspace(true); }, "one ", 4, 0},
      {"the limit cuts typed text", false, "abc", 3, 0,
       [](TTextEditor& e) {
         e.SetMaxLength(5);
         e.ReplaceSelection("defgh");
       },
       "abcde", 5, 0},
      {"a full edit takes nothing", false, "abc", 1, 0,
       [](TTextEditor& e) {
         e.SetMaxLength(3);
         EXPECT_FALSE(e.ReplaceSelection("x"));
       },
       "abc", 1, 0},
      {"a single line keeps only the first line of a paste", false, "", 0, 0,
       [](TTextEditor& e) { e.ReplaceSelection("first\r\nsecond"); }, "first", 5, 0},
      {"line breaks count two characters", true, "ab\r\ncd", 4, 1, [](TTextEditor& e) { e.ReplaceSelection("X"); },
       "ab\r\nXd", 5, 0},
      {"deleting at a line end joins the lines", true, "ab\r\ncd", 2, 0, [](TTextEditor& e) { e.DeleteForward(); },
       "abcd", 2, 0},
      {"backspace at a line start joins the lines", true, "ab\r\ncd", 4, 0, [](TTextEditor& e) { e.Backspace(); },
       "abcd", 2, 0},
      {"pasting lines splits the line", true, "ac", 1, 0, [](TTextEditor& e) { e.ReplaceSelection("1\n2\r3"); },
       "a1\r\n2\r\n3c", 8, 0},
      {"word right stops at the next word", false, "one two", 0, 0,
       [](TTextEditor& e) { e.Move(cmWordRight, true); }, "one two", 0, 4},
      {"a collapsing move goes to the selection's edge", false, "abcdef", 4, -3,
       [](TTextEditor& e) { e.Move(cmCharRight, false); }, "abcdef", 4, 0},
      {"select word takes the run under the caret", false, "foo bar_baz qux", 6, 0,
       [](TTextEditor& e) { e.SelectWordAt(e.Caret()); }, "foo bar_baz qux", 4, 7},
  };
  for (const EditCase& c : cases) {
    TTextEditor e(c.MultiLine);
    e.SetText(c.Text);
    e.SetSelection(c.SelStart, c.SelLength);
    c.Act(e);
    EXPECT_EQ(e.Text(), c.Expected) << c.Name;
    EXPECT_EQ(e.SelStart(), c.ExpStart) << c.Name;
    EXPECT_EQ(e.SelLength(), c.ExpLength) << c.Name;
  }
}

TEST(TextEditorTest, IndexesAndPositionsAgreeAcrossLineBreaks) {
  TTextBuffer b(true);
  b.SetText("ab\r\n\r\nxyz");
  // Every index maps to a position and back, except those inside a break.
  const std::pair<int32_t, TTextPos> rows[] = {{0, {0, 0}}, {2, {0, 2}}, {3, {0, 2}}, {4, {1, 0}},
                                               {6, {2, 0}}, {9, {2, 3}}, {50, {2, 3}}};
  for (auto [index, pos] : rows) EXPECT_EQ(b.PosOf(index), pos) << index;
  EXPECT_EQ(b.IndexOf({2, 1}), 7);
  EXPECT_EQ(b.TextLength(), 9);
  EXPECT_EQ(b.Range({0, 1}, {2, 2}), "b\r\n\r\nxy");
}

// ---------------------------------------------------------------- scroll bar geometry
TEST(ScrollBarPartTest, ThumbFollowsPositionAndPageClicksStep) {
  TScrollBarPart bar;
  bar.Vertical = false;
  bar.Bounds = {0, 0, 217, 17};  // arrows 17 wide, track 183
  bar.Min = 0;
  bar.Max = 99;
  bar.PageSize = 10;
  bar.LargeChange = 10;
  std::vector<std::pair<TScrollCode, int32_t>> log;
  bar.OnScroll = [&](TScrollCode code, int32_t pos) {
    log.push_back({code, pos});
    if (code != scEndScroll) bar.Position = pos;
  };
  EXPECT_EQ(bar.MaxPosition(), 90);
  // Thumb size is the page's share of the track; its travel covers the positions.
  const TRect thumb0 = bar.PartRect(spThumb);
  EXPECT_EQ(thumb0.Left, 17);
  EXPECT_EQ(thumb0.Width(), 183 * 10 / 100);
  bar.Position = 90;
  EXPECT_EQ(bar.PartRect(spThumb).Right, 200);
  bar.Position = 45;
  const TRect mid = bar.PartRect(spThumb);
  EXPECT_EQ(bar.HitTest({mid.Left - 1, 8}), spPageUp);
  EXPECT_EQ(bar.HitTest({mid.Right, 8}), spPageDown);
  EXPECT_EQ(bar.HitTest({3, 8}), spLineUp);
  EXPECT_EQ(bar.HitTest({214, 8}), spLineDown);

  ASSERT_TRUE(bar.MouseDown({mid.Right + 2, 8}));
  bar.MouseUp({mid.Right + 2, 8});
  EXPECT_EQ(bar.Position, 55);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], std::make_pair(scPageDown, 55));
  EXPECT_EQ(log[1].first, scEndScroll);

  // Dragging the thumb to the far end reaches the last position, not beyond.
  log.clear();
  const TRect t = bar.PartRect(spThumb);
  bar.MouseDown({t.Left + 2, 8});
  bar.MouseMove({400, 8});
  bar.MouseUp({400, 8});
  EXPECT_EQ(bar.Position, 90);
  EXPECT_EQ(log.front().first, scTrack);
  EXPECT_EQ(log[log.size() - 2], std::make_pair(scPosition, 90));
}

// ---------------------------------------------------------------- controls
class StdCtrlsTest : public VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    RegisterStdCtrlsClasses();
  }
};

TEST_F(StdCtrlsTest, ButtonEndsShowModalWithItsModalResult) {
  struct Row {
    const char* Name;
    std::function<void(TButton* ok, TButton* cancel)> Act;
    TModalResult Expected;
  };
  const Row rows[] = {
      {"mouse on OK", [this](TButton* ok, TButton*) { Click(ok, 10, 10); }, mrOk},
      {"mouse on Cancel", [this](TButton*, TButton* c) { Click(c, 10, 10); }, mrCancel},
      {"Enter clicks the default button", [this](TButton*, TButton*) { backend_->Key(win::VK_RETURN); }, mrOk},
      {"Escape clicks the cancel button", [this](TButton*, TButton*) { backend_->Key(win::VK_ESCAPE); }, mrCancel},
      {"Space clicks the focused button", [this](TButton*, TButton*) { backend_->Key(win::VK_SPACE); }, mrOk},
  };
  for (const Row& row : rows) {
    TForm* f = MakeForm({100, 100, 400, 300});
    auto* ok = Add<TButton>(f, {10, 10, 85, 35});
    ok->SetCaption("OK");
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    auto* cancel = Add<TButton>(f, {100, 10, 175, 35});
    cancel->SetCaption("Cancel");
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    f->SetActiveControl(ok);
    f->HandleNeeded();
    // The input waits in the queue until the modal loop reads it.
    row.Act(ok, cancel);
    EXPECT_EQ(f->ShowModal(), row.Expected) << row.Name;
    EXPECT_EQ(clicks, row.Expected == mrOk ? 1 : 0) << row.Name;
    EXPECT_FALSE(f->Visible()) << row.Name;
  }
}

TEST_F(StdCtrlsTest, ReleasingTheMouseOutsideAButtonDoesNotClickIt) {
  TForm* f = ShownForm();
  auto* b = Add<TButton>(f, {10, 10, 85, 35});
  Pump();
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  TPoint down = At(b, 10, 10), away = At(b, 150, 10);
  backend_->MouseMove(down.X, down.Y);
  backend_->MouseDown(0, down.X, down.Y);
  Pump();
  backend_->MouseMove(away.X, away.Y);
  Pump();
  backend_->MouseUp(0, away.X, away.Y);
  Pump();
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(b->Focused()) << "the press focused the button";
  Click(b, 20, 12);
  Pump();
  EXPECT_EQ(clicks, 1);
}

TEST_F(StdCtrlsTest, CheckBoxCyclesItsStates) {
  struct Row {
    bool AllowGrayed;
    std::vector<TCheckBoxState> After;  // the state after each click
  };
  const Row rows[] = {{false, {cbChecked, cbUnchecked, cbChecked}},
                      {true, {cbGrayed, cbChecked, cbUnchecked, cbGrayed}}};
  for (const Row& row : rows) {
    TForm* f = ShownForm();
    auto* cb = Add<TCheckBox>(f, {10, 10, 150, 27});
    cb->SetCaption("&Grey");
    cb->SetAllowGrayed(row.AllowGrayed);
    Pump();
    int clicks = 0;
    cb->OnClick = [&](TObject*) { ++clicks; };
    for (size_t i = 0; i < row.After.size(); ++i) {
      // Mouse and Space take turns: both make one step.
      if (i % 2 == 0) Click(cb, 5, 8);
      else backend_->Key(win::VK_SPACE);
      Pump();
      EXPECT_EQ(cb->State(), row.After[i]) << "allow grayed " << row.AllowGrayed << ", step " << i;
    }
    EXPECT_EQ(clicks, int(row.After.size()));
    EXPECT_EQ(cb->Checked(), cb->State() == cbChecked);
  }
}

TEST_F(StdCtrlsTest, RadioButtonsOfOneParentExcludeEachOther) {
  TForm* f = ShownForm();
  auto* group = Add<TGroupBox>(f, {200, 10, 380, 120});
  TRadioButton* a = Add<TRadioButton>(f, {10, 10, 150, 27});
  TRadioButton* b = Add<TRadioButton>(f, {10, 40, 150, 57});
  TRadioButton* c = Add<TRadioButton>(f, {10, 70, 150, 87});
  TRadioButton* other = Add<TRadioButton>(group, {10, 30, 150, 47});
  other->SetChecked(true);
  Pump();
  std::string clicked;
  for (auto [r, n] : {std::pair{a, "a"}, std::pair{b, "b"}, std::pair{c, "c"}})
    r->OnClick = [&clicked, n = n](TObject*) { clicked += n; };
  Click(b, 5, 8);
  Pump();
  EXPECT_TRUE(b->Checked());
  Click(a, 5, 8);
  Pump();
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
  // Clicking the checked one again changes nothing.
  Click(a, 5, 8);
  Pump();
  c->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  // The arrow keys move the check along the group.
  a->SetFocus();
  Press(win::VK_DOWN);
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(clicked, "bacb");
  EXPECT_TRUE(other->Checked()) << "another parent is another group";
}

TEST_F(StdCtrlsTest, EditTypingSelectionAndDeletion) {
  struct Step {
    UINT Vk;
    bool Shift, Ctrl;
  };
  struct Row {
    const char* Name;
    std::vector<Step> Keys;
    const char* Text;
    int32_t SelStart, SelLength;
  };
  const Row rows[] = {
      {"typing", {}, "hello world", 11, 0},
      {"backspace", {{win::VK_BACK, false, false}}, "hello worl", 10, 0},
      {"shift+home selects back to the start", {{win::VK_HOME, true, false}}, "hello world", 0, 11},
      {"ctrl+shift+left selects the last word", {{win::VK_LEFT, true, true}}, "hello world", 6, 5},
      {"delete removes the selection",
       {{win::VK_LEFT, true, true}, {win::VK_DELETE, false, false}},
       "hello ",
       6,
       0},
      {"delete after home takes the first character",
       {{win::VK_HOME, false, false}, {win::VK_DELETE, false, false}},
       "ello world",
       0,
       0},
      {"ctrl+a then typing replaces everything", {{'A', false, true}, {'X', false, false}}, "x", 1, 0},
  };
  for (const Row& row : rows) {
    TForm* f = ShownForm();
    auto* e = Add<TEdit>(f, {10, 10, 300, 31});
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->SetFocus();
    Pump();
    backend_->Type("hello world");
    Pump();
    ASSERT_EQ(e->Text(), "hello world") << row.Name;
    EXPECT_EQ(changes, 11) << row.Name;
    for (const Step& s : row.Keys) Press(s.Vk, s.Shift, s.Ctrl);
    EXPECT_EQ(e->Text(), row.Text) << row.Name;
    EXPECT_EQ(e->SelStart(), row.SelStart) << row.Name;
    EXPECT_EQ(e->SelLength(), row.SelLength) << row.Name;
    EXPECT_TRUE(e->Modified()) << row.Name;
  }
}

TEST_F(StdCtrlsTest, EditMouseSelectsAndLimitsApply) {
  TForm* f = ShownForm();
  auto* e = Add<TEdit>(f, {10, 10, 300, 31});
  e->SetText("one two three");
  Pump();
  // A double click selects the word under the mouse.
  TPoint p = At(e, 40, 8);
  backend_->Click(p.X, p.Y);
  backend_->Click(p.X, p.Y);
  Pump();
  EXPECT_EQ(e->SelText(), "two");
  // Dragging from the start to the end selects everything.
  TPoint a = At(e, 1, 8), b = At(e, 290, 8);
  backend_->MouseMove(a.X, a.Y);
  backend_->MouseDown(0, a.X, a.Y);
  Pump();  // the press takes the mouse before the next move is read
  backend_->MouseMove(b.X, b.Y);
  Pump();
  backend_->MouseUp(0, b.X, b.Y);
  Pump();
  EXPECT_EQ(e->SelText(), "one two three");

  struct Row {
    const char* Name;
    std::function<void(TEdit*)> Setup;
    const char* Typed;
    const char* Text;
  };
  const Row rows[] = {
      {"max length", [](TEdit* x) { x->SetMaxLength(4); }, "abcdef", "abcd"},
      {"read only", [](TEdit* x) { x->SetReadOnly(true); }, "abc", ""},
      {"numbers only", [](TEdit* x) { x->SetNumbersOnly(true); }, "a1b2", "12"},
      {"upper case", [](TEdit* x) { x->SetCharCase(ecUpperCase); }, "abC", "ABC"},
  };
  for (const Row& row : rows) {
    auto* x = Add<TEdit>(f, {10, 50, 300, 71});
    row.Setup(x);
    x->SetFocus();
    Pump();
    backend_->Type(row.Typed);
    Pump();
    EXPECT_EQ(x->Text(), row.Text) << row.Name;
  }
}

TEST_F(StdCtrlsTest, EditClipboardRoundTrip) {
  TForm* f = ShownForm();
  auto* e = Add<TEdit>(f, {10, 10, 300, 31});
  e->SetFocus();
  Pump();
  backend_->Type("abc def");
  Pump();
  Press(win::VK_LEFT, true, true);  // selects "def"
  Press('C', false, true);
  std::string clip;
  ASSERT_TRUE(ClipboardGetText(nullptr, clip));
  EXPECT_EQ(clip, "def");
  EXPECT_EQ(backend_->ClipboardText().value_or(""), "def") << "the desktop's clipboard has it too";
  Press(win::VK_HOME);
  Press('V', false, true);
  EXPECT_EQ(e->Text(), "defabc def");
  Press(win::VK_HOME, true);  // selects "def" before the caret
  Press('X', false, true);
  EXPECT_EQ(e->Text(), "abc def");
  ASSERT_TRUE(ClipboardGetText(nullptr, clip));
  EXPECT_EQ(clip, "def");
  // A password is never copied out.
  e->SetPasswordChar(u'*');
  e->SelectAll();
  ClipboardSetText(nullptr, "before");
  Press('C', false, true);
  ASSERT_TRUE(ClipboardGetText(nullptr, clip));
  EXPECT_EQ(clip, "before");
  // Setting the text that code set before the user typed still takes effect.
  e->SetPasswordChar(0);
  e->SetText("x");
  Press(win::VK_END);
  backend_->Type("y");
  Pump();
  ASSERT_EQ(e->Text(), "xy");
  e->SetText("x");
  EXPECT_EQ(e->Text(), "x");
}

TEST_F(StdCtrlsTest, MemoLinesAndTextStayInStep) {
  struct Row {
    const char* Name;
    std::function<void(TMemo*)> Act;
    const char* Text;
    int32_t Count;
  };
  const Row rows[] = {
      {"adding lines ends the text with a break",
       [](TMemo* m) {
         m->Lines()->Add("a");
         m->Lines()->Add("b");
       },
       "a\r\nb\r\n", 2},
      {"text splits into lines", [](TMemo* m) { m->SetText("x\ny\r\nz"); }, "x\r\ny\r\nz", 3},
      {"inserting at the top", [](TMemo* m) {
         m->SetText("a\r\nb");
         m->Lines()->Insert(0, "z");
       },
       "z\r\na\r\nb", 3},
      {"deleting the last line keeps the break before it", [](TMemo* m) {
         m->SetText("a\r\nb");
         m->Lines()->Delete(1);
       },
       "a\r\n", 1},
      {"replacing a line", [](TMemo* m) {
         m->SetText("a\r\nb\r\nc");
         m->Lines()->SetStrings(1, "B");
       },
       "a\r\nB\r\nc", 3},
      {"assigning another list", [](TMemo* m) {
         TStringList l;
         l.Add("1");
         l.Add("2");
         m->Lines()->Assign(&l);
       },
       "1\r\n2\r\n", 2},
      {"clearing", [](TMemo* m) {
         m->SetText("a\r\nb");
         m->Lines()->Clear();
       },
       "", 0},
  };
  for (const Row& row : rows) {
    TForm* f = MakeForm({100, 100, 400, 300});
    auto* m = Add<TMemo>(f, {10, 10, 200, 100});
    int changes = 0;
    m->OnChange = [&](TObject*) { ++changes; };
    row.Act(m);
    EXPECT_EQ(m->Text(), row.Text) << row.Name;
    EXPECT_EQ(m->Lines()->Count(), row.Count) << row.Name;
    EXPECT_GT(changes, 0) << row.Name;
  }
  // Typing a line break splits a line seen through Lines.
  TForm* f = ShownForm();
  auto* m = Add<TMemo>(f, {10, 10, 200, 100});
  m->SetFocus();
  Pump();
  backend_->Type("ab");
  backend_->Key(win::VK_RETURN);
  backend_->Type("c");
  Pump();
  ASSERT_EQ(m->Lines()->Count(), 2);
  EXPECT_EQ(m->Lines()->Strings(0), "ab");
  EXPECT_EQ(m->Lines()->Strings(1), "c");
  EXPECT_EQ(m->CaretPos(), TPoint(1, 1));
}

TEST_F(StdCtrlsTest, MemoScrollsToTheLastLineByKeysWheelAndBar) {
  TForm* f = ShownForm();
  auto* m = Add<TMemo>(f, {10, 10, 200, 110});
  m->SetScrollBars(ssVertical);
  m->SetReadOnly(true);
  m->Lines()->BeginUpdate();
  for (int i = 0; i < 100; ++i) m->Lines()->Add("line " + std::to_string(i));
  m->Lines()->EndUpdate();
  m->SetFocus();
  Pump();
  const int32_t visible = m->VisibleRows();
  ASSERT_GT(visible, 2);
  ASSERT_LT(visible, 20);
  ASSERT_EQ(m->RowCount(), 101);  // the empty line after the last break
  EXPECT_EQ(m->TopRow(), 0);

  Press(win::VK_END, false, true);
  EXPECT_EQ(m->TopRow(), m->RowCount() - visible);
  EXPECT_EQ(m->CaretPos().Y, 100);
  Press(win::VK_HOME, false, true);
  EXPECT_EQ(m->TopRow(), 0);

  // Three rows per notch of the wheel.
  TPoint p = At(m, 50, 30);
  backend_->Wheel(-120, p.X, p.Y);
  Pump();
  EXPECT_EQ(m->TopRow(), 3);
  backend_->Wheel(120, p.X, p.Y);
  Pump();
  EXPECT_EQ(m->TopRow(), 0);

  // A click below the scroll bar's thumb pages down.
  const TScrollBarPart& bar = m->VertScrollBar();
  ASSERT_FALSE(bar.Bounds.IsEmpty());
  const TRect page = bar.PartRect(spPageDown);
  ASSERT_FALSE(page.IsEmpty());
  Click(m, page.Left + page.Width() / 2, page.Bottom - 3);
  Pump();
  EXPECT_EQ(m->TopRow(), visible - 1);
  // Setting SelStart from code brings the caret into view.
  m->SetSelStart(int32_t(m->Text().size()));
  EXPECT_EQ(m->TopRow(), m->RowCount() - visible);
}

TEST_F(StdCtrlsTest, MemoWordWrapBreaksLongLinesAtBlanks) {
  TForm* f = ShownForm();
  auto* m = Add<TMemo>(f, {10, 10, 120, 200});
  m->SetText("alpha beta gamma delta epsilon zeta eta theta");
  Pump();
  EXPECT_GT(m->RowCount(), 2);
  m->SetWordWrap(false);
  EXPECT_EQ(m->RowCount(), 1);
  // Moving down by rows stays within the line while wrapped.
  m->SetWordWrap(true);
  m->SetFocus();
  Pump();
  Press(win::VK_HOME, false, true);
  Press(win::VK_DOWN);
  EXPECT_EQ(m->CaretPos().Y, 0);
  EXPECT_GT(m->CaretPos().X, 0);
}

TEST_F(StdCtrlsTest, ComboBoxKeysChooseItemsAndFireOnChange) {
  TForm* f = ShownForm();
  auto* cb = Add<TComboBox>(f, {10, 10, 160, 31});
  cb->SetStyle(csDropDownList);
  for (const char* s : {"Red", "Green", "Blue"}) cb->Items()->Add(s);
  std::vector<std::string> changes;
  cb->OnChange = [&](TObject*) { changes.push_back(cb->Text()); };
  cb->SetFocus();
  Pump();
  struct Row {
    UINT Key;
    int32_t Index;
  };
  for (const Row& r : {Row{win::VK_DOWN, 0}, Row{win::VK_DOWN, 1}, Row{win::VK_END, 2}, Row{win::VK_DOWN, 2},
                       Row{win::VK_UP, 1}, Row{win::VK_HOME, 0}}) {
    Press(r.Key);
    EXPECT_EQ(cb->ItemIndex(), r.Index);
  }
  // Typing a letter jumps to the item starting with it.
  backend_->Type("b");
  Pump();
  EXPECT_EQ(cb->ItemIndex(), 2);
  EXPECT_EQ(changes, (std::vector<std::string>{"Red", "Green", "Blue", "Green", "Red", "Blue"}))
      << "no change at the end of the list";
  // Setting the index from code fires nothing.
  cb->SetItemIndex(0);
  EXPECT_EQ(changes.size(), 6u);
  // With OnSelect assigned, a choice fires it instead of OnChange.
  int selects = 0;
  cb->OnSelect = [&](TObject*) { ++selects; };
  Press(win::VK_DOWN);
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(changes.size(), 6u);
}

TEST_F(StdCtrlsTest, ComboBoxListDropsAndTheMouseChooses) {
  TForm* f = ShownForm();
  auto* cb = Add<TComboBox>(f, {10, 10, 160, 31});
  for (const char* s : {"one", "two", "three"}) cb->Items()->Add(s);
  int changes = 0, drops = 0, closes = 0;
  cb->OnChange = [&](TObject*) { ++changes; };
  cb->OnDropDown = [&](TObject*) { ++drops; };
  cb->OnCloseUp = [&](TObject*) { ++closes; };
  Pump();
  ASSERT_NE(cb->EditControl(), nullptr);
  // The button drops the list below the combo.
  Click(cb, cb->ClientWidth() - 5, cb->ClientHeight() / 2);
  Pump();
  ASSERT_TRUE(cb->DroppedDown());
  win::HWND list = win::FindWindow("TComboListWindow", nullptr);
  ASSERT_NE(list, nullptr);
  win::RECT lr, cr;
  win::GetWindowRect(list, &lr);
  win::GetWindowRect(cb->Handle(), &cr);
  EXPECT_EQ(lr.Top, cr.Bottom);
  win::POINT item{5, cb->ItemHeight() + cb->ItemHeight() / 2};
  win::ClientToScreen(list, &item);
  backend_->Click(item.X, item.Y);
  Pump();
  EXPECT_FALSE(cb->DroppedDown());
  EXPECT_EQ(cb->ItemIndex(), 1);
  EXPECT_EQ(cb->Text(), "two");
  EXPECT_EQ(changes, 1);
  // Typing in the edit part changes the text; F4 and Escape open and close without a choice.
  cb->SetFocus();
  Pump();
  Press('A', false, true);
  backend_->Type("thr");
  Pump();
  EXPECT_EQ(cb->Text(), "thr");
  EXPECT_EQ(cb->ItemIndex(), -1);
  Press(win::VK_F4);
  EXPECT_TRUE(cb->DroppedDown());
  Press(win::VK_ESCAPE);
  EXPECT_FALSE(cb->DroppedDown());
  EXPECT_EQ(cb->Text(), "thr");
  EXPECT_EQ(drops, 2);
  EXPECT_EQ(closes, 2);
}

TEST_F(StdCtrlsTest, ListBoxClicksAndKeysSelect) {
  TForm* f = ShownForm();
  auto* lb = Add<TListBox>(f, {10, 10, 160, 110});
  for (int i = 0; i < 20; ++i) lb->Items()->Add("item " + std::to_string(i));
  int clicks = 0, dbl = 0;
  lb->OnClick = [&](TObject*) { ++clicks; };
  lb->OnDblClick = [&](TObject*) { ++dbl; };
  Pump();
  const int32_t h = lb->ItemHeight();
  Click(lb, 10, 2 * h + h / 2);
  Pump();
  EXPECT_EQ(lb->ItemIndex(), 2);
  EXPECT_TRUE(lb->Selected(2));
  EXPECT_EQ(clicks, 1);
  // The same item again: no change, no click. Two quick presses make a double click.
  Click(lb, 10, 2 * h + h / 2);
  Pump();
  EXPECT_EQ(clicks, 1);
  const int dblBefore = dbl;
  Click(lb, 10, 4 * h + h / 2);
  Click(lb, 10, 4 * h + h / 2);
  Pump();
  EXPECT_EQ(dbl, dblBefore + 1);
  EXPECT_EQ(lb->ItemIndex(), 4);
  EXPECT_EQ(clicks, 2);
  Press(win::VK_END);
  EXPECT_EQ(lb->ItemIndex(), 19);
  EXPECT_EQ(lb->TopIndex(), 20 - lb->VisibleCount());
  EXPECT_EQ(clicks, 3);
  // Items inserted above move the selection along with its item.
  lb->Items()->Insert(0, "new");
  EXPECT_EQ(lb->ItemIndex(), 20);
  lb->Items()->Delete(20);
  EXPECT_EQ(lb->ItemIndex(), -1);
}

TEST_F(StdCtrlsTest, ListBoxMultiSelectExtendsWithShiftAndCtrl) {
  TForm* f = ShownForm();
  auto* lb = Add<TListBox>(f, {10, 10, 160, 200});
  lb->SetMultiSelect(true);
  for (int i = 0; i < 8; ++i) lb->Items()->Add(std::to_string(i));
  Pump();
  const int32_t h = lb->ItemHeight();
  auto clickRow = [&](int row, bool shift, bool ctrl) {
    if (shift) backend_->KeyDown(win::VK_LSHIFT);
    if (ctrl) backend_->KeyDown(win::VK_LCONTROL);
    Click(lb, 10, row * h + h / 2);
    if (ctrl) backend_->KeyUp(win::VK_LCONTROL);
    if (shift) backend_->KeyUp(win::VK_LSHIFT);
    Pump();
  };
  auto selected = [&] {
    std::string s;
    for (int i = 0; i < lb->Count(); ++i) s += lb->Selected(i) ? '1' : '0';
    return s;
  };
  clickRow(1, false, false);
  EXPECT_EQ(selected(), "01000000");
  clickRow(4, true, false);
  EXPECT_EQ(selected(), "01111000");
  clickRow(6, false, true);
  EXPECT_EQ(selected(), "01111010");
  clickRow(2, false, true);
  EXPECT_EQ(selected(), "01011010");
  EXPECT_EQ(lb->SelCount(), 4);
  clickRow(7, false, false);
  EXPECT_EQ(selected(), "00000001");
}

TEST_F(StdCtrlsTest, OwnerDrawnListBoxDrawsEveryVisibleItem) {
  TForm* f = ShownForm();
  auto* lb = Add<TListBox>(f, {10, 10, 160, 110});
  lb->SetStyle(lbOwnerDrawFixed);
  lb->SetItemHeight(20);
  for (int i = 0; i < 10; ++i) lb->Items()->Add(std::to_string(i));
  lb->SetItemIndex(1);
  std::vector<std::pair<int32_t, bool>> drawn;
  lb->OnDrawItem = [&](TWinControl*, int32_t index, TRect rect, TOwnerDrawState state) {
    drawn.push_back({index, state.Contains(odSelected)});
    EXPECT_EQ(rect.Height(), 20);
    lb->Canvas()->Brush()->SetColor(index % 2 ? clRed : clLime);
    lb->Canvas()->FillRect(rect);
  };
  lb->Invalidate();
  Pump();
  ASSERT_FALSE(drawn.empty());
  const int32_t visible = lb->ClientHeight() / 20;
  EXPECT_EQ(int32_t(drawn.size()), std::min(10, visible + 1));
  EXPECT_EQ(drawn[1], std::make_pair(1, true));
  EXPECT_EQ(Pixel(lb, 30, 30), Rgb(clRed));
  EXPECT_EQ(Pixel(lb, 30, 50), Rgb(clLime));
}

TEST_F(StdCtrlsTest, ScrollBarPageClicksArrowsAndKeys) {
  TForm* f = ShownForm();
  auto* sb = Add<TScrollBar>(f, {10, 10, 227, 27});
  sb->SetLargeChange(10);
  sb->SetSmallChange(2);
  std::vector<TScrollCode> codes;
  int changes = 0;
  sb->OnScroll = [&](TObject*, TScrollCode code, int32_t&) { codes.push_back(code); };
  sb->OnChange = [&](TObject*) { ++changes; };
  Pump();
  struct Row {
    const char* Name;
    std::function<void()> Act;
    int32_t Position;
  };
  const Row rows[] = {
      {"page right", [&] { Click(sb, sb->Part().PartRect(spThumb).Right + 5, 8); }, 10},
      {"page right again", [&] { Click(sb, sb->Part().PartRect(spThumb).Right + 5, 8); }, 20},
      {"page left", [&] { Click(sb, sb->Part().PartRect(spThumb).Left - 3, 8); }, 10},
      {"right arrow", [&] { Click(sb, 214, 8); }, 12},
      {"left arrow", [&] { Click(sb, 3, 8); }, 10},
      {"end key", [&] { Press(win::VK_END); }, 100},
      {"right key at the end", [&] { Press(win::VK_RIGHT); }, 100},
  };
  for (const Row& r : rows) {
    r.Act();
    Pump();
    EXPECT_EQ(sb->Position(), r.Position) << r.Name;
  }
  EXPECT_EQ(changes, 6);
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(codes[0], scPageDown);
  EXPECT_EQ(codes[1], scEndScroll);
  // OnScroll may change where the position goes.
  sb->OnScroll = [](TObject*, TScrollCode code, int32_t& pos) {
    if (code != scEndScroll) pos = 42;
  };
  Press(win::VK_HOME);
  EXPECT_EQ(sb->Position(), 42);
}

TEST_F(StdCtrlsTest, LabelAcceleratorFocusesItsControl) {
  TForm* f = ShownForm();
  auto* first = Add<TEdit>(f, {10, 10, 150, 31});
  auto* label = Add<TLabel>(f, {10, 50, 100, 67});
  label->SetCaption("&Name:");
  auto* target = Add<TEdit>(f, {110, 48, 250, 69});
  label->SetFocusControl(target);
  auto* check = Add<TCheckBox>(f, {10, 80, 150, 97});
  check->SetCaption("&Keep");
  first->SetFocus();
  Pump();
  Press('N', false, false, true);
  EXPECT_TRUE(target->Focused());
  // A check box's accelerator toggles it and takes the focus.
  Press('K', false, false, true);
  EXPECT_TRUE(check->Checked());
  EXPECT_TRUE(check->Focused());
  // A push button's accelerator clicks it and leaves the focus where it is.
  auto* go = Add<TButton>(f, {200, 80, 275, 105});
  go->SetCaption("&Go");
  int goClicks = 0;
  go->OnClick = [&](TObject*) { ++goClicks; };
  Press('G', false, false, true);
  EXPECT_EQ(goClicks, 1);
  EXPECT_TRUE(check->Focused());
  // Without Alt a letter is an accelerator only where the focus takes no characters.
  Press('G');
  EXPECT_EQ(goClicks, 2) << "a check box takes no characters";
  target->SetFocus();
  Pump();
  Press('G');
  EXPECT_EQ(goClicks, 2);
  EXPECT_EQ(target->Text(), "g");
  // An auto-sized label measures its caption.
  auto* sized = Add<TLabel>(f, {10, 120, 20, 130});
  sized->SetCaption("A much longer caption");
  EXPECT_GT(sized->Width(), 100);
  EXPECT_GT(sized->Height(), 8);
}

}  // namespace
}  // namespace stdctrlstest
