#include "atomic_file_writer.h"

#include "../folder_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class WriterFolder : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "orsela-writer-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        std::ofstream(folder_ / "old.csv") << "old\n";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }
    std::string path(const std::string &name) const { return (folder_ / name).string(); }
    std::string listing() const { return FolderNames(folder_); }
    std::string content(const std::string &name) const {
        std::ifstream in(folder_ / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path folder_;
};

bool TakesUnnamedFiles(const fs::path &folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (fd >= 0) {
        ::close(fd);
    }
    return fd >= 0;
}

// One rule for every target, whichever kind of temporary file is used.
struct TargetCase {
    const char *name;
    void (*prepare)(const fs::path &folder);
    const char *target;
    const char *cause; // "" when the write succeeds
    const char *kept;  // old.csv's content afterwards
};

const TargetCase kTargets[] = {
    {"NewFile", [](const fs::path &) {}, "new.csv", "", "old\n"},
    {"ReplacesAFile", [](const fs::path &) {}, "old.csv", "", "new\n"},
    {"ReadOnlyFileRefusedEvenForRoot",
     [](const fs::path &f) { ::chmod((f / "old.csv").c_str(), 0444); }, "old.csv",
     "文件是只读的。原有文件未改动。", "old\n"},
    {"LinkReplacesTheFileItNames",
     [](const fs::path &f) { fs::create_symlink("old.csv", f / "link.csv"); }, "link.csv", "",
     "new\n"},
    {"LinkToAReadOnlyFileRefused",
     [](const fs::path &f) {
         ::chmod((f / "old.csv").c_str(), 0444);
         fs::create_symlink("old.csv", f / "link.csv");
     },
     "link.csv", "文件是只读的", "old\n"},
    {"Folder", [](const fs::path &f) { fs::create_directory(f / "sub"); }, "sub",
     "这是一个文件夹, 不是文件", "old\n"},
    {"MissingFolder", [](const fs::path &) {}, "none/new.csv", "不存在", "old\n"},
    {"FileWhereAFolderShouldBe", [](const fs::path &) {}, "old.csv/new.csv",
     "old.csv”是一个文件, 不是文件夹", "old\n"},
    {"Fifo", [](const fs::path &f) { ::mkfifo((f / "pipe").c_str(), 0644); }, "pipe",
     "这不是一个普通文件", "old\n"},
};

class WriterTargets : public WriterFolder,
                      public testing::WithParamInterface<std::tuple<TargetCase, TemporaryKind>> {};

TEST_P(WriterTargets, FollowOneRule) {
    const auto &[c, kind] = GetParam();
    c.prepare(folder_);
    const std::string before = listing();
    AtomicFileWriter writer(kind);
    std::optional<std::string> problem = writer.open(path(c.target));
    if (!problem) {
        writer.write("new\n");
        problem = writer.commit();
    }
    if (*c.cause == '\0') {
        EXPECT_FALSE(problem) << *problem;
    } else {
        ASSERT_TRUE(problem);
        EXPECT_NE(problem->find("无法写入“" + path(c.target) + "”"), std::string::npos) << *problem;
        EXPECT_NE(problem->find(c.cause), std::string::npos) << *problem;
        EXPECT_EQ(listing(), before) << "nothing made, nothing removed";
    }
    EXPECT_EQ(content("old.csv"), c.kept);
    EXPECT_EQ(listing().find(".orsela-"), std::string::npos) << listing();
}

INSTANTIATE_TEST_SUITE_P(Table, WriterTargets,
                         testing::Combine(testing::ValuesIn(kTargets),
                                          testing::Values(TemporaryKind::UnnamedWherePossible,
                                                          TemporaryKind::Named)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == TemporaryKind::Named ? "Named"
                                                                                     : "Unnamed");
                         });

TEST_F(WriterFolder, AFailedWriteKeepsTheOldFileAndLeavesNothing) {
    for (const TemporaryKind kind : {TemporaryKind::UnnamedWherePossible, TemporaryKind::Named}) {
        AtomicFileWriter writer(kind);
        writer.failWritesWith(ENOSPC);
        ASSERT_FALSE(writer.open(path("old.csv")));
        writer.write("new\n");
        EXPECT_EQ(writer.commit(), "无法写入“" + path("old.csv") + "”: 磁盘已满。原有文件未改动。");
        EXPECT_EQ(writer.failureCause(), "磁盘已满");
        EXPECT_EQ(content("old.csv"), "old\n");
        EXPECT_EQ(listing(), "old.csv");
    }
}

TEST_F(WriterFolder, KeepsTheTargetsPermissions) {
    ::chmod(path("old.csv").c_str(), 0640);
    AtomicFileWriter writer;
    ASSERT_FALSE(writer.open(path("old.csv")));
    writer.write("new\n");
    ASSERT_FALSE(writer.commit());
    struct stat status {};
    ASSERT_EQ(::stat(path("old.csv").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640U);
}

// A writer stopped by a signal while its temporary file is open leaves
// nothing; with an unnamed temporary file not even SIGKILL does.
class WriterStoppedBy : public WriterFolder,
                        public testing::WithParamInterface<std::tuple<int, TemporaryKind>> {};

TEST_P(WriterStoppedBy, LeavesNothingBehind) {
    const auto [signal, kind] = GetParam();
    if (signal == SIGKILL && (kind == TemporaryKind::Named || !TakesUnnamedFiles(folder_))) {
        GTEST_SKIP() << "a named file cannot be removed after SIGKILL";
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        std::signal(signal, SIG_DFL);
        AtomicFileWriter second(kind); // two at once: each is removed
        AtomicFileWriter writer(kind);
        if (writer.open(path("old.csv")) || second.open(path("other.csv"))) {
            ::_exit(1);
        }
        writer.write(std::string(3 << 20, 'x')); // past the buffer: on disk
        ::kill(::getpid(), signal);
        ::_exit(2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(listing(), "old.csv");
    EXPECT_EQ(content("old.csv"), "old\n");
}

INSTANTIATE_TEST_SUITE_P(
    Signals, WriterStoppedBy,
    testing::Combine(testing::Values(SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGKILL),
                     testing::Values(TemporaryKind::UnnamedWherePossible, TemporaryKind::Named)),
    [](const auto &info) {
        return std::string(sigabbrev_np(std::get<0>(info.param))) +
               (std::get<1>(info.param) == TemporaryKind::Named ? "Named" : "Unnamed");
    });

} // namespace
