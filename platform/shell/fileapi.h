// The file-system calls the shell library makes, over the kernel's directory
// streams, stat and statvfs: folder searches with find-data records, file
// attributes, free disk space, the process error mode and the table of
// drive letters (empty on Linux unless a caller maps one).
//
// Names are UTF-8 and pass to the kernel byte for byte, so a name that is not
// valid UTF-8 is still found and opened. Times are file times: 100-nanosecond
// ticks since 1601-01-01 UTC.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// File attributes as the platform's find data carries them.
enum : uint32_t {
  FILE_ATTRIBUTE_READONLY = 0x0001,   // we may not write it
  FILE_ATTRIBUTE_HIDDEN = 0x0002,     // a dot-name
  FILE_ATTRIBUTE_DIRECTORY = 0x0010,  // a folder, or a link to one
  FILE_ATTRIBUTE_NORMAL = 0x0080,     // none of the others
  FILE_ATTRIBUTE_REPARSE_POINT = 0x0400,  // a symbolic link
};
constexpr uint32_t INVALID_FILE_ATTRIBUTES_VALUE = 0xFFFFFFFF;

// One entry of a folder search.
struct TWin32FindData {
  uint32_t dwFileAttributes = 0;
  int64_t ftCreationTime = 0;
  int64_t ftLastAccessTime = 0;
  int64_t ftLastWriteTime = 0;
  uint64_t nFileSize = 0;  // 0 for folders
  std::string cFileName;
  std::string cAlternateFileName;  // no short names here: always empty
};

// The error of the last failing call below on this thread, as the platform
// numbers them (2 file not found, 3 path not found, 5 access denied, 18 no
// more files, 123 bad name, 21 not ready).
uint32_t ShellFileError();

// A search handle; 0 is never one.
using TFindHandle = intptr_t;
constexpr TFindHandle kInvalidFindHandle = -1;

// Searches the folder part of pattern for names matching its last part ('*'
// and '?'; a last part without wildcards names one entry). The first match
// fills data. Every entry counts, "." and ".." included, as the platform's
// search reports them; a dangling link is listed as itself.
TFindHandle FindFirstFileW(std::string_view pattern, TWin32FindData* data);
// False at the end (error 18) or for a handle that is not open.
bool FindNextFileW(TFindHandle find, TWin32FindData* data);
bool FindClose(TFindHandle find);
// How many searches are open (for leak checks).
size_t OpenFindHandleCount();

// The attributes of one file; INVALID_FILE_ATTRIBUTES_VALUE when it cannot be reached.
uint32_t GetFileAttributesW(std::string_view name);

// Free space of the file system holding root (any path on it).
bool GetDiskFreeSpaceExW(std::string_view root, uint64_t* availableToCaller, uint64_t* total, uint64_t* totalFree);
// The same in clusters: one cluster is the file system's fragment size, counted
// as one sector of that many bytes; counts above 32 bits are clamped.
bool GetDiskFreeSpaceW(std::string_view root, uint32_t* sectorsPerCluster, uint32_t* bytesPerSector,
                       uint32_t* freeClusters, uint32_t* clusters);

// The process error mode: stored and handed back, nothing on Linux prompts for media.
constexpr uint32_t SEM_FAILCRITICALERRORS = 0x0001, SEM_NOOPENFILEERRORBOX = 0x8000;
uint32_t SetErrorMode(uint32_t mode);  // the previous mode

// Drive letters do not exist on Linux; a caller may map one to a folder.
// Letters are 'A' to 'Z' in either case; an empty folder removes a mapping.
bool MapDriveLetter(char letter, const std::string& folder);
// The folder a letter stands for, or "".
std::string DriveLetterFolder(char letter);
// True when the letter is mapped and its folder can be listed.
bool DriveIsReady(char letter);
