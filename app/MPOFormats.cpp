#include "app/MPOFormats.h"

#include <atomic>
#include <memory>

#include "app/DUtil.h"
#include "app/MPOFileFormat.h"
#include "imaging/io/ieprogress.h"
#include "imaging/io/ieregistry.h"
#include "imaging/io/iestreamload.h"
#include "imaging/io/jpegfilt.h"
#include "imaging/io/ioparams.h"
#include "platform/classes/streams.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr TColor kWhite = 0xFFFFFF;

// These readers raise; the component's convention is the abort flag.
// Setting the flag before the exception leaves every caller a failed load,
// whether its dispatch absorbs the exception or passes it on.
template <class Body>
void RaiseWithAbortFlag(TIEProgressRecord& progress, Body&& body) {
  try {
    body();
  } catch (...) {
    if (progress.Aborting) progress.Aborting->store(true);
    throw;
  }
}

// Passes over the library's own 12-byte "JFIF" stream header when one is there.
void SkipLibraryHeader(TStream& stream) {
  if (IECheckLibraryStreamHeader(stream, "JFIF") != ieshNone) stream.Seek(12, soCurrent);
}

// The library's JPEG reading; returns the rows stored.
int32_t DecodeJpeg(TStream& stream, TIEBitmap& bitmap, TIOParamsVals& params, bool preview,
                   TIEProgressRecord& progress) {
  bitmap.RemoveAlphaChannel(false, kWhite);
  return ReadJpegStream(stream, bitmap, params, progress,
                        {.HeaderOnly = preview, .NativePixelFormat = params.NativePixelFormat});
}

void AddEntry(int32_t id, const char* name, const char* ext, TIEReadStreamProc reader) {
  if (IEFileFormatFindById(id)) return;
  auto info = std::make_unique<TIEFileFormatInfo>();
  info->FileType = id;
  info->FormatName = name;
  info->ExtensionList = ext;
  info->IsBuiltIn = false;
  info->PreviewPages = ppJPEG;
  info->StreamReader = std::move(reader);
  info->ContentTest = TryMPOImage;
  IEFileFormatAdd(std::move(info));
}

}  // namespace

void RegisterMPOFormats() {
  AddEntry(ioMPO, "MPO Image", "MPO", ReadMPOImage);
  AddEntry(ioJPS, "JPS Image", "JPS", ReadJPSImage);
  if (TPicture::GraphicClassForExtension("mpo") != TIEMPOImage::StaticClass())
    TPicture::RegisterFileFormat("MPO", "MPO Image", TIEMPOImage::StaticClass());
}

void ReadMPOImage(TStream& stream, TIEBitmap& bitmap, TIOParamsVals& params, bool preview,
                  TIEProgressRecord& progress) {
  RaiseWithAbortFlag(progress, [&] {
    // The parser's offsets count from where it started reading.
    const int64_t origin = stream.Position();
    TMPOInfo info;
    info.LoadFromStream(stream);
    const int32_t count = info.GetNumberOfImages();
    // The count is unsigned in the file: 0, and values past 2^31 that read
    // as negative, list no picture at all. Like a picture index beyond the
    // count, that is a failed load: returning quietly would leave the caller
    // the pixels it had, taken for the picture it asked for.
    if (count <= 0) {
      params.SetImageCount(0);
      throw EMPOFormatException(
          Format("MPO: the MP index lists no pictures (NumberOfImages %d)", int64_t(uint32_t(count))));
    }
    params.SetImageCount(count);
    const int32_t index = params.ImageIndex();
    if (index >= count)
      throw EMPOFormatException(Format("MPO: picture %d was asked for, but the file holds %d", index, count));
    TClippedStream window(stream, origin + info.GetImageOffset(index), info.GetImageSize(index));
    window.Seek(0, soBeginning);
    SkipLibraryHeader(window);
    DecodeJpeg(window, bitmap, params, preview, progress);
    // The JPEG decoder counts the one stream it sees; the file holds more.
    params.SetImageCount(count);
  });
}

void ReadJPSImage(TStream& stream, TIEBitmap& bitmap, TIOParamsVals& params, bool preview,
                  TIEProgressRecord& progress) {
  RaiseWithAbortFlag(progress, [&] {
    SkipLibraryHeader(stream);
    const int32_t rows = DecodeJpeg(stream, bitmap, params, preview, progress);
    // Only a bitmap this call filled is cut: a parameters-only read, or a
    // decode that failed before its first row, leaves the caller's pixels whole.
    if (preview || rows <= 0) return;
    // A picture one column wide has no left half to give.
    if (bitmap.GetWidth() < 2) {
      if (progress.Aborting) progress.Aborting->store(true);
      return;
    }
    bitmap.SetWidth(bitmap.GetWidth() / 2);
  });
}

bool TryMPOImage(TStream&, int32_t) { return false; }

void TIEMPOImage::LoadFromStream(TStream& stream) {
  std::atomic<bool> aborting{false};
  TIEProgressRecord progress;
  progress.Aborting = &aborting;
  ReadMPOImage(stream, *IEBitmap(), IO()->Params(), false, progress);
  if (aborting.load() || IEBitmap()->IsEmpty()) throw EInvalidGraphic("The MPO picture could not be read");
  Changed(this);
}
