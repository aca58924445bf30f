// Resource strings: the program's table of user-visible texts by number, and
// the single replaceable loader through which every one of them is fetched, so
// that a translation library can put itself in that path for the whole process.
//
// A library declares its strings with DX_RESOURCESTRING, lists them in one
// explicit registration function, and reads them with LoadResString (or LoadStr
// by number). The default loader answers the table's text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/rtl/sysutils.h"

struct TResStringRec {
  uint32_t Identifier = 0;      // number in the program's string table; 0: not in the table
  const char* Name = nullptr;   // the program's name for it, such as "SMsgDlgWarning"
  const char* Text = nullptr;   // the compiled-in (untranslated) text
};
using PResStringRec = const TResStringRec*;

// Declares a resource string with one address in the whole program.
#define DX_RESOURCESTRING(Name, Identifier, Text) inline constexpr TResStringRec Name{Identifier, #Name, Text}

// Enters records into the program's string table. Entering a record again is
// harmless; a different record under a number already used raises EInvalidOperation.
void RegisterResourceStrings(std::initializer_list<PResStringRec> records);
// The string table as the platform holds it: the untranslated text of a number.
// Returns false (and leaves text alone) when the number is not in the table.
bool LoadStringFromTable(uint32_t identifier, std::string& text);
PResStringRec FindResStringRec(uint32_t identifier);  // null when not in the table
std::vector<PResStringRec> RegisteredResourceStrings();  // in number order

// The loader. It may run on any thread, concurrently.
using TResStringLoader = std::string (*)(PResStringRec rec);
// Installs a loader for the whole process and returns the previous one; null puts
// the default back.
TResStringLoader SetResStringLoader(TResStringLoader loader);
TResStringLoader GetResStringLoader();
// The default loader: "" for no record; the table's text for a record's number;
// the record's own text when its number is 0 or missing from the table.
std::string DefaultLoadResString(PResStringRec rec);

// Every resource string of the program is read through these three.
std::string LoadResString(PResStringRec rec);
inline std::string LoadResString(const TResStringRec& rec) { return LoadResString(&rec); }
std::string LoadStr(int32_t identifier);  // "" when the number is unknown
template <typename... Args>
std::string FmtLoadStr(int32_t identifier, const Args&... args) {
  return Format(LoadStr(identifier), args...);
}

// The framework's message-dialog strings.
DX_RESOURCESTRING(SMsgDlgWarning, 64512, "Warning");
DX_RESOURCESTRING(SMsgDlgError, 64513, "Error");
DX_RESOURCESTRING(SMsgDlgInformation, 64514, "Information");
DX_RESOURCESTRING(SMsgDlgConfirm, 64515, "Confirm");
DX_RESOURCESTRING(SMsgDlgYes, 64516, "&Yes");
DX_RESOURCESTRING(SMsgDlgNo, 64517, "&No");
DX_RESOURCESTRING(SMsgDlgOK, 64518, "OK");
DX_RESOURCESTRING(SMsgDlgCancel, 64519, "Cancel");
DX_RESOURCESTRING(SMsgDlgAbort, 64520, "&Abort");
DX_RESOURCESTRING(SMsgDlgRetry, 64521, "&Retry");
DX_RESOURCESTRING(SMsgDlgIgnore, 64522, "&Ignore");
DX_RESOURCESTRING(SMsgDlgAll, 64523, "&All");
DX_RESOURCESTRING(SMsgDlgNoToAll, 64524, "N&o to All");
DX_RESOURCESTRING(SMsgDlgYesToAll, 64525, "Yes to &All");
DX_RESOURCESTRING(SMsgDlgHelp, 64526, "&Help");

// The fifteen in dialog order: the four captions, then the buttons from Yes to Help.
inline constexpr PResStringRec MsgDlgResourceStrings[15] = {
    &SMsgDlgWarning, &SMsgDlgError, &SMsgDlgInformation, &SMsgDlgConfirm, &SMsgDlgYes,
    &SMsgDlgNo,      &SMsgDlgOK,    &SMsgDlgCancel,      &SMsgDlgAbort,   &SMsgDlgRetry,
    &SMsgDlgIgnore,  &SMsgDlgAll,   &SMsgDlgNoToAll,     &SMsgDlgYesToAll, &SMsgDlgHelp};

// The component streaming system's messages.
DX_RESOURCESTRING(SInvalidPropertyValue, 64528, "Invalid property value");
DX_RESOURCESTRING(SUnknownProperty, 64529, "Property %s does not exist");
DX_RESOURCESTRING(SClassNotFound, 64530, "Class %s not found");
DX_RESOURCESTRING(SInvalidPropertyPath, 64531, "Invalid property path");
DX_RESOURCESTRING(SMethodNotFound, 64532, "Method '%s' not found");
DX_RESOURCESTRING(SUnresolvedReference, 64533, "Component '%s' not found");
DX_RESOURCESTRING(SAncestorNotFound, 64534, "Ancestor for '%s' not found");
DX_RESOURCESTRING(SPropertyException, 64535, "Error reading %s on line %d: %s");
DX_RESOURCESTRING(SResNotFound, 64536, "Resource %s not found");

// The run-time library's messages of a bad format string.
DX_RESOURCESTRING(SInvalidFormat, 0, "Format '%s' invalid or incompatible with argument");
DX_RESOURCESTRING(SArgumentMissing, 0, "No argument for format '%s'");

// Enters this library's resource strings; table lookups call it once by themselves.
void RegisterClassesResourceStrings();
