// The key table (USB HID keyboard usages to virtual keys and scan codes) and
// the US-layout character translation TranslateMessage falls back on.
#include <cctype>

#include "platform/win/internal.h"

namespace win {

namespace {

struct KeyRow {
  uint16_t Usage;
  uint8_t Vk;
  uint8_t Scan;
  bool Extended;
};

// Ordered by usage. Set-1 scan codes as a PC keyboard sends them; E0-prefixed
// keys are marked extended.
constexpr KeyRow kKeys[] = {
    {0x04, 'A', 0x1E, false}, {0x05, 'B', 0x30, false}, {0x06, 'C', 0x2E, false}, {0x07, 'D', 0x20, false},
    {0x08, 'E', 0x12, false}, {0x09, 'F', 0x21, false}, {0x0A, 'G', 0x22, false}, {0x0B, 'H', 0x23, false},
    {0x0C, 'I', 0x17, false}, {0x0D, 'J', 0x24, false}, {0x0E, 'K', 0x25, false}, {0x0F, 'L', 0x26, false},
    {0x10, 'M', 0x32, false}, {0x11, 'N', 0x31, false}, {0x12, 'O', 0x18, false}, {0x13, 'P', 0x19, false},
    {0x14, 'Q', 0x10, false}, {0x15, 'R', 0x13, false}, {0x16, 'S', 0x1F, false}, {0x17, 'T', 0x14, false},
    {0x18, 'U', 0x16, false}, {0x19, 'V', 0x2F, false}, {0x1A, 'W', 0x11, false}, {0x1B, 'X', 0x2D, false},
    {0x1C, 'Y', 0x15, false}, {0x1D, 'Z', 0x2C, false},
    {0x1E, '1', 0x02, false}, {0x1F, '2', 0x03, false}, {0x20, '3', 0x04, false}, {0x21, '4', 0x05, false},
    {0x22, '5', 0x06, false}, {0x23, '6', 0x07, false}, {0x24, '7', 0x08, false}, {0x25, '8', 0x09, false},
    {0x26, '9', 0x0A, false}, {0x27, '0', 0x0B, false},
    {0x28, VK_RETURN, 0x1C, false}, {0x29, VK_ESCAPE, 0x01, false}, {0x2A, VK_BACK, 0x0E, false},
    {0x2B, VK_TAB, 0x0F, false}, {0x2C, VK_SPACE, 0x39, false}, {0x2D, VK_OEM_MINUS, 0x0C, false},
    {0x2E, VK_OEM_PLUS, 0x0D, false}, {0x2F, VK_OEM_4, 0x1A, false}, {0x30, VK_OEM_6, 0x1B, false},
    {0x31, VK_OEM_5, 0x2B, false}, {0x32, VK_OEM_5, 0x2B, false}, {0x33, VK_OEM_1, 0x27, false},
    {0x34, VK_OEM_7, 0x28, false}, {0x35, VK_OEM_3, 0x29, false}, {0x36, VK_OEM_COMMA, 0x33, false},
    {0x37, VK_OEM_PERIOD, 0x34, false}, {0x38, VK_OEM_2, 0x35, false}, {0x39, VK_CAPITAL, 0x3A, false},
    {0x3A, VK_F1, 0x3B, false}, {0x3B, VK_F2, 0x3C, false}, {0x3C, VK_F3, 0x3D, false}, {0x3D, VK_F4, 0x3E, false},
    {0x3E, VK_F5, 0x3F, false}, {0x3F, VK_F6, 0x40, false}, {0x40, VK_F7, 0x41, false}, {0x41, VK_F8, 0x42, false},
    {0x42, VK_F9, 0x43, false}, {0x43, VK_F10, 0x44, false}, {0x44, VK_F11, 0x57, false},
    {0x45, VK_F12, 0x58, false}, {0x46, VK_SNAPSHOT, 0x37, true}, {0x47, VK_SCROLL, 0x46, false},
    {0x48, VK_PAUSE, 0x45, false}, {0x49, VK_INSERT, 0x52, true}, {0x4A, VK_HOME, 0x47, true},
    {0x4B, VK_PRIOR, 0x49, true}, {0x4C, VK_DELETE, 0x53, true}, {0x4D, VK_END, 0x4F, true},
    {0x4E, VK_NEXT, 0x51, true}, {0x4F, VK_RIGHT, 0x4D, true}, {0x50, VK_LEFT, 0x4B, true},
    {0x51, VK_DOWN, 0x50, true}, {0x52, VK_UP, 0x48, true}, {0x53, VK_NUMLOCK, 0x45, true},
    {0x54, VK_DIVIDE, 0x35, true}, {0x55, VK_MULTIPLY, 0x37, false}, {0x56, VK_SUBTRACT, 0x4A, false},
    {0x57, VK_ADD, 0x4E, false}, {0x58, VK_RETURN, 0x1C, true}, {0x59, VK_NUMPAD1, 0x4F, false},
    {0x5A, VK_NUMPAD2, 0x50, false}, {0x5B, VK_NUMPAD3, 0x51, false}, {0x5C, VK_NUMPAD4, 0x4B, false},
    {0x5D, VK_NUMPAD5, 0x4C, false}, {0x5E, VK_NUMPAD6, 0x4D, false}, {0x5F, VK_NUMPAD7, 0x47, false},
    {0x60, VK_NUMPAD8, 0x48, false}, {0x61, VK_NUMPAD9, 0x49, false}, {0x62, VK_NUMPAD0, 0x52, false},
    {0x63, VK_DECIMAL, 0x53, false}, {0x64, VK_OEM_102, 0x56, false}, {0x65, VK_APPS, 0x5D, true},
    {0x68, VK_F13, 0x64, false}, {0x69, VK_F14, 0x65, false}, {0x6A, VK_F15, 0x66, false},
    {0x6B, VK_F16, 0x67, false}, {0x6C, VK_F17, 0x68, false}, {0x6D, VK_F18, 0x69, false},
    {0x6E, VK_F19, 0x6A, false}, {0x6F, VK_F20, 0x6B, false}, {0x70, VK_F21, 0x6C, false},
    {0x71, VK_F22, 0x6D, false}, {0x72, VK_F23, 0x6E, false}, {0x73, VK_F24, 0x76, false},
    {0x7F, VK_VOLUME_MUTE, 0x20, true}, {0x80, VK_VOLUME_UP, 0x30, true}, {0x81, VK_VOLUME_DOWN, 0x2E, true},
    {0xE0, VK_LCONTROL, 0x1D, false}, {0xE1, VK_LSHIFT, 0x2A, false}, {0xE2, VK_LMENU, 0x38, false},
    {0xE3, VK_LWIN, 0x5B, true}, {0xE4, VK_RCONTROL, 0x1D, true}, {0xE5, VK_RSHIFT, 0x36, false},
    {0xE6, VK_RMENU, 0x38, true}, {0xE7, VK_RWIN, 0x5C, true},
};

const KeyRow* ByVk(UINT vk) {
  if (vk == VK_SHIFT) vk = VK_LSHIFT;
  if (vk == VK_CONTROL) vk = VK_LCONTROL;
  if (vk == VK_MENU) vk = VK_LMENU;
  for (const KeyRow& k : kKeys)
    if (k.Vk == vk) return &k;
  return nullptr;
}

const KeyRow* ByScan(UINT scan, bool extended) {
  for (const KeyRow& k : kKeys)
    if (k.Scan == scan && k.Extended == extended) return &k;
  if (extended)
    for (const KeyRow& k : kKeys)
      if (k.Scan == scan) return &k;
  return nullptr;
}

UINT Generic(UINT vk) {
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) return VK_SHIFT;
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) return VK_CONTROL;
  if (vk == VK_LMENU || vk == VK_RMENU) return VK_MENU;
  return vk;
}

// Unshifted and shifted characters of the US layout's punctuation keys.
struct OemChars {
  UINT Vk;
  char Plain, Shifted;
};
constexpr OemChars kOem[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},     {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'},    {VK_OEM_6, ']', '}'},      {VK_OEM_7, '\'', '"'},    {VK_OEM_102, '\\', '|'},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

bool KeyFromHidUsage(uint32_t usage, char32_t layoutChar, KeyMapping& out) {
  for (const KeyRow& k : kKeys) {
    if (k.Usage != usage) continue;
    out.Vk = k.Vk;
    out.Scan = k.Scan;
    out.Extended = k.Extended;
    // Letters follow the layout: VK_Z is the key that types z.
    if (usage >= 0x04 && usage <= 0x1D && layoutChar >= U'a' && layoutChar <= U'z')
      out.Vk = UINT('A' + (layoutChar - U'a'));
    return true;
  }
  return false;
}

bool KeyFromVirtualKey(UINT vk, KeyMapping& out) {
  const KeyRow* k = ByVk(vk);
  if (!k) return false;
  out.Vk = k->Vk;
  out.Scan = k->Scan;
  out.Extended = k->Extended;
  return true;
}

UINT MapVirtualKey(UINT code, UINT mapType) {
  switch (mapType) {
    case MAPVK_VK_TO_VSC: {
      const KeyRow* k = ByVk(code);
      return k ? k->Scan : 0;
    }
    case MAPVK_VK_TO_VSC_EX: {
      const KeyRow* k = ByVk(code);
      return k ? (k->Scan | (k->Extended ? 0xE000u : 0u)) : 0;
    }
    case MAPVK_VSC_TO_VK:
    case MAPVK_VSC_TO_VK_EX: {
      const bool ext = (code & 0xFF00) == 0xE000;
      const KeyRow* k = ByScan(code & 0xFF, ext);
      if (!k) return 0;
      return mapType == MAPVK_VSC_TO_VK ? Generic(k->Vk) : k->Vk;
    }
    case MAPVK_VK_TO_CHAR: {
      if (code >= 'A' && code <= 'Z') return code;
      if (code >= '0' && code <= '9') return code;
      if (code >= VK_NUMPAD0 && code <= VK_NUMPAD9) return '0' + (code - VK_NUMPAD0);
      for (const OemChars& o : kOem)
        if (o.Vk == code) return UINT(uint8_t(o.Plain));
      switch (code) {
        case VK_SPACE: return ' ';
        case VK_RETURN: return '\r';
        case VK_BACK: return 8;
        case VK_TAB: return 9;
        case VK_ESCAPE: return 27;
        case VK_MULTIPLY: return '*';
        case VK_ADD: return '+';
        case VK_SUBTRACT: return '-';
        case VK_DIVIDE: return '/';
        case VK_DECIMAL: return '.';
        default: return 0;
      }
    }
    default: return 0;
  }
}

int ToUnicode(UINT vk, UINT, const BYTE* keys, char16_t* buf, int size, UINT) {
  if (!buf || size < 1 || !keys) return 0;
  const bool shift = keys[VK_SHIFT] & 0x80, ctrl = keys[VK_CONTROL] & 0x80, alt = keys[VK_MENU] & 0x80;
  const bool caps = keys[VK_CAPITAL] & 0x01;
  char16_t c = 0;
  if (ctrl && alt) return 0;  // AltGr on this layout gives nothing
  if (ctrl) {
    if (vk >= 'A' && vk <= 'Z') c = char16_t(vk - 'A' + 1);
    else if (vk == VK_OEM_4) c = 27;
    else if (vk == VK_OEM_5 || vk == VK_OEM_102) c = 28;
    else if (vk == VK_OEM_6) c = 29;
    else if (vk == '6' && shift) c = 30;
    else if (vk == VK_OEM_MINUS && shift) c = 31;
    else if (vk == VK_RETURN) c = 10;
    else if (vk == VK_BACK) c = 127;
    else if (vk == VK_SPACE) c = ' ';
    else if (vk == VK_ESCAPE) c = 27;
  } else if (vk >= 'A' && vk <= 'Z') {
    c = char16_t((shift != caps) ? vk : vk - 'A' + 'a');
  } else if (vk >= '0' && vk <= '9') {
    c = char16_t(shift ? kShiftedDigits[vk - '0'] : char(vk));
  } else {
    for (const OemChars& o : kOem)
      if (o.Vk == vk) c = char16_t(shift ? o.Shifted : o.Plain);
    if (!c) c = char16_t(MapVirtualKey(vk, MAPVK_VK_TO_CHAR));
  }
  if (!c) return 0;
  buf[0] = c;
  return 1;
}

SHORT VkKeyScan(char16_t ch) {
  if (ch >= 'a' && ch <= 'z') return SHORT(ch - 'a' + 'A');
  if (ch >= 'A' && ch <= 'Z') return SHORT(0x100 | ch);
  if (ch >= '0' && ch <= '9') return SHORT(ch);
  for (int d = 0; d < 10; ++d)
    if (ch == char16_t(kShiftedDigits[d])) return SHORT(0x100 | ('0' + d));
  for (const OemChars& o : kOem) {
    if (o.Vk == VK_OEM_102) continue;
    if (ch == char16_t(o.Plain)) return SHORT(o.Vk);
    if (ch == char16_t(o.Shifted)) return SHORT(0x100 | o.Vk);
  }
  switch (ch) {
    case ' ': return VK_SPACE;
    case '\r': return VK_RETURN;
    case '\t': return VK_TAB;
    case 8: return VK_BACK;
    case 27: return VK_ESCAPE;
    default: break;
  }
  if (ch >= 1 && ch <= 26) return SHORT(0x200 | ('A' + ch - 1));
  return -1;
}

}  // namespace win
