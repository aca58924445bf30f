#include "shell/LvStreamIO.h"

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"

uint8_t LvReadByte(TStream* stream) {
  uint8_t b = 0;
  stream->ReadBuffer(&b, 1);
  return b;
}

uint16_t LvReadWord(TStream* stream) {
  uint8_t b[2];
  stream->ReadBuffer(b, 2);
  return uint16_t(b[0] | b[1] << 8);
}

int32_t LvReadInteger(TStream* stream) {
  uint8_t b[4];
  stream->ReadBuffer(b, 4);
  return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

void LvWriteByte(TStream* stream, uint8_t value) { stream->WriteBuffer(&value, 1); }

void LvWriteWord(TStream* stream, uint16_t value) {
  const uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
  stream->WriteBuffer(b, 2);
}

void LvWriteInteger(TStream* stream, int32_t value) {
  const uint32_t u = uint32_t(value);
  const uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
  stream->WriteBuffer(b, 4);
}

void LvCheckCount(TStream* stream, int32_t count, int32_t unitSize) {
  if (count < 0 || int64_t(count) * unitSize > stream->Size() - stream->Position())
    throw EReadError("Stream read error");
}
