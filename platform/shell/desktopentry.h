// freedesktop.org desktop entries (Desktop Entry Specification 1.5): the
// files the shell treats as links besides symbolic links. Only what a link
// needs is read: the entry's type, name, target and icon.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct TDesktopEntry {
  std::string Type;  // "Application", "Link", "Directory"
  std::string Name;  // the unlocalised Name
  std::string Exec;  // Application: the command line
  std::string URL;   // Link: the target
  std::string Icon;
  bool Hidden = false;  // Hidden=true or NoDisplay=true

  // Type=Link or Type=Application: the shell shows the file as a link.
  bool IsLink() const { return Type == "Link" || Type == "Application"; }
};

// Reads a desktop entry from a file's bytes. Nothing when the text is not
// valid UTF-8, when the first group is not "[Desktop Entry]" (comments and
// blank lines may come first), when a line of that group is neither a
// comment, blank, nor key=value, or when Type is missing. Later groups
// (actions) are skipped; a key given twice keeps its first value. Values
// lose the escapes \s \n \t \r \\.
std::optional<TDesktopEntry> ParseDesktopEntry(std::string_view bytes);
// The same for a file; nothing when it cannot be read or exceeds 1 MiB.
std::optional<TDesktopEntry> ReadDesktopEntryFile(const std::string& path);
