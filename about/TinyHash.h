#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace TinyHash {

using Digest = std::array<std::uint8_t, 16>;

// MD5 (RFC 1321) over the bytes of the text, no terminator.
Digest StringMD5(std::string_view text);
bool SameDigest(const Digest& a, const Digest& b);

}  // namespace TinyHash
