#include "imaging/processing/voviderproc.h"

#include "imaging/core/ieinit.h"

void IEProcInitialize() { IEBitExpansionTable(); }

void IEProcFinalize() {}

void IEProcBindLibrary() { IEBindLibraryUnit(ieluProc, &IEProcInitialize, &IEProcFinalize); }
