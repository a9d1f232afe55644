#include "Scanner.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <deque>
#include <memory>
#include <thread>
#include <tuple>
#include <unordered_map>

#include "Walk.h"

namespace scan {
namespace {

using walk::Node;

struct Task {
    walk::Handle parent;
    Node* node = nullptr;
    walk::Handle self;  // the root comes already open
};

struct BigFile {
    std::uint64_t allocated = 0;
    std::uint64_t apparent = 0;
    const Node* folder = nullptr;
    std::string name;
};

// Larger first; ties go by size then name, so equal runs give equal lists.
bool Before(const BigFile& a, const BigFile& b) {
    return std::tie(b.allocated, b.apparent, a.name) < std::tie(a.allocated, a.apparent, b.name);
}

// Files with several names, counted at the first one met. An inode is forgotten once all its
// names were seen, so the table holds only files whose other names are still ahead.
class Links {
public:
    bool First(const walk::Link& link) {
        Shard& shard = shards_[(link.inode ^ (link.device * 0x9E3779B97F4A7C15ull)) % kShards];
        std::lock_guard lock(shard.lock);
        const auto [it, inserted] = shard.left.try_emplace({link.device, link.inode}, 0);
        if (inserted) {
            it->second = link.names - 1;
            return true;
        }
        if (--it->second == 0) shard.left.erase(it);
        return false;
    }

private:
    struct Key {
        std::uint64_t device;
        std::uint64_t inode;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const { return k.inode ^ (k.device << 32); }
    };
    struct Shard {
        std::mutex lock;
        std::unordered_map<Key, std::uint64_t, KeyHash> left;
    };
    static constexpr std::size_t kShards = 64;
    std::array<Shard, kShards> shards_;
};

std::string RelativePath(const Node* node) {
    std::vector<const std::string*> names;
    for (; node && node->parent; node = node->parent) names.push_back(&node->name);
    std::string path;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!path.empty()) path += '/';
        path += **it;
    }
    return path;
}

std::string Joined(const std::string& root, const std::string& relative) {
    if (relative.empty()) return root;
    if (!root.empty() && (root.back() == '/' || root.back() == '\\')) return root + relative;
    return root + "/" + relative;
}

walk::Excluded ExcludedOf(const std::vector<std::vector<std::string>>& mountPoints) {
    walk::Excluded top;
    for (const auto& names : mountPoints) {
        walk::Excluded* at = &top;
        for (const auto& name : names) at = &at->below[name];
        if (at != &top) at->here = true;
    }
    return top;
}

class Engine;

// One thread of the scan, with the folders and largest files it met.
class Worker : public walk::Sink {
public:
    explicit Worker(Engine& engine) : engine_(engine) {}
    void Run();
    std::deque<Node>& Nodes() { return nodes_; }
    std::vector<BigFile>& Biggest() { return biggest_; }

    bool Cancelled() const override;
    void Folder(Node& parent, std::string_view name, std::uint64_t allocated,
                std::uint64_t apparent) override;
    void File(Node& parent, std::string_view name, std::uint64_t allocated, std::uint64_t apparent,
              const walk::Link* link) override;
    void Seen(std::uint64_t entries) override;

private:
    void Process(Task& task);

    Engine& engine_;
    std::deque<Node> nodes_;
    std::vector<Node*> found_;
    std::vector<BigFile> biggest_;  // a heap, smallest on top
    std::uint64_t bytes_ = 0;
    unsigned listed_ = 0;
};

class Engine {
public:
    Engine(walk::OpenedRoot root, const ScanOptions& options, ScanProgress& progress)
        : options_(options),
          progress_(progress),
          path_(std::move(root.path)),
          excluded_(ExcludedOf(root.mountPoints)) {
        root_.excluded = &excluded_;
        root_.own.allocatedBytes = root.allocatedBytes;
        root_.own.apparentBytes = root.apparentBytes;
        tasks_.push_back({nullptr, &root_, std::move(root.handle)});
        progress_.Add(1, root.allocatedBytes);
    }

    void Run() {
        const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
        const unsigned threads =
            options_.threads ? options_.threads : std::min(cores * kThreadsPerCore, kMostThreads);
        for (unsigned i = 0; i < threads; ++i) workers_.push_back(std::make_unique<Worker>(*this));
        std::vector<std::jthread> running;
        for (auto& worker : workers_) running.emplace_back([&worker] { worker->Run(); });
    }

    ScanResult Result();

    // Waits for a folder to list; false once there is none left and nobody can add one.
    bool Take(Task& task) {
        std::unique_lock lock(lock_);
        wake_.wait(lock, [&] { return !tasks_.empty() || busy_ == 0; });
        if (tasks_.empty()) return false;
        task = std::move(tasks_.back());
        tasks_.pop_back();
        ++busy_;
        return true;
    }

    void Finish(std::vector<Task>& found) {
        std::lock_guard lock(lock_);
        if (progress_.Cancelled()) {
            tasks_.clear();
            found.clear();
        }
        for (auto& task : found) tasks_.push_back(std::move(task));
        --busy_;
        if (!found.empty() || busy_ == 0) wake_.notify_all();
        found.clear();
    }

    ScanProgress& Progress() { return progress_; }
    Links& LinkTable() { return links_; }
    std::size_t BiggestFiles() const { return options_.biggestFiles; }
    const std::string& Path() const { return path_; }

private:
    const ScanOptions options_;
    ScanProgress& progress_;
    std::string path_;
    walk::Excluded excluded_;
    Node root_;
    Links links_;
    std::vector<std::unique_ptr<Worker>> workers_;

    std::mutex lock_;
    std::condition_variable wake_;
    std::vector<Task> tasks_;
    unsigned busy_ = 0;
};

bool Worker::Cancelled() const {
    return engine_.Progress().Cancelled();
}

void Worker::Folder(Node& parent, std::string_view name, std::uint64_t allocated,
                    std::uint64_t apparent) {
    Node& node = nodes_.emplace_back();
    node.name = name;
    node.parent = &parent;
    node.depth = parent.depth + 1;
    node.own.allocatedBytes = allocated;
    node.own.apparentBytes = apparent;
    if (parent.excluded) {
        const auto below = parent.excluded->below.find(name);
        if (below != parent.excluded->below.end()) node.excluded = &below->second;
    }
    found_.push_back(&node);
    bytes_ += allocated;
}

void Worker::File(Node& parent, std::string_view name, std::uint64_t allocated,
                  std::uint64_t apparent, const walk::Link* link) {
    if (link && link->names > 1 && !engine_.LinkTable().First(*link)) return;
    parent.own.allocatedBytes += allocated;
    parent.own.apparentBytes += apparent;
    ++parent.own.files;
    bytes_ += allocated;
    const std::size_t keep = engine_.BiggestFiles();
    if (keep == 0) return;
    const auto smaller = [](const BigFile& a, const BigFile& b) { return Before(a, b); };
    if (biggest_.size() == keep) {
        const BigFile& least = biggest_.front();
        if (std::tie(allocated, apparent) <= std::tie(least.allocated, least.apparent)) return;
        std::pop_heap(biggest_.begin(), biggest_.end(), smaller);
        biggest_.pop_back();
    }
    biggest_.push_back({allocated, apparent, &parent, std::string(name)});
    std::push_heap(biggest_.begin(), biggest_.end(), smaller);
}

void Worker::Seen(std::uint64_t entries) {
    engine_.Progress().Add(entries, bytes_);
    bytes_ = 0;
}

void Worker::Process(Task& task) {
    Node& node = *task.node;
    walk::Handle handle = std::move(task.self);
    if (!handle) {
        bool vanished = false;
        handle = walk::OpenChild(*task.parent, node, vanished);
        if (!handle && !vanished) node.unreadable = true;
    }
    // Once open, a folder no longer needs its parent's handle; the last child opened closes it.
    task = {};
    std::vector<Task> found;
    if (handle) {
        // Building a path costs a walk up the tree: often enough for a progress line, no more.
        if (listed_++ % 64 == 0)
            engine_.Progress().SetFolder(Joined(engine_.Path(), RelativePath(&node)));
        walk::List(*handle, node, *this);
        Seen(0);
        found.reserve(found_.size());
        // Pushed in reverse, so the stack hands them out in listing order.
        for (auto it = found_.rbegin(); it != found_.rend(); ++it)
            found.push_back({handle, *it, nullptr});
        found_.clear();
        handle.reset();
    }
    engine_.Finish(found);
}

void Worker::Run() {
    Task task;
    std::vector<Task> none;
    while (engine_.Take(task)) {
        if (Cancelled()) {
            task = {};
            engine_.Finish(none);
            continue;
        }
        Process(task);
    }
}

// Folders in an order where each parent comes before its children, the same for every run
// whatever the threads did: by depth, then by parent, then by name.
std::vector<Node*> Ordered(Node& root, std::vector<std::unique_ptr<Worker>>& workers) {
    std::vector<std::vector<Node*>> levels(1, {&root});
    for (auto& worker : workers) {
        for (Node& node : worker->Nodes()) {
            if (node.depth >= levels.size()) levels.resize(node.depth + 1);
            levels[node.depth].push_back(&node);
        }
    }
    std::vector<Node*> ordered;
    for (auto& level : levels) {
        std::sort(level.begin(), level.end(), [](const Node* a, const Node* b) {
            return std::tie(a->parent->index, a->name) < std::tie(b->parent->index, b->name);
        });
        for (Node* node : level) {
            node->index = static_cast<std::uint32_t>(ordered.size());
            ordered.push_back(node);
        }
    }
    return ordered;
}

ScanResult Engine::Result() {
    ScanResult result;
    result.root = path_;
    result.cancelled = progress_.Cancelled();
    // Before the folders take their names over.
    std::vector<BigFile> biggest;
    for (auto& worker : workers_) {
        for (auto& file : worker->Biggest()) biggest.push_back(std::move(file));
    }
    std::sort(biggest.begin(), biggest.end(), Before);
    if (biggest.size() > options_.biggestFiles) biggest.resize(options_.biggestFiles);
    for (const BigFile& file : biggest) {
        std::string path = RelativePath(file.folder);
        result.biggestFiles.push_back(
            {path.empty() ? file.name : path + "/" + file.name, file.allocated, file.apparent});
    }
    const std::vector<Node*> ordered = Ordered(root_, workers_);
    result.folders.reserve(ordered.size());
    for (Node* node : ordered) {
        Folder folder;
        folder.parent = node->parent ? node->parent->index : 0;
        folder.total = node->own;
        folder.unreadable = node->unreadable;
        folder.name = std::move(node->name);
        result.unreadableFolders += folder.unreadable;
        result.folders.push_back(std::move(folder));
    }
    for (std::size_t i = result.folders.size(); i-- > 1;) {
        const Totals& child = result.folders[i].total;
        Totals& parent = result.folders[result.folders[i].parent].total;
        parent.allocatedBytes += child.allocatedBytes;
        parent.apparentBytes += child.apparentBytes;
        parent.files += child.files;
        parent.folders += child.folders + 1;
    }

    return result;
}

}  // namespace

std::variant<ScanResult, ScanError> ScanFolder(const std::string& path, const ScanOptions& options,
                                               ScanProgress& progress) {
    auto opened = walk::OpenRoot(path);
    if (auto* error = std::get_if<ScanError>(&opened)) return *error;
    Engine engine(std::move(std::get<walk::OpenedRoot>(opened)), options, progress);
    engine.Run();
    return engine.Result();
}

}  // namespace scan
