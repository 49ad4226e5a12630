#include "data_directory.h"

#include <filesystem>
#include <system_error>

namespace quorlin {

std::string dataDirectoryOf(std::string_view path, std::string_view current)
{
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) return std::string(current);
    // Dropping the only slash of "/run1.txt" would leave no folder at all.
    return slash == 0 ? std::string("/") : std::string(path.substr(0, slash));
}

std::string defaultDataDirectory(std::string_view programFolder)
{
    while (programFolder.size() > 1 && programFolder.back() == '/') programFolder.remove_suffix(1);
    const std::string beside = programFolder == "/" ? "/data" : std::string(programFolder) + "/data";
    const auto installed = (std::filesystem::path(programFolder) / kInstalledDataFolder).lexically_normal();
    std::error_code error;
    if (!std::filesystem::is_directory(beside, error) && std::filesystem::is_directory(installed, error))
        return installed.string();
    return beside;
}

std::string readDataDirectory(const SettingsStore& store, std::string_view programFolder)
{
    return store.read(kSettingsApplication, kSettingsSection, kDataDirectoryKey, defaultDataDirectory(programFolder));
}

void saveDataDirectory(SettingsStore& store, const std::string& directory)
{
    store.save(kSettingsApplication, kSettingsSection, kDataDirectoryKey, directory);
}

}  // namespace quorlin
