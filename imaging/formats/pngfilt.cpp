// PNG reader after ISO/IEC 15948 (PNG, second edition),
// decoding through libpng 1.6.
//
// libpng reports a fatal error by calling our error routine, which must not
// return: it leaves by longjmp. Every library call that can fail is therefore
// made from a thin C-shaped function that arms the jump just before the call
// and holds no object with a destructor; only after it has returned does C++
// code turn the failure into the abort flag.
#include "imaging/formats/pngfilt.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csetjmp>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "imaging/core/iebitmap.h"
#include "imaging/formats/iecodec.h"
#include "imaging/io/ioparams.h"
#include "platform/classes/streams.h"
#include "platform/gdi/imagegate.h"
#include "platform/rtl/text.h"

namespace {

// Largest side libpng accepts here: far beyond any real picture, and small
// enough that no row of up to 8 bytes a pixel overflows the bitmap's 31-bit row.
constexpr png_uint_32 kMaxSide = 1000000;
// One ancillary chunk (and one inflated text) at most this big, and at most
// this many text and unknown chunks kept.
constexpr png_alloc_size_t kChunkMallocMax = 8000000;
constexpr png_uint_32 kChunkCacheMax = 1000;
// All that libpng holds at once (rows, chunks, inflated texts): a small file
// of many compressed texts must not claim gigabytes.
constexpr png_alloc_size_t kLibraryMemoryBudget = png_alloc_size_t(256) << 20;
// Deflate turns one byte into at most 1032.
constexpr int64_t kInflateRatio = 1032;

// One call's link between libpng and the reader; libpng's error, I/O and
// memory pointers all point here.
struct TPngCall {
  TStream* Stream;
  std::jmp_buf Jump;
  bool JumpArmed;
  png_alloc_size_t Allocated;
};

[[noreturn]] void PngError(png_structp png, png_const_charp) {
  TPngCall* call = static_cast<TPngCall*>(png_get_error_ptr(png));
  // Every call into the library is made with the jump armed; an unarmed error
  // would have to return into a library that cannot go on.
  if (!call || !call->JumpArmed) std::abort();
  call->JumpArmed = false;
  std::longjmp(call->Jump, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// Exactly the asked length, or a libpng error: a short read is a truncated file.
void PngRead(png_structp png, png_bytep data, size_t length) {
  TPngCall* call = static_cast<TPngCall*>(png_get_io_ptr(png));
  bool complete = true;
  try {
    while (length > 0 && complete) {
      const int32_t piece = int32_t(std::min<size_t>(length, size_t(1) << 30));
      complete = call->Stream->Read(data, piece) == piece;
      data += piece;
      length -= size_t(piece);
    }
  } catch (...) {
    complete = false;
  }
  // Outside the try block: the error routine leaves this frame by longjmp.
  if (!complete) png_error(png, "unexpected end of data");
}

// Blocks come zero-filled and carry their size in front, so that the call's
// total can be kept under the budget.
constexpr size_t kBlockHeader = alignof(std::max_align_t);

png_voidp PngMalloc(png_structp png, png_alloc_size_t size) {
  TPngCall* call = static_cast<TPngCall*>(png_get_mem_ptr(png));
  if (size > kLibraryMemoryBudget - call->Allocated) return nullptr;
  auto* block = static_cast<uint8_t*>(std::calloc(1, size + kBlockHeader));
  if (!block) return nullptr;
  std::memcpy(block, &size, sizeof size);
  call->Allocated += size;
  return block + kBlockHeader;
}

void PngFree(png_structp png, png_voidp ptr) {
  if (!ptr) return;
  TPngCall* call = static_cast<TPngCall*>(png_get_mem_ptr(png));
  uint8_t* block = static_cast<uint8_t*>(ptr) - kBlockHeader;
  png_alloc_size_t size = 0;
  std::memcpy(&size, block, sizeof size);
  call->Allocated -= size;
  std::free(block);
}

// ---------------------------------------------------------------------------
// Guarded library calls: false when libpng failed. Nothing with a destructor
// lives in these frames.

png_structp PngTryCreate(TPngCall* call) {
  if (setjmp(call->Jump)) return nullptr;
  call->JumpArmed = true;
  png_structp png =
      png_create_read_struct_2(PNG_LIBPNG_VER_STRING, call, PngError, PngWarning, call, PngMalloc, PngFree);
  call->JumpArmed = false;
  return png;
}

bool PngTryReadInfo(png_structp png, png_infop info, TPngCall* call) {
  if (setjmp(call->Jump)) return false;
  call->JumpArmed = true;
  png_read_info(png, info);
  call->JumpArmed = false;
  return true;
}

// The output layout libpng delivers once the transformations are set.
struct TPngLayout {
  int Passes;
  int Channels;
  size_t RowBytes;
};

// The native-mode rule and the transformations, in this order; libpng applies
// them in its own fixed order whatever the order of the calls. Palette
// pictures come as indexes and are looked up by the reader.
bool PngTryTransform(png_structp png, png_infop info, TPngCall* call, bool native, int bitDepth, int colorType,
                     TPngLayout* layout) {
  if (setjmp(call->Jump)) return false;
  call->JumpArmed = true;
  const bool grey = colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA;
  if (native) {
    if (bitDepth == 16) png_set_swap(png);
  } else if (colorType == PNG_COLOR_TYPE_PALETTE) {
    // Indexes, one a byte: the reader looks them up itself, so that an index
    // past the palette is seen (libpng's expansion shows it as black).
    if (bitDepth < 8) png_set_packing(png);
  } else {
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth >= 2 && bitDepth <= 7) png_set_expand(png);
    if (bitDepth == 16) png_set_strip_16(png);
    if (bitDepth >= 2 && bitDepth <= 7) png_set_packing(png);
    if (grey && bitDepth > 1) png_set_gray_to_rgb(png);
    if (bitDepth > 1) png_set_bgr(png);
    if (bitDepth > 1) png_set_tRNS_to_alpha(png);
  }
  layout->Passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  layout->Channels = png_get_channels(png, info);
  layout->RowBytes = png_get_rowbytes(png, info);
  call->JumpArmed = false;
  return true;
}

bool PngTryReadRow(png_structp png, png_bytep row, TPngCall* call) {
  if (setjmp(call->Jump)) return false;
  call->JumpArmed = true;
  png_read_row(png, row, nullptr);
  call->JumpArmed = false;
  return true;
}

bool PngTryReadEnd(png_structp png, TPngCall* call) {
  if (setjmp(call->Jump)) return false;
  call->JumpArmed = true;
  png_read_end(png, nullptr);
  call->JumpArmed = false;
  return true;
}

// ---------------------------------------------------------------------------

// Where the rows go: straight into the bitmap, through a buffer of B, G, R, A
// pixels split into the bitmap and its alpha channel, or through a buffer of
// palette indexes turned into colours (and, with tRNS, alpha).
enum TRowPath { rpDirect, rpAlpha, rpIndexes };

class TPngReader {
public:
  TPngReader(TStream& stream, TIEBitmap& bitmap, TIOParamsVals& params, bool preview, TIECodecProgress& progress)
      : stream_(stream), bitmap_(bitmap), params_(params), preview_(preview), progress_(progress) {
    call_.Stream = &stream;
    call_.JumpArmed = false;
    call_.Allocated = 0;
  }
  ~TPngReader() {
    if (png_) png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr);
  }
  TPngReader(const TPngReader&) = delete;
  TPngReader& operator=(const TPngReader&) = delete;

  // False on data the reader cannot accept; the caller sets the abort flag.
  bool Run();

private:
  bool Open();
  void ReadTexts();
  void ReadBackground();
  void FillParams();
  bool Allocate(TIEPixelFormat format, TRowPath path);
  bool ReadRows(TRowPath path, TIEPixelFormat format);

  TStream& stream_;
  TIEBitmap& bitmap_;
  TIOParamsVals& params_;
  const bool preview_;
  TIECodecProgress& progress_;
  TPngCall call_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  png_uint_32 width_ = 0, height_ = 0;
  int bitDepth_ = 0, colorType_ = 0;
  TPngLayout layout_{};
  bool transparentIndexes_ = false;
  std::unique_ptr<uint8_t[]> buffer_;
};

bool TPngReader::Open() {
  png_ = PngTryCreate(&call_);
  if (!png_) return false;
  info_ = png_create_info_struct(png_);
  if (!info_) return false;
  png_set_read_fn(png_, &call_, PngRead);
  png_set_user_limits(png_, kMaxSide, kMaxSide);
  png_set_chunk_malloc_max(png_, kChunkMallocMax);
  png_set_chunk_cache_max(png_, kChunkCacheMax);
  if (!PngTryReadInfo(png_, info_, &call_)) return false;
  int interlace = 0;
  png_get_IHDR(png_, info_, &width_, &height_, &bitDepth_, &colorType_, &interlace, nullptr, nullptr);
  return true;
}

void TPngReader::ReadTexts() {
  params_.PNGTextKeys->Clear();
  params_.PNGTextValues->Clear();
  png_textp texts = nullptr;
  int count = 0;
  png_get_text(png_, info_, &texts, &count);
  for (int i = 0; i < count; ++i) {
    const png_text& t = texts[i];
    params_.PNGTextKeys->Add(CodePageToUtf8(t.key ? t.key : ""));
    const char* text = t.text ? t.text : "";
    // International text is UTF-8 by definition; only the 8-bit chunks are in a code page.
    if (t.compression >= PNG_ITXT_COMPRESSION_NONE)
      params_.PNGTextValues->Add(Utf16ToUtf8(Utf8ToUtf16(std::string_view(text, t.itxt_length))));
    else
      params_.PNGTextValues->Add(CodePageToUtf8(std::string_view(text, t.text_length)));
  }
}

void TPngReader::ReadBackground() {
  png_color_16p background = nullptr;
  if (!png_get_bKGD(png_, info_, &background) || !background) return;
  const auto sample = [&](png_uint_16 v) { return uint8_t(bitDepth_ == 16 ? v >> 8 : v); };
  params_.PNGBackground = TRGB{sample(background->blue), sample(background->green), sample(background->red)};
}

// Resolution from pixels per metre; 0 when the file gives none.
int32_t DpiOf(png_uint_32 pixelsPerMetre) {
  const double dpi = std::nearbyint(double(pixelsPerMetre) / 100.0 * 2.54);  // halves to even
  return int32_t(std::min(dpi, 2147483647.0));
}

void TPngReader::FillParams() {
  params_.SetImageCount(1);
  params_.Width = params_.FullWidth = int32_t(width_);
  params_.Height = params_.FullHeight = int32_t(height_);
  params_.BitsPerSample = bitDepth_;
  switch (colorType_) {
    case PNG_COLOR_TYPE_RGB: params_.SamplesPerPixel = 3; break;
    case PNG_COLOR_TYPE_GRAY_ALPHA: params_.SamplesPerPixel = 2; break;
    case PNG_COLOR_TYPE_RGB_ALPHA: params_.SamplesPerPixel = 4; break;
    default: params_.SamplesPerPixel = 1; break;
  }
  png_uint_32 resX = 0, resY = 0;
  int unit = PNG_RESOLUTION_UNKNOWN;
  int32_t dpiX = 0, dpiY = 0;
  if (png_get_pHYs(png_, info_, &resX, &resY, &unit) && unit == PNG_RESOLUTION_METER) {
    dpiX = DpiOf(resX);
    dpiY = DpiOf(resY);
  }
  params_.SetDpiX(dpiX != 0 ? dpiX : IEDefaultDpiX);
  params_.SetDpiY(dpiY != 0 ? dpiY : IEDefaultDpiY);
  params_.FreeColorMap();
  png_colorp palette = nullptr;
  int paletteCount = 0;
  if (colorType_ == PNG_COLOR_TYPE_PALETTE && png_get_PLTE(png_, info_, &palette, &paletteCount) && palette) {
    params_.ColorMap.resize(size_t(std::clamp(paletteCount, 0, 256)));
    for (size_t i = 0; i < params_.ColorMap.size(); ++i)
      params_.ColorMap[i] = TRGB{palette[i].blue, palette[i].green, palette[i].red};
  }
  params_.PNGInterlaced = png_get_interlace_type(png_, info_) == PNG_INTERLACE_ADAM7;
}

// The gate before any pixel memory: the rows libpng delivers fit the bitmap's
// rows (or the buffer), and past the library's pixel limit the data left in
// the stream could inflate to the whole picture.
bool TPngReader::Allocate(TIEPixelFormat format, TRowPath path) {
  const int64_t w = width_, h = height_;
  int64_t rowBytes = 0;
  switch (path) {
    case rpAlpha: rowBytes = w * 4; break;
    case rpIndexes: rowBytes = w; break;
    case rpDirect:
      rowBytes = format == ie1g ? (w + 7) / 8 : format == ie16g ? w * 2 : format == ie24RGB ? w * 3 : w;
      break;
  }
  if (int64_t(layout_.RowBytes) != rowBytes) return false;
  const int64_t fileBitsPerPixel = int64_t(bitDepth_) * params_.SamplesPerPixel;
  const int64_t dataLeft = std::max<int64_t>(0, stream_.Size() - stream_.Position());
  if (!win::ImagePixelsAllowed(w, h, win::SaturatingProduct(dataLeft, kInflateRatio * 8 / fileBitsPerPixel)))
    return false;
  if (path != rpDirect) {
    // Interlaced passes fill each row bit by bit, so every row keeps its own buffer.
    int64_t bytes = 0;
    if (!win::ImageBufferBytes(rowBytes, layout_.Passes > 1 ? h : 1, 1, bytes)) return false;
    buffer_.reset(new (std::nothrow) uint8_t[size_t(bytes)]());
    if (!buffer_) return false;
  }
  // An image without alpha must not show the transparency of the one before.
  bitmap_.RemoveAlphaChannel(false, 0);
  if (!bitmap_.Allocate(int32_t(w), int32_t(h), format)) return false;
  // Rows a truncated file never reaches stay black rather than whatever memory held.
  bitmap_.Fill(0);
  if (format == ie8p) {
    // The used-palette count is the bitmap's quantizer colour count.
    bitmap_.SetQuantizerColorCount(1 << bitDepth_);
    for (size_t i = 0; i < params_.ColorMap.size(); ++i) bitmap_.SetPaletteColor(int32_t(i), params_.ColorMap[i]);
  }
  if (path == rpAlpha || (path == rpIndexes && transparentIndexes_))
    bitmap_.GetAlphaChannel()->SetFullyOpaque(false);
  return true;
}

bool TPngReader::ReadRows(TRowPath path, TIEPixelFormat format) {
  const int32_t w = int32_t(width_), h = int32_t(height_);
  const bool wholeImage = layout_.Passes > 1;
  TIEBitmap* alpha = path == rpAlpha || (path == rpIndexes && transparentIndexes_) ? bitmap_.GetAlphaChannel() : nullptr;
  // Colours and alpha of all 256 indexes: black and opaque past the palette and tRNS.
  std::array<TRGB, 256> colours{};
  std::copy(params_.ColorMap.begin(), params_.ColorMap.end(), colours.begin());
  std::array<uint8_t, 256> alphas;
  alphas.fill(255);
  png_bytep trans = nullptr;
  int transCount = 0;
  if (png_get_tRNS(png_, info_, &trans, &transCount, nullptr) && trans)
    std::copy(trans, trans + std::clamp(transCount, 0, 256), alphas.begin());
  const bool checkIndexes = path == rpIndexes || format == ie8p;
  int maxIndex = 0;
  // Percentages run once over all passes: 100 is reached once and no value repeats.
  progress_.Begin(h * layout_.Passes);
  for (int pass = 0; pass < layout_.Passes; ++pass) {
    for (int32_t y = 0; y < h; ++y) {
      uint8_t* row = nullptr;
      if (path == rpDirect)
        row = static_cast<uint8_t*>(bitmap_.GetScanline(y));
      else
        row = buffer_.get() + (wholeImage ? size_t(y) * layout_.RowBytes : 0);
      if (!row || !PngTryReadRow(png_, row, &call_)) return false;
      if (checkIndexes) maxIndex = std::max<int>(maxIndex, *std::max_element(row, row + w));
      if (path == rpAlpha) {
        auto* pixels = static_cast<uint8_t*>(bitmap_.GetScanline(y));
        auto* a = static_cast<uint8_t*>(alpha->GetScanline(y));
        for (int32_t x = 0; x < w; ++x) {
          std::memcpy(pixels + 3 * x, row + 4 * x, 3);
          a[x] = row[4 * x + 3];
        }
      } else if (path == rpIndexes) {
        auto* pixels = static_cast<TRGB*>(bitmap_.GetScanline(y));
        for (int32_t x = 0; x < w; ++x) pixels[x] = colours[row[x]];
        if (alpha) {
          auto* a = static_cast<uint8_t*>(alpha->GetScanline(y));
          for (int32_t x = 0; x < w; ++x) a[x] = alphas[row[x]];
        }
      }
      if (progress_.Step()) return true;
    }
  }
  // An index past the palette is corrupt data; the picture read stays.
  if (checkIndexes && maxIndex >= int(params_.ColorMap.size())) return false;
  return PngTryReadEnd(png_, &call_);
}

bool TPngReader::Run() {
  if (!Open()) return false;
  ReadTexts();
  ReadBackground();
  const bool native = params_.NativePixelFormat && (bitDepth_ == 8 || bitDepth_ == 16) &&
                      (colorType_ == PNG_COLOR_TYPE_PALETTE || colorType_ == PNG_COLOR_TYPE_GRAY);
  if (!PngTryTransform(png_, info_, &call_, native, bitDepth_, colorType_, &layout_)) return false;
  FillParams();
  if (preview_) return true;

  const bool palette = colorType_ == PNG_COLOR_TYPE_PALETTE;
  TIEPixelFormat format = ie24RGB;
  if (bitDepth_ == 1 && !palette)
    format = ie1g;
  else if (native && layout_.Channels == 1)
    format = palette ? ie8p : bitDepth_ == 8 ? ie8g : ie16g;
  TRowPath path = rpDirect;
  if (layout_.Channels == 4) {
    path = rpAlpha;
  } else if (palette && !native) {
    path = rpIndexes;
    // As tRNS turns into alpha for every bit depth above 1.
    transparentIndexes_ = bitDepth_ > 1 && png_get_valid(png_, info_, PNG_INFO_tRNS);
  }
  if (!Allocate(format, path)) return false;
  return ReadRows(path, format);
}

}  // namespace

void ReadPNGStream(TStream& Stream, TIEBitmap& Bitmap, TIOParamsVals& IOParams, bool Preview,
                   TIECodecProgress& Progress) {
  bool ok = false;
  try {
    TPngReader reader(Stream, Bitmap, IOParams, Preview, Progress);
    ok = reader.Run();
  } catch (...) {
    ok = false;
  }
  if (!ok) Progress.Abort();
}

bool IsPNGStream(TStream& Stream) {
  int64_t start = 0;
  try {
    start = Stream.Position();
  } catch (...) {
    return false;
  }
  png_byte signature[8] = {};
  int32_t got = 0;
  try {
    got = Stream.Read(signature, 8);
  } catch (...) {
    got = 0;
  }
  try {
    Stream.SetPosition(start);
  } catch (...) {
  }
  return got >= 4 && png_sig_cmp(signature, 0, 4) == 0;
}
