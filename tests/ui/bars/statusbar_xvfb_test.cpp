// The viewer's status bar on the SDL display of a real X server (Xvfb): the
// gradient, the panel frame and the panel text must reach the screen. The
// test starts itself again under xvfb-run and reads the screen back with
// ImageMagick's import.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/display/display.h"
#include "platform/display/sdl/sdl.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/forms.h"
#include "tests/support/testsupport.h"
#include "ui/bars/dxStatusBar.h"

namespace {

constexpr int kScreenW = 1100, kScreenH = 200;

uint32_t ScreenPixel(const std::string& rgb, int x, int y) {
  const size_t i = (size_t(y) * kScreenW + size_t(x)) * 3;
  return (uint32_t(uint8_t(rgb[i])) << 16) | (uint32_t(uint8_t(rgb[i + 1])) << 8) | uint8_t(rgb[i + 2]);
}

uint32_t Rgb(TColor c) {
  const uint32_t v = uint32_t(ColorToRGB(c));
  return (uint32_t(GetRValue(v)) << 16) | (uint32_t(GetGValue(v)) << 8) | GetBValue(v);
}

// Percent of c1, the rest of c2, per channel, rounded.
uint32_t Mix(uint32_t c1, uint32_t c2, int percent) {
  uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    const int v = (int((c1 >> shift) & 255) * percent + 50) / 100 + (int((c2 >> shift) & 255) * (100 - percent) + 50) / 100;
    out |= uint32_t(std::min(v, 255)) << shift;
  }
  return out;
}

TEST(XvfbStatusBar, ViewerBarReachesTheXServer) {
  if (!std::getenv("DUPLEXION_XVFB_CHILD")) {
    if (!testsupport::HaveTool("xvfb-run")) GTEST_SKIP() << "xvfb-run is not installed (package xvfb)";
    if (!testsupport::HaveTool("import")) GTEST_SKIP() << "import is not installed (package imagemagick)";
    const std::string self = Application->ExeName();
    const std::string cmd = "LSAN_OPTIONS='suppressions=" DUPLEXION_LSAN_SUPP ":print_suppressions=0' "
                            "DUPLEXION_XVFB_CHILD=1 DUPLEXION_DISPLAY=sdl xvfb-run -a -s '-screen 0 " +
                            std::to_string(kScreenW) + "x" + std::to_string(kScreenH) + "x24' " +
                            testsupport::ShellQuote(self) +
                            " --gtest_filter=XvfbStatusBar.ViewerBarReachesTheXServer 2>&1";
    int status = 0;
    const std::string out = testsupport::RunCommand(cmd, &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("[  PASSED  ] 1 test"), std::string::npos) << "the test under Xvfb did not run:\n" << out;
    return;
  }
  display::UseSdlDisplay();
  ASSERT_NE(display::InitDisplay(), nullptr);
  Application->Initialize();
  {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetPosition(poDesigned);
    form->SetBorderStyle(bsSizeable);
    form->SetLeft(20);
    form->SetTop(20);
    form->SetClientWidth(954);
    form->SetClientHeight(120);
    auto* bar = new TdxStatusBar(form.get());
    bar->SetParent(form.get());
    bar->SetPaintStyle(stpsOffice11);
    bar->Font()->SetName("MS Shell Dlg 2");
    bar->Font()->SetSize(8);
    bar->Panels()->AddPanel()->SetWidth(130);
    bar->Panels()->AddPanel();
    bar->Panels()->GetItem(0)->SetText("3000 × 2000 Pixel");
    bar->Panels()->GetItem(1)->SetText("x = 0.25 - ISO 100");
    form->Show();

    const TPoint origin = bar->ClientToScreen({0, 0});
    const uint32_t start = Mix(Rgb(clBtnFace), Rgb(clWindow), 22);
    const uint32_t frame = Mix(Mix(Rgb(clBtnFace), Rgb(clWindow), 96), 0, 90);
    auto at = [&](const std::string& s, int x, int y) { return ScreenPixel(s, origin.X + x, origin.Y + y); };
    bool match = false;
    std::string screen;
    for (int attempt = 0; attempt < 100 && !match; ++attempt) {
      Application->ProcessMessages();
      int status = 0;
      screen = testsupport::RunCommand("import -silent -window root -depth 8 rgb:- 2>/dev/null", &status);
      match = status == 0 && screen.size() == size_t(kScreenW) * kScreenH * 3 && at(screen, 0, 0) == start &&
              at(screen, 1, 10) == frame;
    }
    ASSERT_EQ(screen.size(), size_t(kScreenW) * kScreenH * 3) << "import gave no screen";
    EXPECT_EQ(at(screen, 0, 0), start);
    EXPECT_EQ(at(screen, 1, 10), frame);
    EXPECT_EQ(at(screen, 135, 10), frame);
    // Both texts leave dark pixels inside their text areas.
    auto darkIn = [&](int x0, int x1) {
      for (int y = 2; y < 18; ++y)
        for (int x = x0; x < x1; ++x)
          if ((at(screen, x, y) & 0xFF) < 0x60) return true;
      return false;
    };
    EXPECT_TRUE(darkIn(4, 130));
    EXPECT_TRUE(darkIn(138, 400));
  }
  display::ShutdownDisplay();
}

}  // namespace
