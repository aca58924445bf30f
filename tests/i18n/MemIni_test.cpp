// The in-memory INI file and the splitter of translation lines.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "i18n/MemIni.h"
#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "tests/support/testsupport.h"

namespace {

std::vector<std::string> Lines(TStrings& s) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < s.Count(); ++i) out.push_back(s.Strings(i));
  return out;
}

std::vector<std::string> IniText(TsiMemIniFile& ini) {
  TStringList out;
  ini.GetStrings(&out);
  return Lines(out);
}

void Parse(TsiMemIniFile& ini, const std::vector<std::string>& lines) {
  TStringList text;
  for (const std::string& l : lines) text.Add(l);
  ini.SetStrings(&text);
}

// The bytes of a literal, embedded zeros included.
template <size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

void Load(TsiMemIniFile& ini, const std::string& bytes) {
  TMemoryStream ms;
  if (!bytes.empty()) ms.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  ms.SetPosition(0);
  ini.LoadFromStream(ms);
}

TEST(MemIni, EqualKeysTheNewestFirst) {
  TsiMemIniFile ini("");
  Parse(ini, {"[A]", "k=1", "K=2", "b=x"});
  EXPECT_EQ(ini.ReadString("a", "k", "none"), "2");
  ini.WriteString("A", "k", "3");
  EXPECT_EQ(IniText(ini), (std::vector<std::string>{"[A]", "b=x", "k=3", "k=1", ""}));
  ini.DeleteKey("A", "K");
  EXPECT_EQ(ini.ReadString("A", "k", "none"), "1");
  ini.WriteString("A", "new", "v");
  ini.WriteString("A", "new", "w");  // replaces, does not add
  EXPECT_EQ(IniText(ini), (std::vector<std::string>{"[A]", "b=x", "k=1", "new=w", ""}));

  // The newest is written first and so reads back as the oldest: one round
  // trip turns equal keys round, a second gives the text back.
  TsiMemIniFile text("");
  Parse(text, {"[S]", "k=old", "k=new"});
  TsiMemIniFile once(""), twice("");
  Parse(once, IniText(text));
  Parse(twice, IniText(once));
  EXPECT_EQ(text.ReadString("S", "k", ""), "new");
  EXPECT_EQ(once.ReadString("S", "k", ""), "old");
  EXPECT_EQ(IniText(twice), IniText(text));
}

TEST(MemIni, ParsingKeepsTheTextAsWritten) {
  TsiMemIniFile ini("");
  Parse(ini, {"orphan=1", "[b]", " key = value ", "x=", "y", "; comment", "", " [c]", "[B]", "z=a=b", "[empty]",
              "[ A]", "q=\"quoted\""});
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(Lines(sections), (std::vector<std::string>{" A", "b", "empty"}));
  EXPECT_EQ(ini.ReadString("b", " key ", "?"), " value ");
  EXPECT_EQ(ini.ReadString("b", "key", "?"), "?");
  EXPECT_EQ(ini.ReadString("b", "x", "?"), "");
  EXPECT_EQ(ini.ReadString("b", "y", "?"), "");
  EXPECT_EQ(ini.ReadString("b", " [c]", "?"), "");  // a blank before "[" makes a key line
  EXPECT_EQ(ini.ReadString("b", "z", "?"), "a=b");   // the header in other case joined section b
  EXPECT_EQ(ini.ReadString(" A", "q", "?"), "\"quoted\"");
  EXPECT_EQ(ini.ReadString("nowhere", "orphan", "?"), "?");
  EXPECT_FALSE(ini.SectionExists("empty"));
  EXPECT_TRUE(ini.SectionExists("B"));

  TStringList names, values;
  ini.ReadSection("b", &names);
  ini.ReadSectionValuesOnly("b", &values);
  EXPECT_EQ(Lines(names), (std::vector<std::string>{" [c]", " key ", "x", "y", "z"}));
  EXPECT_EQ(Lines(values), (std::vector<std::string>{"", " value ", "", "", "a=b"}));

  TsiMemIniFile none("");
  Parse(none, {"a=1", "b=2"});
  TStringList noSections;
  none.ReadSections(&noSections);
  EXPECT_EQ(noSections.Count(), 0);

  ini.WriteString("s", "a=b", "c");  // an identifier holding "=" is split at it
  EXPECT_EQ(ini.ReadString("s", "a", "?"), "b=c");
  ini.EraseSection("B");
  EXPECT_EQ(ini.ReadString("b", "x", "?"), "?");
}

TEST(MemIni, TypedReads) {
  TsiMemIniFile ini("");
  Parse(ini, {"[t]", "hex=0x10", "dollar=$1F", "neg=-12", "two=2", "zero=0", "word=abc", "empty=", "short=0x",
              "float=1.5", "big=99999999999"});
  struct Case {
    std::string key;
    int32_t integer;   // ReadInteger with default -1
    bool boolean;      // ReadBool with default true
  };
  const std::vector<Case> cases = {
      {"hex", 16, true},  {"dollar", 31, true}, {"neg", -12, true}, {"two", 2, true},  {"zero", 0, false},
      {"word", -1, true}, {"empty", -1, true},  {"short", -1, true}, {"missing", -1, true}, {"big", -1, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini.ReadInteger("t", c.key, -1), c.integer) << c.key;
    EXPECT_EQ(ini.ReadBool("t", c.key, true), c.boolean) << c.key;
  }
  EXPECT_FALSE(ini.ReadBool("t", "word", false));
  EXPECT_DOUBLE_EQ(ini.ReadFloat("t", "float", 0), 1.5);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("t", "word", 7), 7);

  ini.WriteInteger("w", "i", -5);
  ini.WriteBool("w", "b", true);
  ini.WriteFloat("w", "f", 0.25);
  const TDateTime day = EncodeDate(2026, 12, 11);
  const TDateTime time = EncodeTime(14, 5, 9, 0);
  ini.WriteDate("w", "d", day);
  ini.WriteTime("w", "t", time);
  ini.WriteDateTime("w", "dt", day + time);
  EXPECT_EQ(ini.ReadString("w", "i", ""), "-5");
  EXPECT_EQ(ini.ReadString("w", "b", ""), "1");
  EXPECT_EQ(ini.ReadString("w", "f", ""), "0.25");
  EXPECT_DOUBLE_EQ(ini.ReadDate("w", "d", 0), day);
  EXPECT_NEAR(ini.ReadTime("w", "t", 0), time, 1e-9);
  EXPECT_NEAR(ini.ReadDateTime("w", "dt", 0), day + time, 1e-9);
  EXPECT_DOUBLE_EQ(ini.ReadDate("t", "word", 3), 3);
  EXPECT_DOUBLE_EQ(ini.ReadTime("t", "empty", 4), 4);
}

TEST(MemIni, FilesByByteOrderMark) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"ANSI", "[S]\r\nk=Gr\xF6\xDF" "e\n"},
      {"UTF-8", "\xEF\xBB\xBF[S]\rk=Gr\xC3\xB6\xC3\x9F" "e"},
      {"UTF-16LE", Bytes("\xFF\xFE[\0S\0]\0\n\0k\0=\0G\0r\0\xF6\0\xDF\0e\0")},
      {"UTF-16BE", Bytes("\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0G\0r\0\xF6\0\xDF\0e")},
      {"UTF-16LE of odd length", Bytes("\xFF\xFE[\0S\0]\0\n\0k\0=\0G\0r\0\xF6\0\xDF\0e\0\x41")},
  };
  for (const Case& c : cases) {
    TsiMemIniFile ini("");
    Load(ini, c.bytes);
    EXPECT_EQ(IniText(ini), (std::vector<std::string>{"[S]", "k=Größe", ""})) << c.what;
  }
}

TEST(MemIni, FileOnDisk) {
  const testsupport::TempDir dir;
  const std::string name = (dir / "texts.ini").string();
  {
    TsiMemIniFile missing(name);
    TStringList sections;
    missing.ReadSections(&sections);
    EXPECT_EQ(sections.Count(), 0);
    missing.WriteString("S", "k", "Größe");
    missing.WriteString("A", "x", "1");
    missing.UpdateFile();
  }
  EXPECT_EQ(testsupport::ReadFileBytes(name), "[A]\r\nx=1\r\n\r\n[S]\r\nk=Gr\xF6\xDF" "e\r\n\r\n");
  TsiMemIniFile again(name);
  EXPECT_EQ(again.ReadString("s", "K", ""), "Größe");

  TsiMemIniFile nowhere((dir.Path() / "no" / "such.ini").string());
  EXPECT_THROW(nowhere.UpdateFile(), EFCreateError);
}

TEST(MemIni, ALongSection) {
  std::string text = "[big]\n";
  for (int i = 100000; i > 0; --i) text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  text += "key7=newest\n";
  TsiMemIniFile ini("");
  Load(ini, text);
  TMemIniEntry* big = ini.Section("BIG");
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->Count(), 100001);
  EXPECT_EQ(ini.ReadString("big", "key1", ""), "1");
  EXPECT_EQ(ini.ReadString("big", "key99999", ""), "99999");
  EXPECT_EQ(ini.ReadString("big", "key7", ""), "newest");
  for (int32_t i = 1; i < big->Count(); ++i) ASSERT_LE(AnsiCompareText(big->Names(i - 1), big->Names(i)), 0) << i;
}

TEST(MemIni, ExtractDelimitedField) {
  const std::string closed = "X;Y;Z;", open = "X;Y;Z";
  const std::vector<std::pair<int32_t, std::pair<std::string, std::string>>> cases = {
      {0, {"X", "X"}}, {1, {"Y", "Y"}}, {2, {"Z", ""}}, {3, {"", ""}}, {-1, {"", ""}}};
  for (const auto& [index, expected] : cases) {
    EXPECT_EQ(ExtractDelimitedField(closed, ';', index), expected.first) << index;
    EXPECT_EQ(ExtractDelimitedField(open, ';', index), expected.second) << index;
    const std::u16string wide = ExtractDelimitedFieldW(u"X\u0001Y\u0001Z\u0001", u'\u0001', index);
    EXPECT_EQ(wide, std::u16string(expected.first.begin(), expected.first.end())) << index;
  }
  EXPECT_EQ(ExtractDelimitedField("no delimiter", ';', 0), "");
  EXPECT_EQ(ExtractDelimitedField(";;x;", ';', 1), "");
  EXPECT_EQ(ExtractDelimitedField(";;x;", ';', 2), "x");
  EXPECT_EQ(PosOf("ß", "Größe"), 4);
  EXPECT_EQ(PosOf("x", "Größe"), 0);
}

}  // namespace
