#pragma once

#include <cstdint>
#include <string>

// Capacity arithmetic: byte counts turned into a display unit and its text.
namespace DiskUtils {

// Fixed point with four decimals: Stored holds the value times 10000. -1 (Stored -10000)
// marks a drive that does not answer.
struct Capacity {
    std::int64_t Stored = 0;

    static constexpr std::int64_t kScale = 10000;

    // Saturates at the ends of the range instead of wrapping.
    Capacity& operator+=(Capacity other);
    long double Value() const { return static_cast<long double>(Stored) / kScale; }
    friend bool operator==(Capacity, Capacity) = default;
};

inline constexpr Capacity kNoAnswer{-Capacity::kScale};

enum SizeUnit : std::uint8_t { suByte = 0, suKilo = 1, suMega = 2, suGiga = 3, suTera = 4 };
enum CapacityKind : std::uint8_t { ckTotal = 0, ckFree = 1, ckUsed = 2 };

Capacity CapacityIn(std::uint8_t drive, SizeUnit unit, CapacityKind kind);
struct Divisors;
Capacity ConvertToUnit(SizeUnit unit, std::int64_t bytes);
// With the divisors handed in rather than the module's.
Capacity ConvertToUnit(SizeUnit unit, std::int64_t bytes, const Divisors& divisors);
std::string FormatCapacity(std::uint8_t drive, SizeUnit unit, CapacityKind kind,
                           std::uint8_t decimals);
float PercentOf(float part, float whole1, float whole2);

// Nearest integer, ties to even, in extended precision.
std::int64_t RoundHalfEven(long double value);

}  // namespace DiskUtils
