#include "platform/shell/changenotify.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <deque>
#include <dirent.h>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "platform/rtl/taskmem.h"
#include "platform/shell/shellpaths.h"

namespace {

constexpr size_t kMaxPending = 1024;  // undelivered notifications per registration
constexpr size_t kMaxWatches = 4096;  // folders one registration watches
constexpr uint32_t kMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_CLOSE_WRITE |
                           IN_DELETE_SELF | IN_MOVE_SELF | IN_DONT_FOLLOW | IN_ONLYDIR;

struct TNotification {
  uint32_t Registration = 0;
  int32_t Event = 0;
  PIDL Pidls[2] = {nullptr, nullptr};
  ~TNotification() {
    TaskMemFree(Pidls[0]);
    TaskMemFree(Pidls[1]);
  }
};

struct TWatchedFolder {
  std::string Path;
  std::vector<TPidlItem> Items;
};

struct TRegistration {
  void* Window = nullptr;
  int32_t Events = 0;
  uint32_t Message = 0;
  TChangePoster Post = nullptr;
  std::map<int, TWatchedFolder> Watches;  // by watch descriptor
  std::deque<TNotification*> Pending;
};

// A pending rename waits for its second half within one read.
struct TMovedFrom {
  uint32_t Cookie = 0;
  int Wd = -1;
  std::string Name;
  bool Dir = false;
};

class TNotifier {
public:
  static TNotifier& Instance() {
    static TNotifier n;
    return n;
  }

  uint32_t Register(void* window, int32_t events, uint32_t message, int32_t count, const SHChangeNotifyEntry* entries,
                    TChangePoster post) {
    if (!post || count <= 0 || !entries) return 0;
    std::lock_guard lk(mutex_);
    if (!Start()) return 0;
    auto reg = std::make_unique<TRegistration>();
    reg->Window = window;
    reg->Events = events;
    reg->Message = message;
    reg->Post = post;
    for (int32_t i = 0; i < count; ++i) {
      const auto items = PidlItems(entries[i].pidl);
      if (!items) continue;
      const auto path = PathOfItems(*items);
      if (!path) continue;
      Watch(*reg, *path, *items, entries[i].fRecursive != 0);
    }
    if (reg->Watches.empty()) return 0;
    const uint32_t id = nextId_++;
    for (const auto& [wd, folder] : reg->Watches) owners_[wd].push_back(id);
    regs_.emplace(id, std::move(reg));
    return id;
  }

  bool Deregister(uint32_t id) {
    std::lock_guard lk(mutex_);
    const auto it = regs_.find(id);
    if (it == regs_.end()) return false;
    for (const auto& [wd, folder] : it->second->Watches) Unwatch(wd, id);
    for (TNotification* n : it->second->Pending) Forget(n);
    regs_.erase(it);
    return true;
  }

  void* Lock(void* change, PIDL** pidls, int32_t* event) {
    std::lock_guard lk(mutex_);
    auto* n = static_cast<TNotification*>(change);
    if (!live_.count(n)) return nullptr;
    if (pidls) *pidls = n->Pidls;
    if (event) *event = n->Event;
    return n;
  }

  bool Unlock(void* lock) {
    std::lock_guard lk(mutex_);
    auto* n = static_cast<TNotification*>(lock);
    if (!live_.count(n)) return false;
    const auto reg = regs_.find(n->Registration);
    if (reg != regs_.end()) std::erase(reg->second->Pending, n);
    Forget(n);
    return true;
  }

  size_t Registrations() {
    std::lock_guard lk(mutex_);
    return regs_.size();
  }
  size_t Notifications() {
    std::lock_guard lk(mutex_);
    return live_.size();
  }

private:
  ~TNotifier() {
    if (thread_.joinable()) {
      const uint64_t one = 1;
      if (write(stop_, &one, sizeof one) < 0) {}
      thread_.join();
    }
    for (TNotification* n : live_) delete n;
    if (fd_ >= 0) close(fd_);
    if (stop_ >= 0) close(stop_);
  }

  bool Start() {
    if (fd_ >= 0) return true;
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    stop_ = eventfd(0, EFD_CLOEXEC);
    if (fd_ < 0 || stop_ < 0) {
      if (fd_ >= 0) close(fd_);
      if (stop_ >= 0) close(stop_);
      fd_ = stop_ = -1;
      return false;
    }
    thread_ = std::thread([this] { Run(); });
    return true;
  }

  // Watches a folder and, when recursive, the folders below it; links are
  // never followed, so a loop of links cannot make the walk endless.
  void Watch(TRegistration& reg, const std::string& path, const std::vector<TPidlItem>& items, bool recursive) {
    if (reg.Watches.size() >= kMaxWatches) return;
    const int wd = inotify_add_watch(fd_, path.c_str(), kMask);
    if (wd < 0 || reg.Watches.count(wd)) return;
    reg.Watches[wd] = TWatchedFolder{path, items};
    if (!recursive) return;
    DIR* dir = opendir(path.c_str());
    if (!dir) return;
    std::vector<std::string> subfolders;
    while (const dirent* d = readdir(dir)) {
      const std::string name = d->d_name;
      if (name == "." || name == "..") continue;
      struct stat st {};
      if (fstatat(dirfd(dir), d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode))
        subfolders.push_back(name);
    }
    closedir(dir);
    for (const std::string& name : subfolders) {
      const std::optional<TPidlItem> item = ItemOfEntry(path, name);
      if (!item) continue;
      std::vector<TPidlItem> below = items;
      below.push_back(*item);
      Watch(reg, (path == "/" ? "" : path) + "/" + name, below, true);
    }
  }

  void Unwatch(int wd, uint32_t id) {
    auto it = owners_.find(wd);
    if (it == owners_.end()) return;
    std::erase(it->second, id);
    if (it->second.empty()) {
      inotify_rm_watch(fd_, wd);
      owners_.erase(it);
    }
  }

  void Forget(TNotification* n) {
    live_.erase(n);
    delete n;
  }

  static PIDL ListOf(const TWatchedFolder& folder, const std::string& name, bool dir) {
    if (name.empty()) return PidlCreate(folder.Items);
    std::vector<TPidlItem> items = folder.Items;
    std::optional<TPidlItem> item = ItemOfEntry(folder.Path, name);
    if (!item) {  // gone already: a snapshot of what it was
      item = TPidlItem();
      item->Kind = dir ? pkDirectory : pkFile;
      item->Name = name;
      if (dir) item->Attributes = PIDL_ATTR_DIRECTORY;
    }
    items.push_back(std::move(*item));
    return PidlCreate(items);
  }

  // Tells every registration watching wd of one change.
  void Tell(int wd, int32_t event, const std::string& name, bool dir, const std::string& newName = {}) {
    const auto owners = owners_.find(wd);
    if (owners == owners_.end()) return;
    for (uint32_t id : owners->second) {
      TRegistration& reg = *regs_.at(id);
      if (!(reg.Events & event)) continue;
      const TWatchedFolder& folder = reg.Watches.at(wd);
      auto* n = new TNotification;
      n->Registration = id;
      n->Event = event;
      n->Pidls[0] = ListOf(folder, name, dir);
      if (!newName.empty()) n->Pidls[1] = ListOf(folder, newName, dir);
      live_.insert(n);
      if (!reg.Post(reg.Window, reg.Message, reinterpret_cast<uintptr_t>(n), intptr_t(getpid()))) {
        Forget(n);  // the window is gone or its queue is full
        continue;
      }
      reg.Pending.push_back(n);
      if (reg.Pending.size() > kMaxPending) {
        Forget(reg.Pending.front());
        reg.Pending.pop_front();
      }
    }
  }

  // A rename whose second half never came: the entry left the watched folders.
  void TellGone(const TMovedFrom& moved) {
    Tell(moved.Wd, moved.Dir ? SHCNE_RMDIR : SHCNE_DELETE, moved.Name, moved.Dir);
  }

  void Handle(const inotify_event& e, std::optional<TMovedFrom>& moved) {
    const std::string name = e.len ? std::string(e.name) : std::string();
    const bool dir = e.mask & IN_ISDIR;
    if (moved && !((e.mask & IN_MOVED_TO) && e.cookie == moved->Cookie)) {
      TellGone(*moved);
      moved.reset();
    }
    if (e.mask & IN_Q_OVERFLOW) {
      for (const auto& [wd, ids] : owners_) Tell(wd, SHCNE_UPDATEDIR, {}, true);
      return;
    }
    if (e.mask & IN_CREATE) Tell(e.wd, dir ? SHCNE_MKDIR : SHCNE_CREATE, name, dir);
    if (e.mask & IN_DELETE) Tell(e.wd, dir ? SHCNE_RMDIR : SHCNE_DELETE, name, dir);
    if (e.mask & IN_ATTRIB) Tell(e.wd, SHCNE_ATTRIBUTES, name, dir);
    if (e.mask & IN_CLOSE_WRITE) Tell(e.wd, SHCNE_UPDATEITEM, name, dir);
    if (e.mask & IN_MOVED_FROM) moved = TMovedFrom{e.cookie, e.wd, name, dir};
    if (e.mask & IN_MOVED_TO) {
      if (moved && moved->Cookie == e.cookie && moved->Wd == e.wd) {
        Tell(e.wd, dir ? SHCNE_RENAMEFOLDER : SHCNE_RENAMEITEM, moved->Name, dir, name);
      } else {
        if (moved) TellGone(*moved);
        Tell(e.wd, dir ? SHCNE_MKDIR : SHCNE_CREATE, name, dir);
      }
      moved.reset();
    }
    if (e.mask & (IN_DELETE_SELF | IN_MOVE_SELF)) Tell(e.wd, SHCNE_RMDIR, {}, true);
  }

  void Run() {
    alignas(inotify_event) char buf[16384];
    for (;;) {
      pollfd fds[2] = {{fd_, POLLIN, 0}, {stop_, POLLIN, 0}};
      if (poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      if (fds[1].revents) return;
      const ssize_t n = read(fd_, buf, sizeof buf);
      if (n <= 0) continue;
      std::lock_guard lk(mutex_);
      std::optional<TMovedFrom> moved;
      for (ssize_t pos = 0; pos + ssize_t(sizeof(inotify_event)) <= n;) {
        inotify_event e;
        std::memcpy(&e, buf + pos, sizeof e);
        const ssize_t size = ssize_t(sizeof(inotify_event) + e.len);
        if (pos + size > n) break;
        const auto* full = reinterpret_cast<const inotify_event*>(buf + pos);
        Handle(*full, moved);
        pos += size;
      }
      if (moved) TellGone(*moved);
    }
  }

  std::mutex mutex_;
  int fd_ = -1, stop_ = -1;
  std::thread thread_;
  uint32_t nextId_ = 1;
  std::map<uint32_t, std::unique_ptr<TRegistration>> regs_;
  std::map<int, std::vector<uint32_t>> owners_;  // watch descriptor -> registrations
  std::set<TNotification*> live_;
};

}  // namespace

uint32_t ShellChangeNotifyRegister(void* window, int32_t, int32_t events, uint32_t message, int32_t count,
                                   const SHChangeNotifyEntry* entries, TChangePoster post) {
  return TNotifier::Instance().Register(window, events, message, count, entries, post);
}
bool ShellChangeNotifyDeregister(uint32_t id) { return TNotifier::Instance().Deregister(id); }
void* ShellChangeNotificationLock(void* change, uint32_t, PIDL** pidls, int32_t* event) {
  return TNotifier::Instance().Lock(change, pidls, event);
}
bool ShellChangeNotificationUnlock(void* lock) { return TNotifier::Instance().Unlock(lock); }
size_t ShellChangeRegistrationCount() { return TNotifier::Instance().Registrations(); }
size_t ShellChangeNotificationCount() { return TNotifier::Instance().Notifications(); }
