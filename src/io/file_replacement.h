#pragma once

#include "data_files.h"

#include <string>
#include <string_view>

namespace quorlin {

// Writes `bytes` to a new file beside `path` and renames it over `path` only once all of
// it was written and flushed, so the target is either the old file or the new one,
// never a half-written mix. An existing target's permissions carry over. A link is
// followed and the file it leads to replaced; a device or pipe is written into; a file
// the user may not write is refused; a writable file in a folder that takes no new files
// is overwritten in place.
FileOutcome replaceFileContents(const std::string& path, std::string_view bytes);

// Passes every piece of a file's bytes to the sink, stopping when it fails.
using ByteProducer = std::function<bool(const ByteSink&)>;
// The same with the bytes handed over piece by piece, so that a large file never stands
// in memory whole.
FileOutcome replaceFileContents(const std::string& path, const ByteProducer& produce);

// Writes `bytes` over the regular file at `path` in place, as replaceFileContents does
// where the folder takes no new files. The whole size is reserved first, so a disk too
// full for it refuses the save and leaves the file as it was; an exclusive lock on the
// file makes a second writer wait until the first is done.
FileOutcome overwriteFileContents(const std::string& path, std::string_view bytes);

}  // namespace quorlin
