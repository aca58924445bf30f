// Panels, bevels and images, and a form built from its description with the
// standard controls on it.
#include "platform/vcl/extctrls.h"

#include <gtest/gtest.h>

#include "platform/classes/formres.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/stdctrls.h"
#include "tests/platform/vcl/controls_test.h"

namespace extctrlstest {
namespace {

using namespace vcltest;

class ExtCtrlsTest : public VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    RegisterExtCtrlsClasses();
    RegisterComCtrlsClasses();
    RegisterMenusClasses();
  }
};

TEST_F(ExtCtrlsTest, PanelBevelsFrameItsChildren) {
  struct Row {
    TBevelCut Outer, Inner;
    int32_t BevelWidth, BorderWidth;
    int32_t Inset;
    TColor TopLeft, BottomRight;  // the outermost ring
  };
  const Row rows[] = {{bvRaised, bvNone, 1, 0, 1, clBtnHighlight, clBtnShadow},
                      {bvLowered, bvRaised, 2, 3, 7, clBtnShadow, clBtnHighlight},
                      {bvNone, bvNone, 1, 4, 4, clBtnFace, clBtnFace}};
  for (const Row& r : rows) {
    TForm* f = MakeForm({100, 100, 400, 300});
    auto* p = Add<TPanel>(f, {10, 10, 210, 110});
    p->SetBevelOuter(r.Outer);
    p->SetBevelInner(r.Inner);
    p->SetBevelWidth(r.BevelWidth);
    p->SetBorderWidth(r.BorderWidth);
    p->SetCaption("");
    auto* child = Add<TPanel>(p, {0, 0, 10, 10});
    child->SetBevelOuter(bvNone);
    child->SetColor(clRed);
    child->SetAlign(alClient);
    f->Show();
    Pump();
    EXPECT_EQ(child->BoundsRect(), TRect(r.Inset, r.Inset, 200 - r.Inset, 100 - r.Inset));
    EXPECT_EQ(Pixel(p, 0, 0), Rgb(ColorToRGB(r.TopLeft)));
    EXPECT_EQ(Pixel(p, 199, 99), Rgb(ColorToRGB(r.BottomRight)));
    EXPECT_EQ(Pixel(p, r.Inset, r.Inset), Rgb(clRed));
  }
}

TEST_F(ExtCtrlsTest, BevelShapesDrawTheirLines) {
  struct Row {
    TBevelShape Shape;
    TBevelStyle Style;
    TPoint First, Second;  // the first line's pixel and the second's
    TColor C1, C2;
  };
  const Row rows[] = {{bsTopLine, bsLowered, {20, 0}, {20, 1}, clBtnShadow, clBtnHighlight},
                      {bsTopLine, bsRaised, {20, 0}, {20, 1}, clBtnHighlight, clBtnShadow},
                      {bsBottomLine, bsLowered, {20, 38}, {20, 39}, clBtnShadow, clBtnHighlight},
                      {bsLeftLine, bsLowered, {0, 20}, {1, 20}, clBtnShadow, clBtnHighlight},
                      {bsBox, bsLowered, {0, 20}, {49, 20}, clBtnShadow, clBtnHighlight}};
  for (const Row& r : rows) {
    TForm* f = MakeForm({100, 100, 300, 200}, clWhite);
    auto* b = Add<TBevel>(f, {10, 10, 60, 50});
    b->SetShape(r.Shape);
    b->SetStyle(r.Style);
    f->Show();
    Pump();
    EXPECT_EQ(Pixel(f, 10 + r.First.X, 10 + r.First.Y), Rgb(ColorToRGB(r.C1))) << int(r.Shape);
    EXPECT_EQ(Pixel(f, 10 + r.Second.X, 10 + r.Second.Y), Rgb(ColorToRGB(r.C2))) << int(r.Shape);
    EXPECT_EQ(Pixel(f, 35, 30), Rgb(clWhite)) << "a bevel paints nothing inside";
  }
}

TEST_F(ExtCtrlsTest, ImageStretchesAndCentresItsPicture) {
  TForm* f = MakeForm({100, 100, 400, 300}, clWhite);
  auto* img = Add<TImage>(f, {10, 10, 110, 60});
  TBitmap bmp(20, 10);
  bmp.SetPixelFormat(pf24bit);
  bmp.Canvas()->Brush()->SetColor(clBlue);
  bmp.Canvas()->FillRect({0, 0, 20, 10});
  img->Picture()->SetBitmap(&bmp);
  struct Row {
    bool Stretch, Proportional, Center;
    TRect Dest;
  };
  const Row rows[] = {{false, false, false, {0, 0, 20, 10}},
                      {false, false, true, {40, 20, 60, 30}},
                      {true, false, false, {0, 0, 100, 50}},
                      {true, true, true, {0, 0, 100, 50}},
                      {false, true, false, {0, 0, 20, 10}}};
  for (const Row& r : rows) {
    img->SetStretch(r.Stretch);
    img->SetProportional(r.Proportional);
    img->SetCenter(r.Center);
    EXPECT_EQ(img->DestRect(), r.Dest);
  }
  img->SetStretch(false);
  img->SetCenter(true);
  f->Show();
  Pump();
  EXPECT_EQ(Pixel(f, 10 + 45, 10 + 25), Rgb(clBlue));
  EXPECT_EQ(Pixel(f, 10 + 5, 10 + 5), Rgb(clWhite));
}

// ---------------------------------------------------------------- a described form
class TDescribedForm : public TForm {
  DX_COMPONENT_CLASS(TDescribedForm, TForm)
public:
  explicit TDescribedForm(TComponent* owner) : TForm(owner) {}
  TPanel* Panel1 = nullptr;
  TMemo* Memo1 = nullptr;
  TButton* Button1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  int Clicks = 0;
  void Button1Click(TObject*) { ++Clicks; }
};

constexpr const char* kDescription = R"(object DescribedForm: TDescribedForm
  Left = 120
  Top = 90
  BorderStyle = bsNone
  Caption = 'Described'
  ClientHeight = 260
  ClientWidth = 320
  Position = poDesigned
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 320
    Height = 41
    Align = alTop
    BevelOuter = bvLowered
    Caption = 'Panel caption'
    TabOrder = 0
    object Button1: TButton
      Left = 8
      Top = 8
      Width = 75
      Height = 25
      Caption = '&OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
      OnClick = Button1Click
    end
    object CheckBox1: TCheckBox
      Left = 216
      Top = 12
      Width = 100
      Height = 17
      Caption = 'Check'
      Checked = True
      TabOrder = 1
    end
  end
  object Memo1: TMemo
    Left = 0
    Top = 41
    Width = 160
    Height = 219
    Align = alLeft
    Lines.Strings = (
      'first line'
      'second line')
    PopupMenu = PopupMenu1
    ReadOnly = True
    ScrollBars = ssVertical
    TabOrder = 1
  end
  object ComboBox1: TComboBox
    Left = 168
    Top = 48
    Width = 145
    Height = 21
    Style = csDropDownList
    ItemIndex = 1
    TabOrder = 2
    Items.Strings = (
      'one'
      'two'
      'three')
  end
  object PageControl1: TPageControl
    Left = 168
    Top = 80
    Width = 145
    Height = 170
    ActivePage = TabSheet2
    TabOrder = 3
    object TabSheet1: TTabSheet
      Caption = 'One'
    end
    object TabSheet2: TTabSheet
      Caption = 'Two'
    end
  end
  object PopupMenu1: TPopupMenu
    object Copy1: TMenuItem
      Caption = '&Copy'
      ShortCut = 16451
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object SelectAll1: TMenuItem
      Caption = 'Select &All'
    end
  end
end
)";

TEST_F(ExtCtrlsTest, AFormDescriptionBuildsTheControlsAndShowsTheirCaptions) {
  Published<TDescribedForm>()
      .Field("Panel1", &TDescribedForm::Panel1)
      .Field("Memo1", &TDescribedForm::Memo1)
      .Field("Button1", &TDescribedForm::Button1)
      .Field("CheckBox1", &TDescribedForm::CheckBox1)
      .Field("ComboBox1", &TDescribedForm::ComboBox1)
      .Field("PageControl1", &TDescribedForm::PageControl1)
      .Field("TabSheet2", &TDescribedForm::TabSheet2)
      .Field("PopupMenu1", &TDescribedForm::PopupMenu1)
      .Method("Button1Click", &TDescribedForm::Button1Click);
  RegisterFormResource("TDescribedForm", kDescription);
  std::unique_ptr<TDescribedForm> f(::MakeForm<TDescribedForm>(nullptr));
  UnregisterFormResource("TDescribedForm");
  ASSERT_NE(f->Panel1, nullptr);
  ASSERT_NE(f->Memo1, nullptr);
  ASSERT_NE(f->Button1, nullptr);
  EXPECT_EQ(f->Panel1->Caption(), "Panel caption");
  EXPECT_EQ(f->Panel1->BevelOuter(), bvLowered);
  EXPECT_EQ(f->Button1->Caption(), "&OK");
  EXPECT_EQ(f->Button1->Parent(), f->Panel1);
  EXPECT_TRUE(f->Button1->Default());
  EXPECT_TRUE(f->CheckBox1->Checked());
  EXPECT_EQ(f->Memo1->Lines()->Count(), 2);
  EXPECT_EQ(f->Memo1->Lines()->Strings(1), "second line");
  EXPECT_TRUE(f->Memo1->ReadOnly());
  EXPECT_EQ(f->Memo1->PopupMenu(), f->PopupMenu1);
  EXPECT_EQ(f->ComboBox1->ItemIndex(), 1) << "the index read before the items applies once they are there";
  EXPECT_EQ(f->ComboBox1->Text(), "two");
  EXPECT_EQ(f->PageControl1->PageCount(), 2);
  EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet2);
  ASSERT_EQ(f->PopupMenu1->Items()->Count(), 3);
  EXPECT_EQ(f->PopupMenu1->Items()->Items(0)->ShortCut(), ShortCut('C', {ssCtrl}));
  EXPECT_TRUE(f->PopupMenu1->Items()->Items(1)->IsLine());

  // Shown, the captions are on the screen: the panel's text darkens pixels
  // in its middle, and the memo's first line does at its top left.
  auto darkIn = [&](TWinControl* c, TRect r) {
    win::SurfacePixels px;
    EXPECT_TRUE(win::CopyWindowSurface(f->Handle(), px));
    const TPoint o = c->ClientToParent({0, 0}, f.get());
    int dark = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if ((px.At(o.X + x, o.Y + y) & 0xFF) < 0x40) ++dark;
    return dark;
  };
  f->Show();
  Pump();
  EXPECT_EQ(f->Memo1->BoundsRect(), TRect(0, 41, 160, 260));
  EXPECT_GT(darkIn(f->Panel1, {110, 10, 210, 30}), 10);
  EXPECT_GT(darkIn(f->Memo1, {2, 1, 60, 14}), 10);
  EXPECT_EQ(darkIn(f->Memo1, {2, 40, 60, 60}), 0) << "nothing below the two lines";
  // The described handler runs and the button closes a modal run.
  f->Hide();
  f->HandleNeeded();
  Click(f->Button1, 10, 10);
  EXPECT_EQ(f->ShowModal(), mrOk);
  EXPECT_EQ(f->Clicks, 1);
}

}  // namespace
}  // namespace extctrlstest
