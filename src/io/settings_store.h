#pragma once

#include <string>

namespace quorlin {

// The per-user settings store: strings by application, section and key. The window's
// implementation keeps them per user; tests use an in-memory one.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string read(const std::string& application, const std::string& section, const std::string& key,
                             const std::string& fallback) const = 0;
    virtual void save(const std::string& application, const std::string& section, const std::string& key,
                      const std::string& value) = 0;
};

}  // namespace quorlin
