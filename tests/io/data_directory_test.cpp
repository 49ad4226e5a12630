#include "io/data_directory.h"
#include "support/memory_settings_store.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>


namespace quorlin {
namespace {

using MemoryStore = testing::MemorySettingsStore;

TEST(SetDataDirectory, TakesTheTextBeforeTheLastSeparator)
{
    Workspace ws;
    SetDataDirectory(ws, "/home/ann/data/run1.txt");
    EXPECT_EQ(ws.DataDir, "/home/ann/data");
    SetDataDirectory(ws, "relative/run2.csv");
    EXPECT_EQ(ws.DataDir, "relative");
    SetDataDirectory(ws, "/srv/a b/c.d/");
    EXPECT_EQ(ws.DataDir, "/srv/a b/c.d");
}

TEST(SetDataDirectory, FileInTheRootGivesTheRoot)
{
    Workspace ws;
    SetDataDirectory(ws, "/run1.txt");
    EXPECT_EQ(ws.DataDir, "/");
}

TEST(SetDataDirectory, PathWithoutSeparatorLeavesItUnchanged)
{
    Workspace ws;
    ws.DataDir = "/home/ann/data";
    SetDataDirectory(ws, "run1.txt");
    EXPECT_EQ(ws.DataDir, "/home/ann/data");
    SetDataDirectory(ws, "");
    EXPECT_EQ(ws.DataDir, "/home/ann/data");
}

TEST(DataDirectorySetting, DefaultsToTheDataFolderBesideTheProgram)
{
    const MemoryStore store;
    EXPECT_EQ(ReadDataDirectory(store, "/opt/quorlin/bin"), "/opt/quorlin/bin/data");
    EXPECT_EQ(ReadDataDirectory(store, "/opt/quorlin/bin/"), "/opt/quorlin/bin/data");
    EXPECT_EQ(ReadDataDirectory(store, "/"), "/data");
}

TEST(DataDirectorySetting, InstalledProgramDefaultsToTheSharedDataFolder)
{
    const testing::TempFolder prefix;
    const auto bin = prefix.path() / "bin";
    const auto shared = prefix.path() / "share" / "quorlin" / "data";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(shared);
    const MemoryStore store;
    EXPECT_EQ(ReadDataDirectory(store, bin.string()), shared.string());
    EXPECT_EQ(ReadDataDirectory(store, bin.string() + "/"), shared.string());

    // A data folder beside the program wins, as in a build folder.
    std::filesystem::create_directory(bin / "data");
    EXPECT_EQ(ReadDataDirectory(store, bin.string()), (bin / "data").string());
}

TEST(DataDirectorySetting, SavedDirectoryIsStoredUnderStdirOfMainForTarnel)
{
    MemoryStore store;
    SaveDataDirectory(store, "/home/ann/runs");
    const auto key = std::make_tuple(std::string("tarnel"), std::string("main"), std::string("stdir"));
    ASSERT_EQ(store.values.count(key), 1u);
    EXPECT_EQ(store.values.at(key), "/home/ann/runs");
    EXPECT_EQ(ReadDataDirectory(store, "/opt/quorlin/bin"), "/home/ann/runs");
}

}  // namespace
}  // namespace quorlin
