// Start-up and shut-down of the shell and list-view libraries, for the
// program's unit table. Each unit starts once and stops once however often
// these run; shut-down runs the units in the reverse order.
#pragma once

#include <cstdint>

class TLvAlphaBlender;

// The list-view unit's globals between its start-up and shut-down.
extern TLvAlphaBlender* AlphaBlender;
// Major version in the high word, minor in the low; 0xFFFFFFFF when unreadable.
extern uint32_t CommonControlsVersion;
// The column header's split cursor and drag format.
constexpr int32_t crVEasyHeaderSplit = 768;
extern uint16_t CF_LVHEADER;

// The list view's view names and sort-algorithm names, constant data.
extern const char* const LvViewNames[8];
extern const char* const LvSortAlgorithmNames[3];

// The 13 list-view element classes, registered for streaming in their order.
void RegisterListviewClasses();

// Stops the program (exit code 1, one line on stderr) when shell32 lacks the
// PIDL tests, after shutting down what had started.
void ShellLibrariesInitialize();
void ShellLibrariesFinalize();
