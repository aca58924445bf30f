// The component's JPEG savers: the parameters' IPTC, EXIF and XMP become
// markers of JpegMarkers, and the target goes through WriteJpegStream.
#include <atomic>
#include <cstring>
#include <vector>

#include "imaging/io/jpegfilt.h"
#include "imaging/io/vovideriocomp.h"
#include "imaging/metadata/ieexif.h"
#include "imaging/metadata/iexmp.h"
#include "platform/classes/streams.h"

namespace {

constexpr int32_t kAPP1 = 0xE1;
constexpr int32_t kAPP13 = 0xED;

void PutBE16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v >> 8);
  p[1] = uint8_t(v);
}

void PutBE32(uint8_t* p, uint32_t v) {
  PutBE16(p, v >> 16);
  PutBE16(p + 2, v);
}

int32_t FirstAPP1(const TIEMarkerList& markers, bool (*carries)(const uint8_t*, int32_t)) {
  for (int32_t i = 0; i < markers.GetCount(); ++i)
    if (markers.GetMarkerType(i) == kAPP1 && carries(markers.GetMarkerData(i), markers.GetMarkerLength(i))) return i;
  return -1;
}

bool CarriesExif(const uint8_t* data, int32_t length) { return IEIsExifMarkerData(data, length); }
bool CarriesXMP(const uint8_t* data, int32_t length) { return IEGetXMPPacket(data, length) != nullptr; }

}  // namespace

void TVovidErIO::UpdatePhotoshopResolution() {
  TIEMarkerList& markers = params_->JpegMarkers;
  const int32_t index = markers.IndexOf(kAPP13);
  if (index < 0) return;
  uint8_t* data = markers.GetMarkerData(index);
  const int64_t length = markers.GetMarkerLength(index);
  static const uint8_t kResolutionInfo[6] = {'8', 'B', 'I', 'M', 0x03, 0xED};
  for (int64_t i = 0; i + 6 <= length; ++i) {
    if (std::memcmp(data + i, kResolutionInfo, 6) != 0) continue;
    // The name is a length byte and its characters, padded to an even size.
    int64_t at = i + 6;
    if (at >= length) return;
    at += (int64_t(data[at]) + 2) & ~int64_t(1);
    // Every byte written lies inside the payload, whatever the sizes claim.
    if (at + 4 + 16 > length) return;
    const uint32_t size = (uint32_t(data[at]) << 24) | (uint32_t(data[at + 1]) << 16) |
                          (uint32_t(data[at + 2]) << 8) | data[at + 3];
    if (size < 16) return;
    uint8_t* info = data + at + 4;
    PutBE32(info, uint32_t(params_->DpiX()) << 16);
    PutBE16(info + 4, 1);
    PutBE16(info + 6, 1);
    PutBE32(info + 8, uint32_t(params_->DpiY()) << 16);
    PutBE16(info + 12, 1);
    PutBE16(info + 14, 1);
    return;
  }
}

bool TVovidErIO::ReplaceJpegExif(TStream& source, TStream& dest) {
  TIEProgressRecord progress;
  std::atomic<bool> aborting{false};
  progress.Aborting = &aborting;
  return JpegReplaceExifStream(source, dest, *params_, progress);
}

void TVovidErIO::PrepareJpegMarkers() {
  TIOParamsVals& p = *params_;
  TIEMarkerList& markers = p.JpegMarkers;
  UpdatePhotoshopResolution();
  // Every new block is built and measured before the list changes: one that
  // no marker can hold fails the save instead of going out cut short.
  const bool iptc = p.IPTCInfoList.Changed() || (p.IPTCInfoList.GetCount() > 0 && markers.GetCount() == 0);
  const std::vector<uint8_t> iptcBlock = iptc ? p.IPTCInfoList.SaveToBuffer(true) : std::vector<uint8_t>{};
  const std::vector<uint8_t> exif = p.HasExif ? IESaveEXIFToBuffer(p, true) : std::vector<uint8_t>{};
  const std::vector<uint8_t> xmp = p.XMPPacket.empty() ? std::vector<uint8_t>{} : IEBuildXMPMarker(p);
  for (const auto* block : {&iptcBlock, &exif, &xmp}) JpegCheckMarkerPayload(int64_t(block->size()), &aborting_);

  if (iptc) {
    const int32_t index = markers.IndexOf(kAPP13);
    if (!iptcBlock.empty()) {
      if (index >= 0)
        markers.SetMarker(index, kAPP13, int32_t(iptcBlock.size()), iptcBlock.data());
      else
        markers.AddMarker(kAPP13, iptcBlock.data(), int32_t(iptcBlock.size()));
    } else if (index >= 0) {
      markers.DeleteMarker(index);
    }
  }
  if (p.HasExif) {
    const int32_t index = FirstAPP1(markers, CarriesExif);
    if (index >= 0) markers.DeleteMarker(index);
    markers.AddMarker(kAPP1, exif.data(), int32_t(exif.size()));
  }
  const int32_t xmpIndex = FirstAPP1(markers, CarriesXMP);
  if (xmpIndex >= 0) markers.DeleteMarker(xmpIndex);
  if (!xmp.empty()) markers.AddMarker(kAPP1, xmp.data(), int32_t(xmp.size()));
}

void TVovidErIO::SaveToFileJpeg(const std::string& fileName) {
  if (Defer(iotkFileName, [this, fileName] { SaveToFileJpeg(fileName); })) return;
  aborting_.store(true);
  try {
    if (CheckTarget() && !target_->IsEmpty()) {
      if (target_->GetPixelFormat() != ie24RGB && target_->GetPixelFormat() != ie1g) target_->SetPixelFormat(ie24RGB);
      aborting_.store(false);
      TIEProgressRecord progress = MakeProgressRecord();
      PrepareJpegMarkers();
      // The picture is made whole before the file is touched: a save that
      // fails leaves the old file as it was.
      TMemoryStream encoded;
      WriteJpegStream(encoded, *target_, *params_, progress);
      if (!aborting_.load()) WriteFileAtomically(fileName, encoded.Memory(), size_t(encoded.Size()));
      params_->FileName = fileName;
      params_->FileType = ioJPEG;
    }
  } catch (...) {
    DoFinishWork();
    throw;
  }
  DoFinishWork();
}

void TVovidErIO::SaveToStreamJpeg(TStream& stream) {
  if (Defer(iotkStream, [this, &stream] { SaveToStreamJpeg(stream); })) return;
  aborting_.store(false);
  try {
    if (CheckTarget() && target_->IsEmpty()) {
      aborting_.store(true);  // not even a stream header for a picture that cannot be written
    } else if (CheckTarget()) {
      if (target_->GetPixelFormat() != ie24RGB && target_->GetPixelFormat() != ie1g) target_->SetPixelFormat(ie24RGB);
      PrepareJpegMarkers();
      const int64_t headerAt = stream.Position();
      if (StreamHeaders) {
        const uint8_t placeholder[12] = {};
        stream.WriteBuffer(placeholder, 12);
      }
      TIEProgressRecord progress = MakeProgressRecord();
      WriteJpegStream(stream, *target_, *params_, progress);
      if (StreamHeaders) {
        const int64_t end = stream.Position();
        const uint32_t length = uint32_t(end - headerAt - 12);
        const uint8_t header[12] = {'J', 'F', 'I', 'F', 0, 0, 0, 0, uint8_t(length), uint8_t(length >> 8),
                                    uint8_t(length >> 16), uint8_t(length >> 24)};
        stream.SetPosition(headerAt);
        stream.WriteBuffer(header, 12);
        stream.SetPosition(end);
      }
    }
  } catch (...) {
    DoFinishWork();
    throw;
  }
  DoFinishWork();
}
