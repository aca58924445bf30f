#include "imaging/formats/ieformats.h"

#include "imaging/formats/tiffilt.h"
#include "imaging/io/ieioset.h"
#include "imaging/io/iestreamload.h"
#include "imaging/metadata/ieexif.h"

void IEFormatsBindLibrary() {
  IEIOSetFormatsUnitHooks(
      [] {
        IEBindTIFFExifBridge();
        IESetContentTest(ictTIFF, [](TStream& s) { return IsTIFFStream(s); });
        IESetContentTest(ictTIFFCameraRaw, [](TStream& s) { return IsTIFFCameraRawStream(s); });
      },
      [] {
        IEExifTIFFBridge = {};
        IESetContentTest(ictTIFF, {});
        IESetContentTest(ictTIFFCameraRaw, {});
      });
}
