#include "platform/rtl/object.h"

#include <algorithm>
#include <mutex>

#include "platform/rtl/exceptions.h"

namespace {

bool SameAsciiText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

struct Registry {
  std::mutex lock;
  std::vector<TClass> classes;
};

Registry& TheRegistry() {
  static Registry r;
  return r;
}

}  // namespace

void RegisterClass(TClass c) {
  if (!c) return;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> g(r.lock);
  for (TClass k : r.classes)
    if (k == c || SameAsciiText(k->Name, c->Name)) return;
  r.classes.push_back(c);
}

void UnRegisterClass(TClass c) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> g(r.lock);
  r.classes.erase(std::remove(r.classes.begin(), r.classes.end(), c), r.classes.end());
}

TClass GetClass(std::string_view name) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> g(r.lock);
  for (TClass k : r.classes)
    if (SameAsciiText(k->Name, name)) return k;
  return nullptr;
}

TClass FindClass(std::string_view name) {
  if (TClass c = GetClass(name)) return c;
  throw EClassNotFound("Class " + std::string(name) + " not found");
}

std::vector<TClass> RegisteredClasses() {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> g(r.lock);
  return r.classes;
}

void Abort() { throw EAbort("Operation aborted"); }
