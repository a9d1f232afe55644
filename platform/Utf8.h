#pragma once

#include <cstddef>
#include <string_view>

// UTF-8 walks over texts that come from the system: volume labels, mount points, locale
// settings, unit words. Any of them may hold bytes that are not UTF-8, so every walk here
// treats a stray byte as one character of its own rather than skipping or merging it.
namespace utf8 {

// Bytes of the well-formed sequence at the start of `text` (no overlong forms, no
// surrogates, nothing past U+10FFFF); 0 when the text is empty or does not start with one.
std::size_t SequenceLength(std::string_view text);

// Bytes of the first character: a well-formed sequence, or a single stray byte.
std::size_t CharacterLength(std::string_view text);

bool IsValid(std::string_view text);

std::size_t CharacterCount(std::string_view text);

// The first `count` characters.
std::string_view FirstCharacters(std::string_view text, std::size_t count);

// The longest start of `text` of at most `maxBytes` bytes that does not split a character.
std::string_view BoundedPrefix(std::string_view text, std::size_t maxBytes);

}  // namespace utf8
