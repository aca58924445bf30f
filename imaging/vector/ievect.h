// The vector unit: editable vector objects over the view and their stream
// format. What stands so far is the unit's library start-up and shut-down:
// the clipboard format of vector objects, the text editor's shortcuts and
// the unit's registry of named extensions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One entry of the unit's extension registry.
struct TIEVectExtension {
  std::string Name;
};

// Library-init routine of the vector unit: registers the clipboard format
// "VOVIDER VECT", sets the twelve editing shortcuts (IEEditShortcuts, Ctrl
// with L, E, R, J, C, X, V, F, B, I, U, G in that order) and makes the empty
// extension registry.
void IEVectInitialize();
// Library-fini routine: frees every registry entry and the registry.
void IEVectFinalize();
// Binds the two routines to the vector unit's slot of the library start-up,
// together with the units the vector unit stands on (IEViewBindLibrary).
void IEVectBindLibrary();

// The clipboard format number registered at start-up (0 before).
uint32_t IEVectClipboardFormat();
// The extension registry; null outside start-up and shut-down.
std::vector<std::unique_ptr<TIEVectExtension>>* IEVectExtensions();
