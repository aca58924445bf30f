// Platform entry points that some platforms lack, bound by name on first use.
//
// Each entry point is a procedure variable that starts at its binder. The
// first call looks the entry point up in its library (the platform's module
// table, platform/win) and stores either it or a fallback of its own, then
// every later call goes straight to what was stored. A missing library or
// entry point is never an error: the fallback answers, typically "not
// implemented" (E_NOTIMPL), and the program goes on.
//
// Text is UTF-8 here, where the platform's calls take UTF-16.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
using LANGID = uint16_t;
using LCID = uint32_t;

namespace DImports {

// Handles of the platform's objects travel as opaque pointers.
using HDCHandle = void*;
using HWNDHandle = void*;
using HANDLE = void*;
using PIDLIST = void*;

constexpr int32_t GDI_ERROR = -1;
// CompareStringOrdinal's answers.
constexpr int32_t CSTR_LESS_THAN = 1;
constexpr int32_t CSTR_EQUAL = 2;
constexpr int32_t CSTR_GREATER_THAN = 3;

// kernel32: the user's interface language; 0 where the platform lacks it.
extern LANGID (*GetUserDefaultUILanguage)();
// gdi32: GDI_ERROR where lacking.
extern uint32_t (*GetGlyphIndicesA)(HDCHandle dc, const char* text, int32_t count, uint16_t* glyphs, uint32_t flags);
extern uint32_t (*GetGlyphIndicesW)(HDCHandle dc, const char16_t* text, int32_t count, uint16_t* glyphs,
                                    uint32_t flags);
// kernel32: 0 where lacking.
extern uint32_t (*SetThreadExecutionState)(uint32_t flags);
// user32: 0 (false) where lacking.
extern int32_t (*PrintWindow)(HWNDHandle wnd, HDCHandle dc, uint32_t flags);
// shlwapi: natural order (below 0, 0, above 0); an ordinal comparison where lacking.
extern int32_t (*StrCmpLogicalW)(std::string_view a, std::string_view b);
// kernel32: CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN; a negative count
// means the whole text. The fallback compares the whole texts.
extern int32_t (*CompareStringOrdinal)(std::string_view a, int32_t countA, std::string_view b, int32_t countB,
                                       bool ignoreCase);
// shell32: *item set to nil and E_NOTIMPL where lacking.
extern HRESULT (*SHCreateItemFromParsingName)(std::string_view path, void* bindContext, const void* iid,
                                              void** item);
// avrt: 0 where lacking.
extern HANDLE (*AvSetMmThreadCharacteristicsW)(std::string_view task, uint32_t* taskIndex);
// avrt: -1 (true) where lacking.
extern int32_t (*AvRevertMmThreadCharacteristics)(HANDLE avrtHandle);
// shell32: nil, nil, 0 (false) and nothing where lacking.
extern PIDLIST (*ILCreateFromPathW)(std::string_view path);
extern PIDLIST (*ILClone)(PIDLIST pidl);
extern int32_t (*ILRemoveLastID)(PIDLIST pidl);
extern void (*ILFree)(PIDLIST pidl);
// shell32: E_NOTIMPL where lacking.
extern HRESULT (*SHQueryUserNotificationState)(int32_t* state);

}  // namespace DImports

// Sets the process's application user-model ID (the taskbar identity). Looks
// SetCurrentProcessExplicitAppUserModelID up on every call in shell32, which
// is loaded once and kept; E_NOTIMPL when the library or the call is missing.
HRESULT SetAppUserModelID(std::string_view appId);

// Natural order of two texts through StrCmpLogicalW: below 0, 0 or above 0.
int32_t CompareStrLogical(std::string_view a, std::string_view b);

// Sets every entry point back to its binder, as the unit's start-up does.
void DImportsInitialize();
// Frees the libraries kept for the bindings (shlwapi, shell32, avrt).
void DImportsFreeModules();
// The unit's shut-down: DImportsFreeModules unless the program runs as a library.
void DImportsFinalize();
