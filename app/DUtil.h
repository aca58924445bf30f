// The viewer's utility routines: paths and drives, numbers and text, debug
// output and timing, the German-language test, deleting to the recycle bin,
// and TClippedStream, a read-only window onto a byte range of another stream.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "platform/classes/streams.h"
#include "platform/rtl/types.h"

// Shell special folders (the ids the platform numbers them by).
enum : int32_t {
  CSIDL_DESKTOP = 0x0000,
  CSIDL_PERSONAL = 0x0005,
  CSIDL_APPDATA = 0x001A,
  CSIDL_LOCAL_APPDATA = 0x001C,
  CSIDL_MYPICTURES = 0x0027,
  CSIDL_PROFILE = 0x0028,
  CSIDL_FLAG_DONT_VERIFY = 0x4000,
  CSIDL_FLAG_CREATE = 0x8000
};

// The drive type (platform/shell/shell.h) of the file system holding path.
int32_t GetDriveTypeOfPath(const std::string& path);
// A special folder with a trailing delimiter, or empty. With create, a
// missing folder is made (unless the id carries a flag of its own).
std::string GetSpecialFolderPath(int32_t folderId, bool create);
// The per-user application-data folder with a trailing delimiter: $XDG_CONFIG_HOME or ~/.config.
std::string GetAppDataDir();
// The folder of the program file, with a trailing delimiter.
std::string GetApplicationDir();

// A decimal integer with an optional sign, or "$" and hexadecimal digits.
bool IsNumber(const std::string& text);
// Every decimal digit of any script (and superscript and subscript digits)
// turned into its ASCII digit; U+206E and U+206F dropped.
std::string FoldDigits(const std::string& text);
std::string FloatValueToStr(double value);
// Number format with thousands separators and digits decimals; with trim,
// trailing zeros and then a trailing decimal separator go (12.50000000 -> 12.5).
std::string FloatToStrTrimmed(int32_t precision, int32_t digits, bool trim, double value);
int64_t MakeInt64(uint32_t low, uint32_t high);
// Index of the first element equal to text ignoring case, else -1.
int32_t IndexOfStrInArray(const std::string& text, std::span<const std::string> array);
bool MatchStrInArray(const std::string& text, std::span<const std::string> array);
// "left, top, right, bottom".
std::string RectToStr(const TRect& rect);
void SwapIntegers(int32_t& a, int32_t& b);
// text without any occurrence of each of the characters (code points) of chars.
std::string RemoveChars(const std::string& text, const std::string& chars);

// Sends a line to the debugger: by default to standard error, and only while
// a debugger is attached. A handler set here receives every line instead
// (nil restores the default); the previous handler is returned.
using TDebugOutputHandler = std::function<void(const std::string& text)>;
TDebugOutputHandler SetDebugOutputHandler(TDebugOutputHandler handler);
void DebugOutput(const std::string& text);
void DebugLog(const std::string& text);

// True when the user's interface language is German (Germany, Switzerland,
// Austria, Luxembourg or Liechtenstein).
bool IsGermanUILanguage();

// Millisecond timing for debug output.
void SpeedMeasureStart();
// Logs "SpeedMeasure (name) ms" (or "SpeedMeasure: ms" without a name),
// restarts the timer and returns the elapsed milliseconds.
uint32_t SpeedMeasureStop(const std::string& name = {});
void NoOperation();

// Moves the file into the user's Trash (the freedesktop.org trash, which
// desktop file managers show and restore from). Never deletes: when the file
// cannot be moved into a trash on its own file system, it stays where it is
// and the answer is False. Without noConfirmation the confirmation handler (when
// one is set) is asked first and may refuse. window and silent are kept for
// callers of the platform's shape; nothing is shown here.
using TRecycleConfirmHandler = std::function<bool(const std::string& path)>;
TRecycleConfirmHandler SetRecycleConfirmHandler(TRecycleConfirmHandler handler);
bool DeleteFileToRecycleBin(void* window, const std::string& path, bool noConfirmation, bool silent);

// A read-only window (start, size) onto another stream, which it neither owns
// nor moves except in Seek: seek the window before the first Read. Positions
// run from 0 to size; reads stop at the window's end, seeks are clamped to it,
// writes take nothing.
class TClippedStream : public TStream {
  DX_CLASS(TClippedStream, TStream)
public:
  TClippedStream(TStream& source, int64_t start, int64_t size);
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
  int64_t start_;
  int64_t size_;
  int64_t position_;  // absolute, in the source
  TStream& source_;
};
