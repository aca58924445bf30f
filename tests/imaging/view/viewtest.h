// Shared fixture of the view tests: the headless screen with the application
// initialised (see tests/platform/vcl/controls_test.h), the library started
// once for the program (tests/support/imaging), and helpers that make a view
// on a shown form and fill images.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "imaging/core/iebitmap.h"
#include "imaging/view/voviderview.h"
#include "tests/platform/vcl/controls_test.h"

namespace viewtest {

class ViewTest : public vcltest::VclTest {
protected:

  // A view filling a shown borderless form of w x h at (left, top): no
  // border, the given scroll bars, black background, image in memory.
  TVovidErView* MakeView(int32_t w, int32_t h, TScrollStyle bars = ssNone, int32_t left = 20, int32_t top = 20) {
    TForm* form = MakeForm(Rect(left, top, left + w, top + h), clBlack);
    auto* view = new TVovidErView(form);
    view->SetBorderStyle(bsNone);
    view->SetScrollBars(bars);
    view->SetLegacyBitmap(false);
    view->SetBackground(clBlack);
    view->SetBounds(0, 0, w, h);
    view->SetParent(form);
    form->Show();
    Pump();
    return view;
  }

  // The current image becomes w x h ie24RGB with pixel (x, y) = f(x, y).
  template <class F>
  static void FillImage(TVovidErView* view, int32_t w, int32_t h, F f) {
    TIEBitmap* b = view->GetIEBitmap();
    ASSERT_TRUE(b->Allocate(w, h, ie24RGB));
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) b->SetPixel24(x, y, f(x, y));
    view->Update();
  }
  static void FillSolid(TVovidErView* view, int32_t w, int32_t h, TRGB c) {
    FillImage(view, w, h, [c](int32_t, int32_t) { return c; });
  }
};

}  // namespace viewtest
