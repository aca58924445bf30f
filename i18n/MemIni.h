// The translation library's INI layer: an abstract INI interface with typed
// reads and writes, and an in-memory INI text held as sorted sections of
// sorted keys. Keys and values are kept exactly as written: nothing is
// trimmed and quotes mean nothing. Also the splitter of translation lines.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/persistent.h"
#include "platform/rtl/sysutils.h"

class TStream;
class TStrings;

class TsiCustomIniFile : public TObject {
  DX_CLASS(TsiCustomIniFile, TObject)
public:
  explicit TsiCustomIniFile(const std::string& AFileName) : fileName_(AFileName) {}
  const std::string& FileName() const { return fileName_; }

  virtual std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) = 0;
  virtual void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) = 0;
  // "0x" and "$" introduce hexadecimal; a text that is no integer gives Default.
  virtual int32_t ReadInteger(const std::string& Section, const std::string& Ident, int32_t Default);
  virtual void WriteInteger(const std::string& Section, const std::string& Ident, int32_t Value);
  virtual bool ReadBool(const std::string& Section, const std::string& Ident, bool Default);
  virtual void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
  // Locale-aware; an empty or unconvertible text gives Default.
  virtual TDateTime ReadDate(const std::string& Section, const std::string& Ident, TDateTime Default);
  virtual TDateTime ReadDateTime(const std::string& Section, const std::string& Ident, TDateTime Default);
  virtual double ReadFloat(const std::string& Section, const std::string& Ident, double Default);
  virtual TDateTime ReadTime(const std::string& Section, const std::string& Ident, TDateTime Default);
  virtual void WriteDate(const std::string& Section, const std::string& Ident, TDateTime Value);
  virtual void WriteDateTime(const std::string& Section, const std::string& Ident, TDateTime Value);
  virtual void WriteFloat(const std::string& Section, const std::string& Ident, double Value);
  virtual void WriteTime(const std::string& Section, const std::string& Ident, TDateTime Value);
  virtual void ReadSection(const std::string& Section, TStrings* Strings) = 0;
  virtual void ReadSections(TStrings* Strings) = 0;
  // The values alone, in the order ReadSection gives the names.
  virtual void ReadSectionValuesOnly(const std::string& Section, TStrings* Strings) = 0;
  virtual void EraseSection(const std::string& Section) = 0;
  virtual void DeleteKey(const std::string& Section, const std::string& Ident) = 0;
  virtual void UpdateFile() = 0;

  // A section without keys counts as missing.
  bool SectionExists(const std::string& Section);

private:
  std::string fileName_;
};

class TMemIniValue : public TObject {
  DX_CLASS(TMemIniValue, TObject)
public:
  explicit TMemIniValue(std::string value = {}) : Value(std::move(value)) {}
  std::string Value;
};

// The keys of one section, sorted ignoring case; equal names are kept, the
// newest first.
class TMemIniEntry : public TPersistent {
  DX_CLASS(TMemIniEntry, TPersistent)
public:
  int32_t Count() const { return int32_t(keys_.size()); }
  const std::string& Names(int32_t i) const { return keys_.at(size_t(i)).name; }
  const std::string& Values(int32_t i) const { return keys_.at(size_t(i)).value->Value; }
  std::string Lines(int32_t i) const { return Names(i) + "=" + Values(i); }
  // Split at the first "="; without one the line is the name and the value empty.
  void AddLine(std::string_view s);
  void Add(const std::string& name, const std::string& value);
  void Delete(int32_t i);
  // The first of equal names in key order; -1 when none.
  int32_t Find(std::string_view name) const;
  void Clear() { keys_.clear(); }
  // From a TStrings: clears, then AddLine for every line.
  void Assign(TPersistent* source) override;

  // Appends without keeping the order; SortAppended restores it, the later of
  // equal names first. Parsing uses the pair to stay fast on long sections.
  void Append(std::string_view line);
  void SortAppended();

private:
  struct Key {
    std::string name;
    std::unique_ptr<TMemIniValue> value;
  };
  size_t LowerBound(std::string_view name) const;
  static Key MakeKey(std::string_view line);
  std::vector<Key> keys_;
};

class TsiMemIniFile : public TsiCustomIniFile {
  DX_CLASS(TsiMemIniFile, TsiCustomIniFile)
public:
  // Loads the file when it exists; a missing file gives an empty INI. A file
  // that exists but cannot be read raises the platform's file error.
  explicit TsiMemIniFile(const std::string& AFileName);

  std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) override;
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
  void ReadSection(const std::string& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValuesOnly(const std::string& Section, TStrings* Strings) override;
  void EraseSection(const std::string& Section) override;
  void DeleteKey(const std::string& Section, const std::string& Ident) override;
  // Writes the INI text in the ANSI code page, lines ended by CR LF.
  void UpdateFile() override;

  void Clear() { sections_.clear(); }
  // Appends the INI text: "[name]", the keys, an empty line, per section.
  void GetStrings(TStrings* List);
  void SetStrings(TStrings* List);
  // Decodes by byte-order mark (UTF-8, UTF-16LE, UTF-16BE; else the ANSI code page).
  void LoadFromStream(TStream& Stream);
  // The section, or null.
  TMemIniEntry* Section(std::string_view name) const;

private:
  struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const { return AnsiCompareText(a, b) < 0; }
  };
  void Parse(const std::vector<std::string_view>& lines);
  TMemIniEntry* AddSection(const std::string& name);
  std::map<std::string, std::unique_ptr<TMemIniEntry>, NameLess> sections_;
};

// Field index (from 0) of a text whose fields each end with delim; empty when
// the text holds no delim or the field is not closed by one.
std::string ExtractDelimitedField(std::string_view s, char delim, int32_t index);
std::u16string ExtractDelimitedFieldW(std::u16string_view s, char16_t delim, int32_t index);
// 1-based position (in characters) of sub in s; 0 when absent.
int32_t PosOf(std::string_view sub, std::string_view s);

// The text of an INI file's bytes, decoded by its byte-order mark, in lines.
std::vector<std::string> DecodeIniLines(std::string_view bytes);
