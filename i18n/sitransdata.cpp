// TranslationData: the binary property in which a translation component's
// kind lists travel inside the form description.
//
// The block is text without header, byte-order mark or terminator: a sequence
// of sections, each a header line (the TStringsType name, followed by
// "_Unicode" in the UTF-16LE form) and its data lines, every line ended by
// CR LF. CR and LF inside a line are stored as U+0019 and U+001A. The writer
// produces UTF-16LE only; the reader also takes the older ANSI form, detected
// by a second byte other than 0.
#include <algorithm>
#include <unordered_map>

#include "i18n/MemIni.h"
#include "i18n/siComp.h"
#include "platform/classes/filer.h"
#include "platform/classes/streams.h"
#include "platform/rtl/charset.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/vcl/forms.h"

namespace {

constexpr char kStoredCR = '\x19';
constexpr char kStoredLF = '\x1A';

std::string_view IdentifierOf(std::string_view line, std::string_view delimiter) {
  const size_t p = delimiter.empty() ? std::string_view::npos : line.find(delimiter);
  return p == std::string_view::npos ? line : line.substr(0, p);
}

// The block as UTF-8, decided once for the whole block.
std::string DecodeBlock(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 2) return {};
  if (bytes[1] == 0) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) units[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return Utf16ToUtf8(units);
  }
  return CodePageToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), CP_ACP);
}

// The kind a header line names, and whether it was a "_Unicode" name; -1 for a data line.
int HeaderKind(std::string_view line, bool& unicode) {
  for (int k = 0; k < kStringsTypeCount; ++k)
    if (SameText(line, StringsTypeInfos[size_t(k)].EnumName)) {
      unicode = false;
      return k;
    }
  for (int k = 0; k < kStringsTypeCount; ++k)
    if (SameText(line, std::string(StringsTypeInfos[size_t(k)].EnumName) + "_Unicode")) {
      unicode = true;
      return k;
    }
  return -1;
}

std::string RestoreLineBreaks(std::string_view line) {
  std::string s(line);
  for (char& c : s) {
    if (c == kStoredCR)
      c = '\r';
    else if (c == kStoredLF)
      c = '\n';
  }
  return s;
}

void AppendUtf16LE(std::string& out, std::string_view utf8) {
  for (char16_t u : Utf8ToUtf16(utf8)) {
    out += char(u & 0xFF);
    out += char(u >> 8);
  }
}

// The code page of a language's character set; the system ANSI code page when
// the platform knows none or cannot convert it.
uint32_t CodePageOfCharset(uint8_t charset) {
  uint32_t cp = CP_ACP;
  if (!TranslateCharsetInfo(charset, cp) || !IsCodePageSupported(cp)) cp = CP_ACP;
  return cp;
}

std::string WithoutNul(std::string s) {
  std::erase(s, '\0');
  return s;
}

}  // namespace

// ---------------------------------------------------------------------------
// Line operations

std::vector<std::string> SplitByDelimiter(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> fields;
  if (delimiter.empty()) {
    if (!text.empty()) fields.emplace_back(text);
    return fields;
  }
  size_t start = 0;
  while (start < text.size()) {
    const size_t p = text.find(delimiter, start);
    if (p == std::string_view::npos) {
      fields.emplace_back(text.substr(start));
      break;
    }
    fields.emplace_back(text.substr(start, p - start));
    start = p + delimiter.size();
  }
  return fields;
}

std::string JoinLines(const TStrings& list, std::string_view separator, bool skipEmpty) {
  std::string out;
  bool first = true;
  for (int32_t i = 0; i < list.Count(); ++i) {
    const std::string line = list.Strings(i);
    if (skipEmpty && line.empty()) continue;
    if (!first) out += separator;
    out += line;
    first = false;
  }
  return out;
}

int32_t IndexOfIdentifier(const TStrings& list, std::string_view line, std::string_view delimiter) {
  const std::string_view id = IdentifierOf(line, delimiter);
  for (int32_t i = 0; i < list.Count(); ++i)
    if (SameText(IdentifierOf(list.Strings(i), delimiter), id)) return i;
  return -1;
}

std::string TsiCustomLang::MergeLines(const std::string& oldLine, const std::string& newLine,
                                      std::string_view delimiter) const {
  const std::vector<std::string> oldFields = SplitByDelimiter(oldLine, delimiter);
  const std::vector<std::string> newFields = SplitByDelimiter(newLine, delimiter);
  std::vector<std::string> fields;
  fields.push_back(oldFields.empty() ? std::string() : oldFields[0]);
  for (size_t i = 1; i < oldFields.size(); ++i)
    fields.push_back(i < newFields.size() && !newFields[i].empty() ? newFields[i] : oldFields[i]);
  for (size_t i = std::max<size_t>(oldFields.size(), 1); i < newFields.size(); ++i) fields.push_back(newFields[i]);
  const std::string d = Delim();
  std::string out;
  for (const std::string& f : fields) out += f + d;
  return out;
}

std::string TsiCustomLang::FieldOfLine(const std::string& line, int32_t field) const {
  const std::vector<std::string> fields = SplitByDelimiter(line, Delim());
  return field >= 0 && size_t(field) < fields.size() ? fields[size_t(field)] : std::string();
}

// ---------------------------------------------------------------------------
// Character sets of the languages

uint8_t TsiCustomLang::GetLanguageCharset(int32_t languageIndex) {
  auto nameIn = [languageIndex](TsiCustomLang* lang) -> std::string {
    TStrings* charsets = lang->CharSets();
    if (lang->Owner() && !lang->Temporary()) {
      const int32_t i = IndexOfIdentifier(*charsets, lang->OwnerClassName(), lang->Delim());
      return i < 0 ? std::string() : lang->FieldOfLine(charsets->Strings(i), languageIndex);
    }
    return charsets->Count() ? lang->FieldOfLine(charsets->Strings(0), languageIndex) : std::string();
  };
  std::string name = nameIn(this);
  if (name.empty() && charsetSource_) {
    name = nameIn(charsetSource_);
  } else if (name.empty() && dispatcher_) {
    // Another form's component becomes the source for the next calls; this one stays without a name.
    for (int32_t i = 0; i < dispatcher_->Count(); ++i) {
      TsiCustomLang* other = dispatcher_->Items(i);
      if (other != this && dynamic_cast<TCustomForm*>(other->Owner())) SetCharsetSource(other);
    }
  }
  for (const TsiCharsetName& e : CharsetNames)
    if (name == e.Name) return e.Charset;
  return 1;  // DEFAULT_CHARSET
}

void TsiCustomLang::BuildLanguageCharsets() {
  languageCharsets_.assign(size_t(numOfLanguages_), 1);
  for (int32_t i = 0; i < numOfLanguages_; ++i) languageCharsets_[size_t(i)] = GetLanguageCharset(i + 1);
}

void TsiCustomLang::UpdateCurrentCharset() {
  BuildLanguageCharsets();
  if (activeLanguage_ >= 1 && size_t(activeLanguage_) <= languageCharsets_.size())
    currentCharset_ = languageCharsets_[size_t(activeLanguage_ - 1)];
}

// ---------------------------------------------------------------------------
// ANSI lines

void TsiCustomLang::ConvertAnsiLine(const std::string& line, bool raw, std::string& result) {
  std::string bytes;
  if (raw) {
    for (char16_t u : Utf8ToUtf16(line)) {
      bytes += char(u & 0xFF);
      bytes += char(u >> 8);
    }
  } else {
    bytes = Utf8ToCodePage(line, CP_ACP);
  }
  bytes = WithoutNul(std::move(bytes));
  const std::string byteDelim(1, char(langDelim_));
  const std::vector<std::string> fields = SplitByDelimiter(bytes, byteDelim);
  const std::string d = Delim();
  auto convert = [this](const std::string& field, int32_t language) {
    if (storeAsUTF8_) return CodePageToUtf8(field, CP_UTF8);
    const uint8_t charset = language >= 1 && size_t(language) <= languageCharsets_.size()
                                ? languageCharsets_[size_t(language - 1)]
                                : uint8_t(1);
    return CodePageToUtf8(field, CodePageOfCharset(charset));
  };
  result.clear();
  if (raw) {
    for (size_t k = 0; k < fields.size(); ++k) result += convert(fields[k], int32_t(k) + 1) + d;
    return;
  }
  result = (fields.empty() ? std::string() : CodePageToUtf8(fields[0], CP_ACP)) + d;
  for (int32_t i = 1; i <= numOfLanguages_; ++i)
    result += convert(size_t(i) < fields.size() ? fields[size_t(i)] : std::string(), i) + d;
}

void TsiCustomLang::ConvertAnsiList(TStrings* list) {
  if (!list) return;
  std::string converted;
  list->BeginUpdate();
  for (int32_t i = 0; i < list->Count(); ++i) {
    ConvertAnsiLine(list->Strings(i), false, converted);
    list->SetStrings(i, converted);
  }
  list->EndUpdate();
}

void TsiCustomLang::EncodeAnsiLine(const std::string& line, std::string& result) {
  const std::vector<std::string> fields = SplitByDelimiter(line, Delim());
  const std::string byteDelim(1, char(langDelim_));
  result = Utf8ToCodePage(fields.empty() ? std::string() : fields[0], CP_ACP) + byteDelim;
  for (int32_t i = 1; i <= numOfLanguages_; ++i) {
    const std::string field = size_t(i) < fields.size() ? fields[size_t(i)] : std::string();
    if (storeAsUTF8_) {
      result += field;
    } else {
      const uint8_t charset = size_t(i) <= languageCharsets_.size() ? languageCharsets_[size_t(i - 1)] : uint8_t(1);
      result += Utf8ToCodePage(field, CodePageOfCharset(charset));
    }
    result += byteDelim;
  }
}

// ---------------------------------------------------------------------------
// The property

void TsiCustomLang::DefineProperties(TFiler* filer) {
  TComponent::DefineProperties(filer);
  filer->DefineBinaryProperty(
      "TranslationData", [this](TStream& s) { ReadTranslationData(s); },
      [this](TStream& s) { WriteTranslationData(s); }, TranslationDataDiffers(filer));
}

bool TsiCustomLang::TranslationDataDiffers(TFiler* filer) {
  auto* ancestor = dynamic_cast<TsiCustomLang*>(filer->Ancestor());
  if (!ancestor) return true;
  for (int k = 0; k < kStringsTypeCount; ++k) {
    TStrings* mine = GetKindList(TStringsType(k));
    TStrings* theirs = ancestor->GetKindList(TStringsType(k));
    if (mine && theirs && mine->Text() != theirs->Text()) return true;
  }
  return false;
}

void TsiCustomLang::WriteTranslationData(TStream& stream) {
  std::string out;
  for (int k = 0; k < kStringsTypeCount; ++k) {
    TStrings* list = GetKindList(TStringsType(k));
    if (!list) continue;
    AppendUtf16LE(out, std::string(StringsTypeInfos[size_t(k)].EnumName) + "_Unicode\r\n");
    std::string lines;
    for (int32_t i = 0; i < list->Count(); ++i) {
      std::string line = list->Strings(i);
      for (char& c : line) {
        if (c == '\r')
          c = kStoredCR;
        else if (c == '\n')
          c = kStoredLF;
      }
      lines += line;
      lines += "\r\n";
    }
    AppendUtf16LE(out, lines);
  }
  if (!out.empty()) stream.WriteBuffer(out.data(), int64_t(out.size()));
}

void TsiCustomLang::ReadTranslationData(TStream& stream) {
  const int64_t remaining = std::max<int64_t>(0, stream.Size() - stream.Position());
  std::vector<uint8_t> bytes(size_t(remaining), 0);
  if (remaining > 0) stream.ReadBuffer(bytes.data(), remaining);
  const std::string text = DecodeBlock(bytes);
  const std::vector<std::string_view> lines = SplitTextLines(text);

  const bool merge = !Designing() && RegularInstance() && isInheritedOwner_;
  bool unicode = false;
  size_t i = 0;
  // Data lines before the first header belong to no section.
  while (i < lines.size()) {
    bool isUnicode = false;
    const int kind = HeaderKind(lines[i], isUnicode);
    if (kind < 0 || i + 1 == lines.size()) {
      ++i;
      continue;
    }
    unicode = unicode || isUnicode;
    size_t end = i + 1;
    bool ignored = false;
    while (end < lines.size() && HeaderKind(lines[end], ignored) < 0) ++end;
    if (TStrings* target = GetKindList(TStringsType(kind))) FillSection(target, lines, i + 1, end, merge);
    i = end;
  }
  BuildLanguageCharsets();
  if (unicode) return;
  for (int k = 0; k < kStringsTypeCount; ++k)
    if (k != stFonts && k != stCharSets) ConvertAnsiList(GetKindList(TStringsType(k)));
  const std::string prefix = " " + Delim();
  std::string converted;
  for (int32_t n = 0; n < extended_->Count(); ++n) {
    TsiExtendedItem* item = extended_->Items(n);
    ConvertAnsiLine(prefix + item->Values(), false, converted);
    item->SetValues(CpCopy(converted, 3, CpLength(converted)));
  }
}

void TsiCustomLang::FillSection(TStrings* target, const std::vector<std::string_view>& lines, size_t begin,
                                size_t end, bool merge) {
  const std::string d = Delim();
  const std::string ownerPrefix = Owner() ? OwnerClassName() + d : std::string();
  auto isOwnerLine = [&](std::string_view line) {
    return !ownerPrefix.empty() && line.size() >= ownerPrefix.size() &&
           SameText(line.substr(0, ownerPrefix.size()), ownerPrefix);
  };
  target->BeginUpdate();
  if (!merge) {
    // Each owner line goes to the top as it is read: the last one read ends up first.
    std::vector<std::string> owners, others;
    for (size_t n = begin; n < end; ++n) {
      std::string line = RestoreLineBreaks(lines[n]);
      (isOwnerLine(line) ? owners : others).push_back(std::move(line));
    }
    target->Clear();
    for (auto it = owners.rbegin(); it != owners.rend(); ++it) target->Add(*it);
    target->AddStrings(others);
  } else {
    // Lines keep an order key: ancestor lines 0..n-1, owner lines put on top
    // below 0, appended lines above n. A merged line keeps its key. The first
    // line in that order answers for an identifier, as a scan from the top would.
    struct Entry {
      int64_t key;
      std::string text;
    };
    std::vector<Entry> entries;
    std::unordered_map<std::string, size_t> byIdentifier;
    auto remember = [&](size_t at) {
      const std::string id = UpperCase(IdentifierOf(entries[at].text, d));
      auto [it, added] = byIdentifier.emplace(id, at);
      if (!added && entries[it->second].key > entries[at].key) it->second = at;
    };
    for (int32_t n = 0; n < target->Count(); ++n) {
      entries.push_back({n, target->Strings(n)});
      remember(entries.size() - 1);
    }
    int64_t top = 0, bottom = target->Count();
    for (size_t n = begin; n < end; ++n) {
      std::string line = RestoreLineBreaks(lines[n]);
      const auto found = byIdentifier.find(UpperCase(IdentifierOf(line, d)));
      if (found != byIdentifier.end()) {
        Entry& e = entries[found->second];
        e.text = MergeLines(e.text, line, d);
        continue;
      }
      const int64_t key = isOwnerLine(line) ? --top : bottom++;
      entries.push_back({key, std::move(line)});
      remember(entries.size() - 1);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    target->Clear();
    for (const Entry& e : entries) target->Add(e.text);
  }
  target->EndUpdate();
}
