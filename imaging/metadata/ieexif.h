// EXIF blocks (EXIF 2.3, section 4.5-4.7): a small TIFF structure holding IFD 0
// with its Exif and GPS sub-IFDs and, as IFD 1, a thumbnail. In a JPEG file it
// travels in an APP1 marker whose payload opens with "Exif" and two zero bytes.
//
// These routines move EXIF between blocks and the parameter record (here its
// metadata part, TIEMetaParams). Parsing and writing the TIFF structure belong
// to the TIFF codec of the format layer, which sits above this core: it hands
// its reader and writer over through IEExifTIFFBridge when it is bound
// (IEBindTIFFExifBridge in imaging/formats/tiffilt.h, run by the formats
// unit's start-up). While nothing is bound the routines below that need it
// raise EIESlotNotInstalled naming the bridge.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/core/iestreams.h"
#include "imaging/metadata/ieexifparams.h"

class TIEBitmap;

// The modes of the TIFF reader the EXIF routines use.
enum TIEExifTIFFRead : uint8_t {
  // Only the tags and EXIF fields of the record's image: IFD 0 (or the image
  // index's IFD), its Exif and GPS IFDs; HasExif when an Exif IFD is there.
  ieetrExifData,
  // Decodes the record's image index into the bitmap; images wider or taller
  // than 400 pixels are refused.
  ieetrThumbnail,
  // The reader's full load of the record's image index into the bitmap.
  ieetrNormal
};

struct TIEExifTIFFBridge {
  // Reads the TIFF structure at the stream's position, offsets counted from
  // there. False when the reader raised its abort flag.
  bool (*Read)(TStream& stream, TIEBitmap* bitmap, TIEMetaParams& params, TIEExifTIFFRead mode) = nullptr;
  // Without a bitmap: writes the record's tags as a TIFF structure (IFD 0 with
  // its Exif and GPS IFDs) at the stream's position. With one: adds it to the
  // structure already in the stream as the page of the record's image index,
  // compressed as the record's TIFF compression says. False on failure.
  bool (*Write)(TStream& stream, TIEBitmap* bitmap, TIEMetaParams& params) = nullptr;
};
extern TIEExifTIFFBridge IEExifTIFFBridge;

// Copies the EXIF block of source into destination: the present-tags list,
// the thumbnail (when asked; else the destination's stays), HasExif, every
// field through its setter where it has one, and the maker note. The EXIF
// image description comes from the source's TIFFImageDescription.
void IECopyEXIFParams(const TIEMetaParams& source, TIEMetaParams& destination, bool withThumbnail);

// The record's EXIF as a TIFF structure, with the thumbnail as IFD 1 when the
// record has a non-empty one, behind "Exif" 00 00 when asked.
std::vector<uint8_t> IESaveEXIFToBuffer(TIEMetaParams& params, bool withHeader);

// True when the payload opens with "Exif" and a zero byte.
bool IEIsExifMarkerData(const uint8_t* data, int32_t length);

// Reads the EXIF of an APP1 payload into the record: fields, HasExif and the
// thumbnail (IFD 1, emptied when it cannot be decoded), turned upright by the
// orientation. 0 (record unchanged) when the payload is not EXIF, too short
// for a TIFF header; else 1.
int32_t IELoadEXIFFromAPP1(const uint8_t* data, int32_t length, TIEMetaParams& params);

// The first TIFF header ("II" or "MM", version 42 or the raw variants "RO" and
// "RS", a first-IFD offset below the stream's size) within 131,072 bytes of
// the stream's position, as an offset from that position; -1 when none. The
// position is restored.
int64_t IEFindTIFFHeaderInStream(TIEBufferedReadStream& stream);

// Reads the EXIF of the TIFF structure at the stream's position (which counts
// as offset 0) into the record, with the narrower of its first two images as
// thumbnail. The position is restored. 0 while no reader is bound, else 1.
int32_t IELoadEXIFFromTIFFStream(TIEBufferedReadStream& stream, TIEMetaParams& params);

// Which of a raw file's first two images is its thumbnail: of those that were
// decoded and are not all black, the narrower (image 0 on a tie); null when neither.
TIEBitmap* IEChooseRawThumbnail(TIEBitmap& image0, TIEBitmap& image1);

// Runs the TIFF reader's full load on the record itself, decoding the image of
// its image index into its thumbnail bitmap; the position is restored. 0 while
// no reader is bound, else 1.
int32_t IEReadTIFFIntoParams(TStream& stream, TIEMetaParams& params);
