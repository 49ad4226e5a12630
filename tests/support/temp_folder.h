#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <string>

namespace quorlin::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
    // mkdtemp fills in the pattern, so it needs a buffer of its own.
    std::string pattern_ = (std::filesystem::temp_directory_path() / "quorlin-test-XXXXXX").string();
    std::filesystem::path path_ = ::mkdtemp(pattern_.data()) ? pattern_ : std::string();
    std::error_code ignored_;

public:
    ~TempFolder() { std::filesystem::remove_all(path_, ignored_); }
    const std::filesystem::path& path() const { return path_; }

    // Writes the bytes to a file in the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return (path_ / name).string();
    }
};

inline std::string ReadBytes(const std::filesystem::path& file)
{
    return (std::ostringstream() << std::ifstream(file, std::ios::binary).rdbuf()).str();
}

}  // namespace quorlin::testing
