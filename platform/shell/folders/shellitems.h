// What the folder object and the UI objects share beyond platform/shell/places.h.
#pragma once

#include "platform/shell/folders/shlobj.h"

namespace win {

HRESULT DetailValue(const SHCOLUMNID& id, const TPidlItem& item, VARIANT* value);

// GetUIObjectOf's objects for items of place.
HRESULT UIObjectOf(const TFolderPlace& place, HWND owner, UINT count, PCIDL* pidls, REFIID iid, void** out);

}  // namespace win
