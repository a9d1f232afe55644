#pragma once

namespace drives {

// Hands the whole run to the history helper, vollmark-drives-history, with the same
// arguments: only runs that ask for the usage history load SQLite. Returns only when the
// helper cannot be started, with the exit code.
int RunHistoryHelper(char** argv);

}  // namespace drives
