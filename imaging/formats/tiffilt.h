// TIFF (TIFF 6.0, Adobe 1992; EXIF 2.3 for the Exif and GPS IFDs): content
// tests, directory reading, the reader's entry point and the writer's
// metadata-only mode.
//
// Vocabulary: an IFD (image file directory) lists one page's tags; pages form
// a chain from the header's first-IFD offset; the Exif and GPS IFDs hang off a
// page through tags 34665 and 34853. Every offset of a chain counts from one
// base: stream position 0, or the reader's start position (TranslateBase).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/formats/iecodec.h"
#include "imaging/metadata/ieexif.h"
#include "imaging/metadata/ieexifparams.h"
#include "imaging/metadata/ietiffhandler.h"

class TIEBitmap;
class TIEMask;

enum TIETIFFCompression : uint8_t {
  itcNone,
  itcCCITT1D,
  itcG3Fax1D,
  itcG3Fax2D,
  itcG4Fax,
  itcLZW,
  itcOldJPEG,
  itcJPEG,
  itcPackBits,
  itcZIP,
  itcDeflate,
  itcUnknown
};

enum TIETIFFPhotometric : uint8_t {
  itpWhiteIsZero,
  itpBlackIsZero,
  itpRGB,
  itpRGBPalette,
  itpTransparencyMask,
  itpCMYK,
  itpYCbCr,
  itpCIELab
};

// The LZW decoding procedure of the TIFF reader (its codec installs it), the
// shape of TTIFFLZWDecompressProc (imaging/io/ioparams.h): with a null state
// it starts a strip of dataSize bytes at data; with null data it releases the
// state; otherwise it returns the next rowBytes decoded bytes, or null.
using TTIFFLZWDecodeProc = uint8_t* (*)(const uint8_t* data, int32_t dataSize, int32_t rowBytes, void*& state,
                                        int32_t fillOrder);
extern TTIFFLZWDecodeProc IETIFFLZWDecode;

// The reading state of one page, which the strip and tile decoder consumes.
struct TTIFFVars {
  int32_t ImageWidth = 0;
  int32_t ImageLength = 0;
  int32_t SamplesPerPixel = 1;
  int32_t BitsPerSample = 1;
  int32_t RowsPerStrip = 0;
  int32_t TileWidth = -1;
  int32_t TileLength = -1;
  uint16_t Photometric = 2;
  uint16_t PlanarConfig = 1;
  uint16_t Orientation = 1;
  uint16_t Compression = 1;
  std::vector<int32_t> StripOffsets;
  std::vector<int32_t> StripByteCounts;
  std::vector<int32_t> TileOffsets;
  std::vector<int32_t> TileByteCounts;
  std::vector<TRGB> ColorMap;  // blue, green, red
  std::vector<uint16_t> TransferFunction;  // triples
  int32_t ResolutionUnit = 2;
  double XResolution = 0;
  double YResolution = 0;
  int32_t Predictor = 1;
  std::vector<uint8_t> JPEGTables;
  int32_t T4Options = 0;
  int32_t T6Options = 0;
  int32_t FillOrder = 1;
  double XPosition = 0;
  double YPosition = 0;
  AnsiString DocumentName;
  AnsiString ImageDescription;
  AnsiString PageName;
  int32_t PageNumber = 0;
  int32_t PageCount = 0;
  AnsiString Software;
  int32_t InkSet = 1;
  int32_t NumberOfInks = 4;
  int32_t DotRange[8] = {};
  AnsiString Artist;
  int32_t YCbCrSubsampleHoriz = 2;
  int32_t YCbCrSubsampleVert = 2;
  int32_t JPEGProc = 0;
  int32_t JPEGInterchangeFormat = 0;
  int32_t JPEGInterchangeFormatLength = 0;
  int32_t JPEGRestartInterval = 0;
  int32_t JPEGQTables[7] = {};
  int32_t JPEGDCTables[7] = {};
  int32_t JPEGACTables[7] = {};
  int32_t JPEGLosslessPredictors[7] = {};
  int32_t JPEGPointTransforms[7] = {};
  TTIFFLZWDecodeProc LZWDecoder = nullptr;
  bool LittleEndian = true;
  TIEMetaParams* IOParams = nullptr;
  TIEMask* AlphaMask = nullptr;
  bool IgnoreAlpha = false;
  int32_t ExtraSample0 = 0;
  int32_t ExtraSamplesCount = 0;  // at most 10
  int32_t ExtraSamples[10] = {};
};

// ---- content tests: each restores the stream position ----------------------------------------

bool IsTIFFStream(TStream& stream);
bool IsTIFFCameraRawStream(TStream& stream);
bool IsHDPhotoStream(TStream& stream);

// ---- directory reading ----------------------------------------------------------------------

// Walks the chain from the first IFD (at Base + firstOffset), counting its IFDs
// into pageCount, and reads the entries of IFD pageIndex into the directory
// (whose byte order, stream and base must be set). False when that IFD does
// not exist. A chain that comes back to an IFD already visited ends there.
bool TIFFReadIFD(int32_t pageIndex, int64_t firstOffset, TTIFFDirectory& dir, int32_t& pageCount);
// Reads the one IFD at Base + offset, without following its chain.
bool TIFFReadSingleIFD(int64_t offset, TTIFFDirectory& dir);

// Typed tag getters. All give the default when the tag is absent or its data
// lies outside the stream.
int32_t TIFFFindTag(const TTIFFDirectory& dir, uint16_t tag);
// From the value field only: byte-sized types from where a byte stands in the
// file's order (signed ones sign-extended), 16-bit types likewise, any other
// type the whole field.
int32_t TIFFGetInteger(const TTIFFDirectory& dir, uint16_t tag, int32_t def);
// Element i of a SHORT or LONG value (inline or out of line); default otherwise.
int32_t TIFFGetIntegerAt(const TTIFFDirectory& dir, uint16_t tag, uint32_t i, int32_t def);
// Every element; empty when absent or when the count exceeds the stream's size.
std::vector<int32_t> TIFFGetIntegerArray(const TTIFFDirectory& dir, uint16_t tag);
// Numerator / denominator as signed 32-bit numbers, a zero denominator taken as 1.
double TIFFGetRational(const TTIFFDirectory& dir, uint16_t tag, double def);
double TIFFGetRationalAt(const TTIFFDirectory& dir, uint16_t tag, uint32_t i, double def);
// 8-bit text; empty for a count over 1,048,575.
AnsiString TIFFGetString(const TTIFFDirectory& dir, uint16_t tag, bool cutAtNul);
// UTF-16 little-endian text (the Windows XP tags), as UTF-8, up to its first NUL.
std::string TIFFGetWideString(const TTIFFDirectory& dir, uint16_t tag);
// A copy of the value's bytes (count x type size; unknown types one byte each).
std::vector<uint8_t> TIFFGetRawData(const TTIFFDirectory& dir, uint16_t tag);

// 2, 2, 0, 0 <-> "2.2.0.0".
std::string BytesToDottedText(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> DottedTextToBytes(const std::string& text);

// ---- reader ---------------------------------------------------------------------------------

// Reads the TIFF structure at the stream's position: page params.TIFFImageIndex
// (or its sub-image TIFFSubIndex, or tile TIFFTileIndex) with its Exif and GPS
// IFDs into the parameters, and, unless preview, its pixels into the bitmap.
// pageCount receives the number of pages. translateBase: offsets count from
// the start position (else from stream position 0). isExifThumb: the page is
// an EXIF thumbnail (decoded even without size tags, refused above 400 pixels
// a side). isExifData: only the tags and EXIF fields, no pixels; IFD 0 stands
// in for a missing Exif IFD. Failures set the abort flag.
void ReadTIFFStream(TIEBitmap* bitmap, TStream& stream, int32_t& pageCount, TIEMetaParams& params,
                    TIECodecProgress& progress, bool preview, TIEMask*& alphaMask, bool translateBase,
                    bool ignoreAlpha, bool isExifThumb, bool isExifData);

// The gate before a page's buffer is made: every strip or tile (offset from
// base, byte count) lies inside the stream's streamSize bytes, the page's size
// is not absurd, and past the process-wide pixel limit (platform/gdi/imagegate.h)
// its data can plausibly fill it by its compression's best ratio. Strips
// without byte counts count as their rows when uncompressed.
bool TIFFCheckPageData(const TTIFFVars& vars, int64_t base, int64_t streamSize);

// Decodes the page's strips or tiles into the bitmap (the strip and tile decoder).
void TIFFDecodePage(TIEBitmap& bitmap, TTIFFVars& vars, TStream& stream, int64_t base, TIECodecProgress& progress,
                    bool isExifThumb);

// ---- writer ---------------------------------------------------------------------------------

// Without a bitmap: writes the parameters' tags as a new little-endian TIFF at
// the stream's position (IFD 0 with the Exif and GPS IFDs when HasExif, else
// the description and resolution), offsets counting from stream position 0;
// returns 1. With insertPage, a bitmap and TIFFCompression itcOldJPEG: adds
// the bitmap as an old-style JPEG page (TIFFJpegQuality, TIFFJpegColorSpace)
// at TIFFImageIndex of the little-endian TIFF at the stream's position, or
// last; returns the pages it has then. Other pages with pixels belong to the
// image writer; here they set the abort flag and return 0.
int32_t WriteTIFFStream(TStream& stream, bool insertPage, TIEBitmap* bitmap, TIEMetaParams& params,
                        TIECodecProgress& progress);

// Hands the reader and writer to the core's EXIF routines (IEExifTIFFBridge).
// The I/O unit's start-up calls it; so may any program that uses the EXIF routines.
void IEBindTIFFExifBridge();
