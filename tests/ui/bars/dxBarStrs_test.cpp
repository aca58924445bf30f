// The toolbar texts: the table in registration order against the list in
// tests/data, their place in the string table and under "BarSuite", and a
// translation reaching them through GetResourceString.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/classes/filer.h"
#include "tests/i18n/i18n_test.h"
#include "tests/support/testsupport.h"
#include "ui/bars/dxBarStartup.h"
#include "ui/bars/dxBarStrs.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxLookAndFeelStartup.h"
#include "ui/lookandfeel/dxCore.h"

namespace {

struct Row {
  std::string name;
  uint32_t id;
  std::string text;
};

// name TAB id TAB text; the text runs to the end of the line, blanks included.
std::vector<Row> ListedRows() {
  std::ifstream in(testsupport::DataFile("bar_strings.tsv"));
  std::vector<Row> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t a = line.find('\t');
    const size_t b = line.find('\t', a + 1);
    if (a == std::string::npos || b == std::string::npos) {
      ADD_FAILURE() << "malformed line: " << line;
      continue;
    }
    rows.push_back({line.substr(0, a), uint32_t(std::stoul(line.substr(a + 1, b - a - 1))), line.substr(b + 1)});
  }
  return rows;
}

TEST(BarStrings, TableEqualsTheListInRegistrationOrder) {
  const std::vector<Row> listed = ListedRows();
  ASSERT_EQ(listed.size(), 182u);
  const auto table = dxBarStrings();
  ASSERT_EQ(table.size(), listed.size());
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i]->Name, listed[i].name) << "row " << i;
    EXPECT_EQ(table[i]->Identifier, listed[i].id) << listed[i].name;
    EXPECT_EQ(table[i]->Text, listed[i].text) << listed[i].name;
  }
}

TEST(BarStrings, IdentifiersAreTheirThreeRanges) {
  std::set<uint32_t> expected = {64880};
  for (uint32_t id = 64896; id <= 65071; ++id) expected.insert(id);
  for (uint32_t id = 65083; id <= 65087; ++id) expected.insert(id);
  std::set<uint32_t> actual;
  for (PResStringRec rec : dxBarStrings()) actual.insert(rec->Identifier);
  EXPECT_EQ(actual, expected);
  // Each one is in the program's string table, under its own record.
  for (PResStringRec rec : dxBarStrings()) EXPECT_EQ(FindResStringRec(rec->Identifier), rec) << rec->Name;
}

TEST(BarStrings, RegisteredUnderBarSuite) {
  TdxResourceStringsRepository* repository = ResourceStringsRepository();
  const int32_t index = repository->IndexOfProduct("BarSuite");
  ASSERT_NE(index, -1);
  TdxProductResourceStrings* product = repository->Products(index);
  EXPECT_EQ(product->ResStringCount(), 182);
  for (PResStringRec rec : dxBarStrings()) EXPECT_EQ(product->FindResString(rec->Name), rec) << rec->Name;

  struct Spot {
    const char* name;
    uint32_t id;
    const char* text;
  };
  const Spot spots[] = {
      {"dxSBAR_TOOLBAREXISTS", 65031, "A toolbar named '%s' already exists. Type another name."},
      {"SBlob", 64901, "(Blob)"},
      {"dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX", 64983, " ONLY"},
      {"dxSBAR_TOOLBARNEWNAME", 64939, "Custom "},
      {"dxSBAR_DESCRIPTION", 64948, "Description  "},
      {"dxSBAR_PLACEFORCONTROL", 65049, "The place for the "},
  };
  for (const Spot& s : spots) {
    PResStringRec rec = product->FindResString(s.name);
    ASSERT_NE(rec, nullptr) << s.name;
    EXPECT_EQ(rec->Identifier, s.id) << s.name;
    EXPECT_EQ(GetResourceString(rec), s.text) << s.name;
    EXPECT_EQ(LoadStr(int32_t(s.id)), s.text) << s.name;
  }
  EXPECT_EQ(Format(GetResourceString(dxSBAR_TOOLBAREXISTS), "Navigation"),
            "A toolbar named 'Navigation' already exists. Type another name.");
}

TEST(BarStrings, TranslationShowsThroughGetResourceString) {
  if (!GetClass("TViewerMain")) RegisterClass(TViewerMain::StaticClass());
  auto form = std::make_unique<TViewerMain>(nullptr);
  ReadComponentText("object ViewerMain: TViewerMain\n  object siLang1: TsiLang\n    NumOfLanguages = 2\n"
                    "    HandleResourceStrings = True\n  end\nend\n",
                    form.get());
  auto* lang = dynamic_cast<TsiLang*>(form->FindComponent("siLang1"));
  ASSERT_NE(lang, nullptr);
  ASSERT_TRUE(lang->HoldsResourceStringRole());
  lang->Strings()->Add("dxSBAR_CUSTOMIZE\x01&Customize...\x01&Anpassen...\x01");
  EXPECT_EQ(GetResourceString(dxSBAR_CUSTOMIZE), "&Customize...");
  lang->SetActiveLanguage(2);
  // Read again each time it is shown: the new language applies at once.
  EXPECT_EQ(GetResourceString(dxSBAR_CUSTOMIZE), "&Anpassen...");
  EXPECT_EQ(GetResourceString(dxSBAR_CUSTOMIZEQAT), "Customize Quick Access Toolbar");  // not translated
  lang->SetActiveLanguage(1);
  EXPECT_EQ(GetResourceString(dxSBAR_CUSTOMIZE), "&Customize...");
}

// Shutting the library down is final for the process, so it runs in a child.
TEST(BarStringsDeathTest, ProductGoneAfterShutdownTextsStay) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        TdxResourceStringsRepository* repository = ResourceStringsRepository();
        const bool before = repository->IndexOfProduct("BarSuite") != -1;
        std::vector<std::string> trace;
        dxBarUnits().SetTrace([&](std::string_view unit, bool) { trace.emplace_back(unit); });
        cxLookAndFeelUnits().SetTrace([&](std::string_view unit, bool) { trace.emplace_back(unit); });
        dxBarUnits().Stop();  // the repository's unit keeps running
        const bool gone = repository->IndexOfProduct("BarSuite") == -1;
        cxStopLookAndFeel();
        // The toolbar units stop before the look-and-feel units, in reverse.
        const bool order = trace.size() == 4 + cxLookAndFeelUnits().Rows().size() && trace[0] == "dxStatusBar" &&
                           trace[3] == "dxBarStrs" && trace[4] == "cxAccessibility" && trace.back() == "dxCore";
        const bool texts = GetResourceString(dxSBAR_TOOLBARNEWNAME) == "Custom " && LoadStr(64901) == "(Blob)";
        std::exit(before && gone && order && texts ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
