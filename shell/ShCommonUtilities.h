// Common utilities of the shell library.
#pragma once

#include <string>

#include "platform/shell/pidl.h"

namespace win {
struct STRRET;
}

// The text of a shell STRRET: a task-memory string (freed here), an 8-bit
// string at an offset into relativePIDL, read only inside that list's bytes,
// or the record's own 8-bit string. Any other type leaves result as it was.
void StrRetToWide(win::STRRET& strRet, PCIDL relativePIDL, std::string& result);
