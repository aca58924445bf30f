// The translation library's in-memory INI file read from any bytes. Its own
// text read back must give the same sections, keys and values; a difference
// is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "i18n/MemIni.h"
#include "platform/classes/streams.h"
#include "platform/classes/strings.h"

namespace {

std::string Text(TsiMemIniFile& ini) {
  TStringList lines;
  ini.GetStrings(&lines);
  std::string out;
  for (int32_t i = 0; i < lines.Count(); ++i) out += lines.Strings(i) + "\n";
  return out;
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

  const std::string text = Text(ini);
  TStringList lines;
  ini.GetStrings(&lines);
  TsiMemIniFile back("");
  back.SetStrings(&lines);
  if (Text(back) != text) __builtin_trap();
  return 0;
}
