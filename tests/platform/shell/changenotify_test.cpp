// Change notifications over a scratch folder: what is created, renamed and
// deleted there reaches the registration with the right event and lists.
#include "platform/shell/changenotify.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/rtl/taskmem.h"
#include "platform/shell/shellpaths.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

// Stands in for the window system's PostMessage: a queue the test waits on.
struct Posted {
  void* Window;
  uint32_t Message;
  void* Change;
};
std::mutex g_mutex;
std::condition_variable g_cv;
std::deque<Posted> g_posted;
bool g_windowGone = false;

bool FakePost(void* window, uint32_t message, uintptr_t wParam, intptr_t) {
  std::lock_guard lk(g_mutex);
  if (g_windowGone) return false;
  g_posted.push_back({window, message, reinterpret_cast<void*>(wParam)});
  g_cv.notify_all();
  return true;
}

struct Seen {
  int32_t Event = 0;
  std::string First, Second;
};

// The next notification, read and unlocked; Event 0 when none came in time.
Seen Next(std::chrono::milliseconds wait = std::chrono::milliseconds(3000)) {
  std::unique_lock lk(g_mutex);
  if (!g_cv.wait_for(lk, wait, [] { return !g_posted.empty(); })) return {};
  const Posted p = g_posted.front();
  g_posted.pop_front();
  lk.unlock();
  PIDL* pidls = nullptr;
  Seen s;
  void* lock = ShellChangeNotificationLock(p.Change, 0, &pidls, &s.Event);
  if (!lock) return {};
  const auto path = [](PCIDL pidl) {
    const auto items = PidlItems(pidl);
    const auto p = items ? PathOfItems(*items) : std::nullopt;
    return p ? *p : std::string();
  };
  s.First = path(pidls[0]);
  if (pidls[1]) s.Second = path(pidls[1]);
  EXPECT_TRUE(ShellChangeNotificationUnlock(lock));
  EXPECT_FALSE(ShellChangeNotificationUnlock(lock)) << "freed by the first unlock";
  return s;
}

struct ChangeNotify : ::testing::Test {
  testsupport::TempDir tmp;
  std::vector<uint32_t> ids;
  void SetUp() override {
    std::lock_guard lk(g_mutex);
    g_posted.clear();
    g_windowGone = false;
  }
  void TearDown() override {
    for (uint32_t id : ids) ShellChangeNotifyDeregister(id);
    {
      std::lock_guard lk(g_mutex);
      g_posted.clear();
    }
    EXPECT_EQ(ShellChangeRegistrationCount(), 0u);
    EXPECT_EQ(ShellChangeNotificationCount(), 0u) << "undelivered notifications end with their registration";
  }
  uint32_t Watch(const fs::path& folder, bool recursive, int32_t events = SHCNE_ALLEVENTS) {
    const auto items = ItemsOfPath(folder.string());
    EXPECT_TRUE(items) << folder;
    PIDL pidl = PidlCreate(*items);
    SHChangeNotifyEntry e{pidl, recursive};
    const uint32_t id = ShellChangeNotifyRegister(reinterpret_cast<void*>(0x1234), SHCNRF_ShellLevel | SHCNRF_NewDelivery,
                                                  events, 0x8033, 1, &e, &FakePost);
    TaskMemFree(pidl);
    if (id) ids.push_back(id);
    return id;
  }
};

}  // namespace

TEST_F(ChangeNotify, CreateRenameAndDeleteArriveInOrder) {
  ASSERT_NE(Watch(tmp.Path(), false), 0u);
  const fs::path a = tmp / "a.mpo", b = tmp / "b.mpo";
  testsupport::WriteFileBytes(a, "x");
  Seen s = Next();
  EXPECT_EQ(s.Event, SHCNE_CREATE);
  EXPECT_EQ(s.First, a.string());
  s = Next();
  EXPECT_EQ(s.Event, SHCNE_UPDATEITEM) << "the write that closed it";
  fs::rename(a, b);
  s = Next();
  EXPECT_EQ(s.Event, SHCNE_RENAMEITEM);
  EXPECT_EQ(s.First, a.string());
  EXPECT_EQ(s.Second, b.string());
  fs::remove(b);
  s = Next();
  EXPECT_EQ(s.Event, SHCNE_DELETE);
  EXPECT_EQ(s.First, b.string()) << "a list for what is gone";
  fs::create_directory(tmp / "d");
  EXPECT_EQ(Next().Event, SHCNE_MKDIR);
  fs::remove(tmp / "d");
  EXPECT_EQ(Next().Event, SHCNE_RMDIR);
}

TEST_F(ChangeNotify, EventsFilterAndSubfoldersNeedRecursion) {
  fs::create_directories(tmp / "flat" / "below");
  fs::create_directories(tmp / "deep" / "below");
  fs::create_symlink("..", tmp / "deep" / "below" / "up");  // a loop the walk must not follow
  ASSERT_NE(Watch(tmp / "flat", false, SHCNE_CREATE), 0u);
  ASSERT_NE(Watch(tmp / "deep", true, SHCNE_CREATE), 0u);
  testsupport::WriteFileBytes(tmp / "flat" / "below" / "x", "");
  testsupport::WriteFileBytes(tmp / "deep" / "below" / "y", "");
  const Seen s = Next();
  EXPECT_EQ(s.Event, SHCNE_CREATE);
  EXPECT_EQ(s.First, (tmp / "deep" / "below" / "y").string());
  EXPECT_EQ(Next(std::chrono::milliseconds(300)).Event, 0) << "no update events asked for, no flat subfolder";
}

TEST_F(ChangeNotify, DeregisteredAndWindowlessRegistrationsHearNothing) {
  const uint32_t id = Watch(tmp.Path(), false);
  ASSERT_NE(id, 0u);
  {
    std::lock_guard lk(g_mutex);
    g_windowGone = true;
  }
  testsupport::WriteFileBytes(tmp / "lost", "");
  EXPECT_EQ(Next(std::chrono::milliseconds(300)).Event, 0);
  EXPECT_EQ(ShellChangeNotificationCount(), 0u) << "a notification nobody can take is freed";
  EXPECT_TRUE(ShellChangeNotifyDeregister(id));
  EXPECT_FALSE(ShellChangeNotifyDeregister(id));
  ids.clear();
  {
    std::lock_guard lk(g_mutex);
    g_windowGone = false;
  }
  testsupport::WriteFileBytes(tmp / "after", "");
  EXPECT_EQ(Next(std::chrono::milliseconds(300)).Event, 0);
}

TEST_F(ChangeNotify, RefusesWhatCannotBeWatched) {
  const auto items = ItemsOfPath(tmp.Path().string());
  PIDL good = PidlCreate(*items);
  auto* junk = static_cast<PIDL>(TaskMemAlloc(3));
  junk[0] = 9;
  std::vector<TPidlItem> goneItems = *items;
  goneItems.push_back(goneItems.back());
  goneItems.back().Name = "missing";
  PIDL gone = PidlCreate(goneItems);
  SHChangeNotifyEntry bad[] = {{junk, 0}, {gone, 1}, {nullptr, 0}};
  EXPECT_EQ(ShellChangeNotifyRegister(nullptr, 2, SHCNE_ALLEVENTS, 1, 3, bad, &FakePost), 0u);
  SHChangeNotifyEntry ok{good, 0};
  EXPECT_EQ(ShellChangeNotifyRegister(nullptr, 2, SHCNE_ALLEVENTS, 1, 1, &ok, nullptr), 0u) << "no poster";
  EXPECT_EQ(ShellChangeNotifyRegister(nullptr, 2, SHCNE_ALLEVENTS, 1, 0, &ok, &FakePost), 0u);
  int32_t event = 0;
  PIDL* pidls = nullptr;
  EXPECT_EQ(ShellChangeNotificationLock(reinterpret_cast<void*>(0x10), 0, &pidls, &event), nullptr);
  EXPECT_FALSE(ShellChangeNotificationUnlock(reinterpret_cast<void*>(0x10)));
  TaskMemFree(good);
  TaskMemFree(junk);
  TaskMemFree(gone);
}
