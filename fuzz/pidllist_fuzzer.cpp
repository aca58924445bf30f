// A stored PIDL list comes from a file that anything may have written: sizes
// and counts must be checked against the bytes left, and every list kept
// must end inside its block.
#include <cstddef>
#include <cstdint>

#include "platform/classes/streams.h"
#include "platform/rtl/taskmem.h"
#include "shell/ShCommonObjects.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream stream;
  if (size) stream.WriteBuffer(data, int64_t(size));
  stream.SetPosition(0);
  TCommonPIDLList list;
  list.LoadFromStream(&stream);
  for (int32_t i = 0; i < list.Count(); ++i) {
    const uint8_t* p = list.PIDLs(i);
    if (p && PIDLSizeWithin(p, TaskMemBytesFrom(p)) == 0) __builtin_trap();
  }
  // What was read writes back and reads again to as many entries.
  TMemoryStream again;
  if (!list.SaveToStream(&again)) __builtin_trap();
  again.SetPosition(0);
  TCommonPIDLList back;
  if (!back.LoadFromStream(&again) || back.Count() != list.Count()) __builtin_trap();
  return 0;
}
