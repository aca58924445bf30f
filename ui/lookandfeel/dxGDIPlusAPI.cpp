#include "ui/lookandfeel/dxGDIPlusAPI.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/win/winuser.h"

using namespace win;

namespace {

using GpStatus = int32_t;
using TNotificationHook = GpStatus (*)(uintptr_t* token);
using TNotificationUnhook = void (*)(uintptr_t token);

struct TGdiplusStartupInput {
  uint32_t GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  int32_t SuppressBackgroundThread = -1;  // all bits set: this code calls the hooks itself
  int32_t SuppressExternalCodecs = 0;
};

struct TGdiplusStartupOutput {
  TNotificationHook NotificationHook = nullptr;
  TNotificationUnhook NotificationUnhook = nullptr;
};

struct TImageCodecInfo {
  TGUID Clsid, FormatID;
  const char16_t *CodecName, *DllName, *FormatDescription, *FilenameExtension, *MimeType;
  uint32_t Flags, Version, SigCount, SigSize;
  const uint8_t *SigPattern, *SigMask;
};

using TStartup = GpStatus (*)(uintptr_t* token, const TGdiplusStartupInput* input, TGdiplusStartupOutput* output);
using TShutdown = void (*)(uintptr_t token);
using TGetEncodersSize = GpStatus (*)(uint32_t* count, uint32_t* size);
using TGetEncoders = GpStatus (*)(uint32_t count, uint32_t size, TImageCodecInfo* encoders);

const std::vector<std::string_view> kEntryPoints = {
    "GdipAlloc", "GdipFree", "GdiplusStartup", "GdiplusShutdown", "GdipCloneBrush", "GdipDeleteBrush",
    "GdipGetBrushType", "GdipCreateSolidFill", "GdipSetSolidFillColor", "GdipGetSolidFillColor",
    "GdipCreateLineBrushFromRectI", "GdipGetLineRectI", "GdipSetLineColors", "GdipGetLineColors",
    "GdipSetLineWrapMode", "GdipGetLineWrapMode", "GdipCreateHatchBrush", "GdipGetHatchStyle",
    "GdipGetHatchForegroundColor", "GdipGetHatchBackgroundColor", "GdipCreatePen1", "GdipCreatePen2",
    "GdipClonePen", "GdipDeletePen", "GdipGetPenFillType", "GdipSetPenBrushFill", "GdipGetPenBrushFill",
    "GdipSetPenColor", "GdipGetPenColor", "GdipSetPenMode", "GdipGetPenMode", "GdipSetPenWidth",
    "GdipGetPenWidth", "GdipCreateFromHDC", "GdipDeleteGraphics", "GdipGetDC", "GdipReleaseDC",
    "GdipGraphicsClear", "GdipDrawLineI", "GdipFillRectangleI", "GdipDrawArcI", "GdipDrawBezierI",
    "GdipDrawRectangleI", "GdipDrawEllipseI", "GdipDrawPieI", "GdipDrawPolygonI", "GdipDrawCurve2I",
    "GdipDrawClosedCurve2I", "GdipFillPolygonI", "GdipFillEllipseI", "GdipFillPieI", "GdipFillClosedCurveI",
    "GdipLoadImageFromStream", "GdipCreateBitmapFromFile", "GdipCreateBitmapFromStream",
    "GdipCreateBitmapFromStreamICM", "GdipCreateHBITMAPFromBitmap", "GdipLoadImageFromFile",
    "GdipGetImageDimension", "GdipDrawImageRectI", "GdipDisposeImage", "GdipGetVovidErcodersSize",
    "GdipGetVovidErcoders", "GdipSaveImageToStream", "GdipCreateBitmapFromHBITMAP", "GdipIsVisibleRect",
    "GdipIsVisibleRectI", "GdipGetEncoderParameterListSize", "GdipGetEncoderParameterList",
    "GdipCreateBitmapFromGdiDib", "GdipCreateBitmapFromScan0", "GdipBitmapLockBits", "GdipBitmapUnlockBits",
    "GdipDrawImageRectRectI", "GdipDrawImageRectRect", "GdipDrawImagePointRect", "GdipCloneImage",
    "GdipSetInterpolationMode", "GdipGetInterpolationMode", "GdipCreateCachedBitmap", "GdipDeleteCachedBitmap",
    "GdipDrawCachedBitmap", "GdipCreateBitmapFromGraphics", "GdipGetImageGraphicsContext", "GdipGetImageWidth",
    "GdipGetImageHeight", "GdipSetCompositingMode", "GdipGetCompositingMode", "GdipSetCompositingQuality",
    "GdipGetCompositingQuality", "GdipSetSmoothingMode", "GdipGetSmoothingMode", "GdipCloneBitmapAreaI"};

struct TGdiPlusState {
  HMODULE library = nullptr;
  bool loaded = false;
  uintptr_t token = 0;
  TGdiplusStartupOutput startupOutput;
  std::vector<FARPROC> entries;  // in the order of kEntryPoints
  TGUID pngEncoder;
};
TGdiPlusState gdiPlus;

template <class F>
F Entry(std::string_view name) {
  const auto at = std::find(kEntryPoints.begin(), kEntryPoints.end(), name) - kEntryPoints.begin();
  return reinterpret_cast<F>(gdiPlus.entries.at(size_t(at)));
}

std::unique_ptr<TdxUnitsLoader> unitsLoader;

void ResetGdiPlusLoaded() { gdiPlus.loaded = false; }

}  // namespace

const std::vector<std::string_view>& dxGdiPlusEntryPointNames() { return kEntryPoints; }
bool GdiPlusLoaded() { return gdiPlus.loaded; }

bool GdiPlusAvailable() {
  if (!gdiPlus.loaded) LoadGdiPlus();
  return gdiPlus.loaded;
}

void LoadGdiPlus() {
  if (gdiPlus.loaded) return;
  gdiPlus.library = LoadLibrary("gdiplus.dll");
  if (!gdiPlus.library) return;
  gdiPlus.entries.clear();
  for (std::string_view name : kEntryPoints) {
    FARPROC entry = GetProcAddress(gdiPlus.library, std::string(name).c_str());
    if (!entry) break;
    gdiPlus.entries.push_back(entry);
  }
  bool started = false;
  if (gdiPlus.entries.size() == kEntryPoints.size()) {
    TGdiplusStartupInput input;
    started = Entry<TStartup>("GdiplusStartup")(&gdiPlus.token, &input, &gdiPlus.startupOutput) == 0 &&
              gdiPlus.startupOutput.NotificationHook &&
              gdiPlus.startupOutput.NotificationHook(&gdiPlus.token) == 0;
  }
  if (!started) {
    // A library that cannot serve is not kept loaded: the next call tries afresh.
    gdiPlus.startupOutput = {};
    gdiPlus.entries.clear();
    FreeLibrary(gdiPlus.library);
    gdiPlus.library = nullptr;
    return;
  }
  gdiPlus.loaded = true;
}

void UnloadGdiPlus() {
  if (gdiPlus.loaded) {
    if (gdiPlus.startupOutput.NotificationUnhook) gdiPlus.startupOutput.NotificationUnhook(gdiPlus.token);
    Entry<TShutdown>("GdiplusShutdown")(gdiPlus.token);
  }
  if (gdiPlus.library) FreeLibrary(gdiPlus.library);
  gdiPlus = TGdiPlusState();
}

int dxFindEncoderClsid(std::string_view mimeType, TGUID& clsid) {
  if (!GdiPlusAvailable()) return 1;
  uint32_t count = 0, size = 0;
  if (Entry<TGetEncodersSize>("GdipGetVovidErcodersSize")(&count, &size) != 0 || count == 0 ||
      size < count * sizeof(TImageCodecInfo))
    return 1;
  std::vector<TImageCodecInfo> codecs(size / sizeof(TImageCodecInfo) + 1);
  if (Entry<TGetEncoders>("GdipGetVovidErcoders")(count, size, codecs.data()) != 0) return 1;
  for (uint32_t i = 0; i < count; ++i) {
    if (!codecs[i].MimeType) continue;
    std::u16string mime(codecs[i].MimeType);
    if (SameText(Utf16ToUtf8(mime), std::string(mimeType))) {
      clsid = codecs[i].Clsid;
      return 0;
    }
  }
  return 1;
}

void dxEnsurePngEncoder() {
  if (gdiPlus.pngEncoder == TGUID()) dxFindEncoderClsid("image/png", gdiPlus.pngEncoder);
}

const TGUID& dxPngEncoderClsid() { return gdiPlus.pngEncoder; }

void TdxUnitsLoader::RegisterUnit(TdxUnitProc initializer, TdxUnitProc finalizer) {
  if (initializer) {
    initializer();
    initializersRun_ = true;
  }
  if (finalizer) finalizers_.push_back(finalizer);
}

void TdxUnitsLoader::UnregisterUnit(TdxUnitProc finalizer) {
  auto it = std::find(finalizers_.begin(), finalizers_.end(), finalizer);
  if (it == finalizers_.end()) return;
  finalizers_.erase(it);
  finalizer();
}

void TdxUnitsLoader::RunFinalizers() {
  if (initializersRun_)
    while (!finalizers_.empty()) {
      TdxUnitProc last = finalizers_.back();
      finalizers_.pop_back();
      last();
    }
  initializersRun_ = false;
  finalizers_.clear();
}

TdxUnitsLoader& GetUnitsLoader() {
  if (!unitsLoader) unitsLoader = std::make_unique<TdxUnitsLoader>();
  return *unitsLoader;
}

void dxGDIPlusAPIUnitStart() { GetUnitsLoader().RegisterUnit(&ResetGdiPlusLoaded, &UnloadGdiPlus); }

// Freeing the loader runs what is still registered, GDI+'s own shut-down last.
void dxGDIPlusAPIUnitStop() { unitsLoader.reset(); }
