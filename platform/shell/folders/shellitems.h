// What the folder object and the UI objects share beyond platform/shell/places.h.
#pragma once

#include "platform/shell/folders/shlobj.h"

namespace win {

HRESULT DetailValue(const SHCOLUMNID& id, const TPidlItem& item, VARIANT* value);

// The names of a DROPFILES block (CF_HDROP), every offset checked against
// size; nothing when it is malformed.
std::optional<std::vector<std::string>> FilesOfDropBlock(const uint8_t* block, size_t size);

// The drop target of a directory or the Trash; E_NOINTERFACE for other places.
HRESULT FolderDropTarget(const TFolderPlace& place, void** out);

// GetUIObjectOf's objects for items of place.
HRESULT UIObjectOf(const TFolderPlace& place, HWND owner, UINT count, PCIDL* pidls, REFIID iid, void** out);

}  // namespace win
