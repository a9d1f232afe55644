#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace platform::linuxfs {

// The mount point behind each letter, A at index 0.
using DriveLetters = std::array<std::optional<std::string>, 26>;

constexpr std::size_t letterSlot(char upperLetter) {
    return std::size_t(upperLetter - 'A');
}

// The assignment after the mount table changed. "/" is C:. A mount point keeps the letter it
// had; the new ones, in mount-point order, take the lowest free letters from D:, and what does
// not fit up to Z: gets none. Letters of mount points that went away are free again. A and B
// are never handed out, as on the machines this program was made for.
DriveLetters assignDriveLetters(const DriveLetters& previous,
                                const std::vector<std::string>& mountPoints);

}  // namespace platform::linuxfs
