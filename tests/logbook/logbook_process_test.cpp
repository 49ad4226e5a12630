#include "logbook/logbook.h"
#include "logbook/sqlite.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorlin {
namespace {

// quorlin-cli log add of the sample data, its output dropped.
pid_t startAdd(const std::string& logbook, const std::string& electrode)
{
    std::vector<std::string> words{QUORLIN_CLI_PATH, "log",     "add",       QUORLIN_SAMPLE_DATA "/calibration.txt",
                                   "--electrode",    electrode, "--logbook", logbook};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The exit status, or -1 for a process that did not exit by itself.
int finish(pid_t pid)
{
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

std::string integrity(const std::string& path)
{
    sql::Database db(path, SQLITE_OPEN_READONLY);
    sql::Statement check(db, "PRAGMA integrity_check");
    return check.step() ? check.text(0) : "";
}

TEST(LogbookProcesses, ThreeWritersAtOnceKeepAllTheirEntries)
{
    testing::TempFolder folder;
    const std::string path = (folder.path() / "logbook.sqlite").string();
    constexpr int kWriters = 3, kEach = 50;
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            int failures = 0;
            for (int i = 0; i < kEach; ++i) failures += finish(startAdd(path, "E-" + std::to_string(w))) != 0;
            _exit(failures);
        }
        writers.push_back(writer);
    }
    for (const pid_t writer : writers) EXPECT_EQ(finish(writer), 0);

    const Logbook logbook(path, Logbook::Access::Read);
    const std::vector<LogbookEntry> entries = logbook.entries();
    ASSERT_EQ(entries.size(), std::size_t{kWriters * kEach});
    for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].number, static_cast<std::int64_t>(i + 1));
    for (int w = 0; w < kWriters; ++w)
        EXPECT_EQ(logbook.entries({"E-" + std::to_string(w), std::nullopt}).size(), std::size_t{kEach});
    EXPECT_EQ(integrity(path), "ok");
}

// Killed at moments spread evenly over the time a whole run takes: before the logbook is
// open, while it calibrates, inside the transaction and after.
TEST(LogbookProcesses, AWriterKilledMidwayLeavesTheLogbookWhole)
{
    testing::TempFolder folder;
    const std::string path = (folder.path() / "logbook.sqlite").string();
    ASSERT_EQ(finish(startAdd(path, "E-1")), 0);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(finish(startAdd(path, "E-1")), 0);
    const auto run = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    constexpr int kKills = 25;
    int finished = 0;
    for (int i = 0; i < kKills; ++i) {
        const pid_t writer = startAdd(path, "E-1");
        ::usleep(static_cast<useconds_t>(run.count() * i / kKills));
        ::kill(writer, SIGKILL);
        finished += finish(writer) == 0;
    }
    EXPECT_EQ(integrity(path), "ok");
    const std::size_t kept = Logbook(path, Logbook::Access::Read).entries().size();
    EXPECT_GE(kept, std::size_t(2 + finished));
    EXPECT_LE(kept, std::size_t{2 + kKills});
    EXPECT_EQ(finish(startAdd(path, "E-1")), 0);
    std::cout << "killed writers: " << kKills - finished << " of " << kKills << ", entries kept: " << kept
              << ", integrity_check: ok\n";
}

}  // namespace
}  // namespace quorlin
