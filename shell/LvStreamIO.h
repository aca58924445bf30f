// Little-endian values of the list view's stream records. Every read is
// bounded: a short read raises EReadError, and a count or length taken from
// the stream must fit in the bytes left before anything is allocated for it.
#pragma once

#include <cstdint>

class TStream;

uint8_t LvReadByte(TStream* stream);
uint16_t LvReadWord(TStream* stream);
int32_t LvReadInteger(TStream* stream);
void LvWriteByte(TStream* stream, uint8_t value);
void LvWriteWord(TStream* stream, uint16_t value);
void LvWriteInteger(TStream* stream, int32_t value);
// EReadError unless 0 <= count and count * unitSize bytes remain.
void LvCheckCount(TStream* stream, int32_t count, int32_t unitSize);
