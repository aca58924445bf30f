// Forms and the application: modal runs, keyboard preview and shortcuts,
// forms read from descriptions, closing and releasing, exception reports,
// hints and the screen.
#include <algorithm>

#include "platform/classes/formres.h"
#include "platform/classes/typinfo.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/timers.h"
#include "tests/platform/vcl/controls_test.h"

namespace vcltest {
namespace {

// Takes a WM_QUIT the code under test posted, so that the application does not end.
bool TakeQuit() {
  win::MSG m;
  return win::PeekMessage(&m, nullptr, win::WM_QUIT, win::WM_QUIT, win::PM_REMOVE) != 0;
}

// ---------------------------------------------------------------- modal runs
struct ModalCase {
  const char* Name;
  std::function<void(VclTest*, display::HeadlessBackend*, TForm*, TFakeButton* ok, TFakeButton* cancel)> Act;
  TModalResult Expected;
  bool QuitReposted;
};

class ModalTest : public VclTest, public ::testing::WithParamInterface<ModalCase> {};

TEST_P(ModalTest, ShowModalEndsWithTheResultItWasGiven) {
  TForm* owner = MakeForm({10, 10, 200, 200});
  owner->Show();
  auto* f = new TForm(nullptr);  // freed below, or by the case itself
  auto alive = f->AliveToken();
  f->SetBorderStyle(bsNone);
  f->SetPosition(poDesigned);
  f->SetBounds(300, 200, 200, 100);
  auto* ok = new TFakeButton(f);
  ok->SetBounds(10, 10, 60, 25);
  ok->ModalResult = mrOk;
  ok->SetParent(f);
  auto* cancel = new TFakeButton(f);
  cancel->SetBounds(100, 10, 60, 25);
  cancel->ModalResult = mrCancel;
  cancel->Cancel = true;
  cancel->SetParent(f);
  int shown = 0;
  f->OnShow = [&](TObject*) {
    ++shown;
    GetParam().Act(this, backend_, f, ok, cancel);
  };
  const TModalResult r = f->ShowModal();
  EXPECT_EQ(r, GetParam().Expected);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(TakeQuit(), GetParam().QuitReposted);
  EXPECT_TRUE(win::IsWindowEnabled(owner->Handle())) << "the other windows work again";
  if (!alive.expired()) {
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(f->Modal());
    EXPECT_EQ(f->ModalResult(), GetParam().Expected);
    delete f;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ModalTest,
    ::testing::Values(
        ModalCase{"ClickOnOk",
                  [](VclTest*, display::HeadlessBackend* b, TForm*, TFakeButton* ok, TFakeButton*) {
                    TPoint p = ok->ClientToScreen({5, 5});
                    b->Click(p.X, p.Y);
                  },
                  mrOk, false},
        ModalCase{"Escape",
                  [](VclTest*, display::HeadlessBackend* b, TForm*, TFakeButton*, TFakeButton*) {
                    b->Key(win::VK_ESCAPE);
                  },
                  mrCancel, false},
        ModalCase{"HandlerSetsResult",
                  [](VclTest*, display::HeadlessBackend*, TForm* f, TFakeButton*, TFakeButton*) {
                    f->SetModalResult(mrRetry);
                  },
                  mrRetry, false},
        ModalCase{"Close", [](VclTest*, display::HeadlessBackend*, TForm* f, TFakeButton*, TFakeButton*) { f->Close(); },
                  mrCancel, false},
        ModalCase{"QuitMessage",
                  [](VclTest*, display::HeadlessBackend*, TForm*, TFakeButton*, TFakeButton*) {
                    win::PostQuitMessage(3);
                  },
                  mrCancel, true},
        ModalCase{"FormFreedMeanwhile",
                  [](VclTest*, display::HeadlessBackend*, TForm* f, TFakeButton*, TFakeButton*) {
                    // Freed from a posted message while its loop runs.
                    f->Release();
                  },
                  mrCancel, false},
        ModalCase{"FormFreedByAClick",
                  [](VclTest*, display::HeadlessBackend* b, TForm* f, TFakeButton* ok, TFakeButton*) {
                    ok->ModalResult = mrNone;
                    ok->OnClick = [f](TObject*) { delete f; };
                    TPoint p = ok->ClientToScreen({5, 5});
                    b->Click(p.X, p.Y);
                  },
                  mrCancel, false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(VclTest, CloseQueryAndOnCloseDecideWhatClosingDoes) {
  struct Case {
    bool CanClose;
    TCloseAction Action;
    bool VisibleAfter;
    bool FreedAfter;
  };
  for (Case c : {Case{false, caHide, true, false}, Case{true, caNone, true, false}, Case{true, caHide, false, false},
                 Case{true, caFree, false, true}}) {
    TForm* main = MakeForm({0, 0, 100, 100});
    Application->SetMainForm(main);
    auto* f = new TForm(nullptr);
    auto alive = f->AliveToken();
    f->SetBounds(200, 200, 100, 100);
    f->OnCloseQuery = [c](TObject*, bool& can) { can = c.CanClose; };
    f->OnClose = [c](TObject*, TCloseAction& a) {
      EXPECT_EQ(a, caHide);
      a = c.Action;
    };
    f->Show();
    Pump();
    f->Close();
    Pump();
    EXPECT_EQ(alive.expired(), c.FreedAfter) << int(c.Action);
    if (!alive.expired()) {
      EXPECT_EQ(f->Visible(), c.VisibleAfter) << int(c.Action);
      delete f;
    }
    EXPECT_FALSE(TakeQuit()) << "only the main form ends the application";
    forms_.clear();
  }
  // Closing the main form asks the loop to end.
  TForm* main = MakeForm({0, 0, 100, 100});
  Application->SetMainForm(main);
  main->Show();
  main->Close();
  EXPECT_TRUE(TakeQuit());
  EXPECT_FALSE(Application->Terminated());
  forms_.clear();
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(VclTest, ShowModalRefusesAVisibleForm) {
  TForm* f = MakeForm({0, 0, 100, 100});
  f->Show();
  EXPECT_THROW(f->ShowModal(), EInvalidOperation);
}

// ---------------------------------------------------------------- keys before the focused control
struct KeyCase {
  const char* Name;
  bool ShortCutHandles;
  bool PreviewEats;
  bool KeyPreview;
  std::vector<std::string> Expected;
};

class KeyOrderTest : public VclTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyOrderTest, ShortCutsAndKeyPreviewSeeKeysBeforeTheFocusedControl) {
  const KeyCase& k = GetParam();
  TForm* f = MakeForm({100, 100, 300, 200});
  auto* edit = Add<TFakeButton>(f, Bounds(10, 10, 50, 20));
  f->SetActiveControl(edit);
  f->SetKeyPreview(k.KeyPreview);
  std::vector<std::string> log;
  f->OnShortCut = [&](TWMKey& m, bool& handled) {
    if (m.CharCode != '7') return;
    log.push_back(std::string("shortcut ") + ShortCutToText(ShortCut(m.CharCode, KeyDataToShiftState(m.KeyData))));
    handled = k.ShortCutHandles;
  };
  f->OnKeyDown = [&](TObject*, win::WORD& key, TShiftState) {
    if (key != '7') return;
    log.push_back("form keydown");
    if (k.PreviewEats) key = 0;
  };
  edit->OnKeyDown = [&](TObject* s, win::WORD& key, TShiftState shift) {
    if (key != '7') return;
    log.push_back(std::string(s == edit ? "control" : "?") + " keydown" + (shift.Contains(ssCtrl) ? " ctrl" : ""));
  };
  f->Show();
  Pump();
  ASSERT_TRUE(edit->Focused());
  backend_->KeyDown(win::VK_CONTROL);
  backend_->Key('7');
  backend_->KeyUp(win::VK_CONTROL);
  Pump();
  EXPECT_EQ(log, k.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyOrderTest,
    ::testing::Values(KeyCase{"ShortCutTakesIt", true, false, true, {"shortcut Ctrl+7"}},
                      KeyCase{"PreviewTakesIt", false, true, true, {"shortcut Ctrl+7", "form keydown"}},
                      KeyCase{"PreviewPassesItOn", false, false, true,
                              {"shortcut Ctrl+7", "form keydown", "control keydown ctrl"}},
                      KeyCase{"NoPreview", false, true, false, {"shortcut Ctrl+7", "control keydown ctrl"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(VclTest, KeyPressReachesTheFormFirstWithKeyPreview) {
  TForm* f = MakeForm({100, 100, 300, 200});
  auto* edit = Add<TFakeButton>(f, Bounds(10, 10, 50, 20));
  f->SetActiveControl(edit);
  f->SetKeyPreview(true);
  std::u16string formSaw, controlSaw;
  f->OnKeyPress = [&](TObject*, char16_t& ch) {
    formSaw += ch;
    if (ch == u'x') ch = u'y';  // the form may change the character
  };
  edit->OnKeyPress = [&](TObject*, char16_t& ch) { controlSaw += ch; };
  f->Show();
  Pump();
  backend_->Type("ax");
  Pump();
  EXPECT_EQ(formSaw, u"ax");
  EXPECT_EQ(controlSaw, u"ay");
}

// ---------------------------------------------------------------- forms from descriptions
class TDescribedForm : public TForm {
  DX_COMPONENT_CLASS(TDescribedForm, TForm)
public:
  using TForm::TForm;
  TProbe* Outer = nullptr;
  TProbe* Inner = nullptr;
  std::vector<std::string> Events;
  void InnerClick(TObject*) { Events.push_back("inner click"); }
  void FormCreate(TObject*) { Events.push_back(std::string("create ") + (Inner ? Inner->Caption() : "?")); }

protected:
  void Loaded() override {
    TForm::Loaded();
    Events.push_back("loaded");
  }
};

constexpr char kDescription[] = R"(object DescribedForm: TDescribedForm
  Left = 120
  Top = 90
  BorderStyle = bsNone
  Caption = 'Described'
  ClientWidth = 300
  ClientHeight = 200
  Color = clYellow
  Position = poDesigned
  OnCreate = FormCreate
  object Outer: TProbe
    Left = 10
    Top = 10
    Width = 200
    Height = 150
    Caption = 'Outer panel'
    TabOrder = 0
    object Inner: TProbe
      Left = 5
      Top = 5
      Width = 100
      Height = 40
      Align = alTop
      Caption = 'Inner panel'
      OnClick = InnerClick
    end
  end
end
)";

TEST_F(VclTest, AFormReadFromItsDescriptionShowsItsNestedControls) {
  static bool once = [] {
    RegisterClass(TProbe::StaticClass());
    Published<TDescribedForm>()
        .Field("Outer", &TDescribedForm::Outer)
        .Field("Inner", &TDescribedForm::Inner)
        .Method("InnerClick", &TDescribedForm::InnerClick)
        .Method("FormCreate", &TDescribedForm::FormCreate);
    return true;
  }();
  (void)once;
  RegisterFormResource("TDescribedForm", kDescription);
  std::unique_ptr<TDescribedForm> f(::MakeForm<TDescribedForm>(nullptr));
  UnregisterFormResource("TDescribedForm");
  ASSERT_NE(f->Outer, nullptr);
  ASSERT_NE(f->Inner, nullptr);
  EXPECT_EQ(f->Events, (std::vector<std::string>{"loaded", "create Inner panel"}));
  EXPECT_TRUE(f->Outer->WasLoaded);
  EXPECT_TRUE(f->Inner->WasLoaded);
  EXPECT_EQ(f->Inner->Parent(), f->Outer);
  EXPECT_EQ(f->Outer->Parent(), f.get());
  EXPECT_EQ(f->Inner->Owner(), f.get());
  EXPECT_EQ(f->ClientRect(), TRect(0, 0, 300, 200));
  EXPECT_EQ(f->Inner->BoundsRect(), TRect(0, 0, 200, 40)) << "aligned to the top of its parent";
  EXPECT_EQ(f->Inner->Color(), clYellow) << "parent colour reached the nested control";

  f->Show();
  Pump();
  EXPECT_EQ(win::GetWindowTextStr(f->Handle()), "Described");
  EXPECT_EQ(win::GetWindowTextStr(f->Outer->Handle()), "Outer panel");
  EXPECT_EQ(win::GetWindowTextStr(f->Inner->Handle()), "Inner panel");
  win::RECT wr;
  win::GetWindowRect(f->Handle(), &wr);
  EXPECT_EQ(wr.TopLeft(), TPoint(120, 90));
  EXPECT_EQ(Pixel(f.get(), 250, 180), Rgb(clYellow));
  Click(f->Inner, 10, 10);
  Pump();
  EXPECT_EQ(f->Events.back(), "inner click");
}

TEST_F(VclTest, TheFirstFormTheApplicationMakesBecomesTheMainForm) {
  ASSERT_EQ(Application->MainForm(), nullptr);
  TForm* first = nullptr;
  Application->CreateForm<TForm>(&first);
  auto* second = Application->CreateForm<TForm>();
  EXPECT_EQ(Application->MainForm(), first);
  EXPECT_EQ(first->Owner(), Application);
  EXPECT_NE(second, first);
  delete second;
  delete first;
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_EQ(Application->ComponentCount(), 0);
}

// ---------------------------------------------------------------- exceptions
struct ExceptionCase {
  const char* Name;
  std::function<void()> Throw;
  int Boxes;
  std::string Text;
};

class ExceptionTest : public VclTest, public ::testing::WithParamInterface<ExceptionCase> {};

TEST_P(ExceptionTest, AnExceptionInAHandlerIsReportedAndTheLoopGoesOn) {
  const ExceptionCase& c = GetParam();
  Application->SetTitle("Duplexion test");
  std::vector<std::string> boxes;
  win::SetMessageBoxHook([&](win::HWND, const std::string& text, const std::string& caption, win::UINT type) {
    boxes.push_back(caption + ": " + text + ((type & win::MB_ICONMASK) == win::MB_ICONSTOP ? " (stop)" : ""));
    return win::IDOK;
  });
  TForm* f = MakeForm({100, 100, 300, 200});
  auto* b = Add<TProbe>(f, Bounds(10, 10, 50, 20));
  int clicks = 0;
  b->OnClick = [&](TObject*) {
    if (++clicks == 1) c.Throw();
  };
  f->Show();
  Pump();
  Click(b, 5, 5);
  Pump();
  Click(b, 40, 15);  // far enough not to make a double click
  Pump();
  EXPECT_EQ(clicks, 2) << "the next click still arrives";
  ASSERT_EQ(int(boxes.size()), c.Boxes);
  if (c.Boxes) {
    EXPECT_EQ(boxes[0], "Duplexion test: " + c.Text + " (stop)");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ExceptionTest,
    ::testing::Values(ExceptionCase{"FrameworkException", [] { throw EConvertError("'x' is not a valid integer value"); },
                                    1, "'x' is not a valid integer value."},
                      ExceptionCase{"EndsWithStop", [] { throw Exception("Done."); }, 1, "Done."},
                      ExceptionCase{"EndsWithMark", [] { throw Exception("Really!"); }, 1, "Really!"},
                      ExceptionCase{"Standard", [] { throw std::runtime_error("disk full"); }, 1, "disk full."},
                      ExceptionCase{"Abort", [] { Abort(); }, 0, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(VclTest, OnExceptionTakesTheReportInstead) {
  int boxes = 0;
  win::SetMessageBoxHook([&](win::HWND, const std::string&, const std::string&, win::UINT) {
    ++boxes;
    return win::IDOK;
  });
  std::vector<std::string> seen;
  Application->OnException = [&](TObject* sender, Exception& e) {
    seen.push_back(e.ClassName() + " " + e.Message() + (dynamic_cast<TProbe*>(sender) ? " from probe" : ""));
  };
  TForm* f = MakeForm({100, 100, 300, 200});
  auto* b = Add<TProbe>(f, Bounds(10, 10, 50, 20));
  b->OnClick = [](TObject*) { throw EListError("bad index"); };
  f->Show();
  Pump();
  Click(b, 5, 5);
  Pump();
  EXPECT_EQ(seen, (std::vector<std::string>{"EListError bad index from probe"}));
  EXPECT_EQ(boxes, 0);
}

// ---------------------------------------------------------------- hints
TEST_F(VclTest, AHintShowsAfterTheMouseRestsAndGoesWhenItMovesOn) {
  Application->SetHintPause(10);
  Application->SetHintHidePause(60000);
  TForm* f = MakeForm({100, 100, 400, 300});
  auto* with = Add<TProbe>(f, Bounds(10, 10, 80, 30));
  with->SetHint("Zoom in|Enlarges the picture");
  with->SetShowHint(true);
  auto* without = Add<TProbe>(f, Bounds(150, 10, 80, 30));
  auto* vetoed = Add<TProbe>(f, Bounds(10, 100, 80, 30));
  vetoed->SetHint("never");
  vetoed->SetShowHint(true);
  vetoed->WindowProc = [vetoed](TMessage& m) {
    if (m.Msg == CM_HINTSHOW) {
      m.Result = 1;
      return;
    }
    vetoed->WndProc(m);
  };
  f->Show();
  Pump();
  auto hintShown = [] {
    THintWindow* h = Application->HintWindow();
    return h && h->HandleAllocated() && win::IsWindowVisible(h->Handle());
  };
  MoveTo(with, 20, 10);
  ASSERT_TRUE(PumpUntil(hintShown));
  EXPECT_EQ(Application->HintWindow()->Caption(), "Zoom in");
  EXPECT_EQ(Application->Hint(), "Enlarges the picture");
  win::RECT hr;
  win::GetWindowRect(Application->HintWindow()->Handle(), &hr);
  TPoint cursor = At(with, 20, 10);
  EXPECT_EQ(hr.Left, cursor.X);
  EXPECT_GT(hr.Top, cursor.Y) << "below the cursor";
  MoveTo(without, 20, 10);
  Pump();
  EXPECT_FALSE(hintShown());
  // A control that refuses CM_HINTSHOW gets none; a timer beat lets the application try.
  MoveTo(vetoed, 20, 10);
  {
    int ticks = 0;
    TTimer t(nullptr);
    t.SetInterval(30);
    t.OnTimer = [&](TObject*) { ++ticks; };
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  }
  EXPECT_FALSE(hintShown());
  Application->CancelHint();
}

// ---------------------------------------------------------------- screen
// Start-up code installs cursors registered under the program's names in
// the screen's table, as the toolbar unit does with its drag cursors.
TEST_F(VclTest, NamedCursorsGoIntoTheScreensCursorTable) {
  const uint32_t px[4] = {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u};
  win::HCURSOR drag = win::CreateIconFromPixels(2, 2, px, nullptr);
  win::HINSTANCE program = win::GetModuleHandle(nullptr);
  ASSERT_TRUE(win::RegisterModuleCursor(program, "DXBARDRAGCURSOR", drag));
  EXPECT_EQ(win::LoadCursor(program, "DXBARDRAGNODROPCURSOR"), nullptr) << "never registered";
  win::HCURSOR loaded = win::LoadCursor(program, "DXBARDRAGCURSOR");
  ASSERT_EQ(loaded, drag);
  const win::HCURSOR arrow = Screen->Cursors(crDefault);
  EXPECT_EQ(Screen->Cursors(1041), arrow) << "unknown ids answer with the default cursor";
  Screen->SetCursors(1041, loaded);
  EXPECT_EQ(Screen->Cursors(1041), drag);
  EXPECT_EQ(Screen->Cursors(crDefault), arrow) << "the standard ones stay";
}

TEST_F(VclTest, TheScreenKnowsFormsMonitorsAndFonts) {
  backend_->SetScreen({1280, 800}, {0, 0, 1280, 760});
  Pump();
  EXPECT_EQ(Screen->Width(), 1280);
  EXPECT_EQ(Screen->Height(), 800);
  EXPECT_EQ(Screen->WorkAreaRect(), TRect(0, 0, 1280, 760));
  ASSERT_EQ(Screen->MonitorCount(), 1);
  EXPECT_EQ(Screen->Monitors(0)->BoundsRect(), TRect(0, 0, 1280, 800));
  EXPECT_EQ(Screen->Monitors(0)->WorkareaRect(), TRect(0, 0, 1280, 760));
  EXPECT_TRUE(Screen->Monitors(0)->Primary());
  const int before = Screen->FormCount();
  TForm* f = MakeForm({0, 0, 100, 100});
  EXPECT_EQ(Screen->FormCount(), before + 1);
  f->Show();
  Pump();
  EXPECT_EQ(Screen->ActiveForm(), f);
  forms_.clear();
  EXPECT_EQ(Screen->FormCount(), before);
  EXPECT_EQ(Screen->ActiveForm(), nullptr);

  TStrings* fonts = Screen->Fonts();
  ASSERT_GT(fonts->Count(), 0);
  EXPECT_GE(fonts->IndexOf("Tahoma"), 0);
  for (int i = 1; i < fonts->Count(); ++i) EXPECT_LT(CompareText(fonts->Strings(i - 1), fonts->Strings(i)), 0);
}

TEST_F(VclTest, CentredFormsStayOnTheWorkArea) {
  backend_->SetScreen({1000, 800}, {0, 0, 1000, 700});
  Pump();
  struct Case {
    TPosition Position;
    TRect Expected;
  };
  TForm* main = MakeForm({100, 100, 300, 200});
  main->Show();
  Application->SetMainForm(main);
  for (Case c : {Case{poScreenCenter, Bounds(400, 300, 200, 100)}, Case{poMainFormCenter, Bounds(100, 100, 200, 100)},
                 Case{poDesigned, Bounds(7, 9, 200, 100)}}) {
    auto f = std::make_unique<TForm>(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetPosition(c.Position);
    f->SetBounds(7, 9, 200, 100);
    f->Show();
    Pump();
    EXPECT_EQ(f->BoundsRect(), c.Expected) << int(c.Position);
  }
  Application->SetMainForm(nullptr);
}

TEST_F(VclTest, FullScreenCoversTheMonitorAndComesBack) {
  backend_->SetScreen({1024, 768});
  Pump();
  auto f = std::make_unique<TForm>(nullptr);
  f->SetPosition(poDesigned);
  f->SetBounds(50, 60, 300, 200);
  f->Show();
  Pump();
  f->SetFullScreen(true);
  Pump();
  EXPECT_EQ(f->BorderStyle(), bsNone);
  EXPECT_EQ(f->BoundsRect(), TRect(0, 0, 1024, 768));
  auto native = backend_->Native(f->Handle());
  ASSERT_TRUE(native);
  EXPECT_FALSE(native->Decorated);
  EXPECT_EQ(native->Bounds, TRect(0, 0, 1024, 768));
  f->SetFullScreen(false);
  Pump();
  EXPECT_EQ(f->BorderStyle(), bsSizeable);
  EXPECT_EQ(f->BoundsRect(), Bounds(50, 60, 300, 200));
}

// ---------------------------------------------------------------- actions through the form
TEST_F(VclTest, ActionShortCutsRunThroughTheFormAndFollowTheirUpdate) {
  TForm* f = MakeForm({100, 100, 300, 200});
  auto* edit = Add<TFakeButton>(f, Bounds(10, 10, 50, 20));
  f->SetActiveControl(edit);
  auto* list = new TActionList(f);
  auto* save = new TAction(f);
  save->SetActionList(list);
  save->SetShortCut(ShortCut('S', {ssCtrl}));
  int executed = 0;
  bool allow = true;
  save->OnExecute = [&](TObject*) { ++executed; };
  save->OnUpdate = [&](TObject*) { save->SetEnabled(allow); };
  int controlSaw = 0;
  edit->OnKeyDown = [&](TObject*, win::WORD& k, TShiftState) { controlSaw += k == 'S'; };
  f->Show();
  Pump();
  auto ctrlS = [&] {
    backend_->KeyDown(win::VK_CONTROL);
    backend_->Key('S');
    backend_->KeyUp(win::VK_CONTROL);
    Pump();
  };
  ctrlS();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(controlSaw, 0) << "a shortcut is not also a key for the control";
  allow = false;
  ctrlS();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(controlSaw, 1);
  EXPECT_FALSE(save->Enabled());
}

// ---------------------------------------------------------------- start-up procedures
// Two units join the chain the way a unit does: each keeps the procedure it
// replaced and calls it first.
std::vector<std::string> g_started;
TInitProc g_beforeFirst = nullptr, g_beforeSecond = nullptr;
void FirstUnitStart() {
  if (g_beforeFirst) g_beforeFirst();
  g_started.push_back("first");
}
void SecondUnitStart() {
  if (g_beforeSecond) g_beforeSecond();
  g_started.push_back("second");
}

TEST_F(VclTest, InitializeRunsTheStartUpChainOnceInJoiningOrder) {
  const TInitProc saved = InitProc();
  g_started.clear();
  g_beforeFirst = InitProc();
  InitProc() = &FirstUnitStart;
  g_beforeSecond = InitProc();
  InitProc() = &SecondUnitStart;
  {
    TApplication app(nullptr);
    app.Initialize();
    app.Initialize();
  }
  InitProc() = saved;
  EXPECT_EQ(g_started, (std::vector<std::string>{"first", "second"}));
}

// As in the framework, a freed form's window goes before its components:
// they still exist when the owner's WM_DESTROY goes round.
class TWindowWatcher : public TComponent {
public:
  TWindowWatcher(TCustomForm* AForm, bool& AWindowAtDestruction)
      : TComponent(AForm), form_(AForm), windowAtDestruction_(AWindowAtDestruction) {}
  ~TWindowWatcher() override { windowAtDestruction_ = form_->HandleAllocated(); }

private:
  TCustomForm* form_;
  bool& windowAtDestruction_;
};

TEST_F(VclTest, AFreedFormDestroysItsWindowBeforeItsComponents) {
  auto* form = new TForm(nullptr);
  form->HandleNeeded();
  bool windowAtDestruction = true;
  new TWindowWatcher(form, windowAtDestruction);  // the form owns it
  delete form;
  EXPECT_FALSE(windowAtDestruction);
}

}  // namespace
}  // namespace vcltest
