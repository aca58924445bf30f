// The platform's libraries as this build has them: named modules, each with
// the named entry points that it offers on Linux. DImports binds through
// these, so a library or an entry point missing here is one the platform
// lacks, and DImports falls back as it would on an old system.
//
// kernel32, gdi32 and user32 count as loaded from the start, like the
// libraries every program of the platform has; shlwapi and shell32 exist but
// are loaded on request; avrt does not exist.
#pragma once

#include <cstdint>
#include <string_view>

namespace PlatformModules {

struct TModule;
using HMODULE = TModule*;
using FARPROC = void (*)();

// The module when it is loaded, else nil.
HMODULE GetModuleHandle(std::string_view name);
// Loads the module (another reference when it is loaded already); nil when it does not exist.
HMODULE LoadLibrary(std::string_view name);
// Drops one reference; the module unloads at 0. False for nil.
bool FreeLibrary(HMODULE module);
// The entry point, or nil when the module lacks it.
FARPROC GetProcAddress(HMODULE module, std::string_view name);

// How often a module went from unloaded to loaded since the process started.
int32_t LoadCount(std::string_view name);
// Lets a test play a platform that lacks an entry point.
void HideEntryPoint(std::string_view module, std::string_view name, bool hidden);

}  // namespace PlatformModules
