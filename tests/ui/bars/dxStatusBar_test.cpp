// The status bar: layout, painting geometry, hit tests, panel settings and
// the painters, on a headless form. Expected colours are computed here from
// the system colours with the mixing and gradient rules, not read back from
// the code under test.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "platform/rtl/exceptions.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "tests/i18n/i18n_test.h"
#include "tests/platform/vcl/controls_test.h"
#include "tests/support/testsupport.h"
#include "tests/ui/lookandfeel/fake_theme_provider.h"
#include "ui/bars/dxStatusBar.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/dxCore.h"
#include "ui/lookandfeel/dxThemeManager.h"

using vcltest::Rgb;

namespace {

// A status bar that counts its repaint requests.
class TCountingStatusBar : public TdxStatusBar {
public:
  explicit TCountingStatusBar(TComponent* owner) : TdxStatusBar(owner) {}
  int Refreshes = 0;
  void RefreshPanels() override {
    ++Refreshes;
    TdxStatusBar::RefreshPanels();
  }
};

// A style that refuses to be deleted, as a style bound to an inherited control does.
class TStuckStyle : public TdxStatusBarTextPanelStyle {
  DX_CLASS_WITH_FACTORY(TStuckStyle, TdxStatusBarTextPanelStyle,
                        [](TObject* o) -> TObject* { return new TStuckStyle(dynamic_cast<TdxStatusBarPanel*>(o)); })
public:
  explicit TStuckStyle(TdxStatusBarPanel* owner) : TdxStatusBarTextPanelStyle(owner) {}
  bool MayBeDeleted() const override { return false; }
};

// Channel arithmetic with rounding as the platform's multiply-divide does it.
int MulDivR(int a, int b, int c) {
  const long long p = (long long)a * b;
  return int((p >= 0 ? p + c / 2 : p - c / 2) / c);
}
uint32_t Mix(uint32_t c1, uint32_t c2, int percent) {
  uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    int v = MulDivR(int((c1 >> shift) & 255), percent, 100) + MulDivR(int((c2 >> shift) & 255), 100 - percent, 100);
    out |= uint32_t(std::min(v, 255)) << shift;
  }
  return out;
}
uint32_t Sys(TColor c) { return Rgb(TColor(ColorToRGB(c))); }

class StatusBarTest : public vcltest::VclTest {
protected:
  // The viewer's bar: a sizeable form with a 954-pixel client, two text panels.
  TCountingStatusBar* ViewerBar(TForm** formOut = nullptr) {
    TForm* form = MakeForm({50, 50, 1100, 400});
    form->SetBorderStyle(bsSizeable);
    form->SetClientWidth(954);
    form->SetClientHeight(300);
    auto* bar = new TCountingStatusBar(form);
    bar->SetParent(form);
    bar->SetPaintStyle(stpsOffice11);
    bar->Panels()->AddPanel()->SetWidth(130);
    bar->Panels()->AddPanel();
    form->Show();
    Pump();
    if (formOut) *formOut = form;
    return bar;
  }
  // A bar on a borderless form: no grip.
  TCountingStatusBar* PlainBar(int clientWidth, TdxStatusBarPaintStyle style = stpsStandard) {
    TForm* form = MakeForm({50, 50, 50 + clientWidth, 150});
    auto* bar = new TCountingStatusBar(form);
    bar->SetParent(form);
    bar->SetPaintStyle(style);
    form->Show();
    Pump();
    return bar;
  }
  void Click(TControl* c, int x, int y, TMouseButton button = mbLeft) {
    const TPoint p = At(c, x, y);
    backend_->Click(p.X, p.Y, button == mbLeft ? 0 : 1);
  }
  // Panel 0's text rectangle, and the rectangles panel 1 was drawn in (filled red).
  struct Probes {
    TRect textRect;
    std::vector<TRect> drawn;
  };
  static void ProbeViewerPanels(TdxCustomStatusBar* bar, Probes& probes) {
    static_cast<TdxStatusBarTextPanelStyle*>(bar->Panels()->GetItem(0)->PanelStyle())->OnGetText =
        [&probes](TObject*, const TRect& r, std::string&) { probes.textRect = r; };
    bar->Panels()->GetItem(1)->OnDrawPanel = [&probes](TdxStatusBarPanel*, TcxCanvas* c, const TRect& r, bool& done) {
      probes.drawn.push_back(r);
      c->FillRect(r, clRed);
      done = true;
    };
  }
  std::vector<int> Widths(TdxCustomStatusBar* bar) {
    std::vector<int> w;
    for (int i = 0; i < bar->ViewInfo()->WidthCount(); ++i) w.push_back(bar->ViewInfo()->Width(i));
    return w;
  }
};

TEST_F(StatusBarTest, ConstructionDefaults) {
  TdxStatusBar bar(nullptr);
  EXPECT_EQ(bar.Align(), alBottom);
  EXPECT_EQ(bar.Height(), 20);
  EXPECT_TRUE(bar.DoubleBuffered());
  EXPECT_TRUE(bar.SizeGrip());
  EXPECT_EQ(bar.PaintStyle(), stpsStandard);
  EXPECT_EQ(bar.Color(), clBtnFace);
  EXPECT_FALSE(bar.ControlStyle().Contains(csSetCaption));
  EXPECT_TRUE(bar.ControlStyle().Contains(csOpaque));
}

TEST_F(StatusBarTest, ViewerLayoutWithGripAndMaximized) {
  TForm* form = nullptr;
  TCountingStatusBar* bar = ViewerBar(&form);
  ASSERT_EQ(bar->ClientWidth(), 954);
  TdxStatusBarPanel* p0 = bar->Panels()->GetItem(0);
  TdxStatusBarPanel* p1 = bar->Panels()->GetItem(1);
  EXPECT_TRUE(bar->SizeGripShown());
  EXPECT_EQ(p0->ViewWidth(), 132);
  EXPECT_TRUE(p0->Fixed());
  EXPECT_EQ(p1->ViewMinWidth(), 38);
  EXPECT_EQ(p1->ViewWidth(), 68);
  EXPECT_EQ(Widths(bar), (std::vector<int>{132, 2, 820}));

  // Grip corner: HTBOTTOMRIGHT within the grip plus 2, not outside it.
  auto hit = [&](int x, int y) {
    TPoint s = bar->ClientToScreen({x, y});
    return win::SendMessage(bar->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(s.X, s.Y));
  };
  EXPECT_EQ(hit(950, 17), win::HTBOTTOMRIGHT);
  EXPECT_EQ(hit(954 - 18, 20 - 18), win::HTBOTTOMRIGHT);
  EXPECT_NE(hit(954 - 19, 10), win::HTBOTTOMRIGHT);

  form->SetWindowState(wsMaximized);
  Pump();
  EXPECT_FALSE(bar->SizeGripShown());
  EXPECT_EQ(p1->ViewMinWidth(), 22);
  EXPECT_EQ(p1->ViewWidth(), 52);
  EXPECT_NE(hit(bar->ClientWidth() - 3, 17), win::HTBOTTOMRIGHT);
}

TEST_F(StatusBarTest, ViewerPaintGeometry) {
  TCountingStatusBar* bar = ViewerBar();
  Probes probes;
  ProbeViewerPanels(bar, probes);
  const TRect& textRect = probes.textRect;
  const std::vector<TRect>& drawn = probes.drawn;
  bar->Invalidate();
  Pump();

  const uint32_t start = Mix(Sys(clBtnFace), Sys(clWindow), 22);
  const uint32_t end = Mix(Sys(clBtnFace), Sys(clWindow), 96);
  // Line 10 of 20 is the gradient's middle colour.
  uint32_t middle = 0;
  for (int shift : {16, 8, 0}) {
    int c1 = int((start >> shift) & 255), c2 = int((end >> shift) & 255);
    middle |= uint32_t(c1 - MulDivR(c1 - c2, 75, 200)) << shift;
  }
  const uint32_t frame = Mix(end, 0, 90);

  EXPECT_EQ(Pixel(bar, 0, 0), start);
  EXPECT_EQ(Pixel(bar, 0, 10), middle);
  // Panel 0 (1, 1, 133, 19) framed; its text area (4, 2, 130, 18).
  EXPECT_EQ(Pixel(bar, 1, 10), frame);
  EXPECT_EQ(Pixel(bar, 132, 10), frame);
  EXPECT_EQ(Pixel(bar, 60, 1), frame);
  EXPECT_EQ(Pixel(bar, 60, 18), frame);
  EXPECT_EQ(textRect, (TRect{4, 2, 130, 18}));
  // The separator shows the gradient.
  EXPECT_EQ(Pixel(bar, 133, 10), middle);
  EXPECT_EQ(Pixel(bar, 134, 10), middle);
  // Panel 1 from 135, 820 wide, clipped at 953; the grip (937, 2, 953, 18) is
  // kept out, except its dot-free right column while the panels fit.
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0], (TRect{136, 2, 954, 18}));
  EXPECT_EQ(Pixel(bar, 135, 10), frame);
  EXPECT_EQ(Pixel(bar, 936, 10), Rgb(clRed));
  EXPECT_EQ(Pixel(bar, 953, 10), middle);
  for (int y = 2; y < 18; ++y)
    for (int x = 937; x < 952; ++x) ASSERT_NE(Pixel(bar, x, y), Rgb(clRed)) << x << "," << y;
}

TEST_F(StatusBarTest, PanelAtPointAndClicks) {
  TCountingStatusBar* bar = ViewerBar();
  std::vector<std::string> log;
  for (int i = 0; i < 2; ++i) {
    bar->Panels()->GetItem(i)->OnClick = [&, i](TObject*) { log.push_back("click " + std::to_string(i)); };
    bar->Panels()->GetItem(i)->OnDblClick = [&, i](TObject*) { log.push_back("dbl " + std::to_string(i)); };
  }
  EXPECT_EQ(bar->PanelAtPoint(1, 1), bar->Panels()->GetItem(0));
  EXPECT_EQ(bar->PanelAtPoint(132, 18), bar->Panels()->GetItem(0));
  EXPECT_EQ(bar->PanelAtPoint(133, 10), nullptr);  // separator
  EXPECT_EQ(bar->PanelAtPoint(135, 10), bar->Panels()->GetItem(1));
  EXPECT_EQ(bar->PanelAtPoint(0, 10), nullptr);  // frame
  EXPECT_EQ(bar->PanelAtPoint(60, 19), nullptr);

  Click(bar, 60, 10);
  Pump();
  Click(bar, 134, 10);  // the separator
  Pump();
  Click(bar, 500, 10);
  Pump();
  Click(bar, 500, 10);  // a second click in time: a double click
  Pump();
  Click(bar, 500, 10, mbRight);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"click 0", "click 1", "dbl 1", "click 1"}));
}

TEST_F(StatusBarTest, EqualTextDoesNotRefresh) {
  TCountingStatusBar* bar = ViewerBar();
  TdxStatusBarPanel* p = bar->Panels()->GetItem(0);
  p->SetText("640 × 480 Pixel");
  const int before = bar->Refreshes;
  p->SetText("640 × 480 Pixel");
  EXPECT_EQ(bar->Refreshes, before);
  p->SetText("641 × 480 Pixel");
  EXPECT_EQ(bar->Refreshes, before + 1);
}

TEST_F(StatusBarTest, StretchingPanelsShareInProportion) {
  TCountingStatusBar* bar = PlainBar(202);
  ASSERT_EQ(bar->ClientWidth(), 202);
  ASSERT_FALSE(bar->SizeGripShown());
  for (int w : {98, 298}) {
    TdxStatusBarPanel* p = bar->Panels()->AddPanel();
    p->SetWidth(w);
    p->SetFixed(false);
  }
  EXPECT_EQ(Widths(bar), (std::vector<int>{50, 2, 150}));
  // A share at or below the minimum gets the minimum, the other the rest.
  bar->Panels()->GetItem(0)->SetMinWidth(58);
  EXPECT_EQ(Widths(bar), (std::vector<int>{60, 2, 140}));
}

TEST_F(StatusBarTest, WidthSettersClamp) {
  TdxStatusBar bar(nullptr);
  TdxStatusBarPanel* p = bar.Panels()->AddPanel();
  p->SetWidth(10);
  EXPECT_EQ(p->Width(), 20);
  p->SetMinWidth(-5);
  EXPECT_EQ(p->MinWidth(), 0);
  p->SetWidth(-7);
  EXPECT_EQ(p->Width(), 0);
  p->SetMinWidth(40);
  EXPECT_EQ(p->Width(), 40);
  bar.SetBorderWidth(-3);
  EXPECT_EQ(bar.BorderWidth(), 0);
}

TEST_F(StatusBarTest, PanelStylesByCodeAndByName) {
  TdxStatusBar bar(nullptr);
  TdxStatusBarPanel* coded = bar.Panels()->AddPanel();
  ASSERT_NE(coded->PanelStyle(), nullptr);
  EXPECT_EQ(coded->PanelStyleClassName(), "TdxStatusBarTextPanelStyle");

  bar.SetLoading(true);
  TdxStatusBarPanel* read = bar.Panels()->AddPanel();
  bar.SetLoading(false);
  EXPECT_EQ(read->PanelStyle(), nullptr);
  EXPECT_EQ(read->PanelStyleClassName(), "");
  read->SetPanelStyleClassName("TdxStatusBarTextPanelStyle");
  EXPECT_NE(read->PanelStyle(), nullptr);

  // An unknown name leaves a style-less panel: default widths, no bevel allowance.
  coded->SetText("kept");
  coded->SetPanelStyleClassName("TNoSuchPanelStyle");
  EXPECT_EQ(coded->PanelStyle(), nullptr);
  EXPECT_EQ(coded->ViewWidth(), 50);
  EXPECT_EQ(coded->DisplayName(), "kept");
}

TEST_F(StatusBarTest, RegistryAndTexts) {
  TcxRegisteredClasses& reg = StatusBarPanelStyleRegistry();
  const struct {
    TClass c;
    const char* description;
  } classes[] = {{TdxStatusBarTextPanelStyle::StaticClass(), "Text Panel"},
                 {TdxStatusBarContainerPanelStyle::StaticClass(), "Container Panel"},
                 {TdxStatusBarKeyboardStatePanelStyle::StaticClass(), "Keyboard State Panel"},
                 {TdxStatusBarStateIndicatorPanelStyle::StaticClass(), "State Indicator Panel"}};
  for (const auto& row : classes) {
    const int i = reg.IndexOfClass(row.c);
    ASSERT_GE(i, 0) << row.description;
    EXPECT_EQ(reg.Descriptions(i), row.description);
  }
  const struct {
    int id;
    const char* text;
  } rows[] = {{65076, "Text Panel"},
              {65077, "Container Panel"},
              {65078, "Keyboard State Panel"},
              {65079, "State Indicator Panel"},
              {65080, "Selection contains a component introduced in an ancestor form which cannot be deleted"}};
  for (const auto& row : rows) EXPECT_EQ(LoadStr(row.id), row.text) << row.id;
}

TEST_F(StatusBarTest, UndeletableStyleIsRefusedBeforeAnythingChanges) {
  auto bar = std::make_unique<TdxStatusBar>(nullptr);
  TdxStatusBarPanel* p = bar->Panels()->AddPanel();
  p->SetPanelStyleClass(TStuckStyle::StaticClass());
  TdxStatusBarPanelStyle* style = p->PanelStyle();
  ASSERT_NE(style, nullptr);
  try {
    p->SetPanelStyleClass(TdxStatusBarTextPanelStyle::StaticClass());
    FAIL() << "no refusal";
  } catch (const EdxException& e) {
    EXPECT_EQ(std::string(e.Message()), LoadStr(65080));
  }
  EXPECT_EQ(p->PanelStyle(), style);
  EXPECT_EQ(p->PanelStyleClass(), TStuckStyle::StaticClass());
  // Destroying the bar frees the style without raising.
  EXPECT_NO_THROW(bar.reset());
}

TEST_F(StatusBarTest, StyleColourTakesBlackWhenNeverSet) {
  TdxStatusBar bar(nullptr);
  TdxStatusBarPanelStyle* style = bar.Panels()->AddPanel()->PanelStyle();
  EXPECT_EQ(style->Color(), clBtnFace);
  style->SetColor(clBlack);
  EXPECT_TRUE(style->ColorAssigned());
  EXPECT_EQ(style->Color(), clBlack);
}

TEST_F(StatusBarTest, StandardBorderMovesPanels) {
  TCountingStatusBar* bar = PlainBar(300);
  bar->Panels()->AddPanel();
  bar->SetBorderWidth(2);
  Pump();
  EXPECT_EQ(bar->GetContentBounds().Left, 2);
  EXPECT_EQ(bar->GetContentBounds().Top, 4);
  EXPECT_EQ(bar->PanelAtPoint(2, 4), bar->Panels()->GetItem(0));
  EXPECT_EQ(bar->PanelAtPoint(1, 4), nullptr);
  EXPECT_EQ(bar->PanelAtPoint(2, 3), nullptr);
  // The sunken edge starts at (2, 4); the band and the border around it are the bar colour.
  EXPECT_EQ(Pixel(bar, 2, 4), Sys(clBtnShadow));
  EXPECT_EQ(Pixel(bar, 1, 4), Sys(clBtnFace));
  EXPECT_EQ(Pixel(bar, 10, 3), Sys(clBtnFace));
  EXPECT_EQ(Pixel(bar, 10, 0), Sys(clBtnFace));
}

TEST_F(StatusBarTest, RaisedBevelByPainter) {
  const struct {
    TdxStatusBarPaintStyle style;
    bool sameAsLowered;
  } rows[] = {{stpsStandard, false}, {stpsFlat, true}, {stpsOffice11, true}};
  for (const auto& row : rows) {
    TCountingStatusBar* bar = PlainBar(200, row.style);
    TdxStatusBarPanel* p = bar->Panels()->AddPanel();
    auto edges = [&] {
      bar->Invalidate();
      Pump();
      const TRect c = bar->GetContentBounds();
      return std::vector<uint32_t>{Pixel(bar, c.Left, 10), Pixel(bar, 30, c.Top), Pixel(bar, 30, c.Bottom - 1)};
    };
    const auto lowered = edges();
    p->SetBevel(dxpbRaised);
    const auto raised = edges();
    EXPECT_EQ(lowered == raised, row.sameAsLowered) << int(row.style);
  }
}

TEST_F(StatusBarTest, PaintStyleResolution) {
  TdxStatusBar bar(nullptr);
  bar.SetPaintStyle(stpsXP);  // no "Status" theme here: the standard painter
  EXPECT_EQ(bar.Painter(), dxStatusBarStandardPainter());
  bar.SetPaintStyle(stpsUseLookAndFeel);
  const struct {
    TcxLookAndFeelKind kind;
    TdxStatusBarPaintStyle style;
    TdxStatusBarPainterClass painter;
  } rows[] = {{lfFlat, stpsStandard, dxStatusBarStandardPainter()},
              {lfStandard, stpsStandard, dxStatusBarStandardPainter()},
              {lfUltraFlat, stpsFlat, dxStatusBarFlatPainter()},
              {lfOffice11, stpsOffice11, dxStatusBarOffice11Painter()}};
  for (const auto& row : rows) {
    bar.LookAndFeel()->SetKind(row.kind);
    EXPECT_EQ(bar.ResolvePaintStyle(), row.style) << int(row.kind);
    EXPECT_EQ(bar.Painter(), row.painter) << int(row.kind);
  }
}

TEST_F(StatusBarTest, BadInput) {
  TForm* form = nullptr;
  TCountingStatusBar* bar = ViewerBar(&form);
  TdxStatusBarPanel* p0 = bar->Panels()->GetItem(0);
  TdxStatusBarPanel* p1 = bar->Panels()->GetItem(1);
  // A huge text and an image index without images paint without harm.
  p1->SetText(std::string(100000, 'x'));
  static_cast<TdxStatusBarTextPanelStyle*>(p1->PanelStyle())->SetImageIndex(5);
  Pump();
  // Hiding the last panel: the grip width goes to nobody.
  p1->SetVisible(false);
  EXPECT_EQ(p0->ViewWidth(), 132);
  EXPECT_EQ(Widths(bar), (std::vector<int>{954}));
  Pump();
  // No visible panel: nothing to hit.
  p0->SetVisible(false);
  EXPECT_EQ(bar->ViewInfo()->WidthCount(), 0);
  Pump();
  EXPECT_EQ(bar->PanelAtPoint(10, 10), nullptr);
  // A client narrower than the fixed panels: the grip is overlapped.
  p0->SetVisible(true);
  p1->SetVisible(true);
  form->SetClientWidth(100);
  Pump();
  EXPECT_TRUE(bar->ViewInfo()->GripOverlapped());
  EXPECT_EQ(bar->ViewInfo()->Width(0), 132);
}

TEST_F(StatusBarTest, KeyboardStateFollowsToggleBitsWithinOnePoll) {
  TCountingStatusBar* bar = PlainBar(400);
  TdxStatusBarPanel* p = bar->Panels()->AddPanel();
  p->SetPanelStyleClassName("TdxStatusBarKeyboardStatePanelStyle");
  auto* style = dynamic_cast<TdxStatusBarKeyboardStatePanelStyle*>(p->PanelStyle());
  ASSERT_NE(style, nullptr);
  win::BYTE keys[256] = {};
  win::SetKeyboardState(keys);
  EXPECT_EQ(style->Captions(), (std::vector<std::string>{"CAPS", "NUM", "SCRL", "INS"}));
  // Held down (high bit) is not toggled; only the low bit counts.
  keys[win::VK_CAPITAL] = 0x80;
  keys[win::VK_INSERT] = 0x01;
  keys[win::VK_NUMLOCK] = 0x81;
  win::SetKeyboardState(keys);
  const int before = bar->Refreshes;
  ASSERT_TRUE(PumpUntil([&] { return bar->Refreshes > before; }));
  auto* caps = style->Appearance(dxksCapsLock);
  EXPECT_EQ(caps->KeyCode(), win::VK_CAPITAL);
  EXPECT_EQ(style->Captions(), (std::vector<std::string>{"CAPS", "NUM", "SCRL", "OVR"}));
  keys[win::VK_INSERT] = 0;
  win::SetKeyboardState(keys);

  // Each cell carries the panel bevel; the panel's own bevel allowance goes.
  EXPECT_TRUE(style->HasOwnBevels());
  EXPECT_EQ(p->ViewWidth(), style->ContentWidth());
  style->SetKeyboardStates({});
  EXPECT_EQ(p->Width(), 50);
  Pump();
}

TEST_F(StatusBarTest, IndicatorWidthFromLamps) {
  TCountingStatusBar* bar = PlainBar(400);
  TdxStatusBarPanel* p = bar->Panels()->AddPanel();
  p->SetPanelStyleClassName("TdxStatusBarStateIndicatorPanelStyle");
  auto* style = dynamic_cast<TdxStatusBarStateIndicatorPanelStyle*>(p->PanelStyle());
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(p->Width(), 20);  // no lamps
  for (TdxStatusBarStateIndicatorType t : {sitGreen, sitRed, sitOff}) style->Indicators()->AddItem()->SetIndicatorType(t);
  EXPECT_EQ(style->Indicators()->GetItem(0)->Lamp()->Width(), 17);
  EXPECT_EQ(style->Indicators()->GetItem(0)->Lamp()->Height(), 8);
  EXPECT_EQ(p->Width(), 4 + 3 * (17 + 4));
  EXPECT_EQ(p->ViewWidth(), 69);
  p->SetWidth(500);  // not sizable: the lamps decide
  EXPECT_EQ(p->Width(), 67);
  // The green lamp's middle is drawn at Spacing from the panel's inner left.
  bar->Invalidate();
  Pump();
  const TRect c = bar->GetContentBounds();
  EXPECT_EQ(Pixel(bar, c.Left + 1 + 4 + 8, (c.Top + c.Bottom) / 2), Rgb(clLime));
  style->Indicators()->GetItem(2)->SetVisible(false);
  EXPECT_EQ(p->Width(), 4 + 2 * 21);
}

TEST_F(StatusBarTest, PanelColourByPainter) {
  const struct {
    TdxStatusBarPaintStyle style;
    bool filled;
  } rows[] = {{stpsStandard, true}, {stpsFlat, true}, {stpsOffice11, false}};
  for (const auto& row : rows) {
    TCountingStatusBar* bar = PlainBar(200, row.style);
    TdxStatusBarPanel* p = bar->Panels()->AddPanel();
    p->PanelStyle()->SetColor(clAqua);
    bar->Invalidate();
    Pump();
    EXPECT_EQ(Pixel(bar, 30, 10) == Rgb(clAqua), row.filled) << int(row.style);
  }
}

TEST_F(StatusBarTest, ContainerHostsControlsOverItsPanel) {
  TCountingStatusBar* bar = PlainBar(300);
  bar->Panels()->AddPanel()->SetWidth(100);
  TdxStatusBarPanel* p = bar->Panels()->AddPanel();
  p->SetPanelStyleClassName("TdxStatusBarContainerPanelStyle");
  auto* style = dynamic_cast<TdxStatusBarContainerPanelStyle*>(p->PanelStyle());
  ASSERT_NE(style, nullptr);
  TdxStatusBarContainerControl* container = style->Container();
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(container->Parent(), bar);
  auto* child = new vcltest::TProbe(container);
  child->SetParent(container);
  bar->Invalidate();
  Pump();
  // Standard painter: content from (0, 2); panel 1 from 102 + 2, inside its sunken edge.
  EXPECT_EQ(container->BoundsRect(), (TRect{105, 3, 299, 19}));
  EXPECT_EQ(child->BoundsRect(), (TRect{0, 0, 194, 16}));
  p->SetVisible(false);
  EXPECT_FALSE(container->Visible());
  p->SetVisible(true);

  // Freeing the control at run time leaves a panel without style.
  delete container;
  EXPECT_EQ(p->PanelStyle(), nullptr);
  Pump();

  // Changing the class frees the style's control.
  p->SetPanelStyleClassName("TdxStatusBarContainerPanelStyle");
  auto alive = dynamic_cast<TdxStatusBarContainerPanelStyle*>(p->PanelStyle())->Container()->AliveToken();
  p->SetPanelStyleClassName("TdxStatusBarTextPanelStyle");
  EXPECT_TRUE(alive.expired());
  // So does deleting the panel.
  p->SetPanelStyleClassName("TdxStatusBarContainerPanelStyle");
  alive = dynamic_cast<TdxStatusBarContainerPanelStyle*>(p->PanelStyle())->Container()->AliveToken();
  bar->Panels()->Delete(p->Index());
  EXPECT_TRUE(alive.expired());
}

TEST_F(StatusBarTest, InheritedContainerIsNotDeleted) {
  TCountingStatusBar* bar = PlainBar(300);
  TdxStatusBarPanel* p = bar->Panels()->AddPanel();
  p->SetPanelStyleClassName("TdxStatusBarContainerPanelStyle");
  TdxStatusBarPanelStyle* style = p->PanelStyle();
  TdxStatusBarContainerControl* container = static_cast<TdxStatusBarContainerPanelStyle*>(style)->Container();
  TComponentState state = container->ComponentState();
  state.Include(csAncestor);
  container->SetComponentState(state);
  EXPECT_THROW(p->SetPanelStyleClassName("TdxStatusBarTextPanelStyle"), EdxException);
  EXPECT_EQ(p->PanelStyle(), style);
  EXPECT_THROW(bar->Panels()->Delete(0), EdxException);
  EXPECT_EQ(bar->Panels()->Count(), 1);
}

TEST_F(StatusBarTest, PanelAssignCopiesStoredSettingsAndStyle) {
  TdxStatusBar bar(nullptr);
  TdxStatusBarPanel* source = bar.Panels()->AddPanel();
  source->SetText("source");
  source->SetWidth(77);
  source->SetBevel(dxpbRaised);
  auto* sourceStyle = static_cast<TdxStatusBarTextPanelStyle*>(source->PanelStyle());
  sourceStyle->SetImageIndex(3);
  sourceStyle->SetEllipsisType(dxetSmartPath);
  TdxStatusBarPanel* target = bar.Panels()->AddPanel();
  target->SetPanelStyleClassName("TdxStatusBarStateIndicatorPanelStyle");
  target->SetMinWidth(30);
  target->Assign(source);
  EXPECT_EQ(target->PanelStyleClassName(), "TdxStatusBarTextPanelStyle");
  EXPECT_EQ(target->Text(), "source");
  EXPECT_EQ(target->Width(), 77);
  EXPECT_FALSE(target->MinWidthAssigned());  // the source's was not stored
  EXPECT_EQ(target->Bevel(), dxpbRaised);
  auto* targetStyle = static_cast<TdxStatusBarTextPanelStyle*>(target->PanelStyle());
  EXPECT_EQ(targetStyle->ImageIndex(), 3);
  EXPECT_EQ(targetStyle->EllipsisType(), dxetSmartPath);
}

TEST_F(StatusBarTest, AutoHintOnOnePanelOnly) {
  TdxStatusBar bar(nullptr);
  auto style = [&](int i) { return static_cast<TdxStatusBarTextPanelStyle*>(bar.Panels()->GetItem(i)->PanelStyle()); };
  bar.Panels()->AddPanel();
  bar.Panels()->AddPanel();
  style(0)->SetAutoHint(true);
  style(1)->SetAutoHint(true);
  EXPECT_FALSE(style(0)->AutoHint());
  EXPECT_TRUE(style(1)->AutoHint());
}

TEST_F(StatusBarTest, AutomaticHints) {
  TCountingStatusBar* bar = ViewerBar();
  auto style = [&](int i) { return static_cast<TdxStatusBarTextPanelStyle*>(bar->Panels()->GetItem(i)->PanelStyle()); };
  auto text = [&](int i) { return bar->Panels()->GetItem(i)->Text(); };
  THintAction hint(nullptr);
  hint.SetHint("Opens a picture");
  TAction other(nullptr);
  // No panel takes hints: the action is not the bar's.
  EXPECT_FALSE(bar->ExecuteAction(&hint));
  EXPECT_EQ(text(0), "");

  style(0)->SetAutoHint(true);
  EXPECT_FALSE(bar->ExecuteAction(&other));
  EXPECT_TRUE(bar->ExecuteAction(&hint));
  EXPECT_EQ(text(0), "Opens a picture");
  // The application's hint arrives the same way, on the panel that takes hints now.
  style(1)->SetAutoHint(true);
  Application->SetHint("Next picture");
  EXPECT_EQ(text(1), "Next picture");
  EXPECT_EQ(text(0), "Opens a picture");
  Application->SetHint("");
  EXPECT_EQ(text(1), "");

  // With an OnHint handler the handler runs and the panel keeps its text.
  int handled = 0;
  bar->OnHint = [&](TObject* sender) {
    EXPECT_EQ(sender, bar);
    ++handled;
  };
  bar->Panels()->GetItem(1)->SetText("kept");
  EXPECT_FALSE(bar->ExecuteAction(&hint));
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(text(1), "kept");
  // At design time hints are left alone.
  bar->OnHint = nullptr;
  TComponentState state = bar->ComponentState();
  state.Include(csDesigning);
  bar->SetComponentState(state);
  EXPECT_FALSE(bar->ExecuteAction(&hint));
  EXPECT_EQ(text(1), "kept");
  state.Exclude(csDesigning);
  bar->SetComponentState(state);
}

TEST_F(StatusBarTest, PanelsTakeTheBarsBiDiMode) {
  TForm* form = nullptr;
  TCountingStatusBar* bar = ViewerBar(&form);
  TdxStatusBarPanel* p0 = bar->Panels()->GetItem(0);
  TdxStatusBarPanel* p1 = bar->Panels()->GetItem(1);
  p1->SetBiDiMode(bdLeftToRight);  // equal: no change, still following
  EXPECT_TRUE(p1->ParentBiDiMode());
  p1->SetBiDiMode(bdRightToLeftNoAlign);
  EXPECT_FALSE(p1->ParentBiDiMode());

  form->SetBiDiMode(bdRightToLeft);  // reaches the bar through its parent
  EXPECT_EQ(bar->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(p0->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(p0->ParentBiDiMode());
  EXPECT_EQ(p1->BiDiMode(), bdRightToLeftNoAlign);
  EXPECT_EQ(bar->Panels()->AddPanel()->BiDiMode(), bdRightToLeft);
  p1->SetParentBiDiMode(true);
  EXPECT_EQ(p1->BiDiMode(), bdRightToLeft);

  // Assign copies a mode of its own; a following panel follows its own bar.
  TdxStatusBar plain(nullptr);
  TdxStatusBarPanel* copy = plain.Panels()->AddPanel();
  copy->Assign(p0);
  EXPECT_EQ(copy->BiDiMode(), bdLeftToRight);
  EXPECT_TRUE(copy->ParentBiDiMode());
  p0->SetBiDiMode(bdRightToLeftReadingOnly);
  copy->Assign(p0);
  EXPECT_EQ(copy->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_FALSE(copy->ParentBiDiMode());
}

// The viewer's stored translation names the bar's panels and font; on the
// real classes none of those lines is lost and the panels keep their style.
TEST(StatusBarTranslation, ViewerLinesResolveOnTheRealBar) {
  TViewerMain form(nullptr);
  auto* lang = new TsiLang(&form);
  lang->SetName("siLang1");
  auto* bar = new TdxStatusBar(&form);
  bar->SetName("dxStatusBar1");
  bar->Panels()->AddPanel()->SetWidth(130);
  bar->Panels()->AddPanel();
  lang->SetNumOfLanguages(2);
  ReadBlock(*lang, testsupport::ReadFileBytes(testsupport::DataFile("viewer_main_translation.bin")));
  lang->SetActiveLanguage(2);

  TStrings* lost = lang->LostLines();
  for (int32_t i = 0; i < lost->Count(); ++i)
    EXPECT_NE(lost->Strings(i).rfind("dxStatusBar1", 0), 0u) << lost->Strings(i);
  // The panel lines stay in the list: they resolved.
  TStrings* kept = lang->Collections();
  for (const char* id : {"dxStatusBar1.Panels[0].PanelStyleClassName", "dxStatusBar1.Panels[1].PanelStyleClassName"}) {
    bool found = false;
    for (int32_t i = 0; i < kept->Count(); ++i) found = found || kept->Strings(i).rfind(std::string(id) + D, 0) == 0;
    EXPECT_TRUE(found) << id;
  }
  for (int i = 0; i < 2; ++i)
    EXPECT_EQ(bar->Panels()->GetItem(i)->PanelStyleClassName(), "TdxStatusBarTextPanelStyle") << i;
  EXPECT_EQ(bar->Panels()->GetItem(0)->Width(), 130);
}

// The "Status" visual style stood in by the fake: its pane (part 1) is 3 wide,
// its gripper (part 3) 12 x 14; each part fills with the fake's own colour.
class StatusBarXPTest : public StatusBarTest {
protected:
  void SetUp() override {
    StatusBarTest::SetUp();
    fake.PartSizes = {{1, {3, 7}}, {3, {12, 14}}};
    dxBindThemeProvider(&fake);
    dxThemeManagerUnitStart();
  }
  void TearDown() override {
    dxThemeManagerUnitStop();
    dxBindThemeProvider(nullptr);
    StatusBarTest::TearDown();
  }
  void RestartThemes() {
    dxThemeManagerUnitStop();
    dxThemeManagerUnitStart();
  }
  static uint32_t Fill(int part) { return Rgb(TColor(FakeThemeProvider::FillOf(part, 0))); }
  FakeThemeProvider fake;
};

TEST_F(StatusBarXPTest, PainterOnlyWithTheStatusStyle) {
  const struct {
    bool refused;
    TdxStatusBarPaintStyle style;
    TdxStatusBarPaintStyle resolved;
    TdxStatusBarPainterClass painter;
  } rows[] = {{false, stpsXP, stpsXP, dxStatusBarXPPainter()},
              {false, stpsUseLookAndFeel, stpsXP, dxStatusBarXPPainter()},
              {true, stpsXP, stpsXP, dxStatusBarStandardPainter()},
              {true, stpsUseLookAndFeel, stpsStandard, dxStatusBarStandardPainter()}};
  for (const auto& row : rows) {
    fake.Refused = row.refused ? std::vector<std::u16string>{u"STATUS"} : std::vector<std::u16string>{};
    RestartThemes();
    TdxStatusBar bar(nullptr);
    bar.LookAndFeel()->SetKind(lfStandard);
    bar.LookAndFeel()->SetNativeStyle(true);
    bar.SetPaintStyle(row.style);
    EXPECT_EQ(bar.ResolvePaintStyle(), row.resolved) << row.refused << int(row.style);
    EXPECT_EQ(bar.Painter(), row.painter) << row.refused << int(row.style);
  }
}

TEST_F(StatusBarXPTest, ViewerBarDrawnWithTheStyle) {
  TCountingStatusBar* bar = ViewerBar();
  bar->SetPaintStyle(stpsXP);
  ASSERT_EQ(bar->Painter(), dxStatusBarXPPainter());
  TdxStatusBarPanel* p0 = bar->Panels()->GetItem(0);
  TdxStatusBarPanel* p1 = bar->Panels()->GetItem(1);
  // The layout takes the pane's width as separator and the gripper's for the last panel.
  EXPECT_EQ(p1->ViewWidth(), 50 + 2 + 12);
  EXPECT_EQ(Widths(bar), (std::vector<int>{132, 3, 954 - 135}));
  EXPECT_EQ(bar->GetContentBounds(), (TRect{0, 2, 954, 20}));

  Probes probes;
  ProbeViewerPanels(bar, probes);
  const TRect& textRect = probes.textRect;
  const std::vector<TRect>& drawn = probes.drawn;
  p0->SetBevel(dxpbRaised);
  p0->PanelStyle()->SetColor(clAqua);
  bar->Invalidate();
  Pump();
  // No bevel and no panel fill: panel 0 shows the frame's background everywhere.
  for (TPoint p : {TPoint{0, 0}, TPoint{0, 10}, TPoint{60, 2}, TPoint{60, 19}, TPoint{131, 10}})
    EXPECT_EQ(Pixel(bar, p.X, p.Y), Fill(0)) << p.X << "," << p.Y;
  EXPECT_EQ(textRect, (TRect{2, 2, 130, 20}));
  EXPECT_EQ(Pixel(bar, 132, 10), Fill(1));
  EXPECT_EQ(Pixel(bar, 134, 19), Fill(1));
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0], (TRect{135, 2, 954, 20}));
  // The gripper (941, 6, 953, 20), painted first and kept out of the panel.
  for (int y = 6; y < 20; ++y)
    for (int x = 941; x < 953; ++x) ASSERT_EQ(Pixel(bar, x, y), Fill(3)) << x << "," << y;
  EXPECT_EQ(Pixel(bar, 940, 10), Rgb(clRed));
  EXPECT_EQ(Pixel(bar, 945, 5), Rgb(clRed));
  EXPECT_EQ(Pixel(bar, 953, 10), Rgb(clRed));

  // The resize corner follows the gripper's size.
  auto hit = [&](int x, int y) {
    TPoint sp = bar->ClientToScreen({x, y});
    return win::SendMessage(bar->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(sp.X, sp.Y));
  };
  EXPECT_EQ(hit(954 - 14, 20 - 16), win::HTBOTTOMRIGHT);
  EXPECT_NE(hit(954 - 15, 10), win::HTBOTTOMRIGHT);
  EXPECT_NE(hit(945, 20 - 17), win::HTBOTTOMRIGHT);

  // Without visible panels nothing is drawn over the background.
  p0->SetVisible(false);
  p1->SetVisible(false);
  Pump();
  EXPECT_EQ(Pixel(bar, 0, 2), Fill(0));
  EXPECT_EQ(Pixel(bar, 500, 10), Fill(0));
}

}  // namespace
