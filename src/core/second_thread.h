#pragma once

#include <cstdint>
#include <future>
#include <system_error>
#include <type_traits>
#include <utility>

namespace quorlin {

// From this many points on, work shared with a second thread pays for starting it.
inline constexpr std::int32_t kPointsWorthASecondThread = 1 << 16;

// Starts `work` on a thread of its own. The future is not valid when no thread can be
// had; the caller then does the work itself.
template <typename Work>
std::future<std::invoke_result_t<Work>> startBeside(Work&& work)
{
    try {
        return std::async(std::launch::async, std::forward<Work>(work));
    } catch (const std::system_error&) {
        return {};
    }
}

}  // namespace quorlin
