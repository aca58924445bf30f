// A form on the SDL display of a real X server (Xvfb): what the form and its
// panel paint must be what the X server holds. The test starts itself again
// under xvfb-run and reads the screen back with ImageMagick's import.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/display/sdl/sdl.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/forms.h"
#include "tests/support/testsupport.h"

namespace {

constexpr int kScreenW = 320, kScreenH = 240;
constexpr TRect kForm{50, 40, 150, 120};
constexpr TRect kPanel{50, 0, 100, 80};  // the form's right half, in client coordinates

using testsupport::RunCommand;
bool Have(const char* tool) { return testsupport::HaveTool(tool); }

uint32_t ScreenPixel(const std::string& rgb, int x, int y) {
  const size_t i = (size_t(y) * kScreenW + size_t(x)) * 3;
  return (uint32_t(uint8_t(rgb[i])) << 16) | (uint32_t(uint8_t(rgb[i + 1])) << 8) | uint8_t(rgb[i + 2]);
}

TEST(XvfbForm, FormAndPanelPixelsReachTheXServer) {
  if (!std::getenv("DUPLEXION_XVFB_CHILD")) {
    if (!Have("xvfb-run")) GTEST_SKIP() << "xvfb-run is not installed (package xvfb): the SDL display is not tested";
    if (!Have("import")) GTEST_SKIP() << "import is not installed (package imagemagick): cannot read the X server back";
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    // What libX11, libSDL2 and libdbus keep until exit is theirs, not a leak of ours.
    const std::string cmd = "LSAN_OPTIONS='suppressions=" DUPLEXION_LSAN_SUPP ":print_suppressions=0' "
                            "DUPLEXION_XVFB_CHILD=1 DUPLEXION_DISPLAY=sdl xvfb-run -a -s '-screen 0 " +
                            std::to_string(kScreenW) + "x" + std::to_string(kScreenH) + "x24' '" + self +
                            "' --gtest_filter=XvfbForm.FormAndPanelPixelsReachTheXServer 2>&1";
    int status = 0;
    const std::string out = RunCommand(cmd, &status);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
    EXPECT_NE(out.find("[  PASSED  ] 1 test"), std::string::npos) << "the test under Xvfb did not run:\n" << out;
    return;
  }
  display::UseSdlDisplay();
  ASSERT_NE(display::InitDisplay(), nullptr);
  Application->Initialize();
  {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetPosition(poDesigned);
    form->SetBoundsRect(kForm);
    form->SetColor(clRed);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBevelOuter(bvNone);
    panel->SetBoundsRect(kPanel);
    panel->SetColor(clBlue);
    form->Show();

    const int y = kForm.Top + kForm.Height() / 2;
    const int redX = kForm.Left + kPanel.Left / 2, blueX = kForm.Left + (kPanel.Left + kPanel.Right) / 2;
    bool match = false;
    std::string screen;
    // The X server maps the window and takes its pixels asynchronously: look
    // again while the loop runs; the bound only guards a hang.
    for (int attempt = 0; attempt < 100 && !match; ++attempt) {
      Application->ProcessMessages();
      int status = 0;
      screen = RunCommand("import -silent -window root -depth 8 rgb:- 2>/dev/null", &status);
      match = status == 0 && screen.size() == size_t(kScreenW) * kScreenH * 3 &&
              ScreenPixel(screen, redX, y) == 0xFF0000 && ScreenPixel(screen, blueX, y) == 0x0000FF;
    }
    ASSERT_EQ(screen.size(), size_t(kScreenW) * kScreenH * 3) << "import gave no screen";
    EXPECT_EQ(ScreenPixel(screen, redX, y), 0xFF0000u);
    EXPECT_EQ(ScreenPixel(screen, blueX, y), 0x0000FFu);
    // Outside the form the X server shows no pixel of ours.
    EXPECT_NE(ScreenPixel(screen, kForm.Left - 10, y), 0xFF0000u);
  }
  display::ShutdownDisplay();
}

}  // namespace
