#include "imaging/io/ieioset.h"

#include "imaging/core/iecmyk.h"
#include "imaging/core/ieconvert.h"
#include "imaging/core/iefilestorage.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/ieinit.h"
#include "imaging/core/ierowconv.h"
#include "imaging/io/ieregistry.h"

bool IEBufferedStreamRelative = false;
int32_t IEMaxMetafileSize = 8000;

namespace {
std::function<void()>& FormatsInstall() {
  static std::function<void()> f;
  return f;
}
std::function<void()>& FormatsRemove() {
  static std::function<void()> f;
  return f;
}
}  // namespace

void IEIOSetFormatsUnitHooks(std::function<void()> install, std::function<void()> remove) {
  FormatsInstall() = std::move(install);
  FormatsRemove() = std::move(remove);
}

void IEIOInitialize() {
  IEUseFrameworkFileExists = false;
  // The codec procedures come from the format units (IEDef*LZW* of ioparams.h).
  if (FormatsInstall()) FormatsInstall()();
  IETempDirectory.clear();
  IERegisterBuiltinFormats();
  // No AVI library and no WinINet on this platform: nothing to start or bind.
  IEConvertColorRowProc = IEConvertColorRow;
  IEColorManagement = false;
  IEQuantizerMethod = -1;
  IENeuQuantSampling = -1;
  IEBufferedStreamRelative = false;
  IECMYKProfileEnabled = true;
  IEMaxMetafileSize = 8000;
}

void IEIOFinalize() {
  IEFreeCMYKProfiles();
  IEFileFormatsFree();
  if (FormatsRemove()) FormatsRemove()();
}

void IEIOBindLibrary() { IEBindLibraryUnit(ieluIO, IEIOInitialize, IEIOFinalize); }

