// TImageList: masked and alpha images, drawing on a canvas, copies out,
// and the list operations with their change notifications.
#include "platform/vcl/imglist.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/vcl/graphics.h"

namespace {

// 0xRRGGBB of a canvas pixel.
uint32_t At(TBitmap& b, int x, int y) {
  TColor c = b.Canvas()->Pixels(x, y);
  return (uint32_t(GetRValue(uint32_t(c))) << 16) | (uint32_t(GetGValue(uint32_t(c))) << 8) | GetBValue(uint32_t(c));
}

bool Near(uint32_t a, uint32_t b, int tol = 1) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > tol) return false;
  return true;
}

// A 32 x 16 strip of two 16 x 16 images: red and blue, each with a magenta corner square.
std::unique_ptr<TBitmap> Strip() {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(32, 16);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect({0, 0, 16, 16});
  c->Brush()->SetColor(clBlue);
  c->FillRect({16, 0, 32, 16});
  c->Brush()->SetColor(clFuchsia);
  c->FillRect({0, 0, 4, 4});
  c->FillRect({16, 0, 20, 4});
  return b;
}

std::unique_ptr<TBitmap> White(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(clWhite);
  b->Canvas()->FillRect({0, 0, w, h});
  return b;
}

TEST(ImageList, MaskedImagesLeaveTheBackgroundWhereTheMaskColourWas) {
  TImageList list(16, 16);
  auto strip = Strip();
  EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
  ASSERT_EQ(list.Count(), 2);
  auto dest = White(40, 20);
  list.Draw(dest->Canvas(), 2, 3, 0);
  list.Draw(dest->Canvas(), 20, 3, 1);
  EXPECT_EQ(At(*dest, 2 + 1, 3 + 1), 0xFFFFFFu) << "masked corner";
  EXPECT_EQ(At(*dest, 2 + 8, 3 + 8), 0xFF0000u);
  EXPECT_EQ(At(*dest, 20 + 1, 3 + 1), 0xFFFFFFu);
  EXPECT_EQ(At(*dest, 20 + 8, 3 + 8), 0x0000FFu);
  EXPECT_EQ(At(*dest, 1, 1), 0xFFFFFFu) << "nothing outside the image";
  // A mask bitmap does the same: white keeps the background.
  TImageList byMask(16, 16);
  TBitmap mask;
  mask.SetPixelFormat(pf24bit);
  mask.SetSize(16, 16);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect({0, 0, 16, 16});
  mask.Canvas()->Brush()->SetColor(clWhite);
  mask.Canvas()->FillRect({8, 0, 16, 16});
  auto red = White(16, 16);
  red->Canvas()->Brush()->SetColor(clRed);
  red->Canvas()->FillRect({0, 0, 16, 16});
  EXPECT_EQ(byMask.Add(red.get(), &mask), 0);
  auto d2 = White(16, 16);
  byMask.Draw(d2->Canvas(), 0, 0, 0);
  EXPECT_EQ(At(*d2, 3, 3), 0xFF0000u);
  EXPECT_EQ(At(*d2, 12, 3), 0xFFFFFFu);
}

TEST(ImageList, AlphaImagesBlendAndDisabledOnesAreGreyedAndFainter) {
  TBitmap img;
  img.SetPixelFormat(pf32bit);
  img.SetSize(4, 4);
  for (int y = 0; y < 4; ++y) {
    auto* row = static_cast<uint32_t*>(img.ScanLine(y));
    for (int x = 0; x < 4; ++x) row[x] = 0x80FF0000u;  // red at alpha 128, straight
  }
  img.SetAlphaFormat(afDefined);
  TImageList list(4, 4);
  ASSERT_EQ(list.Add(&img, nullptr), 0);
  EXPECT_EQ(list.Pixels(0)[0], 0x80FF0000u);
  auto dest = White(8, 4);
  list.Draw(dest->Canvas(), 0, 0, 0, true);
  list.Draw(dest->Canvas(), 4, 0, 0, false);
  // Over white: c = src * a + 255 * (1 - a).
  const double a = 128 / 255.0;
  auto over = [&](double src, double alpha) { return uint32_t(src * alpha + 255 * (1 - alpha) + 0.5); };
  const uint32_t enabled = (over(255, a) << 16) | (over(0, a) << 8) | over(0, a);
  EXPECT_TRUE(Near(At(*dest, 1, 1), enabled, 2)) << std::hex << At(*dest, 1, 1);
  const double grey = 255 * 0.30, a2 = 64 / 255.0;
  const uint32_t g = over(grey, a2);
  EXPECT_TRUE(Near(At(*dest, 5, 1), (g << 16) | (g << 8) | g, 2)) << std::hex << At(*dest, 5, 1);
}

TEST(ImageList, CopiesOutKeepThePixels) {
  TImageList list(16, 16);
  auto strip = Strip();
  list.AddMasked(strip.get(), clFuchsia);
  TBitmap out;
  ASSERT_TRUE(list.GetBitmap(1, &out));
  EXPECT_EQ(out.Width(), 16);
  EXPECT_EQ(out.AlphaFormat(), afDefined);
  const auto& px = list.Pixels(1);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(static_cast<uint32_t*>(out.ScanLine(y))[x], px[size_t(y * 16 + x)]);
  TIcon icon;
  ASSERT_TRUE(list.GetIcon(0, &icon));
  EXPECT_EQ(icon.Width(), 16);
  TImageList again(16, 16);
  EXPECT_EQ(again.AddIcon(&icon), 0);
  EXPECT_EQ(again.Pixels(0), list.Pixels(0));
  EXPECT_FALSE(list.GetBitmap(2, &out));
  EXPECT_FALSE(list.GetBitmap(-1, &out));
}

TEST(ImageList, ListOperationsTellTheirChanges) {
  TImageList list(16, 16);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  auto strip = Strip();
  list.AddMasked(strip.get(), clFuchsia);  // red, blue
  EXPECT_EQ(changes, 1);
  const auto red = list.Pixels(0), blue = list.Pixels(1);
  list.Move(0, 1);
  EXPECT_EQ(list.Pixels(0), blue);
  list.ReplaceMasked(0, strip.get(), clFuchsia);
  EXPECT_EQ(list.Pixels(0), red);
  list.Delete(1);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(changes, 4);
  list.BeginUpdate();
  list.AddMasked(strip.get(), clFuchsia);
  list.Delete(0);
  EXPECT_EQ(changes, 4);
  list.EndUpdate();
  EXPECT_EQ(changes, 5) << "one notice for the batch";
  EXPECT_THROW(list.Delete(5), EInvalidOperation);
  EXPECT_THROW(list.Replace(-2, strip.get(), nullptr), EInvalidOperation);
  auto dest = White(4, 4);
  list.Draw(dest->Canvas(), 0, 0, 9);  // out of range: draws nothing
  EXPECT_EQ(At(*dest, 1, 1), 0xFFFFFFu);
  list.SetWidth(24);
  EXPECT_EQ(list.Count(), 0) << "a new size empties the list";
  EXPECT_EQ(list.AddMasked(nullptr, clNone), -1);
}

}  // namespace

namespace {

// A bitmap of w x h pixels whose colour at (x, y) is colour(x, y), in the given format.
template <class F>
std::unique_ptr<TBitmap> Painted(int w, int h, TPixelFormat format, F colour) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(format);
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->Canvas()->SetPixels(x, y, colour(x, y));
  return b;
}

// The 32-bit pixels of a bitmap handle, top row first.
std::vector<uint32_t> Pixels32(win::HBITMAP bmp, int w, int h) {
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  EXPECT_EQ(win::GetDIBits(dc, bmp, 0, win::UINT(h), px.data(), &bi, win::DIB_RGB_COLORS), h);
  win::DeleteDC(dc);
  return px;
}

TEST(SystemImageList, CellsRowByRowWithTheirMasks) {
  win::HIMAGELIST list = win::ImageList_Create(2, 2, win::ILC_COLOR32 | win::ILC_MASK, 4, 4);
  ASSERT_NE(list, nullptr);
  // 3 x 2 cells; cell (c, r) has red = 10 * (3r + c) + 10, green = x, blue = y within the bitmap.
  auto image = Painted(6, 4, pf24bit, [](int x, int y) {
    return TColor(win::RGB(uint8_t(10 * (3 * (y / 2) + x / 2) + 10), uint8_t(x), uint8_t(y)));
  });
  // The mask's set pixels: the top-left pixel of every cell.
  auto mask = Painted(6, 4, pf24bit, [](int x, int y) { return x % 2 == 0 && y % 2 == 0 ? clWhite : clBlack; });
  EXPECT_EQ(win::ImageList_Add(list, image->Handle(), mask->Handle()), 0);
  ASSERT_EQ(win::ImageList_GetImageCount(list), 6);
  EXPECT_EQ(win::ImageList_Add(list, nullptr, nullptr), -1);

  win::IMAGEINFO info;
  EXPECT_FALSE(win::ImageList_GetImageInfo(list, 6, &info));
  ASSERT_TRUE(win::ImageList_GetImageInfo(list, 4, &info));
  EXPECT_EQ(info.rcImage, TRect(8, 0, 10, 2));
  win::BITMAP strip;
  ASSERT_TRUE(win::GetObject(info.hbmImage, sizeof(strip), &strip));
  EXPECT_EQ(strip.bmBitsPixel, 32);
  ASSERT_EQ(strip.bmWidth, 12);
  const std::vector<uint32_t> px = Pixels32(info.hbmImage, 12, 2), maskPx = Pixels32(info.hbmMask, 12, 2);
  for (int i = 0; i < 6; ++i)
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) {
        const uint32_t p = px[size_t(y * 12 + i * 2 + x)];
        const bool transparent = x == 0 && y == 0;
        const int sx = (i % 3) * 2 + x, sy = (i / 3) * 2 + y;
        const uint32_t want = transparent ? 0u : 0xFF000000u | uint32_t(10 * i + 10) << 16 | uint32_t(sx) << 8 | uint32_t(sy);
        EXPECT_EQ(p, want) << i << " " << x << "," << y;
        EXPECT_EQ((maskPx[size_t(y * 12 + i * 2 + x)] & 0xFFFFFF) != 0, transparent) << i;
      }

  EXPECT_TRUE(win::ImageList_Remove(list, 0));
  EXPECT_EQ(win::ImageList_GetImageCount(list), 5);
  EXPECT_FALSE(win::ImageList_Remove(list, 5));
  EXPECT_TRUE(win::ImageList_Remove(list, -1));
  EXPECT_EQ(win::ImageList_GetImageCount(list), 0);
  EXPECT_TRUE(win::ImageList_Destroy(list));
}

TEST(SystemImageList, AlphaKeptAndMaskColourBlackenedInTheSource) {
  win::HIMAGELIST list = win::ImageList_Create(2, 1, win::ILC_COLOR32 | win::ILC_MASK, 4, 4);
  TBitmap alpha;
  alpha.SetPixelFormat(pf32bit);
  alpha.SetSize(2, 1);
  auto* row = static_cast<uint32_t*>(alpha.ScanLine(0));
  row[0] = 0x80102030u;
  row[1] = 0x00405060u;
  EXPECT_EQ(win::ImageList_Add(list, alpha.Handle(), nullptr), 0);
  auto keyed = Painted(2, 1, pf24bit, [](int x, int) { return x == 0 ? clLime : clNavy; });
  EXPECT_EQ(win::ImageList_AddMasked(list, keyed->Handle(), win::COLORREF(clLime)), 1);
  win::IMAGEINFO info;
  ASSERT_TRUE(win::ImageList_GetImageInfo(list, 0, &info));
  EXPECT_EQ(Pixels32(info.hbmImage, 4, 1), (std::vector<uint32_t>{0x80102030u, 0x00405060u, 0, 0xFF000080u}));
  EXPECT_EQ(keyed->Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(keyed->Canvas()->Pixels(1, 0), clNavy);
  win::ImageList_Destroy(list);
}

TEST(SystemImageList, WriteGivesEqualBytesForEqualLists) {
  auto image = Painted(4, 2, pf24bit, [](int x, int y) { return TColor(win::RGB(uint8_t(x * 40), uint8_t(y * 90), 7)); });
  auto other = Painted(4, 2, pf24bit, [](int x, int) { return x == 3 ? clRed : clBlue; });
  auto bytes = [&](TBitmap* add) {
    win::HIMAGELIST list = win::ImageList_Create(2, 2, win::ILC_COLOR32 | win::ILC_MASK, 4, 4);
    win::ImageList_Add(list, add->Handle(), nullptr);
    TMemoryStream s;
    EXPECT_TRUE(win::ImageList_Write(list, s));
    win::ImageList_Destroy(list);
    return std::vector<uint8_t>(static_cast<uint8_t*>(s.Memory()), static_cast<uint8_t*>(s.Memory()) + s.Size());
  };
  EXPECT_EQ(bytes(image.get()), bytes(image.get()));
  EXPECT_NE(bytes(image.get()), bytes(other.get()));
}

TEST(ImageList, HandleAndChangeLinks) {
  auto list = std::make_unique<TImageList>(4, 4);
  ASSERT_TRUE(list->HandleAllocated());
  auto image = Painted(8, 4, pf24bit, [](int x, int) { return x < 4 ? clRed : clBlue; });
  EXPECT_EQ(win::ImageList_Add(list->Handle(), image->Handle(), nullptr), 0);
  EXPECT_EQ(list->Count(), 2);  // the images live in the handle

  int heard = 0;
  TObject* from = nullptr;
  auto link = std::make_unique<TChangeLink>();
  link->OnChange = [&](TObject* sender) {
    ++heard;
    from = sender;
  };
  list->RegisterChanges(link.get());
  EXPECT_EQ(link->Sender(), list.get());
  list->Delete(0);
  EXPECT_EQ(heard, 1);
  EXPECT_EQ(from, list.get());
  list->UnRegisterChanges(link.get());
  list->Clear();
  EXPECT_EQ(heard, 1);
  // Either side may go first.
  list->RegisterChanges(link.get());
  link.reset();
  list->AddMasked(image.get(), clNone);
  auto survivor = std::make_unique<TChangeLink>();
  list->RegisterChanges(survivor.get());
  list.reset();
  EXPECT_EQ(survivor->Sender(), nullptr);

  // A handle of another size gives the list its size.
  TImageList other(16, 16);
  other.SetHandle(win::ImageList_Create(3, 5, win::ILC_COLOR32, 1, 1));
  EXPECT_EQ(other.Width(), 3);
  EXPECT_EQ(other.Height(), 5);
  EXPECT_TRUE(other.SetDragImage(-1, 0, 0) == false);
}

TEST(ImageList, DragImageIndexAndHotspot) {
  TImageList list(4, 4);
  auto image = Painted(4, 4, pf24bit, [](int, int) { return clRed; });
  list.Add(image.get(), nullptr);
  EXPECT_FALSE(list.SetDragImage(1, 2, 3));
  EXPECT_EQ(list.DragIndex(), -1);
  EXPECT_TRUE(list.SetDragImage(0, 2, 3));
  EXPECT_EQ(list.DragIndex(), 0);
  EXPECT_EQ(list.DragHotspot(), TPoint(2, 3));
}

}  // namespace
