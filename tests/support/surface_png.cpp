#include "tests/support/surface_png.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace testsupport {

namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

// libpng reports errors by longjmp; nothing with a destructor lives between
// setjmp and the last libpng call.
bool WriteRows(FILE* f, int w, int h, bool alpha, std::vector<png_bytep>& rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WriteSurfacePng(const win::Surface& s, const std::filesystem::path& file, bool withAlpha) {
  if (!s.Valid()) return false;
  const bool alpha = withAlpha && s.BitCount == 32;
  const size_t channels = alpha ? 4 : 3;
  std::vector<uint8_t> pixels(size_t(s.Width) * size_t(s.Height) * channels);
  for (int y = 0; y < s.Height; ++y)
    for (int x = 0; x < s.Width; ++x) {
      uint32_t raw = win::ReadRaw(s, x, y);
      win::COLORREF c = s.Monochrome ? (raw ? 0xFFFFFF : 0) : win::RawToColor(s, raw);
      uint8_t* p = &pixels[(size_t(y) * s.Width + x) * channels];
      p[0] = GetRValue(c);
      p[1] = GetGValue(c);
      p[2] = GetBValue(c);
      if (alpha) p[3] = uint8_t(raw >> 24);
    }
  std::vector<png_bytep> rows(size_t(s.Height));
  for (int y = 0; y < s.Height; ++y) rows[size_t(y)] = &pixels[size_t(y) * s.Width * channels];
  std::unique_ptr<FILE, FileCloser> f(std::fopen(file.c_str(), "wb"));
  if (!f) return false;
  return WriteRows(f.get(), s.Width, s.Height, alpha, rows);
}

bool WriteBitmapPng(win::HBITMAP bmp, const std::filesystem::path& file, bool withAlpha) {
  if (!win::IsValidGdiObject(bmp, win::OBJ_BITMAP)) return false;
  return WriteSurfacePng(bmp->GetSurface(), file, withAlpha);
}

TestCanvas::TestCanvas(int width, int height, uint32_t fill) : w_(width), h_(height) {
  win::BITMAPINFO256 bi{};
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  dc_ = win::CreateCompatibleDC(nullptr);
  bmp_ = win::CreateDIBSection(dc_, bi.get(), win::DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<uint32_t*>(bits);
  old_ = win::SelectObject(dc_, bmp_);
  Fill(fill);
}

TestCanvas::~TestCanvas() {
  win::SelectObject(dc_, old_);
  win::DeleteObject(bmp_);
  win::DeleteDC(dc_);
}

void TestCanvas::Fill(uint32_t raw) { std::fill(bits_, bits_ + size_t(w_) * size_t(h_), raw); }

void SavePngIfAsked(const win::Surface& s, const std::string& name) {
  const char* dir = std::getenv("DUPLEXION_SAVE_PNG");
  if (!dir || !*dir) return;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  WriteSurfacePng(s, std::filesystem::path(dir) / (name + ".png"));
}

void SavePngIfAsked(win::HBITMAP bmp, const std::string& name) {
  if (win::IsValidGdiObject(bmp, win::OBJ_BITMAP)) SavePngIfAsked(bmp->GetSurface(), name);
}

}  // namespace testsupport
