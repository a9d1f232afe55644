#pragma once

#include <cstdint>

// How long a span reads, for the tool's "Full in" column and the windows' texts alike:
// minutes under an hour (at least one), hours under two days, then days, each rounded to the
// nearest whole.
struct DurationFigure {
    enum class Unit { Minutes, Hours, Days };
    Unit unit = Unit::Minutes;
    long long count = 0;
};

DurationFigure DurationFigureOf(std::int64_t seconds);
