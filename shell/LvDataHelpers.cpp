#include "shell/LvDataHelpers.h"

#include "platform/classes/streams.h"
#include "platform/rtl/text.h"
#include "shell/LvStreamIO.h"

void TLvDynamicDataHelper::ReadArray(TStream* stream, std::vector<int32_t>& a) {
  a.clear();
  const int32_t count = LvReadInteger(stream);
  LvCheckCount(stream, count, 4);
  a.resize(size_t(count));
  for (int32_t& v : a) v = LvReadInteger(stream);
}

void TLvDynamicDataHelper::WriteArray(TStream* stream, const std::vector<int32_t>& a) {
  LvWriteInteger(stream, int32_t(a.size()));
  for (int32_t v : a) LvWriteInteger(stream, v);
}

void TLvDynamicDataHelper::LoadFromStream(TStream* stream, int32_t /*version*/) {
  Captions.clear();
  const int32_t count = LvReadInteger(stream);
  LvCheckCount(stream, count, 4);
  Captions.reserve(size_t(count));
  for (int32_t i = 0; i < count; ++i) {
    const int32_t length = LvReadInteger(stream);
    LvCheckCount(stream, length, 2);
    std::u16string units(size_t(length), u'\0');
    for (char16_t& u : units) u = char16_t(LvReadWord(stream));
    Captions.push_back(Utf16ToUtf8(units));
  }
  ReadArray(stream, Details);
  ReadArray(stream, ImageIndexes);
  ReadArray(stream, OverlayIndexes);
}

void TLvDynamicDataHelper::SaveToStream(TStream* stream, int32_t /*version*/) {
  LvWriteInteger(stream, int32_t(Captions.size()));
  for (const std::string& caption : Captions) {
    const std::u16string units = Utf8ToUtf16(caption);
    LvWriteInteger(stream, int32_t(units.size()));
    for (char16_t u : units) LvWriteWord(stream, uint16_t(u));
  }
  WriteArray(stream, Details);
  WriteArray(stream, ImageIndexes);
  WriteArray(stream, OverlayIndexes);
}

void TLvItemDynamicDataHelper::LoadFromStream(TStream* stream, int32_t version) {
  TLvDynamicDataHelper::LoadFromStream(stream, version);
  ReadArray(stream, GroupKeys);
  if (version > 2)
    ReadArray(stream, StateImageIndexes);
  else
    StateImageIndexes.clear();
}

void TLvItemDynamicDataHelper::SaveToStream(TStream* stream, int32_t version) {
  TLvDynamicDataHelper::SaveToStream(stream, version);
  WriteArray(stream, GroupKeys);
  WriteArray(stream, StateImageIndexes);
}
