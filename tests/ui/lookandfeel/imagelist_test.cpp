// The image list with its recorded sources: cutting strips into cells,
// masks, deleting, copying, drawing, and the form-file properties.
#include "ui/lookandfeel/cxImageList.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/filer.h"
#include "platform/classes/streams.h"
#include "tests/platform/vcl/painted_bitmap.h"
#include "tests/ui/lookandfeel/pixel_quads.h"
#include "ui/lookandfeel/cxDrawImage.h"

namespace {

using vcltest::Painted;

// Cell (c, r) of a strip: red from its number, green and blue from the position inside it.
TColor CellColour(int x, int y, int w, int h, int columns) {
  const int cell = (y / h) * columns + x / w;
  return TColor(win::RGB(uint8_t(20 * cell + 10), uint8_t(x % w * 30), uint8_t(y % h * 60)));
}

uint32_t Opaque(TColor c) {
  const uint32_t rgb = uint32_t(c);
  return 0xFF000000u | (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}

TEST(TcxImageList, StripOfCellsRecordsOneSourcePerCellInRowOrder) {
  TcxImageList list(nullptr);
  list.SetSize(3, 2);
  auto strip = Painted(15, 4, [](int x, int y) { return CellColour(x, y, 3, 2, 5); });
  EXPECT_EQ(list.AddBitmap(strip.get(), nullptr), 0);
  ASSERT_EQ(list.Count(), 10);
  ASSERT_EQ(list.ImageInfos()->Count(), 10);
  for (int i = 0; i < 10; ++i) {
    TBitmap* source = list.ImageInfos()->Items(i)->Image();
    ASSERT_EQ(source->Width(), 3);
    ASSERT_EQ(source->Height(), 2);
    EXPECT_EQ(source->PixelFormat(), pf24bit);
    EXPECT_EQ(list.ImageInfos()->Items(i)->MaskColor(), clNone);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        const TColor want = CellColour((i % 5) * 3 + x, (i / 5) * 2 + y, 3, 2, 5);
        EXPECT_EQ(source->Canvas()->Pixels(x, y), want) << i;
        EXPECT_EQ(list.Pixels(i)[size_t(y * 3 + x)], Opaque(want)) << i;  // the system list in the same order
      }
  }
  // A bitmap that is no whole number of cells is one source.
  auto odd = Painted(4, 2, [](int, int) { return clRed; });
  list.AddBitmap(odd.get(), nullptr);
  EXPECT_EQ(list.ImageInfos()->Count(), 11);
  EXPECT_EQ(list.ImageInfos()->Items(10)->Image()->Width(), 4);
}

TEST(TcxImageList, AddMaskedWithoutColourIsAnOpaqueAddBitmap) {
  auto image = Painted(4, 4, [](int x, int y) {
    return x == 0 && y == 0 ? clFuchsia : TColor(win::RGB(uint8_t(x * 50), 9, uint8_t(y * 50)));
  });
  TcxImageList masked(nullptr), plain(nullptr);
  masked.SetSize(4, 4);
  plain.SetSize(4, 4);
  EXPECT_EQ(masked.AddMasked(image.get(), clNone), 0);
  EXPECT_EQ(plain.AddBitmap(image.get(), nullptr), 0);
  EXPECT_EQ(masked.Pixels(0), plain.Pixels(0));
  for (uint32_t p : masked.Pixels(0)) EXPECT_EQ(p >> 24, 0xFFu);
  EXPECT_TRUE(SameImageListContent(&masked, &plain));

  // With a colour: its pixels are transparent, the given bitmap keeps them.
  EXPECT_EQ(masked.AddMasked(image.get(), clFuchsia), 1);
  EXPECT_EQ(masked.Pixels(1)[0], 0u);
  EXPECT_EQ(masked.Pixels(1)[1] >> 24, 0xFFu);
  EXPECT_EQ(image->Canvas()->Pixels(0, 0), clFuchsia);
  EXPECT_EQ(masked.ImageInfos()->Items(1)->MaskColor(), clFuchsia);
  EXPECT_FALSE(SameImageListContent(&masked, &plain));
}

TEST(TcxImageList, MaskMarksTransparentPixelsAndIsRecorded) {
  TcxImageList list(nullptr);
  list.SetSize(2, 2);
  auto image = Painted(2, 2, [](int, int) { return clBlue; });
  auto mask = Painted(2, 2, [](int x, int) { return x == 1 ? clWhite : clBlack; }, pf1bit);
  EXPECT_EQ(list.AddBitmap(image.get(), mask.get()), 0);
  EXPECT_EQ(list.Pixels(0), (std::vector<uint32_t>{Opaque(clBlue), 0, Opaque(clBlue), 0}));
  TBitmap gotImage, gotMask;
  list.GetImage(0, &gotImage, &gotMask);  // read back from the system list
  ASSERT_EQ(gotMask.Width(), 2);
  EXPECT_EQ(gotMask.Canvas()->Pixels(1, 0), clWhite);
  EXPECT_EQ(gotMask.Canvas()->Pixels(0, 1), clBlack);
  EXPECT_EQ(gotImage.Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(TcxImageList::GetImageBitsPerPixel(list.Handle()), 32);
  TcxImageList empty(nullptr);
  EXPECT_EQ(TcxImageList::GetImageBitsPerPixel(empty.Handle()), 0);
  list.GetImage(5, &gotImage, nullptr);  // out of range: nothing
  EXPECT_EQ(gotImage.Width(), 2);
}

TEST(TcxImageList, ThirtyTwoBitSourcesComeBackWithTheirAlpha) {
  TcxImageList list(nullptr);
  list.SetSize(2, 1);
  TBitmap image;
  image.SetPixelFormat(pf32bit);
  image.SetSize(2, 1);
  auto* row = static_cast<uint32_t*>(image.ScanLine(0));
  row[0] = 0x40112233u;
  row[1] = 0xFF445566u;
  list.AddBitmap(&image, nullptr);
  TBitmap got;
  list.GetImage(0, &got, nullptr);
  ASSERT_EQ(got.PixelFormat(), pf32bit);
  EXPECT_EQ(static_cast<uint32_t*>(got.ScanLine(0))[0], 0x40112233u);
  EXPECT_EQ(list.Pixels(0)[0], 0x40112233u);
}

TEST(TcxImageList, DeleteKeepsSourcesInStepAndMinusOneEmptiesBoth) {
  TcxImageList list(nullptr);
  list.SetSize(1, 1);
  auto strip = Painted(3, 1, [](int x, int) { return x == 0 ? clRed : x == 1 ? clLime : clBlue; });
  list.AddBitmap(strip.get(), nullptr);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.Delete(1);
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(list.ImageInfos()->Count(), 2);
  EXPECT_EQ(list.ImageInfos()->Items(1)->Image()->Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(list.Pixels(1)[0], Opaque(clBlue));
  list.Delete(-1);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.ImageInfos()->Count(), 0);
}

TEST(TcxImageList, UpdatesAreBatched) {
  TcxImageList list(nullptr);
  list.SetSize(1, 1);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  auto one = Painted(1, 1, [](int, int) { return clRed; });
  list.BeginUpdate();
  list.AddBitmap(one.get(), nullptr);
  list.AddMasked(one.get(), clLime);
  list.Delete(0);
  EXPECT_EQ(changes, 0);
  list.EndUpdate(true);
  EXPECT_EQ(changes, 1);
  list.EndUpdate(true);  // not locked: nothing
  EXPECT_EQ(changes, 1);
}

TEST(TcxImageList, AssignRecordsSourcesFromEitherKindOfList) {
  auto strip = Painted(4, 2, [](int x, int) { return x < 2 ? clRed : clNavy; });
  TImageList plain(2, 2);
  plain.AddMasked(strip.get(), clNavy);
  TcxImageList fromPlain(nullptr);
  fromPlain.Assign(&plain);
  ASSERT_EQ(fromPlain.Count(), 2);
  EXPECT_EQ(fromPlain.ImageInfos()->Count(), 2);
  EXPECT_EQ(fromPlain.ImageInfos()->Items(0)->Image()->PixelFormat(), pf32bit);
  EXPECT_TRUE(SameImageListContent(&fromPlain, &plain));

  TcxImageList cx(nullptr), copy(nullptr);
  cx.SetSize(2, 2);
  cx.AddMasked(strip.get(), clNavy);
  copy.Assign(&cx);
  ASSERT_EQ(copy.ImageInfos()->Count(), 2);
  EXPECT_EQ(copy.ImageInfos()->Items(1)->MaskColor(), clNavy);
  EXPECT_TRUE(SameImageListContent(&copy, &cx));
}

TEST(TcxImageList, DrawsCentredAndNeverStretchesAtItsOwnSize) {
  TcxImageList list(nullptr);
  list.SetSize(2, 2);
  auto red = Painted(2, 2, [](int, int) { return clRed; });
  list.AddBitmap(red.get(), nullptr);
  struct Case {
    TRect r;
    bool stretch;
    TRect painted;
  };
  const Case cases[] = {{TRect(1, 1, 3, 3), true, TRect(1, 1, 3, 3)},
                        {TRect(0, 0, 6, 4), false, TRect(2, 1, 4, 3)},
                        {TRect(0, 0, 6, 4), true, TRect(0, 0, 6, 4)}};
  for (const Case& c : cases) {
    auto dest = Painted(8, 6, [](int, int) { return clWhite; });
    list.DrawImageInRect(0, dest->Canvas(), c.r, dsNormal, c.stretch, false, true);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x)
        EXPECT_EQ(dest->Canvas()->Pixels(x, y), PtInRect(c.painted, TPoint(x, y)) ? clRed : clWhite)
            << c.r.Right << c.stretch << " " << x << "," << y;
  }
}

TEST(TcxImageList, DrawsThroughTheAlphaRoad) {
  using namespace pixel_quads;
  // A 32-bit source made with a colour key: the key pixel shows the background.
  TcxImageList keyed(nullptr);
  keyed.SetSize(2, 1);
  auto source = Painted(2, 1, [](int x, int) { return x ? clRed : clLime; }, pf32bit);
  ASSERT_EQ(keyed.AddMasked(source.get(), clLime), 0);
  auto dest = Painted(2, 1, [](int, int) { return clWhite; }, pf32bit);
  keyed.DrawImageInRect(0, dest->Canvas(), TRect(0, 0, 2, 1), dsNormal, false, false, true);
  EXPECT_EQ(dest->Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(dest->Canvas()->Pixels(1, 0), clRed);

  // A 32-bit source with alpha blends by it: straight red at 128 over blue.
  TcxImageList alpha(nullptr);
  alpha.SetSize(1, 1);
  TBitmap half(1, 1);
  half.SetPixelFormat(pf32bit);
  SetPixel(half, 0, 0, Quad(0, 0, 255, 128));
  half.SetAlphaFormat(afDefined);
  ASSERT_EQ(alpha.AddBitmap(&half, nullptr), 0);
  auto blue = Painted(1, 1, [](int, int) { return clBlue; }, pf32bit);
  alpha.DrawImageInRect(0, blue->Canvas(), TRect(0, 0, 1, 1), dsNormal, false, false, true);
  EXPECT_EQ(blue->Canvas()->Pixels(0, 0), TColor(win::RGB(128, 0, 127)));

  // Disabled is DrawImage's disabled mode over the same background.
  for (TcxImageList* list : {&keyed, &alpha}) {
    auto viaList = Painted(4, 3, [](int x, int y) { return TColor(win::RGB(uint8_t(x * 50), 90, uint8_t(y * 70))); });
    auto direct = Painted(4, 3, [](int x, int y) { return TColor(win::RGB(uint8_t(x * 50), 90, uint8_t(y * 70))); });
    const TRect r(0, 0, 4, 3);
    list->DrawImageInRect(0, viaList->Canvas(), r, dsNormal, false, false, false);
    const int32_t left = (4 - list->Width()) / 2, top = (3 - list->Height()) / 2;
    DrawImage(direct->Canvas()->Handle(), TRect(left, top, left + list->Width(), top + list->Height()), r, nullptr,
              list, 0, idmDisabled);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(viaList->Canvas()->Pixels(x, y), direct->Canvas()->Pixels(x, y)) << x << y;
  }
}

// The bytes of every "Data = {...}" value of a text form description.
std::vector<std::string> DataValues(const std::string& text) {
  std::vector<std::string> values;
  for (size_t at = text.find("Data = {"); at != std::string::npos; at = text.find("Data = {", at + 1)) {
    std::string bytes, hex;
    for (size_t i = at + 8; i < text.size() && text[i] != '}'; ++i)
      if (std::isxdigit(uint8_t(text[i]))) hex += text[i];
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    values.push_back(bytes);
  }
  return values;
}

std::string Written(TComponent* list, TComponent* ancestor = nullptr) {
  TStringStream out;
  if (ancestor) WriteDescendent(out, list, ancestor);
  else WriteComponent(out, list);
  return out.DataString();
}

TEST(TcxImageList, FormFileRoundTripKeepsTheSources) {
  for (const bool compress : {false, true}) {
    TcxImageList list(nullptr);
    list.SetName("Images");
    list.SetSize(2, 2);
    list.SetCompressData(compress);
    list.SetDesignInfo(0x00050007);
    auto strip = Painted(4, 2, [](int x, int y) {
      return x == 3 && y == 1 ? clLime : TColor(win::RGB(uint8_t(x * 60), 40, uint8_t(y * 90)));
    });
    list.AddMasked(strip.get(), clLime);
    auto mask = Painted(2, 2, [](int x, int y) { return x == y ? clWhite : clBlack; }, pf1bit);
    list.AddBitmap(strip.get(), mask.get());  // the strip's left cell only: the mask covers one cell
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.ImageInfos()->Items(0)->CompressData(), compress);
    const std::string text = Written(&list);
    EXPECT_NE(text.find("FormatVersion = 1"), std::string::npos) << text;
    EXPECT_NE(text.find("DesignInfo = 327687"), std::string::npos) << text;
    EXPECT_NE(text.find("ImageInfo = <"), std::string::npos) << text;
    EXPECT_NE(text.find("MaskColor = clLime"), std::string::npos) << text;
    // Each image's data, and the one mask that is not empty, compressed or plain as asked.
    const std::vector<std::string> data = DataValues(text);
    EXPECT_GE(data.size(), 5u) << text;
    for (const std::string& bytes : data) EXPECT_EQ(bytes.substr(4, 4) == "XDBM", compress) << text;

    TcxImageList read(nullptr);
    TStringStream in(text);
    ReadComponent(in, &read);
    EXPECT_EQ(read.FormatVersion(), 1);
    EXPECT_EQ(read.DesignInfo(), 0x00050007);
    EXPECT_EQ(read.CompressData(), compress);
    ASSERT_EQ(read.ImageInfos()->Count(), 4);
    EXPECT_EQ(read.ImageInfos()->Items(1)->MaskColor(), clLime);
    EXPECT_TRUE(SameImageListContent(&read, &list));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(read.Pixels(i), list.Pixels(i)) << i;
  }
}

TEST(TcxImageList, DescendantEqualToItsAncestorWritesNoImages) {
  auto strip = Painted(2, 2, [](int x, int) { return x ? clRed : clBlue; });
  TcxImageList ancestor(nullptr), descendant(nullptr);
  for (TcxImageList* l : {&ancestor, &descendant}) {
    l->SetName("Images");
    l->SetSize(2, 2);
    l->AddBitmap(strip.get(), nullptr);
  }
  std::string text = Written(&descendant, &ancestor);
  EXPECT_EQ(text.find("ImageInfo"), std::string::npos) << text;
  EXPECT_EQ(text.find("DesignInfo"), std::string::npos) << text;
  descendant.AddBitmap(strip.get(), nullptr);
  text = Written(&descendant, &ancestor);
  EXPECT_NE(text.find("ImageInfo"), std::string::npos) << text;
  // An empty list without ancestor writes no images either.
  TcxImageList empty(nullptr);
  empty.SetName("Empty");
  EXPECT_EQ(Written(&empty).find("ImageInfo"), std::string::npos);
}

}  // namespace
