// The toolbar layout of item links in an INI file or the registry.
#include "ui/bars/dxBarElements.h"

bool TdxBarItemLink::ReadFromIni(TCustomIniFile*, const std::string&, int32_t, TdxBarStoringKind) { return true; }
void TdxBarItemLink::WriteToIni(TCustomIniFile*, const std::string&, int32_t, TdxBarStoringKind) {}
void TdxBarItemLink::ReadRecentUseFromIni(TCustomIniFile*, const std::string&, int32_t) {}

void TdxBarItemLinks::ReadFromIni(TCustomIniFile*, const std::string&, TdxBarStoringKind) { ApplyLoadedData(true); }
void TdxBarItemLinks::WriteToIni(TCustomIniFile*, const std::string&, TdxBarStoringKind) {}
void TdxBarItemLinks::ReadRecentUseFromIni(TCustomIniFile*, const std::string&) {}
void TdxBarItemLinks::RestoreItemLayouts(TCustomIniFile*, const std::string&) {}
