// Text conversions and code-point helpers.
//
// Text is UTF-8 in std::string. Where a routine speaks of characters it counts
// code points, and indexes are 1-based like the framework's string routines.
// UTF-16 and code pages appear only at the boundaries of files and clipboards.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Code pages the program converts. 1252 is the default for AnsiString bytes.
constexpr uint32_t CP_ACP = 0;  // the system's ANSI code page: Windows-1252 here
constexpr uint32_t CP_UTF8 = 65001;
constexpr uint32_t CP_UTF16LE = 1200;
constexpr uint32_t CP_UTF16BE = 1201;

// Malformed input is never fatal: invalid UTF-8 bytes and unpaired surrogates become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);
std::u32string Utf8ToUtf32(std::string_view s);
std::string Utf32ToUtf8(std::u32string_view s);
std::string CodePointToUtf8(char32_t cp);
bool IsValidUtf8(std::string_view s);
// Decodes the code point starting at byte pos and moves pos past it. A malformed sequence
// yields U+FFFD and advances over its maximal invalid prefix (at least one byte).
char32_t Utf8NextCodePoint(std::string_view s, size_t& pos);

// Code-page bytes <-> UTF-8 (through iconv). Unmappable characters become '?'.
// Raises EEncodingError for a code page this system cannot convert.
std::string CodePageToUtf8(std::string_view bytes, uint32_t codePage = CP_ACP);
std::string Utf8ToCodePage(std::string_view text, uint32_t codePage = CP_ACP);
bool IsCodePageSupported(uint32_t codePage);
// UTF-16 bytes without their mark; an odd last byte is dropped, as a truncated file's is.
std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian);

// Splits at CR LF, CR or LF; a final line break adds no empty line.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// Code-point counted helpers, 1-based.
int32_t CpLength(std::string_view s);
std::string CpCopy(std::string_view s, int32_t index, int32_t count);
int32_t CpPos(std::string_view sub, std::string_view s, int32_t offset = 1);  // 0 when absent
char32_t CpAt(std::string_view s, int32_t index);                            // 0 when out of range
std::string CpUpperCase(std::string_view s);  // full Unicode simple case mapping
std::string CpLowerCase(std::string_view s);
char32_t CpUpperChar(char32_t c);  // simple mapping of one code point; unchanged when it has none
char32_t CpLowerChar(char32_t c);
