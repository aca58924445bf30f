// Writes pixel surfaces as PNG files so that a drawing made in a test can be
// looked at. Tests call SavePngIfAsked, which writes only when the
// environment variable DUPLEXION_SAVE_PNG names a folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"

namespace testsupport {

// RGB, or RGBA with the surface's alpha byte when withAlpha (32-bit surfaces).
// False when the surface is empty or the file cannot be written.
bool WriteSurfacePng(const win::Surface& s, const std::filesystem::path& file, bool withAlpha = false);
bool WriteBitmapPng(win::HBITMAP bmp, const std::filesystem::path& file, bool withAlpha = false);

// A top-down 32-bit DIB section selected into a memory DC, for drawing tests.
class TestCanvas {
public:
  TestCanvas(int width, int height, uint32_t fill = 0x00FFFFFF);
  ~TestCanvas();
  TestCanvas(const TestCanvas&) = delete;
  TestCanvas& operator=(const TestCanvas&) = delete;

  win::HDC Dc() const { return dc_; }
  win::HBITMAP Bitmap() const { return bmp_; }
  int Width() const { return w_; }
  int Height() const { return h_; }
  // The raw pixel: 0xAARRGGBB.
  uint32_t& At(int x, int y) { return bits_[size_t(y) * size_t(w_) + size_t(x)]; }
  uint32_t Rgb(int x, int y) { return At(x, y) & 0x00FFFFFF; }
  void Fill(uint32_t raw);
  std::vector<uint32_t> Pixels() const { return {bits_, bits_ + size_t(w_) * size_t(h_)}; }

private:
  int w_, h_;
  win::HDC dc_ = nullptr;
  win::HBITMAP bmp_ = nullptr;
  win::HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// 0x00RRGGBB as a 32-bit surface stores a COLORREF.
constexpr uint32_t RawOf(win::COLORREF c) { return (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// Writes <$DUPLEXION_SAVE_PNG>/<name>.png when that variable is set; otherwise nothing.
void SavePngIfAsked(const win::Surface& s, const std::string& name);
void SavePngIfAsked(win::HBITMAP bmp, const std::string& name);

}  // namespace testsupport
