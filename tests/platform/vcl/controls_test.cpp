// The control core: alignment, anchors, mouse routing to windowed and
// graphic controls, tab order, painting, and controls freed by their own
// handlers.
#include "tests/platform/vcl/controls_test.h"

#include <cmath>

#include "platform/vcl/controls.h"

namespace vcltest {
namespace {

// A windowless control painted by its parent.
class TGraphicProbe : public TGraphicControl {
  DX_COMPONENT_CLASS(TGraphicProbe, TGraphicControl)
public:
  explicit TGraphicProbe(TComponent* owner) : TGraphicControl(owner) {}
  TColor Fill = clNone;

protected:
  void Paint() override {
    if (Fill == clNone) return;
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
};

// ---------------------------------------------------------------- alignment
struct DockSizes {
  int W, H;
};

class AlignTest : public VclTest, public ::testing::WithParamInterface<DockSizes> {};

TEST_P(AlignTest, FourDockedPanelsAndAClientShareTheParentInTheFrameworksOrder) {
  TForm* f = MakeForm({100, 100, 500, 400});
  // Made in an order unlike the docking order: the order of alignment must not depend on it.
  auto* client = Add<TProbe>(f, {0, 0, 10, 10});
  auto* right = Add<TProbe>(f, {0, 0, 50, 10});
  auto* bottom = Add<TProbe>(f, {0, 0, 10, 30});
  auto* left = Add<TProbe>(f, {0, 0, 40, 10});
  auto* top = Add<TProbe>(f, {0, 0, 10, 20});
  client->SetAlign(alClient);
  right->SetAlign(alRight);
  bottom->SetAlign(alBottom);
  left->SetAlign(alLeft);
  top->SetAlign(alTop);
  f->Show();
  Pump();

  const DockSizes s = GetParam();
  f->SetBounds(f->Left(), f->Top(), s.W, s.H);
  Pump();
  ASSERT_EQ(f->ClientRect(), TRect(0, 0, s.W, s.H));
  EXPECT_EQ(top->BoundsRect(), TRect(0, 0, s.W, 20));
  EXPECT_EQ(bottom->BoundsRect(), TRect(0, s.H - 30, s.W, s.H));
  EXPECT_EQ(left->BoundsRect(), TRect(0, 20, 40, s.H - 30));
  EXPECT_EQ(right->BoundsRect(), TRect(s.W - 50, 20, s.W, s.H - 30));
  EXPECT_EQ(client->BoundsRect(), TRect(40, 20, s.W - 50, s.H - 30));
  // The windows follow the controls.
  win::RECT wr;
  win::GetWindowRect(client->Handle(), &wr);
  TPoint origin = f->ClientToScreen({40, 20});
  EXPECT_EQ(wr.TopLeft(), origin);
}

INSTANTIATE_TEST_SUITE_P(Sizes, AlignTest, ::testing::Values(DockSizes{400, 300}, DockSizes{250, 120},
                                                             DockSizes{100, 60}, DockSizes{640, 480}));

TEST_F(VclTest, DockedControlsKeepTheirStackAndHiddenOnesTakeNoRoom) {
  TForm* f = MakeForm({0, 0, 300, 200});
  auto* first = Add<TProbe>(f, Bounds(0, 0, 10, 15));
  auto* second = Add<TProbe>(f, Bounds(0, 50, 10, 25));
  first->SetAlign(alTop);
  second->SetAlign(alTop);
  EXPECT_EQ(first->Top(), 0);
  EXPECT_EQ(second->Top(), 15);
  // Moving the lower one above the first puts it first in the stack.
  second->SetTop(-5);
  EXPECT_EQ(second->Top(), 0);
  EXPECT_EQ(first->Top(), 25);
  second->SetVisible(false);
  EXPECT_EQ(first->Top(), 0);
  auto* fill = Add<TProbe>(f, {0, 0, 10, 10});
  fill->SetAlign(alClient);
  EXPECT_EQ(fill->BoundsRect(), TRect(0, 15, 300, 200));
  f->DisableAlign();
  first->SetHeight(40);
  EXPECT_EQ(fill->Top(), 15) << "alignment waits while disabled";
  f->EnableAlign();
  EXPECT_EQ(fill->Top(), 40);
}

// ---------------------------------------------------------------- anchors
struct AnchorCase {
  const char* Name;
  TAnchors Anchors;
};

class AnchorTest : public VclTest, public ::testing::WithParamInterface<AnchorCase> {};

TEST_P(AnchorTest, AnchoredControlsFollowTheParentsEdgesWithoutDrift) {
  TForm* f = MakeForm({50, 50, 250, 150});  // client 200 x 100
  f->Show();
  Pump();
  auto* c = Add<TProbe>(f, {10, 10, 60, 30});
  c->SetAnchors(GetParam().Anchors);
  const TAnchors a = GetParam().Anchors;
  const int dx = 100, dy = 60;
  f->SetBounds(50, 50, 300, 160);
  Pump();

  // What each anchor set means, spelt out per axis.
  int l = 10, w = 50, t = 10, h = 20;
  if (a.Contains(akLeft) && a.Contains(akRight)) w += dx;
  else if (a.Contains(akRight)) l += dx;
  else if (!a.Contains(akLeft)) l = int(std::lround((10 + 25.0) * 300 / 200 - 25.0));
  if (a.Contains(akTop) && a.Contains(akBottom)) h += dy;
  else if (a.Contains(akBottom)) t += dy;
  else if (!a.Contains(akTop)) t = int(std::lround((10 + 10.0) * 160 / 100 - 10.0));
  EXPECT_EQ(c->BoundsRect(), Bounds(l, t, w, h));

  // Many resizes later the control is where it started.
  for (int i = 0; i < 5; ++i) f->SetBounds(50, 50, 210 + 37 * i, 113 + 11 * i);
  f->SetBounds(50, 50, 200, 100);
  Pump();
  EXPECT_EQ(c->BoundsRect(), TRect(10, 10, 60, 30));
}

INSTANTIATE_TEST_SUITE_P(
    Sets, AnchorTest,
    ::testing::Values(AnchorCase{"LeftTop", {akLeft, akTop}}, AnchorCase{"LeftTopRight", {akLeft, akTop, akRight}},
                      AnchorCase{"RightBottom", {akRight, akBottom}},
                      AnchorCase{"All", {akLeft, akTop, akRight, akBottom}}, AnchorCase{"None", {}},
                      AnchorCase{"TopBottom", {akTop, akBottom}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(VclTest, ConstraintsLimitSizeAndAlignmentUsesWhatTheControlTook) {
  TForm* f = MakeForm({0, 0, 300, 200});
  auto* side = Add<TProbe>(f, {0, 0, 100, 10});
  side->Constraints()->SetMaxWidth(60);
  EXPECT_EQ(side->Width(), 60);
  side->SetWidth(10);
  side->Constraints()->SetMinWidth(30);
  EXPECT_EQ(side->Width(), 30);
  side->SetWidth(500);
  side->SetAlign(alLeft);
  auto* fill = Add<TProbe>(f, {0, 0, 10, 10});
  fill->SetAlign(alClient);
  EXPECT_EQ(side->Width(), 60);
  EXPECT_EQ(fill->Left(), 60);
}

// ---------------------------------------------------------------- mouse
TEST_F(VclTest, GraphicControlsReceiveMouseThroughTheirParent) {
  TForm* f = MakeForm({100, 100, 300, 250});
  auto* g = new TGraphicProbe(f);
  g->SetBounds(40, 30, 50, 20);
  g->SetParent(f);
  std::vector<std::string> log;
  g->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
    log.push_back("down " + std::to_string(int(b)) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  g->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  };
  g->OnClick = [&](TObject*) { log.push_back("click"); };
  f->OnClick = [&](TObject*) { log.push_back("form click"); };
  f->Show();
  Pump();

  Click(f, 45, 37);  // (5, 7) of the graphic control
  Pump();
  // The framework clicks before it reports the release.
  EXPECT_EQ(log, (std::vector<std::string>{"down 0 5,7", "click", "up 5,7"}));
  log.clear();
  // A press on the control and a release beyond it: the control holds the mouse, no click.
  TPoint in = At(f, 45, 37), out = At(f, 150, 100);
  backend_->MouseDown(0, in.X, in.Y);
  backend_->MouseMove(out.X, out.Y);
  backend_->MouseUp(0, out.X, out.Y);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"down 0 5,7", "up 110,70"}));
  log.clear();
  Click(f, 150, 100);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"form click"}));
}

TEST_F(VclTest, MouseEnterAndLeaveFollowTheControlUnderTheMouse) {
  TForm* f = MakeForm({100, 100, 300, 200});
  auto* p = Add<TProbe>(f, {10, 10, 50, 50});
  auto* g = new TGraphicProbe(f);
  g->SetBounds(100, 10, 50, 50);
  g->SetParent(f);
  std::vector<std::string> log;
  auto track = [&](TControl* c, const std::string& name) {
    c->OnMouseEnter = [&log, name](TObject*) { log.push_back(name + "+"); };
    c->OnMouseLeave = [&log, name](TObject*) { log.push_back(name + "-"); };
  };
  track(f, "F");
  track(p, "P");
  track(g, "G");
  f->Show();
  Pump();
  backend_->MouseMove(5, 5);  // off the form
  Pump();
  log.clear();

  MoveTo(p, 10, 10);
  Pump();
  MoveTo(g, 10, 10);
  Pump();
  MoveTo(f, 80, 80);
  Pump();
  backend_->MouseMove(600, 600);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"P+", "P-", "G+", "G-", "F+", "F-"}));
}

TEST_F(VclTest, AControlFreedByItsOwnClickHandlerIsSafe) {
  TForm* f = MakeForm({100, 100, 300, 200});
  auto* victim = Add<TProbe>(f, {10, 10, 50, 50});
  auto* graphic = new TGraphicProbe(f);
  graphic->SetBounds(100, 10, 50, 50);
  graphic->SetParent(f);
  victim->OnClick = [victim](TObject*) { delete victim; };
  graphic->OnClick = [graphic](TObject*) { delete graphic; };
  f->Show();
  Pump();
  ASSERT_EQ(f->ControlCount(), 2);
  Click(f, 20, 20);
  Pump();
  EXPECT_EQ(f->ControlCount(), 1);
  EXPECT_EQ(f->ComponentCount(), 1);
  Click(f, 110, 20);
  Pump();
  EXPECT_EQ(f->ControlCount(), 0);
  EXPECT_EQ(f->ComponentCount(), 0);
}

// ---------------------------------------------------------------- keyboard focus
TEST_F(VclTest, TabMovesTheFocusInTabOrder) {
  TForm* f = MakeForm({100, 100, 400, 200});
  auto* a = Add<TFakeButton>(f, {10, 10, 40, 20});
  auto* b = Add<TFakeButton>(f, {60, 10, 40, 20});
  auto* c = Add<TFakeButton>(f, {110, 10, 40, 20});
  auto* skipped = Add<TProbe>(f, {160, 10, 40, 20});  // no TabStop
  (void)skipped;
  a->SetName("A");
  b->SetName("B");
  c->SetName("C");
  a->SetTabOrder(2);
  b->SetTabOrder(0);
  c->SetTabOrder(1);
  EXPECT_EQ(b->TabOrder(), 0);
  EXPECT_EQ(c->TabOrder(), 1);
  EXPECT_EQ(a->TabOrder(), 2);
  f->Show();
  Pump();
  auto focused = [] {
    TWinControl* w = FindControl(win::GetFocus());
    return w ? w->Name() : std::string("?");
  };
  std::vector<std::string> seen{focused()};
  struct Step {
    bool Shift;
  };
  for (Step s : {Step{false}, Step{false}, Step{false}, Step{true}, Step{true}}) {
    if (s.Shift) backend_->KeyDown(win::VK_SHIFT);
    backend_->Key(win::VK_TAB);
    if (s.Shift) backend_->KeyUp(win::VK_SHIFT);
    Pump();
    seen.push_back(focused());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"B", "C", "A", "B", "A", "C"}));
  EXPECT_EQ(f->ActiveControl(), c);
  EXPECT_EQ(Screen->ActiveControl(), c);
}

TEST_F(VclTest, EnterAndExitRunAlongTheParentChain) {
  TForm* f = MakeForm({100, 100, 400, 200});
  auto* panel = Add<TProbe>(f, {0, 0, 200, 100});
  auto* inner = new TFakeButton(f);
  inner->SetBounds(10, 10, 40, 20);
  inner->SetParent(panel);
  auto* outer = Add<TFakeButton>(f, {250, 10, 40, 20});
  std::vector<std::string> log;
  panel->OnEnter = [&](TObject*) { log.push_back("panel enter"); };
  panel->OnExit = [&](TObject*) { log.push_back("panel exit"); };
  inner->OnEnter = [&](TObject*) { log.push_back("inner enter"); };
  inner->OnExit = [&](TObject*) { log.push_back("inner exit"); };
  outer->OnEnter = [&](TObject*) { log.push_back("outer enter"); };
  f->SetActiveControl(outer);
  f->Show();
  Pump();
  log.clear();
  inner->SetFocus();
  Pump();
  EXPECT_TRUE(inner->Focused());
  outer->SetFocus();
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"panel enter", "inner enter", "inner exit", "panel exit", "outer enter"}));
  // A control that is hidden gives the focus up and cannot take it.
  inner->SetFocus();
  Pump();
  panel->SetVisible(false);
  EXPECT_NE(f->ActiveControl(), inner);
  EXPECT_THROW(f->SetActiveControl(inner), EInvalidOperation);
}

// ---------------------------------------------------------------- painting
class PaintTest : public VclTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PaintTest, AFormsPixelsShowWhatItsControlsPainted) {
  TForm* f = MakeForm({60, 40, 260, 160}, clRed);
  f->SetDoubleBuffered(GetParam());
  auto* p = Add<TProbe>(f, Bounds(10, 10, 50, 40));
  p->Fill = clBlue;
  p->SetDoubleBuffered(GetParam());
  auto* g = new TGraphicProbe(f);
  g->SetBounds(100, 10, 40, 40);
  g->Fill = clLime;
  g->SetParent(f);
  auto* plain = Add<TProbe>(f, Bounds(10, 70, 50, 30));  // paints nothing: its colour shows
  plain->SetColor(clYellow);
  f->Show();
  Pump();
  EXPECT_EQ(Pixel(f, 5, 5), Rgb(clRed));
  EXPECT_EQ(Pixel(f, 199, 119), Rgb(clRed));
  EXPECT_EQ(Pixel(f, 30, 30), Rgb(clBlue));
  EXPECT_EQ(Pixel(f, 59, 49), Rgb(clBlue));
  EXPECT_EQ(Pixel(f, 60, 50), Rgb(clRed));
  EXPECT_EQ(Pixel(f, 120, 30), Rgb(clLime));
  EXPECT_EQ(Pixel(f, 139, 49), Rgb(clLime));
  EXPECT_EQ(Pixel(f, 140, 30), Rgb(clRed));
  EXPECT_EQ(Pixel(f, 30, 85), Rgb(clYellow));
  // A change repaints.
  g->Fill = clNavy;
  g->Invalidate();
  f->SetColor(clWhite);
  Pump();
  EXPECT_EQ(Pixel(f, 120, 30), Rgb(clNavy));
  EXPECT_EQ(Pixel(f, 5, 5), Rgb(clWhite));
}

INSTANTIATE_TEST_SUITE_P(Buffering, PaintTest, ::testing::Values(false, true));

TEST_F(VclTest, ParentColorAndFontReachChildrenUntilTheySetTheirOwn) {
  TForm* f = MakeForm({0, 0, 200, 100}, clTeal);
  f->Font()->SetName("Arial");
  auto* child = Add<TProbe>(f, {0, 0, 10, 10});
  EXPECT_EQ(child->Color(), clTeal);
  EXPECT_EQ(child->Font()->Name(), "Arial");
  EXPECT_TRUE(child->ParentColor());
  EXPECT_TRUE(child->ParentFont());
  f->SetColor(clMaroon);
  f->Font()->SetSize(14);
  EXPECT_EQ(child->Color(), clMaroon);
  EXPECT_EQ(child->Font()->Size(), 14);
  child->SetColor(clGreen);
  child->Font()->SetName("Courier New");
  EXPECT_FALSE(child->ParentColor());
  EXPECT_FALSE(child->ParentFont());
  f->SetColor(clNavy);
  f->Font()->SetSize(20);
  EXPECT_EQ(child->Color(), clGreen);
  EXPECT_EQ(child->Font()->Size(), 14);
  child->SetParentColor(true);
  EXPECT_EQ(child->Color(), clNavy);
}

TEST_F(VclTest, TextChangesReachTheWindowAndAreAnnounced) {
  TForm* f = MakeForm({0, 0, 200, 100});
  auto* p = Add<TProbe>(f, {0, 0, 10, 10});
  int announced = 0;
  p->WindowProc = [p, &announced](TMessage& m) {
    if (m.Msg == CM_TEXTCHANGED) ++announced;
    p->WndProc(m);
  };
  p->SetCaption("before");
  f->Show();
  Pump();
  EXPECT_EQ(win::GetWindowTextStr(p->Handle()), "before");
  p->SetText("after \xC3\xA9");
  EXPECT_EQ(win::GetWindowTextStr(p->Handle()), "after \xC3\xA9");
  EXPECT_EQ(p->Caption(), "after \xC3\xA9");
  char buf[8];
  EXPECT_EQ(p->GetTextBuf(buf, sizeof buf), 6);
  EXPECT_STREQ(buf, "after ");  // cut before the two-byte character
  p->SetText("after \xC3\xA9");  // unchanged: no announcement
  EXPECT_EQ(announced, 2);
}

// ---------------------------------------------------------------- shortcuts
struct ShortCutCase {
  win::WORD Key;
  TShiftState Shift;
  const char* Text;
};

class ShortCutTextTest : public ::testing::TestWithParam<ShortCutCase> {};

TEST_P(ShortCutTextTest, TextRoundTrips) {
  const ShortCutCase& c = GetParam();
  TShortCut sc = ShortCut(c.Key, c.Shift);
  EXPECT_EQ(ShortCutToText(sc), c.Text);
  EXPECT_EQ(TextToShortCut(c.Text), sc);
  win::WORD key;
  TShiftState shift;
  ShortCutToKey(sc, key, shift);
  EXPECT_EQ(key, c.Key);
  EXPECT_EQ(shift, c.Shift);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ShortCutTextTest,
    ::testing::Values(ShortCutCase{'7', {ssCtrl}, "Ctrl+7"}, ShortCutCase{win::VK_F5, {ssShift, ssCtrl}, "Shift+Ctrl+F5"},
                      ShortCutCase{win::VK_RETURN, {ssAlt}, "Alt+Enter"}, ShortCutCase{win::VK_DELETE, {}, "Del"},
                      ShortCutCase{'A', {ssCtrl, ssAlt}, "Ctrl+Alt+A"}, ShortCutCase{win::VK_NUMPAD3, {}, "Num 3"},
                      ShortCutCase{win::VK_OEM_PLUS, {ssCtrl}, "Ctrl+="}));

TEST(ShortCutText, UnknownTextAndKeysGiveNothing) {
  EXPECT_EQ(TextToShortCut("ctrl+a"), TShortCut('A' | scCtrl));
  EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
  EXPECT_EQ(TextToShortCut("Hyper+A"), scNone);
  EXPECT_EQ(TextToShortCut(""), scNone);
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCut(0x1234, {}), scNone);
}

TEST_F(VclTest, BiDiModeFollowsTheParentUntilSetOwn) {
  TForm* f = MakeForm({100, 100, 300, 200});
  auto* box = Add<TProbe>(f, Bounds(0, 0, 100, 50));
  auto* inner = Add<TProbe>(box, Bounds(0, 0, 50, 20));
  int changes = 0;
  inner->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_BIDIMODECHANGED) ++changes;
    inner->WndProc(m);
  };
  f->SetBiDiMode(bdRightToLeft);
  EXPECT_FALSE(f->ParentBiDiMode());
  EXPECT_EQ(box->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(inner->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(inner->ParentBiDiMode());
  EXPECT_EQ(changes, 1);

  // A mode of its own stops the inheritance; ParentBiDiMode takes the parent's again.
  box->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(box->ParentBiDiMode());
  EXPECT_EQ(inner->BiDiMode(), bdLeftToRight);
  f->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_EQ(box->BiDiMode(), bdLeftToRight);
  box->SetParentBiDiMode(true);
  EXPECT_EQ(box->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_EQ(inner->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_EQ(changes, 3);
  // A control put on the form takes its mode.
  auto* late = Add<TProbe>(f, Bounds(0, 60, 50, 20));
  EXPECT_EQ(late->BiDiMode(), bdRightToLeftReadingOnly);
  inner->WindowProc = nullptr;
}

}  // namespace
}  // namespace vcltest
