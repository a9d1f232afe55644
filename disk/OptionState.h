#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "Capacity.h"
#include "NumberText.h"

// The module state every capacity text depends on: the unit words, the divisors, the
// display unit and the number separators. GUI thread only; only the main window's menu
// writes it after start-up.
namespace DiskUtils {

struct DivisorSet {
    std::int64_t Kilo, Mega, Giga, Tera;
};

inline constexpr DivisorSet UnitDivisors1000{1000, 1000000, 1000000000, 1000000000000};
inline constexpr DivisorSet UnitDivisors1024{1024, 1048576, 1073741824, 1099511627776};

// Kilo, mega and giga are 32-bit in force; SetUnitDivisors keeps their low 32 bits.
struct Divisors {
    std::int32_t Kilo, Mega, Giga;
    std::int64_t Tera;
    friend bool operator==(const Divisors&, const Divisors&) = default;
};

struct UnitNameSet {
    std::array<std::string_view, 5> Words;
};

inline constexpr UnitNameSet OctetUnitNames{{"Octets", "Ko", "Mo", "Go", "To"}};
inline constexpr UnitNameSet ByteUnitNames{{"Bytes", "KB", "MB", "GB", "TB"}};

inline constexpr std::size_t kMaxUnitWordLength = 8;

extern std::array<std::string, 5> UnitNames;
extern Divisors UnitDivisors;
extern SizeUnit DisplayUnit;
extern NumberSeparators Separators;

// Puts the option state and the number separators back to their program-start values.
void ResetOptionState();

void SetUnitNames(const UnitNameSet& set);
void SetUnitDivisors(const DivisorSet& set);

// The display state as a value, for code that takes it as a parameter instead of reading the
// module state; the defaults are the program-start state.
struct DisplayOptions {
    SizeUnit unit = suMega;
    Divisors divisors{1000, 1000000, 1000000000, 1000000000000};
    std::array<std::string, 5> words{"Octets", "Ko", "Mo", "Go", "To"};
    bool operator==(const DisplayOptions&) const = default;
};

DisplayOptions CurrentDisplayOptions();
// What the setters would install, as a value.
DisplayOptions DisplayOptionsOf(SizeUnit unit, const DivisorSet& divisors,
                                const UnitNameSet& words);

// A byte count in the options' unit and words, with the module's number separators:
// "1,234.57 Mo"; bytes are whole whatever `decimals` says, as the rows show them.
std::string ByteCountText(std::int64_t bytes, const DisplayOptions& options, std::uint8_t decimals);

}  // namespace DiskUtils
