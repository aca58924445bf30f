// The PNG reader against Pillow's decoding of the same files. The files are
// written at test time by libpng's writer in every colour type, bit depth,
// interlace and transparency, or built chunk by chunk for broken input.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <array>
#include <csetjmp>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/formats/iecodec.h"
#include "imaging/formats/pngfilt.h"
#include "imaging/io/ieregistry.h"
#include "imaging/io/ioparams.h"
#include "imaging/io/vovideriocomp.h"
#include "platform/classes/streams.h"
#include "tests/support/streamtestutil.h"
#include "tests/support/testsupport.h"

namespace {

// ---- writing test pictures with libpng ------------------------------------

struct TextChunk {
  int compression;  // PNG_TEXT_COMPRESSION_NONE, _zTXt or PNG_ITXT_COMPRESSION_NONE
  std::string key, text;
};

struct Picture {
  int width = 13, height = 11;  // odd sizes: partial bytes and partial Adam7 blocks
  int colorType = PNG_COLOR_TYPE_RGB, bitDepth = 8;
  bool interlaced = false, trns = false;
  bool phys = false;
  png_uint_32 physX = 0, physY = 0;
  int physUnit = PNG_RESOLUTION_METER;
  bool background = false;
  png_color_16 backgroundColor{};
  std::vector<TextChunk> texts;
  size_t idatSize = 0;  // 0: libpng's own
  bool noisy = false;   // samples that compress badly, for many IDAT chunks

  int Channels() const {
    switch (colorType) {
      case PNG_COLOR_TYPE_RGB: return 3;
      case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
      case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
      default: return 1;
    }
  }
  int PaletteSize() const { return bitDepth == 1 ? 2 : bitDepth == 2 ? 4 : bitDepth == 4 ? 12 : 200; }
  // Sample c of pixel (x, y). 16-bit samples carry a low byte that is a
  // function of the high byte, so a colour is equal exactly when its high
  // bytes are (Pillow keeps only those), yet the two bytes differ.
  uint32_t Sample(int x, int y, int c) const {
    if (colorType == PNG_COLOR_TYPE_PALETTE) return uint32_t((x + 3 * y) % PaletteSize());
    uint32_t v = uint32_t(x * 37 + y * 101 + c * 59 + 17);
    if (noisy) {
      v = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u ^ uint32_t(c) * 83492791u;
      v ^= v >> 13;
      v *= 0x5BD1E995u;
      v ^= v >> 15;
    }
    if (bitDepth == 16) {
      const uint32_t hi = v & 0xFF;
      return hi << 8 | (hi ^ 0x5A);
    }
    return v % (1u << bitDepth);
  }
  png_color PaletteEntry(int i) const {
    return png_color{png_byte(i * 37 % 256), png_byte((255 - i * 11) & 0xFF), png_byte(i * 91 % 256)};
  }
};

void AppendOutput(png_structp png, png_bytep data, size_t n) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), n);
}
void NoFlush(png_structp) {}

// C-shaped: libpng leaves by longjmp on an error, so nothing here has a destructor.
bool WritePngC(const Picture* p, png_bytepp rows, const png_color* palette, int paletteCount,
               const png_byte* trnsAlpha, int trnsCount, const png_color_16* trnsColor, png_textp texts,
               int textCount, std::string* out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, AppendOutput, NoFlush);
  if (p->idatSize) png_set_compression_buffer_size(png, p->idatSize);
  png_set_IHDR(png, info, png_uint_32(p->width), png_uint_32(p->height), p->bitDepth, p->colorType,
               p->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (paletteCount) png_set_PLTE(png, info, palette, paletteCount);
  if (trnsCount || trnsColor) png_set_tRNS(png, info, trnsAlpha, trnsCount, trnsColor);
  if (p->phys) png_set_pHYs(png, info, p->physX, p->physY, p->physUnit);
  if (p->background) png_set_bKGD(png, info, &p->backgroundColor);
  if (textCount) png_set_text(png, info, texts, textCount);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

std::string WritePng(const Picture& p) {
  const int channels = p.Channels();
  const size_t rowBytes = (size_t(p.width) * size_t(channels * p.bitDepth) + 7) / 8;
  std::vector<std::vector<png_byte>> rows(size_t(p.height), std::vector<png_byte>(rowBytes));
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      for (int c = 0; c < channels; ++c) {
        const uint32_t v = p.Sample(x, y, c);
        const size_t bit = size_t(x * channels + c) * size_t(p.bitDepth);
        png_byte* row = rows[size_t(y)].data();
        if (p.bitDepth == 16) {
          row[bit / 8] = png_byte(v >> 8);
          row[bit / 8 + 1] = png_byte(v);
        } else {
          row[bit / 8] |= png_byte(v << (8 - p.bitDepth - bit % 8));
        }
      }
  std::vector<png_bytep> rowPointers;
  for (auto& r : rows) rowPointers.push_back(r.data());
  std::vector<png_color> palette;
  if (p.colorType == PNG_COLOR_TYPE_PALETTE)
    for (int i = 0; i < p.PaletteSize(); ++i) palette.push_back(p.PaletteEntry(i));
  const std::vector<png_byte> alphas = {0, 64, 255, 128, 0};
  png_color_16 color{};
  const png_color_16* trnsColor = nullptr;
  int trnsCount = 0;
  if (p.trns && p.colorType == PNG_COLOR_TYPE_PALETTE) {
    trnsCount = std::min<int>(int(alphas.size()), p.PaletteSize());
  } else if (p.trns) {
    // The colour of a pixel that is in the picture.
    color.gray = png_uint_16(p.Sample(1, 0, 0));
    color.red = png_uint_16(p.Sample(2, 1, 0));
    color.green = png_uint_16(p.Sample(2, 1, 1));
    color.blue = png_uint_16(p.Sample(2, 1, 2));
    trnsColor = &color;
  }
  std::vector<png_text> texts;
  for (const TextChunk& t : p.texts) {
    png_text entry{};
    entry.compression = t.compression;
    entry.key = const_cast<char*>(t.key.c_str());
    entry.text = const_cast<char*>(t.text.c_str());
    entry.text_length = t.text.size();
    texts.push_back(entry);
  }
  std::string out;
  EXPECT_TRUE(WritePngC(&p, rowPointers.data(), palette.data(), int(palette.size()), alphas.data(), trnsCount,
                        trnsColor, texts.data(), int(texts.size()), &out));
  return out;
}

// ---- building broken files chunk by chunk ---------------------------------

const std::string kSignature("\x89PNG\r\n\x1A\n", 8);

std::string Be32(uint32_t v) {
  return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

std::string Chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const auto crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size())));
  return Be32(uint32_t(data.size())) + body + Be32(crc);
}

std::string Ihdr(uint32_t w, uint32_t h, int bitDepth, int colorType) {
  return Chunk("IHDR", Be32(w) + Be32(h) + std::string{char(bitDepth), char(colorType), 0, 0, 0});
}

std::string Deflate(const std::string& raw) {
  std::string out(compressBound(uLong(raw.size())), '\0');
  uLongf size = uLongf(out.size());
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()));
  out.resize(size);
  return out;
}

// ---- reading ---------------------------------------------------------------

struct ReadResult {
  bool aborted = false;
  bool threw = false;
  int32_t rows = 0;  // units of progress done
  std::vector<int32_t> percents;
};

ReadResult Read(const std::string& bytes, TIEBitmap& bitmap, TIOParamsVals& params, bool preview = false) {
  TBytesStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  ReadResult r;
  bool aborting = false;
  TIECodecProgress progress;
  progress.Aborting = &aborting;
  progress.OnProgress = [&](TObject*, int32_t percent) { r.percents.push_back(percent); };
  try {
    ReadPNGStream(stream, bitmap, params, preview, progress);
  } catch (...) {
    r.threw = true;
  }
  r.aborted = aborting;
  r.rows = progress.Value;
  return r;
}

TRGB PixelAt(TIEBitmap& b, int32_t x, int32_t y) { return static_cast<TRGB*>(b.GetScanline(y))[x]; }

// ---- Pillow as the oracle --------------------------------------------------

// Per file: "width height interlace", the palette as r g b numbers (or an
// empty line), then per pixel "r g b a raw": the colour as 8-bit samples, the
// alpha from the alpha band or the tRNS chunk, and the raw sample (palette
// index, grey value, bit). The job's argument is "bitDepth" of the file,
// since Pillow reports a tRNS grey level unscaled.
const char* const kPillowSource = R"PY(
import io
from PIL import Image, ImageFile
ImageFile.LOAD_TRUNCATED_IMAGES = True

def run(data, arg):
    bd = int(arg)
    try:
        im = Image.open(io.BytesIO(data))
        im.load()
    except Exception:
        return "fail"
    t = im.info.get("transparency")
    pal = im.getpalette() if im.mode == "P" else None
    out = ["%d %d %d" % (im.width, im.height, im.info.get("interlace", 0)), " ".join(map(str, pal or []))]
    for v in im.getdata():
        if im.mode == "P":
            r, g, b = pal[3 * v:3 * v + 3]
            if isinstance(t, bytes):
                a = t[v] if v < len(t) else 255
            else:
                a = 0 if v == t else 255
            raw = v
        elif im.mode in ("1", "L"):
            scale = 255 if im.mode == "1" or bd == 1 else (255 // ((1 << bd) - 1) if bd < 8 else 1)
            r = g = b = v
            a = 0 if t is not None and v == t * scale else 255
            raw = (v // 255) if im.mode == "1" else v
        elif im.mode in ("I", "I;16"):
            r = g = b = v >> 8
            a = 0 if v == t else 255
            raw = v
        elif im.mode == "LA":
            r = g = b = v[0]
            a, raw = v[1], v[0]
        elif im.mode == "RGB":
            r, g, b = v
            a = 0 if t is not None and (r, g, b) == tuple(c >> 8 if bd == 16 else c for c in t) else 255
            raw = 0
        else:
            r, g, b, a = v
            raw = 0
        out.append("%d %d %d %d %d" % (r, g, b, a, raw))
    return "\n".join(out)
)PY";

struct Decoded {
  bool ok = false;
  int width = 0, height = 0;
  bool interlaced = false;
  std::vector<TRGB> palette;
  std::vector<std::array<int, 5>> pixels;  // r g b a raw, rows top first
  const std::array<int, 5>& At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

Decoded ParseDecoded(const std::string& text) {
  Decoded d;
  if (text == "fail") return d;
  std::istringstream in(text);
  std::string line;
  std::getline(in, line);
  int interlace = 0;
  std::istringstream(line) >> d.width >> d.height >> interlace;
  d.interlaced = interlace == 1;
  std::getline(in, line);
  std::istringstream pal(line);
  for (int r, g, b; pal >> r >> g >> b;) d.palette.push_back(TRGB{uint8_t(b), uint8_t(g), uint8_t(r)});
  for (std::array<int, 5> p; in >> p[0] >> p[1] >> p[2] >> p[3] >> p[4];) d.pixels.push_back(p);
  d.ok = d.width > 0 && d.pixels.size() == size_t(d.width) * size_t(d.height);
  return d;
}

std::vector<Decoded> DecodeWithPillow(const std::vector<std::string>& files, const std::vector<int>& bitDepths) {
  std::vector<imgtest::PythonJob> jobs;
  for (size_t i = 0; i < files.size(); ++i) jobs.push_back({files[i], std::to_string(bitDepths[i])});
  std::vector<Decoded> out;
  for (const std::string& text : imgtest::RunPythonEach(kPillowSource, jobs, "/usr/bin/python3"))
    out.push_back(ParseDecoded(text));
  return out;
}

// ---- colour type x bit depth x interlace x tRNS x native -------------------

struct Layout {
  int colorType, bitDepth;
};

TEST(PngReader, EveryLayoutDecodesAsPillowDoes) {
  const std::vector<Layout> layouts = {
      {PNG_COLOR_TYPE_GRAY, 1},       {PNG_COLOR_TYPE_GRAY, 2},       {PNG_COLOR_TYPE_GRAY, 4},
      {PNG_COLOR_TYPE_GRAY, 8},       {PNG_COLOR_TYPE_GRAY, 16},      {PNG_COLOR_TYPE_RGB, 8},
      {PNG_COLOR_TYPE_RGB, 16},       {PNG_COLOR_TYPE_PALETTE, 1},    {PNG_COLOR_TYPE_PALETTE, 2},
      {PNG_COLOR_TYPE_PALETTE, 4},    {PNG_COLOR_TYPE_PALETTE, 8},    {PNG_COLOR_TYPE_GRAY_ALPHA, 8},
      {PNG_COLOR_TYPE_GRAY_ALPHA, 16}, {PNG_COLOR_TYPE_RGB_ALPHA, 8}, {PNG_COLOR_TYPE_RGB_ALPHA, 16},
  };
  std::vector<Picture> pictures;
  for (const Layout& l : layouts)
    for (bool interlaced : {false, true})
      for (bool trns : {false, true}) {
        if (trns && (l.colorType & PNG_COLOR_MASK_ALPHA)) continue;
        Picture p;
        p.colorType = l.colorType;
        p.bitDepth = l.bitDepth;
        p.interlaced = interlaced;
        p.trns = trns;
        pictures.push_back(p);
      }
  std::vector<std::string> files;
  std::vector<int> depths;
  for (const Picture& p : pictures) {
    files.push_back(WritePng(p));
    depths.push_back(p.bitDepth);
  }
  const std::vector<Decoded> truth = DecodeWithPillow(files, depths);
  ASSERT_EQ(truth.size(), pictures.size());

  for (size_t i = 0; i < pictures.size(); ++i)
    for (bool native : {false, true}) {
      const Picture& p = pictures[i];
      const Decoded& d = truth[i];
      SCOPED_TRACE("colour type " + std::to_string(p.colorType) + ", " + std::to_string(p.bitDepth) + " bits" +
                   (p.interlaced ? ", interlaced" : "") + (p.trns ? ", tRNS" : "") + (native ? ", native" : ""));
      ASSERT_TRUE(d.ok);
      const bool palette = p.colorType == PNG_COLOR_TYPE_PALETTE;
      const bool nativeMode = native && (p.bitDepth == 8 || p.bitDepth == 16) &&
                              (palette || p.colorType == PNG_COLOR_TYPE_GRAY);
      TIEPixelFormat expectedFormat = ie24RGB;
      if (p.bitDepth == 1 && !palette) expectedFormat = ie1g;
      else if (nativeMode) expectedFormat = palette ? ie8p : p.bitDepth == 8 ? ie8g : ie16g;
      const bool expectAlpha =
          !nativeMode && p.bitDepth > 1 && ((p.colorType & PNG_COLOR_MASK_ALPHA) || p.trns);

      TIEBitmap bitmap;
      // A leftover alpha channel of the same size must not survive the load.
      bitmap.Allocate(p.width, p.height, ie24RGB);
      bitmap.GetAlphaChannel()->Fill(7);
      TIOParamsVals params;
      params.NativePixelFormat = native;
      const ReadResult r = Read(files[i], bitmap, params);
      ASSERT_FALSE(r.threw);
      ASSERT_FALSE(r.aborted);

      EXPECT_EQ(params.Width, d.width);
      EXPECT_EQ(params.Height, d.height);
      EXPECT_EQ(params.FullWidth, d.width);
      EXPECT_EQ(params.FullHeight, d.height);
      EXPECT_EQ(params.BitsPerSample, p.bitDepth);
      EXPECT_EQ(params.SamplesPerPixel, p.Channels());
      EXPECT_EQ(params.PNGInterlaced, d.interlaced);
      EXPECT_EQ(params.ImageCount(), 1);
      EXPECT_EQ(params.DpiX(), 300);
      EXPECT_EQ(params.DpiY(), 300);
      ASSERT_EQ(params.ColorMapCount(), palette ? p.PaletteSize() : 0);
      for (int k = 0; k < params.ColorMapCount(); ++k) EXPECT_EQ(params.ColorMap[size_t(k)], d.palette[size_t(k)]);

      ASSERT_EQ(bitmap.GetPixelFormat(), expectedFormat);
      ASSERT_EQ(bitmap.GetWidth(), d.width);
      ASSERT_EQ(bitmap.GetHeight(), d.height);
      ASSERT_EQ(bitmap.HasAlphaChannel(), expectAlpha);
      if (expectedFormat == ie8p) {
        EXPECT_EQ(bitmap.QuantizerColorCount(), 1 << p.bitDepth);
        for (int k = 0; k < params.ColorMapCount(); ++k) EXPECT_EQ(bitmap.GetPaletteColor(k), d.palette[size_t(k)]);
      }
      int mismatches = 0;
      for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) {
          const auto& e = d.At(x, y);
          const auto* row = static_cast<const uint8_t*>(bitmap.GetScanline(y));
          bool same = true;
          switch (expectedFormat) {
            case ie1g: same = ((row[x >> 3] >> (7 - (x & 7))) & 1) == e[4]; break;
            case ie8p:
            case ie8g: same = row[x] == e[4]; break;
            case ie16g: same = reinterpret_cast<const uint16_t*>(row)[x] == e[4]; break;
            default: same = PixelAt(bitmap, x, y) == TRGB{uint8_t(e[2]), uint8_t(e[1]), uint8_t(e[0])}; break;
          }
          if (expectAlpha) same = same && bitmap.GetAlphaChannel()->GetAlpha(x, y) == e[3];
          if (!same && ++mismatches <= 3) {
            ADD_FAILURE() << "pixel " << x << "," << y;
          }
        }
      EXPECT_EQ(mismatches, 0);
      if (expectAlpha) {
        EXPECT_FALSE(bitmap.GetAlphaChannel()->FullyOpaque());
      }
    }
}

// ---- interlace and progress -------------------------------------------------

TEST(PngReader, InterlacedTwinGivesTheSamePixelsAndReportsEachPercentOnce) {
  Picture p;
  p.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  p.width = 21;
  p.height = 40;  // 7 passes x 40 rows: more rows than percentages
  const std::string plain = WritePng(p);
  p.interlaced = true;
  const std::string interlaced = WritePng(p);

  TIEBitmap a, b;
  TIOParamsVals pa, pb;
  const ReadResult ra = Read(plain, a, pa);
  EXPECT_EQ(ra.percents.front(), 2);  // the first percentage reached: 100 / 40 rows
  const ReadResult rb = Read(interlaced, b, pb);
  ASSERT_FALSE(ra.aborted);
  ASSERT_FALSE(rb.aborted);
  EXPECT_FALSE(pa.PNGInterlaced);
  EXPECT_TRUE(pb.PNGInterlaced);
  ASSERT_TRUE(a.HasAlphaChannel() && b.HasAlphaChannel());
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      ASSERT_EQ(PixelAt(a, x, y), PixelAt(b, x, y)) << x << "," << y;
      ASSERT_EQ(a.GetAlphaChannel()->GetAlpha(x, y), b.GetAlphaChannel()->GetAlpha(x, y)) << x << "," << y;
    }
  EXPECT_EQ(rb.rows, 7 * p.height);
  for (const ReadResult* r : {&ra, &rb}) {
    ASSERT_FALSE(r->percents.empty());
    EXPECT_EQ(r->percents.back(), 100);
    for (size_t i = 1; i < r->percents.size(); ++i) EXPECT_GT(r->percents[i], r->percents[i - 1]);
  }
}

TEST(PngReader, AbortFromTheProgressEventStopsAfterTheRow) {
  Picture p;
  const std::string file = WritePng(p);
  TBytesStream stream(std::vector<uint8_t>(file.begin(), file.end()));
  TIEBitmap bitmap;
  TIOParamsVals params;
  bool aborting = false;
  TIECodecProgress progress;
  progress.Aborting = &aborting;
  int events = 0;
  progress.OnProgress = [&](TObject*, int32_t) {
    ++events;
    aborting = true;
  };
  EXPECT_NO_THROW(ReadPNGStream(stream, bitmap, params, false, progress));
  EXPECT_TRUE(aborting);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(progress.Value, 1);
}

// ---- parameters: resolution, texts, background, preview ---------------------

TEST(PngReader, ResolutionComesFromPhysInMetresRoundedHalfToEven) {
  struct Case {
    bool phys;
    png_uint_32 x, y;
    int unit;
    int32_t dpiX, dpiY;
  };
  // 2500 and 7500 pixels per metre are exactly 63.5 and 190.5 dpi.
  const std::vector<Case> cases = {
      {false, 0, 0, 0, 300, 300},
      {true, 2835, 3780, PNG_RESOLUTION_METER, 72, 96},
      {true, 2500, 7500, PNG_RESOLUTION_METER, 64, 190},
      {true, 2835, 2835, PNG_RESOLUTION_UNKNOWN, 300, 300},
      {true, 0, 19, PNG_RESOLUTION_METER, 300, 300},  // 0 and Round(0.4826) = 0: the default
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + " x " + std::to_string(c.y));
    Picture p;
    p.phys = c.phys;
    p.physX = c.x;
    p.physY = c.y;
    p.physUnit = c.unit;
    TIEBitmap bitmap;
    TIOParamsVals params;
    ASSERT_FALSE(Read(WritePng(p), bitmap, params).aborted);
    EXPECT_EQ(params.DpiX(), c.dpiX);
    EXPECT_EQ(params.DpiY(), c.dpiY);
  }
}

TEST(PngReader, TextsKeepTheirOrderAndBecomeUtf8) {
  Picture p;
  p.texts = {{PNG_TEXT_COMPRESSION_NONE, "Title", "Caf\xE9 \x80 5"},
             {PNG_TEXT_COMPRESSION_zTXt, "Comment", std::string(300, 'z') + "\xFC"},
             {PNG_ITXT_COMPRESSION_NONE, "Author", "J\xC3\xBCrgen \xE2\x9C\x93"},
             {PNG_TEXT_COMPRESSION_NONE, "Empty", ""}};
  TIEBitmap bitmap;
  TIOParamsVals params;
  params.PNGTextKeys->Add("left over");
  params.PNGTextValues->Add("left over");
  ASSERT_FALSE(Read(WritePng(p), bitmap, params).aborted);
  // 8-bit texts are in the Windows code page; international text is UTF-8 already.
  const std::vector<std::string> keys = {"Title", "Comment", "Author", "Empty"};
  const std::vector<std::string> values = {"Caf\xC3\xA9 \xE2\x82\xAC 5", std::string(300, 'z') + "\xC3\xBC",
                                           "J\xC3\xBCrgen \xE2\x9C\x93", ""};
  ASSERT_EQ(params.PNGTextKeys->Count(), 4);
  ASSERT_EQ(params.PNGTextValues->Count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(params.PNGTextKeys->Strings(i), keys[size_t(i)]);
    EXPECT_EQ(params.PNGTextValues->Strings(i), values[size_t(i)]);
  }
}

TEST(PngReader, BackgroundTakesTheHighBytesOfSixteenBitSamples) {
  struct Case {
    int colorType, bitDepth;
    png_color_16 color;
    TRGB expected;
  };
  const std::vector<Case> cases = {
      {PNG_COLOR_TYPE_RGB, 16, {0, 0x1234, 0xABCD, 0x00FF, 0}, TRGB{0x00, 0xAB, 0x12}},
      {PNG_COLOR_TYPE_GRAY, 16, {0, 0, 0, 0, 0xC0DE}, TRGB{0xC0, 0xC0, 0xC0}},
      {PNG_COLOR_TYPE_RGB, 8, {0, 10, 20, 30, 0}, TRGB{30, 20, 10}},
      // A palette picture reports its entry's colour.
      {PNG_COLOR_TYPE_PALETTE, 8, {5, 0, 0, 0, 0}, TRGB{5 * 91 % 256, (255 - 5 * 11) & 0xFF, 5 * 37 % 256}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.colorType) + "/" + std::to_string(c.bitDepth));
    Picture p;
    p.colorType = c.colorType;
    p.bitDepth = c.bitDepth;
    p.background = true;
    p.backgroundColor = c.color;
    TIEBitmap bitmap;
    TIOParamsVals params;
    ASSERT_FALSE(Read(WritePng(p), bitmap, params).aborted);
    EXPECT_EQ(params.PNGBackground, c.expected);
  }
}

TEST(PngReader, PreviewFillsTheSameParametersAndLeavesTheBitmap) {
  const std::string file = testsupport::ReadFileBytes(testsupport::DataFile("png_rgba_text.png"));
  TIEBitmap full, preview;
  preview.Allocate(3, 2, ie8g);
  preview.Fill(77);
  TIOParamsVals a, b;
  ASSERT_FALSE(Read(file, full, a).aborted);
  ASSERT_FALSE(Read(file, preview, b, true).aborted);
  EXPECT_EQ(preview.GetWidth(), 3);
  EXPECT_EQ(preview.GetPixelFormat(), ie8g);
  EXPECT_EQ(static_cast<uint8_t*>(preview.GetScanline(1))[2], 77);
  EXPECT_FALSE(preview.HasAlphaChannel());
  EXPECT_EQ(a.Width, b.Width);
  EXPECT_EQ(a.Height, b.Height);
  EXPECT_EQ(a.BitsPerSample, b.BitsPerSample);
  EXPECT_EQ(a.SamplesPerPixel, b.SamplesPerPixel);
  EXPECT_EQ(a.DpiX(), 72);
  EXPECT_EQ(b.DpiX(), 72);
  EXPECT_EQ(a.PNGTextKeys->Text(), b.PNGTextKeys->Text());
  EXPECT_EQ(b.PNGTextKeys->Count(), 3);
}

// ---- broken input ------------------------------------------------------------

TEST(PngReader, TruncatedFileKeepsTheRowsDecodedBeforeTheCut) {
  Picture p;
  p.width = 64;
  p.height = 48;
  p.noisy = true;
  p.idatSize = 256;  // many IDAT chunks, so a cut falls between rows
  const std::string file = WritePng(p);
  // Cuts inside the data of an early, a middle and a late IDAT chunk, and before IEND.
  std::vector<size_t> idat;
  for (size_t at = file.find("IDAT"); at != std::string::npos; at = file.find("IDAT", at + 1)) idat.push_back(at + 4);
  ASSERT_GT(idat.size(), 10u);
  const std::vector<size_t> cuts = {idat[idat.size() * 3 / 10] + 100, idat[idat.size() / 2] + 100,
                                    idat[idat.size() * 8 / 10] + 100, file.size() - 12};
  std::vector<std::string> files;
  for (size_t cut : cuts) files.push_back(file.substr(0, cut));
  const std::vector<Decoded> truth = DecodeWithPillow(files, std::vector<int>(files.size(), 8));
  for (size_t i = 0; i < cuts.size(); ++i) {
    SCOPED_TRACE("cut at " + std::to_string(cuts[i]) + " of " + std::to_string(file.size()));
    TIEBitmap bitmap;
    TIOParamsVals params;
    const ReadResult r = Read(files[i], bitmap, params);
    EXPECT_FALSE(r.threw);
    EXPECT_TRUE(r.aborted);
    ASSERT_TRUE(truth[i].ok);
    // Without IEND every row is there; otherwise some but not all.
    if (i + 1 == cuts.size()) {
      EXPECT_EQ(r.rows, p.height);
    } else {
      EXPECT_TRUE(r.rows > 0 && r.rows < p.height) << r.rows;
    }
    for (int y = 0; y < r.rows; ++y)
      for (int x = 0; x < p.width; ++x) {
        const auto& e = truth[i].At(x, y);
        ASSERT_EQ(PixelAt(bitmap, x, y), (TRGB{uint8_t(e[2]), uint8_t(e[1]), uint8_t(e[0])})) << x << "," << y;
      }
  }
}

TEST(PngReader, BrokenInputSetsTheAbortFlagAndRaisesNothing) {
  // Rows of a 4 x 4 8-bit grey picture: filter byte 0 and four samples.
  std::string rows;
  for (int y = 0; y < 4; ++y) rows += std::string(1, '\0') + std::string(4, char(y * 60));
  const std::string grey = Ihdr(4, 4, 8, PNG_COLOR_TYPE_GRAY);
  const std::string good = kSignature + grey + Chunk("IDAT", Deflate(rows)) + Chunk("IEND", "");
  auto flip = [](std::string s, size_t at) {
    s[at] = char(s[at] ^ 0x01);
    return s;
  };
  std::string palette = kSignature + Ihdr(4, 1, 8, PNG_COLOR_TYPE_PALETTE) + Chunk("PLTE", std::string(9, '\x40'));
  palette += Chunk("IDAT", Deflate(std::string("\0\0\1\2\7", 5))) + Chunk("IEND", "");

  struct Case {
    const char* name;
    std::string bytes;
    bool native;
  };
  const std::vector<Case> cases = {
      {"zero-length stream", "", false},
      {"signature only", kSignature, false},
      {"cut inside IHDR", good.substr(0, 20), false},
      {"cut before IEND", good.substr(0, good.size() - 12), false},
      {"CRC error in IHDR", flip(good, 8 + 8 + 13), false},
      {"CRC error in IDAT", flip(good, good.size() - 12 - 1), false},
      {"IDAT stream ends after two rows",
       kSignature + grey + Chunk("IDAT", Deflate(rows.substr(0, 10))) + Chunk("IEND", ""), false},
      {"IDAT stream cut off", kSignature + grey + Chunk("IDAT", Deflate(rows).substr(0, 8)) + Chunk("IEND", ""),
       false},
      {"no IDAT", kSignature + grey + Chunk("IEND", ""), false},
      {"palette index beyond PLTE", palette, false},
      {"palette index beyond PLTE, native", palette, true},
      {"width beyond the user limit", kSignature + Ihdr(2000000, 1, 8, PNG_COLOR_TYPE_GRAY) + Chunk("IEND", ""),
       false},
      {"wrong bit depth for the colour type", kSignature + Ihdr(4, 4, 4, PNG_COLOR_TYPE_RGB) + Chunk("IEND", ""),
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TIEBitmap bitmap;
    TIOParamsVals params;
    params.NativePixelFormat = c.native;
    const ReadResult r = Read(c.bytes, bitmap, params);
    EXPECT_FALSE(r.threw);
    EXPECT_TRUE(r.aborted);
  }
}

// A 60-byte file that promises a million by a million pixels is refused
// before anything that size is allocated; with the data to fill it, a picture
// above the pixel limit would be read.
TEST(PngReader, HeaderThatTheDataCannotFillIsRefusedBeforeAllocation) {
  const std::string file = kSignature + Ihdr(1000000, 1000000, 16, PNG_COLOR_TYPE_RGB_ALPHA) +
                           Chunk("IDAT", Deflate(std::string(8, '\0'))) + Chunk("IEND", "");
  ASSERT_LT(file.size(), 80u);
  TIEBitmap bitmap;
  bitmap.Allocate(2, 2, ie24RGB);
  TIOParamsVals params;
  const ReadResult r = Read(file, bitmap, params);
  EXPECT_FALSE(r.threw);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(params.Width, 1000000);
  EXPECT_EQ(bitmap.GetWidth(), 2);
}

// libpng takes a keyword without its terminator as the whole chunk and an
// empty text; nothing past the chunk is read.
TEST(PngReader, TextChunkWithoutTerminatorReadsWithinTheChunk) {
  std::string rows;
  for (int y = 0; y < 2; ++y) rows += std::string(3, '\0');
  const std::string file = kSignature + Ihdr(2, 2, 8, PNG_COLOR_TYPE_GRAY) + Chunk("tEXt", "NoTerminator") +
                           Chunk("IDAT", Deflate(rows)) + Chunk("IEND", "");
  TIEBitmap bitmap;
  TIOParamsVals params;
  const ReadResult r = Read(file, bitmap, params);
  EXPECT_FALSE(r.threw);
  EXPECT_FALSE(r.aborted);
  ASSERT_EQ(params.PNGTextKeys->Count(), 1);
  EXPECT_EQ(params.PNGTextKeys->Strings(0), "NoTerminator");
  EXPECT_EQ(params.PNGTextValues->Strings(0), "");
}

// ---- content test ------------------------------------------------------------

TEST(PngReader, ContentTestComparesFourBytesAndPutsThePositionBack) {
  for (size_t n = 0; n <= 8; ++n)
    for (bool signature : {true, false}) {
      SCOPED_TRACE(std::to_string(n) + (signature ? " signature bytes" : " other bytes"));
      std::string bytes = "ab" + (signature ? kSignature.substr(0, n) : std::string(n, '\x89'));
      if (signature && n > 4) bytes[2 + 4] = 'X';  // only the first four count
      TBytesStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
      stream.SetPosition(2);
      EXPECT_EQ(IsPNGStream(stream), signature && n >= 4);
      EXPECT_EQ(stream.Position(), 2);
    }
}

// ---- through the load-and-save component ---------------------------------------

TEST(PngReader, ComponentLoadsAPngFileWithItsTransparency) {
  const auto file = testsupport::DataFile("png_rgba_text.png");
  const std::vector<Decoded> truth = DecodeWithPillow({testsupport::ReadFileBytes(file)}, {8});
  ASSERT_TRUE(truth[0].ok);
  TIEBitmap target;
  auto io = TVovidErIO::CreateFromBitmap(&target);
  io->LoadFromFile(file.string());
  EXPECT_FALSE(io->Aborting());
  EXPECT_EQ(io->Params().FileType, ioPNG);
  EXPECT_EQ(io->Params().DpiX(), 72);
  ASSERT_EQ(target.GetWidth(), truth[0].width);
  ASSERT_TRUE(target.HasAlphaChannel());
  for (int y = 0; y < truth[0].height; ++y)
    for (int x = 0; x < truth[0].width; ++x) {
      const auto& e = truth[0].At(x, y);
      EXPECT_EQ(target.GetAlphaChannel()->GetAlpha(x, y), e[3]) << x << "," << y;
      EXPECT_EQ(PixelAt(target, x, y), (TRGB{uint8_t(e[2]), uint8_t(e[1]), uint8_t(e[0])})) << x << "," << y;
    }
}

}  // namespace
