#include "platform/classes/inifiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

void CheckStrings(const TStrings* strings) {
  if (!strings) throw EArgumentException("No string list given");
}

// Runs fill between BeginUpdate and EndUpdate, ending the update on every path.
template <typename F>
void WithUpdate(TStrings* strings, F fill) {
  strings->BeginUpdate();
  try {
    fill();
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

std::string Utf8ToUtf16Bytes(std::string_view text, bool bigEndian) {
  const std::u16string units = Utf8ToUtf16(text);
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  out.reserve(2 + units.size() * 2);
  for (char16_t u : units) {
    const char hi = char(u >> 8), lo = char(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}

// Strips a pair of matching quotes around a value, as the platform's INI reader does.
std::string Unquoted(const std::string& v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

// ---- TCustomIniFile --------------------------------------------------------------------------

std::string BinaryToIniText(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    text += kDigits[uint8_t(c) >> 4];
    text += kDigits[uint8_t(c) & 0x0F];
  }
  return text;
}

bool IniTextToBinary(std::string_view text, std::string& bytes) {
  if (text.size() % 2 != 0) return false;
  const auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string out;
  out.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    const int hi = nibble(text[i]), lo = nibble(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out += char(hi << 4 | lo);
  }
  bytes = std::move(out);
  return true;
}

int32_t TCustomIniFile::ReadBinaryStream(const std::string& section, const std::string& ident, TStream* value) {
  if (!value) throw EArgumentException("No stream given");
  std::string bytes;
  if (!IniTextToBinary(ReadString(section, ident, ""), bytes)) return 0;
  value->WriteBuffer(bytes.data(), int64_t(bytes.size()));
  return int32_t(bytes.size());
}

void TCustomIniFile::WriteBinaryStream(const std::string& section, const std::string& ident, TStream* value) {
  if (!value) throw EArgumentException("No stream given");
  std::string bytes(size_t(std::max<int64_t>(value->Size() - value->Position(), 0)), '\0');
  value->ReadBuffer(bytes.data(), int64_t(bytes.size()));
  WriteString(section, ident, BinaryToIniText(bytes));
}

int32_t TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident, int32_t def) {
  // StrToIntDef takes "0x" hexadecimal as well, which INI files written by other tools often hold.
  return StrToIntDef(ReadString(section, ident, ""), def);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const std::string& section, const std::string& ident, double def) {
  const std::string s = ReadString(section, ident, "");
  const TFormatSettings invariant;
  double v;
  return !s.empty() && TryStrToFloat(s, v, invariant) ? v : def;
}

void TCustomIniFile::WriteFloat(const std::string& section, const std::string& ident, double value) {
  const TFormatSettings invariant;
  WriteString(section, ident, FloatToStr(value, invariant));
}

bool TCustomIniFile::SectionExists(const std::string& section) {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const std::string& section, const std::string& ident) {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.IndexOf(ident) >= 0;
}

// ---- TMemIniFile -----------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const std::string& fileName, uint32_t codePage)
    : TCustomIniFile(fileName), codePage_(codePage) {
  LoadValues();
}

bool TMemIniFile::SameName(std::string_view a, std::string_view b) const {
  return caseSensitive_ ? a == b : AnsiSameText(a, b);
}

// An entry behind an earlier one of the same name is never found by name, so
// listings leave it out.
template <class Entries>
bool TMemIniFile::HiddenByEarlier(const Entries& entries, size_t i) const {
  for (size_t j = 0; j < i; ++j)
    if (SameName(entries[j].Name, entries[i].Name)) return true;
  return false;
}

TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) {
  for (Section& s : sections_)
    if (SameName(s.Name, name)) return &s;
  return nullptr;
}

const TMemIniFile::Key* TMemIniFile::FindKey(std::string_view section, std::string_view ident) {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  for (const Key& k : s->Keys)
    if (SameName(k.Name, ident)) return &k;
  return nullptr;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) {
  const Key* k = FindKey(section, ident);
  return k ? k->Value : def;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  Section* s = FindSection(section);
  if (!s) s = &sections_.emplace_back(Section{section, {}});
  for (Key& k : s->Keys)
    if (SameName(k.Name, ident)) {
      k.Value = value;
      return;
    }
  s->Keys.push_back({ident, value});
}

void TMemIniFile::ReadSection(const std::string& section, TStrings* strings) {
  CheckStrings(strings);
  WithUpdate(strings, [&] {
    strings->Clear();
    const Section* s = FindSection(section);
    if (!s) return;
    for (size_t i = 0; i < s->Keys.size(); ++i) {
      if (!HiddenByEarlier(s->Keys, i)) strings->Add(s->Keys[i].Name);
    }
  });
}

void TMemIniFile::ReadSections(TStrings* strings) {
  CheckStrings(strings);
  WithUpdate(strings, [&] {
    strings->Clear();
    for (size_t i = 0; i < sections_.size(); ++i) {
      if (!HiddenByEarlier(sections_, i)) strings->Add(sections_[i].Name);
    }
  });
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings* strings) {
  CheckStrings(strings);
  WithUpdate(strings, [&] {
    strings->Clear();
    const Section* s = FindSection(section);
    if (!s) return;
    for (size_t i = 0; i < s->Keys.size(); ++i) {
      if (!HiddenByEarlier(s->Keys, i)) strings->Add(s->Keys[i].Name + "=" + s->Keys[i].Value);
    }
  });
}

void TMemIniFile::EraseSection(const std::string& section) {
  std::erase_if(sections_, [&](const Section& s) { return SameName(s.Name, section); });
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  for (Section& s : sections_)
    if (SameName(s.Name, section)) std::erase_if(s.Keys, [&](const Key& k) { return SameName(k.Name, ident); });
}

bool TMemIniFile::SectionExists(const std::string& section) {
  const Section* s = FindSection(section);
  return s && !s->Keys.empty();
}

bool TMemIniFile::ValueExists(const std::string& section, const std::string& ident) {
  return FindKey(section, ident) != nullptr;
}

void TMemIniFile::Clear() { sections_.clear(); }

std::vector<std::string> TMemIniFile::Lines() const {
  std::vector<std::string> lines;
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) lines.emplace_back();
    lines.push_back("[" + sections_[i].Name + "]");
    for (const Key& k : sections_[i].Keys) lines.push_back(k.Name + "=" + k.Value);
  }
  return lines;
}

void TMemIniFile::GetStrings(TStrings* list) const {
  CheckStrings(list);
  const std::vector<std::string> lines = Lines();
  WithUpdate(list, [&] {
    for (const std::string& l : lines) list->Add(l);
  });
}

void TMemIniFile::SetStrings(TStrings* list) {
  CheckStrings(list);
  std::vector<std::string> lines;
  lines.reserve(size_t(list->Count()));
  for (int32_t i = 0; i < list->Count(); ++i) lines.push_back(list->Strings(i));
  ParseLines(lines);
}

std::string TMemIniFile::Text() const {
  std::string text;
  for (const std::string& l : Lines()) {
    text += l;
    text += '\n';
  }
  return text;
}

void TMemIniFile::SetText(std::string_view text) {
  const std::vector<std::string_view> lines = SplitTextLines(text);
  ParseLines({lines.begin(), lines.end()});
}

void TMemIniFile::ParseLines(const std::vector<std::string>& lines) {
  sections_.clear();
  Section* current = nullptr;  // keys before the first header belong nowhere and are dropped
  for (const std::string& raw : lines) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &sections_.emplace_back(Section{Trim(std::string_view(line).substr(1, line.size() - 2)), {}});
      continue;
    }
    const size_t eq = line.find('=');
    if (!current || eq == std::string::npos) continue;
    std::string name = Trim(std::string_view(line).substr(0, eq));
    if (name.empty()) continue;
    current->Keys.push_back({std::move(name), Trim(std::string_view(line).substr(eq + 1))});
  }
}

void TMemIniFile::LoadValues() {
  Clear();
  writeBom_ = false;
  if (fileName_.empty()) return;
  struct stat st {};
  if (::stat(fileName_.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) return;

  std::string bytes;
  {
    TFileStream fs(fileName_, fmOpenRead | fmShareDenyWrite);
    bytes.resize(size_t(std::max<int64_t>(fs.Size(), 0)));
    fs.ReadBuffer(bytes.data(), int64_t(bytes.size()));
  }
  std::string_view b = bytes;
  std::string text;
  if (b.starts_with(kUtf8Bom)) {
    writeBom_ = codePage_ == CP_UTF8;
    text = b.substr(3);
  } else if (b.starts_with("\xFF\xFE")) {
    text = Utf16BytesToUtf8(b.substr(2), false);
  } else if (b.starts_with("\xFE\xFF")) {
    text = Utf16BytesToUtf8(b.substr(2), true);
  } else if (codePage_ == CP_UTF8) {
    // Older files were written in the ANSI code page; a UTF-8 check tells them apart reliably
    // because Windows-1252 text with accents is almost never valid UTF-8.
    text = IsValidUtf8(b) ? std::string(b) : CodePageToUtf8(b, 1252);
  } else if (codePage_ == CP_UTF16LE || codePage_ == CP_UTF16BE) {
    text = Utf16BytesToUtf8(b, codePage_ == CP_UTF16BE);
  } else {
    text = CodePageToUtf8(b, codePage_);
  }
  SetText(text);
}

void TMemIniFile::UpdateFile() {
  const std::string text = Text();
  std::string bytes;
  if (codePage_ == CP_UTF8)
    bytes = writeBom_ ? std::string(kUtf8Bom) + text : text;
  else if (codePage_ == CP_UTF16LE || codePage_ == CP_UTF16BE)
    bytes = Utf8ToUtf16Bytes(text, codePage_ == CP_UTF16BE);
  else
    bytes = Utf8ToCodePage(text, codePage_);
  WriteFileAtomically(fileName_, bytes.data(), bytes.size());
}

void TMemIniFile::Rename(const std::string& fileName, bool reload) {
  fileName_ = fileName;
  if (reload) LoadValues();
}

// ---- TIniFile --------------------------------------------------------------------------------

TIniFile::TIniFile(const std::string& fileName) : TCustomIniFile(fileName), cache_(std::string()) {}

TIniFile::FileStamp TIniFile::StampOf(const std::string& fileName) {
  FileStamp f;
  struct stat st {};
  if (::stat(fileName.c_str(), &st) != 0) return f;
  f.Exists = true;
  f.Device = uint64_t(st.st_dev);
  f.Inode = uint64_t(st.st_ino);
  f.Size = int64_t(st.st_size);
  f.MTimeSec = int64_t(st.st_mtim.tv_sec);
  f.MTimeNsec = int64_t(st.st_mtim.tv_nsec);
  f.CTimeSec = int64_t(st.st_ctim.tv_sec);
  f.CTimeNsec = int64_t(st.st_ctim.tv_nsec);
  return f;
}

void TIniFile::Refresh() {
  const FileStamp now = StampOf(fileName_);
  if (loaded_ && now == stamp_) return;
  loaded_ = false;
  cache_.Rename(fileName_, true);
  stamp_ = now;
  loaded_ = true;
}

void TIniFile::Store() {
  try {
    cache_.UpdateFile();
  } catch (const Exception&) {
    // The file still holds what it held; read it again rather than trust the unsaved change.
    loaded_ = false;
    throw EIniFileException("Unable to write to " + fileName_);
  }
  stamp_ = StampOf(fileName_);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) {
  Refresh();
  const TMemIniFile::Key* k = cache_.FindKey(section, ident);
  return k ? Unquoted(k->Value) : def;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  Refresh();
  cache_.WriteString(section, ident, value);
  Store();
}

void TIniFile::ReadSection(const std::string& section, TStrings* strings) {
  Refresh();
  cache_.ReadSection(section, strings);
}

void TIniFile::ReadSections(TStrings* strings) {
  Refresh();
  cache_.ReadSections(strings);
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings* strings) {
  Refresh();
  cache_.ReadSectionValues(section, strings);
}

void TIniFile::EraseSection(const std::string& section) {
  Refresh();
  if (!cache_.FindSection(section)) return;  // nothing to change: do not create the file
  cache_.EraseSection(section);
  Store();
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  Refresh();
  bool present = false;
  for (const TMemIniFile::Section& s : cache_.sections_)
    if (cache_.SameName(s.Name, section))
      for (const TMemIniFile::Key& k : s.Keys) present = present || cache_.SameName(k.Name, ident);
  if (!present) return;
  cache_.DeleteKey(section, ident);
  Store();
}

bool TIniFile::SectionExists(const std::string& section) {
  Refresh();
  return cache_.SectionExists(section);
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) {
  Refresh();
  return cache_.ValueExists(section, ident);
}
