// Resource strings translated through the Strings lines, text lookup by
// identifier and the sorted strings collections behind both.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "i18n/siStrColl.h"
#include "i18n_test.h"
#include "platform/classes/filer.h"
#include "platform/classes/resstrings.h"

namespace {

// The viewer's strings: the resource strings count as German texts.
DX_RESOURCESTRING(STestDoNotShow, 61001, "Diese Info nicht mehr anzeigen");
DX_RESOURCESTRING(STestDoNotShowLower, 61002, "diese info nicht mehr anzeigen");
DX_RESOURCESTRING(STestPictures, 61003, "%d Bilder");
DX_RESOURCESTRING(STestUnknown, 61004, "Unbekannt");
const std::string kLong(1500, 'x');
const TResStringRec STestLong{61005, "STestLong", kLong.c_str()};
const std::string kHuge(100000, 'y');
const TResStringRec STestHuge{61006, "STestHuge", kHuge.c_str()};

void RegisterTestStrings() {
  RegisterResourceStrings({&STestDoNotShow, &STestDoNotShowLower, &STestPictures, &STestUnknown, &STestLong, &STestHuge});
}

// A main window streamed in with HandleResourceStrings: its Loaded takes the role.
std::unique_ptr<TViewerMain> LoadedMainWindow() {
  auto form = std::make_unique<TViewerMain>(nullptr);
  ReadComponentText("object ViewerMain: TViewerMain\n  object siLang1: TsiLang\n    NumOfLanguages = 2\n"
                    "    HandleResourceStrings = True\n    ResourceLanguageIndex = 2\n  end\nend\n",
                    form.get());
  auto* lang = dynamic_cast<TsiLang*>(form->FindComponent("siLang1"));
  lang->Strings()->Add("rsDoNotShowAgain" + D + "Do not show again" + D + "Diese Info nicht mehr anzeigen" + D);
  lang->Strings()->Add("rsPictures" + D + "%d pictures" + D + "%d Bilder" + D);
  lang->Strings()->Add("IDS_FullScreenInfo" + D + "Press ESC to exit the full screen mode." + D +
                       "Der Vollbildmodus kann mit ESC verlassen werden." + D);
  lang->Strings()->Add("IDS_OnlyEnglish" + D + "English only" + D + D);
  return form;
}

TsiLang* LangOf(TViewerMain& form) { return dynamic_cast<TsiLang*>(form.FindComponent("siLang1")); }

TEST(ResourceStrings, TranslatedByTheirGermanText) {
  RegisterTestStrings();
  auto form = LoadedMainWindow();
  TsiLang* lang = LangOf(*form);
  ASSERT_TRUE(lang->HoldsResourceStringRole());

  struct Case {
    PResStringRec rec;
    std::string language1;  // ResourceLanguageIndex 2, language 1 active
    std::string language2;  // the index equals the active language: the table's text
  };
  const std::vector<Case> cases = {
      {&STestDoNotShow, "Do not show again", "Diese Info nicht mehr anzeigen"},
      {&STestDoNotShowLower, "diese info nicht mehr anzeigen", "diese info nicht mehr anzeigen"},
      {&STestUnknown, "Unbekannt", "Unbekannt"},
      {&STestLong, std::string(1023, 'x'), std::string(1023, 'x')},
      {&STestHuge, std::string(1023, 'y'), std::string(1023, 'y')},
      {nullptr, "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadResString(c.rec), c.language1) << (c.rec ? c.rec->Name : "null");
  EXPECT_EQ(LoadStr(61001), "Do not show again");
  EXPECT_EQ(FmtLoadStr(61003, 3), "3 pictures");
  lang->SetActiveLanguage(2);
  for (const Case& c : cases) EXPECT_EQ(LoadResString(c.rec), c.language2) << (c.rec ? c.rec->Name : "null");
  EXPECT_EQ(FmtLoadStr(61003, 3), "3 Bilder");

  // Re-sorted by another resource language: the English texts are looked up now.
  lang->SetActiveLanguage(1);
  lang->SetResourceLanguageIndex(1);
  EXPECT_EQ(LoadResString(STestDoNotShow), "Diese Info nicht mehr anzeigen");
  lang->SetActiveLanguage(2);
  EXPECT_EQ(LoadStr(61001), "Diese Info nicht mehr anzeigen");
  try {
    lang->SetResourceLanguageIndex(0);
    ADD_FAILURE() << "no exception";
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "0 - is not a valid property value!\rValue must be within [1..2]!");
  }
  EXPECT_EQ(lang->ResourceLanguageIndex(), 1);

  // Without a role holder the loader stays and hands out the untranslated strings.
  lang->SetResourceLanguageIndex(2);
  lang->SetActiveLanguage(1);
  EXPECT_EQ(LoadStr(61001), "Do not show again");
  form.reset();
  EXPECT_NE(GetResStringLoader(), &DefaultLoadResString);
  EXPECT_EQ(LoadStr(61001), "Diese Info nicht mehr anzeigen");

  // The next component loaded with the option takes the role again.
  auto next = LoadedMainWindow();
  EXPECT_TRUE(LangOf(*next)->HoldsResourceStringRole());
  EXPECT_EQ(LoadStr(61001), "Do not show again");
}

TEST(ResourceStrings, AWorkerLoadsWhileTheMainThreadSwitches) {
  RegisterTestStrings();
  auto form = LoadedMainWindow();
  TsiLang* lang = LangOf(*form);
  std::atomic<bool> stop{false};
  std::atomic<int> bad{0};
  std::atomic<int> loads{0};
  std::thread worker([&] {
    while (!stop.load()) {
      const std::string s = LoadResString(STestDoNotShow);
      if (s != "Do not show again" && s != "Diese Info nicht mehr anzeigen") ++bad;
      ++loads;
    }
  });
  for (int i = 0; i < 60; ++i) {
    lang->SetActiveLanguage(i % 2 + 1);
    lang->Strings()->Add("rsExtra" + std::to_string(i) + D + "x" + D + "y" + D);
    if (i % 10 == 0) lang->Strings()->Delete(lang->Strings()->Count() - 1);
  }
  while (loads.load() < 1000) std::this_thread::yield();
  stop = true;
  worker.join();
  EXPECT_EQ(bad.load(), 0);
}

TEST(TextLookup, ByIdentifier) {
  auto form = LoadedMainWindow();
  TsiLang* lang = LangOf(*form);
  lang->SetActiveLanguage(2);
  struct Case {
    std::string ident;
    std::string getText;           // ttNoChange
    std::string getTextOrDefault;  // falls back to language 1
  };
  const std::vector<Case> cases = {
      {"IDS_FullScreenInfo", "Der Vollbildmodus kann mit ESC verlassen werden.",
       "Der Vollbildmodus kann mit ESC verlassen werden."},
      {"ids_fullscreeninfo", "Der Vollbildmodus kann mit ESC verlassen werden.",
       "Der Vollbildmodus kann mit ESC verlassen werden."},
      {"IDS_OnlyEnglish", "", "English only"},
      {"IDS_Missing", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lang->GetText(c.ident), c.getText) << c.ident;
    EXPECT_EQ(lang->GetTextOrDefault(c.ident), c.getTextOrDefault) << c.ident;
  }
  lang->SetActiveLanguage(1);
  EXPECT_EQ(lang->GetTextOrDefault("IDS_FullScreenInfo"), "Press ESC to exit the full screen mode.");

  // The default language answers without becoming active.
  lang->SetActiveLanguage(2);
  lang->SetUseDefaultLanguage(true);
  lang->SetDefaultLanguage(1);
  EXPECT_EQ(lang->GetTextOrDefault("IDS_OnlyEnglish"), "English only");
  EXPECT_EQ(lang->ActiveLanguage(), 2);

  lang->SetDoRaiseExceptions(true);
  EXPECT_EQ(lang->GetText("IDS_OnlyEnglish"), "");  // held, so no exception
  try {
    lang->GetText("IDS_Missing");
    ADD_FAILURE() << "no exception";
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "String identifier \"IDS_Missing\" not found!");
  }
  std::string text = "stale";
  EXPECT_THROW(lang->LookupText(lang->OtherStrings(), "nothing", text, true), ELanguageError);
  EXPECT_EQ(text, "");
}

TEST(TextLookup, DelegatedToTheFirstFormWithTheList) {
  TsiLangDispatcher dispatcher(nullptr);
  dispatcher.SetNumOfLanguages(2);
  TViewerMain mainForm(nullptr), aboutForm(nullptr);
  auto* main = new TsiLang(&mainForm);
  auto* about = new TsiLang(&aboutForm);
  main->SetLangDispatcher(&dispatcher);
  about->SetLangDispatcher(&dispatcher);
  main->Strings()->Add("rsShared" + D + "Shared" + D + "Gemeinsam" + D);
  about->Strings()->Add("rsShared" + D + "own" + D + "eigen" + D);
  std::string text;
  about->LookupText(about->Strings(), "rsShared", text, false);
  EXPECT_EQ(text, "own");
  about->SetOptions({loUseExtUDStrings});
  about->LookupText(about->Strings(), "rsShared", text, false);
  EXPECT_EQ(text, "Shared");
  dispatcher.SetActiveLanguage(2);
  EXPECT_EQ(about->GetText("rsShared"), "Gemeinsam");
  about->SetLangDispatcher(nullptr);
  EXPECT_EQ(about->GetText("rsShared"), "");  // the option asks for a dispatcher

  main->DlgsCaptions()->Clear();
  main->DlgsCaptions()->Add("Warning" + D + "Warning" + D + "Warnung" + D);
  about->SetLangDispatcher(&dispatcher);
  about->SetOptions({loUseExtCommonStrings});
  about->GetLineText(about->DlgsCaptions(), 0, text, false);
  EXPECT_EQ(text, "Warnung");
  about->GetLineText(about->DlgsCaptions(), 5, text, false);
  EXPECT_EQ(text, "");
}

std::unique_ptr<TsiStringsCollection> Collection(TsiCustomLang& lang, const std::vector<std::string>& lines,
                                                 int32_t sortLanguage) {
  lang.Strings()->Clear();
  for (const std::string& l : lines) lang.Strings()->Add(l);
  auto c = std::make_unique<TsiStringsCollection>(&lang);
  lang.FillStringsCollection(c.get(), sortLanguage);
  return c;
}

TEST(StringsCollection, SearchesOverSortedItems) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  auto empty = Collection(lang, {}, 2);
  EXPECT_EQ(empty->FindTranslation("Hallo", 1), "Hallo");
  EXPECT_EQ(empty->FindTextByIdent("a", 1), "");
  auto one = Collection(lang, {"a" + D + "Hello" + D + "Hallo" + D}, 2);
  EXPECT_EQ(one->FindTranslation("Hallo", 1), "Hello");
  EXPECT_EQ(one->FindTranslation("Hallo!", 1), "Hallo!");
  EXPECT_EQ(one->FindTranslation("A", 1), "A");

  // Every key of a shuffled set is found, by identifier and by text; gaps are not.
  std::vector<std::string> lines;
  for (int i = 0; i < 57; ++i)
    lines.push_back("ID" + std::to_string(i * 2) + D + "en" + std::to_string(i * 2) + D + "de" + std::to_string(i * 2) + D);
  std::shuffle(lines.begin(), lines.end(), std::mt19937(7));
  auto byId = Collection(lang, lines, 0);
  auto byText = Collection(lang, lines, 2);
  std::vector<std::string> idents;
  for (int32_t i = 0; i < byId->Count(); ++i) idents.push_back(byId->Items(i)->Ident());
  std::vector<std::string> expected = idents;
  std::sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  EXPECT_EQ(idents, expected);
  for (int i = 0; i < 114; ++i) {
    const std::string n = std::to_string(i);
    const bool held = i % 2 == 0;
    EXPECT_EQ(byId->FindTextByIdent("id" + n, 2), held ? "de" + n : "") << n;
    EXPECT_EQ(byText->FindTranslation("de" + n, 1), held ? "en" + n : "de" + n) << n;
  }
  EXPECT_EQ(byId->IndexOfIdent("iD4"), byId->FindIdent("ID4"));
}

TEST(StringsCollection, PaddingToTheLanguageCount) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(4);
  TStringList lines;
  lines.Add("id" + D + "a" + D + "b" + D);
  lines.Add("full" + D + "1" + D + "2" + D + "3" + D + "4" + D + "extra" + D);
  lang.PadLines(&lines);
  EXPECT_EQ(lines.Strings(0), "id" + D + "a" + D + "b" + D + D + D);
  EXPECT_EQ(lines.Strings(1), "full" + D + "1" + D + "2" + D + "3" + D + "4" + D + "extra" + D);
}

}  // namespace
