#include <gtest/gtest.h>

#include <string>

#include "platform/classes/resstrings.h"

namespace {

DX_RESOURCESTRING(STestGreeting, 60001, "Hallo %s, %d neue");
DX_RESOURCESTRING(STestUntabled, 0, "not in any table");
DX_RESOURCESTRING(STestClash, 60001, "another text");

// Puts the default loader back however a test ends.
struct LoaderGuard {
  ~LoaderGuard() { SetResStringLoader(nullptr); }
};

std::string Bracketing(PResStringRec rec) {
  return "[" + std::to_string(rec ? rec->Identifier : 0) + ":" + DefaultLoadResString(rec) + "]";
}

TEST(ResStringsTest, MessageDialogStringsHaveTheFrameworkTexts) {
  const char* const texts[15] = {"Warning", "Error",  "Information", "Confirm",    "&Yes",
                                 "&No",     "OK",     "Cancel",      "&Abort",     "&Retry",
                                 "&Ignore", "&All",   "N&o to All",  "Yes to &All", "&Help"};
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(LoadResString(MsgDlgResourceStrings[i]), texts[i]);
    std::string fromTable;
    EXPECT_TRUE(LoadStringFromTable(MsgDlgResourceStrings[i]->Identifier, fromTable));
    EXPECT_EQ(fromTable, texts[i]);
  }
}

TEST(ResStringsTest, EveryRouteGoesThroughTheReplaceableLoader) {
  RegisterResourceStrings({&STestGreeting});
  EXPECT_EQ(LoadStr(60001), "Hallo %s, %d neue");
  EXPECT_EQ(LoadResString(STestUntabled), "not in any table");
  EXPECT_EQ(LoadStr(59999), "");
  {
    LoaderGuard guard;
    EXPECT_EQ(SetResStringLoader(&Bracketing), nullptr);
    EXPECT_EQ(LoadResString(STestGreeting), "[60001:Hallo %s, %d neue]");
    EXPECT_EQ(LoadResString(SMsgDlgOK), "[64518:OK]");
    EXPECT_EQ(LoadStr(60001), "[60001:Hallo %s, %d neue]");
    EXPECT_EQ(LoadStr(59999), "[59999:]");  // a number the table lacks still reaches the loader
    EXPECT_EQ(FmtLoadStr(60001, "Welt", 3), "[60001:Hallo Welt, 3 neue]");
  }
  EXPECT_EQ(GetResStringLoader(), &DefaultLoadResString);
  EXPECT_EQ(LoadResString(SMsgDlgOK), "OK");
}

TEST(ResStringsTest, ANumberBelongsToOneString) {
  RegisterResourceStrings({&STestGreeting});
  RegisterResourceStrings({&STestGreeting});  // again: harmless
  EXPECT_THROW(RegisterResourceStrings({&STestClash}), EInvalidOperation);
  EXPECT_EQ(FindResStringRec(60001), &STestGreeting);
  EXPECT_EQ(FindResStringRec(60002), nullptr);
}

}  // namespace
