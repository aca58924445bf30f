// The translation library's in-memory INI file read from any bytes. Its own
// text read back must hold the same lines; equal keys come back in reverse
// order (the newest is written first and read as the oldest), so a second
// round trip must give the text exactly. A difference is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "i18n/MemIni.h"
#include "platform/classes/streams.h"
#include "platform/classes/strings.h"

namespace {

std::vector<std::string> Text(TsiMemIniFile& ini) {
  TStringList lines;
  ini.GetStrings(&lines);
  return lines.ToStringArray();
}

void ReadBack(TsiMemIniFile& from, TsiMemIniFile& to) {
  TStringList lines;
  from.GetStrings(&lines);
  to.SetStrings(&lines);
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TsiMemIniFile ini("");
  TMemoryStream ms;
  if (size) ms.WriteBuffer(data, int64_t(size));
  ms.SetPosition(0);
  ini.LoadFromStream(ms);

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  const std::vector<std::string> text = Text(ini);
  TsiMemIniFile once(""), twice("");
  ReadBack(ini, once);
  if (Sorted(Text(once)) != Sorted(text)) __builtin_trap();
  ReadBack(once, twice);
  if (Text(twice) != text) __builtin_trap();
  return 0;
}
