// Switching every registered form through the dispatcher, linked components
// on secondary forms, and the cursor shown during a change.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "i18n/siLngLnk.h"
#include "i18n_test.h"
#include "platform/classes/filer.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrls.h"

namespace {

// The about box: a secondary form with its own texts.
class TAboutBox : public TComponent {
  DX_COMPONENT_CLASS(TAboutBox, TComponent)
public:
  explicit TAboutBox(TComponent* owner) : TComponent(owner) {}
};

TLabel* AddLabel(TComponent* form, const std::string& name, const std::string& caption) {
  auto* label = new TLabel(form);
  label->SetName(name);
  label->SetCaption(caption);
  return label;
}

// A form with one label whose caption has an English and a German text.
template <class Form, class Lang>
struct Translated {
  Translated(const std::string& english, const std::string& german) {
    label = AddLabel(&form, "lbl", english);
    lang = new Lang(&form);
    lang->SetNumOfLanguages(2);
    lang->Captions()->Add("lbl" + D + english + D + german + D);
  }
  Form form{nullptr};
  TLabel* label;
  Lang* lang;
};

std::unique_ptr<TsiLangDispatcher> MakeDispatcher() {
  auto d = std::make_unique<TsiLangDispatcher>(nullptr);
  TStringList names;
  names.Add("English");
  names.Add("Deutsch");
  d->SetLangNames(&names);
  return d;
}

TEST(Dispatcher, SwitchesEveryRegisteredForm) {
  RegisterStdCtrlsClasses();
  auto dispatcher = MakeDispatcher();
  EXPECT_EQ(dispatcher->NumOfLanguages(), 2);
  Translated<TViewerMain, TsiLang> main("Fit", "Anpassen");
  main.lang->DlgsCaptions()->Clear();
  main.lang->DlgsCaptions()->Add("Warning" + D + "Warning" + D + "Warnung" + D);
  Translated<TAboutBox, TsiLangLinked> about("About", "Info");
  main.lang->SetLangDispatcher(dispatcher.get());
  about.lang->SetLangDispatcher(dispatcher.get());
  about.lang->SetCommonContainer(main.lang);
  EXPECT_EQ(dispatcher->Count(), 2);
  EXPECT_EQ(about.lang->DlgsCaptions()->Text(), main.lang->DlgsCaptions()->Text());
  EXPECT_EQ(main.lang->LangNames()->Strings(1), "Deutsch");

  int dispatcherAsked = 0, componentAsked = 0, changed = 0;
  dispatcher->OnLanguageChanging = [&](TObject*, int32_t, bool&) { ++dispatcherAsked; };
  dispatcher->OnLanguageChanged = [&](TObject*) { ++changed; };
  bool allow = true;
  main.lang->OnLanguageChanging = [&](TObject* sender, int32_t value, bool& a) {
    EXPECT_EQ(sender, main.lang);
    EXPECT_EQ(value, 2);
    ++componentAsked;
    a = allow;
  };

  dispatcher->SetActiveLanguage(1);  // the current value: nothing happens
  EXPECT_EQ(dispatcherAsked + componentAsked + changed, 0);

  dispatcher->SetActiveLanguage(2);
  EXPECT_EQ(main.label->Caption(), "Anpassen");
  EXPECT_EQ(about.label->Caption(), "Info");
  EXPECT_EQ(componentAsked, 1) << "asked in the permission round only";
  EXPECT_EQ(dispatcherAsked, 1);
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(dispatcher->Language(), "Deutsch");
  EXPECT_EQ(main.lang->Language(), "Deutsch");

  // A secondary form created now opens in the current language.
  Translated<TAboutBox, TsiLangLinked> later("About", "Info");
  later.lang->SetLangDispatcher(dispatcher.get());
  EXPECT_EQ(later.label->Caption(), "Info");
  EXPECT_EQ(later.lang->ActiveLanguage(), 2);

  // One refusal stops the change for every form.
  allow = false;
  main.lang->OnLanguageChanging = [&](TObject*, int32_t, bool& a) { a = allow; };
  dispatcher->SetActiveLanguage(1);
  EXPECT_EQ(dispatcher->ActiveLanguage(), 2);
  EXPECT_EQ(main.label->Caption(), "Anpassen");
  EXPECT_EQ(about.label->Caption(), "Info");
  EXPECT_EQ(changed, 1);

  // A language no form has is refused before any form changes.
  allow = true;
  main.lang->OnLanguageChanging = nullptr;
  try {
    dispatcher->SetActiveLanguage(3);
    ADD_FAILURE() << "no exception";
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "TViewerMain: 3 - is not a valid property value!\rValue must be within [1..2]!");
  }
  EXPECT_EQ(dispatcher->ActiveLanguage(), 2);
  EXPECT_EQ(main.lang->ActiveLanguage(), 2);
  EXPECT_EQ(about.label->Caption(), "Info");

  dispatcher->SetActiveLanguage(1);
  EXPECT_EQ(main.label->Caption(), "Fit");
  EXPECT_EQ(about.label->Caption(), "About");
  EXPECT_EQ(later.label->Caption(), "About");

  // The container goes; the linked component keeps its copied lines.
  delete main.lang;
  EXPECT_EQ(about.lang->CommonContainer(), nullptr);
  EXPECT_EQ(about.lang->DlgsCaptions()->Count(), 1);
  EXPECT_EQ(dispatcher->Count(), 2);

  dispatcher.reset();
  EXPECT_EQ(about.lang->LangDispatcher(), nullptr);
  EXPECT_EQ(later.lang->LangDispatcher(), nullptr);
}

TEST(Dispatcher, SettingsPassedToTheComponents) {
  auto dispatcher = MakeDispatcher();
  TViewerMain form(nullptr);
  auto* lang = new TsiLang(&form);
  lang->SetLangDispatcher(dispatcher.get());
  EXPECT_EQ(lang->NumOfLanguages(), 2);

  dispatcher->SetNumOfLanguages(3);
  EXPECT_EQ(lang->NumOfLanguages(), 3);
  EXPECT_EQ(dispatcher->LangNames()->Strings(2), "Language N3");
  dispatcher->SetDefaultLanguage(3);
  dispatcher->SetDefaultLanguage(4);  // out of range: ignored
  dispatcher->SetUseDefaultLanguage(true);
  EXPECT_EQ(lang->DefaultLanguage(), 3);
  EXPECT_TRUE(lang->UseDefaultLanguage());

  dispatcher->SetLanguage("Deutsch");
  EXPECT_EQ(dispatcher->ActiveLanguage(), 2);
  EXPECT_EQ(lang->ActiveLanguage(), 2);
  EXPECT_THROW(dispatcher->SetLanguage("Français"), ELanguageError);
  EXPECT_EQ(dispatcher->Language(), "Deutsch");

  dispatcher->AddLangComponent(lang);  // already there
  EXPECT_EQ(dispatcher->Count(), 1);
  delete lang;
  EXPECT_EQ(dispatcher->Count(), 0);
}

TEST(Dispatcher, ChangingCursorShowsOnlyOverTheDefaultCursor) {
  ASSERT_NE(Screen, nullptr);
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  lang.SetChangingCursor(crHourGlass);
  TCursor during = 0;
  lang.OnLanguageChanging = [&during](TObject*, int32_t, bool&) { during = Screen->Cursor(); };
  struct Case {
    TCursor before;
    TCursor during;
  };
  for (const Case c : {Case{crDefault, crHourGlass}, Case{crCross, crCross}}) {
    Screen->SetCursor(c.before);
    lang.SetActiveLanguage(lang.ActiveLanguage() == 1 ? 2 : 1);
    EXPECT_EQ(during, c.during);
    EXPECT_EQ(Screen->Cursor(), c.before);
  }
  Screen->SetCursor(crDefault);
}

TEST(Dispatcher, TheMainWindowStreamedIn) {
  RegisterStdCtrlsClasses();
  TViewerMain form(nullptr);
  ReadComponentText("object ViewerMain: TViewerMain\n"
                    "  object lblFit: TLabel\n    Caption = 'Fit'\n  end\n"
                    "  object siLang1: TsiLang\n    LangDispatcher = siLangDispatcher1\n  end\n"
                    "  object siLangDispatcher1: TsiLangDispatcher\n    ActiveLanguage = 1\n"
                    "    NumOfLanguages = 2\n    LangNames.Strings = (\n      'English'\n      'Deutsch')\n"
                    "    TestModeInfo.PaddingChar = '#'\n  end\nend\n",
                    &form);
  auto* dispatcher = dynamic_cast<TsiLangDispatcher*>(form.FindComponent("siLangDispatcher1"));
  auto* lang = dynamic_cast<TsiLang*>(form.FindComponent("siLang1"));
  ASSERT_TRUE(dispatcher && lang);
  EXPECT_EQ(dispatcher->Count(), 1);
  EXPECT_EQ(lang->NumOfLanguages(), 2);
  EXPECT_EQ(lang->LangNames()->Strings(1), "Deutsch");
  EXPECT_EQ(dispatcher->TestModeInfo()->PaddingChar(), '#');
  lang->Captions()->Add("lblFit" + D + "Fit" + D + "Anpassen" + D);
  dispatcher->SetActiveLanguage(2);
  EXPECT_EQ(dynamic_cast<TLabel*>(form.FindComponent("lblFit"))->Caption(), "Anpassen");
  EXPECT_EQ(lang->Language(), "Deutsch");
}

class TCharsetMainForm : public TForm {
  DX_COMPONENT_CLASS(TCharsetMainForm, TForm)
public:
  explicit TCharsetMainForm(TComponent* owner) : TForm(owner) {}
};

TEST(Dispatcher, AFormWithoutCharsetsTakesThemFromAnotherForm) {
  auto dispatcher = MakeDispatcher();
  auto main = std::make_unique<TCharsetMainForm>(nullptr);
  TForm about(nullptr);
  auto* mainLang = new TsiLang(main.get());
  auto* aboutLang = new TsiLang(&about);
  mainLang->SetLangDispatcher(dispatcher.get());
  aboutLang->SetLangDispatcher(dispatcher.get());
  // Registering computed the language character sets, which found the source.
  EXPECT_EQ(aboutLang->CharsetSource(), mainLang);
  EXPECT_EQ(mainLang->CharsetSource(), nullptr);
  mainLang->CharSets()->Add("TCharsetMainForm" + D + "ANSI_CHARSET" + D + "RUSSIAN_CHARSET" + D);
  EXPECT_EQ(aboutLang->GetLanguageCharset(2), 204);
  EXPECT_EQ(aboutLang->GetLanguageCharset(1), 0);
  main.reset();
  EXPECT_EQ(aboutLang->CharsetSource(), nullptr);
  EXPECT_EQ(aboutLang->GetLanguageCharset(2), 1);
}

}  // namespace
