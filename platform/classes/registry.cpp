#include "platform/classes/registry.h"

#include <string_view>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

std::string& FileNameSlot() {
  static std::string name;
  return name;
}

const std::string& CheckedFileName() {
  if (FileNameSlot().empty()) throw EIniFileException("No registry file is set (SetRegistryFileName)");
  return FileNameSlot();
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsControl(char c) { return uint8_t(c) < 0x20 || c == 0x7F; }

void CheckName(std::string_view name, std::string_view forbidden, bool valueName) {
  bool bad = name.empty() || IsBlank(name.front()) || IsBlank(name.back());
  for (const char c : name) bad = bad || IsControl(c) || forbidden.find(c) != std::string_view::npos;
  if (valueName && !name.empty()) bad = bad || name.front() == '[' || name.front() == ';';
  if (bad) throw EIniFileException("Invalid registry name \"" + std::string(name) + "\"");
}

// The path's names joined by single "\", without one at either end.
std::string NormalPath(std::string_view path) {
  std::string out;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view part = path.substr(start, end - start);
    if (!part.empty()) {
      CheckName(part, "]", false);
      if (!out.empty()) out += '\\';
      out += part;
    }
    start = end + 1;
  }
  return out;
}

// The file's reader trims blanks around values, ends a value at a line break and takes
// bytes that are not UTF-8 as Windows-1252; text that is not UTF-8 keeps its bytes escaped.
std::string EscapedText(std::string_view text) {
  const bool utf8 = IsValidUtf8(text);
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\') {
      out += "\\\\";
    } else if (IsControl(c) || (i + 1 == text.size() && IsBlank(c)) || (!utf8 && uint8_t(c) >= 0x80)) {
      out += "\\x" + IntToHex(uint8_t(c), 2);
    } else {
      out += c;
    }
  }
  return out;
}

std::string UnescapedText(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    std::string byte;
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
               IniTextToBinary(text.substr(i + 2, 2), byte)) {
      out += byte;
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Key paths compare ignoring case, like the file's section names.
bool IsBelow(std::string_view path, std::string_view key) {
  return key.empty() ? !path.empty()
                     : path.size() > key.size() && path[key.size()] == '\\' && AnsiSameText(path.substr(0, key.size()), key);
}

}  // namespace

const std::string& RegistryFileName() { return FileNameSlot(); }
void SetRegistryFileName(const std::string& fileName) { FileNameSlot() = fileName; }

TRegistryIniFile::TRegistryIniFile(const std::string& path)
    : TCustomIniFile(path), root_(NormalPath(path)), file_(CheckedFileName()) {}

std::string TRegistryIniFile::KeyPath(const std::string& section) const {
  const std::string rel = NormalPath(section);
  if (!section.empty() && section.front() == '\\') return rel;
  if (root_.empty()) return rel;
  return rel.empty() ? root_ : root_ + '\\' + rel;
}

std::string TRegistryIniFile::RawValue(const std::string& section, const std::string& ident) {
  CheckName(ident, "=", true);
  return file_.ReadString(KeyPath(section), ident, "");
}

void TRegistryIniFile::WriteRaw(const std::string& section, const std::string& ident, const std::string& raw) {
  CheckName(ident, "=", true);
  const std::string key = KeyPath(section);
  if (key.empty()) throw EIniFileException("Values cannot be stored above every key");
  file_.WriteString(key, ident, raw);
}

std::string TRegistryIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) {
  const std::string raw = RawValue(section, ident);
  if (raw.starts_with("s:")) return UnescapedText(std::string_view(raw).substr(2));
  int32_t v;
  if (raw.starts_with("d:") && TryStrToInt(std::string_view(raw).substr(2), v)) return IntToStr(v);
  return def;
}

void TRegistryIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  WriteRaw(section, ident, "s:" + EscapedText(value));
}

void TRegistryIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
  WriteRaw(section, ident, "d:" + IntToStr(value));
}

void TRegistryIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteInteger(section, ident, value ? 1 : 0);
}

int32_t TRegistryIniFile::ReadBinaryStream(const std::string& section, const std::string& ident, TStream* value) {
  if (!value) throw EArgumentException("No stream given");
  const std::string raw = RawValue(section, ident);
  std::string bytes;
  if (!raw.starts_with("b:") || !IniTextToBinary(std::string_view(raw).substr(2), bytes)) return 0;
  value->WriteBuffer(bytes.data(), int64_t(bytes.size()));
  return int32_t(bytes.size());
}

void TRegistryIniFile::WriteBinaryStream(const std::string& section, const std::string& ident, TStream* value) {
  if (!value) throw EArgumentException("No stream given");
  std::string bytes(size_t(std::max<int64_t>(value->Size() - value->Position(), 0)), '\0');
  value->ReadBuffer(bytes.data(), int64_t(bytes.size()));
  WriteRaw(section, ident, "b:" + BinaryToIniText(bytes));
}

void TRegistryIniFile::ReadSection(const std::string& section, TStrings* strings) {
  file_.ReadSection(KeyPath(section), strings);
}

void TRegistryIniFile::ReadSections(TStrings* strings) {
  if (!strings) throw EArgumentException("No string list given");
  TStringList all;
  file_.ReadSections(&all);
  strings->BeginUpdate();
  try {
    strings->Clear();
    for (int32_t i = 0; i < all.Count(); ++i) {
      const std::string& path = all.Strings(i);
      if (!IsBelow(path, root_)) continue;
      const size_t from = root_.empty() ? 0 : root_.size() + 1;
      const std::string child = path.substr(from, path.find('\\', from) - from);
      bool listed = false;
      for (int32_t j = 0; j < strings->Count() && !listed; ++j) listed = AnsiSameText(strings->Strings(j), child);
      if (!listed) strings->Add(child);
    }
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

void TRegistryIniFile::ReadSectionValues(const std::string& section, TStrings* strings) {
  if (!strings) throw EArgumentException("No string list given");
  TStringList names;
  file_.ReadSection(KeyPath(section), &names);
  strings->BeginUpdate();
  try {
    strings->Clear();
    for (int32_t i = 0; i < names.Count(); ++i) strings->Add(names.Strings(i) + "=" + ReadString(section, names.Strings(i), ""));
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

void TRegistryIniFile::EraseSection(const std::string& section) {
  const std::string key = KeyPath(section);
  TStringList all;
  file_.ReadSections(&all);
  for (int32_t i = 0; i < all.Count(); ++i)
    if (AnsiSameText(all.Strings(i), key) || IsBelow(all.Strings(i), key)) file_.EraseSection(all.Strings(i));
}

void TRegistryIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  CheckName(ident, "=", true);
  file_.DeleteKey(KeyPath(section), ident);
}

bool TRegistryIniFile::SectionExists(const std::string& section) {
  const std::string key = KeyPath(section);
  TStringList all;
  file_.ReadSections(&all);
  for (int32_t i = 0; i < all.Count(); ++i)
    if ((AnsiSameText(all.Strings(i), key) && file_.SectionExists(all.Strings(i))) || IsBelow(all.Strings(i), key)) return true;
  return false;
}

bool TRegistryIniFile::ValueExists(const std::string& section, const std::string& ident) {
  return !RawValue(section, ident).empty();
}
