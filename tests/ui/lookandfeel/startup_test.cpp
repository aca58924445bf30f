#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/rtl/object.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/cxLookAndFeelStartup.h"
#include "ui/lookandfeel/dxCore.h"

namespace {

std::vector<std::string> journal;
void StartA() { journal.push_back("start A"); }
void StopA() { journal.push_back("stop A"); }
void StartB() { journal.push_back("start B"); }
void StopB() { journal.push_back("stop B"); }
void StartFails() { throw std::runtime_error("refused"); }

TEST(UnitTable, StartsInOrderStopsInReverseOnce) {
  journal.clear();
  const TdxUnitRow rows[] = {{"A", &StartA, &StopA}, {"Empty", nullptr, nullptr}, {"B", &StartB, &StopB}};
  TdxUnitTable table(rows);
  std::vector<std::string> traced;
  table.SetTrace([&](std::string_view unit, bool starting) { traced.push_back(std::string(unit) + (starting ? "+" : "-")); });
  table.Start();
  table.Start();  // counted only
  EXPECT_EQ(table.StartCount(), 2);
  EXPECT_EQ(journal, (std::vector<std::string>{"start A", "start B"}));
  table.Stop();
  EXPECT_EQ(journal.size(), 2u);  // one start still unmatched
  table.Stop();
  EXPECT_EQ(journal, (std::vector<std::string>{"start A", "start B", "stop B", "stop A"}));
  EXPECT_EQ(traced, (std::vector<std::string>{"A+", "Empty+", "B+", "B-", "Empty-", "A-"}));
  table.Stop();
  table.Start();  // a stopped table stays stopped
  EXPECT_EQ(journal.size(), 4u);
  EXPECT_TRUE(table.Stopped());
}

TEST(UnitTable, FailedStartStopsWhatHadStarted) {
  journal.clear();
  const TdxUnitRow rows[] = {{"A", &StartA, &StopA}, {"Bad", &StartFails, &StopB}, {"B", &StartB, &StopB}};
  TdxUnitTable table(rows);
  EXPECT_THROW(table.Start(), std::runtime_error);
  EXPECT_EQ(journal, (std::vector<std::string>{"start A", "stop A"}));
  EXPECT_EQ(table.StartCount(), 0);
  table.Stop();
  EXPECT_EQ(journal.size(), 2u);
}

TEST(LookAndFeelStartUp, UnitsInTheirOrder) {
  const char* expected[] = {"dxCore", "cxClasses", "dxUxTheme", "dxThemeManager", "dxOffice11", "cxGeometry",
                            "cxDWMApi", "cxContainer", "cxControls", "FillPatterns", "cxGraphics",
                            "cxLookAndFeelPainters", "cxLookAndFeels", "cxStyles", "dxGDIPlusAPI",
                            "dxGDIPlusClasses", "dxFading", "cxAccessibility"};
  const auto rows = cxLookAndFeelUnits().Rows();
  ASSERT_EQ(rows.size(), std::size(expected));
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_STREQ(rows[i].Name, expected[i]);
}

TEST(LookAndFeelStartUp, SecondStartDoesNothing) {
  TdxUnitTable& units = cxLookAndFeelUnits();
  ASSERT_TRUE(units.Started());  // by the test program's start-up
  TdxResourceStringsRepository* repository = ResourceStringsRepository();
  repository->RegisterProduct("LookAndFeelStartUpTest", nullptr);
  cxStartLookAndFeel();
  EXPECT_EQ(ResourceStringsRepository(), repository);
  EXPECT_NE(repository->IndexOfProduct("LookAndFeelStartUpTest"), -1);
  cxStopLookAndFeel();  // matches the second start: the units keep running
  EXPECT_EQ(ResourceStringsRepository(), repository);
  repository->UnregisterProduct("LookAndFeelStartUpTest");
}

// Marks its flag when freed.
class TFreedProbe : public TObject {
public:
  explicit TFreedProbe(bool& freed) : freed_(freed) {}
  ~TFreedProbe() override { freed_ = true; }

private:
  bool& freed_;
};

// Shutting the library down is final for the process, so it runs in a child.
TEST(LookAndFeelStartUpDeathTest, GettersAnswerNullAfterShutdown) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        ResourceStringsRepository()->RegisterProduct("BarSuite", nullptr);
        bool freed[3] = {};
        for (const TcxSharedGlyphBuffer b : {sgbDraw, sgbImage, sgbMask}) *cxSharedGlyphBuffer(b) = new TFreedProbe(freed[b]);
        const bool canvases = ScreenCanvas() != nullptr && PaintCanvas() != nullptr;
        cxStopLookAndFeel();
        const bool ok = canvases && ResourceStringsRepository() == nullptr && ResourceStringsRepository() == nullptr &&
                        GetClass("TcxRect") == nullptr && ScreenCanvas() == nullptr && PaintCanvas() == nullptr &&
                        cxSharedGlyphBuffer(sgbDraw) == nullptr && freed[0] && freed[1] && freed[2] &&
                        cxSystemBrush(0) == nullptr && cxCheckerBrush() == nullptr;
        std::exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
