// Process-wide facts and registries shared by the look-and-feel layer and the
// toolbar library: the products' resource-string tables, which platform
// family and version runs the program, and a few conversions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/lists.h"
#include "platform/classes/resstrings.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/types.h"

// Misuse of the look-and-feel and toolbar libraries.
DX_EXCEPTION(EdxException, Exception);

class TdxProductResourceStrings;
// Fills the table of the product being built; it receives that product,
// because the product is not yet in the repository while it runs.
using TdxAddResourceStringsProc = std::function<void(TdxProductResourceStrings* product)>;

// One product's user-interface resource strings by name.
class TdxProductResourceStrings : public TObject {
  DX_CLASS(TdxProductResourceStrings, TObject)
public:
  // Runs fillProc once, when given.
  TdxProductResourceStrings(const std::string& name, TdxAddResourceStringsProc fillProc);
  ~TdxProductResourceStrings() override;

  const std::string& ProductName() const { return productName_; }
  // Sorted by name ignoring case; a name already present is ignored.
  void AddResString(const std::string& name, PResStringRec resString);
  const TStringList& StringTable() const { return *stringTable_; }
  int32_t ResStringCount() const { return stringTable_->Count(); }
  std::string Names(int32_t index) const { return stringTable_->Strings(index); }
  PResStringRec ResStrings(int32_t index) const;
  // The resource string entered under name (ignoring case), or null.
  PResStringRec FindResString(const std::string& name) const;

private:
  std::string productName_;
  std::unique_ptr<TStringList> stringTable_;
  TdxAddResourceStringsProc fillProc_;
};

class TdxResourceStringsRepository : public TObject {
  DX_CLASS(TdxResourceStringsRepository, TObject)
public:
  TdxResourceStringsRepository();
  ~TdxResourceStringsRepository() override;

  // Products of one name may be registered more than once; each is kept.
  void RegisterProduct(const std::string& name, TdxAddResourceStringsProc fillProc);
  // Frees the first product of that exact name; an unknown name does nothing.
  void UnregisterProduct(const std::string& name);
  // First product whose name equals name exactly (case-sensitive); -1 when none.
  int32_t IndexOfProduct(const std::string& name) const;
  int32_t ProductCount() const { return products_.Count(); }
  TdxProductResourceStrings* Products(int32_t index) const { return products_.Items(index); }

  // Each listener at most once; the repository neither owns nor calls them.
  void AddListener(TObject* listener);
  void RemoveListener(TObject* listener);
  int32_t ListenerCount() const { return int32_t(listeners_.size()); }

private:
  TObjectListOf<TdxProductResourceStrings> products_;
  std::vector<TObject*> listeners_;
};

// The single repository, made on first use; null once the unit has stopped.
TdxResourceStringsRepository* ResourceStringsRepository();

// The platform family and version the program runs on, computed when the unit
// starts. This system answers as the NT family, version 6.1, so the roads that
// exist only for the 9x family or for XP are never taken.
extern bool IsWin9xFamily;
extern bool IsWindows95;
extern bool IsWinNTFamily;
extern bool IsWindowsXP;
extern bool IsWindowsMajor6;

// The version record the flags come from.
struct TdxPlatformVersion {
  uint32_t PlatformId = 0;  // 1: 9x family, 2: NT family
  uint32_t Major = 0;
  uint32_t Minor = 0;
};
TdxPlatformVersion dxGetPlatformVersion();
struct TdxVersionFlags {
  bool Win9xFamily, Windows95, WinNTFamily, WindowsXP, WindowsMajor6;
};
TdxVersionFlags dxVersionFlagsOf(const TdxPlatformVersion& v);

// The colour as an RGBQUAD in a 32-bit value: blue in the lowest byte, then
// green, red and AReserved. System colours become their current value.
uint32_t ColorToRGBQuad(TColor AColor, uint8_t AReserved = 0);
// The type-1 character-class flags (C1_ of platform/rtl/chartype.h) of Ch.
uint16_t GetCharTypeFlags(char32_t Ch);

// A short string holds at most this many bytes.
constexpr size_t dxShortStringMaxLength = 255;
// UTF-8 bytes as text; malformed sequences become U+FFFD.
std::string Utf8ToText(std::string_view bytes);
// The UTF-8 form of S in at most dxShortStringMaxLength bytes, cut after the
// last whole character that fits.
std::string TextToUtf8Short(std::string_view S);
// Between the program's strings and the wide strings of interfaces.
std::u16string UnicodeToWide(std::string_view S);
std::string WideToUnicode(std::u16string_view S);
void FillZero(void* dest, size_t count);
// Copies count bytes; the two blocks may overlap.
void MoveBytes(const void* source, void* dest, size_t count);

void dxCoreUnitStart();
void dxCoreUnitStop();
