#include <cmath>
#include <cstdlib>

#include "NumberText.h"

#include "OptionState.h"
#include "Utf8.h"

namespace DiskUtils {
namespace {

std::string FirstCharacter(std::string_view text) {
    return std::string(utf8::FirstCharacters(text, 1));
}

// Integer division of a non-negative value by a power of ten, ties to even.
std::uint64_t DivideHalfEven(std::uint64_t value, std::uint64_t divisor) {
    const std::uint64_t quotient = value / divisor;
    const std::uint64_t remainder = value % divisor;
    const std::uint64_t twice = remainder * 2;
    if (twice > divisor || (twice == divisor && quotient % 2 == 1)) return quotient + 1;
    return quotient;
}

std::string Grouped(std::uint64_t whole) {
    std::string digits = std::to_string(whole);
    if (Separators.Thousands.empty()) return digits;
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += Separators.Thousands;
        out += digits[i];
    }
    return out;
}

std::string WithFraction(bool negative, std::uint64_t whole, std::string fraction) {
    std::string text = negative ? "-" : "";
    text += Grouped(whole);
    if (!fraction.empty()) text += Separators.Decimal + fraction;
    return text;
}

std::string ZeroPadded(std::uint64_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

}  // namespace

NumberSeparators SeparatorsFrom(const platform::NumberSettings& settings) {
    NumberSeparators result;
    if (settings.thousandsSeparator)
        result.Thousands = FirstCharacter(*settings.thousandsSeparator);
    if (settings.decimalSeparator) result.Decimal = FirstCharacter(*settings.decimalSeparator);
    return result;
}

void LoadNumberSeparators() {
    Separators = SeparatorsFrom(platform::currentLayer().numberSettings());
}

std::string NumberText(Capacity value, std::uint8_t decimals) {
    const bool negative = value.Stored < 0;
    // The magnitude of INT64_MIN does not fit in int64, hence the unsigned detour.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.Stored)
                                             : static_cast<std::uint64_t>(value.Stored);
    const unsigned places = decimals < 4 ? decimals : 4;
    std::uint64_t unit = 1;
    for (unsigned i = places; i < 4; ++i) unit *= 10;
    const std::uint64_t scaled = DivideHalfEven(magnitude, unit);
    std::uint64_t fractionUnit = 1;
    for (unsigned i = 0; i < places; ++i) fractionUnit *= 10;
    std::string fraction;
    if (decimals > 0) {
        fraction = ZeroPadded(scaled % fractionUnit, places);
        fraction.append(decimals - places, '0');
    }
    return WithFraction(negative && scaled != 0, scaled / fractionUnit, fraction);
}

std::string CountText(std::int64_t count) {
    const bool negative = count < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
    return WithFraction(negative, magnitude, "");
}

std::string FixedText(long double value, std::uint8_t decimals) {
    const bool negative = std::signbit(value);
    if (std::isnan(value)) return "NAN";
    // Past nine places the scaled digits would leave the 64-bit range of the text below.
    decimals = decimals < 9 ? decimals : 9;
    long double power = 1;
    for (unsigned i = 0; i < decimals; ++i) power *= 10;
    const long double scaled = std::rint(std::fabs(value) * power);
    if (!std::isfinite(scaled) || scaled >= 1e18L) return negative ? "-INF" : "INF";
    const auto digits = static_cast<std::uint64_t>(scaled);
    const auto unit = static_cast<std::uint64_t>(power);
    const std::string fraction = decimals > 0 ? ZeroPadded(digits % unit, decimals) : "";
    std::string text = negative && digits != 0 ? "-" : "";
    text += std::to_string(digits / unit);
    if (decimals > 0) text += Separators.Decimal + fraction;
    return text;
}

}  // namespace DiskUtils
