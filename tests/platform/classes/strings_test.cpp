#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"
#include "tests/support/testsupport.h"

namespace {

using Lines = std::vector<std::string>;

void Fill(TStrings& s, const Lines& lines) {
  s.Clear();
  for (const auto& l : lines) s.Add(l);
}

struct ParseCase {
  std::string text;
  Lines items;
};

TEST(StringsTest, CommaTextParsing) {
  const std::vector<ParseCase> cases = {
      {R"(a b,"c,d","")", {"a", "b", "c,d", ""}},  // a blank splits unquoted items
      {R"("say ""hi""")", {R"(say "hi")"}},
      {"a,,b", {"a", "", "b"}},
      {"a,", {"a", ""}},
      {",a", {"", "a"}},
      {"  a ,  b  ", {"a", "b"}},
      {"x , ,y", {"x", "", "y"}},
      {R"("")", {""}},
      {"", {}},
      {R"("open)", {"open"}},
      {R"("ab"cd)", {"ab", "cd"}},
      {R"(a"b)", {R"(a"b)"}},
      {R"("a"")", {R"(a")"}},
      {"a\tb", {"a", "b"}},
  };
  TStringList l;
  for (const auto& c : cases) {
    l.SetCommaText(c.text);
    EXPECT_EQ(l.ToStringArray(), c.items) << "text: " << c.text;
  }
}

struct FormatCase {
  Lines items;
  std::string text;
};

TEST(StringsTest, CommaTextFormattingRoundTrips) {
  const std::vector<FormatCase> cases = {
      {{"a", "b c", "d,e", "", R"(q"x)"}, R"(a,"b c","d,e","","q""x")"},
      {{}, ""},
      {{""}, R"("")"},
      {{"x\ty"}, "\"x\ty\""},
      {{"Gr\xC3\xB6\xC3\x9F" "e", "\xC3\xBC"}, "Gr\xC3\xB6\xC3\x9F" "e,\xC3\xBC"},
      {{" lead", "trail "}, R"(" lead","trail ")"},
  };
  TStringList l, back;
  for (const auto& c : cases) {
    Fill(l, c.items);
    EXPECT_EQ(l.CommaText(), c.text);
    back.SetCommaText(l.CommaText());
    EXPECT_EQ(back.ToStringArray(), c.items) << "text: " << c.text;
  }
}

TEST(StringsTest, DelimitedTextWithStrictDelimiter) {
  TStringList l;
  l.SetDelimiter(';');
  l.SetQuoteChar('\'');
  l.SetStrictDelimiter(true);
  const std::vector<ParseCase> parse = {
      {"a b;c", {"a b", "c"}},
      {"a b; c ;", {"a b", " c ", ""}},
      {"'x;y';z", {"x;y", "z"}},
      {" ;", {" ", ""}},
      {"'it''s' ok;", {"it's", " ok", ""}},
  };
  for (const auto& c : parse) {
    l.SetDelimitedText(c.text);
    EXPECT_EQ(l.ToStringArray(), c.items) << "text: " << c.text;
  }
  Fill(l, {"a b", "c", "", "x;y", "it's"});
  EXPECT_EQ(l.DelimitedText(), "'a b';c;'';'x;y';'it''s'");
  TStringList back;
  back.SetDelimiter(';');
  back.SetQuoteChar('\'');
  back.SetStrictDelimiter(true);
  back.SetDelimitedText(l.DelimitedText());
  EXPECT_TRUE(back.Equals(&l));

  l.SetStrictDelimiter(false);
  l.SetDelimitedText("a b;c");
  EXPECT_EQ(l.ToStringArray(), (Lines{"a", "b", "c"}));
  // CommaText uses ',' and '"' whatever the settings, and leaves them alone.
  l.SetCommaText("p;q,'r s'");
  EXPECT_EQ(l.ToStringArray(), (Lines{"p;q", "'r", "s'"}));
  EXPECT_EQ(l.Delimiter(), ';');
  EXPECT_EQ(l.QuoteChar(), '\'');
}

TEST(StringsTest, NamesAndValues) {
  TStringList l;
  Fill(l, {"a=1", "B=2", "noeq", "c=x=y", "=v"});
  EXPECT_EQ(l.Names(0), "a");
  EXPECT_EQ(l.Names(2), "");
  EXPECT_EQ(l.Names(4), "");
  EXPECT_EQ(l.Values("b"), "2");  // names ignore case
  EXPECT_EQ(l.Values("c"), "x=y");
  EXPECT_EQ(l.Values("noeq"), "");
  EXPECT_EQ(l.ValueFromIndex(2), "");
  EXPECT_EQ(l.ValueFromIndex(4), "v");
  EXPECT_EQ(l.IndexOfName("C"), 3);
  EXPECT_EQ(l.IndexOfName("noeq"), -1);

  l.SetValues("A", "9");  // replaces in place
  l.SetValues("new", "5");
  l.SetValues("b", "");  // deletes
  l.SetValues("absent", "");
  l.SetValueFromIndex(2, "z");
  EXPECT_EQ(l.ToStringArray(), (Lines{"A=9", "noeq", "c=z", "=v", "new=5"}));

  l.SetNameValueSeparator(':');
  Fill(l, {"k:v=w"});
  EXPECT_EQ(l.Values("k"), "v=w");
}

TEST(StringsTest, TextSplitsAtAnyLineBreak) {
  const std::vector<ParseCase> cases = {
      {"a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {"", {}},
      {"x", {"x"}},
  };
  TStringList l;
  for (const auto& c : cases) {
    l.SetText(c.text);
    EXPECT_EQ(l.ToStringArray(), c.items) << "text: " << testing::PrintToString(c.text);
  }
  Fill(l, {"a", "", "b"});
  EXPECT_EQ(l.Text(), "a\r\n\r\nb\r\n");
  l.SetLineBreak("\n");
  EXPECT_EQ(l.Text(), "a\n\nb\n");
  l.SetLineBreak("<br>");
  l.SetText("one<br>two\nlines<br>");
  EXPECT_EQ(l.ToStringArray(), (Lines{"one", "two\nlines"}));
  TStringList empty;
  EXPECT_EQ(empty.Text(), "");
}

struct DupCase {
  TDuplicates dup;
  Lines want;
};

TEST(StringListTest, SortedAddFollowsTheDuplicatesRule) {
  const std::vector<DupCase> cases = {
      {dupIgnore, {"a", "b", "c"}},
      {dupAccept, {"A", "a", "B", "b", "c"}},  // an equal string goes before its equals
  };
  for (const auto& c : cases) {
    TStringList l;
    l.SetSorted(true);
    l.SetDuplicates(c.dup);
    for (const char* s : {"b", "a", "B", "c", "A"}) l.Add(s);
    EXPECT_EQ(l.ToStringArray(), c.want) << "dup " << int(c.dup);
  }
  TStringList l;
  l.SetSorted(true);
  l.SetDuplicates(dupIgnore);
  l.Add("b");
  l.Add("a");
  EXPECT_EQ(l.Add("B"), 1);  // the existing index
  l.SetDuplicates(dupError);
  try {
    l.Add("A");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  EXPECT_EQ(l.ToStringArray(), (Lines{"a", "b"}));
}

TEST(StringListTest, LookupsIgnoreCaseUnlessCaseSensitive) {
  for (bool sorted : {false, true}) {
    TStringList l;
    l.SetSorted(sorted);
    for (const char* s : {"Delta", "alpha", "Charlie", "bravo"}) l.Add(s);
    EXPECT_EQ(l.Strings(l.IndexOf("CHARLIE")), "Charlie");
    EXPECT_EQ(l.IndexOf("echo"), -1);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf("CHARLIE"), -1);
    EXPECT_EQ(l.Strings(l.IndexOf("bravo")), "bravo");
  }
  TStringList l;
  l.SetSorted(true);
  for (const char* s : {"delta", "Alpha", "charlie", "Bravo"}) l.Add(s);
  EXPECT_EQ(l.ToStringArray(), (Lines{"Alpha", "Bravo", "charlie", "delta"}));
  int32_t index = -1;
  EXPECT_TRUE(l.Find("CHARLIE", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(l.Find("beta", index));
  EXPECT_EQ(index, 1);  // where it would go

  // Switching case sensitivity on a sorted list re-sorts it, so lookups keep working.
  TStringList cs;
  cs.SetSorted(true);
  cs.SetDuplicates(dupAccept);
  for (const char* s : {"b", "A", "a", "B", "ab", "Ab"}) cs.Add(s);
  cs.SetCaseSensitive(true);
  for (int32_t i = 1; i < cs.Count(); ++i) EXPECT_LE(cs.CompareStrings(cs.Strings(i - 1), cs.Strings(i)), 0);
  for (const char* s : {"b", "A", "a", "B", "ab", "Ab"}) EXPECT_EQ(cs.Strings(cs.IndexOf(s)), s);
}

TEST(StringListTest, SortedListRefusesPositionalEdits) {
  TStringList l;
  Fill(l, {"b", "a"});
  l.SetSorted(true);
  EXPECT_EQ(l.ToStringArray(), (Lines{"a", "b"}));
  for (auto call : std::vector<std::function<void()>>{[&] { l.Insert(0, "x"); },
                                                      [&] { l.SetStrings(0, "x"); },
                                                      [&] { l.Move(0, 1); }}) {
    try {
      call();
      ADD_FAILURE();
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "Operation not allowed on sorted list");
    }
  }
  EXPECT_EQ(l.ToStringArray(), (Lines{"a", "b"}));
}

TEST(StringListTest, BadIndexesRaiseWithTheIndex) {
  TStringList l;
  Fill(l, {"a", "b"});
  const std::vector<std::pair<std::function<void()>, int>> cases = {
      {[&] { l.Strings(2); }, 2},        {[&] { l.Objects(-1); }, -1},   {[&] { l.Delete(5); }, 5},
      {[&] { l.Insert(3, "x"); }, 3},    {[&] { l.SetStrings(2, ""); }, 2}, {[&] { l.Exchange(0, 2); }, 2},
      {[&] { l.SetObjects(9, nullptr); }, 9},
  };
  for (const auto& [call, index] : cases) {
    try {
      call();
      ADD_FAILURE() << index;
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
    }
  }
  EXPECT_THROW(l.SetCapacity(1), EStringListError);
}

TEST(StringListTest, CustomSortIsStableAndUsesTheGivenOrder) {
  TStringList l;
  Fill(l, {"ccc", "a", "bb", "b", "aaa", "c"});
  l.CustomSort([](TStringList* list, int32_t i, int32_t j) {
    return int32_t(list->Strings(i).size()) - int32_t(list->Strings(j).size());
  });
  EXPECT_EQ(l.ToStringArray(), (Lines{"a", "b", "c", "bb", "ccc", "aaa"}));
  l.Sort();
  EXPECT_EQ(l.ToStringArray(), (Lines{"a", "aaa", "b", "bb", "c", "ccc"}));
}

TEST(StringListTest, ChangeEventsBracketEachChangeAndCollapseInUpdates) {
  TStringList l;
  std::vector<std::string> log;
  l.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &l);
    log.push_back("changing " + std::to_string(l.Count()));
  };
  l.OnChange = [&](TObject*) { log.push_back("change " + std::to_string(l.Count())); };
  l.Add("a");
  EXPECT_EQ(log, (Lines{"changing 0", "change 1"}));
  log.clear();
  l.BeginUpdate();
  l.Add("b");
  l.BeginUpdate();
  l.Delete(0);
  l.EndUpdate();
  l.SetText("x\ny\nz");
  EXPECT_EQ(log, (Lines{"changing 1"}));
  l.EndUpdate();
  EXPECT_EQ(log, (Lines{"changing 1", "change 3"}));
}

class TCounted : public TObject {
public:
  explicit TCounted(int* live) : live_(live) { ++*live_; }
  ~TCounted() override { --*live_; }

private:
  int* live_;
};

TEST(StringListTest, OwnedObjectsAreFreedWhenTheirLineGoes) {
  int live = 0;
  {
    TStringList l(true);
    for (const char* s : {"a", "b", "c", "d"}) l.AddObject(s, new TCounted(&live));
    l.Delete(0);
    EXPECT_EQ(live, 3);
    l.SetObjects(0, new TCounted(&live));  // replaces b's object
    EXPECT_EQ(live, 3);
    l.Move(0, 2);  // moving keeps the object
    EXPECT_EQ(live, 3);
    EXPECT_EQ(l.IndexOfObject(l.Objects(2)), 2);
    l.SetSorted(true);
    l.AddObject("c", new TCounted(&live));  // dupIgnore: the offered object is not kept
    EXPECT_EQ(live, 3);
  }
  EXPECT_EQ(live, 0);
  {
    TStringList l(true);
    l.AddObject("a", new TCounted(&live));
    l.Clear();
    EXPECT_EQ(live, 0);
  }
  TCounted stack(&live);
  {
    TStringList l;  // not owning
    l.AddObject("a", &stack);
    l.Delete(0);
  }
  EXPECT_EQ(live, 1);
}

TEST(StringsTest, EqualsExchangeMoveAddStringsAssign) {
  TStringList a, b;
  Fill(a, {"one", "two", "three"});
  Fill(b, {"one", "two", "Three"});
  EXPECT_FALSE(a.Equals(&b));  // exact comparison
  b.SetStrings(2, "three");
  EXPECT_TRUE(a.Equals(&b));
  a.Exchange(0, 2);
  a.Move(0, 1);
  EXPECT_EQ(a.ToStringArray(), (Lines{"two", "three", "one"}));
  a.AddStrings(&a);
  EXPECT_EQ(a.Count(), 6);

  TStringList src;
  src.SetDelimiter('|');
  src.Add("x");
  TStringList dst;
  dst.SetQuoteChar('\'');
  dst.Add("old");
  dst.Assign(&src);
  EXPECT_EQ(dst.ToStringArray(), (Lines{"x"}));
  EXPECT_EQ(dst.Delimiter(), '|');  // set in the source
  EXPECT_EQ(dst.QuoteChar(), '\'');  // left alone: the source never set it
}

TEST(StringsTest, LoadRecognisesEncodings) {
  struct Case {
    const char* what;
    std::string bytes;
    Lines want;
  };
  const std::string eAcute = "\xC3\xA9";
  const std::vector<Case> cases = {
      {"utf8", "a" + eAcute + "\nb", {"a" + eAcute, "b"}},
      {"utf8 bom", "\xEF\xBB\xBFx\r\ny\r\n", {"x", "y"}},
      {"utf16le", std::string("\xFF\xFE" "A\0\xE9\0\r\0\n\0B\0", 12), {"A" + eAcute, "B"}},
      {"utf16be", std::string("\xFE\xFF\0A\0\xE9\0\r\0\n\0B", 12), {"A" + eAcute, "B"}},
      // Not UTF-8: Windows-1252, where E9 is U+00E9 and 80 is the euro sign U+20AC.
      {"cp1252", "caf\xE9\r\n\x80", {"caf" + eAcute, "\xE2\x82\xAC"}},
      {"empty", "", {}},
  };
  testsupport::TempDir dir;
  for (const auto& c : cases) {
    const auto path = dir / (std::string(c.what) + ".txt");
    testsupport::WriteFileBytes(path, c.bytes);
    TStringList l;
    l.LoadFromFile(path.string());
    EXPECT_EQ(l.ToStringArray(), c.want) << c.what;
  }
}

TEST(StringsTest, SaveWritesUtf8WithOptionalBom) {
  testsupport::TempDir dir;
  TStringList l;
  Fill(l, {"a", "\xC3\xA9"});
  const auto path = (dir / "out.txt").string();
  l.SaveToFile(path);
  EXPECT_EQ(testsupport::ReadFileBytes(path), "a\r\n\xC3\xA9\r\n");
  l.SetWriteBOM(true);
  l.SaveToFile(path);
  EXPECT_EQ(testsupport::ReadFileBytes(path), "\xEF\xBB\xBF" "a\r\n\xC3\xA9\r\n");
  TStringList back;
  back.LoadFromFile(path);
  EXPECT_TRUE(back.Equals(&l));
  EXPECT_THROW(back.LoadFromFile((dir / "missing.txt").string()), EFOpenError);
}

TEST(StringsTest, LoadFromStreamReadsFromTheCurrentPosition) {
  TStringStream stream("skip|x\ny");
  stream.SetPosition(5);
  TStringList l;
  l.LoadFromStream(stream);
  EXPECT_EQ(l.ToStringArray(), (Lines{"x", "y"}));
}

}  // namespace
