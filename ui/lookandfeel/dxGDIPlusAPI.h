// GDI+ bound at run time. gdiplus.dll is optional: when it is missing, lacks
// an entry point or does not start, GdiPlusAvailable is False (and asks again
// on the next call), images are null images and nothing fades. This platform
// has no gdiplus.dll.
//
// The units loader holds the start-up and shut-down routines of the units
// that need GDI+, so that GDI+ is shut down after its last user. In an
// executable, as here, an initialiser runs at once when registered.
#pragma once

#include <string_view>
#include <vector>

#include "platform/rtl/guid.h"
#include "platform/rtl/object.h"

bool GdiPlusAvailable();
// True while gdiplus.dll is loaded, every entry point bound and GDI+ started.
bool GdiPlusLoaded();
// Does nothing when already loaded; see GdiPlusLoaded for the outcome.
void LoadGdiPlus();
void UnloadGdiPlus();
// The entry points bound by name, in binding order.
const std::vector<std::string_view>& dxGdiPlusEntryPointNames();
// 0 with clsid set when an encoder of the MIME type (any case) exists, else 1.
int dxFindEncoderClsid(std::string_view mimeType, TGUID& clsid);
void dxEnsurePngEncoder();
const TGUID& dxPngEncoderClsid();

using TdxUnitProc = void (*)();

class TdxUnitsLoader : public TObject {
  DX_CLASS(TdxUnitsLoader, TObject)
public:
  ~TdxUnitsLoader() override { RunFinalizers(); }
  // In an executable the initialiser runs at once (a library would keep it
  // for its host to run; this system is never built as one).
  void RegisterUnit(TdxUnitProc initializer, TdxUnitProc finalizer);
  // Runs the finaliser when it was registered.
  void UnregisterUnit(TdxUnitProc finalizer);
  // When initialisers have run: every finaliser, the last registered first.
  void RunFinalizers();
  bool HasFinalizers() const { return !finalizers_.empty(); }

private:
  std::vector<TdxUnitProc> finalizers_;
  bool initializersRun_ = false;  // one loader per process: the process's record
};

// Made on the first call; freed by dxGDIPlusAPIUnitStop.
TdxUnitsLoader& GetUnitsLoader();

void dxGDIPlusAPIUnitStart();
void dxGDIPlusAPIUnitStop();
