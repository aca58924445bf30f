// TIFF-style image file directories (IFDs) read out of JPEG application
// segments: the MP index and attribute IFDs of the Multi-Picture Format, the
// IFD0 and Exif IFD of an Exif block, and the Fujifilm and Canon maker notes.
//
// Vocabulary: an entry is one 12-byte IFD record (tag, type, count, value or
// offset); its value lies in the record itself when it fits in 4 bytes, else
// out of line at base + offset, where base is the position of the TIFF header
// (or, for Fujifilm maker notes, of the maker note) that the offsets count from.
// Entries keep their 12 bytes as stored; every getter converts what it uses
// from the list's byte order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/classes/lists.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/types.h"

class TIEBoundedReader;
class TStream;
class TStrings;

// The one exception class of the MPO parser and its tag lists.
DX_EXCEPTION(EMPOFormatException, Exception);

// TIFF data types.
enum : uint16_t {
  ttByte = 1, ttAscii = 2, ttShort = 3, ttLong = 4, ttRational = 5, ttSByte = 6,
  ttUndefined = 7, ttSShort = 8, ttSLong = 9, ttSRational = 10, ttFloat = 11, ttDouble = 12
};

// Bytes per value of a data type; 0 for a type this reader does not know.
uint32_t TiffDataTypeSize(uint16_t dataType);

struct TRationalValue {
  uint32_t Numerator = 0;
  uint32_t Denominator = 0;
};
struct TSRationalValue {
  int32_t Numerator = 0;
  int32_t Denominator = 0;
};
struct TCountAndOffset {
  uint32_t Count = 0;
  uint32_t Offset = 0;
};

// One IFD entry. Tag, DataType, Count and ValueOrOffset are the stored fields
// (the 16- and 32-bit ones as little-endian readings of the file's bytes); the
// owning list's FixWord/FixLong turn them into numbers.
class TTiffTagEx : public TObject {
  DX_CLASS(TTiffTagEx, TObject)
public:
  uint16_t Tag = 0;
  uint16_t DataType = 0;
  uint32_t Count = 0;
  uint8_t ValueOrOffset[4] = {0, 0, 0, 0};
  // Out-of-line data, present only when DataSize exceeds 4.
  std::vector<uint8_t> Data;
  uint32_t DataSize = 0;
};

class TTiffTagList : public TObjectListOf<TTiffTagEx> {
  DX_CLASS(TTiffTagList, TObjectList)
public:
  TTiffTagList() = default;

  // Set by the owner before ReadIFD; the list never sets it itself.
  bool BigEndian() const { return bigEndian_; }
  void SetBigEndian(bool v) { bigEndian_ = v; }

  // Reads the IFD at the stream's position; offsets count from base. More
  // than 4096 entries read as an empty list (the stream is left after the
  // count). A short stream raises EReadError, keeping the entries read so far.
  // budget is what the caller still allows to be taken from the file (12 per
  // entry plus the out-of-line bytes); past it EMPOFormatException is raised.
  // Without one, the budget is the stream's size.
  void ReadIFD(TStream& stream, int64_t base);
  void ReadIFD(TStream& stream, int64_t base, int64_t& budget);
  // The same at the reader's cursor, which is left after the last byte read.
  void ReadIFD(TIEBoundedReader& reader, int64_t base, int64_t& budget);

  TTiffTagEx* FindTag(uint16_t tag) const;
  bool HasTag(uint16_t tag) const { return FindTag(tag) != nullptr; }

  // Each raises EMPOFormatException "Tag %x does not exist" for a missing tag
  // and a "wrong datatype" text for a type it cannot give.
  AnsiString GetString(uint16_t tag) const;                 // ASCII, UNDEFINED
  TCountAndOffset GetCountAndOffset(uint16_t tag) const;   // any type
  double GetFloat(uint16_t tag) const;                      // RATIONAL, SRATIONAL, FLOAT, DOUBLE
  int32_t GetInteger(uint16_t tag) const;                   // BYTE, SHORT, LONG
  int32_t GetIntegerAt(uint16_t tag, int32_t index) const;  // BYTE, SHORT, LONG arrays
  TRationalValue GetRational(uint16_t tag) const;
  TSRationalValue GetSRational(uint16_t tag) const;
  // Display text of the value (UTF-8). An array lists the elements the entry
  // holds: all of them, unless its block was never read.
  std::string GetValueText(uint16_t tag) const;

  uint32_t GetNextIFDOffset() const { return FixLong(nextIFDOffset_); }
  uint16_t FixWord(uint16_t value) const;
  uint32_t FixLong(uint32_t value) const;

  // One line per entry: the tag in decimal, "=", the value text. The
  // descendants give known tags a label; they raise what their getters raise.
  virtual void DumpToStrings(TStrings* strings) const;

protected:
  TTiffTagEx* RequireTag(uint16_t tag) const;
  // Element i of an entry by the rules of its type; 0 for an element that
  // lies beyond the entry's data.
  uint32_t ElementU8(const TTiffTagEx& e, int32_t i) const;
  uint32_t ElementU16(const TTiffTagEx& e, int32_t i) const;
  uint32_t ElementU32(const TTiffTagEx& e, int32_t i) const;
  int32_t ElementS32(const TTiffTagEx& e, int32_t i) const;
  double ElementDouble(const TTiffTagEx& e, int32_t i) const;

private:
  bool bigEndian_ = false;
  uint32_t nextIFDOffset_ = 0;
};

// MP index IFD and MP attribute IFDs.
class TMPOTiffTagList : public TTiffTagList {
  DX_CLASS(TMPOTiffTagList, TTiffTagList)
public:
  AnsiString GetMPFVersion() const { return GetString(0xB000); }
  int32_t GetNumberOfImages() const { return GetInteger(0xB001); }
  TCountAndOffset GetMPEntry() const { return GetCountAndOffset(0xB002); }
};

// IFD0 of an Exif block.
class TExifTiffTagList : public TTiffTagList {
  DX_CLASS(TExifTiffTagList, TTiffTagList)
public:
  TCountAndOffset GetExifIFD() const { return GetCountAndOffset(0x8769); }
  bool HasExifIFD() const { return HasTag(0x8769); }
  // Empty text when the tag is missing.
  std::string GetMake() const;
  std::string GetModel() const;
  void DumpToStrings(TStrings* strings) const override;
};

// The Exif IFD.
class TExifAttributesList : public TTiffTagList {
  DX_CLASS(TExifAttributesList, TTiffTagList)
public:
  std::string GetExifVersion() const;
  TCountAndOffset GetMakerNote() const { return GetCountAndOffset(0x927C); }
  bool HasMakerNote() const { return HasTag(0x927C); }
  void DumpToStrings(TStrings* strings) const override;
};

// Fujifilm maker notes: always little-endian, offsets from the maker note's start.
class TFujiMakerNotes : public TTiffTagList {
  DX_CLASS(TFujiMakerNotes, TTiffTagList)
public:
  int32_t GetSharpness() const { return GetInteger(0x1001); }
  int32_t GetWhiteBalance() const { return GetInteger(0x1002); }
  int32_t GetColorSaturation() const { return GetInteger(0x1003); }
  int32_t GetToneContrast() const { return GetInteger(0x1004); }
  int32_t GetFlashMode() const { return GetInteger(0x1010); }
  double GetFlashStrength() const { return GetFloat(0x1011); }
  bool GetMacro() const { return GetInteger(0x1020) != 0; }
  int32_t GetFocusMode() const { return GetInteger(0x1021); }
  int32_t Get2DAFMode() const { return GetInteger(0x1022); }
  TPoint GetFocusPixel() const { return {GetIntegerAt(0x1023, 0), GetIntegerAt(0x1023, 1)}; }
  bool GetSlowSync() const { return GetInteger(0x1030) != 0; }
  int32_t GetPictureMode() const { return GetInteger(0x1031); }
  int32_t GetEXR() const { return GetInteger(0x1033); }
  int32_t GetEXRMode() const { return GetInteger(0x1034); }
  bool GetContinuousMode() const { return GetInteger(0x1100) != 0; }
  int32_t GetSequenceNumber() const { return GetInteger(0x1101); }
  int32_t GetColorMode() const { return GetInteger(0x1210); }
  bool GetBlurWarning() const { return GetInteger(0x1300) != 0; }
  int32_t GetFocusWarning() const { return GetInteger(0x1301); }
  int32_t GetAutoExposureWarning() const { return GetInteger(0x1302); }
  int32_t GetDynamicRange() const { return GetInteger(0x1400); }
  int32_t GetFacesDetected() const { return GetInteger(0x4100); }
  // Face i is elements 4i to 4i+3 (left, top, right, bottom); elements past
  // the tag's data read as 0, so any i is safe.
  TRect GetFacePosition(int32_t i) const;
  TRect GetFocusedFace() const;
  // Horizontal and vertical parallax of a stereo pair, percent of the width.
  TSRationalValue GetParallax() const { return GetSRational(0xB211); }
  TSRationalValue GetVerticalParallax() const { return GetSRational(0xB212); }
  bool HasFacesDetected() const { return HasTag(0x4100); }
  bool HasFocusedFace() const { return HasTag(0x4005); }
  bool HasParallax() const { return HasTag(0xB211); }
  void DumpToStrings(TStrings* strings) const override;

private:
  TRect RectAt(uint16_t tag, int64_t first) const;
};

class TCanonMakerNotes : public TTiffTagList {
  DX_CLASS(TCanonMakerNotes, TTiffTagList)
public:
  // Tag 0, the focal length (tag 2) and one line per camera setting (tag 1);
  // other tags give no line.
  void DumpToStrings(TStrings* strings) const override;
};

// numerator / denominator, both taken as signed; 0 for a zero denominator or
// when both are -1 (the "not available" mark).
double SRationalToFloat(TSRationalValue value);
double RationalToFloat(TRationalValue value);
// "N/A" when both are -1, else the quotient with up to 8 decimals, trailing zeros cut.
std::string SRationalToText(TSRationalValue value);
std::string RationalToText(TRationalValue value);
// "numerator/denominator", both as signed decimals.
std::string RationalToFraction(TRationalValue value);
