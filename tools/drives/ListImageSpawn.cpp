#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "HelperPath.h"
#include "ListImage.h"
#include "PosixIo.h"
#include "RendererPath.h"
#include "ReplaceFile.h"

extern char** environ;

namespace drives {
namespace {

int WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the renderer with its standard output in a pipe; its errors go straight to ours.
std::optional<std::string> Render(const std::string& program, std::vector<std::string> args,
                                  std::string& png) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return std::string("cannot start the renderer: ") + std::strerror(errno);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned =
        ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        return "cannot start " + program + ": " + std::strerror(spawned);
    }
    png = platform::posix::readToEnd(pipeFds[0]).value_or(std::string());
    ::close(pipeFds[0]);
    if (WaitFor(pid) != 0 || png.empty()) return std::string("cannot render the drive list");
    return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteListImage(const std::string& path, const Options& options) {
    const auto renderer = FindHelper(kRendererName);
    if (!renderer) return std::string("cannot find ") + kRendererName + " to render the list";
    std::string png;
    if (auto error = Render(*renderer, DisplayArguments(options), png)) return error;
    return ReplaceFile(path, png);
}

}  // namespace drives
