#include "imaging/core/iedrawing.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "imaging/core/ieglobals.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "platform/win/winuser.h"

uint32_t IERandSeed = 0;

int32_t IERandom(int32_t n) {
  IERandSeed = IERandSeed * 134775813u + 1u;
  if (n <= 0) return 0;
  return int32_t((uint64_t(IERandSeed) * uint64_t(n)) >> 32);
}

void IEGaussianCurve(int32_t n, int32_t lo, int32_t hi, double sigma, std::vector<double>& values) {
  values.assign(size_t(std::max(n, 0)), 0.0);
  if (n <= 0) return;
  double m = -100000;
  for (int32_t i = 0; i < n; ++i) {
    const double x = 2.0 * i / n - 1.0;
    const double v = std::exp(-0.5 * sigma * sigma * x * x) / (std::sqrt(2 * std::numbers::pi) * sigma);
    values[size_t(i)] = v;
    m = std::max(m, v);
  }
  for (double& v : values) v = v / m * (hi - lo) + lo;
}

namespace {

bool Prepare(TBitmap& bitmap, int32_t width, int32_t height) {
  bitmap.SetSize(std::max(width, 0), std::max(height, 0));
  bitmap.SetPixelFormat(pf24bit);
  return bitmap.Width() > 0 && bitmap.Height() > 0;
}

}  // namespace

void IEDrawGrayStripes(TBitmap& bitmap, int32_t width, int32_t height) {
  if (!Prepare(bitmap, width, height)) return;
  std::vector<double> levels;
  IEGaussianCurve(4, 130, 255, 0.5, levels);
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    auto* row = static_cast<uint8_t*>(bitmap.ScanLine(y));
    std::fill(row, row + size_t(bitmap.Width()) * 3, uint8_t(std::trunc(levels[size_t(y % 4)])));
  }
}

void IEDrawNoiseGradient(TBitmap& bitmap, int32_t width, int32_t height) {
  if (!Prepare(bitmap, width, height)) return;
  const int32_t w = bitmap.Width();
  std::vector<double> levels;
  IEGaussianCurve(w, 160, 208, 3.0, levels);
  int32_t offset = 0;
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    auto* row = static_cast<uint8_t*>(bitmap.ScanLine(y));
    int32_t run = 0;
    for (int32_t x = 0; x < w; ++x) {
      const auto gray = uint8_t((int32_t(std::trunc(levels[size_t(x)])) + offset) % 256);
      row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = gray;
      ++run;
      if (run > IERandom(w) + 100) {
        run = 0;
        offset = IERandom(11);
      }
    }
  }
}

void IEDrawTextBox(TCanvas& canvas, int32_t& x, int32_t& y, const std::string& text, TFont* font, TBrush* brush,
                   TBitmap& saved, int32_t areaWidth, int32_t areaHeight, TColor light, TColor dark) {
  if (font) canvas.SetFont(font);
  if (brush) canvas.SetBrush(brush);
  const TSize extent = canvas.TextExtent(text);
  const int32_t bw = extent.cx + 12, bh = extent.cy + 12;
  x = std::min(std::max(x, 0), areaWidth - bw - 1);
  y = std::min(std::max(y, 0), areaHeight - bh - 1);
  saved.SetPixelFormat(pf24bit);
  saved.SetSize(bw, bh);
  saved.Canvas()->CopyRect(Rect(0, 0, bw, bh), &canvas, Rect(x, y, x + bw, y + bh));
  canvas.FillRect(Rect(x + 6, y + 6, x + bw, y + bh));
  // Frame corners: top-left and bottom-left light, top-right and bottom-right dark.
  const int32_t x1 = x + 6, y1 = y + 6, x2 = x + bw - 1, y2 = y + bh - 1;
  canvas.Pen()->SetColor(light);
  canvas.MoveTo(x1, y2);
  canvas.LineTo(x1, y1);
  canvas.LineTo(x2, y1);
  canvas.Pen()->SetColor(dark);
  canvas.LineTo(x2, y2);
  canvas.LineTo(x1, y2);
  canvas.TextOut(x + 9, y + 9, text);
}

bool IEOpenClipboard() {
  for (int i = 0; i < 10; ++i) {
    if (win::OpenClipboard(nullptr)) return true;
    win::Sleep(20);
  }
  return false;
}

void IEApplyDefaultUIFont(TFont& font, int32_t versionClass, bool segoeUIInstalled) {
  font.SetCharset(win::DEFAULT_CHARSET);
  font.SetColor(clWindowText);
  font.SetStyle({});
  if (versionClass >= 7 && versionClass <= 9 && segoeUIInstalled) {
    font.SetHeight(-12);
    font.SetName("Segoe UI");
  } else {
    font.SetHeight(-11);
    font.SetName("Tahoma");
  }
}

TFont* IEGetDefaultUIFont() {
  static std::unique_ptr<TFont> font;  // main thread only, as the view and dialogs call it
  if (!font) {
    font = std::make_unique<TFont>();
    const bool segoe = Screen && Screen->Fonts() && Screen->Fonts()->IndexOf("Segoe UI") >= 0;
    IEApplyDefaultUIFont(*font, IEWindowsVersionClass, segoe);
  }
  return font.get();
}
