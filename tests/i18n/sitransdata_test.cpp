#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "i18n/siComp.h"
#include "i18n/siLngLnk.h"
#include "i18n_test.h"
#include "platform/classes/filer.h"
#include "tests/support/testsupport.h"

namespace {

std::vector<std::string> Lines(TStrings* s) { return s->ToStringArray(); }

// The header lines of a written block, decoded here from UTF-16LE (ASCII headers).
std::vector<std::string> Headers(const std::string& block) {
  std::string ascii;
  for (size_t i = 0; i + 1 < block.size(); i += 2) ascii += block[i + 1] == 0 ? block[i] : '?';
  std::vector<std::string> headers;
  size_t start = 0;
  for (size_t p = ascii.find("\r\n"); p != std::string::npos; p = ascii.find("\r\n", start)) {
    const std::string line = ascii.substr(start, p - start);
    if (line.size() > 8 && line.ends_with("_Unicode")) headers.push_back(line);
    start = p + 2;
  }
  return headers;
}

TEST(TranslationDataWriter, BlockLayoutAndTheHintsExample) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  lang.Hints()->Add("btnPrev" + D + "Previous" + D + "Zurück" + D);
  lang.Hints()->Add("btnNext" + D + "Next" + D + "Vor" + D);
  const std::string block = WrittenBlock(lang);

  const std::string captionsHeader = Utf16LEBytes(u"stCaptions_Unicode\r\n");
  ASSERT_EQ(captionsHeader.size(), 40u);
  EXPECT_EQ(block.substr(0, 40), captionsHeader);

  // The hints section as stored in the viewer's main window, 124 bytes.
  const char* hex =
      "73 00 74 00 48 00 69 00 6E 00 74 00 73 00 5F 00 55 00 6E 00 69 00 63 00 6F 00 64 00 65 00 0D 00 0A 00 "
      "62 00 74 00 6E 00 50 00 72 00 65 00 76 00 01 00 50 00 72 00 65 00 76 00 69 00 6F 00 75 00 73 00 01 00 "
      "5A 00 75 00 72 00 FC 00 63 00 6B 00 01 00 0D 00 0A 00 "
      "62 00 74 00 6E 00 4E 00 65 00 78 00 74 00 01 00 4E 00 65 00 78 00 74 00 01 00 56 00 6F 00 72 00 01 00 "
      "0D 00 0A 00";
  std::string hints;
  for (const char* p = hex; *p;) {
    if (*p == ' ') {
      ++p;
      continue;
    }
    hints += char(std::stoi(std::string(p, 2), nullptr, 16));
    p += 2;
  }
  ASSERT_EQ(hints.size(), 124u);
  const size_t at = block.find(hints.substr(0, 34));
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(Hex(block.substr(at, 124)), Hex(hints));
  EXPECT_EQ(block.substr(at + 124, 50), Utf16LEBytes(u"stDisplayLabels_Unicode\r\n"));
}

TEST(TranslationDataWriter, SectionsFollowTheListsTheClassPublishes) {
  TViewerMain mainForm(nullptr);
  TsiLang lang(&mainForm);
  TComponent about(nullptr);
  TsiLangLinked linked(&about);
  const std::vector<std::string> all = {
      "stCaptions_Unicode",     "stHints_Unicode",   "stDisplayLabels_Unicode", "stFonts_Unicode",
      "stMultiLines_Unicode",   "stDlgsCaptions_Unicode", "stStrings_Unicode",   "stOtherStrings_Unicode",
      "stLocales_Unicode",      "stCollections_Unicode",  "stCharSets_Unicode"};
  EXPECT_EQ(Headers(WrittenBlock(lang)), all);
  std::vector<std::string> nine = all;
  std::erase(nine, "stDlgsCaptions_Unicode");
  std::erase(nine, "stLocales_Unicode");
  EXPECT_EQ(Headers(WrittenBlock(linked)), nine);
}

TEST(TranslationDataWriter, LineBreaksInsideATextRoundTrip) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  const std::string line = "OpenDialog1.Filter" + D + "first\r\nsecond\rthird\nfourth" + D;
  lang.OtherStrings()->Add(line);
  const std::string block = WrittenBlock(lang);
  EXPECT_NE(block.find(Utf16LEBytes(u"first\u0019\u001Asecond\u0019third\u001Afourth")), std::string::npos);

  TViewerMain other(nullptr);
  TsiLang back(&other);
  ReadBlock(back, block);
  EXPECT_EQ(Lines(back.OtherStrings()), std::vector<std::string>{line});
}

TEST(TranslationDataReader, TheViewersMainWindowBlock) {
  const std::string bytes = testsupport::ReadFileBytes(testsupport::DataFile("viewer_main_translation.bin"));
  ASSERT_FALSE(bytes.empty());
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  ReadBlock(lang, bytes);
  const std::vector<std::pair<TStringsType, int32_t>> counts = {
      {stCaptions, 19}, {stHints, 16}, {stDisplayLabels, 0}, {stFonts, 5},       {stMultiLines, 1}, {stDlgsCaptions, 15},
      {stStrings, 2},   {stOtherStrings, 2}, {stLocales, 0}, {stCollections, 2}, {stCharSets, 5}};
  for (auto [kind, n] : counts) EXPECT_EQ(lang.GetKindList(kind)->Count(), n) << StringsTypeInfos[kind].EnumName;
  EXPECT_EQ(lang.Captions()->Strings(0), "TViewerMain" + D + "Duplexion" + D + "Duplexion" + D);
  EXPECT_EQ(lang.Hints()->Strings(12), "btn3DRedGreen" + D + "3D GrayScale Red/Green" + D + D);
  EXPECT_EQ(lang.DlgsCaptions()->Strings(4), "Yes" + D + "&Yes" + D + D);
  EXPECT_EQ(lang.Strings()->Strings(1),
            "IDS_FullScreenInfo" + D + "Press ESC to exit the full screen mode." + D +
                "Der Vollbildmodus kann mit ESC verlassen werden." + D);
  // The block the writer gives back is the block read.
  EXPECT_EQ(Hex(WrittenBlock(lang)), Hex(bytes));
}

TEST(TranslationDataReader, HeadersIgnoreCaseAndTheOwnerLineGoesFirst) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  ReadBlock(lang, Utf16LEBytes(u"STCAPTIONS_UNICODE\r\nbtnOpen\u0001Open\u0001\r\ntviewermain\u0001Duplexion\u0001\r\n"
                               u"sthints_unicode\r\nbtnOpen\u0001Open a file\u0001\r\n"));
  EXPECT_EQ(Lines(lang.Captions()),
            (std::vector<std::string>{"tviewermain" + D + "Duplexion" + D, "btnOpen" + D + "Open" + D}));
  EXPECT_EQ(Lines(lang.Hints()), std::vector<std::string>{"btnOpen" + D + "Open a file" + D});
}

// Each case starts from a component whose captions and hints hold one line.
struct BadBlock {
  const char* name;
  std::string bytes;
  std::vector<std::string> captions;
  std::vector<std::string> hints;
};

TEST(TranslationDataReader, MalformedBlocks) {
  const std::string before = "old" + D + "x" + D;
  const std::vector<BadBlock> cases = {
      {"empty", "", {before}, {before}},
      {"one byte", "s", {before}, {before}},
      {"odd byte count", Utf16LEBytes(u"stCaptions_Unicode\r\nc\u0001A\u0001") + "\x42", {"c" + D + "A" + D}, {before}},
      {"header on the last line", Utf16LEBytes(u"stCaptions_Unicode\r\nc\u0001a\u0001\r\nstHints_Unicode\r\n"),
       {"c" + D + "a" + D}, {before}},
      {"data before the first header", Utf16LEBytes(u"lost\u0001a\u0001\r\nstHints_Unicode\r\nh\u0001b\u0001\r\n"),
       {before}, {"h" + D + "b" + D}},
      {"header-like line that is no kind", Utf16LEBytes(u"stHints_Unicode\r\nh\u0001b\u0001\r\nstNothing_Unicode\r\n"),
       {before}, {"h" + D + "b" + D, "stNothing_Unicode"}},
      {"section of a list the class lacks",
       Utf16LEBytes(u"stListView_TreeView_Items_Unicode\r\nitem\u0001x\u0001\r\nstHints_Unicode\r\nh\u0001\r\n"),
       {before}, {"h" + D}},
  };
  for (const BadBlock& c : cases) {
    TViewerMain form(nullptr);
    TsiLang lang(&form);
    lang.Captions()->Add(before);
    lang.Hints()->Add(before);
    ReadBlock(lang, c.bytes);
    EXPECT_EQ(Lines(lang.Captions()), c.captions) << c.name;
    EXPECT_EQ(Lines(lang.Hints()), c.hints) << c.name;
  }
}

TEST(TranslationDataReader, ASingleTenMegabyteLine) {
  std::u16string text = u"stStrings_Unicode\r\nbig\u0001";
  text.append(5'000'000, u'x');
  text += u"\u0001\r\n";
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  ReadBlock(lang, Utf16LEBytes(text));
  ASSERT_EQ(lang.Strings()->Count(), 1);
  EXPECT_EQ(lang.Strings()->Strings(0).size(), 5'000'000u + 5u);
}

TEST(TranslationDataReader, AnsiBlocksAreConvertedByTheLanguagesCodePages) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  // 0xC4 and 0xCE read as Ä and Î in the Western code page, Д and О in the Cyrillic one.
  ReadBlock(lang, std::string("stCaptions\r\nbtn\x01\xC4\xCE\x01\xC4\xCE\x01\r\n"
                              "stCharSets\r\nTViewerMain\x01" "ANSI_CHARSET\x01RUSSIAN_CHARSET\x01\r\n"
                              "stFonts\r\nbtn\x01\xC4\x01\xC4\x01\r\n"));
  EXPECT_EQ(lang.Captions()->Strings(0), "btn" + D + "\u00C4\u00CE" + D + "\u0414\u041E" + D);
  EXPECT_EQ(lang.LanguageCharsets(), (std::vector<uint8_t>{0, 204}));
  // Fonts and character sets are left as the system code page read them.
  EXPECT_EQ(lang.Fonts()->Strings(0), "btn" + D + "\u00C4" + D + "\u00C4" + D);

  std::string encoded;
  lang.EncodeAnsiLine("btn" + D + "\u00C4\u00CE" + D + "\u0414\u041E" + D, encoded);
  EXPECT_EQ(Hex(encoded), Hex("btn\x01\xC4\xCE\x01\xC4\xCE\x01"));
}

TEST(TranslationDataReader, InheritedOwnerMergesIntoTheAncestorsLines) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  lang.SetIsInheritedOwner(true);
  lang.Captions()->Add("btnOpen" + D + "Open" + D + "Öffnen" + D);
  lang.Captions()->Add("btnFit" + D + "Fit" + D + "Anpassen" + D);
  ReadBlock(lang, Utf16LEBytes(u"stCaptions_Unicode\r\nBTNFIT\u0001\u0001Einpassen\u0001\r\n"
                               u"btnNew\u0001New\u0001Neu\u0001\r\nTViewerMain\u0001Form\u0001Formular\u0001\r\n"));
  EXPECT_EQ(Lines(lang.Captions()),
            (std::vector<std::string>{"TViewerMain" + D + "Form" + D + "Formular" + D,
                                      "btnOpen" + D + "Open" + D + "Öffnen" + D,
                                      "btnFit" + D + "Fit" + D + "Einpassen" + D,
                                      "btnNew" + D + "New" + D + "Neu" + D}));
}

TEST(TranslationDataLines, MergeSplitAndLookup) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  struct Case {
    std::string oldLine, newLine, merged;
  };
  const std::vector<Case> cases = {
      {"id" + D + "a" + D + "b" + D, "ID" + D + D + "B" + D, "id" + D + "a" + D + "B" + D},
      {"id" + D + "a" + D, "id" + D + "x" + D + "y" + D + "z" + D, "id" + D + "x" + D + "y" + D + "z" + D},
      {"id" + D + "a" + D + "b" + D, "id" + D, "id" + D + "a" + D + "b" + D},
  };
  for (const Case& c : cases) EXPECT_EQ(lang.MergeLines(c.oldLine, c.newLine, D), c.merged) << c.newLine;

  EXPECT_EQ(SplitByDelimiter("a||b||||", "||"), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(SplitByDelimiter("", "|"), std::vector<std::string>{});
  TStringList list;
  list.Add("one");
  list.Add("");
  list.Add("Two" + D + "x" + D);
  EXPECT_EQ(JoinLines(list, ",", true), "one,Two" + D + "x" + D);
  EXPECT_EQ(JoinLines(list, ",", false), "one,,Two" + D + "x" + D);
  EXPECT_EQ(IndexOfIdentifier(list, "TWO" + D + "y" + D, D), 2);
  EXPECT_EQ(IndexOfIdentifier(list, "three" + D, D), -1);
}

// The viewer's form as a description: LangDelim 9 and tab-delimited lines, as older forms store them.
std::string LegacyDescription() {
  const std::string block = Utf16LEBytes(u"stCaptions_Unicode\r\nTViewerMain\tDuplexion\tDuplexion\t\r\n"
                                         u"stHints_Unicode\r\nbtnNext\tNext\tVor\t\r\n");
  return "object ViewerMain: TViewerMain\n"
         "  object siLang1: TsiLang\n"
         "    NumOfLanguages = 2\n"
         "    LangDelim = 9\n"
         "    LangNames.Strings = (\n"
         "      'English'\n"
         "      'Deutsch')\n"
         "    Language = 'English'\n"
         "    TranslationData = {" + Hex(block) + "}\n"
         "  end\n"
         "end\n";
}

TEST(TranslationDataForm, LegacyTabDelimiterBecomesU0001InLoaded) {
  TViewerMain form(nullptr);
  ReadComponentText(LegacyDescription(), &form);
  auto* lang = dynamic_cast<TsiLang*>(form.FindComponent("siLang1"));
  ASSERT_NE(lang, nullptr);
  EXPECT_EQ(lang->LangDelim(), 1);
  EXPECT_EQ(Lines(lang->LangNames()), (std::vector<std::string>{"English", "Deutsch"}));
  EXPECT_EQ(Lines(lang->Hints()), std::vector<std::string>{"btnNext" + D + "Next" + D + "Vor" + D});
  for (int k = 0; k < kStringsTypeCount; ++k) {
    if (TStrings* list = lang->GetKindList(TStringsType(k))) {
      EXPECT_EQ(list->Text().find('\t'), std::string::npos) << StringsTypeInfos[size_t(k)].EnumName;
    }
  }
}

TEST(TranslationDataForm, ReadWriteReadGivesTheSameListsAndBytes) {
  const std::string bytes = testsupport::ReadFileBytes(testsupport::DataFile("viewer_main_translation.bin"));
  const std::string description = "object ViewerMain: TViewerMain\n  object siLang1: TsiLang\n"
                                  "    NumOfLanguages = 2\n    TranslationData = {" + Hex(bytes) + "}\n  end\nend\n";
  TViewerMain first(nullptr);
  ReadComponentText(description, &first);
  const std::string written = WriteComponentText(&first);
  EXPECT_EQ(written.find("Captions"), std::string::npos) << "kind lists are not stored as properties";
  TViewerMain second(nullptr);
  ReadComponentText(written, &second);
  EXPECT_EQ(WriteComponentText(&second), written);
  auto* a = dynamic_cast<TsiLang*>(first.FindComponent("siLang1"));
  auto* b = dynamic_cast<TsiLang*>(second.FindComponent("siLang1"));
  ASSERT_TRUE(a && b);
  for (int k = 0; k < kStringsTypeCount; ++k) {
    if (TStrings* list = a->GetKindList(TStringsType(k))) {
      EXPECT_EQ(Lines(list), Lines(b->GetKindList(TStringsType(k)))) << StringsTypeInfos[size_t(k)].EnumName;
    }
  }
  EXPECT_EQ(Hex(WrittenBlock(*a)), Hex(bytes));
}

TEST(TranslationDataForm, AnInheritedFormStoresTheDataOnlyWhenItDiffers) {
  TViewerMain ancestor(nullptr);
  auto* base = new TsiLang(&ancestor);
  base->SetName("siLang1");
  TViewerMain descendant(nullptr);
  auto* derived = new TsiLang(&descendant);
  derived->SetName("siLang1");
  EXPECT_EQ(WriteComponentText(&descendant, &ancestor).find("TranslationData"), std::string::npos);
  derived->Captions()->Add("btnOpen" + D + "Open" + D);
  EXPECT_NE(WriteComponentText(&descendant, &ancestor).find("TranslationData"), std::string::npos);
}

}  // namespace
