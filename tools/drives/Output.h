#pragma once

#include <cstdio>
#include <string>

// How both programs of the tool end a run: one line on stderr for an error, the report on
// stdout, where a failed write (a full disk, a closed pipe) is an error too.
namespace drives {

inline int Fail(const std::string& message, int code) {
    std::fprintf(stderr, "vollmark-drives: %s\n", message.c_str());
    return code;
}

inline bool Print(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}

}  // namespace drives
