#include "platform/shell/desktopentry.h"

#include <filesystem>
#include <fstream>

#include "platform/rtl/text.h"

namespace {

constexpr size_t kMaxFile = 1 << 20;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string Unescape(std::string_view v) {
  std::string out;
  for (size_t i = 0; i < v.size(); ++i) {
    if (v[i] != '\\' || i + 1 == v.size()) {
      out += v[i];
      continue;
    }
    switch (v[++i]) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default: out += '\\', out += v[i];
    }
  }
  return out;
}

// Key names: A-Za-z0-9- with an optional [locale] suffix.
bool ValidKey(std::string_view k) {
  const size_t bracket = k.find('[');
  const std::string_view base = k.substr(0, bracket);
  if (base.empty()) return false;
  for (char c : base)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) return false;
  return bracket == std::string_view::npos || k.back() == ']';
}

}  // namespace

std::optional<TDesktopEntry> ParseDesktopEntry(std::string_view bytes) {
  if (bytes.size() > kMaxFile || !IsValidUtf8(bytes)) return std::nullopt;
  TDesktopEntry e;
  bool inGroup = false, seenGroup = false, typeSet = false, nameSet = false, execSet = false, urlSet = false,
       iconSet = false;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = TrimBlanks(bytes.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return std::nullopt;
      if (!seenGroup) {
        if (line != "[Desktop Entry]") return std::nullopt;
        seenGroup = inGroup = true;
        continue;
      }
      inGroup = false;  // actions and other groups are not ours
      continue;
    }
    if (!seenGroup) return std::nullopt;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string_view key = TrimBlanks(line.substr(0, eq));
    if (!ValidKey(key)) return std::nullopt;
    if (!inGroup) continue;
    const std::string value = Unescape(TrimBlanks(line.substr(eq + 1)));
    const auto take = [&](bool& set, std::string& field) {
      if (!set) field = value, set = true;
    };
    if (key == "Type") take(typeSet, e.Type);
    else if (key == "Name") take(nameSet, e.Name);
    else if (key == "Exec") take(execSet, e.Exec);
    else if (key == "URL") take(urlSet, e.URL);
    else if (key == "Icon") take(iconSet, e.Icon);
    else if ((key == "Hidden" || key == "NoDisplay") && value == "true") e.Hidden = true;
  }
  if (!seenGroup || !typeSet || e.Type.empty()) return std::nullopt;
  return e;
}

std::optional<TDesktopEntry> ReadDesktopEntryFile(const std::string& path) {
  // A FIFO or device named *.desktop would block or never end.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  char buf[4096];
  while (in.read(buf, sizeof buf) || in.gcount() > 0) {
    bytes.append(buf, size_t(in.gcount()));
    if (bytes.size() > kMaxFile) return std::nullopt;
  }
  return ParseDesktopEntry(bytes);
}
