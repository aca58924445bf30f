// Character classes of one code point, as the platform's type-1 character
// query reports them (upper, lower, digit, space, ...), taken from the code
// point's Unicode properties.
#pragma once

#include <cstdint>

constexpr uint16_t C1_UPPER = 0x0001, C1_LOWER = 0x0002, C1_DIGIT = 0x0004, C1_SPACE = 0x0008,
                   C1_PUNCT = 0x0010, C1_CNTRL = 0x0020, C1_BLANK = 0x0040, C1_XDIGIT = 0x0080,
                   C1_ALPHA = 0x0100, C1_DEFINED = 0x0200;

// The C1_ flags of c; 0 for an unassigned code point, a surrogate or a value past U+10FFFF.
uint16_t CpCharType1(char32_t c);
