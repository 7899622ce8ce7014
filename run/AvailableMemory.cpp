#include "run/AvailableMemory.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

namespace varneska {

namespace {

std::optional<std::uint64_t> ParseNumber(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end == text.data()) {
        return std::nullopt;
    }
    return value;
}

// The first word of a file holding one number ("max" and the like give nothing).
std::optional<std::uint64_t> ReadNumber(const std::string& path) {
    std::ifstream in(path);
    std::string word;
    if (!(in >> word)) {
        return std::nullopt;
    }
    return ParseNumber(word);
}

// The value after key in a file of "key value" lines (memory.stat); a unit word after it, as in
// /proc/meminfo's "kB", is left to the caller.
std::optional<std::uint64_t> ReadKey(const std::string& path, std::string_view key) {
    std::ifstream in(path);
    std::string word;
    std::string value;
    while (in >> word) {
        if (word == key && in >> value) {
            return ParseNumber(value);
        }
    }
    return std::nullopt;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    std::string part;
    while (std::getline(in, part, separator)) {
        parts.push_back(part);
    }
    return parts;
}

struct CgroupMount {
    std::string point;  // where it is mounted
    std::string root;   // the group the mount shows at its top
};

// The cgroup v2 mount, and the v1 mount that carries the memory controller, from mountinfo.
void FindCgroupMounts(const std::string& root, std::optional<CgroupMount>& v2,
                      std::optional<CgroupMount>& v1) {
    std::ifstream in(root + "/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        // id parent major:minor root point options [optional fields] - type source super-options
        const std::vector<std::string> fields = Split(line, ' ');
        const auto dash = std::find(fields.begin(), fields.end(), "-");
        if (fields.size() < 5 || dash == fields.end() || fields.end() - dash < 4) {
            continue;
        }
        const std::string& type = dash[1];
        const CgroupMount mount{fields[4], fields[3]};
        if (type == "cgroup2" && !v2) {
            v2 = mount;
        } else if (type == "cgroup" && !v1) {
            const std::vector<std::string> options = Split(dash[3], ',');
            if (std::find(options.begin(), options.end(), "memory") != options.end()) {
                v1 = mount;
            }
        }
    }
}

// The folder of the process's group under a mount: its path from /proc/self/cgroup, less the
// part the mount already shows; the mount's top where that folder is not there (a container's
// own namespace can show paths the mount does not hold).
std::string GroupFolder(const std::string& root, const CgroupMount& mount,
                        const std::string& groupPath) {
    std::string relative = groupPath;
    if (mount.root != "/" && relative.rfind(mount.root, 0) == 0) {
        relative.erase(0, mount.root.size());
    }
    const std::string folder = root + mount.point + relative;
    return IsFolder(folder) ? folder : root + mount.point;
}

std::uint64_t Headroom(std::uint64_t limit, std::uint64_t usage, std::uint64_t reclaimable) {
    const std::uint64_t used = usage > reclaimable ? usage - reclaimable : 0;
    return limit > used ? limit - used : 0;
}

// The limits of the group and of its ancestors up to the mount's top, under cgroup v2.
std::optional<std::uint64_t> HeadroomV2(const std::string& top, std::string folder) {
    std::optional<std::uint64_t> least;
    while (true) {
        const std::optional<std::uint64_t> limit = ReadNumber(folder + "/memory.max");
        const std::optional<std::uint64_t> usage = ReadNumber(folder + "/memory.current");
        if (limit && usage) {
            const std::uint64_t room = Headroom(
                *limit, *usage, ReadKey(folder + "/memory.stat", "inactive_file").value_or(0));
            least = std::min(least.value_or(room), room);
        }
        if (folder.size() <= top.size()) {
            return least;
        }
        folder.erase(folder.find_last_of('/'));
    }
}

// Under cgroup v1 the group's memory.stat already gives the least limit along its ancestors.
std::optional<std::uint64_t> HeadroomV1(const std::string& folder) {
    const std::optional<std::uint64_t> limit =
        ReadKey(folder + "/memory.stat", "hierarchical_memory_limit");
    const std::optional<std::uint64_t> usage = ReadNumber(folder + "/memory.usage_in_bytes");
    if (!limit || !usage) {
        return std::nullopt;
    }
    return Headroom(*limit, *usage,
                    ReadKey(folder + "/memory.stat", "total_inactive_file").value_or(0));
}

}  // namespace

std::optional<std::uint64_t> AvailableMemory(const std::string& root) {
    std::optional<std::uint64_t> available;
    if (const auto kilobytes = ReadKey(root + "/proc/meminfo", "MemAvailable:")) {
        available = *kilobytes * 1024;
    }
    const auto keep = [&available](std::optional<std::uint64_t> room) {
        if (room) {
            available = std::min(available.value_or(*room), *room);
        }
    };

    std::optional<CgroupMount> v2;
    std::optional<CgroupMount> v1;
    FindCgroupMounts(root, v2, v1);
    std::ifstream groups(root + "/proc/self/cgroup");
    std::string line;
    while (std::getline(groups, line)) {
        // hierarchy:controllers:path; v2 is hierarchy 0 with no controllers named.
        const auto first = line.find(':');
        const auto second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string path = line.substr(second + 1);
        if (controllers.empty() && v2) {
            keep(HeadroomV2(root + v2->point, GroupFolder(root, *v2, path)));
        } else if (v1) {
            const std::vector<std::string> names = Split(controllers, ',');
            if (std::find(names.begin(), names.end(), "memory") != names.end()) {
                keep(HeadroomV1(GroupFolder(root, *v1, path)));
            }
        }
    }
    return available;
}

}  // namespace varneska
