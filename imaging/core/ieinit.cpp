#include "imaging/core/ieinit.h"

#include "imaging/core/ieglobals.h"
#include "platform/classes/threads.h"
#include "platform/rtl/exceptions.h"

namespace {

struct TLibraryUnitRow {
  TIELibraryUnit unit;
  const char* initName;
  const char* finiName;
};

// The start-up order. Shut-down runs it backwards, except that the vision
// plug-in's fini routine runs last, after the GDI+ binding's.
constexpr TLibraryUnitRow kOrder[ieluCount] = {
    {ieluGDIPlus, "IEGDIPlusInitialize", "IEGDIPlusFinalize"},                 // GDI+ allowed, not loaded, no users
    {ieluDefs, "IEDefsInitialize", "IEDefsFinalize"},                          // gray weights, preview background
    {ieluUtils, "IEUtilsInitialize", "IEUtilsFinalize"},                       // core values, message tables
    {ieluJ2000, "IEJ2000Initialize", "IEJ2000Finalize"},                       // JPEG 2000 colour and format tables
    {ieluVect, "IEVectInitialize", "IEVectFinalize"},                          // vector clipboard format, shortcuts
    {ieluIO, "IEIOInitialize", "IEIOFinalize"},                                // format registry, I/O defaults
    {ieluProc, "IEProcInitialize", "IEProcFinalize"},                          // bit expansion, filter presets
    {ieluView, "VovidErViewInitialize", "VovidErViewFinalize"},                // screen metrics, inverting pen
    {ieluCCITT, "IECCITTInitialize", "IECCITTFinalize"},                       // fax decoders' code trees
    {ieluTextControl, "IETextControlInitialize", "IETextControlFinalize"},     // text-memo clipboard format
    {ieluPresetImages, "IEPresetImagesInitialize", "IEPresetImagesFinalize"},  // built-in preset images
    {ieluVision, "IEVisionInitialize", "IEVisionFinalize"},                    // optional plug-in; may be absent
};

constexpr const char* kStarted = "STATICINIT";

struct TLibraryState {
  TIELibraryRoutine inits[ieluCount] = {};
  TIELibraryRoutine finis[ieluCount] = {};
  TIELibraryRoutine fillMessageTables = nullptr;
  std::function<void(std::string_view)> trace;
  std::string marker;
  int32_t useCount = 0;
  int32_t unitRuns = 0;
  // Lives as long as the process, so no caller can ever wait on a lock that is gone.
  TCriticalSection lock;

  TLibraryState() {
    inits[ieluUtils] = &IEUtilsInitialize;
    finis[ieluUtils] = &IEUtilsFinalize;
  }
};

TLibraryState& State() {
  static TLibraryState state;
  return state;
}

void Run(TLibraryState& s, const char* name, TIELibraryRoutine routine) {
  if (s.trace) s.trace(name);
  if (routine) routine();
}

}  // namespace

void IEBindLibraryUnit(TIELibraryUnit unit, TIELibraryRoutine init, TIELibraryRoutine fini) {
  if (unit >= ieluCount || unit == ieluUtils) throw EArgumentException("This library unit slot cannot be bound");
  TLibraryState& s = State();
  TLockGuard guard(s.lock);
  s.inits[unit] = init;
  s.finis[unit] = fini;
}

void IERaiseSlotNotInstalled(std::string_view slot) {
  throw EIESlotNotInstalled(std::string(slot) + " is not installed");
}

void IEBindMessageTables(TIELibraryRoutine fill) {
  TLibraryState& s = State();
  TLockGuard guard(s.lock);
  s.fillMessageTables = fill;
}

void IESetLibraryTrace(std::function<void(std::string_view routine)> trace) {
  TLibraryState& s = State();
  TLockGuard guard(s.lock);
  s.trace = std::move(trace);
}

void IEInitialize() {
  TLibraryState& s = State();
  TLockGuard guard(s.lock);
  if (s.marker != kStarted) {
    s.marker = kStarted;
    s.useCount = 0;
  }
  // A routine that raises leaves the count as it was; the exception goes to the caller.
  if (s.useCount == 0)
    for (const TLibraryUnitRow& row : kOrder) Run(s, row.initName, s.inits[row.unit]);
  ++s.useCount;
}

void IEFinalize() {
  TLibraryState& s = State();
  TLockGuard guard(s.lock);
  // Never started, already shut down, or a start-up that failed: nothing to match.
  if (s.marker != kStarted || s.useCount <= 0) return;
  if (--s.useCount != 0) return;
  for (int i = ieluCount - 1; i >= 0; --i)
    if (kOrder[i].unit != ieluVision) Run(s, kOrder[i].finiName, s.finis[kOrder[i].unit]);
  Run(s, kOrder[ieluVision].finiName, s.finis[ieluVision]);
  s.marker.clear();
}

int32_t IEInitializeCount() {
  TLibraryState& s = State();
  TLockGuard guard(s.lock);
  return s.marker == kStarted ? s.useCount : 0;
}

std::string IEStartupMarker() {
  TLibraryState& s = State();
  TLockGuard guard(s.lock);
  return s.marker;
}

void IEUtilsInitialize() {
  IEProcessorCoresCache = -1;
  // This platform is none of the historic Windows releases; names go to it as wide (UTF-8) text.
  IEWindowsVersionClass = 9;
  IEUseWideFileAPI = IEWindowsVersionClass > 2;
  IEPreviewZoomFilter = rfFastLinear;
  TIELibraryRoutine fill;
  {
    TLibraryState& s = State();
    TLockGuard guard(s.lock);
    fill = s.fillMessageTables;
  }
  if (fill) fill();
  IEDefaultMemoryThreshold = -1;
  IEFileStorageFallback = true;
  IERowBlocksFallback = true;
  IEFillCosineBlendTable();
}

void IEUtilsFinalize() {
  // The shared default UI font and the colour-management library are made on
  // first use by their own units; their release belongs here once they exist.
}

void IEUtilsUnitInitialize() {
  TLibraryState& s = State();
  TLockGuard guard(s.lock);
  if (s.unitRuns == 0) IEInitialize();
  ++s.unitRuns;
}

void IEUtilsUnitFinalize() {
  TLibraryState& s = State();
  TLockGuard guard(s.lock);
  if (s.unitRuns <= 0 || --s.unitRuns != 0) return;
  IEFinalize();
  s.marker.clear();
}
