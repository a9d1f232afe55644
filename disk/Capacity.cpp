#include <cmath>
#include <limits>

#include "Capacity.h"
#include "Drives.h"
#include "NumberText.h"
#include "OptionState.h"

namespace DiskUtils {
namespace {

constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
constexpr auto kMax = std::numeric_limits<std::int64_t>::max();

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

std::int64_t DivisorOf(SizeUnit unit, const Divisors& divisors = UnitDivisors) {
    switch (unit) {
        case suKilo:
            return divisors.Kilo;
        case suMega:
            return divisors.Mega;
        case suGiga:
            return divisors.Giga;
        case suTera:
            return divisors.Tera;
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
    // rint follows the current rounding mode, which is round-to-nearest-even unless somebody
    // changed it; rint-family functions are the only ones that round ties to even. Unlike
    // nearbyint it compiles to one instruction, so the tool needs no maths library.
    return Saturate(std::rint(value));
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
    return ConvertToUnit(unit, bytes, UnitDivisors);
}

Capacity ConvertToUnit(SizeUnit unit, std::int64_t bytes, const Divisors& divisors) {
    if (unit == suByte) return Capacity{ScaledBytes(bytes)};
    if (unit > suTera) return Capacity{0};
    const std::int64_t divisor = DivisorOf(unit, divisors);
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
