#include "imaging/core/ieconvert.h"

int32_t IEQuantizerMethod = -1;
int32_t IEQuantizerQuality = -1;

// Bayer's 8 x 8 index matrix; row i here is M[i][0..7], i the column x mod 8.
const uint8_t IEDitherMatrix[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},   {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21},
};
