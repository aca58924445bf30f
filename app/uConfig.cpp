#include "app/uConfig.h"

#include <memory>

#include "app/DUtil.h"
#include "platform/classes/inifiles.h"
#include "platform/rtl/sysutils.h"

namespace {

const char* const kSection = "Default";
std::unique_ptr<TConfig> gConfig;

}  // namespace

TConfig::TConfig() {
  folder_ = GetAppDataDir() + "Tallowmere Duplexion";
  fileName_ = IncludeTrailingPathDelimiter(folder_) + "DuplexionConfig.ini";
  ForceDirectories(folder_);
}

void TConfig::Load() {
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
