#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Labels and mount points are whatever bytes the system holds: not always UTF-8, and free
// to contain control characters. These keep the report's two forms valid for any of them.
namespace drives {

// A JSON string of `text`, with U+FFFD for each byte that is not part of a UTF-8 character.
std::string JsonString(std::string_view text);

// The member `"name": "text"`, followed, when `text` is not valid UTF-8, by
// `"nameBase64": "<its exact bytes>"` so that nothing is lost.
std::string JsonTextMembers(std::string_view name, std::string_view text);

std::string Base64(std::string_view bytes);

// One line of valid UTF-8: control characters and stray bytes become \xHH, a backslash \\.
std::string TableText(std::string_view text);

// At most `limit` characters: a longer text keeps its start and end around "…".
std::string CappedText(std::string_view text, std::size_t limit);

}  // namespace drives
