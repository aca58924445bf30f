// The module table: named modules with named (and numbered) entry points,
// for code that binds entry points at run time.
#include <algorithm>
#include <memory>
#include <mutex>
#include <set>
#include <string_view>
#include <utility>

#include "platform/gdi/syscolors.h"
#include "platform/rtl/text.h"
#include "platform/shell/shell.h"
#include "platform/win/internal.h"
#include "platform/win/shellentries.h"

namespace win {

namespace {

struct Entry {
  ModuleDefinition Def;
  uintptr_t Handle = 0;
  int Refs = 0;
  int Loads = 0;
  bool Resident = false;  // the platform's own modules are always loaded
};

struct Table {
  std::vector<std::unique_ptr<Entry>> Modules;
};

std::mutex g_mutex;
uintptr_t g_nextHandle = 0x10000000;
HMODULE const kProgram = reinterpret_cast<HMODULE>(uintptr_t(0x400000));

std::string Normalize(const std::string& name) {
  std::string s = name;
  if (auto slash = s.find_last_of("/\\"); slash != std::string::npos) s = s.substr(slash + 1);
  for (char& ch : s)
    if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
  if (s.size() > 4 && s.compare(s.size() - 4, 4, ".dll") == 0) s.resize(s.size() - 4);
  return s;
}

std::unique_ptr<Entry> MakeEntry(ModuleDefinition def, bool resident) {
  auto e = std::make_unique<Entry>();
  e->Def = std::move(def);
  e->Handle = g_nextHandle;
  g_nextHandle += 0x10000;
  e->Resident = resident && !e->Def.OnRequest;
  e->Refs = e->Resident ? 1 : 0;
  return e;
}

Table* MakeTable(std::vector<ModuleDefinition> defs, bool resident) {
  auto* t = new Table;
  for (auto& d : defs) t->Modules.push_back(MakeEntry(std::move(d), resident));
  return t;
}

Table*& Current() {
  static Table* t = MakeTable(PlatformModules(), true);
  return t;
}

Entry* ByName(const std::string& name) {
  const std::string n = Normalize(name);
  for (auto& e : Current()->Modules)
    if (Normalize(e->Def.Name) == n) return e.get();
  return nullptr;
}

Entry* ByHandle(HMODULE h) {
  for (auto& e : Current()->Modules)
    if (e->Handle == reinterpret_cast<uintptr_t>(h)) return e.get();
  return nullptr;
}

template <class F>
FARPROC Addr(F* f) {
  return reinterpret_cast<FARPROC>(f);
}

// (module, entry point) pairs GetProcAddress does not find.
std::set<std::pair<std::string, std::string>>& Hidden() {
  static std::set<std::pair<std::string, std::string>> hidden;
  return hidden;
}

// What Linux offers of kernel32 and shlwapi, with each entry point's own signature.
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
  return x < y ? CSTR_LESS_THAN : x == y ? CSTR_EQUAL : CSTR_GREATER_THAN;
}

// Adds each module's exports to the module of that name (an entry point it
// already has keeps its own), or the module itself when there is none.
void AddExports(std::vector<ModuleDefinition>& modules, std::vector<ModuleDefinition> more) {
  for (ModuleDefinition& m : more) {
    auto same = std::find_if(modules.begin(), modules.end(),
                             [&](const ModuleDefinition& d) { return Normalize(d.Name) == Normalize(m.Name); });
    if (same == modules.end()) {
      modules.push_back(std::move(m));
      continue;
    }
    for (ModuleExport& x : m.Exports)
      if (std::none_of(same->Exports.begin(), same->Exports.end(),
                       [&](const ModuleExport& y) { return y.Name == x.Name; }))
        same->Exports.push_back(std::move(x));
  }
}

}  // namespace

std::vector<ModuleDefinition> PlatformModules() {
  // UpdateLayeredWindow is found only while the display backend can show
  // per-pixel alpha (BackendOffersExport); the callers have a fallback.
  ModuleDefinition user32{"user32.dll",
                          {
                              {"MonitorFromPoint", 1, Addr(&MonitorFromPoint)},
                              {"MonitorFromRect", 2, Addr(&MonitorFromRect)},
                              {"MonitorFromWindow", 3, Addr(&MonitorFromWindow)},
                              {"GetMonitorInfoW", 4, Addr(&GetMonitorInfo)},
                              {"GetMonitorInfoA", 5, Addr(&GetMonitorInfo)},
                              {"EnumDisplayMonitors", 6, Addr(&EnumDisplayMonitors)},
                              {"AnimateWindow", 7, Addr(&AnimateWindow)},
                              {"SetLayeredWindowAttributes", 8, Addr(&SetLayeredWindowAttributes)},
                              {"GetLayeredWindowAttributes", 9, Addr(&GetLayeredWindowAttributes)},
                              {"TrackMouseEvent", 10, Addr(&TrackMouseEvent)},
                              {"SystemParametersInfoW", 11, Addr(&SystemParametersInfo)},
                              {"MessageBoxW", 12, Addr(&MessageBox)},
                              {"UpdateLayeredWindow", 13, Addr(&UpdateLayeredWindow)},
                          }};
  ModuleDefinition msimg32{"msimg32.dll",
                           {
                               {"GradientFill", 1, Addr(&GradientFill)},
                               {"AlphaBlend", 2, Addr(&AlphaBlend)},
                               {"TransparentBlt", 3, Addr(&TransparentBlt)},
                           }};
  ModuleDefinition gdi32{"gdi32.dll",
                         {
                             {"GdiGradientFill", 1, Addr(&GradientFill)},
                             {"GdiAlphaBlend", 2, Addr(&AlphaBlend)},
                             {"GdiTransparentBlt", 3, Addr(&TransparentBlt)},
                         }};
  ModuleDefinition kernel32{"kernel32.dll",
                            {
                                {"GetUserDefaultUILanguage", 1, Addr(&LinuxGetUserDefaultUILanguage)},
                                {"CompareStringOrdinal", 2, Addr(&LinuxCompareStringOrdinal)},
                            }};
  ModuleDefinition shlwapi{"shlwapi.dll", {{"StrCmpLogicalW", 1, Addr(&LinuxStrCmpLogicalW)}}, true};
  // No taskbar identity, shell items or notification state on this platform.
  ModuleDefinition shell32{"shell32.dll", {}, true};
  ModuleDefinition advapi32{"advapi32.dll", {}};
  std::vector<ModuleDefinition> modules{user32, msimg32, gdi32, kernel32, advapi32, shlwapi, shell32};
  AddExports(modules, ShellModuleExports());
  return modules;
}

HMODULE LoadLibrary(LPCSTR name) {
  if (!name || IS_INTRESOURCE(name)) return nullptr;
  std::lock_guard lk(g_mutex);
  Entry* e = ByName(name);
  if (!e) return nullptr;
  if (e->Refs++ == 0) ++e->Loads;
  return reinterpret_cast<HMODULE>(e->Handle);
}

BOOL FreeLibrary(HMODULE mod) {
  std::lock_guard lk(g_mutex);
  Entry* e = ByHandle(mod);
  if (!e || e->Refs <= 0) return FALSE;
  if (e->Refs > (e->Resident ? 1 : 0)) --e->Refs;
  return TRUE;
}

HMODULE GetModuleHandle(LPCSTR name) {
  if (!name) return kProgram;
  if (IS_INTRESOURCE(name)) return nullptr;
  std::lock_guard lk(g_mutex);
  Entry* e = ByName(name);
  return e && e->Refs > 0 ? reinterpret_cast<HMODULE>(e->Handle) : nullptr;
}

FARPROC GetProcAddress(HMODULE mod, LPCSTR nameOrOrdinal) {
  if (!nameOrOrdinal) return nullptr;
  std::lock_guard lk(g_mutex);
  Entry* e = ByHandle(mod);
  if (!e || e->Refs <= 0) return nullptr;
  if (!IS_INTRESOURCE(nameOrOrdinal) && Hidden().count({Normalize(e->Def.Name), std::string(nameOrOrdinal)}))
    return nullptr;
  for (const ModuleExport& x : e->Def.Exports) {
    const bool match = IS_INTRESOURCE(nameOrOrdinal)
                           ? x.Ordinal != 0 && x.Ordinal == WORD(reinterpret_cast<uintptr_t>(nameOrOrdinal))
                           : x.Name == nameOrOrdinal;
    if (match) return detail::BackendOffersExport(Normalize(e->Def.Name), x.Name) ? x.Address : nullptr;
  }
  return nullptr;
}

int ModuleLoadCount(LPCSTR name) {
  if (!name || IS_INTRESOURCE(name)) return 0;
  std::lock_guard lk(g_mutex);
  const Entry* e = ByName(name);
  return e ? e->Loads : 0;
}

void HideModuleExport(LPCSTR module, LPCSTR name, BOOL hidden) {
  if (!module || !name || IS_INTRESOURCE(module) || IS_INTRESOURCE(name)) return;
  std::lock_guard lk(g_mutex);
  const std::pair<std::string, std::string> key{Normalize(module), std::string(name)};
  if (hidden) Hidden().insert(key);
  else Hidden().erase(key);
}

void RegisterModule(ModuleDefinition module) {
  std::lock_guard lk(g_mutex);
  auto& mods = Current()->Modules;
  const std::string n = Normalize(module.Name);
  std::erase_if(mods, [&](const std::unique_ptr<Entry>& e) { return Normalize(e->Def.Name) == n; });
  mods.push_back(MakeEntry(std::move(module), false));
}

BOOL UnregisterModule(LPCSTR name) {
  if (!name) return FALSE;
  std::lock_guard lk(g_mutex);
  auto& mods = Current()->Modules;
  const std::string n = Normalize(name);
  auto before = mods.size();
  std::erase_if(mods, [&](const std::unique_ptr<Entry>& e) { return Normalize(e->Def.Name) == n; });
  return mods.size() != before ? TRUE : FALSE;
}

ScopedModuleTable::ScopedModuleTable(std::vector<ModuleDefinition> modules) {
  std::lock_guard lk(g_mutex);
  Table* fresh = MakeTable(std::move(modules), false);
  saved_ = Current();
  Current() = fresh;
}

ScopedModuleTable::~ScopedModuleTable() {
  std::lock_guard lk(g_mutex);
  delete Current();
  Current() = static_cast<Table*>(saved_);
}

}  // namespace win
