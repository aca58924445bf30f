// The caption units of the shell library and of the shell tools: texts that
// are set when their unit starts and emptied when it stops. Texts are kept
// exactly as written, spelling slips included.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// The shell library's 28 captions, in their order.
enum TShellCaption : uint8_t {
  scError,
  scNewFolder,
  scUnknownCommand,
  scProperties,
  scPaste,
  scPasteShortcut,
  scColumnTitles,                         // ten: Name, Size, Type, ... Custom, by column
  scAttributeLetters = scColumnTitles + 10,  // five: archive, hidden, read-only, system, compressed
  scKB = scAttributeLetters + 5,
  scZeroKB,
  scOneKB,
  scSystemFolder,
  scFile,  // " File", with its leading blank
  scNoTargetApplication,
  scPIDLsNotSiblings,
  scShellCaptionCount
};
extern std::array<std::string, scShellCaptionCount> ShellCaptions;
void ShCaptionsInitialize();
void ShCaptionsFinalize();

// The shell tools' 68 texts: 40 single texts from "Warning" to "File exists.
// Overwrite existing file?", the 20 change-event names, then 8 single texts
// from "Unknown Command" on.
constexpr size_t stcChangeEventNames = 40, stcUnknownCommand = 60, ShellToolsCaptionCount = 68;
extern std::array<std::string, ShellToolsCaptionCount> ShellToolsCaptions;
// The change events' names by event bit from 0, which the shell tools and the
// change notifier each copy into their own texts.
inline constexpr const char* ChangeEventNameLiterals[20] = {
    "Assocciation Changed", "Attributes",     "Item Create",       "Item Delete",      "Drive Add",
    "Drive Add GUI",        "Drive Removed",  "Free Space",        "Media Inserted",   "Media Removed",
    "Make Directory",       "Network Share",  "Network Unshare",   "Folder Rename",    "Item Rename",
    "Remove Directory",     "Server Disconnect", "Update Directory", "Update Image",   "Update Item"};
void ShToolsCaptionsInitialize();
void ShToolsCaptionsFinalize();
