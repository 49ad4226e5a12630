#pragma once

#include "data_files.h"

#include <string>
#include <string_view>

namespace quorlin {

// Writes `bytes` to a new file beside `path` and renames it over `path` only once all of
// it was written and flushed, so the target is either the old file or the new one,
// never a half-written mix. An existing target's permissions carry over.
FileOutcome replaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace quorlin
