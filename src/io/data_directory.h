#pragma once

#include "core/workspace.h"
#include "io/settings_store.h"

#include <string>
#include <string_view>

namespace quorlin {

// Where the per-user data directory is kept.
inline const std::string kSettingsApplication = "tarnel";
inline const std::string kSettingsSection = "main";
inline const std::string kDataDirectoryKey = "stdir";

// DataDir becomes the folder of `path`: the text before its last "/". A file directly
// in the root gives "/"; a path without any "/" leaves DataDir as it was.
void SetDataDirectory(Workspace& ws, std::string_view path);

// The program's folder followed by "/data".
std::string DefaultDataDirectory(std::string_view programFolder);

// The saved data directory, or the default when none was saved.
std::string ReadDataDirectory(const SettingsStore& store, std::string_view programFolder);

void SaveDataDirectory(SettingsStore& store, const std::string& directory);

}  // namespace quorlin
