#include "recent_files.h"

#include "io/data_directory.h"

namespace quorlin {

RecentFiles::RecentFiles(SettingsStore& store, std::string key) : store_(store), key_(std::move(key)) {}

std::string RecentFiles::keyOf(int index) const { return key_ + std::to_string(index + 1); }

QStringList RecentFiles::paths() const
{
    QStringList paths;
    for (int i = 0; i < kLimit; ++i) {
        const std::string path = store_.read(kSettingsApplication, kSettingsSection, keyOf(i), "");
        if (path.empty()) break;
        paths << QString::fromStdString(path);
    }
    return paths;
}

void RecentFiles::add(const QString& path)
{
    QStringList paths = this->paths();
    paths.removeAll(path);
    paths.prepend(path);
    for (int i = 0; i < kLimit; ++i)
        store_.save(kSettingsApplication, kSettingsSection, keyOf(i), i < paths.size() ? paths[i].toStdString() : "");
}

}  // namespace quorlin
