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

namespace {

std::array<std::string, 5> WordsOf(const UnitNameSet& set) {
    std::array<std::string, 5> words;
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = std::string(utf8::FirstCharacters(set.Words[i], kMaxUnitWordLength));
    return words;
}

Divisors DivisorsOf(const DivisorSet& set) {
    const auto low32 = [](std::int64_t v) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    };
    return {low32(set.Kilo), low32(set.Mega), low32(set.Giga), set.Tera};
}

}  // namespace

void SetUnitNames(const UnitNameSet& set) {
    UnitNames = WordsOf(set);
}

void SetUnitDivisors(const DivisorSet& set) {
    UnitDivisors = DivisorsOf(set);
}

DisplayOptions CurrentDisplayOptions() {
    return {DisplayUnit, UnitDivisors, UnitNames};
}

DisplayOptions DisplayOptionsOf(SizeUnit unit, const DivisorSet& divisors,
                                const UnitNameSet& words) {
    return {unit, DivisorsOf(divisors), WordsOf(words)};
}

std::string ByteCountText(std::int64_t bytes, const DisplayOptions& options,
                          std::uint8_t decimals) {
    const std::uint8_t shown = options.unit == suByte ? 0 : decimals;
    return NumberText(ConvertToUnit(options.unit, bytes, options.divisors), shown) + ' ' +
           options.words[options.unit];
}

}  // namespace DiskUtils
