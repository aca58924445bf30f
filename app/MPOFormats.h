// The MPO and JPS formats taught to the image library, so that its loaders
// that pick a reader by extension read them: ".mpo" gives one individual
// image of a Multi-Picture Object file (CIPA DC-007), chosen by the
// parameters' ImageIndex; ".jps" gives the left half of a side-by-side
// stereo JPEG. Neither is ever recognised by content.
#pragma once

#include <cstdint>

#include "app/IEGraphicBase.h"

class TStream;
class TIEBitmap;
class TIOParamsVals;
struct TIEProgressRecord;

// Registry ids of the two formats.
constexpr int32_t ioMPO = 10000;
constexpr int32_t ioJPS = 10001;

// Adds the "MPO Image" and "JPS Image" registry entries (an id already present
// is not added twice) and the picture class for ".mpo".
void RegisterMPOFormats();

// Readers in the registry's shape. The MPO reader sets ImageCount and decodes
// image ImageIndex; an MP index that lists no picture (NumberOfImages 0, or
// past 2^31) or an ImageIndex at or beyond the count leaves the bitmap alone
// and raises EMPOFormatException. The JPS reader keeps the left half of the
// picture, the parameters keeping the full size; a picture one column wide
// has no half and fails with the abort flag. Parser errors
// (EMPOFormatException, EReadError) are raised, with the abort flag set
// first; JPEG decoding errors set the abort flag.
void ReadMPOImage(TStream& stream, TIEBitmap& bitmap, TIOParamsVals& params, bool preview,
                  TIEProgressRecord& progress);
void ReadJPSImage(TStream& stream, TIEBitmap& bitmap, TIOParamsVals& params, bool preview,
                  TIEProgressRecord& progress);
// The content test of both: always false.
bool TryMPOImage(TStream& stream, int32_t fileType);

// The picture class of ".mpo": the image at its component's ImageIndex (0,
// the left picture, unless changed). A file that yields no picture raises.
class TIEMPOImage : public TIEGraphicBase {
  DX_CLASS_WITH_FACTORY(TIEMPOImage, TIEGraphicBase, [](TObject*) -> TObject* { return new TIEMPOImage; })
public:
  TIEMPOImage() = default;
  void LoadFromStream(TStream& stream) override;
};
