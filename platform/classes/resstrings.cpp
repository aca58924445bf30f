#include "platform/classes/resstrings.h"

#include <atomic>
#include <map>
#include <mutex>
#include <shared_mutex>

namespace {

struct Table {
  std::shared_mutex lock;
  std::map<uint32_t, PResStringRec> entries;
};

Table& TheTable() {
  static Table t;
  return t;
}

// Registration takes the lock itself, so it runs before any lookup takes it.
void EnsureRegistered() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterClassesResourceStrings(); });
}

std::atomic<TResStringLoader> theLoader{nullptr};

}  // namespace

void RegisterResourceStrings(std::initializer_list<PResStringRec> records) {
  Table& t = TheTable();
  std::unique_lock g(t.lock);
  for (PResStringRec rec : records) {
    if (!rec || rec->Identifier == 0) continue;
    auto [it, inserted] = t.entries.emplace(rec->Identifier, rec);
    if (!inserted && it->second != rec)
      throw EInvalidOperation("Resource string number " + std::to_string(rec->Identifier) + " of " +
                              (rec->Name ? rec->Name : "?") + " is taken by " +
                              (it->second->Name ? it->second->Name : "?"));
  }
}

PResStringRec FindResStringRec(uint32_t identifier) {
  EnsureRegistered();
  Table& t = TheTable();
  std::shared_lock g(t.lock);
  auto it = t.entries.find(identifier);
  return it == t.entries.end() ? nullptr : it->second;
}

bool LoadStringFromTable(uint32_t identifier, std::string& text) {
  PResStringRec rec = FindResStringRec(identifier);
  if (!rec) return false;
  text = rec->Text ? rec->Text : "";
  return true;
}

std::vector<PResStringRec> RegisteredResourceStrings() {
  EnsureRegistered();
  Table& t = TheTable();
  std::shared_lock g(t.lock);
  std::vector<PResStringRec> list;
  for (const auto& [id, rec] : t.entries) list.push_back(rec);
  return list;
}

TResStringLoader SetResStringLoader(TResStringLoader loader) { return theLoader.exchange(loader); }

TResStringLoader GetResStringLoader() {
  TResStringLoader l = theLoader.load();
  return l ? l : &DefaultLoadResString;
}

std::string DefaultLoadResString(PResStringRec rec) {
  if (!rec) return {};
  std::string text;
  if (rec->Identifier != 0 && LoadStringFromTable(rec->Identifier, text)) return text;
  return rec->Text ? rec->Text : "";
}

std::string LoadResString(PResStringRec rec) { return GetResStringLoader()(rec); }

std::string LoadStr(int32_t identifier) {
  if (identifier <= 0) return {};
  // A number outside the table still goes through the loader, which may know it.
  PResStringRec known = FindResStringRec(static_cast<uint32_t>(identifier));
  if (known) return LoadResString(known);
  const TResStringRec bare{static_cast<uint32_t>(identifier), nullptr, nullptr};
  return LoadResString(&bare);
}

void RegisterClassesResourceStrings() {
  RegisterResourceStrings({&SMsgDlgWarning, &SMsgDlgError, &SMsgDlgInformation, &SMsgDlgConfirm, &SMsgDlgYes,
                           &SMsgDlgNo, &SMsgDlgOK, &SMsgDlgCancel, &SMsgDlgAbort, &SMsgDlgRetry, &SMsgDlgIgnore,
                           &SMsgDlgAll, &SMsgDlgNoToAll, &SMsgDlgYesToAll, &SMsgDlgHelp, &SInvalidPropertyValue,
                           &SUnknownProperty, &SClassNotFound, &SInvalidPropertyPath, &SMethodNotFound,
                           &SUnresolvedReference, &SAncestorNotFound, &SPropertyException, &SResNotFound});
}
