#include "platform/classes/registry.h"

#include <filesystem>
#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"
#include "tests/support/testsupport.h"

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

std::vector<std::string> Items(const TStrings& s) {
  std::vector<std::string> v;
  for (int32_t i = 0; i < s.Count(); ++i) v.push_back(s.Strings(i));
  return v;
}

// Points the process's registry at a fresh file for one test.
class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = RegistryFileName();
    file_ = (dir_ / "registry").string();
    SetRegistryFileName(file_);
  }
  void TearDown() override { SetRegistryFileName(saved_); }
  std::string FileText() const { return ReadFileBytes(file_); }

  TempDir dir_;
  std::string file_, saved_;
};

TEST_F(RegistryTest, ValuesKeepTheirKindInTheFile) {
  TRegistryIniFile reg("\\Software\\Acme\\");
  reg.WriteString("Bar0", "Caption", "Tools");
  reg.WriteInteger("Bar0", "Row", -3);
  reg.WriteBool("Bar0", "Visible", true);
  TStringStream bytes(std::string("\x05\xA0", 2));
  reg.WriteBinaryStream("Bar0", "Flags", &bytes);
  EXPECT_EQ(FileText(),
            "[Software\\Acme\\Bar0]\n"
            "Caption=s:Tools\n"
            "Row=d:-3\n"
            "Visible=d:1\n"
            "Flags=b:05A0\n");

  // A second view of the same key sees everything, whatever the case of the names.
  TRegistryIniFile again("Software\\ACME");
  EXPECT_EQ(again.ReadString("bar0", "caption", "?"), "Tools");
  EXPECT_EQ(again.ReadInteger("Bar0", "Row", 0), -3);
  EXPECT_EQ(again.ReadString("Bar0", "Row", "?"), "-3");
  EXPECT_TRUE(again.ReadBool("Bar0", "Visible", false));
  TStringStream in;
  EXPECT_EQ(again.ReadBinaryStream("Bar0", "Flags", &in), 2);
  EXPECT_EQ(in.DataString(), std::string("\x05\xA0", 2));
  // Kinds do not mix: bytes are no text, text is no bytes.
  EXPECT_EQ(again.ReadString("Bar0", "Flags", "def"), "def");
  TStringStream none;
  EXPECT_EQ(again.ReadBinaryStream("Bar0", "Caption", &none), 0);
  EXPECT_EQ(again.ReadString("Bar0", "Missing", "def"), "def");
  // An absolute section starts from the top, a relative one below the opened key.
  EXPECT_EQ(again.ReadString("\\Software\\Acme\\Bar0", "Caption", "?"), "Tools");
  EXPECT_EQ(TRegistryIniFile("\\").ReadString("Software\\Acme\\Bar0", "Caption", "?"), "Tools");
}

TEST_F(RegistryTest, TextThatTheFileCouldNotHoldIsEscaped) {
  const std::string texts[] = {"a\\b", "\xC4pfel \xFF", "\xC3\xA4", "two\nlines\r", "  padded  ", "tab\t", "x\\x41", "\x7F", ""};
  {
    TRegistryIniFile reg("K");
    for (size_t i = 0; i < std::size(texts); ++i) reg.WriteString("", "V" + std::to_string(i), texts[i]);
  }
  EXPECT_EQ(FileText().find('\r'), std::string::npos);
  TRegistryIniFile reg("K");
  for (size_t i = 0; i < std::size(texts); ++i)
    EXPECT_EQ(reg.ReadString("", "V" + std::to_string(i), "?"), texts[i]) << i;
}

TEST_F(RegistryTest, SectionsAreSubKeysAndErasingTakesTheSubtree) {
  TRegistryIniFile reg("\\App\\Layout\\");
  reg.WriteInteger("", "Version", 46);
  reg.WriteInteger("Bar0", "Row", 1);
  reg.WriteInteger("Bar0\\ItemLink0", "UseCount", 2);
  reg.WriteInteger("Bar1\\ItemLink0", "UseCount", 3);
  reg.WriteInteger("\\App\\Other", "Keep", 4);

  TStringList list;
  reg.ReadSections(&list);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"Bar0", "Bar1"}));
  // Bar1 holds no value of its own but has a sub-key.
  EXPECT_TRUE(reg.SectionExists("Bar1"));
  EXPECT_FALSE(reg.SectionExists("Bar2"));
  reg.ReadSectionValues("Bar0\\ItemLink0", &list);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"UseCount=2"}));

  reg.EraseSection("Bar0");
  EXPECT_FALSE(reg.SectionExists("Bar0"));
  EXPECT_FALSE(reg.ValueExists("Bar0\\ItemLink0", "UseCount"));
  EXPECT_EQ(reg.ReadInteger("Bar1\\ItemLink0", "UseCount", 0), 3);

  reg.DeleteKey("", "Version");
  EXPECT_FALSE(reg.ValueExists("", "Version"));
  reg.EraseSection("\\App\\Layout");
  EXPECT_EQ(FileText(), "[App\\Other]\nKeep=d:4\n");
}

TEST_F(RegistryTest, NamesTheFileCannotHoldAreRefused) {
  TRegistryIniFile reg("K");
  const char* valueNames[] = {"", "a=b", " lead", "trail ", ";c", "[x]", "line\nbreak"};
  for (const char* n : valueNames) EXPECT_THROW(reg.WriteString("S", n, "v"), EIniFileException) << n;
  const char* keyNames[] = {"a]b", " x", "x\ty", "ctl\x01"};
  for (const char* n : keyNames) EXPECT_THROW(reg.WriteString(n, "V", "v"), EIniFileException) << n;
  EXPECT_THROW(TRegistryIniFile("\\").WriteString("", "V", "v"), EIniFileException);
  EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(RegistryTest, StoredTextFromElsewhereReadsSafely) {
  // A damaged or hand-edited file: unknown kinds, bad numbers, bad hex, broken escapes.
  WriteFileBytes(file_,
                 "[K]\nA=z:1\nB=d:12x\nC=b:0\nD=s:end\\\nE=s:\\x4\nF=plain\nG=d:2147483648\nH=s:\\x41\n");
  TRegistryIniFile reg("K");
  TStringStream in;
  EXPECT_EQ(reg.ReadString("", "A", "def"), "def");
  EXPECT_EQ(reg.ReadInteger("", "B", 7), 7);
  EXPECT_EQ(reg.ReadBinaryStream("", "C", &in), 0);
  EXPECT_EQ(reg.ReadString("", "D", "def"), "end\\");
  EXPECT_EQ(reg.ReadString("", "E", "def"), "\\x4");
  EXPECT_EQ(reg.ReadString("", "F", "def"), "def");
  EXPECT_EQ(reg.ReadInteger("", "G", 7), 7);
  EXPECT_EQ(reg.ReadString("", "H", "def"), "A");
}

TEST(Registry, WithoutAFileNameOpeningRaises) {
  const std::string saved = RegistryFileName();
  SetRegistryFileName("");
  EXPECT_THROW(TRegistryIniFile("K"), EIniFileException);
  SetRegistryFileName(saved);
}

}  // namespace
