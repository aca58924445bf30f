// The vector unit's start-up and shut-down, alone and through the library's
// start-up with the view unit it stands on.
#include <gtest/gtest.h>

#include <string>

#include "imaging/core/ieinit.h"
#include "imaging/vector/ievect.h"
#include "imaging/view/ieview.h"
#include "imaging/view/voviderview.h"
#include "platform/win/winuser.h"

namespace {

TEST(IEVect, InitializeRegistersTheClipboardFormatAndTheShortcuts) {
  IEVectInitialize();
  const uint32_t format = IEVectClipboardFormat();
  EXPECT_NE(format, 0u);
  // Registering the name again gives the same number.
  EXPECT_EQ(win::RegisterClipboardFormat("VOVIDER VECT"), format);
  const char* names[iesShortcutCount] = {"Ctrl+L", "Ctrl+E", "Ctrl+R", "Ctrl+J", "Ctrl+C", "Ctrl+X",
                                         "Ctrl+V", "Ctrl+F", "Ctrl+B", "Ctrl+I", "Ctrl+U", "Ctrl+G"};
  for (int i = 0; i < iesShortcutCount; ++i) EXPECT_EQ(IEEditShortcuts[size_t(i)], TextToShortCut(names[i])) << i;
  ASSERT_NE(IEVectExtensions(), nullptr);
  EXPECT_TRUE(IEVectExtensions()->empty());
  IEVectExtensions()->push_back(std::make_unique<TIEVectExtension>(TIEVectExtension{"entry"}));
  IEVectFinalize();
  EXPECT_EQ(IEVectExtensions(), nullptr);
  IEVectFinalize();  // twice is harmless
  IEVectInitialize();  // as the library's start-up left it
}

TEST(IEVect, TheLibraryStartUpRunsTheBoundUnits) {
  // Started once by the test environment: shut down, then started again.
  ASSERT_EQ(IEInitializeCount(), 1);
  IEFinalize();
  EXPECT_EQ(IEVectExtensions(), nullptr);
  EXPECT_EQ(IEViewUnit.GridPen, nullptr);
  IEEditShortcuts = {};
  IEInitialize();
  EXPECT_EQ(IEEditShortcuts[iesBold], TextToShortCut("Ctrl+B"));
  EXPECT_NE(IEVectExtensions(), nullptr);
  // The view unit was bound along: its start-up made the grid pen.
  ASSERT_NE(IEViewUnit.GridPen, nullptr);
  EXPECT_EQ(IEViewUnit.GridPen->Mode(), pmNot);
  EXPECT_EQ(IEViewUnit.GridMinZoom, 400);
  EXPECT_EQ(IEViewUnit.PrintDpiX, 300);
}

}  // namespace
