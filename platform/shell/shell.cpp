// Locale names follow POSIX (language[_territory][.codeset][@modifier]);
// the base folders follow the XDG Base Directory standard, version 0.8.
#include "platform/shell/shell.h"

#include <pwd.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

bool IsCLocale(std::string_view locale) {
  const std::string_view base = locale.substr(0, locale.find_first_of(".@"));
  return base == "C" || base == "POSIX";
}

struct TLanguageRow {
  const char* Language;
  const char* Territory;  // "" for the language's default
  LANGID Id;
};

// The languages a user of this viewer is likely to run it in. German is the
// one that matters (the interface switches to it); the rest keep the ids
// honest for other callers.
constexpr TLanguageRow kLanguages[] = {
    {"de", "", 0x0407},   {"de", "DE", 0x0407}, {"de", "CH", 0x0807}, {"de", "AT", 0x0C07},
    {"de", "LU", 0x1007}, {"de", "LI", 0x1407}, {"en", "", 0x0409},   {"en", "US", 0x0409},
    {"en", "GB", 0x0809}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009}, {"en", "NZ", 0x1409},
    {"en", "IE", 0x1809}, {"fr", "", 0x040C},   {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C},
    {"fr", "CH", 0x100C}, {"it", "", 0x0410},   {"it", "CH", 0x0810}, {"es", "", 0x0C0A},
    {"es", "MX", 0x080A}, {"nl", "", 0x0413},   {"nl", "BE", 0x0813}, {"pt", "", 0x0816},
    {"pt", "BR", 0x0416}, {"da", "", 0x0406},   {"sv", "", 0x041D},   {"nb", "", 0x0414},
    {"fi", "", 0x040B},   {"pl", "", 0x0415},   {"cs", "", 0x0405},   {"hu", "", 0x040E},
    {"ru", "", 0x0419},   {"tr", "", 0x041F},   {"el", "", 0x0408},   {"ja", "", 0x0411},
    {"ko", "", 0x0412},   {"zh", "", 0x0804},   {"zh", "TW", 0x0404},
};
constexpr LANGID kCustomLocale = 0x1000;
constexpr LANGID kEnglishUS = 0x0409;

bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

LANGID LanguageIdOfLocale(std::string_view locale) {
  if (locale.empty() || IsCLocale(locale)) return kEnglishUS;
  const std::string_view base = locale.substr(0, locale.find_first_of(".@"));
  const size_t sep = base.find_first_of("_-");
  const std::string language = LowerCase(base.substr(0, sep));
  const std::string territory = sep == std::string_view::npos ? std::string() : UpperCase(base.substr(sep + 1));
  LANGID fallback = kCustomLocale;
  for (const TLanguageRow& row : kLanguages) {
    if (language != row.Language) continue;
    if (territory == row.Territory) return row.Id;
    if (!*row.Territory) fallback = row.Id;
  }
  return fallback;
}

LANGID LocaleUILanguage() {
  std::string locale = Env("LC_ALL");
  if (locale.empty()) locale = Env("LC_MESSAGES");
  if (locale.empty()) locale = Env("LANG");
  if (locale.empty()) return 0;
  if (!IsCLocale(locale)) {
    // LANGUAGE is a priority list; its first entry is the language asked for.
    const std::string list = Env("LANGUAGE");
    size_t start = 0;
    while (start <= list.size()) {
      const size_t end = std::min(list.find(':', start), list.size());
      if (end > start) return LanguageIdOfLocale(std::string_view(list).substr(start, end - start));
      start = end + 1;
    }
  }
  return LanguageIdOfLocale(locale);
}

LCID GetUserDefaultLCID() {
  std::string locale = Env("LC_ALL");
  if (locale.empty()) locale = Env("LANG");
  return LanguageIdOfLocale(locale);
}

int32_t NaturalCompare(std::string_view a, std::string_view b) {
  const std::u32string x = Utf8ToUtf32(a), y = Utf8ToUtf32(b);
  size_t i = 0, j = 0;
  while (i < x.size() && j < y.size()) {
    if (IsAsciiDigit(x[i]) && IsAsciiDigit(y[j])) {
      size_t ei = i, ej = j;
      while (ei < x.size() && IsAsciiDigit(x[ei])) ++ei;
      while (ej < y.size() && IsAsciiDigit(y[ej])) ++ej;
      // By value: leading zeros do not count, a longer run of significant digits is larger.
      while (i < ei && x[i] == U'0') ++i;
      while (j < ej && y[j] == U'0') ++j;
      if (ei - i != ej - j) return ei - i < ej - j ? -1 : 1;
      for (; i < ei; ++i, ++j)
        if (x[i] != y[j]) return x[i] < y[j] ? -1 : 1;
      i = ei;
      j = ej;
      continue;
    }
    const char32_t cx = CpLowerChar(x[i]), cy = CpLowerChar(y[j]);
    if (cx != cy) return cx < cy ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < x.size()) return 1;
  if (j < y.size()) return -1;
  return 0;
}

std::string UserHomeDir() {
  std::string home = Env("HOME");
  if (home.empty()) {
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && found->pw_dir)
      home = found->pw_dir;
  }
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return home;
}

// XDG ignores relative values: they would depend on the current folder.
static std::string XdgDir(const char* var, const char* fallback) {
  std::string dir = Env(var);
  if (dir.empty() || dir[0] != '/') return UserHomeDir() + fallback;
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

std::string XdgConfigHome() { return XdgDir("XDG_CONFIG_HOME", "/.config"); }
std::string XdgDataHome() { return XdgDir("XDG_DATA_HOME", "/.local/share"); }

namespace {

// statfs f_type values (the kernel's magic numbers).
int32_t DriveTypeOfMagic(uint64_t magic) {
  switch (magic) {
    case 0xEF53:       // ext2, ext3, ext4
    case 0x58465342:   // xfs
    case 0x9123683E:   // btrfs
    case 0x794C7630:   // overlayfs
    case 0xF2F52010:   // f2fs
    case 0x3153464A:   // jfs
    case 0x52654973:   // reiserfs
    case 0x2FC12FC1:   // zfs
    case 0xCA451A4E:   // bcachefs
    case 0x3434:       // nilfs2
    case 0xF15F:       // ecryptfs
    case 0x73717368:   // squashfs
    case 0x482B:       // hfsplus
      return DRIVE_FIXED;
    case 0x6969:       // nfs
    case 0x517B:       // smb
    case 0xFF534D42:   // cifs
    case 0xFE534D42:   // smb2
    case 0x73757245:   // coda
    case 0x5346414F:   // afs
    case 0x6B414653:   // kafs
    case 0x00C36400:   // ceph
    case 0x01021997:   // 9p
    case 0x65735546:   // fuse: sshfs and other network file systems among them
      return DRIVE_REMOTE;
    case 0x4D44:       // vfat, msdos
    case 0x2011BAB0:   // exfat
    case 0x5346544E:   // ntfs
    case 0x7366746E:   // ntfs3
      return DRIVE_REMOVABLE;
    case 0x9660:       // iso9660
    case 0x15013346:   // udf
      return DRIVE_CDROM;
    case 0x01021994:   // tmpfs
    case 0x858458F6:   // ramfs
      return DRIVE_RAMDISK;
    default:
      return DRIVE_UNKNOWN;
  }
}

}  // namespace

int32_t DriveTypeOfPath(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path p = path.empty() ? fs::current_path(ec) : fs::absolute(fs::path(path), ec);
  if (ec) return DRIVE_NO_ROOT_DIR;
  p = p.lexically_normal();
  for (;;) {
    struct statfs st {};
    if (statfs(p.c_str(), &st) == 0) return DriveTypeOfMagic(uint64_t(uint32_t(st.f_type)));
    const fs::path parent = p.parent_path();
    if (parent == p || parent.empty()) return DRIVE_NO_ROOT_DIR;
    p = parent;
  }
}

bool IsDebuggerPresent() {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("TracerPid:", 0) == 0) return StrToIntDef(Trim(line.substr(10)), 0) != 0;
  return false;
}

std::string ExecutablePath() {
  std::error_code ec;
  const auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : p.string();
}
