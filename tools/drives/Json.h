#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "TextEscapes.h"

// The pieces the tool's JSON is built from; values are JSON texts already.
namespace drives {

inline std::string Member(std::string_view name, const std::string& value) {
    return JsonString(name) + ": " + value;
}

inline std::string Object(const std::vector<std::string>& members) {
    std::string text = "{";
    for (std::size_t i = 0; i < members.size(); ++i) text += (i ? ", " : "") + members[i];
    return text + "}";
}

// One item a line, each indented two spaces past `indent`.
inline std::string Array(const std::vector<std::string>& items, const std::string& indent) {
    if (items.empty()) return "[]";
    std::string text = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i ? ",\n" : "\n") + indent + "  " + items[i];
    return text + "\n" + indent + "]";
}

}  // namespace drives
