// A list view's "Items" property comes from a form file that anything may
// have written: counts, class names and caption lengths must be checked
// against the bytes left, and what was read must stay a consistent model.
// The first byte picks the collection: groups (with their items), the items
// of one group, or the header's columns.
#include <cstddef>
#include <cstdint>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"
#include "shell/LvListview.h"
#include "shell/ShellLibraries.h"
#include "tests/shell/lv_test_owner.h"

namespace {

void RegisterModelClasses() {
  static const bool done = [] {
    RegisterListviewClasses();
    return true;
  }();
  (void)done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RegisterModelClasses();
  if (size < 1) return 0;
  TLvTestOwner owner;
  TLvCollection* target = &owner.groups;
  if (data[0] % 3 == 1) target = static_cast<TLvGroup*>(owner.groups.Add(nullptr))->Items();
  if (data[0] % 3 == 2) target = &owner.header.Columns();
  TMemoryStream stream;
  if (size > 1) stream.WriteBuffer(data + 1, int64_t(size - 1));
  stream.SetPosition(0);
  try {
    target->ReadItems(&stream);
  } catch (const Exception&) {
    // A failed read keeps the elements read so far.
  }
  for (int32_t i = 0; i < target->Count(); ++i)
    if (target->Items(i)->Index() != i) __builtin_trap();
  // What was read writes back and reads again to as many elements.
  const int32_t count = target->Count();
  TMemoryStream again;
  target->WriteItems(&again);
  again.SetPosition(0);
  target->ReadItems(&again);
  if (target->Count() != count || again.Position() != again.Size()) __builtin_trap();
  return 0;
}
