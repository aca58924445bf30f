// The PNG reader and content test, over libpng's read side.
//
// The reader fills the bitmap as the library holds pictures: palette, grey and
// 16-bit grey kept as they are only with NativePixelFormat (8- and 16-bit
// palette or grey files), 1-bit grey as ie1g, everything else as ie24RGB with
// the file's alpha or tRNS transparency in the bitmap's alpha channel.
#pragma once

class TStream;
class TIEBitmap;
class TIOParamsVals;
struct TIECodecProgress;

// Reads the PNG at the stream's position into the bitmap (unless Preview) and
// the PNG fields of the parameters. Bad or truncated data sets the abort flag;
// the rows decoded before it stay in the bitmap. Raises nothing.
void ReadPNGStream(TStream& Stream, TIEBitmap& Bitmap, TIOParamsVals& IOParams, bool Preview,
                   TIECodecProgress& Progress);

// True when the stream's first four bytes are those of the PNG signature (the
// rest of it is not compared). The position is put back; raises nothing.
bool IsPNGStream(TStream& Stream);
