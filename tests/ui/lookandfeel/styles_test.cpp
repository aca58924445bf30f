// Styles: which values count as assigned, and what the users of a style hear.
#include "ui/lookandfeel/cxStyles.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/vcl/graphics.h"

namespace {

// Records what it hears; detaches itself when the style goes, as users must.
class TRecordingUser : public IcxStyleUser {
public:
  explicit TRecordingUser(std::string& ALog, char AName) : log_(ALog), name_(AName) {}
  void StyleValuesChanged(TcxCustomStyle*) override { log_ += name_; }
  void StyleDestroying(TcxCustomStyle* Sender) override {
    log_ += '~';
    log_ += name_;
    Sender->DetachUser(this);
  }

private:
  std::string& log_;
  char name_;
};

constexpr TcxStyleValues kColor = StyleValueBit(svColor), kText = StyleValueBit(svTextColor),
                         kFont = StyleValueBit(svFont), kBitmap = StyleValueBit(svBitmap);

TEST(Style, ANewStyleHasNothingAssignedAndDefaultColours) {
  TcxStyle style(nullptr);
  EXPECT_EQ(style.AssignedValues(), 0);
  EXPECT_EQ(style.Color(), clDefault);
  EXPECT_EQ(style.TextColor(), clDefault);
  ASSERT_NE(style.Font(), nullptr);
  ASSERT_NE(style.Bitmap(), nullptr);
  EXPECT_TRUE(style.Bitmap()->Empty());
}

TEST(Style, EachWriterMarksItsValueAndTellsTheUsersLastFirst) {
  std::string log;
  TRecordingUser a(log, 'a'), b(log, 'b');
  TcxStyle style(nullptr);
  style.AttachUser(&a);
  style.AttachUser(&b);
  style.AttachUser(&a);  // listed once
  EXPECT_EQ(style.UserCount(), 2);

  TBitmap glyph(4, 4), empty;
  TFont font;
  font.SetSize(15);
  const struct {
    const char* what;
    std::function<void()> write;
    TcxStyleValues assigned;
    const char* heard;
  } steps[] = {
      {"colour", [&] { style.SetColor(clRed); }, kColor, "ba"},
      {"same colour", [&] { style.SetColor(clRed); }, kColor, ""},
      {"text colour", [&] { style.SetTextColor(clBlue); }, kColor | kText, "ba"},
      {"colour back to default", [&] { style.SetColor(clDefault); }, kText, "ba"},
      {"font", [&] { style.SetFont(&font); }, kText | kFont, nullptr},
      {"bitmap", [&] { style.SetBitmap(&glyph); }, kText | kFont | kBitmap, nullptr},
      {"empty bitmap", [&] { style.SetBitmap(&empty); }, kText | kFont, nullptr},
      {"assigned values", [&] { style.SetAssignedValues(kColor); }, kColor, "ba"},
  };
  for (const auto& s : steps) {
    log.clear();
    s.write();
    EXPECT_EQ(style.AssignedValues(), s.assigned) << s.what;
    if (s.heard) EXPECT_EQ(log, s.heard) << s.what;
    else EXPECT_FALSE(log.empty()) << s.what;
  }
  EXPECT_EQ(style.Font()->Size(), 15);  // a copy of the font
  style.DetachUser(&b);
  log.clear();
  style.SetTextColor(clGreen);
  EXPECT_EQ(log, "a");
}

TEST(Style, AssignTakesTheValuesAndThenTheSourcesAssignedSet) {
  std::string log;
  TRecordingUser u(log, 'u');  // outlives the style it listens to
  TcxStyle source(nullptr), copy(nullptr);
  source.SetColor(clYellow);
  source.SetTextColor(clNavy);
  source.SetAssignedValues(kText);  // the colour is kept but not marked
  copy.Assign(&source);
  EXPECT_EQ(copy.Color(), clYellow);
  EXPECT_EQ(copy.TextColor(), clNavy);
  EXPECT_EQ(copy.AssignedValues(), kText);

  copy.AttachUser(&u);
  copy.Font()->SetSize(20);
  copy.ResetStyle();
  EXPECT_EQ(copy.AssignedValues(), 0);
  EXPECT_EQ(copy.Color(), clDefault);
  EXPECT_EQ(copy.TextColor(), clDefault);
  EXPECT_EQ(copy.Font()->Size(), 20);  // the font keeps its values
  EXPECT_EQ(log.back(), 'u');
}

TEST(Style, ADyingStyleTellsEveryUserLastFirst) {
  std::string log;
  TRecordingUser a(log, 'a'), b(log, 'b');
  {
    TcxStyle style(nullptr);
    style.AttachUser(&a);
    style.AttachUser(&b);
  }
  EXPECT_EQ(log, "~b~a");
}

}  // namespace
