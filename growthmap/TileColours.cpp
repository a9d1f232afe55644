#include "TileColours.h"

#include <algorithm>
#include <cmath>

namespace growthmap {
namespace {

QColor Blend(const QColor& from, const QColor& to, double strength) {
    const double s = std::clamp(strength, 0.0, 1.0);
    const auto mix = [s](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * s)); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                  mix(from.blue(), to.blue()));
}

}  // namespace

QColor ChangeColour(std::int64_t bytes, std::optional<std::int64_t> change, const MapLook& look) {
    if (!change || *change == 0) return look.unchanged;
    const double after = static_cast<double>(std::max<std::int64_t>(bytes, 0));
    const double before = after - static_cast<double>(*change);
    const double larger = std::max({after, before, 1.0});
    const double share = std::abs(static_cast<double>(*change)) / larger;
    const double strength = std::sqrt(std::min(1.0, share / kFullStrengthShare));
    return Blend(look.unchanged, *change > 0 ? look.grew : look.shrank, strength);
}

QColor SizeColour(std::int64_t bytes, std::int64_t largest, const MapLook& look) {
    if (largest <= 0 || bytes <= 0) return look.smallest;
    const double share = static_cast<double>(bytes) / static_cast<double>(largest);
    return Blend(look.smallest, look.largest, std::sqrt(std::min(1.0, share)));
}

QColor TextColourOn(const QColor& fill, const MapLook& look) {
    const double luminance = 0.299 * fill.red() + 0.587 * fill.green() + 0.114 * fill.blue();
    return luminance < 140 ? look.lightText : look.darkText;
}

}  // namespace growthmap
