#include "OsLayer.h"

#include <stdexcept>
#include <utility>

namespace platform {
namespace {

std::unique_ptr<OsLayer>& slot() {
    static std::unique_ptr<OsLayer> layer;
    return layer;
}

}  // namespace

OsLayer& currentLayer() {
    auto& layer = slot();
    if (!layer) throw std::logic_error("no operating-system layer installed");
    return *layer;
}

ScanScope::ScanScope() : layer_(currentLayer()) {
    layer_.beginScan();
}

ScanScope::~ScanScope() {
    layer_.endScan();
}

std::unique_ptr<OsLayer> installLayer(std::unique_ptr<OsLayer> layer) {
    return std::exchange(slot(), std::move(layer));
}

}  // namespace platform
