#include "io/data_directory.h"
#include "support/memory_settings_store.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

using MemoryStore = testing::MemorySettingsStore;

// The text before the last separator; a file in the root gives the root, a path without
// a separator leaves the folder unchanged.
TEST(setDataDirectory, TakesTheTextBeforeTheLastSeparator)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/home/ann/data/run1.txt", "/home/ann/data"}, {"relative/run2.csv", "relative"},
        {"/srv/a b/c.d/", "/srv/a b/c.d"},             {"/run1.txt", "/"},
        {"run1.txt", "/before"},                       {"", "/before"},
    };
    for (const auto& [path, folder] : cases) {
        Workspace ws;
        ws.DataDir = "/before";
        setDataDirectory(ws, path);
        EXPECT_EQ(ws.DataDir, folder) << path;
    }
}

TEST(DataDirectorySetting, DefaultsToTheDataFolderBesideTheProgramAndKeepsTheSavedOne)
{
    MemoryStore store;
    EXPECT_EQ(readDataDirectory(store, "/opt/quorlin/bin"), "/opt/quorlin/bin/data");
    EXPECT_EQ(readDataDirectory(store, "/opt/quorlin/bin/"), "/opt/quorlin/bin/data");
    EXPECT_EQ(readDataDirectory(store, "/"), "/data");

    saveDataDirectory(store, "/home/ann/runs");
    EXPECT_EQ(store.values, (std::map<MemoryStore::Key, std::string>{{{"tarnel", "main", "stdir"}, "/home/ann/runs"}}));
    EXPECT_EQ(readDataDirectory(store, "/opt/quorlin/bin"), "/home/ann/runs");
}

TEST(DataDirectorySetting, InstalledProgramDefaultsToTheSharedDataFolder)
{
    const testing::TempFolder prefix;
    const auto bin = prefix.path() / "bin";
    const auto shared = prefix.path() / "share" / "quorlin" / "data";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(shared);
    const MemoryStore store;
    EXPECT_EQ(readDataDirectory(store, bin.string()), shared.string());
    EXPECT_EQ(readDataDirectory(store, bin.string() + "/"), shared.string());

    // A data folder beside the program wins, as in a build folder.
    std::filesystem::create_directory(bin / "data");
    EXPECT_EQ(readDataDirectory(store, bin.string()), (bin / "data").string());
}

}  // namespace
}  // namespace quorlin
