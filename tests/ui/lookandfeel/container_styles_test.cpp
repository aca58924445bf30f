// Container styles: defaults by state, base-only values, the style
// controller's chain and notifications, the font lock and streaming.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/classes/filer.h"
#include "platform/classes/typinfo.h"
#include "platform/gdi/syscolors.h"
#include "ui/lookandfeel/cxContainer.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace {

// The normal style and the three state styles of one container.
struct Container {
  TcxContainerStyles styles{nullptr, nullptr};
  TcxContainerStyle* Base() { return styles.Normal(); }
  TcxContainerStyle* State(TcxContainerStateItem s) { return styles.Style(s); }
};

TEST(ContainerStyle, FreshBaseStyleDefaults) {
  Container c;
  c.Base()->LookAndFeel()->SetKind(lfOffice11);
  EXPECT_EQ(c.Base()->BorderStyle(), cbsOffice11);
  EXPECT_EQ(c.Base()->Color(), clBtnFace);
  EXPECT_EQ(c.Base()->Edges(), (TcxBorders{bLeft, bTop, bRight, bBottom}));
  EXPECT_TRUE(c.Base()->HotTrack());
  EXPECT_FALSE(c.Base()->Shadow());
  EXPECT_TRUE(c.Base()->TransparentBorder());
  EXPECT_EQ(c.Base()->BorderColor(), clWindowFrame);
  EXPECT_EQ(c.Base()->TextColor(), c.Base()->Font()->Color());
  EXPECT_TRUE(c.Base()->AssignedValues().Empty());
  EXPECT_EQ(c.Base()->GetStyleLevel(), 1);
  EXPECT_EQ(c.State(csHotTrack)->GetStyleLevel(), 1);

  const struct {
    TcxLookAndFeelKind kind;
    TcxContainerBorderStyle border;
  } kinds[] = {{lfFlat, cbsFlat}, {lfStandard, cbs3D}, {lfUltraFlat, cbsUltraFlat}, {lfOffice11, cbsOffice11}};
  for (const auto& k : kinds) {
    c.Base()->LookAndFeel()->SetKind(k.kind);
    EXPECT_EQ(c.Base()->BorderStyle(), k.border) << int(k.kind);
  }
}

TEST(ContainerStyle, StateBorderStylesFollowTheTable) {
  // Rows 0 and 2 keep the base border; rows 1 and 3 (only with HotTrack) raise it.
  const TcxContainerBorderStyle raised[] = {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11};
  Container c;
  for (bool hotTrack : {true, false})
    for (int b = cbsNone; b <= cbsOffice11; ++b) {
      c.Base()->SetHotTrack(hotTrack);
      c.Base()->SetBorderStyle(TcxContainerBorderStyle(b));
      for (TcxContainerStateItem s : {csActive, csDisabled, csHotTrack}) {
        const bool highlighted = hotTrack && s != csDisabled;
        EXPECT_EQ(c.State(s)->BorderStyle(), highlighted ? raised[b] : b)
            << "border " << b << " state " << int(s) << " hot track " << hotTrack;
      }
    }
  c.Base()->SetHotTrack(true);
  c.Base()->SetBorderStyle(cbsSingle);
  EXPECT_EQ(c.State(csHotTrack)->BorderStyle(), cbsThick);
  c.Base()->SetHotTrack(false);
  EXPECT_EQ(c.State(csHotTrack)->BorderStyle(), cbsSingle);
}

TEST(ContainerStyle, DisabledColoursAndBaseOnlyValues) {
  Container c;
  TcxContainerStyle* disabled = c.State(csDisabled);
  EXPECT_EQ(disabled->TextColor(), clBtnShadow);
  EXPECT_EQ(disabled->BorderColor(), clBtnShadow);
  disabled->SetTextColor(clRed);
  disabled->SetBorderColor(clGreen);
  EXPECT_EQ(disabled->TextColor(), clRed);
  EXPECT_EQ(disabled->BorderColor(), clGreen);
  // The highlighted states take the base style's colours.
  c.Base()->SetBorderColor(clNavy);
  c.Base()->SetColor(clYellow);
  EXPECT_EQ(c.State(csActive)->BorderColor(), clNavy);
  EXPECT_EQ(c.State(csActive)->Color(), clYellow);
  EXPECT_EQ(disabled->Color(), clYellow);

  int baseChanges = 0;
  c.Base()->OnChanged = [&](TObject*) { ++baseChanges; };
  disabled->SetEdges({bLeft});
  EXPECT_EQ(c.Base()->Edges(), TcxBorders{bLeft});
  EXPECT_TRUE(c.Base()->IsValueAssigned(svEdges));
  EXPECT_FALSE(disabled->IsValueAssigned(svEdges));
  disabled->SetShadow(true);
  EXPECT_TRUE(c.Base()->Shadow());
  EXPECT_EQ(baseChanges, 2);
  disabled->SetShadow(true);  // unchanged: no notice
  EXPECT_EQ(baseChanges, 2);
  EXPECT_EQ(disabled->Font(), c.Base()->Font());
}

TEST(ContainerStyle, ValueIndexesAndNames) {
  Container c;
  c.Base()->SetTransparentBorder(false);
  std::string name;
  for (int32_t i = 0; i < 10; ++i) {
    EXPECT_TRUE(c.Base()->GetValueName(i, name));
    EXPECT_EQ(FindValueIndex(name), i) << name;
  }
  EXPECT_TRUE(c.Base()->IsValueAssigned(9));
  for (int32_t i : {10, 11, 255, -1}) {
    EXPECT_FALSE(c.Base()->GetValueName(i, name)) << i;
    EXPECT_EQ(name, "");
    EXPECT_FALSE(c.Base()->IsValueAssigned(i)) << i;
  }
}

TEST(ContainerStyle, DirectAccessModeHoldsTheOwnersFont) {
  TFont ownerFont;
  TcxContainerStyle style(nullptr, csNormal, nullptr, true);
  EXPECT_EQ(style.AssignedValues(), TcxContainerStyleValues::FromBits(0x3FF));
  int changes = 0;
  style.OnChanged = [&](TObject*) { ++changes; };
  style.SetFont(&ownerFont);
  EXPECT_EQ(style.Font(), &ownerFont);  // the reference, not a copy
  style.SetColor(clAqua);
  EXPECT_EQ(style.Color(), clAqua);
  EXPECT_EQ(style.BorderColor(), clDefault);
  EXPECT_TRUE(style.Edges().Empty());
  EXPECT_FALSE(style.Shadow());
  EXPECT_TRUE(style.TransparentBorder());
  EXPECT_EQ(changes, 0);  // never announced
}

TEST(ContainerStyle, FontAssignedOnlyByTheUser) {
  Container c;
  TcxContainerStyle* base = c.Base();
  EXPECT_FALSE(base->IsValueAssigned(svFont));
  base->Font()->SetSize(15);
  EXPECT_TRUE(base->IsValueAssigned(svFont));
  // Taking the bit away brings the default font back, still unassigned.
  base->SetAssignedValues({});
  EXPECT_FALSE(base->IsValueAssigned(svFont));
  EXPECT_EQ(base->Font()->Size(), TFont().Size());
  base->Font()->SetSize(15);
  base->SetColor(clRed);
  base->ResetToDefaults();
  EXPECT_TRUE(base->AssignedValues().Empty());
  EXPECT_EQ(base->Font()->Size(), TFont().Size());
  EXPECT_EQ(base->Color(), clBtnFace);
}

TEST(StyleController, SuppliesWhatTheStyleDoesNotAssign) {
  auto controller = std::make_unique<TcxStyleController>(nullptr);
  Container c;
  int changes = 0;
  c.Base()->OnChanged = [&](TObject*) { ++changes; };
  c.Base()->SetStyleController(controller.get());
  EXPECT_EQ(c.State(csDisabled)->StyleController(), controller.get());
  EXPECT_EQ(controller->ListenerCount(), 1);
  EXPECT_EQ(changes, 1);

  controller->Style()->SetColor(clMaroon);
  controller->Styles()->Style(csDisabled)->SetTextColor(clLime);
  controller->Style()->Font()->SetSize(21);
  EXPECT_GE(changes, 4);
  EXPECT_EQ(c.Base()->Color(), clMaroon);
  EXPECT_EQ(c.State(csDisabled)->TextColor(), clLime);  // the same state's style
  EXPECT_EQ(c.Base()->Font()->Size(), 21);
  EXPECT_FALSE(c.Base()->IsValueAssigned(svFont));  // taken, not assigned
  c.Base()->SetColor(clOlive);
  EXPECT_EQ(c.Base()->Color(), clOlive);

  controller.reset();  // the styles fall back to the defaults
  EXPECT_EQ(c.Base()->StyleController(), nullptr);
  EXPECT_EQ(c.State(csDisabled)->TextColor(), clBtnShadow);
  EXPECT_EQ(c.Base()->Font()->Size(), TFont().Size());
  EXPECT_EQ(c.Base()->Color(), clOlive);
}

TEST(StyleController, ChainBackToTheStyleIsRefused) {
  auto a = std::make_unique<TcxStyleController>(nullptr);
  auto b = std::make_unique<TcxStyleController>(nullptr);
  TcxContainerStyle* s = b->Style();
  s->SetStyleController(a.get());  // B takes from A
  ASSERT_EQ(s->StyleController(), a.get());
  a->Style()->SetStyleController(b.get());  // A from B would close the circle
  EXPECT_EQ(a->Style()->StyleController(), nullptr);
  s->SetStyleController(b.get());  // its own controller
  EXPECT_EQ(s->StyleController(), a.get());
  EXPECT_EQ(b->FakeStyleController(), a.get());
  b->SetFakeStyleController(nullptr);  // writing does nothing
  EXPECT_EQ(b->FakeStyleController(), a.get());
  // A longer circle: C from B, then A from C.
  auto c = std::make_unique<TcxStyleController>(nullptr);
  c->Style()->SetStyleController(b.get());
  a->Style()->SetStyleController(c.get());
  EXPECT_EQ(a->Style()->StyleController(), nullptr);
  a->Style()->SetColor(clPurple);
  EXPECT_EQ(c->Style()->Color(), clPurple);  // through B
}

// A component that streams a container style, as a container control would.
class TStyledThing : public TComponent {
  DX_COMPONENT_CLASS(TStyledThing, TComponent)
public:
  explicit TStyledThing(TComponent* owner) : TComponent(owner), style_(this) {}
  TcxContainerStyle* Style() { return &style_; }
  void SetStyle(TcxContainerStyle* v) { style_.Assign(v); }

private:
  TcxContainerStyle style_;
};

TEST(ContainerStyle, StreamsOnlyAssignedValues) {
  static const bool published = [] {
    Published<TStyledThing>().Obj("Style", &TStyledThing::Style, &TStyledThing::SetStyle);
    RegisterClass(TStyledThing::StaticClass());
    return true;
  }();
  ASSERT_TRUE(published);
  TStyledThing thing(nullptr);
  thing.SetName("Thing");
  const std::string plain = WriteComponentText(&thing);
  EXPECT_EQ(plain.find("IsFontAssigned"), std::string::npos) << plain;
  EXPECT_EQ(plain.find("Color"), std::string::npos) << plain;

  thing.Style()->SetColor(clRed);
  thing.Style()->Font()->SetName("DejaVu Sans");
  const std::string text = WriteComponentText(&thing);
  EXPECT_NE(text.find("Style.Color = clRed"), std::string::npos) << text;
  EXPECT_NE(text.find("Style.IsFontAssigned = True"), std::string::npos) << text;
  EXPECT_EQ(text.find("BorderColor"), std::string::npos) << text;

  TStyledThing copy(nullptr);
  ReadComponentText(text, &copy);
  EXPECT_EQ(copy.Style()->AssignedValues(), (TcxContainerStyleValues{svColor, svFont}));
  EXPECT_EQ(copy.Style()->Color(), clRed);
  EXPECT_EQ(copy.Style()->Font()->Name(), "DejaVu Sans") << text;

  // The marker alone makes the font assigned.
  TStyledThing marked(nullptr);
  ReadComponentText("object Thing: TStyledThing\n  Style.IsFontAssigned = True\nend\n", &marked);
  EXPECT_EQ(marked.Style()->AssignedValues(), TcxContainerStyleValues{svFont});
}

}  // namespace
