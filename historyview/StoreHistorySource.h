#pragma once

#include <optional>
#include <string>

#include "HistoryForm.h"

// The history file as the window reads it: opened at the first question, not at start; a
// file never written is an empty history. A writer holding the file costs a moment, not
// the window: the wait for it is short.
HistorySource StoreHistorySource(std::optional<std::string> historyFile);
