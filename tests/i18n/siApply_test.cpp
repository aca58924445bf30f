// Applying a language to a form built from platform controls and stand-ins
// for the toolbar and status bar classes, which publish the same property names.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "i18n_test.h"
#include "platform/classes/collection.h"
#include "platform/classes/typinfo.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/stdctrls.h"
#include "tests/support/testsupport.h"

namespace {

// A bar, a bar button or a bar manager: a caption, a hint, a font and the category names.
class TTestBarItem : public TComponent {
  DX_COMPONENT_CLASS(TTestBarItem, TComponent)
public:
  explicit TTestBarItem(TComponent* owner) : TComponent(owner) { categories_.SetSorted(false); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  TFont* Font() { return &font_; }
  void SetFont(TFont* f) { font_.Assign(f); }
  TStringList* Categories() { return &categories_; }
  void SetCategories(TStringList* v) { categories_.Assign(v); }
  TComponent* Action() const { return action_; }
  void SetAction(TComponent* a) { action_ = a; }
  TObject* Properties() const { return properties_; }
  void SetProperties(TObject* p) { properties_ = p; }
  int64_t Big() const { return big_; }
  void SetBig(int64_t v) { big_ = v; }

private:
  std::string caption_, hint_;
  TFont font_;
  TStringList categories_;
  TComponent* action_ = nullptr;
  TObject* properties_ = nullptr;
  int64_t big_ = 0;
};

class TTestPanel : public TCollectionItem {
  DX_CLASS(TTestPanel, TCollectionItem)
public:
  explicit TTestPanel(TCollection* c) : TCollectionItem(c) {}
  const std::string& PanelStyleClassName() const { return style_; }
  void SetPanelStyleClassName(const std::string& v) {
    style_ = v;
    ++writes;
  }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& v) { text_ = v; }
  int writes = 0;

private:
  std::string style_, text_;
};

// The status bar: panels and a font.
class TTestStatusBar : public TComponent {
  DX_COMPONENT_CLASS(TTestStatusBar, TComponent)
public:
  explicit TTestStatusBar(TComponent* owner) : TComponent(owner), panels_(CollectionItemClassOf<TTestPanel>()) {}
  TCollection* Panels() { return &panels_; }
  void SetPanels(TCollection* v) { panels_.Assign(v); }
  TFont* Font() { return &font_; }
  void SetFont(TFont* f) { font_.Assign(f); }
  TTestPanel* Panel(int i) { return static_cast<TTestPanel*>(panels_.Items(i)); }

private:
  TCollection panels_;
  TFont font_;
};

// A form class of its own, as the viewer's windows are.
class TTestForm : public TForm {
  DX_COMPONENT_CLASS(TTestForm, TForm)
public:
  using TForm::TForm;
};

void RegisterStandIns() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterGraphicsProperties();
    RegisterControlsClasses();
    RegisterStdCtrlsClasses();
    RegisterExtCtrlsClasses();
    RegisterDialogsClasses();
    RegisterActionClasses();
    Published<TTestBarItem>()
        .Str("Caption", &TTestBarItem::Caption, &TTestBarItem::SetCaption)
        .Str("Hint", &TTestBarItem::Hint, &TTestBarItem::SetHint)
        .Obj("Font", &TTestBarItem::Font, &TTestBarItem::SetFont)
        .Obj("Categories", &TTestBarItem::Categories, &TTestBarItem::SetCategories)
        .Obj("Action", &TTestBarItem::Action, &TTestBarItem::SetAction)
        .Obj("Properties", &TTestBarItem::Properties, &TTestBarItem::SetProperties)
        .Int("Big", &TTestBarItem::Big, &TTestBarItem::SetBig)
        .Str("ReadOnlyText", &TTestBarItem::Caption, nullptr);
    Published<TTestPanel>()
        .Str("PanelStyleClassName", &TTestPanel::PanelStyleClassName, &TTestPanel::SetPanelStyleClassName)
        .Str("Text", &TTestPanel::Text, &TTestPanel::SetText);
    Published<TTestStatusBar>()
        .Obj("Panels", &TTestStatusBar::Panels, &TTestStatusBar::SetPanels)
        .Obj("Font", &TTestStatusBar::Font, &TTestStatusBar::SetFont);
  });
}

std::vector<std::string> Lines(const TStrings& s) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < s.Count(); ++i) out.push_back(s.Strings(i));
  return out;
}

// The viewer's main window with the components the stored texts name.
struct ViewerForm {
  TViewerMain form{nullptr};
  TsiLang* lang = nullptr;
  TOpenDialog* dialog = nullptr;
  TTestStatusBar* status = nullptr;
  TTestBarItem* manager = nullptr;

  ViewerForm() {
    RegisterStandIns();
    lang = new TsiLang(&form);
    lang->SetName("siLang1");
    const std::vector<std::pair<std::string, std::pair<std::string, std::string>>> buttons = {
        {"dxBarManager1Bar1", {"General", ""}}, {"dxBarManager1Bar2", {"Navigation", ""}},
        {"btnOpen", {"Open...", "Open"}},       {"btnFit", {"Fit", "Fit"}},
        {"btn3DRedGreen", {"3D GrayScale Red/Green", "3D GrayScale Red/Green"}},
        {"btnPrev", {"Previous", "Previous"}}};
    for (const auto& [name, texts] : buttons) {
      auto* b = new TTestBarItem(&form);
      b->SetName(name);
      b->SetCaption(texts.first);
      b->SetHint(texts.second);
    }
    dialog = new TOpenDialog(&form);
    dialog->SetName("OpenDialog1");
    dialog->SetFilter("Images (*.mpo; *.jpg)|*.mpo;*.jpg");
    status = new TTestStatusBar(&form);
    status->SetName("dxStatusBar1");
    for (int i = 0; i < 2; ++i) {
      static_cast<TTestPanel*>(status->Panels()->Add())->SetPanelStyleClassName("TdxStatusBarTextPanelStyle");
      status->Panel(i)->writes = 0;
    }
    manager = new TTestBarItem(&form);
    manager->SetName("dxBarManager1");
    manager->Categories()->Add("Default");
    lang->SetNumOfLanguages(2);
    ReadBlock(*lang, testsupport::ReadFileBytes(testsupport::DataFile("viewer_main_translation.bin")));
  }
  TTestBarItem* Button(const char* name) { return static_cast<TTestBarItem*>(form.FindComponent(name)); }
};

TEST(ApplyLanguage, TheViewersFormInGermanAndBack) {
  ViewerForm v;
  v.lang->SetActiveLanguage(2);
  EXPECT_EQ(v.Button("btnFit")->Caption(), "Anpassen");
  EXPECT_EQ(v.Button("btnOpen")->Caption(), "Öffnen...");
  EXPECT_EQ(v.Button("btnOpen")->Hint(), "Öffnen");
  EXPECT_EQ(v.Button("dxBarManager1Bar1")->Caption(), "Allgemein");
  // German hint empty and ttNoChange: the English hint stays.
  EXPECT_EQ(v.Button("btn3DRedGreen")->Hint(), "3D GrayScale Red/Green");
  EXPECT_EQ(v.dialog->Filter(), "Bilder (*.mpo; *.jpg)|*.mpo;*.jpg");
  // The panel lines resolve (they stay in the list) but the equal value is not written again.
  EXPECT_EQ(v.lang->Collections()->Count(), 2);
  EXPECT_EQ(v.status->Panel(0)->writes, 0);
  EXPECT_EQ(v.status->Panel(1)->PanelStyleClassName(), "TdxStatusBarTextPanelStyle");
  // Lines of components the test form lacks went to LostLines.
  EXPECT_GT(v.lang->LostLines()->Count(), 0);

  v.lang->SetActiveLanguage(1);
  EXPECT_EQ(v.Button("btnFit")->Caption(), "Fit");
  EXPECT_EQ(v.Button("btnOpen")->Caption(), "Open...");
  EXPECT_EQ(v.Button("btnOpen")->Hint(), "Open");
  EXPECT_EQ(v.Button("dxBarManager1Bar1")->Caption(), "General");
  EXPECT_EQ(v.Button("btnPrev")->Caption(), "Previous");
  EXPECT_EQ(v.dialog->Filter(), "Images (*.mpo; *.jpg)|*.mpo;*.jpg");
}

TEST(ApplyLanguage, DoNotTranslateKeepsTheButtonsTexts) {
  ViewerForm v;
  v.lang->DoNotTranslate()->Add("BTNOPEN");
  v.lang->SetActiveLanguage(2);
  EXPECT_EQ(v.Button("btnOpen")->Caption(), "Open...");
  EXPECT_EQ(v.Button("btnOpen")->Hint(), "Open");
  EXPECT_EQ(v.Button("btnFit")->Caption(), "Anpassen");
}

TEST(ApplyLanguage, ActiveTextFallbacks) {
  struct Case {
    bool useDefault;
    int32_t defaultLanguage;
    TTranslateType type;
    std::string line;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {false, 1, ttNoChange, "a" + D + "one" + D + "two" + D + "three" + D, "two"},
      {false, 1, ttNoChange, "a" + D + "one" + D + D + "three" + D, ""},
      {false, 1, ttGetDefault, "a" + D + "one" + D + D + "three" + D, "one"},
      {true, 3, ttNoChange, "a" + D + "one" + D + D + "three" + D, "three"},
      {true, 3, ttGetDefault, "a" + D + "one" + D + D + D, "one"},
  };
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(3);
  lang.SetActiveLanguage(2);
  for (const Case& c : cases) {
    lang.SetUseDefaultLanguage(c.useDefault);
    lang.SetDefaultLanguage(c.defaultLanguage);
    lang.SetTranslateType(c.type);
    EXPECT_EQ(lang.ActiveText(c.line, stCaptions), c.expected) << c.line.size();
  }
}

// Component font lines compare charset names ignoring case; the owner's line compares exactly.
TEST(ApplyLanguage, FontsCharsetsAndParentFont) {
  RegisterStandIns();
  TTestForm form(nullptr);
  TsiLang lang(&form);
  auto* bar = new TTestBarItem(&form);
  bar->SetName("bar");
  auto* inherits = new TPanel(&form);
  inherits->SetName("pnInherits");
  inherits->SetParentFont(true);
  const std::string inheritedName = inherits->Font()->Name();
  const uint8_t inheritedCharset = inherits->Font()->Charset();
  auto* own = new TPanel(&form);
  own->SetName("pnOwn");
  own->SetParentFont(false);
  lang.SetNumOfLanguages(2);

  struct Case {
    std::string charsetName;
    uint8_t componentCharset;  // on "bar"
    uint8_t ownerCharset;
  };
  const std::vector<Case> cases = {
      {"RUSSIAN_CHARSET", 204, 204},
      {"russian_charset", 204, 1},
      {"EASTEUROPE_CHARSET", 238, 238},
      {"OEM_CHARSET", 255, 255},
      {"Mac_Charset", 77, 1},
  };
  for (const Case& c : cases) {
    form.Font()->SetCharset(1);
    bar->Font()->SetCharset(1);
    lang.SetActiveLanguage(1);
    for (const char* n : {"TTestForm", "bar", "pnInherits", "pnOwn"}) {
      lang.Fonts()->Add(std::string(n) + D + "Arial" + D + "Courier New" + D);
      lang.CharSets()->Add(std::string(n) + D + "ANSI_CHARSET" + D + c.charsetName + D);
    }
    lang.SetActiveLanguage(2);
    EXPECT_EQ(bar->Font()->Name(), "Courier New");
    EXPECT_EQ(bar->Font()->Charset(), c.componentCharset) << c.charsetName;
    EXPECT_EQ(form.Font()->Name(), "Courier New");
    EXPECT_EQ(form.Font()->Charset(), c.ownerCharset) << c.charsetName;
    EXPECT_EQ(own->Font()->Name(), "Courier New");
    EXPECT_EQ(own->Font()->Charset(), c.componentCharset) << c.charsetName;
    EXPECT_EQ(inherits->Font()->Name(), inheritedName);
    EXPECT_EQ(inherits->Font()->Charset(), inheritedCharset);
    lang.Fonts()->Clear();
    lang.CharSets()->Clear();
  }
}

TEST(ApplyLanguage, StringListsTakeTheCommaTextLineByLine) {
  RegisterStandIns();
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  auto* sorted = new TTestBarItem(&form);
  sorted->SetName("sortedBar");
  sorted->Categories()->SetSorted(true);
  for (const char* s : {"d", "c", "b", "a"}) sorted->Categories()->Add(s);
  auto* plain = new TTestBarItem(&form);
  plain->SetName("plainBar");
  for (const char* s : {"one", "two", "three"}) plain->Categories()->Add(s);
  lang.SetNumOfLanguages(2);
  lang.MultiLines()->Add("sortedBar.Categories" + D + "a,b,c,d" + D + "zz,\"y y\",x" + D);
  lang.MultiLines()->Add("plainBar.Categories" + D + "one,two,three" + D + "eins,zwei" + D);
  lang.SetActiveLanguage(2);
  EXPECT_EQ(Lines(*sorted->Categories()), (std::vector<std::string>{"x", "y y", "zz"}));
  EXPECT_TRUE(sorted->Categories()->Sorted());
  EXPECT_EQ(Lines(*plain->Categories()), (std::vector<std::string>{"eins", "zwei"}));
  lang.SetActiveLanguage(1);
  EXPECT_EQ(Lines(*plain->Categories()), (std::vector<std::string>{"one", "two", "three"}));
}

TEST(ApplyLanguage, ARelativePathIsNotWrittenOverTheFileItNames) {
  RegisterStandIns();
  struct Case {
    std::string current;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {ExpandFileName("..\\help.chm"), ExpandFileName("..\\help.chm")},
      {"/elsewhere/help.chm", "..\\help.chm"},
      {"", "..\\help.chm"},
  };
  for (const Case& c : cases) {
    TViewerMain form(nullptr);
    TsiLang lang(&form);
    auto* dialog = new TOpenDialog(&form);
    dialog->SetName("OpenDialog1");
    dialog->SetFileName(c.current);
    lang.SetNumOfLanguages(2);
    lang.OtherStrings()->Add("OpenDialog1.FileName" + D + "x" + D + "..\\help.chm" + D);
    lang.SetActiveLanguage(2);
    EXPECT_EQ(dialog->FileName(), c.expected) << c.current;
  }
}

TEST(ApplyLanguage, LocalesLineSetsTheDecimalSeparator) {
  const TFormatSettings saved = FormatSettings();
  {
    TViewerMain form(nullptr);
    TsiLang lang(&form);
    lang.SetNumOfLanguages(2);
    lang.Locales()->Add("Decimal Separator" + D + "." + D + "," + D);
    lang.Locales()->Add("Long Day Names" + D + D + "So,Mo" + D);
    lang.Locales()->Add("decimal separator" + D + D + ";" + D);  // names compare exactly
    lang.SetActiveLanguage(2);
    EXPECT_EQ(FormatSettings().DecimalSeparator, '.');  // without ChangeLocales nothing changes
    lang.SetActiveLanguage(1);
    lang.SetChangeLocales(true);
    lang.SetActiveLanguage(2);
    EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
    EXPECT_EQ(FormatSettings().LongDayNames[0], "So");
    EXPECT_EQ(FormatSettings().LongDayNames[1], "Mo");
    EXPECT_EQ(FormatSettings().LongDayNames[2], "Tuesday");
  }
  FormatSettings() = saved;
}

TEST(ApplyLanguage, CollectionLines) {
  RegisterStandIns();
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  auto* status = new TTestStatusBar(&form);
  status->SetName("sb");
  status->Panels()->Add();
  status->Panels()->Add();
  auto* bar = new TTestBarItem(&form);  // its "Properties" object is nil
  bar->SetName("bar");
  lang.SetNumOfLanguages(2);
  lang.SetAutoSkipEmpties(false);
  const std::string nilProperties = "bar.Properties.Panels[0].Text" + D + "a" + D + "b" + D;
  const std::string outside = "sb.Panels[2].Text" + D + "a" + D + "b" + D;
  const std::string noProperty = "sb.Panels[0].Missing" + D + "a" + D + "b" + D;
  const std::string missingComponent = "gone.Panels[0].Text" + D + "a" + D + "b" + D;
  for (const std::string& l : {nilProperties, outside, noProperty, missingComponent,
                               "sb.Panels[1].Text" + D + "first" + D + "zweite" + D})
    lang.Collections()->Add(l);
  lang.SetActiveLanguage(2);
  EXPECT_EQ(status->Panel(1)->Text(), "zweite");
  EXPECT_EQ(Lines(*lang.Collections()),
            (std::vector<std::string>{nilProperties, "sb.Panels[1].Text" + D + "first" + D + "zweite" + D}));
  EXPECT_EQ(Lines(*lang.LostLines()), (std::vector<std::string>{outside, missingComponent}));
}

TEST(ApplyLanguage, CleanListMovesLostLinesAndSkipsEmpties) {
  RegisterStandIns();
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  auto* bar = new TTestBarItem(&form);
  bar->SetName("bar");
  auto* linked = new TTestBarItem(&form);
  linked->SetName("linked");
  auto* action = new TTestBarItem(&form);
  action->SetName("act");
  action->SetCaption("Run");
  linked->SetCaption("Run");
  linked->SetAction(action);
  lang.SetNumOfLanguages(2);
  const std::string kept = "bar" + D + "Bar" + D + "Leiste" + D;
  const std::string gone = "nothing" + D + "x" + D + "y" + D;
  const std::string empty = "act" + D + D + D;
  lang.Captions()->Add(kept);
  lang.Captions()->Add(gone);
  lang.Captions()->Add("linked" + D + "Run" + D + "Los" + D);
  lang.Captions()->Add(empty);
  lang.CleanList(lang.Captions(), stCaptions);
  EXPECT_EQ(Lines(*lang.Captions()), std::vector<std::string>{kept});
  EXPECT_EQ(Lines(*lang.LostLines()), std::vector<std::string>{gone});

  // MultiLines accept the owner's class name as the component part.
  lang.MultiLines()->Add("TViewerMain.Items" + D + "a" + D + "b" + D);
  lang.MultiLines()->Add("nothing.Items" + D + "a" + D + "b" + D);
  lang.SetAutoSkipEmpties(false);
  lang.Captions()->Add(empty);
  lang.CleanList(lang.MultiLines(), stMultiLines);
  lang.CleanList(lang.Captions(), stCaptions);
  EXPECT_EQ(Lines(*lang.MultiLines()), std::vector<std::string>{"TViewerMain.Items" + D + "a" + D + "b" + D});
  EXPECT_EQ(lang.Captions()->Count(), 2);
}

TEST(ApplyLanguage, PropertyLookups) {
  RegisterStandIns();
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  auto* bar = new TTestBarItem(&form);
  bar->SetCaption("c");
  bar->Font()->SetName("Arial");
  bar->Font()->SetCharset(204);
  struct Case {
    const char* name;
    TTypeKinds kinds;
    const char* className;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"caption", siStringKinds, "", true},  {"Caption", siClassKinds, "", false},
      {"Font", siClassKinds, "tfont", true}, {"Font", siClassKinds, "TStrings", false},
      {"Missing", siAllKinds, "", false},    {"Big", TTypeKinds{tkInt64}, "", true},
      {"OnClick", tkAny, "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TsiCustomLang::HasProperty(bar, c.name, c.kinds, c.className), c.expected) << c.name;
  EXPECT_FALSE(TsiCustomLang::HasProperty(nullptr, "Caption", siAllKinds));
  EXPECT_EQ(TsiCustomLang::GetPropText(bar, "CAPTION"), "c");
  TsiCustomLang::SetPropText(bar, "hint", "h");
  EXPECT_EQ(bar->Hint(), "h");
  EXPECT_EQ(TsiCustomLang::GetFontName(bar), "Arial");
  EXPECT_EQ(TsiCustomLang::GetFontCharset(bar), 204);
  EXPECT_EQ(TsiCustomLang::GetFontName(&lang), "");
  EXPECT_EQ(TsiCustomLang::GetFontCharset(&lang), 0);

  TsiPropInfoList props(bar, siStringKinds);
  ASSERT_GE(props.Count(), 2);
  for (int32_t i = 1; i < props.Count(); ++i)
    EXPECT_LT(CompareText(props.Items(i - 1)->Name, props.Items(i)->Name), 0);
  EXPECT_EQ(props.Find("Font"), nullptr);
  try {
    TsiPropInfoList none(nullptr, siAllKinds);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "NIL passed as AObject in TsiPropInfoList.Create!");
  }
}

TEST(ApplyLanguage, FindLineTextTakesTheFirstOrTheLastLine) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  for (TStrings* l : {lang.Hints(), lang.CharSets()}) {
    l->Add("x" + D + "first" + D + "erste" + D);
    l->Add("X" + D + "last" + D + "letzte" + D);
  }
  EXPECT_EQ(lang.FindLineText(lang.Hints(), "x", 2), "letzte");
  lang.SetStoreAsUTF8(true);
  EXPECT_EQ(lang.FindLineText(lang.Hints(), "x", 2), "erste");
  EXPECT_EQ(lang.FindLineText(lang.CharSets(), "x", 1), "last");
  EXPECT_EQ(lang.FindLineText(lang.Hints(), "y", 1), "");
}

TEST(ExtendedTranslations, PathsValuesAndTheirKinds) {
  RegisterStandIns();
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  auto* status = new TTestStatusBar(&form);
  status->SetName("sb");
  for (int i = 0; i < 3; ++i) status->Panels()->Add();
  auto* bar = new TTestBarItem(&form);
  bar->SetName("bar");
  bar->SetBig(7);
  for (const char* s : {"a", "b", "c"}) bar->Categories()->Add(s);
  auto* dialog = new TOpenDialog(&form);
  dialog->SetName("dlg");

  EXPECT_EQ(lang.ResolvePathOwner("sb.Panels[2].Text"), status->Panel(2));
  EXPECT_EQ(lang.ResolvePathOwner("sb.Panels[3].Text"), nullptr);
  EXPECT_EQ(lang.ResolvePathOwner("gone.Caption"), nullptr);
  EXPECT_EQ(lang.ResolvePathOwner("TViewerMain.Tag"), &form);
  EXPECT_EQ(lang.GetPropertyTypeKind("bar.Categories"), tkClass);
  EXPECT_EQ(lang.GetPropertyTypeKind("bar.Font"), tkUnknown);
  EXPECT_EQ(lang.GetPropertyTypeKind("bar.Big"), tkInt64);

  struct Case {
    std::string identifier;
    std::string text;
    std::string expected;  // read back through the same path
  };
  const std::vector<Case> cases = {
      {"sb.Panels[2].Text", "Bereit", "Bereit"},
      {"bar.Big", "5000000000", "5000000000"},       // beyond 32 bits
      {"bar.Big", "no number", "5000000000"},        // keeps the old value
      {"bar.Categories", "x,y", "x,y"},              // the surplus line goes
      {"dlg.FilterIndex", "3", "3"},
      {"dlg.FilterIndex", "3x", "3"},
      {"dlg.Options", "ofReadOnly,ofHideReadOnly", "ofReadOnly,ofHideReadOnly"},
      {"dlg.Options", "ofNoSuchOption", "ofReadOnly,ofHideReadOnly"},
      {"bar.ReadOnlyText", "new", ""},
      {"bar.Missing", "x", ""},
  };
  for (const Case& c : cases) {
    lang.SetIdentifierValue(c.identifier, c.text);
    EXPECT_EQ(lang.GetIdentifierValue(c.identifier), c.expected) << c.identifier << " " << c.text;
  }
  EXPECT_EQ(bar->Big(), 5000000000);
  EXPECT_EQ(Lines(*bar->Categories()), (std::vector<std::string>{"x", "y"}));
}

TEST(ExtendedTranslations, AppliedWithTheLanguage) {
  RegisterStandIns();
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  auto* dialog = new TOpenDialog(&form);
  dialog->SetName("dlg");
  dialog->SetTitle("Open");
  dialog->SetDefaultExt("mpo");
  lang.SetNumOfLanguages(2);
  auto add = [&lang](const std::string& id, const std::string& values) {
    auto* item = static_cast<TsiExtendedItem*>(lang.ExtendedTranslations()->Add());
    item->SetIdentifier(id);
    item->SetValues(values);
  };
  add("dlg.Title", "Open" + D + "Öffnen" + D);
  add("dlg.DefaultExt", "jps" + D + D);  // no German text: unchanged
  add("dlg.InitialDir", "");
  lang.SetActiveLanguage(2);
  EXPECT_EQ(dialog->Title(), "Öffnen");
  EXPECT_EQ(dialog->DefaultExt(), "mpo");
  EXPECT_EQ(dialog->InitialDir(), "");
  lang.SetTranslateType(ttGetDefault);
  lang.SetActiveLanguage(1);
  lang.SetActiveLanguage(2);
  EXPECT_EQ(dialog->DefaultExt(), "jps");
}

TEST(ExtendedTranslations, ValuesExRoundTrip) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  auto* item = static_cast<TsiExtendedItem*>(lang.ExtendedTranslations()->Add());
  const std::string values = "Open" + D + "Öffnen" + D;
  item->SetValues(values);
  TMemoryStream ms;
  item->WriteValuesEx(ms);
  const std::string bytes(static_cast<const char*>(ms.Memory()), size_t(ms.Size()));
  EXPECT_EQ(Hex(bytes), "FF00FE00" + Hex(Utf16LEBytes(u"Open\u0001\u00D6ffnen\u0001")));
  auto* back = static_cast<TsiExtendedItem*>(lang.ExtendedTranslations()->Add());
  ms.SetPosition(0);
  back->ReadValuesEx(ms);
  EXPECT_EQ(back->Values(), values);

  TMemoryStream none;
  item->SetValues("");
  item->WriteValuesEx(none);
  EXPECT_EQ(none.Size(), 0);
}

}  // namespace
