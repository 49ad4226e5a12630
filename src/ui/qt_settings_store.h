#pragma once

#include "io/settings_store.h"

namespace quorlin {

// Per-user settings through QSettings: the application name is both the organisation
// and the application, the section a group, the key a key.
class QtSettingsStore final : public SettingsStore {
public:
    std::string read(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& fallback) const override;
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override;
};

}  // namespace quorlin
