#include "platform/shell/folders/shellitems.h"

namespace win {

HRESULT UIObjectOf(const TFolderPlace&, HWND, UINT, PCIDL*, REFIID, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return E_NOINTERFACE;
}

}  // namespace win
