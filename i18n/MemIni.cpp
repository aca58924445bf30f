// The in-memory INI file of the translation library.
#include "i18n/MemIni.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"

// ---------------------------------------------------------------------------
// Locale-aware date and time texts, as the user's short date and long time
// formats write them.

namespace {

// Splits s at sep into unsigned numbers; false for anything else.
bool ReadNumbers(std::string_view s, char sep, std::vector<int32_t>& out) {
  out.clear();
  size_t pos = 0;
  while (true) {
    const size_t end = s.find(sep, pos);
    const std::string_view part = s.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    if (part.empty() || part.size() > 9 || !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return false;
    out.push_back(std::stoi(std::string(part)));
    if (end == std::string_view::npos) return true;
    pos = end + 1;
  }
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool TextToDate(std::string_view s, TDateTime& out) {
  const TFormatSettings& fs = FormatSettings();
  std::vector<int32_t> n;
  if (!ReadNumbers(Trimmed(s), fs.DateSeparator, n) || n.size() != 3) return false;
  // The order of day, month and year follows the short date format.
  std::string order;
  for (char c : fs.ShortDateFormat) {
    const char l = char(c | 0x20);
    if ((l == 'd' || l == 'm' || l == 'y') && order.find(l) == std::string::npos) order += l;
  }
  if (order.size() != 3) order = "mdy";
  int32_t day = 0, month = 0, year = 0;
  for (size_t i = 0; i < 3; ++i) (order[i] == 'd' ? day : order[i] == 'm' ? month : year) = n[i];
  if (year < 100) {
    uint16_t thisYear = 0, m = 0, d = 0;
    DecodeDate(Date(), thisYear, m, d);
    const int32_t pivot = thisYear - fs.TwoDigitYearCenturyWindow;
    year += pivot / 100 * 100;
    if (fs.TwoDigitYearCenturyWindow > 0 && year < pivot) year += 100;
  }
  if (year > 9999 || month > 12 || day > 31) return false;
  return TryEncodeDate(uint16_t(year), uint16_t(month), uint16_t(day), out);
}

bool TextToTime(std::string_view s, TDateTime& out) {
  const TFormatSettings& fs = FormatSettings();
  s = Trimmed(s);
  int32_t add = -1;  // -1: 24-hour text; 0: AM; 12: PM
  for (const auto& [mark, hours] : {std::pair{fs.TimeAMString, 0}, std::pair{fs.TimePMString, 12}}) {
    if (!mark.empty() && s.size() > mark.size() && AnsiSameText(s.substr(s.size() - mark.size()), mark)) {
      s = Trimmed(s.substr(0, s.size() - mark.size()));
      add = hours;
      break;
    }
  }
  std::vector<int32_t> n;
  if (!ReadNumbers(s, fs.TimeSeparator, n) || n.size() < 2 || n.size() > 3) return false;
  int32_t hour = n[0];
  if (add >= 0) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + add;
  }
  const int32_t sec = n.size() == 3 ? n[2] : 0;
  if (hour > 23 || n[1] > 59 || sec > 59) return false;
  out = (hour * 3600 + n[1] * 60 + sec) / 86400.0;
  return true;
}

bool TextToDateTime(std::string_view s, TDateTime& out) {
  s = Trimmed(s);
  const size_t blank = s.find(' ');
  TDateTime date = 0, time = 0;
  if (blank == std::string_view::npos) {
    if (TextToDate(s, date)) {
      out = date;
      return true;
    }
    if (!TextToTime(s, time)) return false;
    out = time;
    return true;
  }
  if (!TextToDate(s.substr(0, blank), date) || !TextToTime(s.substr(blank + 1), time)) return false;
  out = date < 0 ? date - time : date + time;
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// TsiCustomIniFile

int32_t TsiCustomIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int32_t Default) {
  std::string s = ReadString(Section, Ident, "");
  if (s.size() >= 3 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
  int32_t v = 0;
  return TryStrToInt(s, v) ? v : Default;
}

void TsiCustomIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int32_t Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TsiCustomIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TsiCustomIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

namespace {

template <class Convert>
TDateTime ReadConverted(TsiCustomIniFile& ini, const std::string& section, const std::string& ident, TDateTime def,
                        Convert convert) {
  const std::string s = ini.ReadString(section, ident, "");
  TDateTime v = 0;
  return !s.empty() && convert(s, v) ? v : def;
}

}  // namespace

TDateTime TsiCustomIniFile::ReadDate(const std::string& Section, const std::string& Ident, TDateTime Default) {
  return ReadConverted(*this, Section, Ident, Default, TextToDate);
}

TDateTime TsiCustomIniFile::ReadDateTime(const std::string& Section, const std::string& Ident, TDateTime Default) {
  return ReadConverted(*this, Section, Ident, Default, TextToDateTime);
}

TDateTime TsiCustomIniFile::ReadTime(const std::string& Section, const std::string& Ident, TDateTime Default) {
  return ReadConverted(*this, Section, Ident, Default, TextToTime);
}

double TsiCustomIniFile::ReadFloat(const std::string& Section, const std::string& Ident, double Default) {
  const std::string s = ReadString(Section, Ident, "");
  double v = 0;
  return !s.empty() && TryStrToFloat(s, v) ? v : Default;
}

void TsiCustomIniFile::WriteDate(const std::string& Section, const std::string& Ident, TDateTime Value) {
  WriteString(Section, Ident, FormatDateTime(FormatSettings().ShortDateFormat, Value));
}

void TsiCustomIniFile::WriteDateTime(const std::string& Section, const std::string& Ident, TDateTime Value) {
  WriteString(Section, Ident, DateTimeToStr(Value));
}

void TsiCustomIniFile::WriteFloat(const std::string& Section, const std::string& Ident, double Value) {
  WriteString(Section, Ident, FloatToStr(Value));
}

void TsiCustomIniFile::WriteTime(const std::string& Section, const std::string& Ident, TDateTime Value) {
  WriteString(Section, Ident, FormatDateTime(FormatSettings().LongTimeFormat, Value));
}

bool TsiCustomIniFile::SectionExists(const std::string& Section) {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.Count() > 0;
}

// ---------------------------------------------------------------------------
// TMemIniEntry

TMemIniEntry::Key TMemIniEntry::MakeKey(std::string_view line) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {std::string(line), std::make_unique<TMemIniValue>()};
  return {std::string(line.substr(0, eq)), std::make_unique<TMemIniValue>(std::string(line.substr(eq + 1)))};
}

size_t TMemIniEntry::LowerBound(std::string_view name) const {
  auto it = std::lower_bound(keys_.begin(), keys_.end(), name,
                             [](const Key& k, std::string_view n) { return AnsiCompareText(k.name, n) < 0; });
  return size_t(it - keys_.begin());
}

void TMemIniEntry::AddLine(std::string_view s) {
  Key key = MakeKey(s);
  const size_t at = LowerBound(key.name);  // before the equal names already there
  keys_.insert(keys_.begin() + std::ptrdiff_t(at), std::move(key));
}

void TMemIniEntry::Add(const std::string& name, const std::string& value) {
  const size_t at = LowerBound(name);
  keys_.insert(keys_.begin() + std::ptrdiff_t(at), Key{name, std::make_unique<TMemIniValue>(value)});
}

void TMemIniEntry::Append(std::string_view line) { keys_.push_back(MakeKey(line)); }

void TMemIniEntry::SortAppended() {
  // Reversing first makes the stable sort put the later of equal names first.
  std::reverse(keys_.begin(), keys_.end());
  std::stable_sort(keys_.begin(), keys_.end(),
                   [](const Key& a, const Key& b) { return AnsiCompareText(a.name, b.name) < 0; });
}

void TMemIniEntry::Delete(int32_t i) {
  if (i < 0 || i >= Count()) throw EListError(Format("List index out of bounds (%d)", i));
  keys_.erase(keys_.begin() + i);
}

int32_t TMemIniEntry::Find(std::string_view name) const {
  const size_t at = LowerBound(name);
  return at < keys_.size() && AnsiCompareText(keys_[at].name, name) == 0 ? int32_t(at) : -1;
}

void TMemIniEntry::Assign(TPersistent* source) {
  if (auto* lines = dynamic_cast<TStrings*>(source)) {
    Clear();
    for (int32_t i = 0; i < lines->Count(); ++i) Append(lines->Strings(i));
    SortAppended();
    return;
  }
  TPersistent::Assign(source);
}

// ---------------------------------------------------------------------------
// TsiMemIniFile

std::vector<std::string> DecodeIniLines(std::string_view bytes) {
  std::string text;
  if (bytes.starts_with("\xEF\xBB\xBF"))
    text = Utf16ToUtf8(Utf8ToUtf16(bytes.substr(3)));  // invalid sequences replaced
  else if (bytes.starts_with("\xFF\xFE"))
    text = Utf16BytesToUtf8(bytes.substr(2), false);
  else if (bytes.starts_with("\xFE\xFF"))
    text = Utf16BytesToUtf8(bytes.substr(2), true);
  else
    text = CodePageToUtf8(bytes, CP_ACP);
  const std::vector<std::string_view> views = SplitTextLines(text);
  return {views.begin(), views.end()};
}

TsiMemIniFile::TsiMemIniFile(const std::string& AFileName) : TsiCustomIniFile(AFileName) {
  if (AFileName.empty() || !FileExists(AFileName)) return;
  TFileStream file(AFileName, fmOpenRead);
  LoadFromStream(file);
}

TMemIniEntry* TsiMemIniFile::Section(std::string_view name) const {
  auto it = sections_.find(std::string(name));
  return it == sections_.end() ? nullptr : it->second.get();
}

TMemIniEntry* TsiMemIniFile::AddSection(const std::string& name) {
  auto& slot = sections_[name];
  if (!slot) slot = std::make_unique<TMemIniEntry>();
  return slot.get();
}

std::string TsiMemIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                      const std::string& Default) {
  TMemIniEntry* entry = this->Section(Section);
  const int32_t i = entry ? entry->Find(Ident) : -1;
  return i < 0 ? Default : entry->Values(i);
}

void TsiMemIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
  TMemIniEntry* entry = AddSection(Section);
  if (const int32_t i = entry->Find(Ident); i >= 0) entry->Delete(i);
  // Split again at the first "=": an identifier holding "=" becomes a shorter key.
  entry->AddLine(Ident + "=" + Value);
}

void TsiMemIniFile::ReadSection(const std::string& Section, TStrings* Strings) {
  TMemIniEntry* entry = this->Section(Section);
  if (!entry) return;
  Strings->BeginUpdate();
  Strings->Clear();
  for (int32_t i = 0; i < entry->Count(); ++i) Strings->Add(entry->Names(i));
  Strings->EndUpdate();
}

void TsiMemIniFile::ReadSections(TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const auto& [name, entry] : sections_) Strings->Add(name);
  Strings->EndUpdate();
}

void TsiMemIniFile::ReadSectionValuesOnly(const std::string& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  if (TMemIniEntry* entry = this->Section(Section))
    for (int32_t i = 0; i < entry->Count(); ++i) Strings->Add(entry->Values(i));
  Strings->EndUpdate();
}

void TsiMemIniFile::EraseSection(const std::string& Section) { sections_.erase(Section); }

void TsiMemIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  TMemIniEntry* entry = this->Section(Section);
  const int32_t i = entry ? entry->Find(Ident) : -1;
  if (i >= 0) entry->Delete(i);
}

void TsiMemIniFile::GetStrings(TStrings* List) {
  List->BeginUpdate();
  for (const auto& [name, entry] : sections_) {
    List->Add("[" + name + "]");
    for (int32_t i = 0; i < entry->Count(); ++i) List->Add(entry->Lines(i));
    List->Add("");
  }
  List->EndUpdate();
}

void TsiMemIniFile::UpdateFile() {
  TStringList lines;
  GetStrings(&lines);
  std::string bytes;
  for (int32_t i = 0; i < lines.Count(); ++i) bytes += Utf8ToCodePage(lines.Strings(i), CP_ACP) + "\r\n";
  TFileStream file(FileName(), fmCreate);
  if (!bytes.empty()) file.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

void TsiMemIniFile::Parse(const std::vector<std::string_view>& lines) {
  Clear();
  TMemIniEntry* current = nullptr;
  std::vector<TMemIniEntry*> touched;
  for (std::string_view line : lines) {
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      // A repeated header (in any letter case) joins the section already there.
      current = AddSection(std::string(line.substr(1, line.size() - 2)));
      if (std::find(touched.begin(), touched.end(), current) == touched.end()) touched.push_back(current);
      continue;
    }
    if (current) current->Append(line);  // lines before the first header are dropped
  }
  for (TMemIniEntry* entry : touched) entry->SortAppended();
}

void TsiMemIniFile::SetStrings(TStrings* List) {
  std::vector<std::string> copies;
  copies.reserve(size_t(List->Count()));
  for (int32_t i = 0; i < List->Count(); ++i) copies.push_back(List->Strings(i));
  Parse({copies.begin(), copies.end()});
}

void TsiMemIniFile::LoadFromStream(TStream& Stream) {
  const int64_t size = std::max<int64_t>(0, Stream.Size() - Stream.Position());
  std::string bytes(size_t(size), '\0');
  if (size > 0) Stream.ReadBuffer(bytes.data(), size);
  const std::vector<std::string> lines = DecodeIniLines(bytes);
  Parse({lines.begin(), lines.end()});
}

// ---------------------------------------------------------------------------
// Fields of translation lines

namespace {

template <class Char>
std::basic_string<Char> DelimitedField(std::basic_string_view<Char> s, Char delim, int32_t index) {
  if (index < 0) return {};
  size_t start = 0;
  for (int32_t field = 0;; ++field) {
    const size_t end = s.find(delim, start);
    if (end == std::basic_string_view<Char>::npos) return {};  // an unclosed piece is never a field
    if (field == index) return std::basic_string<Char>(s.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

std::string ExtractDelimitedField(std::string_view s, char delim, int32_t index) {
  return DelimitedField<char>(s, delim, index);
}

std::u16string ExtractDelimitedFieldW(std::u16string_view s, char16_t delim, int32_t index) {
  return DelimitedField<char16_t>(s, delim, index);
}

int32_t PosOf(std::string_view sub, std::string_view s) { return CpPos(sub, s); }
