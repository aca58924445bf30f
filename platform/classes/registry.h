// The registry: a tree of keys whose paths join names with "\", each key holding named values of
// three kinds (text, 32-bit integer, bytes). Here it is kept in one file per process, named by
// SetRegistryFileName before first use; key and value names compare ignoring case. The file is
// an INI file whose sections are the full key paths and whose values carry their kind:
//
//   [Software\Vendor\Program]
//   Caption=s:Text with \\ and \x0A escaped
//   Count=d:12
//   Flags=b:0F
#pragma once

#include <cstdint>
#include <string>

#include "platform/classes/inifiles.h"

// Empty until set; a registry file opened meanwhile raises EIniFileException.
const std::string& RegistryFileName();
void SetRegistryFileName(const std::string& fileName);

// An INI view of the registry below one key (FileName() is that key's path). A section is a key
// path relative to that key, or from the top when it begins with "\"; ReadSections lists the
// key's sub-keys. Every change reaches the file at once (as TIniFile), so nothing waits for
// UpdateFile. Names that the file could not hold unchanged (control characters; "]" in key
// names; "=", a leading "[" or ";" in value names; blanks around either; an empty name) raise
// EIniFileException.
class TRegistryIniFile : public TCustomIniFile {
  DX_CLASS(TRegistryIniFile, TCustomIniFile)
public:
  explicit TRegistryIniFile(const std::string& path);

  // Text values as they are, integers in decimal; bytes give def.
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) override;
  void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
  // Written as integer values.
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value) override;
  void WriteBool(const std::string& section, const std::string& ident, bool value) override;
  // Only byte values read; other kinds give none (0).
  int32_t ReadBinaryStream(const std::string& section, const std::string& ident, TStream* value) override;
  void WriteBinaryStream(const std::string& section, const std::string& ident, TStream* value) override;

  void ReadSection(const std::string& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const std::string& section, TStrings* strings) override;
  // Removes the key with all its sub-keys.
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  void UpdateFile() override {}
  // A key exists when it holds a value or has a sub-key.
  bool SectionExists(const std::string& section) override;
  bool ValueExists(const std::string& section, const std::string& ident) override;

private:
  std::string KeyPath(const std::string& section) const;
  // The stored form of a value ("s:…", "d:…", "b:…"); empty when absent.
  std::string RawValue(const std::string& section, const std::string& ident);
  void WriteRaw(const std::string& section, const std::string& ident, const std::string& raw);

  std::string root_;
  TIniFile file_;
};
