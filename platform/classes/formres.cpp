#include "platform/classes/formres.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <shared_mutex>
#include <vector>

#include "platform/classes/resstrings.h"
#include "platform/rtl/sysutils.h"

namespace {

struct Resources {
  std::shared_mutex lock;
  std::map<std::string, std::string_view> byClass;  // lower-case class name
};

Resources& TheResources() {
  static Resources r;
  return r;
}

std::string Key(std::string_view name) {
  std::string k(name);
  for (char& c : k)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return k;
}

}  // namespace

void RegisterFormResource(std::string_view className, std::string_view description) {
  Resources& r = TheResources();
  std::unique_lock g(r.lock);
  r.byClass[Key(className)] = description;
}

void UnregisterFormResource(std::string_view className) {
  Resources& r = TheResources();
  std::unique_lock g(r.lock);
  r.byClass.erase(Key(className));
}

std::optional<std::string_view> FindFormResource(std::string_view className) {
  Resources& r = TheResources();
  std::shared_lock g(r.lock);
  auto it = r.byClass.find(Key(className));
  if (it == r.byClass.end()) return std::nullopt;
  return it->second;
}

bool InitInheritedComponent(TComponent* instance, TClass rootAncestor) {
  std::vector<std::string_view> levels;
  for (TClass c = instance->ClassType(); c && c != rootAncestor && c != TComponent::StaticClass(); c = c->Parent)
    if (auto d = FindFormResource(c->Name)) levels.push_back(*d);
  if (levels.empty()) return false;
  std::reverse(levels.begin(), levels.end());
  ReadInheritedComponent(levels, instance);
  return true;
}

TComponent* ReadComponentRes(std::string_view resName, TComponent* instance) {
  auto d = FindFormResource(resName);
  if (!d) throw EResNotFound(Format(LoadResString(SResNotFound), resName));
  return ReadComponentText(*d, instance);
}

TComponent* ReadComponentResFile(const std::string& fileName, TComponent* instance) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  std::string text(static_cast<size_t>(f.Size()), '\0');
  if (!text.empty()) f.ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
  return ReadComponentText(text, instance);
}

void WriteComponentResFile(const std::string& fileName, TComponent* instance) {
  std::string text = WriteComponentText(instance);
  WriteFileAtomically(fileName, text.data(), text.size());
}
