#include "shell/ShCommonUtilities.h"

#include <cstring>

#include "platform/rtl/taskmem.h"
#include "platform/rtl/text.h"
#include "platform/shell/folders/shlobj.h"
#include "shell/ShCommonObjects.h"

using namespace win;

void StrRetToWide(STRRET& strRet, PCIDL relativePIDL, std::string& result) {
  switch (strRet.uType) {
    case STRRET_WSTR:
      result = strRet.pOleStr ? strRet.pOleStr : "";
      TaskMemFree(strRet.pOleStr);
      strRet.pOleStr = nullptr;
      break;
    case STRRET_OFFSET: {
      result.clear();
      if (!relativePIDL) break;
      // The offset comes from the folder that made the record; the text must
      // still lie inside the item's bytes.
      size_t available = TaskMemBytesFrom(relativePIDL);
      const size_t size = available ? PIDLSizeWithin(relativePIDL, available) : 0;
      if (strRet.uOffset >= size) break;
      const char* text = reinterpret_cast<const char*>(relativePIDL) + strRet.uOffset;
      result = CodePageToUtf8(std::string_view(text, strnlen(text, size - strRet.uOffset)));
      break;
    }
    case STRRET_CSTR:
      result = CodePageToUtf8(std::string_view(strRet.cStr, strnlen(strRet.cStr, sizeof strRet.cStr)));
      break;
    default:
      break;
  }
}
