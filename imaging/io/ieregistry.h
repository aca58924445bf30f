// The file-format registry: one ordered list of the formats the library knows,
// each with its id, name, extensions and read/write/content procedures.
//
// The library's own formats are dispatched by id inside TVovidErIO; their
// entries only say whether the format can be read or written. A program adds
// formats of its own with IEFileFormatAdd; the component then calls the
// entry's procedures. Lookups return the first match in list order.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TStream;
class TIEBitmap;
class TIOParamsVals;
struct TIEProgressRecord;

// File-type ids of the built-in formats.
enum : int32_t {
  ioUnknown = 0,
  ioTIFF = 1,
  ioGIF = 2,
  ioJPEG = 3,
  ioPCX = 4,
  ioBMP = 5,
  ioICO = 6,
  ioCUR = 7,
  ioPNG = 8,
  ioWMF = 9,
  ioEMF = 10,
  ioTGA = 11,
  ioPXM = 12,
  ioJP2 = 13,
  ioJ2K = 14,
  ioAVI = 15,
  ioWBMP = 16,
  ioPS = 17,
  ioPDF = 18,
  ioDCX = 19,
  ioRAW = 20,
  ioBMPRAW = 21,
  ioWMV = 22,
  ioMPEG = 23,
  ioPSD = 24,
  ioIEV = 25,
  ioLYR = 26,
  ioALL = 27,
  ioDICOM = 28,
  ioHDP = 29,
};

// Pages of the save-parameter preview dialog (bit values of PreviewPages).
enum : uint16_t {
  ppJPEG = 4,
  ppTIFF = 8,
  ppGIF = 16,
  ppBMP = 32,
  ppPCX = 64,
  ppPNG = 128,
  ppTGA = 256,
  ppJ2000 = 512,
};

// Reads the stream at its position into the bitmap and the record; with
// preview set only the record. Reports failure through progress's abort flag.
using TIEReadStreamProc =
    std::function<void(TStream& stream, TIEBitmap& bitmap, TIOParamsVals& params, bool preview, TIEProgressRecord& progress)>;
using TIEWriteStreamProc =
    std::function<void(TStream& stream, TIEBitmap& bitmap, TIOParamsVals& params, TIEProgressRecord& progress)>;
// True when the stream's content at its position is of this format.
using TIEContentTestProc = std::function<bool(TStream& stream, int32_t fileType)>;

class TIEFileFormatInfo {
public:
  int32_t FileType = 0;
  std::string FormatName;
  std::string ExtensionList;  // upper case, no dots, ";"-separated
  bool IsBuiltIn = false;
  uint16_t PreviewPages = 0;
  TIEReadStreamProc StreamReader;   // empty: cannot be read
  TIEWriteStreamProc StreamWriter;  // empty: cannot be written
  TIEContentTestProc ContentTest;   // empty: no test

  // Built-in entries carry placeholders; these say what the format can do.
  bool CanRead() const { return canRead_ || static_cast<bool>(StreamReader); }
  bool CanWrite() const { return canWrite_ || static_cast<bool>(StreamWriter); }
  void SetCapabilities(bool canRead, bool canWrite) {
    canRead_ = canRead;
    canWrite_ = canWrite;
  }

private:
  bool canRead_ = false;
  bool canWrite_ = false;
};

// First entry with that id, or null.
TIEFileFormatInfo* IEFileFormatFindById(int32_t fileType);
// Non-empty extensions of the entry with that id, up to the first empty one.
int32_t IEFileFormatExtCount(int32_t fileType);
// Extension number index (from 0) of that entry, as listed; empty when none.
std::string IEFileFormatGetExt(int32_t fileType, int32_t index);
// Case-insensitive, one leading "." ignored; empty text and "." match nothing.
TIEFileFormatInfo* IEFileFormatFindByExt(std::string_view ext);
int32_t IEFileTypeOfExt(std::string_view ext);
// Appends the entry (the registry owns it, creating the list if absent); returns its index.
int32_t IEFileFormatAdd(std::unique_ptr<TIEFileFormatInfo> info);
// Removes and frees the first entry with that id; nothing when there is none.
void IEFileFormatRemove(int32_t fileType);
// Creates the list and appends the built-in entries.
void IERegisterBuiltinFormats();
// Frees every entry and the list.
void IEFileFormatsFree();
// Number of entries (0 when the registry is absent) and entry by position.
int32_t IEFileFormatCount();
TIEFileFormatInfo* IEFileFormatAt(int32_t index);
// The readers of the library's own formats live in a unit above this one;
// each installs its reader here (an empty procedure removes it). The component
// dispatches a built-in id to it, and a load of a built-in format without one
// fails with the abort flag.
void IESetBuiltinReader(int32_t fileType, TIEReadStreamProc reader);
TIEReadStreamProc IEGetBuiltinReader(int32_t fileType);
// Whether the Windows Imaging Component can be used: never on this platform.
bool IEWICAvailable();
