#include "imaging/io/ieencoders.h"

#include <algorithm>
#include <string>

#include "platform/rtl/text.h"

int32_t IEASCII85Group(const uint8_t*& source, int32_t count, char*& destination) {
  count = std::clamp(count, 0, 4);
  uint32_t value = 0;
  for (int32_t i = 0; i < 4; ++i) value = (value << 8) | (i < count ? source[i] : 0u);
  source += count;
  if (count == 4 && value == 0) {
    *destination++ = 'z';
    return 1;
  }
  static constexpr uint32_t kDivisors[5] = {52200625u, 614125u, 7225u, 85u, 1u};
  for (int32_t i = 0; i <= count; ++i) *destination++ = char((value / kDivisors[i]) % 85 + 33);
  return count + 1;
}

int32_t IEASCII85Encode(const uint8_t*& source, int32_t length, char*& destination, int32_t& counter) {
  int32_t written = 0;
  int32_t line = 0;
  int32_t left = std::max(length, 0);
  do {
    const int32_t n = std::min(left, 4);
    const int32_t chars = IEASCII85Group(source, n, destination);
    left -= n;
    counter += chars;
    written += chars;
    line += chars;
    if (line > 74) {
      *destination++ = '\r';
      *destination++ = '\n';
      written += 2;
      line = 0;
    }
  } while (left > 0);
  for (char c : {'~', '>', '\r', '\n'}) *destination++ = c;
  return written + 4;
}

int64_t IEASCII85EncodeBound(int32_t length) {
  const int64_t groups = std::max<int64_t>((int64_t(std::max(length, 0)) + 3) / 4, 1);
  // Five characters a group, a line break at most every 15 groups, the trailer.
  return groups * 5 + (groups / 15 + 1) * 2 + 4;
}

int32_t IEPackBitsEncode(const uint8_t* source, int32_t length, uint8_t* destination) {
  int32_t out = 0;
  int32_t i = 0;
  while (i < length) {
    int32_t run = 1;
    while (run < 128 && i + run < length && source[i + run] == source[i]) ++run;
    if (run >= 2) {
      destination[out++] = uint8_t(257 - run);
      destination[out++] = source[i];
      i += run;
      continue;
    }
    // A literal block grows while each byte differs from the one before it.
    int32_t n = 1;
    while (n < 128 && i + n < length && source[i + n] != source[i + n - 1]) ++n;
    destination[out++] = uint8_t(n - 1);
    std::copy(source + i, source + i + n, destination + out);
    out += n;
    i += n;
  }
  destination[out++] = 128;
  return out;
}

int64_t IEPackBitsEncodeBound(int32_t length) { return 2 * int64_t(std::max(length, 0)) + 1; }

void IEStreamWriteLine(TStream& stream, std::string_view text) {
  const std::string bytes = Utf8ToCodePage(text, CP_ACP) + "\r\n";
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}
