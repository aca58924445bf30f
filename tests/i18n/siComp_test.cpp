#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "i18n/siComp.h"
#include "i18n/siLngLnk.h"
#include "i18n_test.h"
#include "platform/classes/typinfo.h"

namespace {

std::vector<std::string> Lines(TStrings* s) { return s->ToStringArray(); }

TEST(TsiLangCreation, DefaultsOfANewComponent) {
  TViewerMain form(nullptr);
  auto* lang = new TsiLang(&form);
  lang->SetVersion("7");

  EXPECT_EQ(lang->LangDelim(), 1);
  EXPECT_EQ(lang->Version(), "6.4");
  EXPECT_EQ(Lines(lang->LangNames()), std::vector<std::string>{"Language N1"});
  EXPECT_EQ(lang->Language(), "Language N1");
  EXPECT_EQ(lang->NumOfLanguages(), 1);
  EXPECT_EQ(lang->ActiveLanguage(), 1);
  EXPECT_EQ(lang->DefaultLanguage(), 1);
  EXPECT_EQ(lang->ResourceLanguageIndex(), 1);
  EXPECT_EQ(lang->ChangingCursor(), -1);
  EXPECT_EQ(lang->TranslateType(), ttNoChange);
  EXPECT_TRUE(lang->AutoSkipEmpties());
  EXPECT_TRUE(lang->UseTaskMsgDlg());
  EXPECT_FALSE(lang->NeedAllDlgs() || lang->ChangeLocales() || lang->IsInheritedOwner() ||
               lang->HandleResourceStrings() || lang->StoreAsUTF8() || lang->DoRaiseExceptions());
  EXPECT_TRUE(lang->OwnerLacksFont());
  EXPECT_EQ(Lines(lang->StringsTypes()), (std::vector<std::string>{"TIB_STRINGLIST", "TSTRINGLIST"}));

  const std::vector<std::string> dialogs = {
      "Warning" + D + "Warning" + D,       "Error" + D + "Error" + D,   "Information" + D + "Information" + D,
      "Confirm" + D + "Confirm" + D,       "Yes" + D + "&Yes" + D,      "No" + D + "&No" + D,
      "OK" + D + "OK" + D,                 "Cancel" + D + "Cancel" + D, "Abort" + D + "&Abort" + D,
      "Retry" + D + "&Retry" + D,          "Ignore" + D + "&Ignore" + D, "All" + D + "&All" + D,
      "No To All" + D + "N&o to All" + D,  "Yes To All" + D + "Yes to &All" + D, "Help" + D + "&Help" + D};
  EXPECT_EQ(Lines(lang->DlgsCaptions()), dialogs);

  const std::vector<std::string> excluded = {
      "Category", "SecondaryShortCuts", "HelpKeyword", "InitialDir", "HelpKeyword", "ActivePage", "ImeName",
      "DefaultExt", "FileName", "FieldName", "PickList", "DisplayFormat", "EditMask", "KeyList",
      "LookupDisplayFields", "DropDownSpecRow", "TableName", "DatabaseName", "IndexName", "MasterFields"};
  EXPECT_EQ(Lines(lang->ExcludedProperties()), excluded);
  for (TStringsType k : {stCaptions, stHints, stDisplayLabels, stFonts, stMultiLines, stStrings, stOtherStrings,
                         stLocales, stCollections, stCharSets})
    EXPECT_EQ(lang->GetKindList(k)->Count(), 0) << StringsTypeInfos[k].EnumName;
}

TEST(TsiLangCreation, SecondComponentOnOneOwnerIsRefused) {
  TViewerMain form(nullptr);
  auto* first = new TsiLang(&form);
  first->SetName("siLang1");
  try {
    new TsiLangLinked(&form);
    FAIL() << "a second translation component was accepted";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Only one TsiCustomLang component per Form/DataModule allowed!");
  }
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), first);
}

TEST(TsiLangLanguages, GrowingAndShrinkingTheLanguageCount) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(3);
  EXPECT_EQ(Lines(lang.LangNames()), (std::vector<std::string>{"Language N1", "Language N2", "Language N3"}));
  // The dialog lines are padded to one field per language.
  EXPECT_EQ(lang.DlgsCaptions()->Strings(4), "Yes" + D + "&Yes" + D + D + D);

  lang.Captions()->Add("btnOpen" + D + "Open" + D + "Öffnen" + D + "Ouvrir" + D);
  lang.Captions()->Add("short" + D + "a" + D);
  lang.SetNumOfLanguages(2);
  EXPECT_EQ(Lines(lang.LangNames()), (std::vector<std::string>{"Language N1", "Language N2"}));
  EXPECT_EQ(Lines(lang.Captions()),
            (std::vector<std::string>{"btnOpen" + D + "Open" + D + "Öffnen" + D, "short" + D + "a" + D}));
  EXPECT_EQ(lang.DlgsCaptions()->Strings(4), "Yes" + D + "&Yes" + D + D);
}

TEST(TsiLangLanguages, InvalidValuesRaiseAndLeaveTheComponentAlone) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  try {
    lang.SetNumOfLanguages(0);
    FAIL();
  } catch (const ELanguageError& e) {
    EXPECT_EQ(e.Message(), "0 - is not a valid property value !\rValue must be more than ZERO !");
  }
  EXPECT_EQ(lang.NumOfLanguages(), 2);
  EXPECT_EQ(lang.LangNames()->Count(), 2);

  EXPECT_THROW(lang.SetLanguage("Klingon"), ELanguageError);
  EXPECT_EQ(lang.Language(), "Language N1");
  EXPECT_EQ(lang.LangNames()->Count(), 2);
  lang.SetLanguage("Language N2");
  EXPECT_EQ(lang.ActiveLanguage(), 2);

  for (int32_t v : {0, 3, -1}) {
    lang.SetDefaultLanguage(v);
    EXPECT_EQ(lang.DefaultLanguage(), 1) << v;
  }
  lang.SetDefaultLanguage(2);
  EXPECT_EQ(lang.DefaultLanguage(), 2);
}

TEST(TsiLangDialogs, AllDialogTextsAndBack) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  const std::vector<std::string> standard = Lines(lang.DlgsCaptions());
  lang.SetNeedAllDlgs(true);
  ASSERT_EQ(lang.DlgsCaptions()->Count(), 86);
  EXPECT_EQ(lang.DlgsCaptions()->Strings(15), "Open" + D + "&Open" + D);
  EXPECT_EQ(lang.DlgsCaptions()->Strings(26), "Define Custom Colors >>" + D + "&Define Custom Colors >>" + D);
  EXPECT_EQ(lang.DlgsCaptions()->Strings(85), "Find" + D + "Find" + D);
  lang.SetNeedAllDlgs(false);
  EXPECT_EQ(Lines(lang.DlgsCaptions()), standard);
}

TEST(TsiLangDelimiter, ChangingTheDelimiterRewritesEveryList) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.Hints()->Add("btnNext" + D + "Next" + D);
  lang.SetLangDelim(2);
  EXPECT_EQ(lang.Hints()->Strings(0), "btnNext\x02Next\x02");
  EXPECT_EQ(lang.DlgsCaptions()->Strings(0), "Warning\x02Warning\x02");
}

TEST(TsiLangPublished, BothComponentsStreamByClassNameWithTheirLists) {
  ASSERT_EQ(GetClass("TsiLang"), TsiLang::StaticClass());
  ASSERT_EQ(GetClass("TsiLangLinked"), TsiLangLinked::StaticClass());
  for (const char* list : {"Captions", "Hints", "DisplayLabels", "Strings", "Fonts", "MultiLines", "OtherStrings",
                           "CharSets", "Collections"}) {
    EXPECT_TRUE(IsPublishedProp(TsiLang::StaticClass(), list)) << list;
    EXPECT_TRUE(IsPublishedProp(TsiLangLinked::StaticClass(), list)) << list;
  }
  for (const char* only : {"DlgsCaptions", "Locales", "NeedAllDlgs"}) {
    EXPECT_TRUE(IsPublishedProp(TsiLang::StaticClass(), only)) << only;
    EXPECT_FALSE(IsPublishedProp(TsiLangLinked::StaticClass(), only)) << only;
  }
  EXPECT_TRUE(IsPublishedProp(TsiLangLinked::StaticClass(), "CommonContainer"));
  EXPECT_FALSE(IsPublishedProp(TsiLang::StaticClass(), "CommonContainer"));
  EXPECT_EQ(TranslationClassNames(),
            (std::vector<std::string>{"TsiLang", "TsiLangLinked", "TsiLangRT", "TsiLangRTSE", "TsiLangTLV"}));

  // Only the list of a published kind counts; there is none for list-view items.
  TViewerMain form(nullptr);
  auto* linked = new TsiLangLinked(&form);
  EXPECT_EQ(linked->GetKindList(stDlgsCaptions), nullptr);
  EXPECT_EQ(linked->GetKindList(stLocales), nullptr);
  EXPECT_EQ(linked->GetKindList(stHints), linked->Hints());
  EXPECT_EQ(linked->GetKindList(stListView_TreeView_Items), nullptr);
}

TEST(TsiLangStartup, TheLibraryStartsOnceAndStopsWithTheLastUse) {
  const int32_t before = SiLibraryUseCount();
  SiStartLibrary();
  EXPECT_EQ(SiLibraryUseCount(), before + 1);
  SiStopLibrary();
  EXPECT_EQ(SiLibraryUseCount(), before);
  EXPECT_EQ(GetClass("TsiLang"), TsiLang::StaticClass());
}

TEST(TsiLangNotification, ARemovedComponentLeavesDoNotTranslate) {
  TViewerMain form(nullptr);
  auto* lang = new TsiLang(&form);
  auto* button = new TComponent(&form);
  button->SetName("btnOpen");
  lang->DoNotTranslate()->Add("btnOpen");
  lang->DoNotTranslate()->Add("btnFit");
  delete button;
  EXPECT_EQ(Lines(lang->DoNotTranslate()), std::vector<std::string>{"btnFit"});
}

TEST(TsiLangLinkedContainer, TakesTheContainersDialogLinesWithItsOwnDelimiter) {
  TViewerMain mainForm(nullptr);
  auto* container = new TsiLang(&mainForm);
  TComponent about(nullptr);
  auto* linked = new TsiLangLinked(&about);
  linked->SetLangDelim(3);
  linked->SetCommonContainer(container);
  ASSERT_EQ(linked->DlgsCaptions()->Count(), 15);
  EXPECT_EQ(linked->DlgsCaptions()->Strings(4), "Yes\x03&Yes\x03");
  delete container;
  EXPECT_EQ(linked->CommonContainer(), nullptr);
  EXPECT_EQ(linked->DlgsCaptions()->Count(), 15);
}

}  // namespace
