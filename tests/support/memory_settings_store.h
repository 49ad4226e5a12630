#pragma once

#include "io/settings_store.h"

#include <map>
#include <tuple>

namespace quorlin::testing {

// Settings kept in memory, keyed like the real store.
struct MemorySettingsStore final : SettingsStore {
    using Text = const std::string&;
    std::string read(Text app, Text section, Text key, Text fallback) const override
    {
        return values.contains({app, section, key}) ? values.at({app, section, key}) : fallback;
    }
    void save(Text app, Text section, Text key, Text value) override { values[{app, section, key}] = value; }

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
};

}  // namespace quorlin::testing
