#include "platform/classes/inifiles.h"

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

std::vector<std::string> Items(const TStrings& s) {
  std::vector<std::string> v;
  for (int32_t i = 0; i < s.Count(); ++i) v.push_back(s.Strings(i));
  return v;
}
using Lines = std::vector<std::string>;

// A literal's bytes, embedded NULs included.
template <size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

// Duplicates, junk, comments, quotes, blanks and all three line ends in one file.
const std::string kMessy =
    "orphan=before any section\n"
    "; comment=not a key\r\n"
    "[Main]\r\n"
    "  Name =  first value  \r\n"
    "name=second\r"
    "junk line without separator\n"
    "=no name\n"
    "Quoted=\"a b\"\n"
    "Single='x'\n"
    "Url=http://host/?a=b\n"
    "[ Other ]\n"
    "k=v\n"
    "[MAIN]\n"
    "Name=third\n"
    "Extra=hidden\n"
    "[Empty]\n";

TEST(MemIniFile, ParsesMessyFileWithFirstOccurrenceRule) {
  TempDir dir;
  WriteFileBytes(dir / "m.ini", kMessy);
  TMemIniFile ini((dir / "m.ini").string());
  struct Case {
    const char* section;
    const char* ident;
    const char* expected;
  };
  const Case cases[] = {
      {"Main", "Name", "first value"},  // trimmed, first of three
      {"main", "NAME", "first value"},  // names ignore case
      {"Main", "Quoted", "\"a b\""},    // quotes stay
      {"Main", "Single", "'x'"},
      {"Main", "Url", "http://host/?a=b"},  // split at the first '='
      {"Other", "k", "v"},
      {"Main", "Extra", "<def>"},  // only in the hidden second [MAIN]
      {"Main", "orphan", "<def>"},
      {"Main", "junk line without separator", "<def>"},
      {"Main", "", "<def>"},
      {"Empty", "anything", "<def>"},
      {"Missing", "Name", "<def>"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ini.ReadString(c.section, c.ident, "<def>"), c.expected) << c.section << "/" << c.ident;

  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Items(list), (Lines{"Main", "Other", "Empty"}));
  ini.ReadSection("MAIN", &list);
  EXPECT_EQ(Items(list), (Lines{"Name", "Quoted", "Single", "Url"}));
  ini.ReadSectionValues("main", &list);
  EXPECT_EQ(Items(list), (Lines{"Name=first value", "Quoted=\"a b\"", "Single='x'", "Url=http://host/?a=b"}));
  ini.ReadSection("Missing", &list);
  EXPECT_EQ(list.Count(), 0);

  EXPECT_TRUE(ini.SectionExists("other"));
  EXPECT_FALSE(ini.SectionExists("Empty"));  // a header without keys does not count
  EXPECT_TRUE(ini.ValueExists("MAIN", "quoted"));
  EXPECT_FALSE(ini.ValueExists("Main", "Extra"));
}

TEST(MemIniFile, CaseSensitiveLookup) {
  TMemIniFile ini("");
  ini.SetText("[Sec]\r\nKey=1\r\n");
  EXPECT_EQ(ini.ReadString("sec", "key", "d"), "1");
  ini.SetCaseSensitive(true);
  EXPECT_EQ(ini.ReadString("sec", "key", "d"), "d");
  EXPECT_EQ(ini.ReadString("Sec", "Key", "d"), "1");
  ini.WriteString("Sec", "key", "2");  // another key now
  EXPECT_EQ(ini.ReadString("Sec", "Key", "d"), "1");
  EXPECT_EQ(ini.ReadString("Sec", "key", "d"), "2");
}

TEST(MemIniFile, NonAsciiNamesIgnoreCase) {
  TMemIniFile ini("");
  ini.SetText("[Größe]\nÄnderung=ja\n");
  EXPECT_EQ(ini.ReadString("größe", "äNDERUNG", "d"), "ja");
}

TEST(IniFileValues, IntegerAndBoolReadings) {
  struct Case {
    const char* raw;
    int32_t integer;  // default -7
    bool boolFalseDef, boolTrueDef;
  };
  const Case cases[] = {
      {"0", 0, false, false},       {"1", 1, true, true},          {"-5", -5, true, true},
      {"0x10", 16, true, true},     {"0X1f", 31, true, true},      {"$20", 32, true, true},
      {"  42  ", 42, true, true},   {"abc", -7, false, true},      {"1.5", -7, false, true},
      {"", -7, false, true},        {"0x", -7, false, true},       {"true", -7, false, true},
      {"2147483648", -7, false, true},
  };
  std::string text = "[V]\r\n";
  for (size_t i = 0; i < std::size(cases); ++i) text += "k" + std::to_string(i) + "=" + cases[i].raw + "\r\n";
  TMemIniFile ini("");
  ini.SetText(text);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::string key = "k" + std::to_string(i);
    SCOPED_TRACE(std::string("value '") + cases[i].raw + "'");
    EXPECT_EQ(ini.ReadInteger("V", key, -7), cases[i].integer);
    EXPECT_EQ(ini.ReadBool("V", key, false), cases[i].boolFalseDef);
    EXPECT_EQ(ini.ReadBool("V", key, true), cases[i].boolTrueDef);
  }
  EXPECT_EQ(ini.ReadInteger("V", "absent", 99), 99);
  EXPECT_TRUE(ini.ReadBool("V", "absent", true));
}

// Restores the process-wide decimal separator however the test ends.
struct DecimalSeparatorScope {
  char saved = FormatSettings().DecimalSeparator;
  explicit DecimalSeparatorScope(char c) { FormatSettings().DecimalSeparator = c; }
  ~DecimalSeparatorScope() { FormatSettings().DecimalSeparator = saved; }
};

TEST(IniFileValues, FloatsUseAPointWhateverTheSettings) {
  DecimalSeparatorScope comma(',');
  TMemIniFile ini("");
  ini.WriteFloat("F", "a", 2.5);
  ini.WriteFloat("F", "b", -0.125);
  EXPECT_EQ(ini.ReadString("F", "a", ""), "2.5");
  EXPECT_EQ(ini.ReadString("F", "b", ""), "-0.125");
  EXPECT_EQ(ini.ReadFloat("F", "b", 0), -0.125);
  ini.WriteString("F", "c", "3,5");
  ini.WriteString("F", "d", "nonsense");
  EXPECT_EQ(ini.ReadFloat("F", "c", 9.0), 9.0);
  EXPECT_EQ(ini.ReadFloat("F", "d", 9.0), 9.0);
  EXPECT_EQ(ini.ReadFloat("F", "absent", 9.0), 9.0);
}

TEST(MemIniFile, RoundTripThroughUpdateFile) {
  TempDir dir;
  const std::string path = (dir / "cfg.ini").string();
  {
    TMemIniFile ini(path);
    EXPECT_FALSE(fs::exists(path));  // a missing file reads as empty and is not created
    ini.WriteBool("Default", "FullScreenInfo", false);
    ini.WriteBool("Default", "FastMode", true);
    ini.WriteInteger("Default", "ViewMode", 39);
    ini.WriteString("Second", "Name", "Zoë = \"quoted\"");
    ini.WriteInteger("default", "viewmode", 40);  // replaces, keeps the first spelling and place
    ini.UpdateFile();
  }
  EXPECT_EQ(ReadFileBytes(path),
            "[Default]\nFullScreenInfo=0\nFastMode=1\nViewMode=40\n\n"
            "[Second]\nName=Zoë = \"quoted\"\n");
  TMemIniFile again(path);
  EXPECT_FALSE(again.ReadBool("Default", "FullScreenInfo", true));
  EXPECT_TRUE(again.ReadBool("Default", "FastMode", false));
  EXPECT_EQ(again.ReadInteger("Default", "ViewMode", 0), 40);
  EXPECT_EQ(again.ReadString("Second", "Name", ""), "Zoë = \"quoted\"");
}

TEST(MemIniFile, EraseSectionAndDeleteKeyRemoveEveryCopy) {
  TMemIniFile ini("");
  ini.SetText("[A]\nx=1\nx=2\ny=3\n[B]\nz=4\n[a]\nx=5\nw=6\n[C]\nq=7\n");
  ini.DeleteKey("a", "X");
  EXPECT_FALSE(ini.ValueExists("A", "x"));
  EXPECT_EQ(ini.ReadString("A", "x", "gone"), "gone");
  EXPECT_EQ(ini.ReadString("A", "y", ""), "3");
  ini.DeleteKey("A", "absent");
  ini.DeleteKey("Absent", "x");
  EXPECT_EQ(ini.Text(), "[A]\ny=3\n\n[B]\nz=4\n\n[a]\nw=6\n\n[C]\nq=7\n");

  ini.EraseSection("A");
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Items(list), (Lines{"B", "C"}));
  EXPECT_FALSE(ini.SectionExists("a"));
  EXPECT_EQ(ini.ReadString("A", "w", "gone"), "gone");
  ini.WriteString("New", "n", "8");
  ini.ReadSections(&list);
  EXPECT_EQ(Items(list), (Lines{"B", "C", "New"}));
}

TEST(MemIniFile, EncodingsOfFilesRead) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"Windows-1252", "[S]\r\nMonth=M\xE4rz\r\n"},
      {"UTF-8", "[S]\r\nMonth=M\xC3\xA4rz\r\n"},
      {"UTF-8 with mark", "\xEF\xBB\xBF[S]\r\nMonth=M\xC3\xA4rz\r\n"},
      {"UTF-16LE with mark", Bytes("\xFF\xFE[\0S\0]\0\n\0M\0o\0n\0t\0h\0=\0M\0\xE4\0r\0z\0")},
      {"UTF-16BE with mark", Bytes("\xFE\xFF\0[\0S\0]\0\n\0M\0o\0n\0t\0h\0=\0M\0\xE4\0r\0z")},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = dir / "enc.ini";
    WriteFileBytes(path, c.bytes);
    TMemIniFile ini(path.string());
    EXPECT_EQ(ini.ReadString("S", "Month", ""), "M\xC3\xA4rz");
  }
}

TEST(MemIniFile, RewritesInUtf8KeepingAByteOrderMark) {
  TempDir dir;
  const auto ansi = dir / "ansi.ini", marked = dir / "marked.ini";
  WriteFileBytes(ansi, "[S]\r\nk=\xE4\r\n");
  WriteFileBytes(marked, "\xEF\xBB\xBF[S]\r\nk=\xC3\xA4\r\n");
  for (const auto& p : {ansi, marked}) {
    TMemIniFile ini(p.string());
    ini.WriteString("S", "j", "1");
    ini.UpdateFile();
  }
  // Read with CR LF, written back with LF.
  EXPECT_EQ(ReadFileBytes(ansi), "[S]\nk=\xC3\xA4\nj=1\n");
  EXPECT_EQ(ReadFileBytes(marked), "\xEF\xBB\xBF[S]\nk=\xC3\xA4\nj=1\n");
}

TEST(MemIniFile, ExplicitCodePageReadsAndWritesIt) {
  TempDir dir;
  const auto path = dir / "cp.ini";
  WriteFileBytes(path, "[S]\r\nk=\xC4\r\n");  // would be invalid UTF-8 anyway; here it is asked for
  TMemIniFile ini(path.string(), 1252);
  EXPECT_EQ(ini.ReadString("S", "k", ""), "\xC3\x84");
  ini.WriteString("S", "e", "\xE2\x82\xAC");  // the euro sign, 0x80 in Windows-1252
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(path), "[S]\nk=\xC4\ne=\x80\n");
}

TEST(MemIniFile, FileFailures) {
  TempDir dir;
  fs::create_directory(dir / "folder.ini");
  EXPECT_THROW(TMemIniFile((dir / "folder.ini").string()), EFOpenError);

  TMemIniFile ini((dir / "no" / "such" / "x.ini").string());  // missing folder: empty, no error yet
  ini.WriteString("S", "k", "v");
  EXPECT_THROW(ini.UpdateFile(), EFCreateError);
  EXPECT_FALSE(fs::exists(dir / "no"));
  TMemIniFile unnamed("");
  EXPECT_THROW(unnamed.UpdateFile(), EFCreateError);
}

TEST(MemIniFile, StringsAndRename) {
  TempDir dir;
  TStringList in;
  in.SetText("[One]\r\na = 1\r\nnot a key\r\n[Two]\r\nb=2\r\n");
  TMemIniFile ini("");
  ini.SetStrings(&in);
  TStringList out;
  out.Add("kept");
  ini.GetStrings(&out);
  EXPECT_EQ(Items(out), (Lines{"kept", "[One]", "a=1", "", "[Two]", "b=2"}));

  const std::string first = (dir / "first.ini").string(), second = (dir / "second.ini").string();
  ini.Rename(first, false);  // keeps the contents
  EXPECT_EQ(ini.FileName(), first);
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(first), "[One]\na=1\n\n[Two]\nb=2\n");
  WriteFileBytes(second, "[Three]\nc=3\n");
  ini.Rename(second, true);
  EXPECT_EQ(ini.ReadString("One", "a", "gone"), "gone");
  EXPECT_EQ(ini.ReadString("Three", "c", ""), "3");
  ini.Rename((dir / "missing.ini").string(), true);
  ini.ReadSections(&out);
  EXPECT_EQ(out.Count(), 0);
}

// ---- TIniFile ---------------------------------------------------------------------------------

TEST(IniFile, EveryWriteReachesTheFileAndReadsSeeIt) {
  TempDir dir;
  const std::string path = (dir / "live.ini").string();
  TIniFile writer(path);
  TIniFile reader(path);
  EXPECT_EQ(reader.ReadString("S", "k", "none"), "none");
  EXPECT_FALSE(fs::exists(path));
  writer.WriteString("S", "k", "1");
  EXPECT_EQ(ReadFileBytes(path), "[S]\nk=1\n");
  EXPECT_EQ(reader.ReadString("S", "k", "none"), "1");
  writer.WriteInteger("S", "k", 22);
  EXPECT_EQ(reader.ReadInteger("S", "k", 0), 22);
  reader.WriteBool("T", "b", true);
  EXPECT_TRUE(writer.ReadBool("T", "b", false));
  EXPECT_EQ(ReadFileBytes(path), "[S]\nk=22\n\n[T]\nb=1\n");

  WriteFileBytes(path, "[S]\nk=from another program\n");  // rewritten in place
  EXPECT_EQ(writer.ReadString("S", "k", ""), "from another program");
  EXPECT_FALSE(writer.SectionExists("T"));

  writer.DeleteKey("S", "k");
  EXPECT_FALSE(reader.ValueExists("S", "k"));
  writer.WriteString("U", "x", "1");
  reader.EraseSection("u");
  TStringList list;
  writer.ReadSections(&list);
  EXPECT_EQ(Items(list), (Lines{"S"}));
  fs::remove(path);
  EXPECT_EQ(reader.ReadString("S", "k", "gone"), "gone");
}

TEST(IniFile, StripsMatchingQuotes) {
  TempDir dir;
  const auto path = dir / "q.ini";
  WriteFileBytes(path, "[Q]\na=\"two words\"\nb='single'\nc=\"open\nd='mixed\"\ne=\"\"\nf=\"\n");
  TIniFile ini(path.string());
  struct Case {
    const char* key;
    const char* expected;
  };
  for (const Case c : {Case{"a", "two words"}, Case{"b", "single"}, Case{"c", "\"open"}, Case{"d", "'mixed\""},
                       Case{"e", ""}, Case{"f", "\""}})
    EXPECT_EQ(ini.ReadString("Q", c.key, "<def>"), c.expected) << c.key;
  TStringList list;
  ini.ReadSectionValues("Q", &list);  // whole lines stay as stored
  EXPECT_EQ(list.Strings(0), "a=\"two words\"");
}

TEST(IniFile, FailedWriteRaisesAndKeepsNothing) {
  TempDir dir;
  const std::string path = (dir / "missing" / "x.ini").string();
  TIniFile ini(path);
  try {
    ini.WriteString("S", "k", "v");
    FAIL() << "no exception";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + path);
  }
  EXPECT_EQ(ini.ReadString("S", "k", "unsaved"), "unsaved");  // the failed change is not kept
  ini.EraseSection("S");  // nothing to erase: no write, no error
  ini.DeleteKey("S", "k");
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST(IniFile, UnreadableFileRaises) {
  TempDir dir;
  const auto path = dir / "target";
  fs::create_directory(path);
  TIniFile ini(path.string());
  EXPECT_THROW(ini.ReadString("S", "k", ""), EFOpenError);
  EXPECT_THROW(ini.WriteString("S", "k", "v"), EFOpenError);  // read before write, so the same
  EXPECT_TRUE(fs::is_directory(path));
}

// A file-size limit makes the rewrite fail even for root, after the temporary file exists.
TEST(IniFile, FailedWriteKeepsOldFile) {
  TempDir dir;
  const auto path = dir / "old.ini";
  WriteFileBytes(path, "[S]\r\nk=old\r\n");
  TIniFile ini(path.string());
  EXPECT_EQ(ini.ReadString("S", "k", ""), "old");
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool raised = false;
  try {
    ini.WriteString("S", "big", std::string(4096, 'x'));
  } catch (const EIniFileException& e) {
    raised = true;
    EXPECT_EQ(e.Message(), "Unable to write to " + path.string());
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(raised);
  EXPECT_EQ(ReadFileBytes(path), "[S]\r\nk=old\r\n");
  EXPECT_FALSE(ini.ValueExists("S", "big"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

}  // namespace

namespace {

TEST(IniFileValues, BinaryStreamsAsHexText) {
  TMemIniFile ini("");
  TStringStream out(Bytes("\x00\x0F\xA5\xFF"));
  ini.WriteBinaryStream("S", "Blob", &out);
  EXPECT_EQ(ini.ReadString("S", "Blob", "?"), "000FA5FF");

  struct Case {
    const char* text;
    std::string bytes;  // what reading appends; empty: nothing
  };
  const Case cases[] = {
      {"000FA5FF", Bytes("\x00\x0F\xA5\xFF")},
      {"0a0B", Bytes("\x0A\x0B")},
      {"5", ""},     // odd length
      {"0G", ""},    // no hexadecimal digit
      {"", ""},
  };
  for (const Case& c : cases) {
    ini.WriteString("S", "V", c.text);
    TStringStream in("pre");
    in.SetPosition(3);
    EXPECT_EQ(ini.ReadBinaryStream("S", "V", &in), int32_t(c.bytes.size())) << c.text;
    EXPECT_EQ(in.DataString(), "pre" + c.bytes) << c.text;
  }
  TStringStream in;
  EXPECT_EQ(ini.ReadBinaryStream("S", "Missing", &in), 0);
  EXPECT_THROW(ini.ReadBinaryStream("S", "V", nullptr), EArgumentException);
}

}  // namespace
