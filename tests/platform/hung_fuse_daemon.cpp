// A FUSE file system whose statfs never answers, standing in for a dead network server:
// the root directory is served, statfs blocks until the daemon is killed, and killing it
// aborts the connection, which releases every caller stuck in statfs.
#include <fuse.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

int getattrOp(const char* path, struct stat* st, fuse_file_info*) {
    if (std::strcmp(path, "/") != 0) return -ENOENT;
    *st = {};
    st->st_mode = S_IFDIR | 0755;
    st->st_nlink = 2;
    return 0;
}

int readdirOp(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
              fuse_readdir_flags) {
    if (std::strcmp(path, "/") != 0) return -ENOENT;
    fill(buffer, ".", nullptr, 0, fuse_fill_dir_flags{});
    fill(buffer, "..", nullptr, 0, fuse_fill_dir_flags{});
    return 0;
}

int statfsOp(const char*, struct statvfs*) {
    for (;;) pause();
}

}  // namespace

int main(int argc, char* argv[]) {
    fuse_operations operations{};
    operations.getattr = getattrOp;
    operations.readdir = readdirOp;
    operations.statfs = statfsOp;
    return fuse_main(argc, argv, &operations, nullptr);
}
