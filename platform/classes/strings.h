// TStrings, the abstract list of strings with an object beside each, and
// TStringList, its in-memory implementation (sortable, may own its objects).
//
// Strings are UTF-8. Text joins the lines with LineBreak ("\r\n"); files are
// read as UTF-8, UTF-16 with a byte-order mark, or Windows-1252 when the bytes
// are not valid UTF-8, and written as UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/lists.h"
#include "platform/classes/persistent.h"

class TStream;

class TStrings : public TPersistent {
  DX_CLASS(TStrings, TPersistent)
public:
  TStrings() = default;
  ~TStrings() override = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;

  virtual int32_t Add(const std::string& s);
  virtual int32_t AddObject(const std::string& s, TObject* obj);
  void Append(const std::string& s) { Add(s); }
  virtual void AddStrings(TStrings* strings);
  void AddStrings(const std::vector<std::string>& strings);
  // From another TStrings: its lines, objects and separators; else the assignment error.
  void Assign(TPersistent* source) override;

  // Nested; the outermost pair calls SetUpdateState(true) / SetUpdateState(false).
  void BeginUpdate();
  void EndUpdate();
  int32_t UpdateCount() const { return updateCount_; }

  virtual void Clear() = 0;
  virtual void Delete(int32_t index) = 0;
  virtual void Insert(int32_t index, const std::string& s) = 0;
  virtual void InsertObject(int32_t index, const std::string& s, TObject* obj);
  virtual void Exchange(int32_t index1, int32_t index2);
  virtual void Move(int32_t curIndex, int32_t newIndex);
  // Same lines in the same order, compared exactly.
  bool Equals(TStrings* strings) const;

  // First match under CompareStrings; -1 when absent.
  virtual int32_t IndexOf(const std::string& s) const;
  virtual int32_t IndexOfName(const std::string& name) const;
  int32_t IndexOfObject(TObject* obj) const;

  int32_t Count() const { return GetCount(); }
  std::string Strings(int32_t index) const { return Get(index); }
  void SetStrings(int32_t index, const std::string& s) { Put(index, s); }
  TObject* Objects(int32_t index) const { return GetObject(index); }
  void SetObjects(int32_t index, TObject* obj) { PutObject(index, obj); }
  int32_t Capacity() const { return GetCapacity(); }
  void SetCapacity(int32_t v) { DoSetCapacity(v); }
  std::vector<std::string> ToStringArray() const;

  // name=value lines. Names(i) is "" for a line without separator.
  std::string Names(int32_t index) const;
  std::string Values(const std::string& name) const;
  // Replaces name's line, adds one when absent; an empty value deletes the line.
  void SetValues(const std::string& name, const std::string& value);
  std::string ValueFromIndex(int32_t index) const;
  void SetValueFromIndex(int32_t index, const std::string& value);
  char NameValueSeparator() const { return nameValueSeparator_; }
  void SetNameValueSeparator(char c);

  // Lines each followed by LineBreak. Setting splits at CR LF, CR or LF (or at
  // LineBreak when it is another string); a final break adds no empty line.
  std::string Text() const { return GetTextStr(); }
  void SetText(const std::string& s) { SetTextStr(s); }
  const std::string& LineBreak() const { return lineBreak_; }
  void SetLineBreak(const std::string& s);

  // Items joined by Delimiter. An item is quoted (QuoteChar, inner quotes
  // doubled) when empty or holding a char <= ' ', the delimiter or the quote
  // char. Reading: without StrictDelimiter, blanks and control chars outside
  // quotes also end an item and are skipped.
  std::string DelimitedText() const;
  void SetDelimitedText(const std::string& s);
  // DelimitedText with ',' and '"'.
  std::string CommaText() const;
  void SetCommaText(const std::string& s);
  char Delimiter() const { return delimiter_; }
  void SetDelimiter(char c);
  char QuoteChar() const { return quoteChar_; }
  void SetQuoteChar(char c);
  bool StrictDelimiter() const { return strictDelimiter_; }
  void SetStrictDelimiter(bool v);

  virtual void LoadFromFile(const std::string& fileName);
  virtual void LoadFromStream(TStream& stream);
  // Replaces the file only once the whole text is written.
  virtual void SaveToFile(const std::string& fileName) const;
  virtual void SaveToStream(TStream& stream) const;
  // Whether SaveToStream starts with the UTF-8 byte-order mark; false by default.
  bool WriteBOM() const { return writeBom_; }
  void SetWriteBOM(bool v) { writeBom_ = v; }

protected:
  virtual std::string Get(int32_t index) const = 0;
  virtual int32_t GetCount() const = 0;
  virtual TObject* GetObject(int32_t index) const;
  // Base: Delete and InsertObject with the same object.
  virtual void Put(int32_t index, const std::string& s);
  virtual void PutObject(int32_t index, TObject* obj);
  virtual int32_t GetCapacity() const { return GetCount(); }
  virtual void DoSetCapacity(int32_t) {}
  virtual std::string GetTextStr() const;
  virtual void SetTextStr(const std::string& s);
  virtual void SetUpdateState(bool updating);
  // Ignores case (AnsiCompareText) at the base.
  virtual int32_t CompareStrings(const std::string& s1, const std::string& s2) const;
  [[noreturn]] static void Error(const std::string& msg, int64_t data);

private:
  std::string FormatDelimited(char delimiter, char quoteChar) const;
  void ParseDelimited(const std::string& value, char delimiter, char quoteChar);
  // Which separators were set explicitly; Assign copies only those.
  enum : uint8_t { sdDelimiter = 1, sdQuoteChar = 2, sdNameValueSeparator = 4, sdLineBreak = 8, sdStrictDelimiter = 16 };
  uint8_t defined_ = 0;
  int32_t updateCount_ = 0;
  char delimiter_ = ',';
  char quoteChar_ = '"';
  char nameValueSeparator_ = '=';
  bool strictDelimiter_ = false;
  bool writeBom_ = false;
  std::string lineBreak_ = "\r\n";
};

class TStringList;
// Negative, zero or positive as the string at index1 sorts before, with or after index2.
using TStringListSortCompare = std::function<int32_t(TStringList* list, int32_t index1, int32_t index2)>;

class TStringList : public TStrings {
  DX_CLASS(TStringList, TStrings)
public:
  TStringList() = default;
  explicit TStringList(bool ownsObjects) : ownsObjects_(ownsObjects) {}
  // Fires no events; frees the objects when owning them.
  ~TStringList() override;

  // On a sorted list: placed in order, and Duplicates decides about an equal
  // string (dupIgnore returns the existing index; an owned object offered with
  // it is freed). Unsorted: appended.
  int32_t Add(const std::string& s) override;
  int32_t AddObject(const std::string& s, TObject* obj) override;
  void Clear() override;
  void Delete(int32_t index) override;
  void Exchange(int32_t index1, int32_t index2) override;
  void Move(int32_t curIndex, int32_t newIndex) override;
  // Not allowed on a sorted list.
  void Insert(int32_t index, const std::string& s) override;
  void InsertObject(int32_t index, const std::string& s, TObject* obj) override;
  int32_t IndexOf(const std::string& s) const override;
  // Binary search of a sorted list: true when found; index is the match (with
  // dupAccept, the first of equal strings) or where s would go.
  virtual bool Find(const std::string& s, int32_t& index) const;
  virtual void Sort();
  // Sorts (stably) with compare; does nothing on a sorted list.
  virtual void CustomSort(const TStringListSortCompare& compare);

  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates d) { duplicates_ = d; }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  // Default false: strings compare with AnsiCompareText, else AnsiCompareStr.
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool v);
  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool v) { ownsObjects_ = v; }

  // Before and after each change; during BeginUpdate..EndUpdate once at each end.
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  int32_t CompareStrings(const std::string& s1, const std::string& s2) const override;

protected:
  virtual void Changed();
  virtual void Changing();
  std::string Get(int32_t index) const override;
  int32_t GetCount() const override { return int32_t(items_.size()); }
  TObject* GetObject(int32_t index) const override;
  void Put(int32_t index, const std::string& s) override;
  // Frees the object it replaces when owning objects.
  void PutObject(int32_t index, TObject* obj) override;
  int32_t GetCapacity() const override { return int32_t(items_.capacity()); }
  void DoSetCapacity(int32_t v) override;
  void SetUpdateState(bool updating) override;
  virtual void InsertItem(int32_t index, const std::string& s, TObject* obj);

private:
  struct Item {
    std::string String;
    TObject* Object = nullptr;
  };
  void CheckIndex(int32_t index) const;
  void SortWith(const TStringListSortCompare& compare);
  std::vector<Item> items_;
  TDuplicates duplicates_ = dupIgnore;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  bool ownsObjects_ = false;
};
