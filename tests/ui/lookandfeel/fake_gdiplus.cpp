#include "tests/ui/lookandfeel/fake_gdiplus.h"

#include "ui/lookandfeel/dxGDIPlusAPI.h"

using namespace win;

namespace {

struct TStartupInput {
  uint32_t Version;
  void* DebugCallback;
  int32_t SuppressBackgroundThread, SuppressExternalCodecs;
};
struct TStartupOutput {
  int32_t (*Hook)(uintptr_t*);
  void (*Unhook)(uintptr_t);
};

int32_t startupStatus = 0;

int32_t Hook(uintptr_t* token) {
  FakeGdiPlusJournal().push_back("hook " + std::to_string(*token));
  return 0;
}
void Unhook(uintptr_t token) { FakeGdiPlusJournal().push_back("unhook " + std::to_string(token)); }

// The fake declares the library's structures itself, as the real library does,
// so the caller's pointer type names other (layout-equal) types.
#if defined(__clang__)
__attribute__((no_sanitize("function")))
#endif
int32_t Startup(uintptr_t* token, const TStartupInput* input, TStartupOutput* output) {
  FakeGdiPlusJournal().push_back("startup v" + std::to_string(input->Version) +
                                 (input->SuppressBackgroundThread == -1 ? " bg-suppressed" : " bg") +
                                 (input->DebugCallback || input->SuppressExternalCodecs ? " odd" : ""));
  if (startupStatus != 0) return startupStatus;
  *token = kFakeGdiPlusToken;
  output->Hook = &Hook;
  output->Unhook = &Unhook;
  return 0;
}
void Shutdown(uintptr_t token) { FakeGdiPlusJournal().push_back("shutdown " + std::to_string(token)); }
int32_t Unused() { return 6; }  // NotImplemented

}  // namespace

std::vector<std::string>& FakeGdiPlusJournal() {
  static std::vector<std::string> journal;
  return journal;
}

TFakeGdiPlus::TFakeGdiPlus(std::string missingEntry, int32_t status)
    : missing(std::move(missingEntry)), startupStatus(status) {
  ::startupStatus = status;
  FakeGdiPlusJournal().clear();
  table = std::make_unique<ScopedModuleTable>(std::vector<ModuleDefinition>{Module()});
}

// GDI+ is unloaded while its module is still in the table.
TFakeGdiPlus::~TFakeGdiPlus() { UnloadGdiPlus(); }

ModuleDefinition TFakeGdiPlus::Module() const {
  ModuleDefinition module;
  module.Name = "gdiplus.dll";
  for (std::string_view name : dxGdiPlusEntryPointNames()) {
    if (name == missing) continue;
    FARPROC address = reinterpret_cast<FARPROC>(&Unused);
    if (name == "GdiplusStartup") address = reinterpret_cast<FARPROC>(&Startup);
    if (name == "GdiplusShutdown") address = reinterpret_cast<FARPROC>(&Shutdown);
    module.Exports.push_back({std::string(name), 0, address});
  }
  return module;
}
