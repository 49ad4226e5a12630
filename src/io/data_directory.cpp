#include "data_directory.h"

namespace quorlin {

void SetDataDirectory(Workspace& ws, std::string_view path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) return;
    // Dropping the only slash of "/run1.txt" would leave no folder at all.
    ws.DataDir = slash == 0 ? std::string("/") : std::string(path.substr(0, slash));
}

std::string DefaultDataDirectory(std::string_view programFolder)
{
    while (programFolder.size() > 1 && programFolder.back() == '/') programFolder.remove_suffix(1);
    if (programFolder == "/") return "/data";
    return std::string(programFolder) + "/data";
}

std::string ReadDataDirectory(const SettingsStore& store, std::string_view programFolder)
{
    return store.read(kSettingsApplication, kSettingsSection, kDataDirectoryKey, DefaultDataDirectory(programFolder));
}

void SaveDataDirectory(SettingsStore& store, const std::string& directory)
{
    store.save(kSettingsApplication, kSettingsSection, kDataDirectoryKey, directory);
}

}  // namespace quorlin
