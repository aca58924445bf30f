// INI files: named sections of "key=value" lines.
//
//   ; a comment
//   [Section]
//   Key=Value
//
// Section and key names compare ignoring case unless CaseSensitive is set. When a
// section or a key appears twice, reads see the first one. Surrounding blanks of
// names and values are dropped when a file is read; lines that are neither a
// section header, a key line, a comment nor blank are skipped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/text.h"

class TStream;
class TStrings;

// The text form of binary values: two upper-case hexadecimal digits per byte. Decoding takes
// either case and fails (False, bytes untouched) for text that is not such pairs.
std::string BinaryToIniText(std::string_view bytes);
bool IniTextToBinary(std::string_view text, std::string& bytes);

class TCustomIniFile : public TObject {
  DX_CLASS(TCustomIniFile, TObject)
public:
  explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
  const std::string& FileName() const { return fileName_; }

  virtual std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) = 0;
  virtual void WriteString(const std::string& section, const std::string& ident, const std::string& value) = 0;
  // Decimal, or hexadecimal with "0x" or "$"; anything else gives def.
  virtual int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t def);
  virtual void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
  // An integer: 0 is false, any other true; text that is no integer gives def. Written as 1 or 0.
  virtual bool ReadBool(const std::string& section, const std::string& ident, bool def);
  virtual void WriteBool(const std::string& section, const std::string& ident, bool value);
  // Always with '.' as decimal separator, whatever the process's format settings, so that a
  // file reads the same everywhere.
  virtual double ReadFloat(const std::string& section, const std::string& ident, double def);
  virtual void WriteFloat(const std::string& section, const std::string& ident, double value);
  // Bytes as text of two hexadecimal digits each. Reading appends them to value from its
  // position and returns how many; a value that is no such text reads as none (0).
  virtual int32_t ReadBinaryStream(const std::string& section, const std::string& ident, TStream* value);
  // Writes value's bytes from its position to its end.
  virtual void WriteBinaryStream(const std::string& section, const std::string& ident, TStream* value);

  // Each clears strings first. ReadSection gives the key names, ReadSectionValues the
  // "key=value" lines, both in file order; ReadSections the section names in file order.
  virtual void ReadSection(const std::string& section, TStrings* strings) = 0;
  virtual void ReadSections(TStrings* strings) = 0;
  virtual void ReadSectionValues(const std::string& section, TStrings* strings) = 0;
  virtual void EraseSection(const std::string& section) = 0;
  virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
  virtual void UpdateFile() = 0;
  // A section counts as existing only when it has at least one key.
  virtual bool SectionExists(const std::string& section);
  virtual bool ValueExists(const std::string& section, const std::string& ident);

protected:
  std::string fileName_;
};

// The whole file in memory; nothing reaches the disk before UpdateFile, which replaces the file
// atomically (a failure leaves the old one as it was). Lines end in LF, this platform's line
// break, when written, and may end in CR LF, LF or CR when read (files from Windows keep working).
class TMemIniFile : public TCustomIniFile {
  DX_CLASS(TMemIniFile, TCustomIniFile)
public:
  // codePage CP_UTF8 reads UTF-8 with or without byte-order mark and takes bytes that are not
  // valid UTF-8 as Windows-1252; it writes UTF-8, with the mark when the file had one. Another
  // code page is used for reading and writing. A UTF-8 or UTF-16 mark always wins when reading.
  // A missing file (or an empty name) gives an empty INI; an unreadable one raises EFOpenError.
  explicit TMemIniFile(const std::string& fileName, uint32_t codePage = CP_UTF8);

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) override;
  void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
  void ReadSection(const std::string& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const std::string& section, TStrings* strings) override;
  // Both remove every copy, so that nothing hidden behind the first one comes to light.
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  // Raises EFCreateError / EWriteError when the file cannot be written.
  void UpdateFile() override;
  bool SectionExists(const std::string& section) override;
  bool ValueExists(const std::string& section, const std::string& ident) override;

  void Clear();
  // Appends the INI text to list, one line per item.
  void GetStrings(TStrings* list) const;
  // Replaces everything with what list's lines hold.
  void SetStrings(TStrings* list);
  // The INI text as UpdateFile writes it (before encoding), and its inverse.
  std::string Text() const;
  void SetText(std::string_view text);
  // Takes another file name; with reload the contents are read from it (empty when missing).
  void Rename(const std::string& fileName, bool reload);

  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool v) { caseSensitive_ = v; }
  uint32_t CodePage() const { return codePage_; }

private:
  friend class TIniFile;
  struct Key {
    std::string Name;
    std::string Value;
  };
  struct Section {
    std::string Name;
    std::vector<Key> Keys;
  };

  bool SameName(std::string_view a, std::string_view b) const;
  template <class Entries>
  bool HiddenByEarlier(const Entries& entries, size_t i) const;
  Section* FindSection(std::string_view name);
  const Key* FindKey(std::string_view section, std::string_view ident);
  void ParseLines(const std::vector<std::string>& lines);
  std::vector<std::string> Lines() const;
  void LoadValues();

  std::vector<Section> sections_;
  uint32_t codePage_;
  bool caseSensitive_ = false;
  bool writeBom_ = false;
};

// Every change goes straight to the file, and every read sees the file as it is now: the file is
// read again whenever its identity, size or times differ from what was last seen. Like the
// platform's INI routines, a value enclosed in a matching pair of quotes is read without them.
// A missing file reads as empty; writing creates it, and a write that fails raises
// EIniFileException ("Unable to write to <file>") with the old file left as it was.
class TIniFile : public TCustomIniFile {
  DX_CLASS(TIniFile, TCustomIniFile)
public:
  explicit TIniFile(const std::string& fileName);

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) override;
  void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
  void ReadSection(const std::string& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const std::string& section, TStrings* strings) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  // Nothing is held back, so there is nothing to flush.
  void UpdateFile() override {}
  bool SectionExists(const std::string& section) override;
  bool ValueExists(const std::string& section, const std::string& ident) override;

private:
  struct FileStamp {
    bool Exists = false;
    uint64_t Device = 0, Inode = 0;
    int64_t Size = 0, MTimeSec = 0, MTimeNsec = 0, CTimeSec = 0, CTimeNsec = 0;
    bool operator==(const FileStamp&) const = default;
  };
  static FileStamp StampOf(const std::string& fileName);
  void Refresh();
  void Store();

  TMemIniFile cache_;
  FileStamp stamp_;
  bool loaded_ = false;
};
