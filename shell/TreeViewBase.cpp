#include "shell/TreeViewBase.h"

#include <iterator>

#include "platform/com/com.h"
#include "platform/win/timeperiod.h"
#include "shell/UnitSupport.h"

// ---------------------------------------------------------------- the two small units

PResStringRec TreeViewInvalidFormatMessage = nullptr, TreeViewArgumentMissingMessage = nullptr;
std::unique_ptr<TObject> TreeViewHelperObject;

namespace {
TUnitCounter helperUnit, baseUnit;
}

// Setting the pointers again is harmless, so this unit needs no counter.
void TreeViewMessagesInitialize() {
  TreeViewInvalidFormatMessage = &SInvalidFormat;
  TreeViewArgumentMissingMessage = &SArgumentMissing;
}

// The messages are the run-time library's own and outlive the unit.
void TreeViewMessagesFinalize() {}

void TreeViewHelperInitialize() { helperUnit.Starting(); }

void TreeViewHelperFinalize() {
  if (helperUnit.Stopping()) TreeViewHelperObject.reset();
}

// ---------------------------------------------------------------- TreeViewBase

bool TreeViewInitialized = false;
bool TreeViewNeedsOleUninitialize = false;
TTreeViewCriticalSection* TreeViewCriticalSection = nullptr;
std::unique_ptr<TObject> TreeViewGlobalObject;
std::array<std::unique_ptr<TObject>, 9> TreeViewImages;
std::string TreeViewBanner;
const char* const TreeViewLineBreak = "\r\n";

namespace {
constexpr const char* kClipboardFormatDescriptions[16] = {
    "Plain text",  "Windows bitmap",  "Windows metafile", "Symbolic link",  "Data interchange format",
    "Tiff image",  "OEM text",        "DIB image",        "Palette data",   "Pen data",
    "Riff audio data", "Wav audio data", "Unicode text", "Enhanced metafile image", "File name(s)",
    "Locale descriptor"};
}  // namespace

std::string_view ClipboardFormatDescription(uint32_t format) {
  if (format < 1 || format > std::size(kClipboardFormatDescriptions)) return {};
  return kClipboardFormatDescriptions[format - 1];
}

void TreeViewGlobalCleanup() {
  win::timeEndPeriod(1);
  for (std::unique_ptr<TObject>& image : TreeViewImages) image.reset();
  if (TreeViewNeedsOleUninitialize) {
    TreeViewNeedsOleUninitialize = false;
    win::OleUninitialize();
  }
}

void TreeViewBaseInitialize() {
  if (!baseUnit.Starting()) return;
  TreeViewInitialized = false;
  TreeViewNeedsOleUninitialize = false;
  TreeViewCriticalSection = new TTreeViewCriticalSection;
}

void TreeViewBaseFinalize() {
  if (!baseUnit.Stopping()) return;
  if (TreeViewInitialized) {
    TreeViewInitialized = false;
    TreeViewGlobalCleanup();
  }
  TreeViewGlobalObject.reset();
  TTreeViewCriticalSection* section = TreeViewCriticalSection;
  TreeViewCriticalSection = nullptr;
  delete section;
  std::string().swap(TreeViewBanner);
}
