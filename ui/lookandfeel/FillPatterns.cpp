#include "ui/lookandfeel/FillPatterns.h"

#include <cstdint>

namespace {

win::HBRUSH normalBrush = nullptr;
win::HBRUSH boldBrush = nullptr;

win::HBRUSH MakePatternBrush(const uint16_t (&rows)[8]) {
  win::HBITMAP bits = win::CreateBitmap(8, 8, 1, 1, rows);
  win::HBRUSH brush = win::CreatePatternBrush(bits);
  win::DeleteObject(bits);
  return brush;
}

}  // namespace

void MakeFillPatternBrushes() {
  static constexpr uint16_t kNormal[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  static constexpr uint16_t kBold[8] = {};
  FreeFillPatternBrushes();
  normalBrush = MakePatternBrush(kNormal);
  boldBrush = MakePatternBrush(kBold);
}

void FreeFillPatternBrushes() {
  if (normalBrush) win::DeleteObject(normalBrush);
  if (boldBrush) win::DeleteObject(boldBrush);
  normalBrush = boldBrush = nullptr;
}

win::HBRUSH FillPatternBrush(bool bold) { return bold ? boldBrush : normalBrush; }
