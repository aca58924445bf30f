// The registry's file: whatever it holds is read back through every listing and
// value kind below the top key, and a text value written into it must read back
// as it was; a difference is a finding. Names the file cannot hold are refused
// with EIniFileException, which is expected.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "platform/classes/registry.h"
#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"

namespace fs = std::filesystem;

namespace {

fs::path gFolder;  // the scratch folder, removed at exit

void ReadKey(TRegistryIniFile& reg, const std::string& key, int depth) {
  TStringList names;
  reg.ReadSectionValues(key, &names);
  for (int32_t i = 0; i < names.Count() && i < 32; ++i) {
    const std::string name = names.Names(i);
    try {
      reg.ReadInteger(key, name, 0);
      TMemoryStream bytes;
      reg.ReadBinaryStream(key, name, &bytes);
    } catch (const EIniFileException&) {
    }
  }
  if (depth == 0) return;
  TRegistryIniFile below("\\" + key);
  TStringList keys;
  below.ReadSections(&keys);
  for (int32_t i = 0; i < keys.Count() && i < 8; ++i) ReadKey(reg, key + "\\" + keys.Strings(i), depth - 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::random_device rd;
  gFolder = fs::temp_directory_path() / ("duplexion-regfuzz-" + std::to_string(rd()));
  fs::create_directories(gFolder);
  SetRegistryFileName((gFolder / "registry").string());
  std::atexit([] {
    std::error_code ec;
    fs::remove_all(gFolder, ec);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 16)) return 0;
  {
    std::ofstream out(RegistryFileName(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  }
  TRegistryIniFile top("\\");
  TStringList keys;
  top.ReadSections(&keys);
  for (int32_t i = 0; i < keys.Count() && i < 8; ++i) {
    try {
      ReadKey(top, keys.Strings(i), 2);
    } catch (const EIniFileException&) {
    }
  }
  // The input's first line, as text of a value, survives the file.
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::string text(all.substr(0, std::min<size_t>(all.size(), 64)));
  TRegistryIniFile reg("Fuzz");
  reg.WriteString("Key", "Value", text);
  if (TRegistryIniFile("Fuzz").ReadString("Key", "Value", "?") != text) __builtin_trap();
  return 0;
}
