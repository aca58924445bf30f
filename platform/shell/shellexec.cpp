#include "platform/shell/shellexec.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/rtl/sysutils.h"
#include "platform/shell/shellpaths.h"
#include "platform/shell/trash.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kFileNotFound = 2, kAccessDenied = 5, kInvalidParameter = 87, kNoAssociation = 1155,
                   kAlreadyExists = 183, kDestinationInSource = 0x71, kNotSameDevice = 17;

thread_local uint32_t t_error = 0;

bool HasScheme(const std::string& s) {
  const size_t colon = s.find(':');
  if (colon == std::string::npos || colon < 2) return false;  // "C:" is no scheme
  for (size_t i = 0; i < colon; ++i) {
    const char c = s[i];
    if (!(std::isalnum(uint8_t(c)) || c == '+' || c == '-' || c == '.')) return false;
  }
  return std::isalpha(uint8_t(s[0]));
}

bool Exists(const std::string& p) {
  struct stat st {};
  return lstat(p.c_str(), &st) == 0;
}

uint32_t ErrorOf(const std::error_code& ec) {
  if (ec == std::errc::no_such_file_or_directory) return kFileNotFound;
  if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted) return kAccessDenied;
  if (ec == std::errc::file_exists) return kAlreadyExists;
  if (ec == std::errc::cross_device_link) return kNotSameDevice;
  return kInvalidParameter;
}

std::vector<std::string> NameList(const char* p) {
  std::vector<std::string> out;
  if (!p) return out;
  while (*p) {
    out.emplace_back(p);
    p += out.back().size() + 1;
  }
  return out;
}

// "a.jpg" -> "a (2).jpg", the first free name in the folder.
std::string FreeName(const fs::path& wanted) {
  if (!Exists(wanted.string())) return wanted.string();
  const std::string stem = wanted.stem().string(), ext = wanted.extension().string();
  for (int n = 2; n < 10000; ++n) {
    const fs::path candidate = wanted.parent_path() / (stem + " (" + std::to_string(n) + ")" + ext);
    if (!Exists(candidate.string())) return candidate.string();
  }
  return {};
}

bool Inside(const fs::path& inner, const fs::path& outer) {
  const std::string i = inner.lexically_normal().string(), o = outer.lexically_normal().string();
  return i == o || (i.size() > o.size() && i.compare(0, o.size(), o) == 0 && (o.back() == '/' || i[o.size()] == '/'));
}

// Copies a file or a whole folder; links are copied as links, never followed.
uint32_t CopyItem(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(from, ec);
  if (ec) return ErrorOf(ec);
  if (fs::is_directory(st) && Inside(to, from)) return kDestinationInSource;
  if (fs::is_symlink(st)) fs::copy_symlink(from, to, ec);
  else if (fs::is_directory(st)) fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
  else fs::copy_file(from, to, fs::copy_options::none, ec);
  if (ec) {
    std::error_code ignore;
    if (!fs::is_symlink(st)) fs::remove_all(to, ignore);  // half a copy is no copy
    return ErrorOf(ec);
  }
  return 0;
}

uint32_t MoveItem(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(from, ec)) && Inside(to, from)) return kDestinationInSource;
  fs::rename(from, to, ec);
  if (!ec) return 0;
  if (ec != std::errc::cross_device_link) return ErrorOf(ec);
  if (const uint32_t e = CopyItem(from, to)) return e;
  fs::remove_all(from, ec);
  return ec ? ErrorOf(ec) : 0;
}

}  // namespace

uint32_t ShellExecError() { return t_error; }

bool ShellExecuteExW(SHELLEXECUTEINFOW* info) {
  if (!info || info->cbSize != sizeof(SHELLEXECUTEINFOW)) {
    t_error = kInvalidParameter;
    return false;
  }
  const auto fail = [&](intptr_t inst, uint32_t error) {
    info->hInstApp = inst;
    t_error = error;
    return false;
  };
  const std::string verb = info->lpVerb ? info->lpVerb : "";
  if (!verb.empty() && !SameText(verb, "open") && !SameText(verb, "explore")) return fail(SE_ERR_NOASSOC, kNoAssociation);
  std::string target;
  if ((info->fMask & SEE_MASK_IDLIST) && info->lpIDList) {
    const auto items = PidlItems(info->lpIDList);
    const auto path = items ? PathOfItems(*items) : std::nullopt;
    if (!path) return fail(SE_ERR_FNF, kFileNotFound);
    target = *path;
  } else if (info->lpFile && *info->lpFile) {
    target = info->lpFile;
  } else {
    return fail(SE_ERR_FNF, kFileNotFound);
  }
  if (!HasScheme(target) && !Exists(target)) return fail(SE_ERR_FNF, kFileNotFound);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (info->lpDirectory && DirectoryExists(info->lpDirectory))
    posix_spawn_file_actions_addchdir_np(&actions, info->lpDirectory);
  // A name starting with '-' must not read as an option of the opener.
  if (!HasScheme(target) && target[0] == '-') target = "./" + target;
  std::string program = "xdg-open";
  char* argv[] = {program.data(), target.data(), nullptr};
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, "xdg-open", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return fail(SE_ERR_NOASSOC, kNoAssociation);
  // Reaped in the background, so no opener is left behind as a zombie.
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
  }).detach();
  info->hInstApp = 42;
  info->hProcess = pid;
  return true;
}

int32_t SHFileOperationW(SHFILEOPSTRUCTW* op) {
  if (!op) return int32_t(kInvalidParameter);
  op->fAnyOperationsAborted = 0;
  const std::vector<std::string> from = NameList(op->pFrom), to = NameList(op->pTo);
  if (from.empty()) return int32_t(kInvalidParameter);
  const bool multi = op->fFlags & FOF_MULTIDESTFILES;
  const bool needsTarget = op->wFunc == FO_COPY || op->wFunc == FO_MOVE || op->wFunc == FO_RENAME;
  if (op->wFunc < FO_MOVE || op->wFunc > FO_RENAME) return int32_t(kInvalidParameter);
  if (needsTarget && (to.empty() || (multi && to.size() != from.size()) ||
                      (op->wFunc == FO_RENAME && (from.size() != 1 || to.size() != 1))))
    return int32_t(kInvalidParameter);
  for (size_t i = 0; i < from.size(); ++i) {
    const std::string& source = from[i];
    uint32_t error = 0;
    if (!Exists(source)) {
      error = kFileNotFound;
    } else if (op->wFunc == FO_DELETE) {
      if (!MoveToTrash(source)) error = kAccessDenied;
    } else {
      // The destination: a name per source, an existing folder to go into, or the new name of one source.
      fs::path dest = multi ? fs::path(to[i]) : fs::path(to[0]);
      if (!multi && op->wFunc != FO_RENAME && (from.size() > 1 || DirectoryExists(to[0])))
        dest /= fs::path(ExcludeTrailingPathDelimiter(source)).filename();
      if (op->wFunc == FO_RENAME && dest.parent_path().empty()) dest = fs::path(source).parent_path() / dest;
      std::string target = dest.string();
      if (Exists(target) && (op->fFlags & FOF_RENAMEONCOLLISION) && op->wFunc != FO_RENAME) target = FreeName(dest);
      if (target.empty() || Exists(target)) error = kAlreadyExists;
      else error = op->wFunc == FO_COPY ? CopyItem(source, target) : MoveItem(source, target);
    }
    if (error) {
      op->fAnyOperationsAborted = 1;
      return int32_t(error);
    }
  }
  return 0;
}
