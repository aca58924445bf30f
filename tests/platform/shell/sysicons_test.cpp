// The system image lists behind file information: the handle answered for
// each icon size, the stock pictures, icons handed to the caller, and the
// shared lists refusing to be destroyed.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/gdi/icon.h"
#include "platform/shell/shellinfo.h"
#include "platform/shell/sysicons.h"
#include "tests/support/shell_home.h"

namespace fs = std::filesystem;
using namespace win;

namespace {

struct SysIconFixture : ShellHomeFixture {
  void SetUp() override {
    ShellHomeFixture::SetUp();
    fs::create_directories(home / "dir");
    testsupport::WriteFileBytes(home / "a.jpg", "A");
  }
};

}  // namespace

TEST_F(SysIconFixture, IndexCallsAnswerTheListOfTheSizeAskedFor) {
  const struct {
    uint32_t Flags;
    int Size;
  } rows[] = {
      {SHGFI_SMALLICON, 16},
      {SHGFI_LARGEICON, 32},
      {SHGFI_SHELLICONSIZE, 32},
      {SHGFI_SHELLICONSIZE | SHGFI_SMALLICON, 16},
  };
  for (const auto& r : rows) {
    SHFILEINFOW info;
    const auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW((home / "dir").c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | r.Flags));
    ASSERT_NE(list, nullptr) << r.Flags;
    EXPECT_EQ(list, SystemImageList(r.Size == 16));
    EXPECT_EQ(ImageList_GetImageCount(list), SYSICON_COUNT);
    EXPECT_EQ(ImageListCellSize(list), TSize(r.Size, r.Size));
    EXPECT_EQ(info.iIcon, SYSICON_FOLDER);
    EXPECT_EQ(info.hIcon, nullptr);  // only SHGFI_ICON makes one
  }
  // Without a record the handle still comes back; a missing path gives 0.
  EXPECT_EQ(SHGetFileInfoW((home / "a.jpg").c_str(), 0, nullptr, 0, SHGFI_SYSICONINDEX | SHGFI_SMALLICON),
            reinterpret_cast<uintptr_t>(SystemImageList(true)));
  SHFILEINFOW info;
  EXPECT_EQ(SHGetFileInfoW((home / "gone.jpg").c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_ICON), 0u);
  EXPECT_EQ(info.hIcon, nullptr);
}

TEST(SystemImageLists, EveryStockPictureIsItsOwnAndBothSizesShowIt) {
  HIMAGELIST small = SystemImageList(true), large = SystemImageList(false);
  const auto& s = ImageListCells(small);
  const auto& l = ImageListCells(large);
  ASSERT_EQ(s.size(), size_t(SYSICON_COUNT));
  ASSERT_EQ(l.size(), size_t(SYSICON_COUNT));
  std::set<std::vector<uint32_t>> distinct;
  for (int i = 0; i < SYSICON_COUNT; ++i) {
    int opaque = 0, clear = 0;
    for (uint32_t p : s[size_t(i)]) {
      if ((p >> 24) == 0xFF) ++opaque;
      else if (p == 0) ++clear;
    }
    EXPECT_GT(opaque, 16) << i;  // a picture, not a blank
    EXPECT_GT(clear, 0) << i;    // with a transparent surround
    distinct.insert(s[size_t(i)]);
    // The large picture is the small one drawn at twice the scale.
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        ASSERT_EQ(l[size_t(i)][size_t(y) * 32 + size_t(x)], s[size_t(i)][size_t(y / 2) * 16 + size_t(x / 2)])
            << i << " at " << x << "," << y;
  }
  EXPECT_EQ(distinct.size(), size_t(SYSICON_COUNT));
}

TEST(SystemImageLists, SharedListsSurviveDestroyAndGiveStrips) {
  HIMAGELIST small = SystemImageList(true);
  EXPECT_FALSE(ImageList_Destroy(small));
  EXPECT_EQ(ImageList_GetImageCount(small), SYSICON_COUNT);
  IMAGEINFO info;
  ASSERT_TRUE(ImageList_GetImageInfo(small, SYSICON_TRASH, &info));
  BITMAP bm;
  ASSERT_EQ(GetObject(info.hbmImage, sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 16 * SYSICON_COUNT);
  EXPECT_EQ(info.rcImage, RECT(16 * SYSICON_TRASH, 0, 16 * SYSICON_TRASH + 16, 16));
  // An ordinary list is still destroyed.
  HIMAGELIST own = ImageList_Create(8, 8, ILC_COLOR32, 0, 0);
  EXPECT_TRUE(ImageList_Destroy(own));
}

TEST_F(SysIconFixture, IconCallsHandTheCallerTheItemsPicture) {
  const struct {
    fs::path Path;
    uint32_t Flags;
    int32_t Index;
    int Size;
  } rows[] = {
      {"a.jpg", SHGFI_SMALLICON, SYSICON_FILE, 16},
      {"dir", SHGFI_LARGEICON, SYSICON_FOLDER, 32},
      {"dir", SHGFI_SMALLICON | SHGFI_OPENICON, SYSICON_FOLDER_OPEN, 16},
  };
  for (const auto& r : rows) {
    SHFILEINFOW info;
    ASSERT_NE(SHGetFileInfoW((home / r.Path).c_str(), 0, &info, sizeof info, SHGFI_ICON | r.Flags), 0u);
    ASSERT_NE(info.hIcon, nullptr) << r.Path;
    EXPECT_EQ(info.iIcon, r.Index);
    // Drawn on white, the icon shows the list's picture over white.
    std::vector<uint32_t> px(size_t(r.Size) * size_t(r.Size), 0xFFFFFFFFu);
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = r.Size;
    bi.bmiHeader.biHeight = -r.Size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    PatBlt(dc, 0, 0, r.Size, r.Size, WHITENESS);
    ASSERT_TRUE(DrawIconEx(dc, 0, 0, info.hIcon, 0, 0, 0, nullptr, DI_NORMAL));
    const auto& cell = ImageListCells(SystemImageList(r.Size == 16))[size_t(r.Index)];
    const auto* out = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < cell.size(); ++i) {
      const uint32_t want = (cell[i] >> 24) ? cell[i] : 0xFFFFFFFFu;
      ASSERT_EQ(out[i] & 0xFFFFFF, want & 0xFFFFFF) << r.Path << " pixel " << i;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    EXPECT_TRUE(DestroyIcon(info.hIcon));
  }
}
