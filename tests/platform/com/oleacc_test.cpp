// Variants and their references, recorded window events, and a window's
// accessible object reached through WM_GETOBJECT.
#include "platform/com/oleacc.h"

#include <gtest/gtest.h>

#include "tests/platform/com/counted.h"

using namespace win;

namespace {

TCounted* g_answer = nullptr;

LRESULT AccessibleProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_GETOBJECT && int32_t(l) == OBJID_CLIENT && g_answer) return LresultFromObject(IID_IUnknown, w, g_answer);
  return DefWindowProc(h, m, w, l);
}

}  // namespace

TEST(Variant, CopyAndClearKeepTheReferencesBalanced) {
  auto* obj = new TCounted;
  obj->AddRef();
  VARIANT v;
  v.vt = VT_UNKNOWN;
  v.punkVal = obj;
  obj->AddRef();
  VARIANT copy = VariantI4(5);
  ASSERT_EQ(VariantCopy(&copy, &v), S_OK);
  EXPECT_EQ(copy.punkVal, obj);
  EXPECT_EQ(obj->RefCount(), 3);
  EXPECT_EQ(VariantCopy(&copy, &copy), S_OK);
  EXPECT_EQ(obj->RefCount(), 3) << "a copy onto itself changes nothing";
  EXPECT_EQ(VariantClear(&copy), S_OK);
  EXPECT_EQ(copy.vt, VT_EMPTY);
  EXPECT_EQ(obj->RefCount(), 2);
  ASSERT_EQ(VariantCopy(&copy, &v), S_OK);
  const VARIANT four = VariantI4(4);
  ASSERT_EQ(VariantCopy(&copy, &four), S_OK) << "the held interface is cleared first";
  EXPECT_EQ(obj->RefCount(), 2);
  EXPECT_EQ(copy.lVal, 4);
  VARIANT odd;
  odd.vt = 8;  // a string kind this platform does not make
  EXPECT_EQ(VariantCopy(&copy, &odd), DISP_E_BADVARTYPE);
  EXPECT_EQ(copy.lVal, 4) << "left as it was";
  VariantClear(&v);
  EXPECT_EQ(obj->RefCount(), 1);
  obj->Release();
}

TEST(WinEvents, AreRecordedInOrderAndTakenOnce) {
  TakeWinEvents();
  HWND w = reinterpret_cast<HWND>(uintptr_t(0x1234));
  NotifyWinEvent(EVENT_OBJECT_FOCUS, w, OBJID_CLIENT, 3);
  NotifyWinEvent(EVENT_SYSTEM_MENUEND, nullptr, OBJID_MENU, CHILDID_SELF);
  const std::vector<TWinEventRecord> told = TakeWinEvents();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0].Event, EVENT_OBJECT_FOCUS);
  EXPECT_EQ(told[0].Hwnd, w);
  EXPECT_EQ(told[0].ObjectId, OBJID_CLIENT);
  EXPECT_EQ(told[0].ChildId, 3);
  EXPECT_EQ(told[1].Event, EVENT_SYSTEM_MENUEND);
  EXPECT_TRUE(TakeWinEvents().empty());
}

TEST(AccessibleObjectFromWindow, AsksTheWindowAndHandsOverItsObject) {
  WNDCLASSEX wc;
  wc.lpfnWndProc = AccessibleProc;
  wc.lpszClassName = "DuplexionAccessibleTest";
  ASSERT_NE(RegisterClassEx(&wc), 0);
  HWND h = CreateWindowEx(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(AccessibleObjectFromWindow(h, uint32_t(OBJID_CLIENT), IID_IUnknown, &out), E_FAIL) << "no object yet";
  EXPECT_EQ(out, nullptr);

  auto* obj = new TCounted;
  obj->AddRef();
  g_answer = obj;
  ASSERT_EQ(AccessibleObjectFromWindow(h, uint32_t(OBJID_CLIENT), IID_IUnknown, &out), S_OK);
  EXPECT_EQ(out, static_cast<IUnknown*>(obj));
  EXPECT_EQ(obj->RefCount(), 2) << "the caller's reference, the cookie's is gone";
  static_cast<IUnknown*>(out)->Release();
  EXPECT_EQ(AccessibleObjectFromWindow(h, uint32_t(OBJID_WINDOW), IID_IUnknown, &out), E_FAIL);
  EXPECT_EQ(AccessibleObjectFromWindow(h, uint32_t(OBJID_CLIENT), IID_IAccessible, &out), E_NOINTERFACE)
      << "the object is not accessible";
  EXPECT_EQ(obj->RefCount(), 1);
  EXPECT_EQ(ObjectFromLresult(12345, IID_IUnknown, 0, &out), E_INVALIDARG);
  g_answer = nullptr;
  DestroyWindow(h);
  EXPECT_EQ(AccessibleObjectFromWindow(h, uint32_t(OBJID_CLIENT), IID_IUnknown, &out), E_INVALIDARG);
  obj->Release();
}
