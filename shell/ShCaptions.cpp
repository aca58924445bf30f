#include "shell/ShCaptions.h"

#include "shell/UnitSupport.h"

std::array<std::string, scShellCaptionCount> ShellCaptions;
std::array<std::string, ShellToolsCaptionCount> ShellToolsCaptions;

namespace {

constexpr const char* kShellCaptions[scShellCaptionCount] = {
    "Error", "New Folder", "Unknown Command", "Properties", "Paste", "Paste Shortcut",
    // column titles
    "Name", "Size", "Type", "Modified", "Attributes", "Created", "Accessed", "Path", "DOS Name", "Custom",
    // attribute letters
    "A", "H", "R", "S", "C",
    "KB", "0 KB", "1 KB", "System Folder", " File", "No target application defined",
    "PIDLs to operate on are not siblings of the Namespace doing the operation."};

constexpr const char* kToolsLeadingTexts[stcChangeEventNames] = {
    "Warning", "Open", "Last hour", "Last twenty-four hours", "This week", "Two weeks ago", "Three weeks ago",
    "A month ago", "Two months ago", "Three months ago", "Four months ago", "Five months ago", "Six months ago",
    "Earlier this year", "A long time ago", "Zero", "Tiny", "Small", "Medium", "Large", "Gigantic",
    "System Folders", "Folders", "More...", "Column settings",
    "Check the columns you would like to make visible in this Folder.  Drag and Drop to reorder the columns. ",
    "The selected column should be ", "pixels wide", "LiveUpdate", "OK", "Cancel",
    "Invalid pathname for Custom Root Path", "More ...", "Invalid Path", "Windows can not find \"",
    "\" Please check the spelling and try again.", "New ", "Folder", "Shortcut",
    "File exists.  Overwrite existing file?"};
constexpr const char* kToolsTrailingTexts[ShellToolsCaptionCount - stcUnknownCommand] = {
    "Unknown Command", "a", "print", "properties", "A KernelChangeNotifier is still registered with a Control",
    "A ShellChangeThread is still registered with a Control", "ChangeDispatchThread is still registered",
    ("A control must be registered with the ShellChangeNotifier using RegisterShellChangeNotify before this "
     "method may be used.")};

TUnitCounter captionsUnit, toolsCaptionsUnit;

}  // namespace

void ShCaptionsInitialize() {
  if (captionsUnit.Starting()) SetUnitTexts(ShellCaptions, kShellCaptions);
}

void ShCaptionsFinalize() {
  if (captionsUnit.Stopping()) ReleaseUnitTexts(ShellCaptions);
}

void ShToolsCaptionsInitialize() {
  if (!toolsCaptionsUnit.Starting()) return;
  size_t i = 0;
  for (const char* t : kToolsLeadingTexts) ShellToolsCaptions[i++] = t;
  for (const char* t : ChangeEventNameLiterals) ShellToolsCaptions[i++] = t;
  for (const char* t : kToolsTrailingTexts) ShellToolsCaptions[i++] = t;
}

void ShToolsCaptionsFinalize() {
  if (toolsCaptionsUnit.Stopping()) ReleaseUnitTexts(ShellToolsCaptions);
}
