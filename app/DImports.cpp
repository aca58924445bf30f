#include "app/DImports.h"

#include "platform/rtl/text.h"
#include "platform/win/winuser.h"

using win::FARPROC;
using win::HMODULE;

namespace {

// Libraries kept for the bindings until DImportsFreeModules.
HMODULE gShlwapi = nullptr;
HMODULE gShell32 = nullptr;
HMODULE gAvrt = nullptr;

HMODULE LoadedOnly(const char* name) { return win::GetModuleHandle(name); }
HMODULE LoadedOrLoad(const char* name) {
  HMODULE m = win::GetModuleHandle(name);
  return m ? m : win::LoadLibrary(name);
}
HMODULE LoadedOrLoadKept(HMODULE& kept, const char* name) {
  if (!kept) kept = LoadedOrLoad(name);
  return kept;
}
// The platform's critical-error box is suppressed while loading; there is none here.
HMODULE LoadOnceKept(HMODULE& kept, const char* name) {
  if (!kept) kept = win::LoadLibrary(name);
  return kept;
}

// Stores the entry point, or the fallback when the library or the entry point is missing.
template <class F>
F Bind(F& variable, F fallback, HMODULE module, const char* name) {
  const FARPROC p = module ? win::GetProcAddress(module, name) : nullptr;
  variable = p ? reinterpret_cast<F>(p) : fallback;
  return variable;
}

// Fallbacks.
LANGID NoGetUserDefaultUILanguage() { return 0; }
uint32_t NoGetGlyphIndicesA(void*, const char*, int32_t, uint16_t*, uint32_t) { return uint32_t(DImports::GDI_ERROR); }
uint32_t NoGetGlyphIndicesW(void*, const char16_t*, int32_t, uint16_t*, uint32_t) {
  return uint32_t(DImports::GDI_ERROR);
}
uint32_t NoSetThreadExecutionState(uint32_t) { return 0; }
int32_t NoPrintWindow(void*, void*, uint32_t) { return 0; }
int32_t OrdinalStrCmp(std::string_view a, std::string_view b) {
  // The framework's Unicode comparison: code point order.
  const std::u32string x = Utf8ToUtf32(a), y = Utf8ToUtf32(b);
  return x < y ? -1 : x == y ? 0 : 1;
}
int32_t NoCompareStringOrdinal(std::string_view a, int32_t, std::string_view b, int32_t, bool ignoreCase) {
  std::u32string x = Utf8ToUtf32(a), y = Utf8ToUtf32(b);
  if (ignoreCase) {
    for (char32_t& c : x) c = CpUpperChar(c);
    for (char32_t& c : y) c = CpUpperChar(c);
  }
  return (x < y ? -1 : x == y ? 0 : 1) + 2;
}
HRESULT NoSHCreateItemFromParsingName(std::string_view, void*, const void*, void** item) {
  if (item) *item = nullptr;
  return E_NOTIMPL;
}
void* NoAvSetMmThreadCharacteristicsW(std::string_view, uint32_t*) { return nullptr; }
int32_t NoAvRevertMmThreadCharacteristics(void*) { return -1; }
void* NoILCreateFromPathW(std::string_view) { return nullptr; }
void* NoILClone(void*) { return nullptr; }
int32_t NoILRemoveLastID(void*) { return 0; }
void NoILFree(void*) {}
HRESULT NoSHQueryUserNotificationState(int32_t*) { return E_NOTIMPL; }

// Binders: each runs on the first call only.
LANGID BindGetUserDefaultUILanguage() {
  return Bind(DImports::GetUserDefaultUILanguage, &NoGetUserDefaultUILanguage, LoadedOnly("kernel32.dll"),
              "GetUserDefaultUILanguage")();
}
uint32_t BindGetGlyphIndicesA(void* dc, const char* text, int32_t count, uint16_t* glyphs, uint32_t flags) {
  return Bind(DImports::GetGlyphIndicesA, &NoGetGlyphIndicesA, LoadedOrLoad("gdi32.dll"), "GetGlyphIndicesA")(
      dc, text, count, glyphs, flags);
}
uint32_t BindGetGlyphIndicesW(void* dc, const char16_t* text, int32_t count, uint16_t* glyphs, uint32_t flags) {
  return Bind(DImports::GetGlyphIndicesW, &NoGetGlyphIndicesW, LoadedOrLoad("gdi32.dll"), "GetGlyphIndicesW")(
      dc, text, count, glyphs, flags);
}
uint32_t BindSetThreadExecutionState(uint32_t flags) {
  return Bind(DImports::SetThreadExecutionState, &NoSetThreadExecutionState, LoadedOrLoad("kernel32.dll"),
              "SetThreadExecutionState")(flags);
}
int32_t BindPrintWindow(void* wnd, void* dc, uint32_t flags) {
  return Bind(DImports::PrintWindow, &NoPrintWindow, LoadedOrLoad("user32.dll"), "PrintWindow")(wnd, dc, flags);
}
int32_t BindStrCmpLogicalW(std::string_view a, std::string_view b) {
  return Bind(DImports::StrCmpLogicalW, &OrdinalStrCmp, LoadedOrLoadKept(gShlwapi, "shlwapi.dll"),
              "StrCmpLogicalW")(a, b);
}
int32_t BindCompareStringOrdinal(std::string_view a, int32_t countA, std::string_view b, int32_t countB,
                                 bool ignoreCase) {
  return Bind(DImports::CompareStringOrdinal, &NoCompareStringOrdinal, LoadedOrLoad("kernel32.dll"),
              "CompareStringOrdinal")(a, countA, b, countB, ignoreCase);
}
HRESULT BindSHCreateItemFromParsingName(std::string_view path, void* bindContext, const void* iid, void** item) {
  return Bind(DImports::SHCreateItemFromParsingName, &NoSHCreateItemFromParsingName,
              LoadOnceKept(gShell32, "shell32.dll"), "SHCreateItemFromParsingName")(path, bindContext, iid, item);
}
void* BindAvSetMmThreadCharacteristicsW(std::string_view task, uint32_t* taskIndex) {
  return Bind(DImports::AvSetMmThreadCharacteristicsW, &NoAvSetMmThreadCharacteristicsW,
              LoadedOrLoadKept(gAvrt, "avrt.dll"), "AvSetMmThreadCharacteristicsW")(task, taskIndex);
}
int32_t BindAvRevertMmThreadCharacteristics(void* handle) {
  return Bind(DImports::AvRevertMmThreadCharacteristics, &NoAvRevertMmThreadCharacteristics,
              LoadedOrLoadKept(gAvrt, "avrt.dll"), "AvRevertMmThreadCharacteristics")(handle);
}
void* BindILCreateFromPathW(std::string_view path) {
  return Bind(DImports::ILCreateFromPathW, &NoILCreateFromPathW, LoadOnceKept(gShell32, "shell32.dll"),
              "ILCreateFromPathW")(path);
}
void* BindILClone(void* pidl) {
  return Bind(DImports::ILClone, &NoILClone, LoadOnceKept(gShell32, "shell32.dll"), "ILClone")(pidl);
}
int32_t BindILRemoveLastID(void* pidl) {
  return Bind(DImports::ILRemoveLastID, &NoILRemoveLastID, LoadOnceKept(gShell32, "shell32.dll"),
              "ILRemoveLastID")(pidl);
}
void BindILFree(void* pidl) {
  Bind(DImports::ILFree, &NoILFree, LoadOnceKept(gShell32, "shell32.dll"), "ILFree")(pidl);
}
HRESULT BindSHQueryUserNotificationState(int32_t* state) {
  return Bind(DImports::SHQueryUserNotificationState, &NoSHQueryUserNotificationState,
              LoadOnceKept(gShell32, "shell32.dll"), "SHQueryUserNotificationState")(state);
}

}  // namespace

namespace DImports {

// Constant-initialized, so that a call from another unit's start-up already finds its binder.
LANGID (*GetUserDefaultUILanguage)() = &BindGetUserDefaultUILanguage;
uint32_t (*GetGlyphIndicesA)(HDCHandle, const char*, int32_t, uint16_t*, uint32_t) = &BindGetGlyphIndicesA;
uint32_t (*GetGlyphIndicesW)(HDCHandle, const char16_t*, int32_t, uint16_t*, uint32_t) = &BindGetGlyphIndicesW;
uint32_t (*SetThreadExecutionState)(uint32_t) = &BindSetThreadExecutionState;
int32_t (*PrintWindow)(HWNDHandle, HDCHandle, uint32_t) = &BindPrintWindow;
int32_t (*StrCmpLogicalW)(std::string_view, std::string_view) = &BindStrCmpLogicalW;
int32_t (*CompareStringOrdinal)(std::string_view, int32_t, std::string_view, int32_t, bool) =
    &BindCompareStringOrdinal;
HRESULT (*SHCreateItemFromParsingName)(std::string_view, void*, const void*, void**) =
    &BindSHCreateItemFromParsingName;
HANDLE (*AvSetMmThreadCharacteristicsW)(std::string_view, uint32_t*) = &BindAvSetMmThreadCharacteristicsW;
int32_t (*AvRevertMmThreadCharacteristics)(HANDLE) = &BindAvRevertMmThreadCharacteristics;
PIDLIST (*ILCreateFromPathW)(std::string_view) = &BindILCreateFromPathW;
PIDLIST (*ILClone)(PIDLIST) = &BindILClone;
int32_t (*ILRemoveLastID)(PIDLIST) = &BindILRemoveLastID;
void (*ILFree)(PIDLIST) = &BindILFree;
HRESULT (*SHQueryUserNotificationState)(int32_t*) = &BindSHQueryUserNotificationState;

}  // namespace DImports

HRESULT SetAppUserModelID(std::string_view appId) {
  using TSetID = HRESULT (*)(std::string_view);
  HMODULE shell32 = LoadOnceKept(gShell32, "shell32.dll");
  const FARPROC p = shell32 ? win::GetProcAddress(shell32, "SetCurrentProcessExplicitAppUserModelID") : nullptr;
  return p ? reinterpret_cast<TSetID>(p)(appId) : E_NOTIMPL;
}

int32_t CompareStrLogical(std::string_view a, std::string_view b) { return DImports::StrCmpLogicalW(a, b); }

void DImportsInitialize() {
  using namespace DImports;
  GetUserDefaultUILanguage = &BindGetUserDefaultUILanguage;
  GetGlyphIndicesA = &BindGetGlyphIndicesA;
  GetGlyphIndicesW = &BindGetGlyphIndicesW;
  SetThreadExecutionState = &BindSetThreadExecutionState;
  PrintWindow = &BindPrintWindow;
  StrCmpLogicalW = &BindStrCmpLogicalW;
  CompareStringOrdinal = &BindCompareStringOrdinal;
  SHCreateItemFromParsingName = &BindSHCreateItemFromParsingName;
  AvSetMmThreadCharacteristicsW = &BindAvSetMmThreadCharacteristicsW;
  AvRevertMmThreadCharacteristics = &BindAvRevertMmThreadCharacteristics;
  ILCreateFromPathW = &BindILCreateFromPathW;
  ILClone = &BindILClone;
  ILRemoveLastID = &BindILRemoveLastID;
  ILFree = &BindILFree;
  SHQueryUserNotificationState = &BindSHQueryUserNotificationState;
}

void DImportsFreeModules() {
  for (HMODULE* m : {&gShlwapi, &gShell32, &gAvrt}) {
    if (*m) win::FreeLibrary(*m);
    *m = nullptr;
  }
}

// This program is never built as a library, so its modules are always freed.
void DImportsFinalize() { DImportsFreeModules(); }
