#include "imaging/io/ieioset.h"

#include "imaging/core/iecmyk.h"
#include "imaging/core/ieconvert.h"
#include "imaging/core/iefilestorage.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/ieinit.h"
#include "imaging/core/ierowconv.h"
#include "imaging/io/ieregistry.h"
#include "imaging/io/ioparams.h"

bool IEBufferedStreamRelative = false;
int32_t IEMaxMetafileSize = 8000;

TIEIOFormatsUnit IEIOFormatsUnit;

void IEIOInitialize() {
  // The codec procedures (IEDef*LZW* of ioparams.h), content tests and
  // readers of the built-in formats come from the format units.
  if (!IEIOFormatsUnit.Install) IERaiseSlotNotInstalled("IEIOFormatsUnit.Install");
  IEUseFrameworkFileExists = false;
  IETempDirectory.clear();
  IERegisterBuiltinFormats();
  IEIOFormatsUnit.Install();
  IEInstallColorRowProfileTransform();
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
  if (!IEIOFormatsUnit.Remove) IERaiseSlotNotInstalled("IEIOFormatsUnit.Remove");
  IEFreeCMYKProfiles();
  IEFileFormatsFree();
  IEIOFormatsUnit.Remove();
}

void IEIOBindLibrary() { IEBindLibraryUnit(ieluIO, IEIOInitialize, IEIOFinalize); }

