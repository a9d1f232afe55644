#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::linuxfs {

// The mount point behind each letter, A at index 0.
using DriveLetters = std::array<std::optional<std::string>, 26>;

constexpr std::size_t letterSlot(char upperLetter) {
    return std::size_t(upperLetter - 'A');
}

// Mount-point order as a person reads it: runs of digits compare by their value, so /mnt/t2
// comes before /mnt/t10; the rest compares byte by byte. Equal values written differently
// ("/d01", "/d1") fall back to the bytes, so the order stays strict.
bool naturalLess(std::string_view a, std::string_view b);

// The assignment after the mount table changed. "/" is C:. A mount point keeps the letter it
// had; the new ones, in natural mount-point order, take the lowest free letters from D:, and what
// does not fit up to Z: gets none. Letters of mount points that went away are free again. A and B
// are never handed out, as on the machines this program was made for.
DriveLetters assignDriveLetters(const DriveLetters& previous,
                                const std::vector<std::string>& mountPoints);

}  // namespace platform::linuxfs
