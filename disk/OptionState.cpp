#include "OptionState.h"

#include "Utf8.h"

namespace DiskUtils {

std::array<std::string, 5> UnitNames{"Octets", "Ko", "Mo", "Go", "To"};
Divisors UnitDivisors{1000, 1000000, 1000000000, 1000000000000};
SizeUnit DisplayUnit = suMega;
NumberSeparators Separators;

void ResetOptionState() {
    SetUnitNames(OctetUnitNames);
    SetUnitDivisors(UnitDivisors1000);
    DisplayUnit = suMega;
    Separators = NumberSeparators{};
}

void SetUnitNames(const UnitNameSet& set) {
    for (std::size_t i = 0; i < UnitNames.size(); ++i)
        UnitNames[i] = std::string(utf8::FirstCharacters(set.Words[i], kMaxUnitWordLength));
}

void SetUnitDivisors(const DivisorSet& set) {
    const auto low32 = [](std::int64_t v) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    };
    UnitDivisors = {low32(set.Kilo), low32(set.Mega), low32(set.Giga), set.Tera};
}

}  // namespace DiskUtils
