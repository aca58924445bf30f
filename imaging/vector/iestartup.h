// The one start-up of the whole image library, for the program and its tests
// alike: every unit binds its routines to its slot of the start-up order
// (ieinit.h), then the library starts. This sits in the highest imaging
// library, the only one that sees every unit.
#pragma once

// Binds every unit (library defaults, I/O, formats, processing, view, GDI+,
// vector) and calls IEInitialize. Each call is one use: match it with
// IEStopLibrary.
void IEStartLibrary();
// IEFinalize: the last use shuts the library down.
void IEStopLibrary();
