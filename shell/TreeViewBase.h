// The units of the tree-view library as far as this system runs them: their
// start-up and shut-down. No tree control is made here, so the globals that
// such a control would fill stay empty and are only freed when present.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/classes/resstrings.h"
#include "platform/classes/threads.h"
#include "platform/rtl/object.h"

// ---------------------------------------------------------------- the two small units
// The first points at the run-time library's messages of a bad format string
// from its start-up on (null before).
extern PResStringRec TreeViewInvalidFormatMessage, TreeViewArgumentMissingMessage;
void TreeViewMessagesInitialize();
void TreeViewMessagesFinalize();
// The second holds one global object, freed at its shut-down.
extern std::unique_ptr<TObject> TreeViewHelperObject;
void TreeViewHelperInitialize();
void TreeViewHelperFinalize();

// ---------------------------------------------------------------- TreeViewBase
// One operating-system critical section, made with the object and deleted with it.
class TTreeViewCriticalSection {
public:
  void Enter() { section_.Enter(); }
  void Leave() { section_.Leave(); }

private:
  TCriticalSection section_;
};

// Set by the tree control's first window (none here): TreeViewBaseFinalize
// then runs TreeViewGlobalCleanup.
extern bool TreeViewInitialized;
// Set when the library initialised OLE itself, so that the clean-up undoes it.
extern bool TreeViewNeedsOleUninitialize;
extern TTreeViewCriticalSection* TreeViewCriticalSection;
extern std::unique_ptr<TObject> TreeViewGlobalObject;
// The library's shared images (check boxes, buttons, hot and disabled states).
extern std::array<std::unique_ptr<TObject>, 9> TreeViewImages;
extern std::string TreeViewBanner;  // no text is given to it in this system
extern const char* const TreeViewLineBreak;  // CR LF
// The descriptions of the standard clipboard formats 1 (text) to 16 (locale);
// empty for any other format.
std::string_view ClipboardFormatDescription(uint32_t format);

// Ends the 1 ms timer period, frees the images and undoes the library's own
// OLE initialisation. The hint display is left alone: this program is no
// run-time package.
void TreeViewGlobalCleanup();
void TreeViewBaseInitialize();
void TreeViewBaseFinalize();
