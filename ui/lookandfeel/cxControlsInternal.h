// Shared between the files of cxControls.
#pragma once

#include "platform/win/winuser.h"

// USER32 as loaded at unit start-up; null before and after.
win::HMODULE cxUser32Module();
