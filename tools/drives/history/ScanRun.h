#pragma once

#include "Options.h"

// --scan: sizes a drive or a folder and prints the report. Returns the exit code.
int RunScan(const drives::Options& options);
