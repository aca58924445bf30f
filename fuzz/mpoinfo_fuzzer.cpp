// Feeds arbitrary bytes to the MPO parser, then reads the second picture's
// range through the window the viewer opens, asks for the parallax, turns
// every picture's tag lists into display lines and merges the info panel's
// lines. The parser's own failures are expected; anything else (a crash, a
// sanitizer report, another exception) is a finding.
#include <cstddef>
#include <cstdint>

#include "app/DUtil.h"
#include "app/MPOFileFormat.h"
#include "imaging/core/iestreams.h"
#include "platform/classes/strings.h"

namespace {

// Each call on its own: one that raises (a missing tag, a wrong type) must not keep the others from running.
template <class F>
void Quietly(F&& f) {
  try {
    f();
  } catch (const EMPOFormatException&) {
  }
}

void Dump(const TTiffTagList& list) {
  Quietly([&] {
    TStringList lines;
    list.DumpToStrings(&lines);
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIEMemStream stream(data, int64_t(size));
  TMPOInfo info;
  try {
    info.LoadFromStream(stream);
    if (info.MPEntries().Count() > 1) {
      TClippedStream window(stream, info.GetImageOffset(1), info.GetImageSize(1));
      window.Seek(0, soBeginning);
      uint8_t buf[4096];
      while (window.Read(buf, sizeof buf) > 0) {
      }
    }
    info.GetParallax();
  } catch (const EMPOFormatException&) {
  } catch (const EReadError&) {
  }
  // Whatever the scan kept before it stopped is shown all the same.
  for (int32_t i = 0; i < info.Pictures().Count(); ++i) {
    TMPOIndividualPicture& picture = *info.Pictures().Items(i);
    Dump(picture.ExifIFD0());
    Dump(picture.ExifIFD());
    Dump(picture.FujiMakerNotes());
    Dump(picture.CanonMakerNotes());
    const TFujiMakerNotes& fuji = picture.FujiMakerNotes();
    Quietly([&] { fuji.GetFocusPixel(); });
    Quietly([&] { fuji.GetFocusedFace(); });
    for (int32_t face : {-1, 0, 1, 2, 0x7FFFFFFF}) Quietly([&] { fuji.GetFacePosition(face); });
  }
  Quietly([&] {
    TStringList lines;
    MergeMakerNoteLines(info, &lines);
  });
  return 0;
}
