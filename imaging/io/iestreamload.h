// Recognising an image format from a stream's first bytes, and the library's
// 12-byte stream header that may precede an image inside a larger stream:
//
//   offset 0  4 bytes  tag: "JFIF", "PCX2" or "TIFF"
//   offset 4  4 bytes  0
//   offset 8  4 bytes  length of the data that follows, little-endian signed
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/io/ieregistry.h"

class TStream;

enum TIEStreamHeaderState : uint8_t {
  ieshNone,       // the 12 bytes are not a header with that tag
  ieshValid,      // a header whose data lies inside the stream
  ieshBadLength,  // a header whose length is negative or runs past the stream's end
};

// Reads 12 bytes at the position and tells whether they are a library header
// with the tag (the text of up to 5 bytes up to the first zero must equal it).
// The length is returned through length when valid. The position is restored.
TIEStreamHeaderState IECheckLibraryStreamHeader(TStream& stream, std::string_view tag, int32_t* length = nullptr);
// Writes a header with the tag and length at the stream's position.
void IEWriteLibraryStreamHeader(TStream& stream, std::string_view tag, int32_t length);

// File-type id of the content at the stream's position, 0 when none is
// recognised. The position is the same afterwards; never raises.
int32_t IEDetectStreamFormat(TStream& stream);
// File-type id of a file from its content, checked against its extension when
// checkExtension is set; 0 on every failure, never raises.
int32_t IEDetectFileFormat(const std::string& fileName, bool checkExtension);
// "RIFF" at the position and "AVI " 8 bytes further; the position is restored.
bool IsAVIStream(TStream& stream);

// The content tests belong to the format readers, which sit in a layer above
// this one: they install their tests here (an empty procedure restores the
// signature check this unit ships, or none for formats without one).
enum TIEContentTestSlot : uint8_t {
  ictHDPhoto,
  ictTIFF,
  ictTIFFCameraRaw,
  ictPNG,
  ictDICOM,
  ictICO,
  ictCUR,
  ictTGA,
  ictPXM,
  ictJP2,
  ictJ2K,
  ictDCX,
  ictWMF,
  ictEMF,
  ictPSD,
  ictObjects,
  ictLayers,
  ictAll,
  ictCameraRaw,
  ictCount
};
void IESetContentTest(TIEContentTestSlot slot, std::function<bool(TStream&)> test);
