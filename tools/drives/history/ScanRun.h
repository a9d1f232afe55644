#pragma once

#include <cstdint>

#include "Options.h"

// --scan: sizes a drive or a folder and prints the report; with --record the scan is kept as
// a snapshot taken at `now`. Returns the exit code.
int RunScan(const drives::Options& options, std::int64_t now);

// Deep trees keep one descriptor per folder level whose subfolders wait to be listed.
void AllowAllDescriptors();
