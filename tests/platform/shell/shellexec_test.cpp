// Opening items through the desktop's opener and the file operations. The
// opener is a stub script on a PATH of the test's own, so no real program
// ever starts.
#include "platform/shell/shellexec.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "platform/rtl/taskmem.h"
#include "platform/shell/shellpaths.h"
#include "tests/support/trash_fixture.h"

namespace fs = std::filesystem;

namespace {

struct ExecFixture : TrashFixture {
  fs::path bin, record;
  void SetUp() override {
    TrashFixture::SetUp();
    bin = tmp / "bin";
    record = tmp / "opened.txt";
    fs::create_directories(bin);
    // Writes its working folder and its arguments, one per line.
    testsupport::WriteFileBytes(bin / "xdg-open", "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > " +
                                                      testsupport::ShellQuote(record.string()) + ".tmp\ncommand -p mv " +
                                                      testsupport::ShellQuote(record.string()) + ".tmp " +
                                                      testsupport::ShellQuote(record.string()) + "\n");
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    env.Set("PATH", bin.string());
  }
  // What the stub saw, once it has written it.
  std::string Opened() {
    for (int i = 0; i < 500 && !fs::exists(record); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::string text = fs::exists(record) ? testsupport::ReadFileBytes(record) : "(nothing)";
    fs::remove(record);
    return text;
  }
};

}  // namespace

TEST_F(ExecFixture, OpensFilesListsAndUrlsThroughTheStub) {
  const fs::path photo = tmp / "docs" / "a.mpo", dashed = tmp / "docs" / "-x.jpg";
  testsupport::WriteFileBytes(photo, "x");
  testsupport::WriteFileBytes(dashed, "x");
  const std::string docs = (tmp / "docs").string();
  SHELLEXECUTEINFOW info;
  info.lpFile = photo.c_str();
  info.lpDirectory = docs.c_str();
  ASSERT_TRUE(ShellExecuteExW(&info));
  EXPECT_GT(info.hInstApp, 32);
  EXPECT_GT(info.hProcess, 0);
  EXPECT_EQ(Opened(), (tmp / "docs").string() + "\n" + photo.string() + "\n");

  const auto items = ItemsOfPath(photo.string());
  PIDL pidl = PidlCreate(*items);
  SHELLEXECUTEINFOW byList;
  byList.fMask = SEE_MASK_INVOKEIDLIST;
  byList.lpIDList = pidl;
  byList.lpVerb = "open";
  ASSERT_TRUE(ShellExecuteExW(&byList));
  EXPECT_NE(Opened().find("\n" + photo.string() + "\n"), std::string::npos) << "the list's path";
  TaskMemFree(pidl);

  SHELLEXECUTEINFOW url;
  url.lpFile = "https://example.org/a b";
  ASSERT_TRUE(ShellExecuteExW(&url));
  EXPECT_NE(Opened().find("\nhttps://example.org/a b\n"), std::string::npos);

  SHELLEXECUTEINFOW dash;
  dash.lpFile = "-x.jpg";
  dash.lpDirectory = docs.c_str();
  fs::current_path(docs);
  ASSERT_TRUE(ShellExecuteExW(&dash));
  EXPECT_NE(Opened().find("\n./-x.jpg\n"), std::string::npos) << "never read as an option";
  fs::current_path(tmp.Path());
}

TEST_F(ExecFixture, RefusesWhatCannotBeOpened) {
  const fs::path photo = tmp / "docs" / "a.mpo";
  testsupport::WriteFileBytes(photo, "x");
  const struct {
    const char* File;
    const char* Verb;
    const char* Path;
    intptr_t Inst;
    uint32_t Error;
  } rows[] = {
      {"/no/such/file.jpg", nullptr, nullptr, SE_ERR_FNF, 2},
      {"", nullptr, nullptr, SE_ERR_FNF, 2},
      {photo.c_str(), "print", nullptr, SE_ERR_NOASSOC, 1155},
      {photo.c_str(), nullptr, "/nowhere", SE_ERR_NOASSOC, 1155},  // no opener on PATH
  };
  for (const auto& r : rows) {
    ScopedEnv path;
    if (r.Path) path.Set("PATH", r.Path);
    SHELLEXECUTEINFOW info;
    info.lpFile = r.File;
    info.lpVerb = r.Verb;
    EXPECT_FALSE(ShellExecuteExW(&info)) << r.File;
    EXPECT_EQ(info.hInstApp, r.Inst) << r.File;
    EXPECT_EQ(ShellExecError(), r.Error) << r.File;
  }
  SHELLEXECUTEINFOW wrongSize;
  wrongSize.cbSize = 12;
  EXPECT_FALSE(ShellExecuteExW(&wrongSize));
  EXPECT_FALSE(ShellExecuteExW(nullptr));
  EXPECT_FALSE(fs::exists(record)) << "nothing was started";
}

TEST_F(TrashFixture, FileOperationsCopyMoveRenameAndDelete) {
  const fs::path docs = tmp / "docs", other = docs / "other";
  const auto list = [](std::initializer_list<fs::path> names) {
    std::string s;
    for (const fs::path& n : names) s += n.string() + '\0';
    return s + '\0';
  };
  const auto run = [](uint32_t func, const std::string& from, const std::string& to, uint16_t flags = 0) {
    SHFILEOPSTRUCTW op;
    op.wFunc = func;
    op.pFrom = from.c_str();
    op.pTo = to.empty() ? nullptr : to.c_str();
    op.fFlags = flags;
    return SHFileOperationW(&op);
  };
  testsupport::WriteFileBytes(docs / "a.jpg", "A");
  testsupport::WriteFileBytes(docs / "b.jpg", "B");
  fs::create_directories(docs / "album" / "inner");
  testsupport::WriteFileBytes(docs / "album" / "inner" / "c.jpg", "C");

  // Copy into a folder, and to a new name.
  EXPECT_EQ(run(FO_COPY, list({docs / "a.jpg", docs / "album"}), list({other})), 0);
  EXPECT_EQ(testsupport::ReadFileBytes(other / "a.jpg"), "A");
  EXPECT_EQ(testsupport::ReadFileBytes(other / "album" / "inner" / "c.jpg"), "C");
  EXPECT_EQ(run(FO_COPY, list({docs / "b.jpg"}), list({other / "b2.jpg"})), 0);
  EXPECT_EQ(testsupport::ReadFileBytes(other / "b2.jpg"), "B");
  // Nothing is overwritten; a new name on request.
  testsupport::WriteFileBytes(docs / "a.jpg", "A2");
  EXPECT_EQ(run(FO_COPY, list({docs / "a.jpg"}), list({other})), 183);
  EXPECT_EQ(testsupport::ReadFileBytes(other / "a.jpg"), "A");
  EXPECT_EQ(run(FO_COPY, list({docs / "a.jpg"}), list({other}), FOF_RENAMEONCOLLISION), 0);
  EXPECT_EQ(testsupport::ReadFileBytes(other / "a (2).jpg"), "A2");
  // A folder cannot go into itself.
  EXPECT_EQ(run(FO_COPY, list({docs / "album"}), list({docs / "album" / "inner"})), 0x71);
  EXPECT_EQ(run(FO_MOVE, list({docs / "album"}), list({docs / "album" / "inner"})), 0x71);
  // Move and rename.
  EXPECT_EQ(run(FO_MOVE, list({docs / "b.jpg"}), list({other / "moved.jpg"})), 0);
  EXPECT_FALSE(fs::exists(docs / "b.jpg"));
  EXPECT_EQ(testsupport::ReadFileBytes(other / "moved.jpg"), "B");
  EXPECT_EQ(run(FO_RENAME, list({other / "moved.jpg"}), list({fs::path("renamed.jpg")})), 0);
  EXPECT_EQ(testsupport::ReadFileBytes(other / "renamed.jpg"), "B");
  // Delete: into the trash, never gone.
  EXPECT_EQ(run(FO_DELETE, list({other / "renamed.jpg"}), ""), 0);
  EXPECT_FALSE(fs::exists(other / "renamed.jpg"));
  EXPECT_EQ(testsupport::ReadFileBytes(trash / "files" / "renamed.jpg"), "B");
  // A missing source stops the run where it is, with what came before done.
  SHFILEOPSTRUCTW op;
  const std::string from = list({docs / "a.jpg", docs / "missing", docs / "album"}), to = list({tmp / "share"});
  op.wFunc = FO_COPY;
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  EXPECT_EQ(SHFileOperationW(&op), 2);
  EXPECT_TRUE(op.fAnyOperationsAborted);
  EXPECT_TRUE(fs::exists(tmp / "share" / "a.jpg"));
  EXPECT_FALSE(fs::exists(tmp / "share" / "album"));
  // Records that make no sense.
  EXPECT_EQ(run(9, list({docs / "a.jpg"}), ""), 87);
  EXPECT_EQ(run(FO_COPY, list({docs / "a.jpg"}), ""), 87);
  EXPECT_EQ(run(FO_COPY, std::string(2, '\0'), list({other})), 87);
  EXPECT_EQ(run(FO_RENAME, list({docs / "a.jpg", docs / "album"}), list({fs::path("x")})), 87);
  EXPECT_EQ(SHFileOperationW(nullptr), 87);
}
