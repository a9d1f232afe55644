#pragma once

#include <string>

#include "Unexplained.h"

// The `unexplained` part of --scan for a drive's root, in the scan report's two forms.
namespace drives {

std::string FormatUnexplainedTable(const space::Unexplained& unexplained);
// The member `"unexplained": {...}`.
std::string UnexplainedMember(const space::Unexplained& unexplained);

}  // namespace drives
