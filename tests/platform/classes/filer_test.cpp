#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/classes/filer.h"
#include "platform/classes/formres.h"
#include "platform/classes/strings.h"
#include "platform/rtl/types.h"

namespace {

std::vector<std::string> gLog;

void Note(const TComponent* c, const std::string& what) {
  std::string flags;
  if (c->Loading()) flags += " L";
  if (c->Reading()) flags += " R";
  gLog.push_back(c->Name() + "." + what + flags);
}

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

bool ColorToIdent(int64_t v, std::string& s) {
  if (v == clRed) s = "clRed";
  else if (v == clWindowText) s = "clWindowText";
  else return false;
  return true;
}
bool IdentToColor(std::string_view s, int64_t& v) {
  if (s == "clRed") v = clRed;
  else if (s == "clWindowText") v = clWindowText;
  else return false;
  return true;
}

class TTestFont : public TPersistent {
  DX_CLASS(TTestFont, TPersistent)
public:
  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  int32_t Size() const { return size_; }
  void SetSize(int32_t v) { size_ = v; }
  uint8_t Style() const { return style_; }
  void SetStyle(uint8_t v) { style_ = v; }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  void Assign(TPersistent* source) override {
    if (auto* f = dynamic_cast<TTestFont*>(source)) {
      name_ = f->name_, size_ = f->size_, style_ = f->style_, color_ = f->color_;
      return;
    }
    TPersistent::Assign(source);
  }

private:
  std::string name_;
  int32_t size_ = 8;
  uint8_t style_ = 0;
  TColor color_ = clWindowText;
};

class TTestItem : public TCollectionItem {
  DX_CLASS(TTestItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  int32_t Width() const { return width_; }
  void SetWidth(int32_t v) { width_ = v; }

private:
  std::string caption_;
  int32_t width_ = 50;
};

class TTestControl : public TComponent {
  DX_COMPONENT_CLASS(TTestControl, TComponent)
public:
  explicit TTestControl(TComponent* owner) : TComponent(owner), columns_(CollectionItemClassOf<TTestItem>()) {}

  int32_t Left() const { return left_; }
  void SetLeft(int32_t v) {
    left_ = v;
    Note(this, "Left=" + std::to_string(v));
  }
  int32_t Top() const { return top_; }
  void SetTop(int32_t v) {
    top_ = v;
    Note(this, "Top=" + std::to_string(v));
  }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) {
    if (v == "boom") throw EConvertError("caption refused");
    caption_ = v;
    Note(this, "Caption=" + v);
  }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) { alignment_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  double Scale() const { return scale_; }
  void SetScale(double v) { scale_ = v; }
  int64_t Big() const { return big_; }
  void SetBig(int64_t v) { big_ = v; }
  char32_t Letter() const { return letter_; }
  void SetLetter(char32_t v) { letter_ = v; }
  uint8_t Level() const { return level_; }
  void SetLevel(uint8_t v) { level_ = v; }
  TTestFont* Font() { return &font_; }
  void SetFont(TTestFont* v) { font_.Assign(v); }
  TStringList* Lines() { return &lines_; }
  void SetLines(TStringList* v) { lines_.Assign(v); }
  TCollection* Columns() { return &columns_; }
  TTestControl* Buddy() const { return buddy_; }
  void SetBuddy(TTestControl* v) {
    buddy_ = v;
    Note(this, "Buddy=" + (v ? v->Name() : std::string("nil")));
  }
  TNotifyEvent OnClick;

  std::vector<uint8_t> data;
  int64_t dataSizeSeen = -1;
  int64_t dataPositionSeen = -1;
  std::vector<int32_t> points;

  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
          dataPositionSeen = s.Position();
          dataSizeSeen = s.Size();
          data.assign(static_cast<size_t>(s.Size()), 0);
          if (!data.empty()) s.ReadBuffer(data.data(), s.Size());
        },
        [this](TStream& s) {
          if (!data.empty()) s.WriteBuffer(data.data(), int64_t(data.size()));
        },
        !data.empty());
    filer->DefineProperty(
        "Points",
        [this](TReader& r) {
          points.clear();
          r.ReadListBegin();
          while (!r.EndOfList()) points.push_back(r.ReadInteger());
          r.ReadListEnd();
        },
        [this](TWriter& w) {
          w.WriteListBegin();
          for (int32_t p : points) w.WriteInteger(p);
          w.WriteListEnd();
        },
        !points.empty());
  }

  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override { return parent_; }
  void SetParentComponent(TComponent* value) override { parent_ = value; }
  void GetChildren(const TGetChildProc& proc, TComponent* root) override {
    for (int32_t i = 0; i < root->ComponentCount(); ++i)
      if (root->Components(i)->GetParentComponent() == this) proc(root->Components(i));
  }
  void Loaded() override {
    Note(this, "Loaded" + (buddy_ ? " buddy=" + buddy_->Name() : std::string()));
    TComponent::Loaded();
  }

private:
  int32_t left_ = 0;
  int32_t top_ = 0;
  std::string caption_;
  TAlignment alignment_ = taLeftJustify;
  bool visible_ = true;
  double scale_ = 0;
  int64_t big_ = 0;
  char32_t letter_ = 0;
  uint8_t level_ = 0;
  TTestFont font_;
  TStringList lines_;
  TCollection columns_;
  TTestControl* buddy_ = nullptr;
  TComponent* parent_ = nullptr;
};

class TTestForm : public TComponent {
  DX_COMPONENT_CLASS(TTestForm, TComponent)
public:
  explicit TTestForm(TComponent* owner) : TComponent(owner), extras(CollectionItemClassOf<TTestItem>()) {}
  // An unpublished collection, and a property older descriptions carry that is
  // read over and never written.
  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    filer->DefineProperty(
        "Extras",
        [this](TReader& r) {
          EXPECT_EQ(r.ReadValue(), vaCollection);
          r.ReadCollection(&extras);
        },
        [this](TWriter& w) { w.WriteCollection(&extras); }, extras.Count() > 0);
    filer->DefineProperty(
        "Legacy", [](TReader& r) { r.SkipValue(); }, nullptr, false);
  }
  TCollection extras;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  void Button1Click(TObject* sender) { gLog.push_back("click " + static_cast<TComponent*>(sender)->Name()); }
  void GetChildren(const TGetChildProc& proc, TComponent* root) override {
    for (int32_t i = 0; i < ComponentCount(); ++i) {
      TComponent* c = Components(i);
      if (!c->GetParentComponent() || c->GetParentComponent() == this) proc(c);
    }
    (void)root;
  }
  void Loaded() override {
    Note(this, "Loaded");
    TComponent::Loaded();
  }
  TTestControl* Button1 = nullptr;

private:
  std::string caption_;
};

class TBaseForm : public TTestForm {
  DX_COMPONENT_CLASS(TBaseForm, TTestForm)
public:
  using TTestForm::TTestForm;
};
class TDerivedForm : public TBaseForm {
  DX_COMPONENT_CLASS(TDerivedForm, TBaseForm)
public:
  using TBaseForm::TBaseForm;
};

void RegisterTestClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    DefineEnumType<TAlignment>("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    PTypeInfo styles =
        DefineSetType("TFontStyles", DefineEnumType<TFontStyle>("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
    PTypeInfo color = DefineIntegerType("TTestColor", otSLong, IdentToColor, ColorToIdent);
    Published<TTestFont>()
        .Str("Name", &TTestFont::Name, &TTestFont::SetName)
        .Int("Size", &TTestFont::Size, &TTestFont::SetSize, 8)
        .Set("Style", &TTestFont::Style, &TTestFont::SetStyle, styles, 0)
        .Int("Color", &TTestFont::Color, &TTestFont::SetColor, clWindowText)
        .Type(color);
    Published<TTestItem>()
        .Str("Caption", &TTestItem::Caption, &TTestItem::SetCaption)
        .Int("Width", &TTestItem::Width, &TTestItem::SetWidth, 50);
    Published<TTestControl>()
        .Int("Left", &TTestControl::Left, &TTestControl::SetLeft)
        .Int("Top", &TTestControl::Top, &TTestControl::SetTop)
        .Str("Caption", &TTestControl::Caption, &TTestControl::SetCaption)
        .Enum("Alignment", &TTestControl::Alignment, &TTestControl::SetAlignment, taLeftJustify)
        .Bool("Visible", &TTestControl::Visible, &TTestControl::SetVisible, true)
        .Float("Scale", &TTestControl::Scale, &TTestControl::SetScale)
        .Int("Big", &TTestControl::Big, &TTestControl::SetBig)
        .Char("Letter", &TTestControl::Letter, &TTestControl::SetLetter, 0)
        .Int("Level", &TTestControl::Level, &TTestControl::SetLevel, 0)
        .Obj("Font", &TTestControl::Font, &TTestControl::SetFont)
        .Obj("Lines", &TTestControl::Lines, &TTestControl::SetLines)
        .Obj("Columns", &TTestControl::Columns, nullptr)
        .Obj("Buddy", &TTestControl::Buddy, &TTestControl::SetBuddy)
        .Event("OnClick", &TTestControl::OnClick);
    Published<TTestForm>()
        .Str("Caption", &TTestForm::Caption, &TTestForm::SetCaption)
        .Method("Button1Click", &TTestForm::Button1Click)
        .Field("Button1", &TTestForm::Button1);
    RegisterClass(TTestControl::StaticClass());
    RegisterClass(TTestForm::StaticClass());
    RegisterClass(TBaseForm::StaticClass());
    RegisterClass(TDerivedForm::StaticClass());
  });
}

class FilerTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    gLog.clear();
  }
};

std::unique_ptr<TComponent> Read(std::string_view text) { return std::unique_ptr<TComponent>(ReadComponentText(text)); }

// Each description is in the writer's own layout, so reading and writing it again
// must give the same text back.
const char* const kRoundTrips[] = {
    // nested components, a string list, a collection, an enumeration, a set, a
    // font-like sub-object, a binary property with zero and CR/LF bytes, a reference
    // to a later component, an event, a custom list property
    R"txt(object Form1: TTestForm
  Caption = 'Main'
  object Button1: TTestControl
    Left = 8
    Top = 16
    Caption = 'It''s'#13#10'fine'
    Alignment = taCenter
    Visible = False
    Font.Name = 'Arial'
    Font.Style = [fsBold, fsUnderline]
    Font.Color = clRed
    Lines.Strings = (
      'alpha'
      ''
      'grün, 日本')
    Columns = <
      item
        Caption = 'Name'
      end
      item
        Caption = 'Size'
        Width = 80
      end>
    Buddy = Panel1
    OnClick = Button1Click
    Data = {
      000D0A00FF}
    Points = (
      1
      -2
      2147483647)
  end
  object Panel1: TTestControl
    Left = 0
    Top = 0
    object Label1: TTestControl
      Left = 4
      Top = -4
      Font.Size = 12
      Font.Color = 1193046
    end
  end
end
)txt",
    // floats, 64-bit and character values, an empty collection item, long strings
    R"txt(object Form2: TTestForm
  object Edit1: TTestControl
    Left = -2147483648
    Top = 2147483647
    Caption =
      'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +
      'bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb' +
      'cc'
    Scale = 0.1
    Big = -9223372036854775808
    Letter = 'ß'
    Level = 255
    Columns = <
      item
      end>
  end
  object Edit2: TTestControl
    Left = 1
    Top = 2
    Scale = 1e+300
    Big = 12345678901
    Letter = #9
    Data = {
      0000000000000000000000000000000000000000000000000000000000000000
      0D0A}
  end
end
)txt",
    // a root without children and nothing but defaults
    R"txt(object Form3: TTestForm
end
)txt",
};

TEST_F(FilerTest, DescriptionsRoundTripToIdenticalText) {
  for (const char* text : kRoundTrips) {
    SCOPED_TRACE(text);
    auto root = Read(text);
    EXPECT_EQ(WriteComponentText(root.get()), text);
  }
}

TEST_F(FilerTest, ReadingAssignsEveryKindOfValue) {
  auto root = Read(kRoundTrips[0]);
  auto* form = dynamic_cast<TTestForm*>(root.get());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Caption(), "Main");
  auto* b = dynamic_cast<TTestControl*>(form->FindComponent("Button1"));
  auto* panel = dynamic_cast<TTestControl*>(form->FindComponent("Panel1"));
  auto* label = dynamic_cast<TTestControl*>(form->FindComponent("Label1"));
  ASSERT_TRUE(b && panel && label);
  EXPECT_EQ(form->Button1, b);  // the published field follows the created component
  EXPECT_EQ(label->Owner(), form);
  EXPECT_EQ(label->GetParentComponent(), panel);
  EXPECT_EQ(b->GetParentComponent(), form);
  EXPECT_EQ(b->Caption(), "It's\r\nfine");
  EXPECT_EQ(b->Alignment(), taCenter);
  EXPECT_FALSE(b->Visible());
  EXPECT_EQ(b->Font()->Name(), "Arial");
  EXPECT_EQ(b->Font()->Style(), (1u << fsBold) | (1u << fsUnderline));
  EXPECT_EQ(b->Font()->Color(), clRed);
  EXPECT_EQ(label->Font()->Color(), 0x123456);
  ASSERT_EQ(b->Lines()->Count(), 3);
  EXPECT_EQ(b->Lines()->Strings(1), "");
  EXPECT_EQ(b->Lines()->Strings(2), "grün, 日本");
  ASSERT_EQ(b->Columns()->Count(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(b->Columns()->Items(0))->Width(), 50);
  EXPECT_EQ(static_cast<TTestItem*>(b->Columns()->Items(1))->Caption(), "Size");
  EXPECT_EQ(static_cast<TTestItem*>(b->Columns()->Items(1))->Width(), 80);
  EXPECT_EQ(b->Buddy(), panel);
  EXPECT_EQ(b->data, (std::vector<uint8_t>{0x00, 0x0D, 0x0A, 0x00, 0xFF}));
  EXPECT_EQ(b->points, (std::vector<int32_t>{1, -2, 2147483647}));
  ASSERT_TRUE(b->OnClick);
  gLog.clear();
  b->OnClick(b);
  EXPECT_EQ(gLog, std::vector<std::string>{"click Button1"});
  for (TComponent* c : {root.get(), static_cast<TComponent*>(b), static_cast<TComponent*>(label)})
    EXPECT_FALSE(c->Loading() || c->Reading()) << c->Name();
}

TEST_F(FilerTest, ComponentsBuiltInCodeSurviveWriteAndRead) {
  TTestForm form(nullptr);
  form.SetName("Built");
  auto* a = new TTestControl(&form);
  a->SetName("A");
  a->SetParentComponent(&form);
  a->SetCaption(std::string("tab\there, quote ' and ") + std::string(1, '\0') + "nul");
  a->SetScale(-2.5e-7);
  a->SetLetter(U'€');
  a->Lines()->Add(std::string(200, 'x'));
  auto* item = static_cast<TTestItem*>(a->Columns()->Add());
  item->SetCaption("c");
  a->data = {0, 1, 2, 13, 10, 0};
  auto* b = new TTestControl(&form);
  b->SetName("B");
  b->SetParentComponent(a);
  b->SetBuddy(a);
  a->SetBuddy(b);
  std::string text = WriteComponentText(&form);

  auto copy = Read(text);
  EXPECT_EQ(WriteComponentText(copy.get()), text);
  auto* ca = dynamic_cast<TTestControl*>(copy->FindComponent("A"));
  auto* cb = dynamic_cast<TTestControl*>(copy->FindComponent("B"));
  ASSERT_TRUE(ca && cb);
  EXPECT_EQ(ca->Caption(), a->Caption());
  EXPECT_EQ(ca->Scale(), a->Scale());
  EXPECT_EQ(ca->Letter(), U'€');
  EXPECT_EQ(ca->Lines()->Strings(0), std::string(200, 'x'));
  EXPECT_EQ(ca->data, a->data);
  EXPECT_EQ(cb->GetParentComponent(), ca);
  EXPECT_EQ(ca->Buddy(), cb);
  EXPECT_EQ(cb->Buddy(), ca);
}

TEST_F(FilerTest, SettersRunInStreamOrderAndLoadedAfterReferencesAreFixed) {
  auto root = Read(R"txt(object Form1: TTestForm
  object Button1: TTestControl
    Top = 5
    Left = 7
    Buddy = Button2
    Caption = 'one'
  end
  object Button2: TTestControl
    Caption = 'two'
    Buddy = Form1.Button1
  end
end
)txt");
  const std::vector<std::string> expected = {
      "Button1.Top=5 L R",      "Button1.Left=7 L R",   "Button1.Caption=one L R",
      "Button2.Caption=two L R",
      // references wait for the whole description
      "Button1.Buddy=Button2 L", "Button2.Buddy=Button1 L",
      // then Loaded in creation order, with csReading already off everywhere
      "Form1.Loaded L",         "Button1.Loaded buddy=Button2 L", "Button2.Loaded buddy=Button1 L"};
  EXPECT_EQ(gLog, expected);
}

TEST_F(FilerTest, BinaryPropertyReaderReceivesExactlyItsBytes) {
  std::vector<uint8_t> all(256);
  for (size_t i = 0; i < all.size(); ++i) all[i] = uint8_t(i);
  const std::vector<std::vector<uint8_t>> cases = {
      {0x00}, {0x0D, 0x0A}, {0x0A}, {0x00, 0x00, 0x00, 0x0D}, {0x7D, 0x7B, 0x27, 0x23}, all, std::vector<uint8_t>(33, 0)};
  for (const auto& bytes : cases) {
    SCOPED_TRACE(bytes.size());
    TTestForm form(nullptr);
    form.SetName("F");
    auto* c = new TTestControl(&form);
    c->SetName("C");
    c->data = bytes;
    std::string text = WriteComponentText(&form);
    auto copy = Read(text);
    auto* cc = dynamic_cast<TTestControl*>(copy->FindComponent("C"));
    ASSERT_NE(cc, nullptr);
    EXPECT_EQ(cc->dataPositionSeen, 0);
    EXPECT_EQ(cc->dataSizeSeen, int64_t(bytes.size()));
    EXPECT_EQ(cc->data, bytes);
  }
  // An empty value reaches the reader as an empty stream.
  auto root = Read("object F: TTestForm\n  object C: TTestControl\n    Data = {}\n  end\nend\n");
  auto* c = dynamic_cast<TTestControl*>(root->FindComponent("C"));
  EXPECT_EQ(c->dataSizeSeen, 0);
}

struct Broken {
  const char* text;
  int line;
  const char* fragment;  // the property, component or name the message must mention
  bool readError;        // false: a setter's own exception class passes through
};

const Broken kBroken[] = {
    {"object F: TTestForm\n  object B: TTestControl\n  end\n  object X: TNoSuchClass\n  end\nend\n", 4,
     "TNoSuchClass", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Left = 1\n    Wdth = 2\n  end\nend\n", 4, "B.Wdth", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Left = 'x'\n  end\nend\n", 3, "B.Left", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Left = 99999999999\n  end\nend\n", 3, "B.Left", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Level = 256\n  end\nend\n", 3, "B.Level", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Alignment = taMiddle\n  end\nend\n", 3, "B.Alignment",
     true},
    {"object F: TTestForm\n  object B: TTestControl\n\n    Font.Style = [fsBold, fsHuge]\n  end\nend\n", 4,
     "B.Font.Style", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Caption.Size = 1\n  end\nend\n", 3, "B.Caption.Size",
     true},
    {"object F: TTestForm\n  object B: TTestControl\n    Caption = 'open\n  end\nend\n", 3, "B.Caption", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Letter = 'ab'\n  end\nend\n", 3, "B.Letter", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Columns = <\n      item\n        Nope = 1\n      end>\n  end\nend\n",
     5, "B.Columns[0].Nope", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Data = {0A0}\n  end\nend\n", 3, "B.Data", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Points = (1 'two')\n  end\nend\n", 3, "B.Points", true},
    {"object F: TTestForm\n  object B: TTestControl\n    OnClick = NoSuchHandler\n  end\nend\n", 3,
     "NoSuchHandler", true},
    {"object F: TTestForm\n  object B: TTestControl\n    Left = 1\n\n    Buddy = Nobody\n  end\nend\n", 5, "Nobody",
     true},
    {"object F: TTestForm\n  object B: TTestControl\n  end\n  object B: TTestControl\n  end\nend\n", 4, "F.B",
     false},
    {"object F: TTestForm\n  object B: TTestControl\n    Caption = 'boom'\n  end\nend\n", 3, "B.Caption", false},
    // unbalanced: one "end" missing, one too many
    {"object F: TTestForm\n  object B: TTestControl\n    Left = 1\n  end\n", 5, "'end' expected", true},
    {"object F: TTestForm\n  object B: TTestControl\n  end\nend\nend\n", 5, "after the end", true},
    {"object F: TTestForm\n  object B: TTestControl\n  end\n  end\nend\n", 5, "after the end", true},
};

TEST_F(FilerTest, BrokenDescriptionNamesLineAndPropertyAndFreesWhatItMade) {
  for (const Broken& b : kBroken) {
    SCOPED_TRACE(b.text);
    TTestForm form(nullptr);
    bool raised = false;
    try {
      ReadComponentText(b.text, &form);
    } catch (const Exception& e) {
      raised = true;
      EXPECT_EQ(dynamic_cast<const EReadError*>(&e) != nullptr, b.readError) << e.ClassName();
      EXPECT_NE(e.Message().find("line " + std::to_string(b.line)), std::string::npos) << e.Message();
      EXPECT_NE(e.Message().find(b.fragment), std::string::npos) << e.Message();
    }
    EXPECT_TRUE(raised);
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(form.Button1, nullptr);
    EXPECT_FALSE(form.Loading() || form.Reading());
    // A root the read makes itself is freed as well (the sanitizer build checks).
    EXPECT_THROW(ReadComponentText(b.text), Exception);
  }
}

TEST_F(FilerTest, InheritedFormReadsAncestorFirstAndWritesOnlyDifferences) {
  static const char kBase[] = R"txt(object BaseForm: TBaseForm
  Caption = 'Base'
  object Button1: TTestControl
    Left = 1
    Top = 0
    Caption = 'OK'
  end
end
)txt";
  static const char kDerived[] = R"txt(inherited DerivedForm: TDerivedForm
  Caption = 'Derived'
  inherited Button1: TTestControl
    Left = 2
  end
  object Button2: TTestControl
    Left = 0
    Top = 0
    Caption = 'More'
  end
end
)txt";
  RegisterFormResource("TBaseForm", kBase);
  RegisterFormResource("TDerivedForm", kDerived);
  TDerivedForm form(nullptr);
  ASSERT_TRUE(InitInheritedComponent(&form, TTestForm::StaticClass()));
  EXPECT_EQ(form.Name(), "DerivedForm");
  EXPECT_EQ(form.Caption(), "Derived");
  auto* b1 = dynamic_cast<TTestControl*>(form.FindComponent("Button1"));
  ASSERT_NE(b1, nullptr);
  EXPECT_EQ(b1->Left(), 2);
  EXPECT_EQ(b1->Caption(), "OK");
  ASSERT_NE(form.FindComponent("Button2"), nullptr);
  int loadedCalls = 0;
  for (const std::string& l : gLog) loadedCalls += l.find(".Loaded") != std::string::npos;
  EXPECT_EQ(loadedCalls, 3);  // once per component, after both levels

  TBaseForm ancestor(nullptr);
  ASSERT_TRUE(InitInheritedComponent(&ancestor, TTestForm::StaticClass()));
  TStringStream out;
  WriteDescendent(out, &form, &ancestor);
  EXPECT_EQ(out.DataString(), kDerived);
  UnregisterFormResource("TBaseForm");
  UnregisterFormResource("TDerivedForm");
}

TEST_F(FilerTest, FormResourcesAreFoundByClassName) {
  static const char kText[] = "object Res: TTestForm\n  Caption = 'from resource'\nend\n";
  RegisterFormResource("TTestForm", kText);
  TTestForm form(nullptr);
  EXPECT_EQ(ReadComponentRes("ttestform", &form), &form);
  EXPECT_EQ(form.Caption(), "from resource");
  EXPECT_THROW(ReadComponentRes("TNotThere", &form), EResNotFound);
  EXPECT_FALSE(InitInheritedComponent(&form, TTestForm::StaticClass()));  // TTestForm itself is the root ancestor
  UnregisterFormResource("TTestForm");
}

TEST_F(FilerTest, DefinedPropertiesReadCollectionsAndSkipValues) {
  static const char kText[] = R"txt(object F: TTestForm
  Extras = <
    item
      Caption = 'x'
      Width = 7
    end>
  Legacy = (
    1
    -2.5
    'a' +
    'b'
    Ident.Dotted
    [x, y]
    {00FF}
    <
      item
        A = 1
        B = (
          2)
      end>
    (
      -INF
      True))
  Caption = 'after'
end
)txt";
  auto root = Read(kText);
  auto* form = dynamic_cast<TTestForm*>(root.get());
  ASSERT_EQ(form->extras.Count(), 1);
  EXPECT_EQ(static_cast<TTestItem*>(form->extras.Items(0))->Width(), 7);
  EXPECT_EQ(form->Caption(), "after");
  EXPECT_EQ(WriteComponentText(form),
            "object F: TTestForm\n  Caption = 'after'\n  Extras = <\n    item\n      Caption = 'x'\n      Width = 7\n"
            "    end>\nend\n");
}

TEST_F(FilerTest, StreamReadStopsAfterTheComponentForTheNextOne) {
  TStringStream s("object A: TTestForm\nend\nobject B: TTestForm\n  Caption = 'b'\nend\n");
  std::unique_ptr<TComponent> a(ReadComponent(s, nullptr));
  std::unique_ptr<TComponent> b(ReadComponent(s, nullptr));
  EXPECT_EQ(a->Name(), "A");
  EXPECT_EQ(dynamic_cast<TTestForm*>(b.get())->Caption(), "b");
}

}  // namespace
