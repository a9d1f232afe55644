#include <windows.h>

#include <string>
#include <vector>

#include "ListImage.h"
#include "RendererPath.h"
#include "ReplaceFile.h"

namespace drives {
namespace {

// The renderer is installed beside the tool, in the build tree as in the installed folder.
// Paths stay in the ANSI code page, the one the tool's own arguments arrive in.
std::optional<std::string> FindRenderer() {
    std::vector<char> own(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, own.data(), static_cast<DWORD>(own.size()));
        if (length == 0) return std::nullopt;
        if (length < own.size()) break;
        own.resize(own.size() * 2);
    }
    std::string path(own.data());
    const std::string candidate = path.substr(0, path.find_last_of("\\/") + 1) + kRendererName;
    const DWORD attributes = GetFileAttributesA(candidate.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    return candidate;
}

// One argument the way CommandLineToArgvW and the C runtime split it again.
std::string Quoted(const std::string& argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + '"';
}

std::string CommandLine(const std::string& program, const std::vector<std::string>& args) {
    std::string line = Quoted(program);
    for (const std::string& arg : args) line += ' ' + Quoted(arg);
    return line;
}

std::string ReadAll(HANDLE pipe) {
    std::string data;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        data.append(buffer, got);
    return data;
}

// Closes the handles it was given when it goes out of scope.
struct Handles {
    std::vector<HANDLE> open;
    ~Handles() {
        for (HANDLE handle : open) CloseHandle(handle);
    }
};

// Runs the renderer with its standard output in a pipe; its errors go straight to ours.
std::optional<std::string> Render(const std::string& program, const std::vector<std::string>& args,
                                  std::string& png) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return std::string("cannot start the renderer: no pipe");
    Handles handles{{readEnd}};
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::string line = CommandLine(program, args);
    const BOOL started = CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (!started) return "cannot start " + program;
    handles.open.push_back(process.hProcess);
    handles.open.push_back(process.hThread);

    png = ReadAll(readEnd);
    DWORD exitCode = 1;
    if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &exitCode) || exitCode != 0 || png.empty())
        return std::string("cannot render the drive list");
    return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteListImage(const std::string& path, const Options& options) {
    const auto renderer = FindRenderer();
    if (!renderer) return std::string("cannot find ") + kRendererName + " to render the list";
    std::string png;
    if (auto error = Render(*renderer, DisplayArguments(options), png)) return error;
    return ReplaceFile(path, png);
}

}  // namespace drives
