// Shared by the translation library's tests: a stand-in for the viewer's main
// window class (the owner whose class name opens the owner lines) and byte helpers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "i18n/siComp.h"
#include "platform/classes/streams.h"

// The field delimiter of translation lines.
inline const std::string D = "\x01";

class TViewerMain : public TComponent {
  DX_COMPONENT_CLASS(TViewerMain, TComponent)
public:
  explicit TViewerMain(TComponent* owner) : TComponent(owner) {}
  // Stores its owned components, as a form does.
  void GetChildren(const TGetChildProc& proc, TComponent*) override {
    for (int32_t i = 0; i < ComponentCount(); ++i) proc(Components(i));
  }
};

// UTF-16LE bytes of a text, encoded here by hand (BMP only).
inline std::string Utf16LEBytes(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) {
    out += char(c & 0xFF);
    out += char(c >> 8);
  }
  return out;
}

inline std::string WrittenBlock(TsiCustomLang& lang) {
  TMemoryStream ms;
  lang.WriteTranslationData(ms);
  return std::string(static_cast<const char*>(ms.Memory()), size_t(ms.Size()));
}

inline void ReadBlock(TsiCustomLang& lang, std::string_view bytes) {
  TMemoryStream ms;
  if (!bytes.empty()) ms.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  ms.SetPosition(0);
  lang.ReadTranslationData(ms);
}

inline std::string Hex(std::string_view bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}
