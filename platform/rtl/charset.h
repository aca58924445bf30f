// Character sets of fonts (the GDI charset byte) and the ANSI code pages they
// stand for, as the platform's charset table gives them.
#pragma once

#include <cstdint>

// The ANSI code page of a character set (TranslateCharsetInfo with a source
// charset). False, leaving codePage alone, for a charset without a code page of
// its own (DEFAULT_CHARSET, MAC_CHARSET, OEM_CHARSET and unknown values).
// SYMBOL_CHARSET answers the symbol code page 42, which no converter here knows.
bool TranslateCharsetInfo(uint8_t charset, uint32_t& codePage);
