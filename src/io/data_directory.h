#pragma once

#include "io/settings_store.h"

#include <string>
#include <string_view>

namespace quorlin {

// Where the per-user data directory is kept.
inline const std::string kSettingsApplication = "tarnel";
inline const std::string kSettingsSection = "main";
inline const std::string kDataDirectoryKey = "stdir";

// The folder of `path`: the text before its last "/". A file directly in the root gives
// "/"; a path without any "/" keeps the current folder.
std::string dataDirectoryOf(std::string_view path, std::string_view current);

// Where an installed program keeps its sample data, relative to its own folder.
inline constexpr std::string_view kInstalledDataFolder = "../share/quorlin/data";

// The program's folder followed by "/data", as in a build folder; for an installed
// program without such a folder, the shared data folder of its prefix when it exists.
std::string defaultDataDirectory(std::string_view programFolder);

// The saved data directory, or the default when none was saved.
std::string readDataDirectory(const SettingsStore& store, std::string_view programFolder);

void saveDataDirectory(SettingsStore& store, const std::string& directory);

}  // namespace quorlin
