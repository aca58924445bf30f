// A translation component's TranslationData block, in both forms, read into a
// TsiLang whose owner has the viewer's main-window class name; read again in
// the merge mode of an inherited form. What the writer gives back must read as
// the same lists; a difference is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "i18n/siComp.h"
#include "platform/classes/streams.h"

namespace {

class TViewerMain : public TComponent {
  DX_COMPONENT_CLASS(TViewerMain, TComponent)
public:
  explicit TViewerMain(TComponent* owner) : TComponent(owner) {}
};

void Read(TsiCustomLang& lang, const void* data, size_t size) {
  TMemoryStream ms;
  if (size) ms.WriteBuffer(data, int64_t(size));
  ms.SetPosition(0);
  lang.ReadTranslationData(ms);
}

std::string Write(TsiCustomLang& lang) {
  TMemoryStream ms;
  lang.WriteTranslationData(ms);
  return std::string(static_cast<const char*>(ms.Memory()), size_t(ms.Size()));
}

// The lines of every kind, each kind sorted: several owner lines change places on every read.
std::vector<std::vector<std::string>> Contents(TsiCustomLang& lang) {
  std::vector<std::vector<std::string>> all;
  for (int k = 0; k < kStringsTypeCount; ++k) {
    TStrings* list = lang.GetKindList(TStringsType(k));
    std::vector<std::string> lines = list ? list->ToStringArray() : std::vector<std::string>{};
    std::sort(lines.begin(), lines.end());
    all.push_back(std::move(lines));
  }
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SiStartLibrary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A form's block is a few kilobytes; past 256 KiB size only slows the sanitizers down.
  if (size > (1 << 18)) return 0;
  TViewerMain form(nullptr);
  auto* lang = new TsiLang(&form);
  lang->SetNumOfLanguages(2);
  Read(*lang, data, size);
  const std::string written = Write(*lang);

  TViewerMain again(nullptr);
  auto* back = new TsiLang(&again);
  back->SetNumOfLanguages(2);
  Read(*back, written.data(), written.size());
  if (Contents(*back) != Contents(*lang)) __builtin_trap();

  // The same bytes merged into the lines already there.
  back->SetIsInheritedOwner(true);
  Read(*back, data, size);
  return 0;
}
