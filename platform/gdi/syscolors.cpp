// The system colour and metric tables.
#include "platform/gdi/syscolors.h"

#include <atomic>
#include <mutex>

namespace win {

namespace {

// RRGGBB as written in colour pickers; turned into COLORREF on use.
constexpr uint32_t kSysColors[SYSCOLOR_COUNT] = {
    0xC8C8C8,  // COLOR_SCROLLBAR
    0x000000,  // COLOR_BACKGROUND
    0x99B4D1,  // COLOR_ACTIVECAPTION
    0xBFCDDB,  // COLOR_INACTIVECAPTION
    0xF0F0F0,  // COLOR_MENU
    0xFFFFFF,  // COLOR_WINDOW
    0x646464,  // COLOR_WINDOWFRAME
    0x000000,  // COLOR_MENUTEXT
    0x000000,  // COLOR_WINDOWTEXT
    0x000000,  // COLOR_CAPTIONTEXT
    0xB4B4B4,  // COLOR_ACTIVEBORDER
    0xF4F7FC,  // COLOR_INACTIVEBORDER
    0xABABAB,  // COLOR_APPWORKSPACE
    0x3399FF,  // COLOR_HIGHLIGHT
    0xFFFFFF,  // COLOR_HIGHLIGHTTEXT
    0xF0F0F0,  // COLOR_BTNFACE
    0xA0A0A0,  // COLOR_BTNSHADOW
    0x6D6D6D,  // COLOR_GRAYTEXT
    0x000000,  // COLOR_BTNTEXT
    0x434E54,  // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF,  // COLOR_BTNHIGHLIGHT
    0x696969,  // COLOR_3DDKSHADOW
    0xE3E3E3,  // COLOR_3DLIGHT
    0x000000,  // COLOR_INFOTEXT
    0xFFFFE1,  // COLOR_INFOBK
    0xB5B5B5,  // COLOR_ALTERNATEBTNFACE
    0x0066CC,  // COLOR_HOTLIGHT
    0xB9D1EA,  // COLOR_GRADIENTACTIVECAPTION
    0xD7E4F2,  // COLOR_GRADIENTINACTIVECAPTION
    0x3399FF,  // COLOR_MENUHILIGHT
    0xF0F0F0,  // COLOR_MENUBAR
};

constexpr COLORREF FromRrggbb(uint32_t v) { return RGB(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)); }

// The current colours, starting from the table; SetSysColors changes them.
std::atomic<COLORREF>* CurrentColors() {
  static std::atomic<COLORREF>* colors = [] {
    auto* c = new std::atomic<COLORREF>[SYSCOLOR_COUNT];
    for (int i = 0; i < SYSCOLOR_COUNT; ++i) c[i] = FromRrggbb(kSysColors[i]);
    return c;
  }();
  return colors;
}

std::atomic<int> g_screenW{1920}, g_screenH{1080};
std::atomic<bool> g_swapButtons{false};
std::atomic<int> g_logPixels{96};

}  // namespace

COLORREF GetSysColor(int index) {
  if (index < 0 || index >= SYSCOLOR_COUNT) return 0;
  return CurrentColors()[index];
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= SYSCOLOR_COUNT) return nullptr;
  static HBRUSH* brushes = [] {
    auto* b = new HBRUSH[SYSCOLOR_COUNT];
    for (int i = 0; i < SYSCOLOR_COUNT; ++i) {
      b[i] = CreateSolidBrush(GetSysColor(i));
      b[i]->Stock = true;
    }
    return b;
  }();
  return brushes[index];
}

bool SetSysColors(int count, const int* elements, const COLORREF* values) {
  if (count < 0 || (count > 0 && (!elements || !values))) return false;
  for (int i = 0; i < count; ++i)
    if (elements[i] < 0 || elements[i] >= SYSCOLOR_COUNT) return false;
  for (int i = 0; i < count; ++i) {
    CurrentColors()[elements[i]] = values[i] & 0xFFFFFF;
    GetSysColorBrush(elements[i])->Color = values[i] & 0xFFFFFF;
  }
  return true;
}

void SetScreenSize(int width, int height) {
  if (width <= 0 || height <= 0) return;
  g_screenW = width;
  g_screenH = height;
}

void SetScreenLogPixels(int dpi) {
  if (dpi > 0) g_logPixels = dpi;
}

int ScreenLogPixels() { return g_logPixels; }

void SetSwapButtonMetric(bool swapped) { g_swapButtons = swapped; }

int GetSystemMetrics(int index) {
  const int w = g_screenW, h = g_screenH;
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN: return w;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: return h;
    case SM_CXFULLSCREEN: return w;
    case SM_CYFULLSCREEN: return h - 22;  // less the caption, as the platform reports
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: return 22;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_CYMENU: return 20;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return 19;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 15;
    case SM_CXSIZE: return 36;
    case SM_CYSIZE: return 21;
    case SM_CYSMCAPTION: return 18;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE: return 17;
    case SM_CXMIN: return 132;
    case SM_CYMIN: return 38;
    case SM_CXMINTRACK: return 132;
    case SM_CYMINTRACK: return 38;
    case SM_CXMAXTRACK: return w + 12;
    case SM_CYMAXTRACK: return h + 12;
    case SM_CXMAXIMIZED: return w + 8;
    case SM_CYMAXIMIZED: return h + 8;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 28;
    case SM_CXMINSPACING: return 160;
    case SM_CYMINSPACING: return 28;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_NETWORK: return 1;
    case SM_SWAPBUTTON: return g_swapButtons ? 1 : 0;
    case SM_ARRANGE: return 8;
    default: return 0;
  }
}

UINT GetDoubleClickTime() { return 500; }

COLORREF ColorToColorRef(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(int(uint32_t(color) & 0xFF));
  return COLORREF(color);
}

}  // namespace win
