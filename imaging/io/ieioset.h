// The I/O unit's start-up and shut-down, its library-wide settings, and the
// two settings objects each component owns for acquisition and printing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Origin flag of the buffered read streams of the parameter readers.
extern bool IEBufferedStreamRelative;
// Largest side, in pixels, of an imported metafile.
extern int32_t IEMaxMetafileSize;

// Library-init and library-fini routines of this unit (the sixth in start-up order).
void IEIOInitialize();
void IEIOFinalize();
// Binds those routines to their slot of the library start-up.
void IEIOBindLibrary();

// The image formats sit above this unit, so they cannot be called from here:
// they fill this slot with the routines that install their codec procedures,
// content tests and built-in readers, and remove them; the init and fini
// routines above call them at their place in the order and raise
// EIESlotNotInstalled (ieinit.h) when the slot is empty.
struct TIEIOFormatsUnit {
  std::function<void()> Install;
  std::function<void()> Remove;
};
extern TIEIOFormatsUnit IEIOFormatsUnit;

// Settings of TWAIN acquisition; nothing in this system acquires, so the values
// are kept only to be there with their defaults.
struct TIETwainValues {
  bool VisibleDialog = true;
  bool ShowSettingsOnly = false;
  int32_t PixelType = 0;
  bool AutoFeed = false;
  bool AcquireFrameEnabled = false;
  double Gamma = 2.2;
  int32_t BufferedTransfer = -2;
  bool DuplexEnabled = false;
  double XResolution = -1.0;
  double YResolution = -1.0;
  bool UseMemoryTransfer = false;
  int32_t Orientation = 1;
  bool ProgressIndicators = true;
  bool FeederEnabled = true;
  bool AutoScan = false;
  bool Compression = false;
  std::string SelectedSource;
  std::string Manufacturer;
  std::string ProductFamily;
  std::string ProductName;
  int32_t Language = 0;
  std::string Version;
};

class TIETwainParams : public TIETwainValues {
public:
  TIETwainParams() { SetDefaults(); }
  ~TIETwainParams() { SetDefaults(); }
  void SetDefaults() { static_cast<TIETwainValues&>(*this) = TIETwainValues{}; }
};

// Settings of the print preview; nothing in this system prints.
class TIOPrintPreviewParams {
public:
  double MarginTop = 1.0;
  double MarginLeft = 1.0;
  double MarginRight = 1.0;
  double MarginBottom = 1.0;
  uint8_t Position = 4;
  uint8_t Size = 1;
  double Width = -1.0;
  double Height = -1.0;
  double Gamma = 1.0;
  bool PrintThumbnails = false;
  int32_t ThumbnailColumns = 4;
  int32_t ThumbnailRows = 5;
  double ThumbnailSpacing = 0.1;
  bool ThumbnailShowText = true;
  bool ThumbnailStyle = true;
};
