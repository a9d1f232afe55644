#pragma once

#include <string>

// The probe's drive-type text as the windows show it: translated when it is one of the probe's
// known texts, as it stands otherwise (a bare type code, "0" for an absent drive).
std::string DriveTypeName(const std::string& probeText);
