// An extended translation item's "ValuesEx" block, in the current form and
// the older 8-bit one, read from any bytes. What the item writes back must
// read as the same Values; a difference is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "i18n/siComp.h"
#include "platform/classes/streams.h"

namespace {

class TViewerMain : public TComponent {
  DX_COMPONENT_CLASS(TViewerMain, TComponent)
public:
  explicit TViewerMain(TComponent* owner) : TComponent(owner) {}
};

void Read(TsiExtendedItem& item, const void* data, size_t size) {
  TMemoryStream ms;
  if (size) ms.WriteBuffer(data, int64_t(size));
  ms.SetPosition(0);
  item.ReadValuesEx(ms);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SiStartLibrary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 16)) return 0;
  TViewerMain form(nullptr);
  auto* lang = new TsiLang(&form);
  lang->SetNumOfLanguages(2);
  TsiExtendedItem* item = lang->ExtendedTranslations()->Add();
  Read(*item, data, size);

  TMemoryStream written;
  item->WriteValuesEx(written);
  TsiExtendedItem* back = lang->ExtendedTranslations()->Add();
  Read(*back, written.Memory(), size_t(written.Size()));
  if (back->Values() != item->Values()) __builtin_trap();
  return 0;
}
