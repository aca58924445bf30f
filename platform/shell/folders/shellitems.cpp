#include "platform/shell/folders/shellitems.h"

#include <cstring>

#include "platform/rtl/taskmem.h"

namespace win {

char* TaskMemText(const std::string& text) {
  auto* p = static_cast<char*>(TaskMemAlloc(text.size() + 1));
  if (p) std::memcpy(p, text.c_str(), text.size() + 1);
  return p;
}

HRESULT DetailValue(const SHCOLUMNID& id, const TPidlItem& item, VARIANT* value) {
  VariantInit(value);
  if (id.fmtid != FMTID_Storage) return E_INVALIDARG;
  switch (id.pid) {
    case PID_STG_SIZE:
      if (IsFolderItem(item)) return E_FAIL;
      value->vt = VT_UI8;
      value->ullVal = item.Size;
      return S_OK;
    case PID_STG_WRITETIME: {
      const std::optional<double> t = LocalDateTime(item.Time);
      if (!t) return E_FAIL;
      value->vt = VT_DATE;
      value->date = *t;
      return S_OK;
    }
    default: return E_INVALIDARG;
  }
}

}  // namespace win
