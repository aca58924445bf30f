#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/vcl/graphics.h"
#include "platform/vcl/timers.h"
#include "tests/ui/lookandfeel/fake_gdiplus.h"
#include "tests/ui/lookandfeel/pixel_quads.h"
#include "ui/lookandfeel/dxFading.h"
#include "ui/lookandfeel/dxGDIPlusClasses.h"

using namespace win;
using namespace pixel_quads;

namespace {

// A hot-tracked element whose normal picture is opaque black and whose hot
// picture is opaque white: the red of a frame is the alpha it was blended at.
class TFadingButton : public TdxFadingObjectHelper {
public:
  bool canFade = true;
  TSize normalSize{2, 1}, hotSize{2, 1};
  bool giveNormal = true, giveHot = true;
  std::optional<int32_t> inFrames, inDelay, outFrames, outDelay;
  std::vector<std::string> journal;

  bool CanFade() override { return canFade; }
  void FadeFrameChanged() override {
    TBitmap shown(2, 1);
    shown.SetPixelFormat(pf32bit);
    SetPixel(shown, 0, 0, 0xFF0000FF);
    DrawFrame(shown.Canvas()->Handle(), Rect(0, 0, 2, 1));
    journal.push_back(std::to_string((Pixel(shown, 0, 0) >> 16) & 255));
  }
  void BeginFade(IdxFadingElementData* data) override {
    journal.push_back("begin");
    TdxFadingObjectHelper::BeginFade(data);
  }
  void EndFade() override {
    journal.push_back("end");
    TdxFadingObjectHelper::EndFade();
  }
  void GetFadeBitmaps(std::unique_ptr<TBitmap>& normal, std::unique_ptr<TBitmap>& hot, int32_t& fadeOutDelay,
                      int32_t& fadeOutFrames, int32_t& fadeInDelay, int32_t& fadeInFrames) override {
    journal.push_back("defaults " + std::to_string(fadeInFrames) + " " + std::to_string(fadeInDelay) + " " +
                      std::to_string(fadeOutFrames) + " " + std::to_string(fadeOutDelay));
    if (giveNormal) normal = Filled(normalSize, 0xFF000000);
    if (giveHot) hot = Filled(hotSize, 0xFFFFFFFF);
    fadeInFrames = inFrames.value_or(fadeInFrames);
    fadeInDelay = inDelay.value_or(fadeInDelay);
    fadeOutFrames = outFrames.value_or(fadeOutFrames);
    fadeOutDelay = outDelay.value_or(fadeOutDelay);
  }
  std::vector<std::string> Take() { return std::exchange(journal, {}); }

private:
  static std::unique_ptr<TBitmap> Filled(TSize size, uint32_t pixel) {
    auto bitmap = std::make_unique<TBitmap>(size.cx, size.cy);
    bitmap->SetPixelFormat(pf32bit);
    for (int32_t y = 0; y < size.cy; ++y)
      for (int32_t x = 0; x < size.cx; ++x) SetPixel(*bitmap, x, y, pixel);
    return bitmap;
  }
};

std::vector<std::string> Texts(std::initializer_list<int> values) {
  std::vector<std::string> out;
  for (int v : values) out.push_back(std::to_string(v));
  return out;
}

// GDI+ present (the fake module), the system's menu animation on and the
// software image class installed.
class FadingForcedOn : public ::testing::Test {
protected:
  FadingForcedOn() {
    SystemParametersInfo(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(1), 0);
    SetdxGPImageClass(TdxGPImage::StaticClass());
  }
  ~FadingForcedOn() override {
    fader.reset();
    SetdxGPImageClass(TdxGPNullImage::StaticClass());
    SystemParametersInfo(SPI_SETMENUANIMATION, 0, nullptr, 0);
  }
  // The fader's frames: what its timer would do, one call per 10 ms.
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) fader->Timer().OnTimer(nullptr);
  }

  TFakeGdiPlus gdiPlus;
  std::unique_ptr<TdxFader> fader = std::make_unique<TdxFader>();
  TFadingButton button;
};

TEST_F(FadingForcedOn, FadeInThroughItsAlphas) {
  ASSERT_TRUE(fader->IsFadingAvailable());
  fader->FadeIn(&button);
  EXPECT_EQ(button.Take(), (std::vector<std::string>{"defaults 4 15 12 20", "begin", "0"}));
  EXPECT_TRUE(fader->Timer().Enabled());
  EXPECT_FALSE(button.IsEmpty());
  Tick(4);  // one frame per tick: delay 15 ms
  EXPECT_EQ(button.Take(), Texts({64, 128, 192, 255}));
  Tick();  // complete: the end picture, then the end
  EXPECT_EQ(button.Take(), (std::vector<std::string>{"255", "end"}));
  EXPECT_TRUE(fader->List().empty());
  EXPECT_FALSE(fader->Timer().Enabled());
  EXPECT_TRUE(button.IsEmpty());
}

TEST_F(FadingForcedOn, FadeOutEverySecondTick) {
  fader->FadeOut(&button);
  EXPECT_EQ(button.Take(), (std::vector<std::string>{"defaults 4 15 12 20", "begin", "255"}));
  std::vector<std::string> expected;
  for (int frame = 1; frame <= 12; ++frame) {
    Tick();
    EXPECT_EQ(button.journal.size(), size_t(frame - 1));  // delay 20 ms: every second tick
    Tick();
    expected.push_back(std::to_string(255 - 21 * frame));
  }
  EXPECT_EQ(button.Take(), expected);
  EXPECT_EQ(expected.back(), "3");
  Tick(2);
  EXPECT_EQ(button.Take(), (std::vector<std::string>{"0", "end"}));
}

TEST_F(FadingForcedOn, TimingIsNormalised) {
  struct Case {
    int32_t inFrames, inDelay, outFrames, outDelay;
    int32_t wantInFrames, wantInDelay, wantOutFrames, wantOutDelay;
  } cases[] = {
      {40, 5, 33, 1000, 32, 15, 32, 300},
      {0, 9, -3, -1, 4, 15, 12, 20},
      {1, 10, 32, 300, 1, 10, 32, 300},
      {INT_MAX, INT_MAX, INT_MIN, INT_MIN, 32, 300, 12, 20},
  };
  for (const Case& c : cases) {
    TFadingButton b;
    b.inFrames = c.inFrames, b.inDelay = c.inDelay, b.outFrames = c.outFrames, b.outDelay = c.outDelay;
    fader->FadeIn(&b);
    const TdxFadingElement* element = fader->Find(&b);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->FadeInFrames(), c.wantInFrames) << c.inFrames;
    EXPECT_EQ(element->FadeInDelay(), c.wantInDelay) << c.inDelay;
    EXPECT_EQ(element->FadeOutFrames(), c.wantOutFrames) << c.outFrames;
    EXPECT_EQ(element->FadeOutDelay(), c.wantOutDelay) << c.outDelay;
    fader->Clear();
  }
  // A delay of 1000 ms runs at 300: a frame every 30 ticks.
  button.inDelay = 1000;
  fader->FadeIn(&button);
  button.Take();
  Tick(29);
  EXPECT_TRUE(button.journal.empty());
  Tick();
  EXPECT_EQ(button.Take(), Texts({64}));
}

TEST_F(FadingForcedOn, AnEleventhFadeFinishesTheOldest) {
  std::vector<std::unique_ptr<TFadingButton>> buttons;
  for (int i = 0; i < 11; ++i) {
    buttons.push_back(std::make_unique<TFadingButton>());
    fader->FadeIn(buttons.back().get());
  }
  EXPECT_EQ(fader->List().size(), 10u);
  EXPECT_EQ(fader->Find(buttons[0].get()), nullptr);
  EXPECT_EQ(buttons[0]->Take(), (std::vector<std::string>{"defaults 4 15 12 20", "begin", "0", "255", "end"}));
  EXPECT_EQ(fader->List().front()->Element(), buttons[1].get());
  EXPECT_EQ(fader->List().back()->Element(), buttons[10].get());
  EXPECT_TRUE(fader->Timer().Enabled());
  fader->Clear();
  EXPECT_FALSE(fader->Timer().Enabled());
  for (auto& b : buttons) EXPECT_TRUE(b->IsEmpty());
}

// Round half to even, written out.
int32_t HalfToEven(double x) {
  const double f = std::floor(x), r = x - f;
  if (r != 0.5) return int32_t(r < 0.5 ? f : f + 1);
  return int32_t(std::fmod(f, 2) == 0 ? f : f + 1);
}

TEST_F(FadingForcedOn, ReversingContinuesFromTheMatchingStage) {
  struct Case {
    int32_t inFrames, outFrames, ticksIn;
  } cases[] = {{4, 12, 2}, {3, 5, 2}, {3, 7, 2}, {4, 12, 4}, {4, 12, 0}};
  for (const Case& c : cases) {
    TFadingButton b;
    b.inFrames = c.inFrames, b.outFrames = c.outFrames, b.inDelay = 10, b.outDelay = 10;
    fader->FadeIn(&b);
    Tick(c.ticksIn);
    fader->FadeOut(&b);  // the mouse leaves halfway
    const int32_t stage = HalfToEven((1 - double(c.ticksIn) / (c.inFrames + 1)) * c.outFrames);
    ASSERT_NE(fader->Find(&b), nullptr);
    EXPECT_EQ(fader->Find(&b)->Stage(), stage) << c.inFrames << "/" << c.outFrames;
    b.Take();
    Tick();
    if (stage < c.outFrames) {
      EXPECT_EQ(b.Take(), Texts({std::max(0, 255 - (256 / c.outFrames) * (stage + 1))}));
    }
    fader->Clear();
  }
  // And back in: the fade-out stage maps onto the fade-in frames.
  button.inDelay = button.outDelay = 10;
  fader->FadeOut(&button);
  Tick(6);
  fader->FadeIn(&button);
  EXPECT_EQ(fader->Find(&button)->Stage(), HalfToEven((1 - 6.0 / 13) * 4));
  fader->FadeIn(&button);  // the same direction changes nothing
  EXPECT_EQ(fader->Find(&button)->Stage(), HalfToEven((1 - 6.0 / 13) * 4));
  EXPECT_EQ(fader->List().size(), 1u);
}

TEST_F(FadingForcedOn, NoFadeWithoutTwoPicturesOfOneSize) {
  struct Case {
    const char* what;
    bool normal, hot;
    TSize normalSize, hotSize;
  } cases[] = {
      {"sizes differ", true, true, {2, 1}, {3, 1}},
      {"heights differ", true, true, {2, 2}, {2, 1}},
      {"no hot picture", true, false, {2, 1}, {2, 1}},
      {"no normal picture", false, true, {2, 1}, {2, 1}},
      {"empty pictures", true, true, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    TFadingButton b;
    b.giveNormal = c.normal, b.giveHot = c.hot, b.normalSize = c.normalSize, b.hotSize = c.hotSize;
    fader->FadeIn(&b);
    EXPECT_TRUE(fader->List().empty()) << c.what;
    EXPECT_EQ(b.Take(), (std::vector<std::string>{"defaults 4 15 12 20"})) << c.what;
  }
  EXPECT_FALSE(fader->Timer().Enabled());
}

TEST_F(FadingForcedOn, OnlyElementsThatCanFade) {
  TObject plain;
  fader->FadeIn(&plain);
  button.canFade = false;
  fader->FadeIn(&button);
  EXPECT_TRUE(fader->List().empty());
  EXPECT_TRUE(button.journal.empty());
  // With the system's menu animation off, the fader follows it.
  button.canFade = true;
  SystemParametersInfo(SPI_SETMENUANIMATION, 0, nullptr, 0);
  EXPECT_FALSE(fader->IsFadingAvailable());
  fader->FadeIn(&button);
  EXPECT_TRUE(fader->List().empty());
}

TEST_F(FadingForcedOn, RemovingAnElementDuringItsFade) {
  TFadingButton other;
  fader->FadeIn(&button);
  fader->FadeIn(&other);
  Tick();
  button.Take();
  other.Take();
  fader->RemoveObject(&button);  // shows its end state
  EXPECT_EQ(button.Take(), (std::vector<std::string>{"255", "end"}));
  auto destroying = std::make_unique<TFadingButton>();
  fader->FadeOut(destroying.get());
  destroying->Take();
  fader->RemoveObject(destroying.get(), true);  // going away: not called back
  EXPECT_TRUE(destroying->journal.empty());
  destroying.reset();
  fader->RemoveObject(&button);  // no fade left: nothing
  EXPECT_TRUE(button.journal.empty());
  EXPECT_EQ(fader->List().size(), 1u);
  Tick(4);
  EXPECT_EQ(other.Take(), (std::vector<std::string>{"128", "192", "255", "255", "end"}));
  EXPECT_TRUE(fader->List().empty());
}

}  // namespace
