#include "imaging/formats/ieformats.h"

#include <algorithm>
#include <memory>

#include "imaging/core/ieinit.h"
#include "imaging/core/iemask.h"
#include "imaging/formats/iecodec.h"
#include "imaging/formats/pngfilt.h"
#include "imaging/formats/tifccitt.h"
#include "imaging/formats/tiffilt.h"
#include "imaging/formats/tiflzw.h"
#include "imaging/io/ieioset.h"
#include "imaging/io/ieregistry.h"
#include "imaging/io/iestreamload.h"
#include "imaging/io/ioparams.h"
#include "imaging/io/vovideriocomp.h"
#include "imaging/metadata/ieexif.h"

namespace {

constexpr TColor kWhite = 0xFFFFFF;

// The codecs' progress record over the component's: its event and sender, and
// a plain abort flag that starts as the component's and is handed back after.
TIECodecProgress CodecProgressOf(const TIEProgressRecord& progress, bool& aborting) {
  aborting = progress.Aborting && progress.Aborting->load();
  TIECodecProgress codec;
  codec.OnProgress = progress.fOnProgress;
  codec.Sender = progress.Sender;
  codec.Aborting = &aborting;
  return codec;
}

// The component's TIFF load as a built-in reader: page TIFFImageIndex in full,
// its transparency mask as the alpha channel, a missing resolution as 300.
void ReadTIFFBuiltin(TStream& stream, TIEBitmap& bitmap, TIOParamsVals& params, bool preview,
                     TIEProgressRecord& progress) {
  bool aborting = false;
  TIECodecProgress codec = CodecProgressOf(progress, aborting);
  if (!preview) bitmap.RemoveAlphaChannel(false, kWhite);
  int32_t pageCount = 0;
  TIEMask* rawMask = nullptr;
  ReadTIFFStream(&bitmap, stream, pageCount, params, codec, preview, rawMask, false, false, false, false);
  const std::unique_ptr<TIEMask> mask(rawMask);
  if (progress.Aborting && aborting) progress.Aborting->store(true);
  if (params.OwnerIO) params.OwnerIO->ApplyDefaultDpi();
  if (!mask || preview || aborting) return;
  TIEBitmap* alpha = bitmap.GetAlphaChannel();
  const int32_t w = std::min(mask->Width(), alpha->GetWidth()), h = std::min(mask->Height(), alpha->GetHeight());
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t v = mask->GetPixel(x, y);
      alpha->SetPixelByte(x, y, uint8_t(mask->BitsPerPixel() == 8 ? v : (v ? 255 : 0)));
    }
  alpha->SetFullyOpaque(false);
}

// The PNG reader fills the alpha channel itself.
void ReadPNGBuiltin(TStream& stream, TIEBitmap& bitmap, TIOParamsVals& params, bool preview,
                    TIEProgressRecord& progress) {
  bool aborting = false;
  TIECodecProgress codec = CodecProgressOf(progress, aborting);
  ReadPNGStream(stream, bitmap, params, preview, codec);
  if (progress.Aborting && aborting) progress.Aborting->store(true);
}

}  // namespace

void IEFormatsBindLibrary() {
  IEBindLibraryUnit(ieluCCITT, &IECCITTInitialize, &IECCITTFinalize);
  IEIOFormatsUnit.Install = [] {
    IEBindTIFFExifBridge();
    // The library's TIFF LZW procedures; a record made from now on takes them as its defaults.
    IEDefTIFFLZWDecompress = &TIFFLZWDecode;
    IEDefTIFFLZWCompress = &TIFFLZWEncode;
    IETIFFLZWDecode = &TIFFLZWDecode;
    IESetContentTest(ictTIFF, [](TStream& s) { return IsTIFFStream(s); });
    IESetContentTest(ictTIFFCameraRaw, [](TStream& s) { return IsTIFFCameraRawStream(s); });
    IESetContentTest(ictPNG, [](TStream& s) { return IsPNGStream(s); });
    // Every reader of a built-in format that this layer holds; the component
    // reads JPEG itself, and ids without a reader here fail as unbuilt.
    IESetBuiltinReader(ioTIFF, &ReadTIFFBuiltin);
    IESetBuiltinReader(ioPNG, &ReadPNGBuiltin);
  };
  IEIOFormatsUnit.Remove = [] {
    IESetBuiltinReader(ioTIFF, nullptr);
    IEDefTIFFLZWDecompress = nullptr;
    IEDefTIFFLZWCompress = nullptr;
    IETIFFLZWDecode = nullptr;
    IESetBuiltinReader(ioPNG, nullptr);
    IESetContentTest(ictPNG, {});
    IEExifTIFFBridge = {};
    IESetContentTest(ictTIFF, {});
    IESetContentTest(ictTIFFCameraRaw, {});
  };
}
