#include <cmath>
#include <limits>

#include "DiskUtils.h"

namespace DiskUtils {

std::array<std::string, 5> UnitNames{"Octets", "Ko", "Mo", "Go", "To"};
Divisors UnitDivisors{1000, 1000000, 1000000000, 1000000000000};
SizeUnit DisplayUnit = suMega;

namespace {

constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
constexpr auto kMax = std::numeric_limits<std::int64_t>::max();

// Cuts at a character boundary so a UTF-8 word never loses half a character.
std::string FirstCharacters(std::string_view word, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t taken = 0; end < word.size() && taken < count; ++taken) {
        ++end;
        while (end < word.size() && (static_cast<unsigned char>(word[end]) & 0xC0) == 0x80) ++end;
    }
    return std::string(word.substr(0, end));
}

std::int64_t Saturate(long double value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<long double>(kMin)) return kMin;
    if (value >= static_cast<long double>(kMax)) return kMax;
    return static_cast<std::int64_t>(value);
}

// Byte counts beyond the Capacity range saturate rather than wrap into nonsense.
std::int64_t ScaledBytes(std::int64_t bytes) {
    std::int64_t stored = 0;
    if (__builtin_mul_overflow(bytes, Capacity::kScale, &stored)) return bytes < 0 ? kMin : kMax;
    return stored;
}

std::int64_t DivisorOf(SizeUnit unit) {
    switch (unit) {
        case suKilo:
            return UnitDivisors.Kilo;
        case suMega:
            return UnitDivisors.Mega;
        case suGiga:
            return UnitDivisors.Giga;
        case suTera:
            return UnitDivisors.Tera;
        default:
            return 1;
    }
}

std::int64_t BytesOf(std::uint8_t drive, CapacityKind kind) {
    switch (kind) {
        case ckTotal:
            return QueryDiskSize(drive);
        case ckFree:
            return QueryDiskFree(drive);
        case ckUsed: {
            const std::int64_t size = QueryDiskSize(drive);
            const std::int64_t free = QueryDiskFree(drive);
            std::int64_t used = 0;
            if (__builtin_sub_overflow(size, free, &used)) return free < 0 ? kMax : kMin;
            return used;
        }
    }
    return 0;
}

}  // namespace

Capacity& Capacity::operator+=(Capacity other) {
    if (__builtin_add_overflow(Stored, other.Stored, &Stored)) {
        Stored = other.Stored < 0 ? kMin : kMax;
    }
    return *this;
}

std::int64_t RoundHalfEven(long double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless
    // somebody changed it; rint-family functions are the only ones that round ties to even.
    return Saturate(std::nearbyint(value));
}

void ResetOptionState() {
    SetUnitNames(OctetUnitNames);
    SetUnitDivisors(UnitDivisors1000);
    DisplayUnit = suMega;
    Separators = NumberSeparators{};
}

void SetUnitNames(const UnitNameSet& set) {
    for (std::size_t i = 0; i < UnitNames.size(); ++i) {
        UnitNames[i] = FirstCharacters(set.Words[i], kMaxUnitWordLength);
    }
}

void SetUnitDivisors(const DivisorSet& set) {
    const auto low32 = [](std::int64_t v) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    };
    UnitDivisors = {low32(set.Kilo), low32(set.Mega), low32(set.Giga), set.Tera};
}

Capacity CapacityIn(std::uint8_t drive, SizeUnit unit, CapacityKind kind) {
    if (QueryDiskSize(drive) == -1) return kNoAnswer;
    if (kind > ckUsed) return Capacity{0};
    const std::int64_t bytes = BytesOf(drive, kind);
    if (unit == suByte) return Capacity{ScaledBytes(bytes)};
    if (unit > suTera) return Capacity{0};
    const std::int64_t divisor = DivisorOf(unit);
    if (divisor == 0) return Capacity{0};
    const long double scaled = static_cast<long double>(bytes) * Capacity::kScale;
    return Capacity{RoundHalfEven(scaled / static_cast<long double>(divisor))};
}

Capacity ConvertToUnit(SizeUnit unit, std::int64_t bytes) {
    if (unit == suByte) return Capacity{ScaledBytes(bytes)};
    if (unit > suTera) return Capacity{0};
    const std::int64_t divisor = DivisorOf(unit);
    if (divisor == 0) return Capacity{0};
    const long double quotient = static_cast<long double>(bytes) / divisor;
    return Capacity{RoundHalfEven(quotient * Capacity::kScale)};
}

std::string FormatCapacity(std::uint8_t drive, SizeUnit unit, CapacityKind kind,
                           std::uint8_t decimals) {
    if (QueryDiskSize(drive) == -1) return {};
    if (unit == suByte) return NumberText(CapacityIn(drive, suByte, kind), 0) + ' ' + UnitNames[0];
    if (unit > suTera) return {};
    return NumberText(CapacityIn(drive, unit, kind), decimals) + ' ' + UnitNames[unit];
}

float PercentOf(float part, float whole1, float whole2) {
    if (part == 0) return 0;
    if (whole1 == 0 && whole2 == 0) return 0;
    const long double whole = static_cast<long double>(whole1) + whole2;
    return static_cast<float>(part / (whole * 0.01L));
}

}  // namespace DiskUtils
