#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Scanner.h"

// Between the scanner's engine (threads, totals, the result) and the walker of one system,
// which opens folders and lists them with the sizes of their entries.
namespace scan::walk {

// Names below the scanned folder that must not be touched: mount points of other file systems.
struct Excluded {
    bool here = false;
    std::map<std::string, Excluded, std::less<>> below;
};

// One folder met during the walk. The engine owns these; a walker only reads them.
struct Node {
    std::string name;
    Node* parent = nullptr;
    const Excluded* excluded = nullptr;  // the mount points below this folder, if any
    std::uint32_t depth = 0;
    std::uint32_t index = 0;  // its place in the result, given once the walk is over
    Totals own;               // its own size and the files directly in it
    bool unreadable = false;
};

// An open folder, shared by the subfolders that still have to be opened from it.
struct FolderHandle;
using Handle = std::shared_ptr<FolderHandle>;

struct OpenedRoot {
    Handle handle;
    std::string path;  // absolute, without a trailing separator except for a drive's root
    std::uint64_t allocatedBytes = 0;
    std::uint64_t apparentBytes = 0;
    // Mount points of other file systems below the root, relative and split into names.
    std::vector<std::vector<std::string>> mountPoints;
};

// A file with more than one name: counted at the first of them.
struct Link {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t names = 0;
};

// What the walker tells the engine while it lists one folder. One per worker thread.
class Sink {
public:
    virtual ~Sink() = default;
    virtual bool Cancelled() const = 0;
    // A folder to descend into later.
    virtual void Folder(Node& parent, std::string_view name, std::uint64_t allocated,
                        std::uint64_t apparent) = 0;
    // Any other entry; `link` for a file with more than one name.
    virtual void File(Node& parent, std::string_view name, std::uint64_t allocated,
                      std::uint64_t apparent, const Link* link) = 0;
    // Entries looked at since the last call, for progress.
    virtual void Seen(std::uint64_t entries) = 0;
};

std::variant<OpenedRoot, ScanError> OpenRoot(const std::string& path);
// nullptr when the folder cannot be opened; `vanished` says it is gone rather than unreadable.
Handle OpenChild(const FolderHandle& parent, const Node& node, bool& vanished);
// Lists the open folder `node`; entries it cannot size mark the node unreadable.
void List(const FolderHandle& folder, Node& node, Sink& sink);

// Whether `name` in `folder` is a mount point to leave alone.
inline bool IsExcluded(const Node& folder, std::string_view name) {
    if (!folder.excluded) return false;
    const auto found = folder.excluded->below.find(name);
    return found != folder.excluded->below.end() && found->second.here;
}

}  // namespace scan::walk
