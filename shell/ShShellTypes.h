// Types of the shell library: the names of the network-provider types.
#pragma once

#include <cstdint>
#include <string_view>

// By type code 1 to 55 (index 0 holds code 1); the provider type value is the
// code shifted left by 16. Texts as the original has them, a trailing blank
// after "WNNC_NET_FRONTIER" included.
extern const char* const NetworkProviderNames[55];
// The name of a provider type value (code << 16); empty for any other value.
std::string_view NetworkProviderName(uint32_t netType);

void ShShellTypesInitialize();
void ShShellTypesFinalize();
