// Text files through the string list: byte-order marks, UTF-16 of both byte
// orders, UTF-8 and the Windows-1252 fallback. What was read must come back
// line for line when saved with a mark and read again, and through the
// comma-separated form; a difference is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/classes/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Text a person or a program writes: past 64 KiB size only slows the sanitizers down.
  if (size > (1 << 16)) return 0;
  TBytesStream in(std::vector<uint8_t>(data, data + size));
  TStringList list;
  list.LoadFromStream(in);

  TMemoryStream saved;
  list.SetWriteBOM(true);
  list.SaveToStream(saved);
  saved.SetPosition(0);
  TStringList again;
  again.LoadFromStream(saved);
  if (again.ToStringArray() != list.ToStringArray()) __builtin_trap();

  TStringList comma;
  comma.SetCommaText(list.CommaText());
  if (comma.ToStringArray() != list.ToStringArray()) __builtin_trap();

  // Name=value access over whatever the lines hold.
  for (int32_t i = 0; i < list.Count() && i < 64; ++i) list.Values(list.Names(i));
  return 0;
}
