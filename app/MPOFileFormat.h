// The MPO parser: the index of a Multi-Picture Object file (CIPA DC-007), a
// chain of complete JPEG streams ("individual images") of which the first
// carries an APP2 "MPF" segment with the MP index IFD and the table of MP
// entries, plus, per picture, its Exif IFD0, Exif IFD and Fujifilm or Canon
// maker notes.
//
// Vocabulary: the MP header is the TIFF-style header right after "MPF\0";
// the MP entries' data offsets count from the first image's MP header, so an
// individual image starts at entry offset + that header's position. Stream
// positions are those of the scan's reader, whose 0 is where the source
// stream stood when the scan began.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/TiffTagList.h"
#include "platform/classes/persistent.h"

class TStream;
class TIEBoundedReader;

// One 16-byte MP entry, decoded in the byte order of the MP index.
struct TMPEntry {
  uint32_t IndividualImageAttribute = 0;  // flags and type, not interpreted
  uint32_t IndividualImageSize = 0;        // bytes of the image's JPEG stream
  uint32_t IndividualImageDataOffset = 0;  // from the first MP header; 0 for the first image
  uint16_t DependentImage1EntryNumber = 0;
  uint16_t DependentImage2EntryNumber = 0;
};

class TMPEntryList {
public:
  int32_t Count() const { return int32_t(items_.size()); }
  // Bad index: EListError "List index out of bounds (%d)".
  const TMPEntry& Items(int32_t index) const;
  void Add(const TMPEntry& entry) { items_.push_back(entry); }
  void Clear() { items_.clear(); }

private:
  std::vector<TMPEntry> items_;
};

// The metadata of one picture: lists that the file does not fill stay empty.
class TMPOIndividualPicture : public TPersistent {
  DX_CLASS(TMPOIndividualPicture, TPersistent)
public:
  TFujiMakerNotes& FujiMakerNotes() { return fuji_; }
  TCanonMakerNotes& CanonMakerNotes() { return canon_; }
  TExifTiffTagList& ExifIFD0() { return ifd0_; }
  TExifAttributesList& ExifIFD() { return exif_; }

private:
  TFujiMakerNotes fuji_;
  TCanonMakerNotes canon_;
  TExifTiffTagList ifd0_;
  TExifAttributesList exif_;
};

using TMPOIndividualPictureList = TObjectListOf<TMPOIndividualPicture>;
using TMPOAttributeIFDList = TObjectListOf<TMPOTiffTagList>;

class TMPOInfo : public TPersistent {
  DX_CLASS(TMPOInfo, TPersistent)
public:
  TMPOInfo() = default;

  // Empties every list; no current picture.
  void Clear();
  // Scans the marker stream once, from the first image's header to the last
  // image's frame header, jumping from each image's frame header to the next
  // image. Parse errors raise EMPOFormatException, a file that ends inside a
  // segment EReadError; what was read so far stays.
  void LoadFromStream(TStream& stream);

  // NumberOfImages of the MP index; "Tag B001 does not exist" without one.
  int32_t GetNumberOfImages() const;
  // Where image i starts: 0 for i = 0, else entry offset + first MP header position.
  int64_t GetImageOffset(int32_t i) const;
  int64_t GetImageSize(int32_t i) const;
  // The Fujifilm parallax in percent of the width (the last picture that has
  // one wins); 0 when no picture has one.
  double GetParallax() const;
  // A 32-bit value in the MP index's byte order.
  uint32_t FixLong(uint32_t value) const { return mpIndex_.FixLong(value); }

  int64_t MPHeaderPosition() const { return latestHeader_; }
  const TMPEntryList& MPEntries() const { return entries_; }
  const TMPOTiffTagList& MPIndexIFD() const { return mpIndex_; }
  const TMPOAttributeIFDList& MPAttributeIFDs() const { return attributeIFDs_; }
  const std::vector<int64_t>& MPHeaderPositions() const { return headerPositions_; }
  const TMPOIndividualPictureList& Pictures() const { return pictures_; }
  TMPOIndividualPicture* CurrentPicture() const { return current_; }

private:
  void AddPicture();
  void SkipSegment(TIEBoundedReader& r);
  void HandleAPP1(TIEBoundedReader& r);
  void HandleAPP2(TIEBoundedReader& r);
  void ReadExif(TIEBoundedReader& r);
  void ReadMakerNotes(TIEBoundedReader& r, int64_t base);
  void ReadMPF(TIEBoundedReader& r);

  int64_t latestHeader_ = 0;
  TMPEntryList entries_;
  TMPOTiffTagList mpIndex_;
  TMPOAttributeIFDList attributeIFDs_;
  std::vector<int64_t> headerPositions_;
  TMPOIndividualPictureList pictures_;
  TMPOIndividualPicture* current_ = nullptr;
  // What the tag lists may still take from the file during one scan.
  int64_t budget_ = 0;
};

// The info panel's lines of a parsed file: picture 1's Fujifilm and then
// Canon maker-note lines, a line holding one blank, then those of picture 2's
// Fujifilm lines that are not already there (whole lines, ignoring case).
// lines is cleared first; a dump's exception goes through and leaves it empty.
void MergeMakerNoteLines(const TMPOInfo& info, TStrings* lines);

#include "app/MPOFormats.h"  // the MPO and JPS formats in the image library
