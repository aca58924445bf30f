#include "imaging/vector/iestartup.h"

#include "imaging/core/ieinit.h"
#include "imaging/formats/ieformats.h"
#include "imaging/io/iedefs.h"
#include "imaging/io/ieioset.h"
#include "imaging/processing/voviderproc.h"
#include "imaging/vector/ievect.h"

namespace {

void BindAllUnits() {
  IEDefsBindLibrary();
  IEIOBindLibrary();
  IEFormatsBindLibrary();
  IEProcBindLibrary();
  IEVectBindLibrary();  // with the view and GDI+ units it stands on
}

}  // namespace

void IEStartLibrary() {
  BindAllUnits();
  IEInitialize();
}

void IEStopLibrary() { IEFinalize(); }
