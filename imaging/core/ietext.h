// Text, number, file-name and Base64 routines shared by the format readers and
// writers, the I/O component and the dialogs.
//
// The "Ansi" routines work on the 8-bit texts of file headers and tags. They
// touch ASCII only (case mapping of a..z / A..Z, trimming of bytes <= 32), so
// they are safe on code-page bytes and on UTF-8 alike. Positions are 1-based.
// Numbers written into files and texts always use "." as decimal separator.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/classes/streams.h"
#include "platform/rtl/sysutils.h"

std::string IEAnsiTrim(std::string_view s);
std::string IEAnsiUpperCase(std::string_view s);
std::string IELowerCaseAnsi(std::string_view s);
std::string IEAnsiIntToStr(int64_t n);
// Never raises: default when s is not an integer.
int32_t IEAnsiStrToIntDef(std::string_view s, int32_t def);
std::string IEAnsiCopy(std::string_view s, int32_t index, int32_t count);
// Upper-case digits, at least `digits` of them; negative values in 32-bit two's complement.
std::string IEIntToHexAnsi(int32_t n, int32_t digits);
// 0 when absent.
int32_t IEAnsiPos(std::string_view subStr, std::string_view s);

// The extension of the lower-cased name (from the last "." of its file-name
// part), without the dot unless withDot. Empty when there is none.
std::string IEExtractFileExtLower(std::string_view name, bool withDot);
std::string IEExtractFileExtLowerAnsi(std::string_view name, bool withDot);
std::string IEExtractFileExtLowerWide(std::string_view name, bool withDot);

// A heap copy of a zero-terminated text; null for null.
std::unique_ptr<char[]> IEAnsiStrNew(const char* p);

std::string IEFloatToStrF(long double value, TFloatFormat format, int32_t precision, int32_t digits);
char IEGetDecimalSeparator();
// The framework's general format (15 significant digits) with "." as separator on every locale.
std::string IEFloatToStrDot(long double value);
std::string IEFloatToAnsiDot(long double value);
// With the locale's thousands separators, no decimals.
std::string IEFormatThousands(int64_t n);
// Below limit: "<n> bytes"; else "<n div 1024> KB" (both with thousands separators).
std::string IEBytesToText(int64_t value, int64_t limit);

// 1 "http://", 2 "https://", 3 "ftp://" (any case) at the start of s, else 0.
int32_t IEGetURLType(std::string_view s);
int32_t IEGetURLTypeAnsi(std::string_view s);

// True when a file (not a folder) of that name exists.
bool IEWideFileExists(const std::string& name);
bool IEFileExistsW(const std::string& name);

// directory + prefix + "-" + 8 upper-case hex digits + ".tmp", a name no file has yet.
std::string IEMakeTempFileName(std::string_view prefix, std::string_view directory);

inline int32_t IEIfThenInt(bool flag, int32_t a, int32_t b) { return flag ? a : b; }
inline double IEIfThenFloat(bool flag, double a, double b) { return flag ? a : b; }
inline void* IEIfThenPointer(bool flag, void* a, void* b) { return flag ? a : b; }
inline uint8_t IEIfThenByte(bool flag, uint8_t a, uint8_t b) { return flag ? a : b; }

inline uint16_t IEByteSwap16If(uint16_t value, bool swap) {
  return swap ? uint16_t((value >> 8) | (value << 8)) : value;
}
inline uint32_t IEByteSwap32If(uint32_t value, bool swap) {
  return swap ? (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24) : value;
}

// Base64 of count (1..3) bytes into 4 characters, "=" for the missing ones.
void IEEncodeBase64Group(const uint8_t* bytes, int32_t count, char out[4]);
// Base64 of the stream from its position to its end, into textFile as lines of
// lineLength / 4 groups (a fraction rounds up; lineLength <= 0: one line), each
// ended by a line feed. Raises EWriteError when textFile takes fewer bytes.
void IEWriteBase64Lines(TStream& stream, TStream& textFile, int32_t lineLength);
