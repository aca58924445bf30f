// Start-up and shut-down of the whole image library.
//
// Every library unit has a library-init and a library-fini routine. IEInitialize
// runs the twelve init routines in one fixed order, once per process however
// often it is called (a use count); IEFinalize runs the fini routines when the
// count returns to 0. The order lives in one table in ieinit.cpp.
//
// Units above the core take their place in the order by binding their routines
// to their slot (IEBindLibraryUnit) before start-up; the application binds them
// all before it starts the library. A slot nothing is bound to runs an empty
// routine. The optional vision plug-in's slot is one of these: its absence is
// not a failure.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/rtl/exceptions.h"

// The slots, in start-up order.
enum TIELibraryUnit : uint8_t {
  ieluGDIPlus,        // iegdiplus
  ieluDefs,           // iedefs: library defaults
  ieluUtils,          // ieutils: the core's own values
  ieluJ2000,          // iej2000
  ieluVect,           // ievect
  ieluIO,             // voviderio: format registry and I/O defaults
  ieluProc,           // voviderproc
  ieluView,           // voviderview
  ieluCCITT,          // tifccitt: fax code trees
  ieluTextControl,    // ietextc
  ieluPresetImages,   // iepresetim
  ieluVision,         // ievision: optional plug-in
  ieluCount
};

using TIELibraryRoutine = void (*)();

// Binds a unit's routines to its slot (null: empty routine). The core's own slot cannot be rebound.
void IEBindLibraryUnit(TIELibraryUnit unit, TIELibraryRoutine init, TIELibraryRoutine fini);
// The routine that fills the message tables during the core's own init (set by iedefs).
void IEBindMessageTables(TIELibraryRoutine fill);

void IEInitialize();
void IEFinalize();
// Number of IEInitialize calls not yet matched by IEFinalize.
int32_t IEInitializeCount();
// "STATICINIT" while the library is started, else empty.
std::string IEStartupMarker();

// The core's library-init and library-fini routines.
void IEUtilsInitialize();
void IEUtilsFinalize();

// The core unit's own initialization and finalization: the first run starts the
// library, the last one shuts it down.
void IEUtilsUnitInitialize();
void IEUtilsUnitFinalize();

// Calls that run upward. A lower unit that must reach one above it calls
// through a slot; the upper unit fills the slot in its library-init routine
// (or, for a unit without a place in the order above, in its bind routine)
// and empties it in its fini routine. A call that finds its slot empty raises
// EIESlotNotInstalled naming the slot.
//
//   slot                              called from                     filled by
//   IEParamsOwnerHooks.SetViewDpi     io: resolution of a record      view: VovidErViewInitialize
//                                     with an owner, UpdateViewDpi
//   IEIOFormatsUnit.Install/.Remove   io: IEIOInitialize/Finalize     formats: IEFormatsBindLibrary
//   IEColorRowProfileTransform        core: IEConvertColorRow with    io: IEIOInitialize (and the
//                                     a record and colour management  first record made)
//   IEExifTIFFBridge                  metadata: EXIF blocks (ieexif.h)  formats: IEIOFormatsUnit.Install
//                                     0 or an empty block when empty)
DX_EXCEPTION(EIESlotNotInstalled, Exception);
// Raises EIESlotNotInstalled with "<slot> is not installed".
[[noreturn]] void IERaiseSlotNotInstalled(std::string_view slot);

// Test hook: told the name of every init or fini routine as it runs
// ("IEDefsInitialize", ...), empty routines included. Empty function: off.
void IESetLibraryTrace(std::function<void(std::string_view routine)> trace);
