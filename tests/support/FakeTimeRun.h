#pragma once

#include <cstdint>
#include <ctime>
#include <string>

// Runs a program at a simulated moment, for tests that record a history over days.

// The library, not the faketime wrapper: the wrapper makes a semaphore named after a pid and
// fails on one left behind under that pid, which pid reuse makes likely over hundreds of runs.
inline constexpr char kLibFaketime[] = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";

inline std::string FakeTime(std::int64_t unixSeconds) {
    const std::time_t time = unixSeconds;
    std::tm utc{};
    gmtime_r(&time, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
    return text;
}

// The shell words that put the command after them at `when` (UTC), with the history in `state`.
// The library is preloaded ahead of a sanitizer runtime, which would refuse it otherwise.
inline std::string AtFakeTime(const std::string& state, std::int64_t when) {
    return "TZ=UTC XDG_STATE_HOME='" + state +
           "' ASAN_OPTIONS=\"$ASAN_OPTIONS:verify_asan_link_order=0\" LD_PRELOAD=" + kLibFaketime +
           " FAKETIME='@" + FakeTime(when) + "' ";
}
