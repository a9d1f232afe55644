#include "MountSandbox.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <thread>

#include "linux/MountInfo.h"

namespace {

std::vector<char*> argvOf(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// Forks a program with stdio on /dev/null that is killed when this process dies.
pid_t spawnQuiet(const std::vector<std::string>& args) {
    auto argv = argvOf(args);
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int null = open("/dev/null", O_RDWR);
    for (int fd = 0; fd < 3; ++fd) dup2(null, fd);
    execvp(argv[0], argv.data());
    _exit(127);
}

std::string mountTable() {
    std::ifstream in("/proc/self/mountinfo");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

bool runQuietly(const std::vector<std::string>& argv) {
    const pid_t pid = spawnQuiet(argv);
    if (pid < 0) return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::optional<std::string> MountSandbox::enterPrivateNamespace() {
    if (geteuid() != 0) return "needs root to mount";
    if (unshare(CLONE_NEWNS) != 0)
        return std::string("no private mount namespace: ") + std::strerror(errno);
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return std::string("cannot make mounts private: ") + std::strerror(errno);
    return std::nullopt;
}

MountSandbox::MountSandbox() {
    if (!folder_.ready()) return;
    const std::string folder = folder_.path().string();
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64m") != 0) return;
    base_ = folder;
    mounted_.push_back(base_);
}

MountSandbox::~MountSandbox() {
    while (!daemons_.empty()) killFuseDaemon(daemons_.begin()->first);
    for (auto it = mounted_.rbegin(); it != mounted_.rend(); ++it) umount2(it->c_str(), MNT_DETACH);
}

bool MountSandbox::track(const std::string& mountPoint, bool mounted) {
    if (mounted) mounted_.push_back(mountPoint);
    return mounted;
}

bool MountSandbox::mountTmpfs(const std::string& name, const std::string& size) {
    const std::string point = path(name);
    std::filesystem::create_directories(point);
    const std::string options = "size=" + size;
    return track(point, mount("tmpfs", point.c_str(), "tmpfs", 0, options.c_str()) == 0);
}

bool MountSandbox::bindMount(const std::string& from, const std::string& to) {
    const std::string point = path(to);
    std::filesystem::create_directories(point);
    return track(point, mount(path(from).c_str(), point.c_str(), nullptr, MS_BIND, nullptr) == 0);
}

bool MountSandbox::mountExt4Image(const std::string& name, const std::string& label,
                                  const std::string& uuid) {
    const std::string image = path(name + ".img");
    const std::string point = path(name);
    std::filesystem::create_directories(point);
    std::ofstream(image).close();
    std::filesystem::resize_file(image, 16 << 20);
    if (!runQuietly({"mkfs.ext4", "-q", "-F", "-L", label, "-U", uuid, image})) return false;
    return track(point, runQuietly({"mount", "-o", "loop", image, point}));
}

bool MountSandbox::mountSquashImage(const std::string& name) {
    const std::string content = path(name + ".content");
    const std::string image = path(name + ".sqsh");
    const std::string point = path(name);
    std::filesystem::create_directories(content);
    std::filesystem::create_directories(point);
    std::ofstream(content + "/file") << "squashed\n";
    if (!runQuietly({"mksquashfs", content, image, "-quiet", "-noappend"})) return false;
    return track(point, runQuietly({"mount", "-o", "loop,ro", "-t", "squashfs", image, point}));
}

bool MountSandbox::mountHungFuse(const std::string& name, const std::string& daemon) {
    const std::string point = path(name);
    std::filesystem::create_directories(point);
    const pid_t pid = spawnQuiet({daemon, point, "-f", "-o", "fsname=hungfuse"});
    if (pid < 0) return false;
    daemons_[name] = pid;
    for (int tries = 0; tries < 250; ++tries) {
        if (isMounted(point)) return track(point, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

void MountSandbox::killFuseDaemon(const std::string& name) {
    const auto daemon = daemons_.find(name);
    if (daemon == daemons_.end()) return;
    kill(daemon->second, SIGKILL);
    waitpid(daemon->second, nullptr, 0);
    daemons_.erase(daemon);
}

bool MountSandbox::unmount(const std::string& name) {
    const std::string point = path(name);
    // A FUSE mount whose daemon was killed can stay busy; detaching still takes it off the table.
    if (umount2(point.c_str(), 0) != 0 && umount2(point.c_str(), MNT_DETACH) != 0) return false;
    std::erase(mounted_, point);
    return true;
}

std::optional<int> MountSandbox::fuseRequestsWaiting(const std::string& name) {
    const std::string control = path("fusectl");
    if (!fuseControl_) {
        std::filesystem::create_directories(control);
        fuseControl_ =
            track(control, mount("fusectl", control.c_str(), "fusectl", 0, nullptr) == 0);
        if (!fuseControl_) return std::nullopt;
    }
    // The connection is named by the mount's device minor; the mount table gives it without
    // touching the mount itself.
    std::optional<unsigned> minor;
    for (const auto& record : platform::linuxfs::parseMountInfo(mountTable()))
        if (record.mountPoint == path(name)) minor = record.minor;
    if (!minor) return std::nullopt;
    int waiting = -1;
    std::ifstream(control + "/" + std::to_string(*minor) + "/waiting") >> waiting;
    if (waiting < 0) return std::nullopt;
    return waiting;
}

std::optional<std::string> MountSandbox::sourceOf(const std::string& mountPoint) {
    std::optional<std::string> source;
    for (const auto& record : platform::linuxfs::parseMountInfo(mountTable()))
        if (record.mountPoint == mountPoint) source = record.source;
    return source;
}

bool MountSandbox::isMounted(const std::string& mountPoint) {
    return sourceOf(mountPoint).has_value();
}

bool onCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string_view(ci) == "true";
}
