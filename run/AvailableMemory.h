#pragma once
// AvailableMemory: how many bytes this process can still take before the system, or the memory
// cgroup it runs in, would have to kill something.
//
// ReadDataText asks before it takes memory for a large text: a file longer than this is refused
// with error 7 at once. Without the check the read would succeed in taking address space and the
// kernel would kill the whole program, picture and all, as the pages fill. It reads the kernel's
// MemAvailable and, where the process sits in a memory cgroup with a limit (v1 or v2, as systemd
// puts desktop programs in), that limit less what the group uses beyond reclaimable file cache,
// along the group's ancestors too.

#include <cstdint>
#include <optional>
#include <string>

namespace varneska {

// Bytes available, or nothing when the system does not say. root is prepended to every system
// path read (/proc/..., the cgroup mounts), so tests can lay out a system of their own; "" reads
// the real one.
std::optional<std::uint64_t> AvailableMemory(const std::string& root = "");

}  // namespace varneska
