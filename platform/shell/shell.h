// What the viewer needs of the desktop shell and the kernel, in Linux terms:
// the user's language from the locale environment, natural name order,
// the XDG base folders, the kind of file system a path lies on, and whether
// a debugger is watching.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Language and locale ids as the platform numbers them.
using LANGID = uint16_t;
using LCID = uint32_t;

// The user's interface language as a platform language id (1031 German, 1033
// English, ...), from LANGUAGE (when the locale is not C/POSIX), LC_ALL,
// LC_MESSAGES and LANG, the way message catalogues choose; 0 when none is set.
LANGID LocaleUILanguage();
// The user's locale as a locale id, from LC_ALL, then LANG; English (1033) when unset.
LCID GetUserDefaultLCID();
// The language id of a locale name such as "de_AT.UTF-8" or "de-CH"; 4096
// (a custom locale) for a language this table does not know, 1033 for C/POSIX.
LANGID LanguageIdOfLocale(std::string_view locale);

// Natural order as the platform's file browser sorts names: letters compared
// ignoring case, runs of ASCII digits compared by their value ("img2" before
// "img10"). Below 0, 0 or above 0.
int32_t NaturalCompare(std::string_view a, std::string_view b);

// The home folder ($HOME, else the password database), without a trailing delimiter.
std::string UserHomeDir();
// $XDG_CONFIG_HOME (when absolute), else ~/.config.
std::string XdgConfigHome();
// $XDG_DATA_HOME (when absolute), else ~/.local/share.
std::string XdgDataHome();

// Drive types of the platform's drive query.
enum : int32_t {
  DRIVE_UNKNOWN = 0, DRIVE_NO_ROOT_DIR = 1, DRIVE_REMOVABLE = 2, DRIVE_FIXED = 3,
  DRIVE_REMOTE = 4, DRIVE_CDROM = 5, DRIVE_RAMDISK = 6
};
// The kind of the file system holding path (or its nearest existing parent):
// fixed only for local disk file systems; network and FUSE file systems count
// as remote, FAT/exFAT/NTFS as removable, ISO 9660/UDF as CD-ROM, tmpfs and
// ramfs as RAM disk; an unknown kind gives DRIVE_UNKNOWN.
int32_t DriveTypeOfPath(const std::string& path);

// True while a debugger (a tracer) is attached to the process.
bool IsDebuggerPresent();
// The full name of the running program.
std::string ExecutablePath();
