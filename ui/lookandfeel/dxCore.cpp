#include "ui/lookandfeel/dxCore.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/syscolors.h"
#include "platform/rtl/chartype.h"
#include "platform/rtl/text.h"

namespace {

// The string table keeps resource-string records in its object slots.
TObject* AsObject(PResStringRec rec) { return reinterpret_cast<TObject*>(const_cast<TResStringRec*>(rec)); }
PResStringRec AsRecord(TObject* obj) { return reinterpret_cast<PResStringRec>(obj); }

std::unique_ptr<TdxResourceStringsRepository> theRepository;
bool coreStopped = false;

}  // namespace

// ---- products

TdxProductResourceStrings::TdxProductResourceStrings(const std::string& name, TdxAddResourceStringsProc fillProc)
    : productName_(name), stringTable_(std::make_unique<TStringList>()), fillProc_(std::move(fillProc)) {
  stringTable_->SetSorted(true);
  stringTable_->SetDuplicates(dupIgnore);
  if (fillProc_) fillProc_(this);
}

TdxProductResourceStrings::~TdxProductResourceStrings() { fillProc_ = nullptr; }

void TdxProductResourceStrings::AddResString(const std::string& name, PResStringRec resString) {
  stringTable_->AddObject(name, AsObject(resString));
}

PResStringRec TdxProductResourceStrings::ResStrings(int32_t index) const {
  return AsRecord(stringTable_->Objects(index));
}

PResStringRec TdxProductResourceStrings::FindResString(const std::string& name) const {
  int32_t index = 0;
  return stringTable_->Find(name, index) ? ResStrings(index) : nullptr;
}

// ---- repository

TdxResourceStringsRepository::TdxResourceStringsRepository() = default;
TdxResourceStringsRepository::~TdxResourceStringsRepository() = default;

void TdxResourceStringsRepository::RegisterProduct(const std::string& name, TdxAddResourceStringsProc fillProc) {
  auto product = std::make_unique<TdxProductResourceStrings>(name, std::move(fillProc));
  products_.Add(product.release());
}

void TdxResourceStringsRepository::UnregisterProduct(const std::string& name) {
  const int32_t index = IndexOfProduct(name);
  if (index != -1) products_.Delete(index);
}

int32_t TdxResourceStringsRepository::IndexOfProduct(const std::string& name) const {
  for (int32_t i = 0; i < products_.Count(); ++i)
    if (products_.Items(i)->ProductName() == name) return i;
  return -1;
}

void TdxResourceStringsRepository::AddListener(TObject* listener) {
  if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void TdxResourceStringsRepository::RemoveListener(TObject* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

TdxResourceStringsRepository* ResourceStringsRepository() {
  if (coreStopped) return nullptr;
  if (!theRepository) theRepository = std::make_unique<TdxResourceStringsRepository>();
  return theRepository.get();
}

// ---- platform version

bool IsWin9xFamily = false;
bool IsWindows95 = false;
bool IsWinNTFamily = false;
bool IsWindowsXP = false;
bool IsWindowsMajor6 = false;

TdxPlatformVersion dxGetPlatformVersion() { return {2, 6, 1}; }

TdxVersionFlags dxVersionFlagsOf(const TdxPlatformVersion& v) {
  TdxVersionFlags f{};
  f.Win9xFamily = v.PlatformId == 1;
  f.Windows95 = f.Win9xFamily && v.Minor == 0;
  f.WinNTFamily = v.PlatformId == 2;
  f.WindowsXP = f.WinNTFamily && v.Major == 5 && v.Minor > 0;
  f.WindowsMajor6 = f.WinNTFamily && v.Major == 6;
  return f;
}

// ---- conversions

uint32_t ColorToRGBQuad(TColor AColor, uint8_t AReserved) {
  const uint32_t rgb = win::ColorToColorRef(AColor);
  return uint32_t(GetBValue(rgb)) | uint32_t(GetGValue(rgb)) << 8 | uint32_t(GetRValue(rgb)) << 16 |
         uint32_t(AReserved) << 24;
}

uint16_t GetCharTypeFlags(char32_t Ch) { return CpCharType1(Ch); }

std::string Utf8ToText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Utf32ToUtf8(Utf8ToUtf32(bytes));
}

std::string TextToUtf8Short(std::string_view S) {
  const std::string text = Utf8ToText(S);
  if (text.size() <= dxShortStringMaxLength) return text;
  size_t end = 0;
  for (size_t pos = 0; pos < text.size();) {
    Utf8NextCodePoint(text, pos);
    if (pos > dxShortStringMaxLength) break;
    end = pos;
  }
  return text.substr(0, end);
}

std::u16string UnicodeToWide(std::string_view S) { return Utf8ToUtf16(S); }
std::string WideToUnicode(std::u16string_view S) { return Utf16ToUtf8(S); }

void FillZero(void* dest, size_t count) {
  if (count) std::memset(dest, 0, count);
}

void MoveBytes(const void* source, void* dest, size_t count) {
  if (count) std::memmove(dest, source, count);
}

// ---- unit

void dxCoreUnitStart() {
  const TdxVersionFlags f = dxVersionFlagsOf(dxGetPlatformVersion());
  IsWin9xFamily = f.Win9xFamily;
  IsWindows95 = f.Windows95;
  IsWinNTFamily = f.WinNTFamily;
  IsWindowsXP = f.WindowsXP;
  IsWindowsMajor6 = f.WindowsMajor6;
}

void dxCoreUnitStop() {
  theRepository.reset();
  coreStopped = true;
}
