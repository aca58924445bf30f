#include "platform/classes/strings.h"

#include <algorithm>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

// Brackets an update so that an exception still ends it.
class UpdateScope {
public:
  explicit UpdateScope(TStrings& s) : s_(s) { s_.BeginUpdate(); }
  ~UpdateScope() { s_.EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

private:
  TStrings& s_;
};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string DecodeText(const std::string& bytes) {
  auto startsWith = [&](std::string_view prefix) { return bytes.compare(0, prefix.size(), prefix) == 0; };
  if (startsWith("\xEF\xBB\xBF")) return bytes.substr(3);
  const bool littleEndian = startsWith("\xFF\xFE");
  if (littleEndian || startsWith("\xFE\xFF")) {
    std::u16string units;
    units.reserve((bytes.size() - 2) / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const auto b0 = static_cast<unsigned char>(bytes[i]);
      const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
      units.push_back(littleEndian ? char16_t(b0 | (b1 << 8)) : char16_t((b0 << 8) | b1));
    }
    return Utf16ToUtf8(units);
  }
  if (IsValidUtf8(bytes)) return bytes;
  return CodePageToUtf8(bytes, 1252);
}

}  // namespace

// ---- TStrings

void TStrings::Error(const std::string& msg, int64_t data) {
  std::string text = msg;
  const size_t p = text.find("%d");
  if (p != std::string::npos) text.replace(p, 2, std::to_string(data));
  throw EStringListError(text);
}

int32_t TStrings::Add(const std::string& s) {
  const int32_t index = GetCount();
  Insert(index, s);
  return index;
}

int32_t TStrings::AddObject(const std::string& s, TObject* obj) {
  const int32_t index = Add(s);
  PutObject(index, obj);
  return index;
}

void TStrings::AddStrings(TStrings* strings) {
  if (!strings) return;
  UpdateScope update(*this);
  // Copy first: strings may be this list.
  const int32_t n = strings->Count();
  std::vector<std::pair<std::string, TObject*>> lines;
  lines.reserve(size_t(n));
  for (int32_t i = 0; i < n; ++i) lines.emplace_back(strings->Get(i), strings->GetObject(i));
  for (auto& [s, obj] : lines) AddObject(s, obj);
}

void TStrings::AddStrings(const std::vector<std::string>& strings) {
  UpdateScope update(*this);
  for (const std::string& s : strings) Add(s);
}

void TStrings::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TStrings*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  UpdateScope update(*this);
  Clear();
  defined_ = uint8_t(defined_ | other->defined_);
  if (other->defined_ & sdDelimiter) delimiter_ = other->delimiter_;
  if (other->defined_ & sdQuoteChar) quoteChar_ = other->quoteChar_;
  if (other->defined_ & sdNameValueSeparator) nameValueSeparator_ = other->nameValueSeparator_;
  if (other->defined_ & sdLineBreak) lineBreak_ = other->lineBreak_;
  if (other->defined_ & sdStrictDelimiter) strictDelimiter_ = other->strictDelimiter_;
  AddStrings(other);
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::InsertObject(int32_t index, const std::string& s, TObject* obj) {
  Insert(index, s);
  PutObject(index, obj);
}

void TStrings::Exchange(int32_t index1, int32_t index2) {
  UpdateScope update(*this);
  const std::string s1 = Get(index1);
  TObject* o1 = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, s1);
  PutObject(index2, o1);
}

void TStrings::Move(int32_t curIndex, int32_t newIndex) {
  if (curIndex == newIndex) return;
  UpdateScope update(*this);
  const std::string s = Get(curIndex);
  TObject* obj = GetObject(curIndex);
  PutObject(curIndex, nullptr);
  Delete(curIndex);
  InsertObject(newIndex, s, obj);
}

bool TStrings::Equals(TStrings* strings) const {
  if (!strings) return false;
  const int32_t n = GetCount();
  if (n != strings->GetCount()) return false;
  for (int32_t i = 0; i < n; ++i)
    if (Get(i) != strings->Get(i)) return false;
  return true;
}

int32_t TStrings::IndexOf(const std::string& s) const {
  const int32_t n = GetCount();
  for (int32_t i = 0; i < n; ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int32_t TStrings::IndexOfName(const std::string& name) const {
  const int32_t n = GetCount();
  for (int32_t i = 0; i < n; ++i) {
    const std::string s = Get(i);
    const size_t p = s.find(nameValueSeparator_);
    if (p != std::string::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
  }
  return -1;
}

int32_t TStrings::IndexOfObject(TObject* obj) const {
  const int32_t n = GetCount();
  for (int32_t i = 0; i < n; ++i)
    if (GetObject(i) == obj) return i;
  return -1;
}

std::vector<std::string> TStrings::ToStringArray() const {
  std::vector<std::string> out;
  const int32_t n = GetCount();
  out.reserve(size_t(n));
  for (int32_t i = 0; i < n; ++i) out.push_back(Get(i));
  return out;
}

std::string TStrings::Names(int32_t index) const {
  const std::string s = Get(index);
  const size_t p = s.find(nameValueSeparator_);
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::Values(const std::string& name) const {
  const int32_t index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
  const int32_t index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
  } else if (index < 0) {
    Add(name + nameValueSeparator_ + value);
  } else {
    Put(index, name + nameValueSeparator_ + value);
  }
}

std::string TStrings::ValueFromIndex(int32_t index) const {
  if (index < 0) return {};
  const std::string s = Get(index);
  const size_t p = s.find(nameValueSeparator_);
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int32_t index, const std::string& value) {
  if (value.empty()) {
    if (index >= 0) Delete(index);
  } else if (index < 0) {
    Add(std::string(1, nameValueSeparator_) + value);
  } else {
    Put(index, Names(index) + nameValueSeparator_ + value);
  }
}

void TStrings::SetNameValueSeparator(char c) {
  nameValueSeparator_ = c;
  defined_ |= sdNameValueSeparator;
}

void TStrings::SetLineBreak(const std::string& s) {
  lineBreak_ = s;
  defined_ |= sdLineBreak;
}

void TStrings::SetDelimiter(char c) {
  delimiter_ = c;
  defined_ |= sdDelimiter;
}

void TStrings::SetQuoteChar(char c) {
  quoteChar_ = c;
  defined_ |= sdQuoteChar;
}

void TStrings::SetStrictDelimiter(bool v) {
  strictDelimiter_ = v;
  defined_ |= sdStrictDelimiter;
}

std::string TStrings::GetTextStr() const {
  std::string out;
  const int32_t n = GetCount();
  for (int32_t i = 0; i < n; ++i) {
    out += Get(i);
    out += lineBreak_;
  }
  return out;
}

void TStrings::SetTextStr(const std::string& text) {
  UpdateScope update(*this);
  Clear();
  const bool classic = lineBreak_ == "\r\n" || lineBreak_ == "\n" || lineBreak_ == "\r" || lineBreak_.empty();
  size_t pos = 0;
  while (pos < text.size()) {
    if (classic) {
      const size_t end = text.find_first_of("\r\n", pos);
      if (end == std::string::npos) {
        Add(text.substr(pos));
        break;
      }
      Add(text.substr(pos, end - pos));
      pos = end;
      if (text[pos] == '\r') ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
    } else {
      const size_t end = text.find(lineBreak_, pos);
      if (end == std::string::npos) {
        Add(text.substr(pos));
        break;
      }
      Add(text.substr(pos, end - pos));
      pos = end + lineBreak_.size();
    }
  }
}

std::string TStrings::DelimitedText() const { return FormatDelimited(delimiter_, quoteChar_); }

void TStrings::SetDelimitedText(const std::string& s) { ParseDelimited(s, delimiter_, quoteChar_); }

std::string TStrings::CommaText() const { return FormatDelimited(',', '"'); }

void TStrings::SetCommaText(const std::string& s) { ParseDelimited(s, ',', '"'); }

std::string TStrings::FormatDelimited(char delimiter, char quoteChar) const {
  std::string out;
  const int32_t n = GetCount();
  for (int32_t i = 0; i < n; ++i) {
    const std::string s = Get(i);
    bool quote = s.empty();
    for (char c : s)
      if (IsBlank(c) || c == delimiter || c == quoteChar) {
        quote = true;
        break;
      }
    if (i > 0) out += delimiter;
    out += quote ? AnsiQuotedStr(s, quoteChar) : s;
  }
  return out;
}

void TStrings::ParseDelimited(const std::string& value, char delimiter, char quoteChar) {
  UpdateScope update(*this);
  Clear();
  const size_t n = value.size();
  const bool strict = strictDelimiter_;
  auto skipBlanks = [&](size_t p) {
    if (!strict)
      while (p < n && IsBlank(value[p])) ++p;
    return p;
  };
  size_t p = skipBlanks(0);
  while (p < n) {
    std::string item;
    if (value[p] == quoteChar) {
      // Quoted: a doubled quote stands for one; a lone quote ends the item,
      // and so does the end of the text.
      ++p;
      while (p < n) {
        if (value[p] == quoteChar) {
          if (p + 1 < n && value[p + 1] == quoteChar) {
            item += quoteChar;
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += value[p++];
      }
    } else {
      const size_t start = p;
      while (p < n && value[p] != delimiter && (strict || !IsBlank(value[p]))) ++p;
      item = value.substr(start, p - start);
    }
    Add(item);
    p = skipBlanks(p);
    if (p < n && value[p] == delimiter) {
      if (p + 1 == n) Add(std::string());
      p = skipBlanks(p + 1);
    }
  }
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TStrings::LoadFromStream(TStream& stream) {
  const int64_t size = stream.Size() - stream.Position();
  std::string bytes(size_t(std::max<int64_t>(size, 0)), '\0');
  if (!bytes.empty()) stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
  SetTextStr(DecodeText(bytes));
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TStringStream stream;
  SaveToStream(stream);
  const std::string bytes = stream.DataString();
  WriteFileAtomically(fileName, bytes.data(), bytes.size());
}

void TStrings::SaveToStream(TStream& stream) const {
  std::string bytes = writeBom_ ? "\xEF\xBB\xBF" : "";
  bytes += GetTextStr();
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

TObject* TStrings::GetObject(int32_t) const { return nullptr; }

void TStrings::Put(int32_t index, const std::string& s) {
  TObject* obj = GetObject(index);
  UpdateScope update(*this);
  Delete(index);
  InsertObject(index, s, obj);
}

void TStrings::PutObject(int32_t, TObject*) {}

int32_t TStrings::CompareStrings(const std::string& s1, const std::string& s2) const {
  return AnsiCompareText(s1, s2);
}

// ---- TStringList

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (ownsObjects_)
    for (Item& item : items_) delete item.Object;
}

void TStringList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= GetCount()) Error("List index out of bounds (%d)", index);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) Changing();
  else Changed();
}

int32_t TStringList::Add(const std::string& s) { return AddObject(s, nullptr); }

int32_t TStringList::AddObject(const std::string& s, TObject* obj) {
  int32_t index = GetCount();
  if (sorted_ && Find(s, index)) {
    if (duplicates_ == dupIgnore) {
      // The list was handed this object to own; dropping it silently would leak it.
      if (ownsObjects_ && obj && obj != items_[size_t(index)].Object) delete obj;
      return index;
    }
    if (duplicates_ == dupError) Error("String list does not allow duplicates", 0);
  }
  InsertItem(index, s, obj);
  return index;
}

void TStringList::InsertItem(int32_t index, const std::string& s, TObject* obj) {
  Changing();
  items_.insert(items_.begin() + index, Item{s, obj});
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(items_);
  if (ownsObjects_)
    for (Item& item : old) delete item.Object;
  Changed();
}

void TStringList::Delete(int32_t index) {
  CheckIndex(index);
  Changing();
  TObject* obj = items_[size_t(index)].Object;
  items_.erase(items_.begin() + index);
  if (ownsObjects_) delete obj;
  Changed();
}

void TStringList::Exchange(int32_t index1, int32_t index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[size_t(index1)], items_[size_t(index2)]);
  Changed();
}

void TStringList::Move(int32_t curIndex, int32_t newIndex) {
  if (curIndex == newIndex) return;
  // Checked before anything moves: the generic delete-and-insert would lose
  // the line on a sorted list and free an owned object.
  if (sorted_) Error("Operation not allowed on sorted list", 0);
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  Changing();
  Item item = std::move(items_[size_t(curIndex)]);
  items_.erase(items_.begin() + curIndex);
  items_.insert(items_.begin() + newIndex, std::move(item));
  Changed();
}

void TStringList::Insert(int32_t index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int32_t index, const std::string& s, TObject* obj) {
  if (sorted_) Error("Operation not allowed on sorted list", 0);
  if (index < 0 || index > GetCount()) Error("List index out of bounds (%d)", index);
  InsertItem(index, s, obj);
}

int32_t TStringList::IndexOf(const std::string& s) const {
  if (!sorted_) return TStrings::IndexOf(s);
  int32_t index = -1;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int32_t& index) const {
  bool found = false;
  int32_t lo = 0, hi = GetCount() - 1;
  while (lo <= hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    const int32_t c = CompareStrings(items_[size_t(mid)].String, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

void TStringList::SortWith(const TStringListSortCompare& compare) {
  if (items_.size() < 2) return;
  Changing();
  const auto order = classes_detail::StableOrder(
      GetCount(), [&](int32_t a, int32_t b) { return compare(this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int32_t i : order) sorted.push_back(std::move(items_[size_t(i)]));
  items_.swap(sorted);
  Changed();
}

void TStringList::Sort() {
  if (sorted_) return;
  SortWith([](TStringList* list, int32_t a, int32_t b) {
    return list->CompareStrings(list->items_[size_t(a)].String, list->items_[size_t(b)].String);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (!sorted_ && compare) SortWith(compare);
}

void TStringList::SetSorted(bool v) {
  if (v == sorted_) return;
  if (v) Sort();
  sorted_ = v;
}

void TStringList::SetCaseSensitive(bool v) {
  if (v == caseSensitive_) return;
  caseSensitive_ = v;
  // The binary search needs the order of the new comparison.
  if (sorted_) {
    sorted_ = false;
    Sort();
    sorted_ = true;
  }
}

int32_t TStringList::CompareStrings(const std::string& s1, const std::string& s2) const {
  return caseSensitive_ ? AnsiCompareStr(s1, s2) : AnsiCompareText(s1, s2);
}

std::string TStringList::Get(int32_t index) const {
  CheckIndex(index);
  return items_[size_t(index)].String;
}

TObject* TStringList::GetObject(int32_t index) const {
  CheckIndex(index);
  return items_[size_t(index)].Object;
}

void TStringList::Put(int32_t index, const std::string& s) {
  if (sorted_) Error("Operation not allowed on sorted list", 0);
  CheckIndex(index);
  Changing();
  items_[size_t(index)].String = s;
  Changed();
}

void TStringList::PutObject(int32_t index, TObject* obj) {
  CheckIndex(index);
  Changing();
  TObject* old = items_[size_t(index)].Object;
  items_[size_t(index)].Object = obj;
  if (ownsObjects_ && old != obj) delete old;
  Changed();
}

void TStringList::DoSetCapacity(int32_t v) {
  if (v < GetCount()) Error("List capacity out of bounds (%d)", v);
  items_.reserve(size_t(v));
}
