// Encoders of the PostScript and PDF writers: ASCII85 text, run-length
// (PackBits, the byte layout of PostScript's RunLengthDecode filter) and lines
// of program text. The encoders write into memory the caller sizes; the Bound
// routines give the most they can write.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/classes/streams.h"

// count (0..4) bytes from source, first byte most significant, as base-85
// digits from '!': count + 1 characters, or "z" alone for four zero bytes.
// Advances both pointers and returns the characters written.
int32_t IEASCII85Group(const uint8_t*& source, int32_t count, char*& destination);

// length bytes in groups of four (the last shorter); CR LF after a group that
// takes the line past 74 characters; "~>" CR LF at the end. counter grows by
// the group characters only; the result counts every character written.
// Length 0 still writes one empty group, "!".
int32_t IEASCII85Encode(const uint8_t*& source, int32_t length, char*& destination, int32_t& counter);
// Most characters IEASCII85Encode writes for length bytes.
int64_t IEASCII85EncodeBound(int32_t length);

// Runs of 2..128 equal bytes as (257 - run, byte); other bytes as literal
// blocks of up to 128 as (length - 1, bytes); then the end-of-data byte 128.
// Returns the bytes written.
int32_t IEPackBitsEncode(const uint8_t* source, int32_t length, uint8_t* destination);
// Most bytes IEPackBitsEncode writes for length bytes: 2 * length + 1.
int64_t IEPackBitsEncodeBound(int32_t length);

// The UTF-8 text in the system code page, then CR LF. Raises EWriteError on a short write.
void IEStreamWriteLine(TStream& stream, std::string_view text);
