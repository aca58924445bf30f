#include "app/DImports.h"

#include <gtest/gtest.h>

#include "app/DUtil.h"
#include "app/YKDirectories.h"
#include "platform/rtl/sysutils.h"
#include "platform/win/winuser.h"
#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

namespace {

// Plays a platform that lacks one entry point, for the length of a test.
class MissingEntryPoint {
public:
  MissingEntryPoint(const char* module, const char* name) : module_(module), name_(name) {
    win::HideModuleExport(module_, name_, win::TRUE);
    DImportsInitialize();
  }
  ~MissingEntryPoint() {
    win::HideModuleExport(module_, name_, win::FALSE);
    DImportsInitialize();
  }

private:
  const char* module_;
  const char* name_;
};

std::vector<std::string> SortedNames(const std::vector<std::string>& names) {
  testsupport::TempDir tmp;
  for (const std::string& n : names) testsupport::WriteFileBytes(tmp / n, "x");
  TDirectoryScan scan;
  scan.Scan(tmp.Path().string(), {".mpo", ".jpg"}, 0, 0);
  scan.Sort();
  std::vector<std::string> out;
  for (int32_t i = 0; i < scan.Count(); ++i) out.push_back(ExtractFileName(scan.GetItem(i)->FileName));
  return out;
}

}  // namespace

TEST(DImports, AppUserModelIdIsNotImplementedAndLoadsShell32Once) {
  DImportsFreeModules();
  const int32_t before = win::ModuleLoadCount("shell32.dll");
  EXPECT_EQ(SetAppUserModelID("Tallowmere.Duplexion"), E_NOTIMPL);
  EXPECT_EQ(SetAppUserModelID("Tallowmere.Duplexion"), E_NOTIMPL);
  EXPECT_EQ(win::ModuleLoadCount("shell32.dll"), before + 1);
  DImportsFinalize();
  EXPECT_EQ(win::GetModuleHandle("shell32.dll"), nullptr);
}

TEST(DImports, NaturalOrderAndItsOrdinalFallback) {
  DImportsInitialize();
  const std::vector<std::string> names = {"img10.mpo", "img2.mpo", "IMG1.jpg"};
  EXPECT_EQ(SortedNames(names), (std::vector<std::string>{"IMG1.jpg", "img2.mpo", "img10.mpo"}));
  EXPECT_LT(CompareStrLogical("img2", "img10"), 0);
  {
    MissingEntryPoint missing("shlwapi.dll", "StrCmpLogicalW");
    EXPECT_GT(CompareStrLogical("img2", "img10"), 0);
    EXPECT_EQ(SortedNames(names), (std::vector<std::string>{"IMG1.jpg", "img10.mpo", "img2.mpo"}));
  }
}

TEST(DImports, NaturalCompare) {
  struct Row {
    const char* a;
    const char* b;
    int sign;
  } rows[] = {
      {"img2", "img10", -1}, {"IMG1.jpg", "img2.mpo", -1}, {"a", "A", 0},          {"file007", "file7", 0},
      {"x9", "x10", -1},     {"abc", "abd", -1},           {"a1b2", "a1b10", -1},  {"Äpfel", "äpfel", 0},
      {"2", "a", -1},        {"img", "img1", -1},          {"img1", "img", 1},     {"99999999999999999999", "100000000000000000000", -1},
  };
  for (const Row& r : rows) {
    const int32_t c = CompareStrLogical(r.a, r.b);
    EXPECT_EQ((c > 0) - (c < 0), r.sign) << r.a << " vs " << r.b;
    const int32_t back = CompareStrLogical(r.b, r.a);
    EXPECT_EQ((back > 0) - (back < 0), -r.sign) << r.b << " vs " << r.a;
  }
}

TEST(DImports, LanguageTestFallsBackToTheLocale) {
  ScopedEnv env;
  env.Set("LC_ALL", std::nullopt);
  env.Set("LC_MESSAGES", std::nullopt);
  env.Set("LANG", "de_AT.UTF-8");
  env.Set("LANGUAGE", "en_US");  // the interface language asked for is English
  DImportsInitialize();
  EXPECT_FALSE(IsGermanUILanguage());
  MissingEntryPoint missing("kernel32.dll", "GetUserDefaultUILanguage");
  EXPECT_EQ(DImports::GetUserDefaultUILanguage(), 0);
  EXPECT_TRUE(IsGermanUILanguage());
}

TEST(DImports, CompareStringOrdinal) {
  using namespace DImports;
  DImportsInitialize();
  EXPECT_EQ(CompareStringOrdinal("abc", -1, "ABD", -1, true), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringOrdinal("abc", -1, "ABC", -1, true), CSTR_EQUAL);
  EXPECT_EQ(CompareStringOrdinal("a", -1, "B", -1, false), CSTR_GREATER_THAN);
  EXPECT_EQ(CompareStringOrdinal("abcdef", 3, "abcxyz", 3, false), CSTR_EQUAL);
  MissingEntryPoint missing("kernel32.dll", "CompareStringOrdinal");
  // The fallback compares the whole texts.
  EXPECT_EQ(CompareStringOrdinal("abcdef", 3, "abcxyz", 3, false), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringOrdinal("abc", -1, "ABC", -1, true), CSTR_EQUAL);
}

// Every entry point this platform lacks answers its fallback, and the program goes on.
TEST(DImports, MissingEntryPointsAnswerTheirFallbacks) {
  using namespace DImports;
  DImportsInitialize();
  uint16_t glyphs[4] = {};
  EXPECT_EQ(GetGlyphIndicesA(nullptr, "ab", 2, glyphs, 0), uint32_t(GDI_ERROR));
  EXPECT_EQ(GetGlyphIndicesW(nullptr, u"ab", 2, glyphs, 0), uint32_t(GDI_ERROR));
  EXPECT_EQ(SetThreadExecutionState(0x80000003u), 0u);
  auto* binder = PrintWindow;
  EXPECT_EQ(PrintWindow(nullptr, nullptr, 0), 0);
  EXPECT_NE(PrintWindow, binder);
  void* item = &glyphs;
  EXPECT_EQ(SHCreateItemFromParsingName("/tmp", nullptr, nullptr, &item), E_NOTIMPL);
  EXPECT_EQ(item, nullptr);
  uint32_t task = 7;
  EXPECT_EQ(AvSetMmThreadCharacteristicsW("Playback", &task), nullptr);
  EXPECT_EQ(AvRevertMmThreadCharacteristics(nullptr), -1);
  EXPECT_EQ(ILCreateFromPathW("/tmp"), nullptr);
  EXPECT_EQ(ILClone(nullptr), nullptr);
  EXPECT_EQ(ILRemoveLastID(nullptr), 0);
  ILFree(nullptr);
  int32_t state = 0;
  EXPECT_EQ(SHQueryUserNotificationState(&state), E_NOTIMPL);
  // Bound on the first call: later calls go straight to the stored fallback.
  auto* bound = PrintWindow;
  EXPECT_EQ(PrintWindow(nullptr, nullptr, 0), 0);
  EXPECT_EQ(PrintWindow, bound);
}
