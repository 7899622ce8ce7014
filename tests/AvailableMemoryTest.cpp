#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "run/AvailableMemory.h"
#include "run/PlotRun.h"
#include "tests/RecordingHost.h"
#include "tests/RowName.h"

namespace varneska {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

struct MemoryCase {
    const char* name;
    // The files of a system: path below the root, then content.
    std::map<std::string, std::string> files;
    std::optional<std::uint64_t> available;
};

void PrintTo(const MemoryCase& row, std::ostream* out) {
    *out << row.name;
}

class AvailableMemoryTable : public testing::TestWithParam<MemoryCase> {};

TEST_P(AvailableMemoryTable, TakesTheLeastRoomAnyLimitLeaves) {
    const MemoryCase& row = GetParam();
    const fs::path root = fs::temp_directory_path() /
                          ("varneska-memory-" + std::to_string(::getpid()) + "-" + row.name);
    fs::remove_all(root);
    for (const auto& [path, content] : row.files) {
        fs::create_directories((root / path.substr(1)).parent_path());
        std::ofstream(root / path.substr(1)) << content;
    }
    EXPECT_EQ(AvailableMemory(root.string()), row.available);
    fs::remove_all(root);
}

const std::string kMeminfo =
    "MemTotal: 8388608 kB\nMemFree: 1048576 kB\nMemAvailable: 4194304 kB\n";
const std::string kMountsV2 =
    "24 1 0:22 / /sys/fs/cgroup rw,nosuid - cgroup2 cgroup2 rw\n"
    "25 1 0:23 / /proc rw - proc proc rw\n";
const std::string kMountsV1 =
    "31 22 0:28 / /sys/fs/cgroup rw - tmpfs tmpfs rw\n"
    "32 31 0:29 / /sys/fs/cgroup/cpu rw - cgroup cgroup rw,cpu\n"
    "35 31 0:30 / /sys/fs/cgroup/memory rw - cgroup cgroup rw,memory\n";

INSTANTIATE_TEST_SUITE_P(
    Systems, AvailableMemoryTable,
    testing::Values(
        MemoryCase{"NothingToRead", {}, std::nullopt},
        MemoryCase{"MemAvailableAlone", {{"/proc/meminfo", kMeminfo}}, 4096 * kMiB},
        MemoryCase{"CgroupV2LimitBelowTheSystem",
                   {{"/proc/meminfo", kMeminfo},
                    {"/proc/self/mountinfo", kMountsV2},
                    {"/proc/self/cgroup", "0::/app.slice/varneska.scope\n"},
                    {"/sys/fs/cgroup/app.slice/varneska.scope/memory.max", "536870912\n"},
                    {"/sys/fs/cgroup/app.slice/varneska.scope/memory.current", "209715200\n"},
                    // Reclaimable file cache counts as room.
                    {"/sys/fs/cgroup/app.slice/varneska.scope/memory.stat",
                     "anon 100\ninactive_file 104857600\nactive_file 5\n"}},
                   (512 - 200 + 100) * kMiB},
        MemoryCase{"CgroupV2ParentLimitIsTighter",
                   {{"/proc/meminfo", kMeminfo},
                    {"/proc/self/mountinfo", kMountsV2},
                    {"/proc/self/cgroup", "0::/app.slice/varneska.scope\n"},
                    {"/sys/fs/cgroup/app.slice/memory.max", "314572800\n"},
                    {"/sys/fs/cgroup/app.slice/memory.current", "104857600\n"},
                    {"/sys/fs/cgroup/app.slice/varneska.scope/memory.max", "max\n"},
                    {"/sys/fs/cgroup/app.slice/varneska.scope/memory.current", "1048576\n"}},
                   (300 - 100) * kMiB},
        MemoryCase{"CgroupV2WithoutLimit",
                   {{"/proc/meminfo", kMeminfo},
                    {"/proc/self/mountinfo", kMountsV2},
                    {"/proc/self/cgroup", "0::/user.slice\n"},
                    {"/sys/fs/cgroup/user.slice/memory.max", "max\n"},
                    {"/sys/fs/cgroup/user.slice/memory.current", "1048576\n"}},
                   4096 * kMiB},
        MemoryCase{"CgroupV1HierarchicalLimit",
                   {{"/proc/meminfo", kMeminfo},
                    {"/proc/self/mountinfo", kMountsV1},
                    {"/proc/self/cgroup", "9:cpu:/\n4:memory:/jobs/varneska\n"},
                    {"/sys/fs/cgroup/memory/jobs/varneska/memory.stat",
                     "cache 0\nhierarchical_memory_limit 1073741824\ntotal_inactive_file 0\n"},
                    {"/sys/fs/cgroup/memory/jobs/varneska/memory.usage_in_bytes", "1073741824\n"}},
                   0},
        MemoryCase{"CgroupV1UnlimitedLeavesTheSystemFigure",
                   {{"/proc/meminfo", kMeminfo},
                    {"/proc/self/mountinfo", kMountsV1},
                    {"/proc/self/cgroup", "4:memory:/\n"},
                    {"/sys/fs/cgroup/memory/memory.stat",
                     "hierarchical_memory_limit 9223372036854771712\n"},
                    {"/sys/fs/cgroup/memory/memory.usage_in_bytes", "1048576\n"}},
                   4096 * kMiB},
        MemoryCase{"ContainerGroupPathNotUnderTheMount",
                   {{"/proc/meminfo", kMeminfo},
                    {"/proc/self/mountinfo", kMountsV2},
                    {"/proc/self/cgroup", "0::/../outside\n"},
                    {"/sys/fs/cgroup/memory.max", "268435456\n"},
                    {"/sys/fs/cgroup/memory.current", "0\n"}},
                   256 * kMiB}),
    test::RowName{});

// A file longer than the memory the process may take is refused before any is taken; without
// the check the kernel would kill the whole program once the pages fill. tests/memory-limit.sh
// runs this inside a memory cgroup of 512 MB, on a sparse file of 1 GB.
TEST(AvailableMemory, FileLargerThanTheLimitIsOutOfMemory) {
    const char* file = std::getenv("VARNESKA_FILE_OVER_LIMIT");
    if (file == nullptr) {
        GTEST_SKIP() << "runs inside a memory cgroup, from tests/memory-limit.sh";
    }
    const fs::path path(file);
    test::RecordingHost host;
    const auto started = std::chrono::steady_clock::now();
    try {
        PlotRun(path.parent_path().string(), path.filename().string(), host);
        ADD_FAILURE() << "the run did not fail";
    } catch (const RunError& error) {
        EXPECT_EQ(error.GetCode(), RunError::Code::OutOfMemory) << error.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500));
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace varneska
