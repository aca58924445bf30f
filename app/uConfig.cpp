#include "app/uConfig.h"

#include <cstdio>
#include <memory>

#include "platform/classes/inifiles.h"
#include "platform/rtl/sysutils.h"
#include "platform/shell/shell.h"

namespace {

const char* const kSection = "Default";
std::unique_ptr<TConfig> gConfig;

// The application-data folder the settings folder goes in, without a trailing
// delimiter: $XDG_CONFIG_HOME, else $HOME/.config. Empty when neither can be
// used; `refused` then names what was tried. Only an absolute path is ever
// returned, so the settings never land in the working folder.
std::string SettingsBase(std::string& refused) {
  const std::string home = UserHomeDir();
  const std::string fallback = home + "/.config";
  const std::string xdg = XdgConfigHome();
  auto usable = [](const std::string& dir) {
    return !dir.empty() && dir.front() == '/' && (DirectoryExists(dir) || ForceDirectories(dir));
  };
  if (xdg != fallback) {  // set by the user
    if (usable(xdg)) return xdg;
    refused = xdg + " or ";
  }
  // A missing home is not made: that would invent the user's account folder.
  if (!home.empty() && home.front() == '/' && DirectoryExists(home) && usable(fallback)) return fallback;
  refused += home.empty() ? std::string("~/.config") : fallback;
  return {};
}

}  // namespace

TConfig::TConfig() {
  std::string refused;
  const std::string base = SettingsBase(refused);
  if (base.empty()) {
    std::fprintf(stderr,
                 "Duplexion: no usable folder for the settings (%s); they are kept for this session only and not "
                 "saved\n",
                 refused.c_str());
    return;
  }
  folder_ = IncludeTrailingPathDelimiter(base) + "Tallowmere Duplexion";
  fileName_ = IncludeTrailingPathDelimiter(folder_) + "DuplexionConfig.ini";
  ForceDirectories(folder_);
}

void TConfig::Load() {
  if (fileName_.empty()) return;
  try {
    TMemIniFile ini(fileName_);
    showFullScreenInfo_ = ini.ReadBool(kSection, "FullScreenInfo", false);
    fastMode_ = ini.ReadBool(kSection, "FastMode", true);
    viewMode_ = ini.ReadInteger(kSection, "ViewMode", ieloAnaglyphColor);
    antiAlias_ = ini.ReadBool(kSection, "Antialias", true);
  } catch (const EStreamError&) {
    // An unreadable file reads as a missing one: the defaults stand, and Save reports the problem.
  }
}

void TConfig::Save() {
  if (fileName_.empty()) return;
  ForceDirectories(folder_);
  TMemIniFile ini(fileName_);
  ini.WriteBool(kSection, "FullScreenInfo", showFullScreenInfo_);
  ini.WriteBool(kSection, "FastMode", fastMode_);
  ini.WriteInteger(kSection, "ViewMode", viewMode_);
  ini.WriteBool(kSection, "Antialias", antiAlias_);
  ini.UpdateFile();
}

TConfig* GetConfig() {
  if (!gConfig) {
    auto config = std::make_unique<TConfig>();
    config->Load();
    gConfig = std::move(config);
  }
  return gConfig.get();
}

void UConfigFinalize() {
  if (!gConfig) return;
  // Freed and forgotten also when saving fails, so that a second call does not write again.
  std::unique_ptr<TConfig> config = std::move(gConfig);
  config->Save();
}
