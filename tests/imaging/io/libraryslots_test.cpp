// The slots through which lower units call upward (listed in ieinit.h): the
// library's start-up fills every one of them, and a call that finds one empty
// raises an error that names it instead of doing nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "imaging/core/ieglobals.h"
#include "imaging/core/ieinit.h"
#include "imaging/core/ierowconv.h"
#include "imaging/io/ieioset.h"
#include "imaging/io/ioparams.h"
#include "imaging/io/vovideriocomp.h"
#include "platform/rtl/scopeexit.h"

namespace {

TEST(LibrarySlots, AnEmptySlotRaisesAnErrorThatNamesIt) {
  struct Case {
    const char* slot;
    // Empties the slot for its own scope and makes a call that needs it.
    std::function<void()> callWithoutIt;
  };
  const Case cases[] = {
      {"IEParamsOwnerHooks.SetViewDpi",
       [] {
         const TValueScope<void (*)(TVovidErIO*, bool, int32_t)> empty(IEParamsOwnerHooks.SetViewDpi, nullptr);
         TVovidErIO io(nullptr);  // its record takes the default resolution for the view
       }},
      {"IEIOFormatsUnit.Install",
       [] {
         const TValueScope<std::function<void()>> empty(IEIOFormatsUnit.Install, {});
         IEIOInitialize();
       }},
      {"IEIOFormatsUnit.Remove",
       [] {
         const TValueScope<std::function<void()>> empty(IEIOFormatsUnit.Remove, {});
         IEIOFinalize();
       }},
      {"IEColorRowProfileTransform",
       [] {
         const TValueScope<bool> managed(IEColorManagement, true);
         const TValueScope<decltype(IEColorRowProfileTransform)> empty(IEColorRowProfileTransform, nullptr);
         TIOParamsVals params;
         uint8_t in[3] = {1, 2, 3}, out[3] = {};
         IEConvertColorRow(in, iecrRGB, out, iecrBGR, 1, &params);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    try {
      c.callWithoutIt();
      ADD_FAILURE() << "nothing was raised";
    } catch (const EIESlotNotInstalled& e) {
      EXPECT_EQ(e.Message(), std::string(c.slot) + " is not installed");
    }
  }
  // Filled again, the same calls go through.
  EXPECT_NO_THROW(TVovidErIO io(nullptr));
  const TValueScope<bool> managed(IEColorManagement, true);
  TIOParamsVals params;
  uint8_t in[3] = {1, 2, 3}, out[3] = {};
  EXPECT_NO_THROW(IEConvertColorRow(in, iecrRGB, out, iecrBGR, 1, &params));
  EXPECT_EQ(out[0], 3);
}

}  // namespace
