#pragma once

#include "io/settings_store.h"

#include <QStringList>

#include <string>

namespace quorlin {

// The files of one kind last opened, newest first, kept with the other settings under
// `key` followed by 1, 2, ...
class RecentFiles {
public:
    static constexpr int kLimit = 8;

    RecentFiles(SettingsStore& store, std::string key);

    QStringList paths() const;
    // Puts `path` first, once, and forgets what falls beyond the limit.
    void add(const QString& path);

private:
    std::string keyOf(int index) const;

    SettingsStore& store_;
    std::string key_;
};

}  // namespace quorlin
