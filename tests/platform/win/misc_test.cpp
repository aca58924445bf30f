// Clipboard, module table, monitors and system parameters, message boxes.
#include <cstring>
#include <thread>

#include "platform/gdi/syscolors.h"
#include "tests/platform/win/wintest.h"

namespace wintest {
namespace {

using MiscTest = WinTest;

HGLOBAL Block(const void* data, size_t n) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
  std::memcpy(GlobalLock(h), data, n);
  GlobalUnlock(h);
  return h;
}

TEST_F(MiscTest, ClipboardTextIsSynthesisedBetweenAnsiAndUnicode) {
  HWND w = Make(WS_POPUP, {0, 0, 10, 10});
  ASSERT_TRUE(OpenClipboard(w));
  ASSERT_TRUE(EmptyClipboard());
  const char ansi[] = "caf\xE9";  // Windows-1252
  ASSERT_NE(SetClipboardData(CF_TEXT, Block(ansi, sizeof ansi)), nullptr);
  EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr) << "delayed rendering is not offered";
  const UINT custom = RegisterClipboardFormat("VOVIDER TEXTMEMO");
  EXPECT_GE(custom, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat("vovider textmemo"), custom);
  const uint8_t raw[] = {1, 2, 3};
  SetClipboardData(custom, Block(raw, sizeof raw));
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GetClipboardOwner(), w);

  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "closed";
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto* u = static_cast<const char16_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  ASSERT_NE(u, nullptr);
  EXPECT_EQ(std::u16string(u), u"caf\u00e9");
  GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
  auto* c = static_cast<const uint8_t*>(GlobalLock(GetClipboardData(custom)));
  EXPECT_EQ(c[2], 3);
  GlobalUnlock(GetClipboardData(custom));
  std::vector<UINT> formats;
  for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) formats.push_back(f);
  EXPECT_EQ(formats, (std::vector<UINT>{CF_TEXT, custom, CF_UNICODETEXT, CF_OEMTEXT}));
  char name[64];
  EXPECT_EQ(GetClipboardFormatName(custom, name, sizeof name), 16);
  EXPECT_STREQ(name, "VOVIDER TEXTMEMO");
  CloseClipboard();
}

TEST_F(MiscTest, TheClipboardIsOpenToOneThreadAtATime) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  bool otherGotIt = true;
  std::thread t([&] { otherGotIt = OpenClipboard(nullptr); });
  t.join();
  EXPECT_FALSE(otherGotIt);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
  EXPECT_FALSE(EmptyClipboard()) << "only while open";
}

int Seven() { return 7; }
int Eight() { return 8; }

TEST_F(MiscTest, TheModuleTableFindsEntryPointsByNameAndOrdinalOrNot) {
  {
    HMODULE user32 = LoadLibrary("USER32.DLL");
    ASSERT_NE(user32, nullptr);
    EXPECT_EQ(GetModuleHandle("user32"), user32);
    auto mfp = reinterpret_cast<HMONITOR (*)(POINT, DWORD)>(GetProcAddress(user32, "MonitorFromPoint"));
    ASSERT_NE(mfp, nullptr);
    EXPECT_EQ(mfp({5, 5}, MONITOR_DEFAULTTONULL), MonitorFromPoint({5, 5}, MONITOR_DEFAULTTONULL));
    EXPECT_EQ(GetProcAddress(user32, "SetCurrentProcessExplicitAppUserModelID"), nullptr);
    EXPECT_EQ(GetProcAddress(user32, "monitorfrompoint"), nullptr) << "entry names are exact";
    EXPECT_TRUE(FreeLibrary(user32));
    EXPECT_EQ(LoadLibrary("dwmapi.dll"), nullptr) << "a module this platform lacks";
  }
  {
    ScopedModuleTable table({{"fake.dll", {{"Seven", 1, reinterpret_cast<FARPROC>(&Seven)},
                                           {"Eight", 0, reinterpret_cast<FARPROC>(&Eight)}}}});
    EXPECT_EQ(LoadLibrary("user32.dll"), nullptr) << "the replaced table has only the fakes";
    EXPECT_EQ(GetModuleHandle("fake"), nullptr) << "not loaded yet";
    HMODULE fake = LoadLibrary("C:\\somewhere\\Fake.dll");
    ASSERT_NE(fake, nullptr);
    auto byOrdinal = reinterpret_cast<int (*)()>(GetProcAddress(fake, MAKEINTRESOURCE(1)));
    auto byName = reinterpret_cast<int (*)()>(GetProcAddress(fake, "Eight"));
    ASSERT_NE(byOrdinal, nullptr);
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(byOrdinal(), 7);
    EXPECT_EQ(byName(), 8);
    EXPECT_EQ(GetProcAddress(fake, MAKEINTRESOURCE(2)), nullptr);
    FreeLibrary(fake);
    EXPECT_EQ(GetProcAddress(fake, "Eight"), nullptr) << "unloaded";
  }
  EXPECT_NE(LoadLibrary("user32.dll"), nullptr) << "the platform's table is back";
}

TEST_F(MiscTest, MonitorsAndSystemParameters) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  HMONITOR m = MonitorFromPoint({10, 10}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(MonitorFromPoint({-100, -100}, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromPoint({-100, -100}, MONITOR_DEFAULTTONEAREST), m);
  MONITORINFO mi;
  mi.cbSize = 40;
  ASSERT_TRUE(GetMonitorInfo(m, &mi));
  EXPECT_EQ(mi.rcMonitor, RECT(0, 0, cx, cy));
  EXPECT_EQ(mi.dwFlags, MONITORINFOF_PRIMARY);
  mi.cbSize = 12;
  EXPECT_FALSE(GetMonitorInfo(m, &mi));

  RECT work{0, 0, cx, cy - 40};
  ASSERT_TRUE(SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0));
  RECT got;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &got, 0);
  EXPECT_EQ(got, work);
  mi.cbSize = sizeof(MONITORINFO);
  GetMonitorInfo(m, &mi);
  EXPECT_EQ(mi.rcWork, work);
  SystemParametersInfo(SPI_SETWORKAREA, 0, nullptr, 0);

  struct Row {
    UINT Action;
    BOOL Value;
  };
  for (Row r : {Row{SPI_GETMENUANIMATION, FALSE}, Row{SPI_GETMENUFADE, FALSE}, Row{SPI_GETDROPSHADOW, TRUE},
                Row{SPI_GETKEYBOARDCUES, FALSE}, Row{SPI_GETFLATMENU, FALSE}}) {
    BOOL v = -1;
    EXPECT_TRUE(SystemParametersInfo(r.Action, 0, &v, 0));
    EXPECT_EQ(v, r.Value) << std::hex << r.Action;
  }
  UINT lines = 0;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(lines, 3u);
  HIGHCONTRAST hc;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0));
  EXPECT_EQ(hc.dwFlags & HCF_HIGHCONTRASTON, 0u);
  NONCLIENTMETRICS ncm;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
  EXPECT_STREQ(ncm.lfMessageFont.lfFaceName, "Segoe UI");
  EXPECT_EQ(ncm.lfMenuFont.lfHeight, -12);
  ncm.cbSize = 3;
  EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 3, &ncm, 0));
  EXPECT_FALSE(SystemParametersInfo(0xFFFF, 0, &lines, 0));
}

TEST_F(MiscTest, AMessageBoxHookAnswersWithoutShowing) {
  std::string seen;
  SetMessageBoxHook([&](HWND, const std::string& text, const std::string& caption, UINT type) {
    seen = caption + ":" + text;
    return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
  });
  EXPECT_EQ(MessageBox(nullptr, "Delete?", "Duplexion", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(seen, "Duplexion:Delete?");
  SetMessageBoxHook(nullptr);
}

// The real dialog, answered by keys typed while its loop runs.
std::vector<UINT> g_keysToType;
void TypeKeys(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  for (UINT vk : g_keysToType) {
    KeyMapping k;
    KeyFromVirtualKey(vk, k);
    InputKey(k.Vk, k.Scan, k.Extended, true);
    InputKey(k.Vk, k.Scan, k.Extended, false);
  }
}

TEST_F(MiscTest, AMessageBoxRunsModallyAndAnswersItsKeys) {
  struct Row {
    UINT Type;
    std::vector<UINT> Keys;
    int Expected;
  };
  for (const Row& row : {Row{MB_OK, {VK_RETURN}, IDOK}, Row{MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
                         Row{MB_YESNOCANCEL | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
                         Row{MB_YESNO, {VK_TAB, VK_RETURN}, IDNO}}) {
    HWND owner = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400});
    g_keysToType = row.Keys;
    SetTimer(nullptr, 0, 20, TypeKeys);
    bool ownerDisabled = false;
    On(owner, [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m == WM_ENABLE) ownerDisabled |= !IsWindowEnabled(h);
      return std::nullopt;
    });
    EXPECT_EQ(MessageBox(owner, "Overwrite the file?", "Duplexion", row.Type), row.Expected) << row.Type;
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(FindWindow(nullptr, "Duplexion"), nullptr) << "the dialog is gone";
    DestroyWindow(owner);
  }
}

}  // namespace
}  // namespace wintest
