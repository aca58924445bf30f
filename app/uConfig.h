// The viewer's settings: four values in "DuplexionConfig.ini", section
// "Default", in the user's application-data folder under "Tallowmere
// Duplexion". One instance, read on first use and written once, at the end.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/core/ieblend.h"
#include "platform/classes/persistent.h"

class TConfig : public TPersistent {
  DX_CLASS(TConfig, TPersistent)
public:
  // Computes the folder and file name and creates the folder (a failure shows
  // only when saving). The folder goes in $XDG_CONFIG_HOME, else in
  // $HOME/.config; when neither can be used the settings live in memory only:
  // folder and file name stay empty, Load and Save do nothing, and one line on
  // stderr says so.
  TConfig();

  // Reads the four keys; a missing or unreadable file or key gives the default.
  void Load();
  // Creates the folder again when missing and writes the four keys, keeping
  // whatever else the file holds; the file is replaced atomically. Raises the
  // framework's file errors when it cannot be written.
  void Save();

  const std::string& FileName() const { return fileName_; }
  const std::string& Folder() const { return folder_; }

  // True once the user ticked "Do not show again" in the full-screen information box.
  bool ShowFullScreenInfo() const { return showFullScreenInfo_; }
  void SetShowFullScreenInfo(bool v) { showFullScreenInfo_ = v; }
  // Load pictures at screen resolution.
  bool FastMode() const { return fastMode_; }
  void SetFastMode(bool v) { fastMode_ = v; }
  // The view mode: a layer operation (TIELayerOperation) of the stereo combiner.
  int32_t ViewMode() const { return viewMode_; }
  void SetViewMode(int32_t v) { viewMode_ = v; }
  // Smooth zoom filter.
  bool AntiAlias() const { return antiAlias_; }
  void SetAntiAlias(bool v) { antiAlias_ = v; }

private:
  std::string fileName_;
  std::string folder_;
  bool showFullScreenInfo_ = false;
  bool fastMode_ = true;
  int32_t viewMode_ = ieloAnaglyphColor;
  bool antiAlias_ = true;
};

// The instance; the first call creates it and reads the file.
TConfig* GetConfig();
// The unit's shut-down: when the instance exists, saves it (errors propagate),
// frees it and forgets it. The program's end calls it.
void UConfigFinalize();
