#include "Durations.h"

#include <algorithm>
#include <cmath>

DurationFigure DurationFigureOf(std::int64_t seconds) {
    const double minutes = static_cast<double>(seconds) / 60;
    if (minutes < 60) return {DurationFigure::Unit::Minutes, std::llround(std::max(minutes, 1.0))};
    if (minutes < 48 * 60) return {DurationFigure::Unit::Hours, std::llround(minutes / 60)};
    return {DurationFigure::Unit::Days, std::llround(minutes / (24 * 60))};
}
