#include "app/PlatformModules.h"

#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/DImports.h"
#include "app/PlatformShell.h"
#include "platform/rtl/text.h"

namespace PlatformModules {

namespace {

// What Linux offers of each entry point, with the entry point's own signature.
LANGID LinuxGetUserDefaultUILanguage() { return LocaleUILanguage(); }

int32_t LinuxStrCmpLogicalW(std::string_view a, std::string_view b) { return NaturalCompare(a, b); }

std::u32string OrdinalPart(std::string_view s, int32_t count, bool ignoreCase) {
  std::u32string u = Utf8ToUtf32(s);
  if (count >= 0 && size_t(count) < u.size()) u.resize(size_t(count));
  if (ignoreCase)
    for (char32_t& c : u) c = CpUpperChar(c);
  return u;
}

int32_t LinuxCompareStringOrdinal(std::string_view a, int32_t countA, std::string_view b, int32_t countB,
                                  bool ignoreCase) {
  const std::u32string x = OrdinalPart(a, countA, ignoreCase), y = OrdinalPart(b, countB, ignoreCase);
  return x < y ? DImports::CSTR_LESS_THAN : x == y ? DImports::CSTR_EQUAL : DImports::CSTR_GREATER_THAN;
}

struct TEntryPoint {
  const char* Name;
  FARPROC Proc;
};

template <class F>
FARPROC Proc(F f) {
  return reinterpret_cast<FARPROC>(f);
}

}  // namespace

struct TModule {
  const char* Name;
  bool LoadedAtStart;
  std::vector<TEntryPoint> EntryPoints;
  int32_t References = 0;
  int32_t Loads = 0;
};

namespace {

std::mutex& Lock() {
  static std::mutex m;
  return m;
}

std::vector<TModule>& Modules() {
  static std::vector<TModule> modules = [] {
    std::vector<TModule> m;
    m.push_back({"kernel32.dll", true,
                 {{"GetUserDefaultUILanguage", Proc(&LinuxGetUserDefaultUILanguage)},
                  {"CompareStringOrdinal", Proc(&LinuxCompareStringOrdinal)}}});
    m.push_back({"gdi32.dll", true, {}});
    m.push_back({"user32.dll", true, {}});
    m.push_back({"shlwapi.dll", false, {{"StrCmpLogicalW", Proc(&LinuxStrCmpLogicalW)}}});
    // No taskbar identity, shell items or notification state on this platform.
    m.push_back({"shell32.dll", false, {}});
    for (TModule& mod : m) mod.References = mod.LoadedAtStart ? 1 : 0;
    return m;
  }();
  return modules;
}

std::set<std::pair<std::string, std::string>>& Hidden() {
  static std::set<std::pair<std::string, std::string>> hidden;
  return hidden;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (CpLowerChar(char32_t(uint8_t(a[i]))) != CpLowerChar(char32_t(uint8_t(b[i])))) return false;
  return true;
}

TModule* Find(std::string_view name) {
  for (TModule& m : Modules())
    if (SameName(m.Name, name)) return &m;
  return nullptr;
}

}  // namespace

HMODULE GetModuleHandle(std::string_view name) {
  std::lock_guard<std::mutex> guard(Lock());
  TModule* m = Find(name);
  return m && m->References > 0 ? m : nullptr;
}

HMODULE LoadLibrary(std::string_view name) {
  std::lock_guard<std::mutex> guard(Lock());
  TModule* m = Find(name);
  if (!m) return nullptr;
  if (m->References++ == 0) ++m->Loads;
  return m;
}

bool FreeLibrary(HMODULE module) {
  std::lock_guard<std::mutex> guard(Lock());
  if (!module || module->References == 0) return false;
  --module->References;
  return true;
}

FARPROC GetProcAddress(HMODULE module, std::string_view name) {
  std::lock_guard<std::mutex> guard(Lock());
  if (!module || module->References == 0) return nullptr;
  if (Hidden().count({module->Name, std::string(name)})) return nullptr;
  for (const TEntryPoint& e : module->EntryPoints)
    if (name == e.Name) return e.Proc;
  return nullptr;
}

int32_t LoadCount(std::string_view name) {
  std::lock_guard<std::mutex> guard(Lock());
  const TModule* m = Find(name);
  return m ? m->Loads : 0;
}

void HideEntryPoint(std::string_view module, std::string_view name, bool hidden) {
  std::lock_guard<std::mutex> guard(Lock());
  const TModule* m = Find(module);
  if (!m) return;
  const std::pair<std::string, std::string> key{m->Name, std::string(name)};
  if (hidden) Hidden().insert(key);
  else Hidden().erase(key);
}

}  // namespace PlatformModules
