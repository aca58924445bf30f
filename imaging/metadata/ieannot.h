// Imaging annotations: the marks (point lists, texts, embedded images) that
// some TIFF files keep in tag 32932. The library carries them with an image so
// that a TIFF loaded and saved again keeps them; nothing draws or edits them.
//
// The block (every integer 32-bit little-endian, read and written alike):
//
//   0      4   0 when written, not examined when read
//   4      4   integer-size flag: 1 when written; 0 puts 4 more bytes between
//              a named block's size and its data
//   8      ... records:
//     type 2  value (12), 8-byte name, data size, [4 bytes], data   named block of the whole block
//     type 5  value (164), 164 attribute bytes                      starts a mark
//     type 6  as type 2                                             named block of the last mark
//     other   the type and its value only
//
// Named blocks: "OiAnoDat" (points of marks 3 and 4: a value, N, N points of
// x, y; 56 bytes for marks 1, 2 and 12), "OiDIB" (a packed bitmap), "OiAnText"
// (four values, the third a scale, then a zero-terminated text), "OiFilNam",
// "OiGroup", "OiIndex" (texts).
//
// Every count, size and offset is checked against the block's length: a record
// or named block that runs past the end ends the parse, and a point list that
// runs past its named block is dropped.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "platform/rtl/object.h"
#include "platform/rtl/types.h"

class TIEMetaParams;

// The screen's resolution, which the view unit's start-up measures; written
// into the data block of image marks. 96 until then.
extern int32_t IEScreenDpiX;
extern int32_t IEScreenDpiY;

// One mark. Types with data: 1 image, 3 and 4 points, 7 to 10 text.
class TIEImagingObject : public TObject {
  DX_CLASS(TIEImagingObject, TObject)
public:
  static constexpr int32_t AttributesSize = 164;

  // Kept as they stand in the block; the first 32 bits are the type.
  std::array<uint8_t, AttributesSize> Attributes{};
  std::vector<TPoint> Points;
  bool HasText = false;
  AnsiString Text;
  std::unique_ptr<TIEBitmap> Image;

  int32_t ObjectType() const;
};

class TIEImagingAnnot : public TObject {
  DX_CLASS(TIEImagingAnnot, TObject)
public:
  explicit TIEImagingAnnot(TIEMetaParams* parent = nullptr) : parent_(parent) {}
  ~TIEImagingAnnot() override = default;
  TIEImagingAnnot(const TIEImagingAnnot&) = delete;
  TIEImagingAnnot& operator=(const TIEImagingAnnot&) = delete;

  // The parameter record that made this list (not owned).
  TIEMetaParams* Parent() const { return parent_; }

  void Clear() { objects_.clear(); }
  // Replaces the marks by copies of the source's (attributes, points, text,
  // image); the parent stays. Null clears.
  void Assign(const TIEImagingAnnot* source);
  // Appends the marks of the block (the list is not cleared first).
  void LoadFromBuffer(const void* buffer, int32_t length);
  // The block for the marks; empty when there are none.
  std::vector<uint8_t> SaveToBuffer() const;

  int32_t ObjectsCount() const { return int32_t(objects_.size()); }
  // An index outside 0..ObjectsCount-1 raises EListError.
  TIEImagingObject& Objects(int32_t index);
  const TIEImagingObject& Objects(int32_t index) const;
  // Appends a mark and hands it back for filling.
  TIEImagingObject& AddObject();

private:
  TIEMetaParams* parent_;
  std::vector<std::unique_ptr<TIEImagingObject>> objects_;
};

// Packed device-independent bitmaps, the form of an image mark's picture: a
// 40-byte BITMAPINFOHEADER (or a longer header of that family), the colour
// table, the rows bottom-up and padded to 4 bytes.
//
// Reads 1, 4, 8, 16 (5-5-5), 24 and 32 bits without compression; a 1-bit
// picture becomes ie1g (1 = the brighter of its two colours), the others
// ie24RGB. Null when the header, colour table or rows do not fit in size
// bytes, or the layout is not one of those.
std::unique_ptr<TIEBitmap> IEPackedDIBToBitmap(const uint8_t* data, int32_t size);
// ie1g and 8-bit images keep their depth (ie1g with black and white, ie8g with
// a gray ramp, ie8p with its palette, 256 entries), ie24RGB stays 24-bit and
// other formats are converted to 24 bits. Resolutions are stored as pixels per
// metre; bits past the width and row padding are zero. Empty for an empty image.
std::vector<uint8_t> IEBitmapToPackedDIB(TIEBitmap& bitmap, int32_t dpiX, int32_t dpiY);
