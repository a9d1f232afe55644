#include "HelperPath.h"

#include <unistd.h>

#include <climits>
#include <vector>

#include "RendererPath.h"

namespace drives {
namespace {

std::vector<std::string> HelperCandidates(const std::string& name) {
    std::vector<std::string> candidates;
    char own[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", own, sizeof own - 1);
    if (length > 0) {
        const std::string path(own, static_cast<std::size_t>(length));
        const std::string folder = path.substr(0, path.rfind('/') + 1);
        candidates.push_back(folder + name);
        candidates.push_back(folder + kRendererFolderFromTool + "/" + name);
    }
    candidates.push_back(std::string(kInstalledRendererFolder) + "/" + name);
    return candidates;
}

}  // namespace

std::optional<std::string> FindHelper(const std::string& name) {
    for (const std::string& candidate : HelperCandidates(name))
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    return std::nullopt;
}

}  // namespace drives
