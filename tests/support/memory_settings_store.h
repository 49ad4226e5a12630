#pragma once

#include "io/settings_store.h"

#include <map>
#include <string>
#include <tuple>

namespace quorlin::testing {

// Settings kept in memory, keyed like the real store.
class MemorySettingsStore final : public SettingsStore {
public:
    using Key = std::tuple<std::string, std::string, std::string>;

    std::string read(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& fallback) const override
    {
        const auto found = values.find({application, section, key});
        return found == values.end() ? fallback : found->second;
    }
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override
    {
        values[{application, section, key}] = value;
    }

    std::map<Key, std::string> values;
};

}  // namespace quorlin::testing
