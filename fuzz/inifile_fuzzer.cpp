// INI text: parsed from a string and read back through every listing, then the
// same bytes as a file with its encoding detected, and as the viewer's
// settings file loaded, saved and loaded again. The text the INI writes must
// parse to itself, and saved settings must read back as they were; a
// difference is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "app/uConfig.h"
#include "platform/classes/inifiles.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"

namespace fs = std::filesystem;

namespace {

fs::path gHome;  // the scratch configuration folder, removed at exit

void WriteFile(const fs::path& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

void ReadEverything(TMemIniFile& ini) {
  TStringList sections, values;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count() && i < 32; ++i) {
    const std::string section = sections.Strings(i);
    ini.ReadSectionValues(section, &values);
    for (int32_t k = 0; k < values.Count() && k < 32; ++k) {
      const std::string name = values.Names(k);
      ini.ReadInteger(section, name, 0);
      ini.ReadBool(section, name, false);
      ini.ReadFloat(section, name, 0.0);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::random_device rd;
  gHome = fs::temp_directory_path() / ("duplexion-inifuzz-" + std::to_string(rd()));
  fs::create_directories(gHome);
  setenv("XDG_CONFIG_HOME", gHome.c_str(), 1);
  std::atexit([] {
    std::error_code ec;
    fs::remove_all(gHome, ec);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Text a person or a program writes: past 64 KiB size only slows the sanitizers down.
  if (size > (1 << 16)) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  {
    TMemIniFile ini("");
    ini.SetText(text);
    ReadEverything(ini);
    const std::string written = ini.Text();
    TMemIniFile back("");
    back.SetText(written);
    if (back.Text() != written) __builtin_trap();
    TStringList lines;
    ini.GetStrings(&lines);
    back.SetStrings(&lines);
  }

  const fs::path file = gHome / "fuzz.ini";
  WriteFile(file, data, size);
  for (uint32_t codePage : {CP_UTF8, uint32_t(1252)}) {
    TMemIniFile ini(file.string(), codePage);
    ReadEverything(ini);
  }

  // The settings: whatever the file holds, what Save writes Load reads.
  TConfig config;
  fs::create_directories(config.Folder());
  WriteFile(config.FileName(), data, size);
  config.Load();
  config.Save();
  TConfig reread;
  reread.Load();
  if (reread.ShowFullScreenInfo() != config.ShowFullScreenInfo() || reread.FastMode() != config.FastMode() ||
      reread.ViewMode() != config.ViewMode() || reread.AntiAlias() != config.AntiAlias())
    __builtin_trap();
  return 0;
}
