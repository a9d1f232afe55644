#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "OsLayer.h"

// Drive letters, capacity arithmetic and the drive probe. The routines are free functions
// over module state (the unit words, the divisors, the display unit and the number
// separators), all used from the GUI thread only. Every space, volume and type query goes
// through the installed platform::OsLayer.
namespace DiskUtils {

// ---- Capacity arithmetic ---------------------------------------------------------------

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

struct DivisorSet {
    std::int64_t Kilo, Mega, Giga, Tera;
};

inline constexpr DivisorSet UnitDivisors1000{1000, 1000000, 1000000000, 1000000000000};
inline constexpr DivisorSet UnitDivisors1024{1024, 1048576, 1073741824, 1099511627776};

// Kilo, mega and giga are 32-bit in force; SetUnitDivisors keeps their low 32 bits.
struct Divisors {
    std::int32_t Kilo, Mega, Giga;
    std::int64_t Tera;
};

struct UnitNameSet {
    std::array<std::string_view, 5> Words;
};

inline constexpr UnitNameSet OctetUnitNames{{"Octets", "Ko", "Mo", "Go", "To"}};
inline constexpr UnitNameSet ByteUnitNames{{"Bytes", "KB", "MB", "GB", "TB"}};

inline constexpr std::size_t kMaxUnitWordLength = 8;

// Module state. Only the main window's menu writes it after start-up.
extern std::array<std::string, 5> UnitNames;
extern Divisors UnitDivisors;
extern SizeUnit DisplayUnit;

// Puts the option state and the number separators back to their program-start values.
void ResetOptionState();

void SetUnitNames(const UnitNameSet& set);
void SetUnitDivisors(const DivisorSet& set);

// Each space query is a fresh call to the layer; -1 when the drive does not answer.
std::int64_t QueryDiskSize(std::uint8_t drive);
std::int64_t QueryDiskFree(std::uint8_t drive);

Capacity CapacityIn(std::uint8_t drive, SizeUnit unit, CapacityKind kind);
Capacity ConvertToUnit(SizeUnit unit, std::int64_t bytes);
std::string FormatCapacity(std::uint8_t drive, SizeUnit unit, CapacityKind kind,
                           std::uint8_t decimals);
float PercentOf(float part, float whole1, float whole2);

// ---- Number texts ----------------------------------------------------------------------

// One character each (UTF-8, so possibly several bytes), or empty for "no separator".
struct NumberSeparators {
    std::string Thousands = ",";
    std::string Decimal = ".";
};

extern NumberSeparators Separators;

// Reads the user's settings through the layer: at start-up and whenever the system
// announces a change.
void LoadNumberSeparators();
// The first character of each setting; "," and "." for a setting that cannot be read.
NumberSeparators SeparatorsFrom(const platform::NumberSettings& settings);

// The "%.Nn" text of a Capacity: grouped integer part, `decimals` places, ties to even.
std::string NumberText(Capacity value, std::uint8_t decimals);
// A whole count with the thousands separator, exact over the whole 64-bit range (NumberText's
// Capacity would stop at 922,337,203,685,477).
std::string CountText(std::int64_t count);
// The "%.Nf" text of a float with the regional decimal separator, ties to even.
std::string FixedText(long double value, std::uint8_t decimals);
// Nearest integer, ties to even, in extended precision.
std::int64_t RoundHalfEven(long double value);

// ---- Drives ----------------------------------------------------------------------------

char DriveIndexToLetter(std::uint8_t index);
std::uint8_t DriveLetterToIndex(char letter);
std::string RootPathOf(char letter);

std::string GetVolumeName(char letter);
std::string GetFileSystemName(char letter);
std::uint32_t GetFileSystemFlags(char letter);
std::uint32_t GetVolumeSerial(char letter);
std::uint32_t GetDriveTypeCode(char letter);
std::string DriveTypeToText(std::uint32_t code);
std::string SerialToText(std::uint32_t serial);

// The probe: everything the windows show about one drive, re-queried only when another
// drive is selected.
class TDisk {
public:
    TDisk();

    void SetDriveIndex(std::uint8_t index);
    void Refresh();

    bool Present = false;
    std::uint8_t DriveIndex = 0;
    char DriveLetter = '\0';
    std::string VolumeName;
    std::string FileSystemName;
    std::uint32_t DriveType = 0;
    std::string DriveTypeText;
    std::uint32_t SerialNumber = 0;
    std::string SerialText;
    std::int64_t FreeBytes = 0;
    std::int64_t TotalBytes = 0;
    std::int64_t UsedBytes = 0;
    float FreePercent = 0;
    float UsedPercent = 0;

private:
    void MakeAbsent();
};

}  // namespace DiskUtils
